#include "UnitGraphicsQt.h"

#include "UnitConst.h"

#include "SysUtils.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

#include <utility>

// The resource initialiser of fenolda.qrc; a static library's resources are only linked in
// when something calls it.
static void InitFenoldaResources()
{
    static const bool Done = [] {
        Q_INIT_RESOURCE(fenolda);
        return true;
    }();
    (void)Done;
}

namespace {

// Where fenolda.qrc puts the program's pictures.
const QString ResourceRoot = QStringLiteral(":/fenolda");

TColor PaletteColor(QPalette::ColorGroup Group, QPalette::ColorRole Role)
{
    return QColorToTColor(QGuiApplication::palette().color(Group, Role));
}

// The desktop's system colours as the application palette gives them; the colours the
// palette has no role for keep their classic values.
TColor PaletteSystemColor(int Index)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return DefaultSystemColor(Index);
    const auto A = QPalette::Active;
    switch (Index) {
    case 0:  // scroll bar
    case 15: // button face
        return PaletteColor(A, QPalette::Button);
    case 2:  // active caption
    case 13: // highlight
    case 29: // menu highlight
        return PaletteColor(A, QPalette::Highlight);
    case 3: // inactive caption
        return PaletteColor(QPalette::Inactive, QPalette::Highlight);
    case 4:  // menu
    case 30: // menu bar
        return PaletteColor(A, QPalette::Window);
    case 5: // window
        return PaletteColor(A, QPalette::Base);
    case 6: // window frame
        return PaletteColor(A, QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return PaletteColor(A, QPalette::WindowText);
    case 9:  // caption text
    case 14: // highlight text
        return PaletteColor(A, QPalette::HighlightedText);
    case 12: // application work space
    case 16: // button shadow
        return PaletteColor(A, QPalette::Dark);
    case 17: // grey text
        return PaletteColor(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return PaletteColor(A, QPalette::ButtonText);
    case 19: // inactive caption text
        return PaletteColor(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return PaletteColor(A, QPalette::Light);
    case 21: // 3D dark shadow
        return PaletteColor(A, QPalette::Shadow);
    case 22: // 3D light
        return PaletteColor(A, QPalette::Midlight);
    case 23: // tool tip text
        return PaletteColor(A, QPalette::ToolTipText);
    case 24: // tool tip background
        return PaletteColor(A, QPalette::ToolTipBase);
    case 26: // hot light
        return PaletteColor(A, QPalette::Link);
    default:
        return DefaultSystemColor(Index);
    }
}

// The compiled-in pictures by lower-case base name, listed once: walking the resource tree
// for every picture was a good part of the time to the main window. The first of two
// pictures with one name wins, as the walk found it first.
const QHash<QString, QString> &ResourcePaths()
{
    static const QHash<QString, QString> Paths = [] {
        QHash<QString, QString> Found;
        QDirIterator It(ResourceRoot, QDir::Files, QDirIterator::Subdirectories);
        while (It.hasNext()) {
            const QString Path = It.next();
            const QString Key = QFileInfo(Path).completeBaseName().toLower();
            if (!Found.contains(Key))
                Found.insert(Key, Path);
        }
        return Found;
    }();
    return Paths;
}

QString FindResource(const QString &Name)
{
    return ResourcePaths().value(Name.toLower());
}

} // namespace

QColor TColorToQColor(TColor Color)
{
    if (Color == clNone)
        return QColor(Qt::transparent);
    const TColor C = ColorToRGB(Color);
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor QColorToTColor(const QColor &Color)
{
    const QColor C = Color.toRgb();
    return RGBToColor(C.red(), C.green(), C.blue());
}

void InstallSystemColors()
{
    SetSystemColorHook(PaletteSystemColor);
}

namespace {

// The layouts' families that are not installed, each with the free family that stands in.
QHash<QString, QString> &MissingFamilies()
{
    static QHash<QString, QString> Missing;
    return Missing;
}

} // namespace

void InstallFontSubstitutions()
{
    const std::pair<QString, QString> Pairs[] = {
        {QLatin1String(FontCalibri), QStringLiteral("Carlito")},
        {QLatin1String(FontVerdana), QStringLiteral("DejaVu Sans")},
        {QLatin1String(FontArial), QStringLiteral("Liberation Sans")}};
    const QStringList Installed = QFontDatabase::families();
    QHash<QString, QString> &Missing = MissingFamilies();
    Missing.clear();
    for (const auto &[Design, Free] : Pairs) {
        QFont::insertSubstitution(Design, Free);
        if (!Installed.contains(Design, Qt::CaseInsensitive) && Installed.contains(Free, Qt::CaseInsensitive))
            Missing.insert(Design, Free);
    }
}

QString InstalledFamily(const QString &Family)
{
    return MissingFamilies().value(Family, Family);
}

QPixmap LoadResourcePicture(const QString &Name, QSize Size)
{
    InitFenoldaResources();
    const QString Path = FindResource(Name);
    if (Path.isEmpty())
        throw Exception(QStringLiteral("Resource %1 not found").arg(Name));

    if (Path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer Renderer(Path);
        if (!Renderer.isValid())
            throw Exception(QStringLiteral("Resource %1 is not a valid picture").arg(Name));
        const QSize Target = Size.isEmpty() ? Renderer.defaultSize() : Size;
        QImage Image(Target, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::transparent);
        QPainter Painter(&Image);
        Renderer.render(&Painter);
        Painter.end();
        return QPixmap::fromImage(Image);
    }

    QPixmap Picture(Path);
    if (Picture.isNull())
        throw Exception(QStringLiteral("Resource %1 is not a valid picture").arg(Name));
    if (!Size.isEmpty() && Picture.size() != Size)
        Picture = Picture.scaled(Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Picture;
}
