#include "ModelTestSupport.h"

#include "KVXFiles.h"
#include "UnitRandom.h"

#include <QFile>

namespace {

// Both databases are built once per test binary (the starter rows take a while), then
// copied for each test.
QString TemplateFile(bool WithStarter)
{
    static QTemporaryDir Folder;
    static QString Files[2];
    QString &File = Files[WithStarter];
    if (File.isEmpty()) {
        const QString Name =
            Folder.filePath(WithStarter ? QStringLiteral("starter.db3") : QStringLiteral("schema.db3"));
        TQlDatabase Db(Name);
        Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/schema.sql")));
        if (WithStarter)
            Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/starter.sql")));
        File = Name;
    }
    return File;
}

} // namespace

void TModelTest::SetUp()
{
    ASSERT_TRUE(Dir.isValid());
    Cfg = std::make_unique<TConfig>(Dir.filePath(QStringLiteral("fenolda")));
    Config = Cfg.get();
    ColorRotation = &Rotation;
    Start = EncodeDate(2026, 5, 4) + EncodeTime(10, 0, 0, 0);
    SetClock(Start);
    RandSeed(42);
    OpenDatabase(true);
}

void TModelTest::TearDown()
{
    FreeDatabase();
    SetNowFunction({});
    ColorRotation = nullptr;
    Config = nullptr;
}

void TModelTest::OpenDatabase(bool WithStarter)
{
    FreeDatabase();
    const QString File = Dir.filePath(QStringLiteral("recipes.db3"));
    QFile::remove(File);
    ASSERT_TRUE(QFile::copy(TemplateFile(WithStarter), File));
    SetDatabase(std::make_unique<TQlDatabase>(File));
}

void TModelTest::SetClock(TDateTime Value)
{
    SetNowFunction([Value] { return Value; });
}

int TModelTest::AddRecipe(const QString &Name, int Repas, int Type, int Saison, int NbPers)
{
    Database->AddParamText(":name", Name);
    Exec(QStringLiteral("INSERT INTO recette (name, nbpers, repas, type_, saison) VALUES (:name, %1, %2, %3, %4)")
             .arg(NbPers)
             .arg(Repas)
             .arg(Type)
             .arg(Saison));
    Database->AddParamText(":name", Name);
    return Int(QStringLiteral("select code from recette where name=:name"));
}
