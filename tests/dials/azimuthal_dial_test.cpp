// The azimuthal dial: a shadow simulator of the vertical pointer over the
// level plate (plain vector geometry from the sun's hour angle and
// declination, independent of the construction) against the drawn hour
// curves of both designs; the scale of the worked example; the edge cases
// at the latitude and field limits; texts in both languages; the plot
// through hp2xx and through the DXF converter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "dials/azimuthal/azimuthal_texts.h"
#include "drawing/drawing_controller.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "tables/horizon_profile.h"
#include "plot/hpgl_writer.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr double kTolerance = 0.2;  // mm at true size

class AzimuthalDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = startEnglishDesign(2021);
    d.dialKind = 'a';
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.zoneTime = false;
    d.localTime = true;
    d.constructionWithEot = false;
    d.temporalHours = false;
    d.temporalHourLines = false;
    d.babylonianHours = false;
    d.italianHours = false;
    d.integerSunshineLines = false;
    d.januaryOutside = false;
    d.otherHoursFrom = 4;
    d.otherHoursTo = 20;
    d.otherHourInterval = '1';  // 30 min
    d.azimuthBasePlate = 180;
    d.dateLinesPerMonth = 1;
    setLatitude(47);
  }
  void setLatitude(double lat) {
    design().latitude = lat;
    prepareObliquity(design().referenceYear);
  }
  // The dial at true size: target units are millimetres.
  AzimuthalDial trueSize(int mode, const SkyOutline* horizon = nullptr) {
    AzimuthalInput in;
    in.mode = mode;
    in.plateRadius = design().azimuthBasePlate / 2;
    in.dayStep = in.plateRadius / 480 * 365 / 410;
    in.textHeight = 3.3;
    in.domeV = in.plateRadius - 3.3;
    in.horizon = horizon;
    return computeAzimuthalDial(design(), in);
  }
  ScopedScriptedPlatform platform;
};

// ---- the instrument ------------------------------------------------------------
// The sun at clock time t of day `day` as a unit vector (east, north, up):
// the ephemeris gives the declination and the equation of time; the hour
// angle follows from the clock (its meridian, the equation of time when
// the clock is a mean-time clock), then the equatorial direction is turned
// into the horizon frame of the latitude.
struct SunVec {
  double e, n, u, declination;
};
SunVec sunAtClock(int day, double t, bool meanTimeClock, double clockMeridian) {
  const DesignState& d = design();
  double decl, eot;
  solarPosition(d.referenceYear, day + (t + clockMeridian / 15 - 12) / 24, decl, eot);
  double H = 15 * (t - 12) - (d.longitude - clockMeridian);
  if (meanTimeClock) H += eot;
  const double p = radians(d.latitude), dl = radians(decl), h = radians(H);
  return {-std::cos(dl) * std::sin(h), std::sin(dl) * std::cos(p) - std::cos(dl) * std::cos(h) * std::sin(p),
          std::sin(dl) * std::sin(p) + std::cos(dl) * std::cos(h) * std::cos(p), decl};
}

// The plate lies with west to the right and south at the top of the
// drawing: the shadow of the pointer, opposite to the sun, falls at
// drawing direction (sun east, sun north) / |...|.
AzPoint onPlate(const SunVec& s, double r) {
  const double n = std::hypot(s.e, s.n);
  return {r * s.e / n, r * s.n / n};
}

double distanceToSegment(AzPoint p, AzPoint a, AzPoint b) { return segmentDistance(p.x, p.y, a.x, a.y, b.x, b.y); }

// The nearest distance from p to the drawn curves of `kind` and hour t.
double distanceToHourLine(const AzimuthalDial& dial, AzimuthLineKind kind, double t, AzPoint p) {
  double best = std::numeric_limits<double>::infinity();
  for (const AzimuthLine& l : dial.lines) {
    if (l.kind != kind || std::fabs(l.value - t) > 1e-9) continue;
    for (std::size_t i = 1; i < l.points.size(); ++i)
      best = std::min(best, distanceToSegment(p, l.points[i - 1], l.points[i]));
  }
  return best;
}

int pieces(const AzimuthalDial& dial, AzimuthLineKind kind, double t) {
  int n = 0;
  for (const AzimuthLine& l : dial.lines) n += l.kind == kind && std::fabs(l.value - t) < 1e-9;
  return n;
}

// ---- shadow simulator: date circles ----------------------------------------------------------
// The shadow's direction meets the circle of the day (calendar scale: a
// fixed step per day from the inner circle; zodiac scale: a fixed step per
// degree of the sun's declination) on the hour curve of the time.
TEST_F(AzimuthalDialTest, DateCircleShadowMeetsTheDaysCircleOnTheHourCurve) {
  struct Case {
    double latitude;
    bool declinationScale, eot, zone, januaryOutside;
  };
  const Case cases[] = {
      {30, false, false, false, false}, {47, false, true, true, false},  {60, false, true, false, false},
      {-34, false, false, true, false}, {47, true, false, false, false}, {47, true, true, true, true},
      {60, true, true, false, false},   {-34, true, false, false, true}, {30, true, true, true, false},
  };
  const int days[] = {12, 45, 80, 111, 140, 172, 200, 236, 266, 300, 330, 356};
  const double times[] = {7, 8.5, 10, 12, 13.5, 15, 17};
  for (const Case& c : cases) {
    setLatitude(c.latitude);
    DesignState& d = design();
    d.showDateCircles = c.declinationScale;
    d.constructionWithEot = c.eot;
    d.zoneTime = c.zone;
    d.localTime = !c.zone;
    d.januaryOutside = c.januaryOutside;
    const AzimuthalDial dial = trueSize(0);
    const double k = dial.dayStep, rIn = dial.rIn, eps = d.obliquityRounded;
    const double kd = 365 * k / 2 / eps;
    int checked = 0;
    for (int day : days) {
      for (double t : times) {
        const SunVec s = sunAtClock(day, t, c.eot, c.zone ? d.zoneMeridian : d.longitude);
        const double altitude = degrees(std::asin(s.u));
        if (altitude < 2 || altitude > 87) continue;
        const double r = c.declinationScale
                             ? rIn + (c.januaryOutside ? eps + s.declination : eps - s.declination) * kd
                             : rIn + day * k;
        const double dist = distanceToHourLine(dial, AzimuthLineKind::Clock, t, onPlate(s, r));
        EXPECT_LE(dist, kTolerance) << "lat " << c.latitude << " scale " << c.declinationScale << " eot "
                                    << c.eot << " day " << day << " t " << t;
        ++checked;
      }
    }
    EXPECT_GT(checked, 30) << c.latitude;
  }
}

// ---- shadow simulator: altitude circles -----------------------------------------------------
// The sun's altitude h on the circle of each spacing's published formula:
// equal R0 (1 - h/90); stereographic R0 tan(45 - h/2) (the projection from
// the nadir); the horizontoscope dome cos h 2v(v^2 - o^2) / (sin h (v^2 +
// o^2) + 2vo) with o = sqrt(R0^2/4 + v^2) - R0/2; in the azimuth's
// direction.
double publishedRadius(int spacing, double h, double r0, double v) {
  switch (spacing) {
    case 0: return r0 * (1 - h / 90);
    case 1: {
      const double o = std::sqrt(r0 * r0 / 4 + v * v) - r0 / 2;
      return std::cos(radians(h)) * 2 * v * (v * v - o * o) / (std::sin(radians(h)) * (v * v + o * o) + 2 * v * o);
    }
    default: return r0 * std::tan(radians(45 - h / 2));
  }
}

TEST_F(AzimuthalDialTest, AltitudeCircleOfTheSunLiesOnTheHourCurveForEachSpacing) {
  const double latitudes[] = {30, 47, 60, -34};
  const int days[] = {20, 60, 100, 150, 172, 190, 230, 265, 300, 340};
  const double times[] = {6.5, 8, 9.5, 11, 12, 14, 15.5, 17.5};
  for (int spacing = 0; spacing < 3; ++spacing) {
    for (double lat : latitudes) {
      for (bool eot : {false, true}) {
        setLatitude(lat);
        DesignState& d = design();
        d.azimuthHeightMode = static_cast<std::uint8_t>(spacing);
        d.constructionWithEot = eot;
        d.zoneTime = eot;
        d.localTime = !eot;
        const AzimuthalDial dial = trueSize(1);
        const double R = d.azimuthBasePlate / 2;
        const double r0 = spacing == 1 ? R : R - 2 * 3.3, v = R - 3.3;
        int checked = 0;
        for (int day : days) {
          for (double t : times) {
            const SunVec s = sunAtClock(day, t, eot, eot ? d.zoneMeridian : d.longitude);
            const double h = degrees(std::asin(s.u));
            if (h < 1) continue;
            const AzPoint p = onPlate(s, publishedRadius(spacing, h, r0, v));
            EXPECT_LE(distanceToHourLine(dial, AzimuthLineKind::Clock, t, p), kTolerance)
                << "spacing " << spacing << " lat " << lat << " eot " << eot << " day " << day << " t " << t;
            ++checked;
          }
        }
        EXPECT_GT(checked, 30);
      }
    }
  }
}

// ---- the scale ---------------------------------------------------------------------------
TEST_F(AzimuthalDialTest, WorkedExampleRadiiOnScreenAndPlot) {
  design().azimuthDialKind = 0;
  design().showDateCircles = false;
  // The picture shows the 297 x 210 mm sheet: its height of 1000 pixels
  // stands for 210 mm, so the 180 mm plate has R = 1000 / 210 * 90 pixels
  // and fits the window as it fits the printed page.
  const AzimuthalDial screen = computeAzimuthalDial(design(), azimuthalScreenInput(design(), 1600, 1000, false));
  const double R = 1000.0 / 210 * 90;
  EXPECT_NEAR(screen.plateRadius, R, 1e-9);
  EXPECT_NEAR(screen.dayStep, R / 480 * 365 / 410, 1e-12);
  EXPECT_NEAR(screen.rOut, R - 45 * screen.dayStep, 1e-9);
  EXPECT_NEAR(screen.rIn, R - 410 * screen.dayStep, 1e-9);
  EXPECT_LT(2 * screen.plateRadius, 1000);
  // A narrow picture: the sheet's width decides (297 mm across 700 pixels).
  EXPECT_NEAR(computeAzimuthalDial(design(), azimuthalScreenInput(design(), 700, 1000, false)).plateRadius,
              (700 * 210 / 297) / 210.0 * 90, 1e-9);
  const AzimuthalDial plot = computeAzimuthalDial(design(), azimuthalPlotInput(design(), 25));  // the date plot ignores R
  EXPECT_DOUBLE_EQ(plot.plateRadius, 3600);
  EXPECT_DOUBLE_EQ(plot.dayStep, 7);
  EXPECT_DOUBLE_EQ(plot.rOut, 3285);
  EXPECT_DOUBLE_EQ(plot.rIn, 730);
  // The circles of the 1st of January and of 31 December bound the scale.
  double lo = 1e9, hi = 0;
  for (const AzimuthCircle& c : plot.circles)
    if (c.screenPen == 7 || c.screenPen == 6) lo = std::min(lo, c.r), hi = std::max(hi, c.r);
  EXPECT_NEAR(lo, 730 + 7, 1e-9);
  EXPECT_NEAR(hi, 3285, 1e-9);
}

// The printer page draws the plate at true size: 10 units per millimetre,
// the plate circle of 180 mm and, on the altitude chart, the horizon
// circle two text heights (2 x 1.4 mm) inside it.
TEST_F(AzimuthalDialTest, PrinterPageIsAtTrueSize) {
  for (int mode = 0; mode < 2; ++mode) {
    design().azimuthDialKind = static_cast<std::uint8_t>(mode);
    design().azimuthHeightMode = 0;
    RecordingCanvas canvas;
    ScreenSurface s = printerSurfaceOf(design(), canvas, PrinterDevice{});
    if (mode == 0) drawAzimuthDateDial(s, design(), s.width(), s.height(), true);
    else drawAzimuthAltitudeDial(s, design(), s.width(), s.height(), true);
    double largest = 0;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Ellipse)) largest = std::max(largest, p.p[2] - p.p[0]);
    EXPECT_NEAR(largest, mode == 0 ? 1800 : 1800 - 4 * 14, 1e-6) << mode;
  }
}

// ---- edge cases ------------------------------------------------------------------------------
// Hour curves break where the sun leaves (0, 89) degrees (date circles) or
// sinks below the horizon (altitude circles): near the zenith passage in
// the tropics and at high latitude the curve falls into pieces.
TEST_F(AzimuthalDialTest, HourCurvesBreakWhereTheAltitudeLeavesItsRange) {
  struct Case {
    int mode;
    bool eot;
    double latitude, hour;
    int minPieces, maxPieces;
  };
  const Case cases[] = {
      {0, true, 47, 12, 1, 1},    // always inside (0, 89)
      {0, false, 10, 12, 2, 3},   // the noon sun passes the zenith twice a year
      {0, false, -10, 12, 2, 3},
      {0, true, -10, 12, 1, 1},   // mean noon: the equation of time keeps it 4 degrees off
      {0, false, 70, 20, 1, 1},   // 20 h: the sun is up from spring to autumn only
      {0, false, 70, 12, 1, 1},   // polar night: the noon line stops in winter
      {1, true, 47, 12, 1, 1},
      {1, false, 70, 4, 1, 1},    // half a year from 21 June: up only in summer
      {1, false, 47, 4, 0, 0},    // never up at 4 h apparent time
  };
  for (const Case& c : cases) {
    setLatitude(c.latitude);
    design().showDateCircles = false;
    design().constructionWithEot = c.eot;
    const AzimuthalDial dial = trueSize(c.mode);
    const int n = pieces(dial, AzimuthLineKind::Clock, c.hour);
    EXPECT_GE(n, c.minPieces) << c.mode << " " << c.latitude << " " << c.hour;
    EXPECT_LE(n, c.maxPieces) << c.mode << " " << c.latitude << " " << c.hour;
  }
}

// On the zodiac scale one half-year gives the same points as the other
// unless the equation of time separates them: the curve is drawn once
// (June to December) without it, and with it over the whole year as a loop.
TEST_F(AzimuthalDialTest, DeclinationScaleLoopsOnlyWithTheEquationOfTime) {
  design().showDateCircles = true;
  std::size_t counts[2] = {0, 0};
  for (bool eot : {false, true}) {
    design().constructionWithEot = eot;
    const AzimuthalDial dial = trueSize(0);
    std::vector<AzPoint> pts;
    for (const AzimuthLine& l : dial.lines)
      if (l.kind == AzimuthLineKind::Clock && l.value == 10) pts.insert(pts.end(), l.points.begin(), l.points.end());
    counts[eot] = pts.size();
    // With the equation of time the curve closes on itself: its first and
    // last points are at the same radius (winter solstice side) but the
    // curve crosses itself (the analemma's loop).
    if (eot) {
      ASSERT_GT(pts.size(), 100u);
    }
  }
  EXPECT_LT(counts[0], 65u);       // days 21 June .. 22 December, every third
  EXPECT_GT(counts[1], 110u);      // the whole year
  EXPECT_GT(counts[1], 1.7 * counts[0]);
}

TEST_F(AzimuthalDialTest, LatitudeLimitsOfTheWarningAndTheTemporalRefusal) {
  struct Case {
    double latitude;
    bool temporal, warned, refused;
  };
  const Case cases[] = {
      {24, false, false, false}, {23.99, false, true, false}, {-23.99, false, true, false},
      {-24, false, false, false}, {0, false, true, false},    {66, true, false, false},
      {66.01, true, false, true}, {-66.01, true, false, true}, {80, false, false, false},
  };
  for (const Case& c : cases) {
    setLatitude(c.latitude);
    design().temporalHourLines = c.temporal;
    const AzimuthalDial dial = trueSize(0);
    EXPECT_EQ(dial.lowLatitude, c.warned) << c.latitude;
    EXPECT_EQ(dial.refused, c.refused) << c.latitude;
    EXPECT_EQ(dial.lines.empty(), c.refused) << c.latitude;
  }
}

// Latitude 0 and near the poles, the smallest and largest plate, every
// family on: finite numbers and an end.
TEST_F(AzimuthalDialTest, LimitsGiveFiniteGeometry) {
  DesignState& d = design();
  d.babylonianHours = d.italianHours = true;
  d.integerSunshineLines = true;
  d.drawEcliptic = true;
  for (double lat : {0.0, 0.001, 89.9, -89.9, 66.0, -66.0}) {
    for (double plate : {3.0, 200.0}) {
      for (int mode = 0; mode < 2; ++mode) {
        for (int spacing = 0; spacing < 4; ++spacing) {
          setLatitude(lat);
          d.temporalHourLines = std::fabs(lat) <= 66;
          d.azimuthBasePlate = plate;
          d.azimuthHeightMode = static_cast<std::uint8_t>(spacing);
          d.showDateCircles = spacing % 2 == 1;
          const AzimuthalDial dial = trueSize(mode);
          for (const AzimuthLine& l : dial.lines)
            for (const AzPoint& p : l.points)
              ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << lat << " " << plate << " " << mode;
          for (const AzimuthCircle& c : dial.circles) ASSERT_TRUE(std::isfinite(c.r));
          if (mode == 1) break;
        }
      }
    }
  }
}

// Whole-hour day lengths: the day 2 H0 / 15 hours long with cos H0 =
// -tan(latitude) tan(declination); 16 h at 50 degrees needs 21.43 degrees.
TEST_F(AzimuthalDialTest, WholeHourDayLengthDeclinations) {
  const std::vector<double> v = wholeHourDayDeclinations(50, 23.44);
  ASSERT_EQ(v.size(), 5u);  // 12 .. 16 h
  EXPECT_NEAR(v[0], 0, 1e-12);
  for (std::size_t i = 0; i < v.size(); ++i) {
    const double h0 = degrees(std::acos(-std::tan(radians(50)) * std::tan(radians(v[i]))));
    EXPECT_NEAR(2 * h0 / 15, 12 + static_cast<double>(i), 1e-9);
  }
  EXPECT_TRUE(wholeHourDayDeclinations(0, 23.44).size() == 0u);
}

// Southern hour numbers: the noon shadow points to the top of the plate
// (south of the equator the sun culminates in the north), and the
// altitude chart writes its numbers on the sun's path of 21 December.
TEST_F(AzimuthalDialTest, HourNumbersFollowTheHemisphere) {
  for (double lat : {47.0, -34.0}) {
    setLatitude(lat);
    design().showDateCircles = false;
    const AzimuthalDial date = trueSize(0);
    bool found = false;
    for (const AzimuthLabel& l : date.labels) {
      if (l.role != AzimuthLabelRole::HourNumber || l.value != 12 || l.x * l.x > 1) continue;
      found = true;
      EXPECT_EQ(l.text, "12");
      EXPECT_EQ(l.y > 0, lat < 0) << lat;
    }
    EXPECT_TRUE(found) << lat;
    design().azimuthHeightMode = 0;
    const AzimuthalDial chart = trueSize(1);
    found = false;
    for (const AzimuthLabel& l : chart.labels) {
      if (l.role != AzimuthLabelRole::HourNumber || l.value != 12) continue;
      found = true;
      // Noon of the summer solstice of the hemisphere: altitude 90 - |lat| + 23.44.
      const double h = 90 - std::fabs(lat) + 23.44;
      const double r0 = design().azimuthBasePlate / 2 - 6.6;
      EXPECT_NEAR(std::hypot(l.x, l.y), r0 * (1 - h / 90) - 3.3, 0.3) << lat;
    }
    EXPECT_TRUE(found) << lat;
  }
}

// The horizon profile: where the sun is below the skyline the curves
// continue in colour 10 (pen 11), and the skyline is drawn in colour 3.
TEST_F(AzimuthalDialTest, HorizonProfileHidesTheSunBelowTheSkyline) {
  SkyOutline sky;
  for (int a = -180; a <= 180; a += 5) sky.push_back({double(a), a < 0 ? 20.0 : 0.0});  // a hill in the east
  EXPECT_DOUBLE_EQ(skylineElevation(sky, -90), 20);
  EXPECT_DOUBLE_EQ(skylineElevation(sky, -2.5), 10);
  const AzimuthalDial plain = trueSize(1), hidden = trueSize(1, &sky);
  int hiddenLines = 0, horizon = 0;
  for (const AzimuthLine& l : plain.lines) EXPECT_FALSE(l.hidden);
  for (const AzimuthLine& l : hidden.lines) {
    if (l.hidden) {
      ++hiddenLines;
      EXPECT_EQ(l.screenPen, 11);
      EXPECT_EQ(l.plotPen, 11);
      // Every hidden piece lies east (x > 0 is west: shadow direction).
      for (const AzPoint& p : l.points) EXPECT_GT(p.x, -1e-6);
    }
    if (l.kind == AzimuthLineKind::Horizon) {
      ++horizon;
      EXPECT_EQ(l.screenPen, 4);
    }
  }
  EXPECT_GT(hiddenLines, 5);
  EXPECT_EQ(horizon, 1);
}

// The drawing window hands the loaded profile to the chart while it is
// shown: the parts of the curves below it appear in colour 10.
TEST_F(AzimuthalDialTest, DrawingWindowPassesTheShownProfile) {
  DesignState& d = design();
  d.azimuthDialKind = 1;
  for (int pen = 1; pen <= 12; ++pen) d.colors[static_cast<std::size_t>(pen - 1)] = rgb(pen * 16 + 1, 3, 7);
  HorizonState& h = horizonState();
  const HorizonState saved = h;
  for (int k = 0; k < kHorizonPoints; ++k) h.horizonProfile[static_cast<std::size_t>(k)].elevation = k < 360 ? 25 : 0;
  const auto hiddenStrokes = [&d]() {
    RecordingCanvas canvas;
    DrawingController controller(canvas);
    controller.applyActivationDefaults(2000, 2000);
    controller.construct();
    int n = 0;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::LineTo)) n += p.pen.colour == d.colors[10];
    return n;
  };
  h.profileLoaded = true;
  h.showHorizonProfile = false;
  EXPECT_EQ(hiddenStrokes(), 0);
  h.showHorizonProfile = true;
  EXPECT_GT(hiddenStrokes(), 20);
  h.profileLoaded = false;  // switched on, nothing loaded: nothing to draw
  EXPECT_EQ(hiddenStrokes(), 0);
  h = saved;
}

// ---- texts -----------------------------------------------------------------------------------
TEST_F(AzimuthalDialTest, TextsInBothLanguages) {
  struct Case {
    int language, mode, spacing;
    bool eot, zone;
    const char* title;
    const char* time;
  };
  const Case cases[] = {
      {2, 0, 0, false, false, "AZIMUTHAL SUNDIAL", "local time without EoT = Local Apparent Time"},
      {2, 0, 0, true, true, "AZIMUTHAL SUNDIAL", "time at zone meridian with EoT = Civil Time"},
      {2, 0, 0, true, false, "AZIMUTHAL SUNDIAL", "local time with EoT"},
      {2, 1, 1, false, false, "AZIMUTHAL SUNDIAL (Tonne)", "local time without EoT (LAT) = Local Apparent Time"},
      {2, 1, 2, true, false, "Stereographic Sundial", "local time with EoT = Local Mean Time"},
      {2, 1, 3, false, true, "Orthographic Sundial", "time at zone meridian without EoT = apparent time at zone meridian"},
      {1, 1, 1, false, false, "AZIMUTALE SONNENUHR (Tonne)", "Ortszeit ohne Zeitgl. (WOZ) = Wahre Ortszeit (WOZ)"},
      {1, 0, 0, true, true, "AZIMUTALE SONNENUHR", "Zonenzeit mit Zeitgl. = Standard (Zonen)- Zeit"},
  };
  for (const Case& c : cases) {
    DesignState& d = design();
    useLanguage(c.language);
    d.azimuthHeightMode = static_cast<std::uint8_t>(c.spacing);
    d.constructionWithEot = c.eot;
    d.zoneTime = c.zone;
    d.localTime = !c.zone;
    d.italianHours = c.mode == 1;
    d.temporalHourLines = c.mode == 1;
    const AzimuthalDial dial = trueSize(c.mode);
    EXPECT_EQ(dial.title, c.title);
    EXPECT_EQ(dial.timeLine, c.time);
    EXPECT_EQ(dial.diameterLine, c.language == 2 ? "Diameter = 180.0 mm" : "Durchmesser = 180.0 mm");
    if (c.mode == 1) {
      EXPECT_EQ(dial.extraLine, c.language == 2 ? "additionally:  Temporal hours, Italian hours"
                                                : "zusätzlich:  Temporalstunden, Italische Stunden");
    }
    EXPECT_EQ(dial.note, azimuthalText(c.spacing == 1 && c.mode == 1 ? AzimuthalText::DomeNote
                                                                     : AzimuthalText::PointerNote,
                                       c.language));
  }
  EXPECT_EQ(azimuthalText(AzimuthalText::PointerNote, 2), "For pointer height look at help file!");
  EXPECT_EQ(azimuthalText(AzimuthalText::DomeNote, 2), "A transparent reflective dome is used instead of a pointer!");
}

// The picture: the refusal writes message 64 and the title only; the
// warning below 24 degrees and the missing symbol font are written into
// the picture in the current language.
TEST_F(AzimuthalDialTest, PictureWritesRefusalWarningAndMissingFont) {
  const auto texts = [](const RecordingCanvas& c) {
    std::string all;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text)) all += p.text + "|";
    return all;
  };
  for (int lang : {1, 2}) {
    DesignState& d = design();
    useLanguage(lang);
    setLatitude(70);
    d.temporalHourLines = true;
    {
      RecordingCanvas canvas;
      ScreenSurface s = screenSurfaceOf(design(), canvas, 2000, 2000);
      drawAzimuthDateDial(s, design(), 2000, 2000, false);
      const std::string all = texts(canvas);
      const std::string msg = messageText(64, lang);
      EXPECT_NE(all.find(msg.substr(0, msg.find('\n'))), std::string::npos) << all;
      EXPECT_TRUE(canvas.ofKind(PrimitiveKind::LineTo).empty());
    }
    d.temporalHourLines = false;
    setLatitude(20);
    d.showDateCircles = true;
    platform->fonts = {"Arial"};
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 2000, 2000);
    drawAzimuthDateDial(s, design(), 2000, 2000, false);
    const std::string all = texts(canvas);
    EXPECT_NE(all.find(messageText(49, lang)), std::string::npos);
    EXPECT_NE(all.find(messageText(61, lang)), std::string::npos);
    platform->fonts = {"Arial", "Wingdings"};
    RecordingCanvas withFont;
    ScreenSurface s2 = screenSurfaceOf(design(), withFont, 2000, 2000);
    drawAzimuthDateDial(s2, design(), 2000, 2000, false);
    EXPECT_EQ(texts(withFont).find(messageText(61, lang)), std::string::npos);
  }
}

// ---- plot ------------------------------------------------------------------------------------

class AzimuthalPlotTest : public AzimuthalDialTest {
 protected:
  fs::path dir() { return scratchFolder("tavrel_azi_"); }
  std::string plot(int resolution, const fs::path& file) {
    return plotFileText(resolution, file, [](HpglWriter& w) {
      if (design().azimuthDialKind == 1)
        plotAzimuthAltitudeDial(w, design());
      else
        plotAzimuthDateDial(w, design());
    });
  }
  void TearDown() override { fs::remove_all(dir()); }
};

TEST_F(AzimuthalPlotTest, EveryDesignRendersInHp2xx) {
  DesignState& d = design();
  d.temporalHourLines = d.babylonianHours = d.italianHours = d.integerSunshineLines = true;
  d.plotLineWidth = 2;
  for (int v = 0; v < 5; ++v) {
    d.azimuthDialKind = v < 2 ? 0 : 1;
    d.showDateCircles = v == 1;
    d.azimuthHeightMode = static_cast<std::uint8_t>(v - 2 < 0 ? 0 : v - 2);
    const fs::path file = dir() / ("a" + std::to_string(v) + ".plt");
    const std::string text = plot(1, file);
    EXPECT_EQ(text.rfind(v < 2 ? "IN;PA;" : "IN;", 0), 0u);
    EXPECT_NE(text.find("PW 1"), std::string::npos);
    if (v < 2) {
      EXPECT_NE(text.find("AA 7300,5300,"), std::string::npos);
    }
    else EXPECT_NE(text.find(";LT 2,2;"), std::string::npos);
    const fs::path out = dir() / ("a" + std::to_string(v) + ".eps");
    const std::string cmd = "hp2xx -q -m eps -f " + out.string() + " " + file.string() + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(fs::file_size(out), 1000u) << v;
  }
}

// The DXF at true size: the cross through the centre of the altitude chart
// spans the horizon circle (2 R0 = 180 - 4 x 2.4 mm) from a plot at R = 25;
// the date-circle plot is written at R = 1 and its cross spans 2 r_out.
TEST_F(AzimuthalPlotTest, DxfIsAtTrueSizeAndPassesTheAudit) {
  DesignState& d = design();
  struct Case {
    int mode, r;
    double span;
  };
  for (const Case& c : {Case{1, 25, 180 - 4 * 2.4}, Case{0, 1, 2 * 3285 / 40.0}}) {
    d.azimuthDialKind = static_cast<std::uint8_t>(c.mode);
    d.azimuthHeightMode = 0;
    const fs::path hp = dir() / "p.plt", dxf = dir() / "p.dxf";
    plot(c.r, hp);
    ASSERT_EQ(convertHpglToDxf(hp.string(), dxf.string(), 1, 40.0 * c.r), DxfResult::Converted);
    // The widest horizontal line of two points: the cross.
    const EzdxfView view = readWithEzdxf(dxf);
    ASSERT_TRUE(view.read) << view.output;
    EXPECT_EQ(view.auditErrors, 0) << c.mode << view.output;
    double span = 0;
    for (const auto& [a, b] : twoPointLines(view))
      if (std::fabs(a[1] - b[1]) < 1e-6) span = std::max(span, std::fabs(b[0] - a[0]));
    EXPECT_NEAR(span, c.span, 0.05) << c.mode;
  }
}

}  // namespace
}  // namespace tavrel::testing
