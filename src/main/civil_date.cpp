#include "main/civil_date.h"

namespace kelmora {

// The day counting follows the well-known era arithmetic: years start in
// March, so the leap day is the last day of its year.
long long daysFromCivil(int year, int month, int day) {
    long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civilFromDays(long long days) {
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return Date{static_cast<int>(y + (month <= 2 ? 1 : 0)), month, day};
}

int weekdayOf(int year, int month, int day) {
    long long days = daysFromCivil(year, month, day);
    long long weekday = (days + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

Date addDays(const Date& date, long long days) { return civilFromDays(daysFromCivil(date) + days); }

}  // namespace kelmora
