// Sunrise and sunset on the geometric horizon (Meeus, Astronomical
// Algorithms, 2nd ed., ch. 15, eq. 15.1 with h0 = 0 and the declination
// held for the day).
#include "astro/rise_set.h"

#include <cmath>

#include "astro/calendar.h"
#include "astro/degree_trig.h"
#include "astro/horizontal_coordinates.h"
#include "core/language.h"

namespace tavrel {

namespace {

// H0 from its cosine m: 90 when |m| < tiny, 0 or 180 when |m| > big (the
// polar codes), else arccos m.
double arcWithPolarCodes(long double m, long double tiny, long double big, bool bigInclusive) {
  if (fabsl(m) < tiny) return 90;
  if (bigInclusive ? fabsl(m) >= big : fabsl(m) > big) return m > 0 ? 0 : 180;
  return static_cast<double>(degtrig::acosD(m));
}

// Both flags true: the half day arc of riseSetHourAngle.
double arcOfOrdinaryDay(double declination, double latitude) {
  if (90 - std::fabs(latitude) < 1e-6) return 90;
  return arcWithPolarCodes(degtrig::horizonArcCosine(latitude, declination), 1e-15L, 1, true);
}

}  // namespace

ApparentRiseSet sunriseSunsetApparent(int year, int day, double latitude, double longitude) {
  ApparentRiseSet r;
  r.declination =
      sunAtZoneTimeNoonEphemeris(year, day, 12, latitude, longitude, longitude, false).declination;
  const double h0 = arcWithPolarCodes(degtrig::horizonArcCosine(latitude, r.declination), 1e-12L,
                                      0.9999999L, false);
  r.rise = 12 - h0 / 15;
  r.set = 12 + h0 / 15;
  r.azimuthRise =
      sunAtZoneTimeNoonEphemeris(year, day, r.rise, latitude, longitude, longitude, false).azimuth;
  r.azimuthSet =
      sunAtZoneTimeNoonEphemeris(year, day, r.set, latitude, longitude, longitude, false).azimuth;
  return r;
}

RiseSetArc riseSetHourAngle(int year, int day, double referenceMeridian, double latitude) {
  RiseSetArc r;
  const SunPosition noon = sunAtZoneTime(year, day, 12, latitude,
                                         referenceMeridian, referenceMeridian, false);
  r.declination = noon.declination;
  r.eot = noon.eot;
  const double p = latitude, d = r.declination;
  if (p > 0) {
    r.notPolarDay = 90 - d - p >= 0;
    r.notPolarNight = d + 90 - p >= 0;
  } else {
    r.notPolarDay = p + 90 + d >= 0;
    r.notPolarNight = p + 90 - d >= 0;
  }
  r.hourAngle = r.notPolarDay && r.notPolarNight ? arcOfOrdinaryDay(d, p) : 0;
  return r;
}

RiseSetArc riseSetHourAngleFromDeclination(double declination, double latitude) {
  RiseSetArc r;
  r.declination = declination;
  const double p = latitude, d = declination;
  if (p > 0) {
    r.notPolarDay = 90 - d - p > 0;
    r.notPolarNight = d + 90 - p > 0;
  } else {
    r.notPolarDay = p + 90 + d >= 0;
    r.notPolarNight = p + 90 - d >= 0;
  }
  r.hourAngle = r.notPolarDay && r.notPolarNight ? arcOfOrdinaryDay(d, p) : 0;
  return r;
}

RiseSetTimes riseSetZoneTimes(int year, int day, double zoneMeridian, double referenceMeridian,
                              double latitude) {
  const RiseSetArc arc = riseSetHourAngle(year, day, referenceMeridian, latitude);
  if (arc.notPolarDay && arc.notPolarNight) {
    const double noon = (zoneMeridian - referenceMeridian) / 15 + 12;
    return {noon - arc.hourAngle / 15, noon + arc.hourAngle / 15};
  }
  if (arc.notPolarNight) return {0, 24};  // the sun never sets
  return {-1, 0};                          // the sun never rises
}

namespace {
constexpr int kTimeTableDays[3] = {1, 11, 21};
constexpr int kAzimuthTableDays[4] = {1, 8, 15, 22};
}  // namespace

RiseSetTimeTable riseSetTimeTable(int year, double zoneMeridian, double referenceMeridian,
                                  double latitude) {
  RiseSetTimeTable table{};
  for (int month = 6; month <= 12; ++month)
    for (int k = 0; k < 3; ++k)
      table[month - 6][k] = riseSetZoneTimes(year, dayOfYear(year, month, kTimeTableDays[k]),
                                             zoneMeridian, referenceMeridian, latitude);
  return table;
}

RiseSetAzimuthTable riseSetAzimuthTable(int year, double zoneMeridian, double latitude) {
  RiseSetAzimuthTable table;
  const double zone = zoneMeridian;
  for (int month = 1; month <= 12; ++month)
    for (int k = 0; k < 4; ++k) {
      const int day = dayOfYear(year, month, kAzimuthTableDays[k]);
      const RiseSetTimes t = riseSetZoneTimes(year, day, zone, zone, latitude);
      table.rise[month - 1][k] = sunAtZoneTime(year, day, t.rise, latitude, zone, zone, false).azimuth;
      table.set[month - 1][k] = sunAtZoneTime(year, day, t.set, latitude, zone, zone, false).azimuth;
    }
  return table;
}

SunsetArc sunsetHourAngleAndAzimuth(double declination, double latitude) {
  SunsetArc r;
  r.hourAngle = arcWithPolarCodes(degtrig::horizonArcCosine(latitude, declination), 1e-12L,
                                  0.9999999L, false);
  const HorizontalPosition hz = horizontalFromHourAngle(r.hourAngle, declination, latitude);
  r.azimuth = hz.azimuth;
  r.altitude = hz.altitude;
  r.sunDoesNotSet = r.hourAngle == 180 && hz.altitude > 0.1;
  return r;
}

std::string noRiseSetWarningText(int language) { return tableText(TextTable::Texts, 800, language); }

}  // namespace tavrel
