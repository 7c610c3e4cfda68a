#include "dials/peaucellier/peaucellier_texts.h"

#include "core/language.h"

namespace tavrel {

std::string peaucellierText(PeaucellierText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

}  // namespace tavrel
