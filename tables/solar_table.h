// A solar table as the table window holds it: a list of text lines in a
// fixed-pitch layout, with what the screen hides and how each line goes
// into a CSV file, and the text and CSV savers.
//
// Files are written as the program has always written its tables:
// Windows-1252 text, every line ended by CR LF, written to a temporary
// file in the target's folder and renamed over the target when complete.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

// The fixed columns of a layout: day rows are cut into a leading field of
// leadWidth characters and `fieldCount` fields of fieldWidth characters,
// the first starting at (0-based) index firstField.
enum class TableLayout {
  MonthRiseSet,     // lead 5, 9 fields of 7 from index 4
  HalfYearRiseSet,  // lead 5, 18 fields of 7 from index 4
  Year,             // lead 3, 12 fields of 7 from index 3
  YearTransit,      // lead 3, 12 fields of 9 from index 3
};

struct CsvColumns {
  int leadWidth;
  int firstField;
  int fieldWidth;
  int fieldCount;
};
CsvColumns csvColumns(TableLayout layout);

// How a line goes into a CSV file.
enum class CsvRule {
  OneField,  // the whole line as one field
  Cut,       // cut at the fixed columns of the layout
  Fields,    // the named fields of the line (column titles)
};

struct TableLine {
  std::string text;
  CsvRule csv = CsvRule::OneField;
  std::vector<std::string> fields;  // CsvRule::Fields
  bool shownOnScreen = true;
};

struct SolarTable {
  TableLayout layout = TableLayout::Year;
  std::vector<TableLine> lines;
};

// Every line: what is printed and saved as text.
std::vector<std::string> tableLines(const SolarTable& table);
// The lines the window shows (some header and footer lines left out).
std::vector<std::string> screenLines(const SolarTable& table);

// The CSV records of the table with the separator (';' or ','). A field
// holding the separator, a double quote or a line break is quoted, its
// quotes doubled, so that every reader of CSV sees the same fields.
std::vector<std::string> csvLines(const SolarTable& table, char separator);

// Joins fields into one CSV record by the same quoting rule.
std::string csvRecord(const std::vector<std::string>& fields, char separator);

enum class TableFileFormat { Text, Csv };

// The file format by the name's extension (".txt" or ".csv", any case);
// false for any other name.
bool tableFileFormatOf(const std::string& path, TableFileFormat& format);

// The name with its extension replaced by ".txt" or ".csv" (the save
// dialog's rule: the filter chosen decides the extension).
std::string withTableExtension(const std::string& path, TableFileFormat format);

// The bytes of the file: Windows-1252 (UTF-8 only if a line holds a
// character the code page lacks), CR LF after every line.
std::string tableFileBytes(const SolarTable& table, TableFileFormat format, char separator);

// Writes the table; when the file cannot be written an error box says
// "Open error: File  " + path and false is returned, an existing file
// being left as it was.
bool saveTable(const SolarTable& table, const std::string& path, TableFileFormat format,
               char separator);

// The table window's "Save table": a save dialog (title "Save Table",
// filter "Textdatei (*.TXT)|*.TXT|Excel-Datei (*.CSV)|*.CSV", proposed
// name "Tabelle"); the filter chosen decides text or CSV and the name
// gets its extension ".txt" or ".csv" in place of the typed one; for CSV a question box chooses the
// separator (Yes ";", No ","); then saveTable. False when cancelled or
// not written.
bool saveTableAs(const SolarTable& table);

}  // namespace tavrel
