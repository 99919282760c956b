#include "SevenButton.h"
#include "TestSupport.h"
#include "WindowActivation.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QColor ParentColor(0x12, 0x34, 0x56);

QColor Html(unsigned Rgb)
{
    return QColor((Rgb >> 16) & 0xFF, (Rgb >> 8) & 0xFF, Rgb & 0xFF);
}

// A shown and active window with a colour of its own, holding the buttons under test.
class SevenButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPalette Palette = Form->palette();
        Palette.setColor(QPalette::Window, ParentColor);
        Form->setPalette(Palette);
        Form->resize(400, 200);
        Edit->setGeometry(10, 100, 100, 24);
        Button = NewButton(QStringLiteral("&Valider"), 10, 10);
    }

    TSevenButton *NewButton(const QString &Caption, int X, int Y)
    {
        auto *B = new TSevenButton(Form.get());
        B->SetCaption(Caption);
        B->move(X, Y);
        QObject::connect(B, &TSevenButton::clicked, B, [this, B] { Clicks[B] += 1; });
        return B;
    }

    void ShowForm() { ASSERT_TRUE(ActivateWindow(Form.get())); }

    static void Enter(QWidget *W)
    {
        QEnterEvent Event(QPointF(5, 5), QPointF(5, 5), W->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(W, &Event);
    }

    static void Leave(QWidget *W)
    {
        QEvent Event(QEvent::Leave);
        QApplication::sendEvent(W, &Event);
    }

    std::unique_ptr<QDialog> Form = std::make_unique<QDialog>();
    QLineEdit *Edit = new QLineEdit(Form.get());
    TSevenButton *Button = nullptr;
    std::map<TSevenButton *, int> Clicks;
};

} // namespace

TEST_F(SevenButtonTest, MouseKeyboardFocusAndEnablingDriveTheState)
{
    ShowForm();
    EXPECT_EQ(Button->State(), sbsNormal);

    // Hover, press, release: hot, down, hot again and one click.
    Enter(Button);
    EXPECT_EQ(Button->State(), sbsHot);
    QTest::mousePress(Button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Button->State(), sbsDown);
    EXPECT_EQ(Clicks[Button], 0);
    QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Button->State(), sbsHot);
    EXPECT_EQ(Clicks[Button], 1);

    // The click gave it the focus: leaving shows the focused look; the focus moving to another
    // control brings back the normal look, coming back the focused one.
    ASSERT_TRUE(Button->hasFocus());
    Leave(Button);
    EXPECT_EQ(Button->State(), sbsFocused);
    Edit->setFocus();
    EXPECT_EQ(Button->State(), sbsNormal);
    Button->setFocus();
    EXPECT_EQ(Button->State(), sbsFocused);

    // A press released outside does not click.
    QTest::mousePress(Button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(Clicks[Button], 1);

    // Disabled, then enabled again; the mouse does not change a disabled look.
    Button->setEnabled(false);
    Enter(Button);
    EXPECT_EQ(Button->State(), sbsDisabled);
    Button->setEnabled(true);
    EXPECT_EQ(Button->State(), sbsNormal);

    // The space bar clicks the focused button; a double click gives two clicks.
    Button->setFocus();
    QTest::keyClick(Button, Qt::Key_Space);
    EXPECT_EQ(Clicks[Button], 2);
    QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Button->State(), sbsDown);
    QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Clicks[Button], 4);
}

TEST_F(SevenButtonTest, AltWithTheUnderlinedLetterClicks)
{
    TSevenButton *Other = NewButton(QStringLiteral("Pain && &beurre"), 100, 10);
    ShowForm();
    Edit->setFocus();

    QTest::keyClick(Edit, Qt::Key_V);
    EXPECT_EQ(Clicks[Button], 0) << "the letter alone is typed, not a click";
    QTest::keyClick(Edit, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(Clicks[Button], 1);
    QTest::keyClick(Edit, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(Clicks[Other], 1) << "\"&&\" is a plain \"&\"";
    EXPECT_TRUE(TSevenButton::Accelerator(QStringLiteral("Pain && beurre")).isNull());
    QTest::keyClick(Edit, Qt::Key_V, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(Clicks[Button], 1) << "Ctrl spoils the accelerator";
    Button->setEnabled(false);
    QTest::keyClick(Edit, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(Clicks[Button], 1) << "a disabled button takes no accelerator";
}

TEST_F(SevenButtonTest, EnterClicksTheActiveButtonAndEscapeTheCancelButton)
{
    TSevenButton *Ok = Button;
    Ok->SetDefault(true);
    TSevenButton *Abandon = NewButton(QStringLiteral("Annuler"), 100, 10);
    Abandon->SetCancel(true);
    TSevenButton *Third = NewButton(QStringLiteral("Autre"), 200, 10);
    ShowForm();

    // The focus on an input: Enter (not Shift+Enter) goes to the default button; on another
    // button, to that one. Escape clicks the cancel button wherever the focus is, unless hidden.
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_Return);
    QTest::keyClick(Edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(Edit, Qt::Key_Return, Qt::ShiftModifier);
    Third->setFocus();
    EXPECT_FALSE(Ok->Active());
    QTest::keyClick(Third, Qt::Key_Return);
    QTest::keyClick(Third, Qt::Key_Escape);
    QTest::keyClick(Edit, Qt::Key_Escape);
    Abandon->hide();
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Clicks, (std::map<TSevenButton *, int>{{Ok, 2}, {Abandon, 2}, {Third, 1}}));
}

TEST_F(SevenButtonTest, ClickCopiesTheModalResultToItsDialog)
{
    // A modal result of 0 is copied too. A modal dialog closes with the result once the click
    // handler has run, unless the handler sets the result back to 0.
    Form->setResult(5);
    Button->Click();
    EXPECT_EQ(Form->result(), 0);
    Button->SetModalResult(6);
    TSevenButton *Keep = NewButton(QStringLiteral("Garder"), 100, 10);
    Keep->SetModalResult(1);
    QObject::connect(Keep, &TSevenButton::clicked, Form.get(), [this] { Form->setResult(0); });
    QStringList Seen;
    QObject::connect(Button, &TSevenButton::clicked, Form.get(),
                     [&] { Seen << (Form->isVisible() ? "open in handler" : "closed"); });
    QTimer::singleShot(0, Form.get(), [&] {
        Keep->Click();
        Seen << (Form->isVisible() ? "open" : "closed");
        QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
    });
    EXPECT_EQ(Form->exec(), 6);
    EXPECT_EQ(Seen, (QStringList{"open", "open in handler"}));
}

TEST(SevenButtonGeometry, GradientPictureAndCaptionPlaces)
{
    const TColor From = KVXHtmlToColor(QStringLiteral("#FCFCFC"));
    const TColor To = KVXHtmlToColor(QStringLiteral("#CFCFCF"));
    // 256 rows: one per step, the last one exactly the end colour. A standard button (24 high,
    // border 1): rows 1 to 22, each once.
    EXPECT_EQ(TSevenButton::GradientRows(0, 256, From, To).back().Color, To);
    const std::vector<TGradientRow> Rows = TSevenButton::GradientRows(1, 23, From, To);
    ASSERT_EQ(Rows.size(), 22u);
    EXPECT_EQ(Rows.back().Y, 22);

    // A picture after the normal border and the margin, centred vertically; a caption aligned
    // on the same side starts Spacing pixels beyond it; a centred caption ignores it.
    const QSize Size(100, 24);
    EXPECT_EQ(TSevenButton::PicturePlace(Size, QSize(16, 16), taRightJustify, 1, 3), QPoint(100 - 1 - 3 - 16, 4));
    const QPoint Left = TSevenButton::PicturePlace(Size, QSize(16, 16), taLeftJustify, 1, 5);
    EXPECT_EQ(Left, QPoint(6, 4));
    EXPECT_EQ(TSevenButton::CaptionRect(Size, 2, taLeftJustify, 1, 5, 5, true, taLeftJustify, Left.x(), 16),
              QRect(6 + 16 + 5, 2, 100 - 27, 20));
    EXPECT_EQ(TSevenButton::CaptionRect(Size, 1, taCenter, 1, 5, 5, true, taLeftJustify, Left.x(), 16),
              QRect(0, 1, 100, 22));
}

TEST_F(SevenButtonTest, PaintDrawsGradientNestedBordersAndCutCorners)
{
    Button->SetCaption(QString());
    ShowForm();
    EXPECT_EQ(Button->size(), QSize(85, 24));
    const QColor Border = Html(0x707070);
    QImage Image = Button->grab().toImage();
    for (QPoint P : {QPoint(0, 0), QPoint(84, 0), QPoint(0, 23), QPoint(84, 23)})
        EXPECT_EQ(Image.pixelColor(P), ParentColor) << "outer corner " << P.x() << "," << P.y();
    for (QPoint P : {QPoint(1, 1), QPoint(83, 22), QPoint(40, 0), QPoint(40, 23), QPoint(0, 12), QPoint(84, 12)})
        EXPECT_EQ(Image.pixelColor(P), Border) << P.x() << "," << P.y();
    // The gradient's last row is the colour of the first of the 256 steps that reaches it:
    // step 245, 0xFC + (-45 * 245) div 255 = 0xD1.
    EXPECT_EQ(Image.pixelColor(40, 1), Html(0xFCFCFC));
    EXPECT_EQ(Image.pixelColor(40, 22), Html(0xD1D1D1));

    // Under the mouse: the hot border.
    Enter(Button);
    EXPECT_EQ(Button->grab().toImage().pixelColor(40, 0), Html(0x3C7FB1));
    Leave(Button);

    // Two pixels of border: two nested outlines, the gradient two rows in from each edge.
    Button->Border()->SetWidthNormal(2);
    Image = Button->grab().toImage();
    EXPECT_EQ(Image.pixelColor(0, 0), ParentColor);
    for (QPoint P : {QPoint(40, 1), QPoint(40, 22), QPoint(1, 12), QPoint(83, 12), QPoint(2, 2), QPoint(82, 21)})
        EXPECT_EQ(Image.pixelColor(P), Border) << P.x() << "," << P.y();
    EXPECT_EQ(Image.pixelColor(40, 2), Html(0xFCFCFC));
    EXPECT_EQ(Image.pixelColor(3, 12).rgb(), Image.pixelColor(40, 12).rgb()) << "the gradient spans the width";
    Button->Border()->SetWidthFocused(11);
    EXPECT_EQ(Button->Border()->WidthFocused(), 10) << "at most 10 pixels";
}

TEST_F(SevenButtonTest, DisabledButtonIsFlatWithAGreyCaption)
{
    Button->SetCaption(QStringLiteral("MMMM"));
    TFont Disabled = Button->Fonts()->FontDisabled();
    Disabled.Font.setPixelSize(16);
    Disabled.Font.setStyleStrategy(QFont::NoAntialias);
    Button->Fonts()->SetFontDisabled(Disabled);
    Button->setEnabled(false);
    ShowForm();

    const QImage Image = Button->grab().toImage();
    const QColor Face = Html(0xF4F4F4);
    EXPECT_EQ(Image.pixelColor(40, 0), Html(0xADB2B5));
    EXPECT_EQ(Image.pixelColor(3, 1), Face);
    EXPECT_EQ(Image.pixelColor(3, 22), Face);
    int Ink = 0;
    for (int Y = 2; Y < 22; ++Y) {
        for (int X = 2; X < 83; ++X) {
            const QColor C = Image.pixelColor(X, Y);
            if (C != Face) {
                ++Ink;
                EXPECT_EQ(C, TColorToQColor(clGrayText)) << X << "," << Y;
            }
        }
    }
    EXPECT_GT(Ink, 20) << "the caption is drawn";
}
