#include "IniFiles.h"

#include "KVXFiles.h"
#include "UnitConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// GetPrivateProfileString reads into a buffer of 2048 characters.
constexpr int MaxValueLength = 2047;

// The lines of the file; a missing file has none. A file that cannot be read (a folder, a
// device or a FIFO in its place, or a file too large for settings) raises EFileReadError.
QStringList ReadLines(const QString &FileName)
{
    QByteArray Bytes;
    try {
        Bytes = KVXReadRegularFile(FileName, OwnFileMaxSize);
    } catch (const EFileReadError &E) {
        if (E.Problem != TReadProblem::Missing)
            throw;
        return {};
    }
    QString Text = KVXDecodeText(Bytes);
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList Lines = Text.split(QLatin1Char('\n'));
    // The line end of the last line opens no further line.
    if (!Lines.isEmpty() && Lines.last().isEmpty())
        Lines.removeLast();
    return Lines;
}

// True, with the section's name, when Line opens a section.
bool IsSectionLine(const QString &Line, QString &Name)
{
    const QString T = Trim(Line);
    if (!T.startsWith(QLatin1Char('[')))
        return false;
    int End = T.indexOf(QLatin1Char(']'));
    if (End < 0)
        End = T.size();
    Name = Trim(T.mid(1, End - 1));
    return true;
}

// True, with the key and the raw value, when Line is a key line.
bool IsKeyLine(const QString &Line, QString &Key, QString &Value)
{
    const int Eq = Line.indexOf(QLatin1Char('='));
    if (Eq < 0)
        return false;
    Key = Trim(Line.left(Eq));
    Value = Line.mid(Eq + 1);
    return !Key.isEmpty();
}

// Where Section starts (the line after its header) and ends (the next header or the end);
// false when the file has no such section. The first one of a repeated section counts.
bool FindSection(const QStringList &Lines, const QString &Section, int &First, int &Last)
{
    QString Name;
    for (int I = 0; I < Lines.size(); ++I) {
        if (!IsSectionLine(Lines[I], Name) || !SameText(Name, Section))
            continue;
        First = I + 1;
        Last = First;
        while (Last < Lines.size() && !IsSectionLine(Lines[Last], Name))
            ++Last;
        return true;
    }
    return false;
}

// Index of the line of Ident within First..Last-1, or -1.
int FindKey(const QStringList &Lines, int First, int Last, const QString &Ident, QString &Value)
{
    QString Key;
    for (int I = First; I < Last; ++I) {
        if (IsKeyLine(Lines[I], Key, Value) && SameText(Key, Ident))
            return I;
    }
    return -1;
}

// A folder stripped of the owner's write permission, which is how the program marks it
// read-only (this also holds for a privileged user, whom the system would let through).
bool IsReadOnlyFolder(const QString &Folder)
{
    const QFileInfo Info(Folder);
    return !Info.isWritable() || !(Info.permissions() & QFileDevice::WriteOwner);
}

} // namespace

TIniFile::TIniFile(const QString &FileName, TWriteCheck Check) : FFileName(FileName), FCheck(std::move(Check)) {}

QString TIniFile::ReadString(const QString &Section, const QString &Ident, const QString &Default) const
{
    QStringList Lines;
    try {
        Lines = ReadLines(FFileName);
    } catch (const std::exception &) {
        return Default;
    }
    int First = 0;
    int Last = 0;
    if (!FindSection(Lines, Section, First, Last))
        return Default;
    QString Value;
    if (FindKey(Lines, First, Last, Ident, Value) < 0)
        return Default;
    Value = Trim(Value);
    if (Value.size() >= 2 && (Value.front() == QLatin1Char('"') || Value.front() == QLatin1Char('\'')) &&
        Value.back() == Value.front())
        Value = Value.mid(1, Value.size() - 2);
    Value.truncate(MaxValueLength);
    return Value;
}

void TIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    QStringList Lines;
    QString Written;
    try {
        Written = KVXWrittenPath(FFileName);
        if (FCheck)
            FCheck(Written);
        // The file is replaced as a whole: without a writable folder no write is attempted.
        const QString Folder = Written.left(Written.lastIndexOf(QLatin1Char('/')));
        if (IsReadOnlyFolder(Folder.isEmpty() ? QStringLiteral("/") : Folder))
            throw EFileWriteError(EInOutError::FromErrno(EACCES), FFileName, Folder, TWriteProblem::FolderClosed);
        // A file that exists but does not read would be lost by writing it anew.
        Lines = ReadLines(Written);
    } catch (const EFileWriteError &E) {
        throw EIniFileException(FFileName, E);
    } catch (const EFileReadError &E) {
        const bool IsFolder = QFileInfo(Written).isDir();
        EFileWriteError Cause(EInOutError(E.ErrorCode, E.Message), FFileName, QString(),
                              IsFolder                                ? TWriteProblem::IsFolder
                              : E.Problem == TReadProblem::NotRegular ? TWriteProblem::NotRegular
                              : E.Problem == TReadProblem::TooLarge   ? TWriteProblem::TooLarge
                                                                      : TWriteProblem::Other);
        Cause.Target = Written;
        Cause.Size = E.Size;
        throw EIniFileException(FFileName, Cause);
    }

    // A line break inside the value would start a line of its own in the file.
    QString Clean = Value;
    Clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    Clean.replace(QLatin1Char('\n'), QLatin1Char(' '));

    int First = 0;
    int Last = 0;
    if (FindSection(Lines, Section, First, Last)) {
        QString Old;
        const int At = FindKey(Lines, First, Last, Ident, Old);
        if (At >= 0) {
            // The key keeps the spelling the file gives it.
            Lines[At] = Trim(Lines[At].left(Lines[At].indexOf(QLatin1Char('=')))) + QLatin1Char('=') + Clean;
        } else {
            // A new key goes after the section's last line that is not blank.
            int Insert = Last;
            while (Insert > First && Trim(Lines[Insert - 1]).isEmpty())
                --Insert;
            Lines.insert(Insert, Ident + QLatin1Char('=') + Clean);
        }
    } else {
        Lines.append(QLatin1Char('[') + Section + QLatin1Char(']'));
        Lines.append(Ident + QLatin1Char('=') + Clean);
    }

    QString Text;
    for (const QString &Line : std::as_const(Lines))
        Text += Line + QStringLiteral("\r\n");

    // A full disk or a failed write leaves the previous settings in place.
    try {
        KVXReplaceFile(FFileName, Text.toUtf8(), FCheck);
    } catch (const EFileWriteError &E) {
        throw EIniFileException(FFileName, E);
    }
}

int TIniFile::ReadInteger(const QString &Section, const QString &Ident, int Default) const
{
    QString S = ReadString(Section, Ident, QString());
    if (S.size() > 2 && S[0] == QLatin1Char('0') && (S[1] == QLatin1Char('x') || S[1] == QLatin1Char('X')))
        S = QLatin1Char('$') + S.mid(2);
    return StrToIntDef(S, Default);
}

void TIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

bool TIniFile::ReadBool(const QString &Section, const QString &Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString &Section, const QString &Ident, bool Value)
{
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

TDateTime TIniFile::ReadDate(const QString &Section, const QString &Ident, TDateTime Default) const
{
    const QString S = ReadString(Section, Ident, QString());
    TDateTime Value = 0;
    return !S.isEmpty() && TryStrToDate(S, Value) ? Value : Default;
}

void TIniFile::WriteDate(const QString &Section, const QString &Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TIniFile::ReadDateTime(const QString &Section, const QString &Ident, TDateTime Default) const
{
    const QString S = ReadString(Section, Ident, QString());
    TDateTime Value = 0;
    return !S.isEmpty() && TryStrToDateTime(S, Value) ? Value : Default;
}

void TIniFile::WriteDateTime(const QString &Section, const QString &Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateTimeToStr(Value));
}
