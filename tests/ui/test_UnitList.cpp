#include "UnitList.h"

#include "UnitListGrid.h"

#include "DrawGrid.h"
#include "KVXStringList.h"
#include "MenusTestSupport.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitFormCall.h"
#include "UnitName.h"
#include "UnitTools.h"
#include "UnitTypes.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

// What the last call of the recording edit function was handed.
struct TEditCall
{
    int Calls = 0;
    int Mode = -1;
    QStringList Values;
    QString Table;
    QString Caption;
    // Called back with this name when not empty, as an edit window does after a save.
    QString SaveName;
};
TEditCall LastEdit;

int RecordEdit(int Mode, TStringList *Values, const QString &Table, const QString &Caption, const TNameEvent &OnDone)
{
    ++LastEdit.Calls;
    LastEdit.Mode = Mode;
    LastEdit.Values = Values ? Values->ToQStringList() : QStringList();
    LastEdit.Table = Table;
    LastEdit.Caption = Caption;
    if (!LastEdit.SaveName.isEmpty() && OnDone)
        OnDone(LastEdit.SaveName);
    return mrOk;
}

// An edit function that opens a modal window, as the real ones do, closed once it is active.
int EditInDialog(int Mode, TStringList *Values, const QString &Table, const QString &Caption, const TNameEvent &OnDone)
{
    RecordEdit(Mode, Values, Table, Caption, OnDone);
    QDialog Dialog(QApplication::activeModalWidget());
    ::AnswerModals({[](QWidget *Open) { static_cast<QDialog *>(Open)->accept(); }});
    return Dialog.exec() == QDialog::Accepted ? mrOk : mrCancel;
}

std::unique_ptr<TStringList> Lines(const QStringList &Items)
{
    auto List = std::make_unique<TKVXStringList>();
    List->Assign(Items);
    return List;
}

// The program started on the starter base, the lists opened without a modal loop.
class FormListTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        LastEdit = {};
        BaseSql << QString::fromUtf8(R"(
insert into recette (name) values ('Potée du test');
insert into ingredient (name) values ('Navet du test'), ('Chou du test'), ('Lard du test');
insert into ingredients (reccode, ingcode, quantite, note)
    select r.code, i.code, 0, 'fin' from recette r, ingredient i
    where r.name = 'Potée du test' and i.name = 'Navet du test';
insert into ingredients (reccode, ingcode, quantite)
    select r.code, i.code, 0.5 from recette r, ingredient i
    where r.name = 'Potée du test' and i.name = 'Lard du test';
)");
        StartProgram();
    }

    // A list of one of the name tables, or any list, shown as the program shows it.
    std::unique_ptr<TFormList> OpenNames(const QString &Table, TEditFunc Edit = &UnitName::ShowFormName)
    {
        return Open(NewFormList(Lines({"name=Nom"}), 0, Lines({"code", "name"}), Lines({"code"}), nullptr,
                                QStringLiteral("select * from %1 where name like :filtername order by name").arg(Table),
                                Table, Edit, QStringLiteral("Liste")));
    }
    std::unique_ptr<TFormList> OpenIngredients()
    {
        return Open(NewFormList(Lines({"ingname=Nom", "rayname=Rayon,200"}), 0, Lines({"code", "ingname", "raycode"}),
                                Lines({"code"}), nullptr,
                                QStringLiteral("select i.code, i.name as ingname, raycode, r.name as rayname from "
                                               "ingredient i left join rayon r on i.raycode=r.code where i.name "
                                               "like :filtername order by ingname"),
                                QStringLiteral("ingredient"), nullptr, QStringLiteral("Ingrédients")));
    }
    std::unique_ptr<TFormList> Open(std::unique_ptr<TFormList> Form)
    {
        Form->show();
        QApplication::processEvents();
        return Form;
    }

    // The list's controls, found by their names.
    static QLineEdit *FilterOf(const TFormList &Form) { return Child<QLineEdit>(&Form, "EdFilter"); }
    static TDrawGrid *GridOf(const TFormList &Form) { return Child<TDrawGrid>(&Form, "GridItems"); }
    static TSevenButton *ButtonOf(const TFormList &Form, const char *Name) { return Child<TSevenButton>(&Form, Name); }

    static QStringList Column(const TFormList &Form, int Col)
    {
        QStringList Texts;
        for (int R = 1; R < Form.RowCount(); ++R)
            Texts << Form.Cell(Col, R);
        return Texts;
    }
    static QString Selected(const TFormList &Form, int Col = 0) { return Form.Cell(Col, Form.Row()); }

    QString Scalar(const QString &Sql) { return Database->GetTableString(Sql); }
    int Code(const QString &Table, const QString &Name)
    {
        Database->AddParamText(":name", Name);
        return Scalar(QStringLiteral("select code from %1 where name=:name").arg(Table)).toInt();
    }
    void Select(TFormList &Form, const QString &Text, int Col = 0)
    {
        const int R = Form.IndexOfValue(Text, Col);
        ASSERT_GT(R, 0) << Text.toStdString();
        Form.SetRow(R);
    }
    void Key(TFormList &Form, Qt::Key K) { QTest::keyClick(GridOf(Form), K, Qt::NoModifier); }
    void Type(TFormList &Form, char C) { QTest::keyClick(GridOf(Form), C); }
};

} // namespace

TEST_F(FormListTest, FilterWildcardsAndEmptyNumbers)
{
    auto Form = OpenNames(QStringLiteral("unite"));
    EXPECT_EQ(Form->Cell(0, 0), QStringLiteral("Nom"));
    EXPECT_EQ(Form->RowCount(), 21);
    EXPECT_EQ(Form->Row(), 1);
    EXPECT_EQ(Form->Cell(0, 1), QStringLiteral("boîte"));

    // A few letters anywhere in the name; "%" and "_" are wildcards; A to Z without case.
    FilterOf(*Form)->setText(QStringLiteral("OT"));
    EXPECT_EQ(Column(*Form, 0), (QStringList{"botte", "pot"}));
    FilterOf(*Form)->setText(QStringLiteral("c%f"));
    EXPECT_EQ(Column(*Form, 0), (QStringList{"c. à café"}));
    FilterOf(*Form)->setText(QStringLiteral("_l"));
    EXPECT_EQ(Column(*Form, 0), (QStringList{"cl", "dl", "feuille", "ml", "rouleau"}));

    // Nothing found: the header alone, nothing to edit or delete; Enter and Delete do nothing.
    FilterOf(*Form)->setText(QStringLiteral("introuvable"));
    EXPECT_EQ(Form->RowCount(), 1);
    EXPECT_EQ(Form->Row(), 0);
    EXPECT_FALSE(ButtonOf(*Form, "BtEdit")->isEnabled() || ButtonOf(*Form, "BtDelete")->isEnabled());
    EXPECT_TRUE(ButtonOf(*Form, "BtAdd")->isEnabled());
    GridOf(*Form)->setFocus();
    Key(*Form, Qt::Key_Delete);
    Key(*Form, Qt::Key_Return);
    EXPECT_EQ(TDialogTest::ShowCount(), 0);

    // A zero or NULL number shows empty; a name that reads as 0 is still shown.
    Database->ExecSQL(QStringLiteral("insert into unite (code, name) values (0, 'zéro')"));
    Database->ExecSQL(QStringLiteral("insert into unite (name) values ('0')"));
    auto Codes = Open(NewFormList(Lines({"code=Code,40,r", "name=Nom"}), 1, Lines({"code"}), Lines({"code"}), nullptr,
                                  QStringLiteral("select * from unite where name like :filtername order by name"),
                                  QStringLiteral("unite"), nullptr, QStringLiteral("Codes")));
    EXPECT_EQ(Codes->Cell(1, 1), QStringLiteral("0"));
    EXPECT_NE(Codes->Cell(0, 1), QString());
    EXPECT_EQ(Codes->IndexOfValue(QStringLiteral("ZÉRO"), 1), -1) << "only A to Z are folded";
    const int Row = Codes->IndexOfValue(QStringLiteral("zéro"), 1);
    ASSERT_GT(Row, 0);
    EXPECT_EQ(Codes->Cell(0, Row), QString());
}

TEST_F(FormListTest, NameEditorAddsRenamesAndRefuses)
{
    // Add through the list: the editor opens empty with the list's caption; the list reloads
    // and selects the saved name.
    auto Form = OpenNames(QStringLiteral("rayon"));
    AnswerModals({[](QWidget *Open) {
        auto *Name = qobject_cast<TFormName *>(Open);
        ASSERT_NE(Name, nullptr);
        EXPECT_EQ(Name->windowTitle(), QStringLiteral("Liste (ajout)"));
        EXPECT_EQ(Child<QLineEdit>(Name, "EdName")->text(), QString());
        Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("Marché"));
        QTest::mouseClick(Child<TSevenButton>(Name, "BtOk"), Qt::LeftButton);
    }});
    QTest::mouseClick(ButtonOf(*Form, "BtAdd"), Qt::LeftButton);
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(Selected(*Form), QStringLiteral("Marché"));

    // Edit: the current name shown, the rename saved under the same code.
    const int Code = this->Code(QStringLiteral("rayon"), QStringLiteral("Marché"));
    AnswerModals({[](QWidget *Open) {
        auto *Name = static_cast<TFormName *>(Open);
        EXPECT_EQ(Child<QLineEdit>(Name, "EdName")->text(), QStringLiteral("Marché"));
        Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("marché couvert"));
        QTest::keyClick(Child<QLineEdit>(Name, "EdName"), Qt::Key_Return);
    }});
    QTest::mouseClick(ButtonOf(*Form, "BtEdit"), Qt::LeftButton);
    EXPECT_EQ(Selected(*Form), QStringLiteral("marché couvert"));
    EXPECT_EQ(this->Code(QStringLiteral("rayon"), QStringLiteral("marché couvert")), Code);

    // The editor on its own: an empty name is refused and the window stays; blanks are a
    // name; a name already used shows its user text and the window stays with it.
    QStringList Done;
    auto Callback = [&Done](const QString &Name) { Done << Name; };
    AnswerModals({[&](QWidget *Open) {
        auto *Name = static_cast<TFormName *>(Open);
        TDialogTest::QueueAnswers({mrOk});
        QTest::mouseClick(Child<TSevenButton>(Name, "BtOk"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Veuillez saisir un nom et réessayez."));
        EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
        EXPECT_TRUE(Name->isVisible());

        Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("Boulangerie"));
        TDialogTest::QueueAnswers({mrOk});
        QTest::mouseClick(Child<TSevenButton>(Name, "BtOk"), Qt::LeftButton);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(
            QStringLiteral("Assurez-vous que ce nom ne soit pas déjà utilisé et réessayez.")))
            << TDialogTest::LastMessage().toStdString();
        EXPECT_TRUE(Name->isVisible());
        EXPECT_EQ(Child<QLineEdit>(Name, "EdName")->text(), QStringLiteral("Boulangerie"));

        Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("   "));
        QTest::mouseClick(Child<TSevenButton>(Name, "BtOk"), Qt::LeftButton);
    }});
    EXPECT_EQ(UnitName::ShowFormName(0, nullptr, QStringLiteral("rayon"), QStringLiteral("Rayon"), Callback), mrOk);
    EXPECT_EQ(Done, QStringList{"   "});
    EXPECT_GT(this->Code(QStringLiteral("rayon"), QStringLiteral("   ")), 0);

    // Escape writes nothing and does not call back.
    const QString Count = Scalar(QStringLiteral("select count(*) from rayon"));
    TKVXStringList Values;
    Values.Add(QStringLiteral("code=%1").arg(Code));
    Values.Add(QStringLiteral("name=marché couvert"));
    AnswerModals({[](QWidget *Open) {
        auto *Name = static_cast<TFormName *>(Open);
        Child<QLineEdit>(Name, "EdName")->setText(QStringLiteral("Autre"));
        QTest::keyClick(Child<QLineEdit>(Name, "EdName"), Qt::Key_Escape);
    }});
    EXPECT_EQ(UnitName::ShowFormName(1, &Values, QStringLiteral("rayon"), QStringLiteral("Rayon"), Callback), mrCancel);
    EXPECT_EQ(Done.size(), 1);
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from rayon")), Count);
    EXPECT_EQ(this->Code(QStringLiteral("rayon"), QStringLiteral("marché couvert")), Code);
}

TEST_F(FormListTest, DeleteSelectsTheRowThatTookItsPlace)
{
    auto Form = OpenNames(QStringLiteral("livre"), nullptr);
    const QStringList Before = Column(*Form, 0);
    ASSERT_EQ(Before.size(), 4);

    // "Non" deletes nothing; the question names the row.
    Form->SetRow(2);
    TDialogTest::QueueAnswers({mrNo});
    QTest::mouseClick(ButtonOf(*Form, "BtDelete"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastKind(), dtConfirm);
    EXPECT_EQ(TDialogTest::LastMessage(),
              "Etes-vous sûr de vouloir supprimer l'élément sélectionné dans la liste ?\r\n(" + Before[1] + ")");
    EXPECT_EQ(Column(*Form, 0), Before);

    // A middle row: its successor is selected; the last row: the new last row.
    TDialogTest::QueueAnswers({mrYes});
    QTest::mouseClick(ButtonOf(*Form, "BtDelete"), Qt::LeftButton);
    EXPECT_EQ(Column(*Form, 0), (QStringList{Before[0], Before[2], Before[3]}));
    EXPECT_EQ(Selected(*Form), Before[2]);
    Form->SetRow(3);
    GridOf(*Form)->setFocus();
    TDialogTest::QueueAnswers({mrYes});
    Key(*Form, Qt::Key_Delete);
    EXPECT_EQ(Column(*Form, 0), (QStringList{Before[0], Before[2]}));
    EXPECT_EQ(Selected(*Form), Before[2]);
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from livre")), QStringLiteral("2"));
}

TEST_F(FormListTest, IngredientDeleteWarnsAndMergeMovesTheLines)
{
    auto Form = OpenIngredients();
    EXPECT_TRUE(ButtonOf(*Form, "BtFusion")->isVisible());
    const QString Recipe = QString::number(Code(QStringLiteral("recette"), QStringLiteral("Potée du test")));
    auto LinesOf = [this, &Recipe] {
        return Scalar(QStringLiteral("select group_concat(i.name || '=' || quantite, ';') from (select * from "
                                     "ingredients where reccode=%1 order by quantite) g, ingredient i "
                                     "where g.ingcode=i.code")
                          .arg(Recipe));
    };

    // The delete question is an alert with "Oui"/"Non" and the warning.
    Select(*Form, QStringLiteral("Navet du test"));
    TDialogTest::QueueAnswers({mrNo});
    QTest::mouseClick(ButtonOf(*Form, "BtDelete"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
    EXPECT_EQ(TDialogTest::LastButtons(), dbYesNo);
    EXPECT_TRUE(TDialogTest::LastMessage().endsWith(
        QStringLiteral("ATTENTION ! Si vous confirmez la suppression,\r\ncet ingrédient sera retiré de toutes les "
                       "recettes qui en ont besoin !")));

    // The same ingredient twice is refused, and the merge starts again.
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner*"));
    const QLabel *Hint = Child<QLabel>(Form.get(), "LbFusion");
    EXPECT_TRUE(Hint->isVisible());
    // The whole hint shows, down to "nouveau sur Fusionner".
    EXPECT_GE(Hint->height(), Hint->heightForWidth(Hint->width()));
    TDialogTest::QueueAnswers({mrOk});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Vous ne pouvez pas fusionner un ingrédient avec lui-même."));
    EXPECT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner"));
    EXPECT_FALSE(Child<QLabel>(Form.get(), "LbFusion")->isVisible());

    // Two ingredients of one recipe: refused with the user text, both kept, the merge waiting.
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    Select(*Form, QStringLiteral("Lard du test"));
    TDialogTest::QueueAnswers({mrYes, mrOk});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_TRUE(TDialogTest::LastMessage().startsWith(
        QStringLiteral("Assurez-vous que ces deux ingrédients ne sont jamais utilisés ensemble dans une recette.")));
    EXPECT_EQ(LinesOf(), QStringLiteral("Navet du test=0.0;Lard du test=0.5"));
    EXPECT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner*"));

    // Another second ingredient: the confirmation names both; the lines move, the first goes.
    Select(*Form, QStringLiteral("Chou du test"));
    TDialogTest::QueueAnswers({mrYes});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Etes-vous sûr de vouloir fusionner ces deux ingrédients "
                                                         "?\r\n(Navet du test => Chou du test)"));
    EXPECT_EQ(LinesOf(), QStringLiteral("Chou du test=0.0;Lard du test=0.5"));
    EXPECT_EQ(Form->IndexOfValue(QStringLiteral("Navet du test"), 0), -1);
    EXPECT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner"));

    // A new filter puts another ingredient in the first one's row: the two are different,
    // and the question names the one chosen first.
    Form->SetRow(1);
    const QString First = Selected(*Form);
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    FilterOf(*Form)->setText(QStringLiteral("du test"));
    ASSERT_EQ(Column(*Form, 0), (QStringList{"Chou du test", "Lard du test"}));
    ASSERT_EQ(Form->Row(), 1);
    TDialogTest::QueueAnswers({mrNo});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Etes-vous sûr de vouloir fusionner ces deux ingrédients "
                                                         "?\r\n(") +
                                              First + QStringLiteral(" => Chou du test)"));
    EXPECT_EQ(LinesOf(), QStringLiteral("Chou du test=0.0;Lard du test=0.5"));
    EXPECT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner"));

    // The same ingredient chosen again under another filter is still itself.
    Select(*Form, QStringLiteral("Lard du test"));
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    FilterOf(*Form)->setText(QStringLiteral("lard"));
    ASSERT_EQ(Form->Row(), 1);
    TDialogTest::QueueAnswers({mrOk});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Vous ne pouvez pas fusionner un ingrédient avec lui-même."));

    // A merge whose delete fails is taken back whole: the lines stay with the first one.
    Database->ExecSQL(QStringLiteral("insert into ingredient (name) values ('Oignon du test')"));
    Database->ExecSQL(QStringLiteral("create temp trigger keep before delete on ingredient "
                                     "when old.name = 'Lard du test' begin select raise(abort, 'kept'); end"));
    FilterOf(*Form)->setText(QStringLiteral("du test"));
    Select(*Form, QStringLiteral("Lard du test"));
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    Select(*Form, QStringLiteral("Oignon du test"));
    TDialogTest::QueueAnswers({mrYes, mrOk});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(LinesOf(), QStringLiteral("Chou du test=0.0;Lard du test=0.5"));
    EXPECT_EQ(Database->GetTableString(QStringLiteral("select count(*) from ingredient where name='Lard du test'")),
              QStringLiteral("1"));

    // A first ingredient deleted meanwhile is not reported as merged.
    Select(*Form, QStringLiteral("Oignon du test"));
    TDialogTest::QueueAnswers({mrNo});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    ASSERT_EQ(ButtonOf(*Form, "BtFusion")->Caption(), QStringLiteral("Fusionner"));
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    Database->ExecSQL(QStringLiteral("delete from ingredient where name='Oignon du test'"));
    Select(*Form, QStringLiteral("Chou du test"));
    TDialogTest::QueueAnswers({mrYes, mrOk});
    QTest::mouseClick(ButtonOf(*Form, "BtFusion"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_TRUE(TDialogTest::LastMessage().startsWith(QStringLiteral("Le premier ingrédient n'existe plus")));
    EXPECT_EQ(LinesOf(), QStringLiteral("Chou du test=0.0;Lard du test=0.5"));
}

TEST_F(FormListTest, TypeAheadFoldsAccentsCapitalsAndBlanksAndPauses)
{
    quint32 Tick = 100000;
    SetTickCountFunction([&Tick] { return Tick; });
    auto Form = OpenNames(QStringLiteral("rayon"), nullptr);
    GridOf(*Form)->setFocus();
    Type(*Form, 'e');
    EXPECT_EQ(Selected(*Form), QStringLiteral("Épicerie salée"));
    Tick += 500;
    for (const char C : {'b', 'o', 'u', 'l'}) {
        Tick += 100;
        Type(*Form, C);
    }
    EXPECT_EQ(Selected(*Form), QStringLiteral("Boulangerie"));
    // Punctuation is not a type-ahead key; a pause starts again; past the end, the last row.
    Type(*Form, '.');
    EXPECT_EQ(Selected(*Form), QStringLiteral("Boulangerie"));
    Tick += 500;
    Type(*Form, 'z');
    EXPECT_EQ(Selected(*Form), QStringLiteral("Volaille"));

    // Names of several words: the blank is typed, a capital or an accent folded.
    auto Ingredients = OpenIngredients();
    GridOf(*Ingredients)->setFocus();
    const std::pair<const char *, const char *> Searches[] = {{"pommes de t", "Pommes de terre"},
                                                              {"Vin b", "Vin blanc"}};
    for (const auto &[Typed, Found] : Searches) {
        Tick += 500;
        QTest::keyClicks(GridOf(*Ingredients), QString::fromLatin1(Typed));
        EXPECT_EQ(Selected(*Ingredients), QString::fromLatin1(Found)) << Typed;
    }
    Tick += 500;
    QKeyEvent Accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::ShiftModifier, QStringLiteral("É"));
    QApplication::sendEvent(GridOf(*Ingredients), &Accented);
    Type(*Ingredients, 'c');
    EXPECT_EQ(Selected(*Ingredients), QStringLiteral("Échalotes"));
    SetTickCountFunction({});
}

TEST_F(FormListTest, IngredientLinesOfOneRecipe)
{
    LastEdit.SaveName = QStringLiteral("NAVET DU TEST");
    const int Recipe = Code(QStringLiteral("recette"), QStringLiteral("Potée du test"));
    auto Form = ShowIngredientsList(Recipe, QStringLiteral("Potée"));
    ASSERT_NE(Form, nullptr);
    Form->EditFunc = &RecordEdit;
    Form = Open(std::move(Form));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Potée"));
    EXPECT_EQ((QStringList{Form->Cell(0, 0), Form->Cell(1, 0), Form->Cell(2, 0), Form->Cell(3, 0)}),
              (QStringList{"Q", "U", "Ingrédient", "Note"}));
    EXPECT_EQ(Form->ColAlign, (std::vector<int>{2, 0, 0, 0}));
    EXPECT_FALSE(ButtonOf(*Form, "BtFusion")->isVisible());
    // Quantities: 0 empty, a fraction as it is.
    EXPECT_EQ(Column(*Form, 2), (QStringList{"Lard du test", "Navet du test"}));
    EXPECT_EQ(Column(*Form, 0), (QStringList{"0,5", ""}));
    EXPECT_EQ(Column(*Form, 3), (QStringList{"", "fin"}));

    // Adding hands the edit function the recipe's code alone; the saved name is reselected
    // without regard to the case of A to Z.
    Form->SetRow(1);
    QTest::mouseClick(ButtonOf(*Form, "BtAdd"), Qt::LeftButton);
    EXPECT_EQ(LastEdit.Mode, 0);
    EXPECT_EQ(LastEdit.Values, QStringList{QStringLiteral("reccode=%1").arg(Recipe)});
    EXPECT_EQ(LastEdit.Caption, QStringLiteral("Potée (ajout)"));
    EXPECT_EQ(LastEdit.Table, QStringLiteral("ingredients"));
    EXPECT_EQ(Form->Row(), 2);

    // Editing hands the row's fields; Enter and a double click edit too, not on the header.
    Form->SetRow(2);
    QTest::mouseClick(ButtonOf(*Form, "BtEdit"), Qt::LeftButton);
    EXPECT_EQ(LastEdit.Mode, 1);
    ASSERT_EQ(LastEdit.Values.size(), 5);
    EXPECT_EQ(LastEdit.Values[0] + LastEdit.Values[4], QStringLiteral("reccode=%1note=fin").arg(Recipe));
    EXPECT_EQ(LastEdit.Caption, QStringLiteral("Potée (modification)"));
    const int Calls = LastEdit.Calls;
    Key(*Form, Qt::Key_Return);
    EXPECT_EQ(LastEdit.Calls, Calls + 1);
    QWidget *Viewport = GridOf(*Form)->viewport();
    QTest::mouseDClick(Viewport, Qt::LeftButton, {}, QPoint(60, ListGrid::RowHeight / 2));
    EXPECT_EQ(LastEdit.Calls, Calls + 1);
    QTest::mouseDClick(Viewport, Qt::LeftButton, {}, GridOf(*Form)->CellRect(2).center());
    EXPECT_EQ(LastEdit.Calls, Calls + 2);
}

TEST_F(FormListTest, DeletingAnIngredientLineTakesThatLineAlone)
{
    // The line's ingredient is in another recipe too, and the recipe has another line: the
    // two keys together name one line.
    const int Recipe = Code(QStringLiteral("recette"), QStringLiteral("Potée du test"));
    const int Lard = Code(QStringLiteral("ingredient"), QStringLiteral("Lard du test"));
    Database->ExecSQL(QStringLiteral("insert into ingredients (reccode, ingcode, quantite) select min(code), %1, 1 "
                                     "from recette where code<>%2")
                          .arg(Lard)
                          .arg(Recipe));
    const int Lines = Scalar(QStringLiteral("select count(*) from ingredients")).toInt();
    auto Form = Open(ShowIngredientsList(Recipe, QStringLiteral("Potée")));
    Select(*Form, QStringLiteral("Lard du test"), 2);
    TDialogTest::QueueAnswers({mrYes});
    QTest::mouseClick(ButtonOf(*Form, "BtDelete"), Qt::LeftButton);
    EXPECT_EQ(Column(*Form, 2), QStringList{QStringLiteral("Navet du test")});
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from ingredients")).toInt(), Lines - 1);
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from ingredients where ingcode=%1").arg(Lard)),
              QStringLiteral("1"));
}

TEST_F(FormListTest, RecipeListHandsEveryRecipeField)
{
    // The main window's button opens the list; editing hands all fifteen fields; Escape closes.
    AnswerModals({[](QWidget *Open) {
        auto *Form = qobject_cast<TFormList *>(Open);
        ASSERT_NE(Form, nullptr);
        EXPECT_EQ(Form->windowTitle(), QStringLiteral("Recettes"));
        EXPECT_GT(Form->RowCount(), 90);
        Form->EditFunc = &RecordEdit;
        FilterOf(*Form)->setText(QStringLiteral("potée du"));
        QTest::mouseClick(ButtonOf(*Form, "BtEdit"), Qt::LeftButton);
        GridOf(*Form)->setFocus();
        QTest::keyClick(GridOf(*Form), Qt::Key_Escape);
        EXPECT_FALSE(Form->isVisible());
        EXPECT_EQ(Form->result(), mrCancel);
    }});
    QTest::mouseClick(Find<TSevenButton>("BtBaseRecettes"), Qt::LeftButton);
    EXPECT_EQ(ModalsAnswered(), 1);
    ASSERT_EQ(LastEdit.Values.size(), 15);
    EXPECT_EQ(LastEdit.Values[1], QStringLiteral("name=Potée du test"));
    EXPECT_TRUE(LastEdit.Values[5].startsWith(QStringLiteral("trepos=")));
    EXPECT_EQ(LastEdit.Table, QStringLiteral("recette"));

    // Each of the other buttons opens its own list.
    const std::pair<TSevenButton *, const char *> Buttons[] = {
        {Find<TSevenButton>("BtBaseIngredients"), "Ingrédients"},
        {Find<TSevenButton>("BtBaseRayons"), "Rayons en magasin"},
        {Find<TSevenButton>("BtBaseLivres"), "Livres de recettes"},
        {Find<TSevenButton>("BtBaseUnites"), "Unités de mesure"}};
    for (const auto &[Button, Caption] : Buttons) {
        QString Title;
        AnswerModals({[&Title](QWidget *Open) { Title = Open->windowTitle(); }});
        QTest::mouseClick(Button, Qt::LeftButton);
        EXPECT_EQ(Title, QString::fromUtf8(Caption));
    }
}

TEST_F(FormListTest, HeaderStaysWhileScrollingAndRowsAreDrawnAsDesigned)
{
    auto Form = OpenNames(QStringLiteral("unite"), nullptr);
    Form->resize(TFormList::MinClientWidth, TFormList::MinClientHeight);
    QApplication::processEvents();
    TDrawGrid *Grid = GridOf(*Form);
    // The wheel scrolls by one row and leaves the selection; the header stays on top.
    QWheelEvent Wheel(QPointF(20, 50), QPointF(Grid->viewport()->mapToGlobal(QPoint(20, 50))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid->viewport(), &Wheel);
    EXPECT_EQ(Grid->TopRow(), 2);
    EXPECT_EQ(Form->Row(), 1);
    EXPECT_EQ(Grid->RowAt(QPoint(20, 5)), 0);
    EXPECT_EQ(Grid->RowAt(QPoint(20, ListGrid::RowHeight + 5)), 2);
    // A click on the header selects nothing; arrows never reach it.
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(Form->Row(), 1);
    Grid->setFocus();
    QTest::keyClick(Grid, Qt::Key_Home);
    EXPECT_EQ(Form->Row(), 1);

    // The header's column border sizes the column until the window is resized.
    const int Width = Form->ColWidth(0);
    QTest::mousePress(Grid->viewport(), Qt::LeftButton, {}, QPoint(Width - 1, 5));
    QTest::mouseMove(Grid->viewport(), QPoint(Width - 51, 5));
    QTest::mouseRelease(Grid->viewport(), Qt::LeftButton, {}, QPoint(Width - 51, 5));
    EXPECT_EQ(Form->ColWidth(0), Width - 50);
    EXPECT_EQ(Form->Row(), 1);
    Form->resize(TFormList::MinClientWidth + 10, TFormList::MinClientHeight);
    QApplication::processEvents();
    EXPECT_EQ(Form->ColWidth(0), Width + 10);

    Form->SetRow(3);
    const QImage Image = Grid->viewport()->grab().toImage();
    // Middle of row K, the header being row 0, away from any text.
    auto Pixel = [&Image](int K) { return Image.pixelColor(150, K * (ListGrid::RowHeight + 1) + 10); };
    EXPECT_EQ(Pixel(0), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(Pixel(1), QColor(Qt::white));
    EXPECT_EQ(Pixel(2), QColor(0xFD, 0xFB, 0xE5));
    EXPECT_EQ(Pixel(3), QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(Pixel(4), QColor(0xFD, 0xFB, 0xE5));

    // A filter that matches nothing leaves the header alone, drawn as a header: not framed as
    // the selected row.
    FilterOf(*Form)->setText(QStringLiteral("aucune unité de ce nom"));
    ASSERT_EQ(Form->RowCount(), 1);
    EXPECT_EQ(Form->Row(), 0);
    const QImage Empty = Grid->viewport()->grab().toImage();
    EXPECT_EQ(Empty.pixelColor(1, 1), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(Empty.pixelColor(150, ListGrid::RowHeight - 2), QColor(0xF0, 0xF0, 0xF0));
}

TEST_F(FormListTest, EscapeClosesAModalListWhereverTheFocusIs)
{
    // The keys go where the user's keyboard sends them: to the focus of the active window.
    auto Press = [](Qt::Key Key) {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000))
            << "no window takes the keys";
        QTest::keyClick(QApplication::focusWidget(), Key);
    };
    auto List = [] {
        return NewFormList(Lines({"name=Nom"}), 0, Lines({"code", "name"}), Lines({"code"}), nullptr,
                           QStringLiteral("select * from unite where name like :filtername order by name"),
                           QStringLiteral("unite"), &EditInDialog, QStringLiteral("Unités"));
    };
    // From the filter field.
    auto Form = List();
    AnswerModals({[&](QWidget *) {
        FilterOf(*Form)->setFocus();
        Press(Qt::Key_Escape);
        EXPECT_FALSE(Form->isVisible());
    }});
    EXPECT_EQ(Form->exec(), mrCancel);

    // From the filter field again, after "Ajouter" opened an edit window and it closed, and
    // after a question was answered: the real box, which takes the activation while it is open.
    const TDialogTest::TRealBox RealBox;
    Form = List();
    AnswerModals({[&](QWidget *) {
        QTest::mouseClick(ButtonOf(*Form, "BtAdd"), Qt::LeftButton);
        EXPECT_EQ(LastEdit.Calls, 1);
        Press(Qt::Key_Down);
        ::AnswerModals({[](QWidget *Question) { QTest::keyClick(Question, Qt::Key_Escape); }});
        QTest::mouseClick(ButtonOf(*Form, "BtDelete"), Qt::LeftButton);
        EXPECT_EQ(Form->RowCount(), 21) << "nothing deleted";
        FilterOf(*Form)->setFocus();
        Press(Qt::Key_Escape);
        EXPECT_FALSE(Form->isVisible());
    }});
    EXPECT_EQ(Form->exec(), mrCancel);
}

TEST_F(FormListTest, EmbeddedListLeavesItsKeysToTheHost)
{
    QWidget Host;
    QWidget *Panel = new QWidget(&Host);
    Panel->setGeometry(0, 0, 500, 300);
    auto Form = NewFormList(Lines({"name=Nom"}), 0, Lines({"code", "name"}), Lines({"code"}), nullptr,
                            QStringLiteral("select * from unite where name like :filtername order by name"),
                            QStringLiteral("unite"), &RecordEdit, QStringLiteral("Unités"));
    Form->IncludeInPanel(Panel);
    Host.show();
    QApplication::processEvents();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->RowCount(), 21);
    EXPECT_FALSE(ButtonOf(*Form, "BtAdd")->TabStop());
    GridOf(*Form)->setFocus();
    QTest::keyClick(GridOf(*Form), Qt::Key_Escape);
    QTest::keyClick(GridOf(*Form), Qt::Key_Return);
    QTest::keyClick(FilterOf(*Form), Qt::Key_Escape);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(LastEdit.Calls, 0);
    // The type-ahead still works.
    QTest::keyClick(GridOf(*Form), 'p');
    EXPECT_EQ(Selected(*Form), QStringLiteral("pincée"));
    Form.reset();
}
