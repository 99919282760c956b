#include "UnitCoursesRows.h"

#include "UnitAppEvents.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TCoursesRowGeometry CoursesRowGeometry(const QRect &Item)
{
    TCoursesRowGeometry G;
    G.CheckBox =
        QRect(Item.left() + 1, Item.top() + (Item.height() - CoursesCheckSize) / 2, CoursesCheckSize, CoursesCheckSize);
    G.Cell = Item.adjusted(CoursesCheckWidth, 0, 0, 0);
    const QRect &R = G.Cell;
    // Measured as the layout measures: from the cell's right edge, the first pixel past it.
    const int Right = R.left() + R.width();
    G.Band = QRect(QPoint(R.left() - CoursesCheckWidth, R.top()), QPoint(Right - 5 - 1, R.bottom()));
    G.Star = R.adjusted(0, 5, 0, 0);
    G.Warn = R.adjusted(-11, -1, 0, 0);
    G.Text = QRect(QPoint(R.left() + 7, R.top()), QPoint(Right - 5 - 1, R.bottom()));
    G.CheckCover = QRect(QPoint(R.left() - CoursesCheckWidth, R.top()), QPoint(R.left() - 1, R.bottom()));
    G.Separator = QLine(Right - 5, R.top(), Right - 5, R.bottom());
    return G;
}

void TCoursesDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    Guard([&] {
        const TCoursesRowGeometry G = CoursesRowGeometry(Option.rect);
        Painter->fillRect(Option.rect, Qt::white);
        // Shelf headers and free articles paint over their check box: it is drawn only
        // where it shows.
        const int Row = Index.row();
        if (HasCheckBox(Row))
            Painter->drawPixmap(G.CheckBox.topLeft(),
                                CheckBox(Index.data(Qt::CheckStateRole).toInt() == Qt::Checked, Option.widget));
        Painter->save();
        PaintRow(*Painter, Row, G, Option.state.testFlag(QStyle::State_HasFocus));
        Painter->restore();
    });
}

// The style's check box, drawn once per state: drawing it for each row of each paint would
// cost more than all the rest of the row.
const QPixmap &TCoursesDelegate::CheckBox(bool Checked, const QWidget *Widget) const
{
    QPixmap &Picture = FCheckBoxes[Checked ? 1 : 0];
    const qreal Ratio = Widget ? Widget->devicePixelRatioF() : 1.0;
    if (Picture.isNull() || Picture.devicePixelRatio() != Ratio) {
        Picture = QPixmap(QSize(CoursesCheckSize, CoursesCheckSize) * Ratio);
        Picture.setDevicePixelRatio(Ratio);
        Picture.fill(Qt::white);
        QPainter Painter(&Picture);
        QStyleOptionButton Check;
        Check.rect = QRect(0, 0, CoursesCheckSize, CoursesCheckSize);
        Check.state = QStyle::State_Enabled | (Checked ? QStyle::State_On : QStyle::State_Off);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &Check, &Painter, Widget);
    }
    return Picture;
}
