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

TEST_F(DrawCliTest, UnbuiltDialTypesAreRefused) {
  for (const char* kind : {"q", "a", "r", "m", "w", "p", "o"}) {
    const CliResult r = runCli({"--lang", "en", "--set", std::string("dialKind=") + kind, "--set",
                                "expertModeActive=true", "draw", "--out", file("x.svg")});
    EXPECT_EQ(r.exitCode, 1) << kind;
    EXPECT_NE(r.err.find("This dial type is not available yet."), std::string::npos) << kind << r.err;
    EXPECT_FALSE(std::filesystem::exists(file("x.svg"))) << kind;
  }
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
