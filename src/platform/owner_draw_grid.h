#pragma once
// A grid whose cells its owner paints: one fixed header row that stays while
// the rest scrolls row by row, rows of their own heights (resizable by
// dragging a row's lower border), a current cell, 1-pixel lines.

#include <QAbstractScrollArea>
#include <QVariant>
#include <functional>
#include <vector>

class QInputMethodEvent;

namespace kelmora {

class OwnerDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kLineWidth = 1;
    static constexpr int kFixedRows = 1;

    explicit OwnerDrawGrid(QWidget* parent = nullptr);

    // Paints one cell completely; the rectangle is in viewport coordinates.
    using DrawCell = std::function<void(QPainter&, int col, int row, const QRect&)>;
    DrawCell onDrawCell;
    // What an input method composing on the grid meets: the owner answers its
    // queries (an invalid answer: the grid's own) and takes its events (false:
    // not taken).
    std::function<QVariant(Qt::InputMethodQuery)> onInputMethodQuery;
    std::function<bool(QInputMethodEvent*)> onInputMethodEvent;

    void setColCount(int count);
    int colCount() const { return colCount_; }
    void setRowCount(int count);
    int rowCount() const { return static_cast<int>(rowHeights_.size()); }

    void setDefaultColWidth(int width);
    int defaultColWidth() const { return colWidth_; }
    // Sets every row to the height; rows added later get it too.
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return defaultRowHeight_; }
    // Repaints the row and everything below it when the height changes.
    void setRowHeight(int row, int height);
    int rowHeight(int row) const;

    int col() const { return col_; }
    int row() const { return row_; }
    // Moves the current cell and scrolls it into view.
    void setCurrentCell(int col, int row);
    void setCol(int col) { setCurrentCell(col, row_); }
    void setRow(int row) { setCurrentCell(col_, row); }

    int topRow() const { return topRow_; }
    void setTopRow(int row);
    int leftCol() const { return leftCol_; }
    void setLeftCol(int col);
    // Scrollable rows and columns shown whole from topRow / leftCol on.
    int visibleRowCount() const;
    int visibleColCount() const;
    // The viewport the scroll bars will leave: a bar shows only when the
    // cells do not fit without it (the viewport itself follows a moment
    // later).
    QSize settledViewportSize() const;

    // Viewport rectangle of a cell (right and bottom exclusive); empty when
    // the cell is scrolled out of view.
    QRect cellRect(int col, int row) const;
    // Asks for a paint of one cell (with its lines), or of a row and all
    // below it; nothing for what is scrolled out of view.
    void updateCell(int col, int row);
    void updateFromRow(int row);
    bool cellAt(const QPoint& viewportPos, int& col, int& row) const;

    // Sum over all rows (or columns) of size + line: the client size that
    // shows everything without scrolling.
    int totalHeight() const;
    int totalWidth() const;
    int frameExtent() const { return 2 * frameWidth(); }

    // Paints every cell with `drawCell` into `painter` at full size, from
    // row 0, as if nothing were scrolled (the printed page).
    void paintAll(QPainter& painter, const DrawCell& drawCell) const;

signals:
    void topLeftChanged();
    // After the grid has handled a press (any press but a right one has
    // moved the current cell to the pressed cell of a scrollable row and
    // scrolled it into view). (col, row) is the cell that was under the
    // press before any scrolling: row 0 for the header row, -1 beside the
    // cells.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int col, int row);
    void rowResized(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

public:
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowTop(int row) const;   // viewport y of a shown row, or -1
    int colLeft(int col) const;  // viewport x of a shown column, or -1
    int maxTopRow() const;
    int maxLeftCol() const;
    int borderRowAt(int y) const;  // row whose lower border is under y, or -1
    void updateScrollBars();
    // `exposed`: only the cells it touches are painted (all when null).
    void paintCells(QPainter& painter, int firstRow, int firstCol, int originY, bool fixedRowToo,
                    const DrawCell& drawCell, const QRegion* exposed) const;

    int colCount_ = 0;
    int colWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> rowHeights_;
    int col_ = 0;
    int row_ = kFixedRows;
    int topRow_ = kFixedRows;
    int leftCol_ = 0;
    int resizingRow_ = -1;
    int resizeGrabOffset_ = 0;
    bool syncingScrollBars_ = false;
};

}  // namespace kelmora
