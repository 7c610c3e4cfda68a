// The desktop program started with a construction-data file (a double
// click on a "*.tav" file): which arguments name a file, and the main
// window loading it after its settings as "Load Sundial Data" does.
#include <QAction>
#include <QFile>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

#include "core/language.h"
#include "ui/tavrel_app.h"
#include "ui_fixture.h"

using namespace tavrel;
using tavrel::test::q;

namespace {

QByteArray fixture(const char* name) {
  QFile f(QStringLiteral(TAVREL_SOURCE_DIR "/tests/fixtures/settings/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

}  // namespace

class StartFileTest : public QObject {
  Q_OBJECT

 private slots:
  void argumentsThatNameAFile() {
    struct Case {
      const char* what;
      std::vector<std::string> arguments;
      std::optional<std::string> file;
    };
    const Case cases[] = {
        {"no argument", {"tavrel"}, std::nullopt},
        {"one file", {"tavrel", "/home/ann/Sonnenuhr.tav"}, "/home/ann/Sonnenuhr.tav"},
        {"a relative name", {"tavrel", "wall.tav"}, "wall.tav"},
        {"two files", {"tavrel", "a.tav", "b.tav"}, std::nullopt},
        {"an option", {"tavrel", "--help"}, std::nullopt},
        {"an empty argument", {"tavrel", ""}, std::nullopt},
    };
    for (const Case& c : cases) QVERIFY2(startFileArgument(c.arguments) == c.file, c.what);
  }

  // The file is read after the start (which found no "tav.ini" and was
  // told No): its values, its dial kind and its language are in force and
  // the menus follow the language.
  void fileGivenAtStartIsLoadedAfterTheSettings() {
    QTemporaryDir dir;
    QByteArray bytes = fixture("historic_cp1252.tav");
    QVERIFY(!bytes.isEmpty());
    bytes.replace("\r\nDjjnj\r\n", "\r\nEjjnj\r\n");  // line 13: English
    const QString file = dir.filePath(QStringLiteral("wall.tav"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    ScopedScriptedPlatform platform;
    design() = DesignState();
    platform->currentDir = dir.path().toStdString();
    MainWindow main;
    main.openAtStart(file.toStdString());
    main.firstShown();

    QCOMPARE(design().referenceYear, 1998);
    QCOMPARE(design().latitude, 50.123456);
    QCOMPARE(design().dialKind, 'v');
    QVERIFY(design().umbrellaMode);
    QCOMPARE(design().language, 2);
    QCOMPARE(main.menuEntry(menu::kLocation)->text(), QStringLiteral("&Reference Year and Location"));
    // The settings file is still the working folder's, not the file opened.
    QCOMPARE(q(design().settingsFileName), dir.filePath(QStringLiteral("tav.ini")));
    // One box: the question to create the missing "tav.ini", asked first.
    QCOMPARE(platform->boxes.size(), std::size_t(1));
    QCOMPARE(platform->boxes[0].buttons, MsgButtons::YesNo);
  }

  // A file that cannot be read gives the box of "Load Sundial Data" and
  // leaves the start values.
  void missingFileGivesTheLoadError() {
    QTemporaryDir dir;
    ScopedScriptedPlatform platform;
    design() = DesignState();
    platform->currentDir = dir.path().toStdString();
    MainWindow main;
    main.openAtStart(dir.filePath(QStringLiteral("gone.tav")).toStdString());
    main.firstShown();
    QCOMPARE(design().referenceYear, 2024);  // the scripted clock's year
    QVERIFY(!platform->boxes.empty());
    QCOMPARE(platform->boxes.back().caption, MsgCaption::Error);
    QCOMPARE(q(platform->boxes.back().text), q(messageText(24) + "4"));
  }
};

QTEST_MAIN(StartFileTest)
#include "start_file_test.moc"
