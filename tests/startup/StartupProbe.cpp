// Linked with the program block: when the program makes its application, Qt's user settings
// (the file dialogs' history) must already point at the program folder, never at the home
// folder. The probe checks that there and ends the process before any window, database or log
// is made.
#include "UnitConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>
#include <cstdlib>

namespace {

void CheckQtSettingsFolder()
{
    const QString Expected = QDir(Config->ExePath).absolutePath();
    int Failures = 0;
    // The file dialogs ask for the native format; the INI format must not stray either.
    for (const QSettings::Format Format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        const QString File = QSettings(Format, QSettings::UserScope, QStringLiteral("QtProject")).fileName();
        if (QFileInfo(File).absolutePath() != Expected) {
            std::fprintf(stderr, "Qt's settings go to %s, not into the program folder %s\n", qPrintable(File),
                         qPrintable(Expected));
            ++Failures;
        }
    }
    if (Failures == 0)
        std::printf("Qt's settings go into the program folder %s\n", qPrintable(Expected));
    std::fflush(nullptr);
    std::_Exit(Failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(CheckQtSettingsFolder)
