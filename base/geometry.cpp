// Angle and geometry utilities. Every trigonometric evaluation is done in
// long double with the constants of geometry.h.
#include "base/geometry.h"

#include <cmath>

namespace tavrel {

namespace {
long double sinD(long double x) { return sinl(x * kDegToRad); }
long double cosD(long double x) { return cosl(x * kDegToRad); }
}  // namespace

int signOf(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

int signNonNeg(double x) { return x >= 0 ? 1 : -1; }

double tanDeg(double x) {
  long double c = cosD(x);
  if (fabsl(c) < 1e-12L) c = signNonNeg(static_cast<double>(c)) * 1e-12L;
  return static_cast<double>(sinD(x) / c);
}

double atan2Deg(double y, double x) {
  if (x == 0) return signOf(y) * 90.0;
  if (y == 0) return x > 0 ? 0.0 : 180.0;
  long double a = atanl(static_cast<long double>(y) / x) / kDegToRad;
  if (x < 0 && y > 0) a += 180;
  if (x < 0 && y < 0) a -= 180;
  return static_cast<double>(a);
}

void rotatePoint(double& x, double& y, double angle) {
  const long double c = cosD(angle), s = sinD(angle);
  const long double nx = x * c - y * s;
  const long double ny = x * s + y * c;
  x = static_cast<double>(nx);
  y = static_cast<double>(ny);
}

// With a = inclination of a plane, b = its declination and c = the
// latitude, e is the declination of the plane's normal, p its hour angle
// and l its parallactic angle: the usual horizontal-to-equatorial
// transformation (Meeus, Astronomical Algorithms, 2nd ed., ch. 13) and the
// parallactic angle (ibid., eq. 14.1), applied to the normal, whose
// altitude is 90 - a and azimuth (from south, west positive) b.
void rotateSpherical(double a, double b, double c, double& e, double& p, double& l) {
  const long double sa = sinD(a), ca = cosD(a);
  const long double sb = sinD(b), cb = cosD(b);
  const long double sc = sinD(c), cc = cosD(c);
  const long double s = sc * ca - cc * sa * cb;
  if (fabsl(s) >= 1)
    e = 90.0 * signOf(static_cast<double>(s));
  else
    e = static_cast<double>(atanl(s / sqrtl(1 - s * s)) / kDegToRad);
  p = atan2Deg(static_cast<double>(sa * sb), static_cast<double>(cc * ca + sa * sc * cb));
  l = atan2Deg(static_cast<double>(cc * sb), static_cast<double>(sc * sa + cc * cb * ca));
}

// Gnomonic projection, Snyder, Map Projections - A Working Manual (USGS
// Professional Paper 1395), eqs. 5-3, 22-4 and 22-5, with west-positive
// longitudes (hence centreLon - pointLon).
void gnomonicProject(double& x, double& y, bool& visible, double rotation,
                     double pointLon, double pointLat, double distance,
                     double centreLon, double centreLat) {
  const long double sc = sinD(centreLat), cc = cosD(centreLat);
  const long double sp = sinD(pointLat), cp = cosD(pointLat);
  const long double dLon = static_cast<long double>(centreLon) - pointLon;
  const long double cd = cosD(dLon), sd = sinD(dLon);
  long double u = sc * sp + cc * cp * cd;
  if (u < 1e-6L) u = 1e-6L;  // 90 degrees or more away: far but finite
  visible = true;
  x = static_cast<double>(distance * cp * sd / u);
  y = static_cast<double>(distance * (cc * sp - sc * cp * cd) / u);
  if (std::fabs(rotation) > 0.001) rotatePoint(x, y, rotation);
}

}  // namespace tavrel
