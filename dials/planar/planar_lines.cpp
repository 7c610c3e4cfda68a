#include "dials/planar/planar_lines.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/rise_set.h"
#include "core/design_state.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "dials/planar/planar_texts.h"

namespace tavrel {

namespace {

double sinDeg(double x) { return std::sin(x * kDegToRadDouble); }
double cosDeg(double x) { return std::cos(x * kDegToRadDouble); }
double atanDeg(double x) { return std::atan(x) / kDegToRadDouble; }

// The half day arc of declination d at latitude p, degrees: arccos of
// -tan p tan d with the cosine of the declination kept away from 0;
// 90 when the product is below 1e-12; 0 or 180 beyond the polar limits.
double halfDayArc(double latitude, double declination) {
  double cd = cosDeg(declination);
  if (std::fabs(cd) < 1e-12) cd = (signOf(cd) + 0.5) * 1e-12;
  const double x = -tanDeg(latitude) * sinDeg(declination) / cd;
  if (std::fabs(x) < 1e-12) return 90;
  if (x >= 1) return 0;
  if (x <= -1) return 180;
  return std::acos(x) / kDegToRadDouble;
}

// Tags of the cached routines.
constexpr double kTagHorizontal = 1;  // horizontalFromHourAngle(H, decl, lat)
constexpr double kTagZoneTime = 2;    // sunAtZoneTime
constexpr double kTagNoonDay = 3;     // noonEphemerisOfDay
constexpr double kTagOfDay = 4;       // sunOfDay with apparent = false
constexpr double kTagNoonTime = 5;    // sunAtZoneTimeNoonEphemeris, apparent = false

SunPosition fromHorizontal(const HorizontalPosition& h) { return {h.altitude, h.azimuth, 0, 0}; }

class LineBuilder {
 public:
  LineBuilder(const DesignState& d, const PlanarLineInput& in)
      : in_(in),
        d_(d),
        plane_(in.plane),
        projector_(in.plane, in.gnomonMm, in.frame),
        frame_(in.frame),
        L_(in.gnomonMm),
        year_(d_.referenceYear),
        cache_(in.sunCache) {}

  PlanarLines run() {
    out_.style = dialStyleFoot(plane_, L_);
    if (d_.integerSunshineLines) dayLengthLines();
    dateLines();
    hourLines();
    hourNumberAnchors();
    if (d_.temporalHourLines) temporalLines();
    if (d_.babylonianHours || d_.italianHours) babylonianItalianLines();
    if (d_.sunAltitudeLines) altitudeLines();
    return std::move(out_);
  }

 private:
  template <typename Compute>
  SunPosition memo(const PlanarSunCache::Key& key, Compute compute) {
    return cache_ ? cache_->get(key, compute) : compute();
  }
  HorizontalPosition skyAt(const SkyAtDeclination& sky, double H, double declination, double latitude) {
    const SunPosition s =
        memo({kTagHorizontal, H, declination, latitude}, [&] { return fromHorizontal(sky.at(H)); });
    return {s.altitude, s.azimuth};
  }
  HorizontalPosition horizontal(double H, double declination, double latitude) {
    const SunPosition s = memo({kTagHorizontal, H, declination, latitude},
                               [&] { return fromHorizontal(horizontalFromHourAngle(H, declination, latitude)); });
    return {s.altitude, s.azimuth};
  }
  SunPosition zoneTimeSun(int day, double t, double latitude, double longitude, bool apparent) {
    return memo({kTagZoneTime, double(year_), double(day), t, latitude, longitude, d_.zoneMeridian,
                 apparent ? 1.0 : 0.0},
                [&] { return sunAtZoneTime(year_, day, t, latitude, longitude, d_.zoneMeridian, apparent); });
  }
  DayEphemeris noonOfDay(int day) {
    const SunPosition s = memo({kTagNoonDay, double(year_), double(day), d_.zoneMeridian}, [&] {
      const DayEphemeris e = noonEphemerisOfDay(year_, day, d_.zoneMeridian);
      return SunPosition{0, 0, e.declination, e.eot};
    });
    return {s.declination, s.eot};
  }
  SunPosition ofDay(const DayEphemeris& e, const SkyAtDeclination& sky, double t, double longitude,
                    double latitude) {
    return memo({kTagOfDay, e.declination, e.eot, t, longitude, d_.zoneMeridian, latitude},
                [&] { return sunOfDay(e, sky, t, longitude, d_.zoneMeridian, false); });
  }

  PlanarLine& newLine(PlanarLineKind kind, int pen, double value, bool subdivision = false) {
    PlanarLine line;
    line.kind = kind;
    line.pen = pen;
    line.value = value;
    line.subdivision = subdivision;
    out_.lines.push_back(std::move(line));
    return out_.lines.back();
  }

  // A whole day, t = 0, 0.25, .., 24 hours: sunAt(t) gives the sun; the
  // first point is mirrored through P when the sun is behind the plane.
  template <typename SunAt>
  void dayLine(PlanarLine& line, SunAt sunAt) {
    ShadowTracer tracer(frame_, line.path);
    for (int k = 0; k <= 96; ++k) {
      const double t = k * 0.25;
      const HorizontalPosition sun = sunAt(t);
      const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
      tracer.setParam(t);
      if (k == 0)
        tracer.startMirrored(p, !p.facing && !plane_.umbrella);
      else
        tracer.next(p);
    }
  }

  // A day of constant declination: hour angle 15 t - 180.
  void constantDeclinationLine(PlanarLine& line, double declination) {
    const SkyAtDeclination sky(declination, plane_.phi);
    dayLine(line, [&](double t) { return skyAt(sky, 15 * t - 180, declination, plane_.phi); });
  }

  void dayLengthLines() {
    const std::vector<double> decl = dayLengthDeclinations(d_.latitude, d_.obliquityRounded);
    for (std::size_t k = 0; k < decl.size(); ++k) {
      if (std::isnan(decl[k])) continue;
      for (int sign : {1, -1}) {
        if (k == 0 && sign < 0) continue;
        PlanarLine& line = newLine(PlanarLineKind::DayLength, 11, sign * decl[k]);
        constantDeclinationLine(line, sign * decl[k]);
      }
    }
  }

  void dateLines() {
    const double ref = referenceMeridianNoEot(d_);
    for (const DateLineDay& day : dateLineDays(d_, d_.dateLineMode)) {
      PlanarLine& line = newLine(PlanarLineKind::DateLine, 1, day.declination);
      line.label = day.label;
      if (day.fixedDeclination) {
        constantDeclinationLine(line, day.declination);
      } else {
        // The declination of the day's noon holds for the whole line.
        const DayEphemeris e = noonOfDay(day.dayOfYear);
        const SkyAtDeclination sky(e.declination, plane_.phi);
        line.value = e.declination;
        dayLine(line, [&](double t) {
          const SunPosition sun = ofDay(e, sky, t + plane_.tOffset, ref, plane_.phi);
          return HorizontalPosition{sun.altitude, sun.azimuth};
        });
      }
    }
  }

  // The days sampled by an hour line starting at `first`.
  std::vector<int> hourLineDays(int first, bool withEot) const {
    const PlanarLineSampling& s = in_.sampling;
    std::vector<int> days{first};
    int day = first + s.hourFirstStep;
    if (!s.endOnLastDay) {
      for (; day < 366; day += s.hourStep) days.push_back(day);
    } else {
      const int last = withEot ? s.lastDayEot : s.lastDayNoEot;
      for (; day < last; day += s.hourStep) days.push_back(day);
      days.push_back(last);
    }
    return days;
  }

  struct HourPass {
    PlanarLineKind kind;
    int from, to, perHour;
    int startDay;
    bool withEot;
  };

  void hourLines() {
    std::vector<HourPass> passes;
    if (d_.localTimeNoEot)
      passes.push_back({PlanarLineKind::HourLine, d_.hourLinesFrom, d_.hourLinesTo,
                        linesPerHour(d_.hourLineInterval), 171, false});
    if (d_.withEot)
      passes.push_back({PlanarLineKind::EotHourLine, d_.eotLinesFrom, d_.eotLinesTo,
                        linesPerHour(d_.eotLineInterval), 1, true});
    if (d_.markAnalemma)
      passes.push_back({PlanarLineKind::Analemma, d_.analemmaMarkHour, d_.analemmaMarkHour, 1, 1, true});

    const bool toStyleFoot = d_.linesToStyleFoot && !plane_.umbrella;
    const StyleFoot S = out_.style;
    const double upm = frame_.unitsPerMm;
    for (const HourPass& pass : passes) {
      const double ref = pass.withEot ? referenceMeridianEot(d_) : referenceMeridianNoEot(d_);
      const std::vector<int> days = hourLineDays(pass.startDay, pass.withEot);
      for (int h = pass.from; h <= pass.to; ++h) {
        for (int i = 1; i <= pass.perHour; ++i) {
          const double T = h + (i - 1.0) / pass.perHour;
          if (T > pass.to) break;
          const int pen = i == 1 ? (pass.withEot ? 4 : 3) : (pass.withEot ? 2 : 8);
          PlanarLine& line = newLine(pass.kind, pen, T, i > 1);
          ShadowTracer tracer(frame_, line.path);
          // The visible point farthest from S, in target units squared.
          double farthest = 0.01;
          DialPoint far{0, 0};
          for (std::size_t k = 0; k < days.size(); ++k) {
            const SunPosition sun = zoneTimeSun(days[k], T + plane_.tOffset, plane_.phi, ref, pass.withEot);
            const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
            tracer.setParam(days[k]);
            if (k == 0)
              tracer.start(p);
            else
              tracer.next(p);
            if (toStyleFoot && p.visible) {
              const double dx = (p.x - S.sx) * upm, dy = (p.y - S.sy) * upm;
              const double dist2 = dx * dx + dy * dy;
              if (dist2 > farthest) {
                farthest = dist2;
                far = {p.x, p.y};
                if (dist2 > 4000000) {
                  const double f = 14400 / dist2;
                  far = {S.sx + (p.x - S.sx) * f, S.sy + (p.y - S.sy) * f};
                }
              }
            }
          }
          if (toStyleFoot && pass.kind == PlanarLineKind::HourLine)
            styleFootExtension(line, T, ref, farthest, far, h, i - 1);
          if (pass.kind == PlanarLineKind::Analemma) analemmaMarks(h, ref);
        }
      }
    }
  }

  // The hour line continued to the style foot S, or, when no point of it
  // was visible, drawn from S in the direction of the angle table.
  void styleFootExtension(PlanarLine& line, double T, double ref, double farthest, DialPoint far,
                          int hour, int subdivision) {
    const StyleFoot S = out_.style;
    const double tz = (ref - d_.zoneMeridian) * 4 / 60;
    const double hourAngle = (T - tz - 12) * 15;
    const double earliest = in_.angles ? in_.angles->sunlitEarliest : 0;
    const double latest = in_.angles ? in_.angles->sunlitLatest : 0;
    if (farthest >= 0.1) {
      if (hourAngle >= earliest && hourAngle <= latest && frame_.insideWide(far.x, far.y)) {
        DialPoint a = far, b{S.sx, S.sy};
        if (clipSegment(a, b, frame_)) {
          line.path.moveTo(a.x, a.y);
          line.path.lineTo(b.x, b.y);
        }
      }
      return;
    }
    if (!in_.angles || hour < 0 || hour > 24) return;
    const double alpha =
        in_.angles->hourLineAngles[static_cast<std::size_t>(hour)][static_cast<std::size_t>(subdivision)];
    if (alpha == kNoHourLineAngle) return;
    // Length: S's distance from the left edge, at most the frame width.
    const double width = frame_.right - frame_.left;
    const double length = std::min(std::fabs(S.sx - frame_.left), width - 2 / frame_.unitsPerMm);
    // The table measures the angle at S from the substyle: on a northern
    // horizontal dial counter-clockwise from north, on walls, inclined
    // planes and southern horizontal dials (substyle angle 0 there)
    // mirrored through S, so that the line runs to the side of the shadows.
    double dx = -std::sin(alpha * kDegToRadDouble), dy = std::cos(alpha * kDegToRadDouble);
    if (plane_.kind != 'h' || plane_.latitude < 0) {
      dx = -dx;
      dy = -dy;
    }
    DialPoint a{S.sx, S.sy}, b{S.sx + length * dx, S.sy + length * dy};
    if (clipSegment(a, b, frame_)) {
      line.path.moveTo(a.x, a.y);
      line.path.lineTo(b.x, b.y);
    }
  }

  void analemmaMarks(int hour, double ref) {
    static const int kDays[5][4] = {{1, 0, 0, 0}, {1, 15, 0, 0}, {7, 22, 0, 0}, {1, 11, 21, 0}, {1, 8, 15, 22}};
    const int choice = std::clamp<int>(d_.analemmaMarkDays, 0, 4);
    for (int month = 1; month <= 12; ++month) {
      bool first = true;
      for (int k = 0; k < 4 && kDays[choice][k] != 0; ++k) {
        const int day = kDays[choice][k];
        const SunPosition sun =
            zoneTimeSun(dayOfYear(year_, month, day), hour + plane_.tOffset, plane_.phi, ref, true);
        const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
        AnalemmaMark m;
        m.x = p.x;
        m.y = p.y;
        m.month = month;
        m.day = day;
        m.firstOfMonth = first;
        m.shown = plane_.umbrella ? (p.visible && p.inFront) : (p.visible && p.facing);
        out_.marks.push_back(m);
        first = false;
      }
    }
  }

  void hourNumberAnchors() {
    if (!(d_.localTimeNoEot || d_.withEot)) return;
    const double ref = referenceMeridianNoEot(d_);
    const int equinox = dayOfYear(year_, 9, 23), june = dayOfYear(year_, 6, 21),
              december = dayOfYear(year_, 12, 21);
    for (int hour = 6; hour <= 21; hour += 3) {
      if (in_.sampling.hourNumbersInHourRange && (hour < d_.hourLinesFrom || hour > d_.hourLinesTo))
        continue;
      HourNumberAnchor a;
      a.hour = hour;
      auto at = [&](int day, ShadowPoint& p, double& azimuth) {
        const SunPosition sun = zoneTimeSun(day, hour + plane_.tOffset, plane_.phi, ref, false);
        p = projector_.projectShadow(sun.altitude, sun.azimuth);
        azimuth = sun.azimuth;
      };
      at(equinox, a.equinox, a.azimuthEquinox);
      at(june, a.june, a.azimuthJune);
      at(december, a.december, a.azimuthDecember);
      out_.hourNumbers.push_back(a);
    }
  }

  void refuse(PlanarText first) {
    showMessage(MsgCaption::Problem, MsgIcon::Error,
                planarText(first) + "\r" + planarText(PlanarText::LatitudeTooHigh));
  }

  void temporalLines() {
    if (std::fabs(d_.latitude) > 66) {
      out_.temporalRefused = true;
      refuse(PlanarText::TemporalHours);
      return;
    }
    const int from = std::clamp(d_.temporalFrom, 0, 12), to = std::clamp(d_.temporalTo, 0, 12);
    const int n = d_.temporalInterval;
    const int midsummer = dayOfYear(year_, 6, 21);
    // Temporal hours are local: the clock of the sun positions is local
    // apparent time whatever the hour lines show.
    const double ref = d_.zoneMeridian;
    // The days of every temporal line, each with its noon ephemeris, the
    // sky of that declination and the half day arc, computed once.
    struct TemporalDay {
      int day;
      DayEphemeris e;
      SkyAtDeclination sky;
      double H0;
    };
    std::vector<TemporalDay> days;
    {
      int day = midsummer - (plane_.umbrella ? 5 : 15);
      do {
        const int step = plane_.umbrella ? 5 : ((day < midsummer || day > 340) ? 15 : 10);
        day = std::min(day + step, 356);
        const DayEphemeris e = noonOfDay(day);
        days.push_back({day, e, SkyAtDeclination(e.declination, plane_.phi),
                        halfDayArc(d_.latitude, e.declination)});
      } while (day < 356);
    }
    for (int h = from; h <= to; ++h) {
      for (int j = 0; j <= n; ++j) {
        const double v = h + static_cast<double>(j) / (n + 1);
        if (v > to) break;
        PlanarLine& line = newLine(PlanarLineKind::Temporal, 10, v, j > 0);
        ShadowTracer tracer(frame_, line.path);
        bool first = true;
        for (const TemporalDay& td : days) {
          const double T = 12 - (6 - v) * td.H0 / 90;
          const SunPosition sun = ofDay(td.e, td.sky, T + plane_.tOffset, ref, plane_.phi);
          const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
          tracer.setParam(td.day);
          if (first)
            tracer.start(p);
          else
            tracer.next(p);
          first = false;
        }
        if (d_.extendTemporalHours && plane_.kind == 'h' && d_.latitude > 0) {
          // Beyond the winter solstice towards the horizon, on declinations
          // the sun does not reach.
          for (double decl = -d_.obliquityRounded - 0.1; decl > d_.latitude - 90 + 0.2; decl -= 0.1) {
            const double H0 = halfDayArc(d_.latitude, decl);
            const double T = 12 - (6 - v) * H0 / 90;
            const HorizontalPosition sun = horizontal((T - 12) * 15, decl, d_.latitude);
            const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
            tracer.setParam(decl);
            tracer.nextClipped(p, p.prevFacing && p.facing);
          }
        }
      }
    }
  }

  void babylonianItalianLines() {
    if (std::fabs(d_.latitude) > 65) {
      out_.babylonianItalianRefused = true;
      refuse(PlanarText::ItalianBabylonianHours);
      return;
    }
    const RiseSetTimeTable table = riseSetTimeTable(d_.referenceYear, d_.zoneMeridian, d_.longitude, d_.latitude);
    struct Kind {
      PlanarLineKind kind;
      bool on;
      int from, to, n, pen;
    };
    const Kind kinds[2] = {
        {PlanarLineKind::Babylonian, d_.babylonianHours, d_.babylonianFrom, d_.babylonianTo,
         d_.babylonianInterval, 7},
        {PlanarLineKind::Italian, d_.italianHours, d_.italianFrom, d_.italianTo, d_.italianInterval, 6}};
    static const int kTableDays[3] = {1, 11, 21};
    for (const Kind& k : kinds) {
      if (!k.on) continue;
      const bool babylonian = k.kind == PlanarLineKind::Babylonian;
      for (int h = k.from; h <= k.to; ++h) {
        for (int j = 0; j <= k.n; ++j) {
          const double v = h + static_cast<double>(j) / (k.n + 1);
          if (v > k.to) break;
          const int pen = j == 0 ? k.pen : in_.sampling.otherHourSubdivisionPen;
          PlanarLine& line = newLine(k.kind, pen, v, j > 0);
          ShadowTracer tracer(frame_, line.path);
          for (int month = 6; month <= 12; ++month) {
            for (int m = 0; m < 3; ++m) {
              if (month == 6 && kTableDays[m] < 21) continue;
              const RiseSetTimes rs = table[static_cast<std::size_t>(month - 6)][static_cast<std::size_t>(m)];
              if (!(rs.set > rs.rise && rs.rise > 0)) continue;
              const double time = babylonian ? rs.rise + v : rs.set - (24 - v);
              if (time < rs.rise || time > rs.set) continue;
              const int day = dayOfYear(year_, month, kTableDays[m]);
              // Hour angle 15 (time + tOffset - (zoneMeridian - longitude) / 15 - 12).
              const double clock = time + plane_.tOffset - (d_.zoneMeridian - d_.longitude) / 15;
              const SunPosition sun = zoneTimeSun(day, clock, plane_.phi, d_.zoneMeridian, false);
              const ShadowPoint p = projector_.projectShadow(sun.altitude, sun.azimuth);
              tracer.setParam(day);
              tracer.next(p);
              if (j == 0 && h % 2 == 0 && month == 9 && kTableDays[m] == 21 && p.visible)
                out_.hourValueLabels.push_back({k.kind, k.pen, p.x, p.y, std::to_string(h)});
            }
          }
        }
      }
    }
  }

  // Morning azimuth (magnitude, from the equator-side meridian point) at
  // which the sun of day `day` reaches altitude A at latitude |phi|; NaN
  // when it never does. The search of the dial steps the local apparent
  // time from -0.5 h by 0.2 h until the altitude exceeds A, steps back by
  // 0.004 h while it stays above A and takes the azimuth 0.002 h later.
  // With the declination held for the day the crossing has the closed
  // form cos H = (sin A - sin phi sin d) / (cos phi cos d), so the two
  // steps are counted instead of walked. A sun that never goes below A
  // stops the search at its start.
  double crossingAzimuth(int day, double latitude, double A) {
    auto sunAt = [&](double t) {
      return memo({kTagNoonTime, double(year_), double(day), t, latitude, d_.zoneMeridian}, [&] {
        return sunAtZoneTimeNoonEphemeris(year_, day, t, latitude, d_.zoneMeridian, d_.zoneMeridian, false);
      });
    };
    const double decl = sunAt(12).declination;
    const double den = cosDeg(latitude) * cosDeg(decl);
    const double num = sinDeg(A) - sinDeg(latitude) * sinDeg(decl);
    double tStar;
    if (std::fabs(den) < 1e-12 || num / den <= -1) {
      if (std::fabs(den) >= 1e-12 || num < 0) {
        tStar = -0.5;  // above A all day
      } else {
        return std::numeric_limits<double>::quiet_NaN();
      }
    } else if (num / den >= 1) {
      return std::numeric_limits<double>::quiet_NaN();
    } else {
      const double tc = 12 - std::acos(num / den) / kDegToRadDouble / 15;  // morning crossing
      if (sunAt(-0.5).altitude > A) {
        tStar = -0.5;
      } else {
        const double tUp = -0.5 + 0.2 * (std::floor((tc + 0.5) / 0.2) + 1);
        if (tUp > 14.5 + 0.2) return std::numeric_limits<double>::quiet_NaN();
        tStar = tUp - 0.004 * std::ceil((tUp - tc) / 0.004);
      }
    }
    return std::fabs(sunAt(tStar + 0.002).azimuth);
  }

  void altitudeLines() {
    const int n = d_.altitudeInterval == 2 ? 3 : d_.altitudeInterval;
    const bool south = d_.latitude < 0;
    const double absLat = std::fabs(d_.latitude);
    // Computed at the northern latitude |phi| with June as the summer;
    // the southern hemisphere mirrors the azimuths (180 - |az|).
    const int june = dayOfYear(year_, 6, 21), december = dayOfYear(year_, 12, 21);
    for (int k = d_.altitudeFrom / 10; k <= d_.altitudeTo / 10; ++k) {
      for (int j = 0; j <= n; ++j) {
        const double A = (k + static_cast<double>(j) / (n + 1)) * 10;
        if (A > d_.altitudeTo) break;
        if (A <= 0) continue;
        const double summer = crossingAzimuth(june, absLat, A);
        if (std::isnan(summer)) continue;  // the sun never climbs so high
        double winter = crossingAzimuth(december, absLat, A);
        if (std::isnan(winter)) winter = 0;  // above the winter noon: the curve closes at the meridian
        PlanarLine& line = newLine(PlanarLineKind::Altitude, 5, A, j > 0);
        for (int half : {-1, 1}) {
          ShadowTracer tracer(frame_, line.path);
          bool prevInFront = false;
          const double lo = std::min(winter, summer), hi = std::max(winter, summer);
          for (double az = lo;; az += 2) {
            if (az > hi) az = hi;
            const double azimuth = half * (south ? 180 - az : az);
            double alt = A, azi = azimuth;
            if (plane_.kind == 'i' && !plane_.umbrella) {
              // Into the sky of the equivalent place.
              const EquatorialPosition eq = equatorialFromHorizontal(d_.latitude, A, azimuth);
              const HorizontalPosition hz = horizontal(
                  eq.hourAngle - plane_.equivalent.substyleHourAngle, eq.declination, plane_.phi);
              alt = hz.altitude;
              azi = hz.azimuth;
            }
            const ShadowPoint p = projector_.projectShadow(alt, azi);
            tracer.setParam(azimuth);
            tracer.nextClipped(p, tracer.started() && prevInFront && p.inFront);
            prevInFront = p.inFront;
            if (az >= hi) break;
          }
        }
      }
    }
  }

  const PlanarLineInput& in_;
  const DesignState& d_;
  const PlanarPlane& plane_;
  ShadowProjector projector_;
  const DialFrame& frame_;
  double L_;
  int year_;
  PlanarSunCache* cache_;
  PlanarLines out_;
};

}  // namespace

std::size_t PlanarSunCache::Hash::operator()(const Key& k) const {
  std::uint64_t h = 1469598103934665603ull;
  for (double v : k) {
    h ^= std::bit_cast<std::uint64_t>(v);
    h *= 1099511628211ull;
    h ^= h >> 29;
  }
  return static_cast<std::size_t>(h);
}

bool PlanarSunCache::Same::operator()(const Key& a, const Key& b) const {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) return false;
  return true;
}

PlanarLineSampling PlanarLineSampling::screen() { return {}; }

PlanarLineSampling PlanarLineSampling::plot() {
  PlanarLineSampling s;
  s.hourFirstStep = 3;
  s.hourStep = 3;
  s.endOnLastDay = true;
  s.lastDayNoEot = 357;
  s.lastDayEot = 370;
  s.otherHourSubdivisionPen = 9;
  s.hourNumbersInHourRange = false;
  return s;
}

std::vector<double> dayLengthDeclinations(double latitude, double obliquity) {
  std::vector<double> decl(13, 0.0);
  if (std::fabs(latitude) < 0.01) return decl;
  const double a = std::fabs(latitude);
  for (int k = 1; k <= 12; ++k) {
    double dk = atanDeg(sinDeg(7.5 * k) * cosDeg(a) / sinDeg(a));
    if (std::fabs(dk) > obliquity)
      dk = std::numeric_limits<double>::quiet_NaN();
    else if (std::fabs(dk) < 1)
      dk = 0;
    decl[static_cast<std::size_t>(k)] = dk;
  }
  return decl;
}

PlanarLines computePlanarLines(const DesignState& d, const PlanarLineInput& input) {
  return LineBuilder(d, input).run();
}

}  // namespace tavrel
