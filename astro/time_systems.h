// The sun at hours of the old time systems: temporal (unequal) hours and
// Babylonian and Italian hours. The altitude and azimuth dials (cylinder
// dials, quadrants, azimuthal dial) place their hour points with these;
// the planar dials compute their own.
//
// All use the half day arc H0 of the day on the geometric horizon,
// cos H0 = -tan(latitude) tan(declination) (90 when |cos H0| < 1e-12),
// with the declination of 12:00 local time held for the day, and local
// apparent time (no equation of time) at the given (west-positive)
// meridian. Angles in degrees; azimuth from south, west positive.
// Where the sun does not rise or set (|cos H0| > 1) H0 is taken as 0 or
// 180; the dials refuse these hours at such latitudes.
#pragma once

#include "astro/horizontal_coordinates.h"

namespace tavrel {

// The sun at temporal hour `hour` (0 = sunrise, 6 = noon, 12 = sunset, each
// hour H0 / 90 clock hours long) of day `day` of year at latitude p, seen
// at `meridian`: local apparent time 12 - (6 - hour) H0 / 90.
HorizontalPosition temporalHourSun(int year, int day, double hour, double meridian,
                                   double latitude);

// The sun at Babylonian hour `hour` (hours since sunrise) or Italian hour
// (hours since the previous sunset), local apparent time at `meridian`:
// with r = H0 / 15, t = (12 - r) + hour - 24 (Babylonian; a day early, the
// same sun position) or t = hour - (12 - r) (Italian).
HorizontalPosition italianBabylonianSun(int year, int day, bool babylonian, double hour,
                                        double meridian, double latitude);

// The hour angle of temporal hour `hour` for declination d: (hour - 6) H0 / 6.
double temporalHourAngle(double hour, double latitude, double declination);

// The half day arc H0 (degrees, 0..180) of the header, and the hour angles
// of temporal and of Babylonian or Italian hours for a day whose H0 is
// known (a construction that draws many hours of one day computes it once).
double halfDayArcDegrees(double latitude, double declination);
double temporalHourAngleOnArc(double hour, double h0);
double italianBabylonianHourAngleOnArc(bool babylonian, double hour, double h0);

// The sun of declination d at temporal hour `hour`: hour angle
// (hour - 6) H0 / 6.
HorizontalPosition temporalHourSunAtDeclination(double hour, double latitude,
                                                double declination);

}  // namespace tavrel
