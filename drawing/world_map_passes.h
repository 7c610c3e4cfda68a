// The world-map passes of the drawing window: which of the two outline
// parts are drawn, in which order, with which gnomon length.
#pragma once

#include "dials/dial_family.h"
#include "drawing/drawing_controller.h"
#include "plot/hpgl_writer.h"

namespace tavrel {

struct DesignState;

// The overlay is honoured in expert mode only: mapOverlay and
// expertModeActive.
bool worldMapShown(const DesignState& d);

// The picture and the printer page: boundaries (pen 12) when the map is
// shown and mapFrontiers, then coast lines (pen 11) when it is shown and
// mapCoastlines, with the gnomon length times the zoom factor the
// construction used. The controller runs it after the dials that carry
// the map (kCapWorldMap).
void drawWorldMapPasses(ConstructionContext& context);

// One plot pass (coast lines or boundaries) with the planar plot's gnomon
// and foot: the converted foot when the user fixed it, else the plot's
// default foot (defaultPlotFoot).
void plotWorldMapPass(HpglWriter& writer, bool isCoast, const PlotPlacement& place);

}  // namespace tavrel
