#include "UnitCoursesPage.h"

#include "KVXFiles.h"
#include "KVXGraphics.h"
#include "UnitConfig.h"
#include "UnitIngredientList.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"
#include "UnitTypes.h"

namespace {

const QString PageStart = QStringLiteral("<table class=\"page\"><tr>");
const QString PageEnd = QStringLiteral("</tr></table>");
const QString PageSeparator = QStringLiteral("<hr>");
const QString ColumnStart = QStringLiteral("<td class=\"column\"><table class=\"column\">");
const QString ColumnEnd = QStringLiteral("</table></td>");
const QString LineBreak = QStringLiteral("\r\n");

// Texts of the menu and the list are the user's: none may turn into markup.
QString Html(const QString &Text)
{
    return Text.toHtmlEscaped();
}

} // namespace

void TCoursesPage::InitLayout()
{
    PageCount = 0;
    ColumnCount = 0;
    RowCount = 0;
}

void TCoursesPage::StartPage()
{
    if (PageCount > 0)
        Body << PageSeparator;
    Body << PageStart;
    ++PageCount;
    ColumnCount = 0;
}

void TCoursesPage::EndPage()
{
    Body << PageEnd;
}

void TCoursesPage::StartColumn()
{
    Body << ColumnStart;
    ++ColumnCount;
}

void TCoursesPage::EndColumn()
{
    Body << ColumnEnd;
}

void TCoursesPage::FillColumns()
{
    while (ColumnCount < ColumnsPerPage) {
        StartColumn();
        EndColumn();
    }
}

void TCoursesPage::AddRow(const QString &Fragment)
{
    if (RowCount >= RowsPerColumn) {
        RowCount = 0;
        if (ColumnCount >= ColumnsPerPage) {
            EndColumn();
            EndPage();
            StartPage();
            StartColumn();
        } else {
            EndColumn();
            StartColumn();
        }
    }
    Body << Fragment;
    ++RowCount;
}

void TCoursesPage::AddRayonStyle(const QString &Color)
{
    Style << QStringLiteral("td.rayon%1 {background-color:%2;}").arg(StyleIndex).arg(Color);
    ++StyleIndex;
}

void TCoursesPage::AddHeading(const QString &Text, const QString &Color)
{
    AddRow(QStringLiteral("<tr><td class=\"rayon rayon%1\">%2</td></tr>").arg(StyleIndex).arg(Html(Text)));
    AddRayonStyle(Color);
}

void TCoursesPage::Build(const TRecetteList &Menu, TIngredientList &Lines)
{
    Body.clear();
    Style.clear();
    StyleIndex = 0;
    InitLayout();
    StartPage();
    StartColumn();

    if (Menu.Count() > 0)
        AddHeading(QStringLiteral("Menus"), KVXColorToHtml(KVXStringToColor(QString::fromLatin1(DiversColor), clNone)));

    TDateTime LastDate = 0;
    for (int I = 0; I < Menu.Count(); ++I) {
        if (Menu.GetLineType(I) != TRecetteList::ltRecette)
            continue;
        const TLineRecette *Recette = Menu.GetRecette(I);
        const QString Repas = RepasToStr(Recette->MenuRepas, false, false);
        const QString DateText = FormatDateTime(QStringLiteral("ddd"), Recette->MenuDate) +
                                 FormatDateTime(QStringLiteral("d"), Recette->MenuDate) + QLatin1Char(' ') + Repas;
        QString Liv = Recette->LivName;
        if (!Recette->Page.isEmpty())
            Liv = QStringLiteral("(%1) %2").arg(Recette->Page, Recette->LivName);
        const QString Times =
            QStringLiteral("%1' %2' %3'").arg(Recette->TPrep).arg(Recette->TCuisson).arg(Recette->TRepos);
        QString NewDay;
        if (Recette->MenuDate > LastDate) {
            if (LastDate > 0)
                NewDay = QStringLiteral(" newday");
            LastDate = Recette->MenuDate;
        }
        AddRow(QStringLiteral("<tr><td class=\"dateliv%1\"><table class=\"dateliv\"><tr><td class=\"date %2\">%3</td>"
                              "<td class=\"liv\">%4</td><td class=\"temps\">%5</td></tr></table></td></tr>")
                   .arg(NewDay, Html(Repas), Html(DateText), Html(Liv), Html(Times)));
        AddRow(QStringLiteral("<tr><td class=\"rec\">%1</td></tr>").arg(Html(Recette->Name)));
    }

    for (int I = 0; I < Lines.Count(); ++I) {
        if (Lines.GetLineType(I) == TIngredientList::ltRayon) {
            const TLineRayon *Rayon = Lines.GetRayon(I);
            if (Lines.GetIngCount(Rayon->RayCode) != 0)
                AddHeading(Rayon->Text, KVXColorToHtml(Rayon->Color));
        } else if (!Lines.GetChecked(I)) {
            AddRow(QStringLiteral("<tr><td class=\"ing\"><div class=\"check\"></div>%1</td></tr>")
                       .arg(Html(Lines.GetLine(I)->Text)));
        }
    }

    EndColumn();
    FillColumns();
    EndPage();
}

void BuildHtml(const TRecetteList &Menu, TIngredientList &Lines, const QString &TemplateDir, const QString &FileName)
{
    TCoursesPage Page;
    Page.Build(Menu, Lines);

    const auto Template = [&TemplateDir](const QString &Name) {
        const QString File = TemplateDir + QLatin1Char('/') + Name;
        try {
            return KVXDecodeText(KVXReadRegularFile(File, OwnFileMaxSize));
        } catch (const EFileReadError &E) {
            throw UserException::CreateWithUser(
                QStringLiteral("BuildHtml"),
                AddFileFailureReason(Format(QStringLiteral("Le modèle de page \"%s\" ne peut pas être lu."), {File}),
                                     E),
                E);
        }
    };
    QString Header = Template(QStringLiteral("header.tpl"));
    const QString Footer = Template(QStringLiteral("footer.tpl"));
    const QString StyleText = Page.Style.isEmpty() ? QString() : Page.Style.join(LineBreak) + LineBreak;
    const int Place = Header.indexOf(QStringLiteral("%style%"));
    if (Place >= 0)
        Header.replace(Place, 7, StyleText);

    const QString BodyText = Page.Body.isEmpty() ? QString() : Page.Body.join(LineBreak) + LineBreak;
    // One replacement of the whole page: a full disk leaves the older page whole rather than
    // its header alone.
    // The page is written only onto itself: never through a link into another of the
    // program's files.
    KVXWriteLine(FileName, Header + LineBreak + BodyText + LineBreak + Footer, true,
                 Config ? Config->OwnFileCheck(FileName) : TWriteCheck());
}
