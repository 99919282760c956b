// The generic table list window: the rows of one query in a drawn grid, filtered by name,
// with "Ajouter", "Modifier", "Supprimer" and, for the ingredients, "Fusionner".
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class TDrawGrid;
class TQlTable;
class TSevenButton;
class TStringList;

class TFormList : public QDialog
{
    Q_OBJECT

public:
    // The designed outer size less a desktop frame (8 pixels each side, 22 for the title).
    static constexpr int ClientWidth = 668 - 16;
    static constexpr int ClientHeight = 329 - 38;
    static constexpr int MinClientWidth = 450 - 16;
    static constexpr int MinClientHeight = 300 - 38;
    static constexpr int PanelRightWidth = 111;
    static constexpr int PanelTopHeight = 51;

    explicit TFormList(QWidget *Parent = nullptr);
    ~TFormList() override;

    // Embeds the window in Panel of another window (the recipe card's ingredient lines).
    void IncludeInPanel(QWidget *Panel);
    // Reloads the grid; Focus gives it the keyboard focus.
    void RefreshList(bool Focus);
    // The done callback handed to the edit function: reloads and reselects the row Name.
    void EvtRefresh(const QString &Name);
    // Gives the free width to the column that takes it.
    void GridAutoWidth();

    // Titles, widths and alignments of the grid's columns from Columns.
    void PrepareCol();
    // "(k1=:k1) and (k2=:k2)" for the key fields.
    static QString PrepCondition(const TStringList &Keys);
    // Mode 0 adds, 1 edits the selected row, through EditFunc.
    void AddEdit(int Mode);
    // Asks, then deletes the selected row.
    void DeleteItem();
    void EnableButtons();
    // The type-ahead: selects the first row at or after SearchText.
    void SearchRow();
    // First data row whose text in Col equals Value (letters A to Z without regard to case);
    // -1 when none.
    int IndexOfValue(const QString &Value, int Col) const;
    bool IsIngredientTable() const;
    void RazFusion();
    void StartFusion();
    // Merges the ingredient chosen first into the selected one; true when done.
    bool DoFusion();

    // The grid's contents: row 0 is the header.
    int RowCount() const;
    int ColCount() const { return static_cast<int>(ColAlign.size()); }
    QString Cell(int Col, int Row) const;
    int ColWidth(int Col) const { return ColWidths.at(std::size_t(Col)); }
    // The selected row (0 when the list has no data row).
    int Row() const;
    void SetRow(int Value);
    bool Embedded() const { return FEmbedded; }

    // The result of the last query; its row i - 1 is grid row i.
    std::unique_ptr<TQlTable> Table;
    std::vector<int> ColAlign;
    int AutoCol = 0;
    quint32 LastKeyTime = 0;
    QString SearchText;
    int FusionRow = 0;
    // The merge step: 0 idle, 1 waiting for the second ingredient.
    int FusionStep = 0;
    std::unique_ptr<TStringList> Columns;
    std::unique_ptr<TStringList> Fields;
    QString SelectSql;
    std::unique_ptr<TStringList> Keys;
    std::unique_ptr<TStringList> AddDefaults;
    QString TableName;
    TEditFunc EditFunc = nullptr;
    int DisplayCol = 0;

public slots:
    // Escape and the close box answer mrCancel.
    void reject() override;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void showEvent(QShowEvent *Event) override;

private:
    // Controls.
    QWidget *PanelRight = nullptr;
    QFrame *Shape1 = nullptr;
    TSevenButton *BtAdd = nullptr;
    TSevenButton *BtEdit = nullptr;
    TSevenButton *BtDelete = nullptr;
    TSevenButton *BtFusion = nullptr;
    QLabel *LbFusion = nullptr;
    QWidget *PanelLeft = nullptr;
    QWidget *PanelTop = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *EdFilter = nullptr;
    TDrawGrid *GridItems = nullptr;

    void CreatePanelRight();
    void CreatePanelLeft();
    void ConnectEvents();
    void AlignControls();

    void FormShow();
    void BtFusionClick();
    void EdFilterChange();
    // True when the key was taken.
    bool GridItemsKeyDown(int Key);
    void GridItemsKeyPress(const QString &Text);
    void GridItemsDblClick();
    void GridItemsDrawCell(QPainter &Painter, int Row, const QRect &Rect) const;
    // Sizing of a column by its border in the header; true when the mouse event was taken.
    bool GridItemsSizing(QEvent *Event);

    // The table's row of grid row Row (1 and up); raises when there is none.
    TQlTable &TableRow(int Row);

    // Texts of the cells, row-major, ColCount per row, the header first.
    std::vector<QString> FCells;
    std::vector<int> ColWidths;
    // Code and name of the ingredient chosen first for a merge (-1: none).
    int FusionCode = -1;
    QString FusionName;
    bool FEmbedded = false;
    QPoint FDblClickPos;
    // Column being sized by the mouse (-1: none), and where its sizing started.
    int FSizingCol = -1;
    int FSizingStartX = 0;
    int FSizingStartWidth = 0;
};

// Creates the list window unshown. The window owns the four string lists from this call on.
std::unique_ptr<TFormList> NewFormList(std::unique_ptr<TStringList> Columns, int DisplayCol,
                                       std::unique_ptr<TStringList> Fields, std::unique_ptr<TStringList> Keys,
                                       std::unique_ptr<TStringList> AddDefaults, const QString &SelectSql,
                                       const QString &TableName, TEditFunc EditFunc, const QString &Caption);
// NewFormList, then shows the window modally and frees it.
void ShowFormList(std::unique_ptr<TStringList> Columns, int DisplayCol, std::unique_ptr<TStringList> Fields,
                  std::unique_ptr<TStringList> Keys, std::unique_ptr<TStringList> AddDefaults, const QString &SelectSql,
                  const QString &TableName, TEditFunc EditFunc, const QString &Caption);
