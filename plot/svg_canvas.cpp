#include "plot/svg_canvas.h"

#include <charconv>
#include <cmath>

#include "base/angles.h"
#include "base/safe_file_writer.h"
#include "core/text_file.h"

namespace tavrel {

namespace {

// A number with at most 4 decimals, no trailing zeros, "." always.
std::string num(double v) {
  if (!std::isfinite(v)) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
  std::string s(buf, res.ptr);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

// GDI-like dash pattern of a dashed pen: 18 units on, 6 off.
constexpr double kDashOn = 18, kDashOff = 6;

}  // namespace

std::string cssColour(Colour colour) {
  static const char* hex = "0123456789abcdef";
  std::string s = "#";
  for (int v : {redOf(colour), greenOf(colour), blueOf(colour)}) {
    s += hex[(v >> 4) & 0xF];
    s += hex[v & 0xF];
  }
  return s;
}

std::string xmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // Validate one UTF-8 sequence (no overlongs, no surrogates).
    std::size_t len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    bool ok = len > 0 && i + len <= text.size();
    for (std::size_t k = 1; ok && k < len; ++k)
      ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (ok && len >= 3) {
      const unsigned char c1 = static_cast<unsigned char>(text[i + 1]);
      if (c == 0xE0 && c1 < 0xA0) ok = false;
      if (c == 0xED && c1 >= 0xA0) ok = false;
      if (c == 0xF0 && c1 < 0x90) ok = false;
      if (c == 0xF4 && c1 >= 0x90) ok = false;
    }
    if (ok) {
      out.append(text.substr(i, len));
      i += len;
    } else {
      out += '?';
      ++i;
    }
  }
  return out;
}

SvgCanvas::SvgCanvas(double widthUnits, double heightUnits, double unitsPerMm,
                     bool whiteBackground)
    : unitsPerMm_(unitsPerMm > 0 ? unitsPerMm : 1) {
  const std::string w = mm(widthUnits), h = mm(heightUnits);
  head_ =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
      "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h + "\">\n";
  if (whiteBackground)
    body_ += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h +
             "\" fill=\"#ffffff\" stroke=\"none\"/>\n";
}

std::string SvgCanvas::mm(double units) const { return num(units / unitsPerMm_); }

std::string SvgCanvas::strokeAttributes() const {
  if (pen_.style == PenStyle::Clear) return " stroke=\"none\"";
  const double w = pen_.width > 0 ? pen_.width : 1;
  std::string s = " stroke=\"" + cssColour(pen_.colour) + "\" stroke-width=\"" + mm(w) +
                  "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  if (pen_.style == PenStyle::Dash)
    s += " stroke-dasharray=\"" + mm(kDashOn) + "," + mm(kDashOff) + "\"";
  return s;
}

std::string SvgCanvas::fillAttribute(bool useBrush) const {
  if (!useBrush || brush_.style == BrushStyle::Clear) return " fill=\"none\"";
  return " fill=\"" + cssColour(brush_.colour) + "\"";
}

void SvgCanvas::flushPath() {
  if (pathHasLine_)
    body_ += "<path d=\"" + path_ + "\"" + fillAttribute(false) + strokeAttributes() + "/>\n";
  path_.clear();
  pathHasLine_ = false;
}

void SvgCanvas::setPen(const Pen& pen) {
  if (!(pen == pen_)) flushPath();
  Canvas::setPen(pen);
}

void SvgCanvas::moveTo(double x, double y) {
  x_ = x;
  y_ = y;
}

void SvgCanvas::lineTo(double x, double y) {
  // Lines that join go into one polyline; a move in between starts a new
  // subpath of the same path element.
  if (!pathHasLine_)
    path_ = "M" + mm(x_) + " " + mm(y_);
  else if (x_ != pathEndX_ || y_ != pathEndY_)
    path_ += " M" + mm(x_) + " " + mm(y_);
  path_ += " L" + mm(x) + " " + mm(y);
  pathHasLine_ = true;
  pathEndX_ = x;
  pathEndY_ = y;
  x_ = x;
  y_ = y;
}

void SvgCanvas::rectangle(double x1, double y1, double x2, double y2) {
  flushPath();
  body_ += "<rect x=\"" + mm(std::min(x1, x2)) + "\" y=\"" + mm(std::min(y1, y2)) +
           "\" width=\"" + mm(std::fabs(x2 - x1)) + "\" height=\"" + mm(std::fabs(y2 - y1)) +
           "\"" + fillAttribute(true) + strokeAttributes() + "/>\n";
}

void SvgCanvas::fillRectangle(double x1, double y1, double x2, double y2, Colour colour) {
  flushPath();
  body_ += "<rect x=\"" + mm(std::min(x1, x2)) + "\" y=\"" + mm(std::min(y1, y2)) +
           "\" width=\"" + mm(std::fabs(x2 - x1)) + "\" height=\"" + mm(std::fabs(y2 - y1)) +
           "\" fill=\"" + cssColour(colour) + "\" stroke=\"none\"/>\n";
}

void SvgCanvas::ellipse(double x1, double y1, double x2, double y2) {
  flushPath();
  body_ += "<ellipse cx=\"" + mm((x1 + x2) / 2) + "\" cy=\"" + mm((y1 + y2) / 2) + "\" rx=\"" +
           mm(std::fabs(x2 - x1) / 2) + "\" ry=\"" + mm(std::fabs(y2 - y1) / 2) + "\"" +
           fillAttribute(true) + strokeAttributes() + "/>\n";
}

void SvgCanvas::arc(double cx, double cy, double rx, double ry, double startDeg,
                    double sweepDeg) {
  flushPath();
  if (sweepDeg == 0 || rx <= 0 || ry <= 0) return;
  auto point = [&](double deg) {
    const double a = radians(deg);
    return mm(cx + rx * std::cos(a)) + " " + mm(cy - ry * std::sin(a));
  };
  // SVG's sweep flag 0 runs counter-clockwise on the y-down page. Arcs of
  // 180 degrees or more are split so that every piece is unambiguous.
  const int pieces = static_cast<int>(std::ceil(std::fabs(sweepDeg) / 179.0));
  const double step = sweepDeg / pieces;
  std::string d = "M" + point(startDeg);
  for (int k = 1; k <= pieces; ++k)
    d += " A" + mm(rx) + " " + mm(ry) + " 0 0 " + (sweepDeg > 0 ? "0 " : "1 ") +
         point(startDeg + k * step);
  body_ += "<path d=\"" + d + "\" fill=\"none\"" + strokeAttributes() + "/>\n";
}

void SvgCanvas::floodFill(double x, double y, Colour colour, FloodMode) {
  flushPath();
  body_ += "<!-- flood fill at " + mm(x) + " " + mm(y) + " (" + cssColour(colour) +
           ") not drawn -->\n";
}

void SvgCanvas::text(double x, double y, std::string_view text) {
  flushPath();
  if (text.empty()) return;
  const double h = std::fabs(font_.height);
  // (x, y) is the top of the cell; SVG places the baseline.
  std::string s = "<text x=\"" + mm(x) + "\" y=\"" + mm(y + kAscentEm * h) +
                  "\" font-family=\"" + xmlEscape(font_.face) + "\" font-size=\"" + mm(h) +
                  "\" font-weight=\"" + std::to_string(font_.weight) + "\" fill=\"" +
                  cssColour(font_.colour) + "\"";
  if (font_.angle != 0)
    s += " transform=\"rotate(" + num(-font_.angle) + " " + mm(x) + " " + mm(y) + ")\"";
  s += " xml:space=\"preserve\">" + xmlEscape(text) + "</text>\n";
  body_ += s;
}

TextSize SvgCanvas::textExtent(std::string_view text) const {
  return approximateTextExtent(font_, text);
}

void SvgCanvas::closeClip() {
  if (clipOpen_) body_ += "</g>\n";
  clipOpen_ = false;
}

void SvgCanvas::setClip(double x1, double y1, double x2, double y2) {
  flushPath();
  closeClip();
  const std::string id = "clip" + std::to_string(++clipCount_);
  body_ += "<clipPath id=\"" + id + "\"><rect x=\"" + mm(std::min(x1, x2)) + "\" y=\"" +
           mm(std::min(y1, y2)) + "\" width=\"" + mm(std::fabs(x2 - x1)) + "\" height=\"" +
           mm(std::fabs(y2 - y1)) + "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
  clipOpen_ = true;
}

void SvgCanvas::resetClip() {
  flushPath();
  closeClip();
}

std::string SvgCanvas::document() {
  flushPath();
  return head_ + body_ + (clipOpen_ ? "</g>\n" : "") + "</svg>\n";
}

bool SvgCanvas::save(const std::string& path) {
  const std::string doc = document();
  SafeFileWriter file;
  std::error_code ec = file.open(path);
  if (!ec) ec = file.write(doc);
  if (!ec) ec = file.commit();
  if (ec) {
    file.abandon();
    reportFileWriteError(path, ec);
    return false;
  }
  return true;
}

}  // namespace tavrel
