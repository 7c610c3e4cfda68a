// Elevation tiles in the ESRI ASCII grid text form, as SRTM data are
// distributed at 1 and 3 arc-second spacing: six header lines (ncols,
// nrows, xllcorner, yllcorner, cellsize, NODATA_value, each the keyword, a
// blank and the value with "." as decimal point), then one line per row of
// integer heights in metres, the northernmost row first.
//
// Units: degrees (latitude north positive, longitude EAST positive here),
// metres. Data row i (counting from 1) lies at latitude
// topLatitude - i * cellSize; value j (counting from 0) of a row lies at
// longitude leftLongitude + j * cellSize. A tile whose row count ends in
// 01 (1201, 3601) repeats the neighbouring tile's edge in its first line;
// that line is dropped, so such a tile has rowCount - 1 data rows of
// rowCount values.
//
// The tile is never held as numbers: the reader indexes the start of every
// line in one scan and parses single rows on request.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string_view>
#include <vector>

namespace tavrel {

struct ElevationTile {
  int rowCount = 0;            // nrows, rounded: rows and values per row
  double cellSize = 0;         // degrees; below 0.000278 taken as 1/3600
  double leftLongitude = 0;    // western edge, east positive, 3 decimals
  int span = 0;                // Round(rowCount * cellSize), whole degrees
  double topLatitude = 0;      // yllcorner + span, 3 decimals
  int noDataValue = -9999;     // marker of missing heights
  bool dropsFirstLine = false; // rowCount ends in 01

  int dataRows() const { return dropsFirstLine ? rowCount - 1 : rowCount; }
  double rowLatitude(int row) const { return topLatitude - row * cellSize; }
  double valueLongitude(int j) const { return leftLongitude + j * cellSize; }
  // "1 arcsec" below 0.00083 degrees, else "3 arcsec".
  bool oneArcSecond() const { return cellSize < 0.00083; }
};

// Largest row count accepted (ten times an SRTM1 tile).
inline constexpr int kMaxGridRows = 36010;

// The header of a grid from its first six lines; nullopt when a value is
// missing or not a number, or the tile makes no sense (fewer than two
// rows, more than kMaxGridRows, a span below one degree, corners outside
// the globe). The first line (ncols) is not read: every row has rowCount
// values. On failure `faultLine`, when given, receives the number (2 .. 6)
// of the first header line whose value is missing, not a number or makes
// no sense.
std::optional<ElevationTile> parseTileHeader(const std::vector<std::string_view>& lines,
                                             int* faultLine = nullptr);

// The keyword of header line `line` (1 .. 6): "ncols" .. "NODATA_value".
std::string_view tileHeaderKeyword(int line);

// The heights of one data line: every run of characters from
// {",", "-", "0".."9"} is one value; everything else separates values. A
// run that is not an integer (",", "5-3", beyond +-32000) gives `invalid`.
void parseHeightRow(std::string_view line, int invalid, std::vector<int>& values);

// A grid file opened for random access to its rows.
class ElevationGridReader {
 public:
  // Reads the header and indexes the start of every line in one pass.
  // False when the header is not that of an elevation grid; headerFault()
  // then names the first faulty header line.
  bool open(std::istream& in);

  const ElevationTile& tile() const { return tile_; }
  // Data rows present in the file (at most tile().dataRows()).
  int rowsPresent() const { return rowsPresent_; }
  // Every data row the header announces is present (a file cut short,
  // for instance by an interrupted download, is not).
  bool complete() const { return rowsPresent_ == tile_.dataRows(); }
  // After a failed open: the number (1 .. 6) of the first header line that
  // is missing or not valid.
  int headerFault() const { return headerFault_; }
  // Reads data row `row` (1 .. rowsPresent()) as text into `line`.
  bool readRow(int row, std::string& line);

 private:
  std::istream* in_ = nullptr;
  ElevationTile tile_;
  std::vector<std::uint64_t> rowStart_;  // file offset of data row i at [i - 1]
  int rowsPresent_ = 0;
  int headerFault_ = 0;
};

}  // namespace tavrel
