#pragma once
// Japan's national holidays under the national-holiday law (in force since
// 20 July 1948): the named days, the substitute holidays for named days that
// fall on a Sunday, and the citizens' holidays between two named days.

#include <cstdint>
#include <string>
#include <vector>

namespace kelmora {

// A named day of a month: `day` 0 marks an unused entry. The name is CP932.
struct Tsyukujitu {
    std::uint16_t day = 0;
    std::string name;
};

struct MonthHolidays {
    std::vector<Tsyukujitu> named;             // in day order; includes 国民の休日
    std::vector<std::uint16_t> substituteDays;  // in day order; each is a 振替休日
};

MonthHolidays holidaysOfMonth(int year, int month);

// Day of month of the equinoxes, from the mean tropical year counted from
// the equinoxes of 1996.
int vernalEquinoxDay(int year);
int autumnalEquinoxDay(int year);

// "振替休日", CP932.
const std::string& substituteHolidayName();

}  // namespace kelmora
