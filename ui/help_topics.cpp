#include "ui/help_topics.h"

#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace tavrel::help {

namespace {

constexpr char kProperty[] = "tavrelHelpTopic";

// F1 in a window of its own; the filter lives as long as the window.
class HelpKey : public QObject {
 public:
  HelpKey(QWidget* window, std::function<void(int)> open) : QObject(window), window_(window), open_(std::move(open)) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_F1 || k->modifiers() != Qt::NoModifier) return false;
    e->accept();
    if (e->type() == QEvent::KeyPress) {
      const QWidget* focus = window_->focusWidget();
      open_(topicAt(focus ? focus : window_, nullptr));
    }
    return true;
  }

 private:
  QWidget* window_;
  std::function<void(int)> open_;
};

}  // namespace

void setTopic(QWidget* w, int topic) { w->setProperty(kProperty, topic); }

int topicAt(const QWidget* w, const QWidget* stop) {
  for (; w && w != stop; w = w->parentWidget()) {
    const int topic = w->property(kProperty).toInt();
    if (topic > 0) return topic;
  }
  return 0;
}

void installHelpKey(QWidget* window, int topic, std::function<void(int)> open) {
  setTopic(window, topic);
  window->installEventFilter(new HelpKey(window, std::move(open)));
}

}  // namespace tavrel::help
