// The year tables: their values against solarPosition at the same instants
// and against PyEphem, their layout, and the text and CSV files (read back
// with Python's csv module).
#include "tables/year_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_format.h"
#include "core/scripted_platform.h"
#include "base/number_text.h"
#include "table_test_util.h"
#include "tables/eot_pair_report.h"
#include "tables/rise_set_tables.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using test::readTsv;
using test::TablesTest;

// Index of the row of `day` in a year table: ten lines before the first
// blank line, a blank line before days 1, 6, ..., 26.
int rowIndex(int day) { return 8 + (day - 1) + (std::min(day, 26) + 4) / 5; }

std::string cellOf(const std::vector<std::string>& lines, int day, int month, int width) {
  return lines[rowIndex(day)].substr(3 + (month - 1) * (width + 1) + 1, width);
}

// "m:ss" or "-m:ss" in seconds.
double mssSeconds(const std::string& text) {
  const std::string t = text.substr(text.find_first_not_of(' '));
  const bool negative = t[0] == '-';
  int m = 0, s = 0;
  std::sscanf(t.c_str() + (negative ? 1 : 0), "%d:%d", &m, &s);
  return (negative ? -1 : 1) * (m * 60 + s);
}

class YearTablesTest : public TablesTest {
 protected:
  void SetUp() override {
    TablesTest::SetUp();
    design().latitude = 47.25;
    design().longitude = -9.55;
    design().zoneMeridian = -15;
    dir_ = fs::temp_directory_path() / ("tavrel-year-tables-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    TablesTest::TearDown();
  }
  fs::path dir_;
};

// Every cell is the value of solarPosition at 12 h zone time of its date
// (here CET: 11 h UT, x = day of year - 1/24).
TEST_F(YearTablesTest, CellsAreSolarPositionAtNoonZoneTime) {
  for (int year : {2024, 2023}) {
    const std::vector<std::string> eot = tableLines(yearTable(year, YearTableKind::Eot));
    const std::vector<std::string> decl = tableLines(yearTable(year, YearTableKind::Declination));
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 28; day += 3) {
        double declination = 0, e = 0;
        solarPosition(year, dayOfYear(year, month, day) - 1 / 24.0, declination, e);
        EXPECT_EQ(cellOf(eot, day, month, 6), formatMinutesSeconds(e)) << month << "/" << day;
        EXPECT_EQ(cellOf(decl, day, month, 6),
                  fixedText(roundHalfEven(declination * 1000) / 1000.0, 6, 2));
      }
  }
}

// Against PyEphem (tests/data/eot_year_reference.tsv, 2024, 12 h CET):
// the model's accuracy (1.4 s, 0.0022 degree, see README.md) plus the
// rounding of the table (0.5 s, 0.005 degree).
TEST_F(YearTablesTest, EquationOfTimeAndDeclinationAgreeWithPyEphem) {
  const auto ref = readTsv("eot_year_reference.tsv");
  const std::vector<std::string> eot = tableLines(yearTable(2024, YearTableKind::Eot));
  const std::vector<std::string> decl = tableLines(yearTable(2024, YearTableKind::Declination));
  double maxEot = 0, sumEot = 0, maxDecl = 0;
  for (const auto& r : ref.rows) {
    const int month = std::stoi(r.at("month")), day = std::stoi(r.at("day"));
    const double eotError = mssSeconds(cellOf(eot, day, month, 6)) - std::stod(r.at("eot_s"));
    const double declError = std::stod(cellOf(decl, day, month, 6)) - std::stod(r.at("declination_deg"));
    EXPECT_LE(std::fabs(eotError), 2.0) << month << "/" << day;
    EXPECT_LE(std::fabs(declError), 0.008) << month << "/" << day;
    maxEot = std::max(maxEot, std::fabs(eotError));
    sumEot += eotError * eotError;
    maxDecl = std::max(maxDecl, std::fabs(declError));
  }
  EXPECT_EQ(ref.rows.size(), 366u);
  std::printf("year table vs PyEphem: EoT max %.2f s, rms %.2f s; declination max %.4f degree\n",
              maxEot, std::sqrt(sumEot / ref.rows.size()), maxDecl);
}

TEST_F(YearTablesTest, LayoutOfTheEquationOfTimeTable) {
  const SolarTable t = yearTable(2000, YearTableKind::Eot);
  const std::vector<std::string> lines = tableLines(t);
  EXPECT_EQ(lines[0], "  Equation of Time in min:sec for 2000   (Zone meridian = -15.0° )");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "  [ Equation of Time = Local Apparent Time - Local Mean Time ]");
  EXPECT_EQ(lines[4], "  All values for 12 standard time (= 13 for Daylight Saving Time)!");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "      Jan    Feb    Mar    Apr    May    Jun    Jul    Aug    Sep    Oct    Nov    Dec");
  ASSERT_EQ(lines.size(), 8u + 31 + 6 + 1);
  for (int day = 1; day <= 31; ++day) {
    ASSERT_TRUE(lines[rowIndex(day)].starts_with(fixedText(day, 2, 0) + ". ")) << day;
    EXPECT_EQ(lines[rowIndex(day) - 1] == "", day % 5 == 1 && day <= 26) << day;
  }
  // 2000 has a 29 February; the 30th and 31st are blank cells.
  EXPECT_NE(cellOf(lines, 29, 2, 6), "      ");
  EXPECT_EQ(cellOf(lines, 30, 2, 6), "      ");
  EXPECT_EQ(cellOf(lines, 31, 4, 6), "      ");
  EXPECT_EQ(lines[rowIndex(31)].size(), 87u);
  // The screen drops the sixth line.
  std::vector<std::string> expected = lines;
  expected.erase(expected.begin() + 5);
  EXPECT_EQ(screenLines(t), expected);
}

struct LeapCase {
  int year;
  bool february29;
};

// 1900 is a common year, 2000 a leap year (Gregorian); 1500 is a leap
// year of the Julian calendar.
const LeapCase kLeapCases[] = {{2000, true}, {1900, false}, {1500, true}, {2023, false}};

TEST_F(YearTablesTest, TheTwentyNinthOfFebruary) {
  for (const LeapCase& c : kLeapCases)
    for (YearTableKind k : {YearTableKind::Eot, YearTableKind::Declination, YearTableKind::Transit}) {
      const int width = k == YearTableKind::Transit ? 8 : 6;
      const std::string cell = cellOf(tableLines(yearTable(c.year, k)), 29, 2, width);
      EXPECT_EQ(cell == std::string(width, ' '), !c.february29) << c.year;
    }
}

TEST_F(YearTablesTest, October1582) {
  const std::vector<std::string> eot = tableLines(yearTable(1582, YearTableKind::Eot));
  const std::vector<std::string> transit = tableLines(yearTable(1582, YearTableKind::Transit));
  for (int day = 1; day <= 31; ++day) {
    const bool gap = day >= 5 && day <= 14;
    EXPECT_EQ(eot[rowIndex(day)].substr(3 + 9 * 7, 7) == "   ----", gap) << day;
    EXPECT_EQ(transit[rowIndex(day)].substr(3 + 9 * 9, 9) == "   ----  ", gap) << day;
  }
  // 15 October follows 4 October: the equation of time moves by 13 s.
  EXPECT_NEAR(mssSeconds(cellOf(eot, 15, 10, 6)) - mssSeconds(cellOf(eot, 4, 10, 6)), 13, 3);
}

TEST_F(YearTablesTest, HeadersOfTheOtherKinds) {
  const std::vector<std::string> k1 = tableLines(yearTable(2024, YearTableKind::EotLongitude));
  EXPECT_EQ(k1[0], "  EoT + Longitude Correction in min:sec for 2024");
  EXPECT_EQ(k1[3], "  Civil Time = Local Apparent Time - Value in Table");
  EXPECT_EQ(k1[5], "  Correction for longitude  -9.55° =  21:48 min:sec   (Zone meridian =  -15.0° )");
  const std::vector<std::string> k2 = tableLines(yearTable(2024, YearTableKind::Declination));
  EXPECT_EQ(k2[0], "  Declination of Sun in dd.dd for 2024   (Zone meridian =  -15.0° )");
  const SolarTable t3 = yearTable(2024, YearTableKind::Transit);
  const std::vector<std::string> k3 = tableLines(t3);
  EXPECT_EQ(k3[0], "  Time of Meridian Passage (= 12 Local Apparent Time)");
  EXPECT_EQ(k3[4], "  Times in table are Standard Time of Zone Meridian but no DST, exact for Year 2024");
  EXPECT_EQ(k3[7],
            "      Jan      Feb      Mar      Apr      May      Jun      Jul      Aug      Sep      Oct      Nov      Dec");
  EXPECT_EQ(screenLines(t3).size(), k3.size() - 1);
  EXPECT_EQ(screenLines(t3)[3], k3[4]);  // the fourth line is gone
  EXPECT_EQ(screenLines(yearTable(2024, YearTableKind::EotLongitude))[4], k1[5]);  // the fifth
  // The EoT with the longitude correction is the EoT minus the correction.
  const std::vector<std::string> k0 = tableLines(yearTable(2024, YearTableKind::Eot));
  EXPECT_NEAR(mssSeconds(cellOf(k1, 10, 3, 6)), mssSeconds(cellOf(k0, 10, 3, 6)) - (5.45 * 240), 1.0);
}

struct TransitCase {
  double d;
  const char* text;
};

const TransitCase kTransitCases[] = {
    {1.12917, "12:04:31"},   {0, "12:00:00"},         {-0.25, "11:59:00"},
    {15.5, "13:02:00"},      {14.99999, "13:00:00"},  {-0.00001, "12:00:00"},
    {-3.5, "11:46:00"},      {14.9, "12:59:36"},
};

TEST_F(YearTablesTest, TransitTexts) {
  for (const TransitCase& c : kTransitCases) EXPECT_EQ(transitText(c.d), c.text) << c.d;
}

// Transit times: 12 h + (longitude - zone meridian - EoT) / 15 hours.
// 15 degrees west of the zone meridian they lie around 13 h ("12:" when
// the sundial is fast, "13:" when it is slow); a zone meridian 5 degrees
// west of the place gives "11:" all year.
TEST_F(YearTablesTest, TransitTimesAroundNoon) {
  struct Place {
    double longitude, zone;
    const char* hours;
  };
  const Place places[] = {{0, -15, "12:13:"}, {-20, -15, "11:"}};
  for (const Place& p : places) {
    design().longitude = p.longitude;
    design().zoneMeridian = p.zone;
    const std::vector<std::string> lines = tableLines(yearTable(2024, YearTableKind::Transit));
    std::map<std::string, int> hours;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 28; ++day) {
        const std::string cell = cellOf(lines, day, month, 8);
        double declination = 0, eot = 0;
        solarPosition(2024, dayOfYear(2024, month, day) + p.zone / 360, declination, eot);
        const double expected = 12 * 3600 + (p.longitude - p.zone - eot) * 240;
        int h = 0, m = 0, s = 0;
        ASSERT_EQ(std::sscanf(cell.c_str(), "%d:%d:%d", &h, &m, &s), 3) << cell;
        EXPECT_NEAR(h * 3600 + m * 60 + s, expected, 0.51) << cell;
        EXPECT_NE(std::string(p.hours).find(cell.substr(0, 3)), std::string::npos) << cell;
        ++hours[cell.substr(0, 3)];
      }
    // Each hour the place allows occurs.
    EXPECT_EQ(hours.size(), std::string(p.hours).size() / 3) << p.hours;
  }
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string readCsvWithPython(const fs::path& file, char separator) {
  const std::string command = "/usr/bin/python3 " + std::string(TAVREL_SOURCE_DIR) +
                              "/tests/tables/check_csv.py '" + file.string() + "' '" +
                              std::string(1, separator) + "'";
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    EXPECT_EQ(::pclose(pipe), 0) << command;
  } else {
    ADD_FAILURE() << "cannot run " << command;
  }
  return out;
}

TEST_F(YearTablesTest, CsvDayRowsHaveThirteenFieldsInAPythonReader) {
  for (YearTableKind kind : {YearTableKind::Eot, YearTableKind::Transit})
    for (char separator : {';', ','}) {
      const SolarTable t = yearTable(2024, kind);
      const fs::path file = dir_ / "Tabelle.csv";
      ASSERT_TRUE(saveTable(t, file.string(), TableFileFormat::Csv, separator));
      const std::string shape = readCsvWithPython(file, separator);
      EXPECT_TRUE(shape.starts_with("records=" + std::to_string(t.lines.size()) +
                                    " day_rows=31 widths=13 "))
          << shape;
      // The first day row: " 1." and the cells with their separating blank.
      const std::string firstRow = tableLines(t)[rowIndex(1)];
      std::string expected = "first_day= 1.";
      const int width = kind == YearTableKind::Transit ? 9 : 7;
      for (int k = 0; k < 12; ++k) expected += "|" + firstRow.substr(3 + k * width, width);
      EXPECT_NE(shape.find(expected), std::string::npos) << shape;
    }
}

TEST_F(YearTablesTest, CsvOfTheRiseSetTablesInAPythonReader) {
  const fs::path file = dir_ / "t.csv";
  ASSERT_TRUE(saveTable(monthRiseSetTable(2024, 2), file.string(), TableFileFormat::Csv, ','));
  EXPECT_TRUE(readCsvWithPython(file, ',').starts_with("records=44 day_rows=29 widths=10 "));
  ASSERT_TRUE(saveTable(halfYearSunTable(2024, 7), file.string(), TableFileFormat::Csv, ';'));
  EXPECT_TRUE(readCsvWithPython(file, ';').starts_with("records=43 day_rows=31 widths=19 "));
  const std::vector<std::string> csv = csvLines(monthRiseSetTable(2024, 2), ';');
  EXPECT_EQ(csv[3], "Date;Sun;;Twilight;;Moon;;EoT;Declin;");
  EXPECT_EQ(csv[4], ";rise;set;end;begin;rise;set;mm:ss;deg;");
  // Every field of a day row holds one value of the row.
  EXPECT_EQ(csv[5].substr(0, 24), "  1. ;   7:48; 17:23 ;  ");
}

TEST_F(YearTablesTest, TextAndCsvFilesAreWindows1252WithCrLf) {
  const SolarTable t = yearTable(2024, YearTableKind::Declination);
  const fs::path text = dir_ / "Tabelle.txt";
  ASSERT_TRUE(saveTable(t, text.string(), TableFileFormat::Text, ';'));
  std::string expected;
  for (const std::string& l : tableLines(t)) expected += l + "\r\n";
  // The degree sign is the one byte 0xB0 of Windows-1252.
  const std::size_t degree = expected.find("\xC2\xB0");
  ASSERT_NE(degree, std::string::npos);
  expected.replace(degree, 2, "\xB0");
  EXPECT_EQ(slurp(text), expected);
  const fs::path csv = dir_ / "Tabelle.csv";
  ASSERT_TRUE(saveTable(t, csv.string(), TableFileFormat::Csv, ';'));
  const std::string bytes = slurp(csv);
  EXPECT_TRUE(bytes.starts_with("  Declination of Sun in dd.dd for 2024   (Zone meridian =  -15.0\xB0 )\r\n"));
  EXPECT_EQ(bytes.find("\n", 0), bytes.find("\r\n") + 1);
  // Nothing but the table is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(YearTablesTest, SaveErrorKeepsNothingAndSaysSo) {
  ScopedScriptedPlatform p;
  const std::string path = (dir_ / "missing" / "Tabelle.txt").string();
  EXPECT_FALSE(saveTable(yearTable(2024, YearTableKind::Eot), path, TableFileFormat::Text, ';'));
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_EQ(p->boxes[0].text, "Open error: File  " + path);
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

TEST_F(YearTablesTest, SaveTableAsTakesTheNameAndAsksForTheSeparator) {
  ScopedScriptedPlatform p;
  p->fileNames.push_back((dir_ / "Tabelle.CSV").string());
  p->answers.push_back(MsgAnswer::No);  // No: the comma
  ASSERT_TRUE(saveTableAs(yearTable(2024, YearTableKind::Eot)));
  ASSERT_EQ(p->dialogs.size(), 1u);
  EXPECT_EQ(p->dialogs[0].filter, "Text file (*.TXT)|*.TXT|Excel file (*.CSV)|*.CSV");
  EXPECT_EQ(p->dialogs[0].initialName, "Table");
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(p->boxes[0].text, "Choose the CSV separator\n\rYes = standard (;) or No = comma (,)");
  const std::string bytes = slurp(dir_ / "Tabelle.csv");
  EXPECT_NE(bytes.find("\r\n 1., "), std::string::npos);
  // Cancelling the dialog writes nothing and asks nothing.
  EXPECT_FALSE(saveTableAs(yearTable(2024, YearTableKind::Eot)));
  EXPECT_EQ(p->boxes.size(), 1u);
}

// The filter chosen in the dialog decides the format and the extension,
// whatever extension the name was typed with.
TEST_F(YearTablesTest, SaveTableAsTakesTheFormatFromTheChosenFilter) {
  struct Case {
    const char* typed;
    int filter;  // 0 text, 1 CSV
    const char* written;
  };
  const Case cases[] = {
      {"Tabelle", 1, "Tabelle.csv"},
      {"Tabelle", 0, "Tabelle.txt"},
      {"Jahr.txt", 1, "Jahr.csv"},
      {"Liste.csv", 0, "Liste.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScopedScriptedPlatform p;
    p->fileNames.push_back((dir_ / c.typed).string());
    p->filterChoices.push_back(c.filter);
    p->answers.push_back(MsgAnswer::Yes);  // ";" when asked
    ASSERT_TRUE(saveTableAs(yearTable(2024, YearTableKind::Eot)));
    const std::string bytes = slurp(dir_ / c.written);
    ASSERT_FALSE(bytes.empty());
    // Only the CSV file asks for the separator and has it in its day rows.
    EXPECT_EQ(p->boxes.size(), c.filter == 1 ? 1u : 0u);
    EXPECT_EQ(bytes.find("\r\n 1.;") != std::string::npos, c.filter == 1);
    fs::remove(dir_ / c.written);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 0);
}

// The symmetric report: the series EoT by solar longitude and the half
// difference to the longitude of the same declination (180 - L), against
// PyEphem's EoT at those longitudes (tests/data/eot_by_longitude.tsv,
// 2022; the series is good to 3 s there, see README.md).
TEST_F(YearTablesTest, SymmetricEotReportAgainstPyEphem) {
  const EotPairReport r = eotPairReport(72, 2022);
  ASSERT_EQ(r.rows.size(), 73u);
  EXPECT_EQ(eotPairPrintHeader(r), " nr    lam   delta   EoT[s]  Eotsym   (72 Zeilen)");
  const auto ref = readTsv("eot_by_longitude.tsv");
  std::map<int, double> ephemEot;
  for (const auto& row : ref.rows) ephemEot[std::stoi(row.at("longitude_deg"))] = std::stod(row.at("eot_s"));
  ASSERT_EQ(ephemEot.size(), 24u);
  for (const auto& [longitude, eot] : ephemEot) {
    const auto& row = r.rows[longitude / 5];
    EXPECT_EQ(std::stod(row[1]), longitude);
    EXPECT_NEAR(std::stod(row[3]), eot, 3.0) << longitude;
    const double mirror = ephemEot.at(((180 - longitude) % 360 + 360) % 360);
    EXPECT_NEAR(std::stod(row[4]), (eot - mirror) / 2, 3.0) << longitude;
  }
}

TEST_F(YearTablesTest, SymmetricEotReportFiles) {
  ScopedScriptedPlatform p;
  const EotPairReport r = eotPairReport(120, 2024);
  const std::vector<std::string> text = eotPairLines(r, false);
  ASSERT_EQ(text.size(), 122u);
  EXPECT_EQ(std::count(text[5].begin(), text[5].end(), '/'), 7);
  const std::vector<std::string> csv = eotPairLines(r, true);
  EXPECT_EQ(csv[0], "nr;lam;delta;EoT[s];Eotsym;m:ss;Vgl. Kepler;Vgl. Reihe");
  EXPECT_EQ(std::count(csv[5].begin(), csv[5].end(), ';'), 7);
  EXPECT_EQ(csv[5].find(' '), std::string::npos);

  p->fileNames.push_back((dir_ / "EoT-Paare.csv").string());
  ASSERT_TRUE(saveEotPairReportAs(r));
  EXPECT_EQ(p->dialogs[0].initialName, "EoT-Paare");
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].text, (dir_ / "EoT-Paare.csv").string() + " saved!");
  std::string expected;
  for (const std::string& l : csv) expected += l + "\r\n";
  EXPECT_EQ(slurp(dir_ / "EoT-Paare.csv"), expected);
  // Cancelled: message 1.
  EXPECT_FALSE(saveEotPairReportAs(r));
  EXPECT_EQ(p->boxes.back().text, "Action cancelled!");
  // Not writable: "Save error: File  " and the name.
  EXPECT_FALSE(saveEotPairReport(r, (dir_ / "no" / "x.txt").string(), false));
  EXPECT_EQ(p->boxes.back().text, "Save error: File  " + (dir_ / "no" / "x.txt").string());
  EXPECT_EQ(p->boxes.back().caption, MsgCaption::Error);
}

}  // namespace
}  // namespace tavrel
