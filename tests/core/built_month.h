#pragma once
// A month built as the calendar builds it, for the tests.

#include <gtest/gtest.h>

#include "main/month_model.h"

namespace kelmora::testing {

inline MonthModel built(int year, int month, bool mondayStart = false) {
    MonthModel m;
    m.mondayStart = mondayStart;
    m.year = static_cast<std::uint16_t>(year);
    m.month = static_cast<std::uint16_t>(month);
    EXPECT_TRUE(m.buildMonth());
    return m;
}

inline MonthModel built(int year, int month, Layout layout) { return built(year, month, layout == MondayFirst); }

}  // namespace kelmora::testing
