#include "UnitSync.h"

#include "KVXConversion.h"
#include "KVXRegExpr.h"
#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitHttp.h"
#include "UnitTypes.h"

#include <algorithm>
#include <memory>

TSlimApi *SlimApi = nullptr;

namespace {

std::unique_ptr<TSlimApi> OwnedSlimApi;

const char AuthenticationText[] = "Erreur d'authentification avec le serveur, veuillez régler les paramètres de "
                                  "synchronisation dans les options.";

// The synchronised tables in upload order: referenced tables before the tables that name
// them.
struct TSyncTableDef
{
    const char *Name;
    QStringList Fields;
    QStringList Keys;
    QStringList ForeignKeys;
};

const std::vector<TSyncTableDef> &SyncTables()
{
    static const std::vector<TSyncTableDef> Tables = {
        {"livre", {"icode", "sname", "dinserted", "dupdated"}, {"code"}, {}},
        {"rayon", {"icode", "sname", "dinserted", "dupdated"}, {"code"}, {}},
        {"unite", {"icode", "sname", "dinserted", "dupdated"}, {"code"}, {}},
        {"ingredient", {"icode", "sname", "iraycode", "dinserted", "dupdated"}, {"code"}, {"raycode"}},
        {"recette",
         {"icode",  "sname",       "sdescription", "itprep",   "itcuisson", "inbpers", "imenupers",
          "irepas", "itype_",      "isaison",      "ilivcode", "spage",     "slink",   "sprep",
          "sphoto", "sfilestream", "sfilename",    "itrepos",  "dinserted", "dupdated"},
         {"code"},
         {"livcode"}},
        {"ingredients",
         {"ireccode", "iingcode", "fquantite", "iunitecode", "snote", "dinserted", "dupdated"},
         {"reccode", "ingcode"},
         {"unitecode"}},
    };
    return Tables;
}

QString ApiAddress(const QString &Path)
{
    return WebApiAddress() + Path;
}

THttpObject &Http()
{
    if (!HttpObject)
        throw Exception(QStringLiteral("The HTTP client is not initialised"));
    return *HttpObject;
}

TConfig &Cfg()
{
    if (!Config)
        throw Exception(QStringLiteral("The configuration is not initialised"));
    return *Config;
}

// Runs one request of the API; an error status becomes "<status>: <reply body>".
template <class F> auto ApiRequest(F &&Body) -> decltype(std::forward<F>(Body)())
{
    try {
        return std::forward<F>(Body)();
    } catch (const EHttpProtocolError &E) {
        throw Exception(QStringLiteral("%d: %s"), {E.ErrorCode, E.ErrorMessage});
    }
}

// The API answers every success with 200 exactly; 201 or 204 mean the request went
// somewhere else than expected.
void CheckResponseCode()
{
    if (Http().ResponseCode != 200)
        throw Exception(QStringLiteral("Invalid return code: %d"), {Http().ResponseCode});
}

QByteArray JsonBody(const QString &Text)
{
    Http().ContentType = QStringLiteral("application/json");
    return Text.toUtf8();
}

QString MenuAddress(int Code)
{
    return ApiAddress(Format(QStringLiteral("/fenolda/menu/%d"), {Code}));
}

} // namespace

TSlimApi::TSlimApi()
{
    // Key strings are looked up once per updated row: a sorted list finds them by halves.
    InsertKeys.SetCaseSensitive(true);
    InsertKeys.SetSorted(true);
}

TSlimApi::~TSlimApi() = default;

void TSlimApi::GetToken()
{
    WrapWithUser("TSlimApi.GetToken", AuthenticationText, [&] {
        THttpObject &Client = Http();
        if (Client.CustomHeaders.IndexOfName(QStringLiteral("Authorization")) >= 0)
            return;
        TStringList Fields;
        Fields.Add(QStringLiteral("email=") + Cfg().GetSyncEmail());
        Fields.Add(QStringLiteral("apikey=") + Cfg().GetSyncApiKey());
        QString Reply;
        ApiRequest([&] { Client.PostForm(ApiAddress(QStringLiteral("/common/token")), &Fields, Reply); });
        const QString Token = KVXFirstSubExpr(Reply, QStringLiteral("\"token\":\"(.*)\""), true, false, QString());
        // The token goes into a header line as it is: a line break in it would add headers
        // of the server's choosing to every later request.
        const bool Control = std::any_of(Token.cbegin(), Token.cend(),
                                         [](QChar C) { return C.unicode() < 0x20 || C.unicode() == 0x7F; });
        if (Token.isEmpty() || Control)
            throw Exception(QStringLiteral("No token returned"));
        Client.CustomHeaders.Add(QStringLiteral("Authorization: Bearer ") + Token);
    });
}

void TSlimApi::Send()
{
    WrapWithUser("TSlimApi.Send",
                 "Erreur de synchronisation avec le serveur, en cas de besoin ouvrez les options puis effacez vos "
                 "données du serveur.",
                 [&] {
                     Collect();
                     GetToken();
                     Http().ContentType = QStringLiteral("application/json");
                     ApiRequest([&] { Http().Post(ApiAddress(QStringLiteral("/fenolda/data")), Payload); });
                     CheckResponseCode();
                     // Only now are the rows of the document on the server: a failed
                     // upload keeps the previous time, so the next one sends them again.
                     Cfg().SetLastSync(PayloadTime);
                 });
}

void TSlimApi::Erase()
{
    WrapWithUser("TSlimApi.Erase", "Erreur d'effacement des données.", [&] {
        GetToken();
        ApiRequest([&] { Http().Delete(ApiAddress(QStringLiteral("/fenolda/data"))); });
        CheckResponseCode();
        Cfg().SetLastSync(0);
    });
}

void TSlimApi::GetMenuList(TKVXJson &Json)
{
    WrapWithUser("TSlimApi.GetMenuList", "Erreur de récupération de la liste des menus.", [&] {
        GetToken();
        const QString Reply =
            ApiRequest([&] { return Http().Get(ApiAddress(QStringLiteral("/fenolda/menu?recettes=1"))); });
        // The caller's list stays whole until the reply is known good: a list window must never
        // show rows whose menus were dropped by a failed parse.
        TKVXJson Received;
        Received.LoadFromString(Reply);
        CheckResponseCode();
        if (Reply.isEmpty())
            return;
        if (!Received.GetRoot().is_array())
            throw Exception(QStringLiteral("Invalid menu list: not an array"));
        Json.Root = std::move(Received.Root);
    });
}

void TSlimApi::RenameMenu(int Code, const QString &Name)
{
    WrapWithUser("TSlimApi.RenameMenu", "Erreur de renommage du menu.", [&] {
        GetToken();
        TKVXJson Document;
        Document.GetRoot()["name"] = JsonStr(Name);
        const QByteArray Body = JsonBody(Document.GetText(false));
        ApiRequest([&] { Http().Patch(MenuAddress(Code), Body); });
        CheckResponseCode();
    });
}

void TSlimApi::DeleteMenu(int Code)
{
    WrapWithUser("TSlimApi.DeleteMenu", "Erreur de suppression du menu.", [&] {
        GetToken();
        ApiRequest([&] { Http().Delete(MenuAddress(Code)); });
        CheckResponseCode();
    });
}

int TSlimApi::AddMenu(const QString &Text)
{
    return WrapWithUser("TSlimApi.AddMenu", "Erreur de création du menu.", [&] {
        GetToken();
        const QByteArray Body = JsonBody(Text);
        const QString Reply =
            ApiRequest([&] { return Http().Post(ApiAddress(QStringLiteral("/fenolda/menu")), Body); });
        CheckResponseCode();
        TKVXJson Document;
        Document.LoadFromString(Reply);
        // Taken as the current menu, a code that names no menu or another one would make the
        // next save create a second menu or overwrite someone else's.
        const int Code = ServerMenuCode(Document.GetRoot());
        if (Code == 0)
            throw Exception(QStringLiteral("No menu code returned"));
        return Code;
    });
}

void TSlimApi::UpdateMenu(int Code, const QString &Text)
{
    WrapWithUser("TSlimApi.UpdateMenu", "Erreur de modification du menu.", [&] {
        GetToken();
        const QByteArray Body = JsonBody(Text);
        ApiRequest([&] { Http().Put(MenuAddress(Code), Body); });
        CheckResponseCode();
    });
}

void TSlimApi::Collect()
{
    WrapWithUser("TSlimApi.Collect", "Erreur pendant la collecte des données à synchroniser", [&] {
        LastSync = Cfg().GetLastSync();
        TKVXJson Document;
        TJsonValue &Root = Document.GetRoot();
        Root["insert"] = TJsonValue::object();
        Root["update"] = TJsonValue::object();
        Root["delete"] = TJsonValue::object();
        // References into the root only once it has all three members: adding a member may
        // move the others.
        TJsonValue &Inserts = Root["insert"];
        TJsonValue &Updates = Root["update"];
        TJsonValue &Deletes = Root["delete"];
        for (const TSyncTableDef &Table : SyncTables())
            SyncTable(Inserts, Updates, Deletes, QString::fromLatin1(Table.Name), Table.Fields, Table.Keys,
                      Table.ForeignKeys);
        const QByteArray Text = Document.GetBytes(false);
        Payload.close();
        Payload.setData(Text);
        Payload.open(QIODevice::ReadOnly);
        PayloadTime = Now();
    });
}

void TSlimApi::SyncTable(TJsonValue &Inserts, TJsonValue &Updates, TJsonValue &Deletes, const QString &Table,
                         const QStringList &Fields, const QStringList &Keys, const QStringList &ForeignKeys)
{
    CollectRows(Inserts, Table, Fields, Keys, ForeignKeys, true);
    CollectRows(Updates, Table, Fields, Keys, ForeignKeys, false);
    CollectKeys(Deletes, Table, Keys);
}

void TSlimApi::CollectRows(TJsonValue &Target, const QString &Table, const QStringList &Fields, const QStringList &Keys,
                           const QStringList &ForeignKeys, bool InsertPass)
{
    TQlDatabase &DB = CurrentDatabase();
    if (InsertPass)
        InsertKeys.Clear();
    // LastSync 0 reads 1899-12-30 00:00:00, before any stored date: every row qualifies.
    DB.AddParamText(":lastSync", KVXDateTimeToString(dtkDateTime, false, LastSync));
    const QString Condition =
        InsertPass ? QStringLiteral(" where inserted > :lastSync") : QStringLiteral(" where updated > :lastSync");
    const std::unique_ptr<TQlTable> Rows =
        DB.GetTable(Format(QStringLiteral("select * from %s%s"), {Table, Condition}));
    TJsonValue Items = TJsonValue::array();
    for (; !Rows->Eof(); Rows->Next()) {
        TJsonValue Item = TJsonValue::object();
        for (const QString &Field : Fields) {
            const QString Column = Field.mid(1);
            const std::string Name = Column.toStdString();
            const QChar Letter = Field.isEmpty() ? QChar() : Field.at(0);
            if (Letter == QLatin1Char('s') || Letter == QLatin1Char('d')) {
                const QString Text = Rows->FieldAsString(Column);
                Item[Name] = Text.isEmpty() ? TJsonValue() : TJsonValue(JsonStr(Text));
            } else if (Letter == QLatin1Char('f')) {
                Item[Name] = Rows->FieldAsDouble(Column);
            } else if (Letter == QLatin1Char('i')) {
                const int Value = Rows->FieldAsInteger(Column);
                // A missing reference is no row of the other table: null, never code 0.
                Item[Name] = Value == 0 && ForeignKeys.contains(Column) ? TJsonValue() : TJsonValue(Value);
            } else {
                throw Exception(QStringLiteral("Unexpected field type"));
            }
        }
        QString Key;
        for (const QString &KeyField : Keys)
            Key += QStr(Item.at(KeyField.toStdString())) + QLatin1Char('.');
        if (InsertPass) {
            InsertKeys.Add(Key);
            Items.push_back(std::move(Item));
        } else if (InsertKeys.IndexOf(Key) < 0) {
            Items.push_back(std::move(Item));
        }
    }
    Target[Table.toStdString()] = std::move(Items);
}

void TSlimApi::CollectKeys(TJsonValue &Deletes, const QString &Table, const QStringList &Keys)
{
    const std::unique_ptr<TQlTable> Rows = CurrentDatabase().GetTable(Format(QStringLiteral("select * from %s"), {Table}));
    TJsonValue Items = TJsonValue::array();
    for (; !Rows->Eof(); Rows->Next()) {
        for (const QString &KeyField : Keys)
            Items.push_back(Rows->FieldAsInteger(KeyField));
    }
    Deletes[Table.toStdString()] = std::move(Items);
}

int ServerMenuCode(const TJsonValue &Menu)
{
    int Code = 0;
    return JsonIntMember(Menu, "code", Code) && Code > 0 ? Code : 0;
}

TServerMenu ReadServerMenu(const TJsonValue &Menu)
{
    TServerMenu Result;
    Result.Code = ServerMenuCode(Menu);
    const bool Named = JsonTextMember(Menu, "name", Result.Name);
    if (Result.Code == 0 || !Named)
        throw UserException::CreateWithUser(
            QStringLiteral("ReadServerMenu"), QStringLiteral("Le menu n'a pas un format valide."),
            Exception(Result.Code == 0 ? QStringLiteral("Invalid server menu: no \"code\" from 1 to 2147483647")
                                       : QStringLiteral("Invalid server menu: no text \"name\"")));
    return Result;
}

void InitializeUnitSync()
{
    OwnedSlimApi = std::make_unique<TSlimApi>();
    SlimApi = OwnedSlimApi.get();
}

void FinalizeUnitSync()
{
    SlimApi = nullptr;
    OwnedSlimApi.reset();
}
