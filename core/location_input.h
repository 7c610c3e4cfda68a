// Degrees, minutes and seconds of the location window: the conversion of
// a decimal angle into the three whole numbers it shows, and back.
#pragma once

#include <cstdint>

namespace tavrel {

// An angle as the location window shows it: whole degrees, minutes and
// seconds of its absolute value (seconds may read 60), and its sign.
struct DegMinSec {
  std::int32_t degrees = 0;
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;
  bool negative = false;  // v < 0
};

// With a = |v|: degrees = trunc(a); r = (a - degrees) * 60; minutes =
// trunc(r); seconds = (r - minutes) * 60 rounded, ties to even.
DegMinSec toDegMinSec(double v);

// The three angles the degree-minute-second mode of the location window
// stores, from the whole numbers and the hemisphere choices.
struct DmsLocation {
  double latitude = 0;
  double longitude = 0;
  double zoneMeridian = 0;
};

// degrees + minutes / 60 + seconds / 3600 for each angle. The latitude is
// limited to 90 and an absolute value below 1e-5 becomes 1e-6, so that the
// hemisphere survives (0 N -> +1e-6, 0 S -> -1e-6). Longitude and zone
// meridian are limited to 180 (180 degrees 60 minutes would leave the
// range the rest of the program accepts). South makes the latitude
// negative, East the longitude and the zone meridian.
struct DmsFields {
  std::int32_t latDeg = 0, latMin = 0, latSec = 0;
  bool south = false;
  std::int32_t lonDeg = 0, lonMin = 0, lonSec = 0;
  bool lonEast = false;
  std::int32_t zoneDeg = 0, zoneMin = 0, zoneSec = 0;
  bool zoneEast = false;
};
DmsLocation locationFromDms(const DmsFields& f);

// The zone meridian lies more than `limit` degrees from the longitude.
bool zoneFarFromLongitude(double zoneMeridian, double longitude, double limit);

}  // namespace tavrel
