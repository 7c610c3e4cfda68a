// The platform interface: every message box, input box, file dialog,
// colour choice, font query and "today" of the program goes through it.
// The core never prints, never reads the real clock and never opens a
// window itself. Implementations: Qt (desktop), batch (tavrel-cli),
// scripted (tests).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// The five message-box captions.
enum class MsgCaption { Warning, Error, Information, Problem, Question };
// The four icons.
enum class MsgIcon { Information, Warning, Error, Question };
// The four button sets.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
// The button that closed a box.
enum class MsgAnswer { Ok, Cancel, Yes, No };

// A calendar date and a clock time, as the program believes "now" is.
struct LocalDateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// An open or save dialog request.
struct FileDialogRequest {
  std::string title;
  std::string filter;            // "Text (*.txt)|*.txt|All (*.*)|*.*"
  std::string defaultExtension;  // without the dot
  std::string initialName;
  bool overwritePrompt = true;   // save dialogs only
};

// What a save dialog returned: the path and the filter the user chose
// (0-based index of the description|pattern pair in the request's filter).
struct FileChoice {
  std::string path;
  int filterIndex = 0;
};

struct ScreenInfo {
  int width = 1280, height = 1024;
  int pixelsPerInch = 96;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box; returns the button pressed.
  virtual MsgAnswer messageBox(MsgCaption caption, MsgIcon icon,
                               MsgButtons buttons, const std::string& text) = 0;
  // A modal message box with a caption of the caller's own instead of one
  // of the five standard captions (the boxes of the expert-mode switch name
  // the program's version).
  virtual MsgAnswer captionedMessageBox(const std::string& caption, MsgIcon icon,
                                        MsgButtons buttons, const std::string& text) = 0;
  // A one-line input box; nullopt when cancelled.
  virtual std::optional<std::string> inputBox(const std::string& title,
                                              const std::string& prompt,
                                              const std::string& initial) = 0;
  virtual std::optional<std::string> openFileName(const FileDialogRequest& r) = 0;
  // A save dialog: the chosen path and filter; nullopt when cancelled.
  virtual std::optional<FileChoice> saveFileChoice(const FileDialogRequest& r) = 0;
  // The path of saveFileChoice alone, for callers that ignore the filter.
  std::optional<std::string> saveFileName(const FileDialogRequest& r);
  // Colour choice (0x00BBGGRR); nullopt when cancelled.
  virtual std::optional<std::int32_t> chooseColor(std::int32_t initial) = 0;
  // The clock: today's date and the time of day.
  virtual LocalDateTime now() = 0;
  // Names of the installed font families.
  virtual std::vector<std::string> installedFonts() = 0;
  virtual ScreenInfo screen() = 0;
  // Executable directory, with a trailing separator.
  virtual std::string executableDirectory() = 0;
  virtual std::string currentDirectory() = 0;
  // The user's configuration folder, where the settings file and the date
  // list live when the working folder has none ($XDG_CONFIG_HOME/tavrel,
  // by default ~/.config/tavrel). Empty: there is none, and the working
  // folder alone is used.
  virtual std::string configurationDirectory() { return {}; }
};

// The platform in use. Before setPlatform is called this is a batch
// platform that answers No/Cancel and writes boxes to standard error.
Platform& platform();
// Installs p (not owned); nullptr restores the default.
void setPlatform(Platform* p);


// Shorthand used throughout: a box with the caption's usual icon.
MsgAnswer showMessage(MsgCaption caption, const std::string& text,
                      MsgButtons buttons = MsgButtons::Ok);
MsgAnswer showMessage(MsgCaption caption, MsgIcon icon, const std::string& text,
                      MsgButtons buttons = MsgButtons::Ok);

// True when a font of that name (compared after upperAscii) is installed
// according to the platform.
bool fontInstalled(std::string_view name);

// fixedText (base/number_text.h) for a width and number of decimals that
// are not fixed in the code: decimals > width shows message 25 (error
// caption) and gives the empty text.
std::string fixedTextOrMessage(double x, int width, int decimals);

}  // namespace tavrel
