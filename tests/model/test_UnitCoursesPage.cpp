#include "ModelTestSupport.h"
#include "UnitCoursesPage.h"
#include "UnitIngredientList.h"

#include "Fifo.h"
#include "FullDisk.h"
#include "KVXFiles.h"
#include "MemoryLimit.h"

#include <QDir>
#include <QFile>

namespace {

class TCoursesPageTest : public TModelTest
{
protected:
    // Recipes planned from day 0, two a day (midi then soir).
    void PlanRecipes(int Count)
    {
        for (int I = 0; I < Count; ++I) {
            const int Code = AddRecipe(QStringLiteral("Recette %1").arg(I), 0, 1);
            Menu.AddRecetteFromCode(1 + I % 2, 2, Start + I / 2, Code);
        }
    }
    void AddShelf(int Code, const QString &Name, TColor Color)
    {
        auto Rayon = std::make_unique<TLineRayon>();
        Rayon->RayCode = Code;
        Rayon->SetName(Name);
        Rayon->Color = Color;
        Lines.Add(std::move(Rayon));
    }
    void AddArticle(const QString &Text, bool Checked = false)
    {
        auto Line = std::make_unique<TLineDivers>(Text);
        Line->Checked = Checked;
        Lines.Add(std::move(Line));
    }

    // Where each row of the body went: "page.column" per row, in order.
    QStringList Places() const
    {
        QStringList Result;
        int Page = 0;
        int Column = 0;
        for (const QString &Fragment : std::as_const(Page_.Body)) {
            if (Fragment.startsWith(QStringLiteral("<table class=\"page\">"))) {
                ++Page;
                Column = 0;
            } else if (Fragment.startsWith(QStringLiteral("<td class=\"column\">"))) {
                ++Column;
            } else if (Fragment.startsWith(QStringLiteral("<tr>"))) {
                Result << QStringLiteral("%1.%2").arg(Page).arg(Column);
            }
        }
        return Result;
    }
    // The body's fragments that hold Text.
    QStringList Rows(const QString &Text) const { return Page_.Body.filter(Text); }

    TIngredientList Lines;
    TCoursesPage Page_;
};

} // namespace

TEST_F(TCoursesPageTest, AnEmptyMenuAndListGiveOnePageOfThreeEmptyColumns)
{
    const QString File = Program.Path(QStringLiteral("liste.html"));
    BuildHtml(Menu, Lines, DataFile(QStringLiteral("html")), File);
    const QString Column = QStringLiteral("<td class=\"column\"><table class=\"column\">\r\n</table></td>\r\n");
    const QString Body = QStringLiteral("<table class=\"page\"><tr>\r\n") + Column + Column + Column +
                         QStringLiteral("</tr></table>\r\n\r\n");
    const QString Header = KVXReadFile(DataFile(QStringLiteral("html/header.tpl")));
    const QString Footer = KVXReadFile(DataFile(QStringLiteral("html/footer.tpl")));
    QString EmptyStyle = Header;
    EmptyStyle.replace(QStringLiteral("%style%"), QString());
    EXPECT_EQ(KVXReadFile(File), EmptyStyle + QStringLiteral("\r\n") + Body + Footer + QStringLiteral("\r\n"));
    EXPECT_TRUE(Header.contains(QStringLiteral("<meta charset=\"utf-8\">")));
}

TEST_F(TCoursesPageTest, RowsFillColumnsOf31AndPagesOfThreeColumns)
{
    // 15 recipes and "Menus" fill the first column exactly: the first shelf starts the second.
    PlanRecipes(15);
    AddShelf(10, QStringLiteral("Fruits"), RGBToColor(1, 2, 3));
    AddArticle(QStringLiteral("pommes"));
    Page_.Build(Menu, Lines);
    QStringList P = Places();
    ASSERT_EQ(P.size(), 33);
    EXPECT_EQ(P[30], QStringLiteral("1.1"));
    EXPECT_EQ(P[31], QStringLiteral("1.2"));
    EXPECT_EQ(Rows(QStringLiteral("rayon1")),
              QStringList{QStringLiteral("<tr><td class=\"rayon rayon1\">Fruits</td></tr>")});
    EXPECT_EQ(Page_.Style, (QStringList{QStringLiteral("td.rayon0 {background-color:#808080;}"),
                                        QStringLiteral("td.rayon1 {background-color:#010203;}")}));

    // Without a menu: a heading and 99 articles. Row 32 opens column 2, row 94 page 2, which
    // alone is preceded by a rule; the last page is completed with empty columns.
    Menu.Clear();
    Lines.Clear();
    AddShelf(RayCodeDivers, QStringLiteral("Divers"), RGBToColor(128, 128, 128));
    for (int I = 0; I < 99; ++I)
        AddArticle(QStringLiteral("article %1").arg(I));
    Page_.Build(Menu, Lines);
    P = Places();
    ASSERT_EQ(P.size(), 100);
    EXPECT_EQ(P[30] + P[31] + P[92] + P[93], QStringLiteral("1.11.21.32.1"));
    EXPECT_EQ(Page_.Body.count(QStringLiteral("<hr>")), 1);
    EXPECT_EQ(Page_.Body.indexOf(QStringLiteral("<hr>")),
              Page_.Body.lastIndexOf(QStringLiteral("<table class=\"page\"><tr>")) - 1);
    EXPECT_EQ(Page_.Body.count(QStringLiteral("<td class=\"column\"><table class=\"column\">")), 6);
    EXPECT_EQ(Page_.Body.last(), QStringLiteral("</tr></table>"));
    // The first heading takes the number 0 without a menu.
    EXPECT_EQ(Rows(QStringLiteral("rayon0")).size(), 1);
    EXPECT_EQ(Page_.Style, QStringList{QStringLiteral("td.rayon0 {background-color:#808080;}")});
}

TEST_F(TCoursesPageTest, RecipeRowsAndShelvesAsPrinted)
{
    PlanRecipes(3);
    Exec(QStringLiteral("insert into livre (name) values ('Cuisine du marché')"));
    Exec(QStringLiteral("update recette set livcode=(select code from livre), page='12', tprep=15, tcuisson=30, "
                        "trepos=5 where name='Recette 1'"));
    for (int I = 0; I < Menu.Count(); ++I) {
        if (Menu.GetLineType(I) == TRecetteList::ltRecette)
            Menu.UpdateInfos(I);
    }
    Page_.Build(Menu, Lines);
    const QStringList Recipes = Rows(QStringLiteral("class=\"dateliv"));
    ASSERT_EQ(Recipes.size(), 3);
    // Day 1 midi and soir, then day 2: only the first recipe of a later day has " newday".
    EXPECT_EQ(Recipes[0], QStringLiteral("<tr><td class=\"dateliv\"><table class=\"dateliv\"><tr><td class=\"date "
                                         "midi\">lun.4 midi</td><td class=\"liv\"></td><td class=\"temps\">0' 0' "
                                         "0'</td></tr></table></td></tr>"));
    EXPECT_TRUE(Recipes[1].contains(QStringLiteral("<td class=\"dateliv\"><table")));
    EXPECT_TRUE(Recipes[1].contains(QStringLiteral(
        "soir\">lun.4 soir</td><td class=\"liv\">(12) Cuisine du marché</td><td class=\"temps\">15' 30' 5'")));
    EXPECT_TRUE(Recipes[2].startsWith(QStringLiteral("<tr><td class=\"dateliv newday\">")));
    EXPECT_EQ(Rows(QStringLiteral("class=\"rec\"")).first(),
              QStringLiteral("<tr><td class=\"rec\">Recette 0</td></tr>"));

    // A shelf whose lines are all crossed off has no heading and uses no number; crossed-off
    // lines are left out, free articles printed.
    AddShelf(10, QStringLiteral("Fruits"), clRed);
    AddArticle(QStringLiteral("pommes"), true);
    AddShelf(20, QStringLiteral("Crèmerie"), clBlue);
    AddArticle(QStringLiteral("beurre"));
    AddArticle(QStringLiteral("lait"), true);
    Page_.Build(Menu, Lines);
    EXPECT_TRUE(Rows(QStringLiteral("Fruits")).isEmpty());
    EXPECT_TRUE(Rows(QStringLiteral("pommes")).isEmpty() && Rows(QStringLiteral("lait")).isEmpty());
    EXPECT_EQ(Rows(QStringLiteral("rayon1")),
              QStringList{QStringLiteral("<tr><td class=\"rayon rayon1\">Crèmerie</td></tr>")});
    EXPECT_EQ(Rows(QStringLiteral("beurre")),
              QStringList{QStringLiteral("<tr><td class=\"ing\"><div class=\"check\"></div>beurre</td></tr>")});
    EXPECT_EQ(Page_.Style.size(), 2);
}

TEST_F(TCoursesPageTest, TextsOfTheMenuAndListCannotTurnIntoMarkup)
{
    const int Code = AddRecipe(QStringLiteral("<b>Gratin</b> & \"co\""), 0, 1);
    Exec(QStringLiteral("insert into livre (name) values ('<i>Livre</i>')"));
    Exec(QStringLiteral("update recette set livcode=(select code from livre), page='<p>'"));
    Menu.AddRecetteFromCode(1, 2, Start, Code);
    AddShelf(10, QStringLiteral("R&D <script>"), clRed);
    AddArticle(QStringLiteral("vis <M6> & écrous"));
    const QString File = Program.Path(QStringLiteral("liste.html"));
    BuildHtml(Menu, Lines, DataFile(QStringLiteral("html")), File);
    const QString Text = KVXReadFile(File);
    EXPECT_TRUE(Text.contains(QStringLiteral("<td class=\"rec\">&lt;b&gt;Gratin&lt;/b&gt; &amp; &quot;co&quot;</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral("<td class=\"liv\">(&lt;p&gt;) &lt;i&gt;Livre&lt;/i&gt;</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral(">R&amp;D &lt;script&gt;</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral("</div>vis &lt;M6&gt; &amp; écrous</td>")));
    EXPECT_FALSE(Text.contains(QStringLiteral("<b>")) || Text.contains(QStringLiteral("<script>")));
    // Written as UTF-8.
    EXPECT_TRUE(KVXReadFileBytes(File).contains("\xc3\xa9"
                                                "crous"));
}

TEST_F(TCoursesPageTest, AMissingTemplateOrAFullDiskLeavesThePreviousPage)
{
    const QString Folder = Program.Path(QStringLiteral("html"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    QFile::copy(DataFile(QStringLiteral("html/header.tpl")), Folder + QStringLiteral("/header.tpl"));
    const QString File = Program.Path(QStringLiteral("liste.html"));
    KVXWriteLine(File, QStringLiteral("ancienne liste"), true);
    EXPECT_NE(ErrorOf([&] { BuildHtml(Menu, Lines, Folder, File); }), QStringLiteral("<no exception>"));
    EXPECT_EQ(KVXReadFile(File), QStringLiteral("ancienne liste\r\n"));

    // Room for the header of a page, not for the whole page.
    PlanRecipes(40);
    TFullDisk Disk;
    const QString Full = Disk.Path(QStringLiteral("liste.html"));
    KVXWriteLine(Full, QStringLiteral("ancienne liste"), true);
    Disk.Fill(4096);
    EXPECT_NE(ErrorOf([&] { BuildHtml(Menu, Lines, DataFile(QStringLiteral("html")), Full); }),
              QStringLiteral("<no exception>"));
    EXPECT_EQ(KVXReadFile(Full), QStringLiteral("ancienne liste\r\n"));
}

TEST_F(TCoursesPageTest, ThePageIsWrittenOnlyOntoItselfAndNoTemplateIsWaitedOn)
{
    // The page as the program writes it, in the program's "html" folder.
    const QString Folder = Program.Cfg->HtmlDir;
    ASSERT_TRUE(QDir().mkpath(Folder));
    for (const char *Name : {"header.tpl", "footer.tpl"})
        ASSERT_TRUE(QFile::copy(DataFile(QStringLiteral("html/") + QLatin1String(Name)),
                                Folder + QLatin1Char('/') + QLatin1String(Name)));
    const QString Page = Folder + QStringLiteral("/liste.html");
    const QString Db = Program.Path(QStringLiteral("recipes.db3"));
    const QByteArray Base = KVXReadFileBytes(Db);
    const auto UserText = [&](const QString &TemplateDir) {
        try {
            BuildHtml(Menu, Lines, TemplateDir, Page);
        } catch (const std::exception &E) {
            return UserException::Create(QStringLiteral("Test"), E).UserMessage;
        }
        return QStringLiteral("<no exception>");
    };

    // A link that leads into another of the program's files is refused, the file untouched.
    for (const QString &Target : {QStringLiteral("../recipes.db3"), QStringLiteral("header.tpl")}) {
        ASSERT_EQ(::symlink(QFile::encodeName(Target).constData(), QFile::encodeName(Page).constData()), 0);
        EXPECT_TRUE(UserText(Folder).startsWith(QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\nCe nom "
                                                               "mène au fichier")
                                                    .arg(Page)))
            << Target.toStdString();
        ASSERT_TRUE(QFile::remove(Page));
    }
    EXPECT_EQ(KVXReadFileBytes(Db), Base);
    EXPECT_EQ(KVXReadFileBytes(Folder + QStringLiteral("/header.tpl")),
              KVXReadFileBytes(DataFile(QStringLiteral("html/header.tpl"))));
    // Onto itself, it is written.
    EXPECT_EQ(UserText(Folder), QStringLiteral("<no exception>"));

    // A FIFO in the page's or a template's place is never waited on, and is named.
    ASSERT_TRUE(QFile::remove(Page));
    {
        TFifo Waiting(Page);
        ASSERT_TRUE(Waiting.Made());
        EXPECT_EQ(UserText(Folder), QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\n\"%1\" n'est pas "
                                                   "un fichier ordinaire.")
                                        .arg(Page));
        EXPECT_FALSE(Waiting.Released()) << "the page waited on the FIFO";
    }
    const QString Header = Folder + QStringLiteral("/header.tpl");
    ASSERT_TRUE(QFile::remove(Header) && QFile::remove(Page));
    {
        TFifo Waiting(Header);
        ASSERT_TRUE(Waiting.Made());
        EXPECT_EQ(UserText(Folder),
                  QStringLiteral("Le modèle de page \"%1\" ne peut pas être lu.\r\n\"%1\" n'est pas "
                                 "un fichier ordinaire.")
                      .arg(Header));
        EXPECT_FALSE(Waiting.Released()) << "the template was waited on";
        EXPECT_FALSE(QFile::exists(Page));
    }

    // A damaged footer of 4 GB, holding no byte on the disk, is never read.
    ASSERT_TRUE(QFile::remove(Header) && QFile::copy(DataFile(QStringLiteral("html/header.tpl")), Header));
    const QString Footer = Folder + QStringLiteral("/footer.tpl");
    ASSERT_EQ(::truncate(QFile::encodeName(Footer).constData(), qint64(4) << 30), 0);
    EXPECT_TRUE(InAChildUnderAMemoryLimit([&] {
        return UserText(Folder) ==
               QStringLiteral("Le modèle de page \"%1\" ne peut pas être lu.\r\nLe fichier \"%1\" est trop grand "
                              "(4,0 Go).")
                   .arg(Footer);
    }));
}

TEST_F(TCoursesPageTest, LongTextsArePrintedWholeAndWrapInsideTheirColumn)
{
    const QString Recipe = QStringLiteral("Steak haché et haricots verts à la provençale, sauce tomate et oignons");
    const QString Book = QStringLiteral("Les meilleures recettes de grand-mère pour toute la famille, tome 2");
    const QString Article = QStringLiteral("0,8 kg Épaule de veau (en morceaux de 3 cm, sans os, ni nerfs ni gras)");
    const QString Shelf = QStringLiteral("Huiles, vinaigres et condiments, épices et aromates du monde entier");
    ASSERT_EQ(Recipe.size(), 70);
    ASSERT_EQ(Article.size(), 70);
    Database->AddParamText(":name", Book);
    Exec(QStringLiteral("insert into livre (name) values (:name)"));
    const int Code = AddRecipe(Recipe, 0, 1);
    Exec(QStringLiteral("update recette set livcode=(select code from livre), page='12' where code=%1").arg(Code));
    Menu.AddRecetteFromCode(1, 2, Start, Code);
    AddShelf(10, Shelf, clRed);
    AddArticle(Article);
    const QString File = Program.Path(QStringLiteral("liste.html"));
    BuildHtml(Menu, Lines, DataFile(QStringLiteral("html")), File);
    const QString Text = KVXReadFile(File);

    // Every text is on the page whole.
    EXPECT_TRUE(Text.contains(QStringLiteral("<td class=\"rec\">") + Recipe + QStringLiteral("</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral("<td class=\"liv\">(12) ") + Book + QStringLiteral("</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral("</div>") + Article + QStringLiteral("</td>")));
    EXPECT_TRUE(Text.contains(QStringLiteral("\">") + Shelf + QStringLiteral("</td>")));
    // And the style sheet lets the browser show it whole: nothing cuts a text, and the cells
    // that may hold a long one wrap it, a long word included.
    for (const char *Cut : {"text-overflow", "overflow: hidden", "overflow:hidden"})
        EXPECT_FALSE(Text.contains(QLatin1String(Cut))) << Cut;
    const QStringList NoWrap = Text.split(QLatin1Char('\n')).filter(QStringLiteral("nowrap"));
    for (const QString &Rule : NoWrap)
        EXPECT_TRUE(Rule.contains(QStringLiteral("td.date")) || Rule.contains(QStringLiteral("td.temps")))
            << Rule.toStdString();
    EXPECT_TRUE(Text.contains(QStringLiteral("overflow-wrap: anywhere")));
}
