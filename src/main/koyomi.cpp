#include "main/koyomi.h"

#include <cmath>

#include "main/civil_date.h"
#include "main/cp932.h"
#include "main/new_moon.h"
#include "main/solar_longitude.h"
#include "main/time_scales.h"

namespace kelmora {
namespace {

constexpr int kWinterSolstice = 23;  // solar term index of 冬至

// The longitude the Sun reaches at solar term `index`.
double solarTermLongitude(int index) { return std::fmod(285.0 + 15.0 * index, 360.0); }

long long newMoonDay(long lunation) { return astro::jstDayOf(astro::newMoonTime(lunation)); }

std::vector<std::string> cp932Names(std::initializer_list<const char*> utf8) {
    std::vector<std::string> names;
    for (const char* name : utf8) names.push_back(cp932::literal(name));
    return names;
}

}  // namespace

long long KoyomiCalendar::solarTermDay(int year, int index) {
    const int key = year * kSolarTermCount + index;
    if (auto found = solarTermDays_.find(key); found != solarTermDays_.end()) return found->second;
    // 小寒 comes about 6 January, each term some 15.2 days after the one before.
    const double guess = astro::kJdOfDayZero + static_cast<double>(daysFromCivil(year, 1, 6)) + index * 365.2422 / 24;
    const long long day = astro::jstDayOf(astro::sunLongitudeTime(solarTermLongitude(index), guess));
    solarTermDays_.emplace(key, day);
    return day;
}

const std::vector<KoyomiCalendar::LunarMonth>& KoyomiCalendar::lunarMonthsEndingIn(int year) {
    if (auto found = lunarYears_.find(year); found != lunarYears_.end()) return found->second;

    const long long solsticeBefore = solarTermDay(year - 1, kWinterSolstice);
    const long long solstice = solarTermDay(year, kWinterSolstice);

    // The new moon that opens the month holding the first solstice.
    long k = astro::lunationAtOrBefore(astro::ttOfJstMidnight(solsticeBefore + 1));
    while (newMoonDay(k) > solsticeBefore) --k;
    while (newMoonDay(k + 1) <= solsticeBefore) ++k;
    std::vector<long long> starts{newMoonDay(k)};
    for (long long next = newMoonDay(++k); next <= solstice; next = newMoonDay(++k)) starts.push_back(next);
    const std::size_t count = starts.size() - 1;  // months before the next 11月: 12 or 13

    std::size_t leap = 0;  // none
    if (count == 13) {
        int term = 1;  // 大寒, the first principal term after the solstice
        for (std::size_t i = 1; i < count; ++i) {
            // Skip the terms that months before this one hold.
            while (term < kWinterSolstice && solarTermDay(year, term) < starts[i]) term += 2;
            if (term == kWinterSolstice || solarTermDay(year, term) >= starts[i + 1]) {
                leap = i;
                break;
            }
        }
    }

    std::vector<LunarMonth> months;
    int number = 11;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const bool isLeap = leap != 0 && i == leap;
        if (i > 0 && !isLeap) number = number % 12 + 1;
        months.push_back({starts[i], static_cast<std::uint8_t>(number), isLeap});
    }
    return lunarYears_.emplace(year, std::move(months)).first->second;
}

const MonthKoyomi* KoyomiCalendar::month(int year, int month) {
    if (!covers(year) || month < 1 || month > 12) return nullptr;
    const int key = year * 12 + month - 1;
    if (auto found = months_.find(key); found != months_.end()) return &found->second;

    // January to November lie in the lunar year that ends with this year's
    // 11月; December may reach into the next one (閏11月 in 2033).
    std::vector<LunarMonth> lunar = lunarMonthsEndingIn(year);
    if (month == 12) {
        const auto& next = lunarMonthsEndingIn(year + 1);
        lunar.insert(lunar.end(), next.begin() + 1, next.end());
    }

    MonthKoyomi result;
    const long long first = daysFromCivil(year, month, 1);
    const int length = daysInMonth(year, month);
    std::size_t current = 0;
    for (int d = 0; d < length; ++d) {
        const long long day = first + d;
        while (current + 1 < lunar.size() && lunar[current + 1].firstDay <= day) ++current;
        const LunarMonth& lm = lunar[current];
        KoyomiDay& out = result.days[static_cast<std::size_t>(d)];
        out.lunarMonth = lm.number;
        out.leapMonth = lm.leap;
        out.lunarDay = static_cast<std::uint8_t>(day - lm.firstDay + 1);
        out.rokuyo = static_cast<std::uint8_t>((out.lunarMonth + out.lunarDay) % 6);
    }
    // Each Gregorian month holds two solar terms: 小寒 and 大寒 in January, ...
    for (int index = 2 * (month - 1); index < 2 * month; ++index) {
        const long long day = solarTermDay(year, index);
        if (day >= first && day < first + length)
            result.days[static_cast<std::size_t>(day - first)].solarTerm = static_cast<std::int8_t>(index);
    }
    return &months_.emplace(key, result).first->second;
}

const std::string& rokuyoName(int index) {
    static const std::vector<std::string> names = cp932Names({"大安", "赤口", "先勝", "友引", "先負", "仏滅"});
    return names.at(static_cast<std::size_t>(index));
}

const std::string& solarTermName(int index) {
    static const std::vector<std::string> names =
        cp932Names({"小寒", "大寒", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至",
                    "小暑", "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"});
    return names.at(static_cast<std::size_t>(index));
}

std::string lunarDateText(const KoyomiDay& day) {
    static const std::string leap = cp932::literal("閏");
    static const std::string monthMark = cp932::literal("月");
    static const std::string dayMark = cp932::literal("日");
    return (day.leapMonth ? leap : std::string()) + std::to_string(day.lunarMonth) + monthMark +
           std::to_string(day.lunarDay) + dayMark;
}

}  // namespace kelmora
