#include "KVXConversion.h"
#include "RecipeBase.h"
#include "TestServer.h"
#include "TestSupport.h"
#include "UnitDatabase.h"
#include "UnitHttp.h"
#include "UnitSync.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

const QString AuthenticationText = QStringLiteral("Erreur d'authentification avec le serveur, veuillez régler les "
                                                  "paramètres de synchronisation dans les options.");
const QString SendText = QStringLiteral("Erreur de synchronisation avec le serveur, en cas de besoin ouvrez les "
                                        "options puis effacez vos données du serveur.");

class SlimApiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetWebAddressesForTesting(Server.Address(), Server.Address());
        Config->SetSyncEmail(QString::fromStdString(TestEmail));
        Config->SetSyncApiKey(QString::fromStdString(TestApiKey));
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

    // The failure of an operation, as "message | user text".
    template <class TFn> QString Failure(TFn &&Fn)
    {
        const TFailure F = FailureOf(Fn);
        return F.Message + QStringLiteral(" | ") + F.UserMessage;
    }
    std::string Last() const { return Server.Requests().back().Line + Server.Requests().back().Body; }

    TTestServer Server;
    TTestProgram Program;
};

} // namespace

TEST_F(SlimApiTest, TheFirstOperationAsksForTheTokenTheNextOnesReuseIt)
{
    EXPECT_EQ(SlimApi->AddMenu(QStringLiteral("{\"name\":\"Crêpes\"}")), 17);
    TKVXJson List;
    SlimApi->GetMenuList(List);
    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 3u);
    EXPECT_EQ(Requests[0].Line, "POST /common/token");
    EXPECT_EQ(Requests[0].Files.find("email")->second.content, TestEmail);
    EXPECT_EQ(Requests[0].Header("Authorization"), "");
    EXPECT_EQ(Requests[1].Line + Requests[1].Body, "POST /fenolda/menu{\"name\":\"Crêpes\"}");
    EXPECT_EQ(Requests[1].Header("Content-Type"), "application/json");
    EXPECT_EQ(Requests[2].Line, "GET /fenolda/menu?recettes=1");
    EXPECT_EQ(Requests[1].Header("Authorization") + Requests[2].Header("Authorization"),
              "Bearer jeton-42Bearer jeton-42");
    EXPECT_EQ(List.GetText(false), QStringLiteral("[]"));
}

TEST_F(SlimApiTest, TokenFailures)
{
    Config->SetSyncApiKey(QStringLiteral("mauvaise"));
    EXPECT_EQ(Failure([] { SlimApi->GetToken(); }),
              QStringLiteral("[TSlimApi.GetToken] 401: {\"error\":\"Identifiants inconnus\"} | ") + AuthenticationText);
    // A blank after the colon is not the expected form; a failed token adds no header, so
    // the next operation asks again. The token ends at the first closing quote.
    Server.Answer("POST", "/common/token", {200, "{\"token\": \"abc\"}"});
    EXPECT_EQ(Failure([] { SlimApi->DeleteMenu(3); }),
              QStringLiteral("[TSlimApi.DeleteMenu] [TSlimApi.GetToken] No token returned | Erreur de suppression du "
                             "menu.\r\n") +
                  AuthenticationText);
    EXPECT_EQ(HttpObject->CustomHeaders.Count(), 0);
    // A token with a line break or another control character would write header lines of
    // its own into every later request.
    for (const char *Reply : {"{\"token\":\"abc\r\nX-Admin: 1\"}", "{\"token\":\"abc\nX-Admin: 1\"}",
                              "{\"token\":\"a\tb\"}", "{\"token\":\"a\x7F\"}"}) {
        Server.Answer("POST", "/common/token", {200, Reply});
        EXPECT_EQ(Failure([] { SlimApi->GetToken(); }),
                  QStringLiteral("[TSlimApi.GetToken] No token returned | ") + AuthenticationText)
            << Reply;
        EXPECT_EQ(HttpObject->CustomHeaders.Count(), 0);
    }
    Server.Answer("POST", "/common/token", {200, "{\"token\":\"abc\",\"expire\":\"2027-01-01\"}"});
    SlimApi->GetToken();
    SlimApi->GetToken();
    EXPECT_EQ(HttpObject->CustomHeaders.Text(), QStringLiteral("Authorization: Bearer abc\r\n"));
    EXPECT_EQ(Server.Requests().size(), 7u);
}

TEST_F(SlimApiTest, MenuOperationsAndTheirFailures)
{
    SlimApi->RenameMenu(17, QStringLiteral("Noël / fêtes \"maison\""));
    EXPECT_EQ(Last(), "PATCH /fenolda/menu/17{\"name\":\"Noël \\/ fêtes \\\"maison\\\"\"}");
    SlimApi->UpdateMenu(17, QStringLiteral("{\"recettes\":[]}"));
    EXPECT_EQ(Last(), "PUT /fenolda/menu/17{\"recettes\":[]}");
    SlimApi->DeleteMenu(17);
    EXPECT_EQ(Last(), "DELETE /fenolda/menu/17");

    // An empty reply leaves the caller's document as it was.
    TKVXJson List;
    List.LoadFromString(QStringLiteral("{\"avant\":1}"));
    Server.Answer("GET", "/fenolda/menu", {200, ""});
    SlimApi->GetMenuList(List);
    EXPECT_EQ(List.GetText(false), QStringLiteral("{\"avant\":1}"));

    Server.Answer("PATCH", "/fenolda/menu/17", {204});
    Server.Answer("DELETE", "/fenolda/menu/17", {404, "{\"error\":\"Menu inconnu\"}"});
    Server.Answer("POST", "/fenolda/menu", {200, "{}"});
    Server.Answer("GET", "/fenolda/menu", {200, "<html>erreur</html>"});
    EXPECT_EQ(Failure([] { SlimApi->RenameMenu(17, QStringLiteral("Autre")); }),
              QStringLiteral("[TSlimApi.RenameMenu] Invalid return code: 204 | Erreur de renommage du menu."));
    EXPECT_EQ(Failure([] { SlimApi->DeleteMenu(17); }),
              QStringLiteral("[TSlimApi.DeleteMenu] 404: {\"error\":\"Menu inconnu\"} | Erreur de suppression du "
                             "menu."));
    EXPECT_EQ(Failure([] { SlimApi->AddMenu(QStringLiteral("{}")); }),
              QStringLiteral("[TSlimApi.AddMenu] No menu code returned | Erreur de création du menu."));
    // A code that does not fit 32 bits is no code: cut, it would name another menu; 0 and
    // below name none.
    for (const char *Reply : {"{\"code\":4294967313}", "{\"code\":-2147483649}", "{\"code\":18446744073709551615}",
                              "{\"code\":17.0}", "{\"code\":0}", "{\"code\":-3}", "{\"code\":\"17\"}", "[17]"}) {
        Server.Answer("POST", "/fenolda/menu", {200, Reply});
        EXPECT_EQ(Failure([] { SlimApi->AddMenu(QStringLiteral("{}")); }),
                  QStringLiteral("[TSlimApi.AddMenu] No menu code returned | Erreur de création du menu."))
            << Reply;
    }
    Server.Answer("POST", "/fenolda/menu", {200, "{\"code\":2147483647}"});
    EXPECT_EQ(SlimApi->AddMenu(QStringLiteral("{}")), 2147483647);
    EXPECT_EQ(Failure([&] { SlimApi->GetMenuList(List); }),
              QStringLiteral("[TSlimApi.GetMenuList] Invalid JSON data | Erreur de récupération de la liste des "
                             "menus."));
    // A failed list, whatever failed, leaves the caller's list whole; a good one replaces it.
    EXPECT_EQ(List.GetText(false), QStringLiteral("{\"avant\":1}"));
    Server.Answer("GET", "/fenolda/menu", {200, "{\"menus\":[]}"});
    EXPECT_EQ(Failure([&] { SlimApi->GetMenuList(List); }),
              QStringLiteral("[TSlimApi.GetMenuList] Invalid menu list: not an array | Erreur de récupération de la "
                             "liste des menus."));
    Server.Answer("GET", "/fenolda/menu", {201, "[]"});
    EXPECT_TRUE(FailureOf([&] { SlimApi->GetMenuList(List); }).Raised);
    EXPECT_EQ(List.GetText(false), QStringLiteral("{\"avant\":1}"));
    Server.Answer("GET", "/fenolda/menu", {200, "[{\"code\":1}]"});
    SlimApi->GetMenuList(List);
    EXPECT_EQ(List.GetText(false), QStringLiteral("[{\"code\":1}]"));
}

TEST(ServerMenuTest, ACodeAndANameOfTheirTypesOrARefusalInFrench)
{
    const TServerMenu Menu = ReadServerMenu(TJsonValue::parse(R"({"code":2147483647,"name":"Noël"})"));
    EXPECT_EQ(Menu.Code, 2147483647);
    EXPECT_EQ(Menu.Name, QStringLiteral("Noël"));
    for (const char *Item : {R"({"name":"Noël"})", R"({"code":"7","name":"Noël"})", R"({"code":7.0,"name":"Noël"})",
                             R"({"code":0,"name":"Noël"})", R"({"code":4294967303,"name":"Noël"})", R"({"code":7})",
                             R"({"code":7,"name":12})", R"({"code":7,"name":null})", "[7]", "7"}) {
        const TFailure Failure = FailureOf([&] { ReadServerMenu(TJsonValue::parse(Item)); });
        EXPECT_EQ(Failure.UserMessage, QStringLiteral("Le menu n'a pas un format valide.")) << Item;
        EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("[ReadServerMenu] Invalid server menu: "))) << Item;
    }
}

TEST_F(SlimApiTest, EraseResetsLastSyncOnlyWhenItSucceeds)
{
    Config->SetLastSync(EncodeDate(2026, 12, 1));
    Server.Answer("DELETE", "/fenolda/data", {500, "{\"error\":\"panne\"}"});
    EXPECT_EQ(Failure([] { SlimApi->Erase(); }),
              QStringLiteral("[TSlimApi.Erase] 500: {\"error\":\"panne\"} | Erreur d'effacement des données."));
    EXPECT_EQ(Config->GetLastSync(), EncodeDate(2026, 12, 1));
    Server.Answer("", "", {});
    SlimApi->Erase();
    EXPECT_EQ(Last(), "DELETE /fenolda/data");
    EXPECT_EQ(Config->GetLastSync(), 0);
}

// Two shelves (a double quote and a slash in one name), one unit, two ingredients (one
// without shelf), a recipe with an empty description and no cookbook, and its two lines (one
// without unit), all stamped 2026-12-01 09:00:00.
TEST_F(SlimApiTest, TheUploadDocumentAndLastSyncAfterTheServerTookIt)
{
    ASSERT_TRUE(MakeRecipeBase(Program.Path(QStringLiteral("recipes.db3")), false));
    SetDatabase(std::make_unique<TQlDatabase>(Program.Path(QStringLiteral("recipes.db3"))));
    Database->ExecScript(QStringLiteral(R"SQL(
INSERT INTO rayon (name) VALUES ('Crèmerie'), ('Fruits "frais"/légumes');
INSERT INTO unite (name) VALUES ('g');
INSERT INTO ingredient (name, raycode) VALUES ('lait', 1), ('sel', NULL);
INSERT INTO recette (name, description, tprep, tcuisson, nbpers, repas, type_, saison, link, trepos)
    VALUES ('Crêpes', '', 10, 20, 4, 0, 2, 0, 'https://exemple.fr/crepes', 0);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES (1, 1, 0.5, NULL, ''), (1, 2, 2, 1, 'fin');
)SQL"));
    for (const char *Table : {"rayon", "unite", "ingredient", "recette", "ingredients"})
        Database->ExecSQL(
            QStringLiteral("UPDATE %1 SET inserted = '2026-12-01 09:00:00', updated = '2026-12-01 09:00:00'")
                .arg(Table));
    const TDateTime Done = EncodeDate(2026, 12, 5) + EncodeTime(10, 0, 0, 0);
    SetNowFunction([=] { return Done; });

    // Never uploaded: every row is new.
    SlimApi->Send();
#define DATES "\"inserted\":\"2026-12-01 09:00:00\",\"updated\":\"2026-12-01 09:00:00\""
    EXPECT_EQ(Last(),
              "POST /fenolda/data{\"insert\":{\"livre\":[],"
              "\"rayon\":[{\"code\":1,\"name\":\"Crèmerie\"," DATES "},"
              "{\"code\":2,\"name\":\"Fruits \\\"frais\\\"\\/légumes\"," DATES "}],"
              "\"unite\":[{\"code\":1,\"name\":\"g\"," DATES "}],"
              "\"ingredient\":[{\"code\":1,\"name\":\"lait\",\"raycode\":1," DATES "},"
              "{\"code\":2,\"name\":\"sel\",\"raycode\":null," DATES "}],"
              "\"recette\":[{\"code\":1,\"name\":\"Crêpes\",\"description\":null,\"tprep\":10,\"tcuisson\":20,"
              "\"nbpers\":4,\"menupers\":0,\"repas\":0,\"type_\":2,\"saison\":0,\"livcode\":null,\"page\":null,"
              "\"link\":\"https:\\/\\/exemple.fr\\/crepes\",\"prep\":null,\"photo\":null,\"filestream\":null,"
              "\"filename\":null,\"trepos\":0," DATES "}],"
              "\"ingredients\":[{\"reccode\":1,\"ingcode\":1,\"quantite\":0.5,\"unitecode\":null,\"note\":null," DATES
              "},{\"reccode\":1,\"ingcode\":2,\"quantite\":2,\"unitecode\":1,\"note\":\"fin\"," DATES "}]},"
              "\"update\":{\"livre\":[],\"rayon\":[],\"unite\":[],\"ingredient\":[],\"recette\":[],\"ingredients\":[]},"
              "\"delete\":{\"livre\":[],\"rayon\":[1,2],\"unite\":[1],\"ingredient\":[1,2],\"recette\":[1],"
              "\"ingredients\":[1,1,1,2]}}");
#undef DATES
    EXPECT_EQ(Server.Requests().back().Header("Content-Type"), "application/json");
    EXPECT_EQ(Config->GetLastSync(), Done);

    // The server fails: the time stays, so the rows changed since go again next time. A row
    // inserted and then updated since goes under "insert" only.
    Database->ExecScript(QStringLiteral(
        "UPDATE rayon SET inserted = '2026-12-05 11:00:00', updated = '2026-12-05 12:00:00' WHERE code = 2;"
        "UPDATE recette SET updated = '2026-12-05 11:00:00';"));
    SetNowFunction([=] { return Done + 1; });
    Server.Answer("POST", "/fenolda/data", {503, "{\"error\":\"maintenance\"}"});
    EXPECT_EQ(Failure([] { SlimApi->Send(); }),
              QStringLiteral("[TSlimApi.Send] 503: {\"error\":\"maintenance\"} | ") + SendText);
    EXPECT_EQ(Config->GetLastSync(), Done);
    Server.Answer("", "", {});
    SlimApi->Send();
    const auto Document = nlohmann::ordered_json::parse(Server.Requests().back().Body);
    EXPECT_EQ(Document["insert"]["rayon"].size() + Document["update"]["recette"].size(), 2u);
    EXPECT_EQ(Document["insert"]["rayon"][0]["code"], 2);
    EXPECT_EQ(Document["update"]["rayon"].size() + Document["insert"]["recette"].size() +
                  Document["insert"]["ingredients"].size(),
              0u);
    EXPECT_EQ(Config->GetLastSync(), Done + 1);

    // A field of an unknown type stops the collect; a failed collect sends nothing.
    TJsonValue Target = TJsonValue::object();
    EXPECT_EQ(ErrorOf([&] {
                  SlimApi->CollectRows(Target, QStringLiteral("rayon"),
                                       {QStringLiteral("icode"), QStringLiteral("xname")}, {QStringLiteral("code")}, {},
                                       true);
              }),
              QStringLiteral("Unexpected field type"));
    FreeDatabase();
    Server.ClearRequests();
    EXPECT_EQ(Failure([] { SlimApi->Send(); }),
              QStringLiteral("[TSlimApi.Send] [TSlimApi.Collect] Database is not open | ") + SendText +
                  QStringLiteral("\r\nErreur pendant la collecte des données à synchroniser\r\n"
                                 "La base de données n'est pas ouverte : fermez le programme, puis relancez-le."));
    EXPECT_TRUE(Server.Requests().empty());
}
