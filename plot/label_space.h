// Where labels may still go on a page: the page's rectangle and the boxes
// of the labels already placed. A construction asks before it writes a
// label beside its line and leaves out (or moves) a label that would run
// off the page or over another one, as a draughtsman does.
//
// Boxes are axis-parallel rectangles in the units and the y direction of
// the surface (pixels or 0.1 mm downwards, plotter units upwards: only
// the comparisons are made, so either works).
#pragma once

#include <array>
#include <span>
#include <vector>

namespace tavrel {

struct LabelBox {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x0 <= x1, y0 <= y1
  static LabelBox of(double x, double y, double width, double height);
  bool overlaps(const LabelBox& other) const;
};

class LabelSpace {
 public:
  // The page: labels must lie within it.
  explicit LabelSpace(const LabelBox& page) : page_(page) {}
  // Whether the box lies on the page and clear of every box taken.
  bool free(const LabelBox& box) const;
  // Marks the box as taken (texts that are always written, such as an
  // information block, are taken first).
  void take(const LabelBox& box) { taken_.push_back(box); }
  // take() when free(); returns whether it was free.
  bool claim(const LabelBox& box);
  // Claims the first free of the box moved by each offset in turn and
  // returns the offset's index, or -1 when none is free.
  int claimFirst(const LabelBox& box, std::span<const std::array<double, 2>> offsets);

 private:
  LabelBox page_;
  std::vector<LabelBox> taken_;
};

}  // namespace tavrel
