// tavrel-cli settings and the global --data option, run as a user would.
#include <gtest/gtest.h>
#include <stdlib.h>

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

}  // namespace
}  // namespace tavrel::test
