// Texts of the planar plot file and its coordinates listing that the
// language tables do not hold yet, German and English (current language:
// design().language).
#pragma once

#include <string>

namespace tavrel {

enum class PlotText {
  ShadowPath,             // "Shadow path "
  HourLinesWithoutEot,    // "Hour lines (without EoT,"
  NegativeSignEast,       // "(Negative sign for deviation to East!)"
  FileNameOfConstruction, // "File name of saved construction: "
  SunDeclination,         // " Sun Declination"
  Line,                   // "Line "
  TemporalHour,           // "Temporal hour"
  BabylonianHour,         // "Babylonian hour"
  ItalianHour,            // "Italian hour"
  SunAltitude,            // "Sun altitude: "
  File,                   // "File " (the message after saving a plot)
};

std::string plotText(PlotText id);
std::string plotText(PlotText id, int language);

}  // namespace tavrel
