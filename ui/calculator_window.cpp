#include "ui/calculator_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "tables/sun_calculator.h"
#include "tables/table_calendar.h"
#include "tables/table_texts.h"
#include "ui/print_jobs.h"
#include "ui/main_window.h"
#include "ui/work_windows.h"
#include "ui/help_topics.h"
#include "ui/wall_declination_window.h"

namespace tavrel {

namespace {

std::optional<double> parseAzimuth(const QString& text) {
  const std::string s = text.trimmed().toStdString();
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v) || v < -180 ||
      v > 180)
    return std::nullopt;
  return v;
}

// The field asks for its value: "Input?", selected, with the focus.
void askForInput(QLineEdit* field) {
  field->setText(QString::fromStdString(tablesText(TablesText::kInputMissing)));
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

}  // namespace

CalculatorWindow::CalculatorWindow(MainWindow* main, CalculatorPanel panel) : ChildForm(main, ShellWindow::Calculator), panel_(panel) {
  DesignState& d = design();
  setHelpTopic(help::kCalculator);
  auto* outer = new QHBoxLayout(body());
  auto* left = new QVBoxLayout;
  outer->addLayout(left);

  // Date and place.
  auto* place = new QGridLayout;
  auto spin = [&](int row, WorkText label, int min, int max, int value) {
    place->addWidget(makeLabel(wt(label), body()), row, 0);
    auto* s = new QSpinBox(body());
    s->setRange(min, max);
    s->setValue(std::clamp(value, min, max));
    place->addWidget(s, row, 1);
    return s;
  };
  year_ = spin(0, WorkText::Year, 1300, 2500, d.calcYear);
  month_ = spin(1, WorkText::Month, 1, 12, d.calcMonth);
  day_ = spin(2, WorkText::Day, 1, 31, d.calcDay);
  auto field = [&](int row, WorkText label, double* target, double limit) {
    place->addWidget(makeLabel(wt(label), body()), row, 0);
    QLineEdit* e = makeRangedField(wt(label), target, -limit, limit, body());
    place->addWidget(e, row, 1);
    return e;
  };
  longitude_ = field(3, WorkText::LongitudeField, &d.longitude, 180);
  latitude_ = field(4, WorkText::LatitudeField, &d.latitude, 90);
  zone_ = field(5, WorkText::ZoneField, &d.zoneMeridian, 180);
  for (QLineEdit* e : {longitude_, zone_})
    connect(e, &QLineEdit::textEdited, this, [this] { placeEdited_ = userEdited_ = true; });
  left->addLayout(place);

  // The panels.
  auto* panelBox = new QGroupBox(body());
  auto* panelLayout = new QVBoxLayout(panelBox);
  panels_ = new QButtonGroup(this);
  const std::pair<CalculatorPanel, WorkText> kPanels[4] = {
      {CalculatorPanel::Declination, WorkText::PanelDeclination},
      {CalculatorPanel::RiseSet, WorkText::PanelRiseSet},
      {CalculatorPanel::Azimuth, WorkText::PanelAzimuth},
      {CalculatorPanel::Position, WorkText::PanelPosition}};
  for (const auto& [id, text] : kPanels) {
    auto* r = new QRadioButton(panelBox);
    bindText([r, t = text] { r->setText(wtext(t)); });
    panels_->addButton(r, static_cast<int>(id));
    panelLayout->addWidget(r);
  }
  connect(panels_, &QButtonGroup::idClicked, this,
          [this](int id) { setPanel(static_cast<CalculatorPanel>(id)); });
  left->addWidget(panelBox);

  twilightBox_ = makeGroup(wt(WorkText::Twilight), body());
  auto* twLayout = new QHBoxLayout(twilightBox_);
  twilight_ = new QButtonGroup(this);
  const WorkText twTexts[3] = {WorkText::TwilightCivil, WorkText::TwilightNautical,
                               WorkText::TwilightAstronomical};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(twilightBox_);
    bindText([r, t = twTexts[i]] { r->setText(wtext(t)); });
    twilight_->addButton(r, i);
    twLayout->addWidget(r);
  }
  connect(twilight_, &QButtonGroup::idClicked, this,
          [](int id) { design().twilightKind = static_cast<std::uint8_t>(id); });
  left->addWidget(twilightBox_);

  azimuthBox_ = makeGroup(wt(WorkText::AzimuthField), body());
  auto* azLayout = new QVBoxLayout(azimuthBox_);
  azimuth_ = new QLineEdit(azimuthBox_);
  azLayout->addWidget(azimuth_);
  QLabel* scale = new QLabel(azimuthBox_);
  bindText([scale] { scale->setText(QString::fromStdString(tablesText(TablesText::kAzimuthScale))); });
  azLayout->addWidget(scale);
  left->addWidget(azimuthBox_);

  timeBox_ = makeGroup(wt(WorkText::ClockTimeField), body());
  auto* timeLayout = new QVBoxLayout(timeBox_);
  time_ = new QLineEdit(timeBox_);
  time_->setText(QStringLiteral("12:00:00"));
  timeLayout->addWidget(time_);
  timeSystems_ = new QButtonGroup(this);
  const WorkText systems[3] = {WorkText::TimeApparent, WorkText::TimeMean, WorkText::TimeZone};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(timeBox_);
    bindText([r, t = systems[i]] { r->setText(wtext(t)); });
    timeSystems_->addButton(r, i);
    timeLayout->addWidget(r);
  }
  connect(timeSystems_, &QButtonGroup::idClicked, this, [this](int id) { setTimeSystem(id); });
  left->addWidget(timeBox_);

  // Commands.
  QPushButton* start = makeButton(wt(WorkText::StartComputation), body());
  connect(start, &QPushButton::clicked, this, [this] { compute(); });
  left->addWidget(start);
  auto* row = new QHBoxLayout;
  QPushButton* table = makeButton(wt(WorkText::Table), body());
  connect(table, &QPushButton::clicked, this, [this] { openMonthTable(); });
  QPushButton* graph = makeButton(wt(WorkText::EotGraphics), body());
  connect(graph, &QPushButton::clicked, this, [this] { openTable(menu::kEotGraph); });
  row->addWidget(table);
  row->addWidget(graph);
  left->addLayout(row);

  auto* tablesButton = new QToolButton(body());
  tablesButton->setPopupMode(QToolButton::InstantPopup);
  auto* tablesMenu = new QMenu(tablesButton);
  const std::pair<int, WorkText> kTables[6] = {
      {menu::kRiseSetTable, WorkText::TableRiseSet}, {menu::kEotTable, WorkText::TableEot},
      {menu::kDeclinationTable, WorkText::TableDeclination}, {menu::kNoonTable, WorkText::TableNoon},
      {menu::kSunPathPolar, WorkText::SunPathPolar}, {menu::kEotGraph, WorkText::EotDiagram}};
  for (const auto& [entry, text] : kTables) {
    QAction* a = tablesMenu->addAction(QString(), this, [this, e = entry] { openTable(e); });
    bindText([a, t = text] { a->setText(wtext(t)); });
  }
  tablesMenu->addSeparator();
  const std::pair<int, WorkText> kPrints[3] = {{0, WorkText::PrintWithFormFeed},
                                               {1, WorkText::PrintWithoutFormFeed},
                                               {2, WorkText::PrintFormFeed}};
  for (const auto& [what, text] : kPrints) {
    QAction* a = tablesMenu->addAction(QString(), this, [this, w = what] {
      if (w == 2)
        printFormFeed();
      else
        printWithFormFeed(w == 0);
    });
    bindText([a, t = text] { a->setText(wtext(t)); });
  }
  tablesMenu->addSeparator();
  QAction* saveData = tablesMenu->addAction(QString(), this, [this] { mainForm()->saveSundialData(); });
  QAction* loadData = tablesMenu->addAction(QString(), this, [this] { mainForm()->loadSundialData(); });
  bindText([saveData, loadData] {
    saveData->setText(strq(547));
    loadData->setText(strq(548));
  });
  tablesButton->setMenu(tablesMenu);
  bindText([tablesButton] { tablesButton->setText(plainq(wtext(WorkText::TablesMenu)).trimmed()); });
  left->addWidget(tablesButton);
  QPushButton* wall = makeButton(wallDeclinationToolText(), body());
  connect(wall, &QPushButton::clicked, this, [this] {
    // The place as entered here is the place of the measurement.
    if (runFieldCloseChecks()) openWallDeclinationWindow(mainForm(), this);
  });
  left->addWidget(wall);
  QPushButton* clear = makeButton(wt(WorkText::ClearResults), body());
  connect(clear, &QPushButton::clicked, this, [this] {
    results_.clear();
    showResults();
  });
  left->addWidget(clear);
  left->addStretch(1);
  QPushButton* close = makeButton(wt(WorkText::Close), body());
  connect(close, &QPushButton::clicked, this, [this] { this->close(); });
  left->addWidget(close);

  resultView_ = new QPlainTextEdit(body());
  resultView_->setReadOnly(true);
  QFont fixed(QStringLiteral("Courier New"), 10);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  resultView_->setFont(fixed);
  resultView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  resultView_->setMinimumSize(680, 420);
  outer->addWidget(resultView_, 1);

  bindText([this] { setWindowTitle(wtext(WorkText::CalculatorTitle)); });
  updatePanel();
  // The main window's Print prints the results.
  main->menuEntry(menu::kPrint)->setEnabled(true);
}

void CalculatorWindow::setPanel(CalculatorPanel panel) {
  panel_ = panel;
  updatePanel();
}

void CalculatorWindow::setTimeSystem(int system) {
  timeSystem_ = std::clamp(system, 0, 2);
  updatePanel();
}

void CalculatorWindow::updatePanel() {
  if (QAbstractButton* b = panels_->button(static_cast<int>(panel_))) b->setChecked(true);
  if (QAbstractButton* b = twilight_->button(std::min<int>(design().twilightKind, 2))) b->setChecked(true);
  if (QAbstractButton* b = timeSystems_->button(timeSystem_)) b->setChecked(true);
  twilightBox_->setVisible(panel_ == CalculatorPanel::RiseSet);
  azimuthBox_->setVisible(panel_ == CalculatorPanel::Azimuth);
  timeBox_->setVisible(panel_ == CalculatorPanel::Position);
}

bool CalculatorWindow::compute() {
  if (!runFieldCloseChecks()) return false;
  DesignState& d = design();
  std::optional<double> azimuth, clock;
  if (panel_ == CalculatorPanel::Azimuth) {
    azimuth = parseAzimuth(azimuth_->text());
    if (!azimuth) {
      askForInput(azimuth_);
      return false;
    }
  } else if (panel_ == CalculatorPanel::Position) {
    clock = parseClockTime(time_->text().trimmed().toStdString());
    if (!clock) {
      askForInput(time_);
      return false;
    }
  }
  // The place as entered: a zone meridian far from the longitude is
  // questioned once after each change.
  if (placeEdited_) {
    d.zoneWarningPending = std::fabs(d.longitude - d.zoneMeridian) > 14;
    placeEdited_ = false;
  }
  if (!confirmZoneMeridianDistance()) return false;

  CalculatorDate date{year_->value(), month_->value(), day_->value()};
  date.day = std::min(date.day, daysInTableMonth(date.year, date.month));
  date = calculatorDate(date);
  d.calcYear = date.year;
  d.calcMonth = date.month;
  d.calcDay = date.day;
  year_->setValue(date.year);
  month_->setValue(date.month);
  day_->setValue(date.day);

  std::vector<std::string> block;
  switch (panel_) {
    case CalculatorPanel::Declination: block = declinationBlock(date); break;
    case CalculatorPanel::RiseSet: block = riseSetBlock(date); break;
    case CalculatorPanel::Azimuth: block = azimuthBlock(date, *azimuth); break;
    case CalculatorPanel::Position:
      block = positionBlock(date, *clock, static_cast<CalculatorTimeSystem>(timeSystem_));
      break;
  }
  results_.insert(results_.end(), block.begin(), block.end());
  showResults();
  return true;
}

void CalculatorWindow::showResults() {
  QStringList lines;
  for (const std::string& l : results_) lines << QString::fromStdString(l);
  resultView_->setPlainText(lines.join(QLatin1Char('\n')));
  resultView_->moveCursor(QTextCursor::End);
  resultView_->horizontalScrollBar()->setValue(0);
}

void CalculatorWindow::openMonthTable() {
  TableRequest r;
  r.kind = 1;
  r.scope = 0;
  r.year = year_->value();
  r.month = month_->value();
  design().calcMonth = r.month;
  requestTable(r);
  mainForm()->openWorkingWindow(ShellWindow::Table, menu::kRiseSetTable);
}

void CalculatorWindow::openTable(int entry) {
  if (entry >= menu::kRiseSetTable && entry <= menu::kNoonTable) {
    TableRequest r = tableRequestOfEntry(entry);
    r.year = year_->value();
    r.month = month_->value();
    requestTable(r);
  }
  mainForm()->openWorkingWindow(ShellWindow::Table, entry);
}

bool CalculatorWindow::printWithFormFeed(bool formFeed) {
  if (!printText(results_, formFeed, this)) return false;
  if (formFeed) {
    results_.clear();
    showResults();
  }
  return true;
}

void CalculatorWindow::printFormFeed() {
  TextPrinter& p = TextPrinter::instance();
  if (p.isOpen()) p.formFeed();
}

void CalculatorWindow::dropLastBlock() {
  if (results_.empty()) return;
  do {
    results_.pop_back();
  } while (!results_.empty() && results_.back().rfind("  __", 0) != 0);
  showResults();
}

void CalculatorWindow::printResults() {
  switch (showMessage(MsgCaption::Question, MsgIcon::Question, messageText(11), MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes: printWithFormFeed(true); break;
    case MsgAnswer::No: printWithFormFeed(false); break;
    default: dropLastBlock(); break;
  }
}

bool CalculatorWindow::closeQuery() {
  if (!runFieldCloseChecks()) return false;
  DesignState& d = design();
  if (userEdited_ && placeEdited_) {
    d.zoneWarningPending = std::fabs(d.longitude - d.zoneMeridian) > 14;
    placeEdited_ = false;
  }
  return confirmZoneMeridianDistance();
}

}  // namespace tavrel
