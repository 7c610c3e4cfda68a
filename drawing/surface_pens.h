// The pens and the screen layout of the design record, for whoever makes a
// ScreenSurface (the drawing window, the graphs, tavrel-cli).
#pragma once

#include <cstddef>

#include "core/design_state.h"
#include "plot/screen_surface.h"

namespace tavrel {

// Pen n takes d.colors[n - 1]; a pen without a width of its own draws
// d.lineWidth wide.
inline SurfacePens surfacePensOf(const DesignState& d) {
  SurfacePens pens;
  for (std::size_t i = 0; i < pens.colours.size(); ++i) pens.colours[i] = d.colors[i];
  pens.lineWidth = d.lineWidth;
  return pens;
}

// The layout of the picture: A4 (280 mm across) or A3 (420 mm).
inline ScreenPaper screenPaperOf(const DesignState& d) { return d.paperA4 ? ScreenPaper::A4 : ScreenPaper::A3; }

// The window picture and the printer page with the record's pens and layout.
inline ScreenSurface screenSurfaceOf(const DesignState& d, Canvas& canvas, int widthPx, int heightPx) {
  return ScreenSurface::screen(canvas, widthPx, heightPx, surfacePensOf(d), screenPaperOf(d));
}
inline ScreenSurface printerSurfaceOf(const DesignState& d, Canvas& canvas, const PrinterDevice& device) {
  return ScreenSurface::printer(canvas, device, surfacePensOf(d));
}

}  // namespace tavrel
