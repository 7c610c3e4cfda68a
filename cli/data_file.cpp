#include "cli/data_file.h"

#include <iostream>

#include "astro/startup.h"
#include "core/settings_file.h"

namespace tavrel::cli {

namespace {

bool cannotUse(const std::string& path, const std::string& why) {
  std::cerr << "tavrel-cli: cannot use '" << path << "': " << why << "\n";
  return false;
}

}  // namespace

bool loadDataFile(const std::string& path, bool partialIsUsable) {
  const SettingsReadResult r = readSettingsFile(path, prepareObliquity);
  switch (r.status) {
    case SettingsReadStatus::NotFound:
      std::cerr << "tavrel-cli: cannot read '" << path << "': no such file\n";
      return false;
    case SettingsReadStatus::Unreadable:
      std::cerr << "tavrel-cli: cannot read '" << path << "': "
                << (r.readError ? r.readError.message() : "not a readable settings file") << "\n";
      return false;
    case SettingsReadStatus::MissingKept:
      // "tav.ini" was missing and the answer to creating it was No.
      std::cerr << "tavrel-cli: cannot read '" << path << "': no such file (not created)\n";
      return false;
    case SettingsReadStatus::NotSettingsFile:
      return cannotUse(path, "not a settings or construction-data file (left unchanged)");
    case SettingsReadStatus::BadStructure:
      return cannotUse(path, "its sections are missing or misplaced; the record holds the defaults");
    case SettingsReadStatus::StoppedAtFault:
      // The faults have been reported as the desktop program reports them.
      if (partialIsUsable) return true;
      return cannotUse(path, "reading stopped at the faulty line " + std::to_string(r.faultLine));
    default:
      // Faults inside the file that the reader replaced have been reported
      // as the desktop program reports them; the values read stand.
      return true;
  }
}

}  // namespace tavrel::cli
