#include "ui/work_windows.h"

#include <optional>

#include "ui/calculator_window.h"
#include "ui/drawing_window.h"
#include "ui/print_jobs.h"
#include "ui/tav1main.h"

namespace tavrel {

namespace {

std::optional<TableRequest>& pendingTable() {
  static std::optional<TableRequest> request;
  return request;
}

}  // namespace

void requestTable(const TableRequest& request) { pendingTable() = request; }

ChildForm* createWorkWindow(TForm1* main, ShellWindow kind, int entry) {
  switch (kind) {
    case ShellWindow::Drawing: return new TForm5(main);
    case ShellWindow::Calculator: {
      CalculatorPanel panel = CalculatorPanel::RiseSet;
      if (entry == menu::kSunPosition) panel = CalculatorPanel::Position;
      if (entry == menu::kTimeForPosition) panel = CalculatorPanel::Azimuth;
      if (entry == menu::kEotDeclination) panel = CalculatorPanel::Declination;
      return new Tsset1(main, panel);
    }
    case ShellWindow::Table: {
      if (entry < menu::kRiseSetTable || entry > menu::kSunPathPolar || entry == menu::kSunPath) {
        pendingTable().reset();
        return nullptr;
      }
      TableRequest request = pendingTable().value_or(tableRequestOfEntry(entry));
      pendingTable().reset();
      return new Tsset2(main, request);
    }
    default: return nullptr;
  }
}

bool printWorkWindow(ChildForm* active) {
  if (auto* drawing = qobject_cast<TForm5*>(active)) {
    drawing->print();
    return true;
  }
  if (auto* table = qobject_cast<Tsset2*>(active)) {
    table->print();
    return true;
  }
  if (auto* calculator = qobject_cast<Tsset1*>(active)) {
    calculator->printResults();
    return true;
  }
  return false;
}

void closeTextPrinter() { TextPrinter::instance().close(); }

}  // namespace tavrel
