#include "KVXStringList.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Items(const TStringList &L)
{
    return L.ToQStringList();
}

} // namespace

TEST(KVXStringList, SplitCutsAtWholeSeparatorAndKeepsEmptyPieces)
{
    TKVXStringList L;
    L.Split(QStringLiteral("1.2.3"), QStringLiteral("."), true);
    EXPECT_EQ(Items(L), QStringList({"1", "2", "3"}));

    L.Clear();
    L.Split(QStringLiteral("1..2"), QStringLiteral("."), false);
    EXPECT_EQ(Items(L), QStringList({"1", "", "2"}));

    L.Clear();
    L.Split(QStringLiteral("1.2."), QStringLiteral("."), false);
    EXPECT_EQ(Items(L), QStringList({"1", "2", ""}));

    L.Clear();
    L.Split(QStringLiteral("a, b,c"), QStringLiteral(", "), false);
    EXPECT_EQ(Items(L), QStringList({"a", "b,c"}));

    // No separator found, or an empty one: the whole text as one item.
    L.Clear();
    L.Split(QStringLiteral("abc"), QStringLiteral(";"), false);
    L.Split(QStringLiteral("a.b"), QString(), false);
    EXPECT_EQ(Items(L), QStringList({"abc", "a.b"}));
}

TEST(KVXStringList, SplitOfEmptyTextAndRepeatedSplits)
{
    TKVXStringList L;
    L.Split(QString(), QStringLiteral(","), false);
    EXPECT_EQ(L.Count(), 0);
    L.Split(QString(), QStringLiteral(","), true);
    EXPECT_EQ(Items(L), QStringList({""}));

    TKVXStringList M;
    M.Split(QStringLiteral("a,b"), QStringLiteral(","), true);
    M.Split(QStringLiteral("c"), QStringLiteral(","), true);
    EXPECT_EQ(Items(M), QStringList({"a", "b", "c"}));
}

TEST(KVXStringList, JoinUsesSeparatorOrDelimiter)
{
    TKVXStringList L;
    EXPECT_EQ(L.Join(QStringLiteral(", ")), QString());
    L.Add(QStringLiteral("seul"));
    EXPECT_EQ(L.Join(QStringLiteral(", ")), QStringLiteral("seul"));
    L.Add(QStringLiteral("deux"));
    EXPECT_EQ(L.Join(QString()), QStringLiteral("seul,deux"));
    EXPECT_EQ(L.Join(QStringLiteral(" - ")), QStringLiteral("seul - deux"));
    L.SetDelimiter(QLatin1Char(';'));
    EXPECT_EQ(L.Join(), QStringLiteral("seul;deux"));
    EXPECT_EQ(L.GetSeparator(QString()), QStringLiteral(";"));
    EXPECT_EQ(L.GetSeparator(QStringLiteral("|")), QStringLiteral("|"));
}

TEST(KVXStringList, IndexOfExFoldsOnlyAsciiLetters)
{
    TKVXStringList L;
    L.Add(QStringLiteral("Poivre"));
    L.Add(QStringLiteral("Sel"));
    L.Add(QStringLiteral("sel"));
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("SEL"), true), 1);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sel"), false), 1); // the list's own rule ignores case too
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sel"), false), 2);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("SEL"), false), -1);

    TKVXStringList A;
    A.Add(QStringLiteral("Sél"));
    EXPECT_EQ(A.IndexOfEx(QStringLiteral("sel"), true), -1);
    EXPECT_EQ(A.IndexOfEx(QStringLiteral("sÉl"), true), -1);
    EXPECT_EQ(A.IndexOfEx(QStringLiteral("sél"), true), 0);
    // The locale rule folds accented capitals as well.
    EXPECT_EQ(A.IndexOf(QStringLiteral("SÉL")), 0);
}

TEST(KVXStringList, IndexErrorsAndSortedLists)
{
    TStringList L;
    EXPECT_EQ(ErrorOf([&] { L.Strings(0); }), QStringLiteral("List index out of bounds (0)"));
    EXPECT_EQ(ErrorOf([&] { L.Delete(-1); }), QStringLiteral("List index out of bounds (-1)"));

    L.SetSorted(true);
    for (const char *S : {"Pomme", "poire", "Abricot", "pomme", "Pâte"})
        L.Add(QString::fromUtf8(S));
    // Duplicates (without regard to case) are ignored by default; order is the locale's.
    EXPECT_EQ(Items(L), QStringList({"Abricot", "Pâte", "poire", "Pomme"}));
    EXPECT_EQ(L.IndexOf(QStringLiteral("POIRE")), 2);
    EXPECT_EQ(L.IndexOf(QStringLiteral("kiwi")), -1);
    EXPECT_EQ(ErrorOf([&] { L.Insert(0, QStringLiteral("x")); }),
              QStringLiteral("Operation not allowed on sorted list"));

    L.SetDuplicates(TDuplicates::dupError);
    EXPECT_EQ(ErrorOf([&] { L.Add(QStringLiteral("ABRICOT")); }),
              QStringLiteral("String list does not allow duplicates"));
}

TEST(KVXStringList, CommaTextReadsTheOlderMenuLines)
{
    TStringList L;
    L.SetCommaText(QStringLiteral("jour=0,repas=1,pers=4,\"nom=Pâtes carbonara\""));
    EXPECT_EQ(L.Count(), 4);
    EXPECT_EQ(L.Values(QStringLiteral("JOUR")), QStringLiteral("0"));
    EXPECT_EQ(L.Values(QStringLiteral("nom")), QStringLiteral("Pâtes carbonara"));
    EXPECT_EQ(L.Values(QStringLiteral("absent")), QString());

    // Unquoted blanks cut items, so the name loses its second word.
    L.SetCommaText(QStringLiteral("jour=1, nom=Pâtes carbonara"));
    EXPECT_EQ(Items(L), QStringList({"jour=1", "nom=Pâtes", "carbonara"}));

    L.SetCommaText(QStringLiteral("a,,\"b \"\"c\"\"\",d,"));
    EXPECT_EQ(Items(L), QStringList({"a", "", "b \"c\"", "d", ""}));
    EXPECT_EQ(L.CommaText(), QStringLiteral("a,,\"b \"\"c\"\"\",d,"));

    L.Clear();
    L.Add(QString());
    EXPECT_EQ(L.CommaText(), QStringLiteral("\"\""));
}

TEST(KVXStringList, DelimitedTextWithOwnDelimiter)
{
    TStringList L;
    L.SetDelimiter(QLatin1Char(';'));
    L.SetStrictDelimiter(true);
    L.SetDelimitedText(QStringLiteral("un mot; deux;"));
    EXPECT_EQ(Items(L), QStringList({"un mot", " deux", ""}));
    EXPECT_EQ(L.DelimitedText(), QStringLiteral("un mot; deux;"));
    // CommaText keeps its own rules whatever the list's settings.
    EXPECT_EQ(L.CommaText(), QStringLiteral("\"un mot\",\" deux\","));
}

TEST(KVXStringList, TextUsesCrLf)
{
    TStringList L;
    L.SetText(QStringLiteral("{\r\n  \"a\":1\n}\r"));
    EXPECT_EQ(Items(L), QStringList({"{", "  \"a\":1", "}"}));
    EXPECT_EQ(L.Text(), QStringLiteral("{\r\n  \"a\":1\r\n}\r\n"));
    L.SetText(QStringLiteral("a\r\n\r\n"));
    EXPECT_EQ(Items(L), QStringList({"a", ""}));
    L.SetText(QString());
    EXPECT_EQ(L.Count(), 0);
}

TEST(KVXStringList, NameValueItems)
{
    TKVXStringList L;
    L.Add(QStringLiteral("code=12"));
    L.Add(QStringLiteral("sans separateur"));
    L.Add(QStringLiteral("note=a=b"));
    EXPECT_EQ(L.Names(0), QStringLiteral("code"));
    EXPECT_EQ(L.Names(1), QString());
    EXPECT_EQ(L.ValueFromIndex(2), QStringLiteral("a=b"));
    EXPECT_EQ(L.IndexOfName(QStringLiteral("NOTE")), 2);

    L.SetValues(QStringLiteral("code"), QStringLiteral("13"));
    L.SetValues(QStringLiteral("reccode"), QStringLiteral("7"));
    EXPECT_EQ(Items(L), QStringList({"code=13", "sans separateur", "note=a=b", "reccode=7"}));
    L.SetValues(QStringLiteral("note"), QString());
    EXPECT_EQ(L.IndexOfName(QStringLiteral("note")), -1);
}

TEST(KVXStringList, LoadFromFileDecodesAndSplitsLines)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath(QStringLiteral("menu.txt"));
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("jour=0,nom=G\xE2teau\r\nligne 2");
    F.close();

    TStringList L;
    L.LoadFromFile(Name);
    EXPECT_EQ(Items(L), QStringList({"jour=0,nom=Gâteau", "ligne 2"}));

    const QString Missing = Dir.filePath(QStringLiteral("absent.txt"));
    EXPECT_TRUE(ErrorOf([&] { L.LoadFromFile(Missing); }).startsWith(QStringLiteral("Cannot open file \"") + Missing));
}
