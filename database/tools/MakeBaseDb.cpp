// Build tool: makes the shipped base database from SQL files.
//
//   fenolda_makedb <output.db3> <file.sql>...
//
// Runs every statement of each file in order through the program's own database layer
// (foreign keys on, as the program opens it), then checks the result with
// "PRAGMA integrity_check" and "PRAGMA foreign_key_check". The database is built in
// "<output>.tmp" and renamed over the output only when everything passed, so a failed run
// leaves no half-made base file for the build to ship.

#include "KVXFiles.h"
#include "UnitDatabase.h"
#include "UnitTypes.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

void RemoveFile(const QString &FileName)
{
    QFile::remove(FileName);
    QFile::remove(FileName + QStringLiteral("-journal"));
}

void Build(const QString &FileName, const QStringList &Scripts)
{
    TQlDatabase Db(FileName);
    for (const QString &Script : Scripts) {
        const QByteArray Bytes = KVXReadFileBytes(Script);
        const QString Text = UTF8Decode(Bytes);
        if (Text.isEmpty() && !Bytes.isEmpty())
            throw Exception(QStringLiteral("%1: not valid UTF-8").arg(Script));
        Wrap(Script, [&] { Db.ExecScript(Text); });
    }

    const std::unique_ptr<TQlTable> Integrity = Db.GetTable(QStringLiteral("PRAGMA integrity_check"));
    QStringList Problems;
    for (; !Integrity->Eof(); Integrity->Next()) {
        const QString Line = UTF8Decode(Integrity->FieldAsString(0));
        if (Line != QLatin1String("ok"))
            Problems << Line;
    }
    const std::unique_ptr<TQlTable> Keys = Db.GetTable(QStringLiteral("PRAGMA foreign_key_check"));
    for (; !Keys->Eof(); Keys->Next())
        Problems << QStringLiteral("foreign key: table %1, row %2, parent %3")
                        .arg(UTF8Decode(Keys->FieldAsString(0)), UTF8Decode(Keys->FieldAsString(1)),
                             UTF8Decode(Keys->FieldAsString(2)));
    if (!Problems.isEmpty())
        throw Exception(QStringLiteral("%1 fails its checks:\n%2").arg(FileName, Problems.join(QLatin1Char('\n'))));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fenolda_makedb <output.db3> <file.sql>...\n");
        return 2;
    }
    const QString Output = QFile::decodeName(argv[1]);
    QStringList Scripts;
    for (int I = 2; I < argc; ++I)
        Scripts << QFile::decodeName(argv[I]);

    const QString Temporary = Output + QStringLiteral(".tmp");
    RemoveFile(Temporary);
    try {
        Build(Temporary, Scripts);
    } catch (const std::exception &E) {
        RemoveFile(Temporary);
        // The engine's messages separate their parts with CR: one line each on a terminal.
        std::fprintf(stderr, "fenolda_makedb: %s\n",
                     qPrintable(ExceptionMessage(E).replace(QLatin1Char('\r'), QLatin1Char('\n'))));
        return 1;
    }
    QFile::remove(Output);
    if (!QFile::rename(Temporary, Output)) {
        RemoveFile(Temporary);
        std::fprintf(stderr, "fenolda_makedb: cannot write %s\n", qPrintable(Output));
        return 1;
    }
    return 0;
}
