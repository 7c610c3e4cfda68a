// Altitude dials read from the length or position of one shadow: the
// cylinder dials of dial kind 'z' (shepherd's dial, hat dial, cylinder with
// a polar-style nodus) and the horizontal altitude dial of kind 'k'
// (hidokai, optionally continued on a vertical wall).
//
// Geometry is computed once (computeCylinderDial) in DIAL MILLIMETRES at
// true size, then drawn by one emitter (emitCylinderDial) through the
// PlotSurface interface on the window picture / printer page or into the
// HPGL plot; the placement on the target is a parameter of the emitter.
//
// Dial axes (x to the right, y DOWNWARDS, both mm):
//   shepherd's dial  x = date axis from the first day of the axis,
//                    y = drop of the gnomon tip's shadow below the gnomon;
//   hat dial         x = arc along the crown from the generator that faces
//                    south (northern hemisphere, x > 0 towards east) or north
//                    (southern hemisphere, x > 0 towards west), the
//                    circumference being shepherdScaleLength,
//                    y = drop of the brim edge's shadow below the brim;
//   polar style      x = arc along the fixed cylinder from the generator that
//                    faces the nodus, positive to the right as seen from the
//                    nodus, y = depth below the nodus level;
//   hidokai          x = date axis as for the shepherd's dial, y = distance
//                    of the shadow tip from the gnomon foot on the plate;
//                    the wall part follows at y = L .. L + g (L the plate
//                    length altitudeHorizontalScale, g the gnomon), a point
//                    at height z above the joint drawn at y = L + z (the
//                    wall folded down below the plate).
// Sun: azimuth from south, west positive; altitude geometric (see
// astro/horizontal_coordinates.h).
//
// Sources: Rohr, "Sundials: History, Theory and Practice" (Dover 1996),
// ch. 6 (shepherd's dial and hat dial: drop = gnomon x tan(altitude));
// Waugh, "Sundials: Their Theory and Construction" (Dover 1973), ch. 13
// (altitude dials, the horizontal "hidokai" plate: shadow = g cot h);
// the nodus on a cylinder: plane triangle axis - nodus - shadow point
// solved with the law of sines; sun positions after Meeus, "Astronomical
// Algorithms", 2nd ed., ch. 13 and 25; temporal, Babylonian and Italian
// hours after Rohr ch. 1 (astro/time_systems.h).
#pragma once

#include <string>
#include <vector>

#include "dials/planar/planar_plot.h"
#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"
#include "plot/target_placement.h"

namespace tavrel {

struct DesignState;

enum class CylinderDialKind { Shepherd, Hat, PolarStyle, Hidokai };

enum class CylinderLineKind {
  Frame,         // pen 1
  DateLine,      // pen 1: month lines, polar-style declination lines
  AzimuthLine,   // hat dial azimuth net, pen 1
  AltitudeTick,  // pen 8
  WallJoint,     // hidokai: joint of plate and wall, pen 1
  VisibleWidth,  // polar style: the visible width of the cylinder, pen 1
  Ordinary,      // full hours pen 2 (to 12 h) / 3, parts pen 5 / 6
  Eot,           // hat and polar style: lines with equation of time
  Temporal,      // pen 10, parts pen 9
  Babylonian,    // pen 6, parts pen 7
  Italian,       // pen 5, parts pen 7
};

// Which target draws an element: the hidokai's screen shows its gnomon as
// a right triangle with its height beside it, the plot as a bar with the
// gnomon at true length below it.
enum class CylinderTarget { Both, Screen, Plot };

struct CylinderPoint {
  double x = 0, y = 0;  // dial mm
  double day = 0;       // day of the year (hour lines), clock hour (polar date lines)
};

struct CylinderLine {
  CylinderLineKind kind = CylinderLineKind::Frame;
  int pen = 1;
  int extraWidth = 0;  // hat dial EoT lines from 21 June: one step wider
  double value = 0;    // hour value, declination, altitude
  bool subdivision = false;
  bool wall = false;   // hidokai wall part
  CylinderTarget target = CylinderTarget::Both;
  Colour screenColour = -1;  // screen colour other than the pen's, -1: none
  std::vector<CylinderPoint> points;
};

enum class CylinderLabelRole { HourNumber, MonthName, MonthDay, AltitudeNumber, AzimuthNumber,
                               GnomonText };

struct CylinderLabel {
  CylinderLabelRole role = CylinderLabelRole::HourNumber;
  int pen = 4;
  double x = 0, y = 0;  // dial mm, the label's reference point
  std::string text;
  CylinderTarget target = CylinderTarget::Both;
};

// What the two targets compute differently.
struct CylinderSampling {
  int dayStep = 3;                 // hour lines over the date axis (polar style: 1)
  bool temporalOpenEnds = false;   // plot: temporal points only for 0 < t < 12
  double dateLineStepHours = 0.03; // polar style date lines
  double dateLineStepLowHours = 0.03;  // ... below 1.5 degrees altitude
  double dateLineLastHour = 23.95;
  double maxDropMm = 240;          // box height limit (plot: 9600 units)
  // Date axes shorter than these (mm) name each month by its first letter
  // and draw one date line a month instead of three (days 1, 11, 21).
  double fewNamesBelowMm = 61, fewLinesBelowMm = 61;
  static CylinderSampling screen(double maxDropMm);
  static CylinderSampling plot();
};

struct CylinderDialInput {
  CylinderDialKind kind = CylinderDialKind::Shepherd;
  double gnomonMm = 70;      // gnomon (brim width, nodus distance)
  double scaleMm = 270;      // date axis (shepherd, hidokai) or circumference (hat)
  double radiusMm = 250;     // polar style
  double plateMm = 180;      // hidokai plate length
  CylinderSampling sampling;
  // Zoom of the picture (polar style): its marks keep their size, 1 mm.
  double zoom = 1;
  // The shepherd's plot splits a half-year page into two dials: a range of
  // the ordinary hours of its own (no noon folding then), their clock, and
  // whether the Babylonian and Italian hours go on this dial.
  int hoursFrom = -1, hoursTo = -1;  // -1: otherHoursFrom .. otherHoursTo
  bool zoneClock = false;            // ordinary hours in zone time
  bool oldHours = true;
  // The altitude scale's strip right of the box and the gap before its
  // numbers (dial mm): 260 and 40 units on the plot; the screen and
  // printer page take twice and half the small font's height.
  double altitudeStripMm = 6.5, altitudeLabelGapMm = 1;
};

struct CylinderDial {
  CylinderDialKind kind = CylinderDialKind::Shepherd;
  // The box of the dial (plate plus wall for the hidokai), dial mm.
  double left = 0, right = 0, top = 0, bottom = 0;
  double plateBottom = 0;     // hidokai: end of the plate (= L)
  int firstDay = 1, lastDay = 365;
  bool wholeYear = true;
  double mmPerDay = 1;
  double gnomonMm = 0, scaleMm = 0;
  std::vector<CylinderLine> lines;
  std::vector<CylinderLabel> labels;
  // The strip of the altitude scale, filled on the screen and printer page
  // (the plot draws its outline only); empty when there is no scale.
  struct Fill {
    bool shown = false;
    double left = 0, top = 0, right = 0, bottom = 0;  // dial mm
    Colour colour = 0;
  } altitudeStrip;
  // Polar style: the projected pole, when it is on the dial.
  bool poleShown = false;
  double poleX = 0, poleY = 0;
  double markMm = 1;  // radius of the centre and pole marks, dial mm
  // What was refused or reduced (the messages are shown by the callers).
  bool temporalRefused = false;          // |latitude| > 65 with temporal hours
  bool babylonianItalianRefused = false; // |latitude| > 65
  bool temporalRangeBad = false;         // temporal range above 12
  bool scaleReduced = false;             // month axis / circumference reduced
  bool hatDropTooLong = false;           // hat dial: the drop does not fit
  bool anyFamily = false;
  // Title and information lines, in the current language.
  std::string title, subtitle, locationLine, timeLine, gnomonLine, extraLine;
  // The screen writes the gnomon line beside the gnomon sign (hidokai),
  // not in the title block.
  bool gnomonLineAtSign = false;
};

// The whole geometry of the dial of the design record d. Shows no message.
CylinderDial computeCylinderDial(const DesignState& d, const CylinderDialInput& input);

// The drop below the gnomon of the shadow at altitude h (degrees) for a
// gnomon g (mm): g tan h, the cosine floored as the targets do.
double cylinderDrop(double gnomonMm, double altitude);

// Polar style: the unrolled position of the shadow of the nodus for the
// sun at (azimuth, altitude); false when it misses the visible part. The
// limits of the visible part are worked out once, for the many points of
// one dial.
class PolarStyleProjection {
 public:
  PolarStyleProjection(double declinationOfWall, double radiusMm, double gnomonMm);
  bool operator()(double azimuth, double altitude, double& x, double& y) const;

 private:
  double wallDecl_, r_, g_, ratio_, limitDeg_, maxCentralRad_;
};

// Placement of dial millimetres on a target (TargetPlacement): target = origin + unitsPerMm
// * (x, y) with y downwards (screen) or upwards (plot, yUp); with
// transposed the dial's x runs down the target and its y to the right
// (the hidokai on the screen).
struct CylinderPlacement : TargetPlacement {
  bool transposed = false;
  double charWidthCm = 0.18, charHeightCm = 0.24;  // labels
  double textWidthCm = 0.24, textHeightCm = 0.3;   // title block
  double textX = 0, textY = 0;                     // title block, target units
  double lineStep = 0;                             // between info lines, target units
  int frameWidth = 1;                              // of frames, scales and nets
  bool writeWidths = true;                         // plot: only when plotLineWidth != 1
  bool degreeSign = true;                          // altitude labels "n °" (screen)
  bool drawWall = true;
  bool drawTexts = true;                           // title block
  Canvas* screenCanvas = nullptr;                  // screen: fills and own colours
  double labelUnits = 0;                           // label height, target units (0: labels unchecked)
  // Plot: umlauts spelled out in labels; the title and its subtitle on one
  // line at (textX, textY) in 0.3 x 0.45 cm, the location 250 units below
  // in 0.2 x 0.28 cm, the time, gnomon and extra lines at the foot of the
  // page (footTextX, footTextY, then lineStep lower) in the label size.
  bool plotLayout = false;
  double footTextX = 0, footTextY = 0;
};

// Draws `dial` on `surface`. The one emitter of both targets.
void emitCylinderDial(PlotSurface& surface, const CylinderDial& dial,
                      const CylinderPlacement& placement);

// Shows the boxes of the refusals and reductions recorded in `dial`
// (temporal range, Babylonian/Italian latitude, hat dial drop, hat dial
// circumference once per run, the shepherd's two-part hint).
void showCylinderMessages(const CylinderDial& dial, bool plot);

// ---- Screen and printer (onScreen false: printer page, 10 units per mm,
// margin 50) of the design record d. width, height: the picture in surface
// units.
void drawShepherdsDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                       double gnomonMm);
void drawHatDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                 double gnomonMm);
// poleX, poleY: the dial centre in surface units (negative: the default).
void drawPolarCylinderDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                           double zoom, double gnomonMm, double radiusMm, double poleX = -1,
                           double poleY = -1);
void drawAltitudeDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                      double gnomonMm);
// Dial kind 'k' -> drawAltitudeDial, 'z' -> by cylinderVariant.
void drawCylinderOrAltitudeDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                                double zoom = 1, double poleX = -1, double poleY = -1);

// ---- Plot (the writer's file is open; the resolution factor is the
// writer's). Kind 'k' always plots with R = 1. A refusal (message 64:
// temporal hours where the sun does not rise or set every day) is
// returned before anything is written or asked.
PlotOutcome plotAltitudeDial(HpglWriter& writer, const DesignState& d, double gnomonMm, bool isShepherd);
// poleX, poleY: plot units (negative: the default 8200, 9700). The grid of
// coordinates about the dial centre: asked for (message 16 and the spacing
// box), given, or left out.
PlotOutcome plotCylinderDial(HpglWriter& writer, const DesignState& d, double poleX, double poleY,
                             bool isHatDial, double zoom, double scaleOrCircumference, double gnomonMm, PlotGrid grid = PlotGrid::Off,
                             int gridSpacingMm = 10);
PlotOutcome plotCylinderOrAltitudeDial(HpglWriter& writer, const DesignState& d, double zoom = 1, double poleX = -1,
                                       double poleY = -1, PlotGrid grid = PlotGrid::Off,
                                       int gridSpacingMm = 10);

}  // namespace tavrel
