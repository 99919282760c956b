#include "UnitCourses.h"

#include "KVXConversion.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitIngredients.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The program started on the starter base with a two-day menu (midi and soir, plats), and
// the shopping-list window shown with its list.
class FormCoursesTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        StartProgram();
        Generate(2, true, true, false, true, false);
        Form = FormCourses;
        ASSERT_NE(Form, nullptr);
        QTest::mouseClick(W->BtCourses, Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_TRUE(Form->isVisible());
        ASSERT_GT(Form->Lines.Count(), 2);
    }

    // The first row of that kind matching Test, -1 when none.
    int FindRow(quint8 Kind, const std::function<bool(const TLine &)> &Test = {}) const
    {
        for (int I = 0; I < Form->Lines.Count(); ++I) {
            if (Form->Lines.GetLineType(I) == Kind && (!Test || Test(*Form->Lines.GetLine(I))))
                return I;
        }
        return -1;
    }
    int MenuIngredient() const
    {
        return FindRow(TIngredientList::ltIngredient, [](const TLine &Line) {
            const auto &Ing = static_cast<const TLineIngredient &>(Line);
            return Ing.FromMenu && Ing.Quantity > 0;
        });
    }
    QRect RowRect(int Row) const { return List()->visualRect(List()->model()->index(Row, 0)); }

    // Opens the popup on row Row (or at Pos when Row < 0) and gives the names of its visible
    // items; the popup is closed again.
    QString PopupAt(int Row, QPoint Pos = QPoint())
    {
        if (Row >= 0)
            Pos = RowRect(Row).center();
        QWidget *Viewport = List()->viewport();
        QContextMenuEvent Event(QContextMenuEvent::Mouse, Pos, Viewport->mapToGlobal(Pos));
        QApplication::sendEvent(Viewport, &Event);
        QStringList Names;
        for (const QAction *Action : Control<QMenu>("PopupList")->actions()) {
            if (Action->isVisible())
                Names << Action->objectName();
        }
        Control<QMenu>("PopupList")->close();
        return Names.join(QLatin1Char(' '));
    }

    // Runs a popup command on row Row, with the input dialogs answered by Texts (the last one
    // accepted or cancelled); gives the texts each dialog showed.
    QStringList RunInput(QAction *Item, int Row, const QStringList &Texts, bool Accept = true)
    {
        PopupAt(Row);
        const auto Shown = AnswerInputs(Texts, Accept);
        Item->trigger();
        return *Shown;
    }

    void TypeArticle(const QString &Text)
    {
        Control<QLineEdit>("EdIng")->setText(Text);
        QTest::keyClick(Control<QLineEdit>("EdIng"), Qt::Key_Return);
    }

    // Controls of the window, found by their names.
    template <class T> T *Control(const char *Name) const { return Child<T>(Form, Name); }
    QListView *List() const { return Control<QListView>("ListIng"); }
    QAction *Item(const char *Name) const { return Control<QAction>(Name); }

    TFormCourses *Form = nullptr;
};

} // namespace

TEST_F(FormCoursesTest, ThePopupOffersWhatSuitsTheLine)
{
    const QString Always = QStringLiteral("MenuAddIng N1");
    // Outside any row, and on a shelf header, only the addition.
    EXPECT_EQ(PopupAt(-1, QPoint(List()->viewport()->width() - 10, 5)), Always);
    EXPECT_EQ(PopupAt(0), Always);
    EXPECT_EQ(Form->PopupIndex, 0);

    // A line of the menu: its recipes with their own quantities, and the quantity items.
    const int Ing = MenuIngredient();
    ASSERT_GE(Ing, 0);
    EXPECT_EQ(PopupAt(Ing), Always + QStringLiteral(" MenuRecItem MenuChangeQuantity MenuShowQuantity"));
    EXPECT_EQ(Item("MenuShowQuantity")->text(), QStringLiteral("Cacher la quantité"));
    ASSERT_FALSE(Control<QMenu>("MenuRec")->actions().isEmpty());
    const QAction *First = Control<QMenu>("MenuRec")->actions().first();
    EXPECT_EQ(First->objectName(), QStringLiteral("MenuRec0"));
    Database->AddParamInt(":code", First->data().toInt());
    const QString Name = Database->GetTableString(QStringLiteral("select name from recette where code=:code"));
    EXPECT_TRUE(First->text().startsWith(Name + QStringLiteral(" - "))) << First->text().toStdString();

    // Changed: the reset item names the computed quantity.
    const QString Initial = Form->Lines.GetIngredient(Ing)->GetInitialQuantityText();
    Form->Changes.ChangeQuantity(Ing, 1);
    EXPECT_EQ(PopupAt(Ing), Always + QStringLiteral(" MenuRecItem MenuChangeQuantity MenuResetIng MenuShowQuantity"));
    EXPECT_EQ(Item("MenuResetIng")->text(), QStringLiteral("Remettre la quantité initiale (%1)").arg(Initial));
    Item("MenuResetIng")->trigger();
    EXPECT_FALSE(Form->Lines.GetIngredient(Ing)->Modified);

    // Hidden quantity: only "Afficher"; crossed off: nothing of the line.
    PopupAt(Ing);
    Item("MenuShowQuantity")->trigger();
    EXPECT_EQ(PopupAt(Ing), Always + QStringLiteral(" MenuRecItem MenuShowQuantity"));
    EXPECT_EQ(Item("MenuShowQuantity")->text(), QStringLiteral("Afficher la quantité"));
    Form->Changes.InvertChecked1(Ing);
    EXPECT_EQ(PopupAt(Ing), Always);

    // What the user added can be deleted, a free article renamed too; neither has recipes.
    TypeArticle(QStringLiteral("piles"));
    const int Article = FindRow(TIngredientList::ltDivers);
    EXPECT_EQ(PopupAt(Article), Always + QStringLiteral(" MenuRename MenuDelete"));
    Form->Changes.AddIng2({3, 0, QString(), 999999, QStringLiteral("truffe"), QString(), 0});
    const int Added = FindRow(TIngredientList::ltIngredient, [](const TLine &Line) {
        return static_cast<const TLineIngredient &>(Line).IngCode == 999999;
    });
    EXPECT_EQ(PopupAt(Added), Always + QStringLiteral(" MenuChangeQuantity MenuShowQuantity MenuDelete"));

    // Deleting asks first.
    TDialogTest::QueueAnswers({mrNo, mrYes});
    PopupAt(Added);
    Item("MenuDelete")->trigger();
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Etes-vous sûr de vouloir supprimer cet ingrédient ?\r\n(3 truffe)"));
    EXPECT_EQ(Form->Lines.GetIngredient(Added)->IngCode, 999999);
    Item("MenuDelete")->trigger();
    EXPECT_EQ(FindRow(TIngredientList::ltIngredient,
                      [](const TLine &Line) { return static_cast<const TLineIngredient &>(Line).IngCode == 999999; }),
              -1);
}

TEST_F(FormCoursesTest, TheQuantityDialogAsksAgainUntilANumberAtLeastZero)
{
    const int Ing = MenuIngredient();
    ASSERT_GE(Ing, 0);
    const TLineIngredient *Line = Form->Lines.GetIngredient(Ing);
    const QString Title = Line->Text;
    const QString Old = KVXFloatToString(Line->Quantity);
    EXPECT_EQ(
        RunInput(Item("MenuChangeQuantity"), Ing, {QStringLiteral("abc"), QStringLiteral("-2"), QStringLiteral("1,5")}),
        (QStringList{Title + QStringLiteral("|Quantité :|") + Old, Title + QStringLiteral("|Quantité :|abc"),
                     Title + QStringLiteral("|Quantité :|-2")}));
    EXPECT_EQ(Form->Lines.GetIngredient(Ing)->Quantity, 1.5);
    EXPECT_TRUE(Form->Lines.GetIngredient(Ing)->Modified);
    // Cancel changes nothing; 0 crosses a line of the menu off.
    RunInput(Item("MenuChangeQuantity"), Ing, {QStringLiteral("7")}, false);
    EXPECT_EQ(Form->Lines.GetIngredient(Ing)->Quantity, 1.5);
    RunInput(Item("MenuChangeQuantity"), Ing, {QStringLiteral("0")});
    EXPECT_TRUE(Form->Lines.GetIngredient(Ing)->Checked);
    EXPECT_EQ(ModalsAnswered(), 1);
}

TEST_F(FormCoursesTest, ArticlesAreTypedAndRenamedUnlessTheNameIsTaken)
{
    // Blanks around are dropped; typed twice, it is there twice.
    TypeArticle(QStringLiteral("  pain  "));
    EXPECT_TRUE(Control<QLineEdit>("EdIng")->text().isEmpty());
    TypeArticle(QStringLiteral("pain"));
    TypeArticle(QStringLiteral("lait"));
    const int Pain = FindRow(TIngredientList::ltDivers);
    ASSERT_GE(Pain, 0);
    EXPECT_EQ(Form->Lines.GetLine(Pain)->Text + Form->Lines.GetLine(Pain + 1)->Text, QStringLiteral("painpain"));
    EXPECT_TRUE(Form->Lines.GetDivers(Pain)->Modified);
    EXPECT_EQ(Form->Lines.GetDivers(Pain)->RayCode, RayCodeDivers);

    // The text of an ingredient line is refused, and stays in the entry.
    const QString Taken = Form->Lines.GetLine(MenuIngredient())->Text;
    TDialogTest::QueueAnswers({mrOk});
    TypeArticle(Taken.toUpper());
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Cet article existe déjà dans votre liste."));
    EXPECT_EQ(Control<QLineEdit>("EdIng")->text(), Taken.toUpper());

    // Renaming to another line's name or to its own asks again, with the message each time.
    TDialogTest::QueueAnswers({mrOk, mrOk});
    const QStringList Shown =
        RunInput(Item("MenuRename"), Pain + 1,
                 {QStringLiteral("LAIT"), QStringLiteral(" pain "), QStringLiteral(""), QStringLiteral("  baguette ")});
    EXPECT_EQ(Shown, (QStringList{QStringLiteral("pain|Nom :|pain"), QStringLiteral("pain|Nom :|LAIT"),
                                  QStringLiteral("pain|Nom :|pain"), QStringLiteral("pain|Nom :|")}));
    EXPECT_EQ(TDialogTest::ShowCount(), 3);
    EXPECT_EQ(Form->Lines.GetLine(Pain + 1)->Text, QStringLiteral("baguette"));
    EXPECT_EQ(Form->Changes.AddedLines.IndexOf2(QStringLiteral("baguette")), 0);
    // The renamed article survives a refresh.
    QTest::mouseClick(Control<TSevenButton>("BtRefresh"), Qt::LeftButton);
    EXPECT_GE(Form->Lines.IndexOf2(QStringLiteral("baguette")), 0);
}

TEST_F(FormCoursesTest, CheckBoxesAndDoubleClicksCrossOffIngredientLinesOnly)
{
    const int Ing = MenuIngredient();
    QWidget *Viewport = List()->viewport();
    const TCoursesRowGeometry G = CoursesRowGeometry(RowRect(Ing));
    QTest::mouseClick(Viewport, Qt::LeftButton, {}, G.CheckBox.center());
    EXPECT_TRUE(Form->Lines.GetChecked(Ing));
    EXPECT_EQ(List()->model()->index(Ing, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    // A click on the text does nothing; a double click restores it.
    QTest::mouseClick(Viewport, Qt::LeftButton, {}, G.Text.center());
    EXPECT_TRUE(Form->Lines.GetChecked(Ing));
    QTest::mouseDClick(Viewport, Qt::LeftButton, {}, G.Text.center());
    EXPECT_FALSE(Form->Lines.GetChecked(Ing));
    EXPECT_EQ(Form->Changes.CheckedLines.Count(), 0);

    // Shelf headers and free articles ignore both.
    TypeArticle(QStringLiteral("piles"));
    const int Article = FindRow(TIngredientList::ltDivers);
    for (const int Row : {0, Article}) {
        QTest::mouseClick(Viewport, Qt::LeftButton, {}, CoursesRowGeometry(RowRect(Row)).CheckBox.center());
        QTest::mouseDClick(Viewport, Qt::LeftButton, {}, RowRect(Row).center());
    }
    EXPECT_FALSE(Form->Lines.GetChecked(Article));
    EXPECT_EQ(Form->Changes.CheckedLines.Count(), 0);
}

TEST_F(FormCoursesTest, ResetPrintAndShowingAgain)
{
    // Reset asks, then forgets the additions and crossed-off lines.
    TypeArticle(QStringLiteral("piles"));
    Form->Changes.InvertChecked1(MenuIngredient());
    TDialogTest::QueueAnswers({mrNo});
    QTest::mouseClick(Control<TSevenButton>("BtReset"), Qt::LeftButton);
    EXPECT_GE(Form->Lines.IndexOf2(QStringLiteral("piles")), 0);
    TDialogTest::QueueAnswers({mrYes});
    QTest::mouseClick(Control<TSevenButton>("BtReset"), Qt::LeftButton);
    EXPECT_TRUE(TDialogTest::LastMessage().startsWith(
        QStringLiteral("Etes-vous sûr de vouloir réinitialiser la liste de courses ?\r\n")));
    EXPECT_EQ(Form->Lines.IndexOf2(QStringLiteral("piles")), -1);
    EXPECT_EQ(Form->Changes.CheckedLines.Count() + Form->Changes.AddedLines.Count(), 0);

    // Printing records the history, writes the page beside the program and opens it.
    const QString Html = Program->Path(QStringLiteral("html"));
    ASSERT_TRUE(QDir().mkpath(Html));
    for (const char *Name : {"header.tpl", "footer.tpl"})
        ASSERT_TRUE(QFile::copy(DataFile(QStringLiteral("html/") + QLatin1String(Name)),
                                Html + QLatin1Char('/') + QLatin1String(Name)));
    const QString CountHistory = QStringLiteral("select count(*) from historique");
    const int Before = Database->GetTableString(CountHistory).toInt();
    QTest::mouseClick(Control<TSevenButton>("BtView"), Qt::LeftButton);
    EXPECT_EQ(OpenedDocuments, QStringList{Html + QStringLiteral("/liste.html")});
    EXPECT_EQ(Database->GetTableString(CountHistory).toInt(), Before + 4);
    EXPECT_TRUE(QFile::exists(Html + QStringLiteral("/liste.html")));
    // No browser could be started: the user is told where the page is.
    DocumentsOpen = false;
    TDialogTest::QueueAnswers({mrOk});
    QTest::mouseClick(Control<TSevenButton>("BtView"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastKind(), dtInfo);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La liste a été enregistrée dans le fichier \"%1/liste.html\".\r\n"
                             "Ouvrez-le avec votre navigateur pour l'imprimer.")
                  .arg(Html));

    // Showing it again, minimised, brings it back with a fresh list.
    Form->showMinimized();
    Form->Changes.Lines.Clear();
    Form->Show();
    EXPECT_FALSE(Form->isMinimized());
    EXPECT_GT(Form->Lines.Count(), 2);
}

TEST(FormCourses, ShowingWithoutAMenuIsAnError)
{
    TFormCourses Form;
    const TFailure Failure = FailureOf([&] { Form.Show(); });
    EXPECT_EQ(Failure.UserMessage, QStringLiteral("List is not assigned"));
    EXPECT_FALSE(Form.isVisible());
}

// The window's controls are built at its first showing; what the main window and the menu
// files call before that works on the list alone, and the first showing displays it.
class FormCoursesUnshownTest : public TMenusTest
{
};

TEST_F(FormCoursesUnshownTest, TheListWorksBeforeTheFirstShowing)
{
    StartProgram();
    Generate(2, true, true, false, true, false);
    TFormCourses *Form = FormCourses;
    ASSERT_NE(Form, nullptr);
    EXPECT_EQ(Form->findChild<QListView *>(QStringLiteral("ListIng")), nullptr);

    Form->RefreshList();
    const int Count = Form->Lines.Count();
    EXPECT_GT(Count, 2);
    EXPECT_EQ(Form->RowAt(QPoint(10, 10)), -1);
    Form->InvertChecked2(QPoint(10, 10));
    Form->ClearUserLists();
    Form->BuildContextMenu(-1);
    auto *Popup = Form->findChild<QMenu *>(QStringLiteral("PopupList"));
    ASSERT_NE(Popup, nullptr);
    EXPECT_TRUE(Popup->findChild<QAction *>(QStringLiteral("MenuAddIng"))->isVisible());
    EXPECT_FALSE(Popup->findChild<QAction *>(QStringLiteral("MenuDelete"))->isVisible());

    QTest::mouseClick(W->BtCourses, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(Form->isVisible());
    auto *List = Form->findChild<QListView *>(QStringLiteral("ListIng"));
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(Form->Lines.Count(), Count);
    EXPECT_EQ(List->model()->rowCount(), Count);
    EXPECT_GT(List->visualRect(List->model()->index(0, 0)).width(), 0);
    EXPECT_EQ(Form->findChild<QWidget *>(QStringLiteral("Panel1"))->width(), Form->width());
}

TEST_F(FormCoursesTest, RowsArePaintedFromTheirLines)
{
    // Within an item: the check box lies under the header band and under the cover of a free
    // article, and the text stops before the column separator.
    const TCoursesRowGeometry G = CoursesRowGeometry(QRect(0, 40, 300, 20));
    EXPECT_TRUE(G.Band.contains(G.CheckBox) && G.CheckCover.contains(G.CheckBox));
    EXPECT_FALSE(G.Cell.intersects(G.CheckBox));
    EXPECT_LT(G.Text.right(), G.Separator.x1());

    // Painted: the shelf's colour over the whole band, the separator in grey, and a free
    // article's check box hidden in white.
    TypeArticle(QStringLiteral("piles"));
    QApplication::processEvents();
    QWidget *Viewport = List()->viewport();
    const QImage Image = Form->grab().toImage();
    auto Pixel = [&](const QPoint &P) { return Image.pixelColor(Viewport->mapTo(Form, P)); };
    const TCoursesRowGeometry Header = CoursesRowGeometry(RowRect(0));
    EXPECT_EQ(Pixel(Header.Band.topLeft() + QPoint(1, 1)), TColorToQColor(Form->Lines.GetLine(0)->Color));
    EXPECT_EQ(Pixel(Header.CheckBox.center()), TColorToQColor(Form->Lines.GetLine(0)->Color));
    const TCoursesRowGeometry Line = CoursesRowGeometry(RowRect(MenuIngredient()));
    EXPECT_EQ(Pixel(Line.Separator.p1() + QPoint(0, 3)), QColor(0xBE, 0xBE, 0xBE));
    const TCoursesRowGeometry Article = CoursesRowGeometry(RowRect(FindRow(TIngredientList::ltDivers)));
    for (const QPoint &P : {Article.CheckBox.topLeft(), Article.CheckBox.center()})
        EXPECT_EQ(Pixel(P), QColor(Qt::white));
}

TEST_F(FormCoursesTest, AnIngredientPickedWithThePickerGoesAtTheEndOfItsShelf)
{
    // An ingredient of a shelf that the menu does not use yet.
    QStringList Used;
    for (int I = 0; I < Form->Lines.Count(); ++I) {
        if (Form->Lines.GetLineType(I) == TIngredientList::ltIngredient)
            Used << QString::number(Form->Lines.GetIngredient(I)->IngCode);
    }
    const auto Picked = Database->GetTable(
        QStringLiteral("select code, name, raycode from ingredient where raycode is not null and code not in (%1) "
                       "order by code limit 1")
            .arg(Used.join(QLatin1Char(','))));
    ASSERT_FALSE(Picked->Eof());
    const int Code = int(Picked->FieldAsInteger(QStringLiteral("code")));
    const QString Name = Picked->FieldAsString(QStringLiteral("name"));
    const int RayCode = int(Picked->FieldAsInteger(QStringLiteral("raycode")));

    AnswerModals({[&](QWidget *Modal) {
        auto *Picker = qobject_cast<TFormIngredients *>(Modal);
        ASSERT_NE(Picker, nullptr);
        EXPECT_EQ(Picker->windowTitle(), QStringLiteral("Ajouter un ingrédient"));
        auto *Ingredients = Picker->findChild<QComboBox *>(QStringLiteral("ComboIng"));
        ASSERT_NE(Ingredients, nullptr);
        Ingredients->setCurrentIndex(Ingredients->findText(Name));
        Picker->findChild<QLineEdit *>(QStringLiteral("EdQuantity"))->setText(QStringLiteral("2"));
        QTest::mouseClick(Picker->findChild<TSevenButton *>(QStringLiteral("BtOk")), Qt::LeftButton);
    }});
    PopupAt(0);
    Item("MenuAddIng")->trigger();
    EXPECT_EQ(ModalsAnswered(), 1);

    const int Row = FindRow(TIngredientList::ltIngredient, [Code](const TLine &Line) {
        return static_cast<const TLineIngredient &>(Line).IngCode == Code;
    });
    ASSERT_GE(Row, 0);
    const TLineIngredient *Line = Form->Lines.GetIngredient(Row);
    EXPECT_EQ(Line->Text, QStringLiteral("2 ") + Name);
    EXPECT_TRUE(Line->Modified && !Line->FromMenu);
    // Last of its shelf, under its shelf's header.
    EXPECT_EQ(Form->Lines.GetIngIndex(Row), Row + 1);
    int Header = Row;
    while (Form->Lines.GetLineType(Header) != TIngredientList::ltRayon)
        --Header;
    EXPECT_EQ(Form->Lines.GetRayon(Header)->RayCode, RayCode);
    EXPECT_EQ(Form->Changes.AddedLines.Count(), 1);
}

TEST_F(FormCoursesTest, EscapeInTheArticleFieldClosesTheWindowAndKeepsTheList)
{
    // The keys go where the user's keyboard sends them: to the focus of the active window.
    auto Press = [](Qt::Key Key) {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000))
            << "no window takes the keys";
        QTest::keyClick(QApplication::focusWidget(), Key);
    };
    // The user brings the window to the front, as a click on it does.
    auto Activate = [this] {
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form));
    };
    TypeArticle(QStringLiteral("piles"));
    Activate();
    Control<QLineEdit>("EdIng")->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    QTest::mouseClick(W->BtCourses, Qt::LeftButton);
    ASSERT_TRUE(Form->isVisible());
    EXPECT_GE(Form->Lines.IndexOf2(QStringLiteral("piles")), 0);
    Activate();

    // The same once the ingredient picker opened from the window has closed.
    AnswerModals({[](QWidget *Picker) { QTest::keyClick(Picker, Qt::Key_Escape); }});
    PopupAt(0);
    Item("MenuAddIng")->trigger();
    EXPECT_EQ(ModalsAnswered(), 1);
    Control<QLineEdit>("EdIng")->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
}
