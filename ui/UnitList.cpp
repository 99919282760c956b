#include "UnitList.h"

#include "UnitListGrid.h"

#include "DrawGrid.h"
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

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// ---------------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------------

const QString CaptionFusion = QStringLiteral("Fusionner");
const QString CaptionFusionWaiting = QStringLiteral("Fusionner*");
const QString SuffixAdd = QStringLiteral(" (ajout)");
const QString SuffixEdit = QStringLiteral(" (modification)");
const QString MsgDelete =
    QStringLiteral("Etes-vous sûr de vouloir supprimer l'élément sélectionné dans la liste ?\r\n(%s)");
const QString MsgDeleteIngredient =
    QStringLiteral("\r\n\r\nATTENTION ! Si vous confirmez la suppression,\r\n"
                   "cet ingrédient sera retiré de toutes les recettes qui en ont besoin !");
const QString MsgFusionSelf = QStringLiteral("Vous ne pouvez pas fusionner un ingrédient avec lui-même.");
const QString MsgFusionAsk = QStringLiteral("Etes-vous sûr de vouloir fusionner ces deux ingrédients ?\r\n(%s => %s)");
// The first ingredient was deleted between the two choices (by another window or program).
const QString UserFusionGone =
    QStringLiteral("Le premier ingrédient n'existe plus : il a été supprimé entre-temps. Rien n'a été fusionné.");
const QString UserFusionTogether =
    QStringLiteral("Assurez-vous que ces deux ingrédients ne sont jamais utilisés ensemble dans une recette.");
const QString IngredientTable = QStringLiteral("ingredient");

// ---------------------------------------------------------------------------------------
// Look
// ---------------------------------------------------------------------------------------

constexpr int ButtonLeft = 6;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 24;
constexpr int ButtonStep = 30;
constexpr int FilterTop = 22;
constexpr int FilterLeft = 5;
constexpr int FilterRightMargin = 6;
// The type-ahead starts a new search after this pause.
constexpr quint32 TypeAheadPause = 500;

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormList::TFormList(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormList"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(InputFont());
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, Qt::white);
    setPalette(Palette);
    setAutoFillBackground(true);
    setSizeGripEnabled(false);

    CreatePanelRight();
    CreatePanelLeft();
    ConnectEvents();

    setMinimumSize(MinClientWidth, MinClientHeight);
    resize(ClientWidth, ClientHeight);
    AlignControls();
}

TFormList::~TFormList()
{
    // The grid outlives this body (it is a child): it must not call back into a window
    // being destroyed.
    GridItems->ClearHandlers();
}

void TFormList::CreatePanelRight()
{
    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    Shape1 = NewGreyLine(PanelRight, QStringLiteral("Shape1"), QRect(0, 0, 1, ClientHeight));

    auto NewButton = [this](const QString &Name, const QString &Caption, int Index) {
        return TableEditors::NewButton(PanelRight, Name, Caption,
                                       QRect(ButtonLeft, 5 + Index * ButtonStep, ButtonWidth, ButtonHeight), 0);
    };
    BtAdd = NewButton(QStringLiteral("BtAdd"), QStringLiteral("&Ajouter"), 0);
    BtEdit = NewButton(QStringLiteral("BtEdit"), QStringLiteral("&Modifier"), 1);
    BtDelete = NewButton(QStringLiteral("BtDelete"), QStringLiteral("&Supprimer"), 2);
    BtFusion = NewButton(QStringLiteral("BtFusion"), CaptionFusion, 3);

    LbFusion = TableEditors::NewHint(
        PanelRight, QStringLiteral("LbFusion"),
        QStringLiteral("* Sélectionnez un 2ème ingrédient et cliquez à nouveau sur Fusionner"), QPoint(7, 125));
    LbFusion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LbFusion->setWordWrap(true);
    // At least the designed 61 pixels, and as tall as the wrapped hint needs, so that its
    // last words always show.
    LbFusion->setGeometry(7, 125, 100, std::max(61, LbFusion->heightForWidth(100)));
    LbFusion->hide();
}

void TFormList::CreatePanelLeft()
{
    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));

    GridItems = new TDrawGrid(PanelLeft);
    GridItems->setObjectName(QStringLiteral("GridItems"));
    GridItems->setFont(InputFont());
    QPalette GridPalette = GridItems->palette();
    GridPalette.setColor(QPalette::Base, Qt::white);
    GridItems->setPalette(GridPalette);
    GridItems->OnMeasureRow = [](int) { return ListGrid::RowHeight; };
    GridItems->OnDrawCell = [this](QPainter &Painter, int Row, const QRect &Rect) {
        GridItemsDrawCell(Painter, Row, Rect);
    };
    GridItems->OnDblClick = [this] { GridItemsDblClick(); };

    PanelTop = new QWidget(PanelLeft);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    Shape2 = NewGreyLine(PanelTop, QStringLiteral("Shape2"), QRect(0, 0, ClientWidth, 1));
    Label7 = TableEditors::NewHint(PanelTop, QStringLiteral("Label7"),
                                   QStringLiteral("Utilisez le filtre ci-dessous pour affiner votre recherche"),
                                   QPoint(5, 4));
    EdFilter = NewEdit(PanelTop, QStringLiteral("EdFilter"), QString(), QRect(FilterLeft, FilterTop, 530, 21));
}

void TFormList::ConnectEvents()
{
    // After an edit window or a question, Escape and the type-ahead reach the list at once.
    KeepActivation(this);
    TintOnFocus(EdFilter);
    GridItems->installEventFilter(this);
    GridItems->viewport()->installEventFilter(this);

    GuardedConnect(BtAdd, &TSevenButton::clicked, this, [this] { AddEdit(0); });
    GuardedConnect(BtEdit, &TSevenButton::clicked, this, [this] { AddEdit(1); });
    GuardedConnect(BtDelete, &TSevenButton::clicked, this, [this] { DeleteItem(); });
    GuardedConnect(BtFusion, &TSevenButton::clicked, this, [this] { BtFusionClick(); });
    GuardedConnect(EdFilter, &QLineEdit::textChanged, this, [this](const QString &) { EdFilterChange(); });
}

void TFormList::AlignControls()
{
    const int W = width();
    const int H = height();
    const int LeftWidth = std::max(0, W - PanelRightWidth);
    PanelRight->setGeometry(LeftWidth, 0, PanelRightWidth, H);
    Shape1->setGeometry(0, 0, 1, H);
    PanelLeft->setGeometry(0, 0, LeftWidth, H);
    const int GridHeight = std::max(0, H - PanelTopHeight);
    GridItems->setGeometry(0, 0, LeftWidth, GridHeight);
    PanelTop->setGeometry(0, GridHeight, LeftWidth, PanelTopHeight);
    Shape2->setGeometry(0, 0, LeftWidth, 1);
    EdFilter->setGeometry(FilterLeft, FilterTop, std::max(0, LeftWidth - FilterLeft - FilterRightMargin),
                          EdFilter->height());
}

// ---------------------------------------------------------------------------------------
// Creation routines
// ---------------------------------------------------------------------------------------

std::unique_ptr<TFormList> NewFormList(std::unique_ptr<TStringList> Columns, int DisplayCol,
                                       std::unique_ptr<TStringList> Fields, std::unique_ptr<TStringList> Keys,
                                       std::unique_ptr<TStringList> AddDefaults, const QString &SelectSql,
                                       const QString &TableName, TEditFunc EditFunc, const QString &Caption)
{
    return Wrap("NewFormList", [&] {
        // The lists belong to the window from here on: whatever fails below frees them with it.
        auto Form = std::make_unique<TFormList>();
        Form->Columns = std::move(Columns);
        Form->DisplayCol = DisplayCol;
        Form->Fields = std::move(Fields);
        Form->Keys = std::move(Keys);
        Form->AddDefaults = std::move(AddDefaults);
        Form->SelectSql = SelectSql;
        Form->TableName = TableName;
        Form->EditFunc = EditFunc;
        Form->setWindowTitle(Caption);
        LoadTableIcon(Form.get(), TableName);
        return Form;
    });
}

void ShowFormList(std::unique_ptr<TStringList> Columns, int DisplayCol, std::unique_ptr<TStringList> Fields,
                  std::unique_ptr<TStringList> Keys, std::unique_ptr<TStringList> AddDefaults, const QString &SelectSql,
                  const QString &TableName, TEditFunc EditFunc, const QString &Caption)
{
    Wrap("ShowFormList", [&] {
        std::unique_ptr<TFormList> Form =
            NewFormList(std::move(Columns), DisplayCol, std::move(Fields), std::move(Keys), std::move(AddDefaults),
                        SelectSql, TableName, EditFunc, Caption);
        Form->exec();
    });
}

void TFormList::IncludeInPanel(QWidget *Panel)
{
    FEmbedded = true;
    setWindowFlags(Qt::Widget);
    setParent(Panel);
    QLayout *Layout = Panel->layout();
    if (!Layout) {
        Layout = new QVBoxLayout(Panel);
        Layout->setContentsMargins(0, 0, 0, 0);
    }
    Layout->addWidget(this);
    setMinimumSize(0, 0);
    const QList<TSevenButton *> Buttons = PanelRight->findChildren<TSevenButton *>();
    for (TSevenButton *Button : Buttons)
        Button->SetTabStop(false);
}

// ---------------------------------------------------------------------------------------
// The grid's contents
// ---------------------------------------------------------------------------------------

int TFormList::RowCount() const
{
    return GridItems->RowCount();
}

QString TFormList::Cell(int Col, int Row) const
{
    if (Col < 0 || Col >= ColCount() || Row < 0 || Row >= RowCount())
        return QString();
    return FCells[std::size_t(Row) * std::size_t(ColCount()) + std::size_t(Col)];
}

int TFormList::Row() const
{
    return GridItems->Row();
}

void TFormList::SetRow(int Value)
{
    GridItems->SetRow(Value);
}

TQlTable &TFormList::TableRow(int Row)
{
    if (!Table || Row < 1 || !Table->MoveTo(static_cast<quint32>(Row - 1)))
        throw Exception(QStringLiteral("No row %d in the list"), {Row});
    return *Table;
}

void TFormList::PrepareCol()
{
    Wrap("TFormList.PrepareCol", [&] {
        const int Count = Columns ? Columns->Count() : 0;
        ColAlign.assign(std::size_t(Count), 0);
        ColWidths.assign(std::size_t(Count), 0);
        FCells.assign(std::size_t(Count), QString());
        AutoCol = 0;
        for (int I = 0; I < Count; ++I) {
            const TListColumn Column = ParseListColumn((*Columns)[I]);
            FCells[std::size_t(I)] = Column.Title;
            if (Column.HasWidth)
                ColWidths[std::size_t(I)] = Column.Width;
            else
                AutoCol = I;
            ColAlign[std::size_t(I)] = Column.Align;
        }
        GridItems->SetRowCount(1);
        GridAutoWidth();
    });
}

void TFormList::GridAutoWidth()
{
    Wrap("TFormList.GridAutoWidth", [&] {
        if (AutoCol < 0 || AutoCol >= ColCount())
            return;
        const int ScrollBar = GridItems->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, GridItems);
        ColWidths[std::size_t(AutoCol)] = ListGrid::AutoWidth(GridItems->width(), ColWidths, AutoCol, ScrollBar);
        GridItems->viewport()->update();
    });
}

void TFormList::RefreshList(bool Focus)
{
    Wrap("TFormList.RefreshList", [&] {
        CurrentDatabase().AddParamText(":filtername", LikeValue(EdFilter->text()));
        // The new rows are complete before anything shown changes.
        std::unique_ptr<TQlTable> NewTable = CurrentDatabase().GetTable(SelectSql);

        const std::size_t Cols = std::size_t(ColCount());
        const std::size_t Rows = NewTable->RowCount();
        FCells.resize(Cols);
        FCells.reserve((Rows + 1) * Cols);
        if (Rows > 0) {
            std::vector<QString> Names;
            std::vector<bool> Numeric;
            for (std::size_t C = 0; C < Cols; ++C) {
                Names.push_back(Columns->Names(static_cast<int>(C)));
                const int Index = NewTable->FieldIndex(Names.back());
                const int Type = NewTable->ColTypes()[std::size_t(Index)];
                Numeric.push_back(Type != dtStr && Type != dtBlob);
            }
            for (; !NewTable->Eof(); NewTable->Next()) {
                for (std::size_t C = 0; C < Cols; ++C) {
                    QString Value = NewTable->FieldAsString(Names[C]);
                    // A zero or a NULL number says nothing: its cell stays empty. A name is
                    // shown as it is, even one that reads as 0.
                    int Number = 0;
                    if (Numeric[C] && TryStrToInt(Value, Number) && Number == 0)
                        Value.clear();
                    FCells.push_back(std::move(Value));
                }
            }
        }
        Table = std::move(NewTable);

        // The header stays a fixed row even alone: it is never the selected row.
        GridItems->SetFixedRows(1);
        GridItems->SetRowCount(static_cast<int>(Rows) + 1);
        GridItems->SetTopRow(0);
        GridItems->SetRow(Rows > 0 ? 1 : 0);
        GridItems->viewport()->update();
        if (Focus)
            GridItems->setFocus(Qt::OtherFocusReason);
        EnableButtons();
    });
}

void TFormList::EnableButtons()
{
    const bool HasRow = Row() > 0;
    BtEdit->setEnabled(HasRow);
    BtDelete->setEnabled(HasRow);
}

int TFormList::IndexOfValue(const QString &Value, int Col) const
{
    return Wrap("TFormList.IndexOfValue", [&] {
        for (int R = 1; R < RowCount(); ++R) {
            if (CompareText(Cell(Col, R), Value) == 0)
                return R;
        }
        return -1;
    });
}

void TFormList::EvtRefresh(const QString &Name)
{
    Wrap("TFormList.EvtRefresh", [&] {
        RefreshList(false);
        if (Name.isEmpty())
            return;
        const int R = IndexOfValue(Name, DisplayCol);
        if (R > 1)
            SetRow(R);
    });
}

QString TFormList::PrepCondition(const TStringList &Keys)
{
    return Wrap("TFormList.PrepCondition", [&] {
        QStringList Conditions;
        for (const QString &Key : Keys)
            Conditions << QStringLiteral("(%1=:%1)").arg(Key);
        return Conditions.join(QStringLiteral(" and "));
    });
}

bool TFormList::IsIngredientTable() const
{
    return SameText(TableName, IngredientTable);
}

// ---------------------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------------------

void TFormList::AddEdit(int Mode)
{
    // The grid gets the focus back however the edit window ends, a failure included.
    struct TFocusGrid
    {
        TDrawGrid *Grid;
        ~TFocusGrid() { Grid->setFocus(Qt::OtherFocusReason); }
    } FocusGrid{GridItems};

    Wrap("TFormList.AddEdit", [&] {
        const int R = Row();
        if ((Mode == 1 && R < 1) || !EditFunc)
            return;
        TKVXStringList Values;
        if (Mode == 1) {
            if (Fields)
                TableToStrings(*Fields, TableRow(R), Values);
        } else if (AddDefaults) {
            Values.AddStrings(*AddDefaults);
        }
        const QString Caption = windowTitle() + (Mode == 0 ? SuffixAdd : SuffixEdit);
        EditFunc(Mode, &Values, TableName, Caption, [this](const QString &Name) { EvtRefresh(Name); });
    });
}

void TFormList::DeleteItem()
{
    Wrap("TFormList.DeleteItem", [&] {
        int R = Row();
        if (R >= 1) {
            QString Msg = Format(MsgDelete, {Cell(DisplayCol, R)});
            TDialogType Kind = dtConfirm;
            TDialogButtons Buttons = dbAuto;
            if (IsIngredientTable()) {
                Kind = dtAlert;
                Buttons = dbYesNo;
                Msg += MsgDeleteIngredient;
            }
            if (FormDialog->Show(Msg, Kind, Buttons) == mrYes) {
                // Every key is read before any is queued, so that a failed read leaves no
                // parameter behind for the next statement.
                TQlTable &Rows = TableRow(R);
                std::vector<std::pair<QByteArray, int>> Values;
                for (const QString &Key : std::as_const(*Keys))
                    Values.emplace_back(QByteArray(":") + Key.toUtf8(), Rows.FieldAsInteger(Key));
                for (const auto &[Name, Value] : Values)
                    CurrentDatabase().AddParamInt(Name, Value);
                CurrentDatabase().ExecSQL(Format(QStringLiteral("delete from %s where %s"), {TableName, PrepCondition(*Keys)}));
                RefreshList(true);
                while (R >= RowCount())
                    --R;
                SetRow(R);
            }
        }
        GridItems->setFocus(Qt::OtherFocusReason);
    });
}

void TFormList::SearchRow()
{
    int R = 1;
    for (; R < RowCount(); ++R) {
        const QString Prefix = StrToAscii(Cell(AutoCol, R).left(SearchText.size()));
        if (CompareText(Prefix, SearchText) >= 0)
            break;
    }
    SetRow(std::min(R, RowCount() - 1));
}

void TFormList::RazFusion()
{
    Wrap("TFormList.RazFusion", [&] {
        BtFusion->setVisible(IsIngredientTable());
        BtFusion->SetCaption(CaptionFusion);
        FusionStep = 0;
        LbFusion->hide();
        FusionCode = -1;
        FusionName.clear();
    });
}

void TFormList::StartFusion()
{
    Wrap("TFormList.StartFusion", [&] {
        BtFusion->SetCaption(CaptionFusionWaiting);
        LbFusion->show();
        FusionRow = Row();
        FusionCode = FusionRow >= 1 ? TableRow(FusionRow).FieldAsInteger(QStringLiteral("code")) : -1;
        FusionName = Cell(DisplayCol, FusionRow);
        FusionStep = 1;
    });
}

bool TFormList::DoFusion()
{
    return Wrap("TFormList.DoFusion", [&] {
        // The ingredients are compared, not their rows: a new filter between the two
        // choices may have put another ingredient in the first one's row.
        const int R2 = Row();
        const int C1 = FusionCode;
        const int C2 = R2 >= 1 ? TableRow(R2).FieldAsInteger(QStringLiteral("code")) : -1;
        if (C1 < 0 || C2 < 0)
            return false;
        if (C1 == C2) {
            FormDialog->Show(MsgFusionSelf, dtAlert, dbAuto);
            return false;
        }
        const QString Msg = Format(MsgFusionAsk, {FusionName, Cell(DisplayCol, R2)});
        if (FormDialog->Show(Msg, dtConfirm, dbAuto) != mrYes)
            return false;
        // One change for the user, one commit: a delete that fails takes the moved lines back.
        TSQLiteTransaction Merge(CurrentDatabase());
        try {
            CurrentDatabase().ExecSQL(Format(QStringLiteral("update ingredients set ingcode=%d where ingcode=%d"), {C2, C1}));
        } catch (const std::exception &E) {
            throw UserException::CreateUser(UserFusionTogether, &E);
        }
        CurrentDatabase().ExecSQL(Format(QStringLiteral("delete from ingredient where code=%d"), {C1}));
        if (CurrentDatabase().Changes() == 0)
            throw UserException::CreateUser(UserFusionGone);
        Merge.Commit();
        return true;
    });
}

// ---------------------------------------------------------------------------------------
// Event handlers
// ---------------------------------------------------------------------------------------

void TFormList::FormShow()
{
    Wrap("TFormList.FormShow", [&] {
        {
            // The list is loaded once below, with the columns of this showing.
            const QSignalBlocker Blocker(EdFilter);
            EdFilter->clear();
        }
        PrepareCol();
        RazFusion();
        RefreshList(true);
    });
}

void TFormList::BtFusionClick()
{
    Wrap("TFormList.BtFusionClick", [&] {
        if (FusionStep == 0) {
            StartFusion();
            return;
        }
        if (DoFusion())
            RefreshList(true);
        RazFusion();
    });
}

void TFormList::EdFilterChange()
{
    RefreshList(false);
}

bool TFormList::GridItemsKeyDown(int Key)
{
    return Wrap("TFormList.GridItemsKeyDown", [&] {
        switch (Key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            AddEdit(1);
            return false;
        case Qt::Key_Escape:
            reject();
            return true;
        case Qt::Key_Delete:
            DeleteItem();
            return false;
        default:
            return false;
        }
    });
}

void TFormList::GridItemsKeyPress(const QString &Text)
{
    Wrap("TFormList.GridItemsKeyPress", [&] {
        const QChar Key = Text.size() == 1 ? TypeAheadChar(Text.front()) : QChar();
        if (Key.isNull())
            return;
        const quint32 Now = GetTickCount();
        // Unsigned subtraction: the counter's wrap does no harm.
        if (quint32(Now - LastKeyTime) >= TypeAheadPause)
            SearchText.clear();
        LastKeyTime = Now;
        SearchText += Key;
        SearchRow();
    });
}

void TFormList::GridItemsDblClick()
{
    Wrap("TFormList.GridItemsDblClick", [&] {
        if (GridItems->RowAt(FDblClickPos) > 0)
            AddEdit(1);
    });
}

void TFormList::GridItemsDrawCell(QPainter &Painter, int Row, const QRect &Rect) const
{
    Wrap("TFormList.GridItemsDrawCell", [&] {
        std::vector<QString> Texts;
        Texts.reserve(std::size_t(ColCount()));
        for (int C = 0; C < ColCount(); ++C)
            Texts.push_back(Cell(C, Row));
        Painter.setFont(GridItems->font());
        ListGrid::DrawRow(Painter, Rect, Row, this->Row(), ColWidths, ColAlign, Texts);
    });
}

bool TFormList::GridItemsSizing(QEvent *Event)
{
    const auto *Mouse = static_cast<QMouseEvent *>(Event);
    const QPoint Pos = Mouse->position().toPoint();
    QWidget *Viewport = GridItems->viewport();
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        const int Col = GridItems->RowAt(Pos) == 0 && Mouse->button() == Qt::LeftButton
                            ? ListGrid::ColumnBorderAt(Pos.x(), ColWidths)
                            : -1;
        if (Col < 0)
            return false;
        FSizingCol = Col;
        FSizingStartX = Pos.x();
        FSizingStartWidth = ColWidths[std::size_t(Col)];
        return true;
    }
    case QEvent::MouseMove:
        if (FSizingCol >= 0) {
            ColWidths[std::size_t(FSizingCol)] = std::max(0, FSizingStartWidth + Pos.x() - FSizingStartX);
            Viewport->update();
            return true;
        }
        if (Mouse->buttons() == Qt::NoButton) {
            const bool OnBorder = GridItems->RowAt(Pos) == 0 && ListGrid::ColumnBorderAt(Pos.x(), ColWidths) >= 0;
            Viewport->setCursor(OnBorder ? Qt::SplitHCursor : Qt::ArrowCursor);
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (FSizingCol >= 0) {
            FSizingCol = -1;
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TFormList::eventFilter(QObject *Watched, QEvent *Event)
{
    bool Taken = false;
    if (Watched == GridItems && Event->type() == QEvent::KeyPress) {
        const auto *Key = static_cast<QKeyEvent *>(Event);
        Guard([&] {
            // Embedded in another window, the grid leaves Enter, Escape and Delete to it.
            if (!FEmbedded)
                Taken = GridItemsKeyDown(Key->key());
            if (!Taken)
                GridItemsKeyPress(Key->text());
        });
    } else if (Watched == GridItems->viewport()) {
        if (Event->type() == QEvent::MouseButtonDblClick)
            FDblClickPos = static_cast<QMouseEvent *>(Event)->position().toPoint();
        if (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseMove ||
            Event->type() == QEvent::MouseButtonRelease)
            Guard([&] { Taken = GridItemsSizing(Event); });
    }
    return Taken || QDialog::eventFilter(Watched, Event);
}

void TFormList::reject()
{
    if (!FEmbedded)
        done(mrCancel);
}

void TFormList::keyPressEvent(QKeyEvent *Event)
{
    // Embedded, the window's keys are the host window's: Escape answers its cancel button.
    if (FEmbedded) {
        Event->ignore();
        return;
    }
    QDialog::keyPressEvent(Event);
}

void TFormList::resizeEvent(QResizeEvent *Event)
{
    QDialog::resizeEvent(Event);
    AlignControls();
    Guard([this] { GridAutoWidth(); });
}

void TFormList::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    // A window brought back from the task bar is not shown anew.
    if (!Event->spontaneous())
        Guard([this] { FormShow(); });
}
