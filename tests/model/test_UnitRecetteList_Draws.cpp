// Random generation draws exactly the recipes it always drew: 200 generations, on the shipped
// base and on a base of 10,000 generated recipes, against the draws recorded in
// draws-recorded.txt.
//
// Each line of that file is one generation: its settings, the menu's codes after it ("!" when
// a draw found no candidate left) and after two recipes were replaced at random. Setting
// FENOLDA_RECORD_DRAWS to a file name writes the lines there instead of comparing them.
#include "BenchDatabase.h"
#include "ModelTestSupport.h"
#include "UnitConfig.h"
#include "UnitConst.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {

constexpr int GenerationCount = 200;
const QString RecordedFile = QStringLiteral(FENOLDA_MODEL_TESTS_DIR "/draws-recorded.txt");

// History rows dated in whole days from the engine's UTC day: future days, days inside the
// windows of 7 and 30 days and days beyond them. The windows' own edges (N - 1 and N days)
// are left out, so that a run across midnight UTC draws the same.
const int HistoryDays[] = {-5, -2, 2, 3, 5, 10, 20, 45, 100};

// Names that SYSTEM2 sorts as equal (only their accents differ), entered so that the engine
// meets them in another order than their codes: the order of equal names is part of a draw.
const char *const EqualNames[][2] = {
    {"Velouté de céleri", "Veloute de celeri"}, {"Salade de crudités", "Salade de crudites"},
    {"Pâtes au pistou", "Pates au pistou"},     {"Rôti de porc aux pruneaux", "Roti de porc aux pruneaux"},
    {"Crème caramel", "Creme caramel"},         {"Gâteau du dimanche", "Gateau du dimanche"},
};

// Writes the history rows (every Step-th recipe, the days in turn) and, for the shipped base,
// the equal names, into the base at File.
void PrepareBase(const QString &File, int Step, bool WithEqualNames)
{
    TQlDatabase Db(File);
    Db.ExecSQL(QStringLiteral("delete from historique"));
    if (WithEqualNames) {
        int Type = 0;
        for (const auto &Pair : EqualNames) {
            // The first one for soir and autumn-winter only, the second for both meals and all
            // seasons: the engine meets the second first, although its code is higher.
            Db.AddParamText(":name", QString::fromUtf8(Pair[0]));
            Db.ExecSQL(QStringLiteral("INSERT INTO recette (name, repas, type_, saison) VALUES (:name, 2, %1, 2)")
                           .arg(Type / 2));
            Db.AddParamText(":name", QString::fromUtf8(Pair[1]));
            Db.ExecSQL(QStringLiteral("INSERT INTO recette (name, repas, type_, saison) VALUES (:name, 0, %1, 0)")
                           .arg(Type / 2));
            ++Type;
        }
    }
    Db.ExecSQL(QStringLiteral("INSERT INTO historique (reccode, recdate) SELECT code, "
                              "date('now', (CASE (code / %1) % 9 %2 END) || ' days') FROM recette WHERE code % %1 = 0")
                   .arg(Step)
                   .arg([] {
                       QString Cases;
                       for (int I = 0; I < 9; ++I)
                           Cases += QStringLiteral(" WHEN %1 THEN '%2'").arg(I).arg(-HistoryDays[I]);
                       return Cases;
                   }()));
}

// The two bases, built once per test program: [0] the shipped base, [1] 10,000 recipes.
const QString &DrawBase(int Kind)
{
    static QTemporaryDir Folder;
    static QString Files[2];
    if (Files[Kind].isEmpty()) {
        const QString File = Folder.filePath(Kind == 0 ? QStringLiteral("shipped.db3") : QStringLiteral("10000.db3"));
        if (Kind == 0) {
            if (!MakeRecipeBase(File, true))
                throw Exception(QStringLiteral("The shipped base cannot be copied"));
            PrepareBase(File, 5, true);
        } else {
            BuildBenchDatabase(File, 10000);
            PrepareBase(File, 37, false);
        }
        Files[Kind] = File;
    }
    return Files[Kind];
}

struct TGeneration
{
    int Base;
    quint32 Seed;
    int Days;
    bool Midi;
    bool Soir;
    // Dish types 0 to 3, one bit each.
    int Types;
    bool Saison;
    // The program's clock in November (autumn-winter) rather than in May.
    bool Autumn;
    // 0: history off.
    int Histo;

    QString Text() const
    {
        QString TypeText;
        for (int Type = 0; Type < 4; ++Type)
            if (Types & (1 << Type))
                TypeText += QString::number(Type);
        return QStringLiteral("base=%1 seed=%2 days=%3 repas=%4 types=%5 saison=%6 clock=%7 histo=%8")
            .arg(Base == 0 ? QStringLiteral("shipped") : QStringLiteral("10000"))
            .arg(Seed)
            .arg(Days)
            .arg(Midi && Soir ? QStringLiteral("12")
                 : Midi       ? QStringLiteral("1")
                              : QStringLiteral("2"))
            .arg(TypeText)
            .arg(int(Saison))
            .arg(Autumn ? QStringLiteral("11") : QStringLiteral("05"))
            .arg(Histo);
    }
};

// Generation I's settings: every combination of season flag, season and history comes back
// every 12 generations, with varied days, meals and dish types.
TGeneration GenerationOf(int I)
{
    static const int TypeSets[] = {0b0111, 0b0001, 0b0010, 0b0100, 0b0011, 0b0110, 0b0101, 0b1010};
    TGeneration G{};
    G.Base = I < GenerationCount / 2 ? 0 : 1;
    G.Seed = quint32(1000 + I * 7919);
    G.Days = 1 + I % 7;
    G.Midi = (I / 7) % 3 != 1;
    G.Soir = (I / 7) % 3 != 0;
    G.Types = TypeSets[(I / 3) % 8];
    G.Saison = I % 2 == 1;
    G.Autumn = (I / 2) % 2 == 1;
    const int Histo[] = {0, 7, 30};
    G.Histo = Histo[(I / 4) % 3];
    return G;
}

} // namespace

class TRecordedDrawsTest : public TModelTest
{
protected:
    void OpenBase(int Kind)
    {
        FreeDatabase();
        const QString File = Program.Path(QStringLiteral("recipes.db3"));
        QFile::remove(File);
        ASSERT_TRUE(QFile::copy(DrawBase(Kind), File));
        SetDatabase(std::make_unique<TQlDatabase>(File));
    }

    // The main window's generation: day by day, midi then soir, entrée, plat, dessert (and
    // boisson), stopping at the first draw that finds no recipe; then the first and the last
    // recipe replaced at random.
    QString Run(const TGeneration &G)
    {
        Menu.Clear();
        SetClock(G.Autumn ? EncodeDate(2026, 11, 10) + EncodeTime(10, 0, 0, 0) : Start);
        Config->SetHistoEnabled(G.Histo > 0);
        Config->SetHistoDays(G.Histo > 0 ? G.Histo : 30);
        RandSeed(G.Seed);
        QString Line = G.Text() + QStringLiteral(" :");
        try {
            const TRecetteList::TDrawSession Draws(Menu);
            for (int Day = 0; Day < G.Days; ++Day)
                for (const int Repas : {RepasMidi, RepasSoir})
                    if ((Repas == RepasMidi && G.Midi) || (Repas == RepasSoir && G.Soir))
                        for (int Type = 0; Type < 4; ++Type)
                            if (G.Types & (1 << Type))
                                Menu.AddRandomRecette(Repas, 2, IncDay(DateOf(Now()), Day), Type, G.Saison);
        } catch (const UserException &) {
            Line += QStringLiteral(" !");
        }
        Line += QLatin1Char(' ') + Menu.GetCodeList() + QStringLiteral(" |");
        std::vector<int> Recipes;
        for (int I = 0; I < Menu.Count(); ++I)
            if (Menu.GetLineType(I) == TRecetteList::ltRecette)
                Recipes.push_back(I);
        if (!Recipes.empty()) {
            try {
                Menu.ReplaceRecette(Recipes.front(), -1, G.Saison);
                Menu.ReplaceRecette(Recipes.back(), -1, G.Saison);
            } catch (const UserException &) {
                Line += QStringLiteral(" !");
            }
        }
        return Line + QLatin1Char(' ') + Menu.GetCodeList();
    }
};

TEST_F(TRecordedDrawsTest, GenerationsDrawTheRecordedRecipes)
{
    QStringList Lines;
    for (int I = 0; I < GenerationCount; ++I) {
        const TGeneration G = GenerationOf(I);
        if (I == 0 || G.Base != GenerationOf(I - 1).Base)
            OpenBase(G.Base);
        Lines << Run(G);
    }

    const QByteArray Record = qgetenv("FENOLDA_RECORD_DRAWS");
    if (!Record.isEmpty()) {
        QFile Out(QString::fromLocal8Bit(Record));
        ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
        Out.write((Lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        GTEST_SKIP() << "draws written to " << Record.constData();
    }
    QFile In(RecordedFile);
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    const QStringList Recorded = QString::fromUtf8(In.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(Recorded.size(), GenerationCount);
    int Differences = 0;
    for (int I = 0; I < GenerationCount && Differences < 5; ++I) {
        EXPECT_EQ(Lines[I], Recorded[I]) << "generation " << I;
        Differences += Lines[I] != Recorded[I];
    }
}

// The whole order, equal names included, for every meal, dish type, season and history window,
// with recipes of the menu left out.
TEST_F(TRecordedDrawsTest, CandidatesComeInTheOrderOfTheCandidateStatement)
{
    const auto Codes = [](TQlTable &Table) {
        std::vector<qint64> Result;
        for (; !Table.Eof(); Table.Next())
            Result.push_back(Table.FieldAsInteger(QStringLiteral("code")));
        return Result;
    };
    for (const int Base : {0, 1}) {
        OpenBase(Base);
        Run(GenerationOf(Base * GenerationCount / 2 + 6));
        ASSERT_GT(Menu.Count(), 0);
        for (const bool Autumn : {false, true}) {
            SetClock(Autumn ? EncodeDate(2026, 11, 10) : Start);
            int Case = 0;
            for (const int Repas : {RepasMidi, RepasSoir})
                for (int Type = 0; Type < 4; ++Type)
                    for (const bool Saison : {false, true}) {
                        const int Histo = std::array<int, 3>{0, 7, 30}[++Case % 3];
                        SCOPED_TRACE(QStringLiteral("base %1, autumn %2, repas %3, type %4, saison %5, histo %6")
                                         .arg(Base)
                                         .arg(Autumn)
                                         .arg(Repas)
                                         .arg(Type)
                                         .arg(Saison)
                                         .arg(Histo)
                                         .toStdString());
                        EXPECT_EQ(Menu.GetRandomCandidates(Repas, Type, Saison, Histo),
                                  Codes(*Menu.GetRecetteList1(Repas, Type, Saison, Histo)));
                    }
        }
    }
}

TEST_F(TRecordedDrawsTest, ADrawSessionSeesWhatWasWrittenMeanwhile)
{
    OpenBase(0);
    const TRecetteList::TDrawSession Draws(Menu);
    const auto Candidates = [&] { return Menu.GetRandomCandidates(RepasMidi, 1, false, 30); };
    const std::vector<qint64> Before = Candidates();
    ASSERT_GT(Before.size(), 2u);

    // Written through the program's connection: a new plat.
    const int New = AddRecipe(QStringLiteral("Aaa plat du jour"), 0, 1);
    std::vector<qint64> Expected = Before;
    Expected.insert(Expected.begin(), New);
    EXPECT_EQ(Candidates(), Expected);

    // Written by another program on the same file: the first candidate served yesterday.
    {
        TQlDatabase Other(Program.Path(QStringLiteral("recipes.db3")));
        Other.ExecSQL(QStringLiteral("INSERT INTO historique (reccode, recdate) VALUES (%1, date('now', '-1 days'))")
                          .arg(Before.front()));
    }
    Expected.erase(Expected.begin() + 1);
    EXPECT_EQ(Candidates(), Expected);

    // A recipe added to the menu is left out at once.
    Menu.AddRecetteFromCode(RepasMidi, 2, Start, int(New));
    Expected.erase(Expected.begin());
    EXPECT_EQ(Candidates(), Expected);
}
