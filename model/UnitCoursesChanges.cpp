#include "UnitCoursesChanges.h"

#include "UnitRecetteList.h"
#include "UnitTypes.h"

#include <vector>

std::unique_ptr<TLine> CopyLine(const TLine &Line)
{
    if (const auto *Ing = dynamic_cast<const TLineIngredient *>(&Line)) {
        auto Copy = std::make_unique<TLineIngredient>();
        Copy->Assign(*Ing);
        return Copy;
    }
    if (const auto *Divers = dynamic_cast<const TLineDivers *>(&Line)) {
        auto Copy = std::make_unique<TLineDivers>(Divers->Text);
        Copy->Assign(*Divers);
        return Copy;
    }
    if (const auto *Rayon = dynamic_cast<const TLineRayon *>(&Line)) {
        auto Copy = std::make_unique<TLineRayon>();
        Copy->Assign(*Rayon);
        Copy->Name = Rayon->Name;
        Copy->RayCode = Rayon->RayCode;
        return Copy;
    }
    throw Exception(QStringLiteral("Invalid class typecast"));
}

namespace {

std::unique_ptr<TLineIngredient> CopyIngredient(const TLineIngredient &Line)
{
    std::unique_ptr<TLine> Copy = CopyLine(Line);
    return std::unique_ptr<TLineIngredient>(static_cast<TLineIngredient *>(Copy.release()));
}

// Clears a flag on every exit, also when the body fails.
class TFlagGuard
{
public:
    explicit TFlagGuard(bool &AFlag) : Flag(AFlag) { Flag = true; }
    ~TFlagGuard() { Flag = false; }
    TFlagGuard(const TFlagGuard &) = delete;
    TFlagGuard &operator=(const TFlagGuard &) = delete;

private:
    bool &Flag;
};

} // namespace

TCoursesChanges::TCoursesChanges(TIngredientListView *View) : Lines(View) {}

void TCoursesChanges::Recompute(TRecetteList &Menu)
{
    Lines.Clear();
    Menu.GetIngredientList(Lines);
    CustomActions();
}

void TCoursesChanges::InvertChecked1(int Index)
{
    Wrap("TFormCourses.InvertChecked1", [&] {
        if (Index < 0 || Index >= Lines.Count() || Lines.GetLineType(Index) != TIngredientList::ltIngredient)
            return;
        Lines.SetChecked(Index, !Lines.GetChecked(Index));
        SyncCheckedLine(Index);
    });
}

void TCoursesChanges::SyncCheckedLine(int Index)
{
    TLineIngredient *Line = Lines.GetIngredient(Index);
    const int Entry = CheckedLines.IndexOf(*Line);
    if (Entry >= 0)
        CheckedLines.Delete(Entry);
    if (Line->Checked) {
        Line->Warn = false;
        CheckedLines.Add(CopyLine(*Line));
    }
}

void TCoursesChanges::AddDivers(const QString &Text)
{
    auto Line = std::make_unique<TLineDivers>(Text);
    Line->Modified = true;
    AddedLines.Add(CopyLine(*Line));
    AddInsert(std::move(Line));
}

void TCoursesChanges::AddIng1(const TLineIngredient &Line)
{
    Wrap("TFormCourses.AddIng1", [&] {
        const int J = Lines.IndexOf(Line);
        if (J >= 0) {
            ChangeQuantity(J, Line.Quantity);
            return;
        }
        if (Line.Quantity >= 0)
            AddInsert(CopyLine(Line));
        if (!Merging)
            AddedLines.Add(CopyLine(Line));
    });
}

void TCoursesChanges::AddIng2(const TPickedIngredient &Pick)
{
    Wrap("TFormCourses.AddIng2", [&] {
        TLineIngredient Line;
        Line.UnitCode = Pick.UnitCode;
        Line.UnitName = Pick.UnitName;
        Line.IngCode = Pick.IngCode;
        Line.Name = Pick.IngName;
        Line.Note = Pick.Note;
        // The picker gives 0 for an ingredient without a shelf, where the computed list puts
        // such ingredients under "Divers": without this the line would open a nameless shelf
        // of its own at the top of the list.
        Line.RayCode = Pick.RayCode > 0 ? Pick.RayCode : RayCodeDivers;
        Line.SetQuantity(Pick.Quantity);
        Line.Modified = true;
        AddIng1(Line);
    });
}

void TCoursesChanges::AddInsert(std::unique_ptr<TLine> Line)
{
    Wrap("TFormCourses.AddInsert", [&] {
        const auto *Article = dynamic_cast<const TLineArticle *>(Line.get());
        if (!Article)
            throw Exception(QStringLiteral("Invalid class typecast"));
        const int Header = Lines.GetRayonIndex(Article->RayCode);
        Lines.AddInsert(std::move(Line), Lines.GetIngIndex(Header));
    });
}

void TCoursesChanges::ChangeQuantity(int Index, double D)
{
    Wrap("TFormCourses.ChangeQuantity", [&] {
        if (D == 0)
            return;
        TLineIngredient *Line = Lines.GetIngredient(Index);
        const double New = Line->Quantity + D;
        if (New > 0) {
            if (New == Line->InitialQuantity) {
                DeleteFromCustom(Index);
            } else {
                Line->SetQuantity(New);
                Line->Modified = true;
                if (!Merging)
                    ChangeQuantityCustom(*Line, D);
            }
        } else if (Line->FromMenu) {
            InvertChecked1(Index);
            if (Merging)
                DeleteFromCustom(Index);
        } else {
            DeleteLine(Index);
        }
    });
}

void TCoursesChanges::ChangeQuantityCustom(const TLineIngredient &Line, double D)
{
    Wrap("TFormCourses.ChangeQuantityCustom", [&] {
        const int Entry = AddedLines.IndexOf(Line);
        if (Entry >= 0) {
            TLineIngredient *Added = AddedLines.GetIngredient(Entry);
            Added->SetQuantity(Added->Quantity + D);
            return;
        }
        std::unique_ptr<TLineIngredient> Copy = CopyIngredient(Line);
        Copy->SetQuantity(D);
        AddedLines.Add(std::move(Copy));
    });
}

void TCoursesChanges::DeleteFromCustom(int Index)
{
    Wrap("TFormCourses.DeleteFromCustom", [&] {
        TLineArticle *Line = Lines.GetArticle(Index);
        Line->Modified = false;
        if (auto *Ing = dynamic_cast<TLineIngredient *>(Line))
            Ing->ResetQuantity();
        const int Entry = AddedLines.IndexOf(*Line);
        if (Entry >= 0)
            AddedLines.Delete(Entry);
    });
}

void TCoursesChanges::DeleteLine(int Index)
{
    Wrap("TFormCourses.DeleteLine", [&] {
        DeleteFromCustom(Index);
        Lines.Delete(Index);
    });
}

void TCoursesChanges::ToggleQuantity(int Index)
{
    TLineIngredient *Line = Lines.GetIngredient(Index);
    Line->SetShowQuantity(!Line->ShowQuantity);
    if (Line->ShowQuantity) {
        const int Entry = HiddenQtyLines.IndexOf(*Line);
        if (Entry >= 0)
            HiddenQtyLines.Delete(Entry);
    } else {
        HiddenQtyLines.Add(CopyLine(*Line));
    }
}

void TCoursesChanges::RenameDivers(int Index, const QString &NewName)
{
    TLineDivers *Line = Lines.GetDivers(Index);
    const int Entry = AddedLines.IndexOf2(Line->Text);
    if (Entry >= 0)
        AddedLines.GetLine(Entry)->Text = NewName;
    Line->Text = NewName;
}

void TCoursesChanges::CustomActions()
{
    Wrap("TFormCourses.CustomActions", [&] {
        TFlagGuard Guard(Merging);
        // Applying an entry may remove it (or an equal one) from AddedLines: the walk goes
        // over copies, so that every entry is applied exactly once.
        std::vector<std::unique_ptr<TLine>> Entries;
        Entries.reserve(std::size_t(AddedLines.Count()));
        for (int I = 0; I < AddedLines.Count(); ++I)
            Entries.push_back(CopyLine(*AddedLines.GetLine(I)));
        for (std::unique_ptr<TLine> &Entry : Entries) {
            if (const auto *Ing = dynamic_cast<const TLineIngredient *>(Entry.get()))
                AddIng1(*Ing);
            else if (dynamic_cast<const TLineDivers *>(Entry.get()))
                AddInsert(std::move(Entry));
        }

        for (int I = 0; I < HiddenQtyLines.Count(); ++I) {
            const int J = Lines.IndexOf(*HiddenQtyLines.GetLine(I));
            if (J >= 0)
                Lines.SetShowQuantity(J, false);
        }

        for (int I = 0; I < CheckedLines.Count(); ++I) {
            const TLineIngredient *Entry = CheckedLines.GetIngredient(I);
            const int J = Lines.IndexOf(*Entry);
            if (J < 0)
                continue;
            if (Entry->Quantity < Lines.GetIngredient(J)->Quantity)
                Lines.SetWarn(J, true);
            else
                Lines.SetChecked(J, true);
        }
    });
}

void TCoursesChanges::ClearUserLists()
{
    AddedLines.Clear();
    CheckedLines.Clear();
}
