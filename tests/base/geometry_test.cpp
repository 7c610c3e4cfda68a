#include "base/geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace tavrel {
namespace {


TEST(Signs, Table) {
  struct Row {
    double x;
    int sign, signNonNegative;
  };
  constexpr Row kRows[] = {
      {-2.0, -1, -1}, {-1e-300, -1, -1}, {0.0, 0, 1},
      {-0.0, 0, 1},   {1e-300, 1, 1},    {7.5, 1, 1},
  };
  for (const auto& r : kRows) {
    EXPECT_EQ(signOf(r.x), r.sign) << r.x;
    EXPECT_EQ(signNonNeg(r.x), r.signNonNegative) << r.x;
  }
}

TEST(TanDeg, AgainstStdTan) {
  // Tolerance: the constant pi/180 of 15 digits costs ~1e-15 relative.
  for (double x : {-89.0, -60.0, -45.0, -10.0, 0.0, 0.5, 30.0, 45.0, 60.0, 89.9, 135.0, 200.0}) {
    const double expected = std::tan(x * kRadPerDeg);
    EXPECT_NEAR(tanDeg(x), expected, 1e-12 * std::max(1.0, std::fabs(expected))) << x;
  }
}

TEST(TanDeg, FlooredCosineAtRightAngles) {
  for (double x : {90.0, -90.0, 270.0, -270.0}) {
    const double t = tanDeg(x);
    EXPECT_TRUE(std::isfinite(t)) << x;
    EXPECT_NEAR(std::fabs(t), 1e12, 1e3) << x;
  }
}

TEST(Atan2Deg, AxesAndRange) {
  struct Row {
    double y, x, expected;
  };
  // Spelled out from the definition: range (-180, 180].
  constexpr Row kAxes[] = {
      {0, 0, 0},     {1, 0, 90},   {-1, 0, -90}, {0, 1, 0},
      {0, -1, 180},  {-0.0, -1, 180}, {1, 1, 45}, {-1, -1, -135},
      {1, -1, 135},  {-1, 1, -45},
  };
  for (const auto& r : kAxes) EXPECT_NEAR(atan2Deg(r.y, r.x), r.expected, 1e-12) << r.y << "," << r.x;
  // Off the axes it agrees with std::atan2.
  for (double y : {-3.0, -0.2, 0.7, 5.0})
    for (double x : {-4.0, -0.1, 0.3, 2.0})
      EXPECT_NEAR(atan2Deg(y, x), std::atan2(y, x) / kRadPerDeg, 1e-11) << y << "," << x;
}

TEST(RotatePoint, AgainstComplexMultiplication) {
  struct Row {
    double x, y, angle;
  };
  constexpr Row kRows[] = {{1, 0, 90}, {1, 1, 45}, {3, 4, -30}, {-2, 5, 200}, {0.5, -7, 0}};
  for (const auto& r : kRows) {
    double x = r.x, y = r.y;
    rotatePoint(x, y, r.angle);
    const double c = std::cos(r.angle * kRadPerDeg), s = std::sin(r.angle * kRadPerDeg);
    EXPECT_NEAR(x, r.x * c - r.y * s, 1e-12);
    EXPECT_NEAR(y, r.x * s + r.y * c, 1e-12);
    EXPECT_NEAR(std::hypot(x, y), std::hypot(r.x, r.y), 1e-12);
  }
  double x = 1, y = 0;
  rotatePoint(x, y, 90);
  EXPECT_NEAR(x, 0, 1e-15);
  EXPECT_NEAR(y, 1, 1e-15);
}

using Vec = std::array<double, 3>;
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec minusScaled(const Vec& a, double k, const Vec& b) {
  return {a[0] - k * b[0], a[1] - k * b[1], a[2] - k * b[2]};
}

// The plane's normal, built as a vector in the horizon frame (x south,
// y west, z zenith) and carried into the hour-angle frame (x meridian on
// the equator, y west, z north pole) by the images of the horizon axes.
// Its declination, hour angle and parallactic angle (the angle at the
// normal from the pole to the zenith) are what rotateSpherical gives.
struct NormalAngles {
  double declination, hourAngle, parallactic;
};
NormalAngles normalByVectors(double incl, double decl, double lat) {
  const double sp = std::sin(lat * kRadPerDeg), cp = std::cos(lat * kRadPerDeg);
  const Vec n{std::sin(incl * kRadPerDeg) * std::cos(decl * kRadPerDeg),
              std::sin(incl * kRadPerDeg) * std::sin(decl * kRadPerDeg), std::cos(incl * kRadPerDeg)};
  const Vec south{sp, 0, -cp}, west{0, 1, 0}, zenith{cp, 0, sp};
  Vec v;
  for (int i = 0; i < 3; ++i) v[i] = n[0] * south[i] + n[1] * west[i] + n[2] * zenith[i];
  const Vec pole{0, 0, 1};
  const Vec tP = minusScaled(pole, dot(pole, v), v);
  const Vec tZ = minusScaled(zenith, dot(zenith, v), v);
  return {std::asin(v[2]) / kRadPerDeg, std::atan2(v[1], v[0]) / kRadPerDeg,
          std::atan2(dot(cross(tP, tZ), v), dot(tP, tZ)) / kRadPerDeg};
}

TEST(RotateSpherical, VerticalSouthWallPolarAxis) {
  // A vertical south wall: the style is parallel to the earth's axis and
  // stands 90 - latitude above the wall; the picture is not turned.
  for (double lat : {10.0, 30.0, 47.25, 60.0, 80.0}) {
    double e, p, l;
    rotateSpherical(90, 0, lat, e, p, l);
    EXPECT_NEAR(std::fabs(e), 90 - lat, 1e-12) << lat;
    EXPECT_NEAR(p, 0, 1e-12);
    EXPECT_NEAR(l, 0, 1e-12);
  }
}

TEST(RotateSpherical, HorizontalPlaneIsTheLatitude) {
  for (double lat : {-33.0, 0.5, 47.25}) {
    double e, p, l;
    rotateSpherical(0, 0, lat, e, p, l);
    EXPECT_NEAR(e, lat, 1e-12);
    EXPECT_NEAR(p, 0, 1e-12);
  }
}

TEST(RotateSpherical, AgainstVectorConstruction) {
  struct Row {
    double incl, decl, lat;
  };
  // Inclined and declining planes in both hemispheres.
  constexpr Row kRows[] = {
      {90, -90, 45},  {90, 90, 45},  {90, 30, 47.25}, {90, -25, 52},
      {60, 15, 47.25}, {30, -120, 40}, {120, 10, 35},   {45, 170, -34},
      {90, 0, -20},   {75, 60, 5},
  };
  for (const auto& r : kRows) {
    double e, p, l;
    rotateSpherical(r.incl, r.decl, r.lat, e, p, l);
    const NormalAngles ref = normalByVectors(r.incl, r.decl, r.lat);
    EXPECT_NEAR(e, ref.declination, 1e-10) << r.incl << " " << r.decl << " " << r.lat;
    EXPECT_NEAR(p, ref.hourAngle, 1e-10) << r.incl << " " << r.decl << " " << r.lat;
    EXPECT_NEAR(l, ref.parallactic, 1e-10) << r.incl << " " << r.decl << " " << r.lat;
  }
}

TEST(GnomonicProject, CentreAndMeridian) {
  const double L = 100;
  for (double centreLat : {0.0, 30.0, -47.0}) {
    double x, y;
    bool visible = false;
    gnomonicProject(x, y, visible, 0, 12, centreLat, L, 12, centreLat);
    EXPECT_TRUE(visible);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 0, 1e-12);
    // Along the meridian the distance from the centre is L tan d, northwards.
    for (double d : {-40.0, 5.0, 20.0, 55.0}) {
      gnomonicProject(x, y, visible, 0, 12, centreLat + d, L, 12, centreLat);
      EXPECT_NEAR(x, 0, 1e-10);
      EXPECT_NEAR(y, L * std::tan(d * kRadPerDeg), 1e-10) << centreLat << " " << d;
    }
  }
  // On the equator an eastern point (smaller west-positive longitude) lies
  // at x = L tan(difference).
  double x, y;
  bool visible;
  gnomonicProject(x, y, visible, 0, 10 - 35, 0, L, 10, 0);
  EXPECT_NEAR(x, L * std::tan(35 * kRadPerDeg), 1e-10);
  EXPECT_NEAR(y, 0, 1e-12);
}

// Central projection by vectors: the point's unit vector scaled onto the
// tangent plane, read off along the local east and north directions.
void projectByVectors(double pointLon, double pointLat, double L, double centreLon,
                      double centreLat, double& x, double& y) {
  auto unit = [](double lonWest, double lat) {
    const double lam = -lonWest * kRadPerDeg, phi = lat * kRadPerDeg;
    return Vec{std::cos(phi) * std::cos(lam), std::cos(phi) * std::sin(lam), std::sin(phi)};
  };
  const Vec v = unit(pointLon, pointLat), c = unit(centreLon, centreLat);
  const double lam = -centreLon * kRadPerDeg, phi = centreLat * kRadPerDeg;
  const Vec east{-std::sin(lam), std::cos(lam), 0};
  const Vec north{-std::sin(phi) * std::cos(lam), -std::sin(phi) * std::sin(lam), std::cos(phi)};
  const double k = L / dot(v, c);
  x = k * dot(v, east);
  y = k * dot(v, north);
}

TEST(GnomonicProject, AgainstVectorConstruction) {
  struct Row {
    double pointLon, pointLat, centreLon, centreLat, rotation;
  };
  constexpr Row kRows[] = {
      {-9.6, 47.3, 0, 42.75, 0},   {20, 60, -10, 50, 0},   {100, -20, 80, -5, 0},
      {-9.6, 47.3, 0, 42.75, 30}, {5, 10, -15, 0, -120},  {170, 80, -170, 70, 0.0005},
  };
  for (const auto& r : kRows) {
    double x, y, rx, ry;
    bool visible;
    gnomonicProject(x, y, visible, r.rotation, r.pointLon, r.pointLat, 50, r.centreLon, r.centreLat);
    projectByVectors(r.pointLon, r.pointLat, 50, r.centreLon, r.centreLat, rx, ry);
    if (std::fabs(r.rotation) > 0.001) {
      const double c = std::cos(r.rotation * kRadPerDeg), s = std::sin(r.rotation * kRadPerDeg);
      const double tx = rx * c - ry * s;
      ry = rx * s + ry * c;
      rx = tx;
    }
    EXPECT_NEAR(x, rx, 1e-9) << r.pointLon << " " << r.pointLat;
    EXPECT_NEAR(y, ry, 1e-9) << r.pointLon << " " << r.pointLat;
  }
}

TEST(GnomonicProject, FarSideStaysFinite) {
  // 90 degrees and more from the centre: the divisor is floored at 1e-6.
  struct Row {
    double pointLon, pointLat;
  };
  constexpr Row kRows[] = {{0, -90}, {90, 0}, {180, 0}, {-135, -30}};
  for (const auto& r : kRows) {
    double x, y;
    bool visible = false;
    gnomonicProject(x, y, visible, 0, r.pointLon, r.pointLat, 100, 0, 0);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
    EXPECT_LE(std::hypot(x, y), 100 / 1e-6 * 1.0000001);
  }
  double x, y;
  bool visible;
  gnomonicProject(x, y, visible, 0, 90, 0, 100, 0, 0);  // due west, 90 degrees away
  EXPECT_NEAR(x, -100 / 1e-6, 1);
  EXPECT_NEAR(y, 0, 1e-6);
}

}  // namespace
}  // namespace tavrel
