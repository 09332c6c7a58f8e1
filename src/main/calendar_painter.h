#pragma once
// Paints the cells of the calendar: the weekday header, the date rows and
// the memo rows. It knows nothing of the window it serves; the grid on
// screen, the printed page and the preview each hand it the month, the look
// and what they want marked (focus frame, today, selection, the arrow's
// blinking first day).

#include <QRect>

#include "main/calendar_look.h"
#include "main/koyomi.h"
#include "main/month_model.h"

class QPainter;

namespace kelmora {

struct CalendarPaintState {
    // What the focus frame's colour tells: the tool that is armed.
    enum class Tool { None, ArrowFirstDay, HolidayMarking, WeekdayMarking };

    bool todayMark = true;   // draw today's mark (when the settings show it)
    bool selection = true;   // selected memo cells in the highlight colour
    bool focusFrame = false;  // the frame round the focus cell
    int focusCol = 0, focusRow = 0;
    Tool tool = Tool::None;
    // Where the frame's side marks sit: half the column width and half the
    // height of the grid's current row.
    int frameHalfWidth = 0, frameHalfHeight = 0;
    // The arrow's first day, filled with the arrow colour while it blinks on.
    bool blinkOn = false;
    int blinkCol = -1, blinkRow = -1;
    // The shown month's almanac, when the settings show 六曜 or solar terms.
    const MonthKoyomi* koyomi = nullptr;
};

class CalendarPainter {
public:
    CalendarPainter(const MonthModel& model, const CalendarLook& look, const CalendarPaintState& state)
        : model_(model), look_(look), state_(state) {}

    // Paints the cell (row 0 header, odd rows dates, even rows memos) whole.
    void paintCell(QPainter& painter, int col, int row, const QRect& rect) const;

private:
    void paintHeaderCell(QPainter& painter, int col, const QRect& rect) const;
    void paintDateCell(QPainter& painter, int col, int week, const QRect& rect) const;
    QStringList holidayNames(const Tdaycell& cell) const;
    QStringList almanacTexts(const Tdaycell& cell) const;
    void paintMemoCell(QPainter& painter, int col, int row, const QRect& rect) const;
    void paintFocusFrame(QPainter& painter, Colour lastFill, const QRect& rect) const;

    const MonthModel& model_;
    const CalendarLook& look_;
    const CalendarPaintState& state_;
};

}  // namespace kelmora
