// Number and text utilities shared by every file, table and plot writer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// Fixed-point text: exactly `decimals` digits after a "." (never the
// locale's comma), rounded half away from zero, right-justified with
// blanks to at least `width` characters and never cut. decimals > width is
// refused: tryFixedText gives nullopt, fixedText the empty text (callers
// with widths not fixed in the code use fixedTextOrMessage, core/platform.h,
// which shows the message).
// Ties are decided on the exact binary value: 0.125 gives "0.13", but
// 1.005 (stored as 1.00499999999999989...) gives "1.00". A result that
// rounds to zero has no minus sign. NaN and infinities give "NaN", "INF",
// "-INF".
std::optional<std::string> tryFixedText(double x, int width, int decimals);
std::string fixedText(double x, int width, int decimals);

// Nearest integer, ties to even (the rounding of Round in the
// constructions); NaN gives 0, values beyond the range of long long are
// clamped to it.
long long roundHalfEven(double x);

// Integer coordinate text of plot files: clamped to +-217,000,000, rounded
// to the nearest integer with ties to even, no blanks or plus sign.
std::string hpglInt(double x);

// Umlauts for plotter labels: Ä Ae, Ö Oe, Ü Ue, ä ae, ö oe, ü ue (UTF-8);
// everything else, ß included, is kept.
std::string asciiUmlauts(std::string_view text);

// Removes every "&" and ":".
std::string stripAccelerators(std::string_view text);

// Upper-cases a-z only.
std::string upperAscii(std::string_view text);

}  // namespace tavrel
