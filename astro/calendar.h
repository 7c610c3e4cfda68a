// Calendar arithmetic: day of the year, Julian day number, short date
// labels and the "dd/mm" keys of the user's own date lines.
//
// A day of the year is 1-based (1 = 1 January, 60 = 1 March in a common
// year) and taken inside the year the caller passes (the reference year of
// the design). Month numbers are 1..12. Labels use the month abbreviations
// of the language passed (1 German, otherwise English). Nothing here reads
// the design record or opens a box.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// Day-of-year number of a civil date. The Gregorian leap rule (divisible
// by 4 and not by 100, or by 400) is applied to every year, also before
// 1582. Months 1..12; the day is not checked.
int dayOfYear(int year, int month, int day);

// Julian Date of 12:00 UT on the given civil date (an integral value;
// 2451545 for 1 January 2000). Note the argument order day, month, year.
// Dates up to 4 October 1582 are Julian-calendar dates, from 15 October
// 1582 on Gregorian ones; the ten dates 5..14 October 1582, which never
// existed, count as 15 October 1582. Meeus, Astronomical Algorithms,
// 2nd ed., ch. 7, in the integer form with 30.6001 (years >= 1 only).
double julianDayNumber(int day, int month, int year);

// Three-letter month abbreviation of month 1..12 in a language (1 German,
// otherwise English: "Mai", "Okt", "Dez" in German; "May", "Oct", "Dec" in
// English). An out-of-range month gives the empty text.
const std::string& monthAbbreviation(int month, int language);

// "21. Mar": the day of the month, ". " and the month abbreviation of the
// day-of-year number d inside year. No leading zero, no padding.
// Days before 1 January are counted into January ("0. Jan"), days after
// 31 December into December ("32. Dez").
std::string dateLabel(int d, int year, int language);

// Result of parseDayMonth. On failure ok is false, number -1 and the texts
// are empty.
struct DayMonth {
  bool ok = false;
  std::string label;  // "07. Mar": two-digit day, ". ", month abbreviation
  std::string key;    // "07/03"
  int number = -1;    // day + 100 * month (307)
};

// Validates a "dd/mm" entry against the reference year (dayMonthOfEntry,
// base/day_month.h); the label takes the month abbreviation of language.
// An invalid entry gives ok false and shows nothing: a window that takes
// the entry from the user shows message 6 ("Error in Input !").
DayMonth parseDayMonth(std::string_view text, int referenceYear, int language);

// An entry of the own date lines as the list shows it in `language`. The
// stored entry keeps the language it was made in ("21/03    ( 21. März )"
// from the start-up, "( 21. Mar )" when added in English); an entry whose
// label is one the program builds for its date (the start-up default or
// the parameter window's label, in either language) is shown with the
// label of the shown language. Anything else is shown as it is stored.
std::string ownDateLineShown(const std::string& entry, int referenceYear, int language);

}  // namespace tavrel
