// The main window's menu-file commands: "Nouveau", "Ouvrir", "Enregistrer", "Enregistrer
// sous" in files or on the server, the question that protects unsaved changes, and the
// database backup with its reminder. The methods are TFormMenus's; this unit holds them and
// the file dialogs they use.
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>

class QFileDialog;
class QWidget;

// What a file dialog proposes at its next showing; after a choice, the chosen file's folder
// and name.
struct TFileDialogPreset
{
    QString Directory;
    QString FileName;
};

// One of the main window's file dialogs, created at its first use.
struct TFileDialogKind
{
    const char *Name;   // object name: "OpenDialog", "SaveDialog", "SaveDialogDb"
    const char *Filter; // "Fichiers texte (*.txt)"
    const char *Suffix; // added when the user types no extension
    bool Save;          // a save dialog asks before replacing a file
};

inline constexpr TFileDialogKind OpenDialogKind{"OpenDialog", "Fichiers texte (*.txt)", "txt", false};
inline constexpr TFileDialogKind SaveDialogKind{"SaveDialog", "Fichiers texte (*.txt)", "txt", true};
inline constexpr TFileDialogKind SaveDialogDbKind{"SaveDialogDb", "Fichiers base (*.db3)", "db3", true};

// Shows Dialog (created as a child of Parent when it is still empty) as Preset says; the
// chosen file, or "" when the user cancelled. A choice becomes the preset of the next use.
QString ExecFileDialog(QWidget *Parent, QFileDialog *&Dialog, const TFileDialogKind &Kind, TFileDialogPreset &Preset);

// Test interface of the file dialogs: while names are queued, ExecFileDialog takes the next
// one instead of showing the dialog ("" for a cancel; a name without folder lies in the
// proposed folder, a name without a dot gets the dialog's extension). Every use records what the
// dialog proposed.
struct TFileDialogTest
{
    // What a test program does with a dialog that finds no queued name; it gets the dialog's
    // object name.
    using TUnanswered = std::function<void(const QString &Dialog)>;

    static void QueueFileNames(std::initializer_list<QString> Names);
    // Forgets the queued names and what was shown; the handler stays.
    static void Reset();
    // With a handler, a dialog that finds no queued name hands its name to it and returns no
    // file at once, never shown, as the message box does. Without one, as in the program, the
    // dialog is shown and waits. Gives the handler it replaces.
    static TUnanswered SetUnansweredHandler(TUnanswered Handler);
    // For a test that answers the real dialog: while it lives, a dialog without a queued name
    // is shown and waits; the handler comes back when it ends.
    class TRealDialog
    {
    public:
        TRealDialog() : FPrevious(SetUnansweredHandler({})) {}
        ~TRealDialog() { SetUnansweredHandler(std::move(FPrevious)); }
        TRealDialog(const TRealDialog &) = delete;
        TRealDialog &operator=(const TRealDialog &) = delete;

    private:
        TUnanswered FPrevious;
    };

    static bool NamesLeft();
    static int ShowCount();
    // Object name of the last dialog asked for, and the folder + "/" + name it proposed.
    static QString LastDialog();
    static QString LastProposed();
};
