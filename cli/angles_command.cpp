// angles: the hour-line angle table of a planar dial, as text.
#include <iostream>

#include "cli/command_registry.h"
#include "core/design_state.h"
#include "dials/dial_family.h"
#include "dials/planar/hour_line_angles.h"

namespace tavrel::cli {
namespace {

int runAngles(const std::vector<std::string>& args) {
  if (!args.empty()) return usageError("angles takes no arguments");
  const DesignState& d = design();
  if (!dialHas(d, kCapAngleTable))
    return commandFailed(
        "angles: the hour-line angle table is made for horizontal, vertical and inclined dials "
        "without umbrella (dialKind h, v or i, umbrellaMode false)");
  const HourLineAngleTable table = computeHourLineAngles(design());
  for (const std::string& line : hourLineAngleText(design(), table)) std::cout << line << '\n';
  return kExitOk;
}

const CommandRegistrar kAngles{
    {"angles", "angles               the hour-line angle table of a planar dial, as text", runAngles}};

}  // namespace
}  // namespace tavrel::cli
