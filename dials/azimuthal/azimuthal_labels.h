// Rows of the label table that name the azimuthal dial (their texts are in
// azimuthal_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kAzimuthalFamily = 37;         // "Azimuthal Sundial"
constexpr int kAzimuthalSundialPart = 57;    // "n Azimuthal Sundial"
}  // namespace tavrel::labelRow
