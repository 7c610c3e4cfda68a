// Where the millimetres of a dial land on a drawing target.
//
// A dial is measured in millimetres, x to the right and y downwards as the
// finished dial is seen. The target counts in its own units: pixels (the
// window picture) or 0.1 mm (the printer page), y downwards, or plotter
// units of 0.025 mm times the resolution factor, y upwards (the plot). One
// placement is built for each target and maps every point of the dial:
//   x = originX + unitsPerMm * xMm
//   y = originY + unitsPerMm * yMm   (y downwards)
//   y = originY - unitsPerMm * yMm   (yUp)
#pragma once

namespace tavrel {

struct TargetPlacement {
  double originX = 0, originY = 0;  // where the dial's (0, 0) lands, target units
  double unitsPerMm = 1;
  bool yUp = false;                 // the plot
  int lineWidth = 1;                // pen width of the dial's lines (target's steps)

  double x(double mm) const { return originX + unitsPerMm * mm; }
  double y(double mm) const { return yUp ? originY - unitsPerMm * mm : originY + unitsPerMm * mm; }
  // `units` downwards on the page, in the target's y direction.
  double down(double units) const { return yUp ? -units : units; }
};

}  // namespace tavrel
