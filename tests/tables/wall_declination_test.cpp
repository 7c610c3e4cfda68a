// The wall declination from a board measurement, against a board simulated
// from an independent sun: PyEphem's sun (tests/data/sun_horizontal_
// reference.tsv) casts the shadow of a pin's top on a level board in front
// of a wall whose facing is given as a compass bearing, and the angle read
// there is fed back. The declination the program finds must be the wall's,
// in the convention of the vertical-dial page: a dial drawn with it is the
// dial of the true wall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "astro/sun_reference_tables.h"
#include "dials/dial_test_util.h"
#include "tables/wall_declination.h"

namespace tavrel::testing {
namespace {

// --- the simulated board -----------------------------------------------------------
// East-north-up frame. A wall "faces" the compass bearing beta (from north
// through east) when its outward perpendicular points there. The pin
// stands on P = origin with its top at (0, 0, h); the sun's unit vector s
// comes from ephem's altitude and azimuth (from north through east).

struct Vec3 {
  double e, n, u;
};

Vec3 sunVector(double altitude, double azimuthNorthEast) {
  const double h = radians(altitude), a = radians(azimuthNorthEast);
  return {std::sin(a) * std::cos(h), std::cos(a) * std::cos(h), std::sin(h)};
}

double wrap(double a) {
  while (a <= -180) a += 360;
  while (a > 180) a -= 360;
  return a;
}

// The angle a board shows: the shadow S of the pin's top T on the board
// plane u = 0 lies where the ray T - t s meets it; the reading is the turn
// from the wall's outward perpendicular to the line S -> P, counted
// clockwise seen from above (from north towards east, bearings growing).
double boardAngle(const Vec3& sun, double wallBearing) {
  const double pinHeight = 50;
  const double t = pinHeight / sun.u;
  const Vec3 shadow{-t * sun.e, -t * sun.n, 0};
  const double toPinE = -shadow.e, toPinN = -shadow.n;
  const double lineBearing = degrees(std::atan2(toPinE, toPinN));
  return wrap(lineBearing - wallBearing);
}

// The record's declination of a wall facing `bearing`, from the page's
// convention (azimuth of the normal from south, west positive, east
// negative): south 0, south-west +45, west +90, north 180.
double recordDeclinationOfBearing(double bearing) { return wrap(bearing - 180); }

// The true walls by the bearing they face: east to west through south
// (declinations -90..90) and two beyond (north-west, north-north-east).
constexpr double kWallBearings[] = {90, 112.5, 135, 160, 176.75, 180, 191.7, 213, 225, 240, 269, 270, 315, 20};

// Reference: PyEphem 4.1.4 (README.md of tests/data); the program's sun is
// within about 0.01 degree of it in azimuth for altitudes up to 70
// degrees, so the declination found must be within 0.02 degree. Rows with
// the sun within 0.5 degree of the horizon are left out (the two suns may
// stand on different sides of it); higher than 70 degrees the azimuth
// turns too fast for a board anyway.
constexpr double kTolerance = 0.02;

TEST(WallDeclination, BoardAngleOfASimulatedShadowGivesTheWallBack) {
  const auto rows = horizontalReference();
  ASSERT_GE(rows.size(), 100u);
  double worst = 0;
  int checked = 0, belowHorizon = 0, behindWall = 0;
  for (const HorizontalReferenceRow& row : rows) {
    if (std::fabs(row.altitude) < 0.5 || row.altitude > 70) continue;
    const Vec3 sun = sunVector(row.altitude, row.azimuthNorthEast);
    const WallPlace place{row.latitude, row.longitude, row.zoneMeridian};
    for (double bearing : kWallBearings) {
      const double declination = recordDeclinationOfBearing(bearing);
      SCOPED_TRACE(row.place + " " + std::to_string(row.month) + "/" + std::to_string(row.day) + " " +
                   std::to_string(row.zoneTime) + " h, wall facing " + std::to_string(bearing));
      const double angle = sun.u > 0 ? boardAngle(sun, bearing) : 10.0;
      const WallMeasurement m{row.year, row.month, row.day, row.zoneTime, WallClock::Zone, angle};
      const WallReading r = wallReading(place, m);
      if (row.altitude < 0) {
        EXPECT_EQ(r.refusal, WallRefusal::SunBelowHorizon);
        ++belowHorizon;
        continue;
      }
      if (std::fabs(angle) >= 90) {
        // Sun behind the wall: no shadow on the board, and the angle is refused.
        EXPECT_EQ(r.refusal, WallRefusal::SunBehindWall);
        ++behindWall;
        continue;
      }
      ASSERT_EQ(r.refusal, WallRefusal::None);
      const double error = std::fabs(wrap(r.declination - declination));
      worst = std::max(worst, error);
      EXPECT_LE(error, kTolerance) << "found " << r.declination;
      ++checked;
    }
  }
  EXPECT_GE(checked, 300);
  EXPECT_GT(belowHorizon, 20);
  EXPECT_GT(behindWall, 100);
  RecordProperty("worst_error_deg", std::to_string(worst));
  std::printf("wall declination: %d readings, worst error %.4f degree\n", checked, worst);
}

TEST(WallDeclination, LocalMeanTimeIsZoneTimeOfTheOwnMeridian) {
  // Feldkirch, 21 June 2024, 15:30 zone time (zone -15, longitude -9.59):
  // local mean time is 15.5 - (15 - 9.59) / 15 hours.
  const WallPlace place{47.25, -9.59, -15};
  const WallReading zone = wallReading(place, {2024, 6, 21, 15.5, WallClock::Zone, 20});
  const WallReading local =
      wallReading(place, {2024, 6, 21, 15.5 - (15 - 9.59) / 15, WallClock::LocalMean, 20});
  ASSERT_EQ(zone.refusal, WallRefusal::None);
  EXPECT_NEAR(local.sunAzimuth, zone.sunAzimuth, 1e-9);
  EXPECT_NEAR(local.declination, zone.declination, 1e-9);
  // ephem: azimuth 253.861985 from north = 73.862 from south.
  EXPECT_NEAR(zone.sunAzimuth, 73.862, 0.01);
  EXPECT_NEAR(zone.declination, 53.862, 0.01);
}

// --- refusals ----------------------------------------------------------------------

struct RefusalCase {
  const char* name;
  WallMeasurement m;
  WallRefusal expected;
};

const RefusalCase kRefusals[] = {
    {"30 February", {2024, 2, 30, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"29 February of a common year", {2023, 2, 29, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"month 13", {2024, 13, 1, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"day 0", {2024, 6, 0, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"calendar reform gap", {1582, 10, 10, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"year before the ephemeris", {1200, 6, 21, 12, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"hour 25", {2024, 6, 21, 25, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"negative hour", {2024, 6, 21, -1, WallClock::Zone, 10}, WallRefusal::ImpossibleTime},
    {"hour NaN", {2024, 6, 21, std::numeric_limits<double>::quiet_NaN(), WallClock::Zone, 10},
     WallRefusal::ImpossibleTime},
    {"midnight", {2024, 6, 21, 0.5, WallClock::Zone, 10}, WallRefusal::SunBelowHorizon},
    {"December evening", {2024, 12, 21, 17.5, WallClock::LocalMean, 10}, WallRefusal::SunBelowHorizon},
    {"angle 90", {2024, 6, 21, 12, WallClock::Zone, 90}, WallRefusal::SunBehindWall},
    {"angle -90", {2024, 6, 21, 12, WallClock::Zone, -90}, WallRefusal::SunBehindWall},
    {"angle 135", {2024, 6, 21, 12, WallClock::Zone, 135}, WallRefusal::SunBehindWall},
    {"angle NaN", {2024, 6, 21, 12, WallClock::Zone, std::numeric_limits<double>::quiet_NaN()},
     WallRefusal::SunBehindWall},
    {"angle 89.9 is a reading", {2024, 6, 21, 12, WallClock::Zone, 89.9}, WallRefusal::None},
    {"29 February of a leap year", {2024, 2, 29, 12, WallClock::Zone, 10}, WallRefusal::None},
};

TEST(WallDeclination, RefusalsAreValuesWithTextsInBothLanguages) {
  startProgram();
  const WallPlace feldkirch{47.25, -9.59, -15};
  for (const RefusalCase& c : kRefusals) {
    SCOPED_TRACE(c.name);
    const WallReading r = wallReading(feldkirch, c.m);
    EXPECT_EQ(r.refusal, c.expected);
    if (c.expected == WallRefusal::None) {
      EXPECT_TRUE(std::isfinite(r.declination));
      continue;
    }
    EXPECT_EQ(r.declination, 0);
    const std::string german = wallRefusalText(r.refusal, 1), english = wallRefusalText(r.refusal, 2);
    EXPECT_FALSE(german.empty());
    EXPECT_FALSE(english.empty());
    EXPECT_NE(german, english);
  }
  EXPECT_EQ(wallRefusalText(WallRefusal::SunBelowHorizon, 2),
            "The sun is below the horizon at that time: there is no shadow.");
  EXPECT_EQ(wallRefusalText(WallRefusal::None, 2), "");
}

// --- several readings ----------------------------------------------------------------

WallReading readingOf(double declination) {
  WallReading r;
  r.declination = declination;
  return r;
}

// The sample standard deviation, computed here from the definition.
double sampleDeviation(const std::vector<double>& v) {
  const double mean = std::accumulate(v.begin(), v.end(), 0.0) / v.size();
  double s = 0;
  for (double x : v) s += (x - mean) * (x - mean);
  return std::sqrt(s / (v.size() - 1));
}

TEST(WallDeclination, NoisyReadingsGiveMeanAndSpreadAndABadRowIsMarked) {
  // A wall of -23.4 read five times with a board read to half a degree, and
  // once with the clock an hour off (the sun 12 degrees further on).
  const std::vector<double> good = {-23.1, -23.9, -23.4, -22.8, -23.6};
  std::vector<WallReading> readings;
  for (double d : good) readings.push_back(readingOf(d));
  readings.insert(readings.begin() + 2, readingOf(-11.2));
  WallReading refused = readingOf(0);
  refused.refusal = WallRefusal::SunBehindWall;
  readings.push_back(refused);

  const WallSummary s = summariseWallReadings(readings);
  ASSERT_EQ(s.outlier.size(), readings.size());
  EXPECT_EQ(s.outlier, (std::vector<bool>{false, false, true, false, false, false, false}));
  EXPECT_EQ(s.used, 5);
  EXPECT_NEAR(s.mean, -23.36, 1e-9);
  EXPECT_NEAR(s.spread, sampleDeviation(good), 1e-9);
  EXPECT_NEAR(s.spread, 0.4278, 1e-4);

  // Without the bad row nothing is marked and the numbers stay.
  readings.erase(readings.begin() + 2);
  const WallSummary clean = summariseWallReadings(readings);
  EXPECT_EQ(std::count(clean.outlier.begin(), clean.outlier.end(), true), 0);
  EXPECT_NEAR(clean.mean, -23.36, 1e-9);
}

TEST(WallDeclination, ScatterWithinTheFloorMarksNothing) {
  // Three readings 1.5 degrees apart: a careful board cannot do better than
  // that in the sun near noon; none is far from the rest.
  const WallSummary s = summariseWallReadings({readingOf(10), readingOf(10.1), readingOf(11.6)});
  EXPECT_EQ(std::count(s.outlier.begin(), s.outlier.end(), true), 0);
  EXPECT_NEAR(s.mean, 10.5666667, 1e-6);
  // Two readings: no outlier can be told; one reading: spread 0.
  const WallSummary two = summariseWallReadings({readingOf(10), readingOf(30)});
  EXPECT_EQ(two.used, 2);
  EXPECT_NEAR(two.mean, 20, 1e-12);
  EXPECT_EQ(summariseWallReadings({readingOf(7)}).spread, 0);
  EXPECT_EQ(summariseWallReadings({}).used, 0);
}

TEST(WallDeclination, ANorthFacingWallAveragesAcrossPlusMinus180) {
  const WallSummary s = summariseWallReadings({readingOf(178.5), readingOf(-179.5), readingOf(179.6)});
  EXPECT_NEAR(s.mean, 179.5333, 1e-4);
  EXPECT_NEAR(s.spread, sampleDeviation({178.5, 180.5, 179.6}), 1e-9);
  const WallSummary across = summariseWallReadings({readingOf(179.5), readingOf(-178.5)});
  EXPECT_NEAR(across.mean, -179.5, 1e-9);
}

// --- the declination is the vertical-dial page's ---------------------------------------

class WallDeclinationDialTest : public PlanarDialTest {};

TEST_F(WallDeclinationDialTest, TheMeasuredDeclinationDrawsTheTrueWallsDial) {
  // Walls facing south-west (bearing 225), south and south-east at
  // Feldkirch, each read on 21 June 2024 while the sun (ephem's) shines on
  // it: in the afternoon, at noon, in the morning.
  struct Wall {
    double bearing, typed;
    double zoneTime, altitude, azimuthNorthEast;
  };
  for (const Wall wall : {Wall{225, 45, 15.5, 46.048644, 253.861985}, Wall{180, 0, 12, 65.723973, 166.765120},
                          Wall{150, -30, 8, 33.131407, 90.365233}}) {
    SCOPED_TRACE(wall.typed);
    const Vec3 sun = sunVector(wall.altitude, wall.azimuthNorthEast);
    const WallReading r = wallReading(
        {47.25, -9.59, -15}, {2024, 6, 21, wall.zoneTime, WallClock::Zone, boardAngle(sun, wall.bearing)});
    ASSERT_EQ(r.refusal, WallRefusal::None);
    EXPECT_NEAR(r.declination, wall.typed, kTolerance);

    DesignState& d = design();
    d.dialKind = 'v';
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.planeInclination = 90;
    d.gnomonLength = 35;
    d.localTimeNoEot = true;
    d.hourLinesFrom = 6;
    d.hourLinesTo = 20;
    d.hourLineInterval = '0';
    d.wallDeclination = r.declination;
    const auto measured = segments(draw(800, 200), 3);
    d.wallDeclination = wall.typed;
    const auto typed = segments(draw(800, 200), 3);
    d.wallDeclination = -wall.typed;
    const auto mirrored = segments(draw(800, 200), 3);
    ASSERT_FALSE(typed.empty());
    ASSERT_EQ(measured.size(), typed.size());
    double worst = 0;
    for (std::size_t k = 0; k < typed.size(); ++k)
      for (int i = 0; i < 4; ++i) worst = std::max(worst, std::fabs(measured[k][i] - typed[k][i]));
    EXPECT_LT(worst, 0.5) << "pixels";
    if (wall.typed != 0) {
      // The other sign draws another dial: the comparison can tell them apart.
      bool differs = mirrored.size() != typed.size();
      for (std::size_t k = 0; !differs && k < typed.size(); ++k)
        for (int i = 0; i < 4; ++i) differs = differs || std::fabs(mirrored[k][i] - typed[k][i]) > 5;
      EXPECT_TRUE(differs);
    }
  }
}

}  // namespace
}  // namespace tavrel::testing
