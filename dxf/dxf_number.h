// Numbers of the DXF output, formatted into a caller's buffer.
//
// The digits are exactly those of fixedText (plot/number_text.h): the
// exact binary value rounded half away from zero, "." as decimal point,
// no minus sign on a result that rounds to zero, right-aligned in `width`
// columns with blanks. Only finite values are accepted. The converter
// formats millions of coordinates, so the common case (|x| * 10^decimals
// below 2^31 and not within 10^-6 of a rounding tie) is done with one
// multiplication and an integer conversion; everything else takes the
// exact route of std::to_chars.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel {

// Longest text dxfFixed writes (a double below 2^1024 has at most 309
// integer digits).
constexpr std::size_t kDxfFixedMax = 340;

// Writes x into out (at least kDxfFixedMax + width characters) and
// returns the length; decimals 0..20. If readBack is given it receives
// the number that a correctly rounded reading of the written text gives,
// where that comes for free (the common case), else NaN.
std::size_t dxfFixed(char* out, double x, int width, int decimals, double* readBack = nullptr);

// What dxfFixed writes for the value n / 10^decimals, negated when
// `negative` (n below 2^31, decimals 0..20): the route for values known
// as such an integer, and dxfFixed's own common case. No minus sign when
// n is 0. out has the room dxfFixed asks for (the text is copied as a
// block of fixed size); readBack always receives the number.
std::size_t dxfFixedInteger(char* out, std::uint32_t n, bool negative, int width, int decimals,
                            double* readBack = nullptr);

// The same as a string.
std::string dxfFixedText(double x, int width, int decimals);

}  // namespace tavrel
