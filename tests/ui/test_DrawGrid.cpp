// Row positions of the drawn grid against a plain walk over the rows, and the owner's hand-off.
#include "DrawGrid.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Rows of uneven heights, some taller than the view.
int Height(int Row)
{
    static const int Heights[] = {25, 15, 55, 85, 80, 110, 15, 300};
    return Heights[Row % 8];
}

// The top of Row below the top of From, counted row by row.
int WalkTop(int From, int Row)
{
    int Y = 0;
    for (int I = From; I < Row; ++I)
        Y += Height(I) + TDrawGrid::GridLineWidth;
    return Y;
}

} // namespace

TEST(DrawGrid, PositionsFollowTheRowHeightsWhereverTheViewIsScrolled)
{
    TDrawGrid Grid;
    Grid.resize(300, 400);
    Grid.OnMeasureRow = Height;
    Grid.SetRowCount(40);
    const int ViewHeight = Grid.viewport()->height();

    // The last top row leaves the last rows filling the view and no more.
    const int Max = Grid.MaxTopRow();
    EXPECT_LE(WalkTop(Max, 40), ViewHeight);
    EXPECT_GT(WalkTop(Max - 1, 40), ViewHeight);

    for (const int Top : {0, 3, 17, Max}) {
        Grid.SetTopRow(Top);
        ASSERT_EQ(Grid.TopRow(), Top);
        EXPECT_TRUE(Grid.CellRect(Top - 1).isEmpty());
        for (int Row = Top; Row < 40 && WalkTop(Top, Row) < ViewHeight; ++Row) {
            const int Y = WalkTop(Top, Row);
            EXPECT_EQ(Grid.CellRect(Row), QRect(0, Y, Grid.ColWidth(), Height(Row))) << Top << " " << Row;
            EXPECT_EQ(Grid.RowAt(QPoint(10, Y)), Row);
            EXPECT_EQ(Grid.RowAt(QPoint(10, Y + Height(Row) - 1)), Row);
            // The grid line below a row still belongs to it.
            EXPECT_EQ(Grid.RowAt(QPoint(10, Y + Height(Row))), Row);
        }
    }
    // Below the last row, left of the grid or over the scroll bar: no row.
    EXPECT_EQ(Grid.RowAt(QPoint(-1, 5)), -1);
    EXPECT_EQ(Grid.RowAt(QPoint(Grid.ColWidth(), 5)), -1);
    Grid.SetRowCount(2);
    EXPECT_EQ(Grid.RowAt(QPoint(10, WalkTop(0, 2))), -1);
}

TEST(DrawGrid, SelectingARowBelowTheViewScrollsJustEnoughToShowIt)
{
    TDrawGrid Grid;
    Grid.resize(300, 400);
    Grid.OnMeasureRow = Height;
    Grid.SetRowCount(40);
    const int ViewHeight = Grid.viewport()->height();
    for (const int Row : {5, 12, 20, 39}) {
        const int Before = Grid.TopRow();
        Grid.SetRow(Row);
        const int Top = Grid.TopRow();
        // Its bottom is in view (or it is the first row shown), and one row less scrolled
        // would not show it.
        EXPECT_TRUE(WalkTop(Top, Row + 1) <= ViewHeight || Top == Row) << Row;
        if (Top > Before) {
            EXPECT_GT(WalkTop(Top - 1, Row + 1), ViewHeight) << Row;
        }
    }
    Grid.SetRow(2);
    EXPECT_EQ(Grid.TopRow(), 2);
}

TEST(DrawGrid, ClearedHandlersAreNeverCalledAgain)
{
    TDrawGrid Grid;
    Grid.resize(300, 200);
    int Calls = 0;
    Grid.OnMeasureRow = [&](int) { return ++Calls, 20; };
    Grid.OnDrawCell = [&](QPainter &, int, const QRect &) { ++Calls; };
    Grid.OnClick = [&] { ++Calls; };
    Grid.SetRowCount(3);
    Grid.ClearHandlers();
    Calls = 0;
    Grid.InvalidateRowHeights();
    EXPECT_EQ(Grid.RowHeight(1), 1);
    Grid.viewport()->repaint();
    EXPECT_EQ(Calls, 0);
    EXPECT_FALSE(Grid.OnMeasureRow || Grid.OnDrawCell || Grid.OnMouseDown || Grid.OnMouseMove || Grid.OnClick ||
                 Grid.OnDblClick || Grid.OnDragOver || Grid.OnDragDrop || Grid.OnContextPopup);
}
