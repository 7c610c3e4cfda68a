// The own date lines on their own: the date-list file and the date
// section of the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/date_list_file.h"
#include "core/design_state.h"
#include "core/language.h"
#include "settings_test_support.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

class DateListFileTest : public SettingsTestBase {
 protected:
  void SetUp() override {
    SettingsTestBase::SetUp();
    design().dateSettingsFileName = path("tav_days.ini");
  }
};

const std::vector<std::string> kOwn = {"06/01    ( 06. Jan Heilige Drei K\xC3\xB6nige )",
                                       "15/08    ( 15. Aug Mari\xC3\xA4 Himmelfahrt )"};

TEST_F(DateListFileTest, DateListFileHoldsTheLinesAsTheyAre) {
  design().ownDateLines = kOwn;
  design().ownDateLines.push_back("not a date");  // written as it is
  ASSERT_TRUE(saveDateListFile());
  EXPECT_EQ(readBytes(path("tav_days.ini")),
            "06/01    ( 06. Jan Heilige Drei K\xF6nige )\r\n"
            "15/08    ( 15. Aug Mari\xE4 Himmelfahrt )\r\nnot a date\r\n");
  design().ownDateLines.clear();
  ASSERT_TRUE(loadDateListFile());
  ASSERT_EQ(design().ownDateLines.size(), 3u);
  EXPECT_EQ(design().ownDateLines[0], kOwn[0]);
  EXPECT_TRUE(platform_->boxes.empty());
}

TEST_F(DateListFileTest, LoadingAMissingDateListChangesNothing) {
  design().ownDateLines = kOwn;
  EXPECT_FALSE(loadDateListFile());
  EXPECT_EQ(design().ownDateLines, kOwn);
  EXPECT_TRUE(platform_->boxes.empty());
}

TEST_F(DateListFileTest, FailedSaveIsReported) {
  design().dateSettingsFileName = path("missing") + "/tav_days.ini";
  EXPECT_FALSE(saveDateListFile());
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text,
            design().dateSettingsFileName + " :\r\n" + messageText(53));
}

TEST_F(DateListFileTest, SaveToSettingsFileReplacesTheDateSection) {
  const std::vector<std::string> original = crlfLines(fixtureBytes("historic_cp1252.tav"));
  writeBytes(design().settingsFileName, joinCrlf(original));
  design().ownDateLines = kOwn;
  design().ownDateLines.push_back("31/04    ( 31. Apr )");  // refused with its own box
  ASSERT_TRUE(saveDatesToSettingsFile());
  std::vector<std::string> expected(original.begin(), original.begin() + 48);
  expected.push_back("06/01    ( 06. Jan Heilige Drei K\xF6nige )");
  expected.push_back("15/08    ( 15. Aug Mari\xE4 Himmelfahrt )");
  EXPECT_EQ(crlfLines(readBytes(design().settingsFileName)), expected);
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, "31/04    ( 31. Apr ): " + messageText(57));
}

TEST_F(DateListFileTest, SaveToAMissingSettingsFileDoesNothing) {
  EXPECT_FALSE(saveDatesToSettingsFile());
  EXPECT_FALSE(fs::exists(design().settingsFileName));
  EXPECT_TRUE(platform_->boxes.empty());
}

TEST_F(DateListFileTest, LoadFromSettingsFileTakesTheValidEntries) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("historic_cp1252.tav"));
  lines.push_back("");
  lines.push_back("32/01    ( bad )");
  writeBytes(design().settingsFileName, joinCrlf(lines));
  ASSERT_TRUE(loadDatesFromSettingsFile());
  ASSERT_EQ(design().ownDateLines.size(), 4u);
  EXPECT_EQ(design().ownDateLines[1], "15/08    ( 15. Aug Mari\xC3\xA4 Himmelfahrt )");
  ASSERT_EQ(platform_->boxes.size(), 1u);  // the bad entry; the empty line is skipped
}

TEST_F(DateListFileTest, LoadFallsBackToTheDateListFileThenComplains) {
  // A settings file without a date section, then none at all.
  writeBytes(design().settingsFileName, "2024\r\n[Farben]\r\n");
  writeBytes(path("tav_days.ini"), "01/05    ( 01. Mai )\r\n\r\nxx\r\n");
  ASSERT_TRUE(loadDatesFromSettingsFile());
  EXPECT_EQ(design().ownDateLines, std::vector<std::string>{"01/05    ( 01. Mai )"});
  EXPECT_EQ(platform_->boxes.size(), 1u);  // "xx" is refused

  platform_->boxes.clear();
  fs::remove(path("tav_days.ini"));
  fs::remove(design().settingsFileName);
  EXPECT_FALSE(loadDatesFromSettingsFile());
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(63));
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Problem);
}

}  // namespace
}  // namespace tavrel::test
