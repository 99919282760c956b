// The shopping-list window ("Liste de courses"): the list computed from the menu, drawn as a
// three-column check list by shelf, where the user crosses lines off, adds articles and
// ingredients, changes, hides and restores quantities, and prints the list from the browser.
// The user's changes live in a TCoursesChanges and survive every recomputation.
#pragma once

#include "UnitCoursesChanges.h"
#include "UnitCoursesRows.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPainter;
class TRecetteList;
class TSevenButton;

class TFormCourses : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinWidth = 900;
    static constexpr int MinHeight = 747;
    static constexpr int PanelHeight = 71;
    static constexpr int ItemHeight = CoursesItemHeight;
    static constexpr int ColumnCount = 3;

    explicit TFormCourses(QWidget *Parent = nullptr);
    ~TFormCourses() override;

    // Refreshes the list, then shows the window, or brings it back when it is already open.
    void Show();
    // Recomputes the list from Menu and applies the user's changes.
    void RefreshList();
    // After a confirmation, forgets the user's changes and refreshes.
    void ResetList();
    // Shows the popup items that suit row Index (-1: no row).
    void BuildContextMenu(int Index);
    // Crosses off or restores the row at Pos of the list's viewport.
    void InvertChecked2(const QPoint &Pos);
    // Opens the card of the recipe of a "Recettes associées" item.
    void EvtSelectRecette(const QAction *Item);
    // Runs the ingredient picker and adds what was chosen.
    void AddIngredient();
    // Forgets the articles the user added, crossed off or changed; hidden quantities stay.
    void ClearUserLists();
    // Writes the printable page of the menu and the list to FileName.
    void BuildHtml(const QString &FileName);
    // The existing row at Pos of the list's viewport, -1 when none.
    int RowAt(const QPoint &Pos) const;
    // Paints row Index in the cell rectangle of Geometry.
    void ListIngDrawItem(QPainter &Painter, int Index, const TCoursesRowGeometry &Geometry, bool Focused);

private:
    // The rows of ListIng; made before Changes, whose displayed list it mirrors.
    std::unique_ptr<TCoursesListModel> FModel;

public:
    // The displayed list and the user's remembered changes.
    TCoursesChanges Changes;
    TIngredientList &Lines = Changes.Lines;

    // The main window's menu, borrowed.
    TRecetteList *Menu = nullptr;
    // The printable page.
    QString HtmlFile;
    // Row under the mouse when the popup was opened, -1 when none.
    int PopupIndex = -1;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    // Escape closes the window wherever the focus is, as it closes the other list windows.
    void keyPressEvent(QKeyEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void showEvent(QShowEvent *Event) override;
    // Builds the controls before the first showing.
    void setVisible(bool Visible) override;

private:
    // The controls, by their designed names (also their object names; "MenuRec" is the
    // submenu of the associated recipes).
    QWidget *Panel1 = nullptr;
    QLineEdit *EdIng = nullptr;
    QLabel *Label7 = nullptr;
    TSevenButton *BtRefresh = nullptr;
    TSevenButton *BtReset = nullptr;
    TSevenButton *BtView = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label1 = nullptr;
    QFrame *Shape1 = nullptr;
    QListView *ListIng = nullptr;
    QMenu *PopupList = nullptr;
    QAction *MenuAddIng = nullptr;
    QMenu *MenuRec = nullptr;
    QAction *MenuChangeQuantity = nullptr;
    QAction *MenuResetIng = nullptr;
    QAction *MenuShowQuantity = nullptr;
    QAction *MenuRename = nullptr;
    QAction *MenuDelete = nullptr;

    // The controls, built at the first showing or use.
    void CreateContent();
    void CreatePanel1();
    void CreateListIng();
    void CreatePopupList();
    void ConnectEvents();
    // Places the right-anchored controls and gives the list its columns.
    void AlignControls();
    // Gives the list three columns of its viewport's width.
    void AlignColumns();
    void RepaintList();

    void FormShow();
    void ListIngContextPopup(const QPoint &Pos);
    void EdIngKeyDown();
    void BtViewClick();
    void MenuChangeQuantityClick();
    void MenuResetIngClick();
    void MenuShowQuantityClick();
    void MenuRenameClick();
    void MenuDeleteClick();

    std::unique_ptr<TCoursesRowFonts> FFonts;
    // The release that ends a double click must not cross the line off a second time.
    bool FSkipRelease = false;
};

// The shopping-list window of the whole run, created at start-up.
extern TFormCourses *FormCourses;
