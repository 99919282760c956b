#include "UnitLines.h"

#include "KVXConversion.h"
#include "UnitDatabase.h"
#include "UnitTools.h"

void CheckListIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%d)"), {Index});
}

void TLine::Assign(const TLine &Source)
{
    Color = Source.Color;
    Text = Source.Text;
}

void TLineRecette::LoadFromTable(const TQlTable &Table)
{
    Code = Table.FieldAsInteger(QStringLiteral("code"));
    Name = Table.FieldAsString(QStringLiteral("name"));
    Description = Table.FieldAsString(QStringLiteral("description"));
    TPrep = Table.FieldAsInteger(QStringLiteral("tprep"));
    TCuisson = Table.FieldAsInteger(QStringLiteral("tcuisson"));
    TRepos = Table.FieldAsInteger(QStringLiteral("trepos"));
    NbPers = Table.FieldAsInteger(QStringLiteral("nbpers"));
    Repas = static_cast<quint8>(Table.FieldAsInteger(QStringLiteral("repas")));
    Type_ = static_cast<quint8>(Table.FieldAsInteger(QStringLiteral("type_")));
    Saison = static_cast<quint8>(Table.FieldAsInteger(QStringLiteral("saison")));
    LivName = Table.FieldAsString(QStringLiteral("livname"));
    Page = Table.FieldAsString(QStringLiteral("page"));
    Link = Table.FieldAsString(QStringLiteral("link"));
}

void TLineRayon::SetName(const QString &Value)
{
    Name = Value;
    Text = Value;
}

void TLineArticle::Assign(const TLineArticle &Source)
{
    TLine::Assign(Source);
    RayCode = Source.RayCode;
    Modified = Source.Modified;
    Checked = Source.Checked;
    Warn = Source.Warn;
}

TLineIngredient::TLineIngredient()
{
    SetShowQuantity(true);
}

void TLineIngredient::Assign(const TLineIngredient &Source)
{
    TLineArticle::Assign(Source);
    UnitCode = Source.UnitCode;
    UnitName = Source.UnitName;
    IngCode = Source.IngCode;
    Name = Source.Name;
    Note = Source.Note;
    SetQuantity(Source.Quantity);
    SetShowQuantity(Source.ShowQuantity);
}

void TLineIngredient::SetQuantity(double Value)
{
    Quantity = Value;
    UpdateText();
}

void TLineIngredient::SetShowQuantity(bool Value)
{
    ShowQuantity = Value;
    UpdateText();
}

void TLineIngredient::ResetQuantity()
{
    SetQuantity(InitialQuantity);
}

QString TLineIngredient::GetInitialQuantityText() const
{
    return KVXFloatToString(FloatRound(InitialQuantity));
}

void TLineIngredient::UpdateText()
{
    Text = FormatIngredient(UnitName, Name, Note, ShowQuantity, Quantity);
}

TLineDivers::TLineDivers(const QString &AText)
{
    Text = AText;
}
