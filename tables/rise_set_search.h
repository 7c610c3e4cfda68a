// Rise and set of the sun and the moon and the times of twilight on one
// date, by the search of Montenbruck and Pfleger, Astronomy on the
// Personal Computer (program SUNSET): the sine of the altitude is sampled
// every hour of the local day, a parabola is laid through three
// neighbouring samples (routine QUAD) and its zeros inside the two-hour
// window are the events.
//
// Times are hours of zone time counted from local midnight of the zone
// whose (west-positive) meridian is given; the location is the design
// record's (latitude, longitude, zoneMeridian).
#pragma once

#include <string>

#include "tables/low_precision_ephemeris.h"

namespace tavrel {

// Sine of the altitude that defines the events: the moon's upper limb
// with horizontal parallax and refraction, +8'; the sun's upper limb with
// refraction, -50'; the sun 6, 12 or 18 degrees below the horizon for
// civil, nautical and astronomical twilight (twilightKind 0, 1, 2).
double eventAltitudeSine(RiseSetObject object, int twilightKind);

// The parabola through (-1, yMinus), (0, y0), (1, yPlus) (routine QUAD).
struct QuadraticCrossing {
  double extremumX = 0;  // abscissa and value of the vertex
  double extremumY = 0;
  double root1 = 0;      // the zero inside [-1, 1] when count is 1
  double root2 = 0;      // the larger zero when count is 2
  int count = 0;         // zeros with |x| <= 1
};
QuadraticCrossing quadraticCrossing(double yMinus, double y0, double yPlus);

struct RiseSetEvents {
  bool riseFound = false;
  bool setFound = false;
  double rise = 0;            // hours of zone time, 0..24
  double set = 0;
  bool aboveAtStart = false;  // above the event altitude at local midnight
};

// The search over the day that starts at mjd0 (the modified Julian date
// of local midnight), for the event altitude whose sine is given, at the
// west-positive longitude and the latitude.
RiseSetEvents searchRiseSet(RiseSetObject object, double mjd0, double altitudeSine,
                            double longitudeWest, double latitude);

// The modified Julian date of local midnight of a date in the zone whose
// west-positive meridian is given: 0 h UT of the date plus zoneMeridian / 360.
double localMidnightMjd(int year, int month, int day, double zoneMeridian);

// One table cell of rise and set.
struct RiseSetCell {
  std::string first;   // rise (sun, moon) or end of evening twilight
  std::string second;  // set (sun, moon) or begin of morning twilight
  bool missing = false;  // some event did not happen that day
  // first + second + two blanks, or, when neither event happens, one
  // 14-character text (" always seen  ", "always bright ", " not visible  ",
  // " always  dark ").
  std::string cell;
};

// An event time rounded to the minute: Str(h, 3) + ":" + two-digit
// minutes ("  6:05", " 18:30").
std::string eventTimeText(double hours);

// The cell of the texts of a search result.
RiseSetCell riseSetCellOf(RiseSetObject object, const RiseSetEvents& events);

// Rise and set of the object on the date at the place of the design
// record (twilight of design().twilightKind), as a table cell.
RiseSetCell riseSetTimes(RiseSetObject object, int year, int month, int day);

// The search behind riseSetTimes, with the events as numbers.
RiseSetEvents riseSetEvents(RiseSetObject object, int year, int month, int day);

}  // namespace tavrel
