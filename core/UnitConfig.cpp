#include "UnitConfig.h"

#include "KVXFiles.h"
#include "KVXRegExpr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <optional>

#include <sys/stat.h>

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

// The path a write to Name lands on: a link in Name's place is followed to what it names, even
// when that does not exist yet, as the write routines follow it.
QString WrittenPath(const QString &Name)
{
    QFileInfo Info(Name);
    // The system gives up on a longer chain of links; so does the write.
    for (int Hops = 0; Hops < 40 && Info.isSymLink(); ++Hops)
        Info.setFile(Info.symLinkTarget());
    return Info.absoluteFilePath();
}

// A folder as the file system knows it, whatever path reached it.
struct TFolderId
{
    dev_t Device;
    ino_t Inode;
    bool operator==(const TFolderId &Other) const { return Device == Other.Device && Inode == Other.Inode; }
};

std::optional<TFolderId> FolderId(const QString &Folder)
{
    struct stat St;
    if (::stat(QFile::encodeName(Folder).constData(), &St) != 0 || !S_ISDIR(St.st_mode))
        return std::nullopt;
    return TFolderId{St.st_dev, St.st_ino};
}

// Whether two paths, links followed, name one entry of one folder.
bool SameEntry(const QString &Written, const std::optional<TFolderId> &Folder, const QString &Other)
{
    const QFileInfo Own(WrittenPath(Other));
    return Own.fileName() == QFileInfo(Written).fileName() && FolderId(Own.absolutePath()) == Folder;
}

// Whether Folder is Ancestor or lies inside it.
bool InFolder(const QString &Folder, const QString &Ancestor)
{
    const std::optional<TFolderId> Target = FolderId(Ancestor);
    if (!Target)
        return false;
    // Links resolved, each step up the path is the real parent folder.
    QString Path = QFileInfo(Folder).canonicalFilePath();
    while (!Path.isEmpty()) {
        if (FolderId(Path) == Target)
            return true;
        if (Path == QLatin1String("/"))
            break;
        Path = QFileInfo(Path).absolutePath();
    }
    return false;
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

void TConfig::CheckUserFile(const QString &FileName) const
{
    const auto Refuse = [&FileName](const char *UserText, const char *Reason) {
        const Exception Why(QString::fromUtf8(Reason).arg(FileName));
        return UserException::CreateUserFmt(QString::fromUtf8(UserText), {FileName}, &Why);
    };
    const QString Written = WrittenPath(FileName);
    const QString Folder = QFileInfo(Written).absolutePath();
    const std::optional<TFolderId> FolderOfFile = FolderId(Folder);
    // A name in a folder that does not exist cannot be written: the write says so itself.
    if (FolderOfFile) {
        const QString Database = WrittenPath(ExePath + QLatin1String(WorkingDatabaseName));
        const QString Own[] = {Database,
                               Database + QStringLiteral("-journal"),
                               Database + QStringLiteral("-wal"),
                               Database + QStringLiteral("-shm"),
                               ExePath + QLatin1String(BaseDatabaseName),
                               ExePath + QLatin1String(QtSettingsName),
                               IniFileName,
                               LogFileName};
        if (InFolder(Folder, ExePath + QStringLiteral("sql")) || InFolder(Folder, HtmlDir) ||
            std::any_of(std::begin(Own), std::end(Own),
                        [&](const QString &File) { return SameEntry(Written, FolderOfFile, File); }))
            throw Refuse("Le fichier \"%s\" est utilisé par le programme : choisissez un autre nom.",
                         "\"%1\" is one of the program's own files");
    }
    // Replaced, a device or a FIFO would be gone: what was there is no menu or backup.
    struct stat St;
    if (::stat(QFile::encodeName(Written).constData(), &St) == 0 && !S_ISREG(St.st_mode))
        throw Refuse("Le nom \"%s\" ne désigne pas un fichier ordinaire : choisissez un autre nom.",
                     "\"%1\" is not a regular file");
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
