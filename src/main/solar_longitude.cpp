#include "main/solar_longitude.h"

#include <cmath>
#include <numbers>

#include "main/time_scales.h"

namespace kelmora::astro {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kArcsecond = kDegree / 3600.0;

struct PeriodicTerm {
    double amplitude, phase, frequency;
};

#include "main/earth_longitude_series.inc"

template <std::size_t N>
double sumSeries(const PeriodicTerm (&terms)[N], double tau) {
    double sum = 0;
    for (const PeriodicTerm& t : terms) sum += t.amplitude * std::cos(t.phase + t.frequency * tau);
    return sum;
}

// Nutation in longitude, IAU 1980 theory: multiples of the Moon's mean
// elongation D, the Sun's and the Moon's mean anomalies M and M', the Moon's
// argument of latitude F and the longitude of its ascending node Ω; the
// coefficient in 0.0001" is (sine + sineT × T), T in Julian centuries.
struct NutationTerm {
    signed char d, m, mp, f, om;
    double sine, sineT;
};

constexpr NutationTerm kNutation[] = {
    {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6}, {0, 0, 0, 2, 2, -2274, -0.2},
    {0, 0, 0, 0, 2, 2062, 0.2},       {0, 1, 0, 0, 0, 1426, -3.4},    {0, 0, 1, 0, 0, 712, 0.1},
    {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 0, 2, 1, -386, -0.4},    {0, 0, 1, 2, 2, -301, 0},
    {-2, -1, 0, 2, 2, 217, -0.5},     {-2, 0, 1, 0, 0, -158, 0},      {-2, 0, 0, 2, 1, 129, 0.1},
    {0, 0, -1, 2, 2, 123, 0},         {2, 0, 0, 0, 0, 63, 0},         {0, 0, 1, 0, 1, 63, 0.1},
    {2, 0, -1, 2, 2, -59, 0},         {0, 0, -1, 0, 1, -58, -0.1},    {0, 0, 1, 2, 1, -51, 0},
    {-2, 0, 2, 0, 0, 48, 0},          {0, 0, -2, 2, 1, 46, 0},        {2, 0, 0, 2, 2, -38, 0},
    {0, 0, 2, 2, 2, -31, 0},          {0, 0, 2, 0, 0, 29, 0},         {-2, 0, 1, 2, 2, 29, 0},
    {0, 0, 0, 2, 0, 26, 0},           {-2, 0, 0, 2, 0, -22, 0},       {0, 0, -1, 2, 1, 21, 0},
    {0, 2, 0, 0, 0, 17, -0.1},        {2, 0, -1, 0, 1, 16, 0},        {-2, 2, 0, 2, 2, -16, 0.1},
    {0, 1, 0, 0, 1, -15, 0},          {-2, 0, 1, 0, 1, -13, 0},       {0, -1, 0, 0, 1, -12, 0},
    {0, 0, 2, -2, 0, 11, 0},          {2, 0, -1, 2, 1, -10, 0},       {2, 0, 1, 2, 2, -8, 0},
    {0, 1, 0, 2, 2, 7, 0},            {-2, 1, 1, 0, 0, -7, 0},        {0, -1, 0, 2, 2, -7, 0},
    {2, 0, 0, 2, 1, -7, 0},           {2, 0, 1, 0, 0, 6, 0},          {-2, 0, 2, 2, 2, 6, 0},
    {-2, 0, 1, 2, 1, 6, 0},           {2, 0, -2, 0, 1, -6, 0},        {2, 0, 0, 0, 1, -6, 0},
    {0, -1, 1, 0, 0, 5, 0},           {-2, -1, 0, 2, 1, -5, 0},       {-2, 0, 0, 0, 1, -5, 0},
    {0, 0, 2, 2, 1, -5, 0},           {-2, 0, 2, 0, 1, 4, 0},         {-2, 1, 0, 2, 1, 4, 0},
    {0, 0, 1, -2, 0, 4, 0},           {-1, 0, 1, 0, 0, -4, 0},        {-2, 1, 0, 0, 0, -4, 0},
    {1, 0, 0, 0, 0, -4, 0},           {0, 0, 1, 2, 0, 3, 0},          {0, 0, -2, 2, 2, -3, 0},
    {-1, -1, 1, 0, 0, -3, 0},         {0, 1, 1, 0, 0, -3, 0},         {0, -1, 1, 2, 2, -3, 0},
    {2, -1, -1, 2, 2, -3, 0},         {0, 0, 3, 2, 2, -3, 0},         {2, -1, 0, 2, 2, -3, 0},
};

// Δψ in radians at T Julian centuries from J2000.
double nutationInLongitude(double T) {
    const double T2 = T * T, T3 = T2 * T;
    const double D = (297.85036 + 445267.111480 * T - 0.0019142 * T2 + T3 / 189474) * kDegree;
    const double M = (357.52772 + 35999.050340 * T - 0.0001603 * T2 - T3 / 300000) * kDegree;
    const double Mp = (134.96298 + 477198.867398 * T + 0.0086972 * T2 + T3 / 56250) * kDegree;
    const double F = (93.27191 + 483202.017538 * T - 0.0036825 * T2 + T3 / 327270) * kDegree;
    const double Om = (125.04452 - 1934.136261 * T + 0.0020708 * T2 + T3 / 450000) * kDegree;
    double sum = 0;
    for (const NutationTerm& n : kNutation)
        sum += (n.sine + n.sineT * T) * std::sin(n.d * D + n.m * M + n.mp * Mp + n.f * F + n.om * Om);
    return sum * 0.0001 * kArcsecond;
}

double normalizedDegrees(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The Sun's motion in longitude, degrees a day: the mean motion with the
// first term of the equation of centre, good to 0.1%, enough to steer the
// search.
double dailyMotion(double jdTT) {
    const double meanAnomaly = (357.529 + 0.98560028 * (jdTT - kJ2000)) * kDegree;
    return 0.98564736 + 0.0330 * std::cos(meanAnomaly);
}

// The apparent longitude to about 0.01° from the mean orbit and the equation
// of centre (Meeus, ch. 25): a cheap first approach before the full theory.
double roughApparentLongitude(double jdTT) {
    const double T = (jdTT - kJ2000) / 36525.0;
    const double meanLongitude = 280.46646 + 36000.76983 * T;
    const double M = (357.52911 + 35999.05029 * T) * kDegree;
    const double centre =
        (1.914602 - 0.004817 * T) * std::sin(M) + 0.019993 * std::sin(2 * M) + 0.000289 * std::sin(3 * M);
    const double node = (125.04 - 1934.136 * T) * kDegree;
    return meanLongitude + centre - 0.00569 - 0.00478 * std::sin(node);
}

// Steps `jd` towards the instant the longitude given by `longitude` equals
// `degrees`, until a step is shorter than `tolerance` days.
template <typename Longitude>
double solveLongitude(Longitude longitude, double degrees, double jd, double tolerance) {
    for (int i = 0; i < 12; ++i) {
        double behind = normalizedDegrees(degrees - longitude(jd));
        if (behind > 180.0) behind -= 360.0;
        const double step = behind / dailyMotion(jd);
        jd += step;
        // The motion is known to 0.1%: what is left after a step is a
        // thousandth of it.
        if (std::fabs(step) < tolerance) break;
    }
    return jd;
}

}  // namespace

double sunApparentLongitude(double jdTT) {
    const double tau = (jdTT - kJ2000) / 365250.0;
    const double T = tau * 10.0;
    const double earth = sumSeries(kL0, tau) +
                         tau * (sumSeries(kL1, tau) +
                                tau * (sumSeries(kL2, tau) + tau * (sumSeries(kL3, tau) + tau * sumSeries(kL4, tau))));
    const double radius = sumSeries(kR0, tau) + tau * (sumSeries(kR1, tau) + tau * sumSeries(kR2, tau));

    // Geocentric: the opposite direction to the Earth's.
    double lambda = earth + std::numbers::pi;
    // From the dynamical frame of VSOP87 to FK5.
    lambda += -0.09033 * kArcsecond;
    lambda += nutationInLongitude(T);
    lambda += -20.4898 * kArcsecond / radius;
    return normalizedDegrees(lambda / kDegree);
}

double sunLongitudeTime(double degrees, double jdNear) {
    const double rough = solveLongitude(roughApparentLongitude, degrees, jdNear, 1e-3);
    return solveLongitude(sunApparentLongitude, degrees, rough, 1e-3);  // leaves under 0.1 s
}

}  // namespace kelmora::astro
