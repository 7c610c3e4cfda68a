// Saving the drawing window's construction as a plot file: the save panel
// (file names, target, coordinates listing, line thickness) and "Continue"
// (`savePlot`), without the widgets.
//
// An HPGL file is written directly with the resolution factor R = 1. A
// DXF file is made in two steps: the plot is written with R = 25 into the
// temporary file "tavrel.$$$" in the target's folder, which convertHpglToDxf
// converts at 40 * 25 = 1000 plotter units per millimetre; the temporary
// file is removed afterwards, also when writing or converting failed. On
// disk each save's temporary plot has a name of its own beside
// "tavrel.$$$" (HpglWriter::hpglOpenTemporary), so two saves into one
// folder at the same time never convert each other's plot; messages name
// "tavrel.$$$".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dials/dial_family.h"
#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_plot.h"
#include "drawing/drawing_controller.h"
#include "plot/hpgl_writer.h"

namespace tavrel {

// The name of the temporary plot of a DXF save.
inline constexpr const char* kDxfTemporaryName = "tavrel.$$$";

// The coordinates file name that sends the listing to the printer.
inline constexpr const char* kCoordinatesPrinterName = "printer";

// The save panel. Its plot file name, target and coordinates choice are
// the drawing window's (DrawingWindowState::plotFileName, plotTarget,
// coordinates); the panel adds the coordinates file name.
struct SavePanel {
  bool shown = false;
  std::string coordinatesFileName = "tav.txt";
  // The coordinates choice is offered for planar dials (umbrella too).
  bool coordinatesOffered = false;
};

// The user types a new plot name: the coordinates name follows it
// (coordinatesFileNameFor).
void setPanelPlotFileName(DrawingWindowState& state, SavePanel& panel, const std::string& name);

// The plot name with the extension of the target: the name up to and
// including its first "." (at most 60 characters) followed by "plt" or
// "dxf"; the name + "." + extension when it has no "."; "tav." +
// extension for an empty name. Only the file's own name is looked at: a
// "." in a folder name neither cuts the path nor counts as the extension.
std::string plotFileNameFor(const std::string& name, PlotTarget target);

// The stored picture positions in plotter units for resolution factor R:
// x := Round(16157 / W * x) R, y := Round(11040 - 11038 / H * y) R.
PlotPlacement plotPlacement(const DrawingWindowState& state, double zoomFactor, int resolutionFactor);

// The plot writers that other parts of the program fill in (the dials'
// own plots come from the family table).
struct SaveHooks {
  // The world map of a planar dial without umbrella, one pass each for
  // the coast lines (isCoast, pen "11") and the boundaries (pen "12"),
  // written before the dial; empty: plotWorldMapPass
  // (drawing/world_map_passes.h).
  std::function<void(HpglWriter&, bool isCoast, const PlotPlacement&)> worldMap;
  // The coordinates listing on the printer (Courier 11 pt, 9 pt after the
  // head); without it a listing for the printer is dropped.
  std::function<void(const CoordinatesListing&)> printCoordinates;
};

// What the user chose beyond the panel. The drawing window asks every
// question; the batch front end gives the answers here.
struct SaveChoices {
  bool askFileName = true;  // the save dialog "Save as Graphics File"
  PlotGrid grid = PlotGrid::Ask;
  int gridSpacingMm = 10;
};

enum class SaveResult {
  Saved,       // the plot (and the listing) written, DXF converted
  Cancelled,   // the save dialog or message 15 cancelled it; nothing written
  Failed,      // a file could not be written or converted; the user was told
  NoPlot,      // the dial type has no plot (said; nothing written)
  Refused,     // the construction refused this design (said once; nothing written)
};

// openSavePanel: hides the angle table, sets the target (HPGL for "Save as
// HPGL-File", DXF for "Save as dxf-File" and "coordinates"), resets the
// coordinates choice (to "text file" for the "coordinates" command),
// gives the plot name the target's extension and the coordinates name
// that goes with it. A dial type without a plot is refused with its
// message (false). For the families that check the foot before
// saving, a gnomon foot outside the picture asks message 15; Yes cancels
// (false, panel not shown).
bool openSavePanel(DrawingWindowState& state, SavePanel& panel, PlotTarget target,
                   bool coordinatesCommand = false);

// "Continue >>": writes the plot of the design's dial as the panel says
// (the name chosen in the save dialog becomes the panel's plot name).
//   1. Coordinates as a text file: an existing file is announced with
//      message 28 and overwritten. A file name "printer" (and the choice
//      "printer") hand the listing to hooks.printCoordinates.
//   2. The plot name is offered in the save dialog (overwrite prompt);
//      cancelling ends the command.
//   3. HPGL: written directly, R = 1; DXF: "tavrel.$$$" in the target's
//      folder (removed first when present), R = 25 for the dials that
//      scale, else 1.
//   4. World map passes (families that carry it, when switched on), then
//      the family's plot with the positions converted to plotter units.
//   5. The coordinates file is written before the plot file is completed:
//      when it cannot be written the save ends there (message 53 only;
//      the plot file keeps its previous state).
//   6. HPGL: message "File <name> saved!". DXF: convertHpglToDxf(temporary file,
//      target, plotLineWidth, 40 R), then the temporary file is removed.
// A dial type without a plot is refused with its message (NoPlot) before
// anything is asked or written. When the family's plot
// refuses the design, the plot file is abandoned (an existing file keeps
// its contents, no temporary file stays behind, nothing is converted)
// and the refusal is shown once (Refused).
// The panel is hidden afterwards.
SaveResult savePlot(DrawingWindowState& state, SavePanel& panel, double zoomFactor,
                    const HourLineAngleTable* angles, const SaveHooks& hooks = {},
                    const SaveChoices& choices = {});

// The same for the drawing controller's state, zoom and angle table.
SaveResult savePlot(DrawingController& controller, SavePanel& panel, const SaveHooks& hooks = {},
                    const SaveChoices& choices = {});

}  // namespace tavrel
