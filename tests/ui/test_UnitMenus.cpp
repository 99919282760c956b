// The main window driven as the user drives it: start-up, the enabling rule, the error box,
// the generation, the grid's context menu and commands, the drag of a recipe, the link and
// the wheel.
#include "MenusTestSupport.h"

#include "DrawGrid.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitCourses.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitMenus.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

namespace {

// The menu as one line: "D<day>" a day header, "M<meal>" a meal header, "r<type>" a recipe.
QString Shape(const TRecetteList &Menu)
{
    QStringList Parts;
    for (int I = 0; I < Menu.Count(); ++I) {
        switch (Menu.GetLineType(I)) {
        case TRecetteList::ltDate:
            Parts << QStringLiteral("D%1").arg(DateTimeToQDate(Menu.GetDate(I)->Date).day());
            break;
        case TRecetteList::ltRepas:
            Parts << QStringLiteral("M%1").arg(Menu.GetRepas(I)->Repas);
            break;
        default:
            Parts << QStringLiteral("r%1").arg(Menu.GetRecette(I)->Type_);
            break;
        }
    }
    return Parts.join(QLatin1Char(' '));
}

QStringList VisibleItems(const QMenu *Popup)
{
    QStringList Names;
    for (const QAction *Action : Popup->actions()) {
        if (Action->isVisible() && !Action->isSeparator())
            Names << Action->objectName();
    }
    return Names;
}

const QString NoRecetteLeft = QStringLiteral(
    "Plus aucune recette disponible dans la base.\r\n"
    "Vérifiez que votre base contient suffisamment de recettes par rapport au nombre de menus à générer.\r\n"
    "Vérifiez également l'historique dans les options.");

} // namespace

TEST_F(TMenusTest, StartsWithItsStatusVersionAndGenerationRule)
{
    StartProgram();
    TFormMenus *W = Window();
    EXPECT_TRUE(W->isVisible());
    EXPECT_EQ(W->windowTitle(), QStringLiteral("Fenolda"));
    EXPECT_EQ(W->StatusPanel0->text(), QStringLiteral("*"));
    EXPECT_EQ(W->StatusPanel1->text(), QStringLiteral("version 2.1.0"));
    EXPECT_EQ(W->EdDays->text(), QStringLiteral("5"));
    EXPECT_EQ(W->EdPers->text(), QStringLiteral("2"));
    EXPECT_EQ(W->EdStartDate->date(), QDate(2024, 10, 5));
    EXPECT_TRUE(W->CbSaison->isChecked());
    EXPECT_NE(Database, nullptr) << "the working database is created from the base and opened";
    EXPECT_TRUE(QFile::exists(Dir.filePath(QStringLiteral("recipes.db3"))));
    EXPECT_EQ(FormCourses->Menu, W->Menu.get());
    EXPECT_EQ(TFormDialog::ShowCount, 0);

    // The version site cannot be reached: the check is logged and the update picture hidden.
    EXPECT_FALSE(W->ImgUpdate->isVisible());
    EXPECT_TRUE(W->UpdateUrl.isEmpty());
    EXPECT_EQ(LogLines(QStringLiteral("[TConfig.CheckVersion]")).size(), 1);

    // "Générer le menu" wants a meal and a dish type; the season box does not count.
    EXPECT_FALSE(W->BtGenerate->isEnabled());
    Click(W->CbMidi);
    EXPECT_FALSE(W->BtGenerate->isEnabled());
    Click(W->CbPlat);
    EXPECT_TRUE(W->BtGenerate->isEnabled());
    Click(W->CbSaison);
    EXPECT_TRUE(W->BtGenerate->isEnabled());
    Click(W->CbMidi);
    EXPECT_FALSE(W->BtGenerate->isEnabled());
    Click(W->CbSaison);
    EXPECT_FALSE(W->BtGenerate->isEnabled());
    Click(W->CbSoir);
    EXPECT_TRUE(W->BtGenerate->isEnabled());

    // Persons that are not a whole number count as 2.
    for (const char *Text : {"abc", "", "1.5"}) {
        W->EdPers->setText(QString::fromLatin1(Text));
        EXPECT_EQ(W->GetPersons(), 2) << Text;
    }
    W->EdPers->setText(QStringLiteral("6"));
    EXPECT_EQ(W->GetPersons(), 6);

    // When a newer version is announced, the picture opens its download page.
    W->UpdateUrl = QStringLiteral("http://127.0.0.1:9/version.php?sw=fenolda&req=dl&ver=3.0.0");
    W->ImgUpdate->show();
    QTest::mouseClick(W->ImgUpdate, Qt::LeftButton);
    EXPECT_EQ(OpenedDocuments, QStringList{W->UpdateUrl});

    // An empty menu never saved: nothing to ask, the window closes.
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TFormDialog::ShowCount, 0);
}

TEST_F(TMenusTest, InputFieldsAreTintedWhileTheyHaveTheFocus)
{
    StartProgram();
    TFormMenus *W = Window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    const QColor Tint(0xEB, 0xFD, 0xD7);
    W->EdDays->setFocus();
    EXPECT_EQ(W->EdDays->palette().color(QPalette::Base), Tint);
    W->EdStartDate->setFocus();
    EXPECT_EQ(W->EdDays->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(W->EdStartDate->palette().color(QPalette::Base), Tint);
}

TEST_F(TMenusTest, DatabaseThatCannotBeCreatedReachesTheErrorBoxAndTheWindowStays)
{
    // Neither recipes.db3 nor recipes-base.db3 in the program folder.
    TFormDialog::QueuedAnswers.push_back(1);
    StartProgram(TBase::None);
    TFormMenus *W = Window();
    EXPECT_TRUE(W->isVisible());
    EXPECT_EQ(Database, nullptr);
    EXPECT_EQ(TFormDialog::ShowCount, 1);
    EXPECT_EQ(TFormDialog::LastKind, dtError);
    EXPECT_EQ(TFormDialog::LastButtons, dbAuto);
    const QString DbFile = QDir(Dir.path()).filePath(QStringLiteral("recipes.db3"));
    EXPECT_EQ(TFormDialog::LastMessage,
              QStringLiteral("Impossible de créer la base de données \"%1\".").arg(DbFile) + ClosingRequest());
    const QStringList Lines = LogLines(QStringLiteral("[TFormMenus.AppEventsException] [TFormMenus.FormShow]"));
    EXPECT_EQ(Lines.size(), 1);
}

TEST_F(TMenusTest, ErrorBoxShowsTheUserTextOrTheMessageWithTheClosingRequest)
{
    StartProgram();
    EXPECT_TRUE(ClosingRequest().startsWith(
        QStringLiteral("\r\nSi le problème persiste, veuillez contacter l'auteur à l'adresse ")));
    EXPECT_TRUE(ClosingRequest().endsWith(QStringLiteral(" et envoyez-lui votre fichier \"Fenolda.log\".")));

    // A plain exception shows its message.
    TFormDialog::QueuedAnswers.push_back(1);
    Guard([] { throw Exception(QStringLiteral("Accès refusé")); });
    EXPECT_EQ(TFormDialog::LastMessage, QStringLiteral("Accès refusé") + ClosingRequest());
    EXPECT_EQ(TFormDialog::LastKind, dtError);

    // A program error shows its user text; the routines it passed through go to the log.
    TFormDialog::QueuedAnswers.push_back(1);
    Guard([] {
        Wrap("TFormMenus.Essai", [] { throw UserException::CreateUser(QStringLiteral("Le fichier est illisible.")); });
    });
    EXPECT_EQ(TFormDialog::LastMessage, QStringLiteral("Le fichier est illisible.") + ClosingRequest());

    // Without a user text, only the closing request is shown.
    TFormDialog::QueuedAnswers.push_back(1);
    Guard([] { Wrap("TFormMenus.Essai", [] { throw Exception(QStringLiteral("index 7")); }); });
    EXPECT_EQ(TFormDialog::LastMessage, ClosingRequest());
    EXPECT_EQ(TFormDialog::ShowCount, 3);

    const QStringList Lines = LogLines(QStringLiteral("[TFormMenus.AppEventsException]"));
    ASSERT_EQ(Lines.size(), 3);
    EXPECT_TRUE(Lines[0].endsWith(QStringLiteral("] Accès refusé")));
    EXPECT_TRUE(Lines[1].endsWith(QStringLiteral("[TFormMenus.Essai] Le fichier est illisible.")));
    EXPECT_TRUE(Lines[2].endsWith(QStringLiteral("[TFormMenus.Essai] index 7")));

    // An error raised before the message box exists waits for it.
    TFormDialog *Box = FormDialog;
    FormDialog = nullptr;
    Window()->AppEventsException(Exception(QStringLiteral("Trop tôt")));
    FormDialog = Box;
    EXPECT_EQ(TFormDialog::ShowCount, 3);
    TFormDialog::QueuedAnswers.push_back(1);
    Window()->ShowPendingErrors();
    EXPECT_EQ(TFormDialog::ShowCount, 4);
    EXPECT_EQ(TFormDialog::LastMessage, QStringLiteral("Trop tôt") + ClosingRequest());
}

TEST_F(TMenusTest, GenerationVisitsDaysMealsAndDishTypesInOrder)
{
    StartProgram();
    TFormMenus *W = Window();

    // The same draws made directly on a menu, in the order the window must follow.
    TRecetteList Expected;
    RandSeed(7);
    for (int Day = 0; Day < 2; ++Day) {
        for (int Repas : {1, 2}) {
            for (int Type : {0, 2})
                Expected.AddRandomRecette(Repas, 2, Day1 + Day, Type, true);
        }
    }
    RandSeed(7);
    Generate(2, true, true, true, false, true);
    EXPECT_EQ(TFormDialog::ShowCount, 0);
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r0 r2 M2 r0 r2 D6 M1 r0 r2 M2 r0 r2"));
    EXPECT_EQ(W->Menu->GetCodeList(), Expected.GetCodeList());
    EXPECT_EQ(W->GridMenus->RowCount(), 14);
    EXPECT_EQ(W->GridMenus->Row(), 0);
    for (int I = 0; I < W->Menu->Count(); ++I) {
        const int Height = W->GridMenus->RowHeight(I);
        switch (W->Menu->GetLineType(I)) {
        case TRecetteList::ltDate:
            EXPECT_EQ(Height, 25);
            break;
        case TRecetteList::ltRepas:
            EXPECT_EQ(Height, 15);
            break;
        default:
            EXPECT_TRUE(Height == 55 || Height == 80 || Height == 85 || Height == 110) << Height;
            EXPECT_EQ(Height, RecetteRowHeight(*W->Menu->GetRecette(I)));
            EXPECT_EQ(W->Menu->GetRecette(I)->MenuPers, 2);
        }
    }

    // Generating again adds to the menu; a day count that is not a number gives one day,
    // zero gives none.
    W->GridMenus->SetRow(5);
    W->Menu->Clear();
    W->EdDays->setText(QStringLiteral("abc"));
    QTest::mouseClick(W->BtGenerate, Qt::LeftButton);
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r0 r2 M2 r0 r2"));
    EXPECT_EQ(W->GridMenus->Row(), 0);
    W->EdDays->setText(QStringLiteral("0"));
    QTest::mouseClick(W->BtGenerate, Qt::LeftButton);
    EXPECT_EQ(W->Menu->Count(), 7);
}

TEST_F(TMenusTest, RecipesRunningOutKeepTheDaysDrawnAndShowTheUserText)
{
    // Three entrées and two desserts: the third day gets its entrée, then no dessert is left.
    for (const char *Name : {"Salade", "Potage", "Terrine"})
        BaseSql << QStringLiteral("INSERT INTO recette (name, repas, type_, saison) VALUES ('%1', 0, 0, 0)")
                       .arg(QString::fromUtf8(Name));
    for (const char *Name : {"Tarte", "Crème"})
        BaseSql << QStringLiteral("INSERT INTO recette (name, repas, type_, saison) VALUES ('%1', 0, 2, 0)")
                       .arg(QString::fromUtf8(Name));
    StartProgram(TBase::Schema);
    TFormMenus *W = Window();
    TFormDialog::QueuedAnswers.push_back(1);
    Generate(5, true, false, true, false, true);

    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r0 r2 D6 M1 r0 r2 D7 M1 r0"));
    EXPECT_EQ(W->GridMenus->RowCount(), 11) << "the grid shows what was drawn before the failure";
    EXPECT_EQ(W->GridMenus->Row(), 0);
    EXPECT_EQ(TFormDialog::ShowCount, 1);
    EXPECT_EQ(TFormDialog::LastMessage, NoRecetteLeft + ClosingRequest());
    const QStringList Lines = LogLines(QStringLiteral("[TFormMenus.AppEventsException] [TFormMenus.BtGenerateClick]"));
    EXPECT_EQ(Lines.size(), 1);
}

TEST_F(TMenusTest, ContextMenuShowsTheItemsOfTheRowUnderThePointer)
{
    StartProgram();
    TFormMenus *W = Window();
    QMenu *Popup = W->findChild<QMenu *>(QStringLiteral("PopupGrid"));
    ASSERT_NE(Popup, nullptr);
    const QStringList Order = {QStringLiteral("MenuAdd"),  QStringLiteral("MenuShift"),  QStringLiteral("N2"),
                               QStringLiteral("MenuEdit"), QStringLiteral("MenuChange"), QStringLiteral("MenuOpen"),
                               QStringLiteral("N1"),       QStringLiteral("MenuDelete"), QStringLiteral("MenuClear")};
    QStringList Names;
    for (const QAction *Action : Popup->actions())
        Names << Action->objectName();
    EXPECT_EQ(Names, Order);

    ContextMenuAt(QPoint(20, 20));
    EXPECT_EQ(VisibleItems(Popup), QStringList{QStringLiteral("MenuAdd")}) << "an empty grid";
    Popup->hide();

    Generate(1, true, true, false, true, false);
    ASSERT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 M2 r1"));

    ContextMenuAt(RowCentre(0));
    EXPECT_EQ(VisibleItems(Popup), (QStringList{QStringLiteral("MenuAdd"), QStringLiteral("MenuShift"),
                                                QStringLiteral("MenuDelete"), QStringLiteral("MenuClear")}));
    EXPECT_EQ(W->MenuDelete->text(), QStringLiteral("Supprimer les recettes de ce jour"));
    Popup->hide();

    ContextMenuAt(RowCentre(3));
    EXPECT_EQ(W->GridMenus->Row(), 3) << "the row under the pointer becomes the selected one";
    EXPECT_EQ(VisibleItems(Popup),
              (QStringList{QStringLiteral("MenuAdd"), QStringLiteral("MenuDelete"), QStringLiteral("MenuClear")}));
    EXPECT_EQ(W->MenuDelete->text(), QStringLiteral("Supprimer les recettes de ce repas"));
    Popup->hide();

    ContextMenuAt(RowCentre(4));
    EXPECT_EQ(W->GridMenus->Row(), 4);
    EXPECT_EQ(VisibleItems(Popup),
              (QStringList{QStringLiteral("MenuAdd"), QStringLiteral("MenuEdit"), QStringLiteral("MenuChange"),
                           QStringLiteral("MenuOpen"), QStringLiteral("MenuDelete"), QStringLiteral("MenuClear")}));
    EXPECT_EQ(W->MenuDelete->text(), QStringLiteral("Supprimer la recette"));
    Popup->hide();

    // From the keyboard there is no row under the pointer.
    ContextMenuAt(QPoint(0, 0), false);
    EXPECT_EQ(VisibleItems(Popup), (QStringList{QStringLiteral("MenuAdd"), QStringLiteral("MenuClear")}));
    EXPECT_EQ(W->GridMenus->Row(), 4);
    Popup->hide();
}

TEST_F(TMenusTest, AddingPresetsTheDayAndMealOfTheSelectedRow)
{
    StartProgram();
    TFormMenus *W = Window();
    W->EdPers->setText(QStringLiteral("3"));
    struct TSeen
    {
        QString Title;
        QDate Day;
        bool Soir = false;
        bool Plat = false;
        QString Pers;
    } Seen;
    auto Record = [&Seen](QWidget *Modal) {
        auto *Editor = qobject_cast<TFormEditRec *>(Modal);
        ASSERT_NE(Editor, nullptr);
        Seen = {Editor->windowTitle(), Editor->EdDay->date(), Editor->RbSoir->isChecked(), Editor->RbPlat->isChecked(),
                Editor->EdPers->text()};
        QTest::keyClick(Editor, Qt::Key_Escape);
    };

    // An empty grid: today, midi, plat and the window's persons.
    AnswerModals({Record});
    W->MenuAdd->trigger();
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(Seen.Title, QStringLiteral("Ajouter"));
    EXPECT_EQ(Seen.Day, QDate(2024, 10, 5));
    EXPECT_FALSE(Seen.Soir);
    EXPECT_TRUE(Seen.Plat);
    EXPECT_EQ(Seen.Pers, QStringLiteral("3"));
    EXPECT_EQ(W->Menu->Count(), 0) << "cancelling adds nothing";

    // A soir meal row of the second day: that day and soir; its day row: midi.
    Generate(2, true, true, false, false, true);
    ASSERT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r2 M2 r2 D6 M1 r2 M2 r2"));
    W->GridMenus->SetRow(8);
    AnswerModals({Record});
    W->MenuAdd->trigger();
    EXPECT_EQ(Seen.Day, QDate(2024, 10, 6));
    EXPECT_TRUE(Seen.Soir);
    EXPECT_TRUE(Seen.Plat) << "the dish type always starts at plat";
    W->GridMenus->SetRow(5);
    AnswerModals({Record});
    W->MenuAdd->trigger();
    EXPECT_EQ(Seen.Day, QDate(2024, 10, 6));
    EXPECT_FALSE(Seen.Soir);
    EXPECT_EQ(W->Menu->Count(), 10);
}

TEST_F(TMenusTest, ShiftAsksAgainUntilANumberOfDaysWithinAYear)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, false, false, true, false);
    ContextMenuAt(RowCentre(0));
    W->PopupGrid->hide();

    QStringList Shown;
    QString Title = QStringLiteral("Samedi 5 octobre");
    auto Answer = [&Shown, &Title](const QString &Text, bool Accept) {
        return [&Shown, &Title, Text, Accept](QWidget *Modal) {
            auto *Input = qobject_cast<QInputDialog *>(Modal);
            ASSERT_NE(Input, nullptr);
            Shown << Input->textValue();
            EXPECT_EQ(Input->windowTitle(), Title);
            EXPECT_EQ(Input->labelText(), QStringLiteral("Nombre de jours (min -365, max +365) :"));
            Input->setTextValue(Text);
            if (Accept)
                Input->accept();
            else
                Input->reject();
        };
    };
    AnswerModals({Answer(QStringLiteral("0"), true), Answer(QStringLiteral("abc"), true),
                  Answer(QStringLiteral("366"), true), Answer(QStringLiteral("-366"), true),
                  Answer(QStringLiteral("365"), true)});
    W->MenuShift->trigger();
    EXPECT_EQ(Shown, (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("abc"),
                                  QStringLiteral("366"), QStringLiteral("-366")}));
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 365);

    // Cancel changes nothing; -1 moves the day back.
    Title = QStringLiteral("Dimanche 5 octobre");
    ContextMenuAt(RowCentre(0));
    W->PopupGrid->hide();
    AnswerModals({Answer(QStringLiteral("-1"), false)});
    W->MenuShift->trigger();
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 365);
    ContextMenuAt(RowCentre(0));
    W->PopupGrid->hide();
    AnswerModals({Answer(QStringLiteral("-1"), true)});
    W->MenuShift->trigger();
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 364);
}

TEST_F(TMenusTest, DeletingAsksWithTheDayMealOrRecipeInBrackets)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, true, false, true, false);
    ASSERT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 M2 r1"));

    W->GridMenus->SetRow(3);
    TFormDialog::QueuedAnswers.push_back(7);
    W->MenuDelete->trigger();
    EXPECT_EQ(TFormDialog::LastMessage,
              QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes de ce repas ?\r\n"
                             "(Samedi 5 octobre, le soir)"));
    EXPECT_EQ(TFormDialog::LastKind, dtConfirm);
    EXPECT_EQ(TFormDialog::LastButtons, dbAuto);
    EXPECT_EQ(W->Menu->Count(), 5) << "\"Non\" deletes nothing";

    W->GridMenus->SetRow(0);
    TFormDialog::QueuedAnswers.push_back(2);
    W->MenuDelete->trigger();
    EXPECT_EQ(TFormDialog::LastMessage,
              QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes de ce jour ?\r\n"
                             "(Samedi 5 octobre)"));
    EXPECT_EQ(W->Menu->Count(), 5);

    W->GridMenus->SetRow(4);
    const QString Name = W->Menu->GetRecette(4)->Name;
    TFormDialog::QueuedAnswers.push_back(6);
    W->MenuDelete->trigger();
    EXPECT_EQ(TFormDialog::LastMessage,
              QStringLiteral("Etes-vous sûr de vouloir supprimer cette recette ?\r\n(%1)").arg(Name));
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 M2"));
    EXPECT_EQ(W->GridMenus->Row(), 3) << "the selection moves up to the last row";

    // "Tout supprimer" keeps the current menu's name.
    W->SetFileName(QStringLiteral("/tmp/menu.txt"));
    TFormDialog::QueuedAnswers.push_back(6);
    W->MenuClear->trigger();
    EXPECT_EQ(TFormDialog::LastMessage, QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes ?"));
    EXPECT_EQ(W->Menu->Count(), 0);
    EXPECT_EQ(W->GridMenus->RowCount(), 0);
    EXPECT_EQ(W->StatusPanel0->text(), QStringLiteral("/tmp/menu.txt"));
}

TEST_F(TMenusTest, DraggingARecipeToAnotherDayMovesItThere)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, false, false, true, false);
    W->Menu->AddRandomRecette(2, 2, Day1 + 1, 1, true);
    W->RefreshGrid(false);
    ASSERT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 D6 M2 r1"));
    const int Moved = W->Menu->GetRecette(2)->Code;
    const QPoint Source = RowCentre(2);

    // A press and release that moves less than 10 pixels selects the row and moves nothing.
    W->GridMenus->SetRow(0);
    GridMouse(QEvent::MouseButtonPress, Source, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseMove, Source + QPoint(9, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(W->GridMenus->Dragging());
    GridMouse(QEvent::MouseButtonRelease, Source + QPoint(9, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(W->GridMenus->Row(), 2);
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 D6 M2 r1"));

    // Neither a header nor the right button starts a drag.
    GridMouse(QEvent::MouseButtonPress, RowCentre(0), Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseMove, RowCentre(0) + QPoint(0, 40), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(W->GridMenus->Dragging());
    GridMouse(QEvent::MouseButtonRelease, RowCentre(0) + QPoint(0, 40), Qt::LeftButton, Qt::NoButton);
    GridMouse(QEvent::MouseButtonPress, Source, Qt::RightButton, Qt::RightButton);
    GridMouse(QEvent::MouseMove, Source + QPoint(0, 40), Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(W->GridMenus->Dragging());
    GridMouse(QEvent::MouseButtonRelease, Source + QPoint(0, 40), Qt::RightButton, Qt::NoButton);

    // Ten pixels start the drag; the recipe's own day and meal refuse the drop.
    GridMouse(QEvent::MouseButtonPress, Source, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseMove, Source + QPoint(10, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(W->GridMenus->Dragging());
    EXPECT_EQ(W->GridMenus->CursorShape(), Qt::ForbiddenCursor);
    const QPoint Target = RowCentre(3);
    GridMouse(QEvent::MouseMove, Target, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(W->GridMenus->CursorShape(), Qt::DragMoveCursor);
    GridMouse(QEvent::MouseButtonRelease, Target, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(W->GridMenus->Dragging());

    // Dropped on the second day's header, the recipe keeps its meal there: a midi header is
    // created for it; the first day's headers stay.
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 D6 M1 r1 M2 r1"));
    EXPECT_EQ(W->Menu->GetRecette(4)->Code, Moved);
    EXPECT_EQ(W->Menu->GetRecette(4)->MenuDate, Day1 + 1);
    EXPECT_EQ(W->GridMenus->Row(), 3) << "the target row is selected";
    EXPECT_EQ(W->GridMenus->RowCount(), 7);
}

TEST_F(TMenusTest, PageWebLinkTurnsThePointerIntoAHandAndOpensTheLink)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, true, false, true, false);
    TLineRecette *Linked = W->Menu->GetRecette(2);
    Linked->Link = QStringLiteral("https://cuisine.example/recette?id=12&p=1");
    Linked->Description.clear();
    W->Menu->GetRecette(4)->Link.clear();
    W->Menu->GetRecette(4)->LivName = QStringLiteral("Cuisine facile");
    W->RefreshGrid(false);

    const QRect Row = W->GridMenus->CellRect(2);
    const int Bottom = Row.top() + Row.height();
    GridMouse(QEvent::MouseMove, QPoint(30, Bottom - 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(W->GridMenus->CursorShape(), Qt::PointingHandCursor);
    EXPECT_EQ(W->GridMenus->Tag, 1);
    EXPECT_EQ(W->HoverRow, 2);
    GridMouse(QEvent::MouseButtonPress, QPoint(30, Bottom - 10), Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseButtonRelease, QPoint(30, Bottom - 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(OpenedDocuments, QStringList{Linked->Link});
    EXPECT_EQ(W->GridMenus->Tag, 0);

    // Just outside the hot zone, and the same place on a recipe with a cookbook and no link.
    GridMouse(QEvent::MouseMove, QPoint(89, Bottom - 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(W->GridMenus->CursorShape(), Qt::ArrowCursor);
    const QRect Other = W->GridMenus->CellRect(4);
    const QPoint OnBook(30, Other.top() + Other.height() - 10);
    GridMouse(QEvent::MouseMove, OnBook, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(W->GridMenus->CursorShape(), Qt::ArrowCursor);
    EXPECT_EQ(W->GridMenus->Tag, 0);
    GridMouse(QEvent::MouseButtonPress, OnBook, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseButtonRelease, OnBook, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(OpenedDocuments.size(), 1);
    EXPECT_EQ(W->GridMenus->Row(), 4);
}

TEST_F(TMenusTest, DoubleClickOpensTheCardAndStartsNoDrag)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, false, false, true, false);
    // The card reloads the line from the database, whatever the card's answer.
    const QString Name = W->Menu->GetRecette(2)->Name;
    W->Menu->GetRecette(2)->Name = QStringLiteral("Nom périmé");
    const QPoint Recipe = RowCentre(2);
    GridMouse(QEvent::MouseButtonPress, Recipe, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseButtonRelease, Recipe, Qt::LeftButton, Qt::NoButton);
    GridMouse(QEvent::MouseButtonDblClick, Recipe, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(W->DblClicked) << "the press of the double click cleared it";
    GridMouse(QEvent::MouseMove, Recipe + QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(W->GridMenus->Dragging());
    GridMouse(QEvent::MouseButtonRelease, Recipe + QPoint(0, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(W->GridMenus->Row(), 2);
    EXPECT_EQ(W->Menu->GetRecette(2)->Name, Name);
    EXPECT_EQ(TFormDialog::ShowCount, 0);
}

TEST_F(TMenusTest, ReplaceAndModifyApplyWhatTheEditorAnswers)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(1, true, false, false, true, true);
    ASSERT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 r2"));
    W->GridMenus->SetRow(2);
    const int CodeBefore = W->Menu->GetRecette(2)->Code;
    const QString NameBefore = W->Menu->GetRecette(2)->Name;

    // Replace: the editor gets the recipe's day, meal, dish type and persons; its random
    // pick takes the line's place.
    QString Title;
    AnswerModals({[&Title](QWidget *Modal) {
        auto *Editor = qobject_cast<TFormEditRec *>(Modal);
        ASSERT_NE(Editor, nullptr);
        Title = Editor->windowTitle();
        EXPECT_EQ(Editor->EdDay->date(), QDate(2024, 10, 5));
        EXPECT_TRUE(Editor->RbMidi->isChecked());
        EXPECT_TRUE(Editor->RbPlat->isChecked());
        EXPECT_EQ(Editor->EdPers->text(), QStringLiteral("2"));
        QTest::mouseClick(Editor->BtRandom, Qt::LeftButton);
    }});
    W->MenuChange->trigger();
    EXPECT_EQ(Title, QStringLiteral("Remplacer - ") + NameBefore);
    EXPECT_EQ(Shape(*W->Menu), QStringLiteral("D5 M1 r1 r2"));
    EXPECT_NE(W->Menu->GetRecette(2)->Code, CodeBefore);
    EXPECT_EQ(W->GridMenus->Row(), 2);

    // Modify: new persons for the same day and meal.
    AnswerModals({[](QWidget *Modal) {
        auto *Editor = qobject_cast<TFormEditRec *>(Modal);
        ASSERT_NE(Editor, nullptr);
        Editor->EdPers->setText(QStringLiteral("5"));
        QTest::mouseClick(Editor->BtRandom, Qt::LeftButton);
    }});
    W->MenuEdit->trigger();
    EXPECT_EQ(W->Menu->GetRecette(2)->MenuPers, 5);
    EXPECT_EQ(W->Menu->GetRecette(3)->MenuPers, 2);
    EXPECT_EQ(TFormDialog::ShowCount, 0);
}

TEST_F(TMenusTest, OneWheelStepScrollsOneRowAndKeepsTheSelection)
{
    StartProgram();
    TFormMenus *W = Window();
    Generate(5, true, true, true, true, true);
    ASSERT_GT(W->GridMenus->MaxTopRow(), 3);
    W->GridMenus->SetRow(2);
    auto Wheel = [W](int Delta) {
        QWidget *Viewport = W->GridMenus->viewport();
        const QPointF Pos(50, 50);
        QWheelEvent Event(Pos, Viewport->mapToGlobal(Pos), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Viewport, &Event);
    };
    Wheel(-120);
    EXPECT_EQ(W->GridMenus->TopRow(), 1);
    Wheel(-120);
    Wheel(-60);
    Wheel(-60);
    EXPECT_EQ(W->GridMenus->TopRow(), 3) << "two half notches make one step";
    Wheel(120);
    EXPECT_EQ(W->GridMenus->TopRow(), 2);
    EXPECT_EQ(W->GridMenus->Row(), 2);
}

// Run with FENOLDA_SCREENSHOT=<file.png> to look at a week's menu as the window draws it.
TEST_F(TMenusTest, WeekMenuScreenshot)
{
    const QByteArray File = qgetenv("FENOLDA_SCREENSHOT");
    if (File.isEmpty())
        GTEST_SKIP() << "FENOLDA_SCREENSHOT not set";
    StartProgram();
    TFormMenus *W = Window();
    Generate(7, true, true, true, true, true);
    W->Menu->GetRecette(2)->Link = QStringLiteral("https://cuisine.example/recette");
    W->Menu->GetRecette(3)->LivName = QStringLiteral("Cuisine facile");
    W->Menu->GetRecette(3)->Page = QStringLiteral("12");
    W->Menu->GetRecette(4)->Name = QStringLiteral("Poulet & frites");
    W->RefreshGrid(false);
    W->GridMenus->SetRow(3);
    QApplication::processEvents();
    EXPECT_TRUE(W->grab().save(QString::fromLocal8Bit(File)));
}
