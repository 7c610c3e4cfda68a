// The hour-line angle table of the planar dials without umbrella: the
// angle of every hour line at the foot S of the polar style, computed in
// closed form, the style height, the substyle direction, the daily window
// of sunlight on the plane and the texts of the table panel.
//
// Angles in degrees. The hour-line angle alpha of hour angle tau on a
// plane of declination delta and inclination i at latitude phi is the
// direction of the line in the plane (Rohr, Sundials, ch. 4; Waugh,
// Sundials, chs. 10-12):
//   q = -cot tau,
//   tan alpha = (cos i (sin phi cos delta + q sin delta) - cos phi sin i)
//               / (q cos delta - sin phi sin delta);
// on a horizontal dial this is tan alpha = -sin phi tan tau, on a south
// wall tan alpha = cos phi tan tau.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tavrel {

struct DesignState;

// Marks an hour without an angle.
inline constexpr double kNoHourLineAngle = 500;

struct HourLineAngleTable {
  // hourLineAngles[clock hour 0..24][subdivision 0..5]; kNoHourLineAngle where none.
  std::array<std::array<double, 6>, 25> hourLineAngles{};
  // Earliest first light and latest last light on the plane over the year,
  // hour angles (0 before the first run).
  double sunlitEarliest = 0, sunlitLatest = 0;
  std::string sunlitLabel;    // string 566 "Sun on Sundial Plane: "
  std::string sunlitText;     // the window text of sunlitWindowOnPlane
  std::string sunOnDialText;  // label + text + "   " + "Local Apparent Time"
  double styleHeight = 0;     // E
  double substyleAngle = 0;   // G
  double steepestSlope = 0;   // J: angle between the line of steepest slope and the noon line
  std::string shadowTimeText; // clock time of the shadow on the substyle
  // Header labels: values with " deg ", or " - - - -" where the dial has none.
  std::string latitudeText, longitudeText, zoneMeridianText, declinationText, inclinationText;
  std::string dialTypeLine;   // "Angles of the Hour Lines in a" + " Horizontal Sundial" ...
  std::vector<std::string> infoLines;
  // Row 0: headers; rows 1..: four groups of (time, angle, tangent, empty).
  std::vector<std::vector<std::string>> grid;
  std::vector<std::vector<std::string>> printGrid;  // rows 1.. of grid, cells at most 15 characters
  int usedRows = 0;           // grid rows holding values (1..usedRows)
  bool computed = false;

  HourLineAngleTable();
};

inline constexpr int kAngleGridColumns = 16;
inline constexpr int kAngleGridRows = 51;  // header + 50 (six lines per hour over 0..24 need 49)

// Fills every output from the design record (dialKind 'h', 'v' or 'i';
// latitude, longitude, zoneMeridian, wallDeclination, planeInclination,
// hourLinesFrom, hourLinesTo, hourLineInterval, eotLinesOwnMeridian: the
// longitude correction of the table is on exactly when eotLinesOwnMeridian
// is off). The continuity passes turn hours whose angle jumps by more than
// 90 and less than 300 degrees from the neighbour by 180 degrees, working
// outwards from the middle of the sunlit window.
HourLineAngleTable computeHourLineAngles(const DesignState& d);

// The whole table as text lines (dial-type line, header labels, sunlit
// window, information lines, the grid), as the "angles" command prints it.
std::vector<std::string> hourLineAngleText(const DesignState& d, const HourLineAngleTable& table);

}  // namespace tavrel
