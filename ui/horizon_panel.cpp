#include "ui/horizon_panel.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <thread>

#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "tables/horizon.h"
#include "ui/child_form.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {

QString ht(int row) { return qs(horizonText::text(row)); }

QString withoutAccelerator(int row) {
  QString s = ht(row);
  s.remove(QLatin1Char('&'));
  return s;
}

// "47 deg 15 min 4.7 sec  North": the angle as degrees, minutes and seconds
// with one decimal, and the hemisphere that follows the sign.
QString dmsText(double angle, int positiveName, int negativeName) {
  const double a = std::fabs(angle);
  int deg = static_cast<int>(a);
  int min = static_cast<int>((a - deg) * 60);
  double sec = std::round(((a - deg) * 60 - min) * 600) / 10;
  if (sec >= 60) sec -= 60, ++min;
  if (min >= 60) min -= 60, ++deg;
  return QString::number(deg) + ht(horizonText::kDeg) + QString::number(min) + ht(horizonText::kMin) +
         QString::number(sec, 'f', 1) + ht(horizonText::kSec) + QStringLiteral("  ") +
         withoutAccelerator(angle >= 0 ? positiveName : negativeName).trimmed();
}

std::string labelWithoutColon(int row) {
  std::string s = horizonText::text(row);
  while (!s.empty() && (s.back() == ' ' || s.back() == ':')) s.pop_back();
  return s;
}

}  // namespace

// The panel's hooks: the long steps on a worker thread while a local event
// loop keeps the program drawing and the progress bar moving.
class PanelRunner : public HorizonRunner {
 public:
  explicit PanelRunner(HorizonPanel* panel) : panel_(panel) {}

  HorizonStatus runLong(const std::function<HorizonStatus(HorizonProgress&)>& step) override {
    HorizonProgress progress;
    std::atomic<bool> done{false};
    HorizonStatus status = HorizonStatus::Ok;
    if (panel_) panel_->current_ = &progress;
    std::thread worker([&] {
      status = step(progress);
      done = true;
    });
    QEventLoop loop;
    QTimer timer;
    timer.setInterval(panel_ ? panel_->progressIntervalMs_ : 40);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
      if (panel_) panel_->progress_->setValue(progress.perMille.load());
      if (done) loop.quit();
    });
    timer.start();
    loop.exec();
    worker.join();
    if (panel_) {
      panel_->current_ = nullptr;
      panel_->progress_->setValue(progress.perMille.load());
    }
    return status;
  }
  void centreHeightKnown(int height) override {
    if (panel_) panel_->altitude_->setText(QString::number(height));
  }

 private:
  QPointer<HorizonPanel> panel_;
};

HorizonPanel::HorizonPanel(QWidget* parent) : QDialog(parent) {
  // Modal from its first showing to its closing, like every dialog of the
  // program: the other windows keep drawing (also while the computation
  // runs) but take no input; this panel's Cancel does. The modality is
  // never changed while the panel is shown: Qt takes a window off its list
  // of modal windows only when it is hidden as a modal one, so a change
  // while shown would leave every other window blocked after it closes.
  setWindowModality(Qt::ApplicationModal);
  auto* outer = new QVBoxLayout(this);
  centreHeading_ = new QLabel(this);
  outer->addWidget(centreHeading_);
  auto* grid = new QGridLayout;
  latitudeLabel_ = new QLabel(this);
  longitudeLabel_ = new QLabel(this);
  latitude_ = new QLineEdit(this);
  longitude_ = new QLineEdit(this);
  latitudeDms_ = new QLabel(this);
  longitudeDms_ = new QLabel(this);
  grid->addWidget(latitudeLabel_, 0, 0);
  grid->addWidget(latitude_, 0, 1);
  grid->addWidget(latitudeDms_, 0, 2);
  grid->addWidget(longitudeLabel_, 1, 0);
  grid->addWidget(longitude_, 1, 1);
  grid->addWidget(longitudeDms_, 1, 2);
  outer->addLayout(grid);

  settingsHeading_ = new QLabel(this);
  outer->addWidget(settingsHeading_);
  auto* settings = new QGridLayout;
  altitudeLabel_ = new QLabel(this);
  altitude_ = new QLineEdit(this);
  altitude_->setReadOnly(true);
  pedestalLabel_ = new QLabel(this);
  pedestal_ = new QLineEdit(this);
  minLabel_ = new QLabel(this);
  minDistance_ = new QLineEdit(this);
  minNote_ = new QLabel(this);
  maxLabel_ = new QLabel(this);
  maxDistance_ = new QLineEdit(this);
  maxUnit_ = new QLabel(this);
  settings->addWidget(altitudeLabel_, 0, 0);
  settings->addWidget(altitude_, 0, 1);
  settings->addWidget(pedestalLabel_, 1, 0);
  settings->addWidget(pedestal_, 1, 1);
  settings->addWidget(new QLabel(QStringLiteral("m"), this), 1, 2);
  settings->addWidget(minLabel_, 2, 0);
  settings->addWidget(minDistance_, 2, 1);
  settings->addWidget(minNote_, 2, 2);
  settings->addWidget(maxLabel_, 3, 0);
  settings->addWidget(maxDistance_, 3, 1);
  settings->addWidget(maxUnit_, 3, 2);
  outer->addLayout(settings);

  status_ = new QLabel(this);
  outer->addWidget(status_);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1000);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  outer->addWidget(progress_);
  auto* buttons = new QHBoxLayout;
  start_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  buttons->addWidget(start_);
  buttons->addStretch(1);
  buttons->addWidget(cancel_);
  outer->addLayout(buttons);

  for (QLineEdit* e : {latitude_, longitude_, pedestal_, minDistance_, maxDistance_})
    connect(e, &QLineEdit::editingFinished, this, [this, e] { checkField(e); });
  connect(start_, &QPushButton::clicked, this, &HorizonPanel::startCalculation);
  connect(cancel_, &QPushButton::clicked, this, &HorizonPanel::cancel);
  applyLanguage();
  showValues();
}

void HorizonPanel::applyLanguage() {
  setWindowTitle(ht(horizonText::kPanelTitle));
  centreHeading_->setText(ht(horizonText::kPositionOfCentre));
  settingsHeading_->setText(ht(horizonText::kPanelTitle));
  latitudeLabel_->setText(ht(horizonText::kLatitude));
  longitudeLabel_->setText(ht(horizonText::kLongitude));
  altitudeLabel_->setText(ht(horizonText::kAltitudeOfCentre));
  pedestalLabel_->setText(ht(horizonText::kPedestal));
  minLabel_->setText(ht(horizonText::kMinDistance));
  minNote_->setText(ht(horizonText::kMinimum180));
  maxLabel_->setText(ht(horizonText::kMaxDistance));
  maxUnit_->setText(ht(horizonText::kKm));
  start_->setText(ht(horizonText::kStartCalculation));
  cancel_->setText(ht(horizonText::kCancel));
  showAngles();
}

void HorizonPanel::showValues() {
  const DesignState& d = design();
  const HorizonSettings& s = horizonSettings();
  latitude_->setText(QString::number(d.latitude, 'f', 6));
  longitude_->setText(QString::number(d.longitude, 'f', 6));
  pedestal_->setText(QString::number(s.pedestalHeight));
  minDistance_->setText(QString::number(s.minObjectDistance));
  maxDistance_->setText(QString::number(s.maxObjectDistance));
  showAngles();
}

void HorizonPanel::showAngles() {
  const DesignState& d = design();
  latitudeDms_->setText(dmsText(d.latitude, horizonText::kNorth, horizonText::kSouth));
  // West positive in the record.
  longitudeDms_->setText(dmsText(d.longitude, horizonText::kWest, horizonText::kEast));
}

bool HorizonPanel::checkField(QLineEdit* edit) {
  if (checking_) return true;
  checking_ = true;
  QtEditField field(edit);
  DesignState& d = design();
  HorizonSettings& s = horizonSettings();
  bool ok = true;
  if (edit == latitude_) {
    ok = checkRangedRealField(field, d.latitude, horizonText::text(horizonText::kLatitude), 90, -90);
  } else if (edit == longitude_) {
    ok = checkRangedRealField(field, d.longitude, horizonText::text(horizonText::kLongitude), 180, -180);
  } else if (edit == pedestal_) {
    ok = checkIntField(field, 0, 300, labelWithoutColon(horizonText::kAltitudeOfCentre), s.pedestalHeight);
  } else if (edit == minDistance_) {
    ok = checkIntField(field, 100, 500, horizonText::text(horizonText::kMinDistance), s.minObjectDistance);
    s.minObjectDistance = storedMinObjectDistance(s.minObjectDistance);
    if (ok) edit->setText(QString::number(s.minObjectDistance));
  } else if (edit == maxDistance_) {
    ok = checkIntField(field, 0, 300, horizonText::text(horizonText::kMaxDistance), s.maxObjectDistance);
  }
  if (!ok) design().inputValid = false;
  showAngles();
  checking_ = false;
  return ok;
}

bool HorizonPanel::checkFields() {
  for (QLineEdit* e : {latitude_, longitude_, pedestal_, minDistance_, maxDistance_})
    if (!checkField(e)) return false;
  return true;
}

void HorizonPanel::startCalculation() {
  if (running_ || !checkFields()) return;
  running_ = true;
  start_->setEnabled(false);
  status_->setText(ht(horizonText::kLoadingData));
  progress_->setValue(0);
  QPointer<HorizonPanel> self(this);
  PanelRunner runner(this);
  const HorizonOutcome outcome = runHorizonCalculation(runner);
  if (!self) return;
  running_ = false;
  start_->setEnabled(true);
  status_->clear();
  if (outcome == HorizonOutcome::Saved) {
    centreHeading_->setText(ht(horizonText::kCalculated));
    for (QLabel* l : {centreHeading_, settingsHeading_}) l->setStyleSheet(QStringLiteral("color: blue"));
    close();
  }
}

void HorizonPanel::cancel() {
  if (current_) {
    current_->cancel = true;
    return;
  }
  if (!running_) close();
}

}  // namespace tavrel
