// tavrel-cli draw and angles, run as a user would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_process.h"

namespace tavrel::test {
namespace {

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class DrawCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tavrel_draw_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

TEST_F(DrawCliTest, DefaultDialAsSvg) {
  const std::string out = file("v.svg");
  const CliResult r = runCli({"--lang", "en", "draw", "--out", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string svg = slurp(out);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("width=\"280mm\""), std::string::npos);  // 1600 px across 280 mm
  EXPECT_NE(svg.find(">vertical SUNDIAL<"), std::string::npos);
  EXPECT_NE(svg.find(">Please fix the gnomon position with mouse click!<"), std::string::npos);
  // Only the SVG is left in the folder (no temporary file).
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) (void)e, ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(DrawCliTest, OptionsReachTheDrawing) {
  const std::string out = file("h.svg");
  const CliResult r = runCli({"--lang", "en", "--set", "dialKind=h", "draw", "--out", out, "--size",
                              "800x600", "--a3", "--zoom", "2", "--foot", "400,450", "--text", "20,30",
                              "--grid"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string svg = slurp(out);
  EXPECT_NE(svg.find("width=\"420mm\""), std::string::npos);  // the saved (A3) layout
  EXPECT_NE(svg.find(">horizontal SUNDIAL<"), std::string::npos);
  EXPECT_NE(svg.find("Gnomon Height (= 70.00)"), std::string::npos);
  EXPECT_EQ(svg.find("Please fix the gnomon"), std::string::npos);  // the foot is fixed
}

TEST_F(DrawCliTest, BadArgumentsAreUsageErrors) {
  // PNG and PDF pictures are tested with the Qt canvas (tests/ui).
  const CliResult r = runCli({"draw", "--out", file("d.jpg")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(file("d.jpg")));
  EXPECT_EQ(runCli({"draw"}).exitCode, 2);
  EXPECT_EQ(runCli({"draw", "--out", file("x.svg"), "--size", "12by3"}).exitCode, 2);
  EXPECT_EQ(runCli({"draw", "--out", file("x.svg"), "--foot", "1"}).exitCode, 2);
}

TEST_F(DrawCliTest, UnwritableTargetFails) {
  const CliResult r = runCli({"draw", "--out", file("missing/folder/x.svg")});
  EXPECT_EQ(r.exitCode, 1);
}

TEST_F(DrawCliTest, CylinderDialsAndHidokaiDraw) {
  for (const char* variant : {"0", "1", "2"}) {
    const CliResult r = runCli({"--lang", "en", "--set", "dialKind=z", "--set",
                                std::string("cylinderVariant=") + variant, "draw", "--out", file("z.svg")});
    ASSERT_EQ(r.exitCode, 0) << variant << r.err;
    EXPECT_NE(slurp(file("z.svg")).find("Cylinder Sundial"), std::string::npos) << variant;
  }
  const CliResult k = runCli({"--lang", "de", "--set", "dialKind=k", "draw", "--out", file("k.svg")});
  ASSERT_EQ(k.exitCode, 0) << k.err;
  EXPECT_NE(slurp(file("k.svg")).find("Höhensonnenuhr (horiz.)"), std::string::npos);
}

TEST_F(DrawCliTest, QuadrantsDraw) {
  for (const char* variant : {"0", "1", "2"}) {
    const CliResult r = runCli({"--lang", "en", "--set", "dialKind=q", "--set",
                                std::string("quadrantVariant=") + variant, "--set", "habermelGnomonLength=40",
                                "draw", "--out", file("q.svg")});
    ASSERT_EQ(r.exitCode, 0) << variant << r.err;
    const char* title[] = {"QUADRANT SUNDIAL", "Vertical Habermel-Sundial I", "Vertical Altitude Dial (Habermel II)"};
    EXPECT_NE(slurp(file("q.svg")).find(title[variant[0] - '0']), std::string::npos) << variant;
  }
}

// Both designs of the azimuthal dial draw headless, with their titles in
// the language asked for.
TEST_F(DrawCliTest, AzimuthalDialsDraw) {
  const char* cases[][4] = {{"en", "azimuthDialKind=0", "azimuthHeightMode=0", "AZIMUTHAL SUNDIAL"},
                            {"de", "azimuthDialKind=1", "azimuthHeightMode=1", "AZIMUTALE SONNENUHR (Tonne)"},
                            {"en", "azimuthDialKind=1", "azimuthHeightMode=2", "Stereographic Sundial"}};
  for (const auto& c : cases) {
    const CliResult r = runCli({"--lang", c[0], "--set", "dialKind=a", "--set", c[1], "--set", c[2], "draw",
                                "--out", file("a.svg"), "--size", "2000x2000"});
    ASSERT_EQ(r.exitCode, 0) << c[1] << r.err;
    EXPECT_NE(slurp(file("a.svg")).find(c[3]), std::string::npos) << c[3];
  }
}

// The azimuth dials of kinds 'p' and 'm' draw headless, with their titles
// in the language asked for.
TEST_F(DrawCliTest, PeaucellierAndHollanderDialsDraw) {
  struct Case { const char* kind; const char* lang; const char* title; };
  const Case cases[] = {{"p", "en", "Hybrid Peaucellier Sundial, azimuthal"},
                        {"p", "de", "Hybride Peaucellier-Sonnenuhr, azimutal"},
                        {"m", "en", "Hollander´s Mean Time Sundial"},
                        {"m", "de", "Hollanders Sonnenuhr für mittlere Zeit"}};
  for (const Case& c : cases) {
    const CliResult r = runCli({"--lang", c.lang, "--set", std::string("dialKind=") + c.kind, "--set",
                                "expertModeActive=true", "draw", "--out", file("x.svg")});
    ASSERT_EQ(r.exitCode, 0) << c.kind << r.err;
    EXPECT_NE(slurp(file("x.svg")).find(c.title), std::string::npos) << c.kind << c.lang;
  }
}

// The ring dial and its second picture, the correction chart; a dial
// without a second picture refuses --second.
TEST_F(DrawCliTest, RingDialAndItsCorrectionChart) {
  const CliResult band = runCli({"--lang", "en", "--set", "dialKind=r", "draw", "--out", file("r.svg")});
  ASSERT_EQ(band.exitCode, 0) << band.err;
  EXPECT_NE(slurp(file("r.svg")).find("Ring Dial (Farmers\u00b4 Ring):"), std::string::npos);
  const CliResult chart =
      runCli({"--lang", "en", "--set", "dialKind=r", "draw", "--second", "--out", file("c.svg")});
  ASSERT_EQ(chart.exitCode, 0) << chart.err;
  EXPECT_NE(slurp(file("c.svg")).find("Scale inner ring [deg]"), std::string::npos);
  const CliResult none =
      runCli({"--lang", "en", "--set", "dialKind=h", "draw", "--second", "--out", file("h.svg")});
  EXPECT_NE(none.exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(file("h.svg")));
}

// The bi-azimuthal dial draws headless with its title and the three
// information lines, in both languages.
TEST_F(DrawCliTest, BiAzimuthalDialDraws) {
  const CliResult en = runCli({"--lang", "en", "--set", "dialKind=c", "--set", "latitude2=40.42", "--set",
                               "longitude2=3.7", "draw", "--out", file("c.svg"), "--foot", "800,300"});
  ASSERT_EQ(en.exitCode, 0) << en.err;
  const std::string svg = slurp(file("c.svg"));
  EXPECT_NE(svg.find("Compressed Gnomonic Sundial"), std::string::npos);
  EXPECT_NE(svg.find("B( 40.42° /3.70°),  horiz.;"), std::string::npos);
  EXPECT_NE(svg.find("projection center:"), std::string::npos);
  const CliResult de = runCli({"--lang", "de", "--set", "dialKind=c", "draw", "--out", file("d.svg")});
  ASSERT_EQ(de.exitCode, 0) << de.err;
  EXPECT_NE(slurp(file("d.svg")).find("Komprimierte gnomonische Sonnenuhr"), std::string::npos);
}

// The Sawyer dial and the ham dial draw headless; the Sawyer dial within
// the tropics draws its refusal in both languages.
TEST_F(DrawCliTest, SawyerAndHamDialsDraw) {
  const CliResult w = runCli({"--lang", "en", "--set", "dialKind=w", "--set", "latitude=48", "draw", "--out",
                              file("w.svg")});
  ASSERT_EQ(w.exitCode, 0) << w.err;
  EXPECT_NE(slurp(file("w.svg")).find("Sawyer Sundials"), std::string::npos);
  const CliResult t = runCli({"--lang", "en", "--set", "dialKind=w", "--set", "latitude=20", "draw", "--out",
                              file("t.svg")});
  ASSERT_EQ(t.exitCode, 0) << t.err;
  EXPECT_NE(slurp(file("t.svg")).find("No constructions for latitudes in between"), std::string::npos);
  EXPECT_NE(slurp(file("t.svg")).find("Berechnungen erfolgen nur"), std::string::npos);
  const CliResult o = runCli({"--lang", "de", "--set", "dialKind=o", "draw", "--out", file("o.svg")});
  ASSERT_EQ(o.exitCode, 0) << o.err;
  EXPECT_NE(slurp(file("o.svg")).find("Schinkensonnenuhr"), std::string::npos);
}

TEST(AnglesCliTest, TableOfTheDefaultDial) {
  const CliResult r = runCli({"--lang", "en", "angles"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Angles of the Hour Lines in a Vertical Sundial\n", 0), 0u);
  EXPECT_NE(r.out.find("12:00              0.00"), std::string::npos) << r.out;
  const CliResult umbrella = runCli({"--set", "umbrellaMode=true", "angles"});
  EXPECT_EQ(umbrella.exitCode, 1);
}

}  // namespace
}  // namespace tavrel::test
