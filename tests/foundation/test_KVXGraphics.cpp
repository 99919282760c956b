#include "KVXGraphics.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(KVXGraphics, HtmlTextsAndValues)
{
    EXPECT_EQ(KVXHtmlToColor(QStringLiteral("#EBFDD7")), 0xD7FDEB);
    EXPECT_EQ(KVXHtmlToColor(QStringLiteral("#ebfdd7")), 0xD7FDEB);
    for (const char *Bad : {"", "EBFDD7", "#EBFDD7FF", "#EBFDDG", " #EBFDD7"})
        EXPECT_EQ(KVXHtmlToColor(QString::fromLatin1(Bad)), 0) << Bad;

    EXPECT_EQ(KVXColorToHtml(clRed), QStringLiteral("#FF0000"));
    EXPECT_EQ(KVXColorToHtml(clNone), QStringLiteral("#000000"));
    EXPECT_EQ(KVXColorToHtml(static_cast<TColor>(0x80001234)), QStringLiteral("#000000"));
    for (const char *Text : {"#FFFFFF", "#C00000", "#00509F", "#123456"})
        EXPECT_EQ(KVXColorToHtml(KVXHtmlToColor(QString::fromLatin1(Text))), QString::fromLatin1(Text));

    // System colours go through the hook that the user interface installs.
    EXPECT_EQ(KVXColorToHtml(clBtnFace), QStringLiteral("#F0F0F0"));
    SetSystemColorHook([](int Index) { return Index == 5 ? TColor(0x102030) : clNone; });
    EXPECT_EQ(KVXColorToHtml(clWindow), QStringLiteral("#302010"));
    EXPECT_EQ(KVXColorToHtml(clBtnFace), QStringLiteral("#000000"));
    SetSystemColorHook({});
    EXPECT_EQ(KVXColorToHtml(clWindow), QStringLiteral("#FFFFFF"));
}

TEST(KVXGraphics, StringToColorNamesAndNumbers)
{
    const TColor Def = 0x123456;
    const std::pair<const char *, TColor> Cases[] = {
        {"Red", clRed},
        {"clred", clRed},
        {"NONE", clNone},
        {"clWindow", clWindow},
        {"MoneyGreen", clMoneyGreen},
        {"#C00000", 0x0000C0},
        {"$00C0FF", 0x00C0FF},
        // Failures fall back to the default, except an invalid "#" text, which is black.
        {"", Def},
        {"Rouge", Def},
        {"ClRed", Def},
        {"255", Def},
        {"$zz", Def},
        {"#12", 0}};
    for (const auto &[Text, Color] : Cases)
        EXPECT_EQ(KVXStringToColor(QString::fromLatin1(Text), Def), Color) << Text;
}
