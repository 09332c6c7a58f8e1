// kelmora-tool koyomi FROM TO: the almanac of every day from FROM to TO (ISO
// dates, both included), one line a day: the date, its lunar date, its 六曜
// and, on the day of a solar term, the term's name, separated by tabs (UTF-8).

#include <iostream>
#include <string>

#include "commands.h"
#include "main/civil_date.h"
#include "main/cp932.h"
#include "main/koyomi.h"

namespace kelmora::tool {
namespace {

// "YYYY-MM-DD" and nothing else, naming a real day.
bool parseIsoDate(const std::string& text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    if (!parseInt(text.substr(0, 4), date.year) || !parseInt(text.substr(5, 2), date.month) ||
        !parseInt(text.substr(8, 2), date.day))
        return false;
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

}  // namespace

int koyomiCommand(const Args& args) {
    if (args.size() != 2) return usageError("usage: koyomi FROM TO (dates as YYYY-MM-DD)");
    Date from, to;
    if (!parseIsoDate(args[0], from) || !parseIsoDate(args[1], to))
        return usageError("dates must be written YYYY-MM-DD");
    if (!KoyomiCalendar::covers(from.year) || !KoyomiCalendar::covers(to.year))
        return usageError("dates must lie between " + std::to_string(kKoyomiFirstYear) + "-01-01 and " +
                          std::to_string(kKoyomiLastYear) + "-12-31");
    if (from > to) return usageError("FROM is after TO");

    KoyomiCalendar calendar;
    for (long long days = daysFromCivil(from); days <= daysFromCivil(to); ++days) {
        const Date date = civilFromDays(days);
        const KoyomiDay& day = calendar.month(date.year, date.month)->day(date.day);
        std::cout << isoDate(date.year, date.month, date.day) << '\t' << cp932::toUtf8(lunarDateText(day)) << '\t' << cp932::toUtf8(rokuyoName(day.rokuyo));
        if (day.solarTerm >= 0) std::cout << '\t' << cp932::toUtf8(solarTermName(day.solarTerm));
        std::cout << '\n';
    }
    return 0;
}

}  // namespace kelmora::tool
