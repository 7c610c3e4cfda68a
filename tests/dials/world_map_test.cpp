// The world map over the planar dials: each outline point must lie where
// the shadow of the gnomon tip falls when the sun stands in that point's
// zenith. The reference is plain vector geometry (earth-centred directions,
// the dial plane's normal and the tip), not the projection of the program.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <sstream>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <cmath>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/biazimuthal/biazimuthal_dial.h"
#include "dials/world_map/world_map.h"
#include "dials/world_map/world_outline.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {


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
  return {std::cos(radians(lat)) * std::cos(radians(eastLon)), std::cos(radians(lat)) * std::sin(radians(eastLon)),
          std::sin(radians(lat))};
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
  const Vec h = add({std::cos(radians(declination)) * south[0], std::cos(radians(declination)) * south[1],
                     std::cos(radians(declination)) * south[2]},
                    west, std::sin(radians(declination)));
  Vec n = add({std::cos(radians(inclination)) * zenith[0], std::cos(radians(inclination)) * zenith[1],
               std::cos(radians(inclination)) * zenith[2]},
              h, std::sin(radians(inclination)));
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
  ScopedScriptedPlatform platform_;
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

// The line format: which lines are points and what the lenient scanner
// reads from them.
TEST(WorldOutlineTest, PointLinesAndTheirValues) {
  struct Case {
    const char* line;
    bool point;
    double lon, lat;
  };
  const Case cases[] = {
      {"0.19\t5.67", true, 0.19, 5.67},
      {"-140.00\t60.19", true, -140.0, 60.19},
      {"180.00\t90.00", true, 180, 90},        // on the bounds: inside
      {"-180.00\t-90.00", true, -180, -90},
      {"180.01\t10.00", false, 0, 0},          // outside: lifts the pen
      {"10.00\t-90.01", false, 0, 0},
      {"Grenze", false, 0, 0},
      {"> -b", false, 0, 0},
      {"<10.00\t20.00", false, 0, 0},           // begins with "<"
      {"1.0\t2.0", false, 0, 0},                // 7 characters: too short
      {"   12.5 ; 47.25x", true, 12.5, 47.25},   // blanks and stray characters
      {"1.2.3\tab-4.5e1", true, 1.2, -45},      // the run "1.2.3" reads as 1.2
      {"abc\tdef 1", true, 0, 1},               // no leading number: 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    double lon = -1, lat = -1;
    EXPECT_EQ(outlinePoint(c.line, kOutlineScreenMinLength, lon, lat), c.point);
    if (!c.point) continue;
    EXPECT_DOUBLE_EQ(lon, c.lon);
    EXPECT_DOUBLE_EQ(lat, c.lat);
  }
  // The plot pass takes 7-character lines too.
  double lon = 0, lat = 0;
  EXPECT_TRUE(outlinePoint("1.0\t2.0", kOutlinePlotMinLength, lon, lat));
}

// The outline read once into numbers: the same points and pen lifts as the
// text, the short line a point of the plot pass only, and a list changed in
// place (same size) is read again.
TEST(WorldOutlineTest, ParsedOutlineFollowsItsLines) {
  std::vector<std::string> lines{"> -b", "9.59\t47.25", "1.0\t2.0", "Grenze", "181.00\t0.00", "-3.50\t-8.25"};
  struct Expected {
    bool screen, plot;
    double lon, lat;
  };
  const Expected expected[] = {{false, false, 0, 0}, {true, true, 9.59, 47.25}, {false, true, 1, 2},
                               {false, false, 0, 0}, {false, false, 0, 0},      {true, true, -3.5, -8.25}};
  const ParsedOutline& parsed = parsedOutline(lines);
  ASSERT_EQ(parsed.records().size(), lines.size());
  EXPECT_EQ(parsed.coast().end, 3u);
  EXPECT_EQ(parsed.boundaries().begin, 4u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const OutlineRecord& r = parsed.records()[i];
    EXPECT_EQ(r.screenPoint, expected[i].screen);
    EXPECT_EQ(r.plotPoint, expected[i].plot);
    if (!r.plotPoint) continue;
    EXPECT_DOUBLE_EQ(r.eastLongitude, expected[i].lon);
    EXPECT_DOUBLE_EQ(r.latitude, expected[i].lat);
  }
  const double k = std::acos(-1.0) / 180;
  EXPECT_NEAR(parsed.latitudeSines(k)[1][0], std::sin(47.25 * k), 1e-15);
  EXPECT_NEAR(parsed.latitudeSines(k)[5][1], std::cos(8.25 * k), 1e-15);

  lines[1] = "9.59\t50.00";
  const ParsedOutline& again = parsedOutline(lines);
  EXPECT_DOUBLE_EQ(again.records()[1].latitude, 50.0);
  EXPECT_NEAR(again.latitudeSines(k)[1][0], std::sin(50 * k), 1e-15);
}

// The embedded outline: its two parts around the single "Grenze" line, and
// a separator or "Grenze" lifts the pen.
TEST_F(WorldMapTest, EmbeddedOutlineAndItsTwoParts) {
  const std::vector<std::string>& lines = design().coastlineText;
  ASSERT_GT(lines.size(), 40000u);
  const OutlineRange coast = coastRange(lines), borders = boundaryRange(lines);
  EXPECT_EQ(lines[coast.end], "Grenze");
  EXPECT_EQ(borders.begin, coast.end + 1);
  EXPECT_EQ(borders.end, lines.size());
  std::size_t points = 0;
  for (const std::string& l : lines) {
    double lon = 0, lat = 0;
    if (outlinePoint(l, kOutlineScreenMinLength, lon, lat)) ++points;
  }
  EXPECT_GT(points, 30000u);
  EXPECT_LT(points, 60000u);

  const std::vector<std::string> small{"> -b", "1.00\t1.00", "2.00\t2.00", "Grenze", "3.00\t3.00",
                                       "> -b", "4.00\t4.00"};
  auto identity = [](double lat, double lon, double& x, double& y) {
    x = lon;
    y = lat;
    return true;
  };
  auto all = [](double, double) { return true; };
  const auto c = outlineVertices(small, coastRange(small), 7, identity, all);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_FALSE(c[0].draw);
  EXPECT_TRUE(c[1].draw);
  const auto b = outlineVertices(small, boundaryRange(small), 7, identity, all);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_FALSE(b[0].draw);
  EXPECT_FALSE(b[1].draw);  // after the separator: a move
  // A point outside the page is left out and lifts the pen: its
  // neighbours are not joined across it.
  const auto skip = outlineVertices(small, OutlineRange{0, 3}, 7, identity,
                                    [](double x, double) { return x != 1.0; });
  ASSERT_EQ(skip.size(), 1u);
  EXPECT_FALSE(skip[0].draw);
  const std::vector<std::string> three{"1.00\t1.00", "2.00\t2.00", "3.00\t3.00", "4.00\t4.00"};
  const auto gap = outlineVertices(three, OutlineRange{0, 4}, 7, identity,
                                   [](double x, double) { return x != 2.0; });
  ASSERT_EQ(gap.size(), 3u);
  EXPECT_FALSE(gap[0].draw);
  EXPECT_FALSE(gap[1].draw);  // 3 after the left-out 2: a move
  EXPECT_TRUE(gap[2].draw);
}

// A plot pass: its prologue, pen, size, the foot marker and the points,
// all numbers eight characters wide.
TEST_F(WorldMapTest, PlotPassHasItsOwnPrologueAndMarker) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.latitude = 47.25;
  d.longitude = -9.59;
  const std::vector<std::string> embedded = d.coastlineText;  // put back at the end
  d.coastlineText = {"> -b", "9.59\t47.25", "9.59\t50.00", "Grenze", "> -b", "0.00\t51.48"};
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("tavrel_map_" + std::to_string(::getpid()) + ".plt")).string();
  for (int R : {1, 25}) {
    HpglWriter w(R);
    w.hpglOpen(path);
    plotWorldMap(w, design(), true, 35, 8200.0 * R, 1500.0 * R);
    w.hpglClose();
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    const std::string head =
        R == 1 ? "IN;VS 1;PA;IW 0 0 16157 11038;SP 11;PU 0 0;EA 16157 11038;PU 0 0;SI  0.22, 0.32"
                 ";SP 4;PU     8320     1500;PD     8080     1500;PU     8200     1620;PD     8200     1380"
                 ";SP 11"
               : "IN;VS 1;PA;IW 0 0 403925 275950;SP 11;PU 0 0;EA 403925 275950;PU 0 0;SI  5.50, 8.00"
                 ";SP 4;PU   208000    37500;PD   202000    37500;PU   205000    40500;PD   205000    34500"
                 ";SP 11";
    EXPECT_EQ(text.substr(0, head.size()), head);
    // The sun in the zenith of the dial's own place: the shadow point is
    // the foot itself. 2.75 degrees further north the shadow falls 35 mm
    // tan 2.75 = 1.681 mm south of the foot (y upwards).
    const std::string first = R == 1 ? ";PU     8200     1500;PD     8200     1433"
                                     : ";PU   205000    37500;PD   205000    35819";
    EXPECT_EQ(text.substr(head.size(), first.size()), first) << text;
    EXPECT_EQ(text.find("0.00"), std::string::npos);  // the boundary pass was not asked for
  }
  d.coastlineText = embedded;
}

// ---- no line joins points that are not neighbours ----------------------

// The largest great-circle step (degrees) between neighbouring points of
// the outline: consecutive lines that hold two numbers (longitude,
// latitude); any other line separates. Haversine formula (Sinnott, Sky and
// Telescope 68, 1984, p. 159).
double largestOutlineStep(const std::vector<std::string>& lines) {
  double largest = 0;
  bool havePrevious = false;
  double lon0 = 0, lat0 = 0;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    double lon = 0, lat = 0;
    if (!(in >> lon >> lat)) {
      havePrevious = false;
      continue;
    }
    if (havePrevious) {
      const double a = std::pow(std::sin(radians(lat - lat0) / 2), 2) +
                       std::cos(radians(lat)) * std::cos(radians(lat0)) * std::pow(std::sin(radians(lon - lon0) / 2), 2);
      largest = std::max(largest, 2 * std::asin(std::min(1.0, std::sqrt(a))) * 180 / std::numbers::pi);
    }
    lon0 = lon;
    lat0 = lat;
    havePrevious = true;
  }
  return largest;
}

struct MapSegment {
  double x1, y1, x2, y2;
};

// The segments drawn in pen 11 or 12 of a plot text: "SP n" selects, "PU"
// and "PD" with pairs of numbers move or draw.
std::vector<MapSegment> plotMapSegments(const std::string& plot) {
  std::vector<MapSegment> out;
  int pen = 0;
  bool down = false;
  double x = 0, y = 0;
  std::size_t i = 0;
  while (i < plot.size()) {
    if (!std::isalpha(static_cast<unsigned char>(plot[i]))) {
      ++i;
      continue;
    }
    const std::string name = plot.substr(i, 2);
    std::size_t end = i + 2;
    while (end < plot.size() && plot[end] != ';' && !std::isalpha(static_cast<unsigned char>(plot[end]))) ++end;
    std::istringstream args(plot.substr(i + 2, end - i - 2));
    std::vector<double> v;
    for (double a; args >> a;) v.push_back(a);
    if (name == "LB") {
      const std::size_t terminator = plot.find('\x03', i);
      end = terminator == std::string::npos ? plot.size() : terminator + 1;
    }
    if (name == "SP" && !v.empty()) pen = static_cast<int>(v[0]);
    if (name == "PU" || name == "PD") down = name == "PD";
    if (name == "PU" || name == "PD") {
      for (std::size_t k = 0; k + 1 < v.size(); k += 2) {
        if (down && (pen == 11 || pen == 12)) out.push_back({x, y, v[k], v[k + 1]});
        x = v[k];
        y = v[k + 1];
      }
    }
    i = end;
  }
  return out;
}

// The lines of the screen picture drawn in the colours of pens 11 and 12.
std::vector<MapSegment> pictureMapSegments(const RecordingCanvas& canvas) {
  std::vector<MapSegment> out;
  for (const Primitive& p : canvas.primitives)
    if (p.kind == PrimitiveKind::LineTo &&
        (p.pen.colour == design().colors[10] || p.pen.colour == design().colors[11]))
      out.push_back({p.p[0], p.p[1], p.p[2], p.p[3]});
  return out;
}

// The gnomonic projection at distance L draws the arc between two places
// delta degrees apart no longer than the largest scale along it times
// L delta; its scale at the angle theta from the centre is at most
// sec^2 theta = 1 + (r / L)^2 with r = L tan theta the distance from the
// centre in the plane (Snyder, Map Projections - A Working Manual, USGS PP
// 1395, ch. 22), and along the straight image of a great circle r is
// largest at one end. A shortening along one direction by cos q (the
// two-point azimuthal projection) only shortens, but the centre distance
// before it was up to r / cos q. Returns the longest segment that is longer
// than that bound (plus the rounding of the target), or 0.
double longestFalseJoin(const std::vector<MapSegment>& segments, double x0, double y0, double L, double deltaDeg,
                        double cosQ, double rounding) {
  double worst = 0;
  for (const MapSegment& s : segments) {
    const double r = std::max(std::hypot(s.x1 - x0, s.y1 - y0), std::hypot(s.x2 - x0, s.y2 - y0)) / cosQ + rounding;
    const double bound = (L + r * r / L) * radians(deltaDeg) + 2 * rounding;
    const double length = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    if (length > bound) worst = std::max(worst, length);
  }
  return worst;
}

// The world map over a horizontal dial, on the picture and in the plot,
// and over the bi-azimuthal dial: every drawn map segment is one that two
// neighbouring outline points can give. A point outside the window must
// lift the pen, else the points on either side of it are joined straight
// across the map.
TEST_F(WorldMapTest, NoMapSegmentJoinsPointsThatAreNotNeighbours) {
  DesignState& d = design();
  d.colors[10] = rgb(1, 2, 3);
  d.colors[11] = rgb(4, 5, 6);
  const double delta = largestOutlineStep(d.coastlineText);
  ASSERT_GT(delta, 0.1);
  ASSERT_LT(delta, 5.0);
  RecordProperty("largest_outline_step_deg", std::to_string(delta));
  const double gnomonMm = 35;
  const std::filesystem::path plotPath = testing::scratchFolder("tavrel_map_joins_") / "map.plt";

  struct Place {
    double latitude, longitude;
  };
  const Place places[] = {{47.25, -9.59}, {-34.0, -151.0}, {64.0, 20.0}};
  for (const Place& pl : places) {
    SCOPED_TRACE(pl.latitude);
    d.dialKind = 'h';
    d.latitude = pl.latitude;
    d.longitude = pl.longitude;
    // The picture (A4 layout: width / 280 pixels per millimetre).
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    const double x0 = 800, y0 = 250;
    for (bool coast : {true, false}) drawWorldMap(s, design(), coast, gnomonMm, x0, y0);
    const std::vector<MapSegment> onPicture = pictureMapSegments(canvas);
    EXPECT_GT(onPicture.size(), 1000u);
    EXPECT_EQ(longestFalseJoin(onPicture, x0, y0, gnomonMm * 1600 / 280, delta, 1, 0.5), 0);
    // The plot: 40 units per millimetre, integer coordinates.
    const std::vector<MapSegment> inPlot = plotMapSegments(testing::plotFileText(1, plotPath, [&](HpglWriter& w) {
      for (bool coast : {true, false}) plotWorldMap(w, design(), coast, gnomonMm, 8200, 7000);
    }));
    EXPECT_GT(inPlot.size(), 1000u);
    EXPECT_EQ(longestFalseJoin(inPlot, 8200, 7000, gnomonMm * 40, delta, 1, 0.5), 0);
  }

  // The bi-azimuthal dial with the start-up foci, its map in the same
  // projection: L = drawingScale k W / 280 on the A4 picture, and
  // drawingScale k 16400 / 280 in the plot.
  d.dialKind = 'c';
  d.hollanderVariant = 0;
  d.secondPlaneVertical = false;
  d.latitude = 47.25;
  d.longitude = -9.59;
  d.mapOverlay = d.mapFrontiers = d.mapCoastlines = true;
  d.paperA4 = true;
  const BiAzimuthalFrame f = biAzimuthalFrame(d);
  ASSERT_TRUE(f.centre.valid());
  const double cosQ = std::cos(f.centre.q);
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  DialScreenRequest r{s, true, 1600, 1000, 800, 500, 100, 20, true, false, false, 1.0, nullptr};
  drawBiAzimuthalDial(r, design());
  const std::vector<MapSegment> onPicture = pictureMapSegments(canvas);
  EXPECT_GT(onPicture.size(), 1000u);
  EXPECT_EQ(longestFalseJoin(onPicture, 800, 500, d.drawingScale * f.k * 1600 / 280, delta, cosQ, 0.5), 0);
  DialPlotRequest rq;
  rq.grid = PlotGrid::Off;
  rq.place.footX = 8000;
  rq.place.footY = 5000;
  const std::vector<MapSegment> inPlot =
      plotMapSegments(testing::plotFileText(1, plotPath, [&](HpglWriter& w) { writeBiAzimuthalPlot(w, rq, design()); }));
  std::filesystem::remove_all(plotPath.parent_path());
  EXPECT_GT(inPlot.size(), 1000u);
  EXPECT_EQ(longestFalseJoin(inPlot, 8000, 5000, d.drawingScale * f.k * 16400 / 280, delta, cosQ, 0.5), 0);
}

}  // namespace
}  // namespace tavrel
