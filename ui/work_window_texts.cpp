#include "ui/work_window_texts.h"

#include "core/language.h"

namespace tavrel {

QString wtext(WorkText id, int language) {
  return QString::fromStdString(
      tableText(TextTable::WorkTexts, workTextRow::kWindowFirst + static_cast<int>(id), language));
}

QString wtext(WorkText id) {
  return QString::fromStdString(
      tableText(TextTable::WorkTexts, workTextRow::kWindowFirst + static_cast<int>(id)));
}

TextSource wt(WorkText id) {
  return [id] { return wtext(id); };
}

}  // namespace tavrel
