// Helpers shared by the quadrant (quadrant_geometry.cpp) and the Habermel
// dials (habermel_geometry.cpp): the sun's altitude and azimuth for an hour
// angle, and the hour values of a range. Not for use outside dials/quadrant/.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "astro/calendar.h"
#include "base/angles.h"

namespace tavrel::quadrant_detail {

inline double sinD(double a) { return std::sin(a * kRadPerDeg); }
inline double cosD(double a) { return std::cos(a * kRadPerDeg); }
inline double tanD(double a) { return std::tan(a * kRadPerDeg); }

// Altitude of hour angle H and declination d at latitude p, Meeus,
// Astronomical Algorithms, 2nd ed., eq. 13.6.
inline double altitudeOf(double H, double d, double p) {
  const double s = std::clamp(sinD(p) * sinD(d) + cosD(p) * cosD(d) * cosD(H), -1.0, 1.0);
  return std::asin(s) / kRadPerDeg;
}

// Azimuth (from south, west positive), eq. 13.5.
inline double azimuthOf(double H, double d, double p) {
  return std::atan2(sinD(H), cosD(H) * sinD(p) - tanD(d) * cosD(p)) / kRadPerDeg;
}

inline int daysInYear(int year) { return dayOfYear(year, 12, 31); }

// The hour values of a range split into `parts`, with their subdivision flag.
inline std::vector<std::pair<double, bool>> hourValues(int from, int to, int parts) {
  std::vector<std::pair<double, bool>> out;
  parts = std::max(1, parts);
  for (int i = from; i <= to; ++i)
    for (int j = 0; j < parts; ++j) {
      const double t = i + static_cast<double>(j) / parts;
      if (t > to + 1e-9) break;
      out.emplace_back(t, j > 0);
    }
  return out;
}

inline std::string hourText(double t) {
  const int h = static_cast<int>(std::lround(t));
  return std::to_string(((h % 24) + 24) % 24);
}

}  // namespace tavrel::quadrant_detail
