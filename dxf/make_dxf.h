// convertHpglToDxf: turns one HPGL plot file into a DXF drawing of the old kind
// (no handles, AutoCAD R12 layout): HEADER, TABLES with line types, layers
// L_1..L_10 and text styles, an empty BLOCKS section and ENTITIES made of
// POLYLINE/VERTEX/SEQEND, CIRCLE, ARC and TEXT.
//
// Units: the HPGL file is in plotter units, y upwards; every coordinate is
// divided by `scale` (plotter units per DXF unit). The program's own plot
// files have 40 units per millimetre (1000 when written for DXF with the
// resolution factor 25), so scale 40 or 1000 gives a DXF in millimetres.
#pragma once

#include <string>

namespace tavrel {

// How a conversion ended (the message box shown says the same to the user).
enum class DxfResult {
  Converted,         // DXF written; information box "File <name> saved!"
  NothingConverted,  // DXF written but no drawing command was found; error box
  NotHpgl,           // input rejected, no DXF file created; error box
  InputError,        // the input could not be opened or read; error box
  OutputError,       // the DXF file could not be created or written; error box
};

// Converts hpglPath into dxfPath.
//   lineWidthChoice  1 fine, 2 medium, 3 thick: default polyline width
//                    (6 * choice - 6) / scale; values outside 1..3 are
//                    taken as the nearest end.
//   scale            plotter units per DXF unit; a value not greater than
//                    0 is taken as 1 (coordinates are then copied as
//                    written).
//   shownInputPath   the name that messages and diagnostics give for the
//                    input, when it is not hpglPath (the save routes
//                    convert a uniquely named temporary plot and show the
//                    documented name); empty: hpglPath.
// The DXF file is written under a temporary name in the same folder and
// renamed when complete, so a failed conversion leaves no partial file. A
// conversion that finds nothing to convert leaves an existing target as
// it was (a new target gets the complete empty DXF).
// infoLines() is cleared first and receives the diagnostics (at most
// 10000 lines, then a count; bytes of the plot file that are control
// characters appear as "\xHH"); exactly one final message box goes
// through the platform (plus one box for each of the first three commands
// that had to be shortened; further ones are counted in the last
// diagnostic line). Read and write failures name the file and the
// system's reason. Memory use and time per character do not depend on the
// input size or on the length of a token.
DxfResult convertHpglToDxf(const std::string& hpglPath, const std::string& dxfPath,
                  int lineWidthChoice, double scale, const std::string& shownInputPath = {});

}  // namespace tavrel
