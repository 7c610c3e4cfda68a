// The geometry of the quadrants and of the vertical Habermel dials, in
// dial millimetres (axes in quadrant_dial.h).
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_systems.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_texts.h"

namespace tavrel {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// Temporal hours need a rising and setting sun.
constexpr double kTemporalLatitudeLimit = 65;
// Days between the samples of an hour line on a calendar scale.
constexpr int kDayStep = 3;
// Declination samples of an hour line on the declination scales.
constexpr int kDeclinationSteps = 60;
// Habermel disc: the rim band outside the hour area (mm), the length of
// a date mark across it.
constexpr double kHabermelRimMm = 7.5;
constexpr double kHabermelMarkMm = 3;
// Width of a label character on the disc (mm), for labels that read inwards.
constexpr double kHabermelCharMm = 2.2;

double sinD(double a) { return std::sin(a * kDegToRad); }
double cosD(double a) { return std::cos(a * kDegToRad); }
double tanD(double a) { return std::tan(a * kDegToRad); }

// Altitude of hour angle H and declination d at latitude p, Meeus,
// Astronomical Algorithms, 2nd ed., eq. 13.6.
double altitudeOf(double H, double d, double p) {
  const double s = std::clamp(sinD(p) * sinD(d) + cosD(p) * cosD(d) * cosD(H), -1.0, 1.0);
  return std::asin(s) / kDegToRad;
}

// Azimuth (from south, west positive), eq. 13.5.
double azimuthOf(double H, double d, double p) {
  return std::atan2(sinD(H), cosD(H) * sinD(p) - tanD(d) * cosD(p)) / kDegToRad;
}

int daysInYear(int year) { return dayOfYear(year, 12, 31); }

// The ephemeris of one year, interpolated between whole days: the
// declination and the equation of time change by less than half a degree
// a day and bend so little that the error stays far below a drawn line.
class YearEphemeris {
 public:
  explicit YearEphemeris(int year) : year_(year) {}
  void at(double x, double& decl, double& eot) {
    const double fl = std::floor(x);
    const int k = static_cast<int>(fl) + 2;
    if (k < 0 || k + 1 >= static_cast<int>(days_.size())) {
      solarPosition(year_, x, decl, eot);
      return;
    }
    const auto& a = day(k);
    const auto& b = day(k + 1);
    const double f = x - fl;
    decl = a[0] + f * (b[0] - a[0]);
    eot = a[1] + f * (b[1] - a[1]);
  }

 private:
  const std::array<double, 3>& day(int k) {
    auto& e = days_[static_cast<std::size_t>(k)];
    if (e[2] == 0) {
      solarPosition(year_, k - 2, e[0], e[1]);
      e[2] = 1;
    }
    return e;
  }
  int year_;
  std::array<std::array<double, 3>, 372> days_{};
};

// The hour values of a range split into `parts`, with their subdivision flag.
std::vector<std::pair<double, bool>> hourValues(int from, int to, int parts) {
  std::vector<std::pair<double, bool>> out;
  parts = std::max(1, parts);
  for (int i = from; i <= to; ++i)
    for (int j = 0; j < parts; ++j) {
      const double t = i + static_cast<double>(j) / parts;
      if (t > to + 1e-9) break;
      out.emplace_back(t, j > 0);
    }
  return out;
}

std::string hourText(double t) {
  const int h = static_cast<int>(std::lround(t));
  return std::to_string(((h % 24) + 24) % 24);
}

}  // namespace

double quadrantArcRadius(const QuadrantInput& in, double v) {
  const DesignState& d = design();
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
  explicit QuadrantBuilder(const QuadrantInput& in) : in_(in), d_(design()), eph_(d_.referenceYear) {
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
    out_.locationLine = quadrantLocationLine();
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
        addArc(n, quadrantArcRadius(in_, n), first ? 6 : other, first,
               first ? "1/" + std::to_string(m) : std::string());
      }
    }
    if (in_.wholeYear) addArc(N, quadrantArcRadius(in_, N), other, false, "");
    if (!in_.wholeYear) {
      addArc(nJ, quadrantArcRadius(in_, nJ), other, false, "21/6");
      addArc(nD, quadrantArcRadius(in_, nD), other, false, "21/12");
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
      addArc(dec, quadrantArcRadius(in_, dec), strong ? 6 : 8, strong,
             strong ? fixedTextTrim(dec) : std::string());
    }
    if (gunter) {
      const double s = quadrantArcRadius(in_, 0);
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
          samples.push_back({altitudeOf(H, decl, p), quadrantArcRadius(in_, key), key, true});
        }
      } else {
        for (int k = 0; k <= kDeclinationSteps; ++k) {
          const double decl = -e + 2 * e * k / kDeclinationSteps;
          const double H = in_.temporal ? temporalHourAngleOnArc(t, halfDayArcDegrees(p, decl))
                                        : 15 * (t - 12) - (in_.zoneClock ? d_.longitude - d_.zoneMeridian : 0);
          const double r = quadrantArcRadius(in_, decl);
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
        samples.push_back({altitudeOf(H, decl, p), quadrantArcRadius(in_, decl), decl, true});
      }
      trace(samples, proto, std::to_string(A));
    }
  }

  QuadrantInput in_;
  const DesignState& d_;
  YearEphemeris eph_;
  int year_ = 2000;
  QuadrantDial out_;
};

}  // namespace

QuadrantDial computeQuadrant(const QuadrantInput& input) { return QuadrantBuilder(input).run(); }

QuadrantInput screenQuadrantInput(double radiusMm, double textMm) {
  const DesignState& d = design();
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

// ---- Habermel dials ---------------------------------------------------------

double habermelThreadDirection(double declination, bool rising) {
  const double e = design().obliquityRounded;
  const double phi = std::acos(std::clamp(-declination / e, -1.0, 1.0)) / kDegToRad;
  return rising ? -90 + phi : -90 - phi;
}

namespace {

// Day of the year is in the rising half (21 December .. 21 June).
bool risingHalf(int year, int n) {
  return n <= dayOfYear(year, 6, 21) || n > dayOfYear(year, 12, 21);
}

class HabermelBuilder {
 public:
  HabermelBuilder(int variant, double g, double D) : d_(design()), eph_(d_.referenceYear) {
    out_.variant = variant;
    out_.gnomonMm = g;
    out_.radiusMm = D / 2;
    out_.hourRadiusMm = std::max(1.0, D / 2 - kHabermelRimMm);
    year_ = d_.referenceYear;
  }

  QuadrantDial run() {
    texts();
    if (d_.latitude < 0) {
      out_.southRefused = true;
      return std::move(out_);
    }
    const double R = out_.hourRadiusMm, g = out_.gnomonMm, p = d_.latitude, e = d_.obliquityRounded;
    const double hWinter = std::clamp(90 - p - e, 0.0, 89.0), hSummer = std::clamp(90 - p + e, 0.0, 89.0);
    if (out_.variant == 1) {
      // The winter noon shadow ends on the rim below the pin.
      out_.gnomonX = 0;
      out_.gnomonY = std::clamp(R - g * tanD(hWinter), -R + 1, R - 1);
    } else {
      // The bar lies so high that the summer noon shadow reaches the rim.
      out_.gnomonY = std::clamp(R - g * tanD(hSummer), -0.9 * R, 0.9 * R);
      barHalf_ = 0.9 * std::sqrt(R * R - out_.gnomonY * out_.gnomonY);
    }
    out_.arcs.push_back({1, 0, 0, out_.radiusMm, -90, 360, 0, false});
    out_.arcs.push_back({1, 0, 0, R, -90, 360, 0, false});
    dateMarks();
    hourLines();
    return std::move(out_);
  }

  double barX(int n) const {
    const double N = daysInYear(year_);
    return -barHalf_ + 2 * barHalf_ * (n - 1) / (N - 1);
  }

 private:
  void texts() {
    const DesignState& d = d_;
    out_.title = quadrantText(out_.variant == 1 ? QuadrantText::HabermelTitle1 : QuadrantText::HabermelTitle2);
    out_.locationLine = quadrantText(QuadrantText::LatitudeIs) + fixedText(d.latitude, 6, 2) +
                        quadrantText(QuadrantText::Deg) + quadrantText(QuadrantText::LongitudeIsComma) +
                        fixedText(d.longitude, 6, 2) + quadrantText(QuadrantText::Deg);
    out_.gnomonLine = quadrantText(QuadrantText::GnomonHeight) + fixedText(out_.gnomonMm, 7, 2) +
                      quadrantText(QuadrantText::Mm);
    out_.diameterLine = quadrantText(QuadrantText::Diameter) + fixedText(2 * out_.radiusMm, 7, 1) +
                        quadrantText(QuadrantText::Mm);
    out_.timeLine = quadrantText(QuadrantText::HourLinesShow) + habermelTimeText();
  }

  // Where the ray from (x, y) in direction a (picture degrees) meets the
  // circle of radius r about the centre.
  static bool rayToCircle(double x, double y, double a, double r, double& hx, double& hy) {
    const double ux = cosD(a), uy = -sinD(a);
    const double b = x * ux + y * uy, c = x * x + y * y - r * r;
    const double disc = b * b - c;
    if (disc < 0) return false;
    const double s = -b + std::sqrt(disc);
    hx = x + s * ux;
    hy = y + s * uy;
    return s > 0;
  }

  // The days of the date lines: one a month on the zodiac signs, two (6th
  // and 21st) or three (1st, 11th, 21st).
  void dateMarks() {
    const int mode = std::clamp(d_.dateLineMode - '0', 0, 2);
    struct Mark {
      double decl;
      bool rising;
      int day;  // 0 for a zodiac mark
      int month, dayOfMonth;
    };
    std::vector<Mark> marks;
    if (mode == 0 && out_.variant == 1) {
      // The entries of the signs: solar longitude 90 + 30 k.
      for (int k = 0; k < 12; ++k) {
        const int lon = (90 + 30 * k) % 360;
        // The declination of longitude L is that of 180 - L.
        const int same = lon >= 90 && lon <= 270 ? lon : (lon < 90 ? 180 - lon : 540 - lon);
        const int idx = (same - 90) / 5;
        const double dec = d_.declinationByLongitude[static_cast<std::size_t>(std::clamp(idx, 0, 36))];
        const bool rising = lon >= 270 || lon < 90;
        marks.push_back({dec, rising, 0, 0, 0});
      }
    } else {
      const std::vector<int> days = mode == 0   ? std::vector<int>{1}
                                    : mode == 1 ? std::vector<int>{6, 21}
                                                : std::vector<int>{1, 11, 21};
      for (int m = 1; m <= 12; ++m)
        for (int day : days) {
          const int n = dayOfYear(year_, m, day);
          double dec, eot;
          eph_.at(n + d_.longitude / 360, dec, eot);
          marks.push_back({dec, risingHalf(year_, n), n, m, day});
        }
    }
    const double R = out_.hourRadiusMm;
    for (const Mark& mk : marks) {
      QuadrantLine l;
      l.kind = QuadrantLineKind::DateMark;
      l.pen = (mk.day == 0 || mk.dayOfMonth == 1 || (mode == 1 && mk.dayOfMonth == 21)) ? 6 : 8;
      l.value = mk.day > 0 ? mk.day : mk.decl;
      std::string text = mk.day > 0 ? std::to_string(mk.dayOfMonth) + "/" + std::to_string(mk.month)
                                    : fixedText(mk.decl, 5, 1);
      if (mk.day == 0) text.erase(0, text.find_first_not_of(' '));
      if (out_.variant == 1) {
        const double a = habermelThreadDirection(mk.decl, mk.rising);
        double hx, hy;
        if (!rayToCircle(out_.gnomonX, out_.gnomonY, a, R, hx, hy)) continue;
        l.points = {{out_.gnomonX, out_.gnomonY, l.value}, {hx, hy, l.value},
                    {hx + kHabermelMarkMm * cosD(a), hy - kHabermelMarkMm * sinD(a), l.value}};
        if (!text.empty() && (mode != 2 || mk.dayOfMonth == 1)) {
          // Labels read outwards on the right half and inwards on the left
          // half, never upside down.
          const bool left = cosD(a) < -1e-9;
          const double out = kHabermelMarkMm + 1 + (left ? kHabermelCharMm * static_cast<double>(text.size()) : 0);
          const double lx = hx + out * cosD(a), ly = hy - out * sinD(a);
          out_.labels.push_back({4, lx, ly, text, left ? a + 180 : a});
        }
      } else {
        if (mk.day == 0) continue;
        const double x = barX(mk.day);
        const double depth = std::sqrt(std::max(0.0, R * R - x * x));
        l.points = {{x, out_.gnomonY - kHabermelMarkMm, l.value}, {x, depth, l.value}};
        if (!text.empty() && mk.dayOfMonth != 11)
          out_.labels.push_back({4, x, out_.gnomonY - kHabermelMarkMm - 1, text, 90});
      }
      out_.lines.push_back(std::move(l));
    }
    if (out_.variant == 2) {
      QuadrantLine bar;
      bar.kind = QuadrantLineKind::Gnomon;
      bar.points = {{-barHalf_, out_.gnomonY}, {barHalf_, out_.gnomonY}};
      out_.lines.push_back(bar);
    } else {
      // The pin: a small cross.
      QuadrantLine a, b;
      a.kind = b.kind = QuadrantLineKind::Gnomon;
      a.points = {{out_.gnomonX - 2, out_.gnomonY}, {out_.gnomonX + 2, out_.gnomonY}};
      b.points = {{out_.gnomonX, out_.gnomonY - 2}, {out_.gnomonX, out_.gnomonY + 2}};
      out_.lines.push_back(a);
      out_.lines.push_back(b);
    }
  }

  std::string habermelTimeText() const {
    if (d_.constructionWithEot && !d_.zoneTime) return quadrantText(QuadrantText::LocalMeanTime);
    std::string s = quadrantText(d_.zoneTime ? QuadrantText::ZoneApparent : QuadrantText::LocalApparent);
    if (d_.zoneTime && d_.constructionWithEot) s += " " + quadrantText(QuadrantText::WithEot);
    return s;
  }

  // The shadow point of the sun at altitude h on day n (dial mm), cut at
  // the edge of the hour area.
  bool point(double h, int n, double& x, double& y) const {
    if (h <= 0) return false;
    const double s = out_.gnomonMm * tanD(std::min(h, 89.5));
    if (out_.variant == 1) {
      double dec, eot;
      const_cast<YearEphemeris&>(eph_).at(n + d_.longitude / 360, dec, eot);
      const double a = habermelThreadDirection(dec, risingHalf(year_, n));
      x = out_.gnomonX + s * cosD(a);
      y = out_.gnomonY - s * sinD(a);
    } else {
      x = barX(n);
      y = out_.gnomonY + s;
    }
    return true;
  }

  void hourLines() {
    const DesignState& d = d_;
    int from = d.otherHoursFrom, to = d.otherHoursTo;
    // The altitude cannot tell forenoon from afternoon: the longer half.
    if (from < 12 && 12 < to) {
      if (to - 12 >= 12 - from) from = 12; else to = 12;
    }
    const int parts = std::clamp(d.otherHourInterval - '0', 0, 3) + 1;
    const double M = d.zoneTime ? d.zoneMeridian : d.longitude;
    const double R = out_.hourRadiusMm;
    const int N = daysInYear(year_);
    // Dial I runs round the year from the winter solstice, so that its
    // closed curves have no seam in summer.
    const int start = out_.variant == 1 ? dayOfYear(year_, 12, 21) : 1;
    for (const auto& [t, part] : hourValues(from, to, parts)) {
      QuadrantLine proto;
      proto.kind = QuadrantLineKind::Hour;
      proto.pen = part ? 3 : 2;
      proto.value = t;
      proto.subdivision = part;
      QuadrantLine cur = proto;
      bool labelled = part;
      auto flush = [&] {
        if (cur.points.size() >= 2) {
          if (!labelled) {
            const QuadrantPoint& e = cur.points[cur.points.size() / 2];
            out_.labels.push_back({2, e.x + 1, e.y, hourText(cur.value), 0});
            labelled = true;
          }
          out_.anyHour = true;
          out_.lines.push_back(cur);
        }
        cur.points.clear();
      };
      std::optional<QuadrantPoint> prev;
      for (int k = 0;; k = std::min(k + 1, N)) {
        const int n = (start - 1 + k) % N + 1;
        double dec, eot;
        eph_.at(n + (t + M / 15 - 12) / 24, dec, eot);
        double H = 15 * (t - 12) - (d.longitude - M);
        if (d.constructionWithEot) H += eot;
        const double h = altitudeOf(H, dec, d.latitude);
        double x, y;
        const bool ok = point(h, n, x, y);
        const bool in = ok && std::hypot(x, y) <= R;
        if (ok && in) {
          if (prev && cur.points.empty()) cur.points.push_back(cut(*prev, {x, y, double(n)}, R));
          cur.points.push_back({x, y, double(n)});
        } else if (ok && !cur.points.empty()) {
          cur.points.push_back(cut(cur.points.back(), {x, y, double(n)}, R));
          flush();
        } else {
          flush();
        }
        prev = ok ? std::optional<QuadrantPoint>({x, y, double(n)}) : std::nullopt;
        if (k >= N || (out_.variant == 2 && n == N)) break;
      }
      flush();
    }
  }

  // The point where the segment from a (inside the circle r) to b
  // (outside), or from b to a, meets the circle.
  static QuadrantPoint cut(const QuadrantPoint& a, const QuadrantPoint& b, double r) {
    double lo = 0, hi = 1;
    const bool aIn = std::hypot(a.x, a.y) <= r;
    for (int i = 0; i < 40; ++i) {
      const double m = (lo + hi) / 2;
      const bool in = std::hypot(a.x + m * (b.x - a.x), a.y + m * (b.y - a.y)) <= r;
      if (in == aIn) lo = m; else hi = m;
    }
    const double m = (lo + hi) / 2;
    return {a.x + m * (b.x - a.x), a.y + m * (b.y - a.y), a.key + m * (b.key - a.key)};
  }

  const DesignState& d_;
  mutable YearEphemeris eph_;
  int year_ = 2000;
  double barHalf_ = 0;
  QuadrantDial out_;
};

}  // namespace

QuadrantDial computeHabermel(int variant, double gnomonMm, double diameterMm) {
  return HabermelBuilder(variant == 2 ? 2 : 1, gnomonMm, diameterMm).run();
}

}  // namespace tavrel
