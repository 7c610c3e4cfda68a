#include "core/date_list_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/day_month.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_location.h"
#include "core/text_file.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDatesHeader = "[Datumslinien]";

bool fileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// The non-empty lines from `first` on that pass the entry check (which
// names each rejected entry in its own box).
std::vector<std::string> validEntries(const std::vector<std::string>& lines, std::size_t first) {
  std::vector<std::string> entries;
  for (std::size_t i = first; i < lines.size(); ++i)
    if (!lines[i].empty() && isValidDayMonthEntry(lines[i])) entries.push_back(lines[i]);
  return entries;
}

}  // namespace

bool saveDateListFile() {
  const DesignState& d = design();
  makeConfigurationFolderFor(d.dateSettingsFileName);
  if (writeTextFileLines(d.dateSettingsFileName, d.ownDateLines)) return true;
  showMessage(MsgCaption::Error, MsgIcon::Error,
              d.dateSettingsFileName + " :" + "\r\n" + messageText(53));
  return false;
}

bool loadDateListFile() {
  DesignState& d = design();
  if (!fileExists(d.dateSettingsFileName)) return false;
  auto lines = readTextFileLines(d.dateSettingsFileName);
  if (!lines) return false;
  d.ownDateLines = std::move(*lines);
  return true;
}

bool saveDatesToSettingsFile() {
  const DesignState& d = design();
  if (!fileExists(d.settingsFileName)) return false;
  auto lines = readTextFileLines(d.settingsFileName);
  if (!lines) {
    showMessage(MsgCaption::Error, MsgIcon::Error,
                d.settingsFileName + " :" + "\r\n" + messageText(18));
    return false;
  }
  std::size_t header = 0;
  while (header < lines->size() && (*lines)[header] != kDatesHeader) ++header;
  lines->resize(header);
  lines->emplace_back(kDatesHeader);
  for (const std::string& entry : d.ownDateLines)
    if (isValidDayMonthEntry(entry)) lines->push_back(entry);
  if (writeTextFileLines(d.settingsFileName, *lines)) return true;
  showMessage(MsgCaption::Error, MsgIcon::Error,
              d.settingsFileName + " :" + "\r\n" + messageText(18));
  return false;
}

bool loadDatesFromSettingsFile() {
  DesignState& d = design();
  if (fileExists(d.settingsFileName)) {
    if (const auto lines = readTextFileLines(d.settingsFileName)) {
      std::size_t header = 0;
      while (header < lines->size() && (*lines)[header] != kDatesHeader) ++header;
      if (header + 1 < lines->size()) {
        d.ownDateLines = validEntries(*lines, header + 1);
        return true;
      }
    }
  }
  if (fileExists(d.dateSettingsFileName)) {
    if (const auto lines = readTextFileLines(d.dateSettingsFileName)) {
      d.ownDateLines = validEntries(*lines, 0);
      return true;
    }
  }
  showMessage(MsgCaption::Problem, messageText(63));
  return false;
}

bool isValidDayMonthEntry(std::string_view text) {
  if (dayMonthOfEntry(text, design().referenceYear)) return true;
  if (!text.empty()) showMessage(MsgCaption::Error, std::string(text) + ": " + messageText(57));
  return false;
}

}  // namespace tavrel
