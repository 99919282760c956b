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
    // Replaces Database with a new TQlDatabase on DbFile; on failure Database stays empty.
    void Open();
    // Runs the scripts SqlDir + "/update-<v>.sql" from the stored version + 1 up to 2 (none
    // after a copy from the base file), then stores 2. Each script runs in one transaction:
    // a failing statement rolls its script back and its error goes on unchanged, the stored
    // version being the one reached by the scripts before it.
    void Update();
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
};
