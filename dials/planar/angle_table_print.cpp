#include "dials/planar/angle_table_print.h"

#include <algorithm>

#include "core/design_state.h"
#include "core/language.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/pole_style_info.h"

namespace tavrel {

namespace {

constexpr const char* kGroupHeader = " hh:mm dd.dd tangens";

// Characters of a UTF-8 text.
std::size_t width(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string rightAligned(std::string s, std::size_t w) {
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  const std::size_t n = width(s);
  return n < w ? std::string(w - n, ' ') + s : s;
}

}  // namespace

AngleTablePrintout hourLineAnglePrintout(const DesignState& d, const HourLineAngleTable& table, double gnomonMm) {
  const char kind = planarPlane(d).kind;
  AngleTablePrintout p;
  p.title = table.dialTypeLine;

  std::vector<std::string> info = poleStyleInfoOfDesign(d, gnomonMm).lines;
  info.resize(std::min<std::size_t>(info.size(), kind == 'h' ? 7 : 10));
  if (info.size() > 5) info.erase(info.begin() + 5, info.begin() + std::min<std::size_t>(7, info.size()));
  if (kind == 'h' && info.size() > 3) info.resize(3);
  info.push_back("     " + table.sunlitLabel + table.sunlitText);
  info.push_back("");
  if (kind != 'h')
    for (int r = 0; r < explanationRow::kSteepestSlopeCount; ++r)
      info.push_back(tableText(TextTable::Explanations, explanationRow::kSteepestSlopeFirst + r));
  for (int r = 0; r < explanationRow::kAngleTableCount; ++r)
    info.push_back(tableText(TextTable::Explanations, explanationRow::kAngleTableFirst + r));
  p.infoLines = std::move(info);

  for (int g = 0; g < 4; ++g) p.header += kGroupHeader;
  const int used = std::min<int>(table.usedRows, static_cast<int>(table.printGrid.size()));
  for (int r = 0; r < used; ++r) {
    const std::vector<std::string>& cells = table.printGrid[static_cast<std::size_t>(r)];
    std::array<std::array<std::string, 3>, 4> row;
    for (std::size_t g = 0; g < 4; ++g)
      for (std::size_t c = 0; c < 3; ++c)
        if (4 * g + c < cells.size()) row[g][c] = cells[4 * g + c];
    p.rows.push_back(std::move(row));
  }
  p.continuedNote = tableText(TextTable::Texts, textRow::kTableContinues);
  return p;
}

std::vector<std::string> AngleTablePrintout::tableLines() const {
  // Time in 6 characters, angle in 9, tangent in 10: wide enough for every
  // cell, so the header's groups are widened to match.
  constexpr std::size_t kTime = 6, kAngle = 9, kTangent = 10;
  std::string head;
  for (int g = 0; g < 4; ++g) {
    std::string group = kGroupHeader;
    group.resize(kTime + kAngle + kTangent, ' ');
    head += group;
  }
  while (!head.empty() && head.back() == ' ') head.pop_back();
  std::vector<std::string> out{head};
  for (const auto& row : rows) {
    std::string line;
    for (const auto& group : row)
      line += rightAligned(group[0], kTime) + rightAligned(group[1], kAngle) + rightAligned(group[2], kTangent);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out.push_back(line);
  }
  return out;
}

}  // namespace tavrel
