#include "KVXRegExpr.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Case-sensitive, greedy, single-line: the settings most callers use.
QString Sub(const char *Input, const char *Pattern, int Index, const QString &Default = QString())
{
    return KVXSubExpr(QString::fromLatin1(Input), QString::fromLatin1(Pattern), Index, true, true, false, true,
                      Default);
}

} // namespace

TEST(KVXRegExpr, SubExprPicksGroupOrWholeMatch)
{
    const char *Version = "(\\d+\\.\\d+\\.\\d+)\\.\\d+";
    EXPECT_EQ(Sub("2.1.0.57", Version, 1), QStringLiteral("2.1.0"));
    EXPECT_EQ(Sub("", Version, 1, QStringLiteral("?")), QStringLiteral("?"));
    EXPECT_EQ(Sub("none", Version, 1), QString());
    // Without groups, or with an index out of range, the whole match.
    EXPECT_EQ(Sub("ab 123 cd", "\\d+", 1), QStringLiteral("123"));
    EXPECT_EQ(Sub("x=12", "(\\w)=(\\d+)", 5), QStringLiteral("x=12"));
    EXPECT_EQ(Sub("x=12", "(\\w)=(\\d+)", -1), QStringLiteral("x=12"));
    // A group after the last one that matched counts as out of range; one before it is empty.
    EXPECT_EQ(Sub("2", "(1)?2(3)?", 2), QStringLiteral("2"));
    EXPECT_EQ(Sub("23", "(1)?2(3)?", 1, QStringLiteral("d")), QString());

    const QString Message = ErrorOf([] { Sub("x", "(a", 0); });
    EXPECT_TRUE(Message.startsWith(QStringLiteral("KVXSubExpr: ")) && Message.size() > 12) << Message.toStdString();
}

TEST(KVXRegExpr, GreedinessAndModifiers)
{
    const QString Reply = QStringLiteral("{\"token\":\"abc.def\",\"expires\":\"2030\"}");
    const QString Token = QStringLiteral("\"token\":\"(.*)\"");
    EXPECT_EQ(KVXFirstSubExpr(Reply, Token, true, false, QString()), QStringLiteral("abc.def"));
    EXPECT_EQ(KVXFirstSubExpr(Reply, Token, true, true, QString()), QStringLiteral("abc.def\",\"expires\":\"2030"));
    // The single-line mode lets "." cross line breaks.
    const QString TwoLines = QStringLiteral("\"token\":\"ab\ncd\"");
    EXPECT_EQ(KVXFirstSubExpr(TwoLines, Token, true, false, QString()), QStringLiteral("ab\ncd"));
    EXPECT_EQ(KVXSubExpr(TwoLines, Token, 1, true, false, false, false, QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(KVXSubExpr(QStringLiteral("Menu"), QStringLiteral("menu"), 0, false, true, false, true, QString()),
              QStringLiteral("Menu"));
    EXPECT_EQ(Sub("Menu", "menu", 0), QString());
    EXPECT_EQ(KVXSubExpr(QStringLiteral("a\nb2"), QStringLiteral("^b(\\d)$"), 1, true, true, true, false, QString()),
              QStringLiteral("2"));
    EXPECT_EQ(Sub("a\nb2", "^b(\\d)$", 1), QString());
}

TEST(KVXRegExpr, FullMatchComparesTheFirstMatch)
{
    const QString Time = QStringLiteral("[0-2]\\d:[0-5]\\d");
    EXPECT_TRUE(KVXFullMatch(QStringLiteral("12:30"), Time, true, false, false, true));
    EXPECT_FALSE(KVXFullMatch(QStringLiteral("12:30 "), Time, true, false, false, true));
    EXPECT_FALSE(KVXFullMatch(QString(), QStringLiteral(".*"), true, true, false, true));
    // Not greedy, the first match is the shortest, not the whole text.
    EXPECT_FALSE(KVXFullMatch(QStringLiteral("aaa"), QStringLiteral("a+"), true, false, false, true));
    EXPECT_TRUE(KVXFullMatch(QStringLiteral("aaa"), QStringLiteral("a+"), true, true, false, true));
}
