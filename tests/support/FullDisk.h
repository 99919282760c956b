// A folder where writing runs out of room, for the tests of writes that must fail without
// losing the file they replace; header-only, so that every layer's tests can use it.
//
//   TFullDisk Disk;          a folder of its own: a small tmpfs where this process may mount
//                            one (root outside a restricted container), else a temporary folder
//   Disk.Path(Name)          a file in it; put the older files there before Fill()
//   Disk.Fill()              no room left: the tmpfs's blocks and inodes are used up, or else the process's file
//                            size limit drops to a few bytes with SIGXFSZ ignored, so that a
//                            write stops short with EFBIG as it does with ENOSPC on a full disk
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

    void Fill()
    {
        if (FMounted) {
            // Every block, then every inode, so that neither a write nor a new file fits.
            const QString Filler = Path(QStringLiteral(".filler"));
            QDir().mkpath(Filler);
            const int Fd = ::open(QFile::encodeName(Filler + QStringLiteral("/blocks")).constData(),
                                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            const QByteArray Block(4096, 'x');
            while (Fd >= 0 && ::write(Fd, Block.constData(), size_t(Block.size())) > 0) {
            }
            if (Fd >= 0)
                ::close(Fd);
            for (int I = 0;; ++I) {
                const int Empty = ::open(QFile::encodeName(Filler + QStringLiteral("/%1").arg(I)).constData(),
                                         O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
                if (Empty < 0)
                    break;
                ::close(Empty);
            }
            return;
        }
        if (FLimited)
            return;
        ::getrlimit(RLIMIT_FSIZE, &FLimit);
        FSignal = std::signal(SIGXFSZ, SIG_IGN);
        // A few bytes go through, so that the write stops short as on a disk that fills up
        // while it is written.
        const rlimit Limit{16, FLimit.rlim_max};
        FLimited = ::setrlimit(RLIMIT_FSIZE, &Limit) == 0;
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
            QDir(Path(QStringLiteral(".filler"))).removeRecursively();
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
    QByteArray Native() const { return QFile::encodeName(Dir.path()); }

    bool FMounted = false;
    bool FLimited = false;
    bool FReadOnly = false;
    rlimit FLimit{};
    void (*FSignal)(int) = SIG_DFL;
};
