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

// A grid named on the command line that cannot be used ends the command
// with its message and exit 1, and no profile is written: the first grid
// cut short, or a further grid that is no missing neighbour (here the tile
// north of the first while the east one is missing).
TEST_F(HorizonCliTest, UnusableGridsEndWithoutAFile) {
  TerrainSpec west, east, north;
  west.observerLon = east.observerLon = north.observerLon = 11.9;
  east.left = 12;
  north.top = 49;
  const std::string a = write("a.asc", terrainGrid(west));
  const std::string b = write("north.asc", terrainGrid(north));
  const std::string c = write("east.asc", terrainGrid(east));
  const std::string half = write("half.asc", withoutLastLines(terrainGrid(west), 600));
  const std::string halfEast = write("half-east.asc", withoutLastLines(terrainGrid(east), 600));
  const std::string out = (dir / "p.ele").string();
  const struct {
    const char* name;
    std::vector<std::string> grids;
    std::string message;
  } cases[] = {
      {"wrong neighbour", {a, b, c},
       "TAVREL.EXE - Error!: Area of dataset is wrong! false! " + b +
           " : The table is not a missing neighbour of the first table.\n"},
      {"first grid cut short", {half, c}, "Cannot find solution!0 " + half + " : The elevation grid is incomplete: 600 of 1200 data rows present.\n"},
      {"further grid cut short", {a, halfEast}, "Cannot find solution!0 " + halfEast + " : The elevation grid is incomplete: 600 of 1200 data rows present.\n"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    std::vector<std::string> args = {"--lang", "en", "--set", "latitude=47.5", "--set", "longitude=-11.9", "horizon"};
    for (const std::string& g : k.grids) args.insert(args.end(), {"--grid", g});
    args.insert(args.end(), {"--out", out, "--max-distance", "30"});
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(k.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
  }
  // With the right neighbour the same command writes the profile.
  EXPECT_EQ(runCli({"--lang", "en", "--set", "latitude=47.5", "--set", "longitude=-11.9", "horizon", "--grid", a,
                    "--grid", c, "--out", out, "--max-distance", "30"})
                .exitCode,
            0);
  EXPECT_TRUE(fs::exists(out));
}

// A profile file cut short is not drawn: the graph names the cause.
TEST_F(HorizonCliTest, GraphRefusesAProfileCutShort) {
  std::string profile = "47,5\t x\r\n-11,9\t x\r\n720\t NPoints\r\n";
  for (int k = 0; k < 300; ++k) profile += std::to_string(k / 2 - 180) + (k % 2 ? ",50" : ",00") + " \t 3,0000 \t 900,00 \t 0 \t \r\n";
  const std::string ele = write("cut.ele", profile);
  const std::string svg = (dir / "g.svg").string();
  const CliResult r = runCli({"--lang", "en", "graph", "sunpath-cartesian", "--horizon", ele, "--out", svg});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The horizon profile is incomplete: 300 of 720 points."), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(svg));
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
