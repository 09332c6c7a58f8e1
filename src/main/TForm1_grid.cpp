// The grid's cells as the window shows them: the calendar painter with what
// the window marks (the focus frame, the armed tool, the arrow's blinking
// first day).

#include "main/TForm1.h"
#include "main/calendar_painter.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {

const CalendarLook& TForm1::look() const {
    if (!look_ || look_->settings != settings || look_->ppi != ppi()) look_ = CalendarLook::from(settings, ppi());
    return *look_;
}

CalendarPaintState TForm1::paintState() const {
    CalendarPaintState state;
    state.focusFrame = !editorShown() && settings.focusFrame;
    state.focusCol = model.focusCol;
    state.focusRow = model.focusRow;
    if (arrowTool.state == ArrowWaitingForFirst) state.tool = CalendarPaintState::Tool::ArrowFirstDay;
    else if (holidayMarking) state.tool = CalendarPaintState::Tool::HolidayMarking;
    else if (weekdayMarking) state.tool = CalendarPaintState::Tool::WeekdayMarking;
    state.frameHalfWidth = dg1->defaultColWidth() / 2;
    state.frameHalfHeight = dg1->rowHeight(dg1->row()) / 2;
    // The arrow's first day blinks while the tool waits for the last one,
    // in the month in which it was chosen.
    if (arrowTool.state == ArrowWaitingForLast && model.year == arrowTool.startYear && model.month == arrowTool.startMonth) {
        state.blinkOn = arrowBlink;
        state.blinkCol = arrowTool.startCol;
        state.blinkRow = arrowTool.startRow;
    }
    state.koyomi = shownKoyomi();
    return state;
}

const MonthKoyomi* TForm1::shownKoyomi() const {
    return settings.rokuyo || settings.sekki ? koyomi.month(model.year, model.month) : nullptr;
}

void TForm1::dg1DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    CalendarPainter(model, look(), paintState()).paintCell(painter, col, row, rect);
}

TForm1::CellColours TForm1::memoCellColours(int col, int week) const {
    return kelmora::memoCellColours(model, settings, col, week);
}

}  // namespace kelmora
