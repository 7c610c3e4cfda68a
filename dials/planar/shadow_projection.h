// Central projection of the gnomon tip (or of the edge of an umbrella
// disc) onto a planar dial, and the joining of consecutive shadow points
// into polylines that end where they leave the drawing area.
//
// Everything is in dial coordinates: millimetres on the dial face, origin
// at the gnomon foot P, x to the right, y upwards (see planar_plane.h).
// The drawing area of the target (window picture, printer page, plot
// window) is given in the same coordinates; thresholds that the
// constructions state in target units use DialFrame::unitsPerMm.
#pragma once

#include <limits>
#include <vector>

#include "dials/planar/planar_plane.h"

namespace tavrel {

// The drawing area in dial coordinates.
struct DialFrame {
  // A point is inside when left <= x < right and bottom < y < top.
  double left = -1e9, right = 1e9, bottom = -1e9, top = 1e9;
  // "Twice the frame": the wider area in which an umbrella shadow still
  // counts and a hour line's far end may be joined to the style foot.
  double wideLeft = -1e9, wideRight = 1e9, wideBottom = -1e9, wideTop = 1e9;
  double unitsPerMm = 1;  // target units per millimetre

  bool inside(double x, double y) const {
    return x >= left && x < right && y > bottom && y < top;
  }
  bool insideWide(double x, double y) const {
    return x >= wideLeft && x < wideRight && y > wideBottom && y <= wideTop;
  }
};

struct ShadowPoint {
  double x = 0, y = 0;      // dial coordinates
  bool inFront = false;     // the projection's own test (sun above the plane's horizon)
  bool facing = false;      // sun on the side of the plane's normal
  bool prevFacing = false;  // facing of the previous projection
  bool visible = false;     // inFront and inside (and facing, umbrella dials excepted)
};

// projectShadow of the planar dials. Sun directions are altitude and
// azimuth (from south, west positive) in the sky of the projection: the
// real sky for 'h', 'v' and the umbrella dials, the sky of the equivalent
// place (PlanarPlane::phi and tOffset) for the inclined dial.
//
//   vertical plane:  a = az - declination; x = L tan a,
//                    y = -L tan(alt) / cos a (cosines floored near 0);
//                    in front when |a| < 90 or |a| > 270 (1.57 and 4.71
//                    rad) and alt > 0;
//   other planes:    a = az - azOffset; u = L cot(alt); x = u sin a,
//                    y = u cos a; in front when alt > 0 and, for the
//                    inclined plane, the sun is above the real horizon
//                    as well (the shadow below the horizon line
//                    y = L cot i);
//   umbrella:        the far edge of the disc of radius k L (k the radius
//                    ratio): the vertical dial scales (x, y) by
//                    1 + k L / r; the horizontal dial uses
//                    M = L (1 + k tan alt) for L; the inclined umbrella
//                    dial (a plumb rod with a horizontal disc on a plane of
//                    inclination i) puts the point at
//                    x = M cos i sin a / v, y = M cos a / v with
//                    v = sin i cos a + cos i tan(alt), and counts it only
//                    within twice the frame and, for a sun behind the
//                    plane's azimuth, only above the plane.
// Facing: the cosine of the angle between sun and normal (as
// cosAngleBetween) is positive; the previous value is kept.
// Coordinates beyond 1e8 target units are divided by 10 until they are not.
class ShadowProjector {
 public:
  ShadowProjector(const PlanarPlane& plane, double gnomonMm, const DialFrame& frame);

  ShadowPoint projectShadow(double altitude, double azimuth);

  const PlanarPlane& plane() const { return plane_; }
  double gnomon() const { return gnomon_; }
  const DialFrame& frame() const { return frame_; }

 private:
  PlanarPlane plane_;
  double gnomon_;
  DialFrame frame_;
  double normalSouth_ = 0, normalWest_ = 0, normalUp_ = 1;
  bool facing_ = false;
  bool realHorizon_ = false;  // the inclined plane without umbrella
  double sinInclination_ = 0, cosInclination_ = 1;
};

// One vertex of a polyline: `draw` false moves the pen there, true draws
// a line to it from the previous vertex. Paths hold only the moves that
// start a line: a pen that travels without drawing leaves no vertex.
struct PathVertex {
  double x = 0, y = 0;
  bool draw = false;
  // The sampling parameter of the point (clock hour of a date line, day of
  // a hour line, ...); NaN for points that are no sample (frame crossings,
  // the style foot).
  double param = std::numeric_limits<double>::quiet_NaN();
};

struct DialPath {
  std::vector<PathVertex> vertices;
  void moveTo(double x, double y, double param = std::numeric_limits<double>::quiet_NaN()) {
    vertices.push_back({x, y, false, param});
  }
  void lineTo(double x, double y, double param = std::numeric_limits<double>::quiet_NaN()) {
    vertices.push_back({x, y, true, param});
  }
};

// The point where the segment from `inside` (in the frame) towards
// `outside` leaves the frame: the segment is cut at the first frame edge
// it violates, x bounds first, then y bounds, until the point lies on or
// inside the frame; slopes with a denominator below 1e-6 use
// (signOf(d) + 0.2) 1e-6.
struct DialPoint {
  double x = 0, y = 0;
};
DialPoint clipToFrame(DialPoint inside, DialPoint outside, const DialFrame& frame);

// The part of the segment a-b inside the frame (Liang-Barsky); false when
// none.
bool clipSegment(DialPoint& a, DialPoint& b, const DialFrame& frame);

// Joins consecutive shadow points by the rule of the planar dials:
//   current and previous visible: line to the current point;
//   current visible, previous not, but the sun already faced the plane at
//   the previous point: move to where the segment leaves the frame, line
//   to the current point;
//   current not visible, previous visible and the sun still faces the
//   plane: line from the previous point to the frame crossing;
//   otherwise: move to the current point.
class ShadowTracer {
 public:
  ShadowTracer(const DialFrame& frame, DialPath& path) : frame_(frame), path_(path) {}

  // The sampling parameter of the points given next (kept in the path).
  void setParam(double param) { param_ = param; }
  // The first point of a line: only moved to.
  void start(const ShadowPoint& p);
  // The first point of a date line: moved to, mirrored through P first
  // when the sun does not face the plane (mirror true).
  void startMirrored(const ShadowPoint& p, bool mirror);
  void next(const ShadowPoint& p);
  // Joins when `join` holds (both ends counted as drawable by the caller),
  // drawing the part of the segment inside the frame; otherwise moves.
  void nextClipped(const ShadowPoint& p, bool join);
  bool started() const { return started_; }

 private:
  const DialFrame& frame_;
  DialPath& path_;
  ShadowPoint prev_;
  double param_ = std::numeric_limits<double>::quiet_NaN();
  double prevParam_ = std::numeric_limits<double>::quiet_NaN();
  bool started_ = false;
  bool penAtPrev_ = false;  // the path's last vertex is prev_
  // Where the path last left the frame (valid while penAtExit_): a line
  // that only touches the frame edge comes back in at the same point and
  // goes on without lifting the pen.
  DialPoint exit_;
  bool penAtExit_ = false;
  void lineToExit(DialPoint c);
  void moveToEntry(DialPoint c, double param);
};

}  // namespace tavrel
