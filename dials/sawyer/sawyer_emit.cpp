// The one emitter of the Sawyer dial and its screen, printer and plot
// entry points: page placement, fonts and the information block; the
// lines come from computeSawyerDial.
#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/sawyer/sawyer_dial.h"
#include "dials/sawyer/sawyer_texts.h"
#include "plot/label_space.h"
#include "plot/symbol_font.h"
#include "dials/sawyer/sawyer_labels.h"

namespace tavrel {

namespace {

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kDarkBlue = 0x800000;  // 0x00BBGGRR
constexpr int kPlotRedPen = 2;          // the plot's pen for red texts
constexpr int kPlotBluePen = 5;         // ... and for dark-blue ones

long long rnd(double x) { return roundHalfEven(x); }

// First day of each sign, Aries .. Pisces (month, day): the dates the
// sun enters the signs in the years around 2000 (Meeus, 2nd ed., ch. 27,
// equinoxes and solstices; the other signs at 30-degree steps of
// longitude).
constexpr int kSignStart[12][2] = {{3, 21}, {4, 20}, {5, 21}, {6, 21}, {7, 23}, {8, 23},
                                   {9, 23}, {10, 23}, {11, 22}, {12, 22}, {1, 20}, {2, 19}};

// Draws texts on the picture or printer page with their own font, or as
// plot labels.
class TextOut {
 public:
  TextOut(PlotSurface& s, const SawyerPlacement& p) : s_(s), p_(p) {}

  void text(double x, double y, const std::string& t, double height, bool bold, Colour colour,
            bool symbols = false) {
    if (t.empty()) return;
    if (p_.canvas) {
      Font f = p_.canvas->font();
      const Font old = f;
      f.face = symbols ? kSymbolFace : "Arial";
      f.height = height;
      f.weight = bold ? kFontWeightBold : kFontWeightNormal;
      f.angle = 0;
      f.colour = colour < 0 ? p_.textColour : colour;
      p_.canvas->setFont(f);
      p_.canvas->text(x, y, t);
      p_.canvas->setFont(old);
      return;
    }
    const int pen = colour == kRed ? kPlotRedPen : colour == kDarkBlue ? kPlotBluePen : 4;
    if (pen != pen_) {
      s_.selectPen(pen);
      pen_ = pen;
    }
    if (height != height_) {
      const double cm = height / p_.unitsPerCm;
      s_.setCharSize(0.65 * cm, cm);
      height_ = height;
    }
    if (symbols && p_.plotSymbolSet) p_.plotSymbolSet(true);
    s_.label(x, y, asciiUmlauts(t));
    if (symbols && p_.plotSymbolSet) p_.plotSymbolSet(false);
  }

  // Plot: the pen of the texts is selected again after lines.
  void forget() { pen_ = -1; }

  // A label beside a line: written where it stays clear of the labels
  // already written (as placed, else moved beside or above or below it by
  // its own size), or left out.
  void label(double x, double y, const std::string& t, double height, bool bold, Colour colour,
             bool symbols = false) {
    const double n = static_cast<double>(utf8Length(t));
    const double w = (p_.canvas ? kAverageAdvanceEm : 0.65 * 1.5) * height * n;
    const double h = p_.canvas ? kLineHeightEm * height : height;
    const double side = w + 0.3 * height, up = 1.2 * height;
    const std::array<double, 2> offsets[] = {{0, 0}, {side, 0}, {-side, 0}, {0, up}, {0, -up}};
    const int k = space_.claimFirst(LabelBox::of(x, y, w, h), offsets);
    if (k >= 0) text(x + offsets[k][0], y + offsets[k][1], t, height, bold, colour, symbols);
  }

 private:
  PlotSurface& s_;
  const SawyerPlacement& p_;
  int pen_ = -1;
  double height_ = -1;
  LabelSpace space_{LabelBox{-1e300, -1e300, 1e300, 1e300}};
};

// A run on the screen or printer page, whose points are whole units: the
// date lines are sampled finer than a unit, so most steps stay on the same
// point or go on in the same direction. Such points add nothing to the
// round-capped, round-joined polyline and are left out (the same line,
// with the same dash pattern, in a third of the calls); a run on one
// point keeps its one step. The plot keeps every point.
template <class FX, class FY>
void pixelPolyline(PlotSurface& s, const std::vector<SawyerRayPoint>& run, const FX& X, const FY& Y) {
  double ax = X(run.front().x), ay = Y(run.front().y);  // the last point drawn to
  double bx = 0, by = 0;                                  // the pending point
  bool pending = false;
  s.moveTo(ax, ay);
  for (std::size_t i = 1; i < run.size(); ++i) {
    const double nx = X(run[i].x), ny = Y(run[i].y);
    if (!pending || (bx == ax && by == ay)) {
      bx = nx;
      by = ny;
      pending = true;
      continue;
    }
    if (nx == bx && ny == by) continue;
    const double ux = bx - ax, uy = by - ay, vx = nx - bx, vy = ny - by;
    if (ux * vy - uy * vx == 0 && ux * vx + uy * vy > 0) {
      bx = nx;
      by = ny;
      continue;
    }
    s.lineTo(bx, by);
    ax = bx;
    ay = by;
    bx = nx;
    by = ny;
  }
  if (pending) s.lineTo(bx, by);
  s.penUp();
}

}  // namespace

std::string sawyerTropicsText(int language) {
  return tableText(TextTable::Texts, sawyerTextRow::kTropics, language);
}

void drawZodiacLegend(PlotSurface& s, bool screenMode, double x, double y, double lineHeight,
                      const SawyerPlacement& p) {
  (void)screenMode;
  TextOut out(s, p);
  const double down = p.yUp ? -1 : 1;
  for (int i = 0; i < 12; ++i) {
    const double row = y + down * 2.2 * lineHeight * i;
    out.text(x, row, std::string(1, static_cast<char>(94 + i)), p.symbolHeight, false, -1, true);
    const std::string name = tableText(TextTable::PoleStyle, poleStyleRow::kZodiacFirst + i);
    const std::string range = std::to_string(kSignStart[i][1]) + ". " + monthName(kSignStart[i][0]);
    out.text(x + 1.6 * p.symbolHeight, row, "= " + name + "  (" + range + " -)", p.textHeight, false, -1);
  }
  // Without a symbol font the signs show as letters: the picture says so.
  if (p.canvas && !fontInstalled(kSymbolFace)) {
    const double below = y + down * 2.2 * lineHeight * 12;
    out.text(x, below, messageText(60), p.textHeight, false, kRed);
    out.text(x, below + down * 1.3 * p.textHeight, messageText(61), p.textHeight, false, kRed);
  }
}

void emitSawyerDial(PlotSurface& s, const SawyerDial& dial, const SawyerDialInput& in,
                    const SawyerPlacement& p) {
  TextOut out(s, p);
  const double up = p.yUp ? 1 : -1;  // target y of one unit upwards
  const auto X = [&](double x) { return p.canvas ? p.x0 + static_cast<double>(rnd(x)) : p.x0 + x; };
  const auto Y = [&](double y) { return p.canvas ? p.y0 + up * static_cast<double>(rnd(y)) : p.y0 + up * y; };

  // Within the tropics: the refusal, in English and in German.
  if (dial.tropicsRefused) {
    out.text(p.refusalX, p.refusalY1, sawyerTropicsText(2), p.refusalHeight, true, -1);
    out.text(p.refusalX, p.refusalY2, sawyerTropicsText(1), p.refusalHeight, true, -1);
    return;
  }
  if (dial.obliquityRefused) return;

  // Gnomon mark at O and the bars that show the gnomon's length.
  const double th = p.textHeight;
  const double b = static_cast<double>(rnd(th / 2));
  s.selectPen(4);
  if (p.writeWidths) s.setPenWidth(1);
  s.circle(p.x0, p.y0, b, p.canvas ? 0 : 0.2);  // the plot: ";CI r ,0.2"
  s.moveTo(p.x0 - b, p.y0);
  s.lineTo(p.x0 + b, p.y0);
  s.moveTo(p.x0, p.y0 - b);
  s.lineTo(p.x0, p.y0 + b);
  s.penUp();
  const double u = p.u;
  s.moveTo(p.barX, p.barY);
  s.lineTo(p.barX, p.barY + up * u);
  s.lineTo(p.barX + b, p.barY + up * u);
  s.moveTo(p.barX, p.barY);
  s.lineTo(p.barX + u, p.barY);
  s.lineTo(p.barX + u, p.barY + up * b);
  s.penUp();
  const double above = static_cast<double>(rnd(1.5 * b));
  s.moveTo(p.x0 - u / 2, p.y0 + up * (above + b));
  s.lineTo(p.x0 - u / 2, p.y0 + up * above);
  s.lineTo(p.x0 + u / 2, p.y0 + up * above);
  s.lineTo(p.x0 + u / 2, p.y0 + up * (above + b));
  s.penUp();
  out.text(p.barX + b, p.barY - up * static_cast<double>(rnd(b / 2)),
           tableText(TextTable::Texts, sawyerTextRow::kGnomonLabel) + fixedText(p.gnomonMm, 5, 0) + " mm",
           th, false, -1);
  drawZodiacLegend(s, p.screen, p.legendX, p.legendY, th, p);

  // Hour lines, date lines and the date scale.
  for (const SawyerLine& line : dial.lines) {
    s.selectPen(line.pen);
    const int w = line.kind == SawyerLineKind::DateScale ? 1 : p.lineWidth + (line.wide ? p.wideExtra : 0);
    if (p.writeWidths) s.setPenWidth(w);
    for (const auto& run : line.runs) {
      if (run.size() < 2) continue;
      if (p.canvas) {
        pixelPolyline(s, run, X, Y);
        continue;
      }
      s.moveTo(X(run.front().x), Y(run.front().y));
      for (std::size_t i = 1; i < run.size(); ++i) s.lineTo(X(run[i].x), Y(run[i].y));
      s.penUp();
    }
  }
  out.forget();
  if (p.writeWidths) s.setPenWidth(1);

  // Hour numbers, the zodiac symbols at the noon line.
  for (const SawyerLabel& l : dial.labels)
    out.label(X(l.x), Y(l.y), l.text, th, true, l.red ? kRed : -1);
  for (const SawyerSymbol& sym : dial.symbols)
    out.label(X(sym.x), Y(sym.y), std::string(1, sym.code), p.symbolHeight, false, sym.red ? kRed : -1, true);

  // Reading directions of the mean-time dials.
  if (in.timeMode == 2 || in.timeMode == 3) {
    for (int i = 0; i < 2; ++i) {
      const double yy = Y((3 - i) * th);
      out.text(X(-dial.scaleB), yy, loadString(612 + i), th, false, kRed);
      out.text(X(dial.scaleB - 7.5 * th), yy, loadString(610 + i), th, false, kDarkBlue);
    }
  }

  // The information block.
  double ty = p.textY;
  out.text(p.textX, ty, tableText(TextTable::Labels, labelRow::kSawyerFamily), p.titleHeight, true, -1);
  ty -= up * 1.4 * p.titleHeight;
  std::string timeSystem;
  if (in.timeMode == 1 || (in.timeMode == 0 && in.zoneTime)) {
    timeSystem = tableText(TextTable::Texts, textRow::kApparentTimeZoneMeridian);
    if (!timeSystem.empty()) timeSystem.erase(0, 1);
  } else if (in.timeMode >= 2) {
    timeSystem = loadString(498);
  } else {
    timeSystem = loadString(497);
  }
  const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
  const std::string lines[] = {
      timeSystem,
      tableText(TextTable::Texts, textRow::kLatitudeIs) + fixedText(in.latitude, 6, 2) + deg +
          tableText(TextTable::Texts, textRow::kLongitudeIs) + fixedText(in.longitude, 6, 2) + deg,
      loadString(165) + " = " + fixedText(in.lineAngle, 5, 2) + " " + loadString(100),
      loadString(166) + " = " + fixedText(p.centreMm, 5, 1)};
  for (const std::string& t : lines) {
    out.text(p.textX, ty, t, p.infoHeight, false, -1);
    ty -= up * 1.3 * p.infoHeight;
  }

  if (dial.fragmentary && p.screen)
    out.text(p.refusalX, p.fragmentaryY, loadString(200), 18, true, kRed);
}

namespace {

// The design's gnomon and centre as the target draws them.
struct Scale {
  double u = 0, C = 0;
};

}  // namespace

SawyerDialInput sawyerInputFromDesign(const DesignState& d, double u, double C, double textHeight,
                                      double symbolHeight, double farLimit) {
  SawyerDialInput in;
  in.latitude = d.latitude;
  in.longitude = d.longitude;
  in.zoneMeridian = d.zoneMeridian;
  // The mode chosen on the parameter page decides; the switches derived
  // from it are shared with other dials and may lag behind it. Mode 4,
  // which settings files may hold, has no lines of its own: local time.
  in.timeMode = d.sawyerTimeMode <= 3 ? d.sawyerTimeMode : 0;
  in.zoneTime = in.timeMode == 1;
  in.u = u;
  in.C = C;
  in.lineAngle = d.sawyerLineAngle;
  in.obliquity = d.obliquityRounded;
  in.parts = std::clamp(d.otherHourInterval - '0', 0, 9);
  in.datesPerSign = std::clamp(d.dateLineMode - '0', 0, 2);
  in.eotTable = &d.eotSeriesTable;
  in.textHeight = textHeight;
  in.symbolHeight = symbolHeight;
  in.farLimit = farLimit;
  return in;
}

void drawSawyerDial(ScreenSurface& s, const DesignState& d, int W, int H, bool screenMode, double g,
                    double z, double footX, double footY, bool footSet, double textX, double textY) {
  const int left = s.leftOffset(), top = s.topOffset();
  SawyerPlacement p;
  p.canvas = &s.canvas();
  p.textColour = s.penColour(4);
  p.screen = screenMode;
  p.textHeight = screenMode ? 16 : 30;
  p.symbolHeight = screenMode ? 16 : 36;
  p.titleHeight = screenMode ? 25 : 50;
  p.infoHeight = screenMode ? 15 : 28;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  p.wideExtra = screenMode ? 1 : 2;
  p.refusalX = W / 5;
  p.refusalY1 = H / 5;
  p.refusalY2 = H / 7;
  p.refusalHeight = 16;
  Scale sc;
  if (screenMode) {
    sc.u = static_cast<double>(rnd(static_cast<double>(rnd(W * g / 305)) * z));
    sc.C = W * (d.sawyerCentre * z) / 305;
  } else {
    sc.u = static_cast<double>(rnd(static_cast<double>(rnd(10 * g)) * z));
    sc.C = 10 * d.sawyerCentre * z;
  }
  p.u = sc.u;
  p.gnomonMm = g * z;
  p.centreMm = d.sawyerCentre * z;
  const SawyerDialInput in = sawyerInputFromDesign(d, sc.u, sc.C, p.textHeight, p.symbolHeight, 10000);
  const SawyerDial dial = computeSawyerDial(in);

  double x0 = footX, y0 = footY;
  if (!footSet || x0 == 0 || y0 == 0) {
    x0 = W / 2 + left;
    y0 = H / 5 + top;
  }
  if (!screenMode) {
    const double fan = d.sawyerLineAngle * dial.longestHalfDayHours;
    if (fan < 89.9)
      x0 = std::min<double>(x0, static_cast<double>(rnd(W - std::tan(radians(fan)) * 10 *
                                                            d.sawyerCentre * z + left - 30)));
    y0 -= static_cast<double>(rnd(p.textHeight / 2));
  }
  p.x0 = x0;
  p.y0 = y0;
  const double b = static_cast<double>(rnd(p.textHeight / 2));
  p.barX = left + 20;
  p.barY = top + H - 3 * b;
  p.textX = textX + 20;
  p.textY = textY + 10;
  p.legendX = left + 20;
  p.legendY = top + H / 3.0;
  p.fragmentaryY = static_cast<double>(rnd(0.6 * p.textHeight)) + top + 10;
  emitSawyerDial(s, dial, in, p);
}

PlotOutcome writeSawyerPlot(HpglWriter& w, const DesignState& d, double footX, double footY, double textX,
                            double textY, double zoom) {
  const int R = w.resolutionFactor();
  const double perMm = static_cast<double>(kPlotUnitsPerMm) * R;
  SawyerPlacement p;
  p.canvas = nullptr;
  p.yUp = true;
  p.screen = false;
  p.unitsPerCm = 10 * perMm;
  p.textHeight = 3.5 * perMm;
  p.symbolHeight = 4 * perMm;
  p.titleHeight = 6 * perMm;
  p.infoHeight = 3.5 * perMm;
  p.writeWidths = false;
  p.u = zoom * d.gnomonLength * perMm;
  p.gnomonMm = d.gnomonLength * zoom;
  p.centreMm = d.sawyerCentre * zoom;
  p.refusalX = 3000.0 * R;
  p.refusalY1 = 8000.0 * R;
  p.refusalY2 = 8600.0 * R;
  p.refusalHeight = 5 * perMm;
  p.plotSymbolSet = [&w](bool on) { w.selectSymbolSet(on); };
  const SawyerDialInput in =
      sawyerInputFromDesign(d, p.u, d.sawyerCentre * zoom * perMm, p.textHeight, p.symbolHeight, 1000 * perMm);
  const SawyerDial dial = computeSawyerDial(in);
  // No dial near the tropics: the picture writes why, the plot says it.
  if (dial.tropicsRefused || dial.obliquityRefused)
    return PlotRefusal{MsgCaption::Error, MsgIcon::Error, sawyerTropicsText(d.language)};
  p.x0 = footX;
  p.y0 = footY;
  p.barX = 500.0 * R;
  p.barY = 600.0 * R;
  p.textX = textX;
  p.textY = textY;
  p.legendX = 500.0 * R;
  p.legendY = 7000.0 * R;
  w.writeStandardPrologue();
  emitSawyerDial(w, dial, in, p);
  w.selectPen(3);
  w.endPage(PageEnd::WindowReset);
  return {};
}

}  // namespace tavrel
