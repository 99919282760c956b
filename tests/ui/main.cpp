#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitMenuFiles.h"
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
    // A message box that no test answers would wait for a user until the run's time limit:
    // it fails the test that showed it at once, with its message. Tests that answer the real
    // box say so with TDialogTest::TRealBox.
    TDialogTest::SetUnansweredHandler(
        [](const QString &Msg) { ADD_FAILURE() << "A message box had no answer: " << Msg.toStdString(); });
    // A file dialog likewise, named by its object name; it returns no file. Tests that answer
    // the real dialog say so with TFileDialogTest::TRealDialog.
    TFileDialogTest::SetUnansweredHandler(
        [](const QString &Dialog) { ADD_FAILURE() << "A file dialog had no name: " << Dialog.toStdString(); });
    return RUN_ALL_TESTS();
}
