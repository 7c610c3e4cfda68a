#include "dials/planar/planar_plot_texts.h"

#include "core/language.h"

namespace tavrel {

std::string plotText(PlotText id, int language) {
  return tableText(TextTable::WorkTexts, workTextRow::kPlotFirst + static_cast<int>(id), language);
}

std::string plotText(PlotText id) {
  return tableText(TextTable::WorkTexts, workTextRow::kPlotFirst + static_cast<int>(id));
}

}  // namespace tavrel
