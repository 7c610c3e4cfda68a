// settings: the settings text that "Save Sundial Data" writes for the
// record, optionally after reading a settings or construction-data file.
#include <iostream>

#include "cli/command_registry.h"
#include "cli/data_file.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_file.h"
#include "core/text_file.h"

namespace tavrel::cli {
namespace {

int runSettings(const std::vector<std::string>& args) {
  std::optional<std::string> input;
  std::optional<std::string> output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--write") {
      if (i + 1 >= args.size()) return usageError("option --write needs a value");
      output = args[++i];
    } else if (a.starts_with("--")) {
      return usageError("settings: unknown option '" + a + "'");
    } else if (input) {
      return usageError("settings takes at most one FILE, got '" + a + "'");
    } else {
      input = a;
    }
  }

  if (input && !loadDataFile(*input, true)) return kExitFailed;
  const std::vector<std::string> lines = buildSettingsText(false);
  if (!output) {
    // On the terminal: UTF-8 with LF; the file form is --write.
    for (const std::string& line : lines) std::cout << line << '\n';
    return kExitOk;
  }
  if (!writeTextFileLines(*output, lines)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, *output + " :\r\n" + messageText(18));
    return kExitFailed;
  }
  return kExitOk;
}

const CommandRegistrar kSettings{
    {"settings",
     "settings [FILE] [--write OUT]\n"
     "                     read FILE (settings or construction data) when given, then\n"
     "                     print the file \"Save Sundial Data\" writes for the record,\n"
     "                     or write it to OUT (Windows-1252, CR LF)",
     runSettings}};

}  // namespace
}  // namespace tavrel::cli
