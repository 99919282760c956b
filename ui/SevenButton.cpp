#include "SevenButton.h"

#include "UnitConst.h"
#include "UnitLook.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

#include <algorithm>

namespace {

// Name of the key watcher a window gets with its first button.
const char *const WindowKeysName = "SevenButtonWindowKeys";

// Enter and Escape reach the window when the focused control leaves them unused; the
// window's active button (Enter) or cancel buttons (Escape) then click. Installed once per
// window and owned by it.
class TSevenButtonWindowKeys : public QObject
{
public:
    explicit TSevenButtonWindowKeys(QWidget *Window) : QObject(Window) { setObjectName(QLatin1String(WindowKeysName)); }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Watched != parent() || Event->type() != QEvent::KeyPress)
            return false;
        const auto *Key = static_cast<QKeyEvent *>(Event);
        if (Key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
            return false;
        const bool Enter = Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
        const bool Escape = Key->key() == Qt::Key_Escape;
        if (!Enter && !Escape)
            return false;

        auto *Window = static_cast<QWidget *>(parent());
        QList<QPointer<TSevenButton>> Targets;
        const QList<TSevenButton *> Buttons = Window->findChildren<TSevenButton *>();
        for (TSevenButton *Button : Buttons) {
            if (Button->window() == Window && Button->CanFocus() && (Enter ? Button->Active() : Button->Cancel()))
                Targets.append(Button);
        }
        // A click may close or even destroy the window: nothing of it is read after the clicks.
        for (const QPointer<TSevenButton> &Button : std::as_const(Targets)) {
            if (Button)
                Button->Click();
        }
        // Once a button has answered the key, a dialog must not also take it as its own
        // accept or reject.
        return !Targets.isEmpty();
    }
};

} // namespace

// ---------------------------------------------------------------------------------------
// Sub-objects
// ---------------------------------------------------------------------------------------

TSevenButtonBorder::TSevenButtonBorder(TSevenButton *AButton)
    : Button(AButton), FColorNormal(RgbColor(0x707070)), FColorHot(RgbColor(0x3C7FB1)), FColorDown(RgbColor(0x2C628B)),
      FColorDisabled(RgbColor(0xADB2B5)), FColorFocused(RgbColor(0x3C7FB1))
{
}

TSevenButtonBorderWidth TSevenButtonBorder::Clamp(int Value)
{
    return static_cast<TSevenButtonBorderWidth>(std::clamp(Value, 1, 10));
}

void TSevenButtonBorder::SetColorNormal(TColor Value)
{
    FColorNormal = Value;
    Button->update();
}

void TSevenButtonBorder::SetWidthNormal(int Value)
{
    FWidthNormal = Clamp(Value);
    Button->update();
}

TSevenButtonColors::TSevenButtonColors(TSevenButton *AButton)
    : Button(AButton), FColorNormalFrom(RgbColor(0xFCFCFC)), FColorNormalTo(RgbColor(0xCFCFCF)),
      FColorHotFrom(RgbColor(0xFCFCFC)), FColorHotTo(RgbColor(0xA7D9F5)), FColorDownFrom(RgbColor(0xFCFCFC)),
      FColorDownTo(RgbColor(0x68B3DB)), FColorDisabledFrom(RgbColor(0xF4F4F4)), FColorDisabledTo(RgbColor(0xF4F4F4)),
      FColorFocusedFrom(RgbColor(0xFCFCFC)), FColorFocusedTo(RgbColor(0xCFCFCF))
{
}

void TSevenButtonColors::SetColorNormalFrom(TColor Value)
{
    FColorNormalFrom = Value;
    Button->update();
}

void TSevenButtonColors::SetColorNormalTo(TColor Value)
{
    FColorNormalTo = Value;
    Button->update();
}

TSevenButtonFonts::TSevenButtonFonts(TSevenButton *AButton) : Button(AButton) {}

TFont TSevenButtonFonts::OwnFont(TColor Color) const
{
    return {Button->font(), Color};
}

TFont TSevenButtonFonts::FontHot() const
{
    return FFontHot.value_or(OwnFont(Button->FontColor()));
}

TFont TSevenButtonFonts::FontDown() const
{
    return FFontDown.value_or(OwnFont(Button->FontColor()));
}

TFont TSevenButtonFonts::FontDisabled() const
{
    return FFontDisabled.value_or(OwnFont(clGrayText));
}

TFont TSevenButtonFonts::FontFocused() const
{
    return FFontFocused.value_or(OwnFont(Button->FontColor()));
}

TSevenButtonPictures::TSevenButtonPictures(TSevenButton *AButton) : Button(AButton) {}

void TSevenButtonPictures::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Button->update();
}

void TSevenButtonPictures::SetTransparent(bool Value)
{
    FTransparent = Value;
    Button->update();
}

void TSevenButtonPictures::SetPictureNormal(const QPixmap &Value)
{
    FPictureNormal = Value;
    Button->update();
}

// ---------------------------------------------------------------------------------------
// The button
// ---------------------------------------------------------------------------------------

TSevenButton::TSevenButton(QWidget *Parent)
    : QWidget(Parent), FBorder(std::make_unique<TSevenButtonBorder>(this)),
      FColors(std::make_unique<TSevenButtonColors>(this)), FFonts(std::make_unique<TSevenButtonFonts>(this)),
      FPictures(std::make_unique<TSevenButtonPictures>(this))
{
    resize(85, 24);
    setFocusPolicy(Qt::StrongFocus);
    // The paint covers every pixel: no background erase, so the button never flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    GuardedConnect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *Now) { FormFocusChanged(Now); });
    if (Parent)
        WatchWindowKeys();
}

TSevenButton::~TSevenButton()
{
    // The base class's destruction may still move the focus: this button must not hear of it.
    QObject::disconnect(qApp, nullptr, this, nullptr);
}

void TSevenButton::SetCaption(const QString &Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    UpdateAccelerator();
    update();
}

void TSevenButton::SetFontColor(TColor Value)
{
    FFontColor = Value;
    update();
}

void TSevenButton::SetDefault(bool Value)
{
    FDefault = Value;
    // Until the focus moves, Enter goes to the default button whenever the focus is not on
    // a button.
    if (!qobject_cast<TSevenButton *>(window()->focusWidget()))
        FActive = Value;
}

void TSevenButton::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    update();
}

void TSevenButton::SetSpacing(int Value)
{
    FSpacing = Value;
    update();
}

void TSevenButton::SetMarging(int Value)
{
    FMarging = Value;
    update();
}

bool TSevenButton::TabStop() const
{
    return (focusPolicy() & Qt::TabFocus) != 0;
}

void TSevenButton::SetTabStop(bool Value)
{
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TSevenButton::CanFocus() const
{
    return isVisible() && isEnabled();
}

void TSevenButton::Click()
{
    QPointer<QDialog> Form = qobject_cast<QDialog *>(window());
    if (Form)
        Form->setResult(FModalResult);
    emit clicked();
    // Like a form's modal result: the dialog closes once the click handler has run, with the
    // result the handler left, and stays open when that result is 0.
    if (Form && Form->result() != mrNone && Form->isModal() && Form->isVisible())
        Form->done(Form->result());
}

void TSevenButton::SetState(TSevenButtonState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    update();
}

void TSevenButton::FormFocusChanged(QWidget *Now)
{
    // Only a move of the focus inside this button's window counts; a window losing the
    // activation keeps its focused control.
    if (!Now || Now->window() != window())
        return;
    const bool HasFocus = Now == this;
    if (HasFocus && FState == sbsNormal)
        SetState(sbsFocused);
    else if (!HasFocus && FState == sbsFocused)
        SetState(sbsNormal);
    if (qobject_cast<TSevenButton *>(Now))
        FActive = HasFocus;
    else
        FActive = FDefault;
}

void TSevenButton::WatchWindowKeys()
{
    QWidget *Window = window();
    if (Window == this || Window->findChild<QObject *>(QLatin1String(WindowKeysName), Qt::FindDirectChildrenOnly))
        return;
    Window->installEventFilter(new TSevenButtonWindowKeys(Window));
}

void TSevenButton::UpdateAccelerator()
{
    if (FShortcutId != 0) {
        releaseShortcut(FShortcutId);
        FShortcutId = 0;
    }
    const QChar Letter = Accelerator(FCaption);
    if (!Letter.isNull())
        FShortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(Letter.toUpper().unicode()))));
}

QChar TSevenButton::Accelerator(const QString &Caption)
{
    for (qsizetype I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption.at(I) != QLatin1Char('&'))
            continue;
        if (Caption.at(I + 1) != QLatin1Char('&'))
            return Caption.at(I + 1);
        ++I;
    }
    return QChar();
}

// ---------------------------------------------------------------------------------------
// Look and geometry
// ---------------------------------------------------------------------------------------

TSevenButtonLook TSevenButton::ChooseLook() const
{
    TSevenButtonLook Look;
    Look.BorderColor = FBorder->ColorNormal();
    Look.BorderWidth = FBorder->WidthNormal();
    Look.ColorFrom = FColors->ColorNormalFrom();
    Look.ColorTo = FColors->ColorNormalTo();
    Look.Font = {font(), FFontColor};
    Look.Picture = FPictures->PictureNormal();

    const QPixmap *Picture = nullptr;
    switch (FState) {
    case sbsNormal:
        break;
    case sbsHot:
        Look.BorderColor = FBorder->ColorHot();
        Look.BorderWidth = FBorder->WidthHot();
        Look.ColorFrom = FColors->ColorHotFrom();
        Look.ColorTo = FColors->ColorHotTo();
        Look.Font = FFonts->FontHot();
        Picture = &FPictures->PictureHot();
        break;
    case sbsDown:
        Look.BorderColor = FBorder->ColorDown();
        Look.BorderWidth = FBorder->WidthDown();
        Look.ColorFrom = FColors->ColorDownFrom();
        Look.ColorTo = FColors->ColorDownTo();
        Look.Font = FFonts->FontDown();
        Picture = &FPictures->PictureDown();
        break;
    case sbsFocused:
        Look.BorderColor = FBorder->ColorFocused();
        Look.BorderWidth = FBorder->WidthFocused();
        Look.ColorFrom = FColors->ColorFocusedFrom();
        Look.ColorTo = FColors->ColorFocusedTo();
        Look.Font = FFonts->FontFocused();
        Picture = &FPictures->PictureFocused();
        break;
    case sbsDisabled:
        Look.BorderColor = FBorder->ColorDisabled();
        Look.BorderWidth = FBorder->WidthDisabled();
        Look.ColorFrom = FColors->ColorDisabledFrom();
        Look.ColorTo = FColors->ColorDisabledTo();
        Look.Font = FFonts->FontDisabled();
        Picture = &FPictures->PictureDisabled();
        break;
    }
    if (Picture && !Picture->isNull())
        Look.Picture = *Picture;
    return Look;
}

TSevenButtonGeometry TSevenButton::Geometry() const
{
    const TSevenButtonLook Look = ChooseLook();
    const int W = width();
    const int H = height();
    const int BW = Look.BorderWidth;

    TSevenButtonGeometry G;
    G.GradientRect = QRect(0, BW, W, H - 2 * BW);
    G.Gradient = GradientRows(BW, H - BW, Look.ColorFrom, Look.ColorTo);
    G.PictureDrawn = !Look.Picture.isNull();
    const QSize PictureSize = Look.Picture.deviceIndependentSize().toSize();
    if (G.PictureDrawn)
        G.PicturePos = PicturePlace(size(), PictureSize, FPictures->Alignment(), FBorder->WidthNormal(), FMarging);
    G.BorderOutlines = BorderOutlines(W, H, BW);
    G.Corners = CornerPixels(W, H, BW);
    G.CaptionRect = CaptionRect(size(), BW, FAlignment, FBorder->WidthNormal(), FMarging, FSpacing, G.PictureDrawn,
                                FPictures->Alignment(), G.PicturePos.x(), PictureSize.width());
    return G;
}

std::vector<TGradientRow> TSevenButton::GradientRows(int Top, int Bottom, TColor From, TColor To)
{
    const TColor F = ColorToRGB(From);
    const TColor T = ColorToRGB(To);
    const int Hgt = Bottom - Top;
    std::vector<TGradientRow> Rows;
    int PreviousY = 0;
    for (int I = 0; I < 256; ++I) {
        const int Y = Top + (I * Hgt) / 256;
        if (I == 0 || Y != PreviousY) {
            const int R = GetRValue(F) + ((GetRValue(T) - GetRValue(F)) * I) / 255;
            const int Gr = GetGValue(F) + ((GetGValue(T) - GetGValue(F)) * I) / 255;
            const int B = GetBValue(F) + ((GetBValue(T) - GetBValue(F)) * I) / 255;
            Rows.push_back({Y, RGBToColor(R, Gr, B)});
        }
        PreviousY = Y;
    }
    return Rows;
}

std::vector<QPolygon> TSevenButton::BorderOutlines(int Width, int Height, int BorderWidth)
{
    std::vector<QPolygon> Outlines;
    for (int K = 1; K <= BorderWidth; ++K) {
        QPolygon Outline;
        Outline << QPoint(K - 1, K - 1) << QPoint(Width - K, K - 1) << QPoint(Width - K, Height - K)
                << QPoint(K - 1, Height - K) << QPoint(K - 1, K - 1);
        Outlines.push_back(Outline);
    }
    return Outlines;
}

TCornerPixels TSevenButton::CornerPixels(int Width, int Height, int BorderWidth)
{
    const int W = Width;
    const int H = Height;
    const int BW = BorderWidth;
    TCornerPixels Corners;
    Corners.Outer = {QPoint(0, 0), QPoint(W - 1, 0), QPoint(0, H - 1), QPoint(W - 1, H - 1)};
    Corners.Inner = {QPoint(BW, BW), QPoint(W - 1 - BW, BW), QPoint(BW, H - 1 - BW), QPoint(W - 1 - BW, H - 1 - BW)};
    return Corners;
}

QPoint TSevenButton::PicturePlace(QSize ButtonSize, QSize PictureSize, TAlignment PictureAlignment,
                                  int BorderWidthNormal, int Marging)
{
    const int X = PictureAlignment == taRightJustify
                      ? ButtonSize.width() - BorderWidthNormal - Marging - PictureSize.width()
                      : BorderWidthNormal + Marging;
    return QPoint(X, (ButtonSize.height() - PictureSize.height()) / 2);
}

QRect TSevenButton::CaptionRect(QSize ButtonSize, int BorderWidth, TAlignment Alignment, int BorderWidthNormal,
                                int Marging, int Spacing, bool PictureDrawn, TAlignment PictureAlignment, int PictureX,
                                int PictureWidth)
{
    int L = 0;
    const int T = BorderWidth;
    int R = ButtonSize.width();
    const int B = ButtonSize.height() - BorderWidth;
    if (Alignment == taLeftJustify)
        L = BorderWidthNormal + Marging;
    else if (Alignment == taRightJustify)
        R = ButtonSize.width() - BorderWidthNormal - Marging;
    if (PictureDrawn && Alignment != taCenter) {
        if (PictureAlignment == taRightJustify)
            R = PictureX - Spacing;
        else
            L = PictureX + PictureWidth + Spacing;
    }
    return QRect(L, T, R - L, B - T);
}

// ---------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------

void TSevenButton::PaintButton(QPainter &Painter) const
{
    const TSevenButtonLook Look = ChooseLook();
    const TSevenButtonGeometry G = Geometry();
    const QColor OwnColor = palette().color(backgroundRole());
    const QColor BorderColor = TColorToQColor(Look.BorderColor);

    for (const TGradientRow &Row : G.Gradient)
        Painter.fillRect(QRect(G.GradientRect.left(), Row.Y, G.GradientRect.width(), 1), TColorToQColor(Row.Color));

    if (G.PictureDrawn) {
        QPixmap Picture = Look.Picture;
        if (FPictures->Transparent() && !Picture.hasAlphaChannel()) {
            const QImage Image = Picture.toImage();
            Picture.setMask(Picture.createMaskFromColor(Image.pixelColor(0, Image.height() - 1)));
        }
        Painter.drawPixmap(G.PicturePos, Picture);
    }

    for (const QPolygon &Outline : G.BorderOutlines) {
        for (int I = 0; I + 1 < Outline.size(); ++I)
            Painter.fillRect(QRect(Outline.at(I), Outline.at(I + 1)).normalized(), BorderColor);
    }

    for (const QPoint &Pixel : G.Corners.Outer)
        Painter.fillRect(QRect(Pixel, QSize(1, 1)), OwnColor);
    for (const QPoint &Pixel : G.Corners.Inner)
        Painter.fillRect(QRect(Pixel, QSize(1, 1)), BorderColor);

    int Flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (FAlignment == taLeftJustify)
        Flags |= Qt::AlignLeft;
    else if (FAlignment == taRightJustify)
        Flags |= Qt::AlignRight;
    else
        Flags |= Qt::AlignHCenter;
    Painter.setFont(Look.Font.Font);
    Painter.setPen(TColorToQColor(Look.Font.Color));
    Painter.drawText(G.CaptionRect, Flags, FCaption);
}

void TSevenButton::paintEvent(QPaintEvent *)
{
    // The whole picture is built off screen and copied in one go.
    const qreal Ratio = devicePixelRatioF();
    QPixmap Buffer(size() * Ratio);
    Buffer.setDevicePixelRatio(Ratio);
    Buffer.fill(palette().color(backgroundRole()));
    {
        QPainter Painter(&Buffer);
        PaintButton(Painter);
    }
    QPainter(this).drawPixmap(0, 0, Buffer);
}

// ---------------------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------------------

bool TSevenButton::event(QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent *>(Event)->shortcutId() == FShortcutId) {
            if (CanFocus())
                Click();
            return true;
        }
        break;
    case QEvent::ParentChange:
        WatchWindowKeys();
        break;
    default:
        break;
    }
    return QWidget::event(Event);
}

void TSevenButton::enterEvent(QEnterEvent *Event)
{
    // A disabled button keeps its disabled look whatever the mouse does.
    if (isEnabled())
        SetState((QGuiApplication::mouseButtons() & Qt::LeftButton) ? sbsDown : sbsHot);
    QWidget::enterEvent(Event);
}

void TSevenButton::leaveEvent(QEvent *Event)
{
    if (CanFocus())
        SetState(hasFocus() && TabStop() ? sbsFocused : sbsNormal);
    QWidget::leaveEvent(Event);
}

void TSevenButton::mousePressEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(Event);
        return;
    }
    FClicked = true;
    SetState(sbsDown);
    Event->accept();
}

void TSevenButton::mouseReleaseEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(Event);
        return;
    }
    const bool Clicked = FClicked;
    FClicked = false;
    if (FState == sbsDown)
        SetState(sbsHot);
    Event->accept();
    if (Clicked && rect().contains(Event->position().toPoint()))
        Click();
}

void TSevenButton::mouseDoubleClickEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(Event);
        return;
    }
    // The second press of a double click clicks at once; its release then does not click
    // again.
    SetState(sbsDown);
    Event->accept();
    Click();
}

void TSevenButton::keyPressEvent(QKeyEvent *Event)
{
    if (Event->key() == Qt::Key_Space && !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Event->accept();
        Click();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TSevenButton::changeEvent(QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::EnabledChange:
        SetState(isEnabled() ? sbsNormal : sbsDisabled);
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(Event);
}

void TSevenButton::showEvent(QShowEvent *Event)
{
    WatchWindowKeys();
    UpdateState();
    QWidget::showEvent(Event);
}

void TSevenButton::hideEvent(QHideEvent *Event)
{
    // A press that the hiding cut short clicks nothing when the button comes back.
    FClicked = false;
    UpdateState();
    QWidget::hideEvent(Event);
}

void TSevenButton::UpdateState()
{
    // Hot and pressed wait for the pointer to enter: a window shown under a resting pointer
    // gets its enter event from the desktop, while a hidden one gets no leave event at all.
    if (!isEnabled())
        SetState(sbsDisabled);
    else
        SetState(hasFocus() ? sbsFocused : sbsNormal);
}
