// The main window (MainWindow): the "generate dial" sequence, expert mode,
// language switching, the colour panel, the slide show, the menus and the
// settings-file commands.
#include <QAction>
#include <QKeyEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTextBrowser>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "dials/dial_type_rules.h"
#include "core/settings_file.h"
#include "ui/colour_panel.h"
#include "ui/drawing_window.h"
#include "dials/dial_family.h"
#include "ui/help_topics.h"
#include "ui/help_viewer.h"
#include "ui/picture_area.h"
#include "ui/qt_platform.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui/parameter_window.h"
#include "ui_fixture.h"

using namespace tavrel;
using tavrel::test::q;
using tavrel::test::UiFixture;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<UiFixture> f;
  MainWindow& m() { return *f->main; }
  int openForms() {
    int n = 0;
    for (QMdiSubWindow* w : m().mdiArea()->subWindowList())
      if (auto* c = qobject_cast<ChildForm*>(w); c && !c->isGone()) ++n;
    return n;
  }
  bool sequenceMenusEnabled() {
    for (int e : {menu::kWizard, menu::kWizard2, menu::kCalculations, menu::kOptions, menu::kDrawing})
      if (!m().menuEntry(e)->isEnabled()) return false;
    return true;
  }

 private slots:
  void init() { f = std::make_unique<UiFixture>(); }
  void cleanup() { f.reset(); }

  void menuHasItsFortyFiveEntriesInBothLanguages() {
    for (int i = 0; i < kMenuEntryCount; ++i) {
      QVERIFY(m().menuEntry(i));
      QVERIFY(m().menuEntry(i)->text().startsWith(q(tableText(TextTable::Menu, i))));
    }
    QCOMPARE(m().menuEntry(menu::kLocation)->text(), QStringLiteral("&Geogr. Lage und Jahr"));
    QCOMPARE(m().menuEntry(menu::kLocation)->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(m().menuEntry(menu::kExpert)->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X));
    QCOMPARE(m().menuEntry(menu::kQuit)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    m().setLanguage(false);
    QCOMPARE(m().menuEntry(menu::kLocation)->text(), QStringLiteral("&Reference Year and Location"));
    QVERIFY(m().menuEntry(menu::kEnglish)->isChecked());
    QVERIFY(!m().menuEntry(menu::kGerman)->isChecked());
    QVERIFY(f->platform->boxes.empty());  // the help pages are built in
  }

  void wizardFromStepOneToTheDrawingWindow() {
    m().startWizard();
    QCOMPARE(design().wizardStep, std::uint8_t(1));
    QVERIFY(!sequenceMenusEnabled());
    auto* location = m().form<LocationWindow>(ShellWindow::Location);
    QVERIFY(location);
    QCOMPARE(location->windowTitle(), QStringLiteral("Sonnenuhr erstellen, Teil 1"));
    QVERIFY(location->cancelButton()->isVisibleTo(location));
    QCOMPARE(location->closeButton()->text(), QStringLiteral(" &Nächstes... >"));

    location->closeButton()->click();
    UiFixture::settle();
    auto* dialType = m().form<DialTypeWindow>(ShellWindow::DialType);
    QVERIFY(dialType);
    QCOMPARE(design().wizardStep, std::uint8_t(4));
    QCOMPARE(dialType->windowTitle(), QStringLiteral("Sonnenuhr erstellen, Teil  2"));
    QCOMPARE(dialType->closeButton()->text(), q(loadString(9)));
    QCOMPARE(openForms(), 1);

    dialType->closeButton()->click();
    UiFixture::settle();
    auto* parameters = m().form<ParameterWindow>(ShellWindow::Parameters);
    QVERIFY(parameters);
    QCOMPARE(design().wizardStep, std::uint8_t(5));
    QCOMPARE(parameters->windowTitle(), QStringLiteral("Sonnenuhr erstellen, Teil 3"));
    QVERIFY(parameters->cancelButton()->isVisibleTo(parameters));

    parameters->closeButton()->click();
    UiFixture::settle();
    auto* drawing = m().form<DrawingWindow>(ShellWindow::Drawing);
    QVERIFY(drawing);
    QVERIFY(!drawing->image().isNull());
    QCOMPARE(drawing->windowTitle(), QStringLiteral("Konstruktion einer vertikalen Sonnenuhr"));
    QCOMPARE(openForms(), 1);
    QCOMPARE(design().wizardStep, std::uint8_t(0));
    QVERIFY(sequenceMenusEnabled());
    QVERIFY(!m().menuEntry(menu::kCloseAll)->isEnabled());
    QVERIFY(f->platform->boxes.empty());
  }

  void wizardCancelEndsTheSequence() {
    m().startWizard();
    m().form<LocationWindow>(ShellWindow::Location)->closeButton()->click();
    UiFixture::settle();
    auto* dialType = m().form<DialTypeWindow>(ShellWindow::DialType);
    QVERIFY(dialType);
    dialType->cancelButton()->click();
    UiFixture::settle();
    QCOMPARE(openForms(), 0);
    QCOMPARE(design().wizardStep, std::uint8_t(0));
    QVERIFY(sequenceMenusEnabled());
    QVERIFY(m().pictures()->startVisible());
  }

  void wizardWaitsForAValidLocation() {
    m().startWizard();
    auto* location = m().form<LocationWindow>(ShellWindow::Location);
    location->yearField()->setText(QStringLiteral("1200"));
    location->closeButton()->click();
    UiFixture::settle();
    QVERIFY(m().isWindowOpen(ShellWindow::Location));
    QVERIFY(!m().isWindowOpen(ShellWindow::DialType));
    location->yearField()->setText(QStringLiteral("2024"));
    location->closeButton()->click();
    UiFixture::settle();
    QVERIFY(m().isWindowOpen(ShellWindow::DialType));
  }

  void expertModeOffWhileHollanderIsChosen() {
    design().dialKind = 'm';
    design().cylinderVariant = 2;
    design().gnomonHoleOffset = 5;
    m().openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    QVERIFY(m().isWindowOpen(ShellWindow::Drawing));
    m().toggleExpertMode();
    UiFixture::settle();
    const DesignState& d = design();
    QCOMPARE(d.dialKind, 'h');
    QVERIFY(!d.expertMode && !d.expertModeActive && !d.mapOverlay);
    QCOMPARE(d.cylinderVariant, std::uint8_t(0));
    QCOMPARE(d.gnomonHoleOffset, 0.0);
    QCOMPARE(d.gnomonHoleOffsetMax, d.obliquityRounded / 2);
    QCOMPARE(d.gnomonHoleOffsetMin, -d.obliquityRounded / 2);
    QVERIFY(!m().isWindowOpen(ShellWindow::Drawing));
    QVERIFY(!m().menuEntry(menu::kExpert)->isChecked());
    QCOMPARE(f->platform->boxes.size(), std::size_t(1));
    QCOMPARE(f->platform->boxes[0].text, messageText(67));
  }

  // The two boxes of the switch carry captions with the version instead
  // of one of the five message captions.
  void expertModeBoxesNameTheVersion() {
    design().expertMode = design().expertModeActive = false;
    m().toggleExpertMode();
    m().toggleExpertMode();
    const std::vector<RecordedBox>& boxes = f->platform->boxes;
    QCOMPARE(boxes.size(), std::size_t(2));
    const std::string version = design().versionText;
    QVERIFY(boxes[0].freeCaption && boxes[1].freeCaption);
    QCOMPARE(q(boxes[0].captionText), q("Tavrel " + version + ", Info"));
    QCOMPARE(q(boxes[0].text), q(messageText(68)) + QStringLiteral(" on!"));
    QCOMPARE(q(boxes[1].captionText), q("Tavrel, v. " + version));
    QCOMPARE(q(boxes[1].text), q(messageText(67)));
    QCOMPARE(boxes[1].icon, MsgIcon::Information);
  }

  void expertModeOffReopensTheDialTypeList() {
    design().dialKind = 'm';
    m().openWorkingWindow(ShellWindow::DialType, menu::kDialType);
    QCOMPARE(m().form<DialTypeWindow>(ShellWindow::DialType)->list()->count(), 14);
    m().toggleExpertMode();
    UiFixture::settle();
    auto* w = m().form<DialTypeWindow>(ShellWindow::DialType);
    QVERIFY(w);
    QCOMPARE(w->list()->count(), 12);
    QCOMPARE(w->positions()[w->list()->currentRow()], int(dialTypeEntryOfKind('h')));
    m().toggleExpertMode();
    UiFixture::settle();
    QCOMPARE(m().form<DialTypeWindow>(ShellWindow::DialType)->list()->count(), 14);
    QCOMPARE(q(f->platform->boxes.back().text), q(messageText(68)) + QStringLiteral(" on!"));
  }

  void englishRebuildsTheOpenDialTypeList() {
    m().openWorkingWindow(ShellWindow::DialType, menu::kDialType);
    auto* before = m().form<DialTypeWindow>(ShellWindow::DialType);
    QCOMPARE(before->list()->item(umbrellaDialTypeEntry())->text(), QStringLiteral("Schirm"));
    m().setLanguage(false);
    UiFixture::settle();
    auto* after = m().form<DialTypeWindow>(ShellWindow::DialType);
    QVERIFY(after);
    QCOMPARE(after->list()->count(), 14);
    QCOMPARE(after->list()->item(umbrellaDialTypeEntry())->text(), QStringLiteral("umbrella"));
    QCOMPARE(after->list()->item(dialTypeEntryOfKind('o'))->text(), QStringLiteral("ham dial"));
    QCOMPARE(after->positions()[after->list()->currentRow()], int(dialTypeEntryOfKind('v')));
    QCOMPARE(after->windowTitle(), QStringLiteral("Selection of Sundial-Type"));
  }

  void languageSwitchKeepsTypedValues() {
    m().openWorkingWindow(ShellWindow::Location, menu::kLocation);
    auto* w = m().form<LocationWindow>(ShellWindow::Location);
    w->decimalField(0)->setText(QStringLiteral("12.5"));
    m().setLanguage(false);
    QCOMPARE(m().form<LocationWindow>(ShellWindow::Location), w);
    QCOMPARE(w->decimalField(0)->text(), QStringLiteral("12.5"));
    QCOMPARE(w->windowTitle(), QStringLiteral(" Location and Reference Year"));
    QCOMPARE(w->hemisphere(0, true)->text(), QStringLiteral(" &North"));
  }

  void sawyerPenTenAlsoSetsPenTwelve() {
    design().dialKind = 'w';
    m().showColourPanel();
    QVERIFY(m().colourPanel()->isVisibleTo(&m()));
    f->platform->colours = {0x123456};
    m().colourPanel()->chooseColour(10);
    QCOMPARE(design().colors[9], 0x123456);
    QCOMPARE(design().colors[11], 0x123456);

    design().dialKind = 'v';
    m().showColourPanel();
    const std::int32_t pen12 = design().colors[11];
    f->platform->colours = {0x00FF00};
    m().colourPanel()->chooseColour(10);
    QCOMPARE(design().colors[9], 0x00FF00);
    QCOMPARE(design().colors[11], pen12);
  }

  void colourLegendFollowsTheKind() {
    design().dialKind = 'r';
    m().showColourPanel();
    QCOMPARE(m().legendBlock(), 48);
    QCOMPARE(legendText(49), QStringLiteral("= Text"));
    design().dialKind = 'o';  // the ham dial keeps the block shown before
    m().showColourPanel();
    QCOMPARE(m().legendBlock(), 48);
  }

  void slideShowRunsThroughAllPictures() {
    PictureArea* p = m().pictures();
    p->toggleSlideShow();
    QVERIFY(p->slideShowRunning());
    QCOMPARE(p->panelPicture(), 1105);
    QCOMPARE(p->panelCaption(), QStringLiteral("horizontale SONNENUHR "));
    for (int i = 0; i < 25; ++i) p->slideTick();
    QCOMPARE(p->panelPicture(), 3006);
    p->slideTick();
    QCOMPARE(p->panelPicture(), 1105);
    p->toggleSlideShow();
    QVERIFY(!p->slideShowRunning());
    QVERIFY(!p->panelVisible());
  }

  void pictureStripCyclesItsFamily() {
    PictureArea* p = m().pictures();
    QCOMPARE(p->stripPicture(0), 1105);
    p->stripClicked(0);
    QCOMPARE(p->panelPicture(), 1106);
    p->stripClicked(0);
    p->stripClicked(0);
    p->stripClicked(0);
    QCOMPARE(p->stripPicture(0), 1105);
    QVERIFY(!p->showPicture(2998));  // the horizontal dial's number shows nothing
  }

  void saveAndLoadSundialData() {
    const std::string path = f->dir.filePath(QStringLiteral("garden.tav")).toStdString();
    f->platform->fileNames = {path};
    design().latitude = 12.5;
    m().saveSundialData();
    QVERIFY(QFile::exists(q(path)));
    const FileDialogRequest& save = f->platform->dialogs.back();
    QCOMPARE(q(save.title), QStringLiteral("TAVREL.EXE - Konstruktionsdaten speichern"));
    QCOMPARE(q(save.initialName), QStringLiteral("myDial.tav"));
    QCOMPARE(q(save.defaultExtension), QStringLiteral("tav"));
    QCOMPARE(q(save.filter), QStringLiteral("Startkonfiguration (*.ini)|*.ini|Andere Konstruktionsdaten (*.tav)|*.tav|Alle Dateien (*.*)|*.*"));
    QCOMPARE(q(f->platform->boxes.back().text), q(path) + QStringLiteral(" gespeichert!"));  // name + message 58

    design().latitude = 40;
    design().germanSelected = false;  // the file says German
    f->platform->fileNames = {path};
    m().loadSundialData();
    QCOMPARE(design().latitude, 12.5);
    QCOMPARE(q(f->platform->dialogs.back().title), QStringLiteral("TAVREL.EXE - Konstruktionsdaten laden"));
    QCOMPARE(design().language, 1);
    QCOMPARE(m().menuEntry(menu::kLocation)->text(), QStringLiteral("&Geogr. Lage und Jahr"));
  }

  void loadDefaultsKeepsLanguageAndKind() {
    design().dialKind = 'r';
    design().referenceYear = 2031;
    m().setLanguage(false);
    m().loadDefaults();
    QCOMPARE(design().referenceYear, 2020);
    QCOMPARE(design().dialKind, 'r');
    QCOMPARE(design().language, 2);
  }

  void popupDateEntriesOnlyWithOwnDatesInTheParameterWindow() {
    QMenu* popup = m().popupMenu();
    const QList<QAction*> a = popup->actions();
    design().dateLineMode = '2';
    m().showPopupMenu(QPoint(10, 10));
    QVERIFY(!a[2]->isVisible() && !a[3]->isVisible());
    popup->hide();
    m().openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
    m().showPopupMenu(QPoint(10, 10));
    QVERIFY(a[2]->isVisible() && a[3]->isVisible());
    popup->hide();
    design().dateLineMode = '0';
    m().showPopupMenu(QPoint(10, 10));
    QVERIFY(!a[2]->isVisible());
    popup->hide();
  }

  void helpOpensAtTheWindowsTopic() {
    m().openHelp(kHelpContents);
    QVERIFY(m().helpViewer());
    QCOMPARE(m().helpViewer()->topic(), kHelpContents);
    QVERIFY(m().helpViewer()->browser()->toPlainText().contains(QStringLiteral("Tavrel - Inhalt")));
    design().dialKind = 'r';
    m().openWorkingWindow(ShellWindow::DialType, menu::kDialType);
    auto* w = m().form<DialTypeWindow>(ShellWindow::DialType);
    QCOMPARE(w->helpTopic(), 20);
    m().setLanguage(false);
    UiFixture::settle();
    m().openHelp(m().form<DialTypeWindow>(ShellWindow::DialType)->helpTopic());
    QVERIFY(m().helpViewer()->browser()->toPlainText().contains(QStringLiteral("Ring sundial")));
    m().helpViewer()->close();
  }

  // Every topic a window, a command or a dial type opens has its own page
  // in both languages (not the contents page in its stead), titled as its
  // contents entry names it.
  void everyTopicHasItsPages() {
    std::vector<int> topics(std::begin(help::kOwnTopics), std::end(help::kOwnTopics));
    topics.push_back(help::kLocation);
    for (const DialFamily& family : dialFamilies())
      for (int t : {family.helpTopic, family.umbrellaHelpTopic})
        if (t > 0) topics.push_back(t);
    for (int language : {1, 2}) {
      QFile contents(helpPagePath(kHelpContents, language));
      QVERIFY(contents.open(QIODevice::ReadOnly));
      const QString index = QString::fromUtf8(contents.readAll());
      for (int t : topics) {
        const QString page = helpPagePath(t, language);
        QVERIFY2(page.endsWith(QStringLiteral("/topic_%1.html").arg(t)), qPrintable(page));
        QVERIFY2(index.contains(QStringLiteral("href=\"topic_%1.html\"").arg(t)), qPrintable(page));
      }
    }
  }

  // The file dialogs speak the program's language: their labels from the
  // program's texts, Qt's own texts (views, questions) through Qt's German
  // translation, which install-deps installs.
  void fileDialogsFollowTheLanguage() {
    FileDialogRequest r;
    r.title = "TAVREL.EXE - Tabelle speichern";
    r.filter = "Textdatei (*.TXT)|*.TXT";
    struct Row {
      bool german;
      const char *fileName, *accept, *lookIn;
    };
    for (const Row& row : {Row{true, "Dateiname:", "&Speichern", "Suchen in:"},
                           Row{false, "File name:", "&Save", "Look in:"},
                           Row{true, "Dateiname:", "&Speichern", "Suchen in:"}}) {
      m().setLanguage(row.german);
      QFileDialog dialog;
      prepareFileDialog(dialog, r, true);
      QCOMPARE(dialog.labelText(QFileDialog::FileName), QString::fromUtf8(row.fileName));
      QCOMPARE(dialog.labelText(QFileDialog::Accept), QString::fromUtf8(row.accept));
      QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8(row.lookIn));
    }
  }

  // Escape closes the help window, from the page as from its frame.
  void escapeClosesTheHelp() {
    for (bool onPage : {true, false}) {
      m().openHelp(kHelpContents);
      HelpViewer* h = m().helpViewer();
      QVERIFY(h && h->isVisible());
      QTest::keyClick(onPage ? static_cast<QWidget*>(h->browser()) : h, Qt::Key_Escape);
      QVERIFY(!h->isVisible());
    }
  }

  // F1 in the parameter page and in the drawing window of a cylinder dial
  // or a hidokai opens its topic, in both languages, with its picture.
  void f1OpensTheCylinderAndHidokaiTopics_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("picture");
    QTest::newRow("shepherd") << 'z' << 0 << 17 << "Shepherd's dial" << "Hirtenuhr" << "cylinder-shepherds-dial.jpg";
    QTest::newRow("polar style") << 'z' << 2 << 17 << "Radius of the cylinder" << "Zylinderradius"
                                 << "cylinder-shepherds-dial.jpg";
    QTest::newRow("hidokai") << 'k' << 0 << 19 << "Complete with a vertical dial face"
                             << "Mit vertikalem Zifferblatt ergänzen" << "hidokai-with-wall.jpg";
    QTest::newRow("quadrant") << 'q' << 0 << 13 << "Vertical Habermel dial II" << "Gunter-Quadrant"
                              << "habermel-1.jpg";
  }
  void f1OpensTheCylinderAndHidokaiTopics() {
    QFETCH(char, kind);
    QFETCH(int, variant);
    QFETCH(int, topic);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QFETCH(QString, picture);
    design().dialKind = kind;
    design().cylinderVariant = static_cast<std::uint8_t>(variant);
    const auto pressF1 = [](QWidget* w) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &press);
    };
    m().openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
    pressF1(m().form<ParameterWindow>(ShellWindow::Parameters));
    QVERIFY(m().helpViewer());
    QCOMPARE(m().helpViewer()->topic(), topic);
    QTextBrowser* b = m().helpViewer()->browser();
    QVERIFY2(b->toPlainText().contains(german), qPrintable(b->toPlainText()));
    QVERIFY(!b->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("../pictures/") + picture))
                 .isNull());
    m().helpViewer()->close();
    QVERIFY(m().closeChildWindows());
    m().setLanguage(false);
    UiFixture::settle();
    m().openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
    pressF1(m().form<DrawingWindow>(ShellWindow::Drawing));
    QCOMPARE(m().helpViewer()->topic(), topic);
    QVERIFY2(b->toPlainText().contains(english), qPrintable(b->toPlainText()));
    m().helpViewer()->close();
  }

  void quitClosesTheWorkingWindowsFirst() {
    m().openWorkingWindow(ShellWindow::Location, menu::kLocation);
    auto* w = m().form<LocationWindow>(ShellWindow::Location);
    w->yearField()->setText(QStringLiteral("99"));
    QVERIFY(!m().close());  // the location window refuses, so does the program
    w->yearField()->setText(QStringLiteral("2024"));
    QVERIFY(m().close());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
