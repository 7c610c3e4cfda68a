// The ray through the pin hole of the ring dial and the deflection that
// puts its mark at a given offset across the band (geometry in
// ring_dial.h).
#include <cmath>

#include "base/angles.h"
#include "dials/ring/ring_dial.h"

namespace tavrel {

namespace {
}

RingRayOptics::RingRayOptics(double hsun, double alpha, double diameterMm)
    : hsun_(hsun), alpha_(alpha), sh_(std::sin(hsun * kRadPerDeg)), ch_(std::cos(hsun * kRadPerDeg)),
      sa_(std::sin(alpha * kRadPerDeg)), ca_(std::cos(alpha * kRadPerDeg)), r_(diameterMm / 2) {}

RingRayResult RingRayOptics::ray(double psi) const {
  return ray(std::sin(psi * kRadPerDeg), std::cos(psi * kRadPerDeg));
}

RingRayResult RingRayOptics::ray(double sp, double cp) const {
  // The chord from the hole to the mark in radii: the ray (-cos h cos psi,
  // -sin h) projected on the ring's plane meets the circle again after
  // t = -2 (H . d) / |d|^2 (power of a point).
  const double denominator = sh_ * sh_ + ch_ * ch_ * cp * cp;
  RingRayResult out;
  if (denominator < 1e-15) {
    // A horizontal ray along the axis never meets the ring.
    out.axialOffset = HUGE_VAL;
    out.relativeHeight = ca_;
    return out;
  }
  const double k = 2 * (sh_ * ca_ + ch_ * sa_ * cp) / denominator;
  out.axialOffset = ch_ * (r_ * k) * sp;
  out.relativeHeight = ca_ - k * sh_;
  const double L = std::fabs(out.relativeHeight) <= 0.9999999
                       ? std::asin(out.relativeHeight) / kRadPerDeg
                       : (out.relativeHeight < 0 ? -90.0 : 90.0);
  const double side = r_ * (k * ch_ * cp - sa_);
  out.beta = side >= 0 ? 90 - alpha_ - L - 2 * hsun_ : L + 270 - alpha_ - 2 * hsun_;
  return out;
}

double RingRayOptics::offset(double psi) const {
  return offset(std::sin(psi * kRadPerDeg), std::cos(psi * kRadPerDeg));
}

double RingRayOptics::offset(double sp, double cp) const {
  const double denominator = sh_ * sh_ + ch_ * ch_ * cp * cp;
  if (denominator < 1e-15) return HUGE_VAL;
  const double k = 2 * (sh_ * ca_ + ch_ * sa_ * cp) / denominator;
  return ch_ * (r_ * k) * sp;
}

RingRayResult ringRay(double psi, double hsun, double alpha, double diameterMm) {
  return RingRayOptics(hsun, alpha, diameterMm).ray(psi);
}

namespace {

// Newton's method on the offset from a nearby deflection (the previous
// point of a line); NaN when it leaves 0..90, meets the falling side of
// the offset (beyond its maximum) or does not settle.
double newtonDeflection(double target, const RingRayOptics& optics, double psi) {
  constexpr double kStep = 1e-5;
  for (int i = 0; i < 8; ++i) {
    const double here = optics.offset(psi);
    const double f = here - target;
    const double slope = (optics.offset(psi + kStep) - here) / kStep;
    if (!(slope > 0)) return std::nan("");
    const double next = psi - f / slope;
    if (!(next > 0.02 && next < 90)) return std::nan("");
    if (std::fabs(next - psi) < 1e-9) return next;
    psi = next;
  }
  return std::nan("");
}

}  // namespace

// The stepping of the first crossing (0.25 degrees below 45, then 0.01,
// back by 0.005 and forward by 0.0001) is done here by a coarse scan of
// half a degree and halving the step that crosses, to far below 0.0001
// degrees; a start near the answer (or the small-angle guess) is refined
// by Newton's method first.
RingRaySolution solveRingRay(double targetMm, double hsun, double alpha, double diameterMm,
                             double psiStart) {
  const double target = std::fabs(targetMm);
  RingRaySolution out;
  const RingRayOptics optics(hsun, alpha, diameterMm);
  const auto offset = [&optics](double psi) { return optics.offset(psi); };
  // Reached within the first 0.02 degrees: no deflection.
  const double offsetAtStart = offset(0.02);
  if (offsetAtStart >= target) {
    out.found = true;
    out.relativeHeight = optics.ray(0).relativeHeight;
    return out;
  }
  // Without a start, the small-angle guess: offset ~ R k(0) cos h psi.
  if (!(psiStart > 0.02 && psiStart < 90)) {
    const double slope0 = (offsetAtStart - offset(0)) / 0.02;
    psiStart = slope0 > 0 ? std::min(80.0, target / slope0) : -1;
  }
  double psi = psiStart > 0.02 && psiStart < 90
                   ? newtonDeflection(target, optics, psiStart)
                   : std::nan("");
  if (std::isnan(psi)) {
    double lo = 0.02, hi = 0.02;
    constexpr double kScan = 0.5;
    while (true) {
      lo = hi;
      hi = std::min(90.0, hi + kScan);
      if (hi >= 90) return out;  // not found below 90 degrees
      if (offset(hi) >= target) break;
    }
    for (int i = 0; i < 32; ++i) {
      const double mid = (lo + hi) / 2;
      (offset(mid) >= target ? hi : lo) = mid;
    }
    psi = hi;
  }
  const RingRayResult r = optics.ray(psi);
  out.found = true;
  out.psi = psi;
  out.beta = r.beta;
  out.relativeHeight = r.relativeHeight;
  out.axialOffset = r.axialOffset;
  return out;
}

}  // namespace tavrel
