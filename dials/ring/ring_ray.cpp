// The ray through the pin hole of the ring dial and the deflection that
// puts its mark at a given offset across the band (geometry in
// ring_dial.h).
#include <cmath>

#include "dials/ring/ring_dial.h"

namespace tavrel {

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180.0;
}

RingRayResult ringRay(double psi, double hsun, double alpha, double diameterMm) {
  const double sh = std::sin(hsun * kDeg), ch = std::cos(hsun * kDeg);
  const double sa = std::sin(alpha * kDeg), ca = std::cos(alpha * kDeg);
  const double sp = std::sin(psi * kDeg), cp = std::cos(psi * kDeg);
  const double r = diameterMm / 2;
  // The chord from the hole to the mark in radii: the ray (-cos h cos psi,
  // -sin h) projected on the ring's plane meets the circle again after
  // t = -2 (H . d) / |d|^2 (power of a point).
  const double denominator = sh * sh + ch * ch * cp * cp;
  RingRayResult out;
  if (denominator < 1e-15) {
    // A horizontal ray along the axis never meets the ring.
    out.axialOffset = HUGE_VAL;
    out.relativeHeight = ca;
    return out;
  }
  const double k = 2 * (sh * ca + ch * sa * cp) / denominator;
  out.axialOffset = ch * (r * k) * sp;
  out.relativeHeight = ca - k * sh;
  const double L = std::fabs(out.relativeHeight) <= 0.9999999
                       ? std::asin(out.relativeHeight) / kDeg
                       : (out.relativeHeight < 0 ? -90.0 : 90.0);
  const double side = r * (k * ch * cp - sa);
  out.beta = side >= 0 ? 90 - alpha - L - 2 * hsun : L + 270 - alpha - 2 * hsun;
  return out;
}

RingRaySolution solveRingRay(double targetMm, double hsun, double alpha, double diameterMm) {
  const double target = std::fabs(targetMm);
  double psi = 0;
  RingRayResult r = ringRay(psi, hsun, alpha, diameterMm);
  while (r.axialOffset < target && psi < 90) {
    psi += psi < 45 ? 0.25 : 0.01;
    r = ringRay(psi, hsun, alpha, diameterMm);
  }
  RingRaySolution out;
  if (psi >= 90) return out;
  while (r.axialOffset > target && psi >= 0.005) {
    psi -= 0.005;
    r = ringRay(psi, hsun, alpha, diameterMm);
  }
  if (psi < 0.02) {
    out.found = true;
    out.relativeHeight = ringRay(0, hsun, alpha, diameterMm).relativeHeight;
    return out;
  }
  while (r.axialOffset < target && psi < 90) {
    psi += 0.0001;
    r = ringRay(psi, hsun, alpha, diameterMm);
  }
  if (psi >= 90) return out;
  out.found = true;
  out.psi = psi;
  out.beta = r.beta;
  out.relativeHeight = r.relativeHeight;
  out.axialOffset = r.axialOffset;
  return out;
}

}  // namespace tavrel
