#include "ui/help_viewer.h"

#include <QFile>
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
  resize(640, 560);
}

void HelpViewer::showTopic(int topic) {
  topic_ = topic > 0 ? topic : kHelpContents;
  const QString path = helpPagePath(topic_, design().language);
  browser_->setSearchPaths({path.section(QChar('/'), 0, -2)});
  browser_->setSource(QUrl(QStringLiteral("qrc") + path));
  setWindowTitle(uiq(2070));
  show();
  raise();
  activateWindow();
}

}  // namespace tavrel
