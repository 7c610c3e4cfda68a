// Saving a graph of the table window as a plot file: the panel (file
// name, y scaling factor, mirror, longitude correction) and its "Ok".
//
// HPGL is written directly to the chosen file. DXF is written to the
// temporary file "tavrel.$$$" in the target's folder, converted by convertHpglToDxf
// with the line-width choice and 40 plotter units per millimetre, and the
// temporary file is removed, however the conversion ends. On disk each
// save's temporary plot has a name of its own beside "tavrel.$$$"
// (HpglWriter::hpglOpenTemporary): two saves at once never meet.
#pragma once

#include <optional>
#include <string>

#include "tables/graphs.h"

namespace tavrel {

enum class GraphPlotTarget { Hpgl, Dxf };

struct GraphSavePanel {
  bool shown = false;
  GraphPlotTarget target = GraphPlotTarget::Hpgl;
  int graphKind = kEotGraphKind;  // kEotGraphKind or kSunPathKind
  bool polar = false;             // sun-path diagram: polar or cartesian
  std::string fileName;           // proposed: EoT.plt, Azi.plt, Eot.dxf, Sonnenstaende.dxf
  std::string yFactorText = "1.0";
  bool mirror = false;
  bool mirrorEnabled = true;      // EoT graph only
  bool zoneTime = false;          // preset from design().zoneTime
};

// "  Save as HPGL-File" / "  Save as DXF-File": the panel with the
// proposed name, the mirror option enabled for the EoT graph only and the
// longitude correction preset from the design record.
GraphSavePanel openGraphSavePanel(int graphKind, bool polar, GraphPlotTarget target);

// The name with its extension replaced by ".plt" or ".dxf" (appended
// when it has none; a "." in a folder name does not count).
std::string graphFileNameFor(const std::string& name, GraphPlotTarget target);

// The y scaling factor of the panel: a number in 0.05 .. 20, else nullopt.
std::optional<double> graphYFactor(const std::string& text);

// graphYFactor, and on a fault the problem box: message 4 when the text is
// not a number, else the label "Scaling-factor in direction y-axis" + "="
// + the text + line break + message 13 + " [0.05 .. 20] !".
std::optional<double> checkGraphYFactor(const std::string& text);

enum class GraphSaveResult {
  Saved,          // written (and converted)
  InvalidFactor,  // the factor is not a number in 0.05 .. 20: the panel stays open, nothing saved
  Cancelled,      // the save dialog was cancelled
  Failed,         // the file could not be written or converted; the user was told
};

// "Ok": checks the factor, asks for the name in the save dialog (unless
// askFileName is false: then the panel's name is used as it stands, after
// the extension rule) and writes the graph. `options` gives the window's
// other choices (period, sunlight on a plane); its y factor, mirror and
// longitude correction are taken from the panel. lineWidthChoice is the
// converter's line width (1 fine, 2 medium, 3 thick).
GraphSaveResult saveGraph(GraphSavePanel& panel, GraphOptions options, int lineWidthChoice,
                          bool askFileName = true);

}  // namespace tavrel
