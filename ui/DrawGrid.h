// A one-column grid whose every row the program draws itself: rows of their own heights,
// one selected row, scrolling by whole rows, and a drag of a row that starts only after the
// pointer has moved a few pixels. The window that owns the grid paints the rows and answers
// its events through the handlers below.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

class QPainter;

class TDrawGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TDrawGrid(QWidget *Parent = nullptr);

    // Height of a row in pixels; without a handler every row is 1 pixel high.
    std::function<int(int Row)> OnMeasureRow;
    // Draws one row in Rect (viewport coordinates, the painter clipped to it).
    std::function<void(QPainter &Painter, int Row, const QRect &Rect)> OnDrawCell;
    // A mouse button went down at Pos; a left press has already selected the row under it.
    std::function<void(Qt::MouseButton Button, Qt::MouseButtons Buttons, const QPoint &Pos)> OnMouseDown;
    // The pointer moved over the grid (no drag in progress).
    std::function<void(const QPoint &Pos)> OnMouseMove;
    // A left press and release that was neither a drag nor the end of a double click; the
    // release happened at ClickPos.
    std::function<void()> OnClick;
    // A left double click, after which OnMouseDown reports the press that belongs to it.
    std::function<void()> OnDblClick;
    // Whether a drop at Pos would be accepted; asked on every move of a drag.
    std::function<bool(const QPoint &Pos)> OnDragOver;
    // The dragged row was dropped at Pos where OnDragOver accepted it.
    std::function<void(const QPoint &Pos)> OnDragDrop;
    // The context menu is asked for at Pos (FromMouse false: from the keyboard).
    std::function<void(const QPoint &Pos, bool FromMouse, const QPoint &GlobalPos)> OnContextPopup;

    int RowCount() const { return FRowCount; }
    // New rows take their heights anew; the selection moves up to the last row.
    void SetRowCount(int Value);
    // Rows at the top that stay in place while the others scroll (a header), and that are
    // never selected while another row exists. None unless set.
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    // The selected row (0 when the grid has no row).
    int Row() const { return FRow; }
    // Selects Value (kept within the rows that can be selected) and scrolls it into view.
    void SetRow(int Value);
    // The first scrolling row shown, never one of the fixed rows.
    int TopRow() const { return FTopRow; }
    void SetTopRow(int Value);
    // The last row that TopRow can reach: the one from which the remaining rows fill the view.
    int MaxTopRow() const;
    // Width of the column: the grid's width less a vertical scroll bar, so that the rows
    // keep their width whether or not the bar shows and never scroll sideways.
    int ColWidth() const;
    int RowHeight(int Row) const;
    // Forgets the heights of the rows; they are asked again before the next use.
    void InvalidateRowHeights();
    // The row at Pos (viewport coordinates), -1 when no row is there.
    int RowAt(const QPoint &Pos) const;
    // The rectangle of a shown row in viewport coordinates (its bottom edge is
    // top() + height()); an empty rectangle when the row is not in view.
    QRect CellRect(int Row) const;
    // Scrolls Lines rows down (negative: up); the selection stays.
    void ScrollLines(int Lines);

    // Called from OnMouseDown: a drag of the pressed row starts once the pointer has moved
    // Threshold pixels with the left button held; a release before that stays a click.
    void BeginDrag(int Threshold);
    bool Dragging() const { return FDragging; }
    // Where the release of the last click happened (viewport coordinates).
    QPoint ClickPos() const { return FClickPos; }
    // The pointer shape outside a drag.
    void SetCursorShape(Qt::CursorShape Shape);
    Qt::CursorShape CursorShape() const;

    // Drops every handler above. An owner calls it from its destructor: the grid is its
    // child and outlives the owner's body, so it must not call back into it.
    void ClearHandlers();

    // Free for the owner's use.
    int Tag = 0;

    static constexpr int GridLineWidth = 1;

protected:
    void paintEvent(QPaintEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void scrollContentsBy(int Dx, int Dy) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void contextMenuEvent(QContextMenuEvent *Event) override;

private:
    void EnsureHeights() const;
    // Top of Row counted from the top of row 0, grid lines included; Row may be RowCount.
    int RowTop(int Row) const;
    // Height that the fixed rows take at the top of the view, grid lines included.
    int FixedHeight() const;
    // The first row that can be selected.
    int FirstSelectableRow() const;
    // Draws one row at Y; false when its drawing failed and the paint must stop.
    bool PaintRow(QPainter &Painter, int Row, int Y);
    void UpdateScrollBar();
    void ScrollIntoView(int Value);
    // Rows from TopRow that fit entirely in the view, at least one.
    int VisibleRows() const;
    void EndDrag();

    int FRowCount = 0;
    int FFixedRows = 0;
    int FRow = 0;
    int FTopRow = 0;
    mutable std::vector<int> FHeights;
    // FTops[I] is the top of row I from the top of row 0, grid lines included, and
    // FTops[RowCount] the bottom of the last row: every position below is a subtraction or a
    // binary search, never a walk over the rows.
    mutable std::vector<int> FTops;
    mutable bool FHeightsValid = false;
    // A drawing that failed is reported once, not at every repaint, until the rows change.
    bool FPaintFailed = false;
    int FWheelDelta = 0;

    bool FDragPending = false;
    bool FDragging = false;
    int FDragThreshold = 0;
    QPoint FPressPos;
    QPoint FClickPos;
    bool FAfterDoubleClick = false;
    Qt::CursorShape FCursor = Qt::ArrowCursor;
};
