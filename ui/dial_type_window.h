// The dial-type window.
#pragma once

#include <map>
#include <vector>

#include "dials/dial_type_rules.h"
#include "ui/child_form.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tavrel {

// The dial-type window: the list of the fourteen dial types (twelve
// without expert mode), the sub-choices of a type, the two or three values
// every construction of the type needs, and its picture.
class DialTypeWindow : public ChildForm {
  Q_OBJECT
 public:
  explicit DialTypeWindow(MainWindow* main);

  bool closeQuery() override;
  void applyLanguage() override;
  bool checksOnDeactivate() const override { return true; }

  QListWidget* list() const { return list_; }
  // The entries shown, as positions 0..13 in list order.
  const std::vector<int>& positions() const { return positions_; }
  // Chooses a position as a click on its entry does.
  void selectEntry(int position);
  // The edit of a value field, by its record field's name (nullptr: none).
  QLineEdit* valueField(std::string_view name) const {
    for (const auto& [v, edit] : fields_)
      if (name == v->name) return edit;
    return nullptr;
  }
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
  std::map<const DialValueField*, QLineEdit*> fields_;
  std::map<const DialValueField*, QLabel*> labels_;
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
