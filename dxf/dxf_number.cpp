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

// Integer N as a number with `decimals` places: N / 10^decimals,
// at least one digit before the point.
std::size_t scaledInteger(char* out, std::uint64_t n, int decimals) {
  char digits[48];
  char* p = digits + sizeof digits;
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0);
  const std::size_t length = static_cast<std::size_t>(digits + sizeof digits - p);
  std::memcpy(out, p, length);
  return length;
}

}  // namespace

std::size_t dxfFixed(char* out, double x, int width, int decimals, double* readBack) {
  char body[kDxfFixedMax + 2];
  char* text = body + 1;  // room for the sign
  std::size_t length = 0;
  bool zero = false;
  const double magnitude = std::fabs(x);
  const double product = magnitude * kPowersOfTen[decimals];
  // The product is within half an ulp (below 2^-22 here) of the exact
  // value, so away from a tie it rounds the same way.
  if (product < 2147483648.0 && std::fabs(product - std::floor(product) - 0.5) > 1e-6) {
    const auto n = static_cast<std::uint64_t>(std::floor(product + 0.5));
    length = scaledInteger(text, n, decimals);
    zero = n == 0;
    // The text is n / 10^decimals with at most 10 digits: an exact integer
    // over an exact power of ten, read back by one correctly rounded
    // division.
    if (readBack) {
      const double back = static_cast<double>(n) / kPowersOfTen[decimals];
      *readBack = std::signbit(x) && !zero ? -back : back;
    }
  } else {
    if (readBack) *readBack = std::numeric_limits<double>::quiet_NaN();
    char* digits = exactDigits(text, magnitude, decimals, length);
    if (digits != text) std::memmove(text, digits, length);
    zero = true;
    for (std::size_t i = 0; i < length; ++i) zero = zero && (text[i] == '0' || text[i] == '.');
  }
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
