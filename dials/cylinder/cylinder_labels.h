// Rows of the label table that name the cylinder dials and the hidokai (their texts are in
// cylinder_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kCylinderFamily = 34;          // "Cylinder Sundial"
constexpr int kAltitudeFamily = 35;          // "Horizontal Altitude Sundial"
constexpr int kCylinderSundialPart = 53;     // " Cylinder Sundial"
constexpr int kCylinderVariantPart = 54;     // 54..56: " (Shepherds´ Dial)", " (Hat Dial)", " (Polar Style)"
constexpr int kElevationSundialPart = 60;    // " horizontal elevation Sundial"
}  // namespace tavrel::labelRow
