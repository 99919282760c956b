// The rows of the menu and of the shopping list: plain data objects whose setters keep the
// display text in step with the fields. A line knows nothing of its list; its kind is told
// by its class alone. Lines belong to the list that holds them (std::unique_ptr); a list
// that keeps a line of another list keeps its own copy made with Assign.
#pragma once

#include "KVXGraphics.h"
#include "SysUtils.h"

#include <QImage>
#include <QString>

class TQlDatabase;
class TQlTable;

// The catch-all shelf of the shopping list: everything without a shelf goes there, and its
// code sorts after every real shelf code.
inline constexpr int RayCodeDivers = 2147483647;
inline constexpr const char *RayNameDivers = "Divers";
inline constexpr const char *DiversColor = "#808080";
// Background of the meal header rows of the menu.
inline constexpr const char *RepasColor = "#C7C7C7";

// The index error of the line lists: "List index out of bounds (<index>)".
class EListError : public Exception
{
public:
    using Exception::Exception;
};
// Raises EListError unless 0 <= Index < Count.
void CheckListIndex(int Index, int Count);
// Line as class T; another class raises Exception "Invalid class typecast".
template <class T, class L> T *LineAs(L *Line)
{
    T *Result = dynamic_cast<T *>(Line);
    if (!Result)
        throw Exception(QStringLiteral("Invalid class typecast"));
    return Result;
}

class TLine
{
public:
    TLine() = default;
    virtual ~TLine() = default;

    // Lines are copied field by field with Assign, never by value (that would slice them).
    TLine(const TLine &) = delete;
    TLine &operator=(const TLine &) = delete;

    // Copies Color and Text.
    void Assign(const TLine &Source);

    TColor Color = clWhite;
    QString Text;
};

// Day header of the menu.
class TLineDate : public TLine
{
public:
    TDateTime Date = 0;
};

// Meal header of the menu.
class TLineRepas : public TLine
{
public:
    TDateTime Date = 0;
    // 1 midi, 2 soir.
    quint8 Repas = 0;
};

// One recipe of the menu: the recipe's row of the database, then its place in the menu.
class TLineRecette : public TLine
{
public:
    // Copies the current row of a candidate query (all recipe columns and "livname") into
    // the recipe fields; Color, Text, Picture and the three menu fields stay. A missing
    // column raises the table's error, the fields read before it keeping their new values.
    void LoadFromTable(const TQlTable &Table);

    int Code = 0;
    QString Name;
    QString Description;
    int TPrep = 0;
    int TCuisson = 0;
    int TRepos = 0;
    int NbPers = 0;
    // The recipe's own meal code: 0 both, 1 midi, 2 soir.
    quint8 Repas = 0;
    quint8 Type_ = 0;
    quint8 Saison = 0;
    QString LivName;
    QString Page;
    QString Link;
    // Filled by the windows that show the recipe's photo; the model leaves it empty.
    QImage Picture;
    // The whole day the recipe is planned for, its meal (1 or 2) and its persons.
    TDateTime MenuDate = 0;
    quint8 MenuRepas = 0;
    int MenuPers = 0;
};

// Shelf header of the shopping list.
class TLineRayon : public TLine
{
public:
    // Name and Text both become Value.
    void SetName(const QString &Value);

    QString Name;
    int RayCode = 0;
};

// Anything that can be bought.
class TLineArticle : public TLine
{
public:
    // TLine::Assign, then RayCode, Modified, Checked and Warn; FromMenu stays.
    void Assign(const TLineArticle &Source);

    int RayCode = RayCodeDivers;
    // Changed or added by the user.
    bool Modified = false;
    // Crossed off.
    bool Checked = false;
    // More is needed than when the line was crossed off.
    bool Warn = false;
    // Computed from the menu.
    bool FromMenu = false;
};

// One ingredient total of the shopping list. After construction and after each setter
// below, Text is FormatIngredient(UnitName, Name, Note, Quantity, ShowQuantity); writing
// the fields directly does not rebuild it, so a creator calls a setter last.
class TLineIngredient : public TLineArticle
{
public:
    TLineIngredient();

    // TLineArticle::Assign, then the ingredient fields, Quantity and ShowQuantity through
    // their setters; FromMenu and InitialQuantity stay, Text ends rebuilt.
    void Assign(const TLineIngredient &Source);
    void SetQuantity(double Value);
    void SetShowQuantity(bool Value);
    // Back to the quantity computed from the menu (-1 when it was never set).
    void ResetQuantity();
    // InitialQuantity rounded for display, with "." as decimal separator.
    QString GetInitialQuantityText() const;
    void UpdateText();

    double Quantity = 0.0;
    bool ShowQuantity = true;
    int UnitCode = 0;
    QString UnitName;
    int IngCode = 0;
    QString Name;
    QString Note;
    // The quantity as computed from the menu; -1 means not set.
    double InitialQuantity = -1.0;
};

// A free article typed by the user: its whole content is Text.
class TLineDivers : public TLineArticle
{
public:
    explicit TLineDivers(const QString &AText);
};
