// The vertical Habermel dials I and II (quadrant variants 1 and 2), in dial
// millimetres (axes in quadrant_dial.h).
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/daily_ephemeris.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_hours.h"
#include "dials/quadrant/quadrant_texts.h"

namespace tavrel {

using namespace quadrant_detail;

namespace {

// Habermel disc: the rim band outside the hour area (mm), the length of
// a date mark across it.
constexpr double kHabermelRimMm = 7.5;
constexpr double kHabermelMarkMm = 3;
// Width of a label character on the disc (mm), for labels that read inwards.
constexpr double kHabermelCharMm = 2.2;

}  // namespace

double habermelThreadDirection(double declination, bool rising, double obliquity) {
  const double e = obliquity;
  const double phi = std::acos(std::clamp(-declination / e, -1.0, 1.0)) / kRadPerDeg;
  return rising ? -90 + phi : -90 - phi;
}

namespace {

// Day of the year is in the rising half (21 December .. 21 June).
bool risingHalf(int year, int n) {
  return n <= dayOfYear(year, 6, 21) || n > dayOfYear(year, 12, 21);
}

class HabermelBuilder {
 public:
  HabermelBuilder(const DesignState& d, int variant, double g, double D) : d_(d), eph_(d_.referenceYear) {
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
        const double a = habermelThreadDirection(mk.decl, mk.rising, d_.obliquityRounded);
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
      eph_.at(n + d_.longitude / 360, dec, eot);
      const double a = habermelThreadDirection(dec, risingHalf(year_, n), d_.obliquityRounded);
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
  mutable DailyEphemeris eph_;
  int year_ = 2000;
  double barHalf_ = 0;
  QuadrantDial out_;
};

}  // namespace

QuadrantDial computeHabermel(const DesignState& d, int variant, double gnomonMm, double diameterMm) {
  return HabermelBuilder(d, variant == 2 ? 2 : 1, gnomonMm, diameterMm).run();
}

}  // namespace tavrel
