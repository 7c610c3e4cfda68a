#include "plot/canvas.h"

#include <cmath>

#include "base/geometry.h"

namespace tavrel {

std::size_t utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

TextSize approximateTextExtent(const Font& font, std::string_view text) {
  const double h = std::fabs(font.height);
  return {kAverageAdvanceEm * h * static_cast<double>(utf8Length(text)),
          text.empty() ? 0.0 : kLineHeightEm * h};
}

void Canvas::arcThroughRadials(double x1, double y1, double x2, double y2, double xs,
                               double ys, double xe, double ye) {
  const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
  const double rx = std::fabs(x2 - x1) / 2, ry = std::fabs(y2 - y1) / 2;
  if (rx <= 0 || ry <= 0) return;
  // Parameter angle of the point where the radial meets the ellipse.
  const double start = atan2Deg(-(ys - cy) / ry, (xs - cx) / rx);
  const double end = atan2Deg(-(ye - cy) / ry, (xe - cx) / rx);
  double sweep = std::fmod(end - start, 360.0);
  if (sweep <= 0) sweep += 360.0;
  arc(cx, cy, rx, ry, start, sweep);
}

}  // namespace tavrel
