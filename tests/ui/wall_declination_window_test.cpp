// The "Measure wall declination" window: opened from the sun calculator
// and from the planar page of a wall (not of a level dial), it computes
// every row, marks the outlier, refuses impossible rows with their reason,
// and "Use this declination" writes wallDeclination, which the parameter
// page shows at once.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/design_state.h"
#include "tables/wall_declination.h"
#include "ui/calculator_window.h"
#include "ui/parameter_window.h"
#include "ui/wall_declination_window.h"
#include "ui/work_windows.h"
#include "ui_fixture.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

QPushButton* toolButton(QWidget* in) {
  for (QPushButton* b : in->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("&Measure wall declination ...")) return b;
  return nullptr;
}

WallDeclinationWindow* openedTool() {
  UiFixture::settle();
  return qobject_cast<WallDeclinationWindow*>(QApplication::activeModalWidget());
}

// Board angles of a wall facing south-west (declination +45) at 47.25 N,
// 9.59 E, zone -15, on 21 June 2024: ephem's sun azimuth (from north
// through east, tests/data/sun_horizontal_reference.tsv) minus the bearing
// 225 the wall faces.
struct Row {
  const char* time;
  double azimuthNorthEast;
};
const Row kSouthWestRows[] = {{"12:00", 166.765120}, {"15:30", 253.861985}};

void fillRows(WallDeclinationWindow* w, bool withOutlier) {
  while (w->table()->rowCount() > 0) w->removeLastRow();
  for (const Row& r : kSouthWestRows)
    w->addRow(QStringLiteral("2024-06-21"), QString::fromLatin1(r.time),
              QString::number(r.azimuthNorthEast - 225, 'f', 3));
  // The same wall read again, and a reading with the clock an hour off.
  w->addRow(QStringLiteral("2024-06-21"), QStringLiteral("12:00:00"), QString::number(166.765120 - 225 + 0.3, 'f', 3));
  if (withOutlier) w->addRow(QStringLiteral("2024-06-21"), QStringLiteral("14:30"), QString::number(253.861985 - 225, 'f', 3));
}

}  // namespace

class WallDeclinationWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;

 private slots:
  void init() {
    f = std::make_unique<UiFixture>(false);
    DesignState& d = design();
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
  }
  void cleanup() {
    if (QWidget* m = QApplication::activeModalWidget()) m->close();
    UiFixture::settle();
    f.reset();
  }

  void fromTheCalculatorRowsGiveTheWallAndTheOutlierIsMarked() {
    f->main->openWorkingWindow(ShellWindow::Calculator, menu::kSunPosition);
    UiFixture::settle();
    auto* calc = f->main->form<CalculatorWindow>(ShellWindow::Calculator);
    QVERIFY(calc);
    QPushButton* open = toolButton(calc);
    QVERIFY(open);
    open->click();
    WallDeclinationWindow* w = openedTool();
    QVERIFY(w);
    QCOMPARE(w->windowModality(), Qt::ApplicationModal);
    QCOMPARE(w->windowTitle(), QStringLiteral("Measure wall declination"));

    fillRows(w, true);
    QCOMPARE(w->table()->rowCount(), 4);
    for (int row = 0; row < 3; ++row) {
      const QString text = w->table()->item(row, WallDeclinationWindow::kDeclinationColumn)->text();
      QVERIFY2(std::fabs(text.chopped(1).toDouble() - 45) < 0.35, qPrintable(text));
    }
    QCOMPARE(w->table()->item(3, WallDeclinationWindow::kNoteColumn)->text(), QStringLiteral("outlier"));
    QCOMPARE(w->summary().used, 3);
    QVERIFY(std::fabs(w->summary().mean - 44.9) < 0.03);
    QVERIFY(w->summaryLabel()->text().startsWith(QStringLiteral("Mean: 44.9")));
    QVERIFY(w->summaryLabel()->text().contains(QStringLiteral("(outliers left out of the mean)")));

    design().wallDeclination = -11.7;
    QVERIFY(w->useDeclination());
    QCOMPARE(design().wallDeclination, std::round(w->summary().mean * 100) / 100);
  }

  void refusedRowsSayWhyAndCannotBeUsed() {
    WallDeclinationWindow* w = openWallDeclinationWindow(f->main.get(), f->main.get());
    while (w->table()->rowCount() > 0) w->removeLastRow();
    w->addRow(QStringLiteral("2024-02-30"), QStringLiteral("12:00"), QStringLiteral("10"));
    w->addRow(QStringLiteral("2024-06-21"), QStringLiteral("23:30"), QStringLiteral("10"));
    w->addRow(QStringLiteral("2024-06-21"), QStringLiteral("12:00"), QStringLiteral("-95"));
    const WallRefusal expected[3] = {WallRefusal::ImpossibleTime, WallRefusal::SunBelowHorizon,
                                     WallRefusal::SunBehindWall};
    for (int row = 0; row < 3; ++row) {
      QCOMPARE(w->readings()[row].refusal, expected[row]);
      QCOMPARE(w->table()->item(row, WallDeclinationWindow::kNoteColumn)->text(),
               QString::fromStdString(wallRefusalText(expected[row], 2)));
      QVERIFY(w->table()->item(row, WallDeclinationWindow::kDeclinationColumn)->text().isEmpty());
    }
    QVERIFY(!w->useButton()->isEnabled());
    design().wallDeclination = 12.5;
    f->platform->boxes.clear();
    QVERIFY(!w->useDeclination());
    QCOMPARE(design().wallDeclination, 12.5);
    QCOMPARE(f->boxTexts(), QStringList{QStringLiteral("No valid measurement.")});
  }

  void theParameterPageOfAWallOpensItAndShowsTheNewValue() {
    design().dialKind = 'v';
    f->main->openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
    UiFixture::settle();
    auto* page = f->main->form<ParameterWindow>(ShellWindow::Parameters);
    QVERIFY(page);
    QPushButton* open = toolButton(page);
    QVERIFY(open);
    QVERIFY(open->isVisibleTo(page));
    open->click();
    WallDeclinationWindow* w = openedTool();
    QVERIFY(w);
    fillRows(w, false);
    QVERIFY(w->useDeclination());
    const double value = design().wallDeclination;
    QVERIFY(std::fabs(value - 44.9) < 0.03);
    QCOMPARE(page->fieldFor(&design().wallDeclination)->text().toDouble(), value);
    w->close();
    UiFixture::settle();

    // A horizontal dial has no wall: no button.
    f->main->closeWindowsNamed(ShellWindow::Parameters);
    design().dialKind = 'h';
    f->main->openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
    UiFixture::settle();
    page = f->main->form<ParameterWindow>(ShellWindow::Parameters);
    QVERIFY(page);
    QPushButton* hidden = toolButton(page);
    QVERIFY(!hidden || !hidden->isVisibleTo(page));
  }
};

QTEST_MAIN(WallDeclinationWindowTest)
#include "wall_declination_window_test.moc"
