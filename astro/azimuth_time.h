// The clock time at which the sun reaches a given azimuth.
#pragma once

#include <string>

namespace tavrel {

struct AzimuthTime {
  bool found = false;
  double zoneTime = 0;  // hours; valid when found
  // Trunc(t) as fixedText(hours, 3, 0), ":", mm, ":", ss, then the unit
  // label "  hh:mm:ss" (" 14:05:09  hh:mm:ss"); empty when not found.
  std::string text;
  // What the search met, in the order the caller reports it (the routine
  // itself shows nothing):
  // A lay outside the azimuths of the bracket ends (az1, az2); the search
  // went on. searchedAzimuth is A as searched (0 becomes 0.0001).
  bool azimuthOutsideBracket = false;
  double bracketAzimuth1 = 0, bracketAzimuth2 = 0, searchedAzimuth = 0;
  // |latitude| < |declination|: not every azimuth is reached that day.
  bool notEveryAzimuthReached = false;
  // The bisection lost A between its ends; the midpoint is still returned.
  bool bracketLost = false;
  // found false: the bracket shrank to nothing (1e-10 h).
};

// The date and place of a search.
struct AzimuthSearch {
  int year = 2000;
  int month = 1;
  int day = 1;
  double latitude = 0;
  double longitude = 0;      // degrees, west positive
  double zoneMeridian = 0;   // degrees, west positive
};

// The zone time at which the sun stands in azimuth A (degrees from south,
// west positive; A = 0 is searched as 0.0001, just after true noon) on the
// date and at the place of `search`. The
// sun moves with the equation of time (apparent solar hour angle) and the
// declination of the instant. Times after midnight of the day are given as
// 24 h and more (" 24:19:33").
// Method: bisection on the zone time between 10.5 and 24.99 h (afternoon,
// A > 0) or 0 and 13.5 h (forenoon) of local mean time, i.e. shifted by
// (longitude - zoneMeridian) / 15 into zone time, the bracket ends swapped
// when the sun culminates north of the zenith (latitude < declination),
// until the azimuths of the bracket are within 0.002 degree, or the
// midpoint's azimuth within 0.005 degree of A. Opens no box: the flags of
// the result tell the caller what to report (the sun calculator's
// showAzimuthSearchMessages, tables/sun_calculator.h).
AzimuthTime zoneTimeForAzimuth(double azimuth, const AzimuthSearch& search);

// The error text of azimuthOutsideBracket in a language (1 German, 2
// English): "Fehler: Az1=" fixedText(az1, 9, 2) " Azimut=" fixedText(A, 8, 2)
// " Az2=" fixedText(az2, 8, 2) (rows 801..803 of the text table).
std::string azimuthOutsideBracketText(const AzimuthTime& result, int language);

}  // namespace tavrel
