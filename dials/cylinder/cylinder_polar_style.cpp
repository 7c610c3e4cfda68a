// The cylinder with a polar-style nodus: a fixed vertical cylinder of
// radius r, a nodus at the horizontal distance g from it in the direction
// of the wall declination; the shadow point follows from the plane
// triangle axis - nodus - shadow point and the law of sines. Dial mm, axes
// in cylinder_dial.h.
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "astro/calendar.h"
#include "dials/cylinder/cylinder_builder.h"

namespace tavrel {

using cylinder_detail::kEndlessDrop;


PolarStyleProjection::PolarStyleProjection(double wallDecl, double r, double g)
    : wallDecl_(wallDecl), r_(r), g_(g), ratio_((r + g) / r),
      // The nodus N at distance r + g from the axis O sees the cylinder
      // within asin(r / (r + g)) of the direction to the axis; the
      // visible arc reaches acos(r / (r + g)) either side.
      limitDeg_(std::asin(r / (r + g)) / kRadPerDeg),
      maxCentralRad_(std::acos(r / (r + g))) {}

bool PolarStyleProjection::operator()(double azimuth, double altitude, double& x, double& y) const {
  double f = azimuth - wallDecl_;
  while (f > 180) f -= 360;
  while (f <= -180) f += 360;
  const double af = std::fabs(f);
  if (af > limitDeg_) return false;
  // Triangle O N P (P the shadow point, |OP| = r, |ON| = r + g, angle f at
  // N): sin P = sin f (r + g) / r (law of sines), P obtuse for the near
  // side, so the central angle is e - |f| with e = asin|sin P|.
  const double afRad = af * kRadPerDeg;
  const double sf = std::sin(afRad), cf = std::cos(afRad);
  const double c = std::min(1.0, sf * ratio_);
  const double m = (f >= 0 ? 1 : -1) * (std::asin(c) - afRad);
  if (std::fabs(m) > maxCentralRad_) return false;
  x = m * r_;
  if (std::fabs(altitude) > 89) {
    y = kEndlessDrop;
  } else if (af < 0.01) {
    y = g_ * std::tan(altitude * kRadPerDeg);
  } else {
    // |NP| = r sin m / sin f (law of sines), the depth |NP| tan h; with
    // sin e = c and sin f = c r / (r + g) the ratio sin m / sin f is
    // (r + g) / r cos f - cos e.
    y = r_ * (ratio_ * cf - std::sqrt(1 - c * c)) * std::tan(altitude * kRadPerDeg);
  }
  return true;
}

namespace cylinder_detail {

namespace {

// The polar style's line of the visible width on the screen: purple.
constexpr Colour kVisibleWidthColour = 0x800080;
// Longest chord of a polar-style date line before its step is halved.
constexpr double kMaxChordMm = 1.0;

}  // namespace


void Builder::polarDial() {
  const double r = std::round(in_.radiusMm * 100) / 100;
  const double g = in_.gnomonMm;
  const double wallDecl = d_.wallDeclination;
  const double half = std::acos(r / (r + g)) * r;
  out_.scaleMm = r;
  out_.left = -half;
  out_.right = half;
  out_.top = 0;
  out_.bottom = in_.sampling.maxDropMm;
  out_.plateBottom = out_.bottom;
  out_.wholeYear = true;
  out_.firstDay = 1;
  out_.lastDay = dayOfYear(year_, 12, 31);
  // The visible width in purple, its end marks and the centre and pole
  // marks 1 mm at every zoom of the picture.
  out_.markMm = 1 / in_.zoom;
  const double mark = out_.markMm;
  for (const auto& [a, b] : {std::pair{CylinderPoint{-half, 0}, CylinderPoint{half, 0}},
                             std::pair{CylinderPoint{-half, -mark}, CylinderPoint{-half, mark}},
                             std::pair{CylinderPoint{half, -mark}, CylinderPoint{half, mark}}}) {
    addLine(CylinderLineKind::VisibleWidth, 1, {a, b});
    out_.lines.back().screenColour = kVisibleWidthColour;
  }
  const PolarStyleProjection projection(wallDecl, r, g);
  const auto project = [&](const HorizontalPosition& s, CylinderPoint& p) {
    return projection(s.azimuth, s.altitude, p.x, p.y);
  };
  // The celestial pole (hour angle 15, declination 89.95).
  const HorizontalPosition pole =
      horizontalFromHourAngle(15, d_.latitude >= 0 ? 89.95 : -89.95, d_.latitude);
  CylinderPoint pp;
  double poleDepth = 0;
  if (pole.altitude > 0 && project(pole, pp)) {
    out_.poleShown = true;
    out_.poleX = pp.x;
    out_.poleY = pp.y;
    poleDepth = pp.y;
  }
  // Date lines at the declinations of solar longitude 90 + 5k.
  const int every = d_.cylinderOption == 1 ? 18 : 6;
  const double maxJump = half;
  for (int k = 0; k <= 36; k += every) {
    const double decl = d_.declinationByLongitude[static_cast<std::size_t>(k)];
    CylinderLine proto;
    proto.kind = CylinderLineKind::DateLine;
    proto.pen = 1;
    proto.value = decl;
    BandTracer tracer(out_.lines, proto, poleDepth, out_.bottom, maxJump);
    const auto& smp = in_.sampling;
    const QuickSky sky(decl, sinLat_, cosLat_);
    const auto at = [&](double t, CylinderPoint& p, double* altitude = nullptr) {
      const double h = ((t - 12) * 15 - (d_.longitude - meridian_)) * kRadPerDeg;
      const double sh = std::sin(h), ch = std::cos(h);
      const double sinAlt = sky.sinAltitude(ch);
      p.day = t;
      if (sinAlt <= 0) {  // below the horizon: no point, the short step
        if (altitude) *altitude = -1;
        return false;
      }
      const HorizontalPosition s = sky.at(sh, ch, sinAlt);
      if (altitude) *altitude = s.altitude;
      return project(s, p);
    };
    // Towards the grazing edges the shadow runs fast over the surface:
    // halve a step while its chord is longer than kMaxChordMm.
    const std::function<void(const CylinderPoint&, const CylinderPoint&, int)> refine =
        [&](const CylinderPoint& a, const CylinderPoint& b, int depth) {
          if (depth == 0 || std::hypot(b.x - a.x, b.y - a.y) <= kMaxChordMm) return;
          CylinderPoint m;
          if (!at(0.5 * (a.day + b.day), m)) return;
          refine(a, m, depth - 1);
          tracer.add(m);
          refine(m, b, depth - 1);
        };
    // The last visible point between a visible and an invisible time,
    // by bisection: the line runs on to the edge of the visible part.
    const auto edge = [&](double visible, double invisible) {
      CylinderPoint e, q;
      at(visible, e);
      for (int i = 0; i < 30; ++i) {
        const double mid = 0.5 * (visible + invisible);
        if (at(mid, q)) {
          visible = mid;
          e = q;
        } else {
          invisible = mid;
        }
      }
      return e;
    };
    bool prevOk = false, started = false;
    CylinderPoint prev;
    double tPrev = 0;
    for (double t = 0.05; t <= smp.dateLineLastHour + 1e-9;) {
      CylinderPoint p;
      double altitude = 0;
      if (at(t, p, &altitude)) {
        if (prevOk) {
          refine(prev, p, 8);
        } else if (started) {
          const CylinderPoint e = edge(t, tPrev);
          tracer.add(e);
          refine(e, p, 8);
        }
        tracer.add(p);
        prev = p;
        prevOk = true;
      } else {
        if (prevOk) {
          const CylinderPoint e = edge(tPrev, t);
          refine(prev, e, 8);
          tracer.add(e);
        }
        tracer.gap();
        prevOk = false;
      }
      started = true;
      tPrev = t;
      t += altitude >= 1.5 ? smp.dateLineStepHours : smp.dateLineStepLowHours;
    }
  }
  const auto fams = families();
  const Target surface{[&](const HorizontalPosition& s, int, CylinderPoint& p) { return project(s, p); },
                       0, out_.bottom, false};
  traceFamilies(fams, {surface}, maxJump, out_.firstDay, out_.lastDay, 1);
}

}  // namespace cylinder_detail

}  // namespace tavrel
