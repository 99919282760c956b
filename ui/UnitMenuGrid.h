// The rows of the main window's menu grid: a day header, a meal header, or a recipe with its
// description, information line, link and cookbook. Heights, rectangles and texts come from
// the plain functions below, which the painting and the pointer's hot zone both use.
#pragma once

#include "UnitLines.h"

#include <QFont>
#include <QLine>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class TRecetteList;

// The eight row icons, in the order of the main window's fields.
enum TGridIcon : quint8
{
    giNbPers,
    giNbPersMenu,
    giTPrep,
    giTCuisson,
    giTRepos,
    giLivre,
    giLink,
    giSaison,
    giCount
};
using TGridIcons = std::array<QPixmap, giCount>;

// Resource name and size of each icon.
struct TGridIconResource
{
    const char *Name;
    int Width;
    int Height;
};
inline constexpr TGridIconResource GridIconResources[giCount] = {
    {"imgnbpers", 16, 16}, {"imgnbpersmenu", 24, 16}, {"imgtprep", 16, 16}, {"imgtcuisson", 16, 19},
    {"imgtrepos", 16, 16}, {"imglivre", 16, 16},      {"imglink", 16, 16},  {"imgsaison", 16, 16}};

// Fonts of the rows (Calibri, sizes in points).
QFont GridDayFont();   // 16 bold
QFont GridRepasFont(); // 12 bold
QFont GridTypeFont();  // 10 bold
QFont GridNameFont();  // 16 bold
QFont GridPersFont();  // 16
QFont GridDescFont();  // 10
QFont GridInfoFont();  // 12
QFont GridLinkFont();  // 12 underlined

inline constexpr int DayRowHeight = 25;
inline constexpr int RepasRowHeight = 15;
// A recipe row before its description and third line are counted.
inline constexpr int RecetteBaseHeight = 50;

// 55, 85 with a description, 80 with a link or a cookbook, 110 with both.
int RecetteRowHeight(const TLineRecette &Recette);
// The height of line Index of Menu, by its kind.
int MenuRowHeight(const TRecetteList &Menu, int Index);

// In the functions below, Row is the row's rectangle in the grid: its left L and top T,
// its right edge R = left + width and its bottom edge B = top + height. Every x is measured
// from L.

// Day header: the capitalised long date ("Samedi 5 octobre"), centred in the whole row.
QString DayRowText(const TLineDate &Day);

// Meal header: two 2-pixel lines leaving 70 pixels in the middle for the meal's name.
struct TRepasRowGeometry
{
    QLine LeftLine;
    QLine RightLine;
    QString Text; // "MIDI", "SOIR"
};
TRepasRowGeometry RepasRowGeometry(const TLineRepas &Repas, const QRect &Row);

// One icon with its text, the text on one line from TextPos to the row's right edge.
struct TGridIconText
{
    TGridIcon Icon = giNbPers;
    QPoint IconPos;
    QPoint TextPos;
    QString Text;
};

struct TRecetteRowGeometry
{
    int Height = 0;
    // Dish-type block and its lower-case name ("entrée").
    QRect TypeRect;
    QString TypeText;
    // The recipe's name, as it is ("&" included).
    QPoint NamePos;
    QString Name;
    // Persons planned in the menu: one digit from R - 18, more digits right-aligned where one
    // digit ends, the icon 27 pixels left of the number.
    QPoint MenuPersIconPos;
    QPoint MenuPersPos;
    QString MenuPersText;
    // Word-wrapped description; an empty rectangle when there is none.
    QRect DescriptionRect;
    // Top of the information line and its five items: persons, preparation, cooking, rest
    // and season.
    int InfoTop = 0;
    std::vector<TGridIconText> Info;
    // Third line: "Page web" and the cookbook, each present or not.
    bool HasLink = false;
    TGridIconText Link;
    bool HasLivre = false;
    TGridIconText Livre;
};
TRecetteRowGeometry RecetteRowGeometry(const TLineRecette &Recette, const QRect &Row);

// "Livre : Cuisine facile", or with a page "Livre : (12) Cuisine facile".
QString LivreText(const TLineRecette &Recette);
// The caption of the link, ended by an ellipsis when it must fit in Width pixels.
QString LinkCaption(int Width);
// Width of the "Page web" link's hot zone, from the left of its text.
inline constexpr int LinkHotWidth = 63;
// Whether P lies on the "Page web" link of Recette drawn in Row: from the link text's left
// (L + 25) over LinkHotWidth pixels, and from B - 20 to B - 5, all bounds included. Never
// true for a recipe without a link.
bool InLinkHotZone(const TLineRecette &Recette, const QRect &Row, const QPoint &P);

// Draws line Index of Menu in Row: its colour, then the row of its kind.
void PaintMenuRow(QPainter &Painter, const TRecetteList &Menu, int Index, const QRect &Row, const TGridIcons &Icons);
