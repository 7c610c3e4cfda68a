// The hidokai: the horizontal altitude dial. A vertical gnomon g on a
// level plate turned towards the sun; the shadow of its tip lies g cot h
// from its foot (Waugh, "Sundials", ch. 13), optionally continued on a
// wall standing at the plate's far end, which the shadow meets
// g - L tan h above the joint. Dial mm, axes in cylinder_dial.h.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "dials/cylinder/cylinder_builder.h"

namespace tavrel::cylinder_detail {

namespace {

// Distance of the hidokai's gnomon triangle from the plate (mm).
constexpr double kTriangleGapMm = 6;
// Length of the line of the gnomon's height under it (mm, 2.7 mm letters).
constexpr double kGnomonTextMm = 60;

}  // namespace

void Builder::hidokaiDial() {
  dateAxis(std::numeric_limits<double>::infinity());
  const double g = in_.gnomonMm;
  const double plate = std::max(1.0, in_.plateMm);
  const bool wall = d_.withVerticalDial;
  out_.plateBottom = plate;
  out_.bottom = plate + (wall ? g : 0);
  frame(out_.left, out_.top, out_.right, out_.bottom);
  if (wall) addLine(CylinderLineKind::WallJoint, 1, {{out_.left, plate}, {out_.right, plate}});
  // The plot draws its own sign at a fixed place on the page.
  hidokaiGnomonTriangle(g);
  monthLines();

  const auto fams = families();
  const double perDay = out_.mmPerDay;
  const int first = out_.firstDay;
  const auto xOf = [perDay, first](int day) { return (day - first) * perDay; };
  std::vector<Target> targets;
  targets.push_back({[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                       double sn = std::sin(s.altitude * kRadPerDeg);
                       if (std::fabs(sn) < 1e-6) sn = ((sn >= 0 ? 1 : -1) + 0.5) * 1e-6;
                       p = {xOf(day), g * std::cos(s.altitude * kRadPerDeg) / sn, 0};
                       return true;
                     },
                     0, plate, false});
  if (wall) {
    targets.push_back({[&](const HorizontalPosition& s, int day, CylinderPoint& p) {
                         p = {xOf(day), plate + g - plate * std::tan(s.altitude * kRadPerDeg), 0};
                         return s.altitude < 89.999;
                       },
                       plate, plate + g, true});
  }
  traceFamilies(fams, targets, 1e9, out_.firstDay, out_.lastDay, in_.sampling.dayStep);
}


// The hidokai's screen: the gnomon seen from the side, a right triangle
// of the gnomon's height standing beyond the far end of the plate at
// the lower right, its height written under it.
void Builder::hidokaiGnomonTriangle(double g) {
  const double foot = out_.right, edge = out_.bottom + kTriangleGapMm;
  addLine(CylinderLineKind::Frame, 1,
          {{foot, edge}, {foot - g, edge}, {foot, edge + g / 2}, {foot, edge}}, 0,
          CylinderTarget::Screen);
  // The line ends about under the triangle's base, so that it stays on
  // the page also beside a plate with its wall.
  CylinderLabel l{CylinderLabelRole::GnomonText, 4, foot + kTriangleGapMm,
                  std::max(out_.top, edge + g / 2 - kGnomonTextMm), out_.gnomonLine};
  l.target = CylinderTarget::Screen;
  out_.labels.push_back(std::move(l));
  out_.gnomonLineAtSign = true;
}

}  // namespace tavrel::cylinder_detail
