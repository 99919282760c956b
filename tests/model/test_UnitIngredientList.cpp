#include "ModelTestSupport.h"
#include "UnitIngredientList.h"

namespace {

// A view that keeps its rows' check boxes and the calls it received.
class TRecordingView : public TIngredientListView
{
public:
    void RowAdded() override { Call(QStringLiteral("added"), int(Rows.size()), 1); }
    void RowInserted(int Index) override { Call(QStringLiteral("inserted %1").arg(Index), Index, 1); }
    void RowDeleted(int Index) override { Call(QStringLiteral("deleted %1").arg(Index), Index, -1); }
    void Cleared() override { Call(QStringLiteral("cleared"), 0, -int(Rows.size())); }
    bool RowChecked(int Index) const override { return Rows.at(Index); }
    void SetRowChecked(int Index, bool Checked) override
    {
        Call(QStringLiteral("checked %1").arg(Index), Index, 0);
        Rows[Index] = Checked;
    }

    QList<bool> Rows;
    QStringList Calls;

private:
    // Count rows added (unchecked) or removed at Index.
    void Call(const QString &Name, int Index, int Count)
    {
        Calls << Name;
        if (Count > 0)
            Rows.insert(Index, false);
        else if (Count < 0)
            Rows.remove(Index, -Count);
    }
};

std::unique_ptr<TLineIngredient> Ingredient(int IngCode, double Quantity, const QString &Note, int RayCode = 0)
{
    auto Line = std::make_unique<TLineIngredient>();
    Line->IngCode = IngCode;
    Line->Name = QStringLiteral("ing%1").arg(IngCode);
    Line->Note = Note;
    Line->RayCode = RayCode;
    Line->SetQuantity(Quantity);
    return Line;
}

QList<int> HeaderCodes(const TIngredientList &List)
{
    QList<int> Result;
    for (int I = 0; I < List.Count(); ++I) {
        if (List.GetLineType(I) == TIngredientList::ltRayon)
            Result << List.GetRayon(I)->RayCode;
    }
    return Result;
}

} // namespace

TEST(TIngredientList, TheViewFollowsTheLinesAndLinesAreFound)
{
    TRecordingView View;
    TIngredientList List(&View);
    auto Checked = std::make_unique<TLineDivers>(QStringLiteral("Piles AA"));
    Checked->Checked = true;
    List.Add(std::move(Checked));
    EXPECT_EQ(List.AddInsert(Ingredient(5, 200, QStringLiteral("Fin")), 0), 0);
    EXPECT_EQ(List.AddInsert(Ingredient(5, 0, QStringLiteral("fin")), 9), 2);
    // Rows come unchecked whatever the line says; SetChecked brings them in step, only when
    // they differ.
    List.SetChecked(1, true);
    List.SetChecked(1, true);
    List.SetChecked(2, false);
    EXPECT_EQ(View.Rows, (QList<bool>{false, true, false}));

    EXPECT_EQ(List.IndexOf(TLineDivers(QStringLiteral("piles aa"))), 1);
    // A zero quantity finds only a zero line; another quantity the first line of the key.
    EXPECT_EQ(List.IndexOf(*Ingredient(5, 0, QStringLiteral("FIN"))), 2);
    EXPECT_EQ(List.IndexOf(*Ingredient(5, 3, QStringLiteral("fin"))), 0);
    EXPECT_EQ(List.IndexOf(*Ingredient(6, 3, QStringLiteral("fin"))), -1);

    List.Delete(0);
    List.Clear();
    EXPECT_EQ(View.Calls,
              (QStringList{QStringLiteral("added"), QStringLiteral("inserted 0"), QStringLiteral("added"),
                           QStringLiteral("checked 1"), QStringLiteral("deleted 0"), QStringLiteral("cleared")}));
    EXPECT_TRUE(View.Rows.isEmpty());
    EXPECT_EQ(FailureOf([&] { List.Delete(0); }).Message, QStringLiteral("List index out of bounds (0)"));
}

using TIngredientListDb = TModelTest;

TEST_F(TIngredientListDb, ShelfHeadersStayInCodeOrderWithDiversLast)
{
    Exec(QStringLiteral("INSERT INTO rayon (name) VALUES ('Un'), ('Deux'), ('Trois'), ('Quatre')"));
    TIngredientList List;
    EXPECT_EQ(List.GetRayonIndex(1), 0);
    EXPECT_EQ(List.GetRayonIndex(RayCodeDivers), 1);
    List.AddInsert(Ingredient(9, 1, QString(), 1), List.GetIngIndex(0));
    EXPECT_EQ(List.GetRayonIndex(3), 2);
    // Between two shelves, then above every real shelf: before "Divers".
    EXPECT_EQ(List.GetRayonIndex(2), 2);
    EXPECT_EQ(List.GetRayonIndex(4), 4);
    EXPECT_EQ(HeaderCodes(List), (QList<int>{1, 2, 3, 4, RayCodeDivers}));
    EXPECT_EQ(List.GetRayon(2)->Name, QStringLiteral("Deux"));
    EXPECT_EQ(List.GetRayon(5)->Name, QStringLiteral("Divers"));
    EXPECT_EQ(List.GetRayon(5)->Color, KVXHtmlToColor(QStringLiteral("#808080")));
    // The rotation goes on in creation order: shelves 1, 3, then 2.
    EXPECT_EQ(List.GetRayon(2)->Color, KVXHtmlToColor(QStringLiteral("#3E7D66")));
    EXPECT_EQ(List.GetIngIndex(5), List.Count());
    EXPECT_EQ(List.GetIngIndex(0), 2);

    // Unchecked lines of a block; a missing "Divers" is appended.
    List.Clear();
    for (int I = 1; I <= 3; ++I)
        List.AddInsert(Ingredient(I, 1, QString(), 1), List.GetIngIndex(List.GetRayonIndex(1)));
    List.SetChecked(2, true);
    EXPECT_EQ(List.GetIngCount(1), 2);
    EXPECT_EQ(List.GetRayonIndex(RayCodeDivers), 4);
}
