#include "main/national_holidays.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "main/civil_date.h"
#include "main/cp932.h"

namespace kelmora {
namespace {

constexpr int kLawStart = 1948;               // in force from 20 July 1948
constexpr long long kNoEnd = 99999;

enum class Rule { Fixed, SecondMonday, ThirdMonday, Vernal, Autumnal };

struct HolidayRule {
    int month;
    Rule rule;
    int day;  // for Fixed
    int firstYear;
    long long lastYear;
    const char* name;
};

// 2020 and 2021 moved 海の日, スポーツの日 and 山の日 for the Olympic Games;
// those years are listed separately below.
constexpr HolidayRule kRules[] = {
    {1, Rule::Fixed, 1, 1949, kNoEnd, "元旦"},
    {1, Rule::Fixed, 15, 1949, 1999, "成人の日"},
    {1, Rule::SecondMonday, 0, 2000, kNoEnd, "成人の日"},
    {2, Rule::Fixed, 11, 1967, kNoEnd, "建国記念日"},
    {2, Rule::Fixed, 23, 2020, kNoEnd, "天皇誕生日"},
    {3, Rule::Vernal, 0, 1949, kNoEnd, "春分の日"},
    {4, Rule::Fixed, 29, 1949, 1988, "天皇誕生日"},
    {4, Rule::Fixed, 29, 1989, 2006, "みどりの日"},
    {4, Rule::Fixed, 29, 2007, kNoEnd, "昭和の日"},
    {5, Rule::Fixed, 3, 1949, kNoEnd, "憲法記念日"},
    {5, Rule::Fixed, 4, 2007, kNoEnd, "みどりの日"},
    {5, Rule::Fixed, 5, 1949, kNoEnd, "こどもの日"},
    {7, Rule::Fixed, 20, 1996, 2002, "海の日"},
    {7, Rule::ThirdMonday, 0, 2003, 2019, "海の日"},
    {7, Rule::ThirdMonday, 0, 2022, kNoEnd, "海の日"},
    {8, Rule::Fixed, 11, 2016, 2019, "山の日"},
    {8, Rule::Fixed, 11, 2022, kNoEnd, "山の日"},
    {9, Rule::Fixed, 15, 1966, 2002, "敬老の日"},
    {9, Rule::ThirdMonday, 0, 2003, kNoEnd, "敬老の日"},
    {9, Rule::Autumnal, 0, 1948, kNoEnd, "秋分の日"},
    {10, Rule::Fixed, 10, 1966, 1999, "体育の日"},
    {10, Rule::SecondMonday, 0, 2000, 2019, "体育の日"},
    {10, Rule::SecondMonday, 0, 2022, kNoEnd, "スポーツの日"},
    {11, Rule::Fixed, 3, 1948, kNoEnd, "文化の日"},
    {11, Rule::Fixed, 23, 1948, kNoEnd, "勤労感謝の日"},
    {12, Rule::Fixed, 23, 1989, 2018, "天皇誕生日"},
};

struct SingleDay {
    int year, month, day;
    const char* name;
};

constexpr SingleDay kSingleDays[] = {
    {1959, 4, 10, "結婚の儀"},       {1989, 2, 24, "大喪の礼"},       {1990, 11, 12, "即位礼正殿の儀"},
    {1993, 6, 9, "結婚の儀"},        {2019, 5, 1, "即位の日"},        {2019, 10, 22, "即位礼正殿の儀"},
    {2020, 7, 23, "海の日"},         {2020, 7, 24, "スポーツの日"},   {2020, 8, 10, "山の日"},
    {2021, 7, 22, "海の日"},         {2021, 7, 23, "スポーツの日"},   {2021, 8, 8, "山の日"},
};

const Date kSubstituteStart{1973, 4, 12};
const Date kCitizensHolidayStart{1985, 12, 27};
constexpr int kNextDayRuleYear = 2007;  // from 2007 the substitute is the next day that is no named day

// Named days are few; CP932 names are made once. A map keeps its entries
// in place, so the references handed out stay valid.
const std::string& cp932Name(const char* utf8) {
    static std::map<const char*, std::string> cache;
    auto it = cache.find(utf8);
    if (it == cache.end()) it = cache.emplace(utf8, cp932::literal(utf8)).first;
    return it->second;
}

const std::string& citizensHolidayName() {
    static const std::string name = cp932::literal("国民の休日");
    return name;
}

int nthMonday(int year, int month, int n) {
    int wd = weekdayOf(year, month, 1);
    int first = wd <= 1 ? 2 - wd : 9 - wd;
    return first + 7 * (n - 1);
}

// The instant of the equinox of 1996 in days (time as the fraction), moved
// by whole mean tropical years; the day it falls on.
int equinoxDay(int year, int month, int day, int hour, int minute, int second) {
    double base = static_cast<double>(daysFromCivil(1996, month, day)) + (hour * 3600 + minute * 60 + second) / 86400.0;
    double instant = base + (year - 1996) * 365.2422;
    return civilFromDays(static_cast<long long>(std::floor(instant))).day;
}

int ruleDay(const HolidayRule& r, int year) {
    switch (r.rule) {
        case Rule::Fixed: return r.day;
        case Rule::SecondMonday: return nthMonday(year, r.month, 2);
        case Rule::ThirdMonday: return nthMonday(year, r.month, 3);
        case Rule::Vernal: return vernalEquinoxDay(year);
        case Rule::Autumnal: return autumnalEquinoxDay(year);
    }
    return 0;
}

struct YearDay {
    long long days;  // days since 1970-01-01
    const std::string* name;
};

// Every named day of the year, in date order.
std::vector<YearDay> namedDaysOfYear(int year) {
    std::vector<YearDay> out;
    if (year < kLawStart) return out;
    for (const auto& r : kRules)
        if (year >= r.firstYear && year <= r.lastYear)
            out.push_back({daysFromCivil(year, r.month, ruleDay(r, year)), &cp932Name(r.name)});
    for (const auto& s : kSingleDays)
        if (s.year == year) out.push_back({daysFromCivil(s.year, s.month, s.day), &cp932Name(s.name)});
    std::sort(out.begin(), out.end(), [](const YearDay& a, const YearDay& b) { return a.days < b.days; });
    return out;
}

bool contains(const std::vector<YearDay>& list, long long days) {
    return std::any_of(list.begin(), list.end(), [&](const YearDay& y) { return y.days == days; });
}

bool isSunday(long long days) {
    Date d = civilFromDays(days);
    return weekdayOf(d.year, d.month, d.day) == 0;
}

std::vector<long long> substituteDays(const std::vector<YearDay>& named) {
    std::vector<long long> out;
    const long long start = daysFromCivil(kSubstituteStart);
    const long long nextDayRule = daysFromCivil(kNextDayRuleYear, 1, 1);
    for (const auto& h : named) {
        if (h.days < start || !isSunday(h.days)) continue;
        long long sub = h.days + 1;
        if (h.days >= nextDayRule)
            while (contains(named, sub)) ++sub;
        if (!contains(named, sub)) out.push_back(sub);
    }
    return out;
}

}  // namespace

int vernalEquinoxDay(int year) { return equinoxDay(year, 3, 20, 17, 14, 13); }
int autumnalEquinoxDay(int year) { return equinoxDay(year, 9, 23, 2, 58, 25); }

const std::string& substituteHolidayName() {
    static const std::string name = cp932::literal("振替休日");
    return name;
}

MonthHolidays holidaysOfMonth(int year, int month) {
    MonthHolidays result;
    if (year < kLawStart) return result;
    const std::vector<YearDay> named = namedDaysOfYear(year);
    const std::vector<long long> substitutes = substituteDays(named);
    const long long first = daysFromCivil(year, month, 1);
    const long long last = first + daysInMonth(year, month) - 1;
    const long long citizensStart = daysFromCivil(kCitizensHolidayStart);
    const long long nextDayRule = daysFromCivil(kNextDayRuleYear, 1, 1);
    auto isSubstitute = [&](long long d) { return std::find(substitutes.begin(), substitutes.end(), d) != substitutes.end(); };

    for (long long d = first; d <= last; ++d) {
        auto day = static_cast<std::uint16_t>(d - first + 1);
        for (const auto& h : named)
            if (h.days == d) result.named.push_back({day, *h.name});
        bool between = d >= citizensStart && !contains(named, d) && contains(named, d - 1) && contains(named, d + 1);
        if (between && (d >= nextDayRule || (!isSunday(d) && !isSubstitute(d))))
            result.named.push_back({day, citizensHolidayName()});
        if (isSubstitute(d)) result.substituteDays.push_back(day);
    }
    return result;
}

}  // namespace kelmora
