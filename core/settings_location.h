// Where the settings file "tav.ini" and the date list "tav_days.ini" live.
//
// A file in the working folder (the folder the program was started in) is
// used when it is there, so that a folder set up for one project keeps its
// own settings. Otherwise the files live in the user's configuration
// folder (Platform::configurationDirectory, following the XDG Base
// Directory standard: $XDG_CONFIG_HOME/tavrel, by default
// ~/.config/tavrel). Every file is written back where it was read; a file
// that exists nowhere yet is created in the configuration folder. Without
// a configuration folder (an empty name) the working folder alone is used.
#pragma once

#include <string>

namespace tavrel {

struct SettingsLocations {
  std::string settingsFile;  // "tav.ini" with its folder
  std::string dateListFile;  // "tav_days.ini": as a bare name when it is the working folder's
};

// The two files for a working folder and a configuration folder (either
// may be empty; an empty working folder means the current one):
// - settings: working/tav.ini when it exists, else configuration/tav.ini;
//   working/tav.ini when there is no configuration folder.
// - date list: "tav_days.ini" of the working folder when it exists there,
//   else configuration/tav_days.ini when it exists there, else beside the
//   settings file, so that an older setup in a working folder keeps its
//   two files together.
SettingsLocations locateSettingsFiles(const std::string& workingDirectory,
                                      const std::string& configurationDirectory);

// The configuration folder after the XDG Base Directory standard of freedesktop.org:
// xdgConfigHome + "/tavrel" when it is an absolute path, else home +
// "/.config/tavrel"; empty when neither is usable. Null pointers count as
// unset (the values of getenv).
std::string xdgConfigurationDirectory(const char* xdgConfigHome, const char* home);

// Before a settings or date-list file is written to path: when path lies
// directly in the platform's configuration folder, that folder is created
// (with its parents) if it is missing. False only when it had to be
// created and could not be; the write that follows then fails and reports.
bool makeConfigurationFolderFor(const std::string& path);

// Where the settings reader moves a damaged file (path) aside: "tav_ini.bak"
// in the configuration folder when path lies there, else in the current
// folder.
std::string settingsBackupPath(const std::string& path);

}  // namespace tavrel
