#include "TestDatabase.h"

#include "Fifo.h"
#include "FullDisk.h"
#include "MemoryLimit.h"
#include "OtherFileSystem.h"
#include "RecipeBase.h"
#include "UnitDb3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// A program folder with its settings, its "sql" folder and its working database, the
// database holding the log table that the test scripts write to.
class Db3Test : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir(Program.Dir.path()).mkpath(QStringLiteral("sql"))); }
    void TearDown() override { FreeDatabase(); }

    void MakeLogDb(int Version)
    {
        TSQLiteDatabase(File.DbFile).ExecSQL(QStringLiteral("create table log (s TEXT)"));
        Config->SetDatabaseVersion(Version);
        File.Open();
    }

    void WriteScript(int Version, const QByteArray &Text)
    {
        WriteBytes(File.SqlDir + QStringLiteral("/update-%1.sql").arg(Version), Text);
    }

    void CopyShippedScripts()
    {
        for (int V = 1; V <= 2; ++V) {
            const QString Name = QStringLiteral("sql/update-%1.sql").arg(V);
            ASSERT_TRUE(QFile::copy(DataFile(Name), Program.Path(Name)));
        }
    }
    static void WriteBytes(const QString &Path, const QByteArray &Bytes)
    {
        QFile F(Path);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(Bytes);
    }

    // The rows of the log table as "a|b".
    QString Log() { return Database->GetTableString(QStringLiteral("select group_concat(s, '|') from log")); }

    // Tables with their columns (name, declared type, NOT NULL, default, key), indexes and
    // triggers, for comparing two schemas.
    static QStringList SchemaOf(TQlDatabase &Db)
    {
        // The base class's query: no collation appended to the inner ORDER BY terms.
        return QString::fromUtf8(
                   Db.TSQLiteDatabase::GetTableString(QStringLiteral(
                       "select group_concat(line, char(10)) from (select m.type || ' ' || m.name || ' ' || "
                       "ifnull((select group_concat(col, ', ') from (select c.name || '/' || c.type || '/' || "
                       "c.\"notnull\" || '/' || ifnull(c.dflt_value, '') || '/' || c.pk as col from "
                       "pragma_table_info(m.name) c order by 1)), '') as line from sqlite_master m where m.name not "
                       "like 'sqlite_%' order by m.type, m.name)")))
            .split(QLatin1Char('\n'));
    }

    TTestProgram Program;
    TDb3File File{Program.Dir.path() + QLatin1Char('/')};
};

// The engine's files in a child process die, as if the process were killed, at the first
// write into a database file past its first page: what a backup interrupted half-way leaves.
namespace DyingFiles {
sqlite3_vfs *Real = nullptr;
sqlite3_vfs Vfs;
const sqlite3_io_methods *RealMethods = nullptr;
sqlite3_io_methods Methods;
constexpr int KilledCode = 42;

int Write(sqlite3_file *File, const void *Bytes, int Amount, sqlite3_int64 Offset)
{
    const int Rc = RealMethods->xWrite(File, Bytes, Amount, Offset);
    if (Offset > 0)
        _exit(KilledCode);
    return Rc;
}

int Open(sqlite3_vfs *, const char *Name, sqlite3_file *File, int Flags, int *OutFlags)
{
    const int Rc = Real->xOpen(Real, Name, File, Flags, OutFlags);
    if (Rc == SQLITE_OK && File->pMethods && (Flags & SQLITE_OPEN_MAIN_DB)) {
        RealMethods = File->pMethods;
        Methods = *RealMethods;
        Methods.xWrite = Write;
        File->pMethods = &Methods;
    }
    return Rc;
}

// Runs File.Backup(Target) in a child process that dies half-way; false when it did not.
bool BackupKilledHalfWay(TDb3File &File, const QString &Target)
{
    const pid_t Child = fork();
    if (Child == 0) {
        Real = sqlite3_vfs_find(nullptr);
        Vfs = *Real;
        Vfs.zName = "dying";
        Vfs.pNext = nullptr;
        Vfs.xOpen = Open;
        sqlite3_vfs_register(&Vfs, 1);
        try {
            File.Backup(Target);
        } catch (...) {
        }
        _exit(0);
    }
    int Status = 0;
    return Child > 0 && waitpid(Child, &Status, 0) == Child && WIFEXITED(Status) && WEXITSTATUS(Status) == KilledCode;
}
} // namespace DyingFiles

const QByteArray OneTwo[] = {"--u\ninsert into log values ('1a');\n\n--u\ninsert into log values ('1b');\n\n",
                             "-- comment\n--u\ninsert into log values ('2');\n\n"};

} // namespace

TEST_F(Db3Test, ShippedScriptsBringOlderDatabasesToTheBaseSchema)
{
    TQlDatabase Reference(Program.Path(QStringLiteral("reference.db3")));
    RunSqlFile(Reference, DataFile(QStringLiteral("schema.sql")));
    CopyShippedScripts();
    for (int From : {0, 1}) {
        SCOPED_TRACE(From);
        FreeDatabase();
        QFile::remove(File.DbFile);
        {
            TSQLiteDatabase Old(File.DbFile);
            RunSqlFile(Old, QStringLiteral(FENOLDA_FIXTURES_DIR "/schema-v%1.sql").arg(From));
        }
        Config->SetDatabaseVersion(From);
        File.Open();
        File.Update();
        EXPECT_EQ(Config->GetDatabaseVersion(), 2);
        EXPECT_EQ(SchemaOf(*Database), SchemaOf(Reference));
        // The same triggers, word for word: a change date moves only on a real change.
        const QString Triggers = QStringLiteral("select group_concat(sql, ' ') from (select sql from sqlite_master "
                                                "where type = 'trigger' order by name)");
        const QString Migrated = Database->TSQLiteDatabase::GetTableString(Triggers);
        EXPECT_EQ(Migrated.simplified(), QString(Reference.TSQLiteDatabase::GetTableString(Triggers)).simplified());
        EXPECT_EQ(Migrated.count(QStringLiteral("IS NOT NEW.")), 27);
        // The rows came through, stamped with change dates.
        EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from ingredients")), QStringLiteral("10"));
        EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from recette where updated is null")),
                  QStringLiteral("0"));
        // Version 0 allowed one name twice in different case: the later one is renamed.
        if (From == 0) {
            EXPECT_EQ(Database->GetTableString(QStringLiteral("select name from ingredient where code=8")),
                      QStringLiteral("sucre en poudre (8)"));
        }
    }
}

TEST_F(Db3Test, ScriptsRunInOrderFromTheStoredVersion)
{
    WriteScript(1, OneTwo[0]);
    WriteScript(2, OneTwo[1]);
    MakeLogDb(0);
    File.Update();
    EXPECT_EQ(Log(), QStringLiteral("1a|1b|2"));
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
    for (int Stored : {1, 2, 5}) {
        SCOPED_TRACE(Stored);
        Database->ExecSQL(QStringLiteral("delete from log"));
        Config->SetDatabaseVersion(Stored);
        File.Update();
        EXPECT_EQ(Log(), Stored == 1 ? QStringLiteral("2") : QString());
        // A later version than the program knows is never lowered.
        EXPECT_EQ(Config->GetDatabaseVersion(), std::max(Stored, 2));
    }

    // A missing script stops the update and names its full path.
    QFile::remove(File.SqlDir + QStringLiteral("/update-2.sql"));
    Config->SetDatabaseVersion(1);
    const TFailure Missing = FailureOf([&] { File.Update(); });
    const QString Expected = QStringLiteral("Impossible de mettre à jour la base de données, il manque le fichier SQL "
                                            "de migration \"%1\".")
                                 .arg(Program.Path(QStringLiteral("sql/update-2.sql")));
    EXPECT_EQ(Missing.Message + Missing.UserMessage, Expected + Expected);
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
}

TEST_F(Db3Test, TagAndEndRulesOfTheScripts)
{
    // A statement on the tag's line does not run, a block of two runs its first; the last one
    // ends with ";" and a single line end; a statement's bytes reach the engine as the script
    // holds them, whatever the line ends.
    const QByteArray Script = "--u insert into log values ('on the tag line');\n\n"
                              "--u\ninsert into log values ('first'); insert into log values ('second');\n\n"
                              "--u\ninsert into log values ('two\nlines');\n\n"
                              "--u\ninsert into log values ('the last');\n";
    MakeLogDb(1);
    for (const QByteArray &End : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        Database->ExecSQL(QStringLiteral("delete from log"));
        Config->SetDatabaseVersion(1);
        WriteScript(2, QByteArray(Script).replace("\n", End));
        File.Update();
        EXPECT_EQ(Log(), QStringLiteral("first|two") + End + QStringLiteral("lines|the last"));
    }
}

TEST_F(Db3Test, AScriptCutInTheMiddleOfAStatementIsRefusedWhole)
{
    // The shipped script of version 2 cut short, on a database of version 1: inside a
    // statement, after a tag, or right after its last ";" (the file ends with no line end).
    const QByteArray Whole = KVXReadFileBytes(DataFile(QStringLiteral("sql/update-2.sql")));
    const qsizetype LastEnd = Whole.lastIndexOf(';') + 1;
    const QString Script = File.SqlDir + QStringLiteral("/update-2.sql");
    for (const qsizetype Cut : {qsizetype(1500), Whole.lastIndexOf("--u") + 3, LastEnd}) {
        SCOPED_TRACE(Cut);
        FreeDatabase();
        QFile::remove(File.DbFile);
        {
            TSQLiteDatabase Old(File.DbFile);
            RunSqlFile(Old, QStringLiteral(FENOLDA_FIXTURES_DIR "/schema-v1.sql"));
        }
        Config->SetDatabaseVersion(1);
        File.Open();
        const QStringList Before = SchemaOf(*Database);
        WriteScript(2, Whole.left(Cut));
        EXPECT_EQ(FailureOf([&] { File.Update(); }).UserMessage,
                  QStringLiteral("La base de données n'a pas pu être mise à jour par le fichier \"%1\" : il s'arrête "
                                 "au milieu d'une instruction.")
                      .arg(Script));
        EXPECT_EQ(SchemaOf(*Database), Before);
        EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    }
    // Whole, with a single line end after its last ";", it runs to its end.
    WriteScript(2, Whole.left(LastEnd) + "\n");
    File.Update();
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
    EXPECT_EQ(Database->TSQLiteDatabase::GetTableString(QStringLiteral("PRAGMA user_version")), QByteArray("2"));
}

TEST_F(Db3Test, AFailingScriptIsRolledBackAndRetriedCleanly)
{
    WriteScript(1, OneTwo[0]);
    WriteScript(2, "--u\ninsert into log values ('2a');\n\n--u\ninsert into nowhere values (1);\n\n");
    MakeLogDb(0);
    const TFailure Failure = FailureOf([&] { File.Update(); });
    // The statement's own error is the message; the user learns which script failed and why.
    EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("Error executing SQL.\rError [1]")));
    EXPECT_TRUE(Failure.Message.contains(QStringLiteral("no such table: nowhere")));
    const QString Script = File.SqlDir + QStringLiteral("/update-2.sql");
    EXPECT_EQ(Failure.UserMessage, QStringLiteral("La base de données n'a pas pu être mise à jour par le fichier "
                                                  "\"%1\" : son instruction n° 2 a échoué.")
                                       .arg(Script));
    EXPECT_EQ(Log(), QStringLiteral("1a|1b"));
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    EXPECT_EQ(sqlite3_get_autocommit(Database->Handle()), 1);

    // Next start, with the script mended: only the second script runs, from its start.
    WriteScript(2, "--u\ninsert into log values ('2a');\n\n");
    File.Open();
    File.Update();
    EXPECT_EQ(Log(), QStringLiteral("1a|1b|2a"));
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
}

TEST_F(Db3Test, AScriptThatYieldsNoStatementOrCannotBeReadIsNotRecorded)
{
    MakeLogDb(1);
    const QString Script = File.SqlDir + QStringLiteral("/update-2.sql");
    const QString Failed =
        QStringLiteral("La base de données n'a pas pu être mise à jour par le fichier \"%1\" : ").arg(Script);
    const QByteArray Before = KVXReadFileBytes(File.DbFile);
    // Empty, garbage, cut short before its first statement ends: each is a damaged script.
    const std::pair<QByteArray, const char *> Damaged[] = {
        {QByteArray(), "il ne contient aucune instruction."},
        {QByteArrayLiteral("\x89PNG\r\n\x1a\n\0\0garbage"), "il ne contient aucune instruction."},
        {QByteArray("--u\ncreate table historique (reccode INTEGER"), "il s'arrête au milieu d'une instruction."}};
    for (const auto &[Text, Reason] : Damaged) {
        WriteScript(2, Text);
        EXPECT_EQ(FailureOf([&] { File.Update(); }).UserMessage, Failed + QString::fromUtf8(Reason));
        EXPECT_EQ(Config->GetDatabaseVersion(), 1);
        EXPECT_EQ(KVXReadFileBytes(File.DbFile), Before);
    }
    // A damaged file of 4 GB, holding no byte on the disk, is never read.
    WriteScript(2, "--u\ninsert into log values ('x');\n\n");
    ASSERT_EQ(::truncate(QFile::encodeName(Script).constData(), qint64(4) << 30), 0);
    EXPECT_TRUE(InAChildUnderAMemoryLimit([&] {
        return FailureOf([&] { File.Update(); }).UserMessage == Failed + QStringLiteral("il est trop grand (4,0 Go).");
    }));
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    // A FIFO in its place is never waited on.
    ASSERT_TRUE(QFile::remove(Script));
    {
        TFifo Waiting(Script);
        ASSERT_TRUE(Waiting.Made());
        EXPECT_EQ(FailureOf([&] { File.Update(); }).UserMessage,
                  Failed + QStringLiteral("ce n'est pas un fichier ordinaire."));
        EXPECT_FALSE(Waiting.Released()) << "the script was waited on";
    }
    EXPECT_EQ(Config->GetDatabaseVersion(), 1);
    EXPECT_EQ(KVXReadFileBytes(File.DbFile), Before);
}

TEST_F(Db3Test, WithoutAnOpenDatabaseOrWithAReadOnlyOneEveryCommandSaysSoInFrench)
{
    FreeDatabase();
    const QString NotOpen =
        QStringLiteral("La base de données n'est pas ouverte : fermez le programme, puis relancez-le.");
    EXPECT_EQ(FailureOf([&] { File.Update(); }).UserMessage, NotOpen);
    EXPECT_EQ(FailureOf([&] { File.DeletePlaceholders(); }).UserMessage, NotOpen);
    EXPECT_EQ(FailureOf([] { CurrentDatabase(); }).Message, QStringLiteral("Database is not open"));

    // Whoever runs the test, the engine is told to write nothing, as on a read-only file.
    MakeLogDb(2);
    Database->ExecSQL(QStringLiteral("PRAGMA query_only=1"));
    EXPECT_EQ(FailureOf([] { Database->ExecSQL(QStringLiteral("insert into log values ('x')")); }).UserMessage,
              QStringLiteral("La base de données \"%1\" ne peut pas être modifiée : elle est en lecture seule.")
                  .arg(File.DbFile));
}

TEST_F(Db3Test, TheFirstStartCopiesAWritableBaseAndRunsNoScript)
{
    TSQLiteDatabase(File.BaseFile).ExecSQL(QStringLiteral("create table log (s TEXT)"));
    ASSERT_TRUE(QFile::setPermissions(File.BaseFile, QFile::ReadOwner));
    for (int V : {1, 2})
        WriteScript(V, "--u\ninsert into log values ('script');\n\n");
    Config->SetDatabaseVersion(0);
    File.OpenOrCreate();
    EXPECT_TRUE(File.Created);
    EXPECT_TRUE(QFileInfo(File.DbFile).permission(QFile::WriteOwner));
    File.Update();
    EXPECT_EQ(Config->GetDatabaseVersion(), 2);
    Database->ExecSQL(QStringLiteral("insert into log values ('written')"));

    // With the working file there, the next start opens it as it is.
    TDb3File Next(Program.Dir.path() + QLatin1Char('/'));
    Next.OpenOrCreate();
    EXPECT_FALSE(Next.Created);
    EXPECT_EQ(Log(), QStringLiteral("written"));

    // A failed copy reports the working file and leaves it whole; a failed open leaves no
    // database.
    QFile::remove(File.BaseFile);
    const QByteArray Before = KVXReadFileBytes(File.DbFile);
    const TFailure Copy = FailureOf([&] { Next.CreateFromBase(); });
    EXPECT_EQ(Copy.UserMessage, QStringLiteral("Impossible de créer la base de données \"%1\".\r\n"
                                               "Le fichier \"%2\" n'existe pas.")
                                    .arg(File.DbFile, File.BaseFile));
    EXPECT_EQ(KVXReadFileBytes(File.DbFile), Before);
    EXPECT_TRUE(FailureOf([] { TDb3File(QStringLiteral("/no/such/folder/")).Open(); }).Raised);
    EXPECT_EQ(Database, nullptr);
}

TEST_F(Db3Test, ACopyOnAFullDiskLeavesTheWorkingDatabaseAsItWas)
{
    TFullDisk Disk;
    TDb3File OnDisk(Disk.Dir.path() + QLatin1Char('/'));
    // A base of a few pages: the whole copy is one last write, the one that fails.
    TSQLiteDatabase(OnDisk.BaseFile).ExecSQL(QStringLiteral("create table log (s TEXT)"));
    TSQLiteDatabase(OnDisk.DbFile).ExecSQL(QStringLiteral("create table working (s TEXT)"));
    const QByteArray Before = KVXReadFileBytes(OnDisk.DbFile);
    Disk.Fill();
    EXPECT_EQ(
        FailureOf([&] { OnDisk.CreateFromBase(); }).UserMessage,
        QStringLiteral("Impossible de créer la base de données \"%1\".\r\nLe disque est plein.").arg(OnDisk.DbFile));
    EXPECT_EQ(KVXReadFileBytes(OnDisk.DbFile), Before);
    EXPECT_FALSE(OnDisk.Created);

    Disk.Release();
    OnDisk.CreateFromBase();
    EXPECT_EQ(KVXReadFileBytes(OnDisk.DbFile), KVXReadFileBytes(OnDisk.BaseFile));
}

TEST_F(Db3Test, LeftoverPlaceholderRecipesAndTheirLinesAreDeleted)
{
    TSQLiteDatabase(File.DbFile)
        .ExecScript(
            QStringLiteral("create table recette (code INTEGER PRIMARY KEY, name TEXT);"
                           "create table ingredients (reccode INTEGER, ingcode INTEGER);"
                           "insert into recette values (1, '{0A1B2C3D-4E5F-6789-ABCD-EF0123456789}'), (2, 'Tarte'),"
                           " (3, '{0A1B2C3D-4E5F-6789-ABCD-EF012345678}'), (4, '{ma recette}'),"
                           " (5, '{0a1b2c3d-4e5f-6789-abcd-ef0123456789}');"
                           "insert into ingredients values (1, 10), (1, 11), (2, 10), (3, 10);"));
    File.Open();
    File.DeletePlaceholders();
    // Only the exact shape of a new GUID goes: a name one digit short, a user's braces or
    // lower-case letters stay.
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select group_concat(code, ',') from recette")),
              QStringLiteral("2,3,4,5"));
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select group_concat(reccode, ',') from ingredients")),
              QStringLiteral("2,3"));

    FreeDatabase();
    EXPECT_EQ(FailureOf([&] { File.DeletePlaceholders(); }).Message.section(QLatin1Char(']'), 0, 0),
              QStringLiteral("[TDb3File.DeletePlaceholders"));
}

TEST_F(Db3Test, TheDatabaseKnowsItsVersionWhenTheSettingsDoNot)
{
    // The working copy of the base file (version 2) and scripts that must never run again
    // on it: each would fail on its first statement.
    ASSERT_TRUE(MakeRecipeBase(File.DbFile, false));
    CopyShippedScripts();
    const QString Ini = Config->IniFileName;
    const auto WriteIni = [&](const QByteArray &Bytes) {
        QFile::remove(Ini);
        if (!Bytes.isNull())
            WriteBytes(Ini, Bytes);
    };
    for (const QByteArray &Settings :
         {QByteArray(), QByteArray("[DATABASE]\r\nVersion=abc\r\n"), QByteArray("[DATABASE]\r\nVersion=-4\r\n"),
          QByteArray("\x00\xFF garbage"), QByteArray("[DATABASE]\r\nVersion=1\r\n")}) {
        SCOPED_TRACE(Settings.toStdString());
        WriteIni(Settings);
        File.Open();
        File.Update();
        EXPECT_EQ(Config->GetDatabaseVersion(), 2);
        EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from pragma_table_info('recette') "
                                                          "where name='inserted'")),
                  QStringLiteral("1"));
    }

    // A settings file that is a folder cannot be written: the database opens all the same,
    // and the log says why the version was not stored.
    QFile::remove(Ini);
    ASSERT_TRUE(QDir().mkdir(Ini));
    File.Open();
    EXPECT_FALSE(FailureOf([&] { File.Update(); }).Raised);
    EXPECT_TRUE(Program.LogText().contains(QStringLiteral("Unable to write to")));
    ASSERT_TRUE(QDir().rmdir(Ini));

    // A database of a later program is used as it is, with one log line, and its number is
    // kept, in the settings and in the database.
    Database->ExecSQL(QStringLiteral("PRAGMA user_version = 3"));
    WriteIni(QByteArray());
    const int LogLines = Program.LogLines().size();
    File.Update();
    EXPECT_EQ(Program.LogLines().size(), LogLines + 1);
    EXPECT_TRUE(Program.LogLines().last().contains(QStringLiteral("[TDb3File.Update] The database is at schema "
                                                                  "version 3, later than 2")));
    EXPECT_EQ(Config->GetStoredDatabaseVersion(), -1);
    Config->SetDatabaseVersion(3);
    File.Update();
    EXPECT_EQ(Config->GetDatabaseVersion(), 3);
}

TEST_F(Db3Test, ADamagedWorkingDatabaseIsReportedAndLeftAsItIs)
{
    ASSERT_TRUE(MakeRecipeBase(File.BaseFile));
    const QByteArray Base = KVXReadFileBytes(File.BaseFile);
    const QString Expected =
        QStringLiteral("La base de données \"%1\" est endommagée ou illisible, le programme ne peut "
                       "pas l'utiliser.\r\nFermez le programme et remplacez-la par une sauvegarde "
                       "du dossier \"%2\".")
            .arg(File.DbFile, Config->BackupDir);
    QByteArray Garbage;
    for (int I = 0; I < 8192; ++I)
        Garbage += char(I * 7919 % 251);
    struct TCase
    {
        const char *Name;
        QByteArray Bytes;
    };
    const TCase Cases[] = {{"empty", QByteArray("")},
                           {"first page only", Base.left(4096)},
                           {"half", Base.left(Base.size() / 2)},
                           {"garbage", Garbage},
                           {"header and garbage", Base.left(100) + Garbage}};
    for (const TCase &C : Cases) {
        SCOPED_TRACE(C.Name);
        QFile::remove(File.DbFile);
        WriteBytes(File.DbFile, C.Bytes);
        const TFailure Failure = FailureOf([&] { File.OpenOrCreate(); });
        EXPECT_EQ(Failure.UserMessage, Expected);
        EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("[TDb3File.Open] "))) << Failure.Message.toStdString();
        EXPECT_EQ(Database, nullptr);
        // Not replaced by the base file, nor touched at all.
        EXPECT_EQ(KVXReadFileBytes(File.DbFile), C.Bytes);
        EXPECT_FALSE(File.Created);
        // Its backup is still the file copied, and when the engine cannot read it, the user
        // learns that it is the database that is at fault, not the name chosen.
        const QString Copy = Program.Path(QStringLiteral("backup/copie.db3"));
        const TFailure Backup = FailureOf([&] { File.Backup(Copy); });
        if (C.Bytes.contains(Garbage)) {
            EXPECT_EQ(Backup.UserMessage,
                      QStringLiteral("La base de données \"%1\" est endommagée ou illisible.").arg(File.DbFile));
            EXPECT_FALSE(QFile::exists(Copy));
        }
        EXPECT_TRUE(!Backup.Raised || !Backup.UserMessage.isEmpty()) << Backup.Message.toStdString();
        QFile::remove(Copy);
    }
    // A file the user may not read.
    if (geteuid() != 0) {
        QFile::remove(File.DbFile);
        ASSERT_TRUE(QFile::copy(File.BaseFile, File.DbFile));
        ASSERT_TRUE(QFile::setPermissions(File.DbFile, QFileDevice::Permissions()));
        EXPECT_EQ(FailureOf([&] { File.OpenOrCreate(); }).UserMessage, Expected);
        QFile::setPermissions(File.DbFile, QFile::ReadOwner | QFile::WriteOwner);
    }
    // The base file's copy opens.
    QFile::remove(File.DbFile);
    File.OpenOrCreate();
    EXPECT_NE(Database, nullptr);
}

TEST_F(Db3Test, ADatabaseInUseByAnotherProgramIsWaitedForThenReportedAsBusy)
{
    MakeLogDb(2);
    FreeDatabase();
    const QByteArray Before = KVXReadFileBytes(File.DbFile);
    {
        // Held for longer than the program waits: in use, not damaged, and no restore advised.
        TOtherProgram Other(File.DbFile);
        const TFailure Failure = FailureOf([&] { File.Open(); });
        EXPECT_EQ(Failure.UserMessage, QStringLiteral("La base de données \"%1\" est utilisée par un autre programme. "
                                                      "Fermez ce programme, puis relancez Fenolda.")
                                           .arg(File.DbFile));
        EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("[TDb3File.Open] "))) << Failure.Message.toStdString();
        EXPECT_EQ(Database, nullptr);
    }
    EXPECT_EQ(KVXReadFileBytes(File.DbFile), Before);

    // Let go a second before the program would give up: waited out.
    {
        TOtherProgram Other(File.DbFile, std::chrono::milliseconds(BusyTimeoutMs - 1000));
        File.Open();
    }
    ASSERT_NE(Database, nullptr);
    Database->ExecSQL(QStringLiteral("insert into log values ('ouverte')"));
    EXPECT_EQ(Log(), QStringLiteral("ouverte"));
}

TEST_F(Db3Test, BackupIsAConsistentCopyTakenWhileTheDatabaseIsOpen)
{
    MakeLogDb(2);
    Database->ExecSQL(QStringLiteral("insert into log values ('avant')"));
    const QString Target = Program.Dir.filePath(QStringLiteral("recipes.db3 2026-12-07.db3"));
    // An earlier backup of the same name is replaced whole.
    WriteBytes(Target, "an older backup");
    File.Backup(Target);
    // The program's connection still works after the copy.
    Database->ExecSQL(QStringLiteral("insert into log values ('après')"));
    {
        TQlDatabase Copy(Target);
        EXPECT_EQ(Copy.GetTableString(QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
        EXPECT_EQ(Copy.GetTableString(QStringLiteral("select group_concat(s, '|') from log")), QStringLiteral("avant"));
    }
    // Nothing is left beside it.
    EXPECT_EQ(QDir(Program.Dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden),
              QStringList());

    // Without an open connection, the copy is taken from the working file.
    FreeDatabase();
    const QString Second = Program.Dir.filePath(QStringLiteral("second.db3"));
    File.Backup(Second);
    TQlDatabase Copy(Second);
    EXPECT_EQ(Copy.GetTableString(QStringLiteral("select group_concat(s, '|') from log")),
              QStringLiteral("avant|après"));
}

TEST_F(Db3Test, ABackupOntoALinkWritesTheFileItPointsToAndAnyNameIsTaken)
{
    MakeLogDb(2);
    Database->ExecSQL(QStringLiteral("insert into log values ('sauvée')"));
    QTemporaryDir Stick;
    const QString OnStick = Stick.filePath(QStringLiteral("fenolda.db3"));
    KVXWriteText(OnStick, QStringLiteral("older copy"), true);
    const QString Usb = Program.Path(QStringLiteral("backup/usb.db3"));
    ASSERT_TRUE(QFile::link(OnStick, Usb));
    File.Backup(Usb);
    EXPECT_TRUE(QFileInfo(Usb).isSymLink());
    EXPECT_EQ(TQlDatabase(OnStick).GetTableString(QStringLiteral("select group_concat(s, '|') from log")),
              QStringLiteral("sauvée"));
    EXPECT_EQ(QDir(Stick.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("fenolda.db3")});

    // 255 bytes: the temporary file's name never makes it too long.
    const QString Longest =
        Program.Path(QStringLiteral("backup/") + QString(251, QLatin1Char('r')) + QStringLiteral(".db3"));
    File.Backup(Longest);
    EXPECT_EQ(TQlDatabase(Longest).GetTableString(QStringLiteral("select group_concat(s, '|') from log")),
              QStringLiteral("sauvée"));
}

TEST_F(Db3Test, AKilledBackupLeavesNoJournalAndItsFileGoesAtTheNextBackup)
{
    MakeLogDb(2);
    Database->ExecSQL(QStringLiteral("insert into log values ('gardée')"));
    FreeDatabase();
    const QString Folder = Program.Dir.filePath(QStringLiteral("backup"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    // Files of the user's own, with names close to those of a backup in progress.
    const QStringList Own = {QStringLiteral("notes.part"),
                             QStringLiteral("recipes.db3.part-journal"),
                             QStringLiteral("recipes.db3 2026-12-01.db3"),
                             QStringLiteral("recipes.db3 2024-01-01"),
                             QStringLiteral(".fenolda-backup-.txt"),
                             QStringLiteral(".fenolda-backup-.part"),
                             QStringLiteral(".fenolda-backup-abcdefg.part"),
                             QStringLiteral(".fenolda-backup-abcdef.part.bak"),
                             QStringLiteral(".fenolda-backup-abcdef.part-journal.txt"),
                             QStringLiteral(".fenolda-backup-abcdef.db3"),
                             QStringLiteral("x.fenolda-backup-abcdef.part"),
                             QStringLiteral("fenolda-backup-abcdef.part")};
    for (const QString &Name : Own)
        WriteBytes(QDir(Folder).filePath(Name), "à moi");
    // What an interrupted backup of another name left, its journal included: a copy whose
    // journal could not be kept in memory has it on disk.
    for (const char *Name : {".fenolda-backup-Ab3dE9.part", ".fenolda-backup-Ab3dE9.part-journal"})
        WriteBytes(QDir(Folder).filePath(QString::fromUtf8(Name)), "reste");
    const QString Target = Folder + QStringLiteral("/recipes.db3 2026-12-07.db3");

    for (int Run = 0; Run < 2; ++Run)
        ASSERT_TRUE(DyingFiles::BackupKilledHalfWay(File, Target));
    // The second run took away what the first left; its own unfinished copy has no journal.
    QStringList Left = QDir(Folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &Name : Own)
        Left.removeOne(Name);
    EXPECT_EQ(Left.size(), 1) << Left.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(Left.filter(QStringLiteral("journal")), QStringList());

    // A backup that ends takes it away, and nothing of the user's.
    File.Backup(Target);
    QStringList Expected = Own + QStringList{QFileInfo(Target).fileName()};
    Expected.sort();
    EXPECT_EQ(QDir(Folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), Expected);
    TQlDatabase Copy(Target);
    EXPECT_EQ(Copy.GetTableString(QStringLiteral("select group_concat(s, '|') from log")), QStringLiteral("gardée"));
}

TEST_F(Db3Test, AFailedBackupLeavesNoPartialFileAndKeepsTheEarlierOne)
{
    const QString Folder = Program.Dir.filePath(QStringLiteral("backup"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    const QString Target = Folder + QStringLiteral("/recipes.db3 2026-12-07.db3");
    WriteBytes(Target, "earlier backup");
    // A working file that is no database fails in the middle of the copy.
    WriteBytes(File.DbFile, QByteArray(4096, 'x'));
    const QString Error = ErrorOf([&] { File.Backup(Target); });
    EXPECT_TRUE(Error.startsWith(QStringLiteral("[TDb3File.Backup] Backup failed"))) << Error.toStdString();
    EXPECT_EQ(KVXReadFileBytes(Target), QByteArray("earlier backup"));
    EXPECT_EQ(QDir(Folder).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("recipes.db3 2026-12-07.db3")}));

    // A read-only earlier backup, a missing folder and a folder in the target's place are
    // refused alike, with nothing written.
    ASSERT_TRUE(QFile::remove(File.DbFile));
    MakeLogDb(2);
    KVXSetFileAttributes(QStringLiteral("+R"), Target);
    EXPECT_TRUE(ErrorOf([&] { File.Backup(Target); }).endsWith(QStringLiteral("is read-only")));
    EXPECT_EQ(KVXReadFileBytes(Target), QByteArray("earlier backup"));
    EXPECT_FALSE(ErrorOf([&] { File.Backup(Folder + QStringLiteral("/absent/copie.db3")); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { File.Backup(Folder); }).isEmpty());
    EXPECT_EQ(QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("recipes.db3 2026-12-07.db3")}));
}

TEST_F(Db3Test, WhatLiesWhereTheDatabaseKeepsItsJournalIsNamedAndNeverWaitedOn)
{
    ASSERT_TRUE(MakeRecipeBase(File.DbFile));
    const auto Expected = [&](const QString &Companion, const char *Kind) {
        return QStringLiteral("La base de données \"%1\" ne peut pas être ouverte : \"%2\", où elle garde son "
                              "journal, est %3.\r\nDéplacez ou supprimez \"%2\", puis relancez Fenolda.")
            .arg(File.DbFile, Companion, QString::fromUtf8(Kind));
    };
    const QString Journal = File.DbFile + QStringLiteral("-journal");
    {
        TFifo Waiting(Journal);
        ASSERT_TRUE(Waiting.Made());
        EXPECT_EQ(FailureOf([&] { File.OpenOrCreate(); }).UserMessage, Expected(Journal, "un tube nommé (FIFO)"));
        // The backup that copies the file as it is, no database being open, does not wait either.
        const QString Copy = Program.Path(QStringLiteral("backup/copie.db3"));
        EXPECT_EQ(FailureOf([&] { File.Backup(Copy); }).UserMessage, Expected(Journal, "un tube nommé (FIFO)"));
        EXPECT_FALSE(QFile::exists(Copy));
        EXPECT_FALSE(Waiting.Released()) << "the journal was waited on";
        EXPECT_EQ(Database, nullptr);
        EXPECT_TRUE(QFileInfo(Journal).exists());
    }
    ASSERT_TRUE(QFile::remove(Journal));
    const QString Wal = File.DbFile + QStringLiteral("-wal");
    ASSERT_TRUE(QDir().mkpath(Wal));
    EXPECT_EQ(FailureOf([&] { File.OpenOrCreate(); }).UserMessage, Expected(Wal, "un dossier"));
    EXPECT_TRUE(QFileInfo(Wal).isDir());
    ASSERT_TRUE(QDir().rmdir(Wal));

    // A journal that is a file is the engine's to replay.
    KVXWriteText(Journal, QString(), true);
    File.OpenOrCreate();
    EXPECT_NE(Database, nullptr);
}

TEST_F(Db3Test, ABackupLandsWhereItsNameLeadsAcrossFileSystemsButNeverOnTheJournal)
{
    MakeLogDb(2);
    Database->ExecSQL(QStringLiteral("insert into log values ('sauvée')"));

    // A dangling link whose destination would become the working database's journal.
    const QString Journal = File.DbFile + QStringLiteral("-journal");
    const QString Dangling = Program.Path(QStringLiteral("backup/journal.db3"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../recipes.db3-journal"), Dangling));
    EXPECT_FALSE(FailureOf([&] { File.Backup(Dangling); }).UserMessage.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Journal));

    // A folder that takes no file, though it says the file does not exist.
    EXPECT_EQ(FailureOf([&] { File.Backup(QStringLiteral("/proc/copie.db3")); }).UserMessage,
              QStringLiteral("Le dossier \"/proc\" est protégé en écriture."));

    // A link into another file system: the copy is made beside the file it leads to, the
    // only place from which it can take that file's place.
    const TOtherFileSystem Shm(Program.Dir.path());
    if (!Shm.Valid())
        GTEST_SKIP() << "no writable file system apart from the test's folder (/dev/shm)";
    const QString Elsewhere = Shm.Path(QStringLiteral("copie.db3"));
    const QString Link = Program.Path(QStringLiteral("backup/ailleurs.db3"));
    ASSERT_TRUE(QFile::link(Elsewhere, Link));
    File.Backup(Link);
    EXPECT_TRUE(QFileInfo(Link).isSymLink());
    EXPECT_EQ(TQlDatabase(Elsewhere).GetTableString(QStringLiteral("select group_concat(s, '|') from log")),
              QStringLiteral("sauvée"));
}
