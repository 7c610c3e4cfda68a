#include "dials/world_map/world_outline.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <utility>

namespace tavrel {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNumberChar(char c) { return isDigit(c) || c == '+' || c == '-' || c == '.'; }

}  // namespace

double leadingNumber(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      end = j;
    }
  }
  // from_chars takes the unsigned body as it stands (".5" and "5." too).
  double v = 0;
  const auto r = std::from_chars(text.data() + start, text.data() + end, v);
  if (r.ec != std::errc()) v = r.ec == std::errc::result_out_of_range ? HUGE_VAL : 0;
  return negative ? -v : v;
}

void outlineValues(std::string_view line, double& first, double& second) {
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  line.remove_prefix(i);
  std::size_t runEnd = 0;
  while (runEnd < line.size() && isNumberChar(line[runEnd])) ++runEnd;
  first = leadingNumber(line.substr(0, runEnd));
  std::size_t next = runEnd;
  while (next < line.size() && !isNumberChar(line[next])) ++next;
  second = leadingNumber(line.substr(next));
}

bool isOutlinePointLine(std::string_view line, std::size_t minLength) {
  return line.size() > minLength && line.front() != '<';
}

bool outlinePoint(std::string_view line, std::size_t minLength, double& eastLongitude,
                  double& latitude) {
  if (!isOutlinePointLine(line, minLength)) return false;
  outlineValues(line, eastLongitude, latitude);
  return latitude >= -90 && latitude <= 90 && eastLongitude >= -180 && eastLongitude <= 180;
}

namespace {

std::size_t separatorIndex(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == kOutlinePartSeparator) return i;
  return lines.size();
}

}  // namespace

OutlineRange coastRange(const std::vector<std::string>& lines) { return {0, separatorIndex(lines)}; }

OutlineRange boundaryRange(const std::vector<std::string>& lines) {
  const std::size_t g = separatorIndex(lines);
  return g < lines.size() ? OutlineRange{g + 1, lines.size()} : OutlineRange{lines.size(), lines.size()};
}

std::vector<PlotVertex> outlineVertices(const std::vector<std::string>& lines, OutlineRange range,
                                        std::size_t minLength, const OutlineProjector& project,
                                        const OutlineBounds& inside) {
  std::vector<PlotVertex> out;
  bool penDown = false;
  for (std::size_t i = range.begin; i < range.end && i < lines.size(); ++i) {
    double lon = 0, lat = 0, x = 0, y = 0;
    if (!outlinePoint(lines[i], minLength, lon, lat) || !project(lat, lon, x, y)) {
      penDown = false;
      continue;
    }
    if (!inside(x, y)) {
      penDown = false;
      continue;
    }
    out.push_back({x, y, penDown});
    penDown = true;
  }
  return out;
}

ParsedOutline::ParsedOutline(const std::vector<std::string>& lines)
    : lines_(lines), coast_(coastRange(lines)), boundaries_(boundaryRange(lines)) {
  records_.reserve(lines.size());
  for (const std::string& line : lines) {
    OutlineRecord r;
    const bool inBounds = outlinePoint(line, kOutlinePlotMinLength, r.eastLongitude, r.latitude);
    r.plotPoint = inBounds;
    r.screenPoint = inBounds && isOutlinePointLine(line, kOutlineScreenMinLength);
    records_.push_back(r);
  }
}

const std::vector<std::array<double, 2>>& ParsedOutline::latitudeSines(double radiansPerDegree) const {
  for (const auto& [factor, table] : sines_)
    if (factor == radiansPerDegree) return table;
  std::vector<std::array<double, 2>> table;
  table.reserve(records_.size());
  for (const OutlineRecord& r : records_)
    table.push_back({std::sin(r.latitude * radiansPerDegree), std::cos(r.latitude * radiansPerDegree)});
  sines_.emplace_back(radiansPerDegree, std::move(table));
  return sines_.back().second;
}

const ParsedOutline& parsedOutline(const std::vector<std::string>& lines) {
  static std::unique_ptr<ParsedOutline> kept;
  if (!kept || kept->lines() != lines) kept = std::make_unique<ParsedOutline>(lines);
  return *kept;
}

}  // namespace tavrel
