// draw: the dial as the drawing window shows it, written as SVG.
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "cli/command_registry.h"
#include "core/design_state.h"
#include "drawing/drawing_controller.h"
#include "plot/svg_canvas.h"

namespace tavrel::cli {
namespace {

bool parseNumber(const std::string& text, double& out) {
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && ptr == last && std::isfinite(out);
}

// "A<sep>B" with two numbers.
bool parsePair(const std::string& text, char separator, double& a, double& b) {
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return false;
  return parseNumber(text.substr(0, at), a) && parseNumber(text.substr(at + 1), b);
}

std::string lowerExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

int runDraw(const std::vector<std::string>& args) {
  std::string out;
  double width = 1600, height = 1000;
  bool a3 = false, grid = false;
  std::optional<double> zoom;
  std::optional<std::pair<double, double>> foot, text;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* name) -> const std::string* {
      if (i + 1 >= args.size()) return nullptr;
      (void)name;
      return &args[++i];
    };
    if (a == "--out") {
      const std::string* v = value("--out");
      if (!v) return usageError("draw: --out needs a file name");
      out = *v;
    } else if (a == "--size") {
      const std::string* v = value("--size");
      if (!v || !parsePair(*v, 'x', width, height) || width < 50 || height < 50 || width > 20000 ||
          height > 20000)
        return usageError("draw: --size needs WIDTHxHEIGHT in pixels (50..20000)");
    } else if (a == "--a3") {
      a3 = true;
    } else if (a == "--grid") {
      grid = true;
    } else if (a == "--zoom") {
      const std::string* v = value("--zoom");
      double z = 0;
      if (!v || !parseNumber(*v, z) || z <= 0) return usageError("draw: --zoom needs a positive number");
      zoom = z;
    } else if (a == "--foot" || a == "--text") {
      const std::string* v = value(a.c_str());
      double x = 0, y = 0;
      if (!v || !parsePair(*v, ',', x, y)) return usageError("draw: " + a + " needs X,Y in pixels");
      (a == "--foot" ? foot : text) = std::make_pair(x, y);
    } else {
      return usageError("draw: unknown argument '" + a + "'");
    }
  }
  if (out.empty()) return usageError("draw: --out F.svg is required");
  const std::string ext = lowerExtension(out);
  if (ext == "png" || ext == "pdf")
    return usageError("draw: ." + ext +
                      " output needs the Qt painter canvas, which this build does not have yet; "
                      "use .svg");
  if (ext != "svg") return usageError("draw: --out must name an .svg file");

  DesignState& d = design();
  if (a3) d.paperA4 = false;
  const int W = static_cast<int>(width), H = static_cast<int>(height);
  SvgCanvas svg(W, H, W / (d.paperA4 ? 280.0 : 420.0), true);
  DrawingController controller(svg);
  controller.applyActivationDefaults(W, H);
  DrawingWindowState& state = controller.state();
  if (zoom) controller.setZoomFactor(*zoom);
  if (foot) {
    state.footX = foot->first;
    state.footY = foot->second;
    state.gnomonFootFixed = true;
  }
  if (text) {
    state.textX = text->first;
    state.textY = text->second;
    state.textAnchorMarked = true;
  }
  state.withGrid = grid;
  controller.construct();
  if (!state.gnomonFootFixed) controller.writeFixGnomonMessage();
  if (!svg.save(out)) return commandFailed("draw: could not write " + out);
  return kExitOk;
}

const CommandRegistrar kDraw{
    {"draw",
     "draw --out F.svg [--size WxH] [--a3] [--zoom Z] [--foot X,Y] [--text X,Y] [--grid]\n"
     "                     the dial as the drawing window shows it (default 1600x1000\n"
     "                     pixels, printed layout; --a3 the saved layout); --foot fixes\n"
     "                     the gnomon foot, --text marks the text position (pixels)",
     runDraw}};

}  // namespace
}  // namespace tavrel::cli
