#include "dxf/dxf_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tavrel {

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                   1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20};

// True when the exact value of `magnitude` lies half-way between two
// multiples of 10^-decimals: its exact decimal expansion N / 2^m has m
// fractional digits ending in 5, so a tie is the case m == decimals + 1.
bool isDecimalTie(double magnitude, int decimals) {
  const double up = std::ldexp(magnitude, decimals + 1);
  const double half = std::ldexp(magnitude, decimals);
  if (!std::isfinite(up)) return false;
  return std::floor(up) == up && std::floor(half) != half;
}

// Digits of the magnitude with `decimals` places, rounded half away from
// zero on the exact value; written at out + 1 so that a carry can grow
// the number to the left. Returns the start and sets the length.
char* exactDigits(char* out, double magnitude, int decimals, std::size_t& length) {
  char* digits = out + 1;
  if (!isDecimalTie(magnitude, decimals)) {
    // std::to_chars rounds the exact value correctly; only exact ties
    // (which it rounds to even) need the step below.
    auto r = std::to_chars(digits, digits + kDxfFixedMax - 1, magnitude, std::chars_format::fixed,
                           decimals);
    length = static_cast<std::size_t>(r.ptr - digits);
    return digits;
  }
  auto r = std::to_chars(digits, digits + kDxfFixedMax - 1, magnitude, std::chars_format::fixed,
                         decimals + 1);  // exact, ends in "5"
  length = static_cast<std::size_t>(r.ptr - digits) - 1;
  if (decimals == 0) --length;  // the "." before the dropped 5
  for (std::size_t i = length; i-- > 0;) {
    if (digits[i] == '.') continue;
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  *out = '1';
  ++length;
  return out;
}

// "00" "01" ... "99": two digits per division by 100.
constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// Integer n as a number with `decimals` places, n / 10^decimals with at
// least one digit before the point, written backwards so that it ends
// just before `end`; returns its start.
char* scaledInteger(char* end, std::uint32_t n, int decimals) {
  char* p = end;
  int d = decimals;
  for (; d >= 2; d -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
  }
  if (d > 0) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (decimals > 0) *--p = '.';
  while (n >= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
  }
  if (n >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * n, 2);
  } else {
    *--p = static_cast<char>('0' + n);
  }
  return p;
}

}  // namespace

std::size_t dxfFixedInteger(char* out, std::uint32_t n, bool negative, int width, int decimals,
                            double* readBack) {
  // The text (at most 10 digits, 20 decimals, point and sign) is built
  // right-aligned among blanks, so that the padded result is one copy;
  // up to kShort characters are copied as a block of fixed size (out has
  // room for more).
  constexpr std::ptrdiff_t kShort = 32;
  char local[48 + kShort];
  std::memset(local, ' ', sizeof local);
  char* const end = local + 48;
  char* p = scaledInteger(end, n, decimals);
  negative = negative && n != 0;
  if (negative) *--p = '-';
  // The text is n / 10^decimals with at most 10 digits: an exact integer
  // over an exact power of ten, read back by one correctly rounded
  // division.
  if (readBack) {
    const double back = static_cast<double>(n) / kPowersOfTen[decimals];
    *readBack = negative ? -back : back;
  }
  const std::ptrdiff_t used = end - p;
  if (width <= kShort) {
    const std::ptrdiff_t total = width > used ? width : used;
    std::memcpy(out, end - total, kShort);
    return static_cast<std::size_t>(total);
  }
  std::memset(out, ' ', static_cast<std::size_t>(width - used));
  std::memcpy(out + (width - used), p, static_cast<std::size_t>(used));
  return static_cast<std::size_t>(width);
}

std::size_t dxfFixed(char* out, double x, int width, int decimals, double* readBack) {
  const double magnitude = std::fabs(x);
  const double product = magnitude * kPowersOfTen[decimals];
  // Away from a tie the product (within half an ulp, below 2^-22 here,
  // of the exact value) rounds the same way as the exact value.
  if (product < 2147483648.0) {
    const auto whole = static_cast<std::uint32_t>(product);
    if (std::fabs(product - whole - 0.5) > 1e-6)
      return dxfFixedInteger(out, static_cast<std::uint32_t>(product + 0.5), std::signbit(x), width,
                             decimals, readBack);
  }
  if (readBack) *readBack = std::numeric_limits<double>::quiet_NaN();
  char body[kDxfFixedMax + 2];
  char* text = body + 1;  // room for the sign
  std::size_t length = 0;
  char* digits = exactDigits(text, magnitude, decimals, length);
  if (digits != text) std::memmove(text, digits, length);
  bool zero = true;
  for (std::size_t i = 0; i < length; ++i) zero = zero && (text[i] == '0' || text[i] == '.');
  if (std::signbit(x) && !zero) {
    --text;
    *text = '-';
    ++length;
  }
  std::size_t pad = static_cast<std::size_t>(width) > length ? width - length : 0;
  std::memset(out, ' ', pad);
  std::memcpy(out + pad, text, length);
  return pad + length;
}

std::string dxfFixedText(double x, int width, int decimals) {
  char buffer[kDxfFixedMax + 64];
  const int w = width < 64 ? width : 64;
  return std::string(buffer, dxfFixed(buffer, x, w, decimals));
}

}  // namespace tavrel
