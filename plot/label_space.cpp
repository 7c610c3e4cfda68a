#include "plot/label_space.h"

#include <algorithm>

namespace tavrel {

LabelBox LabelBox::of(double x, double y, double width, double height) {
  return {std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
}

bool LabelBox::overlaps(const LabelBox& o) const {
  return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1;
}

bool LabelSpace::free(const LabelBox& b) const {
  if (b.x0 < page_.x0 || b.y0 < page_.y0 || b.x1 > page_.x1 || b.y1 > page_.y1) return false;
  return std::none_of(taken_.begin(), taken_.end(), [&](const LabelBox& t) { return t.overlaps(b); });
}

bool LabelSpace::claim(const LabelBox& b) {
  if (!free(b)) return false;
  take(b);
  return true;
}

int LabelSpace::claimFirst(const LabelBox& b, std::span<const std::array<double, 2>> offsets) {
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    const double dx = offsets[i][0], dy = offsets[i][1];
    if (claim({b.x0 + dx, b.y0 + dy, b.x1 + dx, b.y1 + dy})) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tavrel
