// The numeric field checks on a real edit field: what they store, what
// their boxes say, and where the focus goes.
#include <QLineEdit>
#include <QTest>

#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "ui/child_form.h"

using namespace tavrel;

class FieldChecksTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    design() = DesignState();
    platform_ = std::make_unique<ScopedScriptedPlatform>();
  }
  void cleanup() { platform_.reset(); }

  void realFieldTakesANumber() {
    QLineEdit edit(QStringLiteral(" 3.25 "));
    QtEditField field(&edit);
    double target = 1;
    QVERIFY(checkRealField(field, target));
    QCOMPARE(target, 3.25);
    QVERIFY(boxes().empty());
  }

  void realFieldRefusesTextAndClearsIt() {
    QLineEdit edit(QStringLiteral("3,25x"));
    QtEditField field(&edit);
    double target = 1;
    QVERIFY(!checkRealField(field, target));
    QCOMPARE(target, 1.0);
    QCOMPARE(edit.text(), QString());
    QCOMPARE(boxes().size(), std::size_t(1));
    QCOMPARE(boxes()[0].caption, MsgCaption::Problem);
    QCOMPARE(boxes()[0].text, std::string("Das ist keine reelle Zahl."));
  }

  void emptyRealFieldShowsTheStoredValue() {
    QLineEdit edit;
    QtEditField field(&edit);
    double target = 12.5;
    QVERIFY(checkRealField(field, target));
    QCOMPARE(edit.text(), QStringLiteral("  12.50"));
    QVERIFY(boxes().empty());
  }

  void intFieldRangeAndMessage() {
    struct Row {
      const char* text;
      bool ok;
      std::int32_t stored;
    };
    // Range 1300..2500 of the reference year.
    const Row rows[] = {{"1299", false, 2000}, {"1300", true, 1300}, {"2500", true, 2500},
                        {"2501", false, 2000}, {"12.5", false, 2000}, {" 1900 ", true, 1900}};
    for (const Row& r : rows) {
      platform_->get().boxes.clear();
      QLineEdit edit(QString::fromLatin1(r.text));
      QtEditField field(&edit);
      std::int32_t target = 2000;
      QCOMPARE(checkIntField(field, 1300, 2500, "Jahr", target), r.ok);
      QCOMPARE(target, r.stored);
      QCOMPARE(boxes().size(), std::size_t(r.ok ? 0 : 1));
    }
    QLineEdit edit(QStringLiteral("1299"));
    QtEditField field(&edit);
    std::int32_t target = 2000;
    checkIntField(field, 1300, 2500, "Jahr", target);
    QCOMPARE(boxes().back().caption, MsgCaption::Question);
    QCOMPARE(boxes().back().buttons, MsgButtons::OkCancel);
    QCOMPARE(boxes().back().text, std::string("Jahr=1299 Zulässiger Wertebereich ist [1300..2500] !"));
  }

  void emptyIntFieldIsRefilled() {
    QLineEdit edit(QStringLiteral("  "));
    QtEditField field(&edit);
    std::int32_t target = 47;
    QVERIFY(checkIntField(field, 0, 90, "Grad", target));
    QCOMPARE(edit.text(), QStringLiteral("47"));
  }

  void intFieldAskYesKeepsFocusNoPassesWithoutStoring() {
    QLineEdit edit(QStringLiteral("99"));
    QtEditField field(&edit);
    std::int32_t target = 5;
    platform_->get().answers = {MsgAnswer::Yes};
    QVERIFY(!checkIntFieldAsk(field, 0, 60, "Minuten", target));
    QCOMPARE(boxes().back().buttons, MsgButtons::YesNo);
    QCOMPARE(boxes().back().text,
             std::string("Minuten=99 Zulässiger Wertebereich ist [0..60] !\n\r     Nochmals eingeben?"));
    platform_->get().answers = {MsgAnswer::No};
    QVERIFY(checkIntFieldAsk(field, 0, 60, "Minuten", target));
    QCOMPARE(target, 5);
  }

  void rangedRealFieldFiltersTheText() {
    struct Row {
      const char* text;
      double value;
    };
    // The reduction keeps "+", "-", "." and digits; "," becomes ".".
    const Row rows[] = {{"12,5", 12.5}, {"1e3", 13.0}, {" -7.25 deg", -7.25}, {"+8", 8.0}};
    for (const Row& r : rows) {
      QLineEdit edit(QString::fromLatin1(r.text));
      QtEditField field(&edit);
      double target = 0;
      QVERIFY2(checkRangedRealField(field, target, "Wert", 90, -90), r.text);
      QCOMPARE(target, r.value);
    }
    QVERIFY(boxes().empty());
  }

  void rangedRealFieldOutOfRangeKeepsTheValueAndSaysTheInterval() {
    QLineEdit edit(QStringLiteral("95"));
    QtEditField field(&edit);
    double target = 47;
    QVERIFY(!checkRangedRealField(field, target, "Breite", 90, -90));
    QCOMPARE(target, 95.0);
    QCOMPARE(boxes().size(), std::size_t(1));
    QCOMPARE(boxes()[0].caption, MsgCaption::Problem);
    QCOMPARE(boxes()[0].text,
             std::string("Breite=95\n\r Zulässiger Wertebereich ist [  -90.00, ...,   90.0] !"));
  }

  void rangedRealFieldNotANumberShowsTheStoredValue() {
    design().language = 2;
    QLineEdit edit(QStringLiteral("1-2"));
    QtEditField field(&edit);
    double target = 47.25;
    QVERIFY(!checkRangedRealField(field, target, "Latitude", 90, -90));
    QCOMPARE(target, 47.25);
    QCOMPARE(edit.text(), QStringLiteral("   47.25"));
    QCOMPARE(boxes()[0].text, std::string("This is not a real number !"));
    QCOMPARE(boxes()[0].captionText, std::string("TAVREL.EXE - Problem!"));
  }

  void failedCheckGivesTheFocusBack() {
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("abc"), &window);
    auto* other = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    other->setFocus();
    QtEditField field(edit);
    double target = 0;
    QVERIFY(!checkRangedRealField(field, target, "Wert", 1, 0));
    QTRY_VERIFY(edit->hasFocus());
  }

 private:
  const std::vector<RecordedBox>& boxes() const { return platform_->get().boxes; }
  std::unique_ptr<ScopedScriptedPlatform> platform_;
};

QTEST_MAIN(FieldChecksTest)
#include "field_checks_test.moc"
