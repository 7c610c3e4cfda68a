// A platform for tests: records every box and dialog request, answers from
// queues, and has a fixed clock.
#pragma once

#include <deque>

#include "core/platform.h"

namespace tavrel {

struct RecordedBox {
  MsgCaption caption;
  MsgIcon icon;
  MsgButtons buttons;
  std::string captionText;  // in the language in force when the box came
  std::string text;
  bool freeCaption = false;  // captionedMessageBox: captionText is the caller's
};

class ScriptedPlatform : public Platform {
 public:
  // Answers taken in order; when the queue is empty a box gets the safe
  // answer of its button set (Ok, Cancel, No, Cancel).
  std::deque<MsgAnswer> answers;
  std::deque<std::optional<std::string>> inputs;     // input boxes
  std::deque<std::optional<std::string>> fileNames;  // open and save dialogs
  // Filters chosen in save dialogs; when empty, the pair of the request's
  // filter whose pattern has the extension of the name, else the first.
  std::deque<int> filterChoices;
  std::deque<std::optional<std::int32_t>> colours;
  LocalDateTime clock{2024, 6, 15, 10, 30, 0};
  std::vector<std::string> fonts{"Arial", "Courier New", "Times New Roman", "Wingdings"};
  ScreenInfo screenInfo;
  std::string exeDir = "/opt/tavrel/";
  std::string currentDir = "/home/user";
  std::string configDir;  // empty: no configuration folder, the working folder alone

  std::vector<RecordedBox> boxes;
  std::vector<FileDialogRequest> dialogs;

  MsgAnswer messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                       const std::string& text) override;
  MsgAnswer captionedMessageBox(const std::string& caption, MsgIcon icon, MsgButtons buttons,
                                const std::string& text) override;
  std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                      const std::string& initial) override;
  std::optional<std::string> openFileName(const FileDialogRequest& r) override;
  std::optional<FileChoice> saveFileChoice(const FileDialogRequest& r) override;
  std::optional<std::int32_t> chooseColor(std::int32_t initial) override;
  LocalDateTime now() override { return clock; }
  std::vector<std::string> installedFonts() override { return fonts; }
  ScreenInfo screen() override { return screenInfo; }
  std::string executableDirectory() override { return exeDir; }
  std::string currentDirectory() override { return currentDir; }
  std::string configurationDirectory() override { return configDir; }
};

// Installs a ScriptedPlatform for the lifetime of the object and restores
// the previous one afterwards.
class ScopedScriptedPlatform {
 public:
  ScopedScriptedPlatform();
  ~ScopedScriptedPlatform();
  ScriptedPlatform* operator->() { return &platform_; }
  ScriptedPlatform& get() { return platform_; }

 private:
  ScriptedPlatform platform_;
  Platform* previous_;
};

}  // namespace tavrel
