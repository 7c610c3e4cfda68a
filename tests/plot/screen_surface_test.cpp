#include "plot/screen_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "plot/recording_canvas.h"

namespace tavrel {
namespace {

// Restores the design fields these tests change.
class ScreenSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = design(); }
  void TearDown() override { design() = saved_; }
  DesignState saved_;
};

struct PageRow {
  const char* name;
  PrinterDevice device;
  int a, b, c, d;
  int width, height, offsetX, offsetY;
};

// Worked by hand: a = Round(W Ox 10 / Rx), b = 2970 - 10 W - a,
// c = Round(H Oy 10 / Ry), d = 2100 - 10 H - c, width = min(2968 - 2 max(a, b),
// 2820), height = min(2098 - 2 max(c, d), 2000), offsets (2970 - width) div 2 - a
// and (2100 - height) div 2 - c.
const PageRow kPages[] = {
    // 600 dpi laser, 287 x 200 mm printable, 100 px offsets: a = Round(42.34),
    // c = Round(42.34); the width is capped at 2820.
    {"landscape laser", {287, 200, 6779, 4724, 100, 100, false}, 42, 58, 42, 58, 2820, 1982, 33, 17},
    // The same device reporting portrait: swapped first, same page.
    {"portrait laser", {200, 287, 4724, 6779, 100, 100, true}, 42, 58, 42, 58, 2820, 1982, 33, 17},
    // Asymmetric offsets: a = Round(127.003), c = Round(16.934).
    {"asymmetric", {280, 190, 6614, 4488, 300, 40, false}, 127, 43, 17, 183, 2714, 1732, 1, 167},
    {"asymmetric portrait", {190, 280, 4488, 6614, 40, 300, true}, 127, 43, 17, 183, 2714, 1732, 1, 167},
    // Borderless: both capped, offsets 75 and 50.
    {"borderless", {297, 210, 7016, 4961, 0, 0, false}, 0, 0, 0, 0, 2820, 2000, 75, 50},
    // a = Round(2.5) = 2 (ties to even).
    {"tie", {210, 200, 4200, 4724, 5, 0, false}, 2, 868, 0, 100, 1232, 1898, 867, 101},
};

TEST(PrinterPageSetup, Table) {
  for (const auto& row : kPages) {
    const PrinterPage page = printerPageSetup(row.device);
    EXPECT_EQ(page.marginLeft, row.a) << row.name;
    EXPECT_EQ(page.marginRight, row.b) << row.name;
    EXPECT_EQ(page.marginTop, row.c) << row.name;
    EXPECT_EQ(page.marginBottom, row.d) << row.name;
    EXPECT_EQ(page.printableWidth, row.width) << row.name;
    EXPECT_EQ(page.printableHeight, row.height) << row.name;
    EXPECT_EQ(page.offsetX, row.offsetX) << row.name;
    EXPECT_EQ(page.offsetY, row.offsetY) << row.name;
  }
}

TEST(PrinterPageSetup, UnknownDeviceKeepsTheDefaults) {
  const PrinterPage page = printerPageSetup({297, 210, 0, 0, 0, 0, false});
  EXPECT_EQ(page.printableWidth, 2800);
  EXPECT_EQ(page.printableHeight, 2000);
  EXPECT_EQ(page.offsetX, 70);
  EXPECT_EQ(page.offsetY, 50);
}

TEST_F(ScreenSurfaceTest, PrinterSurfaceIsLandscapeInTenthsOfAMillimetre) {
  RecordingCanvas canvas;
  const ScreenSurface s = ScreenSurface::printer(canvas, kPages[1].device, SurfacePens{});  // portrait device
  EXPECT_TRUE(s.printerMode());
  EXPECT_EQ(s.width(), 2870);
  EXPECT_EQ(s.height(), 2000);
  EXPECT_DOUBLE_EQ(s.unitsPerMm(), 10);
  EXPECT_EQ(s.leftOffset(), 33);
  EXPECT_EQ(s.topOffset(), 17);
}

TEST_F(ScreenSurfaceTest, PensComeFromTheSurfacePens) {
  SurfacePens pens;
  pens.colours[3] = rgb(0, 0, 128);
  pens.colours[8] = rgb(200, 100, 50);
  pens.lineWidth = 3;
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 1400, 900, pens, ScreenPaper::A4);
  s.selectPen(9);
  s.moveTo(10, 20);
  s.lineTo(30, 40);
  s.setLineType(true);
  s.lineTo(50, 60);
  s.selectPen(4);
  s.setCharSize(0.28, 0.5);  // 5 mm at 5 px/mm = 25 px
  s.setLabelDirection(0, 100);
  s.label(70, 80, "XII");
  s.frameRectangle(1380, 880);

  const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].p, (std::vector<double>{10, 20, 30, 40}));
  EXPECT_EQ(lines[0].pen, (Pen{rgb(200, 100, 50), 3, PenStyle::Solid}));
  EXPECT_EQ(lines[1].pen.style, PenStyle::Dash);
  const auto texts = canvas.ofKind(PrimitiveKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "XII");
  EXPECT_EQ(texts[0].font.face, "Arial");
  EXPECT_DOUBLE_EQ(texts[0].font.height, 25);
  EXPECT_DOUBLE_EQ(texts[0].font.angle, 90);
  EXPECT_EQ(texts[0].font.colour, rgb(0, 0, 128));
  const auto rects = canvas.ofKind(PrimitiveKind::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].p, (std::vector<double>{0, 0, 1380, 880}));
  EXPECT_DOUBLE_EQ(rects[0].pen.width, 1);
  EXPECT_EQ(rects[0].brush.style, BrushStyle::Clear);
}

// A width set with setPenWidth stays when another pen is selected, as the
// plotter's PW stays over SP: the constructions set the width of a line
// and then its pen. Before any width is set, pens draw lineWidth wide.
TEST_F(ScreenSurfaceTest, PenWidthStaysWhenAnotherPenIsSelected) {
  struct Step {
    int setWidth;  // 0: none
    int pen;
    double drawnWidth;
  };
  const Step kSteps[] = {{0, 2, 2}, {3, 5, 3}, {0, 6, 3}, {0, 4, 3}, {1, 7, 1}, {0, 8, 1}, {0, 0, 1}};
  SurfacePens pens;
  for (int pen = 1; pen <= 12; ++pen) pens.colours[static_cast<std::size_t>(pen - 1)] = rgb(pen, 2 * pen, 3);
  pens.lineWidth = 2;
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 1400, 900, pens, ScreenPaper::A4);
  double x = 0;
  for (const Step& step : kSteps) {
    if (step.setWidth) s.setPenWidth(step.setWidth);
    s.selectPen(step.pen);
    s.moveTo(x, 0);
    s.lineTo(x, 10);
    x += 5;
  }
  const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
  ASSERT_EQ(lines.size(), std::size(kSteps));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    EXPECT_DOUBLE_EQ(lines[i].pen.width, kSteps[i].drawnWidth);
    if (kSteps[i].pen >= 1) {
      EXPECT_EQ(lines[i].pen.colour, rgb(kSteps[i].pen, 2 * kSteps[i].pen, 3));
    }
  }
}

TEST_F(ScreenSurfaceTest, DrawingScaleFollowsTheLayout) {
  RecordingCanvas canvas;
  const ScreenSurface a4 = ScreenSurface::screen(canvas, 1680, 1000, SurfacePens{}, ScreenPaper::A4);
  EXPECT_DOUBLE_EQ(a4.unitsPerMm(), 6);    // 1680 / 280
  const ScreenSurface a3 = ScreenSurface::screen(canvas, 1680, 1000, SurfacePens{}, ScreenPaper::A3);
  EXPECT_DOUBLE_EQ(a3.unitsPerMm(), 4);    // 1680 / 420
}

TEST_F(ScreenSurfaceTest, CircleAndArc) {
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 800, 600, SurfacePens{}, ScreenPaper::A4);
  s.circle(100, 200, 50);
  ASSERT_EQ(canvas.ofKind(PrimitiveKind::Ellipse).size(), 1u);
  EXPECT_EQ(canvas.ofKind(PrimitiveKind::Ellipse)[0].p, (std::vector<double>{50, 150, 150, 250}));
  // From the point above the centre (y down), a quarter turn
  // counter-clockwise ends left of the centre.
  s.moveTo(300, 200);
  s.arc(300, 300, 90);
  const auto arcs = canvas.ofKind(PrimitiveKind::Arc);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].p[4], 90, 1e-12);   // start angle
  EXPECT_NEAR(arcs[0].p[5], 90, 1e-12);   // sweep
  EXPECT_NEAR(canvas.currentX(), 200, 1e-9);
  EXPECT_NEAR(canvas.currentY(), 300, 1e-9);
}

TEST_F(ScreenSurfaceTest, RotatedTextSelectsTheFontForOneCall) {
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 800, 600, SurfacePens{}, ScreenPaper::A4);
  s.setFontFace("Times New Roman");
  Font before;
  before.face = "Courier New";
  before.height = 11;
  canvas.setFont(before);
  rotatedText(s, 40, 50, "Sommer", kFontWeightBold, 18, 37.5);
  rotatedText(s, 40, 50, "", kFontWeightBold, 18, 37.5);
  const auto texts = canvas.ofKind(PrimitiveKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.face, "Times New Roman");
  EXPECT_DOUBLE_EQ(texts[0].font.height, 18);
  EXPECT_EQ(texts[0].font.weight, kFontWeightBold);
  EXPECT_DOUBLE_EQ(texts[0].font.angle, 37.5);
  EXPECT_EQ(canvas.font(), before);
}

TEST_F(ScreenSurfaceTest, FrameMargins) {
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 800, 600, SurfacePens{}, ScreenPaper::A4);
  frameMargins(s, 800, 600, 10);
  const auto fills = canvas.ofKind(PrimitiveKind::FillRectangle);
  ASSERT_EQ(fills.size(), 4u);
  for (const auto& f : fills) EXPECT_EQ(f.colour, kWhite);
  EXPECT_EQ(fills[0].p, (std::vector<double>{0, 0, 800, 10}));
  EXPECT_EQ(fills[1].p, (std::vector<double>{0, 590, 800, 600}));
  EXPECT_EQ(fills[2].p, (std::vector<double>{0, 0, 10, 600}));
  EXPECT_EQ(fills[3].p, (std::vector<double>{790, 0, 800, 600}));
  const auto frame = canvas.ofKind(PrimitiveKind::Rectangle);
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_EQ(frame[0].p, (std::vector<double>{10, 10, 790, 589}));
  EXPECT_EQ(frame[0].pen.colour, rgb(192, 192, 192));
  EXPECT_EQ(frame[0].brush.style, BrushStyle::Clear);  // the drawing stays visible
}

// The grid as the loops of its rule produce it, for comparison.
struct GridLines {
  long long x0, y0, lastX, lastY;
};
GridLines gridByLoops(long long spacing, long long left, long long top, long long right,
                      long long bottom, long long x0, long long y0) {
  while (spacing + left < x0) x0 -= spacing;
  while (spacing + top < y0) y0 -= spacing;
  long long lx = x0, ly = y0;
  while (lx < right - spacing) lx += spacing;
  while (ly < bottom - spacing) ly += spacing;
  return {x0, y0, lx, ly};
}

struct GridRow {
  const char* name;
  bool printer, paperA4;
  double spacingMm;
  int bottom, right, y0, x0;
  long long spacing, mark;  // expected spacing and mark half-size
  long long firstX, firstY, lastX, lastY;
};

// Hand-worked: screen spacing Round(10 * 1120 / 280) = 40, mark Round(1120 / 160) = 7.
const GridRow kGrids[] = {
    {"screen", false, true, 10, 780, 1120, 300, 500, 40, 7, 20, 20, 1100, 740},
    {"origin at spacing", false, true, 10, 780, 1120, 40, 40, 40, 7, 40, 40, 1080, 760},
    {"origin one past", false, true, 10, 780, 1120, 41, 41, 40, 7, 1, 1, 1081, 761},
    {"saved layout", false, false, 10, 780, 1120, 300, 500, 27, 7, 14, 3, 1094, 759},
    // Printer: spacing 100, mark 10, page offsets 33 / 17 of the laser page.
    {"printer", true, true, 10, 1960, 2800, 1000, 1400, 100, 10, 100, 100, 2700, 1900},
};

TEST_F(ScreenSurfaceTest, ScreenGridTable) {
  for (const auto& g : kGrids) {
    RecordingCanvas canvas;
    ScreenSurface s = g.printer ? ScreenSurface::printer(canvas, kPages[0].device, SurfacePens{})
                                : ScreenSurface::screen(canvas, g.right + 20, g.bottom + 20, SurfacePens{},
                                                        g.paperA4 ? ScreenPaper::A4 : ScreenPaper::A3);
    screenGrid(s, g.printer, rgb(1, 2, 3), g.spacingMm, g.bottom, g.right, g.y0, g.x0);

    const auto rects = canvas.ofKind(PrimitiveKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u) << g.name;
    EXPECT_EQ(rects[0].p, (std::vector<double>{double(g.x0 - g.mark), double(g.y0 - g.mark),
                                               double(g.x0 + g.mark), double(g.y0 + g.mark)}))
        << g.name;
    EXPECT_EQ(rects[0].pen.colour, rgb(1, 2, 3));

    const GridLines loops = gridByLoops(g.spacing, s.leftOffset(), s.topOffset(), g.right,
                                        g.bottom, g.x0, g.y0);
    EXPECT_EQ(loops.x0, g.firstX) << g.name;
    EXPECT_EQ(loops.y0, g.firstY) << g.name;
    EXPECT_EQ(loops.lastX, g.lastX) << g.name;
    EXPECT_EQ(loops.lastY, g.lastY) << g.name;

    const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
    const long long nx = (g.lastX - g.firstX) / g.spacing + 1;
    const long long ny = (g.lastY - g.firstY) / g.spacing + 1;
    ASSERT_EQ(static_cast<long long>(lines.size()), nx + ny) << g.name;
    EXPECT_EQ(lines.front().p, (std::vector<double>{double(g.firstX), double(g.firstY),
                                                    double(g.firstX), double(g.lastY)}))
        << g.name;
    EXPECT_EQ(lines[nx - 1].p, (std::vector<double>{double(g.lastX), double(g.firstY),
                                                    double(g.lastX), double(g.lastY)}))
        << g.name;
    EXPECT_EQ(lines.back().p, (std::vector<double>{double(g.firstX), double(g.lastY),
                                                   double(g.lastX), double(g.lastY)}))
        << g.name;
  }
}

TEST_F(ScreenSurfaceTest, ScreenGridWithoutSpacingDrawsTheMarkOnly) {
  RecordingCanvas canvas;
  ScreenSurface s = ScreenSurface::screen(canvas, 800, 600, SurfacePens{}, ScreenPaper::A4);
  screenGrid(s, false, kBlack, 0.01, 580, 780, 300, 400);  // Round(0.01 * 780 / 280) = 0
  EXPECT_EQ(canvas.ofKind(PrimitiveKind::Rectangle).size(), 1u);
  EXPECT_TRUE(canvas.ofKind(PrimitiveKind::LineTo).empty());
}

TEST(Canvas, ArcThroughRadials) {
  RecordingCanvas canvas;
  // Box 0..100: from the radial through the right edge counter-clockwise
  // to the one through the top: a quarter from 0 degrees.
  canvas.arcThroughRadials(0, 0, 100, 100, 100, 50, 50, 0);
  // From the top to the right edge: three quarters.
  canvas.arcThroughRadials(0, 0, 100, 100, 50, 0, 100, 50);
  // Equal radials: the whole ellipse.
  canvas.arcThroughRadials(0, 0, 200, 100, 150, 10, 150, 10);
  const auto arcs = canvas.ofKind(PrimitiveKind::Arc);
  ASSERT_EQ(arcs.size(), 3u);
  EXPECT_EQ(arcs[0].p, (std::vector<double>{50, 50, 50, 50, 0, 90}));
  EXPECT_EQ(arcs[1].p, (std::vector<double>{50, 50, 50, 50, 90, 270}));
  EXPECT_DOUBLE_EQ(arcs[2].p[5], 360);
}

TEST(Canvas, ApproximateTextExtent) {
  Font f;
  f.height = 20;
  const TextSize s = approximateTextExtent(f, "Höhe");  // four characters, five bytes
  EXPECT_DOUBLE_EQ(s.width, 4 * 0.6 * 20);
  EXPECT_DOUBLE_EQ(s.height, 1.15 * 20);
  EXPECT_DOUBLE_EQ(approximateTextExtent(f, "").width, 0);
}

TEST(RecordingCanvas, ReplayReproducesTheCalls) {
  RecordingCanvas a;
  a.setPen({rgb(255, 0, 0), 2, PenStyle::Dash});
  a.moveTo(1, 2);
  a.lineTo(3, 4);
  a.lineTo(5, 6);
  a.setBrush({rgb(0, 255, 0), BrushStyle::Solid});
  a.ellipse(0, 0, 10, 20);
  a.floodFill(5, 5, kBlack, FloodMode::Border);
  a.setClip(0, 0, 50, 50);
  a.text(7, 8, "x");
  a.resetClip();
  RecordingCanvas b;
  a.replay(b);
  ASSERT_EQ(a.primitives.size(), b.primitives.size());
  for (std::size_t i = 0; i < a.primitives.size(); ++i) {
    EXPECT_EQ(a.primitives[i].kind, b.primitives[i].kind) << i;
    EXPECT_EQ(a.primitives[i].p, b.primitives[i].p) << i;
    EXPECT_EQ(a.primitives[i].pen, b.primitives[i].pen) << i;
    EXPECT_EQ(a.primitives[i].brush, b.primitives[i].brush) << i;
  }
}

}  // namespace
}  // namespace tavrel
