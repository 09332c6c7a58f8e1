#include "platform/owner_draw_grid.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QPaintEvent>
#include <algorithm>
#include <limits>

namespace kelmora {
namespace {
constexpr int kBorderGrip = 2;
constexpr int kMinRowHeight = 4;
const QColor kLineColour(0xA0, 0xA0, 0xA0);
}  // namespace

OwnerDrawGrid::OwnerDrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);  // every cell is painted whole
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);  // the owner decides what a composition does
}

void OwnerDrawGrid::setColCount(int count) {
    colCount_ = count;
    col_ = std::clamp(col_, 0, std::max(0, count - 1));
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawGrid::setRowCount(int count) {
    rowHeights_.resize(static_cast<std::size_t>(std::max(count, kFixedRows)), defaultRowHeight_);
    row_ = std::clamp(row_, kFixedRows, std::max(kFixedRows, count - 1));
    topRow_ = std::clamp(topRow_, kFixedRows, std::max(kFixedRows, maxTopRow()));
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawGrid::setDefaultColWidth(int width) {
    colWidth_ = std::max(1, width);
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawGrid::setDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(1, height);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawGrid::setRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount()) return;
    height = std::max(1, height);
    if (rowHeights_[static_cast<std::size_t>(row)] == height) return;
    rowHeights_[static_cast<std::size_t>(row)] = height;
    updateScrollBars();
    // The rows below move: they are painted again, the rows above are not.
    updateFromRow(row);
}

int OwnerDrawGrid::rowHeight(int row) const {
    if (row < 0 || row >= rowCount()) return 0;
    return rowHeights_[static_cast<std::size_t>(row)];
}

int OwnerDrawGrid::totalHeight() const {
    int total = 0;
    for (int h : rowHeights_) total += h + kLineWidth;
    return total;
}

int OwnerDrawGrid::totalWidth() const { return colCount_ * (colWidth_ + kLineWidth); }

QSize OwnerDrawGrid::settledViewportSize() const {
    const int w = width() - 2 * frameWidth(), h = height() - 2 * frameWidth();
    const int barW = verticalScrollBar()->sizeHint().width(), barH = horizontalScrollBar()->sizeHint().height();
    bool needV = totalHeight() > h;
    bool needH = totalWidth() > w - (needV ? barW : 0);
    if (needH && !needV) needV = totalHeight() > h - barH;
    return QSize(w - (needV ? barW : 0), h - (needH ? barH : 0));
}

int OwnerDrawGrid::maxTopRow() const {
    int room = settledViewportSize().height() - (rowHeight(0) + kLineWidth);
    int top = rowCount();
    while (top > kFixedRows && room >= rowHeight(top - 1) + kLineWidth) {
        room -= rowHeight(top - 1) + kLineWidth;
        --top;
    }
    return std::max(kFixedRows, std::min(top, rowCount() - 1));
}

int OwnerDrawGrid::maxLeftCol() const {
    int room = settledViewportSize().width();
    int left = colCount_;
    while (left > 0 && room >= colWidth_ + kLineWidth) {
        room -= colWidth_ + kLineWidth;
        --left;
    }
    return std::max(0, std::min(left, colCount_ - 1));
}

int OwnerDrawGrid::visibleRowCount() const {
    int room = viewport()->height() - (rowHeight(0) + kLineWidth);
    int count = 0;
    for (int r = topRow_; r < rowCount(); ++r) {
        room -= rowHeight(r) + kLineWidth;
        if (room < 0) break;
        ++count;
    }
    return count;
}

int OwnerDrawGrid::visibleColCount() const {
    int room = viewport()->width();
    int count = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        room -= colWidth_ + kLineWidth;
        if (room < 0) break;
        ++count;
    }
    return count;
}

int OwnerDrawGrid::rowTop(int row) const {
    if (row < kFixedRows) return 0;
    if (row < topRow_) return -1;
    int y = rowHeight(0) + kLineWidth;
    for (int r = topRow_; r < row; ++r) y += rowHeight(r) + kLineWidth;
    return y < viewport()->height() ? y : -1;
}

int OwnerDrawGrid::colLeft(int col) const {
    if (col < leftCol_ || col >= colCount_) return -1;
    int x = (col - leftCol_) * (colWidth_ + kLineWidth);
    return x < viewport()->width() ? x : -1;
}

QRect OwnerDrawGrid::cellRect(int col, int row) const {
    if (row < 0 || row >= rowCount()) return {};
    int x = colLeft(col), y = rowTop(row);
    if (x < 0 || y < 0) return {};
    return QRect(x, y, colWidth_, rowHeight(row));
}

bool OwnerDrawGrid::cellAt(const QPoint& pos, int& col, int& row) const {
    if (pos.x() < 0 || pos.y() < 0) return false;
    int c = leftCol_ + pos.x() / (colWidth_ + kLineWidth);
    if (c >= colCount_) return false;
    int y = rowHeight(0) + kLineWidth;
    if (pos.y() < y) {
        col = c;
        row = 0;
        return true;
    }
    for (int r = topRow_; r < rowCount(); ++r) {
        y += rowHeight(r) + kLineWidth;
        if (pos.y() < y) {
            col = c;
            row = r;
            return true;
        }
    }
    return false;
}

void OwnerDrawGrid::setTopRow(int row) {
    row = std::clamp(row, kFixedRows, std::max(kFixedRows, maxTopRow()));
    if (row == topRow_) return;
    topRow_ = row;
    updateScrollBars();
    viewport()->update();
    emit topLeftChanged();
}

void OwnerDrawGrid::setLeftCol(int col) {
    col = std::clamp(col, 0, maxLeftCol());
    if (col == leftCol_) return;
    leftCol_ = col;
    updateScrollBars();
    viewport()->update();
    emit topLeftChanged();
}

void OwnerDrawGrid::setCurrentCell(int col, int row) {
    col_ = std::clamp(col, 0, std::max(0, colCount_ - 1));
    row_ = std::clamp(row, kFixedRows, std::max(kFixedRows, rowCount() - 1));
    // Bring the cell into view: above the top, or below the last whole row.
    int top = topRow_;
    if (row_ < top) top = row_;
    while (top < row_) {
        int room = viewport()->height() - (rowHeight(0) + kLineWidth);
        for (int r = top; r <= row_; ++r) room -= rowHeight(r) + kLineWidth;
        if (room >= 0) break;
        ++top;
    }
    int left = leftCol_;
    if (col_ < left) left = col_;
    while (left < col_ && (col_ - left + 1) * (colWidth_ + kLineWidth) > viewport()->width()) ++left;
    bool moved = top != topRow_ || left != leftCol_;
    topRow_ = top;
    leftCol_ = left;
    updateScrollBars();
    viewport()->update();
    if (moved) emit topLeftChanged();
}

void OwnerDrawGrid::updateScrollBars() {
    syncingScrollBars_ = true;
    const int rows = std::max(0, maxTopRow() - kFixedRows);
    verticalScrollBar()->setRange(0, rows);
    verticalScrollBar()->setPageStep(std::max(1, visibleRowCount()));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(topRow_ - kFixedRows);
    horizontalScrollBar()->setRange(0, maxLeftCol());
    horizontalScrollBar()->setPageStep(std::max(1, visibleColCount()));
    horizontalScrollBar()->setValue(leftCol_);
    syncingScrollBars_ = false;
}

void OwnerDrawGrid::scrollContentsBy(int, int) {
    if (syncingScrollBars_) return;
    int top = verticalScrollBar()->value() + kFixedRows;
    int left = horizontalScrollBar()->value();
    if (top == topRow_ && left == leftCol_) return;
    topRow_ = top;
    leftCol_ = left;
    viewport()->update();
    emit topLeftChanged();
}

void OwnerDrawGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    int top = std::min(topRow_, maxTopRow());
    int left = std::min(leftCol_, maxLeftCol());
    bool moved = top != topRow_ || left != leftCol_;
    topRow_ = top;
    leftCol_ = left;
    updateScrollBars();
    if (moved) emit topLeftChanged();
}

void OwnerDrawGrid::paintCells(QPainter& painter, int firstRow, int firstCol, int originY, bool fixedRowToo,
                               const DrawCell& drawCell, const QRegion* exposed) const {
    // Cells outside the exposed area are left alone (the painter could not
    // reach them anyway); a cell and its lines right and below go together.
    const auto shown = [exposed](const QRect& cellAndLines) { return !exposed || exposed->intersects(cellAndLines); };
    auto paintRow = [&](int r, int y) {
        const int h = rowHeight(r);
        if (!shown(QRect(0, y, colCount_ * (colWidth_ + kLineWidth), h + kLineWidth))) return;
        for (int c = firstCol; c < colCount_; ++c) {
            const int x = (c - firstCol) * (colWidth_ + kLineWidth);
            if (!shown(QRect(x, y, colWidth_ + kLineWidth, h + kLineWidth))) continue;
            const QRect rect(x, y, colWidth_, h);
            painter.save();
            if (drawCell) drawCell(painter, c, r, rect);
            painter.restore();
            painter.fillRect(QRect(x + colWidth_, y, kLineWidth, h + kLineWidth), kLineColour);
            painter.fillRect(QRect(x, y + h, colWidth_, kLineWidth), kLineColour);
        }
    };
    const int bottom = exposed ? exposed->boundingRect().bottom() : std::numeric_limits<int>::max();
    int y = originY;
    if (fixedRowToo) {
        paintRow(0, y);
        y += rowHeight(0) + kLineWidth;
    }
    for (int r = firstRow; r < rowCount() && y <= bottom; ++r) {
        paintRow(r, y);
        y += rowHeight(r) + kLineWidth;
    }
}

void OwnerDrawGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    // Beyond the last cell: the window's colour (the cells paint themselves whole).
    const QRect all = viewport()->rect();
    const int right = std::max(0, colCount_ - leftCol_) * (colWidth_ + kLineWidth);
    int bottom = rowHeight(0) + kLineWidth;
    for (int r = topRow_; r < rowCount() && bottom < all.height(); ++r) bottom += rowHeight(r) + kLineWidth;
    painter.fillRect(QRect(right, 0, all.width() - right, all.height()), palette().window());
    painter.fillRect(QRect(0, bottom, right, all.height() - bottom), palette().window());
    paintCells(painter, topRow_, leftCol_, 0, true, onDrawCell, &event->region());
}

void OwnerDrawGrid::paintAll(QPainter& painter, const DrawCell& drawCell) const {
    paintCells(painter, kFixedRows, 0, 0, true, drawCell, nullptr);
}

void OwnerDrawGrid::updateCell(int col, int row) {
    const QRect cell = cellRect(col, row);
    if (!cell.isEmpty()) viewport()->update(cell.adjusted(0, 0, kLineWidth, kLineWidth));
}

void OwnerDrawGrid::updateFromRow(int row) {
    const int top = rowTop(row);
    if (top >= 0) viewport()->update(QRect(0, top, viewport()->width(), viewport()->height() - top));
}

int OwnerDrawGrid::borderRowAt(int y) const {
    int bottom = rowHeight(0);
    if (std::abs(y - bottom) <= kBorderGrip) return 0;
    bottom += kLineWidth;
    for (int r = topRow_; r < rowCount(); ++r) {
        bottom += rowHeight(r);
        if (std::abs(y - bottom) <= kBorderGrip) return r;
        bottom += kLineWidth;
    }
    return -1;
}

void OwnerDrawGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        int border = borderRowAt(pos.y());
        if (border >= 0) {
            resizingRow_ = border;
            resizeGrabOffset_ = pos.y() - (rowTop(border) + rowHeight(border));
            return;
        }
    }
    // The cell under the press, found once: bringing it into view below
    // moves it away from the press point.
    int c = 0, r = 0;
    if (!cellAt(pos, c, r)) c = r = -1;
    if (event->button() != Qt::RightButton && r >= kFixedRows) setCurrentCell(c, r);
    setFocus(Qt::MouseFocusReason);
    emit mousePressed(event->button(), event->modifiers(), c, r);
}

void OwnerDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (resizingRow_ >= 0) {
        int height = pos.y() - resizeGrabOffset_ - rowTop(resizingRow_);
        rowHeights_[static_cast<std::size_t>(resizingRow_)] = std::max(kMinRowHeight, height);
        updateScrollBars();
        viewport()->update();
        return;
    }
    viewport()->setCursor(borderRowAt(pos.y()) >= 0 ? Qt::SplitVCursor : Qt::ArrowCursor);
}

void OwnerDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (resizingRow_ >= 0) {
        int row = resizingRow_;
        resizingRow_ = -1;
        emit rowResized(row);
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void OwnerDrawGrid::keyPressEvent(QKeyEvent* event) {
    // The calendar's window decides what keys do.
    event->ignore();
}

void OwnerDrawGrid::inputMethodEvent(QInputMethodEvent* event) {
    if (onInputMethodEvent && onInputMethodEvent(event)) return;
    event->ignore();
}

QVariant OwnerDrawGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (onInputMethodQuery) {
        QVariant answer = onInputMethodQuery(query);
        if (answer.isValid()) return answer;
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

}  // namespace kelmora
