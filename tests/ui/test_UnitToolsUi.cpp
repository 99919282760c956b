// The focus tint of input fields.
#include "UnitToolsUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(UnitToolsUi, InputFieldsTakeTheFocusTintAndOtherControlsStayAsTheyAre)
{
    QLineEdit Edit;
    QComboBox Combo;
    QDateEdit Date;
    QPlainTextEdit Memo;
    QPushButton Button;
    QCheckBox Box;
    for (QWidget *W : std::initializer_list<QWidget *>{&Edit, &Combo, &Date, &Memo, &Button, &Box}) {
        const bool Input = W != &Button && W != &Box;
        const QPalette Before = W->palette();
        SetControlHighlight(W, true);
        EXPECT_EQ(W->palette().color(QPalette::Base), Input ? QColor(0xEB, 0xFD, 0xD7) : Before.color(QPalette::Base))
            << W->metaObject()->className();
        SetControlHighlight(W, false);
        EXPECT_EQ(W->palette().color(QPalette::Base), Input ? QColor(Qt::white) : Before.color(QPalette::Base))
            << W->metaObject()->className();
    }
}

TEST(UnitToolsUi, TintOnFocusFollowsTheFocus)
{
    QLineEdit Edit;
    TintOnFocus(&Edit);
    QFocusEvent In(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&Edit, &In);
    EXPECT_EQ(Edit.palette().color(QPalette::Base), QColor(0xEB, 0xFD, 0xD7));
    QFocusEvent Out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&Edit, &Out);
    EXPECT_EQ(Edit.palette().color(QPalette::Base), QColor(Qt::white));
}
