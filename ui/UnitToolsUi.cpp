#include "UnitToolsUi.h"

#include "KVXGraphics.h"
#include "SysUtils.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <utility>

namespace {

// Owned by the input it watches, so it goes with it.
class TFocusTint : public QObject
{
public:
    explicit TFocusTint(QWidget *Input) : QObject(Input) {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Watched == parent() && (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut))
            SetControlHighlight(static_cast<QWidget *>(Watched), Event->type() == QEvent::FocusIn);
        return false;
    }
};

// Owned by the window it watches, so it goes with it.
class TActivationKeeper : public QObject
{
public:
    explicit TActivationKeeper(QWidget *Window) : QObject(Window) {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        auto *Window = static_cast<QWidget *>(parent());
        // An embedded window hears its host's blocking too: the host is the one to activate.
        if (Watched != Window || !Window->isWindow())
            return false;
        if (Event->type() == QEvent::WindowBlocked) {
            FWasActive = Window->isActiveWindow();
        } else if (Event->type() == QEvent::WindowUnblocked && std::exchange(FWasActive, false)) {
            // Once the modal window is gone: the window system reports its hiding after
            // this event, and that report would take back an activation asked now. By then
            // the window may have opened another modal window, which keeps the activation.
            QTimer::singleShot(0, Window, [Window] {
                QWidget *Modal = QApplication::activeModalWidget();
                if (Window->isVisible() && !QApplication::activeWindow() && (!Modal || Modal == Window))
                    Window->activateWindow();
            });
        }
        return false;
    }

private:
    bool FWasActive = false;
};

} // namespace

void SetControlHighlight(QWidget *Control, bool Focused)
{
    if (!Control)
        return;
    const bool Editable = qobject_cast<QLineEdit *>(Control) || qobject_cast<QComboBox *>(Control) ||
                          qobject_cast<QDateTimeEdit *>(Control) || qobject_cast<QPlainTextEdit *>(Control) ||
                          qobject_cast<QTextEdit *>(Control);
    if (!Editable)
        return;
    const QColor Color = TColorToQColor(Focused ? FocusTint : NoFocusColor);
    QPalette Palette = Control->palette();
    Palette.setColor(QPalette::Base, Color);
    // A drop-down list without an edit field is painted as a button.
    if (qobject_cast<QComboBox *>(Control))
        Palette.setColor(QPalette::Button, Color);
    Control->setPalette(Palette);
}

void TintOnFocus(QWidget *Input)
{
    Input->installEventFilter(new TFocusTint(Input));
}

void KeepActivation(QWidget *Window)
{
    Window->installEventFilter(new TActivationKeeper(Window));
}

int PersonsOf(const QString &Text)
{
    const int Persons = StrToIntDef(Text, DefaultPersons);
    return Persons >= 1 ? Persons : DefaultPersons;
}

void GetMouseClientPos(const QWidget *Control, QPoint &P)
{
    P = Control->mapFromGlobal(QCursor::pos());
}

QFont PointFont(const QString &Family, int Points, bool Bold, bool Italic, bool Underline)
{
    return PixelFont(Family, static_cast<int>(std::lround(Points * 96.0 / 72.0)), Bold, Italic, Underline);
}

QFont PixelFont(const QString &Family, int Pixels, bool Bold, bool Italic, bool Underline)
{
    QFont Font(InstalledFamily(Family));
    Font.setPixelSize(Pixels);
    Font.setBold(Bold);
    Font.setItalic(Italic);
    Font.setUnderline(Underline);
    return Font;
}
