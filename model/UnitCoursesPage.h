// The printable shopping list: one HTML page made of the header template (with the shelf
// colours in place of its "%style%"), pages of three columns of at most 31 rows holding the
// menu's recipes and then the shelves with what is left to buy, and the footer template.
#pragma once

#include <QString>
#include <QStringList>

class TIngredientList;
class TRecetteList;

// Writes the page for Menu and Lines to FileName (replaced), with the templates "header.tpl"
// and "footer.tpl" of TemplateDir. Every text taken from the menu or the list is HTML-escaped.
// A template that cannot be read (missing, or a FIFO or a device in its place, never waited
// on) fails before anything is written, with a French user text naming it and why. The page
// is written onto itself only: a link that leads into another of the program's files is
// refused (Config->OwnFileCheck).
void BuildHtml(const TRecetteList &Menu, TIngredientList &Lines, const QString &TemplateDir, const QString &FileName);

// The build of one page: the body's fragments, the colour rules and the layout counters.
class TCoursesPage
{
public:
    static constexpr int RowsPerColumn = 31;
    static constexpr int ColumnsPerPage = 3;

    // Fills Body and Style from Menu and Lines.
    void Build(const TRecetteList &Menu, TIngredientList &Lines);

    QStringList Body;
    QStringList Style;
    int PageCount = 0;
    int ColumnCount = 0;
    int RowCount = 0;
    int StyleIndex = 0;

private:
    void InitLayout();
    void StartPage();
    void EndPage();
    void StartColumn();
    void EndColumn();
    void FillColumns();
    void AddRow(const QString &Fragment);
    void AddRayonStyle(const QString &Color);
    void AddHeading(const QString &Text, const QString &Color);
};
