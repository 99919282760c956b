#include "UnitEditRecette.h"

#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitRandom.h"
#include "UnitRecette.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

#include <algorithm>
#include <initializer_list>

TFormEditRec *FormEditRec = nullptr;

namespace {

// ---------------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------------

const QString CaptionAdd = QStringLiteral("Ajouter");
const QString CaptionReplace = QStringLiteral("Remplacer - ");
const QString CaptionModify = QStringLiteral("Modifier - ");
const QString CaptionRandom = QStringLiteral("Aléatoire");
const QString CaptionOk = QStringLiteral("OK");
// A label breaks its lines at "\n" where the Windows texts had CR LF.
const QString InfoList = QStringLiteral("Double-cliquez sur une recette de la liste ou cliquez sur Aléatoire\n"
                                        "Cliquez droit pour ouvrir la fiche d'une recette");
const QString InfoModify = QStringLiteral("Modifiez la date, le nombre de personnes et le repas puis validez");
const QString CountFormat = QStringLiteral("%d recettes");
const QString FicheCaption = QStringLiteral("Fiche recette");

// The operator combos: item i is the filter's operator code i.
const QStringList OperatorItems = {QStringLiteral("égal"), QStringLiteral("minimum"), QStringLiteral("maximum"),
                                   QStringLiteral("entre")};
constexpr int OpBetween = 3;

// ---------------------------------------------------------------------------------------
// Look
// ---------------------------------------------------------------------------------------

constexpr TColor BackColor = clWhite;
constexpr TColor LabelColor = clGray;

QFont HintFont()
{
    return PixelFont(QLatin1String(FontCalibri), 11, false, true);
}
QFont CountFont()
{
    return PixelFont(QLatin1String(FontVerdana), 11);
}

// Places of the upper panel's controls.
constexpr int LabelLeft = 8;
constexpr int InputLeft = 70;
constexpr int RowDate = 8;
constexpr int RowRepas = 35;
constexpr int RowType = 59;
constexpr int ButtonsTop = 86;
constexpr int InfoTop = 112;
constexpr int InputHeight = 22;

// Places of the filter panel's controls: one row every FilterRowStep pixels, the inputs
// right of the widest check box.
constexpr int FilterFirstRow = 24;
constexpr int FilterRowStep = 24;
constexpr int FilterInputLeft = 145;
constexpr int NumberWidth = 30;
constexpr int OperatorWidth = 90;
constexpr int Margin = 8;

// Height of one item of the candidate list.
constexpr int ItemHeight = 16;

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormEditRec::TFormEditRec(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormEditRec"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, TColorToQColor(BackColor));
    setPalette(Palette);
    setAutoFillBackground(true);
    setMinimumSize(MinWidth, MinHeight);
    resize(SavedWidth, SavedHeight);
}

// The controls wait for the first use: the dialog is created with the program but most
// starts never open it, and building its thirty-odd controls is a visible part of the time
// to the main window.
void TFormEditRec::CreateContent()
{
    CreatePanelMain();
    CreateListRec();
    CreatePanelFilter();
    ConnectEvents();

    setTabOrder(EdDay, EdPers);
    setTabOrder(EdPers, RbMidi);
    setTabOrder(RbMidi, RbEntree);
    setTabOrder(RbEntree, ListRec);
    setTabOrder(ListRec, EdFilterSaison);
    setTabOrder(EdFilterSaison, CbFilterNom);
    setTabOrder(CbFilterNom, EdFilterNom);
    setTabOrder(EdFilterNom, CbFilterIng);
    setTabOrder(CbFilterIng, EdFilterIng);
    setTabOrder(EdFilterIng, CbFilterPers);
    setTabOrder(CbFilterPers, EdOpPers);
    setTabOrder(EdOpPers, EdFilterPers1);
    setTabOrder(EdFilterPers1, EdFilterPers2);
    setTabOrder(EdFilterPers2, CbFilterTime);
    setTabOrder(CbFilterTime, EdOpTime);
    setTabOrder(EdOpTime, EdFilterTime1);
    setTabOrder(EdFilterTime1, EdFilterTime2);
    setTabOrder(EdFilterTime2, CbFilterLivre);
    setTabOrder(CbFilterLivre, EdFilterLivre);
    AlignControls();
}

TFormEditRec::~TFormEditRec()
{
    if (FormEditRec == this)
        FormEditRec = nullptr;
}

void TFormEditRec::CreatePanelMain()
{
    PanelMain = new QWidget(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));

    auto NewLabel = [this](const char *Name, const QString &Text, int Left, int Top) {
        QLabel *Label = ::NewLabel(PanelMain, QLatin1String(Name), Text, QPoint(Left, Top));
        SetTextColor(Label, LabelColor);
        return Label;
    };
    auto NewRadio = [](QWidget *Parent, const char *Name, const QString &Text, int Left, int Width) {
        auto *Radio = new QRadioButton(Text, Parent);
        Radio->setObjectName(QLatin1String(Name));
        Radio->setGeometry(Left, 2, Width, 18);
        return Radio;
    };

    LbDate = NewLabel("LbDate", QStringLiteral("Date :"), LabelLeft, RowDate + 3);
    EdDay = new QDateEdit(PanelMain);
    EdDay->setObjectName(QStringLiteral("EdDay"));
    EdDay->setFont(InputFont());
    EdDay->setLocale(UserLocale());
    EdDay->setDisplayFormat(QStringLiteral("dddd d MMMM yyyy"));
    EdDay->setCalendarPopup(true);
    EdDay->setGeometry(InputLeft, RowDate, 200, InputHeight);

    LbPers = NewLabel("LbPers", QStringLiteral("Pers :"), 284, RowDate + 3);
    EdPers = new QLineEdit(QStringLiteral("2"), PanelMain);
    EdPers->setObjectName(QStringLiteral("EdPers"));
    EdPers->setFont(InputFont());
    EdPers->setGeometry(334, RowDate, NumberWidth, InputHeight);

    LbRepas = NewLabel("LbRepas", QStringLiteral("Repas :"), LabelLeft, RowRepas + 3);
    PanelRepas = new QWidget(PanelMain);
    PanelRepas->setObjectName(QStringLiteral("PanelRepas"));
    PanelRepas->setGeometry(InputLeft, RowRepas, 200, InputHeight);
    RbMidi = NewRadio(PanelRepas, "RbMidi", QStringLiteral("midi"), 0, 75);
    RbSoir = NewRadio(PanelRepas, "RbSoir", QStringLiteral("soir"), 78, 75);
    RbMidi->setChecked(true);

    LbType = NewLabel("LbType", QStringLiteral("Type :"), LabelLeft, RowType + 3);
    PanelType = new QWidget(PanelMain);
    PanelType->setObjectName(QStringLiteral("PanelType"));
    PanelType->setGeometry(InputLeft, RowType, 300, InputHeight);
    RbEntree = NewRadio(PanelType, "RbEntree", QStringLiteral("entrée"), 0, 75);
    RbPlat = NewRadio(PanelType, "RbPlat", QStringLiteral("plat"), 78, 55);
    RbDessert = NewRadio(PanelType, "RbDessert", QStringLiteral("dessert"), 136, 80);
    RbBoisson = NewRadio(PanelType, "RbBoisson", QStringLiteral("boisson"), 219, 80);
    RbPlat->setChecked(true);

    auto NewButton = [this](const char *Name, const QString &Caption, int Left, int ModalResult) {
        TSevenButton *Button =
            NewSevenButton(PanelMain, QLatin1String(Name), Caption, QRect(Left, ButtonsTop, 100, 24));
        Button->SetModalResult(ModalResult);
        Button->SetTabStop(false);
        return Button;
    };
    BtRandom = NewButton("BtRandom", CaptionRandom, InputLeft, mrOk);
    BtRandom->SetDefault(true);
    BtCancel = NewButton("BtCancel", QStringLiteral("Annuler"), InputLeft + 110, mrCancel);
    BtCancel->SetCancel(true);

    LbInfo = new QLabel(PanelMain);
    LbInfo->setObjectName(QStringLiteral("LbInfo"));
    LbInfo->setTextFormat(Qt::PlainText);
    LbInfo->setFont(HintFont());
    LbInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LbInfo->setGeometry(LabelLeft, InfoTop, ModifyWidth - 2 * LabelLeft, 30);

    LbCount = new QLabel(PanelMain);
    LbCount->setObjectName(QStringLiteral("LbCount"));
    LbCount->setFont(CountFont());
    LbCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    ShapeMain = NewGreyLine(PanelMain, QStringLiteral("ShapeMain"), QRect());
}

void TFormEditRec::CreateListRec()
{
    ListRec = new QListWidget(this);
    ListRec->setObjectName(QStringLiteral("ListRec"));
    ListRec->setFrameShape(QFrame::NoFrame);
    ListRec->setFont(InputFont());
    ListRec->setUniformItemSizes(true);
    ListRec->setSelectionMode(QAbstractItemView::SingleSelection);
    ListRec->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListRec->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupList = new QMenu(this);
    PopupList->setObjectName(QStringLiteral("PopupList"));
    MenuOpen = PopupList->addAction(QStringLiteral("Ouvrir la fiche"));
    MenuOpen->setObjectName(QStringLiteral("MenuOpen"));
}

void TFormEditRec::CreatePanelFilter()
{
    PanelFilter = new QWidget(this);
    PanelFilter->setObjectName(QStringLiteral("PanelFilter"));

    ShapeFilter = NewGreyLine(PanelFilter, QStringLiteral("ShapeFilter"), QRect());

    LbFilter = new QLabel(QStringLiteral("Utilisez les filtres ci-dessous pour affiner votre recherche"), PanelFilter);
    LbFilter->setObjectName(QStringLiteral("LbFilter"));
    LbFilter->setFont(HintFont());
    LbFilter->move(Margin, 5);
    LbFilter->adjustSize();

    auto RowTop = [](int Row) { return FilterFirstRow + Row * FilterRowStep; };
    auto NewBox = [this, RowTop](const char *Name, const QString &Caption, int Row) {
        auto *Box = new QCheckBox(Caption, PanelFilter);
        Box->setObjectName(QLatin1String(Name));
        Box->setFont(LabelFont());
        SetTextColor(Box, LabelColor);
        Box->setGeometry(Margin, RowTop(Row) + 2, FilterInputLeft - Margin - 2, 18);
        return Box;
    };
    auto NewEdit = [this, RowTop](const char *Name, int Left, int Row, int Width) {
        auto *Edit = new QLineEdit(PanelFilter);
        Edit->setObjectName(QLatin1String(Name));
        Edit->setFont(InputFont());
        Edit->setGeometry(Left, RowTop(Row), Width, InputHeight);
        return Edit;
    };
    auto NewCombo = [this, RowTop](const char *Name, const QStringList &Items, int Row, int Width) {
        auto *Combo = new QComboBox(PanelFilter);
        Combo->setObjectName(QLatin1String(Name));
        Combo->setFont(InputFont());
        Combo->addItems(Items);
        Combo->setGeometry(FilterInputLeft, RowTop(Row), Width, InputHeight);
        return Combo;
    };

    // The season always applies: its row has a label where the others have a check box.
    LbSaison = new QLabel(QStringLiteral("Saison :"), PanelFilter);
    LbSaison->setObjectName(QStringLiteral("LbSaison"));
    LbSaison->setFont(LabelFont());
    SetTextColor(LbSaison, LabelColor);
    LbSaison->move(Margin, RowTop(0) + 3);
    LbSaison->adjustSize();
    EdFilterSaison =
        NewCombo("EdFilterSaison", {SaisonToStr(0, false), SaisonToStr(1, false), SaisonToStr(2, false)}, 0, 150);

    CbFilterNom = NewBox("CbFilterNom", QStringLiteral("Nom :"), 1);
    EdFilterNom = NewEdit("EdFilterNom", FilterInputLeft, 1, 200);

    CbFilterIng = NewBox("CbFilterIng", QStringLiteral("Ingrédient :"), 2);
    EdFilterIng = NewEdit("EdFilterIng", FilterInputLeft, 2, 200);

    CbFilterPers = NewBox("CbFilterPers", QStringLiteral("Personnes :"), 3);
    EdOpPers = NewCombo("EdOpPers", OperatorItems, 3, OperatorWidth);
    EdOpPers->setCurrentIndex(0);
    EdFilterPers1 = NewEdit("EdFilterPers1", FilterInputLeft + OperatorWidth + 5, 3, NumberWidth);
    EdFilterPers2 = NewEdit("EdFilterPers2", FilterInputLeft + OperatorWidth + NumberWidth + 10, 3, NumberWidth);
    EdFilterPers2->hide();

    CbFilterTime = NewBox("CbFilterTime", QStringLiteral("Temps (min) :"), 4);
    EdOpTime = NewCombo("EdOpTime", OperatorItems, 4, OperatorWidth);
    EdOpTime->setCurrentIndex(2);
    EdFilterTime1 = NewEdit("EdFilterTime1", FilterInputLeft + OperatorWidth + 5, 4, NumberWidth);
    EdFilterTime2 = NewEdit("EdFilterTime2", FilterInputLeft + OperatorWidth + NumberWidth + 10, 4, NumberWidth);
    EdFilterTime2->hide();

    CbFilterLivre = NewBox("CbFilterLivre", QStringLiteral("Livre :"), 5);
    EdFilterLivre = NewCombo("EdFilterLivre", {}, 5, 200);
}

void TFormEditRec::ConnectEvents()
{
    for (QWidget *Input : std::initializer_list<QWidget *>{EdDay, EdPers, EdFilterSaison, EdFilterNom, EdFilterIng,
                                                           EdOpPers, EdFilterPers1, EdFilterPers2, EdOpTime,
                                                           EdFilterTime1, EdFilterTime2, EdFilterLivre})
        Input->installEventFilter(this);

    for (QRadioButton *Radio : {RbMidi, RbSoir, RbEntree, RbPlat, RbDessert, RbBoisson})
        GuardedConnect(Radio, &QRadioButton::toggled, this, [this](bool Checked) { RbClick(Checked); });
    for (QLineEdit *Edit : {EdFilterNom, EdFilterIng, EdFilterPers1, EdFilterPers2, EdFilterTime1, EdFilterTime2})
        GuardedConnect(Edit, &QLineEdit::textChanged, this, [this] { FilterChange(); });
    for (QComboBox *Combo : {EdFilterSaison, EdFilterLivre})
        GuardedConnect(Combo, &QComboBox::currentIndexChanged, this, [this] { FilterChange(); });
    for (QComboBox *Combo : {EdOpPers, EdOpTime})
        GuardedConnect(Combo, &QComboBox::currentIndexChanged, this, [this] { EdOpPersChange(); });
    for (QCheckBox *Box : {CbFilterNom, CbFilterIng, CbFilterPers, CbFilterTime, CbFilterLivre})
        GuardedConnect(Box, &QCheckBox::toggled, this, [this, Box] { CbFilterClick(Box); });

    GuardedConnect(BtRandom, &TSevenButton::clicked, this, [this] { BtRandomClick(); });
    GuardedConnect(ListRec, &QListWidget::itemDoubleClicked, this, [this] { ListRecDblClick(); });
    GuardedConnect(ListRec, &QListWidget::customContextMenuRequested, this,
                   [this](const QPoint &Pos) { ListRecContextPopup(Pos); });
    GuardedConnect(MenuOpen, &QAction::triggered, this, [this] { MenuOpenClick(); });
}

// ---------------------------------------------------------------------------------------
// Show and its steps
// ---------------------------------------------------------------------------------------

int TFormEditRec::Show(int AAction, TRecetteList *AMenu, TDateTime ADate, int ARepas, int AType, int APers,
                       const QString &Title)
{
    return Wrap("TFormEditRec.Show", [&] {
        if (!PanelMain)
            CreateContent();
        Ready = false;
        Menu = AMenu;
        Code = -1;
        EdDay->setDate(DateTimeToQDate(ADate));
        EdPers->setText(QString::number(APers));
        ResetFilters();
        GetLivres();
        SetRepas(ARepas);
        SetType(AType);
        SetAction(AAction, Title);
        Ready = true;
        RefreshList();
        return exec() == mrOk ? mrOk : mrCancel;
    });
}

void TFormEditRec::ResetFilters()
{
    Wrap("TFormEditRec.ResetFilters", [&] {
        CbFilterNom->setChecked(false);
        CbFilterPers->setChecked(false);
        CbFilterTime->setChecked(false);
        EdFilterSaison->setCurrentIndex(CurrentSaison());
        CbFilterLivre->setChecked(false);
        CbFilterIng->setChecked(false);
        for (QCheckBox *Box : {CbFilterNom, CbFilterIng, CbFilterPers, CbFilterTime, CbFilterLivre})
            EnableFilters(Box);
    });
}

void TFormEditRec::EnableFilters(QCheckBox *Box)
{
    Wrap("TFormEditRec.EnableFilters", [&] {
        const bool Enabled = Box->isChecked();
        if (Box == CbFilterNom) {
            EdFilterNom->setEnabled(Enabled);
        } else if (Box == CbFilterPers) {
            EdOpPers->setEnabled(Enabled);
            EdFilterPers1->setEnabled(Enabled);
            EdFilterPers2->setEnabled(Enabled);
        } else if (Box == CbFilterTime) {
            EdOpTime->setEnabled(Enabled);
            EdFilterTime1->setEnabled(Enabled);
            EdFilterTime2->setEnabled(Enabled);
        } else if (Box == CbFilterLivre) {
            EdFilterLivre->setEnabled(Enabled);
        } else if (Box == CbFilterIng) {
            EdFilterIng->setEnabled(Enabled);
        }
    });
}

void TFormEditRec::GetLivres()
{
    Wrap("TFormEditRec.GetLivres", [&] {
        LivCodes.Clear();
        EdFilterLivre->clear();
        std::unique_ptr<TQlTable> Livres = CurrentDatabase().GetTable(QStringLiteral("select * from livre order by name"));
        for (; !Livres->Eof(); Livres->Next()) {
            LivCodes.Add(Livres->FieldAsString(QStringLiteral("code")));
            EdFilterLivre->addItem(Livres->FieldAsString(QStringLiteral("name")));
        }
        if (EdFilterLivre->count() > 0)
            EdFilterLivre->setCurrentIndex(0);
    });
}

void TFormEditRec::SetRepas(int Value)
{
    if (Value == RepasSoir)
        RbSoir->setChecked(true);
    else
        RbMidi->setChecked(true);
}

void TFormEditRec::SetType(int Value)
{
    switch (Value) {
    case TypePlat:
        RbPlat->setChecked(true);
        break;
    case TypeDessert:
        RbDessert->setChecked(true);
        break;
    case TypeBoisson:
        RbBoisson->setChecked(true);
        break;
    default:
        RbEntree->setChecked(true);
        break;
    }
}

void TFormEditRec::SetAction(int Value, const QString &Title)
{
    Wrap("TFormEditRec.SetAction", [&] {
        Action = Value;
        switch (Action) {
        case acAdd:
            setWindowTitle(CaptionAdd);
            BtRandom->SetCaption(CaptionRandom);
            LbInfo->setText(InfoList);
            break;
        case acReplace:
            setWindowTitle(CaptionReplace + Title);
            BtRandom->SetCaption(CaptionRandom);
            LbInfo->setText(InfoList);
            break;
        default:
            setWindowTitle(CaptionModify + Title);
            BtRandom->SetCaption(CaptionOk);
            LbInfo->setText(InfoModify);
            break;
        }
        EnableComponents();
    });
}

void TFormEditRec::EnableComponents()
{
    Wrap("TFormEditRec.EnableComponents", [&] {
        const bool DayAndMeal = Action != acReplace;
        const bool WithList = Action == acAdd || Action == acReplace;
        EdDay->setEnabled(DayAndMeal);
        EdPers->setEnabled(DayAndMeal);
        for (QRadioButton *Radio : {RbMidi, RbSoir})
            Radio->setEnabled(DayAndMeal);
        for (QRadioButton *Radio : {RbEntree, RbPlat, RbDessert, RbBoisson})
            Radio->setEnabled(Action == acAdd);
        ListRec->setVisible(WithList);
        PanelFilter->setVisible(WithList);
        for (QCheckBox *Box : {CbFilterNom, CbFilterIng, CbFilterPers, CbFilterTime, CbFilterLivre})
            Box->setEnabled(WithList);

        if (WithList) {
            setMinimumSize(MinWidth, MinHeight);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            resize(SavedWidth, SavedHeight);
        } else {
            // "OK" only confirms the inputs: it must not keep the state that the last list
            // of an earlier add or replace left it in.
            BtRandom->setEnabled(true);
            setMinimumSize(0, 0);
            setFixedSize(ModifyWidth, ModifyHeight);
        }
    });
}

void TFormEditRec::SetProperties()
{
    Wrap("TFormEditRec.SetProperties", [&] {
        Date = QDateToDateTime(EdDay->date());
        Pers = PersonsOf(EdPers->text());
        Repas = RbMidi->isChecked() ? RepasMidi : RepasSoir;
        if (RbEntree->isChecked())
            Type = TypeEntree;
        else if (RbPlat->isChecked())
            Type = TypePlat;
        else if (RbDessert->isChecked())
            Type = TypeDessert;
        else
            Type = TypeBoisson;
    });
}

void TFormEditRec::RefreshList()
{
    if (!Ready)
        return;
    Wrap("TFormEditRec.RefreshList", [&] {
        SetProperties();
        if (ListRec->isHidden()) {
            ListRec->clear();
            return;
        }
        if (!Menu)
            throw Exception(QStringLiteral("No menu to choose for"));
        // The new table is complete before anything shown changes, so a failed query leaves the
        // list and the table behind it as they were, still row for row alike.
        std::unique_ptr<TQlTable> NewCandidates = Menu->GetRecetteList2(Repas, Type, GetFilter());
        ListRec->clear();
        Candidates = std::move(NewCandidates);
        for (; !Candidates->Eof(); Candidates->Next()) {
            auto *Item = new QListWidgetItem(Candidates->FieldAsString(QStringLiteral("name")), ListRec);
            Item->setSizeHint(QSize(0, ItemHeight));
        }
        LbCount->setText(Format(CountFormat, {ListRec->count()}));
        BtRandom->setEnabled(Candidates->RowCount() > 0);
    });
}

TRecFilter TFormEditRec::GetFilter() const
{
    return Wrap("TFormEditRec.GetFilter", [&] {
        // A number that is not a whole number asks for no condition.
        auto Number = [](const QLineEdit *Edit) { return StrToIntDef(Edit->text(), -1); };
        auto Operator = [](const QComboBox *Combo) { return static_cast<quint8>(std::max(0, Combo->currentIndex())); };

        TRecFilter Filter;
        ResetRecFilter(Filter);
        if (CbFilterNom->isChecked())
            Filter.Name = EdFilterNom->text();
        if (CbFilterTime->isChecked()) {
            Filter.TimeOp = Operator(EdOpTime);
            Filter.Time1 = Number(EdFilterTime1);
            Filter.Time2 = Number(EdFilterTime2);
        }
        if (CbFilterPers->isChecked()) {
            Filter.PersOp = Operator(EdOpPers);
            Filter.Pers1 = Number(EdFilterPers1);
            Filter.Pers2 = Number(EdFilterPers2);
        }
        Filter.Saison = std::max(0, EdFilterSaison->currentIndex());
        // Without any cookbook in the database the box asks for nothing.
        const int Livre = EdFilterLivre->currentIndex();
        if (CbFilterLivre->isChecked() && Livre >= 0 && Livre < LivCodes.Count())
            Filter.LivCode = StrToInt(LivCodes[Livre]);
        if (CbFilterIng->isChecked())
            Filter.IngName = EdFilterIng->text();
        return Filter;
    });
}

// ---------------------------------------------------------------------------------------
// Event handlers
// ---------------------------------------------------------------------------------------

void TFormEditRec::FilterChange()
{
    RefreshList();
}

void TFormEditRec::CbFilterClick(QCheckBox *Box)
{
    EnableFilters(Box);
    RefreshList();
}

void TFormEditRec::RbClick(bool Checked)
{
    // Checking one button of a group unchecks another: one refresh is enough.
    if (Checked)
        RefreshList();
}

void TFormEditRec::EdOpPersChange()
{
    Wrap("TFormEditRec.EdOpPersChange", [this] {
        EdFilterPers2->setVisible(EdOpPers->currentIndex() == OpBetween);
        EdFilterTime2->setVisible(EdOpTime->currentIndex() == OpBetween);
        RefreshList();
    });
}

void TFormEditRec::BtRandomClick()
{
    try {
        Wrap("TFormEditRec.BtRandomClick", [this] {
            SetProperties();
            if (Action != acModify)
                Code = CandidateCode(Random(ListRec->count()));
        });
    } catch (...) {
        // The button closes the dialog after this handler: a failed pick keeps it open.
        setResult(mrNone);
        throw;
    }
}

void TFormEditRec::ListRecDblClick()
{
    Wrap("TFormEditRec.ListRecDblClick", [this] {
        SetProperties();
        const int Row = SelectedRow();
        if (Row < 0)
            return;
        Code = CandidateCode(Row);
        done(mrOk);
    });
}

void TFormEditRec::ListRecContextPopup(const QPoint &Pos)
{
    QListWidgetItem *Item = ListRec->itemAt(Pos);
    if (!Item)
        return;
    ListRec->setCurrentItem(Item);
    PopupList->popup(ListRec->viewport()->mapToGlobal(Pos));
}

void TFormEditRec::MenuOpenClick()
{
    Wrap("TFormEditRec.MenuOpenClick", [this] {
        const int Row = SelectedRow();
        if (Row < 0)
            return;
        ShowFormRecette2(FicheCaption, CandidateCode(Row));
    });
}

int TFormEditRec::SelectedRow() const
{
    const QListWidgetItem *Item = ListRec->currentItem();
    return Item && Item->isSelected() ? ListRec->row(Item) : -1;
}

int TFormEditRec::CandidateCode(int Row)
{
    if (!Candidates || Row < 0 || !Candidates->MoveTo(static_cast<quint32>(Row)))
        throw Exception(QStringLiteral("No candidate recipe at row %d"), {Row});
    return Candidates->FieldAsInteger(QStringLiteral("code"));
}

// ---------------------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------------------

void TFormEditRec::done(int Result)
{
    if (!ListRec->isHidden()) {
        SavedWidth = width();
        SavedHeight = height();
    }
    QDialog::done(Result);
}

void TFormEditRec::reject()
{
    done(mrCancel);
}

bool TFormEditRec::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) {
        if (auto *Input = qobject_cast<QWidget *>(Watched))
            SetControlHighlight(Input, Event->type() == QEvent::FocusIn);
    }
    return QDialog::eventFilter(Watched, Event);
}

void TFormEditRec::resizeEvent(QResizeEvent *Event)
{
    QDialog::resizeEvent(Event);
    if (PanelMain)
        AlignControls();
}

void TFormEditRec::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (Action == acModify && EdPers) {
        EdPers->setFocus(Qt::OtherFocusReason);
        EdPers->selectAll();
    }
}

void TFormEditRec::AlignControls()
{
    const int W = width();
    const int H = height();
    PanelMain->setGeometry(0, 0, W, PanelMainHeight);
    ShapeMain->setGeometry(0, PanelMainHeight - 1, W, 1);
    LbCount->setGeometry(W - Margin - 200, PanelMainHeight - 17, 200, 15);

    PanelFilter->setGeometry(0, H - PanelFilterHeight, W, PanelFilterHeight);
    ShapeFilter->setGeometry(0, 0, W, 1);
    const int Stretched = std::max(NumberWidth, W - FilterInputLeft - Margin);
    for (QWidget *Input : std::initializer_list<QWidget *>{EdFilterNom, EdFilterIng, EdFilterLivre})
        Input->resize(Stretched, InputHeight);

    ListRec->setGeometry(0, PanelMainHeight, W, std::max(0, H - PanelMainHeight - PanelFilterHeight));
}
