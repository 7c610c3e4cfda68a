// Rows of the label table that name the Sawyer dial (their texts are in
// sawyer_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kSawyerFamily = 40;            // "Sawyer Sundials"
constexpr int kSawyerSundialPart = 61;       // " Sawyer Sundial"
}  // namespace tavrel::labelRow
