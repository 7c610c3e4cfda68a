// The planar dials against closed-form gnomonics: hour lines without
// equation of time are straight lines through the style foot S in the
// directions of the textbook hour-line formulas, S is where the polar axis
// through the gnomon tip meets the plane, and date lines are the conics of
// constant declination. The dial is drawn on the recording canvas; the
// tests read the segments it recorded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <map>
#include <string>

#include "dial_test_util.h"

namespace tavrel::testing {
namespace {

struct GnomonicCase {
  const char* name;
  char kind;
  double latitude, declination, inclination;
  double footX, footY;
};

// Horizontal and vertical equator-facing dials against tan X = sin(lat)
// tan(H) and tan X = cos(lat) tan(H) (Waugh, Sundials: Their Theory and
// Construction, chs. 4 and 5); the other planes against the hour-line
// angle from the substyle, tan X = sin(SH) tan(H - DL), with the style
// height SH and the substyle hour angle DL of Rohr, Sundials: History,
// Theory and Practice, ch. 4 (Waugh chs. 10-12):
//   sin SH = sin(lat) cos(i) - cos(lat) sin(i) cos(D),
//   tan DL = sin(i) sin(D) / (cos(lat) cos(i) + sin(lat) sin(i) cos(D)).
// Tolerance: 0.05 degree for the direction of every recorded point seen
// from S, 0.05 px for S.
const GnomonicCase kCases[] = {
    {"horizontal 50N", 'h', 50, 0, 0, 800, 750},
    {"horizontal 35.5N", 'h', 35.5, 0, 0, 800, 750},
    {"horizontal 12N", 'h', 12, 0, 0, 800, 800},
    {"horizontal 34S", 'h', -34, 0, 0, 800, 250},
    {"horizontal 60S", 'h', -60, 0, 0, 800, 250},
    {"vertical south 47.25N", 'v', 47.25, 0, 90, 800, 200},
    {"vertical south 52N", 'v', 52, 0, 90, 800, 200},
    {"vertical north-facing 30S", 'v', -30, 180, 90, 800, 200},
    {"declining -11.7 47.25N", 'v', 47.25, -11.7, 90, 800, 200},
    {"declining 35 40N", 'v', 40, 35, 90, 800, 200},
    {"declining -60 55N", 'v', 55, -60, 90, 800, 200},
    {"declining 150 25S", 'v', -25, 150, 90, 800, 200},
    {"declining-reclining 30/60 47.25N", 'i', 47.25, 30, 60, 800, 500},
    {"declining-reclining -20/25.46 52N", 'i', 52, -20, 25.4589, 800, 600},
    {"reclining south 40/25N", 'i', 40, 0, 25, 800, 600},
    {"declining-reclining 170/70 33S", 'i', -33, 170, 70, 800, 400},
    {"declining-inclining 10/110 48N", 'i', 48, 10, 110, 800, 400},
};

// Direction (right, up) of the hour line of hour angle H, as a unit vector.
std::array<double, 2> expectedDirection(const GnomonicCase& c, double H) {
  const double phi = radians(c.latitude);
  if (c.kind == 'h') {
    const double X = std::atan2(std::sin(phi) * std::sin(radians(H)), std::cos(radians(H)));
    return {std::sin(X), std::cos(X)};
  }
  if (c.kind == 'v' && c.declination == 0 && c.latitude > 0) {
    const double X = std::atan2(std::cos(phi) * std::sin(radians(H)), std::cos(radians(H)));
    return {std::sin(X), -std::cos(X)};
  }
  const double i = radians(c.inclination), D = radians(c.declination);
  const double sinSH = std::sin(phi) * std::cos(i) - std::cos(phi) * std::sin(i) * std::cos(D);
  const double DL = degrees(std::atan2(std::sin(i) * std::sin(D),
                                   std::cos(phi) * std::cos(i) + std::sin(phi) * std::sin(i) * std::cos(D)));
  const std::array<double, 2> S = closedFormStyleFoot(c.latitude, c.declination, c.inclination, 1);
  const double len = std::hypot(S[0], S[1]);
  const double ux = -S[0] / len, uy = -S[1] / len;  // the substyle, from S towards P
  const double X = std::atan(std::fabs(sinSH) * std::tan(radians(H - DL)));
  // Seen from the front the shadow turns clockwise when the north pole is
  // above the plane (SH > 0), counter-clockwise otherwise.
  const double a = sinSH > 0 ? -X : X;
  return {ux * std::cos(a) - uy * std::sin(a), ux * std::sin(a) + uy * std::cos(a)};
}

double lineAngleDifference(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 180.0);
  return std::min(d, 180 - d);
}

class GnomonicsTest : public PlanarDialTest {
 protected:
  void configure(const GnomonicCase& c) {
    DesignState& d = design();
    d.dialKind = c.kind;
    d.latitude = c.latitude;
    d.longitude = -10;
    d.zoneMeridian = -15;
    d.wallDeclination = c.declination;
    d.planeInclination = c.inclination;
    d.gnomonLength = 35;
  }
};

TEST_F(GnomonicsTest, HourLinesAreStraightThroughTheStyleFootAtTheTextbookAngles) {
  for (const GnomonicCase& c : kCases) {
    SCOPED_TRACE(c.name);
    configure(c);
    DesignState& d = design();
    d.localTimeNoEot = true;
    d.hourLineInterval = '0';
    const double upm = 1600 / 280.0, L = 35;
    const std::array<double, 2> S = closedFormStyleFoot(c.latitude, c.declination, c.inclination, L);
    const double sx = c.footX + S[0] * upm, sy = c.footY - S[1] * upm;
    int linesChecked = 0;
    double worst = 0;
    for (int hour = 5; hour <= 19; ++hour) {
      d.hourLinesFrom = d.hourLinesTo = hour;
      const RecordingCanvas canvas = draw(c.footX, c.footY);
      const auto segs = segments(canvas, 3);
      const std::array<double, 2> dir = expectedDirection(c, (hour - 12) * 15.0);
      const double expected = degrees(std::atan2(dir[1], dir[0]));
      int points = 0;
      for (const auto& s : segs)
        for (int e = 0; e < 2; ++e) {
          const double px = s[2 * e], py = s[2 * e + 1];
          const double dx = px - sx, dy = sy - py;  // y upwards
          if (std::hypot(dx, dy) < 40) continue;
          const double diff = lineAngleDifference(degrees(std::atan2(dy, dx)), expected);
          worst = std::max(worst, diff);
          EXPECT_LT(diff, 0.05) << "hour " << hour << " point (" << px << ", " << py << ")";
          ++points;
        }
      if (points >= 4) ++linesChecked;
    }
    EXPECT_GE(linesChecked, 5) << "too few hour lines visible";
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", worst);
    RecordProperty(std::string("worst_degrees_") + c.name, text);
  }
}

TEST_F(GnomonicsTest, StyleFootMarkIsWhereThePolarAxisThroughTheTipMeetsThePlane) {
  for (const GnomonicCase& c : kCases) {
    SCOPED_TRACE(c.name);
    configure(c);
    const RecordingCanvas canvas = draw(c.footX, c.footY);
    const double upm = 1600 / 280.0;
    const std::array<double, 2> S = closedFormStyleFoot(c.latitude, c.declination, c.inclination, 35);
    const double sx = c.footX + S[0] * upm, sy = c.footY - S[1] * upm;
    // The mark of S: a circle of radius 4 in the colour of pen 4.
    bool found = false;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Ellipse)) {
      if (p.pen.colour != penColourForTest(4) || std::fabs(p.p[2] - p.p[0] - 8) > 1e-9) continue;
      found = true;
      EXPECT_NEAR((p.p[0] + p.p[2]) / 2, sx, 0.05);
      EXPECT_NEAR((p.p[1] + p.p[3]) / 2, sy, 0.05);
    }
    EXPECT_TRUE(found);
  }
}

// Every point of a date line of a horizontal dial sees the gnomon tip T
// under the declination of its date: sin(decl) = (T - Q) . pole / |T - Q|
// (the cone of the sun's daily rays about the polar axis through T).
// Zodiac declinations asin(sin(eps) sin(90 + 30 k)) with the mean obliquity
// of 2020, 23.4366 degrees (Meeus, eq. 22.2); tolerance 0.05 degree.
struct DateLineCase {
  const char* name;
  double latitude, footY;
};
const DateLineCase kDateCases[] = {{"50N", 50, 780}, {"40N", 40, 700}, {"34S", -34, 250}};

TEST_F(GnomonicsTest, DateLinesOfAHorizontalDialAreConicsOfTheirDeclination) {
  for (const DateLineCase& c : kDateCases) {
    SCOPED_TRACE(c.name);
    DesignState& d = design();
    d.dialKind = 'h';
    d.latitude = c.latitude;
    d.gnomonLength = 35;
    d.dateLineMode = '0';
    const RecordingCanvas canvas = draw(800, c.footY);
    const double upm = 1600 / 280.0, L = 35, phi = radians(c.latitude);
    const double eps = 23.4366;
    std::vector<double> decl;
    for (int k = 0; k < 7; ++k) decl.push_back(degrees(std::asin(std::sin(radians(eps)) * std::cos(radians(30.0 * k)))));
    std::map<int, std::vector<std::array<double, 2>>> byLine;  // k -> points (east, north) in mm
    for (const auto& s : segments(canvas, 1))
      for (int e = 0; e < 2; ++e) {
        const double px = s[2 * e], py = s[2 * e + 1];
        if (px <= 0.5 || px >= 1599.5 || py <= 0.5 || py >= 999.5) continue;  // frame crossings
        const double E = (px - 800) / upm, N = (c.footY - py) / upm;
        const double v[3] = {-E, -N, L};  // from the shadow point to the tip
        const double pole[3] = {0, std::cos(phi), std::sin(phi)};
        const double delta = degrees(std::asin(dot(v, pole) / std::sqrt(dot(v, v))));
        int best = 0;
        for (int k = 1; k < 7; ++k)
          if (std::fabs(delta - decl[k]) < std::fabs(delta - decl[best])) best = k;
        EXPECT_NEAR(delta, decl[best], 0.05) << "point (" << px << ", " << py << ")";
        byLine[best].push_back({E, N});
      }
    const double equinoxN = L * std::tan(phi);  // the equinox line: north of P by L tan(lat)
    const double hemisphere = c.latitude > 0 ? 1 : -1;
    for (int k = 0; k < 7; ++k) {
      SCOPED_TRACE("date line " + std::to_string(k));
      const auto& pts = byLine[k];
      ASSERT_GE(pts.size(), 5u);
      // The noon point (E near 0) and the points far from noon.
      double noonN = 0, noonE = 1e9;
      for (const auto& p : pts)
        if (std::fabs(p[0]) < std::fabs(noonE)) noonE = p[0], noonN = p[1];
      for (const auto& p : pts) {
        if (std::fabs(decl[k]) < 0.01) {
          EXPECT_NEAR(p[1], equinoxN, 0.01);  // straight: the east-west line
          continue;
        }
        const bool summer = decl[k] * hemisphere > 0;
        // Summer lines lie between the equinox line and the style foot,
        // winter lines beyond the equinox line.
        if (summer)
          EXPECT_LT(p[1] * hemisphere, equinoxN * hemisphere);
        else
          EXPECT_GT(p[1] * hemisphere, equinoxN * hemisphere);
        // Summer hyperbolas bend towards S, winter ones away from it.
        if (std::fabs(p[0] - noonE) > 30) {
          if (summer)
            EXPECT_LT(p[1] * hemisphere, noonN * hemisphere);
          else
            EXPECT_GT(p[1] * hemisphere, noonN * hemisphere);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavrel::testing
