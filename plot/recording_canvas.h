// A canvas that keeps every drawing call as a list of primitives, with the
// pen, brush and font in force. Tests inspect it; replay() draws the same
// calls on any other canvas.
#pragma once

#include <string>
#include <vector>

#include "plot/canvas.h"

namespace tavrel {

enum class PrimitiveKind {
  MoveTo,         // p = {x, y}
  LineTo,         // p = {x1, y1, x2, y2}: from the previous point to the new one
  Rectangle,      // p = {x1, y1, x2, y2}
  FillRectangle,  // p = {x1, y1, x2, y2}, colour
  Ellipse,        // p = {x1, y1, x2, y2}
  Arc,            // p = {cx, cy, rx, ry, start, sweep}
  FloodFill,      // p = {x, y}, colour, floodMode
  Text,           // p = {x, y}, text
  SetClip,        // p = {x1, y1, x2, y2}
  ResetClip,      // p = {}
};

struct Primitive {
  PrimitiveKind kind = PrimitiveKind::MoveTo;
  std::vector<double> p;
  std::string text;
  Colour colour = 0;
  FloodMode floodMode = FloodMode::Border;
  Pen pen;
  Brush brush;
  Font font;
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<Primitive> primitives;

  void moveTo(double x, double y) override;
  void lineTo(double x, double y) override;
  void rectangle(double x1, double y1, double x2, double y2) override;
  void fillRectangle(double x1, double y1, double x2, double y2, Colour colour) override;
  void ellipse(double x1, double y1, double x2, double y2) override;
  void arc(double cx, double cy, double rx, double ry, double startDeg,
           double sweepDeg) override;
  void floodFill(double x, double y, Colour colour, FloodMode mode) override;
  void text(double x, double y, std::string_view text) override;
  TextSize textExtent(std::string_view text) const override;
  void setClip(double x1, double y1, double x2, double y2) override;
  void resetClip() override;

  // The primitives of one kind, in order.
  std::vector<Primitive> ofKind(PrimitiveKind kind) const;
  // Draws every recorded primitive on `target`, with its pen, brush and font.
  void replay(Canvas& target) const;

 private:
  void add(PrimitiveKind kind, std::vector<double> p, std::string text = {});
};

}  // namespace tavrel
