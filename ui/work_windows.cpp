#include "ui/work_windows.h"

#include <optional>

#include "ui/calculator_window.h"
#include "ui/drawing_window.h"
#include "ui/print_jobs.h"
#include "ui/main_window.h"

namespace tavrel {

namespace {

std::optional<TableRequest>& pendingTable() {
  static std::optional<TableRequest> request;
  return request;
}

}  // namespace

void requestTable(const TableRequest& request) { pendingTable() = request; }

ChildForm* createWorkWindow(MainWindow* main, ShellWindow kind, int entry) {
  switch (kind) {
    case ShellWindow::Drawing: return new DrawingWindow(main);
    case ShellWindow::Calculator: {
      CalculatorPanel panel = CalculatorPanel::RiseSet;
      if (entry == menu::kSunPosition) panel = CalculatorPanel::Position;
      if (entry == menu::kTimeForPosition) panel = CalculatorPanel::Azimuth;
      if (entry == menu::kEotDeclination) panel = CalculatorPanel::Declination;
      return new CalculatorWindow(main, panel);
    }
    case ShellWindow::Table: {
      if (entry < menu::kRiseSetTable || entry > menu::kSunPathPolar || entry == menu::kSunPath) {
        pendingTable().reset();
        return nullptr;
      }
      TableRequest request = pendingTable().value_or(tableRequestOfEntry(entry));
      pendingTable().reset();
      return new TableWindow(main, request);
    }
    default: return nullptr;
  }
}

bool printWorkWindow(ChildForm* active) {
  if (auto* drawing = qobject_cast<DrawingWindow*>(active)) {
    drawing->print();
    return true;
  }
  if (auto* table = qobject_cast<TableWindow*>(active)) {
    table->print();
    return true;
  }
  if (auto* calculator = qobject_cast<CalculatorWindow*>(active)) {
    calculator->printResults();
    return true;
  }
  return false;
}

void closeTextPrinter() { TextPrinter::instance().close(); }

}  // namespace tavrel
