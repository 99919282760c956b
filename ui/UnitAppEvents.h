// The program's one exception boundary. No exception may cross Qt's event loop: every slot
// (connected with GuardedConnect) and event handler runs its body through Guard, which hands
// whatever escapes to the error handler that the main window registers (its error box);
// TApplication::notify does the same for anything that still escapes an event handler.
#pragma once

#include "SysUtils.h"

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <utility>

class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &Argc, char **Argv);

    bool notify(QObject *Receiver, QEvent *Event) override;
};

// What shows an exception that no routine handled: the main window's error box, registered
// by the main window for its lifetime. An empty handler unregisters it.
using TExceptionHandler = std::function<void(const std::exception &E)>;
void SetExceptionHandler(TExceptionHandler Handler);

// Hands an exception that no routine handled to the registered handler; without one it is
// logged. Never raises.
void HandleException(const std::exception &E) noexcept;

// Runs Body; an exception escaping from it goes to HandleException. Slots get it through
// GuardedConnect (UnitLook), event handlers call it themselves.
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
