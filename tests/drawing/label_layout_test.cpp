// Label layout and fit of every dial family and of the table window's
// graphs: the picture and the printed page are recorded, every text is
// turned into the box its ink covers (the recording canvas's advance of
// 0.6 em a character; from the top of the tall letters to the bottom of
// the descenders), turned about its top-left corner, and
//   - no two boxes overlap,
//   - no box leaves the picture or the printed page,
//   - the construction's lines, circles and arcs stay on the picture and
//     on the page (what a family paints over at the frame excepted);
//   - the labels of the HPGL plot ("LB" in its "SI" size and "DI"
//     direction) do not overlap either.
// The designs are a table: every family, every variant, both hemispheres
// where the drawing turns round, at the start-up defaults (as the
// dial-type window leaves them).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_fields.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/dial_family.h"
#include "drawing/drawing_controller.h"
#include "drawing/save_route.h"
#include "plot/hpgl_writer.h"
#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "tables/graphs.h"
#include "tests/dials/plot_file_test_util.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {

constexpr int kWidth = 1600, kHeight = 1000;
// A laser printer's A4 sheet in landscape with 5 mm unprintable margins,
// at 600 dots per inch.
const PrinterDevice kPrinter{287, 200, 6780, 4724, 118, 118, false};

// ---- what the recording holds -----------------------------------------------

constexpr double kInkTopEm = 0.18, kBaselineEm = 0.93, kInkBottomEm = 1.12;

struct Point {
  double x, y;
};

// The box a text covers, as four corners (top-left, top-right,
// bottom-right, bottom-left as the text reads).
struct TextBox {
  std::string text;
  double height;
  std::array<Point, 4> corner;
};

// Leading and trailing blanks take no room on the paper.
TextBox boxOf(const Primitive& p) {
  const std::string& s = p.text;
  const std::size_t first = s.find_first_not_of(' ');
  const std::size_t last = s.find_last_not_of(' ');
  const std::string ink = s.substr(first, last - first + 1);
  const double advance = kAverageAdvanceEm * p.font.height;
  const double u0 = advance * static_cast<double>(utf8Length(s.substr(0, first)));
  const double u1 = u0 + advance * static_cast<double>(utf8Length(ink));
  // The ink of the common sans faces lies from the top of the tall
  // letters (0.18 em below the top of the cell) to the baseline (0.93 em
  // with the overshoot of round letters) or, with descenders, to their
  // bottom (1.12 em); lines one em apart do not touch.
  const bool descends = ink.find_first_of("gjpqyQ,;()[]{}|/@$_") != std::string::npos;
  const double v0 = kInkTopEm * p.font.height, v1 = (descends ? kInkBottomEm : kBaselineEm) * p.font.height;
  // Along the text (cos a, -sin a); down the text (sin a, cos a).
  const double a = radians(p.font.angle);
  const double ux = std::cos(a), uy = -std::sin(a), vx = std::sin(a), vy = std::cos(a);
  auto at = [&](double u, double v) { return Point{p.p[0] + u * ux + v * vx, p.p[1] + u * uy + v * vy}; };
  return {ink, p.font.height, {at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v1)}};
}

// How deep two convex quadrilaterals overlap: the smallest overlap of
// their projections on the four edge normals (separating axes); 0 or
// less when they do not meet.
double overlapDepth(const TextBox& a, const TextBox& b) {
  double depth = 1e300;
  for (const TextBox* box : {&a, &b})
    for (int e = 0; e < 2; ++e) {
      const Point p = box->corner[e], q = box->corner[e + 1];
      const double len = std::hypot(q.x - p.x, q.y - p.y);
      if (len == 0) continue;
      const double nx = -(q.y - p.y) / len, ny = (q.x - p.x) / len;
      double a0 = 1e300, a1 = -1e300, b0 = 1e300, b1 = -1e300;
      for (const Point& c : a.corner) a0 = std::min(a0, c.x * nx + c.y * ny), a1 = std::max(a1, c.x * nx + c.y * ny);
      for (const Point& c : b.corner) b0 = std::min(b0, c.x * nx + c.y * ny), b1 = std::max(b1, c.x * nx + c.y * ny);
      depth = std::min(depth, std::min(a1, b1) - std::max(a0, b0));
    }
  return depth;
}

struct Area {
  double x0, y0, x1, y1;
  bool holds(Point p, double slack) const {
    return p.x >= x0 - slack && p.x <= x1 + slack && p.y >= y0 - slack && p.y <= y1 + slack;
  }
};

std::vector<TextBox> textBoxes(const RecordingCanvas& c) {
  std::vector<TextBox> out;
  for (const Primitive& p : c.primitives)
    if (p.kind == PrimitiveKind::Text && p.text.find_first_not_of(' ') != std::string::npos)
      out.push_back(boxOf(p));
  return out;
}

std::string describe(const TextBox& b) {
  std::ostringstream s;
  s << '"' << b.text << "\" at (" << std::lround(b.corner[0].x) << ", " << std::lround(b.corner[0].y) << ") height "
    << b.height;
  return s.str();
}

// Overlaps deeper than `slack` units, and boxes reaching more than `slack`
// outside the area, one line each.
std::vector<std::string> labelFaults(const RecordingCanvas& c, const Area& area, double slack) {
  std::vector<std::string> faults;
  const std::vector<TextBox> boxes = textBoxes(c);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (const Point& p : boxes[i].corner)
      if (!area.holds(p, slack)) {
        faults.push_back("leaves the page: " + describe(boxes[i]));
        break;
      }
    for (std::size_t j = i + 1; j < boxes.size(); ++j)
      if (overlapDepth(boxes[i], boxes[j]) > slack)
        faults.push_back("overlap: " + describe(boxes[i]) + " and " + describe(boxes[j]));
  }
  return faults;
}

// The points the construction draws through: line ends, the boxes of
// circles and the points of arcs. Drawing under a clip rectangle counts as
// its clip rectangle; what a white rectangle covers later (the margins a
// family paints over lines that run off) does not count.
std::vector<std::string> geometryFaults(const RecordingCanvas& c, const Area& area, double slack) {
  std::vector<Area> whitened;
  for (const Primitive& p : c.primitives)
    if (p.kind == PrimitiveKind::FillRectangle && p.colour == kWhite)
      whitened.push_back({std::min(p.p[0], p.p[2]), std::min(p.p[1], p.p[3]), std::max(p.p[0], p.p[2]),
                          std::max(p.p[1], p.p[3])});
  auto hidden = [&](Point q) {
    if (area.holds(q, slack)) return true;
    return std::any_of(whitened.begin(), whitened.end(), [&](const Area& w) {
      // A margin strip along an edge of the area hides all beyond it.
      const bool strip = (w.x0 <= area.x0 + 1 && w.x1 < area.x1 && q.x <= w.x1) ||
                         (w.x1 >= area.x1 - 1 && w.x0 > area.x0 && q.x >= w.x0) ||
                         (w.y0 <= area.y0 + 1 && w.y1 < area.y1 && q.y <= w.y1) ||
                         (w.y1 >= area.y1 - 1 && w.y0 > area.y0 && q.y >= w.y0);
      return strip && (w.x1 - w.x0 < 0.5 * (area.x1 - area.x0) || w.y1 - w.y0 < 0.5 * (area.y1 - area.y0));
    });
  };
  std::vector<std::string> faults;
  double worst = 0;
  Point worstPoint{0, 0};
  const Primitive* worstPrimitive = nullptr;
  const Primitive* current = nullptr;
  auto check = [&](Point q) {
    if (hidden(q)) return;
    const double d = std::max({area.x0 - q.x, q.x - area.x1, area.y0 - q.y, q.y - area.y1});
    if (d > worst) worst = d, worstPoint = q, worstPrimitive = current;
  };
  bool clipped = false;
  for (const Primitive& p : c.primitives) {
    current = &p;
    switch (p.kind) {
      case PrimitiveKind::SetClip:
        clipped = true;
        check({p.p[0], p.p[1]});
        check({p.p[2], p.p[3]});
        break;
      case PrimitiveKind::ResetClip: clipped = false; break;
      case PrimitiveKind::LineTo:
        if (!clipped) check({p.p[0], p.p[1]}), check({p.p[2], p.p[3]});
        break;
      case PrimitiveKind::Ellipse:
        if (!clipped) check({p.p[0], p.p[1]}), check({p.p[2], p.p[3]});
        break;
      case PrimitiveKind::Arc:
        if (!clipped)
          for (int k = 0; k <= 16; ++k) {
            const double a = radians(p.p[4] + p.p[5] * k / 16);
            check({p.p[0] + p.p[2] * std::cos(a), p.p[1] - p.p[3] * std::sin(a)});
          }
        break;
      default: break;
    }
  }
  if (worst > 0) {
    std::ostringstream s;
    s << "geometry runs " << std::lround(worst) << " units off the page at (" << std::lround(worstPoint.x) << ", "
      << std::lround(worstPoint.y) << ") (primitive " << static_cast<int>(worstPrimitive->kind) << ", colour "
      << worstPrimitive->pen.colour << ")";
    faults.push_back(s.str());
  }
  return faults;
}

// ---- the plot file ------------------------------------------------------------
// The labels of an HPGL stream: each "LB" at the pen's position in the
// character size of the last "SI" (centimetres; 400 plotter units each)
// and the direction of the last "DI". A plotter advances 1.5 character
// widths a character; the box runs from the baseline to the top of the
// capitals. The stream's coordinates are absolute ("PA").
std::vector<TextBox> plotLabels(const std::string& hpgl) {
  std::vector<TextBox> out;
  double x = 0, y = 0, w = 0.187, h = 0.269, run = 1, rise = 0;
  std::size_t i = 0;
  auto numbers = [&](std::size_t from, std::size_t to) {
    std::vector<double> v;
    std::string s = hpgl.substr(from, to - from);
    for (char& c : s)
      if (c == ',') c = ' ';
    std::istringstream in(s);
    for (double d; in >> d;) v.push_back(d);
    return v;
  };
  while (i + 1 < hpgl.size()) {
    const std::string cmd = hpgl.substr(i, 2);
    if (cmd == "LB") {
      const std::size_t end = hpgl.find('\x03', i + 2);
      const std::string text = hpgl.substr(i + 2, end - i - 2);
      const double a = std::atan2(rise, run), ux = std::cos(a), uy = std::sin(a);
      const double length = 400 * w * (1.5 * static_cast<double>(text.size()) - 0.5), height = 400 * h;
      const std::size_t first = text.find_first_not_of(' ');
      if (first != std::string::npos) {
        const double lead = 400 * w * 1.5 * static_cast<double>(first);
        const std::size_t last = text.find_last_not_of(' ');
        const double tail = 400 * w * 1.5 * static_cast<double>(text.size() - 1 - last);
        auto at = [&](double u, double v) { return Point{x + u * ux - v * uy, y + u * uy + v * ux}; };
        out.push_back({text.substr(first, last - first + 1), height,
                       {at(lead, 0), at(length - tail, 0), at(length - tail, height), at(lead, height)}});
      }
      x += 400 * w * 1.5 * static_cast<double>(text.size()) * ux;
      y += 400 * w * 1.5 * static_cast<double>(text.size()) * uy;
      i = end == std::string::npos ? hpgl.size() : end + 1;
      continue;
    }
    std::size_t end = hpgl.find(';', i);
    if (end == std::string::npos) end = hpgl.size();
    const std::vector<double> v = numbers(i + 2, end);
    if ((cmd == "PU" || cmd == "PD" || cmd == "PA") && v.size() >= 2) x = v[v.size() - 2], y = v.back();
    if (cmd == "SI" && v.size() >= 2) w = v[0], h = v[1];
    if (cmd == "DI") run = v.size() >= 2 ? v[0] : 1, rise = v.size() >= 2 ? v[1] : 0;
    i = end + 1;
    while (i < hpgl.size() && hpgl[i] == ' ') ++i;
  }
  return out;
}

// Overlaps of plot labels deeper than `slack` units.
std::vector<std::string> plotLabelFaults(const std::string& hpgl, double slack) {
  std::vector<std::string> faults;
  const std::vector<TextBox> boxes = plotLabels(hpgl);
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j)
      if (overlapDepth(boxes[i], boxes[j]) > slack)
        faults.push_back("overlap: " + describe(boxes[i]) + " and " + describe(boxes[j]));
  return faults;
}

// ---- the designs --------------------------------------------------------------

enum class Picture {
  Dial,         // the drawing window's construction
  SecondDial,   // the family's second picture (ring chart, Hollander graphic)
  EotGraph,     // the table window's graphs
  PolarGraph,
  CartesianGraph,
};

struct LayoutCase {
  const char* name;
  // FIELD=VALUE pairs on top of the start-up defaults, as tavrel-cli --set.
  const char* settings;
  Picture picture = Picture::Dial;
  // Why the printed page may not hold the whole dial (empty: it must).
  // The dial is then allowed up to 15 mm beyond the sheet's edges.
  const char* printedOverflow = "";
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

// Every family at its defaults, each variant, the southern hemisphere
// where the dial turns round.
const LayoutCase kCases[] = {
    {"vertical", "dialKind=v"},
    {"vertical south", "dialKind=v latitude=-34 longitude=-151 zoneMeridian=-150 wallDeclination=170"},
    {"horizontal", "dialKind=h"},
    {"horizontal south", "dialKind=h latitude=-34 longitude=-151 zoneMeridian=-150"},
    {"inclined", "dialKind=i"},
    {"umbrella horizontal", "dialKind=h umbrellaMode=true"},
    {"umbrella vertical", "dialKind=v umbrellaMode=true"},
    {"umbrella inclined", "dialKind=i umbrellaMode=true"},
    {"quadrant calendar", "dialKind=q quadrantVariant=0"},
    {"quadrant calendar whole year", "dialKind=q quadrantVariant=0 wholeYearQuadrant=true"},
    {"quadrant declination", "dialKind=q quadrantVariant=0 zodiacScale=1"},
    {"quadrant zone time", "dialKind=q quadrantVariant=0 zoneTime=true localTime=false"},
    {"quadrant calendar south", "dialKind=q quadrantVariant=0 latitude=-34 longitude=-151 zoneMeridian=-150"},
    {"Gunter quadrant", "dialKind=q quadrantVariant=0 zodiacScale=2"},
    {"Gunter quadrant south", "dialKind=q quadrantVariant=0 zodiacScale=2 latitude=-34 longitude=-151 zoneMeridian=-150"},
    {"Habermel I", "dialKind=q quadrantVariant=1"},
    {"Habermel II", "dialKind=q quadrantVariant=2"},
    {"azimuthal date circles", "dialKind=a azimuthDialKind=0"},
    {"azimuthal date circles south", "dialKind=a azimuthDialKind=0 latitude=-34 longitude=-151 zoneMeridian=-150"},
    {"azimuthal altitude equal", "dialKind=a azimuthDialKind=1 azimuthHeightMode=0"},
    {"azimuthal horizontoscope", "dialKind=a azimuthDialKind=1 azimuthHeightMode=1"},
    {"azimuthal stereographic", "dialKind=a azimuthDialKind=1 azimuthHeightMode=2"},
    {"shepherd's dial", "dialKind=z cylinderVariant=0"},
    {"shepherd's dial south", "dialKind=z cylinderVariant=0 latitude=-34 longitude=-151 zoneMeridian=-150"},
    // At true size the crown of 270 mm and its altitude strip are wider
    // than the A4 sheet; tavrel-cli draw --tiles prints it whole.
    {"hat dial", "dialKind=z cylinderVariant=1", Picture::Dial, "true size wider than A4"},
    // The unrolled surface of a cylinder of radius 250 mm facing the
    // nodus is wider than the A4 sheet at true size (printed in tiles).
    {"polar-style cylinder", "dialKind=z cylinderVariant=2", Picture::Dial, "true size wider than A4"},
    {"hidokai", "dialKind=k withVerticalDial=false"},
    {"hidokai with wall", "dialKind=k withVerticalDial=true"},
    {"ring dial", "dialKind=r"},
    {"ring dial south", "dialKind=r latitude=-34 longitude=-151 zoneMeridian=-150"},
    {"ring chart", "dialKind=r", Picture::SecondDial},
    {"bi-azimuthal", "expertModeActive=true dialKind=c"},
    {"bi-azimuthal south", "expertModeActive=true dialKind=c latitude=-34 latitude2=-40"},
    {"Hollander horizontal", "expertModeActive=true dialKind=m hollanderVariant=0"},
    {"Hollander vertical", "expertModeActive=true dialKind=m hollanderVariant=1"},
    {"Hollander inclined", "expertModeActive=true dialKind=m hollanderVariant=2"},
    {"Hollander graphic", "expertModeActive=true dialKind=m", Picture::SecondDial},
    {"Sawyer", "dialKind=w"},
    {"Sawyer south", "dialKind=w latitude=-47.25"},
    {"Peaucellier", "dialKind=p"},
    {"ham dial", "dialKind=o"},
    {"equation-of-time graph", "", Picture::EotGraph},
    {"polar sun-path diagram", "", Picture::PolarGraph},
    {"polar sun-path diagram south", "latitude=-34 longitude=-151 zoneMeridian=-150", Picture::PolarGraph},
    {"cartesian sun-path diagram", "", Picture::CartesianGraph},
};

class LabelLayoutTest : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void SetUp() override {
    DesignState& d = testing::startEnglishDesign(2026);
    prepareObliquity(d.referenceYear);
    std::istringstream settings(GetParam().settings);
    for (std::string kv; settings >> kv;) {
      const std::size_t eq = kv.find('=');
      ASSERT_NE(eq, std::string::npos) << kv;
      const auto error = setDesignField(d, kv.substr(0, eq), kv.substr(eq + 1));
      ASSERT_FALSE(error) << *error;
    }
    // As the dial-type window leaves the design when it closes (the
    // Habermel gnomon follows the diameter).
    if (const DialFamily* f = familyOf(d); f && f->afterCloseCheck) f->afterCloseCheck(d);
  }

  // The picture (screen true) or the printed page of the case.
  RecordingCanvas record(bool screen, Area& area) {
    RecordingCanvas canvas;
    const Picture what = GetParam().picture;
    if (what == Picture::Dial || what == Picture::SecondDial) {
      RecordingCanvas picture;
      DrawingController controller(screen ? canvas : picture);
      controller.applyActivationDefaults(kWidth, kHeight);
      area = {0, 0, kWidth, kHeight};
      if (what == Picture::SecondDial) {
        controller.showExtraPicture();
      } else if (screen) {
        controller.construct();
      } else {
        // A ring longer than the page is printed reduced when the user
        // agrees.
        platform->answers.assign(4, MsgAnswer::Yes);
        controller.constructOnPrinter(canvas, kPrinter);
        const ScreenSurface page = printerSurfaceOf(design(), canvas, kPrinter);
        area = {0, 0, double(page.width()), double(page.height())};
      }
      return canvas;
    }
    GraphChoice choice;
    choice.kind = what == Picture::EotGraph ? kEotGraphKind : kSunPathKind;
    choice.polar = what == Picture::PolarGraph;
    if (screen) {
      ScreenSurface s = screenSurfaceOf(design(), canvas, kWidth, kHeight);
      drawGraphChoice(s, choice, 0, 0, kHeight, kWidth, true);
      area = {0, 0, kWidth, kHeight};
    } else {
      ScreenSurface s = printerSurfaceOf(design(), canvas, kPrinter);
      const PrinterPage& p = s.page();
      drawGraphChoice(s, choice, p.offsetX, p.offsetY, p.printableHeight, p.printableWidth, false);
      area = {0, 0, double(s.width()), double(s.height())};
    }
    return canvas;
  }

  // The plot file of the case as "Save as HPGL-File" writes it (the
  // graphs as the table window saves them); empty when the family has no
  // plot.
  std::string plotText() {
    namespace fs = std::filesystem;
    const fs::path folder = testing::scratchFolder("tavrel_layout_");
    const fs::path file = folder / "plot.plt";
    fs::remove(file);
    const Picture what = GetParam().picture;
    if (what == Picture::Dial || what == Picture::SecondDial) {
      RecordingCanvas picture;
      DrawingController controller(picture);
      controller.applyActivationDefaults(kWidth, kHeight);
      SavePanel panel;
      openSavePanel(controller.state(), panel, PlotTarget::Hpgl);
      setPanelPlotFileName(controller.state(), panel, file.string());
      SaveChoices choices;
      choices.askFileName = false;
      choices.grid = PlotGrid::Off;
      if (savePlot(controller, panel, {}, choices) != SaveResult::Saved) return {};
    } else {
      HpglWriter w;
      w.hpglOpen(file.string());
      if (what == Picture::EotGraph) plotEotGraph(w, {});
      else if (what == Picture::PolarGraph) plotSunPathPolar(w, {});
      else plotSunPathCartesian(w, {});
      w.hpglClose();
    }
    const std::string text = testing::readAll(file);
    fs::remove_all(folder);
    return text;
  }

  ScopedScriptedPlatform platform;
};

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += "\n  " + l;
  return s;
}

class PictureLayout : public LabelLayoutTest {};
class PrintedLayout : public LabelLayoutTest {};

// The window picture: labels apart and on the picture, lines on it.
TEST_P(PictureLayout, LabelsApartAndOnThePicture) {
  Area area{};
  const RecordingCanvas c = record(true, area);
  ASSERT_FALSE(textBoxes(c).empty()) << "nothing was written";
  // A pixel's touch is no overlap on the screen.
  const std::vector<std::string> labels = labelFaults(c, area, 1);
  EXPECT_TRUE(labels.empty()) << labels.size() << " label faults:" << joined(labels);
  const std::vector<std::string> lines = geometryFaults(c, area, 1);
  EXPECT_TRUE(lines.empty()) << joined(lines);
}

// The printed page (0.1 mm): the same.
TEST_P(PrintedLayout, LabelsApartAndOnThePage) {
  Area area{};
  const RecordingCanvas c = record(false, area);
  ASSERT_FALSE(textBoxes(c).empty()) << "nothing was printed";
  const std::vector<std::string> labels = labelFaults(c, area, 2);
  EXPECT_TRUE(labels.empty()) << labels.size() << " label faults:" << joined(labels);
  const bool overflows = *GetParam().printedOverflow != 0;
  const std::vector<std::string> lines = geometryFaults(c, area, overflows ? 150 : 5);
  EXPECT_TRUE(lines.empty()) << joined(lines);
}

// The plot file: its labels apart (half a millimetre of slack).
TEST_P(PictureLayout, PlotLabelsApart) {
  const std::string hpgl = plotText();
  if (hpgl.empty()) {
    EXPECT_FALSE(dialPlottable(design())) << "no plot written";
    return;
  }
  ASSERT_FALSE(plotLabels(hpgl).empty()) << "no label in the plot";
  const std::vector<std::string> faults = plotLabelFaults(hpgl, 20);
  EXPECT_TRUE(faults.empty()) << faults.size() << " label faults:" << joined(faults);
}

std::string caseName(const ::testing::TestParamInfo<LayoutCase>& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
}

// A second picture is only shown, not printed.
std::vector<LayoutCase> printedCases() {
  std::vector<LayoutCase> out;
  for (const LayoutCase& c : kCases)
    if (c.picture != Picture::SecondDial) out.push_back(c);
  return out;
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, PictureLayout, ::testing::ValuesIn(kCases), caseName);
INSTANTIATE_TEST_SUITE_P(EveryFamily, PrintedLayout, ::testing::ValuesIn(printedCases()), caseName);

}  // namespace
}  // namespace tavrel
