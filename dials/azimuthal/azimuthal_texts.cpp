#include "dials/azimuthal/azimuthal_texts.h"

#include "core/language.h"

namespace tavrel {

std::string azimuthalText(AzimuthalText id) { return tableText(TextTable::Texts, static_cast<int>(id)); }

std::string azimuthalText(AzimuthalText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

}  // namespace tavrel
