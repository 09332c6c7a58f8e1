#include "main/time_scales.h"

#include <cmath>

namespace kelmora::astro {
namespace {

constexpr double kJstOffsetDays = 9.0 / 24.0;

double yearOf(double jd) { return 2000.0 + (jd - kJ2000) / 365.25; }

}  // namespace

double deltaTSeconds(double y) {
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * std::pow(t, 4);
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4) +
               0.00002373599 * std::pow(t, 5);
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

double universalTimeOf(double jdTT) { return jdTT - deltaTSeconds(yearOf(jdTT)) / kSecondsPerDay; }

long long jstDayOf(double jdTT) {
    return static_cast<long long>(std::floor(universalTimeOf(jdTT) - kJdOfDayZero + kJstOffsetDays));
}

double ttOfJstMidnight(long long jstDay) {
    const double jdUT = kJdOfDayZero + static_cast<double>(jstDay) - kJstOffsetDays;
    return jdUT + deltaTSeconds(yearOf(jdUT)) / kSecondsPerDay;
}

}  // namespace kelmora::astro
