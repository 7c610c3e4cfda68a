// --foot X,Y and --text X,Y of draw and plot: the gnomon foot and the text
// anchor as a click and an Alt+click of the drawing window fix them.
#pragma once

#include "cli/cli_options.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "drawing/drawing_controller.h"

namespace tavrel::cli {

using PicturePoint = std::optional<std::pair<double, double>>;

void placeFootAndText(DrawingWindowState& state, const PicturePoint& foot,
                      const PicturePoint& text);

// A window picture of width x height pixels drawn by `draw` and written to
// `out` as SVG (ext "svg", unitsPerMm pixels per millimetre) or PNG (ext
// "png", through the Qt painter canvas). Failures name `command`; returns
// the exit status.
int writeScreenPicture(const std::string& ext, int width, int height, double unitsPerMm,
                       const std::function<void(Canvas&)>& draw, const std::string& out,
                       const std::string& command);

}  // namespace tavrel::cli
