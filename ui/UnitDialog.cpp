#include "UnitDialog.h"

#include "SevenButton.h"
#include "SysUtils.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitTypes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextLayout>

#include <algorithm>
#include <utility>

TFormDialog *FormDialog = nullptr;

namespace {

// What the test interface queued and what the box was asked.
struct
{
    std::deque<int> Answers;
    QString LastMessage;
    TDialogType LastKind = dtAlert;
    TDialogButtons LastButtons = dbAuto;
    int ShowCount = 0;
    TDialogTest::TUnanswered Unanswered;
} Record;

// The texts of the box.
const QString CaptionYes = QStringLiteral("Oui");
const QString CaptionNo = QStringLiteral("Non");
const QString CaptionOk = QStringLiteral("OK");
const QString CaptionAlert = QStringLiteral("Alerte");
const QString CaptionError = QStringLiteral("Erreur");
const QString CaptionInfo = QStringLiteral("Information");
const QString CaptionConfirm = QStringLiteral("Confirmation");

// Layout of the box.
const QRect ImageRect(10, 10, 48, 48);
const QPoint MessagePos(70, 10);
const QSize YesSize(74, 23);
const QSize NoSize(72, 23);
const QSize OkSize(74, 23);
const QSize DesignedClient(369, 68);
constexpr int Gap = 10;
constexpr int PictureSide = 48;
// Room left around the client area for a window frame and its title bar.
const QSize FrameAllowance(16, 48);
const QString Ellipsis = QStringLiteral("…");

// Every line break, whatever its form, starts a new line.
QString MessageText(const QString &Msg)
{
    QString Text = Msg;
    Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Text;
}

// The free area of the screen the box opens on: the active window's, else the primary one.
QRect ScreenArea(const QWidget *Box)
{
    const QWidget *Active = QApplication::activeWindow();
    const QScreen *Screen = Active && Active != Box ? Active->screen() : QGuiApplication::primaryScreen();
    return Screen ? Screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A wrapped line without the blanks at which it was broken.
QString WithoutTrailingBlanks(QString Line)
{
    qsizetype End = Line.size();
    while (End > 0 && Line.at(End - 1).isSpace())
        --End;
    Line.truncate(End);
    return Line;
}

TSevenButton *NewBoxButton(QWidget *Parent, const QString &Name, const QString &Caption, QSize Size, int ModalResult)
{
    TSevenButton *Button = NewSevenButton(Parent, Name, Caption, QRect(QPoint(0, 0), Size));
    Button->SetModalResult(ModalResult);
    Button->hide();
    return Button;
}

} // namespace

TFormDialog::TFormDialog(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(DesignedClient);

    LbMessage = new QLabel(this);
    LbMessage->setObjectName(QStringLiteral("LbMessage"));
    // The text is shown as it is: no markup, no accelerator, no wrapping.
    LbMessage->setTextFormat(Qt::PlainText);
    LbMessage->setWordWrap(false);
    LbMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LbMessage->move(MessagePos);

    BtYes = NewBoxButton(this, QStringLiteral("BtYes"), CaptionYes, YesSize, mrYes);
    BtNo = NewBoxButton(this, QStringLiteral("BtNo"), CaptionNo, NoSize, mrNo);
    BtOk = NewBoxButton(this, QStringLiteral("BtOk"), CaptionOk, OkSize, mrOk);
    setTabOrder(BtYes, BtNo);
    setTabOrder(BtNo, BtOk);

    ImageSystem = new QLabel(this);
    ImageSystem->setObjectName(QStringLiteral("ImageSystem"));
    ImageSystem->setGeometry(ImageRect);

    SetColor(clBtnFace);
    QFont Standard{QLatin1String(FontArial)};
    Standard.setPixelSize(11);
    ApplyFont(Standard, clWindowText);

    FormCreate();
    // Escape is watched for the whole run, whichever window it is pressed in.
    qApp->installEventFilter(this);
}

TFormDialog::~TFormDialog()
{
    qApp->removeEventFilter(this);
    FormDestroy();
    if (FormDialog == this)
        FormDialog = nullptr;
}

void TFormDialog::FormCreate()
{
    // The pictures are rendered by the first Show: most starts never show a box.
    BtYes->SetCaption(CaptionYes);
    BtNo->SetCaption(CaptionNo);
    BtOk->SetCaption(CaptionOk);
}

void TFormDialog::FormDestroy()
{
    FreeImages();
}

void TFormDialog::LoadImages()
{
    WrapPlain("[TFormDialog.LoadImages] ", [this] {
        const QSize Size(PictureSide, PictureSide);
        FImageInfo = LoadResourcePicture(QStringLiteral("MSGDLGINFO"), Size);
        FImageAlert = LoadResourcePicture(QStringLiteral("MSGDLGALERT"), Size);
        FImageError = LoadResourcePicture(QStringLiteral("MSGDLGERROR"), Size);
        FImageQuestion = LoadResourcePicture(QStringLiteral("MSGDLGQUESTION"), Size);
    });
}

void TFormDialog::FreeImages()
{
    FImageInfo = QPixmap();
    FImageAlert = QPixmap();
    FImageError = QPixmap();
    FImageQuestion = QPixmap();
}

int TFormDialog::Show(const QString &Msg, TDialogType Kind, TDialogButtons Buttons)
{
    return WrapPlain("[TFormDialog.Show] ", [&] {
        if (isVisible())
            throw Exception(QStringLiteral("Cannot make a visible window modal"));
        ++Record.ShowCount;
        Record.LastMessage = Msg;
        Record.LastKind = Kind;
        Record.LastButtons = Buttons;

        LbMessage->setText(FittedMessage(LbMessage->font(), Msg, MessageRoom(ScreenArea(this).size())));
        LbMessage->resize(MessageSize(LbMessage->font(), LbMessage->text()));
        AdjustDim();
        AdjustPos();

        if (FImageInfo.isNull())
            LoadImages();
        switch (Kind) {
        case dtAlert:
            setWindowTitle(CaptionAlert);
            ImageSystem->setPixmap(FImageAlert);
            break;
        case dtError:
            setWindowTitle(CaptionError);
            ImageSystem->setPixmap(FImageError);
            break;
        case dtInfo:
            setWindowTitle(CaptionInfo);
            ImageSystem->setPixmap(FImageInfo);
            break;
        case dtConfirm:
            setWindowTitle(CaptionConfirm);
            ImageSystem->setPixmap(FImageQuestion);
            break;
        }

        // A box always offers an answer: an unknown buttons value counts as automatic.
        bool YesNo = Kind == dtConfirm;
        if (Buttons == dbOk)
            YesNo = false;
        else if (Buttons == dbYesNo)
            YesNo = true;
        BtOk->setVisible(!YesNo);
        BtYes->setVisible(YesNo);
        BtNo->setVisible(YesNo);
        // A hidden button must take no key.
        BtOk->setEnabled(!YesNo);
        BtYes->setEnabled(YesNo);
        BtNo->setEnabled(YesNo);

        if (!Record.Answers.empty()) {
            const int Answer = Record.Answers.front();
            Record.Answers.pop_front();
            return Answer;
        }
        if (Record.Unanswered) {
            // A copy: the handler may install another one while it runs.
            const TDialogTest::TUnanswered Report = Record.Unanswered;
            Report(Msg);
            return mrCancel;
        }
        return exec();
    });
}

void TFormDialog::AdjustDim()
{
    WrapPlain("[TFormDialog.AdjustDim] ", [this] {
        const TDialogLayout Layout = DialogLayout(LbMessage->geometry());
        setFixedSize(Layout.Client.width(), height());
        PosButtons();
        setFixedSize(Layout.Client);
    });
}

void TFormDialog::PosButtons()
{
    WrapPlain("[TFormDialog.PosButtons] ", [this] {
        const TDialogLayout Layout = DialogLayout(LbMessage->geometry());
        BtOk->move(Layout.OkLeft, Layout.ButtonsTop);
        BtYes->move(Layout.YesLeft, Layout.ButtonsTop);
        BtNo->move(Layout.NoLeft, Layout.ButtonsTop);
    });
}

void TFormDialog::AdjustPos()
{
    WrapPlain("[TFormDialog.AdjustPos] ", [this] {
        // Before the first showing the frame is not known yet: the client size stands for it.
        const QSize Box = frameGeometry().size();
        QWidget *Active = QApplication::activeWindow();
        QPoint Pos;
        if (Active && Active != this) {
            Pos = CentredPosition(Active->frameGeometry(), Box);
        } else {
            QScreen *Screen = QGuiApplication::primaryScreen();
            if (!Screen)
                return;
            Pos = CentredPosition(Screen->geometry(), Box);
        }
        // Centred on a window near the screen's edge, a wide box would put its buttons out of
        // reach.
        move(KeptOnScreen(Pos, Box.expandedTo(size() + FrameAllowance), ScreenArea(this)));
    });
}

TDialogLayout TFormDialog::DialogLayout(const QRect &Message)
{
    TDialogLayout Layout;
    const int Width = std::max(MinClientWidth, Message.left() + Message.width() + Gap);
    Layout.ButtonsTop = std::max(ImageRect.top() + ImageRect.height() + Gap, Message.top() + Message.height() + Gap);
    Layout.OkLeft = (Width - OkSize.width()) / 2;
    Layout.YesLeft = (Width - Gap) / 2 - YesSize.width();
    Layout.NoLeft = Layout.YesLeft + YesSize.width() + Gap;
    const int Height = std::max(MinClientHeight, Layout.ButtonsTop + OkSize.height() + Gap);
    Layout.Client = QSize(Width, Height);
    return Layout;
}

QPoint TFormDialog::CentredPosition(const QRect &Around, QSize Box)
{
    return QPoint(Around.left() + (Around.width() - Box.width()) / 2,
                  Around.top() + (Around.height() - Box.height()) / 2);
}

QSize TFormDialog::MessageSize(const QFont &Font, const QString &Msg)
{
    return QFontMetrics(Font).size(Qt::TextExpandTabs, MessageText(Msg));
}

QSize TFormDialog::MessageRoom(QSize Screen)
{
    return QSize(std::max(1, Screen.width() - FrameAllowance.width() - MessagePos.x() - Gap),
                 std::max(1, Screen.height() - FrameAllowance.height() - MessagePos.y() - Gap - OkSize.height() - Gap));
}

QString TFormDialog::FittedMessage(const QFont &Font, const QString &Msg, QSize Room)
{
    const QFontMetrics Metrics(Font);
    const int Width = std::max(1, Room.width());
    // Lines are stacked as the label stacks them, which is not always the font's line spacing.
    const int OneLine = Metrics.size(Qt::TextExpandTabs, QStringLiteral("X")).height();
    const int Step = std::max(1, Metrics.size(Qt::TextExpandTabs, QStringLiteral("X\nX")).height() - OneLine);
    const int MaxLines = std::max(1, 1 + (Room.height() - OneLine) / Step);
    const auto LineWidth = [&](const QString &Line) { return Metrics.size(Qt::TextExpandTabs, Line).width(); };
    // No character is narrower than a pixel: beyond this many, nothing could be shown.
    const qsizetype MaxChars = qsizetype(MaxLines) * (Width + 1);
    const bool Cut = Msg.size() > MaxChars;
    const QStringList Paragraphs = MessageText(Cut ? Msg.left(MaxChars) : Msg).split(QLatin1Char('\n'));

    QStringList Lines;
    for (const QString &Paragraph : Paragraphs) {
        if (Lines.size() > MaxLines)
            break;
        if (LineWidth(Paragraph) <= Width) {
            Lines.append(Paragraph);
            continue;
        }
        QTextLayout Layout(Paragraph, Font);
        QTextOption Option;
        Option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        Layout.setTextOption(Option);
        Layout.beginLayout();
        for (QTextLine Line = Layout.createLine(); Line.isValid() && Lines.size() <= MaxLines;
             Line = Layout.createLine()) {
            Line.setLineWidth(Width);
            Lines.append(WithoutTrailingBlanks(Paragraph.mid(Line.textStart(), Line.textLength())));
        }
        Layout.endLayout();
    }

    const bool Overflow = Lines.size() > MaxLines;
    if (Overflow)
        Lines = Lines.mid(0, MaxLines);
    if (Overflow || Cut)
        Lines.last() = Metrics.elidedText(Lines.last() + Ellipsis, Qt::ElideRight, Width);
    // The layout and the label measure alike but for tabs: a line that still overflows is cut.
    for (QString &Line : Lines) {
        if (LineWidth(Line) > Width)
            Line = Metrics.elidedText(Line, Qt::ElideRight, Width);
    }
    return Lines.join(QLatin1Char('\n'));
}

QPoint TFormDialog::KeptOnScreen(QPoint Pos, QSize Box, const QRect &Screen)
{
    const int Left = std::max(std::min(Pos.x(), Screen.left() + Screen.width() - Box.width()), Screen.left());
    const int Top = std::max(std::min(Pos.y(), Screen.top() + Screen.height() - Box.height()), Screen.top());
    return QPoint(Left, Top);
}

void TFormDialog::SetColor(TColor Color)
{
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, TColorToQColor(Color));
    setPalette(Palette);
}

void TFormDialog::SetFont(const QString &Name, int Size, TColor Color)
{
    WrapPlain("[TFormDialog.SetFont] ", [&] {
        QFont Font(Name);
        if (Size > 0)
            Font.setPointSize(Size);
        ApplyFont(Font, Color);
    });
}

void TFormDialog::ApplyFont(const QFont &Font, TColor Color)
{
    setFont(Font);
    QPalette Palette = palette();
    Palette.setColor(QPalette::WindowText, TColorToQColor(Color));
    setPalette(Palette);
    for (TSevenButton *Button : {BtOk, BtYes, BtNo}) {
        Button->setFont(Font);
        Button->SetFontColor(Color);
        SetStateFonts(Button, Font, Color);
    }
}

void TFormDialog::FormShow()
{
    // The focused button is the active one: Enter and the space bar answer with it.
    if (!BtYes->isHidden())
        BtYes->setFocus();
    else
        BtOk->setFocus();
}

void TFormDialog::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    FormShow();
}

void TFormDialog::reject()
{
    done(mrCancel);
}

bool TFormDialog::eventFilter(QObject *Watched, QEvent *Event)
{
    if (ApplicationEvents1Message(Event))
        return true;
    return QDialog::eventFilter(Watched, Event);
}

bool TFormDialog::ApplicationEvents1Message(QEvent *Event)
{
    if (Event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(Event)->key() != Qt::Key_Escape)
        return false;
    // While the box is closed the result is without effect: the next showing starts from
    // no result.
    setResult(mrCancel);
    if (!isVisible() || !isModal())
        return false;
    done(mrCancel);
    return true;
}

void TDialogTest::QueueAnswers(std::initializer_list<int> Answers)
{
    Record.Answers.insert(Record.Answers.end(), Answers);
}

void TDialogTest::Reset()
{
    Record.Answers.clear();
    Record.LastMessage.clear();
    Record.LastKind = dtAlert;
    Record.LastButtons = dbAuto;
    Record.ShowCount = 0;
}

TDialogTest::TUnanswered TDialogTest::SetUnansweredHandler(TUnanswered Handler)
{
    return std::exchange(Record.Unanswered, std::move(Handler));
}

TDialogTest::TRealBox::TRealBox() : FPrevious(SetUnansweredHandler({})) {}

TDialogTest::TRealBox::~TRealBox()
{
    SetUnansweredHandler(std::move(FPrevious));
}

bool TDialogTest::AnswersLeft()
{
    return !Record.Answers.empty();
}

int TDialogTest::ShowCount()
{
    return Record.ShowCount;
}

QString TDialogTest::LastMessage()
{
    return Record.LastMessage;
}

TDialogType TDialogTest::LastKind()
{
    return Record.LastKind;
}

TDialogButtons TDialogTest::LastButtons()
{
    return Record.LastButtons;
}
