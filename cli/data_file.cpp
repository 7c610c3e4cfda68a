#include "cli/data_file.h"

#include <iostream>

namespace tavrel::cli {

bool loadDataFile(const std::string& path) {
  std::cerr << "tavrel-cli: cannot read '" << path
            << "': settings files are not supported by this build\n";
  return false;
}

}  // namespace tavrel::cli
