#include "ui/tavrel_app.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>

#include "ui/qt_platform.h"
#include "ui/main_window.h"

namespace tavrel {

namespace {
// Tells once when the main window paints for the first time.
class FirstPaint : public QObject {
 public:
  FirstPaint(MainWindow* w, std::function<void(MainWindow&)> f) : QObject(w), w_(w), f_(std::move(f)) {}
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
  MainWindow* w_;
  std::function<void(MainWindow&)> f_;
};
}  // namespace

std::optional<std::string> startFileArgument(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2 || arguments[1].empty() || arguments[1].front() == '-')
    return std::nullopt;
  return arguments[1];
}

int runTavrel(int& argc, char** argv, const StartOptions& options) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QGuiApplication::setDesktopFileName(QStringLiteral("tavrel"));
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("tavrel"), QIcon(QStringLiteral(":/pictures/1105.jpg"))));
  std::vector<std::string> arguments;
  for (const QString& a : QCoreApplication::arguments()) arguments.push_back(a.toStdString());
  const std::optional<std::string> startFile = startFileArgument(arguments);
  QtPlatform qtPlatform;
  setPlatform(options.platform ? options.platform : &qtPlatform);
  int code = 0;
  {
    MainWindow window;
    qtPlatform.setParentWidget(&window);
    if (startFile) window.openAtStart(QFileInfo(QString::fromStdString(*startFile)).absoluteFilePath().toStdString());
    if (options.whenShown) window.installEventFilter(new FirstPaint(&window, options.whenShown));
    window.show();
    code = app.exec();
  }
  setPlatform(nullptr);
  return code;
}

}  // namespace tavrel
