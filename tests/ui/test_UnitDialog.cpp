#include "ChildControl.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "WindowActivation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

bool SamePicture(const QPixmap &A, const QPixmap &B)
{
    return A.toImage().convertToFormat(QImage::Format_ARGB32) == B.toImage().convertToFormat(QImage::Format_ARGB32);
}

class FormDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TDialogTest::Reset();
        FormDialog = Box.get();
    }

    void TearDown() override
    {
        TDialogTest::Reset();
        Box.reset();
        EXPECT_EQ(FormDialog, nullptr);
    }

    // Lays the box out for a message as Show does, answered at once through the test hook.
    int ShowQueued(const QString &Msg, TDialogType Kind, TDialogButtons Buttons)
    {
        TDialogTest::QueueAnswers({1});
        return Box->Show(Msg, Kind, Buttons);
    }

    template <class T> T *Find(const char *Name) const { return Child<T>(Box.get(), Name); }

    std::unique_ptr<TFormDialog> Box = std::make_unique<TFormDialog>();
};

} // namespace

TEST_F(FormDialogTest, LongerMessageWidensTheBoxAndPushesTheButtonsUnderIt)
{
    Box->SetColor(clWhite);
    Box->SetFont(QStringLiteral("Verdana"), 10, clBlack);
    const QString Msg = QStringLiteral("Impossible d'enregistrer le menu dans le fichier choisi.\r\n"
                                       "Le dossier est peut-être protégé en écriture.\r\n"
                                       "Choisissez un autre dossier\r\n"
                                       "ou un autre nom.");
    ShowQueued(Msg, dtConfirm, dbAuto);

    EXPECT_EQ(Find<QLabel>("LbMessage")->text().split(QLatin1Char('\n')).size(), 4);
    EXPECT_FALSE(Find<QLabel>("LbMessage")->text().contains(QLatin1Char('\r')));
    const QRect Label = Find<QLabel>("LbMessage")->geometry();
    EXPECT_EQ(Label.size(), TFormDialog::MessageSize(Find<QLabel>("LbMessage")->font(), Msg));
    ASSERT_GT(Label.height(), 48) << "the text is higher than the picture";
    ASSERT_GT(Label.width(), 284);

    const int Width = 70 + Label.width() + 10;
    const int Top = 10 + Label.height() + 10;
    EXPECT_EQ(Box->size(), QSize(Width, Top + 23 + 10));
    EXPECT_EQ(Find<TSevenButton>("BtYes")->pos(), QPoint((Width - 10) / 2 - 74, Top));
    EXPECT_EQ(Find<TSevenButton>("BtNo")->pos(), QPoint((Width - 10) / 2 + 10, Top));
    EXPECT_EQ(Find<TSevenButton>("BtOk")->pos(), QPoint((Width - 74) / 2, Top));
}

TEST_F(FormDialogTest, AHugeMessageIsWrappedAndShortenedToFitTheScreen)
{
    Box->SetFont(QStringLiteral("Verdana"), 10, clBlack);
    const QFont Font = Find<QLabel>("LbMessage")->font();
    const QFontMetrics Metrics(Font);

    // The plain functions: lines broken at blanks, a word longer than a line anywhere, and
    // what is higher than the room cut with an ellipsis.
    const QSize Room(300, TFormDialog::MessageSize(Font, QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10")).height());
    const QString Sentence = QStringLiteral("Impossible de charger la recette choisie dans le menu de la semaine");
    const QStringList Wrapped = TFormDialog::FittedMessage(Font, Sentence, Room).split(QLatin1Char('\n'));
    EXPECT_GT(Wrapped.size(), 1);
    EXPECT_EQ(Wrapped.join(QLatin1Char(' ')), Sentence);
    const QString Huge = QString(100000, QLatin1Char('a')) + QStringLiteral("\r\nfin");
    const QStringList Fitted = TFormDialog::FittedMessage(Font, Huge, Room).split(QLatin1Char('\n'));
    EXPECT_EQ(Fitted.size(), 10);
    EXPECT_TRUE(Fitted.last().endsWith(QStringLiteral("…")));
    for (const QString &Line : Fitted)
        EXPECT_LE(Metrics.horizontalAdvance(Line), Room.width());
    EXPECT_EQ(TFormDialog::FittedMessage(Font, QStringLiteral("Court.\r\nDeux lignes."), Room),
              QStringLiteral("Court.\nDeux lignes."));
    EXPECT_EQ(TFormDialog::KeptOnScreen(QPoint(900, -20), QSize(300, 100), QRect(0, 0, 1000, 800)), QPoint(700, 0));
    EXPECT_EQ(TFormDialog::KeptOnScreen(QPoint(-50, 30), QSize(1200, 100), QRect(0, 0, 1000, 800)), QPoint(0, 30));

    // A recipe name of megabytes in the error box: the box, its text and its button stay on
    // the screen, and the box is laid out at once.
    QWidget Main;
    Main.setGeometry(0, 0, 400, 300);
    ASSERT_TRUE(ActivateWindow(&Main));
    const QRect Screen = Main.screen()->availableGeometry();
    const QString Name(8 << 20, QLatin1Char('n'));
    QElapsedTimer Clock;
    Clock.start();
    ShowQueued(QStringLiteral("Impossible de charger la recette \"%1\".\r\n").arg(Name).repeated(2), dtError, dbAuto);
    EXPECT_LT(Clock.elapsed(), 10000);
    EXPECT_TRUE(Screen.contains(QRect(Box->pos(), Box->size() + QSize(16, 48))))
        << Box->width() << "x" << Box->height();
    EXPECT_TRUE(Box->rect().contains(Find<TSevenButton>("BtOk")->geometry()));
    EXPECT_TRUE(Find<QLabel>("LbMessage")->text().endsWith(QStringLiteral("…")));
}

TEST_F(FormDialogTest, KindGivesCaptionAndPictureAndButtonsValueGivesTheButtons)
{
    const std::tuple<TDialogType, const char *, const char *> Kinds[] = {{dtAlert, "Alerte", "MSGDLGALERT"},
                                                                         {dtError, "Erreur", "MSGDLGERROR"},
                                                                         {dtInfo, "Information", "MSGDLGINFO"},
                                                                         {dtConfirm, "Confirmation", "MSGDLGQUESTION"}};
    for (const auto &[Kind, Caption, Picture] : Kinds) {
        for (TDialogButtons Buttons : {dbAuto, dbOk, dbYesNo}) {
            SCOPED_TRACE(testing::Message() << Caption << ", buttons " << int(Buttons));
            ShowQueued(QStringLiteral("Message"), Kind, Buttons);
            EXPECT_EQ(Box->windowTitle(), QString::fromLatin1(Caption));
            EXPECT_TRUE(SamePicture(Find<QLabel>("ImageSystem")->pixmap(),
                                    LoadResourcePicture(QString::fromLatin1(Picture), QSize(48, 48))));
            const bool YesNo = Buttons == dbYesNo || (Buttons == dbAuto && Kind == dtConfirm);
            EXPECT_EQ(!Find<TSevenButton>("BtOk")->isHidden(), !YesNo);
            EXPECT_EQ(!Find<TSevenButton>("BtYes")->isHidden() && !Find<TSevenButton>("BtNo")->isHidden(), YesNo);
            // A hidden button takes no key.
            EXPECT_EQ(Find<TSevenButton>("BtOk")->isEnabled(), !YesNo);
            EXPECT_EQ(Find<TSevenButton>("BtNo")->isEnabled(), YesNo);
        }
    }

    // A kind outside the four keeps the caption and picture of the previous message.
    ShowQueued(QStringLiteral("Message"), dtError, dbAuto);
    ShowQueued(QStringLiteral("Message"), static_cast<TDialogType>(9), dbAuto);
    EXPECT_EQ(Box->windowTitle(), QStringLiteral("Erreur"));
    EXPECT_FALSE(Find<TSevenButton>("BtOk")->isHidden()) << "the box still offers an answer";
}

TEST_F(FormDialogTest, ModalBoxAnswersByKeyboardAndMouse)
{
    // Every answer here is given on the real box, as the user gives it.
    const TDialogTest::TRealBox RealBox;
    auto Key = [](Qt::Key K) { return [K](QWidget *) { QTest::keyClick(QApplication::focusWidget(), K); }; };
    // Oui/Non: the focus is on "Oui" and Enter answers 6; OK: the focus is on "OK", the space
    // bar answers 1.
    AnswerModals({[this](QWidget *) {
        EXPECT_EQ(QApplication::focusWidget(), Find<TSevenButton>("BtYes"));
        QTest::keyClick(Find<TSevenButton>("BtYes"), Qt::Key_Return);
    }});
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer la recette ?"), dtConfirm, dbAuto), 6);
    AnswerModals({[this](QWidget *) {
        EXPECT_EQ(QApplication::focusWidget(), Find<TSevenButton>("BtOk"));
        QTest::keyClick(Find<TSevenButton>("BtOk"), Qt::Key_Space);
    }});
    EXPECT_EQ(Box->Show(QStringLiteral("Terminé."), dtInfo, dbAuto), 1);

    // Escape and the title bar's close button answer 2, the mouse on "Non" 7.
    AnswerModals({Key(Qt::Key_Escape)});
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtConfirm, dbAuto), 2);
    AnswerModals({[](QWidget *Open) { Open->close(); }});
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtAlert, dbYesNo), 2);
    AnswerModals(
        {[this](QWidget *) { QTest::mouseClick(Find<TSevenButton>("BtNo"), Qt::LeftButton, {}, QPoint(10, 10)); }});
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtConfirm, dbAuto), 7);
    EXPECT_FALSE(Box->isVisible());

    // Escape pressed in another window before the box opens does not answer it.
    QWidget Other;
    ASSERT_TRUE(ActivateWindow(&Other));
    QTest::keyClick(&Other, Qt::Key_Escape);
    EXPECT_EQ(Box->result(), 2) << "the box saw the key";
    AnswerModals({Key(Qt::Key_Return)});
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer ?"), dtConfirm, dbAuto), 6);
}

TEST_F(FormDialogTest, InTheTestsABoxWithoutAnAnswerFailsAtOnceUnlessTheRealBoxIsAsked)
{
    // Should the box be shown after all, it is closed with "Oui" rather than hold the run,
    // and the answer tells.
    QTimer Safety;
    Safety.setSingleShot(true);
    QObject::connect(&Safety, &QTimer::timeout, Box.get(), [this] {
        if (Box->isVisible())
            Box->done(mrYes);
    });
    // The test program's handler fails the test that showed the box, naming the message; the
    // box answers 2 without being shown.
    static int Answer = 0;
    Safety.start(0);
    EXPECT_NONFATAL_FAILURE(Answer = FormDialog->Show(QStringLiteral("Oublié ?"), dtConfirm, dbAuto), "Oublié ?");
    Safety.stop();
    EXPECT_EQ(Answer, mrCancel);
    EXPECT_EQ(TDialogTest::ShowCount(), 1);

    // Asked for, the real box is shown and waits for its answer; then the handler is back.
    {
        const TDialogTest::TRealBox RealBox;
        AnswerModals({[this](QWidget *) { QTest::keyClick(Find<TSevenButton>("BtYes"), Qt::Key_Return); }});
        EXPECT_EQ(Box->Show(QStringLiteral("Réel ?"), dtConfirm, dbAuto), mrYes);
    }
    Safety.start(0);
    EXPECT_NONFATAL_FAILURE(Answer = FormDialog->Show(QStringLiteral("Encore ?"), dtConfirm, dbAuto), "Encore ?");
    Safety.stop();
    EXPECT_EQ(Answer, mrCancel);
}

TEST_F(FormDialogTest, BoxIsCentredOnTheActiveWindow)
{
    QWidget Main;
    Main.setGeometry(100, 120, 640, 480);
    ASSERT_TRUE(ActivateWindow(&Main));
    ShowQueued(QStringLiteral("Menu enregistré."), dtInfo, dbAuto);
    const QRect Around = Main.frameGeometry();
    const QSize Outer = Box->frameGeometry().size();
    EXPECT_EQ(Box->pos(), QPoint(Around.left() + (Around.width() - Outer.width()) / 2,
                                 Around.top() + (Around.height() - Outer.height()) / 2));
}

TEST_F(FormDialogTest, SetFontReachesEveryButtonStateButKeepsTheDisabledGrey)
{
    // "OK" is disabled in a Oui/Non box: its caption stays grey, never black.
    Box->SetFont(QStringLiteral("Verdana"), 10, clBlack);
    EXPECT_EQ(Box->font().family(), QStringLiteral("Verdana"));
    for (TSevenButton *Button : {Find<TSevenButton>("BtOk"), Find<TSevenButton>("BtYes"), Find<TSevenButton>("BtNo")}) {
        EXPECT_EQ(Button->Fonts()->FontHot().Font.family(), QStringLiteral("Verdana"));
        EXPECT_EQ(Button->Fonts()->FontHot().Color, clBlack);
        EXPECT_EQ(Button->Fonts()->FontDisabled().Font.pointSize(), 10);
        EXPECT_EQ(Button->Fonts()->FontDisabled().Color, clGrayText);
    }
}

TEST_F(FormDialogTest, ShowWhileTheBoxIsOpenIsRefusedWithItsContext)
{
    Box->show();
    const QString Message = ErrorOf([this] { ShowQueued(QStringLiteral("Encore"), dtInfo, dbAuto); });
    EXPECT_TRUE(Message.startsWith(QStringLiteral("[TFormDialog.Show] "))) << Message.toStdString();
    Box->hide();
}

TEST_F(FormDialogTest, AButtonThatClosedTheBoxIsNotHotWhenTheBoxComesBack)
{
    // The pointer and the keys act on the real box.
    const TDialogTest::TRealBox RealBox;
    auto *No = Find<TSevenButton>("BtNo");
    auto *Yes = Find<TSevenButton>("BtYes");
    // The pointer enters "Non" and clicks it; the box closes under the pointer, so no leave
    // event ever reaches the button.
    AnswerModals({[No](QWidget *) {
        QEnterEvent Enter(QPointF(10, 10), QPointF(10, 10), No->mapToGlobal(QPointF(10, 10)));
        QApplication::sendEvent(No, &Enter);
        ASSERT_EQ(No->State(), sbsHot);
        QTest::mouseClick(No, Qt::LeftButton, {}, QPoint(10, 10));
    }});
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer la recette ?"), dtConfirm, dbAuto), mrNo);
    // Shown again: only the focused "Oui" stands out, and Enter answers it.
    TSevenButtonState NoState = sbsHot;
    TSevenButtonState YesState = sbsNormal;
    AnswerModals({[&](QWidget *) {
        NoState = No->State();
        YesState = Yes->State();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }});
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer la recette ?"), dtConfirm, dbAuto), mrYes);
    EXPECT_EQ(NoState, sbsNormal);
    EXPECT_EQ(YesState, sbsFocused);
    // Once missing: every button of the box shows its focus with a 2-pixel border.
    for (TSevenButton *Button : Box->findChildren<TSevenButton *>())
        EXPECT_EQ(Button->Border()->WidthFocused(), 2) << Button->objectName().toStdString();
}
