#pragma once
// Pressing keys and clicking cells on the calendar window as a user does.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <utility>

#include "main/TForm1.h"
#include "platform/owner_draw_grid.h"

namespace kelmora::uitest {

inline void clickCell(TForm1& w, int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.dg1->viewport(), button, mods, w.dg1->cellRect(col, row).center());
    QApplication::processEvents();
}

// The key goes where the window sends it: to its focused control.
inline void pressKey(TForm1& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
    QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
    QApplication::processEvents();
}

// (column, memo row) of a day of the shown month.
inline std::pair<int, int> memoCellOfDay(const TForm1& w, int day) {
    int col = 0, week = 0;
    w.model.cellOfDay(day, col, week);
    return {col, MonthModel::memoRow(week)};
}

inline Tmemocell& memoAt(TForm1& w, int col, int row) { return w.model.memos[col][MonthModel::weekOfRow(row)]; }

inline std::pair<int, int> focusOf(const TForm1& w) { return {w.model.focusCol, w.model.focusRow}; }

inline void setFocusCell(TForm1& w, int col, int row) {
    w.model.focusCol = static_cast<std::uint16_t>(col);
    w.model.focusRow = static_cast<std::uint16_t>(row);
    w.dg1->setCurrentCell(col, row);
}

}  // namespace kelmora::uitest
