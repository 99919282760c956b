// The program's one exception boundary. No exception may cross Qt's event loop: every slot
// and event handler runs its body through Guard, which hands whatever escapes to the main
// window's error box (TFormMenus::AppEventsException); TApplication::notify does the same
// for anything that still escapes an event handler.
#pragma once

#include "SysUtils.h"

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &Argc, char **Argv);

    bool notify(QObject *Receiver, QEvent *Event) override;
};

// Hands an exception that no routine handled to the error box of the main window; without a
// main window it is logged. Never raises.
void HandleException(const std::exception &E) noexcept;

// Runs Body; an exception escaping from it goes to HandleException.
//   connect(Bt, &TSevenButton::clicked, this, [this] { Guard([&] { BtGenerateClick(); }); });
template <class F> void Guard(F &&Body) noexcept
{
    try {
        std::forward<F>(Body)();
    } catch (const std::exception &E) {
        HandleException(E);
    } catch (...) {
        HandleException(Exception(QStringLiteral("Unknown exception")));
    }
}
