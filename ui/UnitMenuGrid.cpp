#include "UnitMenuGrid.h"

#include "KVXGraphics.h"
#include "SysUtils.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

QFont GridFont(int Points, bool Bold, bool Underline = false)
{
    return PointFont(QLatin1String(FontCalibri), Points, Bold, false, Underline);
}

// Right and bottom edges of a row rectangle, as the layout counts them.
int RightOf(const QRect &R)
{
    return R.left() + R.width();
}

int BottomOf(const QRect &R)
{
    return R.top() + R.height();
}

// A text on one line from (X, Y) to the row's right and bottom edges.
QRect LineRect(int X, int Y, const QRect &Row)
{
    return QRect(X, Y, std::max(0, RightOf(Row) - X), std::max(0, BottomOf(Row) - Y));
}

// Draws Text in Rect with Flags over an opaque background of the colour under it: only the
// extent of the text is filled, as the desktop draws a text with a background.
void DrawText(QPainter &Painter, const QRect &Rect, int Flags, const QString &Text, const QFont &Font,
              const QColor &Color, const QColor &Background)
{
    if (Text.isEmpty() || Rect.isEmpty())
        return;
    Painter.setFont(Font);
    const QRect Used = Painter.boundingRect(Rect, Flags, Text).intersected(Rect);
    Painter.fillRect(Used, Background);
    Painter.setPen(Color);
    Painter.drawText(Rect, Flags, Text);
}

constexpr int OneLineLeft = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
constexpr int OneLineCentred = Qt::AlignCenter | Qt::TextSingleLine;

TGridIconText IconText(TGridIcon Icon, int IconX, int IconY, int TextX, int TextY, const QString &Text)
{
    TGridIconText Item;
    Item.Icon = Icon;
    Item.IconPos = QPoint(IconX, IconY);
    Item.TextPos = QPoint(TextX, TextY);
    Item.Text = Text;
    return Item;
}

void PaintDay(QPainter &Painter, const TLineDate &Day, const QRect &Row, const QColor &Fill)
{
    DrawText(Painter, Row, OneLineCentred, DayRowText(Day), GridDayFont(), TColorToQColor(GridLightTextColor), Fill);
}

void PaintRepas(QPainter &Painter, const TLineRepas &Repas, const QRect &Row, const QColor &Fill)
{
    const TRepasRowGeometry G = RepasRowGeometry(Repas, Row);
    const QColor Dark = TColorToQColor(GridDarkTextColor);
    Painter.setPen(QPen(Dark, 2));
    Painter.drawLine(G.LeftLine);
    Painter.drawLine(G.RightLine);
    DrawText(Painter, Row, OneLineCentred, G.Text, GridRepasFont(), Dark, Fill);
}

void PaintRecette(QPainter &Painter, const TLineRecette &Recette, const QRect &Row, const QColor &Fill,
                  const TGridIcons &Icons)
{
    const TRecetteRowGeometry G = RecetteRowGeometry(Recette, Row);
    const QColor Info = TColorToQColor(GridInfoColor);

    if (Recette.Type_ < TypeColorCount) {
        const QColor TypeColor = TColorToQColor(TypeColors[Recette.Type_]);
        Painter.fillRect(G.TypeRect, TypeColor);
        DrawText(Painter, G.TypeRect, OneLineCentred, G.TypeText, GridTypeFont(), TColorToQColor(GridLightTextColor),
                 TypeColor);
    }
    DrawText(Painter, LineRect(G.NamePos.x(), G.NamePos.y(), Row), OneLineLeft, G.Name, GridNameFont(),
             TColorToQColor(GridDarkTextColor), Fill);
    Painter.drawPixmap(G.MenuPersIconPos, Icons[giNbPersMenu]);
    DrawText(Painter, LineRect(G.MenuPersPos.x(), G.MenuPersPos.y(), Row), OneLineLeft, G.MenuPersText, GridPersFont(),
             TColorToQColor(GridMenuPersColor), Fill);
    if (!G.DescriptionRect.isEmpty())
        DrawText(Painter, G.DescriptionRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Recette.Description,
                 GridDescFont(), Info, Fill);

    for (const TGridIconText &Item : G.Info) {
        Painter.drawPixmap(Item.IconPos, Icons[Item.Icon]);
        DrawText(Painter, LineRect(Item.TextPos.x(), Item.TextPos.y(), Row), OneLineLeft, Item.Text, GridInfoFont(),
                 Info, Fill);
    }
    if (G.HasLink) {
        Painter.drawPixmap(G.Link.IconPos, Icons[giLink]);
        const QRect Rect = LineRect(G.Link.TextPos.x(), G.Link.TextPos.y(), Row);
        DrawText(Painter, Rect, OneLineLeft, LinkCaption(Rect.width()), GridLinkFont(), TColorToQColor(GridLinkColor),
                 Fill);
    }
    if (G.HasLivre) {
        Painter.drawPixmap(G.Livre.IconPos, Icons[giLivre]);
        DrawText(Painter, LineRect(G.Livre.TextPos.x(), G.Livre.TextPos.y(), Row), OneLineLeft, G.Livre.Text,
                 GridInfoFont(), Info, Fill);
    }
}

} // namespace

QFont GridDayFont()
{
    static const QFont Font = GridFont(16, true);
    return Font;
}

QFont GridRepasFont()
{
    static const QFont Font = GridFont(12, true);
    return Font;
}

QFont GridTypeFont()
{
    static const QFont Font = GridFont(10, true);
    return Font;
}

QFont GridNameFont()
{
    static const QFont Font = GridFont(16, true);
    return Font;
}

QFont GridPersFont()
{
    static const QFont Font = GridFont(16, false);
    return Font;
}

QFont GridDescFont()
{
    static const QFont Font = GridFont(10, false);
    return Font;
}

QFont GridInfoFont()
{
    static const QFont Font = GridFont(12, false);
    return Font;
}

QFont GridLinkFont()
{
    static const QFont Font = GridFont(12, false, true);
    return Font;
}

int RecetteRowHeight(const TLineRecette &Recette)
{
    int Height = RecetteBaseHeight + (Recette.Description.isEmpty() ? 5 : 35);
    if (!Recette.Link.isEmpty() || !Recette.LivName.isEmpty())
        Height += 25;
    return Height;
}

int MenuRowHeight(const TRecetteList &Menu, int Index)
{
    switch (Menu.GetLineType(Index)) {
    case TRecetteList::ltDate:
        return DayRowHeight;
    case TRecetteList::ltRepas:
        return RepasRowHeight;
    default:
        return RecetteRowHeight(*Menu.GetRecette(Index));
    }
}

QString DayRowText(const TLineDate &Day)
{
    return DateToLongStr(true, Day.Date);
}

TRepasRowGeometry RepasRowGeometry(const TLineRepas &Repas, const QRect &Row)
{
    const int L = Row.left();
    const int R = RightOf(Row);
    const int Y = Row.top() + RepasRowHeight / 2;
    const int W = (R - 90) / 2;
    TRepasRowGeometry G;
    G.LeftLine = QLine(L + 10, Y, L + 10 + W, Y);
    G.RightLine = QLine(R - 10 - W, Y, R - 10, Y);
    G.Text = UpperCaseAscii(RepasToStr(Repas.Repas, false, false));
    return G;
}

TRecetteRowGeometry RecetteRowGeometry(const TLineRecette &Recette, const QRect &Row)
{
    const int L = Row.left();
    const int T = Row.top();
    const int R = RightOf(Row);
    TRecetteRowGeometry G;
    G.Height = RecetteRowHeight(Recette);
    const int B = T + G.Height;

    G.TypeRect = QRect(QPoint(L, T), QPoint(L + 60 - 1, T + 20 - 1));
    G.TypeText = TypeToStr(Recette.Type_, false);
    G.NamePos = QPoint(L + 70, T);
    G.Name = Recette.Name;
    // One digit starts at R - 18 as laid out; a longer count ends where one digit ends and
    // grows to the left, its icon with it, so that "100" is drawn whole.
    G.MenuPersText = QString::number(Recette.MenuPers);
    const QFontMetrics PersMetrics(GridPersFont());
    const int NumberRight = R - 18 + PersMetrics.horizontalAdvance(QLatin1Char('0'));
    const int NumberLeft = std::min(R - 18, NumberRight - PersMetrics.horizontalAdvance(G.MenuPersText));
    G.MenuPersPos = QPoint(NumberLeft, T);
    G.MenuPersIconPos = QPoint(NumberLeft - 27, T + 4);

    int Y = T + 30;
    if (!Recette.Description.isEmpty()) {
        G.DescriptionRect = QRect(QPoint(L + 5, T + 25), QPoint(R - 1, B - 1));
        Y = T + 60;
    }
    G.InfoTop = Y;
    G.Info = {
        IconText(giNbPers, L + 5, Y + 2, L + 25, Y, QStringLiteral("%1 pers.").arg(Recette.NbPers)),
        IconText(giTPrep, L + 85, Y + 2, L + 105, Y, QStringLiteral("Prép : %1'").arg(Recette.TPrep)),
        IconText(giTCuisson, L + 185, Y - 1, L + 205, Y, QStringLiteral("Cuisson : %1'").arg(Recette.TCuisson)),
        IconText(giTRepos, L + 305, Y + 2, L + 325, Y, QStringLiteral("Repos : %1'").arg(Recette.TRepos)),
        IconText(giSaison, L + 415, Y + 2, L + 435, Y, SaisonToStr(Recette.Saison, false)),
    };

    const int Y3 = Y + 25;
    int X = L + 5;
    if (!Recette.Link.isEmpty()) {
        G.HasLink = true;
        G.Link = IconText(giLink, X, Y3 + 2, X + 20, Y3, QStringLiteral("Page web"));
        X += 100;
    }
    if (!Recette.LivName.isEmpty()) {
        G.HasLivre = true;
        G.Livre = IconText(giLivre, X, Y3 + 2, X + 20, Y3, LivreText(Recette));
    }
    return G;
}

QString LivreText(const TLineRecette &Recette)
{
    if (Recette.Page.isEmpty())
        return QStringLiteral("Livre : ") + Recette.LivName;
    return QStringLiteral("Livre : (%1) %2").arg(Recette.Page, Recette.LivName);
}

QString LinkCaption(int Width)
{
    return QFontMetrics(GridLinkFont()).elidedText(QStringLiteral("Page web"), Qt::ElideRight, Width);
}

bool InLinkHotZone(const TLineRecette &Recette, const QRect &Row, const QPoint &P)
{
    const TRecetteRowGeometry G = RecetteRowGeometry(Recette, Row);
    if (!G.HasLink)
        return false;
    const int X = G.Link.TextPos.x();
    const int B = Row.top() + G.Height;
    return P.x() >= X && P.x() <= X + LinkHotWidth && P.y() >= B - 20 && P.y() <= B - 5;
}

void PaintMenuRow(QPainter &Painter, const TRecetteList &Menu, int Index, const QRect &Row, const TGridIcons &Icons)
{
    const TLine *Line = Menu.GetLine(Index);
    const QColor Fill = TColorToQColor(Line->Color);
    Painter.fillRect(Row, Fill);
    switch (Menu.GetLineType(Index)) {
    case TRecetteList::ltDate:
        PaintDay(Painter, *Menu.GetDate(Index), Row, Fill);
        break;
    case TRecetteList::ltRepas:
        PaintRepas(Painter, *Menu.GetRepas(Index), Row, Fill);
        break;
    default:
        PaintRecette(Painter, *Menu.GetRecette(Index), Row, Fill, Icons);
        break;
    }
}
