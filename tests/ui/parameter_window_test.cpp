// The parameter window (ParameterWindow): page choice, the interval digits, the
// Sawyer latitude, the own date list and the close check.
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "base/angles.h"
#include "ui/parameter_window.h"
#include "ui/ui_texts.h"
#include "ui_fixture.h"

using namespace tavrel;
using tavrel::test::q;
using tavrel::test::UiFixture;

class ParameterWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;

  ParameterWindow* open() {
    f->main->openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
    f->platform->boxes.clear();
    return f->main->form<ParameterWindow>(ShellWindow::Parameters);
  }
  bool closeWindow() {
    const bool closed = f->main->closeChildWindows();
    UiFixture::settle();
    return closed;
  }
  static void pick(QComboBox* c, int index) {
    c->setCurrentIndex(index);
    emit c->activated(index);
  }

 private slots:
  void init() { f = std::make_unique<UiFixture>(); }
  void cleanup() { f.reset(); }

  void pageFollowsTheKind_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<bool>("umbrella");
    QTest::addColumn<bool>("expert");
    QTest::addColumn<QString>("page");
    QTest::newRow("v") << 'v' << false << true << QString("planar");
    QTest::newRow("o") << 'o' << false << true << QString("planar");
    QTest::newRow("sv") << 'v' << true << true << QString("umbrella");
    QTest::newRow("q") << 'q' << false << true << QString("quadrant");
    QTest::newRow("z") << 'z' << false << true << QString("cylinder");
    QTest::newRow("k") << 'k' << false << true << QString("altitude");
    QTest::newRow("r") << 'r' << false << true << QString("ring");
    QTest::newRow("a") << 'a' << false << true << QString("azimuthal");
    QTest::newRow("c") << 'c' << false << true << QString("biazimuthal");
    QTest::newRow("m") << 'm' << false << true << QString("hollander");
    QTest::newRow("m no expert") << 'm' << false << false << QString("planar");
    QTest::newRow("p") << 'p' << false << true << QString("sawyer");
  }
  void pageFollowsTheKind() {
    QFETCH(char, kind);
    QFETCH(bool, umbrella);
    QFETCH(bool, expert);
    QFETCH(QString, page);
    DesignState& d = design();
    d.dialKind = kind;
    d.umbrellaMode = umbrella;
    d.expertMode = d.expertModeActive = expert;
    ParameterWindow* w = open();
    QVERIFY(w);
    QCOMPARE(QString::fromStdString(w->page()), page);
    QVERIFY(closeWindow());
    QVERIFY(design().inputValid);
  }

  void openingSetsInputValidUntilTheCloseCheckPasses() {
    ParameterWindow* w = open();
    QVERIFY(w);
    QVERIFY(!design().inputValid);
    QVERIFY(closeWindow());
    QVERIFY(design().inputValid);
  }

  void horizontalPlanarPageClearsTheWallDeclination() {
    design().dialKind = 'h';
    design().wallDeclination = -20;
    open();
    QCOMPARE(design().wallDeclination, 0.0);
  }

  void tenMinuteIntervals() {
    ParameterWindow* w = open();
    pick(w->eotIntervalChoice(), 4);
    QCOMPARE(design().eotLineInterval, '6');
    pick(w->hourIntervalChoice(), 4);
    QCOMPARE(design().hourLineInterval, '4');
    QVERIFY(closeWindow());
    ParameterWindow* again = open();
    QCOMPARE(again->eotIntervalChoice()->currentIndex(), 4);
    QCOMPARE(again->hourIntervalChoice()->currentIndex(), 4);
  }

  // The ham dial's fields appear on the planar page for the ham dial only,
  // and their checks guard the stretch factor's range.
  void hamFieldsOnThePlanarPage() {
    design().dialKind = 'o';
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("planar"));
    QLineEdit* stretch = w->fieldFor(&design().hamStretch);
    QLineEdit* equinox = w->fieldFor(&design().hamEquinoxPosition);
    QLineEdit* size = w->fieldFor(&design().hamDiameter);
    QVERIFY(stretch && equinox && size);
    QVERIFY(stretch->isVisibleTo(w));
    equinox->setText(QStringLiteral("35.5"));
    QVERIFY(w->leaveField(equinox));
    QCOMPARE(design().hamEquinoxPosition, 35.5);
    stretch->setText(QStringLiteral("3.5"));
    QVERIFY(!w->leaveField(stretch));
    QVERIFY(!f->platform->boxes.empty());
    stretch->setText(QStringLiteral("2.5"));
    QVERIFY(w->leaveField(stretch));
    QCOMPARE(design().hamStretch, 2.5);
    QVERIFY(closeWindow());
    design().dialKind = 'h';
    ParameterWindow* planar = open();
    QLineEdit* hidden = planar->fieldFor(&design().hamStretch);
    QVERIFY(hidden);
    QVERIFY(!hidden->isVisibleTo(planar));
  }

  // A page shows the fields its construction reads, and no others: the
  // cylinder dials draw the whole altitude scale (no altitude range) and
  // find the longest shadow themselves; the Hollander dial takes its scale
  // from the cone and draws no azimuth lines. The quadrant (azimuth
  // lines), the bi-azimuthal page (scale) and the planar page (altitude
  // range) keep theirs.
  void pagesShowOnlyFieldsTheConstructionReads() {
    DesignState& d = design();
    d.expertMode = d.expertModeActive = true;
    const auto altitudeCombos = [](ParameterWindow* w) {
      int n = 0;
      for (QComboBox* c : w->findChildren<QComboBox*>())
        if (c->count() == 8 && c->itemText(0) == QStringLiteral("10 °") && c->isVisibleTo(w)) ++n;
      return n;
    };
    const auto azimuthSwitch = [](ParameterWindow* w) {
      for (QCheckBox* c : w->findChildren<QCheckBox*>())
        if (c->text() == uiq(1261) && c->isVisibleTo(w)) return true;
      return false;
    };
    const auto shows = [](ParameterWindow* w, const void* field) {
      QLineEdit* e = w->fieldFor(field);
      return e && e->isVisibleTo(w);
    };
    struct Case {
      const char* name;
      char kind;
      std::uint8_t cylinderVariant;
      bool maxShadow, scale, azimuthLines;
      int altitudeRanges;
    };
    const Case cases[] = {
        {"shepherd", 'z', 0, false, false, false, 0},
        {"polar style", 'z', 2, false, false, false, 0},
        {"Hollander", 'm', 0, false, false, false, 0},
        {"bi-azimuthal", 'c', 0, false, true, false, 0},
        {"quadrant", 'q', 0, false, false, true, 0},
        {"vertical", 'v', 0, false, false, false, 2},
    };
    for (const Case& c : cases) {
      d.dialKind = c.kind;
      d.cylinderVariant = c.cylinderVariant;
      ParameterWindow* w = open();
      QVERIFY2(w, c.name);
      QVERIFY2(shows(w, &d.shepherdMaxShadow) == c.maxShadow, c.name);
      QVERIFY2(shows(w, &d.drawingScale) == c.scale, c.name);
      QVERIFY2(azimuthSwitch(w) == c.azimuthLines, c.name);
      QVERIFY2(altitudeCombos(w) == c.altitudeRanges, c.name);
      QVERIFY(closeWindow());
    }
  }

  // The switch that extends the temporal hour lines, in both languages.
  void extendTemporalSwitchSpeaksBothLanguages() {
    design().dialKind = 'h';
    for (const bool german : {true, false}) {
      f->main->setLanguage(german);
      ParameterWindow* w = open();
      const QString wanted = german ? QStringLiteral("Temporalstunden verlängern")
                                    : QStringLiteral("Temporal hour lines to 'origin'");
      int found = 0;
      for (QCheckBox* c : w->findChildren<QCheckBox*>())
        if (c->text().trimmed() == wanted) ++found;
      QCOMPARE(found, 1);
      QVERIFY(closeWindow());
    }
  }

  // The ring dial's two bands have a hole each, at the maximum and at the
  // minimum offset; both are edited (the minimum within -23.44 .. 0) and
  // the construction reads both. One band edits the one offset.
  void ringEditsBothHoleOffsets() {
    DesignState& d = design();
    d.dialKind = 'r';
    d.wholeYearQuadrant = false;
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("ring"));
    QLineEdit* min = w->fieldFor(&d.gnomonHoleOffsetMin);
    QLineEdit* max = w->fieldFor(&d.gnomonHoleOffsetMax);
    QVERIFY(min && max);
    QVERIFY(min->isVisibleTo(w) && max->isVisibleTo(w));
    QVERIFY(!w->fieldFor(&d.gnomonHoleOffset)->isVisibleTo(w));
    min->setText(QStringLiteral("5"));
    QVERIFY(!w->leaveField(min));
    QVERIFY(!f->platform->boxes.empty());
    min->setText(QStringLiteral("-7.5"));
    QVERIFY(w->leaveField(min));
    QCOMPARE(d.gnomonHoleOffsetMin, -7.5);
    QVERIFY(closeWindow());
    d.wholeYearQuadrant = true;
    ParameterWindow* one = open();
    QVERIFY(one->fieldFor(&d.gnomonHoleOffset)->isVisibleTo(one));
    QVERIFY(!one->fieldFor(&d.gnomonHoleOffsetMin)->isVisibleTo(one));
  }

  void sawyerLatitudeStaysOffTheEquator_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("0") << "0" << 0.0049;
    QTest::newRow("-0.001") << "-0.001" << -0.0049;
    QTest::newRow("0.01") << "0.01" << 0.01;
    QTest::newRow("-45") << "-45" << -45.0;
  }
  void sawyerLatitudeStaysOffTheEquator() {
    QFETCH(QString, typed);
    QFETCH(double, stored);
    design().dialKind = 'w';
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("sawyer"));
    QLineEdit* lat = w->fieldFor(&design().latitude);
    QVERIFY(lat);
    lat->setText(typed);
    QVERIFY(w->leaveField(lat));
    QCOMPARE(design().latitude, stored);
  }

  void ownDateListStaysSorted() {
    design().referenceYear = 2024;
    ParameterWindow* w = open();
    QCOMPARE(w->dateList()->count(), 3);  // 21/03, 21/06, 21/12 after start-up
    w->dateEntry()->setText(QStringLiteral("29/02"));
    QVERIFY(w->addDateEntry());
    w->dateEntry()->setText(QStringLiteral("1/7"));
    QVERIFY(w->addDateEntry());
    const std::vector<std::string>& lines = design().ownDateLines;
    QCOMPARE(lines.size(), std::size_t(5));
    QVERIFY(lines[0].rfind("29/02    ( ", 0) == 0);
    QVERIFY(lines[3].rfind("01/07    ( ", 0) == 0);
    QCOMPARE(w->dateList()->item(0)->text(), q(lines[0]));
    QCOMPARE(w->dateEntry()->text(), QString());
    w->dateList()->setCurrentRow(0);
    w->removeDateEntry();
    QCOMPARE(design().ownDateLines.size(), std::size_t(4));
  }

  void leapDayRefusedInACommonYear() {
    design().referenceYear = 2023;
    ParameterWindow* w = open();
    w->dateEntry()->setText(QStringLiteral("29/02"));
    QVERIFY(!w->addDateEntry());
    QCOMPARE(design().ownDateLines.size(), std::size_t(3));
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(f->platform->boxes[0].text, messageText(6));
  }

  void closeCheckReportsAndKeepsTheWindow() {
    ParameterWindow* w = open();
    QLineEdit* hour = w->fieldFor(&design().analemmaMarkHour);
    QVERIFY(hour);
    hour->setText(QStringLiteral("30"));
    QVERIFY(!closeWindow());
    QVERIFY(f->main->isWindowOpen(ShellWindow::Parameters));
    QVERIFY(!design().inputValid);
    QCOMPARE(f->platform->boxes.back().caption, MsgCaption::Error);
    QCOMPARE(f->platform->boxes.back().text, messageText(8));
    hour->setText(QStringLiteral("14"));
    QVERIFY(closeWindow());
    QCOMPARE(design().analemmaMarkHour, 14);
  }

  void inclinedUmbrellaNeedsADisc() {
    design().dialKind = 'i';
    design().umbrellaMode = true;
    design().planeInclination = 70;
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("umbrella"));
    QLineEdit* disc = w->fieldFor(&design().umbrellaRadiusRatio);
    disc->setText(QStringLiteral("0"));
    QVERIFY(!closeWindow());
    QCOMPARE(f->platform->boxes[0].text, messageText(21));
    // tan 70 deg = 2.75 >= 1 / 0.5
    disc->setText(QStringLiteral("50"));
    QVERIFY(!closeWindow());
    QCOMPARE(f->platform->boxes[2].text, messageText(17));
    disc->setText(QStringLiteral("20"));  // 2.75 < 1 / 0.2
    QVERIFY(closeWindow());
    QCOMPARE(design().umbrellaRadiusRatio, 0.2);
  }

  void planarGnomonHeightIsRangeChecked_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("h 0") << 'h' << "0" << false;
    QTest::newRow("h -5") << 'h' << "-5" << false;
    QTest::newRow("v 4.9") << 'v' << "4.9" << false;
    QTest::newRow("i 200.5") << 'i' << "200.5" << false;
    QTest::newRow("h 5") << 'h' << "5" << true;
    QTest::newRow("v 80") << 'v' << "80" << true;
    QTest::newRow("i 200") << 'i' << "200" << true;
  }
  void planarGnomonHeightIsRangeChecked() {
    QFETCH(char, kind);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    design().dialKind = kind;
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("planar"));
    QLineEdit* height = w->fieldFor(&design().gnomonLength);
    QVERIFY(height);
    height->setText(typed);
    QCOMPARE(w->leaveField(height), accepted);
    if (accepted) {
      QVERIFY(f->platform->boxes.empty());
      QCOMPARE(design().gnomonLength, typed.toDouble());
      return;
    }
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(f->platform->boxes[0].caption, MsgCaption::Problem);
    const QString text = q(f->platform->boxes[0].text);
    QVERIFY2(text.contains(q(messageText(13))), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("5.00, ...,")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("200.0] !")), qPrintable(text));
    // The close check refuses the window as well.
    QVERIFY(!closeWindow());
    QVERIFY(!design().inputValid);
  }

  // Every size field of the cylinder and altitude pages refuses a value
  // outside its range with the interval in the message and keeps the
  // window open; a value inside is stored.
  void cylinderAndAltitudeSizesAreRangeChecked_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("interval");  // empty: accepted
    QTest::newRow("shepherd gnomon 3") << 'z' << 0 << 0 << "3" << "[4..110] !";
    QTest::newRow("shepherd gnomon 111") << 'z' << 0 << 0 << "111" << "[4..110] !";
    QTest::newRow("shepherd gnomon 110") << 'z' << 0 << 0 << "110" << "";
    QTest::newRow("hat circumference 401") << 'z' << 1 << 1 << "401" << "[0..400] !";
    QTest::newRow("hat circumference 250") << 'z' << 1 << 1 << "250" << "";
    QTest::newRow("polar gnomon 3.9") << 'z' << 2 << 3 << "3.9" << "4.00, ...,";
    QTest::newRow("polar gnomon 110,5") << 'z' << 2 << 3 << "110,5" << "110.0] !";
    QTest::newRow("polar gnomon 60,5") << 'z' << 2 << 3 << "60,5" << "";
    QTest::newRow("polar radius 501") << 'z' << 2 << 4 << "501" << "500.0] !";
    QTest::newRow("polar declination -181") << 'z' << 2 << 5 << "-181" << "-180.00, ...,";
    QTest::newRow("hidokai gnomon 0") << 'k' << 0 << 6 << "0" << "[4..110] !";
    QTest::newRow("hidokai month scale 181") << 'k' << 0 << 7 << "181" << "[0..180] !";
    QTest::newRow("hidokai horizontal 261") << 'k' << 0 << 8 << "261" << "[0..260] !";
    QTest::newRow("hidokai horizontal 260") << 'k' << 0 << 8 << "260" << "";
  }
  void cylinderAndAltitudeSizesAreRangeChecked() {
    QFETCH(char, kind);
    QFETCH(int, variant);
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, interval);
    DesignState& d = design();
    d.dialKind = kind;
    d.cylinderVariant = static_cast<std::uint8_t>(variant);
    const void* targets[] = {&d.cylinderGnomonLengthInt, &d.shepherdScaleLength, &d.shepherdMaxShadow,
                             &d.cylinderGnomonLength,    &d.cylinderRadius,      &d.wallDeclination,
                             &d.altitudeDialGnomonLength, &d.altitudeMonthScale, &d.altitudeHorizontalScale};
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string(kind == 'z' ? "cylinder" : "altitude"));
    QLineEdit* edit = w->fieldFor(targets[field]);
    QVERIFY(edit);
    edit->setText(typed);
    const bool accepted = interval.isEmpty();
    QCOMPARE(w->leaveField(edit), accepted);
    if (accepted) {
      QVERIFY(f->platform->boxes.empty());
      QVERIFY(closeWindow());
      QVERIFY(d.inputValid);
      const double stored = field == 3 ? d.cylinderGnomonLength
                            : field == 1 ? d.shepherdScaleLength
                            : field == 8 ? d.altitudeHorizontalScale
                                         : d.cylinderGnomonLengthInt;
      QCOMPARE(stored, QString(typed).replace(',', '.').toDouble());
      return;
    }
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    const QString text = q(f->platform->boxes[0].text);
    QVERIFY2(text.contains(q(messageText(13))), qPrintable(text));
    QVERIFY2(text.contains(interval), qPrintable(text));
    QVERIFY(!closeWindow());
    QVERIFY(f->main->isWindowOpen(ShellWindow::Parameters));
    QVERIFY(!d.inputValid);
  }

  // The cylinder page edits what the construction reads: the ordinary
  // hour lines can be switched off, the time choice sets localTime, and
  // the hat dial and polar style offer the range of their lines with EoT.
  void cylinderPageEditsTheFieldsTheConstructionReads() {
    DesignState& d = design();
    d.dialKind = 'z';
    d.cylinderVariant = 1;
    d.localTimeNoEot = true;
    d.localTime = false;
    d.zoneTime = true;
    ParameterWindow* w = open();
    QCheckBox* hours = nullptr;
    for (QCheckBox* c : w->findChildren<QCheckBox*>())
      if (c->text().remove('&') == uiq(1268)) hours = c;
    QVERIFY(hours);
    QVERIFY(hours->isChecked());
    hours->click();
    QVERIFY(!d.localTimeNoEot);
    QRadioButton* local = nullptr;
    for (QRadioButton* r : w->findChildren<QRadioButton*>())
      if (r->text().remove('&') == uiq(1223)) local = r;
    QVERIFY(local);
    QVERIFY(!local->isChecked());
    local->click();
    QVERIFY(d.localTime);
    QVERIFY(!d.zoneTime);
    // The EoT range: hours and the 10-minute interval stored as the digit 6.
    QList<QComboBox*> boxes = w->findChildren<QComboBox*>();
    bool eotRange = false;
    for (QComboBox* c : boxes)
      if (c->count() == 5 && c->itemText(4).contains(QStringLiteral("10"))) {
        pick(c, 4);
        eotRange = true;
      }
    QVERIFY(eotRange);
    QCOMPARE(d.eotLineInterval, '6');
  }

  // The ring page: the part of the day of the Babylonian and Italian
  // hours (radios "only before noon", only afternoon, all day) and the
  // hour range the ring dial draws (hourLinesFrom .. hourLinesTo).
  void ringPageEditsTheFieldsTheConstructionReads() {
    DesignState& d = design();
    d.dialKind = 'r';
    d.ringOldHoursPart = 0;
    d.hourLinesFrom = 8;
    d.otherHoursFrom = 10;
    ParameterWindow* w = open();
    QVERIFY(w);
    const auto radio = [w](int id) {
      QRadioButton* found = nullptr;
      for (QRadioButton* r : w->findChildren<QRadioButton*>())
        if (r->text().remove('&') == uiq(id)) found = r;
      return found;
    };
    QRadioButton* allDay = radio(20303);
    QRadioButton* forenoon = radio(20301);
    QRadioButton* afternoon = radio(20302);
    QVERIFY(allDay && forenoon && afternoon);
    QVERIFY(allDay->isChecked());
    QCOMPARE(forenoon->text(), QStringLiteral("nur vormittags"));
    forenoon->click();
    QCOMPARE(int(d.ringOldHoursPart), 1);
    afternoon->click();
    QCOMPARE(int(d.ringOldHoursPart), 2);
    allDay->click();
    QCOMPARE(int(d.ringOldHoursPart), 0);
    // The first hour list shows hourLinesFrom (8), not otherHoursFrom (10).
    QComboBox* from = nullptr;
    for (QComboBox* c : w->findChildren<QComboBox*>())
      if (!from && c->count() == 25) from = c;
    QVERIFY(from);
    QCOMPARE(from->currentIndex(), 8);
    pick(from, 6);
    QCOMPARE(d.hourLinesFrom, 6);
    QCOMPARE(d.otherHoursFrom, 10);
  }

  // The bi-azimuthal page edits the hour range and interval the dial reads
  // (otherHours...), not those of the planar dials.
  void biAzimuthalPageEditsTheHoursTheDialReads() {
    DesignState& d = design();
    d.expertMode = d.expertModeActive = true;
    d.dialKind = 'c';
    d.otherHoursFrom = 7;
    d.otherHoursTo = 17;
    d.otherHourInterval = '0';
    d.hourLinesFrom = 8;
    d.hourLinesTo = 19;
    d.hourLineInterval = '1';
    d.eotLinesFrom = 10;
    d.eotLinesTo = 15;
    ParameterWindow* w = open();
    QComboBox *from = nullptr, *to = nullptr, *interval = nullptr, *eotFrom = nullptr, *eotTo = nullptr;
    for (QComboBox* c : w->findChildren<QComboBox*>()) {
      if (c->count() == 4 && c->currentIndex() == 0 && !interval) interval = c;
      if (c->count() < 20) continue;
      if (c->currentIndex() == 7) from = c;
      if (c->currentIndex() == 17) to = c;
      if (c->currentIndex() == 10) eotFrom = c;
      if (c->currentIndex() == 15) eotTo = c;
      QVERIFY(c->currentIndex() != 8 && c->currentIndex() != 19);  // no planar range shown
    }
    QVERIFY(from && to && interval && eotFrom && eotTo);
    pick(from, 9);
    pick(to, 14);
    pick(interval, 3);
    pick(eotFrom, 11);
    pick(eotTo, 13);
    QCOMPARE(d.otherHoursFrom, 9);
    QCOMPARE(d.otherHoursTo, 14);
    QCOMPARE(d.otherHourInterval, '3');
    QCOMPARE(d.eotLinesFrom, 11);
    QCOMPARE(d.eotLinesTo, 13);
    QCOMPARE(d.hourLinesFrom, 8);
    QCOMPARE(d.hourLinesTo, 19);
    QCOMPARE(d.hourLineInterval, '1');
  }

  void umbrellaPageChoosesDateLinesAndAnalemmaDays() {
    design().dialKind = 'v';
    design().umbrellaMode = true;
    design().dateLineMode = '0';
    design().analemmaMarkDays = 0;
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("umbrella"));
    QGroupBox* dates = w->dateLineGroup();
    QVERIFY(dates);
    const QList<QRadioButton*> radios = dates->findChildren<QRadioButton*>();
    QCOMPARE(radios.size(), 4);
    QVERIFY(radios[0]->isChecked());
    radios[2]->click();  // own date lines
    QCOMPARE(design().dateLineMode, '2');
    QVERIFY(w->analemmaDaysBox());
    QCOMPARE(w->analemmaDaysBox()->count(), 5);
    pick(w->analemmaDaysBox(), 3);
    QCOMPARE(int(design().analemmaMarkDays), 3);
    QVERIFY(closeWindow());
    ParameterWindow* again = open();
    QVERIFY(again->dateLineGroup()->findChildren<QRadioButton*>()[2]->isChecked());
    QCOMPARE(again->analemmaDaysBox()->currentIndex(), 3);
  }

  void umbrellaDiscOutOfRangeShowsMessageTenOnly() {
    design().dialKind = 'h';
    design().umbrellaMode = true;
    ParameterWindow* w = open();
    QLineEdit* disc = w->fieldFor(&design().umbrellaRadiusRatio);
    QVERIFY(disc);
    const double before = design().umbrellaRadiusRatio;
    disc->setText(QStringLiteral("250"));
    QVERIFY(!w->leaveField(disc));
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(f->platform->boxes[0].text, messageText(10));
    QCOMPARE(design().umbrellaRadiusRatio, before);
  }

  // The hour rows of the Hollander page edit the fields its dial draws:
  // otherHoursFrom / To and otherHourInterval (list B, four entries).
  void hollanderPageEditsTheHoursTheDialReads() {
    DesignState& d = design();
    d.dialKind = 'm';
    d.hourLinesFrom = 8;
    d.hourLinesTo = 19;
    d.hourLineInterval = '1';
    d.otherHoursFrom = 10;
    d.otherHoursTo = 18;
    d.otherHourInterval = '0';
    ParameterWindow* w = open();
    QList<QComboBox*> hours, intervals;
    for (QComboBox* c : w->findChildren<QComboBox*>()) {
      if (!c->isVisibleTo(w)) continue;
      if (c->count() == 25) hours.push_back(c);
      if (c->count() == 4 && c->itemText(0).contains(QStringLiteral("60"))) intervals.push_back(c);
    }
    QCOMPARE(hours.size(), 2);
    QCOMPARE(intervals.size(), 1);
    QCOMPARE(hours[0]->currentIndex(), 10);
    QCOMPARE(hours[1]->currentIndex(), 18);
    pick(hours[0], 7);
    pick(hours[1], 15);
    pick(intervals[0], 2);
    QCOMPARE(d.otherHoursFrom, 7);
    QCOMPARE(d.otherHoursTo, 15);
    QCOMPARE(d.otherHourInterval, '2');
    QCOMPARE(d.hourLinesFrom, 8);
    QCOMPARE(d.hourLinesTo, 19);
    QCOMPARE(d.hourLineInterval, '1');
  }

  void hollanderHalfAngleBelowTheAxis() {
    design().dialKind = 'm';
    design().coneAxisInclination = 40;
    ParameterWindow* w = open();
    QLineEdit* half = w->fieldFor(&design().coneHalfAngle);
    half->setText(QStringLiteral("45"));
    QVERIFY(!w->leaveField(half));
    QCOMPARE(q(f->platform->boxes.back().text),
             QStringLiteral("Der Winkel muss kleiner als die Neigung der Kegelachse sein!"));
    QLineEdit* axis = w->fieldFor(&design().coneAxisInclination);
    axis->setText(QStringLiteral("-60"));
    QVERIFY(w->leaveField(axis));
    QCOMPARE(design().coneAxisInclination, 120.0);
  }

  // Choosing a Habermel kind in the open quadrant page shows its gnomon,
  // diameter and date-line fields and puts them under the close check;
  // the quadrant sundial hides them and leaves them unchecked.
  void habermelFieldsFollowTheKindChosenInTheOpenWindow() {
    DesignState& d = design();
    d.dialKind = 'q';
    d.quadrantVariant = 0;
    d.expertMode = d.expertModeActive = true;
    d.latitude = 47;
    d.habermelDiameter = 200;
    ParameterWindow* w = open();
    QCOMPARE(w->page(), std::string("quadrant"));
    QLineEdit* diameter = w->fieldFor(&d.habermelDiameter);
    QLineEdit* gnomon = w->fieldFor(&d.habermelGnomonLength);
    QVERIFY(diameter && gnomon);
    QVERIFY(!diameter->isVisibleTo(w));
    QVERIFY(!gnomon->isVisibleTo(w));
    QGroupBox* kinds = nullptr;
    for (QGroupBox* g : w->findChildren<QGroupBox*>())
      if (g->findChildren<QRadioButton*>().size() == 3 && g->title() == uiq(1107)) kinds = g;
    QVERIFY(kinds);
    kinds->findChildren<QRadioButton*>()[1]->click();
    QCOMPARE(int(d.quadrantVariant), 1);
    QVERIFY(diameter->isVisibleTo(w));
    QVERIFY(gnomon->isVisibleTo(w));
    // The gnomon follows the diameter's rule of the dial-type window.
    QVERIFY(std::fabs(d.habermelGnomonLength - 185 / (std::tan(radians(66.44)) + std::tan(radians(19.56)))) <
            0.02);
    diameter->setText(QStringLiteral("500"));
    QVERIFY(!closeWindow());
    QVERIFY(!design().inputValid);
    diameter->setText(QStringLiteral("150"));
    kinds->findChildren<QRadioButton*>()[0]->click();
    QVERIFY(!diameter->isVisibleTo(w));
    // A bad value in a hidden field does not stop the close check.
    diameter->setText(QStringLiteral("500"));
    QVERIFY(closeWindow());
    QVERIFY(design().inputValid);
  }
};

QTEST_MAIN(ParameterWindowTest)
#include "parameter_window_test.moc"
