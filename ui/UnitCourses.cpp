#include "UnitCourses.h"

#include "KVXConversion.h"
#include "SevenButton.h"
#include "UnitAppEvents.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitCoursesPage.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitGraphicsQt.h"
#include "UnitIngredients.h"
#include "UnitLook.h"
#include "UnitRecette.h"
#include "UnitRecetteList.h"
#include "UnitTools.h"
#include "UnitToolsUi.h"
#include "UnitTypes.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStaticText>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>
#include <vector>

TFormCourses *FormCourses = nullptr;

namespace {

// ---------------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------------

const QString AlreadyInList = QStringLiteral("Cet article existe déjà dans votre liste.");
const QString ConfirmDelete = QStringLiteral("Etes-vous sûr de vouloir supprimer cet %s ?\r\n(%s)");
const QString ConfirmReset =
    QStringLiteral("Etes-vous sûr de vouloir réinitialiser la liste de courses ?\r\n"
                   "Vous retrouverez la liste initiale des ingrédients nécessaires pour vos menus, tous décochés.\r\n"
                   "Vous perdrez les quantités modifiées et les ingrédients/articles ajoutés (marqués d'une étoile).");
const QString CaptionResetIng = QStringLiteral("Remettre la quantité initiale (%s)");
const QString CaptionShowQuantity = QStringLiteral("%s la quantité");
const QString FicheCaption = QStringLiteral("Fiche recette");
const QString PageNotOpened = QStringLiteral("La liste a été enregistrée dans le fichier \"%s\".\r\n"
                                             "Ouvrez-le avec votre navigateur pour l'imprimer.");

// ---------------------------------------------------------------------------------------
// Look
// ---------------------------------------------------------------------------------------

// The hints are in the program's hint colour, the list's title in the grey of its
// information texts.
constexpr TColor HintColor = WindowHintColor;
constexpr TColor TitleColor = GridInfoColor;

QFont ListFont()
{
    return PointFont(QLatin1String(FontArial), 10);
}
QFont HintFont()
{
    return PointFont(QLatin1String(FontCalibri), 10, false, true);
}

// Places of the panel's controls; the buttons keep their distance to the right edge.
constexpr int ButtonTop = 5;
constexpr int ButtonHeight = 24;
constexpr int RefreshLeft = 510;
constexpr int ResetLeft = 611;
constexpr int ViewLeft = 725;
constexpr int ViewWidth = 155;
constexpr int RightMargin = TFormCourses::MinWidth - ViewLeft - ViewWidth;

} // namespace

namespace {

// The platform's input query: asks for one text under Title and Prompt, starting from Text;
// false when cancelled, else Text holds the answer.
bool InputQuery(QWidget *Parent, const QString &Name, const QString &Title, const QString &Prompt, QString &Text)
{
    QInputDialog Dialog(Parent);
    Dialog.setObjectName(Name);
    Dialog.setInputMode(QInputDialog::TextInput);
    Dialog.setWindowTitle(Title);
    Dialog.setLabelText(Prompt);
    Dialog.setOkButtonText(QStringLiteral("OK"));
    Dialog.setCancelButtonText(QStringLiteral("Annuler"));
    Dialog.setTextValue(Text);
    if (Dialog.exec() != QDialog::Accepted)
        return false;
    Text = Dialog.textValue();
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TFormCourses::TFormCourses(QWidget *Parent)
    : QWidget(Parent), FModel(std::make_unique<TCoursesListModel>()), Changes(FModel.get()),
      FFonts(std::make_unique<TCoursesRowFonts>())
{
    Wrap("TFormCourses.FormCreate", [&] {
        setObjectName(QStringLiteral("FormCourses"));
        setWindowTitle(QStringLiteral("Liste de courses"));
        setFont(ListFont());
        QPalette Palette = palette();
        Palette.setColor(QPalette::Window, Qt::white);
        setPalette(Palette);
        setAutoFillBackground(true);
        setMinimumSize(MinWidth, MinHeight);
        resize(MinWidth, MinHeight);

        if (Config)
            HtmlFile = Config->ExePath + QStringLiteral("html/liste.html");
        if (const QScreen *Screen = QApplication::primaryScreen())
            move(Screen->availableGeometry().center() - rect().center());
    });
}

TFormCourses::~TFormCourses()
{
    if (FormCourses == this)
        FormCourses = nullptr;
}

// The controls wait for the first showing or use: the window is created with the program
// but many starts never open it, and its panel, list and popup are a visible part of the time
// to the main window. The list's rows and the user's changes live apart from them, so the
// list is computed and changed the same way before.
void TFormCourses::CreateContent()
{
    if (Panel1)
        return;
    CreatePanel1();
    CreateListIng();
    CreatePopupList();
    ConnectEvents();
    AlignControls();
}

void TFormCourses::setVisible(bool Visible)
{
    if (Visible)
        Guard([this] { CreateContent(); });
    QWidget::setVisible(Visible);
}

void TFormCourses::CreatePanel1()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    EdIng = new QLineEdit(Panel1);
    EdIng->setObjectName(QStringLiteral("EdIng"));
    EdIng->setFont(ListFont());
    EdIng->setGeometry(5, 5, 491, 24);
    SetTextColor(EdIng, Qt::black);
    TintOnFocus(EdIng);

    Label7 = NewLabel(Panel1, QStringLiteral("Label7"),
                      QStringLiteral("Saisissez un nom d'article et appuyez sur Entrée pour l'ajouter dans la liste au "
                                     "rayon \"Divers\""),
                      QPoint(5, 30), HintFont());
    SetTextColor(Label7, HintColor);

    auto NewButton = [this](const QString &Name, const QString &Caption, int Left, int Width, bool Bold) {
        TSevenButton *Button = NewSevenButton(Panel1, Name, Caption, QRect(Left, ButtonTop, Width, ButtonHeight));
        Button->SetTabStop(false);
        QFont Font = WindowFont();
        Font.setBold(Bold);
        Button->setFont(Font);
        SetStateFonts(Button, Font);
        Button->Pictures()->SetAlignment(taLeftJustify);
        // The captions line up after their pictures, as on the main window's buttons.
        Button->SetAlignment(taLeftJustify);
        Button->Pictures()->SetPictureNormal(LoadResourcePicture(Name, QSize(16, 16)));
        return Button;
    };
    BtRefresh = NewButton(QStringLiteral("BtRefresh"), QStringLiteral("Rafraîchir"), RefreshLeft, 96, false);
    BtReset = NewButton(QStringLiteral("BtReset"), QStringLiteral("Réinitialiser"), ResetLeft, 109, false);
    BtView = NewButton(QStringLiteral("BtView"), QStringLiteral("Imprimer la liste"), ViewLeft, ViewWidth, true);

    Label8 = NewLabel(Panel1, QStringLiteral("Label8"), QStringLiteral("Liste des ingrédients et des articles"),
                      QPoint(5, 53), PointFont(QLatin1String(FontVerdana), 10, true));
    SetTextColor(Label8, TitleColor);
    Label1 = NewLabel(Panel1, QStringLiteral("Label1"),
                      QStringLiteral("Cochez les ingrédients et les articles que vous ne souhaitez pas voir sur votre "
                                     "liste imprimée"),
                      QPoint(0, 55), HintFont());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    SetTextColor(Label1, HintColor);

    Shape1 = NewGreyLine(this, QStringLiteral("Shape1"), QRect(0, PanelHeight, MinWidth, 1));
}

void TFormCourses::CreateListIng()
{
    ListIng = new QListView(this);
    ListIng->setObjectName(QStringLiteral("ListIng"));
    ListIng->setFrameShape(QFrame::NoFrame);
    ListIng->setFocusPolicy(Qt::ClickFocus);
    ListIng->setFont(ListFont());
    // Columns filled from top to bottom, then left to right, as a multi-column list box.
    ListIng->setFlow(QListView::TopToBottom);
    ListIng->setWrapping(true);
    ListIng->setResizeMode(QListView::Adjust);
    ListIng->setUniformItemSizes(true);
    ListIng->setSelectionMode(QAbstractItemView::SingleSelection);
    ListIng->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListIng->setContextMenuPolicy(Qt::CustomContextMenu);
    ListIng->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListIng->setModel(FModel.get());
    ListIng->setItemDelegate(new TCoursesDelegate(
        this,
        [this](QPainter &Painter, int Row, const TCoursesRowGeometry &G, bool Focused) {
            ListIngDrawItem(Painter, Row, G, Focused);
        },
        [this](int Row) { return Row < Lines.Count() && Lines.GetLineType(Row) == TIngredientList::ltIngredient; }));
    QPalette Palette = ListIng->palette();
    Palette.setColor(QPalette::Base, Qt::white);
    ListIng->setPalette(Palette);
}

void TFormCourses::CreatePopupList()
{
    PopupList = new QMenu(this);
    PopupList->setObjectName(QStringLiteral("PopupList"));
    auto Item = [this](const QString &Name, const QString &Caption) {
        QAction *Action = PopupList->addAction(Caption);
        Action->setObjectName(Name);
        return Action;
    };
    MenuAddIng = Item(QStringLiteral("MenuAddIng"), QStringLiteral("Ajouter un ingrédient"));
    PopupList->addSeparator()->setObjectName(QStringLiteral("N1"));
    MenuRec = new QMenu(QStringLiteral("Recettes associées"), PopupList);
    MenuRec->setObjectName(QStringLiteral("MenuRec"));
    MenuRec->menuAction()->setObjectName(QStringLiteral("MenuRecItem"));
    PopupList->addMenu(MenuRec);
    MenuChangeQuantity = Item(QStringLiteral("MenuChangeQuantity"), QStringLiteral("Modifier la quantité"));
    MenuResetIng = Item(QStringLiteral("MenuResetIng"), QStringLiteral("Remettre la quantité initiale"));
    MenuShowQuantity = Item(QStringLiteral("MenuShowQuantity"), QStringLiteral("Cacher la quantité"));
    MenuRename = Item(QStringLiteral("MenuRename"), QStringLiteral("Renommer"));
    MenuDelete = Item(QStringLiteral("MenuDelete"), QStringLiteral("Supprimer"));
}

void TFormCourses::ConnectEvents()
{
    KeepActivation(this);
    EdIng->installEventFilter(this);
    ListIng->viewport()->installEventFilter(this);

    GuardedConnect(BtRefresh, &TSevenButton::clicked, this, [this] { RefreshList(); });
    GuardedConnect(BtReset, &TSevenButton::clicked, this, [this] { ResetList(); });
    GuardedConnect(BtView, &TSevenButton::clicked, this, [this] { BtViewClick(); });
    GuardedConnect(ListIng, &QListView::customContextMenuRequested, this,
                   [this](const QPoint &Pos) { ListIngContextPopup(Pos); });
    GuardedConnect(MenuAddIng, &QAction::triggered, this, [this](bool) { AddIngredient(); });
    GuardedConnect(MenuChangeQuantity, &QAction::triggered, this, [this](bool) { MenuChangeQuantityClick(); });
    GuardedConnect(MenuResetIng, &QAction::triggered, this, [this](bool) { MenuResetIngClick(); });
    GuardedConnect(MenuShowQuantity, &QAction::triggered, this, [this](bool) { MenuShowQuantityClick(); });
    GuardedConnect(MenuRename, &QAction::triggered, this, [this](bool) { MenuRenameClick(); });
    GuardedConnect(MenuDelete, &QAction::triggered, this, [this](bool) { MenuDeleteClick(); });
    GuardedConnect(MenuRec, &QMenu::triggered, this, [this](QAction *Action) { EvtSelectRecette(Action); });
}

// ---------------------------------------------------------------------------------------
// Showing and refreshing
// ---------------------------------------------------------------------------------------

void TFormCourses::Show()
{
    Wrap("TFormCourses.Show", [&] {
        if (!Menu)
            throw UserException::CreateUser(QStringLiteral("List is not assigned"));
        RefreshList();
        if (isVisible()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            raise();
            activateWindow();
        } else {
            show();
        }
    });
}

void TFormCourses::RefreshList()
{
    Wrap("TFormCourses.RefreshList", [&] {
        if (!Menu)
            throw Exception(QStringLiteral("List is not assigned"));
        // The list must not paint a half-built list, and one layout after the refill is
        // cheaper than one per row. Before the first showing there is no list yet.
        if (ListIng)
            ListIng->setUpdatesEnabled(false);
        FModel->BeginRefill();
        auto Release = [this] {
            FModel->EndRefill();
            if (ListIng)
                ListIng->setUpdatesEnabled(true);
            RepaintList();
        };
        try {
            Changes.Recompute(*Menu);
        } catch (...) {
            Release();
            throw;
        }
        Release();
    });
}

void TFormCourses::ResetList()
{
    Wrap("TFormCourses.ResetList", [&] {
        if (FormDialog->Show(ConfirmReset, dtConfirm, dbAuto) != mrYes)
            return;
        ClearUserLists();
        RefreshList();
    });
}

void TFormCourses::ClearUserLists()
{
    Changes.ClearUserLists();
}

void TFormCourses::RepaintList()
{
    if (ListIng)
        ListIng->viewport()->update();
}

// ---------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------

void TFormCourses::ListIngDrawItem(QPainter &Painter, int Index, const TCoursesRowGeometry &G, bool Focused)
{
    Wrap("TFormCourses.ListIngDrawItem", [&] {
        const QRect &R = G.Cell;
        TCoursesRowFonts &Fonts = *FFonts;
        const int Flags = Qt::TextSingleLine | Qt::AlignVCenter;
        Painter.fillRect(R, Qt::white);
        if (Lines.GetLineType(Index) == TIngredientList::ltRayon) {
            const TLine *Rayon = Lines.GetLine(Index);
            Painter.fillRect(G.Band, TColorToQColor(Rayon->Color));
            Painter.setFont(Fonts.Header);
            Painter.setPen(Qt::white);
            const QStaticText &Text = Fonts.LaidText(Rayon->Text, TCoursesRowFonts::tkHeader, G.Text.width());
            const QSizeF Size = Text.size();
            Painter.drawStaticText(QPointF(G.Band.left() + (G.Band.width() - Size.width()) / 2,
                                           G.Band.top() + (G.Band.height() - Size.height()) / 2),
                                   Text);
        } else {
            const TLineArticle *Article = Lines.GetArticle(Index);
            const auto *Ing = dynamic_cast<const TLineIngredient *>(Article);
            if (Article->Modified || (Ing && !Ing->ShowQuantity)) {
                Painter.setFont(Fonts.Star);
                Painter.setPen(Fonts.Mark);
                Painter.drawText(G.Star, Flags | Qt::AlignLeft, QStringLiteral("*"));
            }
            if (Article->Warn) {
                Painter.setFont(Fonts.Warn);
                Painter.setPen(Fonts.Mark);
                Painter.drawText(G.Warn, Flags | Qt::AlignLeft, QStringLiteral("?"));
            }
            Painter.setFont(Article->Checked ? Fonts.Struck : Fonts.Text);
            Painter.setPen(Qt::black);
            const QStaticText &Text = Fonts.LaidText(
                Article->Text, Article->Checked ? TCoursesRowFonts::tkStruck : TCoursesRowFonts::tkArticle,
                G.Text.width());
            const qreal Top = G.Text.top() + (G.Text.height() - Text.size().height()) / 2;
            Painter.drawStaticText(QPointF(G.Text.left(), Top), Text);
            if (!Ing)
                Painter.fillRect(G.CheckCover,
                                 ListIng ? ListIng->palette().color(QPalette::Base) : QColor(Qt::white));
        }
        Painter.setPen(Fonts.Separator);
        Painter.drawLine(G.Separator);
        if (Focused) {
            QStyleOptionFocusRect Focus;
            Focus.rect = R;
            Focus.backgroundColor = Qt::white;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, &Painter, ListIng);
        }
    });
}

// ---------------------------------------------------------------------------------------
// Crossing off, the popup and its commands
// ---------------------------------------------------------------------------------------

int TFormCourses::RowAt(const QPoint &Pos) const
{
    if (!ListIng)
        return -1;
    const QModelIndex Index = ListIng->indexAt(Pos);
    return Index.isValid() && Index.row() < Lines.Count() ? Index.row() : -1;
}

void TFormCourses::InvertChecked2(const QPoint &Pos)
{
    Wrap("TFormCourses.InvertChecked2", [&] {
        Changes.InvertChecked1(RowAt(Pos));
        RepaintList();
    });
}

void TFormCourses::ListIngContextPopup(const QPoint &Pos)
{
    Wrap("TFormCourses.ListIngContextPopup", [&] {
        PopupIndex = RowAt(Pos);
        BuildContextMenu(PopupIndex);
        PopupList->popup(ListIng->viewport()->mapToGlobal(Pos));
    });
}

void TFormCourses::BuildContextMenu(int Index)
{
    Wrap("TFormCourses.BuildContextMenu", [&] {
        CreateContent();
        MenuRec->clear();
        MenuRec->menuAction()->setVisible(false);

        const bool OnLine = Index >= 0 && Index < Lines.Count();
        const quint8 Kind = OnLine ? Lines.GetLineType(Index) : 0;
        const TLineIngredient *Ing = Kind == TIngredientList::ltIngredient ? Lines.GetIngredient(Index) : nullptr;

        MenuShowQuantity->setVisible(Ing && !Ing->Checked && Ing->Quantity > 0);
        if (Ing)
            MenuShowQuantity->setText(Format(
                CaptionShowQuantity, {Ing->ShowQuantity ? QStringLiteral("Cacher") : QStringLiteral("Afficher")}));
        MenuChangeQuantity->setVisible(MenuShowQuantity->isVisible() && Ing->ShowQuantity);
        MenuResetIng->setVisible(MenuChangeQuantity->isVisible() && Ing->FromMenu && Ing->Modified);
        if (MenuResetIng->isVisible())
            MenuResetIng->setText(Format(CaptionResetIng, {Ing->GetInitialQuantityText()}));
        MenuDelete->setVisible(OnLine && Kind != TIngredientList::ltRayon && !Lines.GetFromMenu(Index));
        MenuRename->setVisible(OnLine && Kind == TIngredientList::ltDivers);

        if (Ing && Ing->FromMenu && !Ing->Checked && Menu) {
            const std::unique_ptr<TQlTable> Recettes = Menu->GetRecetteList3(Ing->IngCode);
            int K = 0;
            for (; !Recettes->Eof(); Recettes->Next(), ++K) {
                const QString Quantity = FormatIngredient(Recettes->FieldAsString(QStringLiteral("unite")),
                                                          Recettes->FieldAsString(QStringLiteral("ingredient")),
                                                          Recettes->FieldAsString(QStringLiteral("note")), true,
                                                          Recettes->FieldAsDouble(QStringLiteral("quantite")));
                QAction *Action = MenuRec->addAction(
                    QStringLiteral("%1 - %2").arg(Recettes->FieldAsString(QStringLiteral("name")), Quantity));
                Action->setObjectName(QStringLiteral("MenuRec%1").arg(K));
                Action->setData(Recettes->FieldAsInteger(QStringLiteral("code")));
            }
        }
        MenuRec->menuAction()->setVisible(!MenuRec->actions().isEmpty());
    });
}

void TFormCourses::EvtSelectRecette(const QAction *Item)
{
    Wrap("TFormCourses.EvtSelectRecette", [&] {
        if (ShowFormRecette2(FicheCaption, Item->data().toInt()) == mrOk)
            RefreshList();
    });
}

void TFormCourses::MenuChangeQuantityClick()
{
    Wrap("TFormCourses.MenuChangeQuantityClick", [&] {
        const TLineIngredient *Line = Lines.GetIngredient(PopupIndex);
        const double Old = Line->Quantity;
        QString Text = KVXFloatToString(Old);
        double New = -1;
        do {
            if (!InputQuery(this, QStringLiteral("InputQuantity"), Line->Text, QStringLiteral("Quantité :"), Text))
                return;
            New = KVXStringToFloat(Text, -1);
        } while (New < 0);
        Changes.ChangeQuantity(PopupIndex, New - Old);
        RepaintList();
    });
}

void TFormCourses::MenuResetIngClick()
{
    Changes.DeleteFromCustom(PopupIndex);
    RepaintList();
}

void TFormCourses::MenuShowQuantityClick()
{
    Changes.ToggleQuantity(PopupIndex);
    RepaintList();
}

void TFormCourses::MenuRenameClick()
{
    Wrap("TFormCourses.MenuRenameClick", [&] {
        const QString OldName = Lines.GetDivers(PopupIndex)->Text;
        QString Name = OldName;
        for (;;) {
            if (!InputQuery(this, QStringLiteral("InputName"), OldName, QStringLiteral("Nom :"), Name))
                return;
            Name = Trim(Name);
            if (Name.isEmpty())
                continue;
            if (Lines.IndexOf2(Name) < 0)
                break;
            FormDialog->Show(AlreadyInList, dtInfo, dbAuto);
        }
        Changes.RenameDivers(PopupIndex, Name);
        RepaintList();
    });
}

void TFormCourses::MenuDeleteClick()
{
    Wrap("TFormCourses.MenuDeleteClick", [&] {
        const QString Kind = Lines.GetLineType(PopupIndex) == TIngredientList::ltIngredient
                                 ? QStringLiteral("ingrédient")
                                 : QStringLiteral("article");
        if (FormDialog->Show(Format(ConfirmDelete, {Kind, Lines.GetLine(PopupIndex)->Text}), dtConfirm, dbAuto) !=
            mrYes)
            return;
        Changes.DeleteLine(PopupIndex);
        RepaintList();
    });
}

void TFormCourses::AddIngredient()
{
    Wrap("TFormCourses.AddIngredient", [&] {
        const std::unique_ptr<TFormIngredients> Form =
            NewFormIngredients(2, nullptr, QStringLiteral("ingredients"), QStringLiteral("Ajouter un ingrédient"), {});
        if (Form->exec() != mrOk)
            return;
        Changes.AddIng2(
            {Form->Quantity, Form->UnitCode, Form->UnitName, Form->IngCode, Form->IngName, Form->Note, Form->RayCode});
        RepaintList();
    });
}

void TFormCourses::EdIngKeyDown()
{
    Wrap("TFormCourses.EdIngKeyDown", [&] {
        const QString S = Trim(EdIng->text());
        if (S.isEmpty())
            return;
        const int J = Lines.IndexOf2(S);
        if (J >= 0 && Lines.GetLineType(J) == TIngredientList::ltIngredient) {
            FormDialog->Show(AlreadyInList, dtInfo, dbAuto);
            return;
        }
        Changes.AddDivers(S);
        EdIng->clear();
        RepaintList();
    });
}

// ---------------------------------------------------------------------------------------
// The printable page
// ---------------------------------------------------------------------------------------

void TFormCourses::BtViewClick()
{
    if (!Menu)
        throw UserException::CreateUser(QStringLiteral("List is not assigned"));
    Menu->AddHistorique();
    BuildHtml(HtmlFile);
    // Without a browser to start the page is still written: the user can open it by hand.
    if (!OpenDocument(HtmlFile))
        FormDialog->Show(Format(PageNotOpened, {HtmlFile}), dtInfo, dbAuto);
}

void TFormCourses::BuildHtml(const QString &FileName)
{
    if (!Menu)
        throw UserException::CreateUser(QStringLiteral("List is not assigned"));
    ::BuildHtml(*Menu, Lines, Config->HtmlDir, FileName);
}

// ---------------------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------------------

bool TFormCourses::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == EdIng) {
        if (Event->type() == QEvent::KeyPress) {
            const int Key = static_cast<QKeyEvent *>(Event)->key();
            if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
                Guard([this] { EdIngKeyDown(); });
                return true;
            }
        }
    } else if (ListIng && Watched == ListIng->viewport()) {
        // Only read for the mouse events below.
        const auto *Mouse = dynamic_cast<const QMouseEvent *>(Event);
        switch (Event->type()) {
        case QEvent::Resize:
            AlignColumns();
            break;
        case QEvent::MouseButtonPress:
            FSkipRelease = false;
            break;
        case QEvent::MouseButtonRelease:
            if (Mouse && Mouse->button() == Qt::LeftButton && !std::exchange(FSkipRelease, false)) {
                const QPoint Pos = Mouse->position().toPoint();
                const QModelIndex Index = ListIng->indexAt(Pos);
                if (Index.isValid() &&
                    CoursesRowGeometry(ListIng->visualRect(Index)).CheckBox.adjusted(-1, -3, 1, 3).contains(Pos))
                    Guard([&] { InvertChecked2(Pos); });
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (Mouse && Mouse->button() == Qt::LeftButton) {
                FSkipRelease = true;
                const QPoint Pos = Mouse->position().toPoint();
                Guard([&] { InvertChecked2(Pos); });
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TFormCourses::keyPressEvent(QKeyEvent *Event)
{
    // Closing only hides the window: the list and the user's changes stay for the next showing.
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TFormCourses::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    AlignControls();
}

void TFormCourses::showEvent(QShowEvent *Event)
{
    QWidget::showEvent(Event);
    if (!Event->spontaneous())
        Guard([this] { FormShow(); });
}

void TFormCourses::FormShow()
{
    Wrap("TFormCourses.FormShow", [&] {
        if (EdIng)
            EdIng->clear();
    });
}

void TFormCourses::AlignControls()
{
    if (!Panel1)
        return;
    const int W = width();
    const int Shift = W - MinWidth;
    Panel1->setGeometry(0, 0, W, PanelHeight);
    BtRefresh->move(RefreshLeft + Shift, ButtonTop);
    BtReset->move(ResetLeft + Shift, ButtonTop);
    BtView->move(ViewLeft + Shift, ButtonTop);
    Label1->adjustSize();
    Label1->move(W - RightMargin - Label1->width(), 55);
    Shape1->setGeometry(0, PanelHeight, W, 1);
    ListIng->setGeometry(0, PanelHeight + 1, W, std::max(0, height() - PanelHeight - 1));
}

void TFormCourses::AlignColumns()
{
    // Each of the three columns takes a third of the list's width.
    const QSize Grid(std::max(1, ListIng->viewport()->width() / ColumnCount), ItemHeight);
    if (ListIng->gridSize() != Grid)
        ListIng->setGridSize(Grid);
}
