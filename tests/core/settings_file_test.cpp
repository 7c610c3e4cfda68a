// The settings and construction-data files: layout, round trip, the
// reader's rules for faulty values, encodings, and the questions the reader
// asks about missing or damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "astro/solar_ephemeris.h"
#include "core/design_fields.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/settings_file.h"
#include "settings_test_support.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

struct FieldValue {
  const char* field;
  const char* value;
};

void setFields(const std::vector<FieldValue>& values) {
  for (const FieldValue& v : values)
    ASSERT_EQ(setDesignField(design(), v.field, v.value), std::nullopt) << v.field;
}

class SettingsFileTest : public SettingsTestBase {};

// --- Layout -------------------------------------------------------------

// The record after start-up, written as "Save Sundial Data" writes it,
// equals the file built by make_settings_fixtures.py with Python's own
// number formatting and cp1252 codec.
TEST_F(SettingsFileTest, StartupRecordIsWrittenInTheHistoricLayout) {
  ASSERT_TRUE(writeSettingsFile(path("myDial.tav")));
  const std::string expected = fixtureBytes("startup_defaults.tav");
  const std::string actual = readBytes(path("myDial.tav"));
  if (actual != expected) {
    writeBytes(kSettingsFixtures + "startup_defaults.tav.actual", actual);
    const auto a = crlfLines(actual), e = crlfLines(expected);
    for (std::size_t i = 0; i < std::min(a.size(), e.size()); ++i)
      ASSERT_EQ(a[i], e[i]) << "first difference in line " << i;
    FAIL() << "line counts differ: " << a.size() << " vs " << e.size();
  }
  // The written examples of the file format (blanks as written).
  const auto lines = crlfLines(actual);
  EXPECT_EQ(lines[1], " 47.251315;       47.25");
  EXPECT_EQ(lines[2], " -9.590825;      -15.00");
  EXPECT_EQ(lines[3], "      -15.00");
  EXPECT_EQ(lines[4], " 35.00; 51.00;  250.00;    270");
  EXPECT_EQ(lines[8], "13;  90.0;   5.00;   2");
  EXPECT_EQ(lines[18], "[Farben]");
  EXPECT_EQ(lines[31], "[Zeiten]");
  EXPECT_EQ(lines[47], "[Datumslinien]");
  EXPECT_EQ(lines[9].size(), 37u);
  EXPECT_EQ(lines[48], "21/03    ( 21. M\xE4rz )");  // Windows-1252 on disk
  // The success box: path, two blanks, " gespeichert!".
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(platform_->boxes[0].text, path("myDial.tav") + "  " + messageText(58));
}

TEST_F(SettingsFileTest, DialKindCodes) {
  struct Case {
    std::vector<FieldValue> set;
    const char* code;
  };
  const Case cases[] = {
      {{{"dialKind", "v"}, {"umbrellaMode", "true"}}, "sv"},
      {{{"dialKind", "h"}, {"umbrellaMode", "true"}}, "sh"},
      {{{"dialKind", "q"}, {"quadrantVariant", "2"}}, "q2"},
      {{{"dialKind", "c"}}, "c0"},
      {{{"dialKind", "m"}, {"hollanderVariant", "2"}}, "m2"},
      {{{"dialKind", "z"}, {"cylinderVariant", "1"}}, "z1"},
      {{{"dialKind", "w"}}, "w"},
      {{{"dialKind", "o"}}, "o"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    design().umbrellaMode = false;
    setFields(c.set);
    EXPECT_EQ(buildSettingsText(false)[10], c.code);
  }
}

// --- Round trip ---------------------------------------------------------

// Every field the file stores, set to a value unlike its start-up value:
// southern and eastern coordinates, the Hollander code "m2", English,
// umlauts and Windows-1252 punctuation in the own date lines. Values carry
// no more decimals than the file writes for them.
const std::vector<FieldValue> kStoredFields = {
    {"referenceYear", "1999"},
    {"latitude", "-33.865143"},          {"latitude2", "-12.34"},
    {"longitude", "-151.209296"},        {"longitude2", "123.45"},
    {"zoneMeridian", "-150"},
    {"gnomonLength", "47.5"},            {"cylinderGnomonLength", "60.25"},
    {"cylinderRadius", "123.45"},        {"shepherdScaleLength", "333"},
    {"cylinderGnomonLengthInt", "99"},   {"altitudeHorizontalScale", "222"},
    {"altitudeMonthScale", "111"},       {"altitudeDialGnomonLength", "44"},
    {"drawingScale", "65000000"},        {"quadrantSize", "199"},
    {"habermelDiameter", "155.5"},
    {"wallDeclination", "-123.456789"},  {"wallDeclination2", "-98.765432"},
    {"planeInclination", "123.456789"},  {"coneAxisInclination", "146.134857"},
    {"coneHalfAngle", "20.5"},
    {"analemmaMarkHour", "9"},           {"sawyerCentre", "456.7"},
    {"sawyerLineAngle", "7.25"},         {"sawyerTimeMode", "3"},
    {"dateLineMode", "2"},               {"eotLineInterval", "6"},
    {"linesToStyleFoot", "true"},        {"sawyerMeanStraight", "false"},
    {"localTimeNoEot", "false"},         {"markAnalemma", "false"},
    {"babylonianHours", "true"},         {"italianHours", "true"},
    {"sunAltitudeLines", "true"},        {"temporalHourLines", "true"},
    {"quadrantMirrored", "true"},        {"constructionWithEot", "true"},
    {"zoneTime", "true"},                {"localTime", "false"},
    {"januaryOutside", "true"},          {"eotLinesOwnMeridian", "false"},
    {"halfYearMonthScale", "true"},      {"cylinderWithEot", "true"},
    {"hourLineInterval", "4"},           {"withVerticalDial", "false"},
    {"wholeYearQuadrant", "true"},       {"umbrellaLocalTime", "true"},
    {"drawPoleTriangle", "true"},        {"withEot", "true"},
    {"analemmaMarkDays", "4"},           {"showDateCircles", "false"},
    {"ringRayDeflection", "2"},          {"noonLineHorizontal", "false"},
    {"ringOldHoursPart", "1"},
    {"lineWidth", "3"},                  {"hollanderVertical", "true"},
    {"secondPlaneVertical", "true"},     {"hollanderVariant", "2"},
    {"azimuthHeightMode", "2"},          {"azimuthDialKind", "0"},
    {"zodiacScale", "2"},                {"integerSunshineLines", "true"},
    {"dialKind", "m"},
    {"hourLinesFrom", "5"},              {"hourLinesTo", "22"},
    {"germanSelected", "false"},         {"language", "2"},
    {"stringOffset", "2000"},            {"expertMode", "false"},
    {"mapOverlay", "false"},             {"mapFrontiers", "false"},
    {"mapCoastlines", "false"},          {"childWindowsNormal", "false"},
    {"umbrellaRadiusRatio", "-0.25"},    {"ringDiameter", "275.5"},
    {"ringWidth", "12.75"},              {"ringAlpha", "45.5"},
    {"habermelGnomonLength", "7.5"},     {"sawyerUnit", "250"},
    {"peaucellierParameter", "1.2345"},
    {"gnomonHoleOffset", "-5.5"},        {"gnomonHoleOffsetMax", "20.25"},
    {"gnomonHoleOffsetMin", "-3.75"},
    {"colors[0]", "1"},        {"colors[1]", "2"},        {"colors[2]", "16777215"},
    {"colors[3]", "4"},        {"colors[4]", "5"},        {"colors[5]", "6"},
    {"colors[6]", "7"},        {"colors[7]", "8"},        {"colors[8]", "9"},
    {"colors[9]", "10"},       {"colors[10]", "11"},      {"colors[11]", "12"},
    {"eotLinesFrom", "3"},               {"eotLinesTo", "21"},
    {"babylonianFrom", "2"},             {"babylonianTo", "13"},
    {"italianFrom", "6"},                {"italianTo", "23"},
    {"temporalFrom", "2"},               {"temporalTo", "10"},
    {"altitudeFrom", "30"},              {"altitudeTo", "80"},
    {"otherHoursFrom", "4"},             {"otherHoursTo", "20"},
    {"otherTemporalFrom", "3"},          {"otherTemporalTo", "9"},
    {"babylonianInterval", "3"},         {"italianInterval", "2"},
    {"temporalInterval", "3"},           {"altitudeInterval", "2"},
    {"otherHourInterval", "3"},          {"temporalIntervalOther", "2"},
    {"ownDateLines[0]", "01/01    ( 01. Jan \xE2\x80\x9ENeujahr\xE2\x80\x9C )"},
    {"ownDateLines[1]", "15/08    ( 15. Aug Mari\xC3\xA4 Himmelfahrt )"},
    {"ownDateLines[2]", "24/12    ( 24. Dec Gl\xC3\xBChwein \xE2\x82\xAC )"},
    {"ownDateLines[3]", "31/12    ( 31. Dec \xC3\x9F )"},
};

// Fields the file does not hold: the calculation date, the computed
// tables, window and session state, and the few dial settings the format
// has no place for. The dial variants of other kinds and umbrellaMode go
// with the dial-kind code (DialKindCodesSurviveARoundTrip); temporalHours
// with position 12 of the flag string (ReaderRulesForFaultyValues).
const std::set<std::string> kNotStored = {
    "calcDay", "calcMonth", "calcYear", "calcTime", "calcTimeOffset",
    "meanObliquity", "obliquityRounded", "declinationByLongitude[]", "zodiacDeclination[]",
    "twilightKind", "zoneWarningPending", "cylinderOption", "dateLinesPerMonth",
    "sawyerMeanHalfAnalemma", "peaucellierVariant", "timeFromPosition1", "shepherdMaxShadow",
    "azimuthObserverDistance", "azimuthBasePlate", "hamStretch", "hamEquinoxPosition", "hamDiameter",
    "extendTemporalHours", "includeAzimuthLines", "drawEcliptic", "savedColors[]",
    "plotLineWidth", "paperA4", "planarPlotOption", "writeCorrectionFile", "expertModeActive",
    "useHtmlHelp", "decimalDegreeInput", "showHints", "inputValid", "wizardStep",
    "largeScreen", "largeFonts", "exeDirectory", "workingDirectory", "settingsFileName",
    "dateSettingsFileName", "versionText",
    "umbrellaMode", "quadrantVariant", "cylinderVariant", "temporalHours"};

std::string baseName(const std::string& field) {
  const auto open = field.find('[');
  return open == std::string::npos ? field : field.substr(0, open) + "[]";
}

TEST_F(SettingsFileTest, WritingThenReadingRestoresEveryStoredField) {
  // Every field of the record is accounted for, so that a new field needs a
  // decision here.
  std::set<std::string> covered = kNotStored;
  for (const FieldValue& v : kStoredFields) covered.insert(baseName(v.field));
  for (const std::string& name : designFieldNames())
    EXPECT_TRUE(covered.count(name)) << name << " is neither in the round trip nor excluded";

  const DesignState fresh = design();
  design().ownDateLines.clear();
  setFields(kStoredFields);
  for (const FieldValue& v : kStoredFields)
    EXPECT_NE(getDesignField(fresh, v.field), std::string(v.value))
        << v.field << " equals its start-up value and proves nothing";

  ASSERT_TRUE(writeSettingsFile(path("odd.tav")));
  design() = fresh;  // the started program, then "Load Sundial Data"
  platform_->boxes.clear();
  const SettingsReadResult r = readSettingsFile(path("odd.tav"), prepareObliquity);
  EXPECT_EQ(r.status, SettingsReadStatus::Complete);
  EXPECT_TRUE(platform_->boxes.empty()) << platform_->boxes[0].text;
  for (const FieldValue& v : kStoredFields)
    EXPECT_EQ(getDesignField(design(), v.field), std::string(v.value)) << v.field;
  EXPECT_EQ(design().ownDateLines.size(), 4u);
}

TEST_F(SettingsFileTest, DialKindCodesSurviveARoundTrip) {
  struct Case {
    std::vector<FieldValue> set;
    char dialKind;
    bool umbrella;
    int quadrant, cylinder, hollander;
  };
  const Case cases[] = {
      {{{"dialKind", "v"}, {"umbrellaMode", "true"}}, 'v', true, 0, 0, 0},
      {{{"dialKind", "i"}, {"umbrellaMode", "true"}}, 'i', true, 0, 0, 0},
      {{{"dialKind", "m"}, {"hollanderVariant", "2"}}, 'm', false, 0, 0, 2},
      {{{"dialKind", "z"}, {"cylinderVariant", "2"}}, 'z', false, 0, 2, 0},
      {{{"dialKind", "q"}, {"quadrantVariant", "1"}}, 'q', false, 1, 0, 0},
      {{{"dialKind", "c"}}, 'c', false, 0, 0, 0},
      {{{"dialKind", "r"}}, 'r', false, 0, 0, 0},
      {{{"dialKind", "p"}}, 'p', false, 0, 0, 0},
  };
  const DesignState fresh = design();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialKind);
    design() = fresh;
    setFields(c.set);
    ASSERT_TRUE(writeSettingsFile(path("kind.tav")));
    design() = fresh;
    design().dialKind = 'a';
    design().umbrellaMode = !c.umbrella;
    readSettingsFile(path("kind.tav"), prepareObliquity);
    EXPECT_EQ(design().dialKind, c.dialKind);
    EXPECT_EQ(design().umbrellaMode, c.umbrella);
    EXPECT_EQ(design().quadrantVariant, c.quadrant);
    EXPECT_EQ(design().cylinderVariant, c.cylinder);
    EXPECT_EQ(design().hollanderVariant, c.hollander);
  }
}

// --- The reader's rules -------------------------------------------------

struct ReaderCase {
  const char* what;
  std::vector<std::pair<int, std::string>> edits;  // line index, new text (index = size appends)
  std::vector<FieldValue> before;                  // set before reading
  std::vector<FieldValue> expect;                  // after reading
  int stopLine;                                    // line named by the question; 0 = none
  std::vector<std::string> boxes;                  // error boxes before the question ({path})
};

const std::string kFlags = "00njjjnnnnnn0njnnj1jnnnn1jj1j1nn0110n";  // start-up defaults

std::string flagsWith(std::size_t pos, char c) {
  std::string s = kFlags;
  s[pos] = c;
  return s;
}

const char* kFaulty = " : INI-Datei ist fehlerhaft!";

std::vector<ReaderCase> readerCases() {
  const std::string f = kFaulty;
  return {
      {"latitude 95 stops at line 2; nothing after is read",
       {{0, "1999"}, {1, " 95.000000;       10.00"}, {3, "      -30.00"}},
       {{"zoneMeridian", "-45"}, {"latitude2", "5"}},
       {{"referenceYear", "1999"}, {"latitude", "47.25"}, {"latitude2", "5"},
        {"zoneMeridian", "-45"}},
       2, {}},
      {"latitude2 above 90 is replaced too",
       {{1, " 10.000000;       91.00"}}, {}, {{"latitude", "10"}, {"latitude2", "47.25"}}, 2, {}},
      {"both latitudes zero become 1e-6", {{1, "0;0"}}, {},
       {{"latitude", "1e-06"}, {"latitude2", "1e-06"}}, 0, {}},
      {"a line 1 with one value keeps latitude2", {{1, "12.5"}}, {{"latitude2", "5"}},
       {{"latitude", "12.5"}, {"latitude2", "5"}}, 0, {}},
      {"1-2 is no number", {{2, "1-2;3"}}, {},
       {{"longitude", "-9.59"}}, 3, {}},
      {"zone meridian beyond 180", {{3, "  190.00"}}, {}, {{"zoneMeridian", "-15"}}, 4, {}},
      {"line 4 takes only conversion errors", {{4, " 35.00;x;  250.00;    270"}}, {},
       {{"gnomonLength", "35"}, {"cylinderGnomonLength", "40"}}, 5, {}},
      {"line 5: empty items stay, bad integers get their replacement, item 7 stops",
       {{5, "70,,x,25,100,150,abc"}},
       {{"altitudeHorizontalScale", "111"}, {"habermelDiameter", "150"}},
       {{"altitudeHorizontalScale", "111"}, {"altitudeMonthScale", "150"},
        {"habermelDiameter", "200"}},
       6, {}},
      {"cone axis below 1", {{7, "  25.458900;  0.500000; 12.000000"}}, {},
       {{"coneAxisInclination", "47.251315"}}, 8,
       {"Line 7:0.500000; 12.000000" + f}},
      {"cone axis below 1 at a southern latitude", {{1, "-33.000000; 47.25"},
        {7, "  25.458900; x"}}, {},
       {{"latitude", "-33"}, {"coneAxisInclination", "147"}}, 8, {"Line 7:x" + f}},
      {"cone half angle above 86", {{7, "  25.458900; 40.000000; 90.000000"}}, {},
       {{"coneAxisInclination", "40"}, {"coneHalfAngle", "20"}}, 8,
       {"In Line 7:90.000000" + f}},
      {"analemma hour that is no integer", {{8, "13.5;  90.0;   5.00;   2"}}, {},
       {{"analemmaMarkHour", "12"}}, 0, {}},
      {"Sawyer centre beyond 900", {{8, "13; 950.0;   5.00;   2"}}, {},
       {{"sawyerCentre", "90"}}, 9, {"Line 8:950.0;   5.00;   2" + f}},
      {"Sawyer line angle above 11", {{8, "13;  90.0;  12.00;   2"}},
       {{"sawyerLineAngle", "7"}}, {{"sawyerLineAngle", "5"}}, 9, {"In Line 8:12.00" + f}},
      {"Sawyer time mode above 4", {{8, "13;  90.0;   5.00;   5"}}, {{"sawyerTimeMode", "0"}},
       {{"sawyerTimeMode", "2"}}, 9, {"In Line 8:5" + f}},
      {"a 20-character flag string stops at position 24",
       {{9, kFlags.substr(0, 20)}, {11, "5"}},
       {{"wholeYearQuadrant", "true"}, {"umbrellaLocalTime", "true"},
        {"drawPoleTriangle", "true"}, {"withEot", "true"}, {"showDateCircles", "false"},
        {"hourLinesFrom", "3"}},
       {{"wholeYearQuadrant", "false"}, {"umbrellaLocalTime", "false"},
        {"drawPoleTriangle", "false"}, {"withEot", "false"}, {"analemmaMarkDays", "0"},
        {"showDateCircles", "false"}, {"hourLinesFrom", "3"}},
       10, {}},
      {"leading blanks of the flag string are removed", {{9, "   " + flagsWith(2, 'j')}}, {},
       {{"linesToStyleFoot", "true"}}, 0, {}},
      {"position 12 holding 2 keeps zoneTime", {{9, flagsWith(12, '2')}},
       {{"zoneTime", "true"}, {"localTime", "false"}},
       {{"temporalHours", "true"}, {"zoneTime", "true"}, {"localTime", "false"}}, 0, {}},
      {"position 12 j is zone time", {{9, flagsWith(12, 'j')}}, {{"temporalHours", "true"}},
       {{"zoneTime", "true"}, {"localTime", "false"}, {"temporalHours", "false"}}, 0, {}},
      {"position 17 is never read back", {{9, flagsWith(17, 'n')}}, {{"localTime", "false"}},
       {{"localTime", "true"}}, 0, {}},
      {"date-line mode outside 0..3", {{9, flagsWith(0, '4')}}, {{"dateLineMode", "2"}},
       {{"dateLineMode", "0"}}, 10, {}},
      {"EoT interval 5 is taken, 7 stops", {{9, flagsWith(1, '7')}},
       {{"eotLineInterval", "3"}}, {{"eotLineInterval", "0"}}, 10, {}},
      {"hour interval 9 stops", {{9, flagsWith(18, '9')}}, {}, {{"hourLineInterval", "0"}}, 10, {}},
      {"ray deflection 3 stops", {{9, flagsWith(27, '3')}}, {}, {{"ringRayDeflection", "0"}}, 10,
       {}},
      {"a line width that is no digit stops", {{9, flagsWith(29, 'x')}}, {{"lineWidth", "2"}},
       {{"lineWidth", "2"}}, 10, {}},
      {"the last digits fall back without a stop",
       {{9, kFlags.substr(0, 32) + "9x"}},
       {{"hollanderVariant", "5"}, {"azimuthHeightMode", "2"}, {"azimuthDialKind", "1"},
        {"zodiacScale", "2"}, {"integerSunshineLines", "true"}},
       {{"hollanderVariant", "0"}, {"azimuthHeightMode", "0"}, {"azimuthDialKind", "0"},
        {"zodiacScale", "0"}, {"integerSunshineLines", "true"}},
       0, {}},
      {"an absent azimuth height mode is 1", {{9, kFlags.substr(0, 33)}},
       {{"azimuthHeightMode", "2"}}, {{"azimuthHeightMode", "1"}}, 0, {}},
      {"c1 selects the Hollander dial", {{10, "c1"}}, {}, {{"dialKind", "m"}}, 0, {}},
      {"c0 selects the bi-azimuthal dial", {{10, "c0"}}, {}, {{"dialKind", "c"}}, 0, {}},
      {"sv selects the vertical umbrella dial", {{10, "sv"}}, {{"dialKind", "h"}},
       {{"dialKind", "v"}, {"umbrellaMode", "true"}}, 0, {}},
      {"a cylinder variant that is no digit is 0", {{10, "zx"}}, {{"cylinderVariant", "2"}},
       {{"dialKind", "z"}, {"cylinderVariant", "0"}}, 0, {}},
      {"a letter that names no dial keeps the kind", {{10, "x"}}, {{"dialKind", "h"}},
       {{"dialKind", "h"}}, 0, {}},
      {"hour 25 in line 11", {{11, "25"}}, {}, {{"hourLinesFrom", "7"}}, 12, {}},
      {"no integer in line 12", {{12, "x"}}, {{"hourLinesTo", "21"}}, {{"hourLinesTo", "21"}}, 13,
       {}},
      {"English and mixed flags in line 13", {{13, "Ejnjn"}}, {},
       {{"germanSelected", "false"}, {"language", "2"}, {"stringOffset", "2000"},
        {"expertMode", "true"}, {"mapOverlay", "false"}, {"mapFrontiers", "true"},
        {"mapCoastlines", "false"}},
       0, {}},
      {"an empty line 13 is German with every flag off", {{13, ""}},
       {{"germanSelected", "false"}, {"language", "2"}},
       {{"germanSelected", "true"}, {"language", "1"}, {"expertMode", "false"},
        {"mapCoastlines", "false"}},
       0, {}},
      {"only exactly false in line 14", {{14, "False"}}, {{"childWindowsNormal", "false"}},
       {{"childWindowsNormal", "true"}}, 0, {}},
      {"line 15 drops later minus signs", {{15, "0.35;150;-80;30"}}, {},
       {{"umbrellaRadiusRatio", "0.35"}, {"ringDiameter", "150"}, {"ringWidth", "80"},
        {"ringAlpha", "30"}},
       0, {}},
      {"ring diameter 350 becomes 110 silently", {{15, "   0.350000; 350.00;  80.00; 30.0"}}, {},
       {{"ringDiameter", "110"}}, 0, {}},
      {"ring angle above 90 becomes 50 silently", {{15, "0.35;150;80;95"}}, {},
       {{"ringAlpha", "50"}}, 0, {}},
      {"a bad ring width", {{15, "0.35;150;.;30"}}, {}, {{"ringWidth", "50"}}, 0,
       {"Line 16/3" + f}},
      {"a bad umbrella ratio keeps the old one", {{15, "-.;150;80;30"}},
       {{"umbrellaRadiusRatio", "0.2"}}, {{"umbrellaRadiusRatio", "0.2"}}, 0, {"Line 16/1" + f}},
      {"line 15 without a semicolon", {{15, "  -0.500000"}}, {},
       {{"umbrellaRadiusRatio", "-0.5"}}, 0, {}},
      {"line 15 without a semicolon, bad", {{15, "abc"}}, {}, {}, 0, {"Line 15" + f}},
      {"line 16: Habermel gnomon below 1, unit below 10, parameter beyond 1.99",
       {{16, "    0.5;     5;   2.5000"}}, {},
       {{"habermelGnomonLength", "2"}, {"sawyerUnit", "32"}, {"peaucellierParameter", "-0.9876"}},
       0, {"Line 17/1" + f, "In Line 16:5" + f, "In Line 16:2.5000" + f}},
      {"line 16: a fourth value is the Sawyer time mode", {{16, "   12.0;    40;  0.5;  1"}},
       {}, {{"habermelGnomonLength", "12"}, {"sawyerUnit", "40"}, {"sawyerTimeMode", "1"}},
       0, {}},
      {"line 16 sets its defaults first", {{16, "   12.0"}},
       {{"sawyerUnit", "200"}, {"peaucellierParameter", "1"}},
       {{"sawyerUnit", "32"}, {"peaucellierParameter", "-0.8749"}}, 0, {}},
      {"gnomon hole offset above 23.44", {{17, "  30.00;  11.72; -11.72"}}, {},
       {{"gnomonHoleOffset", "0"}}, 18, {}},
      {"gnomon hole limits of the wrong sign", {{17, "   1.00;  -1.00;   2.00"}}, {},
       {{"gnomonHoleOffset", "1"}, {"gnomonHoleOffsetMax", "11.72"},
        {"gnomonHoleOffsetMin", "-11.72"}},
       0, {"In Line 17:-1.00" + f, "In Line 17:2.00" + f}},
      {"an empty colour line keeps its colour", {{19, ""}}, {{"colors[0]", "123"}},
       {{"colors[0]", "123"}, {"colors[1]", "16711680"}}, 0, {}},
      {"a colour that is no integer stops", {{20, "red"}}, {{"colors[1]", "7"}},
       {{"colors[1]", "7"}}, 21, {}},
      {"EoT lines from 25", {{32, "25"}}, {}, {{"eotLinesFrom", "8"}}, 33, {}},
      {"altitude from 5", {{40, "5"}}, {}, {{"altitudeFrom", "10"}}, 41, {}},
      {"an hour line that is no integer stops without replacement", {{34, "x"}},
       {{"babylonianFrom", "3"}}, {{"babylonianFrom", "3"}}, 35, {}},
      {"interval digits", {{46, "  3213"}}, {},
       {{"babylonianInterval", "3"}, {"italianInterval", "2"}, {"temporalInterval", "1"},
        {"altitudeInterval", "3"}, {"otherHourInterval", "0"}, {"temporalIntervalOther", "0"}},
       0, {}},
      {"a non-digit interval stops", {{46, "01x100"}}, {{"temporalInterval", "2"}},
       {{"babylonianInterval", "0"}, {"temporalInterval", "2"}}, 47, {}},
      {"the interval of the other pages must be a digit too", {{46, "0101\xD2" "0"}},
       {{"otherHourInterval", "2"}}, {{"otherHourInterval", "2"}}, 47, {}},
      {"an umlaut in the flag string is one position",
       {{9, flagsWith(2, '\xE4')}}, {{"hourLineInterval", "3"}, {"linesToStyleFoot", "true"}},
       {{"linesToStyleFoot", "false"}, {"hourLineInterval", "1"}}, 0, {}},
      {"31 April in the date section", {{51, "31/04    ( 31. Apr )"}}, {},
       {{"ownDateLines[0]", "21/03    ( 21. M\xC3\xA4rz )"}}, 0,
       {"31/04    ( 31. Apr ): " + messageText(57),
        "Fehlerhaftes Datum 31/04    ( 31. Apr ) in {path}"}},
      {"a reference year that is no integer", {{0, "20x4"}}, {}, {{"referenceYear", "2020"}}, 0,
       {}},
  };
}

TEST_F(SettingsFileTest, ReaderRulesForFaultyValues) {
  const std::vector<std::string> base = crlfLines(fixtureBytes("startup_defaults.tav"));
  ASSERT_EQ(base.size(), 51u);
  const DesignState started = design();
  for (const ReaderCase& c : readerCases()) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> lines = base;
    for (const auto& [index, text] : c.edits) {
      if (index == static_cast<int>(lines.size())) lines.push_back(text);
      else lines.at(static_cast<std::size_t>(index)) = text;
    }
    const std::string file = path("tav.ini");
    writeBytes(file, joinCrlf(lines));
    design() = started;
    setFields(c.before);
    platform_->boxes.clear();

    const SettingsReadResult r = readSettingsFile(file, prepareObliquity);

    for (const FieldValue& v : c.expect)
      EXPECT_EQ(getDesignField(design(), v.field), std::string(v.value)) << v.field;
    std::vector<RecordedBox> boxes = platform_->boxes;
    if (c.stopLine) {
      EXPECT_EQ(r.status, SettingsReadStatus::StoppedAtFault);
      EXPECT_EQ(r.faultLine, c.stopLine);
      ASSERT_FALSE(boxes.empty());
      const RecordedBox question = boxes.back();
      boxes.pop_back();
      EXPECT_EQ(question.caption, MsgCaption::Problem);
      EXPECT_EQ(question.icon, MsgIcon::Question);
      EXPECT_EQ(question.buttons, MsgButtons::YesNo);
      EXPECT_EQ(question.text,
                "tav.ini : line " + std::to_string(c.stopLine) + "\n\r" + messageText(14));
    } else {
      EXPECT_EQ(r.status, SettingsReadStatus::Complete);
    }
    ASSERT_EQ(boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      std::string expected = c.boxes[i];
      if (const auto at = expected.find("{path}"); at != std::string::npos)
        expected.replace(at, 6, file);
      EXPECT_EQ(boxes[i].text, expected);
      EXPECT_EQ(boxes[i].caption, MsgCaption::Error);
    }
    // The value faults of the file show the question-mark icon.
    for (const RecordedBox& b : boxes) {
      if (b.text.ends_with(kFaulty)) {
        EXPECT_EQ(b.icon, MsgIcon::Question);
      }
    }
  }
}

// --- Encodings ----------------------------------------------------------

TEST_F(SettingsFileTest, HistoricWindows1252FileAndItsUtf8TwinReadTheSame) {
  const std::string historic = fixtureBytes("historic_cp1252.tav");
  // The fixture really is the historic form: a Windows-1252 umlaut byte and
  // CR LF line ends.
  ASSERT_NE(historic.find("Mari\xE4 Himmelfahrt"), std::string::npos);
  ASSERT_NE(historic.find("\r\n"), std::string::npos);
  const std::string twin = fixtureBytes("historic_utf8_lf.tav");
  ASSERT_EQ(twin.find('\r'), std::string::npos);

  const DesignState started = design();
  const std::vector<std::string> expectedDates = {
      "21/03    ( 21. M\xC3\xA4rz )", "15/08    ( 15. Aug Mari\xC3\xA4 Himmelfahrt )",
      "03/10    ( 03. Okt Tag der Deutschen Einheit )",
      "24/12    ( 24. Dez Heiligabend \xE2\x80\x93 Gl\xC3\xBChwein )"};
  for (const char* name : {"historic_cp1252.tav", "historic_utf8_lf.tav"}) {
    SCOPED_TRACE(name);
    design() = started;
    EXPECT_EQ(readSettingsFile(kSettingsFixtures + name, prepareObliquity).status, SettingsReadStatus::Complete);
    EXPECT_TRUE(platform_->boxes.empty());
    EXPECT_EQ(design().ownDateLines, expectedDates);
    EXPECT_EQ(design().referenceYear, 1998);
    EXPECT_EQ(design().dialKind, 'v');
    EXPECT_TRUE(design().umbrellaMode);
    EXPECT_TRUE(design().zoneTime);
    EXPECT_DOUBLE_EQ(design().latitude2, -12.5);
    // Written again, both give the historic bytes exactly.
    ASSERT_TRUE(writeSettingsFile(path("again.tav")));
    EXPECT_EQ(readBytes(path("again.tav")), historic);
    platform_->boxes.clear();
  }
}

// --- Obliquity ----------------------------------------------------------

// Mean obliquity of the ecliptic, Meeus, Astronomical Algorithms, 2nd ed.,
// eq. 22.2, for day 80 of the year at 12 h UT (Julian day number of
// 1 January by the Fliegel-Van Flandern formula, proleptic Gregorian).
double meeusMeanObliquity(int year) {
  const long y = year + 4799;
  const long jdn = 1 + (153 * 10 + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
  const double t = (static_cast<double>(jdn) + 79 - 2451545.0) / 36525.0;
  return 23.0 + 26.0 / 60 + (21.448 - 46.8150 * t - 0.00059 * t * t + 0.001813 * t * t * t) / 3600;
}

TEST_F(SettingsFileTest, ReadingPreparesTheObliquityOfTheFilesYear) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("startup_defaults.tav"));
  lines[0] = "1400";
  writeBytes(path("old.tav"), joinCrlf(lines));
  readSettingsFile(path("old.tav"), prepareObliquity);
  EXPECT_EQ(design().referenceYear, 1400);
  // About 0.08 degree more than in 2024: the tables follow the file's year.
  const double expected = meeusMeanObliquity(1400);
  EXPECT_GT(expected, 23.5);
  // The ephemeris keeps the linear term of the series; the higher terms
  // make up about 1e-4 degree six centuries back.
  EXPECT_NEAR(design().meanObliquity, expected, 3e-4);
  EXPECT_NEAR(design().obliquityRounded, std::round(expected * 100) / 100, 1e-9);
}

// --- Missing and damaged files ------------------------------------------

TEST_F(SettingsFileTest, MissingTavIniAsksAndYesWritesTheDefaultsOf2020) {
  platform_->answers = {MsgAnswer::Yes};
  const std::string file = path("tav.ini");
  const SettingsReadResult r = readSettingsFile(file, prepareObliquity);
  EXPECT_EQ(r.status, SettingsReadStatus::MissingCreated);
  ASSERT_EQ(platform_->boxes.size(), 2u);
  const RecordedBox& q = platform_->boxes[0];
  EXPECT_EQ(q.caption, MsgCaption::Question);
  EXPECT_EQ(q.buttons, MsgButtons::YesNo);
  EXPECT_EQ(q.text, file + " : \n\r" + messageText(34) + "\n\r" + messageText(35));
  EXPECT_EQ(platform_->boxes[1].text, file + "  " + messageText(58));
  EXPECT_EQ(design().referenceYear, 2020);
  EXPECT_EQ(crlfLines(readBytes(file))[0], "2020");
}

TEST_F(SettingsFileTest, MissingTavIniAndNoKeepsTheCurrentYear) {
  const SettingsReadResult r = readSettingsFile(path("tav.ini"), prepareObliquity);
  EXPECT_EQ(r.status, SettingsReadStatus::MissingKept);
  EXPECT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(design().referenceYear, 2024);
  EXPECT_FALSE(fs::exists(path("tav.ini")));
}

TEST_F(SettingsFileTest, MissingFileOfAnotherNameIsLeftToTheCaller) {
  // The name test is case-sensitive.
  for (const char* name : {"myDial.tav", "TAV.INI"}) {
    EXPECT_EQ(readSettingsFile(path(name), prepareObliquity).status, SettingsReadStatus::NotFound);
    EXPECT_TRUE(platform_->boxes.empty());
  }
  // A folder is no settings file.
  fs::create_directory(path("folder.tav"));
  EXPECT_EQ(readSettingsFile(path("folder.tav"), prepareObliquity).status, SettingsReadStatus::Unreadable);
  EXPECT_FALSE(loadSettingsFrom(path("myDial.tav"), prepareObliquity));
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].text, messageText(24) + "4");
}

TEST_F(SettingsFileTest, MisplacedHeadersLoadDefaultsAndOfferToWriteTheFile) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
  };
  std::vector<std::string> swapped = crlfLines(fixtureBytes("startup_defaults.tav"));
  std::swap(swapped[18], swapped[31]);  // "[Zeiten]" before "[Farben]"
  std::vector<std::string> shortFile = {"1999", "[Farben]", "[Zeiten]", "[Datumslinien]"};
  const Case cases[] = {{"headers swapped", swapped}, {"25 lines or fewer", shortFile}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = path("broken.tav");
    writeBytes(file, joinCrlf(c.lines));
    const std::string before = readBytes(file);
    design().referenceYear = 1999;
    design().latitude = 10;
    platform_->boxes.clear();
    platform_->answers = {MsgAnswer::No};
    EXPECT_EQ(readSettingsFile(file, prepareObliquity).status, SettingsReadStatus::BadStructure);
    EXPECT_EQ(design().referenceYear, 2020);
    EXPECT_DOUBLE_EQ(design().latitude, 47.251315);
    ASSERT_EQ(platform_->boxes.size(), 1u);
    EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Question);
    EXPECT_EQ(platform_->boxes[0].text, messageText(14));
    EXPECT_EQ(readBytes(file), before);
    // Yes writes the defaults.
    platform_->answers = {MsgAnswer::Yes};
    EXPECT_TRUE(readSettingsFile(file, prepareObliquity).corrected);
    EXPECT_EQ(crlfLines(readBytes(file))[0], "2020");
  }
}

TEST_F(SettingsFileTest, YesToTheFileErrorQuestionKeepsABackupAndWritesAFreshFile) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("startup_defaults.tav"));
  lines[3] = "  999.00";
  const std::string damaged = joinCrlf(lines);
  const std::string file = path("tav.ini");
  writeBytes(file, damaged);
  writeBytes(path("tav_ini.bak"), "an older backup");
  platform_->answers = {MsgAnswer::Yes};

  const SettingsReadResult r = readSettingsFile(file, prepareObliquity);
  EXPECT_EQ(r.status, SettingsReadStatus::StoppedAtFault);
  EXPECT_TRUE(r.corrected);
  EXPECT_EQ(readBytes(path("tav_ini.bak")), damaged);
  EXPECT_EQ(crlfLines(readBytes(file))[3], "      -15.00");
  EXPECT_EQ(design().referenceYear, 2020);
  ASSERT_EQ(platform_->boxes.size(), 3u);
  EXPECT_EQ(platform_->boxes[1].text, messageText(37));
  EXPECT_EQ(platform_->boxes[1].caption, MsgCaption::Information);
  EXPECT_EQ(platform_->boxes[2].text, file + "  " + messageText(58));
}

// Where no backup can be made the damaged file is the user's only copy:
// it is reported and left alone rather than overwritten.
TEST_F(SettingsFileTest, WithoutABackupTheDamagedFileIsNotOverwritten) {
  std::vector<std::string> lines = crlfLines(fixtureBytes("startup_defaults.tav"));
  lines[3] = "  999.00";
  const std::string damaged = joinCrlf(lines);
  const std::string file = path("tav.ini");
  writeBytes(file, damaged);
  platform_->currentDir = path("no-such-folder");
  platform_->answers = {MsgAnswer::Yes};

  readSettingsFile(file, prepareObliquity);
  ASSERT_EQ(platform_->boxes.size(), 2u);
  EXPECT_EQ(platform_->boxes[1].text, messageText(36));
  EXPECT_EQ(platform_->boxes[1].icon, MsgIcon::Error);
  EXPECT_EQ(platform_->boxes[1].caption, MsgCaption::Information);
  EXPECT_EQ(readBytes(file), damaged);
  EXPECT_EQ(design().referenceYear, 2020);  // the defaults are loaded all the same
}

}  // namespace
}  // namespace tavrel::test
