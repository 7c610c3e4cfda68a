// Rows of the text table (TextTable::Texts) that the Sawyer dial and the
// ham dial name.
#pragma once

namespace tavrel {

namespace sawyerTextRow {
constexpr int kGnomonLabel = 708;  // "Gnomon height ="
// German cell: "Berechnungen erfolgen nur für Breiten > +29 Grad oder
// Breite"; English: "No constructions for latitudes in between -29 deg <
// latitude". The refusal shows both.
constexpr int kTropics = 1500;
}  // namespace sawyerTextRow

}  // namespace tavrel
