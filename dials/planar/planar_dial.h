// The planar dials (horizontal, vertical declining, inclined, and the
// umbrella variant of each) on the window picture and the printer page.
//
// Units are those of the ScreenSurface: pixels on the screen, 0.1 mm on
// the printer page, origin top-left, y downwards. Millimetres of the
// finished dial become units by width / 280 (printed layout, paperA4) or
// width / 420 (saved layout) on the screen and by 10 on the printer.
#pragma once

#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_lines.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

// What the drawing window hands to the construction.
struct PlanarDialView {
  double footX = 0, footY = 0;  // the gnomon foot P, surface units
  double textX = 0, textY = 0;  // top-left of the information block
  // Multiplies gnomonLength. When gnomonLength * zoomFactor is below 5 mm
  // the dial is drawn with 5 mm and zoomFactor becomes 5 / gnomonLength.
  double zoomFactor = 1;
  bool grid = false;            // the "...+Grid" command
  // The last hour-line angle table (sunlit window, angles, the title
  // text); nullptr before the first one.
  const HourLineAngleTable* angles = nullptr;
  // Sun positions kept from earlier drawings of the window (see
  // PlanarSunCache); nullptr computes every one.
  PlanarSunCache* sunCache = nullptr;
};

// Derived sizes of one construction.
struct PlanarDialLayout {
  int margin = 0;               // m: 0 on the screen, 50 on the printer
  int right = 0, bottom = 0;    // R = width - m, B = height - m
  int halfWidth = 0, halfHeight = 0;
  double gnomonMm = 0;          // Lmm, rounded to 0.01 mm, at least 5
  double unitsPerMm = 1;
  double gnomonUnits = 0;       // L
  DialFrame frame;              // the drawing area in dial coordinates
};

PlanarDialLayout planarDialLayout(const DesignState& d, bool screenMode, int width, int height, const PlanarDialView& view);

// Draws the whole dial of the design record (dialKind 'h', 'v' or 'i',
// umbrellaMode) on a cleared picture or page: frame, grid, horizon line,
// information block and time-system line, whole-hour day-length lines,
// date lines, gnomon scale bar, hour lines without and with equation of
// time, analemma and its marks, temporal, Babylonian and Italian hours,
// altitude lines, style foot and polar triangle, margins and the title of
// the sunlit hours. screenMode true for the window picture, false for the
// printer page. Shows message 21 for an umbrella inclined dial with disc
// radius 0 (and goes on), and the latitude messages of the line families.
void drawPlanarDial(ScreenSurface& surface, const DesignState& d, bool screenMode, int width, int height,
                    PlanarDialView& view);

// The geometry that drawPlanarDial draws, for the same arguments.
PlanarLines planarDialLines(const DesignState& d, bool screenMode, int width, int height, PlanarDialView& view);

}  // namespace tavrel
