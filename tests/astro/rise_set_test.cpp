#include "astro/rise_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/solar_ephemeris.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "sun_reference_tables.h"

namespace tavrel {
namespace {

using testing::azimuthDifference;
using testing::azimuthFromSouth;


// Closed forms of spherical astronomy (Meeus, Astronomical Algorithms,
// 2nd ed., eq. 15.1 with h0 = 0; the azimuth of the rising point from
// sin d = cos p cos A_N on the horizon, A_N counted from north):
//   cos H0 = -tan p tan d,
//   azimuth of sunset from south, west positive = 180 - arccos(sin d / cos p).
double closedFormH0(double p, double d) {
  return std::acos(-std::tan(p * kRadPerDeg) * std::tan(d * kRadPerDeg)) / kRadPerDeg;
}
double closedFormSetAzimuth(double p, double d) {
  return 180 - std::acos(std::sin(d * kRadPerDeg) / std::cos(p * kRadPerDeg)) / kRadPerDeg;
}

class RiseSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    design().referenceYear = 2024;
    design().zoneMeridian = -15;
  }
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

// ---------------------------------------------------------------------------
// The half day arc of a declination

TEST(RiseSetHourAngleFromDeclination, ClosedFormAndPolarFlags) {
  struct Row {
    double d, p;
    bool notPolarDay, notPolarNight;
    double h0;  // < 0: the closed form
  };
  // Flags: the sun never sets when its lower culmination p + d - 90 (north)
  // is above the horizon; north of the equator the limits are strict.
  const Row kRows[] = {
      {23.44, 47, true, true, -1},
      {-23.44, 47, true, true, -1},
      {10, -33.9, true, true, -1},
      {-23.44, -47, true, true, -1},
      {23.44, 0, true, true, 90},
      {-23.44, 0, true, true, 90},
      {0, 47, true, true, 90},
      {0, -47, true, true, 90},
      {23.44, 66.5, true, true, -1},       // 0.06 degree short of the midnight sun
      {23.44, 70, false, true, 0},         // midnight sun
      {-23.44, 70, true, false, 0},        // polar night
      {23.44, -70, true, false, 0},        // southern polar night
      {-23.44, -70, false, true, 0},       // southern midnight sun
      // Lower culmination exactly on the horizon (values exact in binary):
      // a polar day by the strict northern test, H0 = 180 by the southern.
      {23.5, 66.5, false, true, 0},
      {-23.5, -66.5, true, true, 180},
      {0, 90, false, false, 0},            // north pole on the equinox: both strict tests fail
      {0, -90, true, true, 90},            // south pole on the equinox
      {5, 90, false, true, 0},
      {-5, 90, true, false, 0},
  };
  for (const Row& r : kRows) {
    const RiseSetArc a = riseSetHourAngleFromDeclination(r.d, r.p);
    SCOPED_TRACE(::testing::Message() << "d " << r.d << " p " << r.p);
    EXPECT_EQ(a.notPolarDay, r.notPolarDay);
    EXPECT_EQ(a.notPolarNight, r.notPolarNight);
    EXPECT_NEAR(a.hourAngle, r.h0 < 0 ? closedFormH0(r.p, r.d) : r.h0, 1e-6);
    EXPECT_EQ(a.declination, r.d);
  }
}

TEST(SunsetHourAngleAndAzimuth, ClosedForm) {
  // The azimuth of sunset from sin d = cos p cos A_N; the sun at H0 stands
  // on the horizon. Tolerance 1e-6 degree.
  for (double p : {-60.0, -33.87, -5.0, 0.0, 10.0, 47.25, 59.9, 66.0})
    for (double d : {-23.44, -12.0, 0.0, 7.5, 23.44}) {
      const SunsetArc s = sunsetHourAngleAndAzimuth(d, p);
      SCOPED_TRACE(::testing::Message() << "p " << p << " d " << d);
      EXPECT_NEAR(s.hourAngle, closedFormH0(p, d), 1e-6);
      EXPECT_NEAR(s.azimuth, closedFormSetAzimuth(p, d), 1e-6);
      EXPECT_NEAR(s.altitude, 0, 1e-8);
      EXPECT_FALSE(s.sunDoesNotSet);
    }
}

TEST(SunsetHourAngleAndAzimuth, PolarDaysAndNights) {
  struct Row {
    const char* what;
    double d, p;
    double h0, azimuth, altitude;
    bool sunDoesNotSet;
  };
  // At H0 = 180 the sun is at its lower culmination, altitude p + d - 90
  // (north) or -(p + d) - 90 (south), due north or due south; at H0 = 0 at
  // noon, below the horizon (altitude 90 - |p - d|... negative).
  const Row kRows[] = {
      {"midnight sun, north", 20, 80, 180, 180, 10, true},
      {"midnight sun, south", -20, -80, 180, 0, 10, true},
      {"polar night, north", -20, 80, 0, 0, -10, false},
      {"polar night, south", 20, -80, 0, 180, -10, false},
      {"north pole, summer", 10, 90, 180, 180, 10, true},
      {"north pole, winter", -10, 90, 0, 0, -10, false},
      {"south pole, summer", -10, -90, 180, 0, 10, true},
      {"north pole, equinox", 0, 90, 90, 90, 0, false},
      {"grazing: lower culmination 0.05 degree up", 23.44, 66.61, 180, 180, 0.05, false},
  };
  for (const Row& r : kRows) {
    const SunsetArc s = sunsetHourAngleAndAzimuth(r.d, r.p);
    EXPECT_EQ(s.hourAngle, r.h0) << r.what;
    EXPECT_NEAR(azimuthDifference(s.azimuth, r.azimuth), 0, 1e-6) << r.what;
    EXPECT_NEAR(s.altitude, r.altitude, 1e-8) << r.what;
    EXPECT_EQ(s.sunDoesNotSet, r.sunDoesNotSet) << r.what;
  }
}

TEST(SunsetHourAngleAndAzimuth, WarningTextInBothLanguages) {
  EXPECT_EQ(noRiseSetWarningText(2), "On some days no sun rise/set!");
  EXPECT_EQ(noRiseSetWarningText(1), "An einigen Tagen kein Sonnenauf-/untergang!");
}

// ---------------------------------------------------------------------------
// Days of the reference year

TEST_F(RiseSetTest, RiseSetHourAngleUsesLocalMeanNoonOfTheReferenceMeridian) {
  for (double ref : {-15.0, -9.59, 0.0, 75.0}) {
    double d = 0, e = 0;
    solarPosition(2024, 100 + ref / 360, d, e);  // 12:00 local mean time at ref
    const RiseSetArc a = riseSetHourAngle(2024, 100, ref, 47.25);
    EXPECT_EQ(a.declination, d) << ref;
    EXPECT_EQ(a.eot, e) << ref;
    EXPECT_NEAR(a.hourAngle, closedFormH0(47.25, d), 1e-9) << ref;
  }
  // The year is an argument; the record's is not read.
  design().referenceYear = 2024;
  double d = 0, e = 0;
  solarPosition(1900, 100, d, e);
  EXPECT_EQ(riseSetHourAngle(1900, 100, 0, 47.25).declination, d);
}

TEST_F(RiseSetTest, RiseSetHourAnglePolarCases) {
  const int june21 = dayOfYear(2024, 6, 21), dec21 = dayOfYear(2024, 12, 21);
  struct Row {
    int day;
    double p;
    bool notPolarDay, notPolarNight;
    double h0;
  };
  const Row kRows[] = {
      {june21, 70, false, true, 0},   {dec21, 70, true, false, 0},
      {june21, -70, true, false, 0},  {dec21, -70, false, true, 0},
      {june21, 90, false, true, 0},   {dec21, -90, false, true, 0},
      {june21, 0, true, true, 90},    {dec21, 0, true, true, 90},
  };
  for (const Row& r : kRows) {
    const RiseSetArc a = riseSetHourAngle(2024, r.day, 0, r.p);
    SCOPED_TRACE(::testing::Message() << "day " << r.day << " p " << r.p);
    EXPECT_EQ(a.notPolarDay, r.notPolarDay);
    EXPECT_EQ(a.notPolarNight, r.notPolarNight);
    EXPECT_NEAR(a.hourAngle, r.h0, 1e-9);
  }
}

TEST_F(RiseSetTest, RiseSetZoneTimes) {
  const int june21 = dayOfYear(2024, 6, 21), dec21 = dayOfYear(2024, 12, 21);
  // Polar codes.
  EXPECT_EQ(riseSetZoneTimes(2024, june21, -15, -15, 70).rise, 0);
  EXPECT_EQ(riseSetZoneTimes(2024, june21, -15, -15, 70).set, 24);
  EXPECT_EQ(riseSetZoneTimes(2024, dec21, -15, -15, 70).rise, -1);
  EXPECT_EQ(riseSetZoneTimes(2024, dec21, -15, -15, 70).set, 0);
  EXPECT_EQ(riseSetZoneTimes(2024, june21, -15, -15, -70).rise, -1);
  EXPECT_EQ(riseSetZoneTimes(2024, dec21, -15, -15, -70).set, 24);
  // At the reference meridian = zone meridian: 12 -+ H0 / 15.
  const RiseSetArc a = riseSetHourAngle(2024, june21, -15, 47.25);
  const RiseSetTimes t = riseSetZoneTimes(2024, june21, -15, -15, 47.25);
  EXPECT_NEAR(t.rise, 12 - a.hourAngle / 15, 1e-12);
  EXPECT_NEAR(t.set, 12 + a.hourAngle / 15, 1e-12);
  EXPECT_NEAR(t.set - t.rise, 2 * closedFormH0(47.25, a.declination) / 15, 1e-9);
  // Another reference meridian moves both by (zoneMeridian - ref) / 15, and
  // reading the table back with H = 15 (T - 12) - (zoneMeridian - ref)
  // gives -+H0.
  const RiseSetTimes f = riseSetZoneTimes(2024, june21, -15, -9.59, 47.25);
  const RiseSetArc b = riseSetHourAngle(2024, june21, -9.59, 47.25);
  EXPECT_NEAR(f.rise, (-15 + 9.59) / 15 + 12 - b.hourAngle / 15, 1e-12);
  EXPECT_NEAR(15 * (f.set - 12) - (-15 + 9.59), b.hourAngle, 1e-9);
  EXPECT_NEAR(15 * (f.rise - 12) - (-15 + 9.59), -b.hourAngle, 1e-9);
  // Equator: twelve hours of day all year.
  for (int day : {1, 80, 172, 355}) {
    const RiseSetTimes e = riseSetZoneTimes(2024, day, -15, -15, 0);
    EXPECT_NEAR(e.rise, 6, 1e-12) << day;
    EXPECT_NEAR(e.set, 18, 1e-12) << day;
  }
}

TEST_F(RiseSetTest, AgreesWithPyEphem) {
  // ephem's sunrise and sunset on the geometric horizon, as local apparent
  // times: sunriseSunsetApparent, and riseSetZoneTimes with reference and
  // zone meridian at the place (its mean time without equation of time is
  // then the apparent time). Both keep the declination of noon for the day;
  // the sun's declination changes by up to 0.1 degree in the 6 hours to
  // the event, which moves the event by up to 1.3 minutes at 60 degrees of
  // latitude and moves its azimuth by up to 0.1 / cos(latitude) degree
  // (sin d = cos p cos A_N): tolerances 0.03 h (1.8 min) and
  // 0.12 / cos(latitude) degree.
  const auto rows = testing::riseSetReference();
  ASSERT_GE(rows.size(), 30u);
  double timeMax = 0, azimuthMax = 0;
  int polar = 0;
  for (const auto& r : rows) {
    const int day = dayOfYear(r.year, r.month, r.day);
    const ApparentRiseSet a = sunriseSunsetApparent(r.year, day, r.latitude, r.longitude);
    const RiseSetTimes z = riseSetZoneTimes(r.year, day, r.longitude, r.longitude, r.latitude);
    SCOPED_TRACE(::testing::Message() << r.place << " " << r.year << "-" << r.month << "-" << r.day);
    if (r.kind == "up") {
      EXPECT_EQ(a.rise, 0);
      EXPECT_EQ(a.set, 24);
      EXPECT_EQ(z.rise, 0);
      EXPECT_EQ(z.set, 24);
      ++polar;
      continue;
    }
    if (r.kind == "down") {
      EXPECT_EQ(a.rise, 12);
      EXPECT_EQ(a.set, 12);
      EXPECT_EQ(z.rise, -1);
      EXPECT_EQ(z.set, 0);
      ++polar;
      continue;
    }
    for (double dt : {a.rise - r.rise, a.set - r.set, z.rise - r.rise, z.set - r.set}) {
      EXPECT_NEAR(dt, 0, 0.03);
      timeMax = std::max(timeMax, std::fabs(dt));
    }
    for (double dA : {azimuthDifference(a.azimuthRise, azimuthFromSouth(r.riseAzimuthNorthEast)),
                      azimuthDifference(a.azimuthSet, azimuthFromSouth(r.setAzimuthNorthEast))}) {
      EXPECT_NEAR(dA, 0, 0.12 / std::cos(r.latitude * kRadPerDeg));
      azimuthMax = std::max(azimuthMax, std::fabs(dA));
    }
  }
  EXPECT_GE(polar, 2);
  std::cout << "rise/set - PyEphem (" << rows.size() << " days, " << polar
            << " polar): time max " << timeMax * 60 << " min, azimuth max " << azimuthMax
            << " degree\n";
}

TEST_F(RiseSetTest, SunriseSunsetApparentPolarCodes) {
  // Latitude 70 at the solstices: rise 0 and set 24 (H0 = 180) in June,
  // rise = set = 12 (H0 = 0) in December.
  for (int day : {dayOfYear(2024, 6, 15), dayOfYear(2024, 6, 21), dayOfYear(2024, 6, 28)}) {
    const ApparentRiseSet s = sunriseSunsetApparent(2024, day, 70, -15);
    EXPECT_EQ(s.rise, 0) << day;
    EXPECT_EQ(s.set, 24) << day;
    EXPECT_GT(s.declination, 22) << day;
  }
  for (int day : {dayOfYear(2024, 12, 15), dayOfYear(2024, 12, 21), dayOfYear(2024, 12, 28)}) {
    const ApparentRiseSet s = sunriseSunsetApparent(2024, day, 70, -15);
    EXPECT_EQ(s.rise, 12) << day;
    EXPECT_EQ(s.set, 12) << day;
  }
  // The north pole: a day of 24 hours in summer, none in winter.
  EXPECT_EQ(sunriseSunsetApparent(2024, 172, 90, 0).set, 24);
  EXPECT_EQ(sunriseSunsetApparent(2024, 355, 90, 0).set, 12);
  EXPECT_EQ(sunriseSunsetApparent(2024, 355, -90, 0).set, 24);
}

// ---------------------------------------------------------------------------
// Tables

TEST_F(RiseSetTest, RiseSetTimeTable) {
  const RiseSetTimeTable t = riseSetTimeTable(2024, -15, -9.59, 47.25);
  const int months[] = {6, 7, 8, 9, 10, 11, 12};
  const int days[] = {1, 11, 21};
  for (int m = 0; m < 7; ++m)
    for (int k = 0; k < 3; ++k) {
      const RiseSetTimes want =
          riseSetZoneTimes(2024, dayOfYear(2024, months[m], days[k]), -15, -9.59, 47.25);
      EXPECT_EQ(t[m][k].rise, want.rise) << months[m] << "/" << days[k];
      EXPECT_EQ(t[m][k].set, want.set) << months[m] << "/" << days[k];
    }
  // 21 June: the longest day, about 2 * 117.7 / 15 = 15.7 hours; 21 December
  // the shortest, about 8.3 hours.
  EXPECT_NEAR(t[0][2].set - t[0][2].rise, 2 * closedFormH0(47.25, 23.44) / 15, 0.01);
  EXPECT_NEAR(t[6][2].set - t[6][2].rise, 2 * closedFormH0(47.25, -23.44) / 15, 0.01);
  // Polar codes in the table at 70 degrees: June 21 never sets.
  const RiseSetTimeTable polar = riseSetTimeTable(2024, -15, -15, 70);
  EXPECT_EQ(polar[0][2].rise, 0);
  EXPECT_EQ(polar[0][2].set, 24);
  EXPECT_EQ(polar[6][2].rise, -1);
}

TEST_F(RiseSetTest, RiseSetAzimuthTable) {
  // Closed-form azimuth of the rising and setting point, with the
  // declination of the day; the table takes the sun at the times of rise
  // and set, when the declination differs from noon's by up to 0.1 degree:
  // tolerance 0.3 degree.
  const RiseSetAzimuthTable t = riseSetAzimuthTable(2024, -15, 47.25);
  const int days[] = {1, 8, 15, 22};
  double worst = 0;
  for (int m = 1; m <= 12; ++m)
    for (int k = 0; k < 4; ++k) {
      const int day = dayOfYear(2024, m, days[k]);
      double d = 0, e = 0;
      solarPosition(2024, day + (-15.0 / 15) / 24, d, e);
      const double set = closedFormSetAzimuth(47.25, d);
      EXPECT_NEAR(t.set[m - 1][k], set, 0.3) << m << "/" << days[k];
      EXPECT_NEAR(t.rise[m - 1][k], -set, 0.3) << m << "/" << days[k];
      worst = std::max({worst, std::fabs(t.set[m - 1][k] - set), std::fabs(t.rise[m - 1][k] + set)});
    }
  std::cout << "rise/set azimuth table - closed form: max " << worst << " degree\n";
}

}  // namespace
}  // namespace tavrel
