// The bi-azimuthal dial's row of the family table ('c', expert mode).
#include "core/design_state.h"
#include "core/language.h"
#include "dials/biazimuthal/biazimuthal_dial.h"
#include "dials/dial_family.h"
#include "dials/biazimuthal/biazimuthal_labels.h"

namespace tavrel {
namespace {

// The dial of the design record.
void drawBiAzimuthalFamily(DialScreenRequest& r) { drawBiAzimuthalDial(r, design()); }
PlotOutcome plotBiAzimuthalFamily(HpglWriter& w, const DialPlotRequest& r) {
  return writeBiAzimuthalPlot(w, r, design());
}

const DialFamilyRegistrar kBiAzimuthal{[] {
  DialFamily f;
  f.id = "bi-azimuthal";
  f.kinds = {{'c', 9, nullptr, '0'}};
  f.helpTopic = 212;
  f.page = "biazimuthal";
  f.legendBlock = 60;
  f.legendNameRow = labelRow::kBiAzimuthalFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapFootHint | kCapZoom | kCapZoomResetOnShow |
                   kCapFootCheckOnPrint | kCapFootCheckOnSave | kCapExpertOnly | kCapScaledPlot | kCapScaleTrack;
  f.titlePart = [](const DesignState&, int lang) {
    return tableText(TextTable::Labels, labelRow::kBiAzimuthalSundialPart, lang);
  };
  f.picture = [](const DesignState&) { return 3016; };
  f.activation = narrowTextBlockActivation;
  f.draw = drawBiAzimuthalFamily;
  f.plot = plotBiAzimuthalFamily;
  return f;
}()};

}  // namespace
}  // namespace tavrel
