#include "ui/drawing_preview.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

#include "core/design_state.h"
#include "drawing/drawing_controller.h"
#include "plot/svg_canvas.h"

namespace tavrel {

DrawingPreview::DrawingPreview(TForm1* main) : ChildForm(main, ShellWindow::Drawing) {
  auto* layout = new QVBoxLayout(body());
  layout->setContentsMargins(0, 0, 0, 0);
  picture_ = new QLabel(body());
  picture_->setMinimumSize(400, 280);
  picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture_->setCursor(Qt::CrossCursor);
  picture_->installEventFilter(this);
  layout->addWidget(picture_);
  resizeTimer_ = new QTimer(this);
  resizeTimer_->setSingleShot(true);
  resizeTimer_->setInterval(120);
  connect(resizeTimer_, &QTimer::timeout, this, &DrawingPreview::render);
  bindText([this] { render(); });
}

QSize DrawingPreview::sizeHint() const {
  if (const QWidget* area = parentWidget())
    return QSize(area->width() * 9 / 10, area->height() * 9 / 10).expandedTo(QSize(480, 360));
  return {1000, 700};
}

void DrawingPreview::render() {
  const int w = std::max(50, picture_->width());
  const int h = std::max(50, picture_->height());
  SvgCanvas svg(w, h, w / (design().paperA4 ? 280.0 : 420.0), true);
  DrawingController controller(svg);
  controller.applyActivationDefaults(w, h);
  DrawingWindowState& state = controller.state();
  if (footFixed_) {
    state.footX = foot_.x();
    state.footY = foot_.y();
    state.gnomonFootFixed = true;
  }
  controller.construct();
  if (!state.gnomonFootFixed) controller.writeFixGnomonMessage();
  setWindowTitle(qs(state.caption));

  QSvgRenderer renderer(QByteArray::fromStdString(svg.document()));
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, w, h));
  painter.end();
  picture_->setPixmap(pixmap);
}

void DrawingPreview::fixFoot(const QPointF& at) {
  foot_ = at;
  footFixed_ = true;
  render();
}

bool DrawingPreview::eventFilter(QObject* watched, QEvent* e) {
  if (watched == picture_) {
    if (e->type() == QEvent::Resize) resizeTimer_->start();
    if (e->type() == QEvent::MouseButtonPress) {
      auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() == Qt::LeftButton) {
        fixFoot(m->position());
        return true;
      }
    }
  }
  return ChildForm::eventFilter(watched, e);
}

}  // namespace tavrel
