// The drawing, calculator and table windows as the main window opens and
// prints them.
#pragma once

#include "core/main_window_rules.h"
#include "ui/table_window.h"

namespace tavrel {

class ChildForm;
class MainWindow;

// The window of a main-menu entry: the drawing window (entry 17), the
// calculator (entries 23 to 26) or the table window (entries 28 to 31 and
// the graphs 32, 34, 35); nullptr for any other entry.
ChildForm* createWorkWindow(MainWindow* main, ShellWindow kind, int entry);

// The next table window shows this table instead of the one of its menu
// entry (the calculator's "Table" and "Tables ..." commands).
void requestTable(const TableRequest& request);

// Print (entry 4) of the active window: the drawing window prints its
// construction, the table window its table, the calculator its results
// after the form-feed question. False for any other window.
bool printWorkWindow(ChildForm* active);

// Print Window and the end of the program close the open text printer.
void closeTextPrinter();

}  // namespace tavrel
