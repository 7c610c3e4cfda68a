// The coordinates listing of a planar dial plot: the pole-style
// information, then one section per plotted line with its points in
// millimetres relative to the gnomon foot (x to the right, y upwards),
// exactly the points the plot file draws, in plotting order. It goes to a
// text file (Windows-1252, CR LF, written completely or not at all) or to
// the printer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavrel {

struct DesignState;

class CoordinatesListing {
 public:
  // The head: the information lines, a blank line, "Hour lines show " and
  // the time of the hour lines, for umbrella dials the disc radius, and
  // the name of the plot file.
  void writeHead(const DesignState& d, const std::vector<std::string>& infoLines, const std::string& plotFileName);

  // Two line breaks, the heading of the date lines and a rule of 76 "-".
  void dateLinesHeading();
  // A blank line and the title of a line. The points of a date line
  // follow on the title's line (each whole hour starts a line of its
  // own); those of the other lines start on the next line.
  void beginSection(const std::string& title, bool pointsOnTitleLine = false);
  // One point "x/y;" (x 9 and y 8 characters wide, 3 decimals), four to a
  // text line. A point that marks a whole hour of a date line starts a
  // line of its own with "(hh Uhr):".
  void point(double xMm, double yMm);
  void hourPoint(int hour, double xMm, double yMm);

  // How many lines (of lines()) the head takes.
  std::size_t headLineCount() const { return headLineCount_; }

  // The listing as written: lines separated by CR LF.
  const std::string& text() const { return text_; }
  // The same, one text per line.
  std::vector<std::string> lines() const;

 private:
  void lineBreak();
  std::string text_;
  std::size_t headLineCount_ = 0;
  int pointsOnLine_ = 0;
  bool lineHasText_ = false;
};

// Writes the listing to `path` (Windows-1252, CR LF), replacing the file
// only when everything was written. On failure shows message 53 with the
// file name (error caption) and returns false.
bool writeCoordinatesFile(const std::string& path, const CoordinatesListing& listing);

// The coordinates file that belongs to a plot file: the plot's name up to
// its first "." followed by "txt", or the name + ".txt" when it has no
// ".". Only the file's own name is looked at, so a "." in a folder name
// does not cut the path.
std::string coordinatesFileNameFor(const std::string& plotFileName);

}  // namespace tavrel
