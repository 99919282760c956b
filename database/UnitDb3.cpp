#include "UnitDb3.h"

#include "KVXFiles.h"
#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitTools.h"
#include "UnitTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// The schema version that this program works with.
constexpr int SchemaVersion = 2;

} // namespace

// The expression sees the script with every line end (CR LF, lone CR or LF) as one LF, as the
// tag's rules count them; each statement is then cut from the original bytes, which go to the
// engine unchanged.
std::vector<QByteArray> ScriptStatements(const QByteArray &Script, bool &CutShort)
{
    QString Text;
    Text.reserve(Script.size() + 1);
    // Origin[i]: where the i-th character of Text starts in Script.
    std::vector<qsizetype> Origin;
    Origin.reserve(std::size_t(Script.size()));
    for (qsizetype I = 0; I < Script.size(); ++I) {
        const char C = Script[I];
        Origin.push_back(I);
        if (C == '\r') {
            if (I + 1 < Script.size() && Script[I + 1] == '\n')
                ++I;
            Text.append(QLatin1Char('\n'));
        } else {
            // One character per byte: positions map straight back to bytes.
            Text.append(QLatin1Char(C));
        }
    }
    // A line begins after the script's last line end too, but PCRE2's "^" never matches
    // there: one more line end lets it, so that a script ending in ";" and a line end keeps
    // its last statement. The added character lies past every statement.
    if (Text.endsWith(QLatin1Char('\n')))
        Text.append(QLatin1Char('\n'));

    static const QRegularExpression Statement(QStringLiteral("(*LF)--u\\s+^(.*;)\\s+^$"),
                                              QRegularExpression::DotMatchesEverythingOption |
                                                  QRegularExpression::InvertedGreedinessOption |
                                                  QRegularExpression::MultilineOption);
    static const QRegularExpression Tag(QStringLiteral("--u[ \\t\\v\\f]*(?:\\n|$)"));
    std::vector<QByteArray> Statements;
    qsizetype Covered = 0;
    CutShort = false;
    const auto TagBetween = [&](qsizetype From, qsizetype To) {
        const QRegularExpressionMatch M = Tag.match(Text, From);
        return M.hasMatch() && M.capturedStart() < To;
    };
    QRegularExpressionMatchIterator It = Statement.globalMatch(Text);
    while (It.hasNext()) {
        const QRegularExpressionMatch M = It.next();
        CutShort = CutShort || TagBetween(Covered, M.capturedStart(0));
        Covered = M.capturedEnd(0);
        const qsizetype Start = M.capturedStart(1);
        const qsizetype End = M.capturedEnd(1);
        if (Start < 0 || End <= Start)
            continue;
        // The statement ends with ";", a character that maps to exactly one byte.
        const qsizetype From = Origin[std::size_t(Start)];
        const qsizetype To = Origin[std::size_t(End - 1)] + 1;
        Statements.push_back(Script.mid(From, To - From));
    }
    CutShort = CutShort || TagBetween(Covered, Text.size() + 1);
    return Statements;
}

namespace {

// A failure of the engine during a backup, with a French user text by its result code. Source
// is the database copied: what is damaged or held by another program is named.
UserException BackupFailure(int Rc, const QString &Technical, const QString &Source)
{
    const Exception Cause(Technical);
    switch (Rc & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return UserException::CreateUserFmt(QStringLiteral("La base de données \"%s\" est endommagée ou illisible."),
                                            {Source}, &Cause);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return UserException::CreateUserFmt(
            QStringLiteral("La base de données \"%s\" est utilisée par un autre programme. Fermez ce programme, "
                           "puis réessayez."),
            {Source}, &Cause);
    case SQLITE_FULL:
        return UserException::CreateUser(QStringLiteral("Le disque est plein."), &Cause);
    case SQLITE_NOMEM:
        return UserException::CreateUser(QStringLiteral("La mémoire manque pour copier la base de données."), &Cause);
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return UserException::CreateUserFmt(
            QStringLiteral("Le système n'a pas pu lire la base de données \"%s\" ou écrire sa copie."), {Source},
            &Cause);
    default:
        return UserException::CreateUserFmt(
            QStringLiteral("Le moteur de base de données a signalé l'erreur %d pendant la copie."), {Rc}, &Cause);
    }
}

// An sqlite3 connection opened for the backup alone, closed on every path.
class TBackupConnection
{
public:
    TBackupConnection(const QString &FileName, int Flags)
    {
        const int Rc = sqlite3_open_v2(FileName.toUtf8().constData(), &FHandle, Flags, nullptr);
        if (Rc != SQLITE_OK)
            throw BackupFailure(Rc, QStringLiteral("Cannot open \"%1\": %2").arg(FileName, ErrorText(Rc)), FileName);
        sqlite3_busy_timeout(FHandle, BusyTimeoutMs);
    }
    ~TBackupConnection() { sqlite3_close(FHandle); }
    TBackupConnection(const TBackupConnection &) = delete;
    TBackupConnection &operator=(const TBackupConnection &) = delete;

    sqlite3 *Handle() const { return FHandle; }
    QString ErrorText(int Rc) const
    {
        return FHandle ? QString::fromUtf8(sqlite3_errmsg(FHandle)) : QString::fromUtf8(sqlite3_errstr(Rc));
    }

private:
    sqlite3 *FHandle = nullptr;
};

// Copies every page of Source's main database into Target's in one step, so that no write
// of the program can slip between two pages. A full disk is named as the failed write of
// Meant, the file the user chose; any other failure by what the engine says of it.
void CopyPages(sqlite3 *Source, const TBackupConnection &Target, const QString &Meant)
{
    const QString SourceFile = QFile::decodeName(sqlite3_db_filename(Source, "main"));
    sqlite3_backup *Copy = sqlite3_backup_init(Target.Handle(), "main", Source, "main");
    if (!Copy) {
        const int Rc = sqlite3_errcode(Target.Handle());
        throw BackupFailure(Rc, QStringLiteral("Backup not started: %1").arg(Target.ErrorText(Rc)), SourceFile);
    }
    const int StepRc = sqlite3_backup_step(Copy, -1);
    const int FinishRc = sqlite3_backup_finish(Copy);
    if (StepRc == SQLITE_FULL)
        throw EFileWriteError(EInOutError(101, QStringLiteral("Backup failed: %1").arg(sqlite3_errstr(StepRc))), Meant);
    if (StepRc != SQLITE_DONE)
        throw BackupFailure(StepRc, QStringLiteral("Backup failed: %1").arg(QString::fromUtf8(sqlite3_errstr(StepRc))),
                            SourceFile);
    if (FinishRc != SQLITE_OK)
        throw BackupFailure(FinishRc, QStringLiteral("Backup failed: %1").arg(Target.ErrorText(FinishRc)),
                            SourceFile);
}

// A file that could not be made or renamed in Folder: a folder that takes no new file is
// named, anything else is told by the system's error.
EFileWriteError FolderFailure(int Error, const QString &What, const QString &Target, const QString &Folder)
{
    // A folder that is there yet says a new file does not exist (as /proc does) takes none.
    const bool Closed =
        Error == EACCES || Error == EPERM || Error == EROFS || (Error == ENOENT && QFileInfo(Folder).isDir());
    const EInOutError Cause = EInOutError::FromErrno(Error);
    return EFileWriteError(EInOutError(Closed ? 5 : Cause.ErrorCode, What + QStringLiteral(": ") + Cause.Message),
                           Target, Folder, Closed ? TWriteProblem::FolderClosed : TWriteProblem::Other);
}

// The temporary file of a backup: a short name of its own, so that any name the file system
// takes can be a backup's, and one that no user file has, so that the program knows its own.
const QString BackupPartPrefix = QStringLiteral(".fenolda-backup-");
const QString BackupPartSuffix = QStringLiteral(".part");

// Removes what backups interrupted in Folder left behind (the process killed, the machine
// off): their temporary files and the journals beside them. A file that cannot be removed
// is left; the backup goes on.
void RemoveBackupLeftovers(const QString &Folder)
{
    QDir Dir(Folder);
    const QString Pattern = BackupPartPrefix + QStringLiteral("??????") + BackupPartSuffix;
    const QStringList Leftovers = Dir.entryList({Pattern, Pattern + QStringLiteral("-journal")},
                                                QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &Name : Leftovers)
        Dir.remove(Name);
}

} // namespace

TDb3File::TDb3File(const QString &Folder)
    : BaseFile(Folder + QLatin1String(BaseDatabaseName)), DbFile(Folder + QLatin1String(WorkingDatabaseName)),
      SqlDir(Folder + QStringLiteral("sql"))
{
}

void TDb3File::OpenOrCreate()
{
    if (!KVXFileExists(DbFile))
        CreateFromBase();
    Open();
}

void TDb3File::CreateFromBase()
{
    try {
        // Written onto itself, or through a link onto a file that is none of the program's.
        KVXCopyFileOver(BaseFile, DbFile, Config ? Config->OwnFileCheck(DbFile) : TWriteCheck());
    } catch (const std::exception &E) {
        throw UserException::CreateUser(AddFileFailureReason(
            Format(QStringLiteral("Impossible de créer la base de données \"%s\"."), {DbFile}), E));
    }
    // Whatever the base file's permissions were, the working copy must be writable.
    KVXSetFileAttributes(QStringLiteral("-R"), DbFile);
    Created = true;
}

void TDb3File::Open()
{
    FreeDatabase();
    CheckCompanions();
    std::unique_ptr<TQlDatabase> Db;
    try {
        Db = std::make_unique<TQlDatabase>(DbFile);
        // The engine reads nothing when it opens a file: a truncated, garbage or empty file
        // shows itself only when the schema is read, so it is read now, before the program
        // relies on it, and not at the first command the user gives.
        const QByteArray Objects =
            Db->TSQLiteDatabase::GetTableString(QStringLiteral("select count(*) from sqlite_master"));
        if (Objects.toInt() == 0)
            throw Exception(QStringLiteral("The database has no table"));
        SetDatabase(std::move(Db));
    } catch (const std::exception &E) {
        // A sound database that another program holds is no reason to restore a backup. At
        // start-up there is nothing to try again: this text stands instead of the statement's.
        if (Db && Db->Busy()) {
            UserException Busy = UserException::Create(QStringLiteral("TDb3File.Open"), E);
            Busy.SetUserMessage(QStringLiteral("La base de données \"%s\" est utilisée par un autre programme. "
                                               "Fermez ce programme, puis relancez Fenolda."),
                                {DbFile}, nullptr);
            throw Busy;
        }
        // Nothing is deleted or replaced: the user decides, with the backups at hand.
        throw UserException::CreateWithUserFmt(
            QStringLiteral("TDb3File.Open"), {},
            QStringLiteral("La base de données \"%s\" est endommagée ou illisible, le programme ne peut pas "
                           "l'utiliser.\r\nFermez le programme et remplacez-la par une sauvegarde du dossier "
                           "\"%s\"."),
            {DbFile, Config ? Config->BackupDir : QString()}, E);
    }
}

void TDb3File::CheckCompanions() const
{
    // The engine keeps them beside the file it opens, links followed.
    QString Database = DbFile;
    try {
        Database = KVXWrittenPath(DbFile);
    } catch (const std::exception &) {
    }
    for (const char *Suffix : {"-journal", "-wal", "-shm"}) {
        const QString Companion = Database + QLatin1String(Suffix);
        struct stat St;
        if (::stat(QFile::encodeName(Companion).constData(), &St) != 0 || S_ISREG(St.st_mode))
            continue;
        const QString Kind = S_ISDIR(St.st_mode)    ? QStringLiteral("un dossier")
                             : S_ISFIFO(St.st_mode) ? QStringLiteral("un tube nommé (FIFO)")
                             : S_ISSOCK(St.st_mode) ? QStringLiteral("une socket")
                                                    : QStringLiteral("un périphérique");
        const Exception Cause(QStringLiteral("\"%1\" is not a regular file").arg(Companion));
        throw UserException::CreateWithUserFmt(
            QStringLiteral("TDb3File.Open"), {},
            QStringLiteral("La base de données \"%s\" ne peut pas être ouverte : \"%s\", où elle garde son journal, "
                           "est %s.\r\nDéplacez ou supprimez \"%s\", puis relancez Fenolda."),
            {DbFile, Companion, Kind, Companion}, Cause);
    }
}

int TDb3File::StoredVersion() const
{
    TQlDatabase &Db = CurrentDatabase();
    // The scripts and the base file record their version in the database itself: it stays
    // right when the settings file is lost, damaged or belongs to another installation.
    const int Own = Db.TSQLiteDatabase::GetTableString(QStringLiteral("PRAGMA user_version")).toInt();
    const int Stored = Config->GetStoredDatabaseVersion();
    if (Stored < 0)
        return Own > 0 ? Own : Config->GetDatabaseVersion();
    return std::max(Stored, Own);
}

void TDb3File::StoreVersion(int Version)
{
    if (Config->GetStoredDatabaseVersion() == Version)
        return;
    // The database keeps its own version, so a settings file that cannot be written costs
    // nothing but this line in the log.
    try {
        Config->SetDatabaseVersion(Version);
    } catch (const std::exception &E) {
        LogQuietly(ExceptionMessage(E));
    }
}

void TDb3File::LogQuietly(const QString &Message)
{
    try {
        WriteLog(Message, QStringLiteral("TDb3File.Update"));
    } catch (const std::exception &) {
        // A log that cannot be written must not stop the program from opening its data.
    }
}

void TDb3File::RunScript(const QString &Script)
{
    const auto Failed = [&Script](const QString &Reason, const std::exception &E) {
        return UserException::CreateUserFmt(
            QStringLiteral("La base de données n'a pas pu être mise à jour par le fichier \"%s\" : %s"),
            {Script, Reason}, &E);
    };
    std::vector<QByteArray> Statements;
    bool CutShort = false;
    try {
        Statements = ScriptStatements(KVXReadRegularFile(Script, OwnFileMaxSize), CutShort);
    } catch (const EFileReadError &E) {
        throw Failed(E.Problem == TReadProblem::NotRegular ? QStringLiteral("ce n'est pas un fichier ordinaire.")
                     : E.Problem == TReadProblem::TooLarge && E.Size >= 0
                         ? Format(QStringLiteral("il est trop grand (%s)."), {SizeToStr(E.Size)})
                     : E.Problem == TReadProblem::TooLarge ? QStringLiteral("il est trop grand.")
                         : QStringLiteral("il ne peut pas être lu."),
                     E);
    }
    // A script that yields nothing (empty, garbage) or stops in the middle of a statement is
    // damaged: applied and recorded, it would leave the schema short of what follows for good.
    if (CutShort)
        throw Failed(QStringLiteral("il s'arrête au milieu d'une instruction."),
                     Exception(QStringLiteral("The script \"%1\" ends inside a statement").arg(Script)));
    if (Statements.empty())
        throw Failed(QStringLiteral("il ne contient aucune instruction."),
                     Exception(QStringLiteral("The script \"%1\" holds no statement").arg(Script)));
    // A script is applied whole or not at all: when one of its statements fails, the ones
    // before it are rolled back, the stored version stays that of the scripts already
    // applied, and the next start runs this script again from a clean state.
    TQlDatabase &Db = CurrentDatabase();
    TSQLiteTransaction Transaction(Db);
    for (std::size_t I = 0; I < Statements.size(); ++I) {
        try {
            Db.ExecSQL(QString::fromUtf8(Statements[I]));
        } catch (const std::exception &E) {
            throw Failed(Format(QStringLiteral("son instruction n° %d a échoué."), {int(I + 1)}), E);
        }
    }
    Transaction.Commit();
}

void TDb3File::Update()
{
    if (!Created) {
        const int Stored = StoredVersion();
        if (Stored > SchemaVersion) {
            // Written by a later program: used as it is, and the settings keep its number.
            LogQuietly(Format(QStringLiteral("The database is at schema version %d, later than %d: no migration"),
                              {Stored, SchemaVersion}));
            return;
        }
        for (int Version = Stored + 1; Version <= SchemaVersion; ++Version) {
            const QString Script = SqlDir + QStringLiteral("/update-%1.sql").arg(Version);
            if (!KVXFileExists(Script))
                throw UserException::CreateUserFmt(
                    QStringLiteral("Impossible de mettre à jour la base de données, il manque le fichier SQL de "
                                   "migration \"%s\"."),
                    {Script});
            RunScript(Script);
            StoreVersion(Version);
        }
    }
    StoreVersion(SchemaVersion);
}

void TDb3File::DeletePlaceholders()
{
    Wrap("TDb3File.DeletePlaceholders", [&] {
        TQlDatabase &Db = CurrentDatabase();
        // The exact shape of KVXNewGuid's text, so that no name a user could type is taken.
        const QString Hex4 = QStringLiteral("[0-9A-F][0-9A-F][0-9A-F][0-9A-F]");
        const QString Guid = QStringLiteral("{") + Hex4 + Hex4 + QStringLiteral("-") + Hex4 + QStringLiteral("-") +
                             Hex4 + QStringLiteral("-") + Hex4 + QStringLiteral("-") + Hex4 + Hex4 + Hex4 +
                             QStringLiteral("}");
        // Every start runs this: the names are found through the name index (a placeholder
        // starts with "{", which no letter folds to), never by reading every recipe; the
        // pattern then keeps the exact shape.
        const QString Placeholder =
            QStringLiteral("name collate nocase >= '{' and name collate nocase < '|' and name glob :guid");
        // One transaction: both deletes or neither, in one commit.
        TSQLiteTransaction Transaction(Db);
        // The lines go first by hand as well: a database whose foreign keys were switched
        // off elsewhere would otherwise keep them.
        Db.AddParamText(":guid", Guid);
        Db.ExecSQL(QStringLiteral("delete from ingredients where reccode in (select code from recette where ") +
                   Placeholder + QLatin1Char(')'));
        Db.AddParamText(":guid", Guid);
        Db.ExecSQL(QStringLiteral("delete from recette where ") + Placeholder);
        Transaction.Commit();
    });
}

void TDb3File::Backup(const QString &Target)
{
    Wrap("TDb3File.Backup", [&] {
        // The alert of a failed backup says why in the user's words, whatever failed.
        try {
            CopyTo(Target);
        } catch (const UserException &) {
            throw;
        } catch (const EFileWriteError &E) {
            throw UserException::CreateUser(FileFailureReason(E), &E);
        } catch (const std::exception &E) {
            throw UserException::CreateUser(QStringLiteral("La copie de la base de données n'a pas pu être faite."),
                                            &E);
        }
    });
}

void TDb3File::CopyTo(const QString &Target)
{
    // The copy lands where a write to Target lands: through a link, on the file it points
    // to, the link staying a link. Renamed over the working database or one of its
    // journals, it would take the place of the file the program has open; a folder or a
    // device would be lost.
    const QString Written = KVXWrittenPath(Target);
    Config->UserFileCheck(Target)(Written);
    const QFileInfo WrittenInfo(Written);
    // A read-only backup is one the user wants kept as it is.
    if (WrittenInfo.exists() && !WrittenInfo.permissions().testFlag(QFileDevice::WriteOwner))
        throw EFileWriteError(EInOutError(5, QStringLiteral("\"%1\" is read-only").arg(Target)), Target, QString(),
                              TWriteProblem::ReadOnly);
    const QString Folder = Written.left(Written.lastIndexOf(QLatin1Char('/')));
    RemoveBackupLeftovers(Folder);
    // The temporary file lies beside the file replaced, so that the final rename stays
    // within one file system and replaces it in one step.
    QTemporaryFile Part(Folder + QLatin1Char('/') + BackupPartPrefix + QStringLiteral("XXXXXX") + BackupPartSuffix);
    if (!Part.open())
        throw FolderFailure(errno, QStringLiteral("Cannot create a file in \"%1\"").arg(Folder), Target, Folder);
    Part.close();
    Part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    {
        TBackupConnection Copy(Part.fileName(), SQLITE_OPEN_READWRITE);
        // The copy starts empty, so its rollback journal would hold nothing worth a file:
        // kept in memory, an interrupted backup leaves one file fewer behind.
        sqlite3_exec(Copy.Handle(), "PRAGMA journal_mode=MEMORY", nullptr, nullptr, nullptr);
        if (Database) {
            CopyPages(Database->Handle(), Copy, Target);
        } else {
            // The engine reading the file would wait on a FIFO in its journal's place.
            CheckCompanions();
            const TBackupConnection Source(DbFile, SQLITE_OPEN_READONLY);
            CopyPages(Source.Handle(), Copy, Target);
        }
    }
    if (std::rename(QFile::encodeName(Part.fileName()).constData(), QFile::encodeName(Written).constData()) != 0)
        throw FolderFailure(errno, QStringLiteral("Cannot replace \"%1\"").arg(Written), Target, Folder);
    // The file now lives under the target's name: nothing is left to remove.
    Part.setAutoRemove(false);
}
