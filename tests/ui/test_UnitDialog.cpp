#include "SevenButton.h"
#include "SysUtils.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
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
        TFormDialog::QueuedAnswers.clear();
        Box = std::make_unique<TFormDialog>();
        FormDialog = Box.get();
    }

    void TearDown() override
    {
        TFormDialog::QueuedAnswers.clear();
        Box.reset();
        EXPECT_EQ(FormDialog, nullptr);
    }

    // Answers the box with Action once it is open, modal and active; a box that Action leaves
    // open is closed so that the test goes on.
    void WhenShown(std::function<void(TFormDialog *)> Action)
    {
        QTimer::singleShot(0, Box.get(), [Action] {
            auto *Open = qobject_cast<TFormDialog *>(QApplication::activeModalWidget());
            if (!Open) {
                ADD_FAILURE() << "the box is not open";
                return;
            }
            EXPECT_TRUE(QTest::qWaitForWindowActive(Open));
            Action(Open);
            if (Open->isVisible()) {
                ADD_FAILURE() << "the box stayed open";
                Open->done(-1);
            }
        });
    }

    int ShowQueued(const QString &Msg, TDialogType Kind, TDialogButtons Buttons)
    {
        TFormDialog::QueuedAnswers.push_back(1);
        return Box->Show(Msg, Kind, Buttons);
    }

    std::unique_ptr<TFormDialog> Box;
};

} // namespace

TEST_F(FormDialogTest, OneLineMessageGivesTheSmallestBoxWithCentredButtons)
{
    EXPECT_EQ(ShowQueued(QStringLiteral("Menu enregistré."), dtInfo, dbAuto), 1);
    EXPECT_EQ(Box->LbMessage->pos(), QPoint(70, 10));
    EXPECT_EQ(Box->width(), 284);
    EXPECT_EQ(Box->height(), 68 + 23 + 10);
    EXPECT_EQ(Box->BtOk->geometry(), QRect((284 - 74) / 2, 68, 74, 23));

    ShowQueued(QStringLiteral("Supprimer ?"), dtConfirm, dbAuto);
    EXPECT_EQ(Box->BtYes->geometry(), QRect((284 - 10) / 2 - 74, 68, 74, 23));
    EXPECT_EQ(Box->BtNo->geometry(), QRect((284 - 10) / 2 + 10, 68, 72, 23));
    EXPECT_EQ(Box->width(), 284);
}

TEST_F(FormDialogTest, LongerMessageWidensTheBoxAndPushesTheButtonsUnderIt)
{
    Box->SetColor(clWhite);
    Box->SetFont(QStringLiteral("Verdana"), 10, clBlack);
    const QString Msg = QStringLiteral("Impossible d'enregistrer le menu dans le fichier choisi.\r\n"
                                       "Le dossier est peut-être protégé en écriture.\r\n"
                                       "Choisissez un autre dossier\r\n"
                                       "ou un autre nom.");
    ShowQueued(Msg, dtConfirm, dbAuto);

    EXPECT_EQ(Box->LbMessage->text().split(QLatin1Char('\n')).size(), 4);
    EXPECT_FALSE(Box->LbMessage->text().contains(QLatin1Char('\r')));
    const QRect Label = Box->LbMessage->geometry();
    EXPECT_EQ(Label.size(), TFormDialog::MessageSize(Box->LbMessage->font(), Msg));
    ASSERT_GT(Label.height(), 48) << "the text is higher than the picture";
    ASSERT_GT(Label.width(), 284);

    const int Width = 70 + Label.width() + 10;
    const int Top = 10 + Label.height() + 10;
    EXPECT_EQ(Box->width(), Width);
    EXPECT_EQ(Box->height(), Top + 23 + 10);
    EXPECT_EQ(Box->BtYes->pos(), QPoint((Width - 10) / 2 - 74, Top));
    EXPECT_EQ(Box->BtNo->pos(), QPoint((Width - 10) / 2 + 10, Top));
    EXPECT_EQ(Box->BtOk->pos(), QPoint((Width - 74) / 2, Top));
}

TEST_F(FormDialogTest, KindGivesCaptionAndPictureAndButtonsValueGivesTheButtons)
{
    const QSize Side(48, 48);
    struct KindLook
    {
        TDialogType Kind;
        const char *Caption;
        QPixmap Picture;
    };
    const KindLook Kinds[] = {
        {dtAlert, "Alerte", LoadResourcePicture(QStringLiteral("MSGDLGALERT"), Side)},
        {dtError, "Erreur", LoadResourcePicture(QStringLiteral("MSGDLGERROR"), Side)},
        {dtInfo, "Information", LoadResourcePicture(QStringLiteral("MSGDLGINFO"), Side)},
        {dtConfirm, "Confirmation", LoadResourcePicture(QStringLiteral("MSGDLGQUESTION"), Side)},
    };
    for (const KindLook &Look : Kinds) {
        for (TDialogButtons Buttons : {dbAuto, dbOk, dbYesNo}) {
            SCOPED_TRACE(testing::Message() << "kind " << int(Look.Kind) << ", buttons " << int(Buttons));
            ShowQueued(QStringLiteral("Message"), Look.Kind, Buttons);
            EXPECT_EQ(Box->windowTitle(), QString::fromUtf8(Look.Caption));
            EXPECT_TRUE(SamePicture(Box->ImageSystem->pixmap(), Look.Picture));
            const bool YesNo = Buttons == dbYesNo || (Buttons == dbAuto && Look.Kind == dtConfirm);
            EXPECT_EQ(!Box->BtOk->isHidden(), !YesNo);
            EXPECT_EQ(!Box->BtYes->isHidden(), YesNo);
            EXPECT_EQ(!Box->BtNo->isHidden(), YesNo);
            EXPECT_EQ(Box->BtOk->isEnabled(), !YesNo) << "a hidden button takes no key";
            EXPECT_EQ(Box->BtYes->isEnabled(), YesNo);
            EXPECT_EQ(Box->BtNo->isEnabled(), YesNo);
        }
    }
    EXPECT_EQ(Box->BtYes->Caption(), QStringLiteral("Oui"));
    EXPECT_EQ(Box->BtNo->Caption(), QStringLiteral("Non"));
    EXPECT_EQ(Box->BtOk->Caption(), QStringLiteral("OK"));

    // A kind outside the four keeps the caption and picture of the previous message.
    ShowQueued(QStringLiteral("Message"), dtError, dbAuto);
    ShowQueued(QStringLiteral("Message"), static_cast<TDialogType>(9), dbAuto);
    EXPECT_EQ(Box->windowTitle(), QStringLiteral("Erreur"));
    EXPECT_FALSE(Box->BtOk->isHidden()) << "the box still offers an answer";
}

TEST_F(FormDialogTest, ModalBoxAnswersByKeyboardAndMouse)
{
    // Oui/Non: the focus is on "Oui" and Enter answers 6.
    WhenShown([](TFormDialog *Open) {
        EXPECT_EQ(QApplication::focusWidget(), Open->BtYes);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer la recette ?"), dtConfirm, dbAuto), 6);

    // OK: the focus is on "OK"; Enter and the space bar answer 1.
    WhenShown([](TFormDialog *Open) {
        EXPECT_EQ(QApplication::focusWidget(), Open->BtOk);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(Box->Show(QStringLiteral("Terminé."), dtInfo, dbAuto), 1);
    WhenShown([](TFormDialog *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
    EXPECT_EQ(Box->Show(QStringLiteral("Terminé."), dtInfo, dbOk), 1);

    // Escape and the title bar's close button answer 2.
    WhenShown([](TFormDialog *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtConfirm, dbAuto), 2);
    WhenShown([](TFormDialog *Open) { Open->close(); });
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtAlert, dbYesNo), 2);

    // The mouse on "Non" answers 7.
    WhenShown([](TFormDialog *Open) { QTest::mouseClick(Open->BtNo, Qt::LeftButton, {}, QPoint(10, 10)); });
    EXPECT_EQ(Box->Show(QStringLiteral("Abandonner ?"), dtConfirm, dbAuto), 7);
    EXPECT_FALSE(Box->isVisible());
}

TEST_F(FormDialogTest, EscapeInAnotherWindowDoesNotAnswerTheNextBox)
{
    QWidget Other;
    Other.resize(200, 100);
    Other.show();
    QApplication::setActiveWindow(&Other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Other));
    QTest::keyClick(&Other, Qt::Key_Escape);
    EXPECT_EQ(Box->result(), 2) << "the box saw the key";

    WhenShown([](TFormDialog *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
    EXPECT_EQ(Box->Show(QStringLiteral("Supprimer ?"), dtConfirm, dbAuto), 6);
}

TEST_F(FormDialogTest, BoxIsCentredOnTheActiveWindow)
{
    QWidget Main;
    Main.setGeometry(100, 120, 640, 480);
    Main.show();
    QApplication::setActiveWindow(&Main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));

    ShowQueued(QStringLiteral("Menu enregistré."), dtInfo, dbAuto);
    const QRect Around = Main.frameGeometry();
    const QSize Outer = Box->frameGeometry().size();
    EXPECT_EQ(Box->pos(), QPoint(Around.left() + (Around.width() - Outer.width()) / 2,
                                 Around.top() + (Around.height() - Outer.height()) / 2));
    EXPECT_EQ(TFormDialog::CentredPosition(QRect(0, 0, 101, 51), QSize(10, 10)), QPoint(45, 20));
}

TEST_F(FormDialogTest, SetFontReachesEveryButtonStateButKeepsTheDisabledGrey)
{
    Box->SetFont(QStringLiteral("Verdana"), 10, clBlack);
    EXPECT_EQ(Box->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(Box->font().pointSize(), 10);
    for (TSevenButton *Button : {Box->BtOk, Box->BtYes, Box->BtNo}) {
        SCOPED_TRACE(Button->objectName().toStdString());
        EXPECT_EQ(Button->font().family(), QStringLiteral("Verdana"));
        EXPECT_EQ(Button->FontColor(), clBlack);
        for (const TFont *F : {&Button->Fonts()->FontHot(), &Button->Fonts()->FontDown(),
                               &Button->Fonts()->FontFocused(), &Button->Fonts()->FontDisabled()}) {
            EXPECT_EQ(F->Font.family(), QStringLiteral("Verdana"));
            EXPECT_EQ(F->Font.pointSize(), 10);
        }
        EXPECT_EQ(Button->Fonts()->FontHot().Color, clBlack);
        EXPECT_EQ(Button->Fonts()->FontDisabled().Color, clGrayText);
    }

    // "OK" is disabled in a Oui/Non box: its caption is grey, never darker.
    ShowQueued(QStringLiteral("Supprimer ?"), dtConfirm, dbAuto);
    ASSERT_FALSE(Box->BtOk->isEnabled());
    const QImage Image = Box->BtOk->grab().toImage();
    const QColor Face = TColorToQColor(KVXHtmlToColor(QStringLiteral("#F4F4F4")));
    const int Grey = TColorToQColor(clGrayText).lightness();
    int Ink = 0;
    for (int Y = 2; Y < Image.height() - 2; ++Y) {
        for (int X = 2; X < Image.width() - 2; ++X) {
            const QColor C = Image.pixelColor(X, Y);
            if (C == Face)
                continue;
            ++Ink;
            EXPECT_GE(C.lightness(), Grey - 2) << X << "," << Y;
        }
    }
    EXPECT_GT(Ink, 10) << "the caption is drawn";
}

TEST_F(FormDialogTest, QueuedAnswersStandInForTheUserAndEveryShowIsRecorded)
{
    const int Before = TFormDialog::ShowCount;
    TFormDialog::QueuedAnswers = {6, 7};
    EXPECT_EQ(Box->Show(QStringLiteral("Première"), dtConfirm, dbAuto), 6);
    EXPECT_EQ(Box->Show(QStringLiteral("Seconde"), dtAlert, dbYesNo), 7);
    EXPECT_TRUE(TFormDialog::QueuedAnswers.empty());
    EXPECT_FALSE(Box->isVisible());
    EXPECT_EQ(TFormDialog::ShowCount, Before + 2);
    EXPECT_EQ(TFormDialog::LastMessage, QStringLiteral("Seconde"));
    EXPECT_EQ(TFormDialog::LastKind, dtAlert);
    EXPECT_EQ(TFormDialog::LastButtons, dbYesNo);
}

TEST_F(FormDialogTest, ShowWhileTheBoxIsOpenIsRefusedWithItsContext)
{
    Box->show();
    try {
        ShowQueued(QStringLiteral("Encore"), dtInfo, dbAuto);
        ADD_FAILURE() << "a second showing must be refused";
    } catch (const Exception &E) {
        EXPECT_TRUE(E.Message.startsWith(QStringLiteral("[TFormDialog.Show] "))) << E.Message.toStdString();
    }
    Box->hide();
}
