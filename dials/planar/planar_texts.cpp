#include "dials/planar/planar_texts.h"

#include "core/language.h"

namespace tavrel {

std::string planarText(PlanarText id, int language) {
  return tableText(TextTable::WorkTexts, workTextRow::kPlanarFirst + static_cast<int>(id), language);
}

std::string planarText(PlanarText id) {
  return tableText(TextTable::WorkTexts, workTextRow::kPlanarFirst + static_cast<int>(id));
}

}  // namespace tavrel
