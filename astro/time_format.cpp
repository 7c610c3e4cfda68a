#include "astro/time_format.h"

#include <cmath>
#include <cstdio>

namespace tavrel {

namespace {

// Decimal text of a whole number held in a long double (no overflow for
// any finite value).
std::string wholeText(long double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0Lf", v);
  std::string text(buffer);
  if (text == "-0") text = "0";
  return text;
}

}  // namespace

std::string formatMinutesSeconds(double x) {
  const double a = x * 4;
  // The whole part of a value in (-1, 0) is 0 and carries no sign of its
  // own; -0.0083 is about half a sixtieth.
  std::string prefix = (a > -1 && a < -0.0083) ? "-" : "";
  const long double fraction = static_cast<long double>(a) - truncl(a);
  long double s = a >= 0 ? truncl(fraction * 60 + 0.5L) : truncl(fraction * 60 - 0.5L);
  long double whole;
  if (fabsl(s) == 60) {
    whole = truncl(a + 60 / s);  // the sixtieths carry into the whole part
    s = 0;
    if (whole != 0) prefix.clear();
  } else {
    whole = truncl(a);
  }
  const long double seconds = fabsl(s);
  std::string text = prefix + wholeText(whole) + ":" + (seconds < 10 ? "0" : "") + wholeText(seconds);
  if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
  return text;
}

}  // namespace tavrel
