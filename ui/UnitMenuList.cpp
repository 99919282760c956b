#include "UnitMenuList.h"

#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"
#include "UnitMemo.h"
#include "UnitMenuName.h"
#include "UnitSync.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

TFormMenuList *FormMenuList = nullptr;

namespace {

constexpr int Margin = 8;
constexpr int PanelRightWidth = 110;
constexpr int ButtonWidth = 95;
constexpr int ButtonHeight = 24;
constexpr int ButtonStep = 30;
constexpr int CellPadding = 5;
constexpr int FormWidth = 600;
constexpr int FormHeight = 460;

const QString RenameCaption = QStringLiteral("Renommer un menu");

// Milliseconds since the first call, as the type-ahead counts them.
unsigned TickCount()
{
    static QElapsedTimer Clock = [] {
        QElapsedTimer Started;
        Started.start();
        return Started;
    }();
    return static_cast<unsigned>(Clock.elapsed());
}

// Paints the menu rows of the list: the text 5 pixels within the cell, on one line,
// vertically centred, aligned as its column says; rows alternate white and a light cream.
class TMenuRowDelegate : public QStyledItemDelegate
{
public:
    explicit TMenuRowDelegate(TFormMenuList *Form) : QStyledItemDelegate(Form), FForm(Form) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        Guard([&] {
            Wrap("TFormMenuList.GridItemsDrawCell", [&] {
                const bool Selected = Option.state & QStyle::State_Selected;
                const QPalette &Palette = Option.palette;
                // Grid rows count from 1 below the header: odd ones are white.
                const bool Odd = (Index.row() + 1) % 2 == 1;
                const QColor Back = Selected ? Palette.color(QPalette::Highlight)
                                             : (Odd ? QColor(Qt::white) : TColorToQColor(ListEvenRowColor));
                const QColor Pen = Selected ? Palette.color(QPalette::HighlightedText) : QColor(Qt::black);
                Painter->fillRect(Option.rect, Back);
                const QRect TextRect = Option.rect.adjusted(CellPadding, 0, -CellPadding, 0);
                const int Col = Index.column();
                const bool Centred = Col < int(FForm->ColAlign.size()) && FForm->ColAlign[std::size_t(Col)] == 1;
                Painter->setPen(Pen);
                Painter->setFont(Option.font);
                const QString Text = Index.data().toString();
                // A text wider than its cell shows its beginning rather than losing both ends.
                const bool Fits = Option.fontMetrics.horizontalAdvance(Text) <= TextRect.width();
                Painter->drawText(
                    TextRect,
                    (Centred && Fits ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, Text);
            });
        });
    }

private:
    TFormMenuList *FForm;
};

TSevenButton *NewButton(QWidget *Parent, const QString &Name, const QString &Caption, int Top)
{
    TSevenButton *Button = NewSevenButton(Parent, Name, Caption, QRect(Margin, Top, ButtonWidth, ButtonHeight));
    Button->SetTabStop(false);
    SetStateFonts(Button, WindowFont());
    return Button;
}

} // namespace

TFormMenuList::TFormMenuList(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormMenuList"));
    setWindowTitle(QStringLiteral("Liste des menus"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setFont(WindowFont());
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, Qt::white);
    setPalette(Palette);
    setAutoFillBackground(true);
    setMinimumSize(MinWidth, MinHeight);
    resize(FormWidth, FormHeight);
    LastKeyTime = 0;
}

// The controls and the icon wait for the first showing or use: the list is created with the
// program, and most starts never open it. Until then the grid reads as empty.
void TFormMenuList::CreateContent()
{
    if (GridItems)
        return;
    CreateControls();
    ConnectEvents();
    Wrap("TFormMenuList.FormCreate",
         [&] { setWindowIcon(QIcon(LoadResourcePicture(QStringLiteral("icomenus"), QSize(16, 16)))); });
}

void TFormMenuList::setVisible(bool Visible)
{
    if (Visible)
        Guard([this] { CreateContent(); });
    QDialog::setVisible(Visible);
}

TFormMenuList::~TFormMenuList()
{
    if (FormMenuList == this)
        FormMenuList = nullptr;
}

void TFormMenuList::CreateControls()
{
    auto *Layout = new QHBoxLayout(this);
    Layout->setContentsMargins(Margin, Margin, 0, Margin);
    Layout->setSpacing(0);

    auto *Left = new QWidget(this);
    auto *LeftLayout = new QVBoxLayout(Left);
    LeftLayout->setContentsMargins(0, 0, 0, 0);
    LeftLayout->setSpacing(4);
    Label7 = new QLabel(QStringLiteral("Utilisez le filtre ci-dessous pour affiner votre recherche"), Left);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setFont(PixelFont(QStringLiteral("Calibri"), 13, false, true));
    SetTextColor(Label7, WindowHintColor);
    LeftLayout->addWidget(Label7);
    EdFilter = NewEdit(Left, QStringLiteral("EdFilter"), QString(), QRect(0, 0, 200, 24));
    EdFilter->setFixedHeight(24);
    LeftLayout->addWidget(EdFilter);

    Splitter = new QSplitter(Qt::Vertical, Left);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setChildrenCollapsible(false);
    GridItems = new QTableWidget(0, 2, Splitter);
    GridItems->setObjectName(QStringLiteral("GridItems"));
    GridItems->setFont(InputFont());
    GridItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridItems->setSelectionMode(QAbstractItemView::SingleSelection);
    GridItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridItems->setTabKeyNavigation(false);
    GridItems->setShowGrid(true);
    GridItems->setWordWrap(false);
    GridItems->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    GridItems->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    GridItems->verticalHeader()->hide();
    GridItems->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GridItems->verticalHeader()->setDefaultSectionSize(RowHeight);
    GridItems->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    GridItems->horizontalHeader()->setHighlightSections(false);
    GridItems->horizontalHeader()->setFixedHeight(RowHeight + 2);
    GridItems->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: black; border: none; "
                       "border-right: 1px solid #D0D0D0; border-bottom: 1px solid #D0D0D0; padding-left: %2px; }")
            .arg(TColorToQColor(ListHeaderColor).name())
            .arg(CellPadding));
    GridItems->setItemDelegate(new TMenuRowDelegate(this));
    MemoRecettes = new TMemo(Splitter);
    MemoRecettes->setObjectName(QStringLiteral("MemoRecettes"));
    MemoRecettes->setReadOnly(true);
    MemoRecettes->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoRecettes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRecettes->setFont(InputFont());
    QPalette MemoPalette = MemoRecettes->palette();
    MemoPalette.setColor(QPalette::Base, TColorToQColor(ListHeaderColor));
    MemoRecettes->setPalette(MemoPalette);
    Splitter->addWidget(GridItems);
    Splitter->addWidget(MemoRecettes);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 1);
    LeftLayout->addWidget(Splitter, 1);
    Layout->addWidget(Left, 1);

    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    PanelRight->setFixedWidth(PanelRightWidth);
    BtOpen = NewButton(PanelRight, QStringLiteral("BtOpen"), QStringLiteral("&Ouvrir"), 0);
    BtRename = NewButton(PanelRight, QStringLiteral("BtRename"), QStringLiteral("&Renommer"), ButtonStep);
    BtDelete = NewButton(PanelRight, QStringLiteral("BtDelete"), QStringLiteral("&Supprimer"), 2 * ButtonStep);
    Layout->addWidget(PanelRight);
}

void TFormMenuList::ConnectEvents()
{
    GuardedConnect(EdFilter, &QLineEdit::textChanged, this, [this](const QString &) {
        Wrap("TFormMenuList.EdFilterChange", [&] { RefreshList(false, false); });
    });
    TintOnFocus(EdFilter);
    GridItems->installEventFilter(this);
    GridItems->viewport()->installEventFilter(this);
    GuardedConnect(BtOpen, &TSevenButton::clicked, this, [this] { OpenMenu(); });
    GuardedConnect(BtRename, &TSevenButton::clicked, this, [this] { RenameMenu(); });
    GuardedConnect(BtDelete, &TSevenButton::clicked, this, [this] { DeleteMenu(); });
    GuardedConnect(GridItems, &QTableWidget::cellDoubleClicked, this, [this](int Row, int) {
        Wrap("TFormMenuList.GridItemsDblClick", [&] {
            if (Row >= 0 && Row < GridItems->rowCount())
                OpenMenu();
        });
    });
    GuardedConnect(GridItems, &QTableWidget::currentCellChanged, this,
                   [this](int Row, int, int, int) { GridItemsSelectCell(Row + 1); });
    GuardedConnect(GridItems->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int Section, int, int) {
        if (Section != AutoCol)
            GridAutoWidth();
    });
}

// ---- showing ----------------------------------------------------------------------------

void TFormMenuList::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        Guard([&] { FormShow(); });
}

void TFormMenuList::FormShow()
{
    Wrap("TFormMenuList.FormShow", [&] {
        {
            const QSignalBlocker Quiet(EdFilter);
            EdFilter->clear();
        }
        PrepareCol();
        LoadMenus();
        RefreshList(true, false);
    });
}

void TFormMenuList::resizeEvent(QResizeEvent *Event)
{
    QDialog::resizeEvent(Event);
    if (GridItems)
        Guard([&] { GridAutoWidth(); });
}

void TFormMenuList::reject()
{
    done(mrCancel);
}

void TFormMenuList::LoadMenus()
{
    SlimApi->GetMenuList(Menus);
}

void TFormMenuList::PrepareCol()
{
    Wrap("TFormMenuList.PrepareCol", [&] {
        CreateContent();
        GridItems->setColumnCount(2);
        ColAlign = {0, 1};
        AutoCol = 0;
        auto *Nom = new QTableWidgetItem(QStringLiteral("Nom"));
        Nom->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        GridItems->setHorizontalHeaderItem(0, Nom);
        auto *Modifie = new QTableWidgetItem(QStringLiteral("Modifié le"));
        Modifie->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        GridItems->setHorizontalHeaderItem(1, Modifie);
        GridItems->setColumnWidth(1, DateColWidth);
        GridAutoWidth();
    });
}

const TJsonValue &TFormMenuList::MenuArray() const
{
    static const TJsonValue Empty = TJsonValue::array();
    if (!Menus.Root || !Menus.Root->is_array())
        return Empty;
    return *Menus.Root;
}

void TFormMenuList::RefreshList(bool Focus, bool KeepRow)
{
    Wrap("TFormMenuList.RefreshList", [&] {
        CreateContent();
        const int Remembered = SelectedRow();
        const QSignalBlocker Quiet(GridItems);
        GridItems->setRowCount(0);
        const QString Filter = LowerCaseAscii(EdFilter->text());
        const TJsonValue &List = MenuArray();
        for (std::size_t I = 0; I < List.size(); ++I) {
            const TJsonValue &Item = List[I];
            // A member of another type than the list's is shown as missing.
            QString Name;
            QString Modified;
            JsonTextMember(Item, "name", Name);
            JsonTextMember(Item, "modified", Modified);
            if (!Filter.isEmpty() && !LowerCaseAscii(Name).contains(Filter))
                continue;
            const int Row = GridItems->rowCount();
            GridItems->insertRow(Row);
            auto *NameItem = new QTableWidgetItem(Name);
            NameItem->setData(Qt::UserRole, int(I));
            GridItems->setItem(Row, 0, NameItem);
            GridItems->setItem(Row, 1, new QTableWidgetItem(Modified));
        }
        if (GridItems->rowCount() > 0) {
            const int Row = KeepRow ? std::clamp(Remembered, 1, GridItems->rowCount()) : 1;
            SelectRow(Row);
            ShowRecettes(Row);
        } else {
            MemoRecettes->clear();
        }
        if (Focus)
            GridItems->setFocus();
        EnableButtons();
    });
}

void TFormMenuList::EnableButtons()
{
    CreateContent();
    const bool Any = SelectedRow() > 0;
    BtOpen->setEnabled(Any);
    BtRename->setEnabled(Any);
    BtDelete->setEnabled(Any);
}

int TFormMenuList::SelectedRow() const
{
    if (!GridItems)
        return 0;
    const int Row = GridItems->currentRow();
    return Row >= 0 && Row < GridItems->rowCount() ? Row + 1 : 0;
}

void TFormMenuList::SelectRow(int Row)
{
    CreateContent();
    GridItems->setCurrentCell(Row - 1, 0);
    GridItems->selectRow(Row - 1);
}

int TFormMenuList::MenuRowCount() const
{
    return GridItems ? GridItems->rowCount() : 0;
}

int TFormMenuList::MenuIndex(int Row) const
{
    if (Row < 1 || Row > MenuRowCount())
        return -1;
    const QTableWidgetItem *Item = GridItems->item(Row - 1, 0);
    return Item ? Item->data(Qt::UserRole).toInt() : -1;
}

const TJsonValue *TFormMenuList::GetSelectedMenu() const
{
    const int Index = MenuIndex(SelectedRow());
    const TJsonValue &List = MenuArray();
    return Index >= 0 && std::size_t(Index) < List.size() ? &List[std::size_t(Index)] : nullptr;
}

void TFormMenuList::GridItemsSelectCell(int Row)
{
    if (Row >= 1)
        ShowRecettes(Row);
    EnableButtons();
}

void TFormMenuList::ShowRecettes(int Row)
{
    CreateContent();
    QStringList Lines;
    const int Index = MenuIndex(Row);
    const TJsonValue &List = MenuArray();
    if (Index >= 0 && std::size_t(Index) < List.size()) {
        const TJsonValue &Menu = List[std::size_t(Index)];
        const auto Recettes = Menu.is_object() ? Menu.find("recettes") : Menu.end();
        if (Recettes != Menu.end() && Recettes->is_array()) {
            for (const TJsonValue &Recette : *Recettes) {
                // A recipe without its day has no line of the preview; opening the menu refuses it.
                int Jour = 0;
                QString Name;
                if (!JsonIntMember(Recette, "jour", Jour))
                    continue;
                JsonTextMember(Recette, "name", Name);
                Lines.append(Format(QStringLiteral("J+%d %s"), {Jour, Name}));
            }
        }
    }
    // One assignment: the preview changes in one go, and the caret lands at its start.
    MemoRecettes->setPlainText(Lines.join(QLatin1Char('\n')));
    MemoRecettes->moveCursor(QTextCursor::Start);
    MemoRecettes->ensureCursorVisible();
}

void TFormMenuList::GridAutoWidth()
{
    Wrap("TFormMenuList.GridAutoWidth", [&] {
        CreateContent();
        if (GridItems->columnCount() <= AutoCol)
            return;
        int Width = GridItems->viewport()->width();
        if (!GridItems->verticalScrollBar()->isVisible())
            Width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int Col = 0; Col < GridItems->columnCount(); ++Col) {
            if (Col != AutoCol)
                Width -= GridItems->columnWidth(Col);
        }
        const QSignalBlocker Quiet(GridItems->horizontalHeader());
        GridItems->setColumnWidth(AutoCol, std::max(Width, 0));
    });
}

// ---- keys -------------------------------------------------------------------------------

bool TFormMenuList::eventFilter(QObject *Watched, QEvent *Event)
{
    bool Used = false;
    if (Watched == GridItems && Event->type() == QEvent::KeyPress) {
        const auto *Key = static_cast<QKeyEvent *>(Event);
        Guard([&] {
            Used = Wrap("TFormMenuList.GridItemsKeyDown", [&] { return GridItemsKeyDown(Key->key()); });
            if (!Used && Key->text().size() == 1 && Key->text().at(0).isPrint() &&
                !(Key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                Wrap("TFormMenuList.GridItemsKeyPress", [&] { GridItemsKeyPress(Key->text().at(0)); });
                Used = true;
            }
        });
    } else if (GridItems && Watched == GridItems->viewport() && Event->type() == QEvent::Wheel) {
        // One line a wheel step, whatever the desktop's setting.
        const int Delta = static_cast<QWheelEvent *>(Event)->angleDelta().y();
        if (Delta != 0) {
            QScrollBar *Bar = GridItems->verticalScrollBar();
            Bar->setValue(Bar->value() + (Delta < 0 ? 1 : -1));
        }
        Used = true;
    }
    return Used || QDialog::eventFilter(Watched, Event);
}

bool TFormMenuList::GridItemsKeyDown(int Key)
{
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (SelectedRow() > 0)
            OpenMenu();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Delete:
        if (SelectedRow() > 0)
            DeleteMenu();
        return true;
    default:
        return false;
    }
}

void TFormMenuList::GridItemsKeyPress(QChar Key)
{
    const QChar Folded = TypeAheadChar(Key);
    if (Folded.isNull())
        return;
    const unsigned Now = TickCount();
    if (Now - LastKeyTime >= TypeAheadDelay)
        SearchText.clear();
    LastKeyTime = Now;
    SearchText.append(Folded);
    SearchRow();
}

void TFormMenuList::SearchRow()
{
    const int Rows = MenuRowCount();
    if (Rows == 0)
        return;
    for (int Row = 1; Row <= Rows; ++Row) {
        const QString Name = StrToAscii(GridItems->item(Row - 1, 0)->text().left(SearchText.size()));
        if (CompareText(Name, SearchText) >= 0) {
            SelectRow(Row);
            return;
        }
    }
    SelectRow(Rows);
}

// ---- commands ---------------------------------------------------------------------------

void TFormMenuList::OpenMenu()
{
    if (SelectedRow() > 0)
        done(mrOk);
}

void TFormMenuList::RenameMenu()
{
    const TJsonValue *Menu = GetSelectedMenu();
    if (!Menu)
        return;
    const TServerMenu Server = ReadServerMenu(*Menu);
    if (!ShowFormName(RenameCaption, Server.Name))
        return;
    const int Index = MenuIndex(SelectedRow());
    const int Code = Server.Code;
    const QString Name = FormMenuName->GetName();
    WrapWithUser("TFormMenuList.RenameMenu", DuplicateNameText(), [&] { SlimApi->RenameMenu(Code, Name); });
    (*Menus.Root)[std::size_t(Index)]["name"] = JsonStr(Name);
    RefreshList(false, true);
    if (OnRename)
        OnRename(Code, Name);
}

void TFormMenuList::DeleteMenu()
{
    const TJsonValue *Menu = GetSelectedMenu();
    if (!Menu)
        return;
    const TServerMenu Server = ReadServerMenu(*Menu);
    if (FormDialog->Show(Format(QStringLiteral("Etes-vous sûr de vouloir supprimer ce menu ?\r\n(%s)"), {Server.Name}),
                         dtConfirm, dbAuto) != mrYes)
        return;
    const int Index = MenuIndex(SelectedRow());
    SlimApi->DeleteMenu(Server.Code);
    Menus.Root->erase(std::size_t(Index));
    RefreshList(false, true);
}

bool ShowMenuList(TMenuRenameEvent OnRename)
{
    return Wrap("ShowMenuList", [&] {
        FormMenuList->OnRename = std::move(OnRename);
        return FormMenuList->exec() == mrOk;
    });
}
