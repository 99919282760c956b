#include "TestDatabase.h"

#include "UnitConfig.h"
#include "UnitDb3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A program folder in a temporary folder: its settings file, its "sql" folder and its
// working database, with Config pointing at it.
class Db3Test : public TempDbTest
{
protected:
    void SetUp() override
    {
        TempDbTest::SetUp();
        Folder = Dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(Folder).mkpath(QStringLiteral("sql")));
        Cfg = std::make_unique<TConfig>(Folder + QStringLiteral("fenolda"));
        SavedConfig = Config;
        Config = Cfg.get();
        File = std::make_unique<TDb3File>(Folder);
    }

    void TearDown() override
    {
        FreeDatabase();
        Config = SavedConfig;
    }

    // The working database made from a SQL file, at the given stored version.
    void MakeWorkingDb(const QString &SqlFile, int Version)
    {
        {
            TSQLiteDatabase Db(File->DbFile);
            RunSqlFile(Db, SqlFile);
        }
        Config->SetDatabaseVersion(Version);
    }

    // A working database holding only the log table that the test scripts write to.
    void MakeLogDb(int Version)
    {
        {
            TSQLiteDatabase Db(File->DbFile);
            Db.ExecSQL(QStringLiteral("create table log (s TEXT)"));
        }
        Config->SetDatabaseVersion(Version);
    }

    void WriteScript(int Version, const QByteArray &Text)
    {
        QFile F(File->SqlDir + QStringLiteral("/update-%1.sql").arg(Version));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(Text);
    }

    void CopyShippedScripts()
    {
        for (int V = 1; V <= 2; ++V) {
            const QString Name = QStringLiteral("sql/update-%1.sql").arg(V);
            ASSERT_TRUE(QFile::copy(DataFile(Name), Folder + Name));
        }
    }

    QStringList Log()
    {
        QStringList Result;
        const std::unique_ptr<TQlTable> T = Database->GetTable(QStringLiteral("select s from log order by rowid"));
        for (; !T->Eof(); T->Next())
            Result << T->FieldAsString(QStringLiteral("s"));
        return Result;
    }

    // Tables with their columns (name, declared type, NOT NULL, default, key), indexes and
    // triggers of a database, for comparing two schemas.
    static QStringList SchemaOf(TQlDatabase &Db)
    {
        QStringList Result;
        const std::unique_ptr<TQlTable> Objects = Db.GetTable(
            QStringLiteral("select type, name from sqlite_master where name not like 'sqlite_%' order by type, name"));
        for (; !Objects->Eof(); Objects->Next()) {
            const QString Type = Objects->FieldAsString(QStringLiteral("type"));
            const QString Name = Objects->FieldAsString(QStringLiteral("name"));
            Result << Type + QLatin1Char(' ') + Name;
            if (Type != QLatin1String("table"))
                continue;
            const std::unique_ptr<TQlTable> Cols =
                Db.GetTable(QStringLiteral("select * from pragma_table_info('%1')").arg(Name));
            QStringList Columns;
            for (; !Cols->Eof(); Cols->Next()) {
                Columns << QStringList{Cols->FieldAsString(QStringLiteral("name")),
                                       Cols->FieldAsString(QStringLiteral("type")),
                                       Cols->FieldAsString(QStringLiteral("notnull")),
                                       Cols->FieldAsString(QStringLiteral("dflt_value")),
                                       Cols->FieldAsString(QStringLiteral("pk"))}
                               .join(QLatin1Char('/'));
            }
            Columns.sort();
            Result << QStringLiteral("  ") + Columns.join(QStringLiteral(", "));
        }
        return Result;
    }

    QString Folder;
    std::unique_ptr<TConfig> Cfg;
    TConfig *SavedConfig = nullptr;
    std::unique_ptr<TDb3File> File;
};

const QByteArray OneTwoScripts[] = {
    "--u\ninsert into log values ('1a');\n\n--u\ninsert into log values ('1b');\n\n",
    "-- comment\n--u\ninsert into log values ('2');\n\n",
};

} // namespace

TEST_F(Db3Test, ShippedScriptsBringOlderDatabasesToTheBaseSchema)
{
    std::unique_ptr<TQlDatabase> Reference = OpenQl(QStringLiteral("reference.db3"));
    RunSqlFile(*Reference, DataFile(QStringLiteral("schema.sql")));
    const QStringList Expected = SchemaOf(*Reference);
    CopyShippedScripts();

    for (int From : {0, 1}) {
        SCOPED_TRACE(From);
        FreeDatabase();
        QFile::remove(File->DbFile);
        MakeWorkingDb(FixtureFile(QStringLiteral("schema-v%1.sql").arg(From)), From);
        File->Open();
        File->Update();
        EXPECT_EQ(Config->GetDatabaseVersion(), 2);
        EXPECT_EQ(SchemaOf(*Database), Expected);
        EXPECT_EQ(Database->GetTableString(QStringLiteral("PRAGMA user_version")), QStringLiteral("2"));
        // The rows came through, stamped with change dates.
        EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from ingredients")), QStringLiteral("10"));
        EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from recette where inserted is null "
                                                          "or updated is null")),
                  QStringLiteral("0"));
    }
}

// Version 0 allowed one name twice in different case: the later one is renamed and keeps
// its recipe line.
TEST_F(Db3Test, VersionZeroRenamesNamesThatRepeat)
{
    CopyShippedScripts();
    MakeWorkingDb(FixtureFile(QStringLiteral("schema-v0.sql")), 0);
    File->Open();
    File->Update();
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select name from ingredient where code=8")),
              QStringLiteral("sucre en poudre (8)"));
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from ingredients where ingcode=8")),
              QStringLiteral("1"));
}

TEST_F(Db3Test, ScriptsRunInOrderFromTheStoredVersion)
{
    WriteScript(1, OneTwoScripts[0]);
    WriteScript(2, OneTwoScripts[1]);

    MakeLogDb(0);
    File->Open();
    File->Update();
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("1a"), QStringLiteral("1b"), QStringLiteral("2")}));
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);

    for (int Stored : {1, 2, 5}) {
        SCOPED_TRACE(Stored);
        Database->ExecSQL(QStringLiteral("delete from log"));
        Config->SetDatabaseVersion(Stored);
        File->Update();
        EXPECT_EQ(Log(), Stored == 1 ? QStringList{QStringLiteral("2")} : QStringList());
        EXPECT_EQ(Config->GetDatabaseVersion(), 2);
    }

    // A working file copied from the base in this run is already at the latest version.
    Database->ExecSQL(QStringLiteral("delete from log"));
    Config->SetDatabaseVersion(0);
    File->Created = true;
    File->Update();
    EXPECT_EQ(Log(), QStringList());
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
}

TEST_F(Db3Test, MissingScriptNamesItsFullPath)
{
    WriteScript(1, OneTwoScripts[0]);
    MakeLogDb(1);
    File->Open();
    try {
        File->Update();
        FAIL() << "a missing script should stop the update";
    } catch (const UserException &E) {
        const QString Expected = QStringLiteral("Impossible de mettre à jour la base de données, il manque le "
                                                "fichier SQL de migration \"%1\".")
                                     .arg(Folder + QStringLiteral("sql/update-2.sql"));
        EXPECT_EQ(E.UserMessage, Expected);
        EXPECT_EQ(E.Message, Expected);
    }
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    EXPECT_EQ(Log(), QStringList());
}

TEST_F(Db3Test, TagAndEndRulesOfTheScripts)
{
    const QByteArray Script = "-- What runs and what does not.\n"
                              "--u insert into log values ('on the tag line');\n"
                              "\n"
                              "--u\n"
                              "insert into log values ('first'); insert into log values ('second of the block');\n"
                              "\n"
                              "--u\n"
                              "insert into log values ('two\n"
                              "lines; text after the semicolon');\n"
                              "\n"
                              "--u\n"
                              "insert into log values ('the last');";
    struct
    {
        const char *Name;
        QByteArray Text;
        QString Literal;
    } const Cases[] = {
        {"LF", Script, QStringLiteral("two\nlines; text after the semicolon")},
        {"CR LF", QByteArray(Script).replace("\n", "\r\n"), QStringLiteral("two\r\nlines; text after the semicolon")},
        {"CR", QByteArray(Script).replace("\n", "\r"), QStringLiteral("two\rlines; text after the semicolon")},
    };
    MakeLogDb(1);
    File->Open();
    for (const auto &Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Database->ExecSQL(QStringLiteral("delete from log"));
        Config->SetDatabaseVersion(1);
        WriteScript(2, Case.Text);
        File->Update();
        // The statement's bytes reach the engine as the script holds them.
        EXPECT_EQ(Log(), (QStringList{QStringLiteral("first"), Case.Literal}));
    }
}

TEST_F(Db3Test, FailingScriptIsRolledBackAndRetriedCleanly)
{
    WriteScript(1, OneTwoScripts[0]);
    WriteScript(2, "--u\ninsert into log values ('2a');\n\n"
                   "--u\ninsert into nowhere values (1);\n\n"
                   "--u\ninsert into log values ('2c');\n\n");
    MakeLogDb(0);
    File->Open();
    try {
        File->Update();
        FAIL() << "the failing statement should stop the update";
    } catch (const UserException &) {
        FAIL() << "the statement's error goes on unchanged";
    } catch (const ESQLiteException &E) {
        EXPECT_TRUE(E.Message.startsWith(QStringLiteral("Error executing SQL.\rError [1]")));
        EXPECT_TRUE(E.Message.contains(QStringLiteral("no such table: nowhere")));
    }
    // The first script stays applied and recorded; the second left nothing behind.
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("1a"), QStringLiteral("1b")}));
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    EXPECT_EQ(sqlite3_get_autocommit(Database->Handle()), 1);

    // Next start, with the script mended: only the second script runs, from its start.
    WriteScript(2, "--u\ninsert into log values ('2a');\n\n--u\ninsert into log values ('2c');\n\n");
    File->Open();
    File->Update();
    EXPECT_EQ(Log(),
              (QStringList{QStringLiteral("1a"), QStringLiteral("1b"), QStringLiteral("2a"), QStringLiteral("2c")}));
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
}

TEST_F(Db3Test, FirstStartCopiesAWritableBaseAndRunsNoScript)
{
    {
        TSQLiteDatabase Base(File->BaseFile);
        Base.ExecSQL(QStringLiteral("create table log (s TEXT)"));
        Base.ExecSQL(QStringLiteral("insert into log values ('base')"));
    }
    ASSERT_TRUE(QFile::setPermissions(File->BaseFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    WriteScript(1, "--u\ninsert into log values ('script');\n\n");
    WriteScript(2, "--u\ninsert into log values ('script');\n\n");
    Config->SetDatabaseVersion(0);

    File->OpenOrCreate();
    EXPECT_TRUE(File->Created);
    ASSERT_NE(Database, nullptr);
    EXPECT_TRUE(QFileInfo(File->DbFile).permission(QFile::WriteOwner));
    File->Update();
    EXPECT_EQ(Log(), QStringList{QStringLiteral("base")});
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
    Database->ExecSQL(QStringLiteral("insert into log values ('written')"));

    // With the working file there, the next start opens it as it is.
    FreeDatabase();
    TDb3File Next(Folder);
    Next.OpenOrCreate();
    EXPECT_FALSE(Next.Created);
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("base"), QStringLiteral("written")}));
}

TEST_F(Db3Test, CopyOverwritesAndAFailedCopyKeepsTheWorkingFile)
{
    MakeLogDb(2);
    {
        TSQLiteDatabase Base(File->BaseFile);
        Base.ExecSQL(QStringLiteral("create table base (a)"));
    }
    File->CreateFromBase();
    File->Open();
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select name from sqlite_master")), QStringLiteral("base"));
    FreeDatabase();

    // A failed copy (no base file there) reports the working file and leaves it as it was.
    ASSERT_TRUE(QDir(Folder).mkpath(QStringLiteral("elsewhere")));
    TDb3File Other(Folder + QStringLiteral("elsewhere/"));
    ASSERT_TRUE(QFile::copy(File->DbFile, Other.DbFile));
    const QByteArray Before = KVXReadFileBytes(Other.DbFile);
    try {
        Other.CreateFromBase();
        FAIL() << "the base file is missing";
    } catch (const UserException &E) {
        const QString Expected = QStringLiteral("Impossible de créer la base de données \"%1\".").arg(Other.DbFile);
        EXPECT_EQ(E.UserMessage, Expected);
        EXPECT_EQ(E.Message, Expected);
    }
    EXPECT_FALSE(Other.Created);
    EXPECT_EQ(KVXReadFileBytes(Other.DbFile), Before);
}

TEST_F(Db3Test, FailedOpenLeavesNoDatabase)
{
    MakeLogDb(2);
    File->Open();
    ASSERT_NE(Database, nullptr);
    TDb3File Missing(Folder + QStringLiteral("no/such/folder/"));
    try {
        Missing.Open();
        FAIL() << "the folder does not exist";
    } catch (const UserException &E) {
        EXPECT_TRUE(E.Message.startsWith(QStringLiteral("[TQlDatabase.Create] Failed to open database")));
    }
    EXPECT_EQ(Database, nullptr);
}
