// Start of the desktop program: the application object, the Qt platform,
// the main window and the event loop.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

class Platform;
class MainWindow;

struct StartOptions {
  // Platform to install instead of the Qt platform (a probe that answers
  // boxes by itself); not owned.
  Platform* platform = nullptr;
  // Called once the main window has painted for the first time.
  std::function<void(MainWindow&)> whenShown;
};

// The construction-data file the program was started with: the one
// argument after the program's name (what a desktop entry passes for a
// double-clicked "*.tav" file). Any other arguments (none, several, or an
// option starting with "-") open nothing; the program takes no others.
std::optional<std::string> startFileArgument(const std::vector<std::string>& arguments);

// Runs the program and returns its exit code.
int runTavrel(int& argc, char** argv, const StartOptions& options = {});

}  // namespace tavrel
