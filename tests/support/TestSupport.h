// Helpers shared by every layer's tests; header-only, so that the foundation's tests use it
// without linking anything above the foundation.
//
//   PrintTo(QString / QByteArray)  lets GoogleTest show Qt texts in its failure reports.
//   ErrorOf(Fn)                     the Message of the Exception that Fn raises, or "<no exception>".
//   FailureOf(Fn) -> TFailure       Raised, Message and (for a UserException) UserMessage.
//   DataFile(Name)                  a shipped file of data/ ("schema.sql", "sql/update-1.sql").
//   TTestProgram                    a program folder of its own with its settings installed as
//                                   Config (needs the core).
//   TWebApiAddress                  the web API address changed for a scope (needs the core).
//
// FENOLDA_DATA_DIR, FENOLDA_FIXTURES_DIR and FENOLDA_BIN_DIR are set for every test program
// by tests/CMakeLists.txt.
#pragma once

#include "SysUtils.h"

#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

inline void PrintTo(const QByteArray &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

template <class TFn> QString ErrorOf(TFn &&Fn)
{
    try {
        Fn();
    } catch (const Exception &E) {
        return E.Message;
    }
    return QStringLiteral("<no exception>");
}

inline QString DataFile(const QString &Name)
{
    return QStringLiteral(FENOLDA_DATA_DIR "/") + Name;
}

#if __has_include("UnitConfig.h")

#include "KVXFiles.h"
#include "UnitConfig.h"
#include "UnitTypes.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct TFailure
{
    bool Raised = false;
    QString Message;
    // Empty for a plain Exception.
    QString UserMessage;
};

template <class TFn> TFailure FailureOf(TFn &&Fn)
{
    try {
        Fn();
    } catch (const UserException &E) {
        return {true, E.Message, E.UserMessage};
    } catch (const Exception &E) {
        return {true, E.Message, QString()};
    }
    return {};
}

// A program file "fenolda" carrying Version in a temporary folder, with its settings object
// installed as Config for the life of this object (the previous Config comes back after).
// The settings, log, "save" and "backup" of that program live in the same folder.
class TTestProgram
{
public:
    explicit TTestProgram(const QString &Version = QStringLiteral("1.2.3.0"))
    {
        ProgramFile = Dir.filePath(QStringLiteral("fenolda"));
        QFile File(ProgramFile);
        if (File.open(QIODevice::WriteOnly))
            File.write("\x7f"
                       "ELF program file KVX-FILE-VERSION:" +
                       Version.toLatin1() + QByteArray(1, '\0') + "end");
        File.close();
        Cfg = std::make_unique<TConfig>(ProgramFile);
        Saved = Config;
        Config = Cfg.get();
    }
    ~TTestProgram() { Config = Saved; }

    TTestProgram(const TTestProgram &) = delete;
    TTestProgram &operator=(const TTestProgram &) = delete;

    // A file in the program folder.
    QString Path(const QString &Name) const { return Dir.filePath(Name); }
    // The log file's text, "" when there is none yet.
    QString LogText() const { return QFile::exists(Cfg->LogFileName) ? KVXReadFile(Cfg->LogFileName) : QString(); }
    QStringList LogLines() const { return LogText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts); }

    QTemporaryDir Dir;
    QString ProgramFile;
    std::unique_ptr<TConfig> Cfg;

private:
    TConfig *Saved = nullptr;
};

// The web API address set to Address for the life of this object ("" as in a build that names
// no server); the previous one comes back after.
class TWebApiAddress
{
public:
    explicit TWebApiAddress(const QString &Address) : Saved(WebApiAddress()) { SetWebApiAddressForTesting(Address); }
    ~TWebApiAddress() { SetWebApiAddressForTesting(Saved); }

    TWebApiAddress(const TWebApiAddress &) = delete;
    TWebApiAddress &operator=(const TWebApiAddress &) = delete;

private:
    QString Saved;
};

#endif
