#include "tables/table_texts.h"

#include <array>

#include "core/design_state.h"
#include "core/language.h"

namespace tavrel {

namespace {

constexpr int kCount = static_cast<int>(TablesText::kCount);

// The rows are looked up once per language and kept, so that callers may
// hold the reference (both languages stay valid side by side).
const std::string& cached(int row, int language) {
  static std::array<std::array<std::string, kCount + 12>, 2> rows;
  static std::array<bool, 2> filled{false, false};
  const int l = language == 2 ? 1 : 0;
  if (!filled[l]) {
    for (int i = 0; i < kCount; ++i)
      rows[l][i] = tableText(TextTable::WorkTexts, workTextRow::kTablesFirst + i, l + 1);
    for (int m = 1; m <= 12; ++m)
      rows[l][kCount + m - 1] = tableText(TextTable::WorkTexts, workTextRow::kFullMonthFirst + m, l + 1);
    filled[l] = true;
  }
  return rows[l][row];
}

}  // namespace

const std::string& tablesText(TablesText id, int language) {
  static const std::string empty;
  const int i = static_cast<int>(id);
  if (i < 0 || i >= kCount) return empty;
  return cached(i, language);
}

const std::string& tablesText(TablesText id) { return tablesText(id, design().language); }

const std::string& fullMonthName(int month) {
  static const std::string empty;
  if (month < 1 || month > 12) return empty;
  return cached(kCount + month - 1, design().language);
}

const std::string& twilightName(int twilightKind) {
  switch (twilightKind) {
    case 0: return tablesText(TablesText::kTwilightCivil);
    case 1: return tablesText(TablesText::kTwilightNautical);
    default: return tablesText(TablesText::kTwilightAstronomical);
  }
}

}  // namespace tavrel
