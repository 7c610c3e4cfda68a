// The user's own date lines (ownDateLines) on their own: the date-list
// file "tav_days.ini" (dateSettingsFileName; the lines as they are, one per
// line, no header) and the date section "[Datumslinien]" of the settings
// file. Both files are written completely or not at all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel {

// The most own date lines a file brings into the record: one for every
// day of the year. A reader takes the first lines of a longer list and
// leaves the rest out with one warning, so that a file cannot ask for
// more curves than a dial can hold.
inline constexpr std::size_t kMostOwnDateLines = 366;

// The warning "<file>: only the first 366 date lines are read, the other
// <leftOut> are left out." (warning caption).
void reportDateLinesLeftOut(const std::string& file, std::size_t leftOut);

// Writes ownDateLines to dateSettingsFileName. A failed write shows the
// error box "Unable to save file!" and leaves an existing file unchanged.
// True on success.
bool saveDateListFile();

// ownDateLines = the lines of dateSettingsFileName when it exists;
// otherwise nothing changes. True when the file was read.
bool loadDateListFile();

// Replaces the date section of settingsFileName (from its line
// "[Datumslinien]" on; appended when the file has none) by the header and
// every entry of ownDateLines that is a valid "dd/mm" entry. Nothing
// happens when the settings file does not exist. True when written.
bool saveDatesToSettingsFile();

// ownDateLines = the non-empty valid entries after "[Datumslinien]" of the
// settings file, when that line and at least one more exist; otherwise the
// non-empty valid lines of the date-list file when it exists; otherwise
// the problem box "no own date lines". True when a list was taken.
bool loadDatesFromSettingsFile();

// A "dd/mm" entry of the own date lines checked against referenceYear
// (dayMonthOfEntry, base/day_month.h); an invalid, non-empty entry shows
// the error box "<entry>: " + message 57. True when valid.
bool isValidDayMonthEntry(std::string_view text);

}  // namespace tavrel
