// Rows of the label table that name the ham dial (their texts are in
// ham_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kHamDialPart = 64;             // " Ham Dial"
}  // namespace tavrel::labelRow
