// File routines of the in-house library: write a line or a text, read a whole file, test,
// size and attributes of a file, and the four-part version a program file carries.
#pragma once

#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A file that could not be put in place of the old one. ErrorCode and Message are those of
// EInOutError (101 when the disk is full); FileName is the file meant, Folder the folder
// when no new file could be made in it (no write permission, read-only file system).
class EFileWriteError : public EInOutError
{
public:
    EFileWriteError(const EInOutError &Cause, const QString &File, const QString &InFolder = QString())
        : EInOutError(Cause.ErrorCode, Cause.Message), FileName(File), Folder(InFolder)
    {
    }

    QString FileName;
    QString Folder;
};

// The text of a file's bytes: UTF-16 after a UTF-16 byte-order mark, UTF-8 when they are
// valid UTF-8, else Windows-1252, so that files written by the Windows program still read.
// One leading byte-order mark is dropped; a second one is text.
QString KVXDecodeText(const QByteArray &Bytes);

// Writes Line as UTF-8 followed by CR LF; Rewrite replaces the file (KVXReplaceFile),
// otherwise the line is appended (the file is created when missing). The file is closed
// again before returning. A failure raises "[KVXWriteLine][FileName=<name>] <reason>" as an
// exception of the failure's own kind (EFileWriteError, EInOutError or Exception).
void KVXWriteLine(const QString &FileName, const QString &Line, bool Rewrite);
// As KVXWriteLine without the line end; a failure raises EInOutError.
void KVXWriteText(const QString &FileName, const QString &Text, bool Rewrite);
// Replaces FileName by a file holding exactly Bytes, or leaves it as it was: the bytes go to
// a new file beside it, which is synced to the disk and checked for its size before it
// takes the name, and the folder is synced after the rename. Any failure removes the new
// file and raises EFileWriteError, with the old file untouched; the old file is never
// written over in place, not even when no new file can be made beside it. A missing file
// is created, an existing one keeps its permissions, a link has the file it points to
// replaced. A read-only file is refused.
void KVXReplaceFile(const QString &FileName, const QByteArray &Bytes);
// KVXReplaceFile with a copy of the file Source, read and written block by block so that a
// large file never sits in memory. A Source that cannot be read raises EInOutError.
void KVXCopyFileOver(const QString &Source, const QString &Target);
// The whole file decoded by KVXDecodeText. A missing file raises Exception
// 'The file "<name>" does not exist'; a failing read raises EInOutError.
QString KVXReadFile(const QString &FileName);
// The whole file as bytes, with the same errors as KVXReadFile.
QByteArray KVXReadFileBytes(const QString &FileName);
// The whole of a file that the user named, read only when it is a regular file of at most
// MaxSize bytes; it is opened so that a FIFO never blocks. Anything else (a FIFO, a device, a
// folder, a larger file) raises Exception naming the file and what it is, without a byte read;
// a missing file raises Exception 'The file "<name>" does not exist'.
QByteArray KVXReadRegularFile(const QString &FileName, qint64 MaxSize);
// True when FileName names a file that exists or can be opened for reading; false for a
// blank name and for a folder.
bool KVXFileExists(const QString &FileName);
// Changes holds codes such as "+R", "-R" (either case): "+R" makes the file read-only (the
// owner's write permission is cleared), "-R" writable; with both, "-R" wins. "+H", "+S",
// "-H" and "-S" are accepted and have no effect. A blank name raises Exception "Filename is
// not defined"; a failure 'Unable to change attributs of file "<name>: error code=<code>'.
void KVXSetFileAttributes(const QString &Changes, const QString &FileName);
// The size in bytes of the file, or Default when there is none.
qint64 KVXFileSize(const QString &FileName, qint64 Default);
// The version "N.N.N.N" that a program file carries behind the marker "KVX-FILE-VERSION:",
// or "" when it carries none or cannot be read.
QString KVXGetFileVersion(const QString &FileName);
