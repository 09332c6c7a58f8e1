#pragma once
// The shown month: which day sits in which cell of the seven-column grid,
// which days are holidays, and every day's memo, colours, arrow and marks.
//
// Cells are addressed [column][week]: column 0..6 left to right in the
// current week layout, week 1..6 top to bottom (index 0 is never used).
// Grid row 0 is the weekday header; week w has its date row 2w-1 and its
// memo row 2w.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main/civil_date.h"
#include "main/colour.h"
#include "main/national_holidays.h"

namespace kelmora {

constexpr int kColumns = 7;
constexpr int kWeeks = 6;

// Four-digit years only: month file names and the expired-file cleanup read
// the year from the first four characters of a name.
constexpr int kMinYear = 1000;
constexpr int kMaxYear = 9999;

enum Layout : std::uint8_t { SundayFirst = 0, MondayFirst = 1 };

struct Tdaycell {
    std::uint16_t day = 0;        // 0: the cell lies outside the month
    std::uint8_t holiday = 0;     // drawn as a holiday
    std::uint8_t substitute = 0;  // a substitute holiday ("振替休日")
};

// The arrow byte of a memo cell.
enum ArrowMark : std::uint8_t { NoArrow = 0, ArrowStart = 1, ArrowThrough = 2, ArrowEnd = 3 };

struct Tmemocell {
    std::string text;  // CP932, lines separated by CR LF
    std::uint8_t selected = 0;
    std::uint8_t arrow = NoArrow;
    Colour backColor = 0;
    std::uint8_t hasBackColor = 0;  // the colour value is kept when the flag is cleared
    Colour fontColor = 0;
    std::uint8_t hasFontColor = 0;
};

struct Tdaymark {
    std::uint8_t holidayMark = 0;
    std::uint8_t weekdayMark = 0;
};

// A day mark decides the day: a holiday mark makes it a holiday, a
// working-day mark a working day; without either it stays as built.
inline void applyDayMark(Tdaycell& cell, const Tdaymark& mark) {
    if (mark.holidayMark == 1) cell.holiday = 1;
    else if (mark.weekdayMark == 1) cell.holiday = 0;
}

// "日" .. "土" (CP932) for weekday 0 = Sunday .. 6 = Saturday.
const std::string& weekdayName(int weekday);

template <typename T>
using CellTable = std::array<std::array<T, kWeeks + 1>, kColumns>;

class MonthModel {
public:
    // Settings the build reads ("mon_start" and "weekholi"), set by the owner.
    bool mondayStart = false;
    std::array<std::uint8_t, 7> weeklyDaysOff{1, 0, 0, 0, 0, 0, 0};  // index 0 = Sunday

    std::uint16_t year = 1970;
    std::uint16_t month = 1;
    Date firstDate;
    std::uint16_t weekRows = 5;  // 5 or 6, never fewer than 5
    bool firstIsSunday = false;
    bool lastIsSunday = false;   // the month's last day is a Sunday
    std::string title;           // "2024年5月", CP932
    std::array<std::string, kColumns> weekdayNames;

    CellTable<Tdaycell> cells{};
    CellTable<Tmemocell> memos{};
    CellTable<Tdaymark> marks{};

    // The named days of each month 1..12, as last built.
    std::array<std::vector<Tsyukujitu>, 13> holidayTable;
    // Next entry of the shown month's list still to be matched during a build.
    std::uint16_t holidayScan = 0;

    bool dirty = false;
    bool arrowDataLoaded = false;
    std::uint16_t todayDay = 1, todayMonth = 1, todayYear = 1970;

    // The focus cell: where keyboard, editor and colour commands act.
    std::uint16_t focusCol = 0;
    std::uint16_t focusRow = 2;  // always a memo row

    // Runs whenever the selection is cleared (the window stops its blink).
    std::function<void()> onSelectionCleared;

    static bool isSupported(int year, int month) {
        return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12;
    }

    // Recomputes the cells, holiday flags, title and week count of
    // `year`/`month` in the current layout; memos and marks are untouched.
    // Refuses (returns false, changes nothing) outside the supported range.
    [[nodiscard]] bool buildMonth();
    void setWeekdayNames();
    void setToday(const Date& today);

    Layout layout() const { return mondayStart ? MondayFirst : SundayFirst; }
    // Column and week, in the current layout, of the day at (index, week) in `from`.
    int columnOf(int index, Layout from) const;
    int weekOf(int index, int week, Layout from) const;
    // Week rows the shown month has in `layout` (5 or 6).
    int weekRowsIn(Layout layout) const;

    void applyWeeklyDaysOff();
    void clearSelection();
    void clearMemos();

    int gridRows() const { return weekRows == 6 ? 13 : 11; }
    static int weekOfRow(int row) { return (row + 1) / 2; }
    static int dateRow(int week) { return 2 * week - 1; }
    static int memoRow(int week) { return 2 * week; }
    static bool inBlock(int col, int week) { return col >= 0 && col < kColumns && week >= 1 && week <= kWeeks; }

    // Column and week of a day of the shown month in the current layout.
    void cellOfDay(int day, int& col, int& week) const;

private:
    void nationalHolidayPass(const MonthHolidays& holidays, std::size_t& substituteScan, int day, int col, int week);
};

}  // namespace kelmora
