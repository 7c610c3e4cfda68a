#include "drawing/drawing_texts.h"

#include "core/language.h"

namespace tavrel {

std::string drawingText(DrawingText id, int language) {
  return tableText(TextTable::WorkTexts, workTextRow::kDrawingFirst + static_cast<int>(id), language);
}

std::string drawingText(DrawingText id) {
  return tableText(TextTable::WorkTexts, workTextRow::kDrawingFirst + static_cast<int>(id));
}

}  // namespace tavrel
