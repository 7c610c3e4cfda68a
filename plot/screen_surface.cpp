#include "plot/screen_surface.h"

#include <algorithm>
#include <cmath>

#include "base/geometry.h"
#include "base/number_text.h"
#include "plot/page_constants.h"

namespace tavrel {

PrinterPage printerPageSetup(const PrinterDevice& device) {
  PrinterDevice d = device;
  if (d.portrait) {
    std::swap(d.widthMm, d.heightMm);
    std::swap(d.resolutionX, d.resolutionY);
    std::swap(d.offsetX, d.offsetY);
  }
  PrinterPage page;
  page.pageWidth = 10 * d.widthMm;
  page.pageHeight = 10 * d.heightMm;
  if (d.widthMm <= 0 || d.heightMm <= 0 || d.resolutionX <= 0 || d.resolutionY <= 0)
    return page;
  const int a = static_cast<int>(roundHalfEven(static_cast<double>(d.widthMm) * d.offsetX * 10 /
                                               d.resolutionX));
  const int b = 2970 - 10 * d.widthMm - a;
  const int c = static_cast<int>(roundHalfEven(static_cast<double>(d.heightMm) * d.offsetY * 10 /
                                               d.resolutionY));
  const int e = 2100 - 10 * d.heightMm - c;
  page.marginLeft = a;
  page.marginRight = b;
  page.marginTop = c;
  page.marginBottom = e;
  page.printableWidth = std::min(2968 - 2 * std::max(a, b), 2820);
  page.printableHeight = std::min(2098 - 2 * std::max(c, e), 2000);
  page.offsetX = std::max(0, (2970 - page.printableWidth) / 2 - a);
  page.offsetY = std::max(0, (2100 - page.printableHeight) / 2 - c);
  return page;
}

ScreenSurface::ScreenSurface(Canvas& canvas, bool printerMode, int width, int height,
                             const SurfacePens& pens, ScreenPaper paper)
    : canvas_(&canvas), printerMode_(printerMode), width_(width), height_(height), pens_(pens),
      paper_(paper) {}

ScreenSurface ScreenSurface::screen(Canvas& canvas, int widthPx, int heightPx, const SurfacePens& pens,
                                    ScreenPaper paper) {
  return ScreenSurface(canvas, false, widthPx, heightPx, pens, paper);
}

ScreenSurface ScreenSurface::printer(Canvas& canvas, const PrinterDevice& device, const SurfacePens& pens) {
  const PrinterPage page = printerPageSetup(device);
  ScreenSurface s(canvas, true, page.pageWidth, page.pageHeight, pens, ScreenPaper::A4);
  s.page_ = page;
  return s;
}

double ScreenSurface::unitsPerMm() const {
  return printerMode_ ? kPrinterUnitsPerMm : screenUnitsPerMm(width_, paper_ == ScreenPaper::A4);
}

Colour ScreenSurface::penColour(int pen) const {
  if (pen < 1 || pen > 12) return kBlack;
  return pens_.colours[static_cast<std::size_t>(pen - 1)];
}

void ScreenSurface::selectPen(int pen) {
  if (pen < 1 || pen > 12) return;  // SP 0 puts the plotter pen away
  penColour_ = penColour(pen);
  const int width = penWidth_ > 0 ? penWidth_ : std::max(1, pens_.lineWidth);
  canvas_->setPen({penColour_, static_cast<double>(width), dashed_ ? PenStyle::Dash : PenStyle::Solid});
}

void ScreenSurface::moveTo(double x, double y) { canvas_->moveTo(x, y); }

void ScreenSurface::lineTo(double x, double y) { canvas_->lineTo(x, y); }

void ScreenSurface::polyline(std::span<const PlotVertex> vertices) {
  for (const PlotVertex& v : vertices) {
    if (v.draw)
      canvas_->lineTo(v.x, v.y);
    else
      canvas_->moveTo(v.x, v.y);
  }
}

void ScreenSurface::circle(double x, double y, double r, double) {
  const Brush old = canvas_->brush();
  canvas_->setBrush({kWhite, BrushStyle::Clear});
  canvas_->ellipse(x - r, y - r, x + r, y + r);
  canvas_->setBrush(old);
  canvas_->moveTo(x, y);
}

void ScreenSurface::arc(double cx, double cy, double sweepDeg, double) {
  const double dx = canvas_->currentX() - cx, dy = canvas_->currentY() - cy;
  const double r = std::hypot(dx, dy);
  const double start = atan2Deg(-dy, dx);
  canvas_->arc(cx, cy, r, r, start, sweepDeg);
  const double end = (start + sweepDeg) * kDegToRadDouble;
  canvas_->moveTo(cx + r * std::cos(end), cy - r * std::sin(end));
}

void ScreenSurface::label(double x, double y, std::string_view text) {
  if (text.empty()) return;
  Font f = canvas_->font();
  const Font old = f;
  f.face = fontFace_;
  if (labelHeight_ > 0) f.height = labelHeight_;
  f.angle = labelAngle_;
  f.colour = penColour_;
  canvas_->setFont(f);
  canvas_->text(x, y, text);
  canvas_->setFont(old);
}

void ScreenSurface::labelHere(std::string_view text) {
  label(canvas_->currentX(), canvas_->currentY(), text);
}

void ScreenSurface::setCharSize(double, double heightCm) {
  labelHeight_ = heightCm * 10 * unitsPerMm();
}

void ScreenSurface::setLabelDirection(double run, double rise) {
  labelAngle_ = atan2Deg(rise, run);
}

void ScreenSurface::setLineType(bool dashed) {
  dashed_ = dashed;
  Pen p = canvas_->pen();
  p.style = dashed ? PenStyle::Dash : PenStyle::Solid;
  canvas_->setPen(p);
}

void ScreenSurface::setPenWidth(int width) {
  penWidth_ = std::max(1, width);
  Pen p = canvas_->pen();
  p.width = penWidth_;
  canvas_->setPen(p);
}

void ScreenSurface::setWindow(double x1, double y1, double x2, double y2) {
  canvas_->setClip(x1, y1, x2, y2);
}

void ScreenSurface::resetWindow() { canvas_->resetClip(); }

void ScreenSurface::frameRectangle(double x, double y) {
  const Pen oldPen = canvas_->pen();
  const Brush oldBrush = canvas_->brush();
  canvas_->setPen({oldPen.colour, 1, PenStyle::Solid});
  canvas_->setBrush({kWhite, BrushStyle::Clear});
  canvas_->rectangle(0, 0, x, y);
  canvas_->setPen(oldPen);
  canvas_->setBrush(oldBrush);
}

void writeRefusalInPicture(ScreenSurface& surface, double x0, double y0, double w, double h,
                           const std::string& message, const std::string& title) {
  Canvas& c = surface.canvas();
  const Font old = c.font();
  Font f = old;
  f.face = "Times New Roman";
  f.height = 30;
  f.colour = 0x800000;
  f.angle = 0;
  c.setFont(f);
  const auto cut = message.find("\n\r");
  c.text(x0 + w / 10.0, y0 + h / 2.0 - 45, message.substr(0, cut));
  if (cut != std::string::npos) c.text(x0 + w / 6.0, y0 + h / 2.0, message.substr(cut + 2));
  c.text(x0 + w / 3.0, y0 + h / 8.0, title);
  c.setFont(old);
}

void rotatedText(ScreenSurface& surface, double x, double y, std::string_view text, int weight,
                 double heightPx, double angleDeg) {
  if (text.empty()) return;
  Canvas& c = surface.canvas();
  const Font old = c.font();
  Font f = old;
  f.face = surface.fontFace();
  f.height = std::fabs(heightPx);
  f.weight = weight;
  f.angle = angleDeg;
  c.setFont(f);
  c.text(x, y, text);
  c.setFont(old);
}

void frameMargins(ScreenSurface& surface, int width, int height, int border) {
  Canvas& c = surface.canvas();
  c.fillRectangle(0, 0, width, border, kWhite);
  c.fillRectangle(0, height - border, width, height, kWhite);
  c.fillRectangle(0, 0, border, height, kWhite);
  c.fillRectangle(width - border, 0, width, height, kWhite);
  const Pen oldPen = c.pen();
  const Brush oldBrush = c.brush();
  c.setPen({kSilver, 1, PenStyle::Solid});
  c.setBrush({kWhite, BrushStyle::Clear});
  c.rectangle(border, border, width - border, height - border - 1);
  c.setPen(oldPen);
  c.setBrush(oldBrush);
}

void screenGrid(ScreenSurface& surface, bool printerMode, Colour colour, double spacingMm,
                int bottom, int right, int y0, int x0) {
  long long spacing, e;
  if (printerMode) {
    spacing = roundHalfEven(spacingMm * 10);
    e = 10;
  } else {
    const double across = surface.paper() == ScreenPaper::A4 ? kScreenWidthMmA4 : kScreenWidthMmA3;
    spacing = roundHalfEven(spacingMm * right / across);
    e = roundHalfEven(right / 160.0);
  }
  Canvas& c = surface.canvas();
  const Pen oldPen = c.pen();
  const Brush oldBrush = c.brush();
  c.setPen({colour, 1, PenStyle::Solid});
  c.setBrush({kWhite, BrushStyle::Clear});
  c.rectangle(x0 - e, y0 - e, x0 + e, y0 + e);
  if (spacing >= 1) {
    const long long left = printerMode ? surface.leftOffset() : 0;
    const long long top = printerMode ? surface.topOffset() : 0;
    long long x = x0, y = y0;
    // Step back to the first grid position inside the page (closed form of
    // "while spacing + offset < x: x -= spacing").
    if (spacing + left < x) x -= ((x - left - 1) / spacing) * spacing;
    if (spacing + top < y) y -= ((y - top - 1) / spacing) * spacing;
    long long lastX = x, lastY = y;
    if (lastX < right - spacing) lastX += ((right - spacing - lastX + spacing - 1) / spacing) * spacing;
    if (lastY < bottom - spacing) lastY += ((bottom - spacing - lastY + spacing - 1) / spacing) * spacing;
    for (long long gx = x; gx <= lastX; gx += spacing) {
      c.moveTo(static_cast<double>(gx), static_cast<double>(y));
      c.lineTo(static_cast<double>(gx), static_cast<double>(lastY));
    }
    for (long long gy = y; gy <= lastY; gy += spacing) {
      c.moveTo(static_cast<double>(x), static_cast<double>(gy));
      c.lineTo(static_cast<double>(lastX), static_cast<double>(gy));
    }
  }
  c.setPen(oldPen);
  c.setBrush(oldBrush);
}

}  // namespace tavrel
