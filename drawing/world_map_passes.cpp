#include "drawing/world_map_passes.h"

#include "core/design_state.h"
#include "dials/planar/planar_plot.h"
#include "dials/world_map/world_map.h"
#include "plot/page_constants.h"

namespace tavrel {

bool worldMapShown(const DesignState& d) { return d.mapOverlay && d.expertModeActive; }

void drawWorldMapPasses(ConstructionContext& context) {
  const DesignState& d = design();
  if (!worldMapShown(d)) return;
  const double gnomonMm = d.gnomonLength * context.zoomFactor;
  const double x0 = context.state.footX, y0 = context.state.footY;
  if (d.mapFrontiers) drawWorldMap(context.surface, d, false, gnomonMm, x0, y0);
  if (d.mapCoastlines) drawWorldMap(context.surface, d, true, gnomonMm, x0, y0);
}

void plotWorldMapPass(HpglWriter& writer, bool isCoast, const PlotPlacement& place) {
  // The map belongs to the dial: the same gnomon and the same foot as the
  // planar plot (its default foot when the user fixed none).
  const int R = writer.resolutionFactor();
  const double units = plotGnomonUnits(design(), place.zoomFactor, R);
  PlotPoint foot{place.footX, place.footY};
  if (!place.footFixed) foot = defaultPlotFoot(design(), units, R);
  plotWorldMap(writer, design(), isCoast, units / kPlotUnitsPerMm / R, foot.x, foot.y);
}

}  // namespace tavrel
