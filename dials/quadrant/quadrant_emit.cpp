// The one emitter of the quadrants and the Habermel dials, and their
// screen, printer and plot entry points: placement, page texts and
// messages only; the lines come from computeQuadrant / computeHabermel.
#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_texts.h"
#include "plot/label_space.h"
#include "plot/page_constants.h"

namespace tavrel {

namespace {

// The plot page of the Gunter quadrant and of the Habermel dials.
constexpr double kPageWidth = 16400, kPageHeight = 10400;

}  // namespace

bool quadrantPlotScaled(int variant, int zodiacScale) { return variant == 1 || variant == 2 || zodiacScale == 2; }

void emitQuadrantDial(PlotSurface& s, const QuadrantDial& dial, const QuadrantPlacement& p) {
  const auto map = [&p](double x, double y, double& tx, double& ty) {
    tx = p.x(p.direction * x);
    ty = p.y(y);
  };
  double x, y;
  // The zodiac band of the Gunter scale: filled on the screen (first, so
  // that the fill stops at its own border), outlined on the plot.
  if (dial.band.shown) {
    s.selectPen(12);
    for (double r : {dial.band.r1, dial.band.r2}) {
      map(0, r, x, y);
      s.moveTo(x, y);
      double cx, cy;
      map(0, 0, cx, cy);
      s.arc(cx, cy, 90 * p.direction, p.plot ? 0.25 : 0);
      s.penUp();
    }
    if (p.screenCanvas) {
      // Filled by radial strokes, no more than one unit apart at the outer
      // edge (a flood fill is not available on every target).
      const int steps = std::max(8, static_cast<int>(std::ceil(std::numbers::pi / 2 * dial.band.r2 * p.unitsPerMm)));
      s.setPenWidth(2);
      for (int k = 0; k <= steps; ++k) {
        const double t = std::numbers::pi / 2 * k / steps;
        map(dial.band.r1 * std::sin(t), dial.band.r1 * std::cos(t), x, y);
        s.moveTo(x, y);
        map(dial.band.r2 * std::sin(t), dial.band.r2 * std::cos(t), x, y);
        s.lineTo(x, y);
      }
      s.penUp();
      s.setPenWidth(1);
    }
  }
  int width = -1;
  const auto widthFor = [&p](QuadrantLineKind k) {
    return k == QuadrantLineKind::Hour || k == QuadrantLineKind::Temporal ? p.lineWidth : (p.plot ? 0 : 1);
  };
  for (const QuadrantArc& a : dial.arcs) {
    const int w = p.plot ? 0 : 1;
    if (p.writeWidths && w != width) s.setPenWidth(width = w);
    // The plot draws the first arc of a month in pen 1, the others in pen 7.
    int pen = a.pen;
    if (p.plot && dial.variant == 0 && a.pen != 1) pen = a.monthStart ? 1 : 7;
    s.selectPen(pen);
    const double a0 = a.fromDeg * kRadPerDeg;
    map(a.cx + a.r * std::cos(a0), a.cy - a.r * std::sin(a0), x, y);
    s.moveTo(x, y);
    double cx, cy;
    map(a.cx, a.cy, cx, cy);
    s.arc(cx, cy, a.sweepDeg * p.direction, p.plot && dial.input.scale == QuadrantScale::Gunter ? 0.25 : 0);
    s.penUp();
  }
  for (const QuadrantLine& l : dial.lines) {
    if (l.points.size() < 2) continue;
    const int w = widthFor(l.kind);
    if (p.writeWidths && w != width) s.setPenWidth(width = w);
    s.selectPen(l.pen);
    map(l.points.front().x, l.points.front().y, x, y);
    s.moveTo(x, y);
    for (std::size_t i = 1; i < l.points.size(); ++i) {
      map(l.points[i].x, l.points[i].y, x, y);
      s.lineTo(x, y);
    }
    s.penUp();
  }
  s.setCharSize(p.charWidthCm, p.charHeightCm);
  bool turned = false;
  LabelSpace space(p.yUp ? LabelBox{-1e300, -1e300, 1e300, 1e300} : LabelBox{0, 0, p.pageWidth, p.pageHeight});
  // The box a label covers (axis-parallel about its turned box), in the
  // target's units with y downwards (the plot's y negated): from the
  // top-left corner at (x, y) on the screen and the printer, from the
  // start of the baseline on the plot.
  const auto boxAt = [&p](double x, double y, const QuadrantLabel& l, double a) {
    const double advance = p.labelAdvance > 0 ? p.labelAdvance : kAverageAdvanceEm * p.labelHeight;
    const double w = advance * static_cast<double>(utf8Length(l.text));
    const double h = p.yUp ? p.labelHeight : kLineHeightEm * p.labelHeight;
    const double c = std::cos(a * kRadPerDeg), sn = std::sin(a * kRadPerDeg);
    if (p.yUp) {
      y = -y;
      x -= h * sn;
      y -= h * c;
    }
    const double xs[] = {x, x + w * c, x + w * c + h * sn, x + h * sn};
    const double ys[] = {y, y - w * sn, y - w * sn + h * c, y + h * c};
    return LabelBox{*std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4), *std::max_element(xs, xs + 4),
                    *std::max_element(ys, ys + 4)};
  };
  for (const QuadrantLabel& l : dial.labels) {
    map(l.x, l.y, x, y);
    if (p.labelHeight > 0) {
      // Outwards from the dial's origin in steps of half a label height.
      double ox, oy;
      map(0, 0, ox, oy);
      const double len = std::hypot(x - ox, y - oy);
      const double ux = len > 0 ? (x - ox) / len : 0, uy = len > 0 ? (y - oy) / len : 0;
      const double a = p.direction < 0 ? 180 - l.angleDeg : l.angleDeg;
      int step = 0;
      while (step <= 4 && !space.free(boxAt(x + step * 0.5 * p.labelHeight * ux,
                                            y + step * 0.5 * p.labelHeight * uy, l, a)))
        ++step;
      if (step > 4) continue;
      x += step * 0.5 * p.labelHeight * ux;
      y += step * 0.5 * p.labelHeight * uy;
      space.take(boxAt(x, y, l, a));
    }
    s.selectPen(l.pen);
    const double a = p.direction < 0 ? 180 - l.angleDeg : l.angleDeg;
    if (l.angleDeg != 0 || turned) {
      s.setLabelDirection(100 * std::cos(a * kRadPerDeg), 100 * std::sin(a * kRadPerDeg));
      turned = l.angleDeg != 0;
    }
    s.label(x, y, l.text);
  }
  if (turned) s.setLabelDirection(100, 0);
}

namespace {

using Area = DrawingArea;

Area areaOf(int width, int height, bool onScreen) { return drawingArea(width, height, onScreen); }

double cmOf(ScreenSurface& s, double units) { return units / (10 * s.unitsPerMm()); }

void outline(ScreenSurface& s, const Area& a) {
  s.selectPen(1);
  s.setPenWidth(1);
  const double x1 = a.x0 + a.w, y1 = a.y0 + a.h;
  const PlotVertex frame[] = {{double(a.x0), double(a.y0), false}, {x1, double(a.y0), true}, {x1, y1, true},
                              {double(a.x0), y1, true}, {double(a.x0), double(a.y0), true}};
  s.polyline(frame);
}

// Texts in the font "Arial", pen 4, top-left at (x, y).
void screenText(ScreenSurface& s, double x, double y, double heightUnits, const std::string& text) {
  s.selectPen(4);
  s.setCharSize(cmOf(s, heightUnits), cmOf(s, heightUnits));
  s.label(x, y, text);
}

// "Temporal hours are not possible in this latitude!" and the title,
// written into the picture: nothing else is drawn.
void drawTemporalRefusal(ScreenSurface& s, const Area& a, double fh, const std::string& title) {
  const std::string msg = messageText(64);
  const auto cut = msg.find("\n\r");
  screenText(s, a.x0 + a.w / 10.0, a.y0 + a.h / 2.0 - 2 * fh, 1.5 * fh, msg.substr(0, cut));
  if (cut != std::string::npos) screenText(s, a.x0 + a.w / 10.0, a.y0 + a.h / 2.0, 1.5 * fh, msg.substr(cut + 2));
  screenText(s, a.x0 + a.w / 3.0, a.y0 + a.h / 8.0, 1.5 * fh, title);
}

}  // namespace

void drawQuadrant(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen) {
  const Area a = areaOf(width, height, onScreen);
  const double fh = onScreen ? 14 : 35;
  const double px = onScreen ? a.h / 210.0 : static_cast<double>(kPrinterUnitsPerMm);
  const double R = onScreen ? std::round(d.quadrantSize * a.h / 210.0) : d.quadrantSize * 10.0;
  const QuadrantDial dial = computeQuadrant(d, screenQuadrantInput(d, R / px, fh / px));
  outline(s, a);
  if (dial.temporalRefused) {
    drawTemporalRefusal(s, a, fh, quadrantText(QuadrantText::Title));
    return;
  }
  const double xA = a.x0 + 14 * fh;
  const double yA = std::max(std::round((a.h - R - 2 * fh) / 2) + a.y0, a.y0 + 10.0);
  QuadrantPlacement p;
  p.originX = xA;
  p.originY = yA;
  p.unitsPerMm = px;
  p.lineWidth = std::max<int>(1, d.lineWidth);
  p.charWidthCm = p.charHeightCm = cmOf(s, fh);
  p.screenCanvas = &s.canvas();
  p.labelHeight = fh;
  p.pageWidth = width;
  p.pageHeight = height;
  emitQuadrantDial(s, dial, p);
  const double titleH = onScreen ? 18 : 80;
  // Left of the page's right edge by the longest line (the time line may
  // be long in zone time).
  double widest = kAverageAdvanceEm * titleH * static_cast<double>(utf8Length(dial.title));
  for (const std::string* t : {&dial.locationLine, &dial.timeLine})
    widest = std::max(widest, kAverageAdvanceEm * fh * static_cast<double>(utf8Length(*t)));
  const double tx = std::min({xA + R + 4 * fh, a.x0 + a.w * 0.62, a.x0 + a.w - widest - fh});
  double ty = a.y0 + a.h / 12.0;
  screenText(s, tx, ty, titleH, dial.title);
  ty += 2.2 * titleH;
  screenText(s, tx, ty, fh, dial.locationLine);
  ty += 1.6 * fh;
  screenText(s, tx, ty, fh, dial.timeLine);
  if (dial.input.temporal) screenText(s, a.x0 + fh, a.y0 + fh, fh, quadrantText(QuadrantText::TemporalNote));
}

// ---- Habermel dials: one routine for the screen, the printer and the plot --

namespace {

void habermelOn(PlotSurface& s, const QuadrantDial& dial, const QuadrantPlacement& p, double textX,
                double textY, double lineStep, double titleW, double titleH) {
  emitQuadrantDial(s, dial, p);
  s.selectPen(4);
  s.setCharSize(titleW, titleH);
  s.label(textX, textY, dial.title);
  s.setCharSize(p.charWidthCm, p.charHeightCm);
  double y = textY;
  const double step = p.yUp ? -lineStep : lineStep;
  y += 2 * step;
  for (const std::string* t : {&dial.locationLine, &dial.gnomonLine, &dial.diameterLine, &dial.timeLine}) {
    s.label(textX, y, *t);
    y += step;
  }
  s.label(textX, y + step,
          quadrantText(dial.variant == 1 ? QuadrantText::HabermelUse1 : QuadrantText::HabermelUse2));
}

// The framed page start of the writer for the page of 16400 x 10400
// units times the resolution factor.
// Plot labels kept apart like the screen's: the character size in plotter
// units (400 a centimetre, times R), a plotter advancing 1.5 character
// widths; the plot has no page edge to keep to.
void plotLabelSpacing(QuadrantPlacement& p, int r) {
  p.labelHeight = 400.0 * r * p.charHeightCm;
  p.labelAdvance = 1.5 * 400.0 * r * p.charWidthCm;
}

void writePagePrologue(HpglWriter& w) {
  const int r = w.resolutionFactor();
  w.beginPage(PageStart::Framed, kPageWidth * r, kPageHeight * r);
}

// The Habermel dials are made for the northern hemisphere.
PlotRefusal southRefusal() { return {MsgCaption::Problem, MsgIcon::Warning, quadrantText(QuadrantText::NorthOnly)}; }

void showSouthRefusal() { showPlotRefusal(southRefusal()); }

void habermelScreen(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen, int variant,
                    double gnomonMm) {
  const QuadrantDial dial = computeHabermel(d, variant, gnomonMm, d.habermelDiameter);
  if (dial.southRefused) {
    showSouthRefusal();
    return;
  }
  const Area a = areaOf(width, height, onScreen);
  outline(s, a);
  const double fh = onScreen ? 12 : 30;
  const double D = d.habermelDiameter;
  const double px = onScreen ? std::min(0.9 * a.h / D, 0.55 * a.w / D) : static_cast<double>(kPrinterUnitsPerMm);
  QuadrantPlacement p;
  p.unitsPerMm = px;
  p.originX = a.x0 + a.w - 0.55 * a.h;
  p.originX = std::max(p.originX, a.x0 + a.w * 0.4 + D / 2 * px);
  p.originX = std::min(p.originX, a.x0 + a.w - D / 2 * px - fh);
  p.originY = a.y0 + a.h / 2.0;
  p.lineWidth = std::max<int>(1, d.lineWidth);
  p.charWidthCm = p.charHeightCm = cmOf(s, fh);
  p.screenCanvas = &s.canvas();
  p.labelHeight = fh;
  p.pageWidth = width;
  p.pageHeight = height;
  habermelOn(s, dial, p, a.x0 + fh, a.y0 + 2 * fh, 1.6 * fh, cmOf(s, 1.5 * fh), cmOf(s, 1.5 * fh));
}

PlotOutcome habermelPlot(HpglWriter& w, const DesignState& d, int variant, double gnomonMm) {
  const QuadrantDial dial = computeHabermel(d, variant, gnomonMm, d.habermelDiameter);
  if (dial.southRefused) return southRefusal();
  const int r = w.resolutionFactor();
  writePagePrologue(w);
  w.homePen(4);
  QuadrantPlacement p;
  p.plot = true;
  p.yUp = true;
  p.unitsPerMm = 40.0 * r;
  p.originX = (kPageWidth - 4200) * r;
  p.originY = kPageHeight / 2 * r;
  p.writeWidths = d.plotLineWidth != 1;
  p.lineWidth = std::max(0, d.plotLineWidth - 1);
  // Labels are smaller on the big discs.
  p.charWidthCm = d.habermelDiameter > 150 ? 0.18 : 0.24;
  p.charHeightCm = d.habermelDiameter > 150 ? 0.27 : 0.32;
  habermelOn(w, dial, p, 600.0 * r, 9800.0 * r, 300.0 * r, 0.3, 0.45);
  w.endPage(PageEnd::PenAway);
  return {};
}

}  // namespace

void habermelDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen, double gnomonMm) {
  habermelScreen(s, d, width, height, onScreen, 1, gnomonMm);
}

void habermelDial2(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen, double gnomonMm) {
  habermelScreen(s, d, width, height, onScreen, 2, gnomonMm);
}

void drawQuadrantDial(ScreenSurface& s, const DesignState& d, int width, int height, bool onScreen) {
  switch (d.quadrantVariant) {
    case 1: habermelDial(s, d, width, height, onScreen, d.habermelGnomonLength); break;
    case 2: habermelDial2(s, d, width, height, onScreen, d.habermelGnomonLength); break;
    default: drawQuadrant(s, d, width, height, onScreen); break;
  }
}

// ---- plot -----------------------------------------------------------------

PlotOutcome plotHabermel(HpglWriter& w, const DesignState& d, int variant, double gnomonMm) {
  return habermelPlot(w, d, variant, gnomonMm);
}

PlotOutcome plotGunterQuadrant(HpglWriter& w, const DesignState& d, double quadrantSizeMm) {
  const int r = w.resolutionFactor();
  const double textMm = 3.2;  // the label height, 0.32 cm
  QuadrantInput in = screenQuadrantInput(d, quadrantSizeMm, textMm);
  in.scale = QuadrantScale::Gunter;
  const QuadrantDial dial = computeQuadrant(d, in);
  if (dial.temporalRefused) return temporalHoursRefusal();
  writePagePrologue(w);
  w.selectPen(4);
  w.setCharSize(0.3, 0.45);
  w.endCommand();
  const double R = quadrantSizeMm * 40.0 * r;
  const double xA = 1400.0 * r, yA = 10000.0 * r;
  w.label(xA + R + 600.0 * r, yA - 300.0 * r, quadrantText(QuadrantText::GunterTitle));
  QuadrantPlacement p;
  p.plot = true;
  p.yUp = true;
  p.unitsPerMm = 40.0 * r;
  p.originX = xA;
  p.originY = yA;
  p.writeWidths = d.plotLineWidth != 1;
  p.lineWidth = std::max(0, d.plotLineWidth - 1);
  plotLabelSpacing(p, r);
  emitQuadrantDial(w, dial, p);
  w.selectPen(4);
  w.setCharSize(0.22, 0.4);
  w.label(xA + R + 600.0 * r, yA - 900.0 * r, dial.locationLine);
  w.setCharSize(0.24, 0.32);
  w.label(xA + R + 600.0 * r, yA - 1400.0 * r, dial.timeLine);
  w.endPage(PageEnd::PenAway);
  return {};
}

PlotOutcome plotQuadrantPage(HpglWriter& w, const DesignState& d) {
  const int r = w.resolutionFactor();
  const double textMm = 3.2;
  QuadrantInput base = screenQuadrantInput(d, d.quadrantSize, textMm);
  // The left quadrant leaves 10 mm for the date labels: narrow letters.
  base.charMm = 1.8;
  if (base.temporal && std::fabs(d.latitude) > 65) return temporalHoursRefusal();
  QuadrantInput left = base, right = base;
  bool hasLeft = true, hasRight = true;
  std::string leftCaption, rightCaption;
  bool localNotes = false;
  const bool localNoEot = !d.zoneTime && !d.constructionWithEot;
  if (!base.temporal) {
    left.from = right.from = d.otherHoursFrom;
    left.to = right.to = d.otherHoursTo;
  }
  const auto timeText = [](const QuadrantInput& in) { return quadrantTimeText(in, true); };
  if (base.temporal) {
    hasRight = false;
  } else if (d.wholeYearQuadrant) {
    left.to = 12;
    right.from = 12;
    hasLeft = d.otherHoursFrom < 12;
    hasRight = d.otherHoursTo > 12;
    leftCaption = rightCaption = timeText(base) + ", ";
    left.mergeMirrored = right.mergeMirrored = false;
  } else if (d.constructionWithEot) {
    left.zoneClock = right.zoneClock = d.zoneTime;
    left.withEot = right.withEot = true;
    right.secondHalf = true;
    left.mergeMirrored = right.mergeMirrored = false;
    const bool zone = d.zoneTime;
    leftCaption = timeText(left) + quadrantText(zone ? QuadrantText::FirstHalfZone : QuadrantText::FirstHalfLocal) +
                  quadrantText(QuadrantText::WithEot);
    rightCaption = timeText(right) +
                   quadrantText(zone ? QuadrantText::SecondHalfZone : QuadrantText::SecondHalfLocal) +
                   quadrantText(QuadrantText::WithEot);
  } else if (d.zoneTime) {
    left.to = std::min(12, d.otherHoursTo);
    right.from = std::max(12, d.otherHoursFrom);
    left.zoneClock = right.zoneClock = true;
    left.mergeMirrored = right.mergeMirrored = false;
    leftCaption = rightCaption = quadrantText(QuadrantText::ZoneApparent);
    localNotes = true;
  } else {
    left.zoneClock = false;
    left.mergeMirrored = true;
    right.zoneClock = true;
    right.mergeMirrored = false;
    leftCaption = quadrantText(QuadrantText::LocalApparent);
    rightCaption = quadrantText(QuadrantText::ZoneApparent);
  }
  w.beginPage(PageStart::Slow);
  if (d.plotLineWidth != 1) w.setPenWidth(std::max(0, d.plotLineWidth - 1));
  const double R = d.quadrantSize * 40.0 * r;
  const double yA = 10000.0 * r;
  const auto quadrant = [&](const QuadrantInput& in, double xA, double dir) {
    const QuadrantDial dial = computeQuadrant(d, in);
    const double x1 = std::min(xA, xA + dir * R) - 200.0 * r * (dir > 0 ? 3 : 1);
    const double x2 = std::max(xA, xA + dir * R) + 200.0 * r * (dir > 0 ? 1 : 3);
    w.setWindow(std::max(0.0, x1), std::max(0.0, yA - R - 300.0 * r), x2, yA + 300.0 * r);
    QuadrantPlacement p;
    p.plot = true;
    p.yUp = true;
    p.unitsPerMm = 40.0 * r;
    p.originX = xA;
    p.originY = yA;
    p.direction = dir;
    p.writeWidths = d.plotLineWidth != 1;
    p.lineWidth = std::max(0, d.plotLineWidth - 1);
    p.charWidthCm = 0.18;
    plotLabelSpacing(p, r);
    emitQuadrantDial(w, dial, p);
    w.resetWindow();
    w.setLineType(false);
  };
  // The mirrored left quadrant grows leftwards from its apex: a large one
  // moves right (and the right one with it) so that it and its 200 units
  // of date labels stay right of the paper's edge.
  const double shift = d.quadrantMirrored ? std::max(0.0, R + 300.0 * r - 7900.0 * r) : 0;
  if (hasLeft) {
    if (d.quadrantMirrored) quadrant(left, 7900.0 * r + shift, -1);
    else quadrant(left, 400.0 * r, 1);
  }
  if (hasRight) quadrant(right, (localNoEot && !d.wholeYearQuadrant ? 8500.0 : 8400.0) * r + shift, 1);
  w.selectPen(4);
  w.setCharSize(0.3, 0.45);
  w.label(6180.0 * r, 10850.0 * r, quadrantText(QuadrantText::Title));
  w.setCharSize(0.22, 0.4);
  w.label(4600.0 * r, 10500.0 * r, quadrantLocationLine(d));
  w.setCharSize(0.24, 0.32);
  if (hasLeft && !leftCaption.empty()) w.label(1140.0 * r, 1500.0 * r, leftCaption);
  if (hasRight && !rightCaption.empty()) w.label(9420.0 * r, 1500.0 * r, rightCaption);
  if (d.constructionWithEot && !d.wholeYearQuadrant && !base.temporal)
    w.label(4600.0 * r, 10200.0 * r, quadrantText(QuadrantText::Mean) + quadrantTimeText(left, true));
  if (base.temporal) {
    w.label(460.0 * r, 1200.0 * r, quadrantText(QuadrantText::TemporalNote));
    w.label(460.0 * r, 1040.0 * r, quadrantText(QuadrantText::TemporalSymmetric));
  }
  if (localNotes) {
    w.label(460.0 * r, 1200.0 * r, quadrantText(QuadrantText::LocalSymmetric));
    w.label(460.0 * r, 1000.0 * r, quadrantText(QuadrantText::OneScale));
  }
  w.endPage(PageEnd::PenAway);
  return {};
}

PlotOutcome plotQuadrantDial(HpglWriter& w, const DesignState& d) {
  switch (d.quadrantVariant) {
    case 1: return plotHabermel(w, d, 1, d.habermelGnomonLength);
    case 2: return plotHabermel(w, d, 2, d.habermelGnomonLength);
    default: return d.zodiacScale == 2 ? plotGunterQuadrant(w, d, d.quadrantSize) : plotQuadrantPage(w, d);
  }
}

}  // namespace tavrel
