#include "platform/owner_draw_grid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <set>
#include <utility>

namespace kelmora {
namespace {

struct SmallGrid {
    SmallGrid() {
        grid.setColCount(7);
        grid.setDefaultColWidth(50);
        grid.setRowCount(11);
        grid.setDefaultRowHeight(20);
        grid.setRowHeight(0, 18);
        // Room for the columns and a vertical scroll bar; height for the
        // header and four rows.
        grid.resize(7 * 51 + 1 + grid.verticalScrollBar()->sizeHint().width(), 18 + 1 + 4 * 21);
        grid.show();
        QApplication::processEvents();
    }
    OwnerDrawGrid grid;
};

TEST(OwnerDrawGrid, DraggingARowBorderResizesTheRow) {
    SmallGrid g;
    int resized = -1;
    QObject::connect(&g.grid, &OwnerDrawGrid::rowResized, [&](int row) { resized = row; });
    const QRect row2 = g.grid.cellRect(3, 2);
    const QPoint border(row2.center().x(), row2.bottom() + 1);
    QTest::mousePress(g.grid.viewport(), Qt::LeftButton, {}, border);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(0, 15)), g.grid.viewport()->mapToGlobal(QPointF(border + QPoint(0, 15))),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.grid.viewport(), &move);
    QTest::mouseRelease(g.grid.viewport(), Qt::LeftButton, {}, border + QPoint(0, 15));
    EXPECT_EQ(resized, 2);
    EXPECT_EQ(g.grid.rowHeight(2), 35);
    EXPECT_EQ(g.grid.row(), 1);  // a drag is no click on a cell
}

TEST(OwnerDrawGrid, ScrollsRowByRowWithTheHeaderFixed) {
    SmallGrid g;
    EXPECT_EQ(g.grid.topRow(), 1);
    EXPECT_EQ(g.grid.visibleRowCount(), 4);
    g.grid.setCurrentCell(2, 8);  // below the shown rows: scrolled into view
    EXPECT_EQ(g.grid.topRow(), 5);
    // The last row shows whole, its line included.
    EXPECT_EQ(g.grid.cellRect(2, 8).bottom() + 1 + OwnerDrawGrid::kLineWidth, g.grid.viewport()->height());
    EXPECT_EQ(g.grid.cellRect(0, 0).top(), 0);
    EXPECT_TRUE(g.grid.cellRect(0, 4).isEmpty());  // scrolled away
    int col = -1, row = -1;
    ASSERT_TRUE(g.grid.cellAt(QPoint(120, 18 + 1 + 5), col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 5);
    g.grid.setCurrentCell(2, 2);
    EXPECT_EQ(g.grid.topRow(), 2);
}

// Only the cells a paint exposes are drawn: one cell, a row that grew and
// those below it, never the rows scrolled out of view.
TEST(OwnerDrawGrid, PaintsOnlyTheCellsThatAreExposed) {
    SmallGrid g;
    std::set<std::pair<int, int>> drawn;
    g.grid.onDrawCell = [&](QPainter&, int col, int row, const QRect&) { drawn.insert({col, row}); };
    const auto paintNow = [&] {
        drawn.clear();
        QApplication::processEvents();
        return drawn;
    };
    const auto rowsIn = [](const std::set<std::pair<int, int>>& cells) {
        std::set<int> rows;
        for (const auto& cell : cells) rows.insert(cell.second);
        return rows;
    };
    paintNow();

    g.grid.updateCell(3, 2);
    EXPECT_EQ(paintNow(), (std::set<std::pair<int, int>>{{3, 2}}));

    g.grid.setRowHeight(2, 20);  // no change: nothing to paint
    EXPECT_TRUE(paintNow().empty());

    g.grid.setRowHeight(2, 30);  // row 2 and the rows below it that show
    const auto grown = paintNow();
    EXPECT_EQ(rowsIn(grown), (std::set<int>{2, 3, 4}));
    EXPECT_EQ(grown.size(), 3u * 7u);

    g.grid.viewport()->update();  // everything that shows, nothing below
    EXPECT_EQ(rowsIn(paintNow()), (std::set<int>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace kelmora
