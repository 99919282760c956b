// The application of the benchmarks that time windows: drawn offscreen, with the program's
// font substitutions and colours, as the tests draw them.
#pragma once

#include "UnitGraphicsQt.h"

#include <QApplication>
#include <QtGlobal>

namespace BenchDetail {
// A base of its own so that the platform is chosen before QApplication reads it.
struct TOffscreenPlatform
{
    TOffscreenPlatform() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};
} // namespace BenchDetail

class TBenchApplication : private BenchDetail::TOffscreenPlatform, public QApplication
{
public:
    TBenchApplication(int &Argc, char **Argv) : QApplication(Argc, Argv)
    {
        InstallFontSubstitutions();
        InstallSystemColors();
    }
};
