#include "cli/picture_options.h"

namespace tavrel::cli {

void placeFootAndText(DrawingWindowState& state, const PicturePoint& foot,
                      const PicturePoint& text) {
  if (foot) {
    state.footX = foot->first;
    state.footY = foot->second;
    state.gnomonFootFixed = true;
  }
  if (text) {
    state.textX = text->first;
    state.textY = text->second;
    state.textAnchorMarked = true;
  }
}

}  // namespace tavrel::cli
