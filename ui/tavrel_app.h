// Start of the desktop program: the application object, the Qt platform,
// the main window and the event loop.
#pragma once

#include <functional>

namespace tavrel {

class Platform;
class TForm1;

struct StartOptions {
  // Platform to install instead of the Qt platform (a probe that answers
  // boxes by itself); not owned.
  Platform* platform = nullptr;
  // Called once the main window has painted for the first time.
  std::function<void(TForm1&)> whenShown;
};

// Runs the program and returns its exit code.
int runTavrel(int& argc, char** argv, const StartOptions& options = {});

}  // namespace tavrel
