// The one emitter of the ring dial and its screen, printer and plot entry
// points: placement and messages only; the lines come from computeRingDial.
#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/ring/ring_dial.h"
#include "dials/ring/ring_texts.h"
#include "plot/label_space.h"
#include "plot/page_constants.h"
#include "plot/symbol_font.h"

namespace tavrel {

namespace {

// Room below the band for its length label and the legend (mm).
constexpr double kBelowBandMm = 30;
// Room left of the band for the hole marks, right of it for the date labels (mm).
constexpr double kLeftOfBandMm = 14, kRightOfBandMm = 22;

bool isCurve(RingLineKind k) { return k != RingLineKind::Frame && k != RingLineKind::DateLine; }

}  // namespace

void emitRingDial(PlotSurface& s, const RingDial& dial, const RingPlacement& p) {
  const auto map = [&p](double x, double y, double& tx, double& ty) {
    tx = p.x(x);
    ty = p.y(y);
  };
  int width = -1;
  std::vector<PlotVertex> v;  // one buffer for every line
  for (const RingLine& line : dial.lines) {
    if (line.points.size() < 2) continue;
    const int w = isCurve(line.kind) ? p.lineWidth : 1;
    if (p.writeWidths && w != width) {
      s.setPenWidth(w);
      width = w;
    }
    s.selectPen(line.pen);
    v.clear();
    for (const RingPoint& q : line.points) {
      PlotVertex pv;
      map(q.x, q.y, pv.x, pv.y);
      pv.draw = !v.empty();
      v.push_back(pv);
    }
    s.polyline(v);
    s.penUp();
  }
  if (p.writeWidths && width != 1) s.setPenWidth(1);
  s.setCharSize(p.charWidthCm, p.charHeightCm);
  // Labels stand with their baseline at their point; the screen writes
  // them from their top-left corner, so they are lifted by their height
  // (a character of h cm is 10 h mm).
  const double labelHeight = 10 * p.charHeightCm * p.unitsPerMm;
  const double labelLift = p.yUp ? 0 : labelHeight;
  // A label that would cover one already written (the date labels crowd
  // near the solstices, where the declination hardly changes) is left out.
  const double advance = p.yUp ? 1.5 * 10 * p.charWidthCm * p.unitsPerMm : kAverageAdvanceEm * labelHeight;
  LabelSpace space(LabelBox{-1e300, -1e300, 1e300, 1e300});
  for (const RingLabel& l : dial.labels) {
    double x, y;
    map(l.x, l.y, x, y);
    const std::string text = p.asciiTexts ? asciiUmlauts(l.text) : l.text;
    const double w = advance * static_cast<double>(utf8Length(text));
    if (!space.claim(p.yUp ? LabelBox::of(x, y, w, labelHeight)
                           : LabelBox::of(x, y - labelLift, w, kLineHeightEm * labelHeight)))
      continue;
    s.selectPen(l.pen);
    s.label(x, y - labelLift, text);
  }
  s.selectPen(4);
  s.setCharSize(p.titleWidthCm, p.titleHeightCm);
  const auto text = [&](double x, double y, const std::string& t) { s.label(x, y, t); };
  text(p.titleX, p.titleY, dial.title);
  s.setCharSize(p.textWidthCm, p.textHeightCm);
  text(p.dataX, p.dataY, dial.dataLine);
  text(p.timeX, p.timeY, dial.timeLine);
  const double step = p.yUp ? -p.lineStep : p.lineStep;
  text(p.timeX, p.timeY + step, dial.locationLine + "   " + dial.offsetLine);
}

namespace {

// The sun symbol of the title block: "Wingdings" letter R. Without a
// symbol font it would show as the letter: then it is left out.
void sunSymbol(ScreenSurface& s, double x, double y, double height) {
  if (!fontInstalled(kSymbolFace)) return;
  Canvas& c = s.canvas();
  const Font old = c.font();
  Font f = old;
  f.face = kSymbolFace;
  f.height = height;
  f.colour = s.penColour(4);
  f.angle = 0;
  c.setFont(f);
  c.text(x, y, "R");
  c.setFont(old);
}

}  // namespace

bool drawRingDial(ScreenSurface& s, const RingDialInput& in, int width, int height, bool onScreen) {
  const auto [x0, y0, w, h] = drawingArea(width, height, onScreen);
  const RingDial dial = computeRingDial(in);
  if (dial.temporalRefused) {
    writeRefusalInPicture(s, x0, y0, w, h, messageText(64), dial.title);
    return false;
  }
  if (dial.temporalRangeBad) showMessage(MsgCaption::Error, MsgIcon::Error, messageText(41));
  double px = onScreen ? screenUnitsPerMm(width, s.paper() == ScreenPaper::A4) : double{kPrinterUnitsPerMm};
  const double top = 0.2 * h;
  const double neededW = (dial.lengthMm + kLeftOfBandMm + kRightOfBandMm) * px;
  const double neededH = (dial.widthMm + kBelowBandMm) * px;
  const double availW = w, availH = h - top;
  if (0.98 * availH < neededH || 0.98 * availW < neededW) {
    if (showMessage(MsgCaption::Question, MsgIcon::Question, ringText(RingText::ShrinkQuestion),
                    MsgButtons::YesNo) != MsgAnswer::Yes) {
      return false;
    }
    px *= 0.95 * std::min(availH / neededH, availW / neededW);
  }
  RingPlacement p;
  p.unitsPerMm = px;
  p.originX = x0 + kLeftOfBandMm * px + std::max(0.0, (availW - (dial.lengthMm + kLeftOfBandMm + kRightOfBandMm) * px) / 2);
  p.originY = y0 + top;
  const double fh = onScreen ? 12 : 27, th = onScreen ? 16 : 35;
  const double cm = 10 * s.unitsPerMm();  // surface units per centimetre
  p.charWidthCm = p.charHeightCm = fh / cm;
  p.titleWidthCm = p.titleHeightCm = 1.3 * th / cm;
  p.textWidthCm = p.textHeightCm = th / cm;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  p.lineStep = 1.3 * th;
  p.titleX = x0 + w / 15.0 + 1.6 * th;
  p.titleY = y0 + h / 40.0;
  p.dataX = p.titleX;
  p.dataY = p.titleY + 2 * th;
  p.timeX = p.titleX;
  p.timeY = p.dataY + p.lineStep;
  s.selectPen(1);
  s.setPenWidth(1);
  emitRingDial(s, dial, p);
  sunSymbol(s, x0 + w / 15.0, p.titleY, 1.3 * th);
  return true;
}

PlotOutcome plotRingDial(HpglWriter& w, const RingDialInput& in, int plotLineWidth) {
  const int r = w.resolutionFactor();
  const RingDial dial = computeRingDial(in);
  if (dial.temporalRefused) return temporalHoursRefusal();
  if (dial.temporalRangeBad) showMessage(MsgCaption::Error, MsgIcon::Error, messageText(41));
  // The band is cut out of the plot: always at true size, also where a
  // ring wider than 237 mm runs beyond the A3 sheet (a larger sheet or a
  // roll takes it).
  const RingDial& shown = dial;
  w.beginPage(PageStart::StandardSet);
  w.homePen(4);
  RingPlacement p;
  p.yUp = true;
  p.unitsPerMm = 40.0 * r;
  p.originX = 600.0 * r;
  p.originY = 9700.0 * r;
  p.charWidthCm = 0.16;
  p.charHeightCm = 0.24;
  p.titleWidthCm = 0.3;
  p.titleHeightCm = 0.4;
  p.textWidthCm = 0.2;
  p.textHeightCm = 0.32;
  p.titleX = 600.0 * r;
  p.titleY = 10500.0 * r;
  p.dataX = 5500.0 * r;
  p.dataY = 10500.0 * r;
  p.timeX = 1500.0 * r;
  p.timeY = 10260.0 * r;
  p.asciiTexts = true;
  p.writeWidths = plotLineWidth != 1;
  p.lineWidth = std::max(0, plotLineWidth - 1);
  p.lineStep = 240.0 * r;
  emitRingDial(w, shown, p);
  w.endPage(PageEnd::PenAway);
  return {};
}

}  // namespace tavrel
