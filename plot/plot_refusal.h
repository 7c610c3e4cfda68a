// What a plot construction returns when it cannot make its dial.
//
// A construction that refuses (temporal hours where the sun does not rise
// or set every day, a dial made for the other hemisphere, a shadow caster
// that cannot exist) returns the message that says why and shows nothing
// itself. The caller abandons the plot file, so nothing half-written is
// left behind, and shows the message once.
#pragma once

#include <optional>
#include <string>

#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

struct PlotRefusal {
  MsgCaption caption = MsgCaption::Error;
  MsgIcon icon = MsgIcon::Error;
  std::string text;
};

// Empty: the plot was written; otherwise why it was not.
using PlotOutcome = std::optional<PlotRefusal>;

// Message 64, "Temporal hours are not possible in this latitude!": the
// altitude and azimuth dials that divide the day between sunrise and
// sunset refuse them where the sun does not rise or set every day.
inline PlotRefusal temporalHoursRefusal() { return {MsgCaption::Error, MsgIcon::Error, messageText(64)}; }

// The message box of a refusal.
inline void showPlotRefusal(const PlotRefusal& refusal) {
  showMessage(refusal.caption, refusal.icon, refusal.text);
}

}  // namespace tavrel
