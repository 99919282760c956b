// Where the program's files are, its version, and typed access to its settings file.
// Every getter reads the file when called and every setter writes it at once; nothing is
// cached, so a value set by one window is seen by every later read.
#pragma once

#include "IniFiles.h"
#include "KVXFiles.h"
#include "SysUtils.h"
#include "UnitTypes.h"

#include <QString>

#include <functional>
#include <memory>

// The program folder's own files beside the settings and log: the working database (its
// journals take its name with "-journal", "-wal" or "-shm"), the shipped base it is copied
// from, and Qt's own settings.
inline constexpr const char *WorkingDatabaseName = "recipes.db3";
inline constexpr const char *BaseDatabaseName = "recipes-base.db3";
inline constexpr const char *QtSettingsName = "QtProject.conf";

// The most the program reads of one of its own text files (the settings, the migration
// scripts, the page templates, Qt's settings): what it ships weighs a few kilobytes, and a
// file grown past this is damaged, not something to hold in memory.
inline constexpr qint64 OwnFileMaxSize = qint64(4) << 20;

class TConfig
{
public:
    // For the running program file (QCoreApplication::applicationFilePath when an
    // application exists, else /proc/self/exe).
    TConfig();
    // For a given program file: its folder holds the settings, log, "save", "backup" and
    // "html". The "save" and "backup" folders are created when missing (silently skipped
    // when that fails); "html" must come with the program. A failure raises UserException
    // "[TConfig.Create] ...".
    explicit TConfig(const QString &ProgramFile);
    virtual ~TConfig();

    TConfig(const TConfig &) = delete;
    TConfig &operator=(const TConfig &) = delete;

    // "BACKUP" "LastFile": the last backup file, "" by default.
    QString GetBackupLastFile() const;
    void SetBackupLastFile(const QString &Value);
    // "BACKUP" "Date": the day of the last backup, 0 (never) by default.
    TDateTime GetBackupDate() const;
    void SetBackupDate(TDateTime Value);
    // "HISTO" "Days": the history window of the random generation, 30 by default.
    int GetHistoDays() const;
    void SetHistoDays(int Value);
    // "HISTO" "Enabled": whether the generation leaves out recent recipes, false by default.
    bool GetHistoEnabled() const;
    void SetHistoEnabled(bool Value);
    // "DATABASE" "Version": the schema version of the working database, 1 by default.
    int GetDatabaseVersion() const;
    void SetDatabaseVersion(int Value);
    // The same setting, -1 when the file, the key or a whole number of 0 or more is missing.
    int GetStoredDatabaseVersion() const;
    // "DATABASE" "LastSync": the date and time of the last upload, 0 (never) by default.
    TDateTime GetLastSync() const;
    void SetLastSync(TDateTime Value);
    // "SYNC" "Enabled": whether menus are kept on the server, true by default. Always false
    // when the build names no web API (WebApiAddress() empty): menus then go to files whatever
    // the file says, and the stored value waits for a build that has a server.
    bool GetSyncEnabled() const;
    void SetSyncEnabled(bool Value);
    // "SYNC" "Email" and "SYNC" "ApiKey": the web API account, "" by default.
    QString GetSyncEmail() const;
    void SetSyncEmail(const QString &Value);
    QString GetSyncApiKey() const;
    void SetSyncApiKey(const QString &Value);

    // Refuses FileName, chosen by the user for a menu file or a backup, when the path a write
    // to it lands on (KVXWrittenPath) is one of the program's own files, whether it exists
    // yet or not: the program file, the working database and its journals, the base file,
    // the settings and log files, Qt's settings, or anything under "sql" and "html". Files
    // are compared as the file system knows them (folder and name, or the file itself). An
    // existing file that is not a regular one (a folder, a device, a FIFO) is refused too.
    // Raises UserException with a French user text naming FileName and a message giving the
    // reason; a name whose path cannot be worked out raises the write's own EFileWriteError.
    void CheckUserFile(const QString &FileName) const;
    // CheckUserFile as the check that the write of FileName runs on the path it lands on.
    TWriteCheck UserFileCheck(const QString &FileName) const;
    // The check for the program's own write of OwnFile (the settings, the log, the page, the
    // working database's first copy): it is written onto itself, or through a link onto a file
    // that is none of the program's other files; otherwise EFileWriteError (OwnFile) naming
    // the file it would have replaced.
    TWriteCheck OwnFileCheck(const QString &OwnFile) const;

    // The settings file object; every getter and setter goes through it.
    std::unique_ptr<TIniFile> Ini;
    // Folder of the program file without and with its trailing "/".
    QString ExeDir;
    QString ExePath;
    // ExePath + "html", "save", "backup".
    QString HtmlDir;
    QString SaveDir;
    QString BackupDir;
    // The program file's path with the extension ".ini" / ".log" (replacing its own
    // extension, or appended when it has none).
    QString IniFileName;
    QString LogFileName;
    // The program's version in three parts ("2.1.0"), "" when the program file carries none.
    QString Version;

private:
    // Raises when Written is one of the program's own files other than Self.
    void CheckNotOwn(const QString &Written, const QString &Self, const std::function<void()> &Refuse) const;

    // The program file this configuration was made for.
    QString FProgramFile;
};

// The program's configuration, valid between InitializeUnitConfig() and
// FinalizeUnitConfig(); tests may point it at their own instance.
extern TConfig *Config;

// Creates Config for the running program, then ColorRotation; the program block calls it
// at start-up. A failure raises UserException "[TConfig.Create] ...".
void InitializeUnitConfig();
// Frees ColorRotation, then Config.
void FinalizeUnitConfig();

// The full path of the running program file.
QString ProgramFileName();

// Base address of the web API without a trailing "/": the build setting FENOLDA_WEB_API, ""
// when the build names none (the server is not part of the program). It lives here rather
// than with the HTTP client because the synchronisation setting depends on it.
QString WebApiAddress();
// Points the web API at a test server, or at none with ""; the program itself never calls it.
void SetWebApiAddressForTesting(const QString &Address);
