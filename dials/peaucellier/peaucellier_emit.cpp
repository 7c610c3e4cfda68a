// The one emitter of the Peaucellier azimuthal dial and its screen,
// printer and plot entry points (page placement only; the lines come from
// computePeaucellierDial).
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/language.h"
#include "dials/peaucellier/peaucellier_dial.h"
#include "dials/peaucellier/peaucellier_texts.h"

namespace tavrel {

namespace {

// Rotated text reading downwards; the body of a character stands left of
// the reference point on the screen (its top-left corner turned), right
// of it in the plot (the baseline), so the plot moves it one height left.
void downwardLabel(PlotSurface& s, const PeaucellierPlacement& p, double x, double y, double height,
                   const std::string& text) {
  s.setLabelDirection(0, -100);
  s.label(p.plot ? x - height : x, y, p.plot ? asciiUmlauts(text) : text);
  s.setLabelDirection(100, 0);
}

void setBold(const PeaucellierPlacement& p, bool bold, const char* face = nullptr) {
  if (!p.screenCanvas) return;
  Font f = p.screenCanvas->font();
  f.weight = bold ? kFontWeightBold : kFontWeightNormal;
  if (face) f.face = face;
  p.screenCanvas->setFont(f);
}

// Character size in cm for a text `height` target units high.
double cmOf(const PeaucellierPlacement& p, double height) {
  const double unitsPerCm = p.plot ? 400.0 * p.resolution : p.printer ? 100.0 : 10.0 * p.unitsPerMm;
  return height / unitsPerCm;
}

}  // namespace

void emitPeaucellierDial(PlotSurface& s, const PeaucellierDial& dial, const PeaucellierPlacement& p) {
  const TargetPlacement& m = p;
  const double mark = p.markRadius;
  // The frame, the origin circle and cross.
  s.selectPen(4);
  if (!p.plot) {
    s.setPenWidth(1);
    s.moveTo(p.frameLeft, p.frameTop);
    s.lineTo(p.frameLeft + p.frameWidth, p.frameTop);
    s.lineTo(p.frameLeft + p.frameWidth, p.frameTop + p.frameHeight);
    s.lineTo(p.frameLeft, p.frameTop + p.frameHeight);
    s.lineTo(p.frameLeft, p.frameTop);
    s.penUp();
  }
  s.circle(m.x(0), m.y(0), mark, p.plot ? 0.2 : 0);
  s.moveTo(m.x(0) - mark, m.y(0));
  s.lineTo(m.x(0) + mark, m.y(0));
  s.moveTo(m.x(0), m.y(0) - mark);
  s.lineTo(m.x(0), m.y(0) + mark);
  s.penUp();

  for (const PeaucellierLine& line : dial.lines) {
    if (line.points.size() < 2) continue;
    s.selectPen(p.plot ? line.plotPen : line.screenPen);
    if (!p.plot) s.setPenWidth(p.lineWidth + (p.printer ? line.printerExtraWidth : line.extraWidth));
    s.moveTo(m.x(line.points[0].x), m.y(line.points[0].y));
    for (std::size_t i = 1; i < line.points.size(); ++i) s.lineTo(m.x(line.points[i].x), m.y(line.points[i].y));
    s.penUp();
    if (line.kind == PeaucellierLineKind::NorthArrow) {
      // Head: two strokes from the tip back to (tip - 3m, +-m).
      const double tx = m.x(line.points[1].x), ty = m.y(line.points[1].y);
      s.moveTo(tx - 3 * mark, ty - mark);
      s.lineTo(tx, ty);
      s.lineTo(tx - 3 * mark, ty + mark);
      s.penUp();
    }
  }
  if (!p.plot) s.setPenWidth(1);

  // Labels: hour numbers in their own size, the letters in the frame's.
  for (const PeaucellierLabel& l : dial.labels) {
    const bool number = l.role == PeaucellierLabelRole::HourNumber || l.role == PeaucellierLabelRole::Noon;
    const double h = number ? p.numberHeight : 2 * mark;
    s.selectPen(p.plot ? l.plotPen : l.screenPen);
    s.setCharSize(0.7 * cmOf(p, h), cmOf(p, h));
    setBold(p, l.bold);
    // The plot writes the noon number as "LB 12".
    const std::string text = p.plot && l.role == PeaucellierLabelRole::Noon ? " " + l.text : l.text;
    downwardLabel(s, p, m.x(l.x) + l.alongX * h, m.y(l.y) + m.down(l.alongY * h), h, text);
  }
  setBold(p, false);

  // The title block, rotated, left of the dial: the title outermost.
  s.selectPen(4);
  const double th = p.textHeight;
  s.setCharSize(0.6 * cmOf(p, th), cmOf(p, th));
  setBold(p, true, "Times New Roman");
  // The data line is written in its three parts, one under the other.
  std::vector<std::string> lines{dial.title, dial.credit};
  const std::string& data = p.plot ? dial.dataLinePlot : dial.dataLineScreen;
  for (std::size_t from = 0;;) {
    const std::size_t cut = data.find(';', from);
    std::string part = data.substr(from, cut == std::string::npos ? std::string::npos : cut + 1 - from);
    while (!part.empty() && part.front() == ' ') part.erase(0, 1);
    lines.push_back(part);
    if (cut == std::string::npos) break;
    from = cut + 1;
  }
  double x = p.textX + (lines.size() - 0.4) * 1.3 * th;
  for (const std::string& t : lines) {
    downwardLabel(s, p, x, p.textTop, th, t);
    x -= 1.3 * th;
  }
  setBold(p, false, "Arial");
}

void drawPeaucellierDial(ScreenSurface& s, const PeaucellierInput& in, bool screenMode, int width,
                         int height, double originX, double originY) {
  const int left = screenMode ? 1 : 30, top = left;
  const int W = screenMode ? width : width - 60, H = screenMode ? height : height - 60;
  const PeaucellierDial dial = computePeaucellierDial(in);
  Canvas& c = s.canvas();
  if (dial.refused) {
    Font f = c.font();
    const Font old = f;
    f.face = "Arial";
    f.weight = kFontWeightBold;
    f.height = screenMode ? 16 : 40;
    f.colour = s.penColour(4);
    f.angle = 0;
    c.setFont(f);
    c.text(W / 5.0, H / 5.0, peaucellierText(PeaucellierText::LatitudeRefusal, 2));
    c.text(W / 5.0, H / 7.0, peaucellierText(PeaucellierText::LatitudeRefusal, 1));
    c.setFont(old);
    return;
  }
  const double pUnits = screenMode ? std::round(dial.unitMm * H / 200.0) : std::round(10 * dial.unitMm);
  PeaucellierPlacement p;
  p.unitsPerMm = pUnits / dial.unitMm;
  p.printer = !screenMode;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  const double textH = screenMode ? 16 : 30;
  p.markRadius = std::round(textH / 2);
  const double C = pUnits / (1 - std::fabs(std::tan(radians(23.45)) * dial.f));
  p.numberHeight = std::max(6.0, std::round(C * (screenMode ? 45.0 : 150.0) / H));
  p.textHeight = screenMode ? 20 : 55;
  p.frameLeft = left;
  p.frameTop = top;
  p.frameWidth = W - 2;
  p.frameHeight = H - 2;
  p.textX = left + 1.5 * p.textHeight;
  p.textTop = top + 0.04 * H;
  p.screenCanvas = &c;
  double x0 = originX, y0 = originY;
  if (x0 < 1 || y0 < 1) {
    x0 = std::round(0.35 * W) + left;
    y0 = std::round(0.5 * H) + top;
  }
  if (!screenMode) {
    y0 -= textH / 2;
    // Keep the sunset ends of the date lines clear of the title block.
    double minX = 0;
    for (double xs : dial.xSunset) minX = std::min(minX, xs);
    const double needed = p.textX + 7.5 * p.textHeight - minX * p.unitsPerMm;
    x0 = std::max(x0, needed);
  }
  p.originX = x0;
  p.originY = y0;
  emitPeaucellierDial(s, dial, p);
}

PlotOutcome plotPeaucellierDial(HpglWriter& w, const PeaucellierInput& in, double originX) {
  const int R = w.resolutionFactor();
  const PeaucellierDial dial = computePeaucellierDial(in);
  // Within 29 degrees of the equator: the picture writes why, the plot says it.
  if (dial.refused)
    return PlotRefusal{MsgCaption::Error, MsgIcon::Error,
                       peaucellierText(PeaucellierText::LatitudeRefusal, in.language)};
  w.beginPage(PageStart::Framed, 16400.0 * R, 11480.0 * R);
  w.homePen(4);
  PeaucellierPlacement p;
  p.plot = true;
  p.yUp = true;
  p.resolution = R;
  p.unitsPerMm = std::round(40.0 * R * dial.unitMm) / dial.unitMm;
  p.originX = originX >= 1 ? originX : 0.35 * 16400.0 * R;
  p.originY = 5240.0 * R;
  p.markRadius = 60.0 * R;
  p.numberHeight = std::round(0.77 * dial.numberSizeMm) * 4.0 * R;  // ~ the printer's size
  p.textHeight = 200.0 * R;
  p.textX = 150.0 * R;
  p.textTop = 11000.0 * R;
  double minX = 0;
  for (double xs : dial.xSunset) minX = std::min(minX, xs);
  p.originX = std::max(p.originX, p.textX + 7.5 * p.textHeight - minX * p.unitsPerMm);
  emitPeaucellierDial(w, dial, p);
  w.endPage(PageEnd::WindowReset);
  return {};
}

}  // namespace tavrel
