// What the menu writes to the database in one user action goes in one commit: saving the menu,
// printing its shopping list (both record the history) and opening the shopping list (the
// planned persons). Each commit costs a journal write and several disk syncs.
#include "BenchDatabase.h"
#include "KVXFiles.h"
#include "ModelTestSupport.h"
#include "UnitConst.h"
#include "UnitCoursesPage.h"
#include "UnitIngredientList.h"

#include <sqlite3.h>

namespace {

template <class TAction> int CommitsOf(TAction &&Action)
{
    const TCommitCounter Count(Database->Handle());
    Action();
    return Count.Commits;
}

} // namespace

class TMenuCommitsTest : public TModelTest
{
protected:
    // A week of the shipped recipes, midi and soir, entrée, plat and dessert: 42 recipes.
    void SetUp() override
    {
        TModelTest::SetUp();
        OpenDatabase(true);
        const TRecetteList::TDrawSession Draws(Menu);
        for (int Day = 0; Day < 7; ++Day)
            for (const int Repas : {RepasMidi, RepasSoir})
                for (const int Type : {TypeEntree, TypePlat, TypeDessert})
                    Menu.AddRandomRecette(Repas, 3, Start + Day, Type, false);
    }
    int History() { return Int(QStringLiteral("select count(*) from historique")); }
};

TEST_F(TMenuCommitsTest, SavingPrintingAndOpeningTheShoppingListCommitOnceEach)
{
    EXPECT_EQ(CommitsOf([&] { Menu.SaveToFile(Program.Path(QStringLiteral("menu.txt"))); }), 1);
    EXPECT_EQ(History(), 42);

    Exec(QStringLiteral("DELETE FROM historique"));
    TIngredientList Lines;
    EXPECT_EQ(CommitsOf([&] {
                  Menu.AddHistorique();
                  BuildHtml(Menu, Lines, DataFile(QStringLiteral("html")), Program.Path(QStringLiteral("list.html")));
              }),
              1);
    EXPECT_EQ(History(), 42);

    EXPECT_EQ(CommitsOf([&] { Menu.GetIngredientList(Lines); }), 1);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from recette where menupers = 3")), 42);
}

TEST_F(TMenuCommitsTest, TheHistoryIsWrittenWholeOrNotAtAll)
{
    // A recipe deleted since it was planned is refused by the table and skipped, as before.
    const int Deleted = Menu.GetRecette(2)->Code;
    Exec(QStringLiteral("DELETE FROM recette WHERE code = %1").arg(Deleted));
    Menu.AddHistorique();
    EXPECT_EQ(History(), 41);

    // Any other failure on one row (here a function the engine refuses to run, as a full disk
    // would fail) leaves no history at all; the menu is saved all the same.
    Exec(QStringLiteral("DELETE FROM historique"));
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON historique WHEN new.reccode = %1 "
                        "BEGIN SELECT load_extension('none'); END")
             .arg(Menu.GetRecette(Menu.Count() - 1)->Code));
    Menu.SaveToFile(Program.Path(QStringLiteral("menu.txt")));
    EXPECT_EQ(History(), 0);
    EXPECT_FALSE(Menu.IsModified());
    EXPECT_EQ(KVXReadFile(Program.Path(QStringLiteral("menu.txt"))), Menu.SavedJson);

    // The planned persons too: a failure writes none of them.
    Exec(QStringLiteral("CREATE TRIGGER keep BEFORE UPDATE OF menupers ON recette WHEN new.code = %1 "
                        "BEGIN SELECT RAISE(ABORT, 'kept'); END")
             .arg(Menu.GetRecette(Menu.Count() - 1)->Code));
    TIngredientList Lines;
    EXPECT_TRUE(FailureOf([&] { Menu.GetIngredientList(Lines); }).Raised);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from recette where menupers = 3")), 0);
}
