#include "TestSupport.h"
#include "UnitGraphicsQt.h"
#include "UnitToolsUi.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

#include <utility>

TEST(UnitGraphicsQt, SystemColoursFollowThePalette)
{
    EXPECT_EQ(TColorToQColor(clNone).alpha(), 0);
    const QPalette Saved = QApplication::palette();
    QPalette Palette = Saved;
    Palette.setColor(QPalette::Button, QColor(0x10, 0x20, 0x30));
    Palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x13, 0x23, 0x33));
    QApplication::setPalette(Palette);
    EXPECT_EQ(TColorToQColor(clBtnFace), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(TColorToQColor(clGrayText), QColor(0x13, 0x23, 0x33));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGBToColor(0x10, 0x20, 0x30)) << "the foundation sees the palette too";
    QApplication::setPalette(Saved);
}

TEST(UnitGraphicsQt, DesignFontsAreSubstitutedByFreeOnes)
{
    const std::pair<const char *, const char *> Pairs[] = {
        {"Arial", "Liberation Sans"}, {"Verdana", "DejaVu Sans"}, {"Calibri", "Carlito"}};
    for (const auto &[Design, Free] : Pairs)
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(Design))).family().toStdString(), Free);
}

TEST(UnitGraphicsQt, AskingForTheInstalledFamilyChoosesTheSameFont)
{
    const QString Sample = QStringLiteral("Générer le menu de la semaine, 7 jours");
    for (const char *Name : {"Arial", "Verdana", "Calibri", "Tahoma"}) {
        const QString Design = QString::fromLatin1(Name);
        for (const bool Bold : {false, true})
            for (const bool Italic : {false, true}) {
                QFont ByDesign(Design);
                ByDesign.setPixelSize(13);
                ByDesign.setBold(Bold);
                ByDesign.setItalic(Italic);
                const QFont Asked = PixelFont(Design, 13, Bold, Italic);
                const QFontInfo Want(ByDesign), Got(Asked);
                const std::string Case = std::string(Name) + (Bold ? " bold" : "") + (Italic ? " italic" : "");
                EXPECT_EQ(Got.family(), Want.family()) << Case;
                EXPECT_EQ(Got.styleName(), Want.styleName()) << Case;
                EXPECT_EQ(Got.pixelSize(), Want.pixelSize()) << Case;
                EXPECT_EQ(QFontMetrics(Asked).horizontalAdvance(Sample), QFontMetrics(ByDesign).horizontalAdvance(Sample))
                    << Case;
            }
    }
    EXPECT_EQ(InstalledFamily(QStringLiteral("Tahoma")), QStringLiteral("Tahoma")) << "other families are left alone";
}

TEST(UnitGraphicsQt, PicturesAreFoundWithoutRegardToCaseAndDrawnAtTheirSize)
{
    for (const char *Name : {"MSGDLGINFO", "msgdlgalert", "MsgDlgError", "MSGDLGQUESTION"}) {
        const QImage Image = LoadResourcePicture(QString::fromLatin1(Name), QSize(48, 48)).toImage();
        ASSERT_EQ(Image.size(), QSize(48, 48)) << Name;
        EXPECT_EQ(Image.pixelColor(0, 0).alpha(), 0) << Name << ": the corners are transparent";
        EXPECT_EQ(Image.pixelColor(24, 30).alpha(), 255) << Name << ": the sign itself is opaque";
    }
    EXPECT_EQ(LoadResourcePicture(QStringLiteral("msgdlginfo"), QSize(16, 16)).size(), QSize(16, 16));
    EXPECT_TRUE(ErrorOf([] {
                    LoadResourcePicture(QStringLiteral("NOSUCHPICTURE"), QSize(48, 48));
                }).contains(QStringLiteral("NOSUCHPICTURE")));
}
