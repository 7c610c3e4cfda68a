// MakeDxf: turns one HPGL plot file into a DXF drawing of the old kind
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
// The DXF file is written under a temporary name in the same folder and
// renamed when complete, so a failed conversion leaves no partial file.
// infoLines() is cleared first and receives the diagnostics; exactly one
// final message box goes through the platform (plus one box per command
// that had to be shortened). Memory use does not depend on the input size.
DxfResult MakeDxf(const std::string& hpglPath, const std::string& dxfPath,
                  int lineWidthChoice, double scale);

}  // namespace tavrel
