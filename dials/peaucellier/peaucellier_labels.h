// Rows of the label table that name the Peaucellier dial (their texts are in
// peaucellier_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kPeaucellierSundialPart = 62;  // " Peaucellier-Azimuthal Sundial"
}  // namespace tavrel::labelRow
