#include "main/national_holidays.h"

#include <gtest/gtest.h>

#include "main/cp932.h"
#include "main/month_model.h"

namespace kelmora {
namespace {

struct DayState {
    std::string names;  // UTF-8, joined by "+"
    int holiday = 0;
    int substitute = 0;
};

DayState stateOf(int year, int month, int day, bool mondayStart, bool sundayOff = false) {
    MonthModel m;
    m.mondayStart = mondayStart;
    m.weeklyDaysOff.fill(0);
    m.weeklyDaysOff[0] = sundayOff ? 1 : 0;
    m.year = static_cast<std::uint16_t>(year);
    m.month = static_cast<std::uint16_t>(month);
    EXPECT_TRUE(m.buildMonth());
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    DayState s;
    for (const auto& e : m.holidayTable[month])
        if (e.day == day) s.names += (s.names.empty() ? "" : "+") + cp932::toUtf8(e.name);
    s.holiday = m.cells[col][week].holiday;
    s.substitute = m.cells[col][week].substitute;
    return s;
}

struct Case {
    int year, month, day;
    const char* names;
    int holiday, substitute;
};

// With no weekly days off: what the law makes of each day.
const Case kCases[] = {
    // The law starts on 20 July 1948.
    {1948, 5, 5, "", 0, 0},
    {1948, 9, 23, "秋分の日", 1, 0},
    {1948, 11, 23, "勤労感謝の日", 1, 0},
    {1949, 1, 1, "元旦", 1, 0},
    {1949, 1, 15, "成人の日", 1, 0},
    {1959, 4, 10, "結婚の儀", 1, 0},
    {1966, 2, 11, "", 0, 0},
    {1967, 2, 11, "建国記念日", 1, 0},
    {1966, 9, 15, "敬老の日", 1, 0},
    {1966, 10, 10, "体育の日", 1, 0},
    // Substitute holidays begin on 12 April 1973.
    {1973, 4, 29, "天皇誕生日", 0, 0},  // a Sunday
    {1973, 4, 30, "", 1, 1},
    {1972, 10, 10, "体育の日", 1, 0},
    {1967, 1, 16, "", 0, 0},  // 15 January 1967 was a Sunday, before the rule
    // Citizens' holiday from 27 December 1985; not on a Sunday or a substitute day before 2007.
    {1986, 5, 4, "", 0, 0},   // a Sunday
    {1987, 5, 4, "", 1, 1},   // 3 May a Sunday: the substitute, no citizens' holiday
    {1988, 5, 4, "国民の休日", 1, 0},
    {1991, 5, 4, "国民の休日", 1, 0},  // a Saturday
    {1992, 5, 4, "", 1, 1},
    {1997, 5, 4, "", 0, 0},   // a Sunday
    {1997, 5, 5, "こどもの日", 1, 0},
    {2003, 5, 4, "", 0, 0},   // a Sunday before 2007: no substitute at all
    {2003, 5, 5, "こどもの日", 1, 0},
    {2003, 5, 6, "", 0, 0},
    {1989, 2, 24, "大喪の礼", 1, 0},
    {1989, 4, 29, "みどりの日", 1, 0},
    {1989, 12, 23, "天皇誕生日", 1, 0},
    {1990, 11, 12, "即位礼正殿の儀", 1, 0},
    {1993, 6, 9, "結婚の儀", 1, 0},
    {1995, 7, 20, "", 0, 0},
    {1996, 7, 20, "海の日", 1, 0},
    {1999, 1, 15, "成人の日", 1, 0},
    {2000, 1, 10, "成人の日", 1, 0},
    {2000, 1, 15, "", 0, 0},
    {1999, 10, 10, "体育の日", 0, 0},  // a Sunday
    {1999, 10, 11, "", 1, 1},
    {2000, 10, 9, "体育の日", 1, 0},
    {2002, 7, 20, "海の日", 1, 0},
    {2003, 7, 20, "", 0, 0},
    {2003, 7, 21, "海の日", 1, 0},
    {2002, 9, 15, "敬老の日", 0, 0},
    {2002, 9, 16, "", 1, 1},
    {2003, 9, 15, "敬老の日", 1, 0},
    {2006, 4, 29, "みどりの日", 1, 0},  // a Saturday; no weekly days off here
    {2007, 4, 29, "昭和の日", 0, 0},
    {2007, 4, 30, "", 1, 1},
    // From 2007 the substitute is the next day that is no named day.
    {2008, 5, 4, "みどりの日", 0, 0},
    {2008, 5, 5, "こどもの日", 1, 0},
    {2008, 5, 6, "", 1, 1},
    {2009, 5, 3, "憲法記念日", 0, 0},
    {2009, 5, 4, "みどりの日", 1, 0},
    {2009, 5, 6, "", 1, 1},
    {2009, 9, 21, "敬老の日", 1, 0},
    {2009, 9, 22, "国民の休日", 1, 0},
    {2009, 9, 23, "秋分の日", 1, 0},
    {2015, 9, 22, "国民の休日", 1, 0},
    {2026, 9, 22, "国民の休日", 1, 0},
    {2016, 8, 11, "山の日", 1, 0},
    {2015, 8, 11, "", 0, 0},
    {2018, 12, 23, "天皇誕生日", 0, 0},
    {2018, 12, 24, "", 1, 1},
    {2019, 12, 23, "", 0, 0},
    {2019, 2, 23, "", 0, 0},
    {2020, 2, 23, "天皇誕生日", 0, 0},
    {2020, 2, 24, "", 1, 1},
    {2019, 4, 30, "国民の休日", 1, 0},
    {2019, 5, 1, "即位の日", 1, 0},
    {2019, 5, 2, "国民の休日", 1, 0},
    {2019, 5, 6, "", 1, 1},
    {2019, 10, 14, "体育の日", 1, 0},
    {2019, 10, 22, "即位礼正殿の儀", 1, 0},
    {2020, 7, 20, "", 0, 0},
    {2020, 7, 23, "海の日", 1, 0},
    {2020, 7, 24, "スポーツの日", 1, 0},
    {2020, 8, 10, "山の日", 1, 0},
    {2020, 8, 11, "", 0, 0},
    {2020, 10, 12, "", 0, 0},
    {2021, 7, 22, "海の日", 1, 0},
    {2021, 7, 23, "スポーツの日", 1, 0},
    {2021, 8, 8, "山の日", 0, 0},
    {2021, 8, 9, "", 1, 1},
    {2021, 10, 11, "", 0, 0},
    {2022, 10, 10, "スポーツの日", 1, 0},
    {2024, 9, 22, "秋分の日", 0, 0},
    {2024, 9, 23, "", 1, 1},
    {2024, 3, 20, "春分の日", 1, 0},
    {2026, 11, 23, "勤労感謝の日", 1, 0},
    {2026, 12, 23, "", 0, 0},
};

TEST(NationalHolidays, LawOverTheYearsInBothLayouts) {
    for (const Case& c : kCases) {
        for (bool monday : {false, true}) {
            DayState s = stateOf(c.year, c.month, c.day, monday);
            SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) +
                         (monday ? " Monday-first" : " Sunday-first"));
            EXPECT_EQ(s.names, c.names);
            EXPECT_EQ(s.holiday, c.holiday);
            EXPECT_EQ(s.substitute, c.substitute);
        }
    }
}

TEST(NationalHolidays, NamedSundayIsColouredOnlyByTheWeeklyDayOff) {
    // 22 September 2024 is a Sunday equinox.
    EXPECT_EQ(stateOf(2024, 9, 22, false, false).holiday, 0);
    EXPECT_EQ(stateOf(2024, 9, 22, false, true).holiday, 1);
    EXPECT_EQ(stateOf(2024, 9, 22, true, true).names, "秋分の日");
}

TEST(NationalHolidays, SubstituteInTheSixthWeekOfAMondayFirstGrid) {
    // April 2007 begins on a Sunday: Monday-first puts Sunday the 29th
    // (昭和の日) at the end of week 5 and its substitute alone in week 6.
    MonthModel m;
    m.mondayStart = true;
    m.year = 2007;
    m.month = 4;
    ASSERT_TRUE(m.buildMonth());
    ASSERT_EQ(m.weekRows, 6);
    EXPECT_EQ(m.cells[6][5].day, 29);
    EXPECT_EQ(m.cells[0][6].day, 30);
    EXPECT_EQ(m.cells[0][6].substitute, 1);
    EXPECT_EQ(m.cells[0][6].holiday, 1);
}

TEST(NationalHolidays, MayOf2019HasFiveNamedDays) {
    MonthHolidays h = holidaysOfMonth(2019, 5);
    ASSERT_EQ(h.named.size(), 5u);
    const std::uint16_t days[] = {1, 2, 3, 4, 5};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(h.named[i].day, days[i]);
    EXPECT_EQ(h.substituteDays, std::vector<std::uint16_t>{6});
}

TEST(NationalHolidays, NothingBeforeTheLaw) {
    for (int month = 1; month <= 12; ++month) {
        EXPECT_TRUE(holidaysOfMonth(1947, month).named.empty());
        EXPECT_TRUE(holidaysOfMonth(1000, month).named.empty());
    }
    EXPECT_TRUE(holidaysOfMonth(1948, 5).named.empty());
}

TEST(NationalHolidays, EquinoxDays) {
    struct Equinox {
        int year, vernal, autumnal;
    };
    for (auto e : {Equinox{2024, 20, 22}, Equinox{2009, 20, 23}, Equinox{1995, 21, 23}, Equinox{1979, 21, 24},
                   Equinox{2012, 20, 22}, Equinox{2027, 21, 23}, Equinox{2100, 20, 23}}) {
        EXPECT_EQ(vernalEquinoxDay(e.year), e.vernal) << e.year;
        EXPECT_EQ(autumnalEquinoxDay(e.year), e.autumnal) << e.year;
    }
}

}  // namespace
}  // namespace kelmora
