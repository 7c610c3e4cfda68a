#include "plot/plot_grid.h"

#include <string>

#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

std::optional<int> plotGridSpacing(PlotGrid grid, int spacingMm) {
  switch (grid) {
    case PlotGrid::Ask: return askPlotGrid();
    case PlotGrid::On: return spacingMm;
    case PlotGrid::Off: break;
  }
  return std::nullopt;
}

std::optional<int> askPlotGrid() {
  if (showMessage(MsgCaption::Question, MsgIcon::Question, messageText(16), MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return std::nullopt;
  const std::optional<std::string> text =
      platform().inputBox(tableText(TextTable::Texts, textRow::kGridTitle),
                          tableText(TextTable::Texts, textRow::kGridWidthPrompt), "10");
  if (!text) return 10;
  // An integer as the old run-time library reads one: optional blanks and
  // sign, digits, nothing else.
  std::string s = *text;
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  if (i == s.size() || s.size() - i > 9) return 10;
  for (std::size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return 10;
  return std::stoi(s);
}

}  // namespace tavrel
