#include "plot/plot_file_dialog.h"

#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

std::optional<std::string> askPlotFileName(bool dxf, const std::string& initialName) {
  FileDialogRequest request;
  request.title = dialogTitle(DialogTitle::SavePlot);
  request.filter = dxf ? "DXF (*.dxf)|*.dxf|*.*|*.*" : "HPGL (*.plt)|*.plt|*.*|*.*";
  request.defaultExtension = dxf ? "dxf" : "plt";
  request.initialName = initialName;
  request.overwritePrompt = true;
  return platform().saveFileName(request);
}

}  // namespace tavrel
