// The family-table row of the Sawyer dial ('w').
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/sawyer/sawyer_dial.h"
#include "plot/page_constants.h"
#include "dials/sawyer/sawyer_labels.h"

namespace tavrel {
namespace {

// The printer page keeps its margin: the construction gets the page less
// twice the margin and the positions moved by it.
void drawSawyerFamily(DialScreenRequest& r) {
  const DesignState& d = design();
  if (r.screenMode) {
    drawSawyerDial(r.surface, d, r.width, r.height, true, d.gnomonLength, r.zoomFactor, r.footX, r.footY,
                   r.footFixed, r.textX, r.textY);
    return;
  }
  const int W = r.width - 2 * kPrinterPageMargin, H = r.height - 2 * kPrinterPageMargin;
  double fx = r.footX + kPrinterPageMargin, fy = r.footY + kPrinterPageMargin;
  if (!r.footFixed) {
    fx = W / 2 + kPrinterPageMargin;
    fy = H / 5 + kPrinterPageMargin;
  }
  drawSawyerDial(r.surface, d, W, H, false, d.gnomonLength, r.zoomFactor, fx, fy, true,
                 r.textX + kPrinterPageMargin, r.textY + kPrinterPageMargin);
}

// Positions in plotter units after Round(16400 / W x), Round(10480 -
// 10470 / H y); a foot not placed yet is the picture's default place
// (W div 2, H div 5).
PlotOutcome plotSawyerFamily(HpglWriter& writer, const DialPlotRequest& r) {
  const PlotPlacement& p = r.place;
  const double W = p.pictureWidth > 0 ? p.pictureWidth : 1600, H = p.pictureHeight > 0 ? p.pictureHeight : 1000;
  double sx = p.screenFootX, sy = p.screenFootY;
  if (!p.footFixed || sx == 0 || sy == 0) {
    sx = static_cast<int>(W) / 2;
    sy = static_cast<int>(H) / 5;
  }
  const int R = writer.resolutionFactor();
  return writeSawyerPlot(writer, design(), static_cast<double>(sawyerScreenToPlotX(sx, W)) * R,
                         static_cast<double>(sawyerScreenToPlotY(sy, H)) * R,
                         static_cast<double>(sawyerScreenToPlotX(p.screenTextX + 20, W)) * R,
                         static_cast<double>(sawyerScreenToPlotY(p.screenTextY + 10, H)) * R, p.zoomFactor);
}

// The information block starts at the top of the picture, clear of the
// reading texts above O (O stands at H div 5).
DialActivation sawyerActivation(const DesignState& d, int W, int H) {
  DialActivation a = standardActivation(d, W, H);
  a.textY = 0;
  return a;
}

const DialFamilyRegistrar kSawyer{[] {
  DialFamily f;
  f.id = "Sawyer";
  f.values = {&kGnomonHeightField};
  f.kinds = {{'w', 11}};
  f.helpTopic = 55;
  f.page = "sawyer";
  f.legendBlock = 84;
  f.legendNameRow = labelRow::kSawyerFamily;
  f.capabilities = kCapGnomonFoot | kCapZoom;
  f.titlePart = [](const DesignState&, int lang) {
    return tableText(TextTable::Labels, labelRow::kSawyerSundialPart, lang);
  };
  f.picture = [](const DesignState&) { return 3021; };
  f.activation = sawyerActivation;
  f.draw = drawSawyerFamily;
  f.plot = plotSawyerFamily;
  return f;
}()};

}  // namespace
}  // namespace tavrel
