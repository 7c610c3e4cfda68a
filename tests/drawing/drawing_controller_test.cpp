// The drawing window's controller: activation defaults, zoom, page
// layout, gnomon foot, dispatch and the messages on the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>
#include <string>

#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "astro/startup.h"
#include "dials/dial_family.h"
#include "drawing/drawing.h"
#include "plot/recording_canvas.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {

// A family of this test only, letter 'x': one row is all a family needs to
// be drawn. The construction records what it got.
struct TestFamilyCalls {
  int draws = 0;
  bool screenMode = false;
  int width = 0;
};
TestFamilyCalls testFamilyCalls;

const DialFamilyRegistrar kTestFamily{[] {
  DialFamily f;
  f.id = "test";
  f.kinds = {{'x', 99}};
  f.capabilities = kCapTextAnchor;
  f.draw = [](DialScreenRequest& r) {
    ++testFamilyCalls.draws;
    testFamilyCalls.screenMode = r.screenMode;
    testFamilyCalls.width = r.width;
  };
  f.plot = [](HpglWriter&, const DialPlotRequest&) -> PlotOutcome { return {}; };
  return f;
}()};

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    useLanguage(2);
  }
  ScopedScriptedPlatform platform;
  RecordingCanvas canvas;
};

// Activation defaults (Round is half to even):
//   foot x0 = (W + 1) div 2; y0 = Round((W + 1) / 32) for 'v', else
//   Round(3 H / 4) when |lat| > 30, else (H + 1) div 2; H - y0 south (not 'v');
//   text x = Round(3 W / 8); y = Round(0.85 H) 'v', else H div 25, south H - W div 10.
struct ActivationRow {
  char kind;
  double latitude;
  int width, height;
  double footX, footY, textX, textY;
};
const ActivationRow kActivation[] = {
    {'v', 47.25, 1600, 1000, 800, 50, 600, 850},
    {'v', -40, 1601, 999, 801, 50, 600, 849},
    {'h', 47.25, 1600, 1000, 800, 750, 600, 40},
    {'h', 20, 1600, 1000, 800, 500, 600, 40},
    {'h', -34, 1600, 1000, 800, 250, 600, 840},
    {'i', -10, 1200, 801, 600, 400, 450, 681},
    {'i', 52, 1000, 700, 500, 525, 375, 28},
};

TEST_F(ControllerTest, ActivationDefaultsPerDialKindAndHemisphere) {
  for (const ActivationRow& r : kActivation) {
    SCOPED_TRACE(std::string(1, r.kind) + " " + std::to_string(r.latitude));
    design().dialKind = r.kind;
    design().latitude = r.latitude;
    DrawingController c(canvas);
    c.applyActivationDefaults(r.width, r.height);
    EXPECT_EQ(c.state().footX, r.footX);
    EXPECT_EQ(c.state().footY, r.footY);
    EXPECT_EQ(c.state().textX, r.textX);
    EXPECT_EQ(c.state().textY, r.textY);
    EXPECT_FALSE(c.state().gnomonFootFixed);
    EXPECT_FALSE(c.state().textAnchorMarked);
  }
}

TEST_F(ControllerTest, CaptionsAndHint) {
  DrawingController c(canvas);
  design().dialKind = 'v';
  c.applyActivationDefaults(800, 500);
  EXPECT_EQ(c.state().caption, "Construction of a Vertical Sundial");
  EXPECT_EQ(c.state().hint,
            "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!");
  design().dialKind = 'p';
  c.applyActivationDefaults(800, 500);
  EXPECT_EQ(c.state().caption, "Construction of a Peaucellier-Azimuthal Sundial");
  design().language = 1;
  design().dialKind = 'h';
  c.applyActivationDefaults(800, 500);
  EXPECT_EQ(c.state().caption, "Konstruktion einer horizontalen Sonnenuhr");
}

// The ring dial's second picture (its correction chart) is offered by the
// family table; a planar dial has none and draws nothing on the request.
TEST_F(ControllerTest, SecondPictureComesFromTheFamilyTable) {
  struct Case {
    char kind;
    bool offered;
  };
  for (const Case c : {Case{'r', true}, Case{'h', false}, Case{'z', false}}) {
    design().language = 2;
    design().dialKind = c.kind;
    canvas.primitives.clear();
    DrawingController controller(canvas);
    controller.applyActivationDefaults(800, 500);
    EXPECT_EQ(controller.extraPictureButtonRow() >= 0, c.offered) << c.kind;
    canvas.primitives.clear();
    controller.showExtraPicture();
    bool chart = false;
    for (const Primitive& p : canvas.primitives) chart = chart || p.text == "Scale inner ring [deg]";
    EXPECT_EQ(chart, c.offered) << c.kind;
  }
}

TEST_F(ControllerTest, EightZoomStepsDoubleExactly) {
  design().dialKind = 'h';
  DrawingController c(canvas);
  c.applyActivationDefaults(800, 500);
  for (int k = 0; k < 8; ++k) c.zoomIn();
  EXPECT_EQ(c.zoomFactor(), 2.0);
  for (int k = 0; k < 16; ++k) c.zoomOut();
  EXPECT_EQ(c.zoomFactor(), 0.5);
  c.zoomIn();
  EXPECT_DOUBLE_EQ(c.zoomFactor(), 0.5 * kZoomStep);
  c.display();
  EXPECT_EQ(c.zoomFactor(), 1.0);
}

TEST_F(ControllerTest, WheelRule) {
  design().dialKind = 'h';
  DrawingController c(canvas);
  c.applyActivationDefaults(800, 500);
  c.wheel(-300);  // a fast downward step only redraws
  EXPECT_EQ(c.zoomFactor(), 1.0);
  c.wheel(120);
  EXPECT_DOUBLE_EQ(c.zoomFactor(), 1.06);
  c.wheel(-299);
  EXPECT_DOUBLE_EQ(c.zoomFactor(), 1.06 * (1 - 299 / 2000.0));
}

TEST_F(ControllerTest, GnomonBelowFiveMillimetresSetsTheZoom) {
  design().dialKind = 'h';
  design().gnomonLength = 35;
  DrawingController c(canvas);
  c.applyActivationDefaults(800, 500);
  c.setZoomFactor(0.05);
  c.construct();
  EXPECT_DOUBLE_EQ(c.zoomFactor(), 5.0 / 35);
}

// The gnomon scale bar is L long: gnomonLength * zoom mm at W / 280 px per
// mm in the printed layout and W / 420 in the saved one.
double scaleBarLength(const RecordingCanvas& canvas) {
  const Colour pen4 = design().colors[3];
  for (const Primitive& p : canvas.primitives)
    if (p.kind == PrimitiveKind::LineTo && p.pen.colour == pen4 && p.p[1] == p.p[3] && p.p[2] > p.p[0] &&
        p.p[1] > 900)
      return p.p[2] - p.p[0];
  return -1;
}

TEST_F(ControllerTest, PageLayoutsScaleTheDial) {
  design().dialKind = 'h';
  design().gnomonLength = 35;
  DrawingController c(canvas);
  c.applyActivationDefaults(1400, 1000);
  c.setPaperA4(true);
  EXPECT_NEAR(scaleBarLength(canvas), 35 * 1400 / 280.0, 1e-9);
  canvas.primitives.clear();
  c.setPaperA4(false);
  EXPECT_FALSE(design().paperA4);
  EXPECT_NEAR(scaleBarLength(canvas), 35 * 1400 / 420.0, 1e-9);
  canvas.primitives.clear();
  c.zoomIn();
  EXPECT_NEAR(scaleBarLength(canvas), std::round(35 * kZoomStep * 100) / 100 * 1400 / 420.0, 1e-9);
}

// Width of everything drawn with lines (the picture's frame left out).
double drawnWidth(const RecordingCanvas& canvas, int width) {
  double lo = 1e300, hi = -1e300;
  for (const Primitive& p : canvas.primitives)
    if (p.kind == PrimitiveKind::LineTo)
      for (double x : {p.p[0], p.p[2]})
        if (x > 2 && x < width - 2) lo = std::min(lo, x), hi = std::max(hi, x);
  return hi - lo;
}

// The cylinder with polar style zooms in and out; the shepherd's dial,
// which fills its page, does not.
TEST_F(ControllerTest, PolarStyleCylinderZooms) {
  design().dialKind = 'z';
  design().cylinderVariant = 0;
  DrawingController c(canvas);
  c.applyActivationDefaults(1600, 1000);
  EXPECT_FALSE(c.state().zoomCommandsEnabled);
  design().cylinderVariant = 2;
  c.applyActivationDefaults(1600, 1000);
  ASSERT_TRUE(c.state().zoomCommandsEnabled);
  c.construct();
  const double before = drawnWidth(canvas, 1600);
  canvas.primitives.clear();
  c.zoomOut();
  const double after = drawnWidth(canvas, 1600);
  ASSERT_GT(before, 100);
  EXPECT_NEAR(after / before, 1 / kZoomStep, 0.03);
}

TEST_F(ControllerTest, ActivationConstructsAndAsksToFixTheFoot) {
  design().dialKind = 'v';
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  EXPECT_TRUE(c.angleTable().computed);
  ASSERT_FALSE(canvas.primitives.empty());
  EXPECT_EQ(canvas.primitives.front().kind, PrimitiveKind::FillRectangle);  // the clear
  const Primitive& last = canvas.primitives.back();
  ASSERT_EQ(last.kind, PrimitiveKind::Text);
  EXPECT_EQ(last.text, "Please fix the gnomon position with mouse click!");
  EXPECT_EQ(last.p[0], 800 - 130);
  EXPECT_EQ(last.p[1], 50 + 30);
  EXPECT_EQ(last.font.colour, rgb(0, 0, 128));
  EXPECT_EQ(c.state().caption, "Construction of a Vertical Sundial");
  EXPECT_EQ(c.state().hint, "");  // cleared by the construction
}

// The request to fix the gnomon foot (message 43 on the picture) and the
// hint panel follow what a click does on each dial: the foot and the text
// block, the foot alone, the ham dial's hour points, or nothing at all.
TEST_F(ControllerTest, FixTheFootOnlyWhereAClickPlacesIt) {
  const std::string both = "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!";
  const std::string footOnly = "Left mouseclick fixes the gnomon position!";
  const std::string ham =
      "<Ctrl> + left mouse click: mark (max.8) hour points - <Shift> + left mouse click: draw the marked hour "
      "points - <Alt> + left mouse click: delete hour points";
  struct Case {
    const char* name;
    char kind;
    bool umbrella;
    int quadrantVariant, cylinderVariant;
    bool asksForFoot;
    std::string hint;
  };
  const Case cases[] = {
      {"vertical", 'v', false, 0, 0, true, both},
      {"umbrella", 'h', true, 0, 0, true, both},
      {"bi-azimuthal", 'c', false, 0, 0, true, both},
      {"Hollander", 'm', false, 0, 0, true, both},
      {"Peaucellier", 'p', false, 0, 0, true, both},
      {"Sawyer", 'w', false, 0, 0, true, footOnly},
      {"cylinder, polar style", 'z', false, 0, 2, true, both},
      {"shepherd's dial", 'z', false, 0, 0, false, ""},
      {"quadrant", 'q', false, 0, 0, false, ""},
      {"Habermel", 'q', false, 1, 0, false, ""},
      {"ring", 'r', false, 0, 0, false, ""},
      {"hidokai", 'k', false, 0, 0, false, ""},
      {"azimuthal", 'a', false, 0, 0, false, ""},
      {"ham", 'o', false, 0, 0, false, ham},
  };
  design().expertMode = design().expertModeActive = true;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    design().dialKind = k.kind;
    design().umbrellaMode = k.umbrella;
    design().quadrantVariant = static_cast<std::uint8_t>(k.quadrantVariant);
    design().cylinderVariant = static_cast<std::uint8_t>(k.cylinderVariant);
    canvas.primitives.clear();
    DrawingController c(canvas);
    c.applyActivationDefaults(1600, 1000);
    EXPECT_EQ(c.state().hint, k.hint);
    c.showDrawing(1600, 1000);
    int requests = 0;
    for (const Primitive& p : canvas.primitives)
      if (p.kind == PrimitiveKind::Text && p.text == "Please fix the gnomon position with mouse click!") ++requests;
    EXPECT_EQ(requests, k.asksForFoot ? 1 : 0);
  }
}

// True when every "(" and "[" of the text is closed, in order.
bool bracketsClosed(const std::string& text) {
  std::string open;
  for (char ch : text) {
    if (ch == '(' || ch == '[') open.push_back(ch);
    if (ch == ')' || ch == ']') {
      if (open.empty() || open.back() != (ch == ')' ? '(' : '[')) return false;
      open.pop_back();
    }
  }
  return open.empty();
}

// Every text a construction writes on the picture closes its brackets, in
// both languages (a stray or missing bracket is a typing slip on the dial).
TEST_F(ControllerTest, PictureTextsCloseTheirBrackets) {
  struct Case {
    const char* name;
    char kind;
    int cylinderVariant;
  };
  const Case cases[] = {{"vertical", 'v', 0},     {"horizontal", 'h', 0},  {"quadrant", 'q', 0},
                        {"azimuthal", 'a', 0},    {"shepherd", 'z', 0},    {"hat", 'z', 1},
                        {"polar style", 'z', 2},  {"hidokai", 'k', 0},     {"ring", 'r', 0},
                        {"bi-azimuthal", 'c', 0}, {"Hollander", 'm', 0},   {"Sawyer", 'w', 0},
                        {"Peaucellier", 'p', 0},  {"ham", 'o', 0}};
  design().expertMode = design().expertModeActive = true;
  for (const int language : {1, 2}) {
    design().language = language;
    design().stringOffset = language == 2 ? 2000 : 0;
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(k.name) + (language == 1 ? " de" : " en"));
      design().dialKind = k.kind;
      design().cylinderVariant = static_cast<std::uint8_t>(k.cylinderVariant);
      canvas.primitives.clear();
      DrawingController c(canvas);
      c.showDrawing(1600, 1000);
      int texts = 0;
      for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
        ++texts;
        EXPECT_TRUE(bracketsClosed(p.text)) << p.text;
      }
      EXPECT_GT(texts, 0);
    }
  }
}

// Without a symbol font (neither "Wingdings" nor a font with the Unicode
// signs) the symbols would show as letters: the ring dial leaves out the
// sun before its title, and the Sawyer dial says so under its zodiac
// legend (messages 60 and 61); with the font the sun and the signs are
// written and nothing is said.
TEST_F(ControllerTest, MissingSymbolFontLeavesNoLettersUnexplained) {
  design().expertMode = design().expertModeActive = true;
  for (const bool installed : {true, false}) {
    for (const char kind : {'r', 'w'}) {
      SCOPED_TRACE(std::string(1, kind) + (installed ? " with the font" : " without the font"));
      platform->fonts = installed ? std::vector<std::string>{"Arial", "Wingdings"} : std::vector<std::string>{"Arial"};
      design().dialKind = kind;
      canvas.primitives.clear();
      DrawingController c(canvas);
      c.showDrawing(1600, 1000);
      int symbols = 0, notes = 0;
      for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
        if (p.font.face == "Wingdings") ++symbols;
        if (p.text == messageText(60) || p.text == messageText(61)) ++notes;
      }
      if (kind == 'r') {
        EXPECT_EQ(symbols, installed ? 1 : 0);
      }
      if (kind == 'w') {
        EXPECT_EQ(notes, installed ? 0 : 2);
      }
    }
  }
}

// A click fixes the foot and the construction marks it there.
TEST_F(ControllerTest, LeftClickMovesTheGnomonFoot) {
  design().dialKind = 'h';
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  canvas.primitives.clear();
  c.leftClick(400, 600);
  EXPECT_TRUE(c.state().gnomonFootFixed);
  bool cross = false;
  for (const Primitive& p : canvas.primitives)
    if (p.kind == PrimitiveKind::LineTo && p.p[1] == 600 && p.p[3] == 600 && p.p[0] < 400 && p.p[2] > 400)
      cross = true;
  EXPECT_TRUE(cross);
  c.altLeftClick(100, 200);
  EXPECT_TRUE(c.state().textAnchorMarked);
  EXPECT_DOUBLE_EQ(c.state().textPreview[2], 1600 * 0.33);
}

TEST_F(ControllerTest, DispatchByDialKind) {
  DrawingController c(canvas);
  testFamilyCalls = {};
  design().dialKind = 'x';
  c.applyActivationDefaults(640, 480);
  c.construct();
  EXPECT_EQ(testFamilyCalls.draws, 1);
  EXPECT_TRUE(testFamilyCalls.screenMode);
  EXPECT_EQ(testFamilyCalls.width, 640);
  ASSERT_EQ(canvas.primitives.size(), 1u);  // only the clear
  // An unknown letter draws nothing but the clear.
  canvas.primitives.clear();
  design().dialKind = '?';
  c.construct();
  EXPECT_EQ(canvas.primitives.size(), 1u);
  // The planar dials and then the world map (not for umbrella dials).
  int maps = 0;
  c.setMapOverlay([&](ConstructionContext&) { ++maps; });
  design().dialKind = 'h';
  c.construct();
  EXPECT_EQ(maps, 1);
  c.setPaperA4(false);  // the A4/A3 display commands leave the map out
  EXPECT_EQ(maps, 1);
  design().umbrellaMode = true;
  c.construct();
  EXPECT_EQ(maps, 1);
}

// The installed world map: boundaries (pen 12) and coast lines (pen 11)
// after the planar dial as the switches say, with the red cross at the
// foot; nothing of it without mapOverlay.
TEST_F(ControllerTest, InstalledWorldMapFollowsItsSwitches) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.umbrellaMode = false;
  d.colors[10] = rgb(1, 2, 3);
  d.colors[11] = rgb(4, 5, 6);
  for (int pen = 0; pen < 10; ++pen) d.colors[static_cast<std::size_t>(pen)] = rgb(7, 8, pen);
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  auto lines = [&](Colour colour) {
    int n = 0;
    for (const Primitive& p : canvas.primitives)
      if (p.kind == PrimitiveKind::LineTo && p.pen.colour == colour) ++n;
    return n;
  };
  struct Case {
    bool overlay, coast, borders;
  };
  for (const Case& k : {Case{true, true, true}, Case{true, true, false}, Case{true, false, true},
                        Case{false, true, true}}) {
    d.mapOverlay = k.overlay;
    d.mapCoastlines = k.coast;
    d.mapFrontiers = k.borders;
    canvas.primitives.clear();
    c.construct();
    EXPECT_EQ(lines(d.colors[10]) > 1000, k.overlay && k.coast);
    EXPECT_EQ(lines(d.colors[11]) > 100, k.overlay && k.borders);
    EXPECT_EQ(lines(rgb(255, 0, 0)) >= 2, k.overlay);
  }
  // Honoured in expert mode only.
  d.mapOverlay = d.mapCoastlines = d.mapFrontiers = true;
  d.expertModeActive = false;
  canvas.primitives.clear();
  c.construct();
  EXPECT_EQ(lines(d.colors[10]), 0);
  d.expertModeActive = true;
}

TEST_F(ControllerTest, PopupTogglesAndTheAngleTable) {
  design().dialKind = 'h';
  DrawingController c(canvas);
  c.showDrawing(800, 500);
  const bool triangle = design().drawPoleTriangle;
  c.togglePoleTriangle();
  EXPECT_NE(design().drawPoleTriangle, triangle);
  c.toggleLinesToStyleFoot();
  EXPECT_TRUE(design().linesToStyleFoot);
  c.setLongitudeCorrection(true);
  EXPECT_FALSE(design().eotLinesOwnMeridian);
  EXPECT_TRUE(c.state().angleTableShown);
}

TEST_F(ControllerTest, PrinterPageRescalesThePositionsAndRestoresThem) {
  design().dialKind = 'h';
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  RecordingCanvas page;
  PrinterDevice device{297, 210, 3508, 2480, 0, 0, false};
  c.constructOnPrinter(page, device);
  EXPECT_EQ(c.state().footX, 800);
  EXPECT_EQ(c.state().footY, 750);
  // The gnomon cross on the page: foot at (2970 / 1600 * 800, 2100 / 1000 * 750).
  bool cross = false;
  for (const Primitive& p : page.primitives)
    if (p.kind == PrimitiveKind::LineTo && p.p[1] == 1575 && p.p[3] == 1575 && p.p[0] < 1485 &&
        p.p[2] > 1485)
      cross = true;
  EXPECT_TRUE(cross);
}


// Clicks go to the family first when its row takes them (the ham dial's
// hour points): Ctrl marks, Shift asks for the curve, the next
// construction draws it from the centre through the marks. A row without
// the hook leaves the click to the window.
TEST_F(ControllerTest, HamDialTakesPictureClicks) {
  design().dialKind = 'o';
  design().hamDiameter = 40;
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  const double marks[][2] = {{900, 300}, {1000, 420}, {1100, 560}};
  for (const auto& m : marks) EXPECT_TRUE(c.familyClick(m[0], m[1], PictureClickKind::Ctrl));
  EXPECT_TRUE(c.familyClick(5, 5, PictureClickKind::Shift));
  canvas.primitives.clear();
  c.construct();
  const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].p[0], 800);  // from the centre of the construction
  EXPECT_EQ(lines[0].p[1], 500);
  EXPECT_EQ(lines[2].p[2], 1100);
  EXPECT_EQ(lines[2].p[3], 560);
  // Any click ends the curve; the next construction shows the nomogram.
  EXPECT_TRUE(c.familyClick(5, 5, PictureClickKind::Plain));
  canvas.primitives.clear();
  c.construct();
  EXPECT_GT(canvas.ofKind(PrimitiveKind::LineTo).size(), 50u);
  // On the printer page as well (20 units per millimetre).
  RecordingCanvas page;
  c.constructOnPrinter(page, PrinterDevice{297, 210, 3508, 2480, 0, 0, false});
  EXPECT_GT(page.ofKind(PrimitiveKind::LineTo).size(), 50u);
  design().dialKind = 'w';
  EXPECT_FALSE(c.familyClick(5, 5, PictureClickKind::Ctrl));
}

// The drawing window's Save and Load of the ham dial, answered through the
// scripted platform: the marked hour points go into the file and come back
// from it, at the same millimetres from the centre on a picture of another
// size, with the dial's values they were marked on, and the construction
// draws their curve. A file without hour points changes nothing. Another
// family leaves Save and Load to the main window.
TEST_F(ControllerTest, HamDialSavesAndLoadsItsHourPoints) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("tavrel_ham_ctl_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "schink.ham").string();
  design().dialKind = 'o';
  design().hamDiameter = 40;
  design().hamStretch = 2.5;
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);  // centre (800, 500), 10 pixels per millimetre
  ASSERT_TRUE(c.familyHasDataFiles());
  const double marks[][2] = {{900, 300}, {1000, 420}, {1100, 560}};
  for (const auto& m : marks) c.familyClick(m[0], m[1], PictureClickKind::Ctrl);
  platform->fileNames.push_back(file);
  c.saveFamilyData();
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(platform->boxes.back().text, file + " saved!");

  // Marks cleared, the dial changed, the picture smaller: load.
  c.familyClick(5, 5, PictureClickKind::Alt);
  design().hamStretch = 1.5;
  design().hamDiameter = 30;
  c.showDrawing(1200, 800);  // centre (600, 400), 8 pixels per millimetre
  platform->fileNames.push_back(file);
  canvas.primitives.clear();
  c.loadFamilyData();
  EXPECT_EQ(platform->boxes.back().text, file + " loaded!");
  EXPECT_EQ(design().hamStretch, 2.5);
  EXPECT_EQ(design().hamDiameter, 40);
  const auto curve = canvas.ofKind(PrimitiveKind::LineTo);
  ASSERT_EQ(curve.size(), 3u);
  EXPECT_EQ(curve[0].p[0], 600);
  EXPECT_EQ(curve[0].p[1], 400);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(curve[i].p[2], 600 + (marks[i][0] - 800) * 0.8, 1e-6) << i;
    EXPECT_NEAR(curve[i].p[3], 400 + (marks[i][1] - 500) * 0.8, 1e-6) << i;
  }

  // A construction-data file of the main window holds no hour points: the
  // error box, and the picture keeps its curve.
  const std::string plain = (dir / "plain.tav").string();
  ASSERT_TRUE(writeSettingsFile(plain));
  platform->fileNames.push_back(plain);
  c.loadFamilyData();
  EXPECT_EQ(platform->boxes.back().caption, MsgCaption::Error);
  EXPECT_EQ(platform->boxes.back().text.rfind(plain + " holds no hour points", 0), 0u) << platform->boxes.back().text;
  canvas.primitives.clear();
  c.construct();
  EXPECT_EQ(canvas.ofKind(PrimitiveKind::LineTo).size(), 3u);

  design().dialKind = 'w';
  EXPECT_FALSE(c.familyHasDataFiles());
  fs::remove_all(dir);
}

// The Sawyer dial on the printer page: the page less 100, O not yet
// placed at ((W - 100) div 2 + 50, (H - 100) div 5 + 50) moved up by half
// the 30-unit text height.
TEST_F(ControllerTest, SawyerDialKeepsItsPrinterMargin) {
  design().dialKind = 'w';
  design().latitude = 48;
  DrawingController c(canvas);
  c.showDrawing(1600, 1000);
  RecordingCanvas page;
  c.constructOnPrinter(page, PrinterDevice{297, 210, 3508, 2480, 0, 0, false});
  const ScreenSurface s = printerSurfaceOf(design(), page, PrinterDevice{297, 210, 3508, 2480, 0, 0, false});
  const int W = s.width() - 100, H = s.height() - 100;
  const auto ellipses = page.ofKind(PrimitiveKind::Ellipse);
  ASSERT_FALSE(ellipses.empty());
  EXPECT_EQ((ellipses[0].p[0] + ellipses[0].p[2]) / 2, W / 2 + 50);
  EXPECT_EQ((ellipses[0].p[1] + ellipses[0].p[3]) / 2, H / 5 + 50 - 15);
}

}  // namespace
}  // namespace tavrel
