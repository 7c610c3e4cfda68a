// The drawing canvas under the window picture and the printer page.
//
// Units are whatever the surface above uses (pixels on the screen, 0.1 mm
// on the printer page); the origin is the top-left corner and y grows
// downwards. Angles are degrees, counted counter-clockwise as the picture
// is seen (from +x towards -y). Colours are 0x00BBGGRR, as in the design
// record.
//
// The canvas holds the current pen, brush, font and point; the backends
// (recording, SVG, and the Qt painter of the desktop program) draw with
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

using Colour = std::int32_t;  // 0x00BBGGRR

constexpr Colour rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return c & 0xFF; }
constexpr int greenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Colour c) { return (c >> 16) & 0xFF; }

inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kSilver = rgb(192, 192, 192);

enum class PenStyle { Solid, Dash, Clear };

struct Pen {
  Colour colour = kBlack;
  double width = 1;  // canvas units; 0 draws one unit wide
  PenStyle style = PenStyle::Solid;
  bool operator==(const Pen&) const = default;
};

enum class BrushStyle { Solid, Clear };

struct Brush {
  Colour colour = kWhite;
  BrushStyle style = BrushStyle::Clear;
  bool operator==(const Brush&) const = default;
};

inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;

struct Font {
  std::string face = "Arial";
  double height = 12;   // character height without internal leading (em size), canvas units
  int weight = kFontWeightNormal;  // 100..900
  double angle = 0;     // text direction, degrees counter-clockwise
  Colour colour = kBlack;
  // A fixed-pitch face is wanted: when `face` is not installed, a backend
  // with a font engine falls back to a typewriter face, not a proportional one.
  bool fixedPitch = false;
  bool operator==(const Font&) const = default;
};

struct TextSize {
  double width = 0, height = 0;
};

// Approximate extent of a text without a font engine: every character
// (UTF-8 code point) advances 0.6 em, the line is 1.15 em high (ascent
// plus descent of the common sans faces). Used by the recording and SVG
// backends; the Qt backend measures.
inline constexpr double kAverageAdvanceEm = 0.6;
inline constexpr double kLineHeightEm = 1.15;
// Distance of the baseline below the top of the character cell (Arial).
inline constexpr double kAscentEm = 0.905;
TextSize approximateTextExtent(const Font& font, std::string_view text);

// Number of UTF-8 code points (bytes that are not continuation bytes).
std::size_t utf8Length(std::string_view text);

enum class FloodMode {
  Border,   // fill outwards until the colour given is met
  Surface,  // fill the connected area that has the colour given
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void setPen(const Pen& pen) { pen_ = pen; }
  virtual void setBrush(const Brush& brush) { brush_ = brush; }
  virtual void setFont(const Font& font) { font_ = font; }
  const Pen& pen() const { return pen_; }
  const Brush& brush() const { return brush_; }
  const Font& font() const { return font_; }
  double currentX() const { return x_; }
  double currentY() const { return y_; }

  virtual void moveTo(double x, double y) = 0;
  // A line with the pen from the current point; (x, y) becomes current.
  virtual void lineTo(double x, double y) = 0;
  // Outline with the pen, interior with the brush.
  virtual void rectangle(double x1, double y1, double x2, double y2) = 0;
  // Interior only, in the colour given; pen and brush are not used.
  virtual void fillRectangle(double x1, double y1, double x2, double y2, Colour colour) = 0;
  // The ellipse inscribed in the box; outline with the pen, interior with
  // the brush.
  virtual void ellipse(double x1, double y1, double x2, double y2) = 0;
  // Part of the ellipse with centre (cx, cy) and radii rx, ry, from the
  // angle start through sweep degrees (positive counter-clockwise), with
  // the pen. The point at angle a is (cx + rx cos a, cy - ry sin a).
  virtual void arc(double cx, double cy, double rx, double ry, double startDeg,
                   double sweepDeg) = 0;
  // Fills with the brush from (x, y), see FloodMode.
  virtual void floodFill(double x, double y, Colour colour, FloodMode mode) = 0;
  // Text with the font; (x, y) is the top-left corner of the first
  // character cell, the text turns about it by font().angle.
  virtual void text(double x, double y, std::string_view text) = 0;
  // Extent of the text in the current font, unrotated.
  virtual TextSize textExtent(std::string_view text) const = 0;
  // Later drawing is clipped to the rectangle; resetClip ends it.
  virtual void setClip(double x1, double y1, double x2, double y2) = 0;
  virtual void resetClip() = 0;

  // The arc of a box-and-radials description (as the Windows GDI gives
  // it): the ellipse inscribed in the box, counter-clockwise from the
  // radial through (xs, ys) to the radial through (xe, ye); equal radials
  // give the whole ellipse.
  void arcThroughRadials(double x1, double y1, double x2, double y2, double xs, double ys,
                         double xe, double ye);

 protected:
  Pen pen_;
  Brush brush_;
  Font font_;
  double x_ = 0, y_ = 0;
};

}  // namespace tavrel
