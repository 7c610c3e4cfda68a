// The shepherd's dial: a vertical cylinder turned towards the sun, the
// shadow of the tip of a horizontal gnomon at its top falling g tan h below
// it on the date line of the day (Rohr, "Sundials", ch. 6). Dial mm, axes
// in cylinder_dial.h.
#include <algorithm>
#include <vector>

#include "dials/cylinder/cylinder_builder.h"

namespace tavrel::cylinder_detail {

void Builder::shepherdDial() {
  dateAxis(250);
  const double g = in_.gnomonMm;
  out_.bottom = std::min(longestDrop(g), in_.sampling.maxDropMm);
  out_.plateBottom = out_.bottom;
  frame(out_.left, out_.top, out_.right, out_.bottom);
  // The screen draws the gnomon's sign at the corner of the picture.
  altitudeScale();
  monthLines();

  const auto fams = families();
  const double perDay = out_.mmPerDay;
  const int first = out_.firstDay;
  const auto xOf = [perDay, first](int day) { return (day - first) * perDay; };
  const Target drop{[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                      p = {xOf(day), cylinderDrop(g, s.altitude), 0};
                      return true;
                    },
                    0, out_.bottom, false};
  traceFamilies(fams, {drop}, 1e9, out_.firstDay, out_.lastDay, in_.sampling.dayStep);
}

}  // namespace tavrel::cylinder_detail
