// The main window driven as the user drives it: start-up, the enabling rule, the error box,
// the generation, the grid's context menu and commands, the drag of a recipe, the link and
// the wheel.
#include "MenusTestSupport.h"
#include "OtherProgram.h"
#include "WindowActivation.h"

#include "DrawGrid.h"
#include "RecipeBase.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitHttp.h"
#include "UnitLook.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Runs Action with the menu line editor that opens as a modal window.
std::function<void(QWidget *)> WithEditor(std::function<void(TFormEditRec *)> Action)
{
    return [Action](QWidget *Modal) {
        auto *Editor = qobject_cast<TFormEditRec *>(Modal);
        ASSERT_NE(Editor, nullptr);
        Action(Editor);
    };
}

const QString Sure = QStringLiteral("Etes-vous sûr de vouloir supprimer ");

// A loopback site that takes connections and never answers: a listening socket that accepts
// nothing (the system completes the connections for it).
struct TSilentSite
{
    TSilentSite()
    {
        Fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in Address{};
        Address.sin_family = AF_INET;
        Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t Length = sizeof Address;
        if (Fd >= 0 && bind(Fd, reinterpret_cast<sockaddr *>(&Address), Length) == 0 && listen(Fd, 4) == 0 &&
            getsockname(Fd, reinterpret_cast<sockaddr *>(&Address), &Length) == 0)
            Port = ntohs(Address.sin_port);
    }
    ~TSilentSite()
    {
        if (Fd >= 0)
            close(Fd);
    }
    TSilentSite(const TSilentSite &) = delete;
    TSilentSite &operator=(const TSilentSite &) = delete;

    // A connection waits to be accepted.
    bool Asked() const
    {
        pollfd Poll{Fd, POLLIN, 0};
        return poll(&Poll, 1, 0) == 1;
    }

    int Fd = -1;
    int Port = 0;
};

} // namespace

TEST_F(TMenusTest, StartsWithItsStatusVersionAndGenerationRule)
{
    StartProgram();
    EXPECT_EQ(W->windowTitle() + Find<QLabel>("StatusPanel0")->text() + Find<QLabel>("StatusPanel1")->text(),
              QStringLiteral("Fenolda*version 2.1.0"));
    EXPECT_EQ(Find<QDateEdit>("EdStartDate")->date(), QDate(2024, 10, 5));
    EXPECT_TRUE(Find<QCheckBox>("CbSaison")->isChecked());
    EXPECT_TRUE(QFile::exists(Program->Path(QStringLiteral("recipes.db3")))) << "created from the base";
    // The version site cannot be reached: the check, run once the window shows, is logged
    // and the update picture stays hidden.
    EXPECT_TRUE(QTest::qWaitFor([this] { return LogLines(QStringLiteral("[TConfig.CheckVersion]")).size() == 1; }));
    EXPECT_FALSE(Find<QLabel>("ImgUpdate")->isVisible());

    // "Générer le menu" wants a meal and a dish type; the season box does not count.
    const std::pair<QCheckBox *, bool> Steps[] = {
        {Find<QCheckBox>("CbMidi"), false}, {Find<QCheckBox>("CbPlat"), true},    {Find<QCheckBox>("CbSaison"), true},
        {Find<QCheckBox>("CbMidi"), false}, {Find<QCheckBox>("CbSaison"), false}, {Find<QCheckBox>("CbSoir"), true}};
    EXPECT_FALSE(Find<TSevenButton>("BtGenerate")->isEnabled());
    for (const auto &[Box, Enabled] : Steps) {
        Click(Box);
        EXPECT_EQ(Find<TSevenButton>("BtGenerate")->isEnabled(), Enabled) << Box->objectName().toStdString();
    }

    // When a newer version is announced, the picture opens its download page.
    W->UpdateUrl = QStringLiteral("http://127.0.0.1:9/version.php?sw=fenolda&req=dl&ver=3.0.0");
    Find<QLabel>("ImgUpdate")->show();
    QTest::mouseClick(Find<QLabel>("ImgUpdate"), Qt::LeftButton);
    EXPECT_EQ(OpenedDocuments, QStringList{W->UpdateUrl});
    // The input fields are tinted while they have the focus.
    ASSERT_TRUE(ActivateWindow(W));
    Find<QLineEdit>("EdDays")->setFocus();
    EXPECT_EQ(Find<QLineEdit>("EdDays")->palette().color(QPalette::Base), QColor(0xEB, 0xFD, 0xD7));
    Find<QDateEdit>("EdStartDate")->setFocus();
    EXPECT_EQ(Find<QLineEdit>("EdDays")->palette().color(QPalette::Base), QColor(Qt::white));
    // An empty menu never saved and a recent backup: nothing to ask, the window closes.
    Config->SetBackupDate(Day1);
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
}

TEST_F(TMenusTest, DatabaseThatCannotBeCreatedReachesTheErrorBoxAndTheWindowStays)
{
    // Neither recipes.db3 nor recipes-base.db3 in the program folder.
    TDialogTest::QueueAnswers({1});
    StartProgram(TBase::None);
    EXPECT_TRUE(W->isVisible());
    EXPECT_EQ(Database, nullptr);
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(
        TDialogTest::LastMessage(),
        QStringLiteral("Impossible de créer la base de données \"%1\".\r\nLe fichier \"%2\" n'existe pas.")
                .arg(Program->Path(QStringLiteral("recipes.db3")), Program->Path(QStringLiteral("recipes-base.db3"))) +
            ClosingRequest());
    EXPECT_EQ(LogLines(QStringLiteral("[TFormMenus.AppEventsException] [TFormMenus.FormShow]")).size(), 1);

    // The window stays, and every command that needs the database says why it cannot run.
    TDialogTest::QueueAnswers({1});
    Generate(1, true, false, false, true, false);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La base de données n'est pas ouverte : fermez le programme, puis relancez-le.") +
                  ClosingRequest());
    EXPECT_TRUE(W->isVisible());
}

TEST_F(TMenusTest, ErrorBoxShowsTheUserTextOrTheMessageWithTheClosingRequest)
{
    StartProgram();
    // It names the log file the program really writes.
    EXPECT_TRUE(ClosingRequest().endsWith(QStringLiteral(" et envoyez-lui votre fichier \"fenolda.log\".")));
    EXPECT_EQ(QFileInfo(Config->LogFileName).fileName(), QStringLiteral("fenolda.log"));

    // A plain exception shows its message; a program error its user text, or only the closing
    // request when it has none. The routines it passed through go to the log.
    TDialogTest::QueueAnswers({1, 1, 1});
    Guard([] { throw Exception(QStringLiteral("Accès refusé")); });
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Accès refusé") + ClosingRequest());
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    Guard([] {
        Wrap("TFormMenus.Essai", [] { throw UserException::CreateUser(QStringLiteral("Le fichier est illisible.")); });
    });
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Le fichier est illisible.") + ClosingRequest());
    Guard([] { Wrap("TFormMenus.Essai", [] { throw Exception(QStringLiteral("index 7")); }); });
    EXPECT_EQ(TDialogTest::LastMessage(), ClosingRequest());
    const QStringList Lines = LogLines(QStringLiteral("[TFormMenus.AppEventsException]"));
    ASSERT_EQ(Lines.size(), 3);
    EXPECT_TRUE(Lines[1].endsWith(QStringLiteral("[TFormMenus.Essai] Le fichier est illisible.")));

    // An error raised before the message box exists waits for it.
    TFormDialog *Box = FormDialog;
    FormDialog = nullptr;
    W->AppEventsException(Exception(QStringLiteral("Trop tôt")));
    FormDialog = Box;
    EXPECT_EQ(TDialogTest::ShowCount(), 3);
    TDialogTest::QueueAnswers({1});
    W->ShowPendingErrors();
    EXPECT_EQ(TDialogTest::ShowCount(), 4);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Trop tôt") + ClosingRequest());
}

TEST_F(TMenusTest, GenerationVisitsDaysMealsAndDishTypesInOrder)
{
    StartProgram();
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
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r0 r2 M2 r0 r2 D6 M1 r0 r2 M2 r0 r2"));
    EXPECT_EQ(W->Menu->GetCodeList(), Expected.GetCodeList());
    EXPECT_EQ(Grid()->RowCount(), 14);

    // A day count that is not a number gives one day, zero gives none; the first row is
    // selected again.
    Grid()->SetRow(5);
    W->Menu->Clear();
    Find<QLineEdit>("EdDays")->setText(QStringLiteral("abc"));
    QTest::mouseClick(Find<TSevenButton>("BtGenerate"), Qt::LeftButton);
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r0 r2 M2 r0 r2"));
    EXPECT_EQ(Grid()->Row(), 0);
    Find<QLineEdit>("EdDays")->setText(QStringLiteral("0"));
    QTest::mouseClick(Find<TSevenButton>("BtGenerate"), Qt::LeftButton);
    EXPECT_EQ(W->Menu->Count(), 7);
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
}

TEST_F(TMenusTest, RecipesRunningOutKeepTheDaysDrawnAndShowTheUserText)
{
    // Three entrées and two desserts: the third day gets its entrée, then no dessert is left.
    BaseSql << QStringLiteral("INSERT INTO recette (name, repas, type_, saison) VALUES ('Salade', 0, 0, 0), "
                              "('Potage', 0, 0, 0), ('Terrine', 0, 0, 0), ('Tarte', 0, 2, 0), ('Crème', 0, 2, 0)");
    StartProgram(TBase::Schema);
    TDialogTest::QueueAnswers({1});
    Generate(5, true, false, true, false, true);

    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r0 r2 D6 M1 r0 r2 D7 M1 r0"));
    EXPECT_EQ(Grid()->RowCount(), 11) << "the grid shows what was drawn before the failure";
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Plus aucune recette disponible dans la base.\r\n"
                             "Vérifiez que votre base contient suffisamment de recettes par rapport au nombre de "
                             "menus à générer.\r\nVérifiez également l'historique dans les options.") +
                  ClosingRequest());
    EXPECT_EQ(LogLines(QStringLiteral("[TFormMenus.AppEventsException] [TFormMenus.BtGenerateClick]")).size(), 1);
}

TEST_F(TMenusTest, ALockThatOutlastsTheWaitIsNamedWhenGeneratingAndListing)
{
    StartProgram();
    Generate(2, true, false, false, true, false);
    const QString Shape = MenuShape(*W->Menu, true);
    // The wait itself is tested with the working database; here it would only slow the test.
    sqlite3_busy_timeout(Database->Handle(), 50);
    const QString Busy = QStringLiteral("La base de données \"%1\" est utilisée par un autre programme. Fermez ce "
                                        "programme, puis réessayez.")
                             .arg(Program->Path(QStringLiteral("recipes.db3"))) +
                         ClosingRequest();
    TOtherProgram Other(Program->Path(QStringLiteral("recipes.db3")));

    TDialogTest::QueueAnswers({mrOk});
    Generate(2, true, false, false, true, false);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(TDialogTest::LastMessage(), Busy);
    EXPECT_EQ(MenuShape(*W->Menu, true), Shape);

    TDialogTest::QueueAnswers({mrOk});
    QTest::mouseClick(Find<TSevenButton>("BtCourses"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::ShowCount(), 2);
    EXPECT_EQ(TDialogTest::LastMessage(), Busy);
}

TEST_F(TMenusTest, ContextMenuShowsTheItemsOfTheRowUnderThePointer)
{
    StartProgram();
    // The visible items, with the delete item's caption when it is there.
    auto ItemsAt = [this](const QPoint &Pos, bool FromMouse = true) {
        ContextMenuAt(Pos, FromMouse);
        QStringList Items;
        for (const QAction *Action : Find<QMenu>("PopupGrid")->actions()) {
            if (Action->isVisible() && !Action->isSeparator())
                Items << (Action == Find<QAction>("MenuDelete") ? Action->text() : Action->objectName());
        }
        Find<QMenu>("PopupGrid")->hide();
        return Items.join(QLatin1Char('|'));
    };
    // The separator lines drawn when the menu opens at Pos: never two one under the other.
    auto SeparatorsAt = [this](const QPoint &Pos) {
        ContextMenuAt(Pos);
        auto *Popup = Find<QMenu>("PopupGrid");
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Popup));
        QStringList Drawn;
        for (const char *Name : {"N2", "N1"}) {
            if (!Popup->actionGeometry(Find<QAction>(Name)).isEmpty())
                Drawn << QLatin1String(Name);
        }
        Popup->hide();
        return Drawn.join(QLatin1Char('|'));
    };
    EXPECT_EQ(ItemsAt(QPoint(20, 20)), QStringLiteral("MenuAdd")) << "an empty grid";
    EXPECT_EQ(SeparatorsAt(QPoint(50, 50)), QString()) << "no line under the only item";

    Generate(1, true, true, false, true, false);
    ASSERT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 M2 r1"));
    EXPECT_EQ(ItemsAt(RowCentre(0)), QStringLiteral("MenuAdd|MenuShift|Supprimer les recettes de ce jour|MenuClear"));
    EXPECT_EQ(SeparatorsAt(RowCentre(0)), QStringLiteral("N2")) << "one line between the day's two groups";
    EXPECT_EQ(SeparatorsAt(RowCentre(4)), QStringLiteral("N2|N1")) << "a recipe row has three groups";
    EXPECT_EQ(ItemsAt(RowCentre(3)), QStringLiteral("MenuAdd|Supprimer les recettes de ce repas|MenuClear"));
    EXPECT_EQ(Grid()->Row(), 3) << "the row under the pointer becomes the selected one";
    EXPECT_EQ(ItemsAt(RowCentre(4)),
              QStringLiteral("MenuAdd|MenuEdit|MenuChange|MenuOpen|Supprimer la recette|MenuClear"));
    // From the keyboard there is no row under the pointer.
    EXPECT_EQ(ItemsAt(QPoint(0, 0), false), QStringLiteral("MenuAdd|MenuClear"));
    EXPECT_EQ(Grid()->Row(), 4);
}

TEST_F(TMenusTest, AddingPresetsTheDayAndMealOfTheSelectedRow)
{
    StartProgram();
    Find<QLineEdit>("EdPers")->setText(QStringLiteral("3"));
    // Opens the editor from Row (none on an empty grid) and gives what it was preset to.
    auto AddFrom = [this](int Row) {
        QString Seen;
        AnswerModals({WithEditor([&Seen](TFormEditRec *E) {
            Seen = QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(E->windowTitle(), Child<QDateEdit>(E, "EdDay")->date().toString(QStringLiteral("dd")),
                            Child<QRadioButton>(E, "RbSoir")->isChecked() ? "soir" : "midi",
                            Child<QRadioButton>(E, "RbPlat")->isChecked() ? "plat" : "?",
                            Child<QLineEdit>(E, "EdPers")->text());
            QTest::keyClick(E, Qt::Key_Escape);
        })});
        if (Row >= 0)
            Grid()->SetRow(Row);
        Find<QAction>("MenuAdd")->trigger();
        return Seen;
    };
    // An empty grid: today, midi, plat and the window's persons; cancelling adds nothing.
    EXPECT_EQ(AddFrom(-1), QStringLiteral("Ajouter 05 midi plat 3"));
    EXPECT_EQ(W->Menu->Count(), 0);
    // A soir meal row of the second day: that day and soir; its day row: midi. The dish type
    // always starts at plat.
    Generate(2, true, true, false, false, true);
    ASSERT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r2 M2 r2 D6 M1 r2 M2 r2"));
    EXPECT_EQ(AddFrom(8), QStringLiteral("Ajouter 06 soir plat 3"));
    EXPECT_EQ(AddFrom(5), QStringLiteral("Ajouter 06 midi plat 3"));
}

TEST_F(TMenusTest, ShiftAsksAgainUntilANumberOfDaysWithinAYear)
{
    StartProgram();
    Generate(1, true, false, false, true, false);
    // Answers the input dialogs with Texts; gives the texts they showed under the expected
    // caption and question.
    auto Shift = [this](const QString &Title, const QStringList &Texts, bool Accept) {
        ContextMenuAt(RowCentre(0));
        Find<QMenu>("PopupGrid")->hide();
        const auto Shown = AnswerInputs(Texts, Accept);
        Find<QAction>("MenuShift")->trigger();
        const QString Asked = Title + QStringLiteral("|Nombre de jours (min -365, max +365) :|");
        QStringList Values;
        for (const QString &Line : *Shown) {
            EXPECT_TRUE(Line.startsWith(Asked)) << Line.toStdString();
            Values << Line.mid(Asked.size());
        }
        return Values.join(QLatin1Char(' '));
    };
    EXPECT_EQ(Shift(QStringLiteral("Samedi 5 octobre"), {"0", "abc", "366", "-366", "365"}, true),
              QStringLiteral("1 0 abc 366 -366"));
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 365);
    // Cancel changes nothing; -1 moves the day back.
    Shift(QStringLiteral("Dimanche 5 octobre"), {"-1"}, false);
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 365);
    Shift(QStringLiteral("Dimanche 5 octobre"), {"-1"}, true);
    EXPECT_EQ(W->Menu->GetDate(0)->Date, Day1 + 364);
}

TEST_F(TMenusTest, DeletingAsksWithTheDayMealOrRecipeInBrackets)
{
    StartProgram();
    Generate(1, true, true, false, true, false);
    ASSERT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 M2 r1"));
    // "Non" and the close button delete nothing; "Oui" deletes, and the selection moves up to
    // the last row.
    const std::tuple<int, int, QString> Questions[] = {
        {3, 7, QStringLiteral("toutes les recettes de ce repas ?\r\n(Samedi 5 octobre, le soir)")},
        {0, 2, QStringLiteral("toutes les recettes de ce jour ?\r\n(Samedi 5 octobre)")},
        {4, 6, QStringLiteral("cette recette ?\r\n(%1)").arg(W->Menu->GetRecette(4)->Name)}};
    for (const auto &[Row, Answer, Question] : Questions) {
        Grid()->SetRow(Row);
        TDialogTest::QueueAnswers({Answer});
        Find<QAction>("MenuDelete")->trigger();
        EXPECT_EQ(TDialogTest::LastMessage(), Sure + Question);
        EXPECT_EQ(TDialogTest::LastKind(), dtConfirm);
    }
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 M2"));
    EXPECT_EQ(Grid()->Row(), 3);

    // "Tout supprimer" keeps the current menu's name.
    W->SetFileName(QStringLiteral("/tmp/menu.txt"));
    TDialogTest::QueueAnswers({6});
    Find<QAction>("MenuClear")->trigger();
    EXPECT_EQ(TDialogTest::LastMessage(), Sure + QStringLiteral("toutes les recettes ?"));
    EXPECT_EQ(Grid()->RowCount(), 0);
    EXPECT_EQ(Find<QLabel>("StatusPanel0")->text(), QStringLiteral("/tmp/menu.txt"));
}

TEST_F(TMenusTest, DraggingARecipeToAnotherDayMovesItThere)
{
    StartProgram();
    Generate(1, true, false, false, true, false);
    W->Menu->AddRandomRecette(2, 2, Day1 + 1, 1, true);
    W->RefreshGrid(false);
    ASSERT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 D6 M2 r1"));
    const int Moved = W->Menu->GetRecette(2)->Code;
    const QPoint Source = RowCentre(2);
    // Presses at From, moves through Through and releases: the cursor at each move while a
    // drag is on, -1 while none is.
    using TSteps = std::vector<int>;
    auto Drag = [this](const QPoint &From, std::initializer_list<QPoint> Through, Qt::MouseButton Button) {
        TSteps Steps;
        GridMouse(QEvent::MouseButtonPress, From, Button, Button);
        for (const QPoint &P : Through) {
            GridMouse(QEvent::MouseMove, P, Qt::NoButton, Button);
            Steps.push_back(Grid()->Dragging() ? int(Grid()->CursorShape()) : -1);
        }
        GridMouse(QEvent::MouseButtonRelease, Through.end()[-1], Button, Qt::NoButton);
        return Steps;
    };

    // Less than 10 pixels selects the row and moves nothing; neither a header nor the right
    // button starts a drag.
    Grid()->SetRow(0);
    EXPECT_EQ(Drag(Source, {Source + QPoint(9, 0)}, Qt::LeftButton), TSteps{-1});
    EXPECT_EQ(Grid()->Row(), 2);
    EXPECT_EQ(Drag(RowCentre(0), {RowCentre(0) + QPoint(0, 40)}, Qt::LeftButton), TSteps{-1});
    EXPECT_EQ(Drag(Source, {Source + QPoint(0, 40)}, Qt::RightButton), TSteps{-1});
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 D6 M2 r1"));

    // Ten pixels start the drag; the recipe's own day and meal refuse the drop. Dropped on the
    // second day's header, the recipe keeps its meal there: a midi header is created for it;
    // the first day's headers stay, and the target row is selected.
    EXPECT_EQ(Drag(Source, {Source + QPoint(10, 0), RowCentre(3)}, Qt::LeftButton),
              (TSteps{Qt::ForbiddenCursor, Qt::DragMoveCursor}));
    EXPECT_FALSE(Grid()->Dragging());
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 D6 M1 r1 M2 r1"));
    EXPECT_EQ(W->Menu->GetRecette(4)->Code, Moved);
    EXPECT_EQ(W->Menu->GetRecette(4)->MenuDate, Day1 + 1);
    EXPECT_EQ(Grid()->Row(), 3);
    EXPECT_EQ(Grid()->RowCount(), 7);
}

TEST_F(TMenusTest, DoubleClickOpensTheCardAndStartsNoDrag)
{
    StartProgram();
    Generate(1, true, false, false, true, false);
    // The card reloads the line from the database, whatever the card's answer.
    const QString Name = W->Menu->GetRecette(2)->Name;
    W->Menu->GetRecette(2)->Name = QStringLiteral("Nom périmé");
    AnswerModals({[](QWidget *Card) { EXPECT_EQ(Card->objectName(), QStringLiteral("FormRecette")); }});
    const QPoint Recipe = RowCentre(2);
    GridClick(Recipe);
    GridMouse(QEvent::MouseButtonDblClick, Recipe, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseMove, Recipe + QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(Grid()->Dragging());
    GridMouse(QEvent::MouseButtonRelease, Recipe + QPoint(0, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(W->Menu->GetRecette(2)->Name, Name);
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
}

TEST_F(TMenusTest, ReplaceAndModifyApplyWhatTheEditorAnswers)
{
    StartProgram();
    Generate(1, true, false, false, true, true);
    Grid()->SetRow(2);
    const int Code = W->Menu->GetRecette(2)->Code;
    const QString Name = W->Menu->GetRecette(2)->Name;

    // Replace: the editor gets the recipe's day, meal, dish type and persons; its random
    // pick takes the line's place. Modify: new persons for the same day and meal.
    AnswerModals({WithEditor([&Name](TFormEditRec *E) {
                      EXPECT_EQ(E->windowTitle(), QStringLiteral("Remplacer - ") + Name);
                      EXPECT_TRUE(Child<QDateEdit>(E, "EdDay")->date() == QDate(2024, 10, 5) &&
                                  Child<QRadioButton>(E, "RbMidi")->isChecked() &&
                                  Child<QRadioButton>(E, "RbPlat")->isChecked() &&
                                  Child<QLineEdit>(E, "EdPers")->text() == QStringLiteral("2"));
                      QTest::mouseClick(Child<TSevenButton>(E, "BtRandom"), Qt::LeftButton);
                  }),
                  WithEditor([](TFormEditRec *E) {
                      Child<QLineEdit>(E, "EdPers")->setText(QStringLiteral("5"));
                      QTest::mouseClick(Child<TSevenButton>(E, "BtRandom"), Qt::LeftButton);
                  })});
    Find<QAction>("MenuChange")->trigger();
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 r2"));
    EXPECT_NE(W->Menu->GetRecette(2)->Code, Code);
    EXPECT_EQ(Grid()->Row(), 2);
    Find<QAction>("MenuEdit")->trigger();
    EXPECT_EQ(ModalsAnswered(), 2);
    EXPECT_EQ(W->Menu->GetRecette(2)->MenuPers, 5);
    EXPECT_EQ(W->Menu->GetRecette(3)->MenuPers, 2);
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
}

TEST_F(TMenusTest, OneWheelStepScrollsOneRowAndKeepsTheSelection)
{
    StartProgram();
    Generate(5, true, true, true, true, true);
    ASSERT_GT(Grid()->MaxTopRow(), 3);
    Grid()->SetRow(2);
    // A notch is a step, two half notches make one.
    for (const auto &[Delta, Top] : {std::pair(-120, 1), std::pair(-60, 1), std::pair(-60, 2), std::pair(120, 1)}) {
        QWidget *Viewport = Grid()->viewport();
        QWheelEvent Event(QPointF(50, 50), Viewport->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, Delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Viewport, &Event);
        EXPECT_EQ(Grid()->TopRow(), Top) << Delta;
    }
    EXPECT_EQ(Grid()->Row(), 2);
}

// ---- faults found in use ------------------------------------------------------------------

TEST_F(TMenusTest, ClickAfterTheMenuChangedUnderARestingPointerActsOnWhatIsThereNow)
{
    StartProgram();
    Generate(1, true, true, false, true, false);
    ASSERT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 M2 r1"));
    TLineRecette *Linked = W->Menu->GetRecette(2);
    Linked->Link = QStringLiteral("https://cuisine.example/gratin");
    Linked->Description.clear();
    W->Menu->GetRecette(4)->Link.clear();
    W->Menu->GetRecette(4)->LivName = QStringLiteral("Cuisine facile");
    W->RefreshGrid(false);
    auto LinkPlace = [this](int Row) { return QPoint(30, Grid()->CellRect(Row).bottom() - 9); };

    // The pointer is a hand over the link alone, not over a cookbook's name; a click there
    // opens the link and selects the row.
    for (const int Row : {4, 2}) {
        GridMouse(QEvent::MouseMove, LinkPlace(Row), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(Grid()->CursorShape(), Row == 2 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        GridClick(LinkPlace(Row));
        EXPECT_EQ(Grid()->Row(), Row);
    }
    EXPECT_EQ(OpenedDocuments, QStringList{Linked->Link});
    OpenedDocuments.clear();

    // Rest on "Page web", right-click there, delete the recipe from the keyboard and confirm.
    const QPoint Pos = LinkPlace(2);
    GridMouse(QEvent::MouseMove, Pos, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(Grid()->CursorShape(), Qt::PointingHandCursor);
    ContextMenuAt(Pos);
    Find<QMenu>("PopupGrid")->hide();
    // A second answer stands ready for an error box, so that a failure shows as a count.
    TDialogTest::QueueAnswers({mrYes, mrOk});
    Find<QAction>("MenuDelete")->trigger();
    ASSERT_NE(MenuShape(*W->Menu, true), QStringLiteral("D5 M1 r1 M2 r1"));
    // The hand is gone with the row, and a click without moving opens nothing and raises no
    // error.
    EXPECT_EQ(Grid()->CursorShape(), Qt::ArrowCursor);
    EXPECT_EQ(Grid()->Tag, 0);
    GridClick(Pos);
    EXPECT_EQ(TDialogTest::ShowCount(), 1) << TDialogTest::LastMessage().toStdString();
    EXPECT_TRUE(OpenedDocuments.isEmpty());
    TDialogTest::Reset();

    // A recipe with a link that the change brought under the pointer opens on the click.
    const int Row = Grid()->RowAt(Pos);
    ASSERT_GE(Row, 0);
    if (W->Menu->GetLineType(Row) == TRecetteList::ltRecette) {
        W->Menu->GetRecette(Row)->Link = QStringLiteral("https://cuisine.example/autre");
        W->Menu->GetRecette(Row)->Description.clear();
        W->Menu->GetRecette(Row)->LivName.clear();
        W->RefreshGrid(false);
        GridClick(LinkPlace(Row));
        EXPECT_EQ(OpenedDocuments, QStringList{QStringLiteral("https://cuisine.example/autre")});
    }
}

TEST_F(TMenusTest, LongDatesAreReadableWholeAndTabStopsThreeTimes)
{
    StartProgram();
    ASSERT_TRUE(ActivateWindow(W));
    auto *Date = Find<QDateEdit>("EdStartDate");
    auto *Days = Find<QLineEdit>("EdDays");
    ASSERT_TRUE(Date && Days);
    EXPECT_EQ(Date->geometry(), QRect(10, 75, 165, 24));
    auto *Text = Date->findChild<QLineEdit *>();
    ASSERT_NE(Text, nullptr);
    // The longest French dates, with the cursor at their end as after a pick: the whole text
    // fits and nothing is scrolled out on the left.
    for (const QDate Day : {QDate(2026, 12, 6), QDate(2026, 12, 30), QDate(2026, 9, 30), QDate(2027, 9, 29)}) {
        Date->setDate(Day);
        Text->end(false);
        const int Width = QFontMetrics(Text->font()).horizontalAdvance(Text->text());
        const int Cursor = Text->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        EXPECT_LE(Cursor, Text->contentsRect().right()) << Text->text().toStdString();
        EXPECT_GE(Cursor, Width) << Text->text().toStdString() << " is scrolled";
    }
    EXPECT_EQ(Text->text(), QStringLiteral("mercredi 29 septembre 2027"));
    // A date that fits keeps the plain font of the inputs.
    Date->setDate(QDate(2026, 12, 7));
    EXPECT_EQ(QFontMetrics(Text->font()).horizontalAdvance(Text->text()),
              QFontMetrics(InputFont()).horizontalAdvance(Text->text()));

    // Three stops: EdDays, EdPers, EdStartDate, and round again.
    Days->setFocus();
    QStringList Stops;
    for (int I = 0; I < 4; ++I) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Stops << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(Stops.join(QLatin1Char(' ')), QStringLiteral("EdPers EdStartDate EdDays EdPers"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), Days);
}

TEST_F(TMenusTest, ButtonCaptionsKeepTheirFontInEveryStateAndShowTheFocus)
{
    StartProgram();
    auto *Courses = Find<TSevenButton>("BtCourses");
    ASSERT_NE(Courses, nullptr);
    ASSERT_TRUE(Courses->font().bold());
    QEnterEvent Enter(QPointF(5, 5), QPointF(5, 5), Courses->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(Courses, &Enter);
    ASSERT_EQ(Courses->State(), sbsHot);
    EXPECT_TRUE(Courses->ChooseLook().Font.Font.bold());
    QTest::mousePress(Courses, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(Courses->State(), sbsDown);
    EXPECT_TRUE(Courses->ChooseLook().Font.Font.bold());
    // Released away from the button: no shopping list opens.
    QTest::mouseRelease(Courses, Qt::LeftButton, {}, QPoint(200, 5));

    // The menu line editor builds its controls at its first use: it is opened once.
    AnswerModals({WithEditor([](TFormEditRec *Editor) { Editor->reject(); })});
    FormEditRec->Show(TFormEditRec::acAdd, W->Menu.get(), Day1, RepasMidi, TypePlat, 2, QString());

    // Every drawn button of the main window and of the menu line editor: hot, pressed and
    // focused captions in the button's own font, and a 2-pixel border with the focus.
    QList<TSevenButton *> Buttons = W->findChildren<TSevenButton *>();
    Buttons += FormEditRec->findChildren<TSevenButton *>();
    ASSERT_EQ(Buttons.size(), 13 + 2);
    for (TSevenButton *Button : std::as_const(Buttons)) {
        const std::string Name = Button->objectName().toStdString();
        EXPECT_EQ(Button->Border()->WidthFocused(), 2) << Name;
        for (const TFont &State :
             {Button->Fonts()->FontHot(), Button->Fonts()->FontDown(), Button->Fonts()->FontFocused()})
            EXPECT_EQ(State.Font, Button->font()) << Name;
        EXPECT_EQ(Button->Fonts()->FontDisabled().Font, Button->font()) << Name;
        EXPECT_EQ(Button->Fonts()->FontDisabled().Color, clGrayText) << Name;
    }

    // The database buttons stand in one column of one width, "Sauvegarder" included.
    for (const char *Name : {"BtBaseRecettes", "BtBaseIngredients", "BtBaseRayons", "BtBaseLivres", "BtBaseBackup"}) {
        EXPECT_EQ(Find<TSevenButton>(Name)->x(), Find<TSevenButton>("BtBaseUnites")->x()) << Name;
        EXPECT_EQ(Find<TSevenButton>(Name)->width(), Find<TSevenButton>("BtBaseUnites")->width()) << Name;
    }
}

TEST_F(TMenusTest, PersonsBelowOneCountAsNoNumber)
{
    StartProgram();
    // Anything but a whole number from 1 counts as 2.
    for (const auto &[Text, Persons] : {std::pair("abc", 2), std::pair("1.5", 2), std::pair("0", 2), std::pair("-3", 2),
                                        std::pair("", 2), std::pair("1", 1), std::pair("100", 100)}) {
        Find<QLineEdit>("EdPers")->setText(QString::fromLatin1(Text));
        EXPECT_EQ(W->GetPersons(), Persons) << Text;
    }
    Find<QLineEdit>("EdPers")->setText(QStringLiteral("-1"));
    Generate(1, true, false, false, true, false);
    EXPECT_EQ(W->Menu->GetRecette(2)->MenuPers, 2);

    // The menu line editor reads its persons the same way.
    Grid()->SetRow(2);
    AnswerModals({WithEditor([](TFormEditRec *E) {
        Child<QLineEdit>(E, "EdPers")->setText(QStringLiteral("0"));
        QTest::mouseClick(Child<TSevenButton>(E, "BtRandom"), Qt::LeftButton);
    })});
    Find<QAction>("MenuEdit")->trigger();
    EXPECT_EQ(W->Menu->GetRecette(2)->MenuPers, 2);
}

TEST_F(TMenusTest, ASilentVersionSiteNeitherHoldsTheWindowNorItsClosing)
{
    const TSilentSite Silent;
    ASSERT_GT(Silent.Port, 0);
    const QString Site = QStringLiteral("http://127.0.0.1:%1").arg(Silent.Port);
    SetWebAddressesForTesting(Site, Site);
    QElapsedTimer Clock;
    Clock.start();
    StartProgram();
    EXPECT_TRUE(W->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&Silent] { return Silent.Asked(); }, 5000)) << "the check never asked";
    // The window answers while the question is pending.
    auto *Midi = Find<QCheckBox>("CbMidi");
    Click(Midi);
    EXPECT_TRUE(Midi->isChecked());
    EXPECT_LT(Clock.elapsed(), 5000);
    EXPECT_TRUE(LogLines(QStringLiteral("[TConfig.CheckVersion]")).isEmpty());
    EXPECT_FALSE(Find<QLabel>("ImgUpdate")->isVisible());
    // Closing does not wait for the answer.
    Clock.restart();
    Windows.reset();
    EXPECT_LT(Clock.elapsed(), 1000);
}

TEST_F(TMenusTest, ABuildThatNamesNoWebSiteChecksNoVersion)
{
    const TSilentSite Silent;
    ASSERT_GT(Silent.Port, 0);
    SetWebAddressesForTesting(QString(), QStringLiteral("http://127.0.0.1:%1").arg(Silent.Port));
    StartProgram();
    QTest::qWait(300);
    EXPECT_FALSE(Silent.Asked());
    EXPECT_TRUE(LogLines(QStringLiteral("[TConfig.CheckVersion]")).isEmpty());
    EXPECT_FALSE(Find<QLabel>("ImgUpdate")->isVisible());
}
