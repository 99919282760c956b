// The main window: the menu grid, the random generation and the commands that change the
// menu, the buttons that open the other windows, and the program's error box.
#pragma once

#include "SysUtils.h"
#include "UnitMenuGrid.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <exception>
#include <memory>

class QAction;
class QCheckBox;
class QDateEdit;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class TDb3File;
class TDrawGrid;
class TRecetteList;
class TSevenButton;
class TVersionCheck;

// The request that follows every error shown in the error box: a line break, then whom to
// write to and which file to send.
QString ClosingRequest();

class TFormMenus : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormMenus(QWidget *Parent = nullptr);
    ~TFormMenus() override;

    // ---- the window's life --------------------------------------------------------------

    // Menu, icons, dialogs, status bar, database file object and the version check.
    void FormCreate();
    // Look of the message box, today's date, an empty menu lent to the shopping list, the
    // backup dialog, then the database opened (and created or migrated when needed).
    void FormShow();
    // Whether the window may close; the backup reminder is offered in any case.
    bool FormCloseQuery();
    // Frees the icons, the database file object, the menu and the database.
    void FormDestroy();
    void LoadImages();
    void OpenDatabase();
    // Persons of the generation: EdPers, 2 when it is not a whole number.
    int GetPersons() const;
    // "Générer le menu" is enabled exactly when a meal and a dish type are ticked.
    void CbMidiClick();
    void EdDaysEnter(QWidget *Sender);
    void EdDaysExit(QWidget *Sender);
    void ImgUpdateClick();
    // Starts the version check once the window is shown (TVersionCheck: off the GUI thread);
    // its answer comes back through VersionChecked.
    void StartVersionCheck();
    // The check's answer: a failure goes to the log, a newer version shows ImgUpdate.
    void VersionChecked(const QString &Url, const QString &Failure);

    // ---- current menu, backup and error box -----------------------------------------------

    void SetFileName(const QString &Name);
    void SetMenuCode(int Code, const QString &Name);
    void PrepareBackupDialog();
    bool AskSaveIfModified();
    void BackupReminder();
    // The error box: one log line, then the user text (or the message) and the closing
    // request in an "Erreur" box. An error raised before the box exists waits for it.
    void AppEventsException(const std::exception &E);
    // Shows the errors that waited for the message box.
    void ShowPendingErrors();

    // ---- the menu grid --------------------------------------------------------------------

    // Brings the grid in line with Menu: the first row selected when Reset, else the same
    // row where possible.
    void RefreshGrid(bool Reset);
    void GridMenusDrawCell(QPainter &Painter, int Row, const QRect &Rect);
    void GridMenusMouseDown(Qt::MouseButton Button, Qt::MouseButtons Buttons, const QPoint &Pos);
    bool GridMenusDragOver(const QPoint &Pos);
    void GridMenusDragDrop(const QPoint &Pos);
    void GridMenusMouseMove(const QPoint &Pos);
    void GridMenusClick();
    void GridMenusDblClick();
    void GridMenusContextPopup(const QPoint &Pos, bool FromMouse, const QPoint &GlobalPos);

    // ---- commands -------------------------------------------------------------------------

    void BtGenerateClick();
    void MenuAddClick();
    void MenuShiftClick();
    void MenuEditClick();
    void MenuChangeClick();
    void MenuOpenClick();
    void MenuDeleteClick();
    void MenuClearClick();
    void BtBaseRecettesClick();
    void BtBaseIngredientsClick();
    void BtBaseRayonsClick();
    void BtBaseLivresClick();
    void BtBaseUnitesClick();
    void BtCoursesClick();
    void BtOptionsClick();
    // Opens the menu line editor on the selected recipe; true when it closed with OK.
    bool EditRecette(int Action);
    // The recipe card of the selected recipe, then the line reloaded from the database.
    void OpenFiche();

    // ---- controls -------------------------------------------------------------------------

    QWidget *Panel3 = nullptr;
    QWidget *Panel4 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QFrame *Shape1 = nullptr;
    TDrawGrid *GridMenus = nullptr;
    QFrame *Shape2 = nullptr;

    QWidget *PanelRight = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    TSevenButton *BtNewList = nullptr;
    TSevenButton *BtOpenList = nullptr;
    TSevenButton *BtSaveList = nullptr;
    TSevenButton *BtSaveAs = nullptr;
    TSevenButton *BtCourses = nullptr;
    QGroupBox *GroupRandom = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *EdDays = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *EdPers = nullptr;
    QDateEdit *EdStartDate = nullptr;
    QCheckBox *CbMidi = nullptr;
    QCheckBox *CbSoir = nullptr;
    QCheckBox *CbEntree = nullptr;
    QCheckBox *CbPlat = nullptr;
    QCheckBox *CbDessert = nullptr;
    QCheckBox *CbSaison = nullptr;
    TSevenButton *BtGenerate = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    TSevenButton *BtBaseRecettes = nullptr;
    TSevenButton *BtBaseIngredients = nullptr;
    TSevenButton *BtBaseRayons = nullptr;
    TSevenButton *BtBaseLivres = nullptr;
    TSevenButton *BtBaseUnites = nullptr;
    TSevenButton *BtBaseBackup = nullptr;
    TSevenButton *BtOptions = nullptr;
    QLabel *ImgUpdate = nullptr;

    QStatusBar *StatusBar = nullptr;
    // Panel 0: the current menu ("*" for none); panel 1: the program's version.
    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;

    QMenu *PopupGrid = nullptr;
    QAction *MenuAdd = nullptr;
    QAction *MenuShift = nullptr;
    QAction *N2 = nullptr;
    QAction *MenuEdit = nullptr;
    QAction *MenuChange = nullptr;
    QAction *MenuOpen = nullptr;
    QAction *N1 = nullptr;
    QAction *MenuDelete = nullptr;
    QAction *MenuClear = nullptr;

    QFileDialog *OpenDialog = nullptr;
    QFileDialog *SaveDialog = nullptr;
    QFileDialog *SaveDialogDb = nullptr;

    // ---- fields -------------------------------------------------------------------------

    // The row icons, in the order of TGridIcon.
    TGridIcons Icons;
    QString FileName;
    int MenuCode = 0;
    bool DblClicked = false;
    QString UpdateUrl;
    std::unique_ptr<TRecetteList> Menu;
    int DragRow = 0;
    int HoverRow = 0;
    std::unique_ptr<TDb3File> Db3File;
    // Error texts waiting for the message box.
    QStringList PendingErrors;

protected:
    void showEvent(QShowEvent *Event) override;
    void closeEvent(QCloseEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void CreateControls();
    void CreatePanelRight();
    void CreatePopupGrid();
    void CreateDialogs();
    void ConnectEvents();

    bool FShowingErrors = false;
    std::unique_ptr<TVersionCheck> FVersionCheck;
};

// The main window of the run.
extern TFormMenus *FormMenus;
