#include "dials/planar/shadow_projection.h"

#include <cmath>

#include "base/geometry.h"

namespace tavrel {

namespace {

// |v| below `limit` becomes (signOf(v) + 0.2) * limit: small, finite and
// of the right sign (positive for 0).
double floorSmall(double v, double limit) {
  return std::fabs(v) < limit ? (signOf(v) + 0.2) * limit : v;
}
}  // namespace

ShadowProjector::ShadowProjector(const PlanarPlane& plane, double gnomonMm, const DialFrame& frame)
    : plane_(plane), gnomon_(gnomonMm), frame_(frame) {
  const double na = plane.normalAlt * kDegToRadDouble, nz = plane.normalAz * kDegToRadDouble;
  normalSouth_ = std::cos(nz) * std::cos(na);
  normalWest_ = std::sin(nz) * std::cos(na);
  normalUp_ = std::sin(na);
  // Exact zeros for the usual normals (zenith, horizon), as the degree
  // trigonometry of cosAngleBetween gives them.
  if (plane.normalAlt == 90) normalSouth_ = normalWest_ = 0;
  if (plane.normalAlt == 0) normalUp_ = 0;
  if (plane.kind == 'i' && !plane.umbrella) {
    realHorizon_ = true;
    sinInclination_ = std::sin(plane.inclination * kDegToRadDouble);
    cosInclination_ = std::cos(plane.inclination * kDegToRadDouble);
  }
}

ShadowPoint ShadowProjector::projectShadow(double altitude, double azimuth) {
  ShadowPoint p;
  const double L = gnomon_;
  const double k = plane_.radiusRatio;
  double x = 0, y = 0;
  if (plane_.vertical) {
    const double a = (azimuth - plane_.declination) * kDegToRadDouble;
    const double d = L / floorSmall(std::cos(a), 1e-15);
    x = std::sin(a) * d;
    const double t = floorSmall(std::cos(altitude * kDegToRadDouble), 1e-15);
    y = -d * std::sin(altitude * kDegToRadDouble) / t;
    if (plane_.umbrella) {
      double w;
      if (std::fabs(x) < 1e-8 && std::fabs(y) < 1e-8)
        w = k * 1e8;
      else
        w = k * L / std::sqrt(x * x + y * y);
      x += x * w;
      y += y * w;
    }
    p.inFront = (std::fabs(a) < 1.57 || std::fabs(a) > 4.71) && altitude > 0;
  } else {
    const double a = (azimuth - plane_.azOffset) * kDegToRadDouble;
    const double h = floorSmall(altitude * kDegToRadDouble, 1e-8);
    const double sh = std::sin(h), ch = std::cos(h);
    if (!plane_.umbrella) {
      const double u = L * ch / sh;
      x = u * std::sin(a);
      y = u * std::cos(a);
      // The inclined plane is the horizon of the equivalent place, not
      // of our own: the sun must also stand above the real horizon. With
      // the sun (-cos h sin a, -cos h cos a, sin h) in face coordinates
      // (x, up-slope y, normal) and the zenith (0, sin i, cos i), that is
      // sin h cos i - cos h cos a sin i > 0: the shadow falls below the
      // horizon line y = L cot i.
      p.inFront = h > 0 && (!realHorizon_ || sh * cosInclination_ - ch * std::cos(a) * sinInclination_ > 0);
    } else {
      const double l = floorSmall(ch, 1e-8);
      const double M = (sh * k / l + 1) * L;
      if (plane_.kind != 'i') {
        const double u = M * ch / sh;
        x = u * std::sin(a);
        y = u * std::cos(a);
        p.inFront = h > 0;
      } else {
        const double i = plane_.inclination * kDegToRadDouble;
        const double v = floorSmall(std::sin(i) * std::cos(a) + std::cos(i) * sh / l, 1e-12);
        x = M * std::cos(i) * std::sin(a) / v;
        y = M * std::cos(a) / v;
        p.inFront = h > 0 && frame_.insideWide(x, y);
        if (std::fabs(a) > 1.57)
          p.inFront = p.inFront && sh * std::cos(i) + std::sin(i) * std::cos(a) * ch > 0;
      }
    }
  }
  p.prevFacing = facing_;
  // cosAngleBetween(sun, normal) > 0, with the normal's terms kept.
  const double ca = std::cos(altitude * kDegToRadDouble);
  const double south = std::cos(azimuth * kDegToRadDouble) * ca * normalSouth_;
  const double west = std::sin(azimuth * kDegToRadDouble) * ca * normalWest_;
  const double up = std::sin(altitude * kDegToRadDouble) * normalUp_;
  facing_ = south + west + up > 0;
  p.facing = facing_;
  const bool inside = frame_.inside(x, y);
  p.visible = p.inFront && inside && (plane_.umbrella || p.facing);
  const double limit = 1e8 / frame_.unitsPerMm;
  if (std::isfinite(x))
    while (std::fabs(x) > limit) x /= 10;
  else
    x = 0;
  if (std::isfinite(y))
    while (std::fabs(y) > limit) y /= 10;
  else
    y = 0;
  p.x = x;
  p.y = y;
  return p;
}

DialPoint clipToFrame(DialPoint in, DialPoint q, const DialFrame& f) {
  auto denominator = [](double d) {
    return std::fabs(d) < 1e-6 ? (signOf(d) + 0.2) * 1e-6 : d;
  };
  for (int guard = 0; guard < 8; ++guard) {
    if (q.x < f.left || q.x > f.right) {
      const double edge = q.x < f.left ? f.left : f.right;
      q.y = in.y + (q.y - in.y) * (edge - in.x) / denominator(q.x - in.x);
      q.x = edge;
    } else if (q.y < f.bottom || q.y > f.top) {
      const double edge = q.y < f.bottom ? f.bottom : f.top;
      q.x = in.x + (q.x - in.x) * (edge - in.y) / denominator(q.y - in.y);
      q.y = edge;
    } else {
      break;
    }
  }
  return q;
}

bool clipSegment(DialPoint& a, DialPoint& b, const DialFrame& f) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - f.left, f.right - a.x, a.y - f.bottom, f.top - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      if (r > t0) t0 = r;
    } else {
      if (r < t0) return false;
      if (r < t1) t1 = r;
    }
  }
  const DialPoint a0 = a;
  if (t1 < 1) b = {a0.x + t1 * dx, a0.y + t1 * dy};
  if (t0 > 0) a = {a0.x + t0 * dx, a0.y + t0 * dy};
  return true;
}

void ShadowTracer::start(const ShadowPoint& p) {
  prev_ = p;
  prevParam_ = param_;
  started_ = true;
  penAtPrev_ = false;
  penAtExit_ = false;
}

void ShadowTracer::lineToExit(DialPoint c) {
  path_.lineTo(c.x, c.y);
  exit_ = c;
  penAtExit_ = true;
}

void ShadowTracer::moveToEntry(DialPoint c, double param) {
  // A line touching the frame edge leaves and comes back at the same
  // point; the two crossings, computed from different segments, differ
  // only by rounding. The pen stays down there.
  const double tolerance = 1e-9 * (std::fabs(frame_.right - frame_.left) + std::fabs(frame_.top - frame_.bottom));
  const bool touching = penAtExit_ && std::fabs(c.x - exit_.x) <= tolerance && std::fabs(c.y - exit_.y) <= tolerance;
  if (!touching) path_.moveTo(c.x, c.y, param);
  penAtExit_ = false;
}

void ShadowTracer::startMirrored(const ShadowPoint& p, bool mirror) {
  ShadowPoint q = p;
  if (mirror) {
    q.x = -q.x;
    q.y = -q.y;
  }
  start(q);
}

void ShadowTracer::next(const ShadowPoint& p) {
  if (!started_) {
    start(p);
    return;
  }
  if (p.visible && prev_.visible) {
    if (!penAtPrev_) path_.moveTo(prev_.x, prev_.y, prevParam_);
    path_.lineTo(p.x, p.y, param_);
    penAtPrev_ = true;
    penAtExit_ = false;
  } else if (p.visible && p.prevFacing) {
    moveToEntry(clipToFrame({p.x, p.y}, {prev_.x, prev_.y}, frame_),
                std::numeric_limits<double>::quiet_NaN());
    path_.lineTo(p.x, p.y, param_);
    penAtPrev_ = true;
  } else if (!p.visible && prev_.visible && p.facing) {
    const DialPoint c = clipToFrame({prev_.x, prev_.y}, {p.x, p.y}, frame_);
    if (!penAtPrev_) path_.moveTo(prev_.x, prev_.y, prevParam_);
    lineToExit(c);
    penAtPrev_ = false;
  } else {
    penAtPrev_ = false;
  }
  prev_ = p;
  prevParam_ = param_;
}

void ShadowTracer::nextClipped(const ShadowPoint& p, bool join) {
  if (!started_) {
    start(p);
    return;
  }
  if (join) {
    DialPoint a{prev_.x, prev_.y}, b{p.x, p.y};
    if (clipSegment(a, b, frame_)) {
      const bool fromPrev = a.x == prev_.x && a.y == prev_.y;
      const bool toCurrent = b.x == p.x && b.y == p.y;
      if (!(penAtPrev_ && fromPrev))
        moveToEntry(a, fromPrev ? prevParam_ : std::numeric_limits<double>::quiet_NaN());
      if (toCurrent) {
        path_.lineTo(b.x, b.y, param_);
        penAtExit_ = false;
      } else {
        lineToExit(b);
      }
      penAtPrev_ = toCurrent;
    } else {
      penAtPrev_ = false;
    }
  } else {
    penAtPrev_ = false;
  }
  prev_ = p;
  prevParam_ = param_;
}

}  // namespace tavrel
