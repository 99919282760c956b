#include "TestDatabase.h"

#include <QFile>

namespace {

class SQLiteTest : public TempDbTest
{
protected:
    void SetUp() override
    {
        TempDbTest::SetUp();
        Db = std::make_unique<TSQLiteDatabase>(Path(QStringLiteral("base.db3")));
        Db->ExecSQL(QStringLiteral("create table t (a INTEGER, b TEXT)"));
    }

    // The rows of t as "a|b", NULL as "-".
    QStringList Rows()
    {
        QStringList Result;
        TSQLiteTable T(*Db, QStringLiteral("select a, ifnull(b, '-') from t order by rowid"));
        for (; !T.Eof(); T.Next())
            Result << QString::fromUtf8(T.FieldAsString(0)) + QLatin1Char('|') + QString::fromUtf8(T.FieldAsString(1));
        return Result;
    }

    std::unique_ptr<TSQLiteDatabase> Db;
};

} // namespace

TEST(SQLiteErrorText, KnownCodesAndFallback)
{
    EXPECT_EQ(SQLiteErrorText(0), QStringLiteral("Successful result"));
    EXPECT_EQ(SQLiteErrorText(19), QStringLiteral("Abort due to contraint violation"));
    EXPECT_EQ(SQLiteErrorText(26), QStringLiteral("File opened that is not a database file"));
    EXPECT_EQ(SQLiteErrorText(100), QStringLiteral("sqlite3_step() has another row ready"));
    EXPECT_EQ(SQLiteErrorText(101), QStringLiteral("sqlite3_step() has finished executing"));
    EXPECT_EQ(SQLiteErrorText(27), QStringLiteral("Unknown SQLite Error Code \"27\""));
    EXPECT_EQ(SQLiteErrorText(99), QStringLiteral("Unknown SQLite Error Code \"99\""));
    EXPECT_EQ(SQLiteErrorText(102), QStringLiteral("Unknown SQLite Error Code \"102\""));
    EXPECT_EQ(SQLiteErrorText(-1), QStringLiteral("Unknown SQLite Error Code \"-1\""));
}

TEST_F(TempDbTest, OpenFailureNamesTheFile)
{
    const QString Missing = Path(QStringLiteral("no/such/folder/x.db3"));
    EXPECT_EQ(ErrorOf([&] { TSQLiteDatabase Db(Missing); }),
              QStringLiteral("Failed to open database \"%1\" : unable to open database file").arg(Missing));
}

TEST_F(SQLiteTest, ErrorMessagesFollowTheEngineFormat)
{
    // Compile failure: the message, the code and its text, the SQL and the engine's words,
    // separated by carriage returns.
    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("selec 1")); }),
              QStringLiteral("Error executing SQL.\rError [1]: SQL error or missing database.\r\"selec 1\": "
                             "near \"selec\": syntax error"));
    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("  -- nothing but a comment")); }),
              QStringLiteral("Could not prepare SQL statement"));

    // Step failure.
    Db->ExecSQL(QStringLiteral("create table u (n TEXT UNIQUE)"));
    Db->ExecSQL(QStringLiteral("insert into u values ('x')"));
    EXPECT_EQ(ErrorOf([&] { Db->ExecSQL(QStringLiteral("insert into u values ('x')")); }),
              QStringLiteral("Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r"
                             "\"insert into u values ('x')\": UNIQUE constraint failed: u.n"));

    // A statement yielding a row is not something ExecSQL runs.
    EXPECT_TRUE(ErrorOf([&] {
                    Db->ExecSQL(QStringLiteral("select 1"));
                }).startsWith(QStringLiteral("Error executing SQL statement")));

    // Reading a missing table fails while compiling the query.
    EXPECT_TRUE(ErrorOf([&] {
                    TSQLiteTable T(*Db, QStringLiteral("select * from nowhere"));
                }).startsWith(QStringLiteral("Error executing SQL.\rError [1]: SQL error or missing database.\r")));

    // None of these left a statement behind, and the connection still works.
    EXPECT_TRUE(NoOpenStatement(*Db));
    Db->ExecSQL(QStringLiteral("insert into t values (1, 'ok')"));
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("1|ok")});
}

TEST_F(SQLiteTest, ExecSqlRunsOnlyTheFirstStatement)
{
    Db->ExecSQL(QStringLiteral("insert into t values (1, 'a'); insert into t values (2, 'b')"));
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("1|a")});
}

TEST_F(SQLiteTest, ParameterQueue)
{
    // Unknown names are skipped, names not queued stay NULL, a name queued twice takes the
    // later value, and the text goes in byte for byte.
    Db->AddParamInt(":nope", 7);
    Db->AddParamInt(":a", 1);
    Db->AddParamInt(":a", 2);
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_TRUE(Db->Params.empty());
    Db->AddParamText(":b", QByteArray("caf\xc3\xa9 \x01"));
    Db->AddParamFloat(":a", 2.5);
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    Db->AddParamNull(":a");
    Db->AddParamText(":b", QByteArray());
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("2|-"), QStringLiteral("2|caf\u00e9 \u0001"), QStringLiteral("0|")}));

    // The queue is emptied by a statement that fails at its step...
    Db->ExecSQL(QStringLiteral("create table u (n TEXT UNIQUE)"));
    Db->AddParamText(":n", "x");
    Db->ExecSQL(QStringLiteral("insert into u values (:n)"));
    Db->AddParamText(":n", "x");
    EXPECT_THROW(Db->ExecSQL(QStringLiteral("insert into u values (:n)")), ESQLiteException);
    EXPECT_TRUE(Db->Params.empty());

    // ...but one that does not compile leaves it for the next statement.
    Db->AddParamInt(":a", 42);
    EXPECT_THROW(Db->ExecSQL(QStringLiteral("insert into nowhere values (:a)")), ESQLiteException);
    ASSERT_EQ(Db->Params.size(), 1u);
    Db->AddParamText(":b", "late");
    Db->ExecSQL(QStringLiteral("insert into t values (:a, :b)"));
    EXPECT_EQ(Rows().last(), QStringLiteral("42|late"));

    // Tables and cursors consume the queue too.
    Db->AddParamInt(":a", 42);
    TSQLiteTable T(*Db, QStringLiteral("select b from t where a = :a"));
    EXPECT_TRUE(Db->Params.empty());
    EXPECT_EQ(T.FieldAsString(0), QByteArray("late"));
    Db->AddParamInt(":a", 42);
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t where a = :a")), QByteArray("late"));
    EXPECT_TRUE(Db->Params.empty());

    Db->AddParamInt(":a", 1);
    Db->ParamsClear();
    EXPECT_TRUE(Db->Params.empty());
}

TEST_F(SQLiteTest, GetTableStringAndForwardCursor)
{
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t")), QByteArray());
    Db->ExecSQL(QStringLiteral("insert into t values (NULL, NULL)"));
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t")), QByteArray());
    Db->ExecSQL(QStringLiteral("insert into t values (2, 'two')"));
    Db->ExecSQL(QStringLiteral("insert into t values (3, 'three')"));
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select b from t where a is not null order by a")), QByteArray("two"));
    EXPECT_EQ(Db->GetTableString(QStringLiteral("select count(*) from t")), QByteArray("3"));

    const std::unique_ptr<TSQLiteUniTable> U = Db->GetUniTable(QStringLiteral("select a, b as Name from t order by a"));
    EXPECT_EQ(U->ColCount(), 2);
    EXPECT_EQ(U->Cols(), (QStringList{QStringLiteral("A"), QStringLiteral("NAME")}));
    EXPECT_FALSE(U->Eof());
    EXPECT_EQ(U->Row(), 1u);
    EXPECT_EQ(U->FieldAsString(1), QByteArray());
    EXPECT_TRUE(U->Next());
    EXPECT_EQ(U->FieldAsString(0), QByteArray("2"));
    EXPECT_TRUE(U->Next());
    EXPECT_FALSE(U->Next());
    EXPECT_TRUE(U->Eof());
    EXPECT_EQ(U->Row(), 3u);
}

TEST_F(SQLiteTest, PreparedStatements)
{
    {
        const TSQLiteQuery Q = Db->PrepareSQL(QStringLiteral("insert into t (a) values (?)"));
        EXPECT_EQ(Q.SQL, QStringLiteral("insert into t (a) values (?)"));
        for (int I = 1; I <= 3; ++I) {
            Db->BindSQL(Q, 1, I * 10);
            Db->ExecQuery(Q);
        }
        Db->ReleaseSQL(Q);
    }
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("10|-"), QStringLiteral("20|-"), QStringLiteral("30|-")}));
    EXPECT_TRUE(NoOpenStatement(*Db));

    // The named queue is neither bound nor emptied by prepared statements.
    Db->AddParamInt(":a", 5);
    const TSQLiteQuery Q = Db->PrepareSQL(QStringLiteral("select 1"));
    EXPECT_EQ(Db->Params.size(), 1u);
    EXPECT_EQ(ErrorOf([&] { Db->ExecQuery(Q); }), QStringLiteral("Error executing prepared SQL statement"));
    Db->ReleaseSQL(Q);
    Db->ParamsClear();

    // A query without a statement.
    TSQLiteQuery Empty;
    Empty.SQL = QStringLiteral("update t set a = ?");
    EXPECT_NO_THROW(Db->ExecQuery(Empty));
    EXPECT_EQ(ErrorOf([&] { Db->BindSQL(Empty, 1, 1); }),
              QStringLiteral("Could not bind integer to prepared SQL statement"));
    EXPECT_EQ(ErrorOf([&] { Db->ReleaseSQL(Empty); }), QStringLiteral("Could not release prepared SQL statement"));
    EXPECT_TRUE(ErrorOf([&] {
                    Db->PrepareSQL(QStringLiteral("updat t"));
                }).startsWith(QStringLiteral("Error executing SQL.\rError [1]")));
    EXPECT_EQ(ErrorOf([&] { Db->PrepareSQL(QStringLiteral(" ")); }), QStringLiteral("Could not prepare SQL statement"));
    EXPECT_TRUE(NoOpenStatement(*Db));
}

TEST_F(SQLiteTest, QueryGuardFinalizesOnEveryWayOut)
{
    // A caller that fails between prepare and release leaks nothing.
    EXPECT_THROW(
        {
            TSQLiteQueryGuard G(*Db, QStringLiteral("insert into t (a) values (?)"));
            Db->BindSQL(G.Query(), 1, 1);
            Db->ExecQuery(G.Query());
            throw Exception(QStringLiteral("caller fails"));
        },
        Exception);
    EXPECT_TRUE(NoOpenStatement(*Db));
    {
        TSQLiteQueryGuard G(*Db, QStringLiteral("insert into t (a) values (?)"));
        Db->BindSQL(G.Query(), 1, 2);
        Db->ExecQuery(G.Query());
        G.Release();
        EXPECT_TRUE(NoOpenStatement(*Db));
        EXPECT_EQ(G.Query().Statement, nullptr);
    }
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("1|-"), QStringLiteral("2|-")}));
}

TEST_F(SQLiteTest, ExecScriptRunsEveryStatementUntilOneFails)
{
    // The engine finds where each statement ends: ";" in comments, literals and trigger
    // bodies does not cut one short.
    const QString Script = QStringLiteral("-- a comment; with a semicolon\n"
                                          "create trigger t_ins after insert on t begin\n"
                                          "    update t set b = b || '; fired' where a = new.a;\n"
                                          "end;\n"
                                          "insert into t values (1, 'a;b'); select * from t;\n"
                                          "insert into nowhere values (1);\n"
                                          "insert into t values (2, 'never');");
    // A failure names the failing statement; those before it stay applied.
    EXPECT_EQ(ErrorOf([&] { Db->ExecScript(Script); }),
              QStringLiteral("Error executing SQL.\rError [1]: SQL error or missing database.\r"
                             "\"insert into nowhere values (1);\": no such table: nowhere"));
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("1|a;b; fired")});
    EXPECT_TRUE(NoOpenStatement(*Db));
}
TEST_F(SQLiteTest, ColumnTypesFromDeclarationOrFirstValue)
{
    // The engine itself reports the standard type names it knows in upper case ("integer"
    // comes back as "INTEGER"); any other spelling is compared as written.
    Db->ExecSQL(QStringLiteral("create table k (i INTEGER, i2 int, i3 Integer(8), r REAL, f FLOAT, d DOUBLE, "
                               "n NUMERIC, bo BOOLEAN, bl BLOB, tx TEXT, v VARCHAR(50), dt DATETIME, u)"));
    Db->ExecSQL(QStringLiteral("insert into k values (7, 8, 9, 2.9, -2.9, 1.5, 2, 1, x'00ff41', 'txt', 'v', "
                               "'2024-01-02', 'free')"));
    Db->ExecSQL(QStringLiteral("insert into k values (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, x'', NULL, "
                               "NULL, NULL, NULL)"));
    TSQLiteTable T(*Db, QStringLiteral("select * from k"));
    EXPECT_EQ(T.ColTypes(), (std::vector<int>{dtInt, dtStr, dtStr, dtNumeric, dtNumeric, dtNumeric, dtNumeric, dtInt,
                                              dtBlob, dtStr, dtStr, dtStr, dtStr}));
    EXPECT_EQ(T.ColCount(), 13u);
    EXPECT_EQ(T.RowCount(), 2u);

    // First row: values read by their column's type.
    EXPECT_EQ(T.FieldAsInteger(0), 7);
    EXPECT_EQ(T.FieldAsString(1), QByteArray("8"));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(1); }), QStringLiteral("Not an integer or numeric field"));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsDouble(2); }), QStringLiteral("Not an integer or numeric field"));
    EXPECT_EQ(T.FieldAsInteger(3), 2);
    EXPECT_EQ(T.FieldAsInteger(4), -2);
    EXPECT_DOUBLE_EQ(T.FieldAsDouble(3), 2.9);
    EXPECT_EQ(T.FieldAsString(3), QByteArray("2,9"));
    EXPECT_EQ(T.FieldAsString(6), QByteArray("2"));
    EXPECT_DOUBLE_EQ(T.FieldAsDouble(0), 7.0);
    EXPECT_EQ(T.FieldAsBlob(8), QByteArray("\x00\xff\x41", 3));
    EXPECT_EQ(T.FieldAsBlobText(8), QByteArray("\x00\xff\x41", 3));
    EXPECT_EQ(T.FieldAsString(8), QByteArray("\x00\xff\x41", 3));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsBlob(9); }), QStringLiteral("Not a Blob field"));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(8); }), QStringLiteral("Not an integer or numeric field"));

    // Second row: NULL reads as 0 in number columns and as the empty text elsewhere; an empty
    // blob is no value.
    ASSERT_TRUE(T.Next());
    EXPECT_EQ(T.FieldAsInteger(0), 0);
    EXPECT_EQ(T.FieldAsString(0), QByteArray("0"));
    EXPECT_EQ(T.FieldAsString(3), QByteArray("0"));
    EXPECT_EQ(T.FieldAsString(9), QByteArray());
    EXPECT_EQ(T.FieldAsInteger(9), 0);
    EXPECT_TRUE(T.FieldAsBlob(8).isNull());
    EXPECT_EQ(T.FieldAsBlobText(8), QByteArray());
}

TEST_F(SQLiteTest, ExpressionAndAliasColumns)
{
    Db->ExecSQL(QStringLiteral("create table q (code INTEGER, qty REAL, name TEXT)"));
    Db->ExecSQL(QStringLiteral("insert into q values (1, 1.5, 'a')"));
    Db->ExecSQL(QStringLiteral("insert into q values (2, 2, NULL)"));
    {
        TSQLiteTable T(*Db, QStringLiteral("select count(*), total(qty), total(code) from q"));
        EXPECT_EQ(T.ColTypes(), (std::vector<int>{dtInt, dtNumeric, dtNumeric}));
        EXPECT_EQ(T.FieldAsInteger(0), 2);
        EXPECT_DOUBLE_EQ(T.FieldAsDouble(1), 3.5);
        EXPECT_EQ(T.FieldAsString(2), QByteArray("3"));
    }
    {
        TSQLiteTable T(*Db, QStringLiteral("select q.code as unitcode, ifnull(name, code), ifnull(code, name) from "
                                           "q order by code"));
        EXPECT_EQ(T.ColTypes(), (std::vector<int>{dtInt, dtStr, dtInt}));
        EXPECT_EQ(T.FieldAsInteger(T.FieldIndex(QStringLiteral("UnitCode"))), 1);
        EXPECT_EQ(T.FieldAsString(1), QByteArray("a"));
        ASSERT_TRUE(T.Next());
        EXPECT_EQ(T.FieldAsString(1), QByteArray("2"));
    }
    {
        // An expression whose first value is NULL has no type: it reads as the empty text in
        // every row, and not as a number.
        TSQLiteTable T(*Db, QStringLiteral("select name || 'x' as e from q order by code desc"));
        EXPECT_EQ(T.ColTypes(), std::vector<int>{dtNull});
        EXPECT_EQ(T.FieldAsString(0), QByteArray());
        ASSERT_TRUE(T.Next());
        EXPECT_EQ(T.FieldAsString(0), QByteArray());
        EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(0); }), QStringLiteral("Not an integer or numeric field"));
    }
    {
        // A column reading a text from an integer-typed first row converts every later value.
        TSQLiteTable T(*Db, QStringLiteral("select ifnull(name, code) as v from q order by code desc"));
        EXPECT_EQ(T.ColTypes(), std::vector<int>{dtInt});
        EXPECT_EQ(T.FieldAsInteger(0), 2);
        ASSERT_TRUE(T.Next());
        EXPECT_EQ(T.FieldAsInteger(0), 0);
    }
}

TEST_F(SQLiteTest, CursorAndFieldNames)
{
    {
        TSQLiteTable T(*Db, QStringLiteral("select a, b from t"));
        EXPECT_EQ(T.RowCount(), 0u);
        EXPECT_EQ(T.ColCount(), 0u);
        EXPECT_TRUE(T.Eof());
        EXPECT_FALSE(T.MoveTo(0));
        EXPECT_FALSE(T.Next());
        EXPECT_EQ(ErrorOf([&] { T.FieldIndex(QStringLiteral("a")); }),
                  QStringLiteral("Field a Not found. Empty dataset"));
        EXPECT_EQ(ErrorOf([&] { T.FieldAsStringByName(QStringLiteral("Name")); }),
                  QStringLiteral("Field Name Not found. Empty dataset"));
        EXPECT_EQ(ErrorOf([&] { T.FieldAsString(0); }), QStringLiteral("Table is at End of File"));
    }
    for (int I = 1; I <= 3; ++I)
        Db->ExecSQL(QStringLiteral("insert into t values (%1, 'r%1')").arg(I));
    TSQLiteTable T(*Db, QStringLiteral("select a, b, a * 10 as B from t order by a"));
    EXPECT_EQ(T.Cols(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B")}));
    EXPECT_EQ(T.Row(), 0u);
    // Names without regard to case, the first of two equal names winning.
    EXPECT_EQ(T.FieldIndex(QStringLiteral("b")), 1);
    EXPECT_EQ(T.FieldAsStringByName(QStringLiteral("B")), QByteArray("r1"));
    EXPECT_EQ(ErrorOf([&] { T.FieldIndex(QStringLiteral("Nope")); }),
              QStringLiteral("Field not found in dataset: Nope"));

    EXPECT_TRUE(T.MoveTo(2));
    EXPECT_EQ(T.FieldAsInteger(0), 3);
    EXPECT_FALSE(T.MoveTo(3));
    EXPECT_EQ(T.Row(), 2u);
    // Next on the last row steps past it and still answers true; once more, false.
    EXPECT_TRUE(T.Next());
    EXPECT_TRUE(T.Eof());
    EXPECT_FALSE(T.Next());
    EXPECT_EQ(T.Row(), 3u);
    EXPECT_EQ(ErrorOf([&] { T.FieldAsInteger(0); }), QStringLiteral("Table is at End of File"));
    EXPECT_EQ(ErrorOf([&] { T.FieldAsBlob(0); }), QStringLiteral("Table is at End of File"));
    EXPECT_TRUE(T.MoveTo(0));
    EXPECT_EQ(T.FieldAsString(1), QByteArray("r1"));
    // A column outside the row raises instead of reading past the cells.
    EXPECT_THROW(T.FieldAsString(3), ESQLiteException);
    EXPECT_THROW(T.FieldAsInteger(-1), ESQLiteException);
}

TEST_F(SQLiteTest, ManyRowsKeepEveryCell)
{
    // Enough rows and text to make the cell vector and the byte arena grow several times.
    Db->ExecSQL(QStringLiteral("create table big (code INTEGER, name TEXT, qty REAL)"));
    {
        TSQLiteTransaction Tr(*Db);
        TSQLiteQueryGuard G(*Db, QStringLiteral("insert into big values (?, 'name number ' || ?1, ?1 / 4.0)"));
        for (int I = 0; I < 5000; ++I) {
            Db->BindSQL(G.Query(), 1, I);
            Db->ExecQuery(G.Query());
        }
        Tr.Commit();
    }
    TSQLiteTable T(*Db, QStringLiteral("select * from big order by code"));
    ASSERT_EQ(T.RowCount(), 5000u);
    for (quint32 I : {0u, 1u, 2500u, 4999u}) {
        ASSERT_TRUE(T.MoveTo(I));
        EXPECT_EQ(T.FieldAsInteger(0), qint64(I));
        EXPECT_EQ(T.FieldAsString(1), QByteArray("name number ") + QByteArray::number(I));
        EXPECT_DOUBLE_EQ(T.FieldAsDouble(2), I / 4.0);
    }
}
