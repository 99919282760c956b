// The program's start-up helpers as the user meets them: Qt's own settings, written by the file
// dialogs, stay in the program folder and never reach the user's home.
#include "MenusTestSupport.h"

#include "SevenButton.h"
#include "UnitConfig.h"
#include "UnitMenuFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QUrl>

namespace {

QString QtSettingsFolder()
{
    return QFileInfo(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()).absolutePath();
}

// Qt's settings in Folder for the life of this object; the test run's own folder comes back after.
class TQtSettingsIn
{
public:
    explicit TQtSettingsIn(const QString &Folder) : Saved(QtSettingsFolder()) { KeepQtSettingsIn(Folder); }
    ~TQtSettingsIn() { KeepQtSettingsIn(Saved); }

    TQtSettingsIn(const TQtSettingsIn &) = delete;
    TQtSettingsIn &operator=(const TQtSettingsIn &) = delete;

private:
    QString Saved;
};

// Where Qt would write without KeepQtSettingsIn, each with what tells a write apart: whether it
// exists, its size and its time. A developer's home may hold one already.
QStringList HomeQtSettings()
{
    QStringList Files{QDir::homePath() + QStringLiteral("/.config/QtProject.conf")};
    if (!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        Files << qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/QtProject.conf");
    QStringList States;
    for (const QString &File : std::as_const(Files)) {
        const QFileInfo Info(File);
        States << File + (Info.exists() ? QStringLiteral(": %1 bytes, %2")
                                              .arg(Info.size())
                                              .arg(Info.lastModified().toString(Qt::ISODateWithMs))
                                        : QStringLiteral(": none"));
    }
    return States;
}

} // namespace

TEST_F(TMenusTest, TheFileDialogsHistoryStaysInTheProgramFolder)
{
    const TFileDialogTest::TRealDialog RealDialog;
    const QStringList Home = HomeQtSettings();
    // As the program block does, once its configuration is made.
    const TQtSettingsIn Kept(Config->ExePath);
    Config->SetSyncEnabled(false);
    StartProgram();
    Generate(2, true, false, false, true, false);
    AnswerModals({[&](QWidget *Modal) {
        auto *Dialog = qobject_cast<QFileDialog *>(Modal);
        ASSERT_NE(Dialog, nullptr);
        auto *Name = Dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(Name, nullptr);
        Name->setText(QStringLiteral("historique"));
        QTest::keyClick(Name, Qt::Key_Return);
    }});
    QTest::mouseClick(Find<TSevenButton>("BtSaveList"), Qt::LeftButton);
    ASSERT_EQ(ModalsAnswered(), 1);
    // Qt writes its settings as a file dialog goes, with the main window at the end of the run.
    Windows.reset();
    W = nullptr;

    EXPECT_EQ(HomeQtSettings(), Home);
    const QString File = Program->Path(QStringLiteral("QtProject.conf"));
    ASSERT_TRUE(QFileInfo::exists(File));
    const QSettings Settings(File, QSettings::IniFormat);
    EXPECT_EQ(
        QDir(QUrl(Settings.value(QStringLiteral("FileDialog/lastVisited")).toString()).toLocalFile()).absolutePath(),
        QDir(Config->SaveDir).absolutePath());
}
