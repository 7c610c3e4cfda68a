// The graphs in the table window: the picture that draws the EoT graph or
// a sun-path diagram, the options beside it (representation, period, date
// and hour lines, longitude correction, sunlight on a plane, the save
// commands) and the save panel (file name, y scaling factor, mirror,
// longitude correction).
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QWidget>

#include "drawing/graph_save.h"
#include "tables/graphs.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrel {

class ScreenSurface;

class GraphPicture : public QWidget {
 public:
  explicit GraphPicture(QWidget* parent = nullptr);
  void setChoice(const GraphChoice& choice);
  const GraphChoice& choice() const { return choice_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  GraphChoice choice_;
};

// The options beside the graph. Changes are written to the design record
// where it holds them (dateLinesPerMonth, otherHourInterval,
// constructionWithEot; the plane's latitude, longitude, wallDeclination,
// planeInclination) and announced by `changed`.
class GraphControls : public QGroupBox {
  Q_OBJECT
 public:
  explicit GraphControls(QWidget* parent = nullptr);
  void applyLanguage();
  // Shows the controls of the graph kind.
  void showFor(int kind);
  // The window's choices, with the representation.
  GraphChoice choice(int kind) const;
  void setPolar(bool polar);

  QCheckBox* cartesianSwitch() const { return cartesian_; }
  QCheckBox* sunlightSwitch() const { return sunlight_; }
  QCheckBox* zoneTimeSwitch() const { return zoneTime_; }
  QLabel* sunlightStatus() const { return status_; }

 signals:
  void changed();
  void saveRequested(tavrel::GraphPlotTarget target);

 private:
  void updateSunlight();

  QCheckBox* cartesian_ = nullptr;
  QComboBox* period_ = nullptr;
  QLabel* dateLinesLabel_ = nullptr;
  QComboBox* dateLines_ = nullptr;
  QLabel* intervalLabel_ = nullptr;
  QComboBox* interval_ = nullptr;
  QCheckBox* withEot_ = nullptr;
  QCheckBox* zoneTime_ = nullptr;
  QCheckBox* sunlight_ = nullptr;
  QWidget* planeFields_ = nullptr;
  QLabel* planeLabels_[4] = {};
  QDoubleSpinBox* plane_[4] = {};  // latitude, declination, inclination, longitude
  QLabel* status_ = nullptr;
  QPushButton* saveHpgl_ = nullptr;
  QPushButton* saveDxf_ = nullptr;
  int kind_ = kEotGraphKind;
};

// The save panel; exec() and then saveGraph with panel().
class GraphSaveDialog : public QDialog {
 public:
  GraphSaveDialog(const GraphSavePanel& panel, QWidget* parent = nullptr);
  const GraphSavePanel& panel() const { return panel_; }
  // "Ok": an invalid factor keeps the dialog open with the focus in it.
  void accept() override;

  QLineEdit* nameField() const { return name_; }
  QLineEdit* factorField() const { return factor_; }
  QCheckBox* zoneTimeSwitch() const { return zone_; }

 private:
  GraphSavePanel panel_;
  QLineEdit* name_ = nullptr;
  QLineEdit* factor_ = nullptr;
  QCheckBox* mirror_ = nullptr;
  QCheckBox* zone_ = nullptr;
};

}  // namespace tavrel
