// The planner's hot paths on bases of 1,000, 10,000 and 100,000 recipes: a week's random
// generation against the bare engine running the very same statements (its floor), that
// floor with SYSTEM2 against a byte comparison, the shopping list of two weeks, and the menu
// document of a month.
//
// Goals at 10,000 recipes: the generation at most 1.3 x its floor, the SYSTEM2 floor at most
// 1.5 x the byte-comparison floor. The ratios are printed after the runs.

#include "BenchDatabase.h"
#include "BenchReport.h"

#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitIngredientList.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"
#include "UnitTypes.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const int RecipeCounts[] = {1000, 10000, 100000};
// Every timed generation draws the same recipes, the ones whose statements the floor replays.
constexpr quint32 DrawSeed = 4242;
constexpr int HistoryDays = 30;
constexpr int Persons = 4;

// One candidate query as the engine received it during a real generation, and the values
// bound to its parameters.
struct TRecordedQuery
{
    QByteArray SQL;
    int Repas = 0;
    int Type = 0;
};

// Seven days, midi then soir, entrée, plat, dessert: the main window's order of draws.
template <class TDraw> void ForEachDraw(int Days, TDraw &&Draw)
{
    for (int Day = 0; Day < Days; ++Day)
        for (int Repas = 1; Repas <= 2; ++Repas)
            for (int Type = 0; Type <= 2; ++Type)
                Draw(Day, Repas, Type);
}

void Generate(TRecetteList &Menu, TDateTime Start, int Days, bool Saison)
{
    ForEachDraw(Days, [&](int Day, int Repas, int Type) {
        Menu.AddRandomRecette(Repas, Persons, IncDay(Start, Day), Type, Saison);
    });
}

// A bare engine connection on the same file, for the floors.
class TRawConnection
{
public:
    TRawConnection(const QString &File, int (*Collation)(void *, int, const void *, int, const void *))
    {
        if (sqlite3_open_v2(File.toUtf8().constData(), &DB, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the base");
        sqlite3_create_collation(DB, "SYSTEM2", SQLITE_UTF8, nullptr, Collation);
    }
    ~TRawConnection() { sqlite3_close_v2(DB); }
    TRawConnection(const TRawConnection &) = delete;
    TRawConnection &operator=(const TRawConnection &) = delete;

    sqlite3 *DB = nullptr;
};

// What the collation costs: a plain byte order under the same name.
int ByteCollate(void *, int Length1, const void *Text1, int Length2, const void *Text2)
{
    const int Common = Length1 < Length2 ? Length1 : Length2;
    const int Order = std::memcmp(Text1, Text2, std::size_t(Common));
    return Order ? Order : Length1 - Length2;
}

// The recorded statements stepped through the engine, every column of every row read by
// its type. Returns the rows read.
qint64 RunFloor(sqlite3 *DB, const std::vector<TRecordedQuery> &Queries, qint64 &Checksum)
{
    qint64 Rows = 0;
    for (const TRecordedQuery &Query : Queries) {
        sqlite3_stmt *Raw = nullptr;
        if (sqlite3_prepare_v2(DB, Query.SQL.constData(), -1, &Raw, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(DB));
        const TSQLiteStatement Statement(Raw);
        sqlite3_bind_int64(Raw, sqlite3_bind_parameter_index(Raw, ":repas"), Query.Repas);
        sqlite3_bind_int64(Raw, sqlite3_bind_parameter_index(Raw, ":type"), Query.Type);
        const int Columns = sqlite3_column_count(Raw);
        int Rc = SQLITE_ROW;
        while ((Rc = sqlite3_step(Raw)) == SQLITE_ROW) {
            ++Rows;
            for (int C = 0; C < Columns; ++C) {
                switch (sqlite3_column_type(Raw, C)) {
                case SQLITE_INTEGER:
                    Checksum += sqlite3_column_int64(Raw, C);
                    break;
                case SQLITE_FLOAT:
                    Checksum += qint64(sqlite3_column_double(Raw, C));
                    break;
                case SQLITE_TEXT: {
                    const unsigned char *Text = sqlite3_column_text(Raw, C);
                    Checksum += sqlite3_column_bytes(Raw, C) + (Text ? Text[0] : 0);
                    break;
                }
                case SQLITE_BLOB:
                    Checksum += sqlite3_column_bytes(Raw, C) + (sqlite3_column_blob(Raw, C) ? 1 : 0);
                    break;
                default:
                    break;
                }
            }
        }
        if (Rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(DB));
    }
    return Rows;
}

// The program set up on a private copy of the base of one size: settings with the history
// on (30 days), the colour rotation, the global Database, the candidate statements of one
// real generation, and the two bare connections of the floors.
class TWorld
{
public:
    explicit TWorld(int RecipeCount) : N(RecipeCount)
    {
        if (!Dir.isValid())
            throw std::runtime_error("no temporary folder");
        File = BenchDatabaseCopy(N, Dir.path());
        Cfg = std::make_unique<TConfig>(Dir.filePath(QStringLiteral("fenolda")));
        Cfg->SetHistoEnabled(true);
        Cfg->SetHistoDays(HistoryDays);
        System2 = std::make_unique<TRawConnection>(File, SystemCollate2);
        Bytes = std::make_unique<TRawConnection>(File, ByteCollate);
        Config = Cfg.get();
        ColorRotation = &Rotation;
        try {
            SetDatabase(std::make_unique<TQlDatabase>(File));
            Start = Today();
            RecordGeneration();
        } catch (...) {
            ReleaseGlobals();
            throw;
        }
    }

    ~TWorld() { ReleaseGlobals(); }

    TWorld(const TWorld &) = delete;
    TWorld &operator=(const TWorld &) = delete;

    // One timed generation: the menu emptied, the generator seeded as when recording.
    void GenerateWeek(TRecetteList &Menu) const
    {
        Menu.Clear();
        RandSeed(DrawSeed);
        Generate(Menu, Start, 7, true);
    }

    // A menu of Days days, midi and soir, entrée, plat and dessert, of recipes drawn at
    // random among those of each meal and dish type and added by code: as the generation
    // would fill it, without the cost of a month of draws on the largest base.
    void BuildMenu(TRecetteList &Menu, int Days) const
    {
        RandSeed(DrawSeed + 1);
        std::set<qint64> Used;
        std::map<std::pair<int, int>, std::vector<qint64>> Candidates;
        ForEachDraw(Days, [&](int Day, int Repas, int Type) {
            std::vector<qint64> &Codes = Candidates[{Repas, Type}];
            if (Codes.empty()) {
                Database->AddParamInt(":repas", Repas);
                Database->AddParamInt(":type", Type);
                const auto Table =
                    Database->GetTable(QStringLiteral("select code from recette where (repas=0 or repas=:repas) and "
                                                      "type_=:type"));
                for (; !Table->Eof(); Table->Next())
                    Codes.push_back(Table->FieldAsInteger(0));
            }
            qint64 Code = 0;
            do
                Code = Codes[std::size_t(Random(int(Codes.size())))];
            while (!Used.insert(Code).second);
            Menu.AddRecetteFromCode(Repas, Persons, IncDay(Start, Day), int(Code));
        });
    }

    const int N;
    QTemporaryDir Dir;
    QString File;
    std::unique_ptr<TConfig> Cfg;
    TColorRotation Rotation;
    TDateTime Start = 0;
    std::vector<TRecordedQuery> Queries;
    std::unique_ptr<TRawConnection> System2;
    std::unique_ptr<TRawConnection> Bytes;

private:
    static void ReleaseGlobals()
    {
        FreeDatabase();
        ColorRotation = nullptr;
        Config = nullptr;
    }

    static int Trace(unsigned Kind, void *Context, void *Statement, void *)
    {
        if (Kind == SQLITE_TRACE_STMT) {
            const char *SQL = sqlite3_sql(static_cast<sqlite3_stmt *>(Statement));
            if (SQL && std::strncmp(SQL, "select r.*", 10) == 0)
                static_cast<std::vector<TRecordedQuery> *>(Context)->push_back({QByteArray(SQL), 0, 0});
        }
        return 0;
    }

    // The texts exactly as the engine received them, in the order of the draws, which also
    // gives the values of :repas and :type.
    void RecordGeneration()
    {
        TRecetteList Menu;
        sqlite3_trace_v2(Database->Handle(), SQLITE_TRACE_STMT, Trace, &Queries);
        GenerateWeek(Menu);
        sqlite3_trace_v2(Database->Handle(), 0, nullptr, nullptr);
        std::size_t I = 0;
        ForEachDraw(7, [&](int, int Repas, int Type) {
            if (I < Queries.size()) {
                Queries[I].Repas = Repas;
                Queries[I].Type = Type;
            }
            ++I;
        });
        if (Queries.size() != I)
            throw std::runtime_error("the generation did not run one candidate query per draw");
    }
};

// One base at a time: the program has one global database. Released by main before the
// program's own statics go, since the world hands its connection back through them.
std::unique_ptr<TWorld> CurrentWorld;

TWorld &World(int N)
{
    if (!CurrentWorld || CurrentWorld->N != N) {
        CurrentWorld.reset();
        CurrentWorld = std::make_unique<TWorld>(N);
    }
    return *CurrentWorld;
}

// Each benchmark runs its body once untimed first, so that the engine's page cache is warm
// for the first timed iteration as for the others.

void BM_Generation(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.GenerateWeek(Menu);
    for (auto _ : State)
        W.GenerateWeek(Menu);
    State.counters["draws"] = double(W.Queries.size());
}

void Floor(benchmark::State &State, sqlite3 *DB, const std::vector<TRecordedQuery> &Queries)
{
    qint64 Checksum = 0;
    const qint64 Rows = RunFloor(DB, Queries, Checksum);
    for (auto _ : State) {
        RunFloor(DB, Queries, Checksum);
        benchmark::DoNotOptimize(Checksum);
    }
    State.counters["rows/draw"] = double(Rows) / double(Queries.size());
}

void BM_FloorSystem2(benchmark::State &State, TWorld &W)
{
    Floor(State, W.System2->DB, W.Queries);
}

void BM_FloorBytes(benchmark::State &State, TWorld &W)
{
    Floor(State, W.Bytes->DB, W.Queries);
}

void BM_ShoppingList(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.BuildMenu(Menu, 14);
    int Lines = 0;
    {
        TIngredientList List;
        Menu.GetIngredientList(List);
        Lines = List.Count();
    }
    for (auto _ : State) {
        TIngredientList List;
        Menu.GetIngredientList(List);
        benchmark::DoNotOptimize(List.Count());
    }
    State.counters["lines"] = Lines;
}

void BM_SaveDocument(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.BuildMenu(Menu, 31);
    for (auto _ : State) {
        const QString Text = Menu.SaveToJson(QString());
        benchmark::DoNotOptimize(Text.size());
    }
}

void BM_LoadDocument(benchmark::State &State, TWorld &W)
{
    QString Text;
    {
        TRecetteList Menu;
        W.BuildMenu(Menu, 31);
        Text = Menu.SaveToJson(QString());
    }
    TRecetteList Loaded;
    Loaded.LoadFromJson(Text, W.Start);
    for (auto _ : State) {
        Loaded.Clear();
        Loaded.LoadFromJson(Text, W.Start);
    }
}

using TBenchmark = void (*)(benchmark::State &, TWorld &);

// A failure (no base, no candidate left, an engine error) marks the benchmark as failed
// with its message instead of ending the whole run.
void RunGuarded(benchmark::State &State, int N, TBenchmark Body)
{
    RunOrSkip(State, [&] { Body(State, World(N)); });
}

} // namespace

int main(int argc, char **argv)
{
    // Registered size by size: the base of one size is set up once for all its benchmarks.
    // The machine may be shared: repetitions, and their median, keep the ratios steady.
    for (const int N : RecipeCounts) {
        const auto Register = [&](const char *Kind, TBenchmark Body) {
            Timed(benchmark::RegisterBenchmark(SizedName(Kind, N).c_str(), RunGuarded, N, Body), RepetitionsFor(N));
        };
        Register("Generation", BM_Generation);
        Register("FloorSystem2", BM_FloorSystem2);
        Register("FloorBytes", BM_FloorBytes);
        Register("ShoppingList", BM_ShoppingList);
        Register("SaveDocument", BM_SaveDocument);
        Register("LoadDocument", BM_LoadDocument);
    }
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    CurrentWorld.reset();
    if (Rc != 0)
        return Rc;

    std::printf("\nRatios (goals at 10000 recipes: generation <= 1.30 x floor, SYSTEM2 floor <= 1.50 x byte floor)\n");
    std::printf("%10s  %-22s  %-26s\n", "recipes", "generation / floor", "SYSTEM2 floor / byte floor");
    for (const int N : RecipeCounts) {
        const double Goal1 = N == 10000 ? 1.3 : 0;
        const double Goal2 = N == 10000 ? 1.5 : 0;
        std::printf(
            "%10d  %-22s  %-26s\n", N,
            FormatRatio(Reporter.Ratio(SizedName("Generation", N), SizedName("FloorSystem2", N)), Goal1).c_str(),
            FormatRatio(Reporter.Ratio(SizedName("FloorSystem2", N), SizedName("FloorBytes", N)), Goal2).c_str());
    }
    return 0;
}
