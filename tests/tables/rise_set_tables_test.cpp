// Layout of the month and half-year rise/set tables: rows, blank lines,
// the calendar reform, February in leap and common years, header, zone
// line and footer, what the screen shows, and the German texts.
#include "tables/rise_set_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_format.h"
#include "base/number_text.h"
#include "table_test_util.h"
#include "tables/rise_set_search.h"

namespace tavrel {
namespace {

using test::TablesTest;

const std::regex kDayRow(R"( {1,2}\d{1,2}\. .*)");

int countDayRows(const std::vector<std::string>& lines) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
    return std::regex_match(l, kDayRow);
  }));
}

class RiseSetTablesTest : public TablesTest {
 protected:
  void SetUp() override {
    TablesTest::SetUp();
    design().latitude = 47.25;
    design().longitude = -9.55;
    design().zoneMeridian = -15;
    design().twilightKind = 1;
  }
};

struct MonthLength {
  int year, month, rows;
};

// February: 29 days in 2000 (divisible by 400), 28 in 1900, 29 in 1500
// (Julian calendar, every fourth year); the other months by their length.
const MonthLength kMonthLengths[] = {
    {2000, 2, 29}, {1900, 2, 28}, {1500, 2, 29}, {2023, 2, 28}, {2024, 4, 30}, {2024, 12, 31},
};

TEST_F(RiseSetTablesTest, OneRowPerDayAndABlankLineAfterEveryFifth) {
  for (const MonthLength& c : kMonthLengths) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month));
    const std::vector<std::string> lines = tableLines(monthRiseSetTable(c.year, c.month));
    EXPECT_EQ(countDayRows(lines), c.rows);
    // 5 header lines, the rows with their blank lines, 5 footer lines.
    ASSERT_EQ(static_cast<int>(lines.size()), 5 + c.rows + c.rows / 5 + 5);
    for (int day = 1; day <= c.rows; ++day) {
      const int at = 5 + (day - 1) + (day - 1) / 5;
      EXPECT_TRUE(lines[at].starts_with((day < 10 ? "  " : " ") + std::to_string(day) + ". "));
      EXPECT_EQ(lines[at].size(), 60u) << lines[at];
      if (day % 5 == 0) {
        EXPECT_EQ(lines[at + 1], "");
      }
    }
  }
}

TEST_F(RiseSetTablesTest, RowHoldsTheCellsTheEquationOfTimeAndTheDeclination) {
  const std::string row = monthTableRow(2024, 6, 21);
  EXPECT_EQ(row.substr(0, 5), " 21. ");
  EXPECT_EQ(row.substr(5, 14), riseSetTimes(RiseSetObject::Sun, 2024, 6, 21).cell);
  EXPECT_EQ(row.substr(19, 14), riseSetTimes(RiseSetObject::Twilight, 2024, 6, 21).cell);
  EXPECT_EQ(row.substr(33, 14), riseSetTimes(RiseSetObject::Moon, 2024, 6, 21).cell);
  // 12 h zone time (CET) is 11 h UT.
  double declination = 0, eot = 0;
  solarPosition(2024, dayOfYear(2024, 6, 21) - 1 / 24.0, declination, eot);
  EXPECT_EQ(row.substr(47), formatMinutesSeconds(eot) + " " + fixedText(declination, 6, 2));
  EXPECT_EQ(row.substr(53), "  23.44");
}

TEST_F(RiseSetTablesTest, HeaderAndFooter) {
  design().zoneMeridian = 15;  // west: the zone runs an hour behind UT
  design().longitude = 12.5;
  const SolarTable t = monthRiseSetTable(2024, 6);
  const std::vector<std::string> lines = tableLines(t);
  EXPECT_EQ(lines[0], " Rise and Set of Sun and Moon for June 2024");
  EXPECT_EQ(lines[1], " Civil Time and not DST ! Position:   12.5°/47.25°");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], " Date     Sun        Twilight        Moon       EoT   Declin");
  EXPECT_EQ(lines[4], "       rise/ set    end /begin     rise/ set    mm:ss   deg");
  const std::size_t n = lines.size();
  EXPECT_EQ(lines[n - 5], std::string(60, ' '));
  EXPECT_EQ(lines[n - 4], "  All times are standard time (= UT -   1 h) and not DST !");
  EXPECT_EQ(lines[n - 3], "   Type of twilight displayed: nautical (6°-12°).");
  EXPECT_FALSE(lines[n - 2].empty());
  EXPECT_EQ(lines[n - 1], std::string(60, ' '));
  // The screen leaves out the zone line, the author line and the last line.
  const std::vector<std::string> screen = screenLines(t);
  ASSERT_EQ(screen.size(), n - 3);
  EXPECT_EQ(screen.back(), lines[n - 3]);
  EXPECT_EQ(screen[screen.size() - 2], lines[n - 5]);
}

struct ZoneCase {
  double zoneMeridian;
  const char* text;
};

const ZoneCase kZoneCases[] = {
    {15, "  All times are standard time (= UT -   1 h) and not DST !"},
    {-15, "  All times are standard time (= UT +   1 h) and not DST !"},
    {0, "  All times are standard time (= UT +   0 h) and not DST !"},
    {150, "  All times are standard time (= UT -  10 h) and not DST !"},
    {-82.5, "  All times are standard time (= UT + 5.5 h) and not DST !"},
};

TEST_F(RiseSetTablesTest, ZoneLine) {
  for (const ZoneCase& c : kZoneCases) {
    design().zoneMeridian = c.zoneMeridian;
    EXPECT_EQ(zoneLine(), c.text);
  }
}

TEST_F(RiseSetTablesTest, October1582) {
  const std::vector<std::string> lines = tableLines(monthRiseSetTable(1582, 10));
  EXPECT_EQ(countDayRows(lines), 21);
  for (int day = 1; day <= 31; ++day) {
    const std::string& row = lines[5 + (day - 1) + (day - 1) / 5];
    if (day >= 5 && day <= 14)
      EXPECT_EQ(row, "   ---  omitted  (change to Gregorian Calendar)  --- ") << day;
    else
      EXPECT_TRUE(std::regex_match(row, kDayRow)) << row;
  }
  // 15 October follows 4 October by one day: the declination moves by
  // about 0.37 degree, not by the 4 degrees of eleven days.
  const double oct4 = std::stod(lines[5 + 3].substr(54));
  const double oct15 = std::stod(lines[5 + 14 + 2].substr(54));
  EXPECT_NEAR(oct15 - oct4, -0.37, 0.03);
}

// 29 February 1500 exists (Julian calendar) and lies between its
// neighbours; the ephemeris counts the day from 1 January of the Julian
// calendar, so March does not repeat February's last values.
TEST_F(RiseSetTablesTest, LeapDayOf1500) {
  const auto decl = [](int month, int day) {
    return std::stod(monthTableRow(1500, month, day).substr(54));
  };
  const double feb28 = decl(2, 28), feb29 = decl(2, 29), mar1 = decl(3, 1);
  EXPECT_GT(feb29, feb28 + 0.3);
  EXPECT_GT(mar1, feb29 + 0.3);
}

TEST_F(RiseSetTablesTest, HalfYearTable) {
  const SolarTable t = halfYearSunTable(2023, 1);
  const std::vector<std::string> lines = tableLines(t);
  std::string columns = "      ";
  for (int i = 0; i < 6; ++i) columns += " Rise /Set    EoT    ";
  EXPECT_EQ(lines[0], columns);
  EXPECT_TRUE(lines[1].starts_with("Date   January              February             March"));
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], " Civil Time and not DST ! Position:   -9.55°/47.25°");
  EXPECT_EQ(lines[4], " Times of Sunrise/Sunset and Equation of time for 2023");
  EXPECT_EQ(countDayRows(lines), 31);
  const std::string none = "       -------       ";
  for (int day = 1; day <= 31; ++day) {
    const std::string& row = lines[5 + (day - 1) + std::min(day - 1, 29) / 5];
    ASSERT_EQ(row.size(), 5u + 6 * 21) << day;
    const std::string feb = row.substr(5 + 21, 21);
    EXPECT_EQ(feb == none, day >= 29) << day;            // 2023 is a common year
    EXPECT_EQ(row.substr(5 + 3 * 21, 21) == none, day == 31);  // April
    EXPECT_EQ(row.substr(5 + 5 * 21, 21) == none, day == 31);  // June
    if (day < 29) {
      EXPECT_EQ(feb.substr(0, 14), riseSetTimes(RiseSetObject::Sun, 2023, 2, day).cell);
      double declination = 0, eot = 0;
      solarPosition(2023, dayOfYear(2023, 2, day) - 1 / 24.0, declination, eot);
      EXPECT_EQ(feb.substr(14), formatMinutesSeconds(eot) + " ");
    }
  }
  // A blank line after every fifth row but the thirtieth.
  EXPECT_EQ(lines[5 + 30 + 5], " 31. " + lines[5 + 30 + 5].substr(5));
  EXPECT_EQ(lines[lines.size() - 2], std::string(110, ' '));
  EXPECT_EQ(tableLines(halfYearSunTable(2024, 1))[5 + 28 + 5].substr(5 + 21, 21) == none, false);
}

TEST_F(RiseSetTablesTest, HalfYearTableOf1582LeavesOutTheReformDays) {
  const std::vector<std::string> lines = tableLines(halfYearSunTable(1582, 7));
  EXPECT_TRUE(lines[1].starts_with("Date   July"));
  for (int day = 1; day <= 31; ++day) {
    const std::string oct = lines[5 + (day - 1) + std::min(day - 1, 29) / 5].substr(5 + 3 * 21, 21);
    EXPECT_EQ(oct == "       -------       ", day >= 5 && day <= 14) << day;
  }
}

TEST_F(RiseSetTablesTest, GermanTexts) {
  design().language = 1;
  design().latitude = 70;
  design().twilightKind = 1;
  const std::vector<std::string> lines = tableLines(monthRiseSetTable(2024, 6));
  EXPECT_EQ(lines[0], " Auf- und Untergang von Sonne und Mond im Juni 2024");
  const std::string& row = lines[5 + 20 + 4];  // 21 June
  EXPECT_EQ(row.substr(5, 14), "immer sichtbar");
  EXPECT_EQ(row.substr(19, 14), "  immer hell  ");
  design().latitude = -70;
  EXPECT_EQ(monthTableRow(2024, 6, 21).substr(5, 14), " nie sichtbar ");
  design().latitude = -80;
  design().twilightKind = 0;
  EXPECT_EQ(monthTableRow(2024, 6, 21).substr(19, 14), " immer dunkel ");
  // The German column titles stay within the width of the day rows.
  auto characters = [](const std::string& s) {
    return std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; });
  };
  EXPECT_LE(characters(lines[3]), 60);
  EXPECT_LE(characters(lines[4]), 60);
}

TEST_F(RiseSetTablesTest, MissingEventLeavesDashes) {
  // 19 October 1582 at this place: the moon sets but does not rise.
  const std::string moon = monthTableRow(1582, 10, 19).substr(33, 14);
  EXPECT_EQ(moon.substr(0, 6), " -----");
  EXPECT_TRUE(std::regex_match(moon.substr(6), std::regex(R"( {1,2}\d{1,2}:\d\d  )"))) << moon;
  EXPECT_TRUE(riseSetTimes(RiseSetObject::Moon, 1582, 10, 19).missing);
}

}  // namespace
}  // namespace tavrel
