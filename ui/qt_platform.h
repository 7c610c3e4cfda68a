// The platform interface on Qt: message boxes with the program's captions,
// file dialogs with its titles and filters, the colour dialog, the input
// box, the clock, the installed fonts and the screen.
#pragma once

#include "core/platform.h"

class QFileDialog;
class QWidget;
class QString;

namespace tavrel {

class QtPlatform : public Platform {
 public:
  // Boxes and dialogs are modal to `parent` (the main window) when set.
  void setParentWidget(QWidget* parent) { parent_ = parent; }

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
  // The generic configuration folder of QStandardPaths ($XDG_CONFIG_HOME,
  // by default ~/.config) + "/tavrel".
  std::string configurationDirectory() override;

 private:
  std::optional<FileChoice> fileDialog(const FileDialogRequest& r, bool save);
  QWidget* parent_ = nullptr;
};

// "Text (*.txt)|*.txt|All (*.*)|*.*" -> "Text (*.txt);;All (*.*)": the
// program's filter form (description|patterns pairs) as Qt writes it; the
// patterns of each pair are what Qt filters by.
QString qtFileFilter(const std::string& filter);

// The program's line breaks (LF CR, CR LF, CR) as the LF a Qt label shows.
QString boxText(const std::string& text);

// A file dialog set up as the platform shows it: the program's title,
// filter, default extension and name, and its labels in the program's
// language.
void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& r, bool save);

// Qt's own texts (the file dialogs' views and questions, the standard
// buttons) follow the program's language: German (language 1) loads Qt's
// German translation when it is installed, English drops it.
void applyQtLanguage(int language);

}  // namespace tavrel
