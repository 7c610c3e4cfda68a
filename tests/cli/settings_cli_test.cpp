// tavrel-cli settings and the global --data option, run as a user would.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_process.h"
#include "core/batch_platform.h"
#include "core/language.h"
#include "base/text_encoding.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

const std::string kFixtures = std::string(TAVREL_SOURCE_DIR) + "/tests/fixtures/settings/";

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavrel-settings-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

// With no file the record is the start-up record; its file is the one
// make_settings_fixtures.py builds independently.
TEST_F(SettingsCliTest, WritesTheStartupRecordInTheHistoricForm) {
  const std::string out = dir_ + "/out.tav";
  const CliResult r = runCli({"--today", "2024-06-15", "settings", "--write", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_TRUE(r.err.empty()) << r.err;
  const std::string expected = readBytes(kFixtures + "startup_defaults.tav");
  EXPECT_EQ(readBytes(out), expected);

  // On the terminal: the same text in UTF-8 with LF.
  const CliResult shown = runCli({"--today", "2024-06-15", "settings"});
  ASSERT_EQ(shown.exitCode, 0);
  std::string lf = windows1252ToUtf8(expected);
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  EXPECT_EQ(shown.out, lf);
}

TEST_F(SettingsCliTest, ReadsBothEncodingsAndWritesTheHistoricBytes) {
  const std::string historic = readBytes(kFixtures + "historic_cp1252.tav");
  for (const char* name : {"historic_cp1252.tav", "historic_utf8_lf.tav"}) {
    SCOPED_TRACE(name);
    const std::string out = dir_ + "/" + name + ".out";
    const CliResult r = runCli({"settings", kFixtures + name, "--write", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readBytes(out), historic);
  }
  // --data reads the same way.
  const CliResult viaData =
      runCli({"--data", kFixtures + "historic_utf8_lf.tav", "settings", "--write", dir_ + "/d"});
  ASSERT_EQ(viaData.exitCode, 0) << viaData.err;
  EXPECT_EQ(readBytes(dir_ + "/d"), historic);
  const CliResult shown = runCli({"--data", kFixtures + "historic_cp1252.tav", "show"});
  EXPECT_NE(shown.out.find("\nreferenceYear=1998\n"), std::string::npos);
  EXPECT_NE(shown.out.find("\nownDateLines[1]=15/08    ( 15. Aug Mari\xC3\xA4 Himmelfahrt )\n"),
            std::string::npos);
}

TEST_F(SettingsCliTest, FaultsAreReportedOnStderrAndTheValuesReadStand) {
  std::string text = readBytes(kFixtures + "startup_defaults.tav");
  text.replace(text.find(" 47.251315;"), 11, " 95.000000;");
  text.replace(text.find("\r\n      -15.00\r\n") + 2, 12, "       30.00");
  const std::string file = dir_ + "/tav.ini";
  writeBytes(file, text);
  const CliResult r = runCli({"--today", "2024-06-15", "settings", file});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The question, answered No: "tav.ini : line 2" and message 14 on one line.
  EXPECT_EQ(r.err, "TAVREL.EXE - Problem!: " +
                       flattenMessage("tav.ini : line 2\n\r" + messageText(14, 1)) + "\n");
  // latitude 47.25 replaced; line 3 was not read any more.
  EXPECT_NE(r.out.find("\n 47.250000;"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n      -15.00\n"), std::string::npos);
  EXPECT_EQ(readBytes(file), text);  // answered No: the file is untouched
}

TEST_F(SettingsCliTest, FailuresAndUsage) {
  const CliResult missing = runCli({"settings", dir_ + "/nothing.tav"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find(dir_ + "/nothing.tav"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());

  const CliResult missingData = runCli({"--data", dir_ + "/nothing.tav", "show"});
  EXPECT_EQ(missingData.exitCode, 1);
  EXPECT_NE(missingData.err.find("nothing.tav"), std::string::npos);

  const std::string badTarget = dir_ + "/no-folder/out.tav";
  const CliResult unwritable = runCli({"settings", "--write", badTarget});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find(badTarget), std::string::npos);
  EXPECT_NE(unwritable.err.find(messageText(18, 1)), std::string::npos) << unwritable.err;
  EXPECT_FALSE(fs::exists(dir_ + "/no-folder"));

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"settings", "a.tav", "b.tav"},
        std::vector<std::string>{"settings", "--write"},
        std::vector<std::string>{"settings", "--bogus"}}) {
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << args.back();
    EXPECT_TRUE(r.out.empty());
  }
}

// A file that fails on read (/proc/self/mem states 0 bytes and fails with
// EIO) ends the command with exit 1 and the system's reason, never with an
// abort, wherever the program reads it.
TEST_F(SettingsCliTest, ReadErrorsEndTheCommandWithAMessage) {
  const std::string svg = dir_ + "/x.svg";
  const std::vector<std::string> runs[] = {
      {"settings", "/proc/self/mem"},
      {"--data", "/proc/self/mem", "show"},
      {"graph", "eot", "--horizon", "/proc/self/mem", "--out", svg},
  };
  for (const std::vector<std::string>& args : runs) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("/proc/self/mem"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Input/output error"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_FALSE(fs::exists(svg));
}

// A data file that cannot be used ends the run with exit 1 instead of a
// run on defaults: a file that is no settings file (never overwritten,
// whatever the answer), a file whose sections are damaged, and a file
// whose reading stopped at a faulty value.
TEST_F(SettingsCliTest, DataFilesThatCannotBeUsedFailTheRun) {
  const std::string dxf = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  std::string swapped = readBytes(kFixtures + "startup_defaults.tav");
  swapped.replace(swapped.find("[Farben]"), 8, "[Zeiten]");
  swapped.replace(swapped.rfind("[Zeiten]"), 8, "[Farben]");
  std::string faulty = readBytes(kFixtures + "startup_defaults.tav");
  faulty.replace(faulty.find(" 47.251315;"), 11, " 95.000000;");
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> answer;
    const char* why;
  };
  const Case cases[] = {
      {"mydrawing.dxf", dxf, {"--answer", "yes"}, "not a settings or construction-data file"},
      {"mydrawing.dxf", dxf, {}, "not a settings or construction-data file"},
      {"damaged.tav", swapped, {}, "its sections are missing or misplaced"},
      {"faulty.tav", faulty, {}, "reading stopped at the faulty line 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir_ + "/" + c.name;
    writeBytes(file, c.bytes);
    std::vector<std::string> args = c.answer;
    for (const char* a : {"--data", file.c_str(), "sun"}) args.push_back(a);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("tavrel-cli: cannot use '" + file + "': " + c.why), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(readBytes(file), c.bytes);
  }
}

// A write-protected file is not replaced: as a user (not root), every
// command that writes files ends with its write-error message and exit 1,
// and the file keeps its bytes and mode.
TEST_F(SettingsCliTest, WriteProtectedFilesAreNotReplaced) {
  // As root the commands run as "nobody" (root may write anything); that
  // user must be able to start the program from the build folder.
  const bool asRoot = ::geteuid() == 0;
  if (asRoot && runCli({"--help"}, true).exitCode == 127)
    GTEST_SKIP() << "the user nobody cannot start " << TAVREL_CLI_PATH << " (a folder above it is closed)";
  fs::permissions(dir_, fs::perms::all);
  const std::string plot = dir_ + "/in.plt";
  writeBytes(plot, "IN;SP1;PU0,0;PD400,0,400,400;PU;");
  struct Case {
    const char* name;
    std::vector<std::string> args;  // the target is appended where "@" stands
    std::string message;
  };
  const Case cases[] = {
      {"s.tav", {"--lang", "en", "settings", "--write", "@"}, messageText(18, 2)},
      {"p.plt", {"--lang", "en", "plot", "--out", "@"}, messageText(53, 2)},
      {"p.dxf", {"--lang", "en", "plot", "--out", "@"}, "Permission denied"},
      {"t.txt", {"--lang", "en", "table", "eot", "--out", "@"}, ""},
      {"d.svg", {"--lang", "en", "draw", "--out", "@"}, "Permission denied"},
      {"c.dxf", {"--lang", "en", "hpgl2dxf", plot, "@"}, "Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = dir_ + "/" + c.name;
    writeBytes(target, "mine");
    if (asRoot) {
      ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    }
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
      if (a == "@") a = target;
    const CliResult r = runCli(args, true);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(target), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(target), "mine");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  }
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, std::size(cases) + 1);  // no temporary file left behind
}

}  // namespace
}  // namespace tavrel::test
