// A folder where writing runs out of room, for the tests of writes that must fail without
// losing the file they replace; header-only, so that every layer's tests can use it.
//
//   TFullDisk Disk;          a folder of its own: a small tmpfs where this process may mount
//                            one (root outside a restricted container), else a temporary folder
//   Disk.Path(Name)          a file in it; put the older files there before Fill()
//   Disk.Fill(Room)          no room left but Room bytes (rounded up to pages on the tmpfs):
//                            the tmpfs's blocks are used up, or else the process's file size
//                            limit drops to Room (a few bytes by default) with SIGXFSZ
//                            ignored, so that a write stops short with EFBIG as it does with
//                            ENOSPC on a full disk
//   Disk.UseUpInodes()       not even an empty file fits any more (false without a tmpfs)
//   Disk.MakeReadOnly()      the folder takes no new file (false when this cannot be arranged:
//                            root without a mount of its own passes every permission check)
//
// The destructor gives the room back (limit and signal restored, tmpfs unmounted).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

class TFullDisk
{
public:
    TFullDisk()
    {
        FMounted = ::mount("tmpfs", Native().constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           "size=2m,nr_inodes=64,mode=0700") == 0;
    }
    ~TFullDisk()
    {
        Release();
        if (FReadOnly && !FMounted)
            QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (FMounted)
            ::umount2(Native().constData(), MNT_DETACH);
    }
    TFullDisk(const TFullDisk &) = delete;
    TFullDisk &operator=(const TFullDisk &) = delete;

    QString Path(const QString &Name) const { return QDir(Dir.path()).filePath(Name); }
    bool Mounted() const { return FMounted; }

    void Fill(qint64 Room = 0)
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
        if (FLimited)
            return;
        ::getrlimit(RLIMIT_FSIZE, &FLimit);
        FSignal = std::signal(SIGXFSZ, SIG_IGN);
        // A few bytes go through, so that the write stops short as on a disk that fills up
        // while it is written.
        const rlimit Limit{rlim_t(Room > 0 ? Room : 16), FLimit.rlim_max};
        FLimited = ::setrlimit(RLIMIT_FSIZE, &Limit) == 0;
    }

    // After Fill, not even an empty file can be made: every inode is taken too. False
    // where the folder is no tmpfs of its own.
    bool UseUpInodes()
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

    // Gives the room back before the end of the test, when it must write again.
    void Release()
    {
        if (FLimited) {
            ::setrlimit(RLIMIT_FSIZE, &FLimit);
            std::signal(SIGXFSZ, FSignal);
            FLimited = false;
        }
        if (FMounted)
            QDir(Filler()).removeRecursively();
    }

    bool MakeReadOnly()
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

    QTemporaryDir Dir;

private:
    QString Filler() const { return Path(QStringLiteral(".filler")); }
    QByteArray Native() const { return QFile::encodeName(Dir.path()); }

    bool FMounted = false;
    bool FLimited = false;
    bool FReadOnly = false;
    rlimit FLimit{};
    void (*FSignal)(int) = SIG_DFL;
};
