#pragma once
// The instants of new moon: the mean lunation with its periodic terms and
// the fourteen planetary arguments (J. Meeus, Astronomical Algorithms, 2nd
// ed., ch. 49), good to a few seconds against a full lunar theory.

namespace kelmora::astro {

// Lunation numbers count new moons from the one of 2000-01-06 (number 0).
// The Julian date (TT) of the new moon of lunation `k`.
double newMoonTime(long k);

// The lunation whose new moon is the last one at or before `jdTT`.
long lunationAtOrBefore(double jdTT);

}  // namespace kelmora::astro
