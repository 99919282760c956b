// The client of the program's JSON web API (TSlimApi, global SlimApi): the bearer token,
// the upload of the rows changed since the previous upload, the erase of the user's data,
// and the menus kept on the server.
#pragma once

#include "KVXJson.h"
#include "KVXStringList.h"
#include "SysUtils.h"

#include <QBuffer>
#include <QString>
#include <QStringList>

// Every operation asks for the token first (once per run), then sends its own request
// through HttpObject to WebApiAddress(). A failure reaches the caller as a UserException
// with the operation's "TSlimApi.<name>" context and its French user text, followed on the
// next line by the inner user text (the authentication text when the token failed). Inside
// it, an error status reads "<status>: <reply body>" and any success status other than
// 200 "Invalid return code: <status>".
class TSlimApi
{
public:
    TSlimApi();
    virtual ~TSlimApi();

    TSlimApi(const TSlimApi &) = delete;
    TSlimApi &operator=(const TSlimApi &) = delete;

    // Posts the form "email"/"apikey" of the "SYNC" settings to "/common/token" unless the
    // client already sends an "Authorization" header, and adds "Authorization: Bearer "
    // and the token to the client's custom headers for the rest of the run. A reply without
    // "token":"..." fails with "No token returned".
    void GetToken();
    // Builds the upload document (Collect) and posts it to "/fenolda/data" as JSON. Only
    // when the server answers 200 does the document's completion time become the setting
    // "DATABASE" "LastSync"; after a failure the next upload sends the same rows again.
    void Send();
    // DELETE "/fenolda/data"; on success "DATABASE" "LastSync" becomes 0, so that the next
    // upload carries every row.
    void Erase();
    // GET "/fenolda/menu?recettes=1"; the list (a JSON array) replaces Json's content only
    // once the whole reply is known good: an empty reply, or any failure, leaves Json as it
    // was.
    void GetMenuList(TKVXJson &Json);
    // PATCH "/fenolda/menu/<code>" with {"name":Name}.
    void RenameMenu(int Code, const QString &Name);
    // DELETE "/fenolda/menu/<code>".
    void DeleteMenu(int Code);
    // POST "/fenolda/menu" with the menu document Text; returns the new menu's "code". A
    // reply without a code (see ServerMenuCode) fails with "No menu code returned".
    int AddMenu(const QString &Text);
    // PUT "/fenolda/menu/<code>" with the menu document Text.
    void UpdateMenu(int Code, const QString &Text);

    // Builds the upload document from Database into Payload: "insert", "update" and
    // "delete", each with the tables "livre", "rayon", "unite", "ingredient", "recette" and
    // "ingredients" in that order; rows inserted or updated after "DATABASE" "LastSync",
    // and the keys of every row. Sets PayloadTime; leaves the setting alone.
    void Collect();
    // One table: the insert pass, the update pass, the keys. Fields are type letters
    // (s text, d date-time text, f number, i integer) followed by column names.
    void SyncTable(TJsonValue &Inserts, TJsonValue &Updates, TJsonValue &Deletes, const QString &Table,
                   const QStringList &Fields, const QStringList &Keys, const QStringList &ForeignKeys);
    // The rows inserted (InsertPass) or updated after LastSync, as an array under Table in
    // Target; the update pass leaves out the rows the insert pass took.
    void CollectRows(TJsonValue &Target, const QString &Table, const QStringList &Fields, const QStringList &Keys,
                     const QStringList &ForeignKeys, bool InsertPass);
    // The key values of every row of Table, one flat array under Table in Deletes.
    void CollectKeys(TJsonValue &Deletes, const QString &Table, const QStringList &Keys);

    // The previous upload's time, read from the settings while a document is built.
    TDateTime LastSync = 0;
    // Key strings ("12." or "12.34.") of the rows of the current table's insert pass.
    TKVXStringList InsertKeys;
    // The last document built, compact JSON, positioned at its start.
    QBuffer Payload;
    // When the document in Payload was completed: the "LastSync" that a successful upload
    // of it stores.
    TDateTime PayloadTime = 0;
};

// A menu of the server's list as the program uses it to open, rename or delete it.
struct TServerMenu
{
    int Code = 0;
    QString Name;
};

// The "code" of a server menu: an integer from 1 to the largest int; 0 when Menu holds no such
// code (0 names no menu, and a number cut to fit int would name another one).
int ServerMenuCode(const TJsonValue &Menu);
// The "code" and "name" (a text) of Menu, an element of the server's list. Anything else is
// refused before the caller acts on it: UserException with the context "ReadServerMenu" and
// the user text "Le menu n'a pas un format valide.".
TServerMenu ReadServerMenu(const TJsonValue &Menu);

// The program's web API client, valid between InitializeUnitSync() and FinalizeUnitSync()
// (this unit owns it); the program block calls both, after InitializeUnitHttp().
extern TSlimApi *SlimApi;
void InitializeUnitSync();
void FinalizeUnitSync();
