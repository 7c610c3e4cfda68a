// The embedded world outline as the list of lines the map reads
// (DesignState::coastlineText).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct DesignState;

// Splits an outline text into its lines; CR LF, LF and a lone CR end a
// line, the terminators are not kept.
std::vector<std::string> outlineLines(std::string_view text);

// Fills d.coastlineText from the outline built into the program, once: a
// list already filled is kept.
void loadWorldOutline(DesignState& d);

}  // namespace tavrel
