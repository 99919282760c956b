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

// The menu grid of the main window.
// Dish-type block of a recipe row, by dish type: entrée, plat, dessert, boisson.
inline constexpr int TypeColorCount = 4;
inline constexpr const char *TypeColors[TypeColorCount] = {"#83A99A", "#888CB2", "#CE7DAB", "#CE958B"};
// Texts drawn on a coloured block: the day header and the dish type.
inline constexpr const char *GridLightTextColor = "#FFFFFF";
// The meal header's lines and name, and the recipe's name.
inline constexpr const char *GridDarkTextColor = "#000000";
// Persons planned in the menu.
inline constexpr const char *GridMenuPersColor = "#800000";
// Description, information line and cookbook of a recipe; also the captions of the panels.
inline constexpr const char *GridInfoColor = "#666966";
// The "Page web" link.
inline constexpr const char *GridLinkColor = "#3F709F";
// The 1-pixel lines between rows.
inline constexpr TColor GridLineColor = clSilver;

// The program's integers, named once.
// Modal results of the windows and the message box.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
// Meals of the menu.
inline constexpr int RepasMidi = 1;
inline constexpr int RepasSoir = 2;
// Dish types of a recipe.
inline constexpr int TypeEntree = 0;
inline constexpr int TypePlat = 1;
inline constexpr int TypeDessert = 2;
inline constexpr int TypeBoisson = 3;
