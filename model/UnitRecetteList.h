// The menu: an ordered list of day headers, meal headers and recipe lines, with the
// random generation and the editing operations, the menu document (file or server), the
// history of served recipes and the shopping-list query.
#pragma once

#include "KVXJson.h"
#include "KVXStringList.h"
#include "UnitLines.h"

#include <QString>

#include <memory>
#include <vector>

class TIngredientList;
class TQlTable;

// The search filter of the menu line editor; every field at its neutral value asks for no
// condition.
struct TRecFilter
{
    // Part of the recipe name.
    QString Name;
    // Total time (preparation + cooking + rest): operator code (0 "=", 1 ">=", 2 "<=",
    // 3 between, 4 "like"), minutes, upper minutes for "between"; Time1 < 0: no condition.
    quint8 TimeOp = 2;
    int Time1 = -1;
    int Time2 = -1;
    // Persons, as the time; Pers1 < 0: no condition.
    quint8 PersOp = 0;
    int Pers1 = -1;
    int Pers2 = -1;
    // Season 1 or 2 (recipes of all seasons pass too); 0: no condition.
    int Saison = 0;
    // Cookbook code; negative: no condition.
    int LivCode = -1;
    // Part of an ingredient name.
    QString IngName;
};

// Sets every field to its neutral value.
void ResetRecFilter(TRecFilter &Filter);

// Meal arguments are 1 (midi) or 2 (soir), dish types 0..3, indexes 0-based positions.
// Failures are raised as UserException with the routine's "TRecetteList.<Method>" context,
// nested as the calls nest.
class TRecetteList
{
public:
    // Kinds of GetLineType.
    static constexpr quint8 ltDate = 0;
    static constexpr quint8 ltRepas = 1;
    static constexpr quint8 ltRecette = 2;

    TRecetteList();
    virtual ~TRecetteList();

    TRecetteList(const TRecetteList &) = delete;
    TRecetteList &operator=(const TRecetteList &) = delete;

    int Count() const { return static_cast<int>(FLines.size()); }
    // Frees every line; SavedJson stays.
    void Clear();

    // ---- the list and its order -------------------------------------------------------

    // Appends the line when Index is at or past the end, else inserts it there; returns
    // where it now stands.
    int AddInsert(std::unique_ptr<TLine> Line, int Index);
    // Finds or creates the day header of Date and its meal header; returns the meal header's
    // index.
    int AddLineDate(int Repas, TDateTime Date);
    // Finds or creates the meal header within the day header at DayIndex.
    int AddLineRepas(int DayIndex, int Repas, TDateTime Date);
    // Where a recipe of dish type Type goes under the meal header at RepasIndex.
    int GetPosition(int RepasIndex, int Type) const;
    // Builds a recipe line from Table's current row, planned for the day of Date (the time
    // cut off), meal Repas and Pers persons, and inserts it in order with its headers.
    void AddRecette(int Repas, int Pers, TDateTime Date, std::unique_ptr<TQlTable> Table);
    // Whether the recipe at Source may move to the day and meal of line Target (a day
    // header keeps the recipe's meal).
    bool MoveAccepted1(int Source, int Target) const;
    // Whether the recipe at Source may move to Date and Repas (not where it already is).
    bool MoveAccepted2(int Source, int Target, TDateTime Date, int Repas) const;
    // Moves the recipe at Source to the day and meal of line Target, in dish-type order;
    // the headers it leaves stay.
    void MoveRecette(int Source, int Target);
    // A recipe alone, a meal header with its recipes, or a whole day, by the line's kind.
    void DeleteLine(int Index);
    // Removes the line at Index and nothing else.
    void DeleteRecette(int Index);
    void DeleteRepas(int Repas, TDateTime Date);
    void DeleteDate(TDateTime Date);
    // Moves the day of the header at DayIndex by Days days, with every later day (Days >= 0)
    // or every earlier day (Days < 0).
    void ShiftRecette(int DayIndex, int Days);
    // First day header / meal header with exactly that date; -1 when none.
    int GetDateIndex(TDateTime Date) const;
    int GetRepasIndex(int Repas, TDateTime Date) const;
    // The day of any line.
    TDateTime GetMenuDate(int Index) const;
    // The meal of any line; Default for a day header.
    quint8 GetMenuRepas(int Index, quint8 Default) const;
    // The day of the first recipe line; the current date and time when there is none.
    TDateTime GetFirstDate() const;
    // The recipe codes of the menu in list order, joined by commas ("12,7,31").
    QString GetCodeList() const;
    // ltDate, ltRepas, or ltRecette for any other line.
    quint8 GetLineType(int Index) const;
    // Line Index as its class; asking for another class than the line's raises an error.
    TLine *GetLine(int Index) const;
    TLineDate *GetDate(int Index) const;
    TLineRepas *GetRepas(int Index) const;
    TLineRecette *GetRecette(int Index) const;

    // ---- candidate recipes and random generation --------------------------------------

    // The SQL conditions of a filter, "and " first (empty for a neutral filter); queues the
    // parameters they name on Database.
    QString GetFilter(const TRecFilter &Filter) const;
    // Candidates for a draw: that meal or both, that dish type, not in the menu, of the
    // current season or all seasons when Saison, not in the history within HistoDays days
    // (nor recorded for a later day); sorted by name.
    std::unique_ptr<TQlTable> GetRecetteList1(int Repas, int Type, bool Saison, int HistoDays) const;
    // Candidates of the menu line editor: meal, dish type, not in the menu, and the filter.
    std::unique_ptr<TQlTable> GetRecetteList2(int Repas, int Type, const TRecFilter &Filter) const;
    // The menu's recipes that use ingredient IngCode: code, name, quantite, unite,
    // ingredient, note.
    std::unique_ptr<TQlTable> GetRecetteList3(int IngCode) const;
    // One recipe by an SQL condition, on its first row; ExcludeMenu leaves out the menu's
    // recipes. No row raises the user text "Soit la recette n'existe pas ...".
    std::unique_ptr<TQlTable> GetUniqueRecette(const QString &Condition, bool ExcludeMenu) const;
    std::unique_ptr<TQlTable> GetRecetteFromCode(int Code, bool ExcludeMenu) const;
    std::unique_ptr<TQlTable> GetRecetteFromName(const QString &Name, bool ExcludeMenu) const;
    // The codes of GetRecetteList1's rows, in the same order, without running its statement:
    // the names and a dish type's recipes are read, and sorted by name, once per draw, or
    // once for all the draws of a TDrawSession.
    std::vector<qint64> GetRandomCandidates(int Repas, int Type, bool Saison, int HistoDays) const;
    // The row of GetRecetteList1 (history window from the settings) drawn with the program's
    // generator, alone in its table. No candidate raises the user text "Plus aucune recette
    // disponible dans la base." and its two advices.
    std::unique_ptr<TQlTable> GetRandomRecette(int Repas, int Type, bool Saison) const;
    void AddRandomRecette(int Repas, int Pers, TDateTime Date, int Type, bool Saison);
    void AddRecetteFromCode(int Repas, int Pers, TDateTime Date, int Code);
    void AddRecetteFromName(int Repas, int Pers, TDateTime Date, const QString &Name);
    // Another recipe in the recipe line at Index, drawn at random (Code < 0) or by code,
    // never one of the menu; the line keeps its place, day, meal and persons.
    void ReplaceRecette(int Index, int Code, bool Saison);
    // Reloads the recipe line at Index from the database.
    void UpdateInfos(int Index);
    // Same day and meal: only the persons change; else the recipe moves in order to Date
    // and Repas with Pers persons.
    void ModifyRecette(int Index, int Repas, TDateTime Date, int Pers);

    // ---- menu document, files, server menus and history -------------------------------

    // The menu document in the readable layout: "name" when Name is not empty, then
    // "recettes" with "jour" (days from the first recipe), "repas", "pers", "code", "name".
    QString SaveToJson(const QString &Name) const;
    // Whether the document differs from SavedJson.
    bool IsModified() const;
    // Records the recipes planned for today or later in the history (a failed insert is
    // skipped). It saves nothing: printing the shopping list records the history too, and
    // the menu must stay as modified as it was.
    void AddHistorique();
    // AddHistorique, then replaces the file by the document; SavedJson := the document once
    // the file holds it. When the write fails the file is as it was, the menu still counts
    // as modified, and the UserException names the file. A name that Config->CheckUserFile
    // refuses (one of the program's own files, a device) is refused before the history.
    void SaveToFile(const QString &FileName);
    // AddHistorique, then stores the document with Name as a new server menu; returns its
    // code. SavedJson := the document without the name once the server took it.
    int AddMenu(const QString &Name);
    // AddHistorique, then replaces server menu Code with the document; SavedJson := the
    // document once the server took it.
    void UpdateMenu(int Code);
    // Adds the document's recipes to the menu, "jour" counted from StartDate, then
    // SavedJson := the menu's document. A document of another shape is refused before
    // anything is added.
    void LoadFromJson(const QString &Text, TDateTime StartDate);
    // The refusal of LoadFromJson for a document root Menu of another shape or with values no
    // menu holds ("jour" counted from StartDate), raised before anything is touched.
    static void CheckJsonObject(const TJsonValue &Menu, TDateTime StartDate);
    // Clears the menu and adds the recipes of the older line format ("jour", "repas",
    // "pers", "nom" in comma text), looked up by name.
    void LoadFromList(const TStringList &Lines, TDateTime StartDate);
    // A menu file of either format: a first line "{" tells the document. A failure's user
    // text names the file on its first line, then gives the loader's reason, or "Le menu
    // n'a pas un format valide." when the file could not be read as a menu at all.
    void LoadFromFile(const QString &FileName, TDateTime StartDate);
    // A menu of the server's list.
    void LoadFromJsonObject(const TJsonValue &Menu, TDateTime StartDate);

    // ---- shopping list ----------------------------------------------------------------

    // Writes every recipe line's persons into recette.menupers.
    void UpdateMenuPers();
    // UpdateMenuPers, then appends the shelf headers and ingredient totals of the menu to
    // List (not cleared first).
    void GetIngredientList(TIngredientList &List);

    // The document as last saved or loaded, without "name".
    QString SavedJson;

    // While one lives, the draws of the menu (a generation's) share their candidates and the
    // history: read once, and again only when something was written to the database.
    class TDrawSession
    {
    public:
        explicit TDrawSession(const TRecetteList &Menu);
        ~TDrawSession();

        TDrawSession(const TDrawSession &) = delete;
        TDrawSession &operator=(const TDrawSession &) = delete;

    private:
        const TRecetteList &FMenu;
    };

private:
    struct TDrawCache;

    std::vector<std::unique_ptr<TLine>> FLines;
    // Set while a TDrawSession lives.
    mutable std::unique_ptr<TDrawCache> FDrawCache;
    mutable int FDrawSessions = 0;
};
