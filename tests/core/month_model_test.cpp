#include "main/month_model.h"

#include <gtest/gtest.h>

#include "built_month.h"

#include "main/cp932.h"

namespace kelmora {
namespace {

using testing::built;

// The days of a week row, 0 for cells outside the month.
std::array<int, 7> weekDays(const MonthModel& m, int week) {
    std::array<int, 7> days{};
    for (int col = 0; col < kColumns; ++col) days[col] = m.cells[col][week].day;
    return days;
}

using Week = std::array<int, 7>;

TEST(MonthModel, ThirtyOneDaysFromASunday) {
    // December 2024 begins on a Sunday.
    MonthModel sunday = built(2024, 12, false);
    EXPECT_EQ(sunday.weekRows, 5);
    EXPECT_EQ(sunday.gridRows(), 11);
    EXPECT_TRUE(sunday.firstIsSunday);
    EXPECT_EQ(weekDays(sunday, 1), (Week{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(weekDays(sunday, 5), (Week{29, 30, 31, 0, 0, 0, 0}));
    EXPECT_EQ(weekDays(sunday, 6), (Week{}));

    MonthModel monday = built(2024, 12, true);
    EXPECT_EQ(monday.weekRows, 6);
    EXPECT_EQ(monday.gridRows(), 13);
    EXPECT_EQ(weekDays(monday, 1), (Week{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(weekDays(monday, 6), (Week{30, 31, 0, 0, 0, 0, 0}));
    EXPECT_EQ(monday.title, sunday.title);
}

TEST(MonthModel, FebruaryFillingFourWeeksStillHasFiveRows) {
    // February 2015 starts on a Sunday, February 2021 on a Monday.
    for (auto [year, monday] : {std::pair{2015, false}, std::pair{2021, true}}) {
        MonthModel m = built(year, 2, monday);
        EXPECT_EQ(m.weekRows, 5) << year;
        EXPECT_EQ(m.gridRows(), 11) << year;
        EXPECT_EQ(weekDays(m, 1), (Week{1, 2, 3, 4, 5, 6, 7})) << year;
        EXPECT_EQ(weekDays(m, 4), (Week{22, 23, 24, 25, 26, 27, 28})) << year;
        EXPECT_EQ(weekDays(m, 5), (Week{})) << year;
    }
}

TEST(MonthModel, WeekRowsMatchTheDaysInEveryMonthAndLayout) {
    for (int year = 1999; year <= 2030; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (bool monday : {false, true}) {
                MonthModel m = built(year, month, monday);
                int lastCol = 0, lastWeek = 0;
                m.cellOfDay(daysInMonth(year, month), lastCol, lastWeek);
                EXPECT_EQ(m.weekRows, std::max(5, lastWeek));
                EXPECT_EQ(m.weekRowsIn(m.layout()), m.weekRows);
                EXPECT_EQ(m.lastIsSunday, weekdayOf(year, month, daysInMonth(year, month)) == 0);
                // The day of each column is the column's weekday.
                for (int week = 1; week <= kWeeks; ++week)
                    for (int col = 0; col < kColumns; ++col)
                        if (int day = m.cells[col][week].day) {
                            ASSERT_EQ(m.columnOf(weekdayOf(year, month, day), SundayFirst), col);
                        }
            }
        }
    }
}

TEST(MonthModel, ColumnAndWeekMapEveryDateToTheSameDateInTheOtherLayout) {
    for (int year = 1970; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (Layout from : {SundayFirst, MondayFirst}) {
                const MonthModel source = built(year, month, from == MondayFirst);
                const MonthModel target = built(year, month, from != MondayFirst);
                EXPECT_EQ(target.weekRowsIn(from), source.weekRows);
                for (int week = 1; week <= kWeeks; ++week) {
                    for (int col = 0; col < kColumns; ++col) {
                        const int day = source.cells[col][week].day;
                        if (day == 0) continue;
                        const int c = target.columnOf(col, from);
                        const int w = target.weekOf(col, week, from);
                        ASSERT_TRUE(MonthModel::inBlock(c, w)) << year << "-" << month << " day " << day;
                        ASSERT_EQ(target.cells[c][w].day, day) << year << "-" << month;
                    }
                }
            }
        }
    }
}

TEST(MonthModel, WeeklyDaysOffColourOnlyDatedCells) {
    MonthModel m;
    m.year = 2024;
    m.month = 12;  // begins on a Sunday
    m.weeklyDaysOff = {1, 0, 0, 0, 0, 0, 1};  // Sunday and Saturday
    m.mondayStart = true;
    ASSERT_TRUE(m.buildMonth());
    for (int week = 1; week <= kWeeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const Tdaycell& cell = m.cells[col][week];
            const bool weekend = col == 5 || col == 6;
            if (cell.day == 0) {
                EXPECT_EQ(cell.holiday, 0) << col << "," << week;
            } else if (weekend) {
                EXPECT_EQ(cell.holiday, 1) << cell.day;
            }
        }
    }
    EXPECT_EQ(m.cells[6][1].day, 1);
    EXPECT_EQ(m.cells[6][1].holiday, 1);
    EXPECT_EQ(m.cells[5][1].holiday, 0);  // no date before the 1st
}

TEST(MonthModel, WeekdayNamesFollowTheLayout) {
    const char* sunday[] = {"日", "月", "火", "水", "木", "金", "土"};
    const char* monday[] = {"月", "火", "水", "木", "金", "土", "日"};
    MonthModel m;
    m.setWeekdayNames();
    for (int col = 0; col < kColumns; ++col) EXPECT_EQ(m.weekdayNames[col], cp932::literal(sunday[col]));
    m.mondayStart = true;
    m.setWeekdayNames();
    for (int col = 0; col < kColumns; ++col) EXPECT_EQ(m.weekdayNames[col], cp932::literal(monday[col]));
}

TEST(MonthModel, TitleHasNoLeadingZeros) {
    EXPECT_EQ(cp932::toUtf8(built(2024, 5, false).title), "2024年5月");
    EXPECT_EQ(cp932::toUtf8(built(1999, 12, true).title), "1999年12月");
}

TEST(MonthModel, BuildKeepsMemosAndMarksAndMovesFocusOutOfAMissingSixthWeek) {
    MonthModel m = built(2024, 6, false);  // six weeks
    ASSERT_EQ(m.weekRows, 6);
    m.memos[3][2].text = "keep";
    m.marks[3][2].holidayMark = 1;
    m.focusRow = 12;
    m.month = 7;  // five weeks
    ASSERT_TRUE(m.buildMonth());
    EXPECT_EQ(m.focusRow, 10);
    EXPECT_EQ(m.memos[3][2].text, "keep");
    EXPECT_EQ(m.marks[3][2].holidayMark, 1);
    m.focusRow = 8;
    ASSERT_TRUE(m.buildMonth());
    EXPECT_EQ(m.focusRow, 8);
}

TEST(MonthModel, RefusesYearsOutsideFourDigits) {
    MonthModel m = built(2024, 5, false);
    const std::string title = m.title;
    for (auto [year, month] : {std::pair{999, 12}, std::pair{10000, 1}, std::pair{2024, 0}, std::pair{2024, 13}}) {
        m.year = static_cast<std::uint16_t>(year);
        m.month = static_cast<std::uint16_t>(month);
        EXPECT_FALSE(m.buildMonth()) << year << "-" << month;
        EXPECT_EQ(m.title, title);
    }
    for (auto [year, month] : {std::pair{1000, 1}, std::pair{9999, 12}}) {
        m.year = static_cast<std::uint16_t>(year);
        m.month = static_cast<std::uint16_t>(month);
        EXPECT_TRUE(m.buildMonth()) << year;
    }
}

TEST(MonthModel, ClearMemosKeepsColourValuesAndSelection) {
    MonthModel m = built(2024, 5, false);
    Tmemocell& memo = m.memos[2][3];
    memo = Tmemocell{"text", 1, ArrowThrough, 0x123456, 1, 0x654321, 1};
    m.marks[2][3] = Tdaymark{1, 0};
    m.clearMemos();
    EXPECT_EQ(memo.text, "");
    EXPECT_EQ(memo.arrow, NoArrow);
    EXPECT_EQ(memo.hasBackColor, 0);
    EXPECT_EQ(memo.hasFontColor, 0);
    EXPECT_EQ(memo.backColor, 0x123456u);
    EXPECT_EQ(memo.fontColor, 0x654321u);
    EXPECT_EQ(memo.selected, 1);
    EXPECT_EQ(m.marks[2][3].holidayMark, 0);
}

TEST(MonthModel, ClearSelectionTellsTheOwner) {
    MonthModel m;
    int told = 0;
    m.onSelectionCleared = [&] { ++told; };
    m.memos[0][0].selected = 1;  // even the unused row is cleared
    m.memos[6][6].selected = 1;
    m.clearSelection();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(m.memos[0][0].selected, 0);
    EXPECT_EQ(m.memos[6][6].selected, 0);
}

TEST(MonthModel, GridRowsAndWeeks) {
    EXPECT_EQ(MonthModel::weekOfRow(1), 1);
    EXPECT_EQ(MonthModel::weekOfRow(2), 1);
    EXPECT_EQ(MonthModel::weekOfRow(11), 6);
    EXPECT_EQ(MonthModel::weekOfRow(12), 6);
    EXPECT_EQ(MonthModel::dateRow(3), 5);
    EXPECT_EQ(MonthModel::memoRow(3), 6);
}

TEST(CivilDate, KnownDaysAndRoundTrips) {
    EXPECT_EQ(weekdayOf(1970, 1, 1), 4);
    EXPECT_EQ(weekdayOf(2000, 1, 1), 6);
    EXPECT_EQ(weekdayOf(1000, 1, 1), 3);
    EXPECT_EQ(weekdayOf(1969, 12, 28), 0);
    EXPECT_EQ(weekdayOf(9999, 12, 31), 5);
    EXPECT_EQ(daysFromCivil(2000, 3, 1) - daysFromCivil(2000, 2, 28), 2);
    EXPECT_EQ(daysFromCivil(1900, 3, 1) - daysFromCivil(1900, 2, 28), 1);
    for (int year = 1000; year <= 9999; year += 37)
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(civilFromDays(daysFromCivil(year, month, daysInMonth(year, month))),
                      (Date{year, month, daysInMonth(year, month)}));
    EXPECT_EQ(addDays(Date{2024, 12, 31}, 1), (Date{2025, 1, 1}));
}

}  // namespace
}  // namespace kelmora
