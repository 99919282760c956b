// The rows of the shopping-list window's list: where the parts of a row go, the model that
// mirrors the displayed list (one row per line, holding only its check state), the fonts and
// laid-out texts of the rows, and the delegate that paints them.
#pragma once

#include "UnitConst.h"
#include "UnitIngredientList.h"
#include "UnitLook.h"
#include "UnitToolsUi.h"

#include <QAbstractListModel>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QLine>
#include <QPixmap>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QStyledItemDelegate>
#include <QTransform>

#include <functional>
#include <vector>

class QPainter;

inline constexpr int CoursesItemHeight = 20;
// The check box of a row takes the first CoursesCheckWidth pixels of its item.
inline constexpr int CoursesCheckWidth = 15;
inline constexpr int CoursesCheckSize = 13;
// The "*" and "?" marks, and the column separator.
inline constexpr const char *CoursesMarkColor = "#C00000";
inline constexpr const char *CoursesSeparatorColor = "#BEBEBE";

// Where the parts of one row of the list go, for the item rectangle Item that the list view
// hands over. Cell is the row's cell right of its check box, the rectangle everything else
// is measured from.
struct TCoursesRowGeometry
{
    QRect CheckBox;
    QRect Cell;
    // Background of a shelf header, over the check box.
    QRect Band;
    // The "*" of a changed line or of a hidden quantity.
    QRect Star;
    // The "?" of a line that needs more than when it was crossed off.
    QRect Warn;
    QRect Text;
    // What hides the check box of a free article.
    QRect CheckCover;
    // The column separator.
    QLine Separator;
};
TCoursesRowGeometry CoursesRowGeometry(const QRect &Item);

// The rows of the list: one per line, drawn from the line, with only the check state kept.
class TCoursesListModel : public QAbstractListModel, public TIngredientListView
{
public:
    int rowCount(const QModelIndex &Parent) const override { return Parent.isValid() ? 0 : FRows; }
    QVariant data(const QModelIndex &Index, int Role) const override
    {
        if (!Index.isValid() || std::size_t(Index.row()) >= FChecked.size())
            return {};
        if (Role == Qt::DisplayRole)
            return QStringLiteral("-");
        if (Role == Qt::CheckStateRole)
            return FChecked[std::size_t(Index.row())] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex &Index) const override
    {
        return Index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

    // Between the two, rows change without a signal each and the view keeps seeing the rows
    // it knew; it is told once at the end. A refill that keeps the number of rows (the usual
    // refresh after a small change) then costs no new layout, only a repaint.
    void BeginRefill() { FRefilling = true; }
    void EndRefill()
    {
        FRefilling = false;
        const int Count = static_cast<int>(FChecked.size());
        if (Count == FRows) {
            if (Count > 0)
                emit dataChanged(index(0), index(Count - 1));
            return;
        }
        beginResetModel();
        FRows = Count;
        endResetModel();
    }

    void RowAdded() override { RowInserted(static_cast<int>(FChecked.size())); }
    void RowInserted(int Index) override
    {
        if (!FRefilling)
            beginInsertRows({}, Index, Index);
        FChecked.insert(FChecked.begin() + Index, 0);
        if (!FRefilling) {
            ++FRows;
            endInsertRows();
        }
    }
    void RowDeleted(int Index) override
    {
        if (!FRefilling)
            beginRemoveRows({}, Index, Index);
        FChecked.erase(FChecked.begin() + Index);
        if (!FRefilling) {
            --FRows;
            endRemoveRows();
        }
    }
    void Cleared() override
    {
        if (!FRefilling)
            beginResetModel();
        FChecked.clear();
        if (!FRefilling) {
            FRows = 0;
            endResetModel();
        }
    }
    bool RowChecked(int Index) const override { return FChecked.at(std::size_t(Index)) != 0; }
    void SetRowChecked(int Index, bool Checked) override
    {
        FChecked.at(std::size_t(Index)) = Checked ? 1 : 0;
        if (FRefilling)
            return;
        const QModelIndex Changed = index(Index);
        emit dataChanged(Changed, Changed, {Qt::CheckStateRole});
    }

private:
    std::vector<char> FChecked;
    // The rows the view knows; FChecked.size() except during a refill.
    int FRows = 0;
    bool FRefilling = false;
};

// The fonts of the rows, made once: every row of every paint uses them.
struct TCoursesRowFonts
{
    TCoursesRowFonts()
        : Header(PointFont(ArialName(), 12, true)), Star(PointFont(ArialName(), 12)), Warn(PointFont(ArialName(), 8)),
          Text(PointFont(ArialName(), 10)), Struck(Text), TextMetrics(Text), StruckMetrics(Text)
    {
        Struck.setStrikeOut(true);
        StruckMetrics = QFontMetrics(Struck);
    }
    static QString ArialName() { return QLatin1String(FontArial); }

    QFont Header;
    QFont Star;
    QFont Warn;
    QFont Text;
    QFont Struck;
    QFontMetrics TextMetrics;
    QFontMetrics StruckMetrics;

    // A text laid out once, cut to Width with an ellipsis when too long: a refresh repaints
    // the same texts, and laying them out again would cost more than the refresh itself.
    enum TTextKind
    {
        tkArticle,
        tkStruck,
        tkHeader,
        tkCount
    };
    const QStaticText &LaidText(const QString &Value, TTextKind Kind, int Width)
    {
        if (Width != CacheWidth || Cache[tkArticle].size() + Cache[tkStruck].size() > MaxCached) {
            for (QHash<QString, QStaticText> &Texts : Cache)
                Texts.clear();
            CacheWidth = Width;
        }
        QHash<QString, QStaticText> &Texts = Cache[Kind];
        auto Found = Texts.constFind(Value);
        if (Found != Texts.constEnd())
            return *Found;
        const QFontMetrics &Metrics = Kind == tkStruck ? StruckMetrics : TextMetrics;
        const bool Cut = Kind != tkHeader && Metrics.horizontalAdvance(Value) > Width;
        QStaticText Laid(Cut ? Metrics.elidedText(Value, Qt::ElideRight, Width) : Value);
        Laid.setTextFormat(Qt::PlainText);
        Laid.prepare(QTransform(), Kind == tkHeader ? Header : Kind == tkStruck ? Struck : Text);
        return *Texts.insert(Value, Laid);
    }

    const QColor Mark = HtmlColor(CoursesMarkColor);
    const QColor Separator = HtmlColor(CoursesSeparatorColor);

    static constexpr int MaxCached = 4096;
    QHash<QString, QStaticText> Cache[tkCount];
    int CacheWidth = -1;
};

// Paints each row: the check box where it shows, then what the window draws from the line.
class TCoursesDelegate : public QStyledItemDelegate
{
public:
    using TPaintRow = std::function<void(QPainter &Painter, int Row, const TCoursesRowGeometry &G, bool Focused)>;
    using THasCheckBox = std::function<bool(int Row)>;

    TCoursesDelegate(QObject *Parent, TPaintRow APaintRow, THasCheckBox AHasCheckBox)
        : QStyledItemDelegate(Parent), PaintRow(std::move(APaintRow)), HasCheckBox(std::move(AHasCheckBox))
    {
    }

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(100, CoursesItemHeight);
    }

private:
    const QPixmap &CheckBox(bool Checked, const QWidget *Widget) const;

    TPaintRow PaintRow;
    THasCheckBox HasCheckBox;
    mutable QPixmap FCheckBoxes[2];
};
