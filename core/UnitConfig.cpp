#include "UnitConfig.h"

#include "KVXFiles.h"
#include "KVXRegExpr.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
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

// A file's place as the file system knows it: its folder and its name there.
struct TPlace
{
    dev_t Device;
    ino_t Inode;
    QString Name;
    bool operator==(const TPlace &Other) const
    {
        return Device == Other.Device && Inode == Other.Inode && Name == Other.Name;
    }
};

std::optional<TPlace> PlaceIn(const QString &Folder, const QString &Name)
{
    struct stat St;
    if (::stat(QFile::encodeName(Folder).constData(), &St) != 0 || !S_ISDIR(St.st_mode))
        return std::nullopt;
    return TPlace{St.st_dev, St.st_ino, Name};
}

// The folder part of a path as written, "." for none.
QString FolderPart(const QString &Path)
{
    const int Slash = Path.lastIndexOf(QLatin1Char('/'));
    return Slash < 0 ? QStringLiteral(".") : Slash == 0 ? QStringLiteral("/") : Path.left(Slash);
}

// The place of a path: its folder as the system resolves it, its last name kept even when it
// names a link.
std::optional<TPlace> PlaceOf(const QString &Path)
{
    return PlaceIn(FolderPart(Path), Path.mid(Path.lastIndexOf(QLatin1Char('/')) + 1));
}

// The place a write to Path lands on, none when no write can land there.
std::optional<TPlace> WrittenPlace(const QString &Path)
{
    try {
        return PlaceOf(KVXWrittenPath(Path));
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

// The file a path names, links followed, when it exists.
std::optional<std::pair<dev_t, ino_t>> FileId(const QString &Path)
{
    struct stat St;
    if (::stat(QFile::encodeName(Path).constData(), &St) != 0)
        return std::nullopt;
    return std::make_pair(St.st_dev, St.st_ino);
}

// Whether the file a path names, links followed, has more than one name (hard links).
bool HasOtherNames(const QString &Path)
{
    struct stat St;
    return ::stat(QFile::encodeName(Path).constData(), &St) == 0 && St.st_nlink > 1;
}

// Whether Folder or a folder inside it holds the file Id under a name other than Self's.
bool HoldsFile(const QString &Folder, std::pair<dev_t, ino_t> Id, const std::optional<TPlace> &Self)
{
    QDirIterator It(Folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (It.hasNext()) {
        const QString Path = It.next();
        if (FileId(Path) == Id && !(Self && PlaceOf(Path) == Self))
            return true;
    }
    return false;
}

// Whether the folder of Written is Ancestor or lies inside it.
bool InFolder(const QString &Written, const QString &Ancestor)
{
    struct stat Target;
    if (::stat(QFile::encodeName(Ancestor).constData(), &Target) != 0 || !S_ISDIR(Target.st_mode))
        return false;
    // Written is resolved: each step up its folder path is the real parent folder.
    QString Path = FolderPart(Written);
    for (;;) {
        struct stat St;
        if (::stat(QFile::encodeName(Path).constData(), &St) == 0 && St.st_dev == Target.st_dev &&
            St.st_ino == Target.st_ino)
            return true;
        if (Path == QLatin1String("/") || Path.isEmpty())
            return false;
        Path = FolderPart(Path);
    }
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
        FProgramFile = FullName;
        ExeDir = QDir::cleanPath(Program.absolutePath());
        ExePath = ExeDir.endsWith(QLatin1Char('/')) ? ExeDir : ExeDir + QLatin1Char('/');
        if (ExeDir.size() > 1 && ExeDir.endsWith(QLatin1Char('/')))
            ExeDir.chop(1);
        HtmlDir = ExePath + QStringLiteral("html");
        SaveDir = ExePath + QStringLiteral("save");
        BackupDir = ExePath + QStringLiteral("backup");
        IniFileName = ChangeFileExt(FullName, QStringLiteral(".ini"));
        LogFileName = ChangeFileExt(FullName, QStringLiteral(".log"));
        Ini = std::make_unique<TIniFile>(IniFileName, OwnFileCheck(IniFileName));

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

void TConfig::CheckNotOwn(const QString &Written, const QString &Self, const std::function<void()> &Refuse) const
{
    const std::optional<TPlace> Place = PlaceOf(Written);
    // Written onto itself, the file is in no other one's place; it may still be another one
    // under a second name (a hard link), which only its identity tells.
    const bool OntoSelf = !Self.isEmpty() && Place && Place == PlaceOf(Self);
    const QString Database = ExePath + QLatin1String(WorkingDatabaseName);
    // The journals lie beside the database file the engine opens, links followed.
    QString DatabaseFile = Database;
    try {
        DatabaseFile = KVXWrittenPath(Database);
    } catch (const std::exception &) {
    }
    const QString Own[] = {FProgramFile,
                           Database,
                           DatabaseFile + QStringLiteral("-journal"),
                           DatabaseFile + QStringLiteral("-wal"),
                           DatabaseFile + QStringLiteral("-shm"),
                           ExePath + QLatin1String(BaseDatabaseName),
                           ExePath + QLatin1String(QtSettingsName),
                           IniFileName,
                           LogFileName};
    const auto WrittenId = FileId(Written);
    for (const QString &File : Own) {
        if (File == Self)
            continue;
        // The same place, or the same file under another name (a hard link).
        if ((!OntoSelf && Place && WrittenPlace(File) == Place) || (WrittenId && FileId(File) == WrittenId))
            Refuse();
    }
    const QString SqlDir = ExePath + QStringLiteral("sql");
    if (!OntoSelf && (InFolder(Written, SqlDir) || InFolder(Written, HtmlDir)))
        Refuse();
    // A file with a second name may be a script or a template under it; only then are those
    // folders looked through.
    if (WrittenId && HasOtherNames(Written) &&
        (HoldsFile(SqlDir, *WrittenId, PlaceOf(Self)) || HoldsFile(HtmlDir, *WrittenId, PlaceOf(Self))))
        Refuse();
}

void TConfig::CheckUserFile(const QString &FileName) const
{
    UserFileCheck(FileName)(KVXWrittenPath(FileName));
}

TWriteCheck TConfig::UserFileCheck(const QString &FileName) const
{
    return [this, FileName](const QString &Written) {
        const auto Refuse = [&FileName](const char *UserText, const char *Reason) {
            const Exception Why(QString::fromUtf8(Reason).arg(FileName));
            return UserException::CreateUserFmt(QString::fromUtf8(UserText), {FileName}, &Why);
        };
        CheckNotOwn(Written, QString(), [&] {
            throw Refuse("Le fichier \"%s\" est utilisé par le programme : choisissez un autre nom.",
                         "\"%1\" is one of the program's own files");
        });
        // Replaced, a device or a FIFO would be gone: what was there is no menu or backup.
        struct stat St;
        if (::stat(QFile::encodeName(Written).constData(), &St) == 0 && !S_ISREG(St.st_mode))
            throw Refuse("Le nom \"%s\" ne désigne pas un fichier ordinaire : choisissez un autre nom.",
                         "\"%1\" is not a regular file");
    };
}

TWriteCheck TConfig::OwnFileCheck(const QString &OwnFile) const
{
    return [this, OwnFile](const QString &Written) {
        CheckNotOwn(Written, OwnFile, [&] {
            EFileWriteError Refused(
                EInOutError(
                    5, QStringLiteral("\"%1\" leads to \"%2\", another of the program's files").arg(OwnFile, Written)),
                OwnFile, QString(), TWriteProblem::OwnFile);
            Refused.Target = Written;
            throw Refused;
        });
    };
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
