#include "astro/calendar.h"
#include "core/date_list_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/design_state.h"
#include "core/scripted_platform.h"

namespace tavrel {
namespace {

// Keeps the tests from leaking referenceYear and language into each other.
class CalendarTest : public ::testing::Test {
 protected:
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

struct DayOfYearCase {
  int year, month, day;
  int expected;
};

// Counted by hand; the Gregorian leap rule also before 1582 (1500 is a
// common year, 1600 a leap year).
constexpr DayOfYearCase kDayOfYearCases[] = {
    {2023, 1, 1, 1},     {2023, 2, 28, 59},   {2024, 2, 29, 60},   {1900, 3, 1, 60},
    {2000, 3, 1, 61},    {2023, 12, 1, 335},  {2024, 12, 1, 336},  {2023, 12, 31, 365},
    {2024, 12, 31, 366}, {1500, 3, 1, 60},    {1600, 3, 1, 61},    {2021, 3, 21, 80},
};

TEST_F(CalendarTest, DayOfYearCheckValues) {
  for (const DayOfYearCase& c : kDayOfYearCases)
    EXPECT_EQ(dayOfYear(c.year, c.month, c.day), c.expected)
        << c.year << "-" << c.month << "-" << c.day;
}

// Every date of a few years, against the proleptic Gregorian calendar of
// <chrono>.
TEST_F(CalendarTest, DayOfYearAgreesWithChronoForEveryDate) {
  using namespace std::chrono;
  for (int y : {1300, 1500, 1582, 1700, 1900, 2000, 2023, 2024, 2100, 2400, 2500}) {
    const sys_days newYear{year{y} / January / 1};
    for (sys_days d = newYear; year_month_day{d}.year() == year{y}; d += days{1}) {
      const year_month_day ymd{d};
      const int expected = static_cast<int>((d - newYear).count()) + 1;
      ASSERT_EQ(dayOfYear(y, static_cast<int>(unsigned(ymd.month())),
                          static_cast<int>(unsigned(ymd.day()))),
                expected)
          << y << "-" << unsigned(ymd.month()) << "-" << unsigned(ymd.day());
    }
  }
}

struct JulianDayCase {
  int day, month, year;
  double expected;
};

// Meeus, Astronomical Algorithms, 2nd ed., ch. 7 (examples 7.a, 7.b and the
// table after them, each taken at 12 h), and the calendar reform of 1582.
constexpr JulianDayCase kJulianDayCases[] = {
    {1, 1, 2000, 2451545},  {1, 3, 2000, 2451605},  {1, 1, 1999, 2451180},
    {27, 1, 1987, 2446823}, {19, 6, 1988, 2447332}, {1, 1, 1900, 2415021},
    {1, 1, 1600, 2305448},  {31, 12, 1600, 2305813}, {4, 10, 1957, 2436116},
    {27, 1, 333, 1842713},  {10, 4, 837, 2026872},
    {15, 10, 1582, 2299161}, {4, 10, 1582, 2299160}, {1, 1, 1300, 2195883},
};

TEST_F(CalendarTest, JulianDayNumberCheckValues) {
  for (const JulianDayCase& c : kJulianDayCases)
    EXPECT_EQ(julianDayNumber(c.day, c.month, c.year), c.expected)
        << c.day << "." << c.month << "." << c.year;
}

TEST_F(CalendarTest, TheTenMissingDaysOf1582CountAsFifteenthOctober) {
  for (int day = 5; day <= 14; ++day)
    EXPECT_EQ(julianDayNumber(day, 10, 1582), 2299161) << day << " October 1582";
}

// From 15 October 1582 on the Julian day number counts the days of the
// proleptic Gregorian calendar: JD of 1970-01-01, 12 h, is 2440588.
TEST_F(CalendarTest, JulianDayNumberCountsGregorianDaysFromTheReform) {
  using namespace std::chrono;
  const sys_days reform{year{1582} / October / 15};
  const sys_days end{year{2501} / January / 1};
  for (sys_days d = reform; d < end; d += days{1}) {
    const year_month_day ymd{d};
    ASSERT_EQ(julianDayNumber(static_cast<int>(unsigned(ymd.day())),
                              static_cast<int>(unsigned(ymd.month())), int(ymd.year())),
              static_cast<double>(d.time_since_epoch().count() + 2440588))
        << int(ymd.year()) << "-" << unsigned(ymd.month()) << "-" << unsigned(ymd.day());
  }
}

// Before the reform it steps through the Julian calendar (every fourth
// year a leap year, 1500 included) one day at a time.
TEST_F(CalendarTest, JulianDayNumberStepsThroughTheJulianCalendarBeforeTheReform) {
  constexpr int kMonthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  double previous = julianDayNumber(31, 12, 1299);
  for (int y = 1300; y <= 1582; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int length = kMonthLength[m - 1] + (m == 2 && y % 4 == 0 ? 1 : 0);
      for (int d = 1; d <= length; ++d) {
        if (y == 1582 && m == 10 && d == 5) return;
        const double jd = julianDayNumber(d, m, y);
        ASSERT_EQ(jd, previous + 1) << d << "." << m << "." << y;
        previous = jd;
      }
    }
  }
}

struct DateLabelCase {
  int referenceYear, language, dayOfYear;
  const char* expected;
};

constexpr DateLabelCase kDateLabelCases[] = {
    {2021, 1, 80, "21. Mar"},  {2020, 1, 80, "20. Mar"},  {2021, 1, 280, "7. Okt"},
    {2021, 2, 280, "7. Oct"},  {2021, 1, 1, "1. Jan"},    {2021, 1, 32, "1. Feb"},
    {2020, 1, 60, "29. Feb"},  {2021, 1, 60, "1. Mar"},   {2021, 1, 365, "31. Dez"},
    {2020, 2, 366, "31. Dec"}, {2021, 1, 121, "1. Mai"},  {2021, 2, 121, "1. May"},
    {2021, 1, 0, "0. Jan"},    {2021, 1, 366, "32. Dez"},
};

TEST_F(CalendarTest, DateLabelUsesReferenceYearAndLanguage) {
  for (const DateLabelCase& c : kDateLabelCases) {
    EXPECT_EQ(dateLabel(c.dayOfYear, c.referenceYear, c.language), c.expected)
        << "day " << c.dayOfYear << " of " << c.referenceYear << ", language " << c.language;
  }
}

TEST_F(CalendarTest, MonthAbbreviations) {
  const char* german[] = {"Jan", "Feb", "Mar", "Apr", "Mai", "Jun",
                          "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  const char* english[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(monthAbbreviation(m, 1), german[m - 1]);
    EXPECT_EQ(monthAbbreviation(m, 2), english[m - 1]);
  }
  design().language = 2;
  EXPECT_EQ(monthAbbreviation(10, 2), "Oct");
  EXPECT_EQ(monthAbbreviation(0, 1), "");
  EXPECT_EQ(monthAbbreviation(13, 2), "");
}

struct ParseCase {
  const char* text;
  int referenceYear;
  int language;
  bool ok;
  const char* label;
  const char* key;
  int number;
};

constexpr ParseCase kParseCases[] = {
    {"29/02", 2000, 1, true, "29. Feb", "29/02", 229},
    {"29/02", 1600, 1, true, "29. Feb", "29/02", 229},
    {"29/02", 2024, 1, true, "29. Feb", "29/02", 229},
    {"29/02", 1900, 1, false, "", "", -1},
    {"29/02", 2023, 1, false, "", "", -1},
    {"30/02", 2024, 1, false, "", "", -1},
    {"28/02", 2023, 1, true, "28. Feb", "28/02", 228},
    {"31/04", 2024, 1, false, "", "", -1},
    {"30/04", 2024, 1, true, "30. Apr", "30/04", 430},
    {"31/06", 2024, 1, false, "", "", -1},
    {"31/09", 2024, 1, false, "", "", -1},
    {"31/11", 2024, 1, false, "", "", -1},
    {"31/12", 2024, 1, true, "31. Dez", "31/12", 1231},
    {"1/13", 2024, 1, false, "", "", -1},
    {"1/0", 2024, 1, false, "", "", -1},
    {"0/5", 2024, 1, false, "", "", -1},
    {"32/01", 2024, 1, false, "", "", -1},
    {"7/3", 2024, 1, true, "07. Mar", "07/03", 307},
    {"7/10", 2024, 1, true, "07. Okt", "07/10", 1007},
    {"7/10", 2024, 2, true, "07. Oct", "07/10", 1007},
    {"1/1", 2024, 2, true, "01. Jan", "01/01", 101},
    // Lines of the own date list: key, blanks and a label.
    {"21/03    ( 21. März )", 2024, 1, true, "21. Mar", "21/03", 321},
    {"7/3 label", 2024, 1, true, "07. Mar", "07/03", 307},
    {"7 /3", 2024, 1, true, "07. Mar", "07/03", 307},
    {" 7/3", 2024, 1, true, "07. Mar", "07/03", 307},
    // Not dates.
    {"", 2024, 1, false, "", "", -1},
    {"  /  ", 2024, 1, false, "", "", -1},
    {"21", 2024, 1, false, "", "", -1},
    {"21/", 2024, 1, false, "", "", -1},
    {"ab/cd", 2024, 1, false, "", "", -1},
    {"12/3x", 2024, 1, false, "", "", -1},
    {"-1/03", 2024, 1, false, "", "", -1},
    {"ä/03", 2024, 1, false, "", "", -1},
};

TEST_F(CalendarTest, ParseDayMonth) {
  ScopedScriptedPlatform p;
  for (const ParseCase& c : kParseCases) {
    const DayMonth r = parseDayMonth(c.text, c.referenceYear, c.language);
    EXPECT_EQ(r.ok, c.ok) << '"' << c.text << "\" in " << c.referenceYear;
    EXPECT_EQ(r.label, c.label) << c.text;
    EXPECT_EQ(r.key, c.key) << c.text;
    EXPECT_EQ(r.number, c.number) << c.text;
  }
  EXPECT_TRUE(p->boxes.empty());
}

// The own date lines follow the shown language where the program built
// their label; what a user wrote into a file stays as it is.
TEST_F(CalendarTest, OwnDateLinesShownInTheInterfaceLanguage) {
  struct Case {
    const char* stored;
    int language;
    const char* shown;
  };
  const Case cases[] = {
      {"21/03    ( 21. März )", 2, "21/03    ( 21. Mar )"},
      {"21/06    ( 21. Juni )", 2, "21/06    ( 21. Jun )"},
      {"21/12    ( 21. Dezember )", 2, "21/12    ( 21. Dec )"},
      {"21/03    ( 21. März )", 1, "21/03    ( 21. März )"},
      {"07/10    ( 07. Oct )", 1, "07/10    ( 07. Okt )"},
      {"07/10    ( 07. Okt )", 2, "07/10    ( 07. Oct )"},
      {"07/10    ( Kirchweih )", 2, "07/10    ( Kirchweih )"},
      {"07/10", 2, "07/10"},
      {"no date", 2, "no date"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ownDateLineShown(c.stored, 2021, c.language), c.shown) << c.stored;
}

TEST_F(CalendarTest, CalendarRoutinesReadNoRecordAndShowNoBox) {
  // The year and the language are arguments: a record that says otherwise
  // changes nothing, and an invalid entry is only reported in the result
  // (the parameter window shows message 6; tests/ui).
  ScopedScriptedPlatform p;
  design().referenceYear = 2024;
  design().language = 1;
  EXPECT_FALSE(parseDayMonth("29/02", 2023, 2).ok);
  EXPECT_FALSE(parseDayMonth("", 2023, 2).ok);
  EXPECT_EQ(parseDayMonth("07/10", 2023, 2).label, "07. Oct");
  EXPECT_EQ(dateLabel(60, 2023, 2), "1. Mar");
  EXPECT_TRUE(p->boxes.empty());
}

TEST_F(CalendarTest, IsValidDayMonthEntryNamesTheRejectedEntry) {
  ScopedScriptedPlatform p;
  design().referenceYear = 2024;
  design().language = 1;
  EXPECT_TRUE(isValidDayMonthEntry("21/06    ( 21. Juni )"));
  EXPECT_FALSE(isValidDayMonthEntry(""));
  EXPECT_TRUE(p->boxes.empty());

  EXPECT_FALSE(isValidDayMonthEntry("31/04"));
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_EQ(p->boxes[0].text, "31/04: Datum fehlerhaft!");

  design().language = 2;
  EXPECT_FALSE(isValidDayMonthEntry("x"));
  ASSERT_EQ(p->boxes.size(), 2u);
  EXPECT_EQ(p->boxes[1].text, "x: Error in date!");
}

}  // namespace
}  // namespace tavrel
