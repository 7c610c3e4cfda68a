// Temporal, Babylonian and Italian hours (Rohr, Sundials: History, Theory
// and Practice, ch. 1 and ch. 5) on the half day arc of Meeus, Astronomical
// Algorithms, 2nd ed., eq. 15.1 (h0 = 0).
#include "astro/time_systems.h"

#include <cmath>

#include "astro/degree_trig.h"

namespace tavrel {

namespace {

// H0 in degrees, 0..180; 90 when |cos H0| < 1e-12.
double halfDayArc(double latitude, double declination) {
  const long double x = degtrig::horizonArcCosine(latitude, declination);
  if (fabsl(x) < 1e-12L) return 90;
  return static_cast<double>(degtrig::acosD(x));
}

double noonDeclination(int year, int day, double meridian, double latitude) {
  return sunAtZoneTimeNoonEphemeris(year, day, 12.0, latitude, meridian, meridian, false)
      .declination;
}

HorizontalPosition sunAtApparentTime(int year, int day, double t, double meridian,
                                     double latitude) {
  const SunPosition s = sunAtZoneTimeNoonEphemeris(year, day, t, latitude, meridian, meridian, false);
  return {s.altitude, s.azimuth};
}

}  // namespace

HorizontalPosition temporalHourSun(int year, int day, double hour, double meridian,
                                   double latitude) {
  const double h0 = halfDayArc(latitude, noonDeclination(year, day, meridian, latitude));
  return sunAtApparentTime(year, day, 12 - (6 - hour) * h0 / 90, meridian, latitude);
}

namespace {

// Local apparent time of Babylonian (from sunrise, a day early) or Italian
// (from the previous sunset) hour `hour` on a day of half day arc h0.
double italianBabylonianTime(bool babylonian, double hour, double h0) {
  const double r = h0 / 15;
  return babylonian ? std::fabs(12 - r) - (24 - hour) : hour - std::fabs(r - 12);
}

}  // namespace

HorizontalPosition italianBabylonianSun(int year, int day, bool babylonian, double hour,
                                        double meridian, double latitude) {
  const double h0 = halfDayArc(latitude, noonDeclination(year, day, meridian, latitude));
  return sunAtApparentTime(year, day, italianBabylonianTime(babylonian, hour, h0), meridian,
                           latitude);
}

double halfDayArcDegrees(double latitude, double declination) { return halfDayArc(latitude, declination); }

double italianBabylonianHourAngleOnArc(bool babylonian, double hour, double h0) {
  return (italianBabylonianTime(babylonian, hour, h0) - 12) * 15;
}

double temporalHourAngleOnArc(double hour, double h0) { return (hour - 6) * h0 / 6; }

double temporalHourAngle(double hour, double latitude, double declination) {
  return temporalHourAngleOnArc(hour, halfDayArc(latitude, declination));
}

HorizontalPosition temporalHourSunAtDeclination(double hour, double latitude,
                                                double declination) {
  return horizontalFromHourAngle(temporalHourAngle(hour, latitude, declination), declination, latitude);
}

}  // namespace tavrel
