// The Peaucellier azimuthal dial and Hollander's mean-time dial: shadow
// simulators of their physical instruments (plain vector geometry: the
// shadow line of a vertical style; the tangent planes of a solid cone
// through the sun's direction), their refusals in both languages, the edge
// cases at the limits, and the plots through hp2xx and the DXF converter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>
#include <algorithm>

#include "astro/solar_ephemeris.h"
#include "astro/startup.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "base/geometry.h"
#include "dials/dial_family.h"
#include "dials/hollander/hollander_dial.h"
#include "dials/hollander/hollander_texts.h"
#include "dials/peaucellier/peaucellier_dial.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "space_vector.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;


// Unit vector towards the sun (east, north, up) for hour angle H
// (afternoon positive) and declination delta at latitude phi.
Vec sunVector(double phi, double delta, double H) {
  const double p = radians(phi), d = radians(delta), h = radians(H);
  return {-std::cos(d) * std::sin(h), std::cos(p) * std::sin(d) - std::sin(p) * std::cos(d) * std::cos(h),
          std::sin(p) * std::sin(d) + std::cos(p) * std::cos(d) * std::cos(h)};
}

class AzimuthDialsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.referenceYear = 2020;
    d.expertMode = true;
    d.zoneTime = false;
  }
  ScopedScriptedPlatform platform;
};

// ---- Peaucellier ---------------------------------------------------------

PeaucellierInput peaucellier(double lat, double f, int a = 1) {
  PeaucellierInput in;
  in.latitude = lat;
  in.obliquity = 23.44;
  in.f = f;
  in.unitMm = 35;
  in.subdivisions = a;
  in.language = 2;
  return in;
}

// Distance (mm) of dial point (x, y) from the shadow of a vertical style at
// O, for the sun of hour angle H and declination delta at latitude phi.
// The dial's x points to the pole of the hemisphere, its y to the
// afternoon side (north: x north, y east; south: x south, y west).
double offShadowLine(double phi, double delta, double H, double x, double y) {
  const Vec s = sunVector(phi, delta, H);
  EXPECT_GT(s.u, 0) << "sun below the horizon";
  const double sign = phi >= 0 ? 1 : -1;
  // The shadow points away from the sun.
  const double dx = -sign * s.n, dy = -sign * s.e;
  const double len = std::hypot(dx, dy);
  EXPECT_GT(x * dx + y * dy, 0) << "point on the sun's side of the style";
  return std::fabs(x * dy - y * dx) / len;
}

TEST_F(AzimuthDialsTest, PeaucellierHourPointsLieOnTheShadowOfAVerticalStyle) {
  int checked = 0;
  for (double lat : {30.0, 47.0, 60.0, -34.0}) {
    for (double f : {-0.8749, 0.6, -2.1}) {
      const PeaucellierDial dial = computePeaucellierDial(peaucellier(lat, f, 4));
      ASSERT_FALSE(dial.refused);
      for (const PeaucellierLine& l : dial.lines) {
        if (l.kind != PeaucellierLineKind::WholeHour && l.kind != PeaucellierLineKind::PartHour) continue;
        // The real sun of this line: south of the equator the afternoon
        // side of the |latitude| construction is the forenoon.
        const double H = lat >= 0 ? l.hourAngle : -l.hourAngle;
        if (l.points.size() == 7) {
          // Part hours near noon: a vertex on each date line's cross piece.
          for (int j = 0; j < 7; ++j) {
            const double delta = lat >= 0 ? dial.declination[j] : -dial.declination[j];
            const auto& q = l.points[static_cast<std::size_t>(j)];
            EXPECT_LT(offShadowLine(lat, delta, H, q.x, q.y), 0.2) << lat << " " << f << " " << H << " " << j;
            ++checked;
          }
          continue;
        }
        // Whole and part hours: where the segment crosses the drawn summer,
        // equinox and winter lines (declinations +-23.44 and 0).
        const auto& a = l.points[0];
        const auto& b = l.points[1];
        for (int j : {0, 3, 6}) {
          const double yj = (l.afternoon ? 1 : -1) * dial.y[static_cast<std::size_t>(j)];
          if (std::fabs(b.y - a.y) < 1e-12) continue;
          const double u = (yj - a.y) / (b.y - a.y);
          if (u < -1e-9 || u > 1 + 1e-9) continue;
          const double x = a.x + u * (b.x - a.x);
          const double delta = (lat >= 0 ? 1 : -1) * (j == 0 ? 23.44 : j == 3 ? 0 : -23.44);
          const Vec s = sunVector(lat, delta, H);
          if (s.u < 0.01) continue;  // the date line ends at sunset
          EXPECT_LT(offShadowLine(lat, delta, H, x, yj), 0.2) << lat << " " << f << " " << H << " " << j;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
}

// Every whole-hour number is the local apparent time of its line's sun.
TEST_F(AzimuthDialsTest, PeaucellierHourNumbersAreTheTimeOfTheirLine) {
  for (double lat : {47.0, -34.0}) {
    const PeaucellierDial dial = computePeaucellierDial(peaucellier(lat, -0.8749));
    int numbers = 0;
    for (const PeaucellierLine& l : dial.lines) {
      if (l.kind != PeaucellierLineKind::WholeHour) continue;
      const double H = lat >= 0 ? l.hourAngle : -l.hourAngle;
      int expected = static_cast<int>(std::lround(12 + H / 15));
      if (expected > 12) expected -= 12;
      // The number stands at the end of its own line (the summer point for f < 0).
      bool found = false;
      for (const PeaucellierLabel& lb : dial.labels) {
        if (lb.role != PeaucellierLabelRole::HourNumber) continue;
        if (std::hypot(lb.x - l.points[0].x, lb.y - l.points[0].y) < 1e-9) {
          EXPECT_EQ(lb.text, std::to_string(expected)) << lat << " H=" << H;
          found = true;
        }
      }
      EXPECT_TRUE(found);
      ++numbers;
    }
    EXPECT_GE(numbers, 10);
  }
}

TEST_F(AzimuthDialsTest, PeaucellierEdgeCases) {
  struct Case {
    double lat, f, unit;
    int a;
    bool refused;
    double expectF, expectUnit;
    bool partHours;
    const char* pole;
  };
  const Case cases[] = {
      {28.99, -0.8749, 35, 1, true, -0.8749, 35, false, ""},
      {-28.99, -0.8749, 35, 1, true, -0.8749, 35, false, ""},
      {29, -0.8749, 35, 1, false, -0.8749, 35, false, "N"},
      {-29, -0.8749, 35, 1, false, -0.8749, 35, false, "S"},
      {47, 0, 0, 1, false, -0.8749, 35, false, "N"},
      {47, 2.1, 40, 4, false, 2.1, 40, true, "N"},
      {66.6, -2.1, 300, 2, false, -2.1, 300, true, "N"},
      {80, 0.5, 35, 3, false, 0.5, 35, true, "N"},
      {-90, -0.8749, 35, 4, false, -0.8749, 35, true, "S"},
      {90, 1, 35, 4, false, 1, 35, true, "N"},
  };
  for (const Case& c : cases) {
    PeaucellierInput in = peaucellier(c.lat, c.f, c.a);
    in.unitMm = c.unit;
    const PeaucellierDial dial = computePeaucellierDial(in);
    SCOPED_TRACE(c.lat);
    EXPECT_EQ(dial.refused, c.refused);
    EXPECT_DOUBLE_EQ(dial.f, c.expectF);
    EXPECT_DOUBLE_EQ(dial.unitMm, c.expectUnit);
    if (c.refused) {
      EXPECT_TRUE(dial.lines.empty());
      continue;
    }
    // The equinox line lies at y = p whatever f.
    EXPECT_NEAR(dial.y[3], c.expectUnit, 1e-9);
    bool part = false;
    for (const PeaucellierLine& l : dial.lines) {
      part = part || l.kind == PeaucellierLineKind::PartHour;
      for (const auto& q : l.points) EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
    }
    EXPECT_EQ(part, c.partHours);
    for (const PeaucellierLabel& l : dial.labels)
      if (l.role == PeaucellierLabelRole::PoleLetter) {
        EXPECT_EQ(l.text, c.pole);
      }
  }
}

TEST_F(AzimuthDialsTest, PeaucellierRefusalShowsBothLanguageLines) {
  design().dialKind = 'p';
  design().latitude = 20;
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawPeaucellierDial(s, peaucellierInputOf(design()), true, 1600, 1000, -1, -1);
  std::vector<std::string> texts;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) texts.push_back(p.text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "No constructions for latitudes in between -29 deg < latitude < + 29 deg ");
  EXPECT_EQ(texts[1], "Berechnungen erfolgen nur für Breiten > +29 Grad oder Breiten < -29 Grad");
  EXPECT_TRUE(canvas.ofKind(PrimitiveKind::LineTo).empty());
}

// ---- Hollander -----------------------------------------------------------

struct Plate {
  Vec right, up, normal;  // right and up as the plate is seen, normal towards the viewer
};

// Horizontal plate: north up; a plate of inclination i from the
// horizontal (vertical: 90) whose normal has the azimuth D (from south,
// west positive), seen from in front: right along its horizontal line, up
// towards its upper edge.
Plate plateOf(int variant, double D, double i = 90) {
  if (variant == 0) return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const Vec n{-std::sin(radians(D)) * std::sin(radians(i)), -std::cos(radians(D)) * std::sin(radians(i)), std::cos(radians(i))};
  const Vec right = unit(cross((-1) * n, {0, 0, 1}));
  return {right, cross(n, right), n};
}

Vec onPlate(const Plate& p, double x, double yDown) { return x * p.right + (-yDown) * p.up; }

// Distance (mm) of plate point q from the nearer shadow edge of a solid
// cone (apex, unit axis d towards the plate, half angle alpha) in the sun
// of direction s, counting only edges whose visible part (apex shadow to
// the tangent point) holds q.
double offConeShadowEdge(const Plate& pl, Vec apex, Vec d, double alpha, Vec s, Vec q) {
  const Vec e1 = unit(std::fabs(s.u) < 0.9 ? cross(s, {0, 0, 1}) : cross(s, {1, 0, 0}));
  const Vec e2 = cross(s, e1);
  const double A = dot(e1, d), B = dot(e2, d), R = std::hypot(A, B);
  const double sa = std::sin(radians(alpha));
  if (R < sa) return 1e9;  // the sun inside the cone's opening
  const double b0 = std::atan2(B, A), w = std::acos(sa / R);
  const Vec n = pl.normal;
  const Vec shadowOfApex = apex - (dot(n, apex) / dot(n, s)) * s;
  double best = 1e9;
  for (double beta : {b0 + w, b0 - w}) {
    const Vec m = std::cos(beta) * e1 + std::sin(beta) * e2;  // the tangent plane's normal
    const Vec inPlate = m - dot(m, n) * n;
    const double dist = std::fabs(dot(m, q - apex)) / norm(inPlate);
    Vec g = unit(d - dot(d, m) * m);  // the generator in the plane
    const Vec touch = apex - (dot(n, apex) / dot(n, g)) * g;
    const Vec seg = touch - shadowOfApex;
    const double u = dot(q - shadowOfApex, seg) / dot(seg, seg);
    if (u < -0.02 || u > 1.02) continue;
    best = std::min(best, dist);
  }
  return best;
}

HollanderInput hollander(double lat, int variant, double wallDecl) {
  HollanderInput in;
  in.coneAxisMm = 60;
  in.axisInclination = std::fabs(lat);
  in.halfAngle = 12;
  in.variant = variant;
  in.wallDeclination = wallDecl;
  in.planeInclination = 90;
  in.latitude = lat;
  in.longitude = -8;
  in.zoneMeridian = -15;
  in.year = 2020;
  in.hoursFrom = 8;
  in.hoursTo = 16;
  in.subdivisions = 1;
  in.language = 2;
  return in;
}

TEST_F(AzimuthDialsTest, HollanderHourPointsLieOnTheConeShadowEdgesOfBothDates) {
  struct Case {
    double lat;
    int variant;
    double wallDecl;
    double inclination = 90;
  };
  const Case cases[] = {{30, 0, 0},      {47, 0, 0},          {60, 0, 0},          {-34, 0, 0},
                        {47, 1, 0},      {47, 1, 25},         {-34, 1, 160},       {60, 1, 10},
                        {47, 2, 10, 40}, {-34, 2, -20, 60}};
  int checked = 0;
  for (const Case& c : cases) {
    HollanderInput in = hollander(c.lat, c.variant, c.wallDecl);
    in.planeInclination = c.inclination;
    const HollanderDial dial = computeHollanderDial(in);
    ASSERT_EQ(dial.refusal, HollanderRefusal::None);
    const Plate pl = plateOf(c.variant, c.wallDecl, c.inclination);
    const int before = checked;
    // The instrument as drawn: the axis foot A and the point S under the
    // apex; the apex stands L sin(psi) in front of S.
    const Vec foot = onPlate(pl, dial.axisFoot.x, dial.axisFoot.y);
    const Vec apex = onPlate(pl, dial.underApex.x, dial.underApex.y) +
                     (in.coneAxisMm * std::sin(radians(in.axisInclination))) * pl.normal;
    ASSERT_NEAR(norm(foot - apex), in.coneAxisMm, 1e-6);
    const Vec axis = unit(foot - apex);
    for (int row : {8, 30, 60, 100, 140, 170}) {
      for (double t : {9.0, 10.0, 12.0, 14.0, 15.0}) {
        double x, y;
        if (!hollanderShadowPoint(dial, row, t - dial.longitudeDifference / 15, x, y)) continue;
        // The drawn hour line of t passes through the point.
        bool drawn = false;
        for (const HollanderLine& l : dial.lines) {
          if (l.kind != HollanderLineKind::HourLine || std::fabs(l.hour - t) > 1e-9) continue;
          for (const auto& q : l.points) drawn = drawn || std::hypot(q.x - x, q.y - y) < 1e-9;
        }
        if (std::hypot(x, y) < 1e3) {
          EXPECT_TRUE(drawn) << c.lat << " row " << row << " t " << t;
        }
        const Vec q = onPlate(pl, x, y);
        const HollanderDatePair& r = dial.rows[static_cast<std::size_t>(row - 1)];
        // The sun of both days at local mean time t (longitude 8 E). One
        // curve serves the pair, so it is drawn for the mean of the two
        // declinations: with that declination and each day's EoT the
        // point is on a shadow edge within 0.2 mm; with the day's own
        // declination (at most 0.2 degrees off) within 0.5 mm.
        const double ut = t + in.longitude / 15;
        double d1, e1, d2, e2;
        solarPosition(2020, r.day + (ut - 12) / 24, d1, e1);
        solarPosition(2020, r.partner + (ut - 12) / 24, d2, e2);
        for (const auto& [delta, eot] : {std::pair{d1, e1}, std::pair{d2, e2}}) {
          for (bool own : {false, true}) {
            const Vec s = sunVector(in.latitude, own ? delta : (d1 + d2) / 2, 15 * (t - 12) + eot);
            if (s.u < 0.05 || dot(s, pl.normal) < 0.05) continue;
            const double off = offConeShadowEdge(pl, apex, axis, in.halfAngle, s, q);
            EXPECT_LT(off, own ? 0.5 : 0.2) << c.lat << " v" << c.variant << " D" << c.wallDecl
                                            << " row " << row << " t " << t << " own " << own;
            ++checked;
          }
        }
      }
    }
    EXPECT_GT(checked - before, 20) << c.lat << " v" << c.variant << " D" << c.wallDecl;
  }
  EXPECT_GT(checked, 300);
}

TEST_F(AzimuthDialsTest, HollanderRefusalsInBothLanguages) {
  struct Case {
    double psi, alpha;
    HollanderRefusal refusal;
    const char* en;
    const char* de;
  };
  const Case cases[] = {
      {47, 47, HollanderRefusal::InputError,
       "Input error!\r\nThe angles alfa=47.00 and psi=47.00 are too small or psi>alfa does not hold !",
       "Eingabefehler!\r\nDie Winkel alfa=47.00 und psi=47.00 sind zu klein oder es ist nicht psi>alfa !"},
      {47, 0.05, HollanderRefusal::InputError,
       "Input error!\r\nThe angles alfa=0.05 and psi=47.00 are too small or psi>alfa does not hold !",
       "Eingabefehler!\r\nDie Winkel alfa=0.05 und psi=47.00 sind zu klein oder es ist nicht psi>alfa !"},
      {120, 70, HollanderRefusal::ApexAngleTooLarge, "The angle at the cone apex is too large",
       "Winkel an Kegelspitze ist zu groß"},
      {120, 50, HollanderRefusal::None, "", ""},
      {47, 12, HollanderRefusal::None, "", ""},
  };
  for (const Case& c : cases) {
    for (int lang : {1, 2}) {
      HollanderInput in = hollander(47, 0, 0);
      in.axisInclination = c.psi;
      in.halfAngle = c.alpha;
      in.language = lang;
      const HollanderDial dial = computeHollanderDial(in);
      EXPECT_EQ(dial.refusal, c.refusal) << c.psi << " " << c.alpha;
      EXPECT_EQ(dial.refusalText, lang == 2 ? c.en : c.de);
      if (c.refusal != HollanderRefusal::None) {
        EXPECT_TRUE(dial.lines.empty());
      }
    }
  }
  // The screen shows the box with the error caption and draws nothing.
  DesignState& d = design();
  d.dialKind = 'm';
  d.coneAxisInclination = 30;
  d.coneHalfAngle = 30;
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawHollanderDial(s, hollanderInputOf(design()), true, 1600, 1000, 1, 800, 500, -1, -1, false);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_EQ(platform->boxes[0].caption, MsgCaption::Error);
  EXPECT_TRUE(canvas.ofKind(PrimitiveKind::LineTo).empty());
}

TEST_F(AzimuthDialsTest, HollanderEdgeCases) {
  // The date pairs: row 1 is 21 June; partners have nearly the same
  // declination.
  const std::vector<HollanderDatePair> rows = hollanderDatePairs(2020);
  ASSERT_GE(rows.size(), 180u);
  for (const HollanderDatePair& r : rows) EXPECT_LT(std::fabs(r.declination - r.partnerDeclination), 0.45);
  // Near the equinox rows both dates of a pair have almost the same EoT
  // only in the (rare) rows where the two EoT curves cross; for every row
  // the hour point lies between the two apex shadows' tangents, and with
  // equal EoT it falls on the apex shadow line of the single date.
  struct Case {
    double lat;
    int variant;
    double wallDecl, incl;
  };
  const Case cases[] = {{0, 0, 0, 90}, {89.9, 0, 0, 90}, {-89.9, 0, 0, 90}, {47, 2, 30, 40},
                        {47, 1, 179, 90}, {47, 1, -90, 90}, {-60, 2, 0, 175}};
  for (const Case& c : cases) {
    HollanderInput in = hollander(c.lat, c.variant, c.wallDecl);
    in.axisInclination = 40;
    in.planeInclination = c.incl;
    in.subdivisions = 4;
    in.dateLineMode = 2;
    in.hoursFrom = 0;
    in.hoursTo = 24;
    in.limitMm = 5000;
    const HollanderDial dial = computeHollanderDial(in);
    SCOPED_TRACE(c.lat);
    for (const HollanderLine& l : dial.lines)
      for (const auto& q : l.points) ASSERT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
  }
  // A vertical plane turns the picture by theta of rotateSpherical(90, D, phi).
  HollanderInput in = hollander(47, 1, 30);
  const HollanderDial v = computeHollanderDial(in);
  double e, p, l;
  rotateSpherical(90, 30, 47, e, p, l);
  EXPECT_DOUBLE_EQ(v.turn, l);
  EXPECT_DOUBLE_EQ(v.equivalentLatitude, e);
  EXPECT_NE(l, 0);
}

// A date line is the locus of its row's hour points over the day, sampled
// every 0.01 h from 12 - H0 / 15 + 0.01 (H0 the half day arc of the mean
// declination on the equivalent plane): each drawn vertex is one of them,
// in order.
TEST_F(AzimuthDialsTest, HollanderDateLinesFollowTheirRowsHourPoints) {
  for (const auto& [lat, variant, wall] : {std::tuple{47.0, 0, 0.0}, std::tuple{-34.0, 1, 160.0}}) {
    HollanderInput in = hollander(lat, variant, wall);
    in.dateLineMode = 2;
    in.limitMm = 2000;
    const HollanderDial dial = computeHollanderDial(in);
    int lines = 0;
    for (const HollanderLine& l : dial.lines) {
      if (l.kind != HollanderLineKind::ZodiacDate && l.kind != HollanderLineKind::CalendarDate) continue;
      const HollanderDatePair& r = dial.rows[static_cast<std::size_t>(l.row - 1)];
      const double p = radians(dial.equivalentLatitude), d = radians(r.meanDeclination);
      const double H0 = std::acos(std::clamp(-std::tan(p) * std::tan(d), -1.0, 1.0)) * 180 / std::numbers::pi;
      int i = 0;
      for (const HollanderPoint& q : l.points) {
        double x = 0, y = 0;
        bool found = false;
        for (; i <= 4800 && !found; ++i) {
          const double t = 12 - H0 / 15 + 0.01 + 0.01 * i;
          found = hollanderShadowPoint(dial, l.row, t, x, y) && std::hypot(x - q.x, y - q.y) < 1e-6;
        }
        ASSERT_TRUE(found) << lat << " row " << l.row;
      }
      ++lines;
    }
    EXPECT_GE(lines, 7);
  }
}

// The information of the drawing window: the footprint against the plate
// points of the generators in the meridian plane (closed form), the wall's
// equivalent dial, and one listing line per distinct zodiac declination.
TEST_F(AzimuthDialsTest, HollanderInformationLines) {
  DesignState& d = design();
  d.dialKind = 'm';
  d.gnomonLength = 50;
  d.coneAxisInclination = 40;
  d.coneHalfAngle = 10;
  d.hollanderVariant = 1;
  d.wallDeclination = 15;
  d.latitude = 47;
  const std::vector<std::string> lines = hollanderInformation(hollanderInputOf(design()), 2);  // zoom 2: L = 100 mm
  const double L = 100, psi = radians(40), al = radians(10);
  const double a = L * std::sin(psi) * (1 / std::tan(psi - al) - 1 / std::tan(psi + al)) / 2;
  std::ostringstream want;
  want.setf(std::ios::fixed);
  want.precision(2);
  want << a;
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "Hollander´s Mean Time Sundial");
  EXPECT_NE(lines[3].find("along the meridian a =   " + want.str()), std::string::npos) << lines[3];
  EXPECT_EQ(lines[6].rfind("Equivalent horizontal dial: latitude =", 0), 0u) << lines[6];
  EXPECT_EQ(lines[7].rfind("Dist. (", 0), 0u) << lines[7];
  int listing = 0;
  for (const std::string& l : lines) listing += l.rfind("Day ", 0) == 0;
  EXPECT_EQ(listing, 7);
  d.language = 1;
  EXPECT_EQ(hollanderInformation(hollanderInputOf(design()), 1)[0], "Hollanders Sonnenuhr für mittlere Zeit");
}

// The information graphic ("Grafik zeigen"): the spread of each date pair
// at noon over the year as one curve, its largest value at 1/1.1 of the
// axis height, and the same smallest and largest values as the text
// information names.
TEST_F(AzimuthDialsTest, HollanderInformationGraphic) {
  DesignState& d = design();
  d.dialKind = 'm';
  d.gnomonLength = 50;
  d.latitude = 47;
  const std::vector<std::string> lines = hollanderInformation(hollanderInputOf(design()), 1);
  ASSERT_GE(lines.size(), 6u);
  std::string distLine;
  for (const std::string& l : lines)
    if (l.rfind("Dist. (", 0) == 0) distLine = l;
  ASSERT_FALSE(distLine.empty());
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawHollanderInfo(surface, hollanderInputOf(design()), 1600, 1000, 1);
  // Written on two lines (one would run off the picture): the smallest
  // spread, then the largest.
  const std::size_t cut = distLine.find(hollanderText(HollanderText::DistMax, d.language));
  ASSERT_NE(cut, std::string::npos);
  bool named[2] = {false, false};
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
    named[0] = named[0] || p.text == distLine.substr(0, cut);
    named[1] = named[1] || p.text == distLine.substr(cut);
  }
  EXPECT_TRUE(named[0] && named[1]) << distLine;
  // The curve: pen 3, one segment less than pairs with a spread.
  const std::size_t pairs = hollanderNoonSpread(computeHollanderDial(hollanderInputOf(design()))).size();
  ASSERT_GT(pairs, 100u);
  std::size_t segments = 0;
  double topmost = 1e9;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::LineTo)) {
    if (p.pen.colour != surface.penColour(3)) continue;
    ++segments;
    topmost = std::min({topmost, p.p[1], p.p[3]});
  }
  EXPECT_EQ(segments, pairs - 1);
  const double bottom = 0.85 * 1000, top = 0.18 * 1000;
  EXPECT_NEAR(topmost, bottom - (bottom - top) / 1.1, 1e-6);
}

// ---- plots --------------------------------------------------------------

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class AzimuthDialPlotTest : public AzimuthDialsTest {
 protected:
  void SetUp() override {
    AzimuthDialsTest::SetUp();
    dir_ = fs::temp_directory_path() / ("tavrel_azimuth_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    DesignState& d = design();
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.sawyerUnit = 35;
    d.peaucellierParameter = -0.8749;
    d.otherHourInterval = '3';
    d.gnomonLength = 60;
    d.coneAxisInclination = 47.25;
    d.coneHalfAngle = 12;
    d.hollanderVariant = 0;
    d.otherHoursFrom = 8;
    d.otherHoursTo = 16;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string plot(char kind, int R, const fs::path& file) {
    design().dialKind = kind;
    HpglWriter w(R);
    w.hpglOpen(file.string());
    if (kind == 'p') plotPeaucellierDial(w, peaucellierInputOf(design()), -1);
    else plotHollanderDial(w, hollanderInputOf(design()), 1, -1, -1, -1, -1);
    w.hpglClose();
    return readAll(file);
  }
  // ezdxf audit errors and, of the lines between vertices i and i + 1 of
  // the polylines with n vertices (n = 2: also the LINE entities), the
  // length nearest to `mm`.
  std::pair<int, double> audit(const fs::path& dxf, int n, int i, double mm) {
    const testing::EzdxfView view = testing::readWithEzdxf(dxf);
    double best = -1e9;
    const auto take = [&](double l) {
      if (std::fabs(l - mm) < std::fabs(best - mm)) best = l;
    };
    for (const testing::EzdxfEntity& e : view.entities) {
      const auto& p = e.points;
      const bool polyline = e.type == "POLYLINE" && static_cast<int>(p.size()) == n;
      const bool line = e.type == "LINE" && n == 2;
      if (polyline || line) take(std::hypot(p[i + 1][0] - p[i][0], p[i + 1][1] - p[i][1]));
    }
    return {view.auditErrors, best};
  }
  fs::path dir_;
};

TEST_F(AzimuthDialPlotTest, PlotsRenderInHp2xx) {
  for (char kind : {'p', 'm'}) {
    const fs::path file = dir_ / (std::string(1, kind) + ".plt");
    const std::string text = plot(kind, 1, file);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("IN;VS 1;PA;IW 0 0 ", 0), 0u) << kind;
    if (kind == 'p') {
      EXPECT_EQ(text.rfind("IN;VS 1;PA;IW 0 0 16400 11480;PU 0 0;EA 16400 11480;;SP 4;PU 0 0;", 0), 0u);
      EXPECT_EQ(text.substr(text.size() - 7), ";IW;IN;");
      // The data line, in its three parts.
    for (const char* part : {"LBCentral distance of equinoctial date line= 35;\x03",
                             "LBPeaucellier constant = -0.8749;\x03", "LBLatitude = 47.25\x03"})
      EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    const fs::path out = dir_ / (std::string(1, kind) + ".eps");
    const std::string cmd = "hp2xx -q -m eps -f " + out.string() + " " + file.string() + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(fs::file_size(out), 1000u) << kind;
  }
}

// The DXF (R = 25, 1000 units per mm) passes the audit and keeps true size:
// the equinox line's cross piece of the Peaucellier dial is 2 p = 70 mm;
// the major axis of the Hollander footprint is the distance between the
// plate points of the two generators in the meridian plane,
// L sin(psi) (cot(psi - alpha) - cot(psi + alpha)).
TEST_F(AzimuthDialPlotTest, DxfIsAtTrueSizeAndPassesTheAudit) {
  struct Case {
    char kind;
    int vertices, segment;
    double mm;
  };
  const double L = 60, psi = radians(47.25), al = radians(12);
  const Case cases[] = {{'p', 4, 1, 70.0},
                        {'m', 2, 0, L * std::sin(psi) * (1 / std::tan(psi - al) - 1 / std::tan(psi + al))}};
  for (const Case& c : cases) {
    const fs::path hp = dir_ / "d.plt", dxf = dir_ / "d.dxf";
    plot(c.kind, 25, hp);
    ASSERT_EQ(convertHpglToDxf(hp.string(), dxf.string(), 1, 1000), DxfResult::Converted) << c.kind;
    const auto [errors, len] = audit(dxf, c.vertices, c.segment, c.mm);
    EXPECT_EQ(errors, 0) << c.kind;
    EXPECT_NEAR(len, c.mm, 0.05) << c.kind;
  }
}

// Saving the Hollander plot writes the cone file beside it and says so.
TEST_F(AzimuthDialPlotTest, HollanderPlotWritesTheConeFile) {
  design().dialKind = 'm';
  const DialFamily* family = familyOfKind('m');
  ASSERT_TRUE(family && family->plot);
  const fs::path file = dir_ / "holl.plt";
  DialPlotRequest request;
  request.plotFileName = file.string();
  HpglWriter w(1);
  w.hpglOpen(file.string());
  family->plot(w, request);
  w.hpglClose();
  const fs::path cone = dir_ / "hollCone.plt";
  ASSERT_TRUE(fs::exists(cone));
  const std::string text = readAll(cone);
  EXPECT_EQ(text.rfind("IN;VS 1;PA;{IW 0 0 16400 11480;}PU 0 0;EA 16400 11480;", 0), 0u);
  ASSERT_FALSE(platform->boxes.empty());
  EXPECT_EQ(platform->boxes.back().text,
            "\r\nCone cross section and unfolded cone in file  \"hollCone.plt\" !!!");
  EXPECT_EQ(hollanderConeFileName("/x/a.b.dxf"), "/x/a.bCone.plt");
}

}  // namespace
}  // namespace tavrel::testing
