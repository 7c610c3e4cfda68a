#include "core/platform.h"

#include <algorithm>
#include <iostream>

#include "base/number_text.h"
#include "core/batch_platform.h"
#include "core/language.h"

namespace tavrel {

namespace {
Platform* gPlatform = nullptr;

Platform& defaultPlatform() {
  static BatchPlatform batch(std::cerr);
  return batch;
}
}  // namespace

Platform& platform() { return gPlatform ? *gPlatform : defaultPlatform(); }

void setPlatform(Platform* p) { gPlatform = p; }

std::optional<std::string> Platform::saveFileName(const FileDialogRequest& r) {
  const std::optional<FileChoice> choice = saveFileChoice(r);
  if (!choice) return std::nullopt;
  return choice->path;
}

MsgAnswer showMessage(MsgCaption caption, MsgIcon icon, const std::string& text,
                      MsgButtons buttons) {
  return platform().messageBox(caption, icon, buttons, text);
}

MsgAnswer showMessage(MsgCaption caption, const std::string& text, MsgButtons buttons) {
  MsgIcon icon = MsgIcon::Information;
  switch (caption) {
    case MsgCaption::Warning: icon = MsgIcon::Warning; break;
    case MsgCaption::Error: icon = MsgIcon::Error; break;
    case MsgCaption::Information: icon = MsgIcon::Information; break;
    case MsgCaption::Problem: icon = MsgIcon::Warning; break;
    case MsgCaption::Question: icon = MsgIcon::Question; break;
  }
  return showMessage(caption, icon, text, buttons);
}

bool fontInstalled(std::string_view name) {
  const std::string wanted = upperAscii(name);
  const std::vector<std::string> fonts = platform().installedFonts();
  return std::any_of(fonts.begin(), fonts.end(),
                     [&](const std::string& f) { return upperAscii(f) == wanted; });
}

std::string fixedTextOrMessage(double x, int width, int decimals) {
  std::optional<std::string> text = tryFixedText(x, width, decimals);
  if (text) return *std::move(text);
  showMessage(MsgCaption::Error, MsgIcon::Warning, messageText(25));
  return std::string();
}

}  // namespace tavrel
