#include "UnitGraphicsQt.h"
#include "UnitProgram.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    // Qt's own texts in French, as the program has them.
    InstallQtTranslation();
    InstallFontSubstitutions();
    InstallSystemColors();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
