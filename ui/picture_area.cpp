#include "ui/picture_area.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/design_state.h"
#include "core/main_window_rules.h"
#include "base/number_text.h"
#include "ui/main_window.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {
constexpr int kStripWidth = 740;
constexpr int kStripHeight = 120;
constexpr int kSlideSize = 600;
}  // namespace

QPixmap builtInPicture(int number) {
  if (!isBuiltInPicture(number)) return {};
  return QPixmap(QStringLiteral(":/pictures/%1.jpg").arg(number));
}

PictureArea::PictureArea(QWidget* area) : QObject(area), area_(area) {
  start_ = new QLabel(area_);
  start_->setAlignment(Qt::AlignCenter);
  start_->setCursor(Qt::PointingHandCursor);
  start_->installEventFilter(this);

  strip_ = new QWidget(area_);
  strip_->setFixedSize(kStripWidth, kStripHeight);
  auto* stripLayout = new QVBoxLayout(strip_);
  stripLayout->setContentsMargins(0, 0, 0, 0);
  stripLayout->setSpacing(2);
  stripLabel_ = new QLabel(strip_);
  stripLabel_->setAlignment(Qt::AlignCenter);
  stripLayout->addWidget(stripLabel_);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  const auto& cycles = pictureStripCycles();
  for (std::size_t f = 0; f < cycles.size(); ++f) {
    auto* b = new QToolButton(strip_);
    b->setIconSize(QSize(82, 82));
    b->setFixedSize(88, 92);
    b->setAutoRaise(true);
    stripButtons_.push_back(b);
    stripNumbers_.push_back(cycles[f].front());
    buttons->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, f] { stripClicked(static_cast<int>(f)); });
  }
  stripLayout->addLayout(buttons);

  panel_ = new QFrame(area_);
  panel_->setFrameShape(QFrame::Panel);
  panel_->setFrameShadow(QFrame::Raised);
  panel_->setAutoFillBackground(true);
  auto* panelLayout = new QVBoxLayout(panel_);
  auto* top = new QHBoxLayout;
  top->addStretch();
  panelClose_ = new QPushButton(QStringLiteral("X"), panel_);
  panelClose_->setFixedSize(22, 20);
  top->addWidget(panelClose_);
  panelLayout->addLayout(top);
  panelImage_ = new QLabel(panel_);
  panelImage_->setAlignment(Qt::AlignCenter);
  panelLayout->addWidget(panelImage_, 1);
  panelCaption_ = new QLabel(panel_);
  panelCaption_->setAlignment(Qt::AlignCenter);
  panelLayout->addWidget(panelCaption_);
  panel_->hide();
  connect(panelClose_, &QPushButton::clicked, this, [this] {
    if (slideShowRunning()) toggleSlideShow();
    hidePanel();
    panel_->move(120, 60);
  });

  slideButton_ = new QPushButton(area_);
  connect(slideButton_, &QPushButton::clicked, this, &PictureArea::toggleSlideShow);

  slideControls_ = new QWidget(area_);
  slideControls_->setAutoFillBackground(true);
  auto* controls = new QHBoxLayout(slideControls_);
  slider_ = new QSlider(Qt::Horizontal, slideControls_);
  slider_->setRange(5, 100);
  slider_->setValue(30);
  slider_->setFixedWidth(160);
  slideLabel_ = new QLabel(slideControls_);
  slideStop_ = new QPushButton(slideControls_);
  controls->addWidget(slider_);
  controls->addWidget(slideLabel_);
  controls->addWidget(slideStop_);
  slideControls_->hide();
  connect(slideStop_, &QPushButton::clicked, this, &PictureArea::toggleSlideShow);
  connect(slider_, &QSlider::valueChanged, this, [this] {
    updateSlideLabel();
    timer_->setInterval(slideIntervalMs());
  });

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PictureArea::slideTick);

  for (std::size_t f = 0; f < stripButtons_.size(); ++f) updateStripButton(static_cast<int>(f));
  updateSlideLabel();
  applyLanguage();
}

void PictureArea::loadStartPicture(int randomDigit) {
  const QPixmap own(QDir::current().filePath(QStringLiteral("tavrel.jpg")));
  if (!own.isNull()) {
    startPixmap_ = own;
    startNumber_ = 0;
  } else {
    startNumber_ = randomDigit <= 5 ? 106 : 105;
    startPixmap_ = builtInPicture(startNumber_);
  }
  layout();
}

void PictureArea::startPictureClicked() {
  startNumber_ = startNumber_ == 105 ? 106 : 105;
  startPixmap_ = builtInPicture(startNumber_);
  layout();
}

bool PictureArea::eventFilter(QObject* watched, QEvent* e) {
  if (watched == start_ && e->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
    startPictureClicked();
    return true;
  }
  return QObject::eventFilter(watched, e);
}

void PictureArea::setStartVisible(bool visible) {
  startShown_ = visible;
  start_->setVisible(visible);
  strip_->setVisible(visible);
  setSlideButtonVisible(visible && !slideShowRunning());
  if (visible) layout();
}

bool PictureArea::startVisible() const { return startShown_; }

void PictureArea::setSlideButtonVisible(bool visible) {
  slideButton_->setVisible(visible);
  if (visible) slideButton_->raise();
}

void PictureArea::layout() {
  const int w = area_->width();
  const int h = area_->height();
  if (!startPixmap_.isNull()) {
    const int maxW = static_cast<int>(w * 0.9);
    const int maxH = std::min(static_cast<int>(h * 0.9), h - kStripHeight - 15);
    const QPixmap scaled =
        startPixmap_.scaled(std::max(1, maxW), std::max(1, maxH), Qt::KeepAspectRatio,
                            Qt::SmoothTransformation);
    start_->setPixmap(scaled);
    start_->resize(scaled.size());
    // One third of the height left free by the picture and the strip.
    const int free = h - scaled.height() - kStripHeight - 5;
    const int top = design().largeScreen ? free / 3 : 0;
    start_->move((w - scaled.width()) / 2, std::max(0, top));
  }
  const int stripTop = std::min(start_->y() + start_->height() + 5, h - kStripHeight);
  strip_->move((w - kStripWidth) / 2, std::max(0, stripTop));
  slideButton_->adjustSize();
  slideButton_->move(w - slideButton_->width() - 18, h - slideButton_->height() - 10);
  slideControls_->adjustSize();
  slideControls_->move(w - slideControls_->width() - 18, h - slideControls_->height() - 10);
  if (slideShowRunning())
    panel_->move((w - kSlideSize) / 2,
                 std::max(0, slideControls_->y() - kSlideSize - 10));
}

bool PictureArea::showPicture(int number) {
  const QPixmap pix = builtInPicture(number);
  if (pix.isNull()) return false;
  panelNumber_ = number;
  panelCaption_->setText(MainWindow::pictureCaption(number) + QStringLiteral(" "));
  if (slideShowRunning()) {
    panelImage_->setPixmap(pix.scaled(kSlideSize - 52, kSlideSize - 63, Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation));
    panel_->resize(kSlideSize, kSlideSize);
    layout();
  } else {
    panelImage_->setPixmap(pix);
    panel_->resize(pix.width() + 52, pix.height() + 63);
    panel_->move(30, 20);
  }
  panel_->show();
  panel_->raise();
  return true;
}

void PictureArea::hidePanel() { panel_->hide(); }

bool PictureArea::panelVisible() const { return panel_->isVisible(); }

QString PictureArea::panelCaption() const { return panelCaption_->text(); }

void PictureArea::stripClicked(int family) {
  stripNumbers_[family] = nextStripPicture(stripNumbers_[family]);
  updateStripButton(family);
  showPicture(stripNumbers_[family]);
}

void PictureArea::updateStripButton(int family) {
  QToolButton* b = stripButtons_[family];
  const int number = stripNumbers_[family];
  b->setIcon(QIcon(builtInPicture(number)));
  b->setToolTip(MainWindow::pictureCaption(number));
  b->setStatusTip(MainWindow::pictureCaption(number));
}

bool PictureArea::slideShowRunning() const { return timer_->isActive(); }

int PictureArea::slideIntervalMs() const { return slider_->value() * 100; }

void PictureArea::updateSlideLabel() {
  slideLabel_->setText(qs(fixedText(slider_->value() / 10.0, 3, 1)) + QStringLiteral(" s"));
}

void PictureArea::toggleSlideShow() {
  if (slideShowRunning()) {
    timer_->stop();
    slideControls_->hide();
    hidePanel();
    strip_->setVisible(startShown_);
    start_->setVisible(startShown_);
    setSlideButtonVisible(startShown_);
    return;
  }
  slideButton_->hide();
  strip_->hide();
  slideControls_->show();
  slideControls_->raise();
  timer_->start(slideIntervalMs());
  showPicture(slideShowOrder().front());
}

void PictureArea::slideTick() {
  hidePanel();
  showPicture(nextSlide(panelNumber_));
}

void PictureArea::applyLanguage() {
  stripLabel_->setText(uiq(2033));
  slideButton_->setText(uiq(2030));
  slideStop_->setText(uiq(2031));
  for (std::size_t f = 0; f < stripButtons_.size(); ++f) updateStripButton(static_cast<int>(f));
  if (panel_->isVisible())
    panelCaption_->setText(MainWindow::pictureCaption(panelNumber_) + QStringLiteral(" "));
  layout();
}

}  // namespace tavrel
