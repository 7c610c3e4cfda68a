// Quadrants and the vertical Habermel dials: a simulator of the physical
// instruments (the sun from the low-precision formulae of the Astronomical
// Almanac, the instrument by plain vector geometry) against the drawn
// lines; the scales at their published check values; refusals in both
// languages; the limits; the plots through hp2xx and the DXF converter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_texts.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot_file_test_util.h"
#include "plot/recording_canvas.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr double kTolerance = 0.2;  // mm at true size

// ---- the sun, independent of the program's ephemeris --------------------
// Astronomical Almanac, "Low precision formulas for the Sun" (about 1'
// between 1950 and 2050): n days from J2000.0, mean anomaly g, mean
// longitude q, ecliptic longitude L, obliquity e, right ascension RA;
// equation of time = q - RA.
struct Sun {
  double declination = 0, eotHours = 0;
};
Sun almanacSun(int year, int month, int day, double ut) {
  // Julian day (Meeus ch. 7 for the Gregorian calendar).
  int y = year, m = month;
  if (m <= 2) { y -= 1; m += 12; }
  const int a = y / 100, b = 2 - a + a / 4;
  const double jd = std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + day + b - 1524.5 + ut / 24;
  const double n = jd - 2451545.0;
  const double g = radians(357.529 + 0.98560028 * n);
  const double q = 280.459 + 0.98564736 * n;
  const double L = radians(q + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g));
  const double e = radians(23.439 - 0.00000036 * n);
  const double ra = degrees(std::atan2(std::cos(e) * std::sin(L), std::cos(L)));
  double eot = std::fmod(q - ra, 360.0);
  if (eot > 180) eot -= 360;
  if (eot < -180) eot += 360;
  return {degrees(std::asin(std::sin(e) * std::sin(L))), eot / 15};
}

struct SkyCase {
  double latitude, longitude, zoneMeridian;  // west positive
  bool zone, eot;
};

// The sun when the dial's clock shows t on the date: local apparent
// time, apparent time of the zone meridian, or mean time (with EoT) of
// the one or the other. Returns altitude and the declination.
double altitudeAt(const SkyCase& c, int year, int month, int day, double t, double* declOut = nullptr) {
  const double M = c.zone ? c.zoneMeridian : c.longitude;
  double ut = t + M / 15;
  Sun s = almanacSun(year, month, day, ut);
  if (!c.eot) {
    // t is an apparent time: the instant is earlier by the EoT.
    ut -= s.eotHours;
    s = almanacSun(year, month, day, ut);
  }
  const double lat = ut - c.longitude / 15 + s.eotHours;  // local apparent time
  const double H = radians(15 * (lat - 12));
  const double p = radians(c.latitude), dd = radians(s.declination);
  if (declOut) *declOut = s.declination;
  return degrees(std::asin(std::sin(p) * std::sin(dd) + std::cos(p) * std::cos(dd) * std::cos(H)));
}

// ---- the drawing -------------------------------------------------------
double distanceToLines(const QuadrantDial& dial, QuadrantLineKind kind, double value, double x, double y) {
  double best = 1e9;
  for (const QuadrantLine& l : dial.lines) {
    if (l.kind != kind || std::fabs(l.value - value) > 1e-9) continue;
    for (std::size_t i = 1; i < l.points.size(); ++i) {
      best = std::min(best, segmentDistance(x, y, l.points[i - 1].x, l.points[i - 1].y, l.points[i].x, l.points[i].y));
    }
  }
  return best;
}

const QuadrantArc* arcOf(const QuadrantDial& dial, double value) {
  for (const QuadrantArc& a : dial.arcs)
    if (std::fabs(a.value - value) < 1e-9 && a.r < dial.radiusMm - 1e-9) return &a;
  return nullptr;
}

const QuadrantLine* dateMarkOf(const QuadrantDial& dial, double day) {
  for (const QuadrantLine& l : dial.lines)
    if (l.kind == QuadrantLineKind::DateMark && std::fabs(l.value - day) < 1e-9) return &l;
  return nullptr;
}

class QuadrantDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = startEnglishDesign(2021);
    d.dialKind = 'q';
    d.quadrantVariant = 0;
    d.quadrantSize = 150;
    d.zodiacScale = 0;
    d.temporalHours = false;
    d.constructionWithEot = false;
    d.zoneTime = false;
    d.localTime = true;
    d.otherHoursFrom = 6;
    d.otherHoursTo = 18;
    d.otherHourInterval = '0';
    d.otherTemporalFrom = 1;
    d.otherTemporalTo = 11;
    d.temporalIntervalOther = 0;
    d.wholeYearQuadrant = false;
    d.januaryOutside = true;
    d.includeAzimuthLines = false;
    d.dateLineMode = '2';
  }
  void place(const SkyCase& c) {
    DesignState& d = design();
    d.latitude = c.latitude;
    d.longitude = c.longitude;
    d.zoneMeridian = c.zoneMeridian;
    d.zoneTime = c.zone;
    d.localTime = !c.zone;
    d.constructionWithEot = c.eot;
    prepareObliquity(d.referenceYear);
  }
  ScopedScriptedPlatform platform;
};

const SkyCase kSkies[] = {
    {30, -31.2, -30, false, false}, {47, -8.5, -15, false, false}, {47, -8.5, -15, true, false},
    {47, -8.5, -15, false, true},   {60, -25, -30, true, true},    {-34, -151.2, -150, false, false},
    {-34, -18.4, -30, true, true},  {12, 77, 75, false, false},
};

// Quadrant sighted at the sun: its upper edge points at the sun, the apex
// towards it. In the vertical plane of the quadrant, with u horizontal
// towards the sun and v up, the edge from the apex runs along -(cos h,
// sin h); the drawing's "down" axis is that edge turned by +90 degrees.
// The plumb line (0, -1) then has the components along the edge and the
// down axis; the bead on it lies on the date arc.
void beadPosition(double altitude, double r, double& x, double& y) {
  const double h = radians(altitude);
  const double ex = -std::cos(h), ey = -std::sin(h);  // the upper edge
  const double dx = -ey, dy = ex;                      // the drawing's y axis
  const double gx = 0, gy = -1;                        // plumb
  const double cx = gx * ex + gy * ey, cy = gx * dx + gy * dy;
  const double n = std::hypot(cx, cy);
  x = r * cx / n;
  y = r * cy / n;
}

TEST_F(QuadrantDialTest, BeadOnTheDaysArcLiesOnTheHourLineOfTheTime) {
  struct Layout {
    bool wholeYear, juneOutside, secondHalf, temporal;
    std::vector<std::array<int, 2>> dates;  // month, day: days that carry an arc
  };
  const Layout layouts[] = {
      {false, true, false, false, {{7, 1}, {8, 11}, {9, 21}, {11, 1}, {12, 11}}},
      {false, false, false, false, {{6, 21}, {8, 1}, {10, 11}, {12, 1}}},
      {false, true, true, false, {{1, 11}, {2, 21}, {4, 1}, {5, 11}}},
      {true, true, false, false, {{1, 16}, {3, 1}, {5, 16}, {9, 1}, {11, 16}}},
      {false, true, false, true, {{7, 11}, {9, 1}, {10, 21}, {12, 11}}},
  };
  double worst = 0;
  int checked = 0;
  for (const SkyCase& c : kSkies) {
    place(c);
    for (const Layout& lay : layouts) {
      if (lay.temporal && (c.zone || c.eot)) continue;  // temporal hours are local
      QuadrantInput in;
      in.radiusMm = 150;
      in.wholeYear = lay.wholeYear;
      in.juneOutside = lay.juneOutside;
      in.secondHalf = lay.secondHalf;
      in.temporal = lay.temporal;
      in.from = lay.temporal ? 0 : 5;
      in.to = lay.temporal ? 12 : 19;
      in.zoneClock = c.zone;
      in.withEot = c.eot;
      const QuadrantDial dial = computeQuadrant(design(), in);
      for (const auto& md : lay.dates) {
        const int n = dayOfYear(2021, md[0], md[1]);
        const QuadrantArc* arc = arcOf(dial, n);
        ASSERT_NE(arc, nullptr) << md[0] << "/" << md[1];
        for (int t = in.from; t <= in.to; ++t) {
          double h;
          if (lay.temporal) {
            // Temporal hour t: the local apparent time 12 + (t - 6) H0 / 90.
            double decl;
            altitudeAt(c, 2021, md[0], md[1], 12, &decl);
            const double H0 = degrees(std::acos(-std::tan(radians(c.latitude)) * std::tan(radians(decl))));
            h = altitudeAt(c, 2021, md[0], md[1], 12 + (t - 6) * H0 / 90);
          } else {
            h = altitudeAt(c, 2021, md[0], md[1], t);
          }
          if (h < 1) continue;
          SCOPED_TRACE("lat " + std::to_string(c.latitude) + " zone " + std::to_string(c.zone) + " eot " +
                       std::to_string(c.eot) + " date " + std::to_string(md[1]) + "/" + std::to_string(md[0]) +
                       " t " + std::to_string(t));
          double x, y;
          beadPosition(h, arc->r, x, y);
          // Temporal hours t and 12 - t share one line, labelled with both.
          const double drawn = lay.temporal && t > 6 ? 12 - t : t;
          const double err = distanceToLines(dial, lay.temporal ? QuadrantLineKind::Temporal : QuadrantLineKind::Hour,
                                             drawn, x, y);
          worst = std::max(worst, err);
          ++checked;
          EXPECT_LT(err, kTolerance);
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
  RecordProperty("quadrant_worst_mm", std::to_string(worst));
}

// Lines that coincide are drawn once with both labels: temporal hours t
// and 12 - t; in local apparent time without EoT t and 24 - t.
TEST_F(QuadrantDialTest, CoincidingHourLinesAreDrawnOnceWithBothLabels) {
  place({47, -8.5, -15, false, false});
  struct Case {
    bool temporal, merge;
    int from, to;
    std::vector<std::string> labels;
    std::vector<double> absent;
  };
  const Case cases[] = {{true, false, 0, 12, {"5/7", "6", "0/12"}, {7, 12}},
                        {false, true, 8, 18, {"10/14", "12", "8/16"}, {14, 16}},
                        {false, false, 8, 18, {"10", "14"}, {}}};
  for (const Case& c : cases) {
    QuadrantInput in;
    in.temporal = c.temporal;
    in.mergeMirrored = c.merge;
    in.from = c.from;
    in.to = c.to;
    const QuadrantDial dial = computeQuadrant(design(), in);
    for (const std::string& want : c.labels) {
      bool found = false;
      for (const QuadrantLabel& l : dial.labels) found = found || l.text == want;
      EXPECT_TRUE(found) << want;
    }
    for (double t : c.absent)
      for (const QuadrantLine& l : dial.lines) EXPECT_FALSE(l.value == t && !l.subdivision) << t;
  }
}

// The declination and Gunter scales: the bead is set to the day's
// declination on the scale; the hour line is found per declination.
TEST_F(QuadrantDialTest, BeadOnTheDeclinationAndGunterScalesLiesOnTheHourLine) {
  double worst = 0;
  int checked = 0;
  for (const SkyCase& c : kSkies) {
    if (c.eot) continue;  // apparent time here; mean time on the declination scale below
    place(c);
    for (QuadrantScale scale : {QuadrantScale::Declination, QuadrantScale::Gunter}) {
      for (bool juneOutside : {true, false}) {
        QuadrantInput in;
        in.radiusMm = 200;
        in.scale = scale;
        in.juneOutside = juneOutside;
        in.from = 5;
        in.to = 19;
        in.zoneClock = c.zone;
        in.textMm = 3.2;
        const QuadrantDial dial = computeQuadrant(design(), in);
        const double e = design().obliquityRounded;
        for (int month : {1, 3, 5, 8, 10, 12}) {
          for (int t = 5; t <= 19; ++t) {
            double decl;
            const double h = altitudeAt(c, 2021, month, 10, t, &decl);
            if (h < 1) continue;
            // The scale by its published definition.
            double r;
            if (scale == QuadrantScale::Gunter) {
              r = (200 - 13 * 3.2) * std::tan(radians((90 - e) / 2)) * std::tan(radians((90 + decl) / 2));
            } else {
              r = (juneOutside ? (decl + e) / (2 * e) + 1 : 1 - (decl - e) / (2 * e)) * 100;
            }
            double x, y;
            beadPosition(h, r, x, y);
            const double err = distanceToLines(dial, QuadrantLineKind::Hour, t, x, y);
            worst = std::max(worst, err);
            ++checked;
            EXPECT_LT(err, kTolerance) << "lat " << c.latitude << " month " << month << " t " << t << " scale "
                                       << static_cast<int>(scale);
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 200);
  RecordProperty("declination_scales_worst_mm", std::to_string(worst));
}

// Mean time on the declination scale of one half year: each declination
// belongs to one day of that half, whose equation of time moves the hour
// line. The bead set to the day's declination, with the sun at the dial's
// mean (local or zone) time of that day, lies on the line, in both halves
// and both arrangements of the scale. The screen reads the choice too.
TEST_F(QuadrantDialTest, DeclinationScaleWithEotFollowsTheMeanSun) {
  const SkyCase skies[] = {{47, -8.5, -15, false, true}, {47, -8.5, -15, true, true},
                           {-34, -18.4, -30, true, true}, {30, -31.2, -30, false, true}};
  struct Half {
    bool second;
    std::vector<std::array<int, 2>> dates;  // month, day
  };
  const Half halves[] = {{false, {{7, 1}, {8, 5}, {9, 10}, {10, 20}, {11, 3}, {11, 25}, {12, 10}}},
                         {true, {{1, 5}, {2, 10}, {2, 28}, {3, 15}, {4, 20}, {5, 14}, {6, 5}}}};
  const double e = design().obliquityRounded;
  double worst = 0;
  int checked = 0;
  for (const SkyCase& c : skies) {
    place(c);
    for (const Half& half : halves) {
      for (bool juneOutside : {true, false}) {
        QuadrantInput in;
        in.radiusMm = 150;
        in.scale = QuadrantScale::Declination;
        in.juneOutside = juneOutside;
        in.secondHalf = half.second;
        in.from = 5;
        in.to = 19;
        in.zoneClock = c.zone;
        in.withEot = true;
        const QuadrantDial dial = computeQuadrant(design(), in);
        for (const auto& md : half.dates) {
          for (int t = 5; t <= 19; ++t) {
            double decl;
            const double h = altitudeAt(c, 2021, md[0], md[1], t, &decl);
            if (h < 1) continue;
            // The scale by its definition.
            const double r = (juneOutside ? (decl + e) / (2 * e) + 1 : 1 - (decl - e) / (2 * e)) * 75;
            double x, y;
            beadPosition(h, r, x, y);
            const double err = distanceToLines(dial, QuadrantLineKind::Hour, t, x, y);
            worst = std::max(worst, err);
            ++checked;
            EXPECT_LT(err, kTolerance) << "lat " << c.latitude << " zone " << c.zone << " date " << md[1] << "/"
                                       << md[0] << " t " << t << " june outside " << juneOutside;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
  RecordProperty("declination_eot_worst_mm", std::to_string(worst));

  // The screen's quadrant (the first half) is built and labelled with EoT.
  place(skies[0]);
  design().zodiacScale = 1;
  const QuadrantInput screen = screenQuadrantInput(design(), 150, 3);
  EXPECT_TRUE(screen.withEot);
  const std::string timeLine = computeQuadrant(design(), screen).timeLine;
  EXPECT_NE(timeLine.find("with EoT"), std::string::npos) << timeLine;
  EXPECT_EQ(timeLine.find("without"), std::string::npos) << timeLine;
}

// Habermel dials: the disc stands vertical and faces the sun, the pin of
// length g stands perpendicular on it. Its tip's shadow on the disc:
// P = tip - s g / (s . n) with n the disc's normal (towards the sun) and s
// the unit vector to the sun, computed in space; then carried into the
// disc's own axes: dial I turned so that the thread from the pin hangs
// over the day's drawn mark, dial II upright with the pin in the day's
// drawn hole.
TEST_F(QuadrantDialTest, HabermelShadowOfThePinTipLiesOnTheHourLine) {
  double worst = 0;
  int checked = 0;
  const SkyCase skies[] = {{30, -31.2, -30, false, false}, {47, -8.5, -15, false, false},
                           {47, -8.5, -15, true, true},   {60, -25, -30, false, true}};
  for (int variant : {1, 2}) {
    for (const SkyCase& c : skies) {
      place(c);
      DesignState& d = design();
      d.otherHoursFrom = 12;
      d.otherHoursTo = 19;
      d.otherHourInterval = '0';
      const double g = variant == 1 ? 55 : 20;
      const QuadrantDial dial = computeHabermel(design(), variant, g, 200);
      ASSERT_FALSE(dial.southRefused);
      for (int month = 1; month <= 12; ++month) {
        for (int dom : {1, 11, 21}) {
          const int n = dayOfYear(2021, month, dom);
          // Dial I turns fast near the solstices: 0.01 degree of the
          // declination turns the thread by more than the tolerance there.
          if (variant == 1 && ((month == 6 && dom >= 11) || (month == 12 && dom >= 11) || (month == 7 && dom == 1) ||
                               (month == 1 && dom == 1)))
            continue;
          const QuadrantLine* mark = dateMarkOf(dial, n);
          ASSERT_NE(mark, nullptr);
          for (int t = 12; t <= 19; ++t) {
            const double h = altitudeAt(c, 2021, month, dom, t);
            if (h < 2 || h > 80) continue;
            // In space: east, north, up; the sun in the disc's normal plane.
            const double s[3] = {0, std::cos(radians(h)), std::sin(radians(h))};
            const double nrm[3] = {0, 1, 0};
            const double tip[3] = {0, g, 0};
            const double k = g / (s[0] * nrm[0] + s[1] * nrm[1] + s[2] * nrm[2]);
            const double P[3] = {tip[0] - k * s[0], tip[1] - k * s[1], tip[2] - k * s[2]};
            const double below = -P[2];  // distance below the pin, on the plate
            double x, y;
            if (variant == 1) {
              const double ux = mark->points[1].x - mark->points[0].x, uy = mark->points[1].y - mark->points[0].y;
              const double len = std::hypot(ux, uy);
              x = mark->points[0].x + below * ux / len;
              y = mark->points[0].y + below * uy / len;
            } else {
              x = mark->points[0].x;
              y = dial.gnomonY + below;
            }
            if (std::hypot(x, y) > dial.hourRadiusMm - 0.5) continue;
            const double err = distanceToLines(dial, QuadrantLineKind::Hour, t, x, y);
            worst = std::max(worst, err);
            ++checked;
            EXPECT_LT(err, kTolerance) << "variant " << variant << " lat " << c.latitude << " " << dom << "/" << month
                                       << " t " << t;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 200);
  RecordProperty("habermel_worst_mm", std::to_string(worst));
}

// The gnomon the dial-type window derives from the diameter lets the
// hours fill the disc: the noon shadows of the solstices (altitudes
// 90 - p -+ e, closed form) span the hour circle for the pin of dial I,
// and the bar of dial II lies a third of the hour radius above the centre
// with the summer noon shadow on the rim; the drawn hour lines cover more
// than half the disc's height, and the length stays in the field's range.
TEST_F(QuadrantDialTest, HabermelGnomonFromTheDiameterFillsTheDisc) {
  struct Case {
    int variant;
    double latitude, diameter;
  };
  const Case cases[] = {{1, 47.25, 200}, {2, 47.25, 200}, {1, 30, 120}, {2, 30, 200},
                        {2, 60, 200},    {1, 60, 80},     {2, 40, 100}};
  for (const Case& c : cases) {
    DesignState& d = design();
    d.latitude = c.latitude;
    d.quadrantVariant = static_cast<std::uint8_t>(c.variant);
    d.habermelDiameter = c.diameter;
    deriveHabermelGnomonLength(d);
    const double g = d.habermelGnomonLength, e = d.obliquityRounded, r = (c.diameter - 15) / 2;
    const double summer = g * std::tan(radians(90 - c.latitude + e)), winter = g * std::tan(radians(90 - c.latitude - e));
    EXPECT_GE(g, 9);
    EXPECT_LE(g, 100);
    if (c.variant == 1) EXPECT_NEAR(summer + winter, 2 * r, 1e-9) << c.latitude;
    else EXPECT_NEAR(summer, 4 * r / 3, 1e-9) << c.latitude;
    const QuadrantDial dial = computeHabermel(design(), c.variant, g, c.diameter);
    double top = 1e300, bottom = -1e300;
    for (const QuadrantLine& l : dial.lines)
      if (l.kind == QuadrantLineKind::Hour)
        for (const QuadrantPoint& p : l.points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    EXPECT_GT(bottom - top, 0.5 * c.diameter) << "variant " << c.variant << " latitude " << c.latitude;
  }
}

// The published positions of the scales.
TEST_F(QuadrantDialTest, ScalesPutTheirDatesWhereTheirDefinitionsSay) {
  place({47, -8.5, -15, false, false});
  design().obliquityRounded = 23.44;
  const int nJ = dayOfYear(2021, 6, 21), nD = dayOfYear(2021, 12, 21), nS = dayOfYear(2021, 9, 1);
  struct Case {
    const char* name;
    QuadrantScale scale;
    bool wholeYear, juneOutside;
    double value, expectFraction;  // of R
  };
  const Case cases[] = {
      {"half year, 21 June outside", QuadrantScale::Calendar, false, true, double(nJ), 1.0},
      {"half year, 21 December inside", QuadrantScale::Calendar, false, true, double(nD), 0.5},
      {"half year, 1 September by day count", QuadrantScale::Calendar, false, true, double(nS),
       (2 - (nS - nJ) / 183.0) / 2},
      {"half year, 21 June inside", QuadrantScale::Calendar, false, false, double(nJ), 0.5},
      {"whole year, 1 January", QuadrantScale::Calendar, true, true, 1, 0.5},
      {"whole year, 31 December", QuadrantScale::Calendar, true, true, 365, 1.0},
      {"declination, equinox half year", QuadrantScale::Declination, false, true, 0, 0.75},
      {"declination, equinox half year inside", QuadrantScale::Declination, false, false, 0, 0.75},
      {"declination, June outside", QuadrantScale::Declination, false, true, 23.44, 1.0},
      {"declination, June inside", QuadrantScale::Declination, false, false, 23.44, 0.5},
      {"declination, equinox whole year", QuadrantScale::Declination, true, true, 0, 0.5},
  };
  for (const Case& c : cases) {
    QuadrantInput in;
    in.radiusMm = 120;
    in.scale = c.scale;
    in.wholeYear = c.wholeYear;
    in.juneOutside = c.juneOutside;
    EXPECT_NEAR(quadrantArcRadius(design(), in, c.value), c.expectFraction * 120, 0.61) << c.name;  // rounding of a day
  }
  // Gunter with e = 23.44: equator 0.6564 and Capricorn 0.4308 of Cancer.
  QuadrantInput g;
  g.radiusMm = 150;
  g.scale = QuadrantScale::Gunter;
  g.textMm = 3;
  const double cancer = quadrantArcRadius(design(), g, 23.44);
  EXPECT_NEAR(cancer, 150 - 39, 1e-9);
  EXPECT_NEAR(quadrantArcRadius(design(), g, 0) / cancer, 0.6564, 5e-5);
  EXPECT_NEAR(quadrantArcRadius(design(), g, -23.44) / cancer, 0.4308, 5e-5);
  // The drawn arcs of the whole year: 1st and 16th of each month and 31 December.
  {
    QuadrantInput w;
    w.radiusMm = 120;
    w.wholeYear = true;
    const QuadrantDial dial = computeQuadrant(design(), w);
    EXPECT_NE(arcOf(dial, dayOfYear(2021, 3, 16)), nullptr);
    EXPECT_NE(arcOf(dial, dayOfYear(2021, 3, 1)), nullptr);
    EXPECT_EQ(arcOf(dial, dayOfYear(2021, 3, 11)), nullptr);
  }
  // The declination scale: an arc every 10 degrees of solar longitude from
  // the tropic of Cancer to that of Capricorn, 19 in all.
  {
    QuadrantInput w;
    w.radiusMm = 120;
    w.scale = QuadrantScale::Declination;
    const QuadrantDial dial = computeQuadrant(design(), w);
    int arcs = 0;
    for (const QuadrantArc& a : dial.arcs) arcs += a.r < 120 - 1e-9 || std::fabs(a.value) > 1e-9 ? 1 : 0;
    EXPECT_EQ(arcs, 19);
    EXPECT_NE(arcOf(dial, design().declinationByLongitude[36]), nullptr);
  }
}

// Zone time with hours 8..18: the screen shows 12..18; a range 8..15 the
// forenoon; local time keeps all (afternoon lines coincide with the
// forenoon's and share their labels).
TEST_F(QuadrantDialTest, NoonFoldingOnTheScreen) {
  DesignState& d = design();
  place({47, -8.5, -15, true, false});
  struct Case {
    bool zone;
    int from, to, expectFrom, expectTo;
  };
  const Case cases[] = {{true, 8, 18, 12, 18}, {true, 8, 15, 8, 12}, {true, 6, 18, 12, 18}, {false, 8, 18, 8, 18}};
  for (const Case& c : cases) {
    d.zoneTime = c.zone;
    d.localTime = !c.zone;
    d.otherHoursFrom = c.from;
    d.otherHoursTo = c.to;
    const QuadrantInput in = screenQuadrantInput(design(), 150, 3);
    EXPECT_EQ(in.from, c.expectFrom);
    EXPECT_EQ(in.to, c.expectTo);
  }
}

TEST_F(QuadrantDialTest, RefusalsInBothLanguages) {
  for (int language : {1, 2}) {
    DesignState& d = design();
    useLanguage(language);
    // Temporal hours beyond 65 degrees: the message in the picture.
    place({66, 0, 0, false, false});
    d.temporalHours = true;
    RecordingCanvas canvas;
    ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawQuadrant(s, design(), 1600, 1000, true);
    const std::string msg = messageText(64);
    bool found = false;
    for (const Primitive& t : canvas.ofKind(PrimitiveKind::Text)) found = found || (!t.text.empty() && msg.find(t.text) == 0);
    EXPECT_TRUE(found) << language;
    EXPECT_TRUE(computeQuadrant(design(), screenQuadrantInput(design(), 150, 3)).temporalRefused);
    // Southern Habermel dials: the box, German in both languages, nothing drawn.
    place({-34, 0, 0, false, false});
    d.temporalHours = false;
    for (int variant : {1, 2}) {
      platform->boxes.clear();
      RecordingCanvas c2;
      ScreenSurface s2 = screenSurfaceOf(design(), c2, 1600, 1000);
      d.quadrantVariant = static_cast<std::uint8_t>(variant);
      drawQuadrantDial(s2, design(), 1600, 1000, true);
      ASSERT_EQ(platform->boxes.size(), 1u);
      EXPECT_EQ(platform->boxes[0].text, "Die Berechnung erfolgt nur f\xC3\xBCr n\xC3\xB6rdliche Geogr. Breiten");
      EXPECT_TRUE(c2.ofKind(PrimitiveKind::LineTo).empty());
      EXPECT_TRUE(computeHabermel(design(), variant, 50, 150).lines.empty());
    }
    d.quadrantVariant = 0;
  }
  EXPECT_EQ(quadrantText(QuadrantText::Title, 1), "QUADRANTEN-SONNENUHR");
  EXPECT_EQ(quadrantText(QuadrantText::Title, 2), "QUADRANT SUNDIAL");
}

// The picture and the printer page: the quadrant's limb about the apex at
// 14 text heights from the left margin, radius quadrantSize * H / 210
// pixels on the screen and quadrantSize * 10 units (true size) on the
// printer page; the Habermel rim at true size on the printer page.
TEST_F(QuadrantDialTest, PictureAndPrinterPagePlaceTheDialAtItsSize) {
  DesignState& d = design();
  place({47, -8.5, -15, false, false});
  d.habermelDiameter = 160;
  struct Case {
    int variant;
    bool printer;
    double radius;  // surface units
    double apexX;   // -1: not checked
  };
  const Case cases[] = {{0, false, std::round(150 * 1000 / 210.0), 14 * 14},
                        {0, true, 1500, 50 + 14 * 35},
                        {1, true, 800, -1},
                        {2, true, 800, -1}};
  for (const Case& c : cases) {
    d.quadrantVariant = static_cast<std::uint8_t>(c.variant);
    RecordingCanvas canvas;
    PrinterDevice device;
    ScreenSurface s = c.printer ? printerSurfaceOf(design(), canvas, device) : screenSurfaceOf(design(), canvas, 1600, 1000);
    drawQuadrantDial(s, design(), c.printer ? s.width() : 1600, c.printer ? s.height() : 1000, !c.printer);
    double biggest = 0, cx = 0;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Arc))
      if (p.p[2] > biggest) {
        biggest = p.p[2];
        cx = p.p[0];
      }
    EXPECT_NEAR(biggest, c.radius, 1e-6) << c.variant << " " << c.printer;
    if (c.apexX >= 0) {
      EXPECT_NEAR(cx, c.apexX, 1e-6) << c.variant << " " << c.printer;
    }
  }
}

// The limits: latitude 0 and near the poles, the field limits; finite
// points, an end, no crash.
TEST_F(QuadrantDialTest, LimitsGiveFiniteLinesAndEnd) {
  DesignState& d = design();
  for (double lat : {0.0, 0.001, 23.44, 66.5, 89.9, -89.9, -0.5}) {
    for (int scale = 0; scale < 3; ++scale) {
      for (bool temporal : {false, true}) {
        place({lat, 0, 0, false, false});
        d.zodiacScale = static_cast<std::uint8_t>(scale);
        d.temporalHours = temporal;
        d.otherTemporalFrom = 0;
        d.otherTemporalTo = 12;
        d.otherHoursFrom = 0;
        d.otherHoursTo = 24;
        d.otherHourInterval = '3';
        d.includeAzimuthLines = true;
        for (double size : {80.0, 200.0}) {
          const QuadrantDial dial = computeQuadrant(design(), screenQuadrantInput(design(), size, 3));
          for (const QuadrantLine& l : dial.lines)
            for (const QuadrantPoint& p : l.points) {
              ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << lat;
              EXPECT_LE(std::hypot(p.x, p.y), size + 1e-6) << lat;
              EXPECT_GE(p.x, -1e-9);
            }
        }
      }
    }
    for (int variant : {1, 2})
      for (double D : {30.0, 200.0})
        for (double g : {9.0, 100.0}) {
          const QuadrantDial dial = computeHabermel(design(), variant, g, D);
          for (const QuadrantLine& l : dial.lines)
            for (const QuadrantPoint& p : l.points) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
  }
}

class QuadrantPlotTest : public QuadrantDialTest {
 protected:
  fs::path dir() { return scratchFolder("tavrel_quad_"); }
  std::string plot(int resolution, const fs::path& file) {
    return plotFileText(resolution, file, [](HpglWriter& w) { plotQuadrantDial(w, design()); });
  }
  void TearDown() override { fs::remove_all(dir()); }
};

TEST_F(QuadrantPlotTest, EveryVariantRendersInHp2xx) {
  place({47, -8.5, -15, false, false});
  DesignState& d = design();
  struct Case { int variant, scale; bool temporal, eot, zone, whole, mirrored; };
  const Case cases[] = {{0, 0, false, false, false, false, false}, {0, 0, false, true, true, false, true},
                        {0, 1, true, false, false, false, false},  {0, 0, false, false, true, true, false},
                        {0, 2, false, false, false, false, false}, {1, 0, false, false, false, false, false},
                        {2, 0, false, true, false, false, false}};
  int i = 0;
  for (const Case& c : cases) {
    d.quadrantVariant = static_cast<std::uint8_t>(c.variant);
    d.zodiacScale = static_cast<std::uint8_t>(c.scale);
    d.temporalHours = c.temporal;
    d.constructionWithEot = c.eot;
    d.zoneTime = c.zone;
    d.localTime = !c.zone;
    d.wholeYearQuadrant = c.whole;
    d.quadrantMirrored = c.mirrored;
    d.includeAzimuthLines = true;
    d.habermelGnomonLength = 40;
    const fs::path file = dir() / ("q" + std::to_string(i) + ".plt");
    const std::string text = plot(1, file);
    EXPECT_EQ(text.rfind("IN;VS 1;PA;", 0), 0u) << i;
    EXPECT_NE(text.find(";SP 0;IN;"), std::string::npos) << i;
    const fs::path out = dir() / ("q" + std::to_string(i) + ".eps");
    const std::string cmd = "hp2xx -q -m eps -f " + out.string() + " " + file.string() + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(fs::file_size(out), 1000u) << i;
    ++i;
  }
}

// The two-quadrant page: which quadrant stands where and says what.
TEST_F(QuadrantPlotTest, TwoQuadrantPageCases) {
  DesignState& d = design();
  d.otherHoursFrom = 8;
  d.otherHoursTo = 18;
  struct Case {
    const char* name;
    bool zone, eot, whole, mirrored;
    std::vector<std::string> present;
  };
  const Case cases[] = {
      {"zone, no EoT", true, false, false, false,
       {"AA 400,10000", "AA 8400,10000", "For local apparent time all afternoon", "Therefore only 1 scale"}},
      {"local, no EoT", false, false, false, false, {"AA 400,10000", "AA 8500,10000", " Local Apparent Time"}},
      {"local with EoT", false, true, false, false,
       {", 21.6.-21.12., with EoT", ", 21.12.-21.6., with EoT", "mean  Local Apparent Time"}},
      {"zone with EoT mirrored", true, true, false, true, {"AA 7900,10000", " 21.12.-21.6., with EoT"}},
  };
  for (const Case& c : cases) {
    place({47, -8.5, -15, c.zone, c.eot});
    d.wholeYearQuadrant = c.whole;
    d.quadrantMirrored = c.mirrored;
    const std::string text = plot(1, dir() / "page.plt");
    for (const std::string& s : c.present) EXPECT_NE(text.find(s), std::string::npos) << c.name << ": " << s;
    EXPECT_NE(text.find("LBQUADRANT SUNDIAL"), std::string::npos) << c.name;
    // Zone time without EoT: 8..12 on the left quadrant, 12..18 on the right.
    if (c.zone && !c.eot) {
      const auto count = [&text](const std::string& label) {
        int n = 0;
        for (std::size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) ++n;
        return n;
      };
      EXPECT_EQ(count("LB8\x03"), 1);
      EXPECT_EQ(count("LB16\x03"), 1);
      EXPECT_EQ(count("LB12\x03"), 2);
    }
    // The date arcs are arcs: quarter circles about the apex, turning the
    // other way on the mirrored quadrant.
    EXPECT_NE(text.find(c.mirrored ? "AA 7900,10000,-90" : "AA 400,10000,90"), std::string::npos) << c.name;
  }
}

// The mirrored left quadrant of the largest size stays on the paper: the
// quarter circle about its apex (the "AA" arcs' centres less their radius)
// and every pen position lie right of its left edge and within the
// 420 mm (16800 units) of an A3 sheet.
TEST_F(QuadrantPlotTest, LargestMirroredQuadrantStaysOnTheSheet) {
  DesignState& d = design();
  place({47, -8.5, -15, true, true});
  d.quadrantMirrored = true;
  d.quadrantSize = 200;
  const std::string text = plot(1, dir() / "mirrored.plt");
  double lo = 1e300, hi = -1e300;
  std::size_t at = 0;
  for (const char* cmd : {"PU ", "PD ", "AA "}) {
    for (at = text.find(cmd); at != std::string::npos; at = text.find(cmd, at + 1)) {
      const double x = std::atof(text.c_str() + at + 3);
      lo = std::min(lo, x), hi = std::max(hi, x);
      if (std::string(cmd) == "AA ") lo = std::min(lo, x - 200 * 40.0);
    }
  }
  EXPECT_GE(lo, 0);
  EXPECT_LE(hi, 16800);
}

// The DXF of the scaled plots is at true size: the quadrant's outer arc
// has the radius quadrantSize, the Habermel disc the diameter.
TEST_F(QuadrantPlotTest, ScaledPlotsGiveTrueSizeDxfThatPassesTheAudit) {
  DesignState& d = design();
  place({47, -8.5, -15, false, false});
  struct Case { int variant, scale; double expectRadius; };
  const Case cases[] = {{0, 2, 150}, {1, 0, 90}, {2, 0, 90}};
  for (const Case& c : cases) {
    d.quadrantVariant = static_cast<std::uint8_t>(c.variant);
    d.zodiacScale = static_cast<std::uint8_t>(c.scale);
    d.habermelDiameter = 180;
    d.habermelGnomonLength = 50;
    EXPECT_TRUE(dialHas(d, kCapScaledPlot));
    const fs::path hp = dir() / "s25.plt", dxf = dir() / "s.dxf";
    plot(25, hp);
    ASSERT_EQ(convertHpglToDxf(hp.string(), dxf.string(), 1, 1000), DxfResult::Converted);
    // The quadrant's limb and the disc's rim are arcs: their radius.
    const EzdxfView view = readWithEzdxf(dxf);
    ASSERT_TRUE(view.read) << view.output;
    EXPECT_EQ(view.auditErrors, 0) << c.variant << view.output;
    double big = 0;
    for (const EzdxfEntity& e : view.entities)
      if (e.type == "ARC" || e.type == "CIRCLE") big = std::max(big, e.radius);
    EXPECT_NEAR(big, c.expectRadius, 0.1) << c.variant;
  }
  // The two-quadrant page is not scaled: its DXF is converted at 40 units/mm.
  d.quadrantVariant = 0;
  d.zodiacScale = 0;
  EXPECT_FALSE(dialHas(d, kCapScaledPlot));
}

}  // namespace
}  // namespace tavrel::testing
