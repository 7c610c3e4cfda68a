// Reading the world outline: the line format of the coast and boundary
// data and the two passes (coast lines, boundaries) of the map overlays.
//
// Outline text, one record per line:
//   "> -b"         segment separator (the pen is lifted before the next point)
//   lon TAB lat    a point, east longitude then north latitude, degrees
//   "Grenze"       the single line between the coast part and the boundaries
// Any line that is no point line lifts the pen, as does a point outside
// latitude -90..90 or longitude -180..180.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plot/plot_surface.h"

namespace tavrel {

// The line that separates the coast lines from the boundaries.
inline constexpr std::string_view kOutlinePartSeparator = "Grenze";

// Minimum length (exclusive) of a point line: the screen and bi-azimuthal
// passes read lines longer than 7 characters, the planar plot pass lines
// longer than 6.
inline constexpr std::size_t kOutlineScreenMinLength = 7;
inline constexpr std::size_t kOutlinePlotMinLength = 6;

// The number at the start of `text` as far as it is valid: an optional
// sign, digits, a decimal point and digits, an exponent when digits follow
// it. 0 when no digit leads (the scanner never fails).
double leadingNumber(std::string_view text);

// The two values of a line: leading blanks removed, the first value is the
// leading run of "+-.0123456789", the second starts at the next character
// of that set after any others. Both are read by leadingNumber.
void outlineValues(std::string_view line, double& first, double& second);

// Whether a line is a point line for the map passes: longer than
// minLength characters and not beginning with "<".
bool isOutlinePointLine(std::string_view line, std::size_t minLength);

// A point of the outline; false for a line that lifts the pen (no point
// line, or a point outside the latitude and longitude bounds).
bool outlinePoint(std::string_view line, std::size_t minLength, double& eastLongitude,
                  double& latitude);

// Index ranges of the two parts in a list of outline lines: the coast
// lines from 0 up to the "Grenze" line, the boundaries from the line after
// it to the end. Without a "Grenze" line everything is coast.
struct OutlineRange {
  std::size_t begin = 0, end = 0;
};
OutlineRange coastRange(const std::vector<std::string>& lines);
OutlineRange boundaryRange(const std::vector<std::string>& lines);

// One map pass as polyline vertices: every point of the range is projected
// by `project` (latitude, east longitude -> surface x, y; false: the point
// cannot be placed) and kept when `inside` accepts it. The first point
// after a pen lift is a move, the following ones are lines. A point
// rejected by `inside` lifts the pen as well: its neighbours on either side
// may lie anywhere in the window, and a line joining them would cross land
// and sea that the outline never joined.
using OutlineProjector = std::function<bool(double latitude, double eastLongitude, double& x, double& y)>;
using OutlineBounds = std::function<bool(double x, double y)>;
std::vector<PlotVertex> outlineVertices(const std::vector<std::string>& lines, OutlineRange range,
                                        std::size_t minLength, const OutlineProjector& project,
                                        const OutlineBounds& inside);

// The outline read into numbers. Parsing 40,000 lines of text on every
// drawing would cost more than projecting them: the lines are read once
// and kept while the list of lines stays the same.
struct OutlineRecord {
  double eastLongitude = 0, latitude = 0;
  // outlinePoint with kOutlineScreenMinLength / kOutlinePlotMinLength:
  // false lifts the pen.
  bool screenPoint = false, plotPoint = false;
};
class ParsedOutline {
 public:
  explicit ParsedOutline(const std::vector<std::string>& lines);
  const std::vector<std::string>& lines() const { return lines_; }
  const std::vector<OutlineRecord>& records() const { return records_; }
  // coastRange / boundaryRange of the lines.
  OutlineRange coast() const { return coast_; }
  OutlineRange boundaries() const { return boundaries_; }
  // {sin, cos} of every record's latitude times radiansPerDegree, computed
  // once for each factor (the projections differ in their factor).
  const std::vector<std::array<double, 2>>& latitudeSines(double radiansPerDegree) const;

 private:
  std::vector<std::string> lines_;
  std::vector<OutlineRecord> records_;
  OutlineRange coast_, boundaries_;
  mutable std::deque<std::pair<double, std::vector<std::array<double, 2>>>> sines_;  // stays in place
};

// The parsed form of `lines`, read again only when they differ from the
// lines read last time (the drawing runs on one thread).
const ParsedOutline& parsedOutline(const std::vector<std::string>& lines);

// outlineVertices over the parsed outline, appended to `out`: project(sin
// latitude, cos latitude, east longitude, x, y) places a point (false: it
// cannot be placed), the sines taken with radiansPerDegree; screenLines
// chooses the point lines of the screen passes, else of the plot pass.
template <class Project, class Inside>
void appendOutlineVertices(const ParsedOutline& outline, OutlineRange range, bool screenLines,
                           double radiansPerDegree, Project project, Inside inside,
                           std::vector<PlotVertex>& out) {
  const std::vector<OutlineRecord>& records = outline.records();
  const std::vector<std::array<double, 2>>& sines = outline.latitudeSines(radiansPerDegree);
  bool penDown = false;
  for (std::size_t i = range.begin; i < range.end; ++i) {
    const OutlineRecord& r = records[i];
    double x = 0, y = 0;
    if (!(screenLines ? r.screenPoint : r.plotPoint) ||
        !project(sines[i][0], sines[i][1], r.eastLongitude, x, y)) {
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
}

}  // namespace tavrel
