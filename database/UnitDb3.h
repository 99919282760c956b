// The working database file of the program folder: created from the shipped base file,
// opened as the global Database, and brought to schema version 2 by the migration scripts.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The statements of a migration script, as the bytes the engine gets: each one begins on the
// line after a tag "--u" (alone on its line but for blanks) and ends with the first ";" that
// white space separates from an empty line or from the end of the script. Line ends are CR LF,
// CR or LF. CutShort is set when a tag begins no such statement: the script stops in the
// middle of one (a statement without its ";", or one whose ";" is the script's last byte).
std::vector<QByteArray> ScriptStatements(const QByteArray &Script, bool &CutShort);

class TDb3File
{
public:
    // Folder ends with "/": the paths are plain concatenations.
    explicit TDb3File(const QString &Folder);
    virtual ~TDb3File() = default;

    TDb3File(const TDb3File &) = delete;
    TDb3File &operator=(const TDb3File &) = delete;

    // CreateFromBase when DbFile is missing, then Open.
    void OpenOrCreate();
    // Copies BaseFile over DbFile and makes the copy writable. The copy lands where a write to
    // DbFile lands, and is refused when that is another of the program's files. A failed copy
    // raises UserException "Impossible de créer la base de données \"<DbFile>\"." followed on
    // the next line by the reason (a full disk, a folder that takes no new file...).
    void CreateFromBase();
    // Replaces Database with a new TQlDatabase on DbFile and reads its schema; on failure
    // Database stays empty. A file that does not open or whose schema does not read (or is
    // empty) raises UserException with a French user text naming it and the backup folder;
    // the file is left as it is. A file that another program keeps locked beyond the busy
    // timeout is reported as in use instead, with no word of a backup. A folder, a FIFO, a
    // device or a socket where the engine keeps the database's journal ("-journal", "-wal",
    // "-shm") is reported before the engine could wait on it, and left as it is.
    void Open();
    // Runs the scripts SqlDir + "/update-<v>.sql" from the stored version + 1 up to 2 (none
    // after a copy from the base file), then stores 2. The stored version is the larger of
    // the settings' and the database's own (PRAGMA user_version); without a usable one in
    // the settings, the database's own, else the settings' default. A database of a later
    // version is left as it is, with one log line, and its number is never lowered. Each
    // script runs in one transaction (RunScript), the stored version being the one reached
    // by the scripts before a failing one. A settings file that cannot be written is only
    // logged.
    void Update();
    // Writes a consistent copy of the working database where a write to Target lands
    // (KVXWrittenPath: through a link, onto the file it points to), replacing it, while the
    // program keeps its connection open: SQLite's online backup from the open Database (or
    // from DbFile when none is open) into a temporary file of a short name in that folder,
    // renamed over it once complete. A failure removes the temporary file and leaves the
    // file as it was. The temporary files that interrupted backups left in that folder are
    // removed first. A Target that Config->CheckUserFile refuses (one of the program's own
    // files, a folder, a device) or a read-only one is refused before anything is written.
    // Every failure raises UserException with a French user text saying why: the file's
    // reason (FileFailureReason), or what the engine met (a damaged or unreadable database, a
    // lock, a full disk...).
    void Backup(const QString &Target);
    // Deletes the recipes that an abandoned creation left behind (a recipe is written as soon
    // as its editor opens, under a GUID text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as its
    // name, until the user saves it), their ingredient lines with them. Needs Database.
    void DeletePlaceholders();

    // Folder + "recipes-base.db3", folder + "recipes.db3", folder + "sql".
    QString BaseFile;
    QString DbFile;
    QString SqlDir;
    // Set once the working file has been copied from the base file in this run.
    bool Created = false;

private:
    // Runs one migration script in one transaction: applied whole, or not at all. A script
    // that cannot be read or is larger than OwnFileMaxSize, that holds no statement or stops
    // in the middle of one (a tag "--u" that begins no statement ended by ";" and a line end),
    // or that has a statement that fails raises
    // UserException 'La base de données n'a pas pu être mise à jour par le fichier
    // "<script>" : <reason>', the inner user text (a full disk, a lock) on the next line.
    void RunScript(const QString &Script);
    // The body of Backup; a file that cannot be written raises EFileWriteError.
    void CopyTo(const QString &Target);
    // Raises UserException naming a journal file of DbFile that is no regular file.
    void CheckCompanions() const;
    int StoredVersion() const;
    void StoreVersion(int Version);
    static void LogQuietly(const QString &Message);
};
