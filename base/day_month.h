// The Gregorian leap rule and the "dd/mm" entries of the user's own date
// lines, checked without any message (the callers show theirs).
#pragma once

#include <optional>
#include <string_view>

namespace tavrel {

// Divisible by 4 and not by 100, or by 400; applied to every year.
bool isGregorianLeapYear(int year);

struct DayMonthParts {
  int day = 0;
  int month = 0;
};

// A "dd/mm" entry (one or two digits each, leading blanks and a sign
// allowed as in the integer entry fields; the entry may go on after the
// month with a blank and a label) checked against `year`: day 1..31 within
// the month's length, 29 February only in leap years. nullopt when invalid
// or empty.
std::optional<DayMonthParts> dayMonthOfEntry(std::string_view text, int year);

}  // namespace tavrel
