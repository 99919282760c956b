#include "Fifo.h"
#include "FullDisk.h"
#include "KVXFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class KVXFilesTest : public ::testing::Test
{
protected:
    QString Path(const char *Name) const { return Dir.filePath(QString::fromLatin1(Name)); }

    static void Write(const QString &FileName, const QByteArray &Content)
    {
        QFile F(FileName);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        ASSERT_EQ(F.write(Content), Content.size());
    }

    static mode_t Mode(const QString &FileName)
    {
        struct stat St;
        return ::stat(QFile::encodeName(FileName).constData(), &St) == 0 ? St.st_mode & 07777 : 0;
    }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(KVXFilesTest, WriteLineAndTextCreateAppendOrReplace)
{
    const QString Log = Path("fenolda.log");
    KVXWriteLine(Log, QStringLiteral("première"), false);
    KVXWriteLine(Log, QStringLiteral("seconde"), false);
    EXPECT_EQ(KVXReadFileBytes(Log), QByteArray("premi\xC3\xA8re\r\nseconde\r\n"));
    KVXWriteText(Log, QStringLiteral("{}"), true);
    KVXWriteText(Log, QStringLiteral("+"), false);
    EXPECT_EQ(KVXReadFileBytes(Log), QByteArray("{}+"));

    const QString Bad = Path("absent/sub/file.txt");
    EXPECT_EQ(ErrorOf([&] { KVXWriteLine(Bad, QStringLiteral("x"), false); }),
              QStringLiteral("[KVXWriteLine][FileName=%1] File not found").arg(Bad));
    // The context is added, the kind kept: a caller still learns which file failed and why.
    try {
        KVXWriteLine(Dir.path(), QStringLiteral("x"), true);
        FAIL() << "no exception";
    } catch (const EFileWriteError &E) {
        EXPECT_EQ(E.FileName, Dir.path());
        EXPECT_TRUE(E.Message.startsWith(QStringLiteral("[KVXWriteLine][FileName=%1] ").arg(Dir.path())));
    }
    try {
        KVXWriteText(Bad, QStringLiteral("x"), true);
        FAIL() << "no exception";
    } catch (const EInOutError &E) {
        EXPECT_EQ(E.ErrorCode, 2);
    }
    EXPECT_EQ(ErrorOf([&] { KVXWriteText(Dir.path(), QStringLiteral("x"), true); }),
              QStringLiteral("File access denied"));
}

TEST_F(KVXFilesTest, RewriteReplacesTheWholeFileAndKeepsItsPermissions)
{
    const QString Menu = Path("menu.txt");
    Write(Menu, "ancien contenu plus long");
    ASSERT_EQ(::chmod(QFile::encodeName(Menu).constData(), 0640), 0);
    KVXWriteText(Menu, QStringLiteral("nouveau"), true);
    EXPECT_EQ(KVXReadFileBytes(Menu), QByteArray("nouveau"));
    EXPECT_EQ(Mode(Menu), 0640u);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"menu.txt"}))
        << "nothing is left beside it";

    // Writing through a link replaces the file it points to, not the link.
    const QString Link = Path("lien.txt");
    ASSERT_TRUE(QFile::link(Menu, Link));
    KVXWriteText(Link, QStringLiteral("par le lien"), true);
    EXPECT_EQ(KVXReadFileBytes(Menu), QByteArray("par le lien"));
    EXPECT_TRUE(QFileInfo(Link).isSymLink());

    if (::geteuid() != 0) {
        KVXSetFileAttributes(QStringLiteral("+R"), Menu);
        EXPECT_EQ(ErrorOf([&] { KVXWriteText(Menu, QStringLiteral("x"), true); }),
                  QStringLiteral("File access denied"));
        EXPECT_EQ(KVXReadFileBytes(Menu), QByteArray("par le lien"));
    }
}

TEST_F(KVXFilesTest, AFullDiskOrAClosedFolderLeavesTheOlderFileAsItWas)
{
    TFullDisk Disk;
    const QString Menu = Disk.Path(QStringLiteral("menu.txt"));
    const QString Db = Disk.Path(QStringLiteral("recipes.db3"));
    const QByteArray Old("{\r\n  \"recettes\":[]\r\n}");
    Write(Menu, Old);
    Write(Db, "older database");
    // Larger than one block of the copy.
    QByteArray Base(3 * 1024 * 1024 / 2, 'b');
    Base.append("end");
    const QString Source = Path("recipes-base.db3");
    Write(Source, Base);
    const QByteArray Longer = QByteArray(159, 'n');
    Disk.Fill();

    const auto ExpectFull = [&](const QString &Target, auto &&Fn) {
        try {
            Fn();
            ADD_FAILURE() << "no exception for " << Target.toStdString();
        } catch (const EFileWriteError &E) {
            EXPECT_EQ(E.ErrorCode, 101) << E.Message.toStdString();
            EXPECT_EQ(E.FileName, Target);
            EXPECT_EQ(int(E.Problem), int(TWriteProblem::DiskFull));
        }
    };
    ExpectFull(Menu, [&] { KVXReplaceFile(Menu, Longer); });
    ExpectFull(Menu, [&] { KVXWriteText(Menu, QString::fromLatin1(Longer), true); });
    ExpectFull(Db, [&] { KVXCopyFileOver(Source, Db); });
    const QString Fresh = Disk.Path(QStringLiteral("new.txt"));
    ExpectFull(Fresh, [&] { KVXReplaceFile(Fresh, Longer); });
    EXPECT_EQ(KVXReadFileBytes(Menu), Old);
    EXPECT_EQ(KVXReadFileBytes(Db), QByteArray("older database"));
    EXPECT_EQ(QDir(Disk.Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"menu.txt", "recipes.db3"}))
        << "no temporary file is left";
    // Where not even the new file can be made, the old one is still never written over.
    if (Disk.UseUpInodes()) {
        ExpectFull(Menu, [&] { KVXReplaceFile(Menu, Longer); });
        ExpectFull(Fresh, [&] { KVXReplaceFile(Fresh, Longer); });
        EXPECT_EQ(KVXReadFileBytes(Menu), Old);
    }

    // With room again, the copy is whole.
    Disk.Release();
    KVXCopyFileOver(Source, Db);
    EXPECT_EQ(KVXReadFileBytes(Db), Base);
    EXPECT_EQ(ErrorOf([&] { KVXCopyFileOver(Path("absent.db3"), Db); }),
              QStringLiteral("The file \"%1\" does not exist").arg(Path("absent.db3")));
    EXPECT_EQ(KVXReadFileBytes(Db), Base);

    // A folder that takes no new file is named, and the file in it stays as it was.
    if (Disk.MakeReadOnly()) {
        for (const QString &Target : {Menu, Fresh}) {
            try {
                KVXReplaceFile(Target, Longer);
                ADD_FAILURE() << "no exception for " << Target.toStdString();
            } catch (const EFileWriteError &E) {
                EXPECT_EQ(E.FileName, Target);
                EXPECT_EQ(E.Folder, Disk.Dir.path());
                EXPECT_TRUE(E.Message.contains(Disk.Dir.path())) << E.Message.toStdString();
            }
        }
        EXPECT_EQ(KVXReadFileBytes(Menu), Old);
        EXPECT_FALSE(QFile::exists(Fresh));
    }
}

TEST_F(KVXFilesTest, ReadFileReadsEveryBlockAndDecodesUtf8OrWindows1252)
{
    const QString Empty = Path("empty.txt");
    Write(Empty, QByteArray());
    EXPECT_EQ(KVXReadFile(Empty), QString());
    QByteArray Big;
    for (int I = 0; I < 5000; ++I)
        Big += char('a' + I % 26);
    Write(Path("big.txt"), Big);
    EXPECT_EQ(KVXReadFile(Path("big.txt")).toLatin1(), Big);
    const QString Missing = Path("missing.txt");
    EXPECT_EQ(ErrorOf([&] { KVXReadFile(Missing); }), QStringLiteral("The file \"%1\" does not exist").arg(Missing));

    // A character cut by the 2048-byte blocks still decodes.
    KVXWriteText(Path("across.txt"), QString(2047, QLatin1Char('x')) + QStringLiteral("é"), true);
    EXPECT_TRUE(KVXReadFile(Path("across.txt")).endsWith(QStringLiteral("xé")));
    Write(Path("old.txt"), "Cr\xE8me br\xFBl\xE9"
                           "e \x96 5 \x80");
    EXPECT_EQ(KVXReadFile(Path("old.txt")), QStringLiteral("Crème brûlée – 5 €"));
    EXPECT_EQ(KVXDecodeText(QByteArray("\xEF\xBB\xBF[HISTO]")), QStringLiteral("[HISTO]"));
    // Both ends of the code page's high range, and two of its undefined bytes.
    EXPECT_EQ(KVXDecodeText(QByteArray("\x80\x81\x8D\x9F")), QStringLiteral("€\u0081\u008DŸ"));
    // Only the first byte-order mark is a signature; a second one is a character of the text.
    EXPECT_EQ(KVXDecodeText(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")), QString(QChar(0xFEFF)) + QLatin1Char('x'));
    // Files saved as UTF-16 by a Windows editor, in either byte order.
    const QString Settings = QStringLiteral("[HISTO]\r\nDays=7 é€\r\n");
    for (const auto Encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder Encoder(Encoding, QStringEncoder::Flag::WriteBom);
        const QByteArray Bytes = Encoder.encode(Settings);
        EXPECT_EQ(KVXDecodeText(Bytes), Settings);
        Write(Path("utf16.ini"), Bytes);
        EXPECT_EQ(KVXReadFile(Path("utf16.ini")), Settings);
    }
}

TEST_F(KVXFilesTest, ExistsSizeAndReadOnlyAttribute)
{
    const QString Name = Path("recipes.db3");
    EXPECT_FALSE(KVXFileExists(Name));
    EXPECT_EQ(KVXFileSize(Name, -1), -1);
    Write(Name, "12345");
    EXPECT_TRUE(KVXFileExists(Name));
    EXPECT_EQ(KVXFileSize(Name, -1), 5);
    EXPECT_FALSE(KVXFileExists(QStringLiteral("   ")));
    EXPECT_FALSE(KVXFileExists(Dir.path()));

    KVXSetFileAttributes(QStringLiteral("-R"), Name);
    EXPECT_TRUE(Mode(Name) & S_IWUSR);
    KVXSetFileAttributes(QStringLiteral("+r+H"), Name);
    EXPECT_FALSE(Mode(Name) & S_IWUSR);
    KVXSetFileAttributes(QStringLiteral("+R-R"), Name);
    EXPECT_TRUE(Mode(Name) & S_IWUSR);
    EXPECT_EQ(ErrorOf([] { KVXSetFileAttributes(QStringLiteral("-R"), QStringLiteral(" ")); }),
              QStringLiteral("Filename is not defined"));
    const QString Missing = Path("missing.db3");
    EXPECT_EQ(ErrorOf([&] { KVXSetFileAttributes(QStringLiteral("-R"), Missing); }),
              QStringLiteral("Unable to change attributs of file \"%1: error code=2").arg(Missing));
}

TEST_F(KVXFilesTest, FileVersionIsReadFromTheMarker)
{
    // A false marker first, then the real one across the first 1 MiB block boundary, in the
    // middle of several megabytes of other bytes.
    QByteArray Content(3 * 1024 * 1024, '\0');
    for (int I = 0; I < Content.size(); I += 7)
        Content[I] = char(I % 251);
    const QByteArray Marker("KVX-FILE-VERSION:");
    Content.replace(1000, Marker.size() + 3, Marker + "abc");
    Content.replace(1024 * 1024 - 10, Marker.size() + 9, Marker + "2.1.0.57" + QByteArray(1, '\0'));
    Write(Path("fenolda"), Content);
    EXPECT_EQ(KVXGetFileVersion(Path("fenolda")), QStringLiteral("2.1.0.57"));

    Write(Path("end.bin"), QByteArray("xx") + Marker + "10.0.3.65535");
    EXPECT_EQ(KVXGetFileVersion(Path("end.bin")), QStringLiteral("10.0.3.65535"));
    Write(Path("plain.txt"), QByteArray("no version here ") + Marker + "1.2.3");
    EXPECT_EQ(KVXGetFileVersion(Path("plain.txt")), QString());
    EXPECT_EQ(KVXGetFileVersion(Path("missing")), QString());
}

TEST_F(KVXFilesTest, AWriteLandsWhereTheSystemResolvesTheName)
{
    // A program folder, and a folder of menus that is a link to one inside it.
    ASSERT_TRUE(QDir().mkpath(Path("programme/save")));
    const QString Program = QFileInfo(Path("programme")).canonicalFilePath();
    const QString Db = Program + QStringLiteral("/recipes.db3");
    Write(Db, "database");
    const QString Menus = Path("menus");
    ASSERT_TRUE(QFile::link(Program + QStringLiteral("/save"), Menus));
    const auto Link = [](const QString &Target, const QString &Name) {
        ASSERT_EQ(::symlink(QFile::encodeName(Target).constData(), QFile::encodeName(Name).constData()), 0);
    };

    // ".." after a linked folder leaves the folder the link reaches, not the link's own.
    EXPECT_EQ(KVXWrittenPath(Menus + QStringLiteral("/../recipes.db3")), Db);
    // A relative link reached through a linked folder starts from its real folder.
    Link(QStringLiteral("../recipes.db3"), Program + QStringLiteral("/save/evil.txt"));
    EXPECT_EQ(KVXWrittenPath(Menus + QStringLiteral("/evil.txt")), Db);
    // A chain of links is followed to its end.
    Link(Menus + QStringLiteral("/evil.txt"), Path("chain.txt"));
    EXPECT_EQ(KVXWrittenPath(Path("chain.txt")), Db);
    // The process's own folder, as the system names it.
    const QString Cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Program + QStringLiteral("/save")));
    EXPECT_EQ(KVXWrittenPath(QStringLiteral("/proc/self/cwd/../recipes.db3")), Db);
    EXPECT_EQ(KVXWrittenPath(QStringLiteral("../recipes.db3")), Db);
    ASSERT_TRUE(QDir::setCurrent(Cwd));

    // A backup onto a link to a file not made yet writes that file, and the link stays.
    const QString Stick = Path("stick");
    ASSERT_TRUE(QDir().mkpath(Stick));
    Link(Stick + QStringLiteral("/fenolda.db3"), Path("usb.db3"));
    KVXCopyFileOver(Db, Path("usb.db3"));
    EXPECT_EQ(KVXReadFileBytes(Stick + QStringLiteral("/fenolda.db3")), QByteArray("database"));
    EXPECT_TRUE(QFileInfo(Path("usb.db3")).isSymLink());
    // The check sees the path the write lands on, before anything is written.
    QString Seen;
    EXPECT_EQ(ErrorOf([&] {
                  KVXReplaceFile(Path("chain.txt"), "menu", [&Seen](const QString &Written) {
                      Seen = Written;
                      throw Exception(QStringLiteral("refused"));
                  });
              }),
              QStringLiteral("refused"));
    EXPECT_EQ(Seen, Db);
    EXPECT_EQ(KVXReadFileBytes(Db), QByteArray("database"));

    // What cannot be resolved says why.
    Link(Path("loop-b"), Path("loop-a"));
    Link(Path("loop-a"), Path("loop-b"));
    EXPECT_THROW(KVXWrittenPath(Path("loop-a")), EFileWriteError);
    try {
        KVXWriteText(Path("absent/menu.txt"), QStringLiteral("x"), true);
        ADD_FAILURE() << "no exception";
    } catch (const EFileWriteError &E) {
        EXPECT_EQ(int(E.Problem), int(TWriteProblem::FolderMissing));
        EXPECT_EQ(E.Folder, Path("absent"));
    }
}

TEST_F(KVXFilesTest, AnyNameTheFileSystemTakesIsWrittenAndNothingWaitsOnAFifo)
{
    // The temporary file never makes the name too long.
    const QString Longest = Path(QByteArray(251, 'm') + ".txt");
    KVXWriteText(Longest, QStringLiteral("menu"), true);
    const QString Backup = Path(QByteArray(251, 'b') + ".db3");
    KVXCopyFileOver(Longest, Backup);
    EXPECT_EQ(KVXReadFileBytes(Backup), QByteArray("menu"));
    try {
        KVXWriteText(Longest + QLatin1Char('x'), QStringLiteral("menu"), true);
        ADD_FAILURE() << "no exception";
    } catch (const EFileWriteError &E) {
        EXPECT_EQ(int(E.Problem), int(TWriteProblem::NameTooLong));
    }

    // A FIFO in a file's place is neither read, appended to nor replaced, and never waited on.
    const QString Fifo = Path("fenolda.log");
    TFifo Waiting(Fifo);
    ASSERT_TRUE(Waiting.Made());
    for (bool Rewrite : {false, true}) {
        try {
            KVXWriteLine(Fifo, QStringLiteral("ligne"), Rewrite);
            ADD_FAILURE() << "no exception";
        } catch (const EFileWriteError &E) {
            EXPECT_EQ(int(E.Problem), int(TWriteProblem::NotRegular));
        }
    }
    try {
        KVXReadFileBytes(Fifo);
        ADD_FAILURE() << "no exception";
    } catch (const EFileReadError &E) {
        EXPECT_EQ(int(E.Problem), int(TReadProblem::NotRegular));
    }
    EXPECT_FALSE(Waiting.Released()) << "a read or a write waited on the FIFO";
    EXPECT_FALSE(QFileInfo(Fifo).isFile());
}
