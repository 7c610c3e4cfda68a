// The main window (MainWindow): the frame of the program with its menu bar,
// pop-up menus, status bar, start picture and picture strip, colour panel
// and about panel. Every working window opens inside it, one at a time;
// the "generate dial" sequence leads through location, dial type and
// parameters to the drawing window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <string>
#include <vector>

#include "core/main_window_rules.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;

namespace tavrel {

class AboutPanel;
class ChildForm;
class ColourPanel;
class HelpViewer;
class PictureArea;

// Number of main-menu entries (top-level menus, entries and submenus in
// menu order, separators left out).
inline constexpr int kMenuEntryCount = 45;

// Main-menu entries the program names.
namespace menu {
constexpr int kFiles = 0, kWizard = 1, kCloseAll = 2, kPrinterSetup = 3, kPrint = 4,
              kPrintWindow = 5, kQuit = 6, kOptions = 7, kLocation = 8, kDialType = 9,
              kParameters = 10, kLoadDefaults = 11, kSaveIni = 12, kReloadIni = 13,
              kSaveData = 14, kLoadData = 15, kDisplay = 16, kDrawing = 17, kFormat = 18,
              kFormatA4 = 19, kFormatA3 = 20, kColours = 21, kCalculations = 22,
              kRiseSet = 23, kSunPosition = 24, kTimeForPosition = 25, kEotDeclination = 26,
              kTables = 27, kRiseSetTable = 28, kEotTable = 29, kDeclinationTable = 30,
              kNoonTable = 31, kEotGraph = 32, kSunPath = 33, kSunPathRect = 34,
              kSunPathPolar = 35, kHelp = 36, kHelpFile = 37, kWizard2 = 38, kExpert = 39,
              kLanguage = 40, kGerman = 41, kEnglish = 42, kHints = 43, kAbout = 44;
}

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // What the main window does when it is first shown: the small-screen
  // note, the settings file, the language and the font check. Runs once.
  void firstShown();
  // A construction-data file that firstShown loads after the settings file,
  // as "Load Sundial Data" does (the file the program was started with).
  void openAtStart(const std::string& path) { startFile_ = path; }

  // --- parts, for the working windows and for tests ---
  QAction* menuEntry(int index) const { return entries_[index]; }
  QMenu* popupMenu() const { return popup_; }
  QMenu* sequencePopupMenu() const { return sequencePopup_; }
  QMdiArea* mdiArea() const { return mdi_; }
  ColourPanel* colourPanel() const { return colourPanel_; }
  PictureArea* pictures() const { return pictures_; }
  AboutPanel* aboutPanel() const { return about_; }
  HelpViewer* helpViewer() const { return help_; }
  ChildForm* findForm(ShellWindow kind) const;
  template <class T>
  T* form(ShellWindow kind) const {
    return qobject_cast<T*>(findForm(kind));
  }
  bool isWindowOpen(ShellWindow kind) const { return findForm(kind) != nullptr; }
  void closeWindowsNamed(ShellWindow kind);
  // First row of the colour-legend block that describes the pens.
  int legendBlock() const { return legendBlock_; }
  void setLegendBlockFromKind();

  // --- commands ---
  void startWizard();   // entries 1 and 38
  void cancelWizard();  // Cancel of the sequence
  // Closes every working window through its close query; false when one
  // stayed open.
  bool closeChildWindows();
  void closeAllWindows();  // entry 2
  // Entries 8, 9, 10, 17, 23 to 26, 28 to 35.
  void openWorkingWindow(ShellWindow kind, int entry = -1);
  void setLanguage(bool german);  // entries 41, 42
  void applyLanguage();
  void toggleExpertMode();  // entry 39
  void showColourPanel();   // entry 21
  void hideColourPanel();   // the panel's Close button
  void toggleHints();       // entry 43
  void showAbout();         // entry 44
  void setPaperA4(bool a4); // entries 19, 20; redraws an open drawing window
  void showPaperChoice(bool a4);  // the record and the check marks only
  void saveIniFile();       // entry 12
  void reloadIniFile();     // entry 13
  void loadDefaults();      // entry 11
  void saveSundialData();   // entry 14
  void loadSundialData();   // entry 15
  void saveColours();       // colour panel
  void loadColours(bool reset);
  void saveDateList();      // pop-up
  void loadDateList();
  void openHelp(int topic); // entry 37 (topic 100) and F1 in a working window
  void showPopupMenu(const QPoint& globalPos);
  void printActive();       // entry 4
  void printActiveWindow(); // entry 5
  void printerSetup();      // entry 3

  // The text of a picture caption (picture strip, picture panel).
  static QString pictureCaption(int number);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void buildMenus();
  void buildPopupMenus();
  void setMenuCaptions();
  ChildForm* createForm(ShellWindow kind, int entry);
  void showForm(ChildForm* form);
  void formGone(ShellWindow kind);
  void afterFormGone(ShellWindow kind);
  void endWizard();
  void setWizardMenus(bool running);
  void windowOpened(ShellWindow kind);
  void updatePopupEntries();
  void layoutOverlays();
  void activated();
  void subWindowActivated(QMdiSubWindow* w);
  void loadAfterCommand();
  void processPending();
  bool findAnyForm() const;
  // Closes a working window and opens it again (language, expert mode),
  // without moving the "generate dial" sequence on.
  void reopenForm(ShellWindow kind);

  // Windows closed inside a batch (closing all windows) take their next
  // steps when the batch ends; a window closed on its own takes them from
  // the event loop.
  struct BatchGuard {
    explicit BatchGuard(MainWindow* m) : m(m) { ++m->batchDepth_; }
    ~BatchGuard() {
      if (--m->batchDepth_ == 0) m->processPending();
    }
    MainWindow* m;
  };

  std::array<QAction*, kMenuEntryCount> entries_{};
  QMenu* popup_ = nullptr;
  QMenu* sequencePopup_ = nullptr;
  std::vector<QAction*> popupEntries_;  // in the order of the pop-up menu
  QMdiArea* mdi_ = nullptr;
  ColourPanel* colourPanel_ = nullptr;
  PictureArea* pictures_ = nullptr;
  AboutPanel* about_ = nullptr;
  HelpViewer* help_ = nullptr;
  QPointer<QMdiSubWindow> lastActive_;
  int legendBlock_ = 0;
  bool firstShowDone_ = false;
  bool firstShownRun_ = false;
  bool closing_ = false;
  int batchDepth_ = 0;
  int suppressWizard_ = 0;
  std::vector<ShellWindow> pending_;
  std::string startFile_;
};

}  // namespace tavrel
