// Horizon profile: the computation on synthetic terrain against an
// independent ray march over the exact cone surfaces, the edge cases of
// the tiles and settings, and the profile file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/scripted_platform.h"
#include "tables/horizon.h"
#include "table_test_util.h"
#include "horizon_test_terrain.h"
#include "tests/core/language_choice.h"

namespace tavrel::test {
namespace {

struct ConeCase {
  const char* name;
  int bin;  // expected half-degree bin
  Cone cone;
};

struct ProfileRun {
  HorizonStatus status;
  HorizonProfile profile;
  int observer = 0;
  unsigned missing = 0;
};

ProfileRun compute(const TerrainSpec& t, const std::string& grid, HorizonSettings s) {
  std::istringstream in(grid);
  HorizonCalculation calc(t.observerLat, t.observerLon, s);
  HorizonProgress progress;
  ProfileRun r{calc.open(in), {}, 0, 0};
  if (r.status == HorizonStatus::Ok) r.status = calc.run(progress);
  r.profile = calc.profile();
  r.observer = calc.observerAltitude();
  r.missing = calc.missing();
  return r;
}

void expectEmpty(const HorizonPoint& p, int bin) {
  EXPECT_EQ(p.elevation, 0.0) << "bin " << bin;
  EXPECT_EQ(p.distance, 0.0) << "bin " << bin;
  EXPECT_EQ(p.terrainHeight, -1.3) << "bin " << bin;
}

// Mountains due north, east, south and west and one oblique, near (inside
// the 500-row window, found by the grid-line intersections) and far (the
// single pass over the rows), at 3 and at 1 arc-second.
struct ResolutionCase {
  const char* name;
  int rows;
  double cellSize;
  int maxKm;
  std::vector<ConeCase> cones;
  std::vector<int> emptyBins;
};

TEST(HorizonProfile, ConesAgreeWithRayMarchOverExactSurface) {
  const std::vector<ResolutionCase> cases = {
      {"3 arcsec",
       1201,
       1.0 / 1200,
       60,
       {{"north near", 0, {0, 5000, 300, 2500}},
        {"east far", 180, {90, 30000, 600, 5000}},
        {"south far", 360, {180, 45000, 800, 6000}},
        {"west near", 540, {270, 15000, 250, 2000}},
        {"south-west far", 441, {220.5, 40000, 700, 5000}}},
       {90, 270, 600, 630}},
      {"1 arcsec",
       3601,
       1.0 / 3600,
       20,
       {{"north near", 0, {0, 3000, 200, 1500}},
        {"east far", 180, {90, 12000, 400, 2000}},
        {"south near", 360, {180, 4000, 250, 1500}},
        {"west far", 540, {270, 15000, 500, 2500}},
        {"north-east far", 121, {60.5, 14000, 450, 2000}}},
       {90, 270, 460, 630}},
  };
  for (const ResolutionCase& rc : cases) {
    SCOPED_TRACE(rc.name);
    TerrainSpec t;
    t.rows = rc.rows;
    t.cellSize = rc.cellSize;
    for (const ConeCase& c : rc.cones) t.cones.push_back(c.cone);
    placeCones(t);
    HorizonSettings s;
    s.maxObjectDistance = rc.maxKm;
    const ProfileRun run = compute(t, terrainGrid(t), s);
    ASSERT_EQ(run.status, HorizonStatus::Ok);
    EXPECT_EQ(run.observer, 0);
    double worst = 0;
    for (const ConeCase& c : rc.cones) {
      const double reference = referenceElevation(t, run.profile[c.bin].azimuth + 180, 0, 180, rc.maxKm * 1000.0);
      const HorizonPoint& p = run.profile[c.bin];
      EXPECT_NEAR(p.elevation, reference, 0.05) << c.name;
      EXPECT_GT(reference, 0.5) << c.name;
      EXPECT_NEAR(p.distance, c.cone.distance, 0.05 * c.cone.distance) << c.name;
      worst = std::max(worst, std::fabs(p.elevation - reference));
    }
    RecordProperty(std::string("worst_error_deg_") + (rc.rows == 1201 ? "3s" : "1s"), std::to_string(worst));
    for (int bin : rc.emptyBins) expectEmpty(run.profile[bin], bin);
  }
}

// A wide plain 5 m above the observer from 30 km on lies below his
// horizontal plane (the Earth's curvature lowers it by about 70 m): no bin
// may see it, neither in the far field nor in the corners of the near
// window (which reach 33 km). The near hill at 2 km still counts.
TEST(HorizonProfile, FarPlainJustAboveObserverIsNoHorizon) {
  TerrainSpec t;
  t.cones = {{0, 2000, 100, 800}};
  placeCones(t);
  t.plainFrom = 30000;
  t.plainHeight = 5;
  HorizonSettings s;
  s.maxObjectDistance = 60;
  const ProfileRun run = compute(t, terrainGrid(t), s);
  ASSERT_EQ(run.status, HorizonStatus::Ok);
  EXPECT_GT(run.profile[0].elevation, 2.0);
  for (int bin = 60; bin < 660; ++bin) expectEmpty(run.profile[bin], bin);
}

// Centre on the western or southern edge belongs to the tile, on the
// eastern or northern edge it does not.
TEST(HorizonProfile, TileEdges) {
  TerrainSpec t;
  const std::string grid = terrainGrid(t);
  struct Case {
    double lat, lon;
    HorizonStatus status;
  } cases[] = {
      {47.5, 11.0, HorizonStatus::Ok},             // western edge
      {47.0, 11.5, HorizonStatus::Ok},             // southern edge
      {47.5, 12.0, HorizonStatus::CentreOutside},  // eastern edge
      {48.0, 11.5, HorizonStatus::CentreOutside},  // northern edge
  };
  for (const Case& c : cases) {
    t.observerLat = c.lat;
    t.observerLon = c.lon;
    EXPECT_EQ(compute(t, grid, {}).status, c.status) << c.lat << "/" << c.lon;
  }
}

// Max distance 0: the far cone is ignored, the near one found.
TEST(HorizonProfile, MaxDistanceZeroLeavesOnlyNearWindow) {
  TerrainSpec t;
  t.cones = {{0, 4000, 300, 1500}, {180, 40000, 900, 5000}};
  placeCones(t);
  HorizonSettings s;
  s.maxObjectDistance = 0;
  const ProfileRun run = compute(t, terrainGrid(t), s);
  ASSERT_EQ(run.status, HorizonStatus::Ok);
  EXPECT_EQ(run.missing, 0u);
  EXPECT_NEAR(run.profile[0].elevation, referenceElevation(t, 0, 0, 180, 10000), 0.05);
  expectEmpty(run.profile[360], 360);
}

// A 1201-row tile is read as 1200 rows of 1201 values: a dropped first
// line of 3000 m would otherwise be a wall in the north.
TEST(HorizonProfile, TileOf1201RowsDropsItsFirstLine) {
  TerrainSpec t;
  t.observerLat = 47.9;
  t.droppedLineHeight = 3000;
  const std::string grid = terrainGrid(t);
  std::istringstream in(grid);
  ElevationGridReader reader;
  ASSERT_TRUE(reader.open(in));
  EXPECT_EQ(reader.tile().rowCount, 1201);
  EXPECT_EQ(reader.tile().dataRows(), 1200);
  EXPECT_EQ(reader.rowsPresent(), 1200);
  std::string row;
  std::vector<int> values;
  ASSERT_TRUE(reader.readRow(1, row));
  parseHeightRow(row, -1, values);
  EXPECT_EQ(values.size(), 1201u);
  EXPECT_EQ(values[0], 0);
  HorizonSettings s;
  s.maxObjectDistance = 20;
  const ProfileRun run = compute(t, grid, s);
  ASSERT_EQ(run.status, HorizonStatus::Ok);
  expectEmpty(run.profile[0], 0);
}

TEST(HorizonProfile, MinimumDistanceIsAtLeast180) {
  EXPECT_EQ(storedMinObjectDistance(150), 180);
  EXPECT_EQ(storedMinObjectDistance(250), 250);
  HorizonSettings s;
  s.minObjectDistance = 150;
  HorizonCalculation calc(47.5, 11.5, s);
  EXPECT_EQ(calc.fileInfo().minObjectDistance, 180);
}

TEST(HorizonProfile, HeaderRulesAndBadGrids) {
  const std::string header =
      "ncols 3601\nnrows 3601\nxllcorner 10.9999\nyllcorner 46.0004\ncellsize 0.0001\nNODATA_value -32768\n";
  std::istringstream in(header + "1 2 3\n");
  ElevationGridReader reader;
  ASSERT_TRUE(reader.open(in));
  const ElevationTile& t = reader.tile();
  EXPECT_DOUBLE_EQ(t.cellSize, 1.0 / 3600);  // below 0.000278
  EXPECT_EQ(t.span, 1);
  EXPECT_DOUBLE_EQ(t.leftLongitude, 11.0);
  EXPECT_DOUBLE_EQ(t.topLatitude, 47.0);
  EXPECT_EQ(t.noDataValue, -32768);
  EXPECT_TRUE(t.oneArcSecond());
  EXPECT_EQ(reader.rowsPresent(), 0);  // the only line is the dropped one
  for (const std::string& bad : {std::string(""), std::string("ncols 3\nnrows x\n"), std::string("garbage\n\n\n\n\n\n"),
                                std::string("ncols 2\nnrows 2\nxllcorner 1\nyllcorner 2\ncellsize 1e-300\nNODATA_value 0\n")}) {
    std::istringstream b(bad);
    ElevationGridReader r;
    EXPECT_FALSE(r.open(b)) << bad;
  }
  std::vector<int> values;
  parseHeightRow("12 -4;7,,x 5-3 99999", -1, values);
  EXPECT_EQ(values, (std::vector<int>{12, -4, -1, -1, -1}));
}

// A neighbouring tile in the east, asked for and added: the far mountain
// in it appears; a tile that is no missing neighbour or of another kind is
// refused.
TEST(HorizonProfile, MissingEastTileAdded) {
  TerrainSpec west, east;
  west.observerLat = east.observerLat = 47.5;
  west.observerLon = east.observerLon = 11.9;
  east.left = 12;
  const Cone c{90, 28000, 700, 3000};
  west.cones = east.cones = {c};
  placeCones(west);
  placeCones(east);
  const std::string westGrid = terrainGrid(west), eastGrid = terrainGrid(east);
  HorizonSettings s;
  s.maxObjectDistance = 30;
  HorizonCalculation calc(47.5, 11.9, s);
  HorizonProgress progress;
  std::istringstream first(westGrid);
  ASSERT_EQ(calc.open(first), HorizonStatus::Ok);
  EXPECT_EQ(calc.missing(), kDirEast);
  ASSERT_EQ(calc.run(progress), HorizonStatus::Ok);
  expectEmpty(calc.profile()[180], 180);

  TerrainSpec north = west;
  north.top = 49;
  std::istringstream wrongArea(terrainGrid(north));
  EXPECT_EQ(calc.addTile(wrongArea, progress), HorizonStatus::WrongArea);
  std::istringstream wrongKind(std::string("ncols 601\nnrows 601\nxllcorner 12\nyllcorner 47\ncellsize 0.0016666667\n"
                                           "NODATA_value -9999\n"));
  EXPECT_EQ(calc.addTile(wrongKind, progress), HorizonStatus::WrongKind);

  std::istringstream added(eastGrid);
  ASSERT_EQ(calc.addTile(added, progress), HorizonStatus::Ok);
  calc.finish(progress);
  EXPECT_EQ(calc.missing(), 0u);
  EXPECT_NEAR(calc.profile()[180].elevation, referenceElevation(east, 90, 0, 180, 30000), 0.05);
}

class HorizonFileTest : public TablesTest {
 protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("tavrel-horizon-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  void SetUp() override {
    TablesTest::SetUp();
    std::filesystem::create_directories(dir);
    horizonState() = HorizonState{};
  }
  void TearDown() override {
    std::filesystem::remove_all(dir);
    horizonState() = HorizonState{};
    TablesTest::TearDown();
  }
};

TEST_F(HorizonFileTest, SaveAndLoadRoundTrip) {
  HorizonProfile p = emptyHorizonProfile();
  for (int k = 0; k < kHorizonPoints; ++k)
    if (k % 7 == 0) p[k] = {k * 0.5 - 180, 0.0137 * k, 12.5 * k + 180, 300.0 + k};
  horizonState().computedProfile = p;
  const HorizonFileInfo info{47.25131, 9.5908, 515, 3, 180};
  const std::string path = (dir / "p.ele").string();
  ASSERT_TRUE(saveHorizonProfile(path, info));

  std::ifstream f(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(f)), {});
  EXPECT_EQ(bytes.substr(0, 52), "47,2513100000\t  Latitude (where South is negative)\r\n");
  EXPECT_NE(bytes.find("720\t NPoints (Azimut, Elevation, Distanz);  Altitude of Central Point=512 + 3;  "
                       "Minimal Object Distance=180\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("\r\n-179,50 \t 0,0000 \t 0,00 \t -1,30 \t \r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n-176,50 \t 0,0959 \t 267,50 \t 307,00 \t \r\n"), std::string::npos);

  const auto place = loadHorizonProfile(path);
  ASSERT_TRUE(place);
  EXPECT_DOUBLE_EQ(place->latitude, 47.25131);
  EXPECT_DOUBLE_EQ(place->longitude, -9.5908);
  EXPECT_TRUE(horizonState().profileLoaded);
  EXPECT_EQ(horizonState().horizonNote, "  Altitude of Central Point=512 + 3;  Minimal Object Distance=180");
  for (int k = 0; k < kHorizonPoints; ++k) {
    const HorizonPoint& a = horizonState().horizonProfile[k];
    EXPECT_DOUBLE_EQ(a.azimuth, p[k].azimuth);
    EXPECT_NEAR(a.elevation, p[k].elevation, 5e-5);
    EXPECT_NEAR(a.distance, p[k].distance, 5e-3);
  }
}

// A profile file without its -180 line or cut short is refused with its
// cause and leaves the profile as it was: taken, it would show a flat
// horizon or the rest of an earlier profile as if it were this place's.
TEST_F(HorizonFileTest, ProfileWithoutStartOrCutShortIsRefused) {
  auto pointLines = [](int from, int to) {
    std::vector<std::string> lines = {"47,5\t x", "-11,5\t x", "720\t note"};
    for (int k = from; k < to; ++k) lines.push_back(profileNumber(k * 0.5 - 180, 7, 2) + " \t 5,0000 \t 100,00 \t 9 \t ");
    return lines;
  };
  const struct {
    const char* name;
    std::vector<std::string> lines;
    ProfileFault::Kind kind;
    int points;
    const char* cause;
  } cases[] = {
      {"complete", pointLines(0, 720), ProfileFault::Kind::None, 0, ""},
      {"first point not -180", pointLines(1, 720), ProfileFault::Kind::NoStartLine, 0,
       "The horizon profile has no line with the azimuth -180."},
      {"cut short", pointLines(0, 300), ProfileFault::Kind::Incomplete, 300,
       "The horizon profile is incomplete: 300 of 720 points."},
      {"not a profile", {"abc", "1"}, ProfileFault::Kind::NotAProfile, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HorizonProfile p = emptyHorizonProfile();
    p[10].elevation = 7;
    std::string note = "earlier";
    ProfileFault fault{ProfileFault::Kind::Incomplete, -1};
    const bool taken = parseHorizonProfile(c.lines, p, note, &fault).has_value();
    EXPECT_EQ(taken, c.kind == ProfileFault::Kind::None);
    EXPECT_EQ(fault.kind, c.kind);
    EXPECT_EQ(fault.points, c.points);
    EXPECT_EQ(profileFaultText(fault), c.cause);
    EXPECT_EQ(p[10].elevation, taken ? 5.0 : 7.0);
    EXPECT_EQ(note, taken ? "" : "earlier");
  }
}

// Loading such a file in the window: message 24 with the window's digit,
// the file and the cause, in either language; nothing is loaded.
TEST_F(HorizonFileTest, LoadingACutShortProfileSaysWhy) {
  horizonState().computedProfile = emptyHorizonProfile();
  const std::string full = (dir / "full.ele").string(), cut = (dir / "cut.ele").string();
  ASSERT_TRUE(saveHorizonProfile(full, {46.0, 8.5, 400, 0, 180}));
  {
    std::ifstream in(full, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    // Lines 1 .. 3 and 500 of the 720 points.
    std::size_t end = 0;
    for (int n = 0; n < 503; ++n) end = bytes.find("\r\n", end) + 2;
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, end);
  }
  const struct {
    bool german;
    std::string text;
  } cases[] = {
      {false, "Cannot find solution!1\r\n" + cut + " : The horizon profile is incomplete: 500 of 720 points."},
      {true, "Die Aufgabe kann nicht gelöst werden!1\r\n" + cut +
                 " : Das Horizontprofil ist unvollständig: 500 von 720 Punkte."},
  };
  for (const auto& c : cases) {
    DesignState& d = design();
    useLanguage(c.german ? 1 : 2);
    d.germanSelected = c.german;
    ScriptedPlatform platform;
    setPlatform(&platform);
    platform.fileNames = {cut};
    EXPECT_FALSE(loadHorizonProfileWithDialog(1));
    setPlatform(nullptr);
    EXPECT_FALSE(horizonState().profileLoaded);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, MsgCaption::Error);
    EXPECT_EQ(platform.boxes[0].text, c.text);
  }
}

TEST(HorizonProfile, SunBelowSkyline) {
  HorizonProfile p = emptyHorizonProfile();
  p[360].elevation = 10;  // due south
  p[361].elevation = 20;
  EXPECT_TRUE(sunBelowHorizon(p, 0.25, 14.9));
  EXPECT_FALSE(sunBelowHorizon(p, 0.25, 15.1));
  EXPECT_FALSE(sunBelowHorizon(p, -90, 0.1));
  const auto line = horizonPolyline(p);
  ASSERT_EQ(line.size(), 721u);
  EXPECT_EQ(line[360], (std::pair<double, double>{0.0, 10.0}));
  EXPECT_EQ(line.back().first, 180.0);
}

// The whole sequence with its boxes: start box, done box, save dialog.
TEST_F(HorizonFileTest, SessionComputesAndSaves) {
  ScriptedPlatform platform;
  setPlatform(&platform);
  TerrainSpec t;
  t.cones = {{45, 3000, 300, 1500}};
  placeCones(t);
  const std::string grid = (dir / "g.asc").string();
  std::ofstream(grid, std::ios::binary) << terrainGrid(t);
  design().latitude = 47.5;
  design().longitude = -11.5;
  horizonSettings() = {2, 150, 10};
  platform.fileNames = {grid, (dir / "out.ele").string()};
  HorizonRunner runner;
  EXPECT_EQ(runHorizonCalculation(runner), HorizonOutcome::Saved);
  setPlatform(nullptr);
  ASSERT_GE(platform.boxes.size(), 3u);
  EXPECT_EQ(platform.boxes[0].text.substr(0, 25), "Horizon profile in point ");
  EXPECT_EQ(platform.boxes[1].text, "Calculation done! \r\nCentral point (elevation)=0");
  const auto place = loadHorizonProfile((dir / "out.ele").string());
  ASSERT_TRUE(place);
  EXPECT_EQ(horizonState().horizonNote, "  Altitude of Central Point=0 + 2;  Minimal Object Distance=180");
  EXPECT_GT(horizonState().horizonProfile[90].elevation, 3.0);
  horizonSettings() = {};
}

// A grid that cannot be used ends the calculation with message 24, the
// file and what is wrong with it; nothing is saved. A grid cut short (its
// last rows missing, as after an interrupted download) would otherwise
// give a profile with nothing in the south.
TEST_F(HorizonFileTest, UnusableGridsAreRefusedWithTheirCause) {
  TerrainSpec t;  // 1201 rows: 1200 data rows after the dropped first line
  const std::string good = terrainGrid(t);
  const std::string cutShort = withoutLastLines(good, 100);
  std::string badRows = good;
  badRows.replace(badRows.find("1201", 20), 4, "12o1");
  const std::string noCellSize = good.substr(0, good.find("cellsize"));
  std::string wideRows = good;
  wideRows.replace(wideRows.find("1201", 20), 4, "9999999");
  TerrainSpec empty = t;
  empty.ground = -9999;  // the no-data value everywhere
  const struct {
    const char* name;
    std::string grid;
    std::string cause;
  } cases[] = {
      {"cut short", cutShort, "The elevation grid is incomplete: 1100 of 1200 data rows present."},
      {"nrows not a number", badRows, "The file is not an elevation grid: header line 2 (nrows) is missing or not valid."},
      {"nrows beyond any tile", wideRows,
       "The file is not an elevation grid: header line 2 (nrows) is missing or not valid."},
      {"no cellsize line", noCellSize,
       "The file is not an elevation grid: header line 5 (cellsize) is missing or not valid."},
      {"no data at the centre", terrainGrid(empty), "The elevation grid has no heights at the central point."},
  };
  design().latitude = t.observerLat;
  design().longitude = -t.observerLon;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string grid = (dir / "g.asc").string(), out = (dir / "out.ele").string();
    std::ofstream(grid, std::ios::binary) << c.grid;
    ScriptedPlatform platform;
    setPlatform(&platform);
    platform.fileNames = {grid, out};
    HorizonRunner runner;
    EXPECT_EQ(runHorizonCalculation(runner), HorizonOutcome::Failed);
    setPlatform(nullptr);
    EXPECT_FALSE(std::filesystem::exists(out));
    ASSERT_FALSE(platform.boxes.empty());
    EXPECT_EQ(platform.boxes.back().caption, MsgCaption::Error);
    EXPECT_EQ(platform.boxes.back().text, "Cannot find solution!0\r\n" + grid + " : " + c.cause);
  }
}

// The switch asks for a profile when none is loaded; a loaded profile of
// another place moves the record there (message 70); a bad file is message
// 24 with the window's digit.
TEST_F(HorizonFileTest, SwitchAsksAndLoadingMovesThePlace) {
  ScriptedPlatform platform;
  setPlatform(&platform);
  platform.answers = {MsgAnswer::No};
  EXPECT_FALSE(setHorizonProfileSwitch(true, 1));
  EXPECT_FALSE(horizonState().showHorizonProfile);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "No horizon profile has been loaded!\r\nDo you wish to load a new horizon profile?");
  EXPECT_TRUE(platform.dialogs.empty());

  horizonState().computedProfile = emptyHorizonProfile();
  const std::string good = (dir / "good.ele").string(), bad = (dir / "bad.ele").string();
  ASSERT_TRUE(saveHorizonProfile(good, {46.0, 8.5, 400, 0, 180}));
  std::ofstream(bad) << "nothing\n";
  platform.boxes.clear();
  platform.answers = {MsgAnswer::Yes};
  platform.fileNames = {bad};
  EXPECT_FALSE(setHorizonProfileSwitch(true, 5));
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].text, "Cannot find solution!5");

  platform.boxes.clear();
  platform.answers = {MsgAnswer::Yes};
  platform.fileNames = {good};
  EXPECT_TRUE(setHorizonProfileSwitch(true, 1));
  EXPECT_TRUE(horizonProfileShown());
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].text, "Latitude and longitude is changed to values of horizon profile!");
  EXPECT_EQ(design().latitude, 46.0);
  EXPECT_EQ(design().longitude, -8.5);
  EXPECT_EQ(platform.dialogs.back().title, "Load Horizon Profile ");
  setPlatform(nullptr);
}

}  // namespace
}  // namespace tavrel::test
