// The table window (TableWindow): one solar table at a time as a picture in a
// fixed-pitch font that shrinks until the table fits, printed, and saved
// as text or CSV. Its tables are the month and half-year rise/set tables
// and the year tables (equation of time, with the longitude correction,
// declination, meridian transit); the equation-of-time table also offers
// the symmetric approximation report.
#pragma once

#include <QPointer>
#include <vector>

#include "tables/eot_pair_report.h"
#include "tables/solar_table.h"
#include "ui/child_form.h"
#include "ui/work_window_texts.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QButtonGroup;
class QGroupBox;
class QPainter;
class QRect;

namespace tavrel {

class TablePicture;
class HorizonPanel;
class GraphPicture;
class GraphControls;

// What the table window shows: kind 1 (rise and set; scope 0 a month,
// 1 months 1-6, 2 months 7-12), 8 (a year table of sub-kind 0 EoT,
// 1 EoT + longitude correction, 2 declination, 3 transit), 16 (the EoT
// graph) or 32 (the sun-path diagram, polar or cartesian).
struct TableRequest {
  int kind = 8;
  int subKind = 2;
  int scope = 0;
  int month = 1;
  int year = 2020;
  bool polar = false;  // kind 32
};

// The request of a main-menu entry (28 to 31: the tables; 32, 34, 35: the
// EoT graph and the cartesian and polar sun-path diagrams) for the design
// record's reference year and calculation month.
TableRequest tableRequestOfEntry(int entry);

class TableWindow : public ChildForm {
  Q_OBJECT
 public:
  TableWindow(MainWindow* main, const TableRequest& request);

  QSize sizeHint() const override;
  void applyLanguage() override;

  // --- parts, for the main window and for tests ---
  const TableRequest& request() const { return request_; }
  const SolarTable& table() const { return table_; }
  // The lines the picture shows.
  std::vector<std::string> shownLines() const;
  // Point size of the picture's font after fitting.
  int fontPointSize() const;
  QWidget* picture() const;
  QSpinBox* yearField() const { return year_; }
  QCheckBox* symmetricSwitch() const { return symmetric_; }
  QFrame* symmetricPanel() const { return symmetricPanel_; }
  QComboBox* valuesChoice() const { return values_; }
  const EotPairReport& eotPairs() const { return pairs_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* printButton() const { return print_; }
  QCheckBox* horizonSwitch() const { return horizonSwitch_; }

  // --- commands ---
  // Shows another table (the window's own "Tables" menu, the calculator).
  void setRequest(const TableRequest& request);
  // Builds the table again from the record and the choices, and redraws.
  void rebuild();
  // "Tabelle speichern": the save dialog, text or CSV.
  bool saveTable();
  // "Drucken": the table as shown, on one page with a border, the first
  // line bold. False when nothing was printed.
  bool print();
  // The symmetric EoT report for n values a year.
  void showEotPairs(int values);
  bool saveEotPairs();
  bool printEotPairs();
  // "Create horizon profile ... ": the calculation panel.
  HorizonPanel* openHorizonPanel();
  // The graphs: the picture, its options, and "Save as HPGL/DXF-File"
  // (the save panel, then the save dialog).
  GraphPicture* graphPicture() const { return graphPicture_; }
  GraphControls* graphControls() const { return graphControls_; }
  bool showsGraph() const { return request_.kind == 16 || request_.kind == 32; }
  // The topic of what the window shows: the tables, the EoT graph or the
  // sun-path diagrams.
  int helpTopic() const override;
  bool saveGraphAs(int target);

 private:
  void buildControls(QWidget* panel);
  void updateVisibility();

  TableRequest request_;
  SolarTable table_;
  EotPairReport pairs_;

  TablePicture* picture_ = nullptr;
  QSpinBox* year_ = nullptr;
  QGroupBox* subKindBox_ = nullptr;
  QButtonGroup* subKind_ = nullptr;
  QGroupBox* scopeBox_ = nullptr;
  QButtonGroup* scope_ = nullptr;
  QComboBox* month_ = nullptr;
  QGroupBox* twilightBox_ = nullptr;
  QButtonGroup* twilight_ = nullptr;
  QCheckBox* symmetric_ = nullptr;
  QFrame* symmetricPanel_ = nullptr;
  QComboBox* values_ = nullptr;
  QPlainTextEdit* pairsText_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* print_ = nullptr;
  QCheckBox* horizonSwitch_ = nullptr;
  QPointer<HorizonPanel> horizonPanel_;
  GraphPicture* graphPicture_ = nullptr;
  GraphControls* graphControls_ = nullptr;
};

// Draws table lines on a page of `page` pixels: a fixed-pitch font as
// large as fits (at most `maxPointSize` points of `dpi`), a border round
// the table, the first line bold.
void drawTablePage(QPainter& painter, const QRect& page, int dpi, const std::vector<std::string>& lines,
                   int maxPointSize);

}  // namespace tavrel
