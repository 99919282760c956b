#include "UnitProgram.h"

#include "SysUtils.h"
#include "UnitAppEvents.h"
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
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

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
    // The file dialog asks for the native format, an INI file on Linux; the INI format goes to the
    // same folder so that nothing of Qt's reaches the home folder either way.
    const QString Path = QDir(Folder).absolutePath();
    for (const QSettings::Format Format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(Format, QSettings::UserScope, Path);
}
