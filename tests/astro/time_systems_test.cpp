#include "astro/time_systems.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/solar_ephemeris.h"
#include "base/angles.h"

namespace tavrel {
namespace {


// Closed forms (Meeus, Astronomical Algorithms, 2nd ed., eqs. 13.6 and
// 15.1 with h0 = 0): the half day arc, and the altitude at an hour angle.
double halfDayArc(double p, double d) {
  return std::acos(-std::tan(p * kRadPerDeg) * std::tan(d * kRadPerDeg)) / kRadPerDeg;
}
double altitudeAt(double H, double d, double p) {
  return std::asin(std::sin(p * kRadPerDeg) * std::sin(d * kRadPerDeg) +
                   std::cos(p * kRadPerDeg) * std::cos(d * kRadPerDeg) * std::cos(H * kRadPerDeg)) / kRadPerDeg;
}

// The declination the utilities hold for the day: 12:00 local time at the
// meridian.
double noonDeclination(int year, int day, double meridian) {
  double d = 0, eot = 0;
  solarPosition(year, day + meridian / 360, d, eot);
  return d;
}

struct Day {
  const char* what;
  int day;
  double meridian, latitude;
};
// Tolerance 1e-6 degree, except on the horizon, where the altitude is held
// a few 1e-9 degree off 0.
const Day kDays[] = {
    {"Feldkirch, summer solstice", 173, -9.59, 47.25},
    {"Feldkirch, winter", 356, -9.59, 47.25},
    {"Sydney, May", 130, -151.21, -33.87},
    {"Oslo, March", 75, -10.75, 59.91},
    {"equator, August", 220, 0, 0},
};

TEST(TemporalHourSun, SunriseNoonSunsetAndTheHoursBetween) {
  for (const Day& c : kDays) {
    SCOPED_TRACE(c.what);
    const double d = noonDeclination(2024, c.day, c.meridian);
    const double h0 = halfDayArc(c.latitude, d);
    // Hour 0 = sunrise, 12 = sunset: on the horizon, east and west.
    const HorizontalPosition rise = temporalHourSun(2024, c.day, 0, c.meridian, c.latitude);
    const HorizontalPosition set = temporalHourSun(2024, c.day, 12, c.meridian, c.latitude);
    EXPECT_NEAR(rise.altitude, 0, 1e-8);
    EXPECT_NEAR(set.altitude, 0, 1e-8);
    EXPECT_LT(rise.azimuth, 0);
    EXPECT_NEAR(set.azimuth, -rise.azimuth, 1e-6);
    // Hour 6 = apparent noon: 90 - |p - d|, due south (or north).
    const HorizontalPosition noon = temporalHourSun(2024, c.day, 6, c.meridian, c.latitude);
    EXPECT_NEAR(noon.altitude, 90 - std::fabs(c.latitude - d), 1e-6);
    EXPECT_EQ(noon.azimuth, c.latitude >= d ? 0.0 : 180.0);
    // Hour h: hour angle (h - 6) H0 / 6.
    for (double h : {1.0, 2.5, 4.0, 9.0, 11.5}) {
      const HorizontalPosition s = temporalHourSun(2024, c.day, h, c.meridian, c.latitude);
      EXPECT_NEAR(s.altitude, altitudeAt((h - 6) * h0 / 6, d, c.latitude), 1e-6) << h;
      const HorizontalPosition fixed = temporalHourSunAtDeclination(h, c.latitude, d);
      EXPECT_NEAR(fixed.altitude, s.altitude, 1e-9) << h;
      EXPECT_NEAR(fixed.azimuth, s.azimuth, 1e-9) << h;
    }
  }
}

TEST(TemporalHourSun, EqualHoursAtTheEquator) {
  // At the equator H0 = 90 every day: temporal hour h is 6 + h o'clock
  // apparent time, 15 degrees of hour angle each.
  for (double h : {1.0, 3.0, 8.0}) {
    const HorizontalPosition s = temporalHourSunAtDeclination(h, 0, 17);
    EXPECT_NEAR(s.altitude, altitudeAt(15 * (h - 6), 17, 0), 1e-9) << h;
  }
}

TEST(TemporalHourSun, MidnightSun) {
  // Within the polar circle in summer the half day arc is 180: temporal
  // hour 0 is midnight, with the sun at its lower culmination p + d - 90
  // above the horizon, due north.
  const HorizontalPosition s = temporalHourSunAtDeclination(0, 75, 20);
  EXPECT_NEAR(s.altitude, 5, 1e-9);
  EXPECT_NEAR(std::fabs(s.azimuth), 180, 1e-6);
}

TEST(ItalianBabylonianSun, HoursFromSunriseAndFromSunset) {
  for (const Day& c : kDays) {
    SCOPED_TRACE(c.what);
    const double d = noonDeclination(2024, c.day, c.meridian);
    const double dayLength = 2 * halfDayArc(c.latitude, d) / 15;
    const double sunrise = 12 - dayLength / 2;
    // Babylonian hour 0 = sunrise, hour = day length = sunset; Italian
    // hour 24 = sunset, 24 - day length = sunrise.
    const HorizontalPosition b0 = italianBabylonianSun(2024, c.day, true, 0, c.meridian, c.latitude);
    const HorizontalPosition bSet =
        italianBabylonianSun(2024, c.day, true, dayLength, c.meridian, c.latitude);
    const HorizontalPosition i24 = italianBabylonianSun(2024, c.day, false, 24, c.meridian, c.latitude);
    const HorizontalPosition iRise =
        italianBabylonianSun(2024, c.day, false, 24 - dayLength, c.meridian, c.latitude);
    for (const HorizontalPosition& s : {b0, bSet, i24, iRise}) EXPECT_NEAR(s.altitude, 0, 1e-8);
    EXPECT_LT(b0.azimuth, 0);
    EXPECT_NEAR(iRise.azimuth, b0.azimuth, 1e-6);
    EXPECT_NEAR(bSet.azimuth, -b0.azimuth, 1e-6);
    EXPECT_NEAR(i24.azimuth, -b0.azimuth, 1e-6);
    // Babylonian hour 3: three hours after sunrise; Italian hour 20: four
    // hours before sunset.
    const HorizontalPosition b3 = italianBabylonianSun(2024, c.day, true, 3, c.meridian, c.latitude);
    EXPECT_NEAR(b3.altitude, altitudeAt(15 * (sunrise + 3 - 12), d, c.latitude), 1e-6);
    const HorizontalPosition i20 =
        italianBabylonianSun(2024, c.day, false, 20, c.meridian, c.latitude);
    EXPECT_NEAR(i20.altitude, altitudeAt(15 * (sunrise + dayLength - 4 - 12), d, c.latitude), 1e-6);
  }
}

}  // namespace
}  // namespace tavrel
