// The main window's menu-file commands: "Nouveau", "Ouvrir", "Enregistrer", "Enregistrer
// sous" in files or on the server, the question that protects unsaved changes, and the
// database backup with its reminder. The methods are TFormMenus's; this unit holds them and
// the file dialogs they use.
#pragma once

#include <QString>

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
    static void QueueFileNames(std::initializer_list<QString> Names);
    static void Reset();
    static bool NamesLeft();
    static int ShowCount();
    // Object name of the last dialog asked for, and the folder + "/" + name it proposed.
    static QString LastDialog();
    static QString LastProposed();
};
