#include "tables/horizon_session.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/number_text.h"
#include "tables/horizon_texts.h"

namespace tavrel {
namespace {

using horizonText::text;

std::string plain(int row) {
  std::string s = text(row);
  std::erase(s, '&');
  return s;
}

void showError(const std::string& message) { showMessage(MsgCaption::Error, message); }

// The box of a step that failed; `path` is the grid it concerns. A grid
// that cannot be used says why after message 24.
void showStatus(HorizonStatus status, const HorizonCalculation& calc, const std::string& path) {
  const std::string unusable = messageText(24) + "0\r\n" + path + " : ";
  const GridFault& fault = calc.gridFault();
  switch (status) {
    case HorizonStatus::Ok: break;
    case HorizonStatus::NotAGrid:
      showError(unusable + text(horizonText::kHeaderFaultA) + std::to_string(fault.headerLine) + " (" +
                std::string(tileHeaderKeyword(fault.headerLine)) + ")" + text(horizonText::kHeaderFaultB));
      break;
    case HorizonStatus::MissingRows:
      showError(unusable + text(horizonText::kRowsMissingA) + std::to_string(fault.rowsPresent) +
                text(horizonText::kOf) + std::to_string(fault.rowsExpected) + text(horizonText::kRowsMissingB));
      break;
    case HorizonStatus::NoCentreHeight: showError(unusable + text(horizonText::kNoCentreHeight)); break;
    case HorizonStatus::CentreOutside: showError(text(horizonText::kCentreOutside)); break;
    case HorizonStatus::WrongArea:
      showError(text(horizonText::kWrongArea) + text(horizonText::kFalse) + "\r\n" + path + " : " +
                text(horizonText::kNotANeighbour));
      break;
    case HorizonStatus::WrongKind: showError(text(horizonText::kSameKind) + "\r\n" + path); break;
    case HorizonStatus::Cancelled: showMessage(MsgCaption::Information, messageText(1)); break;
  }
}

// The first row with a wrong number of values (later ones are used
// silently: one box is enough to say the file is damaged).
void reportRowCounts(const HorizonCalculation& calc, std::size_t& shown) {
  const auto& reports = calc.rowCountReports();
  if (shown == 0 && !reports.empty()) {
    const RowCountReport& r = reports.front();
    showMessage(MsgCaption::Information, text(horizonText::kRowCountA) + std::to_string(r.row) +
                                             text(horizonText::kRowCountB) + fixedText(r.values, 6, 0) +
                                             text(horizonText::kRowCountC) + fixedText(r.expected, 4, 0));
  }
  shown = reports.size();
}

}  // namespace

HorizonStatus HorizonRunner::runLong(const std::function<HorizonStatus(HorizonProgress&)>& step) {
  HorizonProgress progress;
  return step(progress);
}

std::optional<std::string> HorizonRunner::chooseGrid() {
  FileDialogRequest r;
  r.title = text(horizonText::kGridTitle);
  r.filter = text(horizonText::kGridFilter);
  r.defaultExtension = "asc";
  return platform().openFileName(r);
}

bool HorizonRunner::askAddMissing(const std::string& question) {
  return showMessage(MsgCaption::Question, question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

std::optional<std::string> HorizonRunner::chooseSaveName() {
  FileDialogRequest r;
  r.title = text(horizonText::kSaveTitle);
  r.filter = text(horizonText::kSaveFilter);
  r.defaultExtension = "ele";
  return platform().saveFileName(r);
}

std::string horizonDirectionName(unsigned direction) {
  switch (direction) {
    case kDirNorth: return plain(horizonText::kNorth);
    case kDirSouth: return plain(horizonText::kSouth);
    case kDirWest: return plain(horizonText::kWest);
    case kDirEast: return plain(horizonText::kEast);
    case kDirNorthEast: return plain(horizonText::kNorth) + "-" + plain(horizonText::kEast);
    case kDirNorthWest: return plain(horizonText::kNorth) + "-" + plain(horizonText::kWest);
    case kDirSouthEast: return plain(horizonText::kSouth) + "-" + plain(horizonText::kEast);
    case kDirSouthWest: return plain(horizonText::kSouth) + "-" + plain(horizonText::kWest);
    default: return {};
  }
}

std::string horizonStartText(const HorizonCalculation& calc) {
  const ElevationTile& t = calc.tile();
  std::string missing;
  if (calc.missing() != 0) {
    missing = "\r\n" + text(horizonText::kLackOfData) + "\r\n";
    for (unsigned d : {kDirNorth, kDirSouth, kDirWest, kDirEast, kDirNorthEast, kDirNorthWest, kDirSouthEast,
                       kDirSouthWest})
      if (calc.missing() & d) missing += std::string(14, ' ') + horizonDirectionName(d) + "\r\n";
  }
  return text(horizonText::kProfileInPoint) + fixedText(calc.latitude(), 13, 8) + "/" +
         fixedText(calc.longitudeEast(), 13, 8) + "\r\r\n" + text(horizonText::kTableContains) + "(" +
         fixedText(t.topLatitude - t.span, 7, 2) + "/" + fixedText(t.leftLongitude, 7, 2) + ") - (" +
         fixedText(t.topLatitude, 7, 2) + "/" + fixedText(t.leftLongitude + t.span, 7, 2) + ")" + "\r\n" +
         text(horizonText::kTableInterval) +
         text(t.oneArcSecond() ? horizonText::kOneArcSecond : horizonText::kThreeArcSeconds) + "\r\n" + "     " +
         fixedText(kHorizonPoints, 4, 0) + text(horizonText::kHorizonPoints) + "\r\n" + missing + "\r\n" +
         text(horizonText::kStartingNow) + " " + text(horizonText::kMissingLater);
}

std::string horizonDoneText(const HorizonCalculation& calc) {
  std::string s = text(horizonText::kDone) + "\r\n" + text(horizonText::kCentreElevation) +
                  std::to_string(calc.centreHeight());
  if (calc.missing() == 0) return s;
  std::string list;
  for (unsigned d : {kDirNorth, kDirEast, kDirSouth, kDirWest})
    if (calc.missing() & d) list += horizonDirectionName(d) + ", ";
  for (unsigned d : {kDirNorthWest, kDirNorthEast, kDirSouthEast, kDirSouthWest})
    if (calc.missing() & d) list += text(horizonText::kAnd) + horizonDirectionName(d) + ", ";
  list.resize(list.size() - 2);
  return s + "\r\n" + text(horizonText::kMissingData) + list + text(horizonText::kAddMissing);
}

std::unique_ptr<HorizonCalculation> computeHorizonProfile(const std::string& gridPath, HorizonRunner& runner) {
  const DesignState& d = design();
  auto calc = std::make_unique<HorizonCalculation>(d.latitude, -d.longitude, horizonSettings());
  std::error_code ec;
  std::ifstream first(gridPath, std::ios::binary);
  if (!std::filesystem::is_regular_file(gridPath, ec) || !first) {
    showError(gridPath + text(horizonText::kFileNotFound));
    return nullptr;
  }
  HorizonStatus status = calc->open(first);
  if (status != HorizonStatus::Ok) {
    showStatus(status, *calc, gridPath);
    return nullptr;
  }
  showMessage(MsgCaption::Information, horizonStartText(*calc));
  status = runner.runLong([&](HorizonProgress& p) { return calc->run(p); });
  std::size_t reported = 0;
  reportRowCounts(*calc, reported);
  if (status != HorizonStatus::Ok) {
    showStatus(status, *calc, gridPath);
    return nullptr;
  }
  runner.centreHeightKnown(calc->centreHeight());

  if (calc->missing() == 0) {
    showMessage(MsgCaption::Information, horizonDoneText(*calc));
  } else {
    while (calc->missing() != 0 && runner.askAddMissing(horizonDoneText(*calc))) {
      const auto next = runner.chooseGrid();
      if (!next) continue;
      std::ifstream tile(*next, std::ios::binary);
      if (!std::filesystem::is_regular_file(*next, ec) || !tile) {
        showError(*next + text(horizonText::kFileNotFound));
        if (runner.refusedTileEnds()) return nullptr;
        continue;
      }
      status = runner.runLong([&](HorizonProgress& p) { return calc->addTile(tile, p); });
      reportRowCounts(*calc, reported);
      if (status != HorizonStatus::Ok) {
        showStatus(status, *calc, *next);
        if (status == HorizonStatus::Cancelled || runner.refusedTileEnds()) return nullptr;
      }
    }
    if (calc->tilesAdded() > 0) {
      status = runner.runLong([&](HorizonProgress& p) {
        calc->finish(p);
        return p.cancel ? HorizonStatus::Cancelled : HorizonStatus::Ok;
      });
      if (status != HorizonStatus::Ok) {
        showStatus(status, *calc, gridPath);
        return nullptr;
      }
    }
  }
  horizonState().computedProfile = calc->profile();
  return calc;
}

HorizonOutcome runHorizonCalculation(HorizonRunner& runner) {
  const auto grid = runner.chooseGrid();
  if (!grid) return HorizonOutcome::NotSaved;
  const auto calc = computeHorizonProfile(*grid, runner);
  if (!calc) return HorizonOutcome::Failed;
  const auto out = runner.chooseSaveName();
  if (!out) return HorizonOutcome::NotSaved;
  if (!saveHorizonProfile(*out, calc->fileInfo())) {
    showError(text(horizonText::kSaveError) + *out);
    return HorizonOutcome::Failed;
  }
  showMessage(MsgCaption::Information, *out + messageText(58));
  return HorizonOutcome::Saved;
}

bool loadHorizonProfileWithDialog(int failureDigit) {
  FileDialogRequest r;
  r.title = text(horizonText::kLoadTitle);
  r.filter = text(horizonText::kLoadFilter);
  r.defaultExtension = "ele";
  std::optional<std::string> name;
  for (;;) {
    name = platform().openFileName(r);
    if (!name) return false;
    std::error_code ec;
    if (std::filesystem::exists(*name, ec)) break;
    const std::string question = *name + " : \n\r" + text(horizonText::kFileNotFoundCreate) + "\n\r" +
                                 text(horizonText::kCancelQuestion);
    if (showMessage(MsgCaption::Question, question, MsgButtons::YesNo) == MsgAnswer::Yes) return false;
  }
  ProfileFault fault;
  const auto place = loadHorizonProfile(*name, &fault);
  if (!place) {
    const std::string cause = profileFaultText(fault);
    showError(messageText(24) + std::to_string(failureDigit) + (cause.empty() ? "" : "\r\n" + *name + " : " + cause));
    return false;
  }
  HorizonState& s = horizonState();
  s.showHorizonProfile = true;
  s.profileLoaded = true;
  DesignState& d = design();
  if (place->latitude != d.latitude || place->longitude != d.longitude) {
    showMessage(MsgCaption::Information, messageText(70));
    d.latitude = place->latitude;
    d.longitude = place->longitude;
  }
  return true;
}

bool setHorizonProfileSwitch(bool on, int failureDigit) {
  HorizonState& s = horizonState();
  s.showHorizonProfile = on;
  if (on && !s.profileLoaded) {
    const std::string question = text(horizonText::kNotLoaded) + "\r\n" + text(horizonText::kLoadQuestion);
    if (showMessage(MsgCaption::Question, question, MsgButtons::YesNo) != MsgAnswer::Yes ||
        !loadHorizonProfileWithDialog(failureDigit))
      s.showHorizonProfile = false;
  }
  return s.showHorizonProfile;
}

}  // namespace tavrel
