// The hybrid Peaucellier azimuthal dial (dial kind 'p'): a vertical style
// (or plumb line) stands at the origin O; its shadow, a line turning about
// O with the sun's azimuth, crosses a family of date lines parallel to the
// meridian. The distances of the date lines from the meridian follow the
// inversion of a Peaucellier linkage, y = p / (1 + f tan(delta)), which
// makes every hour line a straight segment: on the shadow line of hour
// angle H the point of declination delta is x = y cot(A) with the azimuth
// A of that sun, and x is then linear in y.
//
// Geometry is computed once (computePeaucellierDial) in DIAL MILLIMETRES
// at true size; one emitter (emitPeaucellierDial) draws it through the
// PlotSurface interface on the window picture, the printer page and the
// HPGL plot.
//
// Dial axes (mm, origin O = the foot of the style):
//   x along the meridian towards the pole mark ("N" north of the equator,
//     "S" south of it);
//   y across the meridian, positive on the afternoon side (east of the
//     meridian in the northern hemisphere, west of it in the southern),
//     drawn DOWNWARDS on every target, so that the dial reads with the page
//     turned a quarter turn anticlockwise (the pole mark then points up).
// The construction is made for |latitude| and labelled for the hemisphere.
//
// Sources: sun azimuth tan A = sin H / (sin phi cos H - cos phi tan delta)
// and the sunset hour angle cos H0 = -tan phi tan delta, Meeus,
// "Astronomical Algorithms", 2nd ed., ch. 13 and 15; the linkage
// inversion after Peaucellier's cell (Nouvelles Annales de Mathematiques,
// 1864), as applied to azimuth dials by Sawyer (Compendium of the North
// American Sundial Society, vol. 1); date-line declinations as
// epsilon sin(lambda), Rohr, "Sundials", ch. 5.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"
#include "plot/target_placement.h"

namespace tavrel {

struct DesignState;

inline constexpr double kPeaucellierMinLatitude = 29.0;
inline constexpr double kPeaucellierDefaultF = -0.8749;
inline constexpr double kPeaucellierDefaultUnit = 35.0;

enum class PeaucellierLineKind { DateLine, NoonLine, NorthArrow, WholeHour, PartHour };

struct PeaucellierPoint {
  double x = 0, y = 0;  // dial mm
};

struct PeaucellierLine {
  PeaucellierLineKind kind = PeaucellierLineKind::DateLine;
  int screenPen = 4;    // pen whose colour the screen and printer take
  int plotPen = 4;      // SP of the plot
  int extraWidth = 0;   // screen: added to lineWidth (printer: printerExtraWidth)
  int printerExtraWidth = 0;
  int dateIndex = -1;   // date lines: j = 0 .. 6
  double hourAngle = 0; // hour lines, degrees (afternoon positive)
  bool afternoon = true;
  std::vector<PeaucellierPoint> points;
};

enum class PeaucellierLabelRole { HourNumber, Noon, DateLetter, PoleLetter };

struct PeaucellierLabel {
  PeaucellierLabelRole role = PeaucellierLabelRole::HourNumber;
  double x = 0, y = 0;  // dial mm: the point the label stands beside
  // Offsets from (x, y) in text heights, along x and along y.
  double alongX = 0, alongY = 0;
  std::string text;
  int screenPen = 4, plotPen = 4;
  bool bold = false;
};

struct PeaucellierInput {
  double latitude = 47;        // degrees, sign gives the hemisphere
  double obliquity = 23.44;    // obliquityRounded
  double f = 0;                // Peaucellier constant; 0 -> -0.8749
  double unitMm = 0;           // sawyerUnit; 0 -> 35 mm
  int subdivisions = 1;        // a = otherHourInterval digit + 1
  int language = 2;            // 1 German, 2 English
};

struct PeaucellierDial {
  bool refused = false;        // |latitude| < 29: only the two message lines
  double latitude = 0, f = 0, unitMm = 0;
  int subdivisions = 1;
  // The seven date lines j = 0 .. 6 (ecliptic longitudes 90, 120, ... 270).
  std::array<double, 7> declination{}, y{}, xSunset{}, xOneHour{};
  double maxHourAngle = 0;     // sunset hour angle of +epsilon
  std::vector<PeaucellierLine> lines;
  std::vector<PeaucellierLabel> labels;
  // Text size factor C = p / (1 - |tan 23.45 f|) in mm (p = unitMm).
  double numberSizeMm = 0;
  std::string title, credit, dataLineScreen, dataLinePlot;
};

// Declination of the date line of ecliptic longitude lambda (degrees):
// Round(1000 epsilon sin(lambda)) / 1000.
double peaucellierDateDeclination(double obliquity, double lambda);

// The whole dial. Shows no message.
PeaucellierDial computePeaucellierDial(const PeaucellierInput& input);

// The input of the design record d.
PeaucellierInput peaucellierInputOf(const DesignState& d);

// Placement of dial millimetres on a target: target = (originX +
// unitsPerMm x, originY + unitsPerMm y), y downwards on the screen; the
// plot flips its own y (yUp) so that the picture is the same.
struct PeaucellierPlacement : TargetPlacement {
  bool plot = false;
  bool printer = false;
  int resolution = 1;             // plot: R (character sizes are given before it)
  double markRadius = 8;          // m, target units
  double numberHeight = 12;       // hour numbers, target units
  double textHeight = 20;         // title block, target units
  double frameWidth = 0, frameHeight = 0;  // frame rectangle (screen: from left/top)
  double frameLeft = 1, frameTop = 1;
  double textX = 0;               // left edge of the title block, target units
  double textTop = 0;             // where the rotated title lines start
  Canvas* screenCanvas = nullptr; // screen: bold fonts
};

// Draws `dial` on `surface`: the one emitter of the three targets.
void emitPeaucellierDial(PlotSurface& surface, const PeaucellierDial& dial,
                         const PeaucellierPlacement& placement);

// Screen picture (screenMode) or printer page of the dial of `input`: the
// page size given is the surface's; the printer page keeps a margin of 30
// units. originX, originY: the stored origin (below 1: the default 0.35 W,
// 0.5 H).
void drawPeaucellierDial(ScreenSurface& surface, const PeaucellierInput& input, bool screenMode,
                         int width, int height, double originX, double originY);

// The HPGL plot (the writer's file is open): originX in plotter units
// already multiplied by R (below 1: 0.35 of the page), y = 5240 R.
// Latitudes within 29 degrees of the equator are refused (the refusal
// text of the picture, returned) before anything is written.
PlotOutcome plotPeaucellierDial(HpglWriter& writer, const PeaucellierInput& input, double originX);

}  // namespace tavrel
