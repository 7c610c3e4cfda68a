// The sun calculator window (CalculatorWindow): for one date at a place, the
// declination and equation of time, rise, set, twilight and moon, the
// clock time of a sun azimuth, or the sun's position at a clock time. Each
// computation appends its block of lines to the result list, which the
// main window's Print sends to the printer as plain text. The window also
// opens the tables of the table window.
#pragma once

#include <string>
#include <vector>

#include "ui/child_form.h"
#include "ui/work_window_texts.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tavrel {

// The result panels of the calculator, by the table kind of the main menu.
enum class CalculatorPanel { RiseSet = 1, Position = 2, Azimuth = 4, Declination = 8 };

class CalculatorWindow : public ChildForm {
  Q_OBJECT
 public:
  CalculatorWindow(MainWindow* main, CalculatorPanel panel);

  bool closeQuery() override;

  // --- parts, for the main window and for tests ---
  CalculatorPanel panel() const { return panel_; }
  const std::vector<std::string>& results() const { return results_; }
  QPlainTextEdit* resultView() const { return resultView_; }
  QSpinBox* yearField() const { return year_; }
  QSpinBox* monthField() const { return month_; }
  QSpinBox* dayField() const { return day_; }
  QLineEdit* longitudeField() const { return longitude_; }
  QLineEdit* zoneField() const { return zone_; }
  QLineEdit* azimuthField() const { return azimuth_; }
  QLineEdit* timeField() const { return time_; }

  // --- commands ---
  void setPanel(CalculatorPanel panel);
  void setTimeSystem(int system);  // 0 apparent, 1 mean, 2 zone
  // "Start Computation": the block of the panel shown; false when nothing
  // was computed (a field asks for input, the zone question said No).
  bool compute();
  // "Table": the month table of rise and set in the table window.
  void openMonthTable();
  // The "Tables ..." menu: a main-menu entry 28 to 31, 32 or 35.
  void openTable(int entry);
  // The main window's Print: message 11 asks; Yes prints the results with
  // a form feed and clears them, No prints them and keeps them, Cancel
  // removes the last block.
  void printResults();
  // Print with or without form feed, without the question.
  bool printWithFormFeed(bool formFeed);
  void printFormFeed();
  // Cancel of the Print question: removes lines from the end, at least
  // one, until the last line is a rule ("  __...") or the list is empty.
  void dropLastBlock();

 private:
  void showResults();
  void updatePanel();

  CalculatorPanel panel_;
  std::vector<std::string> results_;
  bool placeEdited_ = true;  // the zone question is due at the next calculation
  bool userEdited_ = false;  // the place was edited in this window
  int timeSystem_ = 2;

  QSpinBox* year_ = nullptr;
  QSpinBox* month_ = nullptr;
  QSpinBox* day_ = nullptr;
  QLineEdit* longitude_ = nullptr;
  QLineEdit* latitude_ = nullptr;
  QLineEdit* zone_ = nullptr;
  QButtonGroup* panels_ = nullptr;
  QGroupBox* twilightBox_ = nullptr;
  QButtonGroup* twilight_ = nullptr;
  QGroupBox* azimuthBox_ = nullptr;
  QLineEdit* azimuth_ = nullptr;
  QGroupBox* timeBox_ = nullptr;
  QLineEdit* time_ = nullptr;
  QButtonGroup* timeSystems_ = nullptr;
  QPlainTextEdit* resultView_ = nullptr;
};

}  // namespace tavrel
