// The ham dial's construction-data files "*.ham" and its texts.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_file.h"
#include "core/text_file.h"
#include "dials/ham/ham_dial.h"
#include "dials/ham/ham_texts.h"

namespace tavrel {

namespace {

// The section headers of a settings text, as its reader finds them (the
// last occurrence of each).
constexpr std::string_view kColours = "[Farben]", kHours = "[Zeiten]", kDates = "[Datumslinien]";
// The largest distance (mm) of an hour point from the centre taken from a
// file: the size of the dial is at most 100 mm.
constexpr double kFarthestPointMm = 1000;

std::optional<std::size_t> lastLine(const std::vector<std::string>& lines, std::string_view header) {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view l = lines[i];
    while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
    if (l == header) found = i;
  }
  return found;
}

// The section order the settings reader asks for: colours, hours, dates.
bool looksLikeSettingsText(const std::vector<std::string>& lines) {
  const auto f = lastLine(lines, kColours), z = lastLine(lines, kHours), d = lastLine(lines, kDates);
  return f && z && d && *f < *z && *z < *d;
}

// The numbers of a line separated by ";", blanks around them allowed; a
// "." is the decimal point whatever the locale. nullopt when a field is no
// number or their count is not `count`.
std::optional<std::vector<double>> numbersOf(std::string_view line, std::size_t count) {
  std::vector<double> out;
  while (true) {
    const std::size_t semi = line.find(';');
    std::string_view field = line.substr(0, semi);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r'))
      field.remove_suffix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() || !std::isfinite(v))
      return std::nullopt;
    out.push_back(v);
    if (semi == std::string_view::npos) break;
    line.remove_prefix(semi + 1);
  }
  if (out.size() != count) return std::nullopt;
  return out;
}

// What the section of a file holds.
struct HamSection {
  HamDialValues values;
  std::vector<HamPoint> pointsMm;
};

// The centre and scale the screen construction gives on a picture W x H.
void screenFrame(int width, int height, const HamDialValues& v, HamPoint& centre, double& scale) {
  scale = std::max(1.0, hamScreenScale(height));
  centre = hamLayout(width, height, scale, v.sizeMm, v.latitude, v.stretch, v.equinoxPosition).centre;
}

void loadError(const std::string& path, const std::string& reason) {
  showMessage(MsgCaption::Error, MsgIcon::Error, path + reason);
}

}  // namespace

std::string hamText(HamText t) { return tableText(TextTable::Texts, static_cast<int>(t)); }

std::vector<std::string>& hamSettingsText() {
  static std::vector<std::string> lines;
  return lines;
}

bool saveHamSettingsFile(const std::string& path, const HamHourPoints& points, const HamDialValues& v,
                         int width, int height) {
  HamPoint centre = points.records[0];
  double scale = points.scale;
  if (!(scale > 0)) screenFrame(width, height, v, centre, scale);
  std::vector<std::string> section{
      kHamPointsHeader, fixedText(v.latitude, 10, 6) + ";" + fixedText(v.sizeMm, 7, 2) + ";" +
                            fixedText(v.stretch, 6, 3) + ";" + fixedText(v.equinoxPosition, 8, 3)};
  for (int r = 1; r <= 8; ++r) {
    const HamPoint p = points.records[static_cast<std::size_t>(r)];
    if (p.x > 0)
      section.push_back(fixedText((p.x - centre.x) / scale, 9, 3) + ";" + fixedText((p.y - centre.y) / scale, 9, 3));
  }
  std::vector<std::string> list = buildSettingsText(false);
  const auto colours = std::find(list.begin(), list.end(), kColours);
  list.insert(colours, section.begin(), section.end());
  hamSettingsText() = list;
  if (!writeTextFileLines(path, list)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, path + " :" + "\r\n" + messageText(18));
    return false;
  }
  showMessage(MsgCaption::Information, MsgIcon::Information, path + messageText(58));
  return true;
}

std::optional<HamDialValues> loadHamSettingsFile(const std::string& path, HamHourPoints& points, int width,
                                                 int height) {
  std::error_code why;
  const std::optional<std::vector<std::string>> lines = readTextFileLines(path, &why);
  if (!lines) {
    loadError(path, hamText(HamText::Unreadable) + "\n\r" + why.message());
    return std::nullopt;
  }
  if (!looksLikeSettingsText(*lines)) {
    loadError(path, hamText(HamText::NotSettingsFile));
    return std::nullopt;
  }
  const std::size_t colours = *lastLine(*lines, kColours);
  std::optional<std::size_t> header;
  for (std::size_t i = 0; i < colours; ++i)
    if ((*lines)[i] == kHamPointsHeader) header = i;
  if (!header) {
    loadError(path, hamText(HamText::NoHourPoints));
    return std::nullopt;
  }
  // Read the whole section before anything changes.
  HamSection section;
  const auto faulty = [&](std::size_t index) -> std::optional<HamDialValues> {
    loadError(path, hamText(HamText::FaultyLine) + std::to_string(index + 1) + hamText(HamText::FaultySection));
    return std::nullopt;
  };
  const std::size_t valuesLine = *header + 1;
  const auto values = valuesLine < colours ? numbersOf((*lines)[valuesLine], 4) : std::nullopt;
  if (!values || std::fabs((*values)[0]) > 90 || (*values)[1] < 0 || (*values)[1] > 100 || (*values)[2] < 1.2 ||
      (*values)[2] > 3 || std::fabs((*values)[3]) > 180)
    return faulty(valuesLine);
  section.values = {(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
  for (std::size_t i = valuesLine + 1; i < colours; ++i) {
    const auto p = numbersOf((*lines)[i], 2);
    if (!p || std::fabs((*p)[0]) > kFarthestPointMm || std::fabs((*p)[1]) > kFarthestPointMm ||
        section.pointsMm.size() == 8)
      return faulty(i);
    section.pointsMm.push_back({(*p)[0], (*p)[1]});
  }

  HamPoint centre;
  double scale = 0;
  screenFrame(width, height, section.values, centre, scale);
  points.records = {};
  points.records[0] = centre;
  points.scale = scale;
  for (std::size_t r = 0; r < section.pointsMm.size(); ++r) {
    const HamPoint mm = section.pointsMm[r];
    // x = 0 marks a free record: a point at the picture's left edge or
    // beyond it stays in use.
    points.records[r + 1] = {std::max(1.0, centre.x + mm.x * scale), centre.y + mm.y * scale};
  }
  points.showHourPoints = true;
  hamSettingsText() = *lines;
  showMessage(MsgCaption::Information, MsgIcon::Information, path + messageText(56));
  return section.values;
}

bool saveHamSettingsCommand(std::any& kept, const HamDialValues& values, int width, int height) {
  FileDialogRequest r;
  r.title = dialogTitle(DialogTitle::SaveConstruction);
  r.filter = hamText(HamText::SaveFilter);
  r.defaultExtension = "ham";
  r.initialName = "schink.ham";
  const std::optional<std::string> path = platform().saveFileName(r);
  return path && saveHamSettingsFile(*path, hamHourPoints(kept), values, width, height);
}

std::optional<HamDialValues> loadHamSettingsCommand(std::any& kept, int width, int height) {
  FileDialogRequest r;
  r.title = hamText(HamText::LoadTitle);
  r.filter = hamText(HamText::LoadFilter);
  r.defaultExtension = "ham";
  const std::optional<std::string> path = platform().openFileName(r);
  if (!path) return std::nullopt;
  return loadHamSettingsFile(*path, hamHourPoints(kept), width, height);
}

}  // namespace tavrel
