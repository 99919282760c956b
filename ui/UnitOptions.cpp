#include "UnitOptions.h"

#include "IniFiles.h"
#include "KVXUtils.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitSync.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

TFormOptions *FormOptions = nullptr;

namespace {

constexpr const char *ContactColor = "#0000FF";
constexpr int Margin = 10;
constexpr int GroupWidth = TFormOptions::FormWidth - 2 * Margin;
constexpr int InputLeft = 130;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 24;

QFont HintFont()
{
    return PixelFont(QStringLiteral("Calibri"), 13, false, true);
}

// A hint in several lines, wrapped within Width.
QLabel *NewHint(QWidget *Parent, const QString &Name, const QString &Text, const QRect &Place)
{
    auto *Label = new QLabel(Text, Parent);
    Label->setObjectName(Name);
    Label->setFont(HintFont());
    Label->setWordWrap(true);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColor(Label, WindowHintColor);
    Label->setGeometry(Place);
    return Label;
}

QGroupBox *NewGroup(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place)
{
    auto *Group = new QGroupBox(Caption, Parent);
    Group->setObjectName(Name);
    Group->setFont(WindowFont());
    SetTextColor(Group, GridInfoColor);
    Group->setGeometry(Place);
    return Group;
}

QLabel *NewCaption(QWidget *Parent, const QString &Name, const QString &Caption, const QPoint &Place)
{
    QLabel *Label = NewLabel(Parent, Name, Caption, Place, WindowFont());
    SetTextColor(Label, GridInfoColor);
    return Label;
}

} // namespace

QString ContactAddress()
{
    return QStringLiteral(FENOLDA_CONTACT);
}

TFormOptions::TFormOptions(QWidget *Parent) : QDialog(Parent)
{
    SetUpWindow(this, QStringLiteral("FormOptions"), FormWidth, FormHeight);
    setWindowTitle(QStringLiteral("Options"));
}

// The controls wait for the first showing or use: the window is created with the program,
// and most starts never open it.
void TFormOptions::CreateContent()
{
    if (GroupRandom)
        return;
    CreateGroupHisto();
    CreateGroupSync();
    CreateBottom();
    ConnectEvents();
    Wrap("TFormOptions.FormCreate", [&] { LbContact->setText(ContactAddress()); });
}

void TFormOptions::setVisible(bool Visible)
{
    if (Visible)
        Guard([this] { CreateContent(); });
    QDialog::setVisible(Visible);
}

TFormOptions::~TFormOptions()
{
    if (FormOptions == this)
        FormOptions = nullptr;
}

void TFormOptions::CreateGroupHisto()
{
    GroupRandom = NewGroup(this, QStringLiteral("GroupRandom"), QStringLiteral("Historique"),
                           QRect(Margin, Margin, GroupWidth, 175));
    CbHisto = NewCheckBox(GroupRandom, QStringLiteral("CbHisto"), QStringLiteral("Activer l'historique"),
                          QRect(Margin, 24, 250, 18));
    SetTextColor(CbHisto, GridInfoColor);
    Label2 = NewCaption(GroupRandom, QStringLiteral("Label2"), QStringLiteral("Nombre de jours :"), QPoint(Margin, 54));
    EdDays = NewEdit(GroupRandom, QStringLiteral("EdDays"), QString(), QRect(InputLeft, 50, 40, 24));
    Label1 = NewCaption(GroupRandom, QStringLiteral("Label1"), QStringLiteral("(7 à 365)"), QPoint(InputLeft + 48, 54));
    Label9 = NewHint(GroupRandom, QStringLiteral("Label9"),
                     QStringLiteral("Cette option n'a d'effet que sur la génération aléatoire des menus. L'historique "
                                    "permet de ne pas proposer une recette qui a été utilisée il y a moins de X jours. "
                                    "Si la génération ne trouve pas de recette, essayez de réduire le nombre de jours, "
                                    "ou désactivez l'historique."),
                     QRect(Margin, 84, GroupWidth - 2 * Margin, 84));
}

void TFormOptions::CreateGroupSync()
{
    GroupBox1 = NewGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("Synchronisation"),
                         QRect(Margin, 195, GroupWidth, 345));
    Label3 = NewCaption(GroupBox1, QStringLiteral("Label3"), QStringLiteral("Adresse e-mail :"), QPoint(Margin, 28));
    EdEmail = NewEdit(GroupBox1, QStringLiteral("EdEmail"), QString(),
                      QRect(InputLeft, 24, GroupWidth - InputLeft - Margin, 24));
    Label6 = NewCaption(GroupBox1, QStringLiteral("Label6"), QStringLiteral("Clé API :"), QPoint(Margin, 58));
    EdApiKey = NewEdit(GroupBox1, QStringLiteral("EdApiKey"), QString(),
                       QRect(InputLeft, 54, GroupWidth - InputLeft - Margin, 24));
    CbSync = NewCheckBox(GroupBox1, QStringLiteral("CbSync"), QStringLiteral("Activer la synchronisation"),
                         QRect(Margin, 88, 250, 18));
    SetTextColor(CbSync, GridInfoColor);
    // Beside the switch, shown only when the build names no server to synchronise with.
    LbNoServer = NewHint(
        GroupBox1, QStringLiteral("LbNoServer"), QStringLiteral("Aucun serveur de synchronisation n'est configuré."),
        QRect(CbSync->geometry().right() + 6, 80, GroupWidth - CbSync->geometry().right() - 6 - Margin, 34));
    Label4 = NewHint(GroupBox1, QStringLiteral("Label4"),
                     QStringLiteral("La synchronisation des données avec le serveur vous permettra de gérer votre "
                                    "liste de courses directement sur votre smartphone avec l'application mobile "
                                    "Fenolda."),
                     QRect(Margin, 114, GroupWidth - 2 * Margin, 40));
    Label5 = NewHint(GroupBox1, QStringLiteral("Label5"),
                     QStringLiteral("Pour que la synchronisation fonctionne, vous devez demander une clé API valide "
                                    "auprès de l'auteur. Lorsque vous l'avez, entrez ci-dessus votre adresse e-mail et "
                                    "votre clé API."),
                     QRect(Margin, 158, GroupWidth - 2 * Margin, 58));
    BtEraseData =
        NewSevenButton(GroupBox1, QStringLiteral("BtEraseData"), QStringLiteral("Effacer les données du serveur"),
                       QRect(Margin, 222, 260, ButtonHeight));
    BtEraseData->SetTabStop(false);
    BtEraseData->Pictures()->SetAlignment(taLeftJustify);
    BtEraseData->SetAlignment(taLeftJustify);
    BtEraseData->Pictures()->SetPictureNormal(LoadResourcePicture(QStringLiteral("BtEraseData"), QSize(16, 16)));
    SetStateFonts(BtEraseData, WindowFont());
    Label7 = NewHint(GroupBox1, QStringLiteral("Label7"),
                     QStringLiteral("Cliquez sur ce bouton si vous rencontrez des problèmes de synchronisation "
                                    "lorsque vous enregistrez un menu. Les données effacées sont celles qui sont "
                                    "stockées sur le serveur, vous ne perdrez en aucun cas votre base de données "
                                    "locale avec toutes vos recettes."),
                     QRect(Margin, 254, GroupWidth - 2 * Margin, 84));
}

void TFormOptions::CreateBottom()
{
    const int Top = FormHeight - Margin - ButtonHeight - 40;
    LbContact = new QLabel(this);
    LbContact->setObjectName(QStringLiteral("LbContact"));
    LbContact->setFont(InputFont());
    SetTextColor(LbContact, HtmlColor(ContactColor));
    LbContact->setCursor(Qt::PointingHandCursor);
    LbContact->setGeometry(Margin, Top, 300, 20);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(LoadResourcePicture(QStringLiteral("ImgCopy"), QSize(16, 16)));
    Image1->setToolTip(QStringLiteral("Copier"));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setGeometry(Margin + LbContact->fontMetrics().horizontalAdvance(ContactAddress()) + 8, Top + 2, 16, 16);

    auto NewButton = [this](const QString &Name, const QString &Caption, int Left, int ModalResult) {
        TSevenButton *Button = NewSevenButton(
            this, Name, Caption, QRect(Left, FormHeight - Margin - ButtonHeight, ButtonWidth, ButtonHeight));
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

void TFormOptions::ConnectEvents()
{
    for (QLineEdit *Edit : {EdDays, EdEmail, EdApiKey})
        TintOnFocus(Edit);
    LbContact->installEventFilter(this);
    Image1->installEventFilter(this);
    GuardedConnect(BtOk, &TSevenButton::clicked, this, [this] { BtOkClick(); });
    GuardedConnect(BtEraseData, &TSevenButton::clicked, this, [this] { BtEraseDataClick(); });
}

bool TFormOptions::eventFilter(QObject *Watched, QEvent *Event)
{
    const bool Released =
        Event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton;
    if (Watched == LbContact) {
        if (Released)
            Guard([&] { LbContactClick(); });
    } else if (Watched == Image1) {
        if (Released)
            Guard([&] { Image1Click(); });
    }
    return QDialog::eventFilter(Watched, Event);
}

void TFormOptions::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        Guard([&] { Wrap("TFormOptions.FormShow", [&] { LoadOptions(); }); });
}

void TFormOptions::reject()
{
    done(mrCancel);
}

void TFormOptions::LoadOptions()
{
    CreateContent();
    CbHisto->setChecked(Config->GetHistoEnabled());
    EdDays->setText(QString::number(Config->GetHistoDays()));
    CbSync->setChecked(Config->GetSyncEnabled());
    const bool HasServer = !WebApiAddress().isEmpty();
    CbSync->setEnabled(HasServer);
    BtEraseData->setEnabled(HasServer);
    LbNoServer->setVisible(!HasServer);
    EdEmail->setText(Config->GetSyncEmail());
    EdApiKey->setText(Config->GetSyncApiKey());
}

void TFormOptions::SaveOptions()
{
    CreateContent();
    Config->SetHistoEnabled(CbHisto->isChecked());
    Config->SetHistoDays(int(KVXEnsureRange(StrToIntDef(EdDays->text(), MinHistoDays), MinHistoDays, MaxHistoDays)));
    // A switch the user could not change records no choice of theirs.
    if (CbSync->isEnabled())
        Config->SetSyncEnabled(CbSync->isChecked());
    Config->SetSyncEmail(EdEmail->text());
    Config->SetSyncApiKey(EdApiKey->text());
    done(mrOk);
}

void TFormOptions::BtOkClick()
{
    Wrap("TFormOptions.BtOkClick", [&] {
        try {
            SaveOptions();
        } catch (const EIniFileException &E) {
            throw UserException::CreateUser(
                AddFileFailureReason(
                    Format(QStringLiteral("Impossible d'enregistrer les options dans le fichier \"%s\"."),
                           {E.FileName}),
                    E),
                &E);
        }
    });
}

void TFormOptions::BtEraseDataClick()
{
    SlimApi->Erase();
    FormDialog->Show(QStringLiteral("Vos données ont bien été effacées du serveur."), dtInfo, dbAuto);
}

void TFormOptions::LbContactClick()
{
    OpenDocument(QStringLiteral("mailto:") + ContactAddress());
}

void TFormOptions::Image1Click()
{
    QGuiApplication::clipboard()->setText(ContactAddress());
}
