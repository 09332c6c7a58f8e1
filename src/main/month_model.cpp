#include "main/month_model.h"

#include "main/cp932.h"

namespace kelmora {
namespace {

int startColumn(int weekdayOfFirst, Layout layout) {
    if (layout == SundayFirst) return weekdayOfFirst;
    return weekdayOfFirst == 0 ? 6 : weekdayOfFirst - 1;
}

int weeksFor(int startCol, int days) {
    int weeks = (startCol + days + kColumns - 1) / kColumns;
    return weeks < 5 ? 5 : weeks;
}

}  // namespace

bool MonthModel::buildMonth() {
    if (!isSupported(year, month)) return false;

    static const std::string kYear = cp932::literal("年");
    static const std::string kMonth = cp932::literal("月");
    title = std::to_string(year) + kYear + std::to_string(month) + kMonth;

    firstDate = Date{year, month, 1};
    const int wd = weekdayOf(year, month, 1);
    const int days = daysInMonth(year, month);
    firstIsSunday = wd == 0;
    lastIsSunday = weekdayOf(year, month, days) == 0;

    for (auto& column : cells) column.fill(Tdaycell{});
    const MonthHolidays holidays = holidaysOfMonth(year, month);
    holidayScan = 0;
    std::size_t substituteScan = 0;

    int col = startColumn(wd, layout());
    int week = 1;
    for (int day = 1; day <= days; ++day) {
        cells[col][week].day = static_cast<std::uint16_t>(day);
        nationalHolidayPass(holidays, substituteScan, day, col, week);
        if (++col == kColumns && day < days) {
            col = 0;
            ++week;
        }
    }
    holidayTable[month] = holidays.named;
    weekRows = static_cast<std::uint16_t>(week < 5 ? 5 : week);
    applyWeeklyDaysOff();
    if (weekRows == 5 && focusRow == 12) focusRow = 10;
    return true;
}

// A named day marks its own cell, except on a Sunday: the Sunday keeps its
// weekly colours and the substitute day after it carries the holiday.
void MonthModel::nationalHolidayPass(const MonthHolidays& holidays, std::size_t& substituteScan, int day, int col,
                                     int week) {
    Tdaycell& cell = cells[col][week];
    bool sunday = weekdayOf(year, month, day) == 0;
    while (holidayScan < holidays.named.size() && holidays.named[holidayScan].day == day) {
        if (!sunday) cell.holiday = 1;
        ++holidayScan;
    }
    if (substituteScan < holidays.substituteDays.size() && holidays.substituteDays[substituteScan] == day) {
        cell.holiday = 1;
        cell.substitute = 1;
        ++substituteScan;
    }
}

const std::string& weekdayName(int weekday) {
    static const std::array<std::string, 7> kNames{cp932::literal("日"), cp932::literal("月"), cp932::literal("火"),
                                                   cp932::literal("水"), cp932::literal("木"), cp932::literal("金"),
                                                   cp932::literal("土")};
    return kNames[static_cast<std::size_t>(weekday) % 7];
}

void MonthModel::setWeekdayNames() {
    for (int weekday = 0; weekday < 7; ++weekday) weekdayNames[columnOf(weekday, SundayFirst)] = weekdayName(weekday);
}

void MonthModel::setToday(const Date& today) {
    todayYear = static_cast<std::uint16_t>(today.year);
    todayMonth = static_cast<std::uint16_t>(today.month);
    todayDay = static_cast<std::uint16_t>(today.day);
}

int MonthModel::columnOf(int index, Layout from) const {
    if (from == layout()) return index;
    if (from == SundayFirst) return index == 0 ? 6 : index - 1;
    return index == 6 ? 0 : index + 1;
}

int MonthModel::weekOf(int index, int week, Layout from) const {
    if (from == layout()) return week;
    if (from == SundayFirst) {
        if (firstIsSunday) return index == 0 ? week : week + 1;
        return index == 0 ? week - 1 : week;
    }
    if (firstIsSunday) return index == 6 ? week : week - 1;
    return index == 6 ? week + 1 : week;
}

int MonthModel::weekRowsIn(Layout which) const {
    return weeksFor(startColumn(weekdayOf(year, month, 1), which), daysInMonth(year, month));
}

void MonthModel::applyWeeklyDaysOff() {
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (!weeklyDaysOff[weekday]) continue;
        auto& column = cells[columnOf(weekday, SundayFirst)];
        for (int week = 1; week <= kWeeks; ++week)
            if (column[week].day != 0) column[week].holiday = 1;
    }
}

void MonthModel::clearSelection() {
    if (onSelectionCleared) onSelectionCleared();
    for (auto& column : memos)
        for (auto& memo : column) memo.selected = 0;
}

void MonthModel::clearMemos() {
    for (int col = 0; col < kColumns; ++col) {
        for (int week = 0; week <= kWeeks; ++week) {
            Tmemocell& memo = memos[col][week];
            memo.text.clear();
            memo.arrow = NoArrow;
            memo.hasBackColor = 0;
            memo.hasFontColor = 0;
            marks[col][week] = Tdaymark{};
        }
    }
}

void MonthModel::cellOfDay(int day, int& col, int& week) const {
    int index = startColumn(weekdayOf(year, month, 1), layout()) + day - 1;
    col = index % kColumns;
    week = index / kColumns + 1;
}

}  // namespace kelmora
