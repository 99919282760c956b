// The push button of every window: it draws itself (gradient, border, picture, caption) with
// a look of its own in five states, and carries the behaviour of a dialog button (modal
// result, default and cancel buttons, accelerator).
#pragma once

#include "KVXGraphics.h"
#include "UnitGraphicsQt.h"

#include <QPixmap>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TSevenButton;

enum TSevenButtonState : std::uint8_t
{
    sbsNormal,
    sbsHot,
    sbsDown,
    sbsFocused,
    sbsDisabled
};

// Border width of one state: 1 to 10 pixels.
using TSevenButtonBorderWidth = std::uint8_t;

// Border colour and width per state. ColorNormal and WidthNormal repaint the button at once;
// the others show at the next repaint.
class TSevenButtonBorder
{
public:
    explicit TSevenButtonBorder(TSevenButton *AButton);

    TColor ColorNormal() const { return FColorNormal; }
    TColor ColorHot() const { return FColorHot; }
    TColor ColorDown() const { return FColorDown; }
    TColor ColorDisabled() const { return FColorDisabled; }
    TColor ColorFocused() const { return FColorFocused; }
    TSevenButtonBorderWidth WidthNormal() const { return FWidthNormal; }
    TSevenButtonBorderWidth WidthHot() const { return FWidthHot; }
    TSevenButtonBorderWidth WidthDown() const { return FWidthDown; }
    TSevenButtonBorderWidth WidthDisabled() const { return FWidthDisabled; }
    TSevenButtonBorderWidth WidthFocused() const { return FWidthFocused; }

    void SetColorNormal(TColor Value);
    void SetColorHot(TColor Value) { FColorHot = Value; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    void SetColorDisabled(TColor Value) { FColorDisabled = Value; }
    void SetColorFocused(TColor Value) { FColorFocused = Value; }
    void SetWidthNormal(int Value);
    void SetWidthHot(int Value) { FWidthHot = Clamp(Value); }
    void SetWidthDown(int Value) { FWidthDown = Clamp(Value); }
    void SetWidthDisabled(int Value) { FWidthDisabled = Clamp(Value); }
    void SetWidthFocused(int Value) { FWidthFocused = Clamp(Value); }

    TSevenButton *const Button;

private:
    static TSevenButtonBorderWidth Clamp(int Value);

    TColor FColorNormal;
    TColor FColorHot;
    TColor FColorDown;
    TColor FColorDisabled;
    TColor FColorFocused;
    TSevenButtonBorderWidth FWidthNormal = 1;
    TSevenButtonBorderWidth FWidthHot = 1;
    TSevenButtonBorderWidth FWidthDown = 1;
    TSevenButtonBorderWidth FWidthDisabled = 1;
    TSevenButtonBorderWidth FWidthFocused = 1;
};

// Gradient colours per state: "From" at the top, "To" at the bottom. The normal pair repaints
// the button at once; the others show at the next repaint.
class TSevenButtonColors
{
public:
    explicit TSevenButtonColors(TSevenButton *AButton);

    TColor ColorNormalFrom() const { return FColorNormalFrom; }
    TColor ColorNormalTo() const { return FColorNormalTo; }
    TColor ColorHotFrom() const { return FColorHotFrom; }
    TColor ColorHotTo() const { return FColorHotTo; }
    TColor ColorDownFrom() const { return FColorDownFrom; }
    TColor ColorDownTo() const { return FColorDownTo; }
    TColor ColorDisabledFrom() const { return FColorDisabledFrom; }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    TColor ColorFocusedFrom() const { return FColorFocusedFrom; }
    TColor ColorFocusedTo() const { return FColorFocusedTo; }

    void SetColorNormalFrom(TColor Value);
    void SetColorNormalTo(TColor Value);
    void SetColorHotFrom(TColor Value) { FColorHotFrom = Value; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    void SetColorDownFrom(TColor Value) { FColorDownFrom = Value; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    void SetColorDisabledFrom(TColor Value) { FColorDisabledFrom = Value; }
    void SetColorDisabledTo(TColor Value) { FColorDisabledTo = Value; }
    void SetColorFocusedFrom(TColor Value) { FColorFocusedFrom = Value; }
    void SetColorFocusedTo(TColor Value) { FColorFocusedTo = Value; }

    TSevenButton *const Button;

private:
    TColor FColorNormalFrom;
    TColor FColorNormalTo;
    TColor FColorHotFrom;
    TColor FColorHotTo;
    TColor FColorDownFrom;
    TColor FColorDownTo;
    TColor FColorDisabledFrom;
    TColor FColorDisabledTo;
    TColor FColorFocusedFrom;
    TColor FColorFocusedTo;
};

// Caption fonts of the states other than normal (the normal state uses the button's own
// font and FontColor). A state font the window never set follows the button's own font, in
// FontColor (the grey text colour when disabled), so that a bold or larger caption keeps its
// look under the mouse. Plain stores: they show at the next repaint.
class TSevenButtonFonts
{
public:
    explicit TSevenButtonFonts(TSevenButton *AButton);

    TFont FontHot() const;
    TFont FontDown() const;
    TFont FontDisabled() const;
    TFont FontFocused() const;
    void SetFontHot(const TFont &Value) { FFontHot = Value; }
    void SetFontDown(const TFont &Value) { FFontDown = Value; }
    void SetFontDisabled(const TFont &Value) { FFontDisabled = Value; }
    void SetFontFocused(const TFont &Value) { FFontFocused = Value; }

    TSevenButton *const Button;

private:
    TFont OwnFont(TColor Color) const;

    std::optional<TFont> FFontHot;
    std::optional<TFont> FFontDown;
    std::optional<TFont> FFontDisabled;
    std::optional<TFont> FFontFocused;
};

// A picture per state and where it goes. PictureNormal, Alignment and Transparent repaint the
// button at once; the other pictures show at the next repaint. An empty state picture
// leaves the normal one in its place.
class TSevenButtonPictures
{
public:
    explicit TSevenButtonPictures(TSevenButton *AButton);

    // taLeftJustify or taRightJustify.
    TAlignment Alignment() const { return FAlignment; }
    // A picture without an alpha channel is drawn with the colour of its bottom-left pixel
    // left out.
    bool Transparent() const { return FTransparent; }
    const QPixmap &PictureNormal() const { return FPictureNormal; }
    const QPixmap &PictureHot() const { return FPictureHot; }
    const QPixmap &PictureDown() const { return FPictureDown; }
    const QPixmap &PictureDisabled() const { return FPictureDisabled; }
    const QPixmap &PictureFocused() const { return FPictureFocused; }

    void SetAlignment(TAlignment Value);
    void SetTransparent(bool Value);
    void SetPictureNormal(const QPixmap &Value);
    void SetPictureHot(const QPixmap &Value) { FPictureHot = Value; }
    void SetPictureDown(const QPixmap &Value) { FPictureDown = Value; }
    void SetPictureDisabled(const QPixmap &Value) { FPictureDisabled = Value; }
    void SetPictureFocused(const QPixmap &Value) { FPictureFocused = Value; }

    TSevenButton *const Button;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FTransparent = false;
    QPixmap FPictureNormal;
    QPixmap FPictureHot;
    QPixmap FPictureDown;
    QPixmap FPictureDisabled;
    QPixmap FPictureFocused;
};

// What one paint uses: the look of the current state.
struct TSevenButtonLook
{
    TColor BorderColor = clBlack;
    int BorderWidth = 1;
    TColor ColorFrom = clWhite;
    TColor ColorTo = clWhite;
    TFont Font;
    QPixmap Picture;
};

// One horizontal line of the gradient: its row and its red-green-blue colour.
struct TGradientRow
{
    int Y = 0;
    TColor Color = clBlack;
};

// The four outer corner pixels (which take the button's own colour) and the four pixels
// inside them (which take the border colour), so that each corner is cut by one pixel.
struct TCornerPixels
{
    std::array<QPoint, 4> Outer;
    std::array<QPoint, 4> Inner;
};

// Everything one paint draws, in the order it is drawn.
struct TSevenButtonGeometry
{
    QRect GradientRect;
    std::vector<TGradientRow> Gradient;
    bool PictureDrawn = false;
    QPoint PicturePos;
    std::vector<QPolygon> BorderOutlines;
    TCornerPixels Corners;
    QRect CaptionRect;
};

class TSevenButton : public QWidget
{
    Q_OBJECT

public:
    // A button of 85 by 24 pixels with the standard look of every state.
    explicit TSevenButton(QWidget *Parent = nullptr);
    ~TSevenButton() override;

    TSevenButtonBorder *Border() const { return FBorder.get(); }
    TSevenButtonColors *Colors() const { return FColors.get(); }
    TSevenButtonFonts *Fonts() const { return FFonts.get(); }
    TSevenButtonPictures *Pictures() const { return FPictures.get(); }

    TSevenButtonState State() const { return FState; }

    QString Caption() const { return FCaption; }
    // An "&" underlines the next character, which Alt clicks; "&&" shows one "&".
    void SetCaption(const QString &Value);

    // Colour of the caption in the normal state (the font is the widget's own).
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    // Copied to the button's window, when it is a dialog, on each click (0 included); a
    // dialog shown modally then closes with it unless it is 0.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    // The button that Enter clicks: the focused button, or the default button while the
    // focus is on a control that is not a button.
    bool Active() const { return FActive; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape clicks the cancel buttons of the window.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int Marging() const { return FMarging; }
    void SetMarging(int Value);

    // In the tab order; a button out of it still takes the focus when clicked.
    bool TabStop() const;
    void SetTabStop(bool Value);

    // Visible and enabled, its parents included.
    bool CanFocus() const;

    // Sets the window's modal result, then emits clicked().
    virtual void Click();

    // The look of the current state: the normal look where a state has no picture of its own.
    TSevenButtonLook ChooseLook() const;
    // What the paint of the current state draws, for the button's current size.
    TSevenButtonGeometry Geometry() const;

    // The gradient rows over the rows Top to Bottom (excluded): 256 steps, a row drawn by
    // the first step that reaches it. Both colours are resolved to red, green and blue.
    static std::vector<TGradientRow> GradientRows(int Top, int Bottom, TColor From, TColor To);
    // BorderWidth nested closed outlines, the outermost first, each as its five corner points.
    static std::vector<QPolygon> BorderOutlines(int Width, int Height, int BorderWidth);
    static TCornerPixels CornerPixels(int Width, int Height, int BorderWidth);
    // Top-left corner of a picture of PictureSize, placed at the left or right margin and
    // centred vertically.
    static QPoint PicturePlace(QSize ButtonSize, QSize PictureSize, TAlignment PictureAlignment, int BorderWidthNormal,
                               int Marging);
    // The rectangle the caption is aligned in. PictureX and PictureWidth only count when
    // PictureDrawn and the caption is not centred.
    static QRect CaptionRect(QSize ButtonSize, int BorderWidth, TAlignment Alignment, int BorderWidthNormal,
                             int Marging, int Spacing, bool PictureDrawn, TAlignment PictureAlignment, int PictureX,
                             int PictureWidth);
    // The caption's accelerator: the character after the first single "&", or a null QChar.
    static QChar Accelerator(const QString &Caption);

    QSize sizeHint() const override { return QSize(85, 24); }

signals:
    void clicked();

protected:
    bool event(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void showEvent(QShowEvent *Event) override;
    void hideEvent(QHideEvent *Event) override;

private:
    friend class TSevenButtonBorder;
    friend class TSevenButtonColors;
    friend class TSevenButtonPictures;

    void SetState(TSevenButtonState Value);
    // The state from what is true now, the pointer left aside: enabled, then the focus. No
    // leave event reaches a button hidden under the pointer, so showing and hiding ask again.
    void UpdateState();
    void FormFocusChanged(QWidget *Now);
    void WatchWindowKeys();
    void UpdateAccelerator();
    void PaintButton(QPainter &Painter) const;

    std::unique_ptr<TSevenButtonBorder> FBorder;
    TSevenButtonState FState = sbsNormal;
    std::unique_ptr<TSevenButtonColors> FColors;
    std::unique_ptr<TSevenButtonFonts> FFonts;
    int FModalResult = 0;
    bool FActive = false;
    bool FDefault = false;
    bool FCancel = false;
    TAlignment FAlignment = taCenter;
    std::unique_ptr<TSevenButtonPictures> FPictures;
    int FSpacing = 5;
    int FMarging = 5;

    QString FCaption;
    TColor FFontColor = clWindowText;
    // Left button pressed over the button and not yet released: its release clicks.
    bool FClicked = false;
    int FShortcutId = 0;
};
