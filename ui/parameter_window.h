// The parameter window (ParameterWindow): every construction parameter of the
// current dial family on one page, and beside the pages that ask for them
// the user's own date lines. The pages live in ui/pages/, one file each,
// registered by name (ui/parameter_page.h); the family table names the
// page a design opens.
#pragma once

#include <functional>
#include <string>

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
  // Pages by the names the family table gives them.
  using Page = std::string;
  // The page the record's kind opens.
  static Page pageFor(const DesignState& d);

  explicit ParameterWindow(MainWindow* main);

  const Page& page() const { return page_; }
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

 public:
  // --- Building blocks of the pages ----------------------------------------
  using ChildForm::mainForm;
  using ChildForm::makeButton;
  using ChildForm::makeCheck;
  using ChildForm::makeCombo;
  using ChildForm::makeField;
  using ChildForm::makeGroup;
  using ChildForm::makeIntField;
  using ChildForm::makeLabel;
  using ChildForm::makeRadios;
  using ChildForm::makeRealField;
  using ChildForm::refreshFields;

  struct Interval {
    std::function<QStringList()> items;
    std::function<int()> get;
    std::function<void(int)> set;
  };
  enum class RangeList { Hours, Temporal, Altitude };

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

  // A widget enabled, or shown, while the condition holds (checked
  // whenever the window's state changes).
  void enabledWhen(QWidget* w, std::function<bool()> when) { enabledWhen_.emplace_back(w, std::move(when)); }
  void visibleWhen(QWidget* w, std::function<bool()> when) { visibleWhen_.emplace_back(w, std::move(when)); }

 private:
  QWidget* buildDatePanel();

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
