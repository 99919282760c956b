// Small helpers every window shares: the focus tint of input fields, the mouse position in a
// control, and the fonts of the layouts.
#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

class QWidget;

// An edit box, a combo box, a date picker or a memo (or a class derived from one) gets the
// focus tint when Focused, white otherwise; any other control is left alone.
void SetControlHighlight(QWidget *Control, bool Focused);
// Input gets the focus tint whenever it takes the focus and loses it with the focus, so that
// a window needs no event filter of its own for it.
void TintOnFocus(QWidget *Input);
// Window takes the activation back when a modal window opened while it was active closes,
// so that the keys (Escape among them) reach it again without a click. A desktop's window
// manager does so by itself; a bare X server, or a desktop that activates another window,
// does not.
void KeepActivation(QWidget *Window);
// A persons count typed by the user: a whole number of at least 1, else 2 as for any text
// that is not a number (a count below 1 would put negative quantities on the shopping list).
int PersonsOf(const QString &Text);
// The current mouse position in Control's own coordinates.
void GetMouseClientPos(const QWidget *Control, QPoint &P);

// A font of the layouts given in points (Calibri 16): its pixel size is the one the
// layouts were drawn with at 96 dots per inch, whatever the screen, so that text keeps to
// the rows and panels measured for it.
QFont PointFont(const QString &Family, int Points, bool Bold = false, bool Italic = false, bool Underline = false);
// A font of the layouts given by its character height in pixels (Arial 13 px).
QFont PixelFont(const QString &Family, int Pixels, bool Bold = false, bool Italic = false, bool Underline = false);
