#include "ui/table_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/design_state.h"
#include "core/language.h"
#include "plot/canvas.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "tables/rise_set_tables.h"
#include "tables/year_tables.h"
#include "base/number_text.h"
#include "drawing/graph_save.h"
#include "tables/graph_texts.h"
#include "ui/graph_panel.h"
#include "ui/help_topics.h"
#include "ui/horizon_panel.h"
#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#include "ui/print_jobs.h"
#include "ui/main_window.h"
#include "drawing/surface_pens.h"

namespace tavrel {

namespace {

constexpr int kEotPairCounts[] = {72, 120, 144, 180, 240, 288, 360};
constexpr int kEotPairLinesPerPage = 63;
constexpr int kSmallestPointSize = 4;

QFont tableFont(int pointSize, bool bold = false) {
  QFont f(QStringLiteral("Courier New"), pointSize);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setBold(bold);
  return f;
}

// The widest line in the font, in the device's pixels.
double widestLine(const QFontMetricsF& m, const std::vector<std::string>& lines) {
  double w = 0;
  for (const std::string& l : lines) w = std::max(w, m.horizontalAdvance(QString::fromStdString(l)));
  return w;
}

// The largest point size from `start` down that shows the widest line in
// `width` and `lines` lines in `height` on `device`.
int fittingPointSize(const std::vector<std::string>& text, int start, int lines, double width,
                     double height, QPaintDevice* device) {
  int size = start;
  while (size > kSmallestPointSize) {
    const QFontMetricsF m(tableFont(size, true), device);
    if (widestLine(m, text) <= width && m.lineSpacing() * lines <= height) break;
    --size;
  }
  return size;
}

std::string eotPairRowText(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& f : fields) line += f + " ";
  return line;
}

}  // namespace

TableRequest tableRequestOfEntry(int entry) {
  TableRequest r;
  const DesignState& d = design();
  r.year = d.referenceYear;
  r.month = std::clamp<int>(d.calcMonth, 1, 12);
  switch (entry) {
    case menu::kRiseSetTable: r.kind = 1; break;
    case menu::kEotTable: r.kind = 8, r.subKind = 0; break;
    case menu::kDeclinationTable: r.kind = 8, r.subKind = 2; break;
    case menu::kNoonTable: r.kind = 8, r.subKind = 3; break;
    case menu::kEotGraph: r.kind = 16; break;
    case menu::kSunPathRect: r.kind = 32, r.polar = false; break;
    case menu::kSunPathPolar: r.kind = 32, r.polar = true; break;
    default: break;
  }
  return r;
}

// The picture: the table's lines in the fixed-pitch font that fits.
class TablePicture : public QWidget {
 public:
  explicit TablePicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(300, 200);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
  }
  void setLines(std::vector<std::string> lines, int startSize, int fitLines) {
    lines_ = std::move(lines);
    startSize_ = startSize;
    fitLines_ = fitLines;
    fit();
    update();
  }
  const std::vector<std::string>& lines() const { return lines_; }
  int pointSize() const { return pointSize_; }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    fit();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    const QFont font = tableFont(pointSize_);
    const QFontMetricsF m(font, this);
    double y = 4 + m.ascent();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      p.setFont(i == 0 ? tableFont(pointSize_, true) : font);
      p.drawText(QPointF(4, y), QString::fromStdString(lines_[i]));
      y += m.lineSpacing();
    }
  }

 private:
  void fit() {
    pointSize_ = fittingPointSize(lines_, startSize_, fitLines_, width() - 8, height() - 8, this);
  }
  std::vector<std::string> lines_;
  int startSize_ = 11;
  int fitLines_ = 42;
  int pointSize_ = 11;
};

void drawTablePage(QPainter& painter, const QRect& page, int dpi, const std::vector<std::string>& lines,
                   int maxPointSize) {
  QPaintDevice* device = painter.device();
  const double margin = page.width() * 0.04;
  const QRectF inner = QRectF(page).adjusted(margin, margin, -margin, -margin);
  const int size = fittingPointSize(lines, maxPointSize, static_cast<int>(lines.size()),
                                    inner.width() * 0.96, inner.height() * 0.96, device);
  const QFontMetricsF m(tableFont(size, true), device);
  const double pad = m.height() / 2;
  const double width = widestLine(m, lines) + 2 * pad;
  const double height = m.lineSpacing() * static_cast<double>(lines.size()) + 2 * pad;
  painter.setPen(QPen(Qt::black, std::max(1.0, dpi / 100.0)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(inner.left(), inner.top(), width, height));
  double y = inner.top() + pad + m.ascent();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    painter.setFont(tableFont(size, i == 0));
    painter.drawText(QPointF(inner.left() + pad, y), QString::fromStdString(lines[i]));
    y += m.lineSpacing();
  }
}

// --- the window --------------------------------------------------------------------

TableWindow::TableWindow(MainWindow* main, const TableRequest& request)
    : ChildForm(main, ShellWindow::Table), request_(request) {
  auto* outer = new QHBoxLayout(body());
  outer->setContentsMargins(2, 2, 2, 2);
  auto* panel = new QWidget(body());
  buildControls(panel);
  outer->addWidget(panel);
  auto* right = new QVBoxLayout;
  picture_ = new TablePicture(body());
  right->addWidget(picture_, 1);
  graphPicture_ = new GraphPicture(body());
  graphPicture_->hide();
  right->addWidget(graphPicture_, 1);
  symmetricPanel_ = new QFrame(body());
  symmetricPanel_->setFrameShape(QFrame::StyledPanel);
  auto* symLayout = new QVBoxLayout(symmetricPanel_);
  auto* symRow = new QHBoxLayout;
  values_ = new QComboBox(symmetricPanel_);
  bindText([this] {
    const int keep = values_->currentIndex();
    values_->clear();
    for (int n : kEotPairCounts)
      values_->addItem(QString::number(n).leftJustified(4, QLatin1Char(' ')) + wtext(WorkText::ValuesPerYear));
    values_->setCurrentIndex(keep < 0 ? 5 : keep);
  });
  connect(values_, &QComboBox::activated, this,
          [this](int i) { showEotPairs(kEotPairCounts[std::clamp(i, 0, 6)]); });
  QPushButton* saveData = makeButton(wt(WorkText::SaveEotPairs), symmetricPanel_);
  connect(saveData, &QPushButton::clicked, this, [this] { saveEotPairs(); });
  QPushButton* printData = makeButton(wt(WorkText::PrintEotPairs), symmetricPanel_);
  connect(printData, &QPushButton::clicked, this, [this] { printEotPairs(); });
  symRow->addWidget(values_);
  symRow->addWidget(saveData);
  symRow->addWidget(printData);
  symRow->addStretch(1);
  symLayout->addLayout(symRow);
  pairsText_ = new QPlainTextEdit(symmetricPanel_);
  pairsText_->setReadOnly(true);
  pairsText_->setFont(tableFont(9));
  pairsText_->setLineWrapMode(QPlainTextEdit::NoWrap);
  symLayout->addWidget(pairsText_);
  symmetricPanel_->hide();
  right->addWidget(symmetricPanel_, 1);
  outer->addLayout(right, 1);
  // A sun-path request (the menu's circular diagram) sets the switch the
  // picture is drawn from.
  if (request_.kind == 32) graphControls_->setPolar(request_.polar);
  rebuild();
}

QSize TableWindow::sizeHint() const {
  if (const QWidget* area = parentWidget())
    return QSize(area->width() * 19 / 20, area->height() * 19 / 20).expandedTo(QSize(700, 500));
  return {1100, 760};
}

QWidget* TableWindow::picture() const { return picture_; }

void TableWindow::buildControls(QWidget* panel) {
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* tablesButton = new QToolButton(panel);
  tablesButton->setPopupMode(QToolButton::InstantPopup);
  auto* tablesMenu = new QMenu(tablesButton);
  for (int entry : {menu::kRiseSetTable, menu::kEotTable, menu::kDeclinationTable, menu::kNoonTable}) {
    QAction* a = tablesMenu->addAction(QString(), this, [this, entry] {
      TableRequest r = tableRequestOfEntry(entry);
      r.year = year_->value();
      r.month = request_.month;
      setRequest(r);
    });
    bindText([a, entry] { a->setText(plainq(qs(tableText(TextTable::Menu, entry))).trimmed()); });
  }
  // The graphs: EoT, sun-path diagram cartesian and polar.
  const struct {
    int kind;
    bool polar;
    int row;
  } graphs[] = {{16, false, graphRow::kEotGraphCommand},
                {32, false, graphRow::kSunPathCommand},
                {32, true, graphRow::kPolarTitle}};
  tablesMenu->addSeparator();
  for (const auto& g : graphs) {
    QAction* a = tablesMenu->addAction(QString(), this, [this, g] {
      TableRequest r = request_;
      r.kind = g.kind;
      r.polar = g.polar;
      setRequest(r);
    });
    bindText([a, row = g.row] { a->setText(plainq(qs(graphRow::text(row))).trimmed()); });
  }
  tablesButton->setMenu(tablesMenu);
  bindText([tablesButton] { tablesButton->setText(plainq(wtext(WorkText::TablesMenu)).trimmed()); });
  layout->addWidget(tablesButton);

  layout->addWidget(makeLabel(wt(WorkText::Year), panel));
  year_ = new QSpinBox(panel);
  year_->setRange(1300, 2500);
  year_->setValue(std::clamp(request_.year, 1300, 2500));
  connect(year_, &QSpinBox::valueChanged, this, [this](int y) {
    request_.year = y;
    rebuild();
  });
  layout->addWidget(year_);

  subKindBox_ = makeGroup(wt(WorkText::YearTableFor), panel);
  auto* subLayout = new QVBoxLayout(subKindBox_);
  subKind_ = new QButtonGroup(this);
  const WorkText subTexts[4] = {WorkText::SubEot, WorkText::SubEotLongitude, WorkText::SubDeclination,
                                WorkText::SubTransit};
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(subKindBox_);
    bindText([r, t = subTexts[i]] { r->setText(wtext(t)); });
    subKind_->addButton(r, i);
    subLayout->addWidget(r);
  }
  connect(subKind_, &QButtonGroup::idClicked, this, [this](int id) {
    request_.subKind = id;
    rebuild();
  });
  layout->addWidget(subKindBox_);

  scopeBox_ = makeGroup(wt(WorkText::Scope), panel);
  auto* scopeLayout = new QVBoxLayout(scopeBox_);
  scope_ = new QButtonGroup(this);
  const WorkText scopeTexts[3] = {WorkText::ScopeMonth, WorkText::ScopeFirstHalf, WorkText::ScopeSecondHalf};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(scopeBox_);
    bindText([r, t = scopeTexts[i]] { r->setText(wtext(t)); });
    scope_->addButton(r, i);
    scopeLayout->addWidget(r);
  }
  month_ = new QComboBox(scopeBox_);
  bindText([this] {
    const int keep = month_->currentIndex();
    month_->clear();
    for (int m = 1; m <= 12; ++m) month_->addItem(QStringLiteral(" ") + qs(monthName(m)) + QStringLiteral("."));
    month_->setCurrentIndex(keep < 0 ? std::clamp(request_.month, 1, 12) - 1 : keep);
  });
  scopeLayout->addWidget(month_);
  connect(scope_, &QButtonGroup::idClicked, this, [this](int id) {
    request_.scope = id;
    rebuild();
  });
  connect(month_, &QComboBox::activated, this, [this](int i) {
    request_.month = i + 1;
    rebuild();
  });
  layout->addWidget(scopeBox_);

  twilightBox_ = makeGroup(wt(WorkText::Twilight), panel);
  auto* twLayout = new QVBoxLayout(twilightBox_);
  twilight_ = new QButtonGroup(this);
  const WorkText twTexts[3] = {WorkText::TwilightCivil, WorkText::TwilightNautical,
                               WorkText::TwilightAstronomical};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(twilightBox_);
    bindText([r, t = twTexts[i]] { r->setText(wtext(t)); });
    twilight_->addButton(r, i);
    twLayout->addWidget(r);
  }
  connect(twilight_, &QButtonGroup::idClicked, this, [this](int id) {
    design().twilightKind = static_cast<std::uint8_t>(id);
    rebuild();
  });
  layout->addWidget(twilightBox_);

  symmetric_ = new QCheckBox(panel);
  bindText([this] { symmetric_->setText(wtext(WorkText::Symmetric)); });
  connect(symmetric_, &QCheckBox::toggled, this, [this](bool on) {
    symmetricPanel_->setVisible(on);
    if (on && pairs_.rows.empty()) showEotPairs(kEotPairCounts[std::clamp(values_->currentIndex(), 0, 6)]);
  });
  layout->addWidget(symmetric_);

  // The horizon profile: its switch, loading and the calculation panel.
  horizonSwitch_ = new QCheckBox(panel);
  bindText([this] { horizonSwitch_->setText(qs(horizonText::text(horizonText::kShowProfile))); });
  horizonSwitch_->setChecked(horizonState().showHorizonProfile);
  connect(horizonSwitch_, &QCheckBox::clicked, this, [this](bool on) {
    const bool shown = setHorizonProfileSwitch(on, 1);
    const QSignalBlocker block(horizonSwitch_);
    horizonSwitch_->setChecked(shown);
    rebuild();
  });
  layout->addWidget(horizonSwitch_);
  QPushButton* loadProfile = makeButton([] { return qs(horizonText::text(horizonText::kLoadNewProfile)); }, panel);
  connect(loadProfile, &QPushButton::clicked, this, [this] {
    if (loadHorizonProfileWithDialog(1)) {
      const QSignalBlocker block(horizonSwitch_);
      horizonSwitch_->setChecked(true);
    }
    rebuild();
  });
  layout->addWidget(loadProfile);
  QPushButton* createProfile = makeButton([] { return qs(horizonText::text(horizonText::kCreateProfile)); }, panel);
  connect(createProfile, &QPushButton::clicked, this, [this] { openHorizonPanel(); });
  layout->addWidget(createProfile);

  graphControls_ = new GraphControls(panel);
  connect(graphControls_, &GraphControls::changed, this, [this] {
    request_.polar = !graphControls_->cartesianSwitch()->isChecked();
    rebuild();
  });
  connect(graphControls_, &GraphControls::saveRequested, this,
          [this](GraphPlotTarget target) { saveGraphAs(static_cast<int>(target)); });
  layout->addWidget(graphControls_);

  QPushButton* start = makeButton(wt(WorkText::StartComputation), panel);
  connect(start, &QPushButton::clicked, this, [this] { rebuild(); });
  layout->addWidget(start);
  print_ = makeButton(wt(WorkText::PrintTableWindow), panel);
  connect(print_, &QPushButton::clicked, this, [this] { print(); });
  layout->addWidget(print_);
  save_ = makeButton(wt(WorkText::SaveTable), panel);
  connect(save_, &QPushButton::clicked, this, [this] { saveTable(); });
  layout->addWidget(save_);
  layout->addStretch(1);
  QPushButton* close = makeButton(wt(WorkText::Close), panel);
  connect(close, &QPushButton::clicked, this, [this] { this->close(); });
  layout->addWidget(close);
}

HorizonPanel* TableWindow::openHorizonPanel() {
  if (!horizonPanel_) {
    horizonPanel_ = new HorizonPanel(this);
    horizonPanel_->setAttribute(Qt::WA_DeleteOnClose);
    help::installHelpKey(horizonPanel_, help::kHorizon, [main = mainForm()](int topic) { main->openHelp(topic); });
  }
  horizonPanel_->show();
  horizonPanel_->raise();
  return horizonPanel_;
}

void TableWindow::applyLanguage() {
  ChildForm::applyLanguage();
  if (horizonPanel_) horizonPanel_->applyLanguage();
  if (graphControls_) graphControls_->applyLanguage();
  rebuild();
}

void TableWindow::updateVisibility() {
  const bool year = request_.kind == 8;
  const bool graph = showsGraph();
  subKindBox_->setVisible(year);
  scopeBox_->setVisible(request_.kind == 1);
  twilightBox_->setVisible(request_.kind == 1);
  graphControls_->setVisible(graph);
  graphControls_->showFor(request_.kind);
  picture_->setVisible(!graph);
  graphPicture_->setVisible(graph);
  save_->setVisible(!graph);
  month_->setEnabled(request_.scope == 0);
  const bool eot = year && request_.subKind == 0;
  symmetric_->setVisible(eot);
  if (!eot && symmetric_->isChecked()) symmetric_->setChecked(false);
  if (QAbstractButton* b = subKind_->button(request_.subKind)) b->setChecked(true);
  if (QAbstractButton* b = scope_->button(request_.scope)) b->setChecked(true);
  if (QAbstractButton* b = twilight_->button(std::min<int>(design().twilightKind, 2))) b->setChecked(true);
  month_->setCurrentIndex(std::clamp(request_.month, 1, 12) - 1);
  {
    const QSignalBlocker block(year_);
    year_->setValue(std::clamp(request_.year, 1300, 2500));
  }
}

void TableWindow::setRequest(const TableRequest& request) {
  const bool cartesianBefore = request_.kind == 32 && !request_.polar;
  request_ = request;
  if (request_.kind == 32) graphControls_->setPolar(request_.polar);
  // The zodiac signs of the cartesian diagram need the symbol font.
  if (request_.kind == 32 && !request_.polar && !cartesianBefore && !fontInstalled("Wingdings"))
    showMessage(MsgCaption::Warning, messagePair(60, 61));
  rebuild();
}

void TableWindow::rebuild() {
  if (!picture_ || !graphControls_) return;
  if (showsGraph()) {
    updateVisibility();
    setWindowTitle(request_.kind == 16 ? qs(graphRow::text(graphRow::kEotCaption)) : wtext(WorkText::TableTitle));
    graphPicture_->setChoice(graphControls_->choice(request_.kind));
    return;
  }
  int startSize = 11, fitLines = 42;
  if (request_.kind == 1) {
    fitLines = 44;
    if (request_.scope == 0) {
      table_ = monthRiseSetTable(request_.year, std::clamp(request_.month, 1, 12));
      startSize = 12;
    } else {
      table_ = halfYearSunTable(request_.year, request_.scope == 1 ? 1 : 7);
    }
  } else {
    table_ = yearTable(request_.year, static_cast<YearTableKind>(std::clamp(request_.subKind, 0, 3)));
  }
  updateVisibility();
  setWindowTitle(wtext(WorkText::TableTitle));
  picture_->setLines(screenLines(table_), startSize, fitLines);
}

std::vector<std::string> TableWindow::shownLines() const { return picture_->lines(); }

int TableWindow::fontPointSize() const { return picture_->pointSize(); }

bool TableWindow::saveTable() { return saveTableAs(table_); }

int TableWindow::helpTopic() const {
  switch (request_.kind) {
    case 16: return help::kEotGraph;
    case 32: return help::kSunPath;
    default: return help::kTables;
  }
}

bool TableWindow::saveGraphAs(int target) {
  if (!showsGraph()) return false;
  const GraphChoice choice = graphControls_->choice(request_.kind);
  GraphSavePanel start = openGraphSavePanel(request_.kind, choice.polar, static_cast<GraphPlotTarget>(target));
  // The plot starts as the graph on the screen is drawn.
  start.zoneTime = choice.options.zoneTime;
  GraphSaveDialog dialog(start, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  GraphSavePanel panel = dialog.panel();
  return saveGraph(panel, choice.options, design().plotLineWidth) == GraphSaveResult::Saved;
}

bool TableWindow::print() {
  TextPrinter::instance().close();
  if (showsGraph()) {
    // The graph on a landscape page.
    return printLandscapePage(this, [this](QtCanvas& page, const PrinterDevice& device) {
      ScreenSurface surface = printerSurfaceOf(design(), page, device);
      const PrinterPage& p = surface.page();
      drawGraphChoice(surface, graphPicture_->choice(), p.offsetX, p.offsetY, p.printableHeight, p.printableWidth,
                      false);
    });
  }
  QPrinter& printer = workPrinter();
  const std::vector<std::string> lines = picture_->lines();
  std::size_t widest = 0;
  for (const std::string& l : lines) widest = std::max(widest, utf8Length(l));
  printer.setPageOrientation(widest > 100 ? QPageLayout::Landscape : QPageLayout::Portrait);
  bool printed = false;
  if (runPrintDialog(printer, this)) {
    QPainter painter;
    if (painter.begin(&printer)) {
      drawTablePage(painter, QRect(0, 0, printer.width(), printer.height()), printer.resolution(), lines,
                    request_.kind == 1 && request_.scope == 0 ? 12 : 11);
      printed = painter.end();
    }
    if (!printed) reportPrintError();
  }
  printer.setPageOrientation(QPageLayout::Portrait);
  return printed;
}

void TableWindow::showEotPairs(int values) {
  pairs_ = eotPairReport(values, request_.year);
  QStringList text;
  text << qs(eotPairPrintHeader(pairs_));
  for (const auto& row : pairs_.rows) text << qs(eotPairRowText(row));
  pairsText_->setPlainText(text.join(QLatin1Char('\n')));
}

bool TableWindow::saveEotPairs() {
  if (pairs_.rows.empty()) showEotPairs(kEotPairCounts[std::clamp(values_->currentIndex(), 0, 6)]);
  return saveEotPairReportAs(pairs_);
}

bool TableWindow::printEotPairs() {
  if (pairs_.rows.empty()) showEotPairs(kEotPairCounts[std::clamp(values_->currentIndex(), 0, 6)]);
  TextPrinter::instance().close();
  QPrinter& printer = workPrinter();
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!runPrintDialog(printer, this)) return false;
  QPainter painter;
  if (!painter.begin(&printer)) {
    reportPrintError();
    return false;
  }
  QFont font = tableFont(10);
  painter.setFont(font);
  const QFontMetricsF m(font, &printer);
  const QString header = qs(eotPairPrintHeader(pairs_));
  double y = m.ascent();
  int onPage = 0;
  for (std::size_t i = 0; i < pairs_.rows.size(); ++i) {
    if (onPage == 0) {
      painter.drawText(QPointF(0, y), header);
      y += 2 * m.lineSpacing();
    }
    painter.drawText(QPointF(0, y), qs(eotPairRowText(pairs_.rows[i])));
    y += m.lineSpacing();
    if (++onPage == kEotPairLinesPerPage && i + 1 < pairs_.rows.size()) {
      printer.newPage();
      onPage = 0;
      y = m.ascent();
    }
  }
  return painter.end();
}

}  // namespace tavrel
