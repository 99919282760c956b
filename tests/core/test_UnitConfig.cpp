#include "KVXFiles.h"
#include "UnitConfig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteBytes(const QString &FileName, const QByteArray &Bytes)
{
    QFile F(FileName);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
}

} // namespace

TEST(TConfig, FoldersFileNamesAndVersion)
{
    QTemporaryDir Dir;
    const QString Program = Dir.filePath(QStringLiteral("fenolda"));
    WriteBytes(Program, QByteArray("\x7f"
                                   "ELF....KVX-FILE-VERSION:2.1.0.57\0....",
                                   40));
    const TConfig Cfg(Program);
    EXPECT_EQ(Cfg.ExeDir, Dir.path());
    EXPECT_EQ(Cfg.ExePath, Dir.path() + QStringLiteral("/"));
    EXPECT_EQ(Cfg.HtmlDir, Dir.filePath(QStringLiteral("html")));
    EXPECT_EQ(Cfg.IniFileName, Dir.filePath(QStringLiteral("fenolda.ini")));
    EXPECT_EQ(Cfg.LogFileName, Dir.filePath(QStringLiteral("fenolda.log")));
    EXPECT_EQ(Cfg.Version, QStringLiteral("2.1.0"));
    EXPECT_TRUE(QDir(Cfg.SaveDir).exists());
    EXPECT_TRUE(QDir(Cfg.BackupDir).exists());
    EXPECT_FALSE(QDir(Cfg.HtmlDir).exists());

    // A program file without the marker, with an extension of its own, in a folder whose
    // name has a point.
    QDir(Dir.path()).mkdir(QStringLiteral("v1.2"));
    const QString Other = Dir.filePath(QStringLiteral("v1.2/fenolda.exe"));
    WriteBytes(Other, "MZ no version here");
    const TConfig Plain(Other);
    EXPECT_TRUE(Plain.Version.isEmpty());
    EXPECT_EQ(Plain.IniFileName, Dir.filePath(QStringLiteral("v1.2/fenolda.ini")));
    EXPECT_EQ(TConfig(Dir.filePath(QStringLiteral("v1.2/fenolda"))).LogFileName,
              Dir.filePath(QStringLiteral("v1.2/fenolda.log")));
}

TEST(TConfig, DefaultsWithoutSettingsFileAndTheFirstSetterCreatesIt)
{
    QTemporaryDir Dir;
    TConfig Cfg(Dir.filePath(QStringLiteral("fenolda")));
    EXPECT_EQ(Cfg.GetBackupLastFile(), QString());
    EXPECT_EQ(Cfg.GetBackupDate(), 0);
    EXPECT_EQ(Cfg.GetHistoDays(), 30);
    EXPECT_FALSE(Cfg.GetHistoEnabled());
    EXPECT_EQ(Cfg.GetDatabaseVersion(), 1);
    EXPECT_EQ(Cfg.GetLastSync(), 0);
    EXPECT_TRUE(Cfg.GetSyncEnabled());
    EXPECT_EQ(Cfg.GetSyncEmail(), QString());
    EXPECT_EQ(Cfg.GetSyncApiKey(), QString());
    EXPECT_FALSE(QFile::exists(Cfg.IniFileName));

    Cfg.SetLastSync(0);
    EXPECT_EQ(KVXReadFileBytes(Cfg.IniFileName), QByteArray("[DATABASE]\r\nLastSync=30/12/1899\r\n"));
    EXPECT_EQ(Cfg.GetLastSync(), 0);

    const TDateTime Day = EncodeDate(2026, 12, 5);
    Cfg.SetBackupLastFile(QStringLiteral("/home/marie/recipes.db3 05-12-2026"));
    Cfg.SetBackupDate(Day);
    Cfg.SetHistoDays(14);
    Cfg.SetHistoEnabled(true);
    Cfg.SetDatabaseVersion(2);
    Cfg.SetLastSync(Day);
    Cfg.SetSyncEnabled(false);
    Cfg.SetSyncEmail(QStringLiteral("marie@exemple.fr"));
    Cfg.SetSyncApiKey(QStringLiteral("c1é"));
    // Another object on the same file sees every value at once: nothing is cached.
    const TConfig Other(Dir.filePath(QStringLiteral("fenolda")));
    EXPECT_EQ(Other.GetBackupLastFile(), QStringLiteral("/home/marie/recipes.db3 05-12-2026"));
    EXPECT_EQ(Other.GetBackupDate(), Day);
    EXPECT_EQ(Other.GetHistoDays(), 14);
    EXPECT_TRUE(Other.GetHistoEnabled());
    EXPECT_EQ(Other.GetDatabaseVersion(), 2);
    EXPECT_EQ(Other.GetLastSync(), Day);
    EXPECT_FALSE(Other.GetSyncEnabled());
    EXPECT_EQ(Other.GetSyncEmail(), QStringLiteral("marie@exemple.fr"));
    EXPECT_EQ(Other.GetSyncApiKey(), QStringLiteral("c1é"));
    EXPECT_EQ(KVXReadFileBytes(Cfg.IniFileName),
              QByteArray("[DATABASE]\r\nLastSync=05/12/2026\r\nVersion=2\r\n[BACKUP]\r\n"
                         "LastFile=/home/marie/recipes.db3 05-12-2026\r\nDate=05/12/2026\r\n[HISTO]\r\nDays=14\r\n"
                         "Enabled=1\r\n[SYNC]\r\nEnabled=0\r\nEmail=marie@exemple.fr\r\nApiKey=c1\xc3\xa9\r\n"));
}

TEST(TConfig, SettersReportAFileThatCannotBeWritten)
{
    QTemporaryDir Dir;
    TConfig Cfg(Dir.filePath(QStringLiteral("fenolda")));
    Cfg.SetHistoDays(10);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner));
    EXPECT_THROW(Cfg.SetHistoDays(20), EIniFileException);
    EXPECT_EQ(Cfg.GetHistoDays(), 10);
    ASSERT_TRUE(QFile::setPermissions(Cfg.IniFileName, QFile::ReadOwner | QFile::WriteOwner));
}
