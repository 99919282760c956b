#include "KVXRegExpr.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

TEST(KVXRegExpr, SubExprPicksGroupOrWholeMatch)
{
    const QString Version = QStringLiteral("(\\d+\\.\\d+\\.\\d+)\\.\\d+");
    EXPECT_EQ(KVXSubExpr(QStringLiteral("2.1.0.57"), Version, 1, true, true, false, true, QString()),
              QStringLiteral("2.1.0"));
    EXPECT_EQ(KVXSubExpr(QString(), Version, 1, true, true, false, true, QStringLiteral("?")), QStringLiteral("?"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("none"), Version, 1, true, true, false, true, QString()), QString());
    // Without groups, or with an index out of range, the whole match.
    EXPECT_EQ(KVXSubExpr(QStringLiteral("ab 123 cd"), QStringLiteral("\\d+"), 1, true, true, false, true, QString()),
              QStringLiteral("123"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("x=12"), QStringLiteral("(\\w)=(\\d+)"), 5, true, true, false, true, QString()),
              QStringLiteral("x=12"));
    EXPECT_EQ(
        KVXSubExpr(QStringLiteral("x=12"), QStringLiteral("(\\w)=(\\d+)"), -1, true, true, false, true, QString()),
        QStringLiteral("x=12"));
    // A group after the last one that matched counts as out of range; one before it is empty.
    EXPECT_EQ(KVXSubExpr(QStringLiteral("2"), QStringLiteral("(1)?2(3)?"), 2, true, true, false, true, QString()),
              QStringLiteral("2"));
    EXPECT_EQ(
        KVXSubExpr(QStringLiteral("23"), QStringLiteral("(1)?2(3)?"), 1, true, true, false, true, QStringLiteral("d")),
        QString());
}

TEST(KVXRegExpr, GreedinessAndModifiers)
{
    const QString Reply = QStringLiteral("{\"token\":\"abc.def\",\"expires\":\"2030\"}");
    EXPECT_EQ(KVXFirstSubExpr(Reply, QStringLiteral("\"token\":\"(.*)\""), true, false, QString()),
              QStringLiteral("abc.def"));
    EXPECT_EQ(KVXFirstSubExpr(Reply, QStringLiteral("\"token\":\"(.*)\""), true, true, QString()),
              QStringLiteral("abc.def\",\"expires\":\"2030"));
    // The single-line mode lets "." cross line breaks.
    const QString TwoLines = QStringLiteral("\"token\":\"ab\ncd\"");
    EXPECT_EQ(KVXFirstSubExpr(TwoLines, QStringLiteral("\"token\":\"(.*)\""), true, false, QString()),
              QStringLiteral("ab\ncd"));
    EXPECT_EQ(
        KVXSubExpr(TwoLines, QStringLiteral("\"token\":\"(.*)\""), 1, true, false, false, false, QStringLiteral("-")),
        QStringLiteral("-"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("Menu"), QStringLiteral("menu"), 0, false, true, false, true, QString()),
              QStringLiteral("Menu"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("Menu"), QStringLiteral("menu"), 0, true, true, false, true, QString()),
              QString());
    EXPECT_EQ(KVXSubExpr(QStringLiteral("a\nb2"), QStringLiteral("^b(\\d)$"), 1, true, true, true, false, QString()),
              QStringLiteral("2"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("a\nb2"), QStringLiteral("^b(\\d)$"), 1, true, true, false, false, QString()),
              QString());
}

TEST(KVXRegExpr, FullMatchComparesTheFirstMatch)
{
    EXPECT_TRUE(KVXFullMatch(QStringLiteral("12:30"), QStringLiteral("[0-2]\\d:[0-5]\\d"), true, false, false, true));
    EXPECT_FALSE(KVXFullMatch(QStringLiteral("12:30 "), QStringLiteral("[0-2]\\d:[0-5]\\d"), true, false, false, true));
    EXPECT_FALSE(KVXFullMatch(QString(), QStringLiteral(".*"), true, true, false, true));
    // Not greedy, the first match is the shortest, not the whole text.
    EXPECT_FALSE(KVXFullMatch(QStringLiteral("aaa"), QStringLiteral("a+"), true, false, false, true));
    EXPECT_TRUE(KVXFullMatch(QStringLiteral("aaa"), QStringLiteral("a+"), true, true, false, true));
}

TEST(KVXRegExpr, InvalidPatternRaises)
{
    const QString Message =
        ErrorOf([] { KVXSubExpr(QStringLiteral("x"), QStringLiteral("(a"), 0, true, true, false, true, QString()); });
    EXPECT_TRUE(Message.startsWith(QStringLiteral("KVXSubExpr: "))) << Message.toStdString();
    EXPECT_GT(Message.size(), 12);
    EXPECT_EQ(
        ErrorOf([] { KVXFullMatch(QStringLiteral("x"), QStringLiteral("[x"), true, true, false, true); }).left(12),
        QStringLiteral("KVXSubExpr: "));
}
