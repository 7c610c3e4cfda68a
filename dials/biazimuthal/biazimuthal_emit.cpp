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

}  // namespace

void drawBiAzimuthalDial(DialScreenRequest& r) {
  const DesignState& d = design();
  ScreenSurface& s = r.surface;
  Canvas& c = s.canvas();
  const bool screen = r.screenMode;
  const int m = screen ? 0 : 50;
  const double Wp = r.width - m, Hp = r.height - m;
  const double x0 = r.footX, y0 = r.footY;
  const double fontHeight = screen ? 16 : 40, cm = screen ? 4 : 16;
  const Colour textColour = ScreenSurface::penColour(4);
  c.setFont({"Arial", fontHeight, kFontWeightNormal, 0, textColour});
  c.setBrush({kWhite, BrushStyle::Clear});
  c.setPen({rgb(128, 128, 128), static_cast<double>(std::max<int>(1, d.lineWidth)), PenStyle::Solid});
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
  auto place = [&](double ux, double uy, double& x, double& y) {
    x = x0 + L * ux;
    y = y0 - L * uy;
  };
  auto mark = [&](double lat, double lon, double arm, const std::string& text, double tx, double ty) {
    double ux = 0, uy = 0, x = 0, y = 0;
    f.unitPoint(lat, lon, ux, uy);
    place(ux, uy, x, y);
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
    screenGrid(s, !screen, ScreenSurface::penColour(1), 10, static_cast<int>(Hp), static_cast<int>(Wp),
               static_cast<int>(y0), static_cast<int>(x0));
  }

  // World map in the same projection.
  if (d.mapOverlay) {
    const ParsedOutline& outline = parsedOutline(d.coastlineText);
    std::vector<PlotVertex> v;
    auto pass = [&](bool coast) {
      s.selectPen(coast ? 11 : 12);
      v.clear();
      appendOutlineVertices(
          outline, coast ? outline.coast() : outline.boundaries(), true, kRadPerDeg,
          [&](double sp, double cp, double lon, double& x, double& y) {
            double ux = 0, uy = 0;
            f.unitPointWithSines(sp, cp, -lon, ux, uy);
            place(ux, uy, x, y);
            return std::isfinite(x) && std::isfinite(y);
          },
          [&](double x, double y) { return std::fabs(y - Hp / 2) < Hp && std::fabs(x - Wp / 2) < Wp; }, v);
      s.polyline(v);
    };
    if (d.mapFrontiers) pass(false);
    if (d.mapCoastlines) pass(true);
  }

  const BiAzimuthalLines lines = biAzimuthalLines(d, f, {false});
  auto scaled = [&](const BiAzimuthalLine& l) {
    std::vector<std::array<double, 2>> p;
    p.reserve(l.points.size());
    for (const auto& u : l.points) p.push_back({L * u[0], -L * u[1]});  // relative, y down
    return p;
  };
  auto drawRuns = [&](const BiAzimuthalLine& l, double bound) {
    s.selectPen(l.pen);
    for (const auto& run : runs(
             scaled(l),
             [&](const std::array<double, 2>& p) {
               return std::fabs(p[0] + x0) + std::fabs(p[1] + y0) < bound;
             },
             [](const std::array<double, 2>& a, const std::array<double, 2>& b) {
               return sameSide(a, b, false);
             })) {
      c.moveTo(x0 + run[0][0], y0 + run[0][1]);
      for (const auto& p : run) c.lineTo(x0 + p[0], y0 + p[1]);
    }
  };
  for (const BiAzimuthalLine& l : lines.dates) drawRuns(l, 20 * r.width);
  const double radius = screen ? 2 : 6;
  for (const BiAzimuthalLine& l : lines.analemmas) {
    drawRuns(l, 12 * r.width);
    if (!l.marked) continue;
    for (const BiAzimuthalMark& mk : lines.marks) {
      double x = 0, y = 0;
      place(mk.x, mk.y, x, y);
      if (!(std::fabs(x) + std::fabs(y) < 12 * r.width)) continue;
      c.setPen({rgb(255, 0, 0), 1, PenStyle::Solid});
      c.setBrush(mk.first ? Brush{rgb(255, 0, 0), BrushStyle::Solid} : Brush{kWhite, BrushStyle::Clear});
      c.ellipse(x - radius, y - radius, x + radius, y + radius);
    }
    c.setBrush({kWhite, BrushStyle::Clear});
  }
  for (const BiAzimuthalLine& l : lines.hours) drawRuns(l, 20 * r.width);
  frameMargins(s, static_cast<int>(Wp + m), static_cast<int>(Hp + m), m);
}

PlotOutcome writeBiAzimuthalPlot(HpglWriter& w, const DialPlotRequest& rq) {
  const DesignState& d = design();
  const BiAzimuthalFrame f = biAzimuthalFrame(d);
  if (!f.centre.valid()) return fociTooFarApart();
  const PlotPlacement& pl = rq.place;
  const double R = pl.resolutionFactor;
  const double B = R == 1 ? 32600 : 8 * 16400 * R;
  const double X0 = pl.footX, Y0 = pl.footY;
  auto n7 = [](double v) { return fixedText(v, 7, 0); };
  auto n8 = [](double v) { return fixedText(v, 8, 0); };
  auto h = [](double v) { return hpglInt(v); };
  const std::string win = fixedText(kPlotWindowWidth * R, 8, 0) + " " + fixedText(kPlotWindowHeight * R, 8, 0);
  const std::string size = ";SI " + fixedText(0.15 * R, 5, 2) + "," + fixedText(0.24 * R, 5, 2);
  w.hpglWrite("IN;VS 1;PA;IW 0 0 " + win + size + ";SP 1;PU 0 0;EA " + win + size);
  w.hpglWrite(";SP 4;PU " + h(X0 - 80 * R) + " " + h(Y0) + ";PD " + h(X0 + 80 * R) + " " + h(Y0) + ";PU " +
              h(X0) + " " + h(Y0 - 80 * R) + ";PD " + h(X0) + " " + h(Y0 + 80 * R));
  if (const std::optional<int> spacing = plotGridSpacing(rq.grid, rq.gridSpacingMm))
    w.hpglGrid(X0, Y0, kPlotGridWidth * R, *spacing * kPlotUnitsPerMm * R, kPlotGridHeight * R);

  const double L = d.drawingScale * pl.zoomFactor * f.k * kPlotPageWidth * R / unitsAcross(d);
  auto at = [&](double lat, double lon, double& x, double& y) {
    double ux = 0, uy = 0;
    f.unitPoint(lat, lon, ux, uy);
    x = X0 + L * ux;
    y = Y0 + L * uy;
  };
  auto marker = [&](double lat, double lon, const std::string& text, bool pen) {
    double x = 0, y = 0;
    at(lat, lon, x, y);
    w.hpglWrite(std::string(pen ? ";SP 4;PU " : ";PU ") + n7(x) + " " + n7(y - 80 * R) + ";PD " + n7(x) + " " +
                n7(y + 80 * R) + ";PU " + n7(x - 80 * R) + " " + n7(y) + ";PD " + n7(x + 80 * R) + " " + n7(y) +
                ";PU " + n7(x + 100 * R) + " " + n7(y - 40 * R) + ";LB " + text + kLabelTerminator);
  };
  marker(f.lat1, f.lon1, "A", true);
  marker(f.lat2, f.lon2, "B", false);
  marker(90 * f.s, 0, f.centre.latM < 0 ? "S" : "N", false);

  if (d.mapOverlay) {
    const ParsedOutline& outline = parsedOutline(d.coastlineText);
    const std::vector<OutlineRecord>& records = outline.records();
    const auto& sines = outline.latitudeSines(kRadPerDeg);
    auto pass = [&](bool coast) {
      const std::string pen = coast ? "11" : "12";
      std::string out = ";SP " + pen + ";PU 0 0;SI " + fixedText(0.22 * R, 5, 2) + "," + fixedText(0.32 * R, 5, 2);
      const OutlineRange range = coast ? outline.coast() : outline.boundaries();
      bool down = false;
      for (std::size_t i = range.begin; i < range.end; ++i) {
        const OutlineRecord& p = records[i];
        if (!p.screenPoint) {
          down = false;
          continue;
        }
        double ux = 0, uy = 0;
        f.unitPointWithSines(sines[i][0], sines[i][1], -p.eastLongitude, ux, uy);
        const double x = X0 + L * ux, y = Y0 + L * uy;
        if (!(std::fabs(x - kPlotPageWidth * R / 2) < 0.65 * kPlotPageWidth * R &&
              std::fabs(y - kPlotPageHeight * R / 2) < 0.65 * kPlotPageHeight * R)) {
          down = false;
          continue;
        }
        out += down ? n8(x) + " " + n8(y) + " " : ";PU " + h(x) + " " + h(y) + ";PD ";
        down = true;
      }
      w.hpglWrite(out + ";");
    };
    if (d.mapFrontiers) pass(false);
    if (d.mapCoastlines) pass(true);
  }

  const BiAzimuthalLines lines = biAzimuthalLines(d, f, {true});
  auto rel = [&](const BiAzimuthalLine& l) {
    std::vector<std::array<double, 2>> p;
    for (const auto& u : l.points) p.push_back({L * u[0], L * u[1]});
    return p;
  };
  auto polylineRuns = [&](const BiAzimuthalLine& l, bool square) {
    std::string out = ";SP " + std::to_string(l.pen);
    for (const auto& run : runs(
             rel(l),
             [&](const std::array<double, 2>& p) {
               const double x = X0 + p[0], y = Y0 + p[1];
               return square ? std::fabs(x) < B && std::fabs(y) < B : std::fabs(x) + std::fabs(y) < B;
             },
             [](const std::array<double, 2>& a, const std::array<double, 2>& b) { return sameSide(a, b, true); })) {
      out += ";PU " + h(X0 + run[0][0]) + " " + h(Y0 + run[0][1]) + ";PD ";
      for (std::size_t i = 1; i < run.size(); ++i) out += h(X0 + run[i][0]) + " " + h(Y0 + run[i][1]) + " ";
    }
    w.hpglWrite(out);
  };
  w.hpglWrite(";SP 8");
  for (const BiAzimuthalLine& l : lines.dates) polylineRuns(l, true);
  w.hpglWrite(";SP 6");
  for (const BiAzimuthalLine& l : lines.analemmas) {
    polylineRuns(l, false);
    if (!l.marked) continue;
    std::string out;
    for (const BiAzimuthalMark& mk : lines.marks) {
      out += mk.first ? ";SP 2;" : ";SP 4;";
      const double x = X0 + L * mk.x, y = Y0 + L * mk.y;
      if (std::fabs(x) + std::fabs(y) < B) out += ";PU " + h(x) + " " + h(y) + ";CI " + h(30 * R) + ";";
    }
    w.hpglWrite(out + ";SP 2;");
  }
  for (const BiAzimuthalLine& l : lines.hours) {
    std::string out = ";SP " + std::to_string(l.pen);
    for (const auto& run : runs(
             rel(l),
             [&](const std::array<double, 2>& p) { return std::fabs(X0 + p[0]) + std::fabs(Y0 + p[1]) < B; },
             [](const std::array<double, 2>& a, const std::array<double, 2>& b) { return sameSide(a, b, true); })) {
      out += ";PU " + h(X0 + run.front()[0]) + " " + h(Y0 + run.front()[1]) + ";PD " + h(X0 + run.back()[0]) +
             " " + h(Y0 + run.back()[1]) + ";PU ";
    }
    w.hpglWrite(out);
  }

  const double ax = pl.textX, ay = pl.textY;
  w.hpglWrite(";SP 4;SI " + fixedText(0.24 * R, 5, 2) + "," + fixedText(0.36 * R, 5, 2) + ";PU " + n7(ax) + " " +
              n7(ay) + ";LB" + titleText() + kLabelTerminator + size);
  w.hpglWrite(";PU " + n7(ax) + " " + n7(ay - 180 * R) + ";LB" + biAzimuthalInfoTextA(d) + kLabelTerminator);
  w.hpglWrite(";PU " + n7(ax) + " " + n7(ay - 330 * R) + ";LB" + biAzimuthalInfoTextB(d) + kLabelTerminator);
  w.hpglWrite(";PU " + n7(ax) + " " + n7(ay - 480 * R) + ";LB" + tableText(TextTable::Texts, 66) +
              fixedText(f.centre.latM, 6, 2) + " /" + fixedText(f.centre.lonM, 3, 2) + kLabelTerminator);
  w.hpglWrite(kHpglTrailerWindowReset);
  return {};
}

}  // namespace tavrel
