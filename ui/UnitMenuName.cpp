#include "UnitMenuName.h"

#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

TFormMenuName *FormMenuName = nullptr;

namespace {

constexpr int Margin = 12;
constexpr int EditLeft = 60;
constexpr int EditTop = 12;
constexpr int HintTop = 42;
constexpr int ButtonsTop = 78;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 24;

} // namespace

TFormMenuName::TFormMenuName(QWidget *Parent) : QDialog(Parent)
{
    SetUpWindow(this, QStringLiteral("FormMenuName"), FormWidth, FormHeight);
}

// The controls and the icon wait for the first showing or use: the prompt is created with the
// program, and most starts never ask for a name.
void TFormMenuName::CreateContent()
{
    if (EdName)
        return;
    CreateControls();
    ConnectEvents();
    Wrap("TFormMenuName.FormCreate",
         [&] { setWindowIcon(QIcon(LoadResourcePicture(QStringLiteral("icorename"), QSize(16, 16)))); });
}

void TFormMenuName::setVisible(bool Visible)
{
    if (Visible)
        Guard([this] { CreateContent(); });
    QDialog::setVisible(Visible);
}

TFormMenuName::~TFormMenuName()
{
    if (FormMenuName == this)
        FormMenuName = nullptr;
}

void TFormMenuName::CreateControls()
{
    Label1 =
        NewLabel(this, QStringLiteral("Label1"), QStringLiteral("Nom :"), QPoint(Margin, EditTop + 4), WindowFont());
    SetTextColor(Label1, RequiredLabelColor);
    EdName =
        NewEdit(this, QStringLiteral("EdName"), QString(), QRect(EditLeft, EditTop, FormWidth - EditLeft - Margin, 24));
    EdName->setMaxLength(MaxNameLength);
    Label3 =
        NewLabel(this, QStringLiteral("Label3"), QStringLiteral("Veuillez saisir un nom qui n'est pas déjà utilisé"),
                 QPoint(EditLeft, HintTop), PixelFont(QStringLiteral("Calibri"), 13, false, true));
    SetTextColor(Label3, WindowHintColor);

    auto NewButton = [this](const QString &Name, const QString &Caption, int Left, int ModalResult) {
        TSevenButton *Button = NewSevenButton(this, Name, Caption, QRect(Left, ButtonsTop, ButtonWidth, ButtonHeight));
        Button->SetModalResult(ModalResult);
        SetStateFonts(Button, WindowFont());
        return Button;
    };
    BtOk = NewButton(QStringLiteral("BtOk"), QStringLiteral("OK"), FormWidth - 2 * ButtonWidth - Margin - 8, 0);
    BtOk->SetDefault(true);
    BtCancel =
        NewButton(QStringLiteral("BtCancel"), QStringLiteral("Annuler"), FormWidth - ButtonWidth - Margin, mrCancel);
    BtCancel->SetCancel(true);
}

void TFormMenuName::ConnectEvents()
{
    TintOnFocus(EdName);
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
}

void TFormMenuName::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    Guard([&] { FormShow(); });
}

void TFormMenuName::FormShow()
{
    EdName->setFocus();
    EdName->selectAll();
}

void TFormMenuName::reject()
{
    done(mrCancel);
}

QString TFormMenuName::GetName() const
{
    return EdName ? EdName->text() : QString();
}

bool TFormMenuName::CheckName()
{
    CreateContent();
    if (!EdName->text().isEmpty())
        return true;
    FormDialog->Show(QStringLiteral("Veuillez saisir un nom et réessayez."), dtAlert, dbAuto);
    EdName->setFocus();
    return false;
}

void TFormMenuName::BtOkClick()
{
    if (CheckName())
        done(mrOk);
}

QString DuplicateNameText()
{
    return QStringLiteral("Assurez-vous que ce nom ne soit pas déjà utilisé et réessayez.");
}

bool ShowFormName(const QString &Caption, const QString &Name)
{
    return Wrap("ShowFormName", [&] {
        FormMenuName->setWindowTitle(Caption);
        FormMenuName->CreateContent();
        FormMenuName->EdName->setText(Name);
        return FormMenuName->exec() == mrOk;
    });
}
