#include "dials/world_map/world_map.h"

#include <cmath>

#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "dials/planar/planar_plane.h"
#include "dials/world_map/world_outline.h"
#include "plot/page_constants.h"

namespace tavrel {

WorldMapProjection worldMapProjection(const DesignState& d, double gnomonUnits, double x0,
                                      double y0, double ySign) {
  WorldMapProjection m;
  double e = d.latitude, p = 0, l = 0;
  StyleFoot s;
  if (d.dialKind == 'h') {
    s = styleFootPoint(gnomonUnits, 0, d.latitude, 0);
  } else {
    const double i = d.dialKind == 'v' ? 90.0 : d.planeInclination;
    rotateSpherical(i, d.wallDeclination, d.latitude, e, p, l);
    s = styleFootPoint(gnomonUnits, i, d.latitude, d.wallDeclination);
  }
  double L = gnomonUnits;
  // The celestial pole must fall on the style foot: the polar style through
  // the gnomon tip points at it.
  if (std::fabs(e) > 0.05) {
    double px = 0, py = 0;
    bool visible = true;
    gnomonicProject(px, py, visible, l, p + d.longitude, 90, L, p + d.longitude, std::fabs(e));
    const double pole = std::hypot(px, py);
    if (pole > 0) L = L * std::hypot(s.sx, s.sy) / pole;
  }
  m.distance = L;
  m.rotation = l;
  m.centreLon = p + d.longitude;
  m.centreLat = e;
  m.x0 = x0;
  m.y0 = y0;
  m.ySign = ySign;
  m.sinCentre = std::sin(e * kDegToRad);
  m.cosCentre = std::cos(e * kDegToRad);
  m.sinTurn = std::sin(l * kDegToRad);
  m.cosTurn = std::cos(l * kDegToRad);
  return m;
}

namespace {

// gnomonicProject (base/geometry.h) with the centre's sines and the
// point's latitude sines (sp, cp) kept: the outline has tens of thousands
// of points.
void projectWithSines(const WorldMapProjection& p, double sp, double cp, double eastLongitude, double& x,
                      double& y) {
  const double k = kDegToRadDouble;
  const double dLon = (p.centreLon + eastLongitude) * k;
  const double cd = std::cos(dLon), sd = std::sin(dLon);
  double u = p.sinCentre * sp + p.cosCentre * cp * cd;
  if (u < 1e-6) u = 1e-6;  // 90 degrees or more away: far but finite
  double gx = p.distance * cp * sd / u;
  double gy = p.distance * (p.cosCentre * sp - p.sinCentre * cp * cd) / u;
  if (std::fabs(p.rotation) > 0.001) {
    const double rx = gx * p.cosTurn - gy * p.sinTurn;
    gy = gx * p.sinTurn + gy * p.cosTurn;
    gx = rx;
  }
  x = p.x0 - gx;
  y = p.y0 + p.ySign * gy;
}

}  // namespace

void projectWorldPoint(const WorldMapProjection& p, double latitude, double eastLongitude, double& x,
                       double& y) {
  const double k = kDegToRadDouble;
  projectWithSines(p, std::sin(latitude * k), std::cos(latitude * k), eastLongitude, x, y);
}

namespace {

std::vector<PlotVertex> mapPass(const ParsedOutline& outline, const WorldMapProjection& proj, bool isCoast,
                                bool screenLines, double width, double height) {
  const OutlineRange range = isCoast ? outline.coast() : outline.boundaries();
  std::vector<PlotVertex> out;
  out.reserve(range.end - range.begin);
  appendOutlineVertices(
      outline, range, screenLines, kDegToRadDouble,
      [&](double sp, double cp, double lon, double& x, double& y) {
        projectWithSines(proj, sp, cp, lon, x, y);
        return std::isfinite(x) && std::isfinite(y);
      },
      [&](double x, double y) {
        return std::fabs(y - height / 2) < 0.6 * height && std::fabs(x - width / 2) < 0.6 * width;
      },
      out);
  return out;
}

}  // namespace

namespace {

// What differs between the targets of one map pass.
struct WorldMapTarget {
  double width = 0, height = 0;    // the page; points beyond 60 % of it around its centre are left out
  bool screenLines = true;         // the screen's point lines of the outline, else the plot's
  // Half-length of the strokes of the foot cross; negative: each stroke
  // drawn from its other end, as the plot file has them.
  double crossArm = 8;
  Canvas* screenCanvas = nullptr;  // the picture: the cross in red
  HpglWriter* plot = nullptr;      // the plot: numbers 8 wide, the last command ended
};

void emitWorldMap(PlotSurface& s, const ParsedOutline& outline, const WorldMapProjection& proj, bool isCoast,
                  const WorldMapTarget& t) {
  if (t.screenCanvas)
    t.screenCanvas->setPen({rgb(255, 0, 0), 1, PenStyle::Solid});
  else
    s.selectPen(4);
  s.setCoordinateWidth(8);
  const double a = t.crossArm;
  s.moveTo(proj.x0 - a, proj.y0);
  s.lineTo(proj.x0 + a, proj.y0);
  s.moveTo(proj.x0, proj.y0 - a);
  s.lineTo(proj.x0, proj.y0 + a);
  s.selectPen(isCoast ? 11 : 12);
  s.polyline(mapPass(outline, proj, isCoast, t.screenLines, t.width, t.height));
  s.setCoordinateWidth(0);
  // The next pass or the dial starts with the writer's page start: end the last command so
  // that its mnemonic does not run into the coordinates.
  if (t.plot) t.plot->endCommand();
}

}  // namespace

void drawWorldMap(ScreenSurface& surface, const DesignState& d, bool isCoast, double gnomonMm, double x0,
                  double y0) {
  const WorldMapProjection proj = worldMapProjection(d, gnomonMm * surface.unitsPerMm(), x0, y0, 1);
  WorldMapTarget t;
  t.width = surface.width();
  t.height = surface.height();
  t.screenCanvas = &surface.canvas();
  emitWorldMap(surface, parsedOutline(d.coastlineText), proj, isCoast, t);
}

void plotWorldMap(HpglWriter& writer, const DesignState& d, bool isCoast, double gnomonMm, double x0p,
                  double y0p) {
  const double R = writer.resolutionFactor();
  writer.beginMapPage(kPlotWindowWidth * R, kPlotWindowHeight * R, isCoast ? 11 : 12, 0.22, 0.32);
  const WorldMapProjection proj = worldMapProjection(d, gnomonMm * kPlotUnitsPerMm * R, x0p, y0p, -1);
  WorldMapTarget t;
  t.width = kPlotPageWidth * R;
  t.height = kPlotPageHeight * R;
  t.screenLines = false;
  t.crossArm = -120 * R;
  t.plot = &writer;
  emitWorldMap(writer, parsedOutline(d.coastlineText), proj, isCoast, t);
}

}  // namespace tavrel
