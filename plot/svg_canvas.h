// A canvas that writes SVG 1.1 for export without a window system.
//
// The drawing is done in surface units (pixels or 0.1 mm); the document's
// user unit is the millimetre on the finished dial: width and height are
// given in "mm" and the viewBox in millimetres, so a printed, plotted or
// laser-cut SVG has true scale. Texts stay texts (font family, size,
// weight, colour, angle). Text extents are the approximation of
// approximateTextExtent. Flood fill has no vector form; it is noted in the
// document as a comment and not drawn.
#pragma once

#include <string>
#include <string_view>

#include "plot/canvas.h"

namespace tavrel {

class SvgCanvas : public Canvas {
 public:
  // A drawing of widthUnits x heightUnits surface units, unitsPerMm units
  // per millimetre; with whiteBackground the page is filled white first.
  SvgCanvas(double widthUnits, double heightUnits, double unitsPerMm,
            bool whiteBackground = false);

  void setPen(const Pen& pen) override;
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

  // The complete document.
  std::string document();
  // Writes the document (temporary name, then renamed). On failure shows
  // message 53 with the file name and returns false.
  bool save(const std::string& path);

 private:
  std::string mm(double units) const;  // a length in surface units as mm text
  std::string strokeAttributes() const;
  std::string fillAttribute(bool useBrush) const;
  void flushPath();
  void closeClip();

  double unitsPerMm_;
  std::string head_;
  std::string body_;
  std::string path_;      // the polyline being collected ("M .. L ..")
  bool pathHasLine_ = false;
  double pathEndX_ = 0, pathEndY_ = 0;
  int clipCount_ = 0;
  bool clipOpen_ = false;
};

// The text with the XML special characters escaped and bytes that are not
// valid UTF-8, and control characters, replaced by "?" and blanks.
std::string xmlEscape(std::string_view text);

// "#rrggbb".
std::string cssColour(Colour colour);

}  // namespace tavrel
