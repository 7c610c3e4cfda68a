// The Sawyer dial (dial kind 'w'): a vertical face that is turned about a
// vertical axis until the shadow of a nodus falls on today's date line;
// the equiangular hour ray through that point gives the time.
//
// Physical instrument: a gnomon of length u stands perpendicular to the
// face at O; its tip is the nodus. For the sun at altitude h and at any
// azimuth a relative to the face's normal, the tip's shadow falls at
//   x = -u tan a,  y = -u tan h / cos a  =  -tan h * sqrt(x^2 + u^2),
// so the shadow stays on one hyperbola per altitude whatever the turn of
// the face (the shadow of a nodus on a vertical plane, Rohr, "Sundials:
// History, Theory and Practice", Dover 1996, ch. 6; the altitude from
// Meeus, Astronomical Algorithms, 2nd ed., eq. 13.6). The hour rays all
// start from the centre (0, C) above O and make the constant angle
// `sawyerLineAngle` per hour; the dial marks where each ray meets the
// hyperbola of the sun's altitude at that hour.
//
// Units and axes of the geometry: x to the right of O, y UPWARDS from O,
// in the units of the target the geometry is computed for (screen
// pixels, printer 0.1 mm, plotter units); all lengths scale with the
// gnomon u and the centre distance C given in those units, so the same
// routine also works in millimetres. The emitter places (x, y) at
// (x0 + x, y0 - y) on the screen and printer page (y downwards) and at
// (x0 + x, y0 + y) in the plot (y upwards).
//
// Hour angles and times: t in hours from local apparent noon (positive in
// the afternoon); the sun's hour angle is 15 t degrees. Declinations and
// altitudes in degrees.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

// A point of an hour ray with the sun's altitude there.
struct SawyerRayPoint {
  double x = 0, y = 0;
  double altitude = 0;
};

enum class SawyerPointStatus { Found, NoPoint, TooFar };

// The point of the ray of time t (degrees of ray angle rayDeg = t *
// lineAngle) where the nodus's shadow falls for the sun at hour angle
// sunHourAngle and declination `declination`, at `latitude`; u gnomon, C
// centre distance, farLimit the largest |y| taken (same units).
//   sin h = sin phi sin d + cos phi cos d cos H (h = 0 below the horizon),
//   tau = tan h, T = tan(rayDeg), A = T^2 tau^2 - 1, D = C^2 T^2 - A u^2,
//   y = tau (sqrt D + C T^2 tau) / A, x = (C - y) T.
SawyerPointStatus sawyerRayPoint(double rayDeg, double sunHourAngle, double declination,
                                 double latitude, double u, double C, double farLimit,
                                 SawyerRayPoint& out);

// sawyerPoint(t, declination): the point of the hour ray of time t with
// the sun at hour angle 15 t; nullopt when the ray misses the hyperbola or
// the point lies beyond farLimit.
std::optional<SawyerRayPoint> sawyerPoint(double t, double declination, double latitude,
                                          double lineAngle, double u, double C, double farLimit);

enum class SawyerLineKind { FullHour, PartHour, WholeSignDate, DateLine, DateScale };

struct SawyerLine {
  SawyerLineKind kind = SawyerLineKind::FullHour;
  int pen = 3;
  bool wide = false;         // construction width + 1 (screen) or + 2 (printer)
  double value = 0;          // time of an hour line, solar longitude of a date line
  std::vector<std::vector<SawyerRayPoint>> runs;  // pieces of the line, each a polyline
};

struct SawyerLabel {
  double x = 0, y = 0;  // top-left of the text, geometry axes
  std::string text;
  bool red = false;     // the reading of the other half year
};

// A zodiac symbol in the symbol font (Wingdings character code).
struct SawyerSymbol {
  double x = 0, y = 0;
  char code = 0;
  bool red = false;
};

struct SawyerDialInput {
  double latitude = 47;
  double longitude = 0, zoneMeridian = 0;
  bool zoneTime = false;
  int timeMode = 0;            // 0 apparent local, 1 apparent zone, 2 half analemmas, 3 mean straight
  double u = 100;              // gnomon, target units
  double C = 90;               // centre above O, target units
  double lineAngle = 5;        // degrees between full-hour rays
  double obliquity = 23.44;
  int parts = 0;               // otherHourInterval digit n: n + 1 rays per hour
  int datesPerSign = 0;        // dateLineMode digit d: d + 1 date lines per sign
  const std::vector<EotSeriesRow>* eotTable = nullptr;  // 1.25-degree rows of solar longitude
  double textHeight = 16;      // label font, target units
  double symbolHeight = 16;    // zodiac symbols, target units
  double farLimit = 10000;     // largest |y| of a point, target units
  double dateStepDeg = 0.1;    // hour-angle step along the date lines
};

struct SawyerDial {
  bool tropicsRefused = false;     // |latitude| < 29: only the refusal texts
  bool obliquityRefused = false;   // obliquity + 5 > |latitude|: nothing drawn
  bool fragmentary = false;        // an hour ray or a date line is left open
  double longestHalfDayHours = 0;  // E_h
  double scaleA = 0, scaleB = 0;   // the date scale on O's level: summer and winter ends
  std::vector<SawyerLine> lines;
  std::vector<SawyerLabel> labels;
  std::vector<SawyerSymbol> symbols;
};

// The whole geometry of one dial. Shows no message.
SawyerDial computeSawyerDial(const SawyerDialInput& in);

// The input for the design record with u and C already in target units.
SawyerDialInput sawyerInputFromDesign(const DesignState& d, double u, double C, double textHeight,
                                      double symbolHeight, double farLimit);

// How the one emitter places the geometry on its target.
struct SawyerPlacement {
  double x0 = 0, y0 = 0;      // O on the target
  bool yUp = false;           // plot: y upwards
  bool screen = true;         // the picture (not the printer page or plot)
  double u = 0;               // gnomon on the target (for the bars)
  double gnomonMm = 0;        // the gnomon length written on the scale bar (g z)
  double centreMm = 0;        // the centre distance written in the block (sawyerCentre z)
  double textHeight = 16;     // label font (target units)
  double titleHeight = 25, infoHeight = 15, symbolHeight = 16;
  double textX = 0, textY = 0;        // information block
  double barX = 0, barY = 0;          // scale bar
  double legendX = 0, legendY = 0;    // zodiac legend
  double unitsPerCm = 0;      // plot: char sizes from target units
  int lineWidth = 1;          // construction width
  int wideExtra = 1;          // + 1 on the screen, + 2 on the printer
  bool writeWidths = true;    // plot: no pen-width commands
  // Screen and printer: texts are drawn on the canvas with their own face,
  // weight and colour; nullptr for the plot, which writes labels.
  Canvas* canvas = nullptr;
  Colour textColour = 0;      // canvas texts without a colour of their own (pen 4)
  // Plot: switches to the alternate character set for the zodiac
  // symbols (";SA ") and back (";SS ").
  std::function<void(bool)> plotSymbolSet;
  // The refusal texts and the fragmentary note (page positions).
  double refusalX = 0, refusalY1 = 0, refusalY2 = 0, refusalHeight = 16;
  double fragmentaryY = 0;
};

// Draws `dial` on `surface`: lines, labels, symbols, the gnomon mark, the
// scale bar, the legend and the information block. The one emitter of the
// picture, the printer page and the plot.
void emitSawyerDial(PlotSurface& surface, const SawyerDial& dial, const SawyerDialInput& in,
                    const SawyerPlacement& p);

// ---- Screen and printer. width, height in surface units; (footX, footY)
// the gnomon foot O and the text anchor (textX, textY), footSet false
// for the default place (W div 2, H div 5); g the gnomon length (mm), z
// the zoom factor.
void drawSawyerDial(ScreenSurface& surface, const DesignState& d, int width, int height,
                    bool screenMode, double g, double zoom, double footX, double footY, bool footSet, double textX,
                    double textY);

// The legend of the twelve zodiac signs at (x, y), downwards.
void drawZodiacLegend(PlotSurface& surface, bool screenMode, double x, double y, double lineHeight,
                      const SawyerPlacement& p);

// ---- Plot (the writer's file is open): prologue, the dial with O at
// (footX, footY) in plotter units, then the page end. A latitude the dial is not
// made for is refused (the tropics text, returned) before anything is
// written.
PlotOutcome writeSawyerPlot(HpglWriter& writer, const DesignState& d, double footX, double footY, double textX, double textY,
                            double zoom);

// The refusal of latitudes within the tropics, in the current and in the
// other language ("No constructions for latitudes in between ...").
std::string sawyerTropicsText(int language);

}  // namespace tavrel
