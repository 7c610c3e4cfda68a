// Horizontal coordinates of the sun: altitude and azimuth from the hour
// angle and declination, the inverse transformation, the sun at a clock
// time, and the angle between two directions of the sky.
//
// Conventions (degrees throughout):
//   latitude     north positive
//   longitude, zone meridian, any reference meridian: WEST positive
//   hour angle   0 at the local meridian, positive after noon (west),
//                15 degrees per hour; local apparent time = 12 + H / 15
//   azimuth      from SOUTH, positive towards WEST: S 0, W +90, E -90,
//                N +-180
//   altitude     above the horizon positive
//   zone time    decimal hours of the zone whose meridian is zoneMeridian;
//                UT = zone time + zoneMeridian / 15
// No refraction anywhere: altitudes are geometric.
// Formulas: Meeus, Astronomical Algorithms, 2nd ed., ch. 13 (eqs. 13.5,
// 13.6 and their inverse), written with arctan forms and small-value floors
// so that no argument raises.
#pragma once

namespace tavrel {

struct HorizontalPosition {
  double altitude = 0;  // degrees, -90..90
  double azimuth = 0;   // degrees from south, west positive, -180..180
};

struct EquatorialPosition {
  double hourAngle = 0;    // degrees, -180..180
  double declination = 0;  // degrees
};

struct SunPosition {
  double altitude = 0;
  double azimuth = 0;
  double declination = 0;  // of the ephemeris instant used
  double eot = 0;          // equation of time, degrees (x 4 = minutes)
};

// Altitude and azimuth of a body at hour angle H and declination d seen
// from latitude p.
//   H is brought into [-180, 180] first.
//   The sine of the altitude is kept at least 2e-11 away from 0 (floored to
//   (signOf(s) + 0.2) * 1e-10) and below 1 in magnitude, so the altitude is
//   never exactly 0 or +-90: a body on the horizon gives an altitude of a
//   few 1e-9 degrees.
//   Azimuth 0 in the zenith; negative when H < 0 (forenoon); at H = 0
//   exactly 0 when p >= d (sun south of the zenith), else 180.
HorizontalPosition horizontalFromHourAngle(double hourAngle, double declination,
                                           double latitude);

// horizontalFromHourAngle for many hour angles at one declination and
// latitude: their sines and cosines are computed once. Gives the same
// numbers as horizontalFromHourAngle (which is written with it).
class SkyAtDeclination {
 public:
  SkyAtDeclination(double declination, double latitude);
  HorizontalPosition at(double hourAngle) const;

 private:
  long double p_, d_, sp_, cp_, sd_, cd_;
};

// The inverse: hour angle and declination of the direction (altitude h,
// azimuth A) at latitude p. A is brought into [-180, 180]; H is negative
// when A < 0. A point exactly due east or west on the horizon (|A| = 90,
// h = 0) gives H = +-90 and declination 0. Declinations within 1e-7 (in
// sine) of +-90 give exactly +-90. The hour angle comes from its cosine
// (limited to [-1, 1]; within 1e-8 of 0 it is moved to 0.5e-7 or 1.5e-7,
// so H = +-90 comes out about 1e-5 degree short); where that cosine is
// 0 / 0 (at latitude +-90, or for a direction at a celestial pole) the
// tangent form tan H = sin A / (cos A sin p + tan h cos p) is used.
EquatorialPosition equatorialFromHorizontal(double latitude, double altitude, double azimuth);

// The sun at zone time t of day `day` (1-based day of the year) of year,
// seen from latitude p and (west-positive) longitude lon:
//   ephemeris instant x = day + (t + zoneMeridian / 15 - 12) / 24 (UT);
//   hour angle H = 15 (t - 12) - (lon - zoneMeridian), plus the equation
//   of time when `apparent` (then t is read as a mean time and H is the true
//   solar hour angle; without it t is read as an apparent time).
// With lon = zoneMeridian the clock time is the local time of lon.
SunPosition sunAtZoneTime(int year, int day, double zoneTime, double latitude,
                          double longitude, double zoneMeridian, bool apparent);

// As sunAtZoneTime, but the declination and equation of time are those of
// 12:00 zone time of that day (x = day + zoneMeridian / 360), for the
// constructions that keep the declination fixed over a day.
SunPosition sunAtZoneTimeNoonEphemeris(int year, int day, double zoneTime, double latitude,
                                       double longitude, double zoneMeridian, bool apparent);

// The declination and equation of time of sunAtZoneTimeNoonEphemeris for
// one day, and the sun at any zone time of that day from them, so that a
// line sampled over one day computes its ephemeris once:
// sunOfDay(noonEphemerisOfDay(year, day, zm), SkyAtDeclination(decl, p),
// t, lon, zm, apparent) is sunAtZoneTimeNoonEphemeris(year, day, t, p,
// lon, zm, apparent).
struct DayEphemeris {
  double declination = 0, eot = 0;
};
DayEphemeris noonEphemerisOfDay(int year, int day, double zoneMeridian);
SunPosition sunOfDay(const DayEphemeris& ephemeris, const SkyAtDeclination& sky, double zoneTime,
                     double longitude, double zoneMeridian, bool apparent);

// The sun of declination d at time t: H = 15 (t - 12) - (lon - zoneMeridian),
// no equation of time.
HorizontalPosition sunFromMeanTime(double time, double latitude, double longitude,
                                   double zoneMeridian, double declination);

// Cosine of the angle between the directions (azimuth1, altitude1) and
// (azimuth2, altitude2), from the scalar product of the two unit vectors;
// each of its three products is rounded to double before they are summed.
// Note the argument order: azimuth before altitude.
double cosAngleBetween(double azimuth1, double altitude1, double azimuth2, double altitude2);

}  // namespace tavrel
