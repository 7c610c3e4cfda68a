// The dial-type window (DialTypeWindow) driven through its list, sub-choices and
// value fields.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "base/angles.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui_fixture.h"

using namespace tavrel;
using tavrel::test::UiFixture;

class DialTypeWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;

  DialTypeWindow* open() {
    f->main->openWorkingWindow(ShellWindow::DialType, menu::kDialType);
    DialTypeWindow* w = f->main->form<DialTypeWindow>(ShellWindow::DialType);
    f->platform->boxes.clear();
    return w;
  }
  // A click on the entry at list position `position`.
  static void choose(DialTypeWindow* w, int position) {
    const auto& p = w->positions();
    const auto it = std::find(p.begin(), p.end(), position);
    QVERIFY(it != p.end());
    w->list()->setCurrentRow(static_cast<int>(it - p.begin()));
  }
  static void chooseRadio(QGroupBox* g, int index) {
    g->findChildren<QRadioButton*>().at(index)->click();
  }

 private slots:
  void init() { f = std::make_unique<UiFixture>(); }
  void cleanup() { f.reset(); }

  // Every type in turn, in both languages: the window keeps one size, no
  // label is cut, the buttons stay inside, and the picture frame is
  // never empty.
  void windowKeepsOneSizeThatFitsEveryType_data() {
    QTest::addColumn<bool>("german");
    QTest::addColumn<bool>("expert");
    QTest::addColumn<int>("pointSize");  // of the application font; 0 keeps it
    QTest::newRow("de") << true << false << 0;
    QTest::newRow("en") << false << false << 0;
    QTest::newRow("en expert") << false << true << 0;
    QTest::newRow("de large font") << true << false << 15;
    QTest::newRow("de expert large font") << true << true << 15;
  }
  void windowKeepsOneSizeThatFitsEveryType() {
    QFETCH(bool, german);
    QFETCH(bool, expert);
    QFETCH(int, pointSize);
    const QFont before = QApplication::font();
    struct RestoreFont {
      QFont font;
      ~RestoreFont() { QApplication::setFont(font); }
    } restore{before};
    if (pointSize > 0) {
      QFont larger = before;
      larger.setPointSize(pointSize);
      QApplication::setFont(larger);
    }
    f = std::make_unique<UiFixture>(german);
    design().expertMode = design().expertModeActive = expert;
    design().dialKind = 'q';  // opened with a type that shows no fields
    design().quadrantVariant = 0;
    f->main->resize(1280, 1000);
    f->main->show();
    DialTypeWindow* w = open();
    UiFixture::settle();
    const QSize size = w->size();
    const std::vector<int> positions = w->positions();
    for (int round = 0; round < 2; ++round) {
      for (int position : positions) {
        choose(w, position);
        // The quadrant and cylinder types once with each of their forms.
        QGroupBox* forms = position == dialTypeEntryOfKind('q') ? w->quadrantKind()
                           : position == dialTypeEntryOfKind('z') ? w->cylinderKind()
                                                        : nullptr;
        const int variants = forms && forms->isVisibleTo(w) ? 3 : 1;
        for (int variant = 0; variant < variants; ++variant) {
          if (variants > 1) chooseRadio(forms, variant);
          UiFixture::settle();
          const QString where = QStringLiteral("position %1 variant %2").arg(position).arg(variant);
          QCOMPARE(w->size(), size);
          for (QLabel* label : w->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(w) || label->wordWrap() || label->text().isEmpty()) continue;
            QVERIFY2(label->width() >= label->sizeHint().width(),
                     qPrintable(where + QStringLiteral(": ") + label->text()));
          }
          for (QPushButton* b : {w->closeButton(), w->cancelButton(), w->helpButton()}) {
            if (!b->isVisibleTo(w)) continue;
            const QRect inWindow(b->mapTo(w, QPoint(0, 0)), b->size());
            QVERIFY2(w->contentsRect().contains(inWindow), qPrintable(where));
          }
          QVERIFY2(!w->picture()->pixmap().isNull() || !w->picture()->text().isEmpty(),
                   qPrintable(where));
        }
      }
    }
  }

  void verticalSetsTheInclinationToNinety() {
    design().planeInclination = 25;
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('i'));
    QCOMPARE(design().dialKind, 'i');
    QCOMPARE(design().planeInclination, 25.0);
    choose(w, dialTypeEntryOfKind('v'));
    QCOMPARE(design().dialKind, 'v');
    QCOMPARE(design().planeInclination, 90.0);
    QVERIFY(w->valueField("wallDeclination")->isVisibleTo(w));
    QVERIFY(!w->valueField("planeInclination")->isVisibleTo(w));
  }

  void horizontalClearsDeclinationAndInclinationAtClose() {
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('h'));
    QVERIFY(!w->valueField("wallDeclination")->isVisibleTo(w));
    w->closeButton()->click();
    UiFixture::settle();
    QVERIFY(!f->main->isWindowOpen(ShellWindow::DialType));
    QCOMPARE(design().dialKind, 'h');
    QCOMPARE(design().wallDeclination, 0.0);
    QCOMPARE(design().planeInclination, 0.0);
    QVERIFY(design().inputValid);
  }

  void withoutExpertModeTwelveEntries() {
    design().expertMode = design().expertModeActive = false;
    DialTypeWindow* w = open();
    QCOMPARE(w->list()->count(), 12);
    for (int i = 0; i < w->list()->count(); ++i) {
      QVERIFY(w->list()->item(i)->text() != QStringLiteral("bi-azimutal"));
      QVERIFY(w->list()->item(i)->text() != QStringLiteral("Hollander"));
    }
    choose(w, dialTypeEntryOfKind('w'));
    QCOMPARE(design().dialKind, 'w');
    QCOMPARE(w->list()->currentItem()->text(), QStringLiteral("Sawyer"));
  }

  void expertKindWithoutExpertModeBecomesHorizontal() {
    design().expertMode = design().expertModeActive = false;
    design().dialKind = 'm';
    DialTypeWindow* w = open();
    QCOMPARE(design().dialKind, 'h');
    QCOMPARE(w->positions()[w->list()->currentRow()], int(dialTypeEntryOfKind('h')));
  }

  void hamDialOpensOnItsEntry() {
    design().dialKind = 'o';
    DialTypeWindow* w = open();
    QCOMPARE(w->positions()[w->list()->currentRow()], int(dialTypeEntryOfKind('o')));
    QCOMPARE(w->list()->currentItem()->text(), QStringLiteral("Schinkensonnenuhr"));
  }

  void umbrellaKeepsThePlanarLetter() {
    design().dialKind = 'i';
    DialTypeWindow* w = open();
    choose(w, umbrellaDialTypeEntry());
    QVERIFY(design().umbrellaMode);
    QCOMPARE(design().dialKind, 'i');
    QVERIFY(w->umbrellaKind()->isVisibleTo(w));
    chooseRadio(w->umbrellaKind(), 2);
    QCOMPARE(design().dialKind, 'v');
    QCOMPARE(w->pictureNumber(), 3001);
    choose(w, dialTypeEntryOfKind('r'));
    QVERIFY(!design().umbrellaMode);
    QCOMPARE(design().dialKind, 'r');
  }

  void shepherdsGnomonIsCutAtThePoint() {
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('z'));
    chooseRadio(w->cylinderKind(), 0);
    QLineEdit* gnomon = w->valueField("cylinderGnomonLengthInt");
    QVERIFY(gnomon->isVisibleTo(w));
    gnomon->setText(QStringLiteral("12.7"));
    w->closeButton()->click();
    UiFixture::settle();
    QCOMPARE(design().cylinderGnomonLengthInt, 12);
    QVERIFY(!f->main->isWindowOpen(ShellWindow::DialType));
  }

  void habermelGnomonFollowsTheDiameter() {
    design().latitude = 47;
    QCOMPARE(design().obliquityRounded, 23.44);
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('q'));
    QVERIFY(w->quadrantKind()->isVisibleTo(w));
    chooseRadio(w->quadrantKind(), 2);
    QLineEdit* diameter = w->valueField("habermelDiameter");
    QVERIFY(diameter->isVisibleTo(w));
    diameter->setText(QStringLiteral("200"));
    QVERIFY(w->leaveField(diameter));
    // The bar a third of the hour radius (D - 15) / 2 above the centre and
    // the summer noon shadow (altitude 90 - 47 + 23.44) on the rim below:
    // 4/3 (D - 15) / 2 / tan(66.44), within the field's 9..100 mm.
    const double expected = 4.0 / 3.0 * 185.0 / 2 / std::tan(radians(66.44));
    QVERIFY(std::fabs(design().habermelGnomonLength - expected) < 1e-9);
    QVERIFY(design().habermelGnomonLength >= 9 && design().habermelGnomonLength <= 100);
  }

  void habermelDiameterOutOfRange() {
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('q'));
    chooseRadio(w->quadrantKind(), 1);
    QLineEdit* diameter = w->valueField("habermelDiameter");
    diameter->setText(QStringLiteral("250"));
    QVERIFY(!w->leaveField(diameter));
    QCOMPARE(f->platform->boxes.back().caption, MsgCaption::Error);
    QCOMPARE(tavrel::test::q(f->platform->boxes.back().text),
             QStringLiteral("Der Durchmesser muss zwischen 30 und 200 mm liegen!\n\rBitte die Eingabe korrigieren."));
    QCOMPARE(diameter->text(), QStringLiteral("200"));
  }

  void wallDeclinationOutOfRangeKeepsTheWindowOpen() {
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('v'));
    QLineEdit* wall = w->valueField("wallDeclination");
    wall->setText(QStringLiteral("200"));
    QVERIFY(!w->close());
    QVERIFY(!design().inputValid);
    QCOMPARE(wall->text(), QString());
    QCOMPARE(f->platform->boxes[0].caption, MsgCaption::Problem);
    QCOMPARE(tavrel::test::q(f->platform->boxes[0].text),
             QStringLiteral("Wandabweichung muss im Bereich [-180 ° ... +180 °] liegen!\n\rAktion abgebrochen!"));
    wall->setText(QStringLiteral("-30"));
    QVERIFY(w->close());
    QCOMPARE(design().wallDeclination, -30.0);
    QVERIFY(design().inputValid);
  }

  void gnomonHeightRangeAtFieldExit() {
    DialTypeWindow* w = open();
    choose(w, dialTypeEntryOfKind('h'));
    QLineEdit* gnomon = w->valueField("gnomonLength");
    gnomon->setText(QStringLiteral("4"));
    QVERIFY(!w->leaveField(gnomon));
    QCOMPARE(gnomon->text(), QStringLiteral("35"));
    QCOMPARE(design().gnomonLength, 35.0);
    gnomon->setText(QStringLiteral("150"));
    QVERIFY(w->leaveField(gnomon));
    QCOMPARE(design().gnomonLength, 150.0);
  }
};

QTEST_MAIN(DialTypeWindowTest)
#include "dial_type_window_test.moc"
