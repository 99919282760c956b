// The working database file of the program folder: created from the shipped base file,
// opened as the global Database, and brought to schema version 2 by the migration scripts.
#pragma once

#include <QString>

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
    // Copies BaseFile over DbFile and makes the copy writable. A failed copy raises
    // UserException "Impossible de créer la base de données \"<DbFile>\".".
    void CreateFromBase();
    // Replaces Database with a new TQlDatabase on DbFile and reads its schema; on failure
    // Database stays empty. A file that does not open or whose schema does not read (or is
    // empty) raises UserException with a French user text naming it and the backup folder;
    // the file is left as it is. A file that another program keeps locked beyond the busy
    // timeout is reported as in use instead, with no word of a backup.
    void Open();
    // Runs the scripts SqlDir + "/update-<v>.sql" from the stored version + 1 up to 2 (none
    // after a copy from the base file), then stores 2. The stored version is the larger of
    // the settings' and the database's own (PRAGMA user_version); without a usable one in
    // the settings, the database's own, else the settings' default. A database of a later
    // version is left as it is, with one log line, and its number is never lowered. Each
    // script runs in one transaction: a failing statement rolls its script back and its
    // error goes on unchanged, the stored version being the one reached by the scripts
    // before it. A settings file that cannot be written is only logged.
    void Update();
    // Writes a consistent copy of the working database onto Target, replacing it, while the
    // program keeps its connection open: SQLite's online backup from the open Database (or
    // from DbFile when none is open) into a temporary file beside Target, renamed over it
    // once complete. A failure removes the temporary file and leaves Target as it was. The
    // temporary files that interrupted backups left in Target's folder are removed first. A
    // Target that Config->CheckUserFile refuses (one of the program's own files, a folder,
    // a device) is refused before anything is written.
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
    int StoredVersion() const;
    void StoreVersion(int Version);
    static void LogQuietly(const QString &Message);
};
