// dxfFixed must write exactly what fixedText writes (the formats of the
// DXF output are fixed): hand-worked cases first, then a sweep of values
// of the kinds the converter formats, compared with fixedText, whose
// digits come from std::to_chars by another route.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "core/scripted_platform.h"
#include "dxf/dxf_number.h"
#include "base/number_text.h"

namespace tavrel {
namespace {

TEST(DxfNumberTest, HandWorkedCases) {
  struct Row {
    double x;
    int width, decimals;
    std::string text;
  };
  // The exact value of the double nearest to 1e300 (Python: int(1e300)).
  const std::string kMinus1e300 =
      "-10000000000000000525047602552044202487044685811081591549158541155118024579889081957863713750"
      "80447864043704443832883878176942523235360430575644792184786706982848387200926575803737830233"
      "79478809005936895323497079994508111903896764088007465274278014249457925878882005684283811566"
      "9472196386865459400540160";
  // Ties are decided on the exact binary value, half away from zero:
  // 0.125 and 2.5 are exact; 1.005 is 1.00499999999999989...
  const Row rows[] = {
      {0.0, 10, 4, "    0.0000"},   {10.0, 0, 4, "10.0000"},     {-0.00004, 10, 4, "    0.0000"},
      {-0.00005, 0, 4, "-0.0001"},  {0.125, 6, 2, "  0.13"},     {-0.125, 6, 2, " -0.13"},
      {1.005, 6, 2, "  1.00"},      {2.5, 0, 0, "3"},            {-2.5, 5, 0, "   -3"},
      {9.99995, 11, 4, "    10.0000"}, {99.5, 0, 0, "100"},      {16440.0 / 40, 8, 2, "  411.00"},
      {3e9 + 0.5, 0, 0, "3000000001"}, {-1e300, 0, 0, kMinus1e300},
      {1234567.891, 3, 1, "1234567.9"},
      // Integer route: blanks beyond the short block, many decimals.
      {-1.5, 40, 3, std::string(34, ' ') + "-1.500"}, {0.75, 32, 2, std::string(28, ' ') + "0.75"},
      {0.5, 0, 9, "0.500000000"}, {0.0, 0, 20, "0.00000000000000000000"}, {-0.0, 3, 0, "  0"},
      {2147.48364, 0, 6, "2147.483640"},
  };
  for (const Row& r : rows) EXPECT_EQ(dxfFixedText(r.x, r.width, r.decimals), r.text) << r.x;
}

TEST(DxfNumberTest, SameTextAsFixedTextOverTheConvertersValues) {
  ScopedScriptedPlatform platform;
  struct Format {
    int width, decimals;
  };
  // The last three reach the widths beyond the block copy of short texts
  // and the most decimals the integer route takes.
  const Format formats[] = {{10, 4}, {11, 4}, {11, 5}, {7, 2}, {6, 2}, {5, 1},
                            {8, 2},  {0, 4},  {40, 3}, {33, 9}, {22, 20}};
  std::uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return state >> 11;
  };
  int compared = 0;
  for (int i = 0; i < 200000; ++i) {
    double x;
    switch (i % 4) {
      case 0:  // plotter units divided by a scale
        x = static_cast<double>(static_cast<std::int64_t>(next() % 2000001) - 1000000) /
            (i % 8 == 0 ? 40.0 : 1000.0);
        break;
      case 1:  // values on or near a tie of 2 to 5 decimals
        x = static_cast<double>(static_cast<std::int64_t>(next() % 2000001) - 1000000) / 2e5 +
            static_cast<double>(next() % 3) * 1e-12;
        break;
      case 2:  // any magnitude
        x = std::ldexp(static_cast<double>(next() % (1ull << 52)), static_cast<int>(next() % 80) - 60) *
            (next() % 2 ? -1 : 1);
        break;
      default:  // angles
        x = static_cast<double>(next() % 7200001) / 1e4 - 360.0;
    }
    for (const Format& f : formats) {
      // Width 0 is the converter's "without the leading blanks".
      std::string expected = fixedText(x, f.width == 0 ? 10 : f.width, f.decimals);
      if (f.width == 0) expected.erase(0, expected.find_first_not_of(' '));
      ASSERT_EQ(dxfFixedText(x, f.width, f.decimals), expected)
          << x << " " << f.width << "," << f.decimals;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 200000 * static_cast<int>(std::size(formats)));
}

// The integer route is dxfFixed's common case, and the converter's route
// for integer plotter units: n / 10^decimals must come out as dxfFixed
// writes that value (checked against fixedText above), read back alike.
TEST(DxfNumberTest, IntegerRouteWritesWhatDxfFixedWritesForTheQuotient) {
  std::uint64_t state = 777;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return state >> 33;
  };
  const std::uint32_t edges[] = {0, 1, 9, 10, 99, 100, 9999, 10000, 2147483647};
  for (int i = 0; i < 100000; ++i) {
    const auto n = i < 9 ? edges[i] : static_cast<std::uint32_t>(next() % 2147483648u);
    const bool negative = i % 2 == 1 || n == 0;
    const int decimals = i % 7 == 0 ? static_cast<int>(next() % 21) : 4;
    const int width = i % 5 == 0 ? 0 : static_cast<int>(next() % 40);
    const double x = (negative ? -1.0 : 1.0) * static_cast<double>(n) / std::pow(10.0, decimals);
    char a[kDxfFixedMax + 64], b[kDxfFixedMax + 64];
    double backA = 0, backB = 0;
    const std::size_t la = dxfFixedInteger(a, n, negative, width, decimals, &backA);
    const std::size_t lb = dxfFixed(b, x, width, decimals, &backB);
    ASSERT_EQ(std::string(a, la), std::string(b, lb)) << n << " " << decimals << " " << width;
    // Where dxfFixed knows its read-back value, both agree bit for bit.
    if (!std::isnan(backB)) {
      ASSERT_EQ(std::signbit(backA), std::signbit(backB)) << n;
      ASSERT_EQ(backA, backB) << n << " " << decimals;
    }
  }
}

}  // namespace
}  // namespace tavrel
