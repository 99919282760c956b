#include "KVXStringList.h"
#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(KVXStringList, SplitCutsAtTheWholeSeparatorAndAppends)
{
    struct TCase
    {
        const char *Text, *Separator;
        bool AddEmpty;
        QStringList Items;
    };
    const TCase Cases[] = {
        {"1.2.3", ".", true, {"1", "2", "3"}},
        {"1..2", ".", false, {"1", "", "2"}},
        {"1.2.", ".", false, {"1", "2", ""}},
        {"a, b,c", ", ", false, {"a", "b,c"}},
        // No separator found, or an empty one: the whole text as one item.
        {"abc", ";", false, {"abc"}},
        {"a.b", "", false, {"a.b"}},
        {"", ",", false, {}},
        {"", ",", true, {""}},
    };
    for (const TCase &C : Cases) {
        TKVXStringList L;
        L.Split(QString::fromLatin1(C.Text), QString::fromLatin1(C.Separator), C.AddEmpty);
        EXPECT_EQ(L.ToQStringList(), C.Items) << C.Text;
    }
    TKVXStringList M;
    M.Split(QStringLiteral("a,b"), QStringLiteral(","), true);
    M.Split(QStringLiteral("c"), QStringLiteral(","), true);
    EXPECT_EQ(M.ToQStringList(), QStringList({"a", "b", "c"}));
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
}

TEST(KVXStringList, IndexOfExFoldsOnlyAsciiLetters)
{
    TKVXStringList L;
    for (const char *S : {"Poivre", "Sel", "sel", "Sél"})
        L.Add(QString::fromUtf8(S));
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("SEL"), true), 1);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sÉl"), true), -1);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sél"), true), 3);
    // The list's own rule is the locale's: it ignores case, accented capitals included.
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sel"), false), 1);
    EXPECT_EQ(L.IndexOf(QStringLiteral("SÉL")), 3);
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("sel"), false), 2);
    EXPECT_EQ(L.IndexOfEx(QStringLiteral("SEL"), false), -1);
}

TEST(KVXStringList, IndexErrorsAndSortedLists)
{
    TStringList L;
    EXPECT_EQ(ErrorOf([&] { L.Strings(0); }), QStringLiteral("List index out of bounds (0)"));
    L.SetSorted(true);
    for (const char *S : {"Pomme", "poire", "Abricot", "pomme", "Pâte"})
        L.Add(QString::fromUtf8(S));
    // Duplicates (without regard to case) are ignored by default; order is the locale's.
    EXPECT_EQ(L.ToQStringList(), QStringList({"Abricot", "Pâte", "poire", "Pomme"}));
    EXPECT_EQ(L.IndexOf(QStringLiteral("POIRE")), 2);
    EXPECT_EQ(ErrorOf([&] { L.Insert(0, QStringLiteral("x")); }),
              QStringLiteral("Operation not allowed on sorted list"));
    L.SetDuplicates(TDuplicates::dupError);
    EXPECT_EQ(ErrorOf([&] { L.Add(QStringLiteral("ABRICOT")); }),
              QStringLiteral("String list does not allow duplicates"));
}

TEST(KVXStringList, CommaDelimitedAndLineTexts)
{
    TStringList L;
    L.SetCommaText(QStringLiteral("jour=0,repas=1,\"nom=Pâtes carbonara\""));
    EXPECT_EQ(L.Values(QStringLiteral("JOUR")), QStringLiteral("0"));
    EXPECT_EQ(L.Values(QStringLiteral("nom")), QStringLiteral("Pâtes carbonara"));
    // Unquoted blanks cut items, so the older menu lines lose a name's second word.
    L.SetCommaText(QStringLiteral("jour=1, nom=Pâtes carbonara"));
    EXPECT_EQ(L.ToQStringList(), QStringList({"jour=1", "nom=Pâtes", "carbonara"}));
    L.SetCommaText(QStringLiteral("a,,\"b \"\"c\"\"\",d,"));
    EXPECT_EQ(L.ToQStringList(), QStringList({"a", "", "b \"c\"", "d", ""}));
    EXPECT_EQ(L.CommaText(), QStringLiteral("a,,\"b \"\"c\"\"\",d,"));

    L.SetDelimiter(QLatin1Char(';'));
    L.SetStrictDelimiter(true);
    L.SetDelimitedText(QStringLiteral("un mot; deux;"));
    EXPECT_EQ(L.ToQStringList(), QStringList({"un mot", " deux", ""}));
    EXPECT_EQ(L.CommaText(), QStringLiteral("\"un mot\",\" deux\","));

    L.SetText(QStringLiteral("{\r\n  \"a\":1\n}\r"));
    EXPECT_EQ(L.ToQStringList(), QStringList({"{", "  \"a\":1", "}"}));
    EXPECT_EQ(L.Text(), QStringLiteral("{\r\n  \"a\":1\r\n}\r\n"));
}

TEST(KVXStringList, ControlCharactersAndNulsAlwaysMoveTheSplitOn)
{
    // A menu line read from a UTF-16 or NUL-padded file: every NUL is a blank between items.
    TStringList L;
    L.SetCommaText(QStringLiteral("jour=0,\0repas=1") + QChar(0) + QStringLiteral("pers=2"));
    EXPECT_EQ(L.ToQStringList(), QStringList({"jour=0", "repas=1", "pers=2"}));
    L.SetCommaText(QString(4, QChar(0)));
    EXPECT_EQ(L.Count(), 0);
    TStringList Blank;
    Blank.SetCommaText(QStringLiteral("a, "));
    L.SetCommaText(QStringLiteral("a,") + QChar(0));
    EXPECT_EQ(L.ToQStringList(), Blank.ToQStringList());
    L.SetCommaText(QStringLiteral("\"x") + QChar(0) + QStringLiteral("y\"") + QChar(0x1F) + QStringLiteral(",z"));
    EXPECT_EQ(L.ToQStringList(), QStringList({QStringLiteral("x") + QChar(0) + QStringLiteral("y"), "z"}));
    // Written back, an item holding a NUL is quoted, so that it reads back whole.
    EXPECT_EQ(L.CommaText(), QStringLiteral("\"x") + QChar(0) + QStringLiteral("y\",z"));
}

TEST(KVXStringList, NameValueItems)
{
    TKVXStringList L;
    for (const char *S : {"code=12", "sans separateur", "note=a=b"})
        L.Add(QString::fromLatin1(S));
    EXPECT_EQ(L.Names(1), QString());
    EXPECT_EQ(L.ValueFromIndex(2), QStringLiteral("a=b"));
    EXPECT_EQ(L.IndexOfName(QStringLiteral("NOTE")), 2);
    L.SetValues(QStringLiteral("code"), QStringLiteral("13"));
    L.SetValues(QStringLiteral("reccode"), QStringLiteral("7"));
    L.SetValues(QStringLiteral("note"), QString());
    EXPECT_EQ(L.ToQStringList(), QStringList({"code=13", "sans separateur", "reccode=7"}));
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
    EXPECT_EQ(L.ToQStringList(), QStringList({"jour=0,nom=Gâteau", "ligne 2"}));
    const QString Missing = Dir.filePath(QStringLiteral("absent.txt"));
    EXPECT_TRUE(ErrorOf([&] { L.LoadFromFile(Missing); }).startsWith(QStringLiteral("Cannot open file \"") + Missing));
}
