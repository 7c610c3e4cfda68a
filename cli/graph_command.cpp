// graph: the graphs of the table window (equation of time, sun-path
// diagram polar and cartesian) as the window shows them (SVG, PNG), as
// the printed page (PDF) or as the plot files of its save panel (HPGL,
// DXF through the converter).
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/picture_options.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/number_text.h"
#include "plot/screen_surface.h"
#include "drawing/graph_save.h"
#include "tables/graphs.h"
#include "tables/horizon_profile.h"

#ifdef TAVREL_HAVE_QT_CANVAS
#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#include "drawing/surface_pens.h"
#endif

namespace tavrel::cli {
namespace {

constexpr const char* kExtensions = ".svg, .png, .pdf, .plt or .dxf";

int runGraph(const std::vector<std::string>& args) {
  if (args.empty()) return usageError("graph: eot, sunpath-polar or sunpath-cartesian expected");
  GraphChoice choice;
  if (args[0] == "eot") {
    choice.kind = kEotGraphKind;
  } else if (args[0] == "sunpath-polar" || args[0] == "sunpath-cartesian") {
    choice.kind = kSunPathKind;
    choice.polar = args[0] == "sunpath-polar";
  } else {
    return usageError("graph: unknown graph '" + args[0] + "' (eot, sunpath-polar, sunpath-cartesian)");
  }

  DesignState& d = design();
  std::string out, horizonFile;
  GraphOptions& o = choice.options;
  o.zoneTime = d.zoneTime;
  o.planeLatitude = d.latitude;
  o.planeLongitude = d.longitude;
  std::string yFactor = "1.0";
  double width = 1600, height = 1000;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--out" && hasValue) {
      out = args[++i];
    } else if (a == "--year" && hasValue) {
      const auto y = parseNumber(args[++i]);
      if (!y || *y < 1300 || *y > 2500) return usageError("graph: --year expects 1300..2500");
      d.referenceYear = static_cast<int>(*y);
    } else if (a == "--zone") {
      o.zoneTime = true;
    } else if (a == "--local") {
      o.zoneTime = false;
    } else if (a == "--period" && hasValue) {
      const std::string& p = args[++i];
      if (p == "year") o.period = SunPathPeriod::WholeYear;
      else if (p == "jun-dec") o.period = SunPathPeriod::JuneToDecember;
      else if (p == "dec-jun") o.period = SunPathPeriod::DecemberToJune;
      else return usageError("graph: --period expects year, jun-dec or dec-jun");
    } else if (a == "--y-factor" && hasValue) {
      yFactor = args[++i];
    } else if (a == "--mirror") {
      o.mirror = true;
    } else if (a == "--horizon" && hasValue) {
      horizonFile = args[++i];
    } else if (a == "--sunlight" && hasValue) {
      const auto plane = parsePair(args[++i], ',');
      if (!plane || plane->first < -180 || plane->first > 180 || plane->second < 0 || plane->second > 180)
        return usageError("graph: --sunlight expects DECLINATION,INCLINATION (-180..180, 0..180)");
      o.sunlightOnPlane = true;
      o.planeDeclination = plane->first;
      o.planeInclination = plane->second;
    } else if (a == "--size" && hasValue) {
      const auto size = parsePair(args[++i], 'x');
      if (!size || size->first < 200 || size->second < 150 || size->first > 20000 || size->second > 20000)
        return usageError("graph: --size needs WIDTHxHEIGHT in pixels (200..20000)");
      std::tie(width, height) = *size;
    } else {
      return usageError("graph: unknown argument '" + a + "'");
    }
  }
  if (out.empty()) return usageError(std::string("graph: --out F is required (") + kExtensions + ")");
  const std::string ext = lowerExtension(out);
  if (ext != "svg" && ext != "png" && ext != "pdf" && ext != "plt" && ext != "dxf")
    return usageError(std::string("graph: cannot write '") + (ext.empty() ? out : "." + ext) +
                      "'; it writes " + kExtensions);
#ifndef TAVREL_HAVE_QT_CANVAS
  if (ext == "png" || ext == "pdf")
    return usageError("graph: ." + ext + " needs the Qt painter canvas, which this build does not have");
#endif
  if (!horizonFile.empty()) {
    ProfileFault fault;
    if (!loadHorizonProfile(horizonFile, &fault)) {
      const std::string cause = profileFaultText(fault);
      return commandFailed("graph: cannot read the horizon profile " + horizonFile + (cause.empty() ? "" : ": " + cause));
    }
    horizonState().showHorizonProfile = true;
  }
  if (choice.kind == kSunPathKind && !choice.polar && !fontInstalled("Wingdings"))
    showMessage(MsgCaption::Warning, messagePair(60, 61));

  if (ext == "plt" || ext == "dxf") {
    GraphSavePanel panel =
        openGraphSavePanel(choice.kind, choice.polar, ext == "dxf" ? GraphPlotTarget::Dxf : GraphPlotTarget::Hpgl);
    panel.fileName = out;
    panel.yFactorText = yFactor;
    panel.mirror = o.mirror;
    panel.zoneTime = o.zoneTime;
    switch (saveGraph(panel, o, d.plotLineWidth, false)) {
      case GraphSaveResult::Saved: return kExitOk;
      case GraphSaveResult::InvalidFactor: return usageError("graph: --y-factor expects a number in 0.05..20");
      default: return commandFailed("graph: could not write " + out);
    }
  }

  const int W = static_cast<int>(width), H = static_cast<int>(height);
  if (ext == "svg" || ext == "png")
    return writeScreenPicture(ext, W, H, W / (d.paperA4 ? 280.0 : 420.0), [&](Canvas& canvas) {
      ScreenSurface surface = screenSurfaceOf(d, canvas, W, H);
      drawGraphChoice(surface, choice, 0, 0, H, W, true);
    }, out, "graph");
#ifdef TAVREL_HAVE_QT_CANVAS
  ensureGuiApplication();
  const bool written = writePdfPage(
      [&](QtCanvas& canvas, const PrinterDevice& device) {
        ScreenSurface surface = printerSurfaceOf(d, canvas, device);
        const PrinterPage& page = surface.page();
        drawGraphChoice(surface, choice, page.offsetX, page.offsetY, page.printableHeight, page.printableWidth,
                        false);
      },
      out);
  return written ? kExitOk : kExitFailed;
#else
  return kExitFailed;
#endif
}

const CommandRegistrar kGraph{
    {"graph",
     "graph eot|sunpath-polar|sunpath-cartesian --out F.svg|F.png|F.pdf|F.plt|F.dxf\n"
     "         [--year Y] [--zone|--local] [--period year|jun-dec|dec-jun]\n"
     "         [--y-factor F] [--mirror] [--horizon F.ele] [--sunlight DECL,INCL]\n"
     "         [--size WxH]\n"
     "                     the graphs of the table window: the picture (SVG, PNG;\n"
     "                     default 1600x1000 pixels), the printed page (PDF) or the\n"
     "                     plot file of the save panel (HPGL, DXF); --zone shows the\n"
     "                     longitude correction, --sunlight the sunlight on a plane\n"
     "                     of the record's place (cartesian diagram)",
     runGraph}};

}  // namespace
}  // namespace tavrel::cli
