#include "SysUtils.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(SysUtils, ExceptionMessageIsWhatAsUtf8)
{
    Exception E(QStringLiteral("Pâte brisée"));
    E.Message = QStringLiteral("[Ctx] ") + E.Message;
    EXPECT_STREQ(E.what(), "[Ctx] Pâte brisée");
    EXPECT_EQ(Exception(QStringLiteral("%d jours"), {7}).Message, QStringLiteral("7 jours"));
}

TEST(SysUtils, FormatDirectivesAndErrors)
{
    struct TCase
    {
        const char *Fmt;
        QVariantList Args;
        const char *Expected;
    };
    const TCase Cases[] = {
        {"[%s] %s", {QStringLiteral("TConfig.Create"), QStringLiteral("raté")}, "[TConfig.Create] raté"},
        {"%d|%.3d|%5d|%-5d|", {qint64(-9000000000), 7, 42, 42}, "-9000000000|007|   42|42   |"},
        {"%u %x %.4x %%", {-1, 255, 10}, "4294967295 FF 000A %"},
        {"%-6s|%6s|%.2s", {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("xyz")}, "ab    |    cd|xy"},
        {"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b")}, "b a b"},
        // Floats use the French decimal separator.
        {"%.1f %f %g", {2.25, -0.001, 2.5}, "2,3 0,00 2,5"},
    };
    for (const TCase &C : Cases)
        EXPECT_EQ(Format(QString::fromUtf8(C.Fmt), C.Args), QString::fromUtf8(C.Expected)) << C.Fmt;

    const QString Bad = QStringLiteral("Format '%1' invalid or incompatible with argument");
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%d jours"), {QStringLiteral("sept")}); }), Bad.arg("%d jours"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%d"), {2.5}); }), Bad.arg("%d"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%f"), {3}); }), Bad.arg("%f"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("50%"), {}); }), Bad.arg("50%"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%s %s"), {QStringLiteral("a")}); }),
              QStringLiteral("No argument for format '%s %s'"));
    EXPECT_THROW(Format(QStringLiteral("%d"), {}), EConvertError);

    // Only ASCII letters are directives ("յ" is U+0575, whose low byte is "u"), and a width
    // taken from the arguments has the bounds of a written one.
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%յ"), {5}); }), Bad.arg(QStringLiteral("%յ")));
    EXPECT_EQ(Format(QStringLiteral("%*d|%-*d|"), {3, 7, 2, 8}), QStringLiteral("  7|8 |"));
    for (const QVariant &Width : {QVariant(qint64(1600000000)), QVariant(qint64(-4294967296LL + 1600000000)),
                                  QVariant(quint64(1) << 40), QVariant(100001)})
        EXPECT_EQ(ErrorOf([&] {
                      Format(QStringLiteral("%*d"), {Width, 1});
                  }),
                  Bad.arg("%*d"))
            << Width.toString().toStdString();
}

TEST(SysUtils, TextComparisonFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CompareText(QStringLiteral("Sel"), QStringLiteral("sEL")), 0);
    EXPECT_NE(CompareText(QStringLiteral("Sél"), QStringLiteral("SÉL")), 0);
    EXPECT_GT(CompareText(QStringLiteral("abcd"), QStringLiteral("ABC")), 0);
    // "_" lies between upper and lower case letters: letters compare as lower case.
    EXPECT_GT(CompareText(QStringLiteral("B"), QStringLiteral("_")), 0);
    EXPECT_EQ(LowerCaseAscii(QStringLiteral("ÉTÉ Pomme")), QStringLiteral("ÉtÉ pomme"));
    EXPECT_EQ(UpperCaseAscii(QStringLiteral("été pomme")), QStringLiteral("éTé POMME"));
    // The locale rule ignores case but not accents.
    EXPECT_EQ(AnsiCompareText(QStringLiteral("Sel"), QStringLiteral("sel")), 0);
    EXPECT_NE(AnsiCompareText(QStringLiteral("Sél"), QStringLiteral("sel")), 0);
    EXPECT_LT(AnsiCompareText(QStringLiteral("pâte"), QStringLiteral("Pomme")), 0);

    EXPECT_EQ(Trim(QStringLiteral(" \t pain \r\n")), QStringLiteral("pain"));
    EXPECT_EQ(Trim(QStringLiteral("\u00A0pain")), QStringLiteral("\u00A0pain"));
}

TEST(SysUtils, NumberTexts)
{
    EXPECT_EQ(StrToInt(QStringLiteral("  -7")), -7);
    EXPECT_EQ(StrToInt(QStringLiteral("$FF")) + StrToInt(QStringLiteral("0x1f")), 255 + 31);
    EXPECT_EQ(StrToInt(QStringLiteral("$FFFFFFFF")), -1);
    for (const char *Bad : {"2147483648", "12 ", "1.5", ""})
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(Bad), -5), -5) << Bad;
    EXPECT_EQ(StrToInt64(QStringLiteral("9000000000")), qint64(9000000000));
    EXPECT_EQ(ErrorOf([] { StrToInt(QStringLiteral("abc")); }), QStringLiteral("'abc' is not a valid integer value"));

    const std::pair<double, const char *> Floats[] = {{2.5, "2,5"},
                                                      {-0.0, "0"},
                                                      {0.1 + 0.2, "0,3"},
                                                      {0.0001, "0,0001"},
                                                      {0.00001, "1E-5"},
                                                      {1e15, "1E15"},
                                                      {123456789012345.0, "123456789012345"},
                                                      {std::nan(""), "NAN"}};
    for (const auto &[Value, Text] : Floats)
        EXPECT_EQ(FloatToStr(Value), QString::fromLatin1(Text)) << Text;

    double V = 0;
    EXPECT_TRUE(TryStrToFloat(QStringLiteral(" 2,5 "), V, QLatin1Char(',')));
    EXPECT_DOUBLE_EQ(V, 2.5);
    EXPECT_TRUE(TryStrToFloat(QStringLiteral("-1.5E3"), V, QLatin1Char('.')));
    EXPECT_DOUBLE_EQ(V, -1500);
    for (const char *Bad : {"", ".", "1.2.3", "1e", "1e400", "1,5"})
        EXPECT_FALSE(TryStrToFloat(QString::fromLatin1(Bad), V, QLatin1Char('.'))) << Bad;
}

TEST(SysUtils, DayCountsAndTheirQtForms)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(2024, 3, 5), 45356);
    EXPECT_EQ(ErrorOf([] { EncodeDate(2023, 2, 29); }), QStringLiteral("Invalid argument to date encode"));
    EXPECT_EQ(ErrorOf([] { EncodeTime(24, 0, 0, 0); }), QStringLiteral("Invalid argument to time encode"));

    int Y, M, D, H, N, S, Ms;
    DecodeDate(45356.75, Y, M, D);
    DecodeTime(45356.75, H, N, S, Ms);
    EXPECT_EQ(QList<int>({Y, M, D, H, N, S, Ms}), QList<int>({2024, 3, 5, 18, 0, 0, 0}));
    // Before the base date the fraction is still the time of day.
    DecodeDate(-1.25, Y, M, D);
    DecodeTime(-1.25, H, N, S, Ms);
    EXPECT_EQ(QList<int>({Y, M, D, H}), QList<int>({1899, 12, 29, 6}));
    // A time a hair before midnight rounds into the next day as a whole.
    EXPECT_EQ(DateTimeToQDateTime(45356.0 - 1e-10), QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
    EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 5) + 0.9, EncodeDate(2024, 3, 1)), 4);
    // Spans beyond int count as the largest, never as a wrapped or undefined number.
    EXPECT_EQ(DaysBetween(1e300, 0), std::numeric_limits<int>::max());
    EXPECT_EQ(DaysBetween(-3e9, 0), std::numeric_limits<int>::max());
    EXPECT_EQ(DaysBetween(std::nan(""), 0), std::numeric_limits<int>::max());
    EXPECT_EQ(DaysBetween(2147483646.5, 0), 2147483646);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 5)), 7); // a Saturday

    const QDateTime Dt(QDate(2024, 3, 5), QTime(14, 7, 9, 250));
    EXPECT_EQ(DateTimeToQDateTime(QDateTimeToDateTime(Dt)), Dt);

    SetNowFunction([] { return EncodeDate(2024, 3, 20) + 0.5; });
    EXPECT_EQ(Today(), EncodeDate(2024, 3, 20));
    SetNowFunction({});
}

TEST(SysUtils, FrenchDateTexts)
{
    const TDateTime V = EncodeDate(2026, 12, 5) + EncodeTime(9, 5, 7, 42);
    const std::pair<const char *, const char *> Patterns[] = {{"yyyy-mm-dd hh:nn:ss", "2026-12-05 09:05:07"},
                                                              {"dddddd", "samedi 5 décembre 2026"},
                                                              {"ddddd", "05/12/2026"},
                                                              {"ddd d/m/yy h:m", "sam. 5/12/26 9:5"},
                                                              {"hh:mm s.zzz", "09:05 7.042"},
                                                              {"'le' d \"mmmm\"", "le 5 mmmm"},
                                                              {"c", "05/12/2026 09:05:07"}};
    for (const auto &[Pattern, Text] : Patterns)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(Pattern), V), QString::fromUtf8(Text)) << Pattern;
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), DateOf(V)), QStringLiteral("05/12/2026"));

    EXPECT_EQ(StrToDate(QStringLiteral("30/12/1899")), 0);
    const TDateTime W = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(DateTimeToStr(W), QStringLiteral("05/03/2024 14:07:09"));
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(W)), W);
    EXPECT_EQ(StrToDateTime(QStringLiteral("5/3/2024")), EncodeDate(2024, 3, 5));
    TDateTime Out = -1;
    EXPECT_FALSE(TryStrToDate(QStringLiteral("31/02/2024"), Out));
    EXPECT_FALSE(TryStrToDate(QStringLiteral("2024-03-05"), Out));
    EXPECT_FALSE(TryStrToDateTime(QStringLiteral("05/03/2024 25:00"), Out));
    EXPECT_EQ(Out, -1);
    EXPECT_EQ(ErrorOf([] { StrToDate(QStringLiteral("hier")); }), QStringLiteral("'hier' is not a valid date"));
}
