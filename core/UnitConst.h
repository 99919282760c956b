// The program's fixed colours and font names, written once as values: nothing parses a
// colour text where it paints.
#pragma once

#include "KVXGraphics.h"

// A colour written as the web writes it, 0xRRGGBB.
constexpr TColor RgbColor(unsigned Rgb)
{
    return RGBToColor(int((Rgb >> 16) & 0xFF), int((Rgb >> 8) & 0xFF), int(Rgb & 0xFF));
}

// The font families of the layouts (substituted by metric-compatible free fonts at start-up).
inline constexpr const char *FontArial = "Arial";
inline constexpr const char *FontVerdana = "Verdana";
inline constexpr const char *FontCalibri = "Calibri";

// Number of colours in Palette.
inline constexpr int PaletteCount = 9;

// The colours that TColorRotation hands out in turn to day rows and shelf rows.
inline constexpr TColor Palette[PaletteCount] = {RgbColor(0x6C3288), RgbColor(0x3D468A), RgbColor(0x3E7D66),
                                                 RgbColor(0xD88A4C), RgbColor(0xE1AF44), RgbColor(0xBD5543),
                                                 RgbColor(0xBB2A7C), RgbColor(0x859BC0), RgbColor(0x982453)};

// Background of an input field while it has the focus (a pale green).
inline constexpr TColor FocusTint = RgbColor(0xEBFDD7);
// Background of an input field without the focus.
inline constexpr TColor NoFocusColor = clWhite;

// The menu grid of the main window.
// Dish-type block of a recipe row, by dish type: entrée, plat, dessert, boisson.
inline constexpr int TypeColorCount = 4;
inline constexpr TColor TypeColors[TypeColorCount] = {RgbColor(0x83A99A), RgbColor(0x888CB2), RgbColor(0xCE7DAB),
                                                      RgbColor(0xCE958B)};
// Texts drawn on a coloured block: the day header and the dish type.
inline constexpr TColor GridLightTextColor = RgbColor(0xFFFFFF);
// The meal header's lines and name, and the recipe's name.
inline constexpr TColor GridDarkTextColor = RgbColor(0x000000);
// Persons planned in the menu.
inline constexpr TColor GridMenuPersColor = RgbColor(0x800000);
// Description, information line and cookbook of a recipe; also the captions of the panels.
inline constexpr TColor GridInfoColor = RgbColor(0x666966);
// The "Page web" link.
inline constexpr TColor GridLinkColor = RgbColor(0x3F709F);
// The 1-pixel lines between rows.
inline constexpr TColor GridLineColor = clSilver;
// The hints of every window (italic lines that say what to do).
inline constexpr TColor WindowHintColor = RgbColor(0x00509F);
// The label of an input that must be filled.
inline constexpr TColor RequiredLabelColor = RgbColor(0xC00000);
// The grey one-pixel lines between panels.
inline constexpr TColor GreyLineColor = clGray;

// The table lists: the header row, and every second data row (the others are white).
inline constexpr TColor ListHeaderColor = RgbColor(0xF0F0F0);
inline constexpr TColor ListEvenRowColor = RgbColor(0xFDFBE5);

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
// Persons of a menu line when the typed count is no whole number of at least 1.
inline constexpr int DefaultPersons = 2;
// The longest recipe name the recipe editor accepts.
inline constexpr int RecetteNameMaxLength = 128;
