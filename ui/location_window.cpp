#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/design_state.h"
#include "core/location_input.h"
#include "core/platform.h"
#include "base/number_text.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui/main_window.h"

namespace tavrel {

namespace {
// Window texts (ui_texts.tsv).
constexpr int kCaption = 1000, kModeTitle = 1001, kModeDecimal = 1002, kModeDms = 1003;
constexpr int kRowLabels[3] = {1004, 1005, 1006};
constexpr int kYearLabel = 1007;
constexpr int kFirstHemisphere[3] = {1008, 1010, 1012};   // North, East, East
constexpr int kSecondHemisphere[3] = {1009, 1011, 1013};  // South, West, West
constexpr int kSouthNote = 1014, kEastNote = 1015, kYearsNote = 1016, kEmptyNote = 1017;
constexpr int kClose = 1018, kCancel = 1019, kNext = 1020;
constexpr int kMinutes = 1021, kSeconds = 1022, kZoneQuestion = 1023;
constexpr int kHeaders[3] = {1024, 1025, 1026};
constexpr int kDecimalHeader = 1027;

constexpr std::int32_t kDegreeMax[3] = {90, 180, 180};
}  // namespace

LocationWindow::LocationWindow(MainWindow* main) : ChildForm(main, ShellWindow::Location) {
  DesignState& d = design();
  inWizard_ = d.wizardStep == 1;
  setHelpTopic(5);
  auto* grid = new QGridLayout(body());
  grid->setHorizontalSpacing(8);

  QGroupBox* mode = makeRadios(
      tx(kModeTitle), {tx(kModeDecimal), tx(kModeDms)},
      [] { return design().decimalDegreeInput ? 0 : 1; },
      [this](int i) { setDecimalMode(i == 0); }, 2, body());
  const QList<QRadioButton*> modeButtons = mode->findChildren<QRadioButton*>();
  modeDecimal_ = modeButtons.value(0);
  modeDms_ = modeButtons.value(1);
  grid->addWidget(mode, 0, 0, 1, 7);

  grid->addWidget(makeLabel(tx(kDecimalHeader), body()), 1, 1, Qt::AlignCenter);
  for (int part = 0; part < 3; ++part)
    grid->addWidget(makeLabel(tx(kHeaders[part]), body()), 1, 2 + part, Qt::AlignCenter);

  for (int r = 0; r < 3; ++r) {
    Row& row = rows_[r];
    row.label = makeLabel(tx(kRowLabels[r]), body());
    grid->addWidget(row.label, 2 + r, 0);

    NumberField decimal;
    decimal.label = tx(kRowLabels[r]);
    decimal.onExit = [this, r](EditField& f, const std::string&) { return leaveDecimal(r, f); };
    row.decimal = makeField(std::move(decimal), kRealKeys, body());
    row.decimal->setMinimumWidth(110);
    grid->addWidget(row.decimal, 2 + r, 1);

    for (int part = 0; part < 3; ++part) {
      NumberField f;
      f.label = part == 0 ? tx(kRowLabels[r]) : tx(part == 1 ? kMinutes : kSeconds);
      f.onExit = [this, r, part](EditField& e, const std::string&) { return leaveDms(r, part, e); };
      row.dms[part] = makeField(std::move(f), kIntKeys, body());
      row.dms[part]->setFixedWidth(48);
      grid->addWidget(row.dms[part], 2 + r, 2 + part);
    }

    auto* hemi = new QWidget(body());
    auto* hemiLayout = new QHBoxLayout(hemi);
    hemiLayout->setContentsMargins(0, 0, 0, 0);
    row.first = new QRadioButton(hemi);
    row.second = new QRadioButton(hemi);
    auto* group = new QButtonGroup(hemi);
    group->addButton(row.first);
    group->addButton(row.second);
    hemiLayout->addWidget(row.first);
    hemiLayout->addWidget(row.second);
    bindText([&row, r] {
      row.first->setText(uiq(kFirstHemisphere[r]));
      row.second->setText(uiq(kSecondHemisphere[r]));
    });
    grid->addWidget(hemi, 2 + r, 5);
    grid->addWidget(makeLabel(tx(r == 0 ? kSouthNote : kEastNote), body()), 2 + r, 6);
  }

  QLabel* yearLabel = makeLabel(tx(kYearLabel), body());
  grid->addWidget(yearLabel, 5, 0);
  NumberField year;
  year.label = tx(kYearLabel);
  year.onExit = [this](EditField& f, const std::string& label) {
    if (!checkIntField(f, 1300, 2500, label, design().referenceYear)) return false;
    return checkLocationWindow();
  };
  year.show = [] { return QString::number(design().referenceYear); };
  year_ = makeField(std::move(year), kIntKeys, body());
  year_->setFixedWidth(70);
  yearLabel->setBuddy(year_);
  grid->addWidget(year_, 5, 1);

  QLabel* years = makeLabel(tx(kYearsNote), body());
  QLabel* empty = makeLabel(tx(kEmptyNote), body());
  grid->addWidget(years, 6, 0, 1, 7);
  grid->addWidget(empty, 7, 0, 1, 7);

  auto* buttons = new QHBoxLayout;
  close_ = makeButton([this] { return uiq(inWizard_ ? kNext : kClose); }, body());
  cancel_ = makeButton(tx(kCancel), body());
  cancel_->setVisible(inWizard_);
  close_->setDefault(false);
  close_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(close_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 8, 0, 1, 7);
  exemptFromChecks(cancel_);
  connect(close_, &QPushButton::clicked, this, &LocationWindow::nextPressed);
  connect(cancel_, &QPushButton::clicked, this, [this] { mainForm()->cancelWizard(); });

  for (int r = 0; r < 3; ++r) {
    setReturnTarget(rows_[r].decimal, year_);
    for (QLineEdit* e : rows_[r].dms) setReturnTarget(e, close_);
  }
  setReturnTarget(year_, close_);

  bindText([this] {
    setWindowTitle(inWizard_ ? wizardCaption(QStringLiteral("1")) : uiq(kCaption));
  });

  // Opening: the stored values, their degrees, minutes and seconds, then
  // the mode (which ends with the whole-window check).
  rows_[0].decimal->setText(qs(fixedText(d.latitude, 10, 6)));
  rows_[1].decimal->setText(qs(fixedText(d.longitude, 11, 6)));
  rows_[2].decimal->setText(qs(fixedText(d.zoneMeridian, 11, 6)));
  for (int r = 0; r < 3; ++r) decimalToDms(r);
  {
    CheckGuard guard(this);
    setDecimalMode(d.decimalDegreeInput);
  }
}

double* LocationWindow::target(int row) const {
  DesignState& d = design();
  return row == 0 ? &d.latitude : row == 1 ? &d.longitude : &d.zoneMeridian;
}

std::string LocationWindow::rowLabel(int row) const {
  return plainq(uiq(kRowLabels[row])).toStdString();
}

std::string LocationWindow::partLabel(int row, int part) const {
  if (part == 0) return rowLabel(row);
  return plainq(uiq(part == 1 ? kMinutes : kSeconds)).toStdString();
}

void LocationWindow::applyLanguage() {
  ChildForm::applyLanguage();
  for (int r = 0; r < 3; ++r) {
    rows_[r].label->setBuddy(decimalMode() ? rows_[r].decimal : rows_[r].dms[0]);
  }
}

bool LocationWindow::decimalMode() const { return design().decimalDegreeInput; }

void LocationWindow::decimalToDms(int row) {
  const double v = *target(row);
  const DegMinSec dms = toDegMinSec(v);
  Row& r = rows_[row];
  r.previous = {dms.degrees, dms.minutes, dms.seconds};
  for (int part = 0; part < 3; ++part) r.dms[part]->setText(QString::number(r.previous[part]));
  const bool first = row == 0 ? v > 0 : v < 0;  // North, or East
  r.first->setChecked(first);
  r.second->setChecked(!first);
}

bool LocationWindow::leaveDecimal(int row, EditField& field) {
  const bool ok = checkRangedRealField(field, *target(row), rowLabel(row), limit(row), -limit(row));
  decimalToDms(row);
  if (!ok) return false;
  return checkLocationWindow();
}

bool LocationWindow::leaveDms(int row, int part, EditField& field) {
  DesignState& d = design();
  // The warning flag of the sun calculator compares the values as they
  // stood before this field is taken.
  if (row == 2 && part == 0) d.zoneWarningPending = zoneFarFromLongitude(d.longitude, d.zoneMeridian, 14);
  const std::int32_t max = part == 0 ? kDegreeMax[row] : 60;
  if (!checkIntField(field, 0, max, partLabel(row, part), rows_[row].previous[part])) return false;
  return checkLocationWindow();
}

void LocationWindow::setDecimalMode(bool decimal) {
  design().decimalDegreeInput = decimal;
  if (modeDecimal_) {
    const QSignalBlocker a(modeDecimal_), b(modeDms_);
    modeDecimal_->setChecked(decimal);
    modeDms_->setChecked(!decimal);
  }
  updateModeEnabled();
  for (int r = 0; r < 3; ++r)
    rows_[r].label->setBuddy(decimal ? rows_[r].decimal : rows_[r].dms[0]);
  checkLocationWindow();
}

void LocationWindow::updateModeEnabled() {
  const bool decimal = design().decimalDegreeInput;
  for (Row& r : rows_) {
    r.decimal->setEnabled(decimal);
    for (QLineEdit* e : r.dms) e->setEnabled(!decimal);
    r.first->setEnabled(!decimal);
    r.second->setEnabled(!decimal);
  }
}

bool LocationWindow::checkLocationWindow() {
  DesignState& d = design();
  bool ok = true;
  if (!d.decimalDegreeInput) {
    for (int r = 0; r < 3; ++r) {
      for (int part = 0; part < 3; ++part) {
        QtEditField field(rows_[r].dms[part]);
        const std::int32_t max = part == 0 ? kDegreeMax[r] : 60;
        ok = checkIntField(field, 0, max, partLabel(r, part), rows_[r].previous[part]) && ok;
      }
    }
    DmsFields f;
    f.latDeg = rows_[0].previous[0];
    f.latMin = rows_[0].previous[1];
    f.latSec = rows_[0].previous[2];
    f.south = rows_[0].second->isChecked();
    f.lonDeg = rows_[1].previous[0];
    f.lonMin = rows_[1].previous[1];
    f.lonSec = rows_[1].previous[2];
    f.lonEast = rows_[1].first->isChecked();
    f.zoneDeg = rows_[2].previous[0];
    f.zoneMin = rows_[2].previous[1];
    f.zoneSec = rows_[2].previous[2];
    f.zoneEast = rows_[2].first->isChecked();
    const DmsLocation loc = locationFromDms(f);
    d.latitude = loc.latitude;
    d.longitude = loc.longitude;
    d.zoneMeridian = loc.zoneMeridian;
  } else {
    for (int r = 0; r < 3; ++r) {
      QtEditField field(rows_[r].decimal);
      if (checkRangedRealField(field, *target(r), rowLabel(r), limit(r), -limit(r)))
        rows_[r].decimal->setText(qs(fixedText(*target(r), 11, 6)));
      else
        ok = false;
    }
  }
  {
    QtEditField field(year_);
    ok = checkIntField(field, 1300, 2500, plainq(uiq(kYearLabel)).toStdString(),
                       d.referenceYear) && ok;
  }
  if (zoneFarFromLongitude(d.zoneMeridian, d.longitude, 15)) {
    const MsgAnswer answer = showMessage(MsgCaption::Warning, MsgIcon::Question,
                                         uiText(kZoneQuestion), MsgButtons::YesNo);
    if (answer == MsgAnswer::No) {
      ok = false;
      QtEditField(d.decimalDegreeInput ? rows_[2].decimal : rows_[2].dms[0]).takeFocus();
    }
  }
  if (ok) {
    rows_[0].decimal->setText(qs(fixedText(d.latitude, 10, 6)));
    rows_[1].decimal->setText(qs(fixedText(d.longitude, 11, 6)));
    rows_[2].decimal->setText(qs(fixedText(d.zoneMeridian, 11, 6)));
  }
  d.inputValid = ok;
  return ok;
}

void LocationWindow::nextPressed() {
  DesignState& d = design();
  if (d.wizardStep == 1) wizardLocationNext(d);
  mainForm()->closeChildWindows();
}

}  // namespace tavrel
