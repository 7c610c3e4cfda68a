// The location window.
#pragma once

#include <array>

#include "ui/child_form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrel {

// The location window: latitude, longitude and zone meridian as decimal
// degrees or as degrees, minutes and seconds with the hemisphere, and the
// reference year. Every field is checked when the user leaves it, then
// the whole window; the result is inputValid.
class LocationWindow : public ChildForm {
  Q_OBJECT
 public:
  explicit LocationWindow(MainWindow* main);

  // The whole-window check; also the close query.
  bool checkLocationWindow();
  bool closeQuery() override { return checkLocationWindow(); }
  void applyLanguage() override;
  // The Close button (Next in the "generate dial" sequence).
  void nextPressed();
  // The mode choice: decimal degrees or degrees, minutes and seconds.
  void setDecimalMode(bool decimal);
  bool decimalMode() const;

  // Rows: 0 latitude, 1 longitude, 2 zone meridian.
  QLineEdit* decimalField(int row) const { return rows_[row].decimal; }
  // part: 0 degrees, 1 minutes, 2 seconds.
  QLineEdit* dmsField(int row, int part) const { return rows_[row].dms[part]; }
  // North (latitude) or East (longitude, zone meridian) when `first`.
  QRadioButton* hemisphere(int row, bool first) const {
    return first ? rows_[row].first : rows_[row].second;
  }
  QLineEdit* yearField() const { return year_; }
  QPushButton* closeButton() const { return close_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  struct Row {
    QLabel* label = nullptr;
    QLineEdit* decimal = nullptr;
    std::array<QLineEdit*, 3> dms{};
    QRadioButton* first = nullptr;
    QRadioButton* second = nullptr;
    std::array<std::int32_t, 3> previous{};  // degrees, minutes, seconds
  };
  void decimalToDms(int row);
  bool leaveDecimal(int row, EditField& field);
  bool leaveDms(int row, int part, EditField& field);
  double* target(int row) const;
  double limit(int row) const { return row == 0 ? 90 : 180; }
  std::string rowLabel(int row) const;
  std::string partLabel(int row, int part) const;
  void updateModeEnabled();

  std::array<Row, 3> rows_;
  QLineEdit* year_ = nullptr;
  QRadioButton* modeDecimal_ = nullptr;
  QRadioButton* modeDms_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool inWizard_ = false;
};

}  // namespace tavrel
