// The hat dial: a cylinder standing upright under a level brim of width
// g; the shadow of the brim's edge falls g tan h below it on the generator
// that faces the sun (Rohr, "Sundials", ch. 6), so the unrolled crown
// carries azimuth across and altitude down. Dial mm, axes in
// cylinder_dial.h.
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/calendar.h"
#include "dials/cylinder/cylinder_builder.h"

namespace tavrel::cylinder_detail {


void Builder::hatDial() {
  double c = std::max(1.0, in_.scaleMm);
  if (c > 300) {
    c = 300;
    out_.scaleReduced = true;
  }
  out_.scaleMm = c;
  const double perDeg = c / 360;
  const double g = in_.gnomonMm;
  const double hmax = highestNoonAltitude();
  const double smax = longestDrop(g);
  if (smax > in_.sampling.maxDropMm && hmax < 89.99) out_.hatDropTooLong = true;
  out_.left = -183 * perDeg;
  out_.right = 183 * perDeg;
  out_.top = 0;
  out_.bottom = std::min(smax, in_.sampling.maxDropMm);
  out_.plateBottom = out_.bottom;
  out_.wholeYear = true;
  out_.firstDay = 1;
  out_.lastDay = dayOfYear(year_, 12, 31);
  frame(out_.left, out_.top, out_.right, out_.bottom);
  const bool north = d_.latitude >= 0;
  for (int f = -180; f <= 180; f += 10) {
    const double x = f * perDeg;
    addLine(CylinderLineKind::AzimuthLine, 1, {{x, out_.top}, {x, out_.bottom}}, f);
    if (f % 20 != 0) continue;
    const int value = north ? -f : (f > 0 ? 180 - f : -f - 180);
    out_.labels.push_back({CylinderLabelRole::AzimuthNumber, 4, x - 1, out_.top - 4,
                           std::to_string(value)});
  }
  gnomonSign(out_.left - 12, 0, g, CylinderTarget::Both);
  altitudeScale();
  const auto fams = families();
  const Target crown{[&](const HorizontalPosition& s, int, CylinderPoint& p) {
                       double l;
                       if (north) l = -s.azimuth;
                       else l = s.azimuth >= 0 ? 180 - s.azimuth : -s.azimuth - 180;
                       p = {l * perDeg, cylinderDrop(g, s.altitude), 0};
                       return true;
                     },
                     0, out_.bottom, false};
  traceFamilies(fams, {crown}, 180 * perDeg, out_.firstDay, out_.lastDay, in_.sampling.dayStep);
}

}  // namespace tavrel::cylinder_detail
