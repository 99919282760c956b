// Column specifications, the columns' places and the cells' colours of the table lists.
#include "UnitListGrid.h"

#include "SysUtils.h"

#include <QApplication>
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
