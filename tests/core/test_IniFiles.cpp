#include "FullDisk.h"
#include "IniFiles.h"
#include "KVXFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TIniFileTest : public ::testing::Test
{
protected:
    void Write(const QByteArray &Bytes)
    {
        QFile F(Name);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
    }

    QString Read(const char *Section, const char *Key) const
    {
        return Ini.ReadString(QString::fromLatin1(Section), QString::fromLatin1(Key), QStringLiteral("<default>"));
    }

    QTemporaryDir Dir;
    const QString Name = Dir.filePath(QStringLiteral("fenolda.ini"));
    TIniFile Ini{Name};
};

} // namespace

TEST_F(TIniFileTest, ReadsSectionsAndKeysRegardlessOfCase)
{
    // Written by the Windows program: Windows-1252 bytes.
    Write("[histo]\r\n  DAYS = 12 \r\nenabled=yes\r\n[Sync]\r\nemail=\"jean@exemple.fr\"\r\nNom=Cr\xe8me\r\n"
          "Enabled=2\r\nHex=0x1F\r\n[SYNC]\r\nApiKey=second section is not read\r\n");
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 30), 12);
    EXPECT_EQ(Read("SYNC", "Email"), QStringLiteral("jean@exemple.fr"));
    EXPECT_EQ(Read("sync", "nom"), QStringLiteral("Crème"));
    EXPECT_EQ(Read("SYNC", "ApiKey"), QStringLiteral("<default>"));
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("SYNC"), QStringLiteral("Hex"), 0), 31);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("SYNC"), QStringLiteral("Email"), 7), 7);
    // Booleans: a word reads as the default, any integer but 0 as true.
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), true));
    EXPECT_FALSE(Ini.ReadBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), false));
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("SYNC"), QStringLiteral("Enabled"), false));
    EXPECT_EQ(Ini.ReadDate(QStringLiteral("SYNC"), QStringLiteral("Nom"), 3.0), 3.0);
}

TEST_F(TIniFileTest, WritesKeepOtherLinesInUtf8WithCrLf)
{
    Write("; notes\n[Histo]\nDAYS=12\n\n[SYNC]\nEmail=a@b.fr\n");
    Ini.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 45);
    Ini.WriteBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), true);
    Ini.WriteString(QStringLiteral("BACKUP"), QStringLiteral("LastFile"), QStringLiteral("recipes.db3 é"));
    Ini.WriteString(QStringLiteral("SYNC"), QStringLiteral("ApiKey"), QStringLiteral("k1\r\nEnabled=0"));
    EXPECT_EQ(KVXReadFileBytes(Name), QByteArray("; notes\r\n[Histo]\r\nDAYS=45\r\nEnabled=1\r\n\r\n[SYNC]\r\n"
                                                 "Email=a@b.fr\r\nApiKey=k1  Enabled=0\r\n[BACKUP]\r\n"
                                                 "LastFile=recipes.db3 \xc3\xa9\r\n"));
    // Long values are cut where the Windows profile functions cut them.
    Ini.WriteString(QStringLiteral("SYNC"), QStringLiteral("Email"), QString(3000, QLatin1Char('x')));
    EXPECT_EQ(Read("SYNC", "Email").size(), 2047);
}

TEST_F(TIniFileTest, AUtf16FileIsReadAndAWriteKeepsItsOtherKeys)
{
    // Saved as "Unicode" by Notepad: UTF-16 with its byte-order mark.
    QStringEncoder Encoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    Write(Encoder.encode(QStringLiteral("[SYNC]\r\nEmail=élise@exemple.fr\r\n[HISTO]\r\nDays=12\r\n")));
    EXPECT_EQ(Read("SYNC", "Email"), QStringLiteral("élise@exemple.fr"));
    Ini.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 20);
    EXPECT_EQ(KVXReadFileBytes(Name), QByteArray("[SYNC]\r\nEmail=\xc3\xa9lise@exemple.fr\r\n[HISTO]\r\nDays=20\r\n"));
}

TEST_F(TIniFileTest, ReadOnlyFileOrFolderRefusesTheWriteAndKeepsTheFile)
{
    const QByteArray Before("[HISTO]\r\nDays=12\r\n");
    Write(Before);
    auto Refused = [](TIniFile &File) {
        return ErrorOf([&] { File.WriteString(QStringLiteral("SYNC"), QStringLiteral("Email"), QStringLiteral("x")); });
    };
    ASSERT_TRUE(QFile::setPermissions(Name, QFile::ReadOwner));
    EXPECT_EQ(Refused(Ini), QStringLiteral("Unable to write to ") + Name);
    EXPECT_EQ(KVXReadFileBytes(Name), Before);
    ASSERT_TRUE(QFile::setPermissions(Name, QFile::ReadOwner | QFile::WriteOwner));

    // The file is replaced as a whole: without a writable folder no write is attempted.
    const QFile::Permissions FolderRights = QFile::permissions(Dir.path());
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(Refused(Ini), QStringLiteral("Unable to write to ") + Name);
    EXPECT_EQ(KVXReadFileBytes(Name), Before);
    const QString Other = Dir.filePath(QStringLiteral("other.ini"));
    TIniFile Missing(Other);
    EXPECT_EQ(Refused(Missing), QStringLiteral("Unable to write to ") + Other);
    try {
        Missing.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 14);
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException &E) {
        EXPECT_EQ(E.Folder, Dir.path()) << "the folder is named";
    }
    EXPECT_FALSE(QFile::exists(Other));
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), FolderRights));

    // No temporary file is left behind by the writes that succeed.
    Ini.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 14);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("fenolda.ini")});
}

TEST_F(TIniFileTest, AFullDiskKeepsTheSettingsByteForByte)
{
    TFullDisk Disk;
    TIniFile Settings(Disk.Path(QStringLiteral("fenolda.ini")));
    Settings.WriteString(QStringLiteral("SYNC"), QStringLiteral("Email"), QStringLiteral("marie@exemple.fr"));
    Settings.WriteString(QStringLiteral("SYNC"), QStringLiteral("ApiKey"), QStringLiteral("clé secrète"));
    const QByteArray Before = KVXReadFileBytes(Settings.FileName());
    Disk.Fill();
    try {
        Settings.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 45);
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException &E) {
        EXPECT_EQ(E.Message, QStringLiteral("Unable to write to ") + Settings.FileName());
        EXPECT_EQ(E.ErrorCode, 101) << "a full disk";
    }
    EXPECT_EQ(KVXReadFileBytes(Settings.FileName()), Before);
    EXPECT_EQ(Settings.ReadString(QStringLiteral("SYNC"), QStringLiteral("ApiKey"), QString()),
              QStringLiteral("clé secrète"));
}
