// The one emitter of the cylinder dials and the hidokai, and their screen,
// printer and plot entry points: page placement and messages only; the
// lines come from computeCylinderDial.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/cylinder/cylinder_dial.h"
#include "dials/cylinder/cylinder_texts.h"
#include "plot/label_space.h"
#include "plot/page_constants.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

bool isCurve(CylinderLineKind k) {
  switch (k) {
    case CylinderLineKind::Ordinary:
    case CylinderLineKind::Eot:
    case CylinderLineKind::Temporal:
    case CylinderLineKind::Babylonian:
    case CylinderLineKind::Italian:
    case CylinderLineKind::DateLine:
      return true;
    default:
      return false;
  }
}

// The hat dial tells of its reduced circumference once per run.
std::atomic<bool> hatReductionShown{false};

constexpr Colour kShepherdSignColour = 0x800080;  // purple
constexpr const char* kShepherdPageMark = "TV";  // Tavrel         // printer page margin, 0.1 mm

// Height of the small font (hour and altitude numbers) in surface units.
double smallFontHeight(bool onScreen) { return onScreen ? 12 : 27; }

}  // namespace

void emitCylinderDial(PlotSurface& s, const CylinderDial& dial, const CylinderPlacement& p) {
  const auto map = [&p](double x, double y, double& tx, double& ty) {
    const double u = p.transposed ? y : x, v = p.transposed ? x : y;
    tx = p.x(u);
    ty = p.y(v);
  };
  if (dial.altitudeStrip.shown && p.screenCanvas) {
    double x1, y1, x2, y2;
    map(dial.altitudeStrip.left, dial.altitudeStrip.top, x1, y1);
    map(dial.altitudeStrip.right, dial.altitudeStrip.bottom, x2, y2);
    p.screenCanvas->fillRectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                                std::max(y1, y2), dial.altitudeStrip.colour);
  }
  const CylinderTarget skipped = p.plotLayout ? CylinderTarget::Screen : CylinderTarget::Plot;
  int width = -1;
  for (const CylinderLine& line : dial.lines) {
    if (line.points.empty() || (line.wall && !p.drawWall) || line.target == skipped) continue;
    const int w = isCurve(line.kind) ? p.lineWidth + line.extraWidth : p.frameWidth;
    if (p.writeWidths && w != width) {
      s.setPenWidth(w);
      width = w;
    }
    s.selectPen(line.pen);
    if (line.screenColour >= 0 && p.screenCanvas) {
      Pen own = p.screenCanvas->pen();
      own.colour = line.screenColour;
      p.screenCanvas->setPen(own);
    }
    double x, y;
    map(line.points.front().x, line.points.front().y, x, y);
    s.moveTo(x, y);
    for (std::size_t i = 1; i < line.points.size(); ++i) {
      map(line.points[i].x, line.points[i].y, x, y);
      s.lineTo(x, y);
    }
    s.penUp();
  }
  if (dial.kind == CylinderDialKind::PolarStyle) {
    double x, y;
    s.selectPen(1);
    const double mark = dial.markMm * p.unitsPerMm;
    map(0, 0, x, y);
    s.circle(x, y, mark);
    if (dial.poleShown) {
      map(dial.poleX, dial.poleY, x, y);
      if (p.plotLayout) {
        // The plot marks the pole with a cross of twice the mark's size.
        const double h = 2 * mark;
        s.moveTo(x - h, y);
        s.lineTo(x + h, y);
        s.moveTo(x, y - h);
        s.lineTo(x, y + h);
        s.penUp();
      } else {
        s.circle(x, y, mark);
      }
    }
  }
  if (p.writeWidths && width != p.frameWidth) s.setPenWidth(p.frameWidth);
  s.setCharSize(p.charWidthCm, p.charHeightCm);
  // A label that would cover one already written (neighbouring hour
  // lines close together near noon) is left out. The plotter advances 1.5
  // character widths and writes from the baseline up; its label is taken
  // to the middle of the last character's cell (the ink of "1." ends
  // there).
  LabelSpace space(LabelBox{-1e300, -1e300, 1e300, 1e300});
  const double labelHeight = p.labelUnits;
  const double charWidth = p.charWidthCm / p.charHeightCm * labelHeight;
  for (const CylinderLabel& l : dial.labels) {
    if (l.target == skipped) continue;
    double x, y;
    map(l.x, l.y, x, y);
    if (labelHeight > 0) {
      const double n = static_cast<double>(utf8Length(l.text));
      const double w = p.yUp ? (1.5 * n - 1) * charWidth : kAverageAdvanceEm * labelHeight * n;
      if (!space.claim(LabelBox::of(x, y, w, (p.yUp ? 1 : kLineHeightEm) * labelHeight))) continue;
    }
    s.selectPen(l.pen);
    if (l.role == CylinderLabelRole::AltitudeNumber && p.degreeSign) {
      s.label(x, y, l.text + " \xC2\xB0");
    } else {
      s.label(x, y, l.text);
    }
  }
  if (!p.drawTexts) return;
  if (p.plotLayout) {
    s.selectPen(4);
    s.setCharSize(0.3, 0.45);
    s.label(p.textX, p.textY, dial.title + " " + dial.subtitle);
    s.setCharSize(0.2, 0.28);
    s.label(p.textX, p.textY - p.lineStep, dial.locationLine);
    s.setCharSize(p.charWidthCm, p.charHeightCm);
    double fy = p.footTextY;
    // The hidokai's plot carries its gnomon only as the sign, unlabelled.
    const bool gnomonText = dial.kind != CylinderDialKind::Hidokai;
    for (const std::string* t : {&dial.timeLine, &dial.gnomonLine, &dial.extraLine}) {
      if (t->empty() || (t == &dial.gnomonLine && !gnomonText)) continue;
      s.label(p.footTextX, fy, *t);
      fy -= 0.6 * p.lineStep;  // 150 plot units
    }
    // The shepherd's page is signed with a two-letter mark at its lower
    // right corner.
    if (dial.kind == CylinderDialKind::Shepherd) {
      const double r = p.footTextX / 1100.0;
      s.label(15780.0 * r, 100.0 * r, kShepherdPageMark);
    }
    return;
  }
  s.selectPen(4);
  s.setCharSize(p.textWidthCm, p.textHeightCm);
  double y = p.textY;
  for (const std::string* t : {&dial.title, &dial.subtitle, &dial.locationLine, &dial.timeLine,
                               &dial.gnomonLine, &dial.extraLine}) {
    if (t->empty() || (t == &dial.gnomonLine && dial.gnomonLineAtSign)) continue;
    s.label(p.textX, y, *t);
    y += p.yUp ? -p.lineStep : p.lineStep;
  }
}

void showCylinderMessages(const CylinderDial& dial, bool plot) {
  if (dial.temporalRefused) {
    if (plot) showPlotRefusal(temporalHoursRefusal());
    return;
  }
  if (dial.temporalRangeBad) showMessage(MsgCaption::Error, MsgIcon::Error, messageText(41));
  if (dial.babylonianItalianRefused) {
    showMessage(MsgCaption::Problem, MsgIcon::Error,
                cylinderText(CylinderText::ItalianBabylonian) + "\r" +
                    cylinderText(CylinderText::LatitudeTooHigh));
  }
  if (dial.kind == CylinderDialKind::Hat && dial.scaleReduced && !hatReductionShown.exchange(true)) {
    showMessage(MsgCaption::Problem, cylinderText(CylinderText::MonthAxisReduced));
  }
  if (dial.hatDropTooLong) showMessage(MsgCaption::Problem, cylinderText(CylinderText::GnomonTooLong));
}

namespace {

using ScreenArea = DrawingArea;

ScreenArea areaOf(int width, int height, bool onScreen) { return drawingArea(width, height, onScreen); }

// Character size in cm for a font of fh surface units.
double cmOf(const ScreenSurface& s, double fh) { return fh / (10 * s.unitsPerMm()); }

// "Temporal hours are not possible ..." written into the picture.
void drawTemporalRefusal(ScreenSurface& s, const ScreenArea& a, const CylinderDial& dial) {
  writeRefusalInPicture(s, 0, 0, a.w, a.h, messageText(64), dial.title + dial.subtitle);
}

void outline(ScreenSurface& s, const ScreenArea& a) {
  s.selectPen(1);
  s.setPenWidth(1);
  s.moveTo(a.x0, a.y0);
  s.lineTo(a.x0 + a.w, a.y0);
  s.lineTo(a.x0 + a.w, a.y0 + a.h);
  s.lineTo(a.x0, a.y0 + a.h);
  s.lineTo(a.x0, a.y0);
}

CylinderPlacement screenPlacement(ScreenSurface& s, bool onScreen, double pxPerMm) {
  CylinderPlacement p;
  p.unitsPerMm = pxPerMm;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  const double fh = smallFontHeight(onScreen), th = onScreen ? 16 : 35;
  p.charWidthCm = p.charHeightCm = cmOf(s, fh);
  p.labelUnits = fh;
  p.textWidthCm = p.textHeightCm = cmOf(s, th);
  p.lineStep = th * 1.2;
  p.screenCanvas = &s.canvas();
  return p;
}

// Draws a computed dial on the screen or printer page, or its refusal.
bool screenDial(ScreenSurface& s, const ScreenArea& a, const CylinderDial& dial,
                CylinderPlacement p) {
  if (dial.temporalRefused) {
    drawTemporalRefusal(s, a, dial);
    return false;
  }
  showCylinderMessages(dial, false);
  outline(s, a);
  emitCylinderDial(s, dial, p);
  return true;
}

// The altitude strip is two small-font heights wide, its numbers half a
// height beyond it.
void screenAltitudeStrip(CylinderDialInput& in, bool onScreen, double pxPerMm) {
  const double fh = smallFontHeight(onScreen);
  in.altitudeStripMm = 2 * fh / pxPerMm;
  in.altitudeLabelGapMm = 0.5 * fh / pxPerMm;
}

double shepherdPxPerMm(const ScreenArea& a, bool onScreen) {
  if (!onScreen) return kPrinterUnitsPerMm;
  return a.w > 1.414 * a.h ? 1.42 * a.h / 305 : a.w / 305.0;
}

// The top of the information block at the bottom of the picture: `lines`
// line steps above the bottom edge.
double textBlockTop(const ScreenArea& a, bool onScreen, double lines) {
  return a.y0 + a.h - lines * 1.2 * (onScreen ? 16 : 35);
}

// The input of a dial around a cylinder (shepherd's or hat dial) on the
// screen: its altitude axis runs from `top` down to 93 % of the picture;
// the shepherd's ends a line above the information block (the hat's
// brim needs the whole height).
CylinderDialInput wrappedScreenInput(const DesignState& d, CylinderDialKind kind, const ScreenArea& a, double px,
                                     double top, bool onScreen, double gnomonMm) {
  CylinderDialInput in;
  in.kind = kind;
  in.gnomonMm = gnomonMm;
  in.scaleMm = d.shepherdScaleLength;
  const double bottom = kind == CylinderDialKind::Shepherd
                            ? std::min(0.93 * a.h, textBlockTop(a, onScreen, 7.5) - a.y0)
                            : 0.93 * a.h;
  in.sampling = CylinderSampling::screen((bottom - top) / px);
  screenAltitudeStrip(in, onScreen, px);
  return in;
}

}  // namespace

void drawShepherdsDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen,
                       double gnomonMm) {
  const ScreenArea a = areaOf(width, height, onScreen);
  const double px = shepherdPxPerMm(a, onScreen);
  const double top = a.h / 12.0;
  const CylinderDial dial =
      computeCylinderDial(d, wrappedScreenInput(d, CylinderDialKind::Shepherd, a, px, top, onScreen, gnomonMm));
  CylinderPlacement p = screenPlacement(s, onScreen, px);
  const double boxPx = (dial.right - dial.left) * px;
  p.originX = std::max<double>(std::round((a.w - boxPx) / 2) + a.x0, a.x0 + 2);
  p.originY = a.y0 + top;
  p.textX = 0.36 * a.w + a.x0;
  p.textY = a.y0 + a.h - 6.5 * p.lineStep;
  CylinderDial shown = dial;
  shown.gnomonLineAtSign = true;  // written beside the sign below
  if (!screenDial(s, a, shown, p)) return;
  // The gnomon sign at the lower left, purple: a short top, the gnomon's
  // height down, a foot of the same length and a short rise at its end.
  {
    const double fh = smallFontHeight(onScreen);
    const double rh = std::round(1.5 * fh), G = std::round(gnomonMm * px);
    const double x = a.x0 + rh, base = a.y0 + a.h - 2 * fh;
    s.selectPen(1);
    s.setPenWidth(1);
    Pen own = s.canvas().pen();
    own.colour = kShepherdSignColour;
    s.canvas().setPen(own);
    s.moveTo(a.x0 + 1.5 * rh, base - G);
    s.lineTo(x, base - G);
    s.lineTo(x, base);
    s.lineTo(x + G, base);
    s.lineTo(x + G, base - rh / 2);
    s.penUp();
    s.selectPen(4);
    s.setCharSize(p.charWidthCm, p.charHeightCm);
    s.label(x, a.y0 + a.h - 1.5 * fh, dial.gnomonLine);
  }
  if (dial.scaleReduced) {
    const Colour old = s.canvas().font().colour;
    Font f = s.canvas().font();
    f.colour = 255;
    s.canvas().setFont(f);
    rotatedText(s, a.x0 + a.w - 16, a.y0 + a.h / 10.0, cylinderText(CylinderText::MonthAxisReduced),
                400, 0.8 * (onScreen ? 16 : 40), -90);
    f.colour = old;
    s.canvas().setFont(f);
  }
}

void drawHatDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen,
                 double gnomonMm) {
  const ScreenArea a = areaOf(width, height, onScreen);
  const double px = shepherdPxPerMm(a, onScreen);
  const double top = a.h / 8.0;
  const CylinderDial dial =
      computeCylinderDial(d, wrappedScreenInput(d, CylinderDialKind::Hat, a, px, top, onScreen, gnomonMm));
  CylinderPlacement p = screenPlacement(s, onScreen, px);
  const double perDegPx = dial.scaleMm * px / 360;
  p.originX = std::max<double>(std::round(0.5 * a.w - 4 * perDegPx) + a.x0, a.x0 + 2);
  p.originY = a.y0 + top;
  p.textX = a.x0 + a.w / 15.0;
  p.textY = a.y0 + a.h - 6.5 * p.lineStep;
  screenDial(s, a, dial, p);
}

void drawPolarCylinderDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen,
                           double zoom,
                           double gnomonMm, double radiusMm, double poleX, double poleY) {
  const ScreenArea a = areaOf(width, height, onScreen);
  const double px = onScreen ? a.h / (s.paper() == ScreenPaper::A4 ? 280.0 : 420.0) : static_cast<double>(kPrinterUnitsPerMm);
  const double units = px * std::max(zoom, 1e-3);
  const double ox = poleX >= 0 ? poleX : a.x0 + a.w / 2.0;
  const double oy = poleY >= 0 ? poleY : a.y0 + a.h / 5.0;
  CylinderDialInput in;
  in.kind = CylinderDialKind::PolarStyle;
  in.gnomonMm = gnomonMm;
  in.radiusMm = radiusMm;
  in.zoom = std::max(zoom, 1e-3);
  in.sampling = CylinderSampling::screen(std::max(1.0, (textBlockTop(a, onScreen, 7.5) - oy) / units));
  const CylinderDial dial = computeCylinderDial(d, in);
  CylinderPlacement p = screenPlacement(s, onScreen, units);
  p.originX = ox;
  p.originY = oy;
  p.textX = a.x0 + a.w / 15.0;
  p.textY = a.y0 + a.h - 6.5 * p.lineStep;
  screenDial(s, a, dial, p);
}

void drawAltitudeDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen,
                      double gnomonMm) {
  const ScreenArea a = areaOf(width, height, onScreen);
  const double px = onScreen ? a.w / 320.0 : static_cast<double>(kPrinterUnitsPerMm);
  CylinderDialInput in;
  in.kind = CylinderDialKind::Hidokai;
  in.gnomonMm = gnomonMm;
  in.scaleMm = d.altitudeMonthScale;
  in.plateMm = d.altitudeHorizontalScale;
  in.sampling = CylinderSampling::screen(1e6);
  in.sampling.fewLinesBelowMm = 81;  // days 11 and 21 on axes above 80 mm
  const CylinderDial dial = computeCylinderDial(d, in);
  CylinderPlacement p = screenPlacement(s, onScreen, px);
  p.transposed = true;
  double top = d.shepherdScaleLength > 119 ? a.h / 20.0 : a.h / 12.0;
  if (d.altitudeMonthScale > 180) top = a.h / 25.0;
  const double free = a.w - (dial.bottom - dial.top) * px;
  const double fh = smallFontHeight(onScreen);
  p.originX = a.x0 + std::max(free / 3, 1.4 * 3 * fh);
  p.originY = a.y0 + top;
  p.textX = a.x0 + a.w / 15.0;
  p.textY = a.y0 + a.h - 5.5 * p.lineStep;
  screenDial(s, a, dial, p);
}

void drawCylinderOrAltitudeDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen,
                                double zoom, double poleX, double poleY) {
  if (d.dialKind == 'k') {
    drawAltitudeDial(s, d, width, height, onScreen, d.altitudeDialGnomonLength);
    return;
  }
  switch (d.cylinderVariant) {
    case 1: drawHatDial(s, d, width, height, onScreen, d.cylinderGnomonLengthInt); break;
    case 2:
      drawPolarCylinderDial(s, d, width, height, onScreen, zoom, d.cylinderGnomonLength,
                            d.cylinderRadius, poleX, poleY);
      break;
    default: drawShepherdsDial(s, d, width, height, onScreen, d.cylinderGnomonLengthInt); break;
  }
}

// ---- plot --------------------------------------------------------------

namespace {

CylinderPlacement plotPlacement(int r, int plotLineWidth) {
  CylinderPlacement p;
  p.yUp = true;
  p.unitsPerMm = 40.0 * r;
  p.writeWidths = plotLineWidth != 1;
  p.lineWidth = std::max(0, plotLineWidth - 1);
  p.frameWidth = 0;
  p.degreeSign = false;
  p.charWidthCm = 0.18;
  p.charHeightCm = 0.24;
  p.labelUnits = 400.0 * r * p.charHeightCm;
  p.textWidthCm = 0.2;
  p.textHeightCm = 0.28;
  p.lineStep = 250.0 * r;
  p.plotLayout = true;
  p.footTextX = 1100.0 * r;
  p.footTextY = 500.0 * r;
  return p;
}

// The gnomon at true length G below a bar of 140 units at (a, b), with a
// small arrow head at its foot: one pen-down run.
void plotGnomonSign(HpglWriter& w, double a, double b, double G, int r) {
  const double u = 70.0 * r, head = 100.0 * r;
  const PlotVertex v[] = {{a - u, b, false},         {a + u, b, true},
                          {a, b, true},              {a, b - G, true},
                          {a - u, b + head - G, true}, {a + u, b + head - G, true},
                          {a, b - G, true}};
  w.selectPen(1);
  w.polyline(v);
  w.penUp();
}

}  // namespace

PlotOutcome plotAltitudeDial(HpglWriter& w, const DesignState& d, double gnomonMm, bool isShepherd) {
  CylinderDialInput in;
  in.kind = isShepherd ? CylinderDialKind::Shepherd : CylinderDialKind::Hidokai;
  in.gnomonMm = gnomonMm;
  in.scaleMm = isShepherd ? d.shepherdScaleLength : d.altitudeMonthScale;
  in.plateMm = d.altitudeHorizontalScale;
  in.sampling = CylinderSampling::plot();
  const CylinderDial dial = computeCylinderDial(d, in);
  if (dial.temporalRefused) return temporalHoursRefusal();
  showCylinderMessages(dial, true);
  const int savedR = w.resolutionFactor();
  // The hidokai is always plotted at one unit = 0.025 mm.
  if (!isShepherd) w.setResolutionFactor(1);
  const int r = w.resolutionFactor();
  if (isShepherd && !dial.wholeYear && d.cylinderWithEot && d.localTimeNoEot &&
      dial.scaleMm >= 183 && d.otherHoursFrom < 12 && 12 < d.otherHoursTo) {
    showMessage(MsgCaption::Information, cylinderText(CylinderText::TwoPartScale));
  }
  w.beginPage(PageStart::Slow);
  CylinderPlacement p = plotPlacement(r, d.plotLineWidth);
  p.originX = 400.0 * r;
  p.originY = (isShepherd ? 10250.0 : 10500.0) * r;
  p.textX = (isShepherd ? 4600.0 : 1000.0) * r;
  p.textY = 11150.0 * r;
  w.selectPen(4);
  // The sign stands once on the page, left of the (first) dial.
  const double G = gnomonMm * 40.0 * r;
  if (isShepherd) plotGnomonSign(w, 100.0 * r, G + 400.0 * r, G, r);
  else plotGnomonSign(w, 180.0, 10500.0, G, 1);
  // A half-year shepherd's dial up to 183 mm leaves room for a second dial
  // on the page: with EoT forenoon and afternoon side by side, without it
  // the hours up to noon once more in zone time.
  const bool twoDials = isShepherd && !dial.wholeYear && dial.scaleMm < 183;
  if (!twoDials) {
    emitCylinderDial(w, dial, p);
  } else {
    const bool eot = d.cylinderWithEot;
    CylinderDialInput first = in, second = in;
    if (eot) {
      first.hoursFrom = d.otherHoursFrom;
      first.hoursTo = std::min(12, d.otherHoursTo);
      second.hoursFrom = std::max(12, d.otherHoursFrom);
      second.hoursTo = d.otherHoursTo;
      p.originX = 100.0 * r;
    } else {
      second.hoursFrom = d.otherHoursFrom;
      second.hoursTo = std::min(12, d.otherHoursTo);
      second.zoneClock = true;
    }
    second.oldHours = false;
    emitCylinderDial(w, eot ? computeCylinderDial(d, first) : dial, p);
    p.originX = 8350.0 * r;
    p.drawTexts = false;
    emitCylinderDial(w, computeCylinderDial(d, second), p);
  }
  w.endPage(PageEnd::Init);
  w.setResolutionFactor(savedR);
  return {};
}

PlotOutcome plotCylinderDial(HpglWriter& w, const DesignState& d, double poleX, double poleY, bool isHatDial,
                             double zoom,
                             double scaleOrCircumference, double gnomonMm, PlotGrid grid,
                             int gridSpacingMm) {
  const int r = w.resolutionFactor();
  CylinderDialInput in;
  in.kind = isHatDial ? CylinderDialKind::Hat : CylinderDialKind::PolarStyle;
  in.gnomonMm = gnomonMm;
  in.scaleMm = scaleOrCircumference;
  in.radiusMm = scaleOrCircumference;
  in.sampling = CylinderSampling::plot();
  const double ox = poleX >= 0 ? poleX : 8200.0 * r, oy = poleY >= 0 ? poleY : 9700.0 * r;
  const double units = 40.0 * r * (isHatDial ? 1 : std::max(zoom, 1e-3));
  in.sampling.maxDropMm = (oy - 600.0 * r) / units;
  if (!isHatDial) in.zoom = std::max(zoom, 1e-3);
  const CylinderDial dial = computeCylinderDial(d, in);
  if (dial.temporalRefused) return temporalHoursRefusal();
  showCylinderMessages(dial, true);
  w.beginPage(PageStart::Framed, 16480.0 * r, 11480.0 * r);
  w.homePen(4);
  std::optional<int> spacing;
  if (grid == PlotGrid::Ask) spacing = askPlotGrid();
  if (grid == PlotGrid::On) spacing = gridSpacingMm;
  if (spacing) w.hpglGrid(ox, oy, double{kPlotGridWidth} * r, *spacing * 40.0 * r, double{kPlotGridHeight} * r);
  CylinderPlacement p = plotPlacement(r, d.plotLineWidth);
  p.unitsPerMm = units;
  p.originX = ox;
  p.originY = oy;
  p.textX = 1000.0 * r;
  p.textY = 11150.0 * r;
  emitCylinderDial(w, dial, p);
  w.endPage(PageEnd::PenAway);
  return {};
}

PlotOutcome plotCylinderOrAltitudeDial(HpglWriter& w, const DesignState& d, double zoom, double poleX,
                                       double poleY,
                                       PlotGrid grid, int gridSpacingMm) {
  if (d.dialKind == 'k') return plotAltitudeDial(w, d, d.altitudeDialGnomonLength, false);
  switch (d.cylinderVariant) {
    case 1:
      return plotCylinderDial(w, d, poleX, poleY, true, zoom, d.shepherdScaleLength, d.cylinderGnomonLengthInt,
                              grid, gridSpacingMm);
    case 2:
      return plotCylinderDial(w, d, poleX, poleY, false, zoom, d.cylinderRadius, d.cylinderGnomonLength, grid,
                              gridSpacingMm);
    default: return plotAltitudeDial(w, d, d.cylinderGnomonLengthInt, true);
  }
}

}  // namespace tavrel
