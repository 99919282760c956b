#include "TestServer.h"
#include "TestSupport.h"
#include "UnitHttp.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(THttpObject, RequestsBodiesAndHeaders)
{
    TTestServer Server;
    const std::string Text = "Crème brûlée; " + std::string(2000, 'x');
    Server.Answer("*", "/r", {200, Text, "", true});
    THttpObject Http;
    const QString URL = Server.Address() + QStringLiteral("/r");
    // A gzip reply is decoded; a device receives the body after what it holds.
    EXPECT_EQ(Http.Get(URL), QString::fromStdString(Text));
    QBuffer Device;
    Device.open(QIODevice::ReadWrite);
    Device.write("avant:");
    Http.Get(URL, Device);
    EXPECT_EQ(Device.data(), "avant:" + QByteArray::fromStdString(Text));

    // Custom headers go with every request; the content type with bodies only, and it stays.
    Http.CustomHeaders.Add(QStringLiteral("Authorization: Bearer abc"));
    Http.ContentType = QStringLiteral("application/json");
    QBuffer Source;
    Source.setData(QByteArray("{\"name\":\"Noël\"}"));
    Source.open(QIODevice::ReadOnly);
    Source.seek(5);
    Http.Post(URL, Source);
    Http.Put(URL, QByteArray("{\"a\":1}"));
    Http.Patch(URL, QByteArray("{\"b\":2}"));
    Http.Delete(URL);
    TStringList Fields;
    Fields.Add(QStringLiteral("email=marié@exemple.fr"));
    Fields.Add(QStringLiteral("apikey=ab=cd"));
    QString Response;
    Http.PostForm(URL, &Fields, Response);

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 7u);
    EXPECT_NE(Requests[0].Header("Accept-Encoding").find("gzip"), std::string::npos);
    EXPECT_EQ(Requests[0].Header("User-Agent"),
              "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Trident/6.0; MSAppHost/1.0)");
    const char *const Sent[] = {"POST /r{\"name\":\"Noël\"}|application/json", "PUT /r{\"a\":1}|application/json",
                                "PATCH /r{\"b\":2}|application/json", "DELETE /r|"};
    for (std::size_t I = 2; I < 6; ++I) {
        const TRecordedRequest &R = Requests[I];
        EXPECT_EQ(R.Line + R.Body + '|' + R.Header("Content-Type"), Sent[I - 2]);
        EXPECT_EQ(R.Header("Authorization"), "Bearer abc");
    }
    // A form field's name ends at the first "=", its value is UTF-8.
    EXPECT_EQ(Requests[6].Header("Content-Type").rfind("multipart/form-data; boundary=", 0), 0u);
    EXPECT_EQ(Requests[6].Files.find("email")->second.content, "marié@exemple.fr");
    EXPECT_EQ(Requests[6].Files.find("email")->second.content_type, "text/plain; charset=UTF-8");
    EXPECT_EQ(Requests[6].Files.find("apikey")->second.content, "ab=cd");
}

TEST(THttpObject, StatusesRedirectsAndFailures)
{
    TTestServer Server;
    Server.Answer("DELETE", "/menu/3", {404, "{\"error\":\"Menu inconnu\"}"});
    Server.Answer("GET", "/vide", {204});
    Server.Answer("GET", "/a", {302, "", "/b"});
    Server.Answer("GET", "/b", {200, "arrivé"});
    Server.Answer("GET", "/boucle", {302, "", "/boucle"});
    Server.Answer("GET", "/lent", {200, "", "", false, true});
    THttpObject Http;
    try {
        Http.Delete(Server.Address() + QStringLiteral("/menu/3"));
        ADD_FAILURE() << "no exception";
    } catch (const EHttpProtocolError &E) {
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(E.ErrorCode).arg(E.ErrorMessage, E.Message),
                  QStringLiteral("404 {\"error\":\"Menu inconnu\"} HTTP/1.1 404 Not Found"));
    }
    // A success other than 200 is the caller's to judge.
    EXPECT_EQ(Http.Get(Server.Address() + QStringLiteral("/vide")), QString());
    EXPECT_EQ(Http.ResponseCode, 204);
    EXPECT_EQ(Http.Get(Server.Address() + QStringLiteral("/a")), QStringLiteral("arrivé"));

    // A redirect loop ends after fifteen with a failure, not a hang.
    Server.ClearRequests();
    EXPECT_THROW(Http.Get(Server.Address() + QStringLiteral("/boucle")), EHttpSocketError);
    EXPECT_EQ(Server.Requests().size(), 16u);
    // Refused at once, or no answer until the read time-out.
    EXPECT_THROW(Http.Get(QStringLiteral("http://127.0.0.1:%1/").arg(ClosedLoopbackPort())), EHttpSocketError);
    EXPECT_EQ(Http.ResponseCode, 0);
    Http.SetReadTimeout(1000);
    EXPECT_THROW(Http.Get(Server.Address() + QStringLiteral("/lent")), EHttpSocketError);
}

TEST(THttpObject, RedirectsKeepMethodAndBodyButNotCredentialsForAnotherHost)
{
    TTestServer Server;
    THttpObject Http;
    Http.ContentType = QStringLiteral("application/json");
    Http.CustomHeaders.Add(QStringLiteral("Authorization: Bearer jeton-42"));
    struct TCase
    {
        int Status;
        const char *Method;
    };
    for (const TCase C :
         {TCase{301, "PUT"}, TCase{302, "PATCH"}, TCase{303, "PUT"}, TCase{302, "POST"}, TCase{307, "PATCH"}}) {
        SCOPED_TRACE(std::to_string(C.Status) + C.Method);
        Server.Answer("", "", {});
        Server.Answer("*", "/ancien", {C.Status, "", "/nouveau"});
        Server.ClearRequests();
        const QString URL = Server.Address() + QStringLiteral("/ancien");
        const QByteArray Body("{\"name\":\"Menu\"}");
        if (std::string(C.Method) == "PUT")
            Http.Put(URL, Body);
        else if (std::string(C.Method) == "PATCH")
            Http.Patch(URL, Body);
        else
            Http.Post(URL, Body);
        EXPECT_EQ(Http.ResponseCode, 200);
        const auto Requests = Server.Requests();
        ASSERT_EQ(Requests.size(), 2u);
        EXPECT_EQ(Requests[1].Line + Requests[1].Body, std::string(C.Method) + " /nouveau" + Body.toStdString());
        EXPECT_EQ(Requests[1].Header("Authorization"), "Bearer jeton-42");
    }
    // The form of the token request too.
    Server.Answer("*", "/ancien", {302, "", "/nouveau"});
    Server.ClearRequests();
    TStringList Fields;
    Fields.Add(QStringLiteral("email=a@b.fr"));
    QString Response;
    Http.PostForm(Server.Address() + QStringLiteral("/ancien"), &Fields, Response);
    ASSERT_EQ(Server.Requests().size(), 2u);
    EXPECT_EQ(Server.Requests()[1].Line, "POST /nouveau");
    EXPECT_EQ(Server.Requests()[1].Files.find("email")->second.content, "a@b.fr");

    // Another host name gets the request without the token.
    const QString Other = Server.Address().replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
    Server.Answer("*", "/ailleurs", {302, "", (Other + QStringLiteral("/nouveau")).toStdString()});
    Server.ClearRequests();
    // The server turns the request without a token away.
    Http.ContentType = QStringLiteral("application/json");
    EXPECT_THROW(Http.Put(Server.Address() + QStringLiteral("/ailleurs"), QByteArray("{}")), EHttpProtocolError);
    ASSERT_EQ(Server.Requests().size(), 2u);
    EXPECT_EQ(Server.Requests()[0].Header("Authorization"), "Bearer jeton-42");
    EXPECT_EQ(Server.Requests()[1].Header("Authorization"), "");
}

TEST(THttpObject, HttpsTrustsOnlyTheGivenCertificate)
{
    QTemporaryDir Dir;
    const auto File = [&](const char *Name) { return Dir.filePath(QString::fromLatin1(Name)).toStdString(); };
    MakeSelfSignedCertificate(File("serveur.pem"), File("serveur.key"));
    MakeSelfSignedCertificate(File("autre.pem"), File("autre.key"));
    TTestServer Server(File("serveur.pem"), File("serveur.key"));
    Server.Answer("GET", "/s", {200, "sécurisé"});
    const QString URL = Server.Address() + QStringLiteral("/s");
    ASSERT_TRUE(URL.startsWith(QStringLiteral("https://127.0.0.1:")));

    THttpObject Trusting;
    Trusting.SetCAInfo(QString::fromStdString(File("serveur.pem")));
    EXPECT_EQ(Trusting.Get(URL), QStringLiteral("sécurisé"));
    THttpObject Wary;
    Wary.SetCAInfo(QString::fromStdString(File("autre.pem")));
    EXPECT_THROW(Wary.Get(URL), EHttpSocketError);
    // Nor does the system's store know the server.
    EXPECT_THROW(THttpObject().Get(URL), EHttpSocketError);
    EXPECT_EQ(Server.Requests().size(), 1u);
}
