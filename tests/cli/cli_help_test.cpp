// The help of tavrel-cli that the manual page and the shell completion are
// made from (each command's own --help), and where the batch front end
// finds the settings files: the working folder, else the XDG configuration
// folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "cli_process.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

// Every command of the documentation answers COMMAND --help with its own
// part of --help and exit status 0, whatever else stands on the line.
TEST(CliHelp, EachCommandHasItsOwnHelp) {
  const CliResult all = runCli({"--help"});
  ASSERT_EQ(all.exitCode, 0);
  for (const char* command : {"angles", "calc", "draw", "graph", "horizon", "hpgl2dxf", "info",
                              "plot", "settings", "show", "sun", "table"}) {
    SCOPED_TRACE(command);
    const CliResult r = runCli({"--lang", "en", command, "--out", "x.svg", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind(std::string("usage: tavrel-cli [global options] ") + command, 0), 0u)
        << r.out;
    // The entry's first line, as the command list of --help shows it.
    const std::size_t entry = r.out.find("\n  " + std::string(command));
    ASSERT_NE(entry, std::string::npos) << r.out;
    const std::string firstLine = r.out.substr(entry + 1, r.out.find('\n', entry + 1) - entry - 1);
    EXPECT_NE(all.out.find("\n" + firstLine + "\n"), std::string::npos) << firstLine;
  }
  EXPECT_EQ(runCli({"nosuchcommand", "--help"}).exitCode, 2);
}

// The settings file the batch front end names (the record's
// settingsFileName and dateSettingsFileName, shown by "show") for the
// environment and the working folder it starts in.
class CliSettingsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavrel-cli-config-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "work");
    saved_ = fs::current_path();
    fs::current_path(root_ / "work");
    for (const char* name : {"XDG_CONFIG_HOME", "HOME"})
      if (const char* v = getenv(name)) env_.emplace_back(name, v);
  }
  void TearDown() override {
    fs::current_path(saved_);
    unsetenv("XDG_CONFIG_HOME");
    for (const auto& [name, value] : env_) setenv(name.c_str(), value.c_str(), 1);
    fs::remove_all(root_);
  }
  std::string shown(const std::string& field) {
    const CliResult r = runCli({"show"});
    const std::size_t at = r.out.find("\n" + field + "=");
    if (at == std::string::npos) return "(missing)";
    const std::size_t start = at + field.size() + 2;
    return r.out.substr(start, r.out.find('\n', start) - start);
  }

  fs::path root_, saved_;
  std::vector<std::pair<std::string, std::string>> env_;
};

TEST_F(CliSettingsFolderTest, WorkingFolderElseXdgConfigurationFolder) {
  struct Case {
    const char* what;
    std::optional<std::string> xdgConfigHome;  // relative to the test's root
    bool settingsInWorkingFolder;
    std::string settings;  // expected, relative to the root
    std::string dates;     // expected; "tav_days.ini" is the working folder's
  };
  const Case cases[] = {
      {"XDG_CONFIG_HOME set", "conf", false, "conf/tavrel/tav.ini", "conf/tavrel/tav_days.ini"},
      {"only HOME", std::nullopt, false, "home/.config/tavrel/tav.ini",
       "home/.config/tavrel/tav_days.ini"},
      {"a settings file in the working folder", "conf", true, "work/tav.ini", "tav_days.ini"},
  };
  const std::string root = fs::canonical(root_).string() + "/";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setenv("HOME", (root + "home").c_str(), 1);
    if (c.xdgConfigHome) setenv("XDG_CONFIG_HOME", (root + *c.xdgConfigHome).c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
    fs::remove(root_ / "work" / "tav.ini");
    if (c.settingsInWorkingFolder) std::ofstream(root_ / "work" / "tav.ini") << "2024\r\n";

    EXPECT_EQ(shown("settingsFileName"), root + c.settings);
    EXPECT_EQ(shown("dateSettingsFileName"),
              c.dates == "tav_days.ini" ? c.dates : root + c.dates);
    // Naming a folder creates nothing: the batch front end writes no settings.
    EXPECT_FALSE(fs::exists(root_ / "conf"));
    EXPECT_FALSE(fs::exists(root_ / "home"));
  }
}

}  // namespace
}  // namespace tavrel::test
