// The family-table row of the quadrants ('q': quadrant sundial with its
// calendar, declination and Gunter scales, vertical Habermel dials I and II).
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/dial_type_rules.h"
#include "dials/quadrant/quadrant_dial.h"
#include "dials/quadrant/quadrant_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

void drawQuadrantFamily(DialScreenRequest& r) {
  drawQuadrantDial(r.surface, design(), r.width, r.height, r.screenMode);
}

PlotOutcome plotQuadrantFamily(HpglWriter& writer, const DialPlotRequest&) {
  return plotQuadrantDial(writer, design());
}

// The Habermel dials' diameter in the dial-type window, mm (string 580
// "Diameter"; out of range strings 577 and 578); a new diameter gives a new
// gnomon length.
const DialValueField kHabermelDiameterField = [] {
  DialValueField f;
  f.name = "habermelDiameter";
  f.real = &DesignState::habermelDiameter;
  f.label = {DialValueLabel::Strings, 580};
  f.exitMin = f.closeMin = 30;
  f.exitMax = f.closeMax = 200;
  f.rangeStrings = 577;
  f.accepted = deriveHabermelGnomonLength;
  return f;
}();

const DialFamilyRegistrar kQuadrant{[] {
  DialFamily f;
  f.id = "quadrant";
  f.subChoice = DialSubChoice::QuadrantKind;
  f.values = {&kHabermelDiameterField};
  f.valueFields = [](const DesignState& d) {
    return d.quadrantVariant == 1 || d.quadrantVariant == 2 ? std::vector<const DialValueField*>{&kHabermelDiameterField}
                                                             : std::vector<const DialValueField*>{};
  };
  f.afterCloseCheck = deriveHabermelGnomonLength;
  f.kinds = {{'q', 4, &DesignState::quadrantVariant}};
  f.chosen = [](DesignState& d) { d.quadrantVariant = 0; };
  f.helpTopic = 13;
  f.page = "quadrant";
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
