#include "KVXFiles.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class KVXFilesTest : public ::testing::Test
{
protected:
    QString Path(const char *Name) const { return Dir.filePath(QString::fromLatin1(Name)); }

    static QByteArray Bytes(const QString &FileName)
    {
        QFile F(FileName);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<unreadable>");
    }

    static void Write(const QString &FileName, const QByteArray &Content)
    {
        QFile F(FileName);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        ASSERT_EQ(F.write(Content), Content.size());
    }

    static bool OwnerCanWrite(const QString &FileName)
    {
        struct stat St;
        return ::stat(QFile::encodeName(FileName).constData(), &St) == 0 && (St.st_mode & S_IWUSR) != 0;
    }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(KVXFilesTest, WriteLineCreatesThenAppendsUtf8WithCrLf)
{
    const QString Log = Path("fenolda.log");
    KVXWriteLine(Log, QStringLiteral("première"), false);
    KVXWriteLine(Log, QStringLiteral("seconde"), false);
    EXPECT_EQ(Bytes(Log), QByteArray("premi\xC3\xA8re\r\nseconde\r\n"));
    KVXWriteLine(Log, QStringLiteral("neuf"), true);
    EXPECT_EQ(Bytes(Log), QByteArray("neuf\r\n"));
}

TEST_F(KVXFilesTest, WriteTextReplacesOrAppendsWithoutLineEnd)
{
    const QString Menu = Path("menu.txt");
    Write(Menu, "ancien contenu plus long");
    KVXWriteText(Menu, QStringLiteral("{}"), true);
    EXPECT_EQ(Bytes(Menu), QByteArray("{}"));
    KVXWriteText(Menu, QStringLiteral("+"), false);
    EXPECT_EQ(Bytes(Menu), QByteArray("{}+"));
}

TEST_F(KVXFilesTest, RewriteReplacesTheWholeFileAndKeepsItsPermissions)
{
    const QString Menu = Path("menu.txt");
    Write(Menu, "ancien");
    ASSERT_EQ(::chmod(QFile::encodeName(Menu).constData(), 0640), 0);
    KVXWriteText(Menu, QStringLiteral("nouveau"), true);
    EXPECT_EQ(Bytes(Menu), QByteArray("nouveau"));
    struct stat St;
    ASSERT_EQ(::stat(QFile::encodeName(Menu).constData(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0640u);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList({"menu.txt"}));

    // Writing through a link replaces the file it points to, not the link.
    const QString Link = Path("lien.txt");
    ASSERT_TRUE(QFile::link(Menu, Link));
    KVXWriteText(Link, QStringLiteral("par le lien"), true);
    EXPECT_EQ(Bytes(Menu), QByteArray("par le lien"));
    EXPECT_TRUE(QFileInfo(Link).isSymLink());

    if (::geteuid() != 0) {
        KVXSetFileAttributes(QStringLiteral("+R"), Menu);
        EXPECT_EQ(ErrorOf([&] { KVXWriteText(Menu, QStringLiteral("x"), true); }),
                  QStringLiteral("File access denied"));
        EXPECT_EQ(Bytes(Menu), QByteArray("par le lien"));
    }
}

TEST_F(KVXFilesTest, WriteFailuresCarryTheirMessages)
{
    const QString Bad = Path("absent/sub/file.txt");
    EXPECT_EQ(ErrorOf([&] { KVXWriteLine(Bad, QStringLiteral("x"), false); }),
              QStringLiteral("[KVXWriteLine][FileName=%1] File not found").arg(Bad));
    try {
        KVXWriteText(Bad, QStringLiteral("x"), true);
        FAIL() << "no exception";
    } catch (const EInOutError &E) {
        EXPECT_EQ(E.ErrorCode, 2);
    }
    // A folder in place of the file.
    EXPECT_EQ(ErrorOf([&] { KVXWriteText(Dir.path(), QStringLiteral("x"), true); }),
              QStringLiteral("File access denied"));
}

TEST_F(KVXFilesTest, ReadFileReadsEveryBlock)
{
    const QString Empty = Path("empty.txt");
    Write(Empty, QByteArray());
    EXPECT_EQ(KVXReadFile(Empty), QString());

    QByteArray Big;
    for (int I = 0; I < 5000; ++I)
        Big += char('a' + I % 26);
    const QString Name = Path("big.txt");
    Write(Name, Big);
    const QString Text = KVXReadFile(Name);
    EXPECT_EQ(Text.size(), 5000);
    EXPECT_EQ(Text.toLatin1(), Big);

    const QString Missing = Path("missing.txt");
    EXPECT_EQ(ErrorOf([&] { KVXReadFile(Missing); }), QStringLiteral("The file \"%1\" does not exist").arg(Missing));
}

TEST_F(KVXFilesTest, ReadFileDecodesUtf8OrWindows1252)
{
    const QString Utf8 = Path("utf8.txt");
    KVXWriteText(Utf8, QStringLiteral("Crème brûlée – 5 €"), true);
    EXPECT_EQ(KVXReadFile(Utf8), QStringLiteral("Crème brûlée – 5 €"));

    // A character cut by the 2048-byte blocks still decodes.
    const QString Across = Path("across.txt");
    KVXWriteText(Across, QString(2047, QLatin1Char('x')) + QStringLiteral("é"), true);
    EXPECT_TRUE(KVXReadFile(Across).endsWith(QStringLiteral("xé")));

    const QString Old = Path("old.txt");
    Write(Old, "Cr\xE8me br\xFBl\xE9"
               "e \x96 5 \x80");
    EXPECT_EQ(KVXReadFile(Old), QStringLiteral("Crème brûlée – 5 €"));

    EXPECT_EQ(KVXDecodeText(QByteArray("\xEF\xBB\xBF[HISTO]")), QStringLiteral("[HISTO]"));
    EXPECT_EQ(KVXDecodeText(QByteArray("\x81\x8D")), QStringLiteral("\u0081\u008D"));
}

TEST_F(KVXFilesTest, FileExistsAndSize)
{
    const QString Name = Path("a.txt");
    EXPECT_FALSE(KVXFileExists(Name));
    EXPECT_EQ(KVXFileSize(Name, -1), -1);
    Write(Name, "12345");
    EXPECT_TRUE(KVXFileExists(Name));
    EXPECT_EQ(KVXFileSize(Name, -1), 5);
    EXPECT_FALSE(KVXFileExists(QString()));
    EXPECT_FALSE(KVXFileExists(QStringLiteral("   ")));
    EXPECT_FALSE(KVXFileExists(Dir.path()));
}

TEST_F(KVXFilesTest, ReadOnlyAttribute)
{
    const QString Name = Path("recipes.db3");
    Write(Name, "db");
    KVXSetFileAttributes(QStringLiteral("-R"), Name);
    EXPECT_TRUE(OwnerCanWrite(Name));
    KVXSetFileAttributes(QStringLiteral("+r+H"), Name);
    EXPECT_FALSE(OwnerCanWrite(Name));
    KVXSetFileAttributes(QStringLiteral("+R-R"), Name);
    EXPECT_TRUE(OwnerCanWrite(Name));
    KVXSetFileAttributes(QStringLiteral("-S-H"), Name);
    EXPECT_TRUE(OwnerCanWrite(Name));

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
    const int Boundary = 1024 * 1024;
    Content.replace(Boundary - 10, Marker.size() + 9, Marker + "2.1.0.57" + QByteArray(1, '\0'));
    const QString Exe = Path("fenolda");
    Write(Exe, Content);
    EXPECT_EQ(KVXGetFileVersion(Exe), QStringLiteral("2.1.0.57"));

    const QString AtEnd = Path("end.bin");
    Write(AtEnd, QByteArray("xx") + Marker + "10.0.3.65535");
    EXPECT_EQ(KVXGetFileVersion(AtEnd), QStringLiteral("10.0.3.65535"));

    const QString Plain = Path("plain.txt");
    Write(Plain, QByteArray("no version here ") + Marker + "1.2.3");
    EXPECT_EQ(KVXGetFileVersion(Plain), QString());
    EXPECT_EQ(KVXGetFileVersion(Path("missing")), QString());
}
