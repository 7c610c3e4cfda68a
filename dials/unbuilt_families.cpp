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

// The other families have the plain activation with a text block of this width.
DialActivation narrowTextBlock(const DesignState& d, int W, int H) {
  return narrowTextBlockActivation(d, W, H);
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
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kQuadrantSundialPart, lang); };
  f.picture = [](const DesignState& d) {
    return d.quadrantVariant == 1 ? 3010 : d.quadrantVariant == 2 ? 3011 : 3004;
  };
  return f;
}()};

const DialFamilyRegistrar kAzimuthal{[] {
  DialFamily f;
  f.id = "azimuthal";
  f.subChoice = DialSubChoice::AzimuthKind;
  f.kinds = {{'a', kEntryAzimuthal}};
  f.helpTopic = 18;
  f.page = ParameterPage::Azimuthal;
  f.legendBlock = 24;
  f.legendNameRow = labelRow::kAzimuthalFamily;
  f.capabilities = kCapTextAnchor;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kAzimuthalSundialPart, lang); };
  f.picture = [](const DesignState& d) {
    if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 1) return 3009;
    if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 2) return 3015;
    return 3003;
  };
  return f;
}()};

const DialFamilyRegistrar kRing{[] {
  DialFamily f;
  f.id = "ring";
  f.valueFields = [](const DesignState&) { return std::vector<DialValue>{DialValue::RingDiameter}; };
  f.valuesCheckedOnClose = false;
  f.kinds = {{'r', kEntryRing}};
  f.helpTopic = 20;
  f.page = ParameterPage::Ring;
  f.legendBlock = 48;
  f.legendNameRow = labelRow::kRingFamily;
  f.capabilities = kCapTextAnchor;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kRingSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3007; };
  return f;
}()};

const DialFamilyRegistrar kHollander{[] {
  DialFamily f;
  f.id = "Hollander";
  f.valueFields = [](const DesignState&) { return std::vector<DialValue>{DialValue::GnomonHeight}; };
  f.valuesCheckedOnClose = false;
  f.kinds = {{'m', kEntryHollander}};
  f.helpTopic = 54;
  f.page = ParameterPage::Hollander;
  f.legendBlock = 72;
  f.legendNameRow = labelRow::kHollanderFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapZoom | kCapZoomResetOnShow | kCapExpertOnly |
                   kCapScaledPlot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kMeanTimeSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3008; };
  f.activation = narrowTextBlock;
  return f;
}()};

const DialFamilyRegistrar kSawyer{[] {
  DialFamily f;
  f.id = "Sawyer";
  f.valueFields = [](const DesignState&) { return std::vector<DialValue>{DialValue::GnomonHeight}; };
  f.kinds = {{'w', kEntrySawyer}};
  f.helpTopic = 55;
  f.page = ParameterPage::Sawyer;
  f.legendBlock = 84;
  f.legendNameRow = labelRow::kSawyerFamily;
  f.capabilities = kCapGnomonFoot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kSawyerSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3021; };
  return f;
}()};

const DialFamilyRegistrar kPeaucellier{[] {
  DialFamily f;
  f.id = "Peaucellier";
  f.kinds = {{'p', kEntryPeaucellier}};
  f.page = ParameterPage::Sawyer;
  f.legendBlock = 84;
  f.legendNameRow = labelRow::kSawyerFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapScaledPlot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kPeaucellierSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3020; };
  return f;
}()};

const DialFamilyRegistrar kHam{[] {
  DialFamily f;
  f.id = "ham";
  f.kinds = {{'o', kEntryHam}};
  f.page = ParameterPage::Planar;
  f.legendNameRow = labelRow::kPlanarFamily;
  f.capabilities = kCapTextAnchor;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kHamDialPart, lang); };
  return f;
}()};

}  // namespace
}  // namespace tavrel
