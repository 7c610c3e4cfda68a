// The geometry of the cylinder dials and of the hidokai, in dial
// millimetres (axes in cylinder_dial.h): what every variant shares (sun
// positions, the families of hour lines and their tracing, frames, the
// altitude scale, the month lines of a date axis, the texts). Each
// variant's own box and shadow mapping is in its file: cylinder_shepherd,
// cylinder_hat, cylinder_polar_style and cylinder_hidokai.
#include <algorithm>
#include <cmath>
#include <optional>

#include "astro/calendar.h"
#include "astro/time_systems.h"
#include "core/language.h"
#include "dials/cylinder/cylinder_builder.h"
#include "dials/cylinder/cylinder_texts.h"
#include "base/number_text.h"
#include "dials/cylinder/cylinder_labels.h"

namespace tavrel {

using cylinder_detail::kEndlessDrop;

namespace {

// Temporal, Babylonian and Italian hours need a rising and setting sun.
constexpr double kOldHoursLatitudeLimit = 65;
// Shortest date axis whose plot carries the day numbers "1." and "11." (mm).
constexpr double kPlotDayLabelsMinMm = 81;
constexpr double kHidokaiLowRowMm = 2.25;  // short hidokai plot: months 1..6
// Its fill on the screen and printer page, a pale yellow.
constexpr Colour kAltitudeStripColour = 13366773;

int partsOf(int intervalIndex) { return std::clamp(intervalIndex, 0, 5) + 1; }
int partsOfChar(char c) { return c == '6' ? 6 : partsOf(c - '0'); }

}  // namespace

double cylinderDrop(double gnomonMm, double altitude) {
  const double c = std::cos(altitude * kRadPerDeg);
  if (std::fabs(c) <= 1e-5) return kEndlessDrop;
  return gnomonMm * std::sin(altitude * kRadPerDeg) / c;
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

namespace cylinder_detail {

Builder::Builder(const DesignState& d, const CylinderDialInput& in) : in_(in), d_(d) {
  year_ = d_.referenceYear;
  ephemeris_ = DailyEphemeris(year_);
  out_.kind = in.kind;
  out_.gnomonMm = in.gnomonMm;
  meridian_ = d_.localTime ? d_.longitude : d_.zoneMeridian;
  midsummer_ = dayOfYear(year_, 6, 21);
  sinLat_ = std::sin(d_.latitude * kRadPerDeg);
  cosLat_ = std::cos(d_.latitude * kRadPerDeg);
}

CylinderDial Builder::run() {
  texts();
  const bool temporalWanted =
      in_.kind == CylinderDialKind::Hidokai ? d_.temporalHours : d_.temporalHourLines;
  if (temporalWanted && std::fabs(d_.latitude) > kOldHoursLatitudeLimit) {
    out_.temporalRefused = true;
    return std::move(out_);
  }
  switch (in_.kind) {
    case CylinderDialKind::Shepherd: shepherdDial(); break;
    case CylinderDialKind::Hidokai: hidokaiDial(); break;
    case CylinderDialKind::Hat: hatDial(); break;
    case CylinderDialKind::PolarStyle: polarDial(); break;
  }
  return std::move(out_);
}

double Builder::highestNoonAltitude() const {
  const double lat = std::fabs(d_.latitude);
  return lat >= d_.obliquityRounded ? d_.obliquityRounded + 90 - lat : 90;
}

std::optional<HorizontalPosition> Builder::ordinarySun(double t, int day, bool withEot, double meridian) {
  double decl, eot;
  ephemeris(day + (t + meridian / 15 - 12) / 24, decl, eot);
  double h = (t - 12) * 15 - (d_.longitude - meridian);
  if (withEot) h += eot;
  return horizontalQuick(h, decl, sinLat_, cosLat_);
}

const Builder::NoonSun& Builder::noonSun(int day) {
  const std::size_t k = static_cast<std::size_t>(std::clamp(day, 0, static_cast<int>(kEphemerisDays) - 1));
  if (!noonKnown_[k]) {
    double eot;
    ephemeris(day + d_.longitude / 360, noon_[k].declination, eot);
    noon_[k].halfDayArc = halfDayArcDegrees(d_.latitude, noon_[k].declination);
    noonKnown_[k] = true;
  }
  return noon_[k];
}

std::vector<Family> Builder::families() {
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

void Builder::traceFamilies(const std::vector<Family>& fams, const std::vector<Target>& targets,
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

void Builder::addLine(CylinderLineKind kind, int pen, std::initializer_list<CylinderPoint> pts,
                      double value, CylinderTarget target) {
  CylinderLine l;
  l.target = target;
  l.kind = kind;
  l.pen = pen;
  l.value = value;
  l.points = pts;
  out_.lines.push_back(std::move(l));
}

void Builder::frame(double left, double top, double right, double bottom) {
  addLine(CylinderLineKind::Frame, 1,
          {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
}

void Builder::altitudeScale() {
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

void Builder::gnomonSign(double x, double top, double length, CylinderTarget target) {
  addLine(CylinderLineKind::Frame, 1, {{x - 1.75, top}, {x + 1.75, top}}, 0, target);
  addLine(CylinderLineKind::Frame, 1,
          {{x, top}, {x, top + length}, {x - 1.75, top + length - 2.5},
           {x + 1.75, top + length - 2.5}, {x, top + length}},
          0, target);
}

// ---- the date axis of the shepherd's dial and the hidokai ----------------
void Builder::dateAxis(double longestMm) {
  out_.wholeYear = d_.halfYearMonthScale;
  out_.firstDay = out_.wholeYear ? 1 : midsummer_;
  out_.lastDay = out_.wholeYear ? dayOfYear(year_, 12, 31) : dayOfYear(year_, 12, 21);
  const int days = out_.lastDay - out_.firstDay;
  double scale = std::max(1.0, in_.scaleMm);
  if (scale > longestMm) {
    scale = longestMm;
    out_.scaleReduced = true;
  }
  out_.scaleMm = scale;
  out_.mmPerDay = scale / days;
  const int span = out_.wholeYear ? out_.lastDay : days;
  out_.left = 0;
  out_.right = span * out_.mmPerDay;
  out_.top = 0;
}

double Builder::longestDrop(double g) const {
  const double hmax = highestNoonAltitude();
  const double c = std::cos(hmax * kRadPerDeg);
  return std::fabs(c) <= 1e-4 ? kEndlessDrop : std::fabs(cylinderDrop(g, hmax) * 1.05);
}

void Builder::monthLines() {
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

// ---- texts ---------------------------------------------------------
void Builder::texts() {
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
  out_.timeLine = cylinderTimeLine(d_, in_.kind, in_.sampling.temporalOpenEnds);
}

}  // namespace cylinder_detail

CylinderDial computeCylinderDial(const DesignState& d, const CylinderDialInput& input) {
  return cylinder_detail::Builder(d, input).run();
}

}  // namespace tavrel
