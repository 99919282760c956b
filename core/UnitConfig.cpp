#include "UnitConfig.h"

#include "KVXFiles.h"
#include "KVXRegExpr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

TConfig *Config = nullptr;

namespace {

std::unique_ptr<TConfig> OwnedConfig;
std::unique_ptr<TColorRotation> OwnedColorRotation;

const QString SectionBackup = QStringLiteral("BACKUP");
const QString SectionHisto = QStringLiteral("HISTO");
const QString SectionDatabase = QStringLiteral("DATABASE");
const QString SectionSync = QStringLiteral("SYNC");

// FileName with its extension replaced by Ext (".ini"), or Ext appended when the file
// name has none: our program file "fenolda" gives "fenolda.ini".
QString ChangeFileExt(const QString &FileName, const QString &Ext)
{
    const int Slash = FileName.lastIndexOf(QLatin1Char('/'));
    const int Dot = FileName.lastIndexOf(QLatin1Char('.'));
    if (Dot > Slash + 1)
        return FileName.left(Dot) + Ext;
    return FileName + Ext;
}

QString &ApiAddress()
{
    static QString Address = QStringLiteral(FENOLDA_WEB_API);
    return Address;
}

} // namespace

QString ProgramFileName()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

TConfig::TConfig() : TConfig(ProgramFileName()) {}

TConfig::TConfig(const QString &ProgramFile)
{
    Wrap("TConfig.Create", [&] {
        const QFileInfo Program(ProgramFile);
        const QString FullName = Program.absoluteFilePath();
        ExeDir = QDir::cleanPath(Program.absolutePath());
        ExePath = ExeDir.endsWith(QLatin1Char('/')) ? ExeDir : ExeDir + QLatin1Char('/');
        if (ExeDir.size() > 1 && ExeDir.endsWith(QLatin1Char('/')))
            ExeDir.chop(1);
        HtmlDir = ExePath + QStringLiteral("html");
        SaveDir = ExePath + QStringLiteral("save");
        BackupDir = ExePath + QStringLiteral("backup");
        IniFileName = ChangeFileExt(FullName, QStringLiteral(".ini"));
        LogFileName = ChangeFileExt(FullName, QStringLiteral(".log"));
        Ini = std::make_unique<TIniFile>(IniFileName);

        // The program goes on without a folder it cannot create; "html" is not created: it
        // must come with the program, since it holds the printable list's templates.
        QDir().mkpath(SaveDir);
        QDir().mkpath(BackupDir);

        Version = KVXSubExpr(KVXGetFileVersion(FullName), QStringLiteral("(\\d+\\.\\d+\\.\\d+)\\.\\d+"), 1, true, true,
                             false, true, QString());
    });
}

TConfig::~TConfig() = default;

QString TConfig::GetBackupLastFile() const
{
    return Ini->ReadString(SectionBackup, QStringLiteral("LastFile"), QString());
}

void TConfig::SetBackupLastFile(const QString &Value)
{
    Ini->WriteString(SectionBackup, QStringLiteral("LastFile"), Value);
}

TDateTime TConfig::GetBackupDate() const
{
    return Ini->ReadDate(SectionBackup, QStringLiteral("Date"), 0);
}

void TConfig::SetBackupDate(TDateTime Value)
{
    Ini->WriteDate(SectionBackup, QStringLiteral("Date"), Value);
}

int TConfig::GetHistoDays() const
{
    return Ini->ReadInteger(SectionHisto, QStringLiteral("Days"), 30);
}

void TConfig::SetHistoDays(int Value)
{
    Ini->WriteInteger(SectionHisto, QStringLiteral("Days"), Value);
}

bool TConfig::GetHistoEnabled() const
{
    return Ini->ReadBool(SectionHisto, QStringLiteral("Enabled"), false);
}

void TConfig::SetHistoEnabled(bool Value)
{
    Ini->WriteBool(SectionHisto, QStringLiteral("Enabled"), Value);
}

int TConfig::GetDatabaseVersion() const
{
    return Ini->ReadInteger(SectionDatabase, QStringLiteral("Version"), 1);
}

int TConfig::GetStoredDatabaseVersion() const
{
    const int Value = Ini->ReadInteger(SectionDatabase, QStringLiteral("Version"), -1);
    return Value < 0 ? -1 : Value;
}

void TConfig::SetDatabaseVersion(int Value)
{
    Ini->WriteInteger(SectionDatabase, QStringLiteral("Version"), Value);
}

TDateTime TConfig::GetLastSync() const
{
    return Ini->ReadDateTime(SectionDatabase, QStringLiteral("LastSync"), 0);
}

void TConfig::SetLastSync(TDateTime Value)
{
    Ini->WriteDateTime(SectionDatabase, QStringLiteral("LastSync"), Value);
}

bool TConfig::GetSyncEnabled() const
{
    if (WebApiAddress().isEmpty())
        return false;
    return Ini->ReadBool(SectionSync, QStringLiteral("Enabled"), true);
}

void TConfig::SetSyncEnabled(bool Value)
{
    Ini->WriteBool(SectionSync, QStringLiteral("Enabled"), Value);
}

QString TConfig::GetSyncEmail() const
{
    return Ini->ReadString(SectionSync, QStringLiteral("Email"), QString());
}

void TConfig::SetSyncEmail(const QString &Value)
{
    Ini->WriteString(SectionSync, QStringLiteral("Email"), Value);
}

QString TConfig::GetSyncApiKey() const
{
    return Ini->ReadString(SectionSync, QStringLiteral("ApiKey"), QString());
}

void TConfig::SetSyncApiKey(const QString &Value)
{
    Ini->WriteString(SectionSync, QStringLiteral("ApiKey"), Value);
}

void InitializeUnitConfig()
{
    FinalizeUnitConfig();
    OwnedConfig = std::make_unique<TConfig>();
    Config = OwnedConfig.get();
    OwnedColorRotation = std::make_unique<TColorRotation>();
    ColorRotation = OwnedColorRotation.get();
}

void FinalizeUnitConfig()
{
    ColorRotation = nullptr;
    OwnedColorRotation.reset();
    Config = nullptr;
    OwnedConfig.reset();
}

QString WebApiAddress()
{
    // A base address may be configured with a final "/"; the paths added to it start with one.
    QString Address = ApiAddress();
    while (Address.endsWith(QLatin1Char('/')))
        Address.chop(1);
    return Address;
}

void SetWebApiAddressForTesting(const QString &Address)
{
    ApiAddress() = Address;
}
