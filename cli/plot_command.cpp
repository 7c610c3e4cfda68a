// plot: the plot file of the dial exactly as "Save as HPGL-File" or "Save
// as dxf-File" of the drawing window writes it, with the optional
// coordinates listing.
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/picture_options.h"
#include "core/design_state.h"
#include "dials/dial_family.h"
#include "dials/planar/hour_line_angles.h"
#include "drawing/drawing_controller.h"
#include "drawing/save_route.h"
#include "dxf/info_lines.h"
#include "plot/recording_canvas.h"

namespace tavrel::cli {
namespace {

// The picture whose pixels --foot and --text give (as for "draw").
constexpr int kPictureWidth = 1600, kPictureHeight = 1000;


int runPlot(const std::vector<std::string>& args) {
  std::string out, coords;
  int lineWidth = 0;
  std::optional<int> grid;
  std::optional<double> zoom;
  std::optional<std::pair<double, double>> foot, text;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--out" || a == "--line-width" || a == "--coords" || a == "--grid" ||
                            a == "--foot" || a == "--text" || a == "--zoom";
    if (!takesValue) return usageError("plot: unknown argument '" + a + "'");
    if (i + 1 >= args.size()) return usageError("plot: " + a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--out") {
      out = v;
    } else if (a == "--coords") {
      coords = v;
    } else if (a == "--line-width") {
      if (v != "1" && v != "2" && v != "3")
        return usageError("plot: --line-width expects 1, 2 or 3, got '" + v + "'");
      lineWidth = v[0] - '0';
    } else if (a == "--grid") {
      const auto mm = parseNumber(v);
      if (!mm || *mm != std::floor(*mm) || *mm < 1 || *mm > 1000)
        return usageError("plot: --grid expects the spacing in whole millimetres (1..1000)");
      grid = static_cast<int>(*mm);
    } else if (a == "--zoom") {
      zoom = parseNumber(v);
      if (!zoom || !(*zoom > 0) || *zoom > 1000) return usageError("plot: --zoom needs a positive number");
    } else {
      auto& point = a == "--foot" ? foot : text;
      point = parsePair(v, ',');
      if (!point) return usageError("plot: " + a + " needs X,Y in pixels");
    }
  }
  if (out.empty()) return usageError("plot: --out F.plt or --out F.dxf is required");
  const std::string ext = lowerExtension(out);
  if (ext != "plt" && ext != "dxf") return usageError("plot: --out must name a .plt or .dxf file");

  DesignState& d = design();
  if (lineWidth != 0) d.plotLineWidth = static_cast<std::uint8_t>(lineWidth);
  RecordingCanvas picture;
  DrawingController controller(picture);
  controller.applyActivationDefaults(kPictureWidth, kPictureHeight);
  DrawingWindowState& state = controller.state();
  placeFootAndText(state, foot, text);
  const double zoomFactor = zoom.value_or(1.0);
  if (!coords.empty() && !dialHas(d, kCapCoordinates))
    return usageError("plot: --coords is offered for planar dials (dialKind h, v or i) only");
  if (!dialPlottable(d)) return commandFailed("plot: " + dialNoPlotText());

  SavePanel panel;
  const PlotTarget target = ext == "dxf" ? PlotTarget::Dxf : PlotTarget::Hpgl;
  if (!openSavePanel(state, panel, target, !coords.empty())) return commandFailed("plot: cancelled");
  state.plotFileName = out;
  panel.coordinatesFileName = coords;

  // The angle table is computed before the first construction of the dials that read it.
  const bool usesAngles = dialHas(d, kCapUsesAngleTable);
  HourLineAngleTable angles;
  if (usesAngles) angles = computeHourLineAngles(design());

  SaveChoices choices;
  choices.askFileName = false;
  choices.grid = grid ? PlotGrid::On : PlotGrid::Off;
  choices.gridSpacingMm = grid.value_or(10);
  // The listing "to the printer" goes to standard output.
  SaveHooks hooks;
  hooks.printCoordinates = [](const CoordinatesListing& listing) {
    for (const std::string& line : listing.lines()) std::cout << line << '\n';
  };
  const SaveResult result = savePlot(state, panel, zoomFactor, usesAngles ? &angles : nullptr, hooks, choices);
  if (target == PlotTarget::Dxf)
    for (const std::string& line : infoLines()) std::cerr << line << '\n';
  switch (result) {
    case SaveResult::Saved: return kExitOk;
    case SaveResult::NoPlot: return kExitFailed;  // the refusal was said
    case SaveResult::Refused: return kExitFailed;  // the construction's refusal was said
    case SaveResult::Cancelled: return commandFailed("plot: cancelled");
    case SaveResult::Failed: return kExitFailed;  // the fault was said once, by its message
  }
  return kExitFailed;
}

const CommandRegistrar kPlot{
    {"plot",
     "plot --out F.plt|F.dxf [--line-width 1|2|3] [--coords F.txt] [--grid MM]\n"
     "                     [--foot X,Y] [--text X,Y] [--zoom Z]\n"
     "                     the plot file as \"Save as HPGL-File\" / \"Save as dxf-File\"\n"
     "                     write it (a DXF through the temporary \"tavrel.$$$\");\n"
     "                     --coords adds the coordinates listing of a planar dial\n"
     "                     (--coords printer: to standard output),\n"
     "                     --grid the coordinate grid (spacing in mm); --foot and\n"
     "                     --text are pixels of the 1600x1000 picture of \"draw\"",
     runPlot}};

}  // namespace
}  // namespace tavrel::cli
