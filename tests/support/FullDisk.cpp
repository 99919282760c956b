// The full disk of the tests. Where no tmpfs can be mounted, the room of a filled folder is
// kept here: the test program defines the C library's write calls itself, so the dynamic
// linker sends every writer of the process here first (our file routines, Qt, SQLite; with
// AddressSanitizer its interceptors come next). A call goes straight on to the next
// definition unless a folder is filled and the call would grow a file inside it beyond the
// room left.

// Each call is defined under its own name: asked for 64-bit offsets, the C library's headers
// would make ftruncate a second ftruncate64.
#undef _FILE_OFFSET_BITS

#include "FullDisk.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <cerrno>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The regular files under Folder (canonical, ending with '/') may hold Capacity bytes in all.
struct TLimit
{
    const TFullDisk *Disk;
    std::string Folder;
    qint64 Capacity;
};

// Held by every write while a folder is filled, from the room's count to the write itself,
// so that two threads never both take the last bytes. Nothing done under it writes, so a
// write never comes back here while holding it.
std::mutex LimitLock;
std::vector<TLimit> Limits;
// All that a write costs while no folder is filled.
std::atomic<bool> AnyLimit{false};

// The definition that a call would have reached without this file: the C library's, or the
// sanitizer's interceptor in front of it.
template <class TFn> TFn NextDefinition(const char *Name)
{
    void *Fn = ::dlsym(RTLD_NEXT, Name);
    if (!Fn)
        std::abort();
    return reinterpret_cast<TFn>(Fn);
}

// Bytes held by the regular files of the open folder FolderFd and its sub-folders; closes it.
qint64 UsageOf(int FolderFd)
{
    DIR *Folder = ::fdopendir(FolderFd);
    if (!Folder) {
        if (FolderFd >= 0)
            ::close(FolderFd);
        return 0;
    }
    qint64 Total = 0;
    while (const dirent *Entry = ::readdir(Folder)) {
        if (std::strcmp(Entry->d_name, ".") == 0 || std::strcmp(Entry->d_name, "..") == 0)
            continue;
        struct stat St;
        if (::fstatat(::dirfd(Folder), Entry->d_name, &St, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(St.st_mode))
            Total += St.st_size;
        else if (S_ISDIR(St.st_mode))
            Total += UsageOf(::openat(::dirfd(Folder), Entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    ::closedir(Folder);
    return Total;
}

// Counted from the files as they are now, so that a file deleted or cut shorter gives its
// room back as on a disk (at once here, even while a deleted file is still open).
qint64 RoomLeft(const TLimit &Limit)
{
    const qint64 Used = UsageOf(::open(Limit.Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return std::max<qint64>(0, Limit.Capacity - Used);
}

// The filled folder holding the regular file open as Fd, with the file's state; none for
// anything else (a pipe, a terminal, a file elsewhere).
const TLimit *LimitOf(int Fd, struct stat &St)
{
    if (::fstat(Fd, &St) != 0 || !S_ISREG(St.st_mode))
        return nullptr;
    char Link[32];
    std::snprintf(Link, sizeof Link, "/proc/self/fd/%d", Fd);
    char Target[PATH_MAX];
    const ssize_t Length = ::readlink(Link, Target, sizeof Target);
    for (const TLimit &Limit : Limits) {
        if (Length > ssize_t(Limit.Folder.size()) && std::memcmp(Target, Limit.Folder.data(), Limit.Folder.size()) == 0)
            return &Limit;
    }
    return nullptr;
}

// Writes Count bytes at Offset (-1: where the file position, or O_APPEND, puts them) through
// Write, or, in a filled folder, what still fits: a short write first, then ENOSPC.
template <class TWrite> ssize_t WriteWithinRoom(int Fd, std::size_t Count, off64_t Offset, TWrite &&Write)
{
    const std::lock_guard<std::mutex> Guard(LimitLock);
    struct stat St;
    const TLimit *Limit = LimitOf(Fd, St);
    if (!Limit || Count == 0)
        return Write(Count);
    if (Offset < 0)
        Offset = (::fcntl(Fd, F_GETFL) & O_APPEND) ? St.st_size : ::lseek64(Fd, 0, SEEK_CUR);
    const qint64 Fits = qint64(St.st_size) + RoomLeft(*Limit) - Offset;
    if (qint64(Count) <= Fits)
        return Write(Count);
    if (Fits > 0)
        return Write(std::size_t(Fits));
    errno = ENOSPC;
    return -1;
}

// Room counts file sizes, so a file made longer takes it as if the bytes were written.
template <class TTruncate> int TruncateWithinRoom(int Fd, off64_t Length, TTruncate &&Truncate)
{
    const std::lock_guard<std::mutex> Guard(LimitLock);
    struct stat St;
    const TLimit *Limit = LimitOf(Fd, St);
    if (Limit && Length > St.st_size && Length - qint64(St.st_size) > RoomLeft(*Limit)) {
        errno = ENOSPC;
        return -1;
    }
    return Truncate();
}

} // namespace

extern "C" {

ssize_t write(int Fd, const void *Buffer, size_t Count)
{
    static const auto Next = NextDefinition<decltype(&write)>("write");
    if (!AnyLimit.load(std::memory_order_acquire))
        return Next(Fd, Buffer, Count);
    return WriteWithinRoom(Fd, Count, -1, [&](size_t N) { return Next(Fd, Buffer, N); });
}

ssize_t pwrite(int Fd, const void *Buffer, size_t Count, off_t Offset)
{
    static const auto Next = NextDefinition<decltype(&pwrite)>("pwrite");
    if (!AnyLimit.load(std::memory_order_acquire))
        return Next(Fd, Buffer, Count, Offset);
    return WriteWithinRoom(Fd, Count, Offset, [&](size_t N) { return Next(Fd, Buffer, N, Offset); });
}

ssize_t pwrite64(int Fd, const void *Buffer, size_t Count, off64_t Offset)
{
    static const auto Next = NextDefinition<decltype(&pwrite64)>("pwrite64");
    if (!AnyLimit.load(std::memory_order_acquire))
        return Next(Fd, Buffer, Count, Offset);
    return WriteWithinRoom(Fd, Count, Offset, [&](size_t N) { return Next(Fd, Buffer, N, Offset); });
}

int ftruncate(int Fd, off_t Length) noexcept
{
    static const auto Next = NextDefinition<decltype(&ftruncate)>("ftruncate");
    if (!AnyLimit.load(std::memory_order_acquire))
        return Next(Fd, Length);
    return TruncateWithinRoom(Fd, Length, [&] { return Next(Fd, Length); });
}

int ftruncate64(int Fd, off64_t Length) noexcept
{
    static const auto Next = NextDefinition<decltype(&ftruncate64)>("ftruncate64");
    if (!AnyLimit.load(std::memory_order_acquire))
        return Next(Fd, Length);
    return TruncateWithinRoom(Fd, Length, [&] { return Next(Fd, Length); });
}

} // extern "C"

TFullDisk::TFullDisk()
{
    FMounted =
        ::mount("tmpfs", Native().constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=2m,nr_inodes=64,mode=0700") == 0;
}

TFullDisk::~TFullDisk()
{
    Release();
    if (FReadOnly && !FMounted)
        QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (FMounted)
        ::umount2(Native().constData(), MNT_DETACH);
}

void TFullDisk::Fill(qint64 Room)
{
    if (FMounted) {
        QDir().mkpath(Filler());
        const int Fd = ::open(QFile::encodeName(Filler() + QStringLiteral("/blocks")).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const QByteArray Block(4096, 'x');
        qint64 Size = 0;
        while (Fd >= 0 && ::write(Fd, Block.constData(), size_t(Block.size())) > 0)
            Size += Block.size();
        if (Fd >= 0) {
            if (Room > 0)
                ::ftruncate(Fd, qMax<qint64>(0, Size - (Room + 4095) / 4096 * 4096));
            ::close(Fd);
        }
        return;
    }
    const QString Canonical = QFileInfo(Dir.path()).canonicalFilePath();
    // Without a folder of its own, "/" would hold back every write of the process.
    if (Canonical.isEmpty())
        return;
    const std::string Folder = QFile::encodeName(Canonical).toStdString() + '/';
    const std::lock_guard<std::mutex> Guard(LimitLock);
    Limits.erase(std::remove_if(Limits.begin(), Limits.end(), [this](const TLimit &L) { return L.Disk == this; }),
                 Limits.end());
    Limits.push_back({this, Folder,
                      std::max<qint64>(0, Room) + UsageOf(::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))});
    AnyLimit.store(true, std::memory_order_release);
}

bool TFullDisk::UseUpInodes()
{
    if (!FMounted)
        return false;
    QDir().mkpath(Filler());
    for (int I = 0;; ++I) {
        const int Fd = ::open(QFile::encodeName(Filler() + QStringLiteral("/%1").arg(I)).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (Fd < 0)
            return errno == ENOSPC;
        ::close(Fd);
    }
}

void TFullDisk::Release()
{
    {
        const std::lock_guard<std::mutex> Guard(LimitLock);
        Limits.erase(std::remove_if(Limits.begin(), Limits.end(), [this](const TLimit &L) { return L.Disk == this; }),
                     Limits.end());
        AnyLimit.store(!Limits.empty(), std::memory_order_release);
    }
    if (FMounted)
        QDir(Filler()).removeRecursively();
}

bool TFullDisk::MakeReadOnly()
{
    if (FMounted)
        FReadOnly = ::mount(nullptr, Native().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (FMounted)
        return FReadOnly;
    if (::geteuid() == 0)
        return false;
    FReadOnly = QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    return FReadOnly;
}

QByteArray TFullDisk::Native() const
{
    return QFile::encodeName(Dir.path());
}
