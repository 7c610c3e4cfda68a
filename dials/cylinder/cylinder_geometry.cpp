// The geometry of the cylinder dials and of the hidokai, in dial
// millimetres (axes in cylinder_dial.h).
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "astro/calendar.h"
#include "astro/daily_ephemeris.h"
#include "astro/horizontal_coordinates.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_systems.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/cylinder/cylinder_dial.h"
#include "dials/cylinder/cylinder_texts.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// The drop taken when the sun stands (practically) in the zenith: far
// beyond every box, so that the clipping removes it.
constexpr double kEndlessDrop = 100000;
// Temporal, Babylonian and Italian hours need a rising and setting sun.
constexpr double kOldHoursLatitudeLimit = 65;
// Shortest date axis whose plot carries the day numbers "1." and "11." (mm).
constexpr double kPlotDayLabelsMinMm = 81;
constexpr double kHidokaiLowRowMm = 2.25;  // short hidokai plot: months 1..6
// Distance of the hidokai's gnomon triangle from the plate (mm).
constexpr double kTriangleGapMm = 6;
// Length of the line of the gnomon's height under it (mm, 2.7 mm letters).
constexpr double kGnomonTextMm = 60;
// Its fill on the screen and printer page, a pale yellow.
constexpr Colour kAltitudeStripColour = 13366773;
// The polar style's line of the visible width on the screen: purple.
constexpr Colour kVisibleWidthColour = 0x800080;
// Longest chord of a polar-style date line before its step is halved.
constexpr double kMaxChordMm = 1.0;

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
    const double d = declination * kDegToRad;
    sd = std::sin(d);
    cd = std::cos(d);
  }
  double sinAltitude(double ch) const {
    return std::clamp(sinLat * sd + cosLat * cd * ch, -1.0, 1.0);
  }
  HorizontalPosition at(double sh, double ch, double sinAlt) const {
    return {std::asin(sinAlt) / kDegToRad, std::atan2(sh * cd, ch * cd * sinLat - sd * cosLat) / kDegToRad};
  }
};

HorizontalPosition horizontalQuick(double hourAngle, double declination, double sinLat,
                                   double cosLat) {
  const QuickSky sky(declination, sinLat, cosLat);
  const double h = hourAngle * kDegToRad, sh = std::sin(h), ch = std::cos(h);
  return sky.at(sh, ch, sky.sinAltitude(ch));
}

int partsOf(int intervalIndex) { return std::clamp(intervalIndex, 0, 5) + 1; }
int partsOfChar(char c) { return c == '6' ? 6 : partsOf(c - '0'); }

}  // namespace

double cylinderDrop(double gnomonMm, double altitude) {
  const double c = std::cos(altitude * kDegToRad);
  if (std::fabs(c) <= 1e-5) return kEndlessDrop;
  return gnomonMm * std::sin(altitude * kDegToRad) / c;
}

PolarStyleProjection::PolarStyleProjection(double wallDecl, double r, double g)
    : wallDecl_(wallDecl), r_(r), g_(g), ratio_((r + g) / r),
      // The nodus N at distance r + g from the axis O sees the cylinder
      // within asin(r / (r + g)) of the direction to the axis; the
      // visible arc reaches acos(r / (r + g)) either side.
      limitDeg_(std::asin(r / (r + g)) / kDegToRad),
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
  const double afRad = af * kDegToRad;
  const double sf = std::sin(afRad), cf = std::cos(afRad);
  const double c = std::min(1.0, sf * ratio_);
  const double m = (f >= 0 ? 1 : -1) * (std::asin(c) - afRad);
  if (std::fabs(m) > maxCentralRad_) return false;
  x = m * r_;
  if (std::fabs(altitude) > 89) {
    y = kEndlessDrop;
  } else if (af < 0.01) {
    y = g_ * std::tan(altitude * kDegToRad);
  } else {
    // |NP| = r sin m / sin f (law of sines), the depth |NP| tan h; with
    // sin e = c and sin f = c r / (r + g) the ratio sin m / sin f is
    // (r + g) / r cos f - cos e.
    y = r_ * (ratio_ * cf - std::sqrt(1 - c * c)) * std::tan(altitude * kDegToRad);
  }
  return true;
}

bool polarStylePoint(double azimuth, double altitude, double wallDecl, double r, double g,
                     double& x, double& y) {
  return PolarStyleProjection(wallDecl, r, g)(azimuth, altitude, x, y);
}

CylinderSampling CylinderSampling::screen(double maxDropMm) {
  CylinderSampling s;
  s.maxDropMm = maxDropMm;
  return s;
}

CylinderSampling CylinderSampling::plot() {
  CylinderSampling s;
  s.temporalOpenEnds = true;
  s.dateLineStepHours = 0.1;
  s.dateLineStepLowHours = 0.025;
  s.dateLineLastHour = 23.5;
  s.maxDropMm = 240;
  s.fewNamesBelowMm = s.fewLinesBelowMm = 81;
  return s;
}

namespace {

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

class Builder {
 public:
  explicit Builder(const CylinderDialInput& in) : in_(in), d_(design()) {
    year_ = d_.referenceYear;
    ephemeris_ = DailyEphemeris(year_);
    out_.kind = in.kind;
    out_.gnomonMm = in.gnomonMm;
    meridian_ = d_.localTime ? d_.longitude : d_.zoneMeridian;
    midsummer_ = dayOfYear(year_, 6, 21);
    sinLat_ = std::sin(d_.latitude * kDegToRad);
    cosLat_ = std::cos(d_.latitude * kDegToRad);
  }

  CylinderDial run() {
    texts();
    const bool temporalWanted =
        in_.kind == CylinderDialKind::Hidokai ? d_.temporalHours : d_.temporalHourLines;
    if (temporalWanted && std::fabs(d_.latitude) > kOldHoursLatitudeLimit) {
      out_.temporalRefused = true;
      return std::move(out_);
    }
    switch (in_.kind) {
      case CylinderDialKind::Shepherd:
      case CylinderDialKind::Hidokai: dateAxisDial(); break;
      case CylinderDialKind::Hat: hatDial(); break;
      case CylinderDialKind::PolarStyle: polarDial(); break;
    }
    return std::move(out_);
  }

 private:
  // ---- sun positions -------------------------------------------------
  double highestNoonAltitude() const {
    const double lat = std::fabs(d_.latitude);
    return lat >= d_.obliquityRounded ? d_.obliquityRounded + 90 - lat : 90;
  }

  // Declination and equation of time at ephemeris instant x (days of the
  // year, as solarPosition takes it), interpolated linearly between whole
  // days: both change by less than 0.5 degree a day and bend so little that
  // the error stays below 1e-4 degree, while a construction asks for some
  // ten thousand instants.
  void ephemeris(double x, double& decl, double& eot) { ephemeris_.at(x, decl, eot); }

  // The sun at zone time t of `day` for the clock of `meridian`
  // (sunAtZoneTime, astro/horizontal_coordinates.h).
  std::optional<HorizontalPosition> ordinarySun(double t, int day, bool withEot, double meridian) {
    double decl, eot;
    ephemeris(day + (t + meridian / 15 - 12) / 24, decl, eot);
    double h = (t - 12) * 15 - (d_.longitude - meridian);
    if (withEot) h += eot;
    return horizontalQuick(h, decl, sinLat_, cosLat_);
  }

  // The declination of 12:00 local time of `day`, held for the old hours,
  // and the half day arc it gives (once per day).
  struct NoonSun {
    double declination = 0, halfDayArc = 90;
  };
  const NoonSun& noonSun(int day) {
    const std::size_t k = static_cast<std::size_t>(std::clamp(day, 0, static_cast<int>(kEphemerisDays) - 1));
    if (!noonKnown_[k]) {
      double eot;
      ephemeris(day + d_.longitude / 360, noon_[k].declination, eot);
      noon_[k].halfDayArc = halfDayArcDegrees(d_.latitude, noon_[k].declination);
      noonKnown_[k] = true;
    }
    return noon_[k];
  }

  // ---- families -----------------------------------------------------
  std::vector<Family> families() {
    std::vector<Family> f;
    const bool hidokai = in_.kind == CylinderDialKind::Hidokai;
    const bool datesOnX = hidokai || in_.kind == CylinderDialKind::Shepherd;
    const bool temporal = hidokai ? d_.temporalHours : d_.temporalHourLines;
    const auto hourText = [](int h) { return std::to_string(h); };
    if (temporal) {
      int from = d_.otherTemporalFrom, to = d_.otherTemporalTo;
      if (to > 12 || from > 12) {
        out_.temporalRangeBad = true;
        if (hidokai) from = 0, to = 6;
      }
      const bool open = in_.sampling.temporalOpenEnds;
      f.push_back({CylinderLineKind::Temporal, from, to, partsOf(d_.temporalIntervalOther),
                   [this, open](double t, int day) -> std::optional<HorizontalPosition> {
                     if (open && (t <= 0 || t >= 12)) return std::nullopt;
                     const NoonSun& n = noonSun(day);
                     return horizontalQuick(temporalHourAngleOnArc(t, n.halfDayArc), n.declination, sinLat_,
                                            cosLat_);
                   },
                   [](double, bool part) { return part ? 9 : 10; }, hourText});
    }
    const bool ordinary = hidokai ? !d_.temporalHours : d_.localTimeNoEot;
    if (ordinary) {
      const bool ownRange = in_.hoursFrom >= 0;
      int from = ownRange ? in_.hoursFrom : d_.otherHoursFrom;
      int to = ownRange ? in_.hoursTo : d_.otherHoursTo;
      const bool eot = datesOnX && d_.cylinderWithEot;
      // An altitude dial cannot tell forenoon from afternoon: in local
      // apparent time the two halves coincide, keep the longer one.
      if (!ownRange && datesOnX && !eot && d_.localTime && from < 12 && 12 < to) {
        if (to - 12 < 12 - from) to = 12; else from = 12;
      }
      const double meridian = in_.zoneClock ? d_.zoneMeridian : meridian_;
      const bool allPen2 = !datesOnX;
      f.push_back({CylinderLineKind::Ordinary, from, to, partsOfChar(d_.otherHourInterval),
                   [this, eot, meridian](double t, int day) { return ordinarySun(t, day, eot, meridian); },
                   [allPen2](double t, bool part) {
                     if (part) return t < 12 ? 5 : 6;
                     return (allPen2 || t <= 12) ? 2 : 3;
                   },
                   [](int h) { return std::to_string(((h % 24) + 24) % 24); }});
    }
    if (!datesOnX && d_.cylinderWithEot) {
      const double meridian = meridian_;
      Family e{CylinderLineKind::Eot, d_.eotLinesFrom, d_.eotLinesTo, partsOfChar(d_.eotLineInterval),
               [this, meridian](double t, int day) { return ordinarySun(t, day, true, meridian); },
               [](double t, bool part) { return part ? (t < 12 ? 5 : 6) : 2; },
               [](int h) { return std::to_string(((h % 24) + 24) % 24); }};
      e.labelNearMidsummer = true;
      e.splitAtMidsummer = in_.kind == CylinderDialKind::Hat;
      f.push_back(e);
    }
    const bool polar = in_.kind == CylinderDialKind::PolarStyle;
    const bool oldHoursAllowed = in_.oldHours && (polar || (datesOnX && d_.expertMode));
    const bool bab = oldHoursAllowed && d_.babylonianHours;
    const bool ital = oldHoursAllowed && d_.italianHours;
    if ((bab || ital) && std::fabs(d_.latitude) > kOldHoursLatitudeLimit) {
      out_.babylonianItalianRefused = true;
    } else {
      for (int b = 0; b < 2; ++b) {
        const bool babylonian = b == 0;
        if (babylonian ? !bab : !ital) continue;
        Family o{babylonian ? CylinderLineKind::Babylonian : CylinderLineKind::Italian,
                 babylonian ? d_.babylonianFrom : d_.italianFrom,
                 babylonian ? d_.babylonianTo : d_.italianTo,
                 partsOf(babylonian ? d_.babylonianInterval : d_.italianInterval),
                 [this, babylonian](double t, int day) -> std::optional<HorizontalPosition> {
                   const NoonSun& n = noonSun(day);
                   const HorizontalPosition s =
                       horizontalQuick(italianBabylonianHourAngleOnArc(babylonian, t, n.halfDayArc),
                                       n.declination, sinLat_, cosLat_);
                   // Forenoon only: the afternoon would fold onto other hours.
                   if (s.azimuth >= 0.01) return std::nullopt;
                   return s;
                 },
                 [babylonian](double, bool part) { return part ? 7 : (babylonian ? 6 : 5); },
                 hourText};
        o.labelNearMidsummer = true;
        f.push_back(o);
      }
    }
    out_.anyFamily = !f.empty();
    return f;
  }

  // Traces every family; `place` maps a sun position on `day` to dial mm.
  // Where a family's points go: a mapping of the sun on `day` to dial mm
  // and the band of y it is cut to (the hidokai has two: plate and wall,
  // fed from the same sun positions).
  struct Target {
    std::function<bool(const HorizontalPosition&, int day, CylinderPoint&)> place;
    double ymin = 0, ymax = 0;
    bool wall = false;
  };

  // Traces every family into every target.
  void traceFamilies(const std::vector<Family>& fams, const std::vector<Target>& targets,
                     double maxJump, int firstDay, int lastDay, int dayStep) {
    for (const Family& fam : fams) {
      for (int i = fam.from; i <= fam.to; ++i) {
        for (int j = 0; j < fam.parts; ++j) {
          const double t = i + static_cast<double>(j) / fam.parts;
          if (t > fam.to) break;
          const int pen = fam.pen(t, j > 0);
          const std::size_t firstLine = out_.lines.size();
          std::vector<BandTracer> tracers;
          tracers.reserve(targets.size());
          std::vector<std::optional<CylinderPoint>> nearMidsummer(targets.size());
          for (const Target& target : targets) {
            CylinderLine proto;
            proto.kind = fam.kind;
            proto.value = t;
            proto.subdivision = j > 0;
            proto.wall = target.wall;
            proto.pen = pen;
            tracers.emplace_back(out_.lines, proto, target.ymin, target.ymax, maxJump);
          }
          // The half-year from 21 June starts at the first sample on or
          // after it (in a leap year the steps of three days miss the day).
          bool split = false;
          for (int day = firstDay;; day = std::min(day + dayStep, lastDay)) {
            const bool splitHere = fam.splitAtMidsummer && !split && day >= midsummer_;
            split = split || splitHere;
            const auto sun = fam.sun(t, day);
            for (std::size_t k = 0; k < targets.size(); ++k) {
              BandTracer& tracer = tracers[k];
              if (splitHere) tracer.gap();
              CylinderPoint p;
              if (sun && sun->altitude > 0 && targets[k].place(*sun, day, p) && std::isfinite(p.y)) {
                p.day = day;
                tracer.add(p);
                if (std::abs(day - midsummer_) <= 3 && p.y >= targets[k].ymin && p.y <= targets[k].ymax)
                  nearMidsummer[k] = p;
              } else {
                tracer.gap();
              }
            }
            if (day >= lastDay) break;
          }
          if (fam.splitAtMidsummer) {
            for (std::size_t k = firstLine; k < out_.lines.size(); ++k) {
              const auto& pts = out_.lines[k].points;
              if (!pts.empty() && pts.front().day >= midsummer_) out_.lines[k].extraWidth = 1;
            }
          }
          if (j > 0) continue;
          for (std::size_t k = 0; k < targets.size(); ++k) {
            const CylinderPoint* at = fam.labelNearMidsummer
                                          ? (nearMidsummer[k] ? &*nearMidsummer[k] : nullptr)
                                          : tracers[k].firstPoint();
            if (at && (fam.labelNearMidsummer || at->y > 0)) {
              out_.labels.push_back({CylinderLabelRole::HourNumber, pen, at->x - 6, at->y, fam.labelText(i)});
            }
          }
        }
      }
    }
  }

  void addLine(CylinderLineKind kind, int pen, std::initializer_list<CylinderPoint> pts,
               double value = 0, CylinderTarget target = CylinderTarget::Both) {
    CylinderLine l;
    l.target = target;
    l.kind = kind;
    l.pen = pen;
    l.value = value;
    l.points = pts;
    out_.lines.push_back(std::move(l));
  }

  void frame(double left, double top, double right, double bottom) {
    addLine(CylinderLineKind::Frame, 1,
            {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
  }

  // The scale of sun altitudes right of the box (drop g tan n).
  void altitudeScale() {
    if (!d_.sunAltitudeLines) return;
    const double strip = in_.altitudeStripMm;
    const double xR = out_.right, xS = xR + strip;
    out_.altitudeStrip = {true, xR, out_.top, xS, out_.bottom, kAltitudeStripColour};
    addLine(CylinderLineKind::AltitudeTick, 8,
            {{xR, out_.top}, {xS, out_.top}, {xS, out_.bottom}, {xR, out_.bottom}});
    for (int n = 1; n <= 88; ++n) {
      const double y = out_.top + cylinderDrop(in_.gnomonMm, n);
      if (y >= out_.bottom) break;
      if (n % 5 == 0) {
        addLine(CylinderLineKind::AltitudeTick, 8, {{out_.left, y}, {xS, y}}, n);
        out_.labels.push_back({CylinderLabelRole::AltitudeNumber, 8, xS + in_.altitudeLabelGapMm, y,
                               std::to_string(n)});
      } else {
        addLine(CylinderLineKind::AltitudeTick, 8, {{xR + strip / 2, y}, {xS, y}}, n);
      }
    }
  }

  // The gnomon at true length left of the box, with a bar at its top.
  void gnomonSign(double x, double top, double length, CylinderTarget target) {
    addLine(CylinderLineKind::Frame, 1, {{x - 1.75, top}, {x + 1.75, top}}, 0, target);
    addLine(CylinderLineKind::Frame, 1,
            {{x, top}, {x, top + length}, {x - 1.75, top + length - 2.5},
             {x + 1.75, top + length - 2.5}, {x, top + length}},
            0, target);
  }

  // The hidokai's screen: the gnomon seen from the side, a right triangle
  // of the gnomon's height standing beyond the far end of the plate at
  // the lower right, its height written under it.
  void hidokaiGnomonTriangle(double g) {
    const double foot = out_.right, edge = out_.bottom + kTriangleGapMm;
    addLine(CylinderLineKind::Frame, 1,
            {{foot, edge}, {foot - g, edge}, {foot, edge + g / 2}, {foot, edge}}, 0,
            CylinderTarget::Screen);
    // The line ends about under the triangle's base, so that it stays on
    // the page also beside a plate with its wall.
    CylinderLabel l{CylinderLabelRole::GnomonText, 4, foot + kTriangleGapMm,
                    std::max(out_.top, edge + g / 2 - kGnomonTextMm), out_.gnomonLine};
    l.target = CylinderTarget::Screen;
    out_.labels.push_back(std::move(l));
    out_.gnomonLineAtSign = true;
  }

  // ---- shepherd's dial and hidokai ------------------------------------
  void dateAxisDial() {
    const bool hidokai = in_.kind == CylinderDialKind::Hidokai;
    out_.wholeYear = d_.halfYearMonthScale;
    out_.firstDay = out_.wholeYear ? 1 : midsummer_;
    out_.lastDay = out_.wholeYear ? dayOfYear(year_, 12, 31) : dayOfYear(year_, 12, 21);
    const int days = out_.lastDay - out_.firstDay;
    double scale = std::max(1.0, in_.scaleMm);
    if (!hidokai && scale > 250) {
      scale = 250;
      out_.scaleReduced = true;
    }
    out_.scaleMm = scale;
    out_.mmPerDay = scale / days;
    const int span = out_.wholeYear ? out_.lastDay : days;
    out_.left = 0;
    out_.right = span * out_.mmPerDay;
    out_.top = 0;
    const double g = in_.gnomonMm;
    const double plate = hidokai ? std::max(1.0, in_.plateMm) : 0;
    const bool wall = hidokai && d_.withVerticalDial;
    if (hidokai) {
      out_.plateBottom = plate;
      out_.bottom = plate + (wall ? g : 0);
    } else {
      const double hmax = highestNoonAltitude();
      const double c = std::cos(hmax * kDegToRad);
      const double smax = std::fabs(c) <= 1e-4 ? kEndlessDrop : std::fabs(cylinderDrop(g, hmax) * 1.05);
      out_.bottom = std::min(smax, in_.sampling.maxDropMm);
      out_.plateBottom = out_.bottom;
    }
    frame(out_.left, out_.top, out_.right, out_.bottom);
    if (wall) addLine(CylinderLineKind::WallJoint, 1, {{out_.left, plate}, {out_.right, plate}});
    // The plot draws its own sign at a fixed place on the page.
    if (hidokai) hidokaiGnomonTriangle(g);
    // The shepherd's screen draws its sign at the corner of the picture.
    if (!hidokai) altitudeScale();
    monthLines();

    const auto fams = families();
    const double perDay = out_.mmPerDay;
    const int first = out_.firstDay;
    const auto xOf = [perDay, first](int day) { return (day - first) * perDay; };
    std::vector<Target> targets;
    if (hidokai) {
      targets.push_back({[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                           double sn = std::sin(s.altitude * kDegToRad);
                           if (std::fabs(sn) < 1e-6) sn = ((sn >= 0 ? 1 : -1) + 0.5) * 1e-6;
                           p = {xOf(day), g * std::cos(s.altitude * kDegToRad) / sn, 0};
                           return true;
                         },
                         0, plate, false});
      if (wall) {
        targets.push_back({[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                             p = {xOf(day), plate + g - plate * std::tan(s.altitude * kDegToRad), 0};
                             return s.altitude < 89.999;
                           },
                           plate, plate + g, true});
      }
    } else {
      targets.push_back({[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                           p = {xOf(day), cylinderDrop(g, s.altitude), 0};
                           return true;
                         },
                         0, out_.bottom, false});
    }
    traceFamilies(fams, targets, 1e9, out_.firstDay, out_.lastDay, in_.sampling.dayStep);
  }

  void monthLines() {
    const bool few = out_.scaleMm < in_.sampling.fewNamesBelowMm;
    const bool fewLines = out_.scaleMm < in_.sampling.fewLinesBelowMm;
    const int firstMonth = out_.wholeYear ? 1 : 6;
    // Rows of month names above the box (mm). The screen has one row (the
    // hidokai's stands left of the plate, room for the longest name). The
    // plot: 300 units (7.5 mm) above the box on the shepherd's dial, 260
    // (whole year) or 20 units (half year) on the hidokai; the second row
    // of the half year 160 units (4 mm) above, 7 days further right.
    const bool hidokai = in_.kind == CylinderDialKind::Hidokai;
    const double firstRow = hidokai ? 14 : 7.5;
    const double plotFirstRow = !hidokai ? 7.5 : out_.wholeYear ? 6.5 : 0.5;
    const double plotSecondRow = 4;
    // Day numbers of the whole-year plot, 3.5 mm (hidokai 2 mm) above the
    // box, on scales of 81 mm and more.
    const bool dayLabels = out_.wholeYear && out_.scaleMm >= kPlotDayLabelsMinMm;
    const double dayRow = hidokai ? 2 : 3.5;
    for (int m = firstMonth; m <= 12; ++m) {
      for (int dd : {1, 11, 21}) {
        if (fewLines && dd != 1) continue;
        const int r = dayOfYear(year_, m, dd);
        if (r < out_.firstDay || r > out_.lastDay) continue;
        const double x = (r - out_.firstDay) * out_.mmPerDay;
        // The half-year plot starts its date lines at 1 July; the screen
        // also marks 21 June.
        const CylinderTarget where =
            m < 7 && !out_.wholeYear ? CylinderTarget::Screen : CylinderTarget::Both;
        addLine(CylinderLineKind::DateLine, 1, {{x, out_.top}, {x, out_.bottom}}, r, where);
        if (dd == 1 && dayLabels) {
          // The plot marks the first and the eleventh of each month.
          for (const auto& [text, offset] : {std::pair{"1.", -2}, std::pair{"11.", 8}}) {
            CylinderLabel l{CylinderLabelRole::MonthDay, 4, x + offset * out_.mmPerDay,
                            out_.top - dayRow, text};
            l.target = CylinderTarget::Plot;
            out_.labels.push_back(std::move(l));
          }
        }
        if (dd == 1) {
          // The screen writes the full month names, the plot three letters;
          // both only the first letter on short date axes.
          const auto names = [&](int month, CylinderTarget target) {
            const std::string name =
                target == CylinderTarget::Screen
                    ? tableText(TextTable::WorkTexts, workTextRow::kFullMonthFirst + month, d_.language)
                    : monthName(month, d_.language);
            return few ? name.substr(0, 1) : name;
          };
          CylinderLabel screen{CylinderLabelRole::MonthName, 4, x + 0.5, out_.top - firstRow,
                               names(m, CylinderTarget::Screen), CylinderTarget::Screen};
          CylinderLabel plot{CylinderLabelRole::MonthName, 4, x, out_.top - plotFirstRow,
                             names(m, CylinderTarget::Plot), CylinderTarget::Plot};
          // The short hidokai plot writes the first half year's letters
          // 90 units (2.25 mm) above the plate.
          if (hidokai && few && m <= 6) plot.y = out_.top - kHidokaiLowRowMm;
          out_.labels.push_back(std::move(screen));
          out_.labels.push_back(std::move(plot));
          if (!out_.wholeYear) {
            // The plot names the month of the same declination in the
            // other half of the year.
            out_.labels.push_back({CylinderLabelRole::MonthName, 4, x + 7 * out_.mmPerDay,
                                   out_.top - plotSecondRow, names(13 - m, CylinderTarget::Plot),
                                   CylinderTarget::Plot});
          }
        }
      }
    }
  }

  // ---- hat dial ------------------------------------------------------
  void hatDial() {
    double c = std::max(1.0, in_.scaleMm);
    if (c > 300) {
      c = 300;
      out_.scaleReduced = true;
    }
    out_.scaleMm = c;
    const double perDeg = c / 360;
    const double g = in_.gnomonMm;
    const double hmax = highestNoonAltitude();
    const double cosMax = std::cos(hmax * kDegToRad);
    const double smax = std::fabs(cosMax) <= 1e-4 ? kEndlessDrop : std::fabs(cylinderDrop(g, hmax) * 1.05);
    if (smax > in_.sampling.maxDropMm && hmax < 89.99) out_.hatDropTooLong = true;
    out_.left = -183 * perDeg;
    out_.right = 183 * perDeg;
    out_.top = 0;
    out_.bottom = std::min(smax, in_.sampling.maxDropMm);
    out_.plateBottom = out_.bottom;
    out_.wholeYear = true;
    out_.firstDay = 1;
    out_.lastDay = dayOfYear(year_, 12, 31);
    frame(out_.left, out_.top, out_.right, out_.bottom);
    const bool north = d_.latitude >= 0;
    for (int f = -180; f <= 180; f += 10) {
      const double x = f * perDeg;
      addLine(CylinderLineKind::AzimuthLine, 1, {{x, out_.top}, {x, out_.bottom}}, f);
      if (f % 20 != 0) continue;
      const int value = north ? -f : (f > 0 ? 180 - f : -f - 180);
      out_.labels.push_back({CylinderLabelRole::AzimuthNumber, 4, x - 1, out_.top - 4,
                             std::to_string(value)});
    }
    gnomonSign(out_.left - 12, 0, g, CylinderTarget::Both);
    altitudeScale();
    const auto fams = families();
    const Target crown{[&](const HorizontalPosition& s, int, CylinderPoint& p) {
                         double l;
                         if (north) l = -s.azimuth;
                         else l = s.azimuth >= 0 ? 180 - s.azimuth : -s.azimuth - 180;
                         p = {l * perDeg, cylinderDrop(g, s.altitude), 0};
                         return true;
                       },
                       0, out_.bottom, false};
    traceFamilies(fams, {crown}, 180 * perDeg, out_.firstDay, out_.lastDay, in_.sampling.dayStep);
  }

  // ---- cylinder with polar style --------------------------------------
  void polarDial() {
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
        const double h = ((t - 12) * 15 - (d_.longitude - meridian_)) * kDegToRad;
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

  // ---- texts ---------------------------------------------------------
  void texts() {
    const auto deg = cylinderText(CylinderText::Deg);
    switch (in_.kind) {
      case CylinderDialKind::Shepherd:
        out_.title = tableText(TextTable::Labels, labelRow::kCylinderSundialPart);
        out_.subtitle = tableText(TextTable::Labels, labelRow::kCylinderVariantPart);
        break;
      case CylinderDialKind::Hat:
        out_.title = tableText(TextTable::Labels, labelRow::kCylinderSundialPart);
        out_.subtitle = tableText(TextTable::Labels, labelRow::kCylinderVariantPart + 1);
        out_.extraLine = loadString(579) + " = " + fixedText(in_.scaleMm, 5, 0) +
                         cylinderText(CylinderText::Mm);
        break;
      case CylinderDialKind::PolarStyle:
        out_.title = tableText(TextTable::Labels, labelRow::kCylinderSundialPart);
        out_.subtitle = tableText(TextTable::Labels, labelRow::kCylinderVariantPart + 2);
        out_.extraLine = cylinderText(CylinderText::Deviation) + fixedText(d_.wallDeclination, 6, 2) +
                         deg + ", " + cylinderText(CylinderText::CylinderRadius) + " = " +
                         fixedText(in_.radiusMm, 6, 2) + cylinderText(CylinderText::Mm);
        break;
      case CylinderDialKind::Hidokai:
        out_.title = cylinderText(CylinderText::AltitudeSundial);
        break;
    }
    out_.locationLine = cylinderText(CylinderText::LatitudeIs) + fixedText(d_.latitude, 6, 2) + deg +
                        cylinderText(CylinderText::LongitudeIs) + fixedText(d_.longitude, 6, 2) + deg;
    out_.gnomonLine = in_.kind == CylinderDialKind::Hidokai
                          ? cylinderText(CylinderText::ShadowCastingEdge) + fixedText(in_.gnomonMm, 6, 2) +
                                cylinderText(CylinderText::Mm) + ")"
                          : cylinderText(CylinderText::GnomonHeight) + " " + fixedText(in_.gnomonMm, 5, 0) +
                                cylinderText(CylinderText::Mm);
    out_.timeLine = cylinderTimeLine(in_.kind, in_.sampling.temporalOpenEnds);
  }

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

}  // namespace

CylinderDial computeCylinderDial(const CylinderDialInput& input) {
  return Builder(input).run();
}

}  // namespace tavrel
