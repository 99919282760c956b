// File routines of the in-house library: write a line or a text, read a whole file, test,
// size and attributes of a file, and the four-part version a program file carries.
#pragma once

#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

// Why a file could not be written, when the file system says more than an error code.
enum class TWriteProblem
{
    Other,         // ErrorCode says it
    DiskFull,      // no room left (ErrorCode 101)
    FolderClosed,  // Folder takes no new file (no write permission, read-only file system)
    FolderMissing, // Folder does not exist, or is not a folder
    ReadOnly,      // Target is read-only
    IsFolder,      // Target is a folder
    NotRegular,    // Target is a device, a FIFO or a socket
    NameTooLong,   // the file system takes no such name
    OwnFile,       // Target is another file that the program keeps for itself
    TooLarge,      // Target holds more than the program reads of it (Size), so it cannot be rewritten
};

// A file that could not be put in place of the old one. ErrorCode and Message are those of
// EInOutError (101 when the disk is full); FileName is the file meant, Target the path the
// write lands on once links are followed (empty when it could not be worked out), and
// Folder the folder that Problem speaks of.
class EFileWriteError : public EInOutError
{
public:
    EFileWriteError(const EInOutError &Cause, const QString &File, const QString &InFolder = QString(),
                    TWriteProblem Why = TWriteProblem::Other)
        : EInOutError(Cause.ErrorCode, Cause.Message), FileName(File), Folder(InFolder),
          Problem(Why == TWriteProblem::Other && Cause.ErrorCode == 101 ? TWriteProblem::DiskFull : Why)
    {
    }

    QString FileName;
    QString Folder;
    QString Target;
    TWriteProblem Problem;
    // The size of the file in bytes, for TooLarge; -1 when unknown.
    qint64 Size = -1;
};

// Why a file could not be read.
enum class TReadProblem
{
    Other,      // ErrorCode says it
    Missing,    // no such file
    NotRegular, // a folder, a device, a FIFO or a socket
    TooLarge,   // more bytes than the reader takes
};

// A file that could not be read. The message is the one the reading routine documents.
class EFileReadError : public EInOutError
{
public:
    EFileReadError(int Code, const QString &Msg, const QString &File, TReadProblem Why)
        : EInOutError(Code, Msg), FileName(File), Problem(Why)
    {
    }

    QString FileName;
    TReadProblem Problem;
    // The size of the file in bytes, for TooLarge; -1 when unknown.
    qint64 Size = -1;
};

// Called with the path a write lands on, before anything is written; refuses the write by
// raising.
using TWriteCheck = std::function<void(const QString &Written)>;

// The path that a write to FileName lands on, as the system resolves it: the folder part
// through the system (a link before ".." is followed first), then a link in the name's place
// followed, its relative target taken from the link's real folder, through chains up to the
// system's limit; a link to a file that does not exist yet leads to that file. A name whose
// folder does not exist raises EFileWriteError (FolderMissing), a name too long for the
// file system (NameTooLong), a loop of links (Other).
QString KVXWrittenPath(const QString &FileName);

// The text of a file's bytes: UTF-16 after a UTF-16 byte-order mark, UTF-8 when they are
// valid UTF-8, else Windows-1252, so that files written by the Windows program still read.
// One leading byte-order mark is dropped; a second one is text.
QString KVXDecodeText(const QByteArray &Bytes);

// Writes Line as UTF-8 followed by CR LF; Rewrite replaces the file (KVXReplaceFile),
// otherwise the line is appended (the file is created when missing). The file is closed
// again before returning. Check, when given, sees the path the write lands on first. An
// append goes only to a regular file, opened without waiting. A failure raises
// "[KVXWriteLine][FileName=<name>] <reason>" as an exception of the failure's own kind
// (EFileWriteError, EInOutError or Exception).
void KVXWriteLine(const QString &FileName, const QString &Line, bool Rewrite, const TWriteCheck &Check = {});
// As KVXWriteLine without the line end; a failure raises EInOutError.
void KVXWriteText(const QString &FileName, const QString &Text, bool Rewrite, const TWriteCheck &Check = {});
// Replaces the file that a write to FileName lands on (KVXWrittenPath) by a file holding
// exactly Bytes, or leaves it as it was: Check, when given, sees that path first; the bytes
// go to a new file of a short name in that path's folder, which is synced to the disk and
// checked for its size before it is renamed onto that path, and the folder is synced after
// the rename. So a link stays a link and the file it points to is replaced. Any failure
// removes the new file and raises EFileWriteError, with the old file untouched; the old file
// is never written over in place. A missing file is created, an existing one keeps its
// permissions. A read-only file, a folder, a device or a FIFO is refused.
void KVXReplaceFile(const QString &FileName, const QByteArray &Bytes, const TWriteCheck &Check = {});
// KVXReplaceFile with a copy of the file Source, read and written block by block so that a
// large file never sits in memory. A Source that cannot be read raises EFileReadError (as
// KVXReadFileBytes).
void KVXCopyFileOver(const QString &Source, const QString &Target, const TWriteCheck &Check = {});
// The whole file decoded by KVXDecodeText (KVXReadFileBytes).
QString KVXReadFile(const QString &FileName);
// The whole file as bytes, read only when it is a regular file: it is checked before it is
// opened (opening a device can act on it), opened so that a FIFO never blocks, and checked
// again. Raises EFileReadError: 'The file "<name>" does not exist' (Missing), a folder, a
// device or a FIFO (NotRegular), a failed read (Other).
QByteArray KVXReadFileBytes(const QString &FileName);
// KVXReadFileBytes for a file that the user named, of at most MaxSize bytes: a larger one
// raises EFileReadError (TooLarge) without more than MaxSize bytes read.
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
