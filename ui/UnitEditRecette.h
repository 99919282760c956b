// The menu line editor: the modal dialog through which the main window adds a recipe to the
// menu, replaces the recipe of a menu line, or changes the day, meal and persons of a line.
// It never changes the menu: after a result of 1 the caller reads Code, Repas, Type, Date and
// Pers and applies them through the menu's own operations.
#pragma once

#include "KVXStringList.h"
#include "SysUtils.h"
#include "UnitRecetteList.h"

#include <QDialog>
#include <QPoint>
#include <QString>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class TQlTable;
class TSevenButton;

class TFormEditRec : public QDialog
{
    Q_OBJECT

public:
    // The actions of Show.
    static constexpr int acAdd = 0;
    static constexpr int acReplace = 1;
    static constexpr int acModify = 2;

    // Window size of the add and replace actions: the smallest one and the one of the first
    // use. Modify shows the upper panel alone, at a fixed size.
    static constexpr int MinWidth = 390;
    static constexpr int MinHeight = 500;
    static constexpr int ModifyWidth = 374;
    static constexpr int ModifyHeight = 135;
    static constexpr int PanelMainHeight = 151;
    static constexpr int PanelFilterHeight = 175;

    explicit TFormEditRec(QWidget *Parent = nullptr);
    ~TFormEditRec() override;

    // Sets the dialog up for AAction (acAdd, acReplace, acModify) and shows it modally.
    // Returns 1 when the user confirmed (random pick, Enter, double click, "OK"), 2 when he
    // cancelled. AMenu is borrowed: its recipes are left out of the candidates.
    int Show(int AAction, TRecetteList *AMenu, TDateTime ADate, int ARepas, int AType, int APers, const QString &Title);

    // Unticks the five filter boxes and disables their inputs, and puts the season filter on
    // the current season; the filter texts and operators stay as the user left them.
    void ResetFilters();
    // Enables the inputs of one filter box exactly when it is ticked.
    void EnableFilters(QCheckBox *Box);
    // Reloads the cookbook combo and LivCodes; the first cookbook is selected.
    void GetLivres();
    // Checks "soir" for 2, "midi" for anything else.
    void SetRepas(int Value);
    // Checks "plat" for 1, "dessert" for 2, "boisson" for 3, "entrée" for anything else.
    void SetType(int Value);
    // Action, then the captions of the window, of BtRandom and of LbInfo, then
    // EnableComponents.
    void SetAction(int Value, const QString &Title);
    // Enabled and visible controls and the window size for Action.
    void EnableComponents();
    // Reads Date, Pers (2 when not a whole number), Repas and Type from the inputs.
    void SetProperties();
    // Runs the candidate query with the filter panel and shows its names; skipped until Show
    // has set the dialog up.
    void RefreshList();
    // The filter panel as a candidate filter: only the ticked rows, and the season always.
    TRecFilter GetFilter() const;

    // Upper panel.
    QWidget *PanelMain = nullptr;
    QLabel *LbDate = nullptr;
    QDateEdit *EdDay = nullptr;
    QLabel *LbPers = nullptr;
    QLineEdit *EdPers = nullptr;
    QLabel *LbRepas = nullptr;
    QWidget *PanelRepas = nullptr;
    QRadioButton *RbMidi = nullptr;
    QRadioButton *RbSoir = nullptr;
    QLabel *LbType = nullptr;
    QWidget *PanelType = nullptr;
    QRadioButton *RbEntree = nullptr;
    QRadioButton *RbPlat = nullptr;
    QRadioButton *RbDessert = nullptr;
    QRadioButton *RbBoisson = nullptr;
    TSevenButton *BtRandom = nullptr;
    TSevenButton *BtCancel = nullptr;
    QLabel *LbInfo = nullptr;
    QLabel *LbCount = nullptr;
    QFrame *ShapeMain = nullptr;

    // Candidate list.
    QListWidget *ListRec = nullptr;
    QMenu *PopupList = nullptr;
    QAction *MenuOpen = nullptr;

    // Filter panel.
    QWidget *PanelFilter = nullptr;
    QFrame *ShapeFilter = nullptr;
    QLabel *LbFilter = nullptr;
    QLabel *LbSaison = nullptr;
    QComboBox *EdFilterSaison = nullptr;
    QCheckBox *CbFilterNom = nullptr;
    QLineEdit *EdFilterNom = nullptr;
    QCheckBox *CbFilterIng = nullptr;
    QLineEdit *EdFilterIng = nullptr;
    QCheckBox *CbFilterPers = nullptr;
    QComboBox *EdOpPers = nullptr;
    QLineEdit *EdFilterPers1 = nullptr;
    QLineEdit *EdFilterPers2 = nullptr;
    QCheckBox *CbFilterTime = nullptr;
    QComboBox *EdOpTime = nullptr;
    QLineEdit *EdFilterTime1 = nullptr;
    QLineEdit *EdFilterTime2 = nullptr;
    QCheckBox *CbFilterLivre = nullptr;
    QComboBox *EdFilterLivre = nullptr;

    // The menu of the current use, borrowed.
    TRecetteList *Menu = nullptr;
    // Cookbook codes as decimal text, item i for item i of EdFilterLivre.
    TKVXStringList LivCodes;
    // The last candidate query; row i is item i of ListRec. Empty until the first refresh.
    std::unique_ptr<TQlTable> Candidates;
    // False while Show sets the controls up: their change handlers must not query.
    bool Ready = false;
    // Window size of the next add or replace, kept from the last one.
    int SavedWidth = MinWidth;
    int SavedHeight = MinHeight;
    int Action = acAdd;

    // Results: the chosen recipe (-1 for none), the meal (1 midi, 2 soir), the dish type
    // (0 entrée .. 3 boisson), the day and the persons.
    int Code = -1;
    int Repas = 1;
    int Type = 0;
    TDateTime Date = 0;
    int Pers = 2;

public slots:
    // Keeps the window size of an add or replace for the next one.
    void done(int Result) override;
    // Closing the window, like Escape and "Annuler", answers 2.
    void reject() override;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void showEvent(QShowEvent *Event) override;

private:
    // Builds the controls; Show calls it on the first use.
    void CreateContent();
    void CreatePanelMain();
    void CreateListRec();
    void CreatePanelFilter();
    void ConnectEvents();
    // Places the panels (upper one at the top, filter one at the bottom, the list between)
    // and stretches the inputs that follow the window's width.
    void AlignControls();

    void FilterChange();
    void CbFilterClick(QCheckBox *Box);
    void RbClick(bool Checked);
    void EdOpPersChange();
    void BtRandomClick();
    void ListRecDblClick();
    void ListRecContextPopup(const QPoint &Pos);
    void MenuOpenClick();

    // Row of the selected item of ListRec, -1 when none is selected.
    int SelectedRow() const;
    // The "code" of candidate Row, Candidates left on that row.
    int CandidateCode(int Row);
};

// The editor of the whole run, created at start-up.
extern TFormEditRec *FormEditRec;
