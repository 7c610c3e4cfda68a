#include "astro/azimuth_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/solar_ephemeris.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "base/number_text.h"
#include "tables/sun_calculator.h"

namespace tavrel {
namespace {


class AzimuthTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = design();
    d.referenceYear = 2024;
    d.calcDay = 21;
    d.calcMonth = 6;
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.language = 2;
  }
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

// The search on the date and at the place the fixture keeps in the record,
// with the boxes the sun calculator shows for it. The search itself opens
// none.
AzimuthTime searchAt(double A) {
  const DesignState& s = design();
  AzimuthTime r;
  {
    ScopedScriptedPlatform silent;
    r = zoneTimeForAzimuth(A, {s.referenceYear, s.calcMonth, s.calcDay, s.latitude, s.longitude,
                               s.zoneMeridian});
    EXPECT_TRUE(silent->boxes.empty()) << "zoneTimeForAzimuth opened a box";
  }
  showAzimuthSearchMessages(r);
  return r;
}

// The hour angle at which a sun of declination d stands in azimuth A
// (from south, west positive) at latitude p, from Meeus, Astronomical
// Algorithms, 2nd ed., eq. 13.5, tan A = sin H / (cos H sin p - tan d cos p),
// solved for H: sin H cos A - cos H sin A sin p = -tan d cos p sin A, i.e.
// R sin(H - f) = K. Of the two solutions the one whose azimuth is A (and
// not A + 180) is returned; NaN when the sun never stands in A.
double hourAngleOfAzimuth(double A, double d, double p) {
  const double ca = std::cos(A * kRadPerDeg), sa = std::sin(A * kRadPerDeg);
  const double sp = std::sin(p * kRadPerDeg), cp = std::cos(p * kRadPerDeg);
  const double r = std::hypot(ca, sa * sp), f = std::atan2(sa * sp, ca) / kRadPerDeg;
  const double k = -std::tan(d * kRadPerDeg) * cp * sa;
  if (std::fabs(k) > r) return NAN;
  const double g = std::asin(k / r) / kRadPerDeg;
  for (double H : {f + g, f + 180 - g}) {
    H = std::remainder(H, 360.0);
    const double az = std::atan2(std::sin(H * kRadPerDeg), std::cos(H * kRadPerDeg) * sp -
                                                         std::tan(d * kRadPerDeg) * cp) / kRadPerDeg;
    if (std::fabs(std::remainder(az - A, 360.0)) < 1e-6) return H;
  }
  return NAN;
}

// The zone time near `near` (within 12 h) at which the sun of the design
// record stands in azimuth A: closed-form hour angle, then zone time =
// 12 + (lon - zone) / 15 + (H - eot) / 15, with declination and equation
// of time iterated to that instant.
double closedFormZoneTime(double A, double near) {
  const DesignState& s = design();
  const int day = dayOfYear(s.referenceYear, s.calcMonth, s.calcDay);
  double t = near;
  for (int i = 0; i < 5; ++i) {
    double d = 0, eot = 0;
    solarPosition(s.referenceYear, day + (t + s.zoneMeridian / 15 - 12) / 24, d, eot);
    const double H = hourAngleOfAzimuth(A, d, s.latitude);
    t = 12 + (s.longitude - s.zoneMeridian) / 15 + (H - eot) / 15;
    t = near + std::remainder(t - near, 24.0);
  }
  return t;
}

std::string expectedText(double t) {
  long s = std::lrint((t - std::floor(t)) * 3600);
  long h = static_cast<long>(t);
  if (s == 3600) {
    s = 0;
    ++h;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%3ld:%02ld:%02ld  hh:mm:ss", h, s / 60, s % 60);
  return buffer;
}

// Degrees per hour at which the sun's azimuth moves at zone time t.
double azimuthRate(double t) {
  const DesignState& s = design();
  const int day = dayOfYear(s.referenceYear, s.calcMonth, s.calcDay);
  const auto az = [&](double u) {
    return sunAtZoneTime(s.referenceYear, day, u, s.latitude, s.longitude, s.zoneMeridian, true)
        .azimuth;
  };
  return std::fabs(std::remainder(az(t + 0.001) - az(t - 0.001), 360.0)) / 0.002;
}

TEST_F(AzimuthTimeTest, AgreesWithTheClosedForm) {
  // Tolerance: the search stops when the azimuth is within 0.005 degree,
  // which is 0.005 / rate hours (the azimuth moves from about 2 degrees an
  // hour near a lower culmination to 40 near the zenith); plus 1 s.
  struct Place {
    const char* name;
    double latitude, longitude, zoneMeridian;
    int month;
  };
  const Place kPlaces[] = {
      {"Feldkirch, June", 47.25, -9.59, -15, 6},
      {"Feldkirch, December", 47.25, -9.59, -15, 12},
      {"Sydney, June", -33.87, -151.21, -150, 6},
      {"Santiago de Compostela on CET, June (noon at 13:34)", 42.88, 8.54, -15, 6},
      {"Tromso, June (midnight sun)", 69.65, -18.96, -15, 6},
  };
  double worst = 0;
  for (const Place& pl : kPlaces) {
    design().latitude = pl.latitude;
    design().longitude = pl.longitude;
    design().zoneMeridian = pl.zoneMeridian;
    design().calcMonth = pl.month;
    for (double A : {-170.0, -120.0, -90.0, -45.0, -2.0, 3.0, 30.0, 90.0, 135.0, 175.0}) {
      ScopedScriptedPlatform p;
      const AzimuthTime r = searchAt(A);
      SCOPED_TRACE(::testing::Message() << pl.name << ", A " << A);
      ASSERT_TRUE(r.found);
      EXPECT_TRUE(p->boxes.empty());
      // The closed form at the same instant: the search may answer for
      // the lower culmination before midnight or after it (times after
      // midnight count on past 24 h, times before it are negative).
      const double want = closedFormZoneTime(A, r.zoneTime);
      const double dt = r.zoneTime - want;
      // And within the half day of the search, in local mean time.
      const double localTime = r.zoneTime - (pl.longitude - pl.zoneMeridian) / 15;
      if (A < 0) {
        EXPECT_GE(localTime, 0);
        EXPECT_LE(localTime, 13.5);
      } else {
        EXPECT_GE(localTime, 10.5);
        EXPECT_LE(localTime, 24.99);
      }
      EXPECT_NEAR(dt, 0, 0.005 / azimuthRate(want) + 1.0 / 3600);
      worst = std::max(worst, std::fabs(dt));
      EXPECT_EQ(r.text, expectedText(r.zoneTime));
    }
  }
  std::cout << "zoneTimeForAzimuth - closed form: max " << worst * 3600 << " s\n";
}

TEST_F(AzimuthTimeTest, AzimuthZeroIsTrueNoon) {
  // A = 0 is searched as 0.0001 degree: true noon, 12 + (lon - zone) / 15 -
  // EoT / 15 (12:23 CET at Feldkirch on 21 June).
  ScopedScriptedPlatform p;
  const AzimuthTime r = searchAt(0);
  ASSERT_TRUE(r.found);
  double d = 0, eot = 0;
  solarPosition(2024, dayOfYear(2024, 6, 21) + (r.zoneTime - 1 - 12) / 24, d, eot);
  EXPECT_NEAR(r.zoneTime, 12 + (-9.59 + 15) / 15 - eot / 15, 0.001);
  EXPECT_EQ(r.text.substr(0, 6), " 12:23");
  EXPECT_TRUE(p->boxes.empty());
}

TEST_F(AzimuthTimeTest, UnreachableAzimuthsInTheTropics) {
  // At latitude 10 on 21 June the sun (declination 23.4) culminates north
  // of the zenith and never stands due south or due east: message 44 warns
  // that not every azimuth is reached, message 24 ends the search.
  design().latitude = 10;
  for (double A : {-90.0, 0.0, 30.0}) {
    ScopedScriptedPlatform p;
    const AzimuthTime r = searchAt(A);
    SCOPED_TRACE(A);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.text, "");
    ASSERT_EQ(p->boxes.size(), 2u);
    EXPECT_EQ(p->boxes[0].caption, MsgCaption::Warning);
    EXPECT_EQ(p->boxes[0].text, messageText(44));
    EXPECT_EQ(p->boxes[1].caption, MsgCaption::Error);
    EXPECT_EQ(p->boxes[1].text, "Cannot find solution!");
  }
  // Azimuths north of the prime vertical are reached (twice a day: the
  // sun passes azimuth 120 once above and once below the horizon), with
  // the warning.
  ScopedScriptedPlatform p;
  const AzimuthTime r = searchAt(120);
  ASSERT_TRUE(r.found);
  EXPECT_NEAR(sunAtZoneTime(2024, dayOfYear(2024, 6, 21), r.zoneTime, 10, -9.59, -15, true).azimuth,
              120, 0.005);
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].text, messageText(44));
}

TEST_F(AzimuthTimeTest, AzimuthOutsideTheBracket) {
  // Latitude -20 on 21 December: the sun (declination -23.4) culminates
  // south of the zenith and its forenoon azimuths stay between about -114
  // and 0; -150 lies outside the bracket's azimuths: the error box names
  // both ends and the azimuth (fixedText widths 9, 8, 8), then the warning
  // of message 44 and the failure of the bisection (messages 31 and 32).
  design().latitude = -20;
  design().calcMonth = 12;
  design().language = 1;
  ScopedScriptedPlatform p;
  searchAt(-150);
  ASSERT_GE(p->boxes.size(), 3u);
  const std::string& first = p->boxes[0].text;
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  ASSERT_EQ(first.size(), std::string("Fehler: Az1=").size() + 9 + 8 + 8 +
                              std::string(" Azimut=").size() + std::string(" Az2=").size());
  EXPECT_EQ(first.substr(0, 12), "Fehler: Az1=");
  EXPECT_EQ(first.substr(21, 16), " Azimut= -150.00");
  EXPECT_EQ(first.substr(37, 5), " Az2=");
  EXPECT_EQ(p->boxes[1].text, messageText(44));
  EXPECT_EQ(p->boxes[2].text, messagePair(31, 32));
}

TEST_F(AzimuthTimeTest, OutsideTheBracketInEnglish) {
  design().latitude = -20;
  design().calcMonth = 12;
  ScopedScriptedPlatform p;
  const AzimuthTime r = searchAt(-150);
  ASSERT_TRUE(r.azimuthOutsideBracket);
  ASSERT_FALSE(p->boxes.empty());
  EXPECT_EQ(p->boxes[0].text, "Error: Az1=" + fixedText(r.bracketAzimuth1, 9, 2) +
                                  " Azimuth= -150.00 Az2=" + fixedText(r.bracketAzimuth2, 8, 2));
}

TEST_F(AzimuthTimeTest, TheSearchReportsInItsResultAndOpensNoBox) {
  // The cases that open boxes in the calculator, searched alone: the
  // scripted platform records nothing, the flags say what happened.
  struct Case {
    double latitude;
    int month;
    double azimuth;
    bool found, outside, notEvery, lost;
  };
  const Case cases[] = {
      {47.25, 6, 0, true, false, false, false},    // Feldkirch, true noon
      {10, 6, -90, false, false, true, false},     // tropics: due east is never reached
      {10, 6, 120, true, false, true, false},      // north-west is
      {-20, 12, -150, true, true, true, true},     // outside the bracket, bisection lost
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.latitude << " " << c.month << " " << c.azimuth);
    ScopedScriptedPlatform p;
    const AzimuthTime r = zoneTimeForAzimuth(c.azimuth, {2024, c.month, 21, c.latitude, -9.59, -15});
    EXPECT_TRUE(p->boxes.empty());
    EXPECT_EQ(r.found, c.found);
    EXPECT_EQ(r.azimuthOutsideBracket, c.outside);
    EXPECT_EQ(r.notEveryAzimuthReached, c.notEvery);
    EXPECT_EQ(r.bracketLost, c.lost);
  }
}

TEST_F(AzimuthTimeTest, GermanMessages) {
  design().language = 1;
  design().latitude = 10;
  ScopedScriptedPlatform p;
  searchAt(0);
  ASSERT_EQ(p->boxes.size(), 2u);
  EXPECT_EQ(p->boxes[1].text, "Die Aufgabe kann nicht gelöst werden!");
}

}  // namespace
}  // namespace tavrel
