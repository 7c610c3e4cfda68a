// The texts of the ring dial and of its offset-correction chart (text
// table rows 1300..1330, German and English).
#pragma once

#include <string>

namespace tavrel {

enum class RingText {
  Title = 1300,             // "Ring Dial (Farmers´ Ring):"
  Diameter = 1301,          // "Diameter ="
  RingWidth = 1302,         // ", Ring Width ="
  PinHoleAt = 1303,         // ", Pin Hole at "
  Deg = 1304,               // " deg "
  HalfCircumference = 1305, // " Half Inner Circumference"
  HoleOffset = 1306,        // "Offset of Pin Hole"
  LocalApparentTime = 1307, // " Local Apparent Time"
  TemporalHours = 1308,     // " Temporal hours"
  ItalianLegend = 1309,     // "= Italian hours"
  BabylonianLegend = 1310,  // "= Babylonian hours"
  ShrinkQuestion = 1311,    // the band does not fit: draw it smaller?
  Latitude = 1312,          // "Latitude = "
  HourLinesShow = 1313,     // "Hour lines show "
  Mm = 1314,                // " mm"
  ReducedTo = 1315,         // "reduced to "
  WithDeflection = 1316,
  WithoutDeflection = 1317,
  BothDeflections = 1318,
  NoonHorizontal = 1319,    // "12 o'clock line horizontal"
  ChartFileHeader = 1320,   // "Ring Dial - Offset Correction"
  ChartTitle = 1321,        // "Correction for Sun altitude if light mark is offset (gnomon hole at"
  ChartTitleEnd = 1322,     // "). "
  ChartDepends = 1323,      // "The corrected values depend on the height of Sun."
  ChartOffsetAxis = 1324,   // '"relative" offset of light mark [...]'
  ChartScaleAxis = 1325,    // "Scale inner ring [deg]"
  ChartAltitudeAxis = 1326, // "Solar altitude [deg]"
  ChartDataNote = 1327,     // 'Data in file "Schoener-Tabelle.txt" '
  ChartButton = 1328,       // "Korrekturtabelle... ", English "Correction Table... "
  Hole = 1329,              // "hole"
  HoleLegend = 1330,        // " = position of the pin hole"
  WriteTableFile = 1331,    // "write it to Schoener-Tabelle.txt"
};

std::string ringText(RingText id);
std::string ringText(RingText id, int language);

}  // namespace tavrel
