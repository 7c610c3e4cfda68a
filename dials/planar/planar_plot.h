// The planar dials (horizontal, vertical declining, inclined, each with
// or without umbrella) as an HPGL plot, with the optional coordinates
// listing.
//
// Units: plotter units of 0.025 mm (40 per millimetre) times the
// resolution factor R (1 for an HPGL file, 25 for the intermediate file
// of a DXF), origin bottom-left, y upwards. Drawing window 16157 R x
// 11038 R, page 16400 R x 11480 R. The lines are those of the screen
// construction (computePlanarLines, in millimetres from the gnomon foot),
// placed at the gnomon foot P: plot = P + 40 R * millimetres. What the
// plot does differently is in PlanarLineSampling::plot(): the hour lines
// are sampled every 3 days up to the last day, the subdivisions of the
// Babylonian and Italian hours use pen 9, and the hour numbers are
// anchored for every third hour from 6 to 21.
#pragma once

#include <optional>
#include <string>

#include "dials/planar/coordinates_file.h"
#include "dials/planar/hour_line_angles.h"
#include "plot/hpgl_writer.h"
#include "plot/plot_grid.h"

namespace tavrel {

struct DesignState;

struct PlanarPlotRequest {
  int resolutionFactor = 1;  // R
  // Gnomon foot and text anchor in plotter units, already multiplied by
  // R; used only when the user fixed or marked them (else the defaults of
  // plannedFoot / plannedTextAnchor).
  double footX = 0, footY = 0;
  bool footFixed = false;
  double textX = 0, textY = 0;
  bool textMarked = false;
  double zoomFactor = 1;  // multiplies gnomonLength, as on the screen
  PlotGrid grid = PlotGrid::Ask;
  int gridSpacingMm = 10;
  // The last hour-line angle table (the hour lines up to the style foot
  // need it); nullptr: none computed yet.
  const HourLineAngleTable* angles = nullptr;
  // The plot file's name as the coordinates listing shows it.
  std::string plotFileName;
};

// Gnomon length in plotter units: round(gnomonLength * zoom * R, 2
// decimals) * 40.
double plotGnomonUnits(const DesignState& d, double zoomFactor, int resolutionFactor);

// The default gnomon foot (when the user did not fix it), plotter units:
//   'v': (8200 R, 11000 R), x + 2400 R for wallDeclination > 50 and
//        - 2400 R for < -50;
//   'h', 'i': x 8200 R; y 2500 R beyond 49 degrees of latitude, 4000 R
//        beyond 30, else 5500 R; 1500 R beyond 50 degrees when the gnomon
//        is longer than 3000 R; mirrored to 11000 R - y south of the
//        equator.
struct PlotPoint {
  double x = 0, y = 0;
};
PlotPoint defaultPlotFoot(const DesignState& d, double gnomonUnits, int resolutionFactor);
// The default text anchor: 'h' (5200 R, 1000 R); 'i' (5200 R, 1540 R);
// 'v' (9000 R or, for an east declination, 800 R; 1540 R).
PlotPoint defaultPlotTextAnchor(const DesignState& d, int resolutionFactor);


// Writes the whole plot of the design's dial into the open writer (whose
// resolution factor must be request.resolutionFactor): prologue, grid,
// marks, scale bar, title and legend, hour numbers, horizon, style and
// polar triangle, every line family, analemma marks and end marks. When
// `listing` is given it receives the pole-style information and every
// plotted point. Throws PlotFileError when the file cannot be written.
void writePlanarPlot(HpglWriter& writer, const DesignState& d, const PlanarPlotRequest& request,
                     CoordinatesListing* listing = nullptr);

}  // namespace tavrel
