#include "ui/help_viewer.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/design_state.h"
#include "ui/ui_texts.h"

namespace tavrel {

QString helpPagePath(int topic, int language) {
  const QString dir = language == 2 ? QStringLiteral(":/help/en/") : QStringLiteral(":/help/de/");
  const QString page = dir + QStringLiteral("topic_%1.html").arg(topic);
  if (QFile::exists(page)) return page;
  return dir + QStringLiteral("topic_%1.html").arg(kHelpContents);
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(false);
  browser_->setOpenLinks(true);
  layout->addWidget(browser_);
  browser_->installEventFilter(this);
  resize(640, 560);
}

void HelpViewer::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* e) {
  if (watched == browser_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier) {
      close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void HelpViewer::showTopic(int topic) {
  topic_ = topic > 0 ? topic : kHelpContents;
  const QString path = helpPagePath(topic_, design().language);
  browser_->setSearchPaths({path.section(QChar('/'), 0, -2)});
  browser_->setSource(QUrl(QStringLiteral("qrc") + path));
  setWindowTitle(uiq(2070));
  // Asked from a dialog that waits (a modal panel or box), the help must
  // take input above it: it is then modal itself.
  const QWidget* modal = QApplication::activeModalWidget();
  const Qt::WindowModality modality = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
  if (modality != windowModality()) {
    hide();
    setWindowModality(modality);
  }
  show();
  raise();
  activateWindow();
}

}  // namespace tavrel
