// The band of the ring dial in band millimetres (axes in ring_dial.h).
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_systems.h"
#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/ring/ring_dial.h"
#include "dials/ring/ring_texts.h"

namespace tavrel {

namespace {

// Temporal hours need a rising and setting sun on every day of the band.
constexpr double kTemporalLatitudeLimit = 65;
// A point may stand this far (mm) beyond the band's ends before it is dropped.
constexpr double kEndToleranceMm = 1e-6;

// The pen of the sunrise and sunset lines.
constexpr int kRiseSetPen = 8;
// Refining a line between its sample days where the ring is turned by
// kRefineTurn degrees or more (the mark moves fast there): marks further
// apart than kRefineStepMm get the mark in between when it lies more than
// kChordToleranceMm off their chord, at most kMaxRefinement halvings deep;
// the end of a line at the turn limit is found to 2^-kEndBisections of a
// sample step.
constexpr double kRefineTurn = 20;
constexpr double kRefineStepMm = 0.5;
constexpr double kChordToleranceMm = 0.03;
constexpr int kMaxRefinement = 8;
constexpr int kEndBisections = 12;

int partsOf(int intervalIndex) { return std::clamp(intervalIndex, 0, 5) + 1; }

double clampDeclination(double d) {
  return std::clamp(d, -kRingDeclinationLimit, kRingDeclinationLimit);
}

// Hour angle folded into -180 .. 180.
double foldHourAngle(double h) {
  while (h > 180) h -= 360;
  while (h <= -180) h += 360;
  return h;
}

// What depends only on the day (the declination d) at latitude p: the
// terms of the sun's altitude at hour angle H (Meeus, 2nd ed., eq. 13.6),
//   sin h = sin p sin d + cos p cos d cos H,
// whether the sun rises and sets, and the half day arc.
struct SunOfDay {
  double declination = 0;
  double sinTerm = 0, cosTerm = 0;  // sin p sin d, cos p cos d
  bool risesAndSets = false;
  double halfDayArc = std::nan("");  // degrees, when the sun rises and sets

  SunOfDay(double latitude, double d)
      : declination(d),
        sinTerm(std::sin(latitude * kRadPerDeg) * std::sin(d * kRadPerDeg)),
        cosTerm(std::cos(latitude * kRadPerDeg) * std::cos(d * kRadPerDeg)),
        risesAndSets(std::fabs(std::tan(latitude * kRadPerDeg) * std::tan(d * kRadPerDeg)) < 1) {
    if (risesAndSets) halfDayArc = halfDayArcDegrees(latitude, d);
  }
  // The altitude (degrees) at hour angle H, in double precision: a band
  // asks for some ten thousand.
  double altitude(double hourAngle) const {
    const double s = sinTerm + cosTerm * std::cos(hourAngle * kRadPerDeg);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kRadPerDeg;
  }
};

}  // namespace

RingDialInput RingDialInput::of(const DesignState& d) {
  RingDialInput in;
  in.diameterMm = d.ringDiameter;
  in.widthMm = d.ringWidth;
  in.alpha = d.ringAlpha;
  in.latitude = d.latitude;
  in.year = d.referenceYear;
  in.deflection = std::clamp<int>(d.ringRayDeflection, 0, 2);
  in.noonHorizontal = d.noonLineHorizontal;
  in.singleBand = d.wholeYearQuadrant;
  in.holeOffset = d.gnomonHoleOffset;
  in.holeOffsetMax = d.gnomonHoleOffsetMax;
  in.holeOffsetMin = d.gnomonHoleOffsetMin;
  in.temporal = d.temporalHours;
  in.hoursFrom = d.hourLinesFrom;
  in.hoursTo = d.hourLinesTo;
  in.hourParts = d.otherHourInterval == '6' ? 6 : partsOf(d.otherHourInterval - '0');
  in.temporalFrom = d.otherTemporalFrom;
  in.temporalTo = d.otherTemporalTo;
  in.temporalParts = partsOf(d.temporalIntervalOther);
  in.babylonian = d.babylonianHours;
  in.italian = d.italianHours;
  in.babylonianFrom = d.babylonianFrom;
  in.babylonianTo = d.babylonianTo;
  in.babylonianParts = partsOf(d.babylonianInterval);
  in.italianFrom = d.italianFrom;
  in.italianTo = d.italianTo;
  in.italianParts = partsOf(d.italianInterval);
  in.oldHoursPart = std::clamp<int>(d.ringOldHoursPart, 0, 2);
  return in;
}

double ringBandY(double declination, double widthMm) {
  return widthMm * (kRingDeclinationLimit - clampDeclination(declination)) /
         (2 * kRingDeclinationLimit);
}

std::vector<RingBandPart> ringBandParts(const RingDialInput& in) {
  const double e = kRingDeclinationLimit;
  if (in.singleBand) {
    const double off = clampDeclination(in.holeOffset);
    if (std::fabs(off - in.holeOffsetMax) < 0.5) return {{e, 0, off}};
    if (std::fabs(off - in.holeOffsetMin) < 0.5) return {{0, -e, off}};
    return {{e, -e, off}};
  }
  return {{e, 0, clampDeclination(in.holeOffsetMax)}, {0, -e, clampDeclination(in.holeOffsetMin)}};
}

namespace {

// Arc degrees of the mark beyond Q0 before the noon shift, or NaN.
double markArc(const RingDialInput& in, double declination, double holeDeclination,
               double altitude, int deflection, double* psi, double psiStart = -1) {
  if (deflection == 0) return 2 * altitude;
  const double a = ringBandY(declination, in.widthMm) - ringBandY(holeDeclination, in.widthMm);
  const RingRaySolution s = solveRingRay(a, altitude, in.alpha, in.diameterMm, psiStart);
  if (!s.found || s.psi > kRingTurnLimit) return std::nan("");
  if (psi) *psi = s.psi;
  return 2 * altitude + s.beta;
}

double noonAltitude(const RingDialInput& in, double declination) {
  return 90 - std::fabs(in.latitude - declination);
}

}  // namespace

bool ringBandSetByDeflectedNoon(const RingDialInput& in) {
  for (const RingBandPart& part : ringBandParts(in)) {
    const int steps = std::max(1, static_cast<int>(std::ceil((part.decHigh - part.decLow) / 0.1)));
    double psi = -1;
    for (int i = 0; i <= steps; ++i) {
      const double d = part.decHigh - (part.decHigh - part.decLow) * i / steps;
      psi = psi > 0.02 ? psi : -1;
      if (std::isnan(markArc(in, d, part.holeDeclination, noonAltitude(in, d), 1, &psi, psi))) return false;
    }
  }
  return true;
}

double ringNoonShift(const RingDialInput& in, double declination, double holeDeclination,
                     bool deflectedNoon) {
  if (!in.noonHorizontal) return 0;
  // Every noon goes to the noon of the highest sun of the year (the
  // summer solstice, or the zenith in the tropics): the band is only
  // turned forwards, and no mark of a low sun leaves its start.
  const double noon = noonAltitude(in, declination);
  const double highestNoon = std::min(90.0, 90 - std::fabs(in.latitude) + kRingDeclinationLimit);
  const double arc = deflectedNoon ? markArc(in, declination, holeDeclination, noon, 1, nullptr) : 2 * noon;
  return arc - 2 * highestNoon;
}

RingMark ringMark(const RingDialInput& in, double declination, double holeDeclination,
                  double altitude, int deflection, double noonShift, double psiStart) {
  RingMark m;
  // The sun on the horizon (sunrise and sunset lines) counts as up.
  if (!(altitude > -1e-7)) return m;
  altitude = std::max(altitude, 0.0);
  const double arc =
      markArc(in, declination, holeDeclination, altitude, deflection, &m.psi, psiStart);
  if (std::isnan(arc)) {
    m.beyondTurn = true;
    return m;
  }
  const double r = in.diameterMm / 2;
  m.x = r * kRadPerDeg * (arc - noonShift);
  m.y = ringBandY(declination, in.widthMm);
  m.shown = m.x >= -kEndToleranceMm && m.x <= std::numbers::pi * r + kEndToleranceMm;
  return m;
}

namespace {

struct Family {
  RingLineKind kind;
  int from, to, parts;
  int pen, partPen;
};

// One value of an hour family and the hour angle of it for a declination
// (NaN: not on that day).
struct HourValue {
  double value;
  bool subdivision;
  std::string label;
};

std::string hourText(double v) {
  return std::to_string(static_cast<int>(std::lround(v)));
}

class BandBuilder {
 public:
  BandBuilder(const RingDialInput& in, RingDial& dial)
      : in_(in), dial_(dial), parts_(ringBandParts(in)) {}

  // The hour angle of value v of the family on the day; NaN when the
  // family has no such hour that day.
  double hourAngle(RingLineKind kind, double v, const SunOfDay& day) const {
    if (kind == RingLineKind::Hour) return 15 * (v - 12);
    if (!day.risesAndSets) return std::nan("");
    const double h0 = day.halfDayArc;
    switch (kind) {
      case RingLineKind::Temporal: return temporalHourAngleOnArc(v, h0);
      case RingLineKind::Italian:
      case RingLineKind::Babylonian: {
        const double h = foldHourAngle(
            italianBabylonianHourAngleOnArc(kind == RingLineKind::Babylonian, v, h0));
        if (in_.oldHoursPart == 1 && h > 0) return std::nan("");
        if (in_.oldHoursPart == 2 && h < 0) return std::nan("");
        return h;
      }
      default: return std::nan("");
    }
  }

  // Declination samples of a band part, from its upper end down.
  std::vector<double> samples(const RingBandPart& p) const {
    const double span = p.decHigh - p.decLow;
    const int n = std::max(2, static_cast<int>(std::ceil(in_.declinationSteps * span /
                                                        (2 * kRingDeclinationLimit))));
    std::vector<double> out;
    for (int i = 0; i <= n; ++i) out.push_back(p.decHigh - span * i / n);
    // The date lines themselves, so that the marks of their days are exact.
    for (double d : dateDeclinations_) {
      if (d < p.decHigh && d > p.decLow) out.push_back(d);
    }
    // The day of the sun through the zenith at noon: the noon altitude, and
    // with the horizontal noon line every hour line, turns there.
    if (in_.noonHorizontal && in_.latitude < p.decHigh && in_.latitude > p.decLow) out.push_back(in_.latitude);
    std::sort(out.begin(), out.end(), std::greater<double>());
    return out;
  }

  // The line of one hour value over every part of the band, split where
  // the sun is down or the mark leaves the band.
  void hourLine(RingLineKind kind, double v, bool sub, int pen, int deflection,
                const std::string& label) {
    bool labelled = label.empty();
    // Clock and temporal hours are named above the band at their upper
    // ends, the Babylonian and Italian hours below their lower ends.
    const bool oldHours = kind == RingLineKind::Italian || kind == RingLineKind::Babylonian;
    std::optional<RingPoint> lastEnd;
    for (std::size_t pi = 0; pi < parts_.size(); ++pi) {
      const RingBandPart& part = parts_[pi];
      std::vector<RingPoint> points;
      const auto flush = [&] {
        if (points.size() >= 2) {
          if (!labelled && !oldHours) {
            dial_.labels.push_back({pen, points.front().x, -1.5, label});
            labelled = true;
          }
          lastEnd = points.back();
          dial_.lines.push_back({kind, pen, v, sub, deflection, std::move(points)});
        }
        points = {};
      };
      double psi = -1;  // the deflection of the previous point
      const std::vector<SunOfDay>& days = partDays_[pi];
      const std::vector<double>& shifts = noonShifts_[pi][deflection];
      // The mark of this line on a declination between the sample days.
      const bool deflectedNoon = deflection == 1 && deflectedNoon_;
      const auto markBetween = [&](double d, double psiStart) {
        const SunOfDay day(in_.latitude, d);
        const double H = hourAngle(kind, v, day);
        if (std::isnan(H)) return RingMark{};
        return ringMark(in_, d, part.holeDeclination, day.altitude(H), deflection,
                        ringNoonShift(in_, d, part.holeDeclination, deflectedNoon), psiStart);
      };
      double previousD = 0;
      RingMark previous;
      for (std::size_t i = 0; i < days.size(); ++i) {
        const SunOfDay& day = days[i];
        const double d = day.declination;
        const double H = hourAngle(kind, v, day);
        RingMark m;
        if (!std::isnan(H)) {
          m = ringMark(in_, d, part.holeDeclination, day.altitude(H), deflection, shifts[i], psi);
        }
        psi = m.shown ? m.psi : -1;
        lastMarks_[pi][deflection][i] = m;
        if (i > 0 && (m.shown || previous.shown)) {
          if (m.shown && previous.shown) {
            refine(markBetween, previousD, previous, d, m, points, 0);
          } else if (m.beyondTurn || previous.beyondTurn) {
            // The line ends between the two days where the turn of the ring
            // reaches its limit; the mark runs fast there.
            const RingMark end = lineEnd(markBetween, previousD, previous, d, m);
            addPoint(points, {end.x, end.y});
          }
        }
        if (m.shown) addPoint(points, {m.x, m.y});
        else flush();
        previousD = d;
        previous = m;
      }
      flush();
    }
    if (!labelled && oldHours && lastEnd) dial_.labels.push_back({pen, lastEnd->x, lastEnd->y + 4, label});
  }

  // A line's next point, unless it is the last one again (a line that ends
  // on a sample day).
  static void addPoint(std::vector<RingPoint>& points, RingPoint p) {
    if (points.empty() || std::hypot(p.x - points.back().x, p.y - points.back().y) > 1e-6) points.push_back(p);
  }

  // Between two marks of a line on neighbouring sample days the mark of the
  // day in between is added while it lies more than kChordToleranceMm off
  // the straight line (where the ring is turned far).
  template <class Mark>
  static void refine(const Mark& markBetween, double d1, const RingMark& a, double d2, const RingMark& b,
                     std::vector<RingPoint>& points, int depth) {
    if (depth >= kMaxRefinement || std::max(a.psi, b.psi) < kRefineTurn ||
        std::hypot(b.x - a.x, b.y - a.y) < kRefineStepMm)
      return;
    const double dm = (d1 + d2) / 2;
    const RingMark m = markBetween(dm, a.psi > 0.02 ? a.psi : -1);
    if (!m.shown) return;
    const double along = std::hypot(b.x - a.x, b.y - a.y);
    const double off = std::fabs((b.x - a.x) * (m.y - a.y) - (b.y - a.y) * (m.x - a.x)) / along;
    if (off < kChordToleranceMm) return;
    refine(markBetween, d1, a, dm, m, points, depth + 1);
    points.push_back({m.x, m.y});
    refine(markBetween, dm, m, d2, b, points, depth + 1);
  }

  // The last mark of a line between a day with a mark and one without (in
  // either order), by bisection on the declination.
  template <class Mark>
  static RingMark lineEnd(const Mark& markBetween, double d1, const RingMark& a, double d2, const RingMark& b) {
    double shownD = a.shown ? d1 : d2, missingD = a.shown ? d2 : d1;
    RingMark shown = a.shown ? a : b;
    for (int i = 0; i < kEndBisections; ++i) {
      const double mid = (shownD + missingD) / 2;
      const RingMark m = markBetween(mid, shown.psi > 0.02 ? shown.psi : -1);
      if (m.shown) {
        shownD = mid;
        shown = m;
      } else {
        missingD = mid;
      }
    }
    return shown;
  }

  // The values of a family: a clock hour and its mirror about noon give
  // the same altitude and so the same line; each is drawn once.
  std::vector<HourValue> values(const Family& f, double noon) const {
    std::map<long, HourValue> byKey;
    const int steps = (f.to - f.from) * f.parts;
    for (int i = 0; i <= steps; ++i) {
      const double v = f.from + static_cast<double>(i) / f.parts;
      const bool sub = i % f.parts != 0;
      const bool mirrored = f.kind == RingLineKind::Hour || f.kind == RingLineKind::Temporal;
      const long key = std::lround((mirrored ? std::fabs(v - noon) : v) * 3600);
      auto it = byKey.find(key);
      if (it == byKey.end()) {
        byKey.emplace(key, HourValue{v, sub, sub ? "" : hourText(v)});
      } else if (!sub && std::fabs(v - noon) > 1e-9) {
        it->second.label += "/" + hourText(v);
      }
    }
    std::vector<HourValue> out;
    for (auto& [key, hv] : byKey) out.push_back(hv);
    return out;
  }

  void family(const Family& f, double noon) {
    if (f.parts <= 0 || f.to < f.from) return;
    prepareDays();
    const std::vector<int> modes = in_.deflection == 2 ? std::vector<int>{0, 1}
                                                       : std::vector<int>{in_.deflection};
    for (const HourValue& hv : values(f, noon)) {
      // Babylonian hour 0 and Italian hour 24 are the sunrise and sunset
      // lines, in their own pen.
      const bool riseSet = (f.kind == RingLineKind::Babylonian && hv.value == 0) ||
                           (f.kind == RingLineKind::Italian && hv.value == 24);
      const int pen = riseSet ? kRiseSetPen : hv.subdivision ? f.partPen : f.pen;
      for (int mode : modes) {
        hourLine(f.kind, hv.value, hv.subdivision, pen, mode, mode == modes.back() ? hv.label : "");
      }
      if (in_.deflection == 2) joints(f.kind, hv.value, pen);
    }
  }

  // Deflection shown both ways: a short line on each date line from the
  // mark without to the mark with deflection.
  void joints(RingLineKind kind, double v, int pen) {
    for (std::size_t pi = 0; pi < parts_.size(); ++pi) {
      const RingBandPart& part = parts_[pi];
      const std::vector<SunOfDay>& days = partDays_[pi];
      for (double d : dateDeclinations_) {
        if (d > part.decHigh || d < part.decLow) continue;
        // The date lines inside a part are among its samples; one on a
        // part's end is its first or last sample.
        const auto at = std::find_if(days.begin(), days.end(),
                                     [d](const SunOfDay& s) { return s.declination == d; });
        RingMark a, b;
        if (at != days.end()) {
          // The marks of both lines of this value on the date line.
          const std::size_t i = static_cast<std::size_t>(at - days.begin());
          a = lastMarks_[pi][0][i];
          b = lastMarks_[pi][1][i];
        } else {
          const SunOfDay day(in_.latitude, d);
          const double H = hourAngle(kind, v, day);
          if (std::isnan(H)) continue;
          const double alt = day.altitude(H);
          a = ringMark(in_, d, part.holeDeclination, alt, 0,
                       ringNoonShift(in_, d, part.holeDeclination, false));
          b = ringMark(in_, d, part.holeDeclination, alt, 1,
                       ringNoonShift(in_, d, part.holeDeclination, deflectedNoon_));
        }
        if (a.shown && b.shown) {
          dial_.lines.push_back({RingLineKind::Joint, pen, v, false, 1, {{a.x, a.y}, {b.x, b.y}}});
        }
      }
    }
  }

  // Date lines on the 1st, 11th and 21st of each month from 21 June to
  // 21 December (the other half year repeats the declinations).
  void dateLines() {
    const double length = dial_.lengthMm;
    for (int m = 6; m <= 12; ++m) {
      for (int day : {1, 11, 21}) {
        if ((m == 6 && day < 21) || (m == 12 && day > 21)) continue;
        double decl = 0, eot = 0;
        solarPosition(in_.year, dayOfYear(in_.year, m, day), decl, eot);
        decl = clampDeclination(decl);
        bool onBand = false;
        for (const RingBandPart& p : ringBandParts(in_)) {
          onBand = onBand || (decl <= p.decHigh + 1e-9 && decl >= p.decLow - 1e-9);
        }
        if (!onBand) continue;
        dateDeclinations_.push_back(decl);
        const double y = ringBandY(decl, in_.widthMm);
        dial_.lines.push_back({RingLineKind::DateLine, 4, decl, day != 1, 0, {{0, y}, {length, y}}});
        dial_.labels.push_back({4, length + 2, y, std::to_string(day) + ". " + monthName(m)});
      }
    }
  }

  // The hole's plane of each part: a tick beyond each end of the band.
  void holeMarks() {
    for (const RingBandPart& p : ringBandParts(in_)) {
      const double y = ringBandY(p.holeDeclination, in_.widthMm);
      dial_.lines.push_back({RingLineKind::Frame, 1, p.holeDeclination, false, 0, {{-4, y}, {-1, y}}});
      dial_.labels.push_back({1, -12, y, ringText(RingText::Hole)});
    }
  }

  // The rule that sets the band, the sun of every sample day of each part
  // and the noon shifts of its date lines for the deflections drawn,
  // worked out once (after the date lines, which are among the samples).
  void prepareDays() {
    if (!partDays_.empty()) return;
    deflectedNoon_ = in_.deflection != 0 && in_.noonHorizontal && ringBandSetByDeflectedNoon(in_);
    for (const RingBandPart& part : parts_) {
      std::vector<SunOfDay>& days = partDays_.emplace_back();
      for (double d : samples(part)) days.emplace_back(in_.latitude, d);
      auto& shifts = noonShifts_.emplace_back();
      lastMarks_.emplace_back().fill(std::vector<RingMark>(days.size()));
      for (int mode = 0; mode <= 1; ++mode) {
        if (in_.deflection != 2 && in_.deflection != mode) continue;
        for (const SunOfDay& day : days) {
          shifts[mode].push_back(
              ringNoonShift(in_, day.declination, part.holeDeclination, mode == 1 && deflectedNoon_));
        }
      }
    }
  }

 private:
  const RingDialInput& in_;
  RingDial& dial_;
  std::vector<RingBandPart> parts_;
  std::vector<double> dateDeclinations_;
  // Per part: its sample days, and the noon shifts of each for the
  // deflections 0 and 1.
  std::vector<std::vector<SunOfDay>> partDays_;
  std::vector<std::array<std::vector<double>, 2>> noonShifts_;
  // Whether the days' noon marks with deflection set the band.
  bool deflectedNoon_ = false;
  // Per part and deflection: the marks of the hour line drawn last on
  // each sample day (the joints join those of one value).
  std::vector<std::array<std::vector<RingMark>, 2>> lastMarks_;
};

std::string deflectionText(int deflection) {
  switch (deflection) {
    case 0: return ringText(RingText::WithoutDeflection);
    case 2: return ringText(RingText::BothDeflections);
    default: return ringText(RingText::WithDeflection);
  }
}

}  // namespace

RingDial computeRingDial(const RingDialInput& in) {
  RingDial dial;
  dial.radiusMm = in.diameterMm / 2;
  dial.lengthMm = std::numbers::pi * dial.radiusMm;
  dial.widthMm = in.widthMm;
  const std::string deg = ringText(RingText::Deg), mm = ringText(RingText::Mm);
  dial.title = ringText(RingText::Title);
  dial.dataLine = ringText(RingText::Diameter) + fixedText(in.diameterMm, 6, 1) + mm +
                  ringText(RingText::RingWidth) + fixedText(in.widthMm, 6, 1) + mm +
                  ringText(RingText::PinHoleAt) + fixedText(in.alpha, 5, 1) + deg;
  dial.locationLine = ringText(RingText::Latitude) + fixedText(in.latitude, 7, 2) + deg;
  dial.timeLine = ringText(RingText::HourLinesShow) +
                  ringText(in.temporal ? RingText::TemporalHours : RingText::LocalApparentTime) +
                  deflectionText(in.deflection);
  std::string offsets;
  for (const RingBandPart& p : ringBandParts(in)) {
    offsets += (offsets.empty() ? " = " : " / ") + fixedText(p.holeDeclination, 6, 2);
  }
  dial.offsetLine = ringText(RingText::HoleOffset) + offsets + deg;

  if (in.temporal && std::fabs(in.latitude) > kTemporalLatitudeLimit) {
    dial.temporalRefused = true;
    return dial;
  }
  const double L = dial.lengthMm, W = dial.widthMm;
  dial.lines.push_back({RingLineKind::Frame, 1, 0, false, 0, {{0, 0}, {L, 0}, {L, W}, {0, W}, {0, 0}}});
  dial.labels.push_back({4, L / 2 - 25, W + 10, ringText(RingText::HalfCircumference)});

  BandBuilder b(in, dial);
  b.dateLines();
  b.holeMarks();
  if (in.temporal) {
    if (in.temporalFrom > 12 || in.temporalTo > 12 || in.temporalFrom < 0 || in.temporalTo < 0) {
      dial.temporalRangeBad = true;
    } else {
      b.family({RingLineKind::Temporal, in.temporalFrom, in.temporalTo, in.temporalParts, 10, 3}, 6);
    }
  } else {
    b.family({RingLineKind::Hour, in.hoursFrom, in.hoursTo, in.hourParts, 2, 3}, 12);
  }
  double legendY = W + 16;
  const auto legend = [&](RingLineKind kind, int pen, RingText text) {
    dial.lines.push_back({kind, pen, -1, false, 0, {{0, legendY}, {10, legendY}}});
    dial.labels.push_back({4, 12, legendY - 1.5, ringText(text)});
    legendY += 6;
  };
  if (in.italian) {
    b.family({RingLineKind::Italian, in.italianFrom, in.italianTo, in.italianParts, 5, 9}, 12);
    legend(RingLineKind::Italian, 5, RingText::ItalianLegend);
  }
  if (in.babylonian) {
    b.family({RingLineKind::Babylonian, in.babylonianFrom, in.babylonianTo, in.babylonianParts, 6, 9}, 12);
    legend(RingLineKind::Babylonian, 6, RingText::BabylonianLegend);
  }
  return dial;
}

}  // namespace tavrel
