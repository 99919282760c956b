#include "UnitProgram.h"

#include "SysUtils.h"
#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitCourses.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitMenuList.h"
#include "UnitMenuName.h"
#include "UnitMenus.h"
#include "UnitOptions.h"
#include "UnitTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

// Creates a window of class T into Owner and its global; only the main window's closing
// ends the program, whatever other window is still open.
template <class T> void CreateForm(std::unique_ptr<T> &Owner, T *&Global, bool MainWindow = false)
{
    Owner = std::make_unique<T>();
    Global = Owner.get();
    if (!MainWindow)
        Owner->setAttribute(Qt::WA_QuitOnClose, false);
}

template <class T> void FreeForm(std::unique_ptr<T> &Owner, T *&Global)
{
    Global = nullptr;
    Owner.reset();
}

// The folder KeepQtSettingsIn named, and whether its file was already found unfit this run.
struct TQtSettings
{
    QString Folder;
    bool Logged = false;
};

TQtSettings &QtSettings()
{
    static TQtSettings Kept;
    return Kept;
}

// A folder under a device, which can never exist: Qt reads nothing there and creates nothing,
// not even the folder.
const QString Nowhere = QStringLiteral("/dev/null/fenolda");

void SetQtSettingsPath(const QString &Folder)
{
    // The file dialog asks for the native format, an INI file on Linux; the INI format goes to the
    // same folder so that nothing of Qt's reaches the home folder either way.
    for (const QSettings::Format Format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(Format, QSettings::UserScope, Folder);
}

// Why Qt must not read or write File, "" when it may. Qt reads a lock file it finds, waits on a
// FIFO, follows a link when it saves and removes a lock it thinks stale: only a regular file of
// its own, or none, is left to it.
QString UnfitForQt(const QString &File)
{
    const QString Name = QStringLiteral("\"%1\"").arg(File);
    struct stat St;
    if (::lstat(QFile::encodeName(File).constData(), &St) != 0) {
        const int Error = errno;
        if (Error == ENOENT)
            return QString();
        return Name + QStringLiteral(" cannot be examined (%1)").arg(QString::fromLocal8Bit(std::strerror(Error)));
    }
    if (S_ISLNK(St.st_mode))
        return Name + QStringLiteral(" is a link");
    if (!S_ISREG(St.st_mode))
        return Name + QStringLiteral(" is not a regular file");
    if (St.st_size > OwnFileMaxSize)
        return Name + QStringLiteral(" is larger than %1 bytes").arg(OwnFileMaxSize);
    if (Config) {
        try {
            Config->OwnFileCheck(File)(File);
        } catch (const std::exception &) {
            return Name + QStringLiteral(" is another of the program's files");
        }
    }
    return QString();
}

} // namespace

TProgramWindows::TProgramWindows()
{
    try {
        CreateForm(FMenus, FormMenus, true);
        CreateForm(FCourses, FormCourses);
        CreateForm(FDialog, FormDialog);
        CreateForm(FEditRec, FormEditRec);
        CreateForm(FOptions, FormOptions);
        CreateForm(FMenuList, FormMenuList);
        CreateForm(FMenuName, FormMenuName);
    } catch (...) {
        FreeForms();
        throw;
    }
}

TProgramWindows::~TProgramWindows()
{
    FreeForms();
}

void TProgramWindows::FreeForms()
{
    FreeForm(FMenuName, FormMenuName);
    FreeForm(FMenuList, FormMenuList);
    FreeForm(FOptions, FormOptions);
    FreeForm(FEditRec, FormEditRec);
    FreeForm(FDialog, FormDialog);
    FreeForm(FCourses, FormCourses);
    FreeForm(FMenus, FormMenus);
}

void InstallQtTranslation()
{
    const QString Folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto Translator = std::make_unique<QTranslator>();
    if (!Translator->load(UserLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), Folder)) {
        // Not worth stopping for: only Qt's own words stay in English.
        Guard([&] {
            WriteLog(QStringLiteral("Qt's French translation qtbase_fr was not found in %1").arg(Folder),
                     QStringLiteral("InstallQtTranslation"));
        });
        return;
    }
    // The application owns it from now on.
    Translator->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(Translator.release());
}

void KeepQtSettingsIn(const QString &Folder)
{
    // Kept as written, not cleaned as text: Qt opens the file by this path and the check looks at
    // it the same way, the system resolving a link before "..".
    QtSettings() =
        TQtSettings{QFileInfo(Folder).isAbsolute() ? Folder : QDir::currentPath() + QLatin1Char('/') + Folder, false};
    CheckQtSettings();
}

void CheckQtSettings() noexcept
{
    TQtSettings &Kept = QtSettings();
    if (Kept.Folder.isEmpty())
        return;
    try {
        const QString Own = Kept.Folder.endsWith(QLatin1Char('/')) ? Kept.Folder : Kept.Folder + QLatin1Char('/');
        const QString Settings = Own + QLatin1String(QtSettingsName);
        QString Why;
        for (const QString &File : {Settings, Settings + QStringLiteral(".lock")}) {
            Why = UnfitForQt(File);
            if (!Why.isEmpty())
                break;
        }
        SetQtSettingsPath(Why.isEmpty() ? Kept.Folder : Nowhere);
        if (Why.isEmpty() || Kept.Logged)
            return;
        Kept.Logged = true;
        WriteLogQuietly(Why + QStringLiteral(": the file dialogs keep no saved state (folders, sizes) for this run"),
                        QStringLiteral("CheckQtSettings"));
    } catch (...) {
        // Whatever failed, Qt is kept away from the program's files.
        SetQtSettingsPath(Nowhere);
    }
}
