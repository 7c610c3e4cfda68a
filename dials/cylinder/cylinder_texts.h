// The texts of the cylinder dials and of the hidokai (text table rows
// 704..723, German and English; the titles of the cylinder dials are the
// label rows of the drawing window's title).
#pragma once

#include <string>

#include "dials/cylinder/cylinder_dial.h"

namespace tavrel {

enum class CylinderText {
  AltitudeSundial = 704,     // "Altitude Sundial (horiz.)"
  MonthAxisReduced = 705,    // "Horizontal month axis too long, therefore reduced"
  GnomonTooLong = 706,       // "Horizontal Gnomon too long! Please change it."
  TwoPartScale = 707,        // German in both languages
  GnomonHeight = 708,        // "Gnomon height ="
  CylinderRadius = 709,      // "Cylinder Radius"
  Deviation = 710,           // "Deviation = "
  Deg = 711,                 // " deg "
  ShadowCastingEdge = 712,   // "Shadow casting edge (height ="
  WithEot = 713,
  WithoutEot = 714,
  TemporalHours = 715,       // " Temporal hours"
  ItalianBabylonian = 716,   // "Italian and Babylonian hours"
  LatitudeTooHigh = 717,     // "not possible. Latitude to high!"
  Italian = 718,             // ", Ital. "
  Babylonian = 719,          // ", Babylon. "
  Hours = 720,               // "hours"
  LatitudeIs = 721,          // "Latitude = "
  LongitudeIs = 722,         // ", Longitude = "
  Mm = 723,                  // " mm"
};

std::string cylinderText(CylinderText id);
std::string cylinderText(CylinderText id, int language);

// The time line under the title of the record d's dial: the clock of the ordinary hours with or
// without EoT, then the temporal, Italian and Babylonian families drawn.
// `plot` names the zone meridian's time as the plot does.
std::string cylinderTimeLine(const DesignState& d, CylinderDialKind kind, bool plot);

}  // namespace tavrel
