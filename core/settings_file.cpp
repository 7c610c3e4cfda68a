#include "core/settings_file.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/date_list_file.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_fields.h"
#include "core/settings_location.h"
#include "core/text_file.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

using settings_detail::kHourRangeCount;
using settings_detail::kValueLineCount;
using settings_detail::kValueLines;
using settings_detail::toInt;
using settings_detail::trimBlanks;

constexpr std::string_view kColorsHeader = "[Farben]";
constexpr std::string_view kHoursHeader = "[Zeiten]";
constexpr std::string_view kDatesHeader = "[Datumslinien]";
constexpr int kColorCount = 12;

void syncLanguageFields() { selectLanguage(design().germanSelected); }

// --- The reader -------------------------------------------------------

class SettingsReader {
 public:
  SettingsReader(std::string path, std::vector<std::string> lines)
      : path_(std::move(path)), lines_(std::move(lines)) {}

  SettingsReadResult run();

 private:
  // Each returns false when the value stops the reading.
  bool readColorLine(int k, const std::string& line);
  bool readHourLine(int k, const std::string& line);
  void readDateLine(const std::string& line);

  bool askToCorrect(int index);
  bool backUpAndRewrite();

  std::string path_;
  std::vector<std::string> lines_;
  std::size_t dateLinesRead_ = 0, dateLinesLeftOut_ = 0;
};

int lastIndexOf(const std::vector<std::string>& lines, std::string_view header) {
  int found = 0;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == header) found = static_cast<int>(i);
  return found;
}

SettingsReadResult SettingsReader::run() {
  DesignState& d = design();
  d.childWindowsNormal = true;
  d.germanSelected = true;

  const int f = lastIndexOf(lines_, kColorsHeader);
  const int z = lastIndexOf(lines_, kHoursHeader);
  const int dates = lastIndexOf(lines_, kDatesHeader);
  SettingsReadResult result;
  if (!(f < z && z < dates && lines_.size() > 25)) {
    loadDefaultValues();
    result.status = SettingsReadStatus::BadStructure;
    if (showMessage(MsgCaption::Question, MsgIcon::Question, messageText(14),
                    MsgButtons::YesNo) == MsgAnswer::Yes) {
      result.corrected = backUpAndRewrite();
    }
    return result;
  }

  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const std::string& line = lines_[static_cast<std::size_t>(i)];
    bool go = true;
    if (i < f) {
      if (i < kValueLineCount) go = kValueLines[static_cast<std::size_t>(i)].read(d, line);
    } else if (i == f || i == z) {
      continue;
    } else if (i < z) {
      go = readColorLine(i - f, line);
    } else if (i < dates) {
      go = readHourLine(i - z, line);
    } else if (i == dates) {
      d.ownDateLines.clear();
    } else {
      readDateLine(line);
    }
    if (!go) {
      result.status = SettingsReadStatus::StoppedAtFault;
      result.faultLine = i + 1;
      result.corrected = askToCorrect(i);
      return result;
    }
  }
  if (dateLinesLeftOut_ > 0) reportDateLinesLeftOut(path_, dateLinesLeftOut_);
  return result;
}

bool SettingsReader::readColorLine(int k, const std::string& line) {
  // Only twelve pens exist; further lines before "[Zeiten]" are ignored.
  if (k > kColorCount) return true;
  if (trimBlanks(line).empty()) return true;
  const auto v = toInt(line);
  if (!v) return false;
  design().colors[static_cast<std::size_t>(k - 1)] = *v;
  return true;
}

bool SettingsReader::readHourLine(int k, const std::string& line) {
  DesignState& d = design();
  if (k <= kHourRangeCount) {
    const auto& r = settings_detail::kHourRanges[static_cast<std::size_t>(k - 1)];
    const auto v = toInt(line);
    if (!v) return false;
    if (*v < r.min || *v > r.max) {
      d.*r.field = r.replacement;
      return false;
    }
    d.*r.field = *v;
    return true;
  }
  if (k > kHourRangeCount + 1) return true;
  return settings_detail::readHourIntervals(d, line);
}

void SettingsReader::readDateLine(const std::string& line) {
  if (dateLinesRead_ == kMostOwnDateLines) {
    ++dateLinesLeftOut_;
    return;
  }
  ++dateLinesRead_;
  if (isValidDayMonthEntry(line)) {
    design().ownDateLines.push_back(line);
    return;
  }
  showMessage(MsgCaption::Error, MsgIcon::Question,
              workText(workTextRow::kIniFaultyDate) + line + workText(workTextRow::kIniIn) + path_);
}

// Moves the damaged file aside as "tav_ini.bak" in the current folder (in
// the configuration folder for a file that lives there).
// rename replaces an older backup in one step; where rename cannot work
// (another file system) the file is copied.
bool backUpDamagedFile(const std::string& path) {
  const fs::path backup = settingsBackupPath(path);
  std::error_code ec;
  if (fs::equivalent(path, backup, ec)) return false;  // a backup onto itself saves nothing
  ec.clear();
  fs::rename(path, backup, ec);
  if (!ec) return true;
  ec.clear();
  fs::copy_file(path, backup, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool SettingsReader::askToCorrect(int index) {
  const std::string text = fileNameWithoutDirectory(path_) + workText(workTextRow::kIniLineOf) +
                           std::to_string(index + 1) + "\n\r" + messageText(14);
  if (showMessage(MsgCaption::Problem, MsgIcon::Question, text, MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return false;
  loadDefaultValues();
  backUpAndRewrite();
  return true;
}

// The damaged file is kept as "tav_ini.bak" (message 37), then the record
// is written in its place. Without a backup (message 36) the damaged file
// is the only copy of the user's data: it is not overwritten.
bool SettingsReader::backUpAndRewrite() {
  const bool backedUp = backUpDamagedFile(path_);
  if (backedUp)
    showMessage(MsgCaption::Information, MsgIcon::Information, messageText(37));
  else
    showMessage(MsgCaption::Information, MsgIcon::Error, messageText(36));
  return backedUp && writeSettingsFile(path_);
}

void finishReading(YearTablesFunction prepareYearTables) {
  prepareYearTables(design().referenceYear);
  syncLanguageFields();
}

// The palette stored in the settings file, for Save INI-File. nullopt when
// it cannot be read (file missing or unreadable, no "[Farben]" line).
std::optional<std::array<std::int32_t, 12>> storedPalette() {
  const std::string& name = design().settingsFileName;
  std::error_code ec;
  if (!fs::exists(name, ec)) return std::nullopt;
  const auto lines = readTextFileLines(name);
  if (!lines) {
    showMessage(MsgCaption::Information, MsgIcon::Question,
                workText(workTextRow::kIniNoStoredColours));
    return std::nullopt;
  }
  for (std::size_t h = 0; h < lines->size(); ++h) {
    if ((*lines)[h] != kColorsHeader) continue;
    std::array<std::int32_t, 12> palette{};
    for (std::size_t k = 1; k <= palette.size(); ++k) {
      const std::size_t i = h + k;
      palette[k - 1] = i < lines->size() ? toInt((*lines)[i]).value_or(0) : 255;
    }
    return palette;
  }
  return std::nullopt;
}

// A settings file, even a damaged one, holds at least one of its section
// headers; an empty file is a settings file that lost everything. Any
// other file (a plot, a picture, a text) is somebody else's: it is not
// read, and never overwritten with the defaults.
bool holdsASectionHeader(const std::vector<std::string>& lines) {
  bool empty = true;
  for (const std::string& line : lines) {
    if (line == kColorsHeader || line == kHoursHeader || line == kDatesHeader) return true;
    if (!trimBlanks(line).empty()) empty = false;
  }
  return empty;
}

std::optional<std::size_t> firstIndexOf(const std::vector<std::string>& lines,
                                        std::string_view header, std::size_t end) {
  for (std::size_t i = 0; i < lines.size() && i < end; ++i)
    if (lines[i] == header) return i;
  return std::nullopt;
}

}  // namespace

SettingsReadResult readSettingsFile(const std::string& path,
                                    YearTablesFunction prepareYearTables) {
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (fileNameWithoutDirectory(path) != "tav.ini") return {SettingsReadStatus::NotFound};
    SettingsReadResult result{SettingsReadStatus::MissingKept};
    const std::string text = path + " : " + "\n\r" + messageText(34) + "\n\r" + messageText(35);
    if (showMessage(MsgCaption::Question, MsgIcon::Question, text, MsgButtons::YesNo) ==
        MsgAnswer::Yes) {
      loadDefaultValues();
      writeSettingsFile(path);
      result.status = SettingsReadStatus::MissingCreated;
    }
    prepareYearTables(design().referenceYear);
    return result;
  }
  std::error_code why;
  auto lines = readTextFileLines(path, &why);
  if (!lines) {
    SettingsReadResult unreadable{SettingsReadStatus::Unreadable};
    unreadable.readError = why;
    return unreadable;
  }
  if (!holdsASectionHeader(*lines)) return {SettingsReadStatus::NotSettingsFile};
  SettingsReader reader(path, std::move(*lines));
  const SettingsReadResult result = reader.run();
  // Also after a structure fault: the defaults bring the year 2020, whose
  // obliquity tables must then be in force.
  finishReading(prepareYearTables);
  return result;
}

std::vector<std::string> buildSettingsText(bool keepStoredColors) {
  DesignState& d = design();
  std::optional<std::array<std::int32_t, 12>> stored;
  if (keepStoredColors) {
    stored = storedPalette();
    if (stored) d.savedColors = *stored;
  }

  std::vector<std::string> out;
  for (const auto& valueLine : kValueLines) out.push_back(valueLine.write(d));

  out.emplace_back(kColorsHeader);
  for (std::int32_t c : stored ? d.savedColors : d.colors) out.push_back(std::to_string(c));

  out.emplace_back(kHoursHeader);
  for (const auto& range : settings_detail::kHourRanges)
    out.push_back(std::to_string(d.*range.field));
  out.push_back(settings_detail::hourIntervalsText(d));

  out.emplace_back(kDatesHeader);
  // Every valid entry is written, however long the list.
  for (const std::string& entry : d.ownDateLines)
    if (isValidDayMonthEntry(entry)) out.push_back(entry);
  return out;
}

bool writeSettingsFile(const std::string& path) {
  makeConfigurationFolderFor(path);
  if (writeTextFileLines(path, buildSettingsText(false))) {
    showMessage(MsgCaption::Information, MsgIcon::Information, path + "  " + messageText(58));
    return true;
  }
  showMessage(MsgCaption::Error, MsgIcon::Error, path + " :" + "\r\n" + messageText(18));
  return false;
}

bool saveSettingsAs(const std::string& path, bool keepStoredColors) {
  makeConfigurationFolderFor(path);
  if (writeTextFileLines(path, buildSettingsText(keepStoredColors))) {
    showMessage(MsgCaption::Information, MsgIcon::Information, path + messageText(58));
    return true;
  }
  showMessage(MsgCaption::Error, MsgIcon::Error, path + " :" + "\r\n" + messageText(18));
  return false;
}

bool reloadSettingsFile(YearTablesFunction prepareYearTables) {
  DesignState& d = design();
  if (!d.inputValid) return false;
  const SettingsReadResult r = readSettingsFile(d.settingsFileName, prepareYearTables);
  if (r.status == SettingsReadStatus::NotFound || r.status == SettingsReadStatus::Unreadable ||
      r.status == SettingsReadStatus::NotSettingsFile) {
    showMessage(MsgCaption::Error, MsgIcon::Error, messageText(24) + "3");
    return false;
  }
  // A missing "tav.ini" that the user chose not to create was not loaded.
  if (r.status == SettingsReadStatus::MissingKept) return false;
  showMessage(MsgCaption::Information, MsgIcon::Information, d.settingsFileName + messageText(56));
  return true;
}

bool loadSettingsFrom(const std::string& path, YearTablesFunction prepareYearTables) {
  const SettingsReadResult r = readSettingsFile(path, prepareYearTables);
  if (r.status == SettingsReadStatus::NotFound || r.status == SettingsReadStatus::Unreadable ||
      r.status == SettingsReadStatus::NotSettingsFile) {
    showMessage(MsgCaption::Error, MsgIcon::Error, messageText(24) + "4");
    return false;
  }
  return r.status != SettingsReadStatus::MissingKept;
}

bool saveColorsToSettingsFile() {
  const DesignState& d = design();
  const std::string& path = d.settingsFileName;
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    showMessage(MsgCaption::Problem, MsgIcon::Warning, messageText(33));
    return false;
  }
  auto lines = readTextFileLines(path);
  const auto header = lines ? firstIndexOf(*lines, kColorsHeader, lines->size()) : std::nullopt;
  if (!header) {
    // Without a colour section there is no place for the palette; the file
    // is left as it is.
    showMessage(MsgCaption::Warning, MsgIcon::Warning,
                fileNameWithoutDirectory(path) + " : " + messageText(30));
    return false;
  }
  auto first = lines->begin() + static_cast<std::ptrdiff_t>(*header + 1);
  auto last = first;
  for (int n = 0; n < kColorCount && last != lines->end() && *last != kHoursHeader; ++n) ++last;
  first = lines->erase(first, last);
  std::vector<std::string> colours;
  for (std::int32_t c : d.colors) colours.push_back(std::to_string(c));
  lines->insert(first, colours.begin(), colours.end());

  // The file is replaced in one step, never deleted first: a failed write
  // leaves the old file in place, and is reported instead of success.
  if (!writeTextFileLines(path, *lines)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, path + " :" + "\r\n" + messageText(18));
    return false;
  }
  showMessage(MsgCaption::Information, MsgIcon::Warning, messageText(71));
  return true;
}

void loadColorsFromSettingsFile(bool reset) {
  DesignState& d = design();
  const std::string& path = d.settingsFileName;
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    showMessage(MsgCaption::Warning, MsgIcon::Warning,
                fileNameWithoutDirectory(path) + messageText(29));
    defaultColors();
    return;
  }
  const auto lines = readTextFileLines(path);
  // The last line of the file is not examined: a header there has no colours.
  const auto header = lines && !lines->empty()
                          ? firstIndexOf(*lines, kColorsHeader, lines->size() - 1)
                          : std::nullopt;
  if (reset) {
    defaultColors();
    return;
  }
  if (!header) {
    showMessage(MsgCaption::Warning, MsgIcon::Information, messageText(30));
    return;
  }
  for (std::size_t k = 1; k <= d.colors.size(); ++k) {
    const std::size_t i = *header + k;
    if (i >= lines->size() || (*lines)[i] == kHoursHeader) break;
    const std::string& line = (*lines)[i];
    if (trimBlanks(line).empty()) continue;
    if (const auto v = toInt(line)) {
      d.colors[k - 1] = *v;
    } else {
      // Each faulty line is named once; the others are still taken.
      showMessage(MsgCaption::Error, MsgIcon::Error, line + " : " + messageText(6));
    }
  }
}

}  // namespace tavrel
