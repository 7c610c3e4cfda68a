// The lines a construction draws one step wider keep that width on the
// window picture and the printer page, for every screen line width: the
// full hours and the first-of-month circles of the azimuthal dial, the
// hat dial's equation-of-time lines of the half-year from midsummer, the
// whole hours and zodiac date lines of Hollander's dial. Each dial is
// drawn through its one emitter onto a ScreenSurface over a recording
// canvas, and every recorded segment (or circle) of a line is looked up
// by its coordinates.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "dials/cylinder/cylinder_dial.h"
#include "dials/hollander/hollander_dial.h"
#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "tests/dials/plot_file_test_util.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {

// The pen width of every recorded line segment and circle, by coordinates.
struct RecordedWidths {
  std::map<std::array<double, 4>, double> segments;  // x1 y1 x2 y2
  std::map<double, double> circles;                   // radius (centre at the origin)

  explicit RecordedWidths(const RecordingCanvas& canvas) {
    for (const Primitive& p : canvas.primitives) {
      if (p.kind == PrimitiveKind::LineTo) segments[{p.p[0], p.p[1], p.p[2], p.p[3]}] = p.pen.width;
      if (p.kind == PrimitiveKind::Ellipse && p.p[0] == -p.p[2]) circles[p.p[2]] = p.pen.width;
    }
  }
};

// Draws `dial` with `emit` and placement `p` on a 1600 x 1000 picture at
// the screen line width `lineWidth`; the widths recorded.
template <class Dial, class Placement, class Emit>
RecordedWidths drawnWidths(const Dial& dial, Placement p, int lineWidth, Emit emit) {
  design().lineWidth = static_cast<std::uint8_t>(lineWidth);
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
  p.lineWidth = lineWidth;
  emit(surface, dial, p);
  return RecordedWidths(canvas);
}

// What the checks found: how many segments of emphasised and of plain
// lines were looked up, and how many had the wrong width.
struct Tally {
  int emphasised = 0, plain = 0, wrong = 0;
  // Every segment of a line through `points` (placed with y times ySign)
  // drawn lineWidth wide, one more when `wide`.
  template <class Points>
  void line(const RecordedWidths& rec, const Points& points, int lineWidth, bool wide, double ySign = 1) {
    for (std::size_t i = 1; i < points.size(); ++i) {
      const std::array<double, 4> segment{points[i - 1].x, ySign * points[i - 1].y, points[i].x, ySign * points[i].y};
      const auto it = rec.segments.find(segment);
      ASSERT_NE(it, rec.segments.end()) << segment[0] << "," << segment[1] << " " << segment[2] << "," << segment[3];
      (wide ? emphasised : plain) += 1;
      if (it->second != lineWidth + (wide ? 1 : 0)) ++wrong;
    }
  }
  void expectBoth() const {
    EXPECT_GT(emphasised, 20);
    EXPECT_GT(plain, 20);
    EXPECT_EQ(wrong, 0);
  }
};

class LineEmphasisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DesignState& d = testing::startEnglishDesign(2020);
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
  }
  ScopedScriptedPlatform platform_;
};

// In a leap year and in a common one: the days sampled every three days
// from 1 January meet 21 June only in common years.
TEST_F(LineEmphasisTest, HatDialLinesFromMidsummerAreWider) {
  DesignState& d = design();
  d.cylinderWithEot = true;
  d.eotLinesFrom = 8;
  d.eotLinesTo = 16;
  for (const auto& [year, lineWidth] : {std::pair{2020, 1}, std::pair{2021, 2}, std::pair{2024, 3}}) {
    SCOPED_TRACE(std::to_string(year) + ", lineWidth " + std::to_string(lineWidth));
    d.referenceYear = year;
    CylinderDialInput in;
    in.kind = CylinderDialKind::Hat;
    in.gnomonMm = 20;
    in.scaleMm = 250;
    in.sampling = CylinderSampling::screen(240);
    const CylinderDial dial = computeCylinderDial(design(), in);
    CylinderPlacement p;
    p.drawTexts = false;
    const RecordedWidths rec = drawnWidths(dial, p, lineWidth, emitCylinderDial);
    Tally tally;
    for (const CylinderLine& line : dial.lines) {
      if (line.kind != CylinderLineKind::Eot) continue;
      // The half-year from 21 June (day 172, in a leap year 173): its
      // lines start on that day or at the next sample.
      tally.line(rec, line.points, lineWidth, line.points.front().day >= 170);
    }
    tally.expectBoth();
  }
}

TEST_F(LineEmphasisTest, AzimuthalFullHoursAndMonthCirclesAreWider) {
  DesignState& d = design();
  d.azimuthDialKind = 0;
  d.otherHourInterval = '1';  // half hours between the full ones
  AzimuthalInput in = azimuthalScreenInput(design(), 1600, 1000, false);
  in.mode = 0;
  const AzimuthalDial dial = computeAzimuthalDial(design(), in);
  for (int lineWidth : {1, 2}) {
    SCOPED_TRACE("lineWidth " + std::to_string(lineWidth));
    const RecordedWidths rec = drawnWidths(dial, AzimuthalPlacement{}, lineWidth, emitAzimuthalDial);
    Tally tally;
    for (const AzimuthLine& line : dial.lines) {
      if (line.kind != AzimuthLineKind::Clock) continue;
      // The picture's y runs downwards from the plate centre.
      tally.line(rec, line.points, lineWidth, std::fabs(line.value - std::round(line.value)) < 1e-6, -1);
    }
    tally.expectBoth();
    // Date circles: the first of a month (pen 7) one step wider than the
    // other days (pen 6).
    int months = 0, days = 0;
    for (const AzimuthCircle& c : dial.circles) {
      if ((c.screenPen != 6 && c.screenPen != 7) || !(c.r > 0)) continue;
      const auto it = rec.circles.find(c.r);
      ASSERT_NE(it, rec.circles.end()) << c.r;
      EXPECT_EQ(it->second, lineWidth + (c.screenPen == 7 ? 1 : 0)) << c.r;
      (c.screenPen == 7 ? months : days) += 1;
    }
    // The calendar scale holds half a year: the firsts of seven months,
    // the 11th and 21st of six.
    EXPECT_EQ(months, 7);
    EXPECT_EQ(days, 12);
  }
}

TEST_F(LineEmphasisTest, HollanderWholeHoursAndZodiacDatesAreWider) {
  design().otherHourInterval = '1';
  const HollanderDial dial = computeHollanderDial(hollanderInputOf(design()));
  ASSERT_EQ(dial.refusal, HollanderRefusal::None);
  for (int lineWidth : {1, 3}) {
    SCOPED_TRACE("lineWidth " + std::to_string(lineWidth));
    const RecordedWidths rec = drawnWidths(dial, HollanderPlacement{}, lineWidth, emitHollanderDial);
    Tally tally;
    for (const HollanderLine& line : dial.lines) {
      bool wide;
      switch (line.kind) {
        case HollanderLineKind::HourLine:
        case HollanderLineKind::ZodiacDate: wide = true; break;
        case HollanderLineKind::PartHour:
        case HollanderLineKind::CalendarDate: wide = false; break;
        default: continue;
      }
      tally.line(rec, line.points, lineWidth, wide);
    }
    tally.expectBoth();
  }
}

}  // namespace
}  // namespace tavrel
