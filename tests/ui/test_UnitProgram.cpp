// The program's start-up helpers as the user meets them: Qt's own settings, written by the file
// dialogs, stay in the program folder and never reach the user's home nor another of the
// program's files.
#include "MenusTestSupport.h"

#include "Fifo.h"
#include "KVXFiles.h"
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

#include <sys/stat.h>
#include <unistd.h>

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

// What the file system says a name is, links not followed: kind, device and inode, links count.
QString NameState(const QString &File)
{
    struct stat St;
    if (::lstat(QFile::encodeName(File).constData(), &St) != 0)
        return QStringLiteral("none");
    return QStringLiteral("%1 %2:%3 x%4").arg(St.st_mode & S_IFMT).arg(St.st_dev).arg(St.st_ino).arg(St.st_nlink);
}

} // namespace

TEST_F(TMenusTest, QtSettingsNeverReachAnotherFileOfTheProgram)
{
    const TFileDialogTest::TRealDialog RealDialog;
    const QString Settings = Program->Path(QStringLiteral("QtProject.conf"));
    const QString Lock = Settings + QStringLiteral(".lock");
    const QString Database = Program->Path(QStringLiteral("recipes.db3"));
    KVXReplaceFile(Database, "SQLite format 3");
    // Last written an hour ago, as a database at rest: a lock file leading to it looks left
    // behind, and Qt would remove it rather than wait.
    QFile Written(Database);
    ASSERT_TRUE(Written.open(QIODevice::ReadOnly) &&
                Written.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));

    // One run: Started acts once Qt's settings are kept in the program folder, Meanwhile while
    // the backup dialog is open; the dialog is cancelled and destroyed, as the main window's end
    // destroys it. The database, and whatever is at Qt's names, stay as they are; one log line.
    const auto Run = [&](const char *Case, const std::function<void()> &Started,
                         const std::function<void()> &Meanwhile) {
        SCOPED_TRACE(Case);
        const int Logged = LogLines(QStringLiteral("QtProject.conf")).size();
        QStringList During;
        {
            const TQtSettingsIn Kept(Config->ExePath);
            Started();
            AnswerModals({[&](QWidget *Modal) {
                Meanwhile();
                During = QStringList{NameState(Settings), NameState(Lock)};
                Modal->close();
            }});
            QFileDialog *Dialog = nullptr;
            TFileDialogPreset Preset{Config->BackupDir, QStringLiteral("copie")};
            ExecFileDialog(nullptr, Dialog, SaveDialogDbKind, Preset);
            const std::unique_ptr<QFileDialog> Built(Dialog);
            EXPECT_EQ(ModalsAnswered(), 1);
        }
        EXPECT_EQ((QStringList{NameState(Settings), NameState(Lock)}), During);
        EXPECT_EQ(KVXReadFileBytes(Database), "SQLite format 3");
        EXPECT_EQ(LogLines(QStringLiteral("QtProject.conf")).size(), Logged + 1);
        QFile::remove(Settings);
        QFile::remove(Lock);
    };
    const auto Nothing = [] {};
    const QByteArray Target = QFile::encodeName(Database), Name = QFile::encodeName(Settings);
    const auto SymLink = [&] { ASSERT_EQ(::symlink(Target.constData(), Name.constData()), 0); };
    const auto HardLink = [&] { ASSERT_EQ(::link(Target.constData(), Name.constData()), 0); };
    ASSERT_TRUE(QFile::link(Database, Lock));
    Run("link as the lock", Nothing, Nothing);
    Run("link made during the run", SymLink, Nothing);
    Run("second name of the database made while the dialog is open", Nothing, HardLink);
    const TFifo Fifo(Settings);
    ASSERT_TRUE(Fifo.Made());
    Run("FIFO", Nothing, Nothing);
    EXPECT_FALSE(Fifo.Released()) << "Qt waited on the FIFO";
}

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
