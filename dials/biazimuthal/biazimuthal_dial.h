// The bi-azimuthal dial ('c'): a map of the earth in the two-point
// azimuthal projection with the foci A (latitude, longitude) and B
// (latitude2, longitude2). Seen from either focus the direction to every
// point of the drawing is its true azimuth. The dial lines are the images of
// the subsolar point: date lines of circles of constant declination, hour
// lines of its meridians, the lines with equation of time analemmas.
//
// The projection is the gnomonic projection about the great-circle midpoint
// M of the foci, shortened along the line of the foci by cos q (q half their
// angular distance): Close (1921) and Maurer (1935), see Snyder, Map
// Projections - A Working Manual (USGS PP 1395), "Two-point azimuthal",
// and Snyder & Voxland, An Album of Map Projections (USGS PP 1453), p. 198.
//
// Units and axes: angles in degrees; longitudes west positive as in the
// design record. The geometry is computed at projection distance 1 with x
// towards the east and y towards the north of the centre's picture (turned
// by 180 degrees for a southern centre or a north-south pair of foci); the
// screen scales by L pixels (0.1 mm on the printer) with y downwards, the
// plot by L plotter units (times R) with y upwards.
//
// A plane that is not horizontal stands for the place whose horizon is
// parallel to it (its equivalent horizontal dial): at A through
// rotateSpherical (base/geometry.h), at B through planeGeometry
// (astro/plane_sunlight.h).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/angles.h"
#include "dials/dial_family.h"
#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

// twoPointCentre: the great-circle midpoint M = (latM, lonM) of the foci,
// the half distance q (radians) and whether the pair lies more east-west
// than north-south. latM = 99.99 when q exceeds 80 degrees (the caller
// shows messages 65 and 66 and stops).
struct TwoPointCentre {
  double latM = 0, lonM = 0;
  double q = 0;
  bool eastWest = false;
  bool valid() const { return latM <= 90 && latM >= -90; }
};
TwoPointCentre twoPointCentre(double lat1, double lon1, double lat2, double lon2);

// twoPointProject: the point (pointLat, pointLon) at projection distance L.
void twoPointProject(double pointLat, double pointLon, double L, const TwoPointCentre& c,
                     double lat1, double lon1, double lat2, double lon2, double& x, double& y);

// The frame of one construction: the foci A' and B' (after the plane
// choices), the centre, the hemisphere sign s and k = 1 / (distance of the
// pole image from the centre at distance 1), 0 when that is 0.0001 or less.
struct BiAzimuthalFrame {
  double lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0;
  TwoPointCentre centre;
  double s = 1;
  double k = 0;
  // The image of (lat, lon) at distance 1, s applied: x east, y north
  // (twoPointProject with the centre's sines and the direction of the
  // foci kept).
  void unitPoint(double lat, double lon, double& x, double& y) const;
  // The same with the sine and cosine of lat given (lat times
  // kRadPerDeg), for the many points of the world map.
  void unitPointWithSines(double sinLat, double cosLat, double lon, double& x, double& y) const;
  double sinM = 0, cosM = 1, sinG = 0, cosG = 1, cosQ = 1, turn = 1;
};
// Without message; centre.valid() is false for foci too far apart.
BiAzimuthalFrame biAzimuthalFrame(const DesignState& d);

// The two information texts ("A(...)", "B(...)").
std::string biAzimuthalInfoTextA(const DesignState& d);
std::string biAzimuthalInfoTextB(const DesignState& d);

// The west longitude of the subsolar point at clock hour T with the
// equation of time eot (degrees; 0 for lines without it).
double subsolarWestLongitude(const DesignState& d, double hour, double eot);

// One line of the dial at distance 1 (frame.unitPoint coordinates).
struct BiAzimuthalLine {
  enum Kind { Date, Analemma, Hour } kind = Date;
  int pen = 1;
  bool marked = false;  // the analemma of analemmaMarkHour: the marks follow it
  std::vector<std::array<double, 2>> points;
};
struct BiAzimuthalMark {
  double x = 0, y = 0;
  bool first = false;  // the first mark of its month (filled)
};
// What differs between the picture and the plot: the range of the date
// lines, the days of the analemmas and the mark days of setting 2.
struct BiAzimuthalSampling {
  bool plot = false;
};
struct BiAzimuthalLines {
  std::vector<BiAzimuthalLine> dates, analemmas, hours;
  std::vector<BiAzimuthalMark> marks;  // analemma marks, month by month
};
BiAzimuthalLines biAzimuthalLines(const DesignState& d, const BiAzimuthalFrame& f,
                                  const BiAzimuthalSampling& sampling);

// drawBiAzimuthalDial: the dial of the record d on the picture
// (screenMode) or the printer page of size W x H; foot (x0, y0), text
// anchor, zoom and grid from the request.
void drawBiAzimuthalDial(DialScreenRequest& r, const DesignState& d);

// writeBiAzimuthalPlot: the dial into the open plot file (foot and text
// anchor already in plotter units times R). Foci more than 160 degrees
// apart are refused (messages 65 and 66, returned) before anything is
// written or asked.
PlotOutcome writeBiAzimuthalPlot(HpglWriter& w, const DialPlotRequest& r, const DesignState& d);

}  // namespace tavrel
