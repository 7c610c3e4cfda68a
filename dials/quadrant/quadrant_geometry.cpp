// The geometry of the quadrants (calendar, declination and Gunter scales),
// in dial millimetres (axes in quadrant_dial.h). The Habermel dials of the
// same dial kind are in habermel_geometry.cpp.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "astro/calendar.h"
#include "astro/daily_ephemeris.h"
#include "astro/time_systems.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_hours.h"
#include "dials/quadrant/quadrant_texts.h"

namespace tavrel {

using namespace quadrant_detail;

namespace {

// Temporal hours need a rising and setting sun.
constexpr double kTemporalLatitudeLimit = 65;
// Days between the samples of an hour line on a calendar scale.
constexpr int kDayStep = 3;
// Declination samples of an hour line on the declination scales.
constexpr int kDeclinationSteps = 60;

}  // namespace

double quadrantArcRadius(const DesignState& d, const QuadrantInput& in, double v) {
  const double R = in.radiusMm, e = d.obliquityRounded;
  switch (in.scale) {
    case QuadrantScale::Calendar: {
      const int year = d.referenceYear;
      if (in.wholeYear) {
        const double n31 = daysInYear(year);
        return ((v - 1) / (n31 - 1) + 1) * R / 2;
      }
      const double nJ = dayOfYear(year, 6, 21), nD = dayOfYear(year, 12, 21);
      double N;
      if (!in.secondHalf) {
        N = (v - nJ) / 183;
      } else {
        // 21 December .. 21 June of the following year, back to the arc of
        // 21 June.
        const double k = v >= nD ? v - nD : v + daysInYear(year) - nD;
        const double K = nJ + daysInYear(year) - nD;
        N = 1 - k / K;
      }
      return in.juneOutside ? R / 2 * (2 - N) : (N + 1) * R / 2;
    }
    case QuadrantScale::Declination:
      if (in.wholeYear) return (v / e + 1) * R / 2;
      return in.juneOutside ? ((v + e) / (2 * e) + 1) * R / 2 : (1 - (v - e) / (2 * e)) * R / 2;
    case QuadrantScale::Gunter: {
      const double Rg = R - 13 * in.textMm;
      return Rg * tanD((90 - e) / 2) * tanD((90 + v) / 2);
    }
  }
  return R;
}

namespace {

class QuadrantBuilder {
 public:
  QuadrantBuilder(const DesignState& d, const QuadrantInput& in) : in_(in), d_(d), eph_(d_.referenceYear) {
    out_.variant = 0;
    out_.input = in;
    out_.radiusMm = in.radiusMm;
    out_.gunterRadiusMm = in.radiusMm - 13 * in.textMm;
    year_ = d_.referenceYear;
  }

  QuadrantDial run() {
    texts();
    if (in_.temporal && std::fabs(d_.latitude) > kTemporalLatitudeLimit) {
      out_.temporalRefused = true;
      return std::move(out_);
    }
    frame();
    if (in_.scale == QuadrantScale::Calendar) calendarArcs(); else declinationArcs();
    hourLines();
    if (in_.scale == QuadrantScale::Gunter && in_.azimuthLines) azimuthLines();
    return std::move(out_);
  }

 private:
  void texts() {
    const bool gunter = in_.scale == QuadrantScale::Gunter;
    out_.title = quadrantText(gunter ? QuadrantText::GunterTitle : QuadrantText::Title);
    out_.locationLine = quadrantLocationLine(d_);
    out_.timeLine = quadrantText(QuadrantText::HourLinesShow) + quadrantTimeText(in_, false);
  }

  void frame() {
    const double R = in_.radiusMm;
    QuadrantLine l;
    l.kind = QuadrantLineKind::Frame;
    l.points = {{R, 0}, {0, 0}, {0, R}};
    out_.lines.push_back(l);
    out_.arcs.push_back({1, 0, 0, R, -90, 90, 0, false});
  }

  void addArc(double value, double r, int screenPen, bool monthStart, const std::string& text) {
    if (!(r > 0) || r > in_.radiusMm + 1e-9) return;
    out_.arcs.push_back({screenPen, 0, 0, r, -90, 90, value, monthStart});
    // Date labels end just left of the vertical edge.
    if (!text.empty())
      out_.labels.push_back({4, -(in_.charMm * static_cast<double>(text.size()) + 0.5), r, text, 0});
  }

  // Date arcs of the calendar scale: the 1st, 11th and 21st of each month
  // on the half year, the 1st and 16th on the whole year.
  void calendarArcs() {
    const int nJ = dayOfYear(year_, 6, 21), nD = dayOfYear(year_, 12, 21), N = daysInYear(year_);
    const int other = in_.wholeYear ? 1 : 8;
    for (int m = 1; m <= 12; ++m) {
      const std::vector<int> days = in_.wholeYear ? std::vector<int>{1, 16} : std::vector<int>{1, 11, 21};
      for (int day : days) {
        const int n = dayOfYear(year_, m, day);
        if (!in_.wholeYear) {
          const bool inFirst = n >= nJ && n <= nD;
          const bool inSecond = n >= nD || n <= nJ;
          if (in_.secondHalf ? !inSecond : !inFirst) continue;
        }
        const bool first = day == 1;
        addArc(n, quadrantArcRadius(d_, in_, n), first ? 6 : other, first,
               first ? "1/" + std::to_string(m) : std::string());
      }
    }
    if (in_.wholeYear) addArc(N, quadrantArcRadius(d_, in_, N), other, false, "");
    if (!in_.wholeYear) {
      addArc(nJ, quadrantArcRadius(d_, in_, nJ), other, false, "21/6");
      addArc(nD, quadrantArcRadius(d_, in_, nD), other, false, "21/12");
    }
  }

  // Arcs of equal declination, every 10 degrees of solar longitude; the
  // Gunter scale carries those from 90 to 180 degrees and its zodiac band.
  void declinationArcs() {
    const bool gunter = in_.scale == QuadrantScale::Gunter;
    const int last = gunter ? 18 : 36;
    for (int k = 0, i = 0; k <= last; k += 2, ++i) {
      const double dec = d_.declinationByLongitude[static_cast<std::size_t>(k)];
      const bool strong = gunter ? i % 3 == 0 : k % 6 == 0;
      addArc(dec, quadrantArcRadius(d_, in_, dec), strong ? 6 : 8, strong,
             strong ? fixedTextTrim(dec) : std::string());
    }
    if (gunter) {
      const double s = quadrantArcRadius(d_, in_, 0);
      out_.band = {true, tanD(45) * s, tanD(56.75) * s};
    }
  }

  static std::string fixedTextTrim(double v) {
    std::string s = fixedText(v, 6, 1);
    s.erase(0, s.find_first_not_of(' '));
    return s;
  }

  // ---- hour lines -----------------------------------------------------
  struct Sample {
    double altitude = 0, radius = 0, key = 0;
    bool valid = false;
  };

  // Adds one hour line from its samples, cut at the vertical edge where the
  // sun is below the horizon.
  void trace(const std::vector<Sample>& samples, QuadrantLine proto, const std::string& label) {
    std::vector<QuadrantLine> pieces;
    QuadrantLine cur = proto;
    auto flush = [&] {
      if (cur.points.size() >= 2) pieces.push_back(cur);
      cur.points.clear();
    };
    const Sample* prev = nullptr;
    for (const Sample& s : samples) {
      if (!s.valid) {
        flush();
        prev = nullptr;
        continue;
      }
      const QuadrantPoint p{s.radius * sinD(s.altitude), s.radius * cosD(s.altitude), s.key};
      const bool up = s.altitude >= 0;
      if (prev) {
        const bool prevUp = prev->altitude >= 0;
        if (up != prevUp) {
          // Where the line crosses the vertical edge (x = 0).
          const QuadrantPoint q{prev->radius * sinD(prev->altitude), prev->radius * cosD(prev->altitude),
                                prev->key};
          const double t = q.x / (q.x - p.x);
          const QuadrantPoint c{0, q.y + t * (p.y - q.y), q.key + t * (p.key - q.key)};
          cur.points.push_back(c);
          if (!up) flush();
        }
      }
      if (up) cur.points.push_back(p);
      prev = &s;
    }
    flush();
    for (QuadrantLine& l : pieces) {
      if (!label.empty() && &l == &pieces.front()) {
        const QuadrantPoint& e = l.points.back();
        const double r = std::hypot(e.x, e.y);
        const double k = r > 0 ? (r + 1.2 * in_.textMm) / r : 1;
        out_.labels.push_back({proto.pen, e.x * k, e.y * k + in_.textMm / 2, label, 0});
      }
      out_.anyHour = true;
      out_.lines.push_back(std::move(l));
    }
  }

  // The days of the scale in steps of three, the last step shortened.
  std::vector<int> scaleDays() const {
    std::vector<int> days;
    const int N = daysInYear(year_);
    int first, count;
    if (in_.wholeYear) {
      first = 1;
      count = N - 1;
    } else if (!in_.secondHalf) {
      first = dayOfYear(year_, 6, 21);
      count = dayOfYear(year_, 12, 21) - first;
    } else {
      first = dayOfYear(year_, 12, 21);
      count = dayOfYear(year_, 6, 21) + N - first;
    }
    for (int k = 0;; k = std::min(k + kDayStep, count)) {
      days.push_back((first - 1 + k) % N + 1);
      if (k >= count) break;
    }
    return days;
  }

  double meridian() const { return in_.zoneClock ? d_.zoneMeridian : d_.longitude; }

  // Hour angle of ordinary hour t on day n (with its declination).
  double ordinaryHourAngle(double t, int n, double& decl) {
    const double M = meridian();
    double eot;
    eph_.at(n + (t + M / 15 - 12) / 24, decl, eot);
    double H = 15 * (t - 12) - (d_.longitude - M);
    if (in_.withEot) H += eot;
    return H;
  }

  void hourLines() {
    // Mean time needs the day's equation of time: on the declination scale
    // of one half year each declination belongs to one day of that half,
    // so its lines are traced day by day as well, through the arcs of the
    // days' declinations, from the lowest declination up (as without EoT).
    const bool calendar = in_.scale == QuadrantScale::Calendar;
    const bool meanDeclination =
        in_.scale == QuadrantScale::Declination && in_.withEot && !in_.temporal && !in_.wholeYear;
    const bool byDay = calendar || meanDeclination;
    const double e = d_.obliquityRounded, p = d_.latitude;
    std::vector<int> days;
    if (byDay) days = scaleDays();
    if (meanDeclination && !in_.secondHalf) std::reverse(days.begin(), days.end());
    for (const auto& [t, part] : hourValues(in_.from, in_.to, in_.parts)) {
      std::string label;
      if (!part) label = in_.temporal ? std::to_string(static_cast<int>(t)) : hourText(t);
      // Lines that coincide with a forenoon line (t and 24 - t in local
      // apparent time, temporal hours t and 12 - t) are drawn once, with
      // both labels.
      const bool merge = in_.temporal || in_.mergeMirrored;
      const double noon = in_.temporal ? 6 : 12, mirror = 2 * noon - t;
      if (merge && t > noon && mirror >= in_.from && mirror <= in_.to) continue;
      if (merge && !part && t < noon && mirror <= in_.to)
        label += "/" + (in_.temporal ? std::to_string(static_cast<int>(mirror)) : hourText(mirror));
      QuadrantLine proto;
      proto.kind = in_.temporal ? QuadrantLineKind::Temporal : QuadrantLineKind::Hour;
      proto.pen = part ? 3 : (in_.temporal ? 10 : 2);
      proto.value = t;
      proto.subdivision = part;
      std::vector<Sample> samples;
      if (byDay) {
        for (int n : days) {
          double decl, H;
          if (in_.temporal) {
            double eot;
            eph_.at(n + d_.longitude / 360, decl, eot);
            H = temporalHourAngleOnArc(t, halfDayArcDegrees(p, decl));
          } else {
            H = ordinaryHourAngle(t, n, decl);
          }
          const double key = calendar ? static_cast<double>(n) : decl;
          samples.push_back({altitudeOf(H, decl, p), quadrantArcRadius(d_, in_, key), key, true});
        }
      } else {
        for (int k = 0; k <= kDeclinationSteps; ++k) {
          const double decl = -e + 2 * e * k / kDeclinationSteps;
          const double H = in_.temporal ? temporalHourAngleOnArc(t, halfDayArcDegrees(p, decl))
                                        : 15 * (t - 12) - (in_.zoneClock ? d_.longitude - d_.zoneMeridian : 0);
          const double r = quadrantArcRadius(d_, in_, decl);
          samples.push_back({altitudeOf(H, decl, p), r, decl, r >= 0});
        }
      }
      trace(samples, proto, label);
    }
  }

  // Gunter: lines of equal azimuth every 10 degrees (pen 5, every 30
  // degrees pen 7), from the altitude at which the sun of each
  // declination has that azimuth.
  void azimuthLines() {
    const double e = d_.obliquityRounded, p = d_.latitude;
    for (int A = -170; A <= 170; A += 10) {
      if (A > 0) break;  // forenoon and afternoon coincide: one set
      QuadrantLine proto;
      proto.kind = QuadrantLineKind::Azimuth;
      proto.pen = A % 30 == 0 ? 7 : 5;
      proto.value = A;
      std::vector<Sample> samples;
      for (int k = 0; k <= kDeclinationSteps; ++k) {
        const double decl = -e + 2 * e * k / kDeclinationSteps;
        // Bisection on the forenoon hour angle -180..0: the azimuth rises
        // monotonically from -180 towards 0 (for p > d; else the search
        // finds nothing and the sample is dropped).
        double lo = -180, hi = 0;
        const double target = A;
        const double alo = azimuthOf(lo + 1e-9, decl, p), ahi = azimuthOf(hi - 1e-9, decl, p);
        if ((alo - target) * (ahi - target) > 0) {
          samples.push_back({});
          continue;
        }
        for (int it = 0; it < 50; ++it) {
          const double mid = (lo + hi) / 2;
          if ((azimuthOf(mid, decl, p) - target) * (alo - target) > 0) lo = mid; else hi = mid;
        }
        const double H = (lo + hi) / 2;
        samples.push_back({altitudeOf(H, decl, p), quadrantArcRadius(d_, in_, decl), decl, true});
      }
      trace(samples, proto, std::to_string(A));
    }
  }

  QuadrantInput in_;
  const DesignState& d_;
  DailyEphemeris eph_;
  int year_ = 2000;
  QuadrantDial out_;
};

}  // namespace

QuadrantDial computeQuadrant(const DesignState& d, const QuadrantInput& input) {
  return QuadrantBuilder(d, input).run();
}

QuadrantInput screenQuadrantInput(const DesignState& d, double radiusMm, double textMm) {
  QuadrantInput in;
  in.radiusMm = radiusMm;
  in.textMm = textMm;
  in.charMm = 0.6 * textMm;
  in.scale = static_cast<QuadrantScale>(std::min<int>(d.zodiacScale, 2));
  in.wholeYear = d.wholeYearQuadrant;
  in.juneOutside = d.januaryOutside;
  in.temporal = d.temporalHours;
  in.azimuthLines = d.includeAzimuthLines;
  if (in.temporal) {
    in.from = std::clamp(d.otherTemporalFrom, 0, 12);
    in.to = std::clamp(d.otherTemporalTo, 0, 12);
    in.parts = std::clamp<int>(d.temporalIntervalOther, 0, 3) + 1;
  } else {
    in.from = d.otherHoursFrom;
    in.to = d.otherHoursTo;
    in.parts = std::clamp(d.otherHourInterval - '0', 0, 3) + 1;
    in.zoneClock = d.zoneTime && in.scale != QuadrantScale::Gunter;
    // Mean time needs the day: the calendar scale has it, the declination
    // scale of one half year has one day per declination. On the
    // whole-year declination scale and Gunter's, each declination serves
    // two days with different equations of time: apparent time there.
    in.withEot = d.constructionWithEot &&
                 (in.scale == QuadrantScale::Calendar || (in.scale == QuadrantScale::Declination && !in.wholeYear));
    // One quadrant cannot hold the different forenoon and afternoon lines
    // of zone time: the longer half is shown.
    if (in.zoneClock && in.from < 12 && 12 < in.to) {
      if (in.to - 12 >= 12 - in.from) in.from = 12; else in.to = 12;
    }
    in.mergeMirrored = !in.zoneClock && !in.withEot;
  }
  return in;
}

}  // namespace tavrel
