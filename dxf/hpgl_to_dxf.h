// The converter state shared by the pieces of convertHpglToDxf: the reading
// of the plot file (hpgl_reading.cpp: tokens and the command interpreter),
// the DXF entities and their records (dxf_entities.cpp), and the entry
// with its diagnostics (make_dxf.cpp). Private to dxf/.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dxf/dxf_line_writer.h"
#include "dxf/dxf_number.h"

namespace tavrel::hpgl_dxf_detail {

constexpr int kEndOfInput = -1;

// "Command too long" boxes shown per conversion; further ones are counted
// in the last diagnostic line (a damaged file can hold thousands).
constexpr std::size_t kMostTooLongBoxes = 3;

// A decimal number as the plot file writes it (sign, digits, at most one
// "."; no exponent; blanks around it allowed) into value; false if not.
bool parseNumber(std::string_view s, double& value);

// A value beyond the range of doubles (only reachable with absurd
// scales) is written as +-1e300, never as "inf" or "nan".
double finite(double v);

// fixedText(v, width, decimals) of a finite stand-in for v.
std::string numText(double v, int width, int decimals);

// Scientific form of the default polyline width: sign position (blank or
// "-"), one digit, ".", one digit, "E", exponent sign and four exponent
// digits, e.g. " 1.5E-0001".
std::string scientificWidth(double v);

// Finds the first command letter (a character above code 64) and makes
// sure something other than blanks, tabs and line ends follows it. The
// reader is left just behind the letter. Returns the letter, or
// kEndOfInput when the file is no HPGL.
int firstCommandLetter(std::FILE* file, long& letterOffset);

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
  // An unknown pen position takes the first pair as it stands (counted
  // against the budget where `counted`); false when that pair is unreadable.
  bool startAtFirstPair(int& budget, bool counted);
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

}  // namespace tavrel::hpgl_dxf_detail
