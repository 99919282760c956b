// The focus tint of input fields and the fonts of the layouts.
#include "UnitToolsUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(UnitToolsUi, InputFieldsTakeTheFocusTintAndOtherControlsStayAsTheyAre)
{
    const QColor Tint(0xEB, 0xFD, 0xD7);
    QLineEdit Edit;
    QComboBox Combo;
    QDateEdit Date;
    QPlainTextEdit Memo;
    for (QWidget *Input : std::initializer_list<QWidget *>{&Edit, &Combo, &Date, &Memo}) {
        SetControlHighlight(Input, true);
        EXPECT_EQ(Input->palette().color(QPalette::Base), Tint) << Input->metaObject()->className();
        SetControlHighlight(Input, false);
        EXPECT_EQ(Input->palette().color(QPalette::Base), QColor(Qt::white)) << Input->metaObject()->className();
    }

    QPushButton Button;
    QCheckBox Box;
    for (QWidget *Other : std::initializer_list<QWidget *>{&Button, &Box}) {
        const QPalette Before = Other->palette();
        SetControlHighlight(Other, true);
        EXPECT_EQ(Other->palette(), Before) << Other->metaObject()->className();
    }
}

TEST(UnitToolsUi, FontsKeepTheirDesignedPixelSize)
{
    EXPECT_EQ(PointFont(QStringLiteral("Calibri"), 16).pixelSize(), 21);
    EXPECT_EQ(PointFont(QStringLiteral("Calibri"), 12).pixelSize(), 16);
    EXPECT_EQ(PointFont(QStringLiteral("Calibri"), 10, true).pixelSize(), 13);
    const QFont Hint = PixelFont(QStringLiteral("Calibri"), 13, false, true);
    EXPECT_EQ(Hint.pixelSize(), 13);
    EXPECT_TRUE(Hint.italic());
    EXPECT_FALSE(Hint.bold());
}
