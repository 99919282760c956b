#include "MenusTestSupport.h"

#include "DrawGrid.h"
#include "KVXFiles.h"
#include "SevenButton.h"
#include "UnitCheckVersion.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitHttp.h"
#include "UnitMenus.h"
#include "UnitRandom.h"
#include "UnitTools.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

// The base built from data/ once per test run (the starter rows take a while), then copied.
QString TemplateBase(bool WithStarter)
{
    static QTemporaryDir Folder;
    static QString Files[2];
    QString &File = Files[WithStarter];
    if (File.isEmpty()) {
        const QString Name =
            Folder.filePath(WithStarter ? QStringLiteral("starter.db3") : QStringLiteral("schema.db3"));
        TQlDatabase Db(Name);
        Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/schema.sql")));
        if (WithStarter)
            Db.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/starter.sql")));
        File = Name;
    }
    return File;
}

} // namespace

void TMenusTest::SetUp()
{
    ASSERT_TRUE(Dir.isValid());
    ProgramFile = Dir.filePath(QStringLiteral("fenolda"));
    KVXWriteText(ProgramFile, QStringLiteral("program file KVX-FILE-VERSION:2.1.0.0 end"), true);
    Cfg = std::make_unique<TConfig>(ProgramFile);
    Config = Cfg.get();
    ColorRotation = &Rotation;
    // Nothing beyond this machine: the version check fails at once and is only logged.
    SetWebAddressesForTesting(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("http://127.0.0.1:9"));
    if (!HttpObject)
        InitializeUnitHttp();
    Day1 = EncodeDate(2024, 10, 5);
    SetNowFunction([this] { return Day1 + EncodeTime(10, 0, 0, 0); });
    RandSeed(42);
    SetOpenDocumentFunction([this](const QString &Name) { OpenedDocuments.append(Name); });
    TFormDialog::QueuedAnswers.clear();
    TFormDialog::ShowCount = 0;
    TFormDialog::LastMessage.clear();
}

void TMenusTest::TearDown()
{
    EXPECT_TRUE(TFormDialog::QueuedAnswers.empty()) << "answers were left for the message box";
    TFormDialog::QueuedAnswers.clear();
    if (QWidget *Modal = QApplication::activeModalWidget())
        Modal->close();
    Windows.reset();
    FreeDatabase();
    SetOpenDocumentFunction({});
    SetNowFunction({});
    ColorRotation = nullptr;
    Config = nullptr;
}

void TMenusTest::StartProgram(TBase Base)
{
    if (Base != TBase::None) {
        const QString File = Dir.filePath(QStringLiteral("recipes-base.db3"));
        ASSERT_TRUE(QFile::copy(TemplateBase(Base == TBase::Starter), File));
        if (!BaseSql.isEmpty()) {
            TQlDatabase Db(File);
            for (const QString &Sql : std::as_const(BaseSql))
                Db.ExecSQL(Sql);
        }
    }
    Windows = std::make_unique<TProgramWindows>();
    ASSERT_NE(FormMenus, nullptr);
    FormMenus->show();
    FormMenus->activateWindow();
    QApplication::processEvents();
}

TFormMenus *TMenusTest::Window() const
{
    return FormMenus;
}

void TMenusTest::Click(QWidget *Widget)
{
    QTest::mouseClick(Widget, Qt::LeftButton, Qt::NoModifier, QPoint(8, Widget->height() / 2));
}

void TMenusTest::Generate(int Days, bool Midi, bool Soir, bool Entree, bool Plat, bool Dessert)
{
    TFormMenus *W = Window();
    W->EdDays->setText(QString::number(Days));
    W->EdStartDate->setDate(DateTimeToQDate(Day1));
    const std::pair<QCheckBox *, bool> Boxes[] = {
        {W->CbMidi, Midi}, {W->CbSoir, Soir}, {W->CbEntree, Entree}, {W->CbPlat, Plat}, {W->CbDessert, Dessert}};
    for (const auto &[Box, Wanted] : Boxes) {
        if (Box->isChecked() != Wanted)
            Click(Box);
    }
    ASSERT_TRUE(W->BtGenerate->isEnabled());
    QTest::mouseClick(W->BtGenerate, Qt::LeftButton);
}

void TMenusTest::GridMouse(int Type, const QPoint &Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons)
{
    QWidget *Viewport = Window()->GridMenus->viewport();
    QMouseEvent Event(static_cast<QEvent::Type>(Type), QPointF(Pos), QPointF(Viewport->mapToGlobal(Pos)), Button,
                      Buttons, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &Event);
}

QPoint TMenusTest::RowCentre(int Row) const
{
    return Window()->GridMenus->CellRect(Row).center();
}

void TMenusTest::ContextMenuAt(const QPoint &Pos, bool FromMouse)
{
    QWidget *Viewport = Window()->GridMenus->viewport();
    QContextMenuEvent Event(FromMouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, Pos,
                            Viewport->mapToGlobal(Pos));
    QApplication::sendEvent(Viewport, &Event);
}

void TMenusTest::AnswerModals(std::vector<std::function<void(QWidget *)>> Answers)
{
    *FAnswered = 0;
    auto Pending = std::make_shared<std::vector<std::function<void(QWidget *)>>>(std::move(Answers));
    auto *Timer = new QTimer(QApplication::instance());
    Timer->setInterval(5);
    auto Ticks = std::make_shared<int>(0);
    auto Answered = FAnswered;
    QObject::connect(Timer, &QTimer::timeout, Timer, [Timer, Pending, Ticks, Answered] {
        QWidget *Modal = QApplication::activeModalWidget();
        // An answered window is closed before the next tick, so each showing is answered once.
        if (Modal && Modal->isVisible()) {
            auto Action = Pending->front();
            Pending->erase(Pending->begin());
            ++*Answered;
            Action(Modal);
            QPointer<QWidget> Left(Modal);
            if (Left && Left->isVisible())
                Left->close();
        } else if (++*Ticks > 2000) {
            ADD_FAILURE() << "no modal window came to be answered";
            Pending->clear();
        }
        if (Pending->empty()) {
            Timer->stop();
            Timer->deleteLater();
        }
    });
    Timer->start();
}

QStringList TMenusTest::LogLines(const QString &Text) const
{
    if (!KVXFileExists(Config->LogFileName))
        return {};
    return KVXReadFile(Config->LogFileName).split(QStringLiteral("\r\n")).filter(Text);
}
