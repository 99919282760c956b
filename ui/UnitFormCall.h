// The edit-form protocol that ties the table list window to the edit windows, and the list
// configurations of the database's tables ("Recettes", "Ingrédients", "Rayons en magasin",
// "Livres de cuisine", "Unités de mesure", and one recipe's ingredient lines).
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TFormList;
class TQlTable;
class TStringList;

// Called by an edit window with the name of the row it has just saved.
using TNameEvent = std::function<void(const QString &Name)>;

// A table's edit function: Mode 0 adds a row, 1 edits the row described by Values, 2 only
// picks (nothing is written). Values are borrowed "name=value" lines. Returns the edit
// window's modal result: mrOk after a save that closed it, mrCancel when cancelled.
using TEditFunc = int (*)(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                          const TNameEvent &OnDone);

// Gives Window the icon of a table's list and edit windows: the picture "ico" + Table.
void LoadTableIcon(QWidget *Window, const QString &Table);

// Empties Dest, then adds "name=value" for each name of Fields from Table's current row.
void TableToStrings(const TStringList &Fields, TQlTable &Table, TStringList &Dest);
// Empties List and fills it with the field names of a recipe.
void GetRecetteFields(TStringList &List);

// Each opens its table's list window modally and returns when it is closed.
void ShowRecetteList();
void ShowIngredientList();
void ShowRayonList();
void ShowLivreList();
void ShowUniteList();

// The list window of recipe RecCode's ingredient lines, built and not shown: the recipe
// card embeds it (TFormList::IncludeInPanel).
std::unique_ptr<TFormList> ShowIngredientsList(int RecCode, const QString &Caption);
