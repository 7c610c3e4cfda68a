// The global --data FILE option: reads a settings or construction-data
// file into the design record with every rule of the settings reader.
#pragma once

#include <string>

namespace tavrel::cli {

// Returns false when the file could not be used (the reason has been
// reported on stderr through the platform): missing, unreadable, not a
// settings file, or damaged so that the record does not hold what the
// file holds (headers missing or misplaced: the defaults; a faulty value:
// the reading stopped there). With partialIsUsable a file whose reading
// stopped at a faulty value counts as used as far as it was read (the
// settings command shows what the reader made of it).
bool loadDataFile(const std::string& path, bool partialIsUsable = false);

}  // namespace tavrel::cli
