// The printed hour-line angle table of a planar dial without umbrella: the
// dial-type title, part of the pole-style information with the sunlit
// hours and the notes, and the table of clock time, angle and tangent in
// four column groups. The page layout (printer units, page breaks) is the
// printing window's; this is the text it places.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "dials/planar/hour_line_angles.h"

namespace tavrel {

struct DesignState;

struct AngleTablePrintout {
  std::string title;                   // "Angles of the Hour Lines in a ..."
  std::vector<std::string> infoLines;  // printed one below the other
  std::string header;                  // " hh:mm dd.dd tangens" four times
  // One entry per table row: four groups of time, angle and tangent
  // (cells of at most 15 characters, empty where the row has none).
  std::vector<std::array<std::array<std::string, 3>, 4>> rows;
  std::string continuedNote;           // "Table on the following page!"

  // The table as fixed-pitch text: the header (its groups widened to the
  // cells), then one line per row.
  std::vector<std::string> tableLines() const;
};

// The printout of `table` for the design's dial ('h', 'v' or 'i'). The
// pole-style information is rebuilt with gnomonMm and shortened: to its
// first ten lines (seven for 'h'), less the two lines from index 5 (the
// gnomon length and S on a wall or inclined face), for 'h' to its first
// three lines; then five blanks with the sunlit label and text, a blank
// line, for 'v' and 'i' the two lines on the angle of steepest slope, and
// the five lines that explain the table.
AngleTablePrintout hourLineAnglePrintout(const DesignState& d, const HourLineAngleTable& table, double gnomonMm);

}  // namespace tavrel
