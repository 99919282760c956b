// A folder of its own on another file system than a test's folder, for the writes through a
// link that crosses file systems: a rename from the folder as typed could not reach it.
// Header-only, for every layer's tests.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>

class TOtherFileSystem
{
public:
    // A tmpfs under /dev/shm, when it is writable and apart from Here.
    explicit TOtherFileSystem(const QString &Here) : FDir(QStringLiteral("/dev/shm/fenolda-XXXXXX"))
    {
        struct stat Near;
        struct stat Far;
        FValid = FDir.isValid() && ::stat(QFile::encodeName(Here).constData(), &Near) == 0 &&
                 ::stat(QFile::encodeName(FDir.path()).constData(), &Far) == 0 && Near.st_dev != Far.st_dev;
    }

    bool Valid() const { return FValid; }
    QString Path(const QString &Name) const { return FDir.filePath(Name); }

private:
    QTemporaryDir FDir;
    bool FValid = false;
};
