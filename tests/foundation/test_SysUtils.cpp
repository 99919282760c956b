#include "SysUtils.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SysUtils, ExceptionMessageIsWhatAsUtf8)
{
    Exception E(QStringLiteral("Pâte brisée"));
    EXPECT_STREQ(E.what(), "Pâte brisée");
    E.Message = QStringLiteral("[Ctx] ") + E.Message;
    EXPECT_STREQ(E.what(), "[Ctx] Pâte brisée");
    EXPECT_EQ(Exception(QStringLiteral("%d jours"), {7}).Message, QStringLiteral("7 jours"));
}

TEST(SysUtils, FormatDirectives)
{
    EXPECT_EQ(Format(QStringLiteral("[%s] %s"), {QStringLiteral("TConfig.Create"), QStringLiteral("raté")}),
              QStringLiteral("[TConfig.Create] raté"));
    EXPECT_EQ(Format(QStringLiteral("%d pers."), {4}), QStringLiteral("4 pers."));
    EXPECT_EQ(Format(QStringLiteral("%d"), {qint64(-9000000000)}), QStringLiteral("-9000000000"));
    EXPECT_EQ(Format(QStringLiteral("%.3d|%5d|%-5d|"), {7, 42, 42}), QStringLiteral("007|   42|42   |"));
    EXPECT_EQ(Format(QStringLiteral("%u"), {-1}), QStringLiteral("4294967295"));
    EXPECT_EQ(Format(QStringLiteral("%x %.4x"), {255, 10}), QStringLiteral("FF 000A"));
    EXPECT_EQ(Format(QStringLiteral("%x"), {-1}), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(Format(QStringLiteral("100%%"), {}), QStringLiteral("100%"));
    EXPECT_EQ(
        Format(QStringLiteral("%-6s|%6s|%.2s"), {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("xyz")}),
        QStringLiteral("ab    |    cd|xy"));
    EXPECT_EQ(Format(QStringLiteral("%1:s %0:s %s"), {QStringLiteral("a"), QStringLiteral("b")}),
              QStringLiteral("b a b"));
    EXPECT_EQ(Format(QStringLiteral("%*d"), {4, 7}), QStringLiteral("   7"));
    EXPECT_EQ(Format(QStringLiteral("%s"), {QByteArray("é")}), QStringLiteral("é"));
    // Floats use the French decimal separator.
    EXPECT_EQ(Format(QStringLiteral("%.1f"), {2.25}), QStringLiteral("2,3"));
    EXPECT_EQ(Format(QStringLiteral("%f"), {-0.001}), QStringLiteral("0,00"));
    EXPECT_EQ(Format(QStringLiteral("%g"), {2.5}), QStringLiteral("2,5"));
    EXPECT_EQ(Format(QStringLiteral("%e"), {1234.5}), QStringLiteral("1,23450000000000E+003"));
    EXPECT_EQ(Format(QStringLiteral("%.0n"), {1234567.0}), QStringLiteral("1\u00A0234\u00A0567"));
}

TEST(SysUtils, FormatErrors)
{
    const QString Fmt = QStringLiteral("%d jours");
    EXPECT_EQ(ErrorOf([&] { Format(Fmt, {QStringLiteral("sept")}); }),
              QStringLiteral("Format '%d jours' invalid or incompatible with argument"));
    EXPECT_EQ(ErrorOf([&] { Format(Fmt, {2.5}); }),
              QStringLiteral("Format '%d jours' invalid or incompatible with argument"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%f"), {3}); }),
              QStringLiteral("Format '%f' invalid or incompatible with argument"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%s %s"), {QStringLiteral("a")}); }),
              QStringLiteral("No argument for format '%s %s'"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("50%"), {}); }),
              QStringLiteral("Format '50%' invalid or incompatible with argument"));
    EXPECT_EQ(ErrorOf([] { Format(QStringLiteral("%q"), {1}); }),
              QStringLiteral("Format '%q' invalid or incompatible with argument"));
    try {
        Format(Fmt, {});
        FAIL();
    } catch (const EConvertError &) {
    }
}

TEST(SysUtils, TextComparisonFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CompareText(QStringLiteral("Sel"), QStringLiteral("sEL")), 0);
    EXPECT_NE(CompareText(QStringLiteral("Sél"), QStringLiteral("SÉL")), 0);
    EXPECT_LT(CompareText(QStringLiteral("abc"), QStringLiteral("ABD")), 0);
    EXPECT_GT(CompareText(QStringLiteral("abcd"), QStringLiteral("ABC")), 0);
    // "_" lies between upper and lower case letters: letters compare as lower case.
    EXPECT_GT(CompareText(QStringLiteral("B"), QStringLiteral("_")), 0);
    EXPECT_TRUE(SameText(QStringLiteral("ingredient"), QStringLiteral("INGREDIENT")));
    EXPECT_FALSE(SameText(QStringLiteral("ingredient"), QStringLiteral("ingrédient")));
    EXPECT_EQ(LowerCaseAscii(QStringLiteral("ÉTÉ Pomme")), QStringLiteral("ÉtÉ pomme"));
    EXPECT_EQ(UpperCaseAscii(QStringLiteral("été pomme")), QStringLiteral("éTé POMME"));
    // The locale rule ignores case but not accents.
    EXPECT_EQ(AnsiCompareText(QStringLiteral("Sel"), QStringLiteral("sel")), 0);
    EXPECT_NE(AnsiCompareText(QStringLiteral("Sél"), QStringLiteral("sel")), 0);
    EXPECT_LT(AnsiCompareText(QStringLiteral("pâte"), QStringLiteral("Pomme")), 0);
    EXPECT_NE(AnsiCompareStr(QStringLiteral("Sel"), QStringLiteral("sel")), 0);
}

TEST(SysUtils, TrimRemovesBlanksAndControlCharactersOnly)
{
    EXPECT_EQ(Trim(QStringLiteral(" \t pain \r\n")), QStringLiteral("pain"));
    EXPECT_EQ(Trim(QStringLiteral("\u00A0pain\u00A0")), QStringLiteral("\u00A0pain\u00A0"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimLeft(QStringLiteral("  a ")), QStringLiteral("a "));
    EXPECT_EQ(TrimRight(QStringLiteral("  a ")), QStringLiteral("  a"));
}

TEST(SysUtils, IntegerTexts)
{
    EXPECT_EQ(StrToInt(QStringLiteral("42")), 42);
    EXPECT_EQ(StrToInt(QStringLiteral("  -7")), -7);
    EXPECT_EQ(StrToInt(QStringLiteral("$FF")), 255);
    EXPECT_EQ(StrToInt(QStringLiteral("0x1f")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral("$FFFFFFFF")), -1);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToIntDef(QStringLiteral("2147483648"), -5), -5);
    EXPECT_EQ(StrToIntDef(QStringLiteral("12 "), -5), -5);
    EXPECT_EQ(StrToIntDef(QStringLiteral("1.5"), -5), -5);
    EXPECT_EQ(StrToIntDef(QString(), -5), -5);
    EXPECT_EQ(StrToInt64(QStringLiteral("9000000000")), qint64(9000000000));
    EXPECT_EQ(ErrorOf([] { StrToInt(QStringLiteral("abc")); }), QStringLiteral("'abc' is not a valid integer value"));
}

TEST(SysUtils, FloatTexts)
{
    EXPECT_EQ(FloatToStr(2.5), QStringLiteral("2,5"));
    EXPECT_EQ(FloatToStr(3), QStringLiteral("3"));
    EXPECT_EQ(FloatToStr(-0.0), QStringLiteral("0"));
    EXPECT_EQ(FloatToStr(0.1 + 0.2), QStringLiteral("0,3"));
    EXPECT_EQ(FloatToStr(1200), QStringLiteral("1200"));
    EXPECT_EQ(FloatToStr(0.0001), QStringLiteral("0,0001"));
    EXPECT_EQ(FloatToStr(0.00001), QStringLiteral("1E-5"));
    EXPECT_EQ(FloatToStr(-1.5e-7), QStringLiteral("-1,5E-7"));
    EXPECT_EQ(FloatToStr(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(FloatToStr(1e15), QStringLiteral("1E15"));
    EXPECT_EQ(FloatToStr(1.0 / 3), QStringLiteral("0,333333333333333"));
    EXPECT_EQ(FloatToStr(std::nan("")), QStringLiteral("NAN"));

    double V = 0;
    EXPECT_TRUE(TryStrToFloat(QStringLiteral(" 2,5 "), V, QLatin1Char(',')));
    EXPECT_DOUBLE_EQ(V, 2.5);
    EXPECT_TRUE(TryStrToFloat(QStringLiteral("-1.5E3"), V, QLatin1Char('.')));
    EXPECT_DOUBLE_EQ(V, -1500);
    EXPECT_TRUE(TryStrToFloat(QStringLiteral(".5"), V, QLatin1Char('.')));
    EXPECT_DOUBLE_EQ(V, 0.5);
    for (const char *Bad : {"", " ", ".", "1.2.3", "1e", "1e400", "abc", "1,5"})
        EXPECT_FALSE(TryStrToFloat(QString::fromLatin1(Bad), V, QLatin1Char('.'))) << Bad;
}

TEST(SysUtils, EncodingDatesAndTimes)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2024, 3, 5), 45356);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(ErrorOf([] { EncodeDate(2023, 2, 29); }), QStringLiteral("Invalid argument to date encode"));
    EXPECT_EQ(ErrorOf([] { EncodeDate(0, 1, 1); }), QStringLiteral("Invalid argument to date encode"));
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

    EXPECT_EQ(DateOf(45356.75), 45356);
    EXPECT_DOUBLE_EQ(TimeOf(45356.75), 0.75);
    EXPECT_DOUBLE_EQ(IncDay(45356.75, 3), 45359.75);
    EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 5) + 0.9, EncodeDate(2024, 3, 1)), 4);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 5)), 7); // a Saturday
}

TEST(SysUtils, QtConversionsRoundTrip)
{
    const QDateTime Dt(QDate(2024, 3, 5), QTime(14, 7, 9, 250));
    const TDateTime V = QDateTimeToDateTime(Dt);
    EXPECT_EQ(DateTimeToQDateTime(V), Dt);
    EXPECT_EQ(DateTimeToQDate(V), QDate(2024, 3, 5));
    EXPECT_EQ(DateTimeToQTime(V), QTime(14, 7, 9, 250));
    EXPECT_EQ(QDateToDateTime(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(QDateToDateTime(QDate()), 0);
    EXPECT_DOUBLE_EQ(QTimeToDateTime(QTime(6, 0)), 0.25);
}

TEST(SysUtils, NowCanBeReplacedByTests)
{
    SetNowFunction([] { return EncodeDate(2024, 3, 20) + 0.5; });
    EXPECT_EQ(Today(), EncodeDate(2024, 3, 20));
    SetNowFunction({});
    EXPECT_GT(Now(), EncodeDate(2024, 1, 1));
}

TEST(SysUtils, FormatDateTimeFrench)
{
    const TDateTime V = EncodeDate(2026, 12, 5) + EncodeTime(9, 5, 7, 42);
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), V), QStringLiteral("2026-12-05 09:05:07"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("dddddd"), V), QStringLiteral("samedi 5 décembre 2026"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), V), QStringLiteral("05/12/2026"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("dddd d mmmm"), V), QStringLiteral("samedi 5 décembre"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddd"), V), QStringLiteral("sam."));
    EXPECT_EQ(FormatDateTime(QStringLiteral("d/m/yy h:m"), V), QStringLiteral("5/12/26 9:5"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:mm"), V), QStringLiteral("09:05"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("s.zzz"), V), QStringLiteral("7.042"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("'le' d \"mmmm\""), V), QStringLiteral("le 5 mmmm"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), V), QStringLiteral("05/12/2026 09:05:07"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), DateOf(V)), QStringLiteral("05/12/2026"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("YYYY-MM-DD"), V), QStringLiteral("2026-12-05"));
}

TEST(SysUtils, LocaleDateTextsRoundTrip)
{
    EXPECT_EQ(DateToStr(0), QStringLiteral("30/12/1899"));
    EXPECT_EQ(StrToDate(QStringLiteral("30/12/1899")), 0);
    const TDateTime V = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(DateTimeToStr(V), QStringLiteral("05/03/2024 14:07:09"));
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(V)), V);
    EXPECT_EQ(StrToDateTime(QStringLiteral("5/3/2024")), EncodeDate(2024, 3, 5));
    TDateTime Out = -1;
    EXPECT_FALSE(TryStrToDate(QStringLiteral("31/02/2024"), Out));
    EXPECT_FALSE(TryStrToDate(QStringLiteral("2024-03-05"), Out));
    EXPECT_FALSE(TryStrToDateTime(QStringLiteral("05/03/2024 25:00"), Out));
    EXPECT_EQ(Out, -1);
    EXPECT_EQ(ErrorOf([] { StrToDate(QStringLiteral("hier")); }), QStringLiteral("'hier' is not a valid date"));
}
