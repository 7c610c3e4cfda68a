// The plane of a planar sundial and the small pieces of gnomonics that the
// screen construction, the plot and the hour-line table share: the plane
// description used for every projection, the clock-time reference
// meridians, the style foot, the dates of the date lines and the hour
// subdivisions.
//
// Conventions (degrees): latitude north positive; longitudes and meridians
// west positive; wall declination = azimuth of the plane's normal from
// south, west positive (east negative); inclination = angle between the
// plane and the horizontal. Dial coordinates are millimetres on the dial
// face with the origin at the gnomon foot P, x to the right and y upwards
// as the face is seen from the front (a vertical wall: up is up; a
// horizontal dial seen from above: north is up; an inclined plane: up is
// the up-slope direction).
#pragma once

#include <string>
#include <vector>

#include "astro/plane_sunlight.h"

namespace tavrel {

struct DesignState;

// How the projection sees the plane. A declining and inclined dial
// without umbrella is drawn as the horizontal dial of the place whose
// horizon is parallel to the plane: latitude = style height, clock shifted
// by the substyle hour angle, azimuths counted from the substyle angle
// (Rohr, Sundials, ch. 4: every plane is the horizon of some place).
struct PlanarPlane {
  char kind = 'h';          // 'h', 'v' or 'i'
  bool umbrella = false;
  bool vertical = false;    // 'v'
  double normalAlt = 90;    // altitude of the normal in the projection's sky
  double normalAz = 0;      // azimuth of the normal
  double azOffset = 0;      // subtracted from every sun azimuth
  double phi = 0;           // latitude the sun positions are computed for
  double tOffset = 0;       // hours added to every clock time
  double latitude = 0;      // the place's own latitude
  double declination = 0;   // wall declination ('h': 0)
  double inclination = 0;   // plane inclination ('h' 0, 'v' 90)
  double radiusRatio = 0;   // umbrella disc radius / rod height
  PlaneGeometry equivalent; // planeGeometry(latitude, declination, inclination)
};

// The plane description of the design's dial (kind 'h', 'v' or 'i'; any
// other kind is treated as 'h').
PlanarPlane planarPlane(const DesignState& d);

// The longitude argument of sunAtZoneTime for the hour lines without
// equation of time: zoneMeridian when eotLinesOwnMeridian (the clock shows
// local apparent time), else longitude (apparent time of the zone
// meridian).
double referenceMeridianNoEot(const DesignState& d);
// The same for the lines with equation of time: by umbrellaLocalTime
// (local mean time / zone time) on the ordinary dials, by
// eotLinesOwnMeridian on the umbrella dials.
double referenceMeridianEot(const DesignState& d);

// The point S where the polar style through the gnomon tip meets the
// plane, relative to the gnomon foot (dial coordinates, same unit as L).
// L gnomon length, i inclination (90 for a vertical wall), phi latitude, D
// wall declination. D within 0.07 degree of +-90 is moved to 0.07 degree
// from it and phi within 0.001 of +-90 to +-89.999, so an east or west
// wall and the poles give a far but finite point:
//   J = sin i cos D - tan phi cos i (kept at least 1e-5 away from 0),
//   sx = -L sin D / J,  sy = L (cos i cos D + tan phi sin i) / J.
struct StyleFoot {
  double sx = 0, sy = 0;
};
StyleFoot styleFootPoint(double gnomonLength, double inclination, double latitude,
                         double declination);

// The style foot of the design's dial as the hour lines use it: for 'h'
// (0, -L / tan(latitude)) with |latitude| below 1e-5 replaced by 1e-5; for
// 'v' and 'i' styleFootPoint.
StyleFoot dialStyleFoot(const PlanarPlane& plane, double gnomonLength);

// One date line: the day of the reference year, its label and how its sun
// positions are found.
struct DateLineDay {
  int dayOfYear = 0;
  std::string label;
  bool zodiac = false;        // mode '0': constant declination
  double declination = 0;     // zodiac lines and the equinox days
  bool fixedDeclination = false;  // declination given (zodiac or equinox)
};

// The date lines of mode '0' (the seven zodiac dates, declinations of the
// ecliptic longitudes 90, 120, .., 270 from declinationByLongitude), '1'
// (22 June and the 7th and 22nd of July to December), '2' (the own list;
// an entry that does not convert shows the own-list message and is
// skipped; an empty list gives 21.06., 23.09. and 21.12.) or '3' (none).
// 21 March and 23 September of the reference year use the declination 0
// of zodiacDeclination[4].
std::vector<DateLineDay> dateLineDays(const DesignState& d, char mode);

// Lines per hour of a subdivision digit "0".."4" of the mean and EoT hour
// lines: digit + 1, but "4" gives 6 (every 10 minutes). Other characters
// count as "0"; "6" (the EoT list's 10 minutes) gives 6 as well.
int linesPerHour(char interval);

// The shadow-on-substyle hour angle of a plane (degrees, 0 = noon) as the
// pole-style information gives it: the hour angle of the substyle, with
// the sign and range rules of that text (Waugh, Sundials, ch. 10:
// tan u = tan D / sin phi for a vertical decliner).
double substyleShadowHourAngle(double inclination, double declination, double latitude);

}  // namespace tavrel
