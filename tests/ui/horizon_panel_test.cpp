// The horizon-profile calculation panel of the table window: its field
// checks, a computation whose progress bar moves while the event loop
// runs, and Cancel, which stops the computation and saves nothing.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "../tables/horizon_test_terrain.h"
#include "tables/horizon.h"
#include "ui/horizon_panel.h"
#include "ui/table_window.h"
#include "ui/work_windows.h"
#include "ui_fixture.h"

using namespace tavrel;
using namespace tavrel::test;

class HorizonPanelTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;

  std::string writeGrid() {
    TerrainSpec t;
    t.cones = {{30, 20000, 900, 4000}};
    placeCones(t);
    const std::string path = f->dir.path().toStdString() + "/g.asc";
    std::ofstream(path, std::ios::binary) << terrainGrid(t);
    design().latitude = 47.5;
    design().longitude = -11.5;
    return path;
  }
  HorizonPanel* openPanel() {
    f->main->openWorkingWindow(ShellWindow::Table, menu::kEotTable);
    UiFixture::settle();
    auto* table = f->main->form<TableWindow>(ShellWindow::Table);
    HorizonPanel* panel = table ? table->openHorizonPanel() : nullptr;
    if (panel) panel->setProgressIntervalMs(1);
    return panel;
  }

 private slots:
  void init() {
    f = std::make_unique<UiFixture>(false);
    horizonSettings() = {};
    horizonState() = HorizonState{};
  }
  void cleanup() {
    f.reset();
    horizonSettings() = {};
    horizonState() = HorizonState{};
  }

  void fieldChecks() {
    HorizonPanel* p = openPanel();
    QVERIFY(p);
    p->minDistanceField()->setText(QStringLiteral("150"));
    QVERIFY(p->checkFields());
    QCOMPARE(horizonSettings().minObjectDistance, 180);
    QCOMPARE(p->minDistanceField()->text(), QStringLiteral("180"));
    p->maxDistanceField()->setText(QStringLiteral("301"));
    QVERIFY(!p->checkFields());
    QCOMPARE(horizonSettings().maxObjectDistance, 60);
    QVERIFY(f->boxTexts().last().startsWith(QStringLiteral("Maximal Object Distance=301")));
  }

  void progressMovesAndProfileIsSaved() {
    const std::string grid = writeGrid();
    HorizonPanel* p = openPanel();
    QVERIFY(p);
    const std::string out = f->dir.path().toStdString() + "/p.ele";
    f->platform->fileNames = {grid, out};
    p->maxDistanceField()->setText(QStringLiteral("60"));
    QList<int> seen;
    connect(p->progressBar(), &QProgressBar::valueChanged, this, [&](int v) { seen << v; });
    p->startCalculation();
    QVERIFY2(std::filesystem::exists(out), qPrintable(f->boxTexts().join(QStringLiteral(" | "))));
    QVERIFY(std::any_of(seen.begin(), seen.end(), [](int v) { return v > 0 && v < 1000; }));
    QCOMPARE(seen.last(), 1000);
    QVERIFY(f->boxTexts().last().endsWith(QStringLiteral(" saved!")));
  }

  void cancelStopsAndSavesNothing() {
    const std::string grid = writeGrid();
    HorizonPanel* p = openPanel();
    QVERIFY(p);
    const std::string out = f->dir.path().toStdString() + "/p.ele";
    f->platform->fileNames = {grid, out};
    connect(p->progressBar(), &QProgressBar::valueChanged, p, [p](int v) {
      if (v > 0 && v < 1000) p->cancel();
    });
    p->startCalculation();
    QVERIFY(!std::filesystem::exists(out));
    QVERIFY(f->boxTexts().contains(QStringLiteral("Action cancelled!")));
  }

  void switchWithoutProfileAsks() {
    f->main->openWorkingWindow(ShellWindow::Table, menu::kEotTable);
    UiFixture::settle();
    auto* table = f->main->form<TableWindow>(ShellWindow::Table);
    QVERIFY(table);
    table->horizonSwitch()->click();
    QVERIFY(!table->horizonSwitch()->isChecked());
    QCOMPARE(f->boxTexts().last(),
             QStringLiteral("No horizon profile has been loaded!\r\nDo you wish to load a new horizon profile?"));
  }
};

QTEST_MAIN(HorizonPanelTest)
#include "horizon_panel_test.moc"
