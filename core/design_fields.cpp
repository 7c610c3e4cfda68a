#include "core/design_fields.h"

#include "core/dial_kinds.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <variant>

#include "core/design_state.h"

namespace tavrel {

namespace {

using Doubles37 = std::array<double, 37>;
using Doubles8 = std::array<double, 8>;
using Colours = std::array<std::int32_t, 12>;
using Lines = std::vector<std::string>;

using Member = std::variant<double DesignState::*, std::int32_t DesignState::*,
                            std::uint8_t DesignState::*, bool DesignState::*,
                            char DesignState::*, std::string DesignState::*,
                            Doubles37 DesignState::*, Doubles8 DesignState::*,
                            Colours DesignState::*, Lines DesignState::*>;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

struct Field {
  const char* name;
  Member member;
  double min = -kNoLimit;   // numeric range; for char fields the allowed
  double max = kNoLimit;    // characters are in `chars`
  const char* chars = nullptr;
  std::string (*charSet)() = nullptr;  // the allowed characters, known at run time
};

#define F(name, ...) Field{#name, &DesignState::name, __VA_ARGS__}

// Ranges: what the input windows accept (see design_state.h).
const Field kFields[] = {
    F(latitude, -90, 90),
    F(longitude, -180, 180),
    F(zoneMeridian, -180, 180),
    F(referenceYear, 1300, 2500),
    F(calcDay, 1, 31),
    F(calcMonth, 1, 12),
    F(calcYear, 1300, 2500),
    F(calcTime, 0, 1),
    F(calcTimeOffset),
    F(meanObliquity),
    F(obliquityRounded),
    F(declinationByLongitude),
    F(zodiacDeclination),
    F(twilightKind, 0, 2),
    F(zoneWarningPending),
    F(dialKind, 0, 0, nullptr, knownDialKinds),
    F(umbrellaMode),
    F(quadrantVariant, 0, 2),
    F(cylinderVariant, 0, 2),
    F(cylinderOption, 0, 1),
    F(hollanderVariant, 0, 8),
    F(azimuthDialKind, 0, 1),
    F(azimuthHeightMode, 0, 2),
    F(dateLinesPerMonth, 1, 4),
    F(sawyerTimeMode, 0, 3),
    F(sawyerMeanHalfAnalemma),
    F(sawyerMeanStraight),
    F(peaucellierVariant, 0, 1),
    F(wallDeclination, -180, 180),
    F(planeInclination, 0, 175),
    F(coneAxisInclination, -90, 175),
    F(coneHalfAngle, 0, 87),
    F(umbrellaRadiusRatio, -1, 2),
    F(gnomonLength, 3, 500),
    F(habermelGnomonLength, 0, 100),
    F(habermelDiameter, 30, 200),
    F(ringAlpha, 10, 90),
    F(ringDiameter, 10, 300),
    F(ringWidth, 4.5, 300),
    F(latitude2, -90, 90),
    F(longitude2, -180, 180),
    F(wallDeclination2, -180, 180),
    F(secondPlaneVertical),
    F(timeFromPosition1),
    F(cylinderRadius, 4, 500),
    F(cylinderGnomonLength, 4, 110),
    F(quadrantSize, 80, 200),
    F(cylinderGnomonLengthInt, 4, 110),
    F(altitudeDialGnomonLength, 4, 110),
    F(shepherdScaleLength, 0, 400),
    F(shepherdMaxShadow, 0, 200),
    F(altitudeMonthScale, 0, 180),
    F(altitudeHorizontalScale, 0, 260),
    F(sawyerUnit, 0, 300),
    F(sawyerCentre, 0, 900),
    F(sawyerLineAngle, 0.5, 15),
    F(peaucellierParameter, -2.1, 2.1),
    F(azimuthObserverDistance, 10, 400),
    F(azimuthBasePlate, 3, 200),
    F(hamStretch, 1.2, 3),
    F(hamDiameter, 1, 300),
    F(hamEquinoxPosition),
    F(gnomonHoleOffset, -23.44, 23.44),
    F(gnomonHoleOffsetMax, 0, kNoLimit),
    F(gnomonHoleOffsetMin, -kNoLimit, 0),
    F(drawingScale, 5, 66000000),
    F(zoneTime),
    F(localTime),
    F(temporalHours),
    F(localTimeNoEot),
    F(withEot),
    F(constructionWithEot),
    F(cylinderWithEot),
    F(eotLinesOwnMeridian),
    F(umbrellaLocalTime),
    F(babylonianHours),
    F(italianHours),
    F(temporalHourLines),
    F(sunAltitudeLines),
    F(extendTemporalHours),
    F(linesToStyleFoot),
    F(drawPoleTriangle),
    F(noonLineHorizontal),
    F(ringRayDeflection, 0, 2),
    F(ringOldHoursPart, 0, 2),
    F(halfYearMonthScale),
    F(withVerticalDial),
    F(quadrantMirrored),
    F(wholeYearQuadrant),
    F(januaryOutside),
    F(includeAzimuthLines),
    F(hollanderVertical),
    F(drawEcliptic),
    F(hourLinesFrom, 0, 24),
    F(hourLinesTo, 0, 24),
    F(eotLinesFrom, 0, 24),
    F(eotLinesTo, 0, 24),
    F(otherHoursFrom, 0, 24),
    F(otherHoursTo, 0, 24),
    F(otherTemporalFrom, 0, 12),
    F(otherTemporalTo, 0, 12),
    F(babylonianFrom, 0, 24),
    F(babylonianTo, 0, 24),
    F(italianFrom, 0, 24),
    F(italianTo, 0, 24),
    F(temporalFrom, 0, 12),
    F(temporalTo, 0, 12),
    F(altitudeFrom, 10, 90),
    F(altitudeTo, 10, 90),
    F(hourLineInterval, 0, 0, "01234"),
    F(eotLineInterval, 0, 0, "01236"),
    F(otherHourInterval, 0, 0, "0123"),
    F(babylonianInterval, 0, 3),
    F(italianInterval, 0, 3),
    F(temporalInterval, 0, 3),
    F(temporalIntervalOther, 0, 3),
    F(altitudeInterval, 0, 2),
    F(dateLineMode, 0, 0, "0123"),
    F(ownDateLines),
    F(integerSunshineLines),
    F(zodiacScale, 0, 2),
    F(showDateCircles),
    F(markAnalemma),
    F(analemmaMarkHour, 1, 23),
    F(analemmaMarkDays, 0, 4),
    F(colors, 0, 0xFFFFFF),
    F(savedColors, 0, 0xFFFFFF),
    F(lineWidth, 1, 255),
    F(plotLineWidth, 1, 3),
    F(paperA4),
    F(planarPlotOption, 0, 255),
    F(writeCorrectionFile),
    F(language, 1, 2),
    F(stringOffset, 0, 2000),
    F(germanSelected),
    F(expertMode),
    F(expertModeActive),
    F(mapOverlay),
    F(mapFrontiers),
    F(mapCoastlines),
    F(useHtmlHelp),
    F(decimalDegreeInput),
    F(childWindowsNormal),
    F(showHints),
    F(inputValid),
    F(wizardStep, 0, 5),
    F(largeScreen),
    F(largeFonts),
    F(exeDirectory),
    F(workingDirectory),
    F(settingsFileName),
    F(dateSettingsFileName),
    F(versionText),
};

#undef F

struct ParsedName {
  std::string_view base;
  std::optional<std::size_t> index;
  bool ok = true;
};

ParsedName splitName(std::string_view field) {
  ParsedName p{field, std::nullopt};
  const auto open = field.find('[');
  if (open == std::string_view::npos) return p;
  if (field.back() != ']' || open + 2 > field.size() - 1) {
    p.ok = false;
    return p;
  }
  p.base = field.substr(0, open);
  const std::string_view digits = field.substr(open + 1, field.size() - open - 2);
  std::size_t idx = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), idx);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) {
    p.ok = false;
    return p;
  }
  p.index = idx;
  return p;
}

const Field* findField(std::string_view base) {
  for (const Field& f : kFields)
    if (base == f.name) return &f;
  return nullptr;
}

std::optional<double> parseDouble(std::string_view v) {
  double x = 0;
  if (v.empty()) return std::nullopt;
  if (v.front() == '+') v.remove_prefix(1);
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), x);
  if (ec != std::errc() || ptr != v.data() + v.size() || !std::isfinite(x)) return std::nullopt;
  return x;
}

std::optional<long long> parseInteger(std::string_view v) {
  long long x = 0;
  if (v.empty()) return std::nullopt;
  if (v.front() == '+') v.remove_prefix(1);
  int base = 10;
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    v.remove_prefix(2);
    base = 16;
  }
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), x, base);
  if (ec != std::errc() || ptr != v.data() + v.size()) return std::nullopt;
  return x;
}

std::string formatDouble(double x) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x);
  return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

std::string rangeText(const Field& f) {
  return "[" + formatDouble(f.min) + " .. " + formatDouble(f.max) + "]";
}

}  // namespace

std::optional<std::string> setDesignField(DesignState& state, std::string_view fieldName,
                                          std::string_view value) {
  const ParsedName name = splitName(fieldName);
  const Field* f = name.ok ? findField(name.base) : nullptr;
  const std::string quoted = "'" + std::string(fieldName) + "'";
  if (!f) return "unknown field " + quoted;

  const bool isIndexed = std::holds_alternative<Doubles37 DesignState::*>(f->member) ||
                         std::holds_alternative<Doubles8 DesignState::*>(f->member) ||
                         std::holds_alternative<Colours DesignState::*>(f->member) ||
                         std::holds_alternative<Lines DesignState::*>(f->member);
  if (isIndexed && !name.index) return "field " + quoted + " needs an index, as " + f->name + "[0]";
  if (!isIndexed && name.index) return "field '" + std::string(f->name) + "' takes no index";

  auto bad = [&](const std::string& why) {
    return "bad value '" + std::string(value) + "' for field " + quoted + ": " + why;
  };
  auto checkRange = [&](double x) -> std::optional<std::string> {
    if (x < f->min || x > f->max) return bad("outside " + rangeText(*f));
    return std::nullopt;
  };

  return std::visit(
      [&](auto member) -> std::optional<std::string> {
        using T = std::remove_reference_t<decltype(state.*member)>;
        if constexpr (std::is_same_v<T, double>) {
          auto x = parseDouble(value);
          if (!x) return bad("not a number");
          if (auto e = checkRange(*x)) return e;
          state.*member = *x;
        } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint8_t>) {
          auto x = parseInteger(value);
          if (!x) return bad("not an integer");
          if (auto e = checkRange(static_cast<double>(*x))) return e;
          state.*member = static_cast<T>(*x);
        } else if constexpr (std::is_same_v<T, bool>) {
          if (value == "true") state.*member = true;
          else if (value == "false") state.*member = false;
          else return bad("expected true or false");
        } else if constexpr (std::is_same_v<T, char>) {
          if (value.size() != 1) return bad("expected one character");
          const std::string allowed = f->charSet ? f->charSet() : f->chars ? f->chars : "";
          if ((f->chars || f->charSet) && allowed.find(value[0]) == std::string::npos)
            return bad("expected one of " + allowed);
          state.*member = value[0];
        } else if constexpr (std::is_same_v<T, std::string>) {
          state.*member = std::string(value);
        } else if constexpr (std::is_same_v<T, Lines>) {
          Lines& lines = state.*member;
          if (*name.index > lines.size()) return bad("index beyond the end of the list");
          if (*name.index == lines.size()) lines.emplace_back(value);
          else lines[*name.index] = std::string(value);
        } else {
          T& arr = state.*member;
          if (*name.index >= arr.size()) return "index out of range in " + quoted;
          if constexpr (std::is_same_v<typename T::value_type, double>) {
            auto x = parseDouble(value);
            if (!x) return bad("not a number");
            arr[*name.index] = *x;
          } else {
            auto x = parseInteger(value);
            if (!x) return bad("not an integer");
            if (auto e = checkRange(static_cast<double>(*x))) return e;
            arr[*name.index] = static_cast<typename T::value_type>(*x);
          }
        }
        return std::nullopt;
      },
      f->member);
}

std::optional<std::string> getDesignField(const DesignState& state, std::string_view fieldName) {
  const ParsedName name = splitName(fieldName);
  const Field* f = name.ok ? findField(name.base) : nullptr;
  if (!f) return std::nullopt;
  return std::visit(
      [&](auto member) -> std::optional<std::string> {
        using T = std::remove_cvref_t<decltype(state.*member)>;
        const T& v = state.*member;
        if constexpr (std::is_same_v<T, double>) {
          return formatDouble(v);
        } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint8_t>) {
          return std::to_string(static_cast<long long>(v));
        } else if constexpr (std::is_same_v<T, bool>) {
          return std::string(v ? "true" : "false");
        } else if constexpr (std::is_same_v<T, char>) {
          return std::string(1, v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else {
          if (!name.index || *name.index >= v.size()) return std::nullopt;
          if constexpr (std::is_same_v<T, Lines>) return v[*name.index];
          else if constexpr (std::is_same_v<typename T::value_type, double>)
            return formatDouble(v[*name.index]);
          else return std::to_string(v[*name.index]);
        }
      },
      f->member);
}

std::vector<std::string> designFieldNames() {
  std::vector<std::string> names;
  for (const Field& f : kFields) {
    const bool isIndexed = std::holds_alternative<Doubles37 DesignState::*>(f.member) ||
                           std::holds_alternative<Doubles8 DesignState::*>(f.member) ||
                           std::holds_alternative<Colours DesignState::*>(f.member) ||
                           std::holds_alternative<Lines DesignState::*>(f.member);
    names.push_back(std::string(f.name) + (isIndexed ? "[]" : ""));
  }
  return names;
}

}  // namespace tavrel
