// The pole-style information of a planar dial without umbrella: where the
// polar style through the gnomon tip meets the dial face, the angle
// between face and style (style height), the direction of the substyle
// and the clock time at which the shadow lies on it, with the notes that
// explain these values. The drawing window shows, prints and saves it; the
// coordinates file of a plot starts with it; the printed hour-line table
// repeats part of it.
//
// Angles in degrees. Latitude north positive, longitude west positive,
// declination of the plane = azimuth of its normal from south, west
// positive; inclination = angle between the plane and the horizontal
// (0 horizontal dial, 90 vertical wall). Dial coordinates: millimetres on
// the face, origin at the gnomon foot P, x horizontal to the right, y up
// the face (on a horizontal dial: to the north).
//
// With G the latitude and J = cos D sin i - tan G cos i (Rohr, Sundials,
// ch. 4; Waugh, Sundials, chs. 10-12):
//   S = ( -L sin D / J,  L (cos D cos i + sin i tan G) / J ),
//   style height  h = arcsin(-J cos G)   (= the angle between the plane
//       and the polar axis; positive when the style points to the north
//       pole as seen from the face, so a south wall gives -(90 - G)),
//   substyle      a = arctan((cos D cos i + sin i tan G) / sin D), shown
//       as a + 90: the clockwise angle from the +y axis to the substyle
//       line (a line: an angle and the angle + 180 are the same line),
//   shadow on the substyle at the hour angle u of the plane's normal
//       (vertical wall: tan u = tan D / sin G), shown as 12 h + u / 15.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

struct DesignState;

struct PoleStyleInfo {
  std::vector<std::string> lines;  // the information text, one line each
  std::string styleHeightText;     // fixedText(h, 8, 2); empty when none
  std::string substyleText;        // fixedText(a + 90, 8, 2); empty when none
  std::string shadowTimeText;      // "h:mm", at least six characters
  // The numbers behind the texts.
  bool styleParallel = false;      // |J| < 1e-7: no S line
  bool styleOrthogonal = false;    // S at P: no angle lines
  double sx = 0, sy = 0;           // S, millimetres
  double styleHeight = 0;          // h
  double substyleDirection = 0;    // a + 90
  double shadowHourAngle = 0;      // u
};

// The information of the design's dial (dialKind 'h', 'v' or 'i'; 'h'
// leaves out the declination and inclination lines) for the plane given
// by inclination and declination (pass 0 and 0 for 'h', inclination 90
// for 'v'). gnomonMm is the gnomon length as drawn (gnomonLength times
// the zoom factor, rounded to 0.01 mm). With integerSunshineLines the
// declinations of the days of whole-hour day length follow. Texts in the
// current language.
PoleStyleInfo poleStyleInfo(const DesignState& d, double longitude, double inclination, double declination,
                            double latitude, double gnomonMm);

// The plane of the design's dial as the information wants it: 'h' 0 / 0,
// 'v' 90 / wallDeclination, 'i' planeInclination / wallDeclination.
PoleStyleInfo poleStyleInfoOfDesign(const DesignState& d, double gnomonMm);

// The information the drawing window shows ("Stylus Info"): the design's
// plane with the gnomon length times the zoom factor, rounded to 0.01 mm.
PoleStyleInfo poleStyleInfoAtZoom(const DesignState& d, double zoomFactor);

// The pole-style information as one text: the lines joined by CR LF.
std::string poleStyleInfoText(const PoleStyleInfo& info);

// What "print information" sends to the printer (Courier 11 pt): a
// separator of 79 characters, the information lines, the separator.
std::vector<std::string> poleStyleInfoPrintLines(const PoleStyleInfo& info);

}  // namespace tavrel
