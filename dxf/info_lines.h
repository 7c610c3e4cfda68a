// The information lines of the drawing window: notes, coordinate listings
// and the diagnostics of the last plot-file conversion, one text per line.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

// The shared list. convertHpglToDxf clears it and appends its diagnostics; the
// drawing window shows it in its information panel.
std::vector<std::string>& infoLines();

}  // namespace tavrel
