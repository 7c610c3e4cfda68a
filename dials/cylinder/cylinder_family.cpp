// The family-table rows of the cylinder dials ('z': shepherd's dial, hat
// dial, cylinder with polar style) and of the horizontal altitude dial
// ('k', hidokai).
#include "core/design_state.h"
#include "core/language.h"
#include "dials/cylinder/cylinder_dial.h"
#include "dials/dial_family.h"
#include "dials/cylinder/cylinder_labels.h"

namespace tavrel {
namespace {

std::string label(int row, int language) { return tableText(TextTable::Labels, row, language); }

// The dial centre of the polar style is the gnomon foot of the picture
// once it is placed; the others place themselves.
void drawCylinderFamily(DialScreenRequest& r) {
  drawCylinderOrAltitudeDial(r.surface, design(), r.width, r.height, r.screenMode, r.zoomFactor,
                             r.footFixed ? r.footX : -1, r.footFixed ? r.footY : -1);
}

PlotOutcome plotCylinderFamily(HpglWriter& writer, const DialPlotRequest& r) {
  const PlotPlacement& p = r.place;
  return plotCylinderOrAltitudeDial(writer, design(), p.zoomFactor, p.footFixed ? p.footX : -1,
                             p.footFixed ? p.footY : -1, r.grid, r.gridSpacingMm);
}

// The value fields of the dial-type window (mm; window texts 1102 "gnomon
// length", 1103 "scale", 1104 "radius"). The whole-millimetre gnomons end
// at a typed decimal point.
constexpr int kGnomonLengthLabelRow = 1102, kScaleLabelRow = 1103, kRadiusLabelRow = 1104;

DialValueField lengthField(const char* name, int labelRow, double exitMin, double exitMax, double closeMin,
                           double closeMax) {
  DialValueField f;
  f.name = name;
  f.label = {DialValueLabel::WindowTexts, labelRow};
  f.exitMin = exitMin;
  f.exitMax = exitMax;
  f.closeMin = closeMin;
  f.closeMax = closeMax;
  return f;
}

const DialValueField kCylinderGnomonWholeField = [] {
  DialValueField f = lengthField("cylinderGnomonLengthInt", kGnomonLengthLabelRow, 4, 110, 3, 220);
  f.whole = &DesignState::cylinderGnomonLengthInt;
  f.cutAtPoint = true;
  return f;
}();

const DialValueField kShepherdScaleField = [] {
  DialValueField f = lengthField("shepherdScaleLength", kScaleLabelRow, 3, 290, 3, 290);
  f.whole = &DesignState::shepherdScaleLength;
  return f;
}();

const DialValueField kCylinderGnomonField = [] {
  DialValueField f = lengthField("cylinderGnomonLength", kGnomonLengthLabelRow, 4, 110, 3, 220);
  f.real = &DesignState::cylinderGnomonLength;
  return f;
}();

const DialValueField kCylinderRadiusField = [] {
  DialValueField f = lengthField("cylinderRadius", kRadiusLabelRow, 4, 500, 4, 500);
  f.real = &DesignState::cylinderRadius;
  return f;
}();

const DialValueField kAltitudeGnomonField = [] {
  DialValueField f = lengthField("altitudeDialGnomonLength", kGnomonLengthLabelRow, 1, 110, 3, 220);
  f.whole = &DesignState::altitudeDialGnomonLength;
  f.cutAtPoint = true;
  return f;
}();

const DialFamilyRegistrar kCylinder{[] {
  DialFamily f;
  f.id = "cylinder";
  f.subChoice = DialSubChoice::CylinderKind;
  f.values = {&kWallDeclinationField, &kCylinderGnomonWholeField, &kShepherdScaleField, &kCylinderGnomonField,
              &kCylinderRadiusField};
  f.valueFields = [](const DesignState& d) {
    using V = std::vector<const DialValueField*>;
    if (d.cylinderVariant == 2) return V{&kCylinderGnomonField, &kCylinderRadiusField, &kWallDeclinationField};
    return V{&kCylinderGnomonWholeField, &kShepherdScaleField};
  };
  f.kinds = {{'z', 6, &DesignState::cylinderVariant}};
  f.chosen = [](DesignState& d) { d.cylinderVariant = 0; };
  f.helpTopic = 17;
  f.page = "cylinder";
  f.legendBlock = 36;
  f.legendNameRow = labelRow::kCylinderFamily;
  f.capabilities = kCapTextAnchor | kCapScaledPlot | kCapGnomonDeclination;
  // The cylinder with polar style has a gnomon foot on the picture and
  // zooms about it.
  f.variantCapabilities = [](const DesignState& d, unsigned caps) {
    return d.cylinderVariant == 2 ? caps | kCapGnomonFoot | kCapFootCheckOnPrint | kCapZoom : caps;
  };
  f.titlePart = [](const DesignState& d, int lang) {
    const int variant = d.cylinderVariant < 3 ? d.cylinderVariant : 0;
    return label(labelRow::kCylinderSundialPart, lang) + label(labelRow::kCylinderVariantPart + variant, lang);
  };
  f.picture = [](const DesignState& d) {
    return d.cylinderVariant == 1 ? 3012 : d.cylinderVariant == 2 ? 3013 : 3005;
  };
  f.draw = drawCylinderFamily;
  f.plot = plotCylinderFamily;
  return f;
}()};

// The hidokai plot is written at one unit = 0.025 mm on both routes, so
// its row does not ask for the scaled plot: the DXF is converted at 40
// units per millimetre and keeps its true size.
const DialFamilyRegistrar kHidokai{[] {
  DialFamily f;
  f.id = "hidokai";
  f.values = {&kAltitudeGnomonField};
  f.kinds = {{'k', 7}};
  f.helpTopic = 19;
  f.page = "altitude";
  f.legendBlock = 36;
  f.legendNameRow = labelRow::kAltitudeFamily;
  f.capabilities = kCapTextAnchor;
  f.titlePart = [](const DesignState&, int lang) { return label(labelRow::kElevationSundialPart, lang); };
  f.picture = [](const DesignState&) { return 3006; };
  f.draw = drawCylinderFamily;
  f.plot = plotCylinderFamily;
  return f;
}()};

}  // namespace
}  // namespace tavrel
