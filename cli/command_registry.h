// The commands of tavrel-cli. Each command lives in its own source file
// and registers itself with a static CommandRegistrar:
//
//   static const CommandRegistrar kShow{{"show", "show   print every field", runShow}};
#pragma once

#include <string>
#include <vector>

namespace tavrel::cli {

// Exit status of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandInfo {
  const char* name;
  const char* usage;  // one or more lines for --help, without trailing newline
  int (*run)(const std::vector<std::string>& args);
};

class CommandRegistrar {
 public:
  explicit CommandRegistrar(const CommandInfo& info);
};

// The registered commands, sorted by name.
std::vector<CommandInfo> registeredCommands();

// Writes "tavrel-cli: MESSAGE" and the --help pointer to stderr; returns 2.
int usageError(const std::string& message);

// Writes "tavrel-cli: MESSAGE" to stderr; returns 1.
int commandFailed(const std::string& message);

}  // namespace tavrel::cli
