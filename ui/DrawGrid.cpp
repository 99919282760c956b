#include "DrawGrid.h"

#include "KVXGraphics.h"
#include "UnitAppEvents.h"
#include "UnitConst.h"
#include "UnitGraphicsQt.h"
#include "UnitLook.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace {

// One wheel notch as the desktop reports it.
constexpr int WheelStep = 120;
// Width of the frame around the selected row.
constexpr int SelectionFrameWidth = 2;

} // namespace

TDrawGrid::TDrawGrid(QWidget *Parent) : QAbstractScrollArea(Parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    GuardedConnect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int Value) {
        FTopRow = Value;
        viewport()->update();
    });
}

void TDrawGrid::SetRowCount(int Value)
{
    FRowCount = std::max(0, Value);
    InvalidateRowHeights();
    FRow = std::clamp(FRow, FirstSelectableRow(), std::max(0, FRowCount - 1));
    UpdateScrollBar();
    viewport()->update();
}

void TDrawGrid::SetFixedRows(int Value)
{
    FFixedRows = std::max(0, Value);
    FRow = std::clamp(FRow, FirstSelectableRow(), std::max(0, FRowCount - 1));
    UpdateScrollBar();
    viewport()->update();
}

int TDrawGrid::FirstSelectableRow() const
{
    return std::min(FFixedRows, std::max(0, FRowCount - 1));
}

void TDrawGrid::SetRow(int Value)
{
    FRow = std::clamp(Value, FirstSelectableRow(), std::max(0, FRowCount - 1));
    ScrollIntoView(FRow);
    viewport()->update();
}

void TDrawGrid::SetTopRow(int Value)
{
    UpdateScrollBar();
    verticalScrollBar()->setValue(std::clamp(Value, FFixedRows, MaxTopRow()));
    FTopRow = verticalScrollBar()->value();
    viewport()->update();
}

int TDrawGrid::MaxTopRow() const
{
    if (FRowCount <= FFixedRows)
        return FFixedRows;
    EnsureHeights();
    // The first row from which the remaining rows fit under the fixed ones; the last row in
    // any case.
    const auto First = std::lower_bound(FTops.begin() + FFixedRows, FTops.end() - 1,
                                        FTops.back() - (viewport()->height() - FixedHeight()));
    return std::min(int(First - FTops.begin()), FRowCount - 1);
}

int TDrawGrid::ColWidth() const
{
    return std::max(0, width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

int TDrawGrid::RowHeight(int Row) const
{
    if (Row < 0 || Row >= FRowCount)
        return 0;
    EnsureHeights();
    return FHeights[std::size_t(Row)];
}

void TDrawGrid::InvalidateRowHeights()
{
    FHeightsValid = false;
    FPaintFailed = false;
    UpdateScrollBar();
    viewport()->update();
}

void TDrawGrid::EnsureHeights() const
{
    if (FHeightsValid)
        return;
    // Valid from here on even when a handler fails, so that a failing measure cannot
    // recurse through the scroll bar's update.
    FHeightsValid = true;
    FHeights.assign(std::size_t(FRowCount), 1);
    auto BuildTops = [this] {
        FTops.resize(std::size_t(FRowCount) + 1);
        FTops[0] = 0;
        for (std::size_t I = 0; I < FHeights.size(); ++I)
            FTops[I + 1] = FTops[I] + FHeights[I] + GridLineWidth;
    };
    try {
        if (OnMeasureRow)
            for (int I = 0; I < FRowCount; ++I)
                FHeights[std::size_t(I)] = std::max(1, OnMeasureRow(I));
    } catch (...) {
        BuildTops();
        throw;
    }
    BuildTops();
}

int TDrawGrid::RowTop(int Row) const
{
    EnsureHeights();
    return FTops[std::size_t(std::clamp(Row, 0, FRowCount))];
}

int TDrawGrid::FixedHeight() const
{
    return RowTop(std::min(FFixedRows, FRowCount));
}

int TDrawGrid::RowAt(const QPoint &Pos) const
{
    if (Pos.y() < 0 || Pos.x() < 0 || Pos.x() >= ColWidth())
        return -1;
    const int Fixed = FixedHeight();
    if (Pos.y() < Fixed) {
        const int Count = std::min(FFixedRows, FRowCount);
        return int(std::upper_bound(FTops.begin() + 1, FTops.begin() + Count + 1, Pos.y()) - FTops.begin()) - 1;
    }
    if (FTopRow >= FRowCount)
        return -1;
    // Positions of the scrolling rows, as if they started at the top of row 0.
    const int Base = RowTop(FTopRow) - Fixed;
    // The first row whose bottom lies below Pos.
    const auto Below = std::upper_bound(FTops.begin() + FTopRow + 1, FTops.end(), Base + Pos.y());
    if (Below == FTops.end())
        return -1;
    const int Row = int(Below - FTops.begin()) - 1;
    // A row that starts below the view is not under the pointer.
    return RowTop(Row) - Base <= viewport()->height() ? Row : -1;
}

QRect TDrawGrid::CellRect(int Row) const
{
    if (Row >= 0 && Row < std::min(FFixedRows, FRowCount))
        return QRect(0, RowTop(Row), ColWidth(), RowHeight(Row));
    if (Row < FTopRow || Row >= FRowCount)
        return QRect();
    const int Y = FixedHeight() + RowTop(Row) - RowTop(FTopRow);
    if (Y >= viewport()->height())
        return QRect();
    return QRect(0, Y, ColWidth(), RowHeight(Row));
}

void TDrawGrid::ScrollLines(int Lines)
{
    SetTopRow(FTopRow + Lines);
}

void TDrawGrid::ClearHandlers()
{
    OnMeasureRow = nullptr;
    OnDrawCell = nullptr;
    OnMouseDown = nullptr;
    OnMouseMove = nullptr;
    OnClick = nullptr;
    OnDblClick = nullptr;
    OnDragOver = nullptr;
    OnDragDrop = nullptr;
    OnContextPopup = nullptr;
}

void TDrawGrid::BeginDrag(int Threshold)
{
    FDragPending = true;
    FDragThreshold = Threshold;
}

void TDrawGrid::SetCursorShape(Qt::CursorShape Shape)
{
    FCursor = Shape;
    if (!FDragging)
        viewport()->setCursor(Shape);
}

Qt::CursorShape TDrawGrid::CursorShape() const
{
    return viewport()->cursor().shape();
}

int TDrawGrid::VisibleRows() const
{
    if (FTopRow >= FRowCount)
        return 1;
    const int Limit = RowTop(FTopRow) + viewport()->height() - FixedHeight();
    // Rows from TopRow whose bottom is still within the view.
    const auto Beyond = std::upper_bound(FTops.begin() + FTopRow + 1, FTops.end(), Limit);
    return std::max(1, int(Beyond - FTops.begin()) - 1 - FTopRow);
}

void TDrawGrid::UpdateScrollBar()
{
    // Not blocked: the scroll area shows or hides the bar when its range changes.
    QScrollBar *Bar = verticalScrollBar();
    Bar->setRange(FFixedRows, std::max(FFixedRows, MaxTopRow()));
    Bar->setPageStep(VisibleRows());
    FTopRow = Bar->value();
}

void TDrawGrid::ScrollIntoView(int Value)
{
    // The fixed rows are always in view.
    if (FRowCount == 0 || Value < FFixedRows)
        return;
    if (Value < FTopRow) {
        SetTopRow(Value);
        return;
    }
    // The first row from which Value's bottom is in view, or Value itself when it is taller
    // than the view.
    const int Bottom = RowTop(Value + 1);
    const auto First = std::lower_bound(FTops.begin() + FTopRow, FTops.begin() + Value,
                                        Bottom - (viewport()->height() - FixedHeight()));
    const int Top = int(First - FTops.begin());
    if (Top != FTopRow)
        SetTopRow(Top);
}

void TDrawGrid::EndDrag()
{
    FDragPending = false;
    if (FDragging) {
        FDragging = false;
        viewport()->setCursor(FCursor);
    }
}

void TDrawGrid::paintEvent(QPaintEvent * /*Event*/)
{
    QPainter Painter(viewport());
    Painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const int Width = ColWidth();
    const int ViewHeight = viewport()->height();
    int Y = 0;
    // The fixed rows first, then the scrolling rows under them; only the rows in view.
    for (int I = 0; I < std::min(FFixedRows, FRowCount) && Y < ViewHeight; ++I) {
        if (!PaintRow(Painter, I, Y))
            return;
        Y += RowHeight(I) + GridLineWidth;
    }
    for (int I = FTopRow; I < FRowCount && Y < ViewHeight; ++I) {
        if (!PaintRow(Painter, I, Y))
            return;
        Y += RowHeight(I) + GridLineWidth;
    }
    if (FRowCount > 0)
        Painter.fillRect(QRect(Width, 0, GridLineWidth, std::min(Y, ViewHeight)), TColorToQColor(GridLineColor));
}

bool TDrawGrid::PaintRow(QPainter &Painter, int Row, int Y)
{
    const int Width = ColWidth();
    const QRect Cell(0, Y, Width, RowHeight(Row));
    if (OnDrawCell && !FPaintFailed) {
        Painter.save();
        Painter.setClipRect(Cell);
        try {
            OnDrawCell(Painter, Row, Cell);
        } catch (...) {
            // The error box is modal: it is shown once this paint is over, not inside it.
            FPaintFailed = true;
            Painter.restore();
            QTimer::singleShot(
                0, this, [Failure = std::current_exception()] { Guard([&] { std::rethrow_exception(Failure); }); });
            return false;
        }
        Painter.restore();
    }
    if (Row == FRow && Row >= FFixedRows) {
        // Our own discreet mark of the row the commands act on; the rows themselves
        // are drawn the same whether selected or not. A fixed row (a header) is never
        // one the commands act on, even when it is the only row.
        QPen Pen(palette().color(QPalette::Highlight), SelectionFrameWidth);
        Pen.setJoinStyle(Qt::MiterJoin);
        Painter.setPen(Pen);
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(Cell.adjusted(1, 1, -1, -1));
    }
    Painter.fillRect(QRect(0, Cell.bottom() + 1, Width + GridLineWidth, GridLineWidth), TColorToQColor(GridLineColor));
    return true;
}

void TDrawGrid::resizeEvent(QResizeEvent *Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    InvalidateRowHeights();
}

void TDrawGrid::scrollContentsBy(int /*Dx*/, int /*Dy*/)
{
    viewport()->update();
}

void TDrawGrid::mousePressEvent(QMouseEvent *Event)
{
    Guard([&] {
        const QPoint Pos = Event->position().toPoint();
        FDragPending = false;
        FAfterDoubleClick = false;
        FPressPos = Pos;
        if (Event->button() == Qt::LeftButton) {
            const int Hit = RowAt(Pos);
            if (Hit >= FFixedRows)
                SetRow(Hit);
        }
        if (OnMouseDown)
            OnMouseDown(Event->button(), Event->buttons(), Pos);
    });
}

void TDrawGrid::mouseMoveEvent(QMouseEvent *Event)
{
    Guard([&] {
        const QPoint Pos = Event->position().toPoint();
        if (FDragPending && (Event->buttons() & Qt::LeftButton)) {
            const QPoint Moved = Pos - FPressPos;
            if (std::abs(Moved.x()) >= FDragThreshold || std::abs(Moved.y()) >= FDragThreshold) {
                FDragPending = false;
                FDragging = true;
            }
        }
        if (FDragging) {
            const bool Accepted = OnDragOver && OnDragOver(Pos);
            viewport()->setCursor(Accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
            return;
        }
        if (OnMouseMove)
            OnMouseMove(Pos);
    });
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent *Event)
{
    Guard([&] {
        const QPoint Pos = Event->position().toPoint();
        if (FDragging) {
            EndDrag();
            if (Event->button() == Qt::LeftButton && OnDragOver && OnDragOver(Pos) && OnDragDrop)
                OnDragDrop(Pos);
            return;
        }
        FDragPending = false;
        const bool EndOfDoubleClick = FAfterDoubleClick;
        FAfterDoubleClick = false;
        if (Event->button() == Qt::LeftButton && !EndOfDoubleClick && OnClick) {
            FClickPos = Pos;
            OnClick();
        }
    });
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton) {
        mousePressEvent(Event);
        return;
    }
    Guard([&] {
        const QPoint Pos = Event->position().toPoint();
        FDragPending = false;
        FPressPos = Pos;
        FAfterDoubleClick = true;
        const int Hit = RowAt(Pos);
        if (Hit >= FFixedRows)
            SetRow(Hit);
        if (OnDblClick)
            OnDblClick();
        // The second press of the double click comes after it, as the desktop reports it.
        if (OnMouseDown)
            OnMouseDown(Event->button(), Event->buttons(), Pos);
    });
}

void TDrawGrid::wheelEvent(QWheelEvent *Event)
{
    Event->accept();
    // Fine-grained wheels add up to whole notches: one notch, one row.
    FWheelDelta += Event->angleDelta().y();
    int Lines = 0;
    for (; FWheelDelta >= WheelStep; FWheelDelta -= WheelStep)
        --Lines;
    for (; FWheelDelta <= -WheelStep; FWheelDelta += WheelStep)
        ++Lines;
    if (Lines != 0)
        ScrollLines(Lines);
}

void TDrawGrid::keyPressEvent(QKeyEvent *Event)
{
    switch (Event->key()) {
    case Qt::Key_Up:
        SetRow(FRow - 1);
        break;
    case Qt::Key_Down:
        SetRow(FRow + 1);
        break;
    case Qt::Key_PageUp:
        SetRow(FRow - VisibleRows());
        break;
    case Qt::Key_PageDown:
        SetRow(FRow + VisibleRows());
        break;
    case Qt::Key_Home:
        SetRow(0);
        break;
    case Qt::Key_End:
        SetRow(FRowCount - 1);
        break;
    case Qt::Key_Escape:
        if (FDragging || FDragPending) {
            EndDrag();
            break;
        }
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    }
    Event->accept();
}

void TDrawGrid::contextMenuEvent(QContextMenuEvent *Event)
{
    Event->accept();
    Guard([&] {
        if (OnContextPopup)
            OnContextPopup(Event->pos(), Event->reason() == QContextMenuEvent::Mouse, Event->globalPos());
    });
}
