// The window-text table generated from resources/ui_texts.tsv (its rows are compiled
// with this declaration in force so that the table has external linkage).
#pragma once

#include "resources/language_tables.h"

namespace tavrel::resources {
extern const Table kUiTextTable;
}
