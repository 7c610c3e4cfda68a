#include "core/scripted_platform.h"

#include <cctype>

#include "core/language.h"

namespace tavrel {

namespace {
MsgAnswer safeAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::OkCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
  }
  return MsgAnswer::Ok;
}

template <typename T>
T takeFront(std::deque<T>& q, T fallback) {
  if (q.empty()) return fallback;
  T v = q.front();
  q.pop_front();
  return v;
}

std::string lowerCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The index of the first description|pattern pair of a dialog filter whose
// patterns include "*.ext" for the extension of name; 0 when none does.
int filterMatchingExtension(const std::string& filter, const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
  const std::string wanted = "*" + lowerCase(name.substr(dot));
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = filter.find('|', start)) != std::string::npos; start = bar + 1)
    parts.push_back(filter.substr(start, bar - start));
  parts.push_back(filter.substr(start));
  for (std::size_t i = 1; i < parts.size(); i += 2) {
    const std::string patterns = lowerCase(parts[i]);
    std::size_t from = 0;
    while (from <= patterns.size()) {
      const std::size_t end = patterns.find_first_of(";, ", from);
      const std::string one = patterns.substr(from, end == std::string::npos ? end : end - from);
      if (one == wanted) return static_cast<int>(i / 2);
      if (end == std::string::npos) break;
      from = end + 1;
    }
  }
  return 0;
}
}  // namespace

MsgAnswer ScriptedPlatform::messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                                       const std::string& text) {
  boxes.push_back({caption, icon, buttons, captionText(caption), text});
  return takeFront(answers, safeAnswer(buttons));
}

MsgAnswer ScriptedPlatform::captionedMessageBox(const std::string& caption, MsgIcon icon,
                                                MsgButtons buttons, const std::string& text) {
  boxes.push_back({MsgCaption::Information, icon, buttons, caption, text, true});
  return takeFront(answers, safeAnswer(buttons));
}

std::optional<std::string> ScriptedPlatform::inputBox(const std::string&, const std::string&,
                                                      const std::string&) {
  return takeFront<std::optional<std::string>>(inputs, std::nullopt);
}

std::optional<std::string> ScriptedPlatform::openFileName(const FileDialogRequest& r) {
  dialogs.push_back(r);
  return takeFront<std::optional<std::string>>(fileNames, std::nullopt);
}

std::optional<FileChoice> ScriptedPlatform::saveFileChoice(const FileDialogRequest& r) {
  dialogs.push_back(r);
  const std::optional<std::string> name =
      takeFront<std::optional<std::string>>(fileNames, std::nullopt);
  if (!name) return std::nullopt;
  if (!filterChoices.empty()) return FileChoice{*name, takeFront(filterChoices, 0)};
  return FileChoice{*name, filterMatchingExtension(r.filter, *name)};
}

std::optional<std::int32_t> ScriptedPlatform::chooseColor(std::int32_t) {
  return takeFront<std::optional<std::int32_t>>(colours, std::nullopt);
}

ScopedScriptedPlatform::ScopedScriptedPlatform() : previous_(&platform()) {
  setPlatform(&platform_);
}

ScopedScriptedPlatform::~ScopedScriptedPlatform() { setPlatform(previous_); }

}  // namespace tavrel
