// The ham dial: its hour points against a direct intersection of the two
// altitude lines, the layout's edge cases, the hour points marked with the
// mouse, and its settings files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <any>
#include <cmath>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "dials/dial_family.h"
#include "dials/ham/ham_dial.h"
#include "plot/recording_canvas.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;


class HamDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.dialKind = 'o';
    d.hamStretch = 2;
    d.hamEquinoxPosition = 40;
    d.hamDiameter = 40;
    for (int pen = 1; pen <= 12; ++pen) d.colors[static_cast<std::size_t>(pen - 1)] = rgb(pen * 16 + 1, 3, 7);
  }
  ScopedScriptedPlatform platform_;
};

// The record's ham dial with the given size (mm) and latitude.
HamDialValues hamValues(double sizeMm, double latitude) {
  HamDialValues v = hamDialValuesOf(design());
  v.sizeMm = sizeMm;
  v.latitude = latitude;
  return v;
}

// The meeting point of the lines through A and B at the angles a and b
// below the horizontal (y downwards), by Cramer's rule on the two
// parametric lines A + p (cos a, sin a) = B + q (cos b, sin b).
std::optional<HamPoint> meet(HamPoint A, double a, HamPoint B, double b) {
  const double ux = std::cos(radians(a)), uy = std::sin(radians(a)), vx = std::cos(radians(b)), vy = std::sin(radians(b));
  const double det = ux * (-vy) - (-vx) * uy;
  if (std::fabs(det) < 1e-12) return std::nullopt;
  const double rx = B.x - A.x, ry = B.y - A.y;
  const double p = (rx * (-vy) - (-vx) * ry) / det;
  return HamPoint{A.x + p * ux, A.y + p * uy};
}

TEST_F(HamDialTest, HourPointsAreTheMeetingOfTheAltitudeLines) {
  struct Case {
    double latitude, stretch, equinox, size;
    int a, b, i;
  };
  const Case cases[] = {
      {47, 2, 40, 40, 1, 3, 2},  {47, 2, 40, 40, 3, 5, 4}, {47, 2, 40, 40, 5, 7, 6},
      {47, 2, 40, 40, 2, 1, 0},  {60, 1.2, 0, 80, 7, 1, 3}, {-35, 3, 90, 25, 4, 6, 5},
      {10, 2.5, 20, 60, 1, 7, 7}, {70, 2, 40, 40, 2, 6, 8},
  };
  for (const Case& c : cases) {
    const HamLayout l = hamLayout(1600, 1000, 10, c.size, c.latitude, c.stretch, c.equinox);
    // The altitude after Meeus, eq. 13.6, recomputed here.
    const auto alt = [&](int k) {
      const double d = l.declination[k];
      return std::asin(std::sin(radians(c.latitude)) * std::sin(radians(d)) +
                       std::cos(radians(c.latitude)) * std::cos(radians(d)) * std::cos(radians(15.0 * c.i))) * 180 / std::numbers::pi;
    };
    const auto P = hamIntersection(l, c.a, c.b, c.i);
    const auto Q = meet(l.datePoint[c.a], alt(c.a), l.datePoint[c.b], alt(c.b));
    ASSERT_EQ(P.has_value(), Q.has_value()) << c.a << c.b << c.i;
    if (!P) continue;
    EXPECT_NEAR(P->x, Q->x, 1e-6 * (1 + std::fabs(Q->x))) << c.latitude << " " << c.a << c.b << c.i;
    EXPECT_NEAR(P->y, Q->y, 1e-6 * (1 + std::fabs(Q->y))) << c.latitude << " " << c.a << c.b << c.i;
  }
}

TEST_F(HamDialTest, NoPointForOneLineOrParallelLines) {
  const HamLayout l = hamLayout(1600, 1000, 10, 40, 47, 2, 40);
  EXPECT_FALSE(hamIntersection(l, 3, 3, 2));
  EXPECT_FALSE(hamIntersection(l, 0, 3, 2));
  EXPECT_FALSE(hamIntersection(l, 1, 3, 9));
  // At latitude 0 the dates of equal and opposite declination have the
  // same altitudes: their lines are parallel.
  const HamLayout eq = hamLayout(1600, 1000, 10, 40, 0, 2, 40);
  EXPECT_FALSE(hamIntersection(eq, 1, 7, 3));
}

TEST_F(HamDialTest, LayoutEdgeCases) {
  const HamLayout l = hamLayout(1600, 1000, 10, 40, 47, 2, 40);
  EXPECT_NEAR(l.circleAngle[1], -7, 1e-12);
  EXPECT_NEAR(l.circleAngle[7], 87, 1e-12);
  EXPECT_NEAR(l.circleAngle[4], 40, 1e-12);
  EXPECT_EQ(l.centre.x, 800);
  EXPECT_EQ(l.centre.y, 500);
  EXPECT_NEAR(std::hypot(l.datePoint[5].x - 800, l.datePoint[5].y - 500), 400, 1e-9);
  // At the equator the altitudes of the equinox are 90 - 15 i.
  const HamLayout e = hamLayout(1600, 1000, 10, 40, 0, 2, 40);
  for (int i = 0; i <= 8; ++i) EXPECT_NEAR(e.altitude[4][i], 90 - 15.0 * i, 1e-9) << i;
}

TEST_F(HamDialTest, DrawsTitleTextsAndHourLines) {
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  HamHourPoints points;
  drawHamDial(s, 1600, 1000, points, hamValues(40, 47), true);
  const auto texts = canvas.ofKind(PrimitiveKind::Text);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].text, "Ham Dial");
  EXPECT_EQ(texts[0].font.weight, kFontWeightBold);
  EXPECT_EQ(points.records[0].x, 800);  // the centre is record 0
  // Ellipses: seven date points, the circle and its centre mark.
  EXPECT_EQ(canvas.ofKind(PrimitiveKind::Ellipse).size(), 9u);
  EXPECT_GT(canvas.ofKind(PrimitiveKind::LineTo).size(), 50u);
  for (const Primitive& p : canvas.primitives)
    for (double v : p.p) ASSERT_TRUE(std::isfinite(v));
  // The limits of the fields and the latitudes: finite pictures.
  for (const double lat : {-90.0, -0.0001, 0.0, 89.99, 90.0})
    for (const double stretch : {1.2, 3.0}) {
      design().hamStretch = stretch;
      RecordingCanvas c;
      ScreenSurface sc = screenSurfaceOf(design(), c, 1600, 1000);
      drawHamDial(sc, 1600, 1000, points, hamValues(40, lat), true);
      for (const Primitive& p : c.primitives)
        for (double v : p.p) ASSERT_TRUE(std::isfinite(v)) << lat << " " << stretch;
    }
}

TEST_F(HamDialTest, MouseMarksUpToEightHourPoints) {
  HamHourPoints points;
  RecordingCanvas picture;
  for (int n = 1; n <= 8; ++n) hamPictureClick(points, HamClick::Ctrl, 100.0 + n, 200.0 + n, picture);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(points.records[static_cast<std::size_t>(n)].x, 100.0 + n);
  EXPECT_EQ(picture.ofKind(PrimitiveKind::Ellipse).size(), 8u);
  const HamHourPoints before = points;
  // The ninth: the message, the table unchanged; in both languages.
  struct Case {
    int language;
    const char* text;
  };
  for (const Case& c : {Case{2, "8 hour points are stored already!"},
                        Case{1, "Es sind schon 8 Stundenpunkte gespeichert!"}}) {
    design().language = c.language;
    platform_->boxes.clear();
    hamPictureClick(points, HamClick::Ctrl, 500, 500, picture);
    ASSERT_EQ(platform_->boxes.size(), 1u);
    EXPECT_EQ(platform_->boxes[0].text, c.text);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(points.records[static_cast<std::size_t>(n)].x, before.records[static_cast<std::size_t>(n)].x);
  }
  // Shift: the polyline on the next construction, from the centre
  // through the marked points, and nothing else; any click clears it.
  hamPictureClick(points, HamClick::Shift, 0, 0, picture);
  EXPECT_TRUE(points.showHourPoints);
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawHamDial(s, 1600, 1000, points, hamValues(40, 47), true);
  const auto lines = canvas.ofKind(PrimitiveKind::LineTo);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0].p[0], 800);
  EXPECT_EQ(lines[7].p[2], 108);
  EXPECT_EQ(lines[0].pen.colour, kBlack);
  hamPictureClick(points, HamClick::Plain, 0, 0, picture);
  EXPECT_FALSE(points.showHourPoints);
  // Alt clears the table.
  hamPictureClick(points, HamClick::Alt, 0, 0, picture);
  EXPECT_EQ(points.firstFree(), 1);
}

TEST_F(HamDialTest, ShiftWithoutPointsDrawsOnlyTheCentreMarker) {
  HamHourPoints points;
  RecordingCanvas picture;
  hamPictureClick(points, HamClick::Shift, 0, 0, picture);
  RecordingCanvas canvas;
  ScreenSurface s = screenSurfaceOf(design(), canvas, 1600, 1000);
  drawHamDial(s, 1600, 1000, points, hamValues(40, 47), true);
  EXPECT_TRUE(canvas.ofKind(PrimitiveKind::LineTo).empty());
  int markers = 0;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::Ellipse))
    if (std::fabs(p.p[2] - p.p[0] - 10) < 1e-9 && p.pen.colour == rgb(255, 0, 0)) ++markers;
  EXPECT_EQ(markers, 1);
}

// ---- settings files -------------------------------------------------------

class HamFilesTest : public HamDialTest {
 protected:
  void SetUp() override {
    HamDialTest::SetUp();
    dir_ = fs::temp_directory_path() / ("ham_files_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  static std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
};

// The settings text with the hour-point section taken out.
std::vector<std::string> withoutHourPoints(std::vector<std::string> lines) {
  const auto from = std::find(lines.begin(), lines.end(), std::string(kHamPointsHeader));
  const auto to = std::find(lines.begin(), lines.end(), std::string("[Farben]"));
  if (from < to) lines.erase(from, to);
  return lines;
}

TEST_F(HamFilesTest, SaveAndLoadRoundTrip) {
  const fs::path f = dir_ / "schink.ham";
  design().germanSelected = false;  // the file says English
  std::any kept;
  HamHourPoints& points = hamHourPoints(kept);
  // Marked on a 1600 x 1000 picture: centre (800, 500), 10 pixels per mm.
  points.records[0] = {800, 500};
  points.scale = 10;
  points.records[1] = {900, 300};
  points.records[2] = {1015, 425};
  platform_->fileNames.push_back(f.string());
  ASSERT_TRUE(saveHamSettingsCommand(kept, hamDialValuesOf(design()), 1600, 1000));
  ASSERT_EQ(platform_->dialogs.size(), 1u);
  EXPECT_EQ(platform_->dialogs[0].initialName, "schink.ham");
  EXPECT_EQ(platform_->dialogs[0].defaultExtension, "ham");
  EXPECT_EQ(platform_->dialogs[0].title, "TAVREL.EXE - Save Construction Data");
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, f.string() + " saved!");
  const std::vector<std::string> saved = buildSettingsText(false);
  EXPECT_EQ(withoutHourPoints(hamSettingsText()), saved);
  // On disk: the settings writer's lines with CR LF, and before the colour
  // section the dial's values and the points in millimetres from the centre.
  const std::string bytes = slurp(f);
  EXPECT_NE(bytes.find("\r\n[Schinkensonnenuhr]\r\n 47.251315;  40.00; 2.000;  40.000\r\n"
                       "   10.000;  -20.000\r\n   21.500;   -7.500\r\n[Farben]\r\n"),
            std::string::npos)
      << bytes;
  // The file is still construction data for the settings reader.
  design().dialKind = 'v';
  EXPECT_EQ(readSettingsFile(f.string(), prepareObliquity).status, SettingsReadStatus::Complete);
  EXPECT_EQ(design().dialKind, 'o');
  EXPECT_EQ(buildSettingsText(false), saved);

  hamSettingsText().clear();
  points = {};
  platform_->fileNames.push_back(f.string());
  ASSERT_TRUE(loadHamSettingsCommand(kept, 1600, 1000));
  EXPECT_EQ(platform_->dialogs.back().title, "Ham Dial");
  EXPECT_EQ(platform_->boxes.back().text, f.string() + " loaded!");
  EXPECT_EQ(withoutHourPoints(hamSettingsText()), saved);
  EXPECT_EQ(buildSettingsText(false), saved);
  EXPECT_TRUE(points.showHourPoints);
  EXPECT_EQ(points.firstFree(), 3);
  EXPECT_NEAR(points.records[1].x, 900, 1e-9);
  EXPECT_NEAR(points.records[1].y, 300, 1e-9);
  EXPECT_NEAR(points.records[2].x, 1015, 1e-9);
  EXPECT_NEAR(points.records[2].y, 425, 1e-9);
}

// Files that cannot be used: the error box names the file and the reason,
// and neither the marked points, the dial's values nor the settings text
// list change.
TEST_F(HamFilesTest, BadFilesAreRefusedAndLoseNothing) {
  const fs::path good = dir_ / "good.ham";
  std::any kept;
  HamHourPoints& points = hamHourPoints(kept);
  points.records[0] = {800, 500};
  points.scale = 10;
  points.records[1] = {700, 650};
  ASSERT_TRUE(saveHamSettingsFile(good.string(), points, hamDialValuesOf(design()), 1600, 1000));
  const std::vector<std::string> keptList = hamSettingsText();
  const HamHourPoints before = points;
  const std::vector<std::string> record = buildSettingsText(false);
  const std::string goodText = slurp(good);
  const auto edited = [&](const std::string& from, const std::string& to) {
    std::string t = goodText;
    const std::size_t at = t.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return t.replace(at, from.size(), to);
  };
  const std::string nine = std::string("  1.0;  1.0\r\n") + "  2.0;  2.0\r\n  3.0;  3.0\r\n  4.0;  4.0\r\n" +
                           "  5.0;  5.0\r\n  6.0;  6.0\r\n  7.0;  7.0\r\n  8.0;  8.0\r\n  9.0;  9.0\r\n";
  struct Case {
    const char* name;
    std::optional<std::string> content;  // none: no file
    std::string reason;
  };
  const Case cases[] = {
      {"text.ham", "just some text\r\nand more\r\n", " is not a settings file"},
      {"empty.ham", "", " is not a settings file"},
      {"missing.ham", std::nullopt, " cannot be read."},
      {"old.ham", edited("[Schinkensonnenuhr]\r\n", "\r\n"), " holds no hour points of the ham dial"},
      {"values.ham", edited(" 47.251315;  40.00;", " 47.251315;  4O.00;"), " : faulty line 20 in the section"},
      {"stretch.ham", edited("; 2.000;", "; 9.000;"), " : faulty line 20 in the section"},
      {"point.ham", edited("  -10.000;   15.000", "  -10.000"), " : faulty line 21 in the section"},
      {"far.ham", edited("  -10.000;   15.000", "  -10.000; 15e9"), " : faulty line 21 in the section"},
      {"nine.ham", edited("  -10.000;   15.000\r\n", nine), " : faulty line 29 in the section"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path p = dir_ / c.name;
    if (c.content) std::ofstream(p, std::ios::binary) << *c.content;
    platform_->boxes.clear();
    EXPECT_FALSE(loadHamSettingsFile(p.string(), points, 1200, 800));
    ASSERT_EQ(platform_->boxes.size(), 1u);
    EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Error);
    EXPECT_EQ(platform_->boxes[0].text.rfind(p.string() + c.reason, 0), 0u) << platform_->boxes[0].text;
    EXPECT_NE(platform_->boxes[0].text.find("Nothing was loaded."), std::string::npos);
    EXPECT_EQ(hamSettingsText(), keptList);
    EXPECT_EQ(buildSettingsText(false), record);
    for (int r = 0; r <= 9; ++r) {
      EXPECT_EQ(points.records[static_cast<std::size_t>(r)].x, before.records[static_cast<std::size_t>(r)].x) << r;
      EXPECT_EQ(points.records[static_cast<std::size_t>(r)].y, before.records[static_cast<std::size_t>(r)].y) << r;
    }
  }
  // A file that fails on read (/proc/self/mem fails with EIO): the box
  // with the system's reason, never an abort.
  platform_->boxes.clear();
  EXPECT_FALSE(loadHamSettingsFile("/proc/self/mem", points, 1200, 800));
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, "/proc/self/mem cannot be read. Nothing was loaded.\n\rInput/output error");
  EXPECT_EQ(hamSettingsText(), keptList);
  EXPECT_EQ(buildSettingsText(false), record);
  // A save that cannot be written: the error box of message 18, and the
  // target (here a folder) is left as it was.
  const fs::path folder = dir_ / "folder.ham";
  fs::create_directories(folder);
  platform_->boxes.clear();
  EXPECT_FALSE(saveHamSettingsFile(folder.string(), points, hamDialValuesOf(design()), 1600, 1000));
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text,
            folder.string() + " :\r\nCould not save INI-file! (Write-protection?)");
  EXPECT_TRUE(fs::is_directory(folder));
  // The good file is still there and still loads.
  EXPECT_TRUE(loadHamSettingsFile(good.string(), points, 1600, 1000));
}

// Loading through the family row: the dial takes the latitude, size,
// stretch factor and equinox position the points were marked on.
TEST_F(HamFilesTest, LoadedFileSetsTheDialItWasMarkedOn) {
  const fs::path f = dir_ / "marked.ham";
  DesignState& d = design();
  d.latitude = -33.5;
  d.hamDiameter = 55;
  d.hamStretch = 2.5;
  d.hamEquinoxPosition = 12.25;
  std::any kept;
  HamHourPoints& points = hamHourPoints(kept);
  points.records[0] = {800, 500};
  points.scale = 10;
  points.records[1] = {900, 300};
  ASSERT_TRUE(saveHamSettingsFile(f.string(), points, hamDialValuesOf(d), 1600, 1000));
  d.latitude = 47;
  d.hamDiameter = 40;
  d.hamStretch = 2;
  d.hamEquinoxPosition = 40;

  const std::optional<HamDialValues> read = loadHamSettingsFile(f.string(), points, 1600, 1000);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->latitude, -33.5);
  EXPECT_EQ(read->sizeMm, 55);
  EXPECT_EQ(read->stretch, 2.5);
  EXPECT_EQ(read->equinoxPosition, 12.25);
  EXPECT_EQ(d.latitude, 47);  // the file routine leaves the record to its caller

  const DialFamily* row = familyOfKind('o');
  ASSERT_NE(row, nullptr);
  ASSERT_NE(row->loadData, nullptr);
  platform_->fileNames.push_back(f.string());
  DialDataRequest request{&kept, 1600, 1000};
  ASSERT_TRUE(row->loadData(request));
  EXPECT_EQ(d.latitude, -33.5);
  EXPECT_EQ(d.hamDiameter, 55);
  EXPECT_EQ(d.hamStretch, 2.5);
  EXPECT_EQ(d.hamEquinoxPosition, 12.25);
}

}  // namespace
}  // namespace tavrel::testing
