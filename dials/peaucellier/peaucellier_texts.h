// The texts of the Peaucellier azimuthal dial (text table rows 1100..1111,
// German and English).
#pragma once

#include <string>

namespace tavrel {

enum class PeaucellierText {
  LatitudeRefusal = 1100,  // German and English line of the latitude check
  Title = 1101,            // "Hybrid Peaucellier Sundial, azimuthal"
  Credit = 1102,
  CentralDistance = 1103,  // "Central distance of equinoctial date line"
  Constant = 1104,         // "Peaucellier constant"
  Latitude = 1105,
  Summer = 1106,           // "S"
  Equinox = 1107,          // "Ä" / "E"
  Winter = 1108,           // "W"
  North = 1109,            // "N"
  South = 1110,            // "S"
};

std::string peaucellierText(PeaucellierText id, int language);

}  // namespace tavrel
