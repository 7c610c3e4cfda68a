#include "dxf/info_lines.h"

namespace tavrel {

std::vector<std::string>& infoLines() {
  static std::vector<std::string> lines;
  return lines;
}

}  // namespace tavrel
