// The planner's hot paths on bases of 1,000, 10,000 and 100,000 recipes: a week's random
// generation against the least a draw needs (its floor: the candidates' codes fetched once per
// meal and dish type with the season and the history window applied, then the drawn row read
// by its code) and against the same draws made by running the candidate statement of every
// draw (as a menu planner without the candidates' cache would), those statements stepped by
// the bare engine with SYSTEM2 and with a byte comparison, the shopping list of two weeks opened after the persons
// changed, the save of a week's menu to a file, and the menu document of a month. The
// commits that the shopping list and the save make are counted.
//
// Goals: the generation at most 3 x its floor at 10,000 recipes and 5 x at 100,000, the
// SYSTEM2 statements at most 1.5 x the byte-comparison ones at 10,000. The ratios are
// printed after the runs.

#include "BenchDatabase.h"
#include "BenchReport.h"

#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitIngredientList.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"
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
    const TRecetteList::TDrawSession Draws(Menu);
    ForEachDraw(Days, [&](int Day, int Repas, int Type) {
        Menu.AddRandomRecette(Repas, Persons, IncDay(Start, Day), Type, Saison);
    });
}

// The same draws made the long way: each one runs the candidate statement of GetRecetteList1
// and takes row r of all the candidates it reads and sorts.
void GenerateByStatements(TRecetteList &Menu, TDateTime Start, int Days, bool Saison)
{
    ForEachDraw(Days, [&](int Day, int Repas, int Type) {
        auto Table = Menu.GetRecetteList1(Repas, Type, Saison, HistoryDays);
        if (Table->RowCount() == 0)
            throw std::runtime_error("no candidate left");
        Table->MoveTo(quint32(Random(int(Table->RowCount()))));
        Menu.AddRecette(Repas, Persons, IncDay(Start, Day), std::move(Table));
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

// The draws' floor: per meal and dish type, the codes of the candidates fetched once with the
// season and the history window applied; then per draw the drawn recipe's row read by its
// code, every column by its type. Returns the rows read.
qint64 RunDrawFloor(sqlite3 *DB, const std::vector<qint64> &Drawn, int Saison, qint64 &Checksum)
{
    const auto Prepare = [DB](const QByteArray &SQL) {
        sqlite3_stmt *Raw = nullptr;
        if (sqlite3_prepare_v2(DB, SQL.constData(), -1, &Raw, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(DB));
        return TSQLiteStatement(Raw);
    };
    const TSQLiteStatement Candidates = Prepare(
        "select r.code from recette r where (repas=0 or repas=?1) and type_=?2 and (saison=0 or saison=" +
        QByteArray::number(Saison) +
        ") and r.code not in (select reccode from historique h where (julianday('now') - julianday(h.recdate)) <= " +
        QByteArray::number(HistoryDays) + ")");
    const TSQLiteStatement Row =
        Prepare("select r.*, l.name as livname from recette r left join livre l on r.livcode=l.code where r.code=?1");
    qint64 Rows = 0;
    std::vector<qint64> Codes[2][3];
    for (int Repas = 1; Repas <= 2; ++Repas)
        for (int Type = 0; Type <= 2; ++Type) {
            sqlite3_bind_int(Candidates.get(), 1, Repas);
            sqlite3_bind_int(Candidates.get(), 2, Type);
            while (sqlite3_step(Candidates.get()) == SQLITE_ROW) {
                Codes[Repas - 1][Type].push_back(sqlite3_column_int64(Candidates.get(), 0));
                ++Rows;
            }
            sqlite3_reset(Candidates.get());
        }
    Checksum += qint64(Codes[0][0].size() + Codes[1][2].size());
    const int Columns = sqlite3_column_count(Row.get());
    for (const qint64 Code : Drawn) {
        sqlite3_bind_int64(Row.get(), 1, Code);
        if (sqlite3_step(Row.get()) != SQLITE_ROW)
            throw std::runtime_error("a drawn recipe is missing");
        ++Rows;
        for (int C = 0; C < Columns; ++C) {
            if (sqlite3_column_type(Row.get(), C) == SQLITE_TEXT)
                Checksum += sqlite3_column_bytes(Row.get(), C) + sqlite3_column_text(Row.get(), C)[0];
            else
                Checksum += sqlite3_column_int64(Row.get(), C);
        }
        sqlite3_reset(Row.get());
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
    void GenerateWeekByStatements(TRecetteList &Menu) const
    {
        Menu.Clear();
        RandSeed(DrawSeed);
        GenerateByStatements(Menu, Start, 7, true);
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
    // The codes drawn by the generation, in the order of the draws.
    std::vector<qint64> Drawn;
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

    // The candidate statements exactly as the engine received them, in the order of the
    // draws, which also gives the values of :repas and :type.
    void RecordGeneration()
    {
        TRecetteList Menu;
        sqlite3_trace_v2(Database->Handle(), SQLITE_TRACE_STMT, Trace, &Queries);
        GenerateWeekByStatements(Menu);
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
        // The menu lists its recipes by day, meal and dish type: the order of the draws.
        for (const QString &Code : Menu.GetCodeList().split(QLatin1Char(',')))
            Drawn.push_back(Code.toLongLong());
        const QString Statements = Menu.GetCodeList();
        GenerateWeek(Menu);
        if (Menu.GetCodeList() != Statements)
            throw std::runtime_error("the generation draws other recipes than the candidate statements");
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

void BM_GenerationByStatements(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.GenerateWeekByStatements(Menu);
    for (auto _ : State)
        W.GenerateWeekByStatements(Menu);
}

void BM_DrawFloor(benchmark::State &State, TWorld &W)
{
    qint64 Checksum = 0;
    const int Saison = CurrentSaison();
    RunDrawFloor(W.System2->DB, W.Drawn, Saison, Checksum);
    for (auto _ : State) {
        RunDrawFloor(W.System2->DB, W.Drawn, Saison, Checksum);
        benchmark::DoNotOptimize(Checksum);
    }
}

void BM_FloorSystem2(benchmark::State &State, TWorld &W)
{
    Floor(State, W.System2->DB, W.Queries);
}

void BM_FloorBytes(benchmark::State &State, TWorld &W)
{
    Floor(State, W.Bytes->DB, W.Queries);
}

// Each opening follows a change of the persons, as after a generation: every planned recipe's
// persons are written.
void BM_ShoppingList(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.BuildMenu(Menu, 14);
    int Pers = Persons;
    const auto ChangePersons = [&] {
        Pers = Pers == Persons ? Persons + 1 : Persons;
        for (int I = 0; I < Menu.Count(); ++I)
            if (Menu.GetLineType(I) == TRecetteList::ltRecette)
                Menu.GetRecette(I)->MenuPers = Pers;
    };
    int Lines = 0;
    {
        ChangePersons();
        TIngredientList List;
        Menu.GetIngredientList(List);
        Lines = List.Count();
    }
    const TCommitCounter Counter(Database->Handle());
    for (auto _ : State) {
        ChangePersons();
        TIngredientList List;
        Menu.GetIngredientList(List);
        benchmark::DoNotOptimize(List.Count());
    }
    State.counters["lines"] = Lines;
    State.counters["commits"] = benchmark::Counter(Counter.Commits, benchmark::Counter::kAvgIterations);
}

// A week's menu saved to a file, its history rows new at every save: the rows of the previous
// save are deleted untimed, and those of the last one at the end, so that the draws of the
// other benchmarks stay the recorded ones.
void BM_SaveToFile(benchmark::State &State, TWorld &W)
{
    TRecetteList Menu;
    W.BuildMenu(Menu, 7);
    const QString File = W.Dir.filePath(QStringLiteral("menu.txt"));
    const QString Forget = QStringLiteral("delete from historique where rowid > %1")
                               .arg(Database->GetTableString(QStringLiteral("select max(rowid) from historique")));
    Menu.SaveToFile(File);
    int Commits = 0;
    for (auto _ : State) {
        State.PauseTiming();
        Database->ExecSQL(Forget);
        State.ResumeTiming();
        const TCommitCounter Counter(Database->Handle());
        Menu.SaveToFile(File);
        Commits += Counter.Commits;
    }
    Database->ExecSQL(Forget);
    State.counters["commits"] = benchmark::Counter(Commits, benchmark::Counter::kAvgIterations);
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
        Register("GenerationByStatements", BM_GenerationByStatements);
        Register("DrawFloor", BM_DrawFloor);
        Register("FloorSystem2", BM_FloorSystem2);
        Register("FloorBytes", BM_FloorBytes);
        Register("ShoppingList", BM_ShoppingList);
        Register("SaveToFile", BM_SaveToFile);
        Register("SaveDocument", BM_SaveDocument);
        Register("LoadDocument", BM_LoadDocument);
    }
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    CurrentWorld.reset();
    if (Rc != 0)
        return Rc;

    std::printf("\nRatios (goals: generation <= 3.00 x its floor at 10000 recipes and <= 5.00 x at 100000, SYSTEM2 "
                "statements <= 1.50 x byte statements at 10000)\n");
    std::printf("%10s  %-20s  %-23s  %-25s  %-25s\n", "recipes", "generation / floor", "by statements / floor",
                "bare statements / floor", "SYSTEM2 / byte statements");
    for (const int N : RecipeCounts) {
        const double Goal1 = N == 10000 ? 3.0 : N == 100000 ? 5.0 : 0;
        const double Goal2 = N == 10000 ? 1.5 : 0;
        const auto Ratio = [&](const char *Numerator, const char *Denominator, double Goal) {
            return FormatRatio(Reporter.Ratio(SizedName(Numerator, N), SizedName(Denominator, N)), Goal);
        };
        std::printf("%10d  %-20s  %-23s  %-25s  %-25s\n", N, Ratio("Generation", "DrawFloor", Goal1).c_str(),
                    Ratio("GenerationByStatements", "DrawFloor", 0).c_str(),
                    Ratio("FloorSystem2", "DrawFloor", 0).c_str(), Ratio("FloorSystem2", "FloorBytes", Goal2).c_str());
    }
    return 0;
}
