// Rows of the label table that name the ring dial (their texts are in
// ring_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kRingFamily = 36;              // "Ring Sundial (Farmers´ Ring) "
constexpr int kRingSundialPart = 63;         // " Ring Sundial"
}  // namespace tavrel::labelRow
