// The drawn grid of the table lists: column specifications, the columns' places, the cells'
// colours and the painting of one row. The geometry is in plain functions that the painting,
// the column sizing by the mouse and the tests all use.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QFontMetrics;
class QPainter;

// One column specification "name=title,width,alignment" read by the comma-text rules.
struct TListColumn
{
    // The query's result column shown in the grid column.
    QString Field;
    QString Title;
    // Without a width, the column takes the width left free.
    bool HasWidth = false;
    int Width = 0;
    // 0 left, 1 centred, 2 right.
    int Align = 0;
};

// Reads one line of the column specifications; a width that is not an integer raises.
TListColumn ParseListColumn(const QString &Spec);

namespace ListGrid {

constexpr int RowHeight = 20;
constexpr int GridLineWidth = 1;
// The text keeps this far from both sides of its cell.
constexpr int TextMargin = 5;
// The pointer sizes a column within this distance of its right edge.
constexpr int SizingReach = 3;

// Left edges of the columns in a row, grid lines between them.
std::vector<int> ColumnLefts(const std::vector<int> &Widths);
// Column at X in a row (-1 on a grid line or past the last column).
int ColumnAt(int X, const std::vector<int> &Widths);
// The column whose right edge is within SizingReach of X, for sizing by the mouse; -1 when none.
int ColumnBorderAt(int X, const std::vector<int> &Widths);
// Width of the free column: what the others, the lines between the columns and a vertical
// scroll bar leave of the grid's width; never below 0.
int AutoWidth(int GridWidth, const std::vector<int> &Widths, int AutoCol, int ScrollBarWidth);
// Where a cell's text is drawn.
QRect TextRect(const QRect &Cell);
// The text a cell of Width shows: the whole text when it fits, else its beginning followed by
// "…". A cut name or number (1E308 in the 40-pixel quantity column) thus never reads as
// another one, as a text clipped at the cell's edge would ("E308").
QString FittedText(const QFontMetrics &Metrics, const QString &Text, int Width);
// Background and text colours of a cell of Row when the selected row is Selected.
QColor CellBackground(int Row, int Selected);
QColor CellTextColor(int Row, int Selected);

// Paints row Row in Rect with the painter's font: one cell a column, of Widths, Aligns and
// Texts (all three of one size), each followed by its grid line.
void DrawRow(QPainter &Painter, const QRect &Rect, int Row, int Selected, const std::vector<int> &Widths,
             const std::vector<int> &Aligns, const std::vector<QString> &Texts);

} // namespace ListGrid
