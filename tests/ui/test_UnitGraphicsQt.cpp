#include "TestSupport.h"
#include "UnitGraphicsQt.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

#include <utility>

TEST(UnitGraphicsQt, ColoursConvertBothWaysAndSystemColoursFollowThePalette)
{
    EXPECT_EQ(TColorToQColor(RGBToColor(0x12, 0x34, 0x56)), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(QColorToTColor(QColor(0x12, 0x34, 0x56)), RGBToColor(0x12, 0x34, 0x56));
    EXPECT_EQ(TColorToQColor(clNone).alpha(), 0);

    const QPalette Saved = QApplication::palette();
    QPalette Palette = Saved;
    Palette.setColor(QPalette::Button, QColor(0x10, 0x20, 0x30));
    Palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x13, 0x23, 0x33));
    Palette.setColor(QPalette::Highlight, QColor(0x14, 0x24, 0x34));
    QApplication::setPalette(Palette);
    EXPECT_EQ(TColorToQColor(clBtnFace), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(TColorToQColor(clGrayText), QColor(0x13, 0x23, 0x33));
    EXPECT_EQ(TColorToQColor(clHighlight), QColor(0x14, 0x24, 0x34));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGBToColor(0x10, 0x20, 0x30)) << "the foundation sees the palette too";
    QApplication::setPalette(Saved);
}

TEST(UnitGraphicsQt, DesignFontsAreSubstitutedByFreeOnes)
{
    const std::pair<const char *, const char *> Pairs[] = {
        {"Arial", "Liberation Sans"}, {"Verdana", "DejaVu Sans"}, {"Calibri", "Carlito"}};
    for (const auto &[Design, Free] : Pairs) {
        SCOPED_TRACE(Design);
        const QString Name = QString::fromLatin1(Design);
        EXPECT_EQ(QFont::substitute(Name).compare(QLatin1String(Free), Qt::CaseInsensitive), 0);
        EXPECT_EQ(QFontInfo(QFont(Name)).family().toStdString(), Free);
    }
}

TEST(UnitGraphicsQt, PicturesAreFoundWithoutRegardToCaseAndDrawnAtTheirSize)
{
    for (const char *Name : {"MSGDLGINFO", "msgdlgalert", "MsgDlgError", "MSGDLGQUESTION"}) {
        SCOPED_TRACE(Name);
        const QPixmap Picture = LoadResourcePicture(QString::fromLatin1(Name), QSize(48, 48));
        ASSERT_FALSE(Picture.isNull());
        EXPECT_EQ(Picture.size(), QSize(48, 48));
        const QImage Image = Picture.toImage();
        EXPECT_TRUE(Image.hasAlphaChannel());
        EXPECT_EQ(Image.pixelColor(0, 0).alpha(), 0) << "the corners are transparent";
        EXPECT_EQ(Image.pixelColor(24, 30).alpha(), 255) << "the sign itself is opaque";
    }
    EXPECT_EQ(LoadResourcePicture(QStringLiteral("msgdlginfo"), QSize(16, 16)).size(), QSize(16, 16));

    EXPECT_TRUE(ErrorOf([] {
                    LoadResourcePicture(QStringLiteral("NOSUCHPICTURE"), QSize(48, 48));
                }).contains(QStringLiteral("NOSUCHPICTURE")));
}
