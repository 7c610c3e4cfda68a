#include "drawing/graph_save.h"

#include <system_error>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "dxf/make_dxf.h"
#include "core/text_file.h"
#include "plot/hpgl_writer.h"
#include "plot/page_constants.h"
#include "plot/plot_file_dialog.h"
#include "plot/temporary_file.h"
#include "tables/graph_texts.h"

namespace tavrel {

namespace {

constexpr const char* kGraphTemporaryName = "tavrel.$$$";
constexpr double kMinYFactor = 0.05, kMaxYFactor = 20;

std::size_t nameStart(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? 0 : slash + 1;
}

void writeGraph(HpglWriter& writer, int graphKind, bool polar, const GraphOptions& options) {
  if (graphKind == kEotGraphKind)
    plotEotGraph(writer, options);
  else if (polar)
    plotSunPathPolar(writer, options);
  else
    plotSunPathCartesian(writer, options);
}

}  // namespace

GraphSavePanel openGraphSavePanel(int graphKind, bool polar, GraphPlotTarget target) {
  GraphSavePanel p;
  p.shown = true;
  p.target = target;
  p.graphKind = graphKind;
  p.polar = polar;
  const bool eot = graphKind == kEotGraphKind;
  if (target == GraphPlotTarget::Hpgl)
    p.fileName = eot ? "EoT.plt" : "Azi.plt";
  else
    p.fileName = eot ? "Eot.dxf" : "Sonnenstaende.dxf";
  p.mirrorEnabled = eot;
  p.zoneTime = design().zoneTime;
  return p;
}

std::string graphFileNameFor(const std::string& name, GraphPlotTarget target) {
  const std::string ext = target == GraphPlotTarget::Dxf ? ".dxf" : ".plt";
  const std::size_t start = nameStart(name);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot < start) return name + ext;
  return name.substr(0, dot) + ext;
}

std::optional<double> graphYFactor(const std::string& text) {
  const std::optional<double> factor = parseRealText(text);
  if (!factor || *factor < kMinYFactor || *factor > kMaxYFactor) return std::nullopt;
  return factor;
}

std::optional<double> checkGraphYFactor(const std::string& text) {
  const std::optional<double> factor = graphYFactor(text);
  if (factor) return factor;
  if (!parseRealText(text)) {
    showMessage(MsgCaption::Problem, messageText(4));
  } else {
    std::string label = graphRow::text(graphRow::kYFactor);
    while (!label.empty() && (label.back() == ' ' || label.back() == ':')) label.pop_back();
    showMessage(MsgCaption::Problem, label + "=" + text + std::string(kMessageBreak) + messageText(13) + " [" +
                                         fixedText(kMinYFactor, 4, 2) + " .. " + fixedText(kMaxYFactor, 2, 0) + "] !");
  }
  return std::nullopt;
}

GraphSaveResult saveGraph(GraphSavePanel& panel, GraphOptions options, int lineWidthChoice, bool askFileName) {
  const std::optional<double> factor = checkGraphYFactor(panel.yFactorText);
  if (!factor) return GraphSaveResult::InvalidFactor;
  options.yFactor = *factor;
  options.mirror = panel.mirrorEnabled && panel.mirror;
  options.zoneTime = panel.zoneTime;
  panel.shown = false;

  const bool dxf = panel.target == GraphPlotTarget::Dxf;
  std::string target = panel.fileName;
  if (askFileName) {
    const std::optional<std::string> chosen = askPlotFileName(dxf, target);
    if (!chosen) return GraphSaveResult::Cancelled;
    target = *chosen;
  }
  target = graphFileNameFor(target, panel.target);
  panel.fileName = target;

  const std::string plotPath = dxf ? target.substr(0, nameStart(target)) + kGraphTemporaryName : target;
  if (dxf && target.substr(nameStart(target)) == kGraphTemporaryName) {
    reportFileWriteError(target, std::make_error_code(std::errc::file_exists));
    return GraphSaveResult::Failed;
  }
  // A "tavrel.$$$" left by an earlier run goes; this save's own plot has
  // a name of its own (hpglOpenTemporary).
  TemporaryFile temporary(dxf ? plotPath : std::string());
  HpglWriter writer(kResolutionFactorHpgl);
  try {
    if (dxf)
      writer.hpglOpenTemporary(plotPath);
    else
      writer.hpglOpen(plotPath);
    writeGraph(writer, panel.graphKind, panel.polar, options);
    if (!dxf) writer.hpglClose();
  } catch (const PlotFileError&) {
    return GraphSaveResult::Failed;  // the writer has told the user
  }
  if (!dxf) {
    showMessage(MsgCaption::Information, MsgIcon::Information,
                "\r\n       " + graphRow::text(graphRow::kFile) + target.substr(nameStart(target)) +
                    messageText(58) + "     ");
    return GraphSaveResult::Saved;
  }
  const DxfResult result =
      convertHpglToDxf(writer.writtenPath(), target, lineWidthChoice, static_cast<double>(kPlotUnitsPerMm), plotPath);
  writer.hpglAbandon();
  return result == DxfResult::Converted ? GraphSaveResult::Saved : GraphSaveResult::Failed;
}

}  // namespace tavrel
