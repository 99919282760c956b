// The window that bench_startup times, started as a process of its own. With the argument
// "fenolda" it comes up as the program does (units, generator, application, the long-lived
// windows, the main window shown); with "bare" it shows an empty Qt window of the main
// window's size. Either way it writes one byte to the descriptor named by
// FENOLDA_PROBE_READY_FD once its window has been painted on screen, then ends at once:
// only the way up is measured.

#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitGraphicsQt.h"
#include "UnitHttp.h"
#include "UnitMenus.h"
#include "UnitProgram.h"
#include "UnitRandom.h"
#include "UnitSync.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cfenv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

// The main window's client area.
constexpr int WindowWidth = 850 - 16;
constexpr int WindowHeight = 700 - 38;

// Tells the bench, once the first paint of Window is over, that the window is up.
class TShownSignal : public QObject
{
public:
    explicit TShownSignal(QWidget *Window) : QObject(Window) { Window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint && !FSent) {
            FSent = true;
            QTimer::singleShot(0, [] {
                if (const char *Fd = std::getenv("FENOLDA_PROBE_READY_FD")) {
                    const char Byte = 1;
                    [[maybe_unused]] const ssize_t Written = write(std::atoi(Fd), &Byte, 1);
                }
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool FSent = false;
};

int RunFenolda(int Argc, char **Argv)
{
    // The program block of main.cpp, in its order.
    InitializeUnitConfig();
    InitializeUnitHttp();
    InitializeUnitSync();
    // The version check stays on this machine: a closed loopback port answers at once.
    SetWebAddressesForTesting(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("http://127.0.0.1:9"));
    Randomize();
    std::fesetround(FE_TONEAREST);
    TApplication Application(Argc, Argv);
    TApplication::setApplicationName(QStringLiteral("Fenolda"));
    InstallFontSubstitutions();
    InstallSystemColors();
    TProgramWindows Windows;
    new TShownSignal(FormMenus);
    FormMenus->show();
    return TApplication::exec();
}

int RunBare(int Argc, char **Argv)
{
    QApplication Application(Argc, Argv);
    QWidget Window;
    Window.resize(WindowWidth, WindowHeight);
    new TShownSignal(&Window);
    Window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "fenolda") == 0)
        return RunFenolda(argc, argv);
    return RunBare(argc, argv);
}
