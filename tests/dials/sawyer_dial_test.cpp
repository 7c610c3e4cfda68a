// The Sawyer dial: a shadow simulator of the physical instrument (a
// vertical face turned about a vertical axis, a nodus on a perpendicular
// gnomon) against the drawn solstice points and date lines at true size;
// the refusal within the tropics in both languages; the edge cases at the
// field and latitude limits; the plot through hp2xx and the DXF converter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/solar_ephemeris.h"
#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "dials/sawyer/sawyer_dial.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;


// ---- the instrument in space: east, north, up (mm) ----------------------
struct Vec {
  double e = 0, n = 0, u = 0;
};
Vec operator-(Vec a, Vec b) { return {a.e - b.e, a.n - b.n, a.u - b.u}; }
Vec operator*(double k, Vec a) { return {k * a.e, k * a.n, k * a.u}; }
double dot(Vec a, Vec b) { return a.e * b.e + a.n * b.n + a.u * b.u; }

// Unit vector towards the sun from its hour angle H (west positive) and
// declination d at latitude phi: the equatorial vector turned about the
// east axis by 90 - phi (Montenbruck & Pfleger, Astronomy on the Personal
// Computer, 4th ed., sect. 3.2).
Vec sunVector(double H, double d, double phi) {
  const double ch = std::cos(radians(H)), sh = std::sin(radians(H)), cd = std::cos(radians(d)), sd = std::sin(radians(d));
  const double sp = std::sin(radians(phi)), cp = std::cos(radians(phi));
  return {-cd * sh, cp * sd - sp * cd * ch, sp * sd + cp * cd * ch};
}

// The face: vertical, its outward normal horizontal at `normalAzimuth`
// (from south, west positive); O at the origin, the nodus u in front.
struct Shadow {
  bool ok = false;
  double x = 0, y = 0;  // on the face, x to the right seen from the front, y up
};
Shadow shadowOnFace(Vec sun, double normalAzimuth, double u) {
  const Vec normal{-std::sin(radians(normalAzimuth)), -std::cos(radians(normalAzimuth)), 0};
  const Vec up{0, 0, 1};
  const Vec right{-normal.n, normal.e, 0};  // up x normal
  const double c = dot(sun, normal);
  if (c < 1e-9 || sun.u <= 0) return {};
  const Vec tip = u * normal;
  const Vec p = tip - (u / c) * sun;
  return {true, dot(p, right), dot(p, up)};
}

// Turns the face until the shadow lies on the hour ray x = (C - y) T and
// below O; the turn is found by bisection on the sign of x - (C - y) T.
Shadow shadowOnRay(Vec sun, double rayDeg, double u, double C) {
  const double T = std::tan(radians(rayDeg));
  const double sunAz = std::atan2(-sun.e, -sun.n) * 180 / std::numbers::pi;
  const auto f = [&](double a, Shadow& s) {
    s = shadowOnFace(sun, a, u);
    return s.ok ? s.x - (C - s.y) * T : NAN;
  };
  Shadow best;
  double prevA = sunAz - 89.5;
  Shadow ps;
  double prev = f(prevA, ps);
  for (double a = prevA + 0.25; a <= sunAz + 89.5; a += 0.25) {
    Shadow s;
    const double v = f(a, s);
    if (std::isfinite(v) && std::isfinite(prev) && (v > 0) != (prev > 0)) {
      double lo = prevA, hi = a, flo = prev;
      for (int k = 0; k < 80; ++k) {
        const double mid = (lo + hi) / 2;
        Shadow ms;
        const double fm = f(mid, ms);
        if ((fm > 0) == (flo > 0)) {
          lo = mid;
          flo = fm;
        } else {
          hi = mid;
        }
      }
      Shadow r;
      f((lo + hi) / 2, r);
      if (r.y <= 1e-9 && (!best.ok || r.y > best.y)) best = r;
    }
    prev = v;
    prevA = a;
  }
  return best;
}

double distanceToSegment(double px, double py, const SawyerRayPoint& a, const SawyerRayPoint& b) {
  return testing::segmentDistance(px, py, a.x, a.y, b.x, b.y);
}

double distanceToLine(double px, double py, const SawyerLine& line) {
  double best = 1e30;
  for (const auto& run : line.runs)
    for (std::size_t i = 1; i < run.size(); ++i) best = std::min(best, distanceToSegment(px, py, run[i - 1], run[i]));
  return best;
}

// Day of 2020 (with fraction, x as solarPosition takes it) at which the
// declination equals d in the half year from the June to the December
// solstice, found by bisection on the ephemeris.
double dayOfDeclination(double d) {
  double lo = 172, hi = 356;
  double dl, e;
  solarPosition(2020, lo, dl, e);
  for (int k = 0; k < 60; ++k) {
    const double mid = (lo + hi) / 2;
    double dm;
    solarPosition(2020, mid, dm, e);
    if ((dm > d) == (dl > d)) {
      lo = mid;
      dl = dm;
    } else {
      hi = mid;
    }
  }
  return (lo + hi) / 2;
}

class SawyerDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    d.referenceYear = 2020;
    useLanguage(2);
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.zoneTime = false;
    d.sawyerTimeMode = 0;
    d.sawyerMeanHalfAnalemma = false;
    d.sawyerMeanStraight = false;
    d.sawyerLineAngle = 5;
    d.sawyerCentre = 90;
    d.gnomonLength = 60;
    d.otherHourInterval = '0';
    d.dateLineMode = '0';
  }

  // The dial in millimetres at true size.
  SawyerDialInput trueSize(double latitude, int mode = 0) {
    design().latitude = latitude;
    design().sawyerTimeMode = static_cast<std::uint8_t>(mode);
    design().zoneTime = mode == 1;
    design().sawyerMeanHalfAnalemma = mode == 2;
    design().sawyerMeanStraight = mode == 3;
    return sawyerInputFromDesign(design(), design().gnomonLength, design().sawyerCentre, 4, 4, 1000);
  }
};

// ---- shadow simulator ------------------------------------------------------

// Latitudes of both hemispheres; times in hours (apparent local time for
// mode 0, zone time for mode 1). The tolerance is 0.2 mm at true size.
struct SolsticeCase {
  double latitude;
  int mode;
  double gnomon, centre, lineAngle;
};
const SolsticeCase kSolsticeCases[] = {
    {50, 0, 60, 90, 5},   {-50, 0, 60, 90, 5},  {35, 0, 40, 120, 7},
    {-35, 0, 40, 120, 7}, {62, 1, 80, 60, 4.5}, {-45, 1, 60, 90, 6},
};

TEST_F(SawyerDialTest, SolsticePointsLieWhereTheNodusShadowFalls) {
  // The June solstice of 2020 from the ephemeris: the day of the largest
  // declination.
  double best = -90, bestX = 0;
  for (double x = 165; x <= 180; x += 0.01) {
    double d, e;
    solarPosition(2020, x, d, e);
    if (d > best) {
      best = d;
      bestX = x;
    }
  }
  ASSERT_NEAR(best, 23.44, 0.01);
  double worst = 0;
  for (const SolsticeCase& c : kSolsticeCases) {
    design().gnomonLength = c.gnomon;
    design().sawyerCentre = c.centre;
    design().sawyerLineAngle = c.lineAngle;
    const SawyerDialInput in = trueSize(c.latitude, c.mode);
    const SawyerDial dial = computeSawyerDial(in);
    ASSERT_FALSE(dial.tropicsRefused);
    const double shift = c.mode == 1 ? (design().zoneMeridian - design().longitude) / 15 : 0;
    int checked = 0;
    for (int hour = -5; hour <= 5; ++hour) {
      const double apparent = hour + shift;  // the clock hour's apparent local time
      for (const double decl : {best, -best}) {
        const Vec sun = sunVector(15 * apparent, decl, c.latitude);
        if (sun.u <= 0.02) continue;
        const Shadow s = shadowOnRay(sun, apparent * c.lineAngle, c.gnomon, c.centre);
        if (!s.ok) continue;
        // The drawn full-hour ray of this clock hour has its solstice
        // points at its two ends.
        double d = 1e30;
        for (const SawyerLine& l : dial.lines) {
          if (l.kind != SawyerLineKind::FullHour) continue;
          for (const auto& run : l.runs)
            for (const SawyerRayPoint& p : {run.front(), run.back()}) d = std::min(d, std::hypot(p.x - s.x, p.y - s.y));
        }
        EXPECT_LT(d, 0.2) << "lat " << c.latitude << " hour " << hour << " decl " << decl;
        worst = std::max(worst, d);
        ++checked;
      }
    }
    EXPECT_GE(checked, 10) << c.latitude;
  }
  RecordProperty("worst_solstice_mm", std::to_string(worst));
  (void)bestX;
}

struct DateCase {
  double latitude;
  int datesPerSign;
};
const DateCase kDateCases[] = {{48, 0}, {-48, 0}, {40, 2}, {-58, 1}};

TEST_F(SawyerDialTest, DateLinesCarryTheShadowOfTheirDay) {
  double worst = 0;
  for (const DateCase& c : kDateCases) {
    design().dateLineMode = static_cast<char>('0' + c.datesPerSign);
    const SawyerDialInput in = trueSize(c.latitude);
    const SawyerDial dial = computeSawyerDial(in);
    int lines = 0;
    for (const SawyerLine& l : dial.lines) {
      if (l.kind != SawyerLineKind::WholeSignDate && l.kind != SawyerLineKind::DateLine) continue;
      ++lines;
      // The day the sun reaches this solar longitude, from the ephemeris,
      // between the June and December solstices.
      const double lambda = l.value;
      const double decl0 = std::asin(std::sin(radians(23.4367)) * std::sin(radians(lambda))) * 180 / std::numbers::pi;
      const double x = lambda >= 269.9 ? 356.0 : lambda <= 90.1 ? 172.0 : dayOfDeclination(decl0);
      double decl, eot;
      solarPosition(2020, x, decl, eot);
      for (const double t : {-4.5, -2.0, -0.5, 0.0, 1.0, 3.0, 5.5}) {
        const Vec sun = sunVector(15 * t, decl, c.latitude);
        if (sun.u <= 0.05) continue;
        const Shadow s = shadowOnRay(sun, t * in.lineAngle, in.u, in.C);
        if (!s.ok) continue;
        const double d = distanceToLine(s.x, s.y, l);
        EXPECT_LT(d, 0.2) << "lat " << c.latitude << " longitude " << lambda << " t " << t;
        worst = std::max(worst, d);
      }
    }
    EXPECT_EQ(lines, 6 * (c.datesPerSign + 1) + 1);
  }
  RecordProperty("worst_date_line_mm", std::to_string(worst));
}

// The mean-time modes shift each date by the antisymmetric part of the
// equation of time from the design's series table (seconds): mode 3 draws
// the date line of the sun at hour angle h on the ray of h + s (s =
// table value / 240 degrees); mode 2 draws the hour curve of mean time t
// through the shadow of the sun at apparent time t - s (s = table value /
// 3600 hours). The simulator turns the face for those rays and sun
// positions; the drawn lines must carry the shadow.
TEST_F(SawyerDialTest, MeanTimeLinesCarryTheShiftedShadow) {
  const std::vector<EotSeriesRow>& table = design().eotSeriesTable;
  ASSERT_GT(table.size(), 216u);
  double worst = 0;
  for (const double lat : {50.0, -42.0}) {
    // Mode 3: the date lines.
    SawyerDialInput in = trueSize(lat, 3);
    SawyerDial dial = computeSawyerDial(in);
    int checked = 0;
    for (const SawyerLine& l : dial.lines) {
      if (l.kind != SawyerLineKind::WholeSignDate) continue;
      const std::size_t row = static_cast<std::size_t>(std::lround((l.value) / 1.25));
      const double decl = table[row].declination, s = table[row].eotAntisymmetric / 240.0;
      for (const double h : {-40.0, -15.0, 0.0, 20.0, 50.0}) {
        const Vec sun = sunVector(h, decl, lat);
        if (sun.u <= 0.05) continue;
        const Shadow sh = shadowOnRay(sun, (h + s) / 15 * in.lineAngle, in.u, in.C);
        if (!sh.ok) continue;
        const double d = distanceToLine(sh.x, sh.y, l);
        EXPECT_LT(d, 0.2) << "mode 3 lat " << lat << " longitude " << l.value << " h " << h;
        worst = std::max(worst, d);
        ++checked;
      }
    }
    EXPECT_GT(checked, 20);
    // Mode 2: the hour curves.
    in = trueSize(lat, 2);
    dial = computeSawyerDial(in);
    checked = 0;
    for (const SawyerLine& l : dial.lines) {
      if (l.kind != SawyerLineKind::FullHour || std::fabs(l.value) > 4) continue;
      for (const std::size_t row : {80u, 100u, 144u, 170u, 200u}) {
        const double t = l.value - table[row].eotAntisymmetric / 3600.0;
        const Vec sun = sunVector(15 * t, table[row].declination, lat);
        if (sun.u <= 0.1) continue;
        const Shadow sh = shadowOnRay(sun, t * in.lineAngle, in.u, in.C);
        if (!sh.ok) continue;
        const double d = distanceToLine(sh.x, sh.y, l);
        EXPECT_LT(d, 0.2) << "mode 2 lat " << lat << " hour " << l.value << " row " << row;
        worst = std::max(worst, d);
        ++checked;
      }
    }
    EXPECT_GT(checked, 20);
  }
  RecordProperty("worst_mean_time_mm", std::to_string(worst));
}

// ---- refusals ------------------------------------------------------------

TEST_F(SawyerDialTest, TropicsAreRefusedWithBothTexts) {
  struct Case {
    double latitude;
    bool refused;
  };
  const Case cases[] = {{20, true}, {28.5, true}, {-25, true}, {0.0049, true}, {30, false}, {-30, false}};
  for (const Case& c : cases) {
    design().latitude = c.latitude;
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawSawyerDial(s, design(), 1600, 1000, true, 60, 1, 0, 0, false, 10, 10);
    const auto texts = canvas.ofKind(PrimitiveKind::Text);
    const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
    if (c.refused) {
      ASSERT_EQ(texts.size(), 2u) << c.latitude;
      EXPECT_EQ(texts[0].text, "No constructions for latitudes in between -29 deg < latitude");
      EXPECT_EQ(texts[0].p[0], 320);
      EXPECT_EQ(texts[0].p[1], 200);
      EXPECT_EQ(texts[1].text, "Berechnungen erfolgen nur f\xC3\xBCr Breiten > +29 Grad oder Breite");
      EXPECT_EQ(texts[1].p[1], 1000 / 7);
      EXPECT_EQ(texts[0].font.weight, kFontWeightBold);
      EXPECT_TRUE(lines.empty());
    } else {
      EXPECT_GT(lines.size(), 20u) << c.latitude;
    }
  }
  // The same two texts whatever the language.
  useLanguage(1);
  EXPECT_EQ(sawyerTropicsText(2), "No constructions for latitudes in between -29 deg < latitude");
  EXPECT_EQ(sawyerTropicsText(1), "Berechnungen erfolgen nur f\xC3\xBCr Breiten > +29 Grad oder Breite");
}

TEST_F(SawyerDialTest, ObliquityGuardDrawsNothing) {
  SawyerDialInput in = trueSize(30);
  in.obliquity = 26;  // 26 + 5 > 30
  const SawyerDial dial = computeSawyerDial(in);
  EXPECT_TRUE(dial.obliquityRefused);
  EXPECT_TRUE(dial.lines.empty());
  in.obliquity = 23.44;
  EXPECT_FALSE(computeSawyerDial(in).obliquityRefused);
}

// ---- edge cases ------------------------------------------------------------

// The noon ray is vertical; its summer end lies u tan(h) below O with the
// noon altitude h = 90 - |phi| + 23.44 (northern) (Rohr, ch. 1).
TEST_F(SawyerDialTest, NoonRayEndsAtTheNoonShadow) {
  for (const double lat : {40.0, 55.0}) {
    const SawyerDialInput in = trueSize(lat);
    const auto p = sawyerPoint(0, in.obliquity, lat, in.lineAngle, in.u, in.C, 1000);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->x, 0, 1e-12);
    EXPECT_NEAR(p->y, -in.u * std::tan(radians(90 - lat + in.obliquity)), 1e-9);
  }
}

TEST_F(SawyerDialTest, RaysWithTheWinterSunDownStartOnOsLevel) {
  const SawyerDialInput in = trueSize(60);
  const SawyerDial dial = computeSawyerDial(in);
  // At 60 degrees the winter sun is up for 41.3 degrees of hour angle each
  // side of noon: the rays from 3 h on start at y = 0, the earlier ones below.
  int atLevel = 0, below = 0;
  for (const SawyerLine& l : dial.lines) {
    if (l.kind != SawyerLineKind::FullHour) continue;
    const SawyerRayPoint start = l.runs.front().front();
    if (15 * std::fabs(l.value) > 41.3) {
      EXPECT_EQ(start.y, 0) << l.value;
      EXPECT_NEAR(start.x, in.C * std::tan(radians(l.value * in.lineAngle)), 1e-9);
      ++atLevel;
    } else {
      EXPECT_LT(start.y, 0) << l.value;
      ++below;
    }
  }
  EXPECT_GT(atLevel, 0);
  EXPECT_EQ(below, 5);  // -2 .. 2
}

// Field and latitude limits: no NaN, no endless loop, something drawn or
// a clean refusal.
TEST_F(SawyerDialTest, LimitsGiveFiniteGeometry) {
  struct Case {
    double latitude, lineAngle, centre, gnomon;
    int mode;
    char parts, dates;
  };
  const Case cases[] = {
      {29, 5, 90, 60, 0, '0', '0'},   {89.9, 5, 90, 60, 0, '3', '2'}, {-89.9, 15, 900, 200, 3, '3', '2'},
      {66.6, 0.5, 0, 5, 2, '1', '1'}, {45, 15, 0, 200, 1, '2', '0'},  {-29, 0.5, 900, 5, 2, '3', '2'},
      {75, 12, 300, 100, 3, '0', '1'},
  };
  for (const Case& c : cases) {
    design().sawyerLineAngle = c.lineAngle;
    design().sawyerCentre = c.centre;
    design().gnomonLength = c.gnomon;
    design().otherHourInterval = c.parts;
    design().dateLineMode = c.dates;
    const SawyerDial dial = computeSawyerDial(trueSize(c.latitude, c.mode));
    std::size_t points = 0;
    for (const SawyerLine& l : dial.lines)
      for (const auto& run : l.runs)
        for (const SawyerRayPoint& p : run) {
          ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << c.latitude;
          EXPECT_LE(p.y, 1e-9) << c.latitude;
          ++points;
        }
    for (const SawyerLabel& l : dial.labels) ASSERT_TRUE(std::isfinite(l.x) && std::isfinite(l.y));
    EXPECT_GT(points, 0u) << c.latitude;
    // And the screen picture runs through.
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawSawyerDial(s, design(), 1600, 1000, true, c.gnomon, 1, 800, 200, true, 10, 10);
    for (const Primitive& p : canvas.primitives)
      for (double v : p.p) ASSERT_TRUE(std::isfinite(v)) << c.latitude;
  }
}

// The mean-time modes: the red twin numbers for the other half year and
// the four reading texts; mode 2 draws curves, not rays.
TEST_F(SawyerDialTest, MeanTimeModesReadBothWays) {
  for (const int mode : {2, 3}) {
    trueSize(48, mode);
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawSawyerDial(s, design(), 1600, 1000, true, 60, 1, 800, 200, true, 10, 10);
    int red = 0;
    bool summerToWinter = false, winterToSummer = false;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
      if (p.font.colour == rgb(255, 0, 0)) ++red;
      if (p.text == "Summer to Winter" && p.font.colour == rgb(255, 0, 0)) summerToWinter = true;
      if (p.text == "Winter to Summer" && p.font.colour == 0x800000) winterToSummer = true;
    }
    EXPECT_TRUE(summerToWinter) << mode;
    EXPECT_TRUE(winterToSummer) << mode;
    EXPECT_GT(red, 10) << mode;
    const SawyerDial dial = computeSawyerDial(trueSize(48, mode));
    for (const SawyerLine& l : dial.lines)
      if (l.kind == SawyerLineKind::FullHour) {
        std::size_t n = 0;
        for (const auto& run : l.runs) n += run.size();
        if (mode == 2) EXPECT_GT(n, 20u) << l.value;
        else EXPECT_EQ(n, 2u) << l.value;
      }
  }
}

// Printed with zoom 2 the dial keeps the proportions of zoom 1: the
// gnomon and the centre grow together, so every hour ray doubles.
TEST_F(SawyerDialTest, ZoomScalesGnomonAndCentreTogether) {
  trueSize(50);
  const auto noonLength = [](double zoom) {
    SawyerDialInput in = sawyerInputFromDesign(design(), 600 * zoom, 900 * zoom, 30, 36, 10000);
    const SawyerDial dial = computeSawyerDial(in);
    for (const SawyerLine& l : dial.lines)
      if (l.kind == SawyerLineKind::FullHour && std::fabs(l.value - 2) < 1e-9) {
        const auto& r = l.runs.front();
        return std::hypot(r.back().x - r.front().x, r.back().y - r.front().y);
      }
    return 0.0;
  };
  const double one = noonLength(1), two = noonLength(2);
  ASSERT_GT(one, 0);
  EXPECT_NEAR(two / one, 2, 1e-9);
  // On the printer page the gnomon bar is round(round(10 g) z) long.
  RecordingCanvas canvas;
  ScreenSurface s = printerSurfaceOf(design(), canvas, PrinterDevice{});
  drawSawyerDial(s, design(), 2700, 1900, false, 60, 2, 1350, 400, true, 10, 10);
  bool bar = false;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::LineTo))
    if (std::fabs(p.p[1] - p.p[3]) < 1e-9 && std::fabs(std::fabs(p.p[2] - p.p[0]) - 1200) < 1e-9) bar = true;
  EXPECT_TRUE(bar);
}

// The screen leaves out the steps of a line that stay on the same pixel or
// go on in the same direction: every point of the geometry, rounded to the
// pixel, must still lie on a drawn segment (exact integer test), in both
// hemispheres and in the half-analemma mode; and far fewer segments are drawn
// than the geometry has steps.
TEST_F(SawyerDialTest, ScreenPolylinesPassThroughEveryPixelOfTheGeometry) {
  const struct {
    double latitude;
    int mode;
  } cases[] = {{48, 0}, {-40, 0}, {55, 2}};
  for (const auto& c : cases) {
    trueSize(c.latitude, c.mode);
    design().dateLineMode = '2';
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawSawyerDial(s, design(), 1600, 1000, true, 60, 1, 800, 200, true, 10, 10);
    // The same geometry as the screen draws it (see drawSawyerDial).
    const double u = std::round(std::round(1600 * 60 / 305.0));
    const SawyerDial dial =
        computeSawyerDial(sawyerInputFromDesign(design(), u, 1600 * design().sawyerCentre / 305, 16, 16, 10000));
    // Segments by pixel column.
    std::vector<std::vector<std::array<double, 4>>> columns(1600);
    const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
    for (const Primitive& p : lines) {
      const int lo = static_cast<int>(std::min(p.p[0], p.p[2])), hi = static_cast<int>(std::max(p.p[0], p.p[2]));
      for (int x = std::max(lo, 0); x <= std::min(hi, 1599); ++x)
        columns[static_cast<std::size_t>(x)].push_back({p.p[0], p.p[1], p.p[2], p.p[3]});
    }
    std::size_t steps = 0, missing = 0;
    for (const SawyerLine& l : dial.lines)
      for (const auto& run : l.runs) {
        if (run.size() < 2) continue;
        steps += run.size() - 1;
        for (const SawyerRayPoint& q : run) {
          const double x = 800 + std::nearbyint(q.x), y = 200 - std::nearbyint(q.y);
          if (x < 0 || x >= 1600) continue;
          bool on = false;
          for (const auto& g : columns[static_cast<std::size_t>(x)]) {
            const double ux = g[2] - g[0], uy = g[3] - g[1], vx = x - g[0], vy = y - g[1];
            const double along = ux * vx + uy * vy;
            if (ux * vy - uy * vx == 0 && along >= 0 && along <= ux * ux + uy * uy) on = true;
          }
          if (!on) ++missing;
        }
      }
    EXPECT_EQ(missing, 0u) << c.latitude;
    EXPECT_LT(lines.size(), steps / 2) << c.latitude;
  }
}

// ---- plot ---------------------------------------------------------------

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST_F(SawyerDialTest, PlotRendersAndConvertsAtTrueSize) {
  ScopedScriptedPlatform platform;
  trueSize(48);
  const fs::path dir = fs::temp_directory_path() / ("sawyer_plot_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path plt = dir / "sawyer.plt";
  {
    HpglWriter w(1);
    w.hpglOpen(plt.string());
    writeSawyerPlot(w, design(), 8200, 9000, 9000, 10000, 1);
    w.hpglClose();
  }
  const std::string text = readAll(plt);
  EXPECT_EQ(text.rfind("IN;VS 1;PA;IW 0 0 16157 11038;", 0), 0u);
  EXPECT_NE(text.find(";SA "), std::string::npos);
  EXPECT_NE(text.find(";SS "), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), ";IW;IN;");
  // The gnomon bar above O: 60 mm = 2400 units, from 8200 - 1200 to 8200 + 1200.
  EXPECT_NE(text.find(";PD 7000 "), std::string::npos);
  if (std::system("command -v hp2xx >/dev/null 2>&1") == 0) {
    const std::string cmd = "cd " + dir.string() + " && hp2xx -q -m eps -f out.eps sawyer.plt >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_GT(fs::file_size(dir / "out.eps"), 1000u);
  }
  const fs::path dxf = dir / "sawyer.dxf";
  ASSERT_EQ(convertHpglToDxf(plt.string(), dxf.string(), 1, 40), DxfResult::Converted);
  // The audit, and the gnomon bar above O measured in the DXF: 60 mm.
  const testing::EzdxfView view = testing::readWithEzdxf(dxf);
  ASSERT_TRUE(view.read) << view.output;
  EXPECT_EQ(view.auditErrors, 0) << view.output;
  bool bar = false;
  for (const testing::EzdxfEntity& e : view.entities)
    if (e.type == "POLYLINE")
      for (std::size_t k = 0; k + 1 < e.points.size(); ++k) {
        const auto& a = e.points[k];
        const auto& b = e.points[k + 1];
        if (std::fabs(std::fabs(b[0] - a[0]) - 60) < 0.03 && std::fabs(a[1] - b[1]) < 1e-6 && a[1] > 225) bar = true;
      }
  EXPECT_TRUE(bar);
  fs::remove_all(dir);
}

// ---- the time mode through a construction-data file -----------------------

// The record as the parameter page leaves it when the user picks a time
// mode (the mode, the switches derived from it, zone time).
void chooseTimeMode(int mode) {
  DesignState& d = design();
  d.sawyerTimeMode = static_cast<std::uint8_t>(mode);
  d.sawyerMeanHalfAnalemma = mode == 2;
  d.sawyerMeanStraight = mode == 3;
  d.cylinderWithEot = mode >= 2;
  d.zoneTime = mode == 1;
  d.localTime = mode != 1;
}

// The dial of each time mode saved as construction data and loaded into
// the freshly started program plots byte for byte the same; the four
// modes plot four different dials, so the comparison can tell them apart.
// The started program, whose page shows mode 2, draws the dial of mode 2.
TEST_F(SawyerDialTest, EveryTimeModeSurvivesASettingsFile) {
  ScopedScriptedPlatform platform;
  const fs::path dir = scratchFolder("sawyer_modes_");
  const auto plot = [&](const std::string& name) {
    return plotFileText(1, dir / name, [](HpglWriter& w) { writeSawyerPlot(w, design(), 8200, 9000, 9000, 10000, 1); });
  };
  const auto started = [] {
    design() = DesignState{};  // a new process
    startProgram();
    design().referenceYear = 2020;
    design().latitude = 48;
  };
  started();
  ASSERT_EQ(design().sawyerTimeMode, 2);
  const std::string atStart = plot("start.plt");
  std::vector<std::string> plots;
  for (int mode = 0; mode <= 3; ++mode) {
    SCOPED_TRACE(mode);
    started();
    chooseTimeMode(mode);
    const std::string before = plot("before.plt");
    ASSERT_TRUE(writeSettingsFile((dir / "dial.tav").string()));
    started();  // the program started again, then "Load Sundial Data"
    ASSERT_EQ(readSettingsFile((dir / "dial.tav").string(), prepareObliquity).status,
              SettingsReadStatus::Complete);
    EXPECT_EQ(design().sawyerTimeMode, mode);
    EXPECT_EQ(design().sawyerMeanHalfAnalemma, mode == 2);
    EXPECT_TRUE(plot("after.plt") == before) << "the reloaded dial differs";
    for (const std::string& other : plots) EXPECT_NE(before, other);
    plots.push_back(before);
  }
  EXPECT_TRUE(atStart == plots[2]) << "the started program does not draw the mode its page shows";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavrel::testing
