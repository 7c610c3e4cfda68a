// Rows of the family table for the families whose constructions are not
// built yet. Each row already says what its family offers; without `draw`
// and `plot` the program refuses to draw, print or save it. A family that
// gets built moves its row into its own folder and fills in the two.
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

const DialFamilyRegistrar kBiAzimuthal{[] {
  DialFamily f;
  f.id = "bi-azimuthal";
  f.kinds = {{'c', kEntryBiAzimuthal}};
  f.helpTopic = 212;
  f.page = ParameterPage::BiAzimuthal;
  f.legendBlock = 60;
  f.legendNameRow = labelRow::kBiAzimuthalFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapFootHint | kCapZoom | kCapZoomResetOnShow |
                   kCapFootCheckOnPrint | kCapFootCheckOnSave | kCapExpertOnly | kCapScaledPlot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kBiAzimuthalSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3016; };
  f.activation = narrowTextBlockActivation;
  return f;
}()};

}  // namespace
}  // namespace tavrel
