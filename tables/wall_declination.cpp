#include "tables/wall_declination.h"

#include <algorithm>
#include <cmath>

#include "astro/horizontal_coordinates.h"
#include "core/language.h"
#include "tables/table_calendar.h"

namespace tavrel {

namespace {

// The years the ephemeris is made for (the location window's range).
constexpr int kFirstYear = 1300;
constexpr int kLastYear = 2500;

// An angle brought into (-180, 180].
double wrap180(double a) {
  double r = std::fmod(a, 360.0);
  if (r <= -180) r += 360;
  if (r > 180) r -= 360;
  return r;
}

bool timeExists(const WallMeasurement& m) {
  if (m.year < kFirstYear || m.year > kLastYear || m.month < 1 || m.month > 12 || m.day < 1)
    return false;
  if (m.day > daysInTableMonth(m.year, m.month) || isCalendarReformGap(m.year, m.month, m.day))
    return false;
  return m.clockHours >= 0 && m.clockHours <= 24;  // false for NaN
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

double declinationFromBoardAngle(double sunAzimuth, double boardAngle) {
  return wrap180(sunAzimuth - boardAngle);
}

WallReading wallReading(const WallPlace& place, const WallMeasurement& m) {
  WallReading r;
  if (!timeExists(m)) {
    r.refusal = WallRefusal::ImpossibleTime;
    return r;
  }
  // Local mean time is the zone time of a zone whose meridian is the
  // place's own; the clock runs on mean time, so the equation of time
  // enters the hour angle (apparent = true).
  const double meridian = m.clock == WallClock::Zone ? place.zoneMeridian : place.longitude;
  const SunPosition sun = sunAtZoneTime(m.year, ephemerisDayNumber(m.year, m.month, m.day), m.clockHours,
                                        place.latitude, place.longitude, meridian, true);
  r.sunAzimuth = sun.azimuth;
  r.sunAltitude = sun.altitude;
  if (!(sun.altitude > 0)) {
    r.refusal = WallRefusal::SunBelowHorizon;
    return r;
  }
  if (!(std::fabs(m.boardAngle) < 90)) {
    r.refusal = WallRefusal::SunBehindWall;
    return r;
  }
  r.declination = declinationFromBoardAngle(sun.azimuth, m.boardAngle);
  return r;
}

WallSummary summariseWallReadings(const std::vector<WallReading>& readings) {
  WallSummary s;
  s.outlier.assign(readings.size(), false);
  std::vector<std::size_t> accepted;
  for (std::size_t i = 0; i < readings.size(); ++i)
    if (readings[i].refusal == WallRefusal::None) accepted.push_back(i);
  if (accepted.empty()) return s;

  const double reference = readings[accepted.front()].declination;
  std::vector<double> offsets;  // from the reference, (-180, 180]
  for (std::size_t i : accepted) offsets.push_back(wrap180(readings[i].declination - reference));

  if (accepted.size() >= 3) {
    const double m = median(offsets);
    std::vector<double> deviations;
    for (double o : offsets) deviations.push_back(std::fabs(o - m));
    const double limit = std::max(3 * 1.4826 * median(deviations), kWallOutlierFloor);
    for (std::size_t k = 0; k < accepted.size(); ++k)
      if (deviations[k] > limit) s.outlier[accepted[k]] = true;
  }

  double sum = 0;
  std::vector<double> kept;
  for (std::size_t k = 0; k < accepted.size(); ++k)
    if (!s.outlier[accepted[k]]) {
      kept.push_back(offsets[k]);
      sum += offsets[k];
    }
  s.used = static_cast<int>(kept.size());
  const double meanOffset = sum / s.used;
  s.mean = wrap180(reference + meanOffset);
  if (s.used > 1) {
    double squares = 0;
    for (double o : kept) squares += (o - meanOffset) * (o - meanOffset);
    s.spread = std::sqrt(squares / (s.used - 1));
  }
  return s;
}

std::string wallTextOf(int row, int language) { return tableText(TextTable::WorkTexts, row, language); }

std::string wallRefusalText(WallRefusal refusal, int language) {
  switch (refusal) {
    case WallRefusal::ImpossibleTime: return wallTextOf(wallText::kImpossibleTime, language);
    case WallRefusal::SunBelowHorizon: return wallTextOf(wallText::kSunBelowHorizon, language);
    case WallRefusal::SunBehindWall: return wallTextOf(wallText::kSunBehindWall, language);
    case WallRefusal::None: break;
  }
  return {};
}

}  // namespace tavrel
