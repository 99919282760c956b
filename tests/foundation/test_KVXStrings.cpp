#include "KVXStrings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(KVXStrings, CapitalizeChangesOnlyAsciiLetters)
{
    EXPECT_EQ(KVXCapitalize(QStringLiteral("POMMES de TERRE")), QStringLiteral("Pommes de terre"));
    EXPECT_EQ(KVXCapitalize(QStringLiteral("entrée")), QStringLiteral("Entrée"));
    EXPECT_EQ(KVXCapitalize(QStringLiteral("été")), QStringLiteral("été"));
    EXPECT_EQ(KVXCapitalize(QStringLiteral("ÉTÉ")), QStringLiteral("ÉtÉ"));
    EXPECT_EQ(KVXCapitalize(QStringLiteral("3 ŒUFS")), QStringLiteral("3 Œufs"));
    EXPECT_EQ(KVXCapitalize(QString()), QString());
}
