// The about panel: the version, a web-page link and an e-mail link.
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace tavrel {

class AboutPanel : public QFrame {
  Q_OBJECT
 public:
  explicit AboutPanel(QWidget* parent = nullptr);
  void applyLanguage();
  // Asks the desktop to open a link; message 48 when that fails.
  static void openLink(const QString& link);

 private:
  QLabel* title_;
  QLabel* version_;
  QLabel* web_;
  QLabel* mail_;
  QPushButton* ok_;
};

}  // namespace tavrel
