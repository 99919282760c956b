// The shopping list as the user works on it: the displayed list, recomputed from the menu on
// every refresh, and three remembering lists that keep what the user did to it (articles and
// ingredients added, quantities changed, lines crossed off, quantities hidden) so that each
// fresh computation gets the user's work back. The shopping-list window owns one and turns
// its events into these calls; nothing here shows anything.
#pragma once

#include "UnitIngredientList.h"

#include <QString>

#include <memory>

class TRecetteList;

// What the ingredient picker hands back after OK.
struct TPickedIngredient
{
    double Quantity = 0;
    int UnitCode = 0;
    QString UnitName;
    int IngCode = 0;
    QString IngName;
    QString Note;
    // The ingredient's shelf, 0 when it has none.
    int RayCode = 0;
};

// The routines keep the error contexts of the shopping-list window ("TFormCourses.<Method>"):
// they are its routines, kept apart from the widgets so that they can be tested alone.
class TCoursesChanges
{
public:
    // The displayed list is bound to View (or to none); the remembering lists never are.
    explicit TCoursesChanges(TIngredientListView *View = nullptr);

    TCoursesChanges(const TCoursesChanges &) = delete;
    TCoursesChanges &operator=(const TCoursesChanges &) = delete;

    // Lines := the list computed from Menu, then the user's changes applied again.
    void Recompute(TRecetteList &Menu);

    // Crosses off or restores ingredient line Index; any other line or index is left alone.
    void InvertChecked1(int Index);
    // Keeps CheckedLines in step with line Index.
    void SyncCheckedLine(int Index);
    // A free article typed by the user, placed under "Divers" and remembered.
    void AddDivers(const QString &Text);
    // Adds Line's quantity to the equal line, or places a copy of it; remembers additions.
    // Line itself is never kept.
    void AddIng1(const TLineIngredient &Line);
    // An ingredient chosen with the picker, added as AddIng1 does.
    void AddIng2(const TPickedIngredient &Pick);
    // Places Line at the end of its shelf's block, the shelf header created when missing.
    void AddInsert(std::unique_ptr<TLine> Line);
    // Applies the difference D to the quantity of ingredient line Index.
    void ChangeQuantity(int Index, double D);
    // Records the difference D for Line in AddedLines.
    void ChangeQuantityCustom(const TLineIngredient &Line, double D);
    // Undoes the user's changes of line Index.
    void DeleteFromCustom(int Index);
    // DeleteFromCustom, then the line leaves the list.
    void DeleteLine(int Index);
    // Shows or hides the quantity of ingredient line Index, and remembers it.
    void ToggleQuantity(int Index);
    // Renames free article Index, and its remembered entry with it.
    void RenameDivers(int Index, const QString &NewName);
    // Applies the three remembering lists to a freshly computed Lines.
    void CustomActions();
    // Forgets the added, re-quantified and crossed-off lines; hidden quantities stay.
    void ClearUserLists();

    // The displayed list.
    TIngredientList Lines;
    // One entry per free article or ingredient the user added, and per computed line whose
    // quantity he changed (its Quantity then holds the sum of his differences).
    TIngredientList AddedLines;
    // A copy of each crossed-off ingredient line, with its quantity at that time.
    TIngredientList CheckedLines;
    // A copy of each ingredient line whose quantity the user hid.
    TIngredientList HiddenQtyLines;
    // True while CustomActions runs: nothing is recorded then.
    bool Merging = false;
};

// An own copy of a shopping-list line, of the same class, made with Assign: a copy is never
// "from the menu" and has no initial quantity, so a remembered line placed again counts as
// the user's own.
std::unique_ptr<TLine> CopyLine(const TLine &Line);
