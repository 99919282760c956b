#include "KVXFiles.h"
#include "TestSupport.h"
#include "UnitConfig.h"
#include "UnitTools.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// Fixes the program's clock for the life of the guard.
struct TFixedClock
{
    explicit TFixedClock(TDateTime Value)
    {
        SetNowFunction([Value] { return Value; });
    }
    ~TFixedClock() { SetNowFunction({}); }
};

} // namespace

TEST(WriteLog, AppendsOneLinePerCallWithAndWithoutContext)
{
    TTestProgram Program;
    TFixedClock Clock(EncodeDate(2026, 12, 5) + EncodeTime(14, 3, 9, 0));
    QStringList Shown;
    WriteLog(QStringLiteral("no such table: recette"), QStringLiteral("TFormMenus.AppEventsException"));
    WriteLog(QStringLiteral("ligne 1\r\nligne 2"), QString(), &Shown);
    EXPECT_EQ(KVXReadFileBytes(Program.Cfg->LogFileName),
              QByteArray("2026-12-05 14:03:09 | [TFormMenus.AppEventsException] no such table: recette\r\n"
                         "2026-12-05 14:03:09 | ligne 1\r\nligne 2\r\n"));
    EXPECT_EQ(Shown, QStringList{QStringLiteral("2026-12-05 14:03:09 | ligne 1\r\nligne 2")});

    // A log file that cannot be written: the error names WriteLog and the list stays as it was.
    ASSERT_TRUE(QDir().mkpath(Program.Path(QStringLiteral("blocked.log"))));
    TConfig Blocked(Program.Path(QStringLiteral("blocked")));
    Config = &Blocked;
    const TFailure F = FailureOf([&] { WriteLog(QStringLiteral("perdu"), QString(), &Shown); });
    Config = Program.Cfg.get();
    EXPECT_TRUE(F.Message.startsWith(QStringLiteral("[WriteLog] [KVXWriteLine]"))) << F.Message.toStdString();
    EXPECT_EQ(Shown.size(), 1);
}

TEST(Labels, CapitalisedCutAndOutOfRange)
{
    EXPECT_EQ(RepasToStr(2, true, true), QStringLiteral("S"));
    EXPECT_EQ(RepasToStr(0, true, false), QStringLiteral("Midi et soir"));
    EXPECT_EQ(RepasToStr(3, true, true), QString());
    EXPECT_EQ(TypeToStr(0, true), QStringLiteral("Entrée"));
    EXPECT_EQ(SaisonToStr(1, true), QStringLiteral("Printemps-été"));
    EXPECT_EQ(LineTypeToStr(4), QStringLiteral("Ingrédient"));
    EXPECT_EQ(OperatorToStr(3), QString());
    EXPECT_EQ(DateToLongStr(false, EncodeDate(2026, 12, 5) + 0.75), QStringLiteral("samedi 5 décembre"));
    EXPECT_EQ(DateToLongStr(true, EncodeDate(2027, 8, 1)), QStringLiteral("Dimanche 1 août"));
    EXPECT_EQ(LikeValue(QString()), QStringLiteral("%%"));
}

TEST(FloatRound, TwoSignificantDigitsFromTenOneDecimalBelow)
{
    const std::pair<double, double> Cases[] = {{1234, 1200}, {145, 140}, {155, 160},  {99.6, 100},
                                               {33.3, 33},   {9.96, 10}, {3.33, 3.3}, {0.333, 0.3},
                                               {0.06, 0.1},  {0.05, 0},  {0.04, 0},   {0, 0}};
    for (const auto &[X, Expected] : Cases)
        EXPECT_DOUBLE_EQ(FloatRound(X), Expected) << X;
}

TEST(FormatIngredient, QuantityFractionsUnitsAndNotes)
{
    struct TCase
    {
        const char *Unit, *Name, *Note;
        double Quantity;
        const char *Text;
    };
    // Three and eight tenths lie just outside the fractions' tolerance.
    const TCase Cases[] = {{"kg", "farine", "", 2.5, "2,5 kg farine"}, {"g", "farine", "", 1234, "1200 g farine"},
                           {"", "citron", "", 0.5, "1/2 citron"},      {"", "citron", "", 0.2, "1/4 citron"},
                           {"l", "lait", "", 0.7, "3/4 l lait"},       {"l", "lait", "", 0.3, "0,3 l lait"},
                           {"l", "lait", "", 0.8, "0,8 l lait"},       {"g", "sel", "", 0.04, "sel"},
                           {"g", "sel", "fin", 3, "3 g sel (fin)"}};
    for (const TCase &C : Cases)
        EXPECT_EQ(FormatIngredient(QString::fromUtf8(C.Unit), QString::fromUtf8(C.Name), QString::fromUtf8(C.Note),
                                   true, C.Quantity),
                  QString::fromUtf8(C.Text));
    EXPECT_EQ(FormatIngredient(QStringLiteral("kg"), QStringLiteral("farine"), QString(), false, 2.5),
              QStringLiteral("farine"));
}

TEST(CurrentSaison, SpringSummerFromTwentyFirstMarchToTwentySecondSeptember)
{
    const std::pair<TDateTime, int> Cases[] = {{EncodeDate(2026, 3, 20), 2},
                                               {EncodeDate(2026, 3, 21), 1},
                                               {EncodeDate(2026, 9, 22) + 0.99, 1},
                                               {EncodeDate(2026, 9, 23), 2},
                                               {EncodeDate(2027, 1, 1) + 0.5, 2}};
    for (const auto &[Day, Expected] : Cases) {
        TFixedClock Clock(Day);
        EXPECT_EQ(CurrentSaison(), Expected) << DateToStr(Day).toStdString();
    }
}

TEST(StrToAscii, OneCharacterInOneCharacterOut)
{
    const QString S = QStringLiteral("Pâtes à l'œuf, crème brûlée, Ærø, Łódź, naïve, 5 €, ß, ×");
    EXPECT_EQ(StrToAscii(S), QStringLiteral("Pates a l'ouf, creme brulee, Aro, Lodz, naive, 5 ?, s, ?"));
    // A character outside the basic plane is two UTF-16 units, and stays two.
    EXPECT_EQ(StrToAscii(QStringLiteral("a😀b")), QStringLiteral("a??b"));
    EXPECT_EQ(CharToAscii(0x00A0), ' ');
}

TEST(AutoComplete, TypeAheadWithHalfSecondPause)
{
    quint32 Tick = 100000;
    SetTickCountFunction([&Tick] { return Tick; });
    const QStringList Items = {QStringLiteral("Pâtes"), QStringLiteral("Poireaux"), QStringLiteral("Pommes")};
    quint32 LastTick = 0;
    QString Typed;

    EXPECT_EQ(AutoComplete(QLatin1Char('p'), Items, LastTick, Typed), 0);
    Tick += 499;
    EXPECT_EQ(AutoComplete(QLatin1Char('o'), Items, LastTick, Typed), 1);
    EXPECT_EQ(AutoComplete(QLatin1Char('m'), Items, LastTick, Typed), 2);
    // Keys that no name holds change nothing.
    for (const QChar Key : {QChar(u'.'), QChar(u'?'), QChar(u'€'), QChar(u'\x14'), QChar(u'\t')})
        EXPECT_EQ(AutoComplete(Key, Items, LastTick, Typed), -1);
    EXPECT_EQ(Typed, QStringLiteral("pom"));
    EXPECT_EQ(LastTick, Tick);

    // A pause of 500 ms starts a new search with the letter alone: "p" is not below "o".
    Tick += 500;
    EXPECT_EQ(AutoComplete(QLatin1Char('o'), Items, LastTick, Typed), 0);
    EXPECT_EQ(Typed, QStringLiteral("o"));
    Tick += 600;
    EXPECT_EQ(AutoComplete(QLatin1Char('z'), Items, LastTick, Typed), 2);
    Tick += 600;
    EXPECT_EQ(AutoComplete(QLatin1Char('a'), QStringList(), LastTick, Typed), -1);

    // The counter's wrap is no pause.
    Tick = 0xFFFFFF00u;
    AutoComplete(QLatin1Char('p'), Items, LastTick, Typed);
    Tick = 0x10u;
    EXPECT_EQ(AutoComplete(QLatin1Char('o'), Items, LastTick, Typed), 1);
    SetTickCountFunction({});
}

TEST(AutoComplete, BlanksCapitalsAccentsApostrophesAndHyphensAreTyped)
{
    quint32 Tick = 100000;
    SetTickCountFunction([&Tick] { return Tick; });
    // Sorted as the database sorts them: accents folded, case ignored, a blank before letters.
    const QStringList Items = {QStringLiteral("Céleri branche"),  QStringLiteral("Céleri-rave"),
                               QStringLiteral("Huile d'olive"),   QStringLiteral("Huile de tournesol"),
                               QStringLiteral("Pommes de terre"), QStringLiteral("Pommes golden"),
                               QStringLiteral("Potiron"),         QStringLiteral("Vin blanc"),
                               QStringLiteral("Vin rouge"),       QStringLiteral("Vinaigre de vin"),
                               QStringLiteral("Yaourts nature")};
    // Each text typed at once, and the item it ends on.
    auto TypeIn = [&](const QString &Text) {
        Tick += 1000;
        QString Typed;
        quint32 LastTick = 0;
        int Index = -1;
        for (const QChar Key : Text) {
            Tick += 50;
            Index = AutoComplete(Key, Items, LastTick, Typed);
        }
        return Index < 0 ? QStringLiteral("-1 ") + Typed : Items[Index] + QLatin1Char(' ') + Typed;
    };
    EXPECT_EQ(TypeIn(QStringLiteral("pommes de t")), QStringLiteral("Pommes de terre pommes de t"));
    EXPECT_EQ(TypeIn(QStringLiteral("Vin b")), QStringLiteral("Vin blanc vin b"));
    EXPECT_EQ(TypeIn(QStringLiteral("VIN R")), QStringLiteral("Vin rouge vin r"));
    EXPECT_EQ(TypeIn(QStringLiteral("huile d'")), QStringLiteral("Huile d'olive huile d'"));
    EXPECT_EQ(TypeIn(QStringLiteral("CÉLERI-")), QStringLiteral("Céleri-rave celeri-"));
    EXPECT_EQ(TypeIn(QStringLiteral("céleri b")), QStringLiteral("Céleri branche celeri b"));
    // The no-break space of French typing is a blank.
    EXPECT_EQ(TypeIn(QStringLiteral("vin\u00A0r")), QStringLiteral("Vin rouge vin r"));
    SetTickCountFunction({});
}
