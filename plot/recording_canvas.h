// A canvas that keeps every drawing call as a list of primitives, with the
// pen, brush and font in force. Tests inspect it; replay() draws the same
// calls on any other canvas.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <ostream>
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

// The coordinates of a primitive, at most six, held in place (a drawing
// records tens of thousands of primitives; one allocation each would cost
// more than the drawing). Reads like a std::vector<double> and compares
// equal to one with the same values.
class PrimitiveCoords {
 public:
  PrimitiveCoords() = default;
  PrimitiveCoords(std::initializer_list<double> values)
      : size_(std::min(values.size(), kCapacity)) {
    std::copy_n(values.begin(), size_, v_.begin());
  }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  double operator[](std::size_t i) const { return v_[i]; }
  double& operator[](std::size_t i) { return v_[i]; }
  const double* begin() const { return v_.data(); }
  const double* end() const { return v_.data() + size_; }
  std::vector<double> toVector() const { return {begin(), end()}; }
  friend bool operator==(const PrimitiveCoords& a, const std::vector<double>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }
  friend bool operator==(const PrimitiveCoords& a, const PrimitiveCoords& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }
  friend std::ostream& operator<<(std::ostream& os, const PrimitiveCoords& c) {
    os << '{';
    for (std::size_t i = 0; i < c.size(); ++i) os << (i ? ", " : "") << c[i];
    return os << '}';
  }

 private:
  static constexpr std::size_t kCapacity = 6;
  std::array<double, kCapacity> v_{};
  std::size_t size_ = 0;
};

struct Primitive {
  PrimitiveKind kind = PrimitiveKind::MoveTo;
  PrimitiveCoords p;
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
  void add(PrimitiveKind kind, PrimitiveCoords p, std::string text = {});
};

}  // namespace tavrel
