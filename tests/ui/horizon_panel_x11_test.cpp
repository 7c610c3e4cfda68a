// The horizon-profile panel on a real X display (run under xvfb-run with
// the xcb platform): after a calculation, saved or not, a mouse click made
// by the X server (xdotool) still reaches the main window. What the
// offscreen tests cannot see: which windows Qt blocks while a modal window
// is shown, and whether it lets them go again.
//
// Message boxes and file dialogs are answered by the scripted platform (the
// question "Add missing data now?" gets No); the windows, their modality
// and the clicks are real. A screenshot of the screen after each case is
// left beside the test program (horizon_panel_x11_<case>.png).
#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <fstream>

#include "../tables/horizon_test_terrain.h"
#include "tables/horizon.h"
#include "ui/horizon_panel.h"
#include "ui/table_window.h"
#include "ui/work_windows.h"
#include "ui_fixture.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// Counts the mouse presses Qt delivers to the widgets of one window.
class PressCounter : public QObject {
 public:
  explicit PressCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~PressCounter() override { qApp->removeEventFilter(this); }
  int presses = 0;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress && o->isWidgetType() && static_cast<QWidget*>(o)->window() == window_)
      ++presses;
    return false;
  }

 private:
  QWidget* window_;
};

// A click by the X server at the centre of the widget.
bool xClick(QWidget* w) {
  const QPoint p = w->mapToGlobal(w->rect().center());
  return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                                       QString::number(p.x()), QString::number(p.y()),
                                                       QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

void screenshot(const QString& name) {
  QProcess::execute(QStringLiteral("import"),
                    {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("horizon_panel_x11_") + name + ".png"});
}

}  // namespace

class HorizonPanelX11Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs on a real X display (xvfb-run)");
    QVERIFY2(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("version")}) == 0,
             "xdotool is needed (scripts/install-deps installs it)");
  }

  void clickReachesMainWindowAfterCalculation_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("saved") << true;
    QTest::newRow("save dialog cancelled") << false;
  }

  void clickReachesMainWindowAfterCalculation() {
    QFETCH(bool, save);
    UiFixture f(false);
    horizonSettings() = {};
    horizonState() = HorizonState{};
    // A grid whose search area leaves it on every side: the question for
    // the missing tiles comes and is answered No.
    TerrainSpec terrain;
    terrain.cones = {{30, 20000, 900, 4000}};
    placeCones(terrain);
    const std::string grid = f.dir.path().toStdString() + "/g.asc";
    std::ofstream(grid, std::ios::binary) << terrainGrid(terrain);
    design().latitude = 47.5;
    design().longitude = -11.5;

    f.main->move(0, 0);
    f.main->resize(1100, 800);
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    f.main->openWorkingWindow(ShellWindow::Table, menu::kEotTable);
    UiFixture::settle();
    auto* table = f.main->form<TableWindow>(ShellWindow::Table);
    QVERIFY(table);
    QWidget* target = table->yearField();
    QTRY_VERIFY(target->isVisible());

    PressCounter counter(f.main.get());
    QVERIFY(xClick(target));
    QTRY_COMPARE_WITH_TIMEOUT(counter.presses, 1, 5000);  // the harness reaches the window

    HorizonPanel* panel = table->openHorizonPanel();
    QVERIFY(panel);
    panel->move(1110, 0);
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    const std::string out = f.dir.path().toStdString() + "/p.ele";
    f.platform->fileNames = {grid, save ? std::optional<std::string>(out) : std::nullopt};
    QPointer<HorizonPanel> watched(panel);
    panel->startCalculation();
    UiFixture::settle();
    QCOMPARE(std::filesystem::exists(out), save);
    QVERIFY(f.boxTexts().join(QStringLiteral("|")).contains(QStringLiteral("Add missing data now?")));
    if (watched) {
      // Not saved: the panel stays open; its Cancel closes it.
      QVERIFY(xClick(watched->cancelButton()));
      QTRY_VERIFY_WITH_TIMEOUT(!watched || !watched->isVisible(), 5000);
    }

    QVERIFY(xClick(target));
    QTest::qWait(300);
    screenshot(save ? QStringLiteral("saved") : QStringLiteral("cancelled"));
    QTRY_COMPARE_WITH_TIMEOUT(counter.presses, 2, 5000);
    horizonSettings() = {};
    horizonState() = HorizonState{};
  }
};

QTEST_MAIN(HorizonPanelX11Test)
#include "horizon_panel_x11_test.moc"
