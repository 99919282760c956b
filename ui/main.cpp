// The program block: the units' initialisations, Qt's settings kept in the program folder, the
// random generator and the rounding mode, the application, the long-lived windows, and the
// message loop.
#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitGraphicsQt.h"
#include "UnitHttp.h"
#include "UnitMenus.h"
#include "UnitProgram.h"
#include "UnitRandom.h"
#include "UnitSync.h"

#include <cfenv>
#include <cstdio>
#include <exception>

namespace {

// The units' globals, from their initialisation to their finalisation in reverse order.
class TUnits
{
public:
    TUnits()
    {
        InitializeUnitConfig();
        InitializeUnitHttp();
        InitializeUnitSync();
    }
    ~TUnits()
    {
        FinalizeUnitSync();
        FinalizeUnitHttp();
        FinalizeUnitConfig();
    }
    TUnits(const TUnits &) = delete;
    TUnits &operator=(const TUnits &) = delete;
};

int ProgramMain(int Argc, char *Argv[])
{
    TUnits Units;
    KeepQtSettingsIn(Config->ExePath);
    Randomize();
    std::fesetround(FE_TONEAREST);

    TApplication Application(Argc, Argv);
    TApplication::setApplicationName(QStringLiteral("Fenolda"));
    InstallQtTranslation();
    InstallFontSubstitutions();
    InstallSystemColors();

    TProgramWindows Windows;
    FormMenus->show();
    return TApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    try {
        return ProgramMain(argc, argv);
    } catch (const std::exception &E) {
        // Nothing can be shown when the program cannot even come up.
        std::fprintf(stderr, "Fenolda: %s\n", E.what());
        return 1;
    }
}
