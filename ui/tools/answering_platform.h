// The Qt platform of the probes: every message box is written to standard
// error and gets the safe answer of its buttons, so that nothing waits for
// a hand on the keyboard.
#pragma once

#include <iostream>
#include <string>

#include "core/language.h"
#include "ui/qt_platform.h"

namespace tavrel::probe {

class AnsweringPlatform : public QtPlatform {
 public:
  MsgAnswer messageBox(MsgCaption caption, MsgIcon icon, MsgButtons buttons,
                       const std::string& text) override {
    return captionedMessageBox(captionText(caption), icon, buttons, text);
  }
  MsgAnswer captionedMessageBox(const std::string& caption, MsgIcon, MsgButtons buttons,
                                const std::string& text) override {
    std::cerr << caption << ": " << text << "\n";
    switch (buttons) {
      case MsgButtons::Ok: return MsgAnswer::Ok;
      case MsgButtons::YesNo: return MsgAnswer::No;
      default: return MsgAnswer::Cancel;
    }
  }
};

}  // namespace tavrel::probe
