#include "TestDatabase.h"

#include "UnitTools.h"

#include <functional>
#include <initializer_list>

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

class QlTest : public TempDbTest<TQlDatabase>
{
protected:
    void SetUp() override { Db->ExecSQL(QStringLiteral("create table n (grp TEXT, name TEXT, num INTEGER)")); }

    void Add(const QString &Grp, const QString &Name)
    {
        Db->AddParamText(":g", Grp);
        Db->AddParamText(":n", Name);
        Db->ExecSQL(QStringLiteral("insert into n (grp, name) values (:g, :n)"));
    }

    QStringList Names(const QString &SQL)
    {
        QStringList Result;
        for (const std::unique_ptr<TQlTable> T = Db->GetTable(SQL); !T->Eof(); T->Next())
            Result << T->FieldAsString(QStringLiteral("name"));
        return Result;
    }
};

} // namespace

TEST(SystemCollate2, FoldsAsStrToAsciiAndLetsCaseDecideLast)
{
    // Case decides only between texts equal otherwise; a text before the longer ones it starts.
    const char *const Ordered[] = {"", "pate", "Pâte", "patf", "poire", "Pomme", "sel", "sel fin"};
    for (std::size_t I = 1; I < std::size(Ordered); ++I)
        EXPECT_EQ(Collate(QString::fromUtf8(Ordered[I - 1]), QString::fromUtf8(Ordered[I])), -1) << Ordered[I];
    EXPECT_EQ(Collate(QStringLiteral("pâte"), QStringLiteral("pate")), 0);

    // Whatever the characters, two texts compare as their StrToAscii foldings do, so the
    // collation and the type-ahead search agree.
    const QStringList Texts = {QStringLiteral("Œuf"),      QStringLiteral("Straße"),       QStringLiteral("ŁódźŻ"),
                               QStringLiteral("日本"),     QStringLiteral("x\U0001F600y"), QStringLiteral("x??y"),
                               QStringLiteral("a\u00a0b"), QStringLiteral("€uro"),         QStringLiteral("A")};
    for (const QString &A : Texts) {
        for (const QString &B : Texts)
            EXPECT_EQ(Collate(A, B), Collate(StrToAscii(A), StrToAscii(B)))
                << A.toStdString() << " / " << B.toStdString();
    }

    // Bytes that are not UTF-8 count as one "?" each, and nothing is read past the lengths.
    EXPECT_EQ(Collate(QByteArray("P\xe2te"), QByteArray("P?te")), 0);
    EXPECT_EQ(Collate(QByteArray("ab\xc3"), QByteArray("ab?")), 0);
    EXPECT_EQ(Collate(QByteArray("\xed\xa0\x80"), QByteArray("???")), 0);
    EXPECT_EQ(SystemCollate2(nullptr, 5, "abc\xc3\xa9zzz", 4, "abce"), 0);

    // The comparison skips the bytes both texts share: texts that part inside a character,
    // or after a stray byte, still order as the whole texts do.
    EXPECT_EQ(Collate(QStringLiteral("Tarte aux pêches"), QStringLiteral("Tarte aux pèches")), 0);
    EXPECT_EQ(Collate(QStringLiteral("Tarte aux pêches"), QStringLiteral("Tarte aux pommes")), -1);
    EXPECT_EQ(Collate(QStringLiteral("tarte aux Pommes"), QStringLiteral("Tarte aux pommes")), -1);
    EXPECT_EQ(Collate(QByteArray("ab\xc3\xa9x"), QByteArray("ab\xc3(x")), 1);
    EXPECT_EQ(Collate(QByteArray("ab\xe2\x82\xac"), QByteArray("ab\xe2\x82")), -1);
}

TEST(SystemCollate2, KeysMadeOnceCompareAsTheCollation)
{
    const QList<QByteArray> Texts = {
        "",
        "pate",
        "Pâte",
        "pâte",
        "PATE",
        "patE",
        "pat",
        "paté",
        "patf",
        "Tarte aux pêches",
        "Tarte aux pèches",
        "tarte aux Pommes",
        "Tarte aux pommes",
        "Œufs cocotte",
        "OEufs cocotte",
        "Straße",
        "xðy",
        "x??y",
        "x?Ãy",
        "Pâte",
        "abÃ",
        "í ",
        "aÂ "
        "b",
        "{",
        "~tilde",
        "Zèbre",
        "zebre",
        "ZEBRE",
    };
    for (const QByteArray &A : Texts) {
        std::string KeyA;
        AppendSystem2Key(A.constData(), A.size(), KeyA);
        for (const QByteArray &B : Texts) {
            // Keys are appended after others in one buffer.
            std::string Keys = "zz";
            AppendSystem2Key(B.constData(), B.size(), Keys);
            const int R = CompareSystem2Keys(KeyA.data(), KeyA.size(), Keys.data() + 2, Keys.size() - 2);
            EXPECT_EQ((R > 0) - (R < 0), Collate(A, B)) << A.toStdString() << " / " << B.toStdString();
        }
    }
}

TEST_F(QlTest, OrderedQueriesUseSystem2OnTheLastTerm)
{
    Add(QStringLiteral("B"), QStringLiteral("Pomme"));
    Add(QStringLiteral("B"), QStringLiteral("poire"));
    Add(QStringLiteral("B"), QStringLiteral("Pâte"));
    const QStringList Sorted = {QStringLiteral("Pâte"), QStringLiteral("poire"), QStringLiteral("Pomme")};
    EXPECT_EQ(Names(QStringLiteral("select * from n order by name")), Sorted);
    EXPECT_EQ(Names(QStringLiteral("SELECT * FROM n Order By n.name")), Sorted);
    // Two blanks: no collation, the engine's byte order.
    EXPECT_EQ(Names(QStringLiteral("select * from n order  by name")).first(), QStringLiteral("Pomme"));
    // Only the last term is collated: the groups keep the byte order ("B" before "b").
    Add(QStringLiteral("b"), QStringLiteral("abricot"));
    EXPECT_EQ(Names(QStringLiteral("select * from n order by grp, name")), Sorted + QStringList{"abricot"});
    EXPECT_EQ(Db->GetTableString(QStringLiteral("PRAGMA foreign_keys")), QStringLiteral("1"));
}

TEST_F(QlTest, TextsAndIntegersAsTheProgramReadsThem)
{
    // Stored as UTF-8, read back whole; bytes that are not UTF-8 read as empty by name.
    const QString Name = QStringLiteral("Crème brûlée à l'œuf « maison » \U0001F600");
    Db->AddParamText(":n", Name);
    Db->AddParamInt(":v", 4294967298LL); // 2^32 + 2
    Db->ExecSQL(QStringLiteral("insert into n (name, num) values (:n, :v)"));
    Db->ExecSQL(QStringLiteral("insert into n (name, num) values (cast(x'50e27465' as text), 2147483648)"));
    EXPECT_EQ(Db->TSQLiteDatabase::GetTableString(QStringLiteral("select name from n")), Name.toUtf8());
    Db->AddParamText(":n", Name);
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select name from n where name = :n")), Name);
    EXPECT_TRUE(Db->Params.empty());

    const std::unique_ptr<TQlTable> T = Db->GetTable(QStringLiteral("select name, num from n order by rowid"));
    EXPECT_EQ(T->FieldAsString(QStringLiteral("NAME")), Name);
    // By name an integer is cut to 32 bits; by index it stays whole.
    EXPECT_EQ(T->FieldAsInteger(QStringLiteral("num")), 2);
    EXPECT_EQ(T->FieldAsInteger(1), 4294967298LL);
    EXPECT_EQ(T->FieldAsString(QStringLiteral("num")), QStringLiteral("4294967298"));
    T->Next();
    EXPECT_EQ(T->FieldAsString(QStringLiteral("name")), QString());
    EXPECT_EQ(T->FieldAsString(0), QByteArray("P\xe2te"));
    EXPECT_EQ(T->FieldAsInteger(QStringLiteral("num")), -2147483647 - 1);
    EXPECT_EQ(UTF8Decode(QByteArray("\xc0\xaf")), QString());

    const QString Missing = Path(QStringLiteral("no/such/folder/x.db3"));
    const TFailure Failure = FailureOf([&] { TQlDatabase Bad(Missing); });
    EXPECT_EQ(Failure.Message,
              QStringLiteral("[TQlDatabase.Create] Failed to open database \"%1\" : unable to open database file")
                  .arg(Missing));
    EXPECT_EQ(Failure.UserMessage, QString());
}

TEST_F(QlTest, EveryStatementThatMeetsAnotherProgramsLockSaysSoInFrench)
{
    Add(QStringLiteral("A"), QStringLiteral("Pomme"));
    TOtherProgram Other(Path(QStringLiteral("test.db3")));
    // The program's own wait is tested with the working database; here it would only slow.
    sqlite3_busy_timeout(Db->Handle(), 0);
    const QString Busy = QStringLiteral("La base de données \"%1\" est utilisée par un autre programme. Fermez ce "
                                        "programme, puis réessayez.")
                             .arg(Path(QStringLiteral("test.db3")));
    for (const auto &Statement : std::initializer_list<std::function<void()>>{
             [&] { Add(QStringLiteral("A"), QStringLiteral("Poire")); },
             [&] { Db->GetTable(QStringLiteral("select * from n order by name")); },
             [&] { Db->GetTableString(QStringLiteral("select count(*) from n")); },
             // What the program runs below its own connection: a bare query, a prepared
             // statement, a statement read again and again, and a transaction's write.
             [&] { Db->TSQLiteDatabase::GetTableString(QStringLiteral("PRAGMA data_version")); },
             [&] {
                 TSQLiteQueryGuard Query(*Db, QStringLiteral("update n set num = 1"));
                 Db->ExecQuery(Query.Query());
             },
             [&] {
                 const TSQLiteStatement Statement = Db->PrepareStatement(QStringLiteral("select * from n"));
                 TQlTable Table(*Db, Statement, QStringLiteral("select * from n"));
             },
             [&] {
                 TSQLiteTransaction Transaction(*Db);
                 Db->TSQLiteDatabase::ExecSQL(QStringLiteral("delete from n"));
                 Transaction.Commit();
             }}) {
        const TFailure Failure = FailureOf(Statement);
        EXPECT_EQ(Failure.UserMessage, Busy);
        // The engine's own words stay in the log.
        EXPECT_FALSE(Failure.Message.isEmpty());
    }
}
