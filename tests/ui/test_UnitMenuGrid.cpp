// Heights, rectangles, texts and the link's hot zone of the menu grid's rows.
#include "UnitMenuGrid.h"

#include "SysUtils.h"

#include <QFontMetrics>

#include <gtest/gtest.h>
#include <memory>

namespace {

// Lines cannot be copied: each test keeps the one it is given.
std::unique_ptr<TLineRecette> Recipe(const QString &Description, const QString &Link, const QString &LivName,
                                     const QString &Page = QString())
{
    auto Line = std::make_unique<TLineRecette>();
    TLineRecette &R = *Line;
    R.Name = QStringLiteral("Gratin dauphinois");
    R.Description = Description;
    R.Link = Link;
    R.LivName = LivName;
    R.Page = Page;
    R.Type_ = 1;
    R.NbPers = 4;
    R.TPrep = 20;
    R.Saison = 2;
    R.MenuPers = 3;
    return Line;
}

const QString Desc = QStringLiteral("Des pommes de terre et de la crème.");
const QString Link = QStringLiteral("https://cuisine.example/gratin");
const QString Book = QStringLiteral("Cuisine facile");

} // namespace

TEST(UnitMenuGrid, RecipeRowGrowsWithItsDescriptionAndThirdLine)
{
    EXPECT_EQ(RecetteRowHeight(*Recipe(QString(), QString(), QString())), 55);
    EXPECT_EQ(RecetteRowHeight(*Recipe(Desc, QString(), QString())), 85);
    EXPECT_EQ(RecetteRowHeight(*Recipe(QString(), Link, QString())), 80);
    EXPECT_EQ(RecetteRowHeight(*Recipe(QString(), QString(), Book)), 80);
    EXPECT_EQ(RecetteRowHeight(*Recipe(Desc, QString(), Book)), 110);
    EXPECT_EQ(RecetteRowHeight(*Recipe(Desc, Link, Book)), 110);
}

TEST(UnitMenuGrid, RecipeRowPlacesEveryPieceWhereTheLayoutSays)
{
    const QRect Row(0, 100, 600, 110);
    const TRecetteRowGeometry G = RecetteRowGeometry(*Recipe(Desc, Link, Book, QStringLiteral("12")), Row);
    EXPECT_EQ(G.Height, 110);
    EXPECT_EQ(G.TypeRect, QRect(0, 100, 60, 20));
    EXPECT_EQ(G.TypeText, QStringLiteral("plat"));
    EXPECT_EQ(G.NamePos, QPoint(70, 100));
    EXPECT_EQ(G.MenuPersIconPos, QPoint(555, 104));
    EXPECT_EQ(G.MenuPersPos, QPoint(582, 100));
    EXPECT_EQ(G.MenuPersText, QStringLiteral("3"));
    EXPECT_EQ(G.DescriptionRect, QRect(5, 125, 595, 85));

    // The information line: icons at 5, 85, 185 (three pixels higher), 305 and 415; texts
    // 20 pixels to their right, the times written even at 0.
    EXPECT_EQ(G.InfoTop, 160);
    ASSERT_EQ(G.Info.size(), 5u);
    const QPoint Icons[] = {{5, 162}, {85, 162}, {185, 159}, {305, 162}, {415, 162}};
    const QPoint Texts[] = {{25, 160}, {105, 160}, {205, 160}, {325, 160}, {435, 160}};
    const QString Words[] = {QStringLiteral("4 pers."), QStringLiteral("Prép : 20'"), QStringLiteral("Cuisson : 0'"),
                             QStringLiteral("Repos : 0'"), QStringLiteral("automne-hiver")};
    for (int I = 0; I < 5; ++I) {
        EXPECT_EQ(G.Info[I].IconPos, Icons[I]) << I;
        EXPECT_EQ(G.Info[I].TextPos, Texts[I]) << I;
        EXPECT_EQ(G.Info[I].Text, Words[I]) << I;
    }

    // Third line: the link first, the cookbook 100 pixels further.
    ASSERT_TRUE(G.HasLink);
    EXPECT_EQ(G.Link.IconPos, QPoint(5, 187));
    EXPECT_EQ(G.Link.TextPos, QPoint(25, 185));
    ASSERT_TRUE(G.HasLivre);
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

    TLineRepas Repas;
    Repas.Repas = 2;
    const TRepasRowGeometry G = RepasRowGeometry(Repas, QRect(0, 40, 601, 15));
    EXPECT_EQ(G.Text, QStringLiteral("SOIR"));
    // W = (601 - 90) / 2 = 255: 70 pixels are left in the middle for the name.
    EXPECT_EQ(G.LeftLine, QLine(10, 47, 265, 47));
    EXPECT_EQ(G.RightLine, QLine(336, 47, 591, 47));

    // "Page web" keeps its words while it fits and ends with an ellipsis when it does not.
    const int Full = QFontMetrics(GridLinkFont()).horizontalAdvance(QStringLiteral("Page web"));
    EXPECT_EQ(LinkCaption(Full + 5), QStringLiteral("Page web"));
    EXPECT_TRUE(LinkCaption(Full / 2).endsWith(QChar(0x2026)));
}

TEST(UnitMenuGrid, LinkHotZoneHasItsBoundsIncluded)
{
    const QRect Row(0, 200, 600, 80); // bottom edge 280
    EXPECT_TRUE(InLinkHotZone(Row, QPoint(25, 260)));
    EXPECT_TRUE(InLinkHotZone(Row, QPoint(88, 275)));
    EXPECT_FALSE(InLinkHotZone(Row, QPoint(24, 270)));
    EXPECT_FALSE(InLinkHotZone(Row, QPoint(89, 270)));
    EXPECT_FALSE(InLinkHotZone(Row, QPoint(50, 259)));
    EXPECT_FALSE(InLinkHotZone(Row, QPoint(50, 276)));
}
