// The location window (LocationWindow) driven through its fields: the degree,
// minute and second conversions, the hemisphere, the year range, the
// 15-degree question and inputValid.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui_fixture.h"

using namespace tavrel;
using tavrel::test::UiFixture;

class LocationWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;
  LocationWindow* w = nullptr;

  void type(QLineEdit* e, const char* text) { e->setText(QString::fromUtf8(text)); }
  void setDms(int row, const char* deg, const char* min, const char* sec, bool first) {
    type(w->dmsField(row, 0), deg);
    type(w->dmsField(row, 1), min);
    type(w->dmsField(row, 2), sec);
    w->hemisphere(row, first)->setChecked(true);
  }

 private slots:
  void init() {
    f = std::make_unique<UiFixture>();
    f->main->openWorkingWindow(ShellWindow::Location, menu::kLocation);
    w = f->main->form<LocationWindow>(ShellWindow::Location);
    QVERIFY(w);
    f->platform->boxes.clear();
  }
  void cleanup() {
    f.reset();
    w = nullptr;
  }

  void zeroLatitudeKeepsItsHemisphere() {
    w->setDecimalMode(false);
    setDms(0, "0", "0", "0", true);
    QVERIFY(w->checkLocationWindow());
    QCOMPARE(design().latitude, 1e-6);
    setDms(0, "0", "0", "0", false);
    QVERIFY(w->checkLocationWindow());
    QCOMPARE(design().latitude, -1e-6);
    QVERIFY(f->platform->boxes.empty());
  }

  void decimalZeroStaysZero() {
    w->setDecimalMode(true);
    type(w->decimalField(0), "0");
    QVERIFY(w->leaveField(w->decimalField(0)));
    QCOMPARE(design().latitude, 0.0);
  }

  void latitudeAboveNinetyBecomesNinetyWithoutMessage() {
    w->setDecimalMode(false);
    setDms(0, "90", "30", "0", true);
    QVERIFY(w->leaveField(w->dmsField(0, 1)));
    QCOMPARE(design().latitude, 90.0);
    QVERIFY(f->platform->boxes.empty());
  }

  void decimalToDegreesMinutesSeconds_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<int>("deg");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("sec");
    QTest::addColumn<bool>("first");  // North, or East
    // Worked by hand: 0.37 deg = 22.2' = 22' 12"; 0.999999 deg =
    // 59.99994' = 59' 59.9964" -> 60" after rounding.
    QTest::newRow("longitude -16.37") << 1 << "-16.37" << 16 << 22 << 12 << true;
    QTest::newRow("latitude 47.999999") << 0 << "47.999999" << 47 << 59 << 60 << true;
    QTest::newRow("latitude -33.5") << 0 << "-33.5" << 33 << 30 << 0 << false;
    QTest::newRow("zone 15") << 2 << "15" << 15 << 0 << 0 << false;
  }
  void decimalToDegreesMinutesSeconds() {
    QFETCH(int, row);
    QFETCH(QString, decimal);
    QFETCH(int, deg);
    QFETCH(int, min);
    QFETCH(int, sec);
    QFETCH(bool, first);
    f->platform->answers = {MsgAnswer::Yes};  // a far zone meridian is fine here
    w->decimalField(row)->setText(decimal);
    w->leaveField(w->decimalField(row));
    QCOMPARE(w->dmsField(row, 0)->text().toInt(), deg);
    QCOMPARE(w->dmsField(row, 1)->text().toInt(), min);
    QCOMPARE(w->dmsField(row, 2)->text().toInt(), sec);
    QCOMPARE(w->hemisphere(row, true)->isChecked(), first);
  }

  void yearRange_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1299") << "1299" << false;
    QTest::newRow("1300") << "1300" << true;
    QTest::newRow("2500") << "2500" << true;
    QTest::newRow("2501") << "2501" << false;
  }
  void yearRange() {
    QFETCH(QString, year);
    QFETCH(bool, accepted);
    const int before = design().referenceYear;
    w->yearField()->setText(year);
    QCOMPARE(w->leaveField(w->yearField()), accepted);
    QCOMPARE(design().referenceYear, accepted ? year.toInt() : before);
    QCOMPARE(design().inputValid, accepted);
    QCOMPARE(f->platform->boxes.size(), std::size_t(accepted ? 0 : 1));
  }

  void zoneMeridianFifteenDegreesAway() {
    w->setDecimalMode(true);
    type(w->decimalField(1), "0");
    type(w->decimalField(2), "-15");
    QVERIFY(w->checkLocationWindow());
    QVERIFY(f->platform->boxes.empty());

    type(w->decimalField(2), "-15.01");
    f->platform->answers = {MsgAnswer::No};
    QVERIFY(!w->checkLocationWindow());
    QVERIFY(!design().inputValid);
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    const RecordedBox& box = f->platform->boxes[0];
    QCOMPARE(box.caption, MsgCaption::Warning);
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    QVERIFY(box.text.rfind("Die geogr. Länge ist mehr als 15 Grad", 0) == 0);

    f->platform->answers = {MsgAnswer::Yes};
    QVERIFY(w->checkLocationWindow());
    QVERIFY(design().inputValid);
    QCOMPARE(design().zoneMeridian, -15.01);
  }

  void switchingTheModeChecksTheNewFieldsAtOnce() {
    w->setDecimalMode(true);
    type(w->dmsField(0, 1), "75");
    f->platform->boxes.clear();
    w->setDecimalMode(false);
    QVERIFY(!design().inputValid);
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(tavrel::test::q(f->platform->boxes[0].text),
             QStringLiteral("Winkelminuten=75 Zulässiger Wertebereich ist [0..60] !"));
  }

  void failedWindowBlocksTheNextCommand() {
    w->yearField()->setText(QStringLiteral("3000"));
    QVERIFY(!w->leaveField(w->yearField()));
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    QVERIFY(f->main->isWindowOpen(ShellWindow::Location));
    QVERIFY(!f->main->isWindowOpen(ShellWindow::Drawing));

    w->yearField()->setText(QStringLiteral("2030"));
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    QVERIFY(!f->main->isWindowOpen(ShellWindow::Location));
    QVERIFY(f->main->isWindowOpen(ShellWindow::Drawing));
    QCOMPARE(design().referenceYear, 2030);
  }

  void returnInADecimalFieldChecksItAndMovesToTheYear() {
    f->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->main.get()));
    w->setDecimalMode(true);
    QLineEdit* lat = w->decimalField(0);
    lat->setFocus();
    lat->selectAll();
    // Only digits, "-" and "." are taken while typing.
    QTest::keyClicks(lat, QStringLiteral("12x,.5"));
    QCOMPARE(lat->text(), QStringLiteral("12.5"));
    QTest::keyClick(lat, Qt::Key_Return);
    QCOMPARE(design().latitude, 12.5);
    QTRY_VERIFY(w->yearField()->hasFocus());
  }
};

QTEST_MAIN(LocationWindowTest)
#include "location_window_test.moc"
