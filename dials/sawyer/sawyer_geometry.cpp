// The geometry of the Sawyer dial: hour rays (straight, or as half
// analemmas for mean time), date lines, labels and zodiac symbols, in the
// units of the target (see sawyer_dial.h).
#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "base/number_text.h"
#include "dials/sawyer/sawyer_dial.h"

namespace tavrel {

namespace {


// arccos clamped to its domain: beyond the polar circles the sun does not
// set (180) or does not rise (0) on that day.
double acosDegClamped(double x) { return degrees(std::acos(std::clamp(x, -1.0, 1.0))); }

// Half day arc H0 (degrees) for a declination (Meeus, 2nd ed., eq. 15.1
// with h0 = 0).
double halfDayArc(double latitude, double declination) {
  return acosDegClamped(-std::tan(radians(latitude)) * std::tan(radians(declination)));
}

constexpr int kSummerRow = 72;   // solar longitude 90
constexpr int kWinterRow = 216;  // solar longitude 270

// The text of a full-hour number and of its twin for the other half year.
std::string clockHour(int k) { return std::to_string(k >= 1 ? k % 12 : k + 12); }
std::string otherHalfHour(int k) { return std::to_string(k >= 0 ? 12 - k : (12 - k) % 12); }

}  // namespace

namespace {

// The factors of the altitude formula that depend only on the latitude and
// the day: sin h = sin phi sin d + cos phi cos d cos H (Meeus, eq. 13.6).
struct SunOfDay {
  double sinSin = 0, cosCos = 0;
  SunOfDay(double latitude, double declination) {
    const double phi = radians(latitude), d = radians(declination);
    sinSin = std::sin(phi) * std::sin(d);
    cosCos = std::cos(phi) * std::cos(d);
  }
};

SawyerPointStatus rayPoint(double rayDeg, double sunHourAngle, const SunOfDay& sun, double u, double C,
                           double farLimit, SawyerRayPoint& out) {
  const double sinH = sun.sinSin + sun.cosCos * std::cos(radians(sunHourAngle));
  const double h = sinH < 0 ? 0 : std::asin(std::min(sinH, 1.0));
  const double tau = std::tan(h), T = std::tan(radians(rayDeg));
  const double A = T * T * tau * tau - 1;
  const double D = C * C * T * T - A * u * u;
  if (D < 0 || A == 0) return SawyerPointStatus::NoPoint;
  const double y = tau * (std::sqrt(D) + C * T * T * tau) / A;
  if (!std::isfinite(y)) return SawyerPointStatus::NoPoint;
  if (std::fabs(y) > farLimit) return SawyerPointStatus::TooFar;
  out.x = (C - y) * T;
  out.y = y;
  out.altitude = degrees(h);
  return SawyerPointStatus::Found;
}

}  // namespace

SawyerPointStatus sawyerRayPoint(double rayDeg, double sunHourAngle, double declination,
                                 double latitude, double u, double C, double farLimit,
                                 SawyerRayPoint& out) {
  return rayPoint(rayDeg, sunHourAngle, SunOfDay(latitude, declination), u, C, farLimit, out);
}

std::optional<SawyerRayPoint> sawyerPoint(double t, double declination, double latitude,
                                          double lineAngle, double u, double C, double farLimit) {
  SawyerRayPoint p;
  if (sawyerRayPoint(t * lineAngle, 15 * t, declination, latitude, u, C, farLimit, p) !=
      SawyerPointStatus::Found)
    return std::nullopt;
  return p;
}

namespace {

struct Builder {
  const SawyerDialInput& in;
  SawyerDial& dial;

  std::optional<SawyerRayPoint> point(double t, double declination) const {
    return sawyerPoint(t, declination, in.latitude, in.lineAngle, in.u, in.C, in.farLimit);
  }

  // Label moves by the hour k: the black number, and the offset of the
  // red one (mode 2 puts it 0.7 text heights to the right, not one).
  void hourLabels(int k, double x, double y, bool halfAnalemma) {
    const double th = in.textHeight;
    if (std::abs(k) <= 10) {
      if (k <= -4) {
        x -= 1.5 * th;
      } else if (k <= -2) {
        x -= 1.7 * th;
      } else if (k == -1 || (k == 0 && !halfAnalemma)) {
        y -= th / 2;
        x -= (halfAnalemma ? 1.1 : 1.2) * th;
      } else if (k == 0) {
        y -= th / 2;
        x -= 0.6 * th;
      } else if (k == 1) {
        y -= th / 2;
      } else if (k <= 3) {
        x += th / 2;
      } else if (k == 4) {
        y += th / 2;
        x += th;
      } else {
        x += th;
      }
    }
    const bool mean = in.timeMode == 2 || in.timeMode == 3;
    dial.labels.push_back({x, y, halfAnalemma ? fixedText(k >= 1 ? k % 12 : k + 12, 2, 0) : clockHour(k), false});
    if (!mean) return;
    const double th2 = 1.1 * th;
    const double dx = k >= 1 ? (halfAnalemma ? 0.7 : 1.0) * th2 : -th2;
    dial.labels.push_back({x + dx, y - th2 / 2, otherHalfHour(k), true});
  }

  SawyerLine hourLine(int j, double t) const {
    SawyerLine line;
    line.kind = j == 0 ? SawyerLineKind::FullHour : SawyerLineKind::PartHour;
    line.pen = j == 0 ? 3 : 8;
    line.wide = j == 0;
    line.value = t;
    return line;
  }

  // Straight hour rays from the winter to the summer solstice point.
  void straightHours(int E, double c, double winterArc) {
    const int n = in.parts;
    for (int k = -(E + 1); k <= E + 1; ++k) {
      for (int j = 0; j <= n; ++j) {
        const double t = k + static_cast<double>(j) / (n + 1) + c;
        if (std::fabs(t * in.lineAngle) > 89.9) continue;
        SawyerRayPoint start;
        if (15 * std::fabs(t) <= winterArc) {
          const auto p = point(t, -in.obliquity);
          if (!p) continue;
          start = *p;
        } else {
          start.x = in.C * std::tan(radians(t * in.lineAngle));
          start.y = 0;
        }
        const auto end = point(t, in.obliquity);
        if (!end || end->y > 0) {
          dial.fragmentary = true;
          continue;
        }
        SawyerLine line = hourLine(j, t);
        line.runs.push_back({start, *end});
        dial.lines.push_back(std::move(line));
        if (j == 0 && end->y < 0) hourLabels(k, end->x, end->y, false);
      }
    }
  }

  // Mean time: each hour line is the half analemma from the summer to the
  // winter solstice, the point of each date shifted by the table's
  // antisymmetric part of the equation of time.
  void halfAnalemmas(int E) {
    const std::vector<EotSeriesRow>& table = *in.eotTable;
    const int last = std::min<int>(kWinterRow, static_cast<int>(table.size()) - 1);
    const int n = in.parts;
    for (int k = -(E + 1); k <= E + 1; ++k) {
      for (int j = 0; j <= n; ++j) {
        const double t = k + static_cast<double>(j) / (n + 1);
        SawyerLine line = hourLine(j, t);
        std::vector<SawyerRayPoint> run;
        std::optional<SawyerRayPoint> labelAt;
        for (int r = kSummerRow; r <= last;) {
          const double s = table[static_cast<std::size_t>(r)].eotAntisymmetric / 3600.0;
          const double tt = t - s;
          std::optional<SawyerRayPoint> p;
          if (std::fabs(tt * in.lineAngle) <= 89.99) p = point(tt, table[static_cast<std::size_t>(r)].declination);
          if (!p || p->y > 0) {
            if (run.size() > 1) line.runs.push_back(run);
            run.clear();
            ++r;
            continue;
          }
          if (r == kSummerRow) labelAt = p;
          if (run.empty() || run.back().y != p->y) run.push_back(*p);
          r += p->altitude > 6 ? 2 : 1;
        }
        if (run.size() > 1) line.runs.push_back(run);
        if (!line.runs.empty()) dial.lines.push_back(std::move(line));
        if (j == 0 && labelAt && labelAt->y < 0) hourLabels(k, labelAt->x, labelAt->y, true);
      }
    }
  }

  void dateLines() {
    const std::vector<EotSeriesRow>& table = *in.eotTable;
    const int per = in.datesPerSign + 1;
    const double step = in.dateStepDeg;
    const double sh = in.symbolHeight;
    // One scratch run for every date line; each finished piece is copied
    // out at its exact size.
    std::vector<SawyerRayPoint> run;
    for (int e = 0; e <= 6 * per; ++e) {
      const int row = kSummerRow + e * (24 / per);
      if (row >= static_cast<int>(table.size())) break;
      const EotSeriesRow& tr = table[static_cast<std::size_t>(row)];
      const double delta = tr.declination;
      const double s = in.timeMode == 3 ? tr.eotAntisymmetric / 240.0 : 0.0;
      const double H0 = halfDayArc(in.latitude, delta);
      const SunOfDay sun(in.latitude, delta);
      const bool whole = e % per == 0;
      SawyerLine line;
      line.kind = whole ? SawyerLineKind::WholeSignDate : SawyerLineKind::DateLine;
      line.pen = whole ? 1 : 5;
      line.wide = whole;
      line.value = 90 + 30.0 * e / per;
      run.clear();
      const double startRay = in.lineAngle * (s - H0) / 15;
      if (std::fabs(startRay) <= 89.999) run.push_back({in.C * std::tan(radians(startRay)), 0, 0});
      if (e == 0) dial.scaleA = in.C * std::tan(radians(startRay));
      if (e == 6 * per) dial.scaleB = in.C * std::tan(radians(startRay));
      const auto flush = [&] {
        if (run.size() > 1) line.runs.push_back(run);
        run.clear();
      };
      const int steps = static_cast<int>(std::floor((2 * H0 - s + 0.1) / step + 1e-9));
      for (int i = 0; i <= steps; ++i) {
        const double h = s - H0 + i * step;
        const double ray = (h + s) * in.lineAngle / 15;
        if (std::fabs(ray) > 89.99) {
          flush();
          continue;
        }
        SawyerRayPoint p;
        const SawyerPointStatus st = rayPoint(ray, h, sun, in.u, in.C, in.farLimit, p);
        if (st == SawyerPointStatus::NoPoint) {
          flush();
          continue;
        }
        if (st == SawyerPointStatus::TooFar || p.y > 0) {
          dial.fragmentary = true;
          flush();
          continue;
        }
        run.push_back(p);
        if (whole && std::fabs(h) < 0.049) symbolsAtNoon(e / per, p.y, sh);
      }
      flush();
      dial.lines.push_back(std::move(line));
    }
    SawyerLine scale;
    scale.kind = SawyerLineKind::DateScale;
    scale.pen = 4;
    scale.runs.push_back({{dial.scaleA, 0, 0}, {dial.scaleB, 0, 0}});
    scale.runs.push_back({{-dial.scaleA, 0, 0}, {-dial.scaleB, 0, 0}});
    dial.lines.push_back(std::move(scale));
  }

  // The signs beginning on this date line: the summer-to-winter sign in
  // red to the right of the noon line, the winter-to-summer sign of the
  // same declination to the left (Wingdings: 94 Aries .. 105 Pisces).
  void symbolsAtNoon(int q, double yNoon, double sh) {
    const double y = yNoon - 0.1 * sh;
    const double right = 0.5 * sh, left = -1.5 * sh;
    if (q >= 1 && q <= 5) {
      const int m = 6 - q;
      dial.symbols.push_back({right, y + 1.2 * sh, static_cast<char>(103 - m), true});
      dial.symbols.push_back({left, y, static_cast<char>(m < 3 ? m + 103 : m + 91), false});
    } else if (q == 6) {
      dial.symbols.push_back({left, y, 'g', false});
    } else if (q == 0) {
      dial.symbols.push_back({right, y + 1.2 * sh, static_cast<char>(97), true});
    }
  }
};

}  // namespace

SawyerDial computeSawyerDial(const SawyerDialInput& in) {
  SawyerDial dial;
  const double absLat = std::fabs(in.latitude);
  if (absLat < 29) {
    dial.tropicsRefused = true;
    return dial;
  }
  if (in.obliquity + 5 > absLat) {
    dial.obliquityRefused = true;
    return dial;
  }
  const double eps = in.obliquity;
  // The longest half day of the year, in either hemisphere (south of the
  // equator it falls on the December solstice).
  const double Eh = std::fabs(acosDegClamped(-std::tan(radians(absLat)) * std::tan(radians(eps)))) / 15;
  dial.longestHalfDayHours = Eh;
  const int E = static_cast<int>(std::trunc(Eh));
  const double winterArc = acosDegClamped(std::tan(radians(in.latitude)) * std::tan(radians(eps)));
  Builder b{in, dial};
  if (in.timeMode == 2 && in.eotTable) {
    b.halfAnalemmas(E);
  } else {
    const double c = in.zoneTime && in.timeMode != 2 ? (in.zoneMeridian - in.longitude) / 15 : 0;
    b.straightHours(E, c, winterArc);
  }
  if (in.eotTable) b.dateLines();
  return dial;
}

}  // namespace tavrel
