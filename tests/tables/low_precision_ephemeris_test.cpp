// The low-precision ephemeris and the parabola of the rise/set search
// against published values.
#include "base/angles.h"
#include "tables/low_precision_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tables/rise_set_search.h"

namespace tavrel {
namespace {

struct MjdCase {
  const char* source;
  int year, month, day;
  double hour;
  double mjd;
};

// Meeus, Astronomical Algorithms, 2nd ed., examples 7.a and 7.b (JD -
// 2400000.5); the reform: 4 October 1582 (Julian) is followed by
// 15 October 1582 (Gregorian), JD 2299159.5 and 2299160.5 at 0 h.
const MjdCase kMjdCases[] = {
    {"J2000.0 - 12 h", 2000, 1, 1, 0, 51544.0},
    {"Meeus 7.a", 1957, 10, 4, 0.81 * 24, 36115.81},
    {"Meeus 7.b (Julian)", 333, 1, 27, 12, -557287.5},
    {"last Julian day", 1582, 10, 4, 0, -100841.0},
    {"first Gregorian day", 1582, 10, 15, 0, -100840.0},
    {"1 March 1500, Julian calendar (PyEphem)", 1500, 3, 1, 0, -131008.0},
    {"MJD origin", 1858, 11, 17, 0, 0.0},
};

TEST(LowPrecisionEphemeris, ModifiedJulianDate) {
  for (const MjdCase& c : kMjdCases)
    EXPECT_NEAR(modifiedJulianDate(c.year, c.month, c.day, c.hour), c.mjd, 1e-6) << c.source;
}

// Meeus, examples 12.a and 12.b: mean sidereal time at Greenwich
// 13h10m46.3668s (1987 April 10, 0 h UT) and 8h34m57.0896s (19h21m UT);
// a western longitude lowers the local time by longitude / 15 hours.
TEST(LowPrecisionEphemeris, LocalMeanSiderealTime) {
  const double gmst0 = 13 + 10 / 60.0 + 46.3668 / 3600;
  const double gmst1 = 8 + 34 / 60.0 + 57.0896 / 3600;
  EXPECT_NEAR(localMeanSiderealTime(modifiedJulianDate(1987, 4, 10, 0), 0), gmst0, 1e-6);
  const double mjd1 = modifiedJulianDate(1987, 4, 10, 19 + 21 / 60.0);
  EXPECT_NEAR(localMeanSiderealTime(mjd1, 0), gmst1, 1e-6);
  EXPECT_NEAR(localMeanSiderealTime(mjd1, 77.0656), gmst1 - 77.0656 / 15, 1e-6);
  EXPECT_NEAR(localMeanSiderealTime(mjd1, -150), gmst1 + 10, 1e-6);
}

struct BodyCase {
  const char* source;
  bool moon;
  int year, month, day;
  double rightAscensionHours, declination;
  double toleranceDegrees;
};

// Meeus, example 25.a (sun, 1992 October 13.0: 13h13m31.4s, -7°47'06")
// and example 47.a (moon, 1992 April 12.0: 134.688470°, 13.768368°); the
// series are good to about 1' (sun) and a few minutes of arc (moon).
const BodyCase kBodyCases[] = {
    {"Meeus 25.a", false, 1992, 10, 13, 13 + 13 / 60.0 + 31.4 / 3600, -7.78507, 0.02},
    {"Meeus 47.a", true, 1992, 4, 12, 134.688470 / 15, 13.768368, 0.05},
};

TEST(LowPrecisionEphemeris, SunAndMoonAgreeWithMeeus) {
  for (const BodyCase& c : kBodyCases) {
    const double t = (modifiedJulianDate(c.year, c.month, c.day, 0) - 51544.5) / 36525;
    const RaDec p = c.moon ? miniMoon(t) : miniSun(t);
    EXPECT_NEAR(p.rightAscension * 15, c.rightAscensionHours * 15, c.toleranceDegrees) << c.source;
    EXPECT_NEAR(p.declination, c.declination, c.toleranceDegrees) << c.source;
  }
}

// sin(altitude) at the upper culmination is cos(latitude - declination).
TEST(LowPrecisionEphemeris, AltitudeAtCulmination) {
  const double mjd0 = modifiedJulianDate(2024, 3, 20, 0);
  double best = -2, bestHour = 0;
  for (int k = 0; k <= 24 * 600; ++k) {
    const double s = sinAltitude(RiseSetObject::Sun, mjd0, k / 600.0, 0, std::cos(0.8), std::sin(0.8));
    if (s > best) {
      best = s;
      bestHour = k / 600.0;
    }
  }
  EXPECT_NEAR(bestHour, 12, 0.2);  // Greenwich noon, give or take the equation of time
  const RaDec sun = miniSun((mjd0 + bestHour / 24 - 51544.5) / 36525);
  EXPECT_NEAR(best, std::cos(0.8 - radians(sun.declination)), 1e-6);
}

struct QuadCase {
  const char* what;
  double r1, r2;  // zeros of y = (x - r1)(x - r2) s
  double s;
  int count;
  double expected1, expected2;  // the zero(s) reported
};

const QuadCase kQuadCases[] = {
    {"two zeros, minimum below 0", -0.5, 0.3, 1, 2, -0.5, 0.3},
    {"two zeros, maximum above 0", -0.5, 0.3, -1, 2, -0.5, 0.3},
    {"one zero, the other beyond +1", 0.4, 1.7, 1, 1, 0.4, 1.7},
    {"one zero, the other beyond -1", -1.6, 0.2, 1, 1, 0.2, 0.2},
    {"no zero in the window", 1.5, 2.5, 1, 0, 0, 0},
};

TEST(LowPrecisionEphemeris, QuadraticCrossing) {
  for (const QuadCase& c : kQuadCases) {
    auto y = [&](double x) { return c.s * (x - c.r1) * (x - c.r2); };
    const QuadraticCrossing q = quadraticCrossing(y(-1), y(0), y(1));
    EXPECT_EQ(q.count, c.count) << c.what;
    if (c.count >= 1) {
      EXPECT_NEAR(q.root1, c.expected1, 1e-12) << c.what;
    }
    if (c.count == 2) {
      EXPECT_NEAR(q.root2, c.expected2, 1e-12) << c.what;
    }
    EXPECT_NEAR(q.extremumX, (c.r1 + c.r2) / 2, 1e-12) << c.what;
  }
  EXPECT_EQ(quadraticCrossing(-1, 0, 1).count, 0);  // a straight line: no parabola
}

TEST(LowPrecisionEphemeris, EventTimeText) {
  EXPECT_EQ(eventTimeText(6 + 5 / 60.0), "  6:05");
  EXPECT_EQ(eventTimeText(18.5), " 18:30");
  EXPECT_EQ(eventTimeText(6 + 4.5 / 60.0), "  6:05");    // rounded to the minute
  EXPECT_EQ(eventTimeText(9 + 59.6 / 60.0), " 10:00");   // into the next hour
  EXPECT_EQ(eventTimeText(0.2 / 60.0), "  0:00");
}

}  // namespace
}  // namespace tavrel
