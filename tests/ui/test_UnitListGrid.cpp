// Column specifications, the columns' places and the cells' colours of the table lists.
#include "UnitListGrid.h"

#include "SysUtils.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

TEST(UnitListGrid, ColumnsAndCells)
{
    // Title, width, alignment by the comma-text rules; quotes keep commas and blanks.
    const TListColumn Q = ParseListColumn(QStringLiteral("quantite=Q,40,r"));
    EXPECT_EQ(Q.Field + Q.Title, QStringLiteral("quantiteQ"));
    EXPECT_TRUE(Q.HasWidth);
    EXPECT_EQ(Q.Width, 40);
    EXPECT_EQ(Q.Align, 2);
    const TListColumn Name = ParseListColumn(QStringLiteral("name=Nom"));
    EXPECT_FALSE(Name.HasWidth);
    EXPECT_EQ(Name.Align, 0);
    const TListColumn Quoted = ParseListColumn(QStringLiteral("x=\"Prix, en euros\",,centre"));
    EXPECT_EQ(Quoted.Title, QStringLiteral("Prix, en euros"));
    EXPECT_FALSE(Quoted.HasWidth);
    EXPECT_EQ(Quoted.Align, 1);
    EXPECT_EQ(ParseListColumn(QStringLiteral("x=Nom,12,R")).Align, 0);
    EXPECT_THROW(ParseListColumn(QStringLiteral("x=Nom,large")), EConvertError);

    // The free column takes what the others, the lines between and a scroll bar leave.
    EXPECT_EQ(ListGrid::AutoWidth(541, {40, 100, 0, 150}, 2, 16), 541 - 290 - 3 - 16);
    EXPECT_EQ(ListGrid::AutoWidth(100, {40, 100, 0}, 2, 16), 0);
    EXPECT_EQ(ListGrid::ColumnLefts({40, 100, 20}), (std::vector<int>{0, 41, 142}));
    EXPECT_EQ(ListGrid::ColumnAt(40, {40, 100}), -1);
    EXPECT_EQ(ListGrid::ColumnAt(41, {40, 100}), 1);
    EXPECT_EQ(ListGrid::ColumnBorderAt(42, {40, 100}), 0);
    EXPECT_EQ(ListGrid::ColumnBorderAt(60, {40, 100}), -1);
    EXPECT_EQ(ListGrid::TextRect(QRect(10, 0, 50, 20)), QRect(15, 0, 40, 20));

    // Header grey, odd rows white, even rows cream, the selected row highlighted.
    EXPECT_EQ(ListGrid::CellBackground(0, 0), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(ListGrid::CellBackground(1, 2), QColor(Qt::white));
    EXPECT_EQ(ListGrid::CellBackground(2, 1), QColor(0xFD, 0xFB, 0xE5));
    EXPECT_EQ(ListGrid::CellBackground(2, 2), QApplication::palette().color(QPalette::Highlight));
    EXPECT_EQ(ListGrid::CellTextColor(2, 2), QApplication::palette().color(QPalette::HighlightedText));
    EXPECT_EQ(ListGrid::CellTextColor(0, 0), QColor(Qt::black));
}

TEST(UnitListGrid, ATextTooWideForItsCellIsShortenedVisibly)
{
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(13);
    const QFontMetrics Metrics(Font);
    EXPECT_EQ(ListGrid::FittedText(Metrics, QStringLiteral("0,5"), 30), QStringLiteral("0,5"));
    const QString Huge = ListGrid::FittedText(Metrics, QStringLiteral("1E308"), 30);
    EXPECT_TRUE(Huge.startsWith(QLatin1Char('1')) && Huge.endsWith(QChar(0x2026))) << Huge.toStdString();
    EXPECT_LE(Metrics.horizontalAdvance(Huge), 30);

    // In the 40-pixel quantity column, right-aligned, the cell shows that shortened text and
    // not the digits that happen to fit ("E308").
    auto Cell = [&Font](const QString &Text) {
        QImage Image(41, 20, QImage::Format_RGB32);
        Image.fill(Qt::white);
        QPainter Painter(&Image);
        Painter.setFont(Font);
        ListGrid::DrawRow(Painter, QRect(0, 0, 41, 20), 1, 0, {40}, {2}, {Text});
        return Image;
    };
    EXPECT_EQ(Cell(QStringLiteral("1E308")), Cell(Huge));
}
