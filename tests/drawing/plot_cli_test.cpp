// tavrel-cli plot and info, run as a user would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class PlotCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tavrel_plotcli_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path dir_;
};

TEST_F(PlotCliTest, DxfOfTheDefaultDialLeavesNoTemporaryFile) {
  const CliResult r = runCli({"--lang", "en", "plot", "--out", file("v.dxf")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(files(), std::vector<std::string>{"v.dxf"});
  const std::string dxf = slurp(file("v.dxf"));
  EXPECT_NE(dxf.find("vertical SUNDIAL"), std::string::npos);
  EXPECT_NE(dxf.find("double gnomon height (= 2 * 35.000 mm)"), std::string::npos);
  EXPECT_EQ(dxf.find("doppelte"), std::string::npos);

  const CliResult de = runCli({"--lang", "de", "plot", "--out", file("v.plt")});
  ASSERT_EQ(de.exitCode, 0) << de.err;
  EXPECT_NE(slurp(file("v.plt")).find("LBdoppelte Gnomonhoehe (= 2 * 35.000 mm)\x03"),
            std::string::npos);
}

// The cylinder dials and the hidokai plot headless, as HPGL and as DXF.
TEST_F(PlotCliTest, CylinderDialsAndHidokaiPlot) {
  const char* settings[][2] = {{"dialKind=z", "cylinderVariant=0"},
                               {"dialKind=z", "cylinderVariant=1"},
                               {"dialKind=z", "cylinderVariant=2"},
                               {"dialKind=k", "withVerticalDial=true"}};
  int n = 0;
  for (const auto& s : settings) {
    for (const char* ext : {".plt", ".dxf"}) {
      const std::string out = file("c" + std::to_string(n) + ext);
      const CliResult r = runCli({"--lang", "en", "--set", s[0], "--set", s[1], "plot", "--out", out});
      ASSERT_EQ(r.exitCode, 0) << s[0] << " " << s[1] << " " << r.err;
      const std::string text = slurp(out);
      EXPECT_GT(text.size(), 1000u) << out;
      EXPECT_NE(text.find(n == 3 ? "Altitude Sundial (horiz.)" : "Cylinder Sundial"), std::string::npos) << out;
    }
    ++n;
  }
}

TEST_F(PlotCliTest, QuadrantsPlot) {
  const char* settings[][2] = {{"quadrantVariant=0", "zodiacScale=0"},
                               {"quadrantVariant=0", "zodiacScale=2"},
                               {"quadrantVariant=1", "zodiacScale=0"},
                               {"quadrantVariant=2", "zodiacScale=0"}};
  const char* titles[] = {"QUADRANT SUNDIAL", "Gunter - Quadrant", "Vertical Habermel-Sundial I",
                          "Vertical Altitude Dial (Habermel II)"};
  int n = 0;
  for (const auto& s : settings) {
    for (const char* ext : {".plt", ".dxf"}) {
      const std::string out = file("q" + std::to_string(n) + ext);
      const CliResult r = runCli({"--lang", "en", "--set", "dialKind=q", "--set", s[0], "--set", s[1], "--set",
                                  "habermelGnomonLength=40", "plot", "--out", out});
      ASSERT_EQ(r.exitCode, 0) << s[0] << " " << s[1] << " " << r.err;
      const std::string text = slurp(out);
      EXPECT_GT(text.size(), 1000u) << out;
      EXPECT_NE(text.find(titles[n]), std::string::npos) << out;
    }
    ++n;
  }
}

// The azimuthal dial plots headless in both designs, as HPGL and as DXF;
// the date-circle plot starts bare ("IN;PA;"), the altitude chart with the
// frame of the page.
TEST_F(PlotCliTest, AzimuthalDialsPlot) {
  int n = 0;
  for (const char* kind : {"azimuthDialKind=0", "azimuthDialKind=1"}) {
    for (const char* ext : {".plt", ".dxf"}) {
      const std::string out = file("a" + std::to_string(n++) + ext);
      const CliResult r = runCli({"--lang", "en", "--set", "dialKind=a", "--set", kind, "plot", "--out", out});
      ASSERT_EQ(r.exitCode, 0) << kind << " " << r.err;
      const std::string text = slurp(out);
      EXPECT_NE(text.find("AZIMUTHAL SUNDIAL"), std::string::npos) << out;
      if (std::string(ext) == ".plt") {
        EXPECT_EQ(text.rfind(kind[16] == '0' ? "IN;PA;" : "IN;VS 1;PA;IW 0 0 16157 11038;", 0), 0u) << out;
      }
    }
  }
}

// The Peaucellier dial plots to HPGL and DXF; the Hollander plot brings
// its cone file ("Cone" before the extension, an HPGL plot).
TEST_F(PlotCliTest, PeaucellierAndHollanderDialsPlot) {
  for (const char* ext : {".plt", ".dxf"}) {
    const std::string p = file(std::string("p") + ext);
    const CliResult r = runCli({"--lang", "en", "--set", "dialKind=p", "plot", "--out", p});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(slurp(p).find("Hybrid Peaucellier Sundial, azimuthal"), std::string::npos) << ext;
    const std::string m = file(std::string("m") + ext);
    const CliResult h = runCli({"--lang", "en", "--set", "dialKind=m", "--set", "expertModeActive=true",
                                "plot", "--out", m});
    ASSERT_EQ(h.exitCode, 0) << h.err;
    EXPECT_NE(slurp(m).find("Mean Time Sundial"), std::string::npos) << ext;
    EXPECT_NE(slurp(file("mCone.plt")).find("LBCone cross section\x03"), std::string::npos) << ext;
  }
  EXPECT_EQ(files(), (std::vector<std::string>{"m.dxf", "m.plt", "mCone.plt", "p.dxf", "p.plt"}));
}

// The bi-azimuthal dial plots headless as HPGL (R = 1) and DXF (R = 25);
// foci too far apart end with the two messages and leave no file.
TEST_F(PlotCliTest, BiAzimuthalDialPlots) {
  for (const char* ext : {".plt", ".dxf"}) {
    const std::string out = file(std::string("c") + ext);
    const CliResult r = runCli({"--lang", "en", "--set", "dialKind=c", "plot", "--out", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = slurp(out);
    EXPECT_GT(text.size(), 10000u) << out;
  }
  EXPECT_NE(slurp(file("c.plt")).find(";LBCompressed Gnomonic Sundial"), std::string::npos);
  // Foci more than 160 degrees apart are refused: said once, no file.
  const CliResult far = runCli({"--lang", "en", "--set", "dialKind=c", "--set", "latitude=0", "--set",
                                "longitude=0", "--set", "latitude2=0", "--set", "longitude2=170", "plot",
                                "--out", file("far.plt")});
  EXPECT_EQ(far.exitCode, 1);
  EXPECT_EQ(far.err,
            "TAVREL.EXE - Problem!: The distance of the focus points is to large. The construction is not "
            "calculated!\n");
  EXPECT_FALSE(fs::exists(file("far.plt")));
}

// A design the dial refuses, run as in the reports: exit status 1, the
// refusal as the one line on stderr (no "saved", no converter message),
// no file and no temporary file, in both targets.
TEST_F(PlotCliTest, RefusedDesignsFailWithTheirMessageAndWriteNothing) {
  struct Refused {
    std::vector<std::string> settings;
    const char* message;
  };
  const Refused cases[] = {
      {{"dialKind=z", "latitude=70", "temporalHourLines=true"},
       "TAVREL.EXE - Error!: Temporal hours are not possible in this latitude! Therefore the sundial is not "
       "constructed.\n"},
      {{"dialKind=c", "latitude=47", "longitude=-9", "latitude2=-40", "longitude2=170"},
       "TAVREL.EXE - Problem!: The distance of the focus points is to large. The construction is not "
       "calculated!\n"},
  };
  for (const Refused& c : cases) {
    for (const char* name : {"x.plt", "x.dxf"}) {
      SCOPED_TRACE(c.settings.front() + " " + name);
      std::vector<std::string> args{"--lang", "en", "--set", "expertModeActive=true"};
      for (const std::string& s : c.settings) args.insert(args.end(), {"--set", s});
      args.insert(args.end(), {"plot", "--out", file(name)});
      const CliResult r = runCli(args);
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(r.err, c.message);
      EXPECT_TRUE(files().empty());
    }
  }
}

TEST_F(PlotCliTest, ChoicesReachThePlot) {
  const CliResult r = runCli({"--lang", "en", "--set", "dialKind=h", "plot", "--out", file("h.plt"),
                              "--coords", file("h.txt"), "--grid", "10", "--line-width", "2", "--foot",
                              "800,500", "--text", "100,900", "--zoom", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(files(), (std::vector<std::string>{"h.plt", "h.txt"}));
  const std::string plot = slurp(file("h.plt"));
  // The foot clicked at (800, 500) of the 1600 x 1000 picture.
  EXPECT_NE(plot.find(";SP 4;PU 0 0;;IW 0 0 16150 11030;SP 9;PU 8078 5521;CI 80;"), std::string::npos);
  EXPECT_NE(plot.find(";PW 0;"), std::string::npos);
  EXPECT_NE(plot.find(";PW 1;"), std::string::npos);
  EXPECT_NE(plot.find("(= 2 * 70.000 mm)"), std::string::npos);
  EXPECT_NE(plot.find(";PU 1010 1106;LBhorizontal SUNDIAL"), std::string::npos);
  const std::string listing = slurp(file("h.txt"));
  EXPECT_EQ(listing.rfind("Horizontal SUNDIAL\r\n", 0), 0u);
  EXPECT_NE(listing.find("Length of gnomon, orthogonal to dial:  70.000 [ mm ]"), std::string::npos);
  EXPECT_NE(r.err.find("File h.plt saved!"), std::string::npos) << r.err;
}

TEST_F(PlotCliTest, ListingForThePrinterGoesToStandardOutput) {
  const CliResult r = runCli({"--lang", "en", "plot", "--out", file("v.plt"), "--coords", "printer"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Vertical SUNDIAL\n", 0), 0u) << r.out.substr(0, 200);
  EXPECT_NE(r.out.find("\nBeginn der Deklinationlinien (Datumslinien):\n"), std::string::npos);
  EXPECT_EQ(files(), std::vector<std::string>{"v.plt"});
}

TEST_F(PlotCliTest, BadUsageAndFailures) {
  EXPECT_EQ(runCli({"plot"}).exitCode, 2);
  EXPECT_EQ(runCli({"plot", "--out", file("x.plt"), "--line-width", "4"}).exitCode, 2);
  EXPECT_EQ(runCli({"plot", "--out", file("x.plt"), "--grid", "ten"}).exitCode, 2);
  EXPECT_EQ(runCli({"--set", "dialKind=q", "plot", "--out", file("x.plt"), "--coords", file("x.txt")}).exitCode,
            2);
  const CliResult missing = runCli({"plot", "--out", file("no/such/folder/x.dxf")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_FALSE(missing.err.empty());
  EXPECT_TRUE(files().empty());
}

// The ham dial has no plot: refused in both languages, no file.
TEST_F(PlotCliTest, HamDialHasNoPlot) {
  struct Case {
    const char* lang;
    const char* text;
  };
  for (const Case& c : {Case{"en", "There is no plot output for this dial type."},
                        Case{"de", "Für diesen Sonnenuhrtyp gibt es keine Plotdatei."}})
    for (const char* out : {"x.plt", "x.dxf"}) {
      const CliResult r = runCli({"--lang", c.lang, "--set", "dialKind=o", "plot", "--out", file(out)});
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
      EXPECT_TRUE(files().empty());
    }
  // The Sawyer dial plots.
  const CliResult w = runCli({"--set", "dialKind=w", "--set", "latitude=48", "plot", "--out", file("w.plt")});
  EXPECT_EQ(w.exitCode, 0) << w.err;
}

TEST_F(PlotCliTest, OutputMustBeAPlotFile) {
  for (const char* out : {"x.svg", "x.txt", "x"}) {
    const CliResult r = runCli({"plot", "--out", file(out)});
    EXPECT_EQ(r.exitCode, 2) << out;
    EXPECT_NE(r.err.find(".plt or .dxf"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(files().empty());
  // Upper case is the same extension.
  EXPECT_EQ(runCli({"plot", "--out", file("X.PLT")}).exitCode, 0);
}

// A coordinates file that cannot be written ends the save: said once, no
// "saved", no plot file.
TEST_F(PlotCliTest, CoordinatesWriteErrorEndsTheSave) {
  const CliResult r = runCli({"--lang", "en", "--set", "dialKind=h", "plot", "--out", file("cf.plt"),
                              "--coords", file("no_folder/x.txt")});
  EXPECT_EQ(r.exitCode, 1);
  const std::size_t first = r.err.find("Unable to save file!");
  ASSERT_NE(first, std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Unable to save file!", first + 1), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("saved!"), std::string::npos) << r.err;
  EXPECT_TRUE(files().empty());
}

TEST(InfoCliTest, PoleStyleInformation) {
  const CliResult r = runCli({"--lang", "en", "--set", "latitude=50", "--set", "wallDeclination=0", "info"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Vertical SUNDIAL\n     Latitude     :                          50.00 deg \n", 0), 0u)
      << r.out;
  EXPECT_NE(r.out.find("     Angle from dial face to pole style  :  -40.00 deg \n"), std::string::npos);
  EXPECT_NE(r.out.find("     Direction of sub-style in P(0/0)    :    0.00 deg \n"), std::string::npos);
  EXPECT_NE(r.out.find("     Shadow on sub-style (local app.time):   12:00  o´clock\n"), std::string::npos);
  EXPECT_EQ(runCli({"--set", "umbrellaMode=true", "info"}).exitCode, 1);
  EXPECT_EQ(runCli({"info", "extra"}).exitCode, 2);
}

}  // namespace
}  // namespace tavrel::test
