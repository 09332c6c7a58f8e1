// The lunisolar calendar, 六曜 and solar terms against dates any almanac
// lists, and the rules of the calendar over every day from 1900 to 2100.

#include "main/koyomi.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "main/civil_date.h"
#include "main/cp932.h"

namespace kelmora {
namespace {

struct Almanac {
    std::string lunarDate, rokuyo, term;  // UTF-8
};

Almanac almanacOf(KoyomiCalendar& calendar, int year, int month, int day) {
    const MonthKoyomi* koyomi = calendar.month(year, month);
    if (koyomi == nullptr) return {"(none)", "", ""};
    const KoyomiDay& d = koyomi->day(day);
    return {cp932::toUtf8(lunarDateText(d)), cp932::toUtf8(rokuyoName(d.rokuyo)),
            d.solarTerm < 0 ? "" : cp932::toUtf8(solarTermName(d.solarTerm))};
}

TEST(Koyomi, KnownDates) {
    const struct {
        int year, month, day;
        const char *lunarDate, *rokuyo, *term;
    } cases[] = {
        // 旧正月
        {2023, 1, 22, "1月1日", "先勝", ""},
        {2024, 2, 10, "1月1日", "先勝", ""},
        {2025, 1, 29, "1月1日", "先勝", ""},
        {2026, 2, 17, "1月1日", "先勝", ""},
        {2026, 2, 16, "12月29日", "仏滅", ""},
        {1985, 2, 20, "1月1日", "先勝", ""},  // after a 12月 that holds no principal term
        // equinox and solstice
        {2026, 3, 20, "2月2日", "先負", "春分"},
        {2026, 12, 22, "11月14日", "赤口", "冬至"},
        // 2033: the month after the solstice month holds no principal term
        {2033, 11, 22, "11月1日", "大安", "小雪"},
        {2033, 12, 21, "11月30日", "仏滅", "冬至"},
        {2033, 12, 22, "閏11月1日", "大安", ""},
        {2034, 1, 20, "12月1日", "赤口", "大寒"},
        // the first and last days shown
        {1900, 1, 1, "12月1日", "赤口", ""},
        {2100, 12, 31, "12月1日", "赤口", ""},
    };
    KoyomiCalendar calendar;
    for (const auto& c : cases) {
        const Almanac a = almanacOf(calendar, c.year, c.month, c.day);
        EXPECT_EQ(a.lunarDate, c.lunarDate) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(a.rokuyo, c.rokuyo) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(a.term, c.term) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(Koyomi, LeapMonthsOf2011To2034) {
    // The leap month that begins in each year; the years not listed have none.
    const std::map<int, std::string> leapMonths = {{2012, "閏3月"}, {2014, "閏9月"}, {2017, "閏5月"},
                                                   {2020, "閏4月"}, {2023, "閏2月"}, {2025, "閏6月"},
                                                   {2028, "閏5月"}, {2031, "閏3月"}, {2033, "閏11月"}};
    KoyomiCalendar calendar;
    for (int year = 2011; year <= 2034; ++year) {
        std::string found;
        for (int month = 1; month <= 12; ++month) {
            const MonthKoyomi& koyomi = *calendar.month(year, month);
            for (int day = 1; day <= daysInMonth(year, month); ++day) {
                const KoyomiDay& d = koyomi.day(day);
                if (d.leapMonth && d.lunarDay == 1) found += "閏" + std::to_string(d.lunarMonth) + "月";
            }
        }
        const auto expected = leapMonths.find(year);
        EXPECT_EQ(found, expected == leapMonths.end() ? "" : expected->second) << year;
    }
}

TEST(Koyomi, NothingOutside1900To2100) {
    KoyomiCalendar calendar;
    EXPECT_EQ(calendar.month(1899, 12), nullptr);
    EXPECT_EQ(calendar.month(2101, 1), nullptr);
    EXPECT_NE(calendar.month(1900, 1), nullptr);
    EXPECT_NE(calendar.month(2100, 12), nullptr);
}

TEST(Koyomi, AMonthIsComputedOnceAndKept) {
    KoyomiCalendar calendar;
    const MonthKoyomi* first = calendar.month(2025, 7);
    calendar.month(2025, 8);
    calendar.month(1950, 1);
    EXPECT_EQ(calendar.month(2025, 7), first);
}

// A lunar month as read back from the days.
struct LunarMonthSeen {
    Date first;
    int number = 0;
    bool leap = false;
    int length = 0;
    std::vector<int> principalTerms;  // solar term indexes, odd
};

std::vector<LunarMonthSeen> everyLunarMonth(KoyomiCalendar& calendar) {
    std::vector<LunarMonthSeen> months;
    for (int year = kKoyomiFirstYear; year <= kKoyomiLastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const MonthKoyomi& koyomi = *calendar.month(year, month);
            for (int day = 1; day <= daysInMonth(year, month); ++day) {
                const KoyomiDay& d = koyomi.day(day);
                if (months.empty() || d.lunarDay == 1) {
                    months.push_back({{year, month, day}, d.lunarMonth, d.leapMonth, 0, {}});
                    EXPECT_TRUE(d.lunarDay == 1 || months.size() == 1) << year << "-" << month << "-" << day;
                }
                LunarMonthSeen& m = months.back();
                ++m.length;
                EXPECT_EQ(d.lunarDay, m.length) << year << "-" << month << "-" << day;
                EXPECT_EQ(d.lunarMonth, m.number);
                EXPECT_EQ(d.leapMonth, m.leap);
                if (d.solarTerm >= 0 && d.solarTerm % 2 == 1) m.principalTerms.push_back(d.solarTerm);
            }
        }
    }
    return months;
}

// 大寒 (1) closes 12月, 雨水 (3) 1月, ..., 冬至 (23) 11月.
int monthNamedBy(int principalTerm) { return ((principalTerm - 1) / 2 + 11) % 12 + 1; }

TEST(Koyomi, EveryMonthFrom1900To2100FollowsTheRules) {
    KoyomiCalendar calendar;
    const std::vector<LunarMonthSeen> months = everyLunarMonth(calendar);
    // The first and the last month are cut off by the range.
    for (std::size_t i = 1; i + 1 < months.size(); ++i) {
        const LunarMonthSeen& m = months[i];
        const std::string when =
            std::to_string(m.first.year) + "-" + std::to_string(m.first.month) + "-" + std::to_string(m.first.day);
        EXPECT_TRUE(m.length == 29 || m.length == 30) << when;
        const LunarMonthSeen& before = months[i - 1];
        EXPECT_EQ(m.number, m.leap ? before.number : before.number % 12 + 1) << when;
        EXPECT_FALSE(m.leap && before.leap) << when;
        if (m.leap) {
            EXPECT_TRUE(m.principalTerms.empty()) << when;
            continue;
        }
        for (int term : m.principalTerms) {
            if (term == 23) {
                EXPECT_EQ(m.number, 11) << when << ": the winter solstice is always in 11月";
            }
        }
        // A month is numbered by the principal term it holds; one that holds
        // none or two is numbered from its neighbours, and that happens only
        // within a few months of a month that holds two.
        if (m.principalTerms.size() == 1 && monthNamedBy(m.principalTerms[0]) == m.number) continue;
        bool besideADoubleMonth = false;
        for (std::size_t j = i > 3 ? i - 3 : 0; j <= i + 3 && j < months.size(); ++j)
            besideADoubleMonth = besideADoubleMonth || months[j].principalTerms.size() == 2;
        EXPECT_TRUE(besideADoubleMonth) << when << " is numbered " << m.number;
    }
}

TEST(Koyomi, EveryGregorianMonthHoldsItsTwoSolarTerms) {
    KoyomiCalendar calendar;
    for (int year = kKoyomiFirstYear; year <= kKoyomiLastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const MonthKoyomi& koyomi = *calendar.month(year, month);
            std::vector<int> terms;
            for (int day = 1; day <= daysInMonth(year, month); ++day)
                if (koyomi.day(day).solarTerm >= 0) terms.push_back(koyomi.day(day).solarTerm);
            EXPECT_EQ(terms, (std::vector<int>{2 * month - 2, 2 * month - 1})) << year << "-" << month;
        }
    }
}

}  // namespace
}  // namespace kelmora
