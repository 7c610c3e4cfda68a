// The drawing of the current dial inside the main window until the full
// drawing window arrives: the construction the drawing controller runs,
// drawn through the SVG canvas; a click fixes the gnomon foot.
#pragma once

#include <QPointF>

#include "ui/child_form.h"

class QLabel;
class QTimer;

namespace tavrel {

class DrawingPreview : public ChildForm {
  Q_OBJECT
 public:
  explicit DrawingPreview(TForm1* main);
  // Runs the construction for the picture's size.
  void render();
  // The gnomon foot at a point of the picture (a left click).
  void fixFoot(const QPointF& at);
  QLabel* picture() const { return picture_; }
  // Most of the working area.
  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QLabel* picture_;
  QTimer* resizeTimer_;
  bool footFixed_ = false;
  QPointF foot_;
};

}  // namespace tavrel
