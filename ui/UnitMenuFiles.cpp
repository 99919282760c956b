#include "UnitMenuFiles.h"

#include "KVXConversion.h"
#include "KVXFiles.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitCourses.h"
#include "UnitDb3.h"
#include "UnitDialog.h"
#include "UnitLook.h"
#include "UnitMenuList.h"
#include "UnitMenuName.h"
#include "UnitMenus.h"
#include "UnitProgram.h"
#include "UnitRecetteList.h"
#include "UnitSync.h"
#include "UnitTools.h"
#include "UnitTypes.h"

#include <QAbstractFileIconProvider>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QStyle>

#include <array>
#include <deque>
#include <utility>

namespace {

const QString SaveQuestion =
    QStringLiteral("Vous n'avez pas enregistré vos modifications, voulez-vous les enregistrer ?");
const QString SaveMenuCaption = QStringLiteral("Enregistrer un menu");
const QString BackupFailedText = QStringLiteral("La sauvegarde a échoué, essayez de choisir un autre nom de fichier.");

// The alert of a failed backup, followed by why when the program can say it.
QString BackupFailure(const std::exception &E)
{
    const auto *User = dynamic_cast<const UserException *>(&E);
    if (User && !User->UserMessage.isEmpty())
        return BackupFailedText + QStringLiteral("\r\n") + User->UserMessage;
    return AddFileFailureReason(BackupFailedText, E);
}
const QString BackupReminderText =
    QStringLiteral("La dernière sauvegarde de la base de données est vieille de plus d'un mois.\r\n"
                   "Voulez-vous sauvegarder la base maintenant ?");
const QString BackupReplaceQuestion = QStringLiteral("Le fichier \"%1\" existe déjà.\r\nVoulez-vous le remplacer ?");
// Whole days after the last backup beyond which the reminder comes.
constexpr int BackupReminderDays = 31;

// The test interface's state.
struct TFileDialogTestState
{
    std::deque<QString> Names;
    int ShowCount = 0;
    QString LastDialog;
    QString LastProposed;
};

// Outlives Reset, as the message box's handler does.
TFileDialogTest::TUnanswered &UnansweredHandler()
{
    static TFileDialogTest::TUnanswered Handler;
    return Handler;
}

TFileDialogTestState &TestState()
{
    static TFileDialogTestState State;
    return State;
}

// The answer queued for a dialog, as the real dialog would return it.
QString QueuedAnswer(const TFileDialogKind &Kind, const TFileDialogPreset &Preset)
{
    QString Name = TestState().Names.front();
    TestState().Names.pop_front();
    if (Name.isEmpty())
        return Name;
    if (QFileInfo(Name).isRelative())
        Name = QDir(Preset.Directory).filePath(Name);
    if (!QFileInfo(Name).fileName().contains(QLatin1Char('.')))
        Name += QLatin1Char('.') + QLatin1String(Kind.Suffix);
    return Name;
}

// A file's type as the file dialog shows it, from its name and kind alone.
QString FileTypeText(const QFileInfo &Info)
{
    if (Info.isDir())
        return QStringLiteral("Dossier");
    return Info.suffix().isEmpty() ? QStringLiteral("Fichier") : QStringLiteral("Fichier ") + Info.suffix();
}

// The file dialog's icons and types. Qt's own provider asks the MIME database, which reads the
// first bytes of every file listed or typed: a file that blocks when read (/proc/kmsg) held the
// dialog for good. This one goes by the name and the kind of file, and never opens one. The
// dialog owns it, and deletes it after the file model it serves, which was made before it.
class TFileIcons : public QObject, public QAbstractFileIconProvider
{
public:
    explicit TFileIcons(QWidget *Dialog) : QObject(Dialog)
    {
        // In the order of IconType, from Computer to File.
        constexpr QStyle::StandardPixmap Pixmaps[] = {
            QStyle::SP_ComputerIcon, QStyle::SP_DesktopIcon, QStyle::SP_TrashIcon, QStyle::SP_DriveNetIcon,
            QStyle::SP_DriveHDIcon,  QStyle::SP_DirIcon,     QStyle::SP_FileIcon};
        static_assert(std::size(Pixmaps) == File + 1);
        for (std::size_t Kind = 0; Kind < Kinds.size(); ++Kind)
            Kinds[Kind] = Dialog->style()->standardIcon(Pixmaps[Kind]);
        FolderLink = Dialog->style()->standardIcon(QStyle::SP_DirLinkIcon);
        FileLink = Dialog->style()->standardIcon(QStyle::SP_FileLinkIcon);
    }

    QIcon icon(IconType Kind) const override { return Kinds.at(Kind); }
    QIcon icon(const QFileInfo &Info) const override
    {
        if (Info.isRoot())
            return icon(Drive);
        if (Info.isDir())
            return Info.isSymLink() ? FolderLink : icon(Folder);
        return Info.isSymLink() ? FileLink : icon(File);
    }
    QString type(const QFileInfo &Info) const override { return FileTypeText(Info); }

private:
    // Made once, as the dialog is built: a folder of a thousand files asks for a thousand icons.
    std::array<QIcon, File + 1> Kinds;
    QIcon FolderLink;
    QIcon FileLink;
};

// The file dialog's detail columns in French: Qt writes sizes and dates in the desktop's
// language, and its French translation lacks the types of folders and files.
class TFrenchFileColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &Index, int Role) const override
    {
        const auto *Files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (Role != Qt::DisplayRole || !Files || Index.column() < SizeColumn)
            return QIdentityProxyModel::data(Index, Role);
        const QModelIndex Source = mapToSource(Index);
        const QFileInfo Info = Files->fileInfo(Source);
        switch (Index.column()) {
        case SizeColumn:
            return Info.isDir() ? QString() : UserLocale().formattedDataSize(Info.size());
        case TypeColumn:
            return FileTypeText(Info);
        case DateColumn:
            return UserLocale().toString(Files->lastModified(Source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(Index, Role);
        }
    }

private:
    // The columns of QFileSystemModel after the name.
    static constexpr int SizeColumn = 1;
    static constexpr int TypeColumn = 2;
    static constexpr int DateColumn = 3;
};

// Qt writes its settings as a file dialog goes: the file they go to may have changed since
// the dialog was built.
class TFileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;
    ~TFileDialog() override { CheckQtSettings(); }
};

} // namespace

// ---- file dialogs ------------------------------------------------------------------------

QString ExecFileDialog(QWidget *Parent, QFileDialog *&Dialog, const TFileDialogKind &Kind, TFileDialogPreset &Preset)
{
    TFileDialogTestState &Test = TestState();
    ++Test.ShowCount;
    Test.LastDialog = QLatin1String(Kind.Name);
    Test.LastProposed = Preset.Directory + QLatin1Char('/') + Preset.FileName;

    QString Chosen;
    if (!Test.Names.empty()) {
        Chosen = QueuedAnswer(Kind, Preset);
    } else if (UnansweredHandler()) {
        // A copy: the handler may install another one while it runs.
        const TFileDialogTest::TUnanswered Report = UnansweredHandler();
        Report(QLatin1String(Kind.Name));
    } else {
        // A file dialog costs tens of milliseconds and megabytes to build: only the ones the
        // user asks for are built, once.
        if (!Dialog) {
            // Qt reads its settings while it builds the dialog.
            CheckQtSettings();
            Dialog = new TFileDialog(Parent);
            Dialog->setObjectName(QLatin1String(Kind.Name));
            // Qt's own dialog, never the desktop's: it speaks French through Qt's translation
            // whatever the desktop's language, and behaves the same everywhere.
            Dialog->setOption(QFileDialog::DontUseNativeDialog);
            // Before the dialog shows a folder or completes a name.
            Dialog->setIconProvider(new TFileIcons(Dialog));
            Dialog->setProxyModel(new TFrenchFileColumns(Dialog));
            Dialog->setNameFilter(QString::fromUtf8(Kind.Filter));
            Dialog->setDefaultSuffix(QLatin1String(Kind.Suffix));
            Dialog->setAcceptMode(Kind.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            Dialog->setFileMode(Kind.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        }
        Dialog->setDirectory(Preset.Directory);
        Dialog->selectFile(Preset.FileName);
        if (Dialog->exec() == QDialog::Accepted && !Dialog->selectedFiles().isEmpty())
            Chosen = Dialog->selectedFiles().constFirst();
    }
    if (!Chosen.isEmpty()) {
        const QFileInfo Info(Chosen);
        Preset.Directory = Info.absolutePath();
        Preset.FileName = Info.fileName();
    }
    return Chosen;
}

void TFileDialogTest::QueueFileNames(std::initializer_list<QString> Names)
{
    TestState().Names.insert(TestState().Names.end(), Names.begin(), Names.end());
}

void TFileDialogTest::Reset()
{
    TestState() = TFileDialogTestState();
}

TFileDialogTest::TUnanswered TFileDialogTest::SetUnansweredHandler(TUnanswered Handler)
{
    return std::exchange(UnansweredHandler(), std::move(Handler));
}

bool TFileDialogTest::NamesLeft()
{
    return !TestState().Names.empty();
}

int TFileDialogTest::ShowCount()
{
    return TestState().ShowCount;
}

QString TFileDialogTest::LastDialog()
{
    return TestState().LastDialog;
}

QString TFileDialogTest::LastProposed()
{
    return TestState().LastProposed;
}

// ---- the current menu ----------------------------------------------------------------------

void TFormMenus::ConnectFileEvents()
{
    GuardedConnect(BtNewList, &TSevenButton::clicked, this, [this] { BtNewListClick(); });
    GuardedConnect(BtOpenList, &TSevenButton::clicked, this, [this] { BtOpenListClick(); });
    GuardedConnect(BtSaveList, &TSevenButton::clicked, this, [this] { BtSaveListClick(); });
    GuardedConnect(BtSaveAs, &TSevenButton::clicked, this, [this] { BtSaveAsClick(); });
    GuardedConnect(BtBaseBackup, &TSevenButton::clicked, this, [this] { BtBaseBackupClick(); });
}

void TFormMenus::SetFileName(const QString &Name)
{
    FileName = Name;
    StatusPanel0->setText(Name.isEmpty() ? QStringLiteral("*") : Name);
}

void TFormMenus::SetMenuCode(int Code, const QString &Name)
{
    MenuCode = Code;
    StatusPanel0->setText(Code == 0 ? QStringLiteral("*") : Name);
}

void TFormMenus::MenuRenamed(int Code, const QString &Name)
{
    if (Code == MenuCode)
        SetMenuCode(Code, Name);
}

QString TFormMenus::DefaultMenuName() const
{
    return FormatDateTime(QStringLiteral("dddddd"), Menu->GetFirstDate());
}

bool TFormMenus::AskSaveIfModified()
{
    bool Stored;
    if (Config->GetSyncEnabled())
        Stored = MenuCode > 0;
    else
        Stored = !FileName.isEmpty() && KVXFileExists(FileName);
    // A menu never stored is protected as soon as it has lines; a stored one only once its
    // document differs from what was stored.
    const bool Protect = Stored ? Menu->IsModified() : Menu->Count() > 0;
    if (!Protect)
        return true;
    switch (FormDialog->Show(SaveQuestion, dtConfirm, dbAuto)) {
    case mrYes:
        return SaveMenus(false);
    case mrNo:
        return true;
    default:
        return false;
    }
}

bool TFormMenus::FormCloseQuery()
{
    // A save that fails while closing keeps the window open with the menu as it was; the
    // error is shown, and the backup is still offered.
    bool CanClose = false;
    try {
        CanClose = AskSaveIfModified();
    } catch (const std::exception &E) {
        HandleException(E);
    }
    BackupReminder();
    return CanClose;
}

bool TFormMenus::SaveMenus(bool SaveAs)
{
    return Wrap("TFormMenus.SaveMenus", [&] {
        bool Result = true;
        if (!Config->GetSyncEnabled()) {
            if (!SaveAs && !FileName.isEmpty() && KVXFileExists(FileName)) {
                Menu->SaveToFile(FileName);
            } else {
                SavePreset.FileName = DefaultMenuName();
                const QString Chosen = ExecFileDialog(this, SaveDialog, SaveDialogKind, SavePreset);
                Result = !Chosen.isEmpty();
                // The window names the file only once it holds this menu: after a failed
                // write, the chosen file holds another menu or none.
                if (Result) {
                    Menu->SaveToFile(Chosen);
                    SetFileName(Chosen);
                }
            }
        } else if (MenuCode > 0 && !SaveAs) {
            SlimApi->Send();
            Menu->UpdateMenu(MenuCode);
        } else {
            Result = ShowFormName(SaveMenuCaption, DefaultMenuName());
            if (Result) {
                SlimApi->Send();
                const QString Name = FormMenuName->GetName();
                int Code = 0;
                try {
                    Code = Menu->AddMenu(Name);
                } catch (const std::exception &E) {
                    throw UserException::CreateUser(DuplicateNameText(), &E);
                }
                SetMenuCode(Code, Name);
            }
        }
        return Result;
    });
}

void TFormMenus::ShowLoadInformation()
{
    const QString Text = Format(QStringLiteral("Le menu sera chargé à partir du %s."),
                                {DateToLongStr(false, QDateToDateTime(EdStartDate->date()))}) +
                         QStringLiteral("\r\nVous pouvez modifier la date de départ dans le cadre \"") +
                         GroupRandom->title() + QStringLiteral("\".");
    FormDialog->Show(Text, dtInfo, dbOk);
}

void TFormMenus::BtNewListClick()
{
    if (!AskSaveIfModified())
        return;
    Menu->Clear();
    FormCourses->ClearUserLists();
    if (Config->GetSyncEnabled())
        SetMenuCode(0, QString());
    else
        SetFileName(QString());
    RefreshGrid(true);
}

void TFormMenus::BtOpenListClick()
{
    if (!AskSaveIfModified())
        return;
    const TDateTime Start = QDateToDateTime(EdStartDate->date());
    bool Chosen = false;
    try {
        if (!Config->GetSyncEnabled()) {
            const QString File = ExecFileDialog(this, OpenDialog, OpenDialogKind, OpenPreset);
            if (File.isEmpty())
                return;
            Chosen = true;
            ShowLoadInformation();
            Menu->Clear();
            Menu->LoadFromFile(File, Start);
            SetFileName(File);
        } else {
            if (!ShowMenuList([this](int Code, const QString &Name) { MenuRenamed(Code, Name); }))
                return;
            const TJsonValue *Selected = FormMenuList->GetSelectedMenu();
            if (!Selected)
                return;
            // A server menu the program cannot open is refused while the current menu is still
            // whole: loaded halfway while the window keeps the previous menu's code, it would be
            // saved over that menu.
            const TServerMenu Server = ReadServerMenu(*Selected);
            TRecetteList::CheckJsonObject(*Selected, Start);
            Chosen = true;
            ShowLoadInformation();
            Menu->Clear();
            Menu->LoadFromJsonObject(*Selected, Start);
            SetMenuCode(Server.Code, Server.Name);
        }
        FormCourses->ClearUserLists();
    } catch (...) {
        // What was loaded before the failure is shown, but no longer stands for the previous
        // file or server menu: saved under that name, the part of another menu would replace it.
        if (Chosen) {
            if (Config->GetSyncEnabled())
                SetMenuCode(0, QString());
            else
                SetFileName(QString());
            RefreshGrid(false);
        }
        throw;
    }
    RefreshGrid(false);
}

void TFormMenus::BtSaveListClick()
{
    SaveMenus(false);
}

void TFormMenus::BtSaveAsClick()
{
    SaveMenus(true);
}

// ---- backup ------------------------------------------------------------------------------

void TFormMenus::PrepareBackupDialog()
{
    BackupPreset.FileName = QStringLiteral("recipes.db3 ") + KVXDateTimeToString(dtkDate, false, Now());
    const QString LastFile = Config->GetBackupLastFile();
    const QString LastDir = LastFile.isEmpty() ? QString() : QFileInfo(LastFile).absolutePath();
    BackupPreset.Directory = !LastDir.isEmpty() && QDir(LastDir).exists() ? LastDir : Config->BackupDir;
}

void TFormMenus::BackupDatabase()
{
    QString Target = ExecFileDialog(this, SaveDialogDb, SaveDialogDbKind, BackupPreset);
    if (Target.isEmpty())
        return;
    // The dialog adds its extension only to a name without a dot, and the proposed name has
    // one: without ".db3" the copy would be missing from the next backup dialog's list. The
    // dialog asked before replacing the name it returned, not this one.
    const QString Extension = QLatin1Char('.') + QLatin1String(SaveDialogDbKind.Suffix);
    if (!Target.endsWith(Extension, Qt::CaseInsensitive)) {
        Target += Extension;
        if (QFileInfo::exists(Target) &&
            FormDialog->Show(BackupReplaceQuestion.arg(QFileInfo(Target).fileName()), dtConfirm, dbAuto) != mrYes)
            return;
    }
    try {
        Db3File->Backup(Target);
    } catch (const std::exception &E) {
        // The alert says why when the reason is one the user can act on; the log keeps which
        // file and the technical cause. The disk that refused the copy may refuse the log line
        // too: the alert comes all the same.
        WriteLogQuietly(QStringLiteral("Backup to \"%1\" failed: %2").arg(Target, ExceptionMessage(E)),
                        QStringLiteral("TFormMenus.BackupDatabase"));
        FormDialog->Show(BackupFailure(E), dtAlert, dbAuto);
        return;
    }
    Config->SetBackupLastFile(Target);
    Config->SetBackupDate(Now());
    FormDialog->Show(QStringLiteral("Vous avez le bon le réflexe !\r\n"
                                    "Pensez à sauvegarder régulièrement votre base de données.\r\n"
                                    "Pour restaurer la base, il vous suffit de remplacer le fichier \"recipes.db3\" "
                                    "par votre copie de sauvegarde."),
                     dtInfo, dbAuto);
}

void TFormMenus::BackupReminder()
{
    const TDateTime Last = Config->GetBackupDate();
    // A backup never made counts as very old.
    if (Last != 0 && DaysBetween(Now(), Last) <= BackupReminderDays)
        return;
    if (FormDialog->Show(BackupReminderText, dtConfirm, dbAuto) == mrYes)
        BackupDatabase();
}

void TFormMenus::BtBaseBackupClick()
{
    BackupDatabase();
}
