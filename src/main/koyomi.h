#pragma once
// The almanac printed beside the dates of Japanese calendars: the date of the
// lunisolar calendar (旧暦), the six-day cycle (六曜) that follows from it, and
// the 24 solar terms (二十四節気), all from the astronomy of the Sun and the
// Moon, in Japan Standard Time, for the years 1900 to 2100.
//
// A lunar month begins on the day of a new moon. Between the month that holds
// one winter solstice (always 11月) and the month that holds the next there
// are 12 months, or 13; with 13, the first month that holds no principal term
// (中気: the Sun at a multiple of 30°) is the leap month (閏) of the month
// before it. Elsewhere this numbers every month by the principal term it
// holds; around 2033, where months hold none or two, it gives 閏11月 as the
// published tables do.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kelmora {

inline constexpr int kKoyomiFirstYear = 1900;
inline constexpr int kKoyomiLastYear = 2100;

inline constexpr int kSolarTermCount = 24;

struct KoyomiDay {
    std::uint8_t lunarMonth = 0;  // 1..12
    bool leapMonth = false;       // 閏
    std::uint8_t lunarDay = 0;    // 1..30
    std::uint8_t rokuyo = 0;      // index of rokuyoName()
    std::int8_t solarTerm = -1;   // index of solarTermName(), -1 on other days
};

struct MonthKoyomi {
    std::array<KoyomiDay, 31> days{};  // [day of month - 1]
    const KoyomiDay& day(int dayOfMonth) const { return days[static_cast<std::size_t>(dayOfMonth - 1)]; }
};

// Computes months on demand and keeps them: a year's lunar months and solar
// terms are worked out once and shared by its months.
class KoyomiCalendar {
public:
    static bool covers(int year) { return year >= kKoyomiFirstYear && year <= kKoyomiLastYear; }

    // The almanac of a month, or nullptr for a month outside 1900-2100.
    const MonthKoyomi* month(int year, int month);
    std::size_t monthsKept() const { return months_.size(); }

private:
    struct LunarMonth {
        long long firstDay;  // days since 1970-01-01
        std::uint8_t number;
        bool leap;
    };

    // The months from the 11月 that holds the winter solstice of year-1 up to
    // and including the 11月 that holds the one of `year`.
    const std::vector<LunarMonth>& lunarMonthsEndingIn(int year);
    // The day (since 1970-01-01, JST) of solar term `index` of `year`.
    long long solarTermDay(int year, int index);

    std::map<int, std::vector<LunarMonth>> lunarYears_;
    std::map<int, long long> solarTermDays_;  // key year * 24 + index
    std::map<int, MonthKoyomi> months_;       // key year * 12 + month - 1
};

// 六曜 by index 0..5: 大安 赤口 先勝 友引 先負 仏滅 (CP932).
const std::string& rokuyoName(int index);
// Solar term by index 0..23, from 小寒 (the Sun at 285°) to 冬至 (270°) (CP932).
const std::string& solarTermName(int index);
// The lunar date as "6月1日", a leap month as "閏6月1日" (CP932).
std::string lunarDateText(const KoyomiDay& day);

}  // namespace kelmora
