#include "ui/about_panel.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {
const QString kWebLink = QStringLiteral("https://tavrel.invalid/");
const QString kMailLink = QStringLiteral("info@tavrel.invalid");
}  // namespace

AboutPanel::AboutPanel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  title_ = new QLabel(this);
  QFont big = title_->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  title_->setFont(big);
  title_->setAlignment(Qt::AlignCenter);
  version_ = new QLabel(this);
  version_->setAlignment(Qt::AlignCenter);
  web_ = new QLabel(this);
  web_->setAlignment(Qt::AlignCenter);
  mail_ = new QLabel(this);
  mail_->setAlignment(Qt::AlignCenter);
  ok_ = new QPushButton(this);
  for (QWidget* w : std::initializer_list<QWidget*>{title_, version_, web_, mail_})
    layout->addWidget(w);
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
  connect(web_, &QLabel::linkActivated, this, [](const QString& link) { openLink(link); });
  connect(mail_, &QLabel::linkActivated, this,
          [](const QString& link) { openLink(QStringLiteral("MAILTO: ") + link); });
  connect(ok_, &QPushButton::clicked, this, &QWidget::hide);
  applyLanguage();
  hide();
}

void AboutPanel::applyLanguage() {
  title_->setText(QStringLiteral("Tavrel"));
  version_->setText(uiq(2040) + qs(design().versionText));
  web_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebLink));
  mail_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(kMailLink));
  ok_->setText(QStringLiteral("O&K"));
  adjustSize();
}

void AboutPanel::openLink(const QString& link) {
  QString target = link;
  if (target.startsWith(QStringLiteral("MAILTO: ")))
    target = QStringLiteral("mailto:") + target.mid(8);
  if (!QDesktopServices::openUrl(QUrl(target)))
    showMessage(MsgCaption::Error, messageText(48));
}

}  // namespace tavrel
