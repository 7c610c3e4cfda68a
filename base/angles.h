// Angles: pi and the conversions between degrees and radians. Angles are
// degrees unless a name says Rad.
//
// Two precisions live side by side on purpose: a result can depend on the
// last digit of pi, and what the program writes is recorded to the byte.
//   kPi, kDegToRad     long double, pi to 15 significant digits: the
//                      extended-precision routines (the solar ephemeris,
//                      the planar dials, base/geometry);
//   kDegToRadDouble    that 15-digit factor rounded to double, for the
//                      double-precision loops of the same constructions;
//   std::numbers::pi, kRadPerDeg, kDegPerRad, radians(), degrees()
//                      double, pi correctly rounded: everything else.
// x * kRadPerDeg (pi / 180 rounded first) and radians(x) = x * pi / 180
// can differ in the last bit; each construction keeps the form it was
// built and recorded with.
#pragma once

#include <numbers>

namespace tavrel {

inline constexpr long double kPi = 3.14159265358979L;
inline constexpr long double kDegToRad = 0.0174532925199433L;
inline constexpr double kDegToRadDouble = static_cast<double>(kDegToRad);

// pi / 180 and 180 / pi, each rounded once to double.
inline constexpr double kRadPerDeg = std::numbers::pi / 180;
inline constexpr double kDegPerRad = 180 / std::numbers::pi;

// deg * pi / 180 and rad * 180 / pi, rounded after each operation.
constexpr double radians(double deg) { return deg * std::numbers::pi / 180; }
constexpr double degrees(double rad) { return rad * 180 / std::numbers::pi; }

}  // namespace tavrel
