// The zone time of a sun azimuth, by bisection on the clock time: the
// sun's azimuth grows monotonically from east through south to west between
// the lower culminations (Meeus, Astronomical Algorithms, 2nd ed., ch. 13),
// so the bracket is one half of the day, extended past midnight on the
// afternoon side.
#include "astro/azimuth_time.h"

#include <cmath>
#include <utility>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/solar_ephemeris.h"
#include "core/language.h"
#include "base/geometry.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

bool within(double x, double lo, double hi) { return lo <= x && x <= hi; }

std::string twoDigits(long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// "hh:mm:ss  hh:mm:ss" of a time in hours, seconds rounded half to even.
std::string clockText(double t) {
  long hours = static_cast<long>(std::trunc(t));
  long s = std::lrint((t - std::floor(t)) * 3600);
  if (s >= 3600) {  // 59:59.5 and later rounds into the next hour
    s -= 3600;
    ++hours;
  }
  return fixedText(static_cast<double>(hours), 3, 0) + ":" + twoDigits(s / 60) + ":" +
         twoDigits(s % 60) + "  hh:mm:ss";
}

}  // namespace

AzimuthTime zoneTimeForAzimuth(double azimuth, const AzimuthSearch& search) {
  const int year = search.year;
  const int day = dayOfYear(year, search.month, search.day);
  const double latitude = search.latitude, longitude = search.longitude;
  const double zone = search.zoneMeridian;
  auto azimuthAt = [&](double t) {
    return sunAtZoneTime(year, day, t, latitude, longitude, zone, true).azimuth;
  };

  const double a = azimuth == 0 ? 0.0001 : azimuth;
  double declination = 0, eot = 0;
  solarPosition(year, day, declination, eot);

  // The half day of the bracket, in local mean time of the place: 0..13.5 h
  // (forenoon) or 10.5..24.99 h (afternoon), shifted into zone time. (Held
  // in zone time the bracket would miss the azimuths near the meridian and
  // near midnight wherever the zone meridian is an hour or more away, e.g.
  // Galicia on Central European Time, noon at 13:34.)
  const double shift = (longitude - zone) / 15;
  double t1 = 0 + shift, t2 = 13.5 + shift;
  if (a > 0) {
    t1 = 10.5 + shift;
    t2 = 24.99 + shift;
  }
  if (latitude < declination) std::swap(t1, t2);
  double az1 = azimuthAt(t1), az2 = azimuthAt(t2);
  if (a > 0 && az2 < 0) az2 += 360;
  if (a < 0 && az1 > 0) az1 -= 360;
  if (az2 < az1) {
    std::swap(az1, az2);
    std::swap(t1, t2);
  }

  AzimuthTime result;
  result.searchedAzimuth = a;
  if (!within(a, az1, az2)) {
    result.azimuthOutsideBracket = true;
    result.bracketAzimuth1 = az1;
    result.bracketAzimuth2 = az2;
  }
  result.notEveryAzimuthReached = std::fabs(latitude) - std::fabs(declination) < 0;

  double t = (t1 + t2) / 2;
  while (std::fabs(az2 - az1) >= 0.002 && std::fabs(t1 - t2) >= 1e-10) {
    t = (t1 + t2) / 2;
    double az = azimuthAt(t);
    if (a * az < 0 && !within(az, az1, az2)) az -= signOf(az) * 360;
    if (std::fabs(a - az) < 0.005) break;
    if (within(a, az1, az)) {
      t2 = t;
      az2 = az;
    } else if (within(a, az, az2)) {
      t1 = t;
      az1 = az;
    } else {
      result.bracketLost = true;
      break;
    }
  }

  if (std::fabs(t1 - t2) < 1e-10) return result;
  result.found = true;
  result.zoneTime = t;
  result.text = clockText(t);
  return result;
}

std::string azimuthOutsideBracketText(const AzimuthTime& result, int language) {
  return tableText(TextTable::Texts, 801, language) + fixedText(result.bracketAzimuth1, 9, 2) +
         tableText(TextTable::Texts, 802, language) + fixedText(result.searchedAzimuth, 8, 2) +
         tableText(TextTable::Texts, 803, language) + fixedText(result.bracketAzimuth2, 8, 2);
}

}  // namespace tavrel
