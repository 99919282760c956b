#include "UnitName.h"

#include "KVXStringList.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitIngredient.h"
#include "UnitLook.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace {

// The edited row was deleted meanwhile: the update changed nothing.
const QString NameGone =
    QStringLiteral("Ce nom n'existe plus dans la liste : il a été supprimé entre-temps. Rien n'a été enregistré.");
const char *const UserDuplicateName = "Assurez-vous que ce nom ne soit pas déjà utilisé et réessayez.";

// Places of the controls.
constexpr int InputLeft = 60;
constexpr int ButtonWidth = 101;
constexpr int ButtonHeight = 24;
constexpr int ButtonsTop = 64;
constexpr int RightMargin = 10;

} // namespace

TFormName::TFormName(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormName"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(InputFont());
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, Qt::white);
    setPalette(Palette);
    setAutoFillBackground(true);
    setFixedSize(ClientWidth, ClientHeight);

    CreateControls();
    ConnectEvents();
}

TFormName::~TFormName() = default;

void TFormName::CreateControls()
{
    Label1 = TableEditors::NewFieldLabel(this, QStringLiteral("Label1"), QStringLiteral("Nom :"), QPoint(10, 14), true);

    EdName = NewEdit(this, QStringLiteral("EdName"), QString(),
                     QRect(InputLeft, 10, ClientWidth - InputLeft - RightMargin, 21));
    EdName->setMaxLength(MaxNameLength);

    Label3 = TableEditors::NewHint(this, QStringLiteral("Label3"),
                                   QStringLiteral("Veuillez saisir un nom qui n'est pas déjà utilisé"),
                                   QPoint(InputLeft, 35));

    auto NewButton = [this](const QString &Name, const QString &Caption, int Left, int ModalResult) {
        TSevenButton *Button = TableEditors::NewButton(this, Name, Caption,
                                                       QRect(Left, ButtonsTop, ButtonWidth, ButtonHeight), ModalResult);
        Button->SetTabStop(false);
        return Button;
    };
    BtOk = NewButton(QStringLiteral("BtOk"), QStringLiteral("OK"), ClientWidth - RightMargin - 2 * ButtonWidth - 10, 0);
    BtOk->SetDefault(true);
    BtCancel = NewButton(QStringLiteral("BtCancel"), QStringLiteral("Annuler"), ClientWidth - RightMargin - ButtonWidth,
                         mrCancel);
    BtCancel->SetCancel(true);

    EdName->setFocus();
}

void TFormName::ConnectEvents()
{
    TintOnFocus(EdName);
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
}

void TFormName::LoadFields()
{
    Wrap("TFormName.LoadFields",
         [&] { EdName->setText(Mode != 0 && Values ? Values->Values(QStringLiteral("name")) : QString()); });
}

bool TFormName::CheckFields()
{
    // Blanks make a name: only a name without any character is refused.
    return TableEditors::CheckName(EdName);
}

void TFormName::SqlInsert()
{
    Wrap("TFormName.SqlInsert", [&] {
        CurrentDatabase().AddParamText(":name", EdName->text());
        CurrentDatabase().ExecSQL(QStringLiteral("INSERT INTO %1 (name) VALUES (:name)").arg(Table));
    });
}

bool TFormName::SqlUpdate()
{
    return Wrap("TFormName.SqlUpdate", [&] {
        const int Code = StrToInt(Values ? Values->Values(QStringLiteral("code")) : QString());
        CurrentDatabase().AddParamInt(":code", Code);
        CurrentDatabase().AddParamText(":name", EdName->text());
        CurrentDatabase().ExecSQL(QStringLiteral("UPDATE %1 SET name=:name WHERE code=:code").arg(Table));
        return CurrentDatabase().Changes() > 0;
    });
}

void TFormName::BtOkClick()
{
    WrapWithUser("TFormName.BtOkClick", UserDuplicateName, [&] {
        if (!CheckFields())
            return;
        if (Mode == 0) {
            SqlInsert();
        } else if (Mode == 1 && !SqlUpdate()) {
            FormDialog->Show(NameGone, dtAlert, dbAuto);
            return;
        }
        if (OnDone)
            OnDone(EdName->text());
        // The button closes the window once this handler is over; a failure above leaves it
        // open with the name, so that the user can correct it.
        setResult(mrOk);
    });
}

void TFormName::reject()
{
    done(mrCancel);
}

void TFormName::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    TableEditors::SetUpOnShow(this, [this] {
        LoadFields();
        EdName->setFocus(Qt::OtherFocusReason);
    });
}

namespace UnitName {

int ShowFormName(int Mode, TStringList *Values, const QString &Table, const QString &Caption, const TNameEvent &OnDone)
{
    return Wrap("ShowFormName", [&] {
        // Created on demand and freed on every way out, a failed modal loop included.
        auto Form = std::make_unique<TFormName>();
        TableEditors::SetUpEditor(*Form, Mode, Values, Table, Caption, OnDone);
        return Form->exec() == mrOk ? mrOk : mrCancel;
    });
}

} // namespace UnitName
