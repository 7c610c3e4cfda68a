#include "cli/command_registry.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace tavrel::cli {

namespace {
std::vector<CommandInfo>& registry() {
  static std::vector<CommandInfo> commands;
  return commands;
}
}  // namespace

CommandRegistrar::CommandRegistrar(const CommandInfo& info) { registry().push_back(info); }

std::vector<CommandInfo> registeredCommands() {
  std::vector<CommandInfo> sorted = registry();
  std::sort(sorted.begin(), sorted.end(), [](const CommandInfo& a, const CommandInfo& b) {
    return std::strcmp(a.name, b.name) < 0;
  });
  return sorted;
}

int usageError(const std::string& message) {
  std::cerr << "tavrel-cli: " << message << "\n"
            << "Try 'tavrel-cli --help'.\n";
  return kExitUsage;
}

int commandFailed(const std::string& message) {
  std::cerr << "tavrel-cli: " << message << "\n";
  return kExitFailed;
}

}  // namespace tavrel::cli
