// The shopping list's refresh on a base of 10,000 recipes, for a menu of 14 days, midi and
// soir, entrée, plat and dessert (84 recipes): the window's refresh (recomputation, the
// user's changes applied, the list's rows rebuilt, laid out and painted, offscreen) against
// the model's computation alone (the same recomputation into an unbound list).
//
// Goal: the window adds at most 20 % to the model's computation. The ratio is printed after
// the runs.

#include "BenchApplication.h"
#include "BenchDatabase.h"
#include "BenchReport.h"

#include "UnitConfig.h"
#include "UnitCourses.h"
#include "UnitCoursesChanges.h"
#include "UnitDatabase.h"
#include "UnitGraphicsQt.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"
#include "UnitTypes.h"

#include <QApplication>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int RecipeCount = 10000;
constexpr int Days = 14;
constexpr int Persons = 4;

// The base, its menu and the globals the list needs, for the whole run.
class TWorld
{
public:
    TWorld()
    {
        File = BenchDatabaseCopy(RecipeCount, Dir.path());
        ColorRotation = &Rotation;
        SetDatabase(std::make_unique<TQlDatabase>(File));
        BuildMenu();
    }
    ~TWorld()
    {
        FreeDatabase();
        ColorRotation = nullptr;
    }
    TWorld(const TWorld &) = delete;
    TWorld &operator=(const TWorld &) = delete;

    TRecetteList Menu;

private:
    // Recipes of each meal and dish type drawn at random, as a generation would choose them.
    void BuildMenu()
    {
        RandSeed(4243);
        std::set<int> Used;
        const TDateTime Start = Today();
        for (int Day = 0; Day < Days; ++Day)
            for (int Repas = 1; Repas <= 2; ++Repas)
                for (int Type = 0; Type <= 2; ++Type) {
                    std::vector<int> &Codes = Candidates[Repas * 4 + Type];
                    if (Codes.empty()) {
                        Database->AddParamInt(":repas", Repas);
                        Database->AddParamInt(":type", Type);
                        const auto Table = Database->GetTable(
                            QStringLiteral("select code from recette where (repas=0 or repas=:repas) and type_=:type"));
                        for (; !Table->Eof(); Table->Next())
                            Codes.push_back(int(Table->FieldAsInteger(0)));
                    }
                    int Code = 0;
                    do
                        Code = Codes[std::size_t(Random(int(Codes.size())))];
                    while (!Used.insert(Code).second);
                    Menu.AddRecetteFromCode(Repas, Persons, IncDay(Start, Day), Code);
                }
    }

    QTemporaryDir Dir;
    QString File;
    TColorRotation Rotation;
    std::vector<int> Candidates[12];
};

std::unique_ptr<TWorld> World;

// A few changes of the user, so that the refresh has something to apply again.
void AddUserChanges(TCoursesChanges &Changes)
{
    Changes.AddDivers(QStringLiteral("piles"));
    Changes.AddDivers(QStringLiteral("essuie-tout"));
    for (int I = 0, Done = 0; I < Changes.Lines.Count() && Done < 6; ++I) {
        if (Changes.Lines.GetLineType(I) != TIngredientList::ltIngredient)
            continue;
        if (Done % 2 == 0)
            Changes.InvertChecked1(I);
        else
            Changes.ChangeQuantity(I, 1);
        ++Done;
    }
}

void BM_ModelRefresh(benchmark::State &State)
{
    TCoursesChanges Changes;
    Changes.Recompute(World->Menu);
    AddUserChanges(Changes);
    for (auto _ : State) {
        Changes.Recompute(World->Menu);
        benchmark::DoNotOptimize(Changes.Lines.Count());
    }
    State.counters["lines"] = Changes.Lines.Count();
}

void BM_WindowRefresh(benchmark::State &State)
{
    TFormCourses Form;
    Form.Menu = &World->Menu;
    Form.Show();
    QApplication::processEvents();
    AddUserChanges(Form.Changes);
    for (auto _ : State) {
        Form.RefreshList();
        // What the refresh asked for, as the event loop does it for the user: the layout of
        // the rows and one painting of the visible ones.
        QApplication::processEvents();
    }
    State.counters["lines"] = Form.Lines.Count();
}

void RunGuarded(benchmark::State &State, void (*Body)(benchmark::State &))
{
    RunOrSkip(State, [&] {
        if (!World)
            World = std::make_unique<TWorld>();
        Body(State);
    });
}

} // namespace

int main(int argc, char **argv)
{
    TBenchApplication App(argc, argv);
    for (const auto &[Name, Body] :
         {std::pair{"ModelRefresh/10000", BM_ModelRefresh}, std::pair{"WindowRefresh/10000", BM_WindowRefresh}})
        Timed(benchmark::RegisterBenchmark(Name, RunGuarded, Body), 5);
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    World.reset();
    if (Rc != 0)
        return Rc;
    std::printf("\nRatio (goal: window <= 1.20 x model)\n");
    std::printf("window / model: %s\n",
                FormatRatio(Reporter.Ratio("WindowRefresh/10000", "ModelRefresh/10000"), 1.2).c_str());
    return 0;
}
