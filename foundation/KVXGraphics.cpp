#include "KVXGraphics.h"

#include "SysUtils.h"

#include <array>

namespace {

TSystemColorHook &SystemColorHook()
{
    static TSystemColorHook Hook;
    return Hook;
}

constexpr TColor FromRgb(unsigned Rgb)
{
    return RGBToColor(int(Rgb >> 16), int(Rgb >> 8), int(Rgb));
}

struct TColorName
{
    TColor Color;
    const char *Name;
};

// The class library's table of colour names.
constexpr std::array<TColorName, 52> ColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

int HexDigit(QChar C)
{
    const ushort U = C.unicode();
    if (U >= '0' && U <= '9')
        return U - '0';
    if (U >= 'a' && U <= 'f')
        return U - 'a' + 10;
    if (U >= 'A' && U <= 'F')
        return U - 'A' + 10;
    return -1;
}

} // namespace

void SetSystemColorHook(TSystemColorHook Hook)
{
    SystemColorHook() = std::move(Hook);
}

TColor DefaultSystemColor(int Index)
{
    // The classic desktop's system colours, written as 0xRRGGBB.
    static constexpr std::array<unsigned, 31> Classic{{
        0xC8C8C8, // scroll bar
        0x000000, // desktop background
        0x99B4D1, // active caption
        0xBFCDDB, // inactive caption
        0xF0F0F0, // menu
        0xFFFFFF, // window
        0x646464, // window frame
        0x000000, // menu text
        0x000000, // window text
        0x000000, // caption text
        0xB4B4B4, // active border
        0xF4F7FC, // inactive border
        0xABABAB, // application workspace
        0x0078D7, // highlight
        0xFFFFFF, // highlight text
        0xF0F0F0, // button face
        0xA0A0A0, // button shadow
        0x6D6D6D, // grey text
        0x000000, // button text
        0x000000, // inactive caption text
        0xFFFFFF, // button highlight
        0x696969, // 3D dark shadow
        0xE3E3E3, // 3D light
        0x000000, // tooltip text
        0xFFFFE1, // tooltip background
        0xB5D5FF, // (unused index)
        0x0066CC, // hot-tracked item
        0xB9D1EA, // gradient of the active caption
        0xD7E4F2, // gradient of the inactive caption
        0x3399FF, // menu highlight
        0xF0F0F0, // menu bar
    }};
    if (Index < 0 || Index >= int(Classic.size()))
        return clNone;
    return FromRgb(Classic[std::size_t(Index)]);
}

TColor ColorToRGB(TColor Color)
{
    if (Color >= 0)
        return Color;
    const int Index = Color & 0xFF;
    // Only 0xFF0000nn values are system colours; other negative values have no colour.
    if ((Color & 0x00FFFF00) != 0)
        return clNone;
    const TSystemColorHook &Hook = SystemColorHook();
    return Hook ? Hook(Index) : DefaultSystemColor(Index);
}

TColor KVXHtmlToColor(const QString &S)
{
    if (S.size() != 7 || S[0] != QLatin1Char('#'))
        return 0;
    int Value[6];
    for (int I = 0; I < 6; ++I) {
        Value[I] = HexDigit(S[I + 1]);
        if (Value[I] < 0)
            return 0;
    }
    return RGBToColor(Value[0] * 16 + Value[1], Value[2] * 16 + Value[3], Value[4] * 16 + Value[5]);
}

QString KVXColorToHtml(TColor Color)
{
    const TColor Rgb = ColorToRGB(Color);
    if (Rgb < 0 || Rgb > 0xFFFFFF)
        return QStringLiteral("#000000");
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(Rgb), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(Rgb), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(Rgb), 2, 16, QLatin1Char('0'))
        .toUpper();
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
    for (const TColorName &Entry : ColorNames) {
        if (SameText(Ident, QLatin1String(Entry.Name))) {
            Color = Entry.Color;
            return true;
        }
    }
    return false;
}

TColor KVXStringToColor(const QString &S, TColor Default)
{
    if (S.isEmpty())
        return Default;
    if (S.startsWith(QLatin1Char('#')))
        return KVXHtmlToColor(S);
    if (S.startsWith(QLatin1Char('$'))) {
        int Value = 0;
        return TryStrToInt(S, Value) ? Value : Default;
    }
    const QString Name = S.startsWith(QLatin1String("cl")) ? S : QLatin1String("cl") + S;
    if (SameText(Name, QLatin1String("clNone")))
        return clNone;
    TColor Color = 0;
    return IdentToColor(Name, Color) ? Color : Default;
}
