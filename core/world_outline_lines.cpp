#include "core/world_outline_lines.h"

#include "core/design_state.h"
#include "resources/world_outline.h"

namespace tavrel {

std::vector<std::string> outlineLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

void loadWorldOutline(DesignState& d) {
  if (d.coastlineText.empty()) d.coastlineText = outlineLines(worldOutlineText());
}

}  // namespace tavrel
