// The planar dials' row of the family table: horizontal 'h', vertical 'v'
// and inclined 'i', each also in the umbrella form.
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/dials.h"
#include "base/number_text.h"
#include "dials/planar/planar_labels.h"

namespace tavrel {
namespace {

unsigned planarVariant(const DesignState& d, unsigned caps) {
  if (d.dialKind == 'h') caps |= kCapLevelFace;
  if (d.dialKind == 'i') caps |= kCapInclinedFace;
  // The umbrella form has neither world map nor hour-line angle table.
  return d.umbrellaMode ? caps & ~(kCapWorldMap | kCapAngleTable) : caps;
}

std::string planarTitle(const DesignState& d, int language) {
  int row = labelRow::kHorizontalSundialPart;
  if (d.umbrellaMode)
    row = labelRow::kUmbrellaDialPart;
  else if (d.dialKind == 'v')
    row = labelRow::kVerticalSundialPart;
  else if (d.dialKind == 'i')
    row = labelRow::kInclinedSundialPart;
  return tableText(TextTable::Labels, row, language);
}

int planarPicture(const DesignState& d) {
  if (d.umbrellaMode) return d.dialKind == 'i' ? 3002 : 3001;
  if (d.dialKind == 'h') return 2998;
  if (d.dialKind == 'v') return 3000;
  return 0;
}

// A vertical dial hangs from the top of the picture: the foot near the top
// edge, the text block near the bottom.
DialActivation planarActivation(const DesignState& d, int W, int H) {
  DialActivation a = standardActivation(d, W, H);
  if (d.dialKind == 'v') {
    a.footY = static_cast<double>(roundHalfEven((W + 1) / 32.0));
    a.textY = static_cast<double>(roundHalfEven(0.85 * H));
    a.textBlockWidth = 0.3;
  }
  return a;
}

int planarPageTitle(const DesignState& d) {
  if (d.dialKind == 'v') return textRow::kVerticalSundial;
  if (d.dialKind == 'i') return textRow::kInclinedSundial;
  return textRow::kHorizontalSundial;
}

std::vector<const DialValueField*> planarValues(const DesignState& d) {
  if (d.dialKind == 'v') return {&kWallDeclinationField, &kGnomonHeightField};
  if (d.dialKind == 'i') return {&kWallDeclinationField, &kInclinationField, &kGnomonHeightField};
  return {&kGnomonHeightField};
}

// A horizontal dial lies flat and faces no direction.
void planarAfterClose(DesignState& d) {
  if (dialHas(d, kCapLevelFace)) {
    d.wallDeclination = 0;
    d.planeInclination = 0;
  }
}

void drawPlanar(DialScreenRequest& r) {
  PlanarDialView view;
  view.footX = r.footX;
  view.footY = r.footY;
  view.textX = r.textX;
  view.textY = r.textY;
  view.zoomFactor = r.zoomFactor;
  view.grid = r.grid;
  view.angles = r.angles;
  if (r.kept) {
    if (!std::any_cast<PlanarSunCache>(r.kept)) *r.kept = PlanarSunCache{};
    view.sunCache = std::any_cast<PlanarSunCache>(r.kept);
  }
  drawPlanarDial(r.surface, design(), r.screenMode, r.width, r.height, view);
  r.zoomFactor = view.zoomFactor;
}

PlotOutcome plotPlanar(HpglWriter& writer, const DialPlotRequest& r) {
  PlanarPlotRequest request;
  const PlotPlacement& p = r.place;
  request.resolutionFactor = p.resolutionFactor;
  request.footX = p.footX;
  request.footY = p.footY;
  request.footFixed = p.footFixed;
  request.textX = p.textX;
  request.textY = p.textY;
  request.textMarked = p.textMarked;
  request.zoomFactor = p.zoomFactor;
  request.grid = r.grid;
  request.gridSpacingMm = r.gridSpacingMm;
  request.angles = r.angles;
  request.plotFileName = r.plotFileName;
  writePlanarPlot(writer, design(), request, r.listing);
  return {};
}

const DialFamilyRegistrar kPlanar{[] {
  DialFamily f;
  f.id = "planar";
  f.kinds = {{'h', 0}, {'v', 1}, {'i', 2}};
  f.umbrellaEntry = 3;
  // A vertical dial chosen from the list stands upright.
  f.chosen = [](DesignState& d) {
    if (d.dialKind == 'v') d.planeInclination = 90;
  };
  f.helpTopic = 10;
  f.umbrellaHelpTopic = 12;
  f.page = "planar";
  f.umbrellaPage = "umbrella";
  f.legendBlock = 0;
  f.legendNameRow = labelRow::kPlanarFamily;
  f.umbrellaLegendNameRow = labelRow::kUmbrellaFamily;
  f.capabilities = kCapGnomonFoot | kCapTextAnchor | kCapFootHint | kCapZoom | kCapFootCheckOnPrint |
                   kCapFootCheckOnSave | kCapWorldMap | kCapUsesAngleTable | kCapAngleTable |
                   kCapCoordinates | kCapUmbrella | kCapScaledPlot;
  f.variantCapabilities = planarVariant;
  f.titlePart = planarTitle;
  f.picture = planarPicture;
  f.activation = planarActivation;
  f.pageTitleTextRow = planarPageTitle;
  f.umbrellaKinds = "hiv";
  f.values = {&kWallDeclinationField, &kInclinationField, &kGnomonHeightField};
  f.valueFields = planarValues;
  f.afterCloseCheck = planarAfterClose;
  f.draw = drawPlanar;
  f.plot = plotPlanar;
  return f;
}()};

}  // namespace
}  // namespace tavrel
