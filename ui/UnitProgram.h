// The windows that live for the whole run, created in the program's start-up order into
// their globals and destroyed in the reverse order.
#pragma once

#include <memory>

class QString;

class TFormCourses;
class TFormDialog;
class TFormEditRec;
class TFormMenuList;
class TFormMenuName;
class TFormMenus;
class TFormOptions;

class TProgramWindows
{
public:
    // FormMenus first (the main window), then FormCourses, FormDialog, FormEditRec,
    // FormOptions, FormMenuList and FormMenuName. An error of the main window's creation
    // waits in it until the message box exists; any other failure is raised.
    TProgramWindows();
    ~TProgramWindows();

    TProgramWindows(const TProgramWindows &) = delete;
    TProgramWindows &operator=(const TProgramWindows &) = delete;

private:
    // In the reverse order of their creation, each global emptied before its window goes.
    void FreeForms();

    std::unique_ptr<TFormMenus> FMenus;
    std::unique_ptr<TFormCourses> FCourses;
    std::unique_ptr<TFormDialog> FDialog;
    std::unique_ptr<TFormEditRec> FEditRec;
    std::unique_ptr<TFormOptions> FOptions;
    std::unique_ptr<TFormMenuList> FMenuList;
    std::unique_ptr<TFormMenuName> FMenuName;
};

// Qt's own texts in French: the file dialogs, the buttons of the standard dialogs, the edit
// boxes' context menu. Loads Qt's translation "qtbase_fr" from the system's Qt translations
// folder into the running application. Without it the program goes on in Qt's English, and
// one log line says so. Called once, after the application is made.
void InstallQtTranslation();

// Qt's own settings, the file dialogs' history of folders above all, in Folder rather than in the
// user's configuration folder (~/.config/QtProject.conf): the program writes nothing outside
// its own folder. Qt reads them when a file dialog is built and writes them when it is
// destroyed, so this comes before the first dialog. Folder with or without its trailing "/".
// The file is checked at once (CheckQtSettings).
void KeepQtSettingsIn(const QString &Folder);

// Qt's settings file is one of the program's own: Qt may read and write QtProject.conf in the
// folder KeepQtSettingsIn named, and QtProject.conf.lock beside it, only while each is absent or
// a regular file of at most OwnFileMaxSize that is none of the program's other files. Anything
// else there (a link, a FIFO, a device, a folder, a larger file) is left as it is: Qt's settings
// then go where nothing can be read or created, the file dialogs work without their history,
// and one log line says so, the first time after KeepQtSettingsIn. The file may change during
// the run: called again right before a file dialog is built and before one is destroyed.
void CheckQtSettings() noexcept;
