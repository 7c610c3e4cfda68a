// The table window (TableWindow) and the sun calculator (CalculatorWindow): the tables
// and result blocks are those of tavrel-cli, saved text and CSV files are
// byte for byte the CLI's, the picture's font shrinks to fit, and the
// main window's Print follows the form-feed question.
#include <QCheckBox>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QLabel>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include "core/design_state.h"
#include "core/language.h"
#include "tables/table_texts.h"
#include "ui/calculator_window.h"
#include "tables/graph_texts.h"
#include "drawing/graph_save.h"
#include "ui/graph_panel.h"
#include "ui/help_viewer.h"
#include "ui/horizon_panel.h"
#include "ui/table_window.h"
#include "ui/work_windows.h"
#include "work_window_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

QString joined(const std::vector<std::string>& lines) {
  QString s;
  for (const std::string& l : lines) s += QString::fromStdString(l) + QLatin1Char('\n');
  return s;
}

// One table of the window and the same table from the CLI.
struct TableCase {
  const char* name;
  TableRequest request;
  QStringList cli;  // the arguments after "table"
};

}  // namespace

class TableWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;
  QTemporaryDir out;
  QString file(const QString& name) const { return out.path() + QLatin1Char('/') + name; }

  TableWindow* openTable(const TableRequest& r) {
    requestTable(r);
    f->main->openWorkingWindow(ShellWindow::Table, menu::kRiseSetTable);
    UiFixture::settle();
    return f->main->form<TableWindow>(ShellWindow::Table);
  }
  CalculatorWindow* openCalculator(int entry) {
    f->main->openWorkingWindow(ShellWindow::Calculator, entry);
    UiFixture::settle();
    return f->main->form<CalculatorWindow>(ShellWindow::Calculator);
  }

 private slots:
  void init() {
    f = std::make_unique<UiFixture>();
    showMainWindow(*f);
  }
  void cleanup() { f.reset(); }

  void menuEntriesOpenTheirYearTables() {
    struct Row {
      int entry;
      int subKind;
    };
    for (const Row& row : {Row{menu::kEotTable, 0}, Row{menu::kDeclinationTable, 2}, Row{menu::kNoonTable, 3}}) {
      f->main->openWorkingWindow(ShellWindow::Table, row.entry);
      UiFixture::settle();
      auto* t = f->main->form<TableWindow>(ShellWindow::Table);
      QVERIFY(t);
      QCOMPARE(t->request().kind, 8);
      QCOMPARE(t->request().subKind, row.subKind);
      QCOMPARE(t->request().year, design().referenceYear);
      QVERIFY(f->main->menuEntry(menu::kPrint)->isEnabled());
    }
  }

  // Calculations > Equation of Time Diagram and Sun Path Diagram >
  // Rectangular / Circular open the graph in the table window, as its own
  // graph commands do.
  void menuEntriesOpenTheirGraphs() {
    struct Row {
      int entry;
      int kind;
      bool polar;
    };
    for (const Row& row : {Row{menu::kEotGraph, 16, false}, Row{menu::kSunPathRect, 32, false},
                           Row{menu::kSunPathPolar, 32, true}}) {
      f->main->menuEntry(row.entry)->trigger();
      UiFixture::settle();
      auto* t = f->main->form<TableWindow>(ShellWindow::Table);
      QVERIFY2(t, qPrintable(QStringLiteral("entry %1 opened no graph window").arg(row.entry)));
      QCOMPARE(t->request().kind, row.kind);
      QVERIFY(t->showsGraph());
      QVERIFY(t->graphPicture()->isVisible());
      QCOMPARE(t->graphPicture()->choice().kind, row.kind);
      if (row.kind == 32) QCOMPARE(t->graphPicture()->choice().polar, row.polar);
      QCOMPARE(t->request().year, design().referenceYear);
      QVERIFY(f->main->menuEntry(menu::kPrint)->isEnabled());
      QVERIFY(!f->main->menuEntry(menu::kPrintWindow)->isEnabled());
    }
  }

  // F1 opens the help page of what the window shows (the calculator, the
  // tables, the EoT graph, the sun-path diagrams, the horizon panel), not
  // the contents.
  void f1OpensTheTopicOfTheWindow() {
    const auto pressF1 = [](QWidget* w) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &press);
    };
    struct Row {
      const char* name;
      int topic;
      const char* germanTitle;
    };
    const auto check = [&](QWidget* w, const Row& row) {
      QVERIFY2(w, row.name);
      pressF1(w);
      QVERIFY(f->main->helpViewer());
      QVERIFY2(f->main->helpViewer()->topic() == row.topic, row.name);
      const QString page = f->main->helpViewer()->browser()->toPlainText();
      QVERIFY2(page.startsWith(QString::fromUtf8(row.germanTitle)), qPrintable(page.left(80)));
      f->main->helpViewer()->close();
    };
    check(openCalculator(menu::kRiseSet), {"calculator", 40, "Sonnenrechner"});
    TableWindow* t = openTable({8, 0, 0, 1, 2024});
    check(t, {"year table", 41, "Tabellen"});
    check(t->yearField(), {"year table, year field", 41, "Tabellen"});
    check(openTable({1, 0, 0, 6, 2024}), {"month table", 41, "Tabellen"});
    check(openTable({16, 0, 0, 1, 2024}), {"EoT graph", 42, "Graph der Zeitgleichung"});
    t = openTable({32, 0, 0, 1, 2024, true});
    check(t, {"sun-path diagram", 43, "Sonnenstandsdiagramme"});
    HorizonPanel* panel = t->openHorizonPanel();
    check(panel, {"horizon panel", 44, "Horizontprofil"});
    panel->latitudeField()->setFocus();
    check(panel->latitudeField(), {"horizon panel, latitude field", 44, "Horizontprofil"});
    panel->close();
  }

  void savedTextAndCsvAreThoseOfTheCli() {
    const TableCase cases[] = {
        {"declination", {8, 2, 0, 1, 2024}, {"declination", "--year", "2024"}},
        {"transit", {8, 3, 0, 1, 2024}, {"transit", "--year", "2024"}},
        {"eot", {8, 0, 0, 1, 1900}, {"eot", "--year", "1900"}},
        {"month", {1, 0, 0, 6, 2024}, {"riseset", "--year", "2024", "--month", "6"}},
        {"halfyear", {1, 0, 2, 6, 2024}, {"riseset", "--year", "2024", "--scope", "h2"}},
    };
    for (const TableCase& c : cases) {
      TableWindow* t = openTable(c.request);
      QVERIFY(t);
      // The table as shown and as the CLI prints it.
      const CliRun shown = runCli(QStringList{QStringLiteral("table")} + c.cli);
      QCOMPARE(shown.exitCode, 0);
      QCOMPARE(joined(tableLines(t->table())), QString::fromUtf8(shown.out));
      for (const char* ext : {"txt", "csv"}) {
        const QString mine = file(QStringLiteral("%1-window.%2").arg(c.name, ext));
        const QString theirs = file(QStringLiteral("%1-cli.%2").arg(c.name, ext));
        f->platform->fileNames.push_back(mine.toStdString());
        const bool csv = QLatin1String(ext) == QLatin1String("csv");
        if (csv) f->platform->answers.push_back(MsgAnswer::Yes);  // ";" the standard
        QVERIFY(t->saveTable());
        const CliRun cli =
            runCli(QStringList{QStringLiteral("table")} + c.cli + QStringList{QStringLiteral("--out"), theirs});
        QCOMPARE(cli.exitCode, 0);
        QVERIFY(slurp(mine).size() > 500);
        QCOMPARE(slurp(mine), slurp(theirs));
      }
    }
  }

  // The graphs share the window: the picture and the options replace the
  // table; the representation switch turns the diagram; the save panel
  // keeps an invalid y factor open.
  void graphsReplaceTheTable() {
    TableRequest r{32, 0, 0, 1, 2024, true};
    TableWindow* t = openTable({8, 2, 0, 1, 2024});
    QVERIFY(t);
    t->setRequest(r);
    UiFixture::settle();
    QVERIFY(t->graphPicture()->isVisible());
    QVERIFY(!t->picture()->isVisible());
    QVERIFY(t->graphControls()->isVisible());
    QVERIFY(t->graphPicture()->choice().polar);
    t->graphControls()->cartesianSwitch()->setChecked(true);
    QVERIFY(!t->graphPicture()->choice().polar);
    QVERIFY(!t->request().polar);
    t->graphControls()->sunlightSwitch()->setChecked(true);
    QVERIFY(t->graphPicture()->choice().options.sunlightOnPlane);
    QVERIFY(t->graphControls()->sunlightStatus()->isVisible());
    QVERIFY(t->graphControls()->sunlightStatus()->text().startsWith(
        QString::fromStdString(graphRow::text(graphRow::kSunlightHeading))));
    t->setRequest({16, 2, 0, 1, 2024});
    QCOMPARE(t->windowTitle(), QString::fromStdString(graphRow::text(graphRow::kEotCaption)));
    t->setRequest({8, 2, 0, 1, 2024});
    QVERIFY(t->picture()->isVisible());
    QVERIFY(!t->graphPicture()->isVisible());

    GraphSaveDialog dialog(openGraphSavePanel(16, false, GraphPlotTarget::Hpgl), t);
    QCOMPARE(dialog.nameField()->text(), QStringLiteral("EoT.plt"));
    dialog.factorField()->setText(QStringLiteral("25"));
    dialog.show();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    dialog.factorField()->setText(QStringLiteral("2.5"));
    dialog.accept();
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(dialog.panel().yFactorText, std::string("2.5"));
  }

  // A refused y factor says why, in the window's language; the field
  // keeps the focus and the panel stays open.
  void saveDialogSaysWhyAFactorIsRefused() {
    const struct {
      bool german;
      const char* factor;
      const char* caption;
      const char* text;
    } cases[] = {
        {false, "25", "TAVREL.EXE - Problem!",
         "Scaling-factor in direction y-axis=25\n\r Value has to be within Interval [0.05 .. 20] !"},
        {false, "0.01", "TAVREL.EXE - Problem!",
         "Scaling-factor in direction y-axis=0.01\n\r Value has to be within Interval [0.05 .. 20] !"},
        {false, "zwei", "TAVREL.EXE - Problem!", "This is not a real number !"},
        {true, "25", nullptr,
         "Skalierungsfaktor in Richtung y-Achse=25\n\r Zul\u00e4ssiger Wertebereich ist [0.05 .. 20] !"},
    };
    for (const auto& c : cases) {
      f->main->setLanguage(c.german);
      f->platform->boxes.clear();
      GraphSaveDialog dialog(openGraphSavePanel(kSunPathKind, false, GraphPlotTarget::Hpgl), f->main.get());
      dialog.factorField()->setText(QString::fromLatin1(c.factor));
      dialog.show();
      dialog.accept();
      QVERIFY(dialog.isVisible());
      QCOMPARE(dialog.result(), 0);
      QCOMPARE(f->platform->boxes.size(), std::size_t{1});
      QCOMPARE(QString::fromStdString(f->platform->boxes[0].text), QString::fromUtf8(c.text));
      QCOMPARE(f->platform->boxes[0].caption, MsgCaption::Problem);
      if (c.caption) QCOMPARE(QString::fromStdString(f->platform->boxes[0].captionText), QString::fromLatin1(c.caption));
    }
  }

  // The save panel starts as the graph on the screen is drawn: with the
  // screen's longitude correction ticked (and the record's zoneTime not),
  // the saved plot is the one with the correction, as the CLI writes it
  // with --zone.
  void savedSunPathFollowsTheScreen() {
    design().zoneTime = false;
    TableWindow* t = openTable({32, 0, 0, 1, 2024, false});
    QVERIFY(t);
    t->graphControls()->cartesianSwitch()->setChecked(true);
    t->graphControls()->zoneTimeSwitch()->setChecked(true);
    QVERIFY(t->graphPicture()->choice().options.zoneTime);
    const QString mine = file(QStringLiteral("Azi.plt"));
    f->platform->fileNames.push_back(mine.toStdString());
    bool ticked = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<GraphSaveDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      ticked = dialog->zoneTimeSwitch()->isChecked();
      dialog->accept();
    });
    QVERIFY(t->saveGraphAs(static_cast<int>(GraphPlotTarget::Hpgl)));
    QVERIFY(ticked);
    const QString zone = file(QStringLiteral("zone.plt")), local = file(QStringLiteral("local.plt"));
    for (const auto& [name, option] : {std::pair{zone, QStringLiteral("--zone")}, std::pair{local, QStringLiteral("--local")}})
      QCOMPARE(runCli({QStringLiteral("--set"), QStringLiteral("referenceYear=2024"), QStringLiteral("graph"),
                       QStringLiteral("sunpath-cartesian"), option, QStringLiteral("--out"), name})
                   .exitCode,
               0);
    QVERIFY(slurp(local) != slurp(zone));
    QVERIFY2(slurp(mine) == slurp(zone), firstDifference(slurp(mine), slurp(zone)).constData());
  }

  void csvWithCommaWhenTheQuestionSaysNo() {
    TableWindow* t = openTable({8, 2, 0, 1, 2024});
    const QString mine = file(QStringLiteral("comma.csv"));
    f->platform->fileNames.push_back(mine.toStdString());
    f->platform->answers.push_back(MsgAnswer::No);
    QVERIFY(t->saveTable());
    const QString theirs = file(QStringLiteral("comma-cli.csv"));
    QCOMPARE(runCli({QStringLiteral("table"), QStringLiteral("declination"), QStringLiteral("--year"),
                     QStringLiteral("2024"), QStringLiteral("--out"), theirs, QStringLiteral("--separator"),
                     QStringLiteral(",")})
                 .exitCode,
             0);
    QCOMPARE(slurp(mine), slurp(theirs));
  }

  void changingTheYearRebuildsTheTable() {
    TableWindow* t = openTable({8, 0, 0, 1, 2024});
    t->yearField()->setValue(2000);
    QCOMPARE(t->request().year, 2000);
    QVERIFY(QString::fromStdString(t->table().lines[0].text).contains(QStringLiteral("2000")));
    // 29 February has a value in 2000.
    bool found = false;
    for (const std::string& l : t->shownLines())
      if (l.rfind("29. ", 0) == 0) {
        found = true;
        QVERIFY2(l.substr(4 + 7, 6).find_first_not_of(' ') != std::string::npos, l.c_str());
      }
    QVERIFY(found);
  }

  void pictureFontShrinksUntilTheTableFits() {
    TableWindow* t = openTable({1, 0, 2, 6, 2024});  // the widest table: half a year
    const int large = t->fontPointSize();
    t->showNormal();
    t->resize(620, 420);
    UiFixture::settle();
    const int small = t->fontPointSize();
    QVERIFY2(small < large, qPrintable(QStringLiteral("%1 %2").arg(small).arg(large)));
    QFont font(QStringLiteral("Courier New"), small);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(true);
    const QFontMetricsF m(font, t->picture());
    double widest = 0;
    for (const std::string& l : t->shownLines())
      widest = std::max(widest, m.horizontalAdvance(QString::fromStdString(l)));
    QVERIFY(small == 4 || widest <= t->picture()->width());
  }

  void symmetricReportIsSavedAsTheCliWritesIt() {
    TableWindow* t = openTable({8, 0, 0, 1, 2024});
    QVERIFY(t->symmetricSwitch()->isVisibleTo(t));
    t->symmetricSwitch()->setChecked(true);
    QVERIFY(t->symmetricPanel()->isVisible());
    t->valuesChoice()->setCurrentIndex(0);
    t->valuesChoice()->activated(0);  // 72 values a year
    QCOMPARE(t->eotPairs().values, 72);
    const QString mine = file(QStringLiteral("pairs.txt"));
    f->platform->fileNames.push_back(mine.toStdString());
    QVERIFY(t->saveEotPairs());
    const QString theirs = file(QStringLiteral("pairs-cli.txt"));
    QCOMPARE(runCli({QStringLiteral("table"), QStringLiteral("eot-symmetric"), QStringLiteral("--values"),
                     QStringLiteral("72"), QStringLiteral("--year"), QStringLiteral("2024"),
                     QStringLiteral("--out"), theirs})
                 .exitCode,
             0);
    QCOMPARE(slurp(mine), slurp(theirs));
    // Another year table has no symmetric report.
    t->setRequest({8, 2, 0, 1, 2024});
    QVERIFY(!t->symmetricSwitch()->isVisibleTo(t));
  }

  void printOfTheTableWindowGivesOnePage() {
    TableWindow* t = openTable({8, 2, 0, 1, 2024});
    const QString pdf = file(QStringLiteral("table.pdf"));
    PrintIntoPdf dialog(pdf);
    f->main->printActive();
    QVERIFY(QFile::exists(pdf));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.waitForFinished(30000), "pdfinfo (poppler-utils) is needed");
    const QString text = QString::fromLatin1(info.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Pages:           1")), qPrintable(text));
    (void)t;
  }

  void printWindowPrintsThePictureOfTheWindow() {
    TableWindow* t = openTable({8, 2, 0, 1, 2024});
    QVERIFY(t->width() >= f->platform->screenInfo.width / 2);
    const QString pdf = file(QStringLiteral("window.pdf"));
    PrintIntoPdf dialog(pdf);
    f->main->printActiveWindow();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.waitForFinished(30000), "pdfinfo (poppler-utils) is needed");
    const QString text = QString::fromLatin1(info.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("842 x 595 pts")), qPrintable(text));  // a wide window: landscape
    QCOMPARE(workPrinter().pageLayout().orientation(), QPageLayout::Portrait);  // and back
  }

  void calculatorBlocksAreThoseOfTheCli() {
    struct Row {
      int entry;
      const char* kind;
    };
    for (const Row& row : {Row{menu::kEotDeclination, "eot"}, Row{menu::kRiseSet, "riseset"}}) {
      CalculatorWindow* c = openCalculator(row.entry);
      QVERIFY(c);
      c->yearField()->setValue(2024);
      c->monthField()->setValue(6);
      c->dayField()->setValue(22);
      QVERIFY(c->compute());
      const CliRun cli = runCli({QStringLiteral("calc"), QString::fromLatin1(row.kind), QStringLiteral("--date"),
                                 QStringLiteral("2024-06-22")});
      QCOMPARE(cli.exitCode, 0);
      QCOMPARE(joined(c->results()), QString::fromUtf8(cli.out));
    }
  }

  void calculatorAsksForAMissingAzimuth() {
    CalculatorWindow* c = openCalculator(menu::kTimeForPosition);
    QCOMPARE(c->panel(), CalculatorPanel::Azimuth);
    c->azimuthField()->clear();
    QVERIFY(!c->compute());
    QCOMPARE(c->azimuthField()->text(), QString::fromStdString(tablesText(TablesText::kInputMissing)));
    QVERIFY(c->results().empty());
    c->azimuthField()->setText(QStringLiteral("45"));
    QVERIFY(c->compute());
    QVERIFY(!c->results().empty());
  }

  void printQuestionOfTheCalculator() {
    CalculatorWindow* c = openCalculator(menu::kEotDeclination);
    QVERIFY(c->compute());
    const std::size_t one = c->results().size();
    QVERIFY(c->compute());
    QCOMPARE(c->results().size(), 2 * one);
    // Cancel: the last block goes, down to its opening rule.
    f->platform->answers.push_back(MsgAnswer::Cancel);
    f->main->printActive();
    QCOMPARE(f->platform->boxes.back().text, messageText(11));
    QCOMPARE(c->results().size(), one + 2);
    QVERIFY(c->results().back().rfind("  __", 0) == 0);
    // No: printed without a form feed, the lines stay and the page stays open.
    const QString pdf = file(QStringLiteral("results.pdf"));
    PrintIntoPdf dialog(pdf);
    f->platform->answers.push_back(MsgAnswer::No);
    f->main->printActive();
    QCOMPARE(c->results().size(), one + 2);
    QVERIFY(TextPrinter::instance().isOpen());
    // Yes: printed, the form feed finishes the page, the list is cleared.
    f->platform->answers.push_back(MsgAnswer::Yes);
    f->main->printActive();
    QVERIFY(c->results().empty());
    QVERIFY(!TextPrinter::instance().isOpen());
    QVERIFY(slurp(pdf).startsWith("%PDF"));
  }

  void calculatorTableCommandOpensTheMonthTable() {
    CalculatorWindow* c = openCalculator(menu::kRiseSet);
    c->yearField()->setValue(2000);
    c->monthField()->setValue(2);
    c->openMonthTable();
    UiFixture::settle();
    auto* t = f->main->form<TableWindow>(ShellWindow::Table);
    QVERIFY(t);
    QCOMPARE(t->request().kind, 1);
    QCOMPARE(t->request().month, 2);
    QCOMPARE(t->request().year, 2000);
    // February 2000 has 29 day rows.
    int days = 0;
    for (const std::string& l : tableLines(t->table()))
      if (l.size() > 4 && l[3] == '.' && l[2] != ' ') ++days;
    QCOMPARE(days, 29);
  }
};

QTEST_MAIN(TableWindowsTest)
#include "table_windows_test.moc"
