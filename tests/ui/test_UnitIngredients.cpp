#include "UnitIngredients.h"

#include "KVXStringList.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitIngredient.h"
#include "UnitName.h"
#include "UnitRecette.h"
#include "UnitTools.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The program started on the starter base; the editors are opened as the lists open them.
class TableEditorsTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        BaseSql << QStringLiteral("insert into ingredient (name) values ('Zeste sans rayon')");
        StartProgram();
        SetTickCountFunction([this] { return Tick; });
    }
    void TearDown() override
    {
        SetTickCountFunction({});
        TMenusTest::TearDown();
    }

    static QString Sql(const QString &Query) { return Database->GetTableString(Query); }
    static int Code(const QString &Table, const QString &Name)
    {
        Database->AddParamText(":name", Name);
        return Database->GetTableString(QStringLiteral("select code from %1 where name=:name").arg(Table)).toInt();
    }
    static void Choose(QComboBox *Combo, const QString &Text)
    {
        Combo->setCurrentIndex(Combo->findText(Text));
        ASSERT_GE(Combo->currentIndex(), 0) << Text.toStdString();
    }
    static void ClickOk(QWidget *Form) { QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton); }
    static std::unique_ptr<TKVXStringList> ValuesOf(const QStringList &Lines)
    {
        auto Values = std::make_unique<TKVXStringList>();
        for (const QString &Line : Lines)
            Values->Add(Line);
        return Values;
    }

    // Answers the next modal window, which must be a T, with Action.
    template <class T> void Answer(std::function<void(T *)> Action)
    {
        AnswerModals({[Action](QWidget *Open) {
            auto *Form = qobject_cast<T *>(Open);
            ASSERT_NE(Form, nullptr);
            Action(Form);
        }});
    }

    quint32 Tick = 100000;
    QStringList Done;
    TNameEvent Record = [this](const QString &Name) { Done << Name; };
};

} // namespace

TEST_F(TableEditorsTest, IngredientsAddedInARowKeepTheBlockedShelfByItsCode)
{
    const int Boucherie = Code(QStringLiteral("rayon"), QStringLiteral("Boucherie"));
    Answer<TFormIngredient>([&](TFormIngredient *Form) {
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbDontClose")->isChecked() &&
                    Child<QCheckBox>(Form, "CbDontClose")->isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbFixRayon")->isEnabled() &&
                    !Child<QCheckBox>(Form, "CbFixRayon")->isChecked());
        Child<QCheckBox>(Form, "CbFixRayon")->setChecked(true);
        Choose(Child<QComboBox>(Form, "ComboRayon"), QStringLiteral("Boucherie"));
        for (const char *Name : {"Onglet", "Bavette"}) {
            Child<QLineEdit>(Form, "EdName")->setText(QString::fromUtf8(Name));
            ClickOk(Form);
            EXPECT_TRUE(Form->isVisible());
            EXPECT_EQ(Child<QLineEdit>(Form, "EdName")->text(), QString());
        }
        // A shelf added meanwhile (through the shelf button) sorts before it: the same shelf
        // stays chosen, not the same place in the list.
        Database->ExecSQL(QStringLiteral("insert into rayon (name) values ('Animalerie')"));
        Form->LoadRayon();
        EXPECT_EQ(Child<QComboBox>(Form, "ComboRayon")->currentText(), QStringLiteral("Boucherie"));
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Paleron"));
        ClickOk(Form);
        // Unblocked, the next one still has the shelf shown, the one after it none.
        Child<QCheckBox>(Form, "CbFixRayon")->setChecked(false);
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Jarret"));
        ClickOk(Form);
        EXPECT_EQ(Child<QComboBox>(Form, "ComboRayon")->currentIndex(), -1);
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Gîte"));
        ClickOk(Form);
        QTest::mouseClick(Child<TSevenButton>(Form, "BtCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(
        ShowFormIngredient(0, nullptr, QStringLiteral("ingredient"), QStringLiteral("Ingrédients (ajout)"), Record),
        mrCancel);
    EXPECT_EQ(Done.join(QLatin1Char(',')), QStringLiteral("Onglet,Bavette,Paleron,Jarret,Gîte"));
    EXPECT_EQ(Sql(QStringLiteral("select group_concat(name || ':' || ifnull(raycode, 'null'), ',') from "
                                 "(select * from ingredient where code > (select code from ingredient where "
                                 "name='Zeste sans rayon') order by code)")),
              QStringLiteral("Onglet:%1,Bavette:%1,Paleron:%1,Jarret:%1,Gîte:null").arg(Boucherie));
}

TEST_F(TableEditorsTest, IngredientEditRefusesAnEmptyOrTakenNameAndStoresNoShelfAsNull)
{
    const int Code = ::TableEditorsTest::Code(QStringLiteral("ingredient"), QStringLiteral("Zeste sans rayon"));
    auto Values = ValuesOf(
        {QStringLiteral("code=%1").arg(Code), QStringLiteral("ingname=Zeste sans rayon"), QStringLiteral("raycode=0")});
    Answer<TFormIngredient>([&](TFormIngredient *Form) {
        EXPECT_TRUE(!Child<QCheckBox>(Form, "CbDontClose")->isChecked() &&
                    !Child<QCheckBox>(Form, "CbDontClose")->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(Form, "CbFixRayon")->isEnabled());
        EXPECT_EQ(Child<QLineEdit>(Form, "EdName")->text(), QStringLiteral("Zeste sans rayon"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboRayon")->currentIndex(), -1);

        TDialogTest::QueueAnswers({mrOk, mrOk});
        Child<QLineEdit>(Form, "EdName")->clear();
        ClickOk(Form);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Veuillez saisir un nom et réessayez."));
        EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Ail"));
        ClickOk(Form);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(
            QStringLiteral("Assurez-vous que cet ingrédient n'existe pas déjà et réessayez.")));
        ASSERT_TRUE(Form->isVisible());
        EXPECT_EQ(Child<QLineEdit>(Form, "EdName")->text(), QStringLiteral("Ail"));

        // Delete takes the shelf away again.
        Choose(Child<QComboBox>(Form, "ComboRayon"), QStringLiteral("Surgelés"));
        QTest::keyClick(Child<QComboBox>(Form, "ComboRayon"), Qt::Key_Delete);
        EXPECT_EQ(Child<QComboBox>(Form, "ComboRayon")->currentIndex(), -1);
        Child<QLineEdit>(Form, "EdName")->setText(QStringLiteral("Zeste de citron"));
        ClickOk(Form);
    });
    EXPECT_EQ(ShowFormIngredient(1, Values.get(), QStringLiteral("ingredient"),
                                 QStringLiteral("Ingrédients (modification)"), Record),
              mrOk);
    EXPECT_EQ(Done, QStringList{QStringLiteral("Zeste de citron")});
    EXPECT_EQ(
        Sql(QStringLiteral("select name || ':' || ifnull(raycode, 'null') from ingredient where code=%1").arg(Code)),
        QStringLiteral("Zeste de citron:null"));
}

TEST_F(TableEditorsTest, IngredientLinesReadTheirQuantityAndRefuseAUnitWithoutOne)
{
    Database->ExecSQL(QStringLiteral("insert into recette (name) values ('Essai de lignes')"));
    const int Rec = Code(QStringLiteral("recette"), QStringLiteral("Essai de lignes"));
    auto Add = ValuesOf({QStringLiteral("reccode=%1").arg(Rec)});
    Answer<TFormIngredients>([&](TFormIngredients *Form) {
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbDontClose")->isChecked() &&
                    Child<QCheckBox>(Form, "CbDontClose")->isEnabled());
        TDialogTest::QueueAnswers({mrOk, mrOk, mrOk, mrOk, mrOk});
        ClickOk(Form);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Vous devez sélectionner un ingrédient."));
        EXPECT_EQ(QApplication::focusWidget(), Child<QComboBox>(Form, "ComboIng"));

        // Keys typed quickly build one prefix, folded without accents; a pause starts anew.
        QTest::keyClicks(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("ec"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboIng")->currentText(), QStringLiteral("Échalotes"));
        // Blanks and capitals are typed like the letters.
        const std::pair<const char *, const char *> Searches[] = {{"pommes de t", "Pommes de terre"},
                                                                  {"Vin b", "Vin blanc"}};
        for (const auto &[Typed, Found] : Searches) {
            Tick += 500;
            QTest::keyClicks(Child<QComboBox>(Form, "ComboIng"), QString::fromLatin1(Typed));
            EXPECT_EQ(Child<QComboBox>(Form, "ComboIng")->currentText(), QString::fromLatin1(Found)) << Typed;
        }
        Tick += 500;
        QTest::keyClicks(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("ail"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboIng")->currentText(), QStringLiteral("Ail"));
        // Entering another input also starts anew.
        QTest::keyClicks(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("m"));
        EXPECT_NE(Child<QComboBox>(Form, "ComboIng")->currentText(), QStringLiteral("Ail"));
        Child<QComboBox>(Form, "ComboUnit")->setFocus();
        QTest::keyClicks(Child<QComboBox>(Form, "ComboUnit"), QStringLiteral("g"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboUnit")->currentText(), QStringLiteral("g"));
        Child<QComboBox>(Form, "ComboIng")->setFocus();
        QTest::keyClicks(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("ail"));
        EXPECT_EQ(Child<QComboBox>(Form, "ComboIng")->currentText(), QStringLiteral("Ail"));

        const QString UnitMessage = QStringLiteral(
            "Dès lors que vous avez sélectionné une unité, vous devez saisir une quantité supérieure à 0.\r\n"
            "Pour supprimer l'unité, placez vous sur la liste (en utilisant la touche Tab) et appuyez sur la touche "
            "Suppr.");
        for (const char *Refused : {"0", "", "abc", "-2"}) {
            Child<QLineEdit>(Form, "EdQuantity")->setText(QString::fromLatin1(Refused));
            ClickOk(Form);
            EXPECT_EQ(TDialogTest::LastMessage(), UnitMessage) << Refused;
        }
        EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(Form, "EdQuantity"));
        EXPECT_EQ(TDialogTest::ShowCount(), 5);

        Child<QLineEdit>(Form, "EdQuantity")->setText(QStringLiteral("1,5"));
        Child<QLineEdit>(Form, "EdNote")->setText(QStringLiteral("hachée"));
        ClickOk(Form);
        // Ready for the next line: nothing chosen any more.
        EXPECT_TRUE(Child<QComboBox>(Form, "ComboIng")->currentIndex() == -1 &&
                    Child<QComboBox>(Form, "ComboUnit")->currentIndex() == -1 &&
                    Child<QLineEdit>(Form, "EdQuantity")->text().isEmpty() &&
                    Child<QLineEdit>(Form, "EdNote")->text().isEmpty());
        // Without a unit any quantity goes.
        Choose(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("Oignons"));
        Child<QLineEdit>(Form, "EdQuantity")->setText(QStringLiteral("-2"));
        ClickOk(Form);
        Choose(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("Tomates"));
        Child<QLineEdit>(Form, "EdQuantity")->setText(QStringLiteral("abc"));
        ClickOk(Form);

        // The same ingredient twice in one recipe is refused; the window keeps its inputs.
        TDialogTest::QueueAnswers({mrOk});
        Choose(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("Ail"));
        ClickOk(Form);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(QStringLiteral(
            "Assurez-vous que l'ingrédient sélectionné dans la liste n'existe pas déjà dans votre recette.")));
        EXPECT_TRUE(Form->isVisible() && Child<QComboBox>(Form, "ComboIng")->currentText() == QStringLiteral("Ail"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(ShowFormIngredients(0, Add.get(), QStringLiteral("ingredients"), QStringLiteral("* (ajout)"), Record),
              mrCancel);
    EXPECT_EQ(Done.join(QLatin1Char(',')), QStringLiteral("Ail,Oignons,Tomates"));
    const QString Lines =
        QStringLiteral("select group_concat(i.name || ':' || l.quantite || ':' || ifnull(u.name, '-') "
                       "|| ':' || l.note, ',') from (select * from ingredients where reccode=%1 "
                       "order by ingcode) l join ingredient i on i.code=l.ingcode left join unite u "
                       "on u.code=l.unitecode")
            .arg(Rec);
    EXPECT_EQ(Sql(Lines), QStringLiteral("Ail:1.5:g:hachée,Oignons:-2.0:-:,Tomates:0.0:-:"));

    // Editing shows the stored quantity with a point and may change the line's ingredient;
    // a stored 0 shows as nothing.
    auto EditValues = [&](const QString &Ing, const QString &Quantity, const QString &Unit) {
        return ValuesOf({QStringLiteral("reccode=%1").arg(Rec),
                         QStringLiteral("ingcode=%1").arg(Code(QStringLiteral("ingredient"), Ing)),
                         QStringLiteral("quantite=") + Quantity, QStringLiteral("unitecode=%1").arg(Unit),
                         QStringLiteral("note=hachée")});
    };
    auto Ail = EditValues(QStringLiteral("Ail"), QStringLiteral("1,5"),
                          QString::number(Code(QStringLiteral("unite"), QStringLiteral("g"))));
    Answer<TFormIngredients>([&](TFormIngredients *Form) {
        EXPECT_FALSE(Child<QCheckBox>(Form, "CbDontClose")->isChecked() ||
                     Child<QCheckBox>(Form, "CbDontClose")->isEnabled());
        EXPECT_EQ(Child<QLineEdit>(Form, "EdQuantity")->text() + Child<QComboBox>(Form, "ComboUnit")->currentText() +
                      Child<QComboBox>(Form, "ComboIng")->currentText() + Child<QLineEdit>(Form, "EdNote")->text(),
                  QStringLiteral("1.5gAilhachée"));
        Choose(Child<QComboBox>(Form, "ComboIng"), QStringLiteral("Échalotes"));
        ClickOk(Form);
    });
    EXPECT_EQ(
        ShowFormIngredients(1, Ail.get(), QStringLiteral("ingredients"), QStringLiteral("* (modification)"), Record),
        mrOk);
    EXPECT_EQ(Sql(Lines), QStringLiteral("Oignons:-2.0:-:,Échalotes:1.5:g:hachée,Tomates:0.0:-:"));
    auto Tomates = EditValues(QStringLiteral("Tomates"), QStringLiteral("0"), QStringLiteral("0"));
    Answer<TFormIngredients>([](TFormIngredients *Form) {
        EXPECT_EQ(Child<QLineEdit>(Form, "EdQuantity")->text(), QString());
        EXPECT_EQ(Child<QComboBox>(Form, "ComboUnit")->currentIndex(), -1);
    });
    EXPECT_EQ(ShowFormIngredients(1, Tomates.get(), QStringLiteral("ingredients"), QString(), Record), mrCancel);
}

TEST_F(TableEditorsTest, PickingWritesNothingAndHandsBackTheChoice)
{
    const QString Before = Sql(QStringLiteral("select count(*) || '/' || total(quantite) from ingredients"));
    std::unique_ptr<TFormIngredients> Form =
        NewFormIngredients(2, nullptr, QStringLiteral("ingredients"), QStringLiteral("Ajouter un ingrédient"), {});
    EXPECT_EQ(Form->Quantity + Form->UnitCode + Form->IngCode + Form->RayCode, 0);
    Answer<TFormIngredients>([](TFormIngredients *Open) {
        EXPECT_FALSE(Child<QCheckBox>(Open, "CbDontClose")->isChecked() ||
                     Child<QCheckBox>(Open, "CbDontClose")->isEnabled());
        Choose(Child<QComboBox>(Open, "ComboIng"), QStringLiteral("Zeste sans rayon"));
        Choose(Child<QComboBox>(Open, "ComboUnit"), QStringLiteral("kg"));
        Child<QLineEdit>(Open, "EdQuantity")->setText(QStringLiteral("2.5"));
        Child<QLineEdit>(Open, "EdNote")->setText(QStringLiteral("bio"));
        ClickOk(Open);
    });
    EXPECT_EQ(Form->exec(), mrOk);
    EXPECT_EQ(Form->Quantity, 2.5);
    EXPECT_EQ(Form->UnitCode, Code(QStringLiteral("unite"), QStringLiteral("kg")));
    EXPECT_EQ(Form->UnitName + Form->IngName + Form->Note, QStringLiteral("kgZeste sans rayonbio"));
    EXPECT_EQ(Form->IngCode, Code(QStringLiteral("ingredient"), QStringLiteral("Zeste sans rayon")));
    EXPECT_EQ(Form->RayCode, 0);
    EXPECT_EQ(Sql(QStringLiteral("select count(*) || '/' || total(quantite) from ingredients")), Before);
}

TEST_F(TableEditorsTest, ARowDeletedWhileItsEditorIsOpenIsNotReportedSaved)
{
    // Once reported as saved: a row another window deleted before OK. Now the alert, nothing
    // written, the window open.
    Database->ExecSQL(QStringLiteral("insert into recette (name) values ('Recette effacée')"));
    Database->ExecSQL(QStringLiteral("insert into rayon (name) values ('Rayon effacé')"));
    const int Rec = Code(QStringLiteral("recette"), QStringLiteral("Recette effacée"));
    const int Ail = Code(QStringLiteral("ingredient"), QStringLiteral("Ail"));
    const int Zeste = Code(QStringLiteral("ingredient"), QStringLiteral("Zeste sans rayon"));
    const int Rayon = Code(QStringLiteral("rayon"), QStringLiteral("Rayon effacé"));
    Database->ExecSQL(
        QStringLiteral("insert into ingredients (reccode, ingcode, quantite) values (%1, %2, 1)").arg(Rec).arg(Ail));
    const QString Before =
        Sql(QStringLiteral("select (select count(*) from ingredients) || '/' || "
                           "(select count(*) from ingredient) || '/' || (select count(*) from rayon)"));
    // Types NewText in Input, deletes the row, clicks OK: the alert, and the window still open.
    auto SaveGone = [](QWidget *Form, const char *Input, const QString &NewText, const QString &Delete,
                       const QString &Message) {
        Database->ExecSQL(Delete);
        Child<QLineEdit>(Form, Input)->setText(NewText);
        TDialogTest::QueueAnswers({mrOk});
        ClickOk(Form);
        EXPECT_EQ(TDialogTest::LastMessage(), Message);
        EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
        EXPECT_TRUE(Form->isVisible());
        EXPECT_EQ(Child<QLineEdit>(Form, Input)->text(), NewText);
        QTest::keyClick(Child<QLineEdit>(Form, Input), Qt::Key_Escape);
    };

    auto Line = ValuesOf({QStringLiteral("reccode=%1").arg(Rec), QStringLiteral("ingcode=%1").arg(Ail),
                          QStringLiteral("quantite=1"), QStringLiteral("unitecode=0"), QStringLiteral("note=")});
    Answer<TFormIngredients>([&](TFormIngredients *Form) {
        SaveGone(Form, "EdQuantity", QStringLiteral("3"),
                 QStringLiteral("delete from ingredients where reccode=%1").arg(Rec),
                 QStringLiteral("Cette ligne n'existe plus dans la recette : elle a été supprimée entre-temps. "
                                "Rien n'a été enregistré."));
    });
    EXPECT_EQ(ShowFormIngredients(1, Line.get(), QStringLiteral("ingredients"), QString(), Record), mrCancel);

    auto Ingredient = ValuesOf({QStringLiteral("code=%1").arg(Zeste), QStringLiteral("ingname=Zeste sans rayon"),
                                QStringLiteral("raycode=0")});
    Answer<TFormIngredient>([&](TFormIngredient *Form) {
        SaveGone(Form, "EdName", QStringLiteral("Zeste d'orange"),
                 QStringLiteral("delete from ingredient where code=%1").arg(Zeste),
                 QStringLiteral("Cet ingrédient n'existe plus : il a été supprimé entre-temps. Rien n'a été "
                                "enregistré."));
    });
    EXPECT_EQ(ShowFormIngredient(1, Ingredient.get(), QStringLiteral("ingredient"), QString(), Record), mrCancel);

    auto Name = ValuesOf({QStringLiteral("code=%1").arg(Rayon), QStringLiteral("name=Rayon effacé")});
    AnswerModals({[&](QWidget *Form) {
        SaveGone(Form, "EdName", QStringLiteral("Rayon renommé"),
                 QStringLiteral("delete from rayon where code=%1").arg(Rayon),
                 QStringLiteral("Ce nom n'existe plus dans la liste : il a été supprimé entre-temps. Rien n'a été "
                                "enregistré."));
    }});
    EXPECT_EQ(UnitName::ShowFormName(1, Name.get(), QStringLiteral("rayon"), QString(), Record), mrCancel);

    Answer<TFormRecette>([&](TFormRecette *Form) {
        SaveGone(Form, "EdName", QStringLiteral("Recette renommée"),
                 QStringLiteral("delete from recette where code=%1").arg(Rec),
                 QStringLiteral("Cette recette n'existe plus : elle a été supprimée entre-temps. Rien n'a été "
                                "enregistré."));
    });
    EXPECT_EQ(ShowFormRecette2(QStringLiteral("Fiche recette"), Rec), mrCancel);
    EXPECT_EQ(Code(QStringLiteral("recette"), QStringLiteral("Recette renommée")), 0);

    EXPECT_TRUE(Done.isEmpty());
    EXPECT_EQ(TDialogTest::ShowCount(), 4);
    EXPECT_EQ(Sql(QStringLiteral("select (select count(*) from ingredients) || '/' || (select count(*) from "
                                 "ingredient) || '/' || (select count(*) from rayon)")),
              QStringLiteral("%1/%2/%3")
                  .arg(Before.section(QLatin1Char('/'), 0, 0).toInt() - 1)
                  .arg(Before.section(QLatin1Char('/'), 1, 1).toInt() - 1)
                  .arg(Before.section(QLatin1Char('/'), 2, 2).toInt() - 1));
}

TEST_F(TableEditorsTest, AnEditorWhoseSetUpFailsClosesAfterTheErrorBox)
{
    // The lists that the editors load when they show, made unreadable.
    for (const char *Table : {"rayon", "unite", "livre"})
        Database->ExecSQL(QStringLiteral("alter table %1 rename to %1_ailleurs").arg(QLatin1String(Table)));
    const QString Before = Sql(QStringLiteral("select (select count(*) from recette) || '/' || (select count(*) "
                                              "from ingredient) || '/' || (select count(*) from ingredients)"));
    auto ClosesAfterTheError = [](const char *Editor, const std::function<int()> &Show) {
        SCOPED_TRACE(Editor);
        TDialogTest::Reset();
        TDialogTest::QueueAnswers({mrOk});
        bool LeftOpen = false;
        QObject Watch;
        // What the user would find: a half-built window, closed here so that the test goes on.
        QTimer::singleShot(300, &Watch, [&LeftOpen] {
            if (QWidget *Modal = QApplication::activeModalWidget()) {
                LeftOpen = true;
                Modal->close();
            }
        });
        EXPECT_EQ(Show(), mrCancel);
        EXPECT_FALSE(LeftOpen);
        EXPECT_EQ(TDialogTest::ShowCount(), 1);
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
    };
    ClosesAfterTheError("ingredient", [this] {
        return ShowFormIngredient(0, nullptr, QStringLiteral("ingredient"), QString(), Record);
    });
    const auto Line =
        ValuesOf({QStringLiteral("reccode=%1").arg(Sql(QStringLiteral("select min(code) from recette")))});
    ClosesAfterTheError("ingredient line", [this, &Line] {
        return ShowFormIngredients(0, Line.get(), QStringLiteral("ingredients"), QString(), Record);
    });
    ClosesAfterTheError("recipe",
                        [this] { return ShowFormRecette1(0, nullptr, QStringLiteral("recette"), QString(), Record); });
    EXPECT_TRUE(Done.isEmpty());
    EXPECT_EQ(Sql(QStringLiteral("select (select count(*) from recette) || '/' || (select count(*) from ingredient) "
                                 "|| '/' || (select count(*) from ingredients)")),
              Before);
}
