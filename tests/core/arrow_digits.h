#pragma once
// The arrow marks of a month as one digit a day, day 1 first ('0' none,
// '1' first day, '2' a day between, '3' last day), so a test compares whole
// months at a glance.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "main/month_file_format.h"
#include "main/month_model.h"

namespace kelmora::testing {

// A month of `days` days with `marks` from `firstDay` on and none elsewhere.
inline std::string marked(int days, int firstDay = 1, const std::string& marks = "") {
    std::string digits(days, '0');
    digits.replace(firstDay - 1, marks.size(), marks);
    return digits;
}

inline std::string arrowDigits(const MonthModel& m) {
    std::string digits;
    for (int day = 1; day <= daysInMonth(m.year, m.month); ++day) {
        int col = 0, week = 0;
        m.cellOfDay(day, col, week);
        digits += static_cast<char>('0' + m.memos[col][week].arrow);
    }
    return digits;
}

// What the month's file in `programDir` holds (no file: no arrows).
inline std::string arrowDigitsOnDisk(const std::string& programDir, int year, int month, bool mondayStart = false) {
    MonthModel m;
    m.mondayStart = mondayStart;
    m.year = static_cast<std::uint16_t>(year);
    m.month = static_cast<std::uint16_t>(month);
    EXPECT_TRUE(m.buildMonth());
    std::ifstream in(monthFileName(programDir, year, month), std::ios::binary);
    if (in) {
        EXPECT_TRUE(decodeMonthFile(std::string(std::istreambuf_iterator<char>(in), {}), m));
    }
    return arrowDigits(m);
}

}  // namespace kelmora::testing
