// Sunlight on a dial plane: the gnomonic geometry of a declining and
// inclined plane (style height, substyle), whether the sun is in front of
// a plane, and the daily window of sunlight on the plane over a year.
//
// A plane is given by its declination w (the azimuth of its normal, from
// south, west positive: 0 faces south, -90 east, +-180 north) and its
// inclination i (angle between the plane and the horizontal: 0 horizontal
// facing up, 90 vertical, up to 180 horizontal facing down). Every plane is
// the horizon of some place on the globe: its latitude is the style height
// (the altitude of the north celestial pole above the plane; negative when
// the south pole is the one above it) and its longitude difference from the
// dial's meridian the substyle hour angle. Rohr, Sundials: History, Theory
// and Practice, ch. 4; Waugh, Sundials: Their Theory and Construction,
// chs. 10-12 (declining and reclining dials).
#pragma once

#include <string>

namespace tavrel {

struct PlaneGeometry {
  // asin(sin p cos i - cos p sin i cos w), degrees: the latitude at which
  // the plane is horizontal. Vertical wall: -asin(cos p cos w), so a south
  // wall at latitude p has p - 90 and its style points to the south pole.
  double styleHeight = 0;
  // The hour angle of the plane's normal, (-180, 180]: the hour angle whose
  // hour line is the substyle (the longitude difference of the plane).
  double substyleHourAngle = 0;
  // Angle of the substyle on the plane, (-180, 180], measured from the
  // plane's down-slope line (vertical wall: straight down; horizontal plane:
  // the direction of azimuth w) towards the plane's horizontal direction of
  // azimuth w - 90 (east on a south wall). Vertical decliner:
  // tan = sin w / tan p (Rohr's substyle distance).
  double substyleAngle = 0;
};

PlaneGeometry planeGeometry(double latitude, double planeDeclination, double planeInclination);

// True when the sun of declination d at local apparent time t (hours) is
// in front of the plane whose normal has the given azimuth and altitude:
// the cosine of the angle between the sun and the normal is positive. The
// horizon is not tested.
bool sunInFrontOfPlane(double normalAzimuth, double normalAltitude, double latitude,
                       double declination, double apparentTime);

struct SunlitWindow {
  double earliest = 0;             // offset + earliest first-light hour angle
  double latest = 0;               // offset + latest last-light hour angle
  double earliestDeclination = 0;  // declination of the day of earliest light
  std::string text;                // clock times, see sunlitWindowOnPlane
};

// The span of the day during which the sun is both above the horizon and in
// front of the plane (latitude p, declination w, inclination i), scanned
// over the declinations +obliquity, 23.5 - 0.05 k (k = 1..939, those within
// +-obliquity) and -obliquity, with obliquity the rounded obliquity of the
// reference year (obliquityRounded of the design, 23.44 around 2000):
// the horizon window [-H0, H0] is intersected with the plane's
// window L +- Hp (L the substyle hour angle, Hp the half day arc of the
// plane's own latitude, the style height), which may wrap through +-180;
// the earliest start and the latest end over the year are kept (180 and
// -180 when the plane is never lit). A day on which the sun stays below the
// horizon gives no light; windows that merely touch give none either. At a
// pole (|p| >= 89.99) and for a plane perpendicular to the axis
// (|style height| >= 89.9) the half arc is 180 when the sun is on the
// pole's side of the equator (or on it) and 0 otherwise.
// `offset` (degrees) is added to both hour angles, e.g. longitude -
// zoneMeridian for clock times of the zone meridian.
// Text, with T(h) = formatMinutesSeconds((h / 15 + 12) / 4) (h:mm): nine
// blanks, T(offset + earliest), " - ", T(offset + latest)
// ("           6:00 -  18:00" for a south wall at 47 degrees). A two-span
// form T(offset + earliest), " - ", T(offset - Hs), "; ", T(offset + Hs),
// " - ", T(offset + latest), with Hs the half day arc of the summer
// solstice (180 when |p| >= 70), is used only when not verbose and the
// window would run from before -Hs to after +Hs, which a real window of
// sunlight never does (the sun is not up before the solstice sunrise).
SunlitWindow sunlitWindowOnPlane(double offset, double latitude, double planeDeclination,
                                 double planeInclination, double obliquity, bool verbose);

}  // namespace tavrel
