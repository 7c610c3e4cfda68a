// The one emitter of the azimuthal dial and its screen, printer and plot
// entry points: placement, texts and messages; the geometry comes from
// computeAzimuthalDial.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "plot/hpgl_writer.h"
#include "plot/label_space.h"
#include "plot/page_constants.h"

namespace tavrel {

namespace {

constexpr Colour kRed = 0x0000FF;  // Windows COLORREF order: 0x00BBGGRR

bool isCurve(AzimuthLineKind k) {
  return k != AzimuthLineKind::Frame && k != AzimuthLineKind::Spoke && k != AzimuthLineKind::Horizon;
}

std::size_t codePoints(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

std::string zodiacGlyph(int sign) {
  const char32_t c = 0x2648 + static_cast<char32_t>(sign);  // U+2648 Aries .. U+2653 Pisces
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

}  // namespace

void emitAzimuthalDial(PlotSurface& s, const AzimuthalDial& dial, const AzimuthalPlacement& p) {
  const auto X = [&p](double x) { return p.cx + x; };
  const auto Y = [&p](double y) { return p.yUp ? p.cy + y : p.cy - y; };
  const auto penOf = [&p](int screenPen, int plotPen) { return p.plotPens ? plotPen : screenPen; };
  int width = -1;
  const auto widthFor = [&](int w, bool force) {
    if ((p.writeWidths || force) && w != width) {
      s.setPenWidth(w);
      width = w;
    }
  };

  // Circles: the plate, date circles, altitude circles.
  for (const AzimuthCircle& c : dial.circles) {
    if (!(c.r > 0)) continue;
    const bool frameLike = c.screenPen == 4;
    widthFor(frameLike ? (p.plotPens ? p.lineWidth : 1) : p.lineWidth + c.extraWidth, false);
    s.selectPen(penOf(c.screenPen, c.plotPen));
    if (!(p.plotPens && c.dayArc)) {
      s.circle(X(0), Y(0), c.r);
      continue;
    }
    // The plot draws a date circle as the arc the shadow sweeps from
    // sunrise to sunset (through the noon direction), and for the 1st of a
    // month the rest of it as well.
    double span = c.setAzimuth - c.riseAzimuth;
    // The shadow turns through south (north of the equator) or north.
    if (dial.latitude >= 0) {
      while (span <= 0) span += 360;
    } else {
      while (span >= 0) span -= 360;
    }
    if (c.setAzimuth == c.riseAzimuth) span = 0;
    const double sign = p.yUp ? -1 : 1;
    const auto start = [&](double az) {
      s.moveTo(X(-c.r * std::sin(az * kRadPerDeg)), Y(-c.r * std::cos(az * kRadPerDeg)));
    };
    if (span != 0) {
      start(c.riseAzimuth);
      s.arc(X(0), Y(0), sign * span);
      s.penUp();
    }
    if (c.complementary && std::fabs(span) < 360) {
      start(c.setAzimuth);
      s.arc(X(0), Y(0), sign * ((span >= 0 ? 360 : -360) - span));
      s.penUp();
    }
  }

  // Lines.
  bool dashed = false;
  for (const AzimuthLine& l : dial.lines) {
    if (l.points.size() < 2) continue;
    const bool dateLine = p.plotPens && (l.kind == AzimuthLineKind::DateLine || l.kind == AzimuthLineKind::Sunshine);
    if (dateLine) widthFor(l.kind == AzimuthLineKind::Sunshine || l.extraWidth ? 1 : 0, true);
    else widthFor(isCurve(l.kind) ? p.lineWidth + l.extraWidth : (p.plotPens ? p.lineWidth : 1), false);
    const bool wantDashed = p.plotPens && l.kind == AzimuthLineKind::Spoke;
    if (wantDashed != dashed) {
      s.setLineType(wantDashed);
      dashed = wantDashed;
    }
    s.selectPen(penOf(l.screenPen, l.plotPen));
    s.moveTo(X(l.points[0].x), Y(l.points[0].y));
    for (std::size_t i = 1; i < l.points.size(); ++i) s.lineTo(X(l.points[i].x), Y(l.points[i].y));
    s.penUp();
  }
  if (dashed) s.setLineType(false);
  widthFor(p.plotPens ? p.lineWidth : 1, false);

  // Labels, centred on their points; one that would cover a label already
  // written moves outwards from the centre by half heights, or is left out.
  const double h = p.labelHeight;
  const double boxHeight = p.labelBoxHeight > 0 ? p.labelBoxHeight : h;
  LabelSpace space(LabelBox{-1e300, -1e300, 1e300, 1e300});
  for (const AzimuthLabel& label : dial.labels) {
    AzimuthLabel l = label;
    std::string text = l.text;
    bool glyph = false;
    if (l.role == AzimuthLabelRole::Zodiac && l.zodiacSign >= 0) {
      if (p.plotPens) text = asciiUmlauts(tableText(TextTable::PoleStyle, 12 + l.zodiacSign)).substr(0, 3);
      else if (p.zodiacFont) text = zodiacGlyph(l.zodiacSign), glyph = true;
      else text = std::string(1, static_cast<char>('^' + l.zodiacSign));
    }
    if (p.plotPens) text = asciiUmlauts(text);
    const double n = static_cast<double>(codePoints(text));
    const double w = (p.labelAdvance > 0 ? p.labelAdvance : 0.6 * h) * n;
    double left = l.x - w / 2;
    // The compass names beside the plate grow outwards from their inner
    // edge, which the geometry sets clear of the azimuth numbers.
    if (l.role == AzimuthLabelRole::Compass && l.y == 0 && l.x != 0)
      left = l.x > 0 ? l.x - 0.4 * h * n : l.x + 0.4 * h * n - w;
    const double r = std::hypot(l.x, l.y);
    const double ux = r > 0 ? l.x / r : 0, uy = r > 0 ? l.y / r : 0;
    int step = 0;
    for (; step <= 3; ++step) {
      const double dx = step * 0.5 * h * ux, dy = step * 0.5 * h * uy;
      if (space.claim({left + dx, l.y + dy - boxHeight / 2, left + dx + w, l.y + dy + boxHeight / 2})) break;
    }
    if (step > 3) continue;
    left += step * 0.5 * h * ux;
    l.y += step * 0.5 * h * uy;
    s.selectPen(penOf(l.screenPen, l.plotPen));
    if (p.screen) {
      ScreenSurface& ss = *p.screen;
      ss.setCharSize(h / (10 * ss.unitsPerMm()), h / (10 * ss.unitsPerMm()));
      const std::string face = ss.fontFace();
      if (glyph) ss.setFontFace("Wingdings");
      s.label(X(left), Y(l.y + h / 2), text);
      if (glyph) ss.setFontFace(face);
    } else {
      s.label(X(left), Y(l.y - h / 2), text);
    }
  }
}

namespace {

// ---- screen and printer -------------------------------------------------------------

struct Page {
  int x0 = 0, y0 = 0;  // page offsets
  int W = 0, H = 0;    // picture size
  bool printer = false;
};

// Units per millimetre of the plate: on the printer page (0.1 mm, H the
// page height) true size on the 210 mm high landscape sheet; the picture
// shows that sheet, its height standing for the 210 mm, so that the plate
// fits the window as it fits the page.
double unitsPerMmOf(int height) { return height / 210.0; }

// R = H plate / 210 / 2.
double plateRadius(int height, double basePlateMm) { return unitsPerMmOf(height) * basePlateMm / 2; }

// The height of the sheet within a picture of width x height (297 x 210 mm).
int sheetHeight(int width, int height) { return std::min(height, width * 210 / 297); }

// The picture's text heights are those of a drawing at 10 pixels per
// millimetre, scaled with the drawing.
double screenTextScale(int width, int height) { return unitsPerMmOf(sheetHeight(width, height)) / 10; }

void writeText(ScreenSurface& s, double x, double y, const std::string& text, double height, bool bold,
               Colour colour) {
  Canvas& c = s.canvas();
  Font f = c.font();
  const Font old = f;
  f.colour = colour;
  c.setFont(f);
  rotatedText(s, x, y, text, bold ? 700 : 400, height, 0);
  c.setFont(old);
}

void frame(ScreenSurface& s, const Page& pg) {
  s.selectPen(4);
  s.setPenWidth(1);
  s.moveTo(pg.x0, pg.y0);
  s.lineTo(pg.x0 + pg.W - 1, pg.y0);
  s.lineTo(pg.x0 + pg.W - 1, pg.y0 + pg.H - 1);
  s.lineTo(pg.x0, pg.y0 + pg.H - 1);
  s.lineTo(pg.x0, pg.y0);
  s.penUp();
}

// The information block at one twenty-fifth of the picture's width and
// height, the note near the lower left corner.
void screenTexts(ScreenSurface& s, const Page& pg, const AzimuthalDial& dial) {
  const Colour c = s.penColour(4);
  const double k = pg.printer ? 1 : screenTextScale(pg.W, pg.H);
  const double titleH = pg.printer ? 20 : 45 * k, textH = pg.printer ? 14 : 35 * k;
  const double x = pg.x0 + pg.W / 25.0;
  double y = pg.y0 + pg.H / 25.0;
  writeText(s, x, y, dial.title, titleH, true, c);
  y += 1.4 * titleH;
  for (const std::string* t : {&dial.latitudeLine, &dial.timeLine, &dial.diameterLine, &dial.extraLine}) {
    if (t->empty()) continue;
    writeText(s, x, y, *t, textH, false, c);
    y += 1.3 * textH;
  }
  double by = pg.y0 + pg.H - 2.5 * textH;
  // Without the symbol font the zodiac signs show as plain letters:
  // messages 60 and 61 say so in the picture.
  if (dial.zodiacSymbols && !fontInstalled("Wingdings")) {
    const std::string msg = messagePair(60, 61);
    std::size_t start = 0;
    std::vector<std::string> parts;
    while (start <= msg.size()) {
      const std::size_t cut = msg.find_first_of("\r\n", start);
      const std::string part = msg.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
      if (!part.empty()) parts.push_back(part);
      if (cut == std::string::npos) break;
      start = cut + 1;
    }
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
      writeText(s, x, by, *it, textH, false, kRed);
      by -= 1.3 * textH;
    }
  }
  if (dial.lowLatitude) {
    writeText(s, x, by, messageText(49), textH, true, c);
    by -= 1.5 * textH;
  }
  writeText(s, x, by, dial.note, 1.1 * textH, false, kRed);
  by -= 1.6 * textH;
  if (dial.mode == 0) {
    for (int i = 1; i >= 0; --i) {
      const std::string& t = i == 0 ? dial.legendFirst : dial.legendMiddle;
      const int pen = i == 0 ? 7 : 6;
      s.selectPen(pen);
      s.setPenWidth(std::max(1, s.pens().lineWidth) + (i == 0 ? 1 : 0));
      s.moveTo(x, by + 0.6 * textH);
      s.lineTo(x + 2 * textH, by + 0.6 * textH);
      s.penUp();
      writeText(s, x + 2.4 * textH, by, t, textH, false, c);
      by -= 1.3 * textH;
    }
    s.setPenWidth(1);
  }
}

AzimuthalPlacement screenPlacement(ScreenSurface& s, double labelHeight) {
  AzimuthalPlacement p;
  p.screen = &s;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  p.labelHeight = labelHeight;
  p.zodiacFont = fontInstalled("Wingdings");
  return p;
}

Page pageOf(ScreenSurface& s, int width, int height, bool printer) {
  Page pg;
  pg.printer = printer;
  pg.x0 = s.leftOffset();
  pg.y0 = s.topOffset();
  // The printed frame is that of the printable area at its offsets.
  pg.W = printer ? s.page().printableWidth : width;
  pg.H = printer ? s.page().printableHeight : height;
  return pg;
}


}  // namespace

AzimuthalInput azimuthalScreenInput(const DesignState& d, int width, int height, bool printer) {
  const double textScale = printer ? 1 : screenTextScale(width, height);
  height = printer ? PrinterPage{}.pageHeight : sheetHeight(width, height);
  AzimuthalInput in;
  in.mode = d.azimuthDialKind == 1 ? 1 : 0;
  in.plateRadius = plateRadius(height, d.azimuthBasePlate);
  in.dayStep = in.plateRadius / 480 * 365 / 410;
  in.textHeight = printer ? 14 : 33 * textScale;
  // The dome's v: half the plate diameter less two text heights (the
  // text height taken in tenths of a millimetre on the screen), R0 on paper.
  in.domeV = printer ? 0
                     : std::max(0.0, (d.azimuthBasePlate - 2 * 33.0 / 10) * unitsPerMmOf(height) / 2);
  return in;
}

AzimuthalInput azimuthalPlotInput(const DesignState& d, int r) {
  AzimuthalInput in;
  in.mode = d.azimuthDialKind == 1 ? 1 : 0;
  if (in.mode == 0) r = 1;
  in.plateRadius = d.azimuthBasePlate * 40 / 2 * r;
  in.dayStep = std::round(in.plateRadius * 0.75 / 410);
  in.textHeight = 96.0 * r;
  in.domeV = 0;
  return in;
}

void drawAzimuthDateDial(ScreenSurface& s, const DesignState& d, int width, int height, bool printer,
                         const SkyOutline* horizon) {
  AzimuthalInput in = azimuthalScreenInput(d, width, height, printer);
  in.mode = 0;
  in.horizon = horizon;
  const AzimuthalDial dial = computeAzimuthalDial(d, in);
  const Page pg = pageOf(s, width, height, printer);
  if (dial.refused) {
    const Colour c = s.penColour(4);
    const double th = printer ? 20 : 30;
    writeText(s, pg.x0 + pg.W / 10.0, pg.y0 + pg.H / 2.0 - 1.5 * th, dial.refusal1, th, true, c);
    writeText(s, pg.x0 + pg.W / 6.0, pg.y0 + pg.H / 2.0, dial.refusal2, th, true, c);
    writeText(s, pg.x0 + pg.W / 25.0, pg.y0 + pg.H / 25.0, dial.title, printer ? 20 : 45, true, c);
    return;
  }
  const int m = printer ? 0 : 50;
  const double w = width - m, h = height - m;
  AzimuthalPlacement p = screenPlacement(s, 12 * dial.dayStep);
  p.cx = pg.x0 + std::round(0.57 * w) + m;
  p.cy = pg.y0 + h / 2 + m - std::round(10 * dial.dayStep);
  frame(s, pg);
  emitAzimuthalDial(s, dial, p);
  screenTexts(s, pg, dial);
}

void drawAzimuthAltitudeDial(ScreenSurface& s, const DesignState& d, int width, int height, bool printer,
                             const SkyOutline* horizon) {
  AzimuthalInput in = azimuthalScreenInput(d, width, height, printer);
  in.mode = 1;
  in.horizon = horizon;
  const AzimuthalDial dial = computeAzimuthalDial(d, in);
  const Page pg = pageOf(s, width, height, printer);
  const int m = printer ? 0 : 50;
  AzimuthalPlacement p = screenPlacement(s, 0.6 * in.textHeight);
  p.cx = pg.x0 + std::round(0.57 * (width - m)) + m;
  const bool fits = 2 * in.plateRadius + in.textHeight <= height;
  const double shift = fits || printer ? in.textHeight / 2 : 0;
  p.cy = pg.y0 + height / 2.0 + (dial.latitude >= 0 ? -shift : shift);
  frame(s, pg);
  emitAzimuthalDial(s, dial, p);
  screenTexts(s, pg, dial);
}

// ---- plot ---------------------------------------------------------------------------

namespace {

void plotTexts(HpglWriter& w, const AzimuthalDial& dial, int r, bool altitude) {
  w.selectPen(1);
  if (altitude) w.setCharSize(0.28, 0.42);
  else w.setCharSize(0.3, 0.4);
  w.label(200.0 * r, 10500.0 * r, dial.title);
  if (altitude) w.setCharSize(0.16, 0.24);
  else w.setCharSize(0.15, 0.24);
  double y = 10300;
  for (const std::string* t : {&dial.latitudeLine, &dial.timeLine, &dial.diameterLine, &dial.extraLine}) {
    if (t->empty()) continue;
    w.label(200.0 * r, y * r, *t);
    y -= 200;
  }
}

AzimuthalPlacement plotPlacement(const AzimuthalDial& dial, int r, int plotLineWidth) {
  AzimuthalPlacement p;
  p.yUp = true;
  p.plotPens = true;
  p.cx = 7300.0 * r;
  p.cy = 5300.0 * r;
  p.writeWidths = plotLineWidth != 1;
  p.lineWidth = std::max(0, plotLineWidth - 1);
  p.labelHeight = dial.mode == 0 ? 12 * dial.dayStep : 58.0 * r;
  // The plotter advances one and a half character widths (SI 0.15 and
  // 0.14 cm, 400 units per cm).
  p.labelAdvance = dial.mode == 0 ? 1.5 * 0.15 * 400 : 1.5 * 0.14 * 400 * r;
  p.labelBoxHeight = dial.mode == 0 ? 0.24 * 400 : 0.23 * 400 * r;
  return p;
}

}  // namespace

PlotOutcome plotAzimuthDateDial(HpglWriter& w, const DesignState& d) {
  AzimuthalInput in = azimuthalPlotInput(d, 1);
  in.mode = 0;
  const AzimuthalDial dial = computeAzimuthalDial(d, in);
  if (dial.refused) return temporalHoursRefusal();
  const int saved = w.resolutionFactor();
  w.setResolutionFactor(1);  // the date-circle plot is written at one unit = 0.025 mm
  w.beginPage(PageStart::Plain);
  AzimuthalPlacement p = plotPlacement(dial, 1, d.plotLineWidth);
  w.setCharSize(0.15, 0.24);
  emitAzimuthalDial(w, dial, p);
  plotTexts(w, dial, 1, false);
  w.endPage(PageEnd::PenAwayTight);
  w.setResolutionFactor(saved);
  return {};
}

PlotOutcome plotAzimuthAltitudeDial(HpglWriter& w, const DesignState& d, const SkyOutline* horizon) {
  const int r = w.resolutionFactor();
  AzimuthalInput in = azimuthalPlotInput(d, r);
  in.mode = 1;
  in.horizon = horizon;
  const AzimuthalDial dial = computeAzimuthalDial(d, in);
  w.writeStandardPrologue();
  AzimuthalPlacement p = plotPlacement(dial, r, d.plotLineWidth);
  w.setCharSize(0.14, 0.23);
  emitAzimuthalDial(w, dial, p);
  plotTexts(w, dial, r, true);
  w.endPage(PageEnd::PenAway);
  return {};
}

}  // namespace tavrel
