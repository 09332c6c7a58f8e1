#pragma once
// A month of a year, ordered by date, stepping across the turn of the year.

namespace kelmora {

struct YearMonth {
    int year = 1970;
    int month = 1;
    auto operator<=>(const YearMonth&) const = default;
    YearMonth next() const { return month == 12 ? YearMonth{year + 1, 1} : YearMonth{year, month + 1}; }
    YearMonth previous() const { return month == 1 ? YearMonth{year - 1, 12} : YearMonth{year, month - 1}; }
};

}  // namespace kelmora
