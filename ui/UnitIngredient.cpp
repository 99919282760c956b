#include "UnitIngredient.h"

#include "KVXStringList.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// Places of the controls: one column of labels, one of inputs.
constexpr int LabelLeft = 10;
constexpr int InputLeft = 80;
constexpr int InputWidth = 450;
constexpr int InputHeight = 22;
constexpr int RowName = 12;
constexpr int RowRayon = 44;
constexpr int RowDontClose = 92;
constexpr int RowFixRayon = 152;
constexpr int ButtonsTop = 192;
constexpr int ButtonWidth = 100;

// The edited ingredient was deleted meanwhile: the update changed nothing.
const QString IngredientGone =
    QStringLiteral("Cet ingrédient n'existe plus : il a été supprimé entre-temps. Rien n'a été enregistré.");

// Owned by the combo it watches, so it goes with it.
class TClearOnDelete : public QObject
{
public:
    explicit TClearOnDelete(QComboBox *Combo) : QObject(Combo) {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Watched != parent() || Event->type() != QEvent::KeyPress)
            return false;
        const auto *Key = static_cast<QKeyEvent *>(Event);
        if (Key->key() != Qt::Key_Delete || Key->modifiers() != Qt::NoModifier)
            return false;
        static_cast<QComboBox *>(Watched)->setCurrentIndex(-1);
        return true;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------
// What the table editors share
// ---------------------------------------------------------------------------------------

namespace TableEditors {

QWidget *ActiveParent()
{
    if (QWidget *Modal = QApplication::activeModalWidget())
        return Modal;
    return QApplication::activeWindow();
}

void SetUpOnShow(QDialog *Form, const std::function<void()> &SetUp)
{
    bool Ready = false;
    Guard([&] {
        SetUp();
        Ready = true;
    });
    if (Ready)
        return;
    // Queued: the window is still being shown, and its modal loop has not started yet.
    QMetaObject::invokeMethod(
        Form, [Form] { Form->QDialog::done(mrCancel); }, Qt::QueuedConnection);
}

QString CancelCaption(bool DontClose)
{
    return DontClose ? QStringLiteral("Terminer") : QStringLiteral("Annuler");
}

QLabel *NewHint(QWidget *Parent, const QString &Name, const QString &Text, const QPoint &Place)
{
    QLabel *Label = NewLabel(Parent, Name, Text, Place, PixelFont(QLatin1String(FontCalibri), 13, false, true));
    Label->setTextFormat(Qt::PlainText);
    SetTextColor(Label, WindowHintColor);
    Label->adjustSize();
    return Label;
}

QLabel *NewFieldLabel(QWidget *Parent, const QString &Name, const QString &Text, const QPoint &Place, bool Required)
{
    QLabel *Label = NewLabel(Parent, Name, Text, Place);
    if (Required)
        SetTextColor(Label, RequiredLabelColor);
    else
        SetTextColor(Label, clGray);
    return Label;
}

TSevenButton *NewButton(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place,
                        int ModalResult)
{
    TSevenButton *Button = NewSevenButton(Parent, Name, Caption, Place);
    Button->setFont(WindowFont());
    Button->SetModalResult(ModalResult);
    SetStateFonts(Button, WindowFont());
    return Button;
}

TSevenButton *NewPictureButton(QWidget *Parent, const QString &Name, const QString &Picture, const QPoint &Place,
                               const QString &Hint)
{
    TSevenButton *Button = NewSevenButton(Parent, Name, QString(), QRect(Place, QSize(24, 24)));
    Button->SetTabStop(false);
    Button->SetMarging(4);
    Button->Pictures()->SetPictureNormal(LoadResourcePicture(Picture, QSize(16, 16)));
    Button->setToolTip(Hint);
    return Button;
}

bool CheckName(QLineEdit *Edit)
{
    if (!Edit->text().isEmpty())
        return true;
    FormDialog->Show(QStringLiteral("Veuillez saisir un nom et réessayez."), dtAlert, dbAuto);
    Edit->setFocus(Qt::OtherFocusReason);
    return false;
}

void ClearOnDelete(QComboBox *Combo)
{
    Combo->installEventFilter(new TClearOnDelete(Combo));
}

std::unique_ptr<TQlTable> LoadCombo(QComboBox *Combo, const QString &Sql, int Wanted, QStringList *Keys)
{
    if (Keys)
        Keys->clear();
    Combo->clear();
    std::unique_ptr<TQlTable> Table = CurrentDatabase().GetTable(Sql);
    int Selected = -1;
    for (; !Table->Eof(); Table->Next()) {
        const QString Name = Table->FieldAsString(QStringLiteral("name"));
        Combo->addItem(Name);
        if (Keys)
            Keys->append(StrToAscii(Name));
        if (Wanted != 0 && Table->FieldAsInteger(0) == Wanted)
            Selected = Combo->count() - 1;
    }
    Combo->setCurrentIndex(Selected);
    return Table;
}

int SelectedCode(const QComboBox *Combo, TQlTable *Table)
{
    const int Index = Combo->currentIndex();
    if (Index < 0 || !Table || !Table->MoveTo(static_cast<quint32>(Index)))
        return 0;
    return static_cast<int>(Table->FieldAsInteger(0));
}

QComboBox *NewCombo(QWidget *Parent, const QString &Name, const QRect &Place)
{
    auto *Combo = new QComboBox(Parent);
    Combo->setObjectName(Name);
    Combo->setGeometry(Place);
    Combo->setFont(InputFont());
    Combo->setMaxVisibleItems(25);
    return Combo;
}

} // namespace TableEditors

using namespace TableEditors;

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormIngredient::TFormIngredient(QWidget *Parent) : QDialog(Parent)
{
    SetUpWindow(this, QStringLiteral("FormIngredient"), ClientWidth, ClientHeight);
    CreateControls();
    ConnectEvents();
}

TFormIngredient::~TFormIngredient() = default;

void TFormIngredient::CreateControls()
{
    LbName = NewFieldLabel(this, QStringLiteral("LbName"), QStringLiteral("Nom :"), {LabelLeft, RowName + 3}, true);
    EdName = NewEdit(this, QStringLiteral("EdName"), QString(), {InputLeft, RowName, InputWidth + 30, InputHeight});
    EdName->setMaxLength(128);

    LbRayon = NewFieldLabel(this, QStringLiteral("LbRayon"), QStringLiteral("Rayon :"), {LabelLeft, RowRayon + 3});
    ComboRayon = NewCombo(this, QStringLiteral("ComboRayon"), {InputLeft, RowRayon, InputWidth, InputHeight});
    BtRayon = NewPictureButton(this, QStringLiteral("BtRayon"), QStringLiteral("BTBASERAYONS"),
                               {InputLeft + InputWidth + 6, RowRayon - 1},
                               QStringLiteral("Cliquez ici pour ajouter ou modifier un rayon"));
    LbRayonHint = NewHint(this, QStringLiteral("LbRayonHint"),
                          QStringLiteral("Le rayon est facultatif, appuyez sur la touche Suppr pour retirer la "
                                         "sélection courante"),
                          {InputLeft, RowRayon + InputHeight + 3});

    CbDontClose =
        NewCheckBox(this, QStringLiteral("CbDontClose"), QStringLiteral("Ne pas fermer la fenêtre après validation"),
                    {InputLeft, RowDontClose, InputWidth, 18});
    CbDontClose->setFocusPolicy(Qt::StrongFocus);
    LbDontCloseHint = NewHint(this, QStringLiteral("LbDontCloseHint"),
                              QStringLiteral("Cochez cette option pour ajouter rapidement plusieurs ingrédients à la "
                                             "suite\nAppuyez sur Entrée pour valider chaque ingrédient, et sur Echap "
                                             "lorsque vous avez terminé"),
                              {InputLeft, RowDontClose + 20});

    CbFixRayon = NewCheckBox(this, QStringLiteral("CbFixRayon"), QStringLiteral("Bloquer le rayon sélectionné"),
                             {InputLeft, RowFixRayon, InputWidth, 18});
    CbFixRayon->setFocusPolicy(Qt::StrongFocus);
    LbFixRayonHint = NewHint(this, QStringLiteral("LbFixRayonHint"),
                             QStringLiteral("Cochez cette option pour ajouter plusieurs ingrédients d'un même rayon"),
                             {InputLeft, RowFixRayon + 20});

    LbTabHint = NewHint(this, QStringLiteral("LbTabHint"),
                        QStringLiteral("Utilisez la touche Tab pour passer d'une zone de saisie à l'autre"),
                        {LabelLeft, ButtonsTop + 5});
    BtOk = NewButton(this, QStringLiteral("BtOk"), QStringLiteral("OK"),
                     {ClientWidth - 2 * ButtonWidth - 16, ButtonsTop, ButtonWidth, 24}, 0);
    BtOk->SetDefault(true);
    BtCancel = NewButton(this, QStringLiteral("BtCancel"), QStringLiteral("Annuler"),
                         {ClientWidth - ButtonWidth - 10, ButtonsTop, ButtonWidth, 24}, mrCancel);
    BtCancel->SetCancel(true);

    setTabOrder(EdName, ComboRayon);
    setTabOrder(ComboRayon, CbDontClose);
    setTabOrder(CbDontClose, CbFixRayon);
    setTabOrder(CbFixRayon, BtOk);
    setTabOrder(BtOk, BtCancel);
}

void TFormIngredient::ConnectEvents()
{
    TintOnFocus(EdName);
    TintOnFocus(ComboRayon);
    ClearOnDelete(ComboRayon);
    GuardedConnect(CbDontClose, &QCheckBox::toggled, this, [this](bool) { CbDontCloseClick(); });
    GuardedConnect(BtRayon, &TSevenButton::clicked, this, [this] { BtRayonClick(); });
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
}

// ---------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------

void TFormIngredient::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        SetUpOnShow(this, [this] { FormShow(); });
}

void TFormIngredient::FormShow()
{
    Wrap("TFormIngredient.FormShow", [&] {
        CbDontClose->setChecked(Mode == 0);
        CbDontClose->setEnabled(Mode == 0);
        CbFixRayon->setChecked(false);
        CbDontCloseClick();
        LoadFields();
    });
}

void TFormIngredient::LoadFields()
{
    Wrap("TFormIngredient.LoadFields", [&] {
        LoadRayon();
        EdName->setText(Mode == 0 ? QString() : Value(QStringLiteral("ingname")));
        EdName->setFocus(Qt::OtherFocusReason);
    });
}

void TFormIngredient::LoadRayon()
{
    Wrap("TFormIngredient.LoadRayon", [&] {
        // The shelf is kept by its code, not by its place in the list: a shelf added through
        // the shelf button moves the ones after it down.
        const int Kept = SelectedRayCode();
        int Wanted = 0;
        if (Mode == 1)
            Wanted = StrToIntDef(Value(QStringLiteral("raycode")), 0);
        else if (Mode == 0 && CbFixRayon->isChecked())
            Wanted = Kept;
        RayTable.reset();
        RayTable = LoadCombo(ComboRayon, QStringLiteral("select * from rayon order by name"), Wanted);
    });
}

int TFormIngredient::SelectedRayCode() const
{
    return SelectedCode(ComboRayon, RayTable.get());
}

QString TFormIngredient::Value(const QString &Name) const
{
    return Values ? Values->Values(Name) : QString();
}

// ---------------------------------------------------------------------------------------
// Event handlers
// ---------------------------------------------------------------------------------------

void TFormIngredient::CbDontCloseClick()
{
    CbFixRayon->setEnabled(CbDontClose->isChecked());
    BtCancel->SetCaption(CancelCaption(CbDontClose->isChecked()));
}

void TFormIngredient::BtRayonClick()
{
    Wrap("TFormIngredient.BtRayonClick", [&] {
        ShowRayonList();
        LoadRayon();
        ComboRayon->setFocus(Qt::OtherFocusReason);
    });
}

void TFormIngredient::BtOkClick()
{
    WrapWithUser("TFormIngredient.BtOkClick", "Assurez-vous que cet ingrédient n'existe pas déjà et réessayez.", [&] {
        if (!CheckFields())
            return;
        if (Mode == 0) {
            SqlInsert();
        } else if (Mode == 1 && !SqlUpdate()) {
            FormDialog->Show(IngredientGone, dtAlert, dbAuto);
            return;
        }
        if (OnDone)
            OnDone(EdName->text());
        if (CbDontClose->isChecked())
            LoadFields();
        else
            done(mrOk);
    });
}

bool TFormIngredient::CheckFields()
{
    return CheckName(EdName);
}

void TFormIngredient::SqlInsert()
{
    Wrap("TFormIngredient.SqlInsert", [&] {
        CurrentDatabase().AddParamText(":name", EdName->text());
        if (const int RayCode = SelectedRayCode())
            CurrentDatabase().AddParamInt(":raycode", RayCode);
        else
            CurrentDatabase().AddParamNull(":raycode");
        CurrentDatabase().ExecSQL(QStringLiteral("INSERT INTO %1 (name, raycode) VALUES (:name, :raycode)").arg(Table));
    });
}

bool TFormIngredient::SqlUpdate()
{
    return Wrap("TFormIngredient.SqlUpdate", [&] {
        CurrentDatabase().AddParamInt(":icode", StrToInt(Value(QStringLiteral("code"))));
        CurrentDatabase().AddParamText(":name", EdName->text());
        if (const int RayCode = SelectedRayCode())
            CurrentDatabase().AddParamInt(":raycode", RayCode);
        else
            CurrentDatabase().AddParamNull(":raycode");
        CurrentDatabase().ExecSQL(QStringLiteral("UPDATE %1 SET name=:name, raycode=:raycode WHERE code=:icode").arg(Table));
        return CurrentDatabase().Changes() > 0;
    });
}

void TFormIngredient::reject()
{
    done(mrCancel);
}

// ---------------------------------------------------------------------------------------
// The edit function
// ---------------------------------------------------------------------------------------

int ShowFormIngredient(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                       const TNameEvent &OnDone)
{
    return Wrap("ShowFormIngredient", [&] {
        TFormIngredient Form(ActiveParent());
        SetUpEditor(Form, Mode, Values, Table, Caption, OnDone);
        return Form.exec() == mrOk ? mrOk : mrCancel;
    });
}
