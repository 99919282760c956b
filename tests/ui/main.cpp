#include "UnitGraphicsQt.h"
#include "UnitProgram.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The run's own configuration folder: the file dialogs that the tests show write Qt's
    // settings there, never into the home of whoever runs them. It outlives the application,
    // whose last windows may still write on their way out.
    QTemporaryDir QtSettings;
    if (!QtSettings.isValid())
        return 1;
    KeepQtSettingsIn(QtSettings.path());
    QApplication App(argc, argv);
    // Qt's own texts in French, as the program has them.
    InstallQtTranslation();
    InstallFontSubstitutions();
    InstallSystemColors();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
