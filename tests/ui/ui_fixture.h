// A main window started as the program starts it, on the scripted
// platform (every box recorded, answers from a queue, a fixed clock), in
// an empty temporary folder, so that nothing waits for a modal box.
#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "ui/main_window.h"

namespace tavrel::test {

struct UiFixture {
  QTemporaryDir dir;
  ScopedScriptedPlatform platform;
  std::unique_ptr<MainWindow> main;

  // The start of the program without "tav.ini" (the question to create it
  // answered No); the boxes of the start are dropped.
  explicit UiFixture(bool german = true) {
    design() = DesignState();
    platform->currentDir = dir.path().toStdString();
    platform->exeDir = dir.path().toStdString() + "/";
    main = std::make_unique<MainWindow>();
    main->firstShown();
    if (!german) main->setLanguage(false);
    platform->boxes.clear();
  }

  // Lets the windows take the steps they take from the event loop.
  static void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // Texts of the boxes shown so far.
  QStringList boxTexts() {
    QStringList out;
    for (const RecordedBox& b : platform.get().boxes) out << QString::fromStdString(b.text);
    return out;
  }
};

inline QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace tavrel::test
