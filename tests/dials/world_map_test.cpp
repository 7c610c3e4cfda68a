// The world map over the planar dials: each outline point must lie where
// the shadow of the gnomon tip falls when the sun stands in that point's
// zenith. The reference is plain vector geometry (earth-centred directions,
// the dial plane's normal and the tip), not the projection of the program.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/world_map/world_map.h"
#include "dials/world_map/world_outline.h"
#include "plot/recording_canvas.h"

namespace tavrel {
namespace {

constexpr double kPiD = 3.14159265358979323846;
double rad(double d) { return d * kPiD / 180; }

using Vec = std::array<double, 3>;
Vec add(Vec a, Vec b, double k = 1) { return {a[0] + k * b[0], a[1] + k * b[1], a[2] + k * b[2]}; }
double dot(Vec a, Vec b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(Vec a, Vec b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec unit(Vec a) {
  const double n = std::sqrt(dot(a, a));
  return {a[0] / n, a[1] / n, a[2] / n};
}
// Earth-centred unit vector of a place (east longitude).
Vec earthDirection(double lat, double eastLon) {
  return {std::cos(rad(lat)) * std::cos(rad(eastLon)), std::cos(rad(lat)) * std::sin(rad(eastLon)),
          std::sin(rad(lat))};
}

// Where the tip's shadow falls on the plane, in millimetres from the foot:
// (right, up) as one looks at the face, "up" being the line of steepest
// ascent (north on a horizontal dial). Plane: inclination i from the
// horizontal, its normal turned towards azimuth D (from south, west
// positive). ok is false when the sun is behind the plane.
struct Shadow {
  double right = 0, up = 0;
  bool ok = false;
};
Shadow tipShadow(double lat, double eastLon, double inclination, double declination, double gnomonMm,
                 double sunLat, double sunEastLon) {
  const Vec zenith = earthDirection(lat, eastLon);
  const Vec east = unit(cross({0, 0, 1}, zenith));
  const Vec north = cross(zenith, east);
  const Vec south = {-north[0], -north[1], -north[2]};
  const Vec west = {-east[0], -east[1], -east[2]};
  // Horizontal direction of azimuth D counted from south towards west.
  const Vec h = add({std::cos(rad(declination)) * south[0], std::cos(rad(declination)) * south[1],
                     std::cos(rad(declination)) * south[2]},
                    west, std::sin(rad(declination)));
  Vec n = add({std::cos(rad(inclination)) * zenith[0], std::cos(rad(inclination)) * zenith[1],
               std::cos(rad(inclination)) * zenith[2]},
              h, std::sin(rad(inclination)));
  Vec right, up;
  if (inclination < 1e-9) {
    right = east;
    up = north;
  } else {
    right = unit(cross(zenith, n));
    up = cross(n, right);
  }
  const Vec sun = earthDirection(sunLat, sunEastLon);
  Shadow s;
  const double c = dot(sun, n);
  if (c <= 1e-3) return s;
  // Tip T = F + L n; the shadow P = T - t sun lies in the plane.
  const Vec offset = add({gnomonMm * n[0], gnomonMm * n[1], gnomonMm * n[2]}, sun, -gnomonMm / c);
  s.right = dot(offset, right);
  s.up = dot(offset, up);
  s.ok = true;
  return s;
}

struct Place {
  const char* name;
  double lat, eastLon;
};
// Well-known places (rounded to the outline's two decimals).
constexpr Place kPlaces[] = {
    {"Greenwich meridian", 51.48, 0.00},
    {"Cape of Good Hope", -34.36, 18.47},
    {"Cape Horn", -55.98, -67.27},
    {"Tokyo Bay", 35.45, 139.80},
};

struct PlaneCase {
  char kind;
  double lat, westLon, declination, inclination;
};
// The planes: a horizontal dial at 47.25 N and a vertical and an inclined
// one there, and the same in the southern hemisphere.
constexpr PlaneCase kPlanes[] = {
    {'h', 47.25, -9.59, 0, 0},     {'v', 47.25, -9.59, -11.7, 90}, {'v', 47.25, -9.59, 40, 90},
    {'i', 47.25, -9.59, -20, 60},  {'i', 47.25, -9.59, 30, 25},    {'h', -34.0, -151.0, 0, 0},
    {'v', -34.0, -151.0, 160, 90}, {'i', -34.0, -151.0, 170, 30},
};

class WorldMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    design().paperA4 = true;
  }
  ScriptedPlatform platform_;
};

// Printer page: 10 units per millimetre, so 0.2 mm is 2 units. Every
// place in front of the plane lands on its shadow point; a place behind
// the plane has no shadow and lands outside the page.
TEST_F(WorldMapTest, OutlinePointsFallOnTheTipShadowOfTheirZenithSun) {
  const double gnomonMm = 35, x0 = 1400, y0 = 1000, unitsPerMm = 10;
  double worst = 0;
  int inFront = 0;
  for (const PlaneCase& pc : kPlanes) {
    DesignState& d = design();
    d.dialKind = pc.kind;
    d.latitude = pc.lat;
    d.longitude = pc.westLon;
    d.wallDeclination = pc.declination;
    d.planeInclination = pc.inclination;
    const WorldMapProjection proj = worldMapProjection(d, gnomonMm * unitsPerMm, x0, y0, 1);
    for (const Place& q : kPlaces) {
      SCOPED_TRACE(std::string(1, pc.kind) + " " + std::to_string(pc.lat) + " decl " +
                   std::to_string(pc.declination) + ": " + q.name);
      const Shadow s = tipShadow(pc.lat, -pc.westLon, pc.inclination, pc.declination, gnomonMm, q.lat,
                                 q.eastLon);
      double x = 0, y = 0;
      projectWorldPoint(proj, q.lat, q.eastLon, x, y);
      if (!s.ok) {
        EXPECT_FALSE(std::fabs(x - x0) < 6000 && std::fabs(y - y0) < 6000) << x << " " << y;
        continue;
      }
      ++inFront;
      const double ex = x0 + s.right * unitsPerMm, ey = y0 - s.up * unitsPerMm;
      const double err = std::hypot(x - ex, y - ey) / unitsPerMm;
      worst = std::max(worst, err);
      EXPECT_LT(err, 0.2) << "map (" << x << ", " << y << ") shadow (" << ex << ", " << ey << ")";
    }
  }
  EXPECT_EQ(inFront, 18);  // the others are behind their plane
  RecordProperty("worstErrorMm", std::to_string(worst));
}

}  // namespace
}  // namespace tavrel
