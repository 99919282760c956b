// A loopback HTTP(S) server for the tests (cpp-httplib on 127.0.0.1 and a free port). It
// records every request and plays the web API as far as the program relies on it:
//   POST /common/token  {"token":"jeton-42"} for the form email=TestEmail, apikey=TestApiKey,
//                       else 401 {"error":"Identifiants inconnus"};
//   any other route     401 {"error":"Jeton invalide"} without "Authorization: Bearer jeton-42",
//                       else 200 with {"code":17} for POST /fenolda/menu, [] for GET
//                       /fenolda/menu and {} for the rest.
// Answer() replaces that play for one route by a canned reply: a status and body, a gzip
// encoding, a redirect, or no answer at all until the server stops (a stall).
#pragma once

#include <QString>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <httplib.h>

inline const std::string TestEmail = "marie@exemple.fr";
inline const std::string TestApiKey = "cle-secrete";

struct TRecordedRequest
{
    // "POST /fenolda/menu?recettes=1": the method and the path with its query.
    std::string Line;
    std::string Body;
    httplib::Headers Headers;
    // The fields of a multipart form, by name.
    httplib::MultipartFormDataMap Files;

    // The first value of a header, "" when absent.
    std::string Header(const std::string &Name) const;
};

struct TCannedReply
{
    // Location is a "Location" header, for 3xx statuses; Gzip sends the body compressed, with
    // "Content-Encoding: gzip".
    TCannedReply(int Status = 200, std::string Body = {}, std::string Location = {}, bool Gzip = false,
                 bool Stall = false)
        : Status(Status), Body(std::move(Body)), Location(std::move(Location)), Gzip(Gzip), Stall(Stall)
    {
    }

    int Status;
    std::string Body;
    std::string Location;
    bool Gzip;
    bool Stall;
};

class TTestServer
{
public:
    // Plain HTTP, or HTTPS with the given PEM certificate and key.
    explicit TTestServer(const std::string &CertFile = {}, const std::string &KeyFile = {});
    ~TTestServer();

    TTestServer(const TTestServer &) = delete;
    TTestServer &operator=(const TTestServer &) = delete;

    // "http://127.0.0.1:<port>" or "https://127.0.0.1:<port>".
    QString Address() const;

    // Method ("*" for any) and Path (without query) get Reply from now on; an empty Method
    // ends every canned reply.
    void Answer(const std::string &Method, const std::string &Path, const TCannedReply &Reply);
    std::vector<TRecordedRequest> Requests() const;
    void ClearRequests();

private:
    void Handle(const httplib::Request &Request, httplib::Response &Response);

    std::unique_ptr<httplib::Server> FServer;
    std::thread FThread;
    QString FAddress;
    mutable std::mutex FMutex;
    std::condition_variable FStopping;
    bool FStopped = false;
    std::map<std::string, TCannedReply> FAnswers;
    std::vector<TRecordedRequest> FRequests;
};

// Writes a new self-signed certificate for 127.0.0.1 (valid one day) and its key, in PEM.
void MakeSelfSignedCertificate(const std::string &CertFile, const std::string &KeyFile);

// A loopback port on which nothing listens: connections to it are refused at once.
int ClosedLoopbackPort();
