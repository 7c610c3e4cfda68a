#include "drawing/save_route.h"

#include <filesystem>
#include <system_error>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/text_file.h"
#include "dials/dial_family.h"
#include "drawing/world_map_passes.h"
#include "dials/planar/coordinates_file.h"
#include "dials/planar/planar_plot_texts.h"
#include "dxf/make_dxf.h"
#include "base/safe_file_writer.h"
#include "plot/page_constants.h"
#include "plot/plot_file_dialog.h"
#include "plot/temporary_file.h"
#include "tables/horizon_profile.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

// A dial without a plot (the ham dial): said, and nothing is written.
bool refuseUnavailable(const DesignState& d) {
  if (dialPlottable(d)) return false;
  showMessage(MsgCaption::Information, MsgIcon::Information, dialNoPlotText());
  return true;
}

std::size_t fileNameStart(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? 0 : slash + 1;
}

// The folder of a path with its trailing separator ("" for a bare name).
std::string folderOf(const std::string& path) { return path.substr(0, fileNameStart(path)); }

}  // namespace

std::string plotFileNameFor(const std::string& name, PlotTarget target) {
  const std::string ext = target == PlotTarget::Dxf ? "dxf" : "plt";
  const std::size_t start = fileNameStart(name);
  if (start == name.size()) return name + "tav." + ext;
  const std::size_t dot = name.find('.', start);
  if (dot == std::string::npos) return name + "." + ext;
  // The name up to and including its first "." holds at most 60 characters.
  std::string stem = name.substr(start, dot - start);
  if (stem.size() > 59) stem.resize(59);
  return name.substr(0, start) + stem + "." + ext;
}

void setPanelPlotFileName(DrawingWindowState& state, SavePanel& panel, const std::string& name) {
  state.plotFileName = name;
  panel.coordinatesFileName = coordinatesFileNameFor(name);
}

PlotPlacement plotPlacement(const DrawingWindowState& state, double zoomFactor, int R) {
  PlotPlacement p;
  p.resolutionFactor = R;
  const double W = state.width > 0 ? state.width : 1, H = state.height > 0 ? state.height : 1;
  p.footX = static_cast<double>(screenToPlotX(state.footX, W)) * R;
  p.footY = static_cast<double>(screenToPlotY(state.footY, H)) * R;
  p.footFixed = state.gnomonFootFixed;
  p.textX = static_cast<double>(screenToPlotX(state.textX, W)) * R;
  p.textY = static_cast<double>(screenToPlotY(state.textY, H)) * R;
  p.textMarked = state.textAnchorMarked;
  p.zoomFactor = zoomFactor;
  p.pictureWidth = state.width;
  p.pictureHeight = state.height;
  p.screenFootX = state.footX;
  p.screenFootY = state.footY;
  p.screenTextX = state.textX;
  p.screenTextY = state.textY;
  return p;
}

bool openSavePanel(DrawingWindowState& state, SavePanel& panel, PlotTarget target,
                   bool coordinatesCommand) {
  const DesignState& d = design();
  const unsigned caps = dialCapabilities(d);
  state.angleTableShown = false;
  if (refuseUnavailable(d)) return false;
  state.plotTarget = target;
  state.coordinates = coordinatesCommand ? CoordinatesChoice::TextFile : CoordinatesChoice::None;
  if (caps & kCapFootCheckOnSave) {
    const bool outside = state.footX < 1 || state.footY < 1 || state.footX > state.width ||
                         state.footY > state.height;
    if (outside && showMessage(MsgCaption::Question, MsgIcon::Question, messageText(15),
                               MsgButtons::YesNo) == MsgAnswer::Yes)
      return false;
  }
  setPanelPlotFileName(state, panel, plotFileNameFor(state.plotFileName, target));
  panel.coordinatesOffered = (caps & kCapCoordinates) != 0;
  if (!panel.coordinatesOffered) state.coordinates = CoordinatesChoice::None;
  panel.shown = true;
  return true;
}

SaveResult savePlot(DrawingWindowState& state, SavePanel& panel, double zoomFactor,
                    const HourLineAngleTable* angles, const SaveHooks& hooks, const SaveChoices& choices) {
  const DesignState& d = design();
  if (refuseUnavailable(d)) {
    panel.shown = false;
    return SaveResult::NoPlot;
  }
  const DialFamily& family = *familyOf(d);
  const unsigned caps = dialCapabilities(d);
  CoordinatesChoice coordinates = (caps & kCapCoordinates) ? state.coordinates : CoordinatesChoice::None;
  // A coordinates file called "printer" is the printer.
  if (coordinates == CoordinatesChoice::TextFile && panel.coordinatesFileName == kCoordinatesPrinterName)
    coordinates = CoordinatesChoice::Printer;

  // An existing coordinates file is announced, then overwritten.
  if (coordinates == CoordinatesChoice::TextFile) {
    std::error_code ec;
    if (fs::exists(panel.coordinatesFileName, ec))
      showMessage(MsgCaption::Problem, MsgIcon::Warning, messageText(28) + panel.coordinatesFileName);
  }

  // The plot file, chosen in the save dialog.
  const bool dxf = state.plotTarget == PlotTarget::Dxf;
  std::string target = state.plotFileName;
  if (choices.askFileName) {
    const std::optional<std::string> chosen = askPlotFileName(dxf, target);
    if (!chosen) return SaveResult::Cancelled;
    target = *chosen;
  }
  state.plotFileName = target;

  // Directly, or through the temporary file in the target's folder.
  const int R = dxf && (caps & kCapScaledPlot) ? kResolutionFactorDxf : kResolutionFactorHpgl;
  const std::string plotPath = dxf ? folderOf(target) + kDxfTemporaryName : target;
  if (dxf && fileNameWithoutDirectory(target) == kDxfTemporaryName) {
    // The converted file would be removed with the temporary one.
    reportFileWriteError(target, std::make_error_code(std::errc::file_exists));
    panel.shown = false;
    return SaveResult::Failed;
  }
  // A "tavrel.$$$" left by an earlier run goes; this save's own plot has
  // a name of its own (hpglOpenTemporary).
  TemporaryFile temporary(dxf ? plotPath : std::string());

  // The plot, in plotter units: the world map first, then the dial.
  const PlotPlacement place = plotPlacement(state, zoomFactor, R);
  CoordinatesListing listing;
  bool ok = true;
  HpglWriter writer(R);
  try {
    if (dxf)
      writer.hpglOpenTemporary(plotPath);
    else
      writer.hpglOpen(plotPath);
    if ((caps & kCapWorldMap) && worldMapShown(d)) {
      const auto& map = hooks.worldMap ? hooks.worldMap : plotWorldMapPass;
      if (d.mapCoastlines) map(writer, true, place);
      if (d.mapFrontiers) map(writer, false, place);
    }
    DialPlotRequest request;
    request.place = place;
    request.grid = choices.grid;
    request.gridSpacingMm = choices.gridSpacingMm;
    request.angles = angles;
    request.plotFileName = target;
    request.listing = coordinates != CoordinatesChoice::None ? &listing : nullptr;
    const std::vector<std::pair<double, double>> skyline = shownHorizonPolyline();
    if (!skyline.empty()) request.horizon = &skyline;
    if (const PlotOutcome refusal = family.plot(writer, request)) {
      // The writer abandons what it has written on the way out.
      showPlotRefusal(*refusal);
      panel.shown = false;
      return SaveResult::Refused;
    }
    // A coordinates file that cannot be written ends the save before the
    // plot file is completed: the writer abandons it on the way out.
    if (coordinates == CoordinatesChoice::TextFile && !writeCoordinatesFile(panel.coordinatesFileName, listing)) {
      panel.shown = false;
      return SaveResult::Failed;
    }
    if (!dxf) writer.hpglClose();
  } catch (const PlotFileError&) {
    // The writer has told the user and removed what it had written.
    panel.shown = false;
    return SaveResult::Failed;
  }

  if (coordinates == CoordinatesChoice::Printer && hooks.printCoordinates)
    hooks.printCoordinates(listing);

  if (!dxf) {
    showMessage(MsgCaption::Information, MsgIcon::Information,
                "\r\n       " + plotText(PlotText::File) + fileNameWithoutDirectory(target) + messageText(58) +
                    "     ");
  } else {
    const DxfResult result = convertHpglToDxf(writer.writtenPath(), target, d.plotLineWidth,
                                     static_cast<double>(kPlotUnitsPerMm) * R, plotPath);
    writer.hpglAbandon();
    if (result != DxfResult::Converted) ok = false;
  }
  panel.shown = false;
  return ok ? SaveResult::Saved : SaveResult::Failed;
}

SaveResult savePlot(DrawingController& controller, SavePanel& panel, const SaveHooks& hooks,
                    const SaveChoices& choices) {
  const HourLineAngleTable& table = controller.angleTable();
  return savePlot(controller.state(), panel, controller.zoomFactor(), table.computed ? &table : nullptr,
                  hooks, choices);
}

}  // namespace tavrel
