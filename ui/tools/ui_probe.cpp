// A probe of the real desktop program for measurements and screenshots:
// the same start-up as tavrel, with message boxes answered by the probe
// (written to standard error, safe answer) so that nothing waits for a
// hand on the keyboard.
//
//   tavrel_ui_probe startup [LAUNCH_NS]
//       prints the time from the process start (LAUNCH_NS: the wall clock
//       in nanoseconds when the caller launched the probe) and from main()
//       to the first paint of the main window, then quits.
//   tavrel_ui_probe screenshot OUT.png de|en [WINDOW]
//       the main window after start-up in that language, saved as PNG;
//       WINDOW opens a working window first: dialtype, location, colours,
//       dialtype:P,Q,... (the dial-type window with the entries of the
//       list positions P, Q, ... chosen one after the other, as clicks do),
//       drawing,
//       or parameters:K with K the dial kind letter (a "s" before it for
//       the umbrella form, e.g. parameters:si).
#include <QApplication>
#include <QMdiArea>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "core/design_state.h"
#include "core/language.h"
#include "ui/qt_platform.h"
#include "ui/tools/answering_platform.h"
#include "ui/location_window.h"
#include "ui/dial_type_window.h"
#include "ui/main_window.h"
#include "ui/tavrel_app.h"

namespace {

using tavrel::probe::AnsweringPlatform;

long long wallNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  const auto mainStart = std::chrono::steady_clock::now();
  if (argc < 2) {
    std::cerr << "usage: tavrel_ui_probe startup [LAUNCH_NS] | screenshot OUT.png de|en [dialtype]\n";
    return 2;
  }
  const std::string mode = argv[1];
  AnsweringPlatform platform;
  tavrel::StartOptions options;
  options.platform = &platform;

  if (mode == "startup") {
    const long long launched = argc > 2 ? std::atoll(argv[2]) : 0;
    options.whenShown = [mainStart, launched](tavrel::MainWindow&) {
      const double fromMain =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainStart)
              .count();
      std::printf("shown_after_main_ms %.1f\n", fromMain);
      if (launched > 0) std::printf("shown_after_launch_ms %.1f\n", (wallNs() - launched) / 1e6);
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    };
  } else if (mode == "screenshot" && argc >= 4) {
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool german = std::strcmp(argv[3], "en") != 0;
    const std::string window = argc > 4 ? argv[4] : "";
    options.whenShown = [out, german, window](tavrel::MainWindow& w) {
      QTimer::singleShot(200, &w, [&w, out, german, window] {
        using tavrel::ShellWindow;
        namespace menu = tavrel::menu;
        w.setLanguage(german);
        if (window == "dialtype") w.openWorkingWindow(ShellWindow::DialType, menu::kDialType);
        if (window.rfind("dialtype:", 0) == 0) {
          w.openWorkingWindow(ShellWindow::DialType, menu::kDialType);
          if (auto* types = w.form<tavrel::DialTypeWindow>(ShellWindow::DialType)) {
            std::size_t from = 9;
            while (from < window.size()) {
              const std::size_t comma = window.find(',', from);
              types->selectEntry(std::atoi(window.substr(from, comma - from).c_str()));
              if (comma == std::string::npos) break;
              from = comma + 1;
            }
          }
        }
        if (window == "location") w.openWorkingWindow(ShellWindow::Location, menu::kLocation);
        if (window == "colours") w.showColourPanel();
        if (window == "drawing") w.openWorkingWindow(ShellWindow::Drawing, menu::kDrawing);
        if (window.rfind("parameters:", 0) == 0) {
          std::string kind = window.substr(11);
          tavrel::DesignState& d = tavrel::design();
          d.umbrellaMode = kind.size() > 1 && kind[0] == 's';
          d.dialKind = kind.back();
          w.openWorkingWindow(ShellWindow::Parameters, menu::kParameters);
        }
        QTimer::singleShot(400, &w, [&w, out] {
          const bool ok = w.grab().save(out);
          std::cerr << (ok ? "saved " : "could not save ") << out.toStdString() << "\n";
          QApplication::exit(ok ? 0 : 1);
        });
      });
    };
  } else {
    std::cerr << "tavrel_ui_probe: unknown command\n";
    return 2;
  }
  return tavrel::runTavrel(argc, argv, options);
}
