#include "tables/horizon_profile.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/language.h"
#include "core/text_file.h"
#include "base/number_text.h"
#include "tables/horizon_texts.h"

namespace tavrel {

std::string horizonText::text(int row) { return tableText(TextTable::Texts, row); }

HorizonProfile emptyHorizonProfile() {
  HorizonProfile p;
  for (int k = 0; k < kHorizonPoints; ++k) p[k] = {k * 0.5 - 180.0, 0.0, 0.0, kNoTerrainHeight};
  return p;
}

HorizonState& horizonState() {
  static HorizonState state;
  return state;
}

bool horizonProfileShown() {
  const HorizonState& s = horizonState();
  return s.profileLoaded && s.showHorizonProfile;
}

// --- Numbers with a decimal comma ----------------------------------------

std::string profileNumber(double x, int significant, int decimals) {
  if (!std::isfinite(x)) x = 0;
  // Decimals that the significant digits leave after the integer digits.
  int shown = decimals;
  if (x != 0) {
    const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(x)))) + 1;
    if (significant - integerDigits < shown) shown = significant - integerDigits;
  }
  double rounded = x;
  if (shown < decimals) {
    const double scale = std::pow(10.0, shown);
    rounded = std::round(x * scale) / scale;
  }
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
  std::string s = buf;
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
  for (char& ch : s)
    if (ch == '.') ch = ',';
  return s;
}

namespace {

// A number with a decimal comma at the start of `text` (blanks before it
// skipped); the whole run of sign, digits and comma must be the number.
std::optional<double> leadingCommaNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == ';')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool digits = false, comma = false;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch >= '0' && ch <= '9') {
      number += ch;
      digits = true;
    } else if (ch == ',' && !comma) {
      number += '.';
      comma = true;
    } else {
      break;
    }
  }
  while (i < text.size() && (text[i] == ' ' || text[i] == '\r')) ++i;
  if (!digits || i != text.size()) return std::nullopt;
  char* end = nullptr;
  const double x = std::strtod(number.c_str(), &end);
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

// The text of a line before its first tab.
std::string_view beforeTab(std::string_view line) { return line.substr(0, line.find('\t')); }

// The field that starts at `from`: leading tabs, blanks and ";" skipped,
// then up to the next tab. `from` moves past it.
std::string_view nextField(std::string_view line, std::size_t& from) {
  while (from < line.size() && (line[from] == '\t' || line[from] == ' ' || line[from] == ';')) ++from;
  const std::size_t start = from;
  while (from < line.size() && line[from] != '\t') ++from;
  return line.substr(start, from - start);
}

// The first run of characters from {",", "-", "0".."9"} of a field.
std::string_view numberRun(std::string_view field) {
  std::size_t n = 0;
  while (n < field.size() && (field[n] == ',' || field[n] == '-' || (field[n] >= '0' && field[n] <= '9')))
    ++n;
  return field.substr(0, n);
}

}  // namespace

std::string profileFaultText(const ProfileFault& fault) {
  switch (fault.kind) {
    case ProfileFault::Kind::NoStartLine: return horizonText::text(horizonText::kNoStartLine);
    case ProfileFault::Kind::Incomplete:
      return horizonText::text(horizonText::kProfileIncompleteA) + std::to_string(fault.points) +
             horizonText::text(horizonText::kOf) + std::to_string(kHorizonPoints) +
             horizonText::text(horizonText::kProfileIncompleteB);
    default: return {};
  }
}

std::optional<HorizonPlace> parseHorizonProfile(const std::vector<std::string>& lines,
                                                HorizonProfile& profile, std::string& note, ProfileFault* fault) {
  auto refuse = [&](ProfileFault::Kind kind, int points) -> std::optional<HorizonPlace> {
    if (fault) *fault = {kind, points};
    return std::nullopt;
  };
  if (lines.size() < 2) return refuse(ProfileFault::Kind::NotAProfile, 0);
  const auto latitude = leadingCommaNumber(beforeTab(lines[0]));
  const auto longitude = leadingCommaNumber(beforeTab(lines[1]));
  if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 360)
    return refuse(ProfileFault::Kind::NotAProfile, 0);
  HorizonPlace place{*latitude, -*longitude};

  std::string newNote;
  if (lines.size() > 2 && lines[2].size() > 42) {
    newNote = lines[2].substr(42);
    for (char& ch : newNote)
      if (ch == '\t') ch = ' ';
  }
  HorizonProfile read = profile;
  int k = -1;
  for (std::size_t n = 3; n < lines.size() && k < kHorizonPoints - 1; ++n) {
    const std::string_view line = lines[n];
    const auto azimuth = leadingCommaNumber(beforeTab(line));
    if (k < 0) {
      if (!azimuth || *azimuth != -180.0) continue;
    } else if (!azimuth) {
      break;
    }
    std::size_t pos = line.find('\t');
    if (pos == std::string_view::npos) pos = line.size();
    const auto elevation = leadingCommaNumber(numberRun(nextField(line, pos)));
    const auto distance = leadingCommaNumber(nextField(line, pos));
    ++k;
    read[k].azimuth = *azimuth;
    read[k].elevation = elevation.value_or(0.0);
    read[k].distance = distance.value_or(0.0);
  }
  if (k < 0) return refuse(ProfileFault::Kind::NoStartLine, 0);
  if (k + 1 < kHorizonPoints) return refuse(ProfileFault::Kind::Incomplete, k + 1);
  if (fault) *fault = {};
  profile = read;
  note = newNote;
  return place;
}

std::optional<HorizonPlace> loadHorizonProfile(const std::string& path, ProfileFault* fault) {
  if (fault) *fault = {ProfileFault::Kind::NotAProfile, 0};
  const auto lines = readTextFileLines(path);
  if (!lines) return std::nullopt;
  HorizonState& s = horizonState();
  const auto place = parseHorizonProfile(*lines, s.horizonProfile, s.horizonNote, fault);
  if (place) s.profileLoaded = true;
  return place;
}

std::vector<std::string> horizonProfileLines(const HorizonProfile& profile, const HorizonFileInfo& info) {
  std::vector<std::string> lines;
  lines.reserve(3 + kHorizonPoints);
  lines.push_back(profileNumber(info.latitude, 14, 10) + "\t " + " Latitude (where South is negative)");
  lines.push_back(profileNumber(info.longitudeEast, 14, 10) + "\t " + "Longitude (where  West is negative)");
  std::string altitudeLabel = horizonText::text(horizonText::kAltitudeOfCentre);
  altitudeLabel.resize(altitudeLabel.size() >= 2 ? altitudeLabel.size() - 2 : 0);
  lines.push_back(std::to_string(kHorizonPoints) + "\t " + "NPoints (Azimut, Elevation, Distanz);" + "  " +
                  altitudeLabel + "=" + std::to_string(info.observerAltitude - info.pedestalHeight) + " + " +
                  std::to_string(info.pedestalHeight) + ";  " + horizonText::text(horizonText::kMinDistance) +
                  "=" + std::to_string(info.minObjectDistance));
  for (const HorizonPoint& p : profile)
    lines.push_back(profileNumber(p.azimuth, 7, 2) + " \t " + profileNumber(p.elevation, 9, 4) + " \t " +
                    profileNumber(p.distance, 7, 2) + " \t " + profileNumber(p.terrainHeight, 7, 2) + " \t ");
  return lines;
}

bool saveHorizonProfile(const std::string& path, const HorizonFileInfo& info) {
  return writeTextFileLines(path, horizonProfileLines(horizonState().computedProfile, info));
}

double horizonElevationAt(const HorizonProfile& profile, double azimuth) {
  if (!std::isfinite(azimuth)) return 0;
  double a = std::fmod(azimuth + 180.0, 360.0);
  if (a < 0) a += 360.0;
  const double index = a * 2.0;
  const int k0 = static_cast<int>(std::floor(index)) % kHorizonPoints;
  const int k1 = (k0 + 1) % kHorizonPoints;
  const double f = index - std::floor(index);
  return profile[k0].elevation + f * (profile[k1].elevation - profile[k0].elevation);
}

bool sunBelowHorizon(const HorizonProfile& profile, double azimuth, double altitude) {
  return altitude < horizonElevationAt(profile, azimuth);
}

std::vector<std::pair<double, double>> horizonPolyline(const HorizonProfile& profile) {
  std::vector<std::pair<double, double>> line;
  line.reserve(kHorizonPoints + 1);
  for (int k = 0; k < kHorizonPoints; ++k) line.emplace_back(k * 0.5 - 180.0, profile[k].elevation);
  line.emplace_back(180.0, profile[0].elevation);
  return line;
}

std::vector<std::pair<double, double>> shownHorizonPolyline() {
  if (!horizonProfileShown()) return {};
  return horizonPolyline(horizonState().horizonProfile);
}

}  // namespace tavrel
