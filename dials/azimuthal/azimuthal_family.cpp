// The family-table row of the azimuthal dial ('a'): date circles or
// altitude circles by azimuthDialKind.
#include "core/design_state.h"
#include "core/language.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "dials/dial_family.h"
#include "dials/azimuthal/azimuthal_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

void drawAzimuthal(DialScreenRequest& r) {
  const DesignState& d = design();
  if (d.azimuthDialKind == 1)
    drawAzimuthAltitudeDial(r.surface, d, r.width, r.height, !r.screenMode, r.horizon);
  else
    drawAzimuthDateDial(r.surface, d, r.width, r.height, !r.screenMode, r.horizon);
}

PlotOutcome plotAzimuthal(HpglWriter& writer, const DialPlotRequest& r) {
  const DesignState& d = design();
  if (d.azimuthDialKind == 1) return plotAzimuthAltitudeDial(writer, d, r.horizon);
  return plotAzimuthDateDial(writer, d);
}

const DialFamilyRegistrar kAzimuthal{[] {
  DialFamily f;
  f.id = "azimuthal";
  f.subChoice = DialSubChoice::AzimuthKind;
  f.kinds = {{'a', 5}};
  f.helpTopic = 18;
  f.page = "azimuthal";
  f.legendBlock = 24;
  f.legendNameRow = labelRow::kAzimuthalFamily;
  f.capabilities = kCapTextAnchor;
  // The altitude-circle plot is written times the resolution factor (a
  // DXF gets R = 25); the date-circle plot always at one unit = 0.025 mm.
  f.variantCapabilities = [](const DesignState& d, unsigned caps) {
    return d.azimuthDialKind == 1 ? caps | kCapScaledPlot : caps;
  };
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kAzimuthalSundialPart, lang); };
  f.picture = [](const DesignState& d) {
    if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 1) return 3009;
    if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 2) return 3015;
    return 3003;
  };
  f.draw = drawAzimuthal;
  f.plot = plotAzimuthal;
  return f;
}()};

}  // namespace
}  // namespace tavrel
