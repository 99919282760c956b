#include "UnitIngredients.h"

#include "KVXConversion.h"
#include "KVXStringList.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitIngredient.h"
#include "UnitLook.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <initializer_list>

using namespace TableEditors;

namespace {

// Places of the controls: one column of labels, one of inputs, a hint under most inputs.
constexpr int LabelLeft = 10;
constexpr int InputLeft = 110;
constexpr int ComboWidth = 480;
constexpr int InputHeight = 22;
constexpr int HintGap = 3;
constexpr int RowQuantity = 12;
constexpr int RowUnit = 56;
constexpr int RowIng = 100;
constexpr int RowNote = 144;
constexpr int RowDontClose = 178;
constexpr int ButtonsTop = 240;
constexpr int ButtonWidth = 100;

const QString IngRequired = QStringLiteral("Vous devez sélectionner un ingrédient.");
// The edited line was deleted meanwhile (from the recipe's list in another window): the
// update changed nothing, and saying "saved" would lose the user's input silently.
const QString LineGone = QStringLiteral(
    "Cette ligne n'existe plus dans la recette : elle a été supprimée entre-temps. Rien n'a été enregistré.");
const QString QuantityRequired =
    QStringLiteral("Dès lors que vous avez sélectionné une unité, vous devez saisir une quantité supérieure à 0.\r\n"
                   "Pour supprimer l'unité, placez vous sur la liste (en utilisant la touche Tab) et appuyez sur la "
                   "touche Suppr.");

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormIngredients::TFormIngredients(QWidget *Parent) : QDialog(Parent)
{
    SetUpWindow(this, QStringLiteral("FormIngredients"), ClientWidth, ClientHeight);
    CreateControls();
    ConnectEvents();
}

TFormIngredients::~TFormIngredients() = default;

void TFormIngredients::CreateControls()
{
    LbQuantity =
        NewFieldLabel(this, QStringLiteral("LbQuantity"), QStringLiteral("Quantité :"), {LabelLeft, RowQuantity + 3});
    EdQuantity = NewEdit(this, QStringLiteral("EdQuantity"), QString(), {InputLeft, RowQuantity, 120, InputHeight});
    EdQuantity->setMaxLength(128);
    LbQuantityHint = NewHint(this, QStringLiteral("LbQuantityHint"),
                             QStringLiteral("La quantité est facultative, vous pouvez saisir un nombre à virgule"),
                             {InputLeft, RowQuantity + InputHeight + HintGap});

    LbUnit = NewFieldLabel(this, QStringLiteral("LbUnit"), QStringLiteral("Unité :"), {LabelLeft, RowUnit + 3});
    ComboUnit = NewCombo(this, QStringLiteral("ComboUnit"), {InputLeft, RowUnit, ComboWidth, InputHeight});
    BtUnite = NewPictureButton(this, QStringLiteral("BtUnite"), QStringLiteral("BTBASEUNITES"),
                               {InputLeft + ComboWidth + 6, RowUnit - 1},
                               QStringLiteral("Cliquez ici pour ajouter ou modifier une unité"));
    LbUnitHint = NewHint(this, QStringLiteral("LbUnitHint"),
                         QStringLiteral("L'unité de mesure est facultative, appuyez sur la touche Suppr pour retirer "
                                        "la sélection actuelle"),
                         {InputLeft, RowUnit + InputHeight + HintGap});

    LbIng = NewFieldLabel(this, QStringLiteral("LbIng"), QStringLiteral("Ingrédient :"), {LabelLeft, RowIng + 3}, true);
    ComboIng = NewCombo(this, QStringLiteral("ComboIng"), {InputLeft, RowIng, ComboWidth, InputHeight});
    BtIng = NewPictureButton(this, QStringLiteral("BtIng"), QStringLiteral("BTBASEINGREDIENTS"),
                             {InputLeft + ComboWidth + 6, RowIng - 1},
                             QStringLiteral("Cliquez ici pour ajouter ou modifier un ingrédient"));
    LbIngHint = NewHint(this, QStringLiteral("LbIngHint"),
                        QStringLiteral("Veuillez sélectionner un ingrédient dans la liste (obligatoire)"),
                        {InputLeft, RowIng + InputHeight + HintGap});

    LbNote = NewFieldLabel(this, QStringLiteral("LbNote"), QStringLiteral("Note :"), {LabelLeft, RowNote + 3});
    EdNote = NewEdit(this, QStringLiteral("EdNote"), QString(), {InputLeft, RowNote, ComboWidth + 30, InputHeight});
    EdNote->setMaxLength(128);

    CbDontClose =
        NewCheckBox(this, QStringLiteral("CbDontClose"), QStringLiteral("Ne pas fermer la fenêtre après validation"),
                    {InputLeft, RowDontClose, ComboWidth, 18});
    CbDontClose->setFocusPolicy(Qt::StrongFocus);
    LbDontCloseHint =
        NewHint(this, QStringLiteral("LbDontCloseHint"),
                QStringLiteral("Cochez cette option pour choisir rapidement tous les ingrédients de votre recette\n"
                               "Appuyez sur Entrée pour valider chaque ingrédient, appuyez sur Echap lorsque vous "
                               "avez terminé"),
                {InputLeft, RowDontClose + 20});

    LbTabHint = NewHint(this, QStringLiteral("LbTabHint"),
                        QStringLiteral("Utilisez la touche Tab pour passer d'une zone de saisie à l'autre"),
                        {LabelLeft, ButtonsTop + 5});
    BtOk = NewButton(this, QStringLiteral("BtOk"), QStringLiteral("OK"),
                     {ClientWidth - 2 * ButtonWidth - 16, ButtonsTop, ButtonWidth, 24}, 0);
    BtOk->SetDefault(true);
    BtCancel = NewButton(this, QStringLiteral("BtCancel"), QStringLiteral("Annuler"),
                         {ClientWidth - ButtonWidth - 10, ButtonsTop, ButtonWidth, 24}, mrCancel);
    BtCancel->SetCancel(true);

    setTabOrder(EdQuantity, ComboUnit);
    setTabOrder(ComboUnit, ComboIng);
    setTabOrder(ComboIng, EdNote);
    setTabOrder(EdNote, CbDontClose);
    setTabOrder(CbDontClose, BtOk);
    setTabOrder(BtOk, BtCancel);
}

void TFormIngredients::ConnectEvents()
{
    for (QWidget *Input : std::initializer_list<QWidget *>{EdQuantity, ComboUnit, ComboIng, EdNote}) {
        Input->installEventFilter(this);
        TintOnFocus(Input);
    }
    ClearOnDelete(ComboUnit);
    GuardedConnect(CbDontClose, &QCheckBox::toggled, this,
                   [this](bool Checked) { BtCancel->SetCaption(CancelCaption(Checked)); });
    GuardedConnect(BtUnite, &TSevenButton::clicked, this, [this] { BtUniteClick(); });
    GuardedConnect(BtIng, &TSevenButton::clicked, this, [this] { BtIngClick(); });
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
}

// ---------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------

void TFormIngredients::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        SetUpOnShow(this, [this] { FormShow(); });
}

void TFormIngredients::FormShow()
{
    Wrap("TFormIngredients.FormShow", [&] {
        CbDontClose->setChecked(Mode == 0);
        CbDontClose->setEnabled(Mode == 0);
        BtCancel->SetCaption(CancelCaption(CbDontClose->isChecked()));
        LoadFields();
    });
}

void TFormIngredients::LoadFields()
{
    Wrap("TFormIngredients.LoadFields", [&] {
        LoadIng();
        LoadUnit();
        EdQuantity->clear();
        EdNote->clear();
        if (Mode == 1) {
            const double Q = KVXStringToFloat(Value(QStringLiteral("quantite")), 0);
            if (Q > 0)
                EdQuantity->setText(KVXFloatToString(Q));
            EdNote->setText(Value(QStringLiteral("note")));
        }
        EdQuantity->setFocus(Qt::OtherFocusReason);
    });
}

void TFormIngredients::LoadIng()
{
    Wrap("TFormIngredients.LoadIng", [&] {
        IngTable.reset();
        const int Wanted = Mode == 1 ? StrToIntDef(Value(QStringLiteral("ingcode")), 0) : 0;
        IngTable = LoadCombo(ComboIng, QStringLiteral("select * from ingredient order by name"), Wanted, &IngKeys);
    });
}

void TFormIngredients::LoadUnit()
{
    Wrap("TFormIngredients.LoadUnit", [&] {
        UnitTable.reset();
        const int Wanted = Mode == 1 ? StrToIntDef(Value(QStringLiteral("unitecode")), 0) : 0;
        UnitTable = LoadCombo(ComboUnit, QStringLiteral("select * from unite order by name"), Wanted, &UnitKeys);
    });
}

QString TFormIngredients::Value(const QString &Name) const
{
    return Values ? Values->Values(Name) : QString();
}

double TFormIngredients::TypedQuantity() const
{
    return KVXStringToFloat(EdQuantity->text(), 0);
}

// ---------------------------------------------------------------------------------------
// Event handlers
// ---------------------------------------------------------------------------------------

void TFormIngredients::BtUniteClick()
{
    Wrap("TFormIngredients.BtUniteClick", [&] {
        ShowUniteList();
        LoadUnit();
        ComboUnit->setFocus(Qt::OtherFocusReason);
    });
}

void TFormIngredients::BtIngClick()
{
    Wrap("TFormIngredients.BtIngClick", [&] {
        ShowIngredientList();
        LoadIng();
        ComboIng->setFocus(Qt::OtherFocusReason);
    });
}

void TFormIngredients::BtOkClick()
{
    WrapWithUser("TFormIngredients.BtOkClick",
                 "Assurez-vous que l'ingrédient sélectionné dans la liste n'existe pas déjà dans votre recette.", [&] {
                     if (!CheckFields())
                         return;
                     if (Mode == 0) {
                         SqlInsert();
                     } else if (Mode == 1) {
                         if (!SqlUpdate()) {
                             FormDialog->Show(LineGone, dtAlert, dbAuto);
                             return;
                         }
                     } else {
                         SetProperties();
                     }
                     if (Mode != 2 && OnDone)
                         OnDone(ComboIng->currentText());
                     if (CbDontClose->isChecked())
                         LoadFields();
                     else
                         done(mrOk);
                 });
}

bool TFormIngredients::CheckFields()
{
    if (ComboIng->currentIndex() < 0) {
        FormDialog->Show(IngRequired, dtAlert, dbAuto);
        ComboIng->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (ComboUnit->currentIndex() >= 0 && TypedQuantity() <= 0) {
        FormDialog->Show(QuantityRequired, dtAlert, dbAuto);
        EdQuantity->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFormIngredients::AddLineParams()
{
    CurrentDatabase().AddParamInt(":ingcode", SelectedCode(ComboIng, IngTable.get()));
    CurrentDatabase().AddParamFloat(":quantite", TypedQuantity());
    CurrentDatabase().AddParamText(":note", EdNote->text());
    if (const int Unit = SelectedCode(ComboUnit, UnitTable.get()))
        CurrentDatabase().AddParamInt(":unitecode", Unit);
    else
        CurrentDatabase().AddParamNull(":unitecode");
}

void TFormIngredients::SqlInsert()
{
    Wrap("TFormIngredients.SqlInsert", [&] {
        CurrentDatabase().AddParamInt(":reccode", StrToInt(Value(QStringLiteral("reccode"))));
        AddLineParams();
        CurrentDatabase().ExecSQL(QStringLiteral("INSERT INTO %1 (reccode, ingcode, quantite, note, unitecode) VALUES "
                                         "(:reccode, :ingcode, :quantite, :note, :unitecode)")
                              .arg(Table));
    });
}

bool TFormIngredients::SqlUpdate()
{
    return Wrap("TFormIngredients.SqlUpdate", [&] {
        CurrentDatabase().AddParamInt(":icode", StrToInt(Value(QStringLiteral("ingcode"))));
        CurrentDatabase().AddParamInt(":rcode", StrToInt(Value(QStringLiteral("reccode"))));
        AddLineParams();
        CurrentDatabase().ExecSQL(QStringLiteral("UPDATE %1 SET ingcode=:ingcode, quantite=:quantite, note=:note, "
                                         "unitecode=:unitecode WHERE reccode=:rcode AND ingcode=:icode")
                              .arg(Table));
        return CurrentDatabase().Changes() > 0;
    });
}

void TFormIngredients::SetProperties()
{
    Wrap("TFormIngredients.SetProperties", [&] {
        Quantity = TypedQuantity();
        UnitCode = 0;
        UnitName.clear();
        if (SelectedCode(ComboUnit, UnitTable.get()) != 0) {
            UnitCode = UnitTable->FieldAsInteger(QStringLiteral("code"));
            UnitName = UnitTable->FieldAsString(QStringLiteral("name"));
        }
        SelectedCode(ComboIng, IngTable.get());
        IngCode = IngTable->FieldAsInteger(QStringLiteral("code"));
        IngName = IngTable->FieldAsString(QStringLiteral("name"));
        RayCode = IngTable->FieldAsInteger(QStringLiteral("raycode"));
        Note = EdNote->text();
    });
}

void TFormIngredients::reject()
{
    done(mrCancel);
}

bool TFormIngredients::ComboKeyPress(QComboBox *Combo, const QStringList &Keys, QKeyEvent *Key)
{
    // Every typed character goes to the shared type-ahead, never to the combo's own search;
    // keys without a character (arrows, Tab, Enter, Escape) keep their usual meaning.
    const QString Text = Key->text();
    if (Text.isEmpty() || !Text.at(0).isPrint())
        return false;
    Guard([&] {
        const int Index = AutoComplete(Text.at(0), Keys, SearchTick, SearchText);
        if (Index >= 0)
            Combo->setCurrentIndex(Index);
    });
    return true;
}

bool TFormIngredients::eventFilter(QObject *Watched, QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::FocusIn:
        SearchText.clear();
        break;
    case QEvent::KeyPress:
        if (Watched == ComboIng)
            return ComboKeyPress(ComboIng, IngKeys, static_cast<QKeyEvent *>(Event));
        if (Watched == ComboUnit)
            return ComboKeyPress(ComboUnit, UnitKeys, static_cast<QKeyEvent *>(Event));
        break;
    default:
        break;
    }
    return QDialog::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------------------
// The edit functions
// ---------------------------------------------------------------------------------------

std::unique_ptr<TFormIngredients> NewFormIngredients(int Mode, TStringList *Values, const QString &Table,
                                                     const QString &Caption, const TNameEvent &OnDone)
{
    return Wrap("NewFormIngredients", [&] {
        // No parent: the caller's pointer is the window's only owner.
        auto Form = std::make_unique<TFormIngredients>();
        SetUpEditor(*Form, Mode, Values, Table, Caption, OnDone);
        return Form;
    });
}

int ShowFormIngredients(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                        const TNameEvent &OnDone)
{
    return Wrap("ShowFormIngredients", [&] {
        std::unique_ptr<TFormIngredients> Form = NewFormIngredients(Mode, Values, Table, Caption, OnDone);
        return Form->exec() == mrOk ? mrOk : mrCancel;
    });
}
