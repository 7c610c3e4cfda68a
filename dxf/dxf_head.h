// The fixed head of every DXF file the converter writes.
#pragma once

#include "dxf/dxf_line_writer.h"

namespace tavrel {

// HEADER (extents and limits of the A3 plotter page 16440 x 11500 plotter
// units divided by `scale`, line-type scale 0.0005), TABLES (line types
// CONTINUOUS, DASHED, DASHDOT, DOT; layers L_1..L_10 with colours 1..10;
// text styles STANDARD, shx-font, symbols), an empty BLOCKS section and
// the start of ENTITIES, ending with the group code of the first entity.
void writeDxfHead(DxfLineWriter& out, double scale);

}  // namespace tavrel
