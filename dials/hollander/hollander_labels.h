// Rows of the label table that name the Hollander dial (their texts are in
// hollander_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kHollanderFamily = 39;         // "Mean Time Sundial"
constexpr int kMeanTimeSundialPart = 59;     // " Sundial for Mean Time"
}  // namespace tavrel::labelRow
