// Texts of the planar dial pictures: rows 200.. of the work-text table
// (resources/work_texts.tsv) in enum order, in the current language
// (the record's language: 1 German, 2 English) or the given one.
#pragma once

#include <string>

namespace tavrel {

enum class PlanarText {
  TemporalHours,           // " Temporal hours"
  LatitudeTooHigh,         // "not possible. Latitude to high!"
  ItalianBabylonianHours,  // "Italian and Babylonian hours"
  StraightHourLinesShow,   // "Straight hour lines show "
  ApparentTimeZoneMeridian,// "apparent time at zone meridian"
  EightSlopesShow,         // "8-slopes show "
  CivilTime,               // "Civil Time"
  Deviation,               // "Deviation = "
  Inclination,             // "Inclination= "
  RadiusR,                 // "; Radius r = "
  TimesH,                  // " x h"
  RatioR,                  // "; r = "
  DiskRadius,              // "Disk radius r = "
  TimesHeight,             // " x height"
  ZoneMeridianIs,          // "Zone meridian = " (angle table text)
  DeclinationIs,           // "Declination = "
  InclinationIs,           // "Inclination = "
  LongitudeCorrection,     // "(longitude correction on)"
};

std::string planarText(PlanarText id);
std::string planarText(PlanarText id, int language);

}  // namespace tavrel
