#include "MenusTestSupport.h"

#include "RecipeBase.h"
#include "SevenButton.h"
#include "TestServer.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitHttp.h"
#include "UnitRandom.h"
#include "UnitTools.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QInputDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

void TMenusTest::SetUp()
{
    Program = std::make_unique<TTestProgram>(QStringLiteral("2.1.0.0"));
    ColorRotation = &Rotation;
    // Nothing beyond this machine: the version check fails at once and is only logged. A web
    // API is named, so synchronisation is on by default as in a build that names a server.
    const QString Closed = QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort());
    SetWebAddressesForTesting(Closed, Closed);
    if (!HttpObject)
        InitializeUnitHttp();
    SetNowFunction([this] { return Day1 + EncodeTime(10, 0, 0, 0); });
    RandSeed(42);
    SetOpenDocumentFunction([this](const QString &Name) {
        OpenedDocuments.append(Name);
        return DocumentsOpen;
    });
    TDialogTest::Reset();
}

void TMenusTest::TearDown()
{
    EXPECT_FALSE(TDialogTest::AnswersLeft()) << "answers were left for the message box";
    TDialogTest::Reset();
    if (QWidget *Modal = QApplication::activeModalWidget())
        Modal->close();
    Windows.reset();
    FreeDatabase();
    SetOpenDocumentFunction({});
    SetNowFunction({});
    ColorRotation = nullptr;
    Program.reset();
}

void TMenusTest::StartProgram(TBase Base)
{
    if (Base != TBase::None) {
        const QString File = Program->Path(QStringLiteral("recipes-base.db3"));
        ASSERT_TRUE(MakeRecipeBase(File, Base == TBase::Starter));
        TQlDatabase Db(File);
        for (const QString &Sql : std::as_const(BaseSql))
            Db.ExecScript(Sql);
    }
    Windows = std::make_unique<TProgramWindows>();
    W = FormMenus;
    ASSERT_NE(W, nullptr);
    W->show();
    W->activateWindow();
    QApplication::processEvents();
}

void TMenusTest::Generate(int Days, bool Midi, bool Soir, bool Entree, bool Plat, bool Dessert)
{
    Find<QLineEdit>("EdDays")->setText(QString::number(Days));
    Find<QDateEdit>("EdStartDate")->setDate(DateTimeToQDate(Day1));
    const std::pair<QCheckBox *, bool> Boxes[] = {{Find<QCheckBox>("CbMidi"), Midi},
                                                  {Find<QCheckBox>("CbSoir"), Soir},
                                                  {Find<QCheckBox>("CbEntree"), Entree},
                                                  {Find<QCheckBox>("CbPlat"), Plat},
                                                  {Find<QCheckBox>("CbDessert"), Dessert}};
    for (const auto &[Box, Wanted] : Boxes) {
        if (Box->isChecked() != Wanted)
            Click(Box);
    }
    ASSERT_TRUE(Find<TSevenButton>("BtGenerate")->isEnabled());
    QTest::mouseClick(Find<TSevenButton>("BtGenerate"), Qt::LeftButton);
}

void TMenusTest::GridMouse(int Type, const QPoint &Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons)
{
    QWidget *Viewport = Find<TDrawGrid>("GridMenus")->viewport();
    QMouseEvent Event(static_cast<QEvent::Type>(Type), QPointF(Pos), QPointF(Viewport->mapToGlobal(Pos)), Button,
                      Buttons, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &Event);
}

void TMenusTest::ContextMenuAt(const QPoint &Pos, bool FromMouse)
{
    QWidget *Viewport = Find<TDrawGrid>("GridMenus")->viewport();
    QContextMenuEvent Event(FromMouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, Pos,
                            Viewport->mapToGlobal(Pos));
    QApplication::sendEvent(Viewport, &Event);
}

std::shared_ptr<int> AnswerModals(std::vector<std::function<void(QWidget *)>> Answers)
{
    auto Answered = std::make_shared<int>(0);
    auto Pending = std::make_shared<std::vector<std::function<void(QWidget *)>>>(std::move(Answers));
    auto *Timer = new QTimer(QApplication::instance());
    Timer->setInterval(5);
    auto Ticks = std::make_shared<int>(0);
    QObject::connect(Timer, &QTimer::timeout, Timer, [Timer, Pending, Ticks, Answered] {
        QWidget *Modal = QApplication::activeModalWidget();
        // An answered window is closed before the next tick, so each showing is answered once.
        if (Modal && Modal->isVisible() && Modal->isActiveWindow()) {
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
    return Answered;
}

std::shared_ptr<QStringList> TMenusTest::AnswerInputs(const QStringList &Texts, bool Accept)
{
    auto Shown = std::make_shared<QStringList>();
    std::vector<std::function<void(QWidget *)>> Answers;
    for (int I = 0; I < Texts.size(); ++I) {
        const bool Ok = Accept || I + 1 < Texts.size();
        Answers.push_back([Shown, Text = Texts[I], Ok](QWidget *Modal) {
            auto *Input = qobject_cast<QInputDialog *>(Modal);
            ASSERT_NE(Input, nullptr);
            *Shown << Input->windowTitle() + QLatin1Char('|') + Input->labelText() + QLatin1Char('|') +
                          Input->textValue();
            Input->setTextValue(Text);
            Ok ? Input->accept() : Input->reject();
        });
    }
    AnswerModals(std::move(Answers));
    return Shown;
}
