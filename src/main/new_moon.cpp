#include "main/new_moon.h"

#include <cmath>
#include <numbers>

namespace kelmora::astro {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kFirstNewMoon = 2451550.09766;  // lunation 0, JDE
constexpr double kSynodicMonth = 29.530588861;

// Planetary arguments A1..A14 as (constant, rate per lunation) in degrees
// with their amplitudes in days; A1 also has a T² term.
struct PlanetaryTerm {
    double base, perLunation, amplitude;
};

constexpr PlanetaryTerm kPlanetary[] = {
    {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056},  {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040},  {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
};

}  // namespace

double newMoonTime(long lunation) {
    const double k = static_cast<double>(lunation);
    const double T = k / 1236.85;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;

    const double mean = kFirstNewMoon + kSynodicMonth * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    // Eccentricity of the Earth's orbit, scaling the terms with the Sun's anomaly.
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = (2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3) * kDegree;
    const double Mp = (201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4) * kDegree;
    const double F = (160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4) * kDegree;
    const double Om = (124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3) * kDegree;

    double c = -0.40720 * std::sin(Mp)
             + 0.17241 * E * std::sin(M)
             + 0.01608 * std::sin(2 * Mp)
             + 0.01039 * std::sin(2 * F)
             + 0.00739 * E * std::sin(Mp - M)
             - 0.00514 * E * std::sin(Mp + M)
             + 0.00208 * E * E * std::sin(2 * M)
             - 0.00111 * std::sin(Mp - 2 * F)
             - 0.00057 * std::sin(Mp + 2 * F)
             + 0.00056 * E * std::sin(2 * Mp + M)
             - 0.00042 * std::sin(3 * Mp)
             + 0.00042 * E * std::sin(M + 2 * F)
             + 0.00038 * E * std::sin(M - 2 * F)
             - 0.00024 * E * std::sin(2 * Mp - M)
             - 0.00017 * std::sin(Om)
             - 0.00007 * std::sin(Mp + 2 * M)
             + 0.00004 * std::sin(2 * Mp - 2 * F)
             + 0.00004 * std::sin(3 * M)
             + 0.00003 * std::sin(Mp + M - 2 * F)
             + 0.00003 * std::sin(2 * Mp + 2 * F)
             - 0.00003 * std::sin(Mp + M + 2 * F)
             + 0.00003 * std::sin(Mp - M + 2 * F)
             - 0.00002 * std::sin(Mp - M - 2 * F)
             - 0.00002 * std::sin(3 * Mp + M)
             + 0.00002 * std::sin(4 * Mp);

    for (const PlanetaryTerm& a : kPlanetary) {
        double argument = a.base + a.perLunation * k;
        if (&a == &kPlanetary[0]) argument -= 0.009173 * T2;
        c += a.amplitude * std::sin(argument * kDegree);
    }
    return mean + c;
}

long lunationAtOrBefore(double jdTT) {
    // The corrections stay within a day of the mean lunation: start from the
    // mean and step to the right one.
    long k = static_cast<long>(std::floor((jdTT - kFirstNewMoon) / kSynodicMonth));
    while (newMoonTime(k) > jdTT) --k;
    while (newMoonTime(k + 1) <= jdTT) ++k;
    return k;
}

}  // namespace kelmora::astro
