// The family-table row of Hollander's mean-time dial ('m'); for plot files
// it also writes the cone file beside the plot.
#include <cmath>
#include <filesystem>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_family.h"
#include "dials/hollander/hollander_dial.h"
#include "dials/hollander/hollander_texts.h"
#include "dials/hollander/hollander_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

void drawHollanderFamily(DialScreenRequest& r) {
  drawHollanderDial(r.surface, hollanderInputOf(design()), r.screenMode, r.width, r.height, r.zoomFactor, r.footX, r.footY,
                    r.textMarked ? r.textX : -1, r.textMarked ? r.textY : -1, r.grid);
}

// The plot, then the cone file beside the chosen file (an HPGL plot at
// true size; for a DXF target it keeps the plot extension ".plt").
PlotOutcome plotHollanderFamily(HpglWriter& w, const DialPlotRequest& r) {
  const PlotPlacement& p = r.place;
  const DesignState& d = design();
  const HollanderInput in = hollanderInputOf(d);
  if (PlotOutcome refusal = plotHollanderDial(w, in, p.zoomFactor, p.footX, p.footY, p.textMarked ? p.textX : -1,
                                              p.textMarked ? p.textY : -1))
    return refusal;
  if (r.plotFileName.empty()) return {};
  const std::string cone = hollanderConeFileName(r.plotFileName);
  HpglWriter coneWriter(1);
  coneWriter.hpglOpen(cone);
  plotHollanderCone(coneWriter, in, p.zoomFactor);
  coneWriter.hpglClose();
  showMessage(MsgCaption::Information, MsgIcon::Information,
              "\r\n" + hollanderText(HollanderText::ConeFile, d.language) + " \"" +
                  std::filesystem::path(cone).filename().string() + "\"" +
                  hollanderText(HollanderText::ConeFileEnd, d.language));
  return {};
}

// The vertical dial hangs below its foot, like a vertical sundial: the
// foot goes to the upper quarter of the picture in either hemisphere.
DialActivation hollanderActivation(const DesignState& d, int width, int height) {
  DialActivation a = narrowTextBlockActivation(d, width, height);
  if (d.hollanderVariant % 3 == 1) a.footY = std::round(height / 4.0);
  return a;
}

const DialFamilyRegistrar kHollander{[] {
  DialFamily f;
  f.id = "Hollander";
  f.values = {&kGnomonHeightField};
  f.valuesCheckedOnClose = false;
  f.kinds = {{'m', 10, &DesignState::hollanderVariant}};
  f.helpTopic = 54;
  f.page = "hollander";
  f.legendBlock = 72;
  f.legendNameRow = labelRow::kHollanderFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapZoom | kCapZoomResetOnShow | kCapExpertOnly |
                   kCapScaledPlot;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kMeanTimeSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3008; };
  f.activation = hollanderActivation;
  f.draw = drawHollanderFamily;
  f.plot = plotHollanderFamily;
  f.information = [](const DesignState& d, double zoom) { return hollanderInformation(hollanderInputOf(d), zoom); };
  f.extraPictureButtonRow = static_cast<int>(HollanderText::ShowGraphic);
  f.extraPicture = [](DialScreenRequest& r) {
    drawHollanderInfo(r.surface, hollanderInputOf(design()), r.width, r.height, r.zoomFactor);
  };
  return f;
}()};

}  // namespace
}  // namespace tavrel
