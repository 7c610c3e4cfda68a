// The year tables of the table window: 31 rows by 12 months of the
// equation of time (sub-kind 0), the equation of time with the longitude
// correction (1), the sun's declination (2) and the zone time of the
// meridian transit, that is local apparent noon (3). Every value is that
// of 12 h zone time of its date (solarPosition); location and zone
// meridian are the design record's.
#pragma once

#include <string>

#include "tables/solar_table.h"

namespace tavrel {

enum class YearTableKind { Eot = 0, EotLongitude = 1, Declination = 2, Transit = 3 };

// The whole table: title, notes, month header, the day rows with a blank
// line before days 1, 6, 11, 16, 21 and 26, and the author line. One
// header line is hidden on the screen (the sixth for Eot and Declination,
// the fifth for EotLongitude, the fourth for Transit). Days that do not
// exist are blank cells; 5 .. 14 October 1582 read "   ----".
SolarTable yearTable(int year, YearTableKind kind);

// The cell of one date (6 characters, 8 for Transit), without the blank
// that separates it from its neighbour: "-13:36", "-23.03", "12:04:31".
// correction is longitude - zoneMeridian for EotLongitude and Transit.
std::string yearTableCell(int year, int month, int day, YearTableKind kind, double correction);

// The transit cell of d = correction - EoT degrees (minutes of time after
// 12 h = 4 d): "12:" + mm:ss for 0 <= d < 15, "13:" + mm:ss of d - 15 for
// d >= 15, "11:" + mm:ss of d + 15 for d < 0. A value that rounds to a
// full hour is written as that hour ("13:00:00", never "12:60:00").
std::string transitText(double d);

}  // namespace tavrel
