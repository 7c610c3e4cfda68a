#include "astro/horizontal_coordinates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "sun_reference_tables.h"

namespace tavrel {
namespace {

using testing::azimuthDifference;
using testing::azimuthFromSouth;


// Meeus, Astronomical Algorithms, 2nd ed., eqs. 13.5 and 13.6, evaluated
// in double with std::atan2 (azimuth from south, west positive): an
// independent form of the transformation.
HorizontalPosition meeusHorizontal(double H, double d, double p) {
  const double h = std::asin(std::sin(p * kRadPerDeg) * std::sin(d * kRadPerDeg) +
                             std::cos(p * kRadPerDeg) * std::cos(d * kRadPerDeg) * std::cos(H * kRadPerDeg));
  const double A = std::atan2(std::sin(H * kRadPerDeg), std::cos(H * kRadPerDeg) * std::sin(p * kRadPerDeg) -
                                                      std::tan(d * kRadPerDeg) * std::cos(p * kRadPerDeg));
  return {h / kRadPerDeg, A / kRadPerDeg};
}

// ---------------------------------------------------------------------------
// horizontalFromHourAngle

TEST(HorizontalFromHourAngle, NoonAltitudeIsNinetyMinusLatitudeMinusDeclination) {
  // At H = 0 the sun culminates at 90 - |p - d|, south of the zenith when
  // p > d (azimuth 0), north of it when p < d (azimuth 180).
  const double latitudes[] = {-90, -66.56, -47, -23.44, -5, 0, 10, 23.44, 47, 66.56, 89, 90};
  const double declinations[] = {-23.44, -10, 0, 5, 23.44};
  for (double p : latitudes)
    for (double d : declinations) {
      const HorizontalPosition hz = horizontalFromHourAngle(0, d, p);
      SCOPED_TRACE(::testing::Message() << "p " << p << " d " << d);
      // In the zenith the sine of the altitude may round above 1 and is
      // then held at 0.9999999999, 0.0008 degree below the zenith.
      // On the horizon the altitude's sine is floored at 2e-11 (below).
      EXPECT_NEAR(hz.altitude, 90 - std::fabs(p - d), p == d ? 1e-3 : 1e-8);
      EXPECT_EQ(hz.azimuth, p >= d ? 0.0 : 180.0);
    }
}

TEST(HorizontalFromHourAngle, AgreesWithMeeusOverTheSky) {
  // Tolerance 1e-8 degree: near the horizon and near the prime vertical the
  // routine floors the sine of the altitude and the cosine of the azimuth
  // at 1e-10 (some 1e-9 degree). On the meridian below the pole (H = 180)
  // the azimuth comes from a cosine of -1 or +1, where the arc cosine
  // turns a rounding error e into sqrt(2 e): 1e-6 degree there.
  double worst = 0;
  int n = 0;
  for (double p = -90; p <= 90; p += 7.5)
    for (double d : {-23.44, -11.0, 0.0, 0.3, 17.0, 23.44})
      for (double H = -180; H <= 180; H += 11.25) {
        const HorizontalPosition got = horizontalFromHourAngle(H, d, p);
        const HorizontalPosition want = meeusHorizontal(H, d, p);
        SCOPED_TRACE(::testing::Message() << "p " << p << " d " << d << " H " << H);
        EXPECT_NEAR(got.altitude, want.altitude, 1e-8);
        if (std::fabs(want.altitude) < 89.999 && H != 0) {
          const double e = azimuthDifference(got.azimuth, want.azimuth);
          const bool lowerMeridian = std::fabs(H) == 180;
          EXPECT_NEAR(e, 0, lowerMeridian ? 1e-6 : 1e-8);
          if (!lowerMeridian) worst = std::max(worst, std::fabs(e));
        }
        ++n;
      }
  std::cout << "horizontalFromHourAngle - Meeus 13.5/13.6: " << n
            << " directions, azimuth max " << worst << " degree (H = 180 left out)\n";
}

TEST(HorizontalFromHourAngle, EdgeCases) {
  struct Row {
    const char* what;
    double H, d, p;
    double altitude, azimuth, tolerance;
  };
  // Closed-form values: a body at hour angle H on the equator (d = 0) seen
  // from the equator stands at altitude 90 - |H| in the prime vertical; at
  // a pole the altitude is +-d and the azimuth +-H (north pole) or
  // +-(180 - |H|) (south pole); on the horizon due east at H = -90, d = 0.
  const Row kRows[] = {
      {"noon, d 10, p 47", 0, 10, 47, 53, 0, 1e-9},
      {"noon north of the zenith", 0, 50, 47, 87, 180, 1e-9},
      {"6 h before noon on the equinox", -90, 0, 47, 0, -90, 1e-8},
      {"6 h after noon on the equinox", 90, 0, 47, 0, 90, 1e-8},
      {"equator, equinox, afternoon", 45, 0, 0, 45, 90, 1e-8},
      {"equator, equinox, forenoon", -45, 0, 0, 45, -90, 1e-8},
      {"nadir: equator, equinox, midnight", 180, 0, 0, -90, 90, 1e-8},
      {"north pole", 30, 10, 90, 10, 30, 1e-9},
      {"north pole, forenoon", -120, 23.44, 90, 23.44, -120, 1e-9},
      {"south pole", 30, 10, -90, -10, 150, 1e-9},
      {"south pole, forenoon", -30, -20, -90, 20, -150, 1e-9},
      // (at H = 180 the azimuth is good to 1e-6, see above)
      {"midnight sun: lower culmination at p + d - 90", 180, 20, 80, 10, 180, 1e-6},
      {"hour angle reduced: 540 is 180", 540, 20, 80, 10, 180, 1e-6},
      {"lower culmination below the horizon", 180, -20, 47, -63, 180, 1e-6},
      {"hour angle reduced: -200 is 160", -200, 0, 47, meeusHorizontal(160, 0, 47).altitude,
       meeusHorizontal(160, 0, 47).azimuth, 1e-9},
  };
  for (const Row& r : kRows) {
    const HorizontalPosition hz = horizontalFromHourAngle(r.H, r.d, r.p);
    EXPECT_NEAR(hz.altitude, r.altitude, r.tolerance) << r.what;
    EXPECT_NEAR(azimuthDifference(hz.azimuth, r.azimuth), 0, r.tolerance) << r.what;
  }
}

TEST(HorizontalFromHourAngle, OnTheHorizonTheAltitudeIsFlooredNotZero) {
  // The sine of the altitude is kept 2e-11 or more away from 0, so a body
  // on the horizon never has altitude exactly 0 (nor a zenith distance of
  // exactly 90), but stays within 1e-8 degree of it.
  const HorizontalPosition hz = horizontalFromHourAngle(-90, 0, 47);
  EXPECT_NE(hz.altitude, 0.0);
  EXPECT_LT(std::fabs(hz.altitude), 1e-8);
}

// ---------------------------------------------------------------------------
// equatorialFromHorizontal

TEST(EquatorialFromHorizontal, InvertsHorizontalFromHourAngle) {
  // Tolerance 2e-5 degree in H: a cosine of the hour angle within 1e-8 of
  // 0 is moved to 0.5e-7 or 1.5e-7 (H = +-90 comes out ~9e-6 short).
  double worstH = 0, worstD = 0;
  for (double p = -89; p <= 89; p += 8)
    for (double d : {-23.44, -8.0, 0.0, 12.5, 23.44})
      for (double H : {-180.0, -172.5, -135.0, -90.0, -60.0, -7.5, 0.0, 1e-3, 37.5, 90.0, 97.5,
                       150.0, 179.0}) {
        const HorizontalPosition hz = horizontalFromHourAngle(H, d, p);
        const EquatorialPosition eq = equatorialFromHorizontal(p, hz.altitude, hz.azimuth);
        SCOPED_TRACE(::testing::Message() << "p " << p << " d " << d << " H " << H);
        EXPECT_NEAR(eq.declination, d, 1e-7);
        EXPECT_NEAR(azimuthDifference(eq.hourAngle, H), 0, 2e-5);
        worstH = std::max(worstH, std::fabs(azimuthDifference(eq.hourAngle, H)));
        worstD = std::max(worstD, std::fabs(eq.declination - d));
      }
  std::cout << "equatorialFromHorizontal round trip: H max " << worstH << ", declination max "
            << worstD << " degree\n";
}

TEST(EquatorialFromHorizontal, EdgeCases) {
  struct Row {
    const char* what;
    double p, h, A;
    double H, d, tolerance;
  };
  // Closed forms: on the meridian H = 0 and d = p - (90 - h) (south of the
  // zenith); due east or west on the horizon the equator (d = 0, H = +-90);
  // at the north pole d = h and H = A, at the south pole d = -h and
  // H = 180 - A (and -180 - A east of the meridian); the zenith has d = p.
  const Row kRows[] = {
      {"meridian, 53 degrees, p 47", 47, 53, 0, 0, 10, 1e-6},
      {"due west on the horizon", 47, 0, 90, 90, 0, 0},
      {"due east on the horizon", 47, 0, -90, -90, 0, 0},
      {"due west on the horizon, 450 is 90", 47, 0, 450, 90, 0, 0},
      {"north pole", 90, 20, 40, 40, 20, 1e-9},
      {"north pole, east", 90, 20, -135, -135, 20, 1e-9},
      {"south pole", -90, 20, 40, 140, -20, 1e-9},
      {"south pole, east", -90, 20, -40, -140, -20, 1e-9},
      {"north of the zenith, meridian", 10, 80, 180, 0, 20, 1e-6},
  };
  for (const Row& r : kRows) {
    const EquatorialPosition eq = equatorialFromHorizontal(r.p, r.h, r.A);
    EXPECT_NEAR(eq.hourAngle, r.H, r.tolerance) << r.what;
    EXPECT_NEAR(eq.declination, r.d, r.tolerance) << r.what;
  }
  // The zenith and the celestial poles: the declination is exact, the hour
  // angle finite.
  const EquatorialPosition zenith = equatorialFromHorizontal(47, 90, 0);
  EXPECT_NEAR(zenith.declination, 47, 1e-9);
  EXPECT_TRUE(std::isfinite(zenith.hourAngle));
  const EquatorialPosition pole = equatorialFromHorizontal(47, 47, 180);
  EXPECT_EQ(pole.declination, 90.0);
  EXPECT_TRUE(std::isfinite(pole.hourAngle));
  const EquatorialPosition southPole = equatorialFromHorizontal(47, -47, 0);
  EXPECT_EQ(southPole.declination, -90.0);
}

TEST(EquatorialFromHorizontal, MirrorImageEastOfTheMeridian) {
  for (double h : {-10.0, 0.5, 25.0, 60.0})
    for (double A : {15.0, 89.0, 90.0, 120.0, 179.0}) {
      const EquatorialPosition west = equatorialFromHorizontal(47, h, A);
      const EquatorialPosition east = equatorialFromHorizontal(47, h, -A);
      EXPECT_EQ(east.declination, west.declination) << h << " " << A;
      EXPECT_EQ(east.hourAngle, -west.hourAngle) << h << " " << A;
    }
}

// ---------------------------------------------------------------------------
// The sun at a clock time

class SunAtZoneTimeTest : public ::testing::Test {
 protected:
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

TEST_F(SunAtZoneTimeTest, AgreesWithPyEphem) {
  // Tolerances: the ephemeris is good to about 0.003 degree in declination
  // and 2 s in the equation of time (0.008 degree of hour angle); ephem's
  // altitudes are topocentric (parallax up to 0.0024 degree). Azimuth
  // errors are compared on the sky (times the cosine of the altitude).
  const auto rows = testing::horizontalReference();
  ASSERT_GE(rows.size(), 100u);
  double altMax = 0, azMax = 0;
  for (const auto& r : rows) {
    const int day = dayOfYear(r.year, r.month, r.day);
    const SunPosition sun =
        sunAtZoneTime(r.year, day, r.zoneTime, r.latitude, r.longitude, r.zoneMeridian, true);
    SCOPED_TRACE(::testing::Message() << r.place << " " << r.year << "-" << r.month << "-"
                                      << r.day << " " << r.zoneTime << " h");
    const double dAlt = sun.altitude - r.altitude;
    EXPECT_NEAR(dAlt, 0, 0.015);
    altMax = std::max(altMax, std::fabs(dAlt));
    if (r.altitude < 89) {
      const double dAz = azimuthDifference(sun.azimuth, azimuthFromSouth(r.azimuthNorthEast)) *
                         std::cos(r.altitude * kRadPerDeg);
      EXPECT_NEAR(dAz, 0, 0.015);
      azMax = std::max(azMax, std::fabs(dAz));
    }
  }
  std::cout << "sunAtZoneTime - PyEphem (" << rows.size() << " instants): altitude max "
            << altMax << ", azimuth on the sky max " << azMax << " degree\n";
}

TEST_F(SunAtZoneTimeTest, TrueNoonHasAzimuthZero) {
  // At the zone meridian, apparent noon falls at mean time 12 - EoT / 15.
  for (int day : {1, 42, 80, 172, 266, 307, 355}) {
    double t = 12;
    for (int i = 0; i < 4; ++i) t = 12 - sunAtZoneTime(2024, day, t, 47, -15, -15, true).eot / 15;
    const SunPosition sun = sunAtZoneTime(2024, day, t, 47, -15, -15, true);
    EXPECT_NEAR(sun.azimuth, 0, 1e-6) << day;
    EXPECT_NEAR(sun.altitude, 90 - std::fabs(47 - sun.declination), 1e-6) << day;
  }
}

TEST_F(SunAtZoneTimeTest, LocalMeanNoonOfTheLongitudeInZoneTime) {
  // Feldkirch, 9.59 degrees east (-9.59 west positive), on Central European
  // Time (zone meridian 15 east): the mean sun reaches Feldkirch's meridian
  // 5.41 degrees = 21.64 minutes after the zone meridian's, at
  // 12 + (lon - zone) / 15 = 12:21.64 CET.
  const double t = 12 + (-9.59 - -15.0) / 15;
  EXPECT_NEAR(t, 12 + 21.64 / 60, 1e-9);
  const SunPosition sun = sunAtZoneTime(2024, 100, t, 47.25, -9.59, -15, false);
  EXPECT_EQ(sun.azimuth, 0.0);
  EXPECT_LT(sunAtZoneTime(2024, 100, t - 0.01, 47.25, -9.59, -15, false).azimuth, 0);
  EXPECT_GT(sunAtZoneTime(2024, 100, t + 0.01, 47.25, -9.59, -15, false).azimuth, 0);
}

TEST_F(SunAtZoneTimeTest, EphemerisInstant) {
  // sunAtZoneTime takes the ephemeris at the instant itself (UT = t +
  // zone / 15), the noon variant at 12:00 zone time of the day.
  double d = 0, e = 0;
  solarPosition(2024, 80 + (17.5 + -15.0 / 15 - 12) / 24, d, e);
  const SunPosition at = sunAtZoneTime(2024, 80, 17.5, 47, -9.59, -15, false);
  EXPECT_EQ(at.declination, d);
  EXPECT_EQ(at.eot, e);

  solarPosition(2024, 80 + (-15.0 / 15) / 24, d, e);
  for (double t : {0.0, 6.0, 17.5, 23.9}) {
    const SunPosition noon = sunAtZoneTimeNoonEphemeris(2024, 80, t, 47, -9.59, -15, true);
    EXPECT_EQ(noon.declination, d) << t;
    EXPECT_EQ(noon.eot, e) << t;
    // The same hour angle rule as sunAtZoneTime.
    const HorizontalPosition hz =
        horizontalFromHourAngle((t - 12) * 15 - (-9.59 + 15) + e, d, 47);
    EXPECT_EQ(noon.altitude, hz.altitude) << t;
    EXPECT_EQ(noon.azimuth, hz.azimuth) << t;
  }
}

TEST(SunFromMeanTime, NoEquationOfTime) {
  // Local mean noon of the longitude in zone time (see above), for a given
  // declination: the culmination at 90 - |p - d|.
  const double t = 12 + (-9.59 + 15.0) / 15;
  const HorizontalPosition noon = sunFromMeanTime(t, 47.25, -9.59, -15, 20);
  EXPECT_NEAR(noon.altitude, 90 - (47.25 - 20), 1e-9);
  EXPECT_NEAR(noon.azimuth, 0, 1e-9);
  // Six hours later on the equinox the sun sets due west.
  const HorizontalPosition evening = sunFromMeanTime(t + 6, 47.25, -9.59, -15, 0);
  EXPECT_NEAR(evening.altitude, 0, 1e-8);
  EXPECT_NEAR(evening.azimuth, 90, 1e-8);
}

// ---------------------------------------------------------------------------
// cosAngleBetween

TEST(CosAngleBetween, SphericalLawOfCosines) {
  // cos c = sin h1 sin h2 + cos h1 cos h2 cos(A1 - A2).
  for (double a1 : {-170.0, -90.0, 0.0, 33.0, 180.0})
    for (double h1 : {-40.0, 0.0, 25.0, 90.0})
      for (double a2 : {-45.0, 0.0, 120.0})
        for (double h2 : {-90.0, 0.0, 60.0}) {
          const double want = std::sin(h1 * kRadPerDeg) * std::sin(h2 * kRadPerDeg) +
                              std::cos(h1 * kRadPerDeg) * std::cos(h2 * kRadPerDeg) * std::cos((a1 - a2) * kRadPerDeg);
          EXPECT_NEAR(cosAngleBetween(a1, h1, a2, h2), want, 1e-14)
              << a1 << " " << h1 << " " << a2 << " " << h2;
        }
}

TEST(CosAngleBetween, RightAnglesAreExact) {
  // South and west on the horizon, the zenith and the horizon: exactly 0
  // (the products vanish exactly), which sunInFrontOfPlane reads as "not
  // in front".
  EXPECT_EQ(cosAngleBetween(0, 0, 90, 0), 0.0);
  EXPECT_EQ(cosAngleBetween(0, 90, 123, 0), 0.0);
  EXPECT_EQ(cosAngleBetween(-180, 0, 0, 0), -1.0);
  EXPECT_NEAR(cosAngleBetween(37, 12, 37, 12), 1.0, 1e-15);
}

}  // namespace
}  // namespace tavrel
