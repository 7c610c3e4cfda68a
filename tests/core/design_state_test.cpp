#include <gtest/gtest.h>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"

namespace tavrel {
namespace {

class DesignStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    design() = DesignState{};
    platform_->clock = {2031, 7, 4, 9, 15, 0};
  }
  ScopedScriptedPlatform platform_;
};

TEST_F(DesignStateTest, StartWithoutSettingsFileGivesGermanDefaultsAndToday) {
  startProgram();
  const DesignState& d = design();
  EXPECT_EQ(d.language, 1);
  EXPECT_EQ(d.stringOffset, 0);
  EXPECT_TRUE(d.germanSelected);
  EXPECT_EQ(d.dialKind, 'v');
  EXPECT_EQ(d.referenceYear, 2031);  // the clock's year, not 2020
  EXPECT_EQ(d.calcYear, 2031);
  EXPECT_EQ(d.calcMonth, 7);
  EXPECT_EQ(d.calcDay, 4);
  EXPECT_DOUBLE_EQ(d.calcTime, 0.5);
  EXPECT_EQ(d.twilightKind, 2);
  ASSERT_EQ(d.ownDateLines.size(), 3u);
  EXPECT_EQ(d.ownDateLines[0], "21/03    ( 21. März )");
  EXPECT_EQ(d.ownDateLines[1], "21/06    ( 21. Juni )");
  EXPECT_EQ(d.ownDateLines[2], "21/12    ( 21. Dezember )");
  EXPECT_EQ(d.colors, kDefaultColors);
  EXPECT_EQ(d.colors[11], 0xA0E0DF);
  EXPECT_DOUBLE_EQ(d.azimuthObserverDistance, 300.0);
  EXPECT_DOUBLE_EQ(d.azimuthBasePlate, 180.0);
  EXPECT_TRUE(d.inputValid);
  EXPECT_TRUE(d.paperA4);
  EXPECT_EQ(d.settingsFileName, "/home/user/tav.ini");
  EXPECT_EQ(d.exeDirectory, "/opt/tavrel/");
  EXPECT_EQ(d.helpFileName, "/opt/tavrel/tavrel_d.chm");
  // Obliquity tables are those of 2020, computed before today's year was set.
  EXPECT_DOUBLE_EQ(d.obliquityRounded, 23.44);
  EXPECT_DOUBLE_EQ(d.gnomonHoleOffsetMax, 11.72);
  EXPECT_DOUBLE_EQ(d.gnomonHoleOffsetMin, -11.72);
  EXPECT_EQ(d.eotSeriesTable.size(), 289u);
  // Choice lists.
  ASSERT_EQ(d.numberChoices24.size(), 25u);
  EXPECT_EQ(d.numberChoices24.front(), "  0");
  EXPECT_EQ(d.numberChoices24.back(), "  24");
  ASSERT_EQ(d.numberChoices12.size(), 13u);
  EXPECT_EQ(d.hourChoices.front(), " 0  Uhr");
  EXPECT_EQ(d.hourChoices.size(), 25u);
  EXPECT_EQ(d.intervalChoices.back(), " 10 min");
  EXPECT_TRUE(platform_->boxes.empty());
}

TEST_F(DesignStateTest, StartKeepsOwnDateLinesReadFromSettings) {
  startProgramBeforeSettings();
  design().ownDateLines = {"01/05    ( 1. Mai )"};
  design().germanSelected = false;  // as a settings file in English leaves it
  design().twilightKind = 0;
  startProgramAfterSettings();
  EXPECT_EQ(design().ownDateLines.size(), 1u);
  EXPECT_EQ(design().twilightKind, 2);
  EXPECT_EQ(design().language, 2);
  EXPECT_EQ(design().stringOffset, 2000);
  EXPECT_EQ(design().helpFileName, "/opt/tavrel/tavrel_e.chm");
}

TEST_F(DesignStateTest, LoadDefaultValuesKeepsColoursLanguageKindAndOwnLines) {
  startProgram();
  DesignState& d = design();
  d.colors[0] = 0x123456;
  d.language = 2;
  d.stringOffset = 2000;
  d.expertMode = false;
  d.dialKind = 'q';
  d.ownDateLines = {"01/01 x"};
  d.azimuthObserverDistance = 55;
  d.azimuthBasePlate = 66;
  d.calcDay = 9;
  // Fields the defaults must restore.
  d.latitude = 10;
  d.coneAxisInclination = 3;
  d.gnomonLength = 99;
  d.hourLinesFrom = 3;
  d.hourLineInterval = '4';
  d.dateLineMode = '3';
  d.withEot = true;

  loadDefaultValues();

  EXPECT_EQ(d.referenceYear, 2020);
  EXPECT_EQ(d.colors[0], 0x123456);
  EXPECT_EQ(d.language, 2);
  EXPECT_FALSE(d.expertMode);
  EXPECT_EQ(d.dialKind, 'q');
  EXPECT_EQ(d.ownDateLines.size(), 1u);
  EXPECT_DOUBLE_EQ(d.azimuthObserverDistance, 55);
  EXPECT_DOUBLE_EQ(d.azimuthBasePlate, 66);
  EXPECT_EQ(d.calcDay, 9);

  EXPECT_DOUBLE_EQ(d.latitude, 47.251315);
  EXPECT_DOUBLE_EQ(d.coneAxisInclination, 47.251315);
  EXPECT_DOUBLE_EQ(d.gnomonLength, 35.0);
  EXPECT_EQ(d.hourLinesFrom, 8);
  EXPECT_EQ(d.hourLineInterval, '1');
  EXPECT_EQ(d.dateLineMode, '0');
  EXPECT_FALSE(d.withEot);
  EXPECT_DOUBLE_EQ(d.gnomonHoleOffsetMax, d.obliquityRounded / 2);
}

TEST_F(DesignStateTest, StartUpNoticesReportMissingHelpFileAndWingdings) {
  platform_->fonts = {"Arial"};
  platform_->exeDir = "/nonexistent-tavrel-dir/";
  startProgram();
  startUpNotices();
  ASSERT_EQ(platform_->boxes.size(), 2u);
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(platform_->boxes[0].text,
            "Help file /nonexistent-tavrel-dir/tavrel_d.chm not found!");
  EXPECT_EQ(platform_->boxes[1].caption, MsgCaption::Warning);
  EXPECT_EQ(platform_->boxes[1].captionText, "TAVREL.EXE - Warnung!");
}

}  // namespace
}  // namespace tavrel
