#include "KVXConversion.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(KVXConversion, DateTimeToStringForms)
{
    const TDateTime V = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(KVXDateTimeToString(0, false, V), QStringLiteral("2024-03-05"));
    EXPECT_EQ(KVXDateTimeToString(1, false, V), QStringLiteral("2024-03-05 14:07:09"));
    EXPECT_EQ(KVXDateTimeToString(2, false, V), QStringLiteral("14:07:09"));
    EXPECT_EQ(KVXDateTimeToString(3, false, V), QStringLiteral("14:07"));
    EXPECT_EQ(KVXDateTimeToString(4, false, V), QStringLiteral("2024-03-05 14:07"));
    EXPECT_EQ(KVXDateTimeToString(5, false, V), QStringLiteral("20240305-140709"));
    EXPECT_EQ(KVXDateTimeToString(6, false, V), QString());
    EXPECT_EQ(KVXDateTimeToString(0, true, 0), QString());
    EXPECT_EQ(KVXDateTimeToString(0, false, 0), QStringLiteral("1899-12-30"));
    EXPECT_EQ(KVXDateTimeToString(1, false, 0), QStringLiteral("1899-12-30 00:00:00"));
    EXPECT_EQ(KVXDateTimeToString(1, true, V), QStringLiteral("2024-03-05 14:07:09"));
}

TEST(KVXConversion, StringToDateTimeForms)
{
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("12:30"), true, -1), EncodeTime(12, 30, 0, 0));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("12:30:15"), true, -1), EncodeTime(12, 30, 15, 0));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("2024-03-05"), true, -1), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(QStringLiteral("2024-03-05 14:07:09"), true, -1),
                     EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
    // Before the base date the time of day still counts forward.
    EXPECT_EQ(KVXDateTimeToString(1, false, KVXStringToDateTime(QStringLiteral("1850-06-01 18:00:00"), true, 0)),
              QStringLiteral("1850-06-01 18:00:00"));
    // Every written form reads back.
    const TDateTime V = EncodeDate(2031, 12, 31) + EncodeTime(23, 59, 58, 0);
    EXPECT_DOUBLE_EQ(KVXStringToDateTime(KVXDateTimeToString(1, false, V), true, 0), V);
}

TEST(KVXConversion, StringToDateTimeFailures)
{
    // Impossible values pass the shape check and fail in the conversion.
    EXPECT_EQ(KVXStringToDateTime(QStringLiteral("2024-02-30"), false, 7), 7);
    EXPECT_EQ(KVXStringToDateTime(QStringLiteral("24:00"), false, 7), 7);
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QStringLiteral("24:00"), true, 0); }),
              QStringLiteral("KVXStringToDateTime : Invalid argument to time encode"));
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QStringLiteral("2024-13-01"), true, 0); }),
              QStringLiteral("KVXStringToDateTime : Invalid argument to date encode"));
    // The form follows the length: eight characters are a time.
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QStringLiteral("2024-3-5"), true, 0); }),
              QStringLiteral("KVXStringToDateTime : The value \"2024-3-5\" is not a valid time value"));
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QStringLiteral("05/03/2024"), true, 0); }),
              QStringLiteral("KVXStringToDateTime : The value \"05/03/2024\" is not a valid internal date value"));
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QStringLiteral("2024-03-05T14:07:09"), true, 0); }),
              QStringLiteral("KVXStringToDateTime : The value \"2024-03-05T14:07:09\" is not a valid internal "
                             "datetime value"));
    EXPECT_EQ(ErrorOf([] { KVXStringToDateTime(QString(), true, 0); }),
              QStringLiteral("KVXStringToDateTime : The value \"\" has not a valid length"));
    EXPECT_EQ(KVXStringToDateTime(QStringLiteral("12h30"), false, 3), 3);
}

TEST(KVXConversion, FloatTexts)
{
    EXPECT_DOUBLE_EQ(KVXStringToFloat(QStringLiteral("2,5"), -1), 2.5);
    EXPECT_DOUBLE_EQ(KVXStringToFloat(QStringLiteral("2.5"), -1), 2.5);
    EXPECT_DOUBLE_EQ(KVXStringToFloat(QStringLiteral("-3"), -1), -3);
    EXPECT_EQ(KVXStringToFloat(QStringLiteral(" "), -1), -1);
    EXPECT_EQ(KVXStringToFloat(QString(), -1), -1);
    EXPECT_EQ(KVXStringToFloat(QStringLiteral("1.234,5"), -1), -1);
    EXPECT_EQ(KVXStringToFloat(QStringLiteral("deux"), -1), -1);

    EXPECT_EQ(KVXFloatToString(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(KVXFloatToString(3), QStringLiteral("3"));
    EXPECT_EQ(KVXFloatToString(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(KVXFloatToString(-1234.25), QStringLiteral("-1234.25"));
    EXPECT_EQ(KVXFloatToString(1e20), QStringLiteral("1E20"));
    EXPECT_EQ(KVXFloatToString(3.3), QStringLiteral("3.3"));
    // What is written reads back.
    for (double D : {0.3, 12.75, 1.0 / 3, 1e-7})
        EXPECT_NEAR(KVXStringToFloat(KVXFloatToString(D), 0), D, std::fabs(D) * 1e-14) << D;
}
