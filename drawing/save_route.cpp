#include "drawing/save_route.h"

#include <filesystem>
#include <system_error>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/text_file.h"
#include "dials/coordinates_file.h"
#include "dials/planar_plot_texts.h"
#include "dxf/make_dxf.h"
#include "plot/atomic_file.h"
#include "plot/page_constants.h"
#include "plot/plot_file_dialog.h"
#include "plot/temporary_file.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

bool isPlanar(char k) { return k == 'h' || k == 'v' || k == 'i'; }

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
  return p;
}

bool openSavePanel(DrawingWindowState& state, SavePanel& panel, PlotTarget target,
                   bool coordinatesCommand) {
  const char k = design().dialKind;
  state.angleTableShown = false;
  state.plotTarget = target;
  state.coordinates = coordinatesCommand ? CoordinatesChoice::TextFile : CoordinatesChoice::None;
  if (isPlanar(k) || k == 'c') {
    const bool outside = state.footX < 1 || state.footY < 1 || state.footX > state.width ||
                         state.footY > state.height;
    if (outside && showMessage(MsgCaption::Question, MsgIcon::Question, messageText(15),
                               MsgButtons::YesNo) == MsgAnswer::Yes)
      return false;
  }
  setPanelPlotFileName(state, panel, plotFileNameFor(state.plotFileName, target));
  panel.coordinatesOffered = isPlanar(k);
  if (!panel.coordinatesOffered) state.coordinates = CoordinatesChoice::None;
  panel.shown = true;
  return true;
}

SaveResult savePlot(DrawingWindowState& state, SavePanel& panel, double zoomFactor,
                    const HourLineAngleTable* angles, const SaveHooks& hooks, const SaveChoices& choices) {
  const DesignState& d = design();
  const char k = d.dialKind;
  const bool planar = isPlanar(k);
  const SaveHooks::DialPlot* other = nullptr;
  if (!planar) {
    auto it = hooks.otherDials.find(k);
    if (it == hooks.otherDials.end() || !it->second.write) return SaveResult::NoPlot;
    other = &it->second;
  }
  CoordinatesChoice coordinates = planar ? state.coordinates : CoordinatesChoice::None;
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
  const int R = dxf && (planar || other->scaled) ? kResolutionFactorDxf : kResolutionFactorHpgl;
  const std::string plotPath = dxf ? folderOf(target) + kDxfTemporaryName : target;
  if (dxf && fileNameWithoutDirectory(target) == kDxfTemporaryName) {
    // The converted file would be removed with the temporary one.
    reportFileWriteError(target, std::make_error_code(std::errc::file_exists));
    panel.shown = false;
    return SaveResult::Failed;
  }
  TemporaryFile temporary(dxf ? plotPath : std::string());

  // The plot, in plotter units: the world map first, then the dial.
  const PlotPlacement place = plotPlacement(state, zoomFactor, R);
  CoordinatesListing listing;
  try {
    HpglWriter writer(R);
    writer.hpglOpen(plotPath);
    if (planar) {
      if (!d.umbrellaMode && d.mapOverlay && hooks.worldMap) {
        if (d.mapCoastlines) hooks.worldMap(writer, true, place);
        if (d.mapFrontiers) hooks.worldMap(writer, false, place);
      }
      PlanarPlotRequest request;
      request.resolutionFactor = R;
      request.footX = place.footX;
      request.footY = place.footY;
      request.footFixed = place.footFixed;
      request.textX = place.textX;
      request.textY = place.textY;
      request.textMarked = place.textMarked;
      request.zoomFactor = zoomFactor;
      request.grid = choices.grid;
      request.gridSpacingMm = choices.gridSpacingMm;
      request.angles = angles;
      request.plotFileName = target;
      writePlanarPlot(writer, request,
                      coordinates != CoordinatesChoice::None ? &listing : nullptr);
    } else {
      other->write(writer, place);
    }
    writer.hpglClose();
  } catch (const PlotFileError&) {
    // The writer has told the user and removed what it had written.
    panel.shown = false;
    return SaveResult::Failed;
  }

  bool ok = true;
  if (coordinates == CoordinatesChoice::TextFile)
    ok = writeCoordinatesFile(panel.coordinatesFileName, listing);
  else if (coordinates == CoordinatesChoice::Printer && hooks.printCoordinates)
    hooks.printCoordinates(listing.lines());

  if (!dxf) {
    showMessage(MsgCaption::Information, MsgIcon::Information,
                "\r\n       " + plotText(PlotText::File) + fileNameWithoutDirectory(target) + messageText(58) +
                    "     ");
  } else {
    const DxfResult result =
        MakeDxf(plotPath, target, d.plotLineWidth, static_cast<double>(kPlotUnitsPerMm) * R);
    temporary.remove();
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
