#include "ui/print_jobs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <algorithm>

#include "core/language.h"
#include "core/platform.h"
#include "ui/print_page.h"
#include "ui/qt_canvas.h"

namespace tavrel {

namespace {

constexpr int kTextPointSize = 11;
constexpr int kListingPointSize = 9;  // the points of a coordinates listing

PrintDialogRunner& dialogRunner() {
  static PrintDialogRunner runner;
  return runner;
}

}  // namespace

QPrinter& workPrinter() {
  static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
  return *printer;
}

void setPrintDialogRunner(PrintDialogRunner runner) { dialogRunner() = std::move(runner); }

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
  if (dialogRunner()) return dialogRunner()(printer);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void reportPrintError() { showMessage(MsgCaption::Error, MsgIcon::Error, messageText(42)); }

struct TextPrinter::Job {
  QPainter painter;
  QFont font;
  double lineHeight = 0;
  double ascent = 0;
  double y = 0;
};

TextPrinter& TextPrinter::instance() {
  static TextPrinter printer;
  return printer;
}

bool TextPrinter::isOpen() const { return job_ != nullptr; }

bool TextPrinter::open(QWidget* parent) {
  if (job_) return true;
  QPrinter& printer = workPrinter();
  if (!runPrintDialog(printer, parent)) return false;
  auto* job = new Job;
  if (!job->painter.begin(&printer)) {
    delete job;
    reportPrintError();
    return false;
  }
  job->font = QFont(QStringLiteral("Courier"), kTextPointSize);
  job->font.setStyleHint(QFont::TypeWriter);
  job->font.setFixedPitch(true);
  job->painter.setPen(Qt::black);
  job_ = job;
  setPointSize(kTextPointSize);
  return true;
}

void TextPrinter::setPointSize(int points) {
  if (!job_) return;
  job_->font.setPointSize(points);
  job_->painter.setFont(job_->font);
  const QFontMetricsF metrics(job_->font, job_->painter.device());
  job_->lineHeight = metrics.lineSpacing();
  job_->ascent = metrics.ascent();
}

void TextPrinter::printLines(const std::vector<std::string>& lines) {
  if (!job_) return;
  auto* printer = static_cast<QPrinter*>(job_->painter.device());
  const double pageHeight = job_->painter.viewport().height();
  for (const std::string& line : lines) {
    if (job_->y + job_->lineHeight > pageHeight && job_->y > 0) {
      printer->newPage();
      job_->y = 0;
    }
    job_->painter.drawText(QPointF(0, job_->y + job_->ascent), QString::fromStdString(line));
    job_->y += job_->lineHeight;
  }
}

void TextPrinter::formFeed() { close(); }

void TextPrinter::close() {
  if (!job_) return;
  job_->painter.end();
  delete job_;
  job_ = nullptr;
}

bool printText(const std::vector<std::string>& lines, bool formFeed, QWidget* parent) {
  TextPrinter& p = TextPrinter::instance();
  if (!p.open(parent)) return false;
  p.printLines(lines);
  if (formFeed) p.formFeed();
  return true;
}

bool printCoordinatesListing(const std::vector<std::string>& lines, std::size_t headLines,
                             QWidget* parent) {
  TextPrinter& p = TextPrinter::instance();
  if (!p.open(parent)) return false;
  const std::size_t head = std::min(headLines, lines.size());
  p.printLines({lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(head)});
  p.setPointSize(kListingPointSize);
  p.printLines({lines.begin() + static_cast<std::ptrdiff_t>(head), lines.end()});
  p.formFeed();
  return true;
}

bool printLandscapePage(QWidget* parent, const std::function<void(QtCanvas&, const PrinterDevice&)>& draw) {
  QPrinter& printer = workPrinter();
  printer.setPageOrientation(QPageLayout::Landscape);
  bool printed = false;
  if (runPrintDialog(printer, parent)) {
    QtCanvas page;
    PrinterDevice device;
    if (beginPrinterCanvas(page, printer, printer.resolution(), device)) {
      draw(page, device);
      page.end();
      printed = printer.printerState() != QPrinter::Error;
    }
    if (!printed) reportPrintError();
  }
  printer.setPageOrientation(QPageLayout::Portrait);
  return printed;
}

}  // namespace tavrel
