#include "UnitHttp.h"

#include "UnitConfig.h"

#include <QFile>

#include <curl/curl.h>

#include <algorithm>

THttpObject *HttpObject = nullptr;

namespace {

const char UserAgent[] = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Trident/6.0; MSAppHost/1.0)";
constexpr long ConnectTimeoutMs = 10000;
constexpr long MaxRedirects = 15;

std::unique_ptr<THttpObject> OwnedHttpObject;

QString &SiteAddress()
{
    static QString Address = QStringLiteral(FENOLDA_WEB_SITE);
    return Address;
}

// A base address may be configured with a final "/"; the paths added to it start with one.
QString WithoutFinalSlash(QString Address)
{
    while (Address.endsWith(QLatin1Char('/')))
        Address.chop(1);
    return Address;
}

struct TSListFree
{
    void operator()(curl_slist *List) const { curl_slist_free_all(List); }
};
using TSList = std::unique_ptr<curl_slist, TSListFree>;

struct TMimeFree
{
    void operator()(curl_mime *Mime) const { curl_mime_free(Mime); }
};
using TMime = std::unique_ptr<curl_mime, TMimeFree>;

void Append(TSList &List, const QByteArray &Line)
{
    curl_slist *Extended = curl_slist_append(List.get(), Line.constData());
    if (!Extended)
        throw EHttpSocketError(QStringLiteral("Out of memory"));
    // curl_slist_append returns the same head once the list exists.
    List.release();
    List.reset(Extended);
}

size_t WriteBody(char *Data, size_t Size, size_t Count, void *UserData)
{
    static_cast<QByteArray *>(UserData)->append(Data, qsizetype(Size * Count));
    return Size * Count;
}

// Keeps the status line of the last response: after a redirect, the final one's.
size_t ReadHeader(char *Data, size_t Size, size_t Count, void *UserData)
{
    const QByteArray Line(Data, qsizetype(Size * Count));
    if (Line.startsWith("HTTP/"))
        *static_cast<QByteArray *>(UserData) = Line.trimmed();
    return Size * Count;
}

void Check(CURLcode Code)
{
    if (Code != CURLE_OK)
        throw EHttpSocketError(QString::fromUtf8(curl_easy_strerror(Code)));
}

// Forgets the request's options once it is over, whatever way it ends, so that the handle
// never keeps pointers to the headers, form and buffers that the request owned, nor the
// method or body of one request for the next.
struct TRequestGuard
{
    CURL *Curl;
    ~TRequestGuard() { curl_easy_reset(Curl); }
};

template <class T> void SetOption(CURL *Curl, CURLoption Option, T Value)
{
    Check(curl_easy_setopt(Curl, Option, Value));
}

} // namespace

void THttpObject::TCurlCleanup::operator()(void *Handle) const
{
    curl_easy_cleanup(static_cast<CURL *>(Handle));
}

THttpObject::THttpObject()
{
    // Once for the process, before the first handle; never undone, since a handle may
    // outlive any particular owner.
    static const CURLcode GlobalInit = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (GlobalInit != CURLE_OK)
        throw EHttpSocketError(QString::fromUtf8(curl_easy_strerror(GlobalInit)));
    Handle.reset(curl_easy_init());
    if (!Handle)
        throw EHttpSocketError(QStringLiteral("The HTTP client cannot be created"));
    CustomHeaders.SetNameValueSeparator(QLatin1Char(':'));
}

THttpObject::~THttpObject() = default;

void THttpObject::SetCAInfo(const QString &FileName)
{
    CAInfo = FileName;
}

void THttpObject::SetReadTimeout(int Milliseconds)
{
    ReadTimeout = Milliseconds;
}

QByteArray THttpObject::Perform(TMethod Method, const QString &URL, const QByteArray *Body, const TStringList *Fields)
{
    CURL *Curl = Handle.get();
    // Every request starts from the handle's defaults and applies the fixed settings again;
    // the reset at its end keeps the open connections and the caches.
    const TRequestGuard Guard{Curl};

    char ErrorBuffer[CURL_ERROR_SIZE] = {};
    QByteArray Reply;
    QByteArray StatusLine;
    SetOption(Curl, CURLOPT_ERRORBUFFER, ErrorBuffer);
    SetOption(Curl, CURLOPT_URL, URL.toUtf8().constData());
    SetOption(Curl, CURLOPT_NOSIGNAL, 1L);
    SetOption(Curl, CURLOPT_SSL_VERIFYPEER, 1L);
    SetOption(Curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!CAInfo.isEmpty())
        SetOption(Curl, CURLOPT_CAINFO, QFile::encodeName(CAInfo).constData());
    // An empty text: every encoding libcurl can decode is offered, and the reply decoded.
    SetOption(Curl, CURLOPT_ACCEPT_ENCODING, "");
    SetOption(Curl, CURLOPT_FOLLOWLOCATION, 1L);
    SetOption(Curl, CURLOPT_MAXREDIRS, MaxRedirects);
    SetOption(Curl, CURLOPT_CONNECTTIMEOUT_MS, ConnectTimeoutMs);
    // The read time-out: less than one byte a second during the whole period gives up.
    SetOption(Curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    SetOption(Curl, CURLOPT_LOW_SPEED_TIME, long(std::max(1, (ReadTimeout + 999) / 1000)));
    SetOption(Curl, CURLOPT_USERAGENT, UserAgent);
    // The program talks to its own servers directly, whatever proxy the environment names.
    SetOption(Curl, CURLOPT_PROXY, "");
    SetOption(Curl, CURLOPT_WRITEFUNCTION, &WriteBody);
    SetOption(Curl, CURLOPT_WRITEDATA, static_cast<void *>(&Reply));
    SetOption(Curl, CURLOPT_HEADERFUNCTION, &ReadHeader);
    SetOption(Curl, CURLOPT_HEADERDATA, static_cast<void *>(&StatusLine));

    TSList Headers;
    for (const QString &Line : CustomHeaders)
        Append(Headers, Line.toUtf8());
    // Without it libcurl waits for "100 Continue" before larger bodies, which some servers
    // never send.
    Append(Headers, "Expect:");

    TMime Form;
    switch (Method) {
    case TMethod::Get:
        SetOption(Curl, CURLOPT_HTTPGET, 1L);
        break;
    case TMethod::Delete:
        SetOption(Curl, CURLOPT_CUSTOMREQUEST, "DELETE");
        break;
    case TMethod::Post:
    case TMethod::Put:
    case TMethod::Patch:
        if (!ContentType.isEmpty())
            Append(Headers, "Content-Type: " + ContentType.toUtf8());
        SetOption(Curl, CURLOPT_POST, 1L);
        // A redirect keeps the method and the body: by default libcurl would turn them into
        // a GET after 301, 302 or 303, and a PUT or PATCH would then reach the new address
        // without its body, answered with a success.
        SetOption(Curl, CURLOPT_POSTREDIR, long(CURL_REDIR_POST_ALL));
        SetOption(Curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(Body->size()));
        SetOption(Curl, CURLOPT_POSTFIELDS, Body->constData());
        if (Method == TMethod::Put)
            SetOption(Curl, CURLOPT_CUSTOMREQUEST, "PUT");
        else if (Method == TMethod::Patch)
            SetOption(Curl, CURLOPT_CUSTOMREQUEST, "PATCH");
        break;
    case TMethod::Form: {
        Form.reset(curl_mime_init(Curl));
        if (!Form)
            throw EHttpSocketError(QStringLiteral("Out of memory"));
        if (Fields) {
            for (const QString &Line : *Fields) {
                const int Equal = Line.indexOf(QLatin1Char('='));
                const QByteArray Name = (Equal < 0 ? Line : Line.left(Equal)).toUtf8();
                const QByteArray Value = Equal < 0 ? QByteArray() : Line.mid(Equal + 1).toUtf8();
                curl_mimepart *Part = curl_mime_addpart(Form.get());
                if (!Part)
                    throw EHttpSocketError(QStringLiteral("Out of memory"));
                Check(curl_mime_name(Part, Name.constData()));
                Check(curl_mime_data(Part, Value.constData(), size_t(Value.size())));
                Check(curl_mime_type(Part, "text/plain; charset=UTF-8"));
                Check(curl_mime_encoder(Part, "binary"));
            }
        }
        SetOption(Curl, CURLOPT_MIMEPOST, Form.get());
        SetOption(Curl, CURLOPT_POSTREDIR, long(CURL_REDIR_POST_ALL));
        break;
    }
    }
    SetOption(Curl, CURLOPT_HTTPHEADER, Headers.get());

    const CURLcode Result = curl_easy_perform(Curl);
    long Code = 0;
    curl_easy_getinfo(Curl, CURLINFO_RESPONSE_CODE, &Code);
    ResponseCode = Result == CURLE_OK ? int(Code) : 0;
    if (Result != CURLE_OK) {
        const QString Detail = QString::fromUtf8(ErrorBuffer);
        throw EHttpSocketError(Detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(Result)) : Detail);
    }
    if (ResponseCode >= 400) {
        const QString Line = StatusLine.isEmpty() ? Format(QStringLiteral("HTTP/1.1 %d"), {ResponseCode})
                                                  : QString::fromUtf8(StatusLine);
        throw EHttpProtocolError(ResponseCode, Line, QString::fromUtf8(Reply));
    }
    return Reply;
}

void THttpObject::Get(const QString &URL, QIODevice &Response)
{
    const QByteArray Reply = Perform(TMethod::Get, URL, nullptr, nullptr);
    if (Response.write(Reply) != Reply.size())
        throw EInOutError(0, QStringLiteral("The reply could not be written: ") + Response.errorString());
}

QString THttpObject::Get(const QString &URL)
{
    return QString::fromUtf8(Perform(TMethod::Get, URL, nullptr, nullptr));
}

QString THttpObject::SendBody(TMethod Method, const QString &URL, QIODevice &Source)
{
    if (!Source.isSequential())
        Source.seek(0);
    const QByteArray Body = Source.readAll();
    return QString::fromUtf8(Perform(Method, URL, &Body, nullptr));
}

QString THttpObject::Post(const QString &URL, QIODevice &Source)
{
    return SendBody(TMethod::Post, URL, Source);
}

QString THttpObject::Put(const QString &URL, QIODevice &Source)
{
    return SendBody(TMethod::Put, URL, Source);
}

QString THttpObject::Patch(const QString &URL, QIODevice &Source)
{
    return SendBody(TMethod::Patch, URL, Source);
}

QString THttpObject::Post(const QString &URL, const QByteArray &Body)
{
    return QString::fromUtf8(Perform(TMethod::Post, URL, &Body, nullptr));
}

QString THttpObject::Put(const QString &URL, const QByteArray &Body)
{
    return QString::fromUtf8(Perform(TMethod::Put, URL, &Body, nullptr));
}

QString THttpObject::Patch(const QString &URL, const QByteArray &Body)
{
    return QString::fromUtf8(Perform(TMethod::Patch, URL, &Body, nullptr));
}

void THttpObject::Delete(const QString &URL)
{
    Perform(TMethod::Delete, URL, nullptr, nullptr);
}

void THttpObject::PostForm(const QString &URL, const TStringList *Fields, QString &Response)
{
    // libcurl writes the form's own type with its boundary; what stays is the kind.
    ContentType = QStringLiteral("multipart/form-data");
    Response = QString::fromUtf8(Perform(TMethod::Form, URL, nullptr, Fields));
}

void InitializeUnitHttp()
{
    OwnedHttpObject = std::make_unique<THttpObject>();
    HttpObject = OwnedHttpObject.get();
}

void FinalizeUnitHttp()
{
    HttpObject = nullptr;
    OwnedHttpObject.reset();
}

QString WebSiteAddress()
{
    return WithoutFinalSlash(SiteAddress());
}

void SetWebAddressesForTesting(const QString &Site, const QString &Api)
{
    SiteAddress() = Site;
    SetWebApiAddressForTesting(Api);
}
