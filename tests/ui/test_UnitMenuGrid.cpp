// Heights, rectangles, texts and the link's hot zone of the menu grid's rows.
#include "UnitMenuGrid.h"

#include "SysUtils.h"

#include <QFontMetrics>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Desc = QStringLiteral("Des pommes de terre et de la crème.");
const QString Link = QStringLiteral("https://cuisine.example/gratin");
const QString Book = QStringLiteral("Cuisine facile");

// A plat for 4 (3 planned), 20 minutes of preparation, autumn-winter. Lines cannot be copied:
// each test keeps the one it is given.
std::unique_ptr<TLineRecette> Recipe(const QString &Description, const QString &Link, const QString &LivName,
                                     const QString &Page = QString())
{
    auto R = std::make_unique<TLineRecette>();
    R->Name = QStringLiteral("Gratin dauphinois");
    R->Description = Description;
    R->Link = Link;
    R->LivName = LivName;
    R->Page = Page;
    R->Type_ = 1;
    R->NbPers = 4;
    R->TPrep = 20;
    R->Saison = 2;
    R->MenuPers = 3;
    return R;
}

} // namespace

TEST(UnitMenuGrid, RecipeRowGrowsWithItsDescriptionAndThirdLine)
{
    const std::tuple<QString, QString, QString, int> Rows[] = {
        {QString(), QString(), QString(), 55}, {Desc, QString(), QString(), 85}, {QString(), Link, QString(), 80},
        {QString(), QString(), Book, 80},      {Desc, QString(), Book, 110},     {Desc, Link, Book, 110}};
    for (const auto &[D, L, B, Height] : Rows)
        EXPECT_EQ(RecetteRowHeight(*Recipe(D, L, B)), Height) << Height;
}

TEST(UnitMenuGrid, RecipeRowPlacesEveryPieceWhereTheLayoutSays)
{
    const QRect Row(0, 100, 600, 110);
    const TRecetteRowGeometry G = RecetteRowGeometry(*Recipe(Desc, Link, Book, QStringLiteral("12")), Row);
    EXPECT_EQ(G.TypeText, QStringLiteral("plat"));
    EXPECT_EQ(G.DescriptionRect, QRect(5, 125, 595, 85));
    // The information line, the times written even at 0.
    EXPECT_EQ(G.InfoTop, 160);
    QStringList Words;
    for (const auto &Info : G.Info)
        Words << Info.Text;
    EXPECT_EQ(Words.join(QLatin1Char('|')), QStringLiteral("4 pers.|Prép : 20'|Cuisson : 0'|Repos : 0'|automne-hiver"));
    // Third line: the link first, the cookbook 100 pixels further.
    ASSERT_TRUE(G.HasLink && G.HasLivre);
    EXPECT_EQ(G.Livre.IconPos, QPoint(105, 187));
    EXPECT_EQ(G.Livre.Text, QStringLiteral("Livre : (12) Cuisine facile"));

    // Without description the information line moves up; without link the book starts at 5.
    const TRecetteRowGeometry Short = RecetteRowGeometry(*Recipe(QString(), QString(), Book), Row);
    EXPECT_TRUE(Short.DescriptionRect.isEmpty());
    EXPECT_EQ(Short.InfoTop, 130);
    EXPECT_FALSE(Short.HasLink);
    EXPECT_EQ(Short.Livre.IconPos, QPoint(5, 157));
    EXPECT_EQ(Short.Livre.Text, QStringLiteral("Livre : Cuisine facile"));
}

TEST(UnitMenuGrid, TextsAreDrawnAsTheyAre)
{
    const auto R = Recipe(QString(), QString(), QString());
    R->Name = QStringLiteral("Poulet & frites && sauce");
    EXPECT_EQ(RecetteRowGeometry(*R, QRect(0, 0, 600, 55)).Name, R->Name);

    TLineDate Day;
    Day.Date = EncodeDate(2024, 10, 5);
    EXPECT_EQ(DayRowText(Day), QStringLiteral("Samedi 5 octobre"));

    // 70 pixels are left in the middle for the meal's name.
    TLineRepas Repas;
    Repas.Repas = 2;
    const TRepasRowGeometry G = RepasRowGeometry(Repas, QRect(0, 40, 601, 15));
    EXPECT_EQ(G.Text, QStringLiteral("SOIR"));
    EXPECT_EQ(G.RightLine.x1() - G.LeftLine.x2(), 71);

    // "Page web" keeps its words while it fits and ends with an ellipsis when it does not.
    const int Full = QFontMetrics(GridLinkFont()).horizontalAdvance(QStringLiteral("Page web"));
    EXPECT_EQ(LinkCaption(Full + 5), QStringLiteral("Page web"));
    EXPECT_TRUE(LinkCaption(Full / 2).endsWith(QChar(0x2026)));
}

TEST(UnitMenuGrid, LinkHotZoneHasItsBoundsIncluded)
{
    const auto WithLink = Recipe(QString(), Link, QString());
    const QRect Row(0, 200, 600, 80); // bottom edge 280
    for (const QPoint P : {QPoint(25, 260), QPoint(88, 275)})
        EXPECT_TRUE(InLinkHotZone(*WithLink, Row, P)) << P.x() << "," << P.y();
    for (const QPoint P : {QPoint(24, 270), QPoint(89, 270), QPoint(50, 259), QPoint(50, 276)})
        EXPECT_FALSE(InLinkHotZone(*WithLink, Row, P)) << P.x() << "," << P.y();
    // The same place on a recipe without a link is no link.
    EXPECT_FALSE(InLinkHotZone(*Recipe(QString(), QString(), Book), Row, QPoint(50, 270)));
}

TEST(UnitMenuGrid, EveryPieceIsMeasuredFromTheRowsLeftEdge)
{
    const auto R = Recipe(Desc, Link, Book);
    const TRecetteRowGeometry At0 = RecetteRowGeometry(*R, QRect(0, 100, 600, 110));
    const TRecetteRowGeometry At30 = RecetteRowGeometry(*R, QRect(30, 100, 600, 110));
    EXPECT_EQ(At30.TypeRect, At0.TypeRect.translated(30, 0));
    EXPECT_EQ(At30.NamePos, At0.NamePos + QPoint(30, 0));
    EXPECT_EQ(At30.DescriptionRect.left(), At0.DescriptionRect.left() + 30);
    for (std::size_t I = 0; I < At0.Info.size(); ++I) {
        EXPECT_EQ(At30.Info[I].IconPos, At0.Info[I].IconPos + QPoint(30, 0)) << I;
        EXPECT_EQ(At30.Info[I].TextPos, At0.Info[I].TextPos + QPoint(30, 0)) << I;
    }
    EXPECT_EQ(At30.Link.TextPos, At0.Link.TextPos + QPoint(30, 0));
    EXPECT_EQ(At30.Livre.IconPos, At0.Livre.IconPos + QPoint(30, 0));
    // The link's hot zone moves with it.
    EXPECT_TRUE(InLinkHotZone(*R, QRect(30, 100, 600, 110), QPoint(30 + 88, 200)));
    EXPECT_FALSE(InLinkHotZone(*R, QRect(30, 100, 600, 110), QPoint(30 + 24, 200)));
}

TEST(UnitMenuGrid, PersonsOfTheMenuAreDrawnWholeAndEndWhereOneDigitEnds)
{
    const QRect Row(0, 0, 600, 55);
    const QFontMetrics Metrics(GridPersFont());
    const int End = 600 - 18 + Metrics.horizontalAdvance(QLatin1Char('0'));
    auto R = Recipe(QString(), QString(), QString());
    R->MenuPers = 3;
    const TRecetteRowGeometry One = RecetteRowGeometry(*R, Row);
    EXPECT_EQ(One.MenuPersPos, QPoint(600 - 18, 0));
    EXPECT_EQ(One.MenuPersIconPos, QPoint(600 - 45, 4));
    for (const int Persons : {12, 100, 999}) {
        R->MenuPers = Persons;
        const TRecetteRowGeometry G = RecetteRowGeometry(*R, Row);
        EXPECT_EQ(G.MenuPersText, QString::number(Persons));
        EXPECT_EQ(G.MenuPersPos.x() + Metrics.horizontalAdvance(G.MenuPersText), End) << Persons;
        // The icon (24 pixels wide) moves left with the number and never runs into it.
        EXPECT_LE(G.MenuPersIconPos.x() + 24, G.MenuPersPos.x()) << Persons;
    }
}
