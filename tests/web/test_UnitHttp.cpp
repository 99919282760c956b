#include "TestHelpers.h"
#include "TestServer.h"
#include "UnitHttp.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(THttpObject, GetDecodesGzipAndSendsTheFixedUserAgent)
{
    TTestServer Server;
    const std::string Text = "Crème brûlée, 250 g de sucre; " + std::string(2000, 'x');
    TCannedReply Reply;
    Reply.Body = Text;
    Reply.Gzip = true;
    Server.Answer("GET", "/liste", Reply);
    THttpObject Http;

    EXPECT_EQ(Http.Get(Server.Address() + QStringLiteral("/liste")), QString::fromStdString(Text));
    EXPECT_EQ(Http.ResponseCode, 200);

    // The same body written into a device, after what it already holds.
    QBuffer Device;
    Device.open(QIODevice::ReadWrite);
    Device.write("avant:");
    Http.Get(Server.Address() + QStringLiteral("/liste"), Device);
    EXPECT_EQ(Device.data(), QByteArray("avant:") + QByteArray::fromStdString(Text));

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 2u);
    EXPECT_NE(Requests[0].Header("Accept-Encoding").find("gzip"), std::string::npos);
    EXPECT_EQ(Requests[0].Header("User-Agent"),
              "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Trident/6.0; MSAppHost/1.0)");
    EXPECT_FALSE(Requests[0].HasHeader("Content-Type"));
}

TEST(THttpObject, RedirectsAreFollowedUpToFifteen)
{
    TTestServer Server;
    TCannedReply Moved;
    Moved.Status = 302;
    Moved.Location = "/b";
    Server.Answer("GET", "/a", Moved);
    TCannedReply Target;
    Target.Body = "arrivé";
    Server.Answer("GET", "/b", Target);
    THttpObject Http;
    EXPECT_EQ(Http.Get(Server.Address() + QStringLiteral("/a")), QStringLiteral("arrivé"));
    EXPECT_EQ(Http.ResponseCode, 200);

    // A loop ends after the client's limit with a failure, not a hang.
    TCannedReply Loop;
    Loop.Status = 302;
    Loop.Location = "/boucle";
    Server.Answer("GET", "/boucle", Loop);
    Server.ClearRequests();
    EXPECT_THROW(Http.Get(Server.Address() + QStringLiteral("/boucle")), EHttpSocketError);
    EXPECT_EQ(Server.Requests().size(), 16u);
}

TEST(THttpObject, StatusesAboveAndBelow400)
{
    TTestServer Server;
    TCannedReply Missing;
    Missing.Status = 404;
    Missing.Body = "{\"error\":\"Menu inconnu\"}";
    Server.Answer("DELETE", "/menu/3", Missing);
    TCannedReply Empty;
    Empty.Status = 204;
    Server.Answer("GET", "/vide", Empty);
    THttpObject Http;

    try {
        Http.Delete(Server.Address() + QStringLiteral("/menu/3"));
        ADD_FAILURE() << "no exception";
    } catch (const EHttpProtocolError &E) {
        EXPECT_EQ(E.ErrorCode, 404);
        EXPECT_EQ(E.ErrorMessage, QStringLiteral("{\"error\":\"Menu inconnu\"}"));
        EXPECT_EQ(E.Message, QStringLiteral("HTTP/1.1 404 Not Found"));
    }
    EXPECT_EQ(Http.ResponseCode, 404);

    // A success other than 200 is the caller's to judge.
    EXPECT_EQ(Http.Get(Server.Address() + QStringLiteral("/vide")), QString());
    EXPECT_EQ(Http.ResponseCode, 204);
}

TEST(THttpObject, NoReplyRaisesTheSocketError)
{
    THttpObject Http;
    // Nothing listens: refused at once.
    const QString Closed = QStringLiteral("http://127.0.0.1:%1/version.php").arg(ClosedLoopbackPort());
    EXPECT_THROW(Http.Get(Closed), EHttpSocketError);
    EXPECT_EQ(Http.ResponseCode, 0);

    // A server that never answers: the read time-out gives up.
    TTestServer Server;
    TCannedReply Stall;
    Stall.Stall = true;
    Server.Answer("GET", "/lent", Stall);
    Http.SetReadTimeout(1000);
    try {
        Http.Get(Server.Address() + QStringLiteral("/lent"));
        ADD_FAILURE() << "no exception";
    } catch (const EHttpSocketError &E) {
        EXPECT_FALSE(E.Message.isEmpty());
    }
}

TEST(THttpObject, BodiesHeadersAndContentType)
{
    TTestServer Server;
    TCannedReply Ok;
    Ok.Body = "réponse";
    for (const char *Method : {"POST", "PUT", "PATCH", "DELETE", "GET"})
        Server.Answer(Method, "/r", Ok);
    THttpObject Http;
    Http.CustomHeaders.Add(QStringLiteral("Authorization: Bearer abc"));
    Http.ContentType = QStringLiteral("application/json");
    const QString URL = Server.Address() + QStringLiteral("/r");

    // A stream is sent whole, whatever its position.
    QBuffer Source;
    Source.setData(QStringLiteral("{\"name\":\"Noël\"}").toUtf8());
    Source.open(QIODevice::ReadOnly);
    Source.seek(5);
    EXPECT_EQ(Http.Post(URL, Source), QStringLiteral("réponse"));
    EXPECT_EQ(Http.Put(URL, QByteArray("{\"a\":1}")), QStringLiteral("réponse"));
    EXPECT_EQ(Http.Patch(URL, QByteArray("{\"b\":2}")), QStringLiteral("réponse"));
    Http.Delete(URL);
    Http.Get(URL);

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 5u);
    EXPECT_EQ(Requests[0].Method, "POST");
    EXPECT_EQ(Requests[0].Body, "{\"name\":\"Noël\"}");
    EXPECT_EQ(Requests[1].Method, "PUT");
    EXPECT_EQ(Requests[1].Body, "{\"a\":1}");
    EXPECT_EQ(Requests[2].Method, "PATCH");
    EXPECT_EQ(Requests[2].Body, "{\"b\":2}");
    EXPECT_EQ(Requests[3].Method, "DELETE");
    EXPECT_EQ(Requests[4].Method, "GET");
    for (const TRecordedRequest &Request : Requests)
        EXPECT_EQ(Request.Header("Authorization"), "Bearer abc") << Request.Method;
    // The content type goes with a body only, and stays set for the next body.
    for (int I = 0; I < 3; ++I)
        EXPECT_EQ(Requests[I].Header("Content-Type"), "application/json") << Requests[I].Method;
    EXPECT_FALSE(Requests[3].HasHeader("Content-Type"));
    EXPECT_FALSE(Requests[4].HasHeader("Content-Type"));
    EXPECT_EQ(Http.ContentType, QStringLiteral("application/json"));
}

TEST(THttpObject, PostFormFields)
{
    TTestServer Server;
    TCannedReply Ok;
    Ok.Body = "{\"token\":\"t\"}";
    Server.Answer("POST", "/form", Ok);
    THttpObject Http;
    const QString URL = Server.Address() + QStringLiteral("/form");

    TStringList Fields;
    Fields.Add(QStringLiteral("email=marié@exemple.fr"));
    Fields.Add(QStringLiteral("apikey=ab=cd"));
    QString Response;
    Http.PostForm(URL, &Fields, Response);
    EXPECT_EQ(Response, QStringLiteral("{\"token\":\"t\"}"));
    EXPECT_EQ(Http.ContentType, QStringLiteral("multipart/form-data"));

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Header("Content-Type").rfind("multipart/form-data; boundary=", 0), 0u);
    ASSERT_EQ(Requests[0].Files.size(), 2u);
    const auto &Email = Requests[0].Files.find("email")->second;
    EXPECT_EQ(Email.content, "marié@exemple.fr");
    EXPECT_EQ(Email.content_type, "text/plain; charset=UTF-8");
    EXPECT_TRUE(Email.filename.empty());
    EXPECT_EQ(Requests[0].Files.find("apikey")->second.content, "ab=cd");
}

TEST(THttpObject, HttpsTrustsOnlyTheGivenCertificate)
{
    QTemporaryDir Dir;
    const std::string Cert = Dir.filePath(QStringLiteral("serveur.pem")).toStdString();
    const std::string Key = Dir.filePath(QStringLiteral("serveur.key")).toStdString();
    const std::string Other = Dir.filePath(QStringLiteral("autre.pem")).toStdString();
    const std::string OtherKey = Dir.filePath(QStringLiteral("autre.key")).toStdString();
    MakeSelfSignedCertificate(Cert, Key);
    MakeSelfSignedCertificate(Other, OtherKey);
    TTestServer Server(Cert, Key);
    TCannedReply Ok;
    Ok.Body = "sécurisé";
    Server.Answer("GET", "/s", Ok);
    const QString URL = Server.Address() + QStringLiteral("/s");
    ASSERT_TRUE(URL.startsWith(QStringLiteral("https://127.0.0.1:")));

    THttpObject Trusting;
    Trusting.SetCAInfo(QString::fromStdString(Cert));
    EXPECT_EQ(Trusting.Get(URL), QStringLiteral("sécurisé"));

    THttpObject Wary;
    Wary.SetCAInfo(QString::fromStdString(Other));
    EXPECT_THROW(Wary.Get(URL), EHttpSocketError);
    // The system's store does not know the server either.
    THttpObject Plain;
    EXPECT_THROW(Plain.Get(URL), EHttpSocketError);
    EXPECT_EQ(Server.Requests().size(), 1u);
}
