// The texts of the quadrants and of the Habermel dials (text table rows
// 1200..1230, German and English).
#pragma once

#include <string>

#include "dials/quadrant/quadrant_dial.h"

namespace tavrel {

enum class QuadrantText {
  Title = 1200,              // "QUADRANT SUNDIAL"
  LatitudeIs = 1201,         // "Latitude = "
  Deg = 1202,                // " deg "
  LongitudeIsComma = 1203,   // ", Longitude = "
  HourLinesShow = 1204,      // "Hour lines show "
  Temporal = 1205,           // " Temporal hours"
  ZoneApparent = 1206,       // " Apparent Time of zone meridian"
  LocalApparent = 1207,      // " Local Apparent Time"
  WithEot = 1208,
  WithoutEot = 1209,
  TemporalNote = 1210,       // "Temporal hours from 0 to 6 (= noon ) "
  TemporalSymmetric = 1211,  // "are symmetric to those from 6 to 12"
  LocalSymmetric = 1212,     // "For local apparent time all afternoon hour lines ..."
  OneScale = 1213,           // "Therefore only 1 scale is needed ..."
  FirstHalfZone = 1214,      // " 21.6.-21.12., "
  SecondHalfZone = 1215,     // " 21.12.-21.6., "
  FirstHalfLocal = 1216,     // ", 21.6.-21.12., "
  SecondHalfLocal = 1217,    // ", 21.12.-21.6., "
  Mean = 1218,               // "mean "
  GunterTitle = 1219,        // "Gunter - Quadrant"
  HabermelTitle1 = 1220,     // "Vertical Habermel-Sundial I"
  HabermelTitle2 = 1221,     // "Vertical Altitude Dial (Habermel II)"
  LongitudeIs = 1222,        // "Longitude = "
  GnomonHeight = 1223,       // "Gnomon height ="
  Diameter = 1224,           // "Diameter ="
  Mm = 1225,                 // " mm"
  LocalMeanTime = 1226,      // " Local Mean Time"
  NorthOnly = 1227,          // German in both languages
  HabermelUse1 = 1228,
  HabermelUse2 = 1229,
  Equator = 1230,
};

std::string quadrantText(QuadrantText id);
std::string quadrantText(QuadrantText id, int language);

// "Latitude = " fixedText(latitude, 6, 2) " deg , Longitude = " ... " deg ".
std::string quadrantLocationLine(const DesignState& d);

// The clock of a quadrant: " Temporal hours"; else " Apparent Time of zone
// meridian" or " Local Apparent Time", then " with EoT" / " without EoT"
// (withoutEotWord false: the EoT words left off).
std::string quadrantTimeText(const QuadrantInput& in, bool withoutEotWord);

}  // namespace tavrel
