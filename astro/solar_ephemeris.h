// The solar ephemeris: declination and equation of time at any instant,
// the mean obliquity of the ecliptic with the tables derived from it, and
// the series table of the equation of time by solar longitude.
//
// Angles in degrees. The equation of time (EoT) is apparent minus mean
// solar time, positive when the sundial is fast, held in degrees of time
// (4 minutes of time per degree). Low-precision model (about 0.01 degree);
// universal and terrestrial time are not told apart.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/design_state.h"  // EotSeriesRow

namespace tavrel {

// Apparent declination and equation of time of the sun.
//   year  calendar year of the instant
//   x     day of the year with fraction, UT: x = 1.0 is 12:00 UT on
//         1 January of year (callers pass dayOfYear + (UT - 12) / 24)
//   declination  degrees, north positive
//   eot          degrees in [-180, 180]; minutes of time = 4 * eot
// Meeus, Astronomical Algorithms, 2nd ed., ch. 22 (obliquity, nutation),
// ch. 25 (solar coordinates of low accuracy) and ch. 28 (equation of time).
void solarPosition(int year, double x, double& declination, double& eot);

// The apparent obliquity of the ecliptic (degrees) that solarPosition uses
// at the same instant: the mean obliquity (Meeus, 2nd ed., eq. 22.2, first
// two terms) plus 0.00256 cos(node) (ch. 25).
double apparentObliquity(int year, double x);

// Mean obliquity of day 80, 12 h UT, of year and its derived tables:
// meanObliquity, obliquityRounded (two decimals, ties to even),
// declinationByLongitude[k] (ecliptic longitude 90 + 5k degrees,
// k = 0..36, entry 18 exactly 0) and zodiacDeclination[1..7] (the sign
// boundaries in ascending order: longitude 270, 240, 210, 180, 150, 120,
// 90; entry 0 unused). The start-up copies them into the design record
// (prepareObliquity, astro/startup.h).
struct ObliquityTables {
  double meanObliquity = 0;
  double obliquityRounded = 0;
  std::array<double, 37> declinationByLongitude{};
  std::array<double, 8> zodiacDeclination{};
};
ObliquityTables obliquityTables(int year);

// The series EoT table by solar longitude, steps + 1 rows for the
// longitudes 360 / steps * i, i = 0..steps, with the orbital elements of
// year. steps must lie in 1..360; otherwise the table is empty. The
// start-up keeps it in the design record (buildEotSeriesTable,
// astro/startup.h).
std::vector<EotSeriesRow> eotSeriesRows(int steps, int year);

// Whole seconds as "m:ss" with a leading "-" for negative values
// ("7:05", "-14:12", "0:00").
std::string minutesText(int seconds);

}  // namespace tavrel
