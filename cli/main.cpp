// tavrel-cli: the batch front end. Runs the constructions, plots,
// conversions and tables of Tavrel without a window, on the same core as
// the desktop program.
//
// Exit status: 0 success, 1 the command ran but failed, 2 bad usage.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/data_file.h"
#include "core/batch_platform.h"
#include "core/design_fields.h"
#include "core/design_state.h"
#include "core/language.h"
#include "astro/startup.h"
#include "dials/dial_family.h"

namespace {

using namespace tavrel;
using namespace tavrel::cli;

void printUsage() {
  std::cout << "usage: tavrel-cli [global options] COMMAND [arguments]\n"
               "\n"
               "Global options (before the command):\n"
               "  --data FILE          read a settings or construction-data file first\n"
               "  --set FIELD=VALUE    set one field of the design record (repeatable)\n"
               "  --lang de|en         language of the texts produced (default: the\n"
               "                       file's, else German)\n"
               "  --answer yes|no      answer to every question box (default no)\n"
               "  --today YYYY-MM-DD   the date the program takes as today\n"
               "  --help               this text\n"
               "\n"
               "Commands:\n";
  for (const CommandInfo& c : registeredCommands()) std::cout << "  " << c.usage << '\n';
  std::cout << "\nDial kinds (--set dialKind=LETTER; --set umbrellaMode=true for the umbrella form):\n";
  for (const std::string& line : dialKindList()) std::cout << "  " << line << '\n';
  std::cout << "\nThe fields of the design record, with their values: tavrel-cli show\n"
               "The help of one command: tavrel-cli COMMAND --help\n"
               "\nFiles (of the desktop program; --data reads any of them):\n"
               "  tav.ini              the settings, read at start; with tav_days.ini (the\n"
               "                       own date lines) taken from the working folder when\n"
               "                       present there, else from the configuration folder\n"
               "                       $XDG_CONFIG_HOME/tavrel (default ~/.config/tavrel),\n"
               "                       where they are created when they exist nowhere;\n"
               "                       each is written back where it was read\n"
               "  *.tav                construction data (\"Save Sundial Data\"); the\n"
               "                       desktop program opens the file given as its one\n"
               "                       argument\n"
               "\nExit status: 0 success, 1 the command failed, 2 bad usage.\n";
}

// COMMAND --help: the command's own part of --help.
void printCommandUsage(const CommandInfo& c) {
  std::cout << "usage: tavrel-cli [global options] " << c.name << " ...\n\n";
  std::string_view usage = c.usage;
  while (!usage.empty()) {
    const std::size_t end = usage.find('\n');
    std::cout << "  " << usage.substr(0, end) << '\n';
    usage = end == std::string_view::npos ? std::string_view{} : usage.substr(end + 1);
  }
  std::cout << "\nThe global options: tavrel-cli --help\n";
}

bool asksForHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  GlobalOptions options;
  std::string error;
  if (!parseGlobalOptions(args, options, error)) return usageError(error);
  if (options.help) {
    printUsage();
    return kExitOk;
  }
  if (options.command.empty()) return usageError("no command given");
  const CommandInfo* command = nullptr;
  const std::vector<CommandInfo> commands = registeredCommands();
  for (const CommandInfo& c : commands)
    if (options.command == c.name) command = &c;
  if (!command) return usageError("unknown command '" + options.command + "'");
  if (asksForHelp(options.commandArgs)) {
    printCommandUsage(*command);
    return kExitOk;
  }

  BatchPlatform batch(std::cerr);
  batch.answerYes = options.answerYes;
  batch.today = options.today;
  setPlatform(&batch);

  startProgram();
  DesignState& d = design();
  if (options.dataFile) {
    if (!loadDataFile(*options.dataFile)) return kExitFailed;
  } else {
    // As the desktop program after declining to create a missing "tav.ini":
    // the settings reader prepares the obliquity tables of the reference
    // year (today's year), which start-up had prepared for 2020.
    prepareObliquity(d.referenceYear);
  }
  if (options.language) selectLanguage(*options.language == 1);
  for (const auto& [field, value] : options.sets)
    if (auto e = setDesignField(d, field, value)) return usageError(*e);

  return command->run(options.commandArgs);
}
