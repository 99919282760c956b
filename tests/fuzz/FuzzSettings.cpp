// The settings file: any file reads, and writing one key changes no other key's value.
#include "FuzzSupport.h"
#include "IniFiles.h"
#include "KVXFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {

using TKey = std::pair<QString, QString>;

// The program's own keys, and the sections and keys the file seems to hold.
std::vector<TKey> Keys(const QString &Text)
{
    std::vector<TKey> Result = {{"BACKUP", "LastFile"}, {"BACKUP", "Date"},      {"HISTO", "Days"},
                                {"HISTO", "Enabled"},   {"DATABASE", "Version"}, {"SYNC", "Email"}};
    QString Section;
    for (QString Line : Text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        Line = Trim(Line);
        if (Line.startsWith(QLatin1Char('['))) {
            const int End = Line.indexOf(QLatin1Char(']'));
            Section = Trim(Line.mid(1, (End < 0 ? Line.size() : End) - 1));
        } else if (Line.contains(QLatin1Char('=')) && !Section.isEmpty() && Result.size() < 40) {
            const QString Key = Trim(Line.left(Line.indexOf(QLatin1Char('='))));
            if (!Key.isEmpty())
                Result.emplace_back(Section, Key);
        }
    }
    return Result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size == 0 || Size > 4096)
        return 0;
    static QTemporaryDir Folder;
    const QString Name = Folder.filePath(QStringLiteral("fenolda.ini"));
    {
        QFile F(Name);
        if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        F.write(FuzzBytes(Data + 1, Size - 1));
    }
    TIniFile Ini(Name);
    QFile Raw(Name);
    Raw.open(QIODevice::ReadOnly);
    const QString Text = KVXDecodeText(Raw.readAll());
    Raw.close();
    // A damaged UTF-16 file may hold lone surrogates, which no UTF-8 file can: the settings
    // are then rewritten with replacement characters, and only the written key is checked.
    const bool Writable = QString::fromUtf8(Text.toUtf8()) == Text;
    const std::vector<TKey> All = Keys(Text);
    std::vector<QString> Before;
    for (const TKey &K : All)
        Before.push_back(Ini.ReadString(K.first, K.second, QStringLiteral("<none>")));

    const TKey &Written = All[Data[0] % All.size()];
    const QString Value = QStringLiteral("valeur écrite");
    Ini.WriteString(Written.first, Written.second, Value);
    FUZZ_CHECK(Ini.ReadString(Written.first, Written.second, QString()) == Value, "the written value does not read");
    for (std::size_t I = 0; Writable && I < All.size(); ++I) {
        const TKey &K = All[I];
        if (SameText(K.first, Written.first) && SameText(K.second, Written.second))
            continue;
        FUZZ_CHECK(Ini.ReadString(K.first, K.second, QStringLiteral("<none>")) == Before[I],
                   "writing one key changed another");
    }
    return 0;
}
