// Sexagesimal texts of the equation of time and of clock times.
#pragma once

#include <string>

namespace tavrel {

// x is an angle of time in degrees (4 minutes of time per degree); the
// text shows a = 4 * x as whole units, ":" and two-digit sixtieths, the
// sixtieths rounded half away from zero: "m:ss" for an equation of time,
// "h:mm" when a clock time in hours is passed as hours / 4. A value
// between -1 and 0 is written "-0:ss" from half a sixtieth on. Padded
// with blanks in front to at least six characters, never cut:
// formatMinutesSeconds(0.25) == "  1:00", formatMinutesSeconds(-0.125) == " -0:30".
std::string formatMinutesSeconds(double x);

}  // namespace tavrel
