// Saving the drawing as HPGL and DXF: the names of the save panel, the
// plot written directly or through the temporary "tavrel.$$$", the DXF
// read back by two independent readers (python3-ezdxf, GDAL's ogrinfo) at
// true size and with the hour lines of the screen construction, and
// saves that fail without leaving anything behind.
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/angles.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/dial_family.h"
#include "dials/planar/coordinates_file.h"
#include "dials/planar/planar_dial.h"
#include "drawing/graph_save.h"
#include "drawing/save_route.h"
#include "tests/plot/hpgl_raw_access.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "tests/core/language_choice.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

// Two families of this test only: 'x' plots unscaled, 'y' multiplies its
// coordinates by R. Each writes a line of 1 mm and records its R.
int testPlotFactor = 0;
PlotOutcome plotOneMillimetre(HpglWriter& w, const DialPlotRequest& r) {
  testPlotFactor = r.place.resolutionFactor;
  HpglRawAccess::write(w, "IN;VS 1;PA;SP 1;PU 0 0;PD " + std::to_string(40 * testPlotFactor) + " 0;SP 0;IN;");
  return {};
}
DialFamily testFamily(char letter, unsigned caps) {
  DialFamily f;
  f.id = "test";
  f.kinds = {{letter, 90 + letter}};
  f.capabilities = caps;
  f.draw = [](DialScreenRequest&) {};
  f.plot = plotOneMillimetre;
  return f;
}
const DialFamilyRegistrar kUnscaledFamily{testFamily('x', 0)};
const DialFamilyRegistrar kScaledFamily{testFamily('y', kCapScaledPlot)};


std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Shell {
  int status = -1;
  std::string out;
};

Shell runShell(const std::string& command) {
  Shell r;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// One entity of the ezdxf dump (check_dxf.py --dump).
using DxfEntity = testing::EzdxfEntity;

// The POLYLINE, CIRCLE and TEXT entities of the ezdxf view of a DXF; the
// file must be read and pass the audit.
std::vector<DxfEntity> readDxf(const std::string& path) {
  const testing::EzdxfView view = testing::readWithEzdxf(path);
  EXPECT_TRUE(view.read && view.auditErrors == 0) << view.output.substr(0, 2000);
  std::vector<DxfEntity> out;
  for (const DxfEntity& e : view.entities)
    if (e.type == "POLYLINE" || e.type == "CIRCLE" || e.type == "TEXT") out.push_back(e);
  return out;
}

std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class SaveRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.referenceYear = 2020;
    d.dialKind = 'v';
    d.umbrellaMode = false;
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.wallDeclination = -11.7;
    d.gnomonLength = 35;
    d.dateLineMode = '0';
    d.localTimeNoEot = true;
    d.hourLineInterval = '0';
    d.withEot = false;
    d.markAnalemma = false;
    d.plotLineWidth = 1;
    // The dial's plot alone; the map passes are switched on where tested.
    d.mapOverlay = false;
    d.mapCoastlines = d.mapFrontiers = true;
    dir_ = fs::temp_directory_path() /
           ("tavrel_save_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    state_.width = 1600;
    state_.height = 1000;
    state_.footX = 800;
    state_.footY = 50;
    state_.textX = 600;
    state_.textY = 850;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::all, ec);
    fs::remove_all(dir_, ec);
  }

  std::string file(const std::string& name) const { return (dir_ / name).string(); }

  // Opens the panel for `target` and saves under `name` (the save dialog
  // answers with it).
  SaveResult save(PlotTarget target, const std::string& name, const SaveHooks& hooks = {}) {
    openSavePanel(state_, panel_, target);
    platform_->fileNames.push_back(name);
    SaveChoices choices;
    choices.grid = PlotGrid::Off;
    return savePlot(state_, panel_, 1.0, nullptr, hooks, choices);
  }

  // Runs `body` in a child process that has given up root: as root the
  // permission bits of a folder do not stop writing. The exit status of
  // the child, or -1.
  template <typename Body>
  int asNobody(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
      _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  DrawingWindowState state_;
  SavePanel panel_;
  ScopedScriptedPlatform platform_;
};

struct NameCase {
  const char* given;
  PlotTarget target;
  const char* plot;
  const char* coordinates;
};

// The panel's names. A "." in a folder name is no extension.
const NameCase kNames[] = {
    {"tav", PlotTarget::Hpgl, "tav.plt", "tav.txt"},
    {"", PlotTarget::Dxf, "tav.dxf", "tav.txt"},
    {"sonnenuhr.plt", PlotTarget::Dxf, "sonnenuhr.dxf", "sonnenuhr.txt"},
    {"a.b.c", PlotTarget::Hpgl, "a.plt", "a.txt"},
    {"/data/v1.2/dial", PlotTarget::Dxf, "/data/v1.2/dial.dxf", "/data/v1.2/dial.txt"},
    {"/data/v1.2/dial.old.plt", PlotTarget::Hpgl, "/data/v1.2/dial.plt", "/data/v1.2/dial.txt"},
    {"/data/", PlotTarget::Hpgl, "/data/tav.plt", "/data/tav.txt"},
};

TEST_F(SaveRouteTest, PanelNames) {
  for (const NameCase& c : kNames) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(plotFileNameFor(c.given, c.target), c.plot);
    EXPECT_EQ(coordinatesFileNameFor(c.plot), c.coordinates);
  }
  // The name up to and including the first "." holds at most 60 characters.
  const std::string longName(70, 'x');
  EXPECT_EQ(plotFileNameFor(longName + ".plt", PlotTarget::Dxf), std::string(59, 'x') + ".dxf");
  EXPECT_EQ(coordinatesFileNameFor("dial"), "dial.txt");
}

TEST_F(SaveRouteTest, OpeningThePanel) {
  state_.plotFileName = "dial";
  EXPECT_TRUE(openSavePanel(state_, panel_, PlotTarget::Dxf, true));
  EXPECT_TRUE(panel_.shown);
  EXPECT_TRUE(panel_.coordinatesOffered);
  EXPECT_EQ(state_.plotFileName, "dial.dxf");
  EXPECT_EQ(panel_.coordinatesFileName, "dial.txt");
  EXPECT_EQ(state_.coordinates, CoordinatesChoice::TextFile);
  EXPECT_TRUE(platform_->boxes.empty());

  // A foot outside the picture: message 15, Yes cancels.
  state_.footY = 1001;
  platform_->answers = {MsgAnswer::Yes, MsgAnswer::No};
  panel_.shown = false;
  EXPECT_FALSE(openSavePanel(state_, panel_, PlotTarget::Hpgl));
  EXPECT_FALSE(panel_.shown);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(15));
  EXPECT_EQ(platform_->boxes[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(openSavePanel(state_, panel_, PlotTarget::Hpgl));
  EXPECT_EQ(state_.plotFileName, "dial.plt");
  EXPECT_EQ(state_.coordinates, CoordinatesChoice::None);

  // Other dials: no coordinates listing.
  design().dialKind = 'x';
  EXPECT_TRUE(openSavePanel(state_, panel_, PlotTarget::Hpgl, true));
  EXPECT_FALSE(panel_.coordinatesOffered);
  EXPECT_EQ(state_.coordinates, CoordinatesChoice::None);
}

TEST_F(SaveRouteTest, HpglWrittenDirectlyWithR1) {
  const std::string target = file("dial.plt");
  ASSERT_EQ(save(PlotTarget::Hpgl, target), SaveResult::Saved);
  ASSERT_EQ(platform_->dialogs.size(), 1u);
  EXPECT_EQ(platform_->dialogs[0].title, "TAVREL.EXE - Save as Graphics File");
  EXPECT_TRUE(platform_->dialogs[0].overwritePrompt);
  EXPECT_EQ(platform_->dialogs[0].initialName, "tav.plt");
  const std::string plot = slurp(target);
  EXPECT_EQ(plot.rfind("IN;VS 1;PA;IW 0 0 16157 11038;PU 0 0;EA 16157 11038;;SP 4;PU 0 0;", 0), 0u);
  // The foot clicked at (800, 50) of a 1600 x 1000 picture is not fixed:
  // the plot puts it at its default.
  EXPECT_NE(plot.find(";SP 4;PU 8000 11000;PD 8400 11000"), std::string::npos);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(platform_->boxes[0].text, "\r\n       File dial.plt saved!     ");
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"dial.plt"});
  EXPECT_FALSE(panel_.shown);
  EXPECT_EQ(state_.plotFileName, target);

  // A fixed foot and a marked text position go through the screen-to-plot
  // rule: Round(16157 / W x), Round(11040 - 11038 / H y).
  state_.gnomonFootFixed = true;
  state_.textAnchorMarked = true;
  ASSERT_EQ(save(PlotTarget::Hpgl, target), SaveResult::Saved);
  const std::string fixed = slurp(target);
  EXPECT_NE(fixed.find(";SP 4;PU 7878 10488;PD 8278 10488"), std::string::npos);  // 8078.5 to even
  EXPECT_NE(fixed.find(";PU 6059 1658;LBvertical SUNDIAL"), std::string::npos);
}

// An independent HP-GL reader (hp2xx) draws the saved file: the page from
// the origin to the drawing window's corner, every command processed.
TEST_F(SaveRouteTest, HpglRendersInHp2xx) {
  DesignState& d = design();
  d.withEot = true;
  d.markAnalemma = true;
  d.temporalHourLines = true;
  const std::string target = file("dial.plt");
  ASSERT_EQ(save(PlotTarget::Hpgl, target), SaveResult::Saved);
  const Shell r = runShell("hp2xx -m png -f '" + file("dial.png") + "' '" + target + "'");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Coordinate range: (0, 0) ... (16157, "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Writing PNG output"), std::string::npos) << r.out;
  EXPECT_GT(fs::file_size(file("dial.png")), 2000u);
}

TEST_F(SaveRouteTest, CancelledDialogWritesNothing) {
  openSavePanel(state_, panel_, PlotTarget::Dxf);
  platform_->fileNames.push_back(std::nullopt);
  EXPECT_EQ(savePlot(state_, panel_, 1.0, nullptr), SaveResult::Cancelled);
  EXPECT_TRUE(filesIn(dir_).empty());
  EXPECT_TRUE(platform_->boxes.empty());
}

// The DXF of the default dial: no temporary file stays; both readers take
// it; it is at true size (the double-gnomon bar is 2 gnomonLength long)
// and its hour lines run in the directions of the screen construction's.
TEST_F(SaveRouteTest, DxfAtTrueSizeWithTheScreenHourLines) {
  const std::string target = file("dial.dxf");
  ASSERT_EQ(save(PlotTarget::Dxf, target), SaveResult::Saved);
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"dial.dxf"});
  ASSERT_FALSE(platform_->boxes.empty());
  EXPECT_EQ(platform_->boxes.back().caption, MsgCaption::Information);

  const std::vector<DxfEntity> entities = readDxf(target);
  ASSERT_GT(entities.size(), 20u);
  const Shell ogr = runShell("ogrinfo -ro -al -so '" + target + "'");
  ASSERT_EQ(ogr.status, 0) << ogr.out;
  EXPECT_NE(ogr.out.find("Feature Count: " + std::to_string(entities.size())), std::string::npos) << ogr.out;
  EXPECT_NE(ogr.out.find("Extent: (0.000000, 0.000000) - (403.925000,"), std::string::npos) << ogr.out;

  // The bar: from (1, 1) mm along x and along y, 2 * 35 mm long.
  int bars = 0;
  for (const DxfEntity& e : entities) {
    if (e.type != "POLYLINE" || e.layer != "L_4" || e.points.size() != 3) continue;
    if (e.points[0] != std::array<double, 2>{1, 1}) continue;
    const double dx = e.points[1][0] - e.points[0][0], dy = e.points[1][1] - e.points[0][1];
    EXPECT_NEAR(std::hypot(dx, dy), 2 * 35.0, 1e-9);
    ++bars;
  }
  EXPECT_EQ(bars, 2);

  // The hour lines of the screen construction, in millimetres from the
  // foot (y upwards), against the DXF polylines of pen 3 less the foot at
  // (205, 275) mm. The legend's sample line is the one at the text block.
  PlanarDialView view;
  view.footX = 800;
  view.footY = 200;
  const PlanarLines screen = planarDialLines(design(), true, 1600, 1000, view);
  std::vector<const DxfEntity*> dxfLines;
  for (const DxfEntity& e : entities)
    if (e.type == "POLYLINE" && e.layer == "L_3" && !(e.points[0][1] < 10)) dxfLines.push_back(&e);
  int matched = 0;
  for (const PlanarLine& line : screen.lines) {
    if (line.kind != PlanarLineKind::HourLine || line.path.vertices.size() < 2) continue;
    const PathVertex& a = line.path.vertices.front();
    const PathVertex& b = line.path.vertices.back();
    const double screenAngle = std::atan2(b.y - a.y, b.x - a.x);
    bool found = false;
    for (const DxfEntity* e : dxfLines) {
      const auto& p = e->points.front();
      const auto& q = e->points.back();
      double diff = std::atan2(q[1] - p[1], q[0] - p[0]) - screenAngle;
      diff = std::remainder(diff, std::numbers::pi);
      // Same direction, and the screen line's start lies on the DXF line.
      const double ux = std::cos(screenAngle), uy = std::sin(screenAngle);
      const double offset = (p[0] - 205 - a.x) * uy - (p[1] - 275 - a.y) * ux;
      if (std::fabs(diff) < 1e-3 && std::fabs(offset) < 0.05) found = true;
    }
    EXPECT_TRUE(found) << "hour " << line.value;
    ++matched;
  }
  EXPECT_GE(matched, 8);
}

// The R = 1 plot converted at 40 units per millimetre and the R = 25
// plot of the DXF route at 1000 are the same drawing (to the rounding of
// the R = 1 file, 0.5 / 40 mm).
TEST_F(SaveRouteTest, DxfOfBothResolutionsAgree) {
  DesignState& d = design();
  d.dialKind = 'i';
  d.planeInclination = 60;
  d.wallDeclination = 20;
  d.withEot = true;
  d.temporalHourLines = true;
  d.drawPoleTriangle = true;
  const std::string viaTemporary = file("fine.dxf");
  ASSERT_EQ(save(PlotTarget::Dxf, viaTemporary), SaveResult::Saved);
  const std::string hpgl = file("coarse.plt");
  ASSERT_EQ(save(PlotTarget::Hpgl, hpgl), SaveResult::Saved);
  const std::string coarse = file("coarse.dxf");
  ASSERT_EQ(convertHpglToDxf(hpgl, coarse, 1, 40), DxfResult::Converted);
  const std::vector<DxfEntity> a = readDxf(viaTemporary), b = readDxf(coarse);
  ASSERT_EQ(a.size(), b.size());
  ASSERT_GT(a.size(), 50u);
  double worst = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    ASSERT_EQ(a[k].type, b[k].type) << k;
    ASSERT_EQ(a[k].layer, b[k].layer) << k;
    EXPECT_EQ(a[k].text, b[k].text) << k;
    ASSERT_EQ(a[k].points.size(), b[k].points.size()) << k;
    for (std::size_t p = 0; p < a[k].points.size(); ++p)
      for (int c = 0; c < 2; ++c) worst = std::max(worst, std::fabs(a[k].points[p][c] - b[k].points[p][c]));
  }
  EXPECT_LE(worst, 0.5 / 40 + 0.5 / 1000 + 1e-9);
}

// A folder the user may not write to: the save fails with message 53
// and leaves neither the temporary file nor a DXF.
TEST_F(SaveRouteTest, ReadOnlyFolderLeavesNothing) {
  const fs::path folder = dir_ / "locked";
  fs::create_directory(folder);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::string target = (folder / "dial.dxf").string();
  const int result = asNobody([&] {
    platform_->boxes.clear();
    if (save(PlotTarget::Dxf, target) != SaveResult::Failed) return 1;
    if (platform_->boxes.size() != 1) return 2;
    const RecordedBox& b = platform_->boxes[0];
    if (b.caption != MsgCaption::Error || b.text.rfind(messageText(53), 0) != 0) return 3;
    if (b.text.find((folder / "tavrel.$$$").string()) == std::string::npos) return 4;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(filesIn(folder).empty());
}

// A folder path that is a regular file.
TEST_F(SaveRouteTest, FolderThatIsAFile) {
  std::ofstream(file("plain")) << "x";
  for (PlotTarget target : {PlotTarget::Dxf, PlotTarget::Hpgl}) {
    platform_->boxes.clear();
    EXPECT_EQ(save(target, file("plain") + "/dial.dxf"), SaveResult::Failed);
    ASSERT_EQ(platform_->boxes.size(), 1u);
    EXPECT_EQ(platform_->boxes[0].text.rfind(messageText(53), 0), 0u);
  }
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"plain"});
  EXPECT_EQ(slurp(file("plain")), "x");
}

// The disk fills up while the plot is written (the size limit holds for
// root too): the old DXF keeps its bytes, no temporary file stays.
TEST_F(SaveRouteTest, PlotFailingHalfWay) {
  const std::string target = file("dial.dxf");
  std::ofstream(target) << "old";
  const int result = [&] {
    const pid_t pid = fork();
    if (pid == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{3000, 3000};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
      _exit(save(PlotTarget::Dxf, target) == SaveResult::Failed ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"dial.dxf"});
  EXPECT_EQ(slurp(target), "old");
}

// The conversion fails (the target is a folder): the temporary file goes
// all the same. A stale "tavrel.$$$" is replaced, and a DXF may not be
// called "tavrel.$$$" itself.
TEST_F(SaveRouteTest, TemporaryFileGoesWhenTheConversionFails) {
  fs::create_directory(dir_ / "taken.dxf");
  std::ofstream(file("tavrel.$$$")) << "stale";
  EXPECT_EQ(save(PlotTarget::Dxf, file("taken.dxf")), SaveResult::Failed);
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"taken.dxf"});
  EXPECT_TRUE(fs::is_empty(dir_ / "taken.dxf"));

  platform_->boxes.clear();
  EXPECT_EQ(save(PlotTarget::Dxf, file("tavrel.$$$")), SaveResult::Failed);
  EXPECT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"taken.dxf"});
}

// Two saves into one folder at the same time: while the first save's plot
// waits for its conversion (the print hook of the coordinates listing
// runs in between), a second drawing save and a graph save run to their
// end in the same folder. Each DXF holds its own drawing, byte for byte
// as when it was saved alone, and every temporary plot is gone.
TEST_F(SaveRouteTest, InterleavedSavesNeverShareTheTemporaryPlot) {
  SaveChoices choices;
  choices.grid = PlotGrid::Off;
  DesignState& d = design();
  const double ownDeclination = d.wallDeclination, otherDeclination = 30;
  const auto saveOther = [&] {
    d.wallDeclination = otherDeclination;
    DrawingWindowState other = state_;
    SavePanel otherPanel;
    openSavePanel(other, otherPanel, PlotTarget::Dxf);
    platform_->fileNames.push_back(file("b.dxf"));
    const SaveResult result = savePlot(other, otherPanel, 1.0, nullptr, {}, choices);
    d.wallDeclination = ownDeclination;
    return result;
  };
  const auto saveTheGraph = [&] {
    GraphSavePanel graph = openGraphSavePanel(kEotGraphKind, false, GraphPlotTarget::Dxf);
    graph.fileName = file("c.dxf");
    return saveGraph(graph, GraphOptions{}, 1, false);
  };
  const auto saveOwn = [&](const SaveHooks& hooks) {
    openSavePanel(state_, panel_, PlotTarget::Dxf);
    state_.coordinates = CoordinatesChoice::Printer;
    platform_->fileNames.push_back(file("a.dxf"));
    return savePlot(state_, panel_, 1.0, nullptr, hooks, choices);
  };
  // Each alone, one after the other.
  SaveHooks quiet;
  quiet.printCoordinates = [](const CoordinatesListing&) {};
  ASSERT_EQ(saveOwn(quiet), SaveResult::Saved);
  ASSERT_EQ(saveOther(), SaveResult::Saved);
  ASSERT_EQ(saveTheGraph(), GraphSaveResult::Saved);
  const std::string alone[] = {slurp(file("a.dxf")), slurp(file("b.dxf")), slurp(file("c.dxf"))};
  ASSERT_NE(alone[0], alone[1]);
  for (const char* name : {"a.dxf", "b.dxf", "c.dxf"}) fs::remove(file(name));

  // Interleaved.
  SaveResult other = SaveResult::Failed;
  GraphSaveResult graph = GraphSaveResult::Failed;
  SaveHooks hooks;
  hooks.printCoordinates = [&](const CoordinatesListing&) {
    other = saveOther();
    graph = saveTheGraph();
  };
  EXPECT_EQ(saveOwn(hooks), SaveResult::Saved);
  EXPECT_EQ(other, SaveResult::Saved);
  EXPECT_EQ(graph, GraphSaveResult::Saved);
  EXPECT_EQ(slurp(file("a.dxf")), alone[0]);
  EXPECT_EQ(slurp(file("b.dxf")), alone[1]);
  EXPECT_EQ(slurp(file("c.dxf")), alone[2]);
  EXPECT_EQ(filesIn(dir_), (std::vector<std::string>{"a.dxf", "b.dxf", "c.dxf"}));
}

TEST_F(SaveRouteTest, CoordinatesFileBesideThePlot) {
  const std::string target = file("dial.dxf");
  openSavePanel(state_, panel_, PlotTarget::Dxf, true);
  panel_.coordinatesFileName = file("dial.txt");
  std::ofstream(file("dial.txt")) << "old";
  platform_->fileNames.push_back(target);
  SaveChoices choices;
  choices.grid = PlotGrid::Off;
  ASSERT_EQ(savePlot(state_, panel_, 1.0, nullptr, {}, choices), SaveResult::Saved);
  ASSERT_GE(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Problem);
  EXPECT_EQ(platform_->boxes[0].text, " overwriting file " + file("dial.txt"));
  EXPECT_EQ(filesIn(dir_), (std::vector<std::string>{"dial.dxf", "dial.txt"}));
  const std::string listing = slurp(file("dial.txt"));
  EXPECT_EQ(listing.rfind("Vertical SUNDIAL\r\n", 0), 0u);
  EXPECT_NE(listing.find("\r\nFile name of saved construction: " + target + "\r\n"), std::string::npos);
  // Windows-1252 on disk.
  EXPECT_NE(listing.find("\r\nLine   9:00  o\xB4" "clock:\r\n"), std::string::npos);

  // To the printer: the same lines go to the print hook.
  std::vector<std::string> printed;
  std::size_t head = 0;
  SaveHooks hooks;
  hooks.printCoordinates = [&](const CoordinatesListing& l) {
    printed = l.lines();
    head = l.headLineCount();
  };
  openSavePanel(state_, panel_, PlotTarget::Hpgl);
  state_.coordinates = CoordinatesChoice::Printer;
  platform_->fileNames.push_back(file("dial.plt"));
  ASSERT_EQ(savePlot(state_, panel_, 1.0, nullptr, hooks, choices), SaveResult::Saved);
  ASSERT_GT(printed.size(), 30u);
  EXPECT_EQ(printed[0], "Vertical SUNDIAL");
  // The head (printed at 11 pt, the rest at 9) ends with the file name.
  ASSERT_GT(head, 10u);
  ASSERT_LT(head, printed.size());
  EXPECT_EQ(printed[head - 1].rfind("File name of saved construction: ", 0), 0u);
  EXPECT_EQ(printed[head], "");

  // A coordinates file named "printer" is the printer.
  printed.clear();
  openSavePanel(state_, panel_, PlotTarget::Hpgl, true);
  panel_.coordinatesFileName = "printer";
  platform_->fileNames.push_back(file("dial.plt"));
  ASSERT_EQ(savePlot(state_, panel_, 1.0, nullptr, hooks, choices), SaveResult::Saved);
  ASSERT_GT(printed.size(), 30u);
  EXPECT_FALSE(fs::exists(file("printer")));
}

// The world map of a planar dial without umbrella precedes the dial in
// the file: coast lines first, then boundaries, at the same placement.
TEST_F(SaveRouteTest, WorldMapPassesComeFirst) {
  std::vector<std::string> calls;
  SaveHooks hooks;
  design().mapOverlay = true;
  hooks.worldMap = [&](HpglWriter& w, bool coast, const PlotPlacement& p) {
    calls.push_back(coast ? "coast" : "boundaries");
    EXPECT_EQ(p.resolutionFactor, w.resolutionFactor());
    HpglRawAccess::write(w, coast ? "IN;SP 11;" : "IN;SP 12;");
  };
  const std::string target = file("map.plt");
  ASSERT_EQ(save(PlotTarget::Hpgl, target, hooks), SaveResult::Saved);
  EXPECT_EQ(calls, (std::vector<std::string>{"coast", "boundaries"}));
  EXPECT_EQ(slurp(target).rfind("IN;SP 11;IN;SP 12;IN;VS 1;PA;", 0), 0u);

  calls.clear();
  design().mapFrontiers = false;
  ASSERT_EQ(save(PlotTarget::Dxf, file("map.dxf"), hooks), SaveResult::Saved);
  EXPECT_EQ(calls, std::vector<std::string>{"coast"});
  calls.clear();
  design().umbrellaMode = true;
  ASSERT_EQ(save(PlotTarget::Hpgl, target, hooks), SaveResult::Saved);
  EXPECT_TRUE(calls.empty());
}

// Without a hook the program's own map passes are written: a plot with
// both passes holds three initialisations (coast, boundaries, dial).
TEST_F(SaveRouteTest, BuiltInWorldMapPasses) {
  auto count = [](const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  design().mapOverlay = true;
  const std::string target = file("world.plt");
  ASSERT_EQ(save(PlotTarget::Hpgl, target), SaveResult::Saved);
  const std::string both = slurp(target);
  EXPECT_EQ(count(both, "IN;"), 3u);
  // Each pass ends its last command before the next "IN;".
  for (std::size_t at = both.find("IN;", 1); at != std::string::npos; at = both.find("IN;", at + 1))
    EXPECT_EQ(both[at - 1], ';') << both.substr(at - 20, 30);
  const std::string eps = file("world.eps");
  const std::string cmd = "hp2xx -q -m eps -f " + eps + " " + target + " 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
  EXPECT_GT(fs::file_size(eps), 100000u);
  EXPECT_LT(both.find(";SP 11;PU"), both.find(";SP 12;PU"));
  EXPECT_GT(count(both, " "), 20000u);  // the outline's points
  design().mapOverlay = false;
  ASSERT_EQ(save(PlotTarget::Hpgl, target), SaveResult::Saved);
  EXPECT_EQ(count(slurp(target), "IN;"), 1u);
}

// Every family saves through the plot of its row; a DXF is written at
// R = 25 only for the families that scale.
TEST_F(SaveRouteTest, FamiliesSaveThroughTheirRows) {
  design().dialKind = 'x';
  ASSERT_EQ(save(PlotTarget::Dxf, file("x.dxf")), SaveResult::Saved);
  EXPECT_EQ(testPlotFactor, 1);
  design().dialKind = 'y';
  ASSERT_EQ(save(PlotTarget::Dxf, file("y.dxf")), SaveResult::Saved);
  EXPECT_EQ(testPlotFactor, 25);
  for (const char* name : {"x.dxf", "y.dxf"}) {
    const std::vector<DxfEntity> e = readDxf(file(name));
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].points.back(), (std::array<double, 2>{1, 0}));  // 1 mm either way
  }
  EXPECT_EQ(filesIn(dir_), (std::vector<std::string>{"x.dxf", "y.dxf"}));
}

// The ham dial is drawn but has no plot: the save is refused the same way
// with its own text, in both languages.
TEST_F(SaveRouteTest, HamDialHasNoPlot) {
  struct Case {
    int language;
    const char* text;
  };
  for (const Case& c : {Case{2, "There is no plot output for this dial type."},
                        Case{1, "Für diesen Sonnenuhrtyp gibt es keine Plotdatei."}}) {
    design().language = c.language;
    design().dialKind = 'o';
    platform_->boxes.clear();
    EXPECT_FALSE(openSavePanel(state_, panel_, PlotTarget::Dxf));
    platform_->fileNames.push_back(file("o.dxf"));
    EXPECT_EQ(savePlot(state_, panel_, 1.0, nullptr), SaveResult::NoPlot);
    ASSERT_EQ(platform_->boxes.size(), 2u);
    for (const RecordedBox& b : platform_->boxes) EXPECT_EQ(b.text, c.text);
    EXPECT_TRUE(filesIn(dir_).empty());
  }
}

// A coordinates file that cannot be written ends the save: one message,
// no "saved", and the plot file is neither created nor replaced.
TEST_F(SaveRouteTest, CoordinatesWriteErrorEndsTheSave) {
  for (PlotTarget target : {PlotTarget::Hpgl, PlotTarget::Dxf}) {
    const std::string plot = file(target == PlotTarget::Dxf ? "dial.dxf" : "dial.plt");
    for (bool existing : {false, true}) {
      if (existing) std::ofstream(plot) << "old";
      openSavePanel(state_, panel_, target, true);
      panel_.coordinatesFileName = file("missing_folder/dial.txt");
      platform_->fileNames.push_back(plot);
      platform_->boxes.clear();
      SaveChoices choices;
      choices.grid = PlotGrid::Off;
      EXPECT_EQ(savePlot(state_, panel_, 1.0, nullptr, {}, choices), SaveResult::Failed);
      ASSERT_EQ(platform_->boxes.size(), 1u);
      EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Error);
      EXPECT_EQ(platform_->boxes[0].text.rfind(messageText(53), 0), 0u);
      if (existing)
        EXPECT_EQ(slurp(plot), "old");
      else
        EXPECT_FALSE(fs::exists(plot));
      EXPECT_EQ(filesIn(dir_).size(), existing ? 1u : 0u);
      fs::remove(plot);
    }
  }
}

}  // namespace
}  // namespace tavrel
