// Shared helpers of the web tests: a settings object of their own and the failure of a call.
#pragma once

#include "KVXFiles.h"
#include "UnitConfig.h"
#include "UnitTypes.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

#include <gtest/gtest.h>

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

// A program file carrying the version 1.2.3.0 in a temporary folder, with its settings object
// installed as Config for the life of this object.
class TTestConfig
{
public:
    TTestConfig()
    {
        const QString Program = Dir.filePath(QStringLiteral("fenolda"));
        QFile File(Program);
        if (File.open(QIODevice::WriteOnly))
            File.write(QByteArray("\x7f"
                                  "ELF....KVX-FILE-VERSION:1.2.3.0\0....",
                                  37));
        File.close();
        Cfg = std::make_unique<TConfig>(Program);
        Saved = Config;
        Config = Cfg.get();
    }
    ~TTestConfig() { Config = Saved; }

    TTestConfig(const TTestConfig &) = delete;
    TTestConfig &operator=(const TTestConfig &) = delete;

    // The log file's text, "" when it does not exist.
    QString LogText() const { return QFile::exists(Cfg->LogFileName) ? KVXReadFile(Cfg->LogFileName) : QString(); }
    // The lines of the log file, none when it does not exist.
    QStringList LogLines() const { return LogText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts); }

    QTemporaryDir Dir;
    std::unique_ptr<TConfig> Cfg;

private:
    TConfig *Saved = nullptr;
};

// The message and user text of the UserException that Fn raises.
struct TFailure
{
    bool Raised = false;
    QString Message;
    QString UserMessage;
};

template <class F> TFailure FailureOf(F &&Fn)
{
    TFailure Result;
    try {
        Fn();
    } catch (const UserException &E) {
        Result = {true, E.Message, E.UserMessage};
    } catch (const Exception &E) {
        Result = {true, E.Message, QString()};
    }
    return Result;
}
