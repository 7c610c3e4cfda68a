// The hour-line angle table against the textbook hour-line formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dial_test_util.h"
#include "base/geometry.h"
#include "dials/planar/hour_line_angles.h"
#include "tests/core/language_choice.h"

namespace tavrel::testing {
namespace {

class AngleTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.eotLinesOwnMeridian = true;  // no longitude correction
    d.hourLineInterval = '0';
  }
  void dial(char kind, double latitude, double declination = 0, double inclination = 0) {
    DesignState& d = design();
    d.dialKind = kind;
    d.latitude = latitude;
    d.wallDeclination = declination;
    d.planeInclination = inclination;
  }
  ScopedScriptedPlatform platform;
};

// Horizontal dial at 48 degrees, 15 h: alpha = arctan(-sin 48 tan 45) =
// -36.62 degrees.
TEST_F(AngleTableTest, HorizontalDialAt48Degrees15h) {
  dial('h', 48);
  design().hourLinesFrom = 8;
  design().hourLinesTo = 19;
  const HourLineAngleTable t = computeHourLineAngles(design());
  EXPECT_NEAR(t.hourLineAngles[15][0], degrees(std::atan(-std::sin(radians(48)) * std::tan(radians(45)))), 1e-9);
  EXPECT_NEAR(t.hourLineAngles[15][0], -36.62, 0.005);
  EXPECT_EQ(t.grid[15 - 8 + 1][0], "15:00");
  EXPECT_EQ(t.grid[15 - 8 + 1][1], "   -36.62");
  EXPECT_EQ(t.grid[15 - 8 + 1][2], "   -0.743");
  EXPECT_EQ(t.hourLineAngles[7][0], kNoHourLineAngle);
  EXPECT_EQ(t.hourLineAngles[15][1], kNoHourLineAngle);
}

// The whole day of horizontal dials, quadrants included: the table angle
// is the direction of the line at S counted counter-clockwise from north,
// alpha = -atan2(sin(lat) sin(tau), cos(tau)) (Waugh ch. 4), modulo 360.
TEST_F(AngleTableTest, HorizontalDialsThroughTheWholeSunlitDay) {
  for (double latitude : {50.0, 30.0, 64.0}) {
    SCOPED_TRACE(latitude);
    dial('h', latitude);
    design().hourLinesFrom = 3;
    design().hourLinesTo = 21;
    const HourLineAngleTable t = computeHourLineAngles(design());
    for (int h = 3; h <= 21; ++h) {
      const double tau = (h - 12) * 15.0;
      const double expected = -degrees(std::atan2(std::sin(radians(latitude)) * std::sin(radians(tau)), std::cos(radians(tau))));
      // The same direction; the table may count it beyond +-180.
      EXPECT_NEAR(std::remainder(t.hourLineAngles[static_cast<std::size_t>(h)][0] - expected, 360), 0, 1e-6) << h;
    }
  }
}

// South wall: tan alpha = cos(lat) tan(tau) (Waugh ch. 5).
TEST_F(AngleTableTest, SouthWallTangents) {
  for (double latitude : {47.0, 52.0, 20.0}) {
    SCOPED_TRACE(latitude);
    dial('v', latitude, 0, 90);
    design().hourLinesFrom = 7;
    design().hourLinesTo = 17;
    const HourLineAngleTable t = computeHourLineAngles(design());
    for (int h = 7; h <= 17; ++h) {
      const double tau = (h - 12) * 15.0;
      const double expected = std::cos(radians(latitude)) * std::tan(radians(tau));
      EXPECT_NEAR(tanDeg(t.hourLineAngles[static_cast<std::size_t>(h)][0]), expected, 1e-9) << h;
    }
    EXPECT_NEAR(t.styleHeight, latitude - 90, 1e-9);
  }
}

// Style height and substyle of a vertical decliner (Waugh ch. 10):
// sin SH = cos(lat) cos(D), tan SD = sin(D) / tan(lat); the style points
// to the south pole as seen from the face (negative height).
TEST_F(AngleTableTest, VerticalDeclinerStyle) {
  dial('v', 47.25, -11.7, 90);
  const HourLineAngleTable t = computeHourLineAngles(design());
  EXPECT_NEAR(t.styleHeight, -degrees(std::asin(std::cos(radians(47.25)) * std::cos(radians(11.7)))), 1e-9);
  EXPECT_NEAR(std::fabs(t.substyleAngle), degrees(std::atan(std::sin(radians(11.7)) / std::tan(radians(47.25)))), 1e-9);
  ASSERT_EQ(t.infoLines.size(), 4u);
  EXPECT_EQ(t.infoLines[1], "  Angle from dial face to pole style: -41.659 deg ");
  EXPECT_NE(t.sunOnDialText.find("Sun on Sundial Plane: "), std::string::npos);
  EXPECT_EQ(t.sunOnDialText.substr(t.sunOnDialText.size() - 22), "   Local Apparent Time");
  EXPECT_EQ(t.dialTypeLine, "Angles of the Hour Lines in a Vertical Sundial");
}

// Six lines per hour ("4"): two grid rows per hour, every 10 minutes.
TEST_F(AngleTableTest, TenMinuteSubdivisionUsesTwoRowsPerHour) {
  dial('h', 48);
  DesignState& d = design();
  d.hourLineInterval = '4';
  d.hourLinesFrom = 8;
  d.hourLinesTo = 10;
  const HourLineAngleTable t = computeHourLineAngles(design());
  EXPECT_EQ(t.grid[1][0], "8:00");
  EXPECT_EQ(t.grid[1][4], "8:10");
  EXPECT_EQ(t.grid[1][8], "8:20");
  EXPECT_EQ(t.grid[1][12], "8:30");
  EXPECT_EQ(t.grid[2][0], " ");
  EXPECT_EQ(t.grid[2][4], "8:40");
  EXPECT_EQ(t.grid[2][8], "8:50");
  EXPECT_EQ(t.grid[3][0], "9:00");
  EXPECT_EQ(t.grid[5][0], "10:00");
  EXPECT_EQ(t.grid[6][4], "");  // 10:40 is past the last hour
  for (int j = 0; j < 6; ++j) {
    const double tau = (8 + j / 6.0 - 12) * 15;
    EXPECT_NEAR(t.hourLineAngles[8][static_cast<std::size_t>(j)],
                -degrees(std::atan2(std::sin(radians(48)) * std::sin(radians(tau)), std::cos(radians(tau)))), 1e-6);
  }
  EXPECT_EQ(t.hourLineAngles[10][1], kNoHourLineAngle);
  EXPECT_EQ(t.grid[0][0], "Time[hh;mm]");
  EXPECT_EQ(t.grid[0][1], " deg [dd.dd]");
  EXPECT_EQ(t.grid[0][2], " tan(alpha)");
}

// Neighbouring hours never point more than 90 degrees apart after the
// continuity passes (angles that jump are turned by 180 degrees).
TEST_F(AngleTableTest, AnglesAreContinuousFromHourToHour) {
  struct Row {
    char kind;
    double latitude, declination, inclination;
  };
  for (const Row r : {Row{'v', 47, 40, 90}, Row{'v', 40, -70, 90}, Row{'i', 47.25, 30, 60},
                      Row{'i', -33, 170, 70}, Row{'v', -30, 180, 90}}) {
    SCOPED_TRACE(std::string(1, r.kind) + " " + std::to_string(r.declination));
    dial(r.kind, r.latitude, r.declination, r.inclination);
    design().hourLinesFrom = 5;
    design().hourLinesTo = 19;
    design().hourLineInterval = '1';
    const HourLineAngleTable t = computeHourLineAngles(design());
    double previous = t.hourLineAngles[5][0];
    for (int h = 5; h <= 19; ++h)
      for (int j = 0; j < 2 && h + j / 6.0 <= 19; ++j) {
        const double a = t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)];
        EXPECT_LT(std::fabs(std::remainder(a - previous, 360)), 90) << h << ":" << j * 30;
        previous = a;
      }
  }
}

// The longitude correction (eotLinesOwnMeridian off) moves every hour
// angle by zoneMeridian - longitude.
TEST_F(AngleTableTest, LongitudeCorrectionShiftsTheHourAngle) {
  dial('h', 48);
  DesignState& d = design();
  d.longitude = -9.59;
  d.zoneMeridian = -15;
  d.eotLinesOwnMeridian = false;
  d.hourLinesFrom = 12;
  d.hourLinesTo = 12;
  const HourLineAngleTable t = computeHourLineAngles(design());
  const double tau = 0 - d.longitude + d.zoneMeridian;  // -5.41
  EXPECT_NEAR(t.hourLineAngles[12][0], degrees(std::atan(-std::sin(radians(48)) * std::tan(radians(tau)))), 1e-9);
}

TEST_F(AngleTableTest, TextOfTheAnglesCommand) {
  dial('h', 48);
  design().hourLinesFrom = 10;
  design().hourLinesTo = 14;
  const std::vector<std::string> text = hourLineAngleText(design(), computeHourLineAngles(design()));
  ASSERT_GT(text.size(), 10u);
  EXPECT_EQ(text[0], "Angles of the Hour Lines in a Horizontal Sundial");
  bool row = false;
  for (const std::string& line : text)
    if (line.rfind("15:00", 0) == 0 || line.rfind("14:00", 0) == 0) row = true;
  EXPECT_TRUE(row);
}

}  // namespace
}  // namespace tavrel::testing
