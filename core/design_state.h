// The design record: every input of a sundial design and the program
// settings, in one global instance that the windows write and the
// constructions, tables and plots read when they run.
//
// Conventions: angles in degrees; lengths in millimetres on the finished
// dial; latitude north positive; longitude, zone meridian and every other
// meridian west positive (an eastern longitude is negative); wall
// declination is the azimuth of the plane's normal, east negative.
// "index" fields hold 0-based positions in the choice lists named.
// The ranges in the comments are what the input windows accept; where the
// settings reader accepts something else that is said too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrel {

// One row of the series equation-of-time table (historic name tZeitgl).
struct EotSeriesRow {
  double lambda = 0;               // ecliptic longitude of the sun, degrees
  double declination = 0;          // degrees, rounded to 0.001 (half to even)
  std::int32_t eotSeconds = 0;     // series EoT, seconds of time, rounded
  std::string eotKeplerText;       // Kepler-method EoT, seconds, fixedText(x, 7, 1)
  std::string eotSeriesText;       // series EoT, seconds, fixedText(x, 7, 1)
  std::int32_t eotAntisymmetric = 0;  // signed half difference EoT(l) / EoT(180 - l), s
  std::string eotMinutesText;      // eotSeconds as "m:ss"
};
using tZeitgl = EotSeriesRow;

struct DesignState {
  // --- A. Location, time and astronomy ---------------------------------
  double latitude = 47.251315;       // -90..90; |v| < 1e-6 read from a file becomes +1e-6
  double longitude = -9.590825;      // -180..180, west positive
  double zoneMeridian = -15.0;       // -180..180, west positive
  std::int32_t referenceYear = 2020; // 1300..2500; current year at start-up
  std::int32_t calcDay = 1;          // date of the position and azimuth-time commands
  std::int32_t calcMonth = 1;
  std::int32_t calcYear = 2020;
  double calcTime = 0.5;             // fraction of a day (0.5 = 12:00)
  double calcTimeOffset = 0;         // companion of calcTime, 0 at start-up
  // Filled by prepareObliquity(referenceYear).
  double meanObliquity = 0;          // day 80 of referenceYear, unrounded
  double obliquityRounded = 0;       // two decimals, half to even (23.44)
  std::array<double, 37> declinationByLongitude{};  // ecl. longitude 90 + 5k, k = 0..36
  std::array<double, 8> zodiacDeclination{};        // [1..7] ascending; [0] unused
  std::uint8_t twilightKind = 2;     // 0 civil (-6), 1 nautical (-12), 2 astronomical (-18)
  bool zoneWarningPending = false;   // zone meridian > 14 degrees from the longitude

  // --- B. Dial kind and variants ---------------------------------------
  char dialKind = 'v';               // h v i q a z k r c m w p o
  bool umbrellaMode = false;         // umbrella variant of 'h', 'i', 'v'
  std::uint8_t quadrantVariant = 0;  // 0..2
  std::uint8_t cylinderVariant = 0;  // 0 shepherd's dial, 1 hat dial, 2 polar style
  std::uint8_t cylinderOption = 0;   // variant 2: 0 seven date lines, 1 three
  std::uint8_t hollanderVariant = 0; // 0 horizontal, 1 vertical, 2 inclined (reader: 0..8)
  std::uint8_t azimuthDialKind = 1;  // 0..1
  std::uint8_t azimuthHeightMode = 1;  // 0..2
  std::uint8_t dateLinesPerMonth = 1;  // 1..3, 4 = solstices and equinoxes
  std::uint8_t sawyerTimeMode = 2;   // 0 LAT, 1 apparent zone, 2 mean + half analemmas, 3 mean straight
  bool sawyerMeanHalfAnalemma = false;  // sawyerTimeMode == 2
  bool sawyerMeanStraight = true;       // sawyerTimeMode == 3
  std::uint8_t peaucellierVariant = 0;  // Sawyer decliner / Sawyer-Peaucellier

  // --- C. Dimensions and plane -----------------------------------------
  double wallDeclination = -11.7;    // -180..180, east negative
  double planeInclination = 25.4589; // 0..175
  double coneAxisInclination = 47.251315;  // -90..175 (negative + 180); = latitude on defaults
  double coneHalfAngle = 12.0;       // 0..87 and below coneAxisInclination
  double umbrellaRadiusRatio = 0.35; // fraction; editor -100..200 %
  double gnomonLength = 35.0;        // mm, > 3; Sawyer 5..200, Hollander 5..500
  double habermelGnomonLength = 2.0; // mm, 9..100
  double habermelDiameter = 200.0;   // mm, 30..200
  double ringAlpha = 30.0;           // 10..90
  double ringDiameter = 150.0;       // mm, 10..300
  double ringWidth = 80.0;           // mm, 4.5..300
  double latitude2 = 47.25;          // -90..90, bi-azimuthal second location
  double longitude2 = -15.0;         // -180..180
  double wallDeclination2 = 78.3;    // -180..180
  bool secondPlaneVertical = false;
  bool timeFromPosition1 = true;
  double cylinderRadius = 250.0;     // mm, 4..500
  double cylinderGnomonLength = 51.0;  // mm, 4..110
  std::int32_t quadrantSize = 150;   // mm, 80..200
  std::int32_t cylinderGnomonLengthInt = 70;  // mm, 4..110
  std::int32_t altitudeDialGnomonLength = 25; // mm, 4..110
  std::int32_t shepherdScaleLength = 270;     // mm, 0..400
  std::int32_t shepherdMaxShadow = 160;       // mm, 0..200
  std::int32_t altitudeMonthScale = 120;      // mm, 0..180
  std::int32_t altitudeHorizontalScale = 180; // mm, 0..260
  std::int32_t sawyerUnit = 32;      // 0..300 (reader: >= 10)
  double sawyerCentre = 90.0;        // 0..900
  double sawyerLineAngle = 5.0;      // 0.5..15 (reader: 1..11)
  double peaucellierParameter = -0.8749;  // -2.1..2.1 (reader: |v| <= 1.99)
  double azimuthObserverDistance = 300.0; // mm, 10..400
  double azimuthBasePlate = 180.0;   // mm, 3..200
  double hamStretch = 2.0;           // 1.2..3
  double hamEquinoxPosition = 40.0;  // degrees
  double hamDiameter = 30.0;         // mm, 1..300: the ham dial's size D (not stored)
  double gnomonHoleOffset = 0;       // -23.44..23.44 (expert mode)
  double gnomonHoleOffsetMax = 0;    // >= 0; obliquityRounded / 2
  double gnomonHoleOffsetMin = 0;    // <= 0; -obliquityRounded / 2
  std::int32_t drawingScale = 100;   // 5..66000000

  // --- D. Hour lines and time scale ------------------------------------
  bool zoneTime = false;
  bool localTime = true;             // complement of zoneTime, its own byte
  bool temporalHours = false;
  bool localTimeNoEot = true;
  bool withEot = false;
  bool constructionWithEot = false;
  bool cylinderWithEot = false;
  bool eotLinesOwnMeridian = true;
  bool umbrellaLocalTime = false;
  bool babylonianHours = false;
  bool italianHours = false;
  bool temporalHourLines = false;
  bool sunAltitudeLines = false;
  bool extendTemporalHours = true;   // set at program start, not stored
  bool linesToStyleFoot = false;
  bool drawPoleTriangle = false;
  bool noonLineHorizontal = true;
  std::uint8_t ringRayDeflection = 1;  // 0..2
  // Ring dial: which part of the Babylonian and Italian hour lines is
  // drawn: 0 all day, 1 only before noon, 2 only afternoon (stored as an
  // optional fourth value of the gnomon-hole line of the settings file).
  std::uint8_t ringOldHoursPart = 0;
  bool halfYearMonthScale = false;
  bool withVerticalDial = true;
  bool quadrantMirrored = false;
  bool wholeYearQuadrant = false;
  bool januaryOutside = false;
  bool includeAzimuthLines = true;
  bool hollanderVertical = false;
  bool drawEcliptic = true;
  std::int32_t hourLinesFrom = 8, hourLinesTo = 19;          // 0..24
  std::int32_t eotLinesFrom = 9, eotLinesTo = 17;            // 0..24
  std::int32_t otherHoursFrom = 10, otherHoursTo = 18;       // 0..24
  std::int32_t otherTemporalFrom = 1, otherTemporalTo = 6;   // 0..12
  std::int32_t babylonianFrom = 0, babylonianTo = 20;        // 0..24
  std::int32_t italianFrom = 5, italianTo = 24;              // 0..24
  std::int32_t temporalFrom = 1, temporalTo = 11;            // 0..12
  std::int32_t altitudeFrom = 20, altitudeTo = 70;           // 10..90 degrees
  char hourLineInterval = '1';       // '0'..'4': 60, 30, 20, 15, 10 min
  char eotLineInterval = '0';        // '0'..'3' or '6' (= 10 min)
  char otherHourInterval = '0';      // '0'..'3': 60, 30, 20, 15 min
  std::uint8_t babylonianInterval = 0;   // 0..3: 60, 30, 20, 15 min
  std::uint8_t italianInterval = 1;      // 0..3
  std::uint8_t temporalInterval = 0;     // 0..3: 1, 1/2, 1/3, 1/4 temporal hour
  std::uint8_t temporalIntervalOther = 0;
  std::uint8_t altitudeInterval = 1;     // 0..2: 10, 5, 2.5 degrees

  // --- E. Date lines and analemma marks --------------------------------
  char dateLineMode = '0';           // 0 zodiac dates, 1 7th/22nd, 2 own list, 3 none
  std::vector<std::string> ownDateLines;  // "dd/mm" + label
  bool integerSunshineLines = false;
  std::uint8_t zodiacScale = 0;      // 0 calendar, 1 declination, 2 stereographic
  bool showDateCircles = true;
  bool markAnalemma = true;
  std::int32_t analemmaMarkHour = 13;    // 1..23
  std::uint8_t analemmaMarkDays = 1;     // 0..4

  // --- F. Drawing and output -------------------------------------------
  std::array<std::int32_t, 12> colors{};       // 0x00BBGGRR; pen n uses colors[n - 1]
  std::array<std::int32_t, 12> savedColors{};  // as last read from the settings file
  std::uint8_t lineWidth = 1;        // screen pen width, 1..
  std::uint8_t plotLineWidth = 1;    // 1 fine, 2 medium, 3 thick
  bool paperA4 = true;               // A4 printer page, false A3 file page
  std::uint8_t planarPlotOption = 0;
  bool writeCorrectionFile = false;

  // --- G. Program settings ---------------------------------------------
  std::int32_t language = 1;         // 1 German, 2 English
  std::int32_t stringOffset = 0;     // 0 German, 2000 English
  bool germanSelected = true;
  bool expertMode = true;
  bool expertModeActive = true;      // the value the windows use
  bool mapOverlay = true, mapFrontiers = true, mapCoastlines = true;
  bool useHtmlHelp = true;
  bool decimalDegreeInput = true;
  bool childWindowsNormal = true;
  bool showHints = false;
  bool inputValid = true;
  std::uint8_t wizardStep = 0;       // 0, 1, 3, 4, 5 (see the main window)
  bool largeScreen = true;           // screen width >= 1000 pixels
  bool largeFonts = false;           // pixels per inch >= 120
  std::string exeDirectory;          // with trailing separator
  std::string workingDirectory;
  std::string settingsFileName = "tav.ini";
  std::string dateSettingsFileName = "tav_days.ini";
  std::string versionText = " 8.3beta";
  std::string helpFileName;          // help file of the current language

  // --- Start-up tables -------------------------------------------------
  std::vector<EotSeriesRow> eotSeriesTable;   // 288 steps, year 2022
  std::vector<EotSeriesRow> eotSeriesWork;    // working copy (cross-check report)
  std::vector<EotSeriesRow> eotSeriesReport;  // the copy the report reads
  std::vector<std::string> numberChoices24;  // "  0" .. "  24"
  std::vector<std::string> numberChoices12;  // "  0" .. "  12"
  std::vector<std::string> hourChoices;      // " 0  Uhr" .. " 24  Uhr"
  std::vector<std::string> intervalChoices;  // " 60 min" .. " 10 min"
  std::vector<std::string> coastlineText;    // embedded world outline
};

// The one instance.
DesignState& design();

// The twelve default pen colours (0x00BBGGRR).
extern const std::array<std::int32_t, 12> kDefaultColors;

// Sets every field of groups A (except the calculation date), C, D and E
// to its default ("Load default values"); referenceYear becomes 2020.
// Colours, language, expert mode, dialKind, ownDateLines,
// azimuthObserverDistance and azimuthBasePlate are left alone.
void loadDefaultValues();

// colors := the twelve defaults.
void defaultColors();


// The three own date lines given when the list is empty after start-up.
extern const std::array<const char*, 3> kDefaultOwnDateLines;

}  // namespace tavrel
