// Searching the memos of every month, and showing a day that was found.

#include "find/find_dialog.h"
#include "main/TForm1.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {

void TForm1::mnufindClick() {
    hideEditor();
    if (!form_find) {
        form_find = new Tform_find(this);
        // What is on the screen is searched too: the month is saved first.
        // (When it cannot be saved the user has been told; the files are
        // searched as they are.)
        form_find->onSearch = [this](const std::string& query) {
            saveBeforeLeaving();
            return searchMemoFiles(*env_.files, env_.programDir, query);
        };
    }
    runModal(*form_find);
    if (const std::optional<Date> day = form_find->chosenDay()) showDay(*day);
}

// The day's month, the focus cell on its memo cell, the day's date row and
// memo cell scrolled into view, the keyboard on the grid.
void TForm1::showDay(const Date& date) {
    if (model.year != date.year || model.month != date.month) {
        showMonth(date.year, date.month);
        if (model.year != date.year || model.month != date.month) return;  // the month could not be left
    }
    int col = 0, week = 1;
    model.cellOfDay(date.day, col, week);
    model.focusCol = static_cast<std::uint16_t>(col);
    model.focusRow = static_cast<std::uint16_t>(MonthModel::memoRow(week));
    dg1->setCurrentCell(col, MonthModel::dateRow(week));
    dg1->setCurrentCell(col, model.focusRow);
    dg1->setFocus(Qt::OtherFocusReason);
    dg1->viewport()->update();
}

}  // namespace kelmora
