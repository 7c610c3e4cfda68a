// The calculation panel "Calculation of a Horizon Profile" of the table
// window: the centre (the design record's latitude and longitude, with
// degrees, minutes and seconds and the hemisphere beside them), the
// pedestal height and the minimum and maximum object distance, each
// checked when it is left; "Start Calculation" runs the calculation with
// its boxes and dialogs. The panel is application-modal. The long steps run
// on a worker thread while the panel's progress bar moves and the program
// keeps drawing; Cancel stops the computation and nothing is saved.
#pragma once

#include <QDialog>
#include <atomic>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavrel {

struct HorizonProgress;

class HorizonPanel : public QDialog {
  Q_OBJECT
 public:
  explicit HorizonPanel(QWidget* parent = nullptr);

  void applyLanguage();
  // "Start Calculation".
  void startCalculation();
  // Cancel: stops a running computation, else closes the panel.
  void cancel();
  bool running() const { return running_; }

  QLineEdit* latitudeField() const { return latitude_; }
  QLineEdit* longitudeField() const { return longitude_; }
  QLineEdit* pedestalField() const { return pedestal_; }
  QLineEdit* minDistanceField() const { return minDistance_; }
  QLineEdit* maxDistanceField() const { return maxDistance_; }
  QProgressBar* progressBar() const { return progress_; }
  // How often the progress bar follows the computation (tests use 1 ms, so
  // that even a short computation shows its intermediate steps).
  void setProgressIntervalMs(int ms) { progressIntervalMs_ = ms; }
  QPushButton* startButton() const { return start_; }
  QPushButton* cancelButton() const { return cancel_; }
  // Checks every field as leaving it would; false at the first fault.
  bool checkFields();

 private:
  friend class PanelRunner;
  void showValues();
  void showAngles();
  bool checkField(QLineEdit* edit);

  QLabel* centreHeading_ = nullptr;
  QLabel* settingsHeading_ = nullptr;
  QLabel* latitudeLabel_ = nullptr;
  QLabel* longitudeLabel_ = nullptr;
  QLabel* latitudeDms_ = nullptr;
  QLabel* longitudeDms_ = nullptr;
  QLabel* pedestalLabel_ = nullptr;
  QLabel* minLabel_ = nullptr;
  QLabel* minNote_ = nullptr;
  QLabel* maxLabel_ = nullptr;
  QLabel* maxUnit_ = nullptr;
  QLabel* altitudeLabel_ = nullptr;
  QLabel* status_ = nullptr;
  QLineEdit* latitude_ = nullptr;
  QLineEdit* longitude_ = nullptr;
  QLineEdit* pedestal_ = nullptr;
  QLineEdit* minDistance_ = nullptr;
  QLineEdit* maxDistance_ = nullptr;
  QLineEdit* altitude_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  HorizonProgress* current_ = nullptr;  // while a long step runs
  int progressIntervalMs_ = 40;
  bool running_ = false;
  bool checking_ = false;
};

}  // namespace tavrel
