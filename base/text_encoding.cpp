#include "base/text_encoding.h"

#include <array>
#include <cstdint>

namespace tavrel {

namespace {

// Code points of the bytes 0x80..0x9F (Unicode mapping table CP1252.TXT of
// the Unicode Consortium; the five unassigned bytes map to U+0081, U+008D,
// U+008F, U+0090 and U+009D). 0xA0..0xFF equal their Latin-1 code points.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t windows1252CodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
  return b;
}

std::optional<unsigned char> windows1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at bytes[i]; advances i. nullopt for a
// malformed sequence (RFC 3629, Table 3-7 of the Unicode Standard).
std::optional<char32_t> nextCodePoint(std::string_view bytes, std::size_t& i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char b0 = at(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t length;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // no overlong forms
    if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return std::nullopt;
  }
  if (bytes.size() - i < length) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = at(i + k);
    const unsigned char min = k == 1 ? lo : 0x80;
    const unsigned char max = k == 1 ? hi : 0xBF;
    if (b < min || b > max) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  i += length;
  return cp;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size())
    if (!nextCodePoint(bytes, i)) return false;
  return true;
}

bool hasNonAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) appendUtf8(out, windows1252CodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::u32string decodeUtf8Leniently(std::string_view bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (const auto cp = nextCodePoint(bytes, i)) {
      out += *cp;
    } else {
      out += windows1252CodePoint(static_cast<unsigned char>(bytes[i]));
      ++i;
    }
  }
  return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto cp = nextCodePoint(utf8, i);
    if (!cp) return std::nullopt;
    const auto b = windows1252Byte(*cp);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

TextEncoding detectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom) && isValidUtf8(bytes)) return TextEncoding::Utf8;
  if (hasNonAscii(bytes) && isValidUtf8(bytes)) return TextEncoding::Utf8;
  return TextEncoding::Windows1252;
}

std::string decodeFileText(std::string_view bytes) {
  if (detectEncoding(bytes) == TextEncoding::Utf8) {
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    return std::string(bytes);
  }
  return windows1252ToUtf8(bytes);
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string encodeFileLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  // Windows-1252 unless a character is missing from it, or unless the
  // Windows-1252 bytes would read back as UTF-8 ("Ã¤" is C3 A4, which is
  // also the UTF-8 form of "ä"): the file must read back as written.
  const auto ansi = utf8ToWindows1252(text);
  if (ansi && detectEncoding(*ansi) == TextEncoding::Windows1252) return *ansi;
  return text;
}

}  // namespace tavrel
