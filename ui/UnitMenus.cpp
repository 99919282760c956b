#include "UnitMenus.h"

#include "DrawGrid.h"
#include "KVXConversion.h"
#include "KVXFiles.h"
#include "KVXUtils.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitCheckVersion.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitCourses.h"
#include "UnitDatabase.h"
#include "UnitDb3.h"
#include "UnitDialog.h"
#include "UnitEditRecette.h"
#include "UnitFormCall.h"
#include "UnitGraphicsQt.h"
#include "UnitHttp.h"
#include "UnitLook.h"
#include "UnitOptions.h"
#include "UnitRecette.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"
#include "UnitVersionCheck.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TFormMenus *FormMenus = nullptr;

namespace {

// The window's designed outer size is 850 x 700; Qt sizes the client area, which a desktop
// frame (8 pixels on each side, a 22-pixel title bar) makes that much smaller.
constexpr int ClientWidth = 850 - 16;
constexpr int ClientHeight = 700 - 38;
constexpr int PanelRightWidth = 195;
constexpr int Panel4Height = 21;
constexpr int ButtonHeight = 24;
constexpr int StatusPanel0Width = 700;
// Drag of a recipe: the pointer must move this far with the button held.
constexpr int DragThreshold = 10;
// Largest shift of the days, either way.
constexpr int MaxShiftDays = 365;

// The message box's font, given to it at the window's first show.
constexpr int DialogFontSize = 10;

const QString ArialName = QLatin1String(FontArial);
const QString VerdanaName = QLatin1String(FontVerdana);
const QString CalibriName = QLatin1String(FontCalibri);

TSevenButton *NewButton(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place,
                        const QString &Hint = QString())
{
    TSevenButton *Button = NewSevenButton(Parent, Name, Caption, Place);
    Button->SetTabStop(false);
    Button->Pictures()->SetAlignment(taLeftJustify);
    // The captions line up after their pictures, so that none runs into its picture.
    Button->SetAlignment(taLeftJustify);
    Button->Pictures()->SetPictureNormal(LoadResourcePicture(Name, QSize(16, 16)));
    if (!Hint.isEmpty())
        Button->setToolTip(Hint);
    return Button;
}

QRect ButtonPlace(int Left, int Top, int Width = 165)
{
    return QRect(Left, Top, Width, ButtonHeight);
}

QGroupBox *NewGroup(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place)
{
    auto *Group = new QGroupBox(Caption, Parent);
    Group->setObjectName(Name);
    Group->setGeometry(Place);
    Group->setFont(PixelFont(VerdanaName, 13));
    SetTextColor(Group, GridInfoColor);
    return Group;
}

// The narrowest the date picker's font may become to fit a long date.
constexpr int MinDateStretch = 70;

// The picker's font for the date it shows: narrowed only as much as a long date needs to fit
// its text field whole, so that the field keeps its designed width and never scrolls the date
// out of sight, while short dates keep the plain font.
void FitDateText(QDateEdit *Edit)
{
    // The text field's inner margins and its cursor.
    constexpr int TextMargins = 2 * 2 + 2;
    QStyleOptionSpinBox Option;
    Option.initFrom(Edit);
    Option.frame = true;
    Option.subControls = QStyle::SC_SpinBoxEditField;
    const int Room =
        Edit->style()->subControlRect(QStyle::CC_SpinBox, &Option, QStyle::SC_SpinBoxEditField, Edit).width() -
        TextMargins;
    const QString Text = Edit->text();
    QFont Font = Edit->font();
    Font.setStretch(QFont::Unstretched);
    const int Width = QFontMetrics(Font).horizontalAdvance(Text);
    if (Width > Room) {
        // Widths scale with the stretch but round per glyph: narrow a step further while
        // the first guess is still a pixel too wide.
        int Stretch = std::max(MinDateStretch, Room * 100 / Width);
        Font.setStretch(Stretch);
        while (Stretch > MinDateStretch && QFontMetrics(Font).horizontalAdvance(Text) > Room)
            Font.setStretch(--Stretch);
    }
    if (Font != Edit->font())
        Edit->setFont(Font);
}

} // namespace

QString ClosingRequest()
{
    const QString LogName = Config ? QFileInfo(Config->LogFileName).fileName() : QStringLiteral("fenolda.log");
    return QStringLiteral("\r\nSi le problème persiste, veuillez contacter l'auteur à l'adresse ") +
           QStringLiteral(FENOLDA_CONTACT) + QStringLiteral(" et envoyez-lui votre fichier \"") + LogName +
           QStringLiteral("\".");
}

TFormMenus::TFormMenus(QWidget *Parent) : QMainWindow(Parent), Menu(std::make_unique<TRecetteList>())
{
    SetExceptionHandler([this](const std::exception &E) { AppEventsException(E); });
    CreateControls();
    ConnectEvents();
    // A failure here reaches the error box, which does not exist yet: it waits for it, and
    // the window is shown all the same.
    try {
        FormCreate();
    } catch (const std::exception &E) {
        AppEventsException(E);
    }
}

TFormMenus::~TFormMenus()
{
    // The grid outlives this body (it is a child): it must not call back into a window
    // being destroyed.
    GridMenus->ClearHandlers();
    SetExceptionHandler({});
    FVersionCheck.reset();
    try {
        FormDestroy();
    } catch (const std::exception &E) {
        // Nothing is left to show an error in.
        qWarning("%s", E.what());
    }
    if (FormMenus == this)
        FormMenus = nullptr;
}

void TFormMenus::FormDestroy()
{
    Wrap("TFormMenus.FormDestroy", [&] {
        for (QPixmap &Icon : Icons)
            Icon = QPixmap();
        Db3File.reset();
        if (FormCourses && FormCourses->Menu == Menu.get())
            FormCourses->Menu = nullptr;
        Menu.reset();
        FreeDatabase();
    });
}

// ---- layout -------------------------------------------------------------------------------

void TFormMenus::CreateControls()
{
    setObjectName(QStringLiteral("FormMenus"));
    setWindowTitle(QStringLiteral("Fenolda"));
    setFont(PixelFont(ArialName, 13));
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, Qt::white);
    Palette.setColor(QPalette::Base, Qt::white);
    setPalette(Palette);
    setAutoFillBackground(true);
    setMinimumSize(ClientWidth, ClientHeight);
    resize(ClientWidth, ClientHeight);
    if (const QScreen *Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));

    auto *Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);
    auto *ClientLayout = new QHBoxLayout(Client);
    ClientLayout->setContentsMargins(0, 0, 0, 0);
    ClientLayout->setSpacing(0);

    Panel3 = new QWidget(Client);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto *Panel3Layout = new QVBoxLayout(Panel3);
    Panel3Layout->setContentsMargins(0, 0, 0, 0);
    Panel3Layout->setSpacing(0);

    Panel4 = new QWidget(Panel3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedHeight(Panel4Height);
    Label8 = new QLabel(QStringLiteral("Menu de la semaine"), Panel4);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setFont(PixelFont(VerdanaName, 13, true));
    SetTextColor(Label8, GridInfoColor);
    Label8->adjustSize();
    Label8->move(5, 3);
    Label9 = new QLabel(QStringLiteral("Cliquez droit sur la liste pour gérer vos recettes"), Panel4);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(PixelFont(CalibriName, 13, false, true));
    SetTextColor(Label9, WindowHintColor);
    Label9->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *Panel4Layout = new QHBoxLayout(Panel4);
    Panel4Layout->setContentsMargins(0, 0, 0, 0);
    Panel4Layout->addStretch(1);
    Panel4Layout->addWidget(Label9, 0, Qt::AlignRight | Qt::AlignTop);
    Panel3Layout->addWidget(Panel4);

    Shape1 = NewGreyLine(Panel3, QStringLiteral("Shape1"), QRect());
    Shape1->setFixedHeight(1);
    Panel3Layout->addWidget(Shape1);

    auto *GridRow = new QHBoxLayout;
    GridRow->setContentsMargins(0, 0, 0, 0);
    GridRow->setSpacing(0);
    GridMenus = new TDrawGrid(Panel3);
    GridMenus->setObjectName(QStringLiteral("GridMenus"));
    GridRow->addWidget(GridMenus, 1);
    Shape2 = NewGreyLine(Panel3, QStringLiteral("Shape2"), QRect());
    Shape2->setFixedWidth(1);
    GridRow->addWidget(Shape2);
    Panel3Layout->addLayout(GridRow, 1);
    ClientLayout->addWidget(Panel3, 1);

    CreatePanelRight();
    ClientLayout->addWidget(PanelRight);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(QStringLiteral("*"), StatusBar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(StatusPanel0Width);
    StatusPanel1 = new QLabel(StatusBar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusBar->addWidget(StatusPanel0);
    StatusBar->addWidget(StatusPanel1, 1);
    setStatusBar(StatusBar);

    CreatePopupGrid();
}

void TFormMenus::CreatePanelRight()
{
    PanelRight = new QWidget(centralWidget());
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    PanelRight->setFixedWidth(PanelRightWidth);

    GroupBox1 = NewGroup(PanelRight, QStringLiteral("GroupBox1"), QStringLiteral("Fichier"), QRect(5, 14, 185, 172));
    BtNewList = NewButton(GroupBox1, QStringLiteral("BtNewList"), QStringLiteral("Nouveau"), ButtonPlace(10, 20));
    BtOpenList = NewButton(GroupBox1, QStringLiteral("BtOpenList"), QStringLiteral("Ouvrir"), ButtonPlace(10, 50));
    BtSaveList = NewButton(GroupBox1, QStringLiteral("BtSaveList"), QStringLiteral("Enregistrer"), ButtonPlace(10, 80));
    BtSaveAs =
        NewButton(GroupBox1, QStringLiteral("BtSaveAs"), QStringLiteral("Enregistrer sous"), ButtonPlace(10, 110));
    BtCourses =
        NewButton(GroupBox1, QStringLiteral("BtCourses"), QStringLiteral("Liste de courses"), ButtonPlace(10, 140));
    QFont Bold = BtCourses->font();
    Bold.setBold(true);
    BtCourses->setFont(Bold);

    GroupRandom =
        NewGroup(PanelRight, QStringLiteral("GroupRandom"), QStringLiteral("Menu aléatoire"), QRect(5, 190, 185, 201));
    Label1 = NewLabel(GroupRandom, QStringLiteral("Label1"), QStringLiteral("Nombre de jours :"), QPoint(10, 24));
    EdDays = NewEdit(GroupRandom, QStringLiteral("EdDays"), QStringLiteral("5"), QRect(145, 20, 30, 24));
    Label2 = NewLabel(GroupRandom, QStringLiteral("Label2"), QStringLiteral("Personnes :"), QPoint(10, 49));
    EdPers = NewEdit(GroupRandom, QStringLiteral("EdPers"), QStringLiteral("2"), QRect(145, 45, 30, 24));
    EdStartDate = new QDateEdit(GroupRandom);
    EdStartDate->setObjectName(QStringLiteral("EdStartDate"));
    EdStartDate->setGeometry(10, 75, 165, 24);
    // Arial like the other inputs; FitDateText narrows it for a date that would not fit.
    EdStartDate->setFont(PixelFont(ArialName, 13));
    SetTextColor(EdStartDate, Qt::black);
    EdStartDate->setLocale(UserLocale());
    EdStartDate->setDisplayFormat(QStringLiteral("dddd d MMMM yyyy"));
    EdStartDate->setCalendarPopup(true);
    CbMidi = NewCheckBox(GroupRandom, QStringLiteral("CbMidi"), QStringLiteral("midi"), QRect(10, 103, 58, 17));
    CbSoir = NewCheckBox(GroupRandom, QStringLiteral("CbSoir"), QStringLiteral("soir"), QRect(70, 103, 58, 17));
    CbEntree = NewCheckBox(GroupRandom, QStringLiteral("CbEntree"), QStringLiteral("entrée"), QRect(10, 123, 58, 17));
    CbPlat = NewCheckBox(GroupRandom, QStringLiteral("CbPlat"), QStringLiteral("plat"), QRect(70, 123, 44, 17));
    CbDessert =
        NewCheckBox(GroupRandom, QStringLiteral("CbDessert"), QStringLiteral("dessert"), QRect(115, 123, 68, 17));
    CbSaison = NewCheckBox(GroupRandom, QStringLiteral("CbSaison"), QStringLiteral("Tenir compte de la saison"),
                           QRect(10, 143, 171, 17));
    CbSaison->setChecked(true);
    BtGenerate =
        NewButton(GroupRandom, QStringLiteral("BtGenerate"), QStringLiteral("Générer le menu"), ButtonPlace(10, 169));
    BtGenerate->setEnabled(false);
    setTabOrder(EdDays, EdPers);
    setTabOrder(EdPers, EdStartDate);

    GroupBox2 =
        NewGroup(PanelRight, QStringLiteral("GroupBox2"), QStringLiteral("Base de données"), QRect(5, 395, 185, 202));
    BtBaseRecettes = NewButton(GroupBox2, QStringLiteral("BtBaseRecettes"), QStringLiteral("Recettes"),
                               ButtonPlace(10, 20), QStringLiteral("Cliquez ici pour gérer vos recettes"));
    BtBaseIngredients = NewButton(GroupBox2, QStringLiteral("BtBaseIngredients"), QStringLiteral("Ingrédients"),
                                  ButtonPlace(10, 50), QStringLiteral("Cliquez ici pour gérer vos ingrédients"));
    BtBaseRayons = NewButton(GroupBox2, QStringLiteral("BtBaseRayons"), QStringLiteral("Rayons en magasin"),
                             ButtonPlace(10, 80), QStringLiteral("Cliquez ici pour gérer vos rayons"));
    BtBaseLivres = NewButton(GroupBox2, QStringLiteral("BtBaseLivres"), QStringLiteral("Livres de cuisine"),
                             ButtonPlace(10, 110), QStringLiteral("Cliquez ici pour gérer vos livres"));
    BtBaseUnites = NewButton(GroupBox2, QStringLiteral("BtBaseUnites"), QStringLiteral("Unités de mesure"),
                             ButtonPlace(10, 140), QStringLiteral("Cliquez ici pour gérer vos unités"));
    BtBaseBackup =
        NewButton(GroupBox2, QStringLiteral("BtBaseBackup"), QStringLiteral("Sauvegarder"), ButtonPlace(10, 170),
                  QStringLiteral("Cliquez ici pour créer une copie de sauvegarde de la base"));

    BtOptions = NewButton(PanelRight, QStringLiteral("BtOptions"), QStringLiteral("Options"), ButtonPlace(15, 610, 96));
    BtOptions->setFont(PixelFont(VerdanaName, 13));

    ImgUpdate = new QLabel(PanelRight);
    ImgUpdate->setObjectName(QStringLiteral("ImgUpdate"));
    ImgUpdate->setGeometry(173, 623, 18, 18);
    ImgUpdate->setPixmap(LoadResourcePicture(QStringLiteral("ImgUpdate"), QSize(18, 18)));
    ImgUpdate->setCursor(Qt::PointingHandCursor);
    ImgUpdate->setToolTip(QStringLiteral("Nouvelle version disponible !"));
    ImgUpdate->setVisible(false);
}

void TFormMenus::CreatePopupGrid()
{
    PopupGrid = new QMenu(this);
    PopupGrid->setObjectName(QStringLiteral("PopupGrid"));
    auto Item = [this](const QString &Name, const QString &Caption) {
        QAction *Action = PopupGrid->addAction(Caption);
        Action->setObjectName(Name);
        return Action;
    };
    auto Separator = [this](const QString &Name) {
        QAction *Action = PopupGrid->addSeparator();
        Action->setObjectName(Name);
        return Action;
    };
    // Hidden items leave no two separators one under the other, and none at either end.
    PopupGrid->setSeparatorsCollapsible(true);
    MenuAdd = Item(QStringLiteral("MenuAdd"), QStringLiteral("Ajouter une recette"));
    MenuShift = Item(QStringLiteral("MenuShift"), QStringLiteral("Décaler les recettes"));
    N2 = Separator(QStringLiteral("N2"));
    MenuEdit = Item(QStringLiteral("MenuEdit"), QStringLiteral("Modifier les propriétés"));
    MenuChange = Item(QStringLiteral("MenuChange"), QStringLiteral("Remplacer avec une autre recette"));
    MenuOpen = Item(QStringLiteral("MenuOpen"), QStringLiteral("Ouvrir la fiche"));
    N1 = Separator(QStringLiteral("N1"));
    MenuDelete = Item(QStringLiteral("MenuDelete"), QStringLiteral("Supprimer la recette"));
    MenuClear = Item(QStringLiteral("MenuClear"), QStringLiteral("Tout supprimer"));
}

void TFormMenus::ConnectEvents()
{
    GridMenus->OnMeasureRow = [this](int Row) { return Row < Menu->Count() ? MenuRowHeight(*Menu, Row) : 1; };
    GridMenus->OnDrawCell = [this](QPainter &Painter, int Row, const QRect &Rect) {
        GridMenusDrawCell(Painter, Row, Rect);
    };
    GridMenus->OnMouseDown = [this](Qt::MouseButton Button, Qt::MouseButtons Buttons, const QPoint &Pos) {
        GridMenusMouseDown(Button, Buttons, Pos);
    };
    GridMenus->OnMouseMove = [this](const QPoint &Pos) { GridMenusMouseMove(Pos); };
    GridMenus->OnClick = [this] { GridMenusClick(); };
    GridMenus->OnDblClick = [this] { GridMenusDblClick(); };
    GridMenus->OnDragOver = [this](const QPoint &Pos) { return GridMenusDragOver(Pos); };
    GridMenus->OnDragDrop = [this](const QPoint &Pos) { GridMenusDragDrop(Pos); };
    GridMenus->OnContextPopup = [this](const QPoint &Pos, bool FromMouse, const QPoint &GlobalPos) {
        GridMenusContextPopup(Pos, FromMouse, GlobalPos);
    };

    auto OnClick = [this](TSevenButton *Button, void (TFormMenus::*Handler)()) {
        GuardedConnect(Button, &TSevenButton::clicked, this, [this, Handler] { (this->*Handler)(); });
    };
    OnClick(BtGenerate, &TFormMenus::BtGenerateClick);
    OnClick(BtCourses, &TFormMenus::BtCoursesClick);
    OnClick(BtBaseRecettes, &TFormMenus::BtBaseRecettesClick);
    OnClick(BtBaseIngredients, &TFormMenus::BtBaseIngredientsClick);
    OnClick(BtBaseRayons, &TFormMenus::BtBaseRayonsClick);
    OnClick(BtBaseLivres, &TFormMenus::BtBaseLivresClick);
    OnClick(BtBaseUnites, &TFormMenus::BtBaseUnitesClick);
    OnClick(BtOptions, &TFormMenus::BtOptionsClick);

    for (QCheckBox *Box : {CbMidi, CbSoir, CbEntree, CbPlat, CbDessert, CbSaison})
        GuardedConnect(Box, &QCheckBox::clicked, this, [this] { CbMidiClick(); });
    GuardedConnect(EdStartDate, &QDateEdit::dateChanged, this, [this] { FitDateText(EdStartDate); });
    for (QWidget *Input : std::initializer_list<QWidget *>{EdDays, EdPers, EdStartDate})
        Input->installEventFilter(this);
    ImgUpdate->installEventFilter(this);

    auto OnTriggered = [this](QAction *Action, void (TFormMenus::*Handler)()) {
        GuardedConnect(Action, &QAction::triggered, this, [this, Handler] { (this->*Handler)(); });
    };
    OnTriggered(MenuAdd, &TFormMenus::MenuAddClick);
    OnTriggered(MenuShift, &TFormMenus::MenuShiftClick);
    OnTriggered(MenuEdit, &TFormMenus::MenuEditClick);
    OnTriggered(MenuChange, &TFormMenus::MenuChangeClick);
    OnTriggered(MenuOpen, &TFormMenus::MenuOpenClick);
    OnTriggered(MenuDelete, &TFormMenus::MenuDeleteClick);
    OnTriggered(MenuClear, &TFormMenus::MenuClearClick);
    ConnectFileEvents();
}

// ---- the window's life ----------------------------------------------------------------------

void TFormMenus::FormCreate()
{
    Wrap("TFormMenus.FormCreate", [&] {
        SetFileName(QString());
        SetMenuCode(0, QString());
        SavePreset.Directory = OpenPreset.Directory = Config->SaveDir;
        DblClicked = false;
        StatusPanel1->setText(QStringLiteral("version ") + Config->Version);
        Db3File = std::make_unique<TDb3File>(Config->ExePath);
        // The version check waits for the window to be shown (StartVersionCheck).
        ImgUpdate->setVisible(false);
    });
}

void TFormMenus::LoadImages()
{
    Wrap("TFormMenus.LoadImages", [&] {
        for (int I = 0; I < giCount; ++I) {
            const TGridIconResource &Resource = GridIconResources[I];
            Icons[std::size_t(I)] =
                LoadResourcePicture(QString::fromLatin1(Resource.Name), QSize(Resource.Width, Resource.Height));
        }
    });
}

void TFormMenus::showEvent(QShowEvent *Event)
{
    QMainWindow::showEvent(Event);
    if (!Event->spontaneous())
        Guard([&] { FormShow(); });
}

void TFormMenus::FormShow()
{
    Wrap("TFormMenus.FormShow", [&] {
        if (FormDialog) {
            FormDialog->SetColor(clWhite);
            FormDialog->SetFont(VerdanaName, DialogFontSize, clBlack);
        }
        ShowPendingErrors();
        EdStartDate->setDate(DateTimeToQDate(Today()));
        Menu->Clear();
        GridMenus->SetRowCount(Menu->Count());
        if (FormCourses)
            FormCourses->Menu = Menu.get();
        PrepareBackupDialog();
        OpenDatabase();
    });
    // Once the window is on screen: a slow or silent network never holds it back.
    if (!FVersionCheck)
        QTimer::singleShot(0, this, [this] { Guard([this] { StartVersionCheck(); }); });
}

void TFormMenus::StartVersionCheck()
{
    // Without a web site named by the build there is nothing to ask, and nothing to log.
    if (FVersionCheck || WebSiteAddress().isEmpty())
        return;
    FVersionCheck = std::make_unique<TVersionCheck>(
        this, Config->Version, WebSiteAddress(),
        [this](const QString &Url, const QString &Failure) { VersionChecked(Url, Failure); });
}

void TFormMenus::VersionChecked(const QString &Url, const QString &Failure)
{
    if (!Failure.isEmpty())
        LogCheckVersionFailure(Failure);
    UpdateUrl = Url;
    ImgUpdate->setVisible(!UpdateUrl.isEmpty());
}

void TFormMenus::OpenDatabase()
{
    if (!Db3File)
        throw Exception(QStringLiteral("The database file object was not created"));
    Db3File->OpenOrCreate();
    Db3File->Update();
    Db3File->DeletePlaceholders();
}

void TFormMenus::closeEvent(QCloseEvent *Event)
{
    bool CanClose = false;
    Guard([&] { CanClose = FormCloseQuery(); });
    if (CanClose)
        Event->accept();
    else
        Event->ignore();
}

bool TFormMenus::eventFilter(QObject *Watched, QEvent *Event)
{
    // Tab leaves the date picker at once instead of walking through its day, month and year.
    if (Watched == EdStartDate && Event->type() == QEvent::KeyPress) {
        const auto *Key = static_cast<QKeyEvent *>(Event);
        const bool Tab = Key->key() == Qt::Key_Tab && !(Key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const bool Backtab = Key->key() == Qt::Key_Backtab;
        if (Tab || Backtab) {
            focusNextPrevChild(Tab && !(Key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    if (Watched == ImgUpdate) {
        if (Event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton)
            Guard([&] { ImgUpdateClick(); });
    } else if (auto *Input = qobject_cast<QWidget *>(Watched)) {
        if (Event->type() == QEvent::FocusIn)
            Guard([&] { EdDaysEnter(Input); });
        else if (Event->type() == QEvent::FocusOut)
            Guard([&] { EdDaysExit(Input); });
    }
    return QMainWindow::eventFilter(Watched, Event);
}

int TFormMenus::GetPersons() const
{
    return PersonsOf(EdPers->text());
}

void TFormMenus::CbMidiClick()
{
    BtGenerate->setEnabled((CbMidi->isChecked() || CbSoir->isChecked()) &&
                           (CbEntree->isChecked() || CbPlat->isChecked() || CbDessert->isChecked()));
}

void TFormMenus::EdDaysEnter(QWidget *Sender)
{
    SetControlHighlight(Sender, true);
}

void TFormMenus::EdDaysExit(QWidget *Sender)
{
    SetControlHighlight(Sender, false);
}

void TFormMenus::ImgUpdateClick()
{
    OpenDocument(UpdateUrl);
}

// ---- current menu, backup and error box -------------------------------------------------------

void TFormMenus::AppEventsException(const std::exception &E)
{
    const QString Message = ExceptionMessage(E);
    // A log that cannot be written must not keep the user from seeing the error.
    WriteLogQuietly(Message, QStringLiteral("TFormMenus.AppEventsException"));
    const auto *User = dynamic_cast<const UserException *>(&E);
    QString Text = User ? User->UserMessage : Message;
    // A file that could not be written is named in French even when no routine wrapped it.
    if (!User && dynamic_cast<const EFileWriteError *>(&E))
        Text = UserException::Create(QString(), E).UserMessage;
    PendingErrors.append(Text + ClosingRequest());
    ShowPendingErrors();
}

void TFormMenus::ShowPendingErrors()
{
    // Before the message box exists, or while it is open with another message, the errors
    // wait: the box cannot be shown twice at once.
    if (!FormDialog || FormDialog->isVisible() || FShowingErrors)
        return;
    const QScopedValueRollback<bool> Showing(FShowingErrors, true);
    while (!PendingErrors.isEmpty())
        FormDialog->Show(PendingErrors.takeFirst(), dtError, dbAuto);
}

// ---- the menu grid --------------------------------------------------------------------------

void TFormMenus::RefreshGrid(bool Reset)
{
    Wrap("TFormMenus.RefreshGrid", [&] {
        const int Selected = GridMenus->Row();
        // The rows under a resting pointer are no longer those it pointed at: nothing is
        // hovered until it moves again.
        HoverRow = -1;
        GridMenus->Tag = 0;
        GridMenus->SetCursorShape(Qt::ArrowCursor);
        GridMenus->SetRowCount(Menu->Count());
        if (Menu->Count() > 0)
            GridMenus->SetRow(Reset ? 0 : std::min(Selected, Menu->Count() - 1));
        GridMenus->setFocus();
    });
}

void TFormMenus::GridMenusDrawCell(QPainter &Painter, int Row, const QRect &Rect)
{
    Wrap("TFormMenus.GridMenusDrawCell", [&] {
        if (Row >= Menu->Count())
            return;
        // The row icons are rendered for the first row drawn: the grid is empty at start-up.
        if (Icons.front().isNull())
            LoadImages();
        PaintMenuRow(Painter, *Menu, Row, Rect, Icons);
    });
}

void TFormMenus::GridMenusMouseDown(Qt::MouseButton Button, Qt::MouseButtons Buttons, const QPoint &Pos)
{
    Wrap("TFormMenus.GridMenusMouseDown", [&] {
        if (DblClicked) {
            DblClicked = false;
            return;
        }
        if (Menu->Count() == 0 || Button == Qt::RightButton || (Buttons & Qt::RightButton))
            return;
        const int Row = GridMenus->RowAt(Pos);
        if (Row >= 0 && Row < Menu->Count() && Menu->GetLineType(Row) == TRecetteList::ltRecette) {
            GridMenus->BeginDrag(DragThreshold);
            DragRow = Row;
        }
    });
}

bool TFormMenus::GridMenusDragOver(const QPoint &Pos)
{
    return Wrap("TFormMenus.GridMenusDragOver", [&] {
        const int Row = GridMenus->RowAt(Pos);
        return Row >= 0 && Row < Menu->Count() && Menu->MoveAccepted1(DragRow, Row);
    });
}

void TFormMenus::GridMenusDragDrop(const QPoint &Pos)
{
    Wrap("TFormMenus.GridMenusDragDrop", [&] {
        const int Row = GridMenus->RowAt(Pos);
        Menu->MoveRecette(DragRow, Row);
        GridMenus->SetRow(Row);
        RefreshGrid(false);
    });
}

void TFormMenus::GridMenusMouseMove(const QPoint &Pos)
{
    Wrap("TFormMenus.GridMenusMouseMove", [&] {
        HoverRow = GridMenus->RowAt(Pos);
        bool OnLink = false;
        if (HoverRow >= 0 && HoverRow < Menu->Count() && Menu->GetLineType(HoverRow) == TRecetteList::ltRecette)
            OnLink = InLinkHotZone(*Menu->GetRecette(HoverRow), GridMenus->CellRect(HoverRow), Pos);
        GridMenus->SetCursorShape(OnLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
        GridMenus->Tag = OnLink ? 1 : 0;
    });
}

void TFormMenus::GridMenusClick()
{
    // Decided from the row under the pointer now: the menu may have changed since it last
    // moved.
    GridMenus->Tag = 0;
    const QPoint Pos = GridMenus->ClickPos();
    const int Row = GridMenus->RowAt(Pos);
    if (Row < 0 || Row >= Menu->Count() || Menu->GetLineType(Row) != TRecetteList::ltRecette)
        return;
    const TLineRecette *Recette = Menu->GetRecette(Row);
    if (InLinkHotZone(*Recette, GridMenus->CellRect(Row), Pos))
        OpenDocument(Recette->Link);
}

void TFormMenus::GridMenusDblClick()
{
    DblClicked = true;
    OpenFiche();
}

void TFormMenus::GridMenusContextPopup(const QPoint &Pos, bool FromMouse, const QPoint &GlobalPos)
{
    Wrap("TFormMenus.GridMenusContextPopup", [&] {
        const int Row = FromMouse ? GridMenus->RowAt(Pos) : -1;
        const bool IsRow = Row >= 0 && Row < Menu->Count();
        if (IsRow) {
            GridMenus->SetRow(Row);
            HoverRow = Row;
        }
        const int Kind = IsRow ? Menu->GetLineType(Row) : -1;
        MenuAdd->setVisible(true);
        MenuShift->setVisible(Kind == TRecetteList::ltDate);
        MenuEdit->setVisible(Kind == TRecetteList::ltRecette);
        MenuChange->setVisible(Kind == TRecetteList::ltRecette);
        MenuOpen->setVisible(Kind == TRecetteList::ltRecette);
        MenuDelete->setVisible(IsRow);
        MenuClear->setVisible(Menu->Count() > 0);
        if (Kind == TRecetteList::ltDate)
            MenuDelete->setText(QStringLiteral("Supprimer les recettes de ce jour"));
        else if (Kind == TRecetteList::ltRepas)
            MenuDelete->setText(QStringLiteral("Supprimer les recettes de ce repas"));
        else if (Kind == TRecetteList::ltRecette)
            MenuDelete->setText(QStringLiteral("Supprimer la recette"));
        PopupGrid->popup(GlobalPos);
    });
}

// ---- commands -------------------------------------------------------------------------------

void TFormMenus::BtGenerateClick()
{
    Wrap("TFormMenus.BtGenerateClick", [&] {
        try {
            const int Days = StrToIntDef(EdDays->text(), 1);
            const int Persons = GetPersons();
            const bool Saison = CbSaison->isChecked();
            const TDateTime Start = QDateToDateTime(EdStartDate->date());
            // The draws share their candidates, read once for the whole generation.
            const TRecetteList::TDrawSession Draws(*Menu);
            auto GenerateMeal = [&](int Repas, TDateTime Day) {
                if (CbEntree->isChecked())
                    Menu->AddRandomRecette(Repas, Persons, Day, TypeEntree, Saison);
                if (CbPlat->isChecked())
                    Menu->AddRandomRecette(Repas, Persons, Day, TypePlat, Saison);
                if (CbDessert->isChecked())
                    Menu->AddRandomRecette(Repas, Persons, Day, TypeDessert, Saison);
            };
            for (int I = 0; I < Days; ++I) {
                const TDateTime Day = IncDay(Start, I);
                if (CbMidi->isChecked())
                    GenerateMeal(RepasMidi, Day);
                if (CbSoir->isChecked())
                    GenerateMeal(RepasSoir, Day);
            }
        } catch (...) {
            // What was drawn before the failure stays, and the grid shows it.
            RefreshGrid(true);
            throw;
        }
        RefreshGrid(true);
    });
}

void TFormMenus::MenuAddClick()
{
    Wrap("TFormMenus.MenuAddClick", [&] {
        TDateTime Date = Today();
        int Repas = RepasMidi;
        if (Menu->Count() > 0) {
            const int Row = GridMenus->Row();
            Date = Menu->GetMenuDate(Row);
            Repas = Menu->GetMenuRepas(Row, RepasMidi);
        }
        if (FormEditRec->Show(TFormEditRec::acAdd, Menu.get(), Date, Repas, TypePlat, GetPersons(), QString()) != mrOk)
            return;
        if (FormEditRec->Code < 0)
            Menu->AddRandomRecette(FormEditRec->Repas, FormEditRec->Pers, FormEditRec->Date, FormEditRec->Type,
                                   CbSaison->isChecked());
        else
            Menu->AddRecetteFromCode(FormEditRec->Repas, FormEditRec->Pers, FormEditRec->Date, FormEditRec->Code);
        RefreshGrid(false);
    });
}

void TFormMenus::MenuShiftClick()
{
    Wrap("TFormMenus.MenuShiftClick", [&] {
        const int Row = HoverRow;
        const TDateTime Day = Menu->GetDate(Row)->Date;
        QString Text = QStringLiteral("1");
        int Days = 0;
        for (;;) {
            QInputDialog Dialog(this);
            Dialog.setObjectName(QStringLiteral("InputShift"));
            Dialog.setInputMode(QInputDialog::TextInput);
            Dialog.setWindowTitle(DateToLongStr(true, Day));
            Dialog.setLabelText(
                Format(QStringLiteral("Nombre de jours (min -%d, max +%d) :"), {MaxShiftDays, MaxShiftDays}));
            Dialog.setOkButtonText(QStringLiteral("OK"));
            Dialog.setCancelButtonText(QStringLiteral("Annuler"));
            Dialog.setTextValue(Text);
            if (Dialog.exec() != QDialog::Accepted)
                return;
            Text = Dialog.textValue();
            Days = StrToIntDef(Text, 0);
            if (Days != 0 && KVXInRange(Days, -MaxShiftDays, MaxShiftDays))
                break;
        }
        Menu->ShiftRecette(Row, Days);
        RefreshGrid(false);
    });
}

bool TFormMenus::EditRecette(int Action)
{
    return Wrap("TFormMenus.EditRecette", [&] {
        const TLineRecette *Recette = Menu->GetRecette(GridMenus->Row());
        return FormEditRec->Show(Action, Menu.get(), Recette->MenuDate, Recette->MenuRepas, Recette->Type_,
                                 Recette->MenuPers, Recette->Name) == mrOk;
    });
}

void TFormMenus::MenuEditClick()
{
    Wrap("TFormMenus.MenuEditClick", [&] {
        if (!EditRecette(TFormEditRec::acModify))
            return;
        Menu->ModifyRecette(GridMenus->Row(), FormEditRec->Repas, FormEditRec->Date, FormEditRec->Pers);
        RefreshGrid(false);
    });
}

void TFormMenus::MenuChangeClick()
{
    Wrap("TFormMenus.MenuChangeClick", [&] {
        if (!EditRecette(TFormEditRec::acReplace))
            return;
        Menu->ReplaceRecette(GridMenus->Row(), FormEditRec->Code, CbSaison->isChecked());
        RefreshGrid(false);
    });
}

void TFormMenus::MenuOpenClick()
{
    OpenFiche();
}

void TFormMenus::OpenFiche()
{
    Wrap("TFormMenus.OpenFiche", [&] {
        const int Row = GridMenus->Row();
        if (Menu->Count() == 0 || Menu->GetLineType(Row) != TRecetteList::ltRecette)
            return;
        ShowFormRecette2(QStringLiteral("Fiche recette"), Menu->GetRecette(Row)->Code);
        Menu->UpdateInfos(Row);
        RefreshGrid(false);
    });
}

void TFormMenus::MenuDeleteClick()
{
    Wrap("TFormMenus.MenuDeleteClick", [&] {
        const int Row = GridMenus->Row();
        if (Menu->Count() == 0)
            return;
        QString Question;
        switch (Menu->GetLineType(Row)) {
        case TRecetteList::ltDate:
            Question =
                Format(QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes de ce jour ?\r\n(%s)"),
                       {DateToLongStr(true, Menu->GetDate(Row)->Date)});
            break;
        case TRecetteList::ltRepas: {
            const TLineRepas *Repas = Menu->GetRepas(Row);
            Question = Format(
                QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes de ce repas ?\r\n(%s, le %s)"),
                {DateToLongStr(true, Repas->Date), RepasToStr(Repas->Repas, false, false)});
            break;
        }
        default:
            Question = Format(QStringLiteral("Etes-vous sûr de vouloir supprimer cette recette ?\r\n(%s)"),
                              {Menu->GetRecette(Row)->Name});
            break;
        }
        if (FormDialog->Show(Question, dtConfirm, dbAuto) != mrYes)
            return;
        Menu->DeleteLine(Row);
        RefreshGrid(false);
    });
}

void TFormMenus::MenuClearClick()
{
    Wrap("TFormMenus.MenuClearClick", [&] {
        if (FormDialog->Show(QStringLiteral("Etes-vous sûr de vouloir supprimer toutes les recettes ?"), dtConfirm,
                             dbAuto) != mrYes)
            return;
        Menu->Clear();
        RefreshGrid(true);
    });
}

void TFormMenus::BtBaseRecettesClick()
{
    ShowRecetteList();
}

void TFormMenus::BtBaseIngredientsClick()
{
    ShowIngredientList();
}

void TFormMenus::BtBaseRayonsClick()
{
    ShowRayonList();
}

void TFormMenus::BtBaseLivresClick()
{
    ShowLivreList();
}

void TFormMenus::BtBaseUnitesClick()
{
    ShowUniteList();
}

void TFormMenus::BtCoursesClick()
{
    FormCourses->Show();
}

void TFormMenus::BtOptionsClick()
{
    FormOptions->exec();
}
