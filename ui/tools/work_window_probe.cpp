// A probe of the real desktop program for the drawing and table windows:
// screenshots, the printed page as a PDF, and the time of a zoom step as
// the user sees it (construction, picture and repaint of the window).
// Message boxes are answered by the probe (written to standard error, the
// safe answer), the print dialog by "print into this PDF file".
//
//   tavrel_work_window_probe drawing OUT.png de|en [hourlines|info|save|ring|sawyer]
//       the main window with the drawing window of the default dial, with
//       one of its panels open, or of the ring or the Sawyer dial
//   tavrel_work_window_probe calculator OUT.png de|en
//       the main window with the sun calculator after "Start Computation"
//       of rise and set
//   tavrel_work_window_probe table OUT.png de|en
//       the main window with the table window showing the declination table
//   tavrel_work_window_probe graph OUT.png de|en
//       the main window with the cartesian sun-path diagram (menu
//       Calculations > Sun Path Diagram > Rectangular Diagram)
//   tavrel_work_window_probe print OUT.pdf [angles|table]
//       "Print" of the drawing window (or of its hour-line table, or of
//       the table window's declination table), the printer writing
//       OUT.pdf (A4, no margins)
//   tavrel_work_window_probe zoom N
//       N zoom steps in the drawing window, each drawn and repainted at
//       once; prints the median and the largest time in milliseconds
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMarginsF>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/language.h"
#include "ui/calculator_window.h"
#include "ui/drawing_window.h"
#include "ui/table_window.h"
#include "ui/print_jobs.h"
#include "ui/qt_platform.h"
#include "ui/tools/answering_platform.h"
#include "ui/main_window.h"
#include "ui/tavrel_app.h"

namespace {

using tavrel::probe::AnsweringPlatform;

int usage() {
  std::cerr << "usage: tavrel_work_window_probe drawing|calculator|table|graph OUT.png de|en | print OUT.pdf | zoom N\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string mode = argv[1];
  const QString arg = QString::fromLocal8Bit(argv[2]);
  const bool german = argc > 3 && std::strcmp(argv[3], "en") != 0;
  const std::string panel = argc > 4 ? argv[4] : mode == "print" && argc > 3 ? argv[3] : "";
  if (mode != "drawing" && mode != "table" && mode != "graph" && mode != "calculator" && mode != "print" &&
      mode != "zoom")
    return usage();

  AnsweringPlatform platform;
  tavrel::StartOptions options;
  options.platform = &platform;
  options.whenShown = [mode, arg, german, panel](tavrel::MainWindow& w) {
    QTimer::singleShot(200, &w, [&w, mode, arg, german, panel] {
      using tavrel::ShellWindow;
      namespace menu = tavrel::menu;
      w.setLanguage(german);
      if (mode == "table" || panel == "table") {
        w.openWorkingWindow(ShellWindow::Table, menu::kDeclinationTable);
      } else if (mode == "graph") {
        w.menuEntry(menu::kSunPathRect)->trigger();
      } else if (mode == "calculator") {
        w.openWorkingWindow(ShellWindow::Calculator, menu::kRiseSet);
        if (auto* c = w.form<tavrel::CalculatorWindow>(ShellWindow::Calculator)) c->compute();
      } else {
        if (panel == "ring" || panel == "sawyer") {
          tavrel::DesignState& d = tavrel::design();
          d.expertMode = d.expertModeActive = true;
          d.dialKind = panel == "ring" ? 'r' : 'w';
        }
        w.openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
      }
      QTimer::singleShot(500, &w, [&w, mode, arg, panel] {
        int code = 0;
        auto* drawing = w.form<tavrel::DrawingWindow>(ShellWindow::Drawing);
        if (drawing && panel == "hourlines") drawing->showHourLines();
        if (drawing && panel == "info") drawing->showStylusInfo();
        if (drawing && panel == "save") drawing->openSavePanel(tavrel::PlotTarget::Dxf, true);
        QApplication::processEvents();
        if (mode == "drawing" || mode == "table" || mode == "graph" || mode == "calculator") {
          const bool ok = w.grab().save(arg);
          std::cerr << (ok ? "saved " : "could not save ") << arg.toStdString() << "\n";
          code = ok ? 0 : 1;
        } else if (mode == "print") {
          tavrel::setPrintDialogRunner([arg](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(arg);
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            return true;
          });
          bool printed = false;
          if (panel == "table") {
            if (auto* table = w.form<tavrel::TableWindow>(ShellWindow::Table)) printed = table->print();
          } else if (drawing) {
            if (panel == "angles") drawing->showHourLines();
            printed = drawing->print();
          }
          code = printed ? 0 : 1;
          std::cerr << (code == 0 ? "printed " : "not printed ") << arg.toStdString() << "\n";
        } else if (mode == "zoom" && drawing) {
          const int steps = std::max(1, arg.toInt());
          std::vector<double> ms;
          QElapsedTimer t;
          for (int i = 0; i < steps; ++i) {
            t.start();
            if (i % 2 == 0)
              drawing->zoomIn();
            else
              drawing->zoomOut();
            drawing->picture()->repaint();
            ms.push_back(t.nsecsElapsed() / 1e6);
          }
          std::sort(ms.begin(), ms.end());
          std::printf("picture %dx%d, %d zoom steps: median %.2f ms, largest %.2f ms\n",
                      drawing->image().width(), drawing->image().height(), steps, ms[ms.size() / 2],
                      ms.back());
        } else {
          code = 1;
        }
        QApplication::exit(code);
      });
    });
  };
  return tavrel::runTavrel(argc, argv, options);
}
