// A settings file in the Windows INI form, read and written with the Windows profile
// functions' behaviour: sections and keys found without regard to case, the file read on
// every get and written on every set, defaults for missing or unreadable values. Values
// are kept as written, never escaped.
#pragma once

#include "KVXFiles.h"
#include "SysUtils.h"

#include <QString>

// A settings file that cannot be written: "Unable to write to <file name>", with the
// cause's error code and what the file system said of it.
class EIniFileException : public EFileWriteError
{
public:
    EIniFileException(const QString &FileName, const EFileWriteError &Cause)
        : EFileWriteError(EInOutError(Cause.ErrorCode, Format(QStringLiteral("Unable to write to %s"), {FileName})),
                          FileName, Cause.Folder, Cause.Problem)
    {
        Target = Cause.Target;
        Size = Cause.Size;
    }
};

class TIniFile
{
public:
    // Binds the object to FileName; nothing is read yet. Check sees the path each write lands
    // on before anything is written.
    explicit TIniFile(const QString &FileName, TWriteCheck Check = {});
    virtual ~TIniFile() = default;

    const QString &FileName() const { return FFileName; }

    // The value of Ident in Section, without the blanks around it and without enclosing
    // quotes, cut to 2047 characters; Default when the file, the section or the key is
    // missing or the file cannot be read (a folder, a device or a FIFO in its place is not
    // waited on, a file larger than OwnFileMaxSize not read).
    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) const;
    // Sets Ident in Section to Value, adding the section or the key when missing and
    // creating the file when needed. The file is replaced as a whole, so a failed write
    // leaves the previous one intact; a failure raises EIniFileException.
    void WriteString(const QString &Section, const QString &Ident, const QString &Value);

    // Decimal, or hexadecimal after "0x"; Default when the value is not an integer.
    int ReadInteger(const QString &Section, const QString &Ident, int Default) const;
    void WriteInteger(const QString &Section, const QString &Ident, int Value);
    // Any integer other than 0 is true; Default when the value is not an integer.
    bool ReadBool(const QString &Section, const QString &Ident, bool Default) const;
    // Writes "1" or "0".
    void WriteBool(const QString &Section, const QString &Ident, bool Value);
    // A date in the short date form "dd/mm/yyyy"; Default when it does not read as one.
    TDateTime ReadDate(const QString &Section, const QString &Ident, TDateTime Default) const;
    void WriteDate(const QString &Section, const QString &Ident, TDateTime Value);
    // A date and time "dd/mm/yyyy hh:nn:ss" (the time left out at midnight); Default when it
    // does not read as one.
    TDateTime ReadDateTime(const QString &Section, const QString &Ident, TDateTime Default) const;
    void WriteDateTime(const QString &Section, const QString &Ident, TDateTime Value);

private:
    QString FFileName;
    TWriteCheck FCheck;
};
