#include "core/batch_platform.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "core/language.h"
#include "core/settings_location.h"

namespace tavrel {

BatchPlatform::BatchPlatform(std::ostream& err) : err_(err) {}

std::string flattenMessage(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

MsgAnswer BatchPlatform::messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                                    const std::string& text) {
  return captionedMessageBox(captionText(caption), icon, buttons, text);
}

MsgAnswer BatchPlatform::captionedMessageBox(const std::string& caption, MsgIcon,
                                             MsgButtons buttons, const std::string& text) {
  err_ << caption << ": " << flattenMessage(text) << '\n';
  switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::OkCancel: return answerYes ? MsgAnswer::Ok : MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return answerYes ? MsgAnswer::Yes : MsgAnswer::No;
  }
  return MsgAnswer::Ok;
}

std::optional<std::string> BatchPlatform::inputBox(const std::string&, const std::string&,
                                                   const std::string&) {
  return std::nullopt;
}

std::optional<std::string> BatchPlatform::openFileName(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<FileChoice> BatchPlatform::saveFileChoice(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::int32_t> BatchPlatform::chooseColor(std::int32_t) { return std::nullopt; }

LocalDateTime BatchPlatform::now() {
  if (today) return *today;
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::vector<std::string> BatchPlatform::installedFonts() {
  // The batch front end draws no text on a screen; the fonts the plot and
  // SVG output name are taken as present.
  return {"Arial", "Courier New", "Times New Roman", "Wingdings"};
}

ScreenInfo BatchPlatform::screen() { return {}; }

std::string BatchPlatform::executableDirectory() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  std::string dir = p.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string BatchPlatform::currentDirectory() {
  std::error_code ec;
  auto p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : p.string();
}

std::string BatchPlatform::configurationDirectory() {
  return xdgConfigurationDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace tavrel
