// The help of the program: HTML pages in German and English compiled into
// the program, shown in a small window of its own at the contents page or
// at the topic number a window sets.
#pragma once

#include <QWidget>

class QKeyEvent;
class QTextBrowser;

namespace tavrel {

// The contents page is topic 100.
inline constexpr int kHelpContents = 100;

// Resource path of a topic's page in a language (1 German, 2 English);
// the contents page when the topic has no page of its own.
QString helpPagePath(int topic, int language);

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  // Shows the page of `topic` in the current language.
  void showTopic(int topic);
  int topic() const { return topic_; }
  QTextBrowser* browser() const { return browser_; }

 protected:
  // Escape closes the window, from the page as from the frame.
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QTextBrowser* browser_;
  int topic_ = kHelpContents;
};

}  // namespace tavrel
