#include "cli/data_file.h"

#include <iostream>

#include "astro/startup.h"
#include "core/settings_file.h"

namespace tavrel::cli {

bool loadDataFile(const std::string& path) {
  const SettingsReadResult r = readSettingsFile(path, prepareObliquity);
  switch (r.status) {
    case SettingsReadStatus::NotFound:
      std::cerr << "tavrel-cli: cannot read '" << path << "': no such file\n";
      return false;
    case SettingsReadStatus::Unreadable:
      std::cerr << "tavrel-cli: cannot read '" << path << "': not a readable settings file\n";
      return false;
    case SettingsReadStatus::MissingKept:
      // "tav.ini" was missing and the answer to creating it was No.
      std::cerr << "tavrel-cli: cannot read '" << path << "': no such file (not created)\n";
      return false;
    default:
      // Faults inside the file have been reported as the desktop program
      // reports them; the values read stand.
      return true;
  }
}

}  // namespace tavrel::cli
