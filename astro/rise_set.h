// Sunrise and sunset on the geometric horizon: the half day arc H0 (the
// hour angle of sunset; sunrise is at -H0), the times of rise and set, the
// polar cases, and the rise/set tables of the dial constructions.
//
// Geometric horizon throughout: the centre of the sun at altitude 0, no
// refraction and no semi-diameter, so the times differ by a few minutes
// from published sunrise tables (which use h0 = -0.833 degree).
// cos H0 = -tan(latitude) tan(declination) (Meeus, Astronomical
// Algorithms, 2nd ed., eq. 15.1 with h0 = 0). Conventions of
// astro/horizontal_coordinates.h: degrees, longitudes west positive,
// azimuth from south, west positive.
#pragma once

#include <array>
#include <string>

namespace tavrel {

// Rise and set in local apparent time at one longitude.
struct ApparentRiseSet {
  double declination = 0;  // at 12:00 local time of the longitude
  double rise = 0;         // 12 - H0 / 15, hours; 12 when the sun never rises
  double set = 0;          // 12 + H0 / 15, hours; 24 (rise 0) when it never sets
  double azimuthRise = 0;  // azimuth at H = -H0
  double azimuthSet = 0;   // azimuth at H = +H0
};

// Sunrise and sunset of day `day` of year at latitude p and west-positive
// longitude lon, in local apparent time; the declination of 12:00 local
// time is kept for the whole day. H0 = 90 when |cos H0| < 1e-12; when
// |cos H0| > 0.9999999 the day is polar: H0 = 0 (the sun never rises:
// rise = set = 12) or 180 (it never sets: rise 0, set 24).
ApparentRiseSet sunriseSunsetApparent(int year, int day, double latitude, double longitude);

// The half day arc with the polar flags.
struct RiseSetArc {
  double declination = 0;
  double eot = 0;            // equation of time, degrees
  double hourAngle = 0;      // H0, degrees 0..180; 0 whenever a flag is false
  bool notPolarDay = true;   // false: the sun does not set on that day
  bool notPolarNight = true; // false: the sun does not rise on that day
};

// H0 of day `day` of year at latitude p, with the
// declination and equation of time of local mean noon at the (west-positive)
// reference meridian. A day is polar when the lower (upper) culmination is
// above (below) the horizon, the culmination exactly on the horizon still
// counting as rise and set: north of the equator notPolarDay is
// 90 - d - p >= 0 and notPolarNight d + 90 - p >= 0; south of it (p <= 0)
// p + 90 + d >= 0 and p + 90 - d >= 0. With both flags true, H0 = 90 within
// 1e-6 degree of a pole or when |cos H0| < 1e-15, else arccos (limited to
// 0..180).
RiseSetArc riseSetHourAngle(int year, int day, double referenceMeridian, double latitude);

// The same for a given declination, without the ephemeris (declination
// copied, eot 0). North of the equator both polar tests are strict
// (90 - d - p > 0, d + 90 - p > 0): a culmination exactly on the horizon
// counts as a polar day or night, and at the north pole on the equinox
// (d = 0) both flags are false and H0 is 0.
RiseSetArc riseSetHourAngleFromDeclination(double declination, double latitude);

struct RiseSetTimes {
  double rise = 0;  // hours
  double set = 0;
};

// Rise and set of day `day` of year at latitude p in mean time (no
// equation of time), on the clock whose noon falls at
// 12 + (zoneMeridian - ref) / 15:
//   rise = (zoneMeridian - ref) / 15 + 12 - H0 / 15, set = ... + H0 / 15.
// With ref = zoneMeridian this is the local mean time of the zone meridian.
// Note the sign: for ref != zoneMeridian this clock is mirrored about the
// zone time of the place (whose noon is 12 + (ref - zoneMeridian) / 15);
// the hour angle of a time T on it is 15 (T - 12) - (zoneMeridian - ref),
// which is how the planar dials read the table.
// Polar cases: the sun never sets: rise 0, set 24; it never rises: rise -1,
// set 0.
RiseSetTimes riseSetZoneTimes(int year, int day, double zoneMeridian, double referenceMeridian,
                              double latitude);

// Rise and set times for the 1st, 11th and 21st of June to December of
// year (riseSetZoneTimes with the given meridians and latitude):
// table[month - 6][k] for the days 1, 11, 21.
using RiseSetTimeTable = std::array<std::array<RiseSetTimes, 3>, 7>;
RiseSetTimeTable riseSetTimeTable(int year, double zoneMeridian, double referenceMeridian,
                                  double latitude);

// Azimuths of sunrise and sunset for the 1st, 8th, 15th and 22nd of every
// month of year at latitude p: riseSetZoneTimes with ref = zoneMeridian,
// then the azimuth of sunAtZoneTime (mean time, longitude = zone =
// zoneMeridian) at those times; rise[month - 1][k]
// and set[month - 1][k] for the days 1, 8, 15, 22. On polar days and nights
// the azimuths are those at the code times (0 and 24, or -1 and 0 hours).
struct RiseSetAzimuthTable {
  std::array<std::array<double, 4>, 12> rise{};
  std::array<std::array<double, 4>, 12> set{};
};
RiseSetAzimuthTable riseSetAzimuthTable(int year, double zoneMeridian, double latitude);

// H0 of declination d at latitude p (|cos H0| < 1e-12 gives 90, > 0.9999999
// gives 0 or 180) and the sun at H = +H0.
struct SunsetArc {
  double hourAngle = 0;  // H0
  double azimuth = 0;    // azimuth at H0
  double altitude = 0;   // altitude at H0: about 0 unless the day is polar
  // The sun does not set on that day: at H0 = 180 it stands more than
  // 0.1 degree above the horizon (due north, or due south in the southern
  // hemisphere). A graph that meets such a day warns with
  // noRiseSetWarningText, once per graph.
  bool sunDoesNotSet = false;
};
SunsetArc sunsetHourAngleAndAzimuth(double declination, double latitude);

// The warning of a day without sunset in a language (1 German, 2 English):
// "On some days no sun rise/set!" (row 800 of the text table). The caller
// shows it in a warning box.
std::string noRiseSetWarningText(int language);

}  // namespace tavrel
