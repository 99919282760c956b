#include "TestDatabase.h"

#include <functional>

namespace {

class SQLiteTest : public TempDbTest<TSQLiteDatabase>
{
protected:
    void SetUp() override
    {
        Db->ExecSQL(QStringLiteral("create table t (a INTEGER, b TEXT)"));
        Db->ExecSQL(QStringLiteral("create table u (n TEXT UNIQUE NOT NULL)"));
    }

    // The rows of t as "a|b", NULL as "-".
    QStringList Rows()
    {
        QStringList Result;
        TSQLiteTable T(*Db, QStringLiteral("select a, ifnull(b, '-') from t order by rowid"));
        for (; !T.Eof(); T.Next())
            Result << QString::fromUtf8(T.FieldAsString(0) + '|' + T.FieldAsString(1));
        return Result;
    }
};

} // namespace

TEST_F(SQLiteTest, ErrorTextsAndNoLeakedStatement)
{
    EXPECT_EQ(SQLiteErrorText(27), QStringLiteral("Unknown SQLite Error Code \"27\""));
    const QString Missing = Path(QStringLiteral("no/such/folder/x.db3"));
    EXPECT_EQ(ErrorOf([&] { TSQLiteDatabase Bad(Missing); }),
              QStringLiteral("Failed to open database \"%1\" : unable to open database file").arg(Missing));

    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("selec 1")); }),
              QStringLiteral("Error executing SQL.\rError [1]: SQL error or missing database.\r\"selec 1\": "
                             "near \"selec\": syntax error"));
    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("  -- nothing but a comment")); }),
              QStringLiteral("Could not prepare SQL statement"));
    Db->ExecSQL(QStringLiteral("insert into u values ('x')"));
    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("insert into u values ('x')")); }),
              QStringLiteral("Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r"
                             "\"insert into u values ('x')\": UNIQUE constraint failed: u.n"));
    EXPECT_THROW({ TSQLiteTable T(*Db, QStringLiteral("select * from nowhere")); }, ESQLiteException);
    EXPECT_TRUE(NoOpenStatement(*Db));

    // Only the first statement of a text runs.
    Db->ExecSQL(QStringLiteral("insert into t values (1, 'a'); insert into t values (2, 'b')"));
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("1|a")});
}

TEST_F(SQLiteTest, ParameterQueue)
{
    // Unknown names are skipped, names not queued stay NULL, the later value of a name wins,
    // and text goes in byte for byte.
    Db->AddParamInt(":nope", 7);
    Db->AddParamInt(":a", 1);
    Db->AddParamInt(":a", 2);
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_TRUE(Db->Params.empty());
    Db->AddParamText(":b", QByteArray("caf\xc3\xa9"));
    Db->AddParamFloat(":a", 2.5);
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("2|-"), QStringLiteral("2|café")}));

    // A statement failing at its step empties the queue; one that does not compile leaves it.
    Db->AddParamNull(":n");
    EXPECT_THROW(Db->ExecSQL(QStringLiteral("insert into u values (:n)")), ESQLiteException);
    EXPECT_TRUE(Db->Params.empty());
    Db->AddParamInt(":a", 42);
    EXPECT_THROW(Db->ExecSQL(QStringLiteral("insert into nowhere values (:a)")), ESQLiteException);
    Db->AddParamText(":b", "late");
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_EQ(Rows().last(), QStringLiteral("42|late"));

    // Queries take the queue too.
    Db->AddParamInt(":a", 42);
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t where a = :a")), QByteArray("late"));
    EXPECT_TRUE(Db->Params.empty());
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t where a = 99")), QByteArray());
}

TEST_F(SQLiteTest, PreparedStatementsAndScripts)
{
    {
        // The named queue is neither bound nor emptied by a prepared statement.
        Db->AddParamInt(":a", 5);
        TSQLiteQueryGuard G(*Db, QStringLiteral("insert into t (a) values (?)"));
        for (int I = 1; I <= 2; ++I) {
            Db->BindSQL(G.Query(), 1, I * 10);
            Db->ExecQuery(G.Query());
        }
        EXPECT_EQ(Db->Params.size(), 1u);
        Db->ParamsClear();
    }
    EXPECT_TRUE(NoOpenStatement(*Db));
    // A caller failing between prepare and release leaks nothing either.
    EXPECT_THROW(
        {
            TSQLiteQueryGuard G(*Db, QStringLiteral("select 1"));
            Db->ExecQuery(G.Query());
        },
        ESQLiteException);
    EXPECT_TRUE(NoOpenStatement(*Db));
    EXPECT_EQ(ErrorOf([&] { Db->BindSQL(TSQLiteQuery(), 1, 1); }),
              QStringLiteral("Could not bind integer to prepared SQL statement"));

    // The engine finds where each statement ends (the shipped schema's triggers run the same
    // way); a failure names its statement and leaves those before it applied.
    EXPECT_EQ(ErrorOf([&] {
                  Db->ExecScript(QStringLiteral("insert into t values (1, 'a;b'); select * from t;\n"
                                                "insert into nowhere values (1);\ninsert into t values (2, 'never');"));
              }),
              QStringLiteral("Error executing SQL.\rError [1]: SQL error or missing database.\r"
                             "\"insert into nowhere values (1);\": no such table: nowhere"));
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("10|-"), QStringLiteral("20|-"), QStringLiteral("1|a;b")}));
    EXPECT_TRUE(NoOpenStatement(*Db));

    // A table read again and again from one statement: each run starts afresh, a parameter
    // left out of the queue is NULL again, and a change of the schema meanwhile is no matter.
    const QString Select = QStringLiteral("select a, b from t where a = :a or b = :b");
    const TSQLiteStatement Statement = Db->PrepareStatement(Select);
    const auto Read = [&] {
        TSQLiteTable Table(*Db, Statement, Select);
        QStringList Result;
        for (; !Table.Eof(); Table.Next())
            Result << QString::fromUtf8(Table.FieldAsString(0) + '|' + Table.FieldAsString(1));
        return Result.join(QLatin1Char(';'));
    };
    Db->AddParamInt(":a", 10);
    Db->AddParamText(":b", "a;b");
    EXPECT_EQ(Read(), QStringLiteral("10|;1|a;b"));
    Db->AddParamInt(":a", 20);
    EXPECT_EQ(Read(), QStringLiteral("20|"));
    Db->ExecSQL(QStringLiteral("create table v (x)"));
    Db->AddParamInt(":a", 1);
    EXPECT_EQ(Read(), QStringLiteral("1|a;b"));
}

TEST_F(SQLiteTest, AFullDatabaseSaysSoInFrenchWhateverTheStatement)
{
    // The file may not grow past the pages it holds now, as on a disk without room.
    Db->GetTableString(QStringLiteral("PRAGMA max_page_count = ") +
                       QString::fromLatin1(Db->GetTableString(QStringLiteral("PRAGMA page_count"))));
    for (const auto &Statement : std::initializer_list<std::function<void()>>{
             [&] { Db->ExecSQL(QStringLiteral("insert into t (b) values (randomblob(65536))")); },
             [&] {
                 TSQLiteQueryGuard Query(*Db, QStringLiteral("insert into t (b) values (randomblob(65536))"));
                 Db->ExecQuery(Query.Query());
             }}) {
        const TFailure Failure = FailureOf(Statement);
        EXPECT_EQ(Failure.UserMessage,
                  QStringLiteral("La base de données n'a pas pu être modifiée : le disque est plein."));
        // The engine's own words stay in the log.
        EXPECT_TRUE(Failure.Message.contains(QStringLiteral("database or disk is full")))
            << Failure.Message.toStdString();
    }
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(NoOpenStatement(*Db));
}

TEST_F(SQLiteTest, ColumnTypesFromDeclarationOrFirstValue)
{
    // Declared types as the engine reports them ("integer" comes back "INTEGER"), else the
    // first row's value; NULL reads as 0 in number columns and "" elsewhere.
    Db->ExecSQL(QStringLiteral("create table k (i integer, i2 int, r REAL, bo BOOLEAN, bl BLOB, tx TEXT, u)"));
    Db->ExecSQL(QStringLiteral("insert into k values (7, 8, 2.9, 1, x'00ff41', 'txt', 'free')"));
    Db->ExecSQL(QStringLiteral("insert into k values (NULL, NULL, NULL, NULL, x'', NULL, NULL)"));
    TSQLiteTable T(*Db, QStringLiteral("select *, i * 2 as e, case when i is null then 'late' end as n from k"));
    EXPECT_EQ(T.ColTypes(), (std::vector<int>{dtInt, dtStr, dtNumeric, dtInt, dtBlob, dtStr, dtStr, dtInt, dtNull}));
    EXPECT_EQ(T.FieldAsString(1), QByteArray("8"));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(1); }), QStringLiteral("Not an integer or numeric field"));
    EXPECT_EQ(T.FieldAsInteger(2), 2);
    EXPECT_EQ(T.FieldAsString(2), QByteArray("2,9"));
    EXPECT_EQ(T.FieldAsBlob(4), QByteArray("\x00\xff\x41", 3));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsBlob(5); }), QStringLiteral("Not a Blob field"));
    EXPECT_EQ(T.FieldAsInteger(7), 14);
    ASSERT_TRUE(T.Next());
    EXPECT_EQ(T.FieldAsString(0) + T.FieldAsString(2), QByteArray("00"));
    EXPECT_EQ(T.FieldAsString(5), QByteArray());
    EXPECT_TRUE(T.FieldAsBlob(4).isNull());
    // A column without a type reads as the empty text in every row, and not as a number.
    EXPECT_EQ(T.FieldAsString(8), QByteArray());
    EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(8); }), QStringLiteral("Not an integer or numeric field"));
}

TEST_F(SQLiteTest, CursorAndFieldNames)
{
    {
        TSQLiteTable Empty(*Db, QStringLiteral("select a, b from t"));
        EXPECT_TRUE(Empty.Eof());
        EXPECT_FALSE(Empty.Next());
        EXPECT_EQ(ErrorOf([&] { Empty.FieldIndex(QStringLiteral("a")); }),
                  QStringLiteral("Field a Not found. Empty dataset"));
        EXPECT_EQ(ErrorOf([&] { Empty.FieldAsString(0); }), QStringLiteral("Table is at End of File"));
    }
    // Enough rows and text for the cells and their bytes to grow several times.
    Db->ExecSQL(QStringLiteral("with recursive c(i) as (select 0 union all select i + 1 from c where i < 4999) "
                               "insert into t select i, 'name number ' || i from c"));
    TSQLiteTable T(*Db, QStringLiteral("select a, b, a * 10 as B from t order by a"));
    ASSERT_EQ(T.RowCount(), 5000u);
    for (quint32 I : {4999u, 2500u, 0u}) {
        ASSERT_TRUE(T.MoveTo(I));
        EXPECT_EQ(T.FieldAsInteger(0), qint64(I));
        EXPECT_EQ(T.FieldAsString(1), "name number " + QByteArray::number(I));
    }
    // Names without regard to case, the first of two equal names winning.
    EXPECT_EQ(T.Cols(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B")}));
    EXPECT_EQ(T.FieldIndex(QStringLiteral("b")), 1);
    EXPECT_EQ(ErrorOf([&] { T.FieldIndex(QStringLiteral("Nope")); }),
              QStringLiteral("Field not found in dataset: Nope"));
    EXPECT_THROW(T.FieldAsString(3), ESQLiteException);
    EXPECT_FALSE(T.MoveTo(5000));
    // Next on the last row steps past it and still answers true; once more, false.
    ASSERT_TRUE(T.MoveTo(4999));
    EXPECT_TRUE(T.Next());
    EXPECT_TRUE(T.Eof());
    EXPECT_FALSE(T.Next());

    const std::unique_ptr<TSQLiteUniTable> U = Db->GetUniTable(QStringLiteral("select a, b as Name from t order by a"));
    EXPECT_EQ(U->Cols(), (QStringList{QStringLiteral("A"), QStringLiteral("NAME")}));
    EXPECT_TRUE(U->Next());
    EXPECT_EQ(U->FieldAsString(1), QByteArray("name number 1"));
}
