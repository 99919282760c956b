// The program's fixed colours, written once. Colours are "#RRGGBB" texts converted by
// KVXHtmlToColor where they are drawn.
#pragma once

#include "KVXGraphics.h"

// Number of colours in Palette.
inline constexpr int PaletteCount = 9;

// The colours that TColorRotation hands out in turn to day rows and shelf rows.
inline constexpr const char *Palette[PaletteCount] = {"#6C3288", "#3D468A", "#3E7D66", "#D88A4C", "#E1AF44",
                                                      "#BD5543", "#BB2A7C", "#859BC0", "#982453"};

// Background of an input field while it has the focus (a pale green).
inline constexpr const char *FocusTint = "#EBFDD7";
// Background of an input field without the focus.
inline constexpr TColor NoFocusColor = clWhite;
