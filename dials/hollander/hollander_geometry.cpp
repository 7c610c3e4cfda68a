// The geometry of Hollander's mean-time dial in dial mm (see
// hollander_dial.h for the axes and the sources).
#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/hollander/hollander_dial.h"
#include "dials/hollander/hollander_texts.h"

namespace tavrel {

namespace {

double floorSigned(double v) { return std::fabs(v) < 1e-12 ? (v < 0 ? -1e-12 : 1e-12) : v; }

}  // namespace

std::string hollanderText(HollanderText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

std::vector<HollanderDatePair> hollanderDatePairs(int year) {
  const int days = dayOfYear(year, 12, 31);
  std::vector<double> decl(static_cast<std::size_t>(days + 1)), eot(static_cast<std::size_t>(days + 1));
  for (int d = 1; d <= days; ++d) solarPosition(year, d, decl[d], eot[d]);
  const int first = dayOfYear(year, 6, 21), last = dayOfYear(year, 12, 21);
  // The partners: from 21 June back through the spring to the winter
  // solstice of the year before (counted into December of this year).
  std::vector<int> partners;
  for (int d = first; d >= 1; --d) partners.push_back(d);
  for (int d = days; d > last; --d) partners.push_back(d);
  std::vector<HollanderDatePair> rows;
  std::size_t k = 0;
  for (int d = first; d <= last; ++d) {
    const double dd = decl[d];
    // The partners' declinations fall (past the solstice hump at the
    // start): go on while the next one is still at least as high, then
    // take the nearer neighbour.
    while (k + 1 < partners.size() && decl[partners[k + 1]] >= dd) ++k;
    if (k + 1 < partners.size() &&
        std::fabs(decl[partners[k + 1]] - dd) < std::fabs(decl[partners[k]] - dd))
      ++k;
    const int q = partners[k];
    HollanderDatePair r;
    r.day = d;
    r.partner = q;
    r.declination = dd;
    r.partnerDeclination = decl[q];
    r.meanDeclination = (dd + decl[q]) / 2;
    r.sinMean = std::sin(radians(r.meanDeclination));
    r.cosMean = std::cos(radians(r.meanDeclination));
    r.tanMean = std::tan(radians(r.meanDeclination));
    r.eot = eot[d];
    r.partnerEot = eot[q];
    rows.push_back(r);
  }
  return rows;
}

HollanderInput hollanderInputOf(const DesignState& d) {
  HollanderInput in;
  in.coneAxisMm = d.gnomonLength;
  in.axisInclination = d.coneAxisInclination;
  in.halfAngle = d.coneHalfAngle;
  in.variant = d.hollanderVariant;
  in.wallDeclination = d.wallDeclination;
  in.planeInclination = d.planeInclination;
  in.latitude = d.latitude;
  in.longitude = d.longitude;
  in.zoneMeridian = d.zoneMeridian;
  in.zoneTime = d.zoneTime;
  in.year = d.referenceYear;
  in.hoursFrom = d.otherHoursFrom;
  in.hoursTo = d.otherHoursTo;
  in.subdivisions = std::clamp(d.otherHourInterval - '0', 0, 3) + 1;
  in.dateLineMode = std::max(0, d.dateLineMode - '0') % 3;
  in.obliquity = d.obliquityRounded;
  in.language = d.language;
  return in;
}

bool hollanderApexShadow(const HollanderDial& dial, double delta, double eot, double t, double& x,
                         double& y) {
  const double phi = radians(dial.equivalentLatitude);
  const double H = radians(15 * (t - 12) + eot);
  const double dl = radians(delta);
  // The sun's altitude sine over cos(delta): the sun must be above the plane.
  const double Y = std::cos(phi) * std::cos(H) + std::sin(dl) * std::sin(phi) / std::cos(dl);
  if (Y <= 1e-9) return false;
  const double h = dial.apexHeight;
  x = h * std::sin(H) / Y;
  // South of the (equivalent) equator the cone leans the other way, its
  // axis rising towards the south pole.
  const double side = dial.equivalentLatitude < 0 ? -1 : 1;
  y = side * (dial.L * std::cos(radians(dial.psi)) + dial.c) +
      h * (std::sin(phi) * std::cos(H) - std::cos(phi) * std::tan(dl)) / Y;
  return true;
}

namespace {

// The apex shadow with the row's trigonometry kept (see
// hollanderApexShadow), for the hour angle given by its cosine and sine.
bool apexShadowOfRow(const HollanderDial& dial, const HollanderDatePair& r, double cH, double sH,
                     double& x, double& y) {
  const double Y = dial.cosLat * cH + r.sinMean * dial.sinLat / r.cosMean;
  if (Y <= 1e-9) return false;
  const double h = dial.apexHeight;
  const double side = dial.equivalentLatitude < 0 ? -1 : 1;
  x = h * sH / Y;
  y = side * (dial.L * std::cos(radians(dial.psi)) + dial.c) + h * (dial.sinLat * cH - dial.cosLat * r.tanMean) / Y;
  return true;
}

// The equations of time of the two apex shadows of a row: P1 takes e1.
void rowEots(const HollanderDial& dial, const HollanderDatePair& r, double& e1, double& e2) {
  e1 = std::min(r.eot, r.partnerEot);
  e2 = std::max(r.eot, r.partnerEot);
  const int group = (dial.variant / 3) % 3;
  if (group == 1) e1 = r.eot, e2 = r.partnerEot;
  if (group == 2) e1 = r.partnerEot, e2 = r.eot;
  if (dial.equivalentLatitude < 0) std::swap(e1, e2);
}

// The hour point of a row for the two hour angles H1, H2 (cosines and
// sines) of its apex shadows.
bool hourPoint(const HollanderDial& dial, const HollanderDatePair& r, double c1, double s1H, double c2,
               double s2H, double& x, double& y) {
  double x1, y1, x2, y2;
  if (!apexShadowOfRow(dial, r, c1, s1H, x1, y1)) return false;
  if (!apexShadowOfRow(dial, r, c2, s2H, x2, y2)) return false;
  const double a = dial.a, b = dial.b;
  const auto outside = [&](double px, double py) { return (px / b) * (px / b) + (py / a) * (py / a) > 1; };
  if (!outside(x1, y1) || !outside(x2, y2)) return false;
  // Tangents y = s x + q from each apex shadow to the ellipse
  // (x / b)^2 + (y / a)^2 = 1: q^2 = b^2 s^2 + a^2.
  const double s1 = (x1 * y1 + std::sqrt(b * b * y1 * y1 + a * a * x1 * x1 - a * a * b * b)) /
                    floorSigned(x1 * x1 - b * b);
  const double s2 = (x2 * y2 - std::sqrt(b * b * y2 * y2 + a * a * x2 * x2 - a * a * b * b)) /
                    floorSigned(x2 * x2 - b * b);
  const double q1 = y1 - s1 * x1, q2 = y2 - s2 * x2;
  const double ds = floorSigned(s1 - s2);
  double px = (q2 - q1) / ds, py = (q2 * s1 - q1 * s2) / ds;
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  py = -py;
  x = px * dial.cosTurn - py * dial.sinTurn;
  y = px * dial.sinTurn + py * dial.cosTurn;
  return true;
}

}  // namespace

bool hollanderShadowPoint(const HollanderDial& dial, int row, double t, double& x, double& y) {
  if (row < 1 || row > static_cast<int>(dial.rows.size())) return false;
  const HollanderDatePair& r = dial.rows[static_cast<std::size_t>(row - 1)];
  if (r.day < 0) return false;
  double e1, e2;
  rowEots(dial, r, e1, e2);
  const double H1 = radians(15 * (t - 12) + e1), H2 = radians(15 * (t - 12) + e2);
  return hourPoint(dial, r, std::cos(H1), std::sin(H1), std::cos(H2), std::sin(H2), x, y);
}

namespace {

HollanderPoint turned(const HollanderDial& dial, double x, double yNorth) {
  const double px = x, py = -yNorth;
  return {px * dial.cosTurn - py * dial.sinTurn, px * dial.sinTurn + py * dial.cosTurn};
}

double hypot2(double x, double y) { return std::sqrt(x * x + y * y); }

// Whether a point (dial mm, turned) lies outside k times the footprint.
bool outsideEllipse(const HollanderDial& dial, HollanderPoint p, double k) {
  // Turned back into the ellipse's axes.
  const double x = p.x * dial.cosTurn + p.y * dial.sinTurn, y = -p.x * dial.sinTurn + p.y * dial.cosTurn;
  return (x / (k * dial.b)) * (x / (k * dial.b)) + (y / (k * dial.a)) * (y / (k * dial.a)) > 1;
}

// The row (1-based) of the day of the year, or 0.
int rowOfDay(const HollanderDial& dial, int day) {
  if (dial.rows.empty()) return 0;
  const int r = day - dial.rows.front().day + 1;
  return r >= 1 && r <= static_cast<int>(dial.rows.size()) ? r : 0;
}

// The row whose listed declination is nearest to delta.
int rowOfDeclination(const HollanderDial& dial, double delta) {
  int best = 0;
  double err = 1e9;
  for (std::size_t i = 0; i < dial.rows.size(); ++i) {
    const double e = std::fabs(dial.rows[i].declination - delta);
    if (e < err) err = e, best = static_cast<int>(i) + 1;
  }
  return best;
}

}  // namespace

HollanderDial computeHollanderDial(const HollanderInput& in) {
  HollanderDial dial;
  const int lang = in.language;
  dial.L = in.coneAxisMm;
  dial.psi = in.axisInclination;
  dial.alpha = in.halfAngle;
  dial.variant = in.variant;
  const double al = in.halfAngle, ps = in.axisInclination;
  dial.title = hollanderText(HollanderText::Title, lang);
  if (!(std::fabs(al) > 0.1 && std::fabs(ps) > 0.1 && al < ps)) {
    dial.refusal = HollanderRefusal::InputError;
    dial.refusalText = hollanderText(HollanderText::InputError, lang) + fixedText(al, 4, 2) +
                       hollanderText(HollanderText::AndPsi, lang) + fixedText(ps, 5, 2) +
                       hollanderText(HollanderText::TooSmall, lang);
    return dial;
  }
  if (!((ps <= 90 && ps >= al) || (ps > 90 && al < 180 - ps))) {
    dial.refusal = HollanderRefusal::ApexAngleTooLarge;
    dial.refusalText = hollanderText(HollanderText::ApexTooLarge, lang);
    return dial;
  }
  const int v = in.variant % 3;
  if (v == 0) {
    dial.equivalentLatitude = in.latitude;
  } else {
    rotateSpherical(v == 1 ? 90.0 : in.planeInclination, in.wallDeclination, in.latitude,
                    dial.equivalentLatitude, dial.longitudeDifference, dial.turn);
  }
  dial.cosTurn = std::cos(radians(-dial.turn));
  dial.sinTurn = std::sin(radians(-dial.turn));
  dial.sinLat = std::sin(radians(dial.equivalentLatitude));
  dial.cosLat = std::cos(radians(dial.equivalentLatitude));
  const double L = in.coneAxisMm, sa = std::sin(radians(al));
  const double cotA = 1 / std::tan(radians(al)), cotP = 1 / std::tan(radians(ps));
  dial.b = L / std::sqrt(cotA * cotA - cotP * cotP);
  dial.a = L * sa / 2 * (1 / std::sin(radians(ps + al)) + 1 / std::sin(radians(ps - al)));
  dial.c = L * sa / 2 * (1 / std::sin(radians(ps - al)) - 1 / std::sin(radians(ps + al)));
  dial.apexHeight = L * std::sin(radians(ps));
  const double side = dial.equivalentLatitude < 0 ? -1 : 1;
  dial.axisFoot = turned(dial, 0, side * dial.c);
  dial.underApex = turned(dial, 0, side * (dial.c + L * std::cos(radians(ps))));
  dial.rows = hollanderDatePairs(in.year);

  // Footprint, its major axis and the two marks.
  {
    HollanderLine e;
    e.kind = HollanderLineKind::Ellipse;
    e.pen = 1;
    for (int k = 0; k <= 126; ++k) {
      const double u = 0.05 * k;
      e.points.push_back(turned(dial, dial.b * std::cos(u), dial.a * std::sin(u)));
    }
    e.points.push_back(e.points.front());
    dial.lines.push_back(e);
    HollanderLine axis;
    axis.kind = HollanderLineKind::MajorAxis;
    axis.pen = 1;
    axis.points = {turned(dial, 0, -dial.a), turned(dial, 0, dial.a)};
    dial.lines.push_back(axis);
  }

  // Hour curves.
  const double shift = dial.longitudeDifference / 15 + (in.zoneTime ? (in.longitude - in.zoneMeridian) / 15 : 0);
  const int a = std::clamp(in.subdivisions, 1, 4);
  const int rowsInUse = std::min<int>(185, static_cast<int>(dial.rows.size()));
  for (int hour = in.hoursFrom; hour <= in.hoursTo; ++hour) {
    for (int k = 0; k <= a; ++k) {
      const double t = hour + static_cast<double>(k) / a;
      if (t > in.hoursTo + 0.01 || (k == a && hour + 1 <= in.hoursTo)) continue;
      const double tc = t - shift;
      HollanderLine line;
      line.kind = k == 0 || k == a ? HollanderLineKind::HourLine : HollanderLineKind::PartHour;
      line.pen = line.kind == HollanderLineKind::HourLine ? 3 : 2;
      line.extraWidth = line.kind == HollanderLineKind::HourLine ? 1 : 0;
      line.hour = t;
      HollanderPoint last{};
      bool lastOk = false;
      for (int row = 2; row <= rowsInUse; ++row) {
        double x, y;
        const bool ok = hollanderShadowPoint(dial, row, tc, x, y) && hypot2(x, y) < in.limitMm;
        if (ok) {
          if (!lastOk && !line.points.empty()) {
            dial.lines.push_back(line);
            line.points.clear();
          }
          line.points.push_back({x, y});
          last = {x, y};
        }
        lastOk = ok;
      }
      if (line.points.size() >= 2) dial.lines.push_back(line);
      const int whole = static_cast<int>(std::lround(t));
      if (std::fabs(t - whole) < 1e-9 && whole % 2 == 0 && !(last.x == 0 && last.y == 0) &&
          outsideEllipse(dial, last, 1.1)) {
        HollanderLabel l;
        l.x = last.x;
        l.y = last.y;
        l.radialHeights = 1.5;
        l.text = std::to_string(whole);
        l.pen = 4;
        dial.labels.push_back(l);
      }
    }
  }

  // Date lines: the zodiac dates, then the calendar days of the choice.
  const auto dateLine = [&](int row, HollanderLineKind kind) {
    if (row < 1) return;
    const HollanderDatePair& r = dial.rows[static_cast<std::size_t>(row - 1)];
    const double cosH0 = -std::tan(radians(dial.equivalentLatitude)) * std::tan(radians(r.meanDeclination));
    const double H0 = cosH0 <= -1 ? 180 : cosH0 >= 1 ? 0 : degrees(std::acos(cosH0));
    HollanderLine line;
    line.kind = kind;
    line.pen = kind == HollanderLineKind::ZodiacDate ? 6 : 7;
    line.extraWidth = kind == HollanderLineKind::ZodiacDate ? 1 : 0;
    line.row = row;
    const int steps = static_cast<int>(std::floor(2 * H0 / 15 / 0.01));
    // The mean time runs in steps of 0.01 h: both hour angles turn by
    // 0.15 degrees a step, kept as cosines and sines by the addition theorem.
    double e1, e2;
    rowEots(dial, r, e1, e2);
    const double start = -H0 + 15 * 0.01;  // t = 12 - H0 / 15 + 0.01 of the plane
    double c1 = std::cos(radians(start + e1)), s1 = std::sin(radians(start + e1));
    double c2 = std::cos(radians(start + e2)), s2 = std::sin(radians(start + e2));
    const double cd = std::cos(radians(0.15)), sd = std::sin(radians(0.15));
    bool lastOk = false;
    for (int i = 0; i <= steps; ++i) {
      if (i > 0) {
        const double n1 = c1 * cd - s1 * sd, n2 = c2 * cd - s2 * sd;
        s1 = s1 * cd + c1 * sd;
        s2 = s2 * cd + c2 * sd;
        c1 = n1;
        c2 = n2;
      }
      double x, y;
      const bool ok = hourPoint(dial, r, c1, s1, c2, s2, x, y) && hypot2(x, y) < in.limitMm &&
                      outsideEllipse(dial, {x, y}, 1.05);
      if (ok) {
        if (!lastOk && line.points.size() >= 2) {
          dial.lines.push_back(line);
        }
        if (!lastOk) line.points.clear();
        line.points.push_back({x, y});
      }
      lastOk = ok;
    }
    if (line.points.size() >= 2) dial.lines.push_back(line);
  };
  std::vector<int> zodiacRows;
  for (int k = 0; k < 12; ++k) {
    const double target =
        degrees(std::asin(std::sin(radians(in.obliquity)) * std::sin(radians(90.0 + 30.0 * k))));
    const int row = rowOfDeclination(dial, target);
    if (std::find(zodiacRows.begin(), zodiacRows.end(), row) != zodiacRows.end()) continue;
    zodiacRows.push_back(row);
    dateLine(row, HollanderLineKind::ZodiacDate);
    const HollanderDatePair& r = dial.rows[static_cast<std::size_t>(row - 1)];
    {
      double x, y;
      if (hollanderShadowPoint(dial, row, 12 - shift, x, y) && hypot2(x, y) < in.limitMm) {
        HollanderDateLabel l;
        l.x = x;
        l.y = y;
        l.distance = hypot2(x, y);
        l.text = dateLabel(r.day, in.year, lang) + " / " + dateLabel(r.partner, in.year, lang);
        dial.dateLabels.push_back(l);
      }
    }
    dial.declinationListing += hollanderText(HollanderText::Day, lang) + fixedText(row, 3, 0) +
                               hollanderText(HollanderText::Open, lang) + dateLabel(r.day, in.year, lang) +
                               hollanderText(HollanderText::HasDeclination, lang) +
                               fixedText(r.declination, 7, 3) + "\r\n";
  }
  if (in.dateLineMode > 0) {
    for (int month = 7; month <= 12; ++month) {
      for (int dayOfMonth : in.dateLineMode == 1 ? std::vector<int>{6} : std::vector<int>{1, 11}) {
        dateLine(rowOfDay(dial, dayOfYear(in.year, month, dayOfMonth)), HollanderLineKind::CalendarDate);
      }
    }
  }

  // Texts.
  const std::string plane = hollanderText(v == 0   ? HollanderText::PlaneHorizontal
                                          : v == 1 ? HollanderText::PlaneVertical
                                                   : HollanderText::PlaneInclined,
                                          lang);
  dial.dataLine = hollanderText(HollanderText::Latitude, lang) + fixedText(in.latitude, 7, 2) +
                  hollanderText(HollanderText::Longitude, lang) + fixedText(in.longitude, 7, 2) + ", " +
                  plane + ", " +
                  hollanderText(in.zoneTime ? HollanderText::ZoneMeanTime : HollanderText::LocalMeanTime, lang);
  dial.coneLine = hollanderText(HollanderText::AxisLength, lang) + fixedText(L, 6, 1) + " mm, " +
                  hollanderText(HollanderText::AxisInclination, lang) + fixedText(ps, 6, 2) + ", " +
                  hollanderText(HollanderText::HalfAngle, lang) + fixedText(al, 5, 2);
  return dial;
}

}  // namespace tavrel
