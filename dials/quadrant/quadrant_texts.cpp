#include "dials/quadrant/quadrant_texts.h"

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"

namespace tavrel {

std::string quadrantText(QuadrantText id) { return tableText(TextTable::Texts, static_cast<int>(id)); }

std::string quadrantText(QuadrantText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

std::string quadrantLocationLine(const DesignState& d) {
  return quadrantText(QuadrantText::LatitudeIs) + fixedText(d.latitude, 6, 2) + quadrantText(QuadrantText::Deg) +
         quadrantText(QuadrantText::LongitudeIsComma) + fixedText(d.longitude, 6, 2) +
         quadrantText(QuadrantText::Deg);
}

std::string quadrantTimeText(const QuadrantInput& in, bool eotWordsOff) {
  if (in.temporal) return quadrantText(QuadrantText::Temporal);
  std::string s = quadrantText(in.zoneClock ? QuadrantText::ZoneApparent : QuadrantText::LocalApparent);
  if (!eotWordsOff) s += " " + quadrantText(in.withEot ? QuadrantText::WithEot : QuadrantText::WithoutEot);
  return s;
}

}  // namespace tavrel
