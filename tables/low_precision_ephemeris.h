// Low-precision sun and moon for rise and set times: the modified Julian
// date, local mean sidereal time and the compact series of Montenbruck and
// Pfleger, Astronomy on the Personal Computer (routines MJD, LMST,
// MiniSun, MiniMoon and SinAlt of their sunrise/sunset program).
//
// Units: hours for right ascension and sidereal time, degrees for
// declination and latitude; longitudes WEST positive, as everywhere in the
// program. Accuracy about 1' for the sun and a few arc minutes for the
// moon, ample for times rounded to the minute. Universal time is used as
// dynamical time.
#pragma once

namespace tavrel {

// Modified Julian date (JD - 2400000.5) of a calendar date at `hour` UT.
// Dates up to 4 October 1582 (10000 year + 100 month + day <= 15821004.1)
// are read in the Julian calendar, later ones in the Gregorian calendar.
double modifiedJulianDate(int year, int month, int day, double hour);

// Local mean sidereal time in hours [0, 24) at the instant mjd (UT) and
// the west-positive longitude: GMST of the IAU 1982 expression (Aoki et
// al.), minus longitude / 15.
double localMeanSiderealTime(double mjd, double longitudeWest);

struct RaDec {
  double rightAscension = 0;  // hours, [0, 24)
  double declination = 0;     // degrees
};

// The sun's right ascension and declination of date (MiniSun), t in
// Julian centuries since J2000.0: t = (mjd - 51544.5) / 36525.
RaDec miniSun(double t);

// The moon's geocentric right ascension and declination (MiniMoon): the
// main terms of the lunar longitude and latitude series, with the
// arguments 0.606433 + 1336.855225 t (mean longitude), 0.374897 +
// 1325.552410 t (moon's mean anomaly), 0.993133 + 99.997361 t (sun's mean
// anomaly), 0.827361 + 1236.853086 t (elongation) and 0.259086 +
// 1342.227825 t (argument of latitude), in revolutions.
RaDec miniMoon(double t);

enum class RiseSetObject { Moon = 1, Sun = 2, Twilight = 3 };

// Sine of the altitude of the body (the sun for Sun and Twilight) at
// `hour` hours after mjd0, seen from the west-positive longitude and the
// latitude with the given sine and cosine.
double sinAltitude(RiseSetObject object, double mjd0, double hour, double longitudeWest,
                   double cosLatitude, double sinLatitude);

}  // namespace tavrel
