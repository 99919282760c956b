// A loopback HTTP(S) server for the web tests: it plays the maker's web site (version page)
// and web API (token, upload, erase, menus kept in memory), records every request it
// receives, and can be told to answer one route with a canned reply: a status, a body, a
// gzip encoding, a redirect, or no answer at all (a stall).
#pragma once

#include <QString>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

// One request as the server received it.
struct TRecordedRequest
{
    std::string Method;
    // Path and query as sent ("/fenolda/menu?recettes=1").
    std::string Target;
    std::string Body;
    httplib::Headers Headers;
    // The fields of a multipart form, by name.
    httplib::MultipartFormDataMap Files;

    bool HasHeader(const std::string &Name) const { return Headers.find(Name) != Headers.end(); }
    // The first value of a header, "" when absent.
    std::string Header(const std::string &Name) const;
};

struct TCannedReply
{
    int Status = 200;
    std::string Body;
    std::string ContentType = "application/json";
    // Body sent gzip-compressed with "Content-Encoding: gzip".
    bool Gzip = false;
    // Answer nothing until the server stops.
    bool Stall = false;
    // A "Location" header (for 3xx statuses).
    std::string Location;
};

// What the server plays as the web API; read and changed through TTestServer::State.
struct TApiState
{
    std::string Email = "marie@exemple.fr";
    std::string ApiKey = "cle-secrete";
    std::string Token = "jeton-42";
    std::string Version = "1.2.3";
    // Menus by code, each {"name", "modified", "recettes"}.
    std::map<int, nlohmann::ordered_json> Menus;
    int NextCode = 17;
    // Upload documents received, as sent.
    std::vector<std::string> Uploads;
    int Erases = 0;
};

class TTestServer
{
public:
    // Plain HTTP on 127.0.0.1 and a free port.
    TTestServer();
    // HTTPS with the given PEM certificate and key.
    TTestServer(const std::string &CertFile, const std::string &KeyFile);
    ~TTestServer();

    TTestServer(const TTestServer &) = delete;
    TTestServer &operator=(const TTestServer &) = delete;

    // "http://127.0.0.1:<port>" or "https://127.0.0.1:<port>".
    QString Address() const;
    int Port() const { return FPort; }

    // Every later request of Method to Path (without query) gets Reply instead of the
    // played behaviour.
    void Answer(const std::string &Method, const std::string &Path, const TCannedReply &Reply);
    void ClearAnswers();

    std::vector<TRecordedRequest> Requests() const;
    void ClearRequests();

    // Runs Fn on the API state under the server's lock.
    template <class F> auto State(F &&Fn) const
    {
        std::lock_guard<std::mutex> Lock(FMutex);
        return Fn(FState);
    }

private:
    void Start();
    void Handle(const httplib::Request &Request, httplib::Response &Response);
    void PlayApi(const httplib::Request &Request, httplib::Response &Response);

    std::unique_ptr<httplib::Server> FServer;
    std::thread FThread;
    int FPort = 0;
    bool FHttps = false;

    mutable std::mutex FMutex;
    std::condition_variable FStopping;
    bool FStopped = false;
    mutable TApiState FState;
    std::map<std::string, TCannedReply> FAnswers;
    std::vector<TRecordedRequest> FRequests;
};

// Writes a new self-signed certificate for 127.0.0.1 (valid one day) and its private key,
// both in PEM.
void MakeSelfSignedCertificate(const std::string &CertFile, const std::string &KeyFile);

// A loopback port on which nothing listens: connections to it are refused at once.
int ClosedLoopbackPort();

// Text gzip-compressed.
std::string GzipCompress(const std::string &Text);
