#include "core/main_window_rules.h"

#include <algorithm>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

bool wizardRunning(const DesignState& d) { return d.wizardStep != 0; }

void wizardStart(DesignState& d) { d.wizardStep = 1; }

void wizardLocationNext(DesignState& d) {
  if (d.wizardStep == 1) d.wizardStep = 3;
}

void wizardDialTypeOpened(DesignState& d) { d.wizardStep = 4; }

WizardAction wizardWindowGone(DesignState& d, ShellWindow gone) {
  switch (gone) {
    case ShellWindow::Location:
      return d.wizardStep == 3 ? WizardAction::OpenDialType : WizardAction::None;
    case ShellWindow::DialType:
      if (d.wizardStep < 3) return WizardAction::None;
      d.wizardStep = 5;
      return WizardAction::OpenParameters;
    case ShellWindow::Parameters:
      if (d.wizardStep <= 2) return WizardAction::None;
      d.wizardStep = 0;
      return WizardAction::OpenDrawing;
    default: return WizardAction::None;
  }
}

void wizardCancel(DesignState& d) { d.wizardStep = 0; }

void setExpertMode(DesignState& d, bool on) {
  d.expertMode = on;
  d.expertModeActive = on;
  if (on) {
    // Message 68: "Expert mode is switched ".
    platform().captionedMessageBox("Tavrel " + d.versionText + ", Info", MsgIcon::Information,
                                   MsgButtons::Ok, messageText(68) + " on!");
  } else {
    d.gnomonHoleOffset = 0;
    d.gnomonHoleOffsetMax = d.obliquityRounded / 2;
    d.gnomonHoleOffsetMin = -d.obliquityRounded / 2;
    platform().captionedMessageBox("Tavrel, v. " + d.versionText, MsgIcon::Information,
                                   MsgButtons::Ok, messageText(67));
    d.cylinderVariant = 0;
  }
  d.mapOverlay = d.expertMode;
}

const std::vector<std::vector<int>>& pictureStripCycles() {
  static const std::vector<std::vector<int>> cycles{
      {1105, 1106, 3019, 3000},  // planar
      {3002, 3001},              // umbrella
      {3004, 3022, 3010, 3011},  // quadrant
      {3005, 3012, 3014, 3013},  // cylinder
      {3003, 3009, 3020, 3015},  // azimuthal
      {3017, 3018, 3007},        // ring
      {3008, 3016, 3021, 3023},  // mean time
      {3006},                    // altitude
  };
  return cycles;
}

int nextStripPicture(int current) {
  for (const std::vector<int>& cycle : pictureStripCycles()) {
    const auto it = std::find(cycle.begin(), cycle.end(), current);
    if (it != cycle.end()) return std::next(it) == cycle.end() ? cycle.front() : *std::next(it);
  }
  return current;
}

const std::vector<int>& slideShowOrder() {
  static const std::vector<int> order{1105, 1106, 3000, 3019, 3005, 3012, 3014, 3013, 3004,
                                      3022, 3010, 3011, 3007, 3017, 3018, 3003, 3009, 3020,
                                      3015, 3008, 3016, 3021, 3023, 3001, 3002, 3006};
  return order;
}

int nextSlide(int current) {
  const std::vector<int>& order = slideShowOrder();
  const auto it = std::find(order.begin(), order.end(), current);
  if (it == order.end() || std::next(it) == order.end()) return order.front();
  return *std::next(it);
}

bool isBuiltInPicture(int number) {
  return number == 105 || number == 106 || number == 1105 || number == 1106 ||
         (number >= 3000 && number <= 3023);
}

}  // namespace tavrel
