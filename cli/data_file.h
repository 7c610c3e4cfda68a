// The global --data FILE option: reads a settings or construction-data
// file into the design record with every rule of the settings reader.
#pragma once

#include <string>

namespace tavrel::cli {

// Returns false when the file could not be used (the reason has been
// reported on stderr through the platform).
bool loadDataFile(const std::string& path);

}  // namespace tavrel::cli
