// The window picture and the printer page as a PlotSurface on a Canvas.
//
// Screen mode: units are pixels, origin top-left, y downwards; a
// construction measuring in millimetres uses unitsPerMm() = picture width
// / 280 (A4 layout, as printed) or / 420 (A3 layout, as saved).
// Printer mode: units are 0.1 mm on a landscape page, y downwards, so the
// same drawing code serves both.
// Pens: pen n takes colours[n - 1] of the surface's SurfacePens and their
// width lineWidth (pixels or 0.1 mm; at least 1); frames and texts are
// drawn 1 unit wide. Whoever makes the surface gives the pens and the
// paper (the drawing window takes them from the design record). As on the
// plotter, a width set by setPenWidth stays in force when another pen is
// selected, so the lines a construction draws wider (full hours, month
// circles, one half-year's lines) keep their width on the screen and the
// printer page too.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "plot/canvas.h"
#include "plot/plot_surface.h"

namespace tavrel {

// What the printer driver tells about the page (all integers, as the
// device reports them).
struct PrinterDevice {
  int widthMm = 0, heightMm = 0;        // printable size
  int resolutionX = 0, resolutionY = 0; // printable size in pixels
  int offsetX = 0, offsetY = 0;         // physical offsets, pixels
  bool portrait = false;                // the values are for portrait orientation
};

// The page set-up of a print job, in 0.1 mm, for an A4 sheet (2970 x 2100)
// in landscape.
struct PrinterPage {
  int pageWidth = 2970, pageHeight = 2100;      // 10 x device width and height
  int printableWidth = 2800, printableHeight = 2000;
  int offsetX = 70, offsetY = 50;
  int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
};

// Landscape page set-up from the device values (swapped first when the
// device reports portrait): margins a = Round(W Ox 10 / Rx), b = 2970 -
// 10 W - a, c = Round(H Oy 10 / Ry), d = 2100 - 10 H - c; printable width
// min(2968 - 2 max(a, b), 2820), height min(2098 - 2 max(c, d), 2000);
// offsets (2970 - width) div 2 - a and (2100 - height) div 2 - c, not
// below 0. A device that reports no size or resolution keeps the
// defaults 2800 x 2000 at (70, 50).
PrinterPage printerPageSetup(const PrinterDevice& device);

// The pens of a surface: the colour of pen n is colours[n - 1]; a pen
// without a width of its own (setPenWidth) draws lineWidth units wide.
struct SurfacePens {
  std::array<Colour, 12> colours{};
  int lineWidth = 1;
};

// The layout a screen picture stands for: 280 mm across (A4, as printed)
// or 420 mm (A3, as saved).
enum class ScreenPaper { A4, A3 };

class ScreenSurface : public PlotSurface {
 public:
  // The window picture, width x height pixels.
  static ScreenSurface screen(Canvas& canvas, int widthPx, int heightPx, const SurfacePens& pens,
                              ScreenPaper paper);
  // A printer page of the device, in landscape.
  static ScreenSurface printer(Canvas& canvas, const PrinterDevice& device, const SurfacePens& pens);

  Canvas& canvas() { return *canvas_; }
  bool printerMode() const { return printerMode_; }
  int width() const { return width_; }    // surface units
  int height() const { return height_; }
  const PrinterPage& page() const { return page_; }
  // Left and top offsets of the printer page (0 on the screen).
  int leftOffset() const { return printerMode_ ? page_.offsetX : 0; }
  int topOffset() const { return printerMode_ ? page_.offsetY : 0; }
  // Surface units per millimetre of the finished dial.
  double unitsPerMm() const;
  // The screen layout (A4 on the printer page).
  ScreenPaper paper() const { return paper_; }
  const SurfacePens& pens() const { return pens_; }

  // The face name of labels and rotatedText ("Arial" by default).
  const std::string& fontFace() const { return fontFace_; }
  void setFontFace(std::string face) { fontFace_ = std::move(face); }
  // Colour of pen n (1..12) of the surface's pens; black outside.
  Colour penColour(int pen) const;

  // PlotSurface: the screen forms of the plotter commands. Labels are
  // drawn in the colour of the selected pen with their top-left corner at
  // (x, y), turned by the label direction.
  void selectPen(int pen) override;
  void moveTo(double x, double y) override;
  void lineTo(double x, double y) override;
  void penUp() override {}
  void polyline(std::span<const PlotVertex> vertices) override;
  void circle(double x, double y, double r, double chordDeg = 0) override;
  void arc(double cx, double cy, double sweepDeg, double chordDeg = 0) override;
  void label(double x, double y, std::string_view text) override;
  void labelHere(std::string_view text) override;
  void setCharSize(double widthCm, double heightCm) override;
  void setLabelDirection(double run, double rise) override;
  void setLineType(bool dashed) override;
  void setPenWidth(int width) override;
  void setWindow(double x1, double y1, double x2, double y2) override;
  void resetWindow() override;
  void frameRectangle(double x, double y) override;

 private:
  ScreenSurface(Canvas& canvas, bool printerMode, int width, int height, const SurfacePens& pens,
                ScreenPaper paper);

  Canvas* canvas_;
  bool printerMode_;
  int width_, height_;
  SurfacePens pens_;
  ScreenPaper paper_;
  PrinterPage page_;
  std::string fontFace_ = "Arial";
  Colour penColour_ = kBlack;
  int penWidth_ = 0;  // set by setPenWidth; 0: pens_.lineWidth
  double labelHeight_ = 0;  // surface units; 0 until setCharSize
  double labelAngle_ = 0;
  bool dashed_ = false;
};

// Draws `text` with its reference point (top-left of the first character
// cell) at (x, y) in the surface's face, character height heightPx (em
// size, no internal leading), weight `weight`, turned by angleDeg; the
// font is in force for this call only. An empty text draws nothing.
void rotatedText(ScreenSurface& surface, double x, double y, std::string_view text, int weight,
                 double heightPx, double angleDeg);

// A refusal written into the picture instead of a dial, in the area
// (x0, y0, w, h): the message's two lines (split at LF CR) in navy "Times
// New Roman" of height 30 at (w/10, h/2 - 45) and (w/6, h/2), and the
// dial's title at (w/3, h/8); the font is restored afterwards.
void writeRefusalInPicture(ScreenSurface& surface, double x0, double y0, double w, double h,
                           const std::string& message, const std::string& title);

// Paints the strips of width `border` along the four edges of a width x
// height picture white and draws the silver frame (border, border) to
// (width - border, height - border - 1), 1 unit wide and not filled, so
// that lines running off the drawing area end at the frame.
void frameMargins(ScreenSurface& surface, int width, int height, int border);

// The coordinate grid of the screen and printer: spacing Round(spacingMm *
// right / 280) (or / 420 on a surface of the A3 layout) on the screen and
// spacingMm * 10 on the printer; a square mark of half-size Round(right /
// 160) (printer: 10) at the origin (x0, y0); lines from the first grid
// position past the page offsets to the first one at or beyond
// right - spacing and bottom - spacing. A spacing below one unit draws
// the mark only.
void screenGrid(ScreenSurface& surface, bool printerMode, Colour colour, double spacingMm,
                int bottom, int right, int y0, int x0);

}  // namespace tavrel
