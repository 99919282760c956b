#include "Fifo.h"
#include "IniFiles.h"
#include "KVXFiles.h"
#include "MemoryLimit.h"
#include "TestSupport.h"
#include "UnitConfig.h"
#include "UnitTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

TEST(TConfig, FoldersFileNamesAndVersion)
{
    TTestProgram Program(QStringLiteral("2.1.0.57"));
    const TConfig &Cfg = *Program.Cfg;
    const QString Dir = Program.Dir.path();
    EXPECT_EQ(Cfg.ExeDir, Dir);
    EXPECT_EQ(Cfg.ExePath, Dir + QStringLiteral("/"));
    EXPECT_EQ(Cfg.IniFileName, Program.Path(QStringLiteral("fenolda.ini")));
    EXPECT_EQ(Cfg.LogFileName, Program.Path(QStringLiteral("fenolda.log")));
    EXPECT_EQ(Cfg.Version, QStringLiteral("2.1.0"));
    // The folders "save" and "backup" are made at once; "html" only when a page is written.
    EXPECT_TRUE(QDir(Cfg.SaveDir).exists());
    EXPECT_TRUE(QDir(Cfg.BackupDir).exists());
    EXPECT_EQ(Cfg.HtmlDir, Program.Path(QStringLiteral("html")));
    EXPECT_FALSE(QDir(Cfg.HtmlDir).exists());

    // A program file without the marker, with an extension of its own, in a folder whose
    // name has a point.
    ASSERT_TRUE(QDir(Dir).mkdir(QStringLiteral("v1.2")));
    const QString Other = Program.Path(QStringLiteral("v1.2/fenolda.exe"));
    KVXWriteText(Other, QStringLiteral("MZ no version here"), true);
    const TConfig Plain(Other);
    EXPECT_TRUE(Plain.Version.isEmpty());
    EXPECT_EQ(Plain.IniFileName, Program.Path(QStringLiteral("v1.2/fenolda.ini")));
    EXPECT_EQ(TConfig(Program.Path(QStringLiteral("v1.2/fenolda"))).LogFileName,
              Program.Path(QStringLiteral("v1.2/fenolda.log")));
}

TEST(TConfig, SynchronisationNeedsAWebApiAddress)
{
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    {
        // A build that names a server: on by default, the stored choice wins.
        const TWebApiAddress Api(QStringLiteral("https://api.exemple.fr/"));
        EXPECT_EQ(WebApiAddress(), QStringLiteral("https://api.exemple.fr"));
        EXPECT_TRUE(Cfg.GetSyncEnabled());
        Cfg.SetSyncEnabled(false);
        EXPECT_FALSE(Cfg.GetSyncEnabled());
    }
    // None: off by default, and off even when the file says on, which is kept as it was.
    const TWebApiAddress None{QString()};
    QFile::remove(Cfg.IniFileName);
    EXPECT_FALSE(Cfg.GetSyncEnabled());
    Cfg.SetSyncEnabled(true);
    EXPECT_FALSE(Cfg.GetSyncEnabled());
    EXPECT_TRUE(KVXReadFileBytes(Cfg.IniFileName).contains("Enabled=1"));
}

TEST(TConfig, DefaultsWithoutSettingsFileAndEveryKeyWrittenAndReadAtOnce)
{
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    EXPECT_EQ(Cfg.GetBackupLastFile(), QString());
    EXPECT_EQ(Cfg.GetBackupDate(), 0);
    EXPECT_EQ(Cfg.GetHistoDays(), 30);
    EXPECT_FALSE(Cfg.GetHistoEnabled());
    EXPECT_EQ(Cfg.GetDatabaseVersion(), 1);
    EXPECT_EQ(Cfg.GetLastSync(), 0);
    EXPECT_EQ(Cfg.GetSyncEmail() + Cfg.GetSyncApiKey(), QString());
    EXPECT_FALSE(QFile::exists(Cfg.IniFileName));

    Cfg.SetLastSync(0);
    EXPECT_EQ(KVXReadFileBytes(Cfg.IniFileName), QByteArray("[DATABASE]\r\nLastSync=30/12/1899\r\n"));
    EXPECT_EQ(Cfg.GetLastSync(), 0);

    const TDateTime Day = EncodeDate(2026, 12, 5);
    Cfg.SetBackupLastFile(QStringLiteral("/home/marie/recipes.db3 05-12-2026"));
    Cfg.SetBackupDate(Day + 0.5);
    Cfg.SetHistoDays(14);
    Cfg.SetHistoEnabled(true);
    Cfg.SetDatabaseVersion(2);
    Cfg.SetLastSync(Day + EncodeTime(14, 3, 9, 0));
    Cfg.SetSyncEnabled(false);
    Cfg.SetSyncEmail(QStringLiteral("marie@exemple.fr"));
    Cfg.SetSyncApiKey(QStringLiteral("c1é"));
    // A date drops its time of day; a date-time keeps it.
    EXPECT_EQ(KVXReadFileBytes(Cfg.IniFileName),
              QByteArray("[DATABASE]\r\nLastSync=05/12/2026 14:03:09\r\nVersion=2\r\n[BACKUP]\r\n"
                         "LastFile=/home/marie/recipes.db3 05-12-2026\r\nDate=05/12/2026\r\n[HISTO]\r\nDays=14\r\n"
                         "Enabled=1\r\n[SYNC]\r\nEnabled=0\r\nEmail=marie@exemple.fr\r\nApiKey=c1\xc3\xa9\r\n"));
    // Another object on the same file sees every value at once: nothing is cached.
    const TConfig Other(Program.ProgramFile);
    EXPECT_EQ(Other.GetBackupLastFile(), QStringLiteral("/home/marie/recipes.db3 05-12-2026"));
    EXPECT_EQ(Other.GetBackupDate(), Day);
    EXPECT_EQ(Other.GetHistoDays(), 14);
    EXPECT_TRUE(Other.GetHistoEnabled());
    EXPECT_EQ(Other.GetDatabaseVersion(), 2);
    EXPECT_NEAR(Other.GetLastSync(), Day + EncodeTime(14, 3, 9, 0), 1e-9);
    EXPECT_FALSE(Other.GetSyncEnabled());
    EXPECT_EQ(Other.GetSyncEmail(), QStringLiteral("marie@exemple.fr"));
    EXPECT_EQ(Other.GetSyncApiKey(), QStringLiteral("c1é"));

    // A settings file that cannot be written reaches the caller and keeps its value.
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner));
    EXPECT_THROW(Cfg.SetHistoDays(20), EIniFileException);
    EXPECT_EQ(Cfg.GetHistoDays(), 14);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner | QFile::WriteOwner));
}

TEST(TConfig, AMenuOrBackupNameThatWouldReplaceOneOfTheProgramsFilesIsRefused)
{
    TTestProgram Program;
    const TConfig &Cfg = *Program.Cfg;
    const QString Dir = Program.Dir.path();
    const auto Refusal = [&](const QString &Name) { return FailureOf([&] { Cfg.CheckUserFile(Name); }).UserMessage; };
    const auto Used = [](const QString &Name) {
        return QStringLiteral("Le fichier \"%1\" est utilisé par le programme : choisissez un autre nom.").arg(Name);
    };
    ASSERT_TRUE(QDir(Dir).mkpath(QStringLiteral("html")));
    ASSERT_TRUE(QDir(Dir).mkpath(QStringLiteral("sql/old")));
    KVXWriteText(Program.Path(QStringLiteral("recipes.db3")), QStringLiteral("db"), true);
    // Another folder that reaches the program folder through a link.
    QTemporaryDir Other;
    const QString Linked = Other.filePath(QStringLiteral("lien"));
    ASSERT_TRUE(QFile::link(Dir, Linked));

    // Existing or not yet, under any spelling of the path.
    const QString Own[] = {
        Program.Path(QStringLiteral("recipes.db3")),      Program.Path(QStringLiteral("recipes.db3-journal")),
        Dir + QStringLiteral("/save/../recipes.db3-wal"), Dir + QStringLiteral("/./recipes.db3-shm"),
        Linked + QStringLiteral("/recipes.db3"),          Linked + QStringLiteral("/recipes-base.db3"),
        Program.Path(QStringLiteral("fenolda.ini")),      Linked + QStringLiteral("/fenolda.log"),
        Program.Path(QStringLiteral("QtProject.conf")),   Program.Path(QStringLiteral("html/liste.html")),
        Linked + QStringLiteral("/sql/old/menu.txt")};
    for (const QString &Name : Own)
        EXPECT_EQ(Refusal(Name), Used(Name)) << Name.toStdString();
    // A link in the name's place is followed as a write follows it, even to a file not made yet.
    const QString Pointer = Other.filePath(QStringLiteral("menu.txt"));
    ASSERT_TRUE(QFile::link(Program.Path(QStringLiteral("recipes.db3-wal")), Pointer));
    EXPECT_EQ(Refusal(Pointer), Used(Pointer));
    const TFailure Failure = FailureOf([&] { Cfg.CheckUserFile(Own[0]); });
    EXPECT_EQ(Failure.Message, QStringLiteral("\"%1\" is one of the program's own files").arg(Own[0]));

    // The system resolves the name: ".." after a linked folder, the process's own folder, a
    // relative link reached through a linked folder, a chain of links, and the program file.
    const QString Menus = Other.filePath(QStringLiteral("menus"));
    ASSERT_TRUE(QFile::link(Cfg.SaveDir, Menus));
    const auto Link = [](const QString &Target, const QString &Name) {
        ASSERT_EQ(::symlink(QFile::encodeName(Target).constData(), QFile::encodeName(Name).constData()), 0);
    };
    Link(QStringLiteral("../recipes.db3"), Program.Path(QStringLiteral("save/evil.txt")));
    Link(QStringLiteral("../fenolda"), Program.Path(QStringLiteral("save/bin.txt")));
    Link(Menus + QStringLiteral("/evil.txt"), Other.filePath(QStringLiteral("chain.txt")));
    const QString Cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Cfg.SaveDir));
    for (const QString &Name :
         {Menus + QStringLiteral("/../recipes.db3"), Menus + QStringLiteral("/../html/header.tpl"),
          QStringLiteral("/proc/self/cwd/../recipes.db3"), Menus + QStringLiteral("/evil.txt"),
          Other.filePath(QStringLiteral("chain.txt")), Menus + QStringLiteral("/bin.txt"),
          Linked + QStringLiteral("/fenolda")})
        EXPECT_EQ(Refusal(Name), Used(Name)) << Name.toStdString();
    ASSERT_TRUE(QDir::setCurrent(Cwd));

    // What is not a regular file would be lost.
    const QString Fifo = Other.filePath(QStringLiteral("tube.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
    for (const QString &Name : {Fifo, QStringLiteral("/dev/null"), Program.Path(QStringLiteral("save"))})
        EXPECT_EQ(
            Refusal(Name),
            QStringLiteral("Le nom \"%1\" ne désigne pas un fichier ordinaire : choisissez un autre nom.").arg(Name))
            << Name.toStdString();

    // The user's own names pass: new or existing, beside the program's files too.
    KVXWriteText(Program.Path(QStringLiteral("save/semaine.txt")), QStringLiteral("{"), true);
    for (const QString &Name :
         {Program.Path(QStringLiteral("save/semaine.txt")), Linked + QStringLiteral("/backup/recipes.db3"),
          Program.Path(QStringLiteral("recipes.db3 2024-10-05.db3"))})
        EXPECT_FALSE(FailureOf([&] { Cfg.CheckUserFile(Name); }).Raised) << Name.toStdString();
}

TEST(TConfig, TheProgramsOwnFilesAreWrittenOnlyOntoThemselvesAndNeverWaitedOn)
{
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    const QString Db = Program.Path(QStringLiteral("recipes.db3"));
    KVXWriteText(Db, QStringLiteral("database"), true);
    const auto DbUnchanged = [&Db] { return KVXReadFileBytes(Db) == QByteArray("database"); };
    const auto UserText = [](auto &&Fn) {
        try {
            Fn();
        } catch (const std::exception &E) {
            return UserException::Create(QStringLiteral("Test"), E).UserMessage;
        }
        return QStringLiteral("<no exception>");
    };

    // The settings and the log linked to the database: refused, the database as it was.
    ASSERT_TRUE(QFile::link(Db, Cfg.IniFileName));
    ASSERT_TRUE(QFile::link(Db, Cfg.LogFileName));
    EXPECT_EQ(UserText([&] { Cfg.SetHistoDays(20); }),
              QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\nCe nom mène au fichier \"%2\", que le "
                             "programme utilise déjà.")
                  .arg(Cfg.IniFileName, Db));
    EXPECT_THROW(WriteLog(QStringLiteral("ligne"), QString()), UserException);
    EXPECT_TRUE(DbUnchanged());

    // A link to a file of the user's own is written through, and stays a link.
    QTemporaryDir Elsewhere;
    const QString Dotfile = Elsewhere.filePath(QStringLiteral("fenolda.ini"));
    ASSERT_TRUE(QFile::remove(Cfg.IniFileName));
    ASSERT_TRUE(QFile::link(Dotfile, Cfg.IniFileName));
    Cfg.SetHistoDays(21);
    EXPECT_EQ(Cfg.GetHistoDays(), 21);
    EXPECT_TRUE(QFileInfo(Cfg.IniFileName).isSymLink());
    EXPECT_TRUE(KVXReadFile(Dotfile).contains(QStringLiteral("Days=21")));

    // A FIFO in their place is never waited on: the settings read their defaults and refuse
    // a write, the log refuses its line.
    ASSERT_TRUE(QFile::remove(Cfg.IniFileName) && QFile::remove(Cfg.LogFileName));
    {
        TFifo Settings(Cfg.IniFileName);
        TFifo Log(Cfg.LogFileName);
        ASSERT_TRUE(Settings.Made() && Log.Made());
        EXPECT_EQ(Cfg.GetHistoDays(), 30);
        EXPECT_EQ(UserText([&] { Cfg.SetHistoDays(20); }),
                  QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\n\"%1\" n'est pas un fichier "
                                 "ordinaire.")
                      .arg(Cfg.IniFileName));
        EXPECT_THROW(WriteLog(QStringLiteral("ligne"), QString()), UserException);
        EXPECT_FALSE(Settings.Released() || Log.Released()) << "a FIFO was waited on";
    }

    // A read-only settings file or a folder in its place says why it cannot be written.
    ASSERT_TRUE(QFile::remove(Cfg.IniFileName));
    Cfg.SetHistoDays(22);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner));
    EXPECT_EQ(UserText([&] { Cfg.SetHistoDays(20); }),
              QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\nLe fichier \"%1\" est en lecture seule.")
                  .arg(Cfg.IniFileName));
    ASSERT_TRUE(QFile::remove(Cfg.IniFileName));
    ASSERT_TRUE(QDir().mkpath(Cfg.IniFileName));
    EXPECT_EQ(
        UserText([&] { Cfg.SetHistoDays(20); }),
        QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\n\"%1\" est un dossier.").arg(Cfg.IniFileName));
    EXPECT_TRUE(DbUnchanged());
}

TEST(TConfig, TheLogIsAppendedOnlyToItself)
{
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    const QString Db = Program.Path(QStringLiteral("recipes.db3"));
    const QString Header = Program.Path(QStringLiteral("html/header.tpl"));
    ASSERT_TRUE(QDir().mkpath(Program.Path(QStringLiteral("html"))));
    KVXWriteText(Db, QStringLiteral("database"), true);
    KVXWriteText(Header, QStringLiteral("<html>"), true);

    // The same file as the database or a template under the log's own name: no line.
    for (const QString &Own : {Db, Header}) {
        SCOPED_TRACE(Own.toStdString());
        QFile::remove(Cfg.LogFileName);
        ASSERT_EQ(::link(QFile::encodeName(Own).constData(), QFile::encodeName(Cfg.LogFileName).constData()), 0);
        EXPECT_THROW(WriteLog(QStringLiteral("ligne"), QString()), UserException);
    }
    EXPECT_EQ(KVXReadFileBytes(Db), QByteArray("database"));
    EXPECT_EQ(KVXReadFileBytes(Header), QByteArray("<html>"));

    // A second name of the user's own is no other file of the program's.
    QTemporaryDir Elsewhere;
    const QString Kept = Elsewhere.filePath(QStringLiteral("journal.txt"));
    QFile::remove(Cfg.LogFileName);
    KVXWriteText(Cfg.LogFileName, QString(), true);
    if (::link(QFile::encodeName(Cfg.LogFileName).constData(), QFile::encodeName(Kept).constData()) == 0) {
        WriteLog(QStringLiteral("ligne"), QString());
        EXPECT_TRUE(KVXReadFile(Kept).endsWith(QStringLiteral(" | ligne\r\n")));
    }

    // A FIFO that another program reads gets no line either.
    QFile::remove(Cfg.LogFileName);
    TFifo Log(Cfg.LogFileName);
    ASSERT_TRUE(Log.Made());
    const int Reader = ::open(QFile::encodeName(Cfg.LogFileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(Reader, 0);
    EXPECT_THROW(WriteLog(QStringLiteral("ligne"), QString()), UserException);
    char Byte = 0;
    EXPECT_LE(::read(Reader, &Byte, 1), 0) << "a line went into the FIFO";
    ::close(Reader);
}

TEST(TConfig, SettingsTooLargeReadAsDefaultsAndAreNeverRewritten)
{
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    Cfg.SetHistoDays(12);
    // A damaged file of 4 GB, holding no byte on the disk.
    const qint64 Size = qint64(4) << 30;
    ASSERT_EQ(::truncate(QFile::encodeName(Cfg.IniFileName).constData(), Size), 0);
    EXPECT_TRUE(InAChildUnderAMemoryLimit([&] {
        QString Refused;
        try {
            Cfg.SetHistoDays(20);
        } catch (const std::exception &E) {
            Refused = UserException::Create(QStringLiteral("Test"), E).UserMessage;
        }
        return Cfg.GetHistoDays() == 30 &&
               Refused == QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\nLe fichier \"%1\" est trop "
                                         "grand (4,0 Go).")
                              .arg(Cfg.IniFileName);
    }));
    EXPECT_EQ(QFileInfo(Cfg.IniFileName).size(), Size);
}

TEST(TConfig, AnUnreadableSettingsFileIsNeverRewritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file; CI runs this as an ordinary user";
    TTestProgram Program;
    TConfig &Cfg = *Program.Cfg;
    Cfg.SetHistoDays(12);
    Cfg.SetSyncEmail(QStringLiteral("marie@exemple.fr"));
    const QByteArray Before = KVXReadFileBytes(Cfg.IniFileName);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::WriteOwner));
    EXPECT_EQ(Cfg.GetHistoDays(), 30);
    EXPECT_THROW(Cfg.SetHistoDays(20), EIniFileException);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(KVXReadFileBytes(Cfg.IniFileName), Before);
}
