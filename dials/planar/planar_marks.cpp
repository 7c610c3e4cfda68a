#include "dials/planar/planar_marks.h"

#include <cmath>
#include <vector>

#include "core/design_state.h"
#include "core/language.h"
#include "dials/planar/planar_texts.h"
#include "base/geometry.h"
#include "base/number_text.h"

namespace tavrel {

namespace {
}

double roundedGnomonLength(const DesignState& d, double zoomFactor, double scale) {
  return static_cast<double>(roundHalfEven(d.gnomonLength * zoomFactor * scale * 100)) / 100;
}

std::string planarDialName(const PlanarPlane& plane) {
  int row;
  if (plane.umbrella)
    row = plane.kind == 'h'   ? textRow::kHorizontalUmbrella
          : plane.kind == 'v' ? textRow::kVerticalUmbrella
                              : textRow::kInclinedUmbrella;
  else
    row = plane.kind == 'h'   ? textRow::kHorizontalSundial
          : plane.kind == 'v' ? textRow::kVerticalSundial
                              : textRow::kInclinedSundial;
  return tableText(TextTable::Texts, row);
}

PlanarInfoTexts planarInfoTexts(const DesignState& d) {
  const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
  PlanarInfoTexts t;
  t.location = tableText(TextTable::Texts, textRow::kLatitudeIs) + fixedText(d.latitude, 6, 2) + deg +
               tableText(TextTable::Texts, textRow::kLongitudeIs) + fixedText(d.longitude, 6, 2) + deg;
  t.deviation = planarText(PlanarText::Deviation) + fixedText(d.wallDeclination, 6, 2) + deg;
  t.inclination = planarText(PlanarText::Inclination) + fixedText(d.planeInclination, 6, 2) + deg;
  return t;
}

double inclinedHorizonHeight(bool umbrella, double inclinationDeg, double L) {
  const double i = inclinationDeg * kDegToRadDouble;
  return umbrella ? L / std::sin(i) : L * std::cos(i) / std::sin(i);
}

DialPoint poleTriangleTip(double sx, double sy, double L, double latitude) {
  double e = std::sqrt(sx * sx + sy * sy);
  if ((sx >= 0 && sy > 0) || (latitude < 0 && sx >= 0 && sy < 0)) e = -e;
  if (e == 0) e = 1;
  return {L * sy / e, -(L * sx / e)};
}

void emitPlanarLines(PlotSurface& surface, const PlanarLines& lines, PlanarLineKind kind,
                     const DialPlacement& at, int& pen, PlanarLineObserver* observer) {
  std::vector<PlotVertex> vertices;
  for (const PlanarLine& line : lines.lines) {
    if (line.kind != kind) continue;
    if (line.pen != pen) {
      surface.selectPen(line.pen);
      pen = line.pen;
    }
    if (observer) observer->beginLine(line);
    if (line.path.vertices.empty()) continue;
    vertices.clear();
    for (const PathVertex& v : line.path.vertices) {
      vertices.push_back({at.x(v.x), at.y(v.y), v.draw});
      if (observer) observer->vertex(line, v);
    }
    surface.polyline(vertices);
    surface.penUp();
  }
}

}  // namespace tavrel
