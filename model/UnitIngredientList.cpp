#include "UnitIngredientList.h"

#include "UnitDatabase.h"
#include "UnitTypes.h"

TIngredientList::TIngredientList(TIngredientListView *AView) : View(AView) {}

int TIngredientList::Add(std::unique_ptr<TLine> Line)
{
    FLines.push_back(std::move(Line));
    if (View)
        View->RowAdded();
    return Count() - 1;
}

void TIngredientList::Insert(int Index, std::unique_ptr<TLine> Line)
{
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%d)"), {Index});
    FLines.insert(FLines.begin() + Index, std::move(Line));
    if (View)
        View->RowInserted(Index);
}

int TIngredientList::AddInsert(std::unique_ptr<TLine> Line, int Index)
{
    return Wrap("TIngredientList.AddInsert", [&] {
        if (Index >= Count())
            return Add(std::move(Line));
        Insert(Index, std::move(Line));
        return Index;
    });
}

void TIngredientList::Delete(int Index)
{
    CheckListIndex(Index, Count());
    FLines.erase(FLines.begin() + Index);
    if (View)
        View->RowDeleted(Index);
}

void TIngredientList::Clear()
{
    FLines.clear();
    if (View)
        View->Cleared();
}

quint8 TIngredientList::GetLineType(int Index) const
{
    const TLine *Line = GetLine(Index);
    if (dynamic_cast<const TLineRayon *>(Line))
        return ltRayon;
    if (dynamic_cast<const TLineDivers *>(Line))
        return ltDivers;
    return ltIngredient;
}

int TIngredientList::IndexOf1(int IngCode, int UnitCode, double Quantity, const QString &Note) const
{
    return Wrap("TIngredientList.IndexOf1", [&] {
        for (int I = 0; I < Count(); ++I) {
            const auto *Ing = dynamic_cast<const TLineIngredient *>(FLines[std::size_t(I)].get());
            if (!Ing || Ing->IngCode != IngCode || Ing->UnitCode != UnitCode || !SameText(Ing->Note, Note))
                continue;
            if (Quantity != 0 || Ing->Quantity == 0)
                return I;
        }
        return -1;
    });
}

int TIngredientList::IndexOf2(const QString &Text) const
{
    return Wrap("TIngredientList.IndexOf2", [&] {
        for (int I = 0; I < Count(); ++I) {
            if (SameText(FLines[std::size_t(I)]->Text, Text))
                return I;
        }
        return -1;
    });
}

int TIngredientList::IndexOf(const TLine &Line) const
{
    if (const auto *Ing = dynamic_cast<const TLineIngredient *>(&Line))
        return IndexOf1(Ing->IngCode, Ing->UnitCode, Ing->Quantity, Ing->Note);
    return IndexOf2(Line.Text);
}

int TIngredientList::GetIngIndex(int Index) const
{
    return Wrap("TIngredientList.GetIngIndex", [&] {
        int I = Index + 1;
        while (I < Count() && GetLineType(I) != ltRayon)
            ++I;
        return I;
    });
}

std::unique_ptr<TLineRayon> TIngredientList::NewRayon(int Code) const
{
    auto Rayon = std::make_unique<TLineRayon>();
    Rayon->RayCode = Code;
    if (Code == RayCodeDivers) {
        Rayon->SetName(QString::fromLatin1(RayNameDivers));
        Rayon->Color = KVXHtmlToColor(QString::fromLatin1(DiversColor));
    } else {
        CurrentDatabase().AddParamInt(":code", Code);
        Rayon->SetName(CurrentDatabase().GetTableString(QStringLiteral("select name from rayon where code=:code")));
        Rayon->Color = ColorRotation->NextColor();
    }
    return Rayon;
}

int TIngredientList::GetRayonIndex(int Code)
{
    return Wrap("TIngredientList.GetRayonIndex", [&] {
        for (int I = 0; I < Count(); ++I) {
            const auto *Rayon = dynamic_cast<const TLineRayon *>(FLines[std::size_t(I)].get());
            if (!Rayon)
                continue;
            if (Rayon->RayCode == Code)
                return I;
            if (Rayon->RayCode > Code)
                return AddInsert(NewRayon(Code), I);
        }
        return AddInsert(NewRayon(Code), Count());
    });
}

int TIngredientList::GetIngCount(int Code)
{
    return Wrap("TIngredientList.GetIngCount", [&] {
        int Result = 0;
        for (int I = GetRayonIndex(Code) + 1; I < Count() && GetLineType(I) != ltRayon; ++I) {
            if (!GetArticle(I)->Checked)
                ++Result;
        }
        return Result;
    });
}

TLine *TIngredientList::GetLine(int Index) const
{
    CheckListIndex(Index, Count());
    return FLines[std::size_t(Index)].get();
}

TLineRayon *TIngredientList::GetRayon(int Index) const
{
    return LineAs<TLineRayon>(GetLine(Index));
}

TLineArticle *TIngredientList::GetArticle(int Index) const
{
    return LineAs<TLineArticle>(GetLine(Index));
}

TLineIngredient *TIngredientList::GetIngredient(int Index) const
{
    return LineAs<TLineIngredient>(GetLine(Index));
}

TLineDivers *TIngredientList::GetDivers(int Index) const
{
    return LineAs<TLineDivers>(GetLine(Index));
}

bool TIngredientList::GetChecked(int Index) const
{
    return GetArticle(Index)->Checked;
}

void TIngredientList::SetChecked(int Index, bool Value)
{
    GetArticle(Index)->Checked = Value;
    if (View && View->RowChecked(Index) != Value)
        View->SetRowChecked(Index, Value);
}

bool TIngredientList::GetModified(int Index) const
{
    return GetArticle(Index)->Modified;
}

void TIngredientList::SetModified(int Index, bool Value)
{
    GetArticle(Index)->Modified = Value;
}

bool TIngredientList::GetWarn(int Index) const
{
    return GetArticle(Index)->Warn;
}

void TIngredientList::SetWarn(int Index, bool Value)
{
    GetArticle(Index)->Warn = Value;
}

bool TIngredientList::GetFromMenu(int Index) const
{
    return GetArticle(Index)->FromMenu;
}

bool TIngredientList::GetShowQuantity(int Index) const
{
    return GetIngredient(Index)->ShowQuantity;
}

void TIngredientList::SetShowQuantity(int Index, bool Value)
{
    GetIngredient(Index)->SetShowQuantity(Value);
}
