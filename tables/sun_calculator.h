// The result blocks of the sun calculator: for one date at the place of
// the design record, the declination and equation of time, the times of
// rise, set, twilight, moonrise and moonset, the zone time at which the
// sun stands in a given azimuth, and the sun's position at a clock time.
// Each block is a list of printable lines: a blank line, a rule, a blank
// line, date and place, a blank line, the results, and the rule again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/azimuth_time.h"

namespace tavrel {

struct CalculatorDate {
  int year = 1999;
  int month = 6;
  int day = 22;
};

// The calculator's date as it is computed: 5 .. 14 October 1582, which
// never existed, become 15 October 1582 after a warning box with
// message 26.
CalculatorDate calculatorDate(CalculatorDate date);

// Before a calculation: while design().zoneWarningPending is set (the
// zone meridian lies more than 14 degrees from the longitude) a warning
// box asks with Yes and No whether the values are correct. No: false, the
// calculation is not done. Yes: the flag is cleared and true.
bool confirmZoneMeridianDistance();

// "  " followed by 37 times "__".
std::string calculatorRule();

// Sun declination and equation of time of 12 h zone time.
std::vector<std::string> declinationBlock(CalculatorDate date);

// Sunrise and sunset, twilight of design().twilightKind and moonrise and
// moonset (the search of rise_set_search.h).
std::vector<std::string> riseSetBlock(CalculatorDate date);

// The zone time at which the sun reaches the azimuth (degrees from south,
// west positive) and the sun's altitude then, or "The sun is below the
// horizon!", at the place of the design record (which is left unchanged).
// When no time is found (the search has shown its message) the block says so with
// message 24.
std::vector<std::string> azimuthBlock(CalculatorDate date, double azimuth);

// The boxes of an azimuth search (zoneTimeForAzimuth), in this order: the
// azimuth outside the bracket (error, azimuthOutsideBracketText), not every
// azimuth reached (warning, message 44), the bracket lost (error, messages
// 31 and 32), nothing found (error, message 24).
void showAzimuthSearchMessages(const AzimuthTime& result);

enum class CalculatorTimeSystem { Apparent, Mean, Zone };

// Altitude, azimuth, declination and equation of time of the sun at the
// clock time (hours) in local apparent time, local mean time (both of the
// design record's longitude) or zone time.
std::vector<std::string> positionBlock(CalculatorDate date, double clockTime,
                                       CalculatorTimeSystem system);

// "hh:mm:ss" or "h:mm:ss" -> hours; nullopt for anything else (hours
// 0..24, minutes and seconds 0..59). An empty field is what the window
// answers with "Input?".
std::optional<double> parseClockTime(const std::string& text);

}  // namespace tavrel
