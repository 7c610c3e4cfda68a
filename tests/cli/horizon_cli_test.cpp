// tavrel-cli horizon: two neighbouring grids give the profile file the
// library writes; a bad grid is one message and no file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_process.h"
#include "tables/horizon_profile.h"
#include "tables/horizon_test_terrain.h"
#include <sstream>
#include <unistd.h>

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

class HorizonCliTest : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("tavrel-horizon-cli-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& text) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
};

TEST_F(HorizonCliTest, TwoTilesMakeOneProfile) {
  TerrainSpec west, east;
  west.observerLon = east.observerLon = 11.9;
  east.left = 12;
  west.cones = east.cones = {{90, 28000, 700, 3000}};
  placeCones(west);
  placeCones(east);
  const std::string a = write("a.asc", terrainGrid(west)), b = write("b.asc", terrainGrid(east));
  const std::string out = (dir / "p.ele").string();
  const CliResult r = runCli({"--lang", "en", "--set", "latitude=47.5", "--set", "longitude=-11.9", "horizon",
                              "--grid", a, "--grid", b, "--out", out, "--max-distance", "30", "--min-distance",
                              "150", "--pedestal", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::ifstream f(out, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(f)), {});
  EXPECT_NE(bytes.find("Altitude of Central Point=0 + 2;  Minimal Object Distance=180\r\n"), std::string::npos);
  HorizonProfile p = emptyHorizonProfile();
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(bytes);
  while (std::getline(in, line)) lines.push_back(line.substr(0, line.size() - 1));
  std::string note;
  ASSERT_TRUE(parseHorizonProfile(lines, p, note));
  EXPECT_NEAR(p[180].elevation, referenceElevation(east, 90, 2, 180, 30000), 0.05);
}

TEST_F(HorizonCliTest, BadGridWritesNothing) {
  const std::string bad = write("bad.asc", "this is not a grid\n");
  const std::string out = (dir / "p.ele").string();
  const CliResult r = runCli({"--lang", "en", "horizon", "--grid", bad, "--out", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Cannot find solution!0"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(runCli({"horizon", "--grid", bad}).exitCode, 2);
  EXPECT_EQ(runCli({"horizon", "--grid", bad, "--out", out, "--pedestal", "301"}).exitCode, 2);
}

}  // namespace
}  // namespace tavrel::test
