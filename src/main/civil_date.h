#pragma once
// Dates of the proleptic Gregorian calendar, counted in days.

#include <compare>

namespace kelmora {

struct Date {
    int year = 1970;
    int month = 1;
    int day = 1;
    auto operator<=>(const Date&) const = default;
};

// Days since 1970-01-01 (negative before it).
long long daysFromCivil(int year, int month, int day);
inline long long daysFromCivil(const Date& d) { return daysFromCivil(d.year, d.month, d.day); }
Date civilFromDays(long long days);

// 0 = Sunday .. 6 = Saturday.
int weekdayOf(int year, int month, int day);
bool isLeapYear(int year);
int daysInMonth(int year, int month);
Date addDays(const Date& date, long long days);

}  // namespace kelmora
