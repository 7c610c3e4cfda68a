// The azimuthal dial (dial kind 'a'): a level round plate with a vertical
// pointer at its centre, read from the DIRECTION of the pointer's shadow,
// i.e. from the sun's azimuth. Two designs:
//   date circles      (azimuthDialKind 0): one circle per day of the year
//                     (calendar scale) or per solar declination (zodiac
//                     scale); the shadow crosses today's circle on the
//                     hour curve of the time;
//   altitude circles  (azimuthDialKind 1): an altitude-azimuth chart of the
//                     sky with the sun's daily paths (date lines) and hour
//                     curves; circles of equal altitude spaced equally, as
//                     a reflecting dome (horizontoscope, after Tonne),
//                     stereographically or orthographically
//                     (plot/polar_chart.h).
//
// Geometry is computed once (computeAzimuthalDial) in TARGET UNITS about
// the plate centre, x to the right, y UPWARDS; the emitter
// (emitAzimuthalDial) places it on the window picture, the printer page
// (y downwards) or the HPGL plot (y upwards) through PlotSurface.
// A sun of azimuth A (degrees from south, west positive) puts the shadow
// of the pointer in the direction (-sin A, -cos A): south at the top of
// the plate, west to the right.
//
// Sources: the azimuth of the sun, Meeus, "Astronomical Algorithms", 2nd
// ed., ch. 13 (astro/horizontal_coordinates.h); azimuth dials, Rohr,
// "Sundials: History, Theory and Practice" (Dover 1996), ch. 6, and Waugh,
// "Sundials: Their Theory and Construction" (Dover 1973), ch. 15; the
// horizontoscope dome after Tonne, Sonnenuhren-Entwurf (the spacing is in
// plot/polar_chart.h); temporal, Babylonian and Italian hours after Rohr
// ch. 1 (astro/time_systems.h); the day length 2 H0 / 15 with cos H0 =
// -tan(latitude) tan(declination), Meeus eq. 15.1.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "plot/plot_refusal.h"
#include "plot/plot_surface.h"
#include "plot/polar_chart.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

class HpglWriter;

// A skyline as (azimuth, elevation) pairs in degrees, azimuth from south,
// west positive, ascending from -180 to +180.
using SkyOutline = std::vector<std::pair<double, double>>;

// The skyline's elevation at an azimuth, linear between its points.
double skylineElevation(const SkyOutline& outline, double azimuth);

enum class AzimuthLineKind {
  Frame,          // cross, compass ring ticks, plate circle
  RiseSet,        // sunrise and sunset curves (date circles)
  Clock,          // hour lines of the clock
  Temporal,
  Babylonian,
  Italian,
  DateLine,       // the sun's daily path (altitude circles)
  Sunshine,       // daily path of a whole-hour day length
  Spoke,          // azimuth spokes (altitude circles), dashed in the plot
  Ecliptic,       // stereographic chart: the ecliptic and its ticks
  Horizon,        // the skyline of the horizon profile
};

struct AzPoint {
  double x = 0, y = 0;
};

struct AzimuthLine {
  AzimuthLineKind kind = AzimuthLineKind::Frame;
  int screenPen = 4;     // colour slot + 1
  int plotPen = 1;
  int extraWidth = 0;    // one unit wider than lineWidth (full hours, sign starts)
  bool hidden = false;   // below the horizon profile
  double value = 0;      // hour value or declination
  std::vector<AzPoint> points;
};

// A circle about the centre: date circles, altitude circles, the plate.
struct AzimuthCircle {
  double r = 0;
  int screenPen = 4, plotPen = 1;
  int extraWidth = 0;
  // Date circles: the plot draws the daytime arc from the shadow direction
  // of sunrise to that of sunset, and the 1st of a month also the rest.
  bool dayArc = false;
  double riseAzimuth = -90, setAzimuth = 90;
  bool complementary = false;
};

enum class AzimuthLabelRole { HourNumber, MonthStart, Declination, Compass, AltitudeNumber,
                              AzimuthNumber, Pole, Zodiac };

struct AzimuthLabel {
  AzimuthLabelRole role = AzimuthLabelRole::HourNumber;
  double x = 0, y = 0;  // where the text's centre goes
  std::string text;
  int screenPen = 4, plotPen = 1;
  int zodiacSign = -1;  // 0 Aries .. 11 Pisces for the symbols
  double value = 0;     // hour value of an hour number
};

// What the targets set differently.
struct AzimuthalInput {
  int mode = 0;              // azimuthDialKind
  double plateRadius = 900;  // R, target units
  double dayStep = 0;        // k (date circles), target units
  double textHeight = 33;    // altitude circles: R0 = R - 2 text heights
  double domeV = 0;          // reflecting dome: v (0: R0)
  const SkyOutline* horizon = nullptr;  // the profile when it is shown
};

struct AzimuthalDial {
  int mode = 0;
  double latitude = 0;       // degrees: the shadow turns through south when >= 0
  double plateRadius = 0, dayStep = 0, rOut = 0, rIn = 0, declStep = 0;
  PolarChart chart;          // altitude circles: cx = cy = 0, ySign = -1
  bool refused = false;      // temporal hours above 66 degrees of latitude
  bool lowLatitude = false;  // |latitude| < 24: message 49
  bool zodiacSymbols = false;  // declination scale or ecliptic: the symbol font is needed
  std::vector<AzimuthCircle> circles;
  std::vector<AzimuthLine> lines;
  std::vector<AzimuthLabel> labels;
  // The information block, in the current language.
  std::string title, latitudeLine, timeLine, diameterLine, extraLine, note;
  std::string legendFirst, legendMiddle;
  std::string refusal1, refusal2;  // message 64, split at its line break
};

// The radius of a date on the date-circle scale of the record d's dial:
// the day's circle and the points of the hour lines (forHourPoint), day of
// the year `day` of referenceYear with declination decl.
double azimuthDateRadius(const DesignState& d, const AzimuthalDial& dial, int day, double declination, bool forHourPoint,
                         bool riseSetCurve = false);

// The whole geometry of the dial of the design record d. Shows no message.
AzimuthalDial computeAzimuthalDial(const DesignState& d, const AzimuthalInput& input);

// The declinations (degrees, 0 .. 90) whose day lasts a whole number of
// hours at `latitude`, 12 h .. 23 h, those beyond `limit` left out.
std::vector<double> wholeHourDayDeclinations(double latitude, double limit);

// How the emitter places the geometry on its target.
struct AzimuthalPlacement {
  double cx = 0, cy = 0;     // plate centre, target units
  bool yUp = false;          // plot
  bool plotPens = false;     // pens of the plot table, arcs for date circles
  ScreenSurface* screen = nullptr;  // screen and printer: fonts, colours, frame
  int lineWidth = 1;         // screen: lineWidth; plot: plotLineWidth - 1
  bool writeWidths = true;   // plot: only when plotLineWidth != 1
  double labelHeight = 20;   // target units
  double labelAdvance = 0;   // per character, target units; 0: 0.6 labelHeight
  double labelBoxHeight = 0; // the letters' height, target units; 0: labelHeight
  double titleHeight = 45, textHeight = 35;  // screen information block
  double textX = 0, textY = 0;                // top-left of the block
  double frameW = 0, frameH = 0, frameX = 0, frameY = 0;  // screen frame rectangle
  bool zodiacFont = true;    // the symbol font is installed
};

// Draws `dial` on `surface`: the one emitter of the picture, the printer
// page and the plot.
void emitAzimuthalDial(PlotSurface& surface, const AzimuthalDial& dial, const AzimuthalPlacement& p);

// ---- Screen and printer: the dial of the record d on the picture of
// width x height surface units.
void drawAzimuthDateDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool printer,
                         const SkyOutline* horizon = nullptr);
void drawAzimuthAltitudeDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool printer,
                             const SkyOutline* horizon = nullptr);

// ---- Plot (the writer's file is open). The date circles refuse temporal
// hours above 66 degrees of latitude (message 64, returned before anything
// is written).
PlotOutcome plotAzimuthDateDial(HpglWriter& writer, const DesignState& d);
PlotOutcome plotAzimuthAltitudeDial(HpglWriter& writer, const DesignState& d,
                                     const SkyOutline* horizon = nullptr);

// The screen geometry of the design record as the picture draws it
// (for tests and the bench): R and k of a picture W x H.
AzimuthalInput azimuthalScreenInput(const DesignState& d, int width, int height, bool printer);
AzimuthalInput azimuthalPlotInput(const DesignState& d, int resolutionFactor);

}  // namespace tavrel
