#include "ui/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>

#include "core/design_state.h"
#include "core/language.h"
#include "plot/symbol_font.h"
#include "ui/qt_canvas.h"
#include "ui/ui_texts.h"

namespace tavrel {

namespace {

bool german() { return design().language != 2; }

QColor toQColor(std::int32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::int32_t fromQColor(const QColor& c) {
  return c.red() | (c.green() << 8) | (c.blue() << 16);
}

}  // namespace

QString boxText(const std::string& text) {
  QString t = qs(text);
  t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

QString qtFileFilter(const std::string& filter) {
  const QStringList parts = qs(filter).split(QChar('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(QChar(';'), QChar(' '));
    // "Start Configuration (*.ini,*.tav)": Qt reads the patterns from the
    // last brackets, so they hold the patterns in Qt's form.
    const int open = description.lastIndexOf(QChar('('));
    if (description.endsWith(QChar(')')) && open >= 0) description.truncate(open);
    out << description.trimmed() + QStringLiteral(" (") + patterns + QChar(')');
  }
  return out.join(QStringLiteral(";;"));
}

MsgAnswer QtPlatform::messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                                 const std::string& text) {
  return captionedMessageBox(captionText(caption), icon, buttons, text);
}

MsgAnswer QtPlatform::captionedMessageBox(const std::string& caption, MsgIcon icon,
                                          MsgButtons buttons, const std::string& text) {
  QMessageBox box(parent_);
  box.setWindowTitle(qs(caption));
  box.setText(boxText(text));
  switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  const bool de = german();
  auto add = [&](QMessageBox::StandardButton b, const char* deText) {
    QPushButton* button = box.addButton(b);
    if (de) button->setText(QString::fromUtf8(deText));
  };
  switch (buttons) {
    case MsgButtons::Ok: add(QMessageBox::Ok, "OK"); break;
    case MsgButtons::OkCancel:
      add(QMessageBox::Ok, "OK");
      add(QMessageBox::Cancel, "Abbrechen");
      break;
    case MsgButtons::YesNo:
      add(QMessageBox::Yes, "&Ja");
      add(QMessageBox::No, "&Nein");
      break;
    case MsgButtons::YesNoCancel:
      add(QMessageBox::Yes, "&Ja");
      add(QMessageBox::No, "&Nein");
      add(QMessageBox::Cancel, "Abbrechen");
      break;
  }
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default:
      // Escape or the window's close button: the safe answer of the set.
      return buttons == MsgButtons::Ok ? MsgAnswer::Ok
             : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                            : MsgAnswer::Cancel;
  }
}

std::optional<std::string> QtPlatform::inputBox(const std::string& title,
                                                const std::string& prompt,
                                                const std::string& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, qs(title), boxText(prompt),
                                             QLineEdit::Normal, qs(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& r, bool save) {
  dialog.setWindowTitle(qs(r.title));
  dialog.setNameFilters(qtFileFilter(r.filter).split(QStringLiteral(";;")));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!r.defaultExtension.empty()) dialog.setDefaultSuffix(qs(r.defaultExtension));
  if (save && !r.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!r.initialName.empty()) {
    const QFileInfo info(qs(r.initialName));
    if (info.isAbsolute()) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  // The labels in the program's language, whether or not Qt's own
  // translation is installed.
  dialog.setLabelText(QFileDialog::LookIn, uiq(2061));
  dialog.setLabelText(QFileDialog::FileName, uiq(2062));
  dialog.setLabelText(QFileDialog::FileType, uiq(2063));
  dialog.setLabelText(QFileDialog::Accept, uiq(save ? 2065 : 2064));
  dialog.setLabelText(QFileDialog::Reject, uiq(2066));
}

void applyQtLanguage(int language) {
  static QTranslator* german = nullptr;
  if (german) {
    QCoreApplication::removeTranslator(german);
    delete german;
    german = nullptr;
  }
  if (language != 1) return;
  auto* t = new QTranslator;
  if (t->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(t)) {
    german = t;
  } else {
    delete t;
  }
}

std::optional<FileChoice> QtPlatform::fileDialog(const FileDialogRequest& r, bool save) {
  QFileDialog dialog(parent_);
  prepareFileDialog(dialog, r, save);
  const QStringList filters = dialog.nameFilters();
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileChoice{QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString(),
                    std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& r) {
  const std::optional<FileChoice> choice = fileDialog(r, false);
  if (!choice) return std::nullopt;
  return choice->path;
}

std::optional<FileChoice> QtPlatform::saveFileChoice(const FileDialogRequest& r) {
  return fileDialog(r, true);
}

std::optional<std::int32_t> QtPlatform::chooseColor(std::int32_t initial) {
  const QColor c = QColorDialog::getColor(toQColor(initial), parent_);
  if (!c.isValid()) return std::nullopt;
  return fromQColor(c);
}

LocalDateTime QtPlatform::now() {
  const QDateTime t = QDateTime::currentDateTime();
  LocalDateTime out;
  out.year = t.date().year();
  out.month = t.date().month();
  out.day = t.date().day();
  out.hour = t.time().hour();
  out.minute = t.time().minute();
  out.second = t.time().second();
  return out;
}

std::vector<std::string> QtPlatform::installedFonts() {
  std::vector<std::string> out;
  for (const QString& family : QFontDatabase::families()) out.push_back(family.toStdString());
  // The signs that the constructions write in "Wingdings" are drawn with
  // their Unicode characters when that font is missing; when an installed
  // font has them all (DejaVu Sans does), the symbols show correctly.
  if (!symbolFaceInstalled() && !unicodeSymbolFamily().isEmpty()) out.push_back(kSymbolFace);
  return out;
}

ScreenInfo QtPlatform::screen() {
  ScreenInfo info;
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    info.width = s->size().width();
    info.height = s->size().height();
    info.pixelsPerInch = static_cast<int>(s->logicalDotsPerInch() + 0.5);
  }
  return info;
}

std::string QtPlatform::executableDirectory() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString() + "/";
}

std::string QtPlatform::currentDirectory() {
  return QDir::toNativeSeparators(QDir::currentPath()).toStdString();
}

std::string QtPlatform::configurationDirectory() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) return {};
  return QDir(base).filePath(QStringLiteral("tavrel")).toStdString();
}

}  // namespace tavrel
