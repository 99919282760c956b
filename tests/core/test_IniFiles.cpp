#include "IniFiles.h"
#include "KVXFiles.h"

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

// Raises EIniFileException "Unable to write to <FileName>" when it fails as it should.
void ExpectWriteRefused(TIniFile &Ini, const QString &FileName)
{
    try {
        Ini.WriteString(QStringLiteral("SYNC"), QStringLiteral("Email"), QStringLiteral("x@y.fr"));
        ADD_FAILURE() << "the write should be refused";
    } catch (const EIniFileException &E) {
        EXPECT_EQ(E.Message, QStringLiteral("Unable to write to ") + FileName);
    }
}

} // namespace

TEST(TIniFile, ReadsSectionsAndKeysRegardlessOfCase)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath(QStringLiteral("fenolda.ini"));
    // Written by the Windows program: Windows-1252 bytes.
    WriteBytes(Name, "[histo]\r\n  DAYS = 12 \r\nenabled=yes\r\n[Sync]\r\nemail=\"jean@exemple.fr\"\r\nNom=Cr\xe8me\r\n"
                     "Enabled=2\r\nHex=0x1F\r\n[SYNC]\r\nApiKey=second section is not read\r\n");
    TIniFile Ini(Name);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 30), 12);
    EXPECT_EQ(Ini.ReadString(QStringLiteral("SYNC"), QStringLiteral("Email"), QString()),
              QStringLiteral("jean@exemple.fr"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("sync"), QStringLiteral("nom"), QString()), QStringLiteral("Crème"));
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("SYNC"), QStringLiteral("Hex"), 0), 31);
    EXPECT_EQ(Ini.ReadString(QStringLiteral("SYNC"), QStringLiteral("ApiKey"), QStringLiteral("none")),
              QStringLiteral("none"));
    // Booleans: a word reads as the default, any integer but 0 as true.
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), true));
    EXPECT_FALSE(Ini.ReadBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), false));
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("SYNC"), QStringLiteral("Enabled"), false));
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("SYNC"), QStringLiteral("Email"), 7), 7);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("NONE"), QStringLiteral("Days"), 7), 7);
    EXPECT_EQ(Ini.ReadDate(QStringLiteral("SYNC"), QStringLiteral("Nom"), 3.0), 3.0);
}

TEST(TIniFile, WritesKeepOtherLinesInUtf8WithCrLf)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath(QStringLiteral("fenolda.ini"));
    WriteBytes(Name, "; notes\n[Histo]\nDAYS=12\n\n[SYNC]\nEmail=a@b.fr\n");
    TIniFile Ini(Name);
    Ini.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 45);
    Ini.WriteBool(QStringLiteral("HISTO"), QStringLiteral("Enabled"), true);
    Ini.WriteString(QStringLiteral("BACKUP"), QStringLiteral("LastFile"), QStringLiteral("recipes.db3 é"));
    Ini.WriteString(QStringLiteral("SYNC"), QStringLiteral("ApiKey"), QStringLiteral("k1\r\nEnabled=0"));
    EXPECT_EQ(KVXReadFileBytes(Name), QByteArray("; notes\r\n[Histo]\r\nDAYS=45\r\nEnabled=1\r\n\r\n[SYNC]\r\n"
                                                 "Email=a@b.fr\r\nApiKey=k1  Enabled=0\r\n[BACKUP]\r\n"
                                                 "LastFile=recipes.db3 \xc3\xa9\r\n"));

    // Long values are cut where the Windows profile functions cut them.
    Ini.WriteString(QStringLiteral("SYNC"), QStringLiteral("Email"), QString(3000, QLatin1Char('x')));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("SYNC"), QStringLiteral("Email"), QString()).size(), 2047);
}

TEST(TIniFile, DatesInTheShortDateForm)
{
    QTemporaryDir Dir;
    TIniFile Ini(Dir.filePath(QStringLiteral("fenolda.ini")));
    const TDateTime Day = EncodeDate(2026, 12, 5);
    Ini.WriteDate(QStringLiteral("BACKUP"), QStringLiteral("Date"), Day + 0.5);
    Ini.WriteDateTime(QStringLiteral("DATABASE"), QStringLiteral("Midnight"), Day);
    Ini.WriteDateTime(QStringLiteral("DATABASE"), QStringLiteral("LastSync"), Day + EncodeTime(14, 3, 9, 0));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("BACKUP"), QStringLiteral("Date"), QString()),
              QStringLiteral("05/12/2026"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("DATABASE"), QStringLiteral("Midnight"), QString()),
              QStringLiteral("05/12/2026"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("DATABASE"), QStringLiteral("LastSync"), QString()),
              QStringLiteral("05/12/2026 14:03:09"));
    EXPECT_EQ(Ini.ReadDate(QStringLiteral("BACKUP"), QStringLiteral("Date"), 0), Day);
    EXPECT_NEAR(Ini.ReadDateTime(QStringLiteral("DATABASE"), QStringLiteral("LastSync"), 0),
                Day + EncodeTime(14, 3, 9, 0), 1e-9);
    Ini.WriteString(QStringLiteral("BACKUP"), QStringLiteral("Date"), QStringLiteral("31/02/2026"));
    EXPECT_EQ(Ini.ReadDate(QStringLiteral("BACKUP"), QStringLiteral("Date"), -1), -1);
}

TEST(TIniFile, ReadOnlyFileOrFolderRefusesTheWriteAndKeepsTheFile)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath(QStringLiteral("fenolda.ini"));
    const QByteArray Before("[HISTO]\r\nDays=12\r\n");
    WriteBytes(Name, Before);
    TIniFile Ini(Name);

    ASSERT_TRUE(QFile::setPermissions(Name, QFile::ReadOwner | QFile::ReadGroup));
    ExpectWriteRefused(Ini, Name);
    EXPECT_EQ(KVXReadFileBytes(Name), Before);
    ASSERT_TRUE(QFile::setPermissions(Name, QFile::ReadOwner | QFile::WriteOwner));

    // The file is replaced as a whole: without a writable folder no write is attempted.
    const QFile::Permissions FolderRights = QFile::permissions(Dir.path());
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    ExpectWriteRefused(Ini, Name);
    EXPECT_EQ(KVXReadFileBytes(Name), Before);
    TIniFile Missing(Dir.filePath(QStringLiteral("other.ini")));
    ExpectWriteRefused(Missing, Dir.filePath(QStringLiteral("other.ini")));
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("other.ini"))));
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), FolderRights));

    // No temporary file is left behind by the writes that succeed.
    Ini.WriteInteger(QStringLiteral("HISTO"), QStringLiteral("Days"), 14);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("fenolda.ini")});
}
