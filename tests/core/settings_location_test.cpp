// Where the settings file and the date list live: the working folder when
// they are there, else the user's configuration folder; read there and
// written back there byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "astro/startup.h"
#include "core/date_list_file.h"
#include "core/design_state.h"
#include "core/settings_file.h"
#include "core/settings_location.h"
#include "settings_test_support.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

// The own date lines of the date list in Windows-1252 with CR LF, as the
// program writes them (0xE4 is "ä", 0x96 an en dash).
const std::string kDateListBytes =
    "21/03    ( 21. M\xE4rz )\r\n"
    "01/05    Mai \x96 Anfang\r\n"
    "21/12    ( 21. Dezember )\r\n";

enum class Where { Nowhere, Working, Config };

class SettingsLocationTest : public SettingsTestBase {
 protected:
  void SetUp() override {
    SettingsTestBase::SetUp();
    working_ = path("work");
    config_ = path("home/.config/tavrel");  // not created: a first start
    fs::create_directories(working_);
    platform_->currentDir = working_;
    platform_->configDir = config_;
  }

  std::string in(Where where, const std::string& name) const {
    return (where == Where::Working ? working_ : config_) + "/" + name;
  }
  void put(Where where, const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::path(in(where, name)).parent_path());
    writeBytes(in(where, name), bytes);
  }
  // The program's start: the record, the directories, the file names.
  void start() {
    design() = DesignState{};
    startProgram();
    platform_->boxes.clear();
  }

  std::string working_;
  std::string config_;
};

TEST_F(SettingsLocationTest, EachFileIsTakenFromTheWorkingFolderElseTheConfigurationFolder) {
  struct Case {
    const char* what;
    bool workingSettings, workingDates, configSettings, configDates;
    Where settings;  // where tav.ini is read and written
    Where dates;     // where tav_days.ini is read and written
  };
  const Case cases[] = {
      {"first start: both go to the configuration folder", false, false, false, false,
       Where::Config, Where::Config},
      {"an older setup in the working folder", true, true, false, false, Where::Working,
       Where::Working},
      {"an older setup without a date list keeps its files together", true, false, false, false,
       Where::Working, Where::Working},
      {"the user's configuration", false, false, true, true, Where::Config, Where::Config},
      {"the working folder wins", true, true, true, true, Where::Working, Where::Working},
      {"settings here, dates in the configuration", true, false, false, true, Where::Working,
       Where::Config},
      {"dates here, settings in the configuration", false, true, true, false, Where::Config,
       Where::Working},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(working_);
    fs::remove_all(path("home"));
    fs::create_directories(working_);
    if (c.workingSettings) put(Where::Working, "tav.ini", "x");
    if (c.workingDates) put(Where::Working, "tav_days.ini", "x");
    if (c.configSettings) put(Where::Config, "tav.ini", "x");
    if (c.configDates) put(Where::Config, "tav_days.ini", "x");

    const SettingsLocations found = locateSettingsFiles(working_, config_);
    EXPECT_EQ(found.settingsFile, in(c.settings, "tav.ini"));
    // The working folder's date list keeps the bare name it always had.
    EXPECT_EQ(found.dateListFile,
              c.dates == Where::Working ? std::string("tav_days.ini") : in(c.dates, "tav_days.ini"));
  }
}

// Without a configuration folder (the scripted platform's default) nothing
// changes: both names are the working folder's, whatever exists.
TEST_F(SettingsLocationTest, WithoutConfigurationFolderTheWorkingFolderAlone) {
  put(Where::Config, "tav.ini", "x");
  EXPECT_EQ(locateSettingsFiles(working_, "").settingsFile, working_ + "/tav.ini");
  EXPECT_EQ(locateSettingsFiles(working_, "").dateListFile, "tav_days.ini");
  platform_->configDir.clear();
  start();
  EXPECT_EQ(design().settingsFileName, working_ + "/tav.ini");
  EXPECT_EQ(design().dateSettingsFileName, "tav_days.ini");
}

// XDG Base Directory standard of freedesktop.org: $XDG_CONFIG_HOME when it is set to an
// absolute path, else $HOME/.config; a relative value is to be ignored.
TEST(XdgConfigurationDirectory, FollowsTheXdgBaseDirectoryRules) {
  struct Case {
    const char* xdgConfigHome;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/srv/conf", "/home/ann", "/srv/conf/tavrel"},
      {nullptr, "/home/ann", "/home/ann/.config/tavrel"},
      {"", "/home/ann", "/home/ann/.config/tavrel"},
      {"relative/conf", "/home/ann", "/home/ann/.config/tavrel"},
      {nullptr, nullptr, ""},
      {nullptr, "", ""},
      {"/srv/conf", nullptr, "/srv/conf/tavrel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.xdgConfigHome ? c.xdgConfigHome : "(unset)") + " " +
                 (c.home ? c.home : "(unset)"));
    EXPECT_EQ(xdgConfigurationDirectory(c.xdgConfigHome, c.home), c.expected);
  }
}

// Read at start-up from where it is, saved with "Save INI-File" under the
// name the dialog offers (settingsFileName), and the same for the date
// list: the bytes come back unchanged and in the same place, and the other
// place stays empty.
TEST_F(SettingsLocationTest, SettingsAndDateListRoundTripByteIdenticalWhereTheyWereFound) {
  const std::string settings = fixtureBytes("historic_cp1252.tav");
  for (const Where where : {Where::Working, Where::Config}) {
    const Where other = where == Where::Working ? Where::Config : Where::Working;
    SCOPED_TRACE(where == Where::Working ? "working folder" : "configuration folder");
    fs::remove_all(working_);
    fs::remove_all(path("home"));
    fs::create_directories(working_);
    put(where, "tav.ini", settings);
    put(where, "tav_days.ini", kDateListBytes);
    start();
    ASSERT_EQ(fs::absolute(design().settingsFileName), fs::absolute(in(where, "tav.ini")));
    ASSERT_EQ(fs::absolute(fs::path(working_) / design().dateSettingsFileName),
              fs::absolute(in(where, "tav_days.ini")));

    // The date list's name is relative to the working folder, which is the
    // current directory of a running program.
    const fs::path cwd = fs::current_path();
    fs::current_path(working_);
    EXPECT_EQ(readSettingsFile(design().settingsFileName, prepareObliquity).status,
              SettingsReadStatus::Complete);
    EXPECT_TRUE(saveSettingsAs(design().settingsFileName, true));
    EXPECT_TRUE(loadDateListFile());
    EXPECT_EQ(design().ownDateLines.size(), 3u);
    EXPECT_TRUE(saveDateListFile());
    fs::current_path(cwd);

    EXPECT_EQ(readBytes(in(where, "tav.ini")), settings);
    EXPECT_EQ(readBytes(in(where, "tav_days.ini")), kDateListBytes);
    EXPECT_FALSE(fs::exists(in(other, "tav.ini")));
    EXPECT_FALSE(fs::exists(in(other, "tav_days.ini")));
  }
}

// A first start: the question to create "tav.ini" answered Yes creates it,
// with its folder, in the configuration folder and not in the working
// folder; answered No creates nothing at all.
TEST_F(SettingsLocationTest, NewSettingsFileIsCreatedInTheConfigurationFolder) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    fs::remove_all(path("home"));
    start();
    platform_->answers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
    const SettingsReadResult r = readSettingsFile(design().settingsFileName, prepareObliquity);
    EXPECT_EQ(r.status, yes ? SettingsReadStatus::MissingCreated : SettingsReadStatus::MissingKept);
    EXPECT_EQ(fs::exists(in(Where::Config, "tav.ini")), yes);
    EXPECT_EQ(fs::exists(config_), yes);
    EXPECT_FALSE(fs::exists(in(Where::Working, "tav.ini")));
    if (yes) {
      EXPECT_EQ(readBytes(in(Where::Config, "tav.ini")).substr(0, 6), "2020\r\n");
    }
  }
}

// Saving the date list on a first start creates the configuration folder.
TEST_F(SettingsLocationTest, NewDateListIsCreatedInTheConfigurationFolder) {
  start();
  design().ownDateLines = {"21/03    ( 21. M\xC3\xA4rz )", "01/05    Mai \xE2\x80\x93 Anfang",
                           "21/12    ( 21. Dezember )"};
  ASSERT_TRUE(saveDateListFile());
  EXPECT_EQ(readBytes(in(Where::Config, "tav_days.ini")), kDateListBytes);
  EXPECT_FALSE(fs::exists(in(Where::Working, "tav_days.ini")));
}

// A damaged settings file in the configuration folder is moved aside
// there, not into the working folder the program happened to start in.
TEST_F(SettingsLocationTest, DamagedSettingsFileIsBackedUpBesideItInTheConfigurationFolder) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("historic_cp1252.tav"));
  lines[1] = "95.0;47.25";  // a latitude above 90 stops the reading
  const std::string damaged = joinCrlf(lines);
  put(Where::Config, "tav.ini", damaged);
  start();
  platform_->answers = {MsgAnswer::Yes};
  const SettingsReadResult r = readSettingsFile(design().settingsFileName, prepareObliquity);
  EXPECT_EQ(r.status, SettingsReadStatus::StoppedAtFault);
  EXPECT_EQ(readBytes(in(Where::Config, "tav_ini.bak")), damaged);
  EXPECT_FALSE(fs::exists(in(Where::Working, "tav_ini.bak")));
  EXPECT_TRUE(fs::exists(in(Where::Config, "tav.ini")));  // a fresh file in its place
}

}  // namespace
}  // namespace tavrel::test
