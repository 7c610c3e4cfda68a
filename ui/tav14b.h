// The location window (TForm4) and the dial-type window (TF4).
#pragma once

#include <array>
#include <map>

#include "dials/dial_type_rules.h"
#include "ui/child_form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QGridLayout;

namespace tavrel {

// The location window: latitude, longitude and zone meridian as decimal
// degrees or as degrees, minutes and seconds with the hemisphere, and the
// reference year. Every field is checked when the user leaves it, then
// the whole window; the result is inputValid.
class TForm4 : public ChildForm {
  Q_OBJECT
 public:
  explicit TForm4(TForm1* main);

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

// The dial-type window: the list of the fourteen dial types (twelve
// without expert mode), the sub-choices of a type, the two or three values
// every construction of the type needs, and its picture.
class TF4 : public ChildForm {
  Q_OBJECT
 public:
  explicit TF4(TForm1* main);

  bool closeQuery() override;
  void applyLanguage() override;
  bool checksOnDeactivate() const override { return true; }

  QListWidget* list() const { return list_; }
  // The entries shown, as positions 0..13 in list order.
  const std::vector<int>& positions() const { return positions_; }
  // Chooses a position as a click on its entry does.
  void selectEntry(int position);
  QLineEdit* valueField(DialValue v) const { return fields_.at(v); }
  QGroupBox* umbrellaKind() const { return umbrellaKind_; }
  QGroupBox* quadrantKind() const { return quadrantKind_; }
  QGroupBox* cylinderKind() const { return cylinderKind_; }
  QGroupBox* azimuthKind() const { return azimuthKind_; }
  QLabel* picture() const { return picture_; }
  QLabel* expertNote() const { return expertNote_; }
  QPushButton* closeButton() const { return close_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* helpButton() const { return help_; }
  int pictureNumber() const { return pictureNumber_; }

 protected:
  void choiceChanged() override;
  void showEvent(QShowEvent* e) override;

 private:
  void buildList();
  void kindChanged();
  void showFieldsForKind();
  void updatePicture();
  // Room for the sub-choices, the values and the labels of every type.
  void reserveSpace();

  QListWidget* list_ = nullptr;
  std::vector<int> positions_;
  std::map<DialValue, QLineEdit*> fields_;
  std::map<DialValue, QLabel*> labels_;
  QGroupBox* umbrellaKind_ = nullptr;
  QGroupBox* quadrantKind_ = nullptr;
  QGroupBox* cylinderKind_ = nullptr;
  QGroupBox* azimuthKind_ = nullptr;
  QWidget* choiceArea_ = nullptr;
  QWidget* valueArea_ = nullptr;
  QGridLayout* valueGrid_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* expertNote_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
  int pictureNumber_ = 0;
  bool inWizard_ = false;
};

}  // namespace tavrel
