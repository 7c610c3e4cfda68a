// Trigonometry of angles in degrees for the spherical astronomy of astro/,
// in extended precision with the constants of plot/geometry.h.
//
// The argument is first reduced to the nearest multiple of 90 degrees (an
// exact operation in binary floating point), so that sin and cos of 0, 90,
// 180 and 270 degrees are exactly 0 and +-1. With the 15-digit pi/180 of the
// program, cos(90 degrees) would otherwise come out as -3.8e-16, a cosine of
// the wrong sign that turns a latitude of +90 into a pole below the horizon
// and tan(90) into a large negative number.
#pragma once

#include <cmath>
#include <limits>

#include "base/geometry.h"

namespace tavrel::degtrig {

struct SinCos {
  long double sin, cos;
};

// sin and cos of x degrees; exact at multiples of 90 degrees.
// x = r + 90 q with |r| <= 45 (r in radians on return) and q in 0..3.
struct Quadrant {
  long double rad;
  int q;
};
inline Quadrant reduceToQuadrant(long double x) {
  long double r = fmodl(x, 360.0L);  // exact, |r| < 360
  const long double q = rintl(r / 90.0L);  // default rounding: ties to even
  r -= q * 90.0L;  // exact (Sterbenz), |r| <= 45
  return {r * kDegToRad, static_cast<int>((static_cast<long>(q) % 4 + 4) % 4)};
}

// sin(r + 90 q) from one library call.
inline long double sinOfQuadrant(long double r, int q) {
  switch (q & 3) {
    case 0: return sinl(r);
    case 1: return cosl(r);
    case 2: return -sinl(r);
    default: return -cosl(r);
  }
}

inline SinCos sinCos(long double x) {
  const Quadrant a = reduceToQuadrant(x);
  return {sinOfQuadrant(a.rad, a.q), sinOfQuadrant(a.rad, a.q + 1)};
}

inline long double sinD(long double x) {
  const Quadrant a = reduceToQuadrant(x);
  return sinOfQuadrant(a.rad, a.q);
}
// cos x = sin(x + 90).
inline long double cosD(long double x) {
  const Quadrant a = reduceToQuadrant(x);
  return sinOfQuadrant(a.rad, a.q + 1);
}

inline long double deg(long double rad) { return rad / kDegToRad; }

// arccos in degrees, argument limited to [-1, 1]; result in [0, 180].
inline long double acosD(long double x) {
  if (x >= 1) return 0;
  if (x <= -1) return 180;
  return deg(acosl(x));
}

// arcsin in degrees; +-90 when |x| >= 1.
inline long double asinD(long double x) {
  if (x >= 1) return 90;
  if (x <= -1) return -90;
  return deg(asinl(x));
}

// The cosine of the half day arc, cos H0 = -tan(latitude) tan(declination)
// = -sin p sin d / (cos p cos d) (Meeus, Astronomical Algorithms, 2nd ed.,
// eq. 15.1 with h0 = 0). At a pole (cos p = 0) the quotient is the infinity
// of the right sign, or 0 when the declination is 0 as well, instead of the
// NaN or wrong-signed value of a plain division.
inline long double horizonArcCosine(long double latitude, long double declination) {
  const SinCos p = sinCos(latitude), d = sinCos(declination);
  const long double num = -p.sin * d.sin, den = p.cos * d.cos;
  if (den == 0) {
    if (num == 0) return 0;
    return num > 0 ? std::numeric_limits<long double>::infinity()
                   : -std::numeric_limits<long double>::infinity();
  }
  return num / den;
}

}  // namespace tavrel::degtrig
