#include "KVXGraphics.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

TEST(KVXGraphics, HtmlTextsAndValues)
{
    EXPECT_EQ(KVXHtmlToColor(QStringLiteral("#EBFDD7")), 0xD7FDEB);
    EXPECT_EQ(KVXHtmlToColor(QStringLiteral("#ebfdd7")), 0xD7FDEB);
    for (const char *Bad : {"", "EBFDD7", "#EBFDD7FF", "#EBFDD", "#EBFDDG", " #EBFDD7", "#EBFDD7 "})
        EXPECT_EQ(KVXHtmlToColor(QString::fromLatin1(Bad)), 0) << Bad;

    EXPECT_EQ(KVXColorToHtml(0xD7FDEB), QStringLiteral("#EBFDD7"));
    EXPECT_EQ(KVXColorToHtml(clRed), QStringLiteral("#FF0000"));
    EXPECT_EQ(KVXColorToHtml(clNone), QStringLiteral("#000000"));
    EXPECT_EQ(KVXColorToHtml(clDefault), QStringLiteral("#000000"));
    EXPECT_EQ(KVXColorToHtml(static_cast<TColor>(0x80001234)), QStringLiteral("#000000"));
    for (const char *Text : {"#000000", "#FFFFFF", "#808080", "#C00000", "#00509F", "#123456"})
        EXPECT_EQ(KVXColorToHtml(KVXHtmlToColor(QString::fromLatin1(Text))), QString::fromLatin1(Text));
}

TEST(KVXGraphics, SystemColoursGoThroughTheHook)
{
    EXPECT_EQ(KVXColorToHtml(clWindow), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(KVXColorToHtml(clBtnFace), QStringLiteral("#F0F0F0"));
    EXPECT_EQ(ColorToRGB(clHighlight), RGBToColor(0x00, 0x78, 0xD7));
    SetSystemColorHook([](int Index) { return Index == 5 ? TColor(0x102030) : clNone; });
    EXPECT_EQ(KVXColorToHtml(clWindow), QStringLiteral("#302010"));
    EXPECT_EQ(KVXColorToHtml(clBtnFace), QStringLiteral("#000000"));
    SetSystemColorHook({});
    EXPECT_EQ(KVXColorToHtml(clWindow), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
}

TEST(KVXGraphics, StringToColorNamesAndNumbers)
{
    const TColor Def = 0x123456;
    EXPECT_EQ(KVXStringToColor(QStringLiteral("Red"), Def), clRed);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("clRed"), Def), clRed);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("clred"), Def), clRed);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("clNone"), Def), clNone);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("NONE"), Def), clNone);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("clWindow"), Def), clWindow);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("MoneyGreen"), Def), clMoneyGreen);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("#C00000"), Def), 0x0000C0);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("$00C0FF"), Def), 0x00C0FF);
    // Failures fall back to the default, except an invalid "#" text, which is black.
    EXPECT_EQ(KVXStringToColor(QString(), Def), Def);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("Rouge"), Def), Def);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("ClRed"), Def), Def);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("255"), Def), Def);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("$zz"), Def), Def);
    EXPECT_EQ(KVXStringToColor(QStringLiteral("#12"), Def), 0);
}
