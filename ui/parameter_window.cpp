#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "astro/calendar.h"
#include "core/date_list_file.h"
#include "core/design_state.h"
#include "dials/dial_type_rules.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"
#include "ui/parameter_window.h"
#include "ui/main_window.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of the window itself.
namespace T {
constexpr int kNext = 1020;
constexpr int kFrom = 1200;
constexpr int kTo = 1201;
constexpr int kPlanarDates = 1214;
constexpr int kCaptionPrefix = 1240;
constexpr int kOwnDates = 1410;
constexpr int kDateEntry = 1411;
constexpr int kAdd = 1412;
constexpr int kRemove = 1413;
constexpr int kSaveDates = 1414;
constexpr int kLoadDates = 1415;
constexpr int kClose = 2020;
}  // namespace T

namespace {


}  // namespace

ParameterWindow::Page ParameterWindow::pageFor(const DesignState& d) { return parameterPageOf(d); }

ParameterWindow::ParameterWindow(MainWindow* main) : ChildForm(main, ShellWindow::Parameters) {
  DesignState& d = design();
  inWizard_ = d.wizardStep >= 4;
  page_ = pageFor(d);
  const ParameterPageDef* page = parameterPageDef(page_);
  // The window shows 6 for the 10-minute EoT interval as index 4.
  auto* outer = new QVBoxLayout(body());
  auto* columns = new QHBoxLayout;
  outer->addLayout(columns);

  auto* title = new QLabel(body());
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  bindText([this, title] {
    const DesignState& s = design();
    const ParameterPageDef* shown = parameterPageDef(page_);
    QString name = shown ? qs(tableText(TextTable::Labels, shown->captionRow)) : QString();
    if (const int row = parameterPageTitleRow(s); row >= 0) name = qs(tableText(TextTable::Texts, row));
    title->setText(name);
    setWindowTitle(inWizard_ ? wizardCaption(QStringLiteral("3")) : uiq(T::kCaptionPrefix) + name);
  });
  outer->insertWidget(0, title);

  // Every row names a registered page; a missing one is a fault of the
  // build, shown as an empty page rather than a crash.
  pageWidget_ = page && page->build ? page->build(*this) : new QWidget(body());
  columns->addWidget(pageWidget_);
  if (page && page->ownDates) {
    datePanel_ = buildDatePanel();
    columns->addWidget(datePanel_);
  }

  auto* buttons = new QHBoxLayout;
  close_ = makeButton([this] { return uiq(inWizard_ ? T::kNext : T::kClose); }, body());
  cancel_ = makeButton(ts(8), body());
  help_ = makeButton(ts(10), body());
  for (QPushButton* b : {close_, cancel_, help_}) b->setAutoDefault(false);
  cancel_->setVisible(inWizard_);
  buttons->addStretch();
  buttons->addWidget(close_);
  buttons->addWidget(cancel_);
  buttons->addWidget(help_);
  outer->addLayout(buttons);
  exemptFromChecks(cancel_);
  exemptFromChecks(help_);
  for (QLineEdit* e : pageWidget_->findChildren<QLineEdit*>()) setReturnTarget(e, close_);
  connect(close_, &QPushButton::clicked, this, [this] { close(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { mainForm()->cancelWizard(); });
  connect(help_, &QPushButton::clicked, this, [this] { mainForm()->openHelp(helpTopic()); });
  setHelpTopic(dialTypeHelpTopic(dialTypeEntryOf(d)));
  refreshChoices();
}

// --- shared building blocks ------------------------------------------------------

ParameterWindow::Interval ParameterWindow::intervalA(char* field, bool eot) {
  return Interval{listA,
                  [field] { return *field == '6' ? 4 : *field - '0'; },
                  [field, eot](int i) {
                    *field = (eot && i == 4) ? '6' : static_cast<char>('0' + i);
                  }};
}

ParameterWindow::Interval ParameterWindow::intervalB(char* field) {
  return Interval{listB, [field] { return *field - '0'; },
                  [field](int i) { *field = static_cast<char>('0' + i); }};
}

ParameterWindow::Interval ParameterWindow::intervalB(std::uint8_t* field) {
  return Interval{listB, [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

ParameterWindow::Interval ParameterWindow::temporalInterval(std::uint8_t* field) {
  return Interval{[] { return QStringList{"1", "0.5", "0.333", "0.25"}; },
                  [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

ParameterWindow::Interval ParameterWindow::altitudeInterval() {
  std::uint8_t* field = &design().altitudeInterval;
  return Interval{[] { return QStringList{QStringLiteral("10 °"), QStringLiteral("5 °"),
                                          QStringLiteral("2.5 °")}; },
                  [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

void ParameterWindow::rangeRow(QGridLayout* g, int row, QWidget* lead, std::int32_t* from,
                      std::int32_t* to, RangeList list, const Interval& interval) {
  std::function<QStringList()> items;
  std::function<int(std::int32_t)> indexOf;
  std::function<std::int32_t(int)> valueOf;
  switch (list) {
    case RangeList::Hours:
      items = [] {
        QStringList out;
        for (int n = 0; n < int(design().hourChoices.size()); ++n) out << qs(hourChoiceText(n));
        return out;
      };
      indexOf = [](std::int32_t v) { return v; };
      valueOf = [](int i) { return i; };
      break;
    case RangeList::Temporal:
      items = [] {
        QStringList out;
        for (const std::string& s : design().numberChoices12) out << qs(s);
        return out;
      };
      indexOf = [](std::int32_t v) { return v; };
      valueOf = [](int i) { return i; };
      break;
    case RangeList::Altitude:
      items = [] {
        QStringList out;
        for (int a = 10; a <= 80; a += 10) out << QStringLiteral("%1 °").arg(a);
        return out;
      };
      indexOf = [](std::int32_t v) { return v % 10 == 0 && v >= 10 && v <= 80 ? v / 10 - 1 : -1; };
      valueOf = [](int i) { return (i + 1) * 10; };
      break;
  }
  if (lead) g->addWidget(lead, row, 0);
  g->addWidget(makeLabel(tx(T::kFrom), g->parentWidget()), row, 1, Qt::AlignRight);
  g->addWidget(makeCombo(items, [from, indexOf] { return indexOf(*from); },
                         [from, valueOf](int i) { *from = valueOf(i); }, g->parentWidget()),
               row, 2);
  g->addWidget(makeLabel(tx(T::kTo), g->parentWidget()), row, 3, Qt::AlignRight);
  g->addWidget(makeCombo(items, [to, indexOf] { return indexOf(*to); },
                         [to, valueOf](int i) { *to = valueOf(i); }, g->parentWidget()),
               row, 4);
  if (!interval.items) return;  // a range without an interval
  g->addWidget(makeLabel(tx(T::kInterval), g->parentWidget()), row, 5, Qt::AlignRight);
  QComboBox* c = makeCombo(interval.items, interval.get, interval.set, g->parentWidget());
  g->addWidget(c, row, 6);
  if (interval.items().size() == 5 && !hourInterval_)
    hourInterval_ = c;
  else if (interval.items().size() == 5)
    eotInterval_ = c;
}

QGroupBox* ParameterWindow::timeLinesGroup(TextSource title) {
  QGroupBox* g = makeGroup(std::move(title), nullptr);
  auto* grid = new QGridLayout(g);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(7, 1);
  return g;
}

void ParameterWindow::fieldRow(QGridLayout* g, int row, TextSource label, QLineEdit* edit) {
  QLabel* l = makeLabel(std::move(label), g->parentWidget());
  l->setBuddy(edit);
  edit->setFixedWidth(96);
  g->addWidget(l, row, 0);
  g->addWidget(edit, row, 1);
}

QGroupBox* ParameterWindow::dateLineChoice() {
  dateLines_ = makeRadios(
      tx(T::kDateLines), sources(T::kPlanarDates, 4),
      [] { return design().dateLineMode - '0'; },
      [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return dateLines_;
}

QComboBox* ParameterWindow::analemmaDaysChoice() {
  analemmaDays_ = makeCombo(
      [] {
        return QStringList{"(  1.  )", "( 1.,  15. )", "( 7.,  22. )", "( 1., 11., 21. )",
                           "( 1., 8., 15., 22. )"};
      },
      [] { return int(design().analemmaMarkDays); },
      [](int i) { design().analemmaMarkDays = static_cast<std::uint8_t>(i); });
  return analemmaDays_;
}

QLineEdit* ParameterWindow::analemmaHourField(QWidget* parent) {
  return makeIntField(tx(T::kAnalemmaHour), &design().analemmaMarkHour, 1, 23, parent);
}












QWidget* ParameterWindow::buildDatePanel() {
  QGroupBox* box = makeGroup(tx(T::kOwnDates));
  auto* layout = new QVBoxLayout(box);
  dates_ = new QListWidget(box);
  dates_->setMinimumWidth(190);
  layout->addWidget(dates_);
  auto* entryRow = new QHBoxLayout;
  QLabel* label = makeLabel(tx(T::kDateEntry), box);
  dateEntry_ = new QLineEdit(box);
  dateEntry_->setFixedWidth(70);
  dateEntry_->setPlaceholderText(QStringLiteral("dd/mm"));
  label->setBuddy(dateEntry_);
  entryRow->addWidget(label);
  entryRow->addWidget(dateEntry_);
  layout->addLayout(entryRow);
  QPushButton* add = makeButton(tx(T::kAdd), box);
  QPushButton* remove = makeButton(tx(T::kRemove), box);
  QPushButton* save = makeButton(tx(T::kSaveDates), box);
  QPushButton* load = makeButton(tx(T::kLoadDates), box);
  for (QPushButton* b : {add, remove, save, load}) {
    b->setAutoDefault(false);
    layout->addWidget(b);
    exemptFromChecks(b);
  }
  connect(add, &QPushButton::clicked, this, [this] { addDateEntry(); });
  connect(dateEntry_, &QLineEdit::returnPressed, this, [this] { addDateEntry(); });
  connect(remove, &QPushButton::clicked, this, [this] { removeDateEntry(); });
  connect(save, &QPushButton::clicked, this, [] { saveDatesToSettingsFile(); });
  connect(load, &QPushButton::clicked, this, [this] {
    loadDatesFromSettingsFile();
    refreshDateList();
  });
  refreshDateList();
  return box;
}

void ParameterWindow::refreshDateList() {
  if (!dates_) return;
  dates_->clear();
  for (const std::string& line : design().ownDateLines)
    dates_->addItem(qs(ownDateLineShown(line, design().referenceYear, design().language)));
  updateEnabled();
}

bool ParameterWindow::addDateEntry() {
  const QString text = dateEntry_->text().trimmed();
  if (text.isEmpty() || text == QStringLiteral("/")) {
    dateEntry_->setFocus();
    return false;
  }
  const DayMonth parsed =
      parseDayMonth(text.toStdString(), design().referenceYear, design().language);
  if (!parsed.ok) {
    showMessage(MsgCaption::Error, messageText(6));
    dateEntry_->setFocus();
    return false;
  }
  const std::string entry = parsed.key + "    ( " + parsed.label + " )";
  std::vector<std::string>& lines = design().ownDateLines;
  auto it = lines.begin();
  for (; it != lines.end(); ++it) {
    const DayMonth other = parseDayMonth(*it, design().referenceYear, design().language);
    if (other.ok && other.number >= parsed.number) break;
  }
  lines.insert(it, entry);
  refreshDateList();
  dateEntry_->clear();
  return true;
}

void ParameterWindow::removeDateEntry() {
  const int row = dates_->currentRow();
  std::vector<std::string>& lines = design().ownDateLines;
  if (row < 0 || row >= static_cast<int>(lines.size())) return;
  lines.erase(lines.begin() + row);
  refreshDateList();
}

// --- state ---------------------------------------------------------------------------

void ParameterWindow::updateEnabled() {
  for (auto& [w, when] : enabledWhen_) w->setEnabled(when());
  for (auto& [w, when] : visibleWhen_) w->setVisible(when());
  if (dates_) {
    const bool own = design().dateLineMode == '2';
    dates_->setStyleSheet(own ? QStringLiteral("QListWidget { background: #fff6c8; }") : QString());
  }
}

void ParameterWindow::applyLanguage() {
  ChildForm::applyLanguage();
  refreshDateList();
}

QLineEdit* ParameterWindow::fieldFor(const void* target) const {
  for (QLineEdit* e : findChildren<QLineEdit*>())
    if (auto* f = const_cast<ParameterWindow*>(this)->numberField(e); f && f->target == target) return e;
  return nullptr;
}

bool ParameterWindow::closeQuery() {
  DesignState& d = design();
  bool ok = runFieldCloseChecks();
  if (const ParameterPageDef* page = parameterPageDef(page_); page && page->closeCheck)
    ok = page->closeCheck(d) && ok;
  d.inputValid = ok;
  if (!ok) {
    showMessage(MsgCaption::Error, messageText(8));
    QApplication::beep();
  }
  return ok;
}

}  // namespace tavrel
