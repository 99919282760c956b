#include "UnitFormCall.h"

#include "KVXStringList.h"
#include "UnitDatabase.h"
#include "UnitGraphicsQt.h"
#include "UnitIngredient.h"
#include "UnitIngredients.h"
#include "UnitList.h"
#include "UnitName.h"
#include "UnitRecette.h"
#include "UnitTypes.h"

#include <QIcon>
#include <QSize>
#include <QWidget>

#include <initializer_list>
#include <memory>

namespace {

// Window icons are drawn at the size of a title bar's icon.
constexpr int IconSize = 16;

std::unique_ptr<TStringList> NewList(std::initializer_list<const char *> Lines)
{
    auto List = std::make_unique<TKVXStringList>();
    for (const char *Line : Lines)
        List->Add(QString::fromUtf8(Line));
    return List;
}

// The three tables that hold only a name share one list and one editor.
void ShowNameList(const QString &Table, const QString &Caption)
{
    ShowFormList(NewList({"name=Nom"}), 0, NewList({"code", "name"}), NewList({"code"}), nullptr,
                 QStringLiteral("select * from %1 where name like :filtername order by name").arg(Table), Table,
                 &UnitName::ShowFormName, Caption);
}

} // namespace

void LoadTableIcon(QWidget *Window, const QString &Table)
{
    Window->setWindowIcon(QIcon(LoadResourcePicture(QStringLiteral("ico") + Table, QSize(IconSize, IconSize))));
}

void TableToStrings(const TStringList &Fields, TQlTable &Table, TStringList &Dest)
{
    Dest.Clear();
    for (const QString &Name : Fields)
        Dest.Add(Name + QLatin1Char('=') + Table.FieldAsString(Name));
}

void GetRecetteFields(TStringList &List)
{
    List.Clear();
    for (const char *Name : {"code", "name", "description", "tprep", "tcuisson", "trepos", "nbpers", "repas", "type_",
                             "saison", "livcode", "page", "link", "prep", "filename"})
        List.Add(QString::fromLatin1(Name));
}

void ShowUniteList()
{
    Wrap("ShowUniteList", [] { ShowNameList(QStringLiteral("unite"), QStringLiteral("Unités de mesure")); });
}

void ShowLivreList()
{
    Wrap("ShowLivreList", [] { ShowNameList(QStringLiteral("livre"), QStringLiteral("Livres de recettes")); });
}

void ShowRayonList()
{
    Wrap("ShowRayonList", [] { ShowNameList(QStringLiteral("rayon"), QStringLiteral("Rayons en magasin")); });
}

void ShowIngredientList()
{
    Wrap("ShowIngredientList", [] {
        ShowFormList(NewList({"ingname=Nom", "rayname=Rayon,200"}), 0, NewList({"code", "ingname", "raycode"}),
                     NewList({"code"}), nullptr,
                     QStringLiteral("select i.code, i.name as ingname, raycode, r.name as rayname from ingredient i "
                                    "left join rayon r on i.raycode=r.code where i.name like :filtername "
                                    "order by ingname"),
                     QStringLiteral("ingredient"), ShowFormIngredient, QStringLiteral("Ingrédients"));
    });
}

std::unique_ptr<TFormList> ShowIngredientsList(int RecCode, const QString &Caption)
{
    return Wrap("ShowIngredientsList", [&] {
        auto AddDefaults = std::make_unique<TKVXStringList>();
        AddDefaults->Add(QStringLiteral("reccode=%1").arg(RecCode));
        return NewFormList(
            NewList({"quantite=Q,40,r", "unitename=U,100", "ingname=Ingrédient", "note=Note,150"}), 2,
            NewList({"reccode", "ingcode", "quantite", "unitecode", "note"}), NewList({"reccode", "ingcode"}),
            std::move(AddDefaults),
            QStringLiteral("select reccode, ingcode, i.name as ingname, quantite, unitecode, u.name as unitename, note "
                           "from ingredients ing, ingredient i left join unite u on ing.unitecode=u.code ") +
                QStringLiteral("where reccode=%1 and ingcode=i.code and i.name like :filtername order by ingname")
                    .arg(RecCode),
            QStringLiteral("ingredients"), ShowFormIngredients, Caption);
    });
}

void ShowRecetteList()
{
    Wrap("ShowRecetteList", [] {
        auto Fields = std::make_unique<TKVXStringList>();
        GetRecetteFields(*Fields);
        ShowFormList(NewList({"name=Nom"}), 0, std::move(Fields), NewList({"code"}), nullptr,
                     QStringLiteral("select r.*, l.name as livname from recette r left join livre l on "
                                    "r.livcode=l.code where r.name like :filtername order by r.name"),
                     QStringLiteral("recette"), ShowFormRecette1, QStringLiteral("Recettes"));
    });
}
