#include "dials/ring/ring_texts.h"

#include "core/language.h"

namespace tavrel {

std::string ringText(RingText id) { return tableText(TextTable::Texts, static_cast<int>(id)); }

std::string ringText(RingText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

}  // namespace tavrel
