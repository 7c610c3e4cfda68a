// The texts of the azimuthal dial (text table rows 1000..1029, German and
// English). Messages 49 (low latitude), 60/61 (symbol font) and 64
// (temporal hours refused) come from the message table.
#pragma once

#include <string>

namespace tavrel {

enum class AzimuthalText {
  Title = 1000,              // "AZIMUTHAL SUNDIAL"
  Tonne = 1001,              // " (Tonne)"
  StereographicTitle = 1002, // "Stereographic Sundial"
  OrthographicTitle = 1003,  // "Orthographic Sundial"
  LatitudeIs = 1004,         // "Latitude = "
  Deg = 1005,                // " deg "
  LongitudeIs = 1006,        // ", Longitude = "
  ZoneTime = 1007,           // "time at zone meridian"
  LocalTime = 1008,          // "local time"
  WithEot = 1009,            // "with EoT"
  WithoutEot = 1010,         // "without EoT"
  CivilTime = 1011,          // "Civil Time"
  LocalApparentTime = 1012,  // "Local Apparent Time"
  LocalMeanTime = 1013,      // "Local Mean Time"
  ApparentZoneTime = 1014,   // "apparent time at zone meridian"
  ApparentLocalTime = 1015,  // "Local Apparent Time" (German "Wahre Ortszeit (WOZ)")
  Woz = 1016,                // " (WOZ)", English " (LAT)"
  Diameter = 1017,           // "Diameter"
  Additionally = 1018,       // "additionally: " (German "zusätzlich: ")
  TemporalHours = 1019,      // " Temporal hours"
  ItalianHours = 1020,       // "Italian hours"
  BabylonianHours = 1021,    // "Babylonian hours"
  PointerNote = 1022,        // "For pointer height look at help file!"
  DomeNote = 1023,           // "A transparent reflective dome is used instead of a pointer!"
  FirstOfMonth = 1024,       // "1st of month"
  SignBegin = 1025,          // "begin of new Zodiac sign"
  SixteenthOfMonth = 1026,   // "16th of month"
  SignMiddle = 1027,         // "middle of Zodiac sign"
  LegendIs = 1028,           // "=  "
  Mm = 1029,                 // " mm"
};

std::string azimuthalText(AzimuthalText id);
std::string azimuthalText(AzimuthalText id, int language);

}  // namespace tavrel
