// The rise/set tables of the sun calculator: a month of sunrise, sunset,
// twilight, moonrise and moonset with the equation of time and the
// declination, and half a year of sunrise and sunset with the equation of
// time. Location and twilight kind are the design record's; times are
// zone time of design().zoneMeridian, no daylight saving time.
#pragma once

#include <string>
#include <vector>

#include "tables/solar_table.h"

namespace tavrel {

// The day row of the month table: the day right-aligned in 3, ". ", the
// cells of sun, twilight and moon (14 characters each), the equation of
// time of 12 h zone time (m:ss, 6 characters), a blank and the
// declination of that instant (fixedText 6, 2). The 5th to 14th October
// 1582 give the row of the calendar reform instead.
std::string monthTableRow(int year, int month, int day);

// The month table as the table window holds it: the header (title,
// position, blank line, two column titles), one row per day with a blank
// line after every fifth day, and the footer (blank line of 60 blanks,
// the zone line, the twilight line, the author line, 60 blanks). The
// screen leaves out the zone line, the author line and the last line.
SolarTable monthRiseSetTable(int year, int month);

// "  All times are standard time (= UT -   1 h) and not DST !" for the
// design record's zone meridian (15 west here).
std::string zoneLine();

// The half-year table of sunrise, sunset and equation of time: months 1..6
// (firstMonth 1) or 7..12 (firstMonth 7), one row per day 1..31, each month
// a cell of 21 characters; days that do not exist show
// "       -------       ". Header (two column-title lines, a blank line,
// the position line and the title), rows with a blank line after every
// fifth row except the thirtieth, footer (110 blanks, the author line).
SolarTable halfYearSunTable(int year, int firstMonth);

}  // namespace tavrel
