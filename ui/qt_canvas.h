// The canvas of the desktop program: the drawing calls of the
// constructions on a QPainter, for the window picture (a QImage), the
// printer page (QPrinter) and the files of tavrel-cli (PNG through a
// QImage, PDF through QPdfWriter).
//
// One canvas unit is `unitScale` device pixels: 1 on the window picture,
// resolution / 254 on a printer page whose units are 0.1 mm. Texts are
// measured with the font engine. Flood fill needs pixels and works on a
// QImage only; on a printer or PDF page it draws nothing (a vector page
// has no colours to search).
//
// Needs a QGuiApplication for its fonts; tavrel-cli calls
// ensureGuiApplication first.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>

#include "plot/canvas.h"

class QImage;
class QPaintDevice;

namespace tavrel {

class QtCanvas : public Canvas {
 public:
  QtCanvas() = default;
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // Starts drawing on `device`, one canvas unit being unitScale device
  // pixels. Pen, brush and font stay as they were. False when the device
  // cannot be painted on.
  bool begin(QPaintDevice* device, double unitScale = 1.0);
  // Ends drawing (the device may then be shown or saved).
  void end();
  bool active() const { return painter_.isActive(); }
  QPainter& painter() { return painter_; }
  double unitScale() const { return unitScale_; }
  // Smooth lines and texts (on by default).
  void setAntialiasing(bool on);

  void setPen(const Pen& pen) override;
  void setBrush(const Brush& brush) override;
  void setFont(const Font& font) override;
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

  // The Qt forms of the canvas's pen, brush, font and colours.
  static QColor qColour(Colour c);
  static QFont qFont(const Font& font);

 private:
  void applyState();
  void flushLines();
  void applyPen();
  void applyBrush();
  // The text as drawn: the symbol face's codes as Unicode signs when
  // "Wingdings" itself is missing.
  QString shownText(std::string_view text) const;

  QPainter painter_;
  QPaintDevice* device_ = nullptr;
  QImage* image_ = nullptr;  // the device when it is an image (flood fill)
  double unitScale_ = 1;
  bool antialiasing_ = true;
  QFont qfont_;
  QFontMetricsF metrics_{QFont()};
  QPolygonF polyline_;  // joined lines not drawn yet
  bool clipOn_ = false;
  QRectF clip_;
};

// A QGuiApplication for the fonts when the process has no application
// object yet (tavrel-cli): the "offscreen" platform, so that no display is
// needed. Does nothing when an application exists.
void ensureGuiApplication();

// The symbol font (plot/symbol_font.h): true when "Wingdings" itself is
// installed; otherwise the first installed family that has every Unicode
// sign the codes stand for (empty when none has).
bool symbolFaceInstalled();
QString unicodeSymbolFamily();

}  // namespace tavrel
