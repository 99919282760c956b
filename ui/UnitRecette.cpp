#include "UnitRecette.h"

#include "KVXStringList.h"
#include "KVXSystem.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitIngredient.h"
#include "UnitList.h"
#include "UnitLook.h"
#include "UnitMemo.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include <algorithm>
#include <initializer_list>

using namespace TableEditors;

namespace {

// Places of the controls: the labels at the left, a second column of labels for the times
// and the persons, one row every RowStep pixels.
constexpr int LabelLeft = 10;
constexpr int InputLeft = 100;
constexpr int InputHeight = 22;
constexpr int RowStep = 28;
constexpr int RowName = 8;
constexpr int RowDesc = 36;
constexpr int DescHeight = 56;
constexpr int RowTimes = 128;
constexpr int RowLivre = RowTimes + 3 * RowStep + 4;
constexpr int RowPage = RowLivre + RowStep;
constexpr int RowLink = RowPage + RowStep;
constexpr int RowFile = RowLink + RowStep;
constexpr int RowIng = RowFile + 32;
constexpr int PanelIngTop = RowIng + 18;
constexpr int PanelIngWidth = 614;
constexpr int PanelIngHeight = 321;
constexpr int RowPrep = PanelIngTop + PanelIngHeight + 9;
constexpr int MemoPrepTop = RowPrep + 18;
constexpr int MemoPrepHeight = 50;
constexpr int ButtonsTop = TFormRecette::ClientHeight - 31;
constexpr int ComboWidth = 140;
constexpr int SecondLabelLeft = 265;
constexpr int PersLeft = 360;
constexpr int TimeLabelLeft = 420;
constexpr int TimeLeft = 575;
constexpr int NumberWidth = 30;
constexpr int PhotoLeft = 516;
constexpr int PhotoSize = 100;
constexpr int ButtonWidth = 100;
constexpr int MemoDescMaxLength = 256;

const QString CancelQuestion = QStringLiteral("Etes-vous sûr de vouloir annuler la création de cette recette ?");
// The recipe was deleted meanwhile (from the recipe list, or by another program): the
// update changed nothing.
const QString RecipeGone =
    QStringLiteral("Cette recette n'existe plus : elle a été supprimée entre-temps. Rien n'a été enregistré.");

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormRecette::TFormRecette(QWidget *Parent) : QDialog(Parent)
{
    SetUpWindow(this, QStringLiteral("FormRecette"), ClientWidth, ClientHeight);
    CreatePanelTop();
    CreatePanelTimes();
    CreatePanelBook();
    CreatePanelBottom();
    ConnectEvents();

    setTabOrder(EdName, MemoDesc);
    setTabOrder(MemoDesc, ComboType);
    setTabOrder(ComboType, ComboRepas);
    setTabOrder(ComboRepas, ComboSaison);
    setTabOrder(ComboSaison, EdPers);
    setTabOrder(EdPers, EdTprep);
    setTabOrder(EdTprep, EdTcuisson);
    setTabOrder(EdTcuisson, EdTrepos);
    setTabOrder(EdTrepos, ComboLivre);
    setTabOrder(ComboLivre, EdPage);
    setTabOrder(EdPage, EdLink);
}

TFormRecette::~TFormRecette()
{
    // The list goes before the panel that holds it.
    IngList.reset();
    if (!PlaceholderLeft)
        return;
    try {
        DeletePlaceholder();
    } catch (const std::exception &) {
        // The next start deletes what is left of an unsaved recipe.
    }
}

void TFormRecette::CreatePanelTop()
{
    LbName = NewFieldLabel(this, QStringLiteral("LbName"), QStringLiteral("Nom :"), {LabelLeft, RowName + 3}, true);
    EdName = NewEdit(this, QStringLiteral("EdName"), QString(), {InputLeft, RowName, 400, InputHeight});
    EdName->setMaxLength(RecetteNameMaxLength);

    // The photo has no behaviour: it stays in the card, disabled, so the layout reads as a whole.
    PanelPhoto = new QFrame(this);
    PanelPhoto->setObjectName(QStringLiteral("PanelPhoto"));
    PanelPhoto->setGeometry(PhotoLeft, RowName, PhotoSize, PhotoSize);
    PanelPhoto->setFrameShape(QFrame::Box);
    PanelPhoto->setEnabled(false);
    Image1 = new QLabel(PanelPhoto);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, PhotoSize, PhotoSize);
    Image1->setScaledContents(true);
    LbPhotoHint = NewHint(this, QStringLiteral("LbPhotoHint"), QStringLiteral("Cliquez pour changer la photo"),
                          {PhotoLeft, RowName + PhotoSize + 2});
    // Wider than the photo: centred under it as far as the window's edge allows.
    LbPhotoHint->move(
        std::min(PhotoLeft + (PhotoSize - LbPhotoHint->width()) / 2, ClientWidth - LbPhotoHint->width() - 6),
        LbPhotoHint->y());
    LbPhotoHint->setEnabled(false);

    LbDesc = NewFieldLabel(this, QStringLiteral("LbDesc"), QStringLiteral("Note :"), {LabelLeft, RowDesc + 3});
    MemoDesc = new TMemo(this);
    MemoDesc->setObjectName(QStringLiteral("MemoDesc"));
    MemoDesc->setGeometry(InputLeft, RowDesc, 400, DescHeight);
    MemoDesc->setFont(InputFont());
    MemoDesc->setTabChangesFocus(true);
    MemoDesc->SetMaxLength(MemoDescMaxLength);
}

void TFormRecette::CreatePanelTimes()
{
    auto Combo = [this](const char *Name, const QStringList &Items, int Row) {
        QComboBox *Box =
            NewCombo(this, QLatin1String(Name), {InputLeft, RowTimes + Row * RowStep, ComboWidth, InputHeight});
        Box->addItems(Items);
        return Box;
    };
    auto Number = [this](const char *Name, int Left, int Row) {
        return NewEdit(this, QLatin1String(Name), QString(),
                       {Left, RowTimes + Row * RowStep, NumberWidth, InputHeight});
    };
    auto Label = [this](const char *Name, const QString &Text, int Left, int Row) {
        return NewFieldLabel(this, QLatin1String(Name), Text, {Left, RowTimes + Row * RowStep + 3});
    };

    LbType = Label("LbType", QStringLiteral("Type :"), LabelLeft, 0);
    ComboType = Combo(
        "ComboType",
        {QStringLiteral("entrée"), QStringLiteral("plat"), QStringLiteral("dessert"), QStringLiteral("boisson")}, 0);
    LbPers = Label("LbPers", QStringLiteral("Personnes :"), SecondLabelLeft, 0);
    EdPers = Number("EdPers", PersLeft, 0);
    LbTprep = Label("LbTprep", QStringLiteral("Préparation (min) :"), TimeLabelLeft, 0);
    EdTprep = Number("EdTprep", TimeLeft, 0);

    LbRepas = Label("LbRepas", QStringLiteral("Repas :"), LabelLeft, 1);
    ComboRepas =
        Combo("ComboRepas", {QStringLiteral("midi et soir"), QStringLiteral("midi"), QStringLiteral("soir")}, 1);
    LbTcuisson = Label("LbTcuisson", QStringLiteral("Cuisson (min) :"), TimeLabelLeft, 1);
    EdTcuisson = Number("EdTcuisson", TimeLeft, 1);

    LbSaison = Label("LbSaison", QStringLiteral("Saison :"), LabelLeft, 2);
    ComboSaison =
        Combo("ComboSaison",
              {QStringLiteral("toute saison"), QStringLiteral("printemps-été"), QStringLiteral("automne-hiver")}, 2);
    LbTrepos = Label("LbTrepos", QStringLiteral("Repos (min) :"), TimeLabelLeft, 2);
    EdTrepos = Number("EdTrepos", TimeLeft, 2);
}

void TFormRecette::CreatePanelBook()
{
    LbLivre = NewFieldLabel(this, QStringLiteral("LbLivre"), QStringLiteral("Livre :"), {LabelLeft, RowLivre + 3});
    ComboLivre = NewCombo(this, QStringLiteral("ComboLivre"), {InputLeft, RowLivre, 350, InputHeight});
    BtLivre = NewPictureButton(this, QStringLiteral("BtLivre"), QStringLiteral("BTBASELIVRES"),
                               {InputLeft + 356, RowLivre - 1},
                               QStringLiteral("Cliquez ici pour ajouter ou modifier un livre"));

    LbPage = NewFieldLabel(this, QStringLiteral("LbPage"), QStringLiteral("Page :"), {LabelLeft, RowPage + 3});
    EdPage = NewEdit(this, QStringLiteral("EdPage"), QString(), {InputLeft, RowPage, 80, InputHeight});
    EdPage->setMaxLength(8);
    LbPageHint = NewHint(this, QStringLiteral("LbPageHint"),
                         QStringLiteral("Vous pouvez saisir ici une référence plutôt qu'un numéro de page"),
                         {InputLeft + 90, RowPage + 4});

    LbLink = NewFieldLabel(this, QStringLiteral("LbLink"), QStringLiteral("Lien :"), {LabelLeft, RowLink + 3});
    EdLink = NewEdit(this, QStringLiteral("EdLink"), QString(), {InputLeft, RowLink, 516, InputHeight});
    EdLink->setMaxLength(256);

    // Like the photo, the attached file has no behaviour and is shown disabled.
    LbFileTitle =
        NewFieldLabel(this, QStringLiteral("LbFileTitle"), QStringLiteral("Fichier :"), {LabelLeft, RowFile + 3});
    LbFile = NewLabel(this, QStringLiteral("LbFile"), QString(), {InputLeft, RowFile + 3}, InputFont());
    LbFile->setTextFormat(Qt::PlainText);
    LbFile->setFixedWidth(300);
    LbFile->setEnabled(false);
    BtLoadFile =
        NewButton(this, QStringLiteral("BtLoadFile"), QStringLiteral("Charger"), {InputLeft + 310, RowFile, 85, 24}, 0);
    BtOpenFile =
        NewButton(this, QStringLiteral("BtOpenFile"), QStringLiteral("Ouvrir"), {InputLeft + 401, RowFile, 85, 24}, 0);
    for (TSevenButton *Button : {BtLoadFile, BtOpenFile}) {
        Button->setEnabled(false);
        Button->SetTabStop(false);
    }
}

void TFormRecette::CreatePanelBottom()
{
    LbIng = NewFieldLabel(this, QStringLiteral("LbIng"), QStringLiteral("Ingrédients"), {LabelLeft, RowIng});
    PanelIng = new QFrame(this);
    PanelIng->setObjectName(QStringLiteral("PanelIng"));
    PanelIng->setGeometry((ClientWidth - PanelIngWidth) / 2, PanelIngTop, PanelIngWidth, PanelIngHeight);
    PanelIng->setFrameShape(QFrame::Box);
    PanelIng->setLineWidth(1);
    QPalette Palette = PanelIng->palette();
    Palette.setColor(QPalette::WindowText, TColorToQColor(clGray));
    PanelIng->setPalette(Palette);

    // The preparation text is not edited: shown disabled and always empty.
    LbPrep = NewFieldLabel(this, QStringLiteral("LbPrep"), QStringLiteral("Préparation"), {LabelLeft, RowPrep});
    MemoPrep = new TMemo(this);
    MemoPrep->setObjectName(QStringLiteral("MemoPrep"));
    MemoPrep->setGeometry((ClientWidth - PanelIngWidth) / 2, MemoPrepTop, PanelIngWidth, MemoPrepHeight);
    MemoPrep->setFont(InputFont());
    MemoPrep->setEnabled(false);

    BtOk = NewButton(this, QStringLiteral("BtOk"), QStringLiteral("OK"),
                     {ClientWidth - 2 * ButtonWidth - 15, ButtonsTop, ButtonWidth, 24}, 0);
    BtOk->SetDefault(true);
    BtCancel = NewButton(this, QStringLiteral("BtCancel"), QStringLiteral("Annuler"),
                         {ClientWidth - ButtonWidth - 9, ButtonsTop, ButtonWidth, 24}, mrCancel);
    BtCancel->SetCancel(true);
    for (TSevenButton *Button : {BtOk, BtCancel})
        Button->SetTabStop(false);
}

void TFormRecette::ConnectEvents()
{
    for (QWidget *Input : std::initializer_list<QWidget *>{EdName, MemoDesc, ComboType, ComboRepas, ComboSaison, EdPers,
                                                           EdTprep, EdTcuisson, EdTrepos, ComboLivre, EdPage, EdLink})
        TintOnFocus(Input);
    ClearOnDelete(ComboLivre);
    GuardedConnect(BtLivre, &TSevenButton::clicked, this, [this] { BtLivreClick(); });
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
}

// ---------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------

void TFormRecette::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        SetUpOnShow(this, [this] { LoadFields(); });
}

void TFormRecette::LoadFields()
{
    Wrap("TFormRecette.LoadFields", [&] {
        LoadLivre(Mode == 1 ? StrToIntDef(Value(QStringLiteral("livcode")), 0) : 0);
        MemoPrep->clear();
        if (Mode == 1) {
            RecCode = StrToInt(Value(QStringLiteral("code")));
            EdName->setText(Value(QStringLiteral("name")));
            MemoDesc->setPlainText(Value(QStringLiteral("description")));
            ComboType->setCurrentIndex(StrToIntDef(Value(QStringLiteral("type_")), 0));
            ComboRepas->setCurrentIndex(StrToIntDef(Value(QStringLiteral("repas")), 0));
            ComboSaison->setCurrentIndex(StrToIntDef(Value(QStringLiteral("saison")), 0));
            EdTprep->setText(Value(QStringLiteral("tprep")));
            EdTcuisson->setText(Value(QStringLiteral("tcuisson")));
            EdTrepos->setText(Value(QStringLiteral("trepos")));
            EdPers->setText(Value(QStringLiteral("nbpers")));
            EdPage->setText(Value(QStringLiteral("page")));
            EdLink->setText(Value(QStringLiteral("link")));
            LbFile->setText(Value(QStringLiteral("filename")));
        } else {
            for (QLineEdit *Edit : {EdName, EdTprep, EdTcuisson, EdTrepos, EdPage, EdLink})
                Edit->clear();
            MemoDesc->clear();
            LbFile->clear();
            ComboType->setCurrentIndex(TypePlat);
            ComboRepas->setCurrentIndex(0);
            ComboSaison->setCurrentIndex(0);
            EdPers->setText(QStringLiteral("4"));
            // Shown again, the window goes on with the row it already wrote.
            if (!PlaceholderLeft)
                SqlInsert();
        }
        IncludeFormIng();
        EdName->setFocus(Qt::OtherFocusReason);
    });
}

void TFormRecette::LoadLivre(int Wanted)
{
    Wrap("TFormRecette.LoadLivre", [&] {
        LivTable.reset();
        LivTable = LoadCombo(ComboLivre, QStringLiteral("select * from livre order by name"), Wanted);
    });
}

int TFormRecette::SelectedLivCode() const
{
    return SelectedCode(ComboLivre, LivTable.get());
}

QString TFormRecette::Value(const QString &Name) const
{
    return Values ? Values->Values(Name) : QString();
}

void TFormRecette::SqlInsert()
{
    Wrap("TFormRecette.SqlInsert", [&] {
        const QString Guid = KVXNewGuid();
        if (Guid.isEmpty())
            throw Exception(QStringLiteral("No GUID could be made for the new recipe"));
        CurrentDatabase().AddParamText(":name", Guid);
        CurrentDatabase().AddParamInt(":nbpers", 4);
        CurrentDatabase().ExecSQL(
            QStringLiteral("INSERT INTO %1 (name, tprep, tcuisson, trepos, nbpers, repas, type_, saison) "
                           "VALUES (:name, 0, 0, 0, :nbpers, 0, 1, 0)")
                .arg(Table));
        PlaceholderLeft = true;
        CurrentDatabase().AddParamText(":name", Guid);
        RecCode = CurrentDatabase().GetTableString(QStringLiteral("select code from recette where name=:name")).toInt();
    });
}

void TFormRecette::IncludeFormIng()
{
    Wrap("TFormRecette.IncludeFormIng", [&] {
        IngList = ShowIngredientsList(RecCode, Mode == 0 ? QStringLiteral("*") : Value(QStringLiteral("name")));
        if (!IngList)
            return;
        IngList->IncludeInPanel(PanelIng);
        IngList->show();
        IngList->GridAutoWidth();
    });
}

// ---------------------------------------------------------------------------------------
// Event handlers
// ---------------------------------------------------------------------------------------

void TFormRecette::BtLivreClick()
{
    Wrap("TFormRecette.BtLivreClick", [&] {
        // The cookbook chosen before stays chosen, unless it was deleted in the list.
        const int Kept = SelectedLivCode();
        ShowLivreList();
        LoadLivre(Kept);
        ComboLivre->setFocus(Qt::OtherFocusReason);
    });
}

void TFormRecette::BtOkClick()
{
    WrapWithUser("TFormRecette.BtOkClick", "Assurez-vous que ce nom ne soit pas déjà utilisé et réessayez.", [&] {
        if (!CheckFields())
            return;
        if (!SqlUpdate()) {
            FormDialog->Show(RecipeGone, dtAlert, dbAuto);
            return;
        }
        PlaceholderLeft = false;
        if (OnDone)
            OnDone(EdName->text());
        done(mrOk);
    });
}

bool TFormRecette::CheckFields()
{
    return CheckName(EdName);
}

bool TFormRecette::SqlUpdate()
{
    return Wrap("TFormRecette.SqlUpdate", [&] {
        CurrentDatabase().AddParamInt(":rcode", RecCode);
        CurrentDatabase().AddParamText(":name", EdName->text());
        CurrentDatabase().AddParamText(":desc", MemoDesc->toPlainText());
        CurrentDatabase().AddParamInt(":tprep", StrToIntDef(EdTprep->text(), 0));
        CurrentDatabase().AddParamInt(":tcuisson", StrToIntDef(EdTcuisson->text(), 0));
        CurrentDatabase().AddParamInt(":trepos", StrToIntDef(EdTrepos->text(), 0));
        CurrentDatabase().AddParamInt(":nbpers", StrToIntDef(EdPers->text(), 4));
        CurrentDatabase().AddParamInt(":repas", std::max(0, ComboRepas->currentIndex()));
        CurrentDatabase().AddParamInt(":type", std::max(0, ComboType->currentIndex()));
        CurrentDatabase().AddParamInt(":saison", std::max(0, ComboSaison->currentIndex()));
        CurrentDatabase().AddParamText(":page", EdPage->text());
        CurrentDatabase().AddParamText(":link", EdLink->text());
        if (const int Livre = SelectedLivCode())
            CurrentDatabase().AddParamInt(":livcode", Livre);
        else
            CurrentDatabase().AddParamNull(":livcode");
        CurrentDatabase().ExecSQL(
            QStringLiteral("UPDATE %1 SET name=:name, description=:desc, tprep=:tprep, "
                           "tcuisson=:tcuisson, trepos=:trepos, nbpers=:nbpers, repas=:repas, "
                           "type_=:type, saison=:saison, page=:page, link=:link, livcode=:livcode "
                           "WHERE code=:rcode")
                .arg(Table));
        return CurrentDatabase().Changes() > 0;
    });
}

bool TFormRecette::CancelRec()
{
    return Wrap("TFormRecette.CancelRec", [&] {
        if (Mode != 0 || !PlaceholderLeft)
            return true;
        if (FormDialog->Show(CancelQuestion, dtConfirm, dbAuto) != mrYes)
            return false;
        DeletePlaceholder();
        return true;
    });
}

void TFormRecette::DeletePlaceholder()
{
    // The recipe's ingredient lines go with it (the lines refer to their recipe on cascade).
    CurrentDatabase().ExecSQL(QStringLiteral("delete from recette where code=%1").arg(RecCode));
    PlaceholderLeft = false;
}

void TFormRecette::done(int Result)
{
    if (Result != mrOk) {
        bool Close = false;
        Guard([&] { Close = CancelRec(); });
        if (!Close) {
            setResult(0);
            return;
        }
    }
    QDialog::done(Result);
}

void TFormRecette::reject()
{
    done(mrCancel);
}

// ---------------------------------------------------------------------------------------
// The edit function and the recipe card
// ---------------------------------------------------------------------------------------

int ShowFormRecette1(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                     const TNameEvent &OnDone)
{
    return Wrap("ShowFormRecette1", [&] {
        TFormRecette Form(ActiveParent());
        SetUpEditor(Form, Mode, Values, Table, Caption, OnDone);
        return Form.exec() == mrOk ? mrOk : mrCancel;
    });
}

int ShowFormRecette2(const QString &Caption, int Code)
{
    return Wrap("ShowFormRecette2", [&] {
        CurrentDatabase().AddParamInt(":code", Code);
        std::unique_ptr<TQlTable> Recette =
            CurrentDatabase().GetTable(QStringLiteral("select * from recette where code=:code"));
        if (Recette->RowCount() == 0)
            throw UserException::CreateUserFmt(
                QStringLiteral("Bizarre, impossible de retrouver la recette code %d dans la base."), {Code});
        TKVXStringList Fields;
        TKVXStringList Values;
        GetRecetteFields(Fields);
        TableToStrings(Fields, *Recette, Values);
        return ShowFormRecette1(1, &Values, QStringLiteral("recette"), Caption, {});
    });
}
