// The geometry of the azimuthal dial, computed once for every target.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "astro/calendar.h"
#include "astro/daily_ephemeris.h"
#include "astro/horizontal_coordinates.h"
#include "astro/rise_set.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_systems.h"
#include "base/angles.h"
#include "base/day_month.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "dials/azimuthal/azimuthal_texts.h"

namespace tavrel {

namespace {


AzPoint shadowPoint(double r, double azimuth) {
  return {-r * std::sin(azimuth * kRadPerDeg), -r * std::cos(azimuth * kRadPerDeg)};
}

bool nearWhole(double t, double tol) { return std::fabs(t - std::round(t)) <= tol; }

// The hour values of a family: e = parts values per hour, t = h + j / e,
// as long as t < last + 0.1.
std::vector<double> hourValues(int first, int last, int parts, bool skipEnds) {
  std::vector<double> v;
  parts = std::max(1, parts);
  for (int h = first; h < last + 0.1; ++h) {
    for (int j = 0; j < parts; ++j) {
      const double t = h + static_cast<double>(j) / parts;
      if (t >= last + 0.1) break;
      if (skipEnds && (t == 0 || t == 12)) continue;
      v.push_back(t);
    }
  }
  return v;
}

struct SampleDate {
  int month = 1, day = 1;
};

struct Sun {
  double altitude = 0, azimuth = 0, declination = 0;
};

// A line family of hours and how to find the sun at its hours.
struct HourFamily {
  AzimuthLineKind kind;
  std::vector<double> hours;
  int fullPen, partPen, plotFull;
  bool labelled;
  std::function<Sun(double t, int doy)> sun;
};

// Builds the drawn pieces of a sampled curve: a segment is drawn when
// both of its ends are valid; with a skyline, the pen changes where the
// curve passes below or above it.
class PieceBuilder {
 public:
  PieceBuilder(std::vector<AzimuthLine>& out, AzimuthLine proto, const SkyOutline* horizon)
      : out_(out), proto_(std::move(proto)), horizon_(horizon) {}

  void add(const AzPoint& p, bool valid, double altitude, double azimuth) {
    const bool hidden = horizon_ && valid && altitude < skylineElevation(*horizon_, azimuth);
    if (!valid) {
      open_ = false;
      havePrev_ = false;
      return;
    }
    if (havePrev_) {
      if (!open_ || hidden != hiddenNow_) {
        AzimuthLine l = proto_;
        if (hidden) {
          l.hidden = true;
          l.screenPen = 11;
          l.plotPen = 11;
        }
        l.points.push_back(prev_);
        out_.push_back(std::move(l));
        open_ = true;
        hiddenNow_ = hidden;
      }
      out_.back().points.push_back(p);
    }
    prev_ = p;
    havePrev_ = true;
  }

 private:
  std::vector<AzimuthLine>& out_;
  AzimuthLine proto_;
  const SkyOutline* horizon_;
  AzPoint prev_;
  bool havePrev_ = false, open_ = false, hiddenNow_ = false;
};

class Builder {
 public:
  Builder(const DesignState& d, const AzimuthalInput& in)
      : in_(in), d_(d), sinLat_(std::sin(d_.latitude * kRadPerDeg)), cosLat_(std::cos(d_.latitude * kRadPerDeg)) {}

  AzimuthalDial build() {
    out_.mode = in_.mode;
    out_.latitude = d_.latitude;
    out_.plateRadius = in_.plateRadius;
    texts();
    if (in_.mode == 0) {
      if (std::fabs(d_.latitude) > 66 && d_.temporalHourLines) {
        out_.refused = true;
        return out_;
      }
      out_.lowLatitude = std::fabs(d_.latitude) < 24;
      dateScale();
      dateCircles();
      dateCross();
      compassRingDate();
      hourLines();
      riseSetCurves();
    } else {
      chart();
      altitudeNet();
      if (d_.integerSunshineLines) sunshineLines();
      dateLines();
      hourLines();
      if (d_.azimuthHeightMode == 2 && d_.drawEcliptic) ecliptic();
    }
    return std::move(out_);
  }

 private:
  const AzimuthalInput& in_;
  const DesignState& d_;
  const double sinLat_, cosLat_;
  AzimuthalDial out_;

  // Altitude and azimuth at hour angle H and declination decl (Meeus eqs.
  // 13.5, 13.6), in double precision for the many points of the hour lines.
  Sun quickSun(double hourAngle, double decl) const {
    const double h = hourAngle * kRadPerDeg, dr = decl * kRadPerDeg, sd = std::sin(dr), cd = std::cos(dr);
    const double sinAlt = std::clamp(sinLat_ * sd + cosLat_ * cd * std::cos(h), -1.0, 1.0);
    const double az = std::atan2(std::sin(h) * cd, std::cos(h) * cd * sinLat_ - sd * cosLat_);
    return {std::asin(sinAlt) / kRadPerDeg, az / kRadPerDeg, decl};
  }

  int year() const { return d_.referenceYear; }
  bool declinationScale() const { return d_.showDateCircles; }
  double eps() const { return d_.obliquityRounded; }

  // ---- texts ---------------------------------------------------------------------
  void texts() {
    const DesignState& d = d_;
    using T = AzimuthalText;
    if (in_.mode == 1 && d.azimuthHeightMode == 2) out_.title = azimuthalText(T::StereographicTitle);
    else if (in_.mode == 1 && d.azimuthHeightMode == 3) out_.title = azimuthalText(T::OrthographicTitle);
    else out_.title = azimuthalText(T::Title);
    const bool dome = in_.mode == 1 && d.azimuthHeightMode == 1;
    if (dome) out_.title += azimuthalText(T::Tonne);
    out_.latitudeLine = azimuthalText(T::LatitudeIs) + fixedText(d.latitude, 5, 2) + azimuthalText(T::Deg) +
                        azimuthalText(T::LongitudeIs) + fixedText(d.longitude, 5, 2) + azimuthalText(T::Deg);
    const bool eot = d.constructionWithEot, zone = d.zoneTime;
    std::string t = azimuthalText(zone ? T::ZoneTime : T::LocalTime) + " " +
                    azimuthalText(eot ? T::WithEot : T::WithoutEot);
    if (in_.mode == 0) {
      if (eot && zone) t += " = " + azimuthalText(T::CivilTime);
      if (!eot && !zone) t += " = " + azimuthalText(T::LocalApparentTime);
    } else {
      if (!eot && !zone) t += azimuthalText(T::Woz);
      T name = eot ? (zone ? T::CivilTime : T::LocalMeanTime) : (zone ? T::ApparentZoneTime : T::ApparentLocalTime);
      t += " = " + azimuthalText(name);
    }
    out_.timeLine = t;
    out_.diameterLine = azimuthalText(T::Diameter) + " = " + fixedText(d.azimuthBasePlate, 5, 1) + azimuthalText(T::Mm);
    if (in_.mode == 1) {
      std::vector<std::string> names;
      if (d.temporalHourLines) names.push_back(azimuthalText(T::TemporalHours));
      if (d.italianHours) names.push_back(azimuthalText(T::ItalianHours));
      if (d.babylonianHours) names.push_back(azimuthalText(T::BabylonianHours));
      if (!names.empty()) {
        out_.extraLine = azimuthalText(T::Additionally);
        for (std::size_t i = 0; i < names.size(); ++i) out_.extraLine += (i ? ", " : "") + names[i];
      }
    }
    out_.note = azimuthalText(dome ? T::DomeNote : T::PointerNote);
    if (in_.mode == 0) {
      const bool zodiac = declinationScale();
      out_.legendFirst = azimuthalText(T::LegendIs) + azimuthalText(zodiac ? T::SignBegin : T::FirstOfMonth);
      out_.legendMiddle = azimuthalText(T::LegendIs) + azimuthalText(zodiac ? T::SignMiddle : T::SixteenthOfMonth);
      const std::string msg = messageText(64);
      const auto cut = msg.find("\n\r");
      out_.refusal1 = msg.substr(0, cut);
      if (cut != std::string::npos) out_.refusal2 = msg.substr(cut + 2);
    }
  }

  // ---- date-circle dial ------------------------------------------------------------
  void dateScale() {
    const double k = in_.dayStep;
    out_.dayStep = k;
    out_.rOut = in_.plateRadius - 45 * k;
    out_.rIn = in_.plateRadius - 410 * k;
    out_.declStep = eps() > 0 ? 365 * k / 2 / eps() : 0;
  }

  double radius(int doy, double decl, bool hourPoint, bool riseSet = false) const {
    return azimuthDateRadius(d_, out_, doy, decl, hourPoint, riseSet);
  }

  // A date circle of radius r for declination decl; the first of a month
  // or of a sign is emphasised (pen 7, one step wider, its complementary
  // arc drawn), the others pen 6.
  void addDateCircle(double r, double decl, bool emphasised) {
    AzimuthCircle c;
    c.r = r;
    c.screenPen = c.plotPen = emphasised ? 7 : 6;
    c.extraWidth = emphasised ? 1 : 0;
    c.complementary = emphasised;
    dayArcOf(decl, c);
    out_.circles.push_back(c);
  }

  // Sunrise and sunset shadow directions of a declination.
  void dayArcOf(double decl, AzimuthCircle& c) const {
    const RiseSetArc arc = riseSetHourAngleFromDeclination(decl, d_.latitude);
    c.dayArc = true;
    if (!arc.notPolarNight || (arc.notPolarDay && arc.hourAngle <= 0)) {
      c.riseAzimuth = c.setAzimuth = 0;  // no daytime arc
      return;
    }
    if (!arc.notPolarDay || arc.hourAngle >= 180) {
      c.dayArc = false;  // the whole circle
      return;
    }
    c.riseAzimuth = horizontalFromHourAngle(-arc.hourAngle, decl, d_.latitude).azimuth;
    c.setAzimuth = horizontalFromHourAngle(arc.hourAngle, decl, d_.latitude).azimuth;
  }

  // The ephemeris of the reference year (astro/daily_ephemeris.h).
  DailyEphemeris ephemeris_{d_.referenceYear};
  void ephemeris(double x, double& decl, double& eot) { ephemeris_.at(x, decl, eot); }

  // The declination of 12:00 local time, held for the day by the old
  // hours, and the half day arc it gives; worked out once per day.
  struct NoonSun {
    double declination = 0, halfDayArc = 90;
    bool known = false;
  };
  std::vector<NoonSun> noon_ = std::vector<NoonSun>(380);
  const NoonSun& noonSun(int doy) {
    NoonSun& n = noon_[static_cast<std::size_t>(std::clamp(doy, 0, static_cast<int>(noon_.size()) - 1))];
    if (!n.known) {
      double eot;
      ephemeris(doy + d_.longitude / 360, n.declination, eot);
      n.halfDayArc = halfDayArcDegrees(d_.latitude, n.declination);
      n.known = true;
    }
    return n;
  }
  double noonDeclination(int doy) { return noonSun(doy).declination; }

  void dateCircles() {
    if (!declinationScale()) {
      const int lastDay = dayOfYear(year(), 12, 31);
      for (int m = 1; m <= 13; ++m) {
        for (int day : {1, 16}) {
          if (m == 13 && day == 16) continue;
          const int doy = m == 13 ? lastDay : dayOfYear(year(), m, day);
          const double decl = noonDeclination(doy);
          addDateCircle(radius(doy, decl, false), decl, day == 1);
        }
      }
      return;
    }
    out_.zodiacSymbols = true;
    for (int i = 0; i <= 36; i += 2) {
      const double decl = d_.declinationByLongitude[static_cast<std::size_t>(i)];
      const double lambda = 90 + 5.0 * i;
      const bool signStart = i % 6 == 0;
      const double r = radius(0, decl, false);
      addDateCircle(r, decl, signStart);
      if (!signStart) continue;
      // The signs entered on this circle: after the summer solstice
      // (longitude lambda) and before it (180 - lambda).
      const double h = labelHeight();
      const int after = static_cast<int>(std::lround(lambda / 30)) % 12;
      const int before = static_cast<int>(std::lround(std::fmod(540 - lambda, 360) / 30)) % 12;
      const double s = r / std::sqrt(2.0);
      addLabel(AzimuthLabelRole::Zodiac, -s - 0.7 * h, s, "", 4, 1, after);
      if (before != after) addLabel(AzimuthLabelRole::Zodiac, s + 0.7 * h, s, "", 4, 1, before);
      const double shown = d_.januaryOutside ? -decl : decl;
      addLabel(AzimuthLabelRole::Declination, 2.2 * h, -r + 0.6 * h, fixedText(shown, 1, 1), 4, 1);
    }
  }

  double labelHeight() const { return in_.mode == 0 ? std::max(1e-9, 12 * out_.dayStep) : in_.textHeight * 0.6; }

  void addLabel(AzimuthLabelRole role, double x, double y, std::string text, int pen, int plotPen,
                int sign = -1, double value = 0) {
    AzimuthLabel l;
    l.role = role;
    l.x = x;
    l.y = y;
    l.text = std::move(text);
    l.screenPen = pen;
    l.plotPen = plotPen;
    l.zodiacSign = sign;
    l.value = value;
    out_.labels.push_back(std::move(l));
  }

  void segment(AzimuthLineKind kind, AzPoint a, AzPoint b, int pen, int plotPen) {
    AzimuthLine l;
    l.kind = kind;
    l.screenPen = pen;
    l.plotPen = plotPen;
    l.points = {a, b};
    out_.lines.push_back(std::move(l));
  }

  void cross(double arm, int pen, int plotPen) {
    segment(AzimuthLineKind::Frame, {-arm, 0}, {arm, 0}, pen, plotPen);
    segment(AzimuthLineKind::Frame, {0, -arm}, {0, arm}, pen, plotPen);
  }

  void dateCross() {
    cross(out_.rOut, declinationScale() ? 8 : 1, 1);
    if (!declinationScale()) {
      const double h = labelHeight();
      for (int m = 2; m <= 12; m += 2) {
        const int doy = dayOfYear(year(), m, 1);
        const double r = radius(doy, 0, false);
        const std::string t = "1/" + std::to_string(m);
        addLabel(AzimuthLabelRole::MonthStart, r, 0.7 * h, t, 4, 1);
        addLabel(AzimuthLabelRole::MonthStart, 1.6 * h, r, t, 4, 1);
      }
    }
    cross(out_.rIn / 4, 4, 1);
  }

  void compassNames(double r) {
    const double h = labelHeight();
    const auto name = [](int row) { return stripAccelerators(tableText(TextTable::Texts, row)).substr(1); };
    const std::string west = name(449), east = name(448);
    addLabel(AzimuthLabelRole::Compass, r + 0.8 * h * (west.size() * 0.5 + 1), 0, west, 4, 1);
    addLabel(AzimuthLabelRole::Compass, -r - 0.8 * h * (east.size() * 0.5 + 1), 0, east, 4, 1);
    if (d_.latitude >= 0) addLabel(AzimuthLabelRole::Compass, 0, r + 1.6 * h, name(447), 4, 1);
    else addLabel(AzimuthLabelRole::Compass, 0, -r - 1.6 * h, "N" + name(446), 4, 1);
  }

  void compassRingDate() {
    const double R = in_.plateRadius, span = out_.rOut - out_.rIn;
    for (int deg = 0; deg < 360; ++deg) {
      const double len = span * (deg % 15 == 0 ? 45 : deg % 5 == 0 ? 30 : 15) / 360;
      segment(AzimuthLineKind::Frame, shadowPoint(R, deg), shadowPoint(R - len, deg), 4, 1);
    }
    AzimuthCircle plate;
    plate.r = R;
    out_.circles.push_back(plate);
    compassNames(R + 2 * labelHeight());
  }

  void riseSetCurves() {
    const int lastDay = dayOfYear(year(), 12, 31);
    for (bool rise : {true, false}) {
      AzimuthLine proto;
      proto.kind = AzimuthLineKind::RiseSet;
      proto.screenPen = 5;
      proto.plotPen = 5;
      PieceBuilder pieces(out_.lines, proto, nullptr);
      for (int m = 1; m <= 13; ++m) {
        for (int day : {1, 6, 11, 16, 21, 26}) {
          if (m == 13 && day > 1) break;
          const int doy = m == 13 ? lastDay + 1 : dayOfYear(year(), m, day);
          const ApparentRiseSet rs = sunriseSunsetApparent(year(), doy, d_.latitude, d_.longitude);
          const bool polar = rs.rise <= 0 || rs.rise >= 12;
          const double az = rise ? rs.azimuthRise : rs.azimuthSet;
          const double r = radius(doy, rs.declination, false, true);
          pieces.add(shadowPoint(r, az), !polar, 1, az);
        }
      }
    }
  }

  // ---- hour lines (both designs) ---------------------------------------------------
  double clockMeridian() const { return d_.zoneTime ? d_.zoneMeridian : d_.longitude; }

  std::vector<HourFamily> families() {
    std::vector<HourFamily> f;
    const bool m1 = in_.mode == 1;
    const double lon = d_.longitude, ref = clockMeridian();
    const bool eot = d_.constructionWithEot;
    // Clock hours: the sun at zone time t (sunAtZoneTime,
    // astro/horizontal_coordinates.h) from the interpolated ephemeris.
    f.push_back({AzimuthLineKind::Clock,
                 hourValues(d_.otherHoursFrom, d_.otherHoursTo, d_.otherHourInterval - '0' + 1, false), 2, 3, 2,
                 true, [=, this](double t, int doy) {
                   double decl, e;
                   ephemeris(doy + (t + ref / 15 - 12) / 24, decl, e);
                   return quickSun(15 * (t - 12) - (lon - ref) + (eot ? e : 0), decl);
                 }});
    // The old hours at the place's apparent time (astro/time_systems.h).
    if (d_.temporalHourLines) {
      f.push_back({AzimuthLineKind::Temporal,
                   hourValues(d_.otherTemporalFrom, d_.otherTemporalTo, d_.temporalIntervalOther + 1, true), 8,
                   m1 ? 9 : 3, 8, true, [this](double t, int doy) {
                     const NoonSun& n = noonSun(doy);
                     return quickSun(temporalHourAngleOnArc(t, n.halfDayArc), n.declination);
                   }});
    }
    for (bool babylonian : {true, false}) {
      if (babylonian ? !d_.babylonianHours : !d_.italianHours) continue;
      const int from = babylonian ? d_.babylonianFrom : d_.italianFrom;
      const int to = babylonian ? d_.babylonianTo : d_.italianTo;
      const int parts = (babylonian ? d_.babylonianInterval : d_.italianInterval) + 1;
      f.push_back({babylonian ? AzimuthLineKind::Babylonian : AzimuthLineKind::Italian,
                   hourValues(from, to, parts, false), babylonian ? (m1 ? 1 : 4) : 10, m1 ? (babylonian ? 5 : 9) : 3,
                   babylonian ? 4 : 10, false, [this, babylonian](double t, int doy) {
                     const NoonSun& n = noonSun(doy);
                     return quickSun(italianBabylonianHourAngleOnArc(babylonian, t, n.halfDayArc), n.declination);
                   }});
    }
    return f;
  }

  // The dates of an hour line, in drawing order.
  std::vector<SampleDate> hourDates(AzimuthLineKind kind) const {
    std::vector<SampleDate> dates;
    const bool m1 = in_.mode == 1;
    const bool eotClock = kind == AzimuthLineKind::Clock && d_.constructionWithEot;
    const bool halfYear = m1 ? !eotClock : (declinationScale() && !d_.constructionWithEot);
    for (int m = 1; m <= 12; ++m) {
      for (int day = 1; day <= (m1 ? 29 : 28); day += m1 ? 2 : 3) {
        if (halfYear && !((m == 6 && day > 20) || (m > 6 && m < 12) || (m == 12 && day < 23))) continue;
        dates.push_back({m, day});
      }
    }
    if (m1) {
      if (eotClock) dates.push_back({1, 1});
      return dates;
    }
    if (!declinationScale()) dates.push_back({12, 31});
    if (d_.januaryOutside) std::reverse(dates.begin(), dates.end());
    return dates;
  }

  void hourLines() {
    const bool m1 = in_.mode == 1;
    const double h = labelHeight();
    for (const HourFamily& fam : families()) {
      const std::vector<SampleDate> dates = hourDates(fam.kind);
      for (double t : fam.hours) {
        const bool full = nearWhole(t, 0.1);
        AzimuthLine proto;
        proto.kind = fam.kind;
        proto.value = t;
        proto.screenPen = full ? fam.fullPen : fam.partPen;
        proto.plotPen = full ? fam.plotFull : 3;
        proto.extraWidth = full ? 1 : 0;
        PieceBuilder pieces(out_.lines, proto, m1 ? in_.horizon : nullptr);
        for (const SampleDate& sd : dates) {
          const int doy = dayOfYear(year(), sd.month, sd.day);
          const Sun s = fam.sun(t, doy);
          if (m1) {
            const auto [x, y] = polarChartPoint(out_.chart, s.altitude, s.azimuth);
            pieces.add({x, y}, s.altitude > 0, s.altitude, s.azimuth);
          } else {
            const double r = radius(doy, s.declination, true);
            pieces.add(shadowPoint(r, s.azimuth), s.altitude > 0 && s.altitude < 89, s.altitude, s.azimuth);
          }
        }
        if (!fam.labelled || !nearWhole(t, 0.05)) continue;
        const std::string number = std::to_string(static_cast<int>(std::lround(t)));
        if (m1) {
          const bool south = d_.latitude < 0;
          const Sun s = fam.sun(t, dayOfYear(year(), south ? 12 : 6, 21));
          if (s.altitude <= 0) continue;
          const auto [x, y] = polarChartPoint(out_.chart, s.altitude, s.azimuth);
          const double len = std::hypot(x, y);
          const double f = len > in_.textHeight ? (len - in_.textHeight) / len : 0;
          const double lift = std::fabs(d_.latitude) <= 25 ? 1.2 * in_.textHeight : 0;
          addLabel(AzimuthLabelRole::HourNumber, x * f, y * f + lift, number, 4, 1, -1, t);
          continue;
        }
        SampleDate ref{1, 1};
        if (declinationScale()) ref = d_.januaryOutside ? SampleDate{6, 21} : SampleDate{12, 21};
        const Sun s = fam.sun(t, dayOfYear(year(), ref.month, ref.day));
        const bool allHours = declinationScale() && d_.januaryOutside;
        if (s.altitude > 0 && (allHours || std::fabs(12 - t) <= 5)) {
          const AzPoint p = shadowPoint(in_.plateRadius + 1.2 * h, s.azimuth);
          addLabel(AzimuthLabelRole::HourNumber, p.x, p.y, number, 4, 1, -1, t);
        }
        if (std::fabs(std::fabs(12 - t) - 6) < 0.1) {
          const double side = shadowPoint(1, s.azimuth).x >= 0 ? 1 : -1;
          addLabel(AzimuthLabelRole::HourNumber, side * (in_.plateRadius + 1.2 * h), -1.2 * h, number, 4, 1, -1, t);
        }
      }
    }
  }

  // ---- altitude-circle dial --------------------------------------------------------
  void chart() {
    const int spacing = std::clamp<int>(d_.azimuthHeightMode, 0, 3);
    PolarChart& c = out_.chart;
    c.cx = c.cy = 0;
    c.ySign = -1;
    c.spacing = static_cast<AltitudeSpacing>(spacing);
    c.r0 = spacing == 1 ? in_.plateRadius : std::max(1e-6, in_.plateRadius - 2 * in_.textHeight);
    c.domeV = in_.domeV > 0 ? in_.domeV : c.r0;
  }

  AzPoint sky(double altitude, double azimuth) const {
    const auto [x, y] = polarChartPoint(out_.chart, altitude, azimuth);
    return {x, y};
  }

  void altitudeNet() {
    const double r0 = out_.chart.r0, h = labelHeight();
    cross(r0, 4, 1);
    for (int a = 0; a <= 80; a += 10) {
      AzimuthCircle c;
      c.r = altitudeRadius(out_.chart, a);
      c.screenPen = 9;
      c.plotPen = 9;
      out_.circles.push_back(c);
      if (a >= 20 && a % 20 == 0) addLabel(AzimuthLabelRole::AltitudeNumber, 0.8 * h, c.r - 0.6 * h, fixedText(a, 2, 0), 4, 1);
    }
    for (int az = -180; az < 180; az += 10) {
      const double top = (az % 30 == 0) ? 80 : 70;
      AzimuthLine l;
      l.kind = AzimuthLineKind::Spoke;
      l.screenPen = 9;
      l.plotPen = 4;
      l.points = {sky(0, az), sky(top, az)};
      out_.lines.push_back(std::move(l));
    }
    if (out_.chart.spacing == AltitudeSpacing::Stereographic) {
      const double rp = r0 * std::tan((45 - std::fabs(d_.latitude) / 2) * kRadPerDeg);
      const double y = d_.latitude >= 0 ? rp : -rp, m = 0.3 * h;
      segment(AzimuthLineKind::Frame, {-m, y}, {m, y}, 4, 1);
      segment(AzimuthLineKind::Frame, {0, y - m}, {0, y + m}, 4, 1);
      addLabel(AzimuthLabelRole::Pole, 1.2 * h, y, "P", 4, 1);
    }
    for (int az = -180; az < 180; ++az) {
      const double len = r0 * (az % 30 == 0 ? 0.04 : az % 10 == 0 ? 0.03 : az % 5 == 0 ? 0.02 : 0.01);
      segment(AzimuthLineKind::Frame, shadowPoint(r0, az), shadowPoint(r0 + len, az), 4, 1);
      if (az % 30 == 0) {
        const AzPoint p = shadowPoint(r0 + 0.04 * r0 + 1.2 * h, az);
        addLabel(AzimuthLabelRole::AzimuthNumber, p.x, p.y, std::to_string(az), 4, 1);
      }
    }
    compassNames(r0 + 0.04 * r0 + 3 * h);
    if (in_.horizon && !in_.horizon->empty()) {
      AzimuthLine l;
      l.kind = AzimuthLineKind::Horizon;
      l.screenPen = 4;
      l.plotPen = 4;
      for (const auto& [az, el] : *in_.horizon) l.points.push_back(sky(std::max(0.0, el), az));
      out_.lines.push_back(std::move(l));
    }
  }

  // One daily path of declination decl, mean time 1 h .. 23 h.
  void sunPath(double decl, AzimuthLine proto, bool withHorizon) {
    PieceBuilder pieces(out_.lines, std::move(proto), withHorizon ? in_.horizon : nullptr);
    double t = 1;
    while (t <= 23 + 1e-9) {
      const Sun p = quickSun(15 * (t - 12), decl);
      const auto [x, y] = polarChartPoint(out_.chart, p.altitude, p.azimuth);
      pieces.add({x, y}, p.altitude > 0 && p.altitude < 89.9, p.altitude, p.azimuth);
      t += p.altitude >= 1.5 ? 0.1 : 0.025;
    }
  }

  void dateLines() {
    const int n = d_.dateLinesPerMonth;
    const int step = n >= 4 ? 18 : 6 / std::clamp(n, 1, 3);
    for (int i = 0; i <= 36; i += step) {
      const bool signStart = i % 6 == 0;
      AzimuthLine proto;
      proto.kind = AzimuthLineKind::DateLine;
      proto.value = d_.declinationByLongitude[static_cast<std::size_t>(i)];
      proto.screenPen = signStart ? 6 : 7;
      proto.plotPen = signStart ? 6 : 7;
      proto.extraWidth = signStart ? 1 : 0;
      sunPath(proto.value, proto, true);
    }
  }

  void sunshineLines() {
    for (double decl : wholeHourDayDeclinations(d_.latitude, eps())) {
      for (double sign : {1.0, -1.0}) {
        if (decl == 0 && sign < 0) continue;
        AzimuthLine proto;
        proto.kind = AzimuthLineKind::Sunshine;
        proto.value = sign * decl;
        proto.screenPen = 11;
        proto.plotPen = 11;
        sunPath(proto.value, proto, false);
      }
    }
  }

  // The ecliptic with the solstice points on the meridian (sidereal time
  // 6 h and 18 h): ecliptic longitude l gives right ascension and
  // declination (Meeus eq. 13.3, 13.4), then its place in the sky.
  void ecliptic() {
    out_.zodiacSymbols = true;
    const double e = eps() * kRadPerDeg, r0 = out_.chart.r0, h = labelHeight();
    for (double lst : {90.0, 270.0}) {
      const auto at = [&](double l) {
        const double ra = std::atan2(std::sin(l * kRadPerDeg) * std::cos(e), std::cos(l * kRadPerDeg)) / kRadPerDeg;
        const double dec = std::asin(std::sin(e) * std::sin(l * kRadPerDeg)) / kRadPerDeg;
        return quickSun(lst - ra, dec);
      };
      AzimuthLine proto;
      proto.kind = AzimuthLineKind::Ecliptic;
      proto.screenPen = 5;
      proto.plotPen = 5;
      PieceBuilder pieces(out_.lines, proto, nullptr);
      for (int l = 0; l <= 360; ++l) {
        const Sun p = at(l);
        pieces.add(sky(p.altitude, p.azimuth), p.altitude >= 0, p.altitude, p.azimuth);
      }
      for (int l = 0; l < 360; ++l) {
        const Sun p = at(l), a = at(l - 0.5), b = at(l + 0.5);
        if (p.altitude < 0 || a.altitude < 0 || b.altitude < 0) continue;
        const AzPoint c = sky(p.altitude, p.azimuth), pa = sky(a.altitude, a.azimuth), pb = sky(b.altitude, b.azimuth);
        const double dx = pb.x - pa.x, dy = pb.y - pa.y, n = std::hypot(dx, dy);
        if (n <= 0) continue;
        const double len = r0 * (l % 30 == 0 ? 0.03 : l % 10 == 0 ? 0.02 : l % 5 == 0 ? 0.015 : 0.008);
        const double ux = -dy / n, uy = dx / n;
        segment(AzimuthLineKind::Ecliptic, c, {c.x + ux * len, c.y + uy * len}, 5, 5);
        if (l % 30 == 15) addLabel(AzimuthLabelRole::Zodiac, c.x + ux * (0.03 * r0 + h), c.y + uy * (0.03 * r0 + h), "", 5, 5, l / 30);
      }
    }
  }
};

}  // namespace

double skylineElevation(const SkyOutline& o, double azimuth) {
  if (o.empty()) return 0;
  double a = std::fmod(azimuth + 180, 360);
  if (a < 0) a += 360;
  a -= 180;
  const auto it = std::lower_bound(o.begin(), o.end(), a,
                                   [](const std::pair<double, double>& p, double v) { return p.first < v; });
  if (it == o.begin()) return it->second;
  if (it == o.end()) return o.back().second;
  const auto& [a1, e1] = *(it - 1);
  const auto& [a2, e2] = *it;
  return a2 > a1 ? e1 + (e2 - e1) * (a - a1) / (a2 - a1) : e2;
}

double azimuthDateRadius(const DesignState& d, const AzimuthalDial& dial, int doy, double decl, bool hourPoint,
                         bool riseSet) {
  const double k = dial.dayStep;
  if (d.showDateCircles) {
    const double e = d.obliquityRounded;
    return dial.rIn + (d.januaryOutside ? e + decl : e - decl) * dial.declStep;
  }
  if (d.januaryOutside) {
    if (hourPoint) return dial.rIn + (dayOfYear(d.referenceYear, 12, 31) - doy) * k;
    return dial.rOut - (doy - 1) * k;
  }
  if (hourPoint) return dial.rIn + doy * k;
  if (riseSet) return dial.rIn + (doy - 1) * k;
  return dial.rOut - (365 - doy) * k;
}

std::vector<double> wholeHourDayDeclinations(double latitude, double limit) {
  std::vector<double> v;
  const double tp = std::tan(latitude * kRadPerDeg);
  if (std::fabs(tp) < 1e-12) return v;
  for (int hours = 12; hours <= 23; ++hours) {
    const double h0 = 7.5 * hours;  // half the day arc, degrees
    const double decl = std::atan(-std::cos(h0 * kRadPerDeg) / tp) / kRadPerDeg;
    if (std::fabs(decl) <= limit) v.push_back(std::fabs(decl));
  }
  return v;
}

AzimuthalDial computeAzimuthalDial(const DesignState& d, const AzimuthalInput& input) {
  return Builder(d, input).build();
}

}  // namespace tavrel
