// The planar dial construction: the other line families against
// independent spherical astronomy, the umbrella projection, the pieces of
// the picture, the messages, and the degenerate inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/calendar.h"
#include "core/language.h"
#include "dial_test_util.h"
#include "dials/dials.h"

namespace tavrel::testing {
namespace {

// The sun direction that casts the shadow of the tip of a gnomon L on a
// horizontal dial at (E, N) mm from the foot: hour angle and declination
// at latitude phi (Meeus, Astronomical Algorithms, 2nd ed., ch. 13,
// solved from the direction vector).
struct SkyPoint {
  double hourAngle, declination, altitude, azimuth;
};
SkyPoint skyOfHorizontalShadow(double E, double N, double L, double latitude) {
  // Towards the sun in east-north-up coordinates.
  const double v[3] = {-E, -N, L};
  const double len = std::sqrt(dot(v, v));
  const double s[3] = {v[0] / len, v[1] / len, v[2] / len};
  const double p = radians(latitude);
  // Equatorial frame: x towards the meridian on the equator (south-up),
  // y towards west, z to the pole.
  const double pole[3] = {0, std::cos(p), std::sin(p)};
  const double meridian[3] = {0, -std::sin(p), std::cos(p)};  // H = 0, declination 0
  const double west[3] = {-1, 0, 0};
  SkyPoint sp;
  sp.declination = degrees(std::asin(dot(s, pole)));
  sp.hourAngle = degrees(std::atan2(dot(s, west), dot(s, meridian)));
  sp.altitude = degrees(std::asin(s[2]));
  sp.azimuth = degrees(std::atan2(-s[0], -s[1]));
  return sp;
}

class PlanarTest : public PlanarDialTest {
 protected:
  void horizontal(double latitude) {
    DesignState& d = design();
    d.dialKind = 'h';
    d.latitude = latitude;
    d.longitude = -8;
    d.zoneMeridian = -15;
    d.gnomonLength = 35;
  }
  // Interior sample points (not frame crossings) of pen `pen`, as (E, N)
  // mm from the foot.
  std::vector<std::array<double, 2>> points(const RecordingCanvas& c, int pen, double footX,
                                            double footY, double width = 0) {
    std::vector<std::array<double, 2>> out;
    const double upm = 1600 / 280.0;
    for (const auto& s : segments(c, pen, width))
      for (int e = 0; e < 2; ++e) {
        const double px = s[2 * e], py = s[2 * e + 1];
        if (px <= 0.5 || px >= 1599.5 || py <= 0.5 || py >= 999.5) continue;
        out.push_back({(px - footX) / upm, (footY - py) / upm});
      }
    return out;
  }
};

// Babylonian hour v: v hours after sunrise, H = -H0 + 15 v; Italian hour
// v: H = H0 + 15 (v - 24), with cos H0 = -tan(lat) tan(decl) (Meeus eq.
// 15.1, geometric horizon). The dial takes the rise and set of local mean
// noon and the declination of the instant itself, so 0.3 degree of hour
// angle (1.2 minutes) is allowed.
TEST_F(PlanarTest, BabylonianAndItalianHoursCountFromSunriseAndSunset) {
  horizontal(48);
  DesignState& d = design();
  d.babylonianHours = true;
  d.babylonianFrom = 2;
  d.babylonianTo = 10;
  d.babylonianInterval = 0;
  d.italianHours = true;
  d.italianFrom = 14;
  d.italianTo = 22;
  d.italianInterval = 0;
  const RecordingCanvas canvas = draw(800, 750);
  for (int pen : {7, 6}) {
    const auto pts = points(canvas, pen, 800, 750);
    ASSERT_GT(pts.size(), 30u);
    int matched = 0;
    for (const auto& p : pts) {
      const SkyPoint sky = skyOfHorizontalShadow(p[0], p[1], 35, 48);
      const double H0 = degrees(std::acos(-std::tan(radians(48)) * std::tan(radians(sky.declination))));
      // The value v of the line through this point must be a whole hour.
      const double v = pen == 7 ? (sky.hourAngle + H0) / 15 : (sky.hourAngle - H0) / 15 + 24;
      EXPECT_NEAR(v, std::round(v), 0.3 / 15) << "pen " << pen << " point " << p[0] << ", " << p[1];
      ++matched;
    }
    EXPECT_GT(matched, 0);
  }
}

// The mean-noon line with equation of time (local mean time): the sun's
// hour angle at its points is the equation of time of the day, which
// swings between -14 min 15 s (mid-February) and +16 min 25 s (early
// November) (Meeus, Astronomical Algorithms, 2nd ed., ch. 28). Sampled
// every third day, so 0.3 min is allowed at the extremes.
TEST_F(PlanarTest, MeanNoonAnalemmaSpansTheEquationOfTime) {
  horizontal(47);
  DesignState& d = design();
  d.withEot = true;
  d.eotLinesFrom = d.eotLinesTo = 12;
  d.eotLineInterval = '0';
  d.umbrellaLocalTime = true;
  d.lineWidth = 2;  // the construction lines, apart from the marks in pen 4
  const RecordingCanvas canvas = draw(800, 750);
  const auto pts = points(canvas, 4, 800, 750, 2);
  ASSERT_GT(pts.size(), 100u);
  double lo = 1e9, hi = -1e9;
  for (const auto& p : pts) {
    const double minutes = 4 * skyOfHorizontalShadow(p[0], p[1], 35, 47).hourAngle;
    lo = std::min(lo, minutes);
    hi = std::max(hi, minutes);
  }
  EXPECT_NEAR(lo, -14.25, 0.3);
  EXPECT_NEAR(hi, 16.42, 0.3);
}

// Temporal hour 6 is noon on every day: its line is the meridian line
// through the foot, also when the hour lines show the time of the zone
// meridian.
TEST_F(PlanarTest, TemporalNoonIsTheMeridianWhateverTheHourLinesShow) {
  for (bool ownMeridian : {true, false}) {
    SCOPED_TRACE(ownMeridian ? "local time" : "zone meridian time");
    horizontal(47);
    DesignState& d = design();
    d.eotLinesOwnMeridian = ownMeridian;
    d.temporalHourLines = true;
    d.temporalFrom = 6;
    d.temporalTo = 6;
    d.temporalInterval = 0;
    d.extendTemporalHours = false;
    const RecordingCanvas canvas = draw(800, 750);
    const auto pts = points(canvas, 10, 800, 750);
    ASSERT_GT(pts.size(), 5u);
    for (const auto& p : pts) EXPECT_NEAR(p[0], 0, 1e-6);
  }
}

// Temporal hour v at declination d: H = (v - 6) H0 / 6.
TEST_F(PlanarTest, TemporalHoursDivideTheDayArcIntoTwelve) {
  horizontal(47);
  DesignState& d = design();
  d.temporalHourLines = true;
  d.temporalFrom = 2;
  d.temporalTo = 10;
  d.temporalInterval = 0;
  d.extendTemporalHours = false;
  const RecordingCanvas canvas = draw(800, 750);
  const auto pts = points(canvas, 10, 800, 750);
  ASSERT_GT(pts.size(), 40u);
  for (const auto& p : pts) {
    const SkyPoint sky = skyOfHorizontalShadow(p[0], p[1], 35, 47);
    const double H0 = degrees(std::acos(-std::tan(radians(47)) * std::tan(radians(sky.declination))));
    const double v = 6 + 6 * sky.hourAngle / H0;
    EXPECT_NEAR(v, std::round(v), 0.01);
  }
}

// Altitude lines of a horizontal dial are arcs of radius L cot(A) about
// the foot, and only where the sun goes: the declination of every point's
// sun lies within the obliquity.
TEST_F(PlanarTest, AltitudeLinesAreCirclesWhereTheSunGoes) {
  for (double latitude : {50.0, -35.0}) {
    SCOPED_TRACE(latitude);
    horizontal(latitude);
    DesignState& d = design();
    d.sunAltitudeLines = true;
    d.altitudeFrom = 20;
    d.altitudeTo = 60;
    d.altitudeInterval = 0;
    const double footY = latitude > 0 ? 600 : 400;
    const RecordingCanvas canvas = draw(800, footY);
    const auto pts = points(canvas, 5, 800, footY);
    ASSERT_GT(pts.size(), 50u);
    for (const auto& p : pts) {
      const double r = std::hypot(p[0], p[1]);
      const double A = degrees(std::atan(35 / r));
      EXPECT_NEAR(A, std::round(A / 10) * 10, 0.01);
      const SkyPoint sky = skyOfHorizontalShadow(p[0], p[1], 35, latitude);
      EXPECT_LE(std::fabs(sky.declination), 23.46) << "A " << A << " azimuth " << sky.azimuth;
    }
  }
}

// Whole-hour day-length lines: the day of every point's declination lasts
// a whole number of hours, 2 H0 / 15 (Meeus eq. 15.1).
TEST_F(PlanarTest, DayLengthLinesHaveWholeHourDays) {
  horizontal(52);
  design().integerSunshineLines = true;
  const RecordingCanvas canvas = draw(800, 780);
  const auto pts = points(canvas, 11, 800, 780);
  ASSERT_GT(pts.size(), 50u);
  int longDays = 0, shortDays = 0;
  for (const auto& p : pts) {
    const SkyPoint sky = skyOfHorizontalShadow(p[0], p[1], 35, 52);
    const double dayLength = 2 * degrees(std::acos(-std::tan(radians(52)) * std::tan(radians(sky.declination)))) / 15;
    EXPECT_NEAR(dayLength, std::round(dayLength), 0.01);
    if (dayLength > 12.5) ++longDays;
    if (dayLength < 11.5) ++shortDays;
  }
  EXPECT_GT(longDays, 0);
  EXPECT_GT(shortDays, 0);
}

TEST(DayLengthDeclinations, ReachableLinesOnly) {
  // At 52 N the days last 8..16 h between the solstices: k = 1..4 reachable.
  const std::vector<double> d = dayLengthDeclinations(52, 23.44);
  EXPECT_EQ(d[0], 0);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_FALSE(std::isnan(d[static_cast<std::size_t>(k)])) << k;
    const double H0 = degrees(std::acos(-std::tan(radians(52)) * std::tan(radians(d[static_cast<std::size_t>(k)]))));
    EXPECT_NEAR(2 * H0 / 15, 12 + k, 1e-9);
  }
  for (int k = 5; k <= 12; ++k) EXPECT_TRUE(std::isnan(d[static_cast<std::size_t>(k)])) << k;
  for (double v : dayLengthDeclinations(0.001, 23.44)) EXPECT_EQ(v, 0);
}

// The umbrella dials read the far edge of the disc's shadow: on a
// horizontal dial a circle of radius kL about the tip's shadow, so the
// point lies L cot(h) + kL from the foot along the shadow; on a vertical
// dial (disc parallel to the wall) r + kL.
TEST(ShadowProjectorTest, UmbrellaDiscEdge) {
  struct Row {
    char kind;
    double k, altitude, azimuth;
  };
  const Row rows[] = {{'h', 0.35, 40, 20}, {'h', -0.5, 25, -70}, {'v', 0.35, 30, 10}, {'v', 0.2, 50, -30}};
  for (const Row& row : rows) {
    PlanarPlane plane;
    plane.kind = row.kind;
    plane.umbrella = true;
    plane.vertical = row.kind == 'v';
    plane.normalAlt = row.kind == 'v' ? 0 : 90;
    plane.radiusRatio = row.k;
    plane.inclination = row.kind == 'v' ? 90 : 0;
    DialFrame frame;
    ShadowProjector umbrella(plane, 35, frame);
    PlanarPlane bare = plane;
    bare.umbrella = false;
    ShadowProjector tip(bare, 35, frame);
    const ShadowPoint a = umbrella.projectShadow(row.altitude, row.azimuth);
    const ShadowPoint b = tip.projectShadow(row.altitude, row.azimuth);
    const double rb = std::hypot(b.x, b.y);
    EXPECT_NEAR(std::hypot(a.x, a.y), rb + row.k * 35, 1e-9);
    EXPECT_NEAR(a.x * b.y - a.y * b.x, 0, 1e-9);  // same direction from the foot
    if (row.kind == 'h') {
      EXPECT_NEAR(rb, 35 / std::tan(radians(row.altitude)), 1e-9);
    }
  }
}

// A hour line without any visible point is drawn from S along the
// tabulated angle, to the side where its shadows fall.
TEST_F(PlanarTest, HourLineWithoutVisiblePointsFollowsTheTableFromTheStyleFoot) {
  struct Row {
    char kind;
    double latitude, declination;
  };
  for (const Row row : {Row{'h', 50, 0}, Row{'h', -40, 0}, Row{'v', 47, -11.7}}) {
    SCOPED_TRACE(std::string(1, row.kind) + " " + std::to_string(row.latitude));
    DesignState& d = design();
    d.dialKind = row.kind;
    d.latitude = row.latitude;
    d.wallDeclination = row.declination;
    d.localTimeNoEot = true;
    d.linesToStyleFoot = true;
    d.hourLineInterval = '0';
    d.hourLinesFrom = d.hourLinesTo = 15;
    const HourLineAngleTable table = computeHourLineAngles(design());
    PlanarLineInput in;
    in.plane = planarPlane(d);
    in.gnomonMm = 35;
    in.angles = &table;
    // The full picture: where the traced line runs from S.
    const PlanarLines full = computePlanarLines(design(), in);
    const StyleFoot S = full.style;
    double tx = 0, ty = 0;
    for (const PlanarLine& l : full.lines)
      for (const PathVertex& v : l.path.vertices) {
        const double r = std::hypot(v.x - S.sx, v.y - S.sy);
        if (r > 1) tx += (v.x - S.sx) / r, ty += (v.y - S.sy) / r;
      }
    ASSERT_GT(std::hypot(tx, ty), 1);
    // A frame of 2 mm about S that no shadow point falls into.
    in.frame.left = S.sx - 2;
    in.frame.right = S.sx + 2;
    in.frame.bottom = S.sy - 2;
    in.frame.top = S.sy + 2;
    const PlanarLines tiny = computePlanarLines(design(), in);
    ASSERT_EQ(tiny.lines.size(), 1u);
    const auto& v = tiny.lines[0].path.vertices;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_NEAR(v[0].x, S.sx, 1e-9);
    EXPECT_NEAR(v[0].y, S.sy, 1e-9);
    const double fx = v[1].x - S.sx, fy = v[1].y - S.sy;
    const double cosine = (fx * tx + fy * ty) / (std::hypot(fx, fy) * std::hypot(tx, ty));
    EXPECT_GT(cosine, 0.99999);
  }
}

// The vertices keep their sampling parameter: the equinox line of a
// horizontal dial is sampled every quarter hour, its 12 h point on the
// meridian L tan(lat) north of the foot.
TEST_F(PlanarTest, PathVerticesKeepTheirSampleTime) {
  horizontal(47);
  design().dateLineMode = '0';
  PlanarDialView view;
  view.footX = 800;
  view.footY = 750;
  const PlanarLines lines = planarDialLines(design(), true, 1600, 1000, view);
  bool noon = false;
  for (const PlanarLine& l : lines.lines) {
    if (l.kind != PlanarLineKind::DateLine || std::fabs(l.value) > 1e-9) continue;
    for (const PathVertex& v : l.path.vertices) {
      if (std::isnan(v.param)) continue;
      EXPECT_EQ(std::fmod(v.param, 0.25), 0);
      if (v.param == 12) {
        noon = true;
        EXPECT_NEAR(v.x, 0, 1e-9);
        EXPECT_NEAR(v.y, 35 * std::tan(radians(47)), 1e-9);
      }
    }
  }
  EXPECT_TRUE(noon);
}

TEST_F(PlanarTest, PictureOfTheDefaultVerticalDial) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.localTimeNoEot = true;
  d.dateLineMode = '0';
  const RecordingCanvas canvas = draw(800, 50);
  auto hasText = [&](const std::string& text) {
    for (const Primitive& p : canvas.primitives)
      if (p.kind == PrimitiveKind::Text && p.text == text) return &p;
    return static_cast<const Primitive*>(nullptr);
  };
  const Primitive* name = hasText("vertical SUNDIAL");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->p[0], 10);
  EXPECT_EQ(name->p[1], 10);
  EXPECT_NE(hasText("Latitude =  47.25 deg , Longitude =  -9.59 deg "), nullptr);
  EXPECT_NE(hasText("Deviation = -11.70 deg "), nullptr);
  EXPECT_NE(hasText("Straight hour lines show Local Apparent Time"), nullptr);
  EXPECT_NE(hasText("Gnomon Height (= 35.00)"), nullptr);
  const Primitive* title = nullptr;
  for (const Primitive& p : canvas.primitives)
    if (p.kind == PrimitiveKind::Text && p.text.rfind("Sun on Sundial Plane: ", 0) == 0) title = &p;
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->font.weight, kFontWeightBold);
  EXPECT_EQ(title->font.colour, rgb(128, 0, 0));
  // The horizon of a vertical dial runs through the foot, in pen 5.
  bool horizon = false;
  for (const auto& s : segments(canvas, 5))
    if (s[1] == 50 && s[3] == 50 && s[0] == 5 && s[2] == 1595) horizon = true;
  EXPECT_TRUE(horizon);
  // Frame margins: the silver frame last but one.
  EXPECT_FALSE(canvas.ofKind(PrimitiveKind::Rectangle).empty());
  EXPECT_EQ(canvas.ofKind(PrimitiveKind::Rectangle).back().pen.colour, kSilver);
  // The gnomon scale bar: 35 mm = 200 px at 1600 / 280 px per mm.
  bool bar = false;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::LineTo))
    if (p.pen.colour == penColourForTest(4) && std::fabs(p.p[2] - p.p[0] - 200) < 1e-9 && p.p[1] == p.p[3])
      bar = true;
  EXPECT_TRUE(bar);
}

TEST_F(PlanarTest, GnomonBelowFiveMillimetresIsDrawnWithFiveAndTheZoomFollows) {
  horizontal(47);
  design().gnomonLength = 35;
  draw(800, 700, 1600, 1000, 0.1);
  EXPECT_DOUBLE_EQ(lastZoom, 5.0 / 35);
  PlanarDialView view;
  view.zoomFactor = 0.1;
  EXPECT_DOUBLE_EQ(planarDialLayout(design(), true, 1600, 1000, view).gnomonMm, 5);
}

TEST_F(PlanarTest, LatitudeLimitsOfTheOldHourSystems) {
  horizontal(67);
  DesignState& d = design();
  d.temporalHourLines = true;
  d.babylonianHours = true;
  const RecordingCanvas canvas = draw(800, 700);
  ASSERT_EQ(platform->boxes.size(), 2u);
  EXPECT_EQ(platform->boxes[0].text, " Temporal hours\rnot possible. Latitude to high!");
  EXPECT_EQ(platform->boxes[0].caption, MsgCaption::Problem);
  EXPECT_EQ(platform->boxes[0].icon, MsgIcon::Error);
  EXPECT_EQ(platform->boxes[1].text, "Italian and Babylonian hours\rnot possible. Latitude to high!");
  EXPECT_TRUE(segments(canvas, 10).empty());
  EXPECT_TRUE(segments(canvas, 7).empty());
  // 65.5: temporal hours still drawn, Babylonian refused.
  platform->boxes.clear();
  d.latitude = 65.5;
  const RecordingCanvas second = draw(800, 700);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_FALSE(segments(second, 10).empty());
}

TEST_F(PlanarTest, DateLineDaysOfEachMode) {
  DesignState& d = design();
  EXPECT_EQ(dateLineDays(design(), '0').size(), 7u);
  EXPECT_NEAR(dateLineDays(design(), '0')[3].declination, 0, 1e-9);
  const auto one = dateLineDays(design(), '1');
  ASSERT_EQ(one.size(), 13u);
  EXPECT_EQ(one[0].label, "22.6.");
  EXPECT_EQ(one[1].label, " 7.7.");
  EXPECT_EQ(one[12].label, "22.12.");
  EXPECT_TRUE(dateLineDays(design(), '3').empty());
  d.ownDateLines.clear();
  const auto empty = dateLineDays(design(), '2');
  ASSERT_EQ(empty.size(), 3u);
  EXPECT_EQ(empty[1].label, "23.09.");
  EXPECT_TRUE(empty[1].fixedDeclination);  // 23 September: declination 0
  d.ownDateLines = {"05/05    ( 5. May )", "31/02    ( bad )", "21/03    ( 21. Mar )"};
  const auto own = dateLineDays(design(), '2');
  ASSERT_EQ(own.size(), 2u);
  EXPECT_EQ(own[0].dayOfYear, dayOfYear(d.referenceYear, 5, 5));
  EXPECT_TRUE(own[1].fixedDeclination);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_NE(platform->boxes[0].text.find("31/02"), std::string::npos);
}

TEST(LinesPerHour, SubdivisionDigits) {
  EXPECT_EQ(linesPerHour('0'), 1);
  EXPECT_EQ(linesPerHour('1'), 2);
  EXPECT_EQ(linesPerHour('2'), 3);
  EXPECT_EQ(linesPerHour('3'), 4);
  EXPECT_EQ(linesPerHour('4'), 6);  // every 10 minutes, not five lines
}

// Degenerate inputs: each constructs completely with every family on,
// leaves no NaN or infinity in what it recorded and stays within time.
struct EdgeCase {
  const char* name;
  char kind;
  bool umbrella;
  double latitude, declination, inclination, ratio, zoom;
  std::size_t boxes;  // message boxes expected
};
const EdgeCase kEdgeCases[] = {
    {"horizontal at the equator", 'h', false, 0, 0, 0, 0.35, 1, 0},
    {"horizontal at 89.99 N", 'h', false, 89.99, 0, 0, 0.35, 1, 2},
    {"horizontal at 89.99 S", 'h', false, -89.99, 0, 0, 0.35, 1, 2},
    {"vertical facing west", 'v', false, 47, 90, 90, 0.35, 1, 0},
    {"vertical facing east", 'v', false, 47, -90, 90, 0.35, 1, 0},
    {"vertical facing north", 'v', false, 47, 180, 90, 0.35, 1, 0},
    {"vertical facing north (-180)", 'v', false, 47, -180, 90, 0.35, 1, 0},
    {"vertical at the equator", 'v', false, 0, 0, 90, 0.35, 1, 0},
    {"inclined 0 (horizontal)", 'i', false, 47, 20, 0, 0.35, 1, 0},
    {"inclined 175", 'i', false, 47, 20, 175, 0.35, 1, 0},
    {"inclined polar (style parallel)", 'i', false, 40, 0, 40, 0.35, 1, 0},
    {"inclined at 89.99 S", 'i', false, -89.99, 45, 60, 0.35, 1, 2},
    {"umbrella inclined radius 0", 'i', true, 47, 20, 30, 0, 1, 1},
    {"umbrella inclined 175", 'i', true, 47, 20, 175, 0.35, 1, 0},
    {"umbrella inclined 0", 'i', true, 47, 20, 0, 0.35, 1, 0},
    {"umbrella horizontal negative radius", 'h', true, 47, 0, 0, -0.5, 1, 0},
    {"umbrella vertical negative radius", 'v', true, 47, 30, 90, -0.3, 1, 0},
    {"umbrella vertical radius 0", 'v', true, 47, 90, 90, 0, 1, 0},
    {"zoom below 5 mm", 'h', false, 47, 0, 0, 0.35, 0.01, 0},
    {"vertical zoom below 5 mm", 'v', false, 47, -11.7, 90, 0.35, 0.001, 0},
};

TEST_F(PlanarTest, DegenerateInputsConstructWithoutNanOrInfinity) {
  for (const EdgeCase& c : kEdgeCases) {
    SCOPED_TRACE(c.name);
    SetUp();
    DesignState& d = design();
    d.dialKind = c.kind;
    d.umbrellaMode = c.umbrella;
    d.latitude = c.latitude;
    d.wallDeclination = c.declination;
    d.planeInclination = c.inclination;
    d.umbrellaRadiusRatio = c.ratio;
    d.localTimeNoEot = d.withEot = d.markAnalemma = true;
    d.temporalHourLines = d.babylonianHours = d.italianHours = true;
    d.sunAltitudeLines = d.integerSunshineLines = true;
    d.linesToStyleFoot = true;
    d.drawPoleTriangle = std::string(c.name).find("vertical") != std::string::npos;
    d.dateLineMode = '0';
    d.hourLineInterval = '4';
    platform->boxes.clear();
    const RecordingCanvas canvas = draw(800, 500, 1600, 1000, c.zoom);
    std::size_t lines = 0;
    for (const Primitive& p : canvas.primitives) {
      for (double v : p.p) ASSERT_TRUE(std::isfinite(v)) << "primitive kind " << static_cast<int>(p.kind);
      if (p.kind == PrimitiveKind::LineTo) ++lines;
    }
    EXPECT_GT(lines, 10u);
    EXPECT_EQ(platform->boxes.size(), c.boxes);
    if (c.zoom < 1) {
      EXPECT_GE(lastZoom * 35, 5 - 1e-9);
    }
  }
}

TEST_F(PlanarTest, UmbrellaInclinedWithoutRadiusShowsMessage21AndGoesOn) {
  DesignState& d = design();
  d.dialKind = 'i';
  d.umbrellaMode = true;
  d.umbrellaRadiusRatio = 0;
  d.localTimeNoEot = true;
  const RecordingCanvas canvas = draw(800, 500);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_EQ(platform->boxes[0].text, messageText(21, 2));
  EXPECT_EQ(platform->boxes[0].caption, MsgCaption::Error);
  EXPECT_FALSE(segments(canvas, 3).empty());
}

}  // namespace
}  // namespace tavrel::testing

namespace tavrel::testing {
namespace {

// A wall is the inclined plane of inclination 90: the shadow exists only
// where the sun is above the horizon and in front of the plane, so the
// inclined construction (drawn as the horizontal dial of the equivalent
// place, Rohr, Sundials, ch. 4) must cut its lines where the vertical one
// does. The two sample the same clock times but the equivalent place's
// clock is shifted by the substyle hour angle, so the declination of a
// sample is taken up to a few hours apart (at most 0.4 degree a day near
// the equinoxes): the lines must lie on each other within 1 mm, not vertex
// for vertex. The date lines are those of the ephemeris (mode "1"), taken
// at the same instants; the zodiac lines are sampled at whole quarters of
// the equivalent place's hour angle, other points of the same curves.
struct WallCase {
  double latitude, declination;
};
constexpr WallCase kWallCases[] = {{52, 20}, {52, -35}, {47, 60}, {40, -75}, {30, 0},
                                   {-34, 20}, {-34, -50}, {-45, 70}};

// The drawn pieces of a path: every segment, and lone points.
std::vector<std::array<double, 4>> drawnSegments(const DialPath& path) {
  std::vector<std::array<double, 4>> out;
  for (std::size_t j = 1; j < path.vertices.size(); ++j)
    if (path.vertices[j].draw)
      out.push_back({path.vertices[j - 1].x, path.vertices[j - 1].y, path.vertices[j].x, path.vertices[j].y});
  return out;
}

double distanceToSegments(double x, double y, const std::vector<std::array<double, 4>>& segs) {
  double best = 1e300;
  for (const auto& s : segs) {
    const double dx = s[2] - s[0], dy = s[3] - s[1];
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - s[0]) * dx + (y - s[1]) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    best = std::min(best, std::hypot(x - s[0] - t * dx, y - s[1] - t * dy));
  }
  return best;
}

// The largest distance of a drawn end point of `a` lying more than 2 mm
// below the horizon (y = 0) from the drawing of `b`. Nearer the horizon a
// grazing sun moves the shadow by centimetres for the small drift of the
// declination, and whether a sample there still counts may differ.
double farthestFrom(const DialPath& a, const DialPath& b) {
  const auto sa = drawnSegments(a), sb = drawnSegments(b);
  double worst = 0;
  for (const auto& s : sa)
    for (int e = 0; e < 2; ++e)
      if (s[2 * e + 1] < -2) worst = std::max(worst, distanceToSegments(s[2 * e], s[2 * e + 1], sb));
  return sa.empty() ? 0 : worst;
}

double topOfDrawing(const PlanarLines& lines) {
  double top = -1e300;
  for (const PlanarLine& l : lines.lines)
    for (const auto& s : drawnSegments(l.path)) top = std::max({top, s[1], s[3]});
  return top;
}

TEST_F(PlanarTest, InclinedAtNinetyDrawsTheLinesOfTheVerticalDial) {
  horizontal(52);  // the place and gnomon; kind and latitude set below
  DesignState& d = design();
  d.localTimeNoEot = true;
  d.hourLinesFrom = 4;
  d.hourLinesTo = 20;
  d.hourLineInterval = '1';
  d.withEot = true;
  PlanarDialView view;
  view.footX = 800;
  view.footY = 500;
  std::printf("  lat    decl  dates  lines  worst distance mm  top y 'v'  top y 'i'\n");
  for (const WallCase& c : kWallCases) {
    for (char mode : {'1'}) {
      d.dateLineMode = mode;
      d.latitude = c.latitude;
      d.wallDeclination = c.declination;
      d.planeInclination = 90;
      d.dialKind = 'v';
      const PlanarLines wall = planarDialLines(design(), true, 1600, 1000, view);
      d.dialKind = 'i';
      const PlanarLines inclined = planarDialLines(design(), true, 1600, 1000, view);
      SCOPED_TRACE(::testing::Message() << "latitude " << c.latitude << ", declination " << c.declination
                                        << ", date lines " << mode);
      ASSERT_EQ(wall.lines.size(), inclined.lines.size());
      double worst = 0;
      for (std::size_t k = 0; k < wall.lines.size(); ++k) {
        const double apart = std::max(farthestFrom(wall.lines[k].path, inclined.lines[k].path),
                                      farthestFrom(inclined.lines[k].path, wall.lines[k].path));
        EXPECT_LT(apart, 1.0) << "line " << k << " kind " << static_cast<int>(wall.lines[k].kind)
                              << " value " << wall.lines[k].value;
        worst = std::max(worst, apart);
      }
      const double topWall = topOfDrawing(wall), topInclined = topOfDrawing(inclined);
      EXPECT_NEAR(topWall, topInclined, 1.0);
      std::printf("%5.0f %7.0f %6c %6zu %18.3f %10.3f %10.3f\n", c.latitude, c.declination, mode,
                  wall.lines.size(), worst, topWall, topInclined);
    }
  }
}

}  // namespace
}  // namespace tavrel::testing

namespace tavrel::testing {
namespace {

bool sameLines(const PlanarLines& a, const PlanarLines& b) {
  if (a.lines.size() != b.lines.size() || a.marks.size() != b.marks.size()) return false;
  for (std::size_t k = 0; k < a.lines.size(); ++k) {
    const auto& va = a.lines[k].path.vertices;
    const auto& vb = b.lines[k].path.vertices;
    if (va.size() != vb.size() || a.lines[k].value != b.lines[k].value) return false;
    for (std::size_t j = 0; j < va.size(); ++j)
      if (va[j].x != vb[j].x || va[j].y != vb[j].y || va[j].draw != vb[j].draw) return false;
  }
  for (std::size_t k = 0; k < a.marks.size(); ++k)
    if (a.marks[k].x != b.marks[k].x || a.marks[k].y != b.marks[k].y) return false;
  return true;
}

// The kept sun of earlier drawings changes nothing: redrawn at another
// zoom, and after the place and the plane changed under the same cache,
// every vertex is the one computed afresh, to the bit.
TEST_F(PlanarTest, KeptSunPositionsDrawTheSameLines) {
  horizontal(52);  // the place and gnomon; kind and latitude set below
  DesignState& d = design();
  d.localTimeNoEot = d.withEot = d.markAnalemma = true;
  d.temporalHourLines = d.babylonianHours = d.italianHours = true;
  d.sunAltitudeLines = d.integerSunshineLines = true;
  PlanarSunCache cache;
  struct Step {
    char kind;
    double latitude, declination, inclination, zoom;
    char dateMode;
  };
  constexpr Step kSteps[] = {{'v', 52, 20, 90, 1, '0'},  {'v', 52, 20, 90, 1.09, '0'},
                             {'i', 47, -30, 60, 1, '1'}, {'i', 47, -30, 60, 0.9, '1'},
                             {'h', -34, 0, 0, 1, '0'},   {'v', 52, 20, 90, 1.09, '0'}};
  for (const Step& s : kSteps) {
    d.dialKind = s.kind;
    d.latitude = s.latitude;
    d.wallDeclination = s.declination;
    d.planeInclination = s.inclination;
    d.dateLineMode = s.dateMode;
    PlanarDialView view;
    view.footX = 800;
    view.footY = 400;
    view.zoomFactor = s.zoom;
    const PlanarLines fresh = planarDialLines(design(), true, 1600, 1000, view);
    view.sunCache = &cache;
    const PlanarLines kept = planarDialLines(design(), true, 1600, 1000, view);
    EXPECT_TRUE(sameLines(fresh, kept)) << s.kind << " latitude " << s.latitude << " zoom " << s.zoom;
  }
  EXPECT_GT(cache.size(), 1000u);
}

}  // namespace
}  // namespace tavrel::testing
