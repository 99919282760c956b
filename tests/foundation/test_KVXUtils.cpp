#include "KVXUtils.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(KVXUtils, EnsureRangeAndInRange)
{
    EXPECT_EQ(KVXEnsureRange(400, 7, 365), 365);
    EXPECT_EQ(KVXEnsureRange(3, 7, 365), 7);
    EXPECT_EQ(KVXEnsureRange(5, 5, 5), 5);
    EXPECT_EQ(KVXEnsureRange(-9000000000LL, -9000000001LL, 0), -9000000000LL);
    EXPECT_EQ(ErrorOf([] { KVXEnsureRange(1, 10, 2); }),
              QStringLiteral("The minimal limit (10) must be lower than the maximal limit (2)"));
    EXPECT_TRUE(KVXInRange(-365, -365, 365));
    EXPECT_FALSE(KVXInRange(366, -365, 365));
    EXPECT_THROW(KVXInRange(0, 1, 0), Exception);
}

TEST(KVXUtils, VersionsAreCheckedAndComparedPartByPart)
{
    for (const char *Good : {"007", "1.4.2"})
        EXPECT_TRUE(KVXIsVersion(QString::fromLatin1(Good))) << Good;
    for (const char *Bad : {"", "1..2", ".1", "1.", "v1.2", "1.2\r\n", "1,2"})
        EXPECT_FALSE(KVXIsVersion(QString::fromLatin1(Bad))) << Bad;

    EXPECT_EQ(KVXCompareVersion(QStringLiteral("1.2"), QStringLiteral("1.2.0")), 0);
    EXPECT_EQ(KVXCompareVersion(QStringLiteral("1.10"), QStringLiteral("1.9")), 1);
    EXPECT_EQ(KVXCompareVersion(QStringLiteral("2.0.1"), QStringLiteral("2.1")), -1);
    EXPECT_EQ(KVXCompareVersion(QStringLiteral("007"), QStringLiteral("7")), 0);
    EXPECT_EQ(ErrorOf([] { KVXCompareVersion(QString(), QStringLiteral("1.0")); }),
              QStringLiteral("KVXCompareVersion: The version 1 \"\" is not a correct version"));
    EXPECT_EQ(ErrorOf([] { KVXCompareVersion(QStringLiteral("1.0"), QStringLiteral("1.0\r\n")); }),
              QStringLiteral("KVXCompareVersion: The version 2 \"1.0\r\n\" is not a correct version"));
    EXPECT_EQ(ErrorOf([] { KVXCompareVersion(QStringLiteral("1.99999999999"), QStringLiteral("1.0")); }),
              QStringLiteral("KVXCompareVersion: '99999999999' is not a valid integer value"));
}
