#include "TestServer.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <zlib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <stdexcept>

using Json = nlohmann::ordered_json;

std::string TRecordedRequest::Header(const std::string &Name) const
{
    const auto It = Headers.find(Name);
    return It == Headers.end() ? std::string() : It->second;
}

TTestServer::TTestServer()
{
    FServer = std::make_unique<httplib::Server>();
    Start();
}

TTestServer::TTestServer(const std::string &CertFile, const std::string &KeyFile)
{
    FServer = std::make_unique<httplib::SSLServer>(CertFile.c_str(), KeyFile.c_str());
    FHttps = true;
    if (!FServer->is_valid())
        throw std::runtime_error("The HTTPS test server cannot load its certificate");
    Start();
}

void TTestServer::Start()
{
    const auto Handler = [this](const httplib::Request &Request, httplib::Response &Response) {
        Handle(Request, Response);
    };
    FServer->Get(".*", Handler);
    FServer->Post(".*", Handler);
    FServer->Put(".*", Handler);
    FServer->Patch(".*", Handler);
    FServer->Delete(".*", Handler);
    FPort = FServer->bind_to_any_port("127.0.0.1");
    if (FPort <= 0)
        throw std::runtime_error("The test server cannot bind a loopback port");
    FThread = std::thread([this] { FServer->listen_after_bind(); });
    // stop() before the loop runs would be lost and the thread never joined.
    while (!FServer->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TTestServer::~TTestServer()
{
    {
        std::lock_guard<std::mutex> Lock(FMutex);
        FStopped = true;
    }
    FStopping.notify_all();
    FServer->stop();
    FThread.join();
}

QString TTestServer::Address() const
{
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(FHttps ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(FPort);
}

void TTestServer::Answer(const std::string &Method, const std::string &Path, const TCannedReply &Reply)
{
    std::lock_guard<std::mutex> Lock(FMutex);
    FAnswers[Method + " " + Path] = Reply;
}

void TTestServer::ClearAnswers()
{
    std::lock_guard<std::mutex> Lock(FMutex);
    FAnswers.clear();
}

std::vector<TRecordedRequest> TTestServer::Requests() const
{
    std::lock_guard<std::mutex> Lock(FMutex);
    return FRequests;
}

void TTestServer::ClearRequests()
{
    std::lock_guard<std::mutex> Lock(FMutex);
    FRequests.clear();
}

void TTestServer::Handle(const httplib::Request &Request, httplib::Response &Response)
{
    std::unique_lock<std::mutex> Lock(FMutex);
    FRequests.push_back({Request.method, Request.target, Request.body, Request.headers, Request.files});
    const auto Canned = FAnswers.find(Request.method + " " + Request.path);
    if (Canned == FAnswers.end()) {
        PlayApi(Request, Response);
        return;
    }
    const TCannedReply Reply = Canned->second;
    if (Reply.Stall) {
        FStopping.wait(Lock, [this] { return FStopped; });
        return;
    }
    Response.status = Reply.Status;
    if (!Reply.Location.empty())
        Response.set_header("Location", Reply.Location);
    if (Reply.Gzip) {
        Response.set_header("Content-Encoding", "gzip");
        // A type that the server never compresses by itself, so the body goes out as given.
        Response.set_content(GzipCompress(Reply.Body), "application/octet-stream");
    } else if (!Reply.Body.empty()) {
        Response.set_content(Reply.Body, Reply.ContentType.c_str());
    }
}

namespace {

void Reply(httplib::Response &Response, int Status, const Json &Body)
{
    Response.status = Status;
    Response.set_content(Body.dump(), "application/json");
}

void Refuse(httplib::Response &Response, int Status, const std::string &Error)
{
    Reply(Response, Status, Json{{"error", Error}});
}

std::string FormField(const httplib::Request &Request, const std::string &Name)
{
    const auto It = Request.files.find(Name);
    return It == Request.files.end() ? std::string() : It->second.content;
}

} // namespace

// What the maker's site and API do, as far as the program relies on it. Runs under FMutex.
void TTestServer::PlayApi(const httplib::Request &Request, httplib::Response &Response)
{
    const std::string &Method = Request.method;
    const std::string &Path = Request.path;
    if (Path == "/version.php") {
        if (Request.get_param_value("sw") == "fenolda" && Request.get_param_value("req") == "check")
            Response.set_content(FState.Version, "text/plain");
        else
            Response.status = 400;
        return;
    }
    if (Method == "POST" && Path == "/common/token") {
        if (FormField(Request, "email") == FState.Email && FormField(Request, "apikey") == FState.ApiKey)
            Reply(Response, 200, Json{{"token", FState.Token}});
        else
            Refuse(Response, 401, "Identifiants inconnus");
        return;
    }
    if (Request.get_header_value("Authorization") != "Bearer " + FState.Token) {
        Refuse(Response, 401, "Jeton invalide");
        return;
    }
    if (Path == "/fenolda/data") {
        if (Method == "POST") {
            const Json Document = Json::parse(Request.body, nullptr, false);
            if (!Document.is_object() || !Document.contains("insert") || !Document.contains("update") ||
                !Document.contains("delete")) {
                Refuse(Response, 400, "Document invalide");
                return;
            }
            FState.Uploads.push_back(Request.body);
            Reply(Response, 200, Json::object());
        } else if (Method == "DELETE") {
            FState.Uploads.clear();
            FState.Menus.clear();
            ++FState.Erases;
            Reply(Response, 200, Json::object());
        } else {
            Response.status = 405;
        }
        return;
    }
    if (Path == "/fenolda/menu") {
        if (Method == "GET") {
            Json List = Json::array();
            for (const auto &[Code, Menu] : FState.Menus) {
                Json Item{{"code", Code}, {"name", Menu["name"]}, {"modified", Menu["modified"]}};
                if (Request.get_param_value("recettes") == "1")
                    Item["recettes"] = Menu["recettes"];
                List.push_back(Item);
            }
            Reply(Response, 200, List);
        } else if (Method == "POST") {
            const Json Document = Json::parse(Request.body, nullptr, false);
            if (!Document.is_object() || !Document.contains("name") || !Document.contains("recettes")) {
                Refuse(Response, 400, "Menu invalide");
                return;
            }
            const int Code = FState.NextCode++;
            FState.Menus[Code] = Json{
                {"name", Document["name"]}, {"modified", "2026-12-05 10:00:00"}, {"recettes", Document["recettes"]}};
            Reply(Response, 200, Json{{"code", Code}});
        } else {
            Response.status = 405;
        }
        return;
    }
    const std::string MenuPrefix = "/fenolda/menu/";
    if (Path.rfind(MenuPrefix, 0) == 0) {
        const int Code = std::atoi(Path.c_str() + MenuPrefix.size());
        const auto Menu = FState.Menus.find(Code);
        if (Menu == FState.Menus.end()) {
            Refuse(Response, 404, "Menu inconnu");
            return;
        }
        const Json Document = Method == "DELETE" ? Json() : Json::parse(Request.body, nullptr, false);
        if (Method == "DELETE") {
            FState.Menus.erase(Menu);
        } else if (Method == "PATCH" && Document.is_object() && Document.contains("name")) {
            Menu->second["name"] = Document["name"];
        } else if (Method == "PUT" && Document.is_object() && Document.contains("recettes")) {
            Menu->second["recettes"] = Document["recettes"];
            Menu->second["modified"] = "2026-12-06 11:00:00";
        } else {
            Refuse(Response, 400, "Requête invalide");
            return;
        }
        Reply(Response, 200, Json::object());
        return;
    }
    Refuse(Response, 404, "Adresse inconnue");
}

namespace {

template <class T, void (*Free)(T *)> struct TOpenSslFree
{
    void operator()(T *P) const { Free(P); }
};
using TKey = std::unique_ptr<EVP_PKEY, TOpenSslFree<EVP_PKEY, EVP_PKEY_free>>;
using TCert = std::unique_ptr<X509, TOpenSslFree<X509, X509_free>>;
using TExt = std::unique_ptr<X509_EXTENSION, TOpenSslFree<X509_EXTENSION, X509_EXTENSION_free>>;

void BioFree(BIO *B)
{
    BIO_free(B);
}
using TBio = std::unique_ptr<BIO, TOpenSslFree<BIO, BioFree>>;

void Require(bool Ok, const char *What)
{
    if (!Ok)
        throw std::runtime_error(std::string("Test certificate: ") + What);
}

void AddExtension(X509 *Cert, int Nid, const char *Value)
{
    X509V3_CTX Ctx;
    X509V3_set_ctx_nodb(&Ctx);
    X509V3_set_ctx(&Ctx, Cert, Cert, nullptr, nullptr, 0);
    const TExt Ext(X509V3_EXT_conf_nid(nullptr, &Ctx, Nid, Value));
    Require(Ext && X509_add_ext(Cert, Ext.get(), -1) == 1, "extension");
}

} // namespace

void MakeSelfSignedCertificate(const std::string &CertFile, const std::string &KeyFile)
{
    const TKey Key(EVP_EC_gen("P-256"));
    Require(bool(Key), "key");
    const TCert Cert(X509_new());
    Require(bool(Cert), "certificate");
    Require(X509_set_version(Cert.get(), 2) == 1, "version");
    std::random_device Random;
    Require(ASN1_INTEGER_set(X509_get_serialNumber(Cert.get()), long(Random() & 0x7FFFFFFF)) == 1, "serial");
    Require(X509_gmtime_adj(X509_getm_notBefore(Cert.get()), -3600) != nullptr, "validity");
    Require(X509_gmtime_adj(X509_getm_notAfter(Cert.get()), 86400) != nullptr, "validity");
    Require(X509_set_pubkey(Cert.get(), Key.get()) == 1, "public key");
    X509_NAME *Name = X509_get_subject_name(Cert.get());
    Require(X509_NAME_add_entry_by_txt(Name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("127.0.0.1"),
                                       -1, -1, 0) == 1,
            "name");
    Require(X509_set_issuer_name(Cert.get(), Name) == 1, "issuer");
    AddExtension(Cert.get(), NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(Cert.get(), NID_subject_alt_name, "IP:127.0.0.1");
    AddExtension(Cert.get(), NID_subject_key_identifier, "hash");
    Require(X509_sign(Cert.get(), Key.get(), EVP_sha256()) > 0, "signature");

    const TBio CertOut(BIO_new_file(CertFile.c_str(), "w"));
    Require(CertOut && PEM_write_bio_X509(CertOut.get(), Cert.get()) == 1, "writing the certificate");
    const TBio KeyOut(BIO_new_file(KeyFile.c_str(), "w"));
    Require(KeyOut && PEM_write_bio_PrivateKey(KeyOut.get(), Key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1,
            "writing the key");
}

int ClosedLoopbackPort()
{
    const int Socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (Socket < 0)
        throw std::runtime_error("socket");
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    Address.sin_port = 0;
    socklen_t Length = sizeof(Address);
    // Bound, never listened on, then released: nothing answers on that port.
    const bool Ok = ::bind(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof(Address)) == 0 &&
                    ::getsockname(Socket, reinterpret_cast<sockaddr *>(&Address), &Length) == 0;
    ::close(Socket);
    if (!Ok)
        throw std::runtime_error("bind");
    return ntohs(Address.sin_port);
}

std::string GzipCompress(const std::string &Text)
{
    z_stream Stream{};
    // 15 window bits plus 16: a gzip header and trailer rather than zlib's own.
    if (deflateInit2(&Stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string Out(deflateBound(&Stream, uLong(Text.size())), '\0');
    Stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(Text.data()));
    Stream.avail_in = uInt(Text.size());
    Stream.next_out = reinterpret_cast<Bytef *>(Out.data());
    Stream.avail_out = uInt(Out.size());
    const int Result = deflate(&Stream, Z_FINISH);
    deflateEnd(&Stream);
    if (Result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    Out.resize(Stream.total_out);
    return Out;
}
