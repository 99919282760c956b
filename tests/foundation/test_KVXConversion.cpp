#include "KVXConversion.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

#include <cmath>

TEST(KVXConversion, DateTimeTextsBothWays)
{
    const TDateTime V = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    const char *const Forms[] = {"2024-03-05",       "2024-03-05 14:07:09", "14:07:09", "14:07",
                                 "2024-03-05 14:07", "20240305-140709",     ""};
    for (int Kind = 0; Kind < 7; ++Kind)
        EXPECT_EQ(KVXDateTimeToString(Kind, false, V), QString::fromLatin1(Forms[Kind])) << Kind;
    EXPECT_EQ(KVXDateTimeToString(0, true, 0), QString());
    EXPECT_EQ(KVXDateTimeToString(1, false, 0), QStringLiteral("1899-12-30 00:00:00"));

    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("12:30"), true, -1), EncodeTime(12, 30, 0, 0));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("12:30:15"), true, -1), EncodeTime(12, 30, 15, 0));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("2024-03-05"), true, -1), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("2024-03-05 14:07:09"), true, -1), V);
    // Before the base date the time of day still counts forward.
    EXPECT_EQ(KVXDateTimeToString(1, false, KVXStringToDateTime(QStringLiteral("1850-06-01 18:00:00"), true, 0)),
              QStringLiteral("1850-06-01 18:00:00"));
}

TEST(KVXConversion, StringToDateTimeFailures)
{
    // Impossible values pass the shape check and fail in the conversion.
    EXPECT_EQ(KVXStringToDateTime(QStringLiteral("2024-02-30"), false, 7), 7);
    EXPECT_EQ(KVXStringToDateTime(QStringLiteral("12h30"), false, 3), 3);
    const QString Prefix = QStringLiteral("KVXStringToDateTime : ");
    const std::pair<const char *, const char *> Cases[] = {
        {"24:00", "Invalid argument to time encode"},
        {"2024-13-01", "Invalid argument to date encode"},
        // The form follows the length: eight characters are a time.
        {"2024-3-5", "The value \"2024-3-5\" is not a valid time value"},
        {"05/03/2024", "The value \"05/03/2024\" is not a valid internal date value"},
        {"2024-03-05T14:07:09", "The value \"2024-03-05T14:07:09\" is not a valid internal datetime value"},
        {"", "The value \"\" has not a valid length"},
    };
    for (const auto &[Text, Message] : Cases)
        EXPECT_EQ(ErrorOf([Text = Text] { KVXStringToDateTime(QString::fromLatin1(Text), true, 0); }),
                  Prefix + QString::fromLatin1(Message));
}

TEST(KVXConversion, FloatTexts)
{
    EXPECT_DOUBLE_EQ(KVXStringToFloat(QStringLiteral("2,5"), -1), 2.5);
    EXPECT_DOUBLE_EQ(KVXStringToFloat(QStringLiteral("2.5"), -1), 2.5);
    for (const char *Bad : {" ", "", "1.234,5", "deux"})
        EXPECT_EQ(KVXStringToFloat(QString::fromLatin1(Bad), -1), -1) << Bad;

    EXPECT_EQ(KVXFloatToString(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(KVXFloatToString(3), QStringLiteral("3"));
    EXPECT_EQ(KVXFloatToString(-1234.25), QStringLiteral("-1234.25"));
    EXPECT_EQ(KVXFloatToString(1e20), QStringLiteral("1E20"));
    for (double D : {0.3, 1.0 / 3, 1e-7})
        EXPECT_NEAR(KVXStringToFloat(KVXFloatToString(D), 0), D, std::fabs(D) * 1e-14) << D;
    // The largest doubles keep a text that reads back instead of one past the range.
    const double Max = std::numeric_limits<double>::max();
    EXPECT_EQ(KVXStringToFloat(KVXFloatToString(Max), 0), Max);
    EXPECT_EQ(KVXStringToFloat(KVXFloatToString(-Max), 0), -Max);
    EXPECT_EQ(KVXFloatToString(0.1 + 0.2), QStringLiteral("0.3"));
}
