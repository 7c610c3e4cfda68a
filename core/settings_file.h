// The settings file "tav.ini" and the construction-data files "*.tav":
// the whole design record as one line-oriented text file.
//
// Layout (0-based line numbers): lines 0..17 hold the value groups,
// line 18 "[Farben]", lines 19..30 the twelve pen colours, line 31
// "[Zeiten]", lines 32..46 the hour ranges and intervals, line 47
// "[Datumslinien]" and then the user's own date lines, one per line.
// Numbers use "." as decimal point. On disk the file is Windows-1252 with
// CR LF line ends; the reader also takes UTF-8 and LF or CR line ends.
//
// The reader is tolerant: every value is checked on its own; many faults
// are replaced by a fixed value, with or without a message box, and the
// serious ones stop the reading with a question that offers to move the
// damaged file aside as "tav_ini.bak" and write a fresh one. All boxes go
// through the platform interface.
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace tavrel {

enum class SettingsReadStatus {
  Complete,        // every line was read
  StoppedAtFault,  // a faulty value stopped the reading (file-error question asked)
  BadStructure,    // headers missing or misplaced, or 25 lines or fewer: defaults loaded
  MissingCreated,  // "tav.ini" was missing; the user had it created with default values
  MissingKept,     // "tav.ini" was missing; the user declined, the record is unchanged
  NotFound,        // a file of another name is missing: nothing read, the caller reports
  Unreadable,      // the file exists but cannot be read: nothing read, the caller reports
  NotSettingsFile, // the file holds none of the section headers (a plot, a picture, ...):
                   // nothing read, never rewritten, the caller reports
};

struct SettingsReadResult {
  SettingsReadStatus status = SettingsReadStatus::Complete;
  // StoppedAtFault: the line number the question names (0-based index + 1).
  int faultLine = 0;
  // StoppedAtFault or BadStructure: the user answered Yes, defaults were
  // loaded and a fresh file was written (when that was possible).
  bool corrected = false;
  // Unreadable: the system's reason.
  std::error_code readError{};

  // True when the file was there to be read (even with faults).
  bool fileRead() const {
    return status == SettingsReadStatus::Complete ||
           status == SettingsReadStatus::StoppedAtFault ||
           status == SettingsReadStatus::BadStructure;
  }
};

// Fills the record's tables that follow the reference year (the obliquity
// and the declinations derived from it); the program passes
// prepareObliquity (astro/startup.h).
using YearTablesFunction = void (*)(int year);

// Reads a settings or construction-data file into the design record with
// every rule of the reader (see settings_file.cpp). Always reads the
// colours and the own date lines (at most kMostOwnDateLines of them, with
// a warning for the rest). Afterwards prepareYearTables is called for the
// reference year then in force, and language and stringOffset follow
// germanSelected. NotFound, Unreadable and NotSettingsFile show no box
// and leave the record and the tables alone; the calling command reports
// them. A damaged file is rewritten (after the user's Yes) only once it
// has been kept as "tav_ini.bak".
SettingsReadResult readSettingsFile(const std::string& path, YearTablesFunction prepareYearTables);

// The file's lines (UTF-8) for the current record. keepStoredColors (Save
// INI-File): the colour section repeats the palette stored in the
// settings file (`settingsFileName`), read into savedColors, so that the
// command never changes that palette; when it cannot be read the current
// colours are written.
std::vector<std::string> buildSettingsText(bool keepStoredColors);

// buildSettingsText(false) saved to path; the information box
// path + "  " + " saved!" or the error box "Could not save INI-file!".
// True on success.
bool writeSettingsFile(const std::string& path);

// The file part of the commands Save INI-File (keepStoredColors true) and
// Save Sundial Data (false), after the save dialog chose path: writes the
// file and shows path + " saved!" or the error box. True on success.
bool saveSettingsAs(const std::string& path, bool keepStoredColors);

// Reload INI-File (the caller has closed the child windows): when
// inputValid, reads settingsFileName (readSettingsFile) and shows "<name> loaded!"; a file
// that cannot be read gives the error box "Cannot find solution!" + "3".
// True when the file was read.
bool reloadSettingsFile(YearTablesFunction prepareYearTables);

// Load Sundial Data after the open dialog chose path: reads it; a file
// that cannot be read gives the error box "Cannot find solution!" + "4".
// True when the file was read.
bool loadSettingsFrom(const std::string& path, YearTablesFunction prepareYearTables);

// Save Colors: rewrites only the colour section of settingsFileName with
// the current colours. True when the file was written.
bool saveColorsToSettingsFile();

// Load Colors (reset false) and Colors Reset (reset true): the colours
// from the colour section of settingsFileName, or the defaults. The caller
// shows the colour panel and redraws the legend afterwards.
void loadColorsFromSettingsFile(bool reset);

}  // namespace tavrel
