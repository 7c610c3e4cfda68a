// tavrel-cli wall: the lines of the measurements against PyEphem's sun,
// the refusals (exit status, one line on stderr, nothing written), and the
// board template at true size, the PDF rasterised by pdftoppm and the SVG
// by rsvg-convert, both at 254 pixels per inch (a pixel is 0.1 mm).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "page_raster.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kPlace = {"--lang", "en", "--set", "latitude=47.25", "--set", "longitude=-9.59",
                                         "--set", "zoneMeridian=-15"};

std::vector<std::string> withPlace(std::vector<std::string> args) {
  args.insert(args.begin(), kPlace.begin(), kPlace.end());
  return args;
}

std::vector<std::vector<std::string>> csvLines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream f(line);
    for (std::string cell; std::getline(f, cell, ',');) fields.push_back(cell);
    lines.push_back(fields);
  }
  return lines;
}

class WallCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tavrel_wall_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

// A wall facing south-west (bearing 225, declination +45) read at three
// times of 21 June 2024 with ephem's sun (tests/data/sun_horizontal_
// reference.tsv: azimuth from north through east, altitude); the board
// angle is that azimuth minus 225. The fourth reading has the clock an hour
// wrong.
struct EphemRow {
  const char* at;
  double azimuthNorthEast, altitude;
};
const EphemRow kRows[] = {{"2024-06-21T12:00:00", 166.765120, 65.723973},
                          {"2024-06-21T15:30", 253.861985, 46.048644},
                          {"2024-06-21T20:00", 303.052297, 2.163851}};

TEST_F(WallCliTest, LinesOfTheMeasurementsAndTheMeanAgainstEphem) {
  std::vector<std::string> args = {"wall"};
  for (const EphemRow& r : kRows) {
    char angle[32];
    std::snprintf(angle, sizeof angle, "%.4f", r.azimuthNorthEast - 225);
    args.insert(args.end(), {"--at", r.at, "--shadow-angle", angle});
  }
  args.insert(args.end(), {"--at", "2024-06-21T14:30", "--shadow-angle", "28.86"});
  const CliResult result = runCli(withPlace(args));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const auto lines = csvLines(result.out);
  ASSERT_EQ(lines.size(), 5u) << result.out;
  for (std::size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(kRows[k].at);
    ASSERT_EQ(lines[k].size(), 4u);
    EXPECT_EQ(lines[k][0].substr(0, 16), std::string(kRows[k].at).substr(0, 16));
    EXPECT_EQ(lines[k][0].size(), 19u);  // seconds always written
    EXPECT_NEAR(std::stod(lines[k][1]), kRows[k].azimuthNorthEast - 180, 0.02);
    EXPECT_NEAR(std::stod(lines[k][2]), kRows[k].altitude, 0.02);
    EXPECT_NEAR(std::stod(lines[k][3]), 45, 0.02);
  }
  ASSERT_EQ(lines[3].size(), 5u);
  EXPECT_EQ(lines[3][4], "outlier");
  ASSERT_EQ(lines[4].size(), 4u);
  EXPECT_EQ(lines[4][0], "mean");
  EXPECT_NEAR(std::stod(lines[4][1]), 45, 0.02);
  EXPECT_EQ(lines[4][2], "spread");
  EXPECT_LT(std::stod(lines[4][3]), 0.02);
}

TEST_F(WallCliTest, LocalMeanTimeIsTheClockOfTheLongitude) {
  // 15:30 zone time is 15:08:21.6 local mean time at 9.59 E.
  const CliResult zone = runCli(withPlace({"wall", "--at", "2024-06-21T15:30:00", "--shadow-angle", "10"}));
  const CliResult local =
      runCli(withPlace({"wall", "--local", "--at", "2024-06-21T15:08:22", "--shadow-angle", "10"}));
  ASSERT_EQ(zone.exitCode, 0) << zone.err;
  ASSERT_EQ(local.exitCode, 0) << local.err;
  EXPECT_NEAR(std::stod(csvLines(zone.out)[0][3]), std::stod(csvLines(local.out)[0][3]), 0.011);
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  int exitCode;
  const char* message;
};

TEST_F(WallCliTest, RefusalsSayWhyAndWriteNothing) {
  const RefusalCase cases[] = {
      {"sun below the horizon", {"--at", "2024-06-21T23:30", "--shadow-angle", "10"}, 1,
       "The sun is below the horizon at that time: there is no shadow."},
      {"angle 90", {"--at", "2024-06-21T12:00", "--shadow-angle", "90"}, 2, "behind the wall"},
      {"angle -120", {"--at", "2024-06-21T12:00", "--shadow-angle", "-120"}, 2, "behind the wall"},
      {"30 February", {"--at", "2024-02-30T12:00", "--shadow-angle", "10"}, 2, "That time does not exist"},
      {"hour 25", {"--at", "2024-06-21T25:00", "--shadow-angle", "10"}, 2, "That time does not exist"},
      {"minute 61", {"--at", "2024-06-21T12:61", "--shadow-angle", "10"}, 2, "--at expects"},
      {"no T", {"--at", "2024-06-21 12:00", "--shadow-angle", "10"}, 2, "--at expects"},
      {"angle not a number", {"--at", "2024-06-21T12:00", "--shadow-angle", "ten"}, 2, "--shadow-angle expects"},
      {"angle missing", {"--at", "2024-06-21T12:00"}, 2, "every --at needs its --shadow-angle"},
      {"nothing asked", {}, 2, "give --at"},
      {"template of another kind", {"--template", "x.png"}, 2, ".pdf or .svg"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    // A good measurement first: the bad one still stops everything.
    std::vector<std::string> args = {"wall"};
    if (!c.args.empty()) args.insert(args.end(), {"--at", "2024-06-21T15:30", "--shadow-angle", "20"});
    args.insert(args.end(), c.args.begin(), c.args.end());
    if (!c.args.empty() && c.args[0] == "--at") args.insert(args.end(), {"--template", file("b.pdf")});
    const CliResult r = runCli(withPlace(args));
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file("b.pdf")));
  }
  const CliResult german =
      runCli({"--lang", "de", "wall", "--at", "2024-06-21T23:30", "--shadow-angle", "10"});
  EXPECT_NE(german.err.find("Die Sonne steht zu dieser Zeit unter dem Horizont"), std::string::npos) << german.err;
}

// The 100 mm bar of the board: its two end strokes, found on the pixel row
// 3 mm above the bar (y = 187 mm) between x = 0 and 150 mm.
void expectTrueSizeBar(const Greymap& page) {
  ASSERT_NEAR(page.width, 2970, 1);
  ASSERT_NEAR(page.height, 2100, 1);
  const std::vector<double> strokes = darkRunCentres(page, 1870, 0, 1500);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_NEAR(strokes[0], 100, 1.0);
  EXPECT_NEAR((strokes[1] - strokes[0]) / 10.0, 100.0, 0.15);
}

TEST_F(WallCliTest, BoardPdfIsATrueSizeA4Sheet) {
  const std::string out = file("board.pdf");
  const CliResult r = runCli({"--lang", "en", "wall", "--template", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::string info = shell("pdfinfo '" + out + "' 2>&1");
  ASSERT_NE(info.find("Pages:           1"), std::string::npos) << "pdfinfo (poppler-utils) needed: " << info;
  EXPECT_NE(info.find("842 x 595 pts"), std::string::npos) << info;
  const std::string text = shell("pdftotext '" + out + "' - 2>&1");
  EXPECT_NE(text.find("Lay this edge against the wall"), std::string::npos) << text;
  EXPECT_NE(text.find("+40"), std::string::npos);
  shell("pdftoppm -r 254 -gray -singlefile '" + out + "' '" + file("page") + "'");
  Greymap page;
  ASSERT_TRUE(readPgm(file("page.pgm"), page)) << "pdftoppm (poppler-utils) needed";
  expectTrueSizeBar(page);
}

TEST_F(WallCliTest, BoardSvgIsATrueSizeA4Sheet) {
  const std::string out = file("board.svg");
  const CliResult r = runCli({"--lang", "de", "wall", "--template", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string svg = slurp(out);
  EXPECT_NE(svg.find("width=\"297mm\" height=\"210mm\""), std::string::npos);
  EXPECT_NE(svg.find("Diese Kante an die Wand legen"), std::string::npos);
  shell("rsvg-convert -d 254 -p 254 '" + out + "' -o '" + file("page.png") + "' && convert '" + file("page.png") +
        "' -colorspace Gray -depth 8 '" + file("page.pgm") + "'");
  Greymap page;
  ASSERT_TRUE(readPgm(file("page.pgm"), page)) << "rsvg-convert and ImageMagick needed";
  expectTrueSizeBar(page);
}

}  // namespace
}  // namespace tavrel::test
