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

const QString MsgEmptyName = QStringLiteral("Veuillez saisir un nom et réessayez.");
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

    auto NewButton = [this](const QString &Name, const QString &Caption, int Left) {
        auto *Button = new TSevenButton(this);
        Button->setObjectName(Name);
        Button->SetCaption(Caption);
        Button->setFont(WindowFont());
        Button->setGeometry(Left, ButtonsTop, ButtonWidth, ButtonHeight);
        Button->SetTabStop(false);
        SetStateFonts(Button, WindowFont());
        return Button;
    };
    BtOk = NewButton(QStringLiteral("BtOk"), QStringLiteral("OK"), ClientWidth - RightMargin - 2 * ButtonWidth - 10);
    BtOk->SetDefault(true);
    BtCancel =
        NewButton(QStringLiteral("BtCancel"), QStringLiteral("Annuler"), ClientWidth - RightMargin - ButtonWidth);
    BtCancel->SetCancel(true);
    BtCancel->SetModalResult(mrCancel);

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
    if (!EdName->text().isEmpty())
        return true;
    FormDialog->Show(MsgEmptyName, dtAlert, dbAuto);
    EdName->setFocus();
    return false;
}

void TFormName::SqlInsert()
{
    Wrap("TFormName.SqlInsert", [&] {
        Database->AddParamText(":name", EdName->text());
        Database->ExecSQL(QStringLiteral("INSERT INTO %1 (name) VALUES (:name)").arg(Table));
    });
}

void TFormName::SqlUpdate()
{
    Wrap("TFormName.SqlUpdate", [&] {
        const int Code = StrToInt(Values ? Values->Values(QStringLiteral("code")) : QString());
        Database->AddParamInt(":code", Code);
        Database->AddParamText(":name", EdName->text());
        Database->ExecSQL(QStringLiteral("UPDATE %1 SET name=:name WHERE code=:code").arg(Table));
    });
}

void TFormName::BtOkClick()
{
    WrapWithUser("TFormName.BtOkClick", UserDuplicateName, [&] {
        if (!CheckFields())
            return;
        if (!Database)
            throw Exception(QStringLiteral("Database is not open"));
        if (Mode == 0)
            SqlInsert();
        else if (Mode == 1)
            SqlUpdate();
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
    Guard([this] {
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
        Form->Mode = Mode;
        Form->Values = Values;
        Form->Table = Table;
        Form->setWindowTitle(Caption);
        Form->OnDone = OnDone;
        LoadTableIcon(Form.get(), Table);
        return Form->exec() == mrOk ? mrOk : mrCancel;
    });
}

} // namespace UnitName
