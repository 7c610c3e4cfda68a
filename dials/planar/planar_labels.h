// Rows of the label table that name the planar dials (their texts are in
// planar_labels.tsv beside this header): the family's name and page caption,
// and the part after "Construction of a" in the drawing window's title.
#pragma once

namespace tavrel::labelRow {
constexpr int kVerticalSundialPart = 4;      // " Vertical Sundial"
constexpr int kHorizontalSundialPart = 5;    // " Horizontal Sundial"
constexpr int kInclinedSundialPart = 6;      // "n Inclining Sundial"
constexpr int kPlanarFamily = 31;            // " Horizontal/ Vertical/ Inclining Sundial"
constexpr int kUmbrellaFamily = 32;          // "\"Umbrella\"-dial"
constexpr int kUmbrellaDialPart = 51;        // "n Umbrella Dial"
}  // namespace tavrel::labelRow
