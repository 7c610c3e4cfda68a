// The report behind "Symmetric Table of EoT, Approximation": the series
// equation of time by the sun's true longitude (buildEotSeriesTable with
// the orbital elements of the year) for n longitudes, each with the half
// difference to the longitude of the same declination (180 - L), so that
// a table by declination alone can be judged; the Kepler-equation value
// and the series value in tenths of a second stand beside them for
// comparison ("Vgl.").
#pragma once

#include <string>
#include <vector>

namespace tavrel {

// The numbers of values per year the panel offers: 72, 120, 144, 180,
// 240, 288, 360.
bool isEotPairCount(int values);

struct EotPairReport {
  int values = 0;
  int year = 0;
  // Per row: nr, lambda, declination, EoT [s], half difference [s], EoT
  // m:ss, Kepler EoT [s], series EoT [s]; right-aligned texts.
  std::vector<std::vector<std::string>> rows;
};

// Builds the series table (values steps, rows 0 .. values) for year; the
// design record's eotSeriesWork and eotSeriesReport hold it afterwards.
EotPairReport eotPairReport(int values, int year);

// " nr    lam   delta   EoT[s]  Eotsym   (" + n + " Zeilen)": the print header.
std::string eotPairPrintHeader(const EotPairReport& report);

// The lines of the saved file: a row of column names, then one line per
// row, fields joined by the separator ('/' in text, ';' in CSV; the CSV
// fields without their padding blanks).
std::vector<std::string> eotPairLines(const EotPairReport& report, bool csv);

// Saves the report (CR LF after each line, text or CSV by `csv`); on
// success an information box says path + message 58 (" saved!"), on
// failure an error box "Save error: File  " + path. Returns success.
bool saveEotPairReport(const EotPairReport& report, const std::string& path, bool csv);

// "Daten speichern": a save dialog (filter "Textfile(*.txt)|*.txt|
// Excel-Format (*.csv)|*.csv|alle Formate  (*.*)|*.*", proposed name
// "EoT-Paare"); a name ending in ".csv" gives CSV, any other text.
// Cancelling shows message 1 ("Action cancelled!"). Returns whether the
// file was written.
bool saveEotPairReportAs(const EotPairReport& report);

}  // namespace tavrel
