#include "plot/symbol_font.h"

namespace tavrel {

namespace {

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string symbolCodesToUnicode(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (const char ch : text) {
    if (ch == 'R')
      appendUtf8(out, 0x263C);
    else if (ch >= '^' && ch <= 'i')
      appendUtf8(out, 0x2648 + static_cast<char32_t>(ch - '^'));
    else
      out.push_back(ch);
  }
  return out;
}

}  // namespace tavrel
