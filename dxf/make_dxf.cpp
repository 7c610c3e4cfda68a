// The HPGL-to-DXF converter.
//
// Units: HPGL plotter units in, DXF units out; a coordinate or radius read
// from the plot file is divided by `scale` (plotter units per DXF unit).
// Angles are degrees, counter-clockwise from +x, as in both formats.
//
// The converter works on text. Coordinates travel from the plot file to
// the DXF file as decimal strings; only scaling, relative moves, clipping,
// arcs, character sizes and angles turn them into numbers, and the results
// are written back with fixed formats (fixedText) that are part of the
// output. One pass over the input writes the DXF record by record, in
// its final form (see dxf_line_writer.h), through the program's safe file
// writer (base/safe_file_writer.h).
//
// The HPGL subset follows HP-GL (HP 7475A Interfacing and Programming
// Manual) with the HP-GL/2 pen width: IN VS PU PD PA PR SP LT PW EA ER CI
// AA AR SI DI SL LB IW SA SS.
#include "dxf/make_dxf.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "core/language.h"
#include "core/platform.h"
#include "dxf/dxf_number.h"
#include "dxf/dxf_head.h"
#include "dxf/dxf_line_writer.h"
#include "dxf/info_lines.h"
#include "base/file_reading.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
#include "core/text_file.h"

namespace tavrel {

namespace {

constexpr int kEtx = 3;
constexpr int kEndOfInput = -1;

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
// Diagnostics kept per conversion; further ones are counted only.
constexpr std::size_t kMostInfoLines = 10000;
// "Command too long" boxes shown per conversion; further ones are counted
// in the last diagnostic line (a damaged file can hold thousands).
constexpr std::size_t kMostTooLongBoxes = 3;

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

// A value beyond the range of doubles (only reachable with absurd
// scales) is written as +-1e300, never as "inf" or "nan".
double finite(double v) {
  if (std::isnan(v)) return 0;
  if (std::isinf(v)) return v > 0 ? 1e300 : -1e300;
  return v;
}

// fixedText(v, width, decimals) of a finite stand-in for v.
std::string numText(double v, int width, int decimals) {
  return dxfFixedText(finite(v), width, decimals);
}

// Scientific form of the default polyline width: sign position (blank or
// "-"), one digit, ".", one digit, "E", exponent sign and four exponent
// digits, e.g. " 1.5E-0001".
std::string scientificWidth(double v) {
  if (!std::isfinite(v)) v = 0;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1E", std::fabs(v));  // "1.5E-01"
  std::string_view text(buffer);
  std::size_t e = text.find('E');
  int exponent = 0;
  std::string_view digits = text.substr(e + 2);
  std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
  char result[32];
  std::snprintf(result, sizeof result, "%c%.*sE%c%04d", v < 0 ? '-' : ' ', static_cast<int>(e),
                buffer, text[e + 1], exponent);
  return result;
}

std::string fileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string ioErrorText(const std::string& path, int error) {
  return path + ": " + std::generic_category().message(error);
}

// Reading of the plot file in large blocks: one character (0..255) at a
// time, or the characters read ahead as a run.
class ByteReader {
 public:
  explicit ByteReader(std::FILE* file) : file_(file), buffer_(new char[kSize]) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
  int get() {
    if (pos_ == size_ && !refill()) return kEndOfInput;
    return static_cast<unsigned char>(buffer_[pos_++]);
  }
  // The characters read ahead (empty only at the end of the input).
  std::string_view ahead() {
    if (pos_ == size_) refill();
    return {buffer_.get() + pos_, size_ - pos_};
  }
  void skip(std::size_t n) { pos_ += n; }
  bool failed() const { return std::ferror(file_) != 0; }
  // The system's reason of a failed read (EIO when it gave none).
  int error() const { return error_ != 0 ? error_ : EIO; }

 private:
  bool refill() {
    errno = 0;
    size_ = std::fread(buffer_.get(), 1, kSize, file_);
    if (std::ferror(file_) && error_ == 0) error_ = errno;
    pos_ = 0;
    return size_ > 0;
  }
  static constexpr std::size_t kSize = std::size_t{1} << 20;
  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0, pos_ = 0;
  int error_ = 0;
};

// A coordinate text held in place. Points are copied from command to
// command millions of times; a text of fixed room saves an allocation
// and the string machinery per copy. The room holds every text a
// coordinate can have: a token of a parameter text (at most 255
// characters), a formatted number (dxfFixed, fields of at most 11
// columns), a window edge.
class CoordText {
 public:
  static constexpr std::size_t kRoom = kDxfFixedMax + 32;
  // Texts up to this length (nearly all) are copied as one block of this
  // fixed size.
  static constexpr std::size_t kShort = 16;

  CoordText() { std::memset(text_, 0, kShort); }
  CoordText(std::string_view s) { assign(s); }
  CoordText(const std::string& s) : CoordText(std::string_view(s)) {}
  CoordText(const char* s) : CoordText(std::string_view(s)) {}
  CoordText(const CoordText& o) { copyFrom(o); }
  CoordText& operator=(const CoordText& o) {
    if (this != &o) copyFrom(o);
    return *this;
  }
  operator std::string_view() const { return {text_, size_}; }
  std::string str() const { return std::string(text_, size_); }
  bool empty() const { return size_ == 0; }
  bool operator==(const CoordText& o) const {
    return std::string_view(*this) == std::string_view(o);
  }
  void assign(std::string_view s) {
    if (s.size() < kShort) std::memset(text_, 0, kShort);
    size_ = static_cast<std::uint32_t>(std::min(s.size(), kRoom));
    std::memcpy(text_, s.data(), size_);
  }
  // Writes the text at out, which has room for kShort characters more.
  void copyTo(char* out) const {
    if (size_ <= kShort) std::memcpy(out, text_, kShort);
    else std::memcpy(out, text_, size_);
  }
  // dxfFixed writes into the room directly.
  char* room() { return text_; }
  void setSize(std::size_t n) { size_ = static_cast<std::uint32_t>(n); }

 private:
  void copyFrom(const CoordText& o) {
    size_ = o.size_;
    o.copyTo(text_);
  }
  std::uint32_t size_ = 0;
  char text_[kRoom];
};

// One point as two decimal texts; an empty x means "unknown". Where the
// point was read from the plot file, the numbers that parseNumber gives
// for the two texts are kept beside them (valued), so that the window
// test need not read them again.
struct TextPoint {
  CoordText x, y;
  double vx = 0, vy = 0;
  bool valued = false;
  bool known() const { return !x.empty(); }
  bool operator==(const TextPoint& o) const { return x == o.x && y == o.y; }
};

// The converter state of one conversion and the command interpreter.
class HpglToDxf {
 public:
  HpglToDxf(DxfLineWriter& out, int lineWidthChoice, double scale)
      : out_(out), scale_(scale) {
    width_ = scientificWidth((6.0 * lineWidthChoice - 6.0) / scale);
    if (scale >= 2 && scale <= 10000 && scale == std::floor(scale) &&
        10000 % static_cast<int>(scale) == 0)
      tenThousandthsPerUnit_ = 10000 / static_cast<std::uint32_t>(scale);
    charHeight_ = numText(2.7 / (scale / 40.0), 10, 4);
  }

  // Runs the command loop from the first command letter c to the end of
  // the input, then closes an open polyline and ends the file.
  void run(int c, ByteReader& in);

  bool converted() const { return converted_; }
  void finishInfoLines();

 private:
  // --- reading ---
  void readParameters(ByteReader& in, bool hasSecondChar);
  void finishParameters();
  int piecePairs() const;
  bool moreParameters() const;
  bool readToken(std::string_view& token);
  bool readNumber(std::string& target);
  bool readCoordinate(CoordText& target, double* value);
  bool readPair(TextPoint& p);
  void scaledCoordinate(std::string_view token, CoordText& target, double* value);

  // --- arithmetic on texts ---
  std::string sum(const CoordText& a, const CoordText& b, const char* axis);
  TextPoint offsetFromPen(const TextPoint& d);
  int windowCode(const TextPoint& p);
  void clipOnce();
  void clip();
  TextPoint penOrOrigin() const;

  // --- commands ---
  void execute(int budget);
  void movePairs(int budget);
  void drawPairs(int budget);
  void penDown(int budget);
  void plotAbsolute(int budget);
  void plotRelative(int budget);
  void selectPen();
  void lineType();
  void penWidth();
  void edgeRectangle(bool relative);
  void circle();
  void arc(bool relative);
  void characterSize();
  void direction();
  void slant();
  void label();
  void inputWindow();

  // --- records ---
  void polylineHead(bool edgeForm);
  void vertex(const TextPoint& p);
  void closePolyline();
  void log(std::string line);
  void markConverted() {
    converted_ = true;
    out_.setConverted();
  }
  const std::string& layer() const { return layer_; }

  DxfLineWriter& out_;
  const double scale_;
  // Where the scale divides 10000 (40, 1000, ...), a plotter unit is a
  // whole number of ten-thousandths of a DXF unit, so an integer token
  // becomes its coordinate text by one multiplication; else 0.
  std::uint32_t tenThousandthsPerUnit_ = 0;

  std::string cmd_;
  // The parameter text; the commands take numbers from its front by
  // moving at_, and what they have taken is dropped after each execution.
  std::string text_;
  std::size_t at_ = 0;
  std::string_view rest() const { return std::string_view(text_).substr(at_); }
  std::string pen_ = "0";
  std::string layer_ = "L_0";  // "L_" + pen_
  TextPoint penPos_;
  TextPoint newPoint_;
  TextPoint saved_;
  bool penIsDown_ = false;
  bool absolute_ = true;
  bool polylineOpen_ = false;
  bool converted_ = false;
  bool numberError_ = false;
  std::string lineType_ = "CONTINUOUS";
  // The first eight lines of a VERTEX record, which change only with the
  // pen and the line type.
  std::string vertexHead_;
  std::string width_;
  std::string widthFactor_ = "0.7";
  std::string charHeight_;
  std::string direction_ = "0.0";
  std::string slant_ = "0.0";
  bool alternateFont_ = false;
  // Clip window: parameter texts and numbers; off while xmin == xmax.
  CoordText wxMinText_, wyMinText_, wxMaxText_, wyMaxText_;
  double wxMin_ = 0, wyMin_ = 0, wxMax_ = 0, wyMax_ = 0;
  std::size_t loggedLines_ = 0, droppedLines_ = 0, tooLongCommands_ = 0;
};

// The lines carry bytes of the plot file: control characters are shown
// escaped, never sent to the terminal or the panel.
void HpglToDxf::log(std::string line) {
  if (loggedLines_ >= kMostInfoLines) {
    ++droppedLines_;
    return;
  }
  ++loggedLines_;
  infoLines().push_back(escapeControlBytes(line));
}

void HpglToDxf::finishInfoLines() {
  if (droppedLines_ > 0)
    infoLines().push_back("... " + std::to_string(droppedLines_) +
                          workText(workTextRow::kDxfFurtherLines));
  if (tooLongCommands_ > kMostTooLongBoxes)
    infoLines().push_back("... " + std::to_string(tooLongCommands_ - kMostTooLongBoxes) +
                          workText(workTextRow::kDxfFurtherTooLong));
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

// --------------------------------------------------------- text arithmetic

std::string HpglToDxf::sum(const CoordText& a, const CoordText& b, const char* axis) {
  double va = 0, vb = 0;
  if (!parseNumber(a, va)) {
    log(a.str() + "=" + axis + workText(workTextRow::kDxfNoNumericValue));
    va = 0;
  }
  if (!parseNumber(b, vb)) {
    log(b.str() + "=" + axis + workText(workTextRow::kDxfNoNumericValue));
    vb = 0;
  }
  return numText(va + vb, 11, 5);
}

TextPoint HpglToDxf::offsetFromPen(const TextPoint& d) {
  return {sum(penPos_.x, d.x, "x"), sum(penPos_.y, d.y, "y")};
}

// 0 inside (or no window), 1 left of xmin, 2 right of xmax, 3 below ymin,
// 4 above ymax; y is looked at only when x is within range.
int HpglToDxf::windowCode(const TextPoint& p) {
  if (wxMin_ == wxMax_) return 0;
  double x = p.vx, y = p.vy;
  if (!p.valued && !parseNumber(p.x, x)) {
    log(p.x.str() + workText(workTextRow::kDxfNoRealX));
    return 0;
  }
  if (x < wxMin_) return 1;
  if (x > wxMax_) return 2;
  if (!p.valued && !parseNumber(p.y, y)) {
    log(p.y.str() + workText(workTextRow::kDxfNoRealY));
    return 0;
  }
  if (y < wyMin_) return 3;
  if (y > wyMax_) return 4;
  return 0;
}

// Moves the one end of the segment pen position - new point that lies
// outside the window onto the window edge named by its code.
void HpglToDxf::clipOnce() {
  if (penPos_ == newPoint_) return;
  const int penCode = windowCode(penPos_);
  const int newCode = windowCode(newPoint_);
  if ((penCode != 0) == (newCode != 0)) return;
  TextPoint& outside = penCode != 0 ? penPos_ : newPoint_;
  const TextPoint& inside = penCode != 0 ? newPoint_ : penPos_;
  const int code = penCode != 0 ? penCode : newCode;
  outside.valued = false;
  double ox = 0, oy = 0, ix = 0, iy = 0;
  parseNumber(outside.x, ox);
  parseNumber(outside.y, oy);
  parseNumber(inside.x, ix);
  parseNumber(inside.y, iy);
  if (code == 1 || code == 2) {
    const double edge = code == 1 ? wxMin_ : wxMax_;
    if (ox != ix) outside.y = numText(iy + (oy - iy) * ((edge - ix) / (ox - ix)), 11, 4);
    outside.x = code == 1 ? wxMinText_ : wxMaxText_;
  } else {
    const double edge = code == 3 ? wyMin_ : wyMax_;
    if (oy != iy) outside.x = numText(ix + (ox - ix) * ((edge - iy) / (oy - iy)), 11, 4);
    outside.y = code == 3 ? wyMinText_ : wyMaxText_;
  }
}

// Twice, so that an end beyond two edges lands on both.
void HpglToDxf::clip() {
  clipOnce();
  clipOnce();
}

TextPoint HpglToDxf::penOrOrigin() const {
  return penPos_.known() ? penPos_ : TextPoint{"0.0", "0.0"};
}

// ---------------------------------------------------------------- records

void HpglToDxf::polylineHead(bool edgeForm) {
  out_.lines({"POLYLINE", "  8", layer(), " 62", pen_, "  6", lineType_, " 66", "1"});
  // An empty width (after "PW;") has no default in the rectangle form;
  // the width groups are then left out, since an empty number is not
  // readable DXF.
  if (!edgeForm || !width_.empty()) out_.lines({edgeForm ? " 40" : " 40 ", width_, " 41 ", width_});
  out_.line("  0");
}

void HpglToDxf::vertex(const TextPoint& p) {
  if (vertexHead_.empty()) {
    for (std::string_view line : {std::string_view("VERTEX"), std::string_view("  8"),
                                  std::string_view(layer_), std::string_view(" 62"),
                                  std::string_view(pen_), std::string_view("  6"),
                                  std::string_view(lineType_), std::string_view(" 10")})
      vertexHead_.append(line).append("\r\n");
  }
  // The whole record at once: head, x, " 20", y, "0".
  const std::string_view x = p.x, y = p.y;
  static constexpr std::string_view kMiddle = "\r\n 20\r\n", kEnd = "\r\n0\r\n";
  const std::size_t size = vertexHead_.size() + x.size() + kMiddle.size() + y.size() + kEnd.size();
  // Short texts are copied as blocks of fixed size; the reservation has
  // room for the blocks' ends, which the next writes cover.
  char* o = out_.reserve(size + CoordText::kShort);
  std::memcpy(o, vertexHead_.data(), vertexHead_.size());
  o += vertexHead_.size();
  p.x.copyTo(o);
  o += x.size();
  std::memcpy(o, kMiddle.data(), kMiddle.size());
  o += kMiddle.size();
  p.y.copyTo(o);
  o += y.size();
  std::memcpy(o, kEnd.data(), kEnd.size());
  out_.advance(size);
  if (&p != &penPos_) penPos_ = p;
}

void HpglToDxf::closePolyline() {
  if (!polylineOpen_) return;
  out_.lines({"SEQEND", "  8", layer(), "  0"});
  polylineOpen_ = false;
  penPos_ = newPoint_;
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

// Pen-down pairs. A polyline stays open from pair to pair (and from
// command to command) while the pen stays inside the clip window; a
// segment whose ends both lie outside is dropped, one that leaves the
// window is clipped (absolute mode only) and ends the polyline.
void HpglToDxf::drawPairs(int budget) {
  while (budget > 0 && moreParameters()) {
    TextPoint p;
    if (!polylineOpen_) {
      const int penCode = windowCode(penPos_);
      if (!readPair(p)) return;
      --budget;
      newPoint_ = absolute_ ? std::move(p) : offsetFromPen(p);
      const int newCode = windowCode(newPoint_);
      if (penCode != 0 && newCode != 0) {
        penPos_ = newPoint_;
        continue;
      }
      saved_ = newPoint_;
      if (absolute_ && (penCode != 0 || newCode != 0)) clip();
      if (width_.empty()) width_ = "0.8";
      polylineHead(false);
      polylineOpen_ = true;
      vertex(penPos_);
      vertex(newPoint_);
      if (newCode != 0) closePolyline();
    } else {
      if (!readPair(p)) return;
      --budget;
      newPoint_ = absolute_ ? std::move(p) : offsetFromPen(p);
      const int newCode = windowCode(newPoint_);
      if (newCode == 0) {
        vertex(newPoint_);  // the pen position is the new point
        continue;
      }
      saved_ = newPoint_;
      if (absolute_) clip();
      vertex(newPoint_);
      closePolyline();
    }
    penPos_ = saved_;
  }
}

void HpglToDxf::penDown(int budget) {
  penIsDown_ = true;
  markConverted();
  if (!penPos_.known() && moreParameters()) {
    TextPoint p;
    if (!readPair(p)) return;
    --budget;
    penPos_ = p;
  }
  drawPairs(budget);
}

void HpglToDxf::plotAbsolute(int budget) {
  absolute_ = true;
  if (!penPos_.known() && moreParameters()) {
    TextPoint p;
    if (!readPair(p)) return;
    penPos_ = p;
  }
  if (penIsDown_) drawPairs(budget);
  else movePairs(budget);
}

void HpglToDxf::plotRelative(int budget) {
  absolute_ = false;
  markConverted();
  if (!penPos_.known() && moreParameters()) {
    TextPoint p;
    if (!readPair(p)) return;
    --budget;
    penPos_ = p;
  }
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

void HpglToDxf::edgeRectangle(bool relative) {
  closePolyline();
  if (!moreParameters()) return;
  TextPoint p;
  if (!readPair(p)) return;
  penPos_ = penOrOrigin();
  const TextPoint corner = relative ? offsetFromPen(p) : p;
  const TextPoint start = penPos_;
  polylineHead(true);
  vertex(start);
  vertex({corner.x, start.y});
  vertex(corner);
  vertex({start.x, corner.y});
  vertex(start);
  out_.lines({"SEQEND", "  8", layer(), "  0"});
  penPos_ = corner;
}

void HpglToDxf::circle() {
  closePolyline();
  markConverted();
  CoordText radius;
  if (!readCoordinate(radius, nullptr)) return;
  const TextPoint centre = penOrOrigin();
  out_.lines({"CIRCLE", "  8", layer(), " 62", pen_, " 10", centre.x, " 20", centre.y, " 40",
              radius, "0"});
}

void HpglToDxf::arc(bool relative) {
  closePolyline();
  markConverted();
  const TextPoint pen = penOrOrigin();
  TextPoint centre;
  if (!readPair(centre)) return;
  if (relative) {
    penPos_ = pen;
    centre = offsetFromPen(centre);
  }
  std::string sweepText;
  if (!readNumber(sweepText)) return;
  double px = 0, py = 0, cx = 0, cy = 0, sweep = 0;
  parseNumber(pen.x, px);
  parseNumber(pen.y, py);
  parseNumber(centre.x, cx);
  parseNumber(centre.y, cy);
  if (!parseNumber(sweepText, sweep)) {
    log(workText(workTextRow::kDxfArcAngleError));
    return;
  }
  const double r = std::hypot(cx - px, cy - py);

  // Direction from the centre to the pen, in (0, 360].
  double a;
  if (std::fabs(cx - px) < 0.0001) {
    a = cy - py > 0 ? 270.0 : 90.0;
  } else {
    a = static_cast<double>(std::atan((cy - py) / (cx - px)) / kDegToRad);
    if (cx - px < 0) a += 180.0;
    a = a > 180.0 ? a - 180.0 : a + 180.0;
  }
  // DXF arcs run counter-clockwise from the start to the end angle.
  const double start = sweep > 0 ? a : a + sweep;
  const double end = sweep > 0 ? a + sweep : a;
  out_.lines({"ARC", "  8", layer(), " 62", pen_, " 10", centre.x, " 20", centre.y, " 40 ",
              numText(r, 10, 4), " 50", numText(start, 7, 2), " 51", numText(end, 7, 2), "0"});

  const long double to = (a + sweep) * kDegToRad;
  penPos_ = {numText(static_cast<double>(cx + r * std::cos(to)), 11, 5),
             numText(static_cast<double>(cy + r * std::sin(to)), 11, 5)};
}

// SI w,h: character width and height in centimetres, as in HP-GL (400
// plotter units per centimetre). The DXF text height is h; the width
// factor is the ratio of the HP-GL character cell width, 1.4 times the
// character width, to the height.
void HpglToDxf::characterSize() {
  markConverted();
  if (text_.empty()) {
    widthFactor_ = "0.7";
    charHeight_ = numText(2.7 / (scale_ / 40.0), 10, 4);
    return;
  }
  std::string wText, hText;
  if (!readNumber(wText) || !readNumber(hText)) return;
  double w = 0, h = 0;
  if (!parseNumber(wText, w) || !parseNumber(hText, h) || h == 0) {
    log(workText(workTextRow::kDxfErrorInSi) + wText + "," + hText + "!");
    return;
  }
  const double height = h * 400.0 / scale_;
  charHeight_ = numText(height, 6, 2);
  widthFactor_ = numText(w * 400.0 * 1.4 / scale_ / height, 6, 2);
}

void HpglToDxf::direction() {
  direction_ = "0.0";
  if (text_.empty()) return;
  std::string runText, riseText;
  if (!readNumber(runText) || !readNumber(riseText)) return;
  double run = 0, rise = 0;
  if (!parseNumber(runText, run) || !parseNumber(riseText, rise)) {
    log(workText(workTextRow::kDxfTextDirectionError) + runText + ";" + riseText);
    return;
  }
  direction_ = numText(atan2Deg(rise, run), 5, 1);
}

void HpglToDxf::slant() {
  if (text_.empty()) {
    slant_ = "0.0";
    return;
  }
  std::string token;
  if (!readNumber(token)) return;
  double t = 0;
  if (!parseNumber(token, t)) {
    log(workText(workTextRow::kDxfErrorInSl) + token + "!");
    return;
  }
  slant_ = numText(static_cast<double>(std::atan(t) / kDegToRad), 5, 1);
}

void HpglToDxf::label() {
  closePolyline();
  std::string text = text_;
  // A lone "^" would start a control sequence in a DXF text.
  if (text == "^") text = "^ ";
  // A DXF value is one line of text: line ends inside a label become
  // blanks, and so does NUL, which ends a line for readers written in C.
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  const TextPoint at = penOrOrigin();
  markConverted();
  out_.lines({"TEXT", "  8", layer(), " 62", pen_, " 10", at.x, " 20", at.y, " 40", charHeight_,
              " 41", widthFactor_, "  1"});
  out_.textLine(text);
  out_.lines({" 50", direction_, " 51", slant_, "  7", alternateFont_ ? "symbols" : "STANDARD",
              "  0"});
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

// Finds the first command letter (a character above code 64) and makes
// sure something other than blanks, tabs and line ends follows it. The
// reader is left just behind the letter. Returns the letter, or
// kEndOfInput when the file is no HPGL.
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

}  // namespace

DxfResult convertHpglToDxf(const std::string& hpglPath, const std::string& dxfPath,
                  int lineWidthChoice, double scale, const std::string& shownInputPath) {
  // Messages and diagnostics name the input as the caller shows it.
  const std::string& inputName = shownInputPath.empty() ? hpglPath : shownInputPath;
  infoLines().clear();
  if (!(scale > 0)) scale = 1;
  if (lineWidthChoice < 1) lineWidthChoice = 1;
  if (lineWidthChoice > 3) lineWidthChoice = 3;

  // Only a regular file: a device or a pipe could deliver bytes without
  // end (and the DXF would grow with them) or wait for them.
  int fd = -1;
  std::error_code openError = openRegularFile(hpglPath, fd);
  errno = 0;
  std::FILE* input = openError ? nullptr : ::fdopen(fd, "rb");
  if (!input) {
    if (!openError) {
      openError = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
      ::close(fd);
    }
    showMessage(MsgCaption::Error, MsgIcon::Error, inputName + ": " + openError.message());
    return DxfResult::InputError;
  }
  long letterOffset = 0;
  errno = 0;
  const int letter = firstCommandLetter(input, letterOffset);
  if (std::ferror(input)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, ioErrorText(inputName, errno != 0 ? errno : EIO));
    std::fclose(input);
    return DxfResult::InputError;
  }
  if (letter == kEndOfInput) {
    std::fclose(input);
    infoLines().push_back(inputName + workText(workTextRow::kDxfNotHpgl));
    showMessage(MsgCaption::Error, MsgIcon::Error,
                "   File " + fileNameOf(inputName) + messageText(45));
    return DxfResult::NotHpgl;
  }
  std::fseek(input, letterOffset + 1, SEEK_SET);

  // A file already at the target keeps its contents unless a drawing
  // replaces it; a new target gets the complete (empty) DXF all the same.
  std::error_code ec;
  const bool targetExisted = std::filesystem::exists(dxfPath, ec);
  SafeFileWriter sink;
  if (const std::error_code openError = sink.open(dxfPath)) {
    std::fclose(input);
    showMessage(MsgCaption::Error, MsgIcon::Error,
                workText(workTextRow::kDxfOpenError) + "\n\r" + ioErrorText(dxfPath, openError.value()));
    return DxfResult::OutputError;
  }
  DxfLineWriter writer(sink);
  writeDxfHead(writer, scale);
  ByteReader reader(input);
  HpglToDxf converter(writer, lineWidthChoice, scale);
  converter.run(letter, reader);
  converter.finishInfoLines();
  writer.lines({"ENDSEC", "  0", "EOF"});
  const int readError = reader.failed() ? reader.error() : 0;
  std::fclose(input);
  const bool convertedAny = converter.converted();

  // A conversion that could not read all of its input, or not write all
  // of its output, leaves no file behind and the target as it was.
  if (readError != 0) {
    sink.abandon();
    showMessage(MsgCaption::Error, MsgIcon::Error, ioErrorText(inputName, readError));
    return DxfResult::InputError;
  }
  const bool complete = writer.finish(convertedAny);
  if (!convertedAny && targetExisted && !sink.writesInPlace()) {
    sink.abandon();
  } else {
    std::error_code failure = complete ? sink.commit() : writer.error();
    if (failure) {
      sink.abandon();
      reportFileWriteError(dxfPath, failure);
      return DxfResult::OutputError;
    }
  }

  if (!convertedAny) {
    showMessage(MsgCaption::Error, MsgIcon::Error, "File " + fileNameOf(inputName) + messageText(45));
    return DxfResult::NothingConverted;
  }
  // Shown once the file is complete, so that "saved" is never premature.
  showMessage(MsgCaption::Information, MsgIcon::Information,
              "\r       File " + fileNameOf(dxfPath) + messageText(58));
  return DxfResult::Converted;
}

}  // namespace tavrel
