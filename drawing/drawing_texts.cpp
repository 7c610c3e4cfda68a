#include "drawing/drawing_texts.h"

#include "core/language.h"
#include "dials/dial_family.h"

namespace tavrel {

std::string drawingText(DrawingText id, int language) {
  return tableText(TextTable::WorkTexts, workTextRow::kDrawingFirst + static_cast<int>(id), language);
}

std::string drawingText(DrawingText id) {
  return tableText(TextTable::WorkTexts, workTextRow::kDrawingFirst + static_cast<int>(id));
}

std::string mouseHint(const DesignState& d) {
  const DialFamily* family = familyOf(d);
  if (!family) return {};
  if (family->mouseHint) return family->mouseHint();
  // The mouse hints belong to the dials whose foot a click places; the
  // others take no plain click, and their hint would cover nothing useful.
  if (!dialHas(d, kCapGnomonFoot)) return {};
  return drawingText(dialHas(d, kCapTextAnchor) ? DrawingText::HintFixGnomon : DrawingText::HintFixGnomonOnly);
}

}  // namespace tavrel
