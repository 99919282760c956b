// A folder where writing runs out of room, for the tests of writes that must fail without
// losing the file they replace. A test program that uses it links fenolda_fulldisk.
//
//   TFullDisk Disk;          a folder of its own: a small tmpfs where this process may mount
//                            one (root outside a restricted container), else a temporary folder
//   Disk.Path(Name)          a file in it; put the older files there before Fill()
//   Disk.Fill(Room)          no room left but Room bytes: the tmpfs's blocks are used up (Room
//                            rounded up to pages), or else the files of the folder may grow by
//                            Room bytes in all and no further: a write that needs more stops
//                            short, and the next one fails with ENOSPC, as on a real full disk.
//                            Files outside the folder keep their room, so the test's own
//                            database and log still grow.
//   Disk.UseUpInodes()       not even an empty file fits any more (false without a tmpfs)
//   Disk.MakeReadOnly()      the folder takes no new file (false when this cannot be arranged:
//                            root without a mount of its own passes every permission check)
//
// Without a tmpfs the room is kept by FullDisk.cpp, which stands in front of the C library's
// write, pwrite, pwrite64, ftruncate and ftruncate64, the calls through which our file
// routines, Qt's QFile and SQLite write. Other ways of writing (writev, mmap, sendfile...)
// are not held back.
//
// The destructor gives the room back (tmpfs unmounted).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TFullDisk
{
public:
    TFullDisk();
    ~TFullDisk();
    TFullDisk(const TFullDisk &) = delete;
    TFullDisk &operator=(const TFullDisk &) = delete;

    QString Path(const QString &Name) const { return QDir(Dir.path()).filePath(Name); }
    bool Mounted() const { return FMounted; }

    void Fill(qint64 Room = 0);
    // After Fill, not even an empty file can be made: every inode is taken too. False
    // where the folder is no tmpfs of its own.
    bool UseUpInodes();
    // Gives the room back before the end of the test, when it must write again.
    void Release();
    bool MakeReadOnly();

    QTemporaryDir Dir;

private:
    QString Filler() const { return Path(QStringLiteral(".filler")); }
    QByteArray Native() const;

    bool FMounted = false;
    bool FReadOnly = false;
};
