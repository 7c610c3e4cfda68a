// The family-table row of the hybrid Peaucellier azimuthal dial ('p').
#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/peaucellier/peaucellier_dial.h"
#include "dials/peaucellier/peaucellier_labels.h"
#include "dials/sawyer/sawyer_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

// The dial of the record; its unit follows the zoom of the drawing window:
// u = Round(sawyerUnit * zoomFactor).
PeaucellierInput zoomedInput(double zoom) {
  PeaucellierInput in = peaucellierInputOf(design());
  const double u = in.unitMm == 0 ? kPeaucellierDefaultUnit : in.unitMm;
  in.unitMm = static_cast<std::int32_t>(std::lround(u * zoom));
  return in;
}

void drawPeaucellierFamily(DialScreenRequest& r) {
  // The printer page keeps 30 units of margin; the stored origin moves with it.
  const double shift = r.screenMode ? 0 : 50;
  drawPeaucellierDial(r.surface, zoomedInput(r.zoomFactor), r.screenMode, r.width, r.height,
                      r.footFixed ? r.footX + shift : -1, r.footFixed ? r.footY + shift : -1);
}

PlotOutcome plotPeaucellierFamily(HpglWriter& w, const DialPlotRequest& r) {
  return plotPeaucellierDial(w, zoomedInput(r.place.zoomFactor), r.place.footFixed ? r.place.footX : -1);
}

const DialFamilyRegistrar kPeaucellier{[] {
  DialFamily f;
  f.id = "Peaucellier";
  f.kinds = {{'p', 12}};
  f.helpTopic = 56;
  f.page = "sawyer";
  f.legendBlock = 84;
  f.legendNameRow = labelRow::kSawyerFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapZoom | kCapScaledPlot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kPeaucellierSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3020; };
  f.draw = drawPeaucellierFamily;
  f.plot = plotPeaucellierFamily;
  return f;
}()};

}  // namespace
}  // namespace tavrel
