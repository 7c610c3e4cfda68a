// The DXF entities of the HPGL-to-DXF converter and their records:
// polylines (pen-down pairs clipped to the window, edge rectangles),
// circles, arcs and texts with their character size, direction and slant.
// Coordinates stay decimal texts; only relative moves, clipping, arcs,
// character sizes and angles turn them into numbers, and the results are
// written back with fixed formats (fixedText) that are part of the output.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "core/language.h"
#include "dxf/dxf_number.h"
#include "dxf/hpgl_to_dxf.h"

namespace tavrel::hpgl_dxf_detail {

double finite(double v) {
  if (std::isnan(v)) return 0;
  if (std::isinf(v)) return v > 0 ? 1e300 : -1e300;
  return v;
}

std::string numText(double v, int width, int decimals) {
  return dxfFixedText(finite(v), width, decimals);
}

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

// --------------------------------------------------------------- drawing

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

}  // namespace tavrel::hpgl_dxf_detail
