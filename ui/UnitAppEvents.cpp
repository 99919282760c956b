#include "UnitAppEvents.h"

#include "UnitTools.h"
#include "UnitTypes.h"

#include <cstdio>

namespace {

TExceptionHandler &Handler()
{
    static TExceptionHandler Registered;
    return Registered;
}

} // namespace

void SetExceptionHandler(TExceptionHandler Value)
{
    Handler() = std::move(Value);
}

TApplication::TApplication(int &Argc, char **Argv) : QApplication(Argc, Argv) {}

bool TApplication::notify(QObject *Receiver, QEvent *Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception &E) {
        HandleException(E);
    } catch (...) {
        HandleException(Exception(QStringLiteral("Unknown exception")));
    }
    return false;
}

void HandleException(const std::exception &E) noexcept
{
    try {
        if (const TExceptionHandler &Show = Handler()) {
            Show(E);
            return;
        }
        WriteLog(ExceptionMessage(E), QStringLiteral("TFormMenus.AppEventsException"));
    } catch (const std::exception &Inner) {
        // The error box itself failed (or the log cannot be written): the standard error
        // stream is all that is left, and the program must go on.
        std::fprintf(stderr, "%s\n%s\n", E.what(), Inner.what());
    } catch (...) {
        std::fprintf(stderr, "%s\n", E.what());
    }
}
