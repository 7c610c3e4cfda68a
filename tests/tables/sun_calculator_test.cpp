// The result blocks of the sun calculator: layout, values against PyEphem
// and closed forms, the zone-meridian question and the calendar reform.
#include "tables/sun_calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/scripted_platform.h"
#include "table_test_util.h"
#include "tables/rise_set_search.h"
#include "tables/rise_set_tables.h"

namespace tavrel {
namespace {

using test::readTsv;
using test::TablesTest;

class SunCalculatorTest : public TablesTest {
 protected:
  void SetUp() override {
    TablesTest::SetUp();
    // The calculator window's default place.
    design().latitude = 47.25;
    design().longitude = -9.55;
    design().zoneMeridian = -15;
    design().twilightKind = 1;
  }
};

const std::string kRule = "  " + std::string(74, '_');

TEST_F(SunCalculatorTest, EveryBlockOpensWithDateAndPlaceAndEndsWithTheRule) {
  const std::vector<std::string> lines = declinationBlock({1999, 6, 22});
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], kRule);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "    Date :           1999- 6-22");
  EXPECT_EQ(lines[4], "    Latitude :       47.25 deg ");
  EXPECT_EQ(lines[5], "    Longitude:       -9.55 deg          Zone meridian:  -15.0 deg ");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[10], "   Values for noon standard time");
  EXPECT_EQ(lines[11], kRule);
  for (const auto& block : {riseSetBlock({1999, 6, 22}), positionBlock({1999, 6, 22}, 12, CalculatorTimeSystem::Zone)}) {
    EXPECT_EQ(std::vector<std::string>(block.begin(), block.begin() + 7),
              std::vector<std::string>(lines.begin(), lines.begin() + 7));
    EXPECT_EQ(block.back(), kRule);
  }
}

// Declination and equation of time of 12 h CET against PyEphem
// (tests/data/eot_year_reference.tsv): the model's accuracy and the
// rounding of the texts.
TEST_F(SunCalculatorTest, DeclinationAndEquationOfTimeAgreeWithPyEphem) {
  const auto ref = readTsv("eot_year_reference.tsv");
  for (std::size_t i = 0; i < ref.rows.size(); i += 37) {
    const auto& r = ref.rows[i];
    const CalculatorDate date{2024, std::stoi(r.at("month")), std::stoi(r.at("day"))};
    const std::vector<std::string> lines = declinationBlock(date);
    double declination = 0;
    int m = 0, s = 0;
    ASSERT_EQ(std::sscanf(lines[7].c_str(), "    Sun declination : %lf deg", &declination), 1) << lines[7];
    EXPECT_NEAR(declination, std::stod(r.at("declination_deg")), 0.008);
    const std::string eot = lines[8].substr(std::string("    Equation of Time:  ").size());
    ASSERT_EQ(std::sscanf(eot.c_str(), "%d:%d", &m, &s), 2) << lines[8];
    const double seconds = (eot.find('-') != std::string::npos ? -1 : 1) * (std::abs(m) * 60 + s);
    EXPECT_NEAR(seconds, std::stod(r.at("eot_s")), 2.0) << lines[8];
    EXPECT_TRUE(lines[8].ends_with("  min:sec"));
  }
}

TEST_F(SunCalculatorTest, RiseSetBlockShowsTheTimesOfTheTable) {
  const std::vector<std::string> lines = riseSetBlock({2024, 2, 11});
  const std::string row = monthTableRow(2024, 2, 11);
  EXPECT_EQ(lines[7], "    Sunrise :         " + row.substr(5, 6) + " hh:min");
  EXPECT_EQ(lines[8], "     Sunset :         " + row.substr(11, 6) + " hh:min");
  // The table holds the end of the evening twilight first.
  EXPECT_EQ(lines[10], "    Twilight begins:  " + row.substr(25, 6) + " hh:min");
  EXPECT_EQ(lines[11], "     Twilight ends:   " + row.substr(19, 6) + " hh:min");
  EXPECT_EQ(lines[12], "     ( nautical ) ");  // message 39 after the indent
  EXPECT_EQ(lines[14], "    Moonrise:         " + row.substr(33, 6) + " hh:min");
  EXPECT_EQ(lines[15], "     Moonset:         " + row.substr(39, 6) + " hh:min");
  EXPECT_EQ(lines[16], kRule);
}

TEST_F(SunCalculatorTest, RiseSetBlockAtSeventyNorth) {
  design().latitude = 70;
  const std::vector<std::string> june = riseSetBlock({2024, 6, 21});
  EXPECT_EQ(june[7], "    Sunrise :          always seen  ");
  EXPECT_EQ(june[8], "     Sunset :          always seen  ");
  EXPECT_EQ(june[10], "    Twilight begins:  always bright ");
  const std::vector<std::string> december = riseSetBlock({2024, 12, 21});
  EXPECT_EQ(december[7], "    Sunrise :          not visible  ");
}

// At 12:00 local apparent time the sun culminates: azimuth 0 and altitude
// 90 - latitude + declination; at 12:00 local mean time the hour angle is
// the equation of time.
TEST_F(SunCalculatorTest, PositionAtAClockTime) {
  const std::vector<std::string> lat = positionBlock({2024, 6, 21}, 12, CalculatorTimeSystem::Apparent);
  EXPECT_EQ(lat[7], "    Time :            12:00:00  Local Apparent Time");
  double altitude = 0, azimuth = 0, declination = 0;
  ASSERT_EQ(std::sscanf(lat[9].c_str(), "    Altitude : %lf deg", &altitude), 1) << lat[9];
  ASSERT_EQ(std::sscanf(lat[10].c_str(), "    Azimuth : %lf deg", &azimuth), 1) << lat[10];
  ASSERT_EQ(std::sscanf(lat[11].c_str(), "    Declination : %lf deg", &declination), 1) << lat[11];
  EXPECT_NEAR(azimuth, 0, 0.005);
  EXPECT_NEAR(altitude, 90 - 47.25 + declination, 0.011);
  EXPECT_NEAR(declination, 23.44, 0.005);  // solstice (PyEphem: 23.4388)
  EXPECT_TRUE(lat[12].starts_with("    Equation of Time: "));

  const std::vector<std::string> lmt = positionBlock({2024, 6, 21}, 12, CalculatorTimeSystem::Mean);
  EXPECT_EQ(lmt[7], "    Time :            12:00:00  Local Mean Time");
  ASSERT_EQ(std::sscanf(lmt[10].c_str(), "    Azimuth : %lf deg", &azimuth), 1);
  // EoT -1:55 on that day: the sun is 0.48 degree of hour angle east of
  // the meridian, which at this altitude is about 1.3 degrees of azimuth.
  EXPECT_LT(azimuth, -0.8);
  EXPECT_GT(azimuth, -1.8);

  // Zone time 12:21:48 (CET) at 9.55 E is local mean time 12:00.
  const std::vector<std::string> zone =
      positionBlock({2024, 6, 21}, 12 + 21 / 60.0 + 48 / 3600.0, CalculatorTimeSystem::Zone);
  EXPECT_EQ(zone[7], "    Time :            12:21:48  Standard Time");
  EXPECT_EQ(zone[10], lmt[10]);
}

TEST_F(SunCalculatorTest, TimeForAnAzimuth) {
  ScopedScriptedPlatform p;
  design().referenceYear = 2020;
  design().calcYear = 2019;
  design().calcMonth = 3;
  design().calcDay = 5;
  // Azimuth 0: the meridian transit, 12 h + (longitude - zone - EoT) / 15
  // = 12:21:48 + 1:55 on 21 June 2024.
  const std::vector<std::string> noon = azimuthBlock({2024, 6, 21}, 0);
  EXPECT_EQ(noon[7], "    Azimuth of the sun:          0.00 deg");
  EXPECT_EQ(noon[8], "    [ N= -180° ..<..  E= -90° ..<..  S= 0° ..<..  W= +90° ..<..  N=+180°  ] ");
  int h = 0, m = 0, s = 0;
  ASSERT_EQ(std::sscanf(noon[10].c_str(), "    Sunposition reached at:  %d:%d:%d", &h, &m, &s), 3) << noon[10];
  EXPECT_NEAR(h * 3600 + m * 60 + s, 12 * 3600 + 21 * 60 + 48 + 115, 5);
  EXPECT_TRUE(noon[10].ends_with("  hh:mm:ss"));
  EXPECT_EQ(noon[11], "    Altitude of the sun then:  66.2 deg");
  // North-west after sunset.
  const std::vector<std::string> night = azimuthBlock({2024, 6, 21}, 150);
  EXPECT_EQ(night[11], "    The sun is below the horizon!");
  EXPECT_TRUE(p->boxes.empty());
  // The date of the search is an argument: the record keeps its own.
  EXPECT_EQ(design().referenceYear, 2020);
  EXPECT_EQ(design().calcYear, 2019);
  EXPECT_EQ(design().calcMonth, 3);
  EXPECT_EQ(design().calcDay, 5);
}

TEST_F(SunCalculatorTest, ZoneMeridianQuestion) {
  ScopedScriptedPlatform p;
  design().zoneWarningPending = false;
  EXPECT_TRUE(confirmZoneMeridianDistance());
  EXPECT_TRUE(p->boxes.empty());

  design().zoneWarningPending = true;
  EXPECT_FALSE(confirmZoneMeridianDistance());  // No
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Warning);
  EXPECT_EQ(p->boxes[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(p->boxes[0].text,
            "The difference between zone meridian\n\r and longitude is more than 15 deg!\n\rAre these values correct?");
  EXPECT_TRUE(design().zoneWarningPending);

  p->answers.push_back(MsgAnswer::Yes);
  EXPECT_TRUE(confirmZoneMeridianDistance());
  EXPECT_FALSE(design().zoneWarningPending);
  EXPECT_TRUE(confirmZoneMeridianDistance());  // not asked again
  EXPECT_EQ(p->boxes.size(), 2u);
}

TEST_F(SunCalculatorTest, DaysOfTheCalendarReformBecomeTheFifteenth) {
  ScopedScriptedPlatform p;
  const CalculatorDate d = calculatorDate({1582, 10, 10});
  EXPECT_EQ(d.day, 15);
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].text,
            "This date does not exist. Correction to 15/10/1582 is is done for calculation!");
  EXPECT_EQ(calculatorDate({1582, 10, 4}).day, 4);
  EXPECT_EQ(calculatorDate({1582, 10, 15}).day, 15);
  EXPECT_EQ(p->boxes.size(), 1u);
}

struct ClockCase {
  const char* text;
  bool ok;
  double hours;
};

const ClockCase kClockCases[] = {
    {"12:30:15", true, 12 + 30 / 60.0 + 15 / 3600.0}, {"7:05", true, 7 + 5 / 60.0},
    {"00:00:00", true, 0},                           {"24:00:00", true, 24},
    {"24:00:01", false, 0},                          {"12:60:00", false, 0},
    {"", false, 0},                                  {"Input?", false, 0},
    {"12", false, 0},                                {"12:30:15:01", false, 0},
    {"-1:00:00", false, 0},
};

TEST(ClockTime, Parse) {
  for (const ClockCase& c : kClockCases) {
    const auto t = parseClockTime(c.text);
    EXPECT_EQ(t.has_value(), c.ok) << c.text;
    if (t) {
      EXPECT_NEAR(*t, c.hours, 1e-12) << c.text;
    }
  }
}

}  // namespace
}  // namespace tavrel
