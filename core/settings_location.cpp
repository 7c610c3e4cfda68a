#include "core/settings_location.h"

#include <filesystem>
#include <system_error>

#include "core/platform.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsName = "tav.ini";
constexpr const char* kDateListName = "tav_days.ini";

bool isFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// True when path names a file directly inside folder (both made absolute
// and normal, so "a/b/../c" and a trailing separator do not matter).
bool liesDirectlyIn(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.empty()) return false;
  std::error_code ec;
  const fs::path file = fs::absolute(path, ec).lexically_normal();
  if (ec) return false;
  fs::path dir = fs::absolute(folder, ec).lexically_normal();
  if (ec) return false;
  if (!dir.has_filename()) dir = dir.parent_path();
  return file.parent_path() == dir;
}

}  // namespace

SettingsLocations locateSettingsFiles(const std::string& workingDirectory,
                                      const std::string& configurationDirectory) {
  const fs::path working(workingDirectory);
  const fs::path config(configurationDirectory);
  SettingsLocations out;

  const fs::path workingSettings = working / kSettingsName;
  const bool settingsInWorking = configurationDirectory.empty() || isFile(workingSettings);
  out.settingsFile = (settingsInWorking ? workingSettings : config / kSettingsName).string();

  if (isFile(working / kDateListName) || configurationDirectory.empty())
    out.dateListFile = kDateListName;
  else if (isFile(config / kDateListName) || !settingsInWorking)
    out.dateListFile = (config / kDateListName).string();
  else
    out.dateListFile = kDateListName;
  return out;
}

std::string xdgConfigurationDirectory(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/tavrel";
  if (home && home[0] == '/') return std::string(home) + "/.config/tavrel";
  return {};
}

bool makeConfigurationFolderFor(const std::string& path) {
  const std::string folder = platform().configurationDirectory();
  if (!liesDirectlyIn(path, folder)) return true;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return !ec;
}

std::string settingsBackupPath(const std::string& path) {
  const std::string config = platform().configurationDirectory();
  const std::string folder = liesDirectlyIn(path, config) ? config : platform().currentDirectory();
  return (fs::path(folder) / "tav_ini.bak").string();
}

}  // namespace tavrel
