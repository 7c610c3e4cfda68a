// Horizontal coordinates of the sun. Meeus, Astronomical Algorithms, 2nd
// ed., ch. 13: sin h = sin p sin d + cos p cos d cos H (eq. 13.6) and the
// azimuth from its cosine, cos A = (cos H cos d sin p - sin d cos p) / cos h,
// the sign taken from the hour angle (azimuth from south, as eq. 13.5).
#include "astro/horizontal_coordinates.h"

#include <cmath>

#include "astro/degree_trig.h"
#include "astro/solar_ephemeris.h"
#include "base/geometry.h"

namespace tavrel {

using degtrig::cosD;
using degtrig::deg;
using degtrig::sinD;

namespace {

int sgn(long double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

// Into [-180, 180]; a value of exactly +-180 is kept.
long double reduceTo180(long double a) {
  if (fabsl(a) <= 180) return a;
  a = fmodl(a, 360.0L);
  if (a > 180) a -= 360;
  if (a < -180) a += 360;
  return a;
}

// The angle whose cosine is x, written as atan(sqrt(1 - x^2) / x) and moved
// into [0, 180]; x = 0 gives 90. x = -1 gives 180: the arc tangent of -0 is
// a negative zero that "plus 180 when negative" would leave at 0, putting a
// body in the nadir into the zenith.
long double arcFromCosine(long double x) {
  if (x == 0) return 90;
  if (x <= -1) return 180;
  long double a = deg(atanl(sqrtl(1 - x * x) / x));
  if (a < 0) a += 180;
  return a;
}

}  // namespace

namespace {

// sin and cos of the latitude asked last: a construction asks for
// thousands of positions at one place.
struct LatitudeTrig {
  double latitude;
  long double sin, cos;
};

const LatitudeTrig& latitudeTrig(double latitude) {
  thread_local LatitudeTrig last{0, sinD(0.0L), cosD(0.0L)};
  if (latitude != last.latitude || std::signbit(latitude) != std::signbit(last.latitude))
    last = {latitude, sinD(latitude), cosD(latitude)};
  return last;
}

}  // namespace

SkyAtDeclination::SkyAtDeclination(double declination, double latitude)
    : p_(latitude),
      d_(declination),
      sp_(latitudeTrig(latitude).sin),
      cp_(latitudeTrig(latitude).cos),
      sd_(sinD(d_)),
      cd_(cosD(d_)) {}

HorizontalPosition SkyAtDeclination::at(double hourAngle) const {
  const long double H = reduceTo180(hourAngle);
  const long double sp = sp_, cp = cp_, sd = sd_, cd = cd_, cH = cosD(H);

  long double s = sp * sd + cp * cd * cH;  // sine of the altitude
  if (fabsl(s) < 1e-10L)
    s = (sgn(s) + 0.2L) * 1e-10L;
  else if (fabsl(s) > 1)
    s = sgn(s) * 0.9999999999L;
  const long double z = arcFromCosine(s);  // zenith distance, 0..180

  long double azimuth = 0;
  if (z >= 1e-6L) {
    // sin z is 0 only in the nadir (s = -1 exactly); the numerator is then
    // 0 as well and the floor below gives the azimuth +-90 that the sun
    // keeps on the equinox at the equator.
    const long double sinZ = sqrtl(1 - s * s);
    long double c = -sd * cp + cH * cd * sp;
    if (sinZ > 0) c /= sinZ;
    if (fabsl(c) > 1)
      c = sgn(c);
    else if (fabsl(c) < 1e-10L)
      c = (sgn(c) + 0.2L) * 1e-10L;
    azimuth = c == -1 ? 180 : arcFromCosine(c);
  }
  if (H < 0) azimuth = -azimuth;
  if (H == 0) azimuth = p_ >= d_ ? 0 : 180;

  return {static_cast<double>(90 - z), static_cast<double>(azimuth)};
}

HorizontalPosition horizontalFromHourAngle(double hourAngle, double declination,
                                           double latitude) {
  return SkyAtDeclination(declination, latitude).at(hourAngle);
}

EquatorialPosition equatorialFromHorizontal(double latitude, double altitude, double azimuth) {
  const long double A = reduceTo180(azimuth);
  const long double p = latitude, h = altitude;
  if (fabsl(A) == 90 && h == 0) return {sgn(A) * 90.0, 0.0};

  const long double sp = sinD(p), cp = cosD(p), sh = sinD(h);
  long double l = cosD(A) * cosD(h) * cp - sh * sp;  // -sin(declination)
  if (l > 1) l = 1;
  if (l < -1) l = -1;
  long double declination;
  if (1 - fabsl(l) < 1e-7L)
    declination = -90.0L * sgn(l);
  else
    declination = -deg(atanl(l / sqrtl(1 - l * l)));

  long double H;
  const long double c = sqrtl(1 - l * l) * cp;
  if (fabsl(c) < 1e-8L) {
    // At a pole of the observer (cos p = 0) the cosine form is 0 / 0; the
    // tangent form of the same transformation, tan H = sin A /
    // (cos A sin p + tan h cos p), still holds there: H = A at the north
    // pole, 180 - A at the south pole (an equatorial dial plane has such a
    // "latitude" of +-90).
    const long double ch = cosD(h);
    H = deg(atan2l(sinD(A) * ch, cosD(A) * ch * sp + sh * cp));
  } else {
    long double x = (sh + l * sp) / c;  // cosine of the hour angle
    if (x > 1) x = 1;
    if (x < -1) x = -1;
    if (fabsl(x) < 1e-8L) x = (sgn(x) + 0.5L) * 1e-7L;
    H = arcFromCosine(x);
    if (A < 0) H = -H;
  }
  return {static_cast<double>(H), static_cast<double>(declination)};
}

namespace {

SunPosition sunAtEphemerisInstant(int year, double x, double zoneTime, double latitude,
                                  double longitude, double zoneMeridian, bool apparent) {
  DayEphemeris e;
  solarPosition(year, x, e.declination, e.eot);
  return sunOfDay(e, SkyAtDeclination(e.declination, latitude), zoneTime, longitude, zoneMeridian,
                  apparent);
}

}  // namespace

SunPosition sunAtZoneTime(int year, int day, double zoneTime, double latitude,
                          double longitude, double zoneMeridian, bool apparent) {
  const double x = day + (zoneTime + zoneMeridian / 15 - 12) / 24;
  return sunAtEphemerisInstant(year, x, zoneTime, latitude, longitude, zoneMeridian, apparent);
}

DayEphemeris noonEphemerisOfDay(int year, int day, double zoneMeridian) {
  DayEphemeris e;
  solarPosition(year, day + (zoneMeridian / 15) / 24, e.declination, e.eot);
  return e;
}

SunPosition sunOfDay(const DayEphemeris& ephemeris, const SkyAtDeclination& sky, double zoneTime,
                     double longitude, double zoneMeridian, bool apparent) {
  SunPosition sun;
  sun.declination = ephemeris.declination;
  sun.eot = ephemeris.eot;
  double H = (zoneTime - 12) * 15 - (longitude - zoneMeridian);
  if (apparent) H += sun.eot;
  const HorizontalPosition hz = sky.at(H);
  sun.altitude = hz.altitude;
  sun.azimuth = hz.azimuth;
  return sun;
}

SunPosition sunAtZoneTimeNoonEphemeris(int year, int day, double zoneTime, double latitude,
                                       double longitude, double zoneMeridian, bool apparent) {
  const DayEphemeris e = noonEphemerisOfDay(year, day, zoneMeridian);
  return sunOfDay(e, SkyAtDeclination(e.declination, latitude), zoneTime, longitude, zoneMeridian,
                  apparent);
}

HorizontalPosition sunFromMeanTime(double time, double latitude, double longitude,
                                   double zoneMeridian, double declination) {
  const double H = (time - 12) * 15 - (longitude - zoneMeridian);
  return horizontalFromHourAngle(H, declination, latitude);
}

double cosAngleBetween(double azimuth1, double altitude1, double azimuth2, double altitude2) {
  const degtrig::SinCos a1 = degtrig::sinCos(azimuth1), h1 = degtrig::sinCos(altitude1);
  const degtrig::SinCos a2 = degtrig::sinCos(azimuth2), h2 = degtrig::sinCos(altitude2);
  const double south = static_cast<double>(a1.cos * h1.cos * a2.cos * h2.cos);
  const double west = static_cast<double>(a1.sin * h1.cos * a2.sin * h2.cos);
  const double up = static_cast<double>(h1.sin * h2.sin);
  return south + west + up;
}

}  // namespace tavrel
