// The rules of the main window that need no widgets: the steps of the
// "generate dial" sequence, the expert-mode switch, and the order of the
// built-in pictures in the picture strip and the slide show.
#pragma once

#include <vector>

namespace tavrel {

struct DesignState;

// The working windows of the main window.
enum class ShellWindow { Location, DialType, Parameters, Drawing, Calculator, Table };

// --- The "generate dial" sequence (wizardStep) ----------------------------
//
// 0 not running; 1 location window open; 3 location done, the dial-type
// window due; 4 dial-type window open; 5 parameter window open. The
// sequence ends with the drawing window, or earlier by Cancel.

enum class WizardAction { None, OpenDialType, OpenParameters, OpenDrawing };

bool wizardRunning(const DesignState& d);
// Start: wizardStep = 1 (the location window opens next).
void wizardStart(DesignState& d);
// The location window's Next: 1 -> 3.
void wizardLocationNext(DesignState& d);
// The dial-type window opened inside the sequence: wizardStep = 4.
void wizardDialTypeOpened(DesignState& d);
// What the main window does when a window is gone: after the location
// window at step 3 the dial-type window; after the dial-type window at
// step 3 or later the parameter window (step 5); after the parameter
// window at a step above 2 the drawing window, and the sequence ends.
WizardAction wizardWindowGone(DesignState& d, ShellWindow gone);
// Cancel, and closing the main window: wizardStep = 0.
void wizardCancel(DesignState& d);

// --- Expert mode ---------------------------------------------------------

// The menu command: expertMode and expertModeActive take `on` and the
// information box says so. Switching off also returns the ring dial's
// gnomon-hole offset to 0 with limits of half the obliquity and turns the
// cylinder back to variant 0 (the caller then gives the expert-only kinds
// up with dialKindForExpertMode of the family table). The world-map
// overlay follows the mode.
void setExpertMode(DesignState& d, bool on);

// --- Built-in pictures ---------------------------------------------------

// The picture families of the strip, each a cycle of picture numbers that
// a click on its button steps through.
const std::vector<std::vector<int>>& pictureStripCycles();
// The picture after `current` in its family's cycle (current itself when
// it belongs to no cycle).
int nextStripPicture(int current);
// The slide show's order: 26 pictures starting with 1105.
const std::vector<int>& slideShowOrder();
// The slide after `current`; after the last one the first again.
int nextSlide(int current);
// True for the numbers of the built-in pictures: 105, 106, 1105, 1106
// and 3000..3023.
bool isBuiltInPicture(int number);

}  // namespace tavrel
