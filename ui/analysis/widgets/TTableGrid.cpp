#include "ui/analysis/widgets/TTableGrid.h"


#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace korvex {

namespace {
// Where the cell text starts below the cell's top edge on the screen.
constexpr int kScreenTextOffset = 3;
// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;
} // namespace

TTableGrid::TTableGrid(QWidget* parent) : QAbstractScrollArea(parent), cells_(1, 1)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::WheelFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    gridPen_.setColor(palette().color(QPalette::Mid));
    colWidths_.assign(1, kDefaultColWidth);
    UpdateScrollBars();
}

void TTableGrid::SetContent(StringGrid content)
{
    const int firstWidth = colWidths_.empty() ? kDefaultColWidth : colWidths_.front();
    cells_ = std::move(content);
    rowToolTips_.clear();
    colWidths_.assign(static_cast<std::size_t>(ColCount()), kDefaultColWidth);
    if (!colWidths_.empty())
        colWidths_.front() = firstWidth;
    topRow_ = FixedRows();
    leftCol_ = FixedCols();
    UpdateScrollBars();
    viewport()->update();
}

void TTableGrid::SetRowToolTip(int row, const QString& text)
{
    if (text.isEmpty())
        rowToolTips_.erase(row);
    else
        rowToolTips_[row] = text;
}

QString TTableGrid::RowToolTip(int row) const
{
    const auto it = rowToolTips_.find(row);
    return it == rowToolTips_.end() ? QString() : it->second;
}

int TTableGrid::RowAt(const QPoint& pos) const
{
    for (int row = 0; row < RowCount(); ++row) {
        const int y = RowY(row);
        if (y >= 0 && pos.y() >= y && pos.y() < y + kDefaultRowHeight)
            return row;
    }
    return -1;
}

bool TTableGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = RowToolTip(RowAt(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

QString TTableGrid::CellText(int col, int row) const
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return {};
    return QString::fromStdString(cells_.Text(col, row));
}

int TTableGrid::ColWidth(int col) const
{
    if (col < 0 || col >= static_cast<int>(colWidths_.size()))
        return kDefaultColWidth;
    return colWidths_[static_cast<std::size_t>(col)];
}

void TTableGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= static_cast<int>(colWidths_.size()))
        return;
    width = std::max(width, 0);
    if (colWidths_[static_cast<std::size_t>(col)] == width)
        return;
    colWidths_[static_cast<std::size_t>(col)] = width;
    UpdateScrollBars();
    viewport()->update();
}

void TTableGrid::SetGridLineWidth(int width)
{
    width = std::max(width, 0);
    if (width == gridLineWidth_)
        return;
    gridLineWidth_ = width;
    UpdateScrollBars();
    viewport()->update();
}

QPen TTableGrid::GridPen() const
{
    QPen pen = gridPen_;
    pen.setWidth(gridLineWidth_);
    return pen;
}

void TTableGrid::SetGridPen(const QPen& pen)
{
    gridPen_ = pen;
    viewport()->update();
}

// ---- Scrolling ----

int TTableGrid::MaxTopRow() const
{
    const int step = kDefaultRowHeight + gridLineWidth_;
    const int room = viewport()->height() - FixedRows() * step;
    const int fit = std::max(1, room / step);
    return std::max(FixedRows(), RowCount() - fit);
}

int TTableGrid::MaxLeftCol() const
{
    int room = viewport()->width();
    for (int c = 0; c < FixedCols(); ++c)
        room -= ColWidth(c) + gridLineWidth_;
    int first = ColCount();
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
        room -= ColWidth(c) + gridLineWidth_;
        if (room < 0)
            break;
        first = c;
    }
    return std::clamp(first, FixedCols(), std::max(FixedCols(), ColCount() - 1));
}

int TTableGrid::VisibleRowCount() const
{
    const int step = kDefaultRowHeight + gridLineWidth_;
    const int room = viewport()->height() - FixedRows() * step;
    return std::clamp(room / step, 0, std::max(0, RowCount() - topRow_));
}

void TTableGrid::SetTopRow(int row)
{
    row = std::clamp(row, FixedRows(), MaxTopRow());
    if (row == topRow_)
        return;
    topRow_ = row;
    UpdateScrollBars();
    viewport()->update();
}

void TTableGrid::SetLeftCol(int col)
{
    col = std::clamp(col, FixedCols(), MaxLeftCol());
    if (col == leftCol_)
        return;
    leftCol_ = col;
    UpdateScrollBars();
    viewport()->update();
}

void TTableGrid::MouseWheelUp()
{
    if (topRow_ > FixedRows())
        SetTopRow(topRow_ - 1);
}

void TTableGrid::MouseWheelDown()
{
    if (VisibleRowCount() + topRow_ < RowCount())
        SetTopRow(topRow_ + 1);
}

void TTableGrid::UpdateScrollBars()
{
    // The bars count rows and columns, not pixels; the view may hold a position beyond a bar's
    // range after a resize, so the position is clamped here too.
    syncingScrollBars_ = true;
    topRow_ = std::clamp(topRow_, FixedRows(), MaxTopRow());
    leftCol_ = std::clamp(leftCol_, FixedCols(), MaxLeftCol());
    QScrollBar* v = verticalScrollBar();
    v->setRange(FixedRows(), MaxTopRow());
    v->setPageStep(std::max(1, VisibleRowCount()));
    v->setValue(topRow_);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(FixedCols(), MaxLeftCol());
    h->setPageStep(1);
    h->setValue(leftCol_);
    syncingScrollBars_ = false;
}

void TTableGrid::scrollContentsBy(int, int)
{
    if (syncingScrollBars_)
        return;
    topRow_ = verticalScrollBar()->value();
    leftCol_ = horizontalScrollBar()->value();
    viewport()->update();
}

void TTableGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TTableGrid::wheelEvent(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= kWheelNotch) {
        wheelRemainder_ -= kWheelNotch;
        MouseWheelUp();
    }
    while (wheelRemainder_ <= -kWheelNotch) {
        wheelRemainder_ += kWheelNotch;
        MouseWheelDown();
    }
    event->accept();
}

void TTableGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Up:
            MouseWheelUp();
            break;
        case Qt::Key_Down:
            MouseWheelDown();
            break;
        case Qt::Key_PageUp:
            SetTopRow(topRow_ - std::max(1, VisibleRowCount()));
            break;
        case Qt::Key_PageDown:
            SetTopRow(topRow_ + std::max(1, VisibleRowCount()));
            break;
        case Qt::Key_Home:
            SetTopRow(FixedRows());
            break;
        case Qt::Key_End:
            SetTopRow(RowCount());
            break;
        case Qt::Key_Left:
            SetLeftCol(leftCol_ - 1);
            break;
        case Qt::Key_Right:
            SetLeftCol(leftCol_ + 1);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

// ---- Geometry and painting ----

int TTableGrid::ColumnX(int col) const
{
    if (col < 0 || col >= ColCount() || (col >= FixedCols() && col < leftCol_))
        return -1;
    int x = 0;
    for (int c = 0; c < std::min(col, FixedCols()); ++c)
        x += ColWidth(c) + gridLineWidth_;
    for (int c = leftCol_; c < col; ++c)
        x += ColWidth(c) + gridLineWidth_;
    return x;
}

int TTableGrid::RowY(int row) const
{
    if (row < 0 || row >= RowCount() || (row >= FixedRows() && row < topRow_))
        return -1;
    const int step = kDefaultRowHeight + gridLineWidth_;
    return row < FixedRows() ? row * step : (FixedRows() + row - topRow_) * step;
}

QRect TTableGrid::CellRect(int col, int row) const
{
    const int x = ColumnX(col);
    const int y = RowY(row);
    if (x < 0 || y < 0)
        return {};
    return QRect(x, y, ColWidth(col), kDefaultRowHeight);
}

void TTableGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    // Each pass that stops widens one column for good, so the passes are bounded.
    for (int pass = 0; pass <= ColCount(); ++pass) {
        painter.fillRect(viewport()->rect(), color_);
        if (PaintCells(painter))
            break;
    }
}

bool TTableGrid::PaintCells(QPainter& painter)
{
    painter.setPen(GridPen());
    painter.setFont(font());
    const int width = viewport()->width();
    const int height = viewport()->height();
    auto nextRow = [this](int r) {
        return r + 1 == FixedRows() ? std::max(topRow_, r + 1) : r + 1;
    };
    auto nextCol = [this](int c) {
        return c + 1 == FixedCols() ? std::max(leftCol_, c + 1) : c + 1;
    };
    const int firstRow = FixedRows() > 0 ? 0 : topRow_;
    const int firstCol = FixedCols() > 0 ? 0 : leftCol_;
    for (int r = firstRow; r < RowCount(); r = nextRow(r)) {
        const int y = RowY(r);
        if (y >= height)
            break;
        for (int c = firstCol; c < ColCount(); c = nextCol(c)) {
            const int x = ColumnX(c);
            if (x >= width)
                break;
            const QRect rect(x, y, ColWidth(c), kDefaultRowHeight);
            if (!PaintTableCell(painter, *this, c, r, rect, IsFixedCell(c, r), kScreenTextOffset))
                return false;
        }
    }
    return true;
}

} // namespace korvex
