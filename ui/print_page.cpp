#include "ui/print_page.h"

#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_family.h"
#include "drawing/drawing_controller.h"
#include "base/safe_file_writer.h"
#include "core/text_file.h"
#include "ui/qt_canvas.h"

namespace tavrel {

namespace {

constexpr int kPdfResolution = 1200;
// Tenths of a millimetre per inch.
constexpr double kUnitsPerInch = 254.0;

bool writeBytes(const QByteArray& bytes, const std::string& path) {
  SafeFileWriter file;
  std::error_code ec = file.open(path);
  if (!ec) ec = file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!ec) ec = file.commit();
  if (ec) {
    file.abandon();
    reportFileWriteError(path, ec);
    return false;
  }
  return true;
}

}  // namespace

PrinterDevice printerDeviceOf(const QPageLayout& layout, int resolution) {
  PrinterDevice d;
  const QRect full = layout.fullRectPixels(resolution);
  const QRect paint = layout.paintRectPixels(resolution);
  const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
  d.widthMm = static_cast<int>(std::lround(paintMm.width()));
  d.heightMm = static_cast<int>(std::lround(paintMm.height()));
  d.resolutionX = paint.width();
  d.resolutionY = paint.height();
  d.offsetX = paint.left() - full.left();
  d.offsetY = paint.top() - full.top();
  d.portrait = layout.orientation() == QPageLayout::Portrait;
  return d;
}

bool beginPrinterCanvas(QtCanvas& canvas, QPagedPaintDevice& device, int resolution,
                        PrinterDevice& page) {
  page = printerDeviceOf(device.pageLayout(), resolution);
  return canvas.begin(&device, resolution / kUnitsPerInch);
}

bool confirmPrintConstruction(const DrawingController& controller) {
  const DesignState& d = design();
  const DrawingWindowState& s = controller.state();
  if (dialHas(d, kCapFootCheckOnPrint)) {
    const bool outside = s.footX < 1 || s.footY < 1 || s.footX > s.width || s.footY > s.height;
    return !(outside && showMessage(MsgCaption::Question, MsgIcon::Question, messageText(15),
                                    MsgButtons::YesNo) == MsgAnswer::Yes);
  }
  if (std::fabs(d.latitude) > 63 && d.temporalHours) {
    showMessage(MsgCaption::Error, MsgIcon::Error, messageText(64));
    return false;
  }
  return true;
}

void drawConstructionPage(DrawingController& controller, QtCanvas& canvas,
                          const PrinterDevice& page) {
  Font f;
  f.face = "Arial";
  f.height = 40;
  canvas.setFont(f);
  controller.constructOnPrinter(canvas, page);
}

QPageLayout pdfPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                     QPageLayout::Millimeter);
}

bool writePdfPage(const std::function<void(QtCanvas&, const PrinterDevice&)>& draw, const std::string& path) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(pdfPageLayout());
    pdf.setCreator(QStringLiteral("Tavrel"));
    QtCanvas canvas;
    PrinterDevice page;
    if (!beginPrinterCanvas(canvas, pdf, kPdfResolution, page)) {
      reportFileWriteError(path, std::make_error_code(std::errc::io_error));
      return false;
    }
    draw(canvas, page);
    canvas.end();
  }
  return writeBytes(bytes, path);
}

bool writeConstructionPdf(DrawingController& controller, const std::string& path) {
  return writePdfPage(
      [&controller](QtCanvas& canvas, const PrinterDevice& page) { drawConstructionPage(controller, canvas, page); },
      path);
}

bool writeImagePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    reportFileWriteError(path, std::make_error_code(std::errc::io_error));
    return false;
  }
  return writeBytes(bytes, path);
}

}  // namespace tavrel
