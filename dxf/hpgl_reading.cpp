// Reading of the plot file for the HPGL-to-DXF converter: the parameter
// texts of the commands, their tokens and numbers, and the command
// interpreter (pen moves, pen, line type and width, clip window).
//
// The HPGL subset follows HP-GL (HP 7475A Interfacing and Programming
// Manual) with the HP-GL/2 pen width: IN VS PU PD PA PR SP LT PW EA ER CI
// AA AR SI DI SL LB IW SA SS.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "base/text_encoding.h"
#include "core/language.h"
#include "core/platform.h"
#include "dxf/dxf_number.h"
#include "dxf/hpgl_to_dxf.h"

namespace tavrel::hpgl_dxf_detail {

namespace {

constexpr int kEtx = 3;

// Parameter texts of ordinary commands are short strings of the historic
// kind: at most 255 characters are held, more is cut (with a message) to
// 250. PD, PA and PU coordinate lists are executed piecewise once their
// text is longer than 230 characters, nine pairs at a time.
constexpr std::size_t kHeldParameterChars = 255;
constexpr std::size_t kLongestParameter = 252;
constexpr std::size_t kCutParameter = 250;
constexpr std::size_t kPiecewiseFrom = 230;
constexpr int kPiecePairs = 9;
constexpr int kCommandPairs = 255;
// A label is kept whole however long it is, up to this many characters
// (the rest up to its ETX is skipped), so that memory stays bounded.
constexpr std::size_t kLongestLabel = 4096;

// The trailing and leading characters removed from a parameter text.
bool isTrimmed(char c) {
  return c == kEtx || c == '\n' || c == '\r' || c == ' ' || c == ';';
}

// Character classes of the reading loops, one table look-up per character.
enum : unsigned char {
  kNumberChar = 1,   // + - . 0-9
  kSeparator = 2,    // blank , ;
  kEndsCommand = 4,  // ETX CR ; (ETX alone ends a label)
};

constexpr auto kCharClass = [] {
  std::array<unsigned char, 256> table{};
  for (char c : std::string_view("+-.0123456789")) table[static_cast<unsigned char>(c)] |= kNumberChar;
  for (char c : std::string_view(" ,;")) table[static_cast<unsigned char>(c)] |= kSeparator;
  for (char c : std::string_view("\3\r;")) table[static_cast<unsigned char>(c)] |= kEndsCommand;
  return table;
}();

bool isClass(char c, unsigned char charClass) {
  return (kCharClass[static_cast<unsigned char>(c)] & charClass) != 0;
}

bool isNumberChar(char c) { return isClass(c, kNumberChar); }

bool isSeparator(char c) { return isClass(c, kSeparator); }

// A token of a sign and one to nine digits: its magnitude and sign.
bool integerToken(std::string_view s, std::uint64_t& magnitude, bool& negative) {
  std::size_t i = 0;
  negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    i = 1;
  }
  if (s.size() == i || s.size() - i > 9) return false;
  std::uint64_t m = 0;
  for (; i < s.size(); ++i) {
    const unsigned digit = static_cast<unsigned char>(s[i]) - unsigned{'0'};
    if (digit > 9) return false;
    m = m * 10 + digit;
  }
  magnitude = m;
  return true;
}

}  // namespace

// A decimal number as the plot file writes it: optional sign, digits with
// at most one ".", at least one digit; no exponent. Blanks around it (as
// fixedText leaves them) are allowed.
bool parseNumber(std::string_view s, double& value) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Up to 15 digits the value is an exact integer divided by an exact
  // power of ten: one correctly rounded division gives the correctly
  // rounded number (Clinger, "How to read floating point numbers
  // accurately", PLDI 1990). Longer texts go to std::from_chars.
  static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t mantissa = 0;
  int digits = 0, points = 0, decimals = 0;
  for (char c : s) {
    if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10 + (c - '0');
      ++digits;
      decimals += points;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  if (digits == 0 || points > 1) return false;
  double v = 0;
  if (digits <= 15) {
    v = static_cast<double>(mantissa) / kTens[decimals];
  } else {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
  }
  value = negative ? -v : v;
  return true;
}

// ---------------------------------------------------------------- reading

void HpglToDxf::run(int c, ByteReader& in) {
  while (c != kEndOfInput) {
    cmd_.assign(1, static_cast<char>(c));
    int second = in.get();
    if (second != kEndOfInput) cmd_ += static_cast<char>(second);
    readParameters(in, second != kEndOfInput);
    finishParameters();
    execute(kCommandPairs);
    do {
      c = in.get();
    } while (c != kEndOfInput && c <= 64);
    numberError_ = false;
  }
  closePolyline();
}

void HpglToDxf::readParameters(ByteReader& in, bool hasSecondChar) {
  text_.clear();
  at_ = 0;
  if (!hasSecondChar) return;
  const bool isLabel = cmd_ == "LB";
  const bool piecewise = cmd_ == "PD" || cmd_ == "PA" || cmd_ == "PU";
  const std::size_t held = isLabel ? kLongestLabel : kHeldParameterChars;
  for (;;) {
    // Up to the terminator, in runs; a coordinate list beyond the
    // piecewise limit one character at a time.
    std::string_view run = in.ahead();
    if (run.empty()) return;
    std::size_t limit = run.size();
    // Once the held text is full nothing more is taken in, and nothing it
    // holds can run (the pieces would have run as it filled): the rest of
    // an over-long number is passed over in runs, not one character at a
    // time, so that its length costs no more than reading it.
    if (piecewise && text_.size() < held) {
      limit = text_.size() > kPiecewiseFrom ? 1 : std::min(limit, kPiecewiseFrom + 1 - text_.size());
    }
    std::size_t n = 0;
    bool ended = false;
    while (n < limit) {
      const char c = run[n++];
      if (isClass(c, kEndsCommand) && (c == kEtx || !isLabel)) {
        ended = true;
        break;
      }
    }
    in.skip(n);
    const std::size_t room = held > text_.size() ? held - text_.size() : 0;
    text_.append(run.data(), std::min(n, room));
    if (ended && run[n - 1] == kEtx && n > room) text_ += static_cast<char>(kEtx);
    if (ended) return;
    if (piecewise && text_.size() > kPiecewiseFrom && !numberError_) {
      int budget = piecePairs();
      if (budget > 0) {
        execute(budget);
        text_.erase(0, at_);
        at_ = 0;
      }
    }
  }
}

// How many pairs a piecewise execution may take: at most nine, and only
// pairs whose numbers are complete, so that a number or pair split by the
// end of the text read so far is converted whole later. Text that is not
// a number ends the count: the execution then meets it as the whole
// command would.
int HpglToDxf::piecePairs() const {
  int tokens = 0;
  std::size_t i = 0;
  const std::size_t n = text_.size();
  for (;;) {
    while (i < n && isSeparator(text_[i])) ++i;
    if (i == n) break;
    if (!isNumberChar(text_[i])) return kPiecePairs;
    while (i < n && isNumberChar(text_[i])) ++i;
    if (i == n) break;  // may continue with the next character
    ++tokens;
    if (tokens >= 2 * (kPiecePairs + 1)) break;
  }
  int pairs = tokens / 2;
  if (cmd_ == "PA" && !penPos_.known()) --pairs;  // PA takes its first pair uncounted
  return pairs < kPiecePairs ? pairs : kPiecePairs;
}

void HpglToDxf::finishParameters() {
  auto trimEnd = [this] {
    while (!text_.empty() && isTrimmed(text_.back())) text_.pop_back();
  };
  if (text_.size() <= kLongestParameter) {
    trimEnd();
  } else if (cmd_ != "LB") {
    if (tooLongCommands_++ < kMostTooLongBoxes)
      showMessage(MsgCaption::Error, MsgIcon::Error,
                  escapeControlBytes(cmd_ + text_) + workText(workTextRow::kDxfCommandTooLong));
    text_.resize(kCutParameter);
    trimEnd();
  }
  std::size_t start = 0;
  while (start < text_.size() && isTrimmed(text_[start])) ++start;
  text_.erase(0, start);
}

// True while the parameter text holds more than separators.
bool HpglToDxf::moreParameters() const {
  for (char c : rest())
    if (!isSeparator(c)) return true;
  return false;
}

// The next token of the parameter text, or false with the number error.
bool HpglToDxf::readToken(std::string_view& token) {
  const std::size_t n = text_.size();
  while (at_ < n && isSeparator(text_[at_])) ++at_;
  std::size_t end = at_;
  while (end < n && isNumberChar(text_[end])) ++end;
  if (end == at_ || numberError_) {
    if (!numberError_)
      log(workText(workTextRow::kDxfErrorInCommand) + cmd_ + " " + std::string(rest()) + ";");
    numberError_ = true;
    while (at_ < n && text_[at_] != '-' && text_[at_] != '.' &&
           !(text_[at_] >= '0' && text_[at_] <= '9'))
      ++at_;
    return false;
  }
  token = std::string_view(text_).substr(at_, end - at_);
  at_ = end;
  return true;
}

bool HpglToDxf::readNumber(std::string& target) {
  std::string_view token;
  if (!readToken(token)) return false;
  target.assign(token);
  return true;
}

// *value (if given) receives parseNumber(target), or NaN where that is
// not known without reading the text again.
bool HpglToDxf::readCoordinate(CoordText& target, double* value) {
  std::string_view token;
  if (!readToken(token)) return false;
  scaledCoordinate(token, target, value);
  return true;
}

// A coordinate or radius token divided by the scale: fixedText(v, 10, 4)
// without its leading blanks; with scale 1 the token as written. A token
// that is not a number (such as "1.2.3") gives "-1.0000".
void HpglToDxf::scaledCoordinate(std::string_view token, CoordText& target, double* value) {
  // An integer token m gives m * tenThousandthsPerUnit_ ten-thousandths
  // exactly: the digits fixedText finds for the quotient m / scale, whose
  // rounding error is far from any tie; dxfFixedInteger also gives the
  // value read back, the correctly rounded m / scale.
  std::uint64_t m = 0;
  bool negative = false;
  const bool integer = integerToken(token, m, negative);
  if (integer && tenThousandthsPerUnit_ != 0) {
    const std::uint64_t n = m * tenThousandthsPerUnit_;
    if (n < (std::uint64_t{1} << 31)) {
      target.setSize(dxfFixedInteger(target.room(), static_cast<std::uint32_t>(n), negative, 0, 4,
                                     value));
      return;
    }
  }
  // At scale 1 such a token is copied, its value the integer itself (as
  // parseNumber reads it, "-0" included).
  if (integer && scale_ == 1.0) {
    if (value) *value = negative ? -static_cast<double>(m) : static_cast<double>(m);
    target.assign(token);
    return;
  }
  double v = 0;
  if (value) *value = std::numeric_limits<double>::quiet_NaN();
  if (!parseNumber(token, v)) {
    const std::string t(token);
    log(workText(workTextRow::kDxfErrorIn) + cmd_ + " " + t + std::string(rest()) + workText(workTextRow::kDxfBecause) + t +
        workText(workTextRow::kDxfNotANumber));
    target = "-1.0000";
    return;
  }
  if (scale_ == 1.0) {
    if (value) *value = v;
    target.assign(token);
    return;
  }
  target.setSize(dxfFixed(target.room(), finite(v / scale_), 0, 4, value));
}

// Reads into p, which the callers drop when this fails.
bool HpglToDxf::readPair(TextPoint& p) {
  if (!readCoordinate(p.x, &p.vx) || !readCoordinate(p.y, &p.vy)) return false;
  p.valued = !std::isnan(p.vx) && !std::isnan(p.vy);
  return true;
}

// ---------------------------------------------------------------- commands

void HpglToDxf::execute(int budget) {
  const std::string& c = cmd_;
  if (c == "IN") {
    absolute_ = true;
    newPoint_ = penPos_ = {"0.00", "0.00"};
    alternateFont_ = false;
  } else if (c == "VS") {
  } else if (c == "PU") {
    closePolyline();
    penIsDown_ = false;
    markConverted();
    movePairs(budget);
  } else if (c == "PD") {
    penDown(budget);
  } else if (c == "PA") {
    plotAbsolute(budget);
  } else if (c == "PR") {
    plotRelative(budget);
  } else if (c == "SP") {
    selectPen();
  } else if (c == "LT") {
    lineType();
  } else if (c == "PW") {
    penWidth();
  } else if (c == "EA" || c == "ER") {
    edgeRectangle(c == "ER");
  } else if (c == "CI") {
    circle();
  } else if (c == "AA" || c == "AR") {
    arc(c == "AR");
  } else if (c == "SI") {
    characterSize();
  } else if (c == "DI") {
    direction();
  } else if (c == "SL") {
    slant();
  } else if (c == "LB") {
    label();
  } else if (c == "IW") {
    inputWindow();
  } else if (c == "SA") {
    alternateFont_ = true;
  } else if (c == "SS") {
    alternateFont_ = false;
  } else {
    log(workText(workTextRow::kDxfCommand) + c + workText(workTextRow::kDxfNotSupported));
    closePolyline();
  }
}

// Pen-up moves: absolute pairs or offsets from the pen position.
void HpglToDxf::movePairs(int budget) {
  while (budget > 0 && moreParameters()) {
    TextPoint p;
    if (!readPair(p)) return;
    --budget;
    newPoint_ = absolute_ ? std::move(p) : offsetFromPen(p);
    penPos_ = newPoint_;
  }
}

bool HpglToDxf::startAtFirstPair(int& budget, bool counted) {
  if (penPos_.known() || !moreParameters()) return true;
  TextPoint p;
  if (!readPair(p)) return false;
  if (counted) --budget;
  penPos_ = p;
  return true;
}

void HpglToDxf::penDown(int budget) {
  penIsDown_ = true;
  markConverted();
  if (!startAtFirstPair(budget, true)) return;
  drawPairs(budget);
}

void HpglToDxf::plotAbsolute(int budget) {
  absolute_ = true;
  if (!startAtFirstPair(budget, false)) return;
  if (penIsDown_) drawPairs(budget);
  else movePairs(budget);
}

void HpglToDxf::plotRelative(int budget) {
  absolute_ = false;
  markConverted();
  if (!startAtFirstPair(budget, true)) return;
  if (penIsDown_) drawPairs(budget);
  else movePairs(budget);
}

void HpglToDxf::selectPen() {
  // The pen number names the layer and is the colour (group 62) of every
  // entity: a run of sign and digit characters that is no number ("4+",
  // ".") would make the file unreadable, so it is refused like a
  // coordinate that is no number, and the pen stays.
  std::string pen;
  double number = 0;
  if (readNumber(pen)) {
    if (parseNumber(pen, number)) {
      pen_ = pen;
      layer_ = "L_" + pen_;
      vertexHead_.clear();
    }
    else
      log(workText(workTextRow::kDxfErrorIn) + cmd_ + " " + pen + std::string(rest()) + workText(workTextRow::kDxfBecause) + pen +
          workText(workTextRow::kDxfNotANumber));
  }
  markConverted();
  closePolyline();
}

void HpglToDxf::lineType() {
  std::string type;
  if (!text_.empty()) readNumber(type);
  if (type == "1") lineType_ = "DOT";
  else if (type == "2" || type == "3") lineType_ = "DASHED";
  else if (type == "4") lineType_ = "DASHDOT";
  else lineType_ = "CONTINUOUS";
  vertexHead_.clear();
}

void HpglToDxf::penWidth() {
  double w = 0;
  if (text_.empty()) {
    width_.clear();
  } else if (text_ == "0") {
    width_ = "0";
  } else if (parseNumber(text_, w)) {
    width_ = numText(w * 4.0 / scale_, 6, 2);
  } else {
    // A width with a pen number ("PW 0.35,2") or no number at all: the
    // previous width stays.
    log(workText(workTextRow::kDxfErrorInPw) + text_ + "!");
  }
  log(workText(workTextRow::kDxfPwOnlyHpgl2));
}

void HpglToDxf::inputWindow() {
  bool fullPage = text_.empty();
  if (!fullPage) {
    TextPoint low, high;
    if (readPair(low) && readPair(high)) {
      wxMinText_ = low.x;
      wyMinText_ = low.y;
      wxMaxText_ = high.x;
      wyMaxText_ = high.y;
    } else {
      fullPage = true;
    }
  }
  if (fullPage) {
    // The whole plotter page (16400 wide, not the 16440 of the extents).
    wxMinText_ = "0";
    wyMinText_ = "0";
    wxMaxText_ = numText(16400.0 / scale_, 10, 4);
    wyMaxText_ = numText(11480.0 / scale_, 10, 4);
  }
  wxMin_ = wyMin_ = wxMax_ = wyMax_ = 0;
  parseNumber(wxMinText_, wxMin_);
  parseNumber(wyMinText_, wyMin_);
  parseNumber(wxMaxText_, wxMax_);
  parseNumber(wyMaxText_, wyMax_);
  if (wxMin_ > wxMax_) {
    std::swap(wxMin_, wxMax_);
    std::swap(wxMinText_, wxMaxText_);
  }
  if (wyMin_ > wyMax_) {
    std::swap(wyMin_, wyMax_);
    std::swap(wyMinText_, wyMaxText_);
  }
}

// ------------------------------------------------------------ file handling

int firstCommandLetter(std::FILE* file, long& letterOffset) {
  int c;
  long offset = 0;
  while ((c = std::getc(file)) != EOF && c <= 64) ++offset;
  if (c == EOF) return kEndOfInput;
  letterOffset = offset;
  int d;
  while ((d = std::getc(file)) != EOF)
    if (d != ' ' && d != '\t' && d != '\r' && d != '\n') break;
  if (d == EOF) return kEndOfInput;
  return c;
}

}  // namespace tavrel::hpgl_dxf_detail
