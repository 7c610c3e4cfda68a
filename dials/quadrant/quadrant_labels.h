// Rows of the label table that name the quadrants (their texts are in
// quadrant_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kQuadrantFamily = 33;          // "Vertical Altitude Dial"
constexpr int kQuadrantSundialPart = 52;     // " Quadrant Sundial"
}  // namespace tavrel::labelRow
