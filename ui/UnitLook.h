// The look every window shares: fonts of the layouts, text colours, the grey one-pixel line,
// the drawn buttons' state fonts, the label/check/edit factories, and the one guarded connect.
// A window never defines its own copy of any of these.
#pragma once

#include "KVXGraphics.h"
#include "UnitAppEvents.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <type_traits>
#include <utility>

class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;
class TSevenButton;

// Fonts of the layouts.
QFont WindowFont(); // Verdana 13 px: the text of a window and its buttons
QFont InputFont();  // Arial 13 px: edit boxes, combo boxes, check boxes
QFont LabelFont();  // Verdana 13 px bold: the labels before the inputs

// A "#RRGGBB" colour text as a colour to paint with. The program's own fixed colours are
// TColor values in UnitConst; this is for a colour that only exists as a text.
QColor HtmlColor(const char *Html);

// The colour of a control's text (labels, check boxes and edit boxes alike).
void SetTextColor(QWidget *Widget, const QColor &Color);
void SetTextColor(QWidget *Widget, TColor Color);

// The grey one-pixel line that separates a window's panels.
QFrame *NewGreyLine(QWidget *Parent, const QString &Name, const QRect &Place);

// The fonts of a drawn button's hot, pressed, focused and disabled states: Font in Color,
// greyed when disabled.
void SetStateFonts(TSevenButton *Button, const QFont &Font, TColor Color = clWindowText);

// A drawn button named Name at Place, with the look every window's buttons share: the
// 2-pixel border while it has the focus, the state fonts following its own font.
TSevenButton *NewSevenButton(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place);

// A white dialog of a fixed client size with a title bar and a close box, named Name.
void SetUpWindow(QDialog *Form, const QString &Name, int Width, int Height);

// The controls of the layouts, named so that tests find them.
QLabel *NewLabel(QWidget *Parent, const QString &Name, const QString &Caption, const QPoint &Place,
                 const QFont &Font = LabelFont());
QCheckBox *NewCheckBox(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place);
QLineEdit *NewEdit(QWidget *Parent, const QString &Name, const QString &Text, const QRect &Place);

// The one way to connect a signal to the program's code: the body runs through Guard, so no
// exception crosses the event loop. The signal's arguments reach Body when it takes them.
//   GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
template <class TSender, class TSignal, class TBody>
QMetaObject::Connection GuardedConnect(TSender *Sender, TSignal Signal, const QObject *Context, TBody Body)
{
    return QObject::connect(Sender, Signal, Context, [Body = std::move(Body)](auto &&...Args) mutable {
        Guard([&] {
            if constexpr (std::is_invocable_v<TBody &, decltype(Args)...>)
                Body(std::forward<decltype(Args)>(Args)...);
            else
                Body();
        });
    });
}
