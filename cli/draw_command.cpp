// draw: the dial as the drawing window shows it, written as SVG, or
// through the Qt painter canvas as a PNG picture or as the printed page
// in PDF.
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
#include "drawing/drawing_controller.h"
#include "plot/recording_canvas.h"
#include "plot/svg_canvas.h"

#ifdef TAVREL_HAVE_QT_CANVAS
#include <QImage>

#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#endif

namespace tavrel::cli {
namespace {

int runDraw(const std::vector<std::string>& args) {
  std::string out;
  double width = 1600, height = 1000;
  bool a3 = false, grid = false, second = false;
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
      const auto size = v ? parsePair(*v, 'x') : std::nullopt;
      if (size) std::tie(width, height) = *size;
      if (!size || width < 50 || height < 50 || width > 20000 ||
          height > 20000)
        return usageError("draw: --size needs WIDTHxHEIGHT in pixels (50..20000)");
    } else if (a == "--a3") {
      a3 = true;
    } else if (a == "--grid") {
      grid = true;
    } else if (a == "--second") {
      second = true;
    } else if (a == "--zoom") {
      const std::string* v = value("--zoom");
      zoom = v ? parseNumber(*v) : std::nullopt;
      if (!zoom || *zoom <= 0) return usageError("draw: --zoom needs a positive number");
    } else if (a == "--foot" || a == "--text") {
      const std::string* v = value(a.c_str());
      auto& point = a == "--foot" ? foot : text;
      point = v ? parsePair(*v, ',') : std::nullopt;
      if (!point) return usageError("draw: " + a + " needs X,Y in pixels");
    } else {
      return usageError("draw: unknown argument '" + a + "'");
    }
  }
  if (out.empty()) return usageError("draw: --out F.svg, F.png or F.pdf is required");
  const std::string ext = lowerExtension(out);
  if (ext != "svg" && ext != "png" && ext != "pdf")
    return usageError("draw: --out must name an .svg, .png or .pdf file");
#ifndef TAVREL_HAVE_QT_CANVAS
  if (ext != "svg")
    return usageError("draw: ." + ext +
                      " output needs the Qt painter canvas, which this build does not have; "
                      "use .svg");
#endif

  DesignState& d = design();
  if (a3) d.paperA4 = false;
  const int W = static_cast<int>(width), H = static_cast<int>(height);
  // The picture as the drawing window holds it after the options.
  auto setUp = [&](DrawingController& controller) {
    controller.applyActivationDefaults(W, H);
    DrawingWindowState& state = controller.state();
    if (zoom) controller.setZoomFactor(*zoom);
    placeFootAndText(state, foot, text);
    state.withGrid = grid;
  };

  if (second) {
    RecordingCanvas probe;
    DrawingController controller(probe);
    if (controller.extraPictureButtonRow() < 0)
      return usageError("draw: --second: this dial type has no second picture");
    if (ext == "pdf") return usageError("draw: --second writes an .svg or .png file");
  }
  if (ext == "svg" || ext == "png")
    return writeScreenPicture(ext, W, H, W / (d.paperA4 ? 280.0 : 420.0), [&](Canvas& canvas) {
      DrawingController controller(canvas);
      setUp(controller);
      if (second) {
        controller.showExtraPicture();
        return;
      }
      controller.construct();
      if (!controller.state().gnomonFootFixed) controller.writeFixGnomonMessage();
    }, out, "draw");

#ifdef TAVREL_HAVE_QT_CANVAS
  ensureGuiApplication();
  // The printed page: the positions of the picture rescaled to the page.
  RecordingCanvas picture;
  DrawingController controller(picture);
  setUp(controller);
  if (!confirmPrintConstruction(controller)) return commandFailed("draw: printing cancelled");
  if (!writeConstructionPdf(controller, out)) return commandFailed("draw: could not write " + out);
#endif
  return kExitOk;
}

const CommandRegistrar kDraw{
    {"draw",
     "draw --out F.svg|F.png|F.pdf [--size WxH] [--a3] [--zoom Z] [--foot X,Y]\n"
     "         [--text X,Y] [--grid] [--second]\n"
     "                     the dial as the drawing window shows it (default 1600x1000\n"
     "                     pixels, printed layout; --a3 the saved layout); --foot fixes\n"
     "                     the gnomon foot, --text marks the text position (pixels);\n"
     "                     a PDF is the printed page (A4 landscape, true size);\n"
     "                     --second the dial's second picture (the ring dial's\n"
     "                     offset-correction chart, the Hollander dial's\n"
     "                     information graphic)",
     runDraw}};

}  // namespace
}  // namespace tavrel::cli
