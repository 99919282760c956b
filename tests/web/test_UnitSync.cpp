#include "KVXConversion.h"
#include "KVXFiles.h"
#include "TestHelpers.h"
#include "TestServer.h"
#include "UnitDatabase.h"
#include "UnitHttp.h"
#include "UnitSync.h"

#include <gtest/gtest.h>

namespace {

const QString AuthenticationText = QStringLiteral("Erreur d'authentification avec le serveur, veuillez régler les "
                                                  "paramètres de synchronisation dans les options.");
const QString SendText = QStringLiteral("Erreur de synchronisation avec le serveur, en cas de besoin ouvrez les "
                                        "options puis effacez vos données du serveur.");

const QString MenuText =
    QStringLiteral("{\"name\":\"Semaine du 7\",\"recettes\":[{\"jour\":46363,\"repas\":1,\"pers\":2,\"code\":1,"
                   "\"name\":\"Crêpes\"}]}");

class SlimApiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetWebAddressesForTesting(Server.Address(), Server.Address());
        Config->SetSyncEmail(QStringLiteral("marie@exemple.fr"));
        Config->SetSyncApiKey(QStringLiteral("cle-secrete"));
        InitializeUnitHttp();
        InitializeUnitSync();
    }
    void TearDown() override
    {
        FinalizeUnitSync();
        FinalizeUnitHttp();
        FreeDatabase();
        SetNowFunction({});
    }

    // A fresh database of the shipped schema in the test's folder.
    void OpenDatabase()
    {
        SetDatabase(std::make_unique<TQlDatabase>(Cfg.Dir.filePath(QStringLiteral("recipes.db3"))));
        Database->ExecScript(KVXReadFile(QStringLiteral(FENOLDA_SCHEMA_FILE)));
    }

    static QString Stamp(TDateTime Value) { return KVXDateTimeToString(dtkDateTime, false, Value); }

    TTestServer Server;
    TTestConfig Cfg;
};

nlohmann::ordered_json Parse(const QByteArray &Bytes)
{
    return nlohmann::ordered_json::parse(Bytes.toStdString());
}

} // namespace

TEST_F(SlimApiTest, TheFirstOperationAsksForTheTokenTheNextOnesReuseIt)
{
    EXPECT_EQ(SlimApi->AddMenu(MenuText), 17);
    TKVXJson List;
    SlimApi->GetMenuList(List);

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 3u);
    EXPECT_EQ(Requests[0].Method + " " + Requests[0].Target, "POST /common/token");
    ASSERT_EQ(Requests[0].Files.count("email"), 1u);
    EXPECT_EQ(Requests[0].Files.find("email")->second.content, "marie@exemple.fr");
    EXPECT_EQ(Requests[0].Files.find("apikey")->second.content, "cle-secrete");
    EXPECT_FALSE(Requests[0].HasHeader("Authorization"));

    EXPECT_EQ(Requests[1].Method + " " + Requests[1].Target, "POST /fenolda/menu");
    EXPECT_EQ(Requests[1].Body, MenuText.toStdString());
    EXPECT_EQ(Requests[1].Header("Content-Type"), "application/json");
    EXPECT_EQ(Requests[2].Method + " " + Requests[2].Target, "GET /fenolda/menu?recettes=1");
    EXPECT_FALSE(Requests[2].HasHeader("Content-Type"));
    for (std::size_t I = 1; I < Requests.size(); ++I)
        EXPECT_EQ(Requests[I].Header("Authorization"), "Bearer jeton-42");
    EXPECT_EQ(HttpObject->CustomHeaders.Text(), QStringLiteral("Authorization: Bearer jeton-42\r\n"));

    const TJsonValue &Root = List.GetRoot();
    ASSERT_TRUE(Root.is_array());
    ASSERT_EQ(Root.size(), 1u);
    EXPECT_EQ(Root[0]["code"], 17);
    EXPECT_EQ(QStr(Root[0]["name"]), QStringLiteral("Semaine du 7"));
    EXPECT_EQ(QStr(Root[0]["modified"]), QStringLiteral("2026-12-05 10:00:00"));
    EXPECT_EQ(QStr(Root[0]["recettes"][0]["name"]), QStringLiteral("Crêpes"));
}

TEST_F(SlimApiTest, TokenFailures)
{
    // Refused credentials: the server's status and body.
    Config->SetSyncApiKey(QStringLiteral("mauvaise"));
    TFailure F = FailureOf([] { SlimApi->GetToken(); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.GetToken] 401: {\"error\":\"Identifiants inconnus\"}"));
    EXPECT_EQ(F.UserMessage, AuthenticationText);

    // A blank after the colon is not the expected form.
    TCannedReply Blank;
    Blank.Body = "{\"token\": \"abc\"}";
    Server.Answer("POST", "/common/token", Blank);
    Server.ClearRequests();
    F = FailureOf([] { SlimApi->DeleteMenu(3); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.DeleteMenu] [TSlimApi.GetToken] No token returned"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur de suppression du menu.\r\n") + AuthenticationText);
    EXPECT_EQ(Server.Requests().size(), 1u);
    EXPECT_EQ(HttpObject->CustomHeaders.Count(), 0);

    // A failed token adds nothing, so the next operation asks again; the token ends at
    // the first closing quote.
    TCannedReply Two;
    Two.Body = "{\"token\":\"abc\",\"expire\":\"2027-01-01\"}";
    Server.Answer("POST", "/common/token", Two);
    SlimApi->GetToken();
    EXPECT_EQ(HttpObject->CustomHeaders.Text(), QStringLiteral("Authorization: Bearer abc\r\n"));
    SlimApi->GetToken();
    EXPECT_EQ(HttpObject->CustomHeaders.Count(), 1);
    EXPECT_EQ(Server.Requests().size(), 2u);
}

TEST_F(SlimApiTest, RenameMenu)
{
    const int Code = SlimApi->AddMenu(MenuText);
    SlimApi->RenameMenu(Code, QStringLiteral("Noël / fêtes \"maison\""));
    const auto Requests = Server.Requests();
    EXPECT_EQ(Requests.back().Method + " " + Requests.back().Target, "PATCH /fenolda/menu/17");
    EXPECT_EQ(Requests.back().Body, "{\"name\":\"Noël \\/ fêtes \\\"maison\\\"\"}");
    EXPECT_EQ(Requests.back().Header("Content-Type"), "application/json");
    EXPECT_EQ(Server.State([](TApiState &S) { return S.Menus.at(17)["name"].get<std::string>(); }),
              "Noël / fêtes \"maison\"");

    // Any success but 200 means the request went astray.
    TCannedReply NoContent;
    NoContent.Status = 204;
    Server.Answer("PATCH", "/fenolda/menu/17", NoContent);
    const TFailure F = FailureOf([&] { SlimApi->RenameMenu(Code, QStringLiteral("Autre")); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.RenameMenu] Invalid return code: 204"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur de renommage du menu."));
}

TEST_F(SlimApiTest, DeleteAndUpdateMenu)
{
    const int Code = SlimApi->AddMenu(MenuText);
    const QString Changed = QStringLiteral("{\"recettes\":[]}");
    SlimApi->UpdateMenu(Code, Changed);
    EXPECT_EQ(Server.Requests().back().Method + " " + Server.Requests().back().Target, "PUT /fenolda/menu/17");
    EXPECT_EQ(Server.Requests().back().Body, Changed.toStdString());
    SlimApi->DeleteMenu(Code);
    EXPECT_EQ(Server.Requests().back().Method + " " + Server.Requests().back().Target, "DELETE /fenolda/menu/17");
    EXPECT_TRUE(Server.State([](TApiState &S) { return S.Menus.empty(); }));

    // An error status: its code and the reply body.
    TFailure F = FailureOf([&] { SlimApi->DeleteMenu(Code); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.DeleteMenu] 404: {\"error\":\"Menu inconnu\"}"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur de suppression du menu."));

    // A reply without a code gives no menu.
    TCannedReply NoCode;
    NoCode.Body = "{}";
    Server.Answer("POST", "/fenolda/menu", NoCode);
    F = FailureOf([&] { SlimApi->AddMenu(MenuText); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.AddMenu] No menu code returned"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur de création du menu."));
}

TEST_F(SlimApiTest, GetMenuListReplies)
{
    TKVXJson List;
    List.LoadFromString(QStringLiteral("{\"avant\":1}"));
    TCannedReply Empty;
    Server.Answer("GET", "/fenolda/menu", Empty);
    SlimApi->GetMenuList(List);
    EXPECT_EQ(List.GetText(false), QStringLiteral("{\"avant\":1}"));

    TCannedReply Html;
    Html.Body = "<html>erreur</html>";
    Html.ContentType = "text/html";
    Server.Answer("GET", "/fenolda/menu", Html);
    const TFailure F = FailureOf([&] { SlimApi->GetMenuList(List); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.GetMenuList] Invalid JSON data"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur de récupération de la liste des menus."));
}

TEST_F(SlimApiTest, EraseResetsLastSyncOnlyWhenItSucceeds)
{
    const TDateTime Before = EncodeDate(2026, 12, 1) + EncodeTime(9, 30, 0, 0);
    Config->SetLastSync(Before);
    TCannedReply Broken;
    Broken.Status = 500;
    Broken.Body = "{\"error\":\"panne\"}";
    Server.Answer("DELETE", "/fenolda/data", Broken);
    const TFailure F = FailureOf([] { SlimApi->Erase(); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.Erase] 500: {\"error\":\"panne\"}"));
    EXPECT_EQ(F.UserMessage, QStringLiteral("Erreur d'effacement des données."));
    EXPECT_EQ(Stamp(Config->GetLastSync()), QStringLiteral("2026-12-01 09:30:00"));

    Server.ClearAnswers();
    SlimApi->Erase();
    EXPECT_EQ(Config->GetLastSync(), 0);
    EXPECT_EQ(Server.State([](TApiState &S) { return S.Erases; }), 1);
}

namespace {

// Two shelves, one unit, two ingredients (one without shelf), one recipe without cookbook
// and with an empty description, and its two lines (one without unit), all stamped
// 2026-12-01 09:00:00.
const char SmallDatabase[] = R"SQL(
INSERT INTO rayon (name) VALUES ('Crèmerie');
INSERT INTO rayon (name) VALUES ('Fruits "frais"/légumes');
INSERT INTO unite (name) VALUES ('g');
INSERT INTO ingredient (name, raycode) VALUES ('lait', 1);
INSERT INTO ingredient (name, raycode) VALUES ('sel', NULL);
INSERT INTO recette (name, description, tprep, tcuisson, nbpers, repas, type_, saison, link, trepos)
    VALUES ('Crêpes', '', 10, 20, 4, 0, 2, 0, 'https://exemple.fr/crepes', 0);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES (1, 1, 0.5, NULL, '');
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES (1, 2, 2, 1, 'fin');
UPDATE rayon SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00';
UPDATE unite SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00';
UPDATE ingredient SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00';
UPDATE recette SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00';
UPDATE ingredients SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00';
)SQL";

#define DATES "\"inserted\":\"2026-12-01 09:00:00\",\"updated\":\"2026-12-01 09:00:00\""

const char FullDocument[] =
    "{\"insert\":{"
    "\"livre\":[],"
    "\"rayon\":[{\"code\":1,\"name\":\"Crèmerie\"," DATES "},"
    "{\"code\":2,\"name\":\"Fruits \\\"frais\\\"\\/légumes\"," DATES "}],"
    "\"unite\":[{\"code\":1,\"name\":\"g\"," DATES "}],"
    "\"ingredient\":[{\"code\":1,\"name\":\"lait\",\"raycode\":1," DATES "},"
    "{\"code\":2,\"name\":\"sel\",\"raycode\":null," DATES "}],"
    "\"recette\":[{\"code\":1,\"name\":\"Crêpes\",\"description\":null,\"tprep\":10,\"tcuisson\":20,\"nbpers\":4,"
    "\"menupers\":0,\"repas\":0,\"type_\":2,\"saison\":0,\"livcode\":null,\"page\":null,"
    "\"link\":\"https:\\/\\/exemple.fr\\/crepes\",\"prep\":null,\"photo\":null,\"filestream\":null,\"filename\":null,"
    "\"trepos\":0," DATES "}],"
    "\"ingredients\":[{\"reccode\":1,\"ingcode\":1,\"quantite\":0.5,\"unitecode\":null,\"note\":null," DATES "},"
    "{\"reccode\":1,\"ingcode\":2,\"quantite\":2,\"unitecode\":1,\"note\":\"fin\"," DATES "}]},"
    "\"update\":{\"livre\":[],\"rayon\":[],\"unite\":[],\"ingredient\":[],\"recette\":[],\"ingredients\":[]},"
    "\"delete\":{\"livre\":[],\"rayon\":[1,2],\"unite\":[1],\"ingredient\":[1,2],\"recette\":[1],"
    "\"ingredients\":[1,1,1,2]}}";

#undef DATES

} // namespace

TEST_F(SlimApiTest, CollectWritesTheUploadDocument)
{
    OpenDatabase();
    Database->ExecScript(QString::fromUtf8(SmallDatabase));
    const TDateTime Done = EncodeDate(2026, 12, 5) + EncodeTime(10, 0, 0, 0);
    SetNowFunction([=] { return Done; });

    // Never uploaded: every row is new.
    SlimApi->Collect();
    EXPECT_EQ(SlimApi->Payload.data(), QByteArray(FullDocument));
    EXPECT_EQ(SlimApi->Payload.pos(), 0);
    EXPECT_EQ(SlimApi->PayloadTime, Done);
    // Building a document alone does not count as an upload.
    EXPECT_EQ(Config->GetLastSync(), 0);

    // Since the 2nd: the second shelf came (and changed) after it, the recipe changed after
    // it; the rest is old. Keys list every row all the same.
    Database->ExecScript(QStringLiteral(
        "UPDATE rayon SET inserted = '2026-12-03 08:00:00', updated = '2026-12-04 08:00:00' WHERE code = 2;"
        "UPDATE recette SET updated = '2026-12-03 08:00:00';"));
    Config->SetLastSync(EncodeDate(2026, 12, 2));
    SlimApi->Collect();
    const auto Document = Parse(SlimApi->Payload.data());
    EXPECT_EQ(Document["insert"]["rayon"].size(), 1u);
    EXPECT_EQ(Document["insert"]["rayon"][0]["code"], 2);
    EXPECT_EQ(Document["update"]["rayon"].size(), 0u);
    EXPECT_EQ(Document["insert"]["recette"].size(), 0u);
    ASSERT_EQ(Document["update"]["recette"].size(), 1u);
    EXPECT_EQ(Document["update"]["recette"][0]["updated"], "2026-12-03 08:00:00");
    EXPECT_EQ(Document["insert"]["ingredients"].size(), 0u);
    EXPECT_EQ(Document["update"]["ingredients"].size(), 0u);
    EXPECT_EQ(Document["delete"]["rayon"].dump(), "[1,2]");
    EXPECT_EQ(Document["delete"]["ingredients"].dump(), "[1,1,1,2]");
}

TEST_F(SlimApiTest, AFieldOfAnUnknownTypeStopsTheCollect)
{
    OpenDatabase();
    Database->ExecScript(QString::fromUtf8(SmallDatabase));
    TJsonValue Target = TJsonValue::object();
    const TFailure F = FailureOf([&] {
        SlimApi->CollectRows(Target, QStringLiteral("rayon"), {QStringLiteral("icode"), QStringLiteral("xname")},
                             {QStringLiteral("code")}, {}, true);
    });
    EXPECT_EQ(F.Message, QStringLiteral("Unexpected field type"));
}

TEST_F(SlimApiTest, SendStoresLastSyncOnlyAfterTheServerTookTheDocument)
{
    OpenDatabase();
    Database->ExecScript(QString::fromUtf8(SmallDatabase));
    const TDateTime First = EncodeDate(2026, 12, 5) + EncodeTime(10, 0, 0, 0);
    SetNowFunction([=] { return First; });

    SlimApi->Send();
    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Requests[0].Target, "/common/token");
    EXPECT_EQ(Requests[1].Method + " " + Requests[1].Target, "POST /fenolda/data");
    EXPECT_EQ(Requests[1].Header("Content-Type"), "application/json");
    EXPECT_EQ(Requests[1].Body, std::string(FullDocument));
    EXPECT_EQ(Stamp(Config->GetLastSync()), QStringLiteral("2026-12-05 10:00:00"));

    // The server fails: the time stays, so the rows changed since are sent again next time.
    Database->ExecScript(QStringLiteral("UPDATE rayon SET updated = '2026-12-06 08:00:00' WHERE code = 1;"));
    SetNowFunction([=] { return First + 1; });
    TCannedReply Broken;
    Broken.Status = 503;
    Broken.Body = "{\"error\":\"maintenance\"}";
    Server.Answer("POST", "/fenolda/data", Broken);
    const TFailure F = FailureOf([] { SlimApi->Send(); });
    EXPECT_EQ(F.Message, QStringLiteral("[TSlimApi.Send] 503: {\"error\":\"maintenance\"}"));
    EXPECT_EQ(F.UserMessage, SendText);
    EXPECT_EQ(Stamp(Config->GetLastSync()), QStringLiteral("2026-12-05 10:00:00"));

    Server.ClearAnswers();
    SlimApi->Send();
    const auto Document = nlohmann::ordered_json::parse(Server.State([](TApiState &S) { return S.Uploads.back(); }));
    ASSERT_EQ(Document["update"]["rayon"].size(), 1u);
    EXPECT_EQ(Document["update"]["rayon"][0]["code"], 1);
    EXPECT_EQ(Stamp(Config->GetLastSync()), QStringLiteral("2026-12-06 10:00:00"));

    // A failed collect is reported under the upload with both user texts, and sends nothing.
    FreeDatabase();
    Server.ClearRequests();
    const TFailure G = FailureOf([] { SlimApi->Send(); });
    EXPECT_EQ(G.Message, QStringLiteral("[TSlimApi.Send] [TSlimApi.Collect] The database is not open"));
    EXPECT_EQ(G.UserMessage, SendText + QStringLiteral("\r\nErreur pendant la collecte des données à synchroniser"));
    EXPECT_TRUE(Server.Requests().empty());
}
