// Number and text utilities. Every number written to a file goes through
// here, so nothing in this file may depend on the C locale: digits come
// from std::to_chars, which is locale-independent by definition.
#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "base/geometry.h"

namespace tavrel {

namespace {

// Digits of |x| with `decimals` places, from std::to_chars (shortest
// correctly rounded fixed form of the exact binary value).
std::string fixedDigits(double magnitude, int decimals) {
  // A double below 2^1024 has at most 309 integer digits.
  std::string buf(static_cast<std::size_t>(330 + decimals), '\0');
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                           std::chars_format::fixed, decimals);
  buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
  return buf;
}

// Adds one unit in the last place to a string of digits and at most one
// ".", carrying to the left ("9.99" -> "10.00").
void incrementLastDigit(std::string& s) {
  for (std::size_t i = s.size(); i-- > 0;) {
    if (s[i] == '.') continue;
    if (s[i] != '9') {
      ++s[i];
      return;
    }
    s[i] = '0';
  }
  s.insert(s.begin(), '1');
}

// True when the exact value of |x| lies exactly half-way between two
// multiples of 10^-decimals. The exact value is N / 2^m; its decimal
// expansion has exactly m fractional digits, the last one a 5 (for m > 0).
// A tie at `decimals` places is therefore the case m == decimals + 1,
// which is tested exactly with power-of-two scalings.
bool isDecimalTie(double magnitude, int decimals) {
  if (decimals + 1 > 1074) return false;
  const double up = std::ldexp(magnitude, decimals + 1);
  const double half = std::ldexp(magnitude, decimals);
  if (!std::isfinite(up)) return false;
  return std::floor(up) == up && std::floor(half) != half;
}

}  // namespace

// Rounding: half away from zero, decided on the exact decimal value of the
// double, not on its shortest text. 0.125 (exact in binary) gives "0.13"
// with two decimals, -0.125 "-0.13"; 1.005 is stored as
// 1.00499999999999989... and gives "1.00". A result that rounds to zero
// carries no minus sign ("0.00", not "-0.00"). NaN and the infinities are
// written "NaN", "INF" and "-INF".
std::optional<std::string> tryFixedText(double x, int width, int decimals) {
  if (decimals > width) return std::nullopt;
  if (decimals < 0) decimals = 0;
  std::string text;
  if (std::isnan(x)) {
    text = "NaN";
  } else if (std::isinf(x)) {
    text = x < 0 ? "-INF" : "INF";
  } else {
    const double magnitude = std::fabs(x);
    if (isDecimalTie(magnitude, decimals)) {
      text = fixedDigits(magnitude, decimals + 1);  // exact, ends in "5"
      text.pop_back();
      if (!text.empty() && text.back() == '.') text.pop_back();
      incrementLastDigit(text);
    } else {
      text = fixedDigits(magnitude, decimals);
    }
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (std::signbit(x) && !allZero) text.insert(text.begin(), '-');
  }
  if (static_cast<int>(text.size()) < width)
    text.insert(text.begin(), static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string fixedText(double x, int width, int decimals) {
  return tryFixedText(x, width, decimals).value_or(std::string());
}

long long roundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  constexpr double kMax = 9.2e18;
  if (x > kMax) return static_cast<long long>(kMax);
  if (x < -kMax) return -static_cast<long long>(kMax);
  // Independent of the FPU rounding mode: round() takes ties away from
  // zero, then a tie landing on an odd number steps back.
  double r = std::round(x);
  if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0.0)
    r -= (x > 0 ? 1.0 : -1.0);
  return static_cast<long long>(r);
}

std::string hpglInt(double x) {
  constexpr double kLimit = 217000000.0;
  if (std::fabs(x) > kLimit) x = signOf(x) * kLimit;
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, roundHalfEven(x));
  return std::string(buf, res.ptr);
}

std::string asciiUmlauts(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0xC3 && i + 1 < text.size()) {
      const char* repl = nullptr;
      switch (static_cast<unsigned char>(text[i + 1])) {
        case 0x84: repl = "Ae"; break;  // Ä
        case 0x96: repl = "Oe"; break;  // Ö
        case 0x9C: repl = "Ue"; break;  // Ü
        case 0xA4: repl = "ae"; break;  // ä
        case 0xB6: repl = "oe"; break;  // ö
        case 0xBC: repl = "ue"; break;  // ü
        default: break;
      }
      if (repl) {
        out += repl;
        ++i;
        continue;
      }
    }
    out += static_cast<char>(c);
  }
  return out;
}

std::string stripAccelerators(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '&' && c != ':') out += c;
  return out;
}

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace tavrel
