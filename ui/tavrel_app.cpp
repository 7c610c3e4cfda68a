#include "ui/tavrel_app.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>

#include "ui/qt_platform.h"
#include "ui/tav1main.h"

namespace tavrel {

namespace {
// Tells once when the main window paints for the first time.
class FirstPaint : public QObject {
 public:
  FirstPaint(TForm1* w, std::function<void(TForm1&)> f) : QObject(w), w_(w), f_(std::move(f)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && f_) {
      auto f = std::move(f_);
      f_ = nullptr;
      w_->removeEventFilter(this);
      f(*w_);
    }
    return false;
  }

 private:
  TForm1* w_;
  std::function<void(TForm1&)> f_;
};
}  // namespace

int runTavrel(int& argc, char** argv, const StartOptions& options) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/1105.jpg")));
  QtPlatform qtPlatform;
  setPlatform(options.platform ? options.platform : &qtPlatform);
  int code = 0;
  {
    TForm1 window;
    qtPlatform.setParentWidget(&window);
    if (options.whenShown) window.installEventFilter(new FirstPaint(&window, options.whenShown));
    window.show();
    code = app.exec();
  }
  setPlatform(nullptr);
  return code;
}

}  // namespace tavrel
