// info: the pole-style information of a planar dial, as the drawing
// window shows it.
#include <iostream>

#include "cli/command_registry.h"
#include "core/design_state.h"
#include "dials/dial_family.h"
#include "dials/planar/pole_style_info.h"

namespace tavrel::cli {
namespace {

int runInfo(const std::vector<std::string>& args) {
  if (!args.empty()) return usageError("info takes no arguments");
  const DesignState& d = design();
  if (!dialHas(d, kCapAngleTable))
    return commandFailed(
        "info: the pole-style information is made for horizontal, vertical and inclined dials "
        "without umbrella (dialKind h, v or i, umbrellaMode false)");
  for (const std::string& line : poleStyleInfoAtZoom(design(), 1.0).lines) std::cout << line << '\n';
  return kExitOk;
}

const CommandRegistrar kInfo{
    {"info", "info                 the pole-style information of a planar dial", runInfo}};

}  // namespace
}  // namespace tavrel::cli
