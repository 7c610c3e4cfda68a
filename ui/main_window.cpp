#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRandomGenerator>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "core/date_list_file.h"
#include "core/design_state.h"
#include "dials/dial_type_rules.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_file.h"
#include "astro/startup.h"
#include "base/number_text.h"
#include "ui/about_panel.h"
#include "ui/colour_panel.h"
#include "ui/drawing_window.h"
#include "ui/help_viewer.h"
#include "ui/picture_area.h"
#include "ui/qt_platform.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui/parameter_window.h"
#include "ui/main_window.h"
#include "ui/print_jobs.h"
#include "ui/work_windows.h"
#include "dials/planar/planar_labels.h"

namespace tavrel {

namespace {

// Shortcut keys of the main-menu entries.
struct MenuKey {
  int entry;
  QKeySequence key;
};

const std::vector<MenuKey>& menuKeys() {
  static const std::vector<MenuKey> keys{
      {menu::kWizard, QKeySequence(Qt::ALT | Qt::Key_F1)},
      {menu::kCloseAll, QKeySequence(Qt::ALT | Qt::Key_F3)},
      {menu::kPrint, QKeySequence(Qt::Key_F3)},
      {menu::kQuit, QKeySequence(Qt::ALT | Qt::Key_X)},
      {menu::kLocation, QKeySequence(Qt::Key_F5)},
      {menu::kDialType, QKeySequence(Qt::Key_F6)},
      {menu::kParameters, QKeySequence(Qt::Key_F7)},
      {menu::kSaveIni, QKeySequence(Qt::ALT | Qt::Key_F2)},
      {menu::kReloadIni, QKeySequence(Qt::ALT | Qt::Key_F4)},
      {menu::kSaveData, QKeySequence(Qt::Key_F2)},
      {menu::kLoadData, QKeySequence(Qt::Key_F4)},
      {menu::kDrawing, QKeySequence(Qt::Key_F8)},
      {menu::kColours, QKeySequence(Qt::ALT | Qt::Key_F8)},
      {menu::kRiseSet, QKeySequence(Qt::Key_F9)},
      {menu::kSunPosition, QKeySequence(Qt::Key_F10)},
      {menu::kTimeForPosition, QKeySequence(Qt::Key_F11)},
      {menu::kEotDeclination, QKeySequence(Qt::Key_F12)},
      {menu::kRiseSetTable, QKeySequence(Qt::ALT | Qt::Key_F9)},
      {menu::kEotTable, QKeySequence(Qt::ALT | Qt::Key_F12)},
      {menu::kDeclinationTable, QKeySequence(Qt::ALT | Qt::Key_F10)},
      {menu::kNoonTable, QKeySequence(Qt::ALT | Qt::Key_F11)},
      {menu::kEotGraph, QKeySequence(Qt::CTRL | Qt::Key_F12)},
      {menu::kSunPathRect, QKeySequence(Qt::CTRL | Qt::Key_F10)},
      {menu::kSunPathPolar, QKeySequence(Qt::CTRL | Qt::Key_F11)},
      {menu::kHelpFile, QKeySequence(Qt::Key_F1)},
      {menu::kExpert, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X)},
      {menu::kGerman, QKeySequence(Qt::CTRL | Qt::Key_D)},
      {menu::kEnglish, QKeySequence(Qt::CTRL | Qt::Key_E)},
  };
  return keys;
}

// Entry 38 repeats entry 1 and its key; the key is registered once and
// only shown beside the second entry.
const QString kWizardKeyText = QStringLiteral("\tAlt+F1");

// The working window a menu entry opens.
ShellWindow windowOfEntry(int entry) {
  switch (entry) {
    case menu::kLocation: return ShellWindow::Location;
    case menu::kDialType: return ShellWindow::DialType;
    case menu::kParameters: return ShellWindow::Parameters;
    case menu::kDrawing: return ShellWindow::Drawing;
    case menu::kRiseSet:
    case menu::kSunPosition:
    case menu::kTimeForPosition:
    case menu::kEotDeclination: return ShellWindow::Calculator;
    default: return ShellWindow::Table;
  }
}

QString menuCaption(int entry) { return qs(tableText(TextTable::Menu, entry)); }

}  // namespace

// --- construction ------------------------------------------------------------

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  startProgramBeforeSettings();
  DesignState& d = design();

  setWindowTitle(QStringLiteral("  Tavrel  v. ") + qs(d.versionText));
  mdi_ = new QMdiArea(this);
  mdi_->setBackground(QColor(0xEE, 0xEB, 0xE3));
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  mdi_->viewport()->installEventFilter(this);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);

  pictures_ = new PictureArea(mdi_->viewport());
  colourPanel_ = new ColourPanel(mdi_->viewport());
  colourPanel_->hide();
  about_ = new AboutPanel(mdi_->viewport());
  connect(colourPanel_, &ColourPanel::closeRequested, this, &MainWindow::hideColourPanel);
  connect(colourPanel_, &ColourPanel::saveRequested, this, &MainWindow::saveColours);
  connect(colourPanel_, &ColourPanel::loadRequested, this, [this] { loadColours(false); });
  connect(colourPanel_, &ColourPanel::resetRequested, this, [this] { loadColours(true); });

  buildMenus();
  buildPopupMenus();
  statusBar()->setSizeGripEnabled(true);

  const ScreenInfo screen = platform().screen();
  resize(screen.width, std::max(400, screen.height - 35));
  move(0, 0);

  pictures_->loadStartPicture(QRandomGenerator::global()->bounded(10));
  setLegendBlockFromKind();
  setMenuCaptions();
  applyLanguage();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  closing_ = true;
  for (QObject* o : findChildren<QObject*>()) QObject::disconnect(o, nullptr, this, nullptr);
  closeTextPrinter();
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  auto action = [this](int entry, QMenu* in, auto slot) {
    QAction* a = in->addAction(QString());
    entries_[entry] = a;
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  auto submenu = [this](int entry, QMenu* in) {
    QMenu* m = in->addMenu(QString());
    entries_[entry] = m->menuAction();
    return m;
  };
  auto topMenu = [this, bar](int entry) {
    QMenu* m = bar->addMenu(QString());
    entries_[entry] = m->menuAction();
    return m;
  };
  auto open = [this](int entry) {
    return [this, entry] { openWorkingWindow(windowOfEntry(entry), entry); };
  };

  QMenu* files = topMenu(menu::kFiles);
  action(menu::kWizard, files, [this] { startWizard(); });
  action(menu::kCloseAll, files, [this] { closeAllWindows(); });
  files->addSeparator();
  action(menu::kPrinterSetup, files, [this] { printerSetup(); });
  action(menu::kPrint, files, [this] { printActive(); });
  action(menu::kPrintWindow, files, [this] { printActiveWindow(); });
  files->addSeparator();
  action(menu::kQuit, files, [this] { close(); });

  QMenu* options = topMenu(menu::kOptions);
  action(menu::kLocation, options, open(menu::kLocation));
  action(menu::kDialType, options, open(menu::kDialType));
  action(menu::kParameters, options, open(menu::kParameters));
  options->addSeparator();
  action(menu::kLoadDefaults, options, [this] { loadDefaults(); });
  action(menu::kSaveIni, options, [this] { saveIniFile(); });
  action(menu::kReloadIni, options, [this] { reloadIniFile(); });
  options->addSeparator();
  action(menu::kSaveData, options, [this] { saveSundialData(); });
  action(menu::kLoadData, options, [this] { loadSundialData(); });

  QMenu* display = topMenu(menu::kDisplay);
  action(menu::kDrawing, display, open(menu::kDrawing));
  QMenu* format = submenu(menu::kFormat, display);
  QAction* a4 = action(menu::kFormatA4, format, [this] { setPaperA4(true); });
  QAction* a3 = action(menu::kFormatA3, format, [this] { setPaperA4(false); });
  a4->setCheckable(true);
  a3->setCheckable(true);
  display->addSeparator();
  action(menu::kColours, display, [this] { showColourPanel(); });

  QMenu* calc = topMenu(menu::kCalculations);
  for (int e : {menu::kRiseSet, menu::kSunPosition, menu::kTimeForPosition, menu::kEotDeclination})
    action(e, calc, open(e));
  calc->addSeparator();
  QMenu* tables = submenu(menu::kTables, calc);
  for (int e : {menu::kRiseSetTable, menu::kEotTable, menu::kDeclinationTable, menu::kNoonTable})
    action(e, tables, open(e));
  calc->addSeparator();
  action(menu::kEotGraph, calc, open(menu::kEotGraph));
  QMenu* sunPath = submenu(menu::kSunPath, calc);
  action(menu::kSunPathRect, sunPath, open(menu::kSunPathRect));
  action(menu::kSunPathPolar, sunPath, open(menu::kSunPathPolar));

  QMenu* help = topMenu(menu::kHelp);
  action(menu::kHelpFile, help, [this] { openHelp(kHelpContents); });
  action(menu::kWizard2, help, [this] { startWizard(); });
  help->addSeparator();
  action(menu::kExpert, help, [this] { toggleExpertMode(); })->setCheckable(true);
  QMenu* language = submenu(menu::kLanguage, help);
  QAction* de = action(menu::kGerman, language, [this] { setLanguage(true); });
  QAction* en = action(menu::kEnglish, language, [this] { setLanguage(false); });
  de->setCheckable(true);
  en->setCheckable(true);
  action(menu::kHints, help, [this] { toggleHints(); })->setCheckable(true);
  help->addSeparator();
  action(menu::kAbout, help, [this] { showAbout(); });

  for (const MenuKey& k : menuKeys()) entries_[k.entry]->setShortcut(k.key);
  for (int e : {menu::kCloseAll, menu::kPrint, menu::kPrintWindow}) entries_[e]->setEnabled(false);
}

void MainWindow::buildPopupMenus() {
  popup_ = new QMenu(this);
  auto add = [this](QMenu* m, auto slot) {
    QAction* a = m->addAction(QString());
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  popupEntries_ = {
      add(popup_, [this] { saveIniFile(); }),
      add(popup_, [this] { loadSundialData(); }),
      add(popup_, [this] { saveDateList(); }),
      add(popup_, [this] { loadDateList(); }),
      add(popup_, [this] { openWorkingWindow(ShellWindow::Location, menu::kLocation); }),
      add(popup_, [this] { openWorkingWindow(ShellWindow::DialType, menu::kDialType); }),
      add(popup_, [this] { openWorkingWindow(ShellWindow::Parameters, menu::kParameters); }),
      add(popup_, [this] { openWorkingWindow(ShellWindow::Drawing, menu::kDrawing); }),
      add(popup_, [this] { toggleHints(); }),
      add(popup_, [this] { closeAllWindows(); }),
  };
  popupEntries_[8]->setCheckable(true);

  sequencePopup_ = new QMenu(this);
  add(sequencePopup_, [this] {
    if (QMdiSubWindow* w = mdi_->activeSubWindow())
      if (auto* f = qobject_cast<LocationWindow*>(w)) return f->nextPressed();
    if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
  });
  add(sequencePopup_, [this] { cancelWizard(); });
  add(sequencePopup_, [this] {
    auto* f = qobject_cast<ChildForm*>(mdi_->activeSubWindow());
    openHelp(f ? f->helpTopic() : kHelpContents);
  });
}

void MainWindow::setMenuCaptions() {
  const DesignState& d = design();
  for (int i = 0; i < kMenuEntryCount; ++i) {
    QString caption = menuCaption(i);
    if (i == menu::kWizard2) caption += kWizardKeyText;
    entries_[i]->setText(caption);
    if (i != menu::kWizard2) entries_[i]->setStatusTip(plainq(menuCaption(i)).trimmed());
  }
  entries_[menu::kGerman]->setChecked(d.germanSelected);
  entries_[menu::kEnglish]->setChecked(!d.germanSelected);
  entries_[menu::kExpert]->setChecked(d.expertMode);
  entries_[menu::kHints]->setChecked(d.showHints);
  entries_[menu::kFormatA4]->setChecked(d.paperA4);
  entries_[menu::kFormatA3]->setChecked(!d.paperA4);

  const int popupStrings[] = {547, 548, 27, 28, 25, 26, 500, 399, 19, 29};
  for (std::size_t i = 0; i < popupEntries_.size(); ++i)
    popupEntries_[i]->setText(strq(popupStrings[i]));
  popupEntries_[8]->setChecked(d.showHints);
  const QList<QAction*> seq = sequencePopup_->actions();
  seq[0]->setText(strq(9));
  seq[1]->setText(strq(8));
  seq[2]->setText(strq(10));
}

// --- start-up -------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!firstShowDone_) {
    firstShowDone_ = true;
    QTimer::singleShot(0, this, &MainWindow::firstShown);
  }
}

void MainWindow::firstShown() {
  if (firstShownRun_) return;
  firstShownRun_ = true;
  firstShowDone_ = true;
  DesignState& d = design();
  const ScreenInfo screen = platform().screen();
  if (screen.width < 1000) {
    showMessage(MsgCaption::Information,
                messageText(50) + std::to_string(screen.width) + " x " +
                    std::to_string(screen.height) + messageText(d.largeFonts ? 51 : 52) + "\n\r" +
                    messageText(19));
  }
  readSettingsFile(d.settingsFileName, prepareObliquity);
  startProgramAfterSettings();
  d.expertModeActive = d.expertMode;
  setLegendBlockFromKind();
  setMenuCaptions();
  applyLanguage();
  if (!fontInstalled("Wingdings")) showMessage(MsgCaption::Warning, messagePair(60, 61));
  if (!startFile_.empty()) {
    loadSettingsFrom(startFile_, prepareObliquity);
    loadAfterCommand();
  }
  activated();
}

// --- working windows ----------------------------------------------------------

ChildForm* MainWindow::findForm(ShellWindow kind) const {
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    auto* f = qobject_cast<ChildForm*>(w);
    if (f && f->kind() == kind && !f->isGone()) return f;
  }
  return nullptr;
}

void MainWindow::closeWindowsNamed(ShellWindow kind) {
  BatchGuard batch(this);
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    auto* f = qobject_cast<ChildForm*>(w);
    if (f && f->kind() == kind && !f->isGone()) f->close();
  }
}

bool MainWindow::closeChildWindows() {
  bool allClosed = true;
  {
    BatchGuard batch(this);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
      auto* f = qobject_cast<ChildForm*>(w);
      if (f && !f->isGone() && !f->close()) allClosed = false;
    }
    pictures_->setStartVisible(false);
    pictures_->hidePanel();
    for (int e : {menu::kDialType, menu::kParameters, menu::kLocation})
      entries_[e]->setEnabled(true);
    popupEntries_[7]->setEnabled(true);
  }
  return allClosed;
}

void MainWindow::closeAllWindows() {
  if (wizardRunning(design())) {
    cancelWizard();
    return;
  }
  closeChildWindows();
  for (int e : {menu::kCloseAll, menu::kPrintWindow, menu::kPrint}) entries_[e]->setEnabled(false);
  colourPanel_->hide();
  pictures_->setSlideButtonVisible(false);
}

void MainWindow::openWorkingWindow(ShellWindow kind, int entry) {
  DesignState& d = design();
  if (!wizardRunning(d)) {
    if (entry == menu::kLocation)
      closeAllWindows();
    else
      closeChildWindows();
  }
  colourPanel_->hide();
  if (!d.inputValid) return;
  pictures_->setStartVisible(false);
  pictures_->hidePanel();
  if (pictures_->slideShowRunning()) pictures_->toggleSlideShow();
  ChildForm* f = createForm(kind, entry);
  if (!f) return;
  showForm(f);
  entries_[menu::kCloseAll]->setEnabled(true);
  entries_[menu::kPrintWindow]->setEnabled(true);
  if (entry >= menu::kRiseSetTable && entry <= menu::kNoonTable)
    entries_[menu::kPrint]->setEnabled(true);
  if (entry == menu::kEotGraph || entry == menu::kSunPathRect || entry == menu::kSunPathPolar) {
    entries_[menu::kPrint]->setEnabled(true);
    entries_[menu::kPrintWindow]->setEnabled(false);
  }
}

ChildForm* MainWindow::createForm(ShellWindow kind, int entry) {
  if (ChildForm* work = createWorkWindow(this, kind, entry)) return work;
  switch (kind) {
    case ShellWindow::Location: return new LocationWindow(this);
    case ShellWindow::DialType: return new DialTypeWindow(this);
    case ShellWindow::Parameters: return new ParameterWindow(this);
    default: return nullptr;
  }
}

void MainWindow::showForm(ChildForm* f) {
  mdi_->addSubWindow(f);
  connect(f, &ChildForm::gone, this, &MainWindow::formGone);
  f->applyLanguage();
  f->adjustSize();
  if (design().childWindowsNormal)
    f->showNormal();
  else
    f->showMaximized();
  if (!design().largeScreen && f->kind() == ShellWindow::Location) f->move(f->x(), 50);
  mdi_->setActiveSubWindow(f);
  windowOpened(f->kind());
}

void MainWindow::windowOpened(ShellWindow kind) {
  switch (kind) {
    case ShellWindow::Location:
      entries_[menu::kLocation]->setEnabled(false);
      entries_[menu::kDialType]->setEnabled(true);
      entries_[menu::kParameters]->setEnabled(true);
      break;
    case ShellWindow::DialType:
      entries_[menu::kDialType]->setEnabled(false);
      entries_[menu::kLocation]->setEnabled(true);
      entries_[menu::kParameters]->setEnabled(true);
      break;
    case ShellWindow::Parameters:
      entries_[menu::kParameters]->setEnabled(false);
      entries_[menu::kDialType]->setEnabled(true);
      entries_[menu::kLocation]->setEnabled(true);
      design().inputValid = false;
      break;
    default: break;
  }
}

void MainWindow::formGone(ShellWindow kind) {
  pending_.push_back(kind);
  if (batchDepth_ == 0)
    QTimer::singleShot(0, this, [this] { processPending(); });
}

void MainWindow::processPending() {
  if (batchDepth_ > 0) return;
  std::vector<ShellWindow> gone;
  gone.swap(pending_);
  for (ShellWindow kind : gone) afterFormGone(kind);
}

void MainWindow::afterFormGone(ShellWindow kind) {
  DesignState& d = design();
  if (closing_) return;
  if (suppressWizard_ > 0 || !wizardRunning(d)) return;
  switch (wizardWindowGone(d, kind)) {
    case WizardAction::OpenDialType: {
      colourPanel_->hide();
      auto* f = new DialTypeWindow(this);
      wizardDialTypeOpened(d);
      showForm(f);
      break;
    }
    case WizardAction::OpenParameters: {
      colourPanel_->hide();
      showForm(new ParameterWindow(this));
      break;
    }
    case WizardAction::OpenDrawing: {
      d.wizardStep = 5;  // the drawing window opens as the sequence's last window
      openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
      endWizard();
      break;
    }
    case WizardAction::None: break;
  }
}

void MainWindow::reopenForm(ShellWindow kind) {
  ChildForm* f = findForm(kind);
  if (!f) return;
  ++suppressWizard_;
  bool closed = false;
  {
    BatchGuard batch(this);
    closed = f->close();
  }
  --suppressWizard_;
  if (!closed) {
    f->applyLanguage();
    return;
  }
  ChildForm* again = createForm(kind, -1);
  showForm(again);
}

// --- the "generate dial" sequence -----------------------------------------------

void MainWindow::setWizardMenus(bool running) {
  for (int e : {menu::kWizard, menu::kWizard2, menu::kCalculations, menu::kOptions, menu::kDrawing})
    entries_[e]->setEnabled(!running);
}

void MainWindow::startWizard() {
  DesignState& d = design();
  closeChildWindows();
  pictures_->setStartVisible(false);
  if (pictures_->slideShowRunning()) pictures_->toggleSlideShow();
  colourPanel_->hide();
  setWizardMenus(true);
  wizardStart(d);
  ChildForm* f = createForm(ShellWindow::Location, menu::kLocation);
  showForm(f);
}

void MainWindow::endWizard() {
  wizardCancel(design());
  setWizardMenus(false);
  entries_[menu::kCloseAll]->setEnabled(false);
  entries_[menu::kPrintWindow]->setEnabled(false);
}

void MainWindow::cancelWizard() {
  DesignState& d = design();
  wizardCancel(d);
  closeChildWindows();
  setWizardMenus(false);
  entries_[menu::kCloseAll]->setEnabled(false);
  entries_[menu::kPrintWindow]->setEnabled(false);
  if (mdi_->subWindowList().isEmpty() || !findAnyForm()) pictures_->setStartVisible(true);
}

bool MainWindow::findAnyForm() const {
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    auto* f = qobject_cast<ChildForm*>(w);
    if (f && !f->isGone()) return true;
  }
  return false;
}

// --- language ---------------------------------------------------------------------

void MainWindow::setLanguage(bool german) {
  // The help pages are part of the program, so the help of either
  // language is always there: no box about a missing help file.
  selectLanguage(german);
  setMenuCaptions();
  applyLanguage();
  if (isWindowOpen(ShellWindow::DialType)) reopenForm(ShellWindow::DialType);
}

void MainWindow::applyLanguage() {
  applyQtLanguage(design().language);
  setMenuCaptions();
  setWindowTitle(QStringLiteral("  Tavrel  v. ") + qs(design().versionText));
  pictures_->applyLanguage();
  colourPanel_->refresh(legendBlock_);
  about_->applyLanguage();
  for (QMdiSubWindow* w : mdi_->subWindowList())
    if (auto* f = qobject_cast<ChildForm*>(w); f && !f->isGone()) f->applyLanguage();
  if (help_ && help_->isVisible()) help_->showTopic(help_->topic());
}

void MainWindow::loadAfterCommand() {
  DesignState& d = design();
  selectLanguage(d.germanSelected);
  d.expertModeActive = d.expertMode;
  setLegendBlockFromKind();
  setMenuCaptions();
  applyLanguage();
}

// --- Options, Display, Help -------------------------------------------------------

void MainWindow::setLegendBlockFromKind() {
  legendBlock_ = colourLegendBlock(design().dialKind, legendBlock_);
}

void MainWindow::toggleExpertMode() {
  DesignState& d = design();
  setExpertMode(d, !d.expertMode);
  dialKindForExpertMode(d);  // the expert-only families give way to the first
  entries_[menu::kExpert]->setChecked(d.expertMode);
  setLegendBlockFromKind();
  if (isWindowOpen(ShellWindow::Drawing))
    closeWindowsNamed(ShellWindow::Drawing);
  else if (isWindowOpen(ShellWindow::DialType))
    reopenForm(ShellWindow::DialType);
  else if (isWindowOpen(ShellWindow::Parameters))
    reopenForm(ShellWindow::Parameters);
  d.mapOverlay = d.expertMode;
}

void MainWindow::showColourPanel() {
  setLegendBlockFromKind();
  colourPanel_->refresh(legendBlock_);
  colourPanel_->adjustSize();
  colourPanel_->move(10, 10);
  colourPanel_->show();
  colourPanel_->raise();
}

void MainWindow::hideColourPanel() {
  colourPanel_->hide();
  if (pictures_->startVisible()) pictures_->setStartVisible(false);
  if (isWindowOpen(ShellWindow::Drawing)) openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
  if (auto* table = form<TableWindow>(ShellWindow::Table)) {
    requestTable(table->request());
    openWorkingWindow(ShellWindow::Table, menu::kRiseSetTable);
  }
}

void MainWindow::toggleHints() {
  DesignState& d = design();
  d.showHints = !d.showHints;
  entries_[menu::kHints]->setChecked(d.showHints);
  popupEntries_[8]->setChecked(d.showHints);
}

void MainWindow::showAbout() {
  about_->applyLanguage();
  const QSize area = mdi_->viewport()->size();
  about_->move((area.width() - about_->width()) / 2, area.height() / 3 - about_->height() / 2);
  about_->show();
  about_->raise();
}

void MainWindow::setPaperA4(bool a4) {
  showPaperChoice(a4);
  if (auto* drawing = form<DrawingWindow>(ShellWindow::Drawing)) drawing->setPaperA4(a4);
}

void MainWindow::showPaperChoice(bool a4) {
  design().paperA4 = a4;
  entries_[menu::kFormatA4]->setChecked(a4);
  entries_[menu::kFormatA3]->setChecked(!a4);
}

void MainWindow::openHelp(int topic) {
  if (!help_) help_ = new HelpViewer(this);
  help_->showTopic(topic > 0 ? topic : kHelpContents);
}

void MainWindow::showPopupMenu(const QPoint& globalPos) {
  if (wizardRunning(design())) {
    sequencePopup_->popup(globalPos);
    return;
  }
  updatePopupEntries();
  popup_->popup(globalPos);
}

void MainWindow::updatePopupEntries() {
  auto* active = qobject_cast<ChildForm*>(mdi_->activeSubWindow());
  const bool dates = active && active->kind() == ShellWindow::Parameters &&
                     design().dateLineMode == '2';
  popupEntries_[2]->setVisible(dates);
  popupEntries_[3]->setVisible(dates);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* e) { showPopupMenu(e->globalPos()); }

// --- settings-file commands ---------------------------------------------------------

namespace {
FileDialogRequest settingsDialog(DialogTitle title, int filterText, std::string name,
                                 std::string extension) {
  FileDialogRequest r;
  r.title = dialogTitle(title);
  r.filter = uiText(filterText);
  r.defaultExtension = std::move(extension);
  r.initialName = std::move(name);
  r.overwritePrompt = true;
  return r;
}
}  // namespace

void MainWindow::saveIniFile() {
  closeChildWindows();
  const std::optional<std::string> path = platform().saveFileName(settingsDialog(
      DialogTitle::SaveConstruction, 2050, design().settingsFileName, "ini"));
  if (path) saveSettingsAs(*path, true);
}

void MainWindow::saveSundialData() {
  const std::optional<std::string> path = platform().saveFileName(
      settingsDialog(DialogTitle::SaveConstruction, 2050, "myDial.tav", "tav"));
  if (path) saveSettingsAs(*path, false);
}

void MainWindow::reloadIniFile() {
  closeChildWindows();
  if (design().inputValid) reloadSettingsFile(prepareObliquity);
  loadAfterCommand();
}

void MainWindow::loadDefaults() {
  closeChildWindows();
  if (design().inputValid) loadDefaultValues();
  loadAfterCommand();
}

void MainWindow::loadSundialData() {
  closeChildWindows();
  if (!design().inputValid) return;
  FileDialogRequest r = settingsDialog(DialogTitle::LoadConstruction, 2051, "", "tav");
  r.overwritePrompt = false;
  const std::optional<std::string> path = platform().openFileName(r);
  if (!path) return;
  loadSettingsFrom(*path, prepareObliquity);
  loadAfterCommand();
}

void MainWindow::saveColours() { saveColorsToSettingsFile(); }

void MainWindow::loadColours(bool reset) {
  loadColorsFromSettingsFile(reset);
  showColourPanel();
}

void MainWindow::saveDateList() { saveDateListFile(); }

void MainWindow::loadDateList() {
  loadDateListFile();
  if (auto* f = form<ParameterWindow>(ShellWindow::Parameters)) f->refreshDateList();
}

// --- printing -------------------------------------------------------------------------

void MainWindow::printerSetup() {
  // One printer for the whole program: the working windows print on it.
  QPageSetupDialog dialog(&workPrinter(), this);
  dialog.exec();
}

void MainWindow::printActive() {
  // The drawing, calculator and table windows print their own content;
  // the input windows have none.
  printWorkWindow(qobject_cast<ChildForm*>(mdi_->activeSubWindow()));
}

void MainWindow::printActiveWindow() {
  QMdiSubWindow* w = mdi_->activeSubWindow();
  if (!w) return;
  closeTextPrinter();
  QPrinter& printer = workPrinter();
  const QPixmap picture = w->widget()->grab();
  const bool landscape = w->widget()->width() >= platform().screen().width / 2;
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (runPrintDialog(printer, this)) {
    QPainter p;
    if (p.begin(&printer)) {
      const QRect page = p.viewport();
      p.fillRect(page, Qt::white);
      const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
      p.drawPixmap(QRect(page.topLeft(), size), picture);
      p.end();
    } else {
      reportPrintError();
    }
  }
  printer.setPageOrientation(QPageLayout::Portrait);
}

// --- events ---------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* e) {
  closing_ = true;
  wizardCancel(design());
  if (!closeChildWindows()) {
    closing_ = false;
    e->ignore();
    return;
  }
  entries_[menu::kPrintWindow]->setEnabled(false);
  if (help_) help_->close();
  e->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::ToolTip && !design().showHints) return true;
  if (watched == mdi_->viewport()) {
    if (e->type() == QEvent::Resize) layoutOverlays();
    if (e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
      pictures_->hidePanel();
  }
  return QMainWindow::eventFilter(watched, e);
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    pictures_->hidePanel();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void MainWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && isActiveWindow() && firstShowDone_) activated();
  QMainWindow::changeEvent(e);
}

void MainWindow::activated() {
  if (!pictures_->startVisible() || pictures_->slideShowRunning() || findAnyForm()) return;
  if (!pictures_->panelVisible()) pictures_->showPicture(dialPictureNumber(design()));
  pictures_->setSlideButtonVisible(true);
}

void MainWindow::layoutOverlays() { pictures_->layout(); }

void MainWindow::subWindowActivated(QMdiSubWindow* w) {
  auto* previous = qobject_cast<ChildForm*>(lastActive_.data());
  lastActive_ = w;
  if (!previous || !w || previous == w || previous->isGone() || previous->checking()) return;
  if (!previous->checksOnDeactivate()) return;
  bool ok = false;
  {
    ChildForm::CheckGuard guard(previous);
    ok = previous->closeQuery();
  }
  if (!ok) {
    QApplication::beep();
    QPointer<ChildForm> back = previous;
    QTimer::singleShot(0, this, [this, back] {
      if (back) mdi_->setActiveSubWindow(back);
    });
  }
}

QString MainWindow::pictureCaption(int number) {
  if (number == 3001 || number == 3002) return qs(tableText(TextTable::Labels, labelRow::kUmbrellaFamily));
  return uiq(10000 + number);
}

}  // namespace tavrel
