#include "UnitFormCall.h"

#include "UnitList.h"

// The list windows come with the generic table list; until then the buttons open nothing.
void TableToStrings(const TStringList &, TQlTable &, TStringList &) {}
void GetRecetteFields(TStringList &) {}
void ShowRecetteList() {}
void ShowIngredientList() {}
void ShowRayonList() {}
void ShowLivreList() {}
void ShowUniteList() {}

std::unique_ptr<TFormList> ShowIngredientsList(int, const QString &)
{
    return nullptr;
}
