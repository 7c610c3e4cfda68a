// Texts of the planar plot file and its coordinates listing: rows 220..
// of the work-text table (resources/work_texts.tsv) in enum order, in the
// current language (the record's) or the given one.
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
