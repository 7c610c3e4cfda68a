// The sequence of the horizon-profile calculation as the user meets it:
// the grid dialog, the coverage check and its information box, the long
// computation, the question about missing neighbouring tiles (repeated
// while tiles are missing and the user says Yes), and the save dialog.
// Every box goes through the platform; the hooks of HorizonRunner let a
// window run the long steps off its own thread and show their progress,
// and let the batch front end name its files instead of asking.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tables/horizon_calculation.h"

namespace tavrel {

class HorizonRunner {
 public:
  virtual ~HorizonRunner() = default;
  // Runs one long step and returns its status. The default runs it here.
  virtual HorizonStatus runLong(const std::function<HorizonStatus(HorizonProgress&)>& step);
  // The next grid file: the open dialog "Load table with SRTM-data".
  virtual std::optional<std::string> chooseGrid();
  // The question whether missing tiles are added now (Yes/No box).
  virtual bool askAddMissing(const std::string& text);
  // The profile file's name: the save dialog "Save Calculated Horizon Profile".
  virtual std::optional<std::string> chooseSaveName();
  // The centre height is known (the panel shows it).
  virtual void centreHeightKnown(int /*height*/) {}
  // Whether a neighbouring tile that cannot be used (missing, not a grid,
  // incomplete, no missing neighbour, of another kind) ends the
  // calculation without saving. A window shows the box and asks again for
  // the missing tiles; a batch run, whose tiles were named beforehand,
  // ends.
  virtual bool refusedTileEnds() const { return false; }
};

enum class HorizonOutcome {
  Saved,      // the profile was computed and saved
  NotSaved,   // a dialog was cancelled or the computation stopped
  Failed,     // a file or the computation failed (its box was shown)
};

// computeHorizonProfile: the calculation for the grid file `gridPath`
// with the design record's place and horizonSettings(); fills
// computedProfile and returns the calculation, or nullptr after a failure
// or a cancel (the box has been shown).
std::unique_ptr<HorizonCalculation> computeHorizonProfile(const std::string& gridPath, HorizonRunner& runner);

// "Start Calculation": grid dialog, computeHorizonProfile, save dialog and
// saveHorizonProfile with its boxes.
HorizonOutcome runHorizonCalculation(HorizonRunner& runner);

// "Load new profile": the open dialog "Load Horizon Profile ", then
// loadHorizonProfile. A name that does not exist asks whether to abandon
// (Yes) or choose again (No). A file that cannot be read gives message 24
// followed by `failureDigit` (1 in the table window, 5 in the parameter
// window). When the file's place differs from the design record's, message
// 70 says so and the record takes the file's latitude and longitude.
// Returns true when a profile was loaded (showHorizonProfile and
// profileLoaded are then set).
bool loadHorizonProfileWithDialog(int failureDigit);

// The switches "Show horizon profile" (table window) and "Include horizon
// profile" (parameter window): sets showHorizonProfile; switched on while
// no profile is loaded, the question "No horizon profile has been
// loaded!" leads to loading (Yes) or clears the switch (No). Returns the
// switch's state afterwards.
bool setHorizonProfileSwitch(bool on, int failureDigit);

// The texts of the boxes, for the windows and for tests.
std::string horizonStartText(const HorizonCalculation& calc);
std::string horizonDoneText(const HorizonCalculation& calc);  // with the question when tiles are missing
std::string horizonDirectionName(unsigned direction);

}  // namespace tavrel
