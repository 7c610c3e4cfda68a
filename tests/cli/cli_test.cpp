#include <gtest/gtest.h>

#include <algorithm>

#include "cli_process.h"

namespace tavrel::test {
namespace {

int countLines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

bool hasLine(const std::string& out, const std::string& line) {
  return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

TEST(CliTest, BadSetIsOneClearLineAndExitTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* mustMention;
  };
  const Case cases[] = {
      {{"--set", "latitude=51.5", "--set", "dialKind=h", "--set", "bogus=1", "show"}, "bogus"},
      {{"--set", "latitude=51,5", "show"}, "latitude"},
      {{"--set", "latitude=north", "show"}, "latitude"},
      {{"--set", "dialKind=x", "show"}, "dialKind"},
      {{"--set", "withEot=1", "show"}, "withEot"},
      {{"--set", "latitude", "show"}, "latitude"},
      {{"--today", "2023-02-29", "show"}, "2023-02-29"},
      {{"--lang", "fr", "show"}, "fr"},
      {{"--answer", "maybe", "show"}, "maybe"},
      {{"--frobnicate", "show"}, "--frobnicate"},
      {{"no-such-command"}, "no-such-command"},
      {{"--set"}, "--set"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    const CliResult r = runCli(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    // The error line itself, then a pointer to --help.
    ASSERT_GE(countLines(r.err), 1);
    const std::string first = r.err.substr(0, r.err.find('\n'));
    EXPECT_NE(first.find(c.mustMention), std::string::npos) << first;
  }
}

TEST(CliTest, SetAndTodayReachTheRecord) {
  const CliResult r = runCli({"--today", "2024-02-29", "--set", "latitude=51.5", "--set",
                              "dialKind=h", "--set", "colors[2]=255", "show"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(hasLine(r.out, "latitude=51.5"));
  EXPECT_TRUE(hasLine(r.out, "dialKind=h"));
  EXPECT_TRUE(hasLine(r.out, "colors[2]=255"));
  EXPECT_TRUE(hasLine(r.out, "referenceYear=2024"));
  EXPECT_TRUE(hasLine(r.out, "calcMonth=2"));
  EXPECT_TRUE(hasLine(r.out, "calcDay=29"));
  EXPECT_TRUE(hasLine(r.out, "twilightKind=2"));
  EXPECT_TRUE(hasLine(r.out, "ownDateLines[2]=21/12    ( 21. Dezember )"));
  EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(CliTest, LanguageOption) {
  const CliResult en = runCli({"--lang", "en", "show"});
  ASSERT_EQ(en.exitCode, 0);
  EXPECT_TRUE(hasLine(en.out, "language=2"));
  EXPECT_TRUE(hasLine(en.out, "stringOffset=2000"));
  const CliResult de = runCli({"show"});
  EXPECT_TRUE(hasLine(de.out, "language=1"));
}

TEST(CliTest, HelpListsCommandsAndExitsZero) {
  const CliResult r = runCli({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("--set FIELD=VALUE"), std::string::npos);
  EXPECT_NE(r.out.find("show"), std::string::npos);
  // The dial kinds with their names, and where the field names are.
  for (const char* line : {"\n  h  horizontal / horizontal\n", "\n  v  vertical / vertikal\n",
                           "\n  i  inclined / geneigt\n", "\n  o  ham dial / Schinkensonnenuhr",
                           "\n  p  Peaucellier azimuthal / Peaucellier azimutal"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  EXPECT_NE(r.out.find("tavrel-cli show"), std::string::npos);
}

// 21 June 2024 at 12:00 UT (zone meridian 0). PyEphem 4.1 gives the
// apparent declination +23.4368 degrees and the Greenwich hour angle of the
// sun -0.03203 h, an equation of time of -1 min 55 s.
TEST(CliTest, SunCommandAtTheSolstice) {
  const CliResult r = runCli({"--today", "2024-06-21", "--set", "zoneMeridian=0", "sun"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("declination   23.43"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("equation of time  -1:5"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace tavrel::test
