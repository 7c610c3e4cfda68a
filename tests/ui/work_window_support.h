// Shared steps of the drawing, calculator and table window tests: the
// main window on the screen (offscreen platform), tavrel-cli run as a user
// runs it, files read whole, and the print dialog answered with "print
// into this PDF file".
#pragma once

#include <QFile>
#include <QMarginsF>
#include <QProcess>
#include <QStringList>
#include <string>

#include "ui/print_jobs.h"
#include "ui_fixture.h"

namespace tavrel::test {

// The main window shown at a size that leaves the working windows room.
inline void showMainWindow(UiFixture& f) {
  f.main->resize(1800, 1250);
  f.main->show();
  UiFixture::settle();
}

struct CliRun {
  int exitCode = -1;
  QByteArray out, err;
};

// tavrel-cli with the day the fixture's clock gives (the reference year
// of the start-up defaults) and the German language of the fixture.
inline CliRun runCli(const QStringList& args, const QString& workDir = QString()) {
  QProcess p;
  if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
  QStringList all{QStringLiteral("--today"), QStringLiteral("2024-06-15"), QStringLiteral("--lang"),
                  QStringLiteral("de")};
  all << args;
  p.start(QStringLiteral(TAVREL_CLI_PATH), all);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

inline QByteArray slurp(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// Where two files part: the offset and some text of each from there on
// (empty when they are equal).
inline QByteArray firstDifference(const QByteArray& a, const QByteArray& b) {
  qsizetype i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return {};
  const qsizetype from = std::max<qsizetype>(0, i - 40);
  return "at byte " + QByteArray::number(i) + ":\n  " + a.mid(from, 120) + "\n  " + b.mid(from, 120);
}

// The print dialog answered: the printer writes a PDF file, A4 without
// margins (so that the page units start at the sheet's corner).
struct PrintIntoPdf {
  explicit PrintIntoPdf(const QString& path) {
    setPrintDialogRunner([path](QPrinter& p) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(path);
      p.setPageSize(QPageSize(QPageSize::A4));
      p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
      return true;
    });
  }
  ~PrintIntoPdf() { setPrintDialogRunner(nullptr); }
};

}  // namespace tavrel::test
