#include "TestServer.h"

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <zlib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <stdexcept>

std::string TRecordedRequest::Header(const std::string &Name) const
{
    const auto It = Headers.find(Name);
    return It == Headers.end() ? std::string() : It->second;
}

TTestServer::TTestServer(const std::string &CertFile, const std::string &KeyFile)
{
    if (CertFile.empty())
        FServer = std::make_unique<httplib::Server>();
    else
        FServer = std::make_unique<httplib::SSLServer>(CertFile.c_str(), KeyFile.c_str());
    const auto Handler = [this](const httplib::Request &Request, httplib::Response &Response) {
        Handle(Request, Response);
    };
    FServer->Get(".*", Handler).Post(".*", Handler).Put(".*", Handler).Patch(".*", Handler).Delete(".*", Handler);
    const int Port = FServer->is_valid() ? FServer->bind_to_any_port("127.0.0.1") : -1;
    if (Port <= 0)
        throw std::runtime_error("The test server cannot start");
    FAddress = QStringLiteral("%1://127.0.0.1:%2").arg(CertFile.empty() ? "http" : "https").arg(Port);
    FThread = std::thread([this] { FServer->listen_after_bind(); });
    // A stop() before the loop runs would be lost, and the thread never joined.
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
    return FAddress;
}

void TTestServer::Answer(const std::string &Method, const std::string &Path, const TCannedReply &Reply)
{
    std::lock_guard<std::mutex> Lock(FMutex);
    if (Method.empty())
        FAnswers.clear();
    else
        FAnswers[Method + " " + Path] = Reply;
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

namespace {

std::string Gzip(const std::string &Text)
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

std::string FormField(const httplib::Request &Request, const std::string &Name)
{
    const auto It = Request.files.find(Name);
    return It == Request.files.end() ? std::string() : It->second.content;
}

} // namespace

void TTestServer::Handle(const httplib::Request &Request, httplib::Response &Response)
{
    std::unique_lock<std::mutex> Lock(FMutex);
    FRequests.push_back({Request.method + " " + Request.target, Request.body, Request.headers, Request.files});
    auto Canned = FAnswers.find(Request.method + " " + Request.path);
    if (Canned == FAnswers.end())
        Canned = FAnswers.find("* " + Request.path);
    if (Canned != FAnswers.end()) {
        const TCannedReply Reply = Canned->second;
        if (Reply.Stall)
            FStopping.wait(Lock, [this] { return FStopped; });
        Response.status = Reply.Status;
        if (!Reply.Location.empty())
            Response.set_header("Location", Reply.Location);
        if (Reply.Gzip)
            Response.set_header("Content-Encoding", "gzip");
        // A type that the server never compresses by itself, so the body goes out as given.
        if (!Reply.Body.empty() || Reply.Gzip)
            Response.set_content(Reply.Gzip ? Gzip(Reply.Body) : Reply.Body, "application/octet-stream");
    } else if (Request.path == "/common/token") {
        const bool Known = FormField(Request, "email") == TestEmail && FormField(Request, "apikey") == TestApiKey;
        Response.status = Known ? 200 : 401;
        Response.set_content(Known ? R"({"token":"jeton-42"})" : R"({"error":"Identifiants inconnus"})",
                             "application/json");
    } else if (Request.get_header_value("Authorization") != "Bearer jeton-42") {
        Response.status = 401;
        Response.set_content(R"({"error":"Jeton invalide"})", "application/json");
    } else if (Request.path == "/fenolda/menu") {
        Response.set_content(Request.method == "POST" ? R"({"code":17})" : "[]", "application/json");
    } else {
        Response.set_content("{}", "application/json");
    }
}

namespace {

template <class T, void (*Free)(T *)> struct TOpenSslFree
{
    void operator()(T *P) const { Free(P); }
};
void BioFree(BIO *B)
{
    BIO_free(B);
}
template <class T, void (*Free)(T *)> using TOpenSsl = std::unique_ptr<T, TOpenSslFree<T, Free>>;

void Require(bool Ok, const char *What)
{
    if (!Ok)
        throw std::runtime_error(std::string("Test certificate: ") + What);
}

} // namespace

void MakeSelfSignedCertificate(const std::string &CertFile, const std::string &KeyFile)
{
    const TOpenSsl<EVP_PKEY, EVP_PKEY_free> Key(EVP_EC_gen("P-256"));
    const TOpenSsl<X509, X509_free> Cert(X509_new());
    Require(Key && Cert && X509_set_version(Cert.get(), 2) == 1, "key");
    std::random_device Random;
    ASN1_INTEGER_set(X509_get_serialNumber(Cert.get()), long(Random() & 0x7FFFFFFF));
    X509_gmtime_adj(X509_getm_notBefore(Cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(Cert.get()), 86400);
    X509_set_pubkey(Cert.get(), Key.get());
    X509_NAME *Name = X509_get_subject_name(Cert.get());
    X509_NAME_add_entry_by_txt(Name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("127.0.0.1"), -1, -1,
                               0);
    X509_set_issuer_name(Cert.get(), Name);
    // Its own authority, for the address the client connects to.
    for (const auto &[Nid, Value] : {std::pair<int, const char *>{NID_basic_constraints, "critical,CA:TRUE"},
                                     {NID_subject_alt_name, "IP:127.0.0.1"},
                                     {NID_subject_key_identifier, "hash"}}) {
        X509V3_CTX Ctx;
        X509V3_set_ctx_nodb(&Ctx);
        X509V3_set_ctx(&Ctx, Cert.get(), Cert.get(), nullptr, nullptr, 0);
        const TOpenSsl<X509_EXTENSION, X509_EXTENSION_free> Ext(X509V3_EXT_conf_nid(nullptr, &Ctx, Nid, Value));
        Require(Ext && X509_add_ext(Cert.get(), Ext.get(), -1) == 1, "extension");
    }
    Require(X509_sign(Cert.get(), Key.get(), EVP_sha256()) > 0, "signature");
    const TOpenSsl<BIO, BioFree> CertOut(BIO_new_file(CertFile.c_str(), "w"));
    const TOpenSsl<BIO, BioFree> KeyOut(BIO_new_file(KeyFile.c_str(), "w"));
    Require(CertOut && KeyOut && PEM_write_bio_X509(CertOut.get(), Cert.get()) == 1 &&
                PEM_write_bio_PrivateKey(KeyOut.get(), Key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1,
            "writing");
}

int ClosedLoopbackPort()
{
    // Bound, never listened on, then released: nothing answers on that port.
    const int Socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t Length = sizeof(Address);
    const bool Ok = Socket >= 0 && ::bind(Socket, reinterpret_cast<sockaddr *>(&Address), Length) == 0 &&
                    ::getsockname(Socket, reinterpret_cast<sockaddr *>(&Address), &Length) == 0;
    ::close(Socket);
    if (!Ok)
        throw std::runtime_error("No free loopback port");
    return ntohs(Address.sin_port);
}
