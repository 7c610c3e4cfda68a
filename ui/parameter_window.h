// The parameter window (ParameterWindow): every construction parameter of the
// current dial family on one page (planar, umbrella, quadrant, cylinder,
// horizontal altitude, ring, azimuthal, bi-azimuthal, Hollander, Sawyer),
// and beside the planar and umbrella pages the user's own date lines.
#pragma once

#include "dials/dial_family.h"
#include "ui/child_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QGridLayout;
class QGroupBox;

namespace tavrel {

struct DesignState;

class ParameterWindow : public ChildForm {
  Q_OBJECT
 public:
  // Pages (the family table names them); page k has the caption of
  // label-table row 30 + k.
  using Page = ParameterPage;
  // The page the record's kind opens.
  static Page pageFor(const DesignState& d);

  explicit ParameterWindow(MainWindow* main);

  Page page() const { return page_; }
  bool closeQuery() override;
  void applyLanguage() override;
  bool checksOnDeactivate() const override { return true; }

  // The edit field that shows a record field (nullptr: none on this page).
  QLineEdit* fieldFor(const void* target) const;
  // The interval choice of the EoT hour lines (planar page).
  QComboBox* eotIntervalChoice() const { return eotInterval_; }
  QComboBox* hourIntervalChoice() const { return hourInterval_; }
  // The date-line choice and the analemma marking days (planar and
  // umbrella pages; nullptr on the others).
  QGroupBox* dateLineGroup() const { return dateLines_; }
  QComboBox* analemmaDaysBox() const { return analemmaDays_; }

  // Own date lines.
  QListWidget* dateList() const { return dates_; }
  QLineEdit* dateEntry() const { return dateEntry_; }
  bool addDateEntry();
  void removeDateEntry();
  void refreshDateList();
  QPushButton* closeButton() const { return close_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void updateEnabled() override;

 private:
  struct Interval {
    std::function<QStringList()> items;
    std::function<int()> get;
    std::function<void(int)> set;
  };
  enum class RangeList { Hours, Temporal, Altitude };

  QWidget* buildPlanar();
  QWidget* buildUmbrella();
  QWidget* buildQuadrant();
  QWidget* buildCylinder();
  QWidget* buildAltitude();
  QWidget* buildRing();
  QWidget* buildAzimuthal();
  QWidget* buildBiAzimuthal();
  QWidget* buildHollander();
  QWidget* buildSawyer();
  QWidget* buildDatePanel();

  // One line of a time-lines grid: [lead] from [..] to [..] interval [..].
  void rangeRow(QGridLayout* g, int row, QWidget* lead, std::int32_t* from, std::int32_t* to,
                RangeList list, const Interval& interval);
  QGroupBox* timeLinesGroup(TextSource title);
  // Label + edit in a two-column grid.
  void fieldRow(QGridLayout* g, int row, TextSource label, QLineEdit* edit);
  QLineEdit* analemmaHourField(QWidget* parent);
  QGroupBox* dateLineChoice();
  QComboBox* analemmaDaysChoice();

  Interval intervalA(char* field, bool eot);
  Interval intervalB(char* field);
  Interval intervalB(std::uint8_t* field);
  Interval temporalInterval(std::uint8_t* field);
  Interval altitudeInterval();

  Page page_;
  QWidget* pageWidget_ = nullptr;
  QComboBox* eotInterval_ = nullptr;
  QComboBox* hourInterval_ = nullptr;
  QGroupBox* dateLines_ = nullptr;
  QComboBox* analemmaDays_ = nullptr;
  QWidget* datePanel_ = nullptr;
  QListWidget* dates_ = nullptr;
  QLineEdit* dateEntry_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
  std::vector<std::pair<QWidget*, std::function<bool()>>> enabledWhen_;
  std::vector<std::pair<QWidget*, std::function<bool()>>> visibleWhen_;
  bool inWizard_ = false;
};

}  // namespace tavrel
