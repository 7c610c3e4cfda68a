// Rows of the label table that name the bi-azimuthal dial (their texts are in
// biazimuthal_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kBiAzimuthalFamily = 38;       // "Compressed Sundial"
constexpr int kBiAzimuthalSundialPart = 58;  // " Biazimuthal (compressed) Sundial"
}  // namespace tavrel::labelRow
