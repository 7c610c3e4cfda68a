// The declination of a wall measured with a board, a pin and a clock.
//
// A board is held level against the wall. A pin stands upright on it (or
// a plumb line hangs over a mark on it); at a noted clock time the shadow
// of the pin's top is marked, and the angle between the wall's outward
// perpendicular and the line from that shadow back to the pin is read:
//
//            wall face, seen from above
//   =====================================
//                  :          S          S  the shadow of the pin's top
//                  :        /
//                  :      /
//                  :    /                a  the board angle, from the
//                  :  /                     outward perpendicular to the
//                  P    pin                 line S -> P, positive
//                / :                        clockwise seen from above
//              / a :
//          sun     v  outward perpendicular, azimuth D
//
// The line S -> P points to the sun's azimuth A, so the perpendicular
// points to D = A - a. Both azimuths are the program's: from south,
// positive towards west (S 0, W +90, E -90, N +-180), which is clockwise
// seen from above; D is therefore the record's `wallDeclination` (the
// azimuth of the plane's normal, east negative): a wall facing south has
// 0, one facing south-west +45, one facing south-east -45.
//
// The sun is the program's (astro/horizontal_coordinates.h: geometric,
// no refraction). The place is given by the caller; nothing here reads
// the design record, prints or opens a box. Refusals are values with a
// text in either language (wallRefusalText).
#pragma once

#include <string>
#include <vector>

namespace tavrel {

// The clock the times were read from: zone time of the zone meridian (no
// daylight saving), or local mean time of the place's longitude.
enum class WallClock { Zone, LocalMean };

struct WallPlace {
  double latitude = 0;      // degrees, north positive
  double longitude = 0;     // degrees, WEST positive
  double zoneMeridian = 0;  // degrees, WEST positive
};

struct WallMeasurement {
  int year = 2000, month = 1, day = 1;  // civil date (the tables' calendar)
  double clockHours = 12;               // 0..24
  WallClock clock = WallClock::Zone;
  double boardAngle = 0;                // degrees, see the figure above
};

enum class WallRefusal {
  None,
  ImpossibleTime,   // no such date (or outside 1300..2500), or hour outside 0..24
  SunBelowHorizon,  // no shadow at that time
  SunBehindWall,    // |board angle| >= 90: the sun would be behind the wall
};

struct WallReading {
  WallRefusal refusal = WallRefusal::None;
  double sunAzimuth = 0;   // degrees from south, west positive (0 for ImpossibleTime)
  double sunAltitude = 0;  // degrees
  double declination = 0;  // degrees, -180 < D <= 180 (0 when refused)
};

// D = A - a brought into (-180, 180].
double declinationFromBoardAngle(double sunAzimuth, double boardAngle);

// One measurement: the sun at that time and place, and the declination it
// gives. The refusals are checked in the order of WallRefusal.
WallReading wallReading(const WallPlace& place, const WallMeasurement& measurement);

// Mean, spread and outliers of the readings that were not refused.
//
// Declinations are compared as differences from the first accepted
// reading, brought into (-180, 180], so that readings either side of
// +-180 (a wall facing north) average correctly.
// Outliers (only with three or more accepted readings): a reading whose
// distance from the median exceeds three robust standard deviations
// (1.4826 times the median absolute deviation, Hampel's identifier) and
// at least kWallOutlierFloor degrees, which is what a careful reading of
// the board and the clock can be off by.
// The mean and the spread (the sample standard deviation, n - 1; 0 for a
// single reading) are of the accepted readings that are not outliers.
inline constexpr double kWallOutlierFloor = 2.0;
struct WallSummary {
  int used = 0;                 // readings in the mean
  double mean = 0;              // degrees, (-180, 180]
  double spread = 0;            // degrees
  std::vector<bool> outlier;    // one per reading; false for refused ones
};
WallSummary summariseWallReadings(const std::vector<WallReading>& readings);

// The text of a refusal in a language (1 German, 2 English); empty for None.
std::string wallRefusalText(WallRefusal refusal, int language);

// Rows of the work-text table (resources/work_texts.tsv) of the wall
// declination tool: the refusals, the board template and the window.
namespace wallText {
constexpr int kImpossibleTime = 760;
constexpr int kSunBelowHorizon = 761;
constexpr int kSunBehindWall = 762;
constexpr int kTemplateTitle = 770;     // "Board for measuring the wall declination"
constexpr int kWallEdge = 771;          // "This edge against the wall"
constexpr int kPinMark = 772;           // "Pin or plumb line"
constexpr int kPerpendicular = 773;     // "Perpendicular to the wall"
constexpr int kHowTo1 = 774;
constexpr int kHowTo2 = 775;
constexpr int kHowTo3 = 776;
constexpr int kScaleCheck = 777;        // "100 mm: check the print scale"
constexpr int kColumnNumber = 778;
constexpr int kColumnDate = 779;
constexpr int kColumnTime = 780;
constexpr int kColumnAngle = 781;
constexpr int kClockNote = 782;         // zone time without daylight saving
constexpr int kWindowTitle = 790;       // "Measure wall declination"
constexpr int kPlace = 791;
constexpr int kDate = 792;
constexpr int kClockTime = 793;
constexpr int kBoardAngle = 794;
constexpr int kSunAzimuth = 795;
constexpr int kSunAltitude = 796;
constexpr int kDeclination = 797;
constexpr int kZoneTime = 798;
constexpr int kLocalMeanTime = 799;
constexpr int kAddRow = 800;
constexpr int kRemoveRow = 801;
constexpr int kMean = 802;
constexpr int kSpread = 803;
constexpr int kOutlier = 804;
constexpr int kUseDeclination = 805;
constexpr int kSaveTemplate = 806;
constexpr int kNoValidReading = 807;
constexpr int kOpenTool = 808;          // "&Measure wall declination ..."
constexpr int kTemplateFilter = 809;
constexpr int kAngleNote = 810;
constexpr int kOutliersLeftOut = 811;
constexpr int kDeclinationSet = 812;
constexpr int kLatitude = 813;
constexpr int kLongitude = 814;
constexpr int kZoneMeridian = 815;
constexpr int kCompute = 816;
constexpr int kTemplateSaved = 817;
}  // namespace wallText

// Row `row` of the table above in a language (1 German, 2 English).
std::string wallTextOf(int row, int language);

}  // namespace tavrel
