#include "UnitDb3.h"

#include "KVXFiles.h"
#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitTypes.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <vector>

namespace {

// The schema version that this program works with.
constexpr int SchemaVersion = 2;

// Replaces Target with a copy of Source through a temporary file renamed over it, so that a
// failed copy never leaves half a database in place of the working one.
bool CopyFileOver(const QString &Source, const QString &Target)
{
    QFile In(Source);
    if (!In.open(QIODevice::ReadOnly))
        return false;
    QSaveFile Out(Target);
    if (!Out.open(QIODevice::WriteOnly))
        return false;
    QByteArray Buffer;
    while (!In.atEnd()) {
        Buffer = In.read(1 << 16);
        if (Buffer.isEmpty() && In.error() != QFileDevice::NoError)
            return false;
        if (Out.write(Buffer) != Buffer.size())
            return false;
    }
    return In.error() == QFileDevice::NoError && Out.commit();
}

// The statements of a migration script: each one starts on the line after a tag "--u" and
// ends with the first ";" that white space separates from an empty line. The expression
// sees the script with every line end (CR LF, lone CR or LF) as one LF, as the tag's rules
// count them; each statement is then cut from the original bytes, which go to the engine
// unchanged.
std::vector<QByteArray> ScriptStatements(const QByteArray &Script)
{
    QString Text;
    Text.reserve(Script.size());
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

    static const QRegularExpression Tag(QStringLiteral("(*LF)--u\\s+^(.*;)\\s+^$"),
                                        QRegularExpression::DotMatchesEverythingOption |
                                            QRegularExpression::InvertedGreedinessOption |
                                            QRegularExpression::MultilineOption);
    std::vector<QByteArray> Statements;
    QRegularExpressionMatchIterator It = Tag.globalMatch(Text);
    while (It.hasNext()) {
        const QRegularExpressionMatch M = It.next();
        const qsizetype Start = M.capturedStart(1);
        const qsizetype End = M.capturedEnd(1);
        if (Start < 0 || End <= Start)
            continue;
        // The statement ends with ";", a character that maps to exactly one byte.
        const qsizetype From = Origin[std::size_t(Start)];
        const qsizetype To = Origin[std::size_t(End - 1)] + 1;
        Statements.push_back(Script.mid(From, To - From));
    }
    return Statements;
}

} // namespace

TDb3File::TDb3File(const QString &Folder)
    : BaseFile(Folder + QStringLiteral("recipes-base.db3")), DbFile(Folder + QStringLiteral("recipes.db3")),
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
    if (!CopyFileOver(BaseFile, DbFile))
        throw UserException::CreateUserFmt(QStringLiteral("Impossible de créer la base de données \"%s\"."), {DbFile});
    // Whatever the base file's permissions were, the working copy must be writable.
    KVXSetFileAttributes(QStringLiteral("-R"), DbFile);
    Created = true;
}

void TDb3File::Open()
{
    FreeDatabase();
    SetDatabase(std::make_unique<TQlDatabase>(DbFile));
}

void TDb3File::Update()
{
    if (!Created) {
        for (int Version = Config->GetDatabaseVersion() + 1; Version <= SchemaVersion; ++Version) {
            const QString Script = SqlDir + QStringLiteral("/update-%1.sql").arg(Version);
            if (!KVXFileExists(Script))
                throw UserException::CreateUserFmt(
                    QStringLiteral("Impossible de mettre à jour la base de données, il manque le fichier SQL de "
                                   "migration \"%s\"."),
                    {Script});
            const std::vector<QByteArray> Statements = ScriptStatements(KVXReadFileBytes(Script));
            if (!Database)
                throw UserException::Create(QStringLiteral("TDb3File.Update"),
                                            Exception(QStringLiteral("The database is not open")));
            // A script is applied whole or not at all: when one of its statements fails,
            // the ones before it are rolled back, the stored version stays that of the
            // scripts already applied, and the next start runs this script again from a
            // clean state. The statement's error goes on unchanged.
            TSQLiteTransaction Transaction(*Database);
            for (const QByteArray &Statement : Statements)
                Database->ExecSQL(QString::fromUtf8(Statement));
            Transaction.Commit();
            Config->SetDatabaseVersion(Version);
        }
    }
    Config->SetDatabaseVersion(SchemaVersion);
}

void TDb3File::DeletePlaceholders()
{
    Wrap("TDb3File.DeletePlaceholders", [&] {
        if (!Database)
            throw Exception(QStringLiteral("The database is not open"));
        // The exact shape of KVXNewGuid's text, so that no name a user could type is taken.
        const QString Hex4 = QStringLiteral("[0-9A-F][0-9A-F][0-9A-F][0-9A-F]");
        const QString Guid = QStringLiteral("{") + Hex4 + Hex4 + QStringLiteral("-") + Hex4 + QStringLiteral("-") +
                             Hex4 + QStringLiteral("-") + Hex4 + QStringLiteral("-") + Hex4 + Hex4 + Hex4 +
                             QStringLiteral("}");
        Database->AddParamText(":guid", Guid);
        // The lines go first by hand as well: a database whose foreign keys were switched
        // off elsewhere would otherwise keep them.
        Database->ExecSQL(QStringLiteral(
            "delete from ingredients where reccode in (select code from recette where name glob :guid)"));
        Database->AddParamText(":guid", Guid);
        Database->ExecSQL(QStringLiteral("delete from recette where name glob :guid"));
    });
}
