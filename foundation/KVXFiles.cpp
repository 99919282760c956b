#include "KVXFiles.h"

#include "SysUtils.h"

#include <QByteArrayMatcher>
#include <QFile>
#include <QStringDecoder>

#include <array>
#include <vector>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open file descriptor, closed when it goes out of scope.
class TFileHandle
{
public:
    explicit TFileHandle(int Fd) : FFd(Fd) {}
    ~TFileHandle()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileHandle(const TFileHandle &) = delete;
    TFileHandle &operator=(const TFileHandle &) = delete;

    int Fd() const { return FFd; }
    // Gives the descriptor up to the caller, who closes it.
    void Release() { FFd = -1; }
    // Closes now and reports the error of the close itself (a delayed write failure).
    int Close()
    {
        const int R = ::close(FFd);
        FFd = -1;
        return R;
    }

private:
    int FFd;
};

QByteArray NativeName(const QString &FileName)
{
    return QFile::encodeName(FileName);
}

bool IsBlank(const QString &S)
{
    return Trim(S).isEmpty();
}

// Windows-1252 of the bytes 0x80..0x9F; the five bytes that code page leaves undefined keep
// the control character of the same number, as the Windows conversion does.
constexpr std::array<char16_t, 32> Cp1252High{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
}};

QString DecodeCp1252(const QByteArray &Bytes)
{
    QString R(Bytes.size(), Qt::Uninitialized);
    QChar *Out = R.data();
    for (const char B : Bytes) {
        const auto U = static_cast<unsigned char>(B);
        *Out++ = (U >= 0x80 && U <= 0x9F) ? QChar(Cp1252High[U - 0x80]) : QChar(U);
    }
    return R;
}

// Writes Size bytes from P; 0, or the errno of the write that failed. A write that takes
// nothing counts as a full disk rather than looping for ever.
int WriteAll(int Fd, const char *P, qint64 Size)
{
    while (Size > 0) {
        const ssize_t W = ::write(Fd, P, size_t(Size));
        if (W < 0 && errno == EINTR)
            continue;
        if (W < 0)
            return errno;
        if (W == 0)
            return ENOSPC;
        P += W;
        Size -= W;
    }
    return 0;
}

// Copies the rest of SourceFd to Fd; the count of bytes read. A failed read raises
// EInOutError, a failed write returns through Error.
qint64 CopyAll(int SourceFd, int Fd, int &Error)
{
    std::vector<char> Block(std::size_t(1) << 20);
    qint64 Total = 0;
    for (;;) {
        const ssize_t R = ::read(SourceFd, Block.data(), Block.size());
        if (R < 0 && errno == EINTR)
            continue;
        if (R < 0)
            throw EInOutError::FromErrno(errno);
        if (R == 0)
            return Total;
        Error = WriteAll(Fd, Block.data(), R);
        if (Error)
            return Total;
        Total += R;
    }
}

// The folder's entry of a renamed file reaches the disk only with the folder itself. A
// file system that cannot sync a folder (EINVAL) keeps its entries by its own means, and a
// folder that cannot be opened for reading cannot be synced by this process at all.
int SyncFolder(const QByteArray &Folder)
{
    TFileHandle F(::open(Folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (F.Fd() < 0)
        return 0;
    if (::fsync(F.Fd()) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

EFileWriteError WriteFailure(const QString &FileName, int Error, TWriteProblem Why = TWriteProblem::Other,
                             const QByteArray &Folder = QByteArray(), const QByteArray &Target = QByteArray())
{
    // A folder that takes no new file is named: it is what the user can change.
    const EInOutError Cause =
        Why == TWriteProblem::FolderClosed
            ? EInOutError(5, QStringLiteral("Cannot create a file in the folder \"%1\"").arg(QFile::decodeName(Folder)))
            : EInOutError::FromErrno(Error);
    EFileWriteError E(Cause, FileName, QFile::decodeName(Folder), Why);
    E.Target = QFile::decodeName(Target);
    return E;
}

// The folder part of Path and its last name, as written.
void SplitPath(const QByteArray &Path, QByteArray &Folder, QByteArray &Name)
{
    const qsizetype Slash = Path.lastIndexOf('/');
    Folder = Slash < 0 ? QByteArray(".") : Slash == 0 ? QByteArray("/") : Path.left(Slash);
    Name = Path.mid(Slash + 1);
}

// The system's own path of an existing folder, or the errno why there is none.
int RealFolder(const QByteArray &Folder, QByteArray &Real)
{
    char *Resolved = ::realpath(Folder.constData(), nullptr);
    if (!Resolved)
        return errno;
    Real = QByteArray(Resolved);
    ::free(Resolved);
    struct stat St;
    if (::stat(Real.constData(), &St) != 0)
        return errno;
    return S_ISDIR(St.st_mode) ? 0 : ENOTDIR;
}

QByteArray InFolder(const QByteArray &Folder, const QByteArray &Name)
{
    return (Folder == "/" ? QByteArray() : Folder) + '/' + Name;
}

// Linux follows at most 40 links in one lookup.
constexpr int MaxLinks = 40;

QByteArray WrittenPathOf(const QString &FileName)
{
    QByteArray Path = NativeName(FileName);
    if (Path.isEmpty())
        throw WriteFailure(FileName, ENOENT);
    for (int Links = 0;; ++Links) {
        QByteArray Folder;
        QByteArray Name;
        SplitPath(Path, Folder, Name);
        QByteArray Real;
        // "dir/", "dir/." or "dir/..": the name is a folder's, the system resolves it whole.
        if (Name.isEmpty() || Name == "." || Name == "..") {
            if (const int Error = RealFolder(Path, Real))
                throw WriteFailure(FileName, Error, TWriteProblem::FolderMissing, Path);
            return Real;
        }
        if (Name.size() > NAME_MAX)
            throw WriteFailure(FileName, ENAMETOOLONG, TWriteProblem::NameTooLong);
        // The system resolves the folder: a link before ".." is followed before ".." is.
        if (const int Error = RealFolder(Folder, Real)) {
            const TWriteProblem Why = Error == ENOENT || Error == ENOTDIR ? TWriteProblem::FolderMissing
                                      : Error == ENAMETOOLONG             ? TWriteProblem::NameTooLong
                                                                          : TWriteProblem::Other;
            throw WriteFailure(FileName, Error, Why, Folder);
        }
        const QByteArray Full = InFolder(Real, Name);
        struct stat St;
        if (::lstat(Full.constData(), &St) != 0 || !S_ISLNK(St.st_mode))
            return Full;
        if (Links == MaxLinks)
            throw WriteFailure(FileName, ELOOP);
        // A relative target starts from the link's real folder, not from the path as typed.
        std::array<char, PATH_MAX> Buffer{};
        const ssize_t Size = ::readlink(Full.constData(), Buffer.data(), Buffer.size());
        if (Size < 0 || Size == ssize_t(Buffer.size()))
            throw WriteFailure(FileName, Size < 0 ? errno : ENAMETOOLONG);
        const QByteArray Target(Buffer.data(), Size);
        Path = Target.startsWith('/') ? Target : InFolder(Real, Target);
    }
}

// Opens a file to read only when it is a regular file of at most MaxSize bytes (MaxSize < 0:
// any size): checked before it is opened, since opening a device can act on it, opened
// without waiting, so that a FIFO put in its place meanwhile never blocks, and what was
// opened checked again.
int OpenRegular(const QString &FileName, qint64 MaxSize)
{
    const QByteArray Name = NativeName(FileName);
    const auto Check = [&](const struct stat &St) {
        if (!S_ISREG(St.st_mode))
            throw EFileReadError(5, QStringLiteral("\"%1\" is not a regular file").arg(FileName), FileName,
                                 TReadProblem::NotRegular);
        if (MaxSize >= 0 && St.st_size > MaxSize) {
            EFileReadError TooLarge(
                5, QStringLiteral("\"%1\" holds %2 bytes, more than %3").arg(FileName).arg(St.st_size).arg(MaxSize),
                FileName, TReadProblem::TooLarge);
            TooLarge.Size = St.st_size;
            throw TooLarge;
        }
    };
    struct stat St;
    if (IsBlank(FileName) || ::stat(Name.constData(), &St) != 0) {
        if (!IsBlank(FileName) && errno != ENOENT && errno != ENOTDIR) {
            const EInOutError Cause = EInOutError::FromErrno(errno);
            throw EFileReadError(Cause.ErrorCode, Cause.Message, FileName, TReadProblem::Other);
        }
        throw EFileReadError(2, Format(QStringLiteral("The file \"%s\" does not exist"), {FileName}), FileName,
                             TReadProblem::Missing);
    }
    Check(St);
    const int Fd = ::open(Name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    TFileHandle F(Fd);
    if (Fd < 0 || ::fstat(Fd, &St) != 0) {
        const EInOutError Cause = EInOutError::FromErrno(errno);
        throw EFileReadError(Cause.ErrorCode, Cause.Message, FileName, TReadProblem::Other);
    }
    Check(St);
    F.Release();
    return Fd;
}

// Replaces the file that a write to FileName lands on by a complete new one holding Bytes,
// or else the rest of SourceFd: the content goes to a file beside it that then takes its
// name, so a crash or a full disk never leaves half a file, or an empty one, in place of the
// old one. Nothing here ever opens the old file.
void ReplaceFile(const QString &FileName, const QByteArray *Bytes, int SourceFd, const TWriteCheck &Check)
{
    const QByteArray Target = WrittenPathOf(FileName);
    if (Check)
        Check(QFile::decodeName(Target));
    QByteArray Folder;
    QByteArray Name;
    SplitPath(Target, Folder, Name);
    const auto Fail = [&](int Error, TWriteProblem Why = TWriteProblem::Other) {
        return WriteFailure(FileName, Error, Why, Folder, Target);
    };

    struct stat St;
    const bool Exists = ::stat(Target.constData(), &St) == 0;
    if (!Exists && errno != ENOENT)
        throw Fail(errno, errno == ENAMETOOLONG ? TWriteProblem::NameTooLong : TWriteProblem::Other);
    if (Exists) {
        if (S_ISDIR(St.st_mode))
            throw Fail(EISDIR, TWriteProblem::IsFolder);
        // Replaced, a device or a FIFO would be gone.
        if (!S_ISREG(St.st_mode))
            throw Fail(EACCES, TWriteProblem::NotRegular);
        // Read-only is the absence of the owner's write permission, for a privileged user too.
        if (!(St.st_mode & S_IWUSR) || ::access(Target.constData(), W_OK) != 0)
            throw errno == EROFS ? Fail(EROFS, TWriteProblem::FolderClosed) : Fail(EACCES, TWriteProblem::ReadOnly);
    }

    // A short name of its own, so that any name the file system takes can be saved.
    QByteArray Temp;
    int Fd = -1;
    for (int Attempt = 0; Attempt < 100 && Fd < 0; ++Attempt) {
        Temp = InFolder(Folder, ".fenolda-" + QByteArray::number(qint64(::getpid())) + '-' +
                                    QByteArray::number(Attempt) + ".part");
        Fd = ::open(Temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd < 0 && errno != EEXIST)
            break;
    }
    if (Fd < 0) {
        const int Error = errno;
        throw Fail(Error, Error == EACCES || Error == EPERM || Error == EROFS ? TWriteProblem::FolderClosed
                                                                              : TWriteProblem::Other);
    }

    TFileHandle F(Fd);
    try {
        int Error = 0;
        qint64 Meant = 0;
        if (Bytes) {
            Meant = Bytes->size();
            Error = WriteAll(F.Fd(), Bytes->constData(), Meant);
        } else {
            Meant = CopyAll(SourceFd, F.Fd(), Error);
        }
        if (Error)
            throw Fail(Error);
        // The size on disk, not the count the writes returned, says the content is whole.
        struct stat Written;
        if (::fstat(F.Fd(), &Written) != 0)
            throw Fail(errno);
        if (qint64(Written.st_size) != Meant) {
            EFileWriteError Short(
                EInOutError(101, QStringLiteral("Short write: %1 of %2 bytes").arg(qint64(Written.st_size)).arg(Meant)),
                FileName);
            Short.Target = QFile::decodeName(Target);
            throw Short;
        }
        if (Exists && (Written.st_mode & 07777) != (St.st_mode & 07777) && ::fchmod(F.Fd(), St.st_mode & 07777) != 0)
            throw Fail(errno);
        if (::fsync(F.Fd()) != 0)
            throw Fail(errno);
        if (F.Close() != 0)
            throw Fail(errno);
        if (::rename(Temp.constData(), Target.constData()) != 0)
            throw Fail(errno);
    } catch (...) {
        ::unlink(Temp.constData());
        throw;
    }
    if (const int Error = SyncFolder(Folder))
        throw Fail(Error);
}

// Writes a whole new file (Rewrite) or appends to it (created when missing); throws
// EInOutError.
void WriteBytes(const QString &FileName, const QByteArray &Bytes, bool Rewrite, const TWriteCheck &Check)
{
    if (Rewrite)
        return ReplaceFile(FileName, &Bytes, -1, Check);
    const QByteArray Target = WrittenPathOf(FileName);
    if (Check)
        Check(QFile::decodeName(Target));
    const auto Fail = [&](int Error, TWriteProblem Why = TWriteProblem::Other) {
        QByteArray Folder;
        QByteArray Name;
        SplitPath(Target, Folder, Name);
        return WriteFailure(FileName, Error, Why, Folder, Target);
    };
    // Without waiting: a FIFO without a reader fails at once, one with a reader is refused.
    TFileHandle F(::open(Target.constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (F.Fd() < 0) {
        if (errno == ENOENT)
            return ReplaceFile(FileName, &Bytes, -1, Check);
        throw errno == ENXIO ? Fail(EACCES, TWriteProblem::NotRegular)
        : errno == EISDIR    ? Fail(EISDIR, TWriteProblem::IsFolder)
                             : Fail(errno);
    }
    struct stat St;
    if (::fstat(F.Fd(), &St) != 0)
        throw Fail(errno);
    if (!S_ISREG(St.st_mode))
        throw Fail(EACCES, TWriteProblem::NotRegular);
    if (const int Error = WriteAll(F.Fd(), Bytes.constData(), Bytes.size()))
        throw Fail(Error);
    if (F.Close() != 0)
        throw Fail(errno);
}

} // namespace

QString KVXDecodeText(const QByteArray &Bytes)
{
    // A file saved as UTF-16 by a Windows editor announces itself by its byte-order mark;
    // read as Windows-1252 it would be every other letter a NUL, and a settings save would
    // then write that back.
    for (const auto Encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const char *Mark = Encoding == QStringConverter::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
        if (Bytes.startsWith(Mark)) {
            QStringDecoder Utf16(Encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
            return Utf16.decode(QByteArrayView(Bytes).sliced(2));
        }
    }
    // The decoder is told to keep the byte-order mark, so that exactly one leading mark is
    // dropped here: a second one is a real U+FEFF of the text.
    QStringDecoder Utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString Text = Utf8.decode(Bytes);
    if (Utf8.hasError())
        return DecodeCp1252(Bytes);
    if (Text.startsWith(QChar(0xFEFF)))
        Text.remove(0, 1);
    return Text;
}

QString KVXWrittenPath(const QString &FileName)
{
    return QFile::decodeName(WrittenPathOf(FileName));
}

void KVXReplaceFile(const QString &FileName, const QByteArray &Bytes, const TWriteCheck &Check)
{
    ReplaceFile(FileName, &Bytes, -1, Check);
}

void KVXCopyFileOver(const QString &Source, const QString &Target, const TWriteCheck &Check)
{
    TFileHandle In(OpenRegular(Source, -1));
    ReplaceFile(Target, nullptr, In.Fd(), Check);
}

void KVXWriteLine(const QString &FileName, const QString &Line, bool Rewrite, const TWriteCheck &Check)
{
    // The context goes in front of the message; the error keeps its kind, so that whoever
    // reports it still knows a file could not be written, which one and why.
    const auto InContext = [&FileName](const Exception &E) {
        return Format(QStringLiteral("[%s][FileName=%s] %s"), {QStringLiteral("KVXWriteLine"), FileName, E.Message});
    };
    try {
        WriteBytes(FileName, Line.toUtf8() + "\r\n", Rewrite, Check);
    } catch (const EFileWriteError &E) {
        EFileWriteError InLine(EInOutError(E.ErrorCode, InContext(E)), E.FileName, E.Folder, E.Problem);
        InLine.Target = E.Target;
        throw InLine;
    } catch (const EInOutError &E) {
        throw EInOutError(E.ErrorCode, InContext(E));
    } catch (const Exception &E) {
        throw Exception(InContext(E));
    }
}

void KVXWriteText(const QString &FileName, const QString &Text, bool Rewrite, const TWriteCheck &Check)
{
    WriteBytes(FileName, Text.toUtf8(), Rewrite, Check);
}

namespace {

// Reads Fd to its end. MaxSize >= 0: a file that holds more (grown since it was measured) is
// refused without more being read.
QByteArray ReadToEnd(int Fd, const QString &FileName, qint64 MaxSize)
{
    QByteArray Result;
    std::array<char, 2048> Block{};
    for (;;) {
        const ssize_t R = ::read(Fd, Block.data(), Block.size());
        if (R < 0) {
            if (errno == EINTR)
                continue;
            const EInOutError Cause = EInOutError::FromErrno(errno);
            throw EFileReadError(Cause.ErrorCode, Cause.Message, FileName, TReadProblem::Other);
        }
        if (R == 0)
            break;
        Result.append(Block.data(), int(R));
        if (MaxSize >= 0 && Result.size() > MaxSize)
            throw EFileReadError(5, QStringLiteral("\"%1\" holds more than %2 bytes").arg(FileName).arg(MaxSize),
                                 FileName, TReadProblem::TooLarge);
    }
    return Result;
}

} // namespace

QByteArray KVXReadFileBytes(const QString &FileName)
{
    return KVXReadRegularFile(FileName, -1);
}

QByteArray KVXReadRegularFile(const QString &FileName, qint64 MaxSize)
{
    TFileHandle F(OpenRegular(FileName, MaxSize));
    return ReadToEnd(F.Fd(), FileName, MaxSize);
}

QString KVXReadFile(const QString &FileName)
{
    return KVXDecodeText(KVXReadFileBytes(FileName));
}

bool KVXFileExists(const QString &FileName)
{
    if (IsBlank(FileName))
        return false;
    const QByteArray Name = NativeName(FileName);
    struct stat St;
    if (::stat(Name.constData(), &St) == 0)
        return !S_ISDIR(St.st_mode);
    // A file the directory test cannot see may still open.
    TFileHandle F(::open(Name.constData(), O_RDONLY | O_CLOEXEC));
    if (F.Fd() < 0)
        return false;
    return ::fstat(F.Fd(), &St) == 0 && !S_ISDIR(St.st_mode);
}

void KVXSetFileAttributes(const QString &Changes, const QString &FileName)
{
    if (IsBlank(FileName))
        throw Exception(QStringLiteral("Filename is not defined"));
    const QString Codes = UpperCaseAscii(Changes);
    const QByteArray Name = NativeName(FileName);
    auto Fail = [&FileName](int Code) {
        return Exception(QStringLiteral("Unable to change attributs of file \"%s: error code=%d"), {FileName, Code});
    };
    struct stat St;
    if (::stat(Name.constData(), &St) != 0)
        throw Fail(errno);
    mode_t Mode = St.st_mode & 07777;
    // Read-only is the absence of the owner's write permission. Additions come before
    // removals, so "+R-R" leaves the file writable. Hidden and system have no meaning here.
    if (Codes.contains(QLatin1String("+R")))
        Mode &= ~mode_t(S_IWUSR);
    if (Codes.contains(QLatin1String("-R")))
        Mode |= S_IWUSR;
    if (Mode != (St.st_mode & 07777) && ::chmod(Name.constData(), Mode) != 0)
        throw Fail(errno);
}

qint64 KVXFileSize(const QString &FileName, qint64 Default)
{
    if (FileName.isEmpty())
        return Default;
    struct stat St;
    if (::stat(NativeName(FileName).constData(), &St) != 0)
        return Default;
    return S_ISDIR(St.st_mode) ? 0 : qint64(St.st_size);
}

namespace {

// The marker is assembled here so that this library's own bytes do not carry it whole in
// front of something that looks like a version.
const QByteArray &VersionMarker()
{
    static const QByteArray Marker = QByteArray("KVX-FILE-") + QByteArray("VERSION:");
    return Marker;
}

// Room after the marker for four numbers of five digits and their points.
constexpr int VersionTail = 4 * 5 + 3 + 1;

// Looks for a marker followed by a version in Data from From on. Found: the version. A
// marker too close to the end waits for more bytes unless AtEnd: From is left on it.
// Otherwise From is left past the last marker tried.
QString ScanForVersion(const char *Data, qsizetype Size, qsizetype &From, bool AtEnd)
{
    static const QByteArrayMatcher Matcher(VersionMarker());
    const qsizetype MarkerSize = VersionMarker().size();
    for (;;) {
        const qsizetype Pos = Matcher.indexIn(Data, Size, From);
        if (Pos < 0)
            return QString();
        const qsizetype Start = Pos + MarkerSize;
        if (!AtEnd && Size - Start < VersionTail) {
            From = Pos;
            return QString();
        }
        // Four dotted decimal numbers of one to five digits, the last one complete.
        qsizetype P = Start;
        int Numbers = 0;
        bool Ok = true;
        while (Ok && Numbers < 4) {
            int Digits = 0;
            while (P < Size && Data[P] >= '0' && Data[P] <= '9' && Digits <= 5) {
                ++P;
                ++Digits;
            }
            Ok = Digits >= 1 && Digits <= 5;
            ++Numbers;
            if (Ok && Numbers < 4) {
                Ok = P < Size && Data[P] == '.';
                ++P;
            }
        }
        if (Ok)
            return QString::fromLatin1(Data + Start, int(P - Start));
        From = Pos + 1;
    }
}

} // namespace

QString KVXGetFileVersion(const QString &FileName)
{
    if (IsBlank(FileName))
        return QString();
    TFileHandle F(::open(NativeName(FileName).constData(), O_RDONLY | O_CLOEXEC));
    if (F.Fd() < 0)
        return QString();

    // A regular file is mapped: the program reads its own file at every start, and its pages
    // are already in memory, so nothing is copied.
    struct stat St;
    if (::fstat(F.Fd(), &St) == 0 && S_ISREG(St.st_mode) && St.st_size > 0) {
        const auto Size = qsizetype(St.st_size);
        void *Map = ::mmap(nullptr, size_t(Size), PROT_READ, MAP_PRIVATE, F.Fd(), 0);
        if (Map != MAP_FAILED) {
            qsizetype From = 0;
            const QString Version = ScanForVersion(static_cast<const char *>(Map), Size, From, true);
            ::munmap(Map, size_t(Size));
            return Version;
        }
    }

    // Anything else is read block by block.
    constexpr int BlockSize = 1 << 20;
    QByteArray Buffer;
    bool AtEnd = false;
    while (!AtEnd) {
        const int Kept = Buffer.size();
        Buffer.resize(Kept + BlockSize);
        ssize_t R;
        do {
            R = ::read(F.Fd(), Buffer.data() + Kept, BlockSize);
        } while (R < 0 && errno == EINTR);
        if (R < 0)
            return QString();
        Buffer.resize(Kept + int(R));
        AtEnd = R == 0;

        qsizetype From = 0;
        const QString Version = ScanForVersion(Buffer.constData(), Buffer.size(), From, AtEnd);
        if (!Version.isEmpty())
            return Version;
        // Keep only what may still hold the start of a marker and its version.
        const qsizetype Keep = qMin<qsizetype>(Buffer.size(), VersionMarker().size() + VersionTail);
        const qsizetype Cut = qMax<qsizetype>(From, Buffer.size() - Keep);
        Buffer.remove(0, Cut);
    }
    return QString();
}
