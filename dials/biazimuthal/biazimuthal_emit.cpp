// The bi-azimuthal dial on the picture, the printer page and the plot: the
// lines of biazimuthal_geometry.cpp scaled by the projection distance L
// and placed at the gnomon foot, with the markers, texts and world map.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/biazimuthal/biazimuthal_dial.h"
#include "dials/planar/planar_plot.h"
#include "dials/world_map/world_outline.h"
#include "plot/page_constants.h"
#include "plot/target_placement.h"

namespace tavrel {

namespace {

std::string titleText() {
  const std::string t = loadString(202);
  return t.size() > 1 ? t.substr(1, 40) : std::string();
}

// Messages 65 and 66 on two lines (problem caption, information icon):
// foci more than 160 degrees apart have no projection centre.
PlotRefusal fociTooFarApart() {
  return {MsgCaption::Problem, MsgIcon::Information, messageText(65) + "\n" + messageText(66)};
}

void tellFociTooFarApart() { showPlotRefusal(fociTooFarApart()); }

// Splits a line into runs: a run starts at a point that `inside` accepts
// and goes on while the next point is inside and `continues` accepts the
// step from the previous one.
template <class Inside, class Continues>
std::vector<std::vector<std::array<double, 2>>> runs(const std::vector<std::array<double, 2>>& pts,
                                                     Inside inside, Continues continues) {
  std::vector<std::vector<std::array<double, 2>>> out;
  bool open = false;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const bool in = inside(pts[i]);
    if (open && in && continues(pts[i - 1], pts[i])) {
      out.back().push_back(pts[i]);
      continue;
    }
    open = in;
    if (in) out.push_back({pts[i]});
  }
  return out;
}

// Both coordinates keep their side of the centre (no jump through
// infinity between two samples).
bool sameSide(const std::array<double, 2>& a, const std::array<double, 2>& b, bool bothAxes) {
  return a[0] * b[0] > -50 && (!bothAxes || a[1] * b[1] > -50);
}

double unitsAcross(const DesignState& d) { return d.paperA4 ? kScreenWidthMmA4 : kScreenWidthMmA3; }

// Where the lines, marks and map land on a target. The geometry counts in
// units of the projection distance with y northwards: unitsPerMm holds the
// distance L in target units, the origin is the gnomon foot, and a unit
// point (ux, uy) lands at (x(ux), y(-uy)).
struct BiAzimuthalPlacement : TargetPlacement {
  // A line keeps its points while |x| + |y| of the target point stays
  // below the bound of its kind (the date lines with squareDates: while
  // |x| and |y| each stay below it).
  double dateBound = 0, analemmaBound = 0, hourBound = 0;
  bool squareDates = false;
  bool bothAxesContinue = false;  // a run also ends where y changes side
  bool straightHours = false;     // an hour line from its first to its last point
  bool repeatRunStart = false;    // a run draws to its first point once more
  double markRadius = 0;          // analemma marks, target units
  // The map keeps its points within these half-widths of the centre.
  double mapCentreX = 0, mapCentreY = 0, mapHalfWidth = 0, mapHalfHeight = 0;
  Canvas* screenCanvas = nullptr;  // the picture: marks as red discs
  HpglWriter* plot = nullptr;      // the plot: pens between the kinds, pen circles, its forms
};

// The coast lines and boundaries in the dial's projection (pens 11, 12).
void emitMap(PlotSurface& s, const BiAzimuthalFrame& f, const BiAzimuthalPlacement& p, const DesignState& d) {
  const ParsedOutline& outline = parsedOutline(d.coastlineText);
  std::vector<PlotVertex> v;
  auto pass = [&](bool coast) {
    s.selectPen(coast ? 11 : 12);
    if (p.plot) {
      p.plot->moveTo(0, 0);
      p.plot->setCharSize(0.22, 0.32);
    }
    v.clear();
    appendOutlineVertices(
        outline, coast ? outline.coast() : outline.boundaries(), true, kRadPerDeg,
        [&](double sp, double cp, double lon, double& x, double& y) {
          double ux = 0, uy = 0;
          f.unitPointWithSines(sp, cp, -lon, ux, uy);
          x = p.x(ux);
          y = p.y(-uy);
          return std::isfinite(x) && std::isfinite(y);
        },
        [&](double x, double y) {
          return std::fabs(y - p.mapCentreY) < p.mapHalfHeight && std::fabs(x - p.mapCentreX) < p.mapHalfWidth;
        },
        v);
    s.setCoordinateWidth(8);
    s.setPolylineForm(PolylineForm::Spaced);
    s.polyline(v);
    s.setPolylineForm(PolylineForm::Joined);
    s.setCoordinateWidth(0);
    if (p.plot) p.plot->endCommand();
  };
  if (d.mapFrontiers) pass(false);
  if (d.mapCoastlines) pass(true);
}

// The date lines, the analemmas with their marks and the hour lines.
void emitLines(PlotSurface& s, const BiAzimuthalLines& lines, const BiAzimuthalPlacement& p) {
  std::vector<PlotVertex> v;
  auto draw = [&](const BiAzimuthalLine& l, double bound, bool square, bool straight) {
    std::vector<std::array<double, 2>> rel;  // from the foot, target units
    rel.reserve(l.points.size());
    for (const auto& u : l.points) rel.push_back({p.unitsPerMm * u[0], p.yUp ? p.unitsPerMm * u[1] : -p.unitsPerMm * u[1]});
    s.selectPen(l.pen);
    v.clear();
    for (const auto& run : runs(
             rel,
             [&](const std::array<double, 2>& q) {
               const double x = p.originX + q[0], y = p.originY + q[1];
               return square ? std::fabs(x) < bound && std::fabs(y) < bound : std::fabs(x) + std::fabs(y) < bound;
             },
             [&](const std::array<double, 2>& a, const std::array<double, 2>& b) {
               return sameSide(a, b, p.bothAxesContinue);
             })) {
      v.push_back({p.originX + run[0][0], p.originY + run[0][1], false});
      if (straight) {
        v.push_back({p.originX + run.back()[0], p.originY + run.back()[1], true});
        continue;
      }
      for (std::size_t i = p.repeatRunStart ? 0 : 1; i < run.size(); ++i)
        v.push_back({p.originX + run[i][0], p.originY + run[i][1], true});
    }
    s.setPolylineForm(straight ? PolylineForm::Segments : PolylineForm::Spaced);
    s.polyline(v);
    s.setPolylineForm(PolylineForm::Joined);
  };
  if (p.plot) s.selectPen(8);
  for (const BiAzimuthalLine& l : lines.dates) draw(l, p.dateBound, p.squareDates, false);
  if (p.plot) s.selectPen(6);
  for (const BiAzimuthalLine& l : lines.analemmas) {
    draw(l, p.analemmaBound, false, false);
    if (!l.marked) continue;
    for (const BiAzimuthalMark& mk : lines.marks) {
      const double x = p.x(mk.x), y = p.y(-mk.y);
      const bool shown = std::fabs(x) + std::fabs(y) < p.analemmaBound;
      const double r = p.markRadius;
      if (p.screenCanvas) {
        if (!shown) continue;
        Canvas& c = *p.screenCanvas;
        c.setPen({rgb(255, 0, 0), 1, PenStyle::Solid});
        c.setBrush(mk.first ? Brush{rgb(255, 0, 0), BrushStyle::Solid} : Brush{kWhite, BrushStyle::Clear});
        c.ellipse(x - r, y - r, x + r, y + r);
      } else {
        s.selectPen(mk.first ? 2 : 4);
        if (p.plot) p.plot->endCommand();
        if (shown) s.circle(x, y, r);
      }
    }
    if (p.screenCanvas) {
      p.screenCanvas->setBrush({kWhite, BrushStyle::Clear});
    } else {
      s.selectPen(2);
      if (p.plot) p.plot->endCommand();
    }
  }
  for (const BiAzimuthalLine& l : lines.hours) draw(l, p.hourBound, false, p.straightHours);
}

}  // namespace

void drawBiAzimuthalDial(DialScreenRequest& r, const DesignState& d) {
  ScreenSurface& s = r.surface;
  Canvas& c = s.canvas();
  const bool screen = r.screenMode;
  const int m = screen ? 0 : 50;
  const double Wp = r.width - m, Hp = r.height - m;
  const double x0 = r.footX, y0 = r.footY;
  const double fontHeight = screen ? 16 : 40, cm = screen ? 4 : 16;
  const Colour textColour = s.penColour(4);
  c.setFont({"Arial", fontHeight, kFontWeightNormal, 0, textColour});
  c.setBrush({kWhite, BrushStyle::Clear});
  c.setPen({rgb(128, 128, 128), static_cast<double>(std::max(1, s.pens().lineWidth)), PenStyle::Solid});
  c.rectangle(m, m, Wp, Hp);
  c.setPen({rgb(255, 0, 0), 1, PenStyle::Solid});
  c.moveTo(x0 - 8, y0);
  c.lineTo(x0 + 8, y0);
  c.moveTo(x0, y0 - 8);
  c.lineTo(x0, y0 + 8);
  c.ellipse(x0 - 5, y0 - 5, x0 + 5, y0 + 5);

  const BiAzimuthalFrame f = biAzimuthalFrame(d);
  if (!f.centre.valid()) {
    tellFociTooFarApart();
    return;
  }
  const double L = d.drawingScale * f.k * r.zoomFactor * (screen ? Wp / unitsAcross(d) : 10.0);
  BiAzimuthalPlacement p;
  p.originX = x0;
  p.originY = y0;
  p.unitsPerMm = L;
  p.dateBound = p.hourBound = 20 * r.width;
  p.analemmaBound = 12 * r.width;
  p.repeatRunStart = true;
  p.markRadius = screen ? 2 : 6;
  p.mapCentreX = Wp / 2;
  p.mapCentreY = Hp / 2;
  p.mapHalfWidth = Wp;
  p.mapHalfHeight = Hp;
  p.screenCanvas = &c;
  auto mark = [&](double lat, double lon, double arm, const std::string& text, double tx, double ty) {
    double ux = 0, uy = 0;
    f.unitPoint(lat, lon, ux, uy);
    const double x = p.x(ux), y = p.y(-uy);
    s.selectPen(4);
    c.moveTo(x - arm, y);
    c.lineTo(x + arm, y);
    c.moveTo(x, y - arm);
    c.lineTo(x, y + arm);
    c.rectangle(x - cm, y - cm, x + cm, y + cm);
    // The name only where it stands within the frame.
    const TextSize e = c.textExtent(text);
    if (x + tx >= m && y + ty >= m && x + tx + e.width <= Wp && y + ty + e.height <= Hp) c.text(x + tx, y + ty, text);
  };
  mark(89.999999 * f.s, 0, 8, f.centre.latM < 0 ? " S" : " N", 6, 0);
  mark(f.lat1, f.lon1, 6, "A", cm + 6, cm);
  mark(f.lat2, f.lon2, 8, "B", cm + 6, cm);

  // Title and the three information lines.
  const double titleHeight = static_cast<double>(roundHalfEven(1.6 * fontHeight));
  const double small = screen ? 11 : 30;
  const double line = small * kLineHeightEm;
  double tx = r.textX + m, ty = r.textY + m;
  if (screen && !r.textMarked) {
    tx = std::floor(Wp / 3) + m;
    // Below the foot the block ends half a font height above the bottom
    // edge: the title and the lines 2.1, 1.1 and 1.1 line heights apart.
    const double block = (2.1 + 1.1 + 1.1 + 1) * line;
    ty = y0 < Hp / 2 ? Hp - block - fontHeight / 2 : fontHeight + m;
  }
  c.setFont({"Arial", titleHeight, kFontWeightBold, 0, textColour});
  c.text(tx, ty, titleText());
  c.setFont({"Arial", small, kFontWeightNormal, 0, textColour});
  ty += 2.1 * line;
  c.text(tx, ty, biAzimuthalInfoTextA(d));
  ty += 1.1 * line;
  c.text(tx, ty, biAzimuthalInfoTextB(d));
  ty += 1.1 * line;
  c.text(tx, ty,
         tableText(TextTable::Texts, 66) + fixedText(f.centre.latM, 6, 2) + "° /" +
             fixedText(f.centre.lonM, 3, 2) + "°.");

  if (r.grid) {
    screenGrid(s, !screen, s.penColour(1), 10, static_cast<int>(Hp), static_cast<int>(Wp),
               static_cast<int>(y0), static_cast<int>(x0));
  }

  // World map in the same projection.
  if (d.mapOverlay) emitMap(s, f, p, d);
  emitLines(s, biAzimuthalLines(d, f, {false}), p);
  frameMargins(s, static_cast<int>(Wp + m), static_cast<int>(Hp + m), m);
}

PlotOutcome writeBiAzimuthalPlot(HpglWriter& w, const DialPlotRequest& rq, const DesignState& d) {
  const BiAzimuthalFrame f = biAzimuthalFrame(d);
  if (!f.centre.valid()) return fociTooFarApart();
  const PlotPlacement& pl = rq.place;
  const double R = pl.resolutionFactor;
  const double B = R == 1 ? 32600 : 8 * 16400 * R;
  const double X0 = pl.footX, Y0 = pl.footY;
  w.beginSizedPage(kPlotWindowWidth * R, kPlotWindowHeight * R, 1, 0.15, 0.24);
  w.selectPen(4);
  w.moveTo(X0 - 80 * R, Y0);
  w.lineTo(X0 + 80 * R, Y0);
  w.moveTo(X0, Y0 - 80 * R);
  w.lineTo(X0, Y0 + 80 * R);
  if (const std::optional<int> spacing = plotGridSpacing(rq.grid, rq.gridSpacingMm))
    w.hpglGrid(X0, Y0, kPlotGridWidth * R, *spacing * kPlotUnitsPerMm * R, kPlotGridHeight * R);

  const double L = d.drawingScale * pl.zoomFactor * f.k * kPlotPageWidth * R / unitsAcross(d);
  BiAzimuthalPlacement p;
  p.originX = X0;
  p.originY = Y0;
  p.unitsPerMm = L;
  p.yUp = true;
  p.dateBound = p.analemmaBound = p.hourBound = B;
  p.squareDates = true;
  p.bothAxesContinue = true;
  p.straightHours = true;
  p.markRadius = 30 * R;
  p.mapCentreX = kPlotPageWidth * R / 2;
  p.mapCentreY = kPlotPageHeight * R / 2;
  p.mapHalfWidth = 0.65 * kPlotPageWidth * R;
  p.mapHalfHeight = 0.65 * kPlotPageHeight * R;
  p.plot = &w;
  auto marker = [&](double lat, double lon, const std::string& text, bool pen) {
    double ux = 0, uy = 0;
    f.unitPoint(lat, lon, ux, uy);
    const double x = p.x(ux), y = p.y(-uy);
    if (pen) w.selectPen(4);
    w.setCoordinateWidth(7);
    w.moveTo(x, y - 80 * R);
    w.lineTo(x, y + 80 * R);
    w.moveTo(x - 80 * R, y);
    w.lineTo(x + 80 * R, y);
    w.label(x + 100 * R, y - 40 * R, " " + text);
    w.setCoordinateWidth(0);
  };
  marker(f.lat1, f.lon1, "A", true);
  marker(f.lat2, f.lon2, "B", false);
  marker(90 * f.s, 0, f.centre.latM < 0 ? "S" : "N", false);

  if (d.mapOverlay) emitMap(w, f, p, d);
  emitLines(w, biAzimuthalLines(d, f, {true}), p);
  const double ax = pl.textX, ay = pl.textY;
  w.selectPen(4);
  w.setCharSize(0.24, 0.36);
  w.setCoordinateWidth(7);
  w.label(ax, ay, titleText());
  w.setCharSize(0.15, 0.24);
  w.label(ax, ay - 180 * R, biAzimuthalInfoTextA(d));
  w.label(ax, ay - 330 * R, biAzimuthalInfoTextB(d));
  w.label(ax, ay - 480 * R,
          tableText(TextTable::Texts, 66) + fixedText(f.centre.latM, 6, 2) + " /" + fixedText(f.centre.lonM, 3, 2));
  w.setCoordinateWidth(0);
  w.endPage(PageEnd::WindowReset);
  return {};
}

}  // namespace tavrel
