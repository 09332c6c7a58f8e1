// kelmora-tool holidays FROM_YEAR TO_YEAR [--monday]: every day the calendar
// names or marks as a national holiday, built month by month as the
// calendar builds them.

#include <iostream>

#include "commands.h"
#include "main/cp932.h"
#include "main/month_model.h"

namespace kelmora::tool {
namespace {

void printMonth(const MonthModel& model) {
    const int days = daysInMonth(model.year, model.month);
    for (int day = 1; day <= days; ++day) {
        int col = 0, week = 0;
        model.cellOfDay(day, col, week);
        const Tdaycell& cell = model.cells[col][week];
        std::string names;
        auto add = [&](const std::string& cp932Name) {
            if (!names.empty()) names += "・";
            names += cp932::toUtf8(cp932Name);
        };
        for (const Tsyukujitu& entry : model.holidayTable[model.month])
            if (entry.day == day) add(entry.name);
        if (cell.substitute) add(substituteHolidayName());
        if (names.empty() && !cell.holiday) continue;
        std::cout << isoDate(model.year, model.month, day) << '\t' << names << '\n';
    }
}

}  // namespace

int holidaysCommand(const Args& args) {
    if (args.size() < 2 || args.size() > 3) return usageError("usage: holidays FROM_YEAR TO_YEAR [--monday]");
    int from = 0, to = 0;
    if (!parseInt(args[0], from) || !parseInt(args[1], to)) return usageError("years must be whole numbers");
    bool monday = false;
    if (args.size() == 3) {
        if (args[2] != "--monday") return usageError("unknown option: " + args[2]);
        monday = true;
    }
    if (!MonthModel::isSupported(from, 1) || !MonthModel::isSupported(to, 1))
        return usageError("years must lie between " + std::to_string(kMinYear) + " and " + std::to_string(kMaxYear));
    if (from > to) return usageError("FROM_YEAR is after TO_YEAR");

    MonthModel model;
    model.mondayStart = monday;
    model.weeklyDaysOff.fill(0);  // national holidays only
    for (int year = from; year <= to; ++year) {
        for (int month = 1; month <= 12; ++month) {
            model.year = static_cast<std::uint16_t>(year);
            model.month = static_cast<std::uint16_t>(month);
            if (!model.buildMonth()) return usageError("cannot build " + std::to_string(year));
            printMonth(model);
        }
    }
    return 0;
}

}  // namespace kelmora::tool
