// A large plot file for timing the HPGL-to-DXF converter, made the same
// way every time (fixed seed, own generator, no data file in the source).
//
// Units: plotter units (40 per millimetre), y upwards, on the A3 page of
// 16400 x 11480 units. The file opens with IN;IW (so the clip window is
// active on every point), then repeats groups of: pen change, one
// polyline of 60 points (PU to its start, PD with the 59 further pairs in
// one command, longer than the piecewise limit), a label every fourth
// polyline, a circle every eighth, an arc every sixteenth, relative moves
// every 32nd.
#pragma once

#include <cstdint>
#include <string>

namespace tavrel::bench {

// Writes a plot file of at least `bytes` characters; false on an I/O error.
bool writeBigPlot(const std::string& path, std::uint64_t bytes, std::uint64_t seed = 20261210);

}  // namespace tavrel::bench
