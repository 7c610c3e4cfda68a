#include "tables/elevation_grid.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "base/number_text.h"

namespace tavrel {
namespace {

// The value of a header line: the text after its first blank, "." as the
// decimal point, blanks around it ignored.
std::optional<double> headerValue(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  std::string_view v = line.substr(blank + 1);
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  double x = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), x);
  if (ec != std::errc() || end != v.data() + v.size() || !std::isfinite(x)) return std::nullopt;
  return x;
}

double round3(double x) { return static_cast<double>(roundHalfEven(x * 1000.0)) / 1000.0; }

bool isValueChar(char ch) { return ch == ',' || ch == '-' || (ch >= '0' && ch <= '9'); }

}  // namespace

std::string_view tileHeaderKeyword(int line) {
  static constexpr std::string_view kKeywords[6] = {"ncols", "nrows", "xllcorner", "yllcorner", "cellsize",
                                                    "NODATA_value"};
  return line >= 1 && line <= 6 ? kKeywords[line - 1] : std::string_view();
}

std::optional<ElevationTile> parseTileHeader(const std::vector<std::string_view>& lines, int* faultLine) {
  auto fault = [&](int line) -> std::optional<ElevationTile> {
    if (faultLine) *faultLine = line;
    return std::nullopt;
  };
  double v[6] = {};
  for (int i = 1; i < 6; ++i) {
    const auto x = i < static_cast<int>(lines.size()) ? headerValue(lines[i]) : std::nullopt;
    if (!x) return fault(i + 1);
    v[i] = *x;
  }
  if (v[1] < 2 || v[1] > kMaxGridRows) return fault(2);
  if (std::fabs(v[2]) > 360) return fault(3);
  if (std::fabs(v[3]) > 90) return fault(4);
  if (std::fabs(v[5]) > 1e9) return fault(6);
  ElevationTile t;
  t.rowCount = static_cast<int>(roundHalfEven(v[1]));
  t.cellSize = v[4] < 0.000278 ? 1.0 / 3600.0 : v[4];
  if (t.cellSize > 1) return fault(5);
  t.leftLongitude = round3(v[2]);
  t.span = static_cast<int>(roundHalfEven(t.rowCount * t.cellSize));
  if (t.span < 1) return fault(5);
  t.topLatitude = round3(v[3] + t.span);
  t.noDataValue = static_cast<int>(roundHalfEven(v[5]));
  t.dropsFirstLine = t.rowCount % 100 == 1;
  return t;
}

void parseHeightRow(std::string_view line, int invalid, std::vector<int>& values) {
  values.clear();
  const char* p = line.data();
  const char* end = p + line.size();
  while (p < end) {
    while (p < end && !isValueChar(*p)) ++p;
    if (p == end) break;
    const char* start = p;
    while (p < end && isValueChar(*p)) ++p;
    int h = 0;
    const auto [stop, ec] = std::from_chars(start, p, h);
    values.push_back(ec == std::errc() && stop == p && h > -32000 && h < 32000 ? h : invalid);
  }
}

bool ElevationGridReader::open(std::istream& in) {
  in_ = &in;
  rowStart_.clear();
  rowsPresent_ = 0;
  headerFault_ = 0;
  in.clear();
  in.seekg(0);
  // One scan over the file: the six header lines are kept, then only the
  // offsets at which lines start.
  std::vector<std::string> header;
  std::string current;
  std::uint64_t offset = 0;
  std::uint64_t lineStart = 0;
  std::vector<char> buffer(1 << 16);
  int lineIndex = 0;
  std::optional<ElevationTile> tile;
  int linesToSkip = 0;
  int maxRows = 0;
  auto endOfLine = [&](std::uint64_t nextStart) {
    if (lineIndex < 6) {
      header.push_back(current);
      current.clear();
      if (lineIndex == 5) {
        std::vector<std::string_view> views(header.begin(), header.end());
        tile = parseTileHeader(views, &headerFault_);
        if (!tile) return false;
        linesToSkip = tile->dropsFirstLine ? 1 : 0;
        maxRows = tile->dataRows();
      }
    } else if (linesToSkip > 0) {
      --linesToSkip;
    } else if (static_cast<int>(rowStart_.size()) < maxRows) {
      rowStart_.push_back(lineStart);
    }
    ++lineIndex;
    lineStart = nextStart;
    return true;
  };
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    const char* b = buffer.data();
    std::size_t pos = 0;
    while (pos < got) {
      const void* nl = std::memchr(b + pos, '\n', got - pos);
      const std::size_t stop = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - b) : got;
      if (lineIndex < 6) {
        if (current.size() + (stop - pos) > 4096) {  // not a header line
          headerFault_ = lineIndex + 1;
          return false;
        }
        current.append(b + pos, stop - pos);
      }
      if (!nl) {
        pos = got;
        break;
      }
      if (!endOfLine(offset + stop + 1)) return false;
      if (tile && static_cast<int>(rowStart_.size()) >= maxRows) break;
      pos = stop + 1;
    }
    offset += got;
    if (tile && static_cast<int>(rowStart_.size()) >= maxRows) break;
  }
  // A last line without a line end.
  if (lineStart < offset && !(tile && static_cast<int>(rowStart_.size()) >= maxRows))
    if (!endOfLine(offset)) return false;
  if (!tile) {
    // Fewer than six lines: the first faulty or missing one.
    if (headerFault_ == 0) {
      std::vector<std::string_view> views(header.begin(), header.end());
      parseTileHeader(views, &headerFault_);
    }
    return false;
  }
  tile_ = *tile;
  rowsPresent_ = static_cast<int>(rowStart_.size());
  return true;
}

bool ElevationGridReader::readRow(int row, std::string& line) {
  line.clear();
  if (!in_ || row < 1 || row > rowsPresent_) return false;
  in_->clear();
  in_->seekg(static_cast<std::streamoff>(rowStart_[row - 1]));
  if (!std::getline(*in_, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace tavrel
