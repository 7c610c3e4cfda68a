// The world map over a planar dial without umbrella ('h', 'v', 'i').
//
// Every coast or boundary point Q is drawn where the shadow of the gnomon
// tip falls when the sun stands in the zenith of Q: the sun's direction is
// then the direction of Q seen from the earth's centre, so the shadow point
// is the gnomonic (central) projection of Q onto the dial plane, turned by
// 180 degrees about the gnomon foot. Date lines then run along parallels
// of latitude and hour lines along meridians.
//
// Units and axes: the screen and printer work in surface units (pixels, or
// 0.1 mm on the printer page) with y downwards; the plot in plotter units
// (0.025 mm, times the resolution factor R) with y upwards. Latitudes are
// north positive; the dial's longitude is west positive as in the design
// record, the outline's longitudes east positive.
//
// The plane is described through rotateSpherical (base/geometry.h): for a
// wall of inclination i and declination D at latitude phi it gives the
// latitude e and longitude offset p of the place whose horizon is parallel
// to the wall, and the turn l of the picture. Projection after Snyder, Map
// Projections - A Working Manual (USGS PP 1395), ch. 22 (gnomonic).
#pragma once

#include <string>
#include <vector>

#include "plot/hpgl_writer.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

// The projection of one map pass.
struct WorldMapProjection {
  double distance = 0;      // L after the distance correction, surface units
  double rotation = 0;      // l
  double centreLon = 0;     // p + longitude (west positive)
  double centreLat = 0;     // e
  double x0 = 0, y0 = 0;    // gnomon foot
  double ySign = 1;         // +1: y downwards (screen, printer), -1: plot
  // sin and cos of centreLat and of the turn, kept for the many points.
  double sinCentre = 0, cosCentre = 1, sinTurn = 0, cosTurn = 1;
};

// Sets up the projection for the design's plane: kind 'h' takes the
// latitude itself, 'v' and 'i' (inclination 90 or planeInclination) the
// rotated place. gnomonUnits is the gnomon length in surface units; the
// distance is corrected so that the projected celestial pole falls on the
// style foot (when |e| > 0.05).
WorldMapProjection worldMapProjection(const DesignState& d, double gnomonUnits, double x0,
                                      double y0, double ySign);

// The surface position of an outline point (latitude, east longitude).
void projectWorldPoint(const WorldMapProjection& p, double latitude, double eastLongitude, double& x,
                       double& y);

// drawWorldMap: one pass of the record's outline (d.coastlineText) and
// place on the screen picture or the printer page, pen 11
// (coast lines, isCoast) or 12 (boundaries). gnomonMm is gnomonLength
// times the zoom factor; (x0, y0) the gnomon foot. A red cross of
// half-length 8 marks the foot. Points outside 60 % of the page around
// its centre are left out and lift the pen.
void drawWorldMap(ScreenSurface& surface, const DesignState& d, bool isCoast, double gnomonMm, double x0,
                  double y0);

// plotWorldMap: one pass into the plot file, pen "11" or "12", with its
// own prologue, the foot marker and the points (all numbers fixedText(v,
// 8, 0)) and a closing ";"; (x0p, y0p) the gnomon foot in plotter units
// (times R).
void plotWorldMap(HpglWriter& writer, const DesignState& d, bool isCoast, double gnomonMm, double x0p,
                  double y0p);

}  // namespace tavrel
