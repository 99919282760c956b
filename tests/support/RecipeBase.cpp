#include "RecipeBase.h"

#include "KVXFiles.h"
#include "UnitDatabase.h"

#include <QFile>
#include <QTemporaryDir>

bool MakeRecipeBase(const QString &FileName, bool WithStarter)
{
    static QTemporaryDir Folder;
    static QString Templates[2];
    QString &Template = Templates[WithStarter];
    if (Template.isEmpty()) {
        const QString Name =
            Folder.filePath(WithStarter ? QStringLiteral("starter.db3") : QStringLiteral("schema.db3"));
        // A build that failed half-way starts again from nothing.
        QFile::remove(Name);
        {
            TQlDatabase Db(Name);
            Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/schema.sql")));
            if (WithStarter)
                Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/starter.sql")));
        }
        Template = Name;
    }
    QFile::remove(FileName);
    return QFile::copy(Template, FileName);
}
