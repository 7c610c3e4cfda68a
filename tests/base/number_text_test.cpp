#include "base/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <locale>
#include <string>


namespace tavrel {
namespace {

struct FixedCase {
  double x;
  int width;
  int decimals;
  const char* expected;
};

// Expected texts worked by hand from the exact decimal value of each double
// (Python: decimal.Decimal(x)); "tie" rows are exact binary halves.
constexpr FixedCase kFixedCases[] = {
    {0.28, 5, 2, " 0.28"},
    {8200, 5, 0, " 8200"},
    {-3.14159, 6, 2, " -3.14"},
    {12345.678, 5, 2, "12345.68"},  // wider than asked, not cut
    {0.28 * 25, 5, 2, " 7.00"},
    {0.5 * 25, 5, 2, "12.50"},
    {0, 3, 0, "  0"},
    {0, 2, 2, "0.00"},
    {0.125, 5, 2, " 0.13"},   // tie, away from zero
    {-0.125, 5, 2, "-0.13"},  // tie, away from zero
    {2.5, 0, 0, "3"},         // tie
    {-2.5, 0, 0, "-3"},       // tie
    {0.5, 1, 0, "1"},         // tie
    {1.25, 4, 1, " 1.3"},     // tie
    {9.5, 0, 0, "10"},        // tie with carry
    {-99.95, 1, 1, "-100.0"}, // 99.9500000000000028... above the tie
    {1.005, 4, 2, "1.00"},    // 1.00499999999999989...
    {9.995, 2, 2, "9.99"},    // 9.99499999999999921...
    {2.675, 2, 2, "2.67"},    // 2.67499999999999982...
    {0.05, 1, 1, "0.1"},      // 0.05000000000000000277...
    {0.15, 1, 1, "0.1"},      // 0.14999999999999999444...
    {0.45, 1, 1, "0.5"},      // 0.45000000000000001110...
    {9.9996, 6, 3, "10.000"},
    {-0.001, 5, 2, " 0.00"},  // no "-0.00"
    {-0.0, 4, 1, " 0.0"},
    {1e20, 0, 0, "100000000000000000000"},
    {-1234567.891, 12, 1, "  -1234567.9"},
};

TEST(FixedText, Table) {
  for (const auto& c : kFixedCases) {
    EXPECT_EQ(fixedText(c.x, c.width, c.decimals), c.expected)
        << "x=" << c.x << " width=" << c.width << " decimals=" << c.decimals;
  }
}

TEST(FixedText, DecimalsWiderThanWidthIsRefused) {
  EXPECT_EQ(tryFixedText(1.005, 3, 5), std::nullopt);
  EXPECT_EQ(fixedText(1.005, 3, 5), "");
  EXPECT_EQ(tryFixedText(1.005, 3, 3), "1.005");  // equal is allowed
  EXPECT_EQ(tryFixedText(-2.5, 0, 0), "-3");
}

// A locale whose decimal point is a comma, as a German desktop has.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(FixedText, IgnoresTheGlobalLocale) {
  const std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  const std::string a = fixedText(1234.5678, 10, 3);
  const std::string b = hpglInt(1234567.0);
  std::locale::global(old);
  EXPECT_EQ(a, "  1234.568");
  EXPECT_EQ(b, "1234567");
}

struct HpglIntCase {
  double x;
  const char* expected;
};

// Ties to even; clamped to +-217,000,000.
constexpr HpglIntCase kHpglIntCases[] = {
    {2.5, "2"},     {3.5, "4"},       {-2.5, "-2"},     {-3.5, "-4"},
    {0.5, "0"},     {-0.5, "0"},      {-0.4, "0"},      {1234.5, "1234"},
    {1235.5, "1236"}, {16157, "16157"}, {403925.0, "403925"},
    {0.49999999999999994, "0"},       {2.5000001, "3"}, {-7.6, "-8"},
    {3e9, "217000000"},               {-3e9, "-217000000"},
    {217000000.4, "217000000"},       {216999999.5, "217000000"},
    {1e300, "217000000"},             {-1e300, "-217000000"},
};

TEST(HpglInt, Table) {
  for (const auto& c : kHpglIntCases) EXPECT_EQ(hpglInt(c.x), c.expected) << c.x;
  EXPECT_EQ(hpglInt(std::numeric_limits<double>::infinity()), "217000000");
  EXPECT_EQ(hpglInt(-std::numeric_limits<double>::infinity()), "-217000000");
}

TEST(RoundHalfEven, Table) {
  struct Row {
    double x;
    long long expected;
  };
  constexpr Row kRows[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {-0.5, 0},     {-1.5, -2},
                           {2.4999, 2}, {-2.6, -3}, {1e15 + 0.5, 1000000000000000},
                           {0, 0}};
  for (const auto& r : kRows) EXPECT_EQ(roundHalfEven(r.x), r.expected) << r.x;
  EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_GT(roundHalfEven(1e300), 9000000000000000000LL);
  EXPECT_LT(roundHalfEven(-1e300), -9000000000000000000LL);
}

struct TextCase {
  const char* in;
  const char* expected;
};

TEST(AsciiUmlauts, Table) {
  constexpr TextCase kCases[] = {
      {"Höhe", "Hoehe"},
      {"ÄÖÜäöü", "AeOeUeaeoeue"},
      {"Straße", "Straße"},
      {"Café é", "Café é"},
      {"", ""},
      {"März 21.", "Maerz 21."},
      {"\xC3", "\xC3"},  // a lone lead byte stays as it is
  };
  for (const auto& c : kCases) EXPECT_EQ(asciiUmlauts(c.in), c.expected) << c.in;
}

TEST(StripAccelerators, Table) {
  constexpr TextCase kCases[] = {
      {"&Datei", "Datei"},
      {"Breite:", "Breite"},
      {"a&&b::c", "abc"},
      {"R&D: 12:30", "RD 1230"},
      {"", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(stripAccelerators(c.in), c.expected) << c.in;
}

TEST(UpperAscii, Table) {
  constexpr TextCase kCases[] = {
      {"wingdings", "WINGDINGS"},
      {"abc xyz AZ 09", "ABC XYZ AZ 09"},
      {"äöü ß", "äöü ß"},  // only a-z change
      {"", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(upperAscii(c.in), c.expected) << c.in;
}

}  // namespace
}  // namespace tavrel
