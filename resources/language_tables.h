// The bilingual tables compiled into the program. The rows are generated
// at build time from the .tsv files of this folder (see README.md); the
// language module (core/language.h) is their only reader.
#pragma once

#include <algorithm>
#include <cstddef>

namespace tavrel::resources {

// One row: its number and its text in both languages (UTF-8).
struct Row {
  int id;
  const char* german;
  const char* english;
};

// Rows sorted by id, ids unique.
struct Table {
  const Row* rows;
  std::size_t count;

  // The row with that id, or nullptr.
  const Row* find(int id) const {
    const Row* end = rows + count;
    const Row* it = std::lower_bound(rows, end, id,
                                     [](const Row& r, int key) { return r.id < key; });
    return (it != end && it->id == id) ? it : nullptr;
  }
  const Row* begin() const { return rows; }
  const Row* end() const { return rows + count; }
};

extern const Table kStringTable;       // strings.tsv: UI strings, German key n
extern const Table kMessageTable;      // messages.tsv: messages 0..71
extern const Table kCaptionTable;      // captions.tsv: box captions, dialog titles
extern const Table kMenuTable;         // menu.tsv: the 45 main-menu captions
extern const Table kLabelTable;        // labels.tsv: dial names, page captions
extern const Table kTextTable;         // texts.tsv: longer texts, headers
extern const Table kPoleStyleTable;    // pole_style.tsv
extern const Table kExplanationTable;  // explanations.tsv
extern const Table kMonthTable;        // months.tsv: month 1..12
extern const Table kDialTypeTable;     // dial_types.tsv
extern const Table kWorkTextTable;     // work_texts.tsv: window, table, plot and legend texts

}  // namespace tavrel::resources
