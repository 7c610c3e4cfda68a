// The drawing target of every construction.
//
// Coordinates are in the units and axes of the target: pixels (screen) or
// 0.1 mm (printer page) with y downwards for ScreenSurface, plotter units
// of 0.025 mm with y upwards for HpglWriter. The surface does not convert
// coordinates: a construction computes them for its target (plot
// coordinates already multiplied by the resolution factor). Character
// sizes are centimetres, as the plotter's SI command takes them.
#pragma once

#include <span>
#include <string_view>

namespace tavrel {

// One vertex of a polyline: reached with the pen up (a move) or down.
struct PlotVertex {
  double x = 0, y = 0;
  bool draw = false;
};

// How a plot file spells a polyline (the screen draws every form alike).
// Coordinates are in the writer's coordinate form unless said otherwise.
enum class PolylineForm {
  Joined,    // ";PU x y" for a move, ";PD x y" opening a run, " x y" for each further line
  Spaced,    // ";PU x y;PD " for a move (x y by hpglInt), "x y " for each line
  Segments,  // ";PU x y" for a move, ";PD x y;PU " for each line
};

class PlotSurface {
 public:
  virtual ~PlotSurface() = default;

  // Pen 1..12: colour n of the surface's pens on the screen, SP n in
  // the plot.
  virtual void selectPen(int pen) = 0;
  virtual void moveTo(double x, double y) = 0;
  virtual void lineTo(double x, double y) = 0;
  virtual void penUp() = 0;
  // Moves and lines through the vertices in order; the point ends on the
  // last one.
  virtual void polyline(std::span<const PlotVertex> vertices) = 0;
  // A circle of radius r about (x, y); the point moves to the centre.
  // chordDeg > 0 asks the plotter for that chord angle.
  virtual void circle(double x, double y, double r, double chordDeg = 0) = 0;
  // An arc about (cx, cy) from the current point through sweepDeg degrees,
  // counter-clockwise as the picture is seen; the point moves to its end.
  virtual void arc(double cx, double cy, double sweepDeg, double chordDeg = 0) = 0;
  // A text at (x, y) in the current size and direction.
  virtual void label(double x, double y, std::string_view text) = 0;
  // A text at the current point.
  virtual void labelHere(std::string_view text) = 0;
  // Character width and height in centimetres.
  virtual void setCharSize(double widthCm, double heightCm) = 0;
  // Text direction as a run and a rise (y upwards): (1, 0) horizontal.
  virtual void setLabelDirection(double run, double rise) = 0;
  virtual void setLineType(bool dashed) = 0;
  // Pen width step: plot line width in the plot, pen width in units on
  // the screen (0 there means 1).
  virtual void setPenWidth(int width) = 0;
  virtual void setWindow(double x1, double y1, double x2, double y2) = 0;
  virtual void resetWindow() = 0;
  // The rectangle from the origin to (x, y).
  virtual void frameRectangle(double x, double y) = 0;

  // The plot file's number and polyline forms: coordinates right-justified
  // to `width` characters (0: as short as they come), polylines in `form`.
  // They change nothing on the screen and the printer page.
  virtual void setCoordinateWidth(int /*width*/) {}
  virtual void setPolylineForm(PolylineForm /*form*/) {}
};

}  // namespace tavrel
