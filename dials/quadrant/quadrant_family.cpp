// The family-table row of the quadrants ('q': quadrant sundial with its
// calendar, declination and Gunter scales, vertical Habermel dials I and II).
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"
#include "dials/quadrant/quadrant_dial.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

void drawQuadrantFamily(DialScreenRequest& r) {
  drawQuadrantDial(r.surface, design(), r.width, r.height, r.screenMode);
}

PlotOutcome plotQuadrantFamily(HpglWriter& writer, const DialPlotRequest&) {
  return plotQuadrantDial(writer, design());
}

const DialFamilyRegistrar kQuadrant{[] {
  DialFamily f;
  f.id = "quadrant";
  f.subChoice = DialSubChoice::QuadrantKind;
  f.valueFields = [](const DesignState& d) {
    return d.quadrantVariant == 1 || d.quadrantVariant == 2 ? std::vector<DialValue>{DialValue::HabermelDiameter}
                                                             : std::vector<DialValue>{};
  };
  f.afterCloseCheck = deriveHabermelGnomonLength;
  f.kinds = {{'q', kEntryQuadrant}};
  f.helpTopic = 13;
  f.page = ParameterPage::Quadrant;
  f.legendBlock = 12;
  f.legendNameRow = labelRow::kQuadrantFamily;
  f.capabilities = kCapTextAnchor;
  // The Gunter quadrant and the Habermel dials write their plot times the
  // resolution factor (a DXF gets 25); the two-quadrant page stays at one
  // unit = 0.025 mm on both routes.
  f.variantCapabilities = [](const DesignState& d, unsigned caps) {
    return quadrantPlotScaled(d.quadrantVariant, d.zodiacScale) ? caps | kCapScaledPlot : caps;
  };
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kQuadrantSundialPart, lang); };
  f.picture = [](const DesignState& d) {
    return d.quadrantVariant == 1 ? 3010 : d.quadrantVariant == 2 ? 3011 : 3004;
  };
  f.draw = drawQuadrantFamily;
  f.plot = plotQuadrantFamily;
  return f;
}()};

}  // namespace
}  // namespace tavrel
