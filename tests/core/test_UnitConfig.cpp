#include "IniFiles.h"
#include "KVXFiles.h"
#include "TestSupport.h"
#include "UnitConfig.h"

#include <QDir>
#include <QFile>

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
