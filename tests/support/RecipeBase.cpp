#include "RecipeBase.h"

#include "KVXFiles.h"
#include "UnitDatabase.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#if __has_include("UnitRecetteList.h")
#include "UnitRecetteList.h"

QString MenuShape(const TRecetteList &Menu, bool ByType)
{
    QStringList Parts;
    for (int I = 0; I < Menu.Count(); ++I) {
        if (Menu.GetLineType(I) == TRecetteList::ltDate)
            Parts << QStringLiteral("D%1").arg(DateTimeToQDate(Menu.GetDate(I)->Date).day());
        else if (Menu.GetLineType(I) == TRecetteList::ltRepas)
            Parts << QStringLiteral("M%1").arg(Menu.GetRepas(I)->Repas);
        else
            Parts << (ByType ? QStringLiteral("r%1").arg(Menu.GetRecette(I)->Type_) : Menu.GetRecette(I)->Name);
    }
    return Parts.join(QLatin1Char(' '));
}
#endif

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
