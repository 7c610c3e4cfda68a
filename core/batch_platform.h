// The platform of tavrel-cli: every box is written to an error stream as
// "CAPTION: text" and answered by a fixed policy; dialogs are cancelled.
#pragma once

#include <iosfwd>

#include "core/platform.h"

namespace tavrel {

class BatchPlatform : public Platform {
 public:
  explicit BatchPlatform(std::ostream& err);

  bool answerYes = false;              // --answer yes|no
  std::optional<LocalDateTime> today;  // --today; else the system clock

  MsgAnswer messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                       const std::string& text) override;
  MsgAnswer captionedMessageBox(const std::string& caption, MsgIcon icon, MsgButtons buttons,
                                const std::string& text) override;
  std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                      const std::string& initial) override;
  std::optional<std::string> openFileName(const FileDialogRequest& r) override;
  std::optional<FileChoice> saveFileChoice(const FileDialogRequest& r) override;
  std::optional<std::int32_t> chooseColor(std::int32_t initial) override;
  LocalDateTime now() override;
  std::vector<std::string> installedFonts() override;
  ScreenInfo screen() override;
  std::string executableDirectory() override;
  std::string currentDirectory() override;
  // $XDG_CONFIG_HOME/tavrel, else $HOME/.config/tavrel (xdgConfigurationDirectory).
  std::string configurationDirectory() override;

 private:
  std::ostream& err_;
};

// A box's text on one line: CR and LF become blanks, runs of blanks stay.
std::string flattenMessage(const std::string& text);

}  // namespace tavrel
