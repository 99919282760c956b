// The list of the menus kept on the server: a name filter, a preview of the selected menu's
// recipes, and the commands open, rename and delete. The main window shows it through
// ShowMenuList to open a server menu, then reads the chosen one with GetSelectedMenu.
#pragma once

#include "KVXJson.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QSplitter;
class QTableWidget;
class TMemo;
class TSevenButton;

// Told the code and new name of a server menu renamed in the list.
using TMenuRenameEvent = std::function<void(int Code, const QString &Name)>;

class TFormMenuList : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinWidth = 450;
    static constexpr int MinHeight = 300;
    static constexpr int RowHeight = 20;
    static constexpr int DateColWidth = 120;
    // Type-ahead keys further apart than this start a new search.
    static constexpr unsigned TypeAheadDelay = 500;

    explicit TFormMenuList(QWidget *Parent = nullptr);
    ~TFormMenuList() override;

    // The menu object shown in the selected row, nullptr when no menu row is selected.
    const TJsonValue *GetSelectedMenu() const;

    // Menus := the server's list (TSlimApi.GetMenuList).
    void LoadMenus();
    void PrepareCol();
    // Rows of the menus whose name holds the filter (A to Z without regard to case), the
    // selection kept on the same row (KeepRow, within the rows) or on the first menu.
    void RefreshList(bool Focus, bool KeepRow);
    void EnableButtons();
    // The preview of a grid row: one line "J+<jour> <name>" per recipe.
    void ShowRecettes(int Row);
    void GridAutoWidth();
    // Selects the first row whose name, folded to ASCII and cut to SearchText's length, is
    // at or after SearchText; the last row when none is.
    void SearchRow();
    void RenameMenu();
    void DeleteMenu();
    void OpenMenu();
    // A type-ahead key (those of TypeAheadChar); any other character does nothing.
    void GridItemsKeyPress(QChar Key);

    // The grid row (0 for the header row, menus from 1) that is selected; 0 when none is.
    int SelectedRow() const;
    // Selects a menu row (1 and more).
    void SelectRow(int Row);
    // Menu rows shown.
    int MenuRowCount() const;

    std::vector<int> ColAlign;
    int AutoCol = 0;
    unsigned LastKeyTime = 0;
    QString SearchText;
    TKVXJson Menus;
    TMenuRenameEvent OnRename;

public slots:
    // Escape and the window's close button answer 2.
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    // Builds the controls before the first showing.
    void setVisible(bool Visible) override;

private:
    QWidget *PanelRight = nullptr;
    TSevenButton *BtOpen = nullptr;
    TSevenButton *BtRename = nullptr;
    TSevenButton *BtDelete = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *EdFilter = nullptr;
    QSplitter *Splitter = nullptr;
    QTableWidget *GridItems = nullptr;
    TMemo *MemoRecettes = nullptr;

    // The controls, built at the first showing or use.
    void CreateContent();
    void CreateControls();
    void ConnectEvents();
    void FormShow();
    // Grid keys: Enter opens, Escape cancels, Delete deletes; true when the key was used.
    bool GridItemsKeyDown(int Key);
    void GridItemsSelectCell(int Row);
    // The index in Menus of a grid row's menu, -1 for none.
    int MenuIndex(int Row) const;
    // The Menus array, empty when the server sent none.
    const TJsonValue &MenuArray() const;
};

// Stores OnRename and shows the list modally; true when a menu was chosen (OK).
bool ShowMenuList(TMenuRenameEvent OnRename);

// The window of the whole run, created at start-up.
extern TFormMenuList *FormMenuList;
