// The recipe list window on large bases: its opening (the query run and the grid filled),
// one keystroke in its filter, and one painting of the grid, beside the floor: the bare
// engine stepping the same statement with the same collation and reading every column as
// text.

#include "BenchApplication.h"
#include "BenchDatabase.h"
#include "BenchReport.h"

#include "DrawGrid.h"
#include "KVXStringList.h"
#include "UnitDatabase.h"
#include "UnitFormCall.h"
#include "UnitGraphicsQt.h"
#include "UnitList.h"
#include "UnitTools.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

const int RecipeCounts[] = {1000, 10000, 100000};

// The recipe list's own statement, as its configuration hands it to the window.
const QString RecetteSql = QStringLiteral("select r.*, l.name as livname from recette r left join livre l on "
                                          "r.livcode=l.code where r.name like :filtername order by r.name");
// A keystroke types this letter into the empty filter, the next one takes it away.
const QString TypedLetter = QStringLiteral("e");

std::unique_ptr<TStringList> Lines(std::initializer_list<const char *> Items)
{
    auto List = std::make_unique<TKVXStringList>();
    for (const char *Item : Items)
        List->Add(QString::fromLatin1(Item));
    return List;
}

// The recipe list shown on the base of one size, and a bare connection on the same file.
class TWorld
{
public:
    explicit TWorld(int RecipeCount)
    {
        File = BenchDatabaseFile(RecipeCount);
        if (sqlite3_open_v2(File.toUtf8().constData(), &DB, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the base");
        sqlite3_create_collation(DB, "SYSTEM2", SQLITE_UTF8, nullptr, SystemCollate2);
        SetDatabase(std::make_unique<TQlDatabase>(File));
        auto Fields = std::make_unique<TKVXStringList>();
        GetRecetteFields(*Fields);
        Form = NewFormList(Lines({"name=Nom"}), 0, std::move(Fields), Lines({"code"}), nullptr, RecetteSql,
                           QStringLiteral("recette"), nullptr, QStringLiteral("Recettes"));
        Form->show();
        QApplication::processEvents();
        Filter = Form->findChild<QLineEdit *>(QStringLiteral("EdFilter"));
        Grid = Form->findChild<TDrawGrid *>(QStringLiteral("GridItems"));
        if (!Filter || !Grid)
            throw std::runtime_error("the list has no filter or grid");
    }
    ~TWorld()
    {
        Form.reset();
        FreeDatabase();
        sqlite3_close_v2(DB);
    }
    TWorld(const TWorld &) = delete;
    TWorld &operator=(const TWorld &) = delete;

    // The statement as the program database runs it, through the bare engine: every row
    // stepped, every column read as text. Returns the rows.
    qint64 Floor(const QString &Filter, qint64 &Checksum) const
    {
        const QByteArray Sql = (RecetteSql + QStringLiteral(" collate SYSTEM2")).toUtf8();
        sqlite3_stmt *Statement = nullptr;
        if (sqlite3_prepare_v2(DB, Sql.constData(), -1, &Statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(DB));
        const QByteArray Pattern = LikeValue(Filter).toUtf8();
        sqlite3_bind_text(Statement, sqlite3_bind_parameter_index(Statement, ":filtername"), Pattern.constData(),
                          int(Pattern.size()), SQLITE_TRANSIENT);
        const int Columns = sqlite3_column_count(Statement);
        qint64 Rows = 0;
        while (sqlite3_step(Statement) == SQLITE_ROW) {
            ++Rows;
            for (int C = 0; C < Columns; ++C) {
                const unsigned char *Text = sqlite3_column_text(Statement, C);
                Checksum += sqlite3_column_bytes(Statement, C) + (Text ? Text[0] : 0);
            }
        }
        sqlite3_finalize(Statement);
        return Rows;
    }

    QString File;
    sqlite3 *DB = nullptr;
    std::unique_ptr<TFormList> Form;
    QLineEdit *Filter = nullptr;
    TDrawGrid *Grid = nullptr;
};

std::unique_ptr<TWorld> CurrentWorld;
int CurrentSize = 0;

TWorld &World(int N)
{
    if (!CurrentWorld || CurrentSize != N) {
        CurrentWorld.reset();
        CurrentWorld = std::make_unique<TWorld>(N);
        CurrentSize = N;
    }
    return *CurrentWorld;
}

void BM_ListOpen(benchmark::State &State, TWorld &W)
{
    W.Filter->clear();
    for (auto _ : State)
        W.Form->RefreshList(false);
    State.counters["rows"] = double(W.Form->RowCount() - 1);
}

void BM_FloorOpen(benchmark::State &State, TWorld &W)
{
    qint64 Checksum = 0;
    qint64 Rows = 0;
    for (auto _ : State)
        Rows = W.Floor(QString(), Checksum);
    benchmark::DoNotOptimize(Checksum);
    State.counters["rows"] = double(Rows);
}

// Each iteration is one keystroke: the letter typed, then taken away again.
void BM_ListKeystroke(benchmark::State &State, TWorld &W)
{
    W.Filter->clear();
    bool Typed = false;
    for (auto _ : State) {
        Typed = !Typed;
        W.Filter->setText(Typed ? TypedLetter : QString());
    }
}

void BM_FloorKeystroke(benchmark::State &State, TWorld &W)
{
    qint64 Checksum = 0;
    bool Typed = false;
    for (auto _ : State) {
        Typed = !Typed;
        W.Floor(Typed ? TypedLetter : QString(), Checksum);
    }
    benchmark::DoNotOptimize(Checksum);
}

// One painting of the whole grid, scrolled to the middle of the list.
void BM_ListPaint(benchmark::State &State, TWorld &W)
{
    W.Filter->clear();
    W.Form->SetRow(W.Form->RowCount() / 2);
    QWidget *Viewport = W.Grid->viewport();
    QImage Image(Viewport->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : State) {
        Viewport->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

using TBenchmark = void (*)(benchmark::State &, TWorld &);

void RunGuarded(benchmark::State &State, int N, TBenchmark Body)
{
    RunOrSkip(State, [&] { Body(State, World(N)); });
}

} // namespace

int main(int argc, char **argv)
{
    TBenchApplication App(argc, argv);

    for (const int N : RecipeCounts) {
        const auto Register = [&](const char *Kind, TBenchmark Body) {
            Timed(benchmark::RegisterBenchmark(SizedName(Kind, N).c_str(), RunGuarded, N, Body), RepetitionsFor(N));
        };
        Register("ListOpen", BM_ListOpen);
        Register("FloorOpen", BM_FloorOpen);
        Register("ListKeystroke", BM_ListKeystroke);
        Register("FloorKeystroke", BM_FloorKeystroke);
        Register("ListPaint", BM_ListPaint);
    }
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    CurrentWorld.reset();
    if (Rc != 0)
        return Rc;

    std::printf("\nRatios (goals at 100000 recipes: opening and keystroke <= 1.30 x floor; painting the same at "
                "every size)\n");
    std::printf("%10s  %-18s  %-20s  %-12s\n", "recipes", "open / floor", "keystroke / floor", "paint (ms)");
    for (const int N : RecipeCounts) {
        const double Goal = N == 100000 ? 1.3 : 0;
        std::printf(
            "%10d  %-18s  %-20s  %-12.3f\n", N,
            FormatRatio(Reporter.Ratio(SizedName("ListOpen", N), SizedName("FloorOpen", N)), Goal).c_str(),
            FormatRatio(Reporter.Ratio(SizedName("ListKeystroke", N), SizedName("FloorKeystroke", N)), Goal).c_str(),
            Reporter.Milliseconds(SizedName("ListPaint", N)));
    }
    return 0;
}
