#include "TestDatabase.h"

#include "UnitTools.h"

#include <cstring>

namespace {

int Collate(const QByteArray &A, const QByteArray &B)
{
    const int R = SystemCollate2(nullptr, int(A.size()), A.constData(), int(B.size()), B.constData());
    return (R > 0) - (R < 0);
}

int Collate(const QString &A, const QString &B)
{
    return Collate(A.toUtf8(), B.toUtf8());
}

class QlTest : public TempDbTest
{
protected:
    void SetUp() override
    {
        TempDbTest::SetUp();
        Db = OpenQl();
        Db->ExecSQL(QStringLiteral("create table n (grp TEXT, name TEXT, num INTEGER)"));
    }

    void AddName(const QString &Grp, const QString &Name)
    {
        Db->AddParamText(":g", Grp);
        Db->AddParamText(":n", Name);
        Db->ExecSQL(QStringLiteral("insert into n (grp, name) values (:g, :n)"));
    }

    QStringList Names(const QString &SQL)
    {
        QStringList Result;
        const std::unique_ptr<TQlTable> T = Db->GetTable(SQL);
        for (; !T->Eof(); T->Next())
            Result << T->FieldAsString(QStringLiteral("name"));
        return Result;
    }

    std::unique_ptr<TQlDatabase> Db;
};

} // namespace

TEST(SystemCollate2, AccentsFoldedAndCaseDecidesLast)
{
    // Accents do not count, case only between otherwise equal texts, lower case first.
    EXPECT_EQ(Collate(QStringLiteral("Pâte"), QStringLiteral("poire")), -1);
    EXPECT_EQ(Collate(QStringLiteral("poire"), QStringLiteral("Pomme")), -1);
    EXPECT_EQ(Collate(QStringLiteral("pâte"), QStringLiteral("pate")), 0);
    EXPECT_EQ(Collate(QStringLiteral("Crème brûlée"), QStringLiteral("creme brulee")), 1);
    EXPECT_EQ(Collate(QStringLiteral("pate"), QStringLiteral("Pate")), -1);
    EXPECT_EQ(Collate(QStringLiteral("Pate"), QStringLiteral("pAte")), 1);
    EXPECT_EQ(Collate(QStringLiteral("Pate"), QStringLiteral("patf")), -1);
    EXPECT_EQ(Collate(QStringLiteral("Épices"), QStringLiteral("eau")), 1);
    EXPECT_EQ(Collate(QStringLiteral("Œufs"), QStringLiteral("Oufs")), 0);
    EXPECT_EQ(Collate(QStringLiteral("sel"), QStringLiteral("sel fin")), -1);
    EXPECT_EQ(Collate(QStringLiteral(""), QStringLiteral("")), 0);
    EXPECT_EQ(Collate(QStringLiteral(""), QStringLiteral("a")), -1);
    EXPECT_EQ(Collate(QByteArray(), QByteArray()), 0);
}

TEST(SystemCollate2, FoldsExactlyAsStrToAscii)
{
    // Whatever the characters, comparing two texts gives what comparing their StrToAscii
    // foldings gives: the collation and the type-ahead search agree.
    const QStringList Texts = {
        QStringLiteral("Pâte"),
        QStringLiteral("Œuf"),
        QStringLiteral("Ærø"),
        QStringLiteral("Straße"),
        QStringLiteral("ŁódźŻ"),
        QStringLiteral("Ÿvette"),
        QStringLiteral("Привет"),
        QStringLiteral("日本"),
        QStringLiteral("a\u00a0b"),
        QStringLiteral("a b"),
        QStringLiteral("x\U0001F600y"),
        QStringLiteral("x??y"),
        QStringLiteral("×÷"),
        QStringLiteral("??"),
        QStringLiteral("ſ"),
        QStringLiteral("\u00bfque?"),
        QStringLiteral("A"),
        QStringLiteral("a"),
        QStringLiteral("€uro"),
    };
    for (const QString &A : Texts) {
        for (const QString &B : Texts)
            EXPECT_EQ(Collate(A, B), Collate(StrToAscii(A), StrToAscii(B)))
                << A.toStdString() << " / " << B.toStdString();
    }
}

TEST(SystemCollate2, MalformedUtf8CountsAsQuestionMarks)
{
    // Bytes written by another tool in an 8-bit code page, sequences cut short, overlong
    // forms and surrogates: each offending byte is one "?", and nothing reads past the end.
    EXPECT_EQ(Collate(QByteArray("P\xe2te"), QByteArray("P?te")), 0);
    EXPECT_EQ(Collate(QByteArray("ab\xc3"), QByteArray("ab?")), 0);
    EXPECT_EQ(Collate(QByteArray("\xc0\x80"), QByteArray("??")), 0);
    EXPECT_EQ(Collate(QByteArray("\xed\xa0\x80"), QByteArray("???")), 0);
    EXPECT_EQ(Collate(QByteArray("\xf4\x90\x80\x80"), QByteArray("????")), 0);
    EXPECT_EQ(Collate(QByteArray("\xff\xfe"), QByteArray("??")), 0);
    // Lengths are honoured: the text need not end with a zero byte.
    const char Buffer[] = "abc\xc3\xa9zzz";
    EXPECT_EQ(SystemCollate2(nullptr, 5, Buffer, 4, "abce"), 0);
    EXPECT_EQ(SystemCollate2(nullptr, 4, Buffer, 4, "abc?"), 0);
}

TEST(UTF8Decode, WellFormedOrEmpty)
{
    EXPECT_EQ(UTF8Decode(QByteArray("caf\xc3\xa9")), QStringLiteral("café"));
    EXPECT_EQ(UTF8Decode(QByteArray("plain")), QStringLiteral("plain"));
    EXPECT_EQ(UTF8Decode(QByteArray("\xef\xbb\xbfx")), QStringLiteral("\ufeffx"));
    EXPECT_EQ(UTF8Decode(QByteArray("\xf0\x9f\x98\x80")), QStringLiteral("\U0001F600"));
    EXPECT_EQ(UTF8Decode(QByteArray("caf\xe9")), QString());
    EXPECT_EQ(UTF8Decode(QByteArray("\xc0\xaf")), QString());
    EXPECT_EQ(UTF8Decode(QByteArray("\xed\xa0\x80")), QString());
    EXPECT_EQ(UTF8Decode(QByteArray("\xe2\x82")), QString());
    EXPECT_EQ(UTF8Decode(QByteArray()), QString());
}

TEST_F(QlTest, OrderedQueriesUseSystem2OnTheLastTerm)
{
    AddName(QStringLiteral("B"), QStringLiteral("Pomme"));
    AddName(QStringLiteral("B"), QStringLiteral("poire"));
    AddName(QStringLiteral("B"), QStringLiteral("Pâte"));
    const QStringList Sorted = {QStringLiteral("Pâte"), QStringLiteral("poire"), QStringLiteral("Pomme")};
    EXPECT_EQ(Names(QStringLiteral("select * from n order by name")), Sorted);
    EXPECT_EQ(Names(QStringLiteral("SELECT * FROM n ORDER BY name")), Sorted);
    EXPECT_EQ(Names(QStringLiteral("select * from n Order By n.name")), Sorted);
    // Two blanks: no collation, the engine's byte order.
    EXPECT_EQ(Names(QStringLiteral("select * from n order  by name")),
              (QStringList{QStringLiteral("Pomme"), QStringLiteral("Pâte"), QStringLiteral("poire")}));
    // Without ORDER BY nothing is appended (the text would not compile otherwise).
    EXPECT_EQ(Names(QStringLiteral("select * from n where name = 'poire'")), QStringList{QStringLiteral("poire")});

    // Only the last term is collated: the groups keep the byte order ("B" before "b").
    AddName(QStringLiteral("b"), QStringLiteral("abricot"));
    EXPECT_EQ(Names(QStringLiteral("select * from n order by grp, name")),
              (QStringList{QStringLiteral("Pâte"), QStringLiteral("poire"), QStringLiteral("Pomme"),
                           QStringLiteral("abricot")}));
}

TEST_F(QlTest, TextsRoundTripAsUtf8)
{
    const QString Name = QStringLiteral("Crème brûlée à l'œuf « maison » \U0001F600");
    Db->AddParamText(":n", Name);
    Db->ExecSQL(QStringLiteral("insert into n (name) values (:n)"));
    EXPECT_TRUE(Db->Params.empty());
    // Stored as UTF-8 bytes.
    EXPECT_EQ(Db->TSQLiteDatabase::GetTableString(QStringLiteral("select name from n")), Name.toUtf8());
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select name from n")), Name);
    Db->AddParamText(":n", Name);
    const std::unique_ptr<TQlTable> T = Db->GetTable(QStringLiteral("select name, num from n where name = :n"));
    EXPECT_TRUE(Db->Params.empty());
    ASSERT_EQ(T->RowCount(), 1u);
    EXPECT_EQ(T->FieldAsString(QStringLiteral("NAME")), Name);
    // By index the bytes stay available as they are.
    EXPECT_EQ(T->FieldAsString(0), Name.toUtf8());
    // Numbers read by name as text are their decimal text.
    EXPECT_EQ(T->FieldAsString(QStringLiteral("num")), QStringLiteral("0"));
}

TEST_F(QlTest, BytesThatAreNotUtf8ReadAsEmpty)
{
    Db->ExecSQL(QStringLiteral("insert into n (name) values (cast(x'50e27465' as text))"));
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select name from n")), QString());
    const std::unique_ptr<TQlTable> T = Db->GetTable(QStringLiteral("select name from n"));
    EXPECT_EQ(T->FieldAsString(QStringLiteral("name")), QString());
    EXPECT_EQ(T->FieldAsString(0), QByteArray("P\xe2te"));
}

TEST_F(QlTest, IntegersByNameAreCutTo32Bits)
{
    Db->AddParamInt(":v", 4294967298LL); // 2^32 + 2
    Db->ExecSQL(QStringLiteral("insert into n (num) values (:v)"));
    Db->AddParamInt(":v", 2147483648LL);
    Db->ExecSQL(QStringLiteral("insert into n (num) values (:v)"));
    Db->AddParamFloat(":v", 2.75);
    Db->ExecSQL(QStringLiteral("insert into n (num) values (:v)"));
    const std::unique_ptr<TQlTable> T = Db->GetTable(QStringLiteral("select num from n order by rowid"));
    EXPECT_EQ(T->FieldAsInteger(QStringLiteral("num")), 2);
    EXPECT_EQ(T->FieldAsInteger(0), 4294967298LL);
    T->Next();
    EXPECT_EQ(T->FieldAsInteger(QStringLiteral("num")), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(T->FieldAsDouble(QStringLiteral("num")), 2147483648.0);
    T->Next();
    // A real stored in an INTEGER column reads truncated as an integer.
    EXPECT_EQ(T->FieldAsInteger(QStringLiteral("num")), 2);
}

TEST_F(QlTest, QueueEmptiedAfterEveryCall)
{
    // After a statement that fails at its step, the next one starts with an empty queue.
    Db->ExecSQL(QStringLiteral("create table u (name TEXT NOT NULL)"));
    Db->AddParamNull(":n");
    EXPECT_THROW(Db->ExecSQL(QStringLiteral("insert into u values (:n)")), ESQLiteException);
    EXPECT_TRUE(Db->Params.empty());

    // A query that does not compile keeps the queue for the next statement, whose own
    // parameters come after it: the later value of a name wins.
    Db->AddParamText(":n", QStringLiteral("stale"));
    EXPECT_THROW(Db->GetTable(QStringLiteral("select * from nowhere order by name")), ESQLiteException);
    EXPECT_EQ(Db->Params.size(), 1u);
    Db->AddParamText(":n", QStringLiteral("fresh"));
    Db->ExecSQL(QStringLiteral("insert into u values (:n)"));
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select name from u")), QStringLiteral("fresh"));
    EXPECT_TRUE(Db->Params.empty());
}

TEST_F(TempDbTest, CreateSwitchesForeignKeysOnAndWrapsFailures)
{
    const std::unique_ptr<TQlDatabase> Db = OpenQl();
    EXPECT_EQ(Db->GetTableString(QStringLiteral("PRAGMA foreign_keys")), QStringLiteral("1"));

    const QString Missing = Path(QStringLiteral("no/such/folder/x.db3"));
    try {
        TQlDatabase Bad(Missing);
        FAIL() << "opening a file in a missing folder should fail";
    } catch (const UserException &E) {
        EXPECT_EQ(E.Message, QStringLiteral("[TQlDatabase.Create] Failed to open database \"%1\" : unable to open "
                                            "database file")
                                 .arg(Missing));
        EXPECT_TRUE(E.UserMessage.isEmpty());
    }
}

TEST_F(TempDbTest, GlobalDatabaseIsOwnedByTheUnit)
{
    EXPECT_EQ(Database, nullptr);
    SetDatabase(OpenQl(QStringLiteral("one.db3")));
    ASSERT_NE(Database, nullptr);
    Database->ExecSQL(QStringLiteral("create table x (a)"));
    SetDatabase(OpenQl(QStringLiteral("two.db3")));
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from sqlite_master")), QStringLiteral("0"));
    FreeDatabase();
    EXPECT_EQ(Database, nullptr);
    FreeDatabase();
    EXPECT_EQ(Database, nullptr);
}
