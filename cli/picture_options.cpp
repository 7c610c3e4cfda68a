#include "cli/picture_options.h"

#include "cli/command_registry.h"
#include "plot/svg_canvas.h"

#ifdef TAVREL_HAVE_QT_CANVAS
#include <QImage>

#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#endif

namespace tavrel::cli {

void placeFootAndText(DrawingWindowState& state, const PicturePoint& foot,
                      const PicturePoint& text) {
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
}

int writeScreenPicture(const std::string& ext, int width, int height, double unitsPerMm,
                       const std::function<void(Canvas&)>& draw, const std::string& out,
                       const std::string& command) {
  if (ext == "svg") {
    SvgCanvas svg(width, height, unitsPerMm, true);
    draw(svg);
    if (!svg.save(out)) return commandFailed(command + ": could not write " + out);
    return kExitOk;
  }
#ifdef TAVREL_HAVE_QT_CANVAS
  ensureGuiApplication();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas;
  if (!canvas.begin(&image)) return commandFailed(command + ": could not draw the picture");
  draw(canvas);
  canvas.end();
  if (!writeImagePng(image, out)) return commandFailed(command + ": could not write " + out);
  return kExitOk;
#else
  return commandFailed(command + ": ." + ext + " needs the Qt painter canvas");
#endif
}

}  // namespace tavrel::cli
