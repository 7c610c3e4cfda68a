// The ham dial's settings files "*.ham" and its texts.
#include <cerrno>
#include <system_error>

#include "core/language.h"
#include "core/platform.h"
#include "core/settings_file.h"
#include "core/text_file.h"
#include "dials/ham/ham_dial.h"
#include "dials/ham/ham_texts.h"

namespace tavrel {

namespace {

// A settings text has its colour section header on line 18 and its hour
// section header on line 31 (0-based), as the settings writer lays it out.
bool looksLikeSettingsText(const std::vector<std::string>& lines) {
  const auto header = [&](std::size_t i, std::string_view h) {
    if (i >= lines.size()) return false;
    std::string_view l = lines[i];
    while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
    return l == h;
  };
  return header(18, "[Farben]") && header(31, "[Zeiten]");
}

void loadError(const std::string& path, HamText reason) {
  showMessage(MsgCaption::Error, MsgIcon::Error, path + hamText(reason));
}

}  // namespace

std::string hamText(HamText t) { return tableText(TextTable::Texts, static_cast<int>(t)); }

std::vector<std::string>& hamSettingsText() {
  static std::vector<std::string> lines;
  return lines;
}

bool saveHamSettingsFile(const std::string& path) {
  std::vector<std::string>& list = hamSettingsText();
  list = buildSettingsText(false);
  if (!writeTextFileLines(path, list)) {
    showMessage(MsgCaption::Error, MsgIcon::Error, path + " :" + "\r\n" + messageText(18));
    return false;
  }
  showMessage(MsgCaption::Information, MsgIcon::Information, path + messageText(58));
  return true;
}

bool loadHamSettingsFile(const std::string& path) {
  std::error_code why;
  const std::optional<std::vector<std::string>> lines = readTextFileLines(path, &why);
  if (!lines) {
    showMessage(MsgCaption::Error, MsgIcon::Error,
                path + hamText(HamText::Unreadable) + "\n\r" + why.message());
    return false;
  }
  if (!looksLikeSettingsText(*lines)) {
    loadError(path, HamText::NotSettingsFile);
    return false;
  }
  hamSettingsText() = *lines;
  return true;
}

bool saveHamSettingsCommand() {
  FileDialogRequest r;
  r.title = dialogTitle(DialogTitle::SaveConstruction);
  r.filter = hamText(HamText::SaveFilter);
  r.defaultExtension = "ham";
  r.initialName = "schink.ham";
  const std::optional<std::string> path = platform().saveFileName(r);
  return path && saveHamSettingsFile(*path);
}

bool loadHamSettingsCommand() {
  FileDialogRequest r;
  r.title = hamText(HamText::LoadTitle);
  r.filter = hamText(HamText::LoadFilter);
  r.defaultExtension = "ham";
  const std::optional<std::string> path = platform().openFileName(r);
  return path && loadHamSettingsFile(*path);
}

}  // namespace tavrel
