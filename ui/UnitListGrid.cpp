#include "UnitListGrid.h"

#include "KVXStringList.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"
#include "UnitTools.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cstdlib>

TListColumn ParseListColumn(const QString &Spec)
{
    TListColumn Column;
    const int Equal = Spec.indexOf(QLatin1Char('='));
    Column.Field = Equal < 0 ? QString() : Spec.left(Equal);
    TStringList Items;
    Items.SetCommaText(Equal < 0 ? Spec : Spec.mid(Equal + 1));
    if (Items.Count() >= 1)
        Column.Title = Items[0];
    if (Items.Count() >= 2 && !Items[1].isEmpty()) {
        Column.HasWidth = true;
        Column.Width = StrToInt(Items[1]);
    }
    if (Items.Count() >= 3 && !Items[2].isEmpty()) {
        if (Items[2].front() == QLatin1Char('c'))
            Column.Align = 1;
        else if (Items[2].front() == QLatin1Char('r'))
            Column.Align = 2;
    }
    return Column;
}

namespace ListGrid {

std::vector<int> ColumnLefts(const std::vector<int> &Widths)
{
    std::vector<int> Lefts;
    Lefts.reserve(Widths.size());
    int X = 0;
    for (const int Width : Widths) {
        Lefts.push_back(X);
        X += std::max(0, Width) + GridLineWidth;
    }
    return Lefts;
}

int ColumnAt(int X, const std::vector<int> &Widths)
{
    int Left = 0;
    for (std::size_t I = 0; I < Widths.size(); ++I) {
        const int Width = std::max(0, Widths[I]);
        if (X >= Left && X < Left + Width)
            return static_cast<int>(I);
        Left += Width + GridLineWidth;
    }
    return -1;
}

int ColumnBorderAt(int X, const std::vector<int> &Widths)
{
    int Right = 0;
    for (std::size_t I = 0; I < Widths.size(); ++I) {
        Right += std::max(0, Widths[I]);
        if (std::abs(X - Right) <= SizingReach)
            return static_cast<int>(I);
        Right += GridLineWidth;
    }
    return -1;
}

int AutoWidth(int GridWidth, const std::vector<int> &Widths, int AutoCol, int ScrollBarWidth)
{
    int Others = 0;
    for (std::size_t I = 0; I < Widths.size(); ++I) {
        if (static_cast<int>(I) != AutoCol)
            Others += std::max(0, Widths[I]);
    }
    const int Lines = std::max(0, static_cast<int>(Widths.size()) - 1) * GridLineWidth;
    return std::max(0, GridWidth - Others - Lines - ScrollBarWidth);
}

QRect TextRect(const QRect &Cell)
{
    return Cell.adjusted(TextMargin, 0, -TextMargin, 0);
}

QString FittedText(const QFontMetrics &Metrics, const QString &Text, int Width)
{
    return Metrics.elidedText(Text, Qt::ElideRight, Width);
}

QColor CellBackground(int Row, int Selected)
{
    if (Row == 0)
        return TColorToQColor(ListHeaderColor);
    if (Row == Selected)
        return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    return Row % 2 == 1 ? QColor(Qt::white) : TColorToQColor(ListEvenRowColor);
}

QColor CellTextColor(int Row, int Selected)
{
    if (Row != 0 && Row == Selected)
        return QApplication::palette().color(QPalette::Active, QPalette::HighlightedText);
    return QColor(Qt::black);
}

void DrawRow(QPainter &Painter, const QRect &Rect, int Row, int Selected, const std::vector<int> &Widths,
             const std::vector<int> &Aligns, const std::vector<QString> &Texts)
{
    const QColor Background = CellBackground(Row, Selected);
    const QColor Text = CellTextColor(Row, Selected);
    const QColor Line = TColorToQColor(GridLineColor);
    const std::vector<int> Lefts = ColumnLefts(Widths);
    for (std::size_t C = 0; C < Widths.size(); ++C) {
        const QRect CellRect(Rect.left() + Lefts[C], Rect.top(), std::max(0, Widths[C]), Rect.height());
        Painter.fillRect(CellRect, Background);
        Painter.setPen(Text);
        int Flags = Qt::AlignVCenter | Qt::TextSingleLine;
        Flags |= Aligns[C] == 1 ? Qt::AlignHCenter : Aligns[C] == 2 ? Qt::AlignRight : Qt::AlignLeft;
        Painter.save();
        Painter.setClipRect(CellRect, Qt::IntersectClip);
        const QRect TextPlace = TextRect(CellRect);
        Painter.drawText(TextPlace, Flags, FittedText(Painter.fontMetrics(), Texts[C], TextPlace.width()));
        Painter.restore();
        Painter.fillRect(QRect(CellRect.right() + 1, Rect.top(), GridLineWidth, Rect.height()), Line);
    }
}

} // namespace ListGrid
