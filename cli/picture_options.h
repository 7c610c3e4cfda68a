// --foot X,Y and --text X,Y of draw and plot: the gnomon foot and the text
// anchor as a click and an Alt+click of the drawing window fix them.
#pragma once

#include <optional>
#include <utility>

#include "drawing/drawing_controller.h"

namespace tavrel::cli {

using PicturePoint = std::optional<std::pair<double, double>>;

void placeFootAndText(DrawingWindowState& state, const PicturePoint& foot,
                      const PicturePoint& text);

}  // namespace tavrel::cli
