// The one HTTP client of the program (THttpObject, global HttpObject) over libcurl, and
// the base addresses of the maker's web site and web API.
#pragma once

#include "KVXStringList.h"
#include "SysUtils.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// A reply with an error status (400 and above). Message is the reply's status line
// ("HTTP/1.1 404 Not Found"), ErrorCode the status and ErrorMessage the reply body.
class EHttpProtocolError : public Exception
{
public:
    EHttpProtocolError(int Code, const QString &StatusLine, const QString &ReplyBody)
        : Exception(StatusLine), ErrorCode(Code), ErrorMessage(ReplyBody)
    {
    }

    int ErrorCode = 0;
    QString ErrorMessage;
};

// No reply at all: the connection failed, the certificate was refused, a time-out expired,
// too many redirects. Message is libcurl's description of the failure.
class EHttpSocketError : public Exception
{
public:
    using Exception::Exception;
};

// The HTTP client. One libcurl handle serves every request of the run, so connections are
// reused; the settings below hold for every request: certificates verified, any content
// encoding accepted and decoded, redirects followed (at most 15, keeping the method and
// the body, and sending no credentials to another host), 10 s to connect, 60 s
// without a byte before a read gives up, the program's fixed user agent, no proxy.
// Requests are blocking, one at a time. A status of 400 and above raises
// EHttpProtocolError; a request that gets no reply raises EHttpSocketError; any other
// status (redirects already followed) reaches the caller through ResponseCode.
class THttpObject
{
public:
    THttpObject();
    virtual ~THttpObject();

    THttpObject(const THttpObject &) = delete;
    THttpObject &operator=(const THttpObject &) = delete;

    // GET: the whole decoded reply body is written at Response's position.
    void Get(const QString &URL, QIODevice &Response);
    // GET: the reply body as UTF-8 text.
    QString Get(const QString &URL);
    // POST, PUT, PATCH of the whole of Source (from its start when it can seek); the reply
    // body as UTF-8 text. ContentType is sent with the body.
    QString Post(const QString &URL, QIODevice &Source);
    QString Put(const QString &URL, QIODevice &Source);
    QString Patch(const QString &URL, QIODevice &Source);
    // The same with the body given as bytes.
    QString Post(const QString &URL, const QByteArray &Body);
    QString Put(const QString &URL, const QByteArray &Body);
    QString Patch(const QString &URL, const QByteArray &Body);
    // DELETE; the reply body is not kept.
    void Delete(const QString &URL);

    // Posts a multipart form ("multipart/form-data"): each line "name=value" of Fields is one
    // field, in list order, named by the text before the first "=" and valued by everything
    // after it. Each field is sent as UTF-8 bytes with the part headers
    // "Content-Type: text/plain; charset=UTF-8" and "Content-Transfer-Encoding: binary", no
    // file name. No list posts an empty form. Response receives the reply body.
    void PostForm(const QString &URL, const TStringList *Fields, QString &Response);

    // Header lines ("Name: value") sent with every request until somebody removes them;
    // IndexOfName finds a header by its name.
    TStringList CustomHeaders;
    // Content type of the requests that send a body; it stays as the last caller set it.
    QString ContentType;
    // Status of the last reply (after redirects); 0 when the last request got none.
    int ResponseCode = 0;

    // The file of certificates to trust instead of the system's store only (tests trust
    // their own self-signed certificate through it); empty restores the system's store.
    void SetCAInfo(const QString &FileName);
    // The read time-out in milliseconds (whole seconds, at least one, are what counts).
    void SetReadTimeout(int Milliseconds);

private:
    struct TCurlCleanup
    {
        void operator()(void *Handle) const;
    };

    enum class TMethod
    {
        Get,
        Post,
        Put,
        Patch,
        Delete,
        Form
    };

    // Sends one request and returns the reply body; raises as described above.
    QByteArray Perform(TMethod Method, const QString &URL, const QByteArray *Body, const TStringList *Fields);
    QString SendBody(TMethod Method, const QString &URL, QIODevice &Source);

    std::unique_ptr<void, TCurlCleanup> Handle;
    QString CAInfo;
    int ReadTimeout = 60000;
};

// The program's HTTP client, valid between InitializeUnitHttp() and FinalizeUnitHttp()
// (this unit owns it); the program block calls both.
extern THttpObject *HttpObject;
void InitializeUnitHttp();
void FinalizeUnitHttp();

// Base address of the maker's web site (version and download pages, plain HTTP), without a
// trailing "/", from the build setting FENOLDA_WEB_SITE. The web API's is WebApiAddress()
// of UnitConfig.
QString WebSiteAddress();
// Points the web site and the web API at a test server; the program itself never calls it.
void SetWebAddressesForTesting(const QString &Site, const QString &Api);
