// The symbol font of the pictures. Texts written in the face "Wingdings"
// carry that font's character codes: "R" the sun, "^" .. "i" the zodiac
// signs Aries .. Pisces. Where that font is missing, a canvas draws the
// same signs as the Unicode characters U+263C (sun) and U+2648 .. U+2653
// (Aries .. Pisces) from a font that has them.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

inline constexpr char kSymbolFace[] = "Wingdings";

// The families that carry the Unicode signs, in the order they are tried
// (DejaVu Sans comes with Debian's fonts-dejavu-core).
inline constexpr const char* kUnicodeSymbolFaces[] = {"DejaVu Sans", "Symbola", "Noto Sans Symbols",
                                                      "Noto Sans Symbols 2", "FreeSerif"};

// The text with every symbol code replaced by its Unicode sign in UTF-8;
// any other character (a Unicode sign already, a blank) stays.
std::string symbolCodesToUnicode(std::string_view text);

}  // namespace tavrel
