#include "ChildControl.h"
#include "MenusTestSupport.h"
#include "SyncTestSupport.h"

#include "SevenButton.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitMenuList.h"
#include "UnitMenuName.h"
#include "UnitOptions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

namespace {

class TMenuListTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        Sync = std::make_unique<TSyncOn>(Server);
        Server.Answer("GET", "/fenolda/menu", {200, MenuList});
        StartProgram();
    }
    void TearDown() override
    {
        TMenusTest::TearDown();
        Sync.reset();
    }

    // Shows the list, runs Action on it once it is open, and gives ShowMenuList's result.
    bool WithList(std::function<void(TFormMenuList *)> Action)
    {
        AnswerModals({[Action](QWidget *Modal) {
            auto *List = qobject_cast<TFormMenuList *>(Modal);
            ASSERT_NE(List, nullptr);
            Action(List);
        }});
        return ShowMenuList({});
    }
    static QTableWidget *Grid(const TFormMenuList *List) { return Child<QTableWidget>(List, "GridItems"); }
    static QStringList Names(const TFormMenuList *List)
    {
        QStringList Result;
        for (int Row = 0; Row < Grid(List)->rowCount(); ++Row)
            Result.append(Grid(List)->item(Row, 0)->text());
        return Result;
    }
    static void Key(TFormMenuList *List, int Key) { QTest::keyClick(Grid(List), Qt::Key(Key)); }

    const std::string MenuList = R"([{"code":1,"name":"Semaine 12","modified":"2024-09-01 10:00:00","recettes":[]},)"
                                 R"({"code":2,"name":"Menu de Noël","modified":"2024-09-02 10:00:00","recettes":[]},)"
                                 R"({"code":3,"name":"Ma semaine","modified":"2024-09-03 10:00:00","recettes":[)"
                                 R"({"jour":0,"name":"Soupe"},{"jour":0,"name":"Tarte"},{"jour":1,"name":"Gratin"}]},)"
                                 R"({"code":4,"name":"Zèbre","modified":"2024-09-04 10:00:00","recettes":[]}])";
    TTestServer Server;
    std::unique_ptr<TSyncOn> Sync;
};

} // namespace

TEST_F(TMenuListTest, FilterPreviewAndTheChosenMenu)
{
    const bool Chosen = WithList([](TFormMenuList *List) {
        EXPECT_EQ(Names(List).size(), 4);
        EXPECT_EQ(Grid(List)->item(0, 1)->text(), QStringLiteral("2024-09-01 10:00:00"));
        EXPECT_EQ(List->SelectedRow(), 1);
        EXPECT_TRUE(Child<TSevenButton>(List, "BtOpen")->isEnabled());

        // "sem" keeps both weeks, whatever their case; each row stands for its own menu.
        Child<QLineEdit>(List, "EdFilter")->setText(QStringLiteral("SEM"));
        EXPECT_EQ(Names(List), QStringList({QStringLiteral("Semaine 12"), QStringLiteral("Ma semaine")}));
        List->SelectRow(2);
        EXPECT_EQ(Child<QPlainTextEdit>(List, "MemoRecettes")->toPlainText(),
                  QStringLiteral("J+0 Soupe\nJ+0 Tarte\nJ+1 Gratin"));
        EXPECT_EQ(QStr((*List->GetSelectedMenu())["name"]), QStringLiteral("Ma semaine"));
        // Enter opens the selected menu.
        Key(List, Qt::Key_Return);
    });
    EXPECT_TRUE(Chosen);
    EXPECT_EQ(QStr((*FormMenuList->GetSelectedMenu())["code"]), QStringLiteral("3"));
    // Escape closes without a choice, and the filter is emptied at the next showing.
    EXPECT_FALSE(WithList([](TFormMenuList *List) {
        EXPECT_TRUE(Child<QLineEdit>(List, "EdFilter")->text().isEmpty());
        Key(List, Qt::Key_Escape);
    }));
}

TEST_F(TMenuListTest, AnEmptyListHasNothingToOpenRenameOrDelete)
{
    Server.Answer("GET", "/fenolda/menu", {200, "[]"});
    Server.ClearRequests();
    EXPECT_FALSE(WithList([](TFormMenuList *List) {
        EXPECT_EQ(List->MenuRowCount(), 0);
        EXPECT_EQ(List->GetSelectedMenu(), nullptr);
        for (TSevenButton *Button : {Child<TSevenButton>(List, "BtOpen"), Child<TSevenButton>(List, "BtRename"),
                                     Child<TSevenButton>(List, "BtDelete")})
            EXPECT_FALSE(Button->isEnabled());
        Key(List, Qt::Key_Return);
        Key(List, Qt::Key_Delete);
        EXPECT_TRUE(List->isVisible());
        Key(List, Qt::Key_Escape);
    }));
    EXPECT_EQ(Server.Requests().back().Line, "GET /fenolda/menu?recettes=1");
    EXPECT_EQ(TDialogTest::ShowCount(), 0);

    // A list that cannot be fetched: the error box, and the list opens as it was left.
    Server.Answer("GET", "/fenolda/menu", {500, "panne"});
    TDialogTest::QueueAnswers({mrOk});
    EXPECT_FALSE(WithList([](TFormMenuList *List) {
        EXPECT_EQ(List->MenuRowCount(), 0);
        Key(List, Qt::Key_Escape);
    }));
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(LogLines(QStringLiteral("[TFormMenuList.FormShow] [TSlimApi.GetMenuList]")).size(), 1);
}

TEST_F(TMenuListTest, AListReplyThatIsNoListKeepsThePreviousListWhole)
{
    EXPECT_FALSE(WithList([](TFormMenuList *List) { Key(List, Qt::Key_Escape); }));
    for (const char *Reply : {"<html>panne</html>", "{\"menus\":[]}"}) {
        Server.Answer("GET", "/fenolda/menu", {200, Reply});
        TDialogTest::QueueAnswers({mrOk});
        // Every row shown still stands for its menu, and opens it.
        EXPECT_TRUE(WithList([](TFormMenuList *List) {
            ASSERT_EQ(List->MenuRowCount(), 4);
            for (int Row = 4; Row >= 2; --Row) {
                List->SelectRow(Row);
                ASSERT_NE(List->GetSelectedMenu(), nullptr);
                EXPECT_EQ(QStr((*List->GetSelectedMenu())["name"]), Grid(List)->item(Row - 1, 0)->text());
            }
            QTest::mouseClick(Child<TSevenButton>(List, "BtOpen"), Qt::LeftButton);
        })) << Reply;
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        ASSERT_NE(FormMenuList->GetSelectedMenu(), nullptr);
        EXPECT_EQ(QStr((*FormMenuList->GetSelectedMenu())["name"]), QStringLiteral("Menu de Noël"));
    }
}

TEST_F(TMenuListTest, MembersOfAnotherTypeAreNeitherShownNorActedOn)
{
    Server.Answer("GET", "/fenolda/menu",
                  {200, R"([{"code":"1","name":"Texte","modified":12,"recettes":[{"jour":1.5e300,"name":"Soupe"},)"
                        R"({"jour":2,"name":3},{"jour":3,"name":"Tarte"}]},{"name":"Sans code"}])"});
    Server.ClearRequests();
    WithList([](TFormMenuList *List) {
        EXPECT_EQ(Names(List), QStringList({QStringLiteral("Texte"), QStringLiteral("Sans code")}));
        EXPECT_EQ(Grid(List)->item(0, 1)->text(), QString());
        EXPECT_EQ(Child<QPlainTextEdit>(List, "MemoRecettes")->toPlainText(), QStringLiteral("J+2 \nJ+3 Tarte"));
        // Without a code neither is renamed nor deleted: a prompt or a question shown for them
        // is closed, so that the test fails instead of waiting.
        QTimer Closer;
        QObject::connect(&Closer, &QTimer::timeout, [] {
            if (auto *Prompt = qobject_cast<TFormMenuName *>(QApplication::activeModalWidget()))
                Prompt->close();
        });
        Closer.start(50);
        for (int Row : {1, 2}) {
            List->SelectRow(Row);
            for (const char *Button : {"BtRename", "BtDelete"}) {
                TDialogTest::QueueAnswers({mrOk});
                QTest::mouseClick(Child<TSevenButton>(List, Button), Qt::LeftButton);
                EXPECT_EQ(TDialogTest::LastMessage(),
                          QStringLiteral("Le menu n'a pas un format valide.") + ClosingRequest())
                    << Row << Button;
            }
        }
        Key(List, Qt::Key_Escape);
    });
    EXPECT_EQ(Server.Requests().back().Line, "GET /fenolda/menu?recettes=1");
}

TEST_F(TMenuListTest, TypeAheadFoldsAccentsAndStartsAgainAfterAPause)
{
    Server.Answer("GET", "/fenolda/menu",
                  {200, R"([{"code":1,"name":"Lundi"},{"code":2,"name":"Ménage"},{"code":3,"name":"Mardi"},)"
                        R"({"code":4,"name":"Zèbre"}])"});
    WithList([](TFormMenuList *List) {
        Key(List, Qt::Key_M);
        EXPECT_EQ(List->SelectedRow(), 2);
        Key(List, Qt::Key_A);
        EXPECT_EQ(List->SearchText, QStringLiteral("ma"));
        // "Me" of Ménage is already after "ma".
        EXPECT_EQ(List->SelectedRow(), 2);
        List->LastKeyTime -= 1000;
        Key(List, Qt::Key_X);
        EXPECT_EQ(List->SearchText, QStringLiteral("x"));
        EXPECT_EQ(List->SelectedRow(), 4);
        List->LastKeyTime -= 1000;
        Key(List, Qt::Key_L);
        EXPECT_EQ(List->SelectedRow(), 1);
        // Punctuation takes no part; a capital and an accented letter are folded.
        QTest::keyClick(Grid(List), '.');
        EXPECT_EQ(List->SearchText, QStringLiteral("l"));
        List->LastKeyTime -= 1000;
        QTest::keyClick(Grid(List), 'M', Qt::ShiftModifier);
        QKeyEvent Accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
        QApplication::sendEvent(Grid(List), &Accented);
        EXPECT_EQ(List->SearchText, QStringLiteral("me"));
        EXPECT_EQ(List->SelectedRow(), 2);
        Key(List, Qt::Key_Escape);
    });
}

TEST_F(TMenuListTest, RenameAndDeleteOnTheServer)
{
    std::vector<std::pair<int, QString>> Renamed;
    AnswerModals({[&](QWidget *Modal) {
        auto *List = qobject_cast<TFormMenuList *>(Modal);
        ASSERT_NE(List, nullptr);
        List->SelectRow(3);
        // A name the server refuses: both user texts, and the old name stays.
        Server.Answer("PATCH", "/fenolda/menu/3", {400, R"({"error":"doublon"})"});
        TDialogTest::QueueAnswers({mrOk});
        ::AnswerModals({[](QWidget *Prompt) {
            auto *Name = qobject_cast<TFormMenuName *>(Prompt);
            ASSERT_NE(Name, nullptr);
            EXPECT_EQ(Child<QLineEdit>(Name, "EdName")->selectedText(), QStringLiteral("Ma semaine"));
            Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("Semaine 12"));
            QTest::mouseClick(Child<TSevenButton>(Name, "BtOk"), Qt::LeftButton);
        }});
        QTest::mouseClick(Child<TSevenButton>(List, "BtRename"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Assurez-vous que ce nom ne soit pas déjà utilisé et "
                                                             "réessayez.\r\nErreur de renommage du menu.") +
                                                  ClosingRequest());
        EXPECT_EQ(Grid(List)->item(2, 0)->text(), QStringLiteral("Ma semaine"));

        // Accepted: the list and the callback follow, the selection stays.
        Server.Answer("PATCH", "/fenolda/menu/3", {200, "{}"});
        ::AnswerModals({[](QWidget *Prompt) {
            Child<QLineEdit>(Prompt, "EdName")->setText(QStringLiteral("Notre semaine"));
            QTest::mouseClick(Child<TSevenButton>(Prompt, "BtOk"), Qt::LeftButton);
        }});
        QTest::mouseClick(Child<TSevenButton>(List, "BtRename"), Qt::LeftButton);
        EXPECT_EQ(Grid(List)->item(2, 0)->text(), QStringLiteral("Notre semaine"));
        EXPECT_EQ(List->SelectedRow(), 3);

        // Delete asks first; "Non" and Escape keep the menu and send nothing, Delete and
        // "Oui" remove it. Deleting the last row selects the new last row.
        List->SelectRow(4);
        const auto Deletes = [&] {
            int Count = 0;
            for (const TRecordedRequest &Request : Server.Requests())
                Count += Request.Line.rfind("DELETE ", 0) == 0;
            return Count;
        };
        for (const int Answer : {mrNo, mrCancel}) {
            TDialogTest::QueueAnswers({Answer});
            QTest::mouseClick(Child<TSevenButton>(List, "BtDelete"), Qt::LeftButton);
            EXPECT_EQ(TDialogTest::LastMessage(),
                      QStringLiteral("Etes-vous sûr de vouloir supprimer ce menu ?\r\n(Zèbre)"));
            EXPECT_EQ(List->MenuRowCount(), 4) << Answer;
            EXPECT_EQ(Deletes(), 0) << Answer;
        }
        TDialogTest::QueueAnswers({mrYes});
        Key(List, Qt::Key_Delete);
        EXPECT_EQ(Server.Requests().back().Line, "DELETE /fenolda/menu/4");
        EXPECT_EQ(List->MenuRowCount(), 3);
        EXPECT_EQ(List->SelectedRow(), 3);

        // A failed delete keeps the menu.
        Server.Answer("DELETE", "/fenolda/menu/3", {500, "panne"});
        TDialogTest::QueueAnswers({mrYes, mrOk});
        QTest::mouseClick(Child<TSevenButton>(List, "BtDelete"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        EXPECT_EQ(List->MenuRowCount(), 3);
        Key(List, Qt::Key_Escape);
    }});
    EXPECT_FALSE(ShowMenuList([&](int Code, const QString &Name) { Renamed.emplace_back(Code, Name); }));
    EXPECT_EQ(Renamed, (std::vector<std::pair<int, QString>>{{3, QStringLiteral("Notre semaine")}}));
}

TEST_F(TMenuListTest, TheNamePromptWantsANameAndKeepsItsBlanks)
{
    AnswerModals({[](QWidget *Modal) {
        auto *Form = qobject_cast<TFormMenuName *>(Modal);
        ASSERT_NE(Form, nullptr);
        Child<QLineEdit>(Form, "EdName")->clear();
        TDialogTest::QueueAnswers({mrOk});
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Veuillez saisir un nom et réessayez."));
        EXPECT_TRUE(Form->isVisible());
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("  Menu  "));
        QTest::keyClick(Child<QLineEdit>(Form, "EdName"), Qt::Key_Return);
    }});
    EXPECT_TRUE(ShowFormName(QStringLiteral("Enregistrer un menu"), QStringLiteral("samedi")));
    EXPECT_EQ(FormMenuName->GetName(), QStringLiteral("  Menu  "));

    AnswerModals({[](QWidget *Modal) { QTest::keyClick(Modal, Qt::Key_Escape); }});
    EXPECT_FALSE(ShowFormName(QStringLiteral("Enregistrer un menu"), QStringLiteral("samedi")));
}

// Controls are built at the first showing; the main window reads these windows before that.
TEST_F(TMenuListTest, TheWindowsWorkBeforeTheirFirstShowing)
{
    EXPECT_EQ(FormMenuList->findChild<QTableWidget *>(QStringLiteral("GridItems")), nullptr);
    EXPECT_EQ(FormMenuList->GetSelectedMenu(), nullptr);
    EXPECT_EQ(FormMenuList->MenuRowCount(), 0);
    EXPECT_EQ(FormMenuList->SelectedRow(), 0);
    EXPECT_EQ(FormMenuName->GetName(), QString());
    EXPECT_EQ(FormOptions->findChild<QLineEdit *>(QStringLiteral("EdDays")), nullptr);

    Config->SetHistoDays(45);
    FormOptions->LoadOptions();
    EXPECT_EQ(Child<QLineEdit>(FormOptions, "EdDays")->text(), QStringLiteral("45"));

    EXPECT_FALSE(WithList([](TFormMenuList *List) {
        EXPECT_EQ(List->MenuRowCount(), 4);
        EXPECT_TRUE(Child<TSevenButton>(List, "BtOpen")->isEnabled());
        Key(List, Qt::Key_Escape);
    }));
}
