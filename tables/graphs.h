// The graphs of the table window: the equation-of-time graph and the
// sun-path diagram in polar and in cartesian form.
//
// One construction per graph is written against PlotSurface; the window
// picture and the printer page (ScreenSurface, y downwards, pixels or
// 0.1 mm) and the plot file (HpglWriter, y upwards, plotter units of
// 0.025 mm) differ only in the GraphTarget handed to it: the box, the
// scales the graph takes from it, the pens of the curve and grid, the
// text sizes and how a zodiac symbol is written.
#pragma once

#include <functional>
#include <string>

#include "plot/polar_chart.h"
#include "tables/sun_path.h"

namespace tavrel {

class PlotSurface;
class ScreenSurface;
class HpglWriter;

// Graph kinds of the table window.
inline constexpr int kEotGraphKind = 16;
inline constexpr int kSunPathKind = 32;

enum class GraphMedium { Screen, Printer, Plot };

// Where a graph goes: the box in the target's units. For the screen and
// the printer (left, top) is the top-left corner; for the plot file
// (left, top) is the bottom-left corner, y upwards.
struct GraphTarget {
  GraphMedium medium = GraphMedium::Screen;
  double left = 0, top = 0, width = 800, height = 600;
  double unitsPerCm = 10;   // converts text heights to the surface's centimetres
  double textHeight = 14;   // ordinary labels, target units
  // Draws zodiac sign k (0 Aries .. 11 Pisces) with its top-left (screen)
  // or bottom-left (plot) at (x, y); unset: the sign's two first letters.
  std::function<void(PlotSurface&, double x, double y, int sign)> zodiac;
  // Screen and printer without the symbol font: the signs show as letters,
  // and the picture says so (messages 60 and 61).
  bool symbolFontMissing = false;
};

// The table window's choices for the graphs.
struct GraphOptions {
  bool zoneTime = false;    // "include longitude correction"
  SunPathPeriod period = SunPathPeriod::WholeYear;
  // Plot file only.
  double yFactor = 1.0;     // 0.05 .. 20
  bool mirror = false;      // EoT graph
  // Cartesian diagram: "Show Sunlight on Plane (without EoT)".
  bool sunlightOnPlane = false;
  double planeLatitude = 0, planeLongitude = 0, planeDeclination = 0, planeInclination = 90;
};

// The scales of the EoT graph on its target.
struct EotFrame {
  double x0 = 0;          // x of day 1 (the time axis starts here)
  double dayScale = 1;    // target units per day
  double axisY = 0;       // y of the time axis
  double minuteScale = 1; // y change per minute of EoT (negative where y grows downwards)
  EotShift shift;
};
// Screen: the 365 days span Round(W 180 / 192), the axis at 45 % of the
// height, one minute H / 45; printer: a day is (W - 100) / 375, the axis
// at half the height; both start at left + Round(W / 190 8) + 12. Plot:
// origin (100, 100), 2000 x 1500 units, axis at y = 850, one minute 30
// units times the y factor, negated by the mirror option.
EotFrame eotFrame(const GraphTarget& target, const GraphOptions& options, double longitude,
                  double zoneMeridian);

// The cartesian diagram: x = originX + (A + 180) sx, y = baseY + ySign h sy.
struct CartesianFrame {
  double originX = 0, baseY = 0, sx = 1, sy = 1, ySign = 1;
};
CartesianFrame cartesianFrame(const GraphTarget& target);

// The polar diagram's chart (equal spacing of the altitude circles).
PolarChart polarFrame(const GraphTarget& target);

// The constructions on any surface.
void emitEotGraph(PlotSurface& surface, const GraphTarget& target, const GraphOptions& options);
void emitSunPathPolar(PlotSurface& surface, const GraphTarget& target, const GraphOptions& options);
void emitSunPathCartesian(PlotSurface& surface, const GraphTarget& target, const GraphOptions& options);

// The targets of the three media. Screen and printer: the picture box (the
// printer page of the surface when printerMode); plot: the placements of
// the plot files (EoT (100, 100); cartesian (100, 100), polar (0, 0), both
// with the size 2900 x 2000 tenths of a millimetre).
GraphTarget screenGraphTarget(ScreenSurface& surface, double left, double top, double height, double width,
                              bool onScreen);
GraphTarget plotGraphTarget(int graphKind, bool polar);

// The window picture or printer page.
void drawEotGraph(ScreenSurface& surface, double left, double top, double height, double width, bool onScreen,
                  const GraphOptions& options);
void drawSunPathPolar(ScreenSurface& surface, double left, double top, double height, double width,
                      bool onScreen, const GraphOptions& options);
void drawSunPathCartesian(ScreenSurface& surface, double left, double top, double height, double width,
                          bool onScreen, const GraphOptions& options);

// What the table window's picture shows.
struct GraphChoice {
  int kind = kEotGraphKind;  // kEotGraphKind or kSunPathKind
  bool polar = false;
  GraphOptions options;
};

// Draws the chosen graph into the box on the surface.
void drawGraphChoice(ScreenSurface& surface, const GraphChoice& choice, double left, double top, double height,
                     double width, bool onScreen);

// The plot file, on an open writer: prologue and construction.
void plotEotGraph(HpglWriter& writer, const GraphOptions& options);
void plotSunPathPolar(HpglWriter& writer, const GraphOptions& options);
void plotSunPathCartesian(HpglWriter& writer, const GraphOptions& options);


// The time line of the sun-path diagrams (as the azimuthal dial writes it).
std::string sunPathTimeLine(bool zoneTime, bool withEot);
// "Latitude = ... deg , Longitude = ... deg ".
std::string placeLine();
// The period item text.
std::string periodText(SunPathPeriod period);

}  // namespace tavrel
