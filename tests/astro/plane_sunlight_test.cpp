#include "astro/plane_sunlight.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>

#include "base/angles.h"
#include "core/design_state.h"

namespace tavrel {
namespace {


// ---------------------------------------------------------------------------
// An independent vector construction. Frame: x south, y east, z up.
// A direction of azimuth A (from south, west positive) and altitude h is
// (cos h cos A, -cos h sin A, sin h).

using Vec = std::array<double, 3>;
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec direction(double azimuth, double altitude) {
  return {std::cos(altitude * kRadPerDeg) * std::cos(azimuth * kRadPerDeg),
          -std::cos(altitude * kRadPerDeg) * std::sin(azimuth * kRadPerDeg), std::sin(altitude * kRadPerDeg)};
}
// The sun at hour angle H and declination d from latitude p: the
// equatorial frame (meridian point of the equator Q, west point W, north
// pole N) written in the horizon frame.
Vec sunVector(double H, double d, double p) {
  const Vec q{std::sin(p * kRadPerDeg), 0, std::cos(p * kRadPerDeg)}, w{0, -1, 0},
      n{-std::cos(p * kRadPerDeg), 0, std::sin(p * kRadPerDeg)};
  const double c = std::cos(d * kRadPerDeg), s = std::sin(d * kRadPerDeg);
  Vec v{};
  for (int k = 0; k < 3; ++k)
    v[k] = c * std::cos(H * kRadPerDeg) * q[k] + c * std::sin(H * kRadPerDeg) * w[k] + s * n[k];
  return v;
}

struct VectorPlane {
  double styleHeight, substyleHourAngle, substyleAngle;
};

// Style height: the elevation of the north celestial pole above the plane;
// substyle hour angle: the hour angle of the normal; substyle angle: the
// direction, in the plane, of the projection of the axis towards the south
// celestial pole, from the down-slope line towards the in-plane horizontal
// of azimuth w - 90.
VectorPlane vectorPlane(double p, double w, double i) {
  const Vec normal = direction(w, 90 - i);
  const Vec north{-std::cos(p * kRadPerDeg), 0, std::sin(p * kRadPerDeg)};
  const Vec meridianEquator{std::sin(p * kRadPerDeg), 0, std::cos(p * kRadPerDeg)}, west{0, -1, 0};
  const Vec downSlope = direction(w, -i);
  const Vec across = direction(w - 90, 0);
  const double pn = dot(north, normal);
  Vec sub{};
  for (int k = 0; k < 3; ++k) sub[k] = -north[k] + pn * normal[k];
  return {std::asin(pn) / kRadPerDeg,
          std::atan2(dot(normal, west), dot(normal, meridianEquator)) / kRadPerDeg,
          std::atan2(dot(sub, across), dot(sub, downSlope)) / kRadPerDeg};
}

double angleDifference(double a, double b) {
  double d = a - b;
  while (d <= -180) d += 360;
  while (d > 180) d -= 360;
  return d;
}

// ---------------------------------------------------------------------------
// planeGeometry

TEST(PlaneGeometry, AgreesWithTheVectorConstruction) {
  double worst = 0;
  for (double p : {-66.0, -33.9, -5.0, 0.0, 12.0, 47.25, 52.0, 78.0})
    for (double w : {-180.0, -135.0, -90.0, -37.0, 0.0, 11.7, 60.0, 90.0, 150.0})
      for (double i : {0.0, 25.4589, 60.0, 90.0, 110.0, 175.0}) {
        const PlaneGeometry g = planeGeometry(p, w, i);
        const VectorPlane v = vectorPlane(p, w, i);
        SCOPED_TRACE(::testing::Message() << "p " << p << " w " << w << " i " << i);
        EXPECT_NEAR(g.styleHeight, v.styleHeight, 1e-9);
        // Undefined when the plane's normal lies along the axis or is the
        // zenith at the equator (direction of the hour angle 0 / 0).
        if (std::fabs(v.styleHeight) < 89.9) {
          EXPECT_NEAR(angleDifference(g.substyleHourAngle, v.substyleHourAngle), 0, 1e-9);
          EXPECT_NEAR(angleDifference(g.substyleAngle, v.substyleAngle), 0, 1e-9);
          worst = std::max(worst, std::fabs(angleDifference(g.substyleAngle, v.substyleAngle)));
        }
      }
  std::cout << "planeGeometry - vector construction: substyle angle max " << worst
            << " degree\n";
}

TEST(PlaneGeometry, VerticalDeclinerAgreesWithRohr) {
  // Rohr, Sundials: History, Theory and Practice, ch. 4 (vertical declining
  // dial): style height sin(sh) = cos(lat) cos(D); substyle distance from
  // the vertical tan(ss) = sin(D) / tan(lat); difference of longitude
  // tan(DL) = tan(D) / sin(lat). The style of a wall facing the equator
  // points to the south pole: the signed style height is -sh.
  for (double p : {30.0, 47.25, 52.0, 60.0})
    for (double w : {-75.0, -40.0, -11.7, 0.0, 15.0, 45.0, 80.0}) {
      const PlaneGeometry g = planeGeometry(p, w, 90);
      SCOPED_TRACE(::testing::Message() << "p " << p << " D " << w);
      EXPECT_NEAR(g.styleHeight, -std::asin(std::cos(p * kRadPerDeg) * std::cos(w * kRadPerDeg)) / kRadPerDeg, 1e-9);
      EXPECT_NEAR(g.substyleAngle, std::atan(std::sin(w * kRadPerDeg) / std::tan(p * kRadPerDeg)) / kRadPerDeg, 1e-9);
      EXPECT_NEAR(g.substyleHourAngle, std::atan(std::tan(w * kRadPerDeg) / std::sin(p * kRadPerDeg)) / kRadPerDeg,
                  1e-9);
    }
}

TEST(PlaneGeometry, SpecialPlanes) {
  struct Row {
    const char* what;
    double p, w, i;
    double styleHeight, substyleHourAngle, substyleAngle;
  };
  // Horizontal dial: style height = latitude; vertical south wall: the
  // colatitude, towards the south pole; north wall: the colatitude towards
  // the north pole, substyle at midnight; east and west walls (meridian
  // dials): the style parallel to the wall, the substyle the 6 o'clock
  // line at 90 - p from the vertical; a polar plane (inclined p, facing
  // south): style height 0.
  const Row kRows[] = {
      {"horizontal, p 47.25", 47.25, 0, 0, 47.25, 0, 0},
      {"horizontal, south", -33.9, 0, 0, -33.9, 0, 0},
      {"horizontal, equator", 0, 0, 0, 0, 0, 0},
      {"vertical south, p 47.25", 47.25, 0, 90, 47.25 - 90, 0, 0},
      {"vertical north, p 47.25", 47.25, 180, 90, 90 - 47.25, 180, 0},
      {"vertical west, p 47.25", 47.25, 90, 90, 0, 90, 90 - 47.25},
      {"vertical east, p 47.25", 47.25, -90, 90, 0, -90, -(90 - 47.25)},
      {"polar plane", 47.25, 0, 47.25, 0, 0, 0},
      {"north pole, vertical", 90, 30, 90, 0, 30, 0},
      // The style perpendicular to the plane: the substyle is a point and
      // both angles come from atan2Deg(0, 0) = 0.
      {"vertical south, equator", 0, 0, 90, -90, 0, 0},
      {"north pole, horizontal", 90, 0, 0, 90, 0, 0},
  };
  for (const Row& r : kRows) {
    const PlaneGeometry g = planeGeometry(r.p, r.w, r.i);
    EXPECT_NEAR(g.styleHeight, r.styleHeight, 1e-9) << r.what;
    EXPECT_NEAR(angleDifference(g.substyleHourAngle, r.substyleHourAngle), 0, 1e-9) << r.what;
    EXPECT_NEAR(angleDifference(g.substyleAngle, r.substyleAngle), 0, 1e-9) << r.what;
  }
  // A plane in the equator (inclined 90 - p, facing north; its lower face
  // inclined 90 + p, facing south) has the style perpendicular to it.
  EXPECT_NEAR(planeGeometry(47.25, 180, 90 - 47.25).styleHeight, 90, 1e-6);
  EXPECT_NEAR(planeGeometry(47.25, 0, 90 + 47.25).styleHeight, -90, 1e-6);
}

// ---------------------------------------------------------------------------
// sunInFrontOfPlane

TEST(SunInFrontOfPlane, ClosedFormCrossings) {
  // A vertical south wall's plane is the prime vertical: the sun crosses it
  // at cos H = tan d / tan p (0 < d < p) and is behind the wall before
  // that in the morning and after it in the evening. A horizontal plane is
  // lit from sunrise to sunset, cos H0 = -tan p tan d. A west wall's plane
  // is the meridian. Each crossing is tested 0.01 h on either side.
  struct Row {
    const char* what;
    double normalAzimuth, normalAltitude, p, d;
    double crossingHourAngle;  // the plane is entered at -H (morning) and left at +H
  };
  const auto pv = [](double p, double d) {
    return std::acos(std::tan(d * kRadPerDeg) / std::tan(p * kRadPerDeg)) / kRadPerDeg;
  };
  const auto h0 = [](double p, double d) {
    return std::acos(-std::tan(p * kRadPerDeg) * std::tan(d * kRadPerDeg)) / kRadPerDeg;
  };
  const Row kRows[] = {
      {"south wall, p 47, d 20", 0, 0, 47, 20, pv(47, 20)},
      {"south wall, p 47, d 23.44", 0, 0, 47, 23.44, pv(47, 23.44)},
      {"south wall, p 60, d 5", 0, 0, 60, 5, pv(60, 5)},
      {"horizontal, p 47, d 20", 0, 90, 47, 20, h0(47, 20)},
      {"horizontal, p 47, d -20", 0, 90, 47, -20, h0(47, -20)},
      {"horizontal, p -33.9, d 10", 0, 90, -33.9, 10, h0(-33.9, 10)},
      {"horizontal, equator", 45, 90, 0, 15, 90},
  };
  for (const Row& r : kRows) {
    const double t1 = 12 - r.crossingHourAngle / 15, t2 = 12 + r.crossingHourAngle / 15;
    EXPECT_FALSE(sunInFrontOfPlane(r.normalAzimuth, r.normalAltitude, r.p, r.d, t1 - 0.01)) << r.what;
    EXPECT_TRUE(sunInFrontOfPlane(r.normalAzimuth, r.normalAltitude, r.p, r.d, t1 + 0.01)) << r.what;
    EXPECT_TRUE(sunInFrontOfPlane(r.normalAzimuth, r.normalAltitude, r.p, r.d, 12)) << r.what;
    EXPECT_TRUE(sunInFrontOfPlane(r.normalAzimuth, r.normalAltitude, r.p, r.d, t2 - 0.01)) << r.what;
    EXPECT_FALSE(sunInFrontOfPlane(r.normalAzimuth, r.normalAltitude, r.p, r.d, t2 + 0.01)) << r.what;
  }
  // West wall: the afternoon sun only; at noon the sun is in the wall's
  // plane (cosine 0), which is not "in front".
  EXPECT_FALSE(sunInFrontOfPlane(90, 0, 47, 10, 11.99));
  EXPECT_FALSE(sunInFrontOfPlane(90, 0, 47, 10, 12));
  EXPECT_TRUE(sunInFrontOfPlane(90, 0, 47, 10, 12.01));
  // North wall in summer: early and late only.
  EXPECT_TRUE(sunInFrontOfPlane(180, 0, 47, 23.44, 5));
  EXPECT_FALSE(sunInFrontOfPlane(180, 0, 47, 23.44, 12));
  EXPECT_TRUE(sunInFrontOfPlane(180, 0, 47, 23.44, 19));
  // The horizon is not tested: a plane facing the nadir "sees" the sun at
  // midnight.
  EXPECT_TRUE(sunInFrontOfPlane(0, -90, 47, 0, 0));
  EXPECT_FALSE(sunInFrontOfPlane(0, -90, 47, 0, 12));
}

// ---------------------------------------------------------------------------
// sunlitWindowOnPlane

// The rounded obliquity of the years around 2000. The record's
// obliquityRounded is set to something else: the routine must not read it.
constexpr double kObliquity = 23.44;

class SunlitWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { design().obliquityRounded = 10; }
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

// The declinations of the scan: +obliquity, 23.5 - 0.05 k (k = 1..939)
// within +-obliquity, -obliquity; here every second of them.
std::vector<double> scanDeclinations() {
  std::vector<double> d{23.44};
  for (int k = 2; k < 940; k += 2)
    if (std::fabs(23.5 - 0.05 * k) <= 23.44) d.push_back(23.5 - 0.05 * k);
  d.push_back(-23.44);
  return d;
}

struct BruteWindow {
  double earliest = 180, latest = -180;
};

// Brute force: the hour angles, in steps of 0.01 degree, at which the sun
// is above the horizon and in front of the plane (vector construction).
BruteWindow bruteForceWindow(double p, double w, double i) {
  constexpr int kSteps = 36000;
  static std::vector<double> cosH, sinH;
  if (cosH.empty())
    for (int k = 0; k <= kSteps; ++k) {
      cosH.push_back(std::cos((k * 0.01 - 180) * kRadPerDeg));
      sinH.push_back(std::sin((k * 0.01 - 180) * kRadPerDeg));
    }
  const Vec normal = direction(w, 90 - i);
  // The sun vector is c (cos H q + sin H w) + s n (see sunVector); its
  // scalar products with the zenith and the normal are linear in cos H and
  // sin H.
  const Vec q = sunVector(0, 0, p), west = sunVector(90, 0, p), north = sunVector(0, 90, p);
  BruteWindow b;
  for (double d : scanDeclinations()) {
    const double c = std::cos(d * kRadPerDeg), s = std::sin(d * kRadPerDeg);
    for (int k = 0; k <= kSteps; ++k) {
      const double up = c * (cosH[k] * q[2] + sinH[k] * west[2]) + s * north[2];
      const double front = c * (cosH[k] * dot(q, normal) + sinH[k] * dot(west, normal)) +
                           s * dot(north, normal);
      if (up > 0 && front > 0) {
        const double H = k * 0.01 - 180;
        b.earliest = std::min(b.earliest, H);
        b.latest = std::max(b.latest, H);
      }
    }
  }
  return b;
}

TEST_F(SunlitWindowTest, AgreesWithBruteForce) {
  // Tolerance 0.12 degree: the brute force samples every second declination
  // (0.1 degree apart), which moves an extreme at a kink by up to 0.1 tan p
  // degree of hour angle (0.107 at 47 degrees: the lower face of the
  // equatorial plane, lit from sunrise to sunset while the declination is
  // negative, reaches 6 h only as the declination goes to 0), and the hour
  // angle in steps of 0.01 degree.
  struct Row {
    const char* what;
    double p, w, i;
  };
  const Row kRows[] = {
      {"horizontal, p 47", 47, 0, 0},
      {"vertical south, p 47", 47, 0, 90},
      {"vertical, declining 30 west", 47, 30, 90},
      {"vertical, declining 70 east", 47, -70, 90},
      {"vertical north, p 47", 47, 180, 90},
      {"vertical east, p 47", 47, -90, 90},
      {"inclined 60, declining 20 east", 47, -20, 60},
      {"reclining 120, declining 40 west", 47, 40, 120},
      {"vertical north, p -33.9", -33.9, 180, 90},
      {"vertical south, p -33.9", -33.9, 0, 90},
      {"equator, vertical west", 0, 90, 90},
      {"p 70, vertical south", 70, 0, 90},
      {"equatorial plane, upper face", 47, 180, 43},
      {"equatorial plane, lower face", 47, 0, 137},
      {"north pole, horizontal", 90, 0, 0},
      {"north pole, facing 60 degrees down", 90, 0, 150},
      {"south pole, vertical", -90, 45, 90},
  };
  double worst = 0;
  for (const Row& r : kRows) {
    const SunlitWindow s = sunlitWindowOnPlane(0, r.p, r.w, r.i, kObliquity, false);
    const BruteWindow b = bruteForceWindow(r.p, r.w, r.i);
    EXPECT_NEAR(s.earliest, b.earliest, 0.12) << r.what;
    EXPECT_NEAR(s.latest, b.latest, 0.12) << r.what;
    worst = std::max({worst, std::fabs(s.earliest - b.earliest), std::fabs(s.latest - b.latest)});
  }
  std::cout << "sunlitWindowOnPlane - brute force: max " << worst << " degree\n";
}

TEST_F(SunlitWindowTest, ClosedFormWindows) {
  // A horizontal plane at 47 degrees is lit from the earliest to the latest
  // sunrise of the year, the summer solstice: H0 = arccos(-tan 47 tan
  // 23.44) = 117.70; a south wall at most from 6 to 18 h (on the equinox);
  // a north wall at most from the solstice sunrise to its sunset.
  const double hs = std::acos(-std::tan(47 * kRadPerDeg) * std::tan(23.44 * kRadPerDeg)) / kRadPerDeg;
  const SunlitWindow horizontal = sunlitWindowOnPlane(0, 47, 0, 0, kObliquity, false);
  EXPECT_NEAR(horizontal.earliest, -hs, 1e-6);
  EXPECT_NEAR(horizontal.latest, hs, 1e-6);
  EXPECT_EQ(horizontal.earliestDeclination, 23.44);
  EXPECT_EQ(horizontal.text, "           4:09 -  19:51");

  const SunlitWindow south = sunlitWindowOnPlane(0, 47, 0, 90, kObliquity, false);
  EXPECT_NEAR(south.earliest, -90, 1e-6);
  EXPECT_NEAR(south.latest, 90, 1e-6);
  EXPECT_NEAR(south.earliestDeclination, 0, 1e-12);
  EXPECT_EQ(south.text, "           6:00 -  18:00");

  const SunlitWindow north = sunlitWindowOnPlane(0, 47, 180, 90, kObliquity, false);
  EXPECT_NEAR(north.earliest, -hs, 1e-6);
  EXPECT_NEAR(north.latest, hs, 1e-6);

  // The offset moves both hour angles and the clock times of the text:
  // 5.41 degrees of longitude east of the zone meridian = 21.64 min.
  const SunlitWindow zone = sunlitWindowOnPlane(-9.59 - -15.0, 47, 0, 90, kObliquity, true);
  EXPECT_NEAR(zone.earliest, -90 + 5.41, 1e-6);
  EXPECT_NEAR(zone.latest, 90 + 5.41, 1e-6);
  EXPECT_EQ(zone.text, "           6:22 -  18:22");
}

TEST_F(SunlitWindowTest, PolarCases) {
  // The north pole: the horizontal plane sees the sun around the clock in
  // summer; a plane facing 60 degrees below the horizon sees it only while
  // it is up (summer) and within 90 degrees of the normal; the sun does not
  // rise in winter (a half day arc of 180 for every declination would let
  // this plane see a winter sun below the horizon from H = -138.6).
  const SunlitWindow top = sunlitWindowOnPlane(0, 90, 0, 0, kObliquity, false);
  EXPECT_EQ(top.earliest, -180);
  EXPECT_EQ(top.latest, 180);
  EXPECT_EQ(top.text, "           0:00 -  24:00");
  const SunlitWindow down = sunlitWindowOnPlane(0, 90, 0, 150, kObliquity, false);
  EXPECT_NEAR(down.earliest, -90, 0.1);
  EXPECT_NEAR(down.latest, 90, 0.1);
  // The lower face of an equatorial plane (style height -90) is lit only
  // while the declination is negative: at most from 6 to 18 h.
  const SunlitWindow lower = sunlitWindowOnPlane(0, 47, 0, 137, kObliquity, false);
  EXPECT_NEAR(lower.earliest, -90, 0.1);
  EXPECT_NEAR(lower.latest, 90, 0.1);
}

TEST_F(SunlitWindowTest, NeverLit) {
  // A plane facing the nadir at the equator: the sun is never in front of
  // it while it is up. No first or last light: 180 and -180.
  const SunlitWindow s = sunlitWindowOnPlane(0, 0, 0, 180, kObliquity, false);
  EXPECT_EQ(s.earliest, 180);
  EXPECT_EQ(s.latest, -180);
}

TEST_F(SunlitWindowTest, FollowsTheObliquity) {
  // With a smaller obliquity the horizontal plane's window shrinks to the
  // new solstice.
  const SunlitWindow s = sunlitWindowOnPlane(0, 47, 0, 0, 20, false);
  EXPECT_NEAR(s.earliest, -std::acos(-std::tan(47 * kRadPerDeg) * std::tan(20 * kRadPerDeg)) / kRadPerDeg, 1e-6);
}

}  // namespace
}  // namespace tavrel
