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
  if (!family || !family->built()) return {};
  if (family->mouseHint) return family->mouseHint();
  const bool foot = dialHas(d, kCapGnomonFoot), text = dialHas(d, kCapTextAnchor);
  if (foot && text) return drawingText(DrawingText::HintFixGnomon);
  if (foot) return drawingText(DrawingText::HintFixGnomonOnly);
  if (text) return drawingText(DrawingText::HintMarkText);
  return {};
}

}  // namespace tavrel
