// hpgl2dxf IN.plt OUT.dxf [--line-width 1|2|3] [--scale N]: the converter
// on any plot file. The diagnostics go to stderr, one per line, after the
// converter's own message box.
#include <iostream>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "core/design_state.h"
#include "dxf/dxf.h"

namespace tavrel::cli {
namespace {

int runHpgl2Dxf(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  int lineWidth = design().plotLineWidth;
  // Plot files saved as HPGL have 40 plotter units per millimetre.
  double scale = 40.0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--line-width" || a == "--scale") {
      if (i + 1 >= args.size()) return usageError(a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--line-width") {
        if (v != "1" && v != "2" && v != "3")
          return usageError("--line-width expects 1, 2 or 3, got '" + v + "'");
        lineWidth = v[0] - '0';
      } else {
        const auto x = parseNumber(v);
        if (!x || !(*x > 0) || *x > 1e9)
          return usageError("--scale expects a positive number, got '" + v + "'");
        scale = *x;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError("hpgl2dxf: unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return usageError("hpgl2dxf expects IN.plt OUT.dxf");

  const DxfResult result = convertHpglToDxf(files[0], files[1], lineWidth, scale);
  for (const std::string& line : infoLines()) std::cerr << line << '\n';
  return result == DxfResult::Converted ? kExitOk : kExitFailed;
}

const CommandRegistrar kHpgl2Dxf{
    {"hpgl2dxf",
     "hpgl2dxf IN.plt OUT.dxf [--line-width 1|2|3] [--scale N]\n"
     "                     convert a plot file into DXF (N plotter units per\n"
     "                     millimetre, default 40); diagnostics on stderr",
     runHpgl2Dxf}};

}  // namespace
}  // namespace tavrel::cli
