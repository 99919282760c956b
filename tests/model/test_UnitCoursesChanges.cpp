#include "ModelTestSupport.h"
#include "UnitCoursesChanges.h"

namespace {

// One computed total: ingredient IngCode (named "ingN", unit "g"), its quantity and shelf.
struct TTotal
{
    int IngCode;
    double Quantity;
    int RayCode = RayCodeDivers;
};

class TCoursesChangesTest : public TModelTest
{
protected:
    void SetUp() override
    {
        TModelTest::SetUp();
        Exec(
            QStringLiteral("insert into rayon (code, name) values (10, 'Fruits'), (20, 'Crèmerie'), (30, 'Épicerie')"));
    }

    // A refresh: Lines computed afresh from totals given in shelf order, as the menu's query
    // gives them, then the user's changes applied again.
    void Refresh(std::initializer_list<TTotal> Totals)
    {
        C.Lines.Clear();
        int Shelf = -1;
        for (const TTotal &Total : Totals) {
            if (Total.RayCode != Shelf) {
                auto Rayon = std::make_unique<TLineRayon>();
                Rayon->RayCode = Total.RayCode;
                Rayon->SetName(QStringLiteral("R%1").arg(Total.RayCode));
                C.Lines.Add(std::move(Rayon));
                Shelf = Total.RayCode;
            }
            auto Line = std::make_unique<TLineIngredient>();
            Line->IngCode = Total.IngCode;
            Line->Name = QStringLiteral("ing%1").arg(Total.IngCode);
            Line->UnitName = QStringLiteral("g");
            Line->RayCode = Total.RayCode;
            Line->SetQuantity(Total.Quantity);
            Line->InitialQuantity = Total.Quantity;
            Line->FromMenu = true;
            C.Lines.Add(std::move(Line));
        }
        C.CustomActions();
    }

    // Index of ingredient IngCode's line in Lines, -1 when none.
    int Find(int IngCode) const
    {
        for (int I = 0; I < C.Lines.Count(); ++I) {
            const auto *Ing = dynamic_cast<const TLineIngredient *>(C.Lines.GetLine(I));
            if (Ing && Ing->IngCode == IngCode)
                return I;
        }
        return -1;
    }
    const TLineIngredient &Line(int IngCode) const { return *C.Lines.GetIngredient(Find(IngCode)); }

    // The displayed list as one line: a header "[text]", an article its text followed by
    // "*" when modified, "?" when warned, "x" when crossed off.
    QString Shape() const
    {
        QStringList Parts;
        for (int I = 0; I < C.Lines.Count(); ++I) {
            if (C.Lines.GetLineType(I) == TIngredientList::ltRayon) {
                Parts << QLatin1Char('[') + C.Lines.GetLine(I)->Text + QLatin1Char(']');
                continue;
            }
            const TLineArticle *A = C.Lines.GetArticle(I);
            Parts << A->Text + (A->Modified ? QStringLiteral("*") : QString()) +
                         (A->Warn ? QStringLiteral("?") : QString()) + (A->Checked ? QStringLiteral("x") : QString());
        }
        return Parts.join(QLatin1Char(' '));
    }

    // The quantities of a remembering list's ingredient entries, "ingN:q" each.
    static QString Entries(const TIngredientList &List)
    {
        QStringList Parts;
        for (int I = 0; I < List.Count(); ++I) {
            if (List.GetLineType(I) == TIngredientList::ltIngredient)
                Parts << QStringLiteral("%1:%2").arg(List.GetIngredient(I)->Name).arg(List.GetIngredient(I)->Quantity);
            else
                Parts << List.GetLine(I)->Text;
        }
        return Parts.join(QLatin1Char(' '));
    }

    TCoursesChanges C;
};

} // namespace

TEST_F(TCoursesChangesTest, ACrossedOffLineComesBackCrossedOffUnlessMoreIsNeeded)
{
    Refresh({{1, 200}});
    C.InvertChecked1(Find(1));
    EXPECT_EQ(Entries(C.CheckedLines), QStringLiteral("ing1:200"));
    // The menu now needs 300 g: not crossed off, but marked; 150 g: crossed off again.
    Refresh({{1, 300}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 300 g ing1?"));
    Refresh({{1, 150}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 150 g ing1x"));

    // Restoring forgets it; crossing off a marked line again clears the mark.
    C.InvertChecked1(Find(1));
    EXPECT_EQ(C.CheckedLines.Count(), 0);
    C.InvertChecked1(Find(1));
    Refresh({{1, 300}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 300 g ing1?"));
    C.InvertChecked1(Find(1));
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 300 g ing1x"));
    EXPECT_EQ(Entries(C.CheckedLines), QStringLiteral("ing1:300"));
    // Headers and free articles are never crossed off.
    C.AddDivers(QStringLiteral("piles"));
    C.InvertChecked1(0);
    C.InvertChecked1(C.Lines.Count() - 1);
    C.InvertChecked1(-1);
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 300 g ing1x piles*"));
}

TEST_F(TCoursesChangesTest, AChangedQuantityIsRecordedAsADifferenceAndComesBackAfterARefresh)
{
    Refresh({{1, 500, 10}, {2, 100, 10}});
    C.ChangeQuantity(Find(1), 200);
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 700 g ing1* 100 g ing2"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200"));
    // Back to the computed quantity: the entry and the mark go.
    C.ChangeQuantity(Find(1), -200);
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 100 g ing2"));
    EXPECT_EQ(C.AddedLines.Count(), 0);
    // Two changes add up; a refresh applies the sum to the recomputed line.
    C.ChangeQuantity(Find(1), 100);
    C.ChangeQuantity(Find(1), 100);
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200"));
    Refresh({{1, 500, 10}, {2, 100, 10}});
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 700 g ing1* 100 g ing2"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200"));
    // The initial quantity stays the computed one.
    EXPECT_EQ(Line(1).GetInitialQuantityText(), QStringLiteral("500"));
    C.DeleteFromCustom(Find(1));
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 100 g ing2"));
    EXPECT_EQ(C.AddedLines.Count(), 0);

    // Down to 0: a computed line is crossed off with its quantity kept; a line the user added
    // is deleted.
    C.ChangeQuantity(Find(2), -100);
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 100 g ing2x"));
    C.AddIng2({50, 0, QStringLiteral("g"), 3, QStringLiteral("ing3"), QString(), 10});
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 100 g ing2x 50 g ing3*"));
    C.ChangeQuantity(Find(3), -50);
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 100 g ing2x"));
    EXPECT_EQ(C.AddedLines.Count(), 0);
}

TEST_F(TCoursesChangesTest, ArticlesAndPickedIngredientsAreAddedWhereTheyBelong)
{
    Refresh({{1, 500, 10}, {2, 100}});
    // An article typed twice is there twice, under "Divers".
    C.AddDivers(QStringLiteral("pain"));
    C.AddDivers(QStringLiteral("pain"));
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 500 g ing1 [R2147483647] 100 g ing2 pain* pain*"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("pain pain"));

    // A picked ingredient equal to a line (ingredient, unit, note) only raises its quantity;
    // another one goes at the end of its shelf, whose header is created in shelf order.
    C.AddIng2({250, 0, QStringLiteral("g"), 1, QStringLiteral("ing1"), QString(), 10});
    C.AddIng2({2, 0, QStringLiteral("g"), 4, QStringLiteral("ing4"), QStringLiteral("frais"), 20});
    C.AddIng2({3, 0, QStringLiteral("g"), 5, QStringLiteral("ing5"), QString(), 10});
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 750 g ing1* 3 g ing5* [Crèmerie] 2 g ing4 (frais)* "
                                      "[R2147483647] 100 g ing2 pain* pain*"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("pain pain ing1:250 ing4:2 ing5:3"));
    // An ingredient without a shelf goes under "Divers" like the computed ones, not under a
    // nameless shelf of its own.
    C.AddIng2({1, 0, QStringLiteral("g"), 6, QStringLiteral("ing6"), QString(), 0});
    EXPECT_EQ(C.Lines.GetLine(C.Lines.Count() - 1)->Text, QStringLiteral("1 g ing6"));
    EXPECT_EQ(C.Lines.GetIngredient(C.Lines.Count() - 1)->RayCode, RayCodeDivers);

    // All of it survives a refresh; renaming an article renames its entry.
    C.RenameDivers(C.Lines.IndexOf2(QStringLiteral("pain")), QStringLiteral("baguette"));
    Refresh({{1, 500, 10}, {2, 100}});
    EXPECT_EQ(Shape(), QStringLiteral("[R10] 750 g ing1* 3 g ing5* [Crèmerie] 2 g ing4 (frais)* "
                                      "[R2147483647] 100 g ing2 baguette* pain* 1 g ing6*"));
}

TEST_F(TCoursesChangesTest, RecordedDifferencesOfVanishedOrEmptiedLines)
{
    Refresh({{1, 500}, {2, 100}, {3, 400}, {4, 50}});
    C.ChangeQuantity(Find(1), 200);
    C.ChangeQuantity(Find(2), -60);
    C.ChangeQuantity(Find(3), -300);
    C.ChangeQuantity(Find(4), 10);
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200 ing2:-60 ing3:-300 ing4:10"));

    // ing1 and ing2 left the menu: the positive difference comes back as a line of its own,
    // the negative one is not shown and stays remembered.
    Refresh({{3, 400}, {4, 50}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 100 g ing3* 60 g ing4* 200 g ing1*"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200 ing2:-60 ing3:-300 ing4:10"));

    // ing3 now needs 250 g: -300 brings it below 0, so it comes out crossed off with its
    // computed quantity and its entry goes; the entry after it is still applied.
    Refresh({{3, 250}, {4, 50}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 250 g ing3x 60 g ing4* 200 g ing1*"));
    EXPECT_EQ(Entries(C.AddedLines), QStringLiteral("ing1:200 ing2:-60 ing4:10"));
    EXPECT_FALSE(C.Merging);
}

TEST_F(TCoursesChangesTest, AResetKeepsTheHiddenQuantitiesOnly)
{
    Refresh({{1, 500}, {2, 100}});
    C.ToggleQuantity(Find(1));
    C.InvertChecked1(Find(2));
    C.ChangeQuantity(Find(1), 100);
    C.AddDivers(QStringLiteral("piles"));
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] ing1* 100 g ing2x piles*"));
    Refresh({{1, 500}, {2, 100}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] ing1* 100 g ing2x piles*"));

    C.ClearUserLists();
    Refresh({{1, 500}, {2, 100}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] ing1 100 g ing2"));
    EXPECT_FALSE(Line(1).ShowQuantity);
    // Shown again, it is forgotten.
    C.ToggleQuantity(Find(1));
    EXPECT_EQ(C.HiddenQtyLines.Count(), 0);
    Refresh({{1, 500}, {2, 100}});
    EXPECT_EQ(Shape(), QStringLiteral("[R2147483647] 500 g ing1 100 g ing2"));
}
