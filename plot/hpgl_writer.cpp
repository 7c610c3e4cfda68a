#include "plot/hpgl_writer.h"

#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "base/text_encoding.h"
#include "core/text_file.h"

namespace tavrel {

namespace {

// Shortest "." text of a number that reads back the same ("90", "0.25").
std::string plainNumber(double x) {
  if (!std::isfinite(x)) return "0";
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  std::string s(buf, res.ptr);
  return s == "-0" ? "0" : s;
}

std::string intPair(double x, double y) { return hpglInt(x) + " " + hpglInt(y); }

// The ASCII spelling of one character beyond ASCII; nullptr: none.
const char* asciiSpelling(char32_t c) {
  // U+00A0 .. U+00FF, the upper half of Latin-1 (ISO 8859-1).
  static constexpr const char* kLatin1[96] = {
      " ",  "!",  "c",   "L",  "?",  "Y",   "|",  "S",  "\"", "(c)", "a",   "\"", "-",   "-",   "(R)", "-",
      "deg", "+-", "2",  "3",  "'",  "u",   "P",  ".",  ",",   "1",   "o",   "\"", "1/4", "1/2", "3/4", "?",
      "A",  "A",  "A",   "A",  "Ae", "A",   "AE", "C",  "E",   "E",   "E",   "E",   "I",   "I",   "I",   "I",
      "D",  "N",  "O",   "O",  "O",  "O",   "Oe", "x",  "O",   "U",   "U",   "U",   "Ue",  "Y",   "Th",  "ss",
      "a",  "a",  "a",   "a",  "ae", "a",   "ae", "c",  "e",   "e",   "e",   "e",   "i",   "i",   "i",   "i",
      "d",  "n",  "o",   "o",  "o",  "o",   "oe", ":",  "o",   "u",   "u",   "u",   "ue",  "y",   "th",  "y"};
  if (c >= 0xA0 && c <= 0xFF) return kLatin1[c - 0xA0];
  switch (c) {
    case 0x0152: return "OE";
    case 0x0153: return "oe";
    case 0x0160: return "S";
    case 0x0161: return "s";
    case 0x0178: return "Y";
    case 0x017D: return "Z";
    case 0x017E: return "z";
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015: case 0x2212: return "-";
    case 0x2018: case 0x2019: case 0x201A: case 0x201B: case 0x2032: case 0x2039: case 0x203A: return "'";
    case 0x201C: case 0x201D: case 0x201E: case 0x201F: case 0x2033: return "\"";
    case 0x2022: return ".";
    case 0x2026: return "...";
    case 0x2030: return "o/oo";
    case 0x20AC: return "EUR";
    case 0x2122: return "TM";
    case 0x2248: return "~";
    case 0x2264: return "<=";
    case 0x2265: return ">=";
    default: return nullptr;
  }
}

}  // namespace

std::string plotAscii(std::string_view text) {
  if (!hasNonAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (const char32_t c : decodeUtf8Leniently(text)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      const char* spelled = asciiSpelling(c);
      out += spelled ? spelled : "?";
    }
  }
  return out;
}

PlotFileError::PlotFileError(const std::string& path, std::error_code ec)
    : std::runtime_error("cannot write " + path + ": " + ec.message()), path_(path), code_(ec) {}

std::string hpglPrologue(int r) {
  const std::string w = hpglInt(static_cast<double>(kPlotWindowWidth) * r);
  const std::string h = hpglInt(static_cast<double>(kPlotWindowHeight) * r);
  return "IN;VS 1;PA;IW 0 0 " + w + " " + h + ";PU 0 0;EA " + w + " " + h + ";";
}

std::string hpglLabelText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
  return out;
}

std::string HpglWriter::coordinate(double v) const {
  return coordinateWidth_ > 0 ? fixedText(v, coordinateWidth_, 0) : hpglInt(v);
}

std::string HpglWriter::pair(double x, double y) const { return coordinate(x) + " " + coordinate(y); }

HpglWriter::HpglWriter(int resolutionFactor) : resolutionFactor_(resolutionFactor) {}

HpglWriter::~HpglWriter() = default;  // SafeFileWriter abandons an open file

void HpglWriter::fail(std::error_code ec) {
  file_.abandon();
  reportFileWriteError(path_, ec);
  throw PlotFileError(path_, ec);
}

void HpglWriter::hpglOpen(const std::string& path) {
  path_ = path;
  if (std::error_code ec = file_.open(path)) fail(ec);
}

void HpglWriter::hpglOpenTemporary(const std::string& path) {
  hpglOpen(path);
  if (file_.writesInPlace()) fail(std::make_error_code(std::errc::file_exists));
}

void HpglWriter::hpglWrite(std::string_view text) {
  if (text.empty()) return;
  if (!file_.isOpen()) fail(std::make_error_code(std::errc::bad_file_descriptor));
  const std::error_code ec = hasNonAscii(text) ? file_.write(plotAscii(text)) : file_.write(text);
  if (ec) fail(ec);
}

void HpglWriter::hpglClose() {
  if (!file_.isOpen()) return;
  if (std::error_code ec = file_.commit()) {
    reportFileWriteError(path_, ec);
    throw PlotFileError(path_, ec);
  }
}

void HpglWriter::writeStandardPrologue() {
  hpglWrite(hpglPrologue(resolutionFactor_));
  homePen(4);
}

void HpglWriter::beginPage(PageStart start, double width, double height) {
  const std::string wh = intPair(width, height);
  switch (start) {
    case PageStart::Plain: hpglWrite("IN;PA;"); break;
    case PageStart::Slow: hpglWrite("IN;VS 1;PA;"); break;
    case PageStart::StandardSet: hpglWrite("IN;SS;PA;"); break;
    case PageStart::Framed: hpglWrite("IN;VS 1;PA;IW 0 0 " + wh + ";PU 0 0;EA " + wh + ";"); break;
    case PageStart::FramedPenFirst: hpglWrite("IN;VS 1;PA;IW 0 0 " + wh + ";SP 4;PU 0 0;EA " + wh + ";"); break;
    case PageStart::FramedBraced: hpglWrite("IN;VS 1;PA;{IW 0 0 " + wh + ";}PU 0 0;EA " + wh + ";"); break;
    case PageStart::EotGraph: hpglWrite("IN;SP 8;SI 0.14, 0.24;SP 8"); break;
    case PageStart::CartesianGraph: hpglWrite(";IN;SS;SI 0.14, 0.21;SP 4"); break;
    case PageStart::PolarGraph: hpglWrite(";IN;SS;SI 0.16, 0.24;SP 4"); break;
  }
}

std::string HpglWriter::charSize(double widthCm, double heightCm) const {
  return ";SI " + fixedText(widthCm * resolutionFactor_, 5, 2) + "," +
         fixedText(heightCm * resolutionFactor_, 5, 2);
}

void HpglWriter::beginSizedPage(double width, double height, int pen, double widthCm, double heightCm) {
  const std::string wh = fixedText(width, 8, 0) + " " + fixedText(height, 8, 0);
  const std::string size = charSize(widthCm, heightCm);
  hpglWrite("IN;VS 1;PA;IW 0 0 " + wh + size + ";SP " + std::to_string(pen) + ";PU 0 0;EA " + wh + size);
}

void HpglWriter::beginMapPage(double width, double height, int pen, double widthCm, double heightCm) {
  const std::string wh = intPair(width, height);
  hpglWrite("IN;VS 1;PA;IW 0 0 " + wh + ";SP " + std::to_string(pen) + ";PU 0 0;EA " + wh + ";PU 0 0" +
            charSize(widthCm, heightCm));
}

void HpglWriter::endPage(PageEnd end) {
  switch (end) {
    case PageEnd::WindowReset: hpglWrite(";IW;IN;"); break;
    case PageEnd::PenAway: hpglWrite(";SP 0;IN;"); break;
    case PageEnd::PenAwayTight: hpglWrite(";SP0;IN;"); break;
    case PageEnd::Init: hpglWrite(";IN;"); break;
    case PageEnd::PenUpAway: hpglWrite(";PU;SP 0;"); break;
  }
}

void HpglWriter::homePen(int pen) { hpglWrite(";SP " + std::to_string(pen) + ";PU 0 0;"); }

void HpglWriter::selectSymbolSet(bool alternate) { hpglWrite(alternate ? ";SA " : ";SS "); }

void HpglWriter::hpglGrid(double x0, double y0, double width, double spacing, double height) {
  hpglWrite(";IW 0 0 " + intPair(width, height) + ";SP " + hpglInt(9) + ";PU " + intPair(x0, y0) +
            ";CI " + hpglInt(80) + ";");
  if (!(spacing > 0) || !std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(width) ||
      !std::isfinite(height)) {
    hpglWrite("PU ;");
    return;
  }
  double a = x0, b = y0;
  while (a > spacing + 2) a -= spacing;
  while (b > spacing + 2) b -= spacing;
  double g = a, h = b;
  while (g < width - spacing - 2) g += spacing;
  while (h < height - spacing - 2) h += spacing;
  std::string lines;
  for (double x = a; x <= g; x += spacing)
    lines += "PU " + intPair(x, b) + ";PD " + intPair(x, h) + ";";
  for (double y = b; y <= h; y += spacing)
    lines += "PU " + intPair(a, y) + ";PD " + intPair(g, y) + ";";
  lines += "PU ;";
  hpglWrite(lines);
}

void HpglWriter::selectPen(int pen) { hpglWrite(";SP " + std::to_string(pen)); }

void HpglWriter::moveTo(double x, double y) { hpglWrite(";PU " + pair(x, y)); }

void HpglWriter::lineTo(double x, double y) { hpglWrite(";PD " + pair(x, y)); }

void HpglWriter::penUp() { hpglWrite(";PU;"); }

void HpglWriter::polyline(std::span<const PlotVertex> vertices) {
  std::string out;
  bool drawing = false;
  for (const PlotVertex& v : vertices) {
    switch (polylineForm_) {
      case PolylineForm::Joined:
        if (!v.draw) {
          out += ";PU ";
          drawing = false;
        } else {
          out += drawing ? " " : ";PD ";
          drawing = true;
        }
        out += pair(v.x, v.y);
        break;
      case PolylineForm::Spaced:
        out += v.draw ? pair(v.x, v.y) + " " : ";PU " + intPair(v.x, v.y) + ";PD ";
        break;
      case PolylineForm::Segments:
        out += v.draw ? ";PD " + pair(v.x, v.y) + ";PU " : ";PU " + pair(v.x, v.y);
        break;
    }
  }
  hpglWrite(out);
}

void HpglWriter::setWindowOpen(double x1, double y1, double x2, double y2) {
  hpglWrite(";IW " + pair(x1, y1) + " " + pair(x2, y2));
}

void HpglWriter::endCommand() { hpglWrite(";"); }

void HpglWriter::penUpPenAndSize(int pen, double widthCm, double heightCm) {
  hpglWrite(";PU; SP" + std::to_string(pen) + "; SI " + fixedText(widthCm * resolutionFactor_, 5, 2) +
            "," + fixedText(heightCm * resolutionFactor_, 5, 2) + ";");
}

void HpglWriter::dashedSegment(double x1, double y1, double x2, double y2) {
  hpglWrite(";LT 2,2; PU " + intPair(x1, y1) + " ;PD " + pair(x2, y2) + ";LT ;PU ");
}

void HpglWriter::circle(double x, double y, double r, double chordDeg) {
  hpglWrite(";PU " + pair(x, y) + ";CI " + hpglInt(r) +
            (chordDeg > 0 ? " ," + plainNumber(chordDeg) : std::string(";")));
}

void HpglWriter::arc(double cx, double cy, double sweepDeg, double chordDeg) {
  hpglWrite(";PD;AA " + hpglInt(cx) + "," + hpglInt(cy) + "," + plainNumber(sweepDeg) +
            (chordDeg > 0 ? "," + plainNumber(chordDeg) : std::string()));
}

void HpglWriter::label(double x, double y, std::string_view text) {
  hpglWrite(";PU " + pair(x, y) + ";LB" + hpglLabelText(text) + kLabelTerminator);
}

void HpglWriter::labelHere(std::string_view text) {
  hpglWrite(";LB" + hpglLabelText(text) + kLabelTerminator);
}

void HpglWriter::setCharSize(double widthCm, double heightCm) { hpglWrite(charSize(widthCm, heightCm)); }

void HpglWriter::setLabelDirection(double run, double rise) {
  hpglWrite(";DI " + fixedText(run, 1, 1) + "," + fixedText(rise, 1, 1));
}

void HpglWriter::setLineType(bool dashed) { hpglWrite(dashed ? ";LT 2,2;" : ";LT;"); }

void HpglWriter::setPenWidth(int width) { hpglWrite(";PW " + std::to_string(width) + ";"); }

void HpglWriter::setWindow(double x1, double y1, double x2, double y2) {
  hpglWrite(";IW " + pair(x1, y1) + " " + pair(x2, y2) + ";");
}

void HpglWriter::resetWindow() { hpglWrite(";IW;"); }

void HpglWriter::frameRectangle(double x, double y) {
  hpglWrite(";PU 0 0;EA " + pair(x, y) + ";");
}

}  // namespace tavrel
