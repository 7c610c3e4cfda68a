// The drawing window (DrawingWindow): mouse, keys and wheel on the picture, the
// save panel against tavrel-cli plot, printing at true size into a PDF,
// the information panels and the printed angle table.
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QSlider>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "core/design_state.h"
#include "core/settings_file.h"
#include "dials/dial_family.h"
#include "dials/planar/angle_table_print.h"
#include "plot/page_constants.h"
#include "plot/recording_canvas.h"
#include "ui/drawing_window.h"
#include "ui/help_viewer.h"
#include "ui/print_angle_table.h"
#include "ui/ui_texts.h"
#include "work_window_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// The picture the CLI's --foot pixels refer to.
constexpr int kCliWidth = 1600, kCliHeight = 1000;

void sendWheel(QWidget* w, int delta) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &e);
}

// Columns of the raster whose pixels in row y are dark, as runs
// [first, last].
std::vector<std::pair<int, int>> darkRuns(const QImage& img, int y, int x0, int x1) {
  std::vector<std::pair<int, int>> runs;
  int start = -1;
  for (int x = x0; x <= x1; ++x) {
    const bool dark = x < x1 && qGray(img.pixel(x, y)) < 160;
    if (dark && start < 0) start = x;
    if (!dark && start >= 0) {
      runs.emplace_back(start, x - 1);
      start = -1;
    }
  }
  return runs;
}

}  // namespace

class DrawingWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;
  QTemporaryDir out;
  DrawingWindow* w = nullptr;

  // The picture at the CLI's size, so that pixels mean the same to both.
  void fitPictureToCli() {
    w->picture()->setFixedSize(kCliWidth, kCliHeight);
    UiFixture::settle();
    w->refit();
    QCOMPARE(w->image().size(), QSize(kCliWidth, kCliHeight));
    QCOMPARE(w->controller().state().width, kCliWidth);
  }
  QString file(const QString& name) const { return out.path() + QLatin1Char('/') + name; }

  // tavrel-cli on the window's design record: the record saved as
  // construction data and read by the CLI with --data (the same reading
  // the desktop program does, with the obliquity of the record's year).
  CliRun runCliOnRecord(QStringList args) {
    const QString data = file(QStringLiteral("record.tav"));
    if (!writeSettingsFile(data.toStdString())) return {};
    return runCli(QStringList{QStringLiteral("--data"), data} + args);
  }

  // "Save as ..." from the window: the panel, the save dialog answering
  // `target`, the grid question answered No.
  SaveResult saveFromWindow(PlotTarget target, const QString& path) {
    if (!w->openSavePanel(target)) return SaveResult::Cancelled;
    f->platform->fileNames.push_back(path.toStdString());
    return w->continueSave();
  }

 private slots:
  void init() {
    f = std::make_unique<UiFixture>();
    showMainWindow(*f);
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    w = f->main->form<DrawingWindow>(ShellWindow::Drawing);
    QVERIFY(w);
    QVERIFY(!w->image().isNull());
    f->platform->boxes.clear();
  }
  void cleanup() {
    f.reset();
    w = nullptr;
  }

  // The bi-azimuthal dial's scale track bar: position Round(ln(scale) *
  // 10), a move sets the scale to Round(exp(position / 10)) and redraws;
  // other dials do not show it.
  void scaleTrackBarOfTheBiAzimuthalDial() {
    QVERIFY(!w->scaleTrackPanel()->isVisibleTo(w));
    DesignState& d = design();
    d.expertMode = d.expertModeActive = true;
    d.dialKind = 'c';
    d.drawingScale = 100;
    w->display();
    QVERIFY(w->scaleTrackPanel()->isVisibleTo(w));
    QCOMPARE(w->scaleSlider()->value(), 46);  // ln 100 = 4.605
    w->scaleSlider()->setValue(40);
    QCOMPARE(d.drawingScale, 55);  // e^4 = 54.6
    d.dialKind = 'v';
    w->display();
    QVERIFY(!w->scaleTrackPanel()->isVisibleTo(w));
  }

  // The expert panel's outline tools: "suchen" asks for a file and writes
  // the line numbers beside it; the panel is there in expert mode only.
  void outlineToolsOfTheExpertPanel() {
    design().expertModeActive = true;
    w->display();
    QVERIFY(w->mapToolsPanel()->isVisibleTo(w));
    QCOMPARE(w->mapToolButton(3)->text(), uiq(20403));
    const QString in = file(QStringLiteral("coast.dat"));
    {
      QFile data(in);
      QVERIFY(data.open(QIODevice::WriteOnly));
      data.write("> -b\r\n52.50\t13.40\r\n");
    }
    f->platform->fileNames.push_back(in.toStdString());
    f->platform->answers.push_back(MsgAnswer::Ok);
    w->mapToolButton(3)->click();
    QCOMPARE(f->platform->dialogs.back().defaultExtension, std::string("dat"));
    QFile result(file(QStringLiteral("coast_Info.dat")));
    QVERIFY(result.open(QIODevice::ReadOnly));
    QCOMPARE(result.readAll(), QByteArray("2\r\n"));
    design().expertModeActive = false;
    w->display();
    QVERIFY(!w->mapToolsPanel()->isVisibleTo(w));
  }

  // The main window's Format entries redraw an open drawing window at the
  // other page scale (picture width / 280 or / 420 pixels per mm).
  void paperFormatEntriesRedrawTheOpenDrawing() {
    const bool a4 = design().paperA4;
    const QImage before = w->image().copy();
    f->main->menuEntry(a4 ? menu::kFormatA3 : menu::kFormatA4)->trigger();
    UiFixture::settle();
    QCOMPARE(design().paperA4, !a4);
    QVERIFY(f->main->menuEntry(a4 ? menu::kFormatA3 : menu::kFormatA4)->isChecked());
    QVERIFY(w->image() != before);
    const QImage other = w->image().copy();
    f->main->menuEntry(a4 ? menu::kFormatA4 : menu::kFormatA3)->trigger();
    UiFixture::settle();
    QCOMPARE(design().paperA4, a4);
    QVERIFY(w->image() != other);
  }

  void activationDrawsTheDefaultDialWithItsDefaults() {
    const DrawingWindowState& s = w->controller().state();
    QCOMPARE(w->windowTitle(), QStringLiteral("Konstruktion einer vertikalen Sonnenuhr"));
    QCOMPARE(s.width, w->image().width());
    QCOMPARE(s.footX, double((s.width + 1) / 2));
    QCOMPARE(s.footY, std::round((s.width + 1) / 32.0));  // 'v' uses the width
    QVERIFY(!s.gnomonFootFixed);
    // The picture is drawn: more than a white page.
    int nonWhite = 0;
    for (int y = 0; y < w->image().height(); y += 4)
      for (int x = 0; x < w->image().width(); x += 4)
        if (w->image().pixel(x, y) != qRgb(255, 255, 255)) ++nonWhite;
    QVERIFY2(nonWhite > 500, qPrintable(QString::number(nonWhite)));
    QVERIFY(w->command(WorkText::HourLines)->isEnabled());
  }

  void clickFixesTheFootAndTheNextSaveWritesIt() {
    fitPictureToCli();
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 300));
    const DrawingWindowState& s = w->controller().state();
    QVERIFY(s.gnomonFootFixed);
    QCOMPARE(s.footX, 700.0);
    QCOMPARE(s.footY, 300.0);
    const QString plt = file(QStringLiteral("dial.plt"));
    QCOMPARE(saveFromWindow(PlotTarget::Hpgl, plt), SaveResult::Saved);
    const QByteArray hpgl = slurp(plt);
    // The foot in plotter units: Round(16157 / W x), Round(11040 - 11038 / H y).
    const long long px = std::llround(16157.0 / kCliWidth * 700);
    const long long py = std::llround(11040 - 11038.0 / kCliHeight * 300);
    QCOMPARE(px, screenToPlotX(700, kCliWidth));
    QCOMPARE(py, screenToPlotY(300, kCliHeight));
    // The plot of the default (unfixed) foot differs from this one.
    const QString plain = file(QStringLiteral("plain.plt"));
    const CliRun cli = runCliOnRecord({QStringLiteral("plot"), QStringLiteral("--out"), plain});
    QCOMPARE(cli.exitCode, 0);
    QVERIFY(slurp(plain) != hpgl);
    // The foot's cross of the plot, 200 units each way.
    const QString cross = QStringLiteral(";SP 4;PU %1 %2;PD %3 %2 %4 %2 %4 %5")
                              .arg(px - 200).arg(py).arg(px + 200).arg(px).arg(py + 200);
    QVERIFY2(hpgl.contains(cross.toLatin1()), qPrintable(cross));
  }

  void savedHpglAndDxfAreThoseOfTheCli() {
    fitPictureToCli();
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(812, 243));
    for (PlotTarget target : {PlotTarget::Hpgl, PlotTarget::Dxf}) {
      const QString ext = target == PlotTarget::Dxf ? QStringLiteral("dxf") : QStringLiteral("plt");
      const QString mine = file(QStringLiteral("window.") + ext);
      const QString theirs = file(QStringLiteral("cli.") + ext);
      QCOMPARE(saveFromWindow(target, mine), SaveResult::Saved);
      const CliRun cli = runCliOnRecord({QStringLiteral("plot"), QStringLiteral("--out"), theirs,
                                 QStringLiteral("--foot"), QStringLiteral("812,243")});
      QVERIFY2(cli.exitCode == 0, cli.err.constData());
      const QByteArray a = slurp(mine), b = slurp(theirs);
      QVERIFY(a.size() > 1000);
      QVERIFY2(a == b, firstDifference(a, b).constData());
    }
    // No temporary plot is left beside the DXF.
    QVERIFY(!QFile::exists(file(QStringLiteral("tavrel.$$$"))));
    QCOMPARE(design().plotLineWidth, std::uint8_t(1));
  }

  void lineThicknessOfThePanelReachesTheDxf() {
    fitPictureToCli();
    QVERIFY(w->openSavePanel(PlotTarget::Dxf));
    QVERIFY(w->savePanelWidget()->isVisible());
    QVERIFY(w->plotNameField()->text().endsWith(QStringLiteral(".dxf")));
    w->lineThicknessChoice(3)->click();
    const QString mine = file(QStringLiteral("thick.dxf"));
    f->platform->fileNames.push_back(mine.toStdString());
    QCOMPARE(w->continueSave(), SaveResult::Saved);
    QVERIFY(!w->savePanelWidget()->isVisible());
    const QString theirs = file(QStringLiteral("thick-cli.dxf"));
    const CliRun cli = runCliOnRecord({QStringLiteral("plot"), QStringLiteral("--out"), theirs,
                               QStringLiteral("--line-width"), QStringLiteral("3")});
    QCOMPARE(cli.exitCode, 0);
    QVERIFY2(slurp(mine) == slurp(theirs), firstDifference(slurp(mine), slurp(theirs)).constData());
  }

  void coordinatesCommandWritesTheListingBesideThePlot() {
    QVERIFY(w->openSavePanel(PlotTarget::Dxf, true));
    QVERIFY(w->coordinatesChoice(CoordinatesChoice::TextFile)->isChecked());
    const QString dxf = file(QStringLiteral("coords.dxf"));
    w->plotNameField()->setText(dxf);
    QTest::keyClick(w->plotNameField(), Qt::Key_End);  // an edit: the listing name follows
    w->plotNameField()->textEdited(dxf);
    QCOMPARE(w->coordinatesNameField()->text(), file(QStringLiteral("coords.txt")));
    f->platform->fileNames.push_back(dxf.toStdString());
    QCOMPARE(w->continueSave(), SaveResult::Saved);
    QVERIFY(QFile::exists(file(QStringLiteral("coords.txt"))));
    QVERIFY(QFile::exists(dxf));
  }

  void eightZoomStepsDoubleTheZoom() {
    QCOMPARE(w->controller().zoomFactor(), 1.0);
    for (int i = 0; i < 8; ++i) QTest::keyClick(w->picture(), Qt::Key_Plus);
    QCOMPARE(w->controller().zoomFactor(), 2.0);
    // The information shows the doubled gnomon (35 mm by default).
    w->showStylusInfo();
    QVERIFY(w->infoPanel()->isVisible());
    QVERIFY2(w->infoText()->toPlainText().contains(QStringLiteral("70.00")),
             qPrintable(w->infoText()->toPlainText()));
    for (int i = 0; i < 8; ++i) QTest::keyClick(w->picture(), Qt::Key_Minus);
    QCOMPARE(w->controller().zoomFactor(), 1.0);
  }

  void wheelBelowMinus299OnlyRedraws() {
    sendWheel(w->picture(), -300);
    QCOMPARE(w->controller().zoomFactor(), 1.0);
    sendWheel(w->picture(), -299);
    QCOMPARE(w->controller().zoomFactor(), 1.0 - 299 / 2000.0);
    sendWheel(w->picture(), 120);
    QCOMPARE(w->controller().zoomFactor(), (1.0 - 299 / 2000.0) * (1 + 120 / 2000.0));
    w->display();  // "Display" puts the zoom back to 1
    QCOMPARE(w->controller().zoomFactor(), 1.0);
  }

  void altClickMarksTheTextAndPreviewsItsBlock() {
    const double W = w->controller().state().width;
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::AltModifier, QPoint(120, 90));
    const DrawingWindowState& s = w->controller().state();
    QVERIFY(s.textAnchorMarked);
    QVERIFY(!s.gnomonFootFixed);
    // A vertical dial: W * 0.3 wide, W / 14 high.
    QCOMPARE(w->textPreview(), QRectF(120, 90, W * 0.3, W / 14));
    w->zoomIn();  // the next construction removes the preview
    QVERIFY(w->textPreview().isEmpty());
  }

  void hourLinesPanelAndLongitudeSwitch() {
    w->showHourLines();
    QVERIFY(w->anglePanel()->isVisible());
    const int rows = w->angleGrid()->rowCount();
    QVERIFY(rows > 5);
    // The noon line of the default wall (declination -11.7) has a value.
    const QString before = w->angleGrid()->item(12 - design().hourLinesFrom, 1)->text();
    QVERIFY(!before.trimmed().isEmpty());
    const bool ownMeridian = design().eotLinesOwnMeridian;
    w->longitudeSwitch()->click();
    QCOMPARE(design().eotLinesOwnMeridian, !ownMeridian);
    const QString after = w->angleGrid()->item(12 - design().hourLinesFrom, 1)->text();
    QVERIFY2(before != after, qPrintable(before));
    // Opening the save panel hides the table.
    QVERIFY(w->openSavePanel(PlotTarget::Hpgl));
    QVERIFY(!w->anglePanel()->isVisible());
  }

  void printsTheDialAtTrueSizeOnOneLandscapePage() {
    const QString pdf = file(QStringLiteral("dial.pdf"));
    PrintIntoPdf dialog(pdf);
    QVERIFY(w->printConstruction());
    QVERIFY(f->platform->boxes.empty());
    QVERIFY(QFile::exists(pdf));
    // The page: one, landscape A4.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.waitForFinished(30000), "pdfinfo (poppler-utils) is needed");
    const QString text = QString::fromLatin1(info.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Pages:           1")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("842 x 595 pts")), qPrintable(text));
    // The gnomon scale bar at 254 pixels per inch (1 pixel = 0.1 mm): its
    // two upright strokes stand the gnomon length (35 mm) apart.
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, file(QStringLiteral("page"))});
    QVERIFY2(raster.waitForFinished(60000) && raster.exitCode() == 0, "pdftoppm (poppler-utils) is needed");
    const QImage page(file(QStringLiteral("page.png")));
    // 842 x 595 points: 2970 (or 2971) x 2100 pixels.
    QVERIFY2(std::abs(page.width() - 2970) <= 1 && std::abs(page.height() - 2100) <= 1,
             qPrintable(QStringLiteral("%1x%2").arg(page.width()).arg(page.height())));
    // The bar's horizontal stroke lies 85 units above the frame's bottom
    // (page height 2100, margin 50); its upright strokes rise from it.
    const int barY = 2100 - 50 - 85;
    const auto above = darkRuns(page, barY - 20, 0, 700);
    QVERIFY2(above.size() >= 2, "the bar's upright strokes");
    const double left = (above[0].first + above[0].second) / 2.0;
    const double right = (above[1].first + above[1].second) / 2.0;
    const double gnomonMm = (right - left) / 10.0;
    QVERIFY2(std::fabs(gnomonMm - design().gnomonLength) <= 0.15, qPrintable(QString::number(gnomonMm)));
    // The horizontal stroke itself (a hair line: the row nearest to it).
    int longest = 0;
    for (int y = barY - 3; y <= barY + 3; ++y)
      for (const auto& [a, b] : darkRuns(page, y, 0, 700)) longest = std::max(longest, b - a + 1);
    QVERIFY2(std::fabs(longest / 10.0 - design().gnomonLength) <= 0.3, qPrintable(QString::number(longest)));
  }

  // A dial type whose family is not built yet: the title names it, the
  // picture, "Save as HPGL-File" and printing say it is not available.
  // The ham dial in the window: Ctrl + click marks hour points on the
  // picture, Shift + click and "Display" draw the curve through them, the
  // ninth mark is refused; "Save" writes a .ham file; a plot is refused.
  void hamDialMarksPointsAndSavesAndLoadsItsFile() {
    f->main->closeWindowsNamed(ShellWindow::Drawing);
    UiFixture::settle();
    design().dialKind = 'o';
    design().habermelGnomonLength = 40;
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    w = f->main->form<DrawingWindow>(ShellWindow::Drawing);
    QVERIFY(w);
    fitPictureToCli();
    f->platform->boxes.clear();
    for (int n = 0; n < 9; ++n)
      QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::ControlModifier, QPoint(900 + 20 * n, 300 + 30 * n));
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(f->platform->boxes[0].text),
             QStringLiteral("Es sind schon 8 Stundenpunkte gespeichert!"));
    // The marks are red circles on the picture.
    const QRgb mark = w->image().pixel(900 + 5, 300);
    QVERIFY(qRed(mark) > 200 && qGreen(mark) < 200 && qBlue(mark) < 200);
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    QVERIFY(!w->controller().state().gnomonFootFixed);
    w->display();
    // The curve from the centre through the marks instead of the hour
    // lines: far fewer drawn pixels than the nomogram after a plain click.
    const auto drawn = [this] {
      int n = 0;
      for (int y = 0; y < w->image().height(); y += 2)
        for (int x = 0; x < w->image().width(); x += 2)
          if (w->image().pixel(x, y) != qRgb(255, 255, 255)) ++n;
      return n;
    };
    const int curve = drawn();
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    w->display();
    const int nomogram = drawn();
    QVERIFY2(2 * curve < nomogram, qPrintable(QStringLiteral("%1 %2").arg(curve).arg(nomogram)));
    const QString ham = file(QStringLiteral("mine.ham"));
    f->platform->fileNames.push_back(ham.toStdString());
    f->platform->boxes.clear();
    w->command(WorkText::SaveData)->click();
    QVERIFY(QFile::exists(ham));
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(f->platform->boxes[0].text).endsWith(QStringLiteral(" gespeichert!")));
    // The marks cleared, Load brings them back and the picture shows their
    // curve again.
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::AltModifier, QPoint(10, 10));
    w->display();
    QCOMPARE(drawn(), nomogram);
    f->platform->fileNames.push_back(ham.toStdString());
    w->command(WorkText::LoadData)->click();
    QVERIFY2(2 * drawn() < nomogram, qPrintable(QString::number(drawn())));
    const QRgb restored = w->image().pixel(900 + 5, 300);
    QVERIFY(qRed(restored) > 200 && qGreen(restored) < 200 && qBlue(restored) < 200);
    f->platform->boxes.clear();
    QVERIFY(!w->openSavePanel(PlotTarget::Dxf));
    QCOMPARE(QString::fromStdString(f->platform->boxes.at(0).text),
             QStringLiteral("Für diesen Sonnenuhrtyp gibt es keine Plotdatei."));
  }

  // Hollander's dial: the information command shows its own lines (the
  // footprint, the date pairs' spread, the declination listing).
  void hollanderInformationIsShown() {
    f->main->closeWindowsNamed(ShellWindow::Drawing);
    UiFixture::settle();
    design().expertMode = design().expertModeActive = true;
    design().dialKind = 'm';
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    w = f->main->form<DrawingWindow>(ShellWindow::Drawing);
    QVERIFY(w);
    QVERIFY(w->command(WorkText::StylusInfo)->isEnabled());
    QVERIFY(!w->command(WorkText::HourLines)->isEnabled());
    w->showStylusInfo();
    QVERIFY(w->infoPanel()->isVisible());
    const QString text = w->infoText()->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Hollanders Sonnenuhr für mittlere Zeit")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Standellipse des Kegels")), qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("hat Deklination=")), 7);
  }

  // F1 on a command of the drawing window opens that command's page; with
  // a panel open, the page of its command; otherwise the dial's own page.
  void f1OpensTheTopicOfTheCommand() {
    const auto pressF1 = [](QWidget* target) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &press);
    };
    const auto topic = [this] { return f->main->helpViewer() ? f->main->helpViewer()->topic() : -1; };
    const auto unfocus = [this] {
      if (QWidget* focused = w->focusWidget()) focused->clearFocus();
    };
    design().dialKind = 'v';
    unfocus();
    pressF1(w);
    QCOMPARE(topic(), 10);
    struct Row {
      WorkText command;
      int topic;
    };
    const Row rows[] = {{WorkText::Display, 30},    {WorkText::AsSavedFile, 30}, {WorkText::StylusInfo, 31},
                        {WorkText::PrintInfo, 31},  {WorkText::HourLines, 32},   {WorkText::Print, 33},
                        {WorkText::SaveHpgl, 34},   {WorkText::SaveDxf, 34},     {WorkText::Coordinates, 34},
                        {WorkText::SaveData, 35},   {WorkText::LoadData, 35},    {WorkText::Colours, 36}};
    for (const Row& row : rows) {
      QPushButton* b = w->command(row.command);
      QVERIFY(b);
      b->setFocus();
      pressF1(b);
      QVERIFY2(topic() == row.topic, qPrintable(b->text()));
      QVERIFY2(!f->main->helpViewer()->browser()->toPlainText().startsWith(QStringLiteral("Tavrel - Inhalt")),
               qPrintable(b->text()));
    }
    // "Parameter" has the dial's page.
    w->command(WorkText::Parameter)->setFocus();
    pressF1(w->command(WorkText::Parameter));
    QCOMPARE(topic(), 10);
    unfocus();
    w->showHourLines();
    pressF1(w);
    QCOMPARE(topic(), 32);
    w->showStylusInfo();
    pressF1(w);
    QCOMPARE(topic(), 31);
    QVERIFY(w->openSavePanel(PlotTarget::Hpgl));
    pressF1(w);
    QCOMPARE(topic(), 34);
    f->main->helpViewer()->close();
  }

  // The ring dial's correction table: its button and file switch come
  // from the family table, hidden for the other dials; the button draws
  // the chart, the switch sets writeCorrectionFile.
  void ringCorrectionTableButtonAndFileSwitch() {
    const auto find = [this] {
      QPushButton* button = nullptr;
      for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Korrekturtabelle... ")) button = b;
      QCheckBox* check = nullptr;
      for (QCheckBox* c : w->findChildren<QCheckBox*>())
        if (c->text() == QStringLiteral("in Schoener-Tabelle.txt schreiben")) check = c;
      return std::make_pair(button, check);
    };
    auto [none, noCheck] = find();
    QVERIFY(!none || !none->isVisibleTo(w));
    QVERIFY(!noCheck || !noCheck->isVisibleTo(w));
    f->main->closeWindowsNamed(ShellWindow::Drawing);
    UiFixture::settle();
    design().dialKind = 'r';
    design().writeCorrectionFile = false;
    f->main->openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    UiFixture::settle();
    w = f->main->form<DrawingWindow>(ShellWindow::Drawing);
    QVERIFY(w);
    auto [button, check] = find();
    QVERIFY(button && button->isVisibleTo(w));
    QVERIFY(check && check->isVisibleTo(w));
    QVERIFY(!check->isChecked());
    const QImage band = w->image().copy();
    button->click();
    UiFixture::settle();
    QVERIFY(w->image() != band);
    check->click();
    QVERIFY(design().writeCorrectionFile);
    check->click();
    QVERIFY(!design().writeCorrectionFile);
    // In English the button speaks English.
    f->main->setLanguage(false);
    UiFixture::settle();
    QCOMPARE(button->text(), QStringLiteral("Correction Table... "));
    f->main->setLanguage(true);
    UiFixture::settle();
    QCOMPARE(button->text(), QStringLiteral("Korrekturtabelle... "));
  }

  void footOutsideThePictureAsksBeforePrinting() {
    QTest::mouseClick(w->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    w->controller().state().footX = -5;
    const QString pdf = file(QStringLiteral("never.pdf"));
    PrintIntoPdf dialog(pdf);
    f->platform->answers.push_back(MsgAnswer::Yes);  // "Do you wish to cancel?"
    QVERIFY(!w->printConstruction());
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(f->platform->boxes[0].text, messageText(15));
    QVERIFY(!QFile::exists(pdf));
  }

  // The coordinates listing on the printer: the head at 11 pt, the points
  // after it at 9 pt (word heights read back with pdftotext -bbox).
  void printedCoordinatesListingShrinksAfterTheHead() {
    const QString pdf = file(QStringLiteral("listing.pdf"));
    PrintIntoPdf dialog(pdf);
    QVERIFY(w->openSavePanel(PlotTarget::Hpgl));
    w->coordinatesChoice(CoordinatesChoice::Printer)->setChecked(true);
    f->platform->fileNames.push_back(file(QStringLiteral("listing.plt")).toStdString());
    QCOMPARE(w->continueSave(), SaveResult::Saved);
    QVERIFY(QFile::exists(pdf));
    QProcess bbox;
    bbox.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY2(bbox.waitForFinished(30000), "pdftotext (poppler-utils) is needed");
    const QString html = QString::fromUtf8(bbox.readAllStandardOutput());
    // <word xMin=".." yMin=".." xMax=".." yMax="..">text</word>
    const QRegularExpression word(
        QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    double headHeight = 0, pointHeight = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      const double h = m.captured(2).toDouble() - m.captured(1).toDouble();
      if (headHeight == 0) headHeight = h;  // the dial's name, the first line
      if (pointHeight == 0 && m.captured(3) == QStringLiteral("Uhr):")) pointHeight = h;
    }
    QVERIFY2(headHeight > 0 && pointHeight > 0, qPrintable(html.left(2000)));
    QVERIFY2(std::fabs(headHeight / pointHeight - 11.0 / 9.0) < 0.03,
             qPrintable(QStringLiteral("%1 / %2").arg(headHeight).arg(pointHeight)));
  }

  void printWhileTheAngleTableIsShownPrintsTheTable() {
    w->showHourLines();
    const QString pdf = file(QStringLiteral("angles.pdf"));
    PrintIntoPdf dialog(pdf);
    QVERIFY(w->print());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(30000));
    const QString text = QString::fromLatin1(info.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("595 x 842 pts")), qPrintable(text));  // portrait
  }

  void angleTableRunsOntoAFollowingPage() {
    HourLineAngleTable table = computeHourLineAngles(design());
    const AngleTablePrintout printout = hourLineAnglePrintout(design(), table, 35);
    QVERIFY(printout.rows.size() > 10);
    RecordingCanvas page;
    int newPages = 0;
    // A page as high as the information and a handful of rows.
    const int height = 180 + static_cast<int>(printout.infoLines.size() + 12) * 44;
    const int pages = drawAngleTablePages(page, printout, 2100, height, [&] { ++newPages; });
    QVERIFY(pages >= 2);
    QCOMPARE(newPages, pages - 1);
    int notes = 0, cells = 0;
    for (const Primitive& p : page.primitives) {
      if (p.kind != PrimitiveKind::Text) continue;
      if (p.text == printout.continuedNote) ++notes;
      if (p.text == "12:00") ++cells;
    }
    QCOMPARE(notes, pages - 1);
    QCOMPARE(cells, 1);  // every row once
    // The table's columns line up only in a fixed-pitch face.
    for (const Primitive& p : page.primitives)
      if (p.kind == PrimitiveKind::Text) QVERIFY2(p.font.fixedPitch, p.text.c_str());
    // On a full page it all fits.
    RecordingCanvas big;
    QCOMPARE(drawAngleTablePages(big, printout, 2100, 2900, [] {}), 1);
    // Every cell inside the page's width.
    for (const Primitive& p : big.primitives)
      if (p.kind == PrimitiveKind::Text)
        QVERIFY2(p.p[0] + approximateTextExtent(p.font, p.text).width <= 2100, p.text.c_str());
  }
};

QTEST_MAIN(DrawingWindowTest)
#include "drawing_window_test.moc"
