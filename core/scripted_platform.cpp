#include "core/scripted_platform.h"

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
}  // namespace

MsgAnswer ScriptedPlatform::messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                                       const std::string& text) {
  boxes.push_back({caption, icon, buttons, captionText(caption), text});
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

std::optional<std::string> ScriptedPlatform::saveFileName(const FileDialogRequest& r) {
  dialogs.push_back(r);
  return takeFront<std::optional<std::string>>(fileNames, std::nullopt);
}

std::optional<std::int32_t> ScriptedPlatform::chooseColor(std::int32_t) {
  return takeFront<std::optional<std::int32_t>>(colours, std::nullopt);
}

ScopedScriptedPlatform::ScopedScriptedPlatform() : previous_(&platform()) {
  setPlatform(&platform_);
}

ScopedScriptedPlatform::~ScopedScriptedPlatform() { setPlatform(previous_); }

}  // namespace tavrel
