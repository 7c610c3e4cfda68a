// The family-table row of the ring dial ('r').
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/ring/ring_dial.h"
#include "dials/ring/ring_texts.h"
#include "dials/ring/ring_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

void drawRingFamily(DialScreenRequest& r) {
  drawRingDial(r.surface, RingDialInput::of(design()), r.width, r.height, r.screenMode);
}

PlotOutcome plotRingFamily(HpglWriter& writer, const DialPlotRequest&) {
  const DesignState& d = design();
  return plotRingDial(writer, RingDialInput::of(d), d.plotLineWidth);
}

void drawRingChart(DialScreenRequest& r) {
  const DesignState& d = design();
  drawRingCorrectionChart(r.surface, r.width, r.height, d.ringDiameter, d.ringAlpha, r.screenMode,
                          d.writeCorrectionFile);
}

// The ring's diameter in the dial-type window, mm (string 580 "Diameter").
const DialValueField kRingDiameterField = [] {
  DialValueField f;
  f.name = "ringDiameter";
  f.real = &DesignState::ringDiameter;
  f.label = {DialValueLabel::Strings, 580};
  f.exitMin = f.closeMin = 10;
  f.exitMax = f.closeMax = 300;
  return f;
}();

const DialFamilyRegistrar kRing{[] {
  DialFamily f;
  f.id = "ring";
  f.values = {&kRingDiameterField};
  f.valuesCheckedOnClose = false;
  f.kinds = {{'r', 8}};
  f.helpTopic = 20;
  f.page = "ring";
  f.legendBlock = 48;
  f.legendNameRow = labelRow::kRingFamily;
  f.capabilities = kCapTextAnchor;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kRingSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3007; };
  f.draw = drawRingFamily;
  f.plot = plotRingFamily;
  f.extraPictureButtonRow = static_cast<int>(RingText::ChartButton);
  f.extraPicture = drawRingChart;
  f.extraPictureFileSwitch = &DesignState::writeCorrectionFile;
  f.extraPictureFileSwitchRow = static_cast<int>(RingText::WriteTableFile);
  return f;
}()};

}  // namespace
}  // namespace tavrel
