// tavrel-cli table and calc, run as a user would: the lines on stdout and
// the saved files are byte for byte those of the library the windows use.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_process.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "base/text_encoding.h"
#include "tables/sun_calculator_tables.h"
#include "tables/year_tables_graphs.h"
#include "tests/core/language_choice.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The record of tavrel-cli without --data, in English, with the place
// given on its command line.
class TablesCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.latitude = -34;
    d.longitude = -151.2;
    d.zoneMeridian = -150;
    dir_ = fs::temp_directory_path() / ("tavrel-tables-cli-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    design() = saved_;
  }
  std::vector<std::string> args(std::vector<std::string> tail) const {
    std::vector<std::string> a = {"--lang",         "en", "--set", "latitude=-34", "--set",
                                  "longitude=-151.2", "--set", "zoneMeridian=-150"};
    a.insert(a.end(), tail.begin(), tail.end());
    return a;
  }
  DesignState saved_ = design();
  fs::path dir_;
};

TEST_F(TablesCliTest, YearTablesOnStdoutAreTheLibraryLines) {
  const struct {
    const char* kind;
    YearTableKind k;
  } kinds[] = {{"eot", YearTableKind::Eot},
               {"eot-longitude", YearTableKind::EotLongitude},
               {"declination", YearTableKind::Declination},
               {"transit", YearTableKind::Transit}};
  for (const auto& c : kinds) {
    const CliResult r = runCli(args({"table", c.kind, "--year", "2024"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, joined(tableLines(yearTable(2024, c.k)))) << c.kind;
    EXPECT_TRUE(r.err.empty()) << r.err;
  }
}

TEST_F(TablesCliTest, RiseSetTablesAndTheTwilightOption) {
  CliResult r = runCli(args({"table", "riseset", "--year", "2024", "--month", "6", "--twilight", "civil"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  design().twilightKind = 0;
  EXPECT_EQ(r.out, joined(tableLines(monthRiseSetTable(2024, 6))));
  EXPECT_NE(r.out.find("   Type of twilight displayed: civil (0.83°-6°).\n"), std::string::npos);
  r = runCli(args({"table", "riseset", "--year", "2023", "--scope", "h2"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, joined(tableLines(halfYearSunTable(2023, 7))));
}

TEST_F(TablesCliTest, FilesAreThoseTheTableWindowSaves) {
  const fs::path text = dir_ / "Tabelle.txt", csv = dir_ / "Tabelle.csv";
  CliResult r = runCli(args({"table", "eot", "--year", "2000", "--out", text.string()}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const SolarTable t = yearTable(2000, YearTableKind::Eot);
  EXPECT_EQ(slurp(text), tableFileBytes(t, TableFileFormat::Text, ';'));
  EXPECT_NE(slurp(text).find("= -150.0\xB0 )\r\n"), std::string::npos);
  r = runCli(args({"table", "eot", "--year", "2000", "--out", csv.string(), "--separator", ","}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(slurp(csv), encodeFileLines(csvLines(t, ',')));
  r = runCli(args({"table", "riseset", "--year", "2000", "--month", "2", "--out", csv.string()}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  design().twilightKind = 2;
  EXPECT_EQ(slurp(csv), encodeFileLines(csvLines(monthRiseSetTable(2000, 2), ';')));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(TablesCliTest, SymmetricEotReport) {
  CliResult r = runCli(args({"table", "eot-symmetric", "--year", "2024", "--values", "72"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, joined(eotPairLines(eotPairReport(72, 2024), false)));
  const fs::path csv = dir_ / "EoT-Paare.csv";
  r = runCli(args({"table", "eot-symmetric", "--year", "2024", "--out", csv.string()}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(slurp(csv), encodeFileLines(eotPairLines(eotPairReport(288, 2024), true)));
  EXPECT_NE(r.err.find(csv.string() + " saved!"), std::string::npos) << r.err;
}

TEST_F(TablesCliTest, CalculatorBlocks) {
  CliResult r = runCli(args({"calc", "riseset", "--date", "2024-12-21"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  design().twilightKind = 2;
  EXPECT_EQ(r.out, joined(riseSetBlock({2024, 12, 21})));
  r = runCli(args({"calc", "position", "--date", "2024-12-21", "--time", "13:05:00", "--timesys", "mean"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, joined(positionBlock({2024, 12, 21}, 13 + 5 / 60.0, CalculatorTimeSystem::Mean)));
  r = runCli(args({"calc", "eot", "--date", "2024-12-21"}));
  EXPECT_EQ(r.out, joined(declinationBlock({2024, 12, 21})));
  r = runCli(args({"calc", "azimuth", "--date", "2024-12-21", "--azimuth", "-60"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ScopedScriptedPlatform p;
  EXPECT_EQ(r.out, joined(azimuthBlock({2024, 12, 21}, -60)));
}

// Far from the zone meridian the calculator asks first; the batch answer
// is No unless --answer yes.
TEST_F(TablesCliTest, ZoneMeridianQuestion) {
  const std::vector<std::string> far = {"--lang", "en", "--set", "longitude=-40", "--set", "zoneMeridian=-15"};
  std::vector<std::string> a = far;
  a.insert(a.end(), {"calc", "eot"});
  CliResult r = runCli(a);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("TAVREL.EXE - Warning!: The difference between zone meridian"), std::string::npos) << r.err;
  a.insert(a.begin(), {"--answer", "yes"});
  r = runCli(a);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Sun declination"), std::string::npos);
}

TEST_F(TablesCliTest, UsageAndFileErrors) {
  const std::vector<std::vector<std::string>> usage = {
      {"table"},
      {"table", "moon"},
      {"table", "eot", "--year", "1200"},
      {"table", "riseset", "--month", "13"},
      {"table", "riseset", "--scope", "h3"},
      {"table", "riseset", "--twilight", "dusk"},
      {"table", "eot", "--out", "x.pdf"},
      {"table", "eot", "--separator", ","},
      {"table", "eot", "--out", "x.csv", "--separator", "|"},
      {"table", "eot-symmetric", "--values", "100"},
      {"table", "eot", "--year"},
      {"calc"},
      {"calc", "sunset"},
      {"calc", "position"},
      {"calc", "azimuth"},
      {"calc", "eot", "--date", "2023-02-29"},
      {"calc", "position", "--time", "25:00:00"},
      {"calc", "position", "--time", "12:00", "--timesys", "sidereal"},
      {"calc", "azimuth", "--azimuth", "east"},
  };
  for (const auto& u : usage) {
    const CliResult r = runCli(args(u));
    EXPECT_EQ(r.exitCode, 2) << u[0] << " " << (u.size() > 1 ? u[1] : "");
    EXPECT_TRUE(r.out.empty());
  }
  const fs::path bad = dir_ / "missing" / "t.txt";
  const CliResult r = runCli(args({"table", "eot", "--out", bad.string()}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Open error: File  " + bad.string()), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  // 29 February 1500 exists in the Julian calendar.
  EXPECT_EQ(runCli(args({"calc", "eot", "--date", "1500-02-29"})).exitCode, 0);
}

TEST_F(TablesCliTest, HelpListsTheCommands) {
  const CliResult r = runCli({"--help"});
  EXPECT_NE(r.out.find("table KIND"), std::string::npos);
  EXPECT_NE(r.out.find("calc KIND"), std::string::npos);
}

}  // namespace
}  // namespace tavrel::test
