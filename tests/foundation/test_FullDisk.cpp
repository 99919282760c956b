// The full disk that the tests of failed writes rely on: only the files of its folder run out
// of room, as on a real disk of that size, and the rest of the process writes on.
#include "FullDisk.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

int OpenForWriting(const QString &FileName)
{
    return ::open(QFile::encodeName(FileName).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
}

} // namespace

TEST(TFullDiskTest, OnlyTheFolderRunsOutOfRoomByteForByte)
{
    TFullDisk Disk;
    QTemporaryDir Elsewhere;
    QFile Outside(Elsewhere.filePath(QStringLiteral("outside")));
    ASSERT_TRUE(Outside.open(QIODevice::WriteOnly));
    int Old = OpenForWriting(Disk.Path(QStringLiteral("old")));
    ASSERT_EQ(::write(Old, QByteArray(100, 'o').constData(), 100), 100);
    const int New = OpenForWriting(Disk.Path(QStringLiteral("new")));

    Disk.Fill();
    errno = 0;
    EXPECT_EQ(::write(New, "n", 1), -1);
    EXPECT_EQ(errno, ENOSPC);
    const QByteArray Block(1 << 20, 'x');
    EXPECT_EQ(Outside.write(Block), Block.size());
    EXPECT_TRUE(Outside.flush());

    // A tmpfs counts its room in pages; the stand-in counts bytes over the whole folder.
    if (!Disk.Mounted()) {
        Disk.Fill(10);
        EXPECT_EQ(::pwrite(Old, "rewritten", 9, 0), 9) << "bytes a file holds take no new room";
        EXPECT_EQ(::write(New, "12345678", 8), 8);
        EXPECT_EQ(::write(Old, "abcdefgh", 8), 2) << "a short write first";
        EXPECT_EQ(::write(Old, "abcdefgh", 8), -1);
        EXPECT_EQ(::ftruncate(New, 4096), -1);
        EXPECT_EQ(errno, ENOSPC);
        ::close(std::exchange(Old, -1));
        ASSERT_EQ(::unlink(QFile::encodeName(Disk.Path(QStringLiteral("old"))).constData()), 0);
        EXPECT_EQ(::write(New, Block.constData(), 200), 102) << "a deleted file gives its room back";
    }

    Disk.Release();
    EXPECT_EQ(::write(New, Block.constData(), 4096), 4096);
    for (const int Fd : {Old, New})
        ::close(Fd);
}
