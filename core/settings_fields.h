// The fields of the settings file (core/settings_file.h) in file order:
// the eighteen value lines, the fourteen hour ranges and the interval
// digits, each with the rule that reads it and the text that writes it,
// so that reader and writer follow one table. Also the number
// conversions of the reader. Used only by core/settings_file.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

struct DesignState;

namespace settings_detail {

// Blanks around a text removed.
std::string_view trimBlanks(std::string_view s);

// A whole decimal integer that fits 32 bits, blanks around it allowed.
std::optional<std::int32_t> toInt(std::string_view s);

// One value line (0-based line 0..17).
struct ValueLine {
  // Reads the line into the record, with the line's own replacements and
  // messages; false when the value stops the reading.
  bool (*read)(DesignState& d, const std::string& line);
  // The line for the record.
  std::string (*write)(const DesignState& d);
};

inline constexpr int kValueLineCount = 18;
extern const std::array<ValueLine, kValueLineCount> kValueLines;

// One hour range of the "[Zeiten]" section: a whole number within
// min..max; out of range it is replaced and the reading stops.
struct HourRange {
  std::int32_t DesignState::*field;
  std::int32_t min, max, replacement;
};

inline constexpr int kHourRangeCount = 14;
extern const std::array<HourRange, kHourRangeCount> kHourRanges;

// The line after the hour ranges: one digit per interval. False when a
// non-digit stops the reading.
bool readHourIntervals(DesignState& d, const std::string& line);
std::string hourIntervalsText(const DesignState& d);

}  // namespace settings_detail
}  // namespace tavrel
