// What every window needs to turn the program's colours, fonts and pictures into Qt's:
// colour conversion, the system colours read from the application palette, the font
// substitutions and the pictures compiled into the program.
#pragma once

#include "KVXGraphics.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <cstdint>

// Horizontal alignment of a caption or a picture: 0 left, 1 right, 2 centre.
enum TAlignment : std::uint8_t
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

// A font together with the colour its text is drawn in, the way the controls keep them.
struct TFont
{
    QFont Font;
    TColor Color = clWindowText;
};

// The colour as Qt paints it; a system colour is resolved first, clNone is transparent.
QColor TColorToQColor(TColor Color);
// The red, green and blue of a Qt colour (its alpha dropped).
TColor QColorToTColor(const QColor &Color);

// Resolves the system colours (clBtnFace, clWindow, clGrayText, ...) through the
// application palette from now on. Called once at start-up, after the application exists.
void InstallSystemColors();

// Replaces the fonts the windows are laid out with by metric-compatible free fonts:
// Calibri by Carlito, Verdana by DejaVu Sans, Arial by Liberation Sans.
void InstallFontSubstitutions();
// The family to ask for in place of Family: its free replacement when Family is one of the
// layouts' families and is not installed, else Family itself. For a missing family Qt asks
// fontconfig for its whole fallback list before it even tries the substitution, a costly
// search on the way to the first window; asking for the installed family chooses the same
// font without it.
QString InstalledFamily(const QString &Family);

// The picture compiled in under Name (found without regard to case), drawn at Size; an SVG
// drawing is rendered at that size, any other picture is scaled to it. An empty Size keeps
// the picture's own size. Raises Exception when no picture has that name.
QPixmap LoadResourcePicture(const QString &Name, QSize Size);
