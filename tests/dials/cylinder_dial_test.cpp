// Cylinder dials and the hidokai: a shadow simulator of their physical
// instruments (plain vector geometry, independent of the construction's
// formulas) against the drawn lines; refusals and reductions with their
// texts in both languages; the edge cases at the latitude and field
// limits; the plot through hp2xx and through the DXF converter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "astro/horizontal_coordinates.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/cylinder/cylinder_dial.h"
#include "dials/cylinder/cylinder_texts.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "space_vector.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;


// ---- the instrument in space: east, north, up (mm, space_vector.h) ------

// Unit vector towards the sun (azimuth from south, west positive).
Vec sunVector(double azimuth, double altitude) {
  const double c = std::cos(radians(altitude));
  return {-std::sin(radians(azimuth)) * c, -std::cos(radians(azimuth)) * c, std::sin(radians(altitude))};
}
// Horizontal unit vector of azimuth a.
Vec horizontal(double a) { return {-std::sin(radians(a)), -std::cos(radians(a)), 0}; }

// First point where the ray from `from` along `dir` meets the vertical
// cylinder e^2 + n^2 = r^2 (entering it from outside); false if it misses.
bool hitCylinder(Vec from, Vec dir, double r, Vec& hit) {
  const double a = dir.e * dir.e + dir.n * dir.n;
  const double b = 2 * (from.e * dir.e + from.n * dir.n);
  const double c = from.e * from.e + from.n * from.n - r * r;
  const double disc = b * b - 4 * a * c;
  if (a < 1e-15 || disc < 0) return false;
  const double t = (-b - std::sqrt(disc)) / (2 * a);
  if (t <= 0) return false;
  hit = from + t * dir;
  return true;
}

// ---- the drawing -------------------------------------------------------
// The point of the drawn line (kind, value) at parameter `day`,
// interpolated between its vertices; false where no piece covers it.
bool drawnPointAt(const CylinderDial& dial, CylinderLineKind kind, double value, double day,
                  double& x, double& y) {
  for (const CylinderLine& l : dial.lines) {
    if (l.kind != kind || std::fabs(l.value - value) > 1e-9 || l.wall) continue;
    for (std::size_t i = 1; i < l.points.size(); ++i) {
      const CylinderPoint& a = l.points[i - 1];
      const CylinderPoint& b = l.points[i];
      if (day < a.day || day > b.day || b.day == a.day) continue;
      const double t = (day - a.day) / (b.day - a.day);
      x = a.x + t * (b.x - a.x);
      y = a.y + t * (b.y - a.y);
      return true;
    }
  }
  return false;
}

// Least distance from (x, y) to any drawn line of `kind` (and `value`
// unless NaN); `wall` selects the wall part of the hidokai.
double distanceToLines(const CylinderDial& dial, CylinderLineKind kind, double value, double x,
                       double y, bool wall = false) {
  double best = 1e300;
  for (const CylinderLine& l : dial.lines) {
    if (l.kind != kind || l.wall != wall) continue;
    if (!std::isnan(value) && std::fabs(l.value - value) > 1e-6) continue;
    for (std::size_t i = 1; i < l.points.size(); ++i)
      best = std::min(best, segmentDistance(x, y, l.points[i - 1].x, l.points[i - 1].y, l.points[i].x,
                                            l.points[i].y));
  }
  return best;
}

class CylinderDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = startEnglishDesign(2020);
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.localTime = true;
    d.zoneTime = false;
    d.localTimeNoEot = true;
    d.cylinderWithEot = false;
    d.temporalHourLines = false;
    d.temporalHours = false;
    d.babylonianHours = false;
    d.italianHours = false;
    d.sunAltitudeLines = false;
    d.expertMode = true;
    d.halfYearMonthScale = true;
    d.withVerticalDial = true;
    d.otherHoursFrom = 4;
    d.otherHoursTo = 20;
    d.otherHourInterval = '0';
  }
  void setLatitude(double lat) {
    design().latitude = lat;
    prepareObliquity(design().referenceYear);
  }
  CylinderDial compute(CylinderDialKind kind, double g, double scale, double radius = 60,
                       double plate = 120) {
    CylinderDialInput in;
    in.kind = kind;
    in.gnomonMm = g;
    in.scaleMm = scale;
    in.radiusMm = radius;
    in.plateMm = plate;
    in.sampling = CylinderSampling::plot();
    in.sampling.maxDropMm = 1000;
    return computeCylinderDial(design(), in);
  }
  ScopedScriptedPlatform platform;
};

constexpr std::array<double, 5> kLatitudes{0, 35, 52, 64, -34};
constexpr std::array<int, 6> kDays{20, 80, 130, 173, 250, 340};
constexpr double kTolerance = 0.2;  // mm at true size

// The sun at local apparent time t (no equation of time).
HorizontalPosition sunAt(int day, double t) {
  const DesignState& d = design();
  const SunPosition s = sunAtZoneTime(d.referenceYear, day, t, d.latitude, d.longitude,
                                      d.longitude, false);
  return {s.altitude, s.azimuth};
}

// The shepherd's dial: a horizontal gnomon from the top of a vertical
// cylinder, turned towards the sun. The hat dial: a brim around the crown;
// the point of the brim's edge between the sun and the crown casts the
// deepest shadow. In both the shadow of that tip or edge point falls onto
// the cylinder: follow its ray.
TEST_F(CylinderDialTest, ShadowOfTheGnomonTipOrBrimEdgeOnTheCylinderLiesOnTheHourLine) {
  struct Case {
    CylinderDialKind kind;
    double gnomon, scale, crown;  // crown: radius of the cylinder, mm
    double firstHour, lastHour;
  };
  // The shepherd's dial's crown radius plays no part in the drop; the hat
  // dial's crown has the circumference `scale`.
  const Case cases[] = {{CylinderDialKind::Shepherd, 40, 240, 15, 12, 19},
                        {CylinderDialKind::Hat, 30, 300, 300 / (2 * std::numbers::pi), 7, 17}};
  for (const Case& c : cases) {
    double worst = 0;
    int checked = 0;
    for (double lat : kLatitudes) {
      setLatitude(lat);
      const CylinderDial dial = compute(c.kind, c.gnomon, c.scale);
      for (int day : kDays) {
        for (double t = c.firstHour; t <= c.lastHour; t += 1) {
          SCOPED_TRACE("kind " + std::to_string(static_cast<int>(c.kind)) + " lat " +
                       std::to_string(lat) + " day " + std::to_string(day) + " t " + std::to_string(t));
          const HorizontalPosition sun = sunAt(day, t);
          if (sun.altitude < 2) continue;
          const Vec tip = (c.crown + c.gnomon) * horizontal(sun.azimuth);
          Vec hit;
          ASSERT_TRUE(hitCylinder(tip, -1.0 * sunVector(sun.azimuth, sun.altitude), c.crown, hit));
          const double drop = -hit.u;
          if (drop > dial.bottom) continue;
          double x0;
          if (c.kind == CylinderDialKind::Shepherd) {
            x0 = (day - dial.firstDay) * dial.mmPerDay;  // the date axis
          } else {
            // Unrolled: arc from the south generator towards east (north of
            // the equator), from the north generator towards west (south).
            const double phi = lat >= 0 ? std::atan2(hit.e, -hit.n) : std::atan2(-hit.e, hit.n);
            x0 = c.crown * phi;
            if (std::fabs(std::fabs(x0) - c.scale / 2) < 2) continue;  // at the seam
          }
          double x, y;
          ASSERT_TRUE(drawnPointAt(dial, CylinderLineKind::Ordinary, t, day, x, y));
          const double err = std::hypot(x - x0, y - drop);
          worst = std::max(worst, err);
          ++checked;
          EXPECT_LT(err, kTolerance);
        }
      }
    }
    EXPECT_GT(checked, 100);
    RecordProperty(c.kind == CylinderDialKind::Shepherd ? "shepherd_worst_mm" : "hat_worst_mm",
                   std::to_string(worst));
  }
}

TEST_F(CylinderDialTest, PolarStyleNodusShadowOnTheFixedCylinderLiesOnHourAndDateLines) {
  const double g = 50, r = 80;
  double worst = 0;
  int checked = 0;
  for (double lat : kLatitudes) {
    for (double wallDecl : {0.0, -30.0, 25.0}) {
      setLatitude(lat);
      DesignState& d = design();
      d.wallDeclination = lat >= 0 ? wallDecl : 180 + wallDecl;
      d.cylinderWithEot = false;
      const CylinderDial dial = compute(CylinderDialKind::PolarStyle, g, 0, r);
      const Vec nodus = (r + g) * horizontal(d.wallDeclination);
      // The shadow of the nodus on the cylinder, unrolled: the arc from the
      // generator facing the nodus, positive to the right as seen from the
      // nodus (towards smaller azimuth), and the depth below the nodus;
      // false where it misses the drawn part.
      const auto shadow = [&](const HorizontalPosition& sun, double& x0, double& depth) {
        Vec hit;
        if (sun.altitude < 1 || !hitCylinder(nodus, -1.0 * sunVector(sun.azimuth, sun.altitude), r, hit))
          return false;
        double dAz = d.wallDeclination - std::atan2(-hit.e, -hit.n) * 180 / std::numbers::pi;
        while (dAz > 180) dAz -= 360;
        while (dAz < -180) dAz += 360;
        x0 = r * radians(dAz);
        depth = -hit.u;
        return std::fabs(dAz) <= 80 && depth <= dial.bottom && std::fabs(x0) <= dial.right - 0.5;
      };
      for (int day : kDays) {
        for (double t = 5; t <= 19; t += 1) {
          double x0, depth;
          if (!shadow(sunAt(day, t), x0, depth)) continue;
          double x, y;
          ASSERT_TRUE(drawnPointAt(dial, CylinderLineKind::Ordinary, t, day, x, y))
              << "lat " << lat << " D " << wallDecl << " day " << day << " t " << t;
          const double err = std::hypot(x - x0, y - depth);
          worst = std::max(worst, err);
          ++checked;
          EXPECT_LT(err, kTolerance) << "lat " << lat << " D " << wallDecl << " day " << day;
        }
      }
      // The solstice date lines: the shadow of the nodus for the sun at
      // the solstice declination lies on them.
      for (int k : {0, 36}) {
        const double decl = d.declinationByLongitude[static_cast<std::size_t>(k)];
        for (double t = 6; t <= 18; t += 0.5) {
          double x0, depth;
          if (!shadow(sunFromMeanTime(t, lat, d.longitude, d.longitude, decl), x0, depth)) continue;
          if (dial.poleShown && depth <= dial.poleY) continue;
          const double err = distanceToLines(dial, CylinderLineKind::DateLine, decl, x0, depth);
          worst = std::max(worst, err);
          ++checked;
          EXPECT_LT(err, kTolerance) << "date line " << k << " lat " << lat << " D " << wallDecl
                                     << " t " << t;
        }
      }
    }
  }
  EXPECT_GT(checked, 200);
  RecordProperty("worst_mm", std::to_string(worst));
}

TEST_F(CylinderDialTest, HidokaiShadowOfTheVerticalGnomonOnPlateAndWall) {
  const double g = 25, plate = 120;
  double worst = 0;
  int onPlate = 0, onWall = 0;
  for (double lat : kLatitudes) {
    setLatitude(lat);
    const CylinderDial dial = compute(CylinderDialKind::Hidokai, g, 120, 0, plate);
    for (int day : kDays) {
      for (double t = 12; t <= 20; t += 1) {
        const HorizontalPosition sun = sunAt(day, t);
        if (sun.altitude < 0.5) continue;
        const Vec tip{0, 0, g};
        const Vec ray = -1.0 * sunVector(sun.azimuth, sun.altitude);
        const Vec away = horizontal(sun.azimuth + 180);  // the plate's axis
        // Plate z = 0.
        const Vec onFloor = tip + (g / -ray.u) * ray;
        const double along = onFloor.e * away.e + onFloor.n * away.n;
        double yDial;
        bool wall = false;
        if (along <= plate) {
          yDial = along;
        } else {
          // The wall: the plane at distance `plate` across the axis.
          const double k = plate / (ray.e * away.e + ray.n * away.n);
          const Vec q = tip + k * ray;
          if (q.u < 0 || q.u > g) continue;
          yDial = plate + q.u;  // folded down below the plate
          wall = true;
        }
        const double xDate = (day - dial.firstDay) * dial.mmPerDay;
        const double err = distanceToLines(dial, CylinderLineKind::Ordinary, t, xDate, yDial, wall);
        worst = std::max(worst, err);
        (wall ? onWall : onPlate)++;
        EXPECT_LT(err, kTolerance) << "lat " << lat << " day " << day << " t " << t
                                   << (wall ? " wall" : " plate");
      }
    }
  }
  EXPECT_GT(onPlate, 60);
  EXPECT_GT(onWall, 20);
  RecordProperty("worst_mm", std::to_string(worst));
}

// ---- refusals, reductions, texts ----------------------------------------

TEST_F(CylinderDialTest, RefusalsAndReductionsNameTheirTextsInBothLanguages) {
  struct Case {
    const char* name;
    CylinderDialKind kind;
    double latitude;
    bool temporal, babylonian;
    double scale, gnomon;
    int otherTemporalTo;
    std::string expectText[2];  // German, English; empty: no box
    bool refused;
  };
  const std::vector<Case> cases = {
      {"temporal above 65", CylinderDialKind::Shepherd, 66, true, false, 200, 40, 6,
       {messageText(64, 1), messageText(64, 2)}, true},
      {"temporal hidokai south", CylinderDialKind::Hidokai, -70, true, false, 120, 25, 6,
       {messageText(64, 1), messageText(64, 2)}, true},
      {"babylonian above 65", CylinderDialKind::Shepherd, 66, false, true, 200, 40, 6,
       {"Italienische und Babylonische Stunden\rnicht möglich. Breite zu hoch!",
        "Italian and Babylonian hours\rnot possible. Latitude to high!"}, false},
      {"temporal range", CylinderDialKind::Hidokai, 50, true, false, 120, 25, 13,
       {messageText(41, 1), messageText(41, 2)}, false},
      {"hat circumference", CylinderDialKind::Hat, 50, false, false, 350, 20, 6,
       {"Horizontale Monatsachse zu lang, daher verkürzt",
        "Horizontal month axis too long, therefore reduced"}, false},
      {"hat drop", CylinderDialKind::Hat, 40, false, false, 200, 110, 6,
       {"Horizontaler Schattenstab zu lang! Bitte ändern.",
        "Horizontal Gnomon too long! Please change it."}, false},
  };
  for (int language : {1, 2}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " language " + std::to_string(language));
      SetUp();
      DesignState& d = design();
      useLanguage(language);
      setLatitude(c.latitude);
      d.temporalHourLines = c.temporal;
      d.temporalHours = c.temporal;
      d.babylonianHours = c.babylonian;
      d.otherTemporalTo = c.otherTemporalTo;
      platform->boxes.clear();
      CylinderDialInput in;
      in.kind = c.kind;
      in.gnomonMm = c.gnomon;
      in.scaleMm = c.scale;
      in.sampling = CylinderSampling::plot();
      const CylinderDial dial = computeCylinderDial(design(), in);
      EXPECT_EQ(dial.temporalRefused, c.refused);
      if (c.refused) {
        EXPECT_TRUE(dial.lines.empty());
      }
      showCylinderMessages(dial, true);
      const std::string& want = c.expectText[language - 1];
      bool found = false;
      for (const auto& b : platform->boxes) found = found || b.text == want;
      // The hat dial reduction box comes once per run: only the first pass.
      if (c.kind == CylinderDialKind::Hat && c.scale > 300 && language == 2) continue;
      EXPECT_TRUE(found) << want;
    }
  }
}

TEST_F(CylinderDialTest, ShepherdsMonthAxisAbove250IsReducedAndNoted) {
  setLatitude(48);
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  design().shepherdScaleLength = 300;
  drawShepherdsDial(s, design(), 1600, 1000, true, 40);
  bool noted = false;
  for (const Primitive& p : canvas.primitives) {
    noted = noted || (p.kind == PrimitiveKind::Text &&
                      p.text == "Horizontal month axis too long, therefore reduced" &&
                      std::fabs(p.font.angle + 90) < 1e-9);
  }
  EXPECT_TRUE(noted);
  const CylinderDial dial = compute(CylinderDialKind::Shepherd, 40, 300);
  EXPECT_TRUE(dial.scaleReduced);
  EXPECT_DOUBLE_EQ(dial.scaleMm, 250);
}

// The shepherd's screen sign: a purple polyline at the lower left corner.
// 1600 x 1000 is wider than 1.414 heights: 1.42 * 1000 / 305 px per mm,
// G = round(40 * 4.6557) = 186; fh = 12, rh = 18, base = 1000 - 24.
TEST_F(CylinderDialTest, ShepherdsScreenSignIsAPurplePolylineAtTheLowerLeft) {
  setLatitude(47.25);
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawShepherdsDial(s, design(), 1600, 1000, true, 40);
  const std::vector<std::array<double, 4>> expected{
      {27, 790, 18, 790}, {18, 790, 18, 976}, {18, 976, 204, 976}, {204, 976, 204, 967}};
  std::vector<std::array<double, 4>> purple;
  for (const Primitive& p : canvas.primitives) {
    if (p.kind == PrimitiveKind::LineTo && p.pen.colour == 0x800080)
      purple.push_back({p.p[0], p.p[1], p.p[2], p.p[3]});
  }
  EXPECT_EQ(purple, expected);
  bool text = false;
  for (const Primitive& p : canvas.primitives) {
    text = text || (p.kind == PrimitiveKind::Text && p.text == "Gnomon height =    40 mm" &&
                    std::fabs(p.p[0] - 18) < 1e-9 && std::fabs(p.p[1] - 982) < 1e-9);
  }
  EXPECT_TRUE(text);
}

// The printer page draws at 10 units (0.1 mm) per millimetre: the gnomon
// sign is the gnomon at true length, for every kind.
TEST_F(CylinderDialTest, PrinterPageIsAtTrueSize) {
  setLatitude(47.25);
  DesignState& d = design();
  d.cylinderGnomonLengthInt = 40;
  d.altitudeDialGnomonLength = 40;
  for (int v = 0; v < 3; ++v) {
    if (v == 2) continue;  // the polar style has no gnomon sign
    for (char kind : {'z', 'k'}) {
      d.dialKind = kind;
      d.cylinderVariant = static_cast<std::uint8_t>(v);
      RecordingCanvas canvas;
      ScreenSurface s = printerSurfaceOf(design(), canvas, PrinterDevice{});
      drawCylinderOrAltitudeDial(s, design(), s.width(), s.height(), false);
      bool found = false;
      for (const Primitive& p : canvas.primitives) {
        if (p.kind != PrimitiveKind::LineTo) continue;
        const double len = std::hypot(p.p[2] - p.p[0], p.p[3] - p.p[1]);
        found = found || std::fabs(len - 400) < 1e-6;
      }
      EXPECT_TRUE(found) << kind << v;
    }
  }
}

// The hidokai's screen: the gnomon sign is a right triangle of the gnomon's
// height (5 px per mm on a 1600 px wide picture) in the lower right part of
// the picture, with "Shadow casting edge (height = 25.00 mm)" beside it and
// not once more in the title block.
TEST_F(CylinderDialTest, HidokaiGnomonTriangleStandsAtTheLowerRightInsideThePicture) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'k';
  d.altitudeDialGnomonLength = 25;
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawCylinderOrAltitudeDial(s, design(), 1600, 1000, true);
  const double g = 25 * 1600.0 / 320;
  double legX = -1, legTop = 0, legFoot = 0;
  for (const Primitive& p : canvas.primitives) {
    if (p.kind != PrimitiveKind::LineTo || std::fabs(p.p[0] - p.p[2]) > 1e-9) continue;
    if (std::fabs(std::fabs(p.p[3] - p.p[1]) - g) > 1e-6) continue;
    legX = p.p[0];
    legTop = std::min(p.p[1], p.p[3]);
    legFoot = std::max(p.p[1], p.p[3]);
  }
  ASSERT_GE(legX, 0) << "no vertical edge of the gnomon's height";
  EXPECT_GT(legX, 800);
  EXPECT_LT(legX, 1600);
  EXPECT_GT(legFoot, 500);
  EXPECT_GE(legTop, 0);
  EXPECT_LT(legFoot, 1000);
  int count = 0;
  for (const Primitive& p : canvas.primitives) {
    if (p.kind != PrimitiveKind::Text || p.text != "Shadow casting edge (height = 25.00 mm)") continue;
    ++count;
    // Under the triangle, ending about below its base (12.5 mm wide).
    EXPECT_GT(p.p[1], legFoot);
    EXPECT_LT(p.p[1], legFoot + 60);
    EXPECT_NEAR(p.p[0] + 5 * 60.0, legX + g / 2, 1e-6);
    EXPECT_GE(p.p[0], 0);
  }
  EXPECT_EQ(count, 1);
}

// The strip of the altitude scale, two small-font heights wide, is filled
// in 13366773 right of the box,
// over the box's height, before its outline in the colour of pen 8 is
// drawn; without the scale there is no fill.
// The information block at the foot of the picture (the texts in the
// block's 16-pixel font) stands clear of the dial: no line of the dial
// (the frame of the picture left out) passes through its texts. (The hat
// dial's brim needs the picture's whole height; its block is not moved.)
TEST_F(CylinderDialTest, InformationBlockStandsClearOfTheDial) {
  setLatitude(47.25);
  for (int variant : {0, 2}) {
    DesignState& d = design();
    d.dialKind = 'z';
    d.cylinderVariant = static_cast<std::uint8_t>(variant);
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawCylinderOrAltitudeDial(s, design(), 1600, 1000, true);
    int texts = 0, crossings = 0;
    for (const Primitive& t : canvas.primitives) {
      if (t.kind != PrimitiveKind::Text || std::fabs(t.font.height - 16) > 1e-6) continue;
      ++texts;
      const TextSize e = approximateTextExtent(t.font, t.text);
      const double x0 = t.p[0], y0 = t.p[1], x1 = x0 + e.width, y1 = y0 + e.height;
      for (const Primitive& l : canvas.primitives) {
        if (l.kind != PrimitiveKind::LineTo) continue;
        // A segment meets the box when a point of it, sampled at a pixel,
        // lies inside.
        const double n = std::max(1.0, std::ceil(std::hypot(l.p[2] - l.p[0], l.p[3] - l.p[1])));
        for (double k = 0; k <= n; ++k) {
          const double x = l.p[0] + (l.p[2] - l.p[0]) * k / n, y = l.p[1] + (l.p[3] - l.p[1]) * k / n;
          if (x > x0 && x < x1 && y > y0 && y < y1 && x > 2 && x < 1598 && y > 2 && y < 998) {
            ++crossings;
            break;
          }
        }
      }
    }
    EXPECT_GE(texts, 3) << "variant " << variant;
    EXPECT_EQ(crossings, 0) << "variant " << variant;
  }
}

TEST_F(CylinderDialTest, AltitudeStripIsFilledRightOfTheBox) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'z';
  d.cylinderGnomonLengthInt = 30;
  d.colors[7] = 0x123456;
  for (int variant : {0, 1}) {
    for (bool scale : {true, false}) {
      d.cylinderVariant = static_cast<std::uint8_t>(variant);
      d.sunAltitudeLines = scale;
      RecordingCanvas canvas;
      ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
      drawCylinderOrAltitudeDial(s, design(), 1600, 1000, true);
      const Primitive* fill = nullptr;
      std::size_t fillAt = 0;
      for (std::size_t i = 0; i < canvas.primitives.size(); ++i) {
        const Primitive& p = canvas.primitives[i];
        if (p.kind == PrimitiveKind::FillRectangle && p.colour == 13366773) fill = &p, fillAt = i;
      }
      if (!scale) {
        EXPECT_EQ(fill, nullptr) << variant;
        continue;
      }
      ASSERT_NE(fill, nullptr) << variant;
      // The frame's right edge (pen 1) is the strip's left edge; the
      // strip's outline (pen 8) comes after the fill and runs along it.
      bool frameEdge = false, outlineAfter = false;
      for (std::size_t i = 0; i < canvas.primitives.size(); ++i) {
        const Primitive& p = canvas.primitives[i];
        if (p.kind != PrimitiveKind::LineTo || std::fabs(p.p[0] - p.p[2]) > 1e-9) continue;
        const double lo = std::min(p.p[1], p.p[3]), hi = std::max(p.p[1], p.p[3]);
        const bool sameSpan = std::fabs(lo - fill->p[1]) < 1e-6 && std::fabs(hi - fill->p[3]) < 1e-6;
        if (sameSpan && std::fabs(p.p[0] - fill->p[0]) < 1e-6 && p.pen.colour == d.colors[0])
          frameEdge = true;
        if (sameSpan && std::fabs(p.p[0] - fill->p[2]) < 1e-6 && p.pen.colour == 0x123456 && i > fillAt)
          outlineAfter = true;
      }
      EXPECT_TRUE(frameEdge) << variant;
      EXPECT_TRUE(outlineAfter) << variant;
      // Two small-font heights wide (fh = 12 px on the screen), the
      // numbers at 2.5 fh right of the box.
      EXPECT_NEAR(fill->p[2] - fill->p[0], 24, 1e-6) << variant;
      bool five = false;
      for (const Primitive& p : canvas.primitives) {
        if (p.kind == PrimitiveKind::Text && p.text == "5 \xC2\xB0")
          five = std::fabs(p.p[0] - (fill->p[0] + 30)) < 1e-6;
      }
      EXPECT_TRUE(five) << variant;
    }
  }
}

// Polar style on the screen: the visible width arccos(r / (r + g)) r either
// side of the dial centre, drawn purple (0x800080) and grown with the zoom;
// its end marks and the centre mark stay one millimetre (pxPerMm = H / 280).
TEST_F(CylinderDialTest, PolarStyleVisibleWidthIsPurpleAndZoomed) {
  setLatitude(47.25);
  DesignState& d = design();
  d.paperA4 = true;
  const double r = 60, g = 40, px = 1000 / 280.0;
  for (double zoom : {1.0, 2.5}) {
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawPolarCylinderDial(s, design(), 1600, 1000, true, zoom, g, r);
    double across = 0, marks = 0;
    int purple = 0;
    for (const Primitive& p : canvas.primitives) {
      if (p.kind != PrimitiveKind::LineTo || p.pen.colour != 0x800080) continue;
      ++purple;
      if (std::fabs(p.p[1] - p.p[3]) < 1e-9) across = std::fabs(p.p[2] - p.p[0]);
      if (std::fabs(p.p[0] - p.p[2]) < 1e-9) marks = std::max(marks, std::fabs(p.p[3] - p.p[1]));
    }
    EXPECT_EQ(purple, 3) << zoom;
    EXPECT_NEAR(across, 2 * std::acos(r / (r + g)) * r * px * zoom, 1e-6) << zoom;
    EXPECT_NEAR(marks, 2 * px, 1e-6) << zoom;
    bool centreMark = false;
    for (const Primitive& p : canvas.primitives) {
      if (p.kind == PrimitiveKind::Ellipse && std::fabs(p.p[2] - p.p[0] - 2 * px) < 1e-6 &&
          std::fabs(0.5 * (p.p[0] + p.p[2]) - 800) < 1e-6)
        centreMark = true;
    }
    EXPECT_TRUE(centreMark) << zoom;
  }
}

TEST_F(CylinderDialTest, TemporalRefusalIsWrittenIntoThePictureAndNoDialIsDrawn) {
  setLatitude(70);
  design().temporalHourLines = true;
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawShepherdsDial(s, design(), 1600, 1000, true, 40);
  std::vector<std::string> texts;
  int lines = 0;
  for (const Primitive& p : canvas.primitives) {
    if (p.kind == PrimitiveKind::Text) texts.push_back(p.text);
    if (p.kind == PrimitiveKind::LineTo) ++lines;
  }
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Temporal hours are not possible in this latitude!");
  EXPECT_EQ(texts[1], "Therefore the sundial is not constructed.");
  EXPECT_EQ(lines, 0);
  EXPECT_TRUE(platform->boxes.empty());
}

TEST_F(CylinderDialTest, NoonFoldingKeepsTheLongerHalf) {
  struct Case { int from, to; double first, last; };
  const Case cases[] = {{8, 18, 12, 18}, {8, 16, 12, 16}, {7, 16, 7, 12}};
  setLatitude(45);
  for (const Case& c : cases) {
    design().otherHoursFrom = c.from;
    design().otherHoursTo = c.to;
    const CylinderDial dial = compute(CylinderDialKind::Shepherd, 40, 200);
    double lo = 99, hi = -1;
    for (const auto& l : dial.lines) {
      if (l.kind != CylinderLineKind::Ordinary) continue;
      lo = std::min(lo, l.value);
      hi = std::max(hi, l.value);
    }
    EXPECT_EQ(lo, c.first) << c.from << ".." << c.to;
    EXPECT_EQ(hi, c.last) << c.from << ".." << c.to;
  }
  // Half-hour parts stop at the range's end and are not labelled.
  design().otherHoursFrom = 12;
  design().otherHoursTo = 18;
  design().otherHourInterval = '1';
  const CylinderDial dial = compute(CylinderDialKind::Shepherd, 40, 200);
  double hi = 0;
  for (const auto& l : dial.lines) {
    if (l.kind == CylinderLineKind::Ordinary) hi = std::max(hi, l.value);
  }
  EXPECT_EQ(hi, 18);
  for (const auto& l : dial.labels) {
    if (l.role == CylinderLabelRole::HourNumber) {
      EXPECT_EQ(l.text.find('.'), std::string::npos);
    }
  }
}

TEST_F(CylinderDialTest, HatDialAzimuthLabelsInBothHemispheres) {
  for (double lat : {50.0, -30.0}) {
    setLatitude(lat);
    const CylinderDial dial = compute(CylinderDialKind::Hat, 20, 250);
    std::vector<std::string> labels;
    for (const auto& l : dial.labels) {
      if (l.role == CylinderLabelRole::AzimuthNumber) labels.push_back(l.text);
    }
    ASSERT_EQ(labels.size(), 19u);
    if (lat > 0) {
      EXPECT_EQ(labels.front(), "180");
      EXPECT_EQ(labels[9], "0");
      EXPECT_EQ(labels.back(), "-180");
    } else {
      EXPECT_EQ(labels.front(), "0");
      EXPECT_EQ(labels[9], "-180");
      EXPECT_EQ(labels.back(), "0");
    }
  }
}

TEST_F(CylinderDialTest, HalfYearAxisRunsFromJuneToDecemberWithTheOtherHalfNamed) {
  setLatitude(50);
  design().halfYearMonthScale = false;
  const CylinderDial dial = compute(CylinderDialKind::Shepherd, 40, 183);
  EXPECT_EQ(dial.firstDay, 173);  // 21 June 2020
  EXPECT_EQ(dial.lastDay, 356);   // 21 December 2020
  // The plot writes three letters and names the other half year's month
  // beside each; the screen writes the full names, one row.
  std::vector<std::string> plotNames, screenNames;
  for (const auto& l : dial.labels) {
    if (l.role != CylinderLabelRole::MonthName) continue;
    (l.target == CylinderTarget::Plot ? plotNames : screenNames).push_back(l.text);
  }
  EXPECT_EQ(plotNames, (std::vector<std::string>{"Jul", "Jun", "Aug", "May", "Sep", "Apr", "Oct",
                                                 "Mar", "Nov", "Feb", "Dec", "Jan"}));
  EXPECT_EQ(screenNames, (std::vector<std::string>{"July", "August", "September", "October",
                                                   "November", "December"}));
}

// The plot's rows of month names: 300 units above the box on the shepherd's
// dial, 260 (whole year) or 20 units (half year) on the hidokai; the
// second row of the half year 160 units above, 7 days to the right.
TEST_F(CylinderDialTest, PlotMonthRowsStandAtTheirHeightsAboveTheBox) {
  setLatitude(47.25);
  struct Case {
    CylinderDialKind kind;
    bool wholeYear;
    double firstRowMm, secondRowMm;  // secondRowMm < 0: none
  };
  for (const Case& c : {Case{CylinderDialKind::Shepherd, true, 7.5, -1},
                        Case{CylinderDialKind::Shepherd, false, 7.5, 4},
                        Case{CylinderDialKind::Hidokai, true, 6.5, -1},
                        Case{CylinderDialKind::Hidokai, false, 0.5, 4}}) {
    design().halfYearMonthScale = c.wholeYear;
    const CylinderDial dial = compute(c.kind, 40, 183);
    std::vector<const CylinderLabel*> plotNames;
    for (const auto& l : dial.labels)
      if (l.role == CylinderLabelRole::MonthName && l.target == CylinderTarget::Plot) plotNames.push_back(&l);
    ASSERT_FALSE(plotNames.empty());
    const CylinderLabel& first = *plotNames[0];
    EXPECT_NEAR(dial.top - first.y, c.firstRowMm, 1e-9);
    const int firstMonthDay = c.wholeYear ? 1 : 183;  // 1 January or 1 July 2020
    EXPECT_NEAR(first.x, (firstMonthDay - dial.firstDay) * dial.mmPerDay, 1e-9);
    if (c.secondRowMm > 0) {
      ASSERT_GE(plotNames.size(), 2u);
      EXPECT_NEAR(dial.top - plotNames[1]->y, c.secondRowMm, 1e-9);
      EXPECT_NEAR(plotNames[1]->x - first.x, 7 * dial.mmPerDay, 1e-9);
    }
  }
}

// ---- edge cases --------------------------------------------------------

TEST_F(CylinderDialTest, LimitsGiveFiniteLinesAndEnd) {
  struct Case {
    CylinderDialKind kind;
    double latitude, gnomon, scale, radius, plate;
  };
  const Case cases[] = {
      {CylinderDialKind::Shepherd, 0, 70, 270, 0, 0},
      {CylinderDialKind::Shepherd, 89.99, 110, 400, 0, 0},
      {CylinderDialKind::Shepherd, -89.99, 4, 0, 0, 0},
      {CylinderDialKind::Hat, 0, 110, 290, 0, 0},
      {CylinderDialKind::Hat, -89.99, 4, 3, 0, 0},
      {CylinderDialKind::Hat, 89.99, 50, 300, 0, 0},
      {CylinderDialKind::PolarStyle, 0, 4, 0, 500, 0},
      {CylinderDialKind::PolarStyle, 89.99, 110, 0, 4, 0},
      {CylinderDialKind::PolarStyle, -89.99, 51, 0, 250, 0},
      {CylinderDialKind::Hidokai, 0, 110, 180, 0, 260},
      {CylinderDialKind::Hidokai, 89.99, 4, 0, 0, 0},
      {CylinderDialKind::Hidokai, -89.99, 25, 120, 0, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + " lat " + std::to_string(c.latitude));
    setLatitude(c.latitude);
    DesignState& d = design();
    d.temporalHourLines = std::fabs(c.latitude) < 65;
    d.temporalHours = false;
    d.babylonianHours = d.italianHours = std::fabs(c.latitude) < 65;
    d.sunAltitudeLines = true;
    d.cylinderWithEot = true;
    CylinderDialInput in;
    in.kind = c.kind;
    in.gnomonMm = c.gnomon;
    in.scaleMm = c.scale;
    in.radiusMm = c.radius;
    in.plateMm = c.plate;
    in.sampling = CylinderSampling::plot();
    const CylinderDial dial = computeCylinderDial(design(), in);
    for (const auto& l : dial.lines) {
      for (const auto& p : l.points) {
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_LE(std::fabs(p.y), 1000);
      }
    }
    for (const auto& l : dial.labels) ASSERT_TRUE(std::isfinite(l.x) && std::isfinite(l.y));
    EXPECT_TRUE(std::isfinite(dial.right) && std::isfinite(dial.bottom));
  }
}

TEST_F(CylinderDialTest, ShepherdsBoxAtTheEquatorIsCutToThePage) {
  setLatitude(0);
  CylinderDialInput in;
  in.kind = CylinderDialKind::Shepherd;
  in.gnomonMm = 70;
  in.scaleMm = 200;
  in.sampling = CylinderSampling::plot();
  EXPECT_DOUBLE_EQ(computeCylinderDial(design(), in).bottom, 240);  // 9600 plot units
}

// ---- plot files --------------------------------------------------------


class CylinderPlotTest : public CylinderDialTest {
 protected:
  fs::path dir() { return scratchFolder("tavrel_cyl_"); }
  std::string plot(int resolution, const fs::path& file) {
    return plotFileText(resolution, file, [](HpglWriter& w) { plotCylinderOrAltitudeDial(w, design()); });
  }
  void TearDown() override { fs::remove_all(dir()); }
};

TEST_F(CylinderPlotTest, EveryVariantRendersInHp2xx) {
  setLatitude(47.25);
  DesignState& d = design();
  d.temporalHourLines = true;
  d.sunAltitudeLines = true;
  for (int v = 0; v < 4; ++v) {
    d.dialKind = v == 3 ? 'k' : 'z';
    d.cylinderVariant = static_cast<std::uint8_t>(v % 3);
    d.cylinderWithEot = v == 1;
    const fs::path file = dir() / ("v" + std::to_string(v) + ".plt");
    const std::string text = plot(1, file);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("IN;", 0), 0u);
    const fs::path out = dir() / ("v" + std::to_string(v) + ".eps");
    const std::string cmd = "hp2xx -q -m eps -f " + out.string() + " " + file.string() + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(fs::file_size(out), 1000u) << v;
  }
}

// A half-year axis below 183 mm leaves room for a second dial at 8350;
// with EoT the first moves to 100 (forenoon) and the second takes the
// afternoon; a whole-year axis or a longer scale gives one dial at 400.
TEST_F(CylinderPlotTest, HalfYearShepherdsPageHoldsTwoDials) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'z';
  d.cylinderVariant = 0;
  d.otherHoursFrom = 8;
  d.otherHoursTo = 16;
  struct Case { bool wholeYear, eot; int scale; bool at100, at400, at8350; };
  const Case cases[] = {{false, false, 150, false, true, true},
                        {false, true, 150, true, false, true},
                        {false, false, 200, false, true, false},
                        {true, false, 150, false, true, false}};
  for (const Case& c : cases) {
    d.halfYearMonthScale = c.wholeYear;
    d.cylinderWithEot = c.eot;
    d.shepherdScaleLength = c.scale;
    const std::string text = plot(1, dir() / "two.plt");
    EXPECT_EQ(text.find(";PU 100 10250") != std::string::npos, c.at100) << c.eot << c.scale;
    EXPECT_EQ(text.find(";PU 400 10250") != std::string::npos, c.at400) << c.eot << c.scale;
    EXPECT_EQ(text.find(";PU 8350 10250") != std::string::npos, c.at8350) << c.eot << c.scale;
  }
  // The EoT split across noon on a long half-year scale: the hint box.
  d.halfYearMonthScale = false;
  d.cylinderWithEot = true;
  d.shepherdScaleLength = 200;
  platform->boxes.clear();
  plot(1, dir() / "hint.plt");
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_EQ(platform->boxes[0].text,
            "Die Skala sollte besser \r\nin 2 Teilen für Vormittag und Nachmittag gedruckt werden !");
  EXPECT_EQ(platform->boxes[0].caption, MsgCaption::Information);
}

// The whole-year plot names the 1st and the 11th of every month: "1." two
// days before and "11." eight days after the month's first day line, 140
// units (hidokai 80) above the box; not on a half-year axis nor on an axis
// below 81 mm.
TEST_F(CylinderPlotTest, WholeYearPlotNamesTheFirstAndEleventhDays) {
  setLatitude(47.25);
  DesignState& d = design();
  struct Case { char kind; int scale; bool wholeYear; int top, rise; bool shown; };
  const Case cases[] = {{'z', 200, true, 10250, 140, true}, {'k', 150, true, 10500, 80, true},
                        {'z', 200, false, 10250, 140, false}, {'z', 70, true, 10250, 140, false}};
  for (const Case& c : cases) {
    d.dialKind = c.kind;
    d.cylinderVariant = 0;
    d.shepherdScaleLength = c.scale;
    d.altitudeMonthScale = c.scale;
    d.halfYearMonthScale = c.wholeYear;
    const std::string text = plot(1, dir() / "days.plt");
    const double s = c.scale * 40.0 / 365;  // units per day, 2020: days 1 .. 366
    // March: day 61 of 2020.
    const double x = 400 + 60 * s;
    const std::string one = ";PU " + std::to_string(std::lround(x - 2 * s)) + " " +
                            std::to_string(c.top + c.rise) + ";LB1.\x03";
    const std::string eleven = ";PU " + std::to_string(std::lround(x + 8 * s)) + " " +
                               std::to_string(c.top + c.rise) + ";LB11.\x03";
    EXPECT_EQ(text.find(one) != std::string::npos, c.shown) << c.kind << c.scale << " " << one;
    EXPECT_EQ(text.find(eleven) != std::string::npos, c.shown) << c.kind << c.scale << " " << eleven;
    std::size_t n = 0;
    for (std::size_t i = text.find(";LB1.\x03"); i != std::string::npos; i = text.find(";LB1.\x03", i + 1)) ++n;
    EXPECT_EQ(n, c.shown ? 12u : 0u) << c.kind << c.scale;
  }
}

// The plot's gnomon sign: a bar of 140 units at (a, b), the gnomon at true
// length below it and an arrow head 100 units above its foot; at (100,
// G + 400) for the shepherd's dial (25 times larger for DXF) and at (180,
// 10500) for the hidokai on both routes, drawn once per page.
TEST_F(CylinderPlotTest, GnomonSignStandsAtItsPlaceOnThePage) {
  setLatitude(47.25);
  DesignState& d = design();
  d.cylinderGnomonLengthInt = 40;
  d.altitudeDialGnomonLength = 25;
  d.halfYearMonthScale = false;
  d.shepherdScaleLength = 150;  // two dials on the page, one sign
  struct Case { char kind; int resolution; const char* sign; };
  const Case cases[] = {
      {'z', 1, ";SP 1;PU 30 2000;PD 170 2000 100 2000 100 400 30 500 170 500 100 400;PU;"},
      {'z', 25,
       ";SP 1;PU 750 50000;PD 4250 50000 2500 50000 2500 10000 750 12500 4250 12500 2500 10000;PU;"},
      {'k', 1, ";SP 1;PU 110 10500;PD 250 10500 180 10500 180 9500 110 9600 250 9600 180 9500;PU;"},
      {'k', 25, ";SP 1;PU 110 10500;PD 250 10500 180 10500 180 9500 110 9600 250 9600 180 9500;PU;"}};
  for (const Case& c : cases) {
    d.dialKind = c.kind;
    d.cylinderVariant = 0;
    const std::string text = plot(c.resolution, dir() / "sign.plt");
    const std::size_t at = text.find(c.sign);
    EXPECT_NE(at, std::string::npos) << c.kind << c.resolution << "\n" << text.substr(0, 400);
    if (at != std::string::npos) {
      EXPECT_EQ(text.find(c.sign, at + 1), std::string::npos) << c.kind;
    }
  }
}

// A short date axis gets one date line and one letter a month: on the
// screen below 61 mm (the hidokai's screen keeps its days 11 and 21 only
// above 80 mm), on the plot below 81 mm.
TEST_F(CylinderPlotTest, ShortDateAxesHaveOneLineAndOneLetterAMonth) {
  setLatitude(47.25);
  DesignState& d = design();
  d.halfYearMonthScale = true;  // whole year: 12 months
  struct Case { CylinderDialKind kind; bool plot; double scale; std::size_t lines; bool letters; };
  const Case cases[] = {
      {CylinderDialKind::Shepherd, false, 60, 12, true},  {CylinderDialKind::Shepherd, false, 61, 36, false},
      {CylinderDialKind::Shepherd, false, 70, 36, false}, {CylinderDialKind::Shepherd, true, 70, 12, true},
      {CylinderDialKind::Shepherd, true, 80, 12, true},   {CylinderDialKind::Shepherd, true, 81, 36, false},
      {CylinderDialKind::Hidokai, false, 70, 12, false},  {CylinderDialKind::Hidokai, false, 81, 36, false},
      {CylinderDialKind::Hidokai, true, 70, 12, true},    {CylinderDialKind::Hidokai, true, 81, 36, false}};
  for (const Case& c : cases) {
    CylinderDialInput in;
    in.kind = c.kind;
    in.gnomonMm = 30;
    in.scaleMm = c.scale;
    in.plateMm = 100;
    in.sampling = c.plot ? CylinderSampling::plot() : CylinderSampling::screen(1000);
    if (!c.plot && c.kind == CylinderDialKind::Hidokai) in.sampling.fewLinesBelowMm = 81;
    const CylinderDial dial = computeCylinderDial(design(), in);
    std::size_t lines = 0;
    for (const CylinderLine& l : dial.lines) lines += l.kind == CylinderLineKind::DateLine;
    EXPECT_EQ(lines, c.lines) << c.plot << " " << c.scale;
    for (const CylinderLabel& l : dial.labels) {
      if (l.role == CylinderLabelRole::MonthName) {
        EXPECT_EQ(l.text.size() == 1, c.letters) << c.plot << " " << c.scale << l.text;
      }
    }
  }
  // The plot file: 70 mm names March "M".
  d.dialKind = 'z';
  d.cylinderVariant = 0;
  d.shepherdScaleLength = 70;
  const std::string text = plot(1, dir() / "few.plt");
  EXPECT_NE(text.find(";LBM\x03"), std::string::npos);
  EXPECT_EQ(text.find(";LBMarch"), std::string::npos);
}

// The half-year plot draws its first date line on 1 July (day 183 of 2020,
// ten days after 21 June: x = 400 + 10 * Wm / 183); nothing at the box's
// left edge but the frame. The screen keeps its line on 21 June.
TEST_F(CylinderPlotTest, HalfYearPlotDateLinesStartInJuly) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'z';
  d.cylinderVariant = 0;
  d.halfYearMonthScale = false;
  d.shepherdScaleLength = 200;  // one dial on the page
  const std::string text = plot(1, dir() / "july.plt");
  const long julyX = std::lround(400 + 10 * 200 * 40.0 / 183);
  const std::string july = ";PU " + std::to_string(julyX) + " 10250;PD " + std::to_string(julyX) + " ";
  EXPECT_NE(text.find(july), std::string::npos) << july;
  const std::string june = ";PU 400 10250;PD 400 ";
  EXPECT_EQ(text.find(june), std::string::npos);
  const CylinderDial dial = compute(CylinderDialKind::Shepherd, 40, 200);
  std::size_t screenOnly = 0;
  for (const CylinderLine& l : dial.lines) {
    if (l.kind == CylinderLineKind::DateLine && l.target == CylinderTarget::Screen) {
      ++screenOnly;
      EXPECT_EQ(l.value, 173);  // 21 June 2020
    }
  }
  EXPECT_EQ(screenOnly, 1u);
}

// The hidokai plot on a date axis below 81 mm writes the letters of
// January .. June 90 units above the plate (p = 10500), each at the line
// of its first day: March of 2020 at x = 400 + 60 * 70 * 40 / 365.
TEST_F(CylinderPlotTest, ShortHidokaiPlotNamesTheFirstHalfYearLow) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'k';
  d.halfYearMonthScale = true;
  d.altitudeMonthScale = 70;
  const std::string text = plot(1, dir() / "low.plt");
  const double s = 70 * 40.0 / 365;
  for (const auto& [day, letter] : {std::pair{0, "J"}, std::pair{60, "M"}, std::pair{152, "J"}}) {
    const std::string at = ";PU " + std::to_string(std::lround(400 + day * s)) + " 10590;LB" +
                           letter + "\x03";
    EXPECT_NE(text.find(at), std::string::npos) << at;
  }
  std::size_t low = 0;
  for (std::size_t i = text.find(" 10590;LB"); i != std::string::npos; i = text.find(" 10590;LB", i + 1)) ++low;
  EXPECT_EQ(low, 6u);
}

// The shepherd's page carries a two-letter mark at (15780, 100), 25 times
// further out for DXF, once even on a page of two dials; the hidokai none.
TEST_F(CylinderPlotTest, ShepherdsPageCarriesItsMarkAtTheLowerRight) {
  setLatitude(47.25);
  DesignState& d = design();
  d.cylinderVariant = 0;
  d.halfYearMonthScale = false;
  d.shepherdScaleLength = 150;  // two dials on the page
  struct Case { char kind; int resolution; const char* mark; };
  const Case cases[] = {{'z', 1, ";PU 15780 100;LBTV\x03"},
                        {'z', 25, ";PU 394500 2500;LBTV\x03"},
                        {'k', 1, nullptr}};
  for (const Case& c : cases) {
    d.dialKind = c.kind;
    const std::string text = plot(c.resolution, dir() / "mark.plt");
    if (c.mark == nullptr) {
      EXPECT_EQ(text.find("LBTV\x03"), std::string::npos);
      continue;
    }
    const std::size_t at = text.find(c.mark);
    ASSERT_NE(at, std::string::npos) << c.resolution;
    EXPECT_EQ(text.find("LBTV\x03", at + std::string(c.mark).size()), std::string::npos);
  }
}

// The foot of the plot: the time line at (1100, 500); the shepherd's dial
// adds its gnomon height at (1100, 350), the hidokai writes no gnomon text.
TEST_F(CylinderPlotTest, FootTextNamesTheGnomonOnlyOnTheShepherdsDial) {
  setLatitude(47.25);
  DesignState& d = design();
  d.cylinderGnomonLengthInt = 40;
  d.altitudeDialGnomonLength = 25;
  d.cylinderVariant = 0;
  for (char kind : {'z', 'k'}) {
    d.dialKind = kind;
    const std::string text = plot(1, dir() / "foot.plt");
    EXPECT_NE(text.find(";PU 1100 500;LBlocal time without EoT\x03"), std::string::npos) << kind;
    EXPECT_EQ(text.find(";PU 1100 350;LBGnomon height =    40 mm\x03") != std::string::npos, kind == 'z');
    EXPECT_EQ(text.find("PU 1100 350;"), kind == 'z' ? text.find("PU 1100 350;LBGnomon") : std::string::npos);
    EXPECT_EQ(text.find("Shadow casting edge"), std::string::npos) << kind;
  }
}

// Polar style plot: the visible width at 40 units per mm times the zoom
// about the default centre (8200, 9700), end marks of 40 units either side.
TEST_F(CylinderPlotTest, PolarStyleVisibleWidthOnThePlotFollowsTheZoom) {
  setLatitude(47.25);
  const double r = 60, g = 40;
  for (double zoom : {1.0, 2.0}) {
    const fs::path file = dir() / "polar.plt";
    {
      HpglWriter w(1);
      w.hpglOpen(file.string());
      plotCylinderDial(w, design(), -1, -1, false, zoom, r, g);
      w.hpglClose();
    }
    const std::string text = readAll(file);
    const long h = std::lround(std::acos(r / (r + g)) * r * 40 * zoom);
    const std::string left = std::to_string(8200 - h), right = std::to_string(8200 + h);
    EXPECT_NE(text.find(";PU " + left + " 9700;PD " + right + " 9700"), std::string::npos) << zoom;
    EXPECT_NE(text.find(";PU " + left + " 9740;PD " + left + " 9660"), std::string::npos) << zoom;
    EXPECT_NE(text.find(";PU " + right + " 9740;PD " + right + " 9660"), std::string::npos) << zoom;
  }
}

// Polar style plot: the projected celestial pole (hour angle 15 deg,
// declination 89.95 deg) is marked by a cross of half-size 80 units at every
// zoom and resolution. With the nodus north of the cylinder (declination 180)
// the pole direction projects to a point found here from the spherical
// triangle and the nodus geometry (Rohr): azimuth A, altitude h, central
// angle m from sin(e) = sin(f) (r + g) / r, m = e - f, f = A - D.
TEST_F(CylinderPlotTest, PolarStylePoleIsACrossOnThePlot) {
  setLatitude(47.25);
  DesignState& d = design();
  d.wallDeclination = 180;
  const double r = 60, g = 40;
  const double phi = 47.25 * kRadPerDeg, dec = 89.95 * kRadPerDeg, ha = 15 * kRadPerDeg;
  const double h = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(ha));
  double az = std::atan2(std::sin(ha), std::cos(ha) * std::sin(phi) - std::tan(dec) * std::cos(phi)) / kRadPerDeg;
  const double f = az - 180;  // reduced into (-180, 180]
  const double e = std::asin(std::sin(f * kRadPerDeg) * (r + g) / r) / kRadPerDeg;
  const double m = (e - f) * kRadPerDeg;
  for (const auto& [zoom, res] : {std::pair{1.0, 1}, std::pair{2.0, 1}, std::pair{1.0, 25}}) {
    const fs::path file = dir() / "pole.plt";
    {
      HpglWriter w(res);
      w.hpglOpen(file.string());
      plotCylinderDial(w, design(), -1, -1, false, zoom, r, g);
      w.hpglClose();
    }
    const std::string text = readAll(file);
    const double rPx = r * 40 * res * zoom;
    const double x = 8200.0 * res + m * rPx;
    const double y = 9700.0 * res - rPx * std::sin(m) * std::tan(h) / std::sin(f * kRadPerDeg);
    const std::regex cross(";PU (-?\\d+) (-?\\d+);PD (-?\\d+) (-?\\d+);PU (-?\\d+) (-?\\d+);PD (-?\\d+) (-?\\d+);PU;;SI");
    std::smatch k;
    ASSERT_TRUE(std::regex_search(text, k, cross)) << zoom << " " << res;
    long v[8];
    for (int n = 0; n < 8; ++n) v[n] = std::stol(k[n + 1]);
    const long h80 = 80L * res;
    EXPECT_EQ(v[2] - v[0], 2 * h80);  // horizontal bar
    EXPECT_EQ(v[1], v[3]);
    EXPECT_EQ(v[7] - v[5], 2 * h80);  // vertical bar through its middle
    EXPECT_EQ(v[4], v[6]);
    EXPECT_EQ(v[4], v[0] + h80);
    EXPECT_EQ(v[5], v[1] - h80);
    EXPECT_NEAR(v[4], x, 1.0) << zoom << " " << res;
    EXPECT_NEAR(v[1], y, 1.0) << zoom << " " << res;
  }
}

// The hat dial and the polar style offer a grid about the dial centre.
TEST_F(CylinderPlotTest, GridAboutTheDialCentreWhenAskedFor) {
  setLatitude(47.25);
  DesignState& d = design();
  d.dialKind = 'z';
  d.cylinderVariant = 1;
  for (const char* answer : {"yes", "no"}) {
    platform->answers.clear();
    platform->answers.push_back(std::string(answer) == "yes" ? MsgAnswer::Yes : MsgAnswer::No);
    platform->inputs.clear();
    platform->inputs.push_back(std::string("20"));
    HpglWriter w(1);
    const fs::path file = dir() / "grid.plt";
    w.hpglOpen(file.string());
    plotCylinderOrAltitudeDial(w, design(), 1, -1, -1, PlotGrid::Ask);
    w.hpglClose();
    const std::string text = readAll(file);
    // Origin 8200 9700, spacing 800: the first vertical line at x = 200.
    EXPECT_EQ(text.find(";SP 9;PU 8200 9700;CI 80;") != std::string::npos, std::string(answer) == "yes");
    EXPECT_EQ(text.find("PU 200 ") != std::string::npos, std::string(answer) == "yes");
  }
}

// The DXF of the shepherd's dial (written at 25 times the resolution and
// converted at 1000 units per mm) and of the hidokai (one unit = 0.025 mm,
// converted at 40 units per mm) at true size: the frame box is 366 days of
// Wm / 365 mm wide (2020), and the gnomon sign (bar, gnomon, arrow head:
// seven vertices) shows the gnomon at its true length.
TEST_F(CylinderPlotTest, DxfIsAtTrueSizeAndPassesTheAudit) {
  struct Case {
    char kind;
    int resolution;
    double unitsPerMm;
    double gnomonMm, axisMm;
  };
  for (const Case& c : {Case{'z', 25, 1000, 50, 200}, Case{'k', 1, 40, 25, 150}}) {
    SCOPED_TRACE(c.kind);
    setLatitude(47.25);
    DesignState& d = design();
    d.dialKind = c.kind;
    d.cylinderVariant = 0;
    d.halfYearMonthScale = true;
    d.cylinderGnomonLengthInt = static_cast<int>(c.gnomonMm);
    d.shepherdScaleLength = static_cast<int>(c.axisMm);
    d.altitudeDialGnomonLength = static_cast<int>(c.gnomonMm);
    d.altitudeMonthScale = static_cast<int>(c.axisMm);
    const fs::path hp = dir() / "s.plt", dxf = dir() / "s.dxf";
    plot(c.resolution, hp);
    ASSERT_EQ(convertHpglToDxf(hp.string(), dxf.string(), 1, c.unitsPerMm), DxfResult::Converted);
    // The box: the widest closed frame of five vertices; the gnomon sign:
    // the shaft of the seven-vertex arrow.
    const EzdxfView view = readWithEzdxf(dxf);
    ASSERT_TRUE(view.read) << view.output;
    EXPECT_EQ(view.auditErrors, 0) << view.output;
    double width = 0, gnomon = 0;
    for (const EzdxfEntity& e : view.entities) {
      if (e.type != "POLYLINE") continue;
      const auto& p = e.points;
      if (p.size() == 5) width = std::max(width, std::fabs(p[1][0] - p[0][0]));
      if (p.size() == 7 && std::fabs(p[2][0] - p[3][0]) < 1e-6) gnomon = std::max(gnomon, std::fabs(p[3][1] - p[2][1]));
    }
    EXPECT_NEAR(width, 366 * c.axisMm / 365, 0.05);
    EXPECT_NEAR(gnomon, c.gnomonMm, 0.05);
  }
}

}  // namespace
}  // namespace tavrel::testing
