// The geometry of the table window's graphs, independent of any target:
// the equation-of-time curve over the year and the sun's paths (date
// lines) and hour lines in altitude and azimuth, split into the pieces
// that are drawn, each with its pen.
//
// Units: degrees for the sky (azimuth from south, west positive; altitude
// above the geometric horizon), minutes of time for the equation of time
// (apparent minus mean solar time, positive when the sun is fast).
// Longitudes and the zone meridian are WEST positive.
#pragma once

#include <string>
#include <vector>

#include "tables/horizon_profile.h"

namespace tavrel {

// --- Equation of time ------------------------------------------------------

struct EotSample {
  int day = 1;           // day of the year, 1-based (the last one may be one past the year)
  double minutes = 0;    // equation of time at 12 h UT of that day
};

// The curve of the graph: day 1 and then every third day up to the last
// day of the year, and one day past it.
std::vector<EotSample> eotCurve(int year);

// The shift of the graph's values when the longitude correction is shown:
// 4 (zoneMeridian - longitude) minutes, split into the whole minutes that
// move the grid labels and the rest that moves the curve.
struct EotShift {
  double whole = 0;     // Round (screen) or Trunc (plot file) of the total
  double fraction = 0;  // total - whole
};
EotShift eotShift(double longitude, double zoneMeridian, bool shown, bool truncate);

// --- Sun paths ---------------------------------------------------------------

// Which half-year the hour lines cover.
enum class SunPathPeriod {
  WholeYear = 0,
  JuneToDecember = 1,  // 21 June - 21 December
  DecemberToJune = 2,  // 21 December - 21 June
};

struct SunPathOptions {
  int year = 2020;
  double latitude = 0;
  double longitude = 0;      // west positive
  double zoneMeridian = 0;   // west positive
  bool zoneTime = false;     // clock hours of the zone meridian, else local time
  bool withEot = false;      // "Hour lines with EoT": mean time, figure-eights
  int dateLinesPerMonth = 1; // 1, 2, 3; 4 = solstices and equinoxes
  int hourSubdivision = 0;   // 0..3: 60, 30, 20, 15 minutes
  int hoursFrom = 4, hoursTo = 20;
  SunPathPeriod period = SunPathPeriod::WholeYear;
  const HorizonProfile* horizon = nullptr;  // drawn and used when set
};

// The options of the design record (latitude, longitude, zoneMeridian,
// referenceYear, constructionWithEot, dateLinesPerMonth,
// otherHourInterval, otherHoursFrom/To) with the table window's
// longitude-correction switch and period; the loaded horizon profile
// when it is shown.
SunPathOptions sunPathOptionsFromDesign(bool zoneTime, SunPathPeriod period);

struct SkyPoint {
  double azimuth = 0;
  double altitude = 0;
};

enum class SunPathLineKind {
  ZodiacStart,   // date line of a zodiac-sign start (colour 5, one unit wider)
  DateLine,      // other date lines (colour 6)
  FullHour,      // hour line of a whole hour (colour 1, one unit wider)
  PartHour,      // hour line of a part hour (colour 2)
};

// One piece of a line drawn without lifting the pen.
struct SkyPiece {
  std::vector<SkyPoint> points;
  bool belowHorizon = false;  // below the horizon profile: colour 10
};

struct SunPathLine {
  SunPathLineKind kind = SunPathLineKind::DateLine;
  double value = 0;         // ecliptic longitude (date lines) or clock hour (hour lines)
  double declination = 0;   // date lines
  std::vector<SkyPiece> pieces;
  // Where the label goes: the point of 21 June (21 December south of the
  // equator) of an hour line, the highest point of a date line.
  bool hasLabelPoint = false;
  SkyPoint labelPoint;
};

struct SunPathGeometry {
  std::vector<SunPathLine> dateLines;
  std::vector<SunPathLine> hourLines;
  // The skyline, when a profile is drawn: (azimuth, elevation).
  std::vector<SkyPoint> horizon;
};

// Date lines: the sun's daily paths for the declinations of the ecliptic
// longitudes 90 + 5k (design().declinationByLongitude, obliquity of the
// year) taken every 6 / dateLinesPerMonth entries (every 18 for 4),
// sampled over mean time 1 h .. 23 h in steps of 0.1 h while the altitude
// is at least 1.5 degrees and 0.025 h below; a segment is kept when both
// ends lie above 0 and below 89.9 degrees.
// Hour lines: for t = h + j / (s + 1) from hoursFrom while t < hoursTo +
// 0.1, the sun at that clock time (sunAtZoneTime; the apparent-time flag
// is withEot) on days 1, 3, .. 29 of every month; with withEot and the
// whole year all dates and closing at 1 January, otherwise only the dates
// after 20 June and before 23 December (before 21 June or after 21
// December for the other half-year); a segment is kept when both ends lie
// above 0 and below 89.9 degrees. With a horizon profile every piece is cut where the
// sun passes below or above the skyline.
// Calls prepareObliquity(options.year).
SunPathGeometry sunPathGeometry(const SunPathOptions& options);

// --- Sunlight on a plane -----------------------------------------------------

// The line under the cartesian diagram: "Earliest/latest streak of
// sunlight on plane sundial " + the window text of sunlitWindowOnPlane
// (leading blanks removed) + " " + the time kind + ",  " + "Wall
// Declination" + " = " + fixedText(declination, 5, 1) + " deg" + ", " +
// "Inclination [vert.= 90]" + " = " + fixedText(inclination, 5, 1) + " deg".
// The offset passed is longitude - zoneMeridian with zone time, else 0.
struct PlaneSunlight {
  std::string window;   // the window text without leading blanks
  std::string line;     // the whole result line
  std::string status;   // heading, time kind in brackets, window text
};
PlaneSunlight planeSunlight(double latitude, double longitude, double zoneMeridian, bool zoneTime,
                            double planeDeclination, double planeInclination);

}  // namespace tavrel
