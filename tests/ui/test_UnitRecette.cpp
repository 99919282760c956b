#include "UnitRecette.h"

#include "KVXStringList.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitIngredients.h"
#include "UnitList.h"
#include "UnitRecetteList.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>

namespace {

class RecipeEditorTest : public TMenusTest
{
protected:
    static QString Sql(const QString &Query) { return Database->GetTableString(Query); }
    static int RecipeCode(const QString &Name)
    {
        Database->AddParamText(":name", Name);
        return Database->GetTableString(QStringLiteral("select code from recette where name=:name")).toInt();
    }
    // Every stored column that the editor shows, NULL as "null", joined by "|".
    static QString Stored(int Code)
    {
        QStringList Columns;
        for (const char *Column : {"name", "description", "tprep", "tcuisson", "trepos", "nbpers", "repas", "type_",
                                   "saison", "livcode", "page", "link"})
            Columns << QStringLiteral("ifnull(%1, 'null')").arg(QString::fromLatin1(Column));
        return Sql(QStringLiteral("select %1 from recette where code=%2")
                       .arg(Columns.join(QStringLiteral(" || '|' || ")))
                       .arg(Code));
    }
    static QString TableState()
    {
        return Sql(QStringLiteral("select (select count(*) || '/' || max(code) from recette) || ' ' || "
                                  "(select count(*) from ingredients)"));
    }
    static int Placeholders()
    {
        return Sql(QStringLiteral("select count(*) from recette where name glob '{*-*-*-*-*}'")).toInt();
    }

    // Answers the next modal window, which must be the recipe editor, with Action.
    void AnswerEditor(std::function<void(TFormRecette *)> Action)
    {
        AnswerModals({[Action](QWidget *Open) {
            auto *Form = qobject_cast<TFormRecette *>(Open);
            ASSERT_NE(Form, nullptr) << Open->objectName().toStdString();
            Action(Form);
        }});
    }

    QStringList Done;
    TNameEvent Record = [this](const QString &Name) { Done << Name; };
};

} // namespace

TEST_F(RecipeEditorTest, ANewRecipeIsSavedWithItsLinesAndDefaults)
{
    StartProgram();
    int Placeholder = 0;
    AnswerEditor([&](TFormRecette *Form) {
        Placeholder = Form->RecCode;
        EXPECT_EQ(Placeholders(), 1);
        EXPECT_EQ(Child<QLineEdit>(Form, "EdPers")->text() + Child<QComboBox>(Form, "ComboType")->currentText() +
                      Child<QComboBox>(Form, "ComboRepas")->currentText() +
                      Child<QComboBox>(Form, "ComboSaison")->currentText(),
                  QStringLiteral("4platmidi et soirtoute saison"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboLivre")->currentIndex(), -1);
        EXPECT_FALSE(Child<QPlainTextEdit>(Form, "MemoPrep")->isEnabled() ||
                     Child<TSevenButton>(Form, "BtLoadFile")->isEnabled() ||
                     Child<QFrame>(Form, "PanelPhoto")->isEnabled());

        // Two lines through the embedded list, written at once under the placeholder's code.
        ASSERT_NE(Form->IngList, nullptr);
        ::AnswerModals({[](QWidget *Open) {
            auto *Lines = qobject_cast<TFormIngredients *>(Open);
            ASSERT_NE(Lines, nullptr);
            auto *Ing = Child<QComboBox>(Lines, "ComboIng");
            for (const char *Name : {"Pommes de terre", "Crème liquide"}) {
                Ing->setCurrentIndex(Ing->findText(QString::fromUtf8(Name)));
                Child<QLineEdit>(Lines, "EdQuantity")->setText(QStringLiteral("2"));
                QTest::mouseClick(Child<TSevenButton>(Lines, "BtOk"), Qt::LeftButton);
            }
            QTest::mouseClick(Child<TSevenButton>(Lines, "BtCancel"), Qt::LeftButton);
        }});
        QTest::mouseClick(Child<TSevenButton>(Form->IngList.get(), "BtAdd"), Qt::LeftButton);
        EXPECT_EQ(Sql(QStringLiteral("select count(*) from ingredients where reccode=%1").arg(Form->RecCode)),
                  QStringLiteral("2"));

        TDialogTest::QueueAnswers({mrOk});
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Veuillez saisir un nom et réessayez."));
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Gratin d'essai"));
        Child<QLineEdit>(Form, "EdPers")->setText(QStringLiteral("abc"));
        Child<QLineEdit>(Form, "EdTrepos")->setText(QStringLiteral("15"));
        Child<QComboBox>(Form, "ComboType")->setCurrentIndex(TypeDessert);
        auto *Livre = Child<QComboBox>(Form, "ComboLivre");
        Livre->setCurrentIndex(Livre->findText(QStringLiteral("Au fil des saisons")));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormRecette1(0, nullptr, QStringLiteral("recette"), QStringLiteral("Recettes (ajout)"), Record),
              mrOk);
    EXPECT_EQ(Done, QStringList{QStringLiteral("Gratin d'essai")});
    const int Code = RecipeCode(QStringLiteral("Gratin d'essai"));
    EXPECT_EQ(Code, Placeholder);
    EXPECT_EQ(Placeholders(), 0);
    EXPECT_EQ(Stored(Code), QStringLiteral("Gratin d'essai||0|0|15|4|0|2|0|%1||")
                                .arg(Sql(QStringLiteral("select code from livre where name='Au fil des saisons'"))));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from ingredients where reccode=%1").arg(Code)), QStringLiteral("2"));

    // Found in the recipe list, and drawn in a menu like any other recipe.
    AnswerModals({[](QWidget *Open) {
        auto *List = qobject_cast<TFormList *>(Open);
        ASSERT_NE(List, nullptr);
        Child<QLineEdit>(List, "EdFilter")->setText(QStringLiteral("gratin d'ess"));
        ASSERT_EQ(List->RowCount(), 2);
        EXPECT_EQ(List->Cell(0, 1), QStringLiteral("Gratin d'essai"));
    }});
    ShowRecetteList();
    W->Menu->AddRecetteFromCode(RepasSoir, 2, Day1, Code);
    W->RefreshGrid(false);
    ASSERT_EQ(W->Menu->Count(), 3);
    EXPECT_EQ(W->Menu->GetRecette(2)->Name, QStringLiteral("Gratin d'essai"));
}

TEST_F(RecipeEditorTest, AnAbandonedNewRecipeLeavesTheTablesAsTheyWere)
{
    // A placeholder that a failed run left behind is gone at the next start.
    BaseSql << QStringLiteral("insert into recette (name) values ('{01234567-89AB-CDEF-0123-456789ABCDEF}');"
                              "insert into ingredients (reccode, ingcode) select max(r.code), min(i.code) "
                              "from recette r, ingredient i;");
    StartProgram();
    EXPECT_EQ(Placeholders(), 0);
    const QString Before = TableState();

    AnswerEditor([&](TFormRecette *Form) {
        Database->ExecSQL(QStringLiteral("insert into ingredients (reccode, ingcode) select %1, min(code) from "
                                         "ingredient")
                              .arg(Form->RecCode));
        const QString Question = QStringLiteral("Etes-vous sûr de vouloir annuler la création de cette recette ?");
        // "Non" keeps the window and the placeholder, whichever way the user tried to close.
        TDialogTest::QueueAnswers({mrNo, mrNo});
        QTest::mouseClick(Child<TSevenButton>(Form, "BtCancel"), Qt::LeftButton);
        Form->close();
        EXPECT_EQ(TDialogTest::ShowCount(), 2);
        EXPECT_EQ(TDialogTest::LastMessage(), Question);
        EXPECT_EQ(TDialogTest::LastKind(), dtConfirm);
        EXPECT_TRUE(Form->isVisible());
        EXPECT_EQ(Placeholders(), 1);
        TDialogTest::QueueAnswers({mrYes});
        QTest::keyClick(Child<QLineEdit>(Form, "EdName"), Qt::Key_Escape);
        EXPECT_FALSE(Form->isVisible());
    });
    EXPECT_EQ(ShowFormRecette1(0, nullptr, QStringLiteral("recette"), QStringLiteral("Recettes (ajout)"), Record),
              mrCancel);
    EXPECT_TRUE(Done.isEmpty());
    EXPECT_EQ(TableState().section(QLatin1Char(' '), 1), Before.section(QLatin1Char(' '), 1));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from recette")), Before.section(QLatin1Char('/'), 0, 0));

    // A window that ends without any answer (the program failing around it) takes its
    // placeholder and lines with it.
    {
        TFormRecette Form;
        Form.Table = QStringLiteral("recette");
        Form.show();
        ASSERT_EQ(Placeholders(), 1);
        Database->ExecSQL(
            QStringLiteral("insert into ingredients (reccode, ingcode) select %1, min(code) from ingredient")
                .arg(Form.RecCode));
    }
    EXPECT_EQ(Placeholders(), 0);
    EXPECT_EQ(TableState().section(QLatin1Char(' '), 1), Before.section(QLatin1Char(' '), 1));
}

TEST_F(RecipeEditorTest, TheCardSavesWhatItShowsAndRefusesATakenName)
{
    BaseSql << QStringLiteral(
        "update recette set trepos=25, tcuisson=35, nbpers=6, repas=2, type_=2, saison=1, "
        "page='p. 12', link='https://cuisine.example/carottes', livcode=(select min(code) from livre), "
        "description='Deux lignes' "
        "where name='Carottes râpées au citron'");
    StartProgram();
    const int Code = RecipeCode(QStringLiteral("Carottes râpées au citron"));
    const QString Before = Stored(Code);
    AnswerEditor([](TFormRecette *Form) {
        EXPECT_EQ(Child<QLineEdit>(Form, "EdTrepos")->text() + Child<QLineEdit>(Form, "EdPers")->text() +
                      Child<QComboBox>(Form, "ComboSaison")->currentText(),
                  QStringLiteral("256printemps-été"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormRecette2(QStringLiteral("Fiche recette"), Code), mrOk);
    EXPECT_EQ(Stored(Code), Before);

    // Another recipe's name: the error box names the cause and the card stays open; Delete
    // in the cookbook combo then saves the recipe without a cookbook.
    AnswerEditor([](TFormRecette *Form) {
        TDialogTest::QueueAnswers({mrOk});
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Salade de tomates à la mozzarella"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(
            QStringLiteral("Assurez-vous que ce nom ne soit pas déjà utilisé et réessayez.")));
        ASSERT_TRUE(Form->isVisible());
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Carottes râpées"));
        QTest::keyClick(Child<QComboBox>(Form, "ComboLivre"), Qt::Key_Delete);
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormRecette2(QStringLiteral("Fiche recette"), Code), mrOk);
    EXPECT_EQ(Stored(Code), QStringLiteral("Carottes râpées|Deux lignes|%1|35|25|6|2|2|1|null|p. 12|%2")
                                .arg(Before.section(QLatin1Char('|'), 2, 2), Before.section(QLatin1Char('|'), 11)));

    // A recipe that is gone opens nothing and says which code it looked for.
    Database->ExecSQL(QStringLiteral("delete from recette where code=%1").arg(Code));
    const TFailure Missing = FailureOf([&] { ShowFormRecette2(QStringLiteral("Fiche recette"), Code); });
    EXPECT_EQ(Missing.UserMessage,
              QStringLiteral("Bizarre, impossible de retrouver la recette code %1 dans la base.").arg(Code));
    EXPECT_TRUE(Missing.Message.startsWith(QStringLiteral("[ShowFormRecette2]")));
}

TEST_F(RecipeEditorTest, TheCardOpenedFromTheMenuReloadsItsLine)
{
    StartProgram();
    Generate(1, true, false, false, true, false);
    ASSERT_EQ(W->Menu->GetLineType(2), TRecetteList::ltRecette);
    const int Code = W->Menu->GetRecette(2)->Code;
    AnswerEditor([](TFormRecette *Form) {
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Plat renommé sur sa fiche"));
        Child<QLineEdit>(Form, "EdPers")->setText(QStringLiteral("3"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    const QPoint Recipe = RowCentre(2);
    GridClick(Recipe);
    GridMouse(QEvent::MouseButtonDblClick, Recipe, Qt::LeftButton, Qt::LeftButton);
    GridMouse(QEvent::MouseButtonRelease, Recipe, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(W->Menu->GetRecette(2)->Code, Code);
    EXPECT_EQ(W->Menu->GetRecette(2)->Name, QStringLiteral("Plat renommé sur sa fiche"));
    EXPECT_EQ(W->Menu->GetRecette(2)->NbPers, 3);

    // The menu line editor's "Ouvrir la fiche" opens the card of the candidate under it.
    QString Opened;
    AnswerModals({[&Opened](QWidget *Open) {
        ASSERT_EQ(Open, FormEditRec);
        ASSERT_GT(FormEditRec->ListRec->count(), 0);
        FormEditRec->ListRec->setCurrentRow(0);
        ::AnswerModals({[&Opened](QWidget *Card) {
            ASSERT_NE(qobject_cast<TFormRecette *>(Card), nullptr);
            Opened = Child<QLineEdit>(Card, "EdName")->text();
        }});
        FormEditRec->MenuOpen->trigger();
    }});
    FormEditRec->Show(TFormEditRec::acAdd, W->Menu.get(), Day1, RepasMidi, TypePlat, 2, QString());
    EXPECT_EQ(Opened, FormEditRec->ListRec->item(0)->text());
}

TEST_F(RecipeEditorTest, APasteIntoTheNoteNeverEndsTheProgram)
{
    BaseSql << QStringLiteral("update recette set description='Au four' where name='Carottes râpées au citron'");
    StartProgram();
    const int Code = RecipeCode(QStringLiteral("Carottes râpées au citron"));
    const QString Pasted = QStringLiteral(", 20 min");
    const QString Long = QString(300, QLatin1Char('x'));
    const QString Kept = (QStringLiteral("Au four") + Pasted + Long).left(256);
    AnswerEditor([&](TFormRecette *Form) {
        auto *Memo = Child<QPlainTextEdit>(Form, "MemoDesc");
        ASSERT_NE(Memo, nullptr);
        QClipboard *Clipboard = QGuiApplication::clipboard();

        // A clipboard that offers no format at all, as a program that quit leaves it.
        Clipboard->setMimeData(new QMimeData);
        QTest::keyClick(Memo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Memo->toPlainText(), QStringLiteral("Au four"));
        if (Clipboard->supportsSelection()) {
            Clipboard->setMimeData(new QMimeData, QClipboard::Selection);
            QTest::mouseClick(Memo->viewport(), Qt::MiddleButton, {}, QPoint(4, 4));
            EXPECT_EQ(Memo->toPlainText(), QStringLiteral("Au four"));
            Clipboard->clear(QClipboard::Selection);
        } else {
            RecordProperty("MiddleClickPaste", "no selection clipboard on this platform");
        }

        // Text pastes at the cursor, and the note keeps to its 256 characters.
        Memo->moveCursor(QTextCursor::End);
        Clipboard->setText(Pasted);
        QTest::keyClick(Memo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Memo->toPlainText(), QStringLiteral("Au four") + Pasted);
        Clipboard->setText(Long);
        QTest::keyClick(Memo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Memo->toPlainText(), Kept);
        Clipboard->clear();
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormRecette2(QStringLiteral("Fiche recette"), Code), mrOk);
    EXPECT_EQ(Sql(QStringLiteral("select description from recette where code=%1").arg(Code)), Kept);
}

TEST_F(RecipeEditorTest, WhatComesIntoTheNoteNeverPushesTheUsersTextOut)
{
    const QString Note = QStringLiteral("DEBUT du texte de la note FIN");
    BaseSql << QStringLiteral("update recette set description='%1' where name='Carottes râpées au citron'").arg(Note);
    StartProgram();
    const int Code = RecipeCode(QStringLiteral("Carottes râpées au citron"));
    const QString Pasted = QStringLiteral("0123456789").repeated(30);
    const QString Full = QStringLiteral("DEBUT du texte de la note ") + Pasted.left(256 - Note.size()) + "FIN";
    const QString Replaced = Full.left(9) + QStringLiteral("rempl") + Full.mid(14);
    AnswerEditor([&](TFormRecette *Form) {
        auto *Memo = Child<QPlainTextEdit>(Form, "MemoDesc");
        ASSERT_NE(Memo, nullptr);
        const auto Select = [Memo](int From, int To) {
            QTextCursor Cursor = Memo->textCursor();
            Cursor.setPosition(From);
            Cursor.setPosition(To, QTextCursor::KeepAnchor);
            Memo->setTextCursor(Cursor);
        };
        const auto Paste = [Memo](const QString &Text) {
            QGuiApplication::clipboard()->setText(Text);
            QTest::keyClick(Memo, Qt::Key_V, Qt::ControlModifier);
        };

        // 300 characters pasted before "FIN": what fits goes in, the note around it stays,
        // and ctrl+z takes the whole paste back.
        const int Fin = Note.indexOf(QStringLiteral("FIN"));
        Select(Fin, Fin);
        Paste(Pasted);
        EXPECT_EQ(Memo->toPlainText(), Full);
        QTest::keyClick(Memo, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Memo->toPlainText(), Note);
        Select(Fin, Fin);
        Paste(Pasted);
        ASSERT_EQ(Memo->toPlainText(), Full);

        // In the full note a typed character, Enter and an input method's text are dropped.
        Select(5, 5);
        QTest::keyClick(Memo, Qt::Key_X);
        QTest::keyClick(Memo, Qt::Key_Return);
        QInputMethodEvent Composed;
        Composed.setCommitString(QStringLiteral("é"));
        QApplication::sendEvent(Memo, &Composed);
        EXPECT_EQ(Memo->toPlainText(), Full);

        // A paste over a selection has the selection's room.
        Select(9, 14);
        Paste(QStringLiteral("remplacement"));
        EXPECT_EQ(Memo->toPlainText(), Replaced);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormRecette2(QStringLiteral("Fiche recette"), Code), mrOk);
    EXPECT_EQ(Sql(QStringLiteral("select description from recette where code=%1").arg(Code)), Replaced);
}
