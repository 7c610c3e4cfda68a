#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/text_encoding.h"

namespace tavrel {
namespace {

const std::string kFixtures = std::string(TAVREL_SOURCE_DIR) + "/tests/fixtures/settings/";

std::string utf8Of(char32_t cp) {
  // Independent of the code under test: the standard's own UTF-8 literal
  // conversion is not available for runtime values, so build it by hand
  // only for the ranges the table holds (below U+10000).
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// Every byte that Windows-1252 assigns, checked against Python's cp1252
// codec (tests/fixtures/settings/cp1252_table.txt, made by
// make_settings_fixtures.py), in both directions.
TEST(TextEncodingTest, Windows1252TableMatchesPythonCodec) {
  std::ifstream in(kFixtures + "cp1252_table.txt");
  ASSERT_TRUE(in) << "missing fixture cp1252_table.txt";
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    unsigned byte = 0, cp = 0;
    fields >> std::hex >> byte >> cp;
    const std::string raw(1, static_cast<char>(byte));
    SCOPED_TRACE(line);
    EXPECT_EQ(windows1252ToUtf8(raw), utf8Of(cp));
    EXPECT_EQ(utf8ToWindows1252(utf8Of(cp)), raw);
    ++rows;
  }
  EXPECT_EQ(rows, 251);  // 256 bytes less the five unassigned ones
}

TEST(TextEncodingTest, UnassignedBytesSurviveARoundTrip) {
  for (unsigned b : {0x81u, 0x8Du, 0x8Fu, 0x90u, 0x9Du}) {
    const std::string raw(1, static_cast<char>(b));
    const std::string utf8 = windows1252ToUtf8(raw);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), raw);
  }
}

TEST(TextEncodingTest, RefusesWhatWindows1252CannotHold) {
  EXPECT_EQ(utf8ToWindows1252("\xC5\x82"), std::nullopt);      // U+0142 l with stroke
  EXPECT_EQ(utf8ToWindows1252("\xE2\x98\x80"), std::nullopt);  // U+2600 sun
  EXPECT_EQ(utf8ToWindows1252("\xC3"), std::nullopt);          // cut sequence
  EXPECT_EQ(utf8ToWindows1252("M\xC3\xA4rz"), std::string("M\xE4rz"));
}

// Well-formedness after the Unicode Standard, Table 3-7.
TEST(TextEncodingTest, Utf8Validation) {
  struct Case {
    const char* bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain", true},
      {"M\xC3\xA4rz", true},
      {"\xE2\x82\xAC", true},        // euro sign
      {"\xF0\x9F\x8C\x9E", true},    // U+1F31E
      {"\xF4\x8F\xBF\xBF", true},    // U+10FFFF
      {"M\xE4rz", false},            // Windows-1252 umlaut
      {"\xC0\xAF", false},           // overlong "/"
      {"\xE0\x80\xAF", false},       // overlong
      {"\xED\xA0\x80", false},       // surrogate U+D800
      {"\xF4\x90\x80\x80", false},   // above U+10FFFF
      {"\xC3", false},               // truncated
      {"\x80", false},               // lone continuation byte
      {"\xF5\x80\x80\x80", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
  }
}

TEST(TextEncodingTest, DetectsTheEncodingOfAFile) {
  EXPECT_EQ(detectEncoding("21/03 ( 21. M\xE4rz )"), TextEncoding::Windows1252);
  EXPECT_EQ(detectEncoding("21/03 ( 21. M\xC3\xA4rz )"), TextEncoding::Utf8);
  EXPECT_EQ(detectEncoding("ascii only"), TextEncoding::Windows1252);
  EXPECT_EQ(decodeFileText("M\xE4rz \x80"), "M\xC3\xA4rz \xE2\x82\xAC");
  EXPECT_EQ(decodeFileText("M\xC3\xA4rz"), "M\xC3\xA4rz");
  EXPECT_EQ(decodeFileText("\xEF\xBB\xBFplain"), "plain");  // byte-order mark dropped
}

TEST(TextEncodingTest, SplitsAtEveryKindOfLineEnd) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"\r\n", {""}},
      {"mixed\r\nends\nhere\rnow", {"mixed", "ends", "here", "now"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitLines(c.text), c.lines);
  }
}

TEST(TextEncodingTest, WritesWindows1252UnlessACharacterIsMissing) {
  EXPECT_EQ(encodeFileLines({"21/03    ( 21. M\xC3\xA4rz )", "x"}),
            "21/03    ( 21. M\xE4rz )\r\nx\r\n");
  // A character outside the code page: the whole file in UTF-8, unchanged.
  const std::vector<std::string> polish{"11/11    ( 11. Lis \xC5\x9Awi\xC4\x99to )", "M\xC3\xA4rz"};
  const std::string bytes = encodeFileLines(polish);
  EXPECT_EQ(bytes, polish[0] + "\r\n" + polish[1] + "\r\n");
  EXPECT_EQ(splitLines(decodeFileText(bytes)), polish);
  EXPECT_EQ(encodeFileLines({}), "");
  // "Ã¤" in Windows-1252 (C3 A4) would read back as "ä": written as UTF-8.
  const std::vector<std::string> mojibake{"01/01    ( \xC3\x83\xC2\xA4 )"};
  EXPECT_EQ(encodeFileLines(mojibake), mojibake[0] + "\r\n");
  EXPECT_EQ(splitLines(decodeFileText(encodeFileLines(mojibake))), mojibake);
}

// What a terminal would obey is shown, not sent: C0 and C1 controls and
// DEL, and bytes that are no well-formed UTF-8 (a lone 0x9B is the CSI of
// an 8-bit terminal). Printable text, umlauts included, stays.
TEST(TextEncodingTest, ControlBytesAreShownEscaped) {
  struct Case {
    std::string in;
    std::string shown;
  };
  const Case cases[] = {
      {"Command: PD; not supported!", "Command: PD; not supported!"},
      {"wird nicht unterst\xC3\xBCtzt", "wird nicht unterst\xC3\xBCtzt"},
      {"\x1B[2J", "\\x1B[2J"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\t\r\n\x7F", "\\x09\\x0D\\x0A\\x7F"},
      {"\xC2\x9B" "31m", "\\xC2\\x9B31m"},   // U+009B, the 8-bit CSI, well-formed
      {"\x9B" "31m", "\\x9B31m"},            // a stray byte
      {"\xE4\xF6", "\\xE4\\xF6"},            // Windows-1252 umlauts: not UTF-8
      {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},  // the euro sign
      {"\xF0\x9F", "\\xF0\\x9F"},            // cut sequence
  };
  for (const Case& c : cases) {
    const std::string shown = escapeControlBytes(c.in);
    EXPECT_EQ(shown, c.shown);
    EXPECT_TRUE(isValidUtf8(shown));
    for (char b : shown) EXPECT_GE(static_cast<unsigned char>(b), 0x20u);
  }
}

}  // namespace
}  // namespace tavrel
