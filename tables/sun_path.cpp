#include "tables/sun_path.h"

#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/plane_sunlight.h"
#include "astro/solar_ephemeris.h"
#include "astro/startup.h"
#include "core/design_state.h"
#include "base/number_text.h"
#include "tables/graph_texts.h"

namespace tavrel {

namespace {

// Samples closer to the zenith than this altitude are left out of every
// line: there the azimuth turns faster than any sampling follows.
constexpr double kZenithCut = 89.9;

int lastDayOfYear(int year) { return dayOfYear(year, 12, 31); }

// Collects the points of one line into pieces: a segment is kept when
// `keep` holds at both ends; the pieces are also cut where the sun
// crosses the horizon profile.
class PieceBuilder {
 public:
  PieceBuilder(SunPathLine& line, const HorizonProfile* horizon) : line_(line), horizon_(horizon) {}

  void add(const SkyPoint& p, bool keep) {
    const bool below = horizon_ && sunBelowHorizon(*horizon_, p.azimuth, p.altitude);
    if (keep && havePrevious_ && previousKept_) {
      if (!open_ || below != line_.pieces.back().belowHorizon) {
        // A new piece starts at the previous point.
        SkyPiece piece;
        piece.belowHorizon = below;
        piece.points.push_back(previous_);
        line_.pieces.push_back(std::move(piece));
        open_ = true;
      }
      line_.pieces.back().points.push_back(p);
    } else {
      open_ = false;
    }
    previous_ = p;
    previousKept_ = keep;
    havePrevious_ = true;
  }

 private:
  SunPathLine& line_;
  const HorizonProfile* horizon_;
  SkyPoint previous_;
  bool previousKept_ = false;
  bool havePrevious_ = false;
  bool open_ = false;
};

// The dates of the hour lines as days of the year, in drawing order.
std::vector<int> hourLineDays(const SunPathOptions& o) {
  std::vector<int> days;
  const bool all = o.withEot && o.period == SunPathPeriod::WholeYear;
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 29; day += 2) {
      const int key = month * 100 + day;
      bool use = all;
      if (!all) {
        if (o.period == SunPathPeriod::DecemberToJune)
          use = key < 621 || key > 1221;
        else if (o.period == SunPathPeriod::JuneToDecember)
          use = key >= 621 && key <= 1221;
        else
          use = key > 620 && key < 1223;
      }
      if (use) days.push_back(dayOfYear(o.year, month, day));
    }
  }
  if (o.period == SunPathPeriod::DecemberToJune) {
    // From December on into the next half-year: the December dates first.
    std::vector<int> ordered;
    const int dec = dayOfYear(o.year, 12, 1);
    for (int d : days)
      if (d >= dec) ordered.push_back(d);
    for (int d : days)
      if (d < dec) ordered.push_back(d);
    days = ordered;
  }
  if (all) days.push_back(lastDayOfYear(o.year) + 1);  // closes at 1 January
  return days;
}

}  // namespace

std::vector<EotSample> eotCurve(int year) {
  std::vector<EotSample> out;
  const int last = lastDayOfYear(year);
  std::vector<int> days;
  for (int d = 1; d <= last; d += 3) days.push_back(d);
  if (days.back() != last) days.push_back(last);
  days.push_back(last + 1);
  for (int d : days) {
    double declination = 0, eot = 0;
    solarPosition(year, static_cast<double>(d), declination, eot);
    out.push_back({d, 4 * eot});
  }
  return out;
}

EotShift eotShift(double longitude, double zoneMeridian, bool shown, bool truncate) {
  if (!shown) return {};
  const double total = 4 * (zoneMeridian - longitude);
  const double whole = truncate ? std::trunc(total) : std::round(total);
  return {whole, total - whole};
}

SunPathOptions sunPathOptionsFromDesign(bool zoneTime, SunPathPeriod period) {
  const DesignState& d = design();
  SunPathOptions o;
  o.year = d.referenceYear;
  o.latitude = d.latitude;
  o.longitude = d.longitude;
  o.zoneMeridian = d.zoneMeridian;
  o.zoneTime = zoneTime;
  o.withEot = d.constructionWithEot;
  o.dateLinesPerMonth = d.dateLinesPerMonth;
  o.hourSubdivision = d.otherHourInterval >= '0' && d.otherHourInterval <= '3' ? d.otherHourInterval - '0' : 0;
  o.hoursFrom = d.otherHoursFrom;
  o.hoursTo = d.otherHoursTo;
  o.period = period;
  if (horizonProfileShown()) o.horizon = &horizonState().horizonProfile;
  return o;
}

SunPathGeometry sunPathGeometry(const SunPathOptions& o) {
  prepareObliquity(o.year);
  const DesignState& d = design();
  SunPathGeometry g;
  // The clock: zone time of the zone meridian, or local time.
  const double meridian = o.zoneTime ? o.zoneMeridian : o.longitude;

  // Date lines.
  const int step = o.dateLinesPerMonth >= 4 ? 18 : 6 / std::clamp(o.dateLinesPerMonth, 1, 3);
  for (int k = 0; k <= 36; k += step) {
    SunPathLine line;
    line.value = 90 + 5.0 * k;
    line.declination = d.declinationByLongitude[static_cast<std::size_t>(k)];
    line.kind = (90 + 5 * k) % 30 == 0 ? SunPathLineKind::ZodiacStart : SunPathLineKind::DateLine;
    PieceBuilder pieces(line, o.horizon);
    double t = 1;
    while (t <= 23 + 1e-9) {
      const HorizontalPosition p = sunFromMeanTime(t, o.latitude, o.longitude, meridian, line.declination);
      pieces.add({p.azimuth, p.altitude}, p.altitude > 0 && p.altitude < kZenithCut);
      if (p.altitude > 0 && (!line.hasLabelPoint || p.altitude > line.labelPoint.altitude)) {
        line.hasLabelPoint = true;
        line.labelPoint = {p.azimuth, p.altitude};
      }
      t += p.altitude >= 1.5 ? 0.1 : 0.025;
    }
    g.dateLines.push_back(std::move(line));
  }

  // Hour lines.
  const std::vector<int> days = hourLineDays(o);
  const int perHour = std::clamp(o.hourSubdivision, 0, 3) + 1;
  const int labelDay = dayOfYear(o.year, o.latitude >= 0 ? 6 : 12, 21);
  for (int h = o.hoursFrom; h <= o.hoursTo; ++h) {
    for (int j = 0; j < perHour; ++j) {
      const double t = h + static_cast<double>(j) / perHour;
      if (t >= o.hoursTo + 0.1) break;
      SunPathLine line;
      line.value = t;
      line.kind = std::fabs(t - std::round(t)) <= 0.1 ? SunPathLineKind::FullHour : SunPathLineKind::PartHour;
      PieceBuilder pieces(line, o.horizon);
      for (int day : days) {
        const SunPosition s = sunAtZoneTime(o.year, day, t, o.latitude, o.longitude, meridian, o.withEot);
        pieces.add({s.azimuth, s.altitude}, s.altitude > 0 && s.altitude < kZenithCut);
      }
      const SunPosition s = sunAtZoneTime(o.year, labelDay, t, o.latitude, o.longitude, meridian, o.withEot);
      if (s.altitude > 0) {
        line.hasLabelPoint = true;
        line.labelPoint = {s.azimuth, s.altitude};
      }
      g.hourLines.push_back(std::move(line));
    }
  }

  if (o.horizon)
    for (const auto& [azimuth, elevation] : horizonPolyline(*o.horizon)) g.horizon.push_back({azimuth, elevation});
  return g;
}

PlaneSunlight planeSunlight(double latitude, double longitude, double zoneMeridian, bool zoneTime,
                            double planeDeclination, double planeInclination) {
  PlaneSunlight out;
  const double offset = zoneTime ? longitude - zoneMeridian : 0;
  const SunlitWindow w = sunlitWindowOnPlane(offset, latitude, planeDeclination, planeInclination,
                                             design().obliquityRounded, false);
  const std::size_t first = w.text.find_first_not_of(' ');
  out.window = first == std::string::npos ? std::string() : w.text.substr(first);
  const std::string timeKind =
      graphRow::text(zoneTime ? graphRow::kApparentZoneTime : graphRow::kLocalApparentTime);
  const std::string heading = graphRow::text(graphRow::kSunlightHeading);
  out.line = heading + " " + out.window + " " + timeKind + ",  " + graphRow::text(graphRow::kWallDeclination) +
             " = " + fixedText(planeDeclination, 5, 1) + " deg" + ", " + graphRow::text(graphRow::kInclination) +
             " = " + fixedText(planeInclination, 5, 1) + " deg";
  out.status = heading + "(" + timeKind + ") " + out.window;
  return out;
}

}  // namespace tavrel
