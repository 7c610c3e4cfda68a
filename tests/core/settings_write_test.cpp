// Writing settings files safely, the stored palette, and the colour
// commands.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "astro/solar_ephemeris.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/settings_file.h"
#include "core/text_file.h"
#include "settings_test_support.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

class SettingsWriteTest : public SettingsTestBase {
 protected:
  // Runs `body` in a child process and returns its exit status (or -1).
  // The child may drop privileges or limit file sizes without touching the
  // test process; the design record and platform are copied into it.
  template <typename Body>
  int inChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // 0 when writeSettingsFile(file) failed with exactly the box of
  // message 18; 1..3 name what went wrong.
  int expectRefusedWrite(const std::string& file) {
    platform_->boxes.clear();
    if (writeSettingsFile(file)) return 1;
    if (platform_->boxes.size() != 1) return 2;
    const RecordedBox& b = platform_->boxes[0];
    const bool ok = b.caption == MsgCaption::Error && b.icon == MsgIcon::Error &&
                    b.text == file + " :\r\n" + messageText(18);
    return ok ? 0 : 3;
  }

  std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    return names;
  }
};

// A write into a folder the user may not write to. Tests run as root,
// where permission bits do not stop writing; so the write runs in a child
// process that has given up root (uid/gid 65534) before it tries. As
// another user the folder's mode alone protects it.
TEST_F(SettingsWriteTest, ReadOnlyFolderShowsMessage18AndKeepsTheOldFile) {
  const std::string folder = path("locked");
  fs::create_directory(folder);
  const std::string file = folder + "/tav.ini";
  const std::string old = fixtureBytes("historic_cp1252.tav");
  writeBytes(file, old);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                              fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  design().referenceYear = 2031;

  const int result = inChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 10;
    return expectRefusedWrite(file);
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(readBytes(file), old);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"tav.ini"});  // no temporary left
}

// A write that fails half-way (the disk fills up): the file size limit
// lets the temporary file take only 100 bytes. The limit holds for root
// too. The old file keeps every byte and no temporary file stays behind.
TEST_F(SettingsWriteTest, WriteFailingHalfWayKeepsTheOldFile) {
  const std::string file = path("tav.ini");
  const std::string old = fixtureBytes("historic_cp1252.tav");
  writeBytes(file, old);
  const int result = inChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    return expectRefusedWrite(file);
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(readBytes(file), old);
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"tav.ini"});
}

TEST_F(SettingsWriteTest, TargetsThatCannotBeWritten) {
  writeBytes(path("plain.txt"), "x");
  fs::create_directory(path("folder.tav"));
  const std::string targets[] = {
      path("plain.txt") + "/tav.ini",  // the "folder" is a file
      path("missing") + "/tav.ini",    // the folder does not exist
      path("folder.tav"),              // a folder where the file should be
  };
  for (const std::string& t : targets) {
    SCOPED_TRACE(t);
    EXPECT_EQ(expectRefusedWrite(t), 0);
  }
  EXPECT_TRUE(fs::is_directory(path("folder.tav")));
  EXPECT_EQ(readBytes(path("plain.txt")), "x");
}

TEST_F(SettingsWriteTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  const std::string real = path("real.ini");
  writeBytes(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, path("tav.ini"));
  ASSERT_TRUE(writeSettingsFile(path("tav.ini")));
  EXPECT_TRUE(fs::is_symlink(path("tav.ini")));
  EXPECT_EQ(crlfLines(readBytes(real))[0], "2024");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SettingsWriteTest, SaveAsNamesTheFileWithoutSeparator) {
  ASSERT_TRUE(saveSettingsAs(path("myDial.tav"), false));
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, path("myDial.tav") + messageText(58));
  platform_->boxes.clear();
  EXPECT_FALSE(saveSettingsAs(path("missing") + "/x.tav", false));
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, path("missing") + "/x.tav :\r\n" + messageText(18));
}

// --- The stored palette -------------------------------------------------

std::vector<std::string> colourSection(const std::vector<std::string>& lines) {
  return {lines.begin() + 19, lines.begin() + 31};
}

TEST_F(SettingsWriteTest, SaveIniFileKeepsThePaletteStoredInTavIni) {
  std::vector<std::string> stored = crlfLines(fixtureBytes("startup_defaults.tav"));
  stored[19] = "111";
  stored[20] = "red";  // not an integer: 0
  stored.resize(29);   // colours 11 and 12 missing at the end of the file: 255
  writeBytes(design().settingsFileName, joinCrlf(stored));
  design().colors.fill(7);

  ASSERT_TRUE(saveSettingsAs(path("saved.ini"), true));
  const auto written = colourSection(crlfLines(readBytes(path("saved.ini"))));
  const std::vector<std::string> expected = {"111", "0", "255", "8388608", "32896", "32768",
                                             "16776960", "8421504", "65280", "16711935",
                                             "255", "255"};
  EXPECT_EQ(written, expected);
  EXPECT_EQ(design().savedColors[0], 111);
  EXPECT_EQ(design().colors[0], 7);  // the colours in use stay
}

TEST_F(SettingsWriteTest, WithoutAStoredPaletteTheCurrentColoursAreWritten) {
  design().colors.fill(7);
  // tav.ini missing, then present without "[Farben]".
  for (bool present : {false, true}) {
    SCOPED_TRACE(present);
    if (present) writeBytes(design().settingsFileName, "2024\r\n");
    ASSERT_TRUE(saveSettingsAs(path("saved.ini"), true));
    EXPECT_EQ(colourSection(crlfLines(readBytes(path("saved.ini")))),
              std::vector<std::string>(12, "7"));
  }
}

// --- Save Colors, Load Colors, Colors Reset ------------------------------

TEST_F(SettingsWriteTest, SaveColorsRewritesOnlyTheColourSection) {
  const std::string before = fixtureBytes("historic_cp1252.tav");
  writeBytes(design().settingsFileName, before);
  for (int i = 0; i < 12; ++i) design().colors[static_cast<std::size_t>(i)] = 1000 + i;

  ASSERT_TRUE(saveColorsToSettingsFile());
  const auto oldLines = crlfLines(before);
  const auto newLines = crlfLines(readBytes(design().settingsFileName));
  ASSERT_EQ(newLines.size(), oldLines.size());
  for (std::size_t i = 0; i < newLines.size(); ++i) {
    if (i >= 19 && i <= 30) {
      EXPECT_EQ(newLines[i], std::to_string(1000 + i - 19));
    }
    else EXPECT_EQ(newLines[i], oldLines[i]) << "line " << i;  // umlauts stay Windows-1252
  }
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(71));
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Information);
}

TEST_F(SettingsWriteTest, SaveColorsWithoutTavIni) {
  EXPECT_FALSE(saveColorsToSettingsFile());
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(33));
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Problem);
  EXPECT_FALSE(fs::exists(design().settingsFileName));
}

TEST_F(SettingsWriteTest, SaveColorsOnAFileWithoutColourSectionLeavesItAlone) {
  writeBytes(design().settingsFileName, "2024\r\n[Zeiten]\r\n");
  EXPECT_FALSE(saveColorsToSettingsFile());
  EXPECT_EQ(readBytes(design().settingsFileName), "2024\r\n[Zeiten]\r\n");
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, "tav.ini : " + messageText(30));
}

TEST_F(SettingsWriteTest, LoadColorsAndReset) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("historic_cp1252.tav"));
  lines[21] = "blue";  // colour 3: named once, the others are taken
  writeBytes(design().settingsFileName, joinCrlf(lines));
  design().colors.fill(7);

  loadColorsFromSettingsFile(false);
  EXPECT_EQ(design().colors[0], 0);
  EXPECT_EQ(design().colors[1], 255);
  EXPECT_EQ(design().colors[2], 7);
  EXPECT_EQ(design().colors[11], 10543327);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, "blue : " + messageText(6));

  loadColorsFromSettingsFile(true);
  EXPECT_EQ(design().colors, kDefaultColors);
}

TEST_F(SettingsWriteTest, LoadColorsWithoutFileOrSection) {
  design().colors.fill(7);
  loadColorsFromSettingsFile(false);  // no tav.ini: deactivated, defaults
  EXPECT_EQ(design().colors, kDefaultColors);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, "tav.ini" + messageText(29));
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Warning);

  platform_->boxes.clear();
  design().colors.fill(7);
  // "[Farben]" as the last line is not examined.
  writeBytes(design().settingsFileName, "2024\r\n[Farben]\r\n");
  loadColorsFromSettingsFile(false);
  EXPECT_EQ(design().colors[0], 7);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(30));
  EXPECT_EQ(platform_->boxes[0].icon, MsgIcon::Information);
}

// --- Reload -------------------------------------------------------------

TEST_F(SettingsWriteTest, ReloadReadsTavIniAndSaysSo) {
  writeBytes(design().settingsFileName, fixtureBytes("historic_cp1252.tav"));
  EXPECT_TRUE(reloadSettingsFile(prepareObliquity));
  EXPECT_EQ(design().referenceYear, 1998);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, design().settingsFileName + messageText(56));

  // While an input is invalid nothing happens.
  design().inputValid = false;
  design().referenceYear = 2000;
  EXPECT_FALSE(reloadSettingsFile(prepareObliquity));
  EXPECT_EQ(design().referenceYear, 2000);
}

}  // namespace
}  // namespace tavrel::test
