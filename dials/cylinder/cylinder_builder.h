// The one construction behind computeCylinderDial, shared by the files of
// the variants: cylinder_geometry.cpp (sun positions, hour-line families,
// tracing, frames, scales, month lines and texts), cylinder_shepherd.cpp,
// cylinder_hat.cpp, cylinder_polar_style.cpp and cylinder_hidokai.cpp.
// Dial millimetres and axes as in cylinder_dial.h. Not for use outside
// dials/cylinder/.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "astro/daily_ephemeris.h"
#include "astro/horizontal_coordinates.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "dials/cylinder/cylinder_dial.h"

namespace tavrel::cylinder_detail {


// The drop taken when the sun stands (practically) in the zenith: far
// beyond every box, so that the clipping removes it.
constexpr double kEndlessDrop = 100000;

// Altitude and azimuth (from south, west positive) of hour angle H and
// declination d, Meeus, Astronomical Algorithms, 2nd ed., eqs. 13.5 and
// 13.6, in double precision: a construction asks for some ten thousand
// directions, and the long double routine of astro/ costs ten times as
// much for digits far below the 0.01 mm a dial is drawn to.
// The same for a declination whose sine and cosine are known; the sine of
// the altitude comes first, so that a caller can pass over the sun below
// the horizon before the arc functions are evaluated.
struct QuickSky {
  double sinLat, cosLat, sd, cd;
  QuickSky(double declination, double sinLatitude, double cosLatitude)
      : sinLat(sinLatitude), cosLat(cosLatitude) {
    const double d = declination * kRadPerDeg;
    sd = std::sin(d);
    cd = std::cos(d);
  }
  double sinAltitude(double ch) const {
    return std::clamp(sinLat * sd + cosLat * cd * ch, -1.0, 1.0);
  }
  HorizontalPosition at(double sh, double ch, double sinAlt) const {
    return {std::asin(sinAlt) / kRadPerDeg, std::atan2(sh * cd, ch * cd * sinLat - sd * cosLat) / kRadPerDeg};
  }
};

inline HorizontalPosition horizontalQuick(double hourAngle, double declination, double sinLat,
                                          double cosLat) {
  const QuickSky sky(declination, sinLat, cosLat);
  const double h = hourAngle * kRadPerDeg, sh = std::sin(h), ch = std::cos(h);
  return sky.at(sh, ch, sky.sinAltitude(ch));
}

// Cuts a polyline at the band ymin <= y <= ymax, interpolating linearly at
// the border; a gap ends the current piece.
class BandTracer {
 public:
  BandTracer(std::vector<CylinderLine>& out, CylinderLine proto, double ymin, double ymax,
             double maxJump)
      : out_(out), proto_(std::move(proto)), ymin_(ymin), ymax_(ymax), maxJump_(maxJump) {}

  void add(const CylinderPoint& p) {
    const bool in = p.y >= ymin_ && p.y <= ymax_;
    if (have_ && std::fabs(p.x - prev_.x) > maxJump_) gap();
    if (!have_) {
      if (in) start(p);
    } else if (prevIn_ && in) {
      cur().points.push_back(p);
    } else if (prevIn_) {
      cur().points.push_back(cut(prev_, p, p.y < ymin_ ? ymin_ : ymax_));
      open_ = false;
    } else if (in) {
      start(cut(prev_, p, prev_.y < ymin_ ? ymin_ : ymax_));
      cur().points.push_back(p);
    } else if ((prev_.y < ymin_) != (p.y < ymin_)) {
      // Across the whole band between two samples.
      const double a = prev_.y < ymin_ ? ymin_ : ymax_, b = prev_.y < ymin_ ? ymax_ : ymin_;
      start(cut(prev_, p, a));
      cur().points.push_back(cut(prev_, p, b));
      open_ = false;
    }
    prev_ = p;
    prevIn_ = in;
    have_ = true;
  }
  void gap() {
    have_ = false;
    open_ = false;
  }
  // The first point of this tracer's first piece, if any.
  const CylinderPoint* firstPoint() const { return first_ ? &*first_ : nullptr; }

 private:
  static CylinderPoint cut(const CylinderPoint& a, const CylinderPoint& b, double y) {
    const double t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y, a.day + t * (b.day - a.day)};
  }
  void start(const CylinderPoint& p) {
    out_.push_back(proto_);
    index_ = out_.size() - 1;
    out_.back().points.push_back(p);
    open_ = true;
    if (!first_) first_ = p;
  }
  CylinderLine& cur() { return out_[index_]; }

  std::vector<CylinderLine>& out_;
  CylinderLine proto_;
  double ymin_, ymax_, maxJump_;
  bool have_ = false, prevIn_ = false, open_ = false;
  CylinderPoint prev_;
  std::size_t index_ = 0;
  std::optional<CylinderPoint> first_;
};

struct Family {
  CylinderLineKind kind;
  int from, to, parts;
  // The sun at hour value t on `day`; nullopt where the family has no point.
  std::function<std::optional<HorizontalPosition>(double t, int day)> sun;
  std::function<int(double t, bool part)> pen;
  std::function<std::string(int hour)> labelText;
  bool labelNearMidsummer = false;
  bool splitAtMidsummer = false;  // hat dial lines with EoT
};

// Where a family's points go: a mapping of the sun on `day` to dial mm
// and the band of y it is cut to (the hidokai has two: plate and wall,
// fed from the same sun positions).
struct Target {
  std::function<bool(const HorizontalPosition&, int day, CylinderPoint&)> place;
  double ymin = 0, ymax = 0;
  bool wall = false;
};

class Builder {
 public:
  Builder(const DesignState& d, const CylinderDialInput& in);
  CylinderDial run();

 private:
  // ---- sun positions (cylinder_geometry.cpp)
  double highestNoonAltitude() const;
  // The box height the drop of gnomon g needs: 1.05 times the drop at the
  // highest noon altitude (kEndlessDrop for the sun in the zenith).
  double longestDrop(double g) const;
  // Declination and equation of time at ephemeris instant x (days of the
  // year, as solarPosition takes it), interpolated linearly between whole
  // days: both change by less than 0.5 degree a day and bend so little that
  // the error stays below 1e-4 degree, while a construction asks for some
  // ten thousand instants.
  void ephemeris(double x, double& decl, double& eot) { ephemeris_.at(x, decl, eot); }
  // The sun at zone time t of `day` for the clock of `meridian`
  // (sunAtZoneTime, astro/horizontal_coordinates.h).
  std::optional<HorizontalPosition> ordinarySun(double t, int day, bool withEot, double meridian);
  // The declination of 12:00 local time of `day`, held for the old hours,
  // and the half day arc it gives (once per day).
  struct NoonSun {
    double declination = 0, halfDayArc = 90;
  };
  const NoonSun& noonSun(int day);

  // ---- families and what every variant draws (cylinder_geometry.cpp)
  std::vector<Family> families();
  // Traces every family into every target.
  void traceFamilies(const std::vector<Family>& fams, const std::vector<Target>& targets,
                     double maxJump, int firstDay, int lastDay, int dayStep);
  void addLine(CylinderLineKind kind, int pen, std::initializer_list<CylinderPoint> pts,
               double value = 0, CylinderTarget target = CylinderTarget::Both);
  void frame(double left, double top, double right, double bottom);
  // The scale of sun altitudes right of the box (drop g tan n).
  void altitudeScale();
  // The gnomon at true length left of the box, with a bar at its top.
  void gnomonSign(double x, double top, double length, CylinderTarget target);
  // The date axis of the shepherd's dial and the hidokai: days, scale and
  // the box's width; the month axis is reduced beyond `longestMm`.
  void dateAxis(double longestMm);
  void monthLines();
  void texts();

  // ---- the variants, one file each
  void shepherdDial();
  void hidokaiDial();
  void hidokaiGnomonTriangle(double g);
  void hatDial();
  void polarDial();

  const CylinderDialInput& in_;
  const DesignState& d_;
  CylinderDial out_;
  int year_ = 2020;
  double meridian_ = 0;
  int midsummer_ = 172;
  double sinLat_ = 0, cosLat_ = 1;
  static constexpr std::size_t kEphemerisDays = 372;
  DailyEphemeris ephemeris_{2020};
  std::array<NoonSun, kEphemerisDays> noon_{};
  std::array<bool, kEphemerisDays> noonKnown_{};
};

}  // namespace tavrel::cylinder_detail
