#pragma once
// Instants for the almanac: Julian dates in Terrestrial Time (TT), the
// uniform time the astronomy runs on, turned into days of the calendar in
// Japan Standard Time (UTC+9) through ΔT = TT − UT.

namespace kelmora::astro {

// Julian date of 2000-01-01 12:00 TT, the epoch of the series.
inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kSecondsPerDay = 86400.0;
// Julian date of 1970-01-01 00:00, where the day count of civil_date.h starts.
inline constexpr double kJdOfDayZero = 2440587.5;

// ΔT in seconds for a year with its fraction (2024.5 = mid 2024), from the
// polynomial fits of Espenak and Meeus (1860-2150).
double deltaTSeconds(double decimalYear);

// The instant `jdTT` as a Julian date in Universal Time.
double universalTimeOf(double jdTT);

// The day that holds `jdTT` in Japan Standard Time, counted in days since
// 1970-01-01 (the count of civil_date.h).
long long jstDayOf(double jdTT);

// Julian date in TT of 00:00 JST starting the day `jstDay` (days since
// 1970-01-01).
double ttOfJstMidnight(long long jstDay);

}  // namespace kelmora::astro
