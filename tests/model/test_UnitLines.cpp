#include "ModelTestSupport.h"
#include "UnitLines.h"

TEST(TLineIngredient, TextFollowsTheSettersAndAssignKeepsTheOrigin)
{
    TLineIngredient Line;
    Line.UnitName = QStringLiteral("kg");
    Line.Name = QStringLiteral("farine");
    Line.Note = QStringLiteral("T55");
    Line.SetQuantity(2.54);
    EXPECT_EQ(Line.Text, QStringLiteral("2,5 kg farine (T55)"));
    // Never computed from a menu: back to -1, which shows no quantity.
    Line.ResetQuantity();
    EXPECT_EQ(Line.Text, QStringLiteral("farine (T55)"));
    Line.InitialQuantity = 145;
    EXPECT_EQ(Line.GetInitialQuantityText(), QStringLiteral("140"));

    // Assign takes the check marks, the shelf and the shown quantity, not the origin nor the
    // quantities, and makes its own text.
    Line.FromMenu = Line.Checked = Line.Warn = true;
    Line.RayCode = 7;
    Line.ShowQuantity = false;
    Line.Text = QStringLiteral("stale");
    TLineIngredient Copy;
    Copy.Assign(Line);
    EXPECT_TRUE(Copy.Checked && Copy.Warn && Copy.RayCode == 7 && Copy.Quantity == -1.0);
    EXPECT_FALSE(Copy.FromMenu || Copy.ShowQuantity);
    EXPECT_EQ(Copy.InitialQuantity, -1.0);
    EXPECT_EQ(Copy.Text, QStringLiteral("farine (T55)"));

    TLineDivers Free(QStringLiteral("Piles AA"));
    Free.FromMenu = Free.Checked = true;
    TLineArticle Article;
    Article.Assign(Free);
    EXPECT_TRUE(Article.Checked && !Article.FromMenu && Article.Text == QStringLiteral("Piles AA"));
}
