#pragma once
// Where the Sun stands on the ecliptic as seen from the Earth, and when it
// reaches a given longitude (the solar terms are the multiples of 15°).

namespace kelmora::astro {

// The Sun's apparent geocentric ecliptic longitude at `jdTT`, in degrees
// 0 <= λ < 360, referred to the true equinox of date: VSOP87 with the FK5
// correction, nutation in longitude and aberration; good to about 0.2".
double sunApparentLongitude(double jdTT);

// The instant (Julian date, TT) at which the apparent longitude equals
// `degrees`, the one nearest to `jdNear` (which must lie within a few weeks
// of it); to about a tenth of a second of the theory.
double sunLongitudeTime(double degrees, double jdNear);

}  // namespace kelmora::astro
