#include "ui/graph_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/design_state.h"
#include "core/language.h"
#include "plot/screen_surface.h"
#include "tables/graph_texts.h"
#include "ui/qt_canvas.h"
#include "ui/ui_texts.h"
#include "drawing/surface_pens.h"

namespace tavrel {

namespace {

QString gtext(int row) { return qs(graphRow::text(row)); }

constexpr int kIntervals[] = {60, 30, 20, 15};

}  // namespace

// --- picture -----------------------------------------------------------------------

GraphPicture::GraphPicture(QWidget* parent) : QWidget(parent) { setMinimumSize(400, 300); }

void GraphPicture::setChoice(const GraphChoice& choice) {
  choice_ = choice;
  update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QtCanvas canvas;
    if (canvas.begin(&image)) {
      ScreenSurface surface = screenSurfaceOf(design(), canvas, width(), height());
      drawGraphChoice(surface, choice_, 0, 0, height(), width(), true);
      canvas.end();
    }
  }
  QPainter(this).drawImage(0, 0, image);
}

// --- options ------------------------------------------------------------------------

GraphControls::GraphControls(QWidget* parent) : QGroupBox(parent) {
  auto* layout = new QVBoxLayout(this);
  cartesian_ = new QCheckBox(this);
  cartesian_->setChecked(true);
  layout->addWidget(cartesian_);
  period_ = new QComboBox(this);
  layout->addWidget(period_);
  dateLinesLabel_ = new QLabel(this);
  dateLines_ = new QComboBox(this);
  for (int n : {1, 2, 3}) dateLines_->addItem(QString::number(n));
  dateLines_->setCurrentIndex(std::clamp<int>(design().dateLinesPerMonth, 1, 3) - 1);
  intervalLabel_ = new QLabel(this);
  interval_ = new QComboBox(this);
  for (int m : kIntervals) interval_->addItem(QString::number(m));
  interval_->setCurrentIndex(std::clamp(design().otherHourInterval - '0', 0, 3));
  auto* grid = new QGridLayout;
  grid->addWidget(dateLinesLabel_, 0, 0);
  grid->addWidget(dateLines_, 0, 1);
  grid->addWidget(intervalLabel_, 1, 0);
  grid->addWidget(interval_, 1, 1);
  layout->addLayout(grid);
  withEot_ = new QCheckBox(this);
  withEot_->setChecked(design().constructionWithEot);
  layout->addWidget(withEot_);
  zoneTime_ = new QCheckBox(this);
  zoneTime_->setChecked(design().zoneTime);
  layout->addWidget(zoneTime_);

  // Sunlight on a plane.
  sunlight_ = new QCheckBox(this);
  layout->addWidget(sunlight_);
  planeFields_ = new QWidget(this);
  auto* planeGrid = new QGridLayout(planeFields_);
  planeGrid->setContentsMargins(0, 0, 0, 0);
  const DesignState& d = design();
  const double bounds[4][2] = {{-90, 90}, {-180, 180}, {0, 180}, {-180, 180}};
  const double values[4] = {d.latitude, d.wallDeclination, d.planeInclination, d.longitude};
  for (int i = 0; i < 4; ++i) {
    planeLabels_[i] = new QLabel(planeFields_);
    plane_[i] = new QDoubleSpinBox(planeFields_);
    plane_[i]->setDecimals(2);
    plane_[i]->setRange(bounds[i][0], bounds[i][1]);
    plane_[i]->setValue(std::clamp(values[i], bounds[i][0], bounds[i][1]));
    planeGrid->addWidget(planeLabels_[i], i, 0);
    planeGrid->addWidget(plane_[i], i, 1);
    // Checked against the bounds by the field; written back when left.
    connect(plane_[i], &QDoubleSpinBox::editingFinished, this, [this, i] {
      DesignState& r = design();
      const double v = plane_[i]->value();
      if (i == 0) r.latitude = v;
      if (i == 1) r.wallDeclination = v;
      if (i == 2) r.planeInclination = v;
      if (i == 3) r.longitude = v;
      updateSunlight();
      emit changed();
    });
  }
  planeFields_->hide();
  layout->addWidget(planeFields_);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  status_->hide();
  layout->addWidget(status_);

  saveHpgl_ = new QPushButton(this);
  saveDxf_ = new QPushButton(this);
  layout->addWidget(saveHpgl_);
  layout->addWidget(saveDxf_);

  connect(cartesian_, &QCheckBox::toggled, this, [this] {
    updateSunlight();
    emit changed();
  });
  connect(period_, &QComboBox::activated, this, [this] { emit changed(); });
  connect(dateLines_, &QComboBox::activated, this, [this](int i) {
    design().dateLinesPerMonth = static_cast<std::uint8_t>(i + 1);
    emit changed();
  });
  connect(interval_, &QComboBox::activated, this, [this](int i) {
    design().otherHourInterval = static_cast<char>('0' + i);
    emit changed();
  });
  connect(withEot_, &QCheckBox::toggled, this, [this](bool on) {
    design().constructionWithEot = on;
    emit changed();
  });
  connect(zoneTime_, &QCheckBox::toggled, this, [this] {
    updateSunlight();
    emit changed();
  });
  connect(sunlight_, &QCheckBox::toggled, this, [this] {
    updateSunlight();
    emit changed();
  });
  connect(saveHpgl_, &QPushButton::clicked, this, [this] { emit saveRequested(GraphPlotTarget::Hpgl); });
  connect(saveDxf_, &QPushButton::clicked, this, [this] { emit saveRequested(GraphPlotTarget::Dxf); });
  applyLanguage();
}

void GraphControls::applyLanguage() {
  using namespace graphRow;
  cartesian_->setText(gtext(kCartesian));
  const int keep = std::max(0, period_->currentIndex());
  period_->clear();
  for (int i = 0; i < 3; ++i) period_->addItem(gtext(kWholeYear + i));
  period_->setCurrentIndex(keep);
  dateLinesLabel_->setText(gtext(kDateLinesPerMonth));
  intervalLabel_->setText(gtext(kHourInterval));
  withEot_->setText(gtext(kHourLinesWithEot));
  zoneTime_->setText(gtext(kLongitudeCorrection));
  sunlight_->setText(gtext(kSunlightOnPlane));
  planeLabels_[0]->setText(gtext(kPlaneLatitude));
  planeLabels_[1]->setText(gtext(kWallDeclination));
  planeLabels_[2]->setText(gtext(kInclination));
  planeLabels_[3]->setText(gtext(kPlaneLongitude));
  saveHpgl_->setText(gtext(kSaveHpgl).trimmed());
  saveDxf_->setText(gtext(kSaveDxf).trimmed());
  updateSunlight();
}

void GraphControls::showFor(int kind) {
  kind_ = kind;
  const bool path = kind == kSunPathKind;
  for (QWidget* w : std::initializer_list<QWidget*>{cartesian_, period_, dateLinesLabel_, dateLines_, intervalLabel_,
                                                    interval_, withEot_, sunlight_})
    w->setVisible(path);
  updateSunlight();
}

void GraphControls::setPolar(bool polar) {
  const QSignalBlocker block(cartesian_);
  cartesian_->setChecked(!polar);
  updateSunlight();
}

void GraphControls::updateSunlight() {
  const bool on = kind_ == kSunPathKind && cartesian_->isChecked() && sunlight_->isChecked();
  sunlight_->setEnabled(cartesian_->isChecked());
  planeFields_->setVisible(on);
  status_->setVisible(on);
  if (on) {
    const PlaneSunlight p = planeSunlight(plane_[0]->value(), plane_[3]->value(), design().zoneMeridian,
                                          zoneTime_->isChecked(), plane_[1]->value(), plane_[2]->value());
    status_->setText(qs(p.status));
  }
}

GraphChoice GraphControls::choice(int kind) const {
  GraphChoice c;
  c.kind = kind;
  c.polar = !cartesian_->isChecked();
  GraphOptions& o = c.options;
  o.zoneTime = zoneTime_->isChecked();
  o.period = static_cast<SunPathPeriod>(std::clamp(period_->currentIndex(), 0, 2));
  o.sunlightOnPlane = kind == kSunPathKind && !c.polar && sunlight_->isChecked();
  o.planeLatitude = plane_[0]->value();
  o.planeDeclination = plane_[1]->value();
  o.planeInclination = plane_[2]->value();
  o.planeLongitude = plane_[3]->value();
  return c;
}

// --- save panel ---------------------------------------------------------------------

GraphSaveDialog::GraphSaveDialog(const GraphSavePanel& panel, QWidget* parent) : QDialog(parent), panel_(panel) {
  using namespace graphRow;
  setWindowTitle(gtext(kPlotOptions));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(gtext(kFileName), this), 0, 0);
  name_ = new QLineEdit(qs(panel.fileName), this);
  layout->addWidget(name_, 0, 1);
  layout->addWidget(new QLabel(gtext(kYFactor), this), 1, 0);
  factor_ = new QLineEdit(qs(panel.yFactorText), this);
  layout->addWidget(factor_, 1, 1);
  mirror_ = new QCheckBox(gtext(kMirror), this);
  mirror_->setChecked(panel.mirror);
  mirror_->setEnabled(panel.mirrorEnabled);
  layout->addWidget(mirror_, 2, 0, 1, 2);
  zone_ = new QCheckBox(gtext(kShowZoneTime), this);
  zone_->setChecked(panel.zoneTime);
  layout->addWidget(zone_, 3, 0, 1, 2);
  layout->addWidget(new QLabel(gtext(kShowZoneTimeNote), this), 4, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(gtext(kOk), this);
  auto* cancel = new QPushButton(qs(tableText(TextTable::Texts, 457)), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &GraphSaveDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &GraphSaveDialog::reject);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 5, 0, 1, 2);
}

void GraphSaveDialog::accept() {
  if (!checkGraphYFactor(factor_->text().toStdString())) {
    factor_->setFocus();
    factor_->selectAll();
    return;
  }
  panel_.fileName = name_->text().toStdString();
  panel_.yFactorText = factor_->text().toStdString();
  panel_.mirror = mirror_->isChecked();
  panel_.zoneTime = zone_->isChecked();
  QDialog::accept();
}

}  // namespace tavrel
