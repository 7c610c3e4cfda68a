#include "ui/wall_declination_window.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "core/design_state.h"
#include "core/platform.h"
#include "plot/svg_canvas.h"
#include "tables/sun_calculator.h"
#include "tables/table_texts.h"
#include "tables/wall_board_template.h"
#include "ui/drawing_window.h"
#include "ui/help_topics.h"
#include "ui/main_window.h"
#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#include "ui/work_window_texts.h"

namespace tavrel {

namespace {

QString wq(int row) { return qs(wallTextOf(row, design().language)); }

QString degreesText(double x) { return qs(fixedText(x, 2, 2)) + QChar(0x00B0); }

// A decimal number with "." or ",", nothing around it.
std::optional<double> parseDecimal(QString text) {
  const std::string s = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// "YYYY-MM-DD" into year, month, day; whether the day exists is the
// computation's question.
bool parseDate(const QString& text, WallMeasurement& m) {
  const QStringList parts = text.trimmed().split(QLatin1Char('-'));
  if (parts.size() != 3 || parts[0].size() != 4) return false;
  bool ok[3];
  m.year = parts[0].toInt(&ok[0]);
  m.month = parts[1].toInt(&ok[1]);
  m.day = parts[2].toInt(&ok[2]);
  return ok[0] && ok[1] && ok[2];
}

QTableWidgetItem* resultItem() {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

TextSource wallDeclinationToolText() {
  return [] { return wq(wallText::kOpenTool); };
}

WallDeclinationWindow::WallDeclinationWindow(MainWindow* main, QWidget* parent, std::function<void()> applied)
    : QDialog(parent), main_(main), applied_(std::move(applied)) {
  // Modal from its first showing to its closing, as the horizon panel.
  setWindowModality(Qt::ApplicationModal);
  const DesignState& d = design();
  place_ = {d.latitude, d.longitude, d.zoneMeridian};

  auto* outer = new QVBoxLayout(this);
  placeLabel_ = new QLabel(this);
  outer->addWidget(placeLabel_);

  auto* clockRow = new QHBoxLayout;
  clocks_ = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    auto* r = new QRadioButton(this);
    clocks_->addButton(r, i);
    clockRow->addWidget(r);
    texts_.push_back([r, i] { r->setText(wq(i == 0 ? wallText::kZoneTime : wallText::kLocalMeanTime)); });
  }
  clockRow->addStretch(1);
  clocks_->button(0)->setChecked(true);
  connect(clocks_, &QButtonGroup::idClicked, this,
          [this](int id) { setClock(id == 0 ? WallClock::Zone : WallClock::LocalMean); });
  outer->addLayout(clockRow);

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  outer->addWidget(note_);

  table_ = new QTableWidget(0, kColumnCount, this);
  table_->verticalHeader()->setVisible(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setMinimumSize(900, 260);
  connect(table_, &QTableWidget::itemChanged, this, [this] {
    if (!updating_) recompute();
  });
  outer->addWidget(table_, 1);

  summary_ = new QLabel(this);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  outer->addWidget(summary_);

  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(this);
  remove_ = new QPushButton(this);
  save_ = new QPushButton(this);
  use_ = new QPushButton(this);
  close_ = new QPushButton(this);
  connect(add_, &QPushButton::clicked, this, [this] {
    const LocalDateTime now = platform().now();
    addRow(QString::asprintf("%04d-%02d-%02d", now.year, now.month, now.day), QStringLiteral("12:00"),
           QStringLiteral("0"));
  });
  connect(remove_, &QPushButton::clicked, this, [this] { removeLastRow(); });
  connect(save_, &QPushButton::clicked, this, [this] { saveTemplate(); });
  connect(use_, &QPushButton::clicked, this, [this] { useDeclination(); });
  connect(close_, &QPushButton::clicked, this, [this] { close(); });
  for (QPushButton* b : {add_, remove_, save_}) buttons->addWidget(b);
  buttons->addStretch(1);
  for (QPushButton* b : {use_, close_}) buttons->addWidget(b);
  outer->addLayout(buttons);

  texts_.push_back([this] {
    setWindowTitle(wq(wallText::kWindowTitle));
    placeLabel_->setText(wq(wallText::kPlace) + QStringLiteral(":  ") + wq(wallText::kLatitude) + QLatin1Char(' ') +
                         degreesText(place_.latitude) + QStringLiteral(",  ") + wq(wallText::kLongitude) +
                         QLatin1Char(' ') + degreesText(place_.longitude) + QStringLiteral(",  ") +
                         wq(wallText::kZoneMeridian) + QLatin1Char(' ') + degreesText(place_.zoneMeridian));
    note_->setText(wq(wallText::kAngleNote));
    table_->setHorizontalHeaderLabels({wq(wallText::kDate), wq(wallText::kClockTime), wq(wallText::kBoardAngle),
                                       wq(wallText::kSunAzimuth), wq(wallText::kSunAltitude),
                                       wq(wallText::kDeclination), QString()});
    add_->setText(wq(wallText::kAddRow));
    remove_->setText(wq(wallText::kRemoveRow));
    save_->setText(wq(wallText::kSaveTemplate));
    use_->setText(wq(wallText::kUseDeclination));
    close_->setText(wtext(WorkText::Close).trimmed());
  });
  applyLanguage();
  if (main_) help::installHelpKey(this, help::kWallDeclination, [main = main_](int topic) { main->openHelp(topic); });
}

void WallDeclinationWindow::applyLanguage() {
  for (const auto& apply : texts_) apply();
  recompute();
}

void WallDeclinationWindow::setClock(WallClock clock) {
  clock_ = clock;
  if (QAbstractButton* b = clocks_->button(clock == WallClock::Zone ? 0 : 1)) b->setChecked(true);
  recompute();
}

void WallDeclinationWindow::addRow(const QString& date, const QString& time, const QString& angle) {
  updating_ = true;
  const int row = table_->rowCount();
  table_->insertRow(row);
  table_->setItem(row, kDateColumn, new QTableWidgetItem(date));
  table_->setItem(row, kTimeColumn, new QTableWidgetItem(time));
  auto* a = new QTableWidgetItem(angle);
  a->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  table_->setItem(row, kAngleColumn, a);
  for (int c = kAzimuthColumn; c < kColumnCount; ++c) table_->setItem(row, c, resultItem());
  table_->item(row, kNoteColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  updating_ = false;
  recompute();
}

void WallDeclinationWindow::removeLastRow() {
  if (table_->rowCount() == 0) return;
  table_->removeRow(table_->currentRow() >= 0 ? table_->currentRow() : table_->rowCount() - 1);
  recompute();
}

WallMeasurement WallDeclinationWindow::measurementOf(int row, bool& angleReadable) const {
  WallMeasurement m;
  m.clock = clock_;
  const bool dateRead = parseDate(table_->item(row, kDateColumn)->text(), m);
  const std::optional<double> hours = parseClockTime(table_->item(row, kTimeColumn)->text().trimmed().toStdString());
  // An unreadable date or time is a time that does not exist.
  m.clockHours = dateRead && hours ? *hours : -1;
  const std::optional<double> angle = parseDecimal(table_->item(row, kAngleColumn)->text());
  angleReadable = angle.has_value();
  m.boardAngle = angle.value_or(0);
  return m;
}

void WallDeclinationWindow::recompute() {
  updating_ = true;
  readings_.clear();
  const int language = design().language;
  std::vector<QString> notes;
  for (int row = 0; row < table_->rowCount(); ++row) {
    bool angleReadable = true;
    WallReading r = wallReading(place_, measurementOf(row, angleReadable));
    QString note = qs(wallRefusalText(r.refusal, language));
    if (!angleReadable && r.refusal == WallRefusal::None) {
      r.refusal = WallRefusal::SunBehindWall;  // left out of the mean like any refusal
      note = qs(tablesText(TablesText::kInputMissing, language));
    }
    readings_.push_back(r);
    notes.push_back(note);
  }
  summaryValues_ = summariseWallReadings(readings_);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const WallReading& r = readings_[static_cast<std::size_t>(row)];
    const bool known = r.refusal != WallRefusal::ImpossibleTime;
    const bool valid = r.refusal == WallRefusal::None;
    table_->item(row, kAzimuthColumn)->setText(known ? degreesText(r.sunAzimuth) : QString());
    table_->item(row, kAltitudeColumn)->setText(known ? degreesText(r.sunAltitude) : QString());
    table_->item(row, kDeclinationColumn)->setText(valid ? degreesText(r.declination) : QString());
    const bool outlier = summaryValues_.outlier[static_cast<std::size_t>(row)];
    QTableWidgetItem* note = table_->item(row, kNoteColumn);
    note->setText(outlier ? wq(wallText::kOutlier) : notes[static_cast<std::size_t>(row)]);
    note->setForeground(valid && !outlier ? palette().text() : QBrush(Qt::darkRed));
    note->setToolTip(note->text());
  }
  if (summaryValues_.used == 0) {
    summary_->setText(wq(wallText::kNoValidReading));
  } else {
    QString text = wq(wallText::kMean) + degreesText(summaryValues_.mean) + QStringLiteral("     ") +
                   wq(wallText::kSpread) + degreesText(summaryValues_.spread);
    if (std::count(summaryValues_.outlier.begin(), summaryValues_.outlier.end(), true) > 0)
      text += QStringLiteral("     ") + wq(wallText::kOutliersLeftOut);
    summary_->setText(text);
  }
  use_->setEnabled(summaryValues_.used > 0);
  updating_ = false;
}

bool WallDeclinationWindow::useDeclination() {
  if (summaryValues_.used == 0) {
    showMessage(MsgCaption::Information, MsgIcon::Information, wallTextOf(wallText::kNoValidReading, design().language),
                MsgButtons::Ok);
    return false;
  }
  // To a hundredth of a degree: no board is read finer.
  design().wallDeclination = std::round(summaryValues_.mean * 100) / 100;
  summary_->setText(summary_->text() + QStringLiteral("     ") + wq(wallText::kDeclinationSet) +
                    degreesText(design().wallDeclination));
  if (applied_) applied_();
  if (main_)
    if (auto* drawing = main_->form<DrawingWindow>(ShellWindow::Drawing)) drawing->display();
  return true;
}

bool WallDeclinationWindow::saveTemplate() {
  const int language = design().language;
  FileDialogRequest request;
  request.title = wallTextOf(wallText::kSaveTemplate, language);
  request.filter = wallTextOf(wallText::kTemplateFilter, language);
  request.defaultExtension = "pdf";
  request.initialName = language == 1 ? "wandbrett.pdf" : "wall_board.pdf";
  const std::optional<FileChoice> choice = platform().saveFileChoice(request);
  if (!choice) return false;
  const QString path = qs(choice->path);
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
      (choice->filterIndex == 1 && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))) {
    SvgCanvas svg(kBoardSheetWidth, kBoardSheetHeight, 10, true);
    drawWallBoardTemplate(svg, language);
    return svg.save(choice->path);
  }
  return writePdfPage([language](QtCanvas& canvas, const PrinterDevice&) { drawWallBoardTemplate(canvas, language); },
                      choice->path);
}

WallDeclinationWindow* openWallDeclinationWindow(MainWindow* main, QWidget* parent, std::function<void()> applied) {
  auto* w = new WallDeclinationWindow(main, parent, std::move(applied));
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->addRow(QString::asprintf("%04d-%02d-%02d", platform().now().year, platform().now().month, platform().now().day),
            QStringLiteral("12:00"), QStringLiteral("0"));
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

}  // namespace tavrel
