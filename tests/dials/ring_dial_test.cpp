// The ring dial: a shadow (light-spot) simulator independent of the
// construction, the ray through the pin hole against a plain ray-cylinder
// intersection, the edge cases, the correction chart and its file.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "dials/ring/ring_dial.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {


struct V3 {
  double x, y, z;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator*(double k, V3 a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The ring hanging with its centre at the origin, turned by psi about the
// vertical z away from the sun's vertical plane (x towards the sun's
// azimuth). u: the ring plane's horizontal direction on the hole's side,
// n: the ring's axis, z: up. The hole at angle alpha from the top, at the
// axial coordinate w (along n). The ray from the sun (altitude h) through
// the hole meets the cylinder u^2 + z^2 = R^2 again: solve the quadratic
// of P = hole - t s in the (u, z) components.
struct Spot {
  double arcDeg;  // from the top, on the far side, towards the bottom
  double axial;   // along n
  bool hit;
};
Spot lightSpot(double h, double psi, double alpha, double R, double holeAxial) {
  const V3 s{std::cos(radians(h)), 0, std::sin(radians(h))};
  const V3 u{std::cos(radians(psi)), std::sin(radians(psi)), 0};
  const V3 n{-std::sin(radians(psi)), std::cos(radians(psi)), 0};
  const V3 z{0, 0, 1};
  const V3 hole = R * std::sin(radians(alpha)) * u + (R * std::cos(radians(alpha)) * z + holeAxial * n);
  const double su = dot(s, u), sz = dot(s, z), hu = dot(hole, u), hz = dot(hole, z);
  const double a = su * su + sz * sz, b = -2 * (hu * su + hz * sz), c = hu * hu + hz * hz - R * R;
  const double disc = b * b - 4 * a * c;
  if (a < 1e-14 || disc < 0) return {0, 0, false};
  const double t = (-b + std::sqrt(disc)) / (2 * a);
  const V3 p = hole + (-t) * s;
  double arc = degrees(std::atan2(-dot(p, u), dot(p, z)));
  if (arc < 0) arc += 360;
  return {arc, dot(p, n), true};
}

// The deflection that puts the spot `target` mm across from the hole:
// bisection on the simulator.
double deflectionFor(double h, double alpha, double R, double target) {
  double lo = 0, hi = 89.9;
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2;
    const Spot s = lightSpot(h, mid, alpha, R, 0);
    if (std::fabs(s.axial) < std::fabs(target)) lo = mid;
    else hi = mid;
  }
  return (lo + hi) / 2;
}

// The sun from the textbook formulas (Meeus, Astronomical Algorithms,
// 2nd ed., eq. 13.6, and the low-precision declination of ch. 25).
double altitudeOf(double latitude, double declination, double hourAngle) {
  return degrees(std::asin(std::sin(radians(latitude)) * std::sin(radians(declination)) +
                       std::cos(radians(latitude)) * std::cos(radians(declination)) * std::cos(radians(hourAngle))));
}
double declinationOfDay(int year, int dayOfYear) {
  // Julian day at 12 UT of the day.
  const int y = year - 1;
  const double jd0 = 1721425.5 + 365.0 * y + y / 4 - y / 100 + y / 400;  // 0 January of `year` 0h
  const double jd = jd0 + dayOfYear + 0.5;
  const double T = (jd - 2451545.0) / 36525;
  const double L0 = 280.46646 + 36000.76983 * T;
  const double M = 357.52911 + 35999.05029 * T;
  const double C = (1.914602 - 0.004817 * T) * std::sin(radians(M)) + 0.019993 * std::sin(radians(2 * M));
  const double omega = 125.04 - 1934.136 * T;
  const double lambda = L0 + C - 0.00569 - 0.00478 * std::sin(radians(omega));
  const double eps = 23.439291 - 0.0130042 * T + 0.00256 * std::cos(radians(omega));
  return degrees(std::asin(std::sin(radians(eps)) * std::sin(radians(lambda))));
}

double distanceToPolyline(const std::vector<RingPoint>& pts, double x, double y) {
  double best = 1e9;
  for (std::size_t i = 0; i + 1 < pts.size(); ++i)
    best = std::min(best, testing::segmentDistance(x, y, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y));
  if (pts.size() == 1) best = std::hypot(pts[0].x - x, pts[0].y - y);
  return best;
}

// The record's ring as the row builds it, with the hours 8 to 19, alpha
// 30 and the given ring width and diameter (mm).
RingDialInput ringInput(double ringWidth, double ringDiameter) {
  RingDialInput in = RingDialInput::of(design());
  in.hoursFrom = 8;
  in.hoursTo = 19;
  in.widthMm = ringWidth;
  in.alpha = 30;
  in.diameterMm = ringDiameter;
  return in;
}

class RingDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = testing::startEnglishDesign(2020);
    d.dialKind = 'r';
    d.temporalHours = false;
    d.babylonianHours = false;
    d.italianHours = false;
    d.writeCorrectionFile = false;
  }
  ScopedScriptedPlatform platform;
};

// The instrument as the maker sets it up for a day of declination decl:
// the hole of the band part that serves the day; with deflection 0 the
// hole moved across to the date line, with 1 the hole fixed and the ring
// turned until the spot falls on the date line. With noonLineHorizontal
// the band is turned along the circumference so that the day's noon spot
// falls on the generator of the year's highest noon; the noon spot that
// sets it is that of the turned ring only when every day of the band has
// one (one rule for all days), else that in the hole's plane. The ring is
// turned by at most kRingTurnLimit.
class RingSimulator {
 public:
  explicit RingSimulator(const RingDialInput& in) : in_(in), R_(in.diameterMm / 2) {
    parts_ = ringBandParts(in);
    deflectedNoon_ = in.deflection != 0;
    for (const RingBandPart& p : parts_) deflectedNoon_ = deflectedNoon_ && noonSpotsReachTheirDateLines(p);
  }

  struct BandSpot {
    bool hit;
    double x, y;
  };

  // Where the spot of the sun at hour angle H lands on the unrolled band.
  BandSpot at(double decl, double H) const {
    const int part = partOf(decl);
    if (part < 0) return {false, 0, 0};
    const double target = in_.deflection == 0 ? 0 : yOf(decl) - yOf(parts_[part].holeDeclination);
    const double h = altitudeOf(in_.latitude, decl, H);
    if (h <= 0.5) return {false, 0, 0};
    double arc = arcOf(h, target) - in_.alpha;
    if (std::isnan(arc)) return {false, 0, 0};
    if (in_.noonHorizontal) {
      const double noon = altitudeOf(in_.latitude, decl, 0);
      const double noonArc = deflectedNoon_ ? arcOf(noon, target) : lightSpot(noon, 0, in_.alpha, R_, 0).arcDeg;
      arc = arc - (noonArc - in_.alpha) + 2 * std::min(90.0, 90 - std::fabs(in_.latitude) + kRingDeclinationLimit);
    }
    return {true, R_ * radians(arc), yOf(decl)};
  }

 private:
  double yOf(double d) const {
    return in_.widthMm * (kRingDeclinationLimit - d) / (2 * kRingDeclinationLimit);
  }
  int partOf(double decl) const {
    for (std::size_t i = 0; i < parts_.size(); ++i)
      if (decl <= parts_[i].decHigh && decl >= parts_[i].decLow) return static_cast<int>(i);
    return -1;
  }
  // The spot's arc from the top with the ring turned so that the spot lies
  // `target` across; NaN when no turn within the limit brings it so far (a
  // high sun).
  double arcOf(double h, double target) const {
    const double psi = target == 0 ? 0 : deflectionFor(h, in_.alpha, R_, target);
    const Spot s = lightSpot(h, psi, in_.alpha, R_, 0);
    const bool reached = std::fabs(std::fabs(s.axial) - std::fabs(target)) < 1e-6 && psi <= kRingTurnLimit;
    return reached ? s.arcDeg : std::nan("");
  }
  // Every day of the part has its noon spot on its date line (declinations
  // every 0.05 degrees).
  bool noonSpotsReachTheirDateLines(const RingBandPart& p) const {
    for (double d = p.decLow; d <= p.decHigh + 1e-9; d += 0.05) {
      const double dd = std::min(d, p.decHigh);
      if (std::isnan(arcOf(altitudeOf(in_.latitude, dd, 0), yOf(dd) - yOf(p.holeDeclination)))) return false;
    }
    return true;
  }

  RingDialInput in_;
  double R_;
  std::vector<RingBandPart> parts_;
  bool deflectedNoon_ = false;
};

double distanceToHourLine(const RingDial& dial, int hour, double x, double y) {
  double best = 1e9;
  for (const RingLine& l : dial.lines) {
    if (l.kind == RingLineKind::Hour && std::fabs(std::fabs(l.value - 12) - std::fabs(hour - 12)) < 1e-9)
      best = std::min(best, distanceToPolyline(l.points, x, y));
  }
  return best;
}

// The light spot of the simulator lies on the drawn hour line of its time,
// on its day, within 0.2 mm, for latitudes in both hemispheres and in the
// tropics, with and without lateral deflection, one band and two: at the
// days of the year, and at declinations every 0.5 degrees, so that the
// line between its marks is checked as well (a line that jumps between
// neighbouring date rows misses the spots in between).
TEST_F(RingDialTest, LightSpotThroughThePinHoleLiesOnTheDrawnHourLine) {
  struct Case {
    double latitude;
    int deflection;
    bool noonHorizontal, singleBand;
    double diameter, width, alpha;
  };
  const Case cases[] = {
      {30, 0, false, false, 150, 80, 30},  {30, 1, true, false, 150, 80, 30},
      {47, 1, false, false, 150, 80, 30},  {47, 0, true, true, 120, 60, 40},
      {47, 1, true, true, 200, 40, 25},    {60, 1, true, false, 150, 80, 30},
      {60, 0, false, true, 100, 50, 20},   {-34, 1, true, false, 150, 80, 30},
      {-34, 0, false, false, 180, 70, 35}, {-34, 1, false, true, 150, 80, 30},
      {0, 1, true, false, 150, 80, 30},    {10, 1, true, false, 150, 80, 30},
      {23, 1, true, false, 150, 80, 30},   {-10, 1, true, true, 150, 80, 30},
      {0, 0, true, false, 150, 80, 30},    {23, 1, false, false, 150, 80, 30},
  };
  const int days[] = {21, 60, 105, 141, 172, 230, 290, 355};
  std::vector<double> declinations;
  for (int day : days)
    declinations.push_back(std::clamp(declinationOfDay(2020, day), -kRingDeclinationLimit, kRingDeclinationLimit));
  for (double d = -kRingDeclinationLimit; d <= kRingDeclinationLimit; d += 0.5) declinations.push_back(d);
  double worst = 0;
  int checked = 0;
  for (const Case& c : cases) {
    RingDialInput in;
    in.latitude = c.latitude;
    in.deflection = c.deflection;
    in.noonHorizontal = c.noonHorizontal;
    in.singleBand = c.singleBand;
    in.diameterMm = c.diameter;
    in.widthMm = c.width;
    in.alpha = c.alpha;
    in.hoursFrom = 4;
    in.hoursTo = 20;
    in.hourParts = 1;
    in.declinationSteps = 48;
    const RingDial dial = computeRingDial(in);
    const RingSimulator simulator(in);
    for (double decl : declinations) {
      for (int hour = 5; hour <= 19; ++hour) {
        const RingSimulator::BandSpot spot = simulator.at(decl, 15.0 * (hour - 12));
        if (!spot.hit || spot.x < 0.5 || spot.x > dial.lengthMm - 0.5) continue;
        const double best = distanceToHourLine(dial, hour, spot.x, spot.y);
        worst = std::max(worst, best);
        ++checked;
        EXPECT_LT(best, 0.2) << "latitude " << c.latitude << " deflection " << c.deflection << " declination "
                             << decl << " hour " << hour << " at " << spot.x << ", " << spot.y;
      }
    }
  }
  EXPECT_GT(checked, 2000);
  RecordProperty("worst_mm", std::to_string(worst));
}

// With the default deflection and the horizontal noon line, the hour lines
// run without kinks or hooks at low latitudes too: between neighbouring
// segments no turn of more than 20 degrees, except on the date line of the
// sun through the zenith (declination = latitude), where the noon altitude
// 90 - |latitude - declination| turns and with it every hour line, as the
// noon line stays on one generator.
TEST_F(RingDialTest, HourLinesAreSmoothAtLowLatitudes) {
  struct Case {
    double latitude;
    bool singleBand;
  };
  const Case cases[] = {{0, false}, {10, false}, {23, false}, {-10, false}, {30, false}, {10, true}, {-23, true}};
  for (const Case& c : cases) {
    RingDialInput in;
    in.latitude = c.latitude;
    in.singleBand = c.singleBand;
    in.hoursFrom = 4;
    in.hoursTo = 20;
    const RingDial dial = computeRingDial(in);
    const double zenithY = in.widthMm * (kRingDeclinationLimit - c.latitude) / (2 * kRingDeclinationLimit);
    int lines = 0;
    double sharpest = 0;
    for (const RingLine& l : dial.lines) {
      if (l.kind != RingLineKind::Hour) continue;
      ++lines;
      for (std::size_t i = 1; i + 1 < l.points.size(); ++i) {
        const RingPoint a = l.points[i - 1], b = l.points[i], e = l.points[i + 1];
        const double ux = b.x - a.x, uy = b.y - a.y, vx = e.x - b.x, vy = e.y - b.y;
        const double turn = std::fabs(degrees(std::atan2(ux * vy - uy * vx, ux * vx + uy * vy)));
        if (std::fabs(b.y - zenithY) < 1e-9) continue;
        sharpest = std::max(sharpest, turn);
        EXPECT_LT(turn, 20) << "latitude " << c.latitude << " hour " << l.value << " at " << b.x << ", " << b.y;
      }
    }
    EXPECT_GE(lines, 6) << c.latitude;
    RecordProperty("sharpest_turn_deg_" + std::to_string(static_cast<int>(c.latitude)), std::to_string(sharpest));
  }
}

// ringRay and solveRingRay against the plain intersection of the ray with
// the cylinder (lightSpot): chord, height, offset and beta.
TEST_F(RingDialTest, RingRayAgreesWithARayCylinderIntersection) {
  struct Case {
    double psi, h, alpha, D;
  };
  const Case cases[] = {{0, 30, 30, 150},  {10, 20, 30, 150}, {25, 45, 40, 100}, {40, 10, 20, 300},
                        {5, 70, 60, 150},  {60, 35, 10, 80},  {15, 60, 90, 150}, {30, 5, 75, 10},
                        {0, 0, 30, 150},   {70, 50, 50, 200}};
  for (const Case& c : cases) {
    const RingRayResult r = ringRay(c.psi, c.h, c.alpha, c.D);
    const Spot s = lightSpot(c.h, c.psi, c.alpha, c.D / 2, 0);
    ASSERT_TRUE(s.hit);
    EXPECT_NEAR(r.axialOffset, std::fabs(s.axial), 1e-9 * c.D) << c.psi << " " << c.h;
    EXPECT_NEAR(r.relativeHeight, std::cos(radians(s.arcDeg)), 1e-9) << c.psi << " " << c.h;
    // beta: the spot's arc beyond the inscribed-angle place alpha + 2h.
    EXPECT_NEAR(r.beta, s.arcDeg - c.alpha - 2 * c.h, 1e-6) << c.psi << " " << c.h;
  }
  // The deflection found puts the spot at its target.
  struct Target {
    double target, h, alpha, D;
  };
  const Target targets[] = {{10, 30, 30, 150}, {35, 50, 30, 150}, {2, 15, 45, 100},
                            {60, 20, 20, 300}, {-12, 40, 30, 150}};
  for (const Target& t : targets) {
    const RingRaySolution s = solveRingRay(t.target, t.h, t.alpha, t.D);
    ASSERT_TRUE(s.found) << t.target;
    const double psi = deflectionFor(t.h, t.alpha, t.D / 2, t.target);
    EXPECT_NEAR(s.psi, psi, 0.001) << t.target;
    const Spot spot = lightSpot(t.h, psi, t.alpha, t.D / 2, 0);
    EXPECT_NEAR(s.beta, spot.arcDeg - t.alpha - 2 * t.h, 0.001) << t.target;
    EXPECT_NEAR(s.axialOffset, std::fabs(t.target), 0.002) << t.target;
  }
}

TEST_F(RingDialTest, RingRayEdgeCases) {
  // psi 0: no offset, the inscribed-angle place (beta 0) on either branch.
  for (double h : {0.0, 10.0, 45.0, 75.0, 89.0}) {
    for (double alpha : {10.0, 30.0, 60.0, 90.0}) {
      const RingRayResult r = ringRay(0, h, alpha, 150);
      EXPECT_EQ(r.axialOffset, 0);
      EXPECT_NEAR(r.beta, 0, 1e-6) << h << " " << alpha;
    }
  }
  // A horizontal ray: k = 2 sin alpha, height cos alpha, beta 0.
  const RingRayResult flat = ringRay(0, 0, 30, 150);
  EXPECT_NEAR(flat.relativeHeight, std::cos(radians(30)), 1e-12);
  EXPECT_NEAR(flat.beta, 0, 1e-12);
  // Small targets give 0 (found), unreachable ones are not found.
  struct Case {
    double target;
    bool found;
    double psiAtMost;
  };
  const Case cases[] = {{0, true, 0}, {0.001, true, 0}, {1e6, false, 0}};
  for (const Case& c : cases) {
    const RingRaySolution s = solveRingRay(c.target, 30, 30, 150);
    EXPECT_EQ(s.found, c.found) << c.target;
    EXPECT_LE(s.psi, c.psiAtMost) << c.target;
    EXPECT_TRUE(std::isfinite(s.beta));
  }
}

// Limits: latitude 0 and near the poles, the field limits; no NaN, and
// temporal hours beyond 65 degrees refused.
TEST_F(RingDialTest, LimitsGiveFiniteLines) {
  struct Case {
    double latitude, diameter, width, alpha;
    bool temporal, oldHours;
    int deflection;
    bool refused;
  };
  const Case cases[] = {
      {0, 150, 80, 30, false, true, 1, false},    {0.0001, 10, 4.5, 10, true, true, 2, false},
      {89.9, 300, 300, 90, false, true, 1, false}, {-89.9, 150, 80, 30, true, false, 0, true},
      {66, 150, 80, 30, true, false, 1, true},      {23.44, 150, 80, 30, false, true, 2, false},
  };
  for (const Case& c : cases) {
    RingDialInput in;
    in.latitude = c.latitude;
    in.diameterMm = c.diameter;
    in.widthMm = c.width;
    in.alpha = c.alpha;
    in.temporal = c.temporal;
    in.italian = in.babylonian = c.oldHours;
    in.deflection = c.deflection;
    in.hoursFrom = 0;
    in.hoursTo = 24;
    in.declinationSteps = 12;
    const RingDial dial = computeRingDial(in);
    EXPECT_EQ(dial.temporalRefused, c.refused) << c.latitude;
    for (const RingLine& l : dial.lines) {
      for (const RingPoint& p : l.points) {
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << c.latitude;
      }
    }
  }
}

// The half-day choice keeps only the Babylonian and Italian marks of the
// forenoon or afternoon.
TEST_F(RingDialTest, OldHoursPartOfTheDay) {
  int counts[3] = {0, 0, 0};
  for (int part = 0; part < 3; ++part) {
    RingDialInput in;
    in.latitude = 47;
    in.deflection = 0;
    in.babylonian = true;
    in.babylonianFrom = 1;
    in.babylonianTo = 14;
    in.oldHoursPart = part;
    for (const RingLine& l : computeRingDial(in).lines) {
      if (l.kind == RingLineKind::Babylonian && l.value >= 0) counts[part] += int(l.points.size());
    }
  }
  EXPECT_GT(counts[1], 0);
  EXPECT_GT(counts[2], 0);
  EXPECT_LT(counts[1], counts[0]);
  EXPECT_LT(counts[2], counts[0]);
  EXPECT_NEAR(counts[1] + counts[2], counts[0], counts[0] * 0.1);
}

// The table of the chart: the header, the alpha line, lines where the
// offset reaches 1 within 0.001, and a closing blank; an open failure
// shows "Open error: File  " and leaves no file.
TEST_F(RingDialTest, CorrectionTableFileAndOpenFailure) {
  const RingCorrectionChart chart = computeRingCorrectionChart(150, 30);
  ASSERT_GE(chart.fileLines.size(), 4u);
  EXPECT_EQ(chart.fileLines[0], "Ring Dial - Offset Correction");
  EXPECT_EQ(chart.fileLines[1], "  (alpha=30.0deg)");
  EXPECT_EQ(chart.fileLines.back(), " ");
  for (std::size_t i = 2; i + 1 < chart.fileLines.size(); ++i) {
    const std::string& l = chart.fileLines[i];
    ASSERT_EQ(l.rfind("rel. offset=", 0), 0u) << l;
    const double rel = std::stod(l.substr(12, 7));
    EXPECT_NEAR(rel, 1.0, 0.001 + 1e-5) << l;  // the text rounds to 5 places
  }
  EXPECT_EQ(chart.curves.size(), 37u);

  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "tavrel_ring_chart_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path old = fs::current_path();
  fs::current_path(dir);
  design().writeCorrectionFile = true;
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawRingCorrectionChart(surface, 1600, 1000, 150, 30, true, design().writeCorrectionFile);
  std::ifstream in(kRingCorrectionFileName, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str().rfind("Ring Dial - Offset Correction\r\n  (alpha=30.0deg)\r\n", 0), 0u);
  EXPECT_EQ(text.str().substr(text.str().size() - 3), " \r\n");
  EXPECT_TRUE(platform->boxes.empty());
  // A folder of that name cannot be written: the box, and the chart drawn.
  fs::remove(kRingCorrectionFileName);
  fs::create_directory(kRingCorrectionFileName);
  RecordingCanvas canvas2;
  ScreenSurface surface2 = screenSurfaceOf(design(), canvas2, 1600, 1000);
  drawRingCorrectionChart(surface2, 1600, 1000, 150, 30, true, design().writeCorrectionFile);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_EQ(platform->boxes[0].text, "Open error: File  Schoener-Tabelle.txt");
  EXPECT_FALSE(canvas2.primitives.empty());
  fs::current_path(old);
  fs::remove_all(dir);
}

// The half-day choice is kept in the settings file: a fourth value of the
// gnomon-hole line only when it is not "all day"; old three-value lines
// read as "all day".
TEST_F(RingDialTest, HalfDayChoiceIsStoredInTheGnomonHoleLine) {
  for (int part : {0, 1, 2}) {
    design().ringOldHoursPart = static_cast<std::uint8_t>(part);
    const std::vector<std::string> lines = buildSettingsText(false);
    const std::string& holeLine = lines[17];
    EXPECT_EQ(std::count(holeLine.begin(), holeLine.end(), ';'), part == 0 ? 2 : 3) << holeLine;
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / "tavrel_ring_settings_test.tav";
    {
      std::ofstream out(file, std::ios::binary);
      for (const std::string& l : lines) out << l << "\r\n";
    }
    design().ringOldHoursPart = part == 0 ? 2 : 0;
    readSettingsFile(file.string(), prepareObliquity);
    EXPECT_EQ(design().ringOldHoursPart, part);
    fs::remove(file);
  }
  EXPECT_TRUE(platform->boxes.empty());
}


// The printer page is at true size (10 units per mm): the band's frame
// is pi D / 2 long and as high as the ring is wide.
TEST_F(RingDialTest, PrinterPageIsAtTrueSize) {
  design().latitude = 47.25;
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, 2800, 2000);
  ASSERT_TRUE(drawRingDial(surface, ringInput(60, 120), 2800, 2000, false));
  // The frame: the one closed run of four lines from the band's corner.
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  const auto& pr = canvas.primitives;
  for (std::size_t i = 0; i + 4 < pr.size(); ++i) {
    if (pr[i].kind != PrimitiveKind::MoveTo) continue;
    bool box = true;
    for (int k = 1; k <= 4; ++k) box = box && pr[i + k].kind == PrimitiveKind::LineTo;
    if (!box || std::fabs(pr[i + 4].p[2] - pr[i].p[0]) > 1e-9 || std::fabs(pr[i + 4].p[3] - pr[i].p[1]) > 1e-9) continue;
    for (int k = 1; k <= 4; ++k) {
      minX = std::min(minX, pr[i + k].p[2]);
      maxX = std::max(maxX, pr[i + k].p[2]);
      minY = std::min(minY, pr[i + k].p[3]);
      maxY = std::max(maxY, pr[i + k].p[3]);
    }
    break;
  }
  EXPECT_NEAR(maxX - minX, std::numbers::pi * 60 * 10, 0.01);
  EXPECT_NEAR(maxY - minY, 60 * 10, 0.01);
}

// A band larger than the picture asks; No draws nothing, Yes draws it
// smaller. Texts of the refusals in both languages.
TEST_F(RingDialTest, BandTooLargeAsksAndRefusalsInBothLanguages) {
  struct Case {
    int language;
    MsgAnswer answer;
    bool drawn;
    const char* question;
  };
  const Case cases[] = {
      {2, MsgAnswer::No, false, "The ring band does not fit into the drawing.\n\rShall it be drawn smaller?"},
      {1, MsgAnswer::Yes, true, "Das Ringband passt nicht in die Zeichnung.\n\rSoll es verkleinert gezeichnet werden?"},
  };
  for (const Case& c : cases) {
    useLanguage(c.language);
    platform->boxes.clear();
    platform->answers.push_back(c.answer);
    RecordingCanvas canvas;
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 800, 500);
    EXPECT_EQ(drawRingDial(surface, ringInput(80, 300), 800, 500, true), c.drawn);
    ASSERT_EQ(platform->boxes.size(), 1u);
    EXPECT_EQ(platform->boxes[0].text, c.question);
    EXPECT_EQ(platform->boxes[0].buttons, MsgButtons::YesNo);
    bool lines = false;
    for (const Primitive& p : canvas.primitives) lines = lines || p.kind == PrimitiveKind::LineTo;
    EXPECT_EQ(lines, c.drawn);
  }
  // Temporal hours beyond 65 degrees: the refusal in the picture, no band.
  struct Refusal {
    int language;
    const char* firstLine;
  };
  const Refusal refusals[] = {{2, "Temporal hours are not possible in this latitude!"},
                              {1, "Temporalstunden sind in dieser Breite nicht möglich!"}};
  for (const Refusal& r : refusals) {
    useLanguage(r.language);
    design().latitude = 70;
    design().temporalHours = true;
    RecordingCanvas canvas;
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    EXPECT_FALSE(drawRingDial(surface, ringInput(80, 150), 1600, 1000, true));
    bool found = false, lines = false;
    for (const Primitive& p : canvas.primitives) {
      found = found || p.text == r.firstLine;
      lines = lines || p.kind == PrimitiveKind::LineTo;
    }
    EXPECT_TRUE(found) << r.firstLine;
    EXPECT_FALSE(lines);
  }
}

class RingPlotTest : public RingDialTest {
 protected:
  std::filesystem::path dir() {
    const auto p = std::filesystem::temp_directory_path() / ("tavrel_ring_" + std::to_string(getpid()));
    std::filesystem::create_directories(p);
    return p;
  }
  std::string plot(int resolution, const std::filesystem::path& file, double D = 150, double W = 80) {
    HpglWriter w(resolution);
    w.hpglOpen(file.string());
    RingDialInput ring = RingDialInput::of(design());
    ring.diameterMm = D;
    ring.widthMm = W;
    ring.alpha = 30;
    plotRingDial(w, ring, design().plotLineWidth);
    w.hpglClose();
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void TearDown() override { std::filesystem::remove_all(dir()); }

  // The band's frame in the DXF of a ring of diameter D and width W (the
  // one closed polyline of five vertices), read by ezdxf, with the number
  // of errors of its audit.
  struct Frame {
    int auditErrors = -1;
    double width = 0, height = 0;
  };
  Frame frameOfDxf(double D, double W) {
    const auto hp25 = dir() / "r25.plt", dxf = dir() / "r.dxf";
    plot(25, hp25, D, W);
    Frame f;
    if (convertHpglToDxf(hp25.string(), dxf.string(), 1, 1000) != DxfResult::Converted) return f;
    const testing::EzdxfView view = testing::readWithEzdxf(dxf);
    f.auditErrors = view.auditErrors;
    for (const testing::EzdxfEntity& e : view.entities) {
      const auto& p = e.points;
      if (e.type != "POLYLINE" || p.size() != 5) continue;
      if (std::fabs(p[0][0] - p[4][0]) < 1e-6 && std::fabs(p[0][1] - p[4][1]) < 1e-6) {
        f.width = std::max(f.width, std::fabs(p[1][0] - p[0][0]));
        f.height = std::max(f.height, std::fabs(p[2][1] - p[1][1]));
      }
    }
    return f;
  }
};

TEST_F(RingPlotTest, PlotRendersInHp2xxAndItsDxfIsAtTrueSize) {
  design().latitude = -34;
  design().italianHours = true;
  design().ringRayDeflection = 2;
  const auto hp1 = dir() / "r1.plt";
  const std::string text = plot(1, hp1);
  EXPECT_EQ(text.rfind("IN;SS;PA;", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 9), ";SP 0;IN;");
  const std::string eps = (dir() / "r.eps").string();
  const std::string cmd = "hp2xx -q -m eps -f " + eps + " " + hp1.string() + " 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  EXPECT_GT(std::filesystem::file_size(eps), 1000u);

  const Frame f = frameOfDxf(150, 80);
  EXPECT_EQ(f.auditErrors, 0);
  EXPECT_NEAR(f.width, std::numbers::pi * 75, 0.05);
  EXPECT_NEAR(f.height, 80, 0.05);
}

// A ring wider than the A3 sheet holds (237 mm) is still plotted at true
// size, to be cut out: no reduction.
TEST_F(RingPlotTest, LargeRingIsPlottedAtTrueSize) {
  const std::string large = plot(1, dir() / "l.plt", 300, 80);
  EXPECT_EQ(large.find("reduced to"), std::string::npos);
  const Frame f = frameOfDxf(300, 80);
  EXPECT_EQ(f.auditErrors, 0);
  EXPECT_NEAR(f.width, std::numbers::pi * 150, 0.05);
  EXPECT_NEAR(f.height, 80, 0.05);
}

}  // namespace
}  // namespace tavrel
