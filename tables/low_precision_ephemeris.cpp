#include "tables/low_precision_ephemeris.h"
#include "base/angles.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr double kPi2 = 2 * std::numbers::pi;
constexpr double kArcsecondsPerRadian = 206264.8062;
// Obliquity of J2000.0 as used by MiniSun and MiniMoon.
constexpr double kCosEps = 0.91748;
constexpr double kSinEps = 0.39778;

double frac(double x) {
  x -= std::trunc(x);
  if (x < 0) x += 1;
  return x;
}

// Equatorial coordinates of a direction given by its cosine x and the
// components y, z of the equatorial unit vector; the right ascension by
// the half-angle form 2 arctan(y / (x + rho)).
RaDec toRaDec(double x, double y, double z) {
  const double rho = std::sqrt(1.0 - z * z);
  RaDec r;
  r.declination = (360.0 / kPi2) * std::atan(z / rho);
  r.rightAscension = (48.0 / kPi2) * std::atan(y / (x + rho));
  if (r.rightAscension < 0) r.rightAscension += 24.0;
  return r;
}

}  // namespace

double modifiedJulianDate(int year, int month, int day, double hour) {
  const double dateNumber = 10000.0 * year + 100.0 * month + day;
  if (month <= 2) {
    month += 12;
    year -= 1;
  }
  long b;
  if (dateNumber <= 15821004.1)
    b = -2 + static_cast<long>(std::trunc((year + 4716) / 4.0)) - 1179;
  else
    b = static_cast<long>(std::trunc(year / 400.0)) - static_cast<long>(std::trunc(year / 100.0)) +
        static_cast<long>(std::trunc(year / 4.0));
  const double a = 365.0 * year - 679004.0;
  return a + b + std::trunc(30.6001 * (month + 1)) + day + hour / 24.0;
}

double localMeanSiderealTime(double mjd, double longitudeWest) {
  const double mjd0 = std::floor(mjd);
  const double ut = (mjd - mjd0) * 24;
  const double t = (mjd0 - 51544.5) / 36525.0;
  const double gmst = 6.697374558 + 1.0027379093 * ut +
                      (8640184.812866 + (0.093104 - 6.2e-6 * t) * t) * t / 3600.0;
  return 24.0 * frac((gmst - longitudeWest / 15.0) / 24.0);
}

RaDec miniSun(double t) {
  const double m = kPi2 * frac(0.993133 + 99.997361 * t);
  const double dl = 6893.0 * std::sin(m) + 72.0 * std::sin(2 * m);
  const double l = kPi2 * frac(0.7859453 + m / kPi2 + (6191.2 * t + dl) / 1296.0e3);
  const double sl = std::sin(l);
  return toRaDec(std::cos(l), kCosEps * sl, kSinEps * sl);
}

RaDec miniMoon(double t) {
  const double l0 = frac(0.606433 + 1336.855225 * t);
  const double l = kPi2 * frac(0.374897 + 1325.552410 * t);
  const double ls = kPi2 * frac(0.993133 + 99.997361 * t);
  const double d = kPi2 * frac(0.827361 + 1236.853086 * t);
  const double f = kPi2 * frac(0.259086 + 1342.227825 * t);
  // Perturbations in longitude and latitude, arc seconds.
  const double dl = +22640 * std::sin(l) - 4586 * std::sin(l - 2 * d) + 2370 * std::sin(2 * d) +
                    769 * std::sin(2 * l) - 668 * std::sin(ls) - 412 * std::sin(2 * f) -
                    212 * std::sin(2 * l - 2 * d) - 206 * std::sin(l + ls - 2 * d) +
                    192 * std::sin(l + 2 * d) - 165 * std::sin(ls - 2 * d) - 125 * std::sin(d) -
                    110 * std::sin(l + ls) + 148 * std::sin(l - ls) - 55 * std::sin(2 * f - 2 * d);
  const double s = f + (dl + 412 * std::sin(2 * f) + 541 * std::sin(ls)) / kArcsecondsPerRadian;
  const double h = f - 2 * d;
  const double n = -526 * std::sin(h) + 44 * std::sin(l + h) - 31 * std::sin(-l + h) -
                   23 * std::sin(ls + h) + 11 * std::sin(-ls + h) - 25 * std::sin(-2 * l + f) +
                   21 * std::sin(-l + f);
  const double lMoon = kPi2 * frac(l0 + dl / 1296.0e3);
  const double bMoon = (18520.0 * std::sin(s) + n) / kArcsecondsPerRadian;
  // Ecliptic to equatorial: rotation about the x axis by the obliquity.
  const double cb = std::cos(bMoon);
  const double x = cb * std::cos(lMoon);
  const double v = cb * std::sin(lMoon);
  const double w = std::sin(bMoon);
  return toRaDec(x, kCosEps * v - kSinEps * w, kSinEps * v + kCosEps * w);
}

double sinAltitude(RiseSetObject object, double mjd0, double hour, double longitudeWest,
                   double cosLatitude, double sinLatitude) {
  const double mjd = mjd0 + hour / 24.0;
  const double t = (mjd - 51544.5) / 36525.0;
  const RaDec p = object == RiseSetObject::Moon ? miniMoon(t) : miniSun(t);
  const double tau = 15.0 * (localMeanSiderealTime(mjd, longitudeWest) - p.rightAscension);
  return sinLatitude * std::sin(p.declination * kRadPerDeg) +
         cosLatitude * std::cos(p.declination * kRadPerDeg) * std::cos(tau * kRadPerDeg);
}

}  // namespace tavrel
