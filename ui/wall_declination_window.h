// "Measure wall declination": rows of board measurements (date, clock
// time, the angle of a pin's shadow) at the design's place, each with the
// sun's azimuth and altitude and the declination it gives; below them the
// mean, the spread and the outliers (tables/wall_declination.h). "Use this
// declination" writes the mean into the record's wallDeclination and
// redraws an open drawing window; the board template is saved as PDF or
// SVG. A modal dialog, like the program's other tool panels; F1 opens its
// help topic.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "tables/wall_declination.h"
#include "ui/ui_texts.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tavrel {

class MainWindow;

class WallDeclinationWindow : public QDialog {
  Q_OBJECT
 public:
  // `applied` runs after "Use this declination" has written the record
  // (the opener shows the new value).
  WallDeclinationWindow(MainWindow* main, QWidget* parent, std::function<void()> applied);

  // Columns of the measurement table.
  enum Column { kDateColumn, kTimeColumn, kAngleColumn, kAzimuthColumn, kAltitudeColumn, kDeclinationColumn,
                kNoteColumn, kColumnCount };

  // --- parts and commands, for the tests ---
  QTableWidget* table() const { return table_; }
  QLabel* summaryLabel() const { return summary_; }
  QPushButton* useButton() const { return use_; }
  void setClock(WallClock clock);
  // Appends a row (date "YYYY-MM-DD", time "HH:MM[:SS]", angle in degrees).
  void addRow(const QString& date, const QString& time, const QString& angle);
  void removeLastRow();
  // The readings of the rows as last computed (a row whose date or time
  // cannot be read is an ImpossibleTime refusal).
  const std::vector<WallReading>& readings() const { return readings_; }
  const WallSummary& summary() const { return summaryValues_; }
  // "Use this declination": false (with a box) when no row is valid.
  bool useDeclination();
  // The board template through the save dialog of the platform.
  bool saveTemplate();
  void applyLanguage();

 private:
  void recompute();
  WallMeasurement measurementOf(int row, bool& readable) const;

  MainWindow* main_;
  std::function<void()> applied_;
  WallClock clock_ = WallClock::Zone;
  WallPlace place_;
  std::vector<WallReading> readings_;
  WallSummary summaryValues_;
  bool updating_ = false;

  QLabel* placeLabel_ = nullptr;
  QLabel* note_ = nullptr;
  QButtonGroup* clocks_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* use_ = nullptr;
  QPushButton* close_ = nullptr;
  std::vector<std::function<void()>> texts_;
};

// The text of the buttons that open the window (calculator and parameter
// page), following the language.
TextSource wallDeclinationToolText();

// Opens the window over `parent` (modal) and returns it; it deletes itself
// when closed.
WallDeclinationWindow* openWallDeclinationWindow(MainWindow* main, QWidget* parent,
                                                 std::function<void()> applied = {});

}  // namespace tavrel
