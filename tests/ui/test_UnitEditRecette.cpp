#include "UnitEditRecette.h"

#include "ChildControl.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitRandom.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// Plats of both meals that only a filter on "zébulon" keeps: persons, total time, season,
// cookbook and ingredient tell them apart.
const char *const ZebulonSql = R"(
insert into livre (name) values ('Atelier Zébulon');
insert into recette (name, nbpers, tprep, repas, type_, saison, livcode) values
    ('Zébulon alpha', 3, 15, 0, 1, 0, (select code from livre where name = 'Atelier Zébulon')),
    ('Zébulon beta', 5, 40, 0, 1, 0, null),
    ('Zébulon gamma', 7, 90, 0, 1, 0, (select code from livre where name = 'Atelier Zébulon')),
    ('Zébulon été', 2, 120, 0, 1, 1, null),
    ('Zébulon hiver', 4, 30, 0, 1, 2, null);
insert into ingredient (name) values ('Zinzolin');
insert into ingredients (reccode, ingcode, quantite)
    select r.code, i.code, 1 from recette r, ingredient i where r.name = 'Zébulon beta' and i.name = 'Zinzolin';
)";

const QStringList SpringPlats = {QStringLiteral("Zébulon alpha"), QStringLiteral("Zébulon beta"),
                                 QStringLiteral("Zébulon été"), QStringLiteral("Zébulon gamma")};

// The program started on the starter base with the Zébulon recipes, on 4 May (spring-summer
// is the current season).
class FormEditRecTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        SetNowFunction([this] { return Today + 0.5; });
        BaseSql << QString::fromUtf8(ZebulonSql);
        StartProgram();
        for (const QString &Name : SpringPlats)
            Codes.insert(Code(Name));
        Form = FormEditRec;
    }

    int Code(const QString &Name)
    {
        Database->AddParamText(":name", Name);
        return Database->GetTableString(QStringLiteral("select code from recette where name=:name")).toInt();
    }

    // Shows the editor and runs WhileOpen once it is open; the editor is cancelled when
    // WhileOpen leaves it open.
    int Show(int Action, std::function<void()> WhileOpen, int Repas = 1, int Type = 1, int Pers = 4,
             const QString &Title = QString())
    {
        AnswerModals({[this, WhileOpen](QWidget *Open) {
            EXPECT_EQ(Open, Form);
            WhileOpen();
        }});
        return Form->Show(Action, &Menu, Today, Repas, Type, Pers, Title);
    }

    // Code, persons, meal, dish type and date that the editor answered.
    QString Result() const
    {
        return QStringLiteral("%1 %2 %3 %4 ").arg(Form->Code).arg(Form->Pers).arg(Form->Repas).arg(Form->Type) +
               DateToStr(Form->Date);
    }

    QListWidget *List() const { return Find<QListWidget>("ListRec"); }
    QStringList Items() const
    {
        QStringList Names;
        for (int I = 0; I < List()->count(); ++I)
            Names << List()->item(I)->text();
        return Names;
    }

    QStringList OnlyZebulon()
    {
        Find<QLineEdit>("EdFilterNom")->setText(QStringLiteral("zébulon"));
        Find<QCheckBox>("CbFilterNom")->setChecked(true);
        return Items();
    }

    // The events of a real double click: the view only takes a double click on the item
    // that the first press went to.
    void DoubleClick(QPoint Pos)
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Pos);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Pos);
    }
    QPoint ItemCentre(int Row) const { return List()->visualItemRect(List()->item(Row)).center(); }
    QPoint BelowItems() const { return QPoint(10, List()->viewport()->height() - 3); }
    template <class T> T *Find(const char *Name) const { return Child<T>(Form, Name); }

    TRecetteList Menu;
    TFormEditRec *Form = nullptr;
    const TDateTime Today = EncodeDate(2026, 5, 4);
    // The codes of SpringPlats.
    std::set<int> Codes;
};

} // namespace

TEST_F(FormEditRecTest, EachActionSetsUpItsControlsAndSize)
{
    // Add: the given meal and dish type, the list and its filter; replace: the day, persons,
    // meal and dish type fixed; modify: no list, the dish type fixed, the persons selected,
    // and Enter validates.
    auto Add = [this] {
        EXPECT_TRUE(Find<QRadioButton>("RbSoir")->isChecked() && Find<QRadioButton>("RbDessert")->isChecked() &&
                    Find<QWidget>("PanelFilter")->isVisible());
    };
    EXPECT_EQ(Show(TFormEditRec::acAdd, Add, 2, 2), 2);
    const QString Title = QStringLiteral("Quiche lorraine");
    auto Replace = [this] {
        EXPECT_FALSE(Find<QDateEdit>("EdDay")->isEnabled() || Find<QLineEdit>("EdPers")->isEnabled() ||
                     Find<QRadioButton>("RbMidi")->isEnabled() || Find<QRadioButton>("RbPlat")->isEnabled());
    };
    Show(TFormEditRec::acReplace, Replace, 1, 1, 4, Title);
    auto Modify = [this] {
        EXPECT_FALSE(List()->isVisible() || Find<QWidget>("PanelFilter")->isVisible() ||
                     Find<QRadioButton>("RbPlat")->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>("EdPers"));
        EXPECT_EQ(Find<QLineEdit>("EdPers")->selectedText(), QStringLiteral("6"));
        Find<QLineEdit>("EdPers")->setText(QStringLiteral("3"));
        Find<QRadioButton>("RbSoir")->setChecked(true);
        QTest::keyClick(Find<QLineEdit>("EdPers"), Qt::Key_Return);
    };
    EXPECT_EQ(Show(TFormEditRec::acModify, Modify, 1, 1, 6, Title), 1);
    EXPECT_EQ(Result(), QStringLiteral("-1 3 2 1 04/05/2026"));
}

TEST_F(FormEditRecTest, FilterPanelNarrowsTheList)
{
    Show(TFormEditRec::acAdd, [this] {
        EXPECT_EQ(Find<QComboBox>("EdFilterSaison")->currentIndex(), 1);
        EXPECT_EQ(OnlyZebulon(), SpringPlats);
        EXPECT_EQ(Find<QLabel>("LbCount")->text(), QStringLiteral("4 recettes"));

        // Each box in turn: persons from 4 to 6, total time at most 40 minutes, the cookbook
        // combo's first cookbook by name, an ingredient.
        Find<QLineEdit>("EdFilterPers1")->setText(QStringLiteral("4"));
        Find<QLineEdit>("EdFilterPers2")->setText(QStringLiteral("6"));
        Find<QComboBox>("EdOpPers")->setCurrentIndex(3);
        Find<QLineEdit>("EdFilterTime1")->setText(QStringLiteral("40"));
        Find<QLineEdit>("EdFilterIng")->setText(QStringLiteral("zinzo"));
        EXPECT_EQ(Find<QComboBox>("EdFilterLivre")->currentText(), QStringLiteral("Atelier Zébulon"));
        const std::pair<QCheckBox *, QStringList> Boxes[] = {
            {Find<QCheckBox>("CbFilterPers"), {"Zébulon beta"}},
            {Find<QCheckBox>("CbFilterTime"), {"Zébulon alpha", "Zébulon beta"}},
            {Find<QCheckBox>("CbFilterLivre"), {"Zébulon alpha", "Zébulon gamma"}},
            {Find<QCheckBox>("CbFilterIng"), {"Zébulon beta"}}};
        for (const auto &[Box, Expected] : Boxes) {
            Box->setChecked(true);
            EXPECT_EQ(Items(), Expected) << Box->objectName().toStdString();
            Box->setChecked(false);
        }

        // The second persons value shows for "entre" only, and keeps its text; an empty list
        // leaves nothing to draw.
        Find<QCheckBox>("CbFilterPers")->setChecked(true);
        EXPECT_TRUE(Find<QLineEdit>("EdFilterPers2")->isVisible());
        Find<QComboBox>("EdOpPers")->setCurrentIndex(0);
        EXPECT_FALSE(Find<QLineEdit>("EdFilterPers2")->isVisible());
        EXPECT_EQ(Find<QLineEdit>("EdFilterPers2")->text(), QStringLiteral("6"));
        EXPECT_EQ(Find<QLabel>("LbCount")->text(), QStringLiteral("0 recettes"));
        EXPECT_FALSE(Find<TSevenButton>("BtRandom")->isEnabled());
        Find<QCheckBox>("CbFilterPers")->setChecked(false);
        EXPECT_FALSE(Find<QComboBox>("EdOpPers")->isEnabled());
        EXPECT_TRUE(Find<TSevenButton>("BtRandom")->isEnabled());
        // A time that is no number asks for nothing.
        Find<QLineEdit>("EdFilterTime1")->setText(QStringLiteral("abc"));
        Find<QCheckBox>("CbFilterTime")->setChecked(true);
        EXPECT_EQ(Items(), SpringPlats);
        Find<QCheckBox>("CbFilterTime")->setChecked(false);

        Find<QComboBox>("EdFilterSaison")->setCurrentIndex(2);
        EXPECT_EQ(Items(), (QStringList{"Zébulon alpha", "Zébulon beta", "Zébulon gamma", "Zébulon hiver"}));
        Find<QComboBox>("EdFilterSaison")->setCurrentIndex(0);
        EXPECT_EQ(Items().size(), 5);
    });
}

TEST_F(FormEditRecTest, MenuRecipesAndOtherDishTypesAreNotOffered)
{
    Menu.AddRecetteFromCode(1, 4, Today, Code(QStringLiteral("Zébulon beta")));
    Show(TFormEditRec::acAdd, [this] {
        EXPECT_EQ(OnlyZebulon(), (QStringList{QStringLiteral("Zébulon alpha"), QStringLiteral("Zébulon été"),
                                              QStringLiteral("Zébulon gamma")}));
        Find<QRadioButton>("RbDessert")->setChecked(true);
        EXPECT_TRUE(Items().isEmpty());
        EXPECT_FALSE(Find<TSevenButton>("BtRandom")->isEnabled());
        // Enter finds no enabled default button to click: the editor stays open.
        QTest::keyClick(Find<QLineEdit>("EdFilterNom"), Qt::Key_Return);
        EXPECT_TRUE(Form->isVisible());
    });
    // "OK" of a modify is enabled even when the last list ended empty.
    Show(TFormEditRec::acModify, [this] { EXPECT_TRUE(Find<TSevenButton>("BtRandom")->isEnabled()); });
}

TEST_F(FormEditRecTest, RandomPickStaysWithinTheShownRecipes)
{
    std::set<int> Drawn;
    for (quint32 Seed = 1; Seed <= 40; ++Seed) {
        RandSeed(Seed);
        auto Pick = [this, Seed] {
            OnlyZebulon();
            // Enter in the list draws too: the selected item does not count.
            List()->setCurrentRow(0);
            if (Seed % 2)
                QTest::mouseClick(Find<TSevenButton>("BtRandom"), Qt::LeftButton);
            else
                QTest::keyClick(List(), Qt::Key_Return);
        };
        ASSERT_EQ(Show(TFormEditRec::acAdd, Pick), 1);
        EXPECT_EQ(Codes.count(Form->Code), 1u) << Form->Code;
        Drawn.insert(Form->Code);
    }
    EXPECT_EQ(Drawn, Codes);
}

TEST_F(FormEditRecTest, PointerOnTheListOpensTheMenuOrTakesTheRecipeWithTheInputs)
{
    auto Choose = [this] {
        OnlyZebulon();
        // A right click over no item opens no menu; over an item, it selects that item first.
        for (const QPoint Pos : {BelowItems(), ItemCentre(1)}) {
            QContextMenuEvent Event(QContextMenuEvent::Mouse, Pos, List()->viewport()->mapToGlobal(Pos));
            QApplication::sendEvent(List()->viewport(), &Event);
            EXPECT_EQ(Find<QMenu>("PopupList")->isVisible(), Pos != BelowItems());
        }
        EXPECT_EQ(List()->currentRow(), 1);
        Find<QMenu>("PopupList")->close();

        // A double click under the last item selects nothing and is ignored; on an item it
        // takes that recipe with the inputs.
        Find<QLineEdit>("EdPers")->setText(QStringLiteral("abc"));
        Find<QDateEdit>("EdDay")->setDate(QDate(2026, 5, 9));
        Find<QRadioButton>("RbSoir")->setChecked(true);
        DoubleClick(BelowItems());
        EXPECT_TRUE(Form->isVisible());
        DoubleClick(ItemCentre(2));
    };
    EXPECT_EQ(Show(TFormEditRec::acAdd, Choose), 1);
    EXPECT_EQ(Result(), QStringLiteral("%1 2 2 1 09/05/2026").arg(Code(QStringLiteral("Zébulon été"))));
}

TEST_F(FormEditRecTest, FilterTextsAndSizeCarryOverWhileTheBoxesStartUnticked)
{
    Show(TFormEditRec::acAdd, [this] {
        OnlyZebulon();
        Find<QComboBox>("EdOpPers")->setCurrentIndex(3);
        Find<QLineEdit>("EdFilterPers1")->setText(QStringLiteral("4"));
        Find<QCheckBox>("CbFilterLivre")->setChecked(true);
        Find<QComboBox>("EdFilterLivre")->setCurrentIndex(2);
        Find<QComboBox>("EdFilterSaison")->setCurrentIndex(0);
        Form->resize(520, 640);
    });
    Show(TFormEditRec::acModify, [] {});
    Show(TFormEditRec::acReplace, [this] {
        for (QCheckBox *Box :
             {Find<QCheckBox>("CbFilterNom"), Find<QCheckBox>("CbFilterIng"), Find<QCheckBox>("CbFilterPers"),
              Find<QCheckBox>("CbFilterTime"), Find<QCheckBox>("CbFilterLivre")})
            EXPECT_FALSE(Box->isChecked()) << Box->objectName().toStdString();
        EXPECT_FALSE(Find<QLineEdit>("EdFilterNom")->isEnabled() || Find<QLineEdit>("EdFilterPers1")->isEnabled());
        EXPECT_EQ(Find<QLineEdit>("EdFilterNom")->text() + Find<QLineEdit>("EdFilterPers1")->text(),
                  QStringLiteral("zébulon4"));
        EXPECT_TRUE(Find<QComboBox>("EdOpPers")->currentIndex() == 3 && Find<QLineEdit>("EdFilterPers2")->isVisible());
        // The cookbook and the season start again at the first cookbook and the current season.
        EXPECT_EQ(Find<QComboBox>("EdFilterLivre")->currentIndex(), 0);
        EXPECT_EQ(Find<QComboBox>("EdFilterSaison")->currentIndex(), 1);
        EXPECT_GT(Items().size(), 4);
        // The size of the last add or replace comes back, never below the smallest one.
        EXPECT_EQ(Form->size(), QSize(520, 640));
    });
}

TEST_F(FormEditRecTest, AFailedRefreshKeepsTheListAndItsRecipesInStep)
{
    // The failure reaches the error box and the log.
    TDialogTest::QueueAnswers({1});
    Show(TFormEditRec::acAdd, [this] {
        OnlyZebulon();
        Database->ExecSQL(QStringLiteral("drop table ingredients"));
        Find<QLineEdit>("EdFilterIng")->setText(QStringLiteral("zinzo"));
        Find<QCheckBox>("CbFilterIng")->setChecked(true);
        EXPECT_EQ(Items(), SpringPlats);
        QTest::mouseClick(Find<TSevenButton>("BtRandom"), Qt::LeftButton);
    });
    EXPECT_TRUE(Program->LogText().contains(QStringLiteral("[TFormEditRec.RefreshList]")));
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_EQ(Codes.count(Form->Code), 1u) << Form->Code;

    FreeDatabase();
    const TFailure F = FailureOf([this] { Form->Show(TFormEditRec::acAdd, &Menu, Today, 1, 1, 4, QString()); });
    EXPECT_TRUE(F.Message.startsWith(QStringLiteral("[TFormEditRec.Show] [TFormEditRec.GetLivres]")));
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(FormEditRecTest, CookbookBoxWithoutCookbooksAsksForNothing)
{
    Database->ExecSQL(QStringLiteral("delete from livre"));
    Show(TFormEditRec::acAdd, [this] {
        OnlyZebulon();
        Find<QCheckBox>("CbFilterLivre")->setChecked(true);
        EXPECT_EQ(Find<QComboBox>("EdFilterLivre")->count(), 0);
        EXPECT_EQ(Items(), SpringPlats);
    });
}
