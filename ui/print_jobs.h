// The printer of the working windows: one QPrinter for the drawing,
// calculator and table windows, the print dialog (which tests replace),
// and the plain-text channel of the calculator results, the pole-style
// information and the coordinates listing.
#pragma once

#include <QPrinter>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tavrel {

class QtCanvas;
struct PrinterDevice;

// The printer the working windows print on (created on first use).
QPrinter& workPrinter();

// The print dialog: true when the user confirmed it. A runner set here
// replaces the platform's dialog (tests print into a PDF file without a
// hand on the keyboard); nullptr brings the dialog back.
using PrintDialogRunner = std::function<bool(QPrinter&)>;
void setPrintDialogRunner(PrintDialogRunner runner);
bool runPrintDialog(QPrinter& printer, QWidget* parent);

// Message 42 ("Error - Printing cancelled !") with the error caption.
void reportPrintError();

// One landscape page on the work printer after the print dialog, drawn by
// `draw` on the printer canvas (0.1 mm units); message 42 when it failed.
// The printer is left in portrait orientation. True when printed.
bool printLandscapePage(QWidget* parent, const std::function<void(QtCanvas&, const PrinterDevice&)>& draw);

// The text channel: lines in "Courier" 11 pt, fixed pitch, black, one
// below the other, a new page when one is full. It is opened once (after
// the print dialog) and stays open until a page is finished with a form
// feed or close() is called (Print Window, a construction being printed,
// the end of the program), so that results printed one after the other
// share a page.
class TextPrinter {
 public:
  static TextPrinter& instance();

  bool isOpen() const;
  // Opens the channel on workPrinter() after the print dialog; true when
  // it is open (also when it already was).
  bool open(QWidget* parent);
  // Prints the lines (open() first).
  void printLines(const std::vector<std::string>& lines);
  // The size of the lines printed from now on (each job starts at 11 pt).
  void setPointSize(int points);
  // Character 12: the page is finished and goes to the printer.
  void formFeed();
  // Ends the job; what was printed goes to the printer.
  void close();

 private:
  TextPrinter() = default;
  struct Job;
  Job* job_ = nullptr;
};

// The lines on the text channel, opened when needed; with formFeed the
// page is finished afterwards. False when the dialog was cancelled.
bool printText(const std::vector<std::string>& lines, bool formFeed, QWidget* parent);

// The coordinates listing of a plot: the first headLines lines (the
// pole-style information and the names) at 11 pt, the points at 9 pt,
// then a form feed. False when the dialog was cancelled.
bool printCoordinatesListing(const std::vector<std::string>& lines, std::size_t headLines,
                             QWidget* parent);

}  // namespace tavrel
