// Language tables: the UI string table (German key n, English n + 2000),
// the bilingual text tables and the numbered message table. Texts are
// UTF-8 in memory; the tables themselves live in resources/*.tsv and are
// compiled into the program.
//
// "The current language" is design().language (1 German, 2 English) for
// the text tables and design().stringOffset (0 or 2000) for the string
// table; setLanguage keeps the two in step. Every lookup of a row or key
// that does not exist gives the empty text and reports nothing.
#pragma once

#include <string>
#include <vector>

#include "core/platform.h"

namespace tavrel {

// --- Message table ------------------------------------------------------

// Message n (0..71) of the message table in the current language
// (language 1 German, 2 English); an unknown n gives the empty text.
std::string messageText(int n);

// Message n in the given language (2 English, anything else German).
std::string messageText(int n, int language);

// Message a + LF CR + message b (the two characters "\n\r" in that order).
std::string messagePair(int a, int b);

// --- Box captions and dialog titles -------------------------------------

// Caption text of a message box in the current language.
std::string captionText(MsgCaption caption);
std::string captionText(MsgCaption caption, int language);

// The titles of the program's file dialogs.
enum class DialogTitle { SavePlot, SaveConstruction, LoadConstruction, SaveTable };
std::string dialogTitle(DialogTitle title);
std::string dialogTitle(DialogTitle title, int language);

// --- String table -------------------------------------------------------

// String n + stringOffset: the German text of key n, or its English text
// (key n + 2000) while English is selected.
std::string loadString(int n);

// loadString(n) with every "&" removed (captions and labels built from
// strings).
std::string loadStringPlain(int n);

// The text stored under the absolute key: keys below 2000 give German
// texts, key n + 2000 the English text of n.
std::string stringByKey(int key);

// loadString(base), loadString(base + 1), .., loadString(base + count - 1).
std::vector<std::string> stringsList(int base, int count);

// The German keys present in the string table, ascending.
std::vector<int> stringTableKeys();

// --- Text tables --------------------------------------------------------

enum class TextTable {
  Messages,      // the message table, rows 0..71
  Captions,      // box captions 0..4 (MsgCaption order), dialog titles 5..8
  Menu,          // the 45 main-menu captions in menu order
  Labels,        // window and page captions, dial names (see labelRow)
  Texts,         // longer texts, list items, table headers (see textRow)
  PoleStyle,     // pole-style information lines and zodiac names
  Explanations,  // explanation lines of the planar dial information
  Months,        // three-letter month abbreviations, rows 1..12
  DialTypes,     // the dial-type choice list and its sub-choices
  WorkTexts,     // window, solar-table, plot and legend texts (see workTextRow)
};

// Row r of a text table in the current language, or in the given one.
std::string tableText(TextTable table, int r);
std::string tableText(TextTable table, int r, int language);

// Rows first .. last of the text table (TextTable::Texts) in the current
// language, in order; a missing row gives an empty entry.
std::vector<std::string> tableRowsList(int first, int last);

// The row numbers present in a table, ascending.
std::vector<int> tableRowIds(TextTable table);

// Three-letter abbreviation of month 1..12 ("Mai", "Okt" German; "May",
// "Oct" English); any other month gives the empty text.
std::string monthName(int month);
std::string monthName(int month, int language);

// Rows of the label table that the program names.
namespace labelRow {
constexpr int kHourLineAnglesTitle = 29;     // "Angles of the Hour Lines in a"
constexpr int kHourLinesShow = 41;           // "Hour lines show "
// Title of the drawing window: kConstructionOfA followed by a dial's part.
constexpr int kConstructionOfA = 50;         // "Construction of a"
}  // namespace labelRow

// Rows of the text table that the program names.
namespace textRow {
constexpr int kApparentTimeZoneMeridian = 17;  // " Apparent Time of zone meridian"
constexpr int kGridWidthPrompt = 50;           // "Width of grid (default=10 [mm] :"
constexpr int kGridTitle = 51;                 // "Display Grid of Coordinates"
constexpr int kProjectionCentre = 66;          // "projection center: "
constexpr int kDegrees = 105;                  // " deg "
constexpr int kLocalApparentTime = 120;        // "Local Apparent Time"
constexpr int kHorizontalSundial = 125;        // "horizontal SUNDIAL"
constexpr int kVerticalSundial = 126;          // "vertical SUNDIAL"
constexpr int kInclinedSundial = 127;          // "inclining SUNDIAL"
constexpr int kHorizontalUmbrella = 128;       // "horizontal Umbrella Sundial"
constexpr int kVerticalUmbrella = 129;         // "vertical Umbrella Sundial"
constexpr int kInclinedUmbrella = 130;         // "inclining Umbrella Sundial"
constexpr int kLatitudeIs = 131;               // "Latitude = "
constexpr int kLongitudeIs = 132;              // ", Longitude = "
constexpr int kSubstyleDirection = 172;        // hour-line angle table information
constexpr int kStyleHeight = 173;
constexpr int kSubstyleShadowTime = 174;
constexpr int kTime = 175;                     // "Time"
constexpr int kTableContinues = 177;           // "Table on the following page!"
constexpr int kSteepestSlope = 178;
}  // namespace textRow

// Rows of the pole-style table.
namespace poleStyleRow {
constexpr int kLatitude = 0;           // "     Latitude     :"
constexpr int kLongitude = 1;          // "     Longitude    :"
constexpr int kDeclination = 2;        // "     Declination of dial (in degrees)    :"
constexpr int kInclination = 3;        // "     Inclination of dial (in degrees)    :"
constexpr int kGnomonLength = 4;       // "     Length of gnomon, orthogonal to dial:"
constexpr int kStyleParallel = 5;      // "     Polar-pointing style parallel to face"
constexpr int kIntersection = 6;       // "     Intersection of style and dial face : S("
constexpr int kStyleOrthogonal = 7;    // "     Polar-pointing style orthogonal to dial face"
constexpr int kStyleHeight = 8;        // "     Angle from dial face to pole style  :"
constexpr int kSubstyleDirection = 9;  // "     Direction of sub-style in P(0/0)    :"
constexpr int kSubstyleShadow = 10;    // "     Shadow on sub-style (local app.time):"
constexpr int kSunshineHours = 11;     // "Sun declinations for days with integer sunshine hours"
constexpr int kZodiacFirst = 12;       // 12 names, Aries .. Pisces
constexpr int kOClock = 24;            // " o´clock"
constexpr int kHours = 25;             // "hours"
}  // namespace poleStyleRow

// Rows of the explanation table.
namespace explanationRow {
constexpr int kPoleStyleFirst = 0;      // ten lines under the pole-style information
constexpr int kPoleStyleCount = 10;
constexpr int kSteepestSlopeFirst = 10; // two lines, vertical and inclined dials
constexpr int kSteepestSlopeCount = 2;
constexpr int kAngleTableFirst = 12;    // five lines of the printed angle table
constexpr int kAngleTableCount = 5;
}  // namespace explanationRow

// Rows of the dial-type table: the choice list is rows 0..13 (the
// position in the list); then the sub-choices.
namespace dialTypeRow {
constexpr int kUmbrellaKindFirst = 20;  // horizontal, inclined, vertical
constexpr int kCylinderKindFirst = 23;  // cylinderVariant 0..2
constexpr int kAzimuthKindFirst = 26;   // azimuthDialKind 0..1
}  // namespace dialTypeRow

// Blocks of the work-text table (resources/work_texts.tsv); a text's row
// is the block start plus its place in the block.
namespace workTextRow {
constexpr int kWindowFirst = 0;      // WorkText order (ui/work_window_texts.h)
constexpr int kTablesFirst = 100;    // TablesText order (tables/table_texts.h)
constexpr int kFullMonthFirst = 179; // full month name of month m: row 179 + m
constexpr int kPlanarFirst = 200;    // PlanarText order
constexpr int kPlotFirst = 220;      // PlotText order
constexpr int kDrawingFirst = 240;   // DrawingText order
constexpr int kLegendFirst = 1000;   // colour legend row r: row 1000 + r
// Single rows.
constexpr int kIniFaulty = 300;        // " : INI-Datei ist fehlerhaft!"
constexpr int kIniLine = 301;          // "Line "
constexpr int kIniInLine = 302;        // "In Line "
constexpr int kIniFaultyDate = 303;    // "Fehlerhaftes Datum "
constexpr int kIniIn = 304;            // " in "
constexpr int kIniLineOf = 305;        // " : line "
constexpr int kIniNoStoredColours = 306;  // "Ursprüngliche Farbeinstellung nicht gefunden!"
constexpr int kDxfCommandTooLong = 310;   // ": Befehl ist zu lang und wird gekürzt!"
constexpr int kDxfNotHpgl = 311;          // " ist kein HPGL-File!"
constexpr int kDxfOpenError = 312;        // "Das war ein Datei-Öffnungsfehler!"
constexpr int kDxfFurtherLines = 313;     // " further lines not listed."
constexpr int kDxfFurtherTooLong = 314;   // " further commands were too long and were cut."
constexpr int kDoubleGnomonHeight = 320;  // "doppelte Gnomonhoehe (= 2 * "
constexpr int kTableFileName = 330;       // "Tabelle"
constexpr int kTableFileFilter = 331;     // text filter first, CSV second
constexpr int kHourChoiceUnit = 332;      // "  Uhr"
constexpr int kCsvSeparatorQuestion = 333;  // "csv-trennzeichen wählen" ...
constexpr int kDxfErrorInCommand = 340;   // "Error in HPGL-command:"
constexpr int kDxfErrorIn = 341;          // "Fehler in: "
constexpr int kDxfBecause = 342;          // "; weil:"
constexpr int kDxfNotANumber = 343;       // " keine Zahl ist."
constexpr int kDxfNoNumericValue = 344;   // " hat keinen Zahlenwert"
constexpr int kDxfNoRealX = 345;          // " : kein reeller x-Wert!"
constexpr int kDxfNoRealY = 346;          // " : kein reeller y-Wert!"
constexpr int kDxfCommand = 347;          // "Command: "
constexpr int kDxfNotSupported = 348;     // "; not supported!"
constexpr int kDxfErrorInPw = 349;        // "Fehler im Befehl PW :"
constexpr int kDxfPwOnlyHpgl2 = 350;      // "Command PW (=Penwidth) only supported by HPGL2."
constexpr int kDxfArcAngleError = 351;    // "Fehler bei der Konvertierung des Bogenwinkels."
constexpr int kDxfErrorInSi = 352;        // "Fehler im Befehl SI :"
constexpr int kDxfTextDirectionError = 353;  // "Fehler bei der Angabe der Schriftrichtung: "
constexpr int kDxfErrorInSl = 354;        // "Fehler im Befehl SL :"
constexpr int kDateLinesOnlyFirst = 370;  // ": nur die ersten "
constexpr int kDateLinesTheOther = 371;   // " Datumslinien werden gelesen, die übrigen "
constexpr int kDateLinesLeftOut = 372;    // " bleiben unberücksichtigt."
}  // namespace workTextRow

// Row r of the work-text table in the current language.
std::string workText(int r);

// Entry n (0..24) of the from/to hour choices as shown in the current
// language: " " + n + "  Uhr" (German), " " + n + "  o´clock" (English).
std::string hourChoiceText(int n);

// --- Language switch ----------------------------------------------------

// Name of the help file of a language inside the executable's directory:
// "tavrel_d.chm" / "tavrel_e.chm" with HTML help, else "tavrel.hlp" /
// "tavrel_e.hlp".
std::string helpFileBaseName(bool german, bool useHtmlHelp);

// The folder (with a trailing separator) that holds the program's file
// fileName: exeDirectory when the file is there (the build folder, or a
// program kept in one folder); else the share/tavrel/ folder of an
// installed program (<prefix>/bin/../share/tavrel/) when it is there;
// exeDirectory when neither holds it.
std::string programDataFolder(const std::string& exeDirectory, const std::string& fileName);

// The language fields of the record without any box: germanSelected,
// language (1 / 2), stringOffset (0 / 2000) and helpFileName =
// programDataFolder(exeDirectory, helpFileBaseName) + helpFileBaseName. Start-up, the settings reader, the batch front end
// and the desktop's own help (compiled in) use it directly.
void selectLanguage(bool german);

// The menu commands "&Deutsch" / "&English", as far as the design record
// goes: germanSelected, language (1 / 2), stringOffset (0 / 2000) and
// helpFileName as selectLanguage sets it. When that file does not
// exist an information box with the question icon says so and the program
// goes on without help; returns whether the help file exists. (The
// windows re-apply their texts themselves.)
bool setLanguage(bool german);

}  // namespace tavrel
