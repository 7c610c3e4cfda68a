// What the two targets of a planar dial draw besides the sampled lines,
// computed once: the rounded gnomon length, the dial name and the texts of
// the information block, the height of the horizon on an inclined plane,
// the tip of the polar triangle; and the one routine that emits the lines
// of planar_lines.h on either target.
//
// Units: whatever the caller passes for the gnomon length (millimetres,
// screen units or plotter units) comes back in the same unit; offsets are
// taken y upwards from the gnomon foot P, as in dial coordinates.
#pragma once

#include <string>

#include "dials/planar/planar_lines.h"
#include "dials/planar/planar_plane.h"
#include "plot/plot_surface.h"

namespace tavrel {

struct DesignState;

// The gnomon length gnomonLength * zoomFactor * scale rounded to two
// decimals (half to even): millimetres for scale 1, and the plot's
// millimetres times the resolution factor for scale R.
double roundedGnomonLength(const DesignState& d, double zoomFactor, double scale);

// "horizontal SUNDIAL", "vertical Umbrella Sundial", ... of the language
// tables.
std::string planarDialName(const PlanarPlane& plane);

// The lines of the information block in the current language:
// "Latitude = ..., Longitude = ...", "Deviation = ..." and
// "Inclination= ..." (fixedText(value, 6, 2) and " deg ").
struct PlanarInfoTexts {
  std::string location, deviation, inclination;
};
PlanarInfoTexts planarInfoTexts(const DesignState& d);

// Height of the horizon line of an inclined plane above the foot, for a
// gnomon of length L: L cot i, or L / sin i for the disc edge of an
// umbrella (the sun on the horizon grazes the plane along the line where
// the horizontal through the tip, or through the disc's rim, meets it).
// The caller handles i = 0.
double inclinedHorizonHeight(bool umbrella, double inclinationDeg, double L);

// The gnomon tip T' laid down on the face, the corner of the polar
// triangle P, T', S: L times the unit vector perpendicular to P->S
// (S = (sx, sy) from P, y upwards), turned to the side of the triangle
// that lies towards the equator. Offset from P, y upwards.
DialPoint poleTriangleTip(double sx, double sy, double L, double latitude);

// Where dial coordinates land on a target: P at (x0, y0), unitsPerMm
// units per millimetre, y downwards on the screen and printer, upwards in
// the plot.
struct DialPlacement {
  double x0 = 0, y0 = 0, unitsPerMm = 1;
  bool yDown = true;
  double x(double mm) const { return x0 + mm * unitsPerMm; }
  double y(double mm) const { return yDown ? y0 - mm * unitsPerMm : y0 + mm * unitsPerMm; }
};

// Sees every line as it is emitted (the plot's coordinates listing).
class PlanarLineObserver {
 public:
  virtual ~PlanarLineObserver() = default;
  virtual void beginLine(const PlanarLine& line) = 0;
  virtual void vertex(const PlanarLine& line, const PathVertex& v) = 0;
};

// Emits every line of `kind` in computing order: its pen when it differs
// from `pen` (which follows), then its path as one polyline and a pen-up.
// An empty path emits nothing but is shown to the observer.
void emitPlanarLines(PlotSurface& surface, const PlanarLines& lines, PlanarLineKind kind,
                     const DialPlacement& at, int& pen, PlanarLineObserver* observer = nullptr);

}  // namespace tavrel
